#include <algorithm>

#include "platform/gfx/floodfill.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/pixels.h"
#include "platform/gfx/text.h"

namespace {

gfx::ColourKey KeyOf(const TBitmap& bitmap) {
    return gfx::ColourKey{bitmap.Transparent, bitmap.TransparentColor};
}

}  // namespace

void TCanvas::Changed(const TRect&) {}

TRect TCanvas::ClipRect() const {
    if (target_ == nullptr) {
        return {};
    }
    const TRect whole = gfx::SurfaceRect(*target_);
    return hasClip_ ? gfx::Intersect(whole, clip_) : whole;
}

void TCanvas::Draw(int x, int y, TBitmap* bitmap) {
    if (target_ == nullptr || bitmap == nullptr || bitmap->Empty()) {
        return;
    }
    const Surface& src = bitmap->Pixels();
    const TPoint at{gfx::SaturatingAdd(x, Origin.X), gfx::SaturatingAdd(y, Origin.Y)};
    const TRect changed = gfx::CopyArea(*target_, ClipRect(), at, src, gfx::SurfaceRect(src), KeyOf(*bitmap));
    if (!changed.IsEmpty()) {
        Changed(changed);
    }
}

void TCanvas::StretchDraw(const TRect& dest, TBitmap* bitmap) {
    if (target_ == nullptr || bitmap == nullptr || bitmap->Empty()) {
        return;
    }
    const Surface& src = bitmap->Pixels();
    const TRect changed = gfx::StretchArea(*target_, ClipRect(), gfx::Offset(dest, Origin.X, Origin.Y), src,
                                           gfx::SurfaceRect(src), KeyOf(*bitmap));
    if (!changed.IsEmpty()) {
        Changed(changed);
    }
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& src) {
    if (target_ == nullptr || source == nullptr || source->target_ == nullptr) {
        return;
    }
    const TRect changed =
        gfx::StretchArea(*target_, ClipRect(), gfx::Offset(dest, Origin.X, Origin.Y), *source->target_,
                         gfx::Offset(src, source->Origin.X, source->Origin.Y));
    if (!changed.IsEmpty()) {
        Changed(changed);
    }
}

void TCanvas::FillRect(const TRect& r) {
    if (target_ == nullptr || Brush.Style == TBrushStyle::bsClear) {
        return;
    }
    const TRect changed = gfx::FillArea(*target_, ClipRect(), gfx::Offset(r, Origin.X, Origin.Y), Brush.Color);
    if (!changed.IsEmpty()) {
        Changed(changed);
    }
}

void TCanvas::FloodFill(int x, int y, TColor colour, TFillStyle style) {
    if (target_ == nullptr || Brush.Style == TBrushStyle::bsClear) {
        return;
    }
    const TRect changed = gfx::FloodFillArea(*target_, ClipRect(), gfx::SaturatingAdd(x, Origin.X),
                                             gfx::SaturatingAdd(y, Origin.Y), colour, style, Brush.Color);
    if (!changed.IsEmpty()) {
        Changed(changed);
    }
}

TColor TCanvas::GetPixel(int x, int y) const {
    x = gfx::SaturatingAdd(x, Origin.X);
    y = gfx::SaturatingAdd(y, Origin.Y);
    if (target_ == nullptr || !target_->Inside(x, y)) {
        return clNone;
    }
    return target_->Get(x, y);
}

void TCanvas::SetPixel(int x, int y, TColor c) {
    x = gfx::SaturatingAdd(x, Origin.X);
    y = gfx::SaturatingAdd(y, Origin.Y);
    if (target_ == nullptr || !ClipRect().Contains(x, y)) {
        return;
    }
    target_->Set(x, y, c);
    Changed(TRect{x, y, x + 1, y + 1});
}

void TCanvas::TextOut(int x, int y, const String& text) {
    if (target_ == nullptr) {
        return;
    }
    x = gfx::SaturatingAdd(x, Origin.X);
    y = gfx::SaturatingAdd(y, Origin.Y);
    const TRect clip = ClipRect();
    TRect changed{};
    if (Brush.Style == TBrushStyle::bsSolid) {
        const TRect cell = gfx::SafeBounds(x, y, text::Width(Font, text), text::Metrics(Font).Height());
        changed = gfx::FillArea(*target_, clip, cell, Brush.Color);
    }
    changed = gfx::Union(changed, text::Draw(*target_, clip, x, y, Font, text));
    if (!changed.IsEmpty()) {
        Changed(changed);
    }
}

int TCanvas::TextWidth(const String& text) { return text::Width(Font, text); }

int TCanvas::TextHeight(const String&) { return text::Metrics(Font).Height(); }

namespace {

bool Drawable(HDC dest, HDC src, DWORD rop) { return dest != nullptr && src != nullptr && rop == SRCCOPY; }

}  // namespace

bool BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
    if (!Drawable(dest, src, rop)) {
        return false;
    }
    if (w > 0 && h > 0) {
        dest->CopyRect(gfx::SafeBounds(x, y, w, h), src, gfx::SafeBounds(sx, sy, w, h));
    }
    return true;
}

bool StretchBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop) {
    if (!Drawable(dest, src, rop)) {
        return false;
    }
    if (w > 0 && h > 0 && sw > 0 && sh > 0) {
        dest->CopyRect(gfx::SafeBounds(x, y, w, h), src, gfx::SafeBounds(sx, sy, sw, sh));
    }
    return true;
}
