// The program's main block and the two small classes it makes: the display
// switch while the program is active, and the application-wide exception
// handler.
#pragma once

#include "platform/core/rtl.h"
#include "platform/sys/windows.h"
#include "platform/ui/ui.h"

// Switches the display to 640x480 at 16 bits per pixel while the program is
// active and restores the mode it found at start.
class TScrResChanger : public TObject {
public:
    // Allows the one message that the display cannot be switched; only the
    // first switch of the run can show it.
    bool ReportFailure = false;
    // Application->OnActivate (and once at start).
    void SetDisplayMode(TObject* Sender);
    // Application->OnDeactivate (and once at the end): asks a running
    // scripted video to stop and restores the saved mode.
    void RestoreDisplayMode(TObject* Sender);
};

class TExceptionHandler : public TObject {
public:
    // Application->OnException: a file that cannot be opened (missing,
    // unreadable or damaged) ends the program after a stop message, at once
    // (Halt); every other exception is ignored.
    void HandleAppException(TObject* Sender, Exception& E);
};

// The display mode found at start.
extern Word SavedWidth;
extern Word SavedHeight;
extern Word SavedBitsPerPel;
// The program's one display-mode record, filled once at start from the first
// entry of the display's mode list.
extern DEVMODEA ModeRecord;

// The main block: start-up, the message loop, shut-down. Needs the backend
// and Application made first (RunVelamo does that). Returns the program's
// exit code.
int VelamoMain();
// The program's whole run: the single-instance lock first, so that a second
// copy opens nothing, then the backend, the application object and the main
// block.
int RunVelamo();
