#include "simulations/USimulaceMalir.h"

#include <utility>

#include "platform/core/strings.h"

TwndSimulaceMalir* wndSimulaceMalir = nullptr;

namespace {

String MalpokFile(const String& Name) { return AppDir + "simul\\malpok\\" + Name + ".bmp"; }

// A picture drawn with magenta left out.
std::unique_ptr<TBitmap> LoadTransparent(const String& Name) {
    auto picture = std::make_unique<TBitmap>();
    picture->LoadFromFile(MalpokFile(Name));
    picture->Transparent = true;
    picture->TransparentColor = clFuchsia;
    return picture;
}

bool PaintedAt(const TBitmap& Picture, int X, int Y) {
    return Picture.Pixels().Inside(X, Y) && Picture.Pixels().Get(X, Y) != clFuchsia;
}

constexpr int BrushTag = 1;
constexpr int RollerTag = 2;

TXLabel* CreateTool(TComponent* Owner, int Tag) {
    const TRect& area = RoomToolAreas[Tag - 1];
    auto* tool = new TXLabel(Owner, area.Left, area.Top, area.Width(), area.Height());
    tool->Tag = Tag;
    return tool;
}

}  // namespace

TwndSimulaceMalir::TwndSimulaceMalir(TComponent* AOwner)
    : TScreenFrame(AOwner, {.Caption = "Velamo - Simulace: Malíř pokojů", .Menu = TScreenMenu::Simulations}) {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };
    OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { FormMouseDown(s, b, sh, x, y); };
    DoCreate();
}

TwndSimulaceMalir::~TwndSimulaceMalir() = default;

void TwndSimulaceMalir::FormCreate(TObject*) {
    PrintDialog = new TPrintDialog(this);
    FurnishedView = false;
    SavedBuffer = std::make_unique<TBitmap>();
    Buffer->LoadFromFile(MalpokFile("pozadi"));
    CreateBottomBar({TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Menu,
                     TBarButton::Print, TBarButton::Help});
    HelpFile = "malir";
    DrawBarButton(TBarButton::Help);

    for (int n = 1; n <= RoomSurfaceCount; ++n)
        SurfaceBitmaps[std::size_t(n)] = LoadTransparent(String("steny\\") + RoomSurfaceTable[n - 1].Picture);
    PaletteMask = std::make_unique<TBitmap>();
    PaletteMask->LoadFromFile(MalpokFile("barvy"));
    paletteRegions_ = std::make_unique<TRegionHitTest>(PaletteMask.get(), clFuchsia);
    for (int n = 0; n < PaintCount; ++n) paintMarkers_[std::size_t(n)] = PaintColourTable[n].Marker;
    CurrentColour = PaintColourTable[PaintCount - 1].Colour;
    for (int n = 1; n <= PaintCount; ++n) ColourSwatches[std::size_t(n)] = LoadTransparent("barvy\\" + IntToStr(n));
    Buffer->Canvas()->Draw(PaintSwatchAt.X, PaintSwatchAt.Y, ColourSwatches[PaintCount].get());

    BrushPicture = LoadTransparent("stetka");
    RollerPicture = LoadTransparent("valecek");
    for (int n = 1; n <= RollerPatternCount; ++n)
        RollerPreviews[std::size_t(n)] = LoadTransparent("valecky\\" + IntToStr(n));
    BrushLabel = CreateTool(this, BrushTag);
    RollerLabel = CreateTool(this, RollerTag);
    for (TXLabel* tool : {BrushLabel, RollerLabel})
        tool->OnMouseDown = [this](TObject* s, TMouseButton, TShiftState, int, int) { SelectTool(s); };

    // Its hover and normal pictures change places at each switch of the
    // view: normally it shows the furnished room.
    const TRect& button = FurnishedButtonArea;
    FurnishedButton = new TBMPLabel(this, MalpokFile("obyv1"), MalpokFile("obyv2"), button.Left, button.Top,
                                    button.Width(), button.Height());
    FurnishedButton->OnClick = [this](TObject* s) { ToggleFurnishedView(s); };
    Buffer->Canvas()->Draw(FurnishedButton->Left(), FurnishedButton->Top(), FurnishedButton->NormalBitmap.get());
    // No surface, tool or pattern is drawn: the room shows as the
    // background has it.
}

void TwndSimulaceMalir::PrintClick(TObject*) { PrintPicture(PrintDialog, Buffer, RoomPainterPrint); }

void TwndSimulaceMalir::FormMouseMove(TObject*, TShiftState, int X, int Y) {
    if (FurnishedView) return;
    Surface = 0;
    for (int n = 1; n <= RoomSurfaceCount && Surface == 0; ++n)
        if (PaintedAt(*SurfaceBitmaps[std::size_t(n)], X, Y)) Surface = Byte(n);
    // Over a surface the palette keeps its state.
    if (Surface == 0) PaletteState = PaintedAt(*PaletteMask, X, Y) ? 255 : 0;
    SetCursor(Surface == 0 && PaletteState == 0 ? ArrowCursor : HandCursor);
}

void TwndSimulaceMalir::FormMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    if (FurnishedView || (Surface == 0 && PaletteState == 0) || Cursor() != HandCursor) return;
    if (PaletteState == 255) PaletteState = PickColour(X, Y);
    if (PaletteState >= 1 && PaletteState <= PaintCount) {
        CurrentColour = PaintColourTable[PaletteState - 1].Colour;
        Buffer->Canvas()->Draw(PaintSwatchAt.X, PaintSwatchAt.Y, ColourSwatches[PaletteState].get());
    }
    if (Surface != 0) PaintSurface(Surface);
    Buffer->Canvas()->Draw(FurnishedButton->Left(), FurnishedButton->Top(), FurnishedButton->NormalBitmap.get());
    if (Surface != 0) RedrawRoom({Surface});
    else RedrawRoom({});
}

Byte TwndSimulaceMalir::PickColour(int X, int Y) {
    return Byte(paletteRegions_->MarkerAt(X, Y, paintMarkers_) + 1);
}

void TwndSimulaceMalir::PaintSurface(Byte Number) {
    TBitmap* picture = SurfaceBitmaps[Number].get();
    TCanvas* canvas = picture->Canvas();
    canvas->Brush.Style = TBrushStyle::bsSolid;
    canvas->Brush.Color = CurrentColour;
    const TRoomSurface& surface = RoomSurfaceTable[Number - 1];
    for (int i = 0; i < surface.SeedCount; ++i) {
        const TPoint seed = surface.Seeds[i];
        const TColor under = canvas->GetPixel(seed.X, seed.Y);
        // A seed off its surface would paint the magenta around it and so
        // cover the whole screen.
        if (under == clFuchsia) continue;
        canvas->FloodFill(seed.X, seed.Y, under, TFillStyle::fsSurface);
    }
}

void TwndSimulaceMalir::RedrawRoom(std::initializer_list<Byte> Surfaces) {
    for (int n = 1; n <= RoomSurfaceCount; ++n)
        for (Byte s : Surfaces)
            if (s == n) Buffer->Canvas()->Draw(0, 0, SurfaceBitmaps[std::size_t(n)].get());
    if (Pattern != 0) {
        const auto pattern = LoadTransparent("vzory\\" + IntToStr(Pattern));
        Buffer->Canvas()->Draw(PatternAt.X, PatternAt.Y, pattern.get());
    }
    Repaint();
}

void TwndSimulaceMalir::SelectTool(TObject* Sender) {
    TCanvas* canvas = Buffer->Canvas();
    if (static_cast<TComponent*>(Sender)->Tag == BrushTag) {
        Pattern = 0;
        canvas->Draw(ToolPictureAt.X, ToolPictureAt.Y, BrushPicture.get());
    } else {
        // Pattern 10 is followed by 1; the preview shows the pattern that
        // the next press gives.
        Pattern = Byte((Pattern + 1) % RollerPatternCount);
        canvas->Draw(ToolPictureAt.X, ToolPictureAt.Y, RollerPicture.get());
        canvas->Draw(RollerPreviewAt.X, RollerPreviewAt.Y, RollerPreviews[std::size_t(Pattern + 1)].get());
        if (Pattern == 0) Pattern = RollerPatternCount;
    }
    RedrawRoom({1, 2, 3, 4});
}

void TwndSimulaceMalir::ToggleFurnishedView(TObject*) {
    FurnishedView = !FurnishedView;
    std::swap(FurnishedButton->HoverBitmap, FurnishedButton->NormalBitmap);
    FurnishedButton->Perform(CM_MOUSELEAVE);
    BrushLabel->SetEnabled(!FurnishedView);
    RollerLabel->SetEnabled(!FurnishedView);
    if (FurnishedView) {
        // An overlay only: the room under it is put back as it was.
        SavedBuffer->Assign(Buffer);
        const auto furnished = LoadTransparent("obyvak");
        Buffer->Canvas()->Draw(FurnishedAt.X, FurnishedAt.Y, furnished.get());
    } else {
        Buffer->Assign(SavedBuffer.get());
    }
    Buffer->Canvas()->Draw(FurnishedButton->Left(), FurnishedButton->Top(), FurnishedButton->HoverBitmap.get());
    Repaint();
}
