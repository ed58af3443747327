// Top-level forms: each a window of its own on the 640x480 display, with
// z-order bands, activation, closing with deferred freeing, and modal runs.
//
// A program form is written as the class library has it:
//
//     class TwndKonec : public TForm {
//     public:
//         explicit TwndKonec(TComponent* AOwner) : TForm(AOwner) {
//             Timer = new TTimer(this);
//             Timer->SetInterval(1000);
//             Timer->OnTimer = [this](TObject* s) { TimerTimer(s); };
//             OnShow = [this](TObject* s) { FormShow(s); };
//             OnCreate = [this](TObject* s) { FormCreate(s); };
//             DoCreate();   // last: runs OnCreate inside the exception guard
//         }
//         TTimer* Timer;
//         ...
//     };
//     TwndKonec* wndKonec = nullptr;
//     ...
//     wndKonec = new TwndKonec(nullptr);
//     wndKonec->BindGlobal(wndKonec);   // cleared when the form is freed
//
// Forms live on the heap. Free them with Free(), Release() or Close() with
// caFree; the last two wait until none of the form's handlers is running
// (a handler paused in a nested message loop counts) and no message for it
// is queued. The application frees whatever forms are left when it ends.
#pragma once

#include <functional>

#include "platform/ui/controls.h"

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

class TForm : public TWinControl {
public:
    // A 640x480 form at (0, 0), hidden, painted in clBtnFace.
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    // The window canvas: drawing on it changes this form's window only and
    // reaches the screen at once (when the form is visible).
    TCanvas* Canvas() { return WindowCanvas(); }

    // Visible, on top of its band, activated (unless disabled). The form
    // that was active gets OnDeactivate before this form's OnShow runs.
    void Show() override;
    // Hidden (OnHide); when it was active the next visible form is activated.
    void Hide() override;
    void SetVisible(bool v) override;
    bool Showing() const override;
    // OnClose decides: caHide (the default), caFree (Release), caMinimize,
    // caNone. The main form's close ends the application. An exception in
    // OnClose stops the close and goes on to the caller (whose handler's
    // guard reports it).
    void Close();
    // Frees the form from the message loop once it is safe (see above).
    void Release();
    // Closed with caFree or released: freed once its handlers have returned.
    bool Releasing() const { return releaseQueued_ || destroying_; }
    void BringToFront() override;
    void SendToBack() override;
    // Activates the form (and focuses its active control).
    void SetFocus() override;
    bool CanFocus() const override;
    // Runs the form modally: shown above every other form, taking all
    // input, until ModalResult is set (or the application terminates);
    // forms below stay active and keep painting, timers go on. Returns the
    // result; the form is hidden afterwards.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult r) { modalResult_ = r; }
    bool Modal() const { return modalDepth_ > 0; }

    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle s);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle b) { borderStyle_ = b; }
    TPosition Position() const { return position_; }
    // poScreenCenter and poDesktopCenter centre the form on the display.
    void SetPosition(TPosition p);
    TWindowState WindowState() const { return windowState_; }
    // wsMaximized fills the display; wsMinimized takes the form off it.
    void SetWindowState(TWindowState s);
    bool Scaled = false;
    bool KeyPreview = false;

    // The control that has the keyboard focus while the form is active.
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* c);
    // The form is the active one of the application.
    bool Active() const;

    // Makes `ref` point to this form and clears it when the form is freed
    // (it is left alone if it points elsewhere by then).
    template <class T>
    void BindGlobal(T*& ref) {
        T* self = static_cast<T*>(this);
        ref = self;
        clearGlobal_ = [&ref, self] {
            if (ref == self) ref = nullptr;
        };
    }

    // A form's storage; kept rather than freed when the form's creation
    // halted (see DoCreate).
    static void* operator new(std::size_t size);
    static void operator delete(void* p) noexcept;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;

protected:
    // Subclasses call it at the end of their constructor: runs OnCreate in
    // the exception guard; the form exists whatever happens there, unless
    // the program halts there (TProgramHalt): then OnDestroy runs and the
    // halt leaves the constructor, so no half-built form is ever used. The
    // form's own destructor cannot run then (its constructor never
    // finished): its storage, and what only that destructor frees, are left
    // to the end of the process.
    void DoCreate();
    void Paint() override;
    void BeforeDestruction() override;
    void BoundsChanged(const TRect& old) override;

private:
    friend class TApplication;
    friend class TWinControl;
    friend class ui::Desktop;
    friend class ui::InputRouter;

    void PlaceByPosition();
    void ShowInternal(bool activate);
    void HideInternal();

    TFormStyle formStyle_ = fsNormal;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    TWinControl* activeControl_ = nullptr;
    TModalResult modalResult_ = mrNone;
    int modalDepth_ = 0;
    bool destroying_ = false;
    bool releaseQueued_ = false;
    int running_ = 0;  // handlers of the form (and its controls) running
    bool activeNotified_ = false;  // OnActivate ran and OnDeactivate did not yet
    std::function<void()> clearGlobal_;
};

// A form's window state when it is being shown: visible and not minimised.
bool FormOnScreen(const TForm* form);
