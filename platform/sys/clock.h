// The system clock calls. The window system owns them (platform/ui/clock.h);
// without it in the tree they are declared here, over the backend's clock.
#pragma once

#if __has_include("platform/ui/clock.h")
#include "platform/ui/clock.h"
#else
#define VELAMO_SYS_OWNS_CLOCK 1

#include "platform/core/types.h"

// Milliseconds on the platform's clock: 32 bits, wrapping.
DWORD GetTickCount();
// Waits without processing any input; what arrives meanwhile stays queued.
void Sleep(DWORD milliseconds);
#endif
