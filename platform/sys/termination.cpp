#include "platform/sys/termination.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace sys {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

std::atomic<int> requested{0};
// The handler tells the watcher thread through this pipe: writing to a pipe
// is one of the few things a signal handler may do.
int wakePipe[2] = {-1, -1};
struct sigaction previous[3];

extern "C" void OnTerminationSignal(int signal) {
    const int savedErrno = errno;
    requested.store(signal);
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(wakePipe[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> wake) {
    requested.store(0);
    if (pipe2(wakePipe, O_CLOEXEC) != 0) return;
    fcntl(wakePipe[1], F_SETFL, O_NONBLOCK);
    watcher_ = std::thread([wake = std::move(wake)] {
        char byte = 0;
        for (;;) {
            const ssize_t got = read(wakePipe[0], &byte, 1);
            if (got < 0 && errno == EINTR) continue;
            if (got != 1 || byte == 0) return;  // 0: caught no longer
            if (wake) wake();
        }
    });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &previous[i]);
}

TerminationSignals::~TerminationSignals() {
    if (!watcher_.joinable()) return;
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &previous[i], nullptr);
    const char stop = 0;
    while (write(wakePipe[1], &stop, 1) < 0 && errno == EINTR) {
    }
    watcher_.join();
    close(wakePipe[0]);
    close(wakePipe[1]);
    wakePipe[0] = wakePipe[1] = -1;
}

int TerminationRequested() { return requested.load(); }

void EndByTerminationSignal() {
    const int signal = requested.load();
    if (signal == 0) return;
    ::signal(signal, SIG_DFL);
    raise(signal);
}

}  // namespace sys
