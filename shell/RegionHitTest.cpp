#include "shell/RegionHitTest.h"

#include "platform/gfx/floodfill.h"
#include "platform/gfx/pixels.h"

TRegionHitTest::TRegionHitTest(const TBitmap* Mask, TColor Border) : mask_(Mask), border_(Border) {}

int TRegionHitTest::MarkerAt(int X, int Y, std::span<const TPoint> Markers) {
    if (work_.Width() != mask_->Width() || work_.Height() != mask_->Height()) work_.Assign(mask_);
    Surface& work = work_.Pixels();
    const TRect filled = gfx::FloodFillArea(work, gfx::SurfaceRect(work), X, Y, border_, TFillStyle::fsBorder, clNavy);
    int found = -1;
    for (std::size_t i = 0; i < Markers.size() && found < 0 && !filled.IsEmpty(); ++i) {
        const TPoint m = Markers[i];
        if (filled.Contains(m.X, m.Y) && work.Get(m.X, m.Y) == clNavy) found = int(i);
    }
    gfx::CopyArea(work, gfx::SurfaceRect(work), TPoint{filled.Left, filled.Top}, mask_->Pixels(), filled);
    return found;
}
