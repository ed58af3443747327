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

// 0, or the errno that stopped the copy.
int CopyContents(int from, int to) {
    char block[64 * 1024];
    for (;;) {
        ssize_t got = read(from, block, sizeof block);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return errno;
        if (got == 0) return 0;
        if (int error = WriteAllBytes(to, std::string_view(block, size_t(got)))) return error;
    }
}

// An error from making the target: a missing folder on the way is a path
// that was not found.
DWORD TargetError(int e) { return e == ENOENT ? ERROR_PATH_NOT_FOUND : sys::ErrorFromErrno(e); }

}  // namespace

// The copy is made as every file the program writes (WriteFileReplacing):
// through a temporary file of its own, never through a link, so a link or
// file planted at the target is replaced, not written into; the copy has
// the source's permissions. Only a regular file is copied.
BOOL CopyFileA(const char* existingFileName, const char* newFileName, BOOL failIfExists) {
    if (!existingFileName || !newFileName) return sys::Fail(ERROR_INVALID_PARAMETER);
    String source = ResolvePath(existingFileName);
    String target = ResolvePath(newFileName);

    int in = OpenRegularFile(source);
    if (in < 0) return sys::Fail(errno == EISDIR || errno == ENXIO ? ERROR_ACCESS_DENIED : sys::ErrorFromErrno(errno));
    struct stat sourceStat {};
    struct stat targetStat {};
    bool targetExists = lstat(target.c_str(), &targetStat) == 0;
    BOOL result;
    if (fstat(in, &sourceStat) != 0)
        result = sys::Fail(ERROR_ACCESS_DENIED);
    else if (targetExists && failIfExists)
        result = sys::Fail(ERROR_FILE_EXISTS);
    else if (targetExists && (S_ISDIR(targetStat.st_mode) || (S_ISREG(targetStat.st_mode) && IsReadOnly(targetStat)) ||
                              SameFile(sourceStat, targetStat)))
        result = sys::Fail(ERROR_ACCESS_DENIED);
    else if (int error = WriteFileReplacing(target, int(sourceStat.st_mode & 07777), true,
                                            [in](int out) { return CopyContents(in, out); }))
        result = sys::Fail(TargetError(error));
    else
        result = sys::Succeed();
    close(in);
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
