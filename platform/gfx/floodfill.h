// Scanline flood fill, 4-connected, within a clip rectangle.
#pragma once

#include "platform/gfx/graphics.h"

namespace gfx {

// fsBorder: every pixel reachable from (x, y) without crossing `colour`
// takes `fill`; nothing when the start pixel is `colour`.
// fsSurface: the connected area of exactly `colour` around (x, y) takes
// `fill`; nothing when the start pixel is another colour.
// A start outside the clip rectangle or the surface fills nothing. Returns
// the bounding rectangle of the pixels filled.
TRect FloodFillArea(Surface& s, const TRect& clip, int x, int y, TColor colour, TFillStyle style, TColor fill);

}  // namespace gfx
