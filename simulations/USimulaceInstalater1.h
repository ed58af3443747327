// Plumber part A: a level from "instA.dat" gives the washbasin, the valve
// and a stock of six pipe kinds; the child lays every piece as one pipe from
// the washbasin to the valve and opens the valve.
#pragma once

#include <array>
#include <vector>

#include "simulations/PlumberBoardA.h"
#include "simulations/PlumberScreen.h"

class TwndSimulaceInstalater1 : public TPlumberScreen {
public:
    explicit TwndSimulaceInstalater1(TComponent* AOwner);
    ~TwndSimulaceInstalater1() override;

    // 1..7: six kinds, then the wrench.
    TOneBased<TXLabel*, 7> PaletteLabels;
    // Kinds 1..8, and 9: the empty top-left cell, drawn to clear a cell.
    std::array<std::unique_ptr<TBitmap>, 10> PiecePictures;
    std::array<std::unique_ptr<TBitmap>, PlumberAMaxStock + 1> DigitPictures;
    // The palette entries' highlight pictures, 1..7.
    TOneBased<std::unique_ptr<TBitmap>, 7> PaletteHighlights;
    std::unique_ptr<TBitmap> ValveStrip;
    std::unique_ptr<TBitmap> AllPiecesPicture;
    String AllPiecesSound;
    // The valid lines of the level file, read once.
    std::vector<TPlumberLevel> Levels;
    TPlumberBoardA Board;

    void FormCreate(TObject* Sender);
    void NewGame() override;
    void SwitchPart() override { SwitchToPartB(); }
    void SwitchToPartB();
    // Each kind's stock as a digit beside its palette entry; repaints.
    void DrawStock();
    void UpdateGhost();
    void CheckInstallation();

protected:
    TCellContent ContentOf(int Col, int Row) const override;
    bool Previewing() const override;
    void PlacePiece() override;
    bool RemovePieces(int Col, int Row) override;
    void ValveClick(int Col, int Row) override;
    void DrawPaletteEntry(int Tag, bool Highlighted) override;
    void PaletteChanged() override;
};

extern TwndSimulaceInstalater1* wndSimulaceInstalater1;
