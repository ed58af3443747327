#include "shell/TownPanorama.h"

#include "platform/core/rtl.h"
#include "platform/gfx/floodfill.h"
#include "platform/gfx/pixels.h"

namespace {

// The frame's window onto the town: 6 pixels in from the left and top.
constexpr int TownLeft = 6;
constexpr int TownTop = 6;
constexpr int TownViewWidth = 628;
constexpr int TownMiddle = 1760;
constexpr int SliderMin = 14;
constexpr int SliderMax = 614;
constexpr int ScrollRange = 2892;        // the town's width less the view's
constexpr double PixelsPerSliderStep = 4.82;  // 2892 / 600
constexpr int ScrollStep = 30;

}  // namespace

int SliderLeftForOffset(int ScrollOffset) {
    return SliderMax - int(Round((ScrollOffset + ScrollRange) / PixelsPerSliderStep));
}

int OffsetForSliderLeft(int SliderLeft) {
    return int(Round((SliderMax - SliderLeft) * PixelsPerSliderStep)) - ScrollRange;
}

TTownPanorama::TTownPanorama(TComponent* AOwner, const TScreenSetup& Setup) : TScreenFrame(AOwner, Setup) {
    ScrollTimer = new TTimer(this);
    ScrollTimer->SetEnabled(false);
    ScrollTimer->SetInterval(50);
    ScrollTimer->OnTimer = [this](TObject* s) { ScrollTimerTimer(s); };
}

TTownPanorama::~TTownPanorama() = default;

void TTownPanorama::CreateFrame() {
    Frame = std::make_unique<TBitmap>();
    Frame->Assign(Buffer);
    Frame->TransparentColor = clFuchsia;
    Frame->Transparent = true;

    const Surface& f = Frame->Pixels();
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width;) {
            if (f.Get(x, y) == clFuchsia) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < f.width && f.Get(x, y) != clFuchsia) ++x;
            frameRuns_.push_back(Rect(start, y, x, y + 1));
        }
}

void TTownPanorama::CreateSlider() { Slider = ::CreateSlider(this, 314, 406, 12, 9, AppDir + "hl_obr\\posuv.bmp"); }

void TTownPanorama::CreateScrollZones() {
    LeftScrollZone = new TXLabel(this, 0, 14, 6, 392);
    LeftScrollZone->Tag = -1;
    RightScrollZone = new TXLabel(this, 634, 14, 6, 392);
    RightScrollZone->Tag = 1;
    for (TXLabel* zone : {LeftScrollZone, RightScrollZone}) {
        zone->OnMouseEnter = [this](TObject* s) { ScrollZoneEnter(s); };
        zone->OnMouseLeave = [this](TObject* s) { ScrollZoneLeave(s); };
    }
}

void TTownPanorama::LoadPlaces() {
    for (const TTownPlace& place : TownPlaceTable) {
        const int i = place.ProfessionNumber;
        SamplePoint[i] = place.SamplePoint;
        NamePlatePoint[i] = place.NamePlatePoint;
        NamePlate[i] = std::make_unique<TBitmap>();
        NamePlate[i]->LoadFromFile(AppDir + "hl_obr\\nazvy\\" + place.PlaceCode + ".bmp");
    }
}

void TTownPanorama::StartView() {
    ViewWidth = TownViewWidth;
    ScrollOffset = ViewWidth / 2 - TownMiddle;
    PlaceHitTest = std::make_unique<TRegionHitTest>(Mask.get(), clBlack);
}

void TTownPanorama::ClosePlace(Byte Place) {
    Surface& mask = Mask->Pixels();
    gfx::FloodFillArea(mask, gfx::SurfaceRect(mask), SamplePoint[Place].X, SamplePoint[Place].Y, clBlack,
                       TFillStyle::fsBorder, clBlack);
    placeClosed_[Place] = true;
    if (PlaceHitTest) PlaceHitTest->MaskChanged();
}

void TTownPanorama::RedrawTown() { RedrawTownArea(gfx::SurfaceRect(Buffer->Pixels())); }

void TTownPanorama::RedrawTownArea(const TRect& Area) {
    Surface& buffer = Buffer->Pixels();
    const TRect area = gfx::Intersect(Area, gfx::SurfaceRect(buffer));
    if (area.IsEmpty()) return;
    TCanvas* c = Buffer->Canvas();
    c->SetClip(area);
    c->Draw(ScrollOffset + TownLeft, TownTop, Town.get());
    for (const TRect& run : frameRuns_)
        if (run.Top >= area.Top && run.Top < area.Bottom)
            gfx::CopyArea(buffer, area, TPoint{run.Left, run.Top}, Frame->Pixels(), run);
    DrawOverFrame();
    c->ClearClip();
    BitBlt(Canvas()->Handle(), area.Left, area.Top, area.Width(), area.Height(), c->Handle(), area.Left, area.Top,
           SRCCOPY);
}

const TBitmap* TTownPanorama::ExitSnapshot() {
    exitSnapshot_.Assign(Buffer);
    exitSnapshot_.Canvas()->Draw(Slider->Left(), Slider->Top(), Slider->Bitmap.get());
    return &exitSnapshot_;
}

// ---------------------------------------------------------------------------
// Scrolling

void TTownPanorama::ScrollZoneEnter(TObject* Sender) {
    ActiveScrollZone = static_cast<TXLabel*>(Sender)->Tag < 0 ? LeftScrollZone : RightScrollZone;
    ScrollTimer->SetEnabled(true);
}

void TTownPanorama::ScrollZoneLeave(TObject*) {
    ScrollTimer->SetEnabled(false);
    ActiveScrollZone = nullptr;
}

bool TTownPanorama::CursorInScrollZone() {
    if (!ActiveScrollZone) return false;
    TPoint p;
    GetCursorPos(&p);
    const int x = p.X - Left();
    const int y = p.Y - Top();
    const TXLabel* z = ActiveScrollZone;
    return x >= z->Left() && x <= z->Left() + z->Width() && y >= z->Top() && y <= z->Top() + z->Height();
}

void TTownPanorama::ScrollTimerTimer(TObject*) {
    if (!CursorInScrollZone()) {
        ScrollTimer->SetEnabled(false);
        ActiveScrollZone = nullptr;
        return;
    }
    const int step = ActiveScrollZone->Tag < 0 ? -ScrollStep : ScrollStep;
    int newOffset = ScrollOffset - step;
    const int leftmost = ViewWidth - Town->Width();
    if (newOffset > 0) newOffset = 0;
    if (newOffset < leftmost) newOffset = leftmost;
    ScrollOffset = newOffset;
    RedrawTown();
    Slider->SetLeft(SliderLeftForOffset(ScrollOffset));
}

void TTownPanorama::SliderMouseDown(TObject*, TMouseButton, TShiftState, int X, int) {
    Slider->Dragging = true;
    Slider->GrabX = X;
}

void TTownPanorama::SliderMouseUp(TObject*, TMouseButton, TShiftState, int, int) { Slider->Dragging = false; }

void TTownPanorama::SliderMouseMove(TObject*, TShiftState, int X, int) {
    if (!Slider->Dragging) return;
    const int newLeft = Slider->Left() - (Slider->GrabX - X);
    if (newLeft < SliderMin || newLeft > SliderMax) return;
    Slider->SetLeft(newLeft);
    Slider->Repaint();
    ScrollOffset = OffsetForSliderLeft(newLeft);
    RedrawTown();
}

// ---------------------------------------------------------------------------
// Places

TTownPoint TTownPanorama::HitTest(int X, int Y) {
    const int tx = X - ScrollOffset - TownLeft;
    const int ty = Y - TownTop;
    HoverPlace = 0;

    TTownPoint where = TTownPoint::Region;
    if (ty >= Mask->Height()) {
        where = TTownPoint::Below;
    } else if (!Mask->Pixels().Inside(tx, ty)) {
        // The band above the view and the sides, where the mask gives no
        // colour: no place, as black is.
        where = TTownPoint::Beside;
    } else if (Mask->Pixels().Get(tx, ty) == clBlack) {
        where = TTownPoint::Black;
    }
    if (where != TTownPoint::Region) {
        SetCursor(ArrowCursor);
        return where;
    }

    SetCursor(HandCursor);
    // A closed place's sample point is black, in no region.
    HoverPlace = Byte(PlaceHitTest->MarkerAt(tx, ty, std::span(SamplePoint + 1, TownPlaceCount)) + 1);
    return where;
}

TPoint TTownPanorama::NamePlateAt(Byte Place) const {
    return {NamePlatePoint[Place].X + ScrollOffset + TownLeft, NamePlatePoint[Place].Y + TownTop};
}
