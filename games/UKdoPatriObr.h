// The two picture games on one screen: mode 0 "Kdo sem patří", mode 1 "Kdo
// to vyřeší". A scene waits for its profession; the child browses fifteen
// figures with two arrows and chooses the shown one. The right one solves
// the scene, the third wrong choice of a round opens the profession's detail
// page, whose back button starts the next round. The game has no end.
#pragma once

#include <memory>
#include <set>

#include "shell/OneBased.h"
#include "shell/ScreenFrame.h"

class TwndKdoPatriObr : public TScreenFrame {
public:
    explicit TwndKdoPatriObr(TComponent* AOwner);
    ~TwndKdoPatriObr() override;

    static constexpr int FigureCount = 15;

    T3BMPLabel* UpArrow = nullptr;    // Tag -1
    T3BMPLabel* DownArrow = nullptr;  // Tag 1
    // Over the shown figure; Tag: its position 1..15.
    TXLabel* ChoiceLabel = nullptr;
    // This round's figures, 1..15.
    TOneBased<std::unique_ptr<TBitmap>, FigureCount> Candidates;
    // After NewRound: the solved scene, waiting for the right choice.
    std::unique_ptr<TBitmap> SceneBitmap;

    Byte TargetSlot = 0;  // 1..15
    Byte TargetCode = 0;  // position in GameCodeList43
    // 0 "Kdo sem patří", 1 "Kdo to vyřeší"; set before Start.
    Byte Mode = 0;
    Byte WrongAnswers = 0;
    String PromptSound;  // mode 1
    String SolvedSound;  // mode 1
    String WrongSound;
    String RightSound;
    // GameCodeList43 positions that were the right answer in this screen's
    // life; emptied once 21 have been.
    std::set<int> UsedTargets;

    // Builds the bar and the mode's background, then the first round.
    void Start();
    void NewRound();

    void FormCreate(TObject* Sender);
    void BrowseMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ChoiceMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

private:
    void ShowFigure(int Position);
    void OpenAnswersPage();
    void ResetUsedTargets();
};

extern TwndKdoPatriObr* wndKdoPatriObr;
