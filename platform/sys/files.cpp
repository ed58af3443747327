#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/core/files.h"
#include "platform/sys/last_error.h"
#include "platform/sys/system.h"
#include "platform/sys/windows.h"

namespace {

bool IsReadOnly(const struct stat& st) { return !(st.st_mode & S_IWUSR); }

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

bool WriteAll(int fd, const char* data, ssize_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool CopyContents(int from, int to) {
    char block[64 * 1024];
    for (;;) {
        ssize_t got = read(from, block, sizeof block);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        if (!WriteAll(to, block, got)) return false;
    }
}

// An error from opening the target: a missing folder on the way is a path
// that was not found.
DWORD TargetOpenError(int e) { return e == ENOENT ? ERROR_PATH_NOT_FOUND : sys::ErrorFromErrno(e); }

// Copies the open source to target, which gets the source's permissions. A
// copy that fails half way is removed rather than left truncated.
BOOL CopyOpenFile(int source, const struct stat& sourceStat, const String& target) {
    mode_t mode = sourceStat.st_mode & 07777;
    int out = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode | S_IWUSR);
    if (out < 0) return sys::Fail(TargetOpenError(errno));
    bool copied = CopyContents(source, out) && fchmod(out, mode) == 0;
    int error = errno;
    if (close(out) != 0 && copied) {
        copied = false;
        error = errno;
    }
    if (!copied) {
        unlink(target.c_str());
        return sys::Fail(sys::ErrorFromErrno(error));
    }
    return sys::Succeed();
}

}  // namespace

BOOL CopyFileA(const char* existingFileName, const char* newFileName, BOOL failIfExists) {
    if (!existingFileName || !newFileName) return sys::Fail(ERROR_INVALID_PARAMETER);
    String source = ResolvePath(existingFileName);
    String target = ResolvePath(newFileName);

    int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return sys::Fail(sys::ErrorFromErrno(errno));
    struct stat sourceStat {};
    struct stat targetStat {};
    bool targetExists = stat(target.c_str(), &targetStat) == 0;
    BOOL result;
    if (fstat(in, &sourceStat) != 0 || S_ISDIR(sourceStat.st_mode))
        result = sys::Fail(ERROR_ACCESS_DENIED);
    else if (targetExists && failIfExists)
        result = sys::Fail(ERROR_FILE_EXISTS);
    else if (targetExists && (S_ISDIR(targetStat.st_mode) || IsReadOnly(targetStat) || SameFile(sourceStat, targetStat)))
        result = sys::Fail(ERROR_ACCESS_DENIED);
    else
        result = CopyOpenFile(in, sourceStat, target);
    close(in);
    if (result) NoteFileSystemChange(target);
    return result;
}

BOOL DeleteFileA(const char* fileName) {
    if (!fileName) return sys::Fail(ERROR_INVALID_PARAMETER);
    String path = ResolvePath(fileName);
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) return sys::Fail(sys::ErrorFromErrno(errno));
    if (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && IsReadOnly(st))) return sys::Fail(ERROR_ACCESS_DENIED);
    if (unlink(path.c_str()) != 0) return sys::Fail(sys::ErrorFromErrno(errno));
    NoteFileSystemChange(path);
    return sys::Succeed();
}

BOOL SetFileAttributesA(const char* fileName, DWORD attributes) {
    if (!fileName) return sys::Fail(ERROR_INVALID_PARAMETER);
    String path = ResolvePath(fileName);
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return sys::Fail(sys::ErrorFromErrno(errno));
    // A folder's write permission decides whether files can be made in it:
    // the read-only attribute does not reach it.
    if (S_ISDIR(st.st_mode)) return sys::Succeed();
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~mode_t(0222)) : (mode | S_IWUSR);
    if (chmod(path.c_str(), mode) != 0) return sys::Fail(sys::ErrorFromErrno(errno));
    return sys::Succeed();
}

UINT GetSystemDirectoryA(char* buffer, UINT size) {
    String folder = sys::PlatformModuleFolder();
    UINT length = UINT(folder.size());
    SetLastError(ERROR_SUCCESS);
    if (!buffer || size <= length) return length + 1;
    std::memcpy(buffer, folder.c_str(), length + 1);
    return length;
}
