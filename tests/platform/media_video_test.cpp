#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/core/files.h"
#include "platform/media/video.h"
#include "platform/sys/system.h"
#include "tests/platform/media_avi_writer.h"
#include "tests/platform/media_test_support.h"
#include "tests/platform/media_video1_encoder.h"

using namespace media_test;

namespace {

// An open stream with its frame getter, released at the end of the test.
class OpenVideo {
public:
    explicit OpenVideo(const Bytes& file) {
        AVIFileInit();
        result = AVIStreamOpenFromMemory(&stream, file.data(), file.size());
        if (stream) getter = AVIStreamGetFrameOpen(stream, nullptr);
    }
    ~OpenVideo() {
        if (getter) AVIStreamGetFrameClose(getter);
        if (stream) AVIStreamRelease(stream);
        AVIFileExit();
    }
    void* Frame(LONG pos) { return AVIStreamGetFrame(getter, pos); }

    HRESULT result = -1;
    PAVISTREAM stream = nullptr;
    PGETFRAME getter = nullptr;
};

::testing::AssertionResult SamePicture(const Picture& got, const Picture& want) {
    if (got.width != want.width || got.height != want.height)
        return ::testing::AssertionFailure() << "size " << got.width << "x" << got.height << ", want " << want.width
                                             << "x" << want.height;
    for (int y = 0; y < want.height; ++y)
        for (int x = 0; x < want.width; ++x)
            if (got.At(x, y) != want.At(x, y))
                return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << std::hex
                                                     << got.At(x, y) << ", want " << want.At(x, y);
    return ::testing::AssertionSuccess();
}

AviSpec Spec(int w, int h, int bitCount, std::uint32_t compression = BI_RGB, Bytes palette = {}) {
    AviSpec spec;
    spec.width = w;
    spec.height = h;
    spec.bitCount = bitCount;
    spec.compression = compression;
    spec.palette = std::move(palette);
    return spec;
}

// Checks the frames in the given order against their reference pictures.
void ExpectFrames(const Bytes& file, const std::vector<Picture>& want, const std::vector<int>& order) {
    OpenVideo video(file);
    ASSERT_EQ(video.result, AVIERR_OK);
    ASSERT_NE(video.getter, nullptr);
    EXPECT_EQ(AVIStreamLength(video.stream), LONG(want.size()));
    for (int pos : order) {
        SCOPED_TRACE("frame " + std::to_string(pos));
        void* dib = video.Frame(pos);
        ASSERT_NE(dib, nullptr);
        BITMAPINFOHEADER h;
        std::memcpy(&h, dib, sizeof h);
        EXPECT_EQ(h.biSize, 40u);
        EXPECT_EQ(h.biBitCount, 24);
        EXPECT_EQ(h.biCompression, BI_RGB);
        EXPECT_GT(h.biHeight, 0);
        EXPECT_TRUE(SamePicture(PictureOfDib(dib), want[std::size_t(pos)]));
    }
}

// A picture that differs in every pixel and frame; 8-bit ones hold indices.
Picture Pattern(int w, int h, int frame, int bitCount) {
    Picture p = MakePicture(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned index = unsigned(x * 7 + y * 13 + frame * 29) % 256;
            std::uint32_t c = std::uint32_t(x * 20 + frame) % 256 << 16 | std::uint32_t(y * 30) % 256 << 8 | index;
            if (bitCount == 8) c = index;
            if (bitCount == 16) c = RgbOf555(std::uint16_t(((c >> 19) & 31) << 10 | ((c >> 11) & 31) << 5 | ((c >> 3) & 31)));
            p.At(x, y) = c;
        }
    return p;
}

Picture Colours(Picture indices, bool palette) {
    if (palette)
        for (auto& c : indices.rgb) c = TestPaletteColour(c);
    return indices;
}

struct UncompressedCase {
    const char* name;
    int bitCount;
    bool topDown;
};

TEST(MediaAvi, UncompressedFramesOfEveryDepthAndRowOrder) {
    const UncompressedCase cases[] = {
        {"24 bit bottom-up", 24, false}, {"24 bit top-down", 24, true}, {"32 bit", 32, false},
        {"16 bit 5-5-5", 16, false},     {"8 bit palette", 8, false},   {"8 bit top-down", 8, true},
    };
    for (const UncompressedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int w = 10, h = 6;  // rows need padding at every depth but 32
        AviSpec spec = Spec(w, c.topDown ? -h : h, c.bitCount);
        if (c.bitCount == 8) spec.palette = TestPalette();
        std::vector<Picture> want;
        for (int f = 0; f < 3; ++f) {
            Picture p = Pattern(w, h, f, c.bitCount);
            spec.frames.push_back({EncodeRgbFrame(p, c.bitCount, c.topDown)});
            want.push_back(Colours(p, c.bitCount == 8));
        }
        ExpectFrames(WriteAvi(spec), want, {2, 0, 1, 1});
    }
}

// Pictures of palette indices given as rows, top row first.
Picture Indices(int w, std::vector<std::vector<unsigned>> rows) {
    Picture p = MakePicture(w, int(rows.size()));
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < w; ++x) p.At(x, y) = rows[std::size_t(y)][std::size_t(x)];
    return Colours(p, true);
}

TEST(MediaAvi, Rle8KeyAndDeltaFrames) {
    AviSpec spec = Spec(8, 4, 8, BI_RLE8, TestPalette());
    spec.frames = {
        // bottom row: a run; then a literal group and a run; then a run, an
        // odd literal group (padded) and a run; the top row: a run.
        {{8, 1, 0, 0, /**/ 0, 4, 20, 21, 22, 23, 4, 2, 0, 0, /**/ 3, 5, 0, 3, 30, 31, 32, 0, 2, 6, 0, 0, /**/ 8, 7, 0, 1}},
        // a move to (2, 1) and a run of two over the picture before
        {{0, 2, 2, 1, 2, 9, 0, 1}, false},
        // two line ends, one pixel at (0, 2)
        {{0, 0, 0, 0, 1, 10, 0, 1}, false},
    };
    std::vector<Picture> want = {
        Indices(8, {{7, 7, 7, 7, 7, 7, 7, 7}, {5, 5, 5, 30, 31, 32, 6, 6}, {20, 21, 22, 23, 2, 2, 2, 2}, {1, 1, 1, 1, 1, 1, 1, 1}}),
        Indices(8, {{7, 7, 7, 7, 7, 7, 7, 7}, {5, 5, 5, 30, 31, 32, 6, 6}, {20, 21, 9, 9, 2, 2, 2, 2}, {1, 1, 1, 1, 1, 1, 1, 1}}),
        Indices(8, {{7, 7, 7, 7, 7, 7, 7, 7}, {10, 5, 5, 30, 31, 32, 6, 6}, {20, 21, 9, 9, 2, 2, 2, 2}, {1, 1, 1, 1, 1, 1, 1, 1}}),
    };
    ExpectFrames(WriteAvi(spec), want, {2, 0, 1, 2});
}

TEST(MediaAvi, Rle4KeyAndDeltaFrames) {
    AviSpec spec = Spec(6, 2, 4, BI_RLE4, TestPalette(16));
    spec.frames = {
        // a run alternating two nibbles; a literal group of five (padded) and a run of one
        {{6, 0x12, 0, 0, 0, 5, 0x34, 0x56, 0x70, 0, 1, 0xF0, 0, 1}},
        {{0, 2, 1, 1, 2, 0xAB, 0, 1}, false},
    };
    std::vector<Picture> want = {
        Indices(6, {{3, 4, 5, 6, 7, 15}, {1, 2, 1, 2, 1, 2}}),
        Indices(6, {{3, 10, 11, 6, 7, 15}, {1, 2, 1, 2, 1, 2}}),
    };
    ExpectFrames(WriteAvi(spec), want, {1, 0, 1});
}

// Video 1 pictures: blocks of one colour, of two, of two a quarter, and a
// few blocks changing from frame to frame.
Video1Picture Video1Pattern(int w, int h, int frame, bool colour15) {
    Video1Picture p{w, h, std::vector<std::uint16_t>(std::size_t(w) * std::size_t(h))};
    auto colour = [&](unsigned n) { return std::uint16_t(colour15 ? (n * 2731u) & 0x7FFF : n % 256); };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int bx = x / 4, by = y / 4, kind = (bx + by) % 3;
            bool changes = (bx + 2 * by) % 5 == frame % 5;
            unsigned base = unsigned(bx * 3 + by * 5 + (changes ? frame * 17 : 0));
            unsigned n = base;
            if (kind == 1) n = base + ((x + y) % 2);
            if (kind == 2) n = base + unsigned((x % 4) / 2 * 2 + (y % 4) / 2 * 4 + (x + y) % 2);
            p.values[std::size_t(y) * std::size_t(w) + std::size_t(x)] = colour(n);
        }
    return p;
}

Picture PictureOfVideo1(const Video1Picture& v, bool colour15) {
    Picture p = MakePicture(v.width, v.height);
    for (std::size_t i = 0; i < v.values.size(); ++i)
        p.rgb[i] = colour15 ? RgbOf555(v.values[i]) : TestPaletteColour(v.values[i]);
    return p;
}

TEST(MediaAvi, Video1FramesInRandomOrder) {
    for (bool colour15 : {false, true}) {
        SCOPED_TRACE(colour15 ? "16 bit" : "8 bit");
        const int w = 24, h = 16;
        AviSpec spec = Spec(w, h, colour15 ? 16 : 8, FourCC("CRAM"));
        if (!colour15) spec.palette = TestPalette();
        Video1Encoder encoder(colour15);
        std::vector<Picture> want;
        Video1Picture prev;
        for (int f = 0; f < 9; ++f) {
            Video1Picture pic = Video1Pattern(w, h, f, colour15);
            bool key = f == 0 || f == 4;
            spec.frames.push_back({encoder.Encode(pic, key ? nullptr : &prev), key});
            want.push_back(PictureOfVideo1(pic, colour15));
            prev = pic;
        }
        ExpectFrames(WriteAvi(spec), want, {7, 2, 5, 6, 7, 8, 0, 3});
    }
}

TEST(MediaAvi, Video1BlockCodesPaintAsCoded) {
    // One 4x4 block: pixels counted from the bottom left, row by row, set
    // bits taking the first colour.
    AviSpec spec = Spec(4, 4, 8, FourCC("MSVC"), TestPalette());
    spec.frames = {
        {{0x01, 0x00, 40, 41}},                          // two colours: only the bottom-left pixel is 40
        {{0x00, 0x90, 1, 2, 3, 4, 5, 6, 7, 8}},          // quarters; bits 12 and 15 set
        {{0x01, 0x84}, false},                           // a skip: unchanged
        {{50, 0x80}},                                    // one colour
    };
    std::vector<Picture> want = {
        Indices(4, {{41, 41, 41, 41}, {41, 41, 41, 41}, {41, 41, 41, 41}, {40, 41, 41, 41}}),
        Indices(4, {{5, 6, 8, 7}, {6, 6, 8, 8}, {2, 2, 4, 4}, {2, 2, 4, 4}}),
        Indices(4, {{5, 6, 8, 7}, {6, 6, 8, 8}, {2, 2, 4, 4}, {2, 2, 4, 4}}),
        Indices(4, {{50, 50, 50, 50}, {50, 50, 50, 50}, {50, 50, 50, 50}, {50, 50, 50, 50}}),
    };
    ExpectFrames(WriteAvi(spec), want, {0, 1, 2, 3});
}

TEST(MediaAvi, ContainerVariantsGiveTheSameFrames) {
    struct Variant {
        const char* name;
        AviIndex index;
        bool junk, audioFirst, recordLists;
    };
    const Variant variants[] = {
        {"index relative to movi", AviIndex::Relative, false, false, false},
        {"index from the file start", AviIndex::Absolute, false, false, false},
        {"no index", AviIndex::None, false, false, false},
        {"junk and odd chunks", AviIndex::Relative, true, false, false},
        {"audio stream first", AviIndex::Absolute, true, true, false},
        {"rec lists without index", AviIndex::None, true, true, true},
        {"rec lists with index", AviIndex::Relative, false, true, true},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        AviSpec spec = Spec(5, 3, 24);  // odd frame size: 3 rows of 16 bytes
        spec.index = v.index;
        spec.junk = v.junk;
        spec.audioFirst = v.audioFirst;
        spec.recordLists = v.recordLists;
        std::vector<Picture> want;
        for (int f = 0; f < 4; ++f) {
            want.push_back(Pattern(5, 3, f, 24));
            spec.frames.push_back({EncodeRgbFrame(want.back(), 24)});
        }
        ExpectFrames(WriteAvi(spec), want, {3, 0, 2, 1});
    }
}

TEST(MediaAvi, FramesThatCannotBeGivenAreNil) {
    AviSpec spec = Spec(8, 8, 24);
    for (int f = 0; f < 3; ++f) spec.frames.push_back({EncodeRgbFrame(Pattern(8, 8, f, 24), 24)});
    spec.frames[1].data.resize(50);  // truncated
    OpenVideo video(WriteAvi(spec));
    ASSERT_NE(video.getter, nullptr);
    EXPECT_EQ(video.Frame(1), nullptr);
    EXPECT_EQ(video.Frame(-1), nullptr);
    EXPECT_EQ(video.Frame(3), nullptr);
    ASSERT_NE(video.Frame(2), nullptr);
    EXPECT_TRUE(SamePicture(PictureOfDib(video.Frame(2)), Pattern(8, 8, 2, 24)));
    EXPECT_EQ(AVIStreamGetFrame(nullptr, 0), nullptr);

    AviSpec unknown = Spec(8, 8, 24, FourCC("XVID"));
    unknown.frames = {{Bytes(100, 1)}};
    OpenVideo undecodable(WriteAvi(unknown));
    EXPECT_EQ(undecodable.result, AVIERR_OK);
    EXPECT_EQ(undecodable.Frame(0), nullptr);
}

TEST(MediaAvi, DeltaFrameOverABrokenChainIsNil) {
    AviSpec spec = Spec(8, 1, 8, BI_RLE8, TestPalette());
    spec.frames = {{{8, 1, 0, 1}}, {{1, 2, 0, 1}, false}, {{1, 3, 0, 1}, false}};
    Bytes file = WriteAvi(spec);
    // Point the index entry of frame 1 at nothing.
    std::size_t idx1 = file.size() - 3 * 16;
    Patch32(file, idx1 + 16 + 8, 0xFFFFFF);
    OpenVideo video(file);
    EXPECT_NE(video.Frame(0), nullptr);
    EXPECT_EQ(video.Frame(1), nullptr);
    EXPECT_EQ(video.Frame(2), nullptr);
    EXPECT_NE(video.Frame(0), nullptr);
}

TEST(MediaAvi, OpenFailsCleanly) {
    TempDir dir;
    AviSpec spec = Spec(4, 4, 24);
    spec.frames = {{EncodeRgbFrame(Pattern(4, 4, 0, 24), 24)}};
    WriteFile(dir.File("clip.avi"), WriteAvi(spec));
    WriteFile(dir.File("text.avi"), {'h', 'e', 'l', 'l', 'o'});
    struct Case {
        std::string file;
        DWORD type;
        HRESULT expected;
    };
    const Case cases[] = {
        {dir.File("clip.avi"), streamtypeVIDEO, AVIERR_OK},
        {dir.File("missing.avi"), streamtypeVIDEO, AVIERR_FILEOPEN},
        {dir.File("text.avi"), streamtypeVIDEO, AVIERR_BADFORMAT},
        {dir.File("clip.avi"), MakeFourCC('a', 'u', 'd', 's'), AVIERR_NODATA},
    };
    AVIFileInit();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        PAVISTREAM stream = reinterpret_cast<PAVISTREAM>(&dir);  // must be cleared on failure
        EXPECT_EQ(AVIStreamOpenFromFileA(&stream, c.file.c_str(), c.type, 0, OF_READ, nullptr), c.expected);
        EXPECT_EQ(stream != nullptr, c.expected == AVIERR_OK);
        if (stream) AVIStreamRelease(stream);
    }
    AVIFileExit();
}

// A window canvas that records what it reports as changed.
class RecordingCanvas : public TCanvas {
public:
    using TCanvas::TCanvas;
    void Changed(const TRect& r) override { changes.push_back(r); }
    std::vector<TRect> changes;
};

TEST(MediaDrawDib, DrawsFramesOntoTheCanvasClippedAndStretched) {
    AviSpec spec = Spec(4, 3, 24);
    Picture frame = Pattern(4, 3, 0, 24);
    spec.frames = {{EncodeRgbFrame(frame, 24)}};
    OpenVideo video(WriteAvi(spec));
    auto* header = static_cast<LPBITMAPINFOHEADER>(video.Frame(0));
    ASSERT_NE(header, nullptr);
    void* bits = reinterpret_cast<Byte*>(header) + header->biSize;

    struct Case {
        const char* name;
        TPoint origin;
        bool clip;
        int x, y, dx, dy;
        TRect changed;
    };
    const Case cases[] = {
        {"own size", {0, 0}, false, 2, 1, 4, 3, {2, 1, 6, 4}},
        {"child origin", {3, 2}, false, 1, 1, 4, 3, {4, 3, 8, 6}},
        {"clipped by the canvas", {0, 0}, true, 2, 1, 4, 3, {3, 1, 6, 3}},
        {"stretched twice", {0, 0}, false, 0, 0, 8, 6, {0, 0, 8, 6}},
        {"off the edge", {0, 0}, false, 8, 6, 4, 3, {8, 6, 10, 8}},
    };
    HDRAWDIB hdd = DrawDibOpen();
    ASSERT_NE(hdd, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Surface surface;
        surface.Resize(10, 8, clWhite);
        RecordingCanvas canvas(&surface);
        canvas.Origin = c.origin;
        if (c.clip) canvas.SetClip(Rect(3, 0, 10, 3));
        EXPECT_EQ(DrawDibDraw(hdd, canvas.Handle(), c.x, c.y, c.dx, c.dy, header, bits, 0, 0, 4, 3, DDF_SAME_HDC), 1);
        ASSERT_EQ(canvas.changes.size(), 1u);
        EXPECT_EQ(canvas.changes[0], c.changed);
        int sx = c.x + c.origin.X, sy = c.y + c.origin.Y;
        for (int y = 0; y < surface.height; ++y)
            for (int x = 0; x < surface.width; ++x) {
                TColor want = clWhite;
                if (c.changed.Contains(x, y)) {
                    std::uint32_t rgb = frame.At((x - sx) * 4 / c.dx, (y - sy) * 3 / c.dy);
                    want = RGBColor(int(rgb >> 16), int(rgb >> 8 & 0xFF), int(rgb & 0xFF));
                }
                ASSERT_EQ(surface.Get(x, y), want) << x << "," << y;
            }
    }
    EXPECT_EQ(DrawDibClose(hdd), 1);
}

TEST(MediaDrawDib, DrawsPalettisedAndTopDownDibs) {
    // An 8-bit top-down DIB of 2x2 with its colour table after the header.
    Bytes dib(40 + 256 * 4 + 8, 0);
    BITMAPINFOHEADER h{40, 2, -2, 1, 8, BI_RGB, 0, 0, 0, 256, 0};
    std::memcpy(dib.data(), &h, 40);
    Bytes palette = TestPalette();
    std::copy(palette.begin(), palette.end(), dib.begin() + 40);
    Byte* bits = dib.data() + 40 + 1024;
    bits[0] = 1, bits[1] = 2, bits[4] = 3, bits[5] = 4;  // rows of 4 bytes, top row first
    Surface surface;
    surface.Resize(2, 2, clWhite);
    RecordingCanvas canvas(&surface);
    HDRAWDIB hdd = DrawDibOpen();
    EXPECT_EQ(DrawDibDraw(hdd, &canvas, 0, 0, -1, -1, reinterpret_cast<LPBITMAPINFOHEADER>(dib.data()), bits, 0, 0, -1, -1, 0), 1);
    const unsigned want[2][2] = {{1, 2}, {3, 4}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            std::uint32_t rgb = TestPaletteColour(want[y][x]);
            EXPECT_EQ(surface.Get(x, y), RGBColor(int(rgb >> 16), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)));
        }
    h.biCompression = BI_RLE8;
    std::memcpy(dib.data(), &h, 40);
    EXPECT_EQ(DrawDibDraw(hdd, &canvas, 0, 0, 2, 2, reinterpret_cast<LPBITMAPINFOHEADER>(dib.data()), bits, 0, 0, 2, 2, 0), 0);
    DrawDibClose(hdd);
}

TEST(MediaVideoModules, LieInThePlatformSystemFolder) {
    String dir = sys::PlatformModuleFolder();
    EXPECT_EQ(dir, String(VELAMO_APP_DIR) + "/system");
    EXPECT_NE(FileAge(dir + "\\AVIFIL32.DLL"), -1);
    EXPECT_NE(FileAge(dir + "\\MSVFW32.DLL"), -1);
}

}  // namespace
