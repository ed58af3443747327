// The region hit test on a small mask: three regions in a black frame, two
// with a marker each; tests run one after another on the same working copy.
#include <gtest/gtest.h>

#include <cstring>
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

// A mask drawn as text: '#' border, anything else one colour.
std::unique_ptr<TBitmap> MaskOf(const std::vector<const char*>& rows) {
    auto mask = std::make_unique<TBitmap>();
    mask->SetSize(int(std::strlen(rows[0])), int(rows.size()));
    for (int y = 0; y < int(rows.size()); ++y)
        for (int x = 0; rows[std::size_t(y)][x]; ++x)
            mask->Pixels().Set(x, y, rows[std::size_t(y)][x] == '#' ? clBlack : RGBColor(200, 100, 50));
    return mask;
}

TEST(RegionHitTest, RegionsJoinOnlyEdgeToEdgeAndFollowTheMaskWhenItChanges) {
    const auto mask = MaskOf({
        ".#...#.",  //
        ".#.#.#.",  //
        ".#...#.",  //
        ".#####.",  //
        ".......",  //
        "######.",  //
    });
    // Markers: the U's right arm, the pocket, and the U's foot (a later
    // marker in the same region is never the answer).
    const std::vector<TPoint> markers = {{6, 0}, {2, 1}, {6, 5}};
    TRegionHitTest test(mask.get(), clBlack);
    const HitCase cases[] = {
        {"LeftArmReachesTheRightArmThroughTheBottom", {0, 0}, 0},
        {"BottomRow", {3, 4}, 0},
        {"PocketIsARegionOfItsOwn", {4, 2}, 1},
        {"PocketCentreIsBorder", {3, 1}, -1},
        {"BorderRow", {2, 5}, -1},
    };
    for (const HitCase& c : cases) EXPECT_EQ(test.MarkerAt(c.at.X, c.at.Y, markers), c.marker) << c.name;

    // The pocket closed off by drawing border over its opening: told, the
    // test sees it; the U is unchanged.
    for (int y = 0; y <= 2; ++y)
        for (int x = 2; x <= 4; ++x) mask->Pixels().Set(x, y, clBlack);
    test.MaskChanged();
    EXPECT_EQ(test.MarkerAt(4, 2, markers), -1);
    EXPECT_EQ(test.MarkerAt(0, 4, markers), 0);

    // Pixels touching only at their corners are two regions.
    const auto diagonal = MaskOf({
        ".#",  //
        "#.",  //
    });
    TRegionHitTest corner(diagonal.get(), clBlack);
    const std::vector<TPoint> cornerMarkers = {{1, 1}};
    EXPECT_EQ(corner.MarkerAt(1, 1, cornerMarkers), 0);
    EXPECT_EQ(corner.MarkerAt(0, 0, cornerMarkers), -1);
}

}  // namespace
