// "Kdo to je", second variant: ten persons and a sentence about one of them;
// the child clicks the person the sentence is about. A right answer shows the
// sentence's second picture and plays the profession's sound to its end. The
// third wrong answer of a round ends it through the message window with the
// right profession's name.
#pragma once

#include "games/NamedAnswerGame.h"
#include "games/PersonCells.h"

class TwndKdoToJe2 : public TNamedAnswerGame {
public:
    explicit TwndKdoToJe2(TComponent* AOwner);
    ~TwndKdoToJe2() override;

    // The background with the help button drawn in: each round starts from it.
    std::unique_ptr<TBitmap> CleanBuffer;
    // The round's second sentence picture, shown on a right answer.
    std::unique_ptr<TBitmap> CompletedSentence;
    // 1..10; Tag: the GameCodeList43 position dealt.
    TOneBased<TXLabel*, PersonCellCount> Cells;
    // TargetCode: a position in GameCodeList43.

    void NewRound() override;
    String RightName() const override;

    void FormCreate(TObject* Sender);
    void CellClick(TObject* Sender);
};

extern TwndKdoToJe2* wndKdoToJe2;
