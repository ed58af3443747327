// The scrolling town: the wide town picture seen through the magenta window
// of a frame picture, the two edge strips and the slider that scroll it, and
// the hit test that finds the place under a point on the town's colour mask.
// The town window and the town game stand on it; each adds what it draws over
// the town and what a place under the mouse does.
#pragma once

#include <memory>
#include <vector>

#include "shell/OneBased.h"
#include "shell/RegionHitTest.h"
#include "shell/ScreenFrame.h"
#include "shell/TownPlaceTable.h"

// Where a window point falls on the town's mask.
enum class TTownPoint {
    Beside,  // left of, above or right of the mask: no place
    Below,   // below the mask (the frame under the view, the bottom bar)
    Black,   // a black pixel: a border or no place
    Region,  // a coloured region; HoverPlace is its place, 0 when it holds no sample point
};

class TTownPanorama : public TScreenFrame {
public:
    TTownPanorama(TComponent* AOwner, const TScreenSetup& Setup);
    ~TTownPanorama() override;

    TTimer* ScrollTimer;

    // The screen picture with its magenta window onto the town.
    std::unique_ptr<TBitmap> Frame;
    TXLabel* LeftScrollZone = nullptr;
    TXLabel* RightScrollZone = nullptr;
    TPosuvnik* Slider = nullptr;
    std::unique_ptr<TBitmap> Town;

    // The places and their hit test.
    std::unique_ptr<TBitmap> Mask;
    std::unique_ptr<TRegionHitTest> PlaceHitTest;  // on Mask, from StartView
    TPoint SamplePoint[TownPlaceCount + 1] = {};      // 1..43
    TPoint NamePlatePoint[TownPlaceCount + 1] = {};   // 1..43
    TOneBased<std::unique_ptr<TBitmap>, TownPlaceCount> NamePlate;
    Byte HoverPlace = 0;

    TXLabel* ActiveScrollZone = nullptr;
    // The x of the town's left edge relative to the view: ViewWidth - the
    // town's width .. 0.
    int ScrollOffset = 0;
    int ViewWidth = 0;

    // The town at ScrollOffset into Buffer, the frame over it, what the
    // screen draws over the frame, then Buffer to the window.
    void RedrawTown();
    // The same over Area only (window pixels): what lies outside it stays as
    // it was drawn.
    void RedrawTownArea(const TRect& Area);
    bool CursorInScrollZone();

    virtual void ScrollZoneEnter(TObject* Sender);
    void ScrollZoneLeave(TObject* Sender);
    void ScrollTimerTimer(TObject* Sender);
    void SliderMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SliderMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SliderMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);

protected:
    // The creation steps, each screen calling them in its own order.
    // Frame: a copy of Buffer as it is now, magenta transparent.
    void CreateFrame();
    void CreateSlider();
    void CreateScrollZones();
    // The places' points from TownPlaceTable and their name plates.
    void LoadPlaces();
    // The view's width and its start at the middle of the town; the hit test.
    void StartView();
    // Blacks out a place's region in Mask (a border fill from its sample
    // point) and leaves it out of the hit test.
    void ClosePlace(Byte Place);
    bool PlaceClosed(Byte Place) const { return placeClosed_[Place]; }

    // The hit test of a window point: the form's cursor (arrow or hand) and
    // HoverPlace, the first place in number order whose sample point lies in
    // the region under the point.
    TTownPoint HitTest(int X, int Y);
    // Where a place's name plate goes in the window at the current scroll.
    TPoint NamePlateAt(Byte Place) const;

    // Drawn into Buffer over the frame by RedrawTown.
    virtual void DrawOverFrame() {}

    // The slider is a window of its own: the exit question's snapshot gets
    // its picture.
    const TBitmap* ExitSnapshot() override;

private:
    // The frame's opaque runs, one row each: drawing them draws the frame
    // with magenta transparent, without testing its window's quarter
    // million pixels on every redraw.
    std::vector<TRect> frameRuns_;
    bool placeClosed_[TownPlaceCount + 1] = {};
    TBitmap exitSnapshot_;
};

// The slider's left edge for a scroll offset, and the offset for a left edge:
// the slider's 14..614 maps onto the offset 0..-2892 (the town's width less
// the view's), rounding to the nearest integer with halves to the even one.
int SliderLeftForOffset(int ScrollOffset);
int OffsetForSliderLeft(int SliderLeft);
