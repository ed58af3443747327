#include "simulations/USimulaceVizazistka.h"

#include "platform/core/strings.h"

TwndSimulaceVizazistka* wndSimulaceVizazistka = nullptr;

namespace {

String VizazFile(const String& Name) { return AppDir + "simul\\vizaz\\" + Name + ".bmp"; }

}  // namespace

TwndSimulaceVizazistka::TwndSimulaceVizazistka(TComponent* AOwner)
    : TScreenFrame(AOwner, {.Caption = "Velamo - Simulace: Vizážistka", .Menu = TScreenMenu::Simulations}) {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnClick = [this](TObject* s) { FormClick(s); };
    DoCreate();
}

TwndSimulaceVizazistka::~TwndSimulaceVizazistka() = default;

void TwndSimulaceVizazistka::FormCreate(TObject*) {
    PrintDialog = new TPrintDialog(this);
    Buffer->LoadFromFile(VizazFile("pozadi"));
    CreateBottomBar({TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Menu,
                     TBarButton::Print, TBarButton::Help});
    HelpFile = "vizaz";
    DrawBarButton(TBarButton::Help);

    HairButton = new TXLabel(this, WigPreviewArea.Left, WigPreviewArea.Top, WigPreviewArea.Width(),
                             WigPreviewArea.Height());
    HairButton->Tag = 0;
    HairButton->OnMouseDown = [this](TObject* s, TMouseButton, TShiftState, int, int) { NextHair(s); };
    for (int n = 0; n < WigCount; ++n) {
        WigPreviews[std::size_t(n)] = std::make_unique<TBitmap>();
        WigPreviews[std::size_t(n)]->LoadFromFile(VizazFile("paruky\\p" + IntToStr(n)));
    }
    // The head shows hairstyle 0 (the background's own); the button the
    // next one.
    Buffer->Canvas()->Draw(WigPreviewArea.Left, WigPreviewArea.Top, WigPreviews[1].get());

    for (int kind = 0; kind < MakeupKindCount; ++kind) CreatePalette(kind);
}

void TwndSimulaceVizazistka::PrintClick(TObject*) { PrintPicture(PrintDialog, Buffer, MakeupArtistPrint); }

void TwndSimulaceVizazistka::CreatePalette(int Kind) {
    const TMakeupKind& k = MakeupKindTable[Kind];
    TPalette& p = Palettes[std::size_t(Kind)];
    p.PaletteOpener = new TXLabel(this, k.Opener.Left, k.Opener.Top, k.Opener.Width(), k.Opener.Height());
    p.PaletteOpener->OnClick = [this, Kind](TObject*) { TogglePalette(Kind); };

    p.PalettePanel = new TXPanel(this);
    p.PalettePanel->SetBounds(k.Panel.Left, k.Panel.Top, k.Panel.Width(), k.Panel.Height());
    p.PalettePanel->SetCursor(ArrowCursor);
    p.PalettePanel->Hide();

    const int size = Kind == mkLashes ? LashesSwatchSize : SwatchSize;
    for (int i = 1; i <= k.Swatches; ++i) {
        const TMakeupSwatch s = MakeupSwatch(Kind, i);
        auto* swatch = new TXLabel(p.PalettePanel, s.Place.X, s.Place.Y, size, size);
        swatch->Tag = s.Tag;
        switch (Kind) {
            case mkEyeShadow: swatch->OnClick = [this](TObject* sender) { ApplyEyeShadow(sender); }; break;
            case mkLashes: swatch->OnClick = [this](TObject* sender) { ApplyLashes(sender); }; break;
            default: swatch->OnClick = [this, Kind](TObject* sender) { ApplyMakeup(Kind, sender); }; break;
        }
        p.Swatches.push_back(swatch);
    }
}

void TwndSimulaceVizazistka::NextHair(TObject*) {
    HidePalettes();
    HairButton->Tag = (HairButton->Tag + 1) % WigCount;
    TBitmap* next = WigPreviews[std::size_t((HairButton->Tag + 1) % WigCount)].get();
    BitBlt(Buffer->Canvas(), WigPreviewArea.Left, WigPreviewArea.Top, WigPreviewArea.Width(),
           WigPreviewArea.Height(), next->Canvas(), 0, 0, SRCCOPY);
    DrawLayer(VizazFile("vlasy\\v" + IntToStr(HairButton->Tag)), HairAt);
}

void TwndSimulaceVizazistka::TogglePalette(int Kind) {
    TXPanel* panel = Palettes[std::size_t(Kind)].PalettePanel;
    if (panel->Visible()) {
        panel->Hide();
        return;
    }
    HidePalettes();
    // The palette lies over a snapshot of the face under it; Buffer itself
    // never shows a palette.
    panel->Bitmap->SetSize(panel->Width(), panel->Height());
    BitBlt(panel->Bitmap->Canvas(), 0, 0, panel->Width(), panel->Height(), Buffer->Canvas(), panel->Left(),
           panel->Top(), SRCCOPY);
    TBitmap palette;
    palette.LoadFromFile(VizazFile(String("palety\\") + MakeupKindTable[Kind].Palette));
    palette.Transparent = true;
    palette.TransparentColor = clFuchsia;
    panel->Bitmap->Canvas()->Draw(0, 0, &palette);
    panel->Show();
}

void TwndSimulaceVizazistka::HidePalettes() {
    for (TPalette& p : Palettes)
        if (p.PalettePanel->Visible()) p.PalettePanel->Hide();
}

void TwndSimulaceVizazistka::ApplyMakeup(int Kind, TObject* Sender) {
    const TMakeupKind& k = MakeupKindTable[Kind];
    const int tag = static_cast<TComponent*>(Sender)->Tag;
    DrawLayer(VizazFile(String(k.LayerFolder) + "\\" + k.LayerPrefix + IntToStr(tag)), k.LayerAt);
}

void TwndSimulaceVizazistka::ApplyEyeShadow(TObject* Sender) {
    EyeShadow = Byte(static_cast<TComponent*>(Sender)->Tag);
    DrawEyeLayer();
}

void TwndSimulaceVizazistka::ApplyLashes(TObject* Sender) {
    LashesOn = static_cast<TComponent*>(Sender)->Tag == 1;
    DrawEyeLayer();
}

void TwndSimulaceVizazistka::DrawEyeLayer() {
    const String file = LashesOn ? String(LashesLayerFolder) + "\\" + LashesLayerPrefix + IntToStr(EyeShadow)
                                 : String(MakeupKindTable[mkEyeShadow].LayerFolder) + "\\" +
                                       MakeupKindTable[mkEyeShadow].LayerPrefix + IntToStr(EyeShadow);
    DrawLayer(VizazFile(file), EyeLayerAt);
}

void TwndSimulaceVizazistka::DrawLayer(const String& File, TPoint At) {
    TBitmap layer;
    layer.LoadFromFile(File);
    layer.Transparent = true;
    layer.TransparentColor = clFuchsia;
    Buffer->Canvas()->Draw(At.X, At.Y, &layer);
    Repaint();
}

void TwndSimulaceVizazistka::FormClick(TObject*) { HidePalettes(); }
