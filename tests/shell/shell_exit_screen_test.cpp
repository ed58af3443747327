// The exit question over a screen of the running program: its picture, its
// sounds, the answers no and yes with their strips, the credits and the end.
#include "shell/UKonec.h"
#include "shell/Velamo.h"
#include "shell_test_support.h"

using namespace shelltest;

namespace {

constexpr std::uint64_t kAsked = 12000;  // the splash is gone by then
constexpr std::uint64_t kAnswered = 13000;
// Press, release, eight frames of 150 ms, then the pause of 500 ms.
constexpr std::uint64_t kAnswerDone = kAnswered + headless::Harness::kClickHoldMs + 8 * 150 + 500;

class ShellExitScreen : public ShellTest {
protected:
    ShellExitScreen() {
        sys::ConfigureDisplay({{640, 480, 16, 60}}, {1024, 768, 32, 60});
        h().At(kAsked, [this] {
            screen_ = new TTestScreen(nullptr);
            screen_->Show();
            ShowExitScreen(screen_->Buffer.get());
        });
    }
    std::uint64_t RunProgram() {
        VelamoMain();
        return h().Now();
    }
    // The strip's last frame is on the screen at the point.
    ::testing::AssertionResult LastFrameAt(const char* strip, int x, int y) {
        auto picture = LoadPicture(kAppDir + strip);
        return ScreenShows(h(), *picture, 7 * 128, 0, x, y, 128, 104);
    }
    TTestScreen* screen_ = nullptr;
};

TEST_F(ShellExitScreen, QuestionDimsTheScreenBelowWithTheQuestionCentredAndPlaysItsSound) {
    bool pictureRight = false;
    h().At(kAsked + 300, [&] {
        auto question = LoadPicture(kAppDir + "hl_obr/exit.bmp");
        const int left = (640 - question->Width()) / 2, top = (480 - question->Height()) / 2;
        const Surface& s = h().ScreenSurface();
        pictureRight = true;
        for (int y = 0; y < 480 && pictureRight; ++y)
            for (int x = 0; x < 640 && pictureRight; ++x) {
                TColor want = Dimmed(PatternColour(x, y));
                if (x >= left && y >= top && x < left + question->Width() && y < top + question->Height()) {
                    TColor q = question->Pixels().Get(x - left, y - top);
                    if (q != clFuchsia) want = q;
                }
                if (s.Get(x, y) != want) {
                    ADD_FAILURE() << "at (" << x << ", " << y << ")";
                    pictureRight = false;
                }
            }
        Application->Terminate();
    });
    RunProgram();
    EXPECT_TRUE(pictureRight);
    EXPECT_EQ(wndKonec->YesButton->BoundsRect(), Bounds(165, 274, 34, 28));
    EXPECT_EQ(wndKonec->NoButton->BoundsRect(), Bounds(442, 269, 32, 35));
    EXPECT_TRUE(wndKonec->YesButton->Visible() && wndKonec->NoButton->Visible());
    auto sound = SoundStarts("sound\\exit.wav");
    ASSERT_EQ(sound.size(), 1u);
    EXPECT_EQ(sound[0].at, kAsked + 200);
}

TEST_F(ShellExitScreen, HoverSoundsOfTheAnswersButNoneDuringTheSplash) {
    h().MoveTo(3000, 450, 280);  // the splash: over its whole-form no area
    h().MoveTo(3500, 10, 10);
    h().MoveTo(kAsked + 400, 175, 285);
    h().MoveTo(kAsked + 600, 450, 280);
    h().At(kAsked + 700, [] { Application->Terminate(); });
    RunProgram();
    auto yes = SoundStarts("sound\\ex_ano.wav");
    auto no = SoundStarts("sound\\ex_ne.wav");
    ASSERT_EQ(yes.size(), 1u);
    ASSERT_EQ(no.size(), 1u);
    EXPECT_EQ(yes[0].at, kAsked + 400);
    EXPECT_EQ(no[0].at, kAsked + 600);
}

TEST_F(ShellExitScreen, AnswerNoPlaysItsStripThenLeavesTheScreenBelowUnchanged) {
    h().Click(kAnswered, 450, 280);
    bool stripShown = false, stillAsking = false, gone = false, screenUnchanged = false;
    h().At(kAnswerDone - 50, [&] {
        stripShown = LastFrameAt("hl_obr/ne.bmp", 336, 181);
        stillAsking = wndKonec->Visible();
    });
    h().At(kAnswerDone + 10, [&] {
        gone = !wndKonec->Visible();
        screenUnchanged = ScreenShows(h(), *screen_->Buffer, 0, 0, 0, 0, 640, 480);
        Application->Terminate();
    });
    RunProgram();
    EXPECT_TRUE(stripShown);
    EXPECT_TRUE(stillAsking);
    EXPECT_TRUE(gone);
    EXPECT_TRUE(screenUnchanged);
}

TEST_F(ShellExitScreen, AnswerYesPlaysItsStripShowsTheCreditsAndEndsOnTheThirdTick) {
    h().Click(kAnswered, 175, 285);
    bool stripShown = false, creditsShown = false;
    h().At(kAnswerDone - 50, [&] { stripShown = LastFrameAt("hl_obr/ano.bmp", 174, 182); });
    h().At(kAnswerDone + 10, [&] {
        auto credits = LoadPicture(kAppDir + "hl_obr/credits.bmp");
        creditsShown = ScreenShows(h(), *credits, 0, 0, 0, 0, 640, 480);
    });
    const std::uint64_t end = RunProgram();
    EXPECT_TRUE(stripShown);
    EXPECT_TRUE(creditsShown);
    EXPECT_EQ(end, kAnswerDone + 3000);
    EXPECT_EQ(sys::CurrentDisplayMode(), (sys::DisplayMode{1024, 768, 32, 60}));
}

// The other answer pressed during an answer's pause: the first answer's
// strip is over, the second plays in full and decides.
TEST_F(ShellExitScreen, YesDuringThePauseAfterNoStillEndsTheProgram) {
    h().Click(kAnswered, 450, 280);
    h().Click(kAnswerDone - 300, 175, 285);
    const std::uint64_t yesDone = kAnswerDone - 300 + headless::Harness::kClickHoldMs + 8 * 150 + 500;
    bool credits = false;
    h().At(yesDone + 10, [&] { credits = wndKonec->Visible() && wndKonec->CreditsMode; });
    EXPECT_EQ(RunProgram(), yesDone + 3000);
    EXPECT_TRUE(credits);
}

TEST_F(ShellExitScreen, NoDuringThePauseAfterYesLeavesTheQuestionAndTheProgramGoesOn) {
    h().Click(kAnswered, 175, 285);
    h().Click(kAnswerDone - 300, 450, 280);
    const std::uint64_t noDone = kAnswerDone - 300 + headless::Harness::kClickHoldMs + 8 * 150 + 500;
    bool gone = false;
    h().At(noDone + 5000, [&] {
        gone = !wndKonec->Visible() && !wndKonec->CreditsMode && !wndKonec->Timer->Enabled();
        Application->Terminate();
    });
    EXPECT_EQ(RunProgram(), noDone + 5000);
    EXPECT_TRUE(gone);
}

TEST_F(ShellExitScreen, DeactivatingTheApplicationStopsTheQuestionsSound) {
    h().FocusLost(kAsked + 500);
    h().At(kAsked + 600, [] { Application->Terminate(); });
    RunProgram();
    auto stops = Notices({"sound stop ch0", "sound\\exit.wav"});
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_EQ(stops[0].at, kAsked + 500);
}

}  // namespace
