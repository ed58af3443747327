// The simulations menu: five items. Made once at start-up; it only hides
// when it closes.
#pragma once

#include "shell/PictureMenu.h"

class TwndSimulace : public TPictureMenu {
public:
    explicit TwndSimulace(TComponent* AOwner);

    void FormCreate(TObject* Sender);
    // Creates the item's simulation anew and shows it.
    void SimulationClick(int Tag);

protected:
    void EntryClick(int Tag) override { SimulationClick(Tag); }
};

extern TwndSimulace* wndSimulace;
