// The exit screen: the splash at start, the exit question that every
// screen's exit button opens over itself, and the credits that end the
// program after the answer yes.
#pragma once

#include <memory>

#include "shell/UMisc.h"

class TwndKonec : public TForm {
public:
    explicit TwndKonec(TComponent* AOwner);

    TTimer* Timer = nullptr;

    // What the form shows: the splash, the caller's dimmed snapshot with
    // the question, or the credits (640x480, 24 bits).
    std::unique_ptr<TBitmap> Buffer;
    // The question picture, loaded by each caller.
    std::unique_ptr<TBitmap> ExitBitmap;
    TXLabel* YesButton = nullptr;
    // During the splash it covers the whole form.
    TXLabel* NoButton = nullptr;
    Byte TickCount = 0;
    bool CreditsMode = false;
    // Eight frames of 128x104 side by side.
    std::unique_ptr<TBitmap> YesStrip;
    std::unique_ptr<TBitmap> NoStrip;
    bool SplashMode = true;

    // Darkens Buffer to a third, draws ExitBitmap centred over it (magenta
    // transparent) and hides both answer areas.
    void DimAndOverlay();

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormDeactivate(TObject* Sender);
    void FormPaint(TObject* Sender);
    void YesClick(TObject* Sender);
    void NoClick(TObject* Sender);
    void YesMouseEnter(TObject* Sender);
    void NoMouseEnter(TObject* Sender);
    void TimerTimer(TObject* Sender);

protected:
    bool WMEraseBkgnd() override { return true; }
};

extern TwndKonec* wndKonec;

// What every exit button does: the exit question over the caller's
// prepared 640x480 24-bit snapshot (a caller that draws more into it makes
// its own copy first). The calling screen stays open below.
void ShowExitScreen(const TBitmap* Snapshot);
