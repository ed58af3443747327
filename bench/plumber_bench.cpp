// The plumber's targets: the pipe check on a full board of part A and of
// part B (<= 1 ms each), and part B's random layout (<= 1 ms on average over
// 10 000 seeds, never more than 100 draws).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "platform/core/rtl.h"
#include "simulations/PlumberBoardA.h"
#include "simulations/PlumberBoardB.h"
#include "simulations/plumber_b_layout.h"

namespace {

struct TCell {
    int Col, Row;
};

Byte SideTowards(TCell from, TCell to) {
    if (to.Row < from.Row) return SideTop;
    if (to.Row > from.Row) return SideBottom;
    return to.Col > from.Col ? SideRight : SideLeft;
}

Byte KindJoining(Byte a, Byte b) {
    const Byte openings = Byte(SideBit(a) | SideBit(b));
    for (int k = 0; k < 6; ++k)
        if (PlumberAKindTable[k].Openings == openings) return Byte(k + 1);
    return 0;
}

// Every cell but the washbasin (1, 6) and the valve (2, 6) on one pipe: up
// column 1, down column 2, ... down column 8, then left along row 6.
TPlumberBoardA FullBoardA() {
    std::vector<TCell> path;
    for (int col = 1; col <= 8; ++col)
        for (int i = 0; i < 5; ++i) path.push_back({col, col % 2 ? 5 - i : 1 + i});
    for (int col = 8; col >= 3; --col) path.push_back({col, 6});
    const TCell basin{1, 6}, valve{2, 6};
    TPlumberLevel level{valve.Row, valve.Col, basin.Row, basin.Col, {}};
    std::vector<Byte> kinds;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const TCell from = i == 0 ? basin : path[i - 1];
        const TCell to = i + 1 == path.size() ? valve : path[i + 1];
        kinds.push_back(KindJoining(SideTowards(path[i], from), SideTowards(path[i], to)));
        ++level.Stock[std::size_t(kinds.back() - 1)];
    }
    TPlumberBoardA board;
    board.NewGame(level);
    for (std::size_t i = 0; i < path.size(); ++i) board.Place(path[i].Col, path[i].Row, kinds[i]);
    return board;
}

void BM_PlumberACheckFullBoard(benchmark::State& state) {
    TPlumberBoardA board = FullBoardA();
    if (!board.CheckInstallation() || board.PathLength != 46) state.SkipWithError("the full board does not solve");
    for (auto _ : state) benchmark::DoNotOptimize(board.CheckInstallation());
    state.counters["pieces"] = board.PathLength;
}
BENCHMARK(BM_PlumberACheckFullBoard);

// The three pipes of a layout, and every other cell filled with the four
// straight pipes.
TPlumberBoardB FullBoardB() {
    TPlumberBoardB board;
    board.NewGame(plumbertest::kLayoutB);
    plumbertest::LayOn(board, plumbertest::kSolutionB);
    for (int col = 1; col <= PlumberBColumns; ++col)
        for (int row = 1; row <= PlumberBRows; ++row)
            if (!board.Cell(col, row).Occupied)
                for (Byte p : {17, 18, 19, 20}) board.Place(col, row, p);
    return board;
}

void BM_PlumberBCheckFullBoard(benchmark::State& state) {
    TPlumberBoardB board = FullBoardB();
    if (!board.CheckInstallation().All()) state.SkipWithError("the full board does not solve");
    for (auto _ : state) benchmark::DoNotOptimize(board.CheckInstallation());
}
BENCHMARK(BM_PlumberBCheckFullBoard);

// One iteration: 10 000 layouts from 10 000 seeds.
void BM_PlumberBLayout10000Seeds(benchmark::State& state) {
    int maxDraws = 0;
    long long draws = 0, layouts = 0;
    for (auto _ : state) {
        for (std::uint32_t seed = 0; seed < 10000; ++seed) {
            RandSeed = seed * 2654435761u;
            int n = 0;
            benchmark::DoNotOptimize(DrawPlumberBLayout(&n));
            maxDraws = std::max(maxDraws, n);
            draws += n;
            ++layouts;
        }
    }
    state.counters["max_draws"] = maxDraws;
    state.counters["mean_draws"] = double(draws) / double(layouts);
    state.counters["per_layout"] =
        benchmark::Counter(double(layouts), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PlumberBLayout10000Seeds)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
