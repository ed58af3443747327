// The memory game's computer decides each step of its turn in <= 1 ms: whole
// games dealt and played (the player at random, the computer by its memory
// rules), every decision of the computer timed on its own.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "games/PexesoBoard.h"
#include "tests/games/pexeso_random_game.h"

namespace {

using Clock = std::chrono::steady_clock;

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size())))];
}

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
    state.counters["p50_ms"] = Percentile(ms, 0.50);
    state.counters["p99_ms"] = Percentile(ms, 0.99);
    state.counters["max_ms"] = Percentile(ms, 1.0);
}
BENCHMARK(BM_ComputerStepInWholeGames)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
