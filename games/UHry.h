// The games menu: ten entries for the nine games (put in order has one per
// mode, and the two picture games share one screen in two modes). Made once
// at start-up; it only hides when it closes.
#pragma once

#include "shell/PictureMenu.h"

class TwndHry : public TPictureMenu {
public:
    explicit TwndHry(TComponent* AOwner);

    void FormCreate(TObject* Sender);
    // Creates the entry's game anew, sets its mode, starts it and shows it.
    void GameClick(int Tag);

protected:
    void EntryClick(int Tag) override { GameClick(Tag); }
};

extern TwndHry* wndHry;
