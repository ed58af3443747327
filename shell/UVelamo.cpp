#include "shell/UVelamo.h"

#include "platform/core/rtl.h"
#include "platform/gfx/floodfill.h"
#include "platform/gfx/pixels.h"
#include "shell/UDetailProfese.h"
#include "shell/UKonec.h"

TwndVelamo* wndVelamo = nullptr;

namespace {

// The frame's window onto the town: 6 pixels in from the left and top.
constexpr int kTownLeft = 6;
constexpr int kTownTop = 6;
constexpr int kSliderMin = 14;
constexpr int kSliderMax = 614;
constexpr int kScrollRange = 2892;        // the town's width less the view's
constexpr double kPixelsPerSliderStep = 4.82;  // 2892 / 600
constexpr int kScrollStep = 30;

}  // namespace

int SliderLeftForOffset(int ScrollOffset) {
    return kSliderMax - int(Round((ScrollOffset + kScrollRange) / kPixelsPerSliderStep));
}

int OffsetForSliderLeft(int SliderLeft) {
    return int(Round((kSliderMax - SliderLeft) * kPixelsPerSliderStep)) - kScrollRange;
}

// The town stays open below every other screen and the menus it shows.
TwndVelamo::TwndVelamo(TComponent* AOwner) : TScreenFrame(AOwner, {.Caption = "Velamo", .StaysOpen = true}) {
    SetColor(clBtnFace);

    Prehravac = new TMediaPlayer(this);
    ScrollTimer = new TTimer(this);
    ScrollTimer->SetEnabled(false);
    ScrollTimer->SetInterval(50);
    ScrollTimer->OnTimer = [this](TObject* s) { ScrollTimerTimer(s); };

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { MestoMouseDown(s, b, sh, x, y); };
    OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { MestoMouseMove(s, sh, x, y); };
    DoCreate();
}

void TwndVelamo::FormCreate(TObject*) {
    Frame = new TBitmap();
    Buffer->LoadFromFile(AppDir + "hl_obr\\pozadi.bmp");

    CreateBottomBar({TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Help});
    HelpFile = "mesto";
    DrawBarButton(TBarButton::Help);
    Frame->Assign(Buffer);
    Frame->TransparentColor = clFuchsia;
    Frame->Transparent = true;

    Slider = new TPosuvnik(this);
    Slider->SetBounds(314, 406, 12, 9);
    Slider->Bitmap->LoadFromFile(AppDir + "hl_obr\\posuv.bmp");
    Slider->SetCursor(2);
    Slider->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        SliderMouseDown(s, b, sh, x, y);
    };
    Slider->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        SliderMouseUp(s, b, sh, x, y);
    };
    Slider->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { SliderMouseMove(s, sh, x, y); };

    Town = new TBitmap();
    Town->LoadFromFile(DataDir + "mesto.bmp");

    NazevPanel = new TXPanel(this);
    NazevPanel->SetBounds(0, 0, 1, 1);
    NazevPanel->SetVisible(false);
    NazevPanel->SetCursor(2);
    NazevPanel->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        NazevPanelMouseDown(s, b, sh, x, y);
    };

    LeftScrollZone = new TXLabel(this, 0, 14, 6, 392);
    LeftScrollZone->Tag = -1;
    RightScrollZone = new TXLabel(this, 634, 14, 6, 392);
    RightScrollZone->Tag = 1;
    for (TXLabel* zone : {LeftScrollZone, RightScrollZone}) {
        zone->OnMouseEnter = [this](TObject* s) { ScrollZoneEnter(s); };
        zone->OnMouseLeave = [this](TObject* s) { ScrollZoneLeave(s); };
    }

    Mask = new TBitmap();
    Mask->LoadFromFile(DataDir + "mesto_m.bmp");
    for (const TTownPlace& place : TownPlaceTable) {
        int i = place.ProfessionNumber;
        SamplePoint[i] = place.SamplePoint;
        NamePlatePoint[i] = place.NamePlatePoint;
        NamePlate[i] = new TBitmap();
        NamePlate[i]->LoadFromFile(AppDir + "hl_obr\\nazvy\\" + place.PlaceCode + ".bmp");
    }

    ViewWidth = 628;
    ScrollOffset = ViewWidth / 2 - 1760;

    WorkMask = new TBitmap();
    RedrawTown();
}

void TwndVelamo::FormDestroy(TObject*) {
    for (TBitmap*& plate : NamePlate) {
        delete plate;
        plate = nullptr;
    }
    delete Mask;
    delete WorkMask;
    delete Town;
    delete Frame;
    Mask = WorkMask = Town = Frame = nullptr;
}

void TwndVelamo::RedrawTown() {
    Buffer->Canvas()->Draw(ScrollOffset + kTownLeft, kTownTop, Town);
    Buffer->Canvas()->Draw(0, 0, Frame);
    BitBlt(Canvas()->Handle(), 0, 0, 640, 480, Buffer->Canvas()->Handle(), 0, 0, SRCCOPY);
}

const TBitmap* TwndVelamo::ExitSnapshot() {
    // The name plate is left out.
    exitSnapshot_.Assign(Buffer);
    exitSnapshot_.Canvas()->Draw(Slider->Left(), Slider->Top(), Slider->Bitmap);
    return &exitSnapshot_;
}

// ---------------------------------------------------------------------------
// Scrolling

void TwndVelamo::ScrollZoneEnter(TObject* Sender) {
    NazevPanel->Hide();
    ActiveScrollZone = static_cast<TXLabel*>(Sender)->Tag < 0 ? LeftScrollZone : RightScrollZone;
    ScrollTimer->SetEnabled(true);
}

void TwndVelamo::ScrollZoneLeave(TObject*) {
    ScrollTimer->SetEnabled(false);
    ActiveScrollZone = nullptr;
}

bool TwndVelamo::CursorInScrollZone() {
    if (!ActiveScrollZone) return false;
    TPoint p;
    GetCursorPos(&p);
    int x = p.X - Left();
    int y = p.Y - Top();
    const TXLabel* z = ActiveScrollZone;
    return x >= z->Left() && x <= z->Left() + z->Width() && y >= z->Top() && y <= z->Top() + z->Height();
}

void TwndVelamo::ScrollTimerTimer(TObject*) {
    if (!CursorInScrollZone()) {
        ScrollTimer->SetEnabled(false);
        ActiveScrollZone = nullptr;
        return;
    }
    int step = ActiveScrollZone->Tag < 0 ? -kScrollStep : kScrollStep;
    int newOffset = ScrollOffset - step;
    const int leftmost = ViewWidth - Town->Width();
    if (newOffset > 0) newOffset = 0;
    if (newOffset < leftmost) newOffset = leftmost;
    ScrollOffset = newOffset;
    RedrawTown();
    Slider->SetLeft(SliderLeftForOffset(ScrollOffset));
}

void TwndVelamo::SliderMouseDown(TObject*, TMouseButton, TShiftState, int X, int) {
    Slider->Dragging = true;
    Slider->GrabX = X;
}

void TwndVelamo::SliderMouseUp(TObject*, TMouseButton, TShiftState, int, int) { Slider->Dragging = false; }

void TwndVelamo::SliderMouseMove(TObject*, TShiftState, int X, int) {
    if (!Slider->Dragging) return;
    int newLeft = Slider->Left() - (Slider->GrabX - X);
    if (newLeft < kSliderMin || newLeft > kSliderMax) return;
    Slider->SetLeft(newLeft);
    Slider->Repaint();
    ScrollOffset = OffsetForSliderLeft(newLeft);
    RedrawTown();
}

// ---------------------------------------------------------------------------
// Places

void TwndVelamo::MestoMouseMove(TObject*, TShiftState, int X, int Y) {
    const int tx = X - ScrollOffset - kTownLeft;
    const int ty = Y - kTownTop;

    // A point outside the mask (the frame around the town) is no place, as
    // black is.
    const TColor under = Mask->Pixels().Inside(tx, ty) ? Mask->Pixels().Get(tx, ty) : clBlack;
    if (under == clBlack) {
        SetCursor(1);
        NazevPanel->Hide();
        HoverPlace = 0;
    } else {
        SetCursor(2);
        HoverPlace = 0;

        const TColor filled = FillRegionAt(tx, ty);
        for (int i = 1; i <= TownPlaceCount; ++i) {
            if (WorkMask->Canvas()->GetPixel(SamplePoint[i].X, SamplePoint[i].Y) == filled) {
                HoverPlace = Byte(i);
                break;
            }
        }
        RestoreWorkMask();

        if (HoverPlace != 0) {
            TBitmap* plate = NamePlate[HoverPlace];
            NazevPanel->Bitmap->SetSize(plate->Width(), plate->Height());
            NazevPanel->SetBounds(NamePlatePoint[HoverPlace].X + ScrollOffset + kTownLeft,
                                  NamePlatePoint[HoverPlace].Y + kTownTop, plate->Width(), plate->Height());
            NazevPanel->Bitmap->Canvas()->Draw(0, 0, plate);
            NazevPanel->Show();
            NazevPanel->Repaint();
        }
    }
    Repaint();
}

TColor TwndVelamo::FillRegionAt(int tx, int ty) {
    if (WorkMask->Width() != Mask->Width() || WorkMask->Height() != Mask->Height()) WorkMask->Assign(Mask);
    Surface& work = WorkMask->Pixels();
    LastFill = gfx::FloodFillArea(work, gfx::SurfaceRect(work), tx, ty, clBlack, TFillStyle::fsBorder, clNavy);
    return work.Get(tx, ty);
}

void TwndVelamo::RestoreWorkMask() {
    Surface& work = WorkMask->Pixels();
    gfx::CopyArea(work, gfx::SurfaceRect(work), TPoint{LastFill.Left, LastFill.Top}, Mask->Pixels(), LastFill);
    LastFill = TRect{};
}

void TwndVelamo::MestoMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    // A mouse-down over a region that names no place opens nothing: the
    // page would find no profession and stay hidden.
    if (Cursor() != 2 || HoverPlace == 0) return;
    OpenDetailPage(HoverPlace, true);
}

void TwndVelamo::NazevPanelMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    MestoMouseDown(Sender, Button, Shift, X + NazevPanel->Left(), Y + NazevPanel->Top());
}
