// The whole program's processor share on the SDL backend while one screen
// runs: the program started as it starts, the screen opened once start-up is
// done, and the process's processor time over a measured stretch. Without a
// display it runs on SDL's dummy video and audio.
#pragma once

#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/backend/sdl/sdl_backend.h"
#include "shell/UKonec.h"
#include "shell/Velamo.h"

namespace benchprogram {

inline const std::string kAppDir = std::string(VELAMO_APP_DIR) + "/";

// A folder of its own (runtime folder for the single-instance lock, data
// folder), so that a running copy does not count.
inline std::string FreshFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velamo-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return "/tmp";
    return pattern;
}

inline double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

struct TCpuRun {
    double Share = -1;           // of one core
    bool RanThroughout = false;  // the screen was still as measured at the end
};

// Opens the screen (`open`, 2 s after the start) and measures measuredMs;
// `stillAsMeasured` is asked at the end. Runs in a process of its own: the
// program holds its single-instance lock until its process ends, so each
// measurement is a start of its own.
inline TCpuRun MeasureProgramCpu(int measuredMs, const std::function<void()>& open,
                                 const std::function<bool()>& stillAsMeasured) {
    if (!getenv("DISPLAY")) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
    setenv("XDG_RUNTIME_DIR", FreshFolder().c_str(), 1);
    setenv("XDG_DATA_HOME", FreshFolder().c_str(), 1);
    int channel[2];
    if (pipe(channel) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(channel[0]);
        constexpr int kOpenAtMs = 2000;  // start-up is done by then
        TCpuRun run;
        backend::Install(backend::CreateSdlBackend());
        TApplication app;
        Application->SetExeName(kAppDir + "Velamo");
        double cpuStart = 0;
        DWORD tickStart = 0;
        auto* opener = new TTimer(Application);
        opener->SetInterval(kOpenAtMs);
        opener->OnTimer = [&](TObject*) {
            opener->SetEnabled(false);
            if (wndKonec && wndKonec->Showing()) wndKonec->Hide();  // the splash
            open();
            cpuStart = ProcessCpuSeconds();
            tickStart = GetTickCount();
        };
        auto* measure = new TTimer(Application);
        measure->SetInterval(kOpenAtMs + measuredMs);
        measure->OnTimer = [&](TObject*) {
            measure->SetEnabled(false);
            const double wall = double(GetTickCount() - tickStart) * 1e-3;
            run.Share = (ProcessCpuSeconds() - cpuStart) / wall;
            run.RanThroughout = stillAsMeasured();
            Application->Terminate();
        };
        VelamoMain();
        const bool sent = write(channel[1], &run, sizeof run) == sizeof run;
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    TCpuRun run;
    if (read(channel[0], &run, sizeof run) != sizeof run) run = {};
    close(channel[0]);
    waitpid(pid, nullptr, 0);
    return run;
}

inline std::string DisplayLabel() { return getenv("DISPLAY") ? "display" : "dummy video"; }

}  // namespace benchprogram
