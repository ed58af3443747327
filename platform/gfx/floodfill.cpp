#include "platform/gfx/floodfill.h"

#include <cstring>
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

// Which pixels still belong to the region being filled. A border fill whose
// fill colour differs from the border leaves filled pixels open, so it keeps a
// mark per pixel of the clip rectangle; every other fill closes a pixel by
// colouring it.
class Region {
public:
    Region(Surface& s, const TRect& clip, TColor colour, TFillStyle style, TColor fill)
        : surface_(s), clip_(clip), colour_(colour), border_(style == TFillStyle::fsBorder) {
        if (border_ && !(Bgr(fill) == colour_)) {
            done_.assign(std::size_t(clip.Width()) * std::size_t(clip.Height()), false);
            marks_ = true;
        }
    }

    bool Open(int x, int y) const {
        const bool isColour = colour_.At(surface_.Row(y) + std::size_t(x) * 3);
        if (border_ == isColour) {
            return false;
        }
        return !marks_ || !done_[Index(x, y)];
    }

    void Take(int y, int left, int right, Bgr fill) {
        Byte* p = surface_.Row(y) + std::size_t(left) * 3;
        for (int x = left; x <= right; ++x, p += 3) {
            p[0] = fill.b;
            p[1] = fill.g;
            p[2] = fill.r;
        }
        if (marks_) {
            const std::size_t first = Index(left, y);
            for (int x = left; x <= right; ++x) {
                done_[first + std::size_t(x - left)] = true;
            }
        }
    }

private:
    std::size_t Index(int x, int y) const {
        return std::size_t(y - clip_.Top) * std::size_t(clip_.Width()) + std::size_t(x - clip_.Left);
    }

    Surface& surface_;
    TRect clip_;
    Bgr colour_;
    bool border_;
    bool marks_ = false;
    std::vector<bool> done_;
};

}  // namespace

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
    const Bgr fillBgr(fill);
    TRect changed{};
    std::vector<TPoint> seeds{TPoint{x, y}};
    while (!seeds.empty()) {
        const TPoint seed = seeds.back();
        seeds.pop_back();
        if (!region.Open(seed.X, seed.Y)) {
            continue;
        }
        int left = seed.X;
        while (left > clip.Left && region.Open(left - 1, seed.Y)) {
            --left;
        }
        int right = seed.X;
        while (right + 1 < clip.Right && region.Open(right + 1, seed.Y)) {
            ++right;
        }
        region.Take(seed.Y, left, right, fillBgr);
        changed = Union(changed, TRect{left, seed.Y, right + 1, seed.Y + 1});
        // One seed for every run of open pixels next to the span, above and below.
        for (int row : {seed.Y - 1, seed.Y + 1}) {
            if (row < clip.Top || row >= clip.Bottom) {
                continue;
            }
            bool inRun = false;
            for (int i = left; i <= right; ++i) {
                const bool open = region.Open(i, row);
                if (open && !inRun) {
                    seeds.push_back(TPoint{i, row});
                }
                inRun = open;
            }
        }
    }
    return changed;
}

}  // namespace gfx
