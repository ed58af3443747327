#include "simulations/PlumberScreen.h"

#include <memory>

#include "platform/core/rtl.h"
#include "simulations/PlumberTables.h"

TPlumberScreen::TPlumberScreen(TComponent* AOwner, const TPlumberPart& Part)
    : TScreenFrame(AOwner, {.Caption = "Velamo - Simulace: Instalatér", .Menu = TScreenMenu::Simulations}),
      part_(Part) {
    OnMouseMove = [this](TObject* s, TShiftState shift, int x, int y) { FormMouseMove(s, shift, x, y); };
    OnClick = [this](TObject* s) { FormClick(s); };
}

TPlumberScreen::~TPlumberScreen() = default;

std::unique_ptr<TBitmap> TPlumberScreen::LoadRequired(const String& Path) {
    auto picture = std::make_unique<TBitmap>();
    picture->LoadFromFile(AppDir + Path);
    return picture;
}

void TPlumberScreen::CreatePlumberScreen() {
    Randomize();
    Buffer->LoadFromFile(AppDir + part_.Background);
    CreateBottomBar({TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Menu});
    PartSwitch = new TBMPLabel(this, AppDir + part_.SwitchHover, AppDir + part_.SwitchNormal, 560, 418, 70, 59);
    PartSwitch->OnClick = [this](TObject*) { SwitchPart(); };
    CreateBottomBar({TBarButton::Print, TBarButton::Help});
    HelpFile = part_.HelpFile;
    DrawBarButton(TBarButton::Help);
    CleanBuffer = std::make_unique<TBitmap>();
    CleanBuffer->Assign(Buffer);
    PrintDialog = new TPrintDialog(this);

    Ghost = new TXPanel(this);
    Ghost->SetBounds(0, 0, part_.CellSize, part_.CellSize);
    Ghost->SetCursor(HandCursor);
    Ghost->Hide();
    Ghost->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { PlacePiece(); };

    BasinStrip = LoadRequired(part_.BasinStrip);
    SuccessPicture = LoadRequired("simul\\instal\\hl_ok.bmp");
    FailPicture = LoadRequired("simul\\instal\\hl_ko.bmp");
    SuccessSound = AppDir + "simul\\instal\\hl_ok.wav";
    FailSound = AppDir + "simul\\instal\\hl_ko.wav";
}

void TPlumberScreen::PrintClick(TObject*) { PrintPicture(PrintDialog, Buffer, part_.Print); }

bool TPlumberScreen::CellAt(int X, int Y, int& Col, int& Row) const {
    const int right = part_.GridOrigin.X + part_.Columns * part_.CellSize - 1;
    const int bottom = part_.GridOrigin.Y + part_.Rows * part_.CellSize - 1;
    if (X < part_.GridOrigin.X || X > right || Y < part_.GridOrigin.Y || Y > bottom) return false;
    Col = (X - part_.GridOrigin.X) / part_.CellSize + 1;
    Row = (Y - part_.GridOrigin.Y) / part_.CellSize + 1;
    return true;
}

bool TPlumberScreen::CellUnderPointer(int& Col, int& Row) const {
    TPoint p{};
    GetCursorPos(&p);
    p = ScreenToClient(p);
    return CellAt(p.X, p.Y, Col, Row);
}

TPoint TPlumberScreen::CellCorner(int Col, int Row) const {
    return {(Col - 1) * part_.CellSize + part_.GridOrigin.X, (Row - 1) * part_.CellSize + part_.GridOrigin.Y};
}

TXLabel* TPlumberScreen::CreatePaletteLabel(int Tag, const TRect& Bounds) {
    auto* label = new TXLabel(this, Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    label->Tag = Tag;
    label->OnClick = [this](TObject* s) { PaletteClick(s); };
    if (Tag == part_.WrenchTag) {
        label->OnMouseEnter = [this](TObject* s) { WrenchEnter(s); };
        label->OnMouseLeave = [this](TObject* s) { WrenchLeave(s); };
    }
    return label;
}

void TPlumberScreen::GhostCell(int& Col, int& Row) const { CellAt(Ghost->Left(), Ghost->Top(), Col, Row); }

void TPlumberScreen::DrawAtCell(int Col, int Row, TBitmap* Picture) {
    const TPoint corner = CellCorner(Col, Row);
    Buffer->Canvas()->Draw(corner.X, corner.Y, Picture);
}

void TPlumberScreen::PaletteClick(TObject* Sender) {
    // While the valve is open the palette waits for the check, as the board.
    if (Busy) return;
    const int tag = static_cast<TComponent*>(Sender)->Tag;
    if (tag == part_.WrenchTag) {
        NewGame();
        return;
    }
    if (tag == SelectedPiece) {
        DrawPaletteEntry(tag, false);
        SelectedPiece = 0;
    } else {
        if (SelectedPiece != 0) DrawPaletteEntry(SelectedPiece, false);
        SelectedPiece = Byte(tag);
        DrawPaletteEntry(tag, true);
    }
    PaletteChanged();
}

void TPlumberScreen::WrenchEnter(TObject*) {
    DrawPaletteEntry(part_.WrenchTag, true);
    Repaint();
}

void TPlumberScreen::WrenchLeave(TObject*) {
    DrawPaletteEntry(part_.WrenchTag, false);
    Repaint();
}

void TPlumberScreen::FormMouseMove(TObject*, TShiftState, int X, int Y) {
    if (Busy) {
        SetCursor(ArrowCursor);
        return;
    }
    int col = 0, row = 0;
    if (!CellAt(X, Y, col, row)) {
        Ghost->Hide();
        SetCursor(ArrowCursor);
        return;
    }
    const TCellContent content = ContentOf(col, row);
    if (content == TCellContent::Fixed || content == TCellContent::Valve) {
        Ghost->Hide();
        SetCursor(content == TCellContent::Valve ? HandCursor : ArrowCursor);
    } else if (Previewing()) {
        // Over empty and laid cells alike.
        PrepareGhost(col, row);
        const TPoint corner = CellCorner(col, row);
        Ghost->SetBounds(corner.X, corner.Y, part_.CellSize, part_.CellSize);
        Ghost->Show();
        SetCursor(HandCursor);
    } else {
        Ghost->Hide();
        SetCursor(content == TCellContent::Laid ? HandCursor : ArrowCursor);
    }
}

void TPlumberScreen::FormClick(TObject*) {
    int col = 0, row = 0;
    if (Cursor() != HandCursor || Busy || !CellUnderPointer(col, row)) return;
    if (ContentOf(col, row) == TCellContent::Valve) ValveClick(col, row);
    else RemovePieces(col, row);
}

void TPlumberScreen::RestoreFromClean(int X, int Y, int Width, int Height) {
    BitBlt(Buffer->Canvas(), X, Y, Width, Height, CleanBuffer->Canvas(), X, Y, SRCCOPY);
}

void TPlumberScreen::OpenValve(TBitmap* ValveStrip, int Col, int Row) {
    Busy = true;
    PlaySoundFile(AppDir + "simul\\instal\\ventil.wav");
    const TPoint corner = CellCorner(Col, Row);
    AnimateStrip50(Canvas(), Buffer->Canvas(), ValveStrip->Canvas(), corner.X, corner.Y, part_.StripFrame,
                   part_.StripFrame, ValveStripFrames);
}

void TPlumberScreen::FinishCheck(bool Success, int BasinCol, int BasinRow) {
    if (Success) {
        PlaySoundFile(AppDir + "simul\\instal\\umyv.wav");
        const TPoint corner = CellCorner(BasinCol, BasinRow);
        AnimateStrip50(Canvas(), Buffer->Canvas(), BasinStrip->Canvas(), corner.X, corner.Y, part_.StripFrame,
                       part_.StripFrame, BasinStripFrames);
    }
    if (!Pause(1000)) return;
    HlaskaSound = Success ? SuccessSound : FailSound;
    ShowGameMessage(Success ? part_.SuccessId : part_.FailId, (Success ? SuccessPicture : FailPicture).get());
}
