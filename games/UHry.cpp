#include "games/UHry.h"

#include "games/GamesMenuTable.h"
#include "games/UCiToJe.h"
#include "games/UDvojice.h"
#include "games/UKdoPatriObr.h"
#include "games/UKdoPatriZvuk.h"
#include "games/UKdoToJe.h"
#include "games/UKdoToJe2.h"
#include "games/UPexeso.h"
#include "games/UPoradek.h"

TwndHry* wndHry = nullptr;

TwndHry::TwndHry(TComponent* AOwner) : TPictureMenu(AOwner, "Velamo - Hry") {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    DoCreate();
}

void TwndHry::FormCreate(TObject*) {
    CreateMenu("hry\\hl_obr\\", {TBarButton::Exit, TBarButton::Menu, TBarButton::Simulations}, GamesMenuTable);
}

void TwndHry::GameClick(int Tag) {
    switch (Tag) {
        case 1: OpenScreen<TwndCiToJe>(wndCiToJe, [](auto& s) { s.NewThing(); }); break;
        case 2: OpenScreen<TwndPoradek>(wndPoradek, [](TwndPoradek& s) { s.Mode = 0; s.NewRound(); }); break;
        case 3: OpenScreen<TwndPoradek>(wndPoradek, [](TwndPoradek& s) { s.Mode = 1; s.NewRound(); }); break;
        case 4: OpenScreen<TwndDvojice>(wndDvojice, [](TwndDvojice& s) { s.NewGame(); }); break;
        case 5: OpenScreen<TwndKdoPatriObr>(wndKdoPatriObr, [](TwndKdoPatriObr& s) { s.Mode = 0; s.Start(); }); break;
        case 6: OpenScreen(wndKdoPatriZvuk); break;
        case 7: OpenScreen(wndKdoToJe); break;
        case 8: OpenScreen(wndKdoToJe2); break;
        case 9: OpenScreen<TwndKdoPatriObr>(wndKdoPatriObr, [](TwndKdoPatriObr& s) { s.Mode = 1; s.Start(); }); break;
        case 10: OpenScreen(wndPexeso); break;
        default: break;  // the menu only closes
    }
}
