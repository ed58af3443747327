#include "platform/ui/input.h"

#include <algorithm>
#include <cstdlib>

#include "platform/core/strings.h"
#include "platform/ui/application.h"
#include "platform/ui/desktop.h"

namespace ui {

namespace {

constexpr DWORD kDoubleClickMs = 500;
constexpr int kDoubleClickPixels = 4;

int ButtonBit(TMouseButton b) { return 1 << int(b); }

}  // namespace

TPoint InputRouter::Local(const TControl* c, TPoint screen) { return c->ScreenToClient(screen); }

std::uint32_t InputRouter::ButtonShift() const {
    std::uint32_t s = 0;
    if (buttons_ & ButtonBit(mbLeft)) s |= ssLeft;
    if (buttons_ & ButtonBit(mbRight)) s |= ssRight;
    if (buttons_ & ButtonBit(mbMiddle)) s |= ssMiddle;
    return s;
}

TControl* InputRouter::ControlAt(TPoint p, bool allowDisabled) const {
    std::vector<TForm*> order = Application->Desktop().ZOrder();
    TForm* form = nullptr;
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        if ((*it)->BoundsRect().Contains(p.X, p.Y)) {
            form = *it;
            break;
        }
    if (!form || !form->Enabled()) return nullptr;
    // While a modal form runs, only it (and what it shows above itself) takes input.
    const auto& modal = Application->modalStack_;
    if (!modal.empty() && form != modal.back()) return nullptr;

    TWinControl* w = form;
    TPoint q{p.X - form->Left(), p.Y - form->Top()};
    for (;;) {
        TWinControl* child = nullptr;
        for (auto it = w->controls_.rbegin(); it != w->controls_.rend(); ++it) {
            TControl* c = *it;
            if (c->IsWindowed() && c->Visible() && c->Enabled() && c->BoundsRect().Contains(q.X, q.Y)) {
                child = static_cast<TWinControl*>(c);
                break;
            }
        }
        if (!child) break;
        q = {q.X - child->Left(), q.Y - child->Top()};
        w = child;
    }
    for (auto it = w->controls_.rbegin(); it != w->controls_.rend(); ++it) {
        TControl* c = *it;
        if (c->IsWindowed() || !c->Visible()) continue;
        if (!c->Enabled() && !allowDisabled) continue;
        if (c->BoundsRect().Contains(q.X, q.Y)) return c;
    }
    return w;
}

void InputRouter::ControlGone(TControl* c) {
    if (hover_ == c) hover_ = nullptr;
    if (capture_ == c) {
        capture_ = nullptr;
        buttons_ = 0;
    }
    if (clicked_ == c) clicked_ = nullptr;
    if (lastDownTarget_ == c) lastDownValid_ = false, lastDownTarget_ = nullptr;
}

void InputRouter::Dispatch(const backend::Event& ev) {
    switch (ev.kind) {
        case backend::EventKind::MouseMove: MouseMove({ev.x, ev.y}, ev.shift); break;
        case backend::EventKind::MouseDown: MouseDown({ev.x, ev.y}, TMouseButton(ev.button), ev.shift); break;
        case backend::EventKind::MouseUp: MouseUp({ev.x, ev.y}, TMouseButton(ev.button), ev.shift); break;
        case backend::EventKind::KeyDown:
        case backend::EventKind::KeyUp: Key(ev); break;
        case backend::EventKind::TextInput: Text(ev.text); break;
        case backend::EventKind::FocusGained: Application->AppFocus(true); break;
        case backend::EventKind::FocusLost: Application->AppFocus(false); break;
        case backend::EventKind::Quit:
            if (TForm* m = Application->MainForm()) m->Close();
            else Application->Terminate();
            break;
    }
}

bool InputRouter::HandlePending() {
    if (moveDue_) {
        moveDue_ = false;
        hoverDue_ = false;
        MouseMove(backend::Current().PointerPos(), 0);
        return true;
    }
    if (hoverDue_) {
        hoverDue_ = false;
        if (!capture_) SetHover(ControlAt(backend::Current().PointerPos(), true));
        UpdateCursor();
        return false;
    }
    return false;
}

void InputRouter::SetHover(TControl* c) {
    if (c == hover_) return;
    TControl* old = hover_;
    hover_ = c;
    if (old) Application->Guard(old, old, [old] { old->CMMouseLeave(); });
    if (c && hover_ == c) Application->Guard(c, c, [c] { c->CMMouseEnter(); });
}

void InputRouter::MouseMove(TPoint p, std::uint32_t shift) {
    TControl* target = capture_;
    if (!target) {
        SetHover(ControlAt(p, true));
        target = ControlAt(p, false);
    }
    UpdateCursor();
    if (!target) return;
    TPoint l = Local(target, p);
    std::uint32_t s = (shift & (ssShift | ssAlt | ssCtrl)) | ButtonShift();
    Application->Guard(target, target, [&] { target->MouseMove(s, l.X, l.Y); });
    UpdateCursor();
}

void InputRouter::MouseDown(TPoint p, TMouseButton b, std::uint32_t shift) {
    TControl* target = capture_ ? capture_ : ControlAt(p, false);
    if (!target) return;
    if (!capture_) {
        SetHover(ControlAt(p, true));
        if (TForm* f = target->ParentForm(); f && !f->Active() && !f->Modal()) Application->ActivateForm(f);
        if (target->IsWindowed()) {
            auto* w = static_cast<TWinControl*>(target);
            if (w->TabStop() && w->CanFocus()) w->SetFocus();
        }
        // The activation or focus handlers may have freed or hidden it.
        if (ControlAt(p, false) != target) return;
    }
    capture_ = target;
    buttons_ |= ButtonBit(b);

    DWORD now = backend::Current().Ticks();
    bool isDouble = false;
    if (b == mbLeft) {
        isDouble = lastDownValid_ && lastDownTarget_ == target && DWORD(now - lastDownTick_) <= kDoubleClickMs &&
                   std::abs(p.X - lastDownPos_.X) <= kDoubleClickPixels &&
                   std::abs(p.Y - lastDownPos_.Y) <= kDoubleClickPixels;
        lastDownValid_ = !isDouble;  // a third press starts afresh
        lastDownTarget_ = target;
        lastDownTick_ = now;
        lastDownPos_ = p;
        clicked_ = isDouble ? nullptr : target;
    }
    TPoint l = Local(target, p);
    std::uint32_t s = (shift & (ssShift | ssAlt | ssCtrl)) | ButtonShift() | (isDouble ? ssDouble : 0);
    Application->Guard(target, target, [&] {
        if (isDouble) target->DblClick();
        target->MouseDown(b, s, l.X, l.Y);
    });
    UpdateCursor();
}

void InputRouter::MouseUp(TPoint p, TMouseButton b, std::uint32_t shift) {
    TControl* target = capture_ ? capture_ : ControlAt(p, false);
    buttons_ &= ~ButtonBit(b);
    if (buttons_ == 0) capture_ = nullptr;
    if (!target) return;
    TPoint l = Local(target, p);
    bool click = b == mbLeft && clicked_ == target && target->ClientRect().Contains(l.X, l.Y);
    if (b == mbLeft) clicked_ = nullptr;
    std::uint32_t s = (shift & (ssShift | ssAlt | ssCtrl)) | ButtonShift();
    Application->Guard(target, target, [&] {
        if (click) target->Click();
        target->MouseUp(b, s, l.X, l.Y);
    });
    if (!capture_) hoverDue_ = true;
    UpdateCursor();
}

TWinControl* InputRouter::KeyTarget() const {
    const auto& modal = Application->modalStack_;
    TForm* f = !modal.empty() ? modal.back() : Application->activeForm_;
    if (!f) return nullptr;
    if (TWinControl* c = f->ActiveControl(); c && c->CanFocus()) return c;
    return f;
}

void InputRouter::Key(const backend::Event& ev) {
    TWinControl* target = KeyTarget();
    if (!target) return;
    TForm* form = target->ParentForm();
    bool down = ev.kind == backend::EventKind::KeyDown;
    Application->Guard(target, target, [&] {
        Word key = Word(ev.key);
        TShiftState s = ev.shift & (ssShift | ssAlt | ssCtrl);
        if (form && form->KeyPreview && form != target) {
            if (down) form->KeyDown(key, s);
            else form->KeyUp(key, s);
        }
        if (key == 0) return;
        if (down) target->KeyDown(key, s);
        else target->KeyUp(key, s);
        if (down && (key == VK_RETURN || key == VK_ESCAPE || key == VK_BACK)) {
            char32_t ch = key;
            target->KeyPress(ch);
        }
    });
}

void InputRouter::Text(const String& utf8) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t ch = NextCodePoint(utf8, pos);
        if (ch < 0x20) continue;
        TWinControl* target = KeyTarget();
        if (!target) return;
        Application->Guard(target, target, [&] { target->KeyPress(ch); });
    }
}

void InputRouter::UpdateCursor() {
    if (!Screen) return;
    TControl* c = capture_ ? capture_ : hover_;
    TCursor index = Screen->Cursor();
    for (; index == crDefault && c; c = c->Parent()) index = c->Cursor();
    if (index == crDefault) index = crArrow;
    HCURSOR h = Screen->Cursors(index);
    if (cursorSet_ && h == shown_) return;
    shown_ = h;
    cursorSet_ = true;
    backend::Current().SetCursor(*h);
}

int InputRouter::ShowCursor(bool show) {
    bool was = showCount_ >= 0;
    showCount_ += show ? 1 : -1;
    bool is = showCount_ >= 0;
    if (was != is) backend::Current().ShowPointer(is);
    return showCount_;
}

}  // namespace ui
