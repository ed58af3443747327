// The module's C entry point (see module_abi.h): a DIB drawn onto a 24-bit
// surface, stretched with the nearest pixel and clipped.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/media/modules/common/dib_pixels.h"
#include "platform/media/modules/module_abi.h"

namespace {

struct Source {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t stride = 0;
    const std::uint8_t* bits = nullptr;
    dib::Palette palette;

    // Row y counted from the top.
    const std::uint8_t* Row(int y) const {
        int stored = topDown ? y : height - 1 - y;
        return bits + std::size_t(stored) * stride;
    }
};

bool ReadSource(const void* header, const void* bits, Source& s) {
    if (!header || !bits) return false;
    BITMAPINFOHEADER h;
    std::memcpy(&h, header, sizeof h);
    if (h.biCompression != BI_RGB || !dib::RowFormatSupported(h.biBitCount)) return false;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) return false;
    s.width = h.biWidth;
    s.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    s.topDown = h.biHeight < 0;
    s.bitCount = h.biBitCount;
    s.stride = DibStride(s.width, s.bitCount);
    s.bits = static_cast<const std::uint8_t*>(bits);
    if (s.bitCount == 8) {
        std::uint32_t colours = h.biClrUsed ? h.biClrUsed : 256;
        std::uint32_t headerSize = h.biSize >= 40 ? h.biSize : 40;
        s.palette = dib::ReadPalette(static_cast<const std::uint8_t*>(header) + headerSize, 4 * 256, colours);
    }
    return true;
}

}  // namespace

extern "C" int velamo_drawdib_draw(const VelamoDrawTarget* t, int xDst, int yDst, int dxDst, int dyDst,
                                   const void* header, const void* bits, int xSrc, int ySrc, int dxSrc, int dySrc) {
    Source s;
    if (!t || !ReadSource(header, bits, s)) return 0;
    if (dxSrc <= 0 || dySrc <= 0) {
        xSrc = ySrc = 0;
        dxSrc = s.width;
        dySrc = s.height;
    }
    xSrc = std::clamp(xSrc, 0, s.width);
    ySrc = std::clamp(ySrc, 0, s.height);
    dxSrc = std::min(dxSrc, s.width - xSrc);
    dySrc = std::min(dySrc, s.height - ySrc);
    if (dxDst <= 0) dxDst = dxSrc;
    if (dyDst <= 0) dyDst = dySrc;
    if (dxSrc <= 0 || dySrc <= 0) return 1;

    int left = std::max({xDst, t->clipLeft, 0}), right = std::min({xDst + dxDst, t->clipRight, t->width});
    int top = std::max({yDst, t->clipTop, 0}), bottom = std::min({yDst + dyDst, t->clipBottom, t->height});
    if (left >= right || top >= bottom) return 1;

    std::vector<std::uint8_t> row(std::size_t(s.width) * 3);
    int lastSourceRow = -1;
    for (int y = top; y < bottom; ++y) {
        int sy = ySrc + int(std::int64_t(y - yDst) * dySrc / dyDst);
        if (sy != lastSourceRow) {
            dib::RowToBgr(s.Row(sy), s.bitCount, s.width, s.palette, row.data());
            lastSourceRow = sy;
        }
        std::uint8_t* out = t->pixels + std::size_t(y) * std::size_t(t->stride) + std::size_t(left) * 3;
        if (dxDst == dxSrc) {
            std::memcpy(out, row.data() + std::size_t(xSrc + left - xDst) * 3, std::size_t(right - left) * 3);
            continue;
        }
        for (int x = left; x < right; ++x, out += 3) {
            int sx = xSrc + int(std::int64_t(x - xDst) * dxSrc / dxDst);
            std::memcpy(out, row.data() + std::size_t(sx) * 3, 3);
        }
    }
    return 1;
}
