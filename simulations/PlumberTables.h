// The plumber's grids, pieces and palettes, parts A and B.
#pragma once

#include <cstdint>

#include "platform/core/types.h"

// Sides of a cell, as bits of an openings mask.
enum TPipeSide : Byte { psTop = 1, psRight = 2, psBottom = 4, psLeft = 8 };

// Sides of a cell as the pipe searches number them: 1 top, 2 right,
// 3 bottom, 4 left.
enum : Byte { SideTop = 1, SideRight = 2, SideBottom = 3, SideLeft = 4 };
constexpr Byte SideBit(Byte Side) { return Byte(1 << (Side - 1)); }
// The side a neighbour is entered by when the water leaves through Side.
constexpr Byte OppositeSide(Byte Side) { return Byte((Side + 1) % 4 + 1); }
// The neighbour's cell across Side.
constexpr int StepColumn(Byte Side) { return Side == SideRight ? 1 : Side == SideLeft ? -1 : 0; }
constexpr int StepRow(Byte Side) { return Side == SideBottom ? 1 : Side == SideTop ? -1 : 0; }

// A set of piece numbers 0..31, one bit each.
using TPieceSet = std::uint32_t;
constexpr TPieceSet PieceBit(int Piece) { return TPieceSet(1) << Piece; }
constexpr bool Holds(TPieceSet Set, int Piece) { return (Set & PieceBit(Piece)) != 0; }

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
    TRect Labels[4];          // the entries' hot areas (Left, Top, Right, Bottom), in tag order
};

constexpr TRect PaletteLabel(int l, int t, int w, int h) { return TRect{l, t, l + w, t + h}; }

// Tags 1..20 select the piece of that number; tag 21 is the wrench.
inline constexpr TPlumberBPaletteGroup PlumberBPaletteTable[7] = {
    {1, 4, {569, 17}, {"kol1a", "kol1b", "kol1c", "kol1d"},
     {PaletteLabel(573, 21, 27, 26), PaletteLabel(605, 21, 27, 26), PaletteLabel(573, 46, 27, 26),
      PaletteLabel(605, 46, 27, 26)}},
    {5, 8, {569, 81}, {"kol2a", "kol2b", "kol2c", "kol2d"},
     {PaletteLabel(573, 85, 27, 26), PaletteLabel(605, 85, 27, 26), PaletteLabel(573, 110, 27, 26),
      PaletteLabel(605, 110, 27, 26)}},
    {9, 12, {569, 145}, {"kol3a", "kol3b", "kol3c", "kol3d"},
     {PaletteLabel(573, 149, 27, 26), PaletteLabel(605, 149, 27, 26), PaletteLabel(573, 174, 27, 26),
      PaletteLabel(604, 174, 27, 26)}},
    {13, 16, {569, 209}, {"kol4a", "kol4b", "kol4c", "kol4d"},
     {PaletteLabel(573, 213, 28, 27), PaletteLabel(605, 213, 28, 27), PaletteLabel(573, 240, 28, 24),
      PaletteLabel(605, 240, 28, 24)}},
    {17, 18, {569, 273}, {"tr_h1", "tr_h2"}, {PaletteLabel(573, 276, 59, 14), PaletteLabel(573, 290, 59, 14)}},
    {19, 20, {569, 313}, {"tr_v1", "tr_v2"}, {PaletteLabel(573, 317, 29, 42), PaletteLabel(602, 317, 30, 42)}},
    {21, 21, {569, 368}, {"hasak"}, {PaletteLabel(572, 371, 61, 32)}}};

inline constexpr int PlumberBWrenchTag = 21;

// Pieces 1..20: the pieces that laying one removes from its cell: every
// piece that uses one of its openings, and a few more. Symmetric; a piece
// never removes itself.
inline constexpr Byte PlumberBReplaceTable[20][14] = {
    {2, 4, 5, 6, 7, 10, 11, 12, 13, 15, 16, 17, 19},     // 1
    {1, 3, 5, 8, 9, 12, 14, 15, 16, 17, 20},             // 2
    {2, 4, 5, 8, 9, 13, 14, 18, 20},                     // 3
    {1, 3, 6, 7, 8, 9, 10, 13, 14, 18, 19},              // 4
    {1, 2, 3, 6, 8, 9, 11, 12, 14, 15, 16, 17, 20},      // 5
    {1, 4, 5, 7, 10, 11, 12, 13, 16, 17, 19},            // 6
    {1, 4, 6, 8, 9, 10, 13, 18, 19},                     // 7
    {2, 3, 4, 5, 7, 9, 10, 13, 14, 18, 20},              // 8
    {2, 3, 4, 5, 7, 8, 10, 12, 13, 14, 15, 18, 20},      // 9
    {1, 4, 6, 7, 8, 9, 11, 13, 16, 18, 19},              // 10
    {1, 5, 6, 10, 12, 13, 16, 17, 19},                   // 11
    {1, 2, 5, 6, 9, 11, 14, 15, 16, 17, 20},             // 12
    {1, 3, 4, 6, 7, 8, 9, 10, 11, 14, 16, 18, 19},       // 13
    {2, 3, 4, 5, 8, 9, 12, 13, 15, 18, 20},              // 14
    {1, 2, 5, 9, 12, 14, 16, 17, 20},                    // 15
    {1, 2, 5, 6, 10, 11, 12, 13, 15, 17, 19},            // 16
    {1, 2, 5, 6, 11, 12, 15, 16},                        // 17
    {3, 4, 7, 8, 9, 10, 13, 14},                         // 18
    {1, 4, 6, 7, 10, 11, 13, 16},                        // 19
    {2, 3, 5, 8, 9, 12, 14, 15}};                        // 20

// Valve strips: "vent_2AN" for the left-edge valve, "vent_1AN" for the right.
inline constexpr int PlumberBStripCell = 48;
