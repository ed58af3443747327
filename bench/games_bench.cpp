// The games' targets on the SDL backend: the processor share of the whole
// program while word pairs' board waits to be memorised (<= 5 % of a core).
// Without a display it runs on SDL's dummy video and audio.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>

#include <filesystem>
#include <string>

#include "games/UDvojice.h"
#include "platform/backend/sdl/sdl_backend.h"
#include "shell/UKonec.h"
#include "shell/Velamo.h"

namespace {

const std::string kAppDir = std::string(VELAMO_APP_DIR) + "/";

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// A runtime folder of its own, so that a running copy's lock does not count.
std::string FreshRuntimeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velamo-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return "/tmp";
    return pattern;
}

// Range 0: the seconds measured, from the start of the phase.
void BM_WordPairsMemorisingCpu(benchmark::State& state) {
    if (!getenv("DISPLAY")) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
    setenv("XDG_RUNTIME_DIR", FreshRuntimeFolder().c_str(), 1);
    const int measuredMs = int(state.range(0)) * 1000;
    constexpr int kOpenAtMs = 2000;  // start-up is done by then
    double cpuShare = -1;
    bool memorisedThroughout = false;
    for (auto _ : state) {
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
            OpenScreen<TwndDvojice>(wndDvojice, [](TwndDvojice& s) { s.NewGame(); });
            cpuStart = ProcessCpuSeconds();
            tickStart = GetTickCount();
        };
        auto* measure = new TTimer(Application);
        measure->SetInterval(kOpenAtMs + measuredMs);
        measure->OnTimer = [&](TObject*) {
            measure->SetEnabled(false);
            const double wall = double(GetTickCount() - tickStart) * 1e-3;
            cpuShare = (ProcessCpuSeconds() - cpuStart) / wall;
            memorisedThroughout = wndDvojice && wndDvojice->Memorising;
            Application->Terminate();
        };
        VelamoMain();
    }
    if (!memorisedThroughout) state.SkipWithError("the memorising phase did not last the measured time");
    state.counters["cpu_percent"] = cpuShare * 100.0;
    state.SetLabel(getenv("DISPLAY") ? "display" : "dummy video");
}
BENCHMARK(BM_WordPairsMemorisingCpu)->Arg(10)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
