#include "simulations/USimulaceHasic.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <utility>

#include "platform/core/rtl.h"
#include "platform/core/strings.h"
#include "platform/media/sound.h"
#include "simulations/UTabulka.h"

TwndSimulaceHasic* wndSimulaceHasic = nullptr;

namespace {

constexpr TPoint CannonPlace = {280, 310};
// The clock: the background's rectangle under it and the text's centre.
const TRect ClockArea = Bounds(555, 420, 80, 60);
constexpr TPoint ClockCentre = {595, 448};
// The stream's first frames reach out to the window; the water is heard
// from this frame on.
constexpr int StreamLoopStart = 4;

TTimer* NewTimer(TwndSimulaceHasic* Form, int Interval, std::function<void(TObject*)> OnTimer) {
    auto* timer = new TTimer(Form);
    timer->SetEnabled(false);
    timer->SetInterval(Interval);
    timer->OnTimer = std::move(OnTimer);
    return timer;
}

}  // namespace

TwndSimulaceHasic::TwndSimulaceHasic(TComponent* AOwner)
    : TScreenFrame(AOwner, {.Caption = "Velamo - Simulace: Hasič", .Menu = TScreenMenu::Simulations,
                            .StopSoundOnDeactivate = true, .StopSoundOnClose = true}) {
    for (int w = 1; w <= FireWindowCount; ++w) {
        const TPoint at = FireWindowTable[w - 1];
        auto* window = new TXLabel(this, at.X, at.Y, FireWindowWidth, FireWindowHeight);
        window->Tag = w;
        window->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
            OknoMouseDown(s, b, sh, x, y);
        };
        window->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
            OknoMouseUp(s, b, sh, x, y);
        };
        window->OnMouseEnter = [this](TObject* s) { OknoMouseEnter(s); };
        Okna[w] = window;
    }
    lbCas = new TLabel(this);
    lbCas->SetParent(this);
    lbCas->SetAutoSize(false);
    lbCas->SetBounds(536, 435, 76, 20);
    lbCas->Font()->Name = "Verdana";
    lbCas->Font()->Style = fsBold;
    lbCas->Font()->SetHeight(-17);
    lbCas->Font()->Color = clWindowText;
    lbCas->Hide();
    Timer = NewTimer(this, 94, [this](TObject* s) { TimerTimer(s); });
    PridejTimer = NewTimer(this, 1000, [this](TObject* s) { PridejTimerTimer(s); });
    Casomira = NewTimer(this, 1000, [this](TObject* s) { CasomiraTimer(s); });
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    DoCreate();
}

void TwndSimulaceHasic::FormCreate(TObject*) {
    const String folder = AppDir + "simul\\hasic\\";
    Buffer->LoadFromFile(folder + "pozadi.bmp");
    Buffer->Canvas()->Font.Assign(*lbCas->Font());
    Buffer->Canvas()->Brush.Style = TBrushStyle::bsClear;
    MessagePicture = std::make_unique<TBitmap>();
    MessagePicture->LoadFromFile(folder + "hlaska.bmp");
    CreateBottomBar({TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Menu,
                     TBarButton::Help});
    HelpFile = "hasic";
    DrawBarButton(TBarButton::Help);
    CleanBuffer = std::make_unique<TBitmap>();
    CleanBuffer->Assign(Buffer);

    for (int n = 0; n < CannonPictureCount; ++n) {
        CannonBitmaps[n] = std::make_unique<TBitmap>();
        CannonBitmaps[n]->LoadFromFile(folder + "dela\\delo" + IntToStr(n) + ".bmp");
    }
    ComposeFireStrip();
    for (int w = 1; w <= FireWindowCount; ++w) {
        WaterBitmaps[w] = std::make_unique<TBitmap>();
        WaterBitmaps[w]->LoadFromFile(folder + "voda\\voda" + IntToStr(w) + ".bmp");
        WaterBitmaps[w]->Transparent = true;
        WaterBitmaps[w]->TransparentColor = clFuchsia;
    }
    Randomize();
    StreamBuffer = std::make_unique<TBitmap>();
    StartFireGame();
    table_ = new TwndTabulka(nullptr);
    table_->BindGlobal(wndTabulka);
}

void TwndSimulaceHasic::ComposeFireStrip() {
    FireStrip = std::make_unique<TBitmap>();
    FireStrip->PixelFormat = TPixelFormat::pf24bit;
    FireStrip->SetSize(FireStripFrames * FireWindowWidth, FireWindowHeight);
    for (const TFireStripPart& part : FireStripTable) {
        TBitmap picture;
        picture.LoadFromFile(AppDir + "simul\\hasic\\ohen\\" + part.Name + ".bmp");
        for (int copy = 0; copy < part.Copies; ++copy)
            FireStrip->Canvas()->Draw(part.FirstX + copy * part.Width, 0, &picture);
    }
}

void TwndSimulaceHasic::FormDestroy(TObject*) {
    // The table frees itself once what is queued for it has been handled.
    if (table_ && wndTabulka == table_) table_->Release();
    table_ = nullptr;
}

void TwndSimulaceHasic::StartFireGame() {
    Burning.reset();
    Burnt.reset();
    for (int w = 1; w <= FireWindowCount; ++w) {
        Okna[w]->Show();
        FireLevel[w] = 0;
    }
    Spraying = Releasing = WaterSoundPending = false;
    Timer->SetEnabled(true);
    PridejTimer->SetEnabled(true);
    GameSeconds = 0;
    Casomira->SetEnabled(true);
}

void TwndSimulaceHasic::CasomiraTimer(TObject*) { ++GameSeconds; }

void TwndSimulaceHasic::PridejTimerTimer(TObject*) {
    int r = Random(1000);
    if (CountBurntWindows() >= 4) r = Random(600);
    if (r >= 400) return;
    const int w = Random(FireWindowCount) + 1;
    if (Burnt[w] || Burning[w]) return;
    Burning.set(w);
    FireLevel[w] = 1;
}

void TwndSimulaceHasic::TimerTimer(TObject*) {
    if (Spraying || Releasing) BitBlt(Buffer->Canvas(), 0, 0, 640, 480, CleanBuffer->Canvas(), 0, 0, SRCCOPY);

    for (int w = 1; w <= FireWindowCount; ++w) {
        int& level = FireLevel[w];
        const TXLabel* window = Okna[w];
        const int frame = std::min(std::abs(level), FireBurntLevel);
        BitBlt(Buffer->Canvas(), window->Left(), window->Top(), FireWindowWidth, FireWindowHeight,
               FireStrip->Canvas(), frame * FireWindowWidth, 0, SRCCOPY);
        if (level == FireUnreachableLevel) Okna[w]->Hide();
        if (level == FireBurntLevel) {
            Burning.reset(w);
            Burnt.set(w);
            BitBlt(CleanBuffer->Canvas(), window->Left(), window->Top(), FireWindowWidth, FireWindowHeight,
                   FireStrip->Canvas(), frame * FireWindowWidth, 0, SRCCOPY);
            if (CountBurntWindows() == FireClockStopCount) {
                Casomira->SetEnabled(false);
                for (int v = 1; v <= FireWindowCount; ++v) {
                    if (!Burnt[v]) {
                        if (!Burning[v]) FireLevel[v] = 1;
                        Burning.set(v);
                    }
                    Okna[v]->Hide();
                }
            }
        }
        if (level != 0) {
            ++level;
            // A fire under the spray moves back by 2 or 3 a tick, to even
            // levels, and from -1 to 0.
            if (level < 0) level += level % 2 != 0 ? 1 : 2;
        }
        if (level == 0) Burning.reset(w);
    }

    if (Spraying && !Releasing) {
        const int n = StreamFrameCount(SprayTarget);
        if (WaterSoundPending && StreamFrame == StreamLoopStart) {
            PlaySoundEx(AppDir + "simul\\hasic\\voda.wav", SND_ASYNC | SND_NODEFAULT | SND_LOOP);
            WaterSoundPending = false;
        }
        if (n > StreamFrame) DrawStreamFrame(StreamFrame, SprayTarget);
        StreamFrame = StreamFrame == n - 4 ? StreamLoopStart : StreamFrame + 1;
    } else if (Releasing) {
        // The stream always ends with its last four frames.
        const int n = StreamFrameCount(SprayTarget);
        if (n - 4 > StreamFrame) StreamFrame = n - 4;
        if (n > StreamFrame) {
            DrawStreamFrame(StreamFrame, SprayTarget);
            ++StreamFrame;
        } else {
            Releasing = Spraying = false;
        }
    }

    DrawClock();
    BitBlt(Canvas(), 0, 0, 640, 480, Buffer->Canvas(), 0, 0, SRCCOPY);
    CheckFireGameEnd();
}

int TwndSimulaceHasic::StreamFrameCount(int Window) const {
    return WaterBitmaps[Window]->Width() / WaterStreamTable[Window - 1].W;
}

void TwndSimulaceHasic::DrawStreamFrame(int Frame, int Window) {
    const TWaterStreamRecord& r = WaterStreamTable[Window - 1];
    StreamBuffer->SetSize(r.W, r.H);
    BitBlt(StreamBuffer->Canvas(), 0, 0, r.W, r.H, Buffer->Canvas(), r.X, r.Y, SRCCOPY);
    StreamBuffer->Canvas()->Draw(-Frame * r.W, 0, WaterBitmaps[Window].get());
    Buffer->Canvas()->Draw(r.X, r.Y, StreamBuffer.get());
}

void TwndSimulaceHasic::DrawClock() {
    BitBlt(Buffer->Canvas(), ClockArea.Left, ClockArea.Top, ClockArea.Width(), ClockArea.Height(),
           CleanBuffer->Canvas(), ClockArea.Left, ClockArea.Top, SRCCOPY);
    const String text = FormatTime(GameSeconds);
    TCanvas* c = Buffer->Canvas();
    c->TextOut(ClockCentre.X - c->TextWidth(text) / 2, ClockCentre.Y - c->TextHeight(text) / 2, text);
}

void TwndSimulaceHasic::OknoMouseEnter(TObject* Sender) {
    if (Releasing) return;
    TBitmap* cannon = CannonBitmaps[static_cast<TComponent*>(Sender)->Tag].get();
    for (TCanvas* c : {Canvas(), Buffer->Canvas(), CleanBuffer->Canvas()}) c->Draw(CannonPlace.X, CannonPlace.Y, cannon);
}

void TwndSimulaceHasic::OknoMouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
    Spraying = true;
    WaterSoundPending = true;
    Releasing = false;
    SprayTarget = static_cast<TComponent*>(Sender)->Tag;
    StreamFrame = 0;
    // Negative while under the spray, however many buttons are pressed.
    FireLevel[SprayTarget] = -std::abs(FireLevel[SprayTarget]);
    OknoMouseEnter(Sender);
}

void TwndSimulaceHasic::OknoMouseUp(TObject*, TMouseButton, TShiftState, int, int) { ReleaseSpray(); }

void TwndSimulaceHasic::ReleaseSpray() {
    // Nothing to release once the game has ended, another button's release
    // or the focus lost came first.
    if (!Spraying) return;
    Spraying = false;
    Releasing = true;
    FireLevel[SprayTarget] = std::abs(FireLevel[SprayTarget]);
    if (FireLevel[SprayTarget] == 0) Burning.reset(SprayTarget);
    PlaySoundFile("");
}

void TwndSimulaceHasic::CheckFireGameEnd() {
    for (int w = 1; w <= FireWindowCount; ++w)
        if (FireLevel[w] < FireEndLevel) return;
    Timer->SetEnabled(false);
    PridejTimer->SetEnabled(false);
    StopWater();
    if (table_ && table_->TableRow[BestTimesRows].Time < GameSeconds) {
        table_->TableRow[BestTimesRows + 1] = {NewEntryMarker, GameSeconds};
        table_->SortAndShowRows();
        table_->Show();
    } else {
        ShowGameMessage("Hasic", MessagePicture.get());
    }
}

void TwndSimulaceHasic::StopWater() {
    Spraying = Releasing = WaterSoundPending = false;
    PlaySoundFile("");
}

void TwndSimulaceHasic::FormDeactivate(TObject* Sender) {
    ReleaseSpray();
    TScreenFrame::FormDeactivate(Sender);
}

void TwndSimulaceHasic::FormClose(TObject* Sender, TCloseAction& Action) {
    TScreenFrame::FormClose(Sender, Action);
    for (TTimer* timer : {Timer, PridejTimer, Casomira}) timer->SetEnabled(false);
}
