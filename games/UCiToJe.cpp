#include "games/UCiToJe.h"

#include "games/TownGameThings.h"
#include "games/UCiToJe2.h"
#include "platform/core/rtl.h"
#include "platform/core/strings.h"
#include "shell/UDetailProfese.h"
#include "shell/UVelamo.h"

TwndCiToJe* wndCiToJe = nullptr;

namespace {

constexpr std::initializer_list<TBarButton> BarButtons = {TBarButton::Exit, TBarButton::Games, TBarButton::Simulations,
                                                   TBarButton::Menu, TBarButton::Help};
constexpr TPoint ThingBox{569, 429};
constexpr int WrongAnswersForPage = 3;

}  // namespace

String TownGamePicture(Byte Place, const String& Rest) { return AppDir + "hry\\citoje\\" + IntToStr(Place) + Rest; }

TwndCiToJe::TwndCiToJe(TComponent* AOwner)
    : TTownPanorama(AOwner, {.Caption = "Velamo - Hry: Čí to je", .Menu = TScreenMenu::Games,
                             .StopSoundOnDeactivate = true}) {
    lbObjekt = new TLabel(this);
    lbObjekt->SetParent(this);
    lbObjekt->SetAutoSize(false);
    lbObjekt->SetCaption("");
    lbObjekt->SetTransparent(true);
    lbObjekt->SetBounds(563, 426, 65, 46);
    lbObjekt->OnClick = [this](TObject* s) { lbObjektClick(s); };
    lbObjekt->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { ObjektMouseMove(s, sh, x, y); };

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { MestoMouseDown(s, b, sh, x, y); };
    OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { MestoMouseMove(s, sh, x, y); };
    DoCreate();
}

void TwndCiToJe::FormCreate(TObject*) {
    resultWindow_ = new TwndCiToJe2(nullptr, this);
    resultWindow_->BindGlobal(wndCiToJe2);

    // The game's screen picture; Frame (the town showing through its magenta
    // window) is a copy of it with the help button drawn in.
    Buffer->LoadFromFile(AppDir + "hry\\citoje\\pozadi.bmp");
    CreateBottomBar(BarButtons);
    for (TBarButton b : BarButtons)
        BarButton(b)->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { ObjektMouseMove(s, sh, x, y); };
    HelpFile = "michacka";
    DrawBarButton(TBarButton::Help);
    CreateFrame();

    CreateSlider();
    Town = std::make_unique<TBitmap>();
    Town->Assign(wndVelamo->Town.get());
    CreateScrollZones();
    LoadPlaces();
    Mask = std::make_unique<TBitmap>();
    Mask->Assign(wndVelamo->Mask.get());
    for (Byte place : TownGameClosedPlaces) ClosePlace(place);
    StartView();

    ThingBitmap = std::make_unique<TBitmap>();
    Randomize();
    lbObjekt->SetCursor(HandCursor);
    RedrawTown();
    NewThing();
}

void TwndCiToJe::FormDestroy(TObject*) {
    // Freed when the loop next runs. It is gone already when the program
    // ends with both (the application frees its forms in its own order), and
    // there is none when the program ended while it was being made.
    if (resultWindow_) {
        resultWindow_->game_ = nullptr;
        resultWindow_->Release();
    }
}

void TwndCiToJe::NewThing() {
    do {
        ThingPlace = Byte(Random(TownPlaceCount) + 1);
    } while (PlaceClosed(ThingPlace));
    ThingVariant = Byte(Random(TownGameThingCount[ThingPlace - 1]) + 1);

    Buffer->Assign(Frame.get());
    Buffer->Transparent = false;
    ThingBitmap->LoadFromFile(TownGamePicture(ThingPlace, "A\\" + IntToStr(ThingVariant) + ".bmp"));
    ThingBitmap->TransparentColor = clFuchsia;
    ThingBitmap->Transparent = true;
    WrongAnswers = 0;
    Carrying = false;
    RedrawTown();
}

void TwndCiToJe::DrawOverFrame() {
    TCanvas* c = Buffer->Canvas();
    if (ThingPlace != 0) c->Draw(ThingBox.X, ThingBox.Y, ThingBitmap.get());
    plateDrawn_ = HoverPlace;
    if (HoverPlace != 0) {
        const TPoint at = NamePlateAt(HoverPlace);
        c->Draw(at.X, at.Y, NamePlate[HoverPlace].get());
    }
    if (Carrying) c->Draw(CarryPoint.X, CarryPoint.Y, ThingBitmap.get());
}

TRect TwndCiToJe::PlateArea(Byte Place) const {
    if (Place == 0) return {};
    const TPoint at = NamePlateAt(Place);
    return Bounds(at.X, at.Y, NamePlate[Place]->Width(), NamePlate[Place]->Height());
}

TRect TwndCiToJe::CarriedArea() const {
    return Bounds(CarryPoint.X, CarryPoint.Y, ThingBitmap->Width(), ThingBitmap->Height());
}

void TwndCiToJe::MestoMouseMove(TObject*, TShiftState, int X, int Y) { MoveOver(X, Y, {}); }

void TwndCiToJe::MoveOver(int X, int Y, const TRect& alsoShown) {
    const TRect thingWas = CarriedArea();
    if (Carrying) CarryPoint = TPoint{X - ThingBitmap->Width() / 2, Y - ThingBitmap->Height() / 2};
    const Byte plateShown = HoverPlace;
    // Below the town (the frame under it, the box, the bar) only the carried
    // thing moves, over the plate shown before; every other point redraws
    // with its place's plate or none. One drawing either way.
    if (HitTest(X, Y) != TTownPoint::Below) {
        RedrawMove(thingWas, alsoShown);
    } else if (Carrying) {
        const Byte hit = HoverPlace;
        HoverPlace = plateShown;
        RedrawMove(thingWas, alsoShown);
        HoverPlace = hit;
    }
}

void TwndCiToJe::RedrawMove(const TRect& thingWas, const TRect& alsoShown) {
    if (!Carrying) {
        RedrawTown();
        return;
    }
    // The town holds the same view as at the last drawing: only the carried
    // thing's places, the plates shown and to show, and the control the
    // pointer is over (a bar button's hover picture) change.
    const TRect thingIs = CarriedArea();
    const bool plateChanges = plateDrawn_ != HoverPlace;
    const TRect plateWas = plateChanges ? PlateArea(plateDrawn_) : TRect{};
    const TRect plateIs = plateChanges ? PlateArea(HoverPlace) : TRect{};
    for (const TRect& area : {thingWas, thingIs, plateWas, plateIs, alsoShown}) RedrawTownArea(area);
}

void TwndCiToJe::ObjektMouseMove(TObject* Sender, TShiftState, int X, int Y) {
    const auto* control = static_cast<TControl*>(Sender);
    MoveOver(control->Left() + X, control->Top() + Y, control->BoundsRect());
}

void TwndCiToJe::lbObjektClick(TObject*) {
    if (!InFront()) return;
    Carrying = !Carrying;
    if (Carrying) {
        // Picked up: the thing comes under the mouse at once, not where it
        // was last put back.
        TPoint p;
        GetCursorPos(&p);
        CarryPoint = TPoint{p.X - Left() - ThingBitmap->Width() / 2, p.Y - Top() - ThingBitmap->Height() / 2};
    }
    RedrawTown();
}

void TwndCiToJe::MestoMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    // In front only: a press of another button while one is held on the town
    // reaches the town also under the page or the result window it opened.
    if (Cursor() != HandCursor || !InFront()) return;
    if (ThingPlace == HoverPlace) {
        resultWindow_->ShowDelivered(ThingPlace, ThingVariant);
        return;
    }
    PlaySoundFile(AppDir + "sound\\spatne.wav");
    if (++WrongAnswers != WrongAnswersForPage) return;
    // The page of the place the thing belongs to, with back and print only;
    // the next thing waits when the child comes back.
    OpenDetailPage(ThingPlace, false);
    if (!Closed()) NewThing();
}
