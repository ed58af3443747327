// Levels of plumber part A ("instA.dat"): the valve, the washbasin and a
// stock that lays exactly one simple pipe chain between them, so every level
// can be won.
#pragma once

#include <array>
#include <string>
#include <vector>

struct TPlumberLevel {
    int ValveRow, ValveColumn, BasinRow, BasinColumn;
    std::array<int, 6> Stock;  // kinds 1..6
};

// `count` different levels, the same ones on every run.
std::vector<TPlumberLevel> MakePlumberLevels(int count);
// "valve row,valve column,basin row,basin column,stock 1..6" without line end.
std::string PlumberLevelLine(const TPlumberLevel& level);
