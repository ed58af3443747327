// The town game's things: ThingCount of each place by ProfessionNumber. The
// things of place n are "hry\citoje\" + n + "A\" + k + ".bmp" for k = 1..count;
// places with no things take no part in the game.
#pragma once

#include "platform/core/types.h"

inline constexpr Byte TownGameThingCount[43] = {
    2, 2, 3, 1, 2, 1, 2, 4, 1, 0, 2, 0, 3, 1, 1, 2, 2, 1, 0, 3, 2, 1,
    3, 2, 1, 2, 3, 2, 2, 5, 2, 2, 0, 3, 1, 2, 2, 3, 1, 2, 2, 1, 1};

// The places blacked out of the game's copy of the mask.
inline constexpr Byte TownGameClosedPlaces[4] = {10, 12, 19, 33};
