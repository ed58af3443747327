// The town window: the program's main window and home screen.
#pragma once

#include "platform/media/mediaplayer.h"
#include "shell/UMisc.h"

class TwndVelamo : public TForm {
public:
    explicit TwndVelamo(TComponent* AOwner);
    // The one media player of the program: every screen's spoken help.
    TMediaPlayer* Prehravac;
};

extern TwndVelamo* wndVelamo;
