// The level file of plumber part A: which lines are levels, a file without
// one, and the program's answer to such a file.
#include "platform/core/exceptions.h"
#include "plumber_test_support.h"
#include "simulations/PlumberLevels.h"

using namespace plumbertest;

namespace {

struct LineCase {
    const char* name;
    const char* line;
    bool valid;
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

const LineCase kLines[] = {
    {"Plain", "3,3,2,4,1,1,0,1,1,1", true},
    {"BlanksAroundItems", " 3, 3 ,2,4 , 1,1,0,1,1,1 ", true},
    {"BlanksSeparateItems", "3 3 2 4 1 1 0 1 1 1", true},
    {"Corners", "1,1,6,8,20,0,0,0,0,20", true},
    {"ValveRightAboveBasin", "1,8,2,8,0,0,0,0,0,1", false},
    {"ValveTwoAboveBasin", "1,8,3,8,0,0,0,0,0,1", true},
    {"NoPieces", "3,3,2,4,0,0,0,0,0,0", false},
    {"Empty", "", false},
    {"NineFields", "3,3,2,4,1,1,0,1,1", false},
    {"ElevenFields", "3,3,2,4,1,1,0,1,1,1,1", false},
    {"TrailingComma", "3,3,2,4,1,1,0,1,1,1,", false},
    {"EmptyField", "3,,2,4,1,1,0,1,1,1", false},
    {"NotAnInteger", "3,3,2,4,1,1,0,1,1,x", false},
    {"Decimal", "3,3,2,4,1,1,0,1,1,1.5", false},
    {"TooLarge", "3,3,2,4,1,1,0,1,1,99999999999", false},
    {"ValveRow0", "0,3,2,4,1,1,0,1,1,1", false},
    {"ValveRow7", "7,3,2,4,1,1,0,1,1,1", false},
    {"ValveColumn0", "3,0,2,4,1,1,0,1,1,1", false},
    {"ValveColumn9", "3,9,2,4,1,1,0,1,1,1", false},
    {"BasinInRow1", "3,3,1,4,1,1,0,1,1,1", false},
    {"BasinRow7", "3,3,7,4,1,1,0,1,1,1", false},
    {"BasinColumn9", "3,3,2,9,1,1,0,1,1,1", false},
    {"StockAbove20", "3,3,2,4,1,1,0,1,1,21", false},
    {"NegativeStock", "3,3,2,4,1,-1,0,1,1,1", false},
    {"ValveAndBasinInOneCell", "2,4,2,4,1,1,0,1,1,1", false},
};

class LevelLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(LevelLines, AreLevelsOnlyWhenEveryRuleHolds) {
    TPlumberLevel level{9, 9, 9, 9, {9, 9, 9, 9, 9, 9}};
    EXPECT_EQ(ParsePlumberLevelLine(GetParam().line, level), GetParam().valid);
    if (!GetParam().valid) {
        EXPECT_EQ(level.ValveRow, 9) << "a rejected line leaves the level alone";
    }
}

INSTANTIATE_TEST_SUITE_P(Table, LevelLines, ::testing::ValuesIn(kLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LevelFields, GiveTheValveTheBasinAndTheStockInTheirOrder) {
    TPlumberLevel level{};
    ASSERT_TRUE(ParsePlumberLevelLine("3,5,6,7,1,2,3,4,5,6", level));
    EXPECT_EQ(level.ValveRow, 3);
    EXPECT_EQ(level.ValveColumn, 5);
    EXPECT_EQ(level.BasinRow, 6);
    EXPECT_EQ(level.BasinColumn, 7);
    EXPECT_EQ(level.Stock, (std::array<int, 6>{1, 2, 3, 4, 5, 6}));
}

TEST(LevelFile, KeepsTheValidLinesAndWithoutOneIsAFileThatCannotBeUsed) {
    TempFolder folder;
    folder.Write("mixed.dat", "3,3,2,4,1,1,0,1,1,1\r\n3,3,1,4,1,1,0,1,1,1\r\n\r\n1,1,6,8,0,0,0,0,0,5\r\n");
    const auto levels = LoadPlumberLevels(folder.Path("mixed.dat"));
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[1].Stock[5], 5);

    folder.Write("none.dat", "3,3,1,4,1,1,0,1,1,1\r\nlevel\r\n");
    for (const char* name : {"none.dat", "missing.dat"}) {
        try {
            LoadPlumberLevels(folder.Path(name));
            ADD_FAILURE() << name << " was read";
        } catch (const EFOpenError& e) {
            EXPECT_EQ(e.Message.rfind("Cannot open file", 0), 0u) << e.Message;
            EXPECT_NE(e.Message.find(name), String::npos) << e.Message;
        }
    }
}

class LevelFileInProgram : public PlumberTest {};

TEST_F(LevelFileInProgram, WithoutAValidLineTheFatalMessageEndsTheProgram) {
    UseLevels("3,3,1,4,1,1,0,1,1,1\r\n3,3,2,4,1,1,0,1,1\r\n");
    OpenPartA();
    ExpectTheRunToEndEarly();
    Run();
    ASSERT_EQ(h().MessageBoxes().size(), 1u);
    EXPECT_EQ(h().MessageBoxes()[0].text, "Nelze načíst vyžadovaný soubor. Aplikace bude ukončena.");
    EXPECT_EQ(h().MessageBoxes()[0].flags, UINT(MB_ICONSTOP));
    EXPECT_LT(h().MessageBoxes()[0].at, Now() + 1000) << "the program ended at once";
}

TEST_F(LevelFileInProgram, EveryGameTakesOneOfTheValidLines) {
    UseLevels("3,3,1,4,1,1,0,1,1,1\r\n3,3,2,4,1,1,0,1,1,1\r\nx\r\n5,7,2,5,1,2,1,1,1,2\r\n");
    OpenPartA();
    for (int game = 0; game < 20; ++game) {
        Then([] {
            auto* a = wndSimulaceInstalater1;
            ASSERT_NE(a, nullptr);
            EXPECT_EQ(a->Levels.size(), 2u);
            const bool first = a->Board.Cell(4, 2).IsBasin && a->Board.Cell(3, 3).IsValve;
            const bool second = a->Board.Cell(5, 2).IsBasin && a->Board.Cell(7, 5).IsValve;
            EXPECT_TRUE(first != second);
        });
        Click(PaletteA(7));  // the wrench: a new game
    }
    Run();
    EXPECT_TRUE(h().MessageBoxes().empty());
}

}  // namespace
