#include "platform/core/rtl.h"

#include <chrono>
#include <cmath>
#include <limits>

std::uint32_t RandSeed = 0;

namespace {

std::uint32_t NextRandom() {
    RandSeed = RandSeed * 0x08088405u + 1u;
    return RandSeed;
}

}  // namespace

int Random(int range) {
    std::uint64_t seed = NextRandom();
    if (range <= 0) return 0;
    return int((seed * std::uint64_t(std::uint32_t(range))) >> 32);
}

double RandomFloat() { return double(NextRandom()) / 4294967296.0; }

void Randomize() {
    auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    RandSeed = std::uint32_t(ticks ^ (ticks >> 32));
}

// Halves go to the even neighbour. NaN gives 0; values beyond the int64
// range saturate instead of overflowing.
std::int64_t Round(double x) {
    if (std::isnan(x)) return 0;
    double below = std::floor(x);
    double fraction = x - below;
    double nearest = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) nearest = below + 1.0;
    constexpr double limit = 9223372036854775808.0;  // 2^63
    if (nearest >= limit) return std::numeric_limits<std::int64_t>::max();
    if (nearest < -limit) return std::numeric_limits<std::int64_t>::min();
    return std::int64_t(nearest);
}

void Halt(int ExitCode) { throw TProgramHalt{ExitCode}; }
