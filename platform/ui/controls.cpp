// Components, controls and windows: ownership, parents, bounds, painting
// and the mouse and keyboard virtuals that call the events.
#include "platform/ui/controls.h"

#include <algorithm>
#include <cstring>

#include "platform/ui/application.h"
#include "platform/ui/desktop.h"
#include "platform/ui/input.h"

namespace {

bool AppAlive() { return Application != nullptr; }

void EraseFrom(std::vector<TControl*>& v, TControl* c) { v.erase(std::remove(v.begin(), v.end(), c), v.end()); }

}  // namespace

// ---------------------------------------------------------------------------
// TComponent

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Free() {
    BeforeDestruction();
    delete this;
}

void TComponent::InsertComponent(TComponent* c) {
    c->owner_ = this;
    components_.push_back(c);
}

void TComponent::RemoveComponent(TComponent* c) {
    components_.erase(std::remove(components_.begin(), components_.end(), c), components_.end());
    c->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* c = components_.back();
        components_.pop_back();
        c->owner_ = nullptr;
        c->Free();
    }
}

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {}

TControl::~TControl() {
    if (parent_) SetParent(nullptr);
    if (AppAlive()) Application->Input().ControlGone(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) {
        Invalidate();
        parent_->RemoveControl(this);
    }
    parent_ = parent;
    if (parent_) {
        parent_->InsertControl(this);
        Invalidate();
    }
    if (AppAlive()) {
        if (IsWindowed()) Application->Input().WindowsChanged();
        Application->Input().ControlsChanged();
    }
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TRect nb = Bounds(ALeft, ATop, std::max(AWidth, 0), std::max(AHeight, 0));
    if (nb == bounds_) return;
    TRect old = bounds_;
    if (!IsWindowed()) Invalidate();
    bounds_ = nb;
    BoundsChanged(old);
    if (!IsWindowed()) Invalidate();
    if (AppAlive()) Application->Input().ControlsChanged();
}

void TControl::SetVisible(bool v) {
    if (v == visible_) return;
    if (!v) Invalidate();
    visible_ = v;
    if (v) Invalidate();
    if (AppAlive()) {
        if (IsWindowed() && parent_ && parent_->Showing()) {
            TPoint o = parent_->ScreenOrigin();
            Application->Desktop().AreaChanged(ui::Offset(bounds_, o.X, o.Y));
            Application->Input().WindowsChanged();
        }
        Application->Input().ControlsChanged();
    }
}

void TControl::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    Invalidate();
    if (AppAlive()) Application->Input().ControlsChanged();
}

void TControl::SetCursor(TCursor c) {
    if (c == cursor_) return;
    cursor_ = c;
    if (AppAlive()) Application->Input().UpdateCursor();
}

void TControl::SetCaption(const String& s) {
    if (s == caption_) return;
    caption_ = s;
    CaptionChanged();
}

void TControl::SetColor(TColor c) {
    if (c == color_) return;
    color_ = c;
    Invalidate();
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::CMMouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

std::intptr_t TControl::Perform(UINT Msg, std::intptr_t, std::intptr_t) {
    if (Msg == CM_MOUSEENTER) CMMouseEnter();
    else if (Msg == CM_MOUSELEAVE) CMMouseLeave();
    return 0;
}

void TControl::Invalidate() {
    if (parent_) parent_->InvalidateRect(bounds_);
}

void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (!parent_) return;
    auto& v = parent_->controls_;
    EraseFrom(v, this);
    v.push_back(this);
    Invalidate();
    if (AppAlive()) Application->Input().ControlsChanged();
}

void TControl::SendToBack() {
    if (!parent_) return;
    auto& v = parent_->controls_;
    EraseFrom(v, this);
    v.insert(v.begin(), this);
    Invalidate();
    if (AppAlive()) Application->Input().ControlsChanged();
}

TPoint TControl::ClientToScreen(TPoint p) const {
    TPoint o = parent_ ? parent_->ScreenOrigin() : TPoint{0, 0};
    return {p.X + o.X + bounds_.Left, p.Y + o.Y + bounds_.Top};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint o = ClientToScreen({0, 0});
    return {p.X - o.X, p.Y - o.Y};
}

TForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

// ---------------------------------------------------------------------------
// Canvases

TWindowCanvas::TWindowCanvas(TWinControl* window) : window_(window) {
    if (window_) SetTarget(&window_->WindowSurface());
}

void TWindowCanvas::Changed(const TRect& r) {
    if (window_) window_->SurfaceChanged(r);
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

void TGraphicControl::PrepareCanvas() {
    TWinControl* p = Parent();
    canvas_.SetWindow(p);
    canvas_.SetTarget(p ? &p->WindowSurface() : nullptr);
    canvas_.Origin = {Left(), Top()};
}

TCanvas* TGraphicControl::Canvas() {
    PrepareCanvas();
    canvas_.SetClip(BoundsRect());
    return &canvas_;
}

// ---------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    // A window takes its child controls with it.
    while (!controls_.empty()) {
        TControl* c = controls_.back();
        c->SetParent(nullptr);
        c->Free();
    }
    if (TForm* f = ParentForm(); f && f->activeControl_ == this) f->activeControl_ = nullptr;
}

void TWinControl::InsertControl(TControl* c) { controls_.push_back(c); }

void TWinControl::RemoveControl(TControl* c) {
    EraseFrom(controls_, c);
    if (TForm* f = ParentForm(); f && f->activeControl_ && (f->activeControl_ == c)) f->activeControl_ = nullptr;
}

TPoint TWinControl::ScreenOrigin() const {
    if (!Parent()) return {Left(), Top()};
    TPoint o = Parent()->ScreenOrigin();
    return {o.X + Left(), o.Y + Top()};
}

void TWinControl::BoundsChanged(const TRect& old) {
    surface_.Resize(Width(), Height(), color_);
    if (old.Width() != Width() || old.Height() != Height()) InvalidateRect(ClientRect());
    if (!AppAlive()) return;
    if (Parent() && Parent()->Showing() && Visible()) {
        TPoint o = Parent()->ScreenOrigin();
        Application->Desktop().AreaChanged(ui::Offset(old, o.X, o.Y));
        Application->Desktop().AreaChanged(ui::Offset(BoundsRect(), o.X, o.Y));
        Application->Input().WindowsChanged();
    }
}

void TWinControl::InvalidateRect(const TRect& r) {
    TRect c = ui::Intersect(r, ClientRect());
    if (c.IsEmpty()) return;
    invalid_ = ui::Union(invalid_, c);
}

void TWinControl::Invalidate() {
    InvalidateRect(ClientRect());
    for (TControl* c : controls_)
        if (c->IsWindowed()) static_cast<TWinControl*>(c)->Invalidate();
}

void TWinControl::PaintPending() {
    if (!Showing()) return;
    if (!invalid_.IsEmpty()) {
        TRect r = invalid_;
        invalid_ = TRect{};
        PaintWindow(r);
    }
    std::vector<TControl*> children = controls_;
    for (TControl* c : children)
        if (c->IsWindowed() && std::find(controls_.begin(), controls_.end(), c) != controls_.end())
            static_cast<TWinControl*>(c)->PaintPending();
}

void TWinControl::Update() {
    if (!AppAlive()) return;
    // The window and its children are presented together, once all painted.
    ui::Desktop& desk = Application->Desktop();
    desk.BeginPaint();
    PaintPending();
    desk.EndPaint();
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::PaintWindow(const TRect& r) {
    if (!AppAlive()) return;
    ui::Desktop& desk = Application->Desktop();
    struct PaintScope {
        ui::Desktop& d;
        TWinControl* w;
        PaintScope(ui::Desktop& d, TWinControl* w) : d(d), w(w) {
            d.BeginPaint();
            ++w->painting_;
        }
        ~PaintScope() {
            --w->painting_;
            w->canvas_.ClearClip();
            d.EndPaint();
        }
    } scope(desk, this);
    canvas_.SetClip(r);
    Application->Guard(this, this, [&] {
        if (!WMEraseBkgnd()) {
            TColor keepColor = canvas_.Brush.Color;
            TBrushStyle keepStyle = canvas_.Brush.Style;
            canvas_.Brush.Color = color_;
            canvas_.Brush.Style = TBrushStyle::bsSolid;
            canvas_.FillRect(r);
            canvas_.Brush.Color = keepColor;
            canvas_.Brush.Style = keepStyle;
        }
        Paint();
    });
    std::vector<TControl*> graphic;
    for (TControl* c : controls_)
        if (!c->IsWindowed() && c->Visible() && !ui::Intersect(c->BoundsRect(), r).IsEmpty()) graphic.push_back(c);
    for (TControl* c : graphic) {
        if (std::find(controls_.begin(), controls_.end(), c) == controls_.end()) continue;
        auto* g = static_cast<TGraphicControl*>(c);
        Application->Guard(g, g, [&] {
            g->PrepareCanvas();
            g->canvas_.SetClip(ui::Intersect(r, g->BoundsRect()));
            g->Paint();
            g->canvas_.ClearClip();
        });
    }
}

void TWinControl::SurfaceChanged(const TRect& r) {
    if (AppAlive()) Application->Desktop().WindowChanged(this, r);
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    const TForm* f = ParentForm();
    return f && f->Visible();
}

bool TWinControl::Focused() const {
    const TForm* f = ParentForm();
    return f && f->ActiveControl() == this && f->Active();
}

void TWinControl::SetFocus() {
    if (!CanFocus()) return;
    TForm* f = ParentForm();
    f->SetActiveControl(this);
    if (!f->Active() && AppAlive()) Application->ActivateForm(f);
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char32_t& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::BringToFront() {
    TControl::BringToFront();
    if (AppAlive() && Showing()) {
        Application->Desktop().AreaChanged(ui::Offset(ClientRect(), ScreenOrigin().X, ScreenOrigin().Y));
        Application->Input().WindowsChanged();
    }
}

void TWinControl::SendToBack() {
    TControl::SendToBack();
    if (AppAlive() && Showing()) {
        Application->Desktop().AreaChanged(ui::Offset(ClientRect(), ScreenOrigin().X, ScreenOrigin().Y));
        Application->Input().WindowsChanged();
    }
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}
