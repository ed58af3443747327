// "Kdo to je", first variant: one person and five name plates; the child
// clicks the plate that names the person's profession. Resting the mouse on a
// plate for half a second plays its name. The second wrong answer of a round
// ends it through the message window with the person's name.
#pragma once

#include "games/NamedAnswerGame.h"
#include "shell/OneBased.h"

class TwndKdoToJe : public TNamedAnswerGame {
public:
    explicit TwndKdoToJe(TComponent* AOwner);

    static constexpr int SlotCount = 5;

    // 1..5; Tag: the GameCodeList43 position whose plate the slot shows.
    TOneBased<TXLabel*, SlotCount> NameSlots;
    // TargetCode: the person's position in GameCodeList43.

    void NewRound() override;
    String RightName() const override;

    void FormCreate(TObject* Sender);
    void SlotClick(TObject* Sender);
    void SlotMouseEnter(TObject* Sender);
    // Sleeps 500 ms without handling anything, then answers whether the
    // pointer is over the slot, its right and bottom edge pixels included.
    bool CursorStillOver(const TXLabel* Slot);
};

extern TwndKdoToJe* wndKdoToJe;
