// The firefighter's targets: one game tick with all twelve windows burning
// and the water on, composed and presented, headless on the generated data
// tree (<= 1 ms); and the whole program's processor share on the SDL backend
// while the game runs (<= 10 % of a core), with and without the water.
// Without a display the second runs on SDL's dummy video and audio. And
// reading a best-times file of 512 MiB.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bench_percentiles.h"
#include "platform/backend/headless/harness.h"
#include "program_cpu.h"
#include "shell/UMisc.h"
#include "simulations/BestTimes.h"
#include "simulations/USimulaceHasic.h"

namespace {

using namespace benchprogram;

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
    ReportPercentiles(state, ms);
}
BENCHMARK(BM_FirefighterTickAllBurningWithWater)->Unit(benchmark::kMicrosecond)->Iterations(2000);

// Range 0: the seconds measured; range 1: the water on.
void BM_FirefighterCpuOnSdl(benchmark::State& state) {
    const bool water = state.range(1) != 0;
    TCpuRun run;
    for (auto _ : state) {
        run = MeasureProgramCpu(
            int(state.range(0)) * 1000,
            [water] {
                OpenScreen(wndSimulaceHasic);
                if (water) SprayWindowOne();
            },
            [water] { return wndSimulaceHasic && wndSimulaceHasic->Timer->Enabled() && wndSimulaceHasic->Spraying == water; });
    }
    if (!run.RanThroughout) state.SkipWithError("the game did not run the measured time as set");
    state.counters["cpu_percent"] = run.Share * 100.0;
    state.SetLabel(DisplayLabel() + (water ? ", water on" : ""));
}
BENCHMARK(BM_FirefighterCpuOnSdl)->Args({10, 0})->Args({10, 1})->Iterations(1)->Unit(benchmark::kSecond);

// Reading a best-times file of 512 MiB (a hole after what range 0 puts
// first: 1 its ten rows, 0 nothing): the reader takes only what it uses
// (target: under a second, under 64 MB). Reported: the growth of the
// process's peak memory over the whole run, in MB.
void BM_ReadBestTimesOfHalfAGigabyte(benchmark::State& state) {
    const std::string path = FreshFolder() + "/hasic.dat";
    {
        std::ofstream file(path, std::ios::binary);
        for (int i = 0; state.range(0) != 0 && i < 10; ++i) file << "Hrac " << i << "|" << 100 - i << "\r\n";
    }
    std::filesystem::resize_file(path, std::uintmax_t(512) << 20);
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    std::size_t rows = 0;
    for (auto _ : state) rows = ReadBestTimes(path).size();
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    if (rows != (state.range(0) != 0 ? 10u : 0u)) state.SkipWithError("the rows read are not the file's");
    state.counters["peak_growth_MB"] = double(after.ru_maxrss - before.ru_maxrss) / 1024.0;
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadBestTimesOfHalfAGigabyte)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
