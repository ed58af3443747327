// The hit-test masks: the town's places, the dress-up body and the room
// painter's surfaces and palette, checked by filling from each point the
// program tests as it does.
#include "data_tree_support.h"

#include <gtest/gtest-spi.h>

#include "games/TownGameThings.h"
#include "shell/TownPlaceTable.h"
#include "simulations/ModelKinds.h"
#include "simulations/RoomPainterTables.h"

namespace {

// Each marker's region, bounded by `border`: it holds one colour that is
// neither the border nor navy, reaches no other marker and not the edge.
template <typename Points>
std::vector<TRegion> CheckRegions(const Surface& mask, const Points& markers, TColor border) {
    std::vector<TRegion> regions;
    for (std::size_t i = 0; i < std::size(markers); ++i) {
        const TPoint m = markers[i];
        TRegion r = FillRegion(mask, m, border);
        EXPECT_FALSE(r.Points.empty()) << "marker " << i + 1 << " lies on the border";
        EXPECT_FALSE(r.TouchesEdge) << "region " << i + 1 << " is not enclosed";
        EXPECT_EQ(r.Colours.size(), 1u) << "region " << i + 1;
        EXPECT_FALSE(r.Colours.count(clNavy)) << "region " << i + 1 << " holds navy";
        for (std::size_t j = 0; j < std::size(markers); ++j)
            if (j != i) {
                EXPECT_FALSE(r.Contains(markers[j])) << "regions " << i + 1 << " and " << j + 1 << " meet";
            }
        regions.push_back(std::move(r));
    }
    return regions;
}

// Every pixel that is not the border lies in one of the regions.
void CheckNoOtherRegion(const Surface& mask, const std::vector<TRegion>& regions, TColor border) {
    int stray = 0;
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            if (mask.Get(x, y) == border) continue;
            bool inside = false;
            for (const auto& r : regions) inside = inside || r.Contains({x, y});
            stray += !inside;
        }
    EXPECT_EQ(stray, 0) << "pixels in no region";
}

}  // namespace

TEST(DataMasks, TownMaskHasOneEnclosedRegionPerPlace) {
    auto town = LoadPicture("mesto.bmp");
    auto mask = LoadPicture("mesto_m.bmp");
    ASSERT_EQ(town->Width(), TownWidth);
    ASSERT_EQ(town->Height(), TownHeight);
    ASSERT_EQ(mask->Width(), TownWidth);
    ASSERT_EQ(mask->Height(), TownHeight);
    std::vector<TPoint> samples;
    for (const auto& p : TownPlaceTable) samples.push_back(p.SamplePoint);
    const auto regions = CheckRegions(mask->Pixels(), samples, clBlack);
    CheckNoOtherRegion(mask->Pixels(), regions, clBlack);
    std::set<TColor> colours;
    for (const auto& r : regions) colours.insert(r.Colours.begin(), r.Colours.end());
    EXPECT_EQ(colours.size(), std::size_t(TownPlaceCount)) << "places share a colour";
    // The town game blacks these out from their anchors: no leak into others.
    for (Byte closed : TownGameClosedPlaces) EXPECT_FALSE(regions[closed - 1u].TouchesEdge);
}

TEST(DataMasks, FramesShowTheTownThroughAMagentaWindowOnly) {
    for (const char* frame : {"hl_obr\\pozadi.bmp", "hry\\citoje\\pozadi.bmp"}) {
        auto b = LoadPicture(frame);
        ASSERT_EQ(b->Width(), 640);
        ASSERT_EQ(b->Height(), 480);
        int wrong = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const bool window = x >= 6 && x < 6 + 628 && y >= 6 && y < 6 + TownHeight;
                wrong += (b->Pixels().Get(x, y) == clFuchsia) != window;
            }
        EXPECT_EQ(wrong, 0) << frame;
    }
}

TEST(DataMasks, BodyMaskHasThreeRegionsAroundItsMarkers) {
    auto mask = LoadPicture("simul\\modelka\\mod_mask.bmp");
    const auto regions = CheckRegions(mask->Pixels(), BodyMaskMarkers, clBlack);
    CheckNoOtherRegion(mask->Pixels(), regions, clBlack);
}

TEST(DataMasks, RoomSurfacesAreFlatAroundTheirSeedsAndLeaveThePaletteFree) {
    auto palette = LoadPicture("simul\\malpok\\barvy.bmp");
    ASSERT_EQ(palette->Width(), 640);
    ASSERT_EQ(palette->Height(), 480);
    for (const auto& s : RoomSurfaceTable) {
        auto surface = LoadPicture(std::string("simul\\malpok\\steny\\") + s.Picture + ".bmp");
        ASSERT_EQ(surface->Width(), 640);
        ASSERT_EQ(surface->Height(), 480);
        std::set<TColor> colours;
        for (int i = 0; i < s.SeedCount; ++i) {
            const TRegion r = FillRegion(surface->Pixels(), s.Seeds[i], clFuchsia);
            EXPECT_FALSE(r.Points.empty()) << s.Picture << " seed " << i + 1 << " is outside the surface";
            colours.insert(r.Colours.begin(), r.Colours.end());
        }
        EXPECT_EQ(colours.size(), 1u) << s.Picture << " is not one flat colour";
        EXPECT_EQ(surface->Pixels().Get(PaintSwatchAt.X, PaintSwatchAt.Y), clFuchsia) << s.Picture << " covers the swatch";
        int overPalette = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                overPalette += palette->Pixels().Get(x, y) != clFuchsia && surface->Pixels().Get(x, y) != clFuchsia;
        EXPECT_EQ(overPalette, 0) << s.Picture << " lies over the palette";
    }
}

TEST(DataMasks, PaletteMaskHasAFieldOfItsOwnColourPerPaint) {
    auto palette = LoadPicture("simul\\malpok\\barvy.bmp");
    std::vector<TPoint> markers;
    for (const auto& c : PaintColourTable) markers.push_back(c.Marker);
    const auto regions = CheckRegions(palette->Pixels(), markers, clFuchsia);
    CheckNoOtherRegion(palette->Pixels(), regions, clFuchsia);
    for (std::size_t i = 0; i < regions.size(); ++i)
        EXPECT_TRUE(regions[i].Colours.count(PaintColourTable[i].Colour)) << "field " << i + 1 << " is not its paint";
}

namespace {

// The failures `check` reports that mention `text`, kept from the test's result.
template <typename Check>
int FailuresMentioning(Check check, const std::string& text) {
    testing::TestPartResultArray results;
    {
        testing::ScopedFakeTestPartResultReporter reporter(testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD,
                                                           &results);
        check();
    }
    int n = 0;
    for (int i = 0; i < results.size(); ++i) n += std::string(results.GetTestPartResult(i).message()).find(text) != std::string::npos;
    return n;
}

}  // namespace

// The region checks themselves: small masks with the faults they must catch.
TEST(DataMasks, RegionChecksCatchSharedLeakingAndNavyRegions) {
    auto mask = [](auto paint) {
        Surface s;
        s.Resize(20, 10, clBlack);
        paint(s);
        return s;
    };
    auto box = [](Surface& s, int l, int t, int r, int b, TColor c) {
        for (int y = t; y < b; ++y)
            for (int x = l; x < r; ++x) s.Set(x, y, c);
    };
    const std::vector<TPoint> points = {{3, 4}, {15, 4}};
    const Surface good = mask([&](Surface& s) { box(s, 1, 1, 8, 9, RGBColor(255, 0, 0)); box(s, 10, 1, 19, 9, RGBColor(0, 255, 0)); });
    EXPECT_EQ(FailuresMentioning([&] { CheckRegions(good, points, clBlack); }, ""), 0);
    const Surface shared = mask([&](Surface& s) { box(s, 1, 1, 19, 9, RGBColor(255, 0, 0)); });
    EXPECT_GT(FailuresMentioning([&] { CheckRegions(shared, points, clBlack); }, "meet"), 0);
    const Surface leaking = mask([&](Surface& s) { box(s, 0, 1, 8, 9, RGBColor(255, 0, 0)); box(s, 10, 1, 19, 9, RGBColor(0, 255, 0)); });
    EXPECT_GT(FailuresMentioning([&] { CheckRegions(leaking, points, clBlack); }, "not enclosed"), 0);
    const Surface navy = mask([&](Surface& s) { box(s, 1, 1, 8, 9, clNavy); box(s, 10, 1, 19, 9, RGBColor(0, 255, 0)); });
    EXPECT_GT(FailuresMentioning([&] { CheckRegions(navy, points, clBlack); }, "navy"), 0);
    const Surface stray = mask([&](Surface& s) { box(s, 1, 1, 8, 9, RGBColor(255, 0, 0)); box(s, 10, 1, 19, 9, RGBColor(0, 255, 0)); box(s, 9, 0, 10, 1, RGBColor(0, 0, 255)); });
    const auto regions = CheckRegions(stray, points, clBlack);
    EXPECT_GT(FailuresMentioning([&] { CheckNoOtherRegion(stray, regions, clBlack); }, "no region"), 0);
}
