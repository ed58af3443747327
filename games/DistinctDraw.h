// How the games draw different professions for a round: a uniform position
// 1..N, drawn again while it is already taken in the round, then taken.
#pragma once

#include <set>

#include "platform/core/rtl.h"

// Taken must leave at least one of 1..N free.
inline int DrawDistinct(int N, std::set<int>& Taken) {
    int p;
    do {
        p = Random(N) + 1;
    } while (Taken.count(p));
    Taken.insert(p);
    return p;
}
