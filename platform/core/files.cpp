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

std::string ReadWholeFile(const String& fileName) {
    int fd = ::open(ResolvePath(fileName).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw EFOpenError(fileName, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        throw EFOpenError(fileName, error);
    }
    std::string data;
    if (st.st_size > 0) data.reserve(std::size_t(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int error = errno;
            ::close(fd);
            throw EFOpenError(fileName, error);
        }
        if (n == 0) break;
        data.append(buffer, std::size_t(n));
    }
    ::close(fd);
    return data;
}
