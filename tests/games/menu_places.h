// Where the two picture menus draw their entries and where a click finds
// them, written out for the tests: pictures Name + "1.bmp" / "2.bmp" drawn at
// Position, HotArea the clickable rectangle (left, top, left + width,
// top + height).
#pragma once

#include "shell/MenuEntry.h"

inline constexpr TMenuEntry kGamesMenuPlaces[10] = {
    {1, "mich", {140, 247}, {143, 263, 143 + 56, 263 + 58}},
    {2, "polda", {52, 211}, {71, 250, 71 + 56, 250 + 108}},
    {3, "popel", {447, 271}, {456, 296, 456 + 56, 296 + 108}},
    {4, "dvoj", {314, 241}, {327, 262, 327 + 74, 262 + 87}},
    {5, "vrata", {411, 116}, {543, 110, 543 + 61, 110 + 40}},
    {6, "let", {360, 18}, {480, 12, 480 + 75, 12 + 43}},
    {7, "elektr", {381, 51}, {359, 61, 359 + 60, 61 + 77}},
    {8, "zahrad", {327, 142}, {325, 165, 325 + 60, 165 + 59}},
    {9, "smolar", {425, 181}, {416, 200, 416 + 60, 200 + 84}},
    {10, "zenske", {194, 293}, {190, 316, 190 + 109, 316 + 94}}};

inline constexpr TMenuEntry kSimulationsMenuPlaces[5] = {
    {1, "instal", {40, 184}, {36, 209, 36 + 55, 209 + 69}},
    {2, "hasic", {234, 53}, {198, 77, 198 + 72, 77 + 89}},
    {3, "model", {285, 53}, {300, 75, 300 + 62, 75 + 213}},
    {4, "malir", {524, 89}, {520, 112, 520 + 49, 112 + 161}},
    {5, "vizaz", {371, 203}, {365, 228, 365 + 97, 228 + 138}}};
