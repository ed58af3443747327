// The firefighter simulation: a house front with twelve windows where fires
// break out at random and grow; the child holds the mouse on a burning window
// to spray it from the cannon until the fire is out. The clock runs until the
// eighth window has burnt out; that time is the result, and a longer one
// goes into the best-times table.
#pragma once

#include <array>
#include <bitset>
#include <memory>

#include "shell/OneBased.h"
#include "shell/ScreenFrame.h"
#include "simulations/FirefighterTables.h"

class TwndTabulka;

// A window's fire level: 0 no fire; 1..115 the frame of the fire strip
// shown; negative under the spray (shown at its absolute value, moving back
// to 0). 98 takes the window out of reach, 115 is burnt out; levels above
// 115 keep counting and keep showing frame 115.
inline constexpr int FireUnreachableLevel = 98;
inline constexpr int FireBurntLevel = 115;
// The game ends once every window has reached this level.
inline constexpr int FireEndLevel = 118;
// Burnt windows that stop the clock and set the whole house ablaze.
inline constexpr int FireClockStopCount = 8;

class TwndSimulaceHasic : public TScreenFrame {
public:
    explicit TwndSimulaceHasic(TComponent* AOwner);

    // Okno1..Okno12, the windows' hot areas.
    TOneBased<TXLabel*, FireWindowCount> Okna;
    // Only its font is used: the clock's.
    TLabel* lbCas = nullptr;
    TTimer* Timer = nullptr;        // the game tick, 94 ms
    TTimer* PridejTimer = nullptr;  // may light a fire, every second
    TTimer* Casomira = nullptr;     // the clock, every second

    // The house without fire and water, with the help button, the cannon and
    // the burnt-out windows.
    std::unique_ptr<TBitmap> CleanBuffer;
    std::unique_ptr<TBitmap> MessagePicture;
    // [0..12]: the cannon aimed at window n (0 is never drawn).
    std::array<std::unique_ptr<TBitmap>, CannonPictureCount> CannonBitmaps;
    // 116 frames of 40x60, composed from the fire pictures.
    std::unique_ptr<TBitmap> FireStrip;
    // Each window's stream frames side by side, magenta transparent.
    TOneBased<std::unique_ptr<TBitmap>, FireWindowCount> WaterBitmaps;
    std::unique_ptr<TBitmap> StreamBuffer;

    TOneBased<int, FireWindowCount> FireLevel;
    std::bitset<FireWindowCount + 1> Burning;  // by window number; bit 0 never set
    std::bitset<FireWindowCount + 1> Burnt;
    bool Spraying = false;
    bool Releasing = false;
    bool WaterSoundPending = false;
    int SprayTarget = 0;
    int StreamFrame = 0;
    int GameSeconds = 0;

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    // A new game on the same screen; also the message window's first button.
    void StartFireGame();
    void StartNewRound() override { StartFireGame(); }
    void CasomiraTimer(TObject* Sender);
    void PridejTimerTimer(TObject* Sender);
    void TimerTimer(TObject* Sender);
    void OknoMouseEnter(TObject* Sender);
    void OknoMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void OknoMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    int CountBurntWindows() const { return int(Burnt.count()); }
    // Once every window has burnt down: the record into the table, or the
    // question whether to play again.
    void CheckFireGameEnd();

protected:
    // The timers stop with the screen (the water stops by the frame, as on
    // deactivation).
    void FormClose(TObject* Sender, TCloseAction& Action) override;
    // Losing the focus ends a spray as the button's release does: the
    // release may never come to this screen, and the water must not start
    // while the program is in the background.
    void FormDeactivate(TObject* Sender) override;

private:
    void ComposeFireStrip();
    int StreamFrameCount(int Window) const;
    void DrawStreamFrame(int Frame, int Window);
    void DrawClock();
    void StopWater();
    // The spray ends: the stream runs out, the fire is no longer driven
    // back, the water stops. Nothing when no spray runs.
    void ReleaseSpray();
    // The table made with this screen, released with it.
    TwndTabulka* table_ = nullptr;
};

extern TwndSimulaceHasic* wndSimulaceHasic;
