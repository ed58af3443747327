// The memory card game "Pexeso": the child against the computer, 15 pairs
// face down; a pair found scores and the finder goes on, a miss hands the
// turn over. The computer plays from a small memory of the cards the child
// missed with. A mode button switches between pairs of equal pictures and
// pairs of a person and a thing. Made anew by the games menu; it deals its
// first game while it is created and frees itself when closed.
#pragma once

#include <array>
#include <memory>

#include "games/PexesoBoard.h"
#include "shell/OneBased.h"
#include "shell/ScreenFrame.h"

class TwndPexeso : public TScreenFrame {
public:
    explicit TwndPexeso(TComponent* AOwner);

    // Buffer's background as loaded, with the help button's picture: a new
    // game starts from it and a taken card's cell is restored from it.
    std::unique_ptr<TBitmap> CleanBuffer;
    // Its Tag is the mode: EqualPictures or PersonAndThing. Shows the mode
    // being played, and the other one under the mouse.
    TBMPLabel* ModeButton = nullptr;
    static constexpr int EqualPictures = 1;
    static constexpr int PersonAndThing = 2;
    std::unique_ptr<TBitmap> CardBack;
    // The cards, the computer's memory, the scores and the player's try.
    TPexesoBoard Board;
    // By pair 1..15: the first and the second picture.
    TOneBased<std::array<std::unique_ptr<TBitmap>, 2>, PexesoPairs> PairPictures;
    // The player's pauses run; the computer's turn runs. Either one makes
    // card presses, NewGame, the mode switch and the four leaving bottom-bar
    // buttons do nothing.
    bool PlayerBusy = false;
    bool ComputerBusy = false;
    // The numbers 0..15.
    std::array<std::unique_ptr<TBitmap>, PexesoPairs + 1> DigitBitmaps;
    std::unique_ptr<TBitmap> WinnerBitmap;
    std::unique_ptr<TBitmap> MessagePicture;
    String CardSound;
    String RightSound;

    // Deals a new game in the current mode (nothing while a pause or the
    // computer's turn runs).
    void NewGame();
    void StartNewRound() override { NewGame(); }

    void FormCreate(TObject* Sender);
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
    // The leaving buttons wait for the pauses and the computer's turn; help
    // works at any time.
    bool BeforeLeaving() override { return !Busy(); }

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
    void DrawOnBoth(int X, int Y, const std::unique_ptr<TBitmap>& Picture);

    // Whether creation went through: a screen whose pictures failed to load
    // is never shown.
    bool created_ = false;
};

extern TwndPexeso* wndPexeso;
