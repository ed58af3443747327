// The built program started where there is no display at all (over ssh, from
// a service): it says so and ends, instead of running where nobody sees it.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "shell_test_support.h"

using namespace shelltest;

namespace {

struct ProgramRun {
    bool ended = false;  // false: it still ran after the wait and was killed
    int status = 0;
    std::string errors;
};

// Runs build/app/Velamo with no display in its environment and its own
// runtime and data folders; waits up to `seconds` for it to end.
ProgramRun RunWithoutDisplay(const TempFolder& home, double seconds) {
    const std::string errorsFile = home.Path("stderr.txt");
    const pid_t pid = fork();
    if (pid == 0) {
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "VELAMO_BACKEND", "SDL_VIDEODRIVER"}) unsetenv(name);
        setenv("XDG_RUNTIME_DIR", home.Path("").c_str(), 1);
        setenv("XDG_DATA_HOME", home.Path("data").c_str(), 1);
        setenv("HOME", home.Path("").c_str(), 1);
        if (!freopen(errorsFile.c_str(), "w", stderr) || !freopen("/dev/null", "w", stdout)) _exit(126);
        execl(VELAMO_APP_DIR "/Velamo", "Velamo", static_cast<char*>(nullptr));
        _exit(127);
    }
    ProgramRun run;
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < until) {
        if (waitpid(pid, &run.status, WNOHANG) == pid) {
            run.ended = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!run.ended) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    std::ifstream in(errorsFile);
    run.errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return run;
}

// Twice in the same runtime folder: the second run meets no lock left by the
// first (a held lock would end it at once, silently, with status 0).
TEST(ProgramWithoutDisplay, EndsWithStatusOneAndOneLineEachTime) {
    TempFolder home;
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE("start " + std::to_string(start));
        const ProgramRun run = RunWithoutDisplay(home, 10);
        ASSERT_TRUE(run.ended) << "the program still ran 10 s after its start";
        ASSERT_TRUE(WIFEXITED(run.status));
        EXPECT_EQ(WEXITSTATUS(run.status), 1);
        EXPECT_EQ(run.errors, "Velamo: the program needs a graphical display, and none could be opened\n");
    }
}

}  // namespace
