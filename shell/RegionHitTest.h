// The region hit test on a colour mask: the region under a point is filled
// with navy on a working copy of the mask, up to the border colour, and the
// first marker point that turned navy tells which region it is.
#pragma once

#include <span>

#include "platform/gfx/graphics.h"

class TRegionHitTest {
public:
    // Mask is the caller's and must outlive the test; Border separates the
    // regions.
    TRegionHitTest(const TBitmap* Mask, TColor Border);

    // The index of the first of Markers (mask coordinates) that lies in the
    // region under (X, Y), or -1 when none does. A point on the border or
    // outside the mask lies in no region.
    int MarkerAt(int X, int Y, std::span<const TPoint> Markers);
    // The mask was drawn on: the next test copies it afresh.
    void MaskChanged() { work_.SetSize(0, 0); }
    // The working copy: between tests it equals the mask.
    const TBitmap& WorkCopy() const { return work_; }

private:
    // The working copy lives between tests: only the filled area is copied
    // back from the mask after each, which is the same as filling a fresh
    // copy of the whole mask each time.
    const TBitmap* mask_;
    TColor border_;
    TBitmap work_;
};
