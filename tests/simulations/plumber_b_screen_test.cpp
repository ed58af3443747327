// Plumber part B played as a child plays it: a known layout, pipes laid side
// by side and crossing, the preview over a cell, cells emptied, clicks on
// the fixed parts, the valve and the message window's answers.
#include <filesystem>

#include "plumber_test_support.h"

using namespace plumbertest;

namespace {

// Only the washbasin's two pipes: without the boiler's pipe (pieces 20, 9
// and 18) the boiler has no way to the valve.
const std::vector<Lay> kWithoutBoilerPipe = [] {
    std::vector<Lay> plan;
    for (const Lay& l : kSolutionB)
        if (l.tag != 20 && l.tag != 9 && l.tag != 18) plan.push_back(l);
    return plan;
}();

constexpr std::uint64_t kSuccessMessage = 50 + 19 * 50 + 31 * 50 + 1000 + 100;
constexpr std::uint64_t kFailMessage = 50 + 19 * 50 + 1000 + 100;

TwndSimulaceInstalater2* B() { return wndSimulaceInstalater2; }

class PlumberB : public PlumberTest {
protected:
    PlumberB() { OpenPartBWithLayout(kLayoutB); }
    // The cell's pixels in Buffer: the empty cell with the pieces drawn over
    // it, magenta left out.
    bool CellShowsPieces(int col, int row, std::initializer_list<int> pieces) const {
        TBitmap expected;
        expected.Assign(B()->PiecePictures[25].get());
        expected.Transparent = false;
        for (int p : pieces) expected.Canvas()->Draw(0, 0, B()->PiecePictures[std::size_t(p)].get());
        const TPoint c = CellCornerB(col, row);
        for (int y = 0; y < PlumberBCell; ++y)
            for (int x = 0; x < PlumberBCell; ++x)
                if (B()->Buffer->Pixels().Get(c.X + x, c.Y + y) != expected.Pixels().Get(x, y)) return false;
        return true;
    }
};

TEST_F(PlumberB, TheLayoutShowsItsThreeFixedPartsAndTheLeftEdgesValveStrip) {
    Then([this] {
        for (auto [col, row, piece] : {std::tuple{9, 3, 21}, {10, 2, 24}, {1, 6, 22}}) {
            const TPoint c = CellCornerB(col, row);
            EXPECT_TRUE(CellShowsPieces(col, row, {piece})) << piece;
            EXPECT_TRUE(ScreenShows(h(), *B()->Buffer, c.X, c.Y, c.X, c.Y, 49, 49));
        }
        auto strip = LoadPicture(kAppDir + "simul/instal/B_verze/vent_2AN.bmp");
        EXPECT_EQ(B()->ValveStrip->Pixels().pixels, strip->Pixels().pixels);
    });
    Run();
}

TEST_F(PlumberB, CrossingPipesJoinAllThreeAndTheWaterRuns) {
    LayPieces(kSolutionB, PaletteB, CellCentreB);
    Then([this] {
        EXPECT_TRUE(CellShowsPieces(5, 6, {18, 19})) << "the crossing";
        EXPECT_TRUE(CellShowsPieces(9, 2, {5, 19}));
        EXPECT_TRUE(CellShowsPieces(10, 3, {16, 20}));
        EXPECT_TRUE(ScreenShows(h(), *B()->Buffer, 0, 0, 0, 0, 560, 410));
    });
    Click(CellCentreB(1, 6));
    Then([this] {
        ASSERT_TRUE(MessageShown("Instal2OK"));
        EXPECT_EQ(B()->HlaskaSound, AppDir + "simul\\instal\\hl_ok.wav");
    }, kSuccessMessage);
    Run();
    EXPECT_EQ(SoundStarts("ventil.wav").size(), 1u);
    EXPECT_EQ(SoundStarts("umyv.wav").size(), 1u);
    EXPECT_EQ(SoundStarts("hl_ok.wav").size(), 1u);
}

class PlumberBAnswers : public PlumberB, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(PlumberBAnswers, YesStartsANewLayoutNoShowsTheSimulationsMenu) {
    const AnswerCase& c = GetParam();
    LayPieces(c.solved ? kSolutionB : kWithoutBoilerPipe, PaletteB, CellCentreB);
    Click(CellCentreB(1, 6));
    const char* id = c.solved ? "Instal2OK" : "Instal2KO";
    Then([id, this] { EXPECT_TRUE(MessageShown(id)); }, c.solved ? kSuccessMessage : kFailMessage);
    Click(c.yes ? kYes : kNo);
    Then([c, this] {
        EXPECT_FALSE(wndHlaska->Showing());
        if (c.yes) {
            ASSERT_NE(B(), nullptr);
            EXPECT_EQ(h().ActiveForm(), B());
            EXPECT_FALSE(B()->Busy);
            int laid = 0;
            for (int col = 1; col <= 11; ++col)
                for (int row = 1; row <= 8; ++row) laid += B()->Board.Cell(col, row).Pieces != 0;
            EXPECT_EQ(laid, 0);
        } else {
            EXPECT_EQ(B(), nullptr);
            EXPECT_EQ(h().ActiveForm(), wndSimulace);
        }
    });
    Run();
    EXPECT_EQ(SoundStarts(c.solved ? "hl_ok.wav" : "hl_ko.wav").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Table, PlumberBAnswers,
                         ::testing::ValuesIn(kAnswerCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlumberB, ThePreviewShowsTheCellsPiecesWithTheNewOne) {
    LayPieces({{17, {{4, 4}}}}, PaletteB, CellCentreB);
    Click(PaletteB(19));
    Move(CellCentreB(4, 4));
    Then([this] {
        ASSERT_TRUE(B()->Ghost->Visible());
        EXPECT_TRUE(CursorIs(2));
        TBitmap expected;
        expected.Assign(B()->PiecePictures[25].get());
        expected.Transparent = false;
        for (int p : {17, 19}) expected.Canvas()->Draw(0, 0, B()->PiecePictures[std::size_t(p)].get());
        const TPoint c = CellCornerB(4, 4);
        EXPECT_TRUE(ScreenShows(h(), expected, 0, 0, c.X, c.Y, 49, 49));
    });
    Run();
}

TEST_F(PlumberB, ClicksOnTheWashbasinAndTheBoilerDoNothingAndALaidCellEmpties) {
    LayPieces({{17, {{4, 4}}}, {19, {{4, 4}}}}, PaletteB, CellCentreB);
    Click(PaletteB(19));  // deselected
    for (TPoint fixed : {CellCentreB(9, 3), CellCentreB(10, 2)}) {
        Move(fixed);
        Then([this] { EXPECT_TRUE(CursorIs(1)); }, 10);
        Click(fixed, 10);
    }
    Click(CellCentreB(4, 4));
    Then([this] {
        EXPECT_FALSE(B()->Busy);
        EXPECT_FALSE(wndHlaska->Showing());
        EXPECT_TRUE(B()->Board.Cell(9, 3).IsBasin);
        EXPECT_TRUE(B()->Board.Cell(10, 2).IsBoiler);
        EXPECT_EQ(B()->Board.Cell(4, 4).Pieces, 0u);
        EXPECT_TRUE(CellShowsPieces(4, 4, {}));
    });
    Run();
}

TEST_F(PlumberB, PaletteEntriesShareTheirGroupsPicture) {
    const auto groupShows = [](TPoint origin, const std::string& picture) {
        return BufferShows(B()->Buffer, "simul/instal/b_verze/" + picture + ".bmp", origin.X, origin.Y);
    };
    Click(PaletteB(1));
    Then([&] { EXPECT_TRUE(groupShows({569, 17}, "kol1a")); });
    Click(PaletteB(4));
    Then([&] { EXPECT_TRUE(groupShows({569, 17}, "kol1d")); });
    Click(PaletteB(18));
    Then([&] {
        EXPECT_TRUE(groupShows({569, 273}, "tr_h2"));
        EXPECT_TRUE(ScreenShows(h(), *B()->CleanBuffer, 569, 17, 569, 17, 64, 62)) << "group 1 back to normal";
        EXPECT_EQ(B()->SelectedPiece, 18);
    });
    Click(PaletteB(18));
    Then([&] {
        EXPECT_EQ(B()->SelectedPiece, 0);
        EXPECT_TRUE(ScreenShows(h(), *B()->CleanBuffer, 569, 273, 569, 273, 64, 38));
    });
    Run();
}

TEST(PlumberBFolders, ThePaletteFolderAndThePiecesFolderAreOne) {
    namespace fs = std::filesystem;
    const std::string instal = kAppDir + "simul/instal/";
    EXPECT_TRUE(fs::is_directory(instal + "B_verze"));
    EXPECT_FALSE(fs::exists(instal + "b_verze")) << "one folder on a case-sensitive file system";
    TBitmap viaLower, viaUpper;
    viaLower.LoadFromFile(kAppDir + "simul\\instal\\b_verze\\kol1a.bmp");
    viaUpper.LoadFromFile(kAppDir + "simul\\instal\\B_verze\\kol1a.bmp");
    EXPECT_EQ(viaLower.Pixels().pixels, viaUpper.Pixels().pixels);
}

}  // namespace
