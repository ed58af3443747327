// Pixel operations on surfaces that the canvas, the text engine and the
// flood fill share. Rectangles are in surface coordinates; each operation
// clips to the surface and to the clip rectangle it is given and returns the
// rectangle it changed (empty when it changed nothing).
#pragma once

#include <cstddef>
#include <utility>

#include "platform/gfx/graphics.h"

namespace gfx {

TRect Intersect(const TRect& a, const TRect& b);
TRect Union(const TRect& a, const TRect& b);  // an empty rectangle adds nothing
TRect SurfaceRect(const Surface& s);
// Coordinates arrive from callers unchecked: these saturate instead of
// overflowing.
int SaturatingAdd(int a, int b);
TRect Offset(const TRect& r, int dx, int dy);
TRect SafeBounds(int left, int top, int width, int height);

// An optional colour that a copy skips (a transparent bitmap's key).
struct ColourKey {
    bool active = false;
    TColor colour = clNone;
};

TRect FillArea(Surface& s, const TRect& clip, const TRect& r, TColor c);

// Copies `src` (a rectangle of the source) to the same size with its top-left
// corner at `to`. Source pixels outside the source surface are not drawn.
// Source and destination may be the same surface, overlapping or not. Without
// a key only the pixels that differ are written, and the rectangle returned
// bounds them: a copy of what is there already changes nothing.
TRect CopyArea(Surface& dst, const TRect& clip, TPoint to, const Surface& src, const TRect& srcRect,
               ColourKey key = {});

// Scales `srcRect` into `dstRect` by nearest neighbour (each destination
// pixel takes the source pixel under its top-left corner). Empty or inverted
// rectangles draw nothing.
TRect StretchArea(Surface& dst, const TRect& clip, const TRect& dstRect, const Surface& src,
                  const TRect& srcRect, ColourKey key = {});

// The byte range [first, last) of two rows of n bytes outside which they are
// equal, found a word at a time from each end; first == last when equal.
std::pair<std::size_t, std::size_t> DifferingSpan(const Byte* a, const Byte* b, std::size_t n);

// Mixes colour c into the pixel with coverage 0..255 (255 gives c exactly).
inline void BlendPixel(Byte* p, TColor c, unsigned coverage) {
    const unsigned rest = 255 - coverage;
    p[0] = Byte((unsigned(GetBValue(c)) * coverage + p[0] * rest + 127) / 255);
    p[1] = Byte((unsigned(GetGValue(c)) * coverage + p[1] * rest + 127) / 255);
    p[2] = Byte((unsigned(GetRValue(c)) * coverage + p[2] * rest + 127) / 255);
}

}  // namespace gfx
