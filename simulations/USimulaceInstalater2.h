// Plumber part B: a washbasin, a valve on the left or right edge and a
// boiler placed at random on an 11 x 8 grid with two pipe lanes on every
// edge; the child joins the washbasin to the valve and to the boiler, and
// the boiler to the valve, with as many pieces as needed.
#pragma once

#include <array>

#include "simulations/PlumberBoardB.h"
#include "simulations/PlumberScreen.h"

class TwndSimulaceInstalater2 : public TPlumberScreen {
public:
    explicit TwndSimulaceInstalater2(TComponent* AOwner);
    ~TwndSimulaceInstalater2() override;

    // 1..21: pieces 1..20, then the wrench.
    TOneBased<TXLabel*, 21> PaletteLabels;
    // Pieces 1..24, and 25: the empty top-left cell; all drawn with magenta
    // transparent, so the pieces of a cell show over each other.
    std::array<std::unique_ptr<TBitmap>, 26> PiecePictures;
    // Each palette entry's picture of its group with the entry chosen; 21
    // the wrench's hover picture.
    TOneBased<std::unique_ptr<TBitmap>, 21> PalettePictures;
    // The valve's strip, of its edge, loaded by each new game.
    std::unique_ptr<TBitmap> ValveStrip;
    TPlumberBoardB Board;

    void FormCreate(TObject* Sender);
    void NewGame() override;
    void SwitchPart() override { SwitchToPartA(); }
    void SwitchToPartA();
    // The ghost's picture: the cell as it looks, with the selected piece
    // drawn over it.
    void UpdateGhost(int Col, int Row);
    void CheckInstallation();

protected:
    TCellContent ContentOf(int Col, int Row) const override;
    bool Previewing() const override { return SelectedPiece != 0; }
    void PrepareGhost(int Col, int Row) override { UpdateGhost(Col, Row); }
    void PlacePiece() override;
    bool RemovePieces(int Col, int Row) override;
    void ValveClick(int Col, int Row) override;
    // Highlighted: the entry's picture of its group; normal: the group's
    // area as loaded.
    void DrawPaletteEntry(int Tag, bool Highlighted) override;
    void PaletteChanged() override { Repaint(); }

private:
    // The cell's pieces over the empty cell, in ascending number.
    void DrawCell(int Col, int Row);
};

extern TwndSimulaceInstalater2* wndSimulaceInstalater2;
