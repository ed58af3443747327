// The room painter: an empty room of four surfaces (left wall, ceiling,
// right wall, front wall), a palette of 31 paints, a brush and a roller of
// ten patterns, and a button that shows the room furnished, for looking
// only. Made anew by the simulations menu; it frees itself when closed, so
// every visit starts from the bare room, white paint and no pattern.
#pragma once

#include <array>
#include <initializer_list>
#include <memory>

#include "platform/print/printdialog.h"
#include "shell/OneBased.h"
#include "shell/RegionHitTest.h"
#include "shell/ScreenFrame.h"
#include "simulations/PrintPicture.h"
#include "simulations/RoomPainterTables.h"

inline constexpr int RoomSurfaceCount = 4;
inline constexpr int PaintCount = 31;

class TwndSimulaceMalir : public TScreenFrame {
public:
    explicit TwndSimulaceMalir(TComponent* AOwner);
    ~TwndSimulaceMalir() override;

    TPrintDialog* PrintDialog = nullptr;
    // Buffer as it was when the furnished view was switched on.
    std::unique_ptr<TBitmap> SavedBuffer;
    // The surface under the pointer at the last move over the form: 1..4,
    // 0 for none.
    Byte Surface = 0;
    // 0: the pointer is not over the palette; 255: it is (set by a move);
    // 1..31: the paint taken by the last press on the palette.
    Byte PaletteState = 0;
    // By surface 1..4: full-screen pictures holding their
    // surface in its present paint, magenta elsewhere. They are the room's
    // paint.
    TOneBased<std::unique_ptr<TBitmap>, RoomSurfaceCount> SurfaceBitmaps;
    // Full screen: each paint's field in some colour, magenta between and
    // around them.
    std::unique_ptr<TBitmap> PaletteMask;
    TColor CurrentColour = clWhite;
    bool FurnishedView = false;
    // By paint 1..31.
    TOneBased<std::unique_ptr<TBitmap>, PaintCount> ColourSwatches;
    TXLabel* BrushLabel = nullptr;
    TXLabel* RollerLabel = nullptr;
    std::unique_ptr<TBitmap> BrushPicture;
    std::unique_ptr<TBitmap> RollerPicture;
    // 0: the brush, no pattern; 1..10: the roller's pattern.
    Byte Pattern = 0;
    // By pattern 1..10.
    TOneBased<std::unique_ptr<TBitmap>, RollerPatternCount> RollerPreviews;
    TBMPLabel* FurnishedButton = nullptr;

    void FormCreate(TObject* Sender);
    void PrintClick(TObject* Sender) override;
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // The paint under a point of the palette, 1..31, or 0.
    Byte PickColour(int X, int Y);
    // The surface's seeds, each filling the flat area of its own colour
    // around it with CurrentColour, in its surface picture.
    void PaintSurface(Byte Number);
    // The surfaces named drawn into Buffer, then the pattern over the room,
    // then the repaint.
    void RedrawRoom(std::initializer_list<Byte> Surfaces);
    void SelectTool(TObject* Sender);
    void ToggleFurnishedView(TObject* Sender);

private:
    std::unique_ptr<TRegionHitTest> paletteRegions_;
    std::array<TPoint, PaintCount> paintMarkers_{};
};

extern TwndSimulaceMalir* wndSimulaceMalir;
