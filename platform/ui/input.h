// Routing of the mouse and the keyboard: the control under the pointer,
// capture, clicks and double clicks, enter and leave, the cursor shown and
// the show-cursor counter.
#pragma once

#include <cstdint>

#include "platform/backend/backend.h"
#include "platform/ui/forms.h"
#include "platform/ui/screen.h"

namespace ui {

class InputRouter {
public:
    void Dispatch(const backend::Event& ev);

    // Windows appeared, hid or moved: a mouse move goes to what is now
    // under the still pointer.
    void WindowsChanged() { moveDue_ = true; }
    // Controls changed: enter and leave are brought up to date.
    void ControlsChanged() { hoverDue_ = true; }
    // Handles a due synthetic move or hover update; true when there was one.
    bool HandlePending();

    // The control under a screen point: the topmost form there (refused
    // while a modal form is above it), its child windows topmost first,
    // then its graphic controls (later on top; hidden ones, and disabled
    // ones unless allowDisabled, are passed over), else the window itself.
    TControl* ControlAt(TPoint p, bool allowDisabled) const;

    void ControlGone(TControl* c);
    // Recomputes the cursor shown and passes it on when it changed.
    void UpdateCursor();
    int ShowCursor(bool show);
    int ShowCount() const { return showCount_; }
    TControl* Hover() const { return hover_; }
    TControl* Capture() const { return capture_; }

private:
    void MouseMove(TPoint p, std::uint32_t shift);
    void MouseDown(TPoint p, TMouseButton b, std::uint32_t shift);
    void MouseUp(TPoint p, TMouseButton b, std::uint32_t shift);
    void Key(const backend::Event& ev);
    void Text(const String& utf8);
    void SetHover(TControl* c);
    TWinControl* KeyTarget() const;
    static TPoint Local(const TControl* c, TPoint screen);
    std::uint32_t ButtonShift() const;

    TControl* hover_ = nullptr;
    TControl* capture_ = nullptr;
    TControl* clicked_ = nullptr;  // left press that may end in a click
    int buttons_ = 0;              // bits of the buttons held
    TControl* lastDownTarget_ = nullptr;
    DWORD lastDownTick_ = 0;
    TPoint lastDownPos_{};
    bool lastDownValid_ = false;
    bool moveDue_ = false;
    bool hoverDue_ = false;
    HCURSOR shown_ = nullptr;
    bool cursorSet_ = false;
    int showCount_ = 0;
};

}  // namespace ui
