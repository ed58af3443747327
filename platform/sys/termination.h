// Termination signals (SIGTERM, SIGINT, SIGHUP): while they are caught, one
// asks the program to end as it ends by itself: the message loop sees the
// request and terminates the application, every wait and modal loop returns,
// and the program cleans up on its way out (the display restored, its
// temporary file removed). Without them a kill would leave that undone.
#pragma once

#include <functional>
#include <thread>

namespace sys {

class TerminationSignals {
public:
    // Catches the three signals. `wake` runs on a thread of its own after
    // each one, to make a wait in progress return (it must be thread-safe).
    explicit TerminationSignals(std::function<void()> wake);
    // Puts the actions found back.
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    std::thread watcher_;
};

// The signal that asked the program to end (0: none) since they were last
// caught.
int TerminationRequested();
// When a signal asked the program to end: ends the process by that signal
// with its default action, so that whoever sent it sees it obeyed. Called
// last, once the program has cleaned up.
void EndByTerminationSignal();

}  // namespace sys
