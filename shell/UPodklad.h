// The black backdrop behind every screen: a disabled, borderless form that
// fills the display around the 640x480 screens.
#pragma once

#include "platform/ui/ui.h"

class TwndPodklad : public TForm {
public:
    explicit TwndPodklad(TComponent* AOwner);
};

extern TwndPodklad* wndPodklad;
