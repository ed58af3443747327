// Device-independent bitmap headers as the video calls pass them: a
// 40-byte header, an optional colour table, then rows padded to 4 bytes,
// bottom row first unless the height is negative.
#pragma once

#include <cstdint>

#include "platform/sys/wintypes.h"

struct BITMAPINFOHEADER {
    std::uint32_t biSize;
    LONG biWidth;
    LONG biHeight;
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);
using LPBITMAPINFOHEADER = BITMAPINFOHEADER*;

struct RGBQUAD {
    std::uint8_t rgbBlue;
    std::uint8_t rgbGreen;
    std::uint8_t rgbRed;
    std::uint8_t rgbReserved;
};

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;

// Bytes in one row of a DIB: padded to a multiple of 4.
constexpr std::uint32_t DibStride(std::int64_t width, int bitCount) {
    return std::uint32_t(((width * bitCount + 31) / 32) * 4);
}
