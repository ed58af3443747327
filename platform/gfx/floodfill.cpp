#include "platform/gfx/floodfill.h"

#include <algorithm>
#include <vector>

#include "platform/gfx/pixels.h"

namespace gfx {
namespace {

struct Bgr {
    Byte b, g, r;
    explicit Bgr(TColor c) : b(Byte(GetBValue(c))), g(Byte(GetGValue(c))), r(Byte(GetRValue(c))) {}
    bool operator==(const Bgr&) const = default;
    bool At(const Byte* p) const { return p[0] == b && p[1] == g && p[2] == r; }
};

// Which pixels still belong to the region being filled, and filling them.
// Filling closes a pixel by giving it the fill colour, except in a border
// fill whose fill colour is not the border: there a pixel of the fill colour
// may still be open, so the filled pixels are also marked, one bit each.
class Region {
public:
    Region(Surface& s, const TRect& clip, TColor colour, TFillStyle style, TColor fill)
        : pixels_(s.pixels.data()),
          stride_(std::size_t(s.width) * 3),
          clip_(clip),
          colour_(colour),
          fill_(fill),
          border_(style == TFillStyle::fsBorder),
          wordsPerRow_((std::size_t(clip.Width()) + 63) / 64) {
        if (border_ && !(fill_ == colour_)) {
            marks_.assign(wordsPerRow_ * std::size_t(clip.Height()), 0);
        }
    }

    bool Open(int x, int y) const {
        const Byte* p = Pixel(x, y);
        if (colour_.At(p) == border_) {
            return false;
        }
        return marks_.empty() || !fill_.At(p) || !Marked(x, y);
    }

    void Take(int x, int y) {
        Byte* p = Pixel(x, y);
        p[0] = fill_.b;
        p[1] = fill_.g;
        p[2] = fill_.r;
        if (!marks_.empty()) {
            const std::size_t bit = std::size_t(x - clip_.Left);
            marks_[Word(y) + bit / 64] |= std::uint64_t(1) << (bit % 64);
        }
    }

private:
    Byte* Pixel(int x, int y) const { return pixels_ + std::size_t(y) * stride_ + std::size_t(x) * 3; }
    std::size_t Word(int y) const { return std::size_t(y - clip_.Top) * wordsPerRow_; }
    bool Marked(int x, int y) const {
        const std::size_t bit = std::size_t(x - clip_.Left);
        return (marks_[Word(y) + bit / 64] >> (bit % 64)) & 1;
    }

    Byte* pixels_;
    std::size_t stride_;
    TRect clip_;
    Bgr colour_;
    Bgr fill_;
    bool border_;
    std::size_t wordsPerRow_;
    std::vector<std::uint64_t> marks_;
};

// A filled run [left, right] on row y whose neighbours on row y + dy are
// still to be explored.
struct Segment {
    int y, left, right, dy;
};

}  // namespace

// The segment fill of P. Heckbert's "A Seed Fill Algorithm": each run is
// filled while it is scanned, and a run's parent row is scanned again only
// where the run reaches past its parent, so each pixel is read about twice.
TRect FloodFillArea(Surface& s, const TRect& clipIn, int x, int y, TColor colour, TFillStyle style, TColor fill) {
    const TRect clip = Intersect(clipIn, SurfaceRect(s));
    if (!clip.Contains(x, y)) {
        return {};
    }
    // A surface fill in the colour it replaces changes nothing.
    if (style == TFillStyle::fsSurface && Bgr(fill) == Bgr(colour)) {
        return {};
    }
    Region region(s, clip, colour, style, fill);
    if (!region.Open(x, y)) {
        return {};
    }
    const int minX = clip.Left;
    const int maxX = clip.Right - 1;
    TRect changed{x, y, x + 1, y + 1};
    std::vector<Segment> stack;
    auto push = [&](int row, int left, int right, int dy) {
        if (row + dy >= clip.Top && row + dy < clip.Bottom) {
            stack.push_back(Segment{row, left, right, dy});
        }
    };
    // The seed's own row first (as the child of a one-pixel run below it),
    // then the row below it.
    push(y, x, x, 1);
    push(y + 1, x, x, -1);
    while (!stack.empty()) {
        const Segment seg = stack.back();
        stack.pop_back();
        const int row = seg.y + seg.dy;
        const int x1 = seg.left;
        const int x2 = seg.right;
        const int dy = seg.dy;
        // Extend leftwards from the parent's left end.
        int cx = x1;
        while (cx >= minX && region.Open(cx, row)) {
            region.Take(cx, row);
            --cx;
        }
        bool startsOpen = cx < x1;
        int left = cx + 1;
        if (startsOpen) {
            if (left < x1) {
                push(row, left, x1 - 1, -dy);  // leaks out on the left
            }
            cx = x1 + 1;
        }
        do {
            if (startsOpen) {
                while (cx <= maxX && region.Open(cx, row)) {
                    region.Take(cx, row);
                    ++cx;
                }
                push(row, left, cx - 1, dy);
                if (cx > x2 + 1) {
                    push(row, x2 + 1, cx - 1, -dy);  // leaks out on the right
                }
                changed = Union(changed, TRect{left, row, cx, row + 1});
            }
            // Skip to the next open pixel under the parent.
            for (++cx; cx <= x2 && !region.Open(cx, row); ++cx) {
            }
            left = cx;
            startsOpen = true;
        } while (cx <= x2);
    }
    return changed;
}

}  // namespace gfx
