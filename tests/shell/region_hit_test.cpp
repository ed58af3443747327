// The region hit test on a small mask: three regions in a black frame, two
// with a marker each; tests run one after another on the same working copy.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "shell/RegionHitTest.h"

namespace {

// 12 x 6: black around and between; region A x 1..3, region B x 5..7 with
// navy of its own in it, region C x 9..10 without a marker.
std::unique_ptr<TBitmap> Mask() {
    auto mask = std::make_unique<TBitmap>();
    mask->SetSize(12, 6);
    mask->Pixels().Fill(clBlack);
    for (int y = 1; y <= 4; ++y) {
        for (int x = 1; x <= 3; ++x) mask->Pixels().Set(x, y, RGBColor(255, 0, 0));
        for (int x = 5; x <= 7; ++x) mask->Pixels().Set(x, y, RGBColor(0, 255, 0));
        for (int x = 9; x <= 10; ++x) mask->Pixels().Set(x, y, RGBColor(255, 255, 0));
    }
    mask->Pixels().Set(7, 4, clNavy);
    return mask;
}

const std::vector<TPoint> kMarkers = {{2, 2}, {6, 3}, {7, 4}};

struct HitCase {
    const char* name;
    TPoint at;
    int marker;
};

TEST(RegionHitTest, FindsTheFirstMarkerInTheRegionUnderThePoint) {
    const auto mask = Mask();
    TRegionHitTest test(mask.get(), clBlack);
    const HitCase cases[] = {
        {"RegionA", {3, 4}, 0},        {"RegionB", {5, 1}, 1},    {"RegionBOnItsNavy", {7, 4}, 1},
        {"RegionWithoutMarker", {9, 2}, -1}, {"Border", {4, 2}, -1}, {"OutsideTheMask", {20, 2}, -1},
        {"Negative", {-1, 2}, -1},     {"RegionAAgain", {1, 1}, 0},
    };
    for (const HitCase& c : cases) EXPECT_EQ(test.MarkerAt(c.at.X, c.at.Y, kMarkers), c.marker) << c.name;
    // The mask itself is never changed.
    EXPECT_EQ(mask->Pixels().pixels, Mask()->Pixels().pixels);
}

}  // namespace
