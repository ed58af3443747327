// A small BMP writer for test fixtures: any header size, bit count and
// compression, with the pixel data given as the bytes the file holds.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/core/types.h"

namespace gfxtest {

struct BmpSpec {
    std::uint32_t headerSize = 40;  // 12, 40, 108 or 124
    int width = 0;
    int height = 0;                 // negative: top-down
    int bitCount = 24;
    std::uint32_t compression = 0;  // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
    std::vector<TColor> palette = {};    // written as blue, green, red (and a zero byte)
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> masks = {};  // red, green, blue; after a 40-byte header or inside a longer one
    std::vector<Byte> pixels = {};     // exactly as stored in the file
};

inline void PutLE(std::vector<Byte>& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(Byte(v >> (8 * i)));
    }
}

inline std::vector<Byte> BuildBmp(const BmpSpec& s) {
    std::vector<Byte> dib;
    PutLE(dib, s.headerSize, 4);
    if (s.headerSize == 12) {
        PutLE(dib, std::uint32_t(s.width), 2);
        PutLE(dib, std::uint32_t(s.height), 2);
        PutLE(dib, 1, 2);
        PutLE(dib, std::uint32_t(s.bitCount), 2);
    } else {
        PutLE(dib, std::uint32_t(s.width), 4);
        PutLE(dib, std::uint32_t(s.height), 4);
        PutLE(dib, 1, 2);
        PutLE(dib, std::uint32_t(s.bitCount), 2);
        PutLE(dib, s.compression, 4);
        PutLE(dib, std::uint32_t(s.pixels.size()), 4);
        PutLE(dib, 3780, 4);
        PutLE(dib, 3780, 4);
        PutLE(dib, s.colorsUsed, 4);
        PutLE(dib, 0, 4);
        for (std::uint32_t m : s.masks) {
            PutLE(dib, m, 4);
        }
        dib.resize(std::max<std::size_t>(dib.size(), s.headerSize), 0);
    }
    for (TColor c : s.palette) {
        dib.push_back(Byte(GetBValue(c)));
        dib.push_back(Byte(GetGValue(c)));
        dib.push_back(Byte(GetRValue(c)));
        if (s.headerSize != 12) {
            dib.push_back(0);
        }
    }
    std::vector<Byte> file = {'B', 'M'};
    PutLE(file, std::uint32_t(14 + dib.size() + s.pixels.size()), 4);
    PutLE(file, 0, 4);
    PutLE(file, std::uint32_t(14 + dib.size()), 4);
    file.insert(file.end(), dib.begin(), dib.end());
    file.insert(file.end(), s.pixels.begin(), s.pixels.end());
    return file;
}

// Uncompressed rows in file order (bottom row first unless topDown), each
// padded to four bytes; `value(x, y)` gives the pixel of picture row y
// (top row 0) as an index or a packed value of bitCount bits, stored
// little-endian for 16 and 32 bits.
inline std::vector<Byte> PackRows(int width, int height, int bitCount, bool topDown,
                                  const std::function<std::uint32_t(int, int)>& value) {
    const std::size_t stride = (std::size_t(width) * std::size_t(bitCount) + 31) / 32 * 4;
    std::vector<Byte> out;
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        std::vector<Byte> line(stride, 0);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = value(x, y);
            if (bitCount < 8) {
                const int bit = x * bitCount;
                line[std::size_t(bit / 8)] |= Byte(v << (8 - bitCount - bit % 8));
            } else {
                for (int i = 0; i < bitCount / 8; ++i) {
                    line[std::size_t(x * bitCount / 8 + i)] = Byte(v >> (8 * i));
                }
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

}  // namespace gfxtest
