// The sound game: ten persons and a sound that belongs to one of them; the
// child presses the person the sound belongs to. The third wrong answer of a
// round ends it through the message window with the right profession's name.
#pragma once

#include "games/NamedAnswerGame.h"
#include "games/PersonCells.h"

class TwndKdoPatriZvuk : public TNamedAnswerGame {
public:
    explicit TwndKdoPatriZvuk(TComponent* AOwner);

    // 1..10; Tag: the GameCodeList29 position dealt.
    TOneBased<TXLabel*, PersonCellCount> Cells;
    // TargetCode: a position in GameCodeList29.
    String TargetSound;
    TXLabel* ReplayAreas[2] = {};

    void NewRound() override;
    String RightName() const override;

    void FormCreate(TObject* Sender);
    // Any mouse button pressed on a cell judges it.
    void CellMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ReplayClick(TObject* Sender);
};

extern TwndKdoPatriZvuk* wndKdoPatriZvuk;
