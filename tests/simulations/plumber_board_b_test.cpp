// Plumber part B without the screen: the lane rule, what a piece replaces,
// the three pipe searches on small boards, and the random layout's rules.
#include <gtest/gtest.h>

#include <random>

#include "platform/core/rtl.h"
#include "simulations/PlumberBoardB.h"
#include "simulations/plumber_b_layout.h"

namespace {

using namespace plumbertest;

TPieceSet Set(std::initializer_list<int> pieces) {
    TPieceSet s = 0;
    for (int p : pieces) s |= PieceBit(p);
    return s;
}

// The lane a piece of 1..20 uses on a side (1 or 2), 0 for none.
int Lane(int p, Byte side) {
    const TPlumberBPiece& piece = PlumberBPieceTable[p - 1];
    if (piece.A.Side == SideBit(side)) return piece.A.Lane;
    if (piece.B.Side == SideBit(side)) return piece.B.Lane;
    return 0;
}

TEST(PlumberBConnections, FollowTheLaneRule) {
    // By side and lane of the piece's opening there.
    const TPieceSet lanes[5][3] = {{},
                                   {0, Set({1, 4, 6, 7, 19, 24}), Set({2, 3, 5, 8, 20, 24})},
                                   {0, Set({5, 6, 11, 12, 17, 23}), Set({7, 8, 9, 10, 18, 23})},
                                   {0, Set({10, 11, 13, 16, 19, 21}), Set({9, 12, 14, 15, 20, 21})},
                                   {0, Set({1, 2, 15, 16, 17, 22}), Set({3, 4, 13, 14, 18, 22})}};
    const auto& c = PlumberBTables().Connections;
    for (int p = 1; p <= 20; ++p)
        for (Byte side = 1; side <= 4; ++side) EXPECT_EQ(c[p][side], lanes[side][Lane(p, side)]) << p << "/" << int(side);
    const TPieceSet fixed[4][5] = {{0, Set({1, 2, 3, 4, 5, 6, 7, 8, 19, 20}), 0, 0, 0},
                                   {0, 0, Set({5, 6, 7, 8, 9, 10, 11, 12, 17, 18}), 0, 0},
                                   {0, 0, 0, 0, Set({1, 2, 3, 4, 13, 14, 15, 16, 17, 18})},
                                   {0, 0, 0, Set({9, 10, 11, 12, 13, 14, 15, 16, 19, 20}), 0}};
    for (int f = 0; f < 4; ++f)
        for (Byte side = 1; side <= 4; ++side) EXPECT_EQ(c[21 + f][side], fixed[f][side]) << 21 + f << "/" << int(side);
}

TEST(PlumberBReplaces, IsSymmetricAndCoversEveryOpeningTwoPiecesShare) {
    const auto& r = PlumberBTables().Replaces;
    for (int p = 1; p <= 20; ++p) {
        EXPECT_FALSE(Holds(r[p], p)) << p;
        for (int q = 1; q <= 20; ++q) {
            EXPECT_EQ(Holds(r[p], q), Holds(r[q], p)) << p << "," << q;
            for (Byte side = 1; side <= 4; ++side)
                if (p != q && Lane(p, side) != 0 && Lane(p, side) == Lane(q, side)) {
                    EXPECT_TRUE(Holds(r[p], q)) << p << " and " << q << " share an opening";
                }
        }
    }
}

struct MissingCase {
    const char* name;
    std::pair<int, int> cleared;  // {0, 0}: nothing
    bool basinToBoiler, boilerToValve, basinToValve;
};
void PrintTo(const MissingCase& c, std::ostream* os) { *os << c.name; }

const MissingCase kMissing[] = {
    {"AllThree", {0, 0}, true, true, true},
    {"NoBasinToBoiler", {10, 1}, false, true, true},
    {"NoBoilerToValve", {10, 5}, true, false, true},
    {"BasinOnlyThroughTheBoiler", {7, 2}, true, true, false},
};

class PlumberBCheck : public ::testing::TestWithParam<MissingCase> {};

TEST_P(PlumberBCheck, NeedsEachOfTheThreePipes) {
    const MissingCase& c = GetParam();
    TPlumberBoardB board;
    board.NewGame(kLayoutB);
    ASSERT_TRUE(LayOn(board, kSolutionB));
    if (c.cleared.first) {
        ASSERT_TRUE(board.Clear(c.cleared.first, c.cleared.second));
    }
    const auto result = board.CheckInstallation();
    EXPECT_EQ(result.BasinToBoiler, c.basinToBoiler);
    EXPECT_EQ(result.BoilerToValve, c.boilerToValve);
    EXPECT_EQ(result.BasinToValve, c.basinToValve);
    EXPECT_EQ(result.All(), c.basinToBoiler && c.boilerToValve && c.basinToValve);
}

INSTANTIATE_TEST_SUITE_P(Table, PlumberBCheck, ::testing::ValuesIn(kMissing),
                         [](const auto& info) { return std::string(info.param.name); });

struct LayCase {
    const char* name;
    std::vector<Byte> laid;  // in order, on one cell
    TPieceSet left;
};
void PrintTo(const LayCase& c, std::ostream* os) { *os << c.name; }

const LayCase kLays[] = {
    {"StraightOnAnElbowOfItsLaneReplacesIt", {1, 17}, Set({17})},
    {"ElbowOnAStraightOfItsLaneReplacesIt", {17, 1}, Set({1})},
    {"HorizontalAndVerticalStraightsCross", {17, 19}, Set({17, 19})},
    {"TheSamePieceTwice", {1, 1}, Set({1})},
    {"FourStraightsInOneCell", {17, 18, 19, 20}, Set({17, 18, 19, 20})},
    {"TwoParallelElbows", {1, 3}, Set({1, 3})},
};

class PlumberBLaying : public ::testing::TestWithParam<LayCase> {};

TEST_P(PlumberBLaying, RemovesThePiecesWhoseOpeningsTheNewOneUses) {
    TPlumberBoardB board;
    board.NewGame(kLayoutB);
    for (Byte p : GetParam().laid) ASSERT_TRUE(board.Place(4, 4, p));
    EXPECT_EQ(board.Cell(4, 4).Pieces, GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(Table, PlumberBLaying, ::testing::ValuesIn(kLays),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlumberBBoard, FixedPartsTakeNoPiecesAndClearingEmptiesOnlyLaidCells) {
    TPlumberBoardB board;
    board.NewGame(kLayoutB);
    for (auto [c, r] : {std::pair{9, 3}, {10, 2}, {1, 6}}) {
        EXPECT_FALSE(board.Place(c, r, 17));
        EXPECT_FALSE(board.Clear(c, r));
        EXPECT_TRUE(board.Cell(c, r).Occupied);
    }
    EXPECT_FALSE(board.Clear(4, 4));
    ASSERT_TRUE(board.Place(4, 4, 17));
    EXPECT_TRUE(board.Clear(4, 4));
    EXPECT_FALSE(board.Cell(4, 4).Occupied);
    EXPECT_EQ(board.Cell(4, 4).Pieces, 0u);
}

TEST(PlumberBSearch, LanesMeetOnlyTheirOwnLane) {
    // The right-edge valve at (11, 5); straights in lane H2 from (6, 5) to it.
    TPlumberBoardB board;
    board.NewGame({1, 8, 11, 5, 2, 1});
    ASSERT_TRUE(LayOn(board, {{18, {{6, 5}, {7, 5}, {8, 5}, {9, 5}, {10, 5}}}}));
    EXPECT_TRUE(board.FlowsToValve(6, 5, 18, SideLeft)) << "from lane H2";
    EXPECT_FALSE(board.FlowsToValve(6, 5, 17, SideLeft)) << "from lane H1";
    EXPECT_FALSE(board.FlowsToBoiler(6, 5, 18, SideLeft)) << "the valve is not the boiler";
}

TEST(PlumberBSearch, ARingFedThroughAnotherLaneIsNotEnteredAndTheSearchEnds) {
    // The washbasin at (3, 6) leads up column 3 and right along row 2 in lane
    // H2 to a ring of four lane-1 elbows in (5..6, 2..3).
    TPlumberBoardB board;
    board.NewGame({3, 6, 11, 8, 9, 1});
    ASSERT_TRUE(LayOn(board, {{20, {{3, 5}, {3, 4}, {3, 3}}},
                   {3, {{3, 2}}},  // right H2, bottom V2
                   {18, {{4, 2}}},
                   {1, {{5, 2}}},
                   {6, {{6, 2}}},
                   {11, {{6, 3}}},
                   {16, {{5, 3}}}}));
    EXPECT_FALSE(board.FlowsToValve(3, 5, BasinPiece, SideBottom));
    EXPECT_FALSE(board.CheckInstallation().BasinToValve);
}

TEST(PlumberBSearch, EndsOnAnyBoardOfLaidPieces) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        RandSeed = std::uint32_t(round);
        TPlumberBoardB board;
        board.NewGame(DrawPlumberBLayout());
        for (int n = 0; n < 400; ++n)
            board.Place(int(random() % 11) + 1, int(random() % 8) + 1, Byte(random() % 20 + 1));
        board.CheckInstallation();  // returns: each chain is followed once
    }
}

// The rules of a layout, as a person checks them on the screen.
::testing::AssertionResult Kept(const TPlumberBLayout& l) {
    const bool left = l.ValveColumn == 1;
    const int nextToValve = left ? 2 : 10;
    struct Rule {
        const char* what;
        bool broken;
    };
    const Rule rules[] = {
        {"washbasin in rows 2..8", l.BasinRow < 2 || l.BasinRow > 8 || l.BasinColumn < 1 || l.BasinColumn > 11},
        {"valve on an edge", (l.ValveColumn != 1 && l.ValveColumn != 11) || l.ValveRow < 1 || l.ValveRow > 8},
        {"boiler in rows 1..7, columns 2..11",
         l.BoilerRow < 1 || l.BoilerRow > 7 || l.BoilerColumn < 2 || l.BoilerColumn > 11},
        {"three cells", (l.BasinColumn == l.ValveColumn && l.BasinRow == l.ValveRow) ||
                            (l.BoilerColumn == l.ValveColumn && l.BoilerRow == l.ValveRow) ||
                            (l.BoilerColumn == l.BasinColumn && l.BoilerRow == l.BasinRow)},
        {"valve above the washbasin", l.ValveColumn == l.BasinColumn && l.ValveRow == l.BasinRow - 1},
        {"valve below the boiler", l.ValveColumn == l.BoilerColumn && l.ValveRow == l.BoilerRow + 1},
        {"boiler beside the valve", l.BoilerColumn == nextToValve && l.BoilerRow == l.ValveRow},
        {"boiler above the washbasin", l.BoilerColumn == l.BasinColumn && l.BoilerRow == l.BasinRow - 1},
        {"washbasin beside the valve", l.BasinColumn == nextToValve && l.BasinRow == l.ValveRow},
    };
    for (const Rule& r : rules)
        if (r.broken) return ::testing::AssertionFailure() << r.what;
    return ::testing::AssertionSuccess();
}

TEST(PlumberBLayout, EveryDrawKeepsTheRulesWithinAHundredDraws) {
    int left = 0, maxDraws = 0;
    for (std::uint32_t seed = 0; seed < 20000; ++seed) {
        RandSeed = seed * 2654435761u;
        int draws = 0;
        const TPlumberBLayout l = DrawPlumberBLayout(&draws);
        ASSERT_TRUE(Kept(l)) << "seed " << seed;
        maxDraws = std::max(maxDraws, draws);
        left += l.ValveColumn == 1;
    }
    EXPECT_LE(maxDraws, 100);
    EXPECT_GT(left, 8000);
    EXPECT_LT(left, 12000);
}

TEST(PlumberBLayout, EveryPlaceOfTheWashbasinAndTheValveLeavesRoom) {
    // At most two rows for the valve and three columns for the boiler are
    // ever ruled out, so a draw among the allowed ones always has a choice.
    for (int bc = 1; bc <= 11; ++bc)
        for (int br = 2; br <= 8; ++br)
            for (int vc : {1, 11}) {
                TPlumberBLayout l{bc, br, vc, 0, 0, 0};
                int rowsOut = 0;
                for (l.ValveRow = 1; l.ValveRow <= 8; ++l.ValveRow) {
                    if (PlumberBValveBroken(l)) {
                        ++rowsOut;
                        continue;
                    }
                    for (l.BoilerRow = 1; l.BoilerRow <= 7; ++l.BoilerRow) {
                        int columnsOut = 0;
                        for (l.BoilerColumn = 2; l.BoilerColumn <= 11; ++l.BoilerColumn)
                            columnsOut += PlumberBBoilerBroken(l);
                        EXPECT_LE(columnsOut, 3);
                    }
                }
                EXPECT_LE(rowsOut, 2);
            }
}

}  // namespace
