#include "tools/datagen/PlumberLevels.h"

#include <algorithm>
#include <cstdint>
#include <set>

#include "simulations/PlumberTables.h"

namespace {

struct TCell {
    int Row, Column;
    bool operator==(const TCell&) const = default;
};

// A fixed linear congruential generator: the levels must not depend on the library.
struct TLevelRandom {
    std::uint32_t State;
    int Next(int range) {
        State = State * 1664525u + 1013904223u;
        return int((State >> 8) % std::uint32_t(range));
    }
};

bool InGrid(TCell c) { return c.Row >= 1 && c.Row <= PlumberARows && c.Column >= 1 && c.Column <= PlumberAColumns; }

Byte SideTowards(TCell from, TCell to) {
    if (to.Row < from.Row) return psTop;
    if (to.Row > from.Row) return psBottom;
    return to.Column > from.Column ? psRight : psLeft;
}

int KindWithOpenings(Byte openings) {
    for (int k = 0; k < 6; ++k)
        if (PlumberAKindTable[k].Openings == openings) return k + 1;
    return 0;
}

// Shortest chain of free cells from `start` to `goal`, neighbours tried in
// a shuffled order so that chains vary; empty when there is none.
std::vector<TCell> FindChain(TCell start, TCell goal, TCell valve, TCell basin, TLevelRandom& random) {
    int previous[PlumberARows + 1][PlumberAColumns + 1];
    for (auto& row : previous) std::fill(std::begin(row), std::end(row), -1);
    std::vector<TCell> queue{start};
    previous[start.Row][start.Column] = 0;
    for (std::size_t at = 0; at < queue.size(); ++at) {
        const TCell c = queue[at];
        if (c == goal) break;
        std::vector<TCell> next = {{c.Row - 1, c.Column}, {c.Row + 1, c.Column}, {c.Row, c.Column - 1}, {c.Row, c.Column + 1}};
        for (std::size_t i = next.size(); i > 1; --i) std::swap(next[i - 1], next[std::size_t(random.Next(int(i)))]);
        for (TCell n : next) {
            if (!InGrid(n) || n == valve || n == basin || previous[n.Row][n.Column] >= 0) continue;
            previous[n.Row][n.Column] = int(at) + 1;
            queue.push_back(n);
        }
    }
    if (previous[goal.Row][goal.Column] < 0) return {};
    std::vector<TCell> chain;
    for (int at = int(std::find(queue.begin(), queue.end(), goal) - queue.begin()) + 1; at > 0;
         at = previous[queue[std::size_t(at - 1)].Row][queue[std::size_t(at - 1)].Column])
        chain.push_back(queue[std::size_t(at - 1)]);
    std::reverse(chain.begin(), chain.end());
    return chain;
}

}  // namespace

std::vector<TPlumberLevel> MakePlumberLevels(int count) {
    TLevelRandom random{20050101u};
    std::vector<TPlumberLevel> levels;
    std::set<std::string> lines;
    while (int(levels.size()) < count) {
        const TCell basin{2 + random.Next(PlumberARows - 1), 1 + random.Next(PlumberAColumns)};
        const TCell valve{1 + random.Next(PlumberARows), 1 + random.Next(PlumberAColumns)};
        const TCell start{basin.Row - 1, basin.Column};
        if (valve == basin || valve == start) continue;
        // The valve takes water from a neighbour on its left or right.
        const TCell goal = random.Next(2) ? TCell{valve.Row, valve.Column - 1} : TCell{valve.Row, valve.Column + 1};
        if (!InGrid(goal) || goal == basin) continue;
        const std::vector<TCell> chain = FindChain(start, goal, valve, basin, random);
        if (chain.empty()) continue;
        TPlumberLevel level{valve.Row, valve.Column, basin.Row, basin.Column, {}};
        for (std::size_t i = 0; i < chain.size(); ++i) {
            const TCell from = i == 0 ? basin : chain[i - 1];
            const TCell to = i + 1 == chain.size() ? valve : chain[i + 1];
            ++level.Stock[std::size_t(KindWithOpenings(Byte(SideTowards(chain[i], from) | SideTowards(chain[i], to))) - 1)];
        }
        if (*std::max_element(level.Stock.begin(), level.Stock.end()) > PlumberAMaxStock) continue;
        if (lines.insert(PlumberLevelLine(level)).second) levels.push_back(level);
    }
    return levels;
}

std::string PlumberLevelLine(const TPlumberLevel& l) {
    std::string s = std::to_string(l.ValveRow) + "," + std::to_string(l.ValveColumn) + "," + std::to_string(l.BasinRow) +
                    "," + std::to_string(l.BasinColumn);
    for (int n : l.Stock) s += "," + std::to_string(n);
    return s;
}
