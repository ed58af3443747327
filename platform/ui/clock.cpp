#include "platform/ui/clock.h"

#include "platform/backend/backend.h"
#include "platform/ui/application.h"
#include "platform/ui/desktop.h"

DWORD GetTickCount() { return backend::Current().Ticks(); }

void Sleep(DWORD ms) {
    ui::PresentDrawn();
    backend::Current().Sleep(ms);
}
