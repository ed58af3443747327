// The picture games "Kdo sem patří" (entry 5) and "Kdo to vyřeší" (entry 9):
// one screen in two modes, browsing the fifteen figures, the right choice
// with its synchronous sound, the third wrong choice opening the answer's
// detail page and its back button dealing the next round, and the former
// right answers kept out of the rounds.
#include <map>

#include "games/GameCodeLists.h"
#include "games/UKdoPatriObr.h"
#include "games_test_support.h"
#include "platform/media/sound.h"

using namespace gametest;

namespace {

struct ModeCase {
    const char* name;
    int entry;
    Byte mode;
    const char* caption;
    const char* background;
    const char* scenes;   // + code + "1.bmp" / "2.bmp"
    const char* figures;  // + code + ".bmp"
    const char* help;
};
void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

const ModeCase kModes[] = {
    {"KdoSemPatri", 5, 0, "Velamo - Hry: Kdo sem patří", "hry/kdopatri/pozadia.bmp", "hry/kdopatri/a_pozadi/",
     "hry/kdopatri/a_postav/", "vrata.wav"},
    {"KdoToVyresi", 9, 1, "Velamo - Hry: Kdo to vyřeší", "hry/reseni/pozadi.bmp", "hry/reseni/pozadi/",
     "hry/reseni/postav/", "smolar.wav"},
};

constexpr TPoint kUp{458, 55}, kDown{457, 375}, kFigure{545, 200};
constexpr std::uint64_t kOpen = kReady + 1000;  // the game is up
constexpr std::uint64_t kStep = 100;

std::string Code(int position) { return GameCodeList43[position - 1].Code; }

std::string Prompt(int position) { return "hry\\reseni\\zvuky\\" + Code(position) + "1.wav"; }

class PictureGame : public ScreenTest {
protected:
    static TwndKdoPatriObr* Game() { return wndKdoPatriObr; }

    // Which profession's figure a picture is (GameCodeList43 position), or 0.
    int FigureOf(const TBitmap& b, const char* figures) {
        if (figureByPixels_.empty())
            for (int p = 1; p <= 43; ++p)
                figureByPixels_[LoadPicture(kAppDir + figures + Code(p) + ".bmp")->Pixels().pixels] = p;
        auto it = figureByPixels_.find(b.Pixels().pixels);
        return it == figureByPixels_.end() ? 0 : it->second;
    }
    std::vector<int> RoundFigures(const char* figures) {
        std::vector<int> out;
        for (int i = 1; i <= TwndKdoPatriObr::FigureCount; ++i)
            out.push_back(FigureOf(*Game()->Candidates[i], figures));
        return out;
    }
    // The screen shows figure `position` of the round at its place (below
    // the up arrow, whose pictures cover the figure's top rows).
    ::testing::AssertionResult ShowsFigure(int position) {
        const TBitmap& figure = *Game()->Candidates[position];
        constexpr int kBelowArrow = 78 - 70;
        return ScreenShows(h(), figure, 0, kBelowArrow, 450, 70 + kBelowArrow, figure.Width(),
                           figure.Height() - kBelowArrow);
    }
    // Presses the down arrow until the right figure shows, from `at`; the
    // presses are over by the returned time.
    std::uint64_t BrowseToTheRightFigure(std::uint64_t at) {
        h().At(at, [this, at] {
            const int presses = (Game()->TargetSlot - Game()->ChoiceLabel->Tag + 15) % 15;
            for (int k = 0; k < presses; ++k) h().Click(at + 10 + std::uint64_t(k) * kStep, kDown.X, kDown.Y);
        });
        return at + 10 + 15 * kStep;
    }

private:
    std::map<std::vector<Byte>, int> figureByPixels_;
};

class PictureGameMode : public PictureGame, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(PictureGameMode, EntryOpensTheScreenInItsModeOnARoundThatDoesNotShowTheRightFigureFirst) {
    const ModeCase& c = GetParam();
    ChooseGame(kReady, c.entry);
    h().Click(kOpen, kHelpX, kBarY);
    h().At(kOpen + 100, [&] {
        TwndKdoPatriObr* game = Game();
        ASSERT_NE(game, nullptr);
        EXPECT_EQ(h().ActiveForm(), game);
        EXPECT_FALSE(wndHry->Showing());
        EXPECT_EQ(game->Mode, c.mode);
        EXPECT_EQ(game->Caption(), c.caption);
        EXPECT_EQ(game->WrongAnswers, 0);
        // The background with its arrows, the unsolved scene, the first figure.
        auto background = LoadPicture(kAppDir + c.background);
        EXPECT_TRUE(ScreenShows(h(), *background, 436, 33, 436, 33, 14, 37));
        EXPECT_TRUE(ScreenShows(h(), *background, 436, 352, 436, 352, 44, 46));
        auto scene = LoadPicture(kAppDir + c.scenes + Code(game->TargetCode) + "1.bmp");
        EXPECT_TRUE(ScreenShows(h(), *scene, 0, 0, 6, 6, scene->Width(), scene->Height()));
        EXPECT_NE(game->ChoiceLabel->Tag, game->TargetSlot);
        EXPECT_TRUE(ShowsFigure(game->ChoiceLabel->Tag));
        // Fifteen different figures, the right one among them.
        const std::vector<int> figures = RoundFigures(c.figures);
        EXPECT_EQ(std::set<int>(figures.begin(), figures.end()).size(), 15u);
        EXPECT_EQ(figures[std::size_t(game->TargetSlot - 1)], game->TargetCode);
        EXPECT_EQ(std::count(figures.begin(), figures.end(), 0), 0);
        // The prompt in mode 1 only; the mode's spoken help.
        EXPECT_EQ(SoundStarts(Prompt(game->TargetCode)).size(), c.mode == 1 ? 1u : 0u);
        EXPECT_EQ(Notices({"help start ch1", c.help}).size(), 1u);
        Application->Terminate();
    });
    RunProgram();
}

TEST_P(PictureGameMode, ArrowsBrowseAllFifteenFiguresWrappingAtBothEnds) {
    const ModeCase& c = GetParam();
    ChooseGame(kReady, c.entry);
    int first = 0;
    h().At(kOpen, [&] { first = Game()->ChoiceLabel->Tag; });
    // Fifteen presses down pass 15 → 1; fifteen up pass 1 → 15.
    std::uint64_t t = kOpen + kStep;
    for (int k = 1; k <= 30; ++k, t += kStep) {
        const bool down = k <= 15;
        h().Click(t, down ? kDown.X : kUp.X, down ? kDown.Y : kUp.Y);
        h().At(t + 60, [&, k] {
            const int moved = k <= 15 ? k : 30 - k;
            const int want = (first - 1 + moved) % 15 + 1;
            EXPECT_EQ(Game()->ChoiceLabel->Tag, want) << "press " << k;
            EXPECT_TRUE(ShowsFigure(want)) << "press " << k;
        });
    }
    h().At(t, [] { Application->Terminate(); });
    RunProgram();
}

TEST_P(PictureGameMode, RightChoiceSolvesTheSceneAndHoldsInputUntilItsSynchronousSoundEnds) {
    const ModeCase& c = GetParam();
    ChooseGame(kReady, c.entry);
    const std::uint64_t choose = BrowseToTheRightFigure(kOpen);
    int target = 0;
    std::string solvedSound;
    h().At(choose - 1, [&] {
        target = Game()->TargetCode;
        ASSERT_EQ(Game()->ChoiceLabel->Tag, Game()->TargetSlot);
        solvedSound = c.mode == 1 ? "hry\\reseni\\zvuky\\" + Code(target) + "2.wav" : "sound\\spravne.wav";
    });
    h().Click(choose, kFigure.X, kFigure.Y);
    h().Click(choose + 60, kDown.X, kDown.Y);  // arrives while the sound plays
    h().At(choose + 3000, [&] {  // after the longest solved sound
        const auto starts = Notices({"sound start ch0", "flags=0 ", solvedSound});
        ASSERT_EQ(starts.size(), 1u);
        EXPECT_EQ(starts[0].at, choose);
        const std::uint64_t end = choose + DurationOf(starts[0]);
        ASSERT_GT(end, choose + 110);
        // A new round, and the press that waited was handled in it.
        TwndKdoPatriObr* game = Game();
        EXPECT_NE(game->TargetCode, target);
        EXPECT_EQ(game->WrongAnswers, 0);
        if (game->TargetSlot != 1) {
            EXPECT_EQ(game->ChoiceLabel->Tag, 2);
        }
        auto scene = LoadPicture(kAppDir + c.scenes + Code(game->TargetCode) + "1.bmp");
        EXPECT_TRUE(ScreenShows(h(), *scene, 0, 0, 6, 6, scene->Width(), scene->Height()));
        if (c.mode == 1) {
            const auto prompt = SoundStarts(Prompt(game->TargetCode));
            ASSERT_EQ(prompt.size(), 1u);
            EXPECT_GE(prompt[0].at, end);
        }
        Application->Terminate();
    });
    RunProgram();
}

TEST_P(PictureGameMode, ThirdWrongChoiceOpensTheAnswersPageWhoseBackDealsTheNextRound) {
    const ModeCase& c = GetParam();
    ChooseGame(kReady, c.entry);
    int target = 0;
    // The first figure of a round is never the right one.
    for (int k = 1; k <= 3; ++k) {
        const std::uint64_t at = kOpen + std::uint64_t(k) * 300;
        h().Click(at, kFigure.X, kFigure.Y);
        // After the page's first pause.
        h().At(at + 150, [&, k] {
            if (k == 1) target = Game()->TargetCode;
            EXPECT_EQ(Game()->WrongAnswers, k);
            EXPECT_EQ(SoundStarts("sound\\spatne.wav").size(), std::size_t(k));
            TwndDetailProfese* page = wndDetailProfese;
            ASSERT_EQ(page != nullptr, k == 3);
            if (!page) return;
            EXPECT_EQ(h().ActiveForm(), page);
            const String code(CurrentDetailCode.Chars, CurrentDetailCode.Length);
            EXPECT_EQ(code, DetailCodeFor(Byte(GameProfessionToDetail(target))));
            EXPECT_EQ(page->ReturnTo, "KdoPatriObr");
            EXPECT_TRUE(page->BarButton(TBarButton::Back)->Visible());
            EXPECT_TRUE(page->BarButton(TBarButton::Print)->Visible());
            EXPECT_FALSE(page->BarButton(TBarButton::Games)->Visible());
        });
    }
    const std::uint64_t back = kOpen + 1400;
    h().Click(back, kBackX, kBarY);
    h().At(back + 60, [&] {
        EXPECT_EQ(wndDetailProfese, nullptr);
        TwndKdoPatriObr* game = Game();
        ASSERT_NE(game, nullptr);
        EXPECT_EQ(h().ActiveForm(), game);
        EXPECT_EQ(game->WrongAnswers, 0);
        EXPECT_NE(game->TargetCode, target);
        if (c.mode == 1) {
            // The new round's prompt plays on: closing the page did not cut it.
            const auto prompt = SoundStarts(Prompt(game->TargetCode));
            ASSERT_EQ(prompt.size(), 1u);
            EXPECT_GE(prompt[0].at, back);
            EXPECT_TRUE(Notices({"sound stop ch0", Prompt(game->TargetCode)}).empty());
            EXPECT_TRUE(SoundIsPlaying());
        }
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Modes, PictureGameMode, ::testing::ValuesIn(kModes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PictureGame, BackPressedDuringThePagesFirstPauseStillDealsTheNextRound) {
    ChooseGame(kReady, 5);
    for (int k = 0; k < 3; ++k) h().Click(kOpen + std::uint64_t(k) * 300, kFigure.X, kFigure.Y);
    int target = 0;
    h().At(kOpen + 10, [&] { target = Game()->TargetCode; });
    h().Click(kOpen + 660, kBackX, kBarY);  // the page's first pause runs until +700
    h().At(kOpen + 900, [&] {
        EXPECT_EQ(wndDetailProfese, nullptr);
        ASSERT_NE(Game(), nullptr);
        EXPECT_EQ(h().ActiveForm(), Game());
        EXPECT_EQ(Game()->WrongAnswers, 0);
        EXPECT_NE(Game()->TargetCode, target);
        Application->Terminate();
    });
    RunProgram();
}

TEST_F(PictureGame, BackAfterTheGameWasClosedOnlyClosesThePage) {
    ChooseGame(kReady, 5);
    for (int k = 0; k < 3; ++k) h().Click(kOpen + std::uint64_t(k) * 300, kFigure.X, kFigure.Y);
    h().At(kOpen + 800, [] {
        ASSERT_NE(wndDetailProfese, nullptr);
        Game()->Close();
    });
    h().Click(kOpen + 1000, kBackX, kBarY);
    h().At(kOpen + 1200, [] {
        EXPECT_EQ(Game(), nullptr);
        EXPECT_EQ(wndDetailProfese, nullptr);
        Application->Terminate();
    });
    RunProgram();
}

TEST_F(PictureGame, NoFormerRightAnswerComesBackUntilTheSetIsEmptiedAfterTheTwentyFirstAndNoRoundOpensOnIt) {
    ChooseGame(kReady, 9);
    h().At(kOpen, [&] {
        TwndKdoPatriObr* game = Game();
        std::set<int> former;  // right answers since the set was last emptied
        for (int round = 1; round <= 50; ++round) {
            if (round > 1) game->NewRound();
            EXPECT_NE(game->ChoiceLabel->Tag, game->TargetSlot) << "round " << round;
            const std::vector<int> figures = RoundFigures("hry/reseni/postav/");
            for (int f : figures) EXPECT_EQ(former.count(f), 0u) << "round " << round << " figure " << f;
            former.insert(game->TargetCode);
            if (former.size() == 21) {
                EXPECT_TRUE(game->UsedTargets.empty()) << "round " << round;
                former.clear();
            } else {
                EXPECT_EQ(game->UsedTargets, former) << "round " << round;
            }
        }
        Application->Terminate();
    });
    RunProgram();
}

TEST_F(PictureGame, EntriesFiveAndNineOpenOneScreenInTwoModesAndAGameChosenAgainStartsAfresh) {
    ChooseGame(kReady, 5);
    h().At(kOpen, [] {
        ASSERT_NE(Game(), nullptr);
        EXPECT_EQ(Game()->Mode, 0);
        Game()->NewRound();
        Game()->NewRound();
        EXPECT_EQ(Game()->UsedTargets.size(), 3u);
    });
    h().Click(kOpen + 100, kGamesX, kBarY);
    h().At(kOpen + 300, [] {
        EXPECT_EQ(Game(), nullptr);
        EXPECT_TRUE(wndHry->Showing());
    });
    h().Click(kOpen + 500, HotAreaCentre(kGamesMenuPlaces[8]).X, HotAreaCentre(kGamesMenuPlaces[8]).Y);
    h().At(kOpen + 700, [] {
        ASSERT_NE(Game(), nullptr);
        EXPECT_EQ(Game()->Mode, 1);
        EXPECT_EQ(Game()->Caption(), "Velamo - Hry: Kdo to vyřeší");
        EXPECT_EQ(Game()->UsedTargets.size(), 1u);  // this round's only
        Application->Terminate();
    });
    RunProgram();
}

}  // namespace
