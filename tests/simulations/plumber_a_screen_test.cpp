// Plumber part A played as a child plays it: a level of the test's own,
// pieces laid, replaced and removed through the palette and the ghost, the
// valve opened, the message window's answers, the part switch, and the bar
// during the check's pause.
#include "plumber_test_support.h"

using namespace plumbertest;

namespace {

// The valve at (3, 3), the washbasin at (4, 2); one each of kinds 1, 2, 4, 5, 6.
const char* const kLevel = "3,3,2,4,1,1,0,1,1,1\r\n";
const TPoint kValve = CellCentreA(3, 3);
// Up from the washbasin, left along row 1, down column 2 and into the valve
// from its left.
const std::vector<Lay> kSolution = {{2, {{4, 1}}}, {5, {{3, 1}}}, {1, {{2, 1}}}, {6, {{2, 2}}}, {4, {{2, 3}}}};
// The same pieces, far from the pipe.
const std::vector<Lay> kScattered = {{2, {{8, 6}}}, {5, {{7, 6}}}, {1, {{6, 6}}}, {6, {{5, 6}}}, {4, {{4, 6}}}};

// The valve's strip, 19 frames; then, on success, the washbasin's, 31;
// then the second's pause.
constexpr std::uint64_t kValveStrip = 19 * 50;
constexpr std::uint64_t kBasinStrip = 31 * 50;
constexpr std::uint64_t kSuccessMessage = 50 + kValveStrip + kBasinStrip + 1000 + 100;
constexpr std::uint64_t kFailMessage = 50 + kValveStrip + 1000 + 100;

TwndSimulaceInstalater1* A() { return wndSimulaceInstalater1; }

class PlumberA : public PlumberTest {
protected:
    PlumberA() {
        UseLevels(kLevel);
        OpenPartA();
    }
    int Stock(int kind) const { return A()->Board.Stock[std::size_t(kind)]; }
    bool CellShows(int col, int row, const std::string& picture) const {
        const TPoint c = CellCornerA(col, row);
        return BufferShows(A()->Buffer, "simul/instal/A_verze/" + picture, c.X, c.Y);
    }
    bool CellIsEmpty(int col, int row) const {
        const TPoint c = CellCornerA(col, row);
        for (int y = 0; y < PlumberACell; ++y)
            for (int x = 0; x < PlumberACell; ++x)
                if (A()->Buffer->Pixels().Get(c.X + x, c.Y + y) != A()->CleanBuffer->Pixels().Get(c.X + x, c.Y + y))
                    return false;
        return true;
    }
};

TEST_F(PlumberA, SolvedTheWaterRunsAndTheMessageSaysSo) {
    Then([this] {
        EXPECT_EQ(h().ActiveForm(), A());
        EXPECT_TRUE(CellShows(4, 2, "umyv.bmp"));
        EXPECT_TRUE(CellShows(3, 3, "ventil.bmp"));
        EXPECT_EQ(A()->Board.PieceTotal, 5);
    });
    LayPieces(kSolution, PaletteA, CellCentreA);
    Then([this] {
        for (int kind : {1, 2, 4, 5, 6}) EXPECT_EQ(Stock(kind), 0);
        EXPECT_TRUE(CellShows(2, 1, "kol_1.bmp"));
        EXPECT_TRUE(CellShows(2, 3, "kol_4.bmp"));
    });
    Click(kValve);
    Then(
        [this] {
            ASSERT_TRUE(MessageShown("Instal1OK"));
            EXPECT_TRUE(A()->Busy);
            EXPECT_EQ(A()->HlaskaSound, AppDir + "simul\\instal\\hl_ok.wav");
            // The last frames stay in the screen's picture.
            auto valve = LoadPicture(kAppDir + "simul/instal/A_verze/ventilAN.bmp");
            auto basin = LoadPicture(kAppDir + "simul/instal/A_verze/umyvAN.bmp");
            const TPoint v = CellCornerA(3, 3), b = CellCornerA(4, 2);
            for (int i = 0; i < 60; i += 7) {
                EXPECT_EQ(A()->Buffer->Pixels().Get(v.X + i, v.Y + i), valve->Pixels().Get(18 * 60 + i, i));
                EXPECT_EQ(A()->Buffer->Pixels().Get(b.X + i, b.Y + i), basin->Pixels().Get(30 * 60 + i, i));
            }
            EXPECT_TRUE(wndHlaska->YesButton->Visible());
            EXPECT_TRUE(wndHlaska->NoButton->Visible());
        },
        kSuccessMessage);
    Run();
    const auto valve = SoundStarts("ventil.wav"), basin = SoundStarts("umyv.wav"), ok = SoundStarts("hl_ok.wav");
    ASSERT_EQ(valve.size(), 1u);
    ASSERT_EQ(basin.size(), 1u);
    ASSERT_EQ(ok.size(), 1u);
    EXPECT_LT(valve[0].at, basin[0].at);
    EXPECT_LT(basin[0].at, ok[0].at);
    EXPECT_TRUE(SoundStarts("hl_ko.wav").empty());
}

class PlumberAAnswers : public PlumberA, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(PlumberAAnswers, YesStartsANewGameNoShowsTheSimulationsMenu) {
    const AnswerCase& c = GetParam();
    LayPieces(c.solved ? kSolution : kScattered, PaletteA, CellCentreA);
    Click(kValve);
    const char* id = c.solved ? "Instal1OK" : "Instal1KO";
    Then([id, this] { EXPECT_TRUE(MessageShown(id)); }, c.solved ? kSuccessMessage : kFailMessage);
    Click(c.yes ? kYes : kNo);
    Then([c, this] {
        EXPECT_FALSE(wndHlaska->Showing());
        if (c.yes) {
            ASSERT_NE(A(), nullptr);
            EXPECT_EQ(h().ActiveForm(), A());
            EXPECT_FALSE(A()->Busy);
            EXPECT_TRUE(CellIsEmpty(2, 1));
            EXPECT_EQ(Stock(1), 1);
        } else {
            EXPECT_EQ(A(), nullptr);
            EXPECT_EQ(h().ActiveForm(), wndSimulace);
        }
    });
    Run();
    EXPECT_EQ(SoundStarts(c.solved ? "hl_ok.wav" : "hl_ko.wav").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Table, PlumberAAnswers,
                         ::testing::ValuesIn(kAnswerCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlumberA, ValveWithPiecesLeftOnlySaysSoAndTheBoardStaysPlayable) {
    LayPieces({{1, {{6, 4}}}}, PaletteA, CellCentreA);
    Click(kValve);
    Then([this] {
        ASSERT_TRUE(MessageShown("Instal1Vse"));
        EXPECT_TRUE(wndHlaska->YesButton->Visible());
        EXPECT_FALSE(wndHlaska->NoButton->Visible());
        EXPECT_FALSE(A()->Busy);
    });
    Click(kOk);
    Then([this] {
        EXPECT_FALSE(wndHlaska->Showing());
        EXPECT_EQ(h().ActiveForm(), A());
        EXPECT_TRUE(CellShows(6, 4, "kol_1.bmp"));
    });
    LayPieces({{2, {{7, 4}}}}, PaletteA, CellCentreA);
    Then([this] { EXPECT_EQ(Stock(2), 0); });
    Run();
    EXPECT_EQ(SoundStarts("hl_vse.wav").size(), 1u);
    EXPECT_TRUE(SoundStarts("ventil.wav").empty());
}

TEST_F(PlumberA, PaletteHighlightsOneEntryAndGivesTheGhostItsPicture) {
    const auto entryShows = [](int tag, bool highlighted) {
        const TPlumberAPaletteEntry& e = PlumberAPaletteTable[tag - 1];
        auto picture = LoadPicture(kAppDir + "simul/instal/A_verze/" + e.Highlight + ".bmp");
        // Away from the stock digit.
        const int x = e.Label.Left + 30, y = e.Label.Top + 30;
        const TColor want = highlighted ? picture->Pixels().Get(30, 30) : A()->CleanBuffer->Pixels().Get(x, y);
        return A()->Buffer->Pixels().Get(x, y) == want;
    };
    Click(PaletteA(1));
    Then([&] {
        EXPECT_TRUE(entryShows(1, true));
        EXPECT_EQ(A()->SelectedPiece, 1);
    });
    Click(PaletteA(2));
    Move(CellCentreA(6, 5));
    Then([&] {
        EXPECT_TRUE(entryShows(1, false));
        EXPECT_TRUE(entryShows(2, true));
        EXPECT_TRUE(A()->Ghost->Visible());
        EXPECT_EQ(A()->Ghost->Left(), CellCornerA(6, 5).X);
        auto piece = LoadPicture(kAppDir + "simul/instal/A_verze/kol_2.bmp");
        EXPECT_TRUE(ScreenShows(h(), *piece, 0, 0, CellCornerA(6, 5).X, CellCornerA(6, 5).Y, 63, 63));
        EXPECT_TRUE(CursorIs(2));
    });
    Click(PaletteA(2));
    Move(kOffGrid);
    Move(CellCentreA(6, 5));
    Then([&] {
        EXPECT_TRUE(entryShows(2, false));
        EXPECT_EQ(A()->SelectedPiece, 0);
        EXPECT_FALSE(A()->Ghost->Visible());
        EXPECT_TRUE(CursorIs(1)) << "an empty cell";
        // The digits stay beside their entries.
        EXPECT_TRUE(BufferShows(A()->Buffer, "simul/instal/A_verze/cisla/1.bmp", 571, 81));
    });
    Run();
}

TEST_F(PlumberA, ReplacingTakesTheNewKindAndGivesTheOldOneBack) {
    LayPieces({{1, {{6, 5}}}, {2, {{6, 5}}}}, PaletteA, CellCentreA);
    Then([this] {
        EXPECT_EQ(Stock(1), 1);
        EXPECT_EQ(Stock(2), 0);
        EXPECT_EQ(A()->Board.Cell(6, 5).Kind, 2);
        EXPECT_TRUE(CellShows(6, 5, "kol_2.bmp"));
        EXPECT_TRUE(BufferShows(A()->Buffer, "simul/instal/A_verze/cisla/1.bmp", 571, 26));
    });
    Run();
}

TEST_F(PlumberA, AKindUsedUpShowsZeroAndNoGhost) {
    LayPieces({{1, {{6, 5}}}}, PaletteA, CellCentreA);
    Move(CellCentreA(7, 5));
    Then([this] {
        EXPECT_EQ(A()->SelectedPiece, 1) << "still selected";
        EXPECT_TRUE(BufferShows(A()->Buffer, "simul/instal/A_verze/cisla/0.bmp", 571, 26));
        EXPECT_FALSE(A()->Ghost->Visible());
        EXPECT_TRUE(CursorIs(1));
    });
    Move(CellCentreA(6, 5));
    Then([this] {
        EXPECT_FALSE(A()->Ghost->Visible());
        EXPECT_TRUE(CursorIs(2)) << "a laid piece";
    });
    Run();
}

TEST_F(PlumberA, ClickingALaidPieceRemovesItAndTheEmptyCellStaysSo) {
    LayPieces({{5, {{6, 5}}}}, PaletteA, CellCentreA);
    Click(PaletteA(5));  // deselected: the board's cells take clicks
    Click(CellCentreA(6, 5));
    Then([this] {
        EXPECT_FALSE(A()->Board.Cell(6, 5).Occupied);
        EXPECT_EQ(Stock(5), 1);
        EXPECT_TRUE(CellIsEmpty(6, 5));
    });
    Click(CellCentreA(6, 5));
    Click(CellCentreA(4, 2));  // the washbasin
    Then([this] {
        EXPECT_EQ(Stock(5), 1);
        EXPECT_TRUE(CellIsEmpty(6, 5));
        EXPECT_TRUE(A()->Board.Cell(4, 2).IsBasin);
        EXPECT_TRUE(CellShows(4, 2, "umyv.bmp"));
    });
    Run();
}

TEST_F(PlumberA, WhileTheValveIsOpenTheBoardAndThePaletteIgnoreTheMouse) {
    LayPieces(kScattered, PaletteA, CellCentreA);
    Click(kValve);
    // Inside the second's pause after the valve's strip.
    Move(CellCentreA(8, 6), 50 + kValveStrip + 200);
    Then([this] {
        EXPECT_TRUE(A()->Busy);
        EXPECT_TRUE(CursorIs(1)) << "a laid piece, yet the arrow";
    }, 10);
    Click(CellCentreA(8, 6), 10);
    Click(PaletteA(7), 200);  // the wrench
    Then([this] {
        EXPECT_TRUE(MessageShown("Instal1KO"));
        EXPECT_TRUE(A()->Board.Cell(8, 6).Occupied) << "the piece stayed";
        EXPECT_TRUE(A()->Busy) << "no new game under the message";
    }, 1000);
    Run();
}

struct PauseCase {
    const char* name;
    TPoint button;
    TForm* (*shown)();
};
void PrintTo(const PauseCase& c, std::ostream* os) { *os << c.name; }

class PlumberAPause : public PlumberA, public ::testing::WithParamInterface<PauseCase> {};

TEST_P(PlumberAPause, ABarButtonOrThePartSwitchLeavesAndTheMessageIsLeftOut) {
    LayPieces(kSolution, PaletteA, CellCentreA);
    Click(kValve);
    Click(GetParam().button, 50 + kValveStrip + kBasinStrip + 300);
    Then([this] {
        EXPECT_EQ(A(), nullptr) << "freed once the check returned";
        EXPECT_FALSE(wndHlaska->Showing());
        EXPECT_EQ(h().ActiveForm(), GetParam().shown());
    }, 2000);
    Run();
    EXPECT_EQ(SoundStarts("umyv.wav").size(), 1u);
    EXPECT_TRUE(SoundStarts("hl_ok.wav").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlumberAPause,
    ::testing::Values(PauseCase{"Games", {kGamesX, kBarY}, []() -> TForm* { return wndHry; }},
                      PauseCase{"Simulations", {kSimulationsX, kBarY}, []() -> TForm* { return wndSimulace; }},
                      PauseCase{"Town", {kMenuX, kBarY}, []() -> TForm* { return wndVelamo; }},
                      PauseCase{"PartSwitch", kPartSwitch, []() -> TForm* { return wndSimulaceInstalater2; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlumberA, ThePartSwitchCreatesTheOtherPartAnewEachWay) {
    TForm* first = nullptr;
    Then([&] { first = A(); });
    Click(kPartSwitch);
    Then([&] {
        EXPECT_EQ(A(), nullptr);
        ASSERT_NE(wndSimulaceInstalater2, nullptr);
        EXPECT_EQ(h().ActiveForm(), wndSimulaceInstalater2);
    });
    Click(kPartSwitch);
    Then([&] {
        EXPECT_EQ(wndSimulaceInstalater2, nullptr);
        ASSERT_NE(A(), nullptr);
        EXPECT_EQ(h().ActiveForm(), A());
        EXPECT_FALSE(A()->Busy);
    });
    Run();
    EXPECT_NE(first, nullptr);
}

}  // namespace
