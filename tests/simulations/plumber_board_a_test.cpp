// Plumber part A's pipe check without the screen: which kinds join, and the
// search from the washbasin to the valve on small boards.
#include <gtest/gtest.h>

#include "simulations/PlumberBoardA.h"

namespace {

TPieceSet Set(std::initializer_list<int> pieces) {
    TPieceSet s = 0;
    for (int p : pieces) s |= PieceBit(p);
    return s;
}

TEST(PlumberAConnections, AcceptExactlyTheKindsThatOpenTowardsEachSide) {
    // Kinds 1..8 by sides top, right, bottom, left.
    const TPieceSet expected[9][5] = {
        {},
        {0, 0, Set({2, 3, 5, 8}), Set({3, 4, 6, 7}), 0},
        {0, 0, 0, Set({3, 4, 6, 7}), Set({1, 4, 5, 8})},
        {0, Set({1, 2, 6}), 0, 0, Set({1, 4, 5, 8})},
        {0, Set({1, 2, 6}), Set({2, 3, 5, 8}), 0, 0},
        {0, 0, Set({2, 3, 5, 8}), 0, Set({1, 4, 5, 8})},
        {0, Set({1, 2, 6}), 0, Set({3, 4, 6, 7}), 0},
        {0, Set({1, 2, 6}), 0, 0, 0},
        {0, 0, Set({2, 3, 5}), 0, Set({1, 4, 5})},
    };
    for (int kind = 1; kind <= 8; ++kind)
        for (int side = 1; side <= 4; ++side)
            EXPECT_EQ(PlumberAConnections().Entry[kind][side], expected[kind][side]) << kind << "/" << side;
}

// A board with the washbasin at (4, 3), the valve at (Col, 1), and the
// pieces laid from a stock that holds exactly them plus `extra`.
struct Piece {
    int col, row;
    Byte kind;
};
TPlumberBoardA Board(int valveCol, int valveRow, const std::vector<Piece>& pieces,
                     std::array<int, 6> extra = {}) {
    TPlumberLevel level{valveRow, valveCol, 3, 4, extra};
    for (const Piece& p : pieces) ++level.Stock[std::size_t(p.kind - 1)];
    TPlumberBoardA board;
    board.NewGame(level);
    for (const Piece& p : pieces) EXPECT_TRUE(board.Place(p.col, p.row, p.kind));
    return board;
}

struct CheckCase {
    const char* name;
    int valveCol, valveRow;
    std::vector<Piece> pieces;
    std::array<int, 6> extraStock;
    bool success;
    int pathLength;
};
void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

// The washbasin at (4, 3) opens upwards into (4, 2).
const CheckCase kChecks[] = {
    {"StraightUpAndLeftIntoTheValve", 2, 1, {{4, 2, 6}, {4, 1, 2}, {3, 1, 5}}, {}, true, 3},
    {"FromTheLeftIntoTheValve", 5, 2, {{4, 2, 1}}, {}, true, 1},
    {"OnePieceTooManyElsewhere", 2, 1, {{4, 2, 6}, {4, 1, 2}, {3, 1, 5}, {8, 6, 5}}, {}, false, 3},
    {"APieceLeftInStock", 2, 1, {{4, 2, 6}, {4, 1, 2}, {3, 1, 5}}, {0, 0, 0, 0, 1, 0}, false, 3},
    {"IntoTheValveFromAbove", 5, 2, {{4, 2, 6}, {4, 1, 1}, {5, 1, 2}}, {}, false, 3},
    {"IntoTheValveFromBelow", 4, 1, {{4, 2, 6}}, {}, false, 1},
    {"EmptyCellAboveTheBasin", 5, 2, {{5, 1, 1}}, {}, false, 0},
    {"AGapInTheChain", 2, 1, {{4, 2, 6}, {3, 1, 5}}, {}, false, 1},
    {"AKindThatDoesNotOpenDownwards", 5, 2, {{4, 2, 4}}, {}, false, 0},
};

class PlumberACheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(PlumberACheck, FollowsTheOneChainFromTheBasinAndCountsItsPieces) {
    const CheckCase& c = GetParam();
    TPlumberBoardA board = Board(c.valveCol, c.valveRow, c.pieces, c.extraStock);
    EXPECT_EQ(board.CheckInstallation(), c.success);
    EXPECT_EQ(board.PathLength, c.pathLength);
}

INSTANTIATE_TEST_SUITE_P(Table, PlumberACheck, ::testing::ValuesIn(kChecks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlumberABoard, LayingReplacesAndRemovingReturnsPiecesToTheStock) {
    TPlumberBoardA board = Board(8, 1, {}, {1, 1, 0, 0, 0, 0});
    EXPECT_TRUE(board.Place(2, 2, 1));
    EXPECT_TRUE(board.Place(2, 2, 2));  // the 1 goes back
    EXPECT_EQ(board.Stock[1], 1);
    EXPECT_EQ(board.Stock[2], 0);
    EXPECT_FALSE(board.Place(3, 3, 2)) << "none of kind 2 left";
    EXPECT_FALSE(board.Place(4, 3, 1)) << "not on the washbasin";
    EXPECT_FALSE(board.Place(8, 1, 1)) << "not on the valve";
    EXPECT_TRUE(board.Remove(2, 2));
    EXPECT_EQ(board.Stock[2], 1);
    EXPECT_FALSE(board.Remove(2, 2)) << "the cell is empty now";
    EXPECT_FALSE(board.Remove(4, 3));
    EXPECT_FALSE(board.Cell(2, 2).Occupied);
}

}  // namespace
