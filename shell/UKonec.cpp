#include "shell/UKonec.h"

TwndKonec* wndKonec = nullptr;

namespace {

constexpr int StripFrameWidth = 128;
constexpr int StripFrameHeight = 104;
constexpr int StripFrames = 8;
constexpr int StripFrameMs = 150;

}  // namespace

TwndKonec::TwndKonec(TComponent* AOwner) : TForm(AOwner) {
    SetClientWidth(640);
    SetClientHeight(480);
    SetBorderStyle(bsNone);
    SetCaption("Velamo");
    SetPosition(poScreenCenter);
    Scaled = false;
    Timer = new TTimer(this);
    Timer->SetInterval(1000);
    Timer->SetEnabled(true);
    Timer->OnTimer = [this](TObject* s) { TimerTimer(s); };
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    OnDeactivate = [this](TObject* s) { FormDeactivate(s); };
    OnPaint = [this](TObject* s) { FormPaint(s); };
    DoCreate();
}

void TwndKonec::FormCreate(TObject* Sender) {
    SetCursor(ArrowCursor);
    Buffer = std::make_unique<TBitmap>();
    Buffer->SetSize(640, 480);
    Buffer->PixelFormat = TPixelFormat::pf24bit;
    ExitBitmap = std::make_unique<TBitmap>();
    YesButton = new TXLabel(this, 0, 0, 10, 10);
    NoButton = new TXLabel(this, 10, 0, 10, 10);
    YesButton->OnClick = [this](TObject* s) { YesClick(s); };
    NoButton->OnClick = [this](TObject* s) { NoClick(s); };
    YesButton->Hide();
    NoButton->Hide();
    YesButton->OnMouseEnter = [this](TObject* s) { YesMouseEnter(s); };
    NoButton->OnMouseEnter = [this](TObject* s) { NoMouseEnter(s); };
    TickCount = 0;
    CreditsMode = false;
    // Not guarded: a missing strip is a missing required file.
    YesStrip = std::make_unique<TBitmap>();
    YesStrip->LoadFromFile(AppDir + "hl_obr\\ano.bmp");
    NoStrip = std::make_unique<TBitmap>();
    NoStrip->LoadFromFile(AppDir + "hl_obr\\ne.bmp");
    SplashMode = true;
}

void TwndKonec::FormDestroy(TObject* Sender) {
    FreeAndNil(YesButton);
    FreeAndNil(NoButton);
}

void TwndKonec::FormPaint(TObject* Sender) {
    if (Buffer) BitBlt(Canvas(), 0, 0, 640, 480, Buffer->Canvas(), 0, 0, SRCCOPY);
}

void TwndKonec::FormShow(TObject* Sender) {
    // The mode as it was shown: a splash clicked away during the pause
    // plays nothing, and neither does a question answered during it.
    const bool shownAsQuestion = !SplashMode && !CreditsMode;
    Repaint();
    Delay(200);
    if (shownAsQuestion && !SplashMode && !CreditsMode && Visible()) PlaySoundFile(AppDir + "sound\\exit.wav");
}

void TwndKonec::FormClose(TObject* Sender, TCloseAction& Action) {
    Action = caHide;
    SplashMode = false;
}

void TwndKonec::FormDeactivate(TObject* Sender) { PlaySoundFile(""); }

void TwndKonec::YesMouseEnter(TObject* Sender) { PlaySoundFile(AppDir + "sound\\ex_ano.wav"); }

void TwndKonec::NoMouseEnter(TObject* Sender) {
    if (!SplashMode) PlaySoundFile(AppDir + "sound\\ex_ne.wav");
}

void TwndKonec::NoClick(TObject* Sender) {
    if (!SplashMode) {
        AnimateStrip(Canvas()->Handle(), Buffer->Canvas()->Handle(), NoStrip->Canvas()->Handle(), 336, 181,
                     StripFrameWidth, StripFrameHeight, StripFrames, StripFrameMs);
        Delay(500);
        // Yes was answered during the pause: the credits stay.
        if (CreditsMode) return;
    }
    Timer->SetEnabled(false);
    SplashMode = false;
    Close();
}

void TwndKonec::YesClick(TObject* Sender) {
    AnimateStrip(Canvas()->Handle(), Buffer->Canvas()->Handle(), YesStrip->Canvas()->Handle(), 174, 182,
                 StripFrameWidth, StripFrameHeight, StripFrames, StripFrameMs);
    Delay(500);
    // No was answered during the pause and the question is gone.
    if (!Visible() || CreditsMode) return;
    Buffer->LoadFromFile(AppDir + "hl_obr\\credits.bmp");
    YesButton->Hide();
    NoButton->Hide();
    CreditsMode = true;
    TickCount = 0;
    Repaint();
    Timer->SetEnabled(true);
}

void TwndKonec::TimerTimer(TObject* Sender) {
    if (CreditsMode) {
        if (TickCount < 2) {
            ++TickCount;
        } else {
            TickCount = 0;
            Timer->SetEnabled(false);
            Application->Terminate();
        }
    } else {
        if (TickCount < 10) {
            ++TickCount;
        } else {
            TickCount = 0;
            Timer->SetEnabled(false);
            SplashMode = false;
            Hide();
        }
    }
}

void TwndKonec::DimAndOverlay() {
    DimAndCentre(Buffer.get(), ExitBitmap.get());
    YesButton->Hide();
    NoButton->Hide();
}

void ShowExitScreen(const TBitmap* Snapshot) {
    if (!wndKonec) return;
    wndKonec->Buffer->Assign(Snapshot);
    wndKonec->ExitBitmap->LoadFromFile(AppDir + "hl_obr\\exit.bmp");
    wndKonec->DimAndOverlay();
    wndKonec->YesButton->SetBounds(165, 274, 34, 28);
    wndKonec->YesButton->Show();
    wndKonec->NoButton->SetBounds(442, 269, 32, 35);
    wndKonec->NoButton->Show();
    wndKonec->Show();
}
