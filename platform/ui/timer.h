// Timers: OnTimer every Interval milliseconds while enabled, delivered by
// the message loop (also inside nested waits, never during Sleep).
#pragma once

#include "platform/ui/controls.h"

class TTimer : public TComponent {
public:
    // Enabled, 1000 ms, as the class library makes it.
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    // An interval of 0 or less never fires, though the timer stays enabled.
    // A changed interval counts afresh.
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    // Enabling a disabled timer counts afresh.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);

    TNotifyEvent OnTimer;

private:
    friend class TApplication;
    void Restart();
    int interval_ = 1000;
    bool enabled_ = true;
    DWORD started_ = 0;  // tick the current count began at
};
