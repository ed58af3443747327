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
        Application->Terminate();
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
    h().At(t + 100, [this, &m, t] {
        EXPECT_TRUE(ScreenShows(h(), *LoadPicture(PexesoPath(m.modeNormal)), 0, 0, 560, 418, 80, 62));
        const auto [first, second] = FaceDownPair();
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
            Application->Terminate();
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
                Application->Terminate();
            });
        });
    });
    RunProgram();
}

}  // namespace
