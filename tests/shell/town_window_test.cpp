// The town window: its start view, the slider and its rounding, dragging,
// the scroll strips, the exit snapshot and the bottom bar.
#include <cstdlib>

#include "town_test_support.h"

using namespace towntest;

namespace {

// What the window shows at a scroll offset: the frame, and the town through
// its magenta window.
::testing::AssertionResult ShowsTownAt(headless::Harness& h, int offset) {
    auto town = LoadPicture(kAppDir + "mesto.bmp");
    auto frame = LoadPicture(kAppDir + "hl_obr/pozadi.bmp");
    const Surface& screen = h.ScreenSurface();
    for (int y = 0; y < 421; y += 3)
        for (int x = 0; x < 640; x += 3) {
            if (wndVelamo->Slider->BoundsRect().Contains(x, y)) continue;
            TColor want = frame->Pixels().Get(x, y);
            if (want == clFuchsia) want = town->Pixels().Get(x - offset - 6, y - 6);
            if (screen.Get(x, y) != want)
                return ::testing::AssertionFailure() << "at (" << x << ", " << y << ") offset " << offset;
        }
    return ::testing::AssertionSuccess();
}

class TownWindow : public ProgramTest {};

TEST_F(TownWindow, StartsAsTheMainFormShowingTheMiddleOfTheTown) {
    bool shown = false;
    h().At(kReady, [&] {
        shown = wndVelamo && wndVelamo->Showing() && Application->MainForm() == wndVelamo;
        EXPECT_EQ(wndVelamo->Caption(), "Velamo");
        EXPECT_EQ(wndVelamo->ScrollOffset, -1446);
        EXPECT_EQ(wndVelamo->Slider->BoundsRect(), Bounds(314, 406, 12, 9));
        EXPECT_TRUE(ShowsTownAt(h(), -1446));
        auto thumb = LoadPicture(kAppDir + "hl_obr/posuv.bmp");
        EXPECT_TRUE(ScreenShows(h(), *thumb, 0, 0, 314, 406, 12, 9));
        // The help button's picture is part of the frame.
        auto help = LoadPicture(kAppDir + "hl_obr/help1.bmp");
        EXPECT_TRUE(ScreenShows(h(), *help, 0, 0, 10, 421, help->Width(), help->Height()));
        Application->Terminate();
    });
    RunProgram();
    EXPECT_TRUE(shown);
}

// The splash clicked away at once (before the town is made, and again once
// it is there): the display goes from the splash straight to the whole town,
// with no frame of the bare black backdrop and no town frame that is missing
// a part still to be painted.
TEST_F(TownWindow, SplashGivesWayToTheWholeTownWithNoFrameBetween) {
    struct Seen {
        bool black;
        bool splashUp;
        Surface frame;
    };
    std::vector<Seen> frames;
    h().Backend().SetPresentObserver([&](const Surface& s) {
        bool black = true;
        for (Byte b : s.pixels)
            if (b != 0) {
                black = false;
                break;
            }
        frames.push_back({black, wndKonec && wndKonec->Visible(), s});
    });
    h().Click(40, kIdleX, kIdleY);
    h().At(kReady, [] { Application->Terminate(); });
    RunProgram();
    ASSERT_FALSE(frames.empty());
    const Surface& town = h().Backend().LastFrame();
    std::size_t firstShown = 0;
    while (firstShown < frames.size() && frames[firstShown].black) ++firstShown;
    ASSERT_LT(firstShown, frames.size());
    bool townSeen = false;
    for (std::size_t i = firstShown; i < frames.size(); ++i) {
        EXPECT_FALSE(frames[i].black) << "frame " << i << " is the bare backdrop";
        if (!frames[i].splashUp && !townSeen) {
            townSeen = true;
            EXPECT_TRUE(frames[i].frame.pixels == town.pixels) << "the first town frame is not the whole town";
        }
    }
    EXPECT_TRUE(townSeen);
}

TEST(TownSlider, LeftEdgeForOffsetRoundsToTheNearestWithHalvesToEven) {
    struct Case {
        int offset, left;
    };
    // 2862 / 4.82 = 593.78; (2892 - 1446) / 4.82 = 300.0
    for (Case c : {Case{0, 14}, Case{-2892, 614}, Case{-30, 20}, Case{-1446, 314}, Case{-1596, 345}})
        EXPECT_EQ(SliderLeftForOffset(c.offset), c.left) << c.offset;
    EXPECT_EQ(OffsetForSliderLeft(20), -29);  // 594 * 4.82 = 2863.08
    EXPECT_EQ(OffsetForSliderLeft(314), -1446);
}

struct DragCase {
    const char* name;
    int toLeft;       // where the drag would put the slider's left edge
    int wantLeft;
    int wantOffset;
};
void PrintTo(const DragCase& c, std::ostream* os) { *os << c.name; }


class TownDrag : public ProgramTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(TownDrag, MovesTheTownOnlyWithinTheTrack) {
    const DragCase c = GetParam();
    constexpr int grab = 5;
    h().MouseDown(kReady, 314 + grab, 410);
    h().MoveTo(kReady + 20, c.toLeft + grab, 412);
    h().MouseUp(kReady + 40, c.toLeft + grab, 412);
    h().MoveTo(kReady + 60, c.toLeft + grab + 40, 412);  // released: no drag
    h().At(kReady + 100, [&] {
        EXPECT_EQ(wndVelamo->Slider->Left(), c.wantLeft);
        EXPECT_EQ(wndVelamo->ScrollOffset, c.wantOffset);
        EXPECT_FALSE(wndVelamo->Slider->Dragging);
        EXPECT_TRUE(ShowsTownAt(h(), c.wantOffset));
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Cases, TownDrag,
                         ::testing::Values(DragCase{"ToLeft20", 20, 20, -29}, DragCase{"ToLeftEnd", 14, 14, 0},
                                           DragCase{"ToRightEnd", 614, 614, -2892},
                                           DragCase{"BeyondLeft", 13, 314, -1446},
                                           DragCase{"BeyondRight", 615, 314, -1446}),
                         [](const auto& info) { return std::string(info.param.name); });

struct HoldCase {
    const char* name;
    int startLeft;   // the slider is dragged here first
    int stripX;      // a point inside the strip
    int ticks;       // held this many scroll steps
    int wantOffset;
};
void PrintTo(const HoldCase& c, std::ostream* os) { *os << c.name; }


class TownStripHold : public ProgramTest, public ::testing::WithParamInterface<HoldCase> {};

TEST_P(TownStripHold, ScrollsThirtyPixelsATickUpToTheEnds) {
    const HoldCase c = GetParam();
    h().MouseDown(kReady, 319, 410);
    h().MoveTo(kReady + 10, c.startLeft + 5, 410);
    h().MouseUp(kReady + 20, c.startLeft + 5, 410);
    constexpr std::uint64_t enter = kReady + 100;
    h().MoveTo(enter, c.stripX, 200);
    int framesAtEnter = 0;
    h().At(enter + 1, [&] {
        EXPECT_TRUE(wndVelamo->ScrollTimer->Enabled());
        framesAtEnter = h().Backend().FrameCount();
    });
    h().At(enter + 50 * std::uint64_t(c.ticks) + 10, [&] {
        EXPECT_EQ(wndVelamo->ScrollOffset, c.wantOffset);
        EXPECT_EQ(wndVelamo->Slider->Left(), SliderLeftForOffset(c.wantOffset));
        EXPECT_TRUE(ShowsTownAt(h(), c.wantOffset));
        // Each tick that moves the town presents a new frame; a tick where
        // it cannot move any more redraws the same picture, which is not
        // presented again.
        const int moving = (std::abs(c.wantOffset - OffsetForSliderLeft(c.startLeft)) + 29) / 30;
        const int frames = h().Backend().FrameCount() - framesAtEnter;
        EXPECT_GE(frames, moving);
        if (moving == 0) {
            EXPECT_EQ(frames, 0);
        }
        EXPECT_TRUE(wndVelamo->ScrollTimer->Enabled());
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Cases, TownStripHold,
                         ::testing::Values(HoldCase{"RightFromTheMiddle", 314, 637, 5, -1596},
                                           HoldCase{"LeftFromTheMiddle", 314, 2, 5, -1296},
                                           HoldCase{"LeftAtTheLeftEnd", 14, 2, 6, 0},
                                           HoldCase{"RightAtTheRightEnd", 614, 637, 6, -2892},
                                           HoldCase{"LeftNearTheLeftEnd", 16, 2, 2, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

class TownStripLeave : public ProgramTest {};

TEST_F(TownStripLeave, LeavingTheStripStopsAtOnce) {
    constexpr std::uint64_t enter = kReady;
    h().MoveTo(enter, 637, 200);
    h().MoveTo(enter + 120, 300, 200);  // after two ticks
    h().At(enter + 121, [] {
        EXPECT_FALSE(wndVelamo->ScrollTimer->Enabled());
        EXPECT_EQ(wndVelamo->ActiveScrollZone, nullptr);
    });
    h().At(enter + 600, [] {
        EXPECT_EQ(wndVelamo->ScrollOffset, -1446 - 60);
        Application->Terminate();
    });
    RunProgram();
}

TEST_F(TownStripLeave, ATickThatFindsThePointerOutsideStops) {
    // The strip's mouse-leave never came: the pointer is over the town while
    // the right strip is taken as entered.
    h().MoveTo(kReady, 300, 200);
    h().At(kReady + 10, [] { wndVelamo->ScrollZoneEnter(wndVelamo->RightScrollZone); });
    h().At(kReady + 61, [] {
        EXPECT_FALSE(wndVelamo->ScrollTimer->Enabled());
        EXPECT_EQ(wndVelamo->ActiveScrollZone, nullptr);
        EXPECT_EQ(wndVelamo->ScrollOffset, -1446);
        Application->Terminate();
    });
    RunProgram();
}

class TownExit : public ProgramTest {};

TEST_F(TownExit, SnapshotShowsTheTownAtItsPositionWithTheSliderDrawnIn) {
    h().MoveTo(kReady, 637, 200);   // three steps to the right
    h().MoveTo(kReady + 160, 300, 200);
    h().Click(kReady + 300, 470, 450);
    h().At(kReady + 600, [&] {
        ASSERT_TRUE(wndKonec->Showing());
        EXPECT_TRUE(wndVelamo->Showing());
        const int offset = -1446 - 90;
        EXPECT_EQ(wndVelamo->ScrollOffset, offset);
        auto town = LoadPicture(kAppDir + "mesto.bmp");
        auto thumb = LoadPicture(kAppDir + "hl_obr/posuv.bmp");
        const int left = SliderLeftForOffset(offset);
        const Surface& snap = wndKonec->Buffer->Pixels();
        // The slider (away from the question picture in the middle).
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(snap.Get(left + x, 406 + y), Dimmed(thumb->Pixels().Get(x, y))) << x << "," << y;
        // The town at its position, near the view's left edge.
        for (int y = 10; y < 60; ++y)
            for (int x = 10; x < 100; ++x)
                ASSERT_EQ(snap.Get(x, y), Dimmed(town->Pixels().Get(x - offset - 6, y - 6))) << x << "," << y;
        Application->Terminate();
    });
    RunProgram();
}

TEST_F(TownExit, HelpButtonTogglesTheTownsSpokenHelpAndDeactivationStopsIt) {
    // Clicks far enough apart not to make a double click.
    h().Click(kReady, 30, 445);
    h().At(kReady + 100, [] { EXPECT_EQ(wndVelamo->Prehravac->Mode(), mpPlaying); });
    h().Click(kReady + 700, 30, 445);
    h().At(kReady + 800, [] { EXPECT_NE(wndVelamo->Prehravac->Mode(), mpPlaying); });
    h().Click(kReady + 1400, 30, 445);
    h().FocusLost(kReady + 1500);
    h().At(kReady + 1600, [] {
        EXPECT_NE(wndVelamo->Prehravac->Mode(), mpPlaying);
        Application->Terminate();
    });
    RunProgram();
    EXPECT_EQ(Notices({"start", "sound\\help\\mesto.wav"}).size(), 2u);
}

TEST_F(TownExit, GamesAndSimulationsButtonsLeaveTheTownOpen) {
    h().Click(kReady, 233, 450);
    h().Click(kReady + 700, 310, 450);
    h().At(kReady + 900, [] {
        EXPECT_TRUE(wndVelamo->Showing());
        Application->Terminate();
    });
    RunProgram();
}

}  // namespace
