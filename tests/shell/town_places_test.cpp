// The town's places: the hit test on the mask, the name plates, and the
// mouse-down that opens a profession's page.
#include "town_test_support.h"

using namespace towntest;

namespace {

// Scrolled by a slider drag to left 284: offset -1301, so that place 16
// ("ulice", sample point 1383, 343) is in view.
constexpr int kUliceOffset = -1301;
constexpr int kUliceX = 1383 + kUliceOffset + 6;
constexpr int kUliceY = 343 + 6;

class TownPlaces : public ProgramTest {
protected:
    void ScrollToUlice(std::uint64_t at) {
        h().MouseDown(at, 319, 410);
        h().MoveTo(at + 10, 284 + 5, 410);
        h().MouseUp(at + 20, 284 + 5, 410);
    }
    // The name plate of a place is on screen where the panel is.
    ::testing::AssertionResult PlateShown(const char* code, int left, int top) {
        auto plate = LoadPicture(kAppDir + "hl_obr/nazvy/" + code + ".bmp");
        TXPanel* panel = wndVelamo->NazevPanel;
        if (!panel->Visible()) return ::testing::AssertionFailure() << "no plate shown";
        if (panel->BoundsRect() != Bounds(left, top, plate->Width(), plate->Height()))
            return ::testing::AssertionFailure() << "plate at " << panel->Left() << ", " << panel->Top();
        return ScreenShows(h(), *plate, 0, 0, left, top, plate->Width(), plate->Height());
    }
};

TEST_F(TownPlaces, PointOnABlackMaskPixelIsNoPlace) {
    // A black point of the mask in the start view, found from the file.
    auto mask = LoadPicture(kAppDir + "mesto_m.bmp");
    TPoint black{-1, -1};
    for (int x = 1446 + 100; x < 2073 && black.X < 0; ++x)
        if (mask->Pixels().Get(x, 200) == clBlack) black = TPoint{x - 1446 + 6, 206};
    ASSERT_GE(black.X, 0);
    // First over a place, so that the plate and the hand are shown.
    h().MoveTo(kReady, 1760 - 1446 + 6, 246 + 6);
    h().At(kReady + 10, [&] {
        EXPECT_EQ(wndVelamo->HoverPlace, 23);
        EXPECT_TRUE(CursorIs(2));
    });
    h().MoveTo(kReady + 100, black.X, black.Y);
    h().MouseDown(kReady + 200, black.X, black.Y, mbLeft);
    h().MouseUp(kReady + 250, black.X, black.Y, mbLeft);
    h().At(kReady + 400, [&] {
        EXPECT_EQ(wndVelamo->HoverPlace, 0);
        EXPECT_TRUE(CursorIs(1));
        EXPECT_FALSE(wndVelamo->NazevPanel->Visible());
        EXPECT_EQ(wndDetailProfese, nullptr);
        Application->Terminate();
    });
    RunProgram();
}

class TownPlaceButton : public TownPlaces, public ::testing::WithParamInterface<TMouseButton> {};

TEST_P(TownPlaceButton, UliceShowsItsPlateAtItsPointAndAnyButtonOpensItsPage) {
    ScrollToUlice(kReady);
    h().MoveTo(kReady + 100, kUliceX, kUliceY);
    h().At(kReady + 110, [&] {
        EXPECT_EQ(wndVelamo->ScrollOffset, kUliceOffset);
        EXPECT_EQ(wndVelamo->HoverPlace, 16);
        EXPECT_TRUE(CursorIs(2));
        EXPECT_TRUE(PlateShown("ulice", 1346 + kUliceOffset + 6, 248 + 6));
    });
    h().MouseDown(kReady + 200, kUliceX, kUliceY, GetParam());
    h().MouseUp(kReady + 250, kUliceX, kUliceY, GetParam());
    h().At(kReady + 500, [&] {
        ASSERT_NE(wndDetailProfese, nullptr);
        EXPECT_TRUE(wndDetailProfese->Showing());
        EXPECT_EQ(String(CurrentDetailCode.Chars, CurrentDetailCode.Length), "popelar");
        EXPECT_TRUE(wndDetailProfese->BarButton(TBarButton::Exit)->Visible());
        EXPECT_FALSE(wndDetailProfese->BarButton(TBarButton::Back)->Visible());
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Buttons, TownPlaceButton, ::testing::Values(mbLeft, mbRight, mbMiddle));

TEST_F(TownPlaces, MouseDownOnTheNamePlateOpensThePageOfItsPlace) {
    ScrollToUlice(kReady);
    h().MoveTo(kReady + 100, kUliceX, kUliceY);
    // Onto the plate: the form sees no move there.
    const int plateX = 1346 + kUliceOffset + 6 + 5, plateY = 248 + 6 + 5;
    h().MoveTo(kReady + 200, plateX, plateY);
    h().At(kReady + 210, [] { EXPECT_EQ(wndVelamo->HoverPlace, 16); });
    h().MouseDown(kReady + 300, plateX, plateY);
    h().MouseUp(kReady + 350, plateX, plateY);
    h().At(kReady + 600, [] {
        ASSERT_NE(wndDetailProfese, nullptr);
        EXPECT_TRUE(wndDetailProfese->Showing());
        EXPECT_EQ(String(CurrentDetailCode.Chars, CurrentDetailCode.Length), "popelar");
        Application->Terminate();
    });
    RunProgram();
}

// A mask of the town's size, black but for two regions in the start view:
// one holding the sample points of places 24 (1824, 195) and 26 (1884, 196),
// one holding none.
class TownFixtureMask : public TownPlaces {
protected:
    TownFixtureMask() : tree_({"mesto_m.bmp"}) {
        TBitmap mask;
        mask.SetSize(TownWidth, TownHeight);
        mask.Canvas()->Brush.Color = clBlack;
        mask.Canvas()->FillRect(Rect(0, 0, TownWidth, TownHeight));
        mask.Canvas()->Brush.Color = RGBColor(10, 200, 30);
        mask.Canvas()->FillRect(Rect(1810, 185, 1900, 205));
        mask.Canvas()->Brush.Color = RGBColor(200, 10, 30);
        mask.Canvas()->FillRect(Rect(1700, 300, 1750, 380));
        mask.SaveToFile(tree_.Folder().Path("mesto_m.bmp"));
        InvalidatePathCache();
        UseAppFolder(tree_.Dir());
    }
    static int X(int tx) { return tx - 1446 + 6; }
    TreeCopy tree_;
};

TEST_F(TownFixtureMask, TwoSamplePointsInOneRegionTheLowerNumberWins) {
    h().MoveTo(kReady, X(1850), 200);
    h().At(kReady + 10, [&] {
        EXPECT_EQ(wndVelamo->HoverPlace, 24);
        EXPECT_TRUE(PlateShown("fotatel", 1819 - 1446 + 6, 142 + 6));
        Application->Terminate();
    });
    RunProgram();
}

TEST_F(TownFixtureMask, RegionWithoutASamplePointKeepsThePlateBeforeAndOpensNothing) {
    h().MoveTo(kReady, X(1850), 200);
    h().MoveTo(kReady + 100, X(1720), 340);
    h().At(kReady + 110, [&] {
        EXPECT_EQ(wndVelamo->HoverPlace, 0);
        EXPECT_TRUE(CursorIs(2));
        EXPECT_TRUE(PlateShown("fotatel", 1819 - 1446 + 6, 142 + 6));
    });
    h().MouseDown(kReady + 200, X(1720), 340);
    h().MouseUp(kReady + 250, X(1720), 340);
    h().At(kReady + 500, [&] {
        EXPECT_EQ(wndDetailProfese, nullptr);
        EXPECT_EQ(h().ActiveForm(), wndVelamo);
        Application->Terminate();
    });
    RunProgram();
}

TEST_F(TownFixtureMask, EveryHitTestFindsWhatTheMaskSays) {
    // Moves over both regions and back: each finds the place of the region
    // under the pointer, whatever the tests before it found, and the mask
    // itself is left as it was.
    const std::vector<std::pair<int, Byte>> moves = {
        {X(1850), 24}, {X(1720), 0}, {X(1850), 24}, {X(1880), 24}, {X(1720), 0}};
    std::uint64_t at = kReady;
    std::vector<Byte> maskBefore;
    h().At(at - 1, [&] { maskBefore = wndVelamo->Mask->Pixels().pixels; });
    for (const auto& move : moves) {
        const Byte place = move.second;
        h().MoveTo(at, move.first, place ? 200 : 340);
        h().At(at + 5, [place] { EXPECT_EQ(wndVelamo->HoverPlace, place); });
        at += 50;
    }
    h().At(at, [&] {
        EXPECT_TRUE(wndVelamo->Mask->Pixels().pixels == maskBefore);
        Application->Terminate();
    });
    RunProgram();
}

TEST_F(TownFixtureMask, PointsOutsideTheMaskAreNoPlace) {
    // Below the view (the frame) and on the bottom bar.
    h().MoveTo(kReady, X(1850), 200);
    h().MoveTo(kReady + 100, 300, 412);
    h().At(kReady + 110, [&] {
        EXPECT_EQ(wndVelamo->HoverPlace, 0);
        EXPECT_TRUE(CursorIs(1));
        EXPECT_FALSE(wndVelamo->NazevPanel->Visible());
        Application->Terminate();
    });
    RunProgram();
}

}  // namespace
