// A whole memory game on a dealt board, for the tests and the benchmark: the
// player turns face-down cards at random, the computer takes its turn after
// each miss.
#pragma once

#include <functional>

#include "games/PexesoBoard.h"

inline TPoint RandomFaceDown(TPexesoBoard& board) {
    TPoint p;
    do {
        p = {Random(PexesoColumns) + 1, Random(PexesoRows) + 1};
    } while (board.Card(p).CardState != csFaceDown);
    return p;
}

// Plays to the end; each of the computer's steps goes through Next (which
// calls the turn's Next), so that a caller can check or time it. False when
// the game has not ended after MaxTries tries of the player.
inline bool PlayRandomGame(TPexesoBoard& board, const std::function<TComputerStep(TComputerTurn&)>& Next,
                           int MaxTries = 1000) {
    for (int tries = 0; !board.AllTaken(); ++tries) {
        if (tries == MaxTries) return false;
        board.PlayerTurns(RandomFaceDown(board));
        const TPlayerMove move = board.PlayerTurns(RandomFaceDown(board));
        board.FirstTurned = false;
        if (move != TPlayerMove::Miss) continue;
        TComputerTurn computer(board);
        while (Next(computer).Action != TComputerAction::TurnOver) {
        }
    }
    return true;
}
