// What the plumber's two parts share: the screen with its bottom bar, the
// part switch and the print button, the grid's geometry, the ghost that
// previews a piece over a cell, the valve that opens and the end of the
// check through the message window.
#pragma once

#include <memory>

#include "platform/print/printdialog.h"
#include "shell/ScreenFrame.h"
#include "simulations/PrintPicture.h"

// What differs between the parts.
struct TPlumberPart {
    const char* Background;    // under AppDir
    const char* SwitchHover;   // the part switch's pictures, under AppDir
    const char* SwitchNormal;
    const char* HelpFile;      // in "sound\help\" without ".wav"
    TScreenPrint Print;
    TPoint GridOrigin;
    int CellSize, Columns, Rows;
    int StripFrame;            // the valve's and the washbasin's strip frames, square
    const char* BasinStrip;    // under AppDir
    const char* SuccessId;
    const char* FailId;
    int WrenchTag;             // the palette's last entry: a new game
};

// What lies in a cell, as the mouse sees it.
enum class TCellContent { Fixed, Valve, Laid, Empty };

class TPlumberScreen : public TScreenFrame {
public:
    TPlumberScreen(TComponent* AOwner, const TPlumberPart& Part);
    ~TPlumberScreen() override;

    TPrintDialog* PrintDialog = nullptr;
    // Buffer as loaded, with the help button drawn in: each new game starts
    // from it.
    std::unique_ptr<TBitmap> CleanBuffer;
    TBMPLabel* PartSwitch = nullptr;
    // The selected piece over the cell under the mouse; a press on it lays
    // the piece.
    TXPanel* Ghost = nullptr;
    std::unique_ptr<TBitmap> BasinStrip;
    std::unique_ptr<TBitmap> SuccessPicture;
    std::unique_ptr<TBitmap> FailPicture;
    String SuccessSound;
    String FailSound;
    // The palette entry chosen; 0 for none.
    Byte SelectedPiece = 0;
    // Set when the valve opens; the board and the palette then ignore the
    // mouse until the next game.
    bool Busy = false;

    virtual void NewGame() = 0;
    // Creates the other part anew, shows it and closes this one.
    virtual void SwitchPart() = 0;

    void StartNewRound() override { NewGame(); }
    void PrintClick(TObject* Sender) override;

    // The child's input. A palette entry selects its piece, or deselects it
    // when it is the one selected; the wrench starts a new game. Over the
    // grid the ghost previews the selected piece; a click on a cell with
    // laid pieces takes them away, a click on the valve opens it.
    void PaletteClick(TObject* Sender);
    void WrenchEnter(TObject* Sender);
    void WrenchLeave(TObject* Sender);
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FormClick(TObject* Sender);

protected:
    // Buffer from the part's background; the bar in the order exit, games,
    // simulations, menu, part switch, print, help, with the help button
    // drawn into Buffer and CleanBuffer; the ghost; the washbasin's strip,
    // the message pictures and sounds.
    void CreatePlumberScreen();

    // The cell under a point of the form; false off the grid.
    bool CellAt(int X, int Y, int& Col, int& Row) const;
    // The cell under the pointer (the system's cursor position on the form).
    bool CellUnderPointer(int& Col, int& Row) const;
    TPoint CellCorner(int Col, int Row) const;

    // A palette hot area with its tag, wired to the palette's events.
    TXLabel* CreatePaletteLabel(int Tag, const TRect& Bounds);
    // The cell under the ghost.
    void GhostCell(int& Col, int& Row) const;
    void DrawAtCell(int Col, int Row, TBitmap* Picture);

    // What each part decides.
    virtual TCellContent ContentOf(int Col, int Row) const = 0;
    // The ghost previews the selected piece: one is selected (and, where
    // the pieces are counted, still in stock).
    virtual bool Previewing() const = 0;
    // The ghost's picture for the cell, before it is shown there.
    virtual void PrepareGhost(int Col, int Row) {}
    // A press on the ghost.
    virtual void PlacePiece() = 0;
    // Takes the cell's laid pieces away; false when it has none.
    virtual bool RemovePieces(int Col, int Row) = 0;
    virtual void ValveClick(int Col, int Row) = 0;
    // The entry's highlighted or normal look, into Buffer.
    virtual void DrawPaletteEntry(int Tag, bool Highlighted) = 0;
    // After a palette change: what follows it, and the repaint.
    virtual void PaletteChanged() = 0;

    // A required picture under AppDir (a missing or damaged one raises).
    static std::unique_ptr<TBitmap> LoadRequired(const String& Path);
    // Copies a rectangle of CleanBuffer back into Buffer.
    void RestoreFromClean(int X, int Y, int Width, int Height);

    // The valve opens: Busy, its sound and its strip at the valve's cell.
    void OpenValve(TBitmap* ValveStrip, int Col, int Row);
    // The end of the check: on success the washbasin's sound and strip; a
    // second's pause, then the message of the outcome. A screen closed
    // during the pause (its bar, the part switch) shows no message.
    void FinishCheck(bool Success, int BasinCol, int BasinRow);

private:
    const TPlumberPart& part_;
};
