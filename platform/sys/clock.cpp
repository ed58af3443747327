#include "platform/sys/clock.h"

#include "platform/backend/backend.h"

DWORD GetTickCount() { return backend::Current().Ticks(); }

void Sleep(DWORD milliseconds) { backend::Current().Sleep(milliseconds); }
