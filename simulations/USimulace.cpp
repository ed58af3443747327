#include "simulations/USimulace.h"

#include "simulations/SimulationMenuTable.h"
#include "simulations/USimulaceHasic.h"
#include "simulations/USimulaceInstalater1.h"
#include "simulations/USimulaceMalir.h"
#include "simulations/USimulaceModelka.h"
#include "simulations/USimulaceVizazistka.h"

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
        case 2: OpenScreen(wndSimulaceHasic); break;
        case 3: OpenScreen(wndSimulaceModelka); break;
        case 4: OpenScreen(wndSimulaceMalir); break;
        case 5: OpenScreen(wndSimulaceVizazistka); break;
        default: break;  // the menu only closes
    }
}
