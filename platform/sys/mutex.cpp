#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <vector>

#include "platform/sys/last_error.h"
#include "platform/sys/system.h"
#include "platform/sys/windows.h"

namespace {

// A named mutex: the descriptor holding its lock, or -1 when another holder
// had it first. Kept until the process ends, which releases the locks.
struct NamedMutex {
    int lockFd = -1;
    ~NamedMutex() {
        if (lockFd >= 0) close(lockFd);
    }
};

std::vector<std::unique_ptr<NamedMutex>>& Mutexes() {
    static std::vector<std::unique_ptr<NamedMutex>> mutexes;
    return mutexes;
}

HANDLE Keep(std::unique_ptr<NamedMutex> mutex) {
    Mutexes().push_back(std::move(mutex));
    return Mutexes().back().get();
}

// Names may hold separators ("Local\name"); the file name may not.
String LockFileName(const char* name) {
    String file = name;
    for (char& c : file)
        if (c == '/' || c == '\\') c = '_';
    return file + ".lock";
}

}  // namespace

HANDLE CreateMutexA(const void* securityAttributes, BOOL initialOwner, const char* name) {
    auto mutex = std::make_unique<NamedMutex>();
    if (!name || !*name) {
        SetLastError(ERROR_SUCCESS);
        return Keep(std::move(mutex));
    }
    // The runtime folder first; where it cannot hold the lock (read-only, no
    // locks, its lock file taken by something else), the user's private
    // folder, so that two copies always meet at the same lock.
    DWORD error = ERROR_PATH_NOT_FOUND;
    for (const String& folder : {sys::UserRuntimeFolder(), sys::UserPrivateFolder()}) {
        if (folder.empty()) continue;
        String path = folder + "/" + LockFileName(name);
        // Never through a link planted at the name, never waiting on a FIFO.
        int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
        struct stat st {};
        if (fd >= 0 && (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
            close(fd);
            fd = -1;
            errno = ENXIO;
        }
        if (fd < 0) {
            error = sys::ErrorFromErrno(errno);
            continue;
        }
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            mutex->lockFd = fd;
            SetLastError(ERROR_SUCCESS);
            return Keep(std::move(mutex));
        }
        const int lockError = errno;
        close(fd);
        if (lockError == EWOULDBLOCK) {
            SetLastError(ERROR_ALREADY_EXISTS);
            return Keep(std::move(mutex));
        }
        error = sys::ErrorFromErrno(lockError);
    }
    SetLastError(error);
    return nullptr;
}
