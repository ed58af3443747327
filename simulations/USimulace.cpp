#include "simulations/USimulace.h"

#include "simulations/SimulationMenuTable.h"
#include "simulations/USimulaceInstalater1.h"

TwndSimulace* wndSimulace = nullptr;

TwndSimulace::TwndSimulace(TComponent* AOwner) : TPictureMenu(AOwner, "Velamo - Simulace") {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    DoCreate();
}

void TwndSimulace::FormCreate(TObject*) {
    CreateMenu("simul\\vyber\\", {TBarButton::Exit, TBarButton::Menu, TBarButton::Games}, SimulationMenuTable);
}

void TwndSimulace::SimulationClick(int Tag) {
    switch (Tag) {
        case 1: OpenScreen(wndSimulaceInstalater1); break;
        default: break;  // the menu only closes
    }
}
