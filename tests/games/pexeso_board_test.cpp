// The memory game's play without its screen: the player's tries, the
// computer's memory rules step by step with its random picks scripted, and
// whole games played at random to the end.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <vector>

#include "games/PexesoBoard.h"
#include "pexeso_random_game.h"

namespace {

// A board from five rows of six letters: 'a'..'o' are pairs 1..15 face
// down (the first of two letters shows the pair's first picture), 'A'..'O'
// the same pairs taken.
void Lay(TPexesoBoard& board, const std::vector<const char*>& rows) {
    board.Clear();
    std::set<char> seen;
    for (int row = 1; row <= PexesoRows; ++row)
        for (int column = 1; column <= PexesoColumns; ++column) {
            const char c = rows[std::size_t(row - 1)][column - 1];
            const char lower = char(std::tolower(c));
            TStav& card = board.Card(column, row);
            card.PairId = Byte(lower - 'a' + 1);
            card.FirstOfPair = seen.insert(lower).second;
            card.CardState = c == lower ? csFaceDown : csTaken;
        }
}

// Random answers that pick these cells in order (column, then row).
TComputerTurn::TRandom Picks(std::vector<TPoint> cells, bool& exhausted) {
    auto values = std::make_shared<std::vector<int>>();
    for (TPoint p : cells) {
        values->push_back(p.X - 1);
        values->push_back(p.Y - 1);
    }
    auto next = std::make_shared<std::size_t>(0);
    return [values, next, &exhausted](int range) {
        if (*next >= values->size()) {
            exhausted = true;
            return 0;
        }
        const int v = (*values)[(*next)++];
        EXPECT_LT(v, range);
        return v;
    };
}

struct Expected {
    TComputerAction action;
    TPoint card;
    bool pair = false;
};

std::vector<std::optional<TPoint>> MemoryPlaces(const TPexesoBoard& board) {
    std::vector<std::optional<TPoint>> out;
    for (const TStav* card : board.Memory) out.push_back(card ? std::optional(card->Position) : std::nullopt);
    return out;
}

using Slots = std::vector<std::optional<TPoint>>;
constexpr std::nullopt_t none = std::nullopt;

struct TurnCase {
    const char* name;
    std::vector<const char*> rows;
    // The player's missed tries before the computer's turn (first, second).
    std::vector<std::pair<TPoint, TPoint>> misses;
    // Cells the player then takes as a pair.
    std::vector<std::pair<TPoint, TPoint>> pairsTaken;
    std::vector<TPoint> picks;  // the computer's random cells, in order
    std::vector<Expected> steps;
    Byte computerScore;
    Slots memoryAfter;
};
void PrintTo(const TurnCase& c, std::ostream* os) { *os << c.name; }

const std::vector<const char*> kOpenBoard = {"abcdef", "ghijkl", "mnoabc", "defghi", "jklmno"};

const TurnCase kTurns[] = {
    {"TurnsTheRememberedPartnerWithoutASecondRandomCard",
     kOpenBoard,
     {{{1, 1}, {2, 1}}},  // a and b missed; slots 5, 6: b, a
     {},
     // (1, 1) is remembered and drawn again; (4, 3) is a's partner. Then a
     // miss: c and d.
     {{1, 1}, {4, 3}, {3, 1}, {4, 1}},
     {{TComputerAction::FirstCard, {4, 3}},
      {TComputerAction::MateFromMemory, {1, 1}, true},
      {TComputerAction::FirstCard, {3, 1}},
      {TComputerAction::SecondCard, {4, 1}, false},
      {TComputerAction::TurnOver, {}}},
     1,
     // Aged after its miss: its own cards c and d are not remembered.
     {none, none, TPoint{2, 1}, TPoint{1, 1}, TPoint{2, 1}, TPoint{1, 1}}},
    {"AfterItsMissSlots3To6HoldThePlayersLastTwoCardsTwice",
     kOpenBoard,
     {{{1, 1}, {2, 1}}, {{1, 2}, {2, 2}}},
     {},
     {{3, 1}, {4, 1}},
     {{TComputerAction::FirstCard, {3, 1}},
      {TComputerAction::SecondCard, {4, 1}, false},
      {TComputerAction::TurnOver, {}}},
     0,
     {TPoint{2, 1}, TPoint{1, 1}, TPoint{2, 2}, TPoint{1, 2}, TPoint{2, 2}, TPoint{1, 2}}},
    {"TakesEveryRememberedPairInOnePassAndEndsWithTheGameOver",
     {"abcDEF", "GHIJKL", "MNOabc", "DEFGHI", "JKLMNO"},  // a, b and c left
     // Memory then: b, a, c, b, a, c (both cards of every pair left).
     {{{1, 1}, {2, 1}}, {{5, 3}, {3, 1}}, {{6, 3}, {4, 3}}},
     {},
     {},
     {{TComputerAction::RememberedPair, {2, 1}, true},
      {TComputerAction::RememberedPair, {1, 1}, true},
      {TComputerAction::RememberedPair, {3, 1}, true},
      {TComputerAction::TurnOver, {}}},
     3,
     {TPoint{2, 1}, TPoint{1, 1}, TPoint{3, 1}, TPoint{5, 3}, TPoint{4, 3}, TPoint{6, 3}}},
    {"ARandomPairScoresAndTheTurnGoesOn",
     kOpenBoard,
     {},
     {},
     {{1, 1}, {4, 3}, {2, 1}, {3, 1}},
     {{TComputerAction::FirstCard, {1, 1}},
      {TComputerAction::SecondCard, {4, 3}, true},
      {TComputerAction::FirstCard, {2, 1}},
      {TComputerAction::SecondCard, {3, 1}, false},
      {TComputerAction::TurnOver, {}}},
     1,
     {none, none, none, none, none, none}},
    {"PairsThePlayerTookSinceTheyWereRememberedAreNotTakenAgain",
     kOpenBoard,
     {{{1, 1}, {2, 1}}, {{4, 3}, {3, 1}}},  // both a cards remembered
     {{{1, 1}, {4, 3}}},                    // then taken by the player
     // (1, 1) taken and (2, 1), (3, 1) remembered: each drawn again.
     {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}},
     {{TComputerAction::FirstCard, {4, 1}},
      {TComputerAction::SecondCard, {5, 1}, false},
      {TComputerAction::TurnOver, {}}},
     0,
     {TPoint{2, 1}, TPoint{1, 1}, TPoint{3, 1}, TPoint{4, 3}, TPoint{3, 1}, TPoint{4, 3}}},
};

class ComputerTurns : public ::testing::TestWithParam<TurnCase> {};

void Play(TPexesoBoard& board, const TurnCase& c, std::vector<TComputerStep>& steps, bool& exhausted) {
    Lay(board, c.rows);
    for (const auto& [first, second] : c.misses) {
        ASSERT_EQ(board.PlayerTurns(first), TPlayerMove::FirstCard);
        ASSERT_EQ(board.PlayerTurns(second), TPlayerMove::Miss);
        board.FirstTurned = false;
    }
    for (const auto& [first, second] : c.pairsTaken) {
        ASSERT_EQ(board.PlayerTurns(first), TPlayerMove::FirstCard);
        ASSERT_EQ(board.PlayerTurns(second), TPlayerMove::Pair);
        board.FirstTurned = false;
    }
    TComputerTurn turn(board, Picks(c.picks, exhausted));
    for (int i = 0; i < 40; ++i) {
        steps.push_back(turn.Next());
        if (steps.back().Action == TComputerAction::TurnOver) break;
    }
}

TEST_P(ComputerTurns, StepsScoreAndMemory) {
    const TurnCase& c = GetParam();
    TPexesoBoard board;
    std::vector<TComputerStep> steps;
    bool exhausted = false;
    Play(board, c, steps, exhausted);
    EXPECT_FALSE(exhausted) << "the turn asked for more random cells than scripted";
    ASSERT_EQ(steps.size(), c.steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].Action, c.steps[i].action) << "step " << i;
        if (c.steps[i].action == TComputerAction::TurnOver) continue;
        EXPECT_EQ(steps[i].Card.Place, c.steps[i].card) << "step " << i;
        EXPECT_EQ(steps[i].Pair, c.steps[i].pair) << "step " << i;
    }
    EXPECT_EQ(board.ComputerScore, c.computerScore);
    EXPECT_EQ(MemoryPlaces(board), c.memoryAfter);
}

INSTANTIATE_TEST_SUITE_P(Memory, ComputerTurns, ::testing::ValuesIn(kTurns),
                         [](const auto& info) { return std::string(info.param.name); });

// Deals, then plays whole games: the player at random, the computer by its
// rules; every step turns cards that were still in play.
TEST(PexesoGames, DealtBoardsPlayedToTheEndScoreFifteenPairsBetweenThem) {
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        RandSeed = seed;
        TPexesoBoard board;
        board.Deal();
        std::set<int> pictures;
        int firsts[PexesoPairs + 1] = {}, seconds[PexesoPairs + 1] = {};
        for (int i = 1; i <= PexesoPairs; ++i) {
            const int n = board.PictureNumbers[std::size_t(i)];
            ASSERT_TRUE(n >= 1 && n <= 43);
            pictures.insert(n);
        }
        EXPECT_EQ(pictures.size(), std::size_t(PexesoPairs));
        for (const auto& column : board.Cards)
            for (const TStav& card : column) {
                ASSERT_TRUE(card.PairId >= 1 && card.PairId <= PexesoPairs);
                ++(card.FirstOfPair ? firsts : seconds)[card.PairId];
            }
        for (int i = 1; i <= PexesoPairs; ++i) ASSERT_TRUE(firsts[i] == 1 && seconds[i] == 1) << "pair " << i;

        EXPECT_TRUE(PlayRandomGame(board, [seed](TComputerTurn& computer) {
            const TComputerStep step = computer.Next();
            if (step.Action == TComputerAction::TurnOver) return step;
            EXPECT_NE(step.Card.PairId, 0) << "seed " << seed;
            if (step.Action != TComputerAction::FirstCard) {
                EXPECT_EQ(step.Pair, step.Card.PairId == step.Other.PairId) << "seed " << seed;
            }
            return step;
        })) << "seed " << seed;
        EXPECT_EQ(board.PlayerScore + board.ComputerScore, PexesoPairs) << "seed " << seed;
    }
}

}  // namespace
