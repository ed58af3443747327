// Put in order's timing target: a mouse move while a thing is carried, from
// the event to the presented frame with the thing under the pointer (p50 <=
// 0.5 ms, p99 <= 2 ms), headless on the generated data tree. The move's cost
// is also given in whole-screen copies timed in the same run, a ratio the
// machine's load does not change much.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "bench_percentiles.h"
#include "games/UPoradek.h"
#include "platform/backend/headless/harness.h"
#include "shell/UMisc.h"
#include "shell/UVelamo.h"

namespace {

const std::string kAppDir = std::string(VELAMO_APP_DIR) + "/";

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The pointer's way over the persons and the form: steps of 6 pixels to the
// right and back, as a hand moves the mouse.
std::vector<TPoint> CarryPath() {
    std::vector<TPoint> path;
    for (int x = 120; x <= 560; x += 6) path.push_back({x, 150 + (x / 6) % 9});
    for (int x = 560; x >= 120; x -= 6) path.push_back({x, 230 + (x / 6) % 9});
    return path;
}

void BM_PutInOrderCarryingMoveToPresentedFrame(benchmark::State& state) {
    headless::Harness h;
    Application->SetExeName(kAppDir + "Velamo");
    InitPaths();
    InitSoundsAndCursors();
    Application->CreateForm(wndVelamo);
    OpenScreen<TwndPoradek>(wndPoradek, [](TwndPoradek& s) {
        s.Mode = 0;
        s.NewRound();
    });
    h.RunFor(10);
    // Picked up from the first slot, as a click there does.
    h.Click(h.Now() + 1, 51 + 28, 283 + 28);
    h.RunFor(100);
    if (!wndPoradek || !wndPoradek->Carrying) {
        state.SkipWithError("the thing was not picked up");
        return;
    }
    const std::vector<TPoint> path = CarryPath();
    std::vector<double> ms;
    int presents = 0;
    std::size_t i = 0;
    for (auto _ : state) {
        const TPoint p = path[i++ % path.size()];
        const int framesBefore = h.Backend().FrameCount();
        h.MoveTo(h.Now() + 1, p.X, p.Y);
        const auto start = Clock::now();
        h.RunUntil([&] { return h.Backend().FrameCount() != framesBefore; }, 5);
        ms.push_back(MillisecondsSince(start));
        // Whatever the move left pending, handled: every frame it made.
        Application->ProcessMessages();
        presents += h.Backend().FrameCount() - framesBefore;
    }
    if (!wndPoradek->Carrying) state.SkipWithError("the thing was put down");

    // The unit: one plain copy of the whole 640x480 screen.
    TBitmap from, to;
    from.Assign(wndPoradek->Buffer);
    to.SetSize(from.Width(), from.Height());
    std::vector<double> copyMs;
    for (int k = 0; k < 500; ++k) {
        const auto start = Clock::now();
        to.Assign(&from);
        copyMs.push_back(MillisecondsSince(start));
        benchmark::DoNotOptimize(to.Pixels().pixels.data());
    }
    ReportPercentiles(state, ms);
    state.counters["presents_per_move"] = double(presents) / double(ms.size());
    state.counters["screen_copies_p50"] = Percentile(ms, 0.5) / Percentile(copyMs, 0.5);
}
BENCHMARK(BM_PutInOrderCarryingMoveToPresentedFrame)->Unit(benchmark::kMicrosecond)->Iterations(2000);

}  // namespace

BENCHMARK_MAIN();
