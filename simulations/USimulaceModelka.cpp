#include "simulations/USimulaceModelka.h"

#include "platform/core/strings.h"

TwndSimulaceModelka* wndSimulaceModelka = nullptr;

namespace {

const TGarmentKind& Kind(Byte Tag) { return GarmentKindTable[Tag - 1]; }

String GarmentFile(const char* Folder, const TGarmentKind& K, int Item) {
    return AppDir + "simul\\modelka\\" + Folder + "\\" + K.Folder + "\\" + K.Prefix + IntToStr(Item) + ".bmp";
}

constexpr Byte Bit(TGarment g) { return Byte(1u << g); }

// What each kind takes off when it goes on, by Tag: the dress and the
// garments of its places.
constexpr Byte Rivals[GarmentKindCount + 1] = {
    0,
    0,                                                          // shoes
    Bit(gSkirt) | Bit(gDress),                                  // trousers
    Bit(gTShirt) | Bit(gDress),                                 // shirt
    Bit(gTrousers) | Bit(gShirt) | Bit(gSkirt) | Bit(gTShirt),  // dress
    Bit(gTrousers) | Bit(gDress),                               // skirt
    Bit(gShirt) | Bit(gDress),                                  // T-shirt
};

// What covers each body region, by the mask's markers.
constexpr Byte Covering[3] = {
    Bit(gTShirt) | Bit(gShirt) | Bit(gDress),    // upper body
    Bit(gTrousers) | Bit(gSkirt) | Bit(gDress),  // legs
    Bit(gShoes),                                 // feet
};

// The order in which worn garments are drawn when no dress is worn.
constexpr TGarment DrawOrder[] = {gShoes, gTrousers, gShirt, gSkirt, gTShirt};

}  // namespace

// ---------------------------------------------------------------------------

TWardrobe::TWardrobe() {
    for (Byte tag = 1; tag <= GarmentKindCount; ++tag) GarmentIndex[tag] = Byte(Kind(tag).Items - 1);
}

void TWardrobe::Select(Byte Tag) {
    GarmentIndex[Tag] = NextItem(Tag);
    GarmentWorn[Tag] = true;
    TakeOff(Rivals[Tag]);
}

void TWardrobe::Undress(int Region) {
    TakeOff(Covering[Region]);
}

void TWardrobe::TakeOff(Byte Garments) {
    for (Byte tag = 1; tag <= GarmentKindCount; ++tag)
        if (Garments & Bit(TGarment(tag))) GarmentWorn[tag] = false;
}

Byte TWardrobe::NextItem(Byte Tag) const { return Byte((GarmentIndex[Tag] + 1) % Kind(Tag).Items); }

// ---------------------------------------------------------------------------

TwndSimulaceModelka::TwndSimulaceModelka(TComponent* AOwner)
    : TScreenFrame(AOwner, {.Caption = "Velamo - Simulace: Modelka", .Menu = TScreenMenu::Simulations}) {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };
    OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { FormMouseDown(s, b, sh, x, y); };
    DoCreate();
}

TwndSimulaceModelka::~TwndSimulaceModelka() = default;

void TwndSimulaceModelka::FormCreate(TObject*) {
    PrintDialog = new TPrintDialog(this);
    Buffer->LoadFromFile(AppDir + "simul\\modelka\\pozadi.bmp");
    BodyMask = std::make_unique<TBitmap>();
    BodyMask->LoadFromFile(AppDir + "simul\\modelka\\mod_mask.bmp");
    bodyRegions_ = std::make_unique<TRegionHitTest>(BodyMask.get(), clBlack);
    CreateBottomBar({TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Menu,
                     TBarButton::Print, TBarButton::Help});
    HelpFile = "modelka";
    DrawBarButton(TBarButton::Help);
    CleanBuffer = std::make_unique<TBitmap>();
    CleanBuffer->Assign(Buffer);

    for (const TGarmentKind& k : GarmentKindTable) {
        auto* chooser = new TXLabel(this, k.Chooser.Left, k.Chooser.Top, k.Chooser.Width(), k.Chooser.Height());
        chooser->Tag = k.Tag;
        chooser->OnMouseDown = [this](TObject* s, TMouseButton, TShiftState, int, int) { SelectGarment(s); };
        Choosers[k.Tag] = chooser;
        for (int n = 1; n <= k.Items; ++n) {
            auto& preview = PreviewBitmaps[k.Tag].emplace_back(std::make_unique<TBitmap>());
            preview->LoadFromFile(GarmentFile("vyber", k, n));
            auto& worn = WornBitmaps[k.Tag].emplace_back(std::make_unique<TBitmap>());
            worn->LoadFromFile(GarmentFile("oblec", k, n));
            worn->Transparent = k.WornTransparent;
            worn->TransparentColor = clFuchsia;
        }
    }
    // Nothing is drawn yet: the background shows as loaded until the first
    // press.
}

void TwndSimulaceModelka::PrintClick(TObject*) { PrintPicture(PrintDialog, Buffer, ModelPrint); }

void TwndSimulaceModelka::SelectGarment(TObject* Sender) {
    Wardrobe.Select(Byte(static_cast<TComponent*>(Sender)->Tag));
    RedrawModel();
}

void TwndSimulaceModelka::RedrawModel() {
    Buffer->Assign(CleanBuffer.get());
    TCanvas* canvas = Buffer->Canvas();
    const auto drawWorn = [&](TGarment g) {
        const TPoint at = Kind(g).WornAt;
        canvas->Draw(at.X, at.Y, WornBitmaps[g][Wardrobe.GarmentIndex[g]].get());
    };
    if (Wardrobe.GarmentWorn[gDress]) {
        drawWorn(gDress);
    } else {
        for (TGarment g : DrawOrder)
            if (Wardrobe.GarmentWorn[g]) drawWorn(g);
    }
    for (const TGarmentKind& k : GarmentKindTable)
        canvas->Draw(k.Chooser.Left, k.Chooser.Top, PreviewBitmaps[k.Tag][Wardrobe.NextItem(k.Tag)].get());
    Repaint();
}

bool TwndSimulaceModelka::OnBody(int X, int Y) const {
    const int mx = X - BodyMaskOrigin.X, my = Y - BodyMaskOrigin.Y;
    return BodyMask->Pixels().Inside(mx, my) && BodyMask->Pixels().Get(mx, my) != clBlack;
}

void TwndSimulaceModelka::FormMouseMove(TObject*, TShiftState, int X, int Y) { SetCursor(OnBody(X, Y) ? HandCursor : ArrowCursor); }

void TwndSimulaceModelka::FormMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    if (Cursor() != HandCursor) return;
    const int region = bodyRegions_->MarkerAt(X - BodyMaskOrigin.X, Y - BodyMaskOrigin.Y, BodyMaskMarkers);
    if (region >= 0) Wardrobe.Undress(region);
    RedrawModel();
}
