// The room painter's surfaces with their fill seeds, and its 31 paints with
// the marker point of each paint's field in the palette mask.
#pragma once

#include "platform/core/types.h"

struct TRoomSurface {
    const char* Picture;  // "simul\malpok\steny\" + Picture + ".bmp"
    Byte SeedCount;
    TPoint Seeds[4];
};

inline constexpr TRoomSurface RoomSurfaceTable[4] = {
    {"l_stena", 1, {{100, 150}}},
    {"strop", 1, {{230, 40}}},
    {"p_stena", 1, {{550, 160}}},
    {"pr_stena", 4, {{300, 150}, {292, 252}, {333, 250}, {333, 230}}}};

// Where the chosen paint's swatch is drawn.
inline constexpr TPoint PaintSwatchAt = {282, 212};

struct TPaintColour {
    TColor Colour;
    TPoint Marker;
};

inline constexpr TPaintColour PaintColourTable[31] = {
    {0x8AAD00, {194, 283}}, {0x8383FF, {219, 295}}, {0xFFBA00, {153, 301}}, {0xC3D4FF, {188, 298}},
    {0x006CC8, {214, 312}}, {0x324AFF, {169, 316}}, {0xD4FF89, {129, 328}}, {0xFFEEA0, {165, 334}},
    {0xFF797C, {201, 328}}, {0xFF6AAD, {107, 351}}, {0xD3B0FF, {145, 346}}, {0x89FFC6, {178, 349}},
    {0xFFD8F8, {212, 346}}, {0x88FFEA, {73, 370}},  {0x97FF89, {116, 370}}, {0x37A3FF, {158, 367}},
    {0xC57618, {51, 385}},  {0xFF86EC, {91, 386}},  {0xF3B180, {139, 391}}, {0xD5CFFF, {175, 382}},
    {0x45FFB7, {205, 370}}, {0xFFF5AD, {250, 375}}, {0x614CFF, {255, 350}}, {0x6CC9FF, {278, 335}},
    {0xE65EFF, {290, 360}}, {0xFFC7F6, {290, 390}}, {0xBDFEFF, {340, 390}}, {0xC1A2FF, {325, 370}},
    {0x533FE6, {360, 355}}, {0x1ADD6D, {370, 380}}, {0xFFFFFF, {239, 328}}};

inline constexpr int RollerPatternCount = 10;

// The tools' hot areas, by Tag: 1 the brush, 2 the roller.
inline constexpr TRect RoomToolAreas[2] = {{440, 355, 440 + 52, 355 + 55}, {510, 355, 510 + 61, 355 + 50}};
// The tool taken is shown here, and beside it the roller's next pattern.
inline constexpr TPoint ToolPictureAt = {416, 305};
inline constexpr TPoint RollerPreviewAt = {466, 305};
// Where a pattern and the furnished room lie over the room.
inline constexpr TPoint PatternAt = {6, 13};
inline constexpr TPoint FurnishedAt = {6, 6};
inline constexpr TRect FurnishedButtonArea = {560, 418, 560 + 80, 418 + 62};
