// The screen object: the cursor table and the cursor shown, the display's
// size, the active form; the show-cursor counter and the live pointer.
#pragma once

#include <map>

#include "platform/backend/backend.h"
#include "platform/ui/forms.h"

using HCURSOR = const backend::CursorData*;

class TScreen : public TObject {
public:
    TScreen();

    // The cursor table. crArrow, crHandPoint and crHelp are filled in; an
    // index without an entry shows the arrow. Setting an entry updates the
    // pointer when it is the one shown.
    HCURSOR Cursors(int index) const;
    void SetCursors(int index, HCURSOR cursor);

    // A cursor for the whole screen; crDefault lets each control's show.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor c);

    int Width() const { return backend::kScreenWidth; }
    int Height() const { return backend::kScreenHeight; }
    int PixelsPerInch() const { return 96; }

    TForm* ActiveForm() const;
    // Forms in z-order, bottom first (hidden ones too).
    int FormCount() const;
    TForm* Forms(int index) const;

    // The composed display as it is presented now, and a canvas reading it
    // (the source for copying what is on the screen).
    const Surface& Pixels();
    TCanvas* Canvas();

private:
    std::map<int, HCURSOR> cursors_;
    TCursor cursor_ = crDefault;
    TCanvas canvas_;
};

extern TScreen* Screen;

// The show-cursor counter: the pointer is hidden while it is below 0.
// Returns the new count.
int ShowCursor(bool show);
// The live pointer position on the screen.
LongBool GetCursorPos(TPoint* point);
