// Tests on a real X server: a private Xvfb (and a window manager) spawned for
// one test, skipped where they are not installed. Needs Xlib.
#pragma once

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace xtest {

inline bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t from = 0;
    while (from <= dirs.size()) {
        const std::size_t to = std::min(dirs.find(':', from), dirs.size());
        if (access((dirs.substr(from, to - from) + "/" + program).c_str(), X_OK) == 0) return true;
        from = to + 1;
    }
    return false;
}

// Starts `args` with its output thrown away.
inline pid_t Spawn(const std::vector<std::string>& args) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// Waits up to `seconds` for `pid` to end; its status, or -1 if it still runs.
inline int WaitFor(pid_t pid, double seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    int status = 0;
    while (std::chrono::steady_clock::now() < until) {
        if (waitpid(pid, &status, WNOHANG) == pid) return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

inline void Stop(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Whether `fd` has something to read within `seconds`.
inline bool ReadableWithin(int fd, double seconds) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, int(seconds * 1000)) == 1;
}

// An Xvfb (1024x768 unless `geometry` names another size, as WIDTHxHEIGHTxDEPTH)
// on a display number of its own, named in DISPLAY while it runs. Tests running side by side may pick the same free number at once:
// the server that loses the number's lock ends, and its test tries another
// (as it does where a live server holds the number).
class VirtualScreen {
public:
    explicit VirtualScreen(const std::string& geometry = "1024x768x24") {
        int n = 100 + int(getpid() % 800);
        for (int attempt = 0; attempt < 20 && name_.empty(); ++attempt, n += 7) {
            const std::string name = ":" + std::to_string(n);
            server_ = Spawn({"Xvfb", name, "-screen", "0", geometry, "-nolisten", "tcp"});
            if (Serves(name)) {
                name_ = name;
            } else {
                Kill();
            }
        }
        setenv("DISPLAY", name_.c_str(), 1);
        // No session bus: else SDL's start would launch one for this display
        // (whose reading leaks in libdbus).
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    }
    // Ended as a user would end it, so that it removes its lock and socket.
    ~VirtualScreen() {
        if (server_ > 0 && kill(server_, SIGTERM) == 0 && WaitFor(server_, 5) != -1) return;
        Stop(server_);
    }
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    // Empty when no server could be started.
    const std::string& Name() const { return name_; }
    // Ends the server now (the destructor then has nothing to do).
    void Kill() {
        Stop(server_);
        server_ = -1;
    }

private:
    // Whether our server takes clients at `name`, and is still running
    // then (a connection could reach another test's server otherwise).
    bool Serves(const std::string& name) {
        for (int i = 0; i < 200; ++i) {
            if (waitpid(server_, nullptr, WNOHANG) == server_) {
                server_ = -1;
                return false;
            }
            if (Display* x = XOpenDisplay(name.c_str())) {
                XCloseDisplay(x);
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                if (waitpid(server_, nullptr, WNOHANG) != server_) return true;
                server_ = -1;
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        return false;
    }

    std::string name_;
    pid_t server_ = -1;
};

// openbox on the screen, started before and ended after the test's window.
class WindowManager {
public:
    explicit WindowManager(Display* x) : pid_(Spawn({"openbox"})) {
        for (int i = 0; i < 500 && !Named(x); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        // It names itself before its start-up is over; a window mapped
        // meanwhile may never be managed (nor shown).
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    ~WindowManager() { Stop(pid_); }
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    pid_t Pid() const { return pid_; }

private:
    static bool Named(Display* x) {
        const Atom check = XInternAtom(x, "_NET_SUPPORTING_WM_CHECK", False);
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const bool set = XGetWindowProperty(x, DefaultRootWindow(x), check, 0, 1, False, AnyPropertyType, &type,
                                            &format, &count, &after, &data) == Success &&
                         count == 1;
        if (data) XFree(data);
        return set;
    }

    pid_t pid_;
};

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};
using DisplayConnection = std::unique_ptr<Display, DisplayCloser>;

}  // namespace xtest
