// The font engine: the program's font names mapped to installed faces
// through fontconfig, text measured and drawn with FreeType. Faces and glyphs
// are cached for the life of the program.
//
// Metrics follow the desktop's conventions: a negative TFont height is the
// em height in pixels, a positive one the cell height (ascent + descent);
// ascent and descent come from the face's OS/2 table (its Windows metrics).
// A text's width is the sum of its glyphs' advances, each rounded to whole
// pixels, with no kerning, so the width of joined strings is the sum of
// their widths.
#pragma once

#include <string_view>

#include "platform/gfx/graphics.h"

namespace text {

// The installed family that stands in for a font name: "Arial" is
// Liberation Sans, "Times New Roman" Liberation Serif, "Courier New"
// Liberation Mono, "Verdana" DejaVu Sans, "Tahoma" DejaVu Sans Condensed;
// every other name DejaVu Sans. Names are matched without regard to case.
String SubstituteFamily(const String& name);

struct FontMetrics {
    int ascent = 0;   // pixels above the baseline
    int descent = 0;  // pixels below it
    int Height() const { return ascent + descent; }
};

FontMetrics Metrics(const TFont& font);

// Width in pixels of UTF-8 text. Control characters take no room.
int Width(const TFont& font, std::string_view utf8);

// Draws UTF-8 text in font.Color, anti-aliased, with the top of the cell at
// y and the pen starting at x; underline and strike-out as the style asks.
// Returns the rectangle of the pixels it touched.
TRect Draw(Surface& surface, const TRect& clip, int x, int y, const TFont& font, std::string_view utf8);

// The face file that serves a font (empty when no face could be loaded),
// and whether bold or italic had to be made up because the family has no
// such face.
struct FaceChoice {
    String file;
    bool syntheticBold = false;
    bool syntheticItalic = false;
};
FaceChoice FaceFor(const TFont& font);

}  // namespace text
