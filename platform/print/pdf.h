// A small PDF writer: pages of a given size holding pictures placed at
// given rectangles. Pictures are stored as compressed RGB images at their own
// resolution, so a page built from a few bitmaps stays small, and a picture
// placed on several pages (the copies of a page) is stored once.
#pragma once

#include <vector>

#include "platform/core/types.h"
#include "platform/gfx/graphics.h"

namespace pdf {

// A part of a picture placed on a page; the rectangle is in points (1/72
// inch) from the page's top-left corner. The picture is not copied: it must
// live until the document is written.
struct Placement {
    const Surface* image = nullptr;
    TRect source{};  // the part placed, in the picture's pixels; empty: all of it
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

struct Page {
    double widthPt = 595.276;   // A4
    double heightPt = 841.89;
    std::vector<Placement> pictures;
};

// Composes the whole document in memory.
std::string Write(const std::vector<Page>& pages, const String& title);

}  // namespace pdf
