// The memory game's computer decides each step of its turn in <= 1 ms: whole
// games dealt and played (the player at random, the computer by its memory
// rules), every decision of the computer timed on its own.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "bench_percentiles.h"
#include "games/PexesoBoard.h"
#include "tests/games/pexeso_random_game.h"

namespace {

using Clock = std::chrono::steady_clock;

void BM_ComputerStepInWholeGames(benchmark::State& state) {
    std::vector<double> ms;
    std::uint32_t seed = 1;
    TPexesoBoard board;
    for (auto _ : state) {
        RandSeed = seed++;
        board.Deal();
        PlayRandomGame(board, [&ms](TComputerTurn& computer) {
            const Clock::time_point start = Clock::now();
            const TComputerStep step = computer.Next();
            ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            return step;
        });
    }
    state.counters["steps"] = double(ms.size());
    ReportPercentiles(state, ms);
}
BENCHMARK(BM_ComputerStepInWholeGames)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
