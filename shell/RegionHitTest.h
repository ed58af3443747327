// The region hit test on a colour mask: the mask's regions (4-connected
// pixels of any colour but the border colour) are numbered once, and the
// first marker point in the region under a point tells which region it is.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

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
    // The mask was drawn on: the next test numbers its regions afresh.
    void MaskChanged() { width_ = -1; }

private:
    // The region number of a mask point, 0 for the border and outside.
    std::uint32_t RegionAt(int X, int Y) const;
    void NumberRegions();

    const TBitmap* mask_;
    TColor border_;
    int width_ = 0;
    std::vector<std::uint32_t> regions_;  // one per mask pixel, rows top first
};
