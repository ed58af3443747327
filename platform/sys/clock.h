// The system clock calls, over the backend's one clock (virtual when
// headless).
#pragma once

#include "platform/core/types.h"

// Milliseconds on the platform's clock: 32 bits, wrapping.
DWORD GetTickCount();
// Waits without processing any input; what arrives meanwhile stays queued.
void Sleep(DWORD milliseconds);
