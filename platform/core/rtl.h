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

// Ends the program from wherever it runs: unwinds every handler and loop up
// to the program's main block, which returns ExitCode. Deliberately not an
// Exception: the exception guards and the application's exception handler
// let it through, so nothing of the handler that halted runs any further.
struct TProgramHalt {
    int ExitCode;
};
[[noreturn]] void Halt(int ExitCode);
