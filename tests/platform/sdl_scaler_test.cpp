// Where the picture lies in a window, how the mouse maps back, and the
// scaler's pixels: whole factors pixel for pixel, other factors mixing only
// where a window pixel straddles two picture pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/backend/sdl/sdl_scaler.h"
#include "platform/backend/sdl/sdl_viewport.h"
#include "platform/gfx/graphics.h"

using backend::sdl::PictureScaler;
using backend::sdl::Viewport;

namespace {

TColor PatternColour(int x, int y) { return RGBColor((x * 37) & 255, (y * 53) & 255, ((x + y) * 11) & 255); }

Surface Pattern() {
    Surface s;
    s.Resize(640, 480, clBlack);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) s.Set(x, y, PatternColour(x, y));
    return s;
}

struct Window {
    int width, height;
    std::vector<std::uint32_t> pixels;
    Window(int w, int h) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), 0) {}
    std::uint8_t* Bytes() { return reinterpret_cast<std::uint8_t*>(pixels.data()); }
    // 0xRRGGBB
    std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] & 0xFFFFFF; }
};

std::uint32_t Rgb(TColor c) { return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c); }

}  // namespace

TEST(SdlViewport, PlacesThePictureAndMapsTheMouseBack) {
    struct Case {
        int width, height;
        TRect picture;
        bool whole;
        TPoint windowPoint, picturePoint;
    };
    const Case cases[] = {
        {640, 480, Bounds(0, 0, 640, 480), true, {639, 479}, {639, 479}},
        {1024, 768, Bounds(0, 0, 1024, 768), false, {600, 450}, {375, 281}},
        {1024, 768, Bounds(0, 0, 1024, 768), false, {1023, 767}, {639, 479}},
        {1280, 960, Bounds(0, 0, 1280, 960), true, {3, 5}, {1, 2}},
        // Wider than 4:3: black borders left and right, the mouse on them is
        // outside the picture.
        {1920, 1080, Bounds(240, 0, 1440, 1080), false, {100, 500}, {-63, 222}},
        {1920, 1080, Bounds(240, 0, 1440, 1080), false, {1919, 0}, {746, 0}},
        // Taller: borders above and below.
        {800, 800, Bounds(0, 100, 800, 600), false, {400, 50}, {320, -40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        const Viewport v(c.width, c.height);
        EXPECT_EQ(v.Picture(), c.picture);
        EXPECT_EQ(v.WholeFactor(), c.whole);
        EXPECT_EQ(v.ToPicture(c.windowPoint.X, c.windowPoint.Y), c.picturePoint);
    }
}

TEST(SdlViewport, AChangedAreaCoversEveryWindowPixelShowingIt) {
    const Viewport v(1024, 768);
    const TRect area = Bounds(100, 50, 3, 2);
    const TRect shown = v.ToWindow(area);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) {
            const TPoint p = v.ToPicture(x, y);
            if (area.Contains(p.X, p.Y)) {
                ASSERT_TRUE(shown.Contains(x, y)) << x << "," << y;
            }
        }
    EXPECT_LE(shown.Width(), 3 * 2 + 2);
    EXPECT_EQ(v.ToWindow(Bounds(700, 10, 5, 5)), TRect{});
}

TEST(SdlScaler, WholeFactorsCopyEachPixelIntoItsSquare) {
    const Surface picture = Pattern();
    for (int factor : {1, 2}) {
        Window w(640 * factor, 480 * factor);
        PictureScaler scaler;
        scaler.SetViewport(Viewport(w.width, w.height));
        scaler.Scale(picture, Rect(0, 0, w.width, w.height), w.Bytes(), w.width * 4);
        for (int y = 0; y < w.height; y += 7)
            for (int x = 0; x < w.width; x += 3)
                ASSERT_EQ(w.At(x, y), Rgb(PatternColour(x / factor, y / factor))) << factor << ": " << x << "," << y;
    }
}

TEST(SdlScaler, OtherFactorsMixOnlyWhereAWindowPixelStraddlesTwo) {
    const Surface picture = Pattern();
    Window w(1024, 768);
    PictureScaler scaler;
    scaler.SetViewport(Viewport(1024, 768));
    scaler.Scale(picture, Rect(0, 0, 1024, 768), w.Bytes(), 1024 * 4);
    auto between = [](int v, int a, int b) { return v >= std::min(a, b) - 1 && v <= std::max(a, b) + 1; };
    int exact = 0;
    for (int y = 0; y < 768; y += 5)
        for (int x = 0; x < 1024; ++x) {
            // Window pixel x covers picture [x * 0.625, (x + 1) * 0.625).
            const int x0 = x * 5 / 8;
            const int x1 = ((x + 1) * 5 - 1) / 8;
            const int y0 = y * 5 / 8;
            const int y1 = ((y + 1) * 5 - 1) / 8;
            const std::uint32_t got = w.At(x, y);
            if (x0 == x1 && y0 == y1) {
                ASSERT_EQ(got, Rgb(PatternColour(x0, y0))) << x << "," << y;
                ++exact;
                continue;
            }
            const TColor a = PatternColour(x0, y0);
            const TColor b = PatternColour(x1, y1);
            ASSERT_TRUE(between(int(got >> 16), GetRValue(a), GetRValue(b)) &&
                        between(int((got >> 8) & 255), GetGValue(a), GetGValue(b)))
                << x << "," << y;
        }
    EXPECT_GT(exact, 0);
}

TEST(SdlScaler, PartOfTheWindowMatchesTheSameUnderAWholeScale) {
    Surface picture = Pattern();
    for (int width : {1024, 1280, 1920}) {
        const int height = width == 1920 ? 1080 : width * 3 / 4;
        Window whole(width, height);
        Window part(width, height);
        PictureScaler scaler;
        scaler.SetViewport(Viewport(width, height));
        scaler.Scale(picture, Rect(0, 0, width, height), whole.Bytes(), width * 4);
        const TRect area = Viewport(width, height).ToWindow(Bounds(101, 77, 13, 9));
        scaler.Scale(picture, area, part.Bytes(), width * 4);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                if (area.Contains(x, y)) {
                    ASSERT_EQ(part.At(x, y), whole.At(x, y)) << width << ": " << x << "," << y;
                } else {
                    ASSERT_EQ(part.At(x, y), 0u) << "written outside the area at " << x << "," << y;
                }
            }
    }
}

TEST(SdlScaler, TheEdgeColumnsShowThePictureEdgesAtEverySize) {
    // Columns of one colour each, so that only the horizontal scaling shows.
    Surface picture;
    picture.Resize(640, 480, clBlack);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) picture.Set(x, y, PatternColour(x, 0));
    const std::pair<int, int> sizes[] = {{1024, 768}, {800, 600}, {1366, 768}, {1920, 1080}, {641, 481}};
    for (const auto& [width, height] : sizes) {
        Window w(width, height);
        PictureScaler scaler;
        const Viewport viewport(width, height);
        scaler.SetViewport(viewport);
        scaler.Scale(picture, Rect(0, 0, width, height), w.Bytes(), width * 4);
        const TRect place = viewport.Picture();
        for (int y = place.Top; y < place.Bottom; ++y) {
            ASSERT_EQ(w.At(place.Left, y), Rgb(PatternColour(0, 0))) << width << "x" << height << " row " << y;
            ASSERT_EQ(w.At(place.Right - 1, y), Rgb(PatternColour(639, 0))) << width << "x" << height << " row " << y;
        }
    }
}
