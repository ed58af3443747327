#include "platform/sys/clock.h"

#ifdef VELAMO_SYS_OWNS_CLOCK
#include "platform/backend/backend.h"

DWORD GetTickCount() { return backend::Current().Ticks(); }

void Sleep(DWORD milliseconds) { backend::Current().Sleep(milliseconds); }
#endif
