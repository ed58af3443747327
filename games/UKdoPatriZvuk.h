// The sound game: ten persons and a sound that belongs to one of them; the
// child presses the person the sound belongs to. The third wrong answer of a
// round ends it through the message window with the right profession's name.
#pragma once

#include "games/PersonCells.h"
#include "shell/ScreenFrame.h"

class TwndKdoPatriZvuk : public TScreenFrame {
public:
    explicit TwndKdoPatriZvuk(TComponent* AOwner);
    ~TwndKdoPatriZvuk() override;

    // 1..10 (Cells[0] is unused); Tag: the GameCodeList29 position dealt.
    TXLabel* Cells[PersonCellCount + 1] = {};
    Byte TargetCode = 0;  // position in GameCodeList29
    String TargetSound;
    TXLabel* ReplayAreas[2] = {};
    Byte Mistakes = 0;
    TBitmap* MessagePicture = nullptr;

    void NewRound();
    void StartNewRound() override { NewRound(); }

    void FormCreate(TObject* Sender);
    // Any mouse button pressed on a cell judges it.
    void CellMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ReplayClick(TObject* Sender);
};

extern TwndKdoPatriZvuk* wndKdoPatriZvuk;
