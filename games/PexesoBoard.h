// The memory card game's play, apart from its screen: 15 pairs face down on
// 6 columns by 5 rows, the player's tries, the computer's six memory slots
// and the scores, and the computer's turn as a series of steps that the
// screen shows one at a time with its pauses.
#pragma once

#include <array>
#include <functional>

#include "platform/core/rtl.h"
#include "shell/OneBased.h"

constexpr int PexesoColumns = 6;
constexpr int PexesoRows = 5;
constexpr int PexesoPairs = 15;
constexpr int PexesoMemorySlots = 6;

// A card's CardState.
constexpr Byte csFaceDown = 0;
constexpr Byte csFaceUp = 1;  // the player's first card of a try
constexpr Byte csTaken = 2;

// One card.
struct TStav {
    // 1..15; 0 on a cleared board, and again once the computer has taken
    // the card from its memory.
    Byte PairId = 0;
    Byte CardState = csFaceDown;
    // The card shows its pair's first picture; its partner the second.
    bool FirstOfPair = false;
    // Column and row; (0, 0) until the player misses with the card, so that
    // the computer can find a remembered card on the board.
    TPoint Position{};
};

// What a card shows and where, kept by a step so that the screen can draw
// it whatever the board holds by then.
struct TCardFace {
    TPoint Place;  // column 1..6, row 1..5
    Byte PairId = 0;
    bool FirstOfPair = false;
};

enum class TPlayerMove {
    FirstCard,  // face up, the try goes on
    Pair,       // both taken, the player scores and goes on
    Miss,       // both face down again and remembered; the computer's turn
};

class TPexesoBoard {
public:
    TPexesoBoard() = default;
    // The memory refers to the board's own cards.
    TPexesoBoard(const TPexesoBoard&) = delete;
    TPexesoBoard& operator=(const TPexesoBoard&) = delete;

    // By column and row, both 1-based.
    TStav& Card(int Column, int Row) { return Cards[Column - 1][Row - 1]; }
    TStav& Card(TPoint Place) { return Card(Place.X, Place.Y); }

    std::array<std::array<TStav, PexesoRows>, PexesoColumns> Cards{};
    // Slot 1 (index 0) oldest; a card may stand in two slots.
    std::array<TStav*, PexesoMemorySlots> Memory{};
    Byte PlayerScore = 0;
    Byte ComputerScore = 0;
    bool FirstTurned = false;
    TPoint FirstCard{};
    // PictureNumbers[i]: pair i's picture number 1..43.
    TOneBased<int, PexesoPairs> PictureNumbers;

    // A cleared board: no scores, no memory, every card without a pair,
    // face down, at (0, 0).
    void Clear();
    // Clears the board and deals a new game with the generator's Random:
    // for each pair a picture number not used yet, then its first card and
    // its second card each on a random free cell.
    void Deal();
    bool AllTaken() const;

    // The player turns the face-down card at Place (the screen checks that
    // it is face down and that no pause runs).
    TPlayerMove PlayerTurns(TPoint Place);

    // The two oldest slots are forgotten: slots 1..4 take slots 3..6, and
    // slots 5 and 6 keep their cards.
    void AgeMemory();
    // A memory slot holds the card at Place.
    bool Remembered(TPoint Place) const;
    TCardFace Face(TPoint Place);
};

enum class TComputerAction {
    // A pair whose two cards are both remembered: Card, then Other, taken.
    RememberedPair,
    // The first card of a try, drawn at random among those not remembered.
    FirstCard,
    // The first card's partner found in memory (Card), taken with it (Other).
    MateFromMemory,
    // A second card at random (Card) beside the first (Other): taken with it
    // when Pair, else both turned back and the memory ages.
    SecondCard,
    // The turn ends: the computer missed, or every card is taken.
    TurnOver,
};

struct TComputerStep {
    TComputerAction Action = TComputerAction::TurnOver;
    TCardFace Card;
    TCardFace Other;
    bool Pair = false;
};

// The computer's turn. Each Next decides the next step and applies it to the
// board at once (scores, taken cards, the memory); the step keeps the faces
// the screen draws.
class TComputerTurn {
public:
    using TRandom = std::function<int(int)>;
    explicit TComputerTurn(TPexesoBoard& Board, TRandom Rand = Random);

    TComputerStep Next();

private:
    enum class TPhase { Scan, SecondCard, NextPass, Over };

    bool FindRememberedPair(TComputerStep& Step);
    TPoint DrawCard(const std::function<bool(TPoint)>& Again);
    TStav* RememberedMate(const TStav& First) const;
    void Take(TStav& A, TStav& B);

    TPexesoBoard& board_;
    TRandom rand_;
    TPhase phase_ = TPhase::Scan;
    int scanA_ = 0;
    int scanB_ = 0;
    TPoint first_{};
};
