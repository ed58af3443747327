// Screens that must end a state of their own before the bottom bar leaves
// them or asks to (a carried thing, a memorising phase) wrap those buttons.
#pragma once

#include <functional>

#include "shell/ScreenFrame.h"

// Runs First before the operation of each of the screen's exit, menu, games
// and simulations buttons; call it after CreateBottomBar.
inline void BeforeLeavingByBar(TScreenFrame& Screen, const std::function<void()>& First) {
    for (TBarButton which : {TBarButton::Exit, TBarButton::Menu, TBarButton::Games, TBarButton::Simulations}) {
        TBMPLabel* button = Screen.BarButton(which);
        if (!button) continue;
        button->OnClick = [First, leave = button->OnClick](TObject* Sender) {
            First();
            if (leave) leave(Sender);
        };
    }
}
