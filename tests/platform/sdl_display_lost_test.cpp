// The real X display path: when the X server goes away under a running
// program, the program ends at once instead of waiting on the dead display.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/backend/backend.h"
#include "platform/backend/sdl/sdl_backend.h"
#include "platform/gfx/graphics.h"

namespace {

bool OnPath(const std::string& program) {
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

pid_t Spawn(const std::vector<std::string>& args) {
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
int WaitFor(pid_t pid, double seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    int status = 0;
    while (std::chrono::steady_clock::now() < until) {
        if (waitpid(pid, &status, WNOHANG) == pid) return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

void Stop(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace

TEST(SdlDisplayLost, TheProgramEndsWhenTheXServerGoesAway) {
    if (!OnPath("Xvfb") || !OnPath("openbox")) GTEST_SKIP() << "needs Xvfb and openbox";
    int n = 60 + int(getpid() % 200);
    while (access(("/tmp/.X11-unix/X" + std::to_string(n)).c_str(), F_OK) == 0 ||
           access(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), F_OK) == 0)
        ++n;
    const std::string display = ":" + std::to_string(n);
    const pid_t server = Spawn({"Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    for (int i = 0; i < 200 && access(("/tmp/.X11-unix/X" + std::to_string(n)).c_str(), F_OK) != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    setenv("DISPLAY", display.c_str(), 1);
    // A window manager and the OpenGL renderer: where the program's window is
    // torn down through a wait for the manager, which never comes.
    const pid_t manager = Spawn({"openbox"});
    std::this_thread::sleep_for(std::chrono::seconds(1));

    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t program = fork();
    if (program == 0) {
        close(ready[0]);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("SDL_RENDER_DRIVER", "opengl", 1);
        try {
            backend::Install(backend::CreateSdlBackend());
        } catch (...) {
            _exit(3);
        }
        backend::Backend& b = backend::Current();
        b.SetFullscreen(true);
        Surface frame;
        frame.Resize(640, 480, clWhite);
        b.Present(frame);
        [[maybe_unused]] const ssize_t told = write(ready[1], "r", 1);
        backend::Event ev;
        for (;;) b.WaitEvent(ev, 100);
    }
    close(ready[1]);
    char mark = 0;
    const bool started = read(ready[0], &mark, 1) == 1;
    close(ready[0]);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    Stop(server);
    const int status = WaitFor(program, 10);
    if (status == -1) Stop(program);
    Stop(manager);
    ASSERT_TRUE(started) << "the program never showed its window";
    ASSERT_NE(status, -1) << "the program still ran 10 s after its display was gone";
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
}
