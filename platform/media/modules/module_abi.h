// The C interface between the platform library and its two video modules,
// which it loads from its system folder at run time.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

// avifil32: the video stream of an AVI file.
struct VelamoAviStream;

// Reads the first video stream of an AVI file held in memory (the module
// keeps its own copy). nullptr when the bytes hold none it can read.
VelamoAviStream* velamo_avi_open(const std::uint8_t* data, std::size_t size);
void velamo_avi_close(VelamoAviStream* stream);
// Number of frames of the stream.
std::int32_t velamo_avi_length(VelamoAviStream* stream);
// Frame pos as a packed DIB: a 40-byte header (24 bits, bottom-up, no
// compression) followed by its rows. Valid until the next call on the
// stream. nullptr when the frame is out of range or cannot be decoded.
const void* velamo_avi_frame(VelamoAviStream* stream, std::int32_t pos);

// msvfw32: drawing a DIB onto a 24-bit surface (blue, green, red bytes, top
// row first), clipped to a rectangle of it.
struct VelamoDrawTarget {
    std::uint8_t* pixels;
    int width;
    int height;
    int stride;
    int clipLeft, clipTop, clipRight, clipBottom;  // right and bottom exclusive
};

// Draws the source rectangle of the DIB (header, colour table, bits) into
// the destination rectangle, stretching with the nearest pixel. Returns 1
// when the DIB's format is one it draws, else 0 and nothing is drawn.
int velamo_drawdib_draw(const VelamoDrawTarget* target, int xDst, int yDst, int dxDst, int dyDst,
                        const void* header, const void* bits, int xSrc, int ySrc, int dxSrc, int dySrc);

using VelamoAviOpenFn = VelamoAviStream* (*)(const std::uint8_t*, std::size_t);
using VelamoAviCloseFn = void (*)(VelamoAviStream*);
using VelamoAviLengthFn = std::int32_t (*)(VelamoAviStream*);
using VelamoAviFrameFn = const void* (*)(VelamoAviStream*, std::int32_t);
using VelamoDrawDibDrawFn = int (*)(const VelamoDrawTarget*, int, int, int, int, const void*, const void*, int, int,
                                    int, int);
}
