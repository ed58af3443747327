// Run-time routines of the class library: its random generator and rounding.
#pragma once

#include <cstdint>

#include "platform/core/types.h"

// The class library's linear generator: RandSeed := RandSeed * $08088405 + 1.
extern std::uint32_t RandSeed;
// 0 .. range-1 (0 when range <= 0).
int Random(int range);
// 0 <= x < 1.
double RandomFloat();
// Seeds the generator from the clock.
void Randomize();

// Nearest integer, a half going to the even neighbour.
std::int64_t Round(double x);
