// Word pairs ("Dvojice slovně"): ten professions in two rows of five cells to
// memorise, then covered with one placard; a thing is shown and the child
// turns up the cell of its profession. A right cell is cleared, a wrong one
// costs one of three lives and is covered again.
#pragma once

#include <array>
#include <memory>

#include "shell/OneBased.h"
#include "shell/ScreenFrame.h"

class TwndDvojice : public TScreenFrame {
public:
    static constexpr int CellCount = 10;
    static constexpr DWORD MemoriseMs = 90000;

    explicit TwndDvojice(TComponent* AOwner);
    ~TwndDvojice() override;

    // By the cells' tags 1..10.
    TOneBased<TPoint, CellCount> CellPoints;
    TOneBased<Byte, CellCount> CellOpen;  // 1 while the cell's pair has not been asked
    TOneBased<TLabel*, CellCount> Cells;
    TOneBased<std::unique_ptr<TBitmap>, CellCount> ProfessionPictures;
    TOneBased<std::unique_ptr<TBitmap>, CellCount> ThingPictures;
    TOneBased<std::unique_ptr<TBitmap>, CellCount> Placards;
    std::unique_ptr<TBitmap> SavedCell;
    std::unique_ptr<TBitmap> CleanBuffer;
    int TaskCell = 0;
    int Lives = 0;
    std::unique_ptr<TBitmap> LivesStrip;
    TOneBased<std::unique_ptr<TBitmap>, 3> LossStrips;  // [n]: played when a life is lost with n left
    std::unique_ptr<TBitmap> MessagePicture;
    // A cell click is being handled.
    bool Busy = false;
    // The memorising phase runs; clearing it ends the phase.
    bool Memorising = false;

    // Deals ten professions, shows the board and starts the memorising
    // phase. The phase runs in a handler of this screen's own, queued here,
    // so that the caller (the games menu, the message window's first
    // button) returns at once and the board is seen meanwhile.
    void NewGame();
    // Runs the message loop until Ms have passed since the call, or until
    // Memorising is cleared. Measured as the difference of two tick counts,
    // so a phase lasts its time also when the count wraps past 2^32.
    void WaitMemorise(DWORD Ms);
    void CellClick(TObject* Sender);
    void CheckAnswer(int Cell);
    void NextTask();

    void StartNewRound() override { NewGame(); }

    void FormCreate(TObject* Sender);

protected:
    bool BeforeLeaving() override;

private:
    // The memorising phase, then the covered board with its first task.
    void Memorise();
    // Waits a second, then the message window with the game's end: "hlaska1"
    // won, "hlaska2" lost; nothing when the screen was closed meanwhile.
    void FinishGame(const char* Name);
    void PlayStrip(TBitmap* Strip, int Frames);
    void DrawAtCell(int Cell, TBitmap* Picture);
};

extern TwndDvojice* wndDvojice;
