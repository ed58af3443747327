// The program's clock: GetTickCount and Sleep on the backend's one clock.
#pragma once

#include "platform/core/types.h"

// Milliseconds on the backend clock, 32 bits, wrapping past 2^32.
DWORD GetTickCount();

// Waits without processing messages; input that arrives meanwhile stays
// queued. Whatever was drawn before is on the display first.
void Sleep(DWORD ms);

namespace sys {

// What Sleep presents before it waits: the window system names its
// present of what was drawn here (nullptr: nothing to present).
void SetSleepFlush(void (*flush)());

}  // namespace sys
