// The make-up artist's palettes: opener, panel and palette picture of each
// kind, the layer pictures it selects, and the swatch places in its panel.
#pragma once

#include "platform/core/types.h"

inline constexpr int WigCount = 18;               // paruky\p0..p17, vlasy\v0..v17
inline constexpr TRect WigPreviewArea = {16, 248, 16 + 85, 248 + 86};
inline constexpr TPoint HairAt = {113, 6};
inline constexpr TPoint EyeLayerAt = {222, 193};

struct TMakeupKind {
    const char* Palette;      // "simul\vizaz\palety\" + Palette + ".bmp"
    const char* LayerFolder;  // "simul\vizaz\" + LayerFolder + "\" + LayerPrefix + n + ".bmp"; "" for the lashes
    const char* LayerPrefix;
    Byte Swatches;
    TRect Opener;             // Left, Top, Right, Bottom
    TRect Panel;
    TPoint LayerAt;
};

inline constexpr TMakeupKind MakeupKindTable[5] = {
    {"tvare", "tvare", "t", 7, {10, 346, 10 + 59, 346 + 33}, {13, 308, 13 + 37, 308 + 42}, {203, 270}},
    {"rty", "rty", "r", 18, {45, 384, 45 + 44, 384 + 30}, {44, 307, 44 + 37, 307 + 86}, {281, 286}},
    {"stiny", "stiny", "s", 18, {554, 321, 554 + 47, 321 + 31}, {558, 245, 558 + 38, 245 + 80}, {222, 193}},
    {"rasy", "", "", 2, {542, 390, 542 + 47, 390 + 24}, {552, 349, 552 + 38, 349 + 61}, {222, 193}},
    {"linky", "linky", "l", 18, {562, 360, 562 + 43, 360 + 29}, {564, 287, 564 + 38, 287 + 86}, {228, 229}}};

// The eye layer with lashes: "simul\vizaz\rasy\r" + n + ".bmp", n = 0..17.
inline constexpr const char* LashesLayerFolder = "rasy";
inline constexpr const char* LashesLayerPrefix = "r";
inline constexpr int EyeShadowCount = 18;

struct TMakeupSwatch {
    TPoint Place;  // inside the panel
    Byte Tag;      // the picture number it selects (lashes: 1 on, 2 off)
};

// Swatches are 7×7, the lashes' 16×16.
inline constexpr int SwatchSize = 7;
inline constexpr int LashesSwatchSize = 16;

// Swatch i (1-based) of kind k (index into MakeupKindTable).
constexpr TMakeupSwatch MakeupSwatch(int kind, int i) {
    switch (kind) {
    case 0:  // cheeks: two columns, the seventh selects 0
        return {{i % 2 == 1 ? 10 : 20, 6 + 8 * ((i - 1) / 2)}, Byte(i == 7 ? 0 : i)};
    case 3:  // lashes
        return {{11, i == 1 ? 11 : 32}, Byte(i)};
    case 4:  // liner: the first is off the grid
        if (i == 1) return {{11, 5}, 1};
        if (i <= 9) return {{10, 6 + 8 * (i - 1)}, Byte(i)};
        return {{20, 6 + 8 * (i - 10)}, Byte(i == 18 ? 0 : i)};
    default:  // lips and eye shadow
        if (i <= 9) return {{10, 5 + 8 * (i - 1)}, Byte(i)};
        return {{20, 5 + 8 * (i - 10)}, Byte(i == 18 ? 0 : i)};
    }
}
