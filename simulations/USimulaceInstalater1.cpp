#include "simulations/USimulaceInstalater1.h"

#include "platform/core/rtl.h"
#include "platform/core/strings.h"
#include "simulations/USimulaceInstalater2.h"

TwndSimulaceInstalater1* wndSimulaceInstalater1 = nullptr;

namespace {

const String PartAFolder = "simul\\instal\\A_verze\\";
constexpr int WrenchTag = 7;
constexpr int EraserPicture = 9;

const TPlumberPart PartA = {
    .Background = "simul\\instal\\pozadiA.bmp",
    .SwitchHover = "simul\\instal\\inst_b.bmp",
    .SwitchNormal = "simul\\instal\\inst_a.bmp",
    .HelpFile = "instal1",
    .Print = PlumberAPrint,
    .GridOrigin = PlumberAGridOrigin,
    .CellSize = PlumberACell,
    .Columns = PlumberAColumns,
    .Rows = PlumberARows,
    .StripFrame = 60,
    .BasinStrip = "simul\\instal\\A_verze\\umyvAN.bmp",
    .SuccessId = "Instal1OK",
    .FailId = "Instal1KO",
    .WrenchTag = WrenchTag,
};

}  // namespace

TwndSimulaceInstalater1::TwndSimulaceInstalater1(TComponent* AOwner) : TPlumberScreen(AOwner, PartA) {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    DoCreate();
}

TwndSimulaceInstalater1::~TwndSimulaceInstalater1() = default;

void TwndSimulaceInstalater1::FormCreate(TObject*) {
    CreatePlumberScreen();
    for (int tag = 1; tag <= 7; ++tag)
        PaletteLabels[std::size_t(tag)] = CreatePaletteLabel(tag, PlumberAPaletteTable[tag - 1].Label);

    for (int kind = 1; kind <= 8; ++kind)
        PiecePictures[std::size_t(kind)] = LoadRequired(PartAFolder + PlumberAKindTable[kind - 1].Picture + ".bmp");
    PiecePictures[EraserPicture] = std::make_unique<TBitmap>();
    PiecePictures[EraserPicture]->SetSize(PlumberACell, PlumberACell);
    BitBlt(PiecePictures[EraserPicture]->Canvas(), 0, 0, PlumberACell, PlumberACell, Buffer->Canvas(),
           PlumberAGridOrigin.X, PlumberAGridOrigin.Y, SRCCOPY);
    SelectedPiece = 0;

    for (int n = 0; n <= PlumberAMaxStock; ++n)
        DigitPictures[std::size_t(n)] = LoadRequired(PartAFolder + "cisla\\" + IntToStr(n) + ".bmp");
    Levels = LoadPlumberLevels(DataDir + "instA.dat");
    ValveStrip = LoadRequired(PartAFolder + "ventilAN.bmp");
    for (int tag = 1; tag <= 7; ++tag)
        PaletteHighlights[std::size_t(tag)] =
            LoadRequired(PartAFolder + PlumberAPaletteTable[tag - 1].Highlight + ".bmp");
    AllPiecesPicture = LoadRequired("simul\\instal\\hl_vse.bmp");
    AllPiecesSound = AppDir + "simul\\instal\\hl_vse.wav";
    NewGame();
}

void TwndSimulaceInstalater1::NewGame() {
    Buffer->Assign(CleanBuffer.get());
    const TPlumberLevel& level = Levels[std::size_t(Random(int(Levels.size())))];
    Board.NewGame(level);
    DrawAtCell(level.BasinColumn, level.BasinRow, PiecePictures[BasinKind].get());
    SelectedPiece = 0;
    Busy = false;
    DrawAtCell(level.ValveColumn, level.ValveRow, PiecePictures[ValveKind].get());
    DrawStock();
}

void TwndSimulaceInstalater1::DrawStock() {
    for (int kind = 1; kind <= 6; ++kind) {
        const TPoint at = PlumberAPaletteTable[kind - 1].DigitAt;
        Buffer->Canvas()->Draw(at.X, at.Y, DigitPictures[Board.Stock[std::size_t(kind)]].get());
    }
    Repaint();
}

void TwndSimulaceInstalater1::UpdateGhost() { Ghost->Bitmap->Assign(PiecePictures[SelectedPiece].get()); }

TCellContent TwndSimulaceInstalater1::ContentOf(int Col, int Row) const {
    const TPipeCellA& cell = Board.Grid[Col][Row];
    if (cell.IsBasin) return TCellContent::Fixed;
    if (cell.IsValve) return TCellContent::Valve;
    return cell.Occupied ? TCellContent::Laid : TCellContent::Empty;
}

bool TwndSimulaceInstalater1::Previewing() const {
    return SelectedPiece != 0 && Board.Stock[SelectedPiece] > 0;
}

void TwndSimulaceInstalater1::DrawPaletteEntry(int Tag, bool Highlighted) {
    const TRect& label = PlumberAPaletteTable[Tag - 1].Label;
    TBitmap* highlight = PaletteHighlights[std::size_t(Tag)].get();
    // The normal look is the background's, as loaded.
    if (Highlighted) Buffer->Canvas()->Draw(label.Left, label.Top, highlight);
    else RestoreFromClean(label.Left, label.Top, highlight->Width(), highlight->Height());
}

void TwndSimulaceInstalater1::PaletteChanged() {
    if (SelectedPiece != 0) UpdateGhost();
    DrawStock();
}

void TwndSimulaceInstalater1::PlacePiece() {
    if (!Previewing()) return;
    int col = 0, row = 0;
    GhostCell(col, row);
    if (!Board.Place(col, row, SelectedPiece)) return;
    DrawAtCell(col, row, PiecePictures[SelectedPiece].get());
    Ghost->Hide();
    DrawStock();
}

bool TwndSimulaceInstalater1::RemovePieces(int Col, int Row) {
    if (!Board.Remove(Col, Row)) return false;
    DrawAtCell(Col, Row, PiecePictures[EraserPicture].get());
    DrawStock();
    return true;
}

void TwndSimulaceInstalater1::ValveClick(int Col, int Row) {
    if (Board.StockLeft()) {
        HlaskaSound = AllPiecesSound;
        ShowGameMessage("Instal1Vse", AllPiecesPicture.get());
        return;
    }
    OpenValve(ValveStrip.get(), Col, Row);
    CheckInstallation();
}

void TwndSimulaceInstalater1::CheckInstallation() {
    const bool success = Board.CheckInstallation();
    int col = 0, row = 0;
    Board.FindBasin(col, row);
    FinishCheck(success, col, row);
}

void TwndSimulaceInstalater1::SwitchToPartB() {
    OpenScreen(wndSimulaceInstalater2);
    Close();
}
