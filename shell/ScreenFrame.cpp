#include "shell/ScreenFrame.h"

#include "shell/UKonec.h"
#include "shell/UVelamo.h"

namespace {

struct TBarButtonPlace {
    const char* Pictures;  // + "2.bmp" hover, + "1.bmp" normal, under AppDir
    int Left, Top, Width, Height;
};

// By TBarButton.
constexpr TBarButtonPlace BarPlaces[] = {
    {"hl_obr\\help", 10, 421, 49, 54},    {"hl_obr\\menu", 117, 421, 72, 59},
    {"hl_obr\\hry", 200, 421, 67, 59},    {"hl_obr\\simul", 275, 421, 71, 59},
    {"hl_obr\\tisk", 357, 421, 71, 56},   {"hl_obr\\konec", 435, 421, 73, 59},
    {"detaily\\zpet", 560, 421, 75, 59},
};

int Index(TBarButton b) { return int(b); }

bool Leaves(TBarButton b) {
    return b == TBarButton::Exit || b == TBarButton::Menu || b == TBarButton::Games || b == TBarButton::Simulations;
}

TScreenMenus Menus;

TForm* MenuOf(TForm* (*Menu)()) { return Menu ? Menu() : nullptr; }

}  // namespace

TScreenFrame::TScreenFrame(TComponent* AOwner, const TScreenSetup& Setup)
    : TForm(AOwner), Buffer(new TBitmap()), setup_(Setup) {
    SetCaption(Setup.Caption);
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetClientWidth(640);
    SetClientHeight(480);
    Scaled = false;
    SetCursor(ArrowCursor);
    OnPaint = [this](TObject* s) { FormPaint(s); };
    OnDeactivate = [this](TObject* s) { FormDeactivate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

TScreenFrame::~TScreenFrame() {
    HidePointer(false);
    delete Buffer;
    Buffer = nullptr;
}

void TScreenFrame::SetMenus(const TScreenMenus& Named) { Menus = Named; }

TBMPLabel* TScreenFrame::BarButton(TBarButton Which) const { return bar_[Index(Which)]; }

void TScreenFrame::CreateBottomBar(std::initializer_list<TBarButton> Buttons) {
    for (TBarButton which : Buttons) {
        const TBarButtonPlace& p = BarPlaces[Index(which)];
        const String pictures = AppDir + p.Pictures;
        auto* button = new TBMPLabel(this, pictures + "2.bmp", pictures + "1.bmp", p.Left, p.Top, p.Width, p.Height);
        bar_[Index(which)] = button;
        button->OnClick = [this, which](TObject* s) { BarClick(which, s); };
        if (Leaves(which))
            button->OnMouseMove = [this, button](TObject*, TShiftState, int X, int Y) {
                PointerOverLeavingButton(button->Left() + X, button->Top() + Y);
            };
    }
}

void TScreenFrame::BarClick(TBarButton Which, TObject* Sender) {
    if (Leaves(Which) && !BeforeLeaving()) return;
    switch (Which) {
        case TBarButton::Help: HelpClick(Sender); break;
        case TBarButton::Menu: ShowMainWindow(Sender); break;
        case TBarButton::Games: ShowGamesMenu(Sender); break;
        case TBarButton::Simulations: ShowSimulationsMenu(Sender); break;
        case TBarButton::Print: PrintClick(Sender); break;
        case TBarButton::Exit: ShowExitScreen(Sender); break;
        case TBarButton::Back: BackClick(Sender); break;
    }
}

void TScreenFrame::DrawBarButton(TBarButton Which) {
    if (TBMPLabel* b = BarButton(Which)) Buffer->Canvas()->Draw(b->Left(), b->Top(), b->NormalBitmap.get());
}

void TScreenFrame::FormPaint(TObject*) {
    BitBlt(Canvas(), 0, 0, 640, 480, Buffer->Canvas(), 0, 0, SRCCOPY);
}

void TScreenFrame::FormDeactivate(TObject*) {
    if (setup_.StopSoundOnDeactivate) PlaySoundFile("");
    StopHelp();
}

void TScreenFrame::FormClose(TObject*, TCloseAction& Action) {
    Action = setup_.CloseAction;
    if (setup_.StopSoundOnClose) PlaySoundFile("");
    // A closed screen may live on until its waiting handler returns; the
    // pointer it hid comes back now, also when it was not deactivated (the
    // program had lost the input when the screen was left).
    HidePointer(false);
    DismissGameMessage();
}

void TScreenFrame::DismissGameMessage() {
    // A round can end while a bar button is held down: the message window
    // comes up before the release, and the release still leaves by the
    // button below it. The message goes with its screen, silenced as its
    // own buttons silence it, instead of staying under the next screen.
    if (!wndHlaska || wndHlaska->Asker != static_cast<THlaskaScreen*>(this)) return;
    wndHlaska->Asker = nullptr;
    if (!wndHlaska->Showing()) return;
    PlaySoundFile("");
    wndHlaska->Hide();
}

void TScreenFrame::ShowExitScreen(TObject*) { ::ShowExitScreen(ExitSnapshot()); }

void TScreenFrame::ShowAndLeave(TForm* Target) {
    // The target is shown first: this screen is deactivated by it (and so
    // stops its sound) before it closes.
    if (Target) Target->Show();
    if (!setup_.StaysOpen) Close();
}

void TScreenFrame::ShowMainWindow(TObject*) { ShowAndLeave(wndVelamo); }
void TScreenFrame::ShowGamesMenu(TObject*) { ShowAndLeave(MenuOf(Menus.Games)); }
void TScreenFrame::ShowSimulationsMenu(TObject*) { ShowAndLeave(MenuOf(Menus.Simulations)); }

void TScreenFrame::HelpClick(TObject*) {
    // Not under another window: the help would play on over it and beyond.
    if (InFront()) ToggleHelp(AppDir + "sound\\help\\" + HelpFile + ".wav");
}

void TScreenFrame::CloseAndShowMenu() {
    switch (setup_.Menu) {
        case TScreenMenu::Games: ShowGamesMenu(this); break;
        case TScreenMenu::Simulations: ShowSimulationsMenu(this); break;
        case TScreenMenu::None: Close(); break;
    }
}

bool TScreenFrame::Pause(DWORD Ms) {
    // Busy also when the pause runs inside another form's handler (a menu
    // starting the first round, the message window starting the next).
    TApplication::BusyScope busy(this);
    Delay(Ms);
    return !Closed() && !Application->Terminated();
}

void TScreenFrame::HidePointer(bool Hide) {
    if (Hide == pointerHidden_) return;
    pointerHidden_ = Hide;
    ShowCursor(!Hide);
}

void TScreenFrame::ShowGameMessage(const String& Id, const TBitmap* Message, const String& Caption,
                                   const TBitmap* Snapshot) {
    ::ShowGameMessage(Id, this, Snapshot ? Snapshot : Buffer, Message, Caption);
}
