// Tests on a real X server: a private Xvfb (and a window manager) spawned for
// one test, skipped where they are not installed.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
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

// A 1024x768 Xvfb on a free display number, named in DISPLAY while it runs.
class VirtualScreen {
public:
    VirtualScreen() {
        int n = 60 + int(getpid() % 200);
        while (access(Socket(n).c_str(), F_OK) == 0 || access(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), F_OK) == 0)
            ++n;
        name_ = ":" + std::to_string(n);
        server_ = Spawn({"Xvfb", name_, "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        for (int i = 0; i < 200 && access(Socket(n).c_str(), F_OK) != 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        setenv("DISPLAY", name_.c_str(), 1);
        // No session bus: else SDL's start would launch one for this display
        // (whose reading leaks in libdbus).
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    }
    ~VirtualScreen() { Stop(server_); }
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    const std::string& Name() const { return name_; }
    pid_t Pid() const { return server_; }
    // Ends the server now (the destructor then has nothing to do).
    void Kill() {
        Stop(server_);
        server_ = -1;
    }

private:
    static std::string Socket(int n) { return "/tmp/.X11-unix/X" + std::to_string(n); }

    std::string name_;
    pid_t server_ = -1;
};

}  // namespace xtest
