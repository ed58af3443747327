// The memory card game on the real program: opened from the games menu,
// played by clicks, the computer's turn with the pointer hidden, the pauses
// that hold the game, the modes, and the end through the message window.
#include "games/UPexeso.h"
#include "games_test_support.h"

using namespace gametest;

namespace {

constexpr std::uint64_t kOpen = kReady + 1000;  // the screen is up
constexpr int kModeX = 600, kModeY = 449;

TPoint CellCorner(TPoint p) { return {29 + 80 * (p.X - 1), 10 + 80 * (p.Y - 1)}; }
TPoint CellCentre(TPoint p) { return {CellCorner(p).X + 40, CellCorner(p).Y + 40}; }

TStav& CardAt(TPoint p) { return wndPexeso->Board.Card(p); }

// The card with the same pair as the one at p.
TPoint Partner(TPoint p) {
    for (int c = 1; c <= PexesoColumns; ++c)
        for (int r = 1; r <= PexesoRows; ++r)
            if (TPoint q{c, r}; !(q == p) && CardAt(q).PairId == CardAt(p).PairId) return q;
    return {};
}

// The two cards of a pair still face down, the first picture's first.
std::pair<TPoint, TPoint> FaceDownPair() {
    for (int c = 1; c <= PexesoColumns; ++c)
        for (int r = 1; r <= PexesoRows; ++r)
            if (TPoint p{c, r}; CardAt(p).CardState == csFaceDown && CardAt(p).FirstOfPair) return {p, Partner(p)};
    return {};
}

// Two face-down cards of different pairs.
std::pair<TPoint, TPoint> FaceDownMiss() {
    const TPoint a = FaceDownPair().first;
    for (int c = 1; c <= PexesoColumns; ++c)
        for (int r = 1; r <= PexesoRows; ++r)
            if (TPoint p{c, r}; CardAt(p).CardState == csFaceDown && CardAt(p).PairId != CardAt(a).PairId)
                return {a, p};
    return {};
}

std::string PexesoPath(const std::string& name) { return kAppDir + "hry/pexeso/" + name; }

class Pexeso : public ScreenTest {
protected:
    Pexeso() { ChooseGame(kReady, 10); }
    // Every test ends its run here, after its last check.
    void Done() {
        done_ = true;
        Application->Terminate();
    }
    void TearDown() override { EXPECT_TRUE(done_) << "the run ended before the test's last check"; }

    void Click(std::uint64_t at, TPoint cell) {
        const TPoint c = CellCentre(cell);
        h().Click(at, c.X, c.Y);
    }
    // The player misses at `at` (the second press 300 ms later); the
    // computer's turn starts 2 s after that press. Returns the start.
    std::uint64_t Miss(std::uint64_t at) {
        const auto [a, b] = FaceDownMiss();
        Click(at, a);
        Click(at + 300, b);
        return at + 2300;
    }
    // Runs `then` with the time once `done` answers true, looking every
    // 100 ms from `from`.
    void When(std::uint64_t from, std::function<bool()> done, std::function<void(std::uint64_t)> then) {
        h().At(from, [=, this] {
            if (done()) then(from);
            else When(from + 100, done, then);
        });
    }
    // The board shows the picture at the cell.
    bool CellShows(TPoint cell, const std::string& picture) {
        return ScreenShows(h(), *LoadPicture(picture), 0, 0, CellCorner(cell).X, CellCorner(cell).Y, 80, 80);
    }
    bool ScoresShow(int player, int computer) {
        auto p = LoadPicture(PexesoPath("cisla/" + std::to_string(player) + ".bmp"));
        auto c = LoadPicture(PexesoPath("cisla/" + std::to_string(computer) + ".bmp"));
        return ScreenShows(h(), *p, 0, 0, 542, 210, p->Width(), p->Height()) &&
               ScreenShows(h(), *c, 0, 0, 591, 210, c->Width(), c->Height());
    }
    bool AllBacks() {
        for (int c = 1; c <= PexesoColumns; ++c)
            for (int r = 1; r <= PexesoRows; ++r)
                if (!CellShows({c, r}, PexesoPath("karta.bmp"))) return false;
        return true;
    }
    // Every pair but the last `left` taken, with these scores (what the
    // pairs taken would have scored).
    static void TakeAllBut(int left, Byte player, Byte computer) {
        for (int c = 1; c <= PexesoColumns; ++c)
            for (int r = 1; r <= PexesoRows; ++r)
                if (CardAt({c, r}).PairId <= PexesoPairs - left) CardAt({c, r}).CardState = csTaken;
        wndPexeso->Board.PlayerScore = player;
        wndPexeso->Board.ComputerScore = computer;
        wndPexeso->DrawScores();
    }

private:
    bool done_ = false;
};

TEST_F(Pexeso, MenuEntryTenOpensANewlyDealtBoardFaceDown) {
    h().At(kOpen, [this] {
        ASSERT_NE(wndPexeso, nullptr);
        EXPECT_EQ(h().ActiveForm(), wndPexeso);
        EXPECT_EQ(wndPexeso->Caption(), "Velamo - Hry: Pexeso");
        EXPECT_FALSE(wndHry->Showing());
        EXPECT_TRUE(AllBacks());
        EXPECT_TRUE(ScoresShow(0, 0));
        auto mode = LoadPicture(PexesoPath("pex_A.bmp"));
        EXPECT_TRUE(ScreenShows(h(), *mode, 0, 0, 560, 418, 80, 62));
        EXPECT_EQ(wndPexeso->ModeButton->Tag, 1);
        Done();
    });
    RunProgram();
}

struct ModeCase {
    const char* name;
    int modeClicks;
    const char* secondFolder;  // the second picture of a pair
    const char* modeNormal;    // what the mode button shows
};
void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

class PexesoModes : public Pexeso, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(PexesoModes, APairShowsTheModesTwoPicturesAndScores) {
    const ModeCase& m = GetParam();
    // Apart by more than a double click's time.
    for (int i = 0; i < m.modeClicks; ++i) h().Click(kOpen + 600 * i, kModeX, kModeY);
    const std::uint64_t t = kOpen + 1200;
    h().MoveTo(t, 300, 200);
    h().At(t + 100, [this, &m] {
        EXPECT_TRUE(ScreenShows(h(), *LoadPicture(PexesoPath(m.modeNormal)), 0, 0, 560, 418, 80, 62));
        const auto firstPair = FaceDownPair();
        const TPoint first = firstPair.first, second = firstPair.second;
        const std::string n = std::to_string(wndPexeso->Board.PictureNumbers[CardAt(first).PairId]);
        Click(t + 200, first);
        Click(t + 500, second);
        h().At(t + 600, [=, this, &m] {
            EXPECT_TRUE(CellShows(first, PexesoPath("postav/" + n + ".bmp")));
            EXPECT_TRUE(CellShows(second, PexesoPath(std::string(m.secondFolder) + n + ".bmp")));
            EXPECT_TRUE(ScoresShow(1, 0));
            EXPECT_EQ(SoundStarts("spravne.wav").size(), 1u);
        });
        h().At(t + 2600, [=, this] {
            // Taken: the background shows again; the player goes on.
            EXPECT_FALSE(CellShows(first, PexesoPath("postav/" + n + ".bmp")));
            EXPECT_TRUE(ScreenShows(h(), *wndPexeso->CleanBuffer, CellCorner(second).X, CellCorner(second).Y,
                                    CellCorner(second).X, CellCorner(second).Y, 80, 80));
            EXPECT_FALSE(wndPexeso->ComputerBusy);
            EXPECT_TRUE(h().PointerVisible());
            Done();
        });
    });
    RunProgram();
}

const ModeCase kModes[] = {
    {"EqualPictures", 0, "postav/", "pex_A.bmp"},
    {"PersonAndThing", 1, "veci/", "pex_B.bmp"},
    {"BackToEqualPictures", 2, "postav/", "pex_A.bmp"},
};
INSTANTIATE_TEST_SUITE_P(Both, PexesoModes, ::testing::ValuesIn(kModes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Pexeso, ModeSwitchDuringATryDealsANewBoardInTheOtherModeWithBothScoresCleared) {
    h().At(kOpen, [this] {
        const auto [a, b] = FaceDownPair();
        Click(kOpen + 100, a);
        Click(kOpen + 400, b);  // a pair: 1 : 0, the pause until +2400
        h().At(kOpen + 2600, [this] {
            const auto before = wndPexeso->Board.PictureNumbers;
            const TPoint first = FaceDownPair().first;
            Click(kOpen + 2700, first);
            h().Click(kOpen + 3000, kModeX, kModeY);
            h().At(kOpen + 3100, [this, before] {
                EXPECT_EQ(wndPexeso->ModeButton->Tag, 2);
                EXPECT_FALSE(wndPexeso->Board.FirstTurned);
                EXPECT_EQ(wndPexeso->Board.PlayerScore, 0);
                EXPECT_TRUE(ScoresShow(0, 0));
                EXPECT_TRUE(AllBacks());
                // Dealt anew: the same fifteen pictures in the same order
                // are a chance of about one in 10^23.
                EXPECT_NE(wndPexeso->Board.PictureNumbers, before);
                Done();
            });
        });
    });
    RunProgram();
}

// The pauses' lengths: a miss stays face up for two seconds before both
// cards turn back and the computer plays; the computer's first card stays
// two seconds before its second one (a mate's "right" or a card's sound).
TEST_F(Pexeso, MissStaysTwoSecondsAndTheComputersFirstCardTwoSeconds) {
    h().At(kOpen, [this] {
        const auto [a, b] = FaceDownMiss();
        const std::uint64_t second = kOpen + 400;
        Click(kOpen + 100, a);
        Click(second, b);
        h().At(second + 1990, [this, a, b] {
            EXPECT_EQ(SoundStarts("karta.wav").size(), 2u);
            EXPECT_FALSE(CellShows(a, PexesoPath("karta.bmp")));
            EXPECT_FALSE(CellShows(b, PexesoPath("karta.bmp")));
            EXPECT_FALSE(wndPexeso->ComputerBusy);
        });
        h().At(second + 2010, [this, a, b] {
            EXPECT_TRUE(CellShows(a, PexesoPath("karta.bmp")));
            EXPECT_TRUE(CellShows(b, PexesoPath("karta.bmp")));
            EXPECT_TRUE(wndPexeso->ComputerBusy);
            // The backs' sound and the computer's first card.
            EXPECT_EQ(SoundStarts("karta.wav").size(), 4u);
        });
        h().At(second + 3990, [this] {
            EXPECT_EQ(SoundStarts("karta.wav").size() + SoundStarts("spravne.wav").size(), 4u);
        });
        h().At(second + 4010, [this, second] {
            const auto cards = SoundStarts("karta.wav");
            const auto rights = SoundStarts("spravne.wav");
            ASSERT_EQ(cards.size() + rights.size(), 5u);
            const std::uint64_t at = rights.empty() ? cards.back().at : rights.back().at;
            EXPECT_GE(at, second + 4000);
            EXPECT_LT(at, second + 4010);
            Done();
        });
    });
    RunProgram();
}

// What can happen while the computer plays: the pointer is hidden, the
// leaving buttons wait, and every way out shows the pointer again.
enum class TWayOut { TurnEnds, GamesButton, ExitButton, Deactivation, ScreenClosed };
struct WayOutCase {
    const char* name;
    TWayOut way;
};
void PrintTo(const WayOutCase& c, std::ostream* os) { *os << c.name; }

class PexesoComputerTurn : public Pexeso, public ::testing::WithParamInterface<WayOutCase> {
protected:
    void ExpectPointer(int count) {
        EXPECT_EQ(h().ShowCursorCount(), count);
        EXPECT_EQ(h().PointerVisible(), count == 0);
    }
};

TEST_P(PexesoComputerTurn, PointerComesBackByEveryWayOut) {
    const TWayOut way = GetParam().way;
    h().At(kOpen, [this, way] {
        const std::uint64_t at = Miss(kOpen + 100) + 500;  // the computer's first card shows
        h().At(at - 10, [this] {
            EXPECT_TRUE(wndPexeso->ComputerBusy);
            ExpectPointer(-1);
        });
        switch (way) {
            case TWayOut::TurnEnds: break;
            case TWayOut::GamesButton:
            case TWayOut::ExitButton:
                h().Click(at, way == TWayOut::GamesButton ? kGamesX : kExitX, kBarY);
                h().At(at + 200, [this] {
                    // They wait for the turn: nothing left, nothing asked.
                    EXPECT_EQ(h().ActiveForm(), wndPexeso);
                    EXPECT_FALSE(wndHry->Showing());
                    EXPECT_FALSE(wndKonec->Showing());
                    ExpectPointer(-1);
                });
                break;
            case TWayOut::Deactivation:
                h().FocusLost(at);
                h().At(at + 100, [this] { ExpectPointer(0); });
                h().FocusGained(at + 300);
                h().At(at + 400, [this] {
                    ASSERT_TRUE(wndPexeso->ComputerBusy);
                    ExpectPointer(-1);
                });
                break;
            case TWayOut::ScreenClosed:
                h().At(at, [] { wndPexeso->Close(); });
                h().At(at + 100, [this] {
                    // Alive until its turn's pause returns.
                    ASSERT_NE(wndPexeso, nullptr);
                    EXPECT_TRUE(wndPexeso->Closed());
                    ExpectPointer(0);
                });
                break;
        }
        When(at + 500, [] { return !wndPexeso || !wndPexeso->ComputerBusy; }, [this, way, at](std::uint64_t end) {
            ExpectPointer(0);
            switch (way) {
                case TWayOut::ScreenClosed:
                    h().At(end + 100, [this, at] {
                        EXPECT_EQ(wndPexeso, nullptr);
                        // Nothing of the turn ran after the close.
                        for (const char* sound : {"karta.wav", "spravne.wav"})
                            for (const auto& n : SoundStarts(sound)) EXPECT_LT(n.at, at) << sound;
                        ExpectPointer(0);
                        Done();
                    });
                    break;
                case TWayOut::GamesButton:
                case TWayOut::ExitButton:
                    // After the turn they work.
                    h().Click(end + 100, way == TWayOut::GamesButton ? kGamesX : kExitX, kBarY);
                    h().At(end + 600, [this, way] {
                        if (way == TWayOut::GamesButton) {
                            EXPECT_EQ(wndPexeso, nullptr);
                            EXPECT_EQ(h().ActiveForm(), wndHry);
                        } else {
                            EXPECT_TRUE(wndKonec->Showing());
                        }
                        ExpectPointer(0);
                        Done();
                    });
                    break;
                default: Done();
            }
        });
    });
    RunProgram();
}

const WayOutCase kWaysOut[] = {
    {"TurnEnds", TWayOut::TurnEnds},         {"GamesButtonWaits", TWayOut::GamesButton},
    {"ExitButtonWaits", TWayOut::ExitButton}, {"Deactivation", TWayOut::Deactivation},
    {"ScreenClosed", TWayOut::ScreenClosed},
};
INSTANTIATE_TEST_SUITE_P(WaysOut, PexesoComputerTurn, ::testing::ValuesIn(kWaysOut),
                         [](const auto& info) { return std::string(info.param.name); });

// Presses during a pause: no card turns, the mode stays, no new game is
// dealt (the message window's way in included), nothing leaves.
enum class TPauseKind { AfterAPair, AfterAMiss, ComputersTurn, BeforeTheGameOverMessage };
struct PauseCase {
    const char* name;
    TPauseKind kind;
};
void PrintTo(const PauseCase& c, std::ostream* os) { *os << c.name; }

class PexesoPauses : public Pexeso, public ::testing::WithParamInterface<PauseCase> {};

TEST_P(PexesoPauses, HoldCardsModeNewGameAndTheLeavingButtons) {
    const TPauseKind kind = GetParam().kind;
    h().At(kOpen, [this, kind] {
        std::uint64_t at = kOpen + 900;  // inside the player's two seconds
        if (kind == TPauseKind::BeforeTheGameOverMessage) {
            TakeAllBut(1, 7, 7);
            at = kOpen + 2900;  // the second before the message
        }
        if (kind == TPauseKind::AfterAPair || kind == TPauseKind::BeforeTheGameOverMessage) {
            const auto [a, b] = FaceDownPair();
            Click(kOpen + 100, a);
            Click(kOpen + 400, b);
        } else {
            const std::uint64_t turn = Miss(kOpen + 100);
            if (kind == TPauseKind::ComputersTurn) at = turn + 500;
        }
        h().At(at - 50, [this, at] {
            const auto dealt = wndPexeso->Board.PictureNumbers;
            // One of the missed cards, or none after the last pair.
            const TPoint card = FaceDownPair().first;
            const bool withCard = card.X != 0;
            const std::size_t sounds = SoundStarts("karta.wav").size();
            h().Click(at, kModeX, kModeY);
            if (withCard) Click(at + 100, card);
            h().At(at + 200, [] { wndPexeso->StartNewRound(); });
            h().Click(at + 300, kMenuX, kBarY);
            h().At(at + 400, [this, dealt, card, withCard, sounds] {
                EXPECT_EQ(wndPexeso->ModeButton->Tag, 1);
                EXPECT_EQ(wndPexeso->Board.PictureNumbers, dealt);
                if (withCard) {
                    EXPECT_NE(CardAt(card).CardState, csFaceUp);
                }
                EXPECT_EQ(SoundStarts("karta.wav").size(), sounds);
                EXPECT_EQ(h().ActiveForm(), wndPexeso);
                Done();
            });
        });
    });
    RunProgram();
}

const PauseCase kPauses[] = {
    {"AfterAPair", TPauseKind::AfterAPair},
    {"AfterAMiss", TPauseKind::AfterAMiss},
    {"ComputersTurn", TPauseKind::ComputersTurn},
    {"BeforeTheGameOverMessage", TPauseKind::BeforeTheGameOverMessage},
};
INSTANTIATE_TEST_SUITE_P(Pauses, PexesoPauses, ::testing::ValuesIn(kPauses),
                         [](const auto& info) { return std::string(info.param.name); });

// The end of a game: who won, the winner's picture under the dimmed message,
// the message's sound, and its two buttons.
struct EndCase {
    const char* name;
    bool computerTakesLast;  // from its memory; else the child takes the last pair
    Byte player, computer;   // at the end
    const char* message;
    const char* winner;
    TPoint winnerAt;
    bool yes;
};
void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }

class PexesoEnd : public Pexeso, public ::testing::WithParamInterface<EndCase> {};

TEST_P(PexesoEnd, MessageOverTheWinnerThenItsButton) {
    const EndCase& e = GetParam();
    h().At(kOpen, [this, &e] {
        if (e.computerTakesLast) {
            // Two pairs left, one card of each remembered in slots 3 and 4;
            // the child misses with the other two.
            TakeAllBut(2, e.player, Byte(e.computer - 2));
            TPexesoBoard& board = wndPexeso->Board;
            const auto [p1, p2] = FaceDownPair();
            const TPoint q1 = FaceDownMiss().second;
            const TPoint q2 = Partner(q1);
            for (int slot : {2, 3}) {
                const TPoint kept = slot == 2 ? p2 : q2;
                CardAt(kept).Position = kept;
                board.Memory[std::size_t(slot)] = &CardAt(kept);
            }
            Click(kOpen + 100, p1);
            Click(kOpen + 400, q1);
        } else {
            TakeAllBut(1, Byte(e.player - 1), e.computer);
            const auto [a, b] = FaceDownPair();
            Click(kOpen + 100, a);
            Click(kOpen + 400, b);
        }
    });
    When(kOpen + 500, [] { return wndHlaska->Showing(); }, [this, &e](std::uint64_t shown) {
        EXPECT_TRUE(MessageShown("Pexeso"));
        EXPECT_EQ(wndPexeso->Board.PlayerScore, e.player);
        EXPECT_EQ(wndPexeso->Board.ComputerScore, e.computer);
        EXPECT_EQ(e.player + e.computer, PexesoPairs);
        EXPECT_EQ(SoundStarts(std::string(e.message) + ".wav").size(), 1u);
        auto winner = LoadPicture(PexesoPath(e.winner));
        const int dx = winner->Width() / 2, dy = winner->Height() / 2;
        EXPECT_EQ(wndHlaska->Buffer->Pixels().Get(e.winnerAt.X + dx, e.winnerAt.Y + dy),
                  Dimmed(winner->Pixels().Get(dx, dy)));
        auto message = LoadPicture(PexesoPath(std::string(e.message) + ".bmp"));
        EXPECT_EQ(wndHlaska->Buffer->Pixels().Get(320, 240),
                  message->Pixels().Get(message->Width() / 2, message->Height() / 2));
        EXPECT_FALSE(wndPexeso->ComputerBusy || wndPexeso->PlayerBusy);
        EXPECT_EQ(h().ShowCursorCount(), 0);
        h().Click(shown + 100, e.yes ? 241 : 398, 282);
        h().At(shown + 600, [this, &e] {
            EXPECT_FALSE(wndHlaska->Showing());
            if (e.yes) {
                ASSERT_NE(wndPexeso, nullptr);
                EXPECT_EQ(h().ActiveForm(), wndPexeso);
                EXPECT_TRUE(ScoresShow(0, 0));
                EXPECT_TRUE(AllBacks());
                EXPECT_FALSE(wndPexeso->Board.AllTaken());
            } else {
                EXPECT_EQ(wndPexeso, nullptr);
                EXPECT_EQ(h().ActiveForm(), wndHry);
            }
            Done();
        });
    });
    RunProgram();
}

const EndCase kEnds[] = {
    {"ChildTakesTheLastPairAndWinsThenPlaysAgain", false, 8, 7, "hlaska1", "hrac.bmp", {534, 83}, true},
    {"ComputerTakesBothRememberedPairsAtOnceAndWinsThenTheChildLeaves", true, 6, 9, "hlaska2", "pocitac.bmp",
     {561, 312}, false},
};
INSTANTIATE_TEST_SUITE_P(Ends, PexesoEnd, ::testing::ValuesIn(kEnds),
                         [](const auto& info) { return std::string(info.param.name); });

// The cursor shows what a press would turn; presses on anything else do
// nothing, and the right button turns a card like the left.
TEST_F(Pexeso, CursorAndPressesOnlyForFaceDownCards) {
    h().At(kOpen, [this] {
        const auto takenPair = FaceDownPair();
        const TPoint taken = takenPair.first, takenPartner = takenPair.second;
        Click(kOpen + 100, taken);
        Click(kOpen + 400, takenPartner);
        h().At(kOpen + 2600, [this, taken] {
            const auto upPair = FaceDownPair();
            const TPoint up = upPair.first, upPartner = upPair.second;
            Click(kOpen + 2700, up);
            struct Point {
                const char* name;
                TPoint at;
                int cursor;
            };
            const Point points[] = {
                {"face down", CellCentre(upPartner), 2},
                {"face up", CellCentre(up), 1},
                {"taken", CellCentre(taken), 1},
                {"right of the board", {509, 200}, 1},
                {"left of the board", {28, 200}, 1},
                {"above the board", {100, 9}, 1},
            };
            std::uint64_t t = kOpen + 3000;
            for (const Point& p : points) {
                h().MoveTo(t, p.at.X, p.at.Y);
                h().At(t + 20, [this, p] { EXPECT_TRUE(CursorIs(p.cursor)) << p.name; });
                if (p.cursor == 1) h().Click(t + 40, p.at.X, p.at.Y);
                t += 600;
            }
            const TPoint partner = CellCentre(upPartner);
            h().MouseDown(t, partner.X, partner.Y, mbRight);
            h().MouseUp(t + 50, partner.X, partner.Y, mbRight);
            h().At(t + 100, [this, up] {
                EXPECT_EQ(SoundStarts("karta.wav").size(), 2u);  // the two tries' first cards
                EXPECT_EQ(CardAt(up).CardState, csTaken);
                EXPECT_EQ(wndPexeso->Board.PlayerScore, 2);
                Done();
            });
        });
    });
    RunProgram();
}

// A card back that cannot be read ends the program with the fatal message;
// the half-made screen is never shown.
class PexesoWithoutCardBack : public Pexeso {
protected:
    PexesoWithoutCardBack() : tree_({"hry"}) {
        LinkAllBut(kAppDir + "hry", tree_.Folder().Path("hry"), "pexeso");
        LinkAllBut(kAppDir + "hry/pexeso", tree_.Folder().Path("hry/pexeso"), "karta.bmp");
        InvalidatePathCache();
        UseAppFolder(tree_.Dir());
    }
    static void LinkAllBut(const std::string& from, const std::string& to, const std::string& leftOut) {
        fs::create_directories(to);
        for (const auto& entry : fs::directory_iterator(from)) {
            const std::string name = entry.path().filename().string();
            if (name != leftOut) fs::create_symlink(entry.path(), to + "/" + name);
        }
    }
    TreeCopy tree_;
};

TEST_F(PexesoWithoutCardBack, EndsTheProgramWithTheFatalMessageAndNeverShowsTheScreen) {
    RunProgram();
    ASSERT_EQ(h().MessageBoxes().size(), 1u);
    EXPECT_EQ(h().MessageBoxes()[0].text, "Nelze načíst vyžadovaný soubor. Aplikace bude ukončena.");
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(wndPexeso == nullptr || !wndPexeso->Showing());
    Done();
}

}  // namespace
