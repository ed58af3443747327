#include "platform/sys/clock.h"

#include "platform/backend/backend.h"

namespace {
void (*SleepFlush)() = nullptr;
}  // namespace

DWORD GetTickCount() { return backend::Current().Ticks(); }

void Sleep(DWORD ms) {
    if (SleepFlush) SleepFlush();
    backend::Current().Sleep(ms);
}

namespace sys {

void SetSleepFlush(void (*flush)()) { SleepFlush = flush; }

}  // namespace sys
