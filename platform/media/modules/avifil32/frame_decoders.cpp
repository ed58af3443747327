#include "platform/media/modules/avifil32/frame_decoders.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace avi {

namespace {

bool FourCCIs(std::uint32_t value, const char* name) {
    for (int i = 0; i < 4; ++i)
        if (std::toupper(int((value >> (8 * i)) & 0xFF)) != name[i]) return false;
    return true;
}

bool IsVideo1(std::uint32_t compression) {
    return FourCCIs(compression, "CRAM") || FourCCIs(compression, "MSVC") || FourCCIs(compression, "WHAM");
}

void PutIndex(Canvas& c, int x, int y, std::uint8_t value) {
    if (x >= 0 && y >= 0 && x < c.width && y < c.height) c.indices[std::size_t(y) * std::size_t(c.width) + std::size_t(x)] = value;
}

void PutColour(Canvas& c, int x, int y, std::uint16_t colour) {
    if (x >= 0 && y >= 0 && x < c.width && y < c.height) dib::Put555(colour, c.bgr + std::size_t(y) * c.stride + std::size_t(x) * 3);
}

bool DecodeRgb(const VideoFormat& f, const std::uint8_t* data, std::size_t size, Canvas& c) {
    std::size_t srcStride = DibStride(f.width, f.bitCount);
    std::size_t lastRow = (std::size_t(f.width) * std::size_t(f.bitCount) + 7) / 8;
    if (size < srcStride * std::size_t(f.height - 1) + lastRow) return false;
    for (int row = 0; row < f.height; ++row) {
        int src = f.topDown ? f.height - 1 - row : row;
        dib::RowToBgr(data + std::size_t(src) * srcStride, f.bitCount, f.width, f.palette,
                      c.bgr + std::size_t(row) * c.stride);
    }
    return true;
}

// Run-length coding of BMP files: runs, literal groups, line end, picture
// end and moves (which leave the pixels passed over as they were).
template <bool kNibbles>
bool DecodeRle(const std::uint8_t* d, std::size_t n, Canvas& c) {
    int x = 0, y = 0;
    std::size_t p = 0;
    while (p + 2 <= n && y < c.height) {
        int count = d[p], value = d[p + 1];
        p += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i) {
                int v = kNibbles ? (i % 2 == 0 ? value >> 4 : value & 15) : value;
                PutIndex(c, x + i, y, std::uint8_t(v));
            }
            x += count;
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (p + 2 > n) break;
            x += d[p];
            y += d[p + 1];
            p += 2;
        } else {
            std::size_t bytes = kNibbles ? std::size_t(value + 1) / 2 : std::size_t(value);
            for (int i = 0; i < value; ++i) {
                std::size_t at = p + (kNibbles ? std::size_t(i / 2) : std::size_t(i));
                if (at >= n) break;
                int v = kNibbles ? (i % 2 == 0 ? d[at] >> 4 : d[at] & 15) : d[at];
                PutIndex(c, x + i, y, std::uint8_t(v));
            }
            p += bytes + (bytes & 1);
            x += value;
        }
    }
    return true;
}

// Video 1: 4x4 blocks from the bottom left, row of blocks by row of blocks.
// Each block is skipped, filled with one colour, or painted with two colours
// (a bit per pixel, set bits take the first), or with two colours for each
// 2x2 quarter. Pixels go bottom row first within the block.
template <bool kColour15>
bool DecodeVideo1(const std::uint8_t* d, std::size_t n, Canvas& c) {
    auto u16 = [&](std::size_t at) { return std::uint16_t(d[at] | d[at + 1] << 8); };
    int blocksWide = (c.width + 3) / 4, blocksHigh = (c.height + 3) / 4;
    std::size_t p = 0;
    long skip = 0;
    for (int by = 0; by < blocksHigh; ++by) {
        for (int bx = 0; bx < blocksWide; ++bx) {
            if (skip > 0) {
                --skip;
                continue;
            }
            if (p + 2 > n) return true;  // the rest of the picture is unchanged
            unsigned a = d[p], b = d[p + 1];
            p += 2;
            unsigned flags = (b << 8) | a;
            std::uint16_t colours[8] = {};
            bool quarters = false;
            bool fill = false;
            if ((b & 0xFC) == 0x84) {
                skip = long(((b - 0x84) << 8) + a) - 1;
                continue;
            }
            if (b < 0x80) {
                std::size_t size = kColour15 ? 4 : 2;
                if (p + size > n) return true;
                colours[0] = kColour15 ? u16(p) : d[p];
                colours[1] = kColour15 ? u16(p + 2) : d[p + 1];
                p += size;
                if (kColour15 && (colours[0] & 0x8000)) {
                    if (p + 12 > n) return true;
                    for (int i = 2; i < 8; ++i, p += 2) colours[i] = u16(p);
                    quarters = true;
                }
            } else if (!kColour15 && b >= 0x90) {
                if (p + 8 > n) return true;
                for (int i = 0; i < 8; ++i) colours[i] = d[p + std::size_t(i)];
                p += 8;
                quarters = true;
            } else {
                colours[0] = kColour15 ? std::uint16_t(flags) : std::uint16_t(a);
                fill = true;
            }
            for (int i = 0; i < 16; ++i) {
                int px = i % 4, py = i / 4;
                int pick = fill ? 0 : ((flags >> i) & 1) ^ 1;
                if (quarters) pick += ((py & 2) << 1) + (px & 2);
                int x = bx * 4 + px, y = by * 4 + py;
                if (kColour15) PutColour(c, x, y, colours[pick]);
                else PutIndex(c, x, y, std::uint8_t(colours[pick]));
            }
        }
    }
    return true;
}

}  // namespace

Codec CodecOf(const VideoFormat& f) {
    if (f.compression == BI_RGB && dib::RowFormatSupported(f.bitCount)) return Codec::Rgb;
    if (f.compression == BI_RLE8 && f.bitCount == 8) return Codec::Rle8;
    if (f.compression == BI_RLE4 && f.bitCount == 4) return Codec::Rle4;
    if (IsVideo1(f.compression) && f.bitCount == 8) return Codec::Cram8;
    if (IsVideo1(f.compression) && f.bitCount == 16) return Codec::Cram16;
    return Codec::Unsupported;
}

bool IsIntraOnly(Codec codec) { return codec == Codec::Rgb; }

bool IsPalettised(Codec codec) { return codec == Codec::Rle8 || codec == Codec::Rle4 || codec == Codec::Cram8; }

void ClearCanvas(Canvas& c) {
    std::fill(c.indices.begin(), c.indices.end(), std::uint8_t(0));
    std::memset(c.bgr, 0, std::size_t(c.stride) * std::size_t(c.height));
}

bool DecodeFrame(Codec codec, const VideoFormat& f, const std::uint8_t* data, std::size_t size, Canvas& c) {
    switch (codec) {
    case Codec::Rgb: return DecodeRgb(f, data, size, c);
    case Codec::Rle8: return DecodeRle<false>(data, size, c);
    case Codec::Rle4: return DecodeRle<true>(data, size, c);
    case Codec::Cram8: return DecodeVideo1<false>(data, size, c);
    case Codec::Cram16: return DecodeVideo1<true>(data, size, c);
    case Codec::Unsupported: break;
    }
    return false;
}

void ResolvePalette(const VideoFormat& f, Canvas& c) {
    for (int row = 0; row < c.height; ++row)
        dib::RowToBgr(c.indices.data() + std::size_t(row) * std::size_t(c.width), 8, c.width, f.palette,
                      c.bgr + std::size_t(row) * c.stride);
}

}  // namespace avi
