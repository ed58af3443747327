// Composing and presenting the whole screen (the backdrop, a full-screen
// form with child windows, and a stay-on-top form over part of it), and a
// handler's drawings presented once.
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

// A handler's drawings outside a paint, presented as the loop presents
// them when the handler is done: two small ones far apart (a bar's old
// button unlit, the new one lit) in one frame.
void BM_TwoDrawingsOneFrame(benchmark::State& state) {
    headless::Harness h;
    auto* page = new TForm(nullptr);
    page->Show();
    h.RunFor(10);
    TCanvas* c = page->Canvas();
    int x = 0;
    const int framesBefore = h.Backend().FrameCount();
    for (auto _ : state) {
        c->Brush.Color = RGBColor(x & 255, 0, 0);
        c->FillRect(Bounds(10, 421, 60, 59));
        c->FillRect(Bounds(560, 421, 60, 59));
        Application->Desktop().Flush();
        ++x;
    }
    state.counters["presents_per_event"] =
        double(h.Backend().FrameCount() - framesBefore) / double(state.iterations());
}
BENCHMARK(BM_TwoDrawingsOneFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
