// The room painter's fill of a surface <= 2 ms: each surface filled whole
// in one paint and then another, so that every fill changes all of it (the
// front wall from its four seeds); and a press on a wall with a pattern
// set, from the event to the presented frame (the fill, the wall and the
// pattern drawn into the screen picture, the repaint).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "bench_percentiles.h"
#include "platform/backend/headless/harness.h"
#include "shell/UMisc.h"
#include "simulations/USimulaceMalir.h"

namespace {

const std::string kAppDir = std::string(VELAMO_APP_DIR) + "/";

using Clock = std::chrono::steady_clock;

// The painter on its own, shown, on the generated data tree.
struct PainterOnItsOwn {
    PainterOnItsOwn() {
        Application->SetExeName(kAppDir + "Velamo");
        InitPaths();
        InitSoundsAndCursors();
        screen = OpenScreen(wndSimulaceMalir);
        h.RunFor(10);
    }
    ~PainterOnItsOwn() { screen->Free(); }
    headless::Harness h;
    TwndSimulaceMalir* screen = nullptr;
};

// Surface 1..4 by the benchmark's argument.
void BM_PainterFillOfASurface(benchmark::State& state) {
    PainterOnItsOwn painter;
    const Byte surface = Byte(state.range(0));
    std::vector<double> ms;
    int n = 0;
    for (auto _ : state) {
        painter.screen->CurrentColour = PaintColourTable[n++ % 2].Colour;
        const auto start = Clock::now();
        painter.screen->PaintSurface(surface);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    const TPoint seed = RoomSurfaceTable[surface - 1].Seeds[0];
    if (painter.screen->SurfaceBitmaps[surface]->Pixels().Get(seed.X, seed.Y) != painter.screen->CurrentColour)
        state.SkipWithError("the surface was not painted");
    ReportPercentiles(state, ms);
}
BENCHMARK(BM_PainterFillOfASurface)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond)->Iterations(500);

void BM_PainterPressOnAWallToPresentedFrame(benchmark::State& state) {
    PainterOnItsOwn painter;
    painter.screen->SelectTool(painter.screen->RollerLabel);
    const TPoint walls[] = {{100, 150}, {300, 150}};
    const TPoint paints[] = {PaintColourTable[0].Marker, PaintColourTable[1].Marker};
    std::vector<double> ms;
    std::size_t i = 0;
    for (auto _ : state) {
        // A paint taken (not timed), then the wall pressed.
        const TPoint paint = paints[i % 2], wall = walls[i++ % 2];
        painter.h.Click(painter.h.Now() + 1, paint.X, paint.Y);
        painter.h.RunFor(100);
        painter.h.MoveTo(painter.h.Now() + 1, wall.X, wall.Y);
        painter.h.RunFor(10);
        const int framesBefore = painter.h.Backend().FrameCount();
        painter.h.MouseDown(painter.h.Now() + 1, wall.X, wall.Y);
        const auto start = Clock::now();
        painter.h.RunUntil([&] { return painter.h.Backend().FrameCount() != framesBefore; }, 5);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        painter.h.MouseUp(painter.h.Now() + 1, wall.X, wall.Y);
        painter.h.RunFor(100);
    }
    if (painter.h.Pixel(100, 150) == RGBColor(230, 220, 200)) state.SkipWithError("the wall was not painted");
    ReportPercentiles(state, ms);
}
BENCHMARK(BM_PainterPressOnAWallToPresentedFrame)->Unit(benchmark::kMicrosecond)->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
