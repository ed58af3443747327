// The town window: the program's main window and home screen. A wide town
// picture scrolls sideways inside a fixed frame; its 43 places lead to the
// professions' detail pages.
#pragma once

#include <memory>

#include "platform/media/mediaplayer.h"
#include "shell/ScreenFrame.h"
#include "shell/TownPlaceTable.h"

class TwndVelamo : public TScreenFrame {
public:
    explicit TwndVelamo(TComponent* AOwner);

    // The one media player of the program: every screen's spoken help.
    // Owned by the form, as its components are.
    TMediaPlayer* Prehravac;
    TTimer* ScrollTimer;

    TBitmap* Frame = nullptr;
    TXLabel* LeftScrollZone = nullptr;
    TXLabel* RightScrollZone = nullptr;
    TPosuvnik* Slider = nullptr;
    TBitmap* Town = nullptr;

    // The places and their hit test.
    TBitmap* Mask = nullptr;
    TBitmap* WorkMask = nullptr;  // see FillRegionAt
    TPoint SamplePoint[TownPlaceCount + 1] = {};      // 1..43
    TPoint NamePlatePoint[TownPlaceCount + 1] = {};   // 1..43
    TBitmap* NamePlate[TownPlaceCount + 1] = {};      // 1..43
    Byte HoverPlace = 0;
    TXPanel* NazevPanel = nullptr;

    TXLabel* ActiveScrollZone = nullptr;
    int ScrollOffset = 0;
    int ViewWidth = 0;

    void RedrawTown();
    bool CursorInScrollZone();

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void ScrollZoneEnter(TObject* Sender);
    void ScrollZoneLeave(TObject* Sender);
    void ScrollTimerTimer(TObject* Sender);
    void SliderMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SliderMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SliderMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void MestoMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void MestoMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void NazevPanelMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

protected:
    // The slider is a window of its own: the snapshot gets its picture.
    const TBitmap* ExitSnapshot() override;

private:
    TBitmap exitSnapshot_;
    // WorkMask is a copy of Mask that lives between moves: each hit test
    // fills the region under the mouse with navy, reads the sample points,
    // then copies back only the filled area from Mask. That is the same as
    // filling a fresh copy of the whole mask, without copying it each move.
    TColor FillRegionAt(int tx, int ty);
    void RestoreWorkMask();
    TRect LastFill{};
};

extern TwndVelamo* wndVelamo;

// The slider's left edge for a scroll offset, and the offset for a left edge:
// the slider's 14..614 maps onto the offset 0..-2892 (the town's width less
// the view's), rounding to the nearest integer with halves to the even one.
int SliderLeftForOffset(int ScrollOffset);
int OffsetForSliderLeft(int SliderLeft);
