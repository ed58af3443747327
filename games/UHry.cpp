#include "games/UHry.h"

#include "games/GamesMenuTable.h"

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
        default: break;  // the menu only closes
    }
}
