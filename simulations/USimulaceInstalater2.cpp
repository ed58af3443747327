#include "simulations/USimulaceInstalater2.h"

#include "simulations/USimulaceInstalater1.h"

TwndSimulaceInstalater2* wndSimulaceInstalater2 = nullptr;

namespace {

// The pieces under "B_verze", the palette under "b_verze": one folder, as
// names are matched without regard to letter case.
const String PiecesFolder = "simul\\instal\\B_verze\\";
const String PaletteFolder = "simul\\instal\\b_verze\\";
constexpr int EraserPicture = 25;

const TPlumberPart PartB = {
    .Background = "simul\\instal\\pozadiB.bmp",
    .SwitchHover = "simul\\instal\\inst_a.bmp",
    .SwitchNormal = "simul\\instal\\inst_b.bmp",
    .HelpFile = "instal2",
    .Print = PlumberBPrint,
    .GridOrigin = PlumberBGridOrigin,
    .CellSize = PlumberBCell,
    .Columns = PlumberBColumns,
    .Rows = PlumberBRows,
    .StripFrame = PlumberBStripCell,
    .BasinStrip = "simul\\instal\\B_verze\\umyvAN.bmp",
    .SuccessId = "Instal2OK",
    .FailId = "Instal2KO",
    .WrenchTag = PlumberBWrenchTag,
};

const TPlumberBPaletteGroup& GroupOf(int Tag) {
    for (const TPlumberBPaletteGroup& g : PlumberBPaletteTable)
        if (Tag >= g.FirstTag && Tag <= g.LastTag) return g;
    return PlumberBPaletteTable[std::size(PlumberBPaletteTable) - 1];
}

}  // namespace

TwndSimulaceInstalater2::TwndSimulaceInstalater2(TComponent* AOwner) : TPlumberScreen(AOwner, PartB) {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    DoCreate();
}

TwndSimulaceInstalater2::~TwndSimulaceInstalater2() = default;

void TwndSimulaceInstalater2::FormCreate(TObject*) {
    CreatePlumberScreen();
    for (const TPlumberBPaletteGroup& group : PlumberBPaletteTable)
        for (int tag = group.FirstTag; tag <= group.LastTag; ++tag)
            PaletteLabels[std::size_t(tag)] = CreatePaletteLabel(tag, group.Labels[tag - group.FirstTag]);

    ValveStrip = std::make_unique<TBitmap>();
    for (int p = 1; p <= 24; ++p)
        PiecePictures[std::size_t(p)] = LoadRequired(PiecesFolder + PlumberBPieceTable[p - 1].Picture + ".bmp");
    PiecePictures[EraserPicture] = std::make_unique<TBitmap>();
    PiecePictures[EraserPicture]->SetSize(PlumberBCell, PlumberBCell);
    BitBlt(PiecePictures[EraserPicture]->Canvas(), 0, 0, PlumberBCell, PlumberBCell, Buffer->Canvas(),
           PlumberBGridOrigin.X, PlumberBGridOrigin.Y, SRCCOPY);
    for (const auto& p : PiecePictures)
        if (p) {
            p->Transparent = true;
            p->TransparentColor = clFuchsia;
        }
    SelectedPiece = 0;

    for (const TPlumberBPaletteGroup& group : PlumberBPaletteTable)
        for (int tag = group.FirstTag; tag <= group.LastTag; ++tag)
            PalettePictures[std::size_t(tag)] =
                LoadRequired(PaletteFolder + group.Pictures[tag - group.FirstTag] + ".bmp");
    NewGame();
}

void TwndSimulaceInstalater2::NewGame() {
    Buffer->Assign(CleanBuffer.get());
    const TPlumberBLayout layout = DrawPlumberBLayout();
    Board.NewGame(layout);
    SelectedPiece = 0;
    Busy = false;
    DrawAtCell(layout.BasinColumn, layout.BasinRow, PiecePictures[BasinPiece].get());
    const bool left = layout.ValveOnLeft();
    DrawAtCell(layout.ValveColumn, layout.ValveRow, PiecePictures[left ? LeftValvePiece : RightValvePiece].get());
    ValveStrip->LoadFromFile(AppDir + PiecesFolder + (left ? "vent_2AN.bmp" : "vent_1AN.bmp"));
    DrawAtCell(layout.BoilerColumn, layout.BoilerRow, PiecePictures[BoilerPiece].get());
    Repaint();
}

TCellContent TwndSimulaceInstalater2::ContentOf(int Col, int Row) const {
    const TPipeCellB& cell = Board.Grid[Col][Row];
    if (cell.IsBasin || cell.IsBoiler) return TCellContent::Fixed;
    if (cell.IsValve) return TCellContent::Valve;
    return cell.Occupied ? TCellContent::Laid : TCellContent::Empty;
}

void TwndSimulaceInstalater2::DrawPaletteEntry(int Tag, bool Highlighted) {
    TBitmap* picture = PalettePictures[std::size_t(Tag)].get();
    const TPoint origin = GroupOf(Tag).Origin;
    if (Highlighted) Buffer->Canvas()->Draw(origin.X, origin.Y, picture);
    else RestoreFromClean(origin.X, origin.Y, picture->Width(), picture->Height());
}

void TwndSimulaceInstalater2::UpdateGhost(int Col, int Row) {
    const TPoint corner = CellCorner(Col, Row);
    TBitmap* preview = Ghost->Bitmap.get();
    preview->SetSize(PlumberBCell, PlumberBCell);
    BitBlt(preview->Canvas(), 0, 0, PlumberBCell, PlumberBCell, Buffer->Canvas(), corner.X, corner.Y, SRCCOPY);
    preview->Canvas()->Draw(0, 0, PiecePictures[SelectedPiece].get());
    Ghost->Repaint();
}

void TwndSimulaceInstalater2::DrawCell(int Col, int Row) {
    TBitmap cell;
    cell.Assign(PiecePictures[EraserPicture].get());
    cell.Transparent = false;
    const TPieceSet pieces = Board.Cell(Col, Row).Pieces;
    for (int p = 1; p <= 20; ++p)
        if (Holds(pieces, p)) cell.Canvas()->Draw(0, 0, PiecePictures[std::size_t(p)].get());
    DrawAtCell(Col, Row, &cell);
}

void TwndSimulaceInstalater2::PlacePiece() {
    if (SelectedPiece == 0) return;
    int col = 0, row = 0;
    GhostCell(col, row);
    if (!Board.Place(col, row, SelectedPiece)) return;
    DrawCell(col, row);
    Ghost->Hide();
    Repaint();
}

bool TwndSimulaceInstalater2::RemovePieces(int Col, int Row) {
    if (!Board.Clear(Col, Row)) return false;
    DrawAtCell(Col, Row, PiecePictures[EraserPicture].get());
    Repaint();
    return true;
}

void TwndSimulaceInstalater2::ValveClick(int Col, int Row) {
    OpenValve(ValveStrip.get(), Col, Row);
    CheckInstallation();
}

void TwndSimulaceInstalater2::CheckInstallation() {
    const bool success = Board.CheckInstallation().All();
    int col = 0, row = 0;
    Board.FindBasin(col, row);
    FinishCheck(success, col, row);
}

void TwndSimulaceInstalater2::SwitchToPartA() {
    OpenScreen(wndSimulaceInstalater1);
    Close();
}
