// Levels of plumber part A ("instA.dat"): the valve, the washbasin and a
// stock that lays exactly one simple pipe chain between them, so every level
// can be won.
#pragma once

#include <string>
#include <vector>

#include "simulations/PlumberLevels.h"

// `count` different levels, the same ones on every run.
std::vector<TPlumberLevel> MakePlumberLevels(int count);
// "valve row,valve column,basin row,basin column,stock 1..6" without line end.
std::string PlumberLevelLine(const TPlumberLevel& level);
