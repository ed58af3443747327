#include "platform/core/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/strings.h"

namespace {

bool PathExists(const String& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// Folder listings by real folder path: lower-cased name -> real name.
class ListingCache {
public:
    // The real spelling of name inside folder, matched without regard to case.
    std::optional<String> Find(const String& folder, const String& name) {
        std::lock_guard lock(mutex_);
        auto it = listings_.find(folder);
        if (it == listings_.end()) {
            auto listing = ReadListing(folder);
            if (!listing) return std::nullopt;  // not a readable folder: nothing cached
            it = listings_.emplace(folder, std::move(*listing)).first;
        }
        auto entry = it->second.find(AnsiLowerCase(name));
        if (entry == it->second.end()) return std::nullopt;
        return entry->second;
    }

    void Clear() {
        std::lock_guard lock(mutex_);
        listings_.clear();
    }

    // Drops the listing of the folder holding realPath and every listing at or below it.
    void Forget(const String& realPath) {
        String path = realPath;
        while (path.size() > 1 && path.back() == '/') path.pop_back();
        std::size_t slash = path.rfind('/');
        String parent = slash == String::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
        std::lock_guard lock(mutex_);
        listings_.erase(parent);
        for (auto it = listings_.begin(); it != listings_.end();) {
            const String& key = it->first;
            bool below = key == path || (key.size() > path.size() && key.compare(0, path.size(), path) == 0 &&
                                         key[path.size()] == '/');
            it = below ? listings_.erase(it) : std::next(it);
        }
    }

private:
    using Listing = std::unordered_map<String, String>;

    static std::optional<Listing> ReadListing(const String& folder) {
        DIR* dir = ::opendir(folder.c_str());
        if (!dir) return std::nullopt;
        Listing listing;
        while (dirent* entry = ::readdir(dir)) {
            String name = entry->d_name;
            if (name == "." || name == "..") continue;
            // Of names that differ only in case, the smallest spelling wins, so the choice does not
            // depend on the order of the listing.
            auto [it, added] = listing.emplace(AnsiLowerCase(name), name);
            if (!added && name < it->second) it->second = name;
        }
        ::closedir(dir);
        return listing;
    }

    std::mutex mutex_;
    std::unordered_map<String, Listing> listings_;
};

ListingCache& Cache() {
    static ListingCache cache;
    return cache;
}

String JoinPath(const String& folder, const String& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// The real spelling of name in folder: exact first, then without regard to case.
std::optional<String> FindEntry(const String& folder, const String& name) {
    if (name == "." || name == "..") return name;
    if (PathExists(JoinPath(folder, name))) return name;
    return Cache().Find(folder.empty() ? "." : folder, name);
}

bool EndsWithDll(const String& name) {
    return name.size() > 4 && AnsiLowerCase(name.substr(name.size() - 4)) == ".dll";
}

// The real spelling of one component, or none when it does not exist. A missing
// library name "x.dll" at the end of a path is looked for as "x.so".
std::optional<String> ResolveComponent(const String& folder, const String& part, bool last) {
    if (auto real = FindEntry(folder, part)) return real;
    if (last && EndsWithDll(part)) return FindEntry(folder, part.substr(0, part.size() - 4) + ".so");
    return std::nullopt;
}

std::vector<String> SplitComponents(const String& path) {
    std::vector<String> parts;
    String current;
    for (char c : path) {
        if (c == '/' || c == '\\') {
            if (!current.empty()) parts.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(std::move(current));
    return parts;
}

// Packs a time as the class library's DOS date-time: date in the high word, time in the low.
// Times outside the format's years 1980..2107 are clamped, so an existing file never reads as -1.
int PackDosDateTime(std::time_t t) {
    std::tm local{};
    ::localtime_r(&t, &local);
    int year = local.tm_year + 1900;
    if (year < 1980) return (1 << 5) | 1;  // 1980-01-01 00:00:00
    if (year > 2107) return int(((127u << 9 | 12u << 5 | 31u) << 16) | (23u << 11 | 59u << 5 | 29u));
    unsigned date = unsigned(year - 1980) << 9 | unsigned(local.tm_mon + 1) << 5 | unsigned(local.tm_mday);
    unsigned time = unsigned(local.tm_hour) << 11 | unsigned(local.tm_min) << 5 | unsigned(local.tm_sec / 2);
    return int(date << 16 | time);
}

}  // namespace

String ResolvePath(const String& path) {
    const bool absolute = !path.empty() && (path[0] == '/' || path[0] == '\\');
    const bool trailingSeparator = !path.empty() && (path.back() == '/' || path.back() == '\\');
    const std::vector<String> parts = SplitComponents(path);

    String asWritten(absolute ? 1 : 0, '/');
    for (const String& part : parts) asWritten = JoinPath(asWritten, part);
    if (!parts.empty() && PathExists(asWritten)) return trailingSeparator ? asWritten + '/' : asWritten;

    String resolved(absolute ? 1 : 0, '/');
    bool missing = false;  // once a folder is missing, the rest is kept as written
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::optional<String> real;
        if (!missing) real = ResolveComponent(resolved, parts[i], i + 1 == parts.size());
        missing = !real;
        resolved = JoinPath(resolved, real ? *real : parts[i]);
    }
    if (trailingSeparator && !parts.empty()) resolved += '/';
    return resolved;
}

void InvalidatePathCache() { Cache().Clear(); }

void NoteFileSystemChange(const String& realPath) { Cache().Forget(realPath); }

bool FileExists(const String& fileName) {
    struct stat st {};
    return ::stat(ResolvePath(fileName).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const String& dirName) {
    struct stat st {};
    return ::stat(ResolvePath(dirName).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int FileAge(const String& fileName) {
    struct stat st {};
    if (::stat(ResolvePath(fileName).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
    return PackDosDateTime(st.st_mtime);
}

bool IsPathDelimiter(char c) { return c == '\\' || c == '/' || c == ':'; }

String ExtractFilePath(const String& fileName) {
    std::size_t i = fileName.size();
    while (i > 0 && !IsPathDelimiter(fileName[i - 1])) --i;
    return fileName.substr(0, i);
}

String ExtractFileName(const String& fileName) {
    std::size_t i = fileName.size();
    while (i > 0 && !IsPathDelimiter(fileName[i - 1])) --i;
    return fileName.substr(i);
}

int OpenRegularFile(const String& realPath) {
    // Looked at before it is opened, so that no device is ever opened; the
    // descriptor decides, as the file may be swapped in between.
    struct stat st {};
    if (::stat(realPath.c_str(), &st) != 0) return -1;
    auto refuse = [](const struct stat& s) {
        errno = S_ISDIR(s.st_mode) ? EISDIR : ENXIO;
        return -1;
    };
    if (!S_ISREG(st.st_mode)) return refuse(st);
    const int fd = ::open(realPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        const int error = S_ISREG(st.st_mode) ? errno : (S_ISDIR(st.st_mode) ? EISDIR : ENXIO);
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

TDataFile::TDataFile(const String& fileName) : name_(fileName) {
    fd_ = OpenRegularFile(ResolvePath(fileName));
    if (fd_ < 0) throw EFOpenError(fileName, errno);
    struct stat st {};
    if (::fstat(fd_, &st) == 0) size_ = st.st_size;
}

TDataFile::~TDataFile() { ::close(fd_); }

std::size_t TDataFile::Read(char* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(fd_, buffer + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw EFOpenError(name_, errno);
        if (n == 0) break;
        done += std::size_t(n);
    }
    return done;
}

std::string ReadDataFile(const String& fileName, std::int64_t limit) {
    TDataFile file(fileName);
    if (file.Size() > limit) throw EFOpenError(fileName, EFBIG);
    std::string data(std::size_t(file.Size()), '\0');
    data.resize(file.Read(data.data(), data.size()));
    // A file that grew since it was opened is read on, within the limit.
    if (std::int64_t(data.size()) == file.Size()) {
        char more[4096];
        while (const std::size_t n = file.Read(more, sizeof more)) {
            if (std::int64_t(data.size() + n) > limit) throw EFOpenError(fileName, EFBIG);
            data.append(more, n);
        }
    }
    return data;
}

namespace {

// A new file beside realPath that nothing else has: its descriptor and
// name, or -1 with errno.
int CreateTemporaryBeside(const String& realPath, int mode, String& temporary) {
    // Names already taken (a stale one of a killed run, a planted file or
    // link) are passed over; the bound only ends a folder that refuses
    // every name with EEXIST.
    constexpr int kMaxTries = 1000;
    const String stem = realPath + "." + std::to_string(::getpid()) + ".";
    for (int n = 1; n <= kMaxTries; ++n) {
        temporary = stem + std::to_string(n) + ".tmp";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode_t(mode));
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void SyncFolderOf(const String& realPath) {
    const std::size_t slash = realPath.rfind('/');
    const String folder = slash == String::npos ? "." : (slash == 0 ? "/" : realPath.substr(0, slash));
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace

int WriteAllBytes(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        bytes.remove_prefix(std::size_t(n));
    }
    return 0;
}

int WriteFileReplacing(const String& realPath, int mode, bool exact, const std::function<int(int fd)>& write) {
    String temporary;
    const int fd = CreateTemporaryBeside(realPath, mode, temporary);
    if (fd < 0) return errno;
    // The first step that fails decides the error.
    int error = exact && ::fchmod(fd, mode_t(mode)) != 0 ? errno : 0;
    if (!error) error = write(fd);
    if (!error && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && !error) error = errno;
    if (!error && ::rename(temporary.c_str(), realPath.c_str()) != 0) error = errno;
    if (error) {
        ::unlink(temporary.c_str());
        NoteFileSystemChange(temporary);
        return error;
    }
    NoteFileSystemChange(realPath);
    // The rename itself reaches the disk with the folder's entry.
    SyncFolderOf(realPath);
    return 0;
}

void ReplaceFileAtomically(const String& fileName, std::string_view bytes) {
    const String target = ResolvePath(fileName);
    struct stat old {};
    const bool regular = ::lstat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    if (regular && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) throw EFCreateError(fileName, errno);
    const int mode = regular ? int(old.st_mode & 07777) : 0644;
    const int error = WriteFileReplacing(target, mode, regular, [&](int fd) { return WriteAllBytes(fd, bytes); });
    if (error) throw EFCreateError(fileName, error);
}
