// Forms: showing and hiding with activation, closing, deferred freeing,
// bands and window states, modal runs.
#include "platform/ui/forms.h"

#include <algorithm>
#include <vector>

#include "platform/core/rtl.h"
#include "platform/ui/application.h"
#include "platform/ui/desktop.h"
#include "platform/ui/input.h"

namespace {

TRect ScreenRect() { return Rect(0, 0, backend::kScreenWidth, backend::kScreenHeight); }

// The storage of the form whose creation is halting, and the storages kept
// (reachable, so not taken for leaks) until the process ends.
void* haltingCreation = nullptr;
std::vector<void*>& KeptStorages() {
    static auto* kept = new std::vector<void*>();
    return *kept;
}

}  // namespace

bool FormOnScreen(const TForm* form) { return form->Visible() && form->WindowState() != wsMinimized; }

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
    if (!Application) throw Exception("a form needs the application object");
    visible_ = false;
    SetBounds(0, 0, backend::kScreenWidth, backend::kScreenHeight);
    Application->RegisterForm(this);
}

TForm::~TForm() {
    if (Application) Application->UnregisterForm(this);
    if (clearGlobal_) clearGlobal_();
}

void TForm::DoCreate() {
    try {
        Application->Guard(this, this, [&] {
            if (OnCreate) OnCreate(this);
        });
    } catch (const TProgramHalt&) {
        // The program ends inside the create handler: the half-built form is
        // never handed to its maker. As with a constructor that fails, the
        // destroy handler frees what the create handler made, and the halt
        // goes on out of the constructor.
        BeforeDestruction();
        haltingCreation = dynamic_cast<void*>(this);
        throw;
    }
}

void* TForm::operator new(std::size_t size) { return ::operator new(size); }

void TForm::operator delete(void* p) noexcept {
    if (p && p == haltingCreation) {
        haltingCreation = nullptr;
        KeptStorages().push_back(p);
        return;
    }
    ::operator delete(p);
}

void TForm::BeforeDestruction() {
    if (destroying_) return;
    destroying_ = true;
    if (Application) {
        if (FormOnScreen(this)) HideInternal();
        Application->Guard(this, this, [&] {
            if (OnDestroy) OnDestroy(this);
        });
    }
    if (clearGlobal_) {
        clearGlobal_();
        clearGlobal_ = nullptr;
    }
}

bool TForm::Showing() const { return FormOnScreen(this); }

void TForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TForm::BoundsChanged(const TRect& old) {
    TWinControl::BoundsChanged(old);
    if (Application && FormOnScreen(this)) {
        Application->Desktop().AreaChanged(old);
        Application->Desktop().AreaChanged(BoundsRect());
        Application->Input().WindowsChanged();
    }
}

void TForm::PlaceByPosition() {
    if (windowState_ == wsMaximized) {
        SetBounds(0, 0, backend::kScreenWidth, backend::kScreenHeight);
    } else if (position_ == poScreenCenter || position_ == poDesktopCenter || position_ == poMainFormCenter) {
        SetBounds((backend::kScreenWidth - Width()) / 2, (backend::kScreenHeight - Height()) / 2, Width(), Height());
    }
}

void TForm::SetPosition(TPosition p) {
    position_ = p;
    PlaceByPosition();
}

void TForm::SetWindowState(TWindowState s) {
    if (s == windowState_) return;
    bool wasOn = FormOnScreen(this);
    windowState_ = s;
    PlaceByPosition();
    bool isOn = FormOnScreen(this);
    if (wasOn == isOn) return;
    if (isOn) {
        ShowInternal(true);
    } else {
        Application->Desktop().AreaChanged(BoundsRect());
        Application->Input().WindowsChanged();
        Application->FormHidden(this);
    }
}

void TForm::SetFormStyle(TFormStyle s) {
    if (s == formStyle_) return;
    formStyle_ = s;
    if (FormOnScreen(this)) {
        Application->Desktop().AreaChanged(ScreenRect());
        Application->Input().WindowsChanged();
    }
}

bool TForm::Active() const { return Application && Application->activeForm_ == this; }

void TForm::SetActiveControl(TWinControl* c) {
    if (c == activeControl_) return;
    TWinControl* old = activeControl_;
    activeControl_ = c;
    if (old) Application->Guard(old, old, [&] { old->DoExit(); });
    if (c && activeControl_ == c) Application->Guard(c, c, [&] { c->DoEnter(); });
    if (old) old->Invalidate();
    if (c) c->Invalidate();
}

void TForm::ShowInternal(bool activate) {
    bool wasOn = FormOnScreen(this);
    if (!Visible()) TControl::SetVisible(true);
    if (windowState_ == wsMinimized) windowState_ = wsNormal;
    Application->MoveToTop(this);
    Application->Desktop().AreaChanged(BoundsRect());
    Application->Input().WindowsChanged();
    if (wasOn) {
        if (activate) Application->ActivateForm(this);
        return;
    }
    PlaceByPosition();
    Invalidate();
    bool takesActivation = activate && Enabled();
    if (takesActivation) Application->BeginActivation(this);
    Application->Guard(this, this, [&] {
        if (OnShow) OnShow(this);
    });
    if (takesActivation && Application->activeForm_ == this && FormOnScreen(this)) Application->NotifyActivate(this);
}

void TForm::HideInternal() {
    TControl::SetVisible(false);
    Application->Desktop().AreaChanged(BoundsRect());
    Application->Input().WindowsChanged();
    Application->Guard(this, this, [&] {
        if (OnHide) OnHide(this);
    });
    Application->FormHidden(this);
}

void TForm::Show() {
    if (destroying_) return;
    ShowInternal(modalDepth_ == 0);
}

void TForm::Hide() {
    if (!Visible()) return;
    HideInternal();
}

void TForm::SetVisible(bool v) {
    if (v) Show();
    else Hide();
}

void TForm::BringToFront() {
    if (!FormOnScreen(this)) return;
    Application->MoveToTop(this);
    Application->Desktop().AreaChanged(BoundsRect());
    Application->Input().WindowsChanged();
}

void TForm::SendToBack() {
    Application->MoveToBottom(this);
    if (FormOnScreen(this)) {
        Application->Desktop().AreaChanged(BoundsRect());
        Application->Input().WindowsChanged();
    }
}

bool TForm::CanFocus() const { return FormOnScreen(this) && Enabled(); }

void TForm::SetFocus() {
    if (!CanFocus()) return;
    Application->ActivateForm(this);
}

void TForm::Close() {
    TCloseAction action = caHide;
    {
        TApplication::BusyScope busy(this);
        if (OnClose) OnClose(this, action);
    }
    if (action == caNone) return;
    if (this == Application->MainForm()) {
        Application->Terminate();
        return;
    }
    switch (action) {
        case caHide: Hide(); break;
        case caMinimize: SetWindowState(wsMinimized); break;
        case caFree:
            // Off the screen at once; freed once its handlers have returned.
            Hide();
            Release();
            break;
        case caNone: break;
    }
}

void TForm::Release() { Application->QueueRelease(this); }

TModalResult TForm::ShowModal() {
    modalResult_ = mrNone;
    ++modalDepth_;
    Application->modalStack_.push_back(this);
    ShowInternal(false);
    while (modalResult_ == mrNone && !Application->Terminated()) Application->HandleMessage();
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    if (Visible()) {
        TControl::SetVisible(false);
        Application->Desktop().AreaChanged(BoundsRect());
        Application->Input().WindowsChanged();
        Application->Guard(this, this, [&] {
            if (OnHide) OnHide(this);
        });
    }
    auto& stack = Application->modalStack_;
    stack.erase(std::remove(stack.begin(), stack.end(), this), stack.end());
    --modalDepth_;
    return modalResult_;
}
