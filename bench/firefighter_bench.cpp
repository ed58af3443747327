// The firefighter's targets: one game tick with all twelve windows burning
// and the water on, composed and presented, headless on the generated data
// tree (<= 1 ms); and the whole program's processor share on the SDL backend
// while the game runs (<= 10 % of a core), with and without the water.
// Without a display the second runs on SDL's dummy video and audio.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/backend/headless/harness.h"
#include "platform/backend/sdl/sdl_backend.h"
#include "shell/UKonec.h"
#include "shell/UMisc.h"
#include "shell/Velamo.h"
#include "simulations/USimulaceHasic.h"

namespace {

const std::string kAppDir = std::string(VELAMO_APP_DIR) + "/";

std::string FreshFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velamo-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return "/tmp";
    return pattern;
}

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size())))];
}

// Window 1 pressed: the stream and the looped water from the next ticks on.
void SprayWindowOne() {
    TwndSimulaceHasic& f = *wndSimulaceHasic;
    f.OknoMouseDown(f.Okna[1], mbLeft, 0, 0, 0);
}

void BM_FirefighterTickAllBurningWithWater(benchmark::State& state) {
    setenv("XDG_DATA_HOME", FreshFolder().c_str(), 1);
    headless::Harness h;
    Application->SetExeName(kAppDir + "Velamo");
    InitPaths();
    InitSoundsAndCursors();
    OpenScreen(wndSimulaceHasic);
    TwndSimulaceHasic& f = *wndSimulaceHasic;
    for (TTimer* t : {f.Timer, f.PridejTimer, f.Casomira}) t->SetEnabled(false);
    h.RunFor(10);
    SprayWindowOne();
    std::vector<double> ms;
    int tick = 0;
    for (auto _ : state) {
        // Every window burning, at levels that stay below the burnt-out one.
        for (int w = 2; w <= 12; ++w) {
            f.FireLevel[w] = 5 + (tick + 7 * w) % 90;
            f.Burning.set(w);
        }
        ++tick;
        const int framesBefore = h.Backend().FrameCount();
        const auto start = std::chrono::steady_clock::now();
        f.TimerTimer(nullptr);
        h.RunUntil([&] { return h.Backend().FrameCount() != framesBefore; }, 5);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    if (!f.Spraying) state.SkipWithError("the house was not burning under the spray");
    state.counters["p50_ms"] = Percentile(ms, 0.50);
    state.counters["p99_ms"] = Percentile(ms, 0.99);
    state.counters["max_ms"] = Percentile(ms, 1.0);
}
BENCHMARK(BM_FirefighterTickAllBurningWithWater)->Unit(benchmark::kMicrosecond)->Iterations(2000);

struct TCpuRun {
    double share = -1;
    bool ranThroughout = false;
};

// The program from its start, the firefighter opened after start-up and
// measured for measuredMs. Runs in a process of its own: the program holds
// its single-instance lock until its process ends.
TCpuRun MeasureProgramCpu(int measuredMs, bool water) {
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
        auto* open = new TTimer(Application);
        open->SetInterval(kOpenAtMs);
        open->OnTimer = [&](TObject*) {
            open->SetEnabled(false);
            if (wndKonec && wndKonec->Showing()) wndKonec->Hide();  // the splash
            OpenScreen(wndSimulaceHasic);
            if (water) SprayWindowOne();
            cpuStart = ProcessCpuSeconds();
            tickStart = GetTickCount();
        };
        auto* measure = new TTimer(Application);
        measure->SetInterval(kOpenAtMs + measuredMs);
        measure->OnTimer = [&](TObject*) {
            measure->SetEnabled(false);
            const double wall = double(GetTickCount() - tickStart) * 1e-3;
            run.share = (ProcessCpuSeconds() - cpuStart) / wall;
            run.ranThroughout = wndSimulaceHasic && wndSimulaceHasic->Timer->Enabled() &&
                                wndSimulaceHasic->Spraying == water;
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

// Range 0: the seconds measured; range 1: the water on.
void BM_FirefighterCpuOnSdl(benchmark::State& state) {
    if (!getenv("DISPLAY")) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
    setenv("XDG_RUNTIME_DIR", FreshFolder().c_str(), 1);
    setenv("XDG_DATA_HOME", FreshFolder().c_str(), 1);
    const bool water = state.range(1) != 0;
    TCpuRun run;
    for (auto _ : state) run = MeasureProgramCpu(int(state.range(0)) * 1000, water);
    if (!run.ranThroughout) state.SkipWithError("the game did not run the measured time as set");
    state.counters["cpu_percent"] = run.share * 100.0;
    state.SetLabel(std::string(getenv("DISPLAY") ? "display" : "dummy video") + (water ? ", water on" : ""));
}
BENCHMARK(BM_FirefighterCpuOnSdl)->Args({10, 0})->Args({10, 1})->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
