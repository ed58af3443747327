// The frame every screen of the program stands on: a 640x480 borderless
// form that draws its content into its own picture Buffer and copies it
// whole to the window on paint, its bottom bar of picture buttons built from
// a list, the bar's operations (exit question, menus, town, help), what it
// stops when it is deactivated or closed, and pauses that know when the
// screen was closed under them.
//
// A screen declares only what differs:
//
//     TwndKdoPatriObr::TwndKdoPatriObr(TComponent* AOwner)
//         : TScreenFrame(AOwner, {.Caption = "Velamo - Hry: Kdo sem patří", .Menu = TScreenMenu::Games,
//                                 .StopSoundOnDeactivate = true}) {
//         OnCreate = [this](TObject* s) { FormCreate(s); };
//         DoCreate();
//     }
//     void TwndKdoPatriObr::FormCreate(TObject*) {
//         Buffer->LoadFromFile(AppDir + "hry\\kdopatri\\pozadia.bmp");
//         CreateBottomBar({TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Menu,
//                          TBarButton::Help});
//         HelpFile = "vrata";
//     }
#pragma once

#include <functional>
#include <initializer_list>

#include "shell/UHlaska.h"
#include "shell/UMisc.h"

// The bottom bar's buttons: each has one place (top 421) and one pair of
// pictures on every screen that carries it.
enum class TBarButton { Help, Menu, Games, Simulations, Print, Exit, Back };

// The menu a screen belongs to: shown by the message window's second button.
enum class TScreenMenu { None, Games, Simulations };

struct TScreenSetup {
    const char* Caption = "Velamo";
    TScreenMenu Menu = TScreenMenu::None;
    // Games and simulations free themselves; menus and the screens made
    // once only hide.
    TCloseAction CloseAction = caFree;
    // Deactivation always stops the spoken help; these stop the short sound.
    bool StopSoundOnDeactivate = false;
    bool StopSoundOnClose = false;
    // The town stays open below the menus it shows; every other screen
    // closes when it shows another.
    bool StaysOpen = false;
};

// The menus the bar's Games and Simulations buttons show, as the program's
// start-up names them: each reads its menu's global at the click (none made
// yet: the screen only closes).
struct TScreenMenus {
    TForm* (*Games)() = nullptr;
    TForm* (*Simulations)() = nullptr;
};

class TScreenFrame : public TForm, public THlaskaScreen {
public:
    TScreenFrame(TComponent* AOwner, const TScreenSetup& Setup);
    ~TScreenFrame() override;

    // Names the menus for every screen; the start-up does it as it makes them.
    static void SetMenus(const TScreenMenus& Menus);

    // The screen's picture, 640x480; created empty, loaded or sized by the
    // screen.
    TBitmap* Buffer;
    // The name of the screen's spoken help in "sound\help\" without ".wav".
    String HelpFile;

    // The bar's button of that kind, or nullptr when the screen has none.
    TBMPLabel* BarButton(TBarButton Which) const;

    // The bar's operations. Exit: the exit question over ExitSnapshot.
    // Menu, games, simulations: the target shown, then this screen closed
    // (unless it stays open). Help: the screen's help started or stopped.
    virtual void ShowExitScreen(TObject* Sender);
    void ShowMainWindow(TObject* Sender);
    void ShowGamesMenu(TObject* Sender);
    void ShowSimulationsMenu(TObject* Sender);
    void HelpClick(TObject* Sender);
    virtual void PrintClick(TObject* Sender) {}
    virtual void BackClick(TObject* Sender) {}

    // The message window's second button: this screen's menu, then close.
    void CloseAndShowMenu() override;
    // The first button; the round screens override it.
    void StartNewRound() override {}

    // Waits with the message loop running (Delay); false when the screen was
    // closed meanwhile or the program ends: the caller then returns at once,
    // and the screen is freed only after the handler has returned.
    bool Pause(DWORD Ms);
    // The screen was closed (it is freed once its handlers have returned).
    bool Closed() const { return Releasing(); }
    // The screen is in front (the active form). A press held while a window
    // came up over it (the message window at a round's end, the page or the
    // result window that the press itself opened) keeps the mouse on the
    // control below: its release completes a click there, and another
    // button's press goes there too. Help and the handlers that answer,
    // pick up or deal act only in front.
    bool InFront() const { return Active(); }

    // Hides or shows the pointer (the platform's show-cursor counter) for
    // this screen: a change only when it differs, so hides and shows stay
    // balanced; a screen closed or freed with it hidden shows it again.
    void HidePointer(bool Hide);
    bool PointerHidden() const { return pointerHidden_; }

    // The message window over this screen's Buffer (or Snapshot).
    void ShowGameMessage(const String& Id, const TBitmap* Message, const String& Caption = String(),
                         const TBitmap* Snapshot = nullptr);

protected:
    // Creates the bar's buttons in the order given, each wired to its
    // operation.
    void CreateBottomBar(std::initializer_list<TBarButton> Buttons);
    // Draws a bar button's normal picture into Buffer at its place (the
    // screens whose background lacks it).
    void DrawBarButton(TBarButton Which);
    // What the exit question dims: Buffer unless the screen shows more.
    virtual const TBitmap* ExitSnapshot() { return Buffer; }
    // Before a bar button leaves this screen or asks to (exit, menu, games,
    // simulations): false keeps the screen, and the press does nothing.
    virtual bool BeforeLeaving() { return true; }
    // The pointer moves over one of those buttons (X, Y on the form).
    virtual void PointerOverLeavingButton(int X, int Y) {}

    virtual void FormPaint(TObject* Sender);
    virtual void FormDeactivate(TObject* Sender);
    virtual void FormClose(TObject* Sender, TCloseAction& Action);
    bool WMEraseBkgnd() override { return true; }

private:
    // A bar button's press: its operation, a leaving one only when
    // BeforeLeaving lets it.
    void BarClick(TBarButton Which, TObject* Sender);
    void ShowAndLeave(TForm* Target);
    // Hides the message window when it still stands for this screen.
    void DismissGameMessage();

    TScreenSetup setup_;
    TBMPLabel* bar_[7] = {};
    bool pointerHidden_ = false;
};

// Creates a screen anew into its global variable, prepares it (mode, first
// round) and shows it; a screen closed while it was being prepared (from a
// button during a pause) is not shown. The screen counts as busy meanwhile,
// so it is not freed under its preparation.
template <class T>
T* OpenScreen(T*& Global, const std::function<void(T&)>& Prepare = {}) {
    auto* screen = new T(nullptr);
    screen->BindGlobal(Global);
    TApplication::BusyScope busy(screen);
    if (Prepare) Prepare(*screen);
    if (!screen->Closed()) screen->Show();
    return screen;
}
