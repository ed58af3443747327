// The games as a child moves between them: every entry with an answer whose
// judging waits (a pause, the memorising phase, the computer's turn, a
// synchronous sound, the town game's result window), and what happens when
// the child leaves, chooses the game again, asks to exit, starts the help or
// the program loses the input meanwhile; the detail page a game opens; the
// round's end in the message window meeting a press held on the game.
#include "games/UCiToJe.h"
#include "games/UCiToJe2.h"
#include "games/UDvojice.h"
#include "games/UKdoPatriObr.h"
#include "games/UKdoPatriZvuk.h"
#include "games/UKdoToJe.h"
#include "games/UKdoToJe2.h"
#include "games/UPexeso.h"
#include "games/UPoradek.h"
#include "games_test_support.h"
#include "shell/UPodklad.h"

using namespace gametest;

namespace {

// The exit question's no, inside its area.
constexpr int kExitNoX = 458, kExitNoY = 286;
// The message window's first and second button, for both button pairs.
constexpr int kMessageYesX = 241, kMessageNoX = 398, kMessageY = 282;

// The screen of a menu entry's game, or nullptr.
TScreenFrame* GameScreen(int entry) {
    switch (entry) {
        case 1: return wndCiToJe;
        case 2:
        case 3: return wndPoradek;
        case 4: return wndDvojice;
        case 5:
        case 9: return wndKdoPatriObr;
        case 6: return wndKdoPatriZvuk;
        case 7: return wndKdoToJe;
        case 8: return wndKdoToJe2;
        case 10: return wndPexeso;
        default: return nullptr;
    }
}

TPoint Centre(const TControl* c) { return {c->Left() + c->Width() / 2, c->Top() + c->Height() / 2}; }

// Drives one entry's game from the test's clock.
struct GameCase {
    const char* name;
    int entry;
    // Schedules, from `at` (the game up and idle), the input of an answer
    // whose judging waits; returns when the wait has surely ended.
    std::uint64_t (*wait)(headless::Harness& h, std::uint64_t at);
    // From `at`, a time at which the wait surely runs.
    std::uint64_t inWait;
    // The bar's leaving buttons work during that wait.
    bool barLeaves;
    // The pointer is hidden during the wait (the memory game's computer).
    bool pointerHiddenInWait;
};
void PrintTo(const GameCase& c, std::ostream* os) { *os << c.name; }

template <class Areas>
TXLabel* WrongArea(const Areas& areas, int target) {
    for (TXLabel* area : areas)
        if (area->Tag != target) return area;
    return nullptr;
}

template <class Areas>
TXLabel* AreaOf(const Areas& areas, int target) {
    for (TXLabel* area : areas)
        if (area->Tag == target) return area;
    return nullptr;
}

void ClickLater(headless::Harness& h, std::uint64_t at, std::function<TPoint()> where) {
    h.At(at, [&h, at, where] {
        const TPoint p = where();
        h.Click(at + 10, p.X, p.Y);
    });
}

TPoint PersonCentre(int i) { return {39 + 110 * (i - 1) + 60, 62 + 97}; }
TPoint SlotCentre(int k) { return {51 + 60 * (k - 1) + 28, 283 + 28}; }
int SlotOf(int thing) {
    for (int k = 1; k <= 9; ++k)
        if (wndPoradek->SlotItem[k] == thing) return k;
    return 0;
}

TPoint PexesoCentre(TPoint cell) { return {29 + 80 * (cell.X - 1) + 40, 10 + 80 * (cell.Y - 1) + 40}; }
// Two face-down cards of different pairs.
std::pair<TPoint, TPoint> PexesoMiss() {
    TPoint first{};
    for (int c = 1; c <= PexesoColumns; ++c)
        for (int r = 1; r <= PexesoRows; ++r) {
            const TStav& card = wndPexeso->Board.Card({c, r});
            if (card.CardState != csFaceDown) continue;
            if (first.X == 0) first = {c, r};
            else if (card.PairId != wndPexeso->Board.Card(first).PairId) return {first, {c, r}};
        }
    return {};
}

// The picture game's right figure browsed to at once and chosen: its
// synchronous sound.
std::uint64_t RightFigure(headless::Harness& h, std::uint64_t at) {
    h.At(at, [] {
        TwndKdoPatriObr& w = *wndKdoPatriObr;
        while (w.ChoiceLabel->Tag != w.TargetSlot) w.BrowseMouseDown(w.DownArrow, mbLeft, 0, 0, 0);
    });
    h.Click(at + 10, 545, 215);
    return at + 3000;
}

// An answer area of the round games, right or wrong.
TXLabel* SoundGameWrong() { return WrongArea(wndKdoPatriZvuk->Cells, wndKdoPatriZvuk->TargetCode); }
TXLabel* SoundGameRight() { return AreaOf(wndKdoPatriZvuk->Cells, wndKdoPatriZvuk->TargetCode); }
TXLabel* KdoToJeAWrong() { return WrongArea(wndKdoToJe->NameSlots, wndKdoToJe->TargetCode); }
TXLabel* KdoToJeBWrong() { return WrongArea(wndKdoToJe2->Cells, wndKdoToJe2->TargetCode); }
TXLabel* KdoToJeBRight() { return AreaOf(wndKdoToJe2->Cells, wndKdoToJe2->TargetCode); }

// The area clicked (chosen then); its wait is over Ms later.
template <TXLabel* (*Area)(), std::uint64_t Ms>
std::uint64_t ClickAndWait(headless::Harness& h, std::uint64_t at) {
    ClickLater(h, at, [] { return Centre(Area()); });
    return at + Ms;
}

// Thing 6 is nobody's: given to person 1, a mistake and 500 ms.
std::uint64_t PutInOrderMistake(headless::Harness& h, std::uint64_t at) {
    ClickLater(h, at, [] { return SlotCentre(SlotOf(6)); });
    ClickLater(h, at + 100, [] { return PersonCentre(1); });
    return at + 700;
}

const GameCase kGames[] = {
    {"TownGame", 1,
     [](headless::Harness& h, std::uint64_t at) {
         // A thing of place 23, delivered there: the result window for 5 s.
         h.At(at, [] {
             while (wndCiToJe->ThingPlace != 23) wndCiToJe->NewThing();
         });
         const TPoint p = TownPlaceTable[22].SamplePoint;
         h.Click(at + 10, p.X - 1446 + 6, p.Y + 6);
         return at + 5200;
     },
     1000, false, false},
    {"PutInOrderTools", 2, PutInOrderMistake, 300, true, false},
    {"PutInOrderCaps", 3, PutInOrderMistake, 300, true, false},
    {"WordPairs", 4,
     [](headless::Harness&, std::uint64_t at) {
         // The memorising phase runs from the start.
         return at + 90000 + 1000;  // after the 90 s memorising phase
     },
     1000, true, false},
    {"PictureGame", 5, RightFigure, 100, true, false},
    {"SoundGame", 6, ClickAndWait<SoundGameWrong, 600>, 300, true, false},
    // The pointer's half second on the plate, then the answer's 500 ms.
    {"KdoToJeA", 7, ClickAndWait<KdoToJeAWrong, 1100>, 700, true, false},
    {"KdoToJeB", 8, ClickAndWait<KdoToJeBWrong, 1100>, 500, true, false},
    {"PictureGameMode1", 9, RightFigure, 100, true, false},
    // The waits after a right answer, where they differ: the sound game's
    // 1500 ms, "Kdo to je" B's synchronous sound and a second.
    {"SoundGameRight", 6, ClickAndWait<SoundGameRight, 1600>, 300, true, false},
    {"KdoToJeBRight", 8, ClickAndWait<KdoToJeBRight, 1500>, 500, true, false},
    {"PutInOrderNextRound", 3,
     [](headless::Harness& h, std::uint64_t at) {
         // Five served: a second before the next round.
         for (int i = 1; i <= 5; ++i) {
             const std::uint64_t t = at + 200 * std::uint64_t(i - 1);
             ClickLater(h, t, [i] { return SlotCentre(SlotOf(i)); });
             ClickLater(h, t + 100, [i] { return PersonCentre(i); });
         }
         return at + 2100;
     },
     1100, true, false},
    {"WordPairsTurnUp", 4,
     [](headless::Harness& h, std::uint64_t at) {
         // The memorising ended by a click, then a cell turned up for 2 s.
         h.Click(at, 84, 120);
         h.Click(at + 600, 176, 120);
         return at + 3200;
     },
     1000, true, false},
    {"Pexeso", 10,
     [](headless::Harness& h, std::uint64_t at) {
         // A miss: the player's 2 s, then the computer's turn (at least one
         // card, 2 s; it ends at its first miss).
         h.At(at, [&h, at] {
             const auto [a, b] = PexesoMiss();
             h.Click(at + 10, PexesoCentre(a).X, PexesoCentre(a).Y);
             h.Click(at + 300, PexesoCentre(b).X, PexesoCentre(b).Y);
         });
         return at + 30000;
     },
     1000, false, true},
};

class GamesTest : public ScreenTest {
protected:
    // The game chosen from the town; it is up and idle at the result.
    std::uint64_t Open(std::uint64_t at, int entry) { return ChooseGame(at, entry) + 700; }
    bool PointerBalanced() { return h().ShowCursorCount() == 0 && h().PointerVisible(); }
    std::vector<TForm*> Visible() { return h().VisibleForms(); }
    // At `at` the entry's game is in front alone, the pointer shown; its
    // games button then leaves for the menu, and the run ends.
    void GoesOnThenLeaves(std::uint64_t at, int entry) {
        h().At(at, [this, entry] {
            TScreenFrame* game = GameScreen(entry);
            ASSERT_NE(game, nullptr);
            EXPECT_EQ(h().ActiveForm(), game);
            EXPECT_EQ(Visible(), (std::vector<TForm*>{wndPodklad, wndVelamo, game}));
            EXPECT_TRUE(PointerBalanced()) << h().ShowCursorCount();
            game->BarButton(TBarButton::Games)->Click();
        });
        h().At(at + 500, [this] {
            EXPECT_EQ(h().ActiveForm(), wndHry);
            EXPECT_TRUE(PointerBalanced());
            Application->Terminate();
        });
    }
};

class AcrossScreens : public GamesTest, public ::testing::WithParamInterface<GameCase> {};

// Left by the games button during the wait, the same game chosen again at
// once, while the first screen's handler still waits: the first is gone once
// it returns, and nothing of it is left over the second.
TEST_P(AcrossScreens, LeftDuringTheWaitAndChosenAgain) {
    const GameCase& g = GetParam();
    const std::uint64_t up = Open(kReady, g.entry);
    const std::uint64_t waitEnds = g.wait(h(), up);
    const std::uint64_t leave = up + g.inWait;
    h().Click(leave, kGamesX, kBarY);
    h().Click(leave + 150, HotAreaCentre(kGamesMenuPlaces[g.entry - 1]).X,
              HotAreaCentre(kGamesMenuPlaces[g.entry - 1]).Y);
    const std::uint64_t check = std::max(waitEnds, leave + 1000) + 3000;
    h().At(check, [&, this] {
        TScreenFrame* now = GameScreen(g.entry);
        ASSERT_NE(now, nullptr);
        EXPECT_EQ(h().ActiveForm(), now);
        EXPECT_FALSE(wndHlaska->Showing());
        EXPECT_FALSE(wndHry->Showing());
        EXPECT_EQ(Visible(), (std::vector<TForm*>{wndPodklad, wndVelamo, now}));
        EXPECT_TRUE(PointerBalanced() || (g.pointerHiddenInWait && h().ShowCursorCount() == -1));
        now->BarButton(TBarButton::Games)->Click();
    });
    h().At(check + 40000, [this] {
        EXPECT_TRUE(PointerBalanced());
        Application->Terminate();
    });
    RunProgram();
}

// The exit question asked during the wait and answered no: the game goes
// on, active, with the pointer shown, and leaves normally afterwards.
TEST_P(AcrossScreens, ExitQuestionDuringTheWaitAnsweredNo) {
    const GameCase& g = GetParam();
    const std::uint64_t up = Open(kReady, g.entry);
    const std::uint64_t waitEnds = g.wait(h(), up);
    const std::uint64_t ask = up + g.inWait;
    h().Click(ask, kExitX, kBarY);
    h().Click(ask + 700, kExitNoX, kExitNoY);
    GoesOnThenLeaves(std::max(waitEnds, ask + 3000) + 3000, g.entry);
    RunProgram();
}

// The program loses the input during the wait and gets it back: the game
// is active again, the pointer as its state wants it, and balanced after
// leaving.
TEST_P(AcrossScreens, InputLostAndRegainedDuringTheWait) {
    const GameCase& g = GetParam();
    const std::uint64_t up = Open(kReady, g.entry);
    const std::uint64_t waitEnds = g.wait(h(), up);
    h().FocusLost(up + g.inWait);
    h().At(up + g.inWait + 50, [this] { EXPECT_TRUE(PointerBalanced()); });
    h().FocusGained(up + g.inWait + 400);
    GoesOnThenLeaves(waitEnds + 3000, g.entry);
    RunProgram();
}

// Spoken help started on the game, the screen left by its games button: the
// help stops with it.
TEST_P(AcrossScreens, HelpStartedThenLeft) {
    const GameCase& g = GetParam();
    const std::uint64_t up = Open(kReady, g.entry);
    h().Click(up, kHelpX, kBarY);
    h().At(up + 200, [] { EXPECT_EQ(wndVelamo->Prehravac->Mode(), mpPlaying); });
    h().Click(up + 300, kGamesX, kBarY);
    h().At(up + 500, [this] {
        EXPECT_EQ(h().ActiveForm(), wndHry);
        EXPECT_NE(wndVelamo->Prehravac->Mode(), mpPlaying);
        Application->Terminate();
    });
    RunProgram();
}

// The program ended from the exit question during the wait: it ends cleanly.
class ProgramEnded : public AcrossScreens {};

TEST_P(ProgramEnded, DuringTheWait) {
    const GameCase& g = GetParam();
    const std::uint64_t up = Open(kReady, g.entry);
    g.wait(h(), up);
    h().Click(up + g.inWait, kExitX, kBarY);
    h().Click(up + g.inWait + 700, 180, 288);
    ExpectTheRunToEndEarly();
    h().At(up + 60000, [] { ADD_FAILURE() << "still running"; });
    RunProgram();
}

// ---------------------------------------------------------------------------
// The detail page that a game opens at its third wrong answer has back and
// print only: the places of the page's other bar buttons do nothing, and
// back returns to the game, which goes on.

struct PageCase {
    const char* name;
    int entry;
    // Three wrong answers from `at`; the page is up by the result.
    std::uint64_t (*threeWrong)(headless::Harness& h, std::uint64_t at);
};
void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }

const PageCase kPages[] = {
    {"TownGame", 1,
     [](headless::Harness& h, std::uint64_t at) {
         h.At(at, [] {
             while (wndCiToJe->ThingPlace == 21) wndCiToJe->NewThing();
         });
         // Place 21 lies in the start view.
         const TPoint p = TownPlaceTable[20].SamplePoint;
         for (std::uint64_t k = 0; k < 3; ++k) h.Click(at + 10 + 300 * k, p.X - 1446 + 6, p.Y + 6);
         return at + 1000;
     }},
    {"PictureGame", 5,
     [](headless::Harness& h, std::uint64_t at) {
         // A round never opens on the right figure.
         for (std::uint64_t k = 0; k < 3; ++k) h.Click(at + 10 + 300 * k, 545, 215);
         return at + 1000;
     }},
};

class GamesDetailPage : public GamesTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(GamesDetailPage, OnlyBackAndPrintAnswer) {
    const PageCase& c = GetParam();
    const std::uint64_t up = Open(kReady, c.entry);
    std::uint64_t t = c.threeWrong(h(), up);
    h().At(t, [this, &c] {
        ASSERT_NE(wndDetailProfese, nullptr);
        EXPECT_EQ(h().ActiveForm(), wndDetailProfese);
        EXPECT_FALSE(GameScreen(c.entry)->Closed());
    });
    for (int x : {kMenuX, kGamesX, kSimulationsX, kExitX}) {
        h().Click(t + 100, x, kBarY);
        h().At(t + 600, [this, &c, x] {
            EXPECT_EQ(h().ActiveForm(), wndDetailProfese) << x;
            EXPECT_EQ(Visible(), (std::vector<TForm*>{wndPodklad, wndVelamo, GameScreen(c.entry), wndDetailProfese})) << x;
        });
        t += 600;
    }
    h().Click(t + 100, kBackX, kBarY);
    h().At(t + 600, [this, &c] {
        EXPECT_EQ(wndDetailProfese, nullptr);
        EXPECT_EQ(h().ActiveForm(), GameScreen(c.entry));
        EXPECT_EQ(Visible(), (std::vector<TForm*>{wndPodklad, wndVelamo, GameScreen(c.entry)}));
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Games, GamesDetailPage, ::testing::ValuesIn(kPages),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The round's end and a leaving button at once: the child presses a bar
// button while the answer that ends the round waits, the message window
// comes up before the release, and the release completes the click on the
// button below it.

struct EndCase {
    const char* name;
    int entry;
    const char* messageId;
    // Schedules from `at` the answers that end the round; returns the time
    // of the last one's input.
    std::uint64_t (*endRound)(headless::Harness& h, std::uint64_t at);
    // After that input: the bar button's press (the answer's wait runs) and
    // its release (the message is up).
    std::uint64_t press, release;
};
void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }

// The pexeso board with every pair but one taken (8 : 6), the last pair
// turned by the child from `at`.
std::uint64_t PexesoLastPair(headless::Harness& h, std::uint64_t at) {
    h.At(at, [&h, at] {
        TPexesoBoard& board = wndPexeso->Board;
        TPoint last[2];
        int found = 0;
        for (int c = 1; c <= PexesoColumns; ++c)
            for (int r = 1; r <= PexesoRows; ++r) {
                TStav& card = board.Card({c, r});
                if (card.PairId == PexesoPairs) last[found++] = {c, r};
                else card.CardState = csTaken;
            }
        board.PlayerScore = 8;
        board.ComputerScore = 6;
        h.Click(at + 10, PexesoCentre(last[0]).X, PexesoCentre(last[0]).Y);
        h.Click(at + 300, PexesoCentre(last[1]).X, PexesoCentre(last[1]).Y);
    });
    return at + 300;
}

const EndCase kEnds[] = {
    {"SoundGame", 6, "Letadlo",
     [](headless::Harness& h, std::uint64_t at) {
         for (std::uint64_t k = 0; k < 3; ++k)
             ClickLater(h, at + 600 * k, [] { return Centre(SoundGameWrong()); });
         return at + 1210;
     },
     100, 800},
    {"KdoToJeA", 7, "Sloup",
     [](headless::Harness& h, std::uint64_t at) {
         // Each answer enters its plate anew: half a second's rest first.
         ClickLater(h, at, [] { return Centre(KdoToJeAWrong()); });
         h.MoveTo(at + 1400, 300, 100);
         ClickLater(h, at + 1500, [] { return Centre(KdoToJeAWrong()); });
         return at + 1510;
     },
     800, 1500},
    {"KdoToJeB", 8, "Zahradnik",
     [](headless::Harness& h, std::uint64_t at) {
         for (std::uint64_t k = 0; k < 3; ++k)
             ClickLater(h, at + 1200 * k, [] { return Centre(KdoToJeBWrong()); });
         return at + 2410;
     },
     300, 1300},
    {"WordPairs", 4, "Dvojice",
     [](headless::Harness& h, std::uint64_t at) {
         h.Click(at, 84, 120);  // ends the memorising
         const auto wrongCell = [] {
             for (int i = 1; i <= 10; ++i)
                 if (i != wndDvojice->TaskCell && wndDvojice->Cells[i]->Visible())
                     return TPoint{39 + 92 * ((i - 1) % 5) + 45, (i <= 5 ? 47 : 199) + 75};
             return TPoint{};
         };
         for (std::uint64_t k = 0; k < 3; ++k) ClickLater(h, at + 1000 + 2600 * k, wrongCell);
         return at + 6210;
     },
     2700, 3800},
    {"PutInOrder", 2, "Poradek",
     [](headless::Harness& h, std::uint64_t at) {
         ClickLater(h, at, [] { return SlotCentre(SlotOf(6)); });
         for (std::uint64_t k = 0; k < 3; ++k) ClickLater(h, at + 100 + 600 * k, [] { return PersonCentre(1); });
         return at + 1310;
     },
     200, 800},
    {"Pexeso", 10, "Pexeso", PexesoLastPair, 2500, 3700},
};

class RoundEndAndLeaving : public GamesTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(RoundEndAndLeaving, TheGameLeavesAndTakesItsMessageWithIt) {
    const EndCase& e = GetParam();
    const std::uint64_t up = Open(kReady, e.entry);
    const std::uint64_t last = e.endRound(h(), up);
    h().MouseDown(last + e.press, kGamesX, kBarY);
    h().At(last + e.release - 10, [this, &e] { EXPECT_TRUE(MessageShown(e.messageId)); });
    h().MouseUp(last + e.release, kGamesX, kBarY);
    h().At(last + e.release + 400, [this] {
        EXPECT_TRUE(wndHry->Showing());
        EXPECT_EQ(h().ActiveForm(), wndHry);
        EXPECT_FALSE(wndHlaska->Showing());
        EXPECT_EQ(Visible(), (std::vector<TForm*>{wndPodklad, wndVelamo, wndHry}));
        EXPECT_TRUE(PointerBalanced());
    });
    // A game chosen next is not covered by the old message either.
    h().Click(last + e.release + 600, HotAreaCentre(kGamesMenuPlaces[5]).X, HotAreaCentre(kGamesMenuPlaces[5]).Y);
    h().At(last + e.release + 1200, [this] {
        EXPECT_EQ(Visible(), (std::vector<TForm*>{wndPodklad, wndVelamo, wndKdoPatriZvuk}));
        Application->Terminate();
    });
    RunProgram();
}


// The exit button pressed as the round ends: the question stands over the
// message window; answered no, it leaves the message in front, whose first
// button then deals the next round on the game.
TEST_P(RoundEndAndLeaving, ExitQuestionOverTheMessageAnsweredNo) {
    const EndCase& e = GetParam();
    const std::uint64_t up = Open(kReady, e.entry);
    const std::uint64_t last = e.endRound(h(), up);
    h().MouseDown(last + e.press, kExitX, kBarY);
    h().MouseUp(last + e.release, kExitX, kBarY);
    h().At(last + e.release + 400, [this, &e] {
        EXPECT_TRUE(wndKonec->Showing());
        EXPECT_TRUE(MessageShown(e.messageId));
    });
    h().Click(last + e.release + 500, kExitNoX, kExitNoY);
    h().At(last + e.release + 2500, [this, &e] {
        EXPECT_FALSE(wndKonec->Showing());
        EXPECT_TRUE(MessageShown(e.messageId));
        EXPECT_EQ(h().ActiveForm(), wndHlaska);
    });
    h().Click(last + e.release + 2600, kMessageYesX, kMessageY);
    h().At(last + e.release + 3100, [this, &e] {
        EXPECT_FALSE(wndHlaska->Showing());
        EXPECT_EQ(h().ActiveForm(), GameScreen(e.entry));
        EXPECT_TRUE(PointerBalanced());
        Application->Terminate();
    });
    RunProgram();
}
INSTANTIATE_TEST_SUITE_P(Games, RoundEndAndLeaving, ::testing::ValuesIn(kEnds),
                         [](const auto& info) { return std::string(info.param.name); });

// The message of each game's id, answered after the program lost the input
// and got it back: the window is active again and both buttons do their
// work; no leaves nothing of the game behind.
class MessageAfterTheInputCameBack : public GamesTest,
                                     public ::testing::WithParamInterface<std::tuple<EndCase, bool>> {};

TEST_P(MessageAfterTheInputCameBack, ButtonsDoTheirWork) {
    const EndCase& e = std::get<0>(GetParam());
    const bool yes = std::get<1>(GetParam());
    const std::uint64_t up = Open(kReady, e.entry);
    const std::uint64_t shown = e.endRound(h(), up) + e.release;
    h().FocusLost(shown);
    h().At(shown + 100, [this] { EXPECT_TRUE(PointerBalanced()); });
    h().FocusGained(shown + 500);
    h().At(shown + 600, [this, &e] {
        ASSERT_TRUE(MessageShown(e.messageId));
        EXPECT_EQ(h().ActiveForm(), wndHlaska);
    });
    h().Click(shown + 700, yes ? kMessageYesX : kMessageNoX, kMessageY);
    h().At(shown + 1200, [this, yes] {
        EXPECT_FALSE(wndHlaska->Showing());
        EXPECT_TRUE(PointerBalanced());
        TForm* active = h().ActiveForm();
        if (yes) {
            EXPECT_NE(active, wndHry);
            EXPECT_EQ(Visible(), (std::vector<TForm*>{wndPodklad, wndVelamo, active}));
        } else {
            EXPECT_EQ(active, wndHry);
            EXPECT_EQ(Visible(), (std::vector<TForm*>{wndPodklad, wndVelamo, wndHry}));
        }
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Games, MessageAfterTheInputCameBack, ::testing::Combine(::testing::ValuesIn(kEnds), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "Yes" : "No");
                         });

// A press on the game held while the answer that ends the round waits: the
// message window comes up before the release, and the click that the
// release completes on the control below does nothing there (no answer
// judged, no thing picked up with the pointer hidden, no new board dealt
// under the message).
struct UnderCase {
    const char* name;
    int end;  // row of kEnds
    // Where the press is held, chosen when it starts.
    TPoint (*where)();
    // What the click must leave unchanged.
    int (*state)();
};
void PrintTo(const UnderCase& c, std::ostream* os) { *os << c.name; }

const UnderCase kUnder[] = {
    {"KdoToJeASlot", 1, [] { return Centre(AreaOf(wndKdoToJe->NameSlots, wndKdoToJe->TargetCode)); },
     [] { return int(wndKdoToJe->Mistakes) * 100 + wndKdoToJe->TargetCode; }},
    {"KdoToJeBCell", 2, [] { return Centre(KdoToJeBRight()); },
     [] { return int(wndKdoToJe2->Mistakes) * 100 + wndKdoToJe2->TargetCode; }},
    {"PutInOrderSlot", 4, [] { return SlotCentre(SlotOf(7)); }, [] { return int(wndPoradek->Carrying); }},
    {"PexesoModeButton", 5, [] { return TPoint{600, 449}; }, [] { return wndPexeso->ModeButton->Tag; }},
    // The game's spoken help would play on over its message and the menu.
    {"SoundGameHelpButton", 0, [] { return TPoint{kHelpX, kBarY}; },
     [] { return int(wndVelamo->Prehravac->Mode() == mpPlaying); }},
};

class ClickUnderTheMessage : public GamesTest, public ::testing::WithParamInterface<UnderCase> {};

TEST_P(ClickUnderTheMessage, DoesNothing) {
    const UnderCase& c = GetParam();
    const EndCase& e = kEnds[c.end];
    const std::uint64_t up = Open(kReady, e.entry);
    const std::uint64_t last = e.endRound(h(), up);
    h().At(last + e.press, [this, &c, &e, last] {
        const TPoint p = c.where();
        h().MouseDown(last + e.press + 10, p.X, p.Y);
        h().MouseUp(last + e.release, p.X, p.Y);
    });
    int before = 0;
    std::size_t sounds = 0;
    h().At(last + e.release - 5, [&] {
        ASSERT_TRUE(MessageShown(e.messageId));
        before = c.state();
        sounds = Notices({"sound start"}).size();
    });
    h().At(last + e.release + 1500, [&, this] {
        EXPECT_TRUE(MessageShown(e.messageId));
        EXPECT_EQ(h().ActiveForm(), wndHlaska);
        EXPECT_EQ(c.state(), before);
        EXPECT_EQ(Notices({"sound start"}).size(), sounds);
        EXPECT_TRUE(PointerBalanced());
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Games, ClickUnderTheMessage, ::testing::ValuesIn(kUnder),
                         [](const auto& info) { return std::string(info.param.name); });

// The left button held on the game after the answer that brought a window
// over it (the page at the third wrong choice or delivery, the message at
// the sound game's third mistake): a press of the right button meanwhile,
// on what would be the right answer, reaches the game below through the
// held mouse and does nothing there.
struct HeldCase {
    const char* name;
    int entry;
    // Three wrong answers from `at`, the third one's press held; returns
    // when the window is up (the left button is released a second later).
    std::uint64_t (*threeWrongHeld)(headless::Harness& h, std::uint64_t at);
    // Readies the right answer under the window; where the right press goes.
    TPoint (*rightAnswer)();
    // What the right press must leave unchanged.
    int (*state)();
};
void PrintTo(const HeldCase& c, std::ostream* os) { *os << c.name; }

// Three presses at `at`, `at` + 300 and `at` + 600 on `p`, the last held.
std::uint64_t ThreePressesLastHeld(headless::Harness& h, std::uint64_t at, TPoint p) {
    h.Click(at, p.X, p.Y);
    h.Click(at + 300, p.X, p.Y);
    h.MouseDown(at + 600, p.X, p.Y);
    return at + 600;
}

TPoint TownPoint(Byte place) {
    const TPoint p = TownPlaceTable[place - 1].SamplePoint;
    return {p.X - 1446 + 6, p.Y + 6};
}

const HeldCase kHeld[] = {
    {"TownGamePage", 1,
     [](headless::Harness& h, std::uint64_t at) {
         h.At(at - 10, [] {
             while (wndCiToJe->ThingPlace == 21) wndCiToJe->NewThing();
         });
         return ThreePressesLastHeld(h, at, TownPoint(21)) + 200;
     },
     [] {
         while (wndCiToJe->ThingPlace != 23) wndCiToJe->NewThing();
         return TownPoint(23);
     },
     [] { return int(wndCiToJe2->Showing()) * 100 + wndCiToJe->WrongAnswers; }},
    {"PictureGamePage", 5,
     [](headless::Harness& h, std::uint64_t at) { return ThreePressesLastHeld(h, at, {545, 215}) + 200; },
     [] {
         wndKdoPatriObr->ChoiceLabel->Tag = wndKdoPatriObr->TargetSlot;
         return TPoint{545, 215};
     },
     [] { return int(wndKdoPatriObr->WrongAnswers) * 100 + wndKdoPatriObr->TargetCode; }},
    {"SoundGameMessage", 6,
     [](headless::Harness& h, std::uint64_t at) {
         for (std::uint64_t k = 0; k < 2; ++k) ClickLater(h, at + 600 * k, [] { return Centre(SoundGameWrong()); });
         h.At(at + 1200, [&h, at] {
             const TPoint p = Centre(SoundGameWrong());
             h.MouseDown(at + 1210, p.X, p.Y);
         });
         return at + 1210 + 600;
     },
     [] { return Centre(SoundGameRight()); },
     [] { return int(wndKdoPatriZvuk->Mistakes) * 100 + wndKdoPatriZvuk->TargetCode; }},
};

class RightButtonUnderAWindow : public GamesTest, public ::testing::WithParamInterface<HeldCase> {};

TEST_P(RightButtonUnderAWindow, DoesNothing) {
    const HeldCase& c = GetParam();
    const std::uint64_t up = Open(kReady, c.entry);
    const std::uint64_t windowUp = c.threeWrongHeld(h(), up);
    TForm* window = nullptr;
    int before = 0;
    std::size_t sounds = 0;
    h().At(windowUp, [&, this] {
        window = h().ActiveForm();
        ASSERT_NE(window, GameScreen(c.entry));
        const TPoint p = c.rightAnswer();
        before = c.state();
        sounds = Notices({"sound start ch0"}).size();
        h().MoveTo(windowUp + 10, p.X, p.Y);
        h().Click(windowUp + 100, p.X, p.Y, mbRight);
        h().MouseUp(windowUp + 1000, p.X, p.Y);
    });
    h().At(windowUp + 1500, [&, this] {
        EXPECT_EQ(h().ActiveForm(), window);
        EXPECT_EQ(h().VisibleForms().back(), window);
        EXPECT_EQ(c.state(), before);
        EXPECT_EQ(Notices({"sound start ch0"}).size(), sounds);
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Games, RightButtonUnderAWindow, ::testing::ValuesIn(kHeld),
                         [](const auto& info) { return std::string(info.param.name); });

// A thing picked up while the program has lost the input (the screen was
// deactivated before, so it is not again), then the screen left by the
// menu button during the mistake's pause: the pointer is back at once, not
// only when the pause's handler has returned and the screen is freed.
TEST_F(GamesTest, PointerHiddenWithoutTheInputComesBackWhenTheScreenIsLeft) {
    const std::uint64_t up = Open(kReady, 2);
    h().FocusLost(up);
    ClickLater(h(), up + 100, [] { return SlotCentre(SlotOf(6)); });
    ClickLater(h(), up + 300, [] { return PersonCentre(1); });
    h().At(up + 400, [this] {
        ASSERT_TRUE(wndPoradek->Carrying);
        EXPECT_EQ(h().ShowCursorCount(), -1);
    });
    h().Click(up + 500, kMenuX, kBarY);  // the pause runs until up + 810
    h().At(up + 600, [this] {
        ASSERT_NE(wndPoradek, nullptr);
        EXPECT_TRUE(wndPoradek->Closed());
        EXPECT_TRUE(PointerBalanced());
    });
    h().FocusGained(up + 700);
    h().At(up + 1000, [this] {
        EXPECT_EQ(wndPoradek, nullptr);
        EXPECT_TRUE(PointerBalanced());
        EXPECT_EQ(h().ActiveForm(), wndVelamo);
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Games, AcrossScreens, ::testing::ValuesIn(kGames),
                         [](const auto& info) { return std::string(info.param.name); });

// The games whose exit question can be asked during the wait.
std::vector<GameCase> BarLeavesDuringTheWait() {
    std::vector<GameCase> out;
    for (const GameCase& g : kGames)
        if (g.barLeaves) out.push_back(g);
    return out;
}
INSTANTIATE_TEST_SUITE_P(Games, ProgramEnded, ::testing::ValuesIn(BarLeavesDuringTheWait()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
