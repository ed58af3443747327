// A layout of plumber part B and the three pipes that solve it, for the
// board's tests, the screen's tests and the benchmarks.
#pragma once

#include <utility>
#include <vector>

#include "simulations/PlumberBoardB.h"

namespace plumbertest {

// Pieces laid: one palette entry (its piece), then the cells, in order.
struct Lay {
    int tag;
    std::vector<std::pair<int, int>> cells;
};

// Washbasin (9, 3), boiler (10, 2), valve on the left edge at (1, 6).
constexpr TPlumberBLayout kLayoutB = {9, 3, 1, 6, 10, 2};

// The washbasin's lane 1 up and round to the boiler; the boiler's other lane
// down and along row 6 to the valve; the washbasin's lane 2 left along row
// 2, down column 5 across row 6's pipe, and into the valve's cell from below.
inline const std::vector<Lay> kSolutionB = {
    {19, {{9, 2}, {11, 2}, {5, 3}, {5, 4}, {5, 5}, {5, 6}}},
    {1, {{9, 1}, {5, 2}}},
    {17, {{10, 1}, {8, 2}, {7, 2}, {6, 2}, {4, 7}, {3, 7}}},
    {6, {{11, 1}, {2, 6}}},
    {11, {{11, 3}, {5, 7}}},
    {16, {{10, 3}, {2, 7}}},
    {20, {{10, 3}, {10, 4}, {10, 5}}},
    {9, {{10, 6}}},
    {18, {{9, 6}, {8, 6}, {7, 6}, {6, 6}, {5, 6}, {4, 6}, {3, 6}, {2, 6}}},
    {5, {{9, 2}}},
};

// Lays the pieces on the board; false when one was refused.
inline bool LayOn(TPlumberBoardB& board, const std::vector<Lay>& plan) {
    for (const Lay& l : plan)
        for (auto [c, r] : l.cells)
            if (!board.Place(c, r, Byte(l.tag))) return false;
    return true;
}

}  // namespace plumbertest
