#include "platform/gfx/pixels.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

void Surface::Resize(int w, int h, TColor fill) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (w == width && h == height) {
        return;
    }
    Surface resized;
    resized.width = w;
    resized.height = h;
    resized.pixels.resize(std::size_t(w) * std::size_t(h) * 3);
    resized.Fill(fill);
    const int keepW = std::min(w, width);
    const int keepH = keepW > 0 ? std::min(h, height) : 0;
    for (int y = 0; y < keepH; ++y) {
        std::memcpy(resized.Row(y), Row(y), std::size_t(keepW) * 3);
    }
    *this = std::move(resized);
}

void Surface::Fill(TColor c) {
    const Byte bgr[3] = {Byte(GetBValue(c)), Byte(GetGValue(c)), Byte(GetRValue(c))};
    if (bgr[0] == bgr[1] && bgr[1] == bgr[2]) {
        std::fill(pixels.begin(), pixels.end(), bgr[0]);
        return;
    }
    for (std::size_t i = 0; i + 2 < pixels.size(); i += 3) {
        std::memcpy(&pixels[i], bgr, 3);
    }
}

TColor Surface::Get(int x, int y) const {
    const Byte* p = Row(y) + std::size_t(x) * 3;
    return RGBColor(p[2], p[1], p[0]);
}

void Surface::Set(int x, int y, TColor c) {
    Byte* p = Row(y) + std::size_t(x) * 3;
    p[0] = Byte(GetBValue(c));
    p[1] = Byte(GetGValue(c));
    p[2] = Byte(GetRValue(c));
}

namespace gfx {

TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    return r.IsEmpty() ? TRect{} : r;
}

TRect Union(const TRect& a, const TRect& b) {
    if (a.IsEmpty()) {
        return b.IsEmpty() ? TRect{} : b;
    }
    if (b.IsEmpty()) {
        return a;
    }
    return TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                 std::max(a.Bottom, b.Bottom)};
}

TRect SurfaceRect(const Surface& s) { return TRect{0, 0, s.width, s.height}; }

int SaturatingAdd(int a, int b) {
    const long long sum = (long long)a + b;
    return int(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

TRect Offset(const TRect& r, int dx, int dy) {
    return TRect{SaturatingAdd(r.Left, dx), SaturatingAdd(r.Top, dy), SaturatingAdd(r.Right, dx),
                 SaturatingAdd(r.Bottom, dy)};
}

TRect SafeBounds(int left, int top, int width, int height) {
    return TRect{left, top, SaturatingAdd(left, width), SaturatingAdd(top, height)};
}

namespace {
std::uint64_t Word(const Byte* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}
}  // namespace

std::pair<std::size_t, std::size_t> DifferingSpan(const Byte* a, const Byte* b, std::size_t n) {
    std::size_t first = 0;
    while (first + 8 <= n && Word(a + first) == Word(b + first)) first += 8;
    while (first < n && a[first] == b[first]) ++first;
    if (first == n) return {n, n};
    std::size_t last = n;
    while (last >= first + 8 && Word(a + last - 8) == Word(b + last - 8)) last -= 8;
    while (a[last - 1] == b[last - 1]) --last;
    return {first, last};
}

TRect FillArea(Surface& s, const TRect& clip, const TRect& r, TColor c) {
    const TRect area = Intersect(Intersect(r, clip), SurfaceRect(s));
    if (area.IsEmpty()) {
        return {};
    }
    const Byte bgr[3] = {Byte(GetBValue(c)), Byte(GetGValue(c)), Byte(GetRValue(c))};
    Byte* first = s.Row(area.Top) + std::size_t(area.Left) * 3;
    for (int x = 0; x < area.Width(); ++x) {
        std::memcpy(first + std::size_t(x) * 3, bgr, 3);
    }
    for (int y = area.Top + 1; y < area.Bottom; ++y) {
        std::memcpy(s.Row(y) + std::size_t(area.Left) * 3, first, std::size_t(area.Width()) * 3);
    }
    return area;
}

namespace {

bool Matches(const Byte* p, const Byte key[3]) { return p[0] == key[0] && p[1] == key[1] && p[2] == key[2]; }

// The part of a source rectangle that lies inside the source surface, as a
// surface of its own (used when source and destination are one surface).
Surface CopyOut(const Surface& src, const TRect& r) {
    Surface part;
    part.width = r.Width();
    part.height = r.Height();
    part.pixels.resize(std::size_t(part.width) * std::size_t(part.height) * 3);
    for (int y = 0; y < part.height; ++y) {
        std::memcpy(part.Row(y), src.Row(r.Top + y) + std::size_t(r.Left) * 3, std::size_t(part.width) * 3);
    }
    return part;
}

}  // namespace

TRect CopyArea(Surface& dst, const TRect& clip, TPoint to, const Surface& src, const TRect& srcRect,
               ColourKey key) {
    if (srcRect.IsEmpty()) {
        return {};
    }
    // Only the source pixels that exist are drawn.
    const TRect readable = Intersect(srcRect, SurfaceRect(src));
    if (readable.IsEmpty()) {
        return {};
    }
    // Both rectangles meet the surfaces, so the shift stays small enough
    // once the destination is clipped.
    const long long shiftX = (long long)to.X - srcRect.Left;
    const long long shiftY = (long long)to.Y - srcRect.Top;
    const TRect target{int(std::clamp<long long>(readable.Left + shiftX, INT_MIN, INT_MAX)),
                       int(std::clamp<long long>(readable.Top + shiftY, INT_MIN, INT_MAX)),
                       int(std::clamp<long long>(readable.Right + shiftX, INT_MIN, INT_MAX)),
                       int(std::clamp<long long>(readable.Bottom + shiftY, INT_MIN, INT_MAX))};
    const TRect area = Intersect(Intersect(target, clip), SurfaceRect(dst));
    if (area.IsEmpty()) {
        return {};
    }
    const int dx = int(shiftX);
    const int dy = int(shiftY);
    if (&src == &dst) {
        const TRect from = Offset(area, -dx, -dy);
        const Surface part = CopyOut(src, from);
        return CopyArea(dst, clip, TPoint{area.Left, area.Top}, part, SurfaceRect(part), key);
    }
    const std::size_t rowBytes = std::size_t(area.Width()) * 3;
    const Byte keyBgr[3] = {Byte(GetBValue(key.colour)), Byte(GetGValue(key.colour)), Byte(GetRValue(key.colour))};
    TRect changed{};
    for (int y = area.Top; y < area.Bottom; ++y) {
        Byte* out = dst.Row(y) + std::size_t(area.Left) * 3;
        const Byte* in = src.Row(y - dy) + std::size_t(area.Left - dx) * 3;
        if (!key.active) {
            // Only what differs: a window redrawn whole from its buffer then
            // reports, and shows, just what changed.
            if (std::memcmp(out, in, rowBytes) == 0) {
                continue;
            }
            const auto [first, last] = DifferingSpan(out, in, rowBytes);
            std::memcpy(out + first, in + first, last - first);
            changed = Union(changed, TRect{area.Left + int(first / 3), y, area.Left + int((last + 2) / 3), y + 1});
            continue;
        }
        // Runs of pixels that are not the key go across in one copy each.
        std::size_t i = 0;
        while (i < rowBytes) {
            while (i < rowBytes && Matches(in + i, keyBgr)) {
                i += 3;
            }
            const std::size_t start = i;
            while (i < rowBytes && !Matches(in + i, keyBgr)) {
                i += 3;
            }
            std::memcpy(out + start, in + start, i - start);
        }
    }
    return key.active ? area : changed;
}

TRect StretchArea(Surface& dst, const TRect& clip, const TRect& dstRect, const Surface& src,
                  const TRect& srcRect, ColourKey key) {
    if (dstRect.IsEmpty() || srcRect.IsEmpty()) {
        return {};
    }
    // Sizes in 64 bits: a caller's rectangle may span more than an int.
    const long long dstW = (long long)dstRect.Right - dstRect.Left;
    const long long dstH = (long long)dstRect.Bottom - dstRect.Top;
    const long long srcW = (long long)srcRect.Right - srcRect.Left;
    const long long srcH = (long long)srcRect.Bottom - srcRect.Top;
    if (dstW == srcW && dstH == srcH) {
        return CopyArea(dst, clip, TPoint{dstRect.Left, dstRect.Top}, src, srcRect, key);
    }
    const TRect area = Intersect(Intersect(dstRect, clip), SurfaceRect(dst));
    if (area.IsEmpty()) {
        return {};
    }
    if (&src == &dst) {
        const TRect readable = Intersect(srcRect, SurfaceRect(src));
        if (readable.IsEmpty()) {
            return {};
        }
        const Surface part = CopyOut(src, readable);
        return StretchArea(dst, clip, dstRect, part, Offset(srcRect, -readable.Left, -readable.Top), key);
    }
    // Destination pixel i of n takes source pixel i * m / n of m. Source
    // column of every destination column in the area; -1 where it falls
    // outside the source surface.
    auto sourceOf = [](long long offset, long long dstSize, long long srcStart, long long srcSize) {
        return srcStart + (long long)((__int128)offset * srcSize / dstSize);
    };
    std::vector<int> columns(std::size_t(area.Width()));
    for (int x = area.Left; x < area.Right; ++x) {
        const long long sx = sourceOf((long long)x - dstRect.Left, dstW, srcRect.Left, srcW);
        columns[std::size_t(x - area.Left)] = (sx >= 0 && sx < src.width) ? int(sx) : -1;
    }
    const Byte keyBgr[3] = {Byte(GetBValue(key.colour)), Byte(GetGValue(key.colour)), Byte(GetRValue(key.colour))};
    TRect changed{};
    for (int y = area.Top; y < area.Bottom; ++y) {
        const long long sy = sourceOf((long long)y - dstRect.Top, dstH, srcRect.Top, srcH);
        if (sy < 0 || sy >= src.height) {
            continue;
        }
        Byte* out = dst.Row(y) + std::size_t(area.Left) * 3;
        const Byte* in = src.Row(int(sy));
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (columns[i] < 0) {
                continue;
            }
            const Byte* p = in + std::size_t(columns[i]) * 3;
            if (!key.active || !Matches(p, keyBgr)) {
                std::memcpy(out + i * 3, p, 3);
            }
        }
        changed = Union(changed, TRect{area.Left, y, area.Right, y + 1});
    }
    return changed;
}

}  // namespace gfx
