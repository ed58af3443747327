// The town game's timing target: a mouse move over the town while the thing
// is carried, from the event to the presented frame with the thing under the
// pointer and the place's name plate (p50 <= 1 ms, p99 <= 3 ms), headless on
// the generated data tree.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "bench_percentiles.h"
#include "games/UCiToJe.h"
#include "platform/backend/headless/harness.h"
#include "shell/UMisc.h"
#include "shell/UVelamo.h"

namespace {

const std::string kAppDir = std::string(VELAMO_APP_DIR) + "/";

using Clock = std::chrono::steady_clock;

void BM_TownGameCarryingMoveToPresentedFrame(benchmark::State& state) {
    headless::Harness h;
    Application->SetExeName(kAppDir + "Velamo");
    InitPaths();
    InitSoundsAndCursors();
    // The game copies the town window's town and mask.
    Application->CreateForm(wndVelamo);
    OpenScreen<TwndCiToJe>(wndCiToJe, [](auto& s) { s.NewThing(); });
    h.RunFor(10);
    // Picked up from its box, as a click there does.
    h.Click(h.Now() + 1, 595, 449);
    h.RunFor(100);
    if (!wndCiToJe || !wndCiToJe->Carrying) {
        state.SkipWithError("the thing was not picked up");
        return;
    }
    // Places in the start view and a point between them: each move over a
    // place fills its region and draws the thing and the plate.
    const TPoint points[] = {{1760 - 1446 + 6, 246 + 6}, {1824 - 1446 + 6, 195 + 6}, {1648 - 1446 + 6, 259 + 6},
                             {1476 - 1446 + 6, 246 + 6}, {1700 - 1446 + 6, 330 + 6}};
    std::vector<double> ms;
    int presents = 0;
    std::size_t i = 0;
    int withPlace = 0;
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
        withPlace += wndCiToJe->HoverPlace != 0;
    }
    if (withPlace == 0) state.SkipWithError("the moves found no place");
    if (!wndCiToJe->Carrying) state.SkipWithError("the thing was put down");
    ReportPercentiles(state, ms);
    state.counters["presents_per_move"] = double(presents) / double(ms.size());
}
BENCHMARK(BM_TownGameCarryingMoveToPresentedFrame)->Unit(benchmark::kMicrosecond)->Iterations(2000);

}  // namespace

BENCHMARK_MAIN();
