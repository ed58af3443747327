#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gfx_bmp_builder.h"
#include "platform/core/classes.h"
#include "platform/core/exceptions.h"
#include "platform/gfx/graphics.h"

using gfxtest::BmpSpec;
using gfxtest::BuildBmp;
using gfxtest::PackRows;

namespace {

constexpr int kW = 5;
constexpr int kH = 3;

const std::vector<TColor> kPalette = {RGBColor(10, 20, 30), RGBColor(200, 100, 50), RGBColor(0, 255, 0),
                                      RGBColor(255, 255, 255), RGBColor(1, 2, 3)};

// Palette indices of the 5x3 picture, top row first; 5 lies past a
// five-entry palette and reads black.
const int kIndices[kH][kW] = {{0, 1, 2, 3, 4}, {4, 3, 2, 1, 0}, {1, 1, 0, 0, 5}};

using Grid = std::vector<std::vector<TColor>>;

Grid PaletteGrid(int bits, std::size_t paletteSize) {
    Grid g(kH, std::vector<TColor>(kW));
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const std::size_t i = std::size_t(kIndices[y][x] % (1 << bits));
            g[std::size_t(y)][std::size_t(x)] = i < paletteSize ? kPalette[i] : clBlack;
        }
    }
    return g;
}

std::vector<Byte> PaletteRows(int bits, bool topDown) {
    return PackRows(kW, kH, bits, topDown,
                    [bits](int x, int y) { return std::uint32_t(kIndices[y][x] % (1 << bits)); });
}

// Direct-colour picture: each channel at level 0, 1 or 2 of its range.
int Level(int x, int y, int channel) { return (x + (channel + 1) * y + channel) % 3; }

// Levels as 8-bit values after reading: full range for 8 bits, and the
// scaled values of 5 bits (16 of 31) and 6 bits (32 of 63).
Grid DirectGrid(int redMid, int greenMid, int blueMid) {
    auto value = [](int level, int mid) { return level == 0 ? 0 : level == 1 ? mid : 255; };
    Grid g(kH, std::vector<TColor>(kW));
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            g[std::size_t(y)][std::size_t(x)] = RGBColor(value(Level(x, y, 0), redMid), value(Level(x, y, 1), greenMid),
                                                         value(Level(x, y, 2), blueMid));
        }
    }
    return g;
}

// Packs the direct-colour picture with the given bit widths and shifts.
std::vector<Byte> DirectRows(int bitCount, bool topDown, int rBits, int rShift, int gBits, int gShift, int bBits,
                             int bShift, std::uint32_t extra = 0) {
    auto code = [](int level, int bits) {
        const std::uint32_t top = (1u << bits) - 1;
        return level == 0 ? 0 : level == 1 ? (top + 1) / 2 : top;
    };
    return PackRows(kW, kH, bitCount, topDown, [=](int x, int y) {
        return code(Level(x, y, 0), rBits) << rShift | code(Level(x, y, 1), gBits) << gShift |
               code(Level(x, y, 2), bBits) << bShift | extra;
    });
}

std::vector<Byte> Rgb24Rows(bool topDown) { return DirectRows(24, topDown, 8, 16, 8, 8, 8, 0); }

Grid Read(const TBitmap& b) {
    Grid g(std::size_t(b.Height()), std::vector<TColor>(std::size_t(b.Width())));
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            g[std::size_t(y)][std::size_t(x)] = b.Pixels().Get(x, y);
        }
    }
    return g;
}

struct VariantCase {
    const char* name;
    std::vector<Byte> file;
    Grid expected;
    TPixelFormat format;
};

const TColor P0 = kPalette[0], P1 = kPalette[1], P2 = kPalette[2], P3 = kPalette[3], B = clBlack;

std::vector<VariantCase> Variants() {
    std::vector<VariantCase> cases;
    cases.push_back({"1-bit core header", BuildBmp({.headerSize = 12, .width = kW, .height = kH, .bitCount = 1,
                                                    .palette = {P0, P1}, .pixels = PaletteRows(1, false)}),
                     PaletteGrid(1, 2), TPixelFormat::pf1bit});
    cases.push_back({"1-bit info header", BuildBmp({.width = kW, .height = kH, .bitCount = 1, .palette = {P0, P1},
                                                    .colorsUsed = 2, .pixels = PaletteRows(1, false)}),
                     PaletteGrid(1, 2), TPixelFormat::pf1bit});
    cases.push_back({"4-bit, short palette", BuildBmp({.width = kW, .height = kH, .bitCount = 4, .palette = kPalette,
                                                       .colorsUsed = 5, .pixels = PaletteRows(4, false)}),
                     PaletteGrid(4, 5), TPixelFormat::pf4bit});
    cases.push_back({"8-bit, short palette", BuildBmp({.width = kW, .height = kH, .bitCount = 8, .palette = kPalette,
                                                       .colorsUsed = 5, .pixels = PaletteRows(8, false)}),
                     PaletteGrid(8, 5), TPixelFormat::pf8bit});
    cases.push_back({"8-bit, top-down", BuildBmp({.width = kW, .height = -kH, .bitCount = 8, .palette = kPalette,
                                                  .colorsUsed = 5, .pixels = PaletteRows(8, true)}),
                     PaletteGrid(8, 5), TPixelFormat::pf8bit});
    cases.push_back({"16-bit 5-5-5 plain", BuildBmp({.width = kW, .height = kH, .bitCount = 16,
                                                     .pixels = DirectRows(16, false, 5, 10, 5, 5, 5, 0)}),
                     DirectGrid(132, 132, 132), TPixelFormat::pf15bit});
    cases.push_back({"16-bit 5-6-5 bit fields", BuildBmp({.width = kW, .height = kH, .bitCount = 16, .compression = 3,
                                                          .masks = {0xF800, 0x07E0, 0x001F},
                                                          .pixels = DirectRows(16, false, 5, 11, 6, 5, 5, 0)}),
                     DirectGrid(132, 130, 132), TPixelFormat::pf16bit});
    cases.push_back({"16-bit 5-6-5 in a fifth-version header",
                     BuildBmp({.headerSize = 124, .width = kW, .height = -kH, .bitCount = 16, .compression = 3,
                               .masks = {0xF800, 0x07E0, 0x001F}, .pixels = DirectRows(16, true, 5, 11, 6, 5, 5, 0)}),
                     DirectGrid(132, 130, 132), TPixelFormat::pf16bit});
    cases.push_back({"24-bit bottom-up", BuildBmp({.width = kW, .height = kH, .pixels = Rgb24Rows(false)}),
                     DirectGrid(128, 128, 128), TPixelFormat::pf24bit});
    cases.push_back({"24-bit top-down", BuildBmp({.width = kW, .height = -kH, .pixels = Rgb24Rows(true)}),
                     DirectGrid(128, 128, 128), TPixelFormat::pf24bit});
    cases.push_back({"24-bit fourth-version header",
                     BuildBmp({.headerSize = 108, .width = kW, .height = kH, .pixels = Rgb24Rows(false)}),
                     DirectGrid(128, 128, 128), TPixelFormat::pf24bit});
    cases.push_back({"32-bit plain, alpha ignored",
                     BuildBmp({.width = kW, .height = kH, .bitCount = 32,
                               .pixels = DirectRows(32, false, 8, 16, 8, 8, 8, 0, 0x7F000000)}),
                     DirectGrid(128, 128, 128), TPixelFormat::pf32bit});
    cases.push_back({"32-bit bit fields, red in the low byte",
                     BuildBmp({.width = kW, .height = kH, .bitCount = 32, .compression = 3,
                               .masks = {0x000000FF, 0x0000FF00, 0x00FF0000},
                               .pixels = DirectRows(32, false, 8, 0, 8, 8, 8, 16)}),
                     DirectGrid(128, 128, 128), TPixelFormat::pf32bit});
    // Runs, a literal run with its padding byte, end of line, a move to the
    // next row, end of bitmap; rows are listed bottom first in the file.
    cases.push_back({"RLE8", BuildBmp({.width = 6, .height = 3, .bitCount = 8, .compression = 1,
                                       .palette = {P0, P1, P2, P3}, .colorsUsed = 4,
                                       .pixels = {3, 1, 0, 3, 2, 3, 2, 0, 0, 0, 2, 3, 0, 2, 2, 1, 2, 1, 0, 1}}),
                     Grid{{B, B, B, B, P1, P1}, {P3, P3, B, B, B, B}, {P1, P1, P1, P2, P3, P2}},
                     TPixelFormat::pf8bit});
    cases.push_back({"RLE4", BuildBmp({.width = 6, .height = 3, .bitCount = 4, .compression = 2,
                                       .palette = {P0, P1, P2, P3}, .colorsUsed = 4,
                                       .pixels = {0, 5, 0x12, 0x12, 0x30, 0, 1, 0x30, 0, 0, 0, 3, 0x12, 0x30, 0, 2,
                                                  1, 1, 1, 0x20, 0, 1}}),
                     Grid{{B, B, B, B, P2, B}, {P1, P2, P3, B, B, B}, {P1, P2, P1, P2, P3, P3}},
                     TPixelFormat::pf4bit});
    return cases;
}

bool StartsWith(const String& s, const String& prefix) { return s.rfind(prefix, 0) == 0; }

}  // namespace

TEST(GfxBmp, ReadsEveryVariantToExactPixels) {
    for (const VariantCase& c : Variants()) {
        SCOPED_TRACE(c.name);
        TBitmap b;
        b.LoadFromMemory(c.file.data(), c.file.size());
        EXPECT_EQ(b.PixelFormat, c.format);
        EXPECT_EQ(Read(b), c.expected);
    }
}

TEST(GfxBmp, EveryTruncationOfAValidFileIsInvalid) {
    for (const VariantCase& c : Variants()) {
        for (std::size_t len = 0; len < c.file.size(); ++len) {
            SCOPED_TRACE(std::string(c.name) + " cut to " + std::to_string(len));
            TBitmap b;
            EXPECT_THROW(b.LoadFromMemory(c.file.data(), len), EInvalidGraphic);
        }
    }
}

TEST(GfxBmp, MalformedFilesRaiseInvalidGraphic) {
    const BmpSpec good{.width = kW, .height = kH, .pixels = Rgb24Rows(false)};
    auto with = [&](auto change) {
        BmpSpec s = good;
        change(s);
        return BuildBmp(s);
    };
    auto patched = [](std::vector<Byte> file, std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            file[at + std::size_t(i)] = Byte(value >> (8 * i));
        }
        return file;
    };
    struct Case {
        const char* name;
        std::vector<Byte> file;
    };
    const std::vector<Case> cases = {
        {"wrong magic", [&] { auto f = BuildBmp(good); f[1] = 'N'; return f; }()},
        {"unknown header size", with([](BmpSpec& s) { s.headerSize = 20; })},
        {"zero width", with([](BmpSpec& s) { s.width = 0; })},
        {"negative width", with([](BmpSpec& s) { s.width = -5; })},
        {"zero height", with([](BmpSpec& s) { s.height = 0; })},
        {"width past the limit", with([](BmpSpec& s) { s.width = 32769; })},
        {"height far past the limit", with([](BmpSpec& s) { s.height = -2000000000; })},
        {"RLE claiming a huge picture",
         with([](BmpSpec& s) {
             s.width = 30000, s.height = 30000, s.bitCount = 8, s.compression = 1, s.pixels = {0, 1};
         })},
        {"bit count 7", with([](BmpSpec& s) { s.bitCount = 7; })},
        {"bit count 0", with([](BmpSpec& s) { s.bitCount = 0; })},
        {"RLE8 with 4 bits", with([](BmpSpec& s) { s.bitCount = 4, s.compression = 1, s.pixels = {0, 1}; })},
        {"RLE4 with 8 bits", with([](BmpSpec& s) { s.bitCount = 8, s.compression = 2, s.pixels = {0, 1}; })},
        {"bit fields with 24 bits", with([](BmpSpec& s) { s.compression = 3, s.masks = {0xFF0000, 0xFF00, 0xFF}; })},
        {"bit fields all zero", with([](BmpSpec& s) { s.bitCount = 32, s.compression = 3, s.masks = {0, 0, 0}; })},
        {"embedded JPEG", with([](BmpSpec& s) { s.compression = 4; })},
        {"pixel offset inside the header", patched(BuildBmp(good), 10, 20)},
        {"pixel offset past the end", patched(BuildBmp(good), 10, 100000)},
        {"palette longer than the file",
         with([](BmpSpec& s) {
             s.bitCount = 8, s.colorsUsed = 256, s.palette = {RGBColor(255, 0, 0)};
             s.pixels.clear();
         })},
        {"RLE literal run past the end",
         with([](BmpSpec& s) { s.bitCount = 8, s.compression = 1, s.pixels = {0, 200, 1, 2, 3}; })},
        {"RLE move cut short", with([](BmpSpec& s) { s.bitCount = 8, s.compression = 1, s.pixels = {0, 2, 1}; })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap b;
        try {
            b.LoadFromMemory(c.file.data(), c.file.size());
            ADD_FAILURE() << "no exception";
        } catch (const EInvalidGraphic& e) {
            EXPECT_TRUE(StartsWith(e.Message, "Bitmap image is not valid")) << e.Message;
        }
    }
}

TEST(GfxBmp, RunsPastTheRowEndAreCutAndMovesPastTheLastRowStop) {
    // A run of 9 on a 3-pixel row fills the row and nothing else; a move far
    // above the picture ends it; the pixels never reached stay black.
    const auto file = BuildBmp({.width = 3, .height = 2, .bitCount = 8, .compression = 1, .palette = {P0, P1},
                                .colorsUsed = 2, .pixels = {9, 1, 0, 2, 200, 200}});
    TBitmap b;
    b.LoadFromMemory(file.data(), file.size());
    EXPECT_EQ(Read(b), (Grid{{B, B, B}, {P1, P1, P1}}));
}

TEST(GfxBmp, SavedFileIsBottomUpWithPaddedRowsAndReadsBack) {
    TBitmap b;
    b.SetSize(kW, kH);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            b.Canvas()->SetPixel(x, y, RGBColor(x * 40, y * 60, 7));
        }
    }
    TMemoryStream stream;
    b.SaveToStream(stream);
    const std::vector<Byte>& bytes = stream.Bytes();
    const std::size_t stride = 16;  // 15 bytes of pixels, padded
    ASSERT_EQ(bytes.size(), 54 + stride * kH);
    EXPECT_EQ(bytes[28], 24);
    // The first row in the file is the bottom row: (0, 2) is (0, 120, 7).
    EXPECT_EQ(bytes[54], 7);
    EXPECT_EQ(bytes[55], 120);
    EXPECT_EQ(bytes[56], 0);

    TBitmap back;
    back.LoadFromMemory(bytes.data(), bytes.size());
    EXPECT_EQ(Read(back), Read(b));
    EXPECT_EQ(back.PixelFormat, TPixelFormat::pf24bit);
}

TEST(GfxBmp, FilesLoadAndSaveThroughTheFileSystem) {
    const String name = testing::TempDir() + "gfx_bmp_roundtrip.bmp";
    TBitmap b;
    b.SetSize(2, 2);
    b.Canvas()->SetPixel(1, 1, clNavy);
    b.SaveToFile(name);
    TBitmap back;
    back.LoadFromFile(name);
    EXPECT_EQ(back.Pixels().Get(1, 1), clNavy);
    EXPECT_EQ(back.Pixels().Get(0, 0), clWhite);
    // Names as the program writes them: another letter case, backslashes.
    TBitmap sameFile;
    String programName = testing::TempDir() + "GFX_BMP_ROUNDTRIP.BMP";
    programName[programName.rfind('/')] = '\\';
    sameFile.LoadFromFile(programName);
    EXPECT_EQ(sameFile.Pixels().Get(1, 1), clNavy);

    // A missing file and one that opens but holds no picture both fail as
    // files that cannot be opened, and leave the bitmap as it was.
    std::FILE* damaged = std::fopen(name.c_str(), "wb");
    std::fputs("BM not a picture", damaged);
    std::fclose(damaged);
    for (const String& file : {testing::TempDir() + "gfx_no_such_picture.bmp", name}) {
        SCOPED_TRACE(file);
        try {
            back.LoadFromFile(file);
            ADD_FAILURE() << "no exception";
        } catch (const EFOpenError& e) {
            EXPECT_TRUE(StartsWith(e.Message, "Cannot open file \"" + file + "\".")) << e.Message;
        }
        EXPECT_EQ(back.Pixels().Get(1, 1), clNavy);
    }
    std::remove(name.c_str());
}

TEST(GfxBmp, StreamLoadReadsFromTheCurrentPosition) {
    const auto file = BuildBmp({.width = kW, .height = kH, .pixels = Rgb24Rows(false)});
    TMemoryStream stream;
    const Byte junk[3] = {1, 2, 3};
    stream.WriteBuffer(junk, 3);
    stream.WriteBuffer(file.data(), std::int64_t(file.size()));
    stream.SetPosition(3);
    TBitmap b;
    b.LoadFromStream(stream);
    EXPECT_EQ(Read(b), DirectGrid(128, 128, 128));
}
