// Composing and presenting the whole screen: the backdrop, a full-screen
// form with child windows, and a stay-on-top form over part of it.
#include <benchmark/benchmark.h>

#include "platform/backend/headless/harness.h"
#include "platform/ui/desktop.h"

namespace {

void BM_ComposeAndPresentWholeScreen(benchmark::State& state) {
    headless::Harness h;
    auto* backdrop = new TForm(nullptr);
    backdrop->SetColor(clBlack);
    backdrop->SetEnabled(false);
    backdrop->Show();
    auto* page = new TForm(nullptr);
    for (int i = 0; i < 4; ++i) {
        auto* panel = new TPanel(page);
        panel->SetParent(page);
        panel->SetBounds(20 + i * 150, 400, 120, 60);
    }
    page->Show();
    auto* onTop = new TForm(nullptr);
    onTop->SetFormStyle(fsStayOnTop);
    onTop->SetBounds(170, 140, 300, 200);
    onTop->Show();
    h.RunFor(10);
    for (auto _ : state) {
        Application->Desktop().ComposeAll();
        benchmark::DoNotOptimize(h.Backend().LastFrame().pixels.data());
    }
}
BENCHMARK(BM_ComposeAndPresentWholeScreen)->Unit(benchmark::kMicrosecond);

void BM_DrawOutsidePaint(benchmark::State& state) {
    headless::Harness h;
    auto* page = new TForm(nullptr);
    page->Show();
    h.RunFor(10);
    TCanvas* c = page->Canvas();
    int x = 0;
    for (auto _ : state) {
        c->Brush.Color = RGBColor(x & 255, 0, 0);
        c->FillRect(Bounds(x % 600, 100, 40, 40));
        ++x;
    }
}
BENCHMARK(BM_DrawOutsidePaint)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
