// The plumber's levels ("instA.dat" in DataDir): one level a line, ten
// integers in comma text: valve row, valve column, washbasin row, washbasin
// column, then the stock of kinds 1..6.
#pragma once

#include <array>
#include <vector>

#include "platform/core/classes.h"

struct TPlumberLevel {
    int ValveRow, ValveColumn, BasinRow, BasinColumn;
    std::array<int, 6> Stock;  // kinds 1..6
};

// A valid line: exactly ten integer fields, the valve and the washbasin in
// different cells of the 8 x 6 grid, the washbasin below row 1 (the pipe
// leaves it upwards) and every stock in 0..20 (the digit pictures). False,
// and Level untouched, for any other line.
bool ParsePlumberLevelLine(const String& Line, TPlumberLevel& Level);
// The valid levels among the lines, in order; the others are left out.
std::vector<TPlumberLevel> ParsePlumberLevels(const TStrings& Lines);
// Reads the level file. A file that is missing, or that holds no valid
// line, is a required file that cannot be used: EFOpenError.
std::vector<TPlumberLevel> LoadPlumberLevels(const String& FileName);
