#include "games/UHry.h"

#include "games/GamesMenuTable.h"
#include "games/UDvojice.h"
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
        case 2: OpenScreen<TwndPoradek>(wndPoradek, [](TwndPoradek& s) { s.Mode = 0; s.NewRound(); }); break;
        case 3: OpenScreen<TwndPoradek>(wndPoradek, [](TwndPoradek& s) { s.Mode = 1; s.NewRound(); }); break;
        case 4: OpenScreen<TwndDvojice>(wndDvojice, [](TwndDvojice& s) { s.NewGame(); }); break;
        case 10: OpenScreen(wndPexeso); break;
        default: break;  // the menu only closes
    }
}
