// Pixels of uncompressed DIBs, shared by both video modules.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/media/dib_format.h"

namespace dib {

// Colour table as blue, green, red bytes; entries beyond count are black.
struct Palette {
    std::uint8_t bgr[256][3] = {};
    int count = 0;
};

// Reads up to 256 RGBQUAD entries from bytes (size bytes available).
Palette ReadPalette(const std::uint8_t* bytes, std::size_t size, std::uint32_t entries);

// A 15-bit colour (5 bits each of red, green, blue) as blue, green, red bytes.
inline void Put555(std::uint16_t c, std::uint8_t* bgr) {
    unsigned r = (c >> 10) & 31, g = (c >> 5) & 31, b = c & 31;
    bgr[0] = std::uint8_t((b << 3) | (b >> 2));
    bgr[1] = std::uint8_t((g << 3) | (g >> 2));
    bgr[2] = std::uint8_t((r << 3) | (r >> 2));
}

// True for the bit counts RowToBgr converts: 8 (with palette), 16 (5-5-5),
// 24 and 32.
bool RowFormatSupported(int bitCount);

// Converts width pixels of one uncompressed row to blue, green, red bytes.
void RowToBgr(const std::uint8_t* src, int bitCount, int width, const Palette& palette, std::uint8_t* dst);

}  // namespace dib
