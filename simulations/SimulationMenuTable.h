// The simulations menu's five items: pictures "simul\vyber\" + Name + "1.bmp"
// (normal) and "2.bmp" (hover) drawn at Position; HotArea is the clickable
// rectangle, not the picture's.
#pragma once

#include "shell/MenuEntry.h"

inline constexpr TMenuEntry SimulationMenuTable[5] = {
    {1, "instal", {40, 184}, {36, 209, 36 + 55, 209 + 69}},
    {2, "hasic", {234, 53}, {198, 77, 198 + 72, 77 + 89}},
    {3, "model", {285, 53}, {300, 75, 300 + 62, 75 + 213}},
    {4, "malir", {524, 89}, {520, 112, 520 + 49, 112 + 161}},
    {5, "vizaz", {371, 203}, {365, 228, 365 + 97, 228 + 138}}};
