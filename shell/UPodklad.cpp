#include "shell/UPodklad.h"

TwndPodklad* wndPodklad = nullptr;

TwndPodklad::TwndPodklad(TComponent* AOwner) : TForm(AOwner) {
    SetBorderStyle(bsNone);
    SetColor(clBlack);
    SetCaption("");
    SetEnabled(false);
    SetWindowState(wsMaximized);
    DoCreate();
}
