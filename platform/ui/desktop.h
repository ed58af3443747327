// The display: composes the visible forms and their child windows by
// z-order into the one 640x480 screen and presents it; schedules paints.
#pragma once

#include <vector>

#include "platform/gfx/graphics.h"
#include "platform/ui/forms.h"

namespace ui {

class Desktop {
public:
    Desktop();

    // Forms on the screen, bottom first: the normal band, the stay-on-top
    // band, then modal forms.
    std::vector<TForm*> ZOrder() const;

    // A window's pixels changed (window coordinates); shown at the next
    // flush, which the loop makes once it has handled what was pending
    // (an event with its handler, a timer tick, a paint), and a wait that
    // handles nothing (Sleep, a synchronous sound) makes first.
    void WindowChanged(TWinControl* window, const TRect& r);
    // The windows changed place or visibility over a screen area; shown at
    // the next flush.
    void AreaChanged(const TRect& screenRect);
    // Composes what changed and presents the part of it that differs from
    // the screen presented before; an identical frame is not presented.
    // Between screens, while no enabled form is on the screen (only the
    // backdrop), the last screen stays presented.
    void Flush();
    // Flush, unless a visible window's paint is pending: a frame is
    // presented whole, not before its windows have painted.
    void FlushPainted();
    // Composes the whole screen and presents it.
    void ComposeAll();
    const Surface& ScreenPixels() const { return screen_; }

    // Paints every window that is marked; true when one was.
    bool PaintPending();
    bool HasPendingPaint() const;

    // While a paint runs, nothing is presented.
    void BeginPaint() { ++painting_; }
    void EndPaint() { --painting_; }

private:
    void Compose(const TRect& r);
    void ComposeWindow(TWinControl* w, TPoint origin, const TRect& clip);
    // The part of `r` where screen_ differs from presented_, which takes it.
    TRect TakeChanges(const TRect& r);
    bool ShowsAnEnabledForm() const;

    Surface screen_;
    Surface presented_;  // the screen as the display shows it
    TRect dirty_{};
    TRect held_{};  // composed while only the backdrop showed, not yet presented
    int painting_ = 0;
};

// Presents what was drawn so far: a wait that handles nothing comes next
// (Sleep, a synchronous sound).
void PresentDrawn();

TRect Union(const TRect& a, const TRect& b);
TRect Intersect(const TRect& a, const TRect& b);
TRect Offset(const TRect& r, int dx, int dy);

}  // namespace ui
