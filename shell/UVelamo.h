// The town window: the program's main window and home screen. A wide town
// picture scrolls sideways inside a fixed frame; its 43 places lead to the
// professions' detail pages.
#pragma once

#include "platform/media/mediaplayer.h"
#include "shell/TownPanorama.h"

class TwndVelamo : public TTownPanorama {
public:
    explicit TwndVelamo(TComponent* AOwner);

    // The one media player of the program: every screen's spoken help.
    // Owned by the form, as its components are.
    TMediaPlayer* Prehravac;

    // Shows the name plate of the place under the mouse.
    TXPanel* NazevPanel = nullptr;

    void FormCreate(TObject* Sender);
    void ScrollZoneEnter(TObject* Sender) override;
    void MestoMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void MestoMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void NazevPanelMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
};

extern TwndVelamo* wndVelamo;
