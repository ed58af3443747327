#include "platform/ui/desktop.h"

#include <algorithm>
#include <cstring>

#include "platform/backend/backend.h"
#include "platform/gfx/pixels.h"
#include "platform/ui/application.h"

namespace ui {

TRect Union(const TRect& a, const TRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return Rect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                std::max(a.Bottom, b.Bottom));
}

TRect Intersect(const TRect& a, const TRect& b) {
    TRect r = Rect(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                   std::min(a.Bottom, b.Bottom));
    return r.IsEmpty() ? TRect{} : r;
}

TRect Offset(const TRect& r, int dx, int dy) { return Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy); }

namespace {
const TRect kScreen = Rect(0, 0, backend::kScreenWidth, backend::kScreenHeight);

int Band(const TForm* f) {
    if (f->Modal()) return 2;
    return f->FormStyle() == fsStayOnTop ? 1 : 0;
}

bool Contains(const TRect& outer, const TRect& inner) {
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
           inner.Bottom <= outer.Bottom;
}
}  // namespace

Desktop::Desktop() {
    screen_.Resize(backend::kScreenWidth, backend::kScreenHeight, clBlack);
    presented_ = screen_;
}

std::vector<TForm*> Desktop::ZOrder() const {
    std::vector<TForm*> out;
    for (TForm* f : Application->forms_)
        if (FormOnScreen(f) && !f->Modal()) out.push_back(f);
    std::stable_sort(out.begin(), out.end(), [](TForm* a, TForm* b) { return Band(a) < Band(b); });
    for (TForm* f : Application->modalStack_)
        if (FormOnScreen(f)) out.push_back(f);
    return out;
}

void Desktop::WindowChanged(TWinControl* window, const TRect& r) {
    if (!window->Showing()) return;
    TPoint o = window->ScreenOrigin();
    TRect clip = Offset(Intersect(r, window->ClientRect()), o.X, o.Y);
    dirty_ = Union(dirty_, Intersect(clip, kScreen));
}

void Desktop::AreaChanged(const TRect& screenRect) { dirty_ = Union(dirty_, Intersect(screenRect, kScreen)); }

void Desktop::Flush() {
    if ((dirty_.IsEmpty() && held_.IsEmpty()) || painting_ > 0) return;
    TRect r = dirty_;
    dirty_ = TRect{};
    if (!r.IsEmpty()) Compose(r);
    if (!ShowsAnEnabledForm()) {
        held_ = Union(held_, r);
        return;
    }
    r = Union(r, held_);
    held_ = TRect{};
    const TRect changed = TakeChanges(r);
    if (!changed.IsEmpty()) backend::Current().Present(screen_, changed);
}

void PresentDrawn() {
    if (Application) Application->Desktop().Flush();
}

void Desktop::FlushPainted() {
    if (!HasPendingPaint()) Flush();
}

bool Desktop::ShowsAnEnabledForm() const {
    for (TForm* f : ZOrder())
        if (f->Enabled()) return true;
    return false;
}

TRect Desktop::TakeChanges(const TRect& r) {
    int top = r.Bottom;
    int bottom = r.Top;
    int left = r.Right;
    int right = r.Left;
    const std::size_t rowBytes = std::size_t(r.Width()) * 3;
    for (int y = r.Top; y < r.Bottom; ++y) {
        const Byte* now = screen_.Row(y) + r.Left * 3;
        Byte* shown = presented_.Row(y) + r.Left * 3;
        if (std::memcmp(now, shown, rowBytes) == 0) continue;
        const auto [first, last] = gfx::DifferingSpan(now, shown, rowBytes);
        top = std::min(top, y);
        bottom = y + 1;
        left = std::min(left, r.Left + int(first / 3));
        right = std::max(right, r.Left + int((last + 2) / 3));
        std::memcpy(shown + first, now + first, last - first);
    }
    return top < bottom ? Rect(left, top, right, bottom) : TRect{};
}

void Desktop::ComposeAll() {
    dirty_ = kScreen;
    Flush();
}

void Desktop::Compose(const TRect& r) {
    std::vector<TForm*> order = ZOrder();
    std::size_t first = 0;
    for (std::size_t i = order.size(); i-- > 0;)
        if (Contains(order[i]->BoundsRect(), r)) {
            first = i;
            break;
        }
    if (order.empty() || !Contains(order[first]->BoundsRect(), r)) {
        for (int y = r.Top; y < r.Bottom; ++y) std::memset(screen_.Row(y) + r.Left * 3, 0, std::size_t(r.Width()) * 3);
    }
    for (std::size_t i = first; i < order.size(); ++i) {
        TForm* f = order[i];
        ComposeWindow(f, {f->Left(), f->Top()}, r);
    }
}

void Desktop::ComposeWindow(TWinControl* w, TPoint origin, const TRect& clip) {
    const Surface& s = w->WindowSurface();
    TRect area = Intersect(Offset(Rect(0, 0, s.width, s.height), origin.X, origin.Y), clip);
    if (area.IsEmpty()) return;
    std::size_t bytes = std::size_t(area.Width()) * 3;
    for (int y = area.Top; y < area.Bottom; ++y)
        std::memcpy(screen_.Row(y) + area.Left * 3, s.Row(y - origin.Y) + (area.Left - origin.X) * 3, bytes);
    for (TControl* c : w->controls_) {
        if (!c->IsWindowed() || !c->Visible()) continue;
        ComposeWindow(static_cast<TWinControl*>(c), {origin.X + c->Left(), origin.Y + c->Top()}, area);
    }
}

bool Desktop::HasPendingPaint() const {
    struct Walk {
        static bool Any(const TWinControl* w) {
            if (!w->Showing()) return false;
            if (!w->invalid_.IsEmpty()) return true;
            for (const TControl* c : w->controls_)
                if (c->IsWindowed() && Any(static_cast<const TWinControl*>(c))) return true;
            return false;
        }
    };
    for (TForm* f : Application->forms_)
        if (Walk::Any(f)) return true;
    return false;
}

bool Desktop::PaintPending() {
    if (!HasPendingPaint()) return false;
    BeginPaint();
    std::vector<TForm*> order = ZOrder();
    for (TForm* f : order)
        if (Application->Registered(f)) f->PaintPending();
    EndPaint();
    return true;
}

}  // namespace ui
