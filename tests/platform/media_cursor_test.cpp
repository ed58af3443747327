#include <gtest/gtest.h>

#include <functional>

#include "platform/media/cursor.h"
#include "tests/platform/media_avi_writer.h"
#include "tests/platform/media_test_support.h"

using namespace media_test;

namespace {

// The colour and mask of each pixel of a cursor picture to be written,
// (x, y) counted from the top.
struct CursorPixel {
    std::uint32_t argb;  // alpha used only by 32-bit entries
    bool masked;         // AND bit set
};
using PixelFn = std::function<CursorPixel(int x, int y)>;

// A BMP entry: header with the doubled height, colour table, XOR rows and
// AND rows, bottom-up. Pictures of 8 bits or fewer give palette indices in
// argb; the palette is black and white for 1 bit, else TestPaletteColour.
Bytes BmpEntry(int w, int h, int bits, const PixelFn& pixel, bool withMask = true) {
    Bytes b;
    Add32(b, 40);
    Add32(b, std::uint32_t(w));
    Add32(b, std::uint32_t(2 * h));
    Add16(b, 1);
    Add16(b, unsigned(bits));
    for (int i = 0; i < 6; ++i) Add32(b, 0);
    if (bits == 1) {
        Bytes blackWhite = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
        b.insert(b.end(), blackWhite.begin(), blackWhite.end());
    } else if (bits <= 8) {
        Bytes palette = TestPalette(1u << bits);
        b.insert(b.end(), palette.begin(), palette.end());
    }
    std::size_t xorStride = ((std::size_t(w) * std::size_t(bits) + 31) / 32) * 4;
    std::size_t andStride = ((std::size_t(w) + 31) / 32) * 4;
    Bytes xorRows(xorStride * std::size_t(h), 0), andRows(andStride * std::size_t(h), 0);
    for (int row = 0; row < h; ++row)
        for (int x = 0; x < w; ++x) {
            CursorPixel px = pixel(x, h - 1 - row);
            std::uint8_t* r = xorRows.data() + std::size_t(row) * xorStride;
            if (bits <= 8) {
                int perByte = 8 / bits;
                r[x / perByte] |= std::uint8_t(px.argb << (8 - bits * (x % perByte + 1)));
            } else {
                std::uint8_t* q = r + std::size_t(x) * std::size_t(bits / 8);
                q[0] = std::uint8_t(px.argb);
                q[1] = std::uint8_t(px.argb >> 8);
                q[2] = std::uint8_t(px.argb >> 16);
                if (bits == 32) q[3] = std::uint8_t(px.argb >> 24);
            }
            if (px.masked) andRows[std::size_t(row) * andStride + std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
        }
    b.insert(b.end(), xorRows.begin(), xorRows.end());
    if (withMask) b.insert(b.end(), andRows.begin(), andRows.end());
    return b;
}

struct CursorEntry {
    int width, height, hotX, hotY;
    Bytes image;
};

Bytes CursorFile(const std::vector<CursorEntry>& entries) {
    Bytes b;
    Add16(b, 0);
    Add16(b, 2);
    Add16(b, unsigned(entries.size()));
    std::size_t offset = 6 + 16 * entries.size();
    for (const CursorEntry& e : entries) {
        b.push_back(std::uint8_t(e.width));
        b.push_back(std::uint8_t(e.height));
        b.push_back(0);
        b.push_back(0);
        Add16(b, unsigned(e.hotX));
        Add16(b, unsigned(e.hotY));
        Add32(b, std::uint32_t(e.image.size()));
        Add32(b, std::uint32_t(offset));
        offset += e.image.size();
    }
    for (const CursorEntry& e : entries) b.insert(b.end(), e.image.begin(), e.image.end());
    return b;
}

std::optional<backend::CursorImage> Decode(const Bytes& b) { return media::DecodeCursor(b.data(), b.size()); }

std::uint32_t Opaque(std::uint32_t rgb) { return 0xFF000000u | rgb; }

TEST(MediaCursor, OneBitCursorWithMaskAndHotSpot) {
    // Inside a diagonal: white (index 1) or black (0) opaque; outside:
    // transparent; one pixel inverts the screen.
    auto pixel = [](int x, int y) -> CursorPixel {
        if (x == 31 && y == 0) return {1, true};
        if (x > y) return {0, true};
        return {std::uint32_t((x + y) % 2), false};
    };
    auto image = Decode(CursorFile({{32, 32, 5, 7, BmpEntry(32, 32, 1, pixel)}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 32);
    EXPECT_EQ(image->height, 32);
    EXPECT_EQ(image->hotX, 5);
    EXPECT_EQ(image->hotY, 7);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            std::uint32_t want = x > y ? 0 : Opaque((x + y) % 2 ? 0xFFFFFFu : 0);
            if (x == 31 && y == 0) want = 0xFF000000u;
            ASSERT_EQ(image->argb[std::size_t(y) * 32 + std::size_t(x)], want) << x << "," << y;
        }
}

TEST(MediaCursor, EveryBitDepthReadsItsColours) {
    for (int bits : {4, 8, 24}) {
        SCOPED_TRACE(bits);
        auto colourOf = [bits](int x, int y) -> std::uint32_t {
            unsigned n = unsigned(x * 3 + y * 5);
            return bits == 24 ? (n * 0x010305u) & 0xFFFFFF : n % (1u << bits);
        };
        auto pixel = [&](int x, int y) { return CursorPixel{colourOf(x, y), x == 0}; };
        auto image = Decode(CursorFile({{16, 16, 1, 2, BmpEntry(16, 16, bits, pixel)}}));
        ASSERT_TRUE(image);
        for (int y = 0; y < 16; ++y)
            for (int x = 1; x < 16; ++x) {
                std::uint32_t rgb = bits == 24 ? colourOf(x, y) : TestPaletteColour(colourOf(x, y));
                ASSERT_EQ(image->argb[std::size_t(y) * 16 + std::size_t(x)], Opaque(rgb)) << x << "," << y;
            }
    }
}

TEST(MediaCursor, ThirtyTwoBitCursorUsesItsAlphaElseTheMask) {
    auto withAlpha = [](int x, int y) { return CursorPixel{std::uint32_t(x * 8) << 24 | 0x102030u, true}; };
    auto image = Decode(CursorFile({{32, 32, 31, 0, BmpEntry(32, 32, 32, withAlpha)}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->hotX, 31);
    EXPECT_EQ(image->argb[3 * 32 + 4], (32u << 24) | 0x102030u);

    auto noAlpha = [](int x, int y) { return CursorPixel{0x405060u, x < 16}; };
    image = Decode(CursorFile({{32, 32, 0, 0, BmpEntry(32, 32, 32, noAlpha)}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->argb[5 * 32 + 20], Opaque(0x405060u));
    EXPECT_EQ(image->argb[5 * 32 + 3], Opaque(0)) << "masked and inverting";
}

TEST(MediaCursor, PrefersTheEntryNearest32AndRicherThenFallsBack) {
    auto grey = [](int, int) { return CursorPixel{0x808080u, false}; };
    auto one = [](int, int) { return CursorPixel{1, false}; };
    Bytes broken = BmpEntry(32, 32, 24, grey);
    broken[14] = 3;  // no such depth
    struct Case {
        const char* name;
        std::vector<CursorEntry> entries;
        int width;
        std::uint32_t firstPixel;
    };
    const Case cases[] = {
        {"16 before 32", {{16, 16, 0, 0, BmpEntry(16, 16, 24, grey)}, {32, 32, 0, 0, BmpEntry(32, 32, 1, one)}}, 32,
         Opaque(0xFFFFFFu)},
        {"richer at the same size", {{32, 32, 0, 0, BmpEntry(32, 32, 1, one)}, {32, 32, 0, 0, BmpEntry(32, 32, 24, grey)}},
         32, Opaque(0x808080u)},
        {"a broken entry is passed over", {{32, 32, 0, 0, broken}, {48, 48, 0, 0, BmpEntry(48, 48, 1, one)}}, 48,
         Opaque(0xFFFFFFu)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto image = Decode(CursorFile(c.entries));
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, c.width);
        EXPECT_EQ(image->argb[0], c.firstPixel);
    }
}

// PNG pieces: chunk CRCs and a zlib stream of stored blocks.
std::uint32_t Crc32(const Bytes& data, std::size_t from) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = from; i < data.size(); ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}
void AddBig32(Bytes& b, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) b.push_back(std::uint8_t(v >> s));
}
void AddPngChunk(Bytes& png, const char* type, const Bytes& data) {
    AddBig32(png, std::uint32_t(data.size()));
    Bytes body;
    AddId(body, type);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    AddBig32(png, Crc32(body, 0));
}
Bytes Stored(const Bytes& raw) {
    Bytes z = {0x78, 0x01, 0x01};
    Add16(z, unsigned(raw.size()));
    Add16(z, unsigned(~raw.size() & 0xFFFF));
    z.insert(z.end(), raw.begin(), raw.end());
    std::uint32_t a = 1, b = 0;
    for (auto c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    AddBig32(z, b << 16 | a);
    return z;
}
// An RGBA picture whose rows use each filter in turn.
Bytes Png(int w, int h, int depth, const std::function<std::uint32_t(int, int)>& argb) {
    Bytes raw;
    std::vector<Byte> previous(std::size_t(w) * 4, 0);
    for (int y = 0; y < h; ++y) {
        int filter = y % 5;
        raw.push_back(std::uint8_t(filter));
        std::vector<Byte> row;
        for (int x = 0; x < w; ++x) {
            std::uint32_t c = argb(x, y);
            for (int s : {16, 8, 0, 24}) row.push_back(std::uint8_t(c >> s));
        }
        for (std::size_t i = 0; i < row.size(); ++i) {
            int a = i >= 4 ? row[i - 4] : 0, b = previous[i], c = i >= 4 ? previous[i - 4] : 0;
            int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
            int paeth = pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
            const int predictors[5] = {0, a, b, (a + b) / 2, paeth};
            raw.push_back(std::uint8_t(row[i] - predictors[filter]));
        }
        previous.assign(row.begin(), row.end());
    }
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr;
    AddBig32(ihdr, std::uint32_t(w));
    AddBig32(ihdr, std::uint32_t(h));
    ihdr.insert(ihdr.end(), {std::uint8_t(depth), 6, 0, 0, 0});
    AddPngChunk(png, "IHDR", ihdr);
    AddPngChunk(png, "IDAT", Stored(raw));
    AddPngChunk(png, "IEND", {});
    return png;
}

TEST(MediaCursor, PngEntriesDecodeAndUnsupportedOnesFallBack) {
    auto colour = [](int x, int y) { return std::uint32_t(x * 7) << 24 | std::uint32_t(x * 9 + y) << 16 | std::uint32_t(y * 5) << 8 | std::uint32_t(x ^ y); };
    auto image = Decode(CursorFile({{32, 32, 3, 4, Png(32, 32, 8, colour)}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->hotX, 3);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(image->argb[std::size_t(y) * 32 + std::size_t(x)], colour(x, y) & 0xFFFFFFFFu) << x << "," << y;

    auto one = [](int, int) { return CursorPixel{1, false}; };
    image = Decode(CursorFile({{32, 32, 0, 0, Png(32, 32, 16, colour)}, {16, 16, 0, 0, BmpEntry(16, 16, 1, one)}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 16);
}

TEST(MediaCursor, IndexBeyondTheColourTableIsBlack) {
    // A 4-bit entry whose table holds two colours while its rows use eight.
    auto pixel = [](int x, int) { return CursorPixel{std::uint32_t(x), false}; };
    Bytes full = BmpEntry(8, 8, 4, pixel);
    Bytes entry(full.begin(), full.begin() + 40 + 2 * 4);
    entry[32] = 2;
    entry.insert(entry.end(), full.begin() + 40 + 16 * 4, full.end());
    auto image = Decode(CursorFile({{8, 8, 0, 0, entry}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->argb[1], Opaque(TestPaletteColour(1)));
    EXPECT_EQ(image->argb[5], Opaque(0));
}

TEST(MediaCursor, MalformedFilesGiveNoCursor) {
    auto one = [](int x, int) { return CursorPixel{std::uint32_t(x % 2), false}; };
    Bytes good = CursorFile({{32, 32, 0, 0, BmpEntry(32, 32, 1, one)}});
    ASSERT_TRUE(Decode(good));
    auto changed = [&](std::size_t at, std::uint8_t value) {
        Bytes b = good;
        b[at] = value;
        return b;
    };
    const std::pair<const char*, Bytes> cases[] = {
        {"empty", {}},
        {"icon, not cursor", changed(2, 1)},
        {"no entries", changed(4, 0)},
        {"entry beyond the file", changed(6 + 15, 0x7F)},
        {"entry longer than the file", changed(6 + 10, 0x7F)},
        {"no such depth", changed(22 + 14, 3)},
        {"compressed", changed(22 + 16, 1)},
        {"zero width", changed(22 + 4, 0)},
        {"huge width", changed(22 + 7, 0x7F)},
        {"mask cut off", Bytes(good.begin(), good.end() - 8)},
    };
    for (auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(Decode(bytes));
    }
    for (std::size_t length = 0; length < good.size(); ++length) {
        Bytes cut(good.begin(), good.begin() + std::ptrdiff_t(length));
        Decode(cut);  // anything but a crash
    }
}

TEST(MediaCursor, LoadCursorFromFileKeepsEachCursor) {
    TempDir dir;
    auto one = [](int, int) { return CursorPixel{1, false}; };
    WriteFile(dir.File("hand.cur"), CursorFile({{32, 32, 9, 1, BmpEntry(32, 32, 1, one)}}));
    WriteFile(dir.File("bad.cur"), {0, 0, 2, 0});
    HCURSOR first = LoadCursorFromFileA(dir.File("hand.cur").c_str());
    HCURSOR second = LoadCursorFromFileA(dir.File("hand.cur").c_str());
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_TRUE(first->hasImage);
    EXPECT_EQ(first->image.hotX, 9);
    EXPECT_EQ(first->image.width, 32);
    EXPECT_EQ(LoadCursorFromFileA(dir.File("bad.cur").c_str()), nullptr);
    EXPECT_EQ(LoadCursorFromFileA(dir.File("missing.cur").c_str()), nullptr);
    EXPECT_EQ(LoadCursorFromFileA(nullptr), nullptr);
}

}  // namespace
