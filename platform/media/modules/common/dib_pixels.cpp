#include "platform/media/modules/common/dib_pixels.h"

#include <cstring>

namespace dib {

Palette ReadPalette(const std::uint8_t* bytes, std::size_t size, std::uint32_t entries) {
    Palette palette;
    std::size_t count = entries > 256 ? 256 : entries;
    if (count > size / 4) count = size / 4;
    for (std::size_t i = 0; i < count; ++i) {
        palette.bgr[i][0] = bytes[4 * i];
        palette.bgr[i][1] = bytes[4 * i + 1];
        palette.bgr[i][2] = bytes[4 * i + 2];
    }
    palette.count = int(count);
    return palette;
}

bool RowFormatSupported(int bitCount) {
    return bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

void RowToBgr(const std::uint8_t* src, int bitCount, int width, const Palette& palette, std::uint8_t* dst) {
    switch (bitCount) {
    case 8:
        for (int x = 0; x < width; ++x, dst += 3) std::memcpy(dst, palette.bgr[src[x]], 3);
        break;
    case 16:
        for (int x = 0; x < width; ++x, dst += 3) Put555(std::uint16_t(src[2 * x] | (src[2 * x + 1] << 8)), dst);
        break;
    case 24:
        std::memcpy(dst, src, std::size_t(width) * 3);
        break;
    case 32:
        for (int x = 0; x < width; ++x, dst += 3) std::memcpy(dst, src + 4 * x, 3);
        break;
    default:
        break;
    }
}

}  // namespace dib
