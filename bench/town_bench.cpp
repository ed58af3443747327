// The town window's timing targets: a mouse move over the town, from the
// event to the presented frame with the name plate (p50 <= 1 ms, p99 <= 3 ms),
// and the start-up until the town is shown, headless on the generated data
// tree (<= 500 ms).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_percentiles.h"
#include "platform/backend/headless/harness.h"
#include "platform/sys/system.h"
#include "shell/UMisc.h"
#include "shell/UVelamo.h"
#include "shell/Velamo.h"

namespace {

const std::string kAppDir = std::string(VELAMO_APP_DIR) + "/";

// A runtime folder of its own for each start, so the single-instance lock
// of an earlier start does not count.
std::string FreshRuntimeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velamo-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return "/tmp";
    return pattern;
}

using Clock = std::chrono::steady_clock;

void BM_TownMouseMoveToPresentedFrame(benchmark::State& state) {
    headless::Harness h;
    Application->SetExeName(kAppDir + "Velamo");
    InitPaths();
    InitSoundsAndCursors();
    Application->CreateForm(wndVelamo);
    // The message loop shows the main form when it starts; here no loop runs.
    wndVelamo->Show();
    h.RunFor(10);
    // Two places in the start view, and a black border point between moves
    // now and then: each move over a place fills its region and shows its
    // plate.
    const TPoint points[] = {{1760 - 1446 + 6, 246 + 6}, {1824 - 1446 + 6, 195 + 6}, {1648 - 1446 + 6, 259 + 6},
                             {1476 - 1446 + 6, 246 + 6}};
    std::vector<double> ms;
    int presents = 0;
    std::size_t i = 0;
    for (auto _ : state) {
        const TPoint p = points[i++ % std::size(points)];
        const int framesBefore = h.Backend().FrameCount();
        h.MoveTo(h.Now() + 1, p.X, p.Y);
        const auto start = Clock::now();
        h.RunUntil([&] { return h.Backend().FrameCount() != framesBefore; }, 5);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        // Whatever the move left pending, handled: every frame it made.
        Application->ProcessMessages();
        presents += h.Backend().FrameCount() - framesBefore;
    }
    if (wndVelamo->HoverPlace == 0) state.SkipWithError("the moves found no place");
    ReportPercentiles(state, ms);
    state.counters["presents_per_move"] = double(presents) / double(ms.size());
}
BENCHMARK(BM_TownMouseMoveToPresentedFrame)->Unit(benchmark::kMicrosecond)->Iterations(2000);

void BM_StartUpUntilTheTownIsShown(benchmark::State& state) {
    std::vector<double> ms;
    for (auto _ : state) {
        setenv("XDG_RUNTIME_DIR", FreshRuntimeFolder().c_str(), 1);
        headless::Harness h;
        sys::ConfigureDisplay({{640, 480, 16, 60}}, {1024, 768, 32, 60});
        Application->SetExeName(kAppDir + "Velamo");
        bool shown = false;
        Clock::time_point shownAt;
        for (std::uint64_t t = 0; t < 1000; ++t)
            h.At(t, [&] {
                if (!shown && wndVelamo && wndVelamo->Showing()) {
                    shown = true;
                    shownAt = Clock::now();
                    Application->Terminate();
                }
            });
        const auto start = Clock::now();
        VelamoMain();
        if (!shown) {
            state.SkipWithError("the town was not shown");
            return;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(shownAt - start).count());
    }
    ReportPercentiles(state, ms);
}
BENCHMARK(BM_StartUpUntilTheTownIsShown)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
