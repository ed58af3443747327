// The games menu's ten entries: pictures "hry\hl_obr\" + Name + "1.bmp"
// (normal) and "2.bmp" (hover), drawn at Position; HotArea is the entry's
// clickable rectangle (left, top, width, height), not the picture's.
#pragma once

#include "shell/MenuEntry.h"

inline constexpr TMenuEntry GamesMenuTable[10] = {
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
