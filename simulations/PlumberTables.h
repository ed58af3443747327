// The plumber's grids, pieces and palettes, parts A and B.
#pragma once

#include "platform/core/types.h"

// Sides of a cell, as bits of an openings mask.
enum TPipeSide : Byte { psTop = 1, psRight = 2, psBottom = 4, psLeft = 8 };

// Part A: 8 × 6 cells of 63 × 63 from (31, 22).
inline constexpr int PlumberAColumns = 8;
inline constexpr int PlumberARows = 6;
inline constexpr int PlumberACell = 63;
inline constexpr TPoint PlumberAGridOrigin = {31, 22};
inline constexpr int PlumberAMaxStock = 20;

struct TPlumberAKind {
    const char* Picture;  // "simul\instal\A_verze\" + Picture + ".bmp"
    Byte Openings;        // TPipeSide bits
};

// Kinds 1..8: six pieces, the washbasin and the valve.
inline constexpr TPlumberAKind PlumberAKindTable[8] = {
    {"kol_1", psRight | psBottom}, {"kol_2", psBottom | psLeft}, {"kol_3", psTop | psLeft},
    {"kol_4", psTop | psRight},    {"trub_h", psRight | psLeft}, {"trub_v", psTop | psBottom},
    {"umyv", psTop},               {"ventil", psRight | psLeft}};

struct TPlumberAPaletteEntry {
    const char* Highlight;  // "simul\instal\A_verze\" + Highlight + ".bmp"
    TRect Label;            // Left, Top, Right, Bottom
    TPoint DigitAt;         // the stock digit; the wrench has none
};

inline constexpr TPlumberAPaletteEntry PlumberAPaletteTable[7] = {
    {"kol_1h", {569, 24, 569 + 65, 24 + 49}, {571, 26}},
    {"kol_2h", {569, 79, 569 + 65, 79 + 49}, {571, 81}},
    {"kol_3h", {569, 134, 569 + 65, 134 + 49}, {571, 136}},
    {"kol_4h", {569, 189, 569 + 65, 189 + 49}, {571, 191}},
    {"trub_hc", {569, 244, 569 + 65, 244 + 45}, {571, 246}},
    {"trub_vc", {569, 295, 569 + 65, 295 + 49}, {571, 297}},
    {"hasak", {569, 350, 569 + 65, 350 + 48}, {-1, -1}}};

inline constexpr int ValveStripFrames = 19;
inline constexpr int BasinStripFrames = 31;

// Part B: 11 × 8 cells of 49 × 49 from (13, 15); each edge has two lanes.
inline constexpr int PlumberBColumns = 11;
inline constexpr int PlumberBRows = 8;
inline constexpr int PlumberBCell = 49;
inline constexpr TPoint PlumberBGridOrigin = {13, 15};

// An opening: a side and its lane (1 or 2); lane 0 means both lanes.
struct TPipeOpening {
    Byte Side;
    Byte Lane;
};

struct TPlumberBPiece {
    const char* Picture;  // "simul\instal\B_verze\" + Picture + ".bmp"
    TPipeOpening A, B;    // the fixed parts have one opening: B.Side is 0
};

// Pieces 1..24: twenty joints, the washbasin, the left- and right-edge valves and the boiler.
inline constexpr TPlumberBPiece PlumberBPieceTable[24] = {
    {"kol_a1", {psRight, 1}, {psBottom, 1}}, {"kol_a3", {psRight, 1}, {psBottom, 2}},
    {"kol_a2", {psRight, 2}, {psBottom, 2}}, {"kol_a4", {psRight, 2}, {psBottom, 1}},
    {"kol_b1", {psLeft, 1}, {psBottom, 2}},  {"kol_b3", {psLeft, 1}, {psBottom, 1}},
    {"kol_b2", {psLeft, 2}, {psBottom, 1}},  {"kol_b4", {psLeft, 2}, {psBottom, 2}},
    {"kol_c1", {psLeft, 2}, {psTop, 2}},     {"kol_c3", {psLeft, 2}, {psTop, 1}},
    {"kol_c2", {psLeft, 1}, {psTop, 1}},     {"kol_c4", {psLeft, 1}, {psTop, 2}},
    {"kol_d1", {psRight, 2}, {psTop, 1}},    {"kol_d3", {psRight, 2}, {psTop, 2}},
    {"kol_d2", {psRight, 1}, {psTop, 2}},    {"kol_d4", {psRight, 1}, {psTop, 1}},
    {"trub_h1", {psLeft, 1}, {psRight, 1}},  {"trub_h2", {psLeft, 2}, {psRight, 2}},
    {"trub_v1", {psTop, 1}, {psBottom, 1}},  {"trub_v2", {psTop, 2}, {psBottom, 2}},
    {"umyv", {psTop, 0}, {0, 0}},            {"vent_2", {psRight, 0}, {0, 0}},
    {"vent_1", {psLeft, 0}, {0, 0}},         {"bojler", {psBottom, 0}, {0, 0}}};

struct TPlumberBPaletteGroup {
    Byte FirstTag, LastTag;
    TPoint Origin;
    const char* Pictures[4];  // "simul\instal\b_verze\" + picture + ".bmp", in tag order
};

inline constexpr TPlumberBPaletteGroup PlumberBPaletteTable[7] = {
    {1, 4, {569, 17}, {"kol1a", "kol1b", "kol1c", "kol1d"}},
    {5, 8, {569, 81}, {"kol2a", "kol2b", "kol2c", "kol2d"}},
    {9, 12, {569, 145}, {"kol3a", "kol3b", "kol3c", "kol3d"}},
    {13, 16, {569, 209}, {"kol4a", "kol4b", "kol4c", "kol4d"}},
    {17, 18, {569, 273}, {"tr_h1", "tr_h2"}},
    {19, 20, {569, 313}, {"tr_v1", "tr_v2"}},
    {21, 21, {569, 368}, {"hasak"}}};

// Valve strips: "vent_2AN" for the left-edge valve, "vent_1AN" for the right.
inline constexpr int PlumberBStripCell = 48;
