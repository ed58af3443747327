// The games' targets on the SDL backend: the processor share of the whole
// program while word pairs' board waits to be memorised (<= 5 % of a core).
// Without a display it runs on SDL's dummy video and audio.
#include <benchmark/benchmark.h>

#include "games/UDvojice.h"
#include "program_cpu.h"

namespace {

using namespace benchprogram;

// Range 0: the seconds measured, from the start of the phase.
void BM_WordPairsMemorisingCpu(benchmark::State& state) {
    TCpuRun run;
    for (auto _ : state) {
        run = MeasureProgramCpu(
            int(state.range(0)) * 1000,
            [] { OpenScreen<TwndDvojice>(wndDvojice, [](TwndDvojice& s) { s.NewGame(); }); },
            [] { return wndDvojice && wndDvojice->Memorising; });
    }
    if (!run.RanThroughout) state.SkipWithError("the memorising phase did not last the measured time");
    state.counters["cpu_percent"] = run.Share * 100.0;
    state.SetLabel(DisplayLabel());
}
BENCHMARK(BM_WordPairsMemorisingCpu)->Arg(10)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
