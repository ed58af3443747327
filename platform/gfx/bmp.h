// The BMP file format: reading every common variant into a 24-bit surface,
// and writing uncompressed 24-bit files.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/gfx/graphics.h"

namespace bmp {

// Largest width or height accepted, and largest pixel count.
constexpr int kMaxSide = 32768;
constexpr std::int64_t kMaxPixels = std::int64_t(1) << 24;  // 4096 x 4096

struct Picture {
    Surface surface;
    TPixelFormat format = TPixelFormat::pf24bit;
};

// Core (12-byte), info (40), and the longer info headers up to the fifth
// version; 1, 4, 8 bits with a palette (indices past the palette are black),
// 16 bits (5-5-5 or bit fields), 24, 32 bits (plain or bit fields), RLE8 and
// RLE4 (pixels the runs do not reach stay black); bottom-up and top-down.
// Anything malformed or cut short raises EInvalidGraphic.
Picture Decode(const Byte* data, std::size_t size);

// An uncompressed 24-bit bottom-up file with an info header.
std::vector<Byte> Encode(const Surface& surface);

}  // namespace bmp
