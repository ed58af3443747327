// The memory card game "Pexeso": the child against the computer, 15 pairs
// face down; a pair found scores and the finder goes on, a miss hands the
// turn over. The computer plays from a small memory of the cards the child
// missed with. A mode button switches between pairs of equal pictures and
// pairs of a person and a thing. Made anew by the games menu; it deals its
// first game while it is created and frees itself when closed.
#pragma once

#include "games/PexesoBoard.h"
#include "shell/ScreenFrame.h"

class TwndPexeso : public TScreenFrame {
public:
    explicit TwndPexeso(TComponent* AOwner);

    // Buffer's background as loaded, with the help button's picture: a new
    // game starts from it and a taken card's cell is restored from it.
    TBitmap* CleanBuffer = nullptr;
    // Tag 1: pairs of two equal pictures; 2: a person and a thing. Shows the
    // mode being played, and the other one under the mouse.
    TBMPLabel* ModeButton = nullptr;
    TBitmap* CardBack = nullptr;
    // The cards, the computer's memory, the scores and the player's try.
    TPexesoBoard Board;
    // [pair 1..15 - 1][first, second picture]
    TBitmap* PairPictures[PexesoPairs][2] = {};
    // The player's pauses run; the computer's turn runs. Either one makes
    // card presses, NewGame, the mode switch and the four leaving bottom-bar
    // buttons do nothing.
    bool PlayerBusy = false;
    bool ComputerBusy = false;
    TBitmap* DigitBitmaps[PexesoPairs + 1] = {};
    TBitmap* WinnerBitmap = nullptr;
    TBitmap* MessagePicture = nullptr;
    String CardSound;
    String RightSound;

    // Deals a new game in the current mode (nothing while a pause or the
    // computer's turn runs).
    void NewGame();
    void StartNewRound() override { NewGame(); }

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ModeClick(TObject* Sender);
    // The two scores' digits, on the window and in Buffer.
    void DrawScores();
    void ComputerTurn();
    // False unless every card is taken; else the winner's picture, a second's
    // pause and the message window.
    bool CheckGameOver();

protected:
    // The pointer comes back while another window is active.
    void FormDeactivate(TObject* Sender) override;

private:
    bool Busy() const { return PlayerBusy || ComputerBusy; }
    // A pause of the player's (PlayerBusy meanwhile); false when the screen
    // was closed meanwhile or the program ends.
    bool PlayerPause(DWORD Ms);
    // Shows one step of the computer's turn; false when the screen was
    // closed meanwhile.
    bool ShowComputerStep(const TComputerStep& Step);

    void DrawFace(const TCardFace& Face);
    void DrawBack(TPoint Place);
    void RestoreCell(TPoint Place);
    // Onto the window and into Buffer.
    void DrawOnBoth(int X, int Y, TBitmap* Picture);

    // Whether creation went through: a screen whose pictures failed to load
    // is never shown.
    bool created_ = false;
};

extern TwndPexeso* wndPexeso;
