// The town game's result window: the delivered thing, then the place's
// picture with the right-answer sound, over the game; then the next thing.
#pragma once

#include "shell/ScreenFrame.h"

class TwndCiToJe;

class TwndCiToJe2 : public TScreenFrame {
public:
    // Made by its game, which it hands the next thing to.
    TwndCiToJe2(TComponent* AOwner, TwndCiToJe* Game);

    std::unique_ptr<TBitmap> DeliveredBitmap;
    std::unique_ptr<TBitmap> PlaceBitmap;

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    // Shows the thing delivered for 2 s, then the place for 3 s, hides and
    // lets the game choose the next thing.
    void ShowDelivered(Byte Place, Byte Thing);

private:
    // Waits with the game's loop running; false when the game was left
    // meanwhile: this window then hides and nothing more runs on the game.
    bool WaitWithGame(DWORD Ms);

    friend class TwndCiToJe;
    TwndCiToJe* game_;
};

extern TwndCiToJe2* wndCiToJe2;
