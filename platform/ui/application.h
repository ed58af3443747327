// The application object: the message loop, the exception guard, form
// creation, activation of the whole application, the message box.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/backend/backend.h"
#include "platform/core/exceptions.h"
#include "platform/ui/forms.h"
#include "platform/ui/timer.h"

constexpr UINT MB_OK = 0x00;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONSTOP = 0x10;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr int IDOK = 1;

using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;

namespace ui {
class Desktop;
class InputRouter;
}

class TScreen;

class TApplication : public TComponent {
public:
    // Makes itself the global Application (and creates the Screen). The
    // backend must be installed first.
    TApplication();
    // Frees every form that is left.
    ~TApplication() override;

    void Initialize() {}
    // Creates a form owned by the application; `ref` points to it already
    // while its constructor runs and is cleared when it is freed. The first
    // form so made is the main form.
    template <class T>
    void CreateForm(T*& ref);
    TForm* MainForm() const { return mainForm_; }

    // Shows the main form (unless ShowMainForm is false), then handles
    // messages until Terminate; returns once control is back here.
    void Run();
    bool ShowMainForm = true;
    // Handles everything waiting (input, posted messages, paints, due
    // timers), then returns. Returns at once after Terminate.
    void ProcessMessages();
    // Handles one message, waiting for one when none is there.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // A wait that keeps the loop running (what Delay is made of): handles
    // messages while endTick > GetTickCount() (unsigned comparison, so an
    // end that wrapped past 2^32 ends at once), until `stop` answers true
    // or the application terminates. Waits for events instead of spinning.
    void WaitUntil(DWORD endTick, const std::function<bool()>& stop = {});

    const String& Title() const { return title_; }
    void SetTitle(const String& t) { title_ = t; }
    // The program file's full path (from /proc/self/exe unless set).
    const String& ExeName() const { return exeName_; }
    void SetExeName(const String& path) { exeName_ = path; }
    // The display has the input focus.
    bool Active() const { return appActive_; }

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TExceptionEvent OnException;

    // Called inside a catch block: hands the exception being handled to
    // OnException (an std::exception as an Exception with its text); without
    // a handler it is dropped. A halt (TProgramHalt), raised by the handler
    // or being handled, goes on unwinding.
    void HandleException(TObject* Sender);
    // Runs `fn` as a handler of `owner` (a control, form or timer): counted
    // as running for the deferred free of its form, and with every exception
    // but a halt passed to HandleException(Sender). Returns false when one
    // came.
    bool Guard(TComponent* owner, TObject* Sender, const std::function<void()>& fn);

    // A modal box with the caption, the text (LF, CR and CR LF break lines),
    // an icon for MB_ICONSTOP / MB_ICONINFORMATION, and an OK button that
    // Enter, Space, Escape or a click closes. Returns IDOK.
    int MessageBox(const String& Text, const String& Caption, UINT Flags = MB_OK);
    // Tests: answers a message box without showing it when it returns a
    // value. The box's notice is written either way.
    std::function<std::optional<int>(const String& Text, const String& Caption, UINT Flags)> MessageBoxHook;

    // Queues `message` behind what is waiting; the loop runs it later as a
    // handler of `target` (dropped if the target's form is freed first).
    void Post(TComponent* target, std::function<void()> message);
    // The loop's waits do not sleep past this tick (for work done on time
    // outside timers, such as a sound ending).
    void WakeAt(DWORD tick);

    // Handles one message if one is waiting, else waits at most
    // waitLimitMs (negative: until the next timer or event). True when
    // something was handled.
    bool Step(std::int64_t waitLimitMs);

    ui::Desktop& Desktop() { return *desktop_; }
    ui::InputRouter& Input() { return *input_; }

    // Counts a handler of the component's form as running while it lives.
    class BusyScope {
    public:
        explicit BusyScope(TComponent* c);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        TForm* form_;
    };
    // The form a component belongs to: a control's form, else the first
    // form among its owners.
    static TForm* FormOf(TComponent* c);

private:
    friend class TForm;
    friend class TTimer;
    friend class TScreen;
    friend class TControl;
    friend class TWinControl;
    friend class ui::Desktop;
    friend class ui::InputRouter;

    struct Posted {
        TForm* form = nullptr;       // the form the message is for, or null
        TComponent* target = nullptr;
        TForm* releaseOf = nullptr;  // a release request
        std::function<void()> run;
    };

    void RegisterForm(TForm* f);
    void UnregisterForm(TForm* f);
    bool Registered(const TForm* f) const;
    void RegisterTimer(TTimer* t);
    void UnregisterTimer(TTimer* t);
    void FormCreated(TForm* f);
    void MoveToTop(TForm* f);
    void MoveToBottom(TForm* f);

    // Activation of forms.
    void ActivateForm(TForm* f);
    void BeginActivation(TForm* f);
    void FormHidden(TForm* f);
    void NotifyDeactivate(TForm* f);
    void NotifyActivate(TForm* f);
    void ActivateNext(TForm* except);
    void FocusFirstControl(TForm* f);
    void AppFocus(bool gained);

    void QueueRelease(TForm* f);
    bool FreeReleasedForms();
    void DeliverException(TObject* Sender, Exception& E);

    bool HandleOne();
    void PullEvents();
    void QueueEvent(const backend::Event& ev);
    bool FireDueTimer();
    std::int64_t MsToNextDeadline();

    std::unique_ptr<ui::Desktop> desktop_;
    std::unique_ptr<ui::InputRouter> input_;
    TForm* mainForm_ = nullptr;
    TForm* activeForm_ = nullptr;
    std::vector<TForm*> forms_;  // z-order, bottom first
    std::vector<TTimer*> timers_;
    std::vector<TForm*> modalStack_;
    std::vector<TForm*> releasing_;
    std::deque<Posted> posted_;
    std::vector<DWORD> wakeUps_;
    String title_;
    String exeName_;
    bool terminated_ = false;
    bool appActive_ = true;
    bool shuttingDown_ = false;
};

extern TApplication* Application;

template <class T>
void TApplication::CreateForm(T*& ref) {
    // The reference points to the storage first, so that code run by the
    // constructor (OnCreate) already sees the global.
    void* storage = TForm::operator new(sizeof(T));
    ref = static_cast<T*>(storage);
    T* form;
    try {
        form = ::new (storage) T(this);
    } catch (...) {
        ref = nullptr;
        TForm::operator delete(storage);
        throw;
    }
    form->BindGlobal(ref);
    FormCreated(form);
}
