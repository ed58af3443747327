#include "shell/UVelamo.h"

#include "shell/UDetailProfese.h"

TwndVelamo* wndVelamo = nullptr;

// The town stays open below every other screen and the menus it shows.
TwndVelamo::TwndVelamo(TComponent* AOwner) : TTownPanorama(AOwner, {.Caption = "Velamo", .StaysOpen = true}) {
    SetColor(clBtnFace);

    Prehravac = new TMediaPlayer(this);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { MestoMouseDown(s, b, sh, x, y); };
    OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { MestoMouseMove(s, sh, x, y); };
    DoCreate();
}

void TwndVelamo::FormCreate(TObject*) {
    Buffer->LoadFromFile(AppDir + "hl_obr\\pozadi.bmp");
    CreateBottomBar({TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Help});
    HelpFile = "mesto";
    DrawBarButton(TBarButton::Help);
    CreateFrame();

    CreateSlider();

    Town = std::make_unique<TBitmap>();
    Town->LoadFromFile(DataDir + "mesto.bmp");

    NazevPanel = new TXPanel(this);
    NazevPanel->SetBounds(0, 0, 1, 1);
    NazevPanel->SetVisible(false);
    NazevPanel->SetCursor(HandCursor);
    NazevPanel->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        NazevPanelMouseDown(s, b, sh, x, y);
    };

    CreateScrollZones();

    Mask = std::make_unique<TBitmap>();
    Mask->LoadFromFile(DataDir + "mesto_m.bmp");
    LoadPlaces();

    StartView();
    RedrawTown();
}

void TwndVelamo::ScrollZoneEnter(TObject* Sender) {
    NazevPanel->Hide();
    TTownPanorama::ScrollZoneEnter(Sender);
}

void TwndVelamo::MestoMouseMove(TObject*, TShiftState, int X, int Y) {
    // Every point that is no region (black, or off the mask) hides the plate;
    // a region without a sample point leaves the plate before it shown.
    if (HitTest(X, Y) != TTownPoint::Region) {
        NazevPanel->Hide();
    } else if (HoverPlace != 0) {
        TBitmap* plate = NamePlate[HoverPlace].get();
        NazevPanel->Bitmap->SetSize(plate->Width(), plate->Height());
        const TPoint at = NamePlateAt(HoverPlace);
        NazevPanel->SetBounds(at.X, at.Y, plate->Width(), plate->Height());
        NazevPanel->Bitmap->Canvas()->Draw(0, 0, plate);
        NazevPanel->Show();
        NazevPanel->Repaint();
    }
    Repaint();
}

void TwndVelamo::MestoMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    // A mouse-down over a region that names no place opens nothing: the
    // page would find no profession and stay hidden.
    if (Cursor() != HandCursor || HoverPlace == 0) return;
    OpenDetailPage(HoverPlace, true);
}

void TwndVelamo::NazevPanelMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    MestoMouseDown(Sender, Button, Shift, X + NazevPanel->Left(), Y + NazevPanel->Top());
}
