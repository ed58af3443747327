// Pictures: the town hit test on a 3520x400 mask (and what the old one did
// on every move: copy the mask, flood-fill it from the pointer), transparent
// drawing of a full screen, and text.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/gfx/graphics.h"
#include "shell/RegionHitTest.h"

namespace {

constexpr int kTownWidth = 3520;
constexpr int kTownHeight = 400;

// A town mask: white streets between blocks of houses, each house a white
// area with a black border, as the hit-test masks are drawn.
void PaintTown(TBitmap& mask) {
    mask.SetSize(kTownWidth, kTownHeight);
    TCanvas* c = mask.Canvas();
    c->Brush.Color = clWhite;
    c->FillRect(Rect(0, 0, kTownWidth, kTownHeight));
    c->Brush.Color = clBlack;
    for (int left = 20; left + 150 < kTownWidth; left += 176) {
        for (int top = 30; top + 150 < kTownHeight; top += 180) {
            c->FillRect(Rect(left, top, left + 150, top + 150));
            c->Brush.Color = clWhite;
            c->FillRect(Rect(left + 2, top + 2, left + 148, top + 148));
            c->Brush.Color = clBlack;
        }
    }
}

TBitmap& Town() {
    static TBitmap town;
    if (town.Empty()) {
        PaintTown(town);
    }
    return town;
}

void BM_CopyTownMask(benchmark::State& state) {
    TBitmap work;
    for (auto _ : state) {
        work.Assign(&Town());
        benchmark::DoNotOptimize(work.ScanLine(0));
    }
}
BENCHMARK(BM_CopyTownMask)->Unit(benchmark::kMicrosecond);

// The hit test as the town screen runs it on every mouse move: the region
// under the pointer and the markers' regions looked up (the regions are
// numbered on the first test). Argument 0 points into a house (146 x 146
// pixels), 1 into the street network (most of the map).
void BM_TownHitTest(benchmark::State& state) {
    const TPoint at = state.range(0) == 0 ? Point(100, 100) : Point(5, 5);
    std::vector<TPoint> markers;
    for (int left = 20; left + 150 < kTownWidth; left += 176) markers.push_back(Point(left + 75, 105));
    markers.push_back(Point(10, 10));
    TRegionHitTest test(&Town(), clBlack);
    benchmark::DoNotOptimize(test.MarkerAt(at.X, at.Y, markers));
    for (auto _ : state) benchmark::DoNotOptimize(test.MarkerAt(at.X, at.Y, markers));
}
BENCHMARK(BM_TownHitTest)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// What the first test after the mask changed costs: numbering its regions.
void BM_NumberTownRegions(benchmark::State& state) {
    TRegionHitTest test(&Town(), clBlack);
    const std::vector<TPoint> markers = {Point(10, 10)};
    for (auto _ : state) {
        test.MaskChanged();
        benchmark::DoNotOptimize(test.MarkerAt(5, 5, markers));
    }
}
BENCHMARK(BM_NumberTownRegions)->Unit(benchmark::kMillisecond);

// The old hit test's work on every move, for comparison: a fresh copy of
// the mask and a navy border fill from the pointer.
void BM_CopyAndFillTownMask(benchmark::State& state) {
    const TPoint start = state.range(0) == 0 ? Point(100, 100) : Point(5, 5);
    TBitmap work;
    for (auto _ : state) {
        work.Assign(&Town());
        work.Canvas()->Brush.Color = clNavy;
        work.Canvas()->FloodFill(start.X, start.Y, clBlack, TFillStyle::fsBorder);
        benchmark::DoNotOptimize(work.Canvas()->GetPixel(start.X, start.Y));
    }
}
BENCHMARK(BM_CopyAndFillTownMask)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The fill alone: the region stays the same while the brush alternates.
void BM_FloodFillTown(benchmark::State& state) {
    const TPoint start = state.range(0) == 0 ? Point(100, 100) : Point(5, 5);
    TBitmap work;
    work.Assign(&Town());
    bool navy = false;
    for (auto _ : state) {
        navy = !navy;
        work.Canvas()->Brush.Color = navy ? clNavy : RGBColor(255, 0, 0);
        work.Canvas()->FloodFill(start.X, start.Y, clBlack, TFillStyle::fsBorder);
    }
}
BENCHMARK(BM_FloodFillTown)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_TransparentDraw640x480(benchmark::State& state) {
    TBitmap overlay;
    overlay.SetSize(640, 480);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            // Half magenta in runs, as a frame with a hole.
            overlay.Pixels().Set(x, y, ((x / 40 + y / 40) % 2) ? clFuchsia : RGBColor(x % 256, y % 256, 90));
        }
    }
    overlay.Transparent = true;
    overlay.TransparentColor = clFuchsia;
    TBitmap buffer;
    buffer.SetSize(640, 480);
    for (auto _ : state) {
        buffer.Canvas()->Draw(0, 0, &overlay);
        benchmark::DoNotOptimize(buffer.ScanLine(0));
    }
}
BENCHMARK(BM_TransparentDraw640x480)->Unit(benchmark::kMicrosecond);

void BM_TextOutLine(benchmark::State& state) {
    TBitmap page;
    page.SetSize(680, 60);
    TCanvas* c = page.Canvas();
    c->Font.Name = "Arial";
    c->Font.SetSize(11);
    c->Brush.Color = clWhite;
    for (auto _ : state) {
        c->TextOut(34, 10, "Zahradník pečuje o rostliny, stromy a keře v zahradách a parcích.");
    }
}
BENCHMARK(BM_TextOutLine)->Unit(benchmark::kMicrosecond);

void BM_TextWidthWord(benchmark::State& state) {
    TBitmap page;
    TCanvas* c = page.Canvas();
    c->Font.Name = "Arial";
    c->Font.SetSize(11);
    for (auto _ : state) {
        benchmark::DoNotOptimize(c->TextWidth("ošetřovatel"));
    }
}
BENCHMARK(BM_TextWidthWord);

}  // namespace

BENCHMARK_MAIN();
