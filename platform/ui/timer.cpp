#include "platform/ui/timer.h"

#include "platform/ui/application.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    if (!Application) throw Exception("a timer needs the application object");
    Application->RegisterTimer(this);
    Restart();
}

TTimer::~TTimer() {
    if (Application) Application->UnregisterTimer(this);
}

void TTimer::Restart() { started_ = backend::Current().Ticks(); }

void TTimer::SetInterval(int ms) {
    if (ms == interval_) return;
    interval_ = ms;
    Restart();
}

void TTimer::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    if (v) Restart();
}
