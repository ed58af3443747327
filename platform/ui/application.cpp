// The application object: the message loop, the exception guard, form
// registration and z-order, activation, deferred freeing.
#include "platform/ui/application.h"

#include <unistd.h>

#include <algorithm>
#include <climits>

#include "platform/core/rtl.h"
#include "platform/sys/clock.h"
#include "platform/sys/termination.h"
#include "platform/ui/desktop.h"
#include "platform/ui/input.h"
#include "platform/ui/screen.h"

TApplication* Application = nullptr;

namespace {

String ReadExeName() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return String();
    return String(buf, std::size_t(n));
}

template <class T>
void Erase(std::vector<T>& v, const T& x) {
    v.erase(std::remove(v.begin(), v.end(), x), v.end());
}

}  // namespace

TApplication::TApplication() : TComponent(nullptr) {
    if (!backend::Installed()) throw Exception("no backend installed");
    Application = this;
    desktop_ = std::make_unique<ui::Desktop>();
    input_ = std::make_unique<ui::InputRouter>();
    sys::SetSleepFlush(&ui::PresentDrawn);
    Screen = new TScreen();
    exeName_ = ReadExeName();
}

TApplication::~TApplication() {
    shuttingDown_ = true;
    while (!forms_.empty()) forms_.back()->Free();
    DestroyComponents();
    delete Screen;
    Screen = nullptr;
    Application = nullptr;
}

// ---------------------------------------------------------------------------
// Exceptions and handlers

TApplication::BusyScope::BusyScope(TComponent* c) : form_(FormOf(c)) {
    if (form_) ++form_->running_;
}

TApplication::BusyScope::~BusyScope() {
    if (form_ && Application && Application->Registered(form_)) --form_->running_;
}

TForm* TApplication::FormOf(TComponent* c) {
    if (auto* ctl = dynamic_cast<TControl*>(c))
        if (TForm* f = ctl->ParentForm()) return f;
    for (; c; c = c->Owner())
        if (auto* f = dynamic_cast<TForm*>(c)) return f;
    return nullptr;
}

bool TApplication::Guard(TComponent* owner, TObject* Sender, const std::function<void()>& fn) {
    BusyScope busy(owner);
    try {
        fn();
        return true;
    } catch (const TProgramHalt&) {
        throw;
    } catch (...) {
        HandleException(Sender);
        return false;
    }
}

void TApplication::HandleException(TObject* Sender) {
    try {
        throw;
    } catch (const TProgramHalt&) {
        throw;
    } catch (Exception& e) {
        DeliverException(Sender, e);
    } catch (std::exception& e) {
        Exception copy(e.what());
        DeliverException(Sender, copy);
    } catch (...) {
        Exception copy("unknown exception");
        DeliverException(Sender, copy);
    }
}

void TApplication::DeliverException(TObject* Sender, Exception& E) {
    if (!OnException) return;
    try {
        OnException(Sender, E);
    } catch (const TProgramHalt&) {
        throw;
    } catch (...) {
        // An exception from the exception handler itself is dropped.
    }
}

// ---------------------------------------------------------------------------
// Forms, z-order and activation

void TApplication::RegisterForm(TForm* f) { forms_.push_back(f); }

bool TApplication::Registered(const TForm* f) const {
    return std::find(forms_.begin(), forms_.end(), f) != forms_.end();
}

void TApplication::UnregisterForm(TForm* f) {
    bool wasOn = FormOnScreen(f);
    Erase(forms_, f);
    Erase(releasing_, f);
    Erase(modalStack_, f);
    std::erase_if(posted_, [f](const Posted& p) { return p.form == f || p.releaseOf == f; });
    if (mainForm_ == f) mainForm_ = nullptr;
    if (wasOn) {
        desktop_->AreaChanged(f->BoundsRect());
        input_->WindowsChanged();
    }
    input_->ControlGone(f);
    if (activeForm_ == f) {
        activeForm_ = nullptr;
        if (!shuttingDown_) ActivateNext(f);
    }
}

void TApplication::FormCreated(TForm* f) {
    if (!mainForm_) mainForm_ = f;
}

void TApplication::MoveToTop(TForm* f) {
    Erase(forms_, f);
    forms_.push_back(f);
}

void TApplication::MoveToBottom(TForm* f) {
    Erase(forms_, f);
    forms_.insert(forms_.begin(), f);
}

void TApplication::BeginActivation(TForm* f) {
    TForm* old = activeForm_;
    activeForm_ = f;
    if (old && old != f) NotifyDeactivate(old);
}

void TApplication::ActivateForm(TForm* f) {
    if (!f->Enabled() || !FormOnScreen(f) || f->Modal()) return;
    if (activeForm_ != f) BeginActivation(f);
    if (activeForm_ == f) NotifyActivate(f);
}

void TApplication::NotifyActivate(TForm* f) {
    if (!appActive_ || shuttingDown_ || f->activeNotified_) return;
    f->activeNotified_ = true;
    if (!f->activeControl_) FocusFirstControl(f);
    Guard(f, f, [&] {
        if (f->OnActivate) f->OnActivate(f);
    });
}

void TApplication::NotifyDeactivate(TForm* f) {
    if (!f->activeNotified_ || shuttingDown_) return;
    f->activeNotified_ = false;
    Guard(f, f, [&] {
        if (f->OnDeactivate) f->OnDeactivate(f);
    });
}

void TApplication::FormHidden(TForm* f) {
    if (activeForm_ != f) return;
    NotifyDeactivate(f);
    if (activeForm_ != f) return;  // the handler activated another form
    activeForm_ = nullptr;
    ActivateNext(f);
}

void TApplication::ActivateNext(TForm* except) {
    if (shuttingDown_) return;
    std::vector<TForm*> order = desktop_->ZOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        TForm* f = *it;
        if (f == except || !f->Enabled() || f->Modal()) continue;
        activeForm_ = f;
        NotifyActivate(f);
        return;
    }
}

namespace {
void CollectFocusable(TWinControl* w, std::vector<TWinControl*>& out) {
    std::vector<TWinControl*> children;
    for (int i = 0; i < w->ControlCount(); ++i)
        if (w->Controls(i)->IsWindowed()) children.push_back(static_cast<TWinControl*>(w->Controls(i)));
    std::stable_sort(children.begin(), children.end(),
                     [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (TWinControl* c : children) {
        if (c->TabStop()) out.push_back(c);
        CollectFocusable(c, out);
    }
}
}  // namespace

void TApplication::FocusFirstControl(TForm* f) {
    std::vector<TWinControl*> candidates;
    CollectFocusable(f, candidates);
    for (TWinControl* c : candidates)
        if (c->CanFocus()) {
            f->SetActiveControl(c);
            return;
        }
}

void TApplication::AppFocus(bool gained) {
    if (gained == appActive_) return;
    if (!gained) {
        appActive_ = false;
        if (activeForm_) NotifyDeactivate(activeForm_);
        Guard(this, this, [&] {
            if (OnDeactivate) OnDeactivate(this);
        });
    } else {
        appActive_ = true;
        Guard(this, this, [&] {
            if (OnActivate) OnActivate(this);
        });
        if (activeForm_) NotifyActivate(activeForm_);
    }
}

// ---------------------------------------------------------------------------
// Deferred freeing

void TApplication::QueueRelease(TForm* f) {
    if (f->releaseQueued_ || f->destroying_) return;
    f->releaseQueued_ = true;
    PullEvents();  // what already waits is handled first
    Posted p;
    p.releaseOf = f;
    posted_.push_back(std::move(p));
}

bool TApplication::FreeReleasedForms() {
    for (TForm* f : releasing_) {
        // Messages queued before the release were handled before its
        // request came up; later ones go with the form.
        if (f->running_ > 0) continue;
        Erase(releasing_, f);
        f->Free();
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Timers

void TApplication::RegisterTimer(TTimer* t) { timers_.push_back(t); }
void TApplication::UnregisterTimer(TTimer* t) { Erase(timers_, t); }

bool TApplication::FireDueTimer() {
    DWORD now = backend::Current().Ticks();
    for (TTimer* t : timers_) {
        if (!t->enabled_ || t->interval_ <= 0 || !t->OnTimer) continue;
        if (DWORD(now - t->started_) < DWORD(t->interval_)) continue;
        t->started_ = now;  // at most one pending tick; the next counts from here
        Guard(t, t, [t] { t->OnTimer(t); });
        return true;
    }
    return false;
}

void TApplication::WakeAt(DWORD tick) { wakeUps_.push_back(tick); }

std::int64_t TApplication::MsToNextDeadline() {
    if (!posted_.empty() || desktop_->HasPendingPaint()) return 0;
    DWORD now = backend::Current().Ticks();
    std::int64_t best = -1;
    auto consider = [&best](std::int64_t ms) {
        if (best < 0 || ms < best) best = ms;
    };
    for (TTimer* t : timers_) {
        if (!t->enabled_ || t->interval_ <= 0 || !t->OnTimer) continue;
        DWORD elapsed = now - t->started_;
        consider(elapsed >= DWORD(t->interval_) ? 0 : std::int64_t(DWORD(t->interval_) - elapsed));
    }
    std::erase_if(wakeUps_, [now](DWORD w) { return std::int32_t(w - now) <= 0; });
    for (DWORD w : wakeUps_) consider(std::int64_t(std::int32_t(w - now)));
    return best;
}

// ---------------------------------------------------------------------------
// The loop

void TApplication::Post(TComponent* target, std::function<void()> message) {
    Posted p;
    p.target = target;
    p.form = FormOf(target);
    p.run = std::move(message);
    posted_.push_back(std::move(p));
}

void TApplication::QueueEvent(const backend::Event& ev) {
    Posted p;
    p.run = [this, ev] { input_->Dispatch(ev); };
    posted_.push_back(std::move(p));
}

void TApplication::PullEvents() {
    backend::Event ev;
    while (backend::Current().PollEvent(ev)) QueueEvent(ev);
}

bool TApplication::HandleOne() {
    // A termination signal ends the run as Terminate does.
    if (sys::TerminationRequested()) Terminate();
    if (terminated_) return false;
    PullEvents();
    if (FreeReleasedForms()) return true;
    if (!posted_.empty()) {
        Posted p = std::move(posted_.front());
        posted_.pop_front();
        if (p.releaseOf) {
            releasing_.push_back(p.releaseOf);
        } else if (p.run) {
            Guard(p.target, p.target ? static_cast<TObject*>(p.target) : this, p.run);
        }
        return true;
    }
    if (input_->HandlePending()) return true;
    if (desktop_->PaintPending()) return true;
    return FireDueTimer();
}

bool TApplication::Step(std::int64_t waitLimitMs) {
    // After a message, what it left due belongs to its frame (a move under
    // the still pointer after windows changed, the paints it asked for);
    // input that came meanwhile is a message of its own. Then the frame is
    // presented, once.
    auto endFrame = [this] {
        for (int round = 0; round < 8 && !terminated_; ++round) {
            PullEvents();
            if (!posted_.empty()) break;
            if (!input_->HandlePending() && !desktop_->PaintPending()) break;
        }
        desktop_->FlushPainted();
    };
    if (HandleOne()) {
        endFrame();
        return true;
    }
    if (terminated_) return false;
    desktop_->FlushPainted();
    std::int64_t wait = MsToNextDeadline();
    if (waitLimitMs >= 0 && (wait < 0 || waitLimitMs < wait)) wait = waitLimitMs;
    backend::Event ev;
    if (backend::Current().WaitEvent(ev, wait)) {
        QueueEvent(ev);
        HandleOne();
        endFrame();
        return true;
    }
    return false;
}

void TApplication::HandleMessage() { Step(-1); }

void TApplication::ProcessMessages() {
    while (!terminated_ && HandleOne()) {
    }
    desktop_->Flush();
}

void TApplication::Run() {
    if (ShowMainForm && mainForm_ && !mainForm_->Visible() && !terminated_) mainForm_->Show();
    while (!terminated_) HandleMessage();
}

void TApplication::Terminate() { terminated_ = true; }

void TApplication::WaitUntil(DWORD endTick, const std::function<bool()>& stop) {
    backend::Backend& b = backend::Current();
    while (!terminated_) {
        DWORD now = b.Ticks();
        if (!(endTick > now)) return;
        if (stop && stop()) return;
        Step(std::int64_t(endTick - now));
    }
}
