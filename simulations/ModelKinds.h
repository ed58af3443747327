// The dress-up model's garment kinds, by the chooser's Tag 1..6. Item n of a
// kind has the preview "simul\modelka\vyber\" + Folder + "\" + Prefix + n +
// ".bmp" and the worn picture "simul\modelka\oblec\" + the same.
#pragma once

#include "platform/core/types.h"

struct TGarmentKind {
    Byte Tag;
    const char* Folder;
    const char* Prefix;
    Byte Items;
    TRect Chooser;   // Left, Top, Right, Bottom
    TPoint WornAt;
    bool WornTransparent;
};

inline constexpr TGarmentKind GarmentKindTable[6] = {
    {1, "boty", "b", 15, {465, 325, 465 + 46, 325 + 41}, {289, 353}, false},
    {2, "kalhoty", "kal", 10, {210, 230, 210 + 49, 230 + 89}, {264, 184}, true},
    {3, "kosile", "k", 10, {547, 226, 547 + 51, 226 + 73}, {295, 115}, true},
    {4, "saty", "sat", 10, {40, 165, 40 + 93, 165 + 210}, {259, 120}, false},
    {5, "sukne", "suk", 10, {391, 191, 391 + 75, 191 + 142}, {264, 184}, true},
    {6, "trika", "t", 15, {133, 190, 133 + 56, 190 + 59}, {295, 115}, true}};

// The body mask lies on the screen at this point; the three markers (mask
// pixels) lie in the upper body, the legs and the feet.
inline constexpr TPoint BodyMaskOrigin = {289, 119};
inline constexpr TPoint BodyMaskMarkers[3] = {{30, 40}, {30, 100}, {30, 250}};
