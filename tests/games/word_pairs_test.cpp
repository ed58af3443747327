// Word pairs as a child plays it: the board to memorise and how the phase
// ends, the covered board with its lives, right and wrong cells, the two
// ends of a game, and leaving during the phase or a turn-up.
#include "games/UDvojice.h"
#include "games_test_support.h"

using namespace gametest;

namespace {

constexpr int kWordPairsEntry = 4;
// The entry's click is released here: the game is dealt.
constexpr std::uint64_t kDealt = kReady + 550;
// The board stays up for the memorising phase's 90 seconds.
constexpr std::uint64_t kMemoriseMs = 90000;
constexpr std::uint64_t kPhaseEnd = kDealt + kMemoriseMs;
// After the phase: the placards, then six strip frames of 50 ms.
constexpr std::uint64_t kCoverMs = 6 * 50 + 50;
// A turn: the click, the cell up for 2 s, five strip frames on a mistake.
constexpr std::uint64_t kTurnMs = 2500;
constexpr std::uint64_t kCheckedMs = 2400;  // from a turn's start to its check's end

class WordPairs : public ScreenTest {
protected:
    WordPairs() : WordPairs(headless::Harness::Options{}) {}
    explicit WordPairs(headless::Harness::Options options) : ScreenTest(options) {
        ChooseGame(kReady, kWordPairsEntry);
    }

    TwndDvojice& w() { return *wndDvojice; }
    void ClickCell(std::uint64_t at, int i) {
        h().Click(at, 39 + 92 * ((i - 1) % 5) + 45, (i <= 5 ? 47 : 199) + 75);
    }
    bool CellShows(int i, const TBitmap& picture) {
        return ScreenShows(h(), picture, 0, 0, w().CellPoints[i].X, w().CellPoints[i].Y, 90, 149);
    }
    bool BoardShown() {
        for (int i = 1; i <= 10; ++i)
            if (!CellShows(i, *w().ProfessionPictures[i])) return false;
        return true;
    }
    // Every cell shows one and the same placard.
    bool Covered() {
        for (int n = 1; n <= 10; ++n) {
            auto placard = LoadPicture(kAppDir + "hry/dvojice/plak/pl" + std::to_string(n) + ".bmp");
            bool all = true;
            for (int i = 1; i <= 10 && all; ++i) all = CellShows(i, *placard);
            if (all) return true;
        }
        return false;
    }
    // The lives area shows the last frame of a strip.
    bool LivesShow(const std::string& strip, int frames) {
        auto picture = LoadPicture(kAppDir + "hry/dvojice/" + strip);
        return ScreenShows(h(), *picture, (frames - 1) * 122, 0, 512, 36, 122, 194);
    }
    bool ThingShown() {
        const TBitmap& thing = *w().ThingPictures[w().TaskCell];
        return ScreenShows(h(), thing, 0, 0, 526, 271, thing.Width(), thing.Height());
    }
    // A visible cell other than the one asked.
    int WrongCell() {
        for (int i = 1; i <= 10; ++i)
            if (i != w().TaskCell && w().Cells[i]->Visible()) return i;
        return 0;
    }
    // A turn at `at`: the right cell or a wrong one, chosen when it comes.
    void Turn(std::uint64_t at, bool right) {
        h().At(at, [this, at, right] { ClickCell(at + 10, right ? w().TaskCell : WrongCell()); });
    }
    // A click on a cell ends the phase early; play starts at the result,
    // late enough that a click on that cell is no double click.
    std::uint64_t EndPhaseAt(std::uint64_t at) {
        ClickCell(at, 1);
        return at + 1000;
    }
};

struct PhaseCase {
    const char* name;
    std::uint32_t startTick;
    std::uint64_t clickAt;  // 0: no click
    std::uint64_t ends;
};
void PrintTo(const PhaseCase& c, std::ostream* os) { *os << c.name; }

const PhaseCase kPhases[] = {
    {"NinetySeconds", 0x10000, 0, kPhaseEnd},
    {"ClickOnACell", 0x10000, kDealt + 5000, kDealt + 5050},
    // The tick count passes 2^32 thirty seconds into the phase.
    {"TickCountWraps", std::uint32_t(0x100000000ull - kDealt - 30000), 0, kPhaseEnd},
};

class WordPairsPhase : public WordPairs, public ::testing::WithParamInterface<PhaseCase> {
protected:
    WordPairsPhase() : WordPairs(headless::Harness::Options{.startTick = GetParam().startTick}) {}
};

TEST_P(WordPairsPhase, BoardStaysUpUntilTheEndThenOnePlacardCoversEveryCellAndAThingIsAsked) {
    const PhaseCase& c = GetParam();
    if (c.clickAt) ClickCell(c.clickAt, 3);
    h().At(kDealt + 100, [this] {
        EXPECT_TRUE(wndDvojice->Showing());
        EXPECT_EQ(h().ActiveForm(), wndDvojice);
        EXPECT_FALSE(wndHry->Showing());
        EXPECT_TRUE(w().Memorising);
        EXPECT_TRUE(BoardShown());
    });
    h().At(c.ends - 100, [this] {
        EXPECT_TRUE(w().Memorising);
        EXPECT_TRUE(BoardShown());
    });
    h().At(c.ends + 10, [this] {
        EXPECT_FALSE(w().Memorising);
        EXPECT_TRUE(Covered());  // the clicked cell too: the click only ended the phase
    });
    h().At(c.ends + kCoverMs, [this] {
        EXPECT_TRUE(Covered());
        EXPECT_TRUE(LivesShow("ziv.bmp", 6));
        EXPECT_EQ(w().Lives, 3);
        EXPECT_TRUE(ThingShown());
        EXPECT_EQ(w().CellOpen[w().TaskCell], 0);
        EXPECT_FALSE(w().Busy);
    });
    EndAt(c.ends + kCoverMs + 10);
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Ends, WordPairsPhase, ::testing::ValuesIn(kPhases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WordPairs, ExitQuestionDuringThePhaseEndsItAlsoWhenTheChildStays) {
    h().Click(kDealt + 1000, kExitX, kBarY);
    h().At(kDealt + 1200, [this] {
        EXPECT_TRUE(wndKonec->Showing());
        EXPECT_FALSE(w().Memorising);
    });
    h().Click(kDealt + 2000, 458, 286);  // no: the question's strip and pause, then back
    h().At(kDealt + 4000, [this] {
        EXPECT_FALSE(wndKonec->Showing());
        EXPECT_EQ(h().ActiveForm(), wndDvojice);
        EXPECT_TRUE(Covered());
        EXPECT_TRUE(ThingShown());
        EXPECT_EQ(w().Lives, 3);
    });
    EndAt(kDealt + 4010);
    RunProgram();
}

TEST_F(WordPairs, WrongCellsCostALifeEachWithTheStripOfTheCountBeforeAndTheThirdLoses) {
    const std::uint64_t play = EndPhaseAt(kDealt + 1000);
    auto asked = std::make_shared<int>(0);
    auto wrong = std::make_shared<int>(0);
    h().At(play, [this, asked] { *asked = w().TaskCell; });
    for (int k = 1; k <= 3; ++k) {
        const std::uint64_t t = play + 10 + std::uint64_t(k - 1) * kTurnMs;
        h().At(t, [this, t, wrong] {
            *wrong = WrongCell();
            ClickCell(t + 10, *wrong);
        });
        h().At(t + 1000, [this, wrong] {
            EXPECT_TRUE(CellShows(*wrong, *w().ProfessionPictures[*wrong]));  // turned up
        });
        h().At(t + kCheckedMs, [this, k, asked, wrong] {
            SCOPED_TRACE(k);
            EXPECT_EQ(w().Lives, 3 - k);
            EXPECT_TRUE(LivesShow(std::to_string(4 - k) + "ziv.bmp", 5));
            EXPECT_EQ(w().TaskCell, *asked);  // the same thing is asked again
            if (k < 3) {
                EXPECT_TRUE(Covered());  // the wrong cell covered again
                EXPECT_TRUE(w().Cells[*wrong]->Visible());
            } else {
                for (int i = 1; i <= 10; ++i) EXPECT_FALSE(w().Cells[i]->Visible()) << i;
                EXPECT_FALSE(MessageShown("Dvojice"));  // a second first
            }
        });
    }
    const std::uint64_t lost = play + 10 + 2 * kTurnMs + kCheckedMs + 1000;
    h().At(lost, [this] {
        ASSERT_TRUE(MessageShown("Dvojice"));
        auto picture = LoadPicture(kAppDir + "hry/dvojice/hlaska2.bmp");
        EXPECT_EQ(wndHlaska->MessageBitmap->Pixels().pixels, picture->Pixels().pixels);
        EXPECT_EQ(w().HlaskaSound, AppDir + "hry\\dvojice\\hlaska2.wav");
    });
    EndAt(lost + 10);
    RunProgram();
    EXPECT_EQ(SoundStarts("sound\\spatne.wav").size(), 3u);
    EXPECT_EQ(SoundStarts("hry\\dvojice\\hlaska2.wav").size(), 1u);
}

TEST_F(WordPairs, TenRightCellsWinAndEachClearedCellIsWhiteOverOnePixelMoreAndTakesNoClicks) {
    const std::uint64_t play = EndPhaseAt(kDealt + 1000);
    auto cleared = std::make_shared<int>(0);
    for (int k = 1; k <= 10; ++k) {
        const std::uint64_t t = play + 10 + std::uint64_t(k - 1) * kTurnMs;
        h().At(t, [this, t, cleared] {
            *cleared = w().TaskCell;
            ClickCell(t + 10, *cleared);
        });
        if (k == 10) break;  // the last one: the message a second later
        h().At(t + kCheckedMs, [this, k, cleared] {
            SCOPED_TRACE(k);
            const TPoint p = w().CellPoints[*cleared];
            TBitmap white;
            white.SetSize(91, 150);  // white when made
            EXPECT_TRUE(ScreenShows(h(), white, 0, 0, p.X, p.Y, 91, 150));
            EXPECT_FALSE(w().Cells[*cleared]->Visible());
            EXPECT_EQ(w().Lives, 3);
            EXPECT_TRUE(ThingShown());
        });
        // A click on the cleared cell: nothing turns up, nothing is judged.
        h().At(t + kCheckedMs + 10, [this, t, cleared] { ClickCell(t + kCheckedMs + 20, *cleared); });
        h().At(t + kCheckedMs + 80, [this] { EXPECT_FALSE(w().Busy); });
    }
    const std::uint64_t won = play + 10 + 9 * kTurnMs + kCheckedMs + 1000;
    h().At(won, [this] {
        ASSERT_TRUE(MessageShown("Dvojice"));
        auto picture = LoadPicture(kAppDir + "hry/dvojice/hlaska1.bmp");
        EXPECT_EQ(wndHlaska->MessageBitmap->Pixels().pixels, picture->Pixels().pixels);
    });
    EndAt(won + 10);
    RunProgram();
    EXPECT_EQ(SoundStarts("sound\\spravne.wav").size(), 10u);
    EXPECT_EQ(SoundStarts("sound\\spatne.wav").size(), 0u);
    EXPECT_EQ(SoundStarts("hry\\dvojice\\hlaska1.wav").size(), 1u);
}

TEST_F(WordPairs, ClicksOnOtherCellsWhileACellIsUpAreIgnored) {
    const std::uint64_t t = EndPhaseAt(kDealt + 1000);
    auto up = std::make_shared<int>(0), other = std::make_shared<int>(0);
    h().At(t, [this, t, up, other] {
        *up = WrongCell();
        for (int i = 1; i <= 10 && !*other; ++i)
            if (i != *up && i != w().TaskCell) *other = i;
        ClickCell(t + 10, *up);
        ClickCell(t + 500, *other);
        ClickCell(t + 1500, w().TaskCell);
    });
    h().At(t + 1900, [this, up, other] {
        EXPECT_TRUE(CellShows(*up, *w().ProfessionPictures[*up]));
        EXPECT_FALSE(CellShows(*other, *w().ProfessionPictures[*other]));
        EXPECT_FALSE(CellShows(w().TaskCell, *w().ProfessionPictures[w().TaskCell]));
    });
    h().At(t + kCheckedMs + 500, [this] {
        EXPECT_EQ(w().Lives, 2);
        EXPECT_FALSE(w().Busy);
        EXPECT_TRUE(Covered());
    });
    EndAt(t + kCheckedMs + 510);
    RunProgram();
    EXPECT_EQ(SoundStarts("sound\\spatne.wav").size(), 1u);
    EXPECT_EQ(SoundStarts("sound\\spravne.wav").size(), 0u);
}

// Leaving by the bar's games button while the screen waits: it is closed at
// once, freed once the waiting handler has returned, and nothing more of the
// game runs; the games menu stays.
struct LeaveCase {
    const char* name;
    bool duringTurnUp;  // else during the memorising phase
};
void PrintTo(const LeaveCase& c, std::ostream* os) { *os << c.name; }

class WordPairsLeave : public WordPairs, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(WordPairsLeave, ScreenIsFreedAfterTheWaitingHandlerAndTheGamesMenuStays) {
    std::uint64_t leave = kDealt + 1000;
    if (GetParam().duringTurnUp) {
        const std::uint64_t t = EndPhaseAt(kDealt + 1000);
        Turn(t, false);
        leave = t + 1000;
    }
    h().Click(leave, kGamesX, kBarY);
    bool freed = false;
    h().At(leave + 100, [this, &freed] {
        EXPECT_TRUE(wndHry->Showing());
        EXPECT_EQ(h().ActiveForm(), wndHry);
        if (GetParam().duringTurnUp) {
            ASSERT_NE(wndDvojice, nullptr);  // its handler still waits
            EXPECT_TRUE(wndDvojice->Closed());
        } else {
            freed = wndDvojice == nullptr;
        }
    });
    h().At(leave + 3000, [this, &freed] {
        freed = wndDvojice == nullptr;
        EXPECT_TRUE(wndHry->Showing());
        EXPECT_EQ(h().ActiveForm(), wndHry);
    });
    EndAt(leave + 3010);
    RunProgram();
    EXPECT_TRUE(freed);
    EXPECT_EQ(SoundStarts("sound\\spatne.wav").size(), 0u);
    EXPECT_EQ(SoundStarts("sound\\spravne.wav").size(), 0u);
}

const LeaveCase kLeaves[] = {{"DuringThePhase", false}, {"DuringATurnUp", true}};
INSTANTIATE_TEST_SUITE_P(Waits, WordPairsLeave, ::testing::ValuesIn(kLeaves),
                         [](const auto& info) { return std::string(info.param.name); });

// The message window at a lost game: yes deals a new board that is seen at
// once, the window gone, and memorised as the first; no leaves for the menu.
class WordPairsMessage : public WordPairs, public ::testing::WithParamInterface<bool> {};

TEST_P(WordPairsMessage, YesShowsTheNewBoardAtOnceAndNoLeavesForTheGamesMenu) {
    const bool yes = GetParam();
    const std::uint64_t play = EndPhaseAt(kDealt + 1000);
    for (int k = 0; k < 3; ++k) Turn(play + 10 + std::uint64_t(k) * kTurnMs, false);
    const std::uint64_t shown = play + 10 + 2 * kTurnMs + kCheckedMs + 1000;
    h().At(shown, [this] { ASSERT_TRUE(MessageShown("Dvojice")); });
    h().Click(shown + 100, yes ? 241 : 398, 282);
    // The button's pause of 100 ms after the release, then the answer.
    const std::uint64_t answered = shown + 100 + 50 + 100 + 10;
    h().At(answered, [this, yes] {
        EXPECT_FALSE(wndHlaska->Showing());
        if (yes) {
            ASSERT_NE(wndDvojice, nullptr);
            EXPECT_EQ(h().ActiveForm(), wndDvojice);
            EXPECT_TRUE(w().Memorising);
            EXPECT_TRUE(BoardShown());
            for (int i = 1; i <= 10; ++i) EXPECT_TRUE(w().Cells[i]->Visible()) << i;
        } else {
            EXPECT_EQ(wndDvojice, nullptr);
            EXPECT_TRUE(wndHry->Showing());
            EXPECT_EQ(h().ActiveForm(), wndHry);
        }
    });
    if (yes) {
        h().At(answered + kMemoriseMs - 100, [this] { EXPECT_TRUE(w().Memorising); });
        h().At(answered + kMemoriseMs + kCoverMs, [this] {
            EXPECT_TRUE(Covered());
            EXPECT_EQ(w().Lives, 3);
        });
    }
    EndAt(answered + kMemoriseMs + kCoverMs + 10);
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Buttons, WordPairsMessage, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "Yes" : "No"); });

}  // namespace
