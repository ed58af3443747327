// Helpers for the games' and simulations' screen tests: the whole program on
// the generated data tree, with a game or simulation chosen the way a child
// chooses it (the town's button, then the menu's entry).
#pragma once

#include "games/GamesMenuTable.h"
#include "games/UHry.h"
#include "shell/ScreenFrame.h"
#include "shell/UHlaska.h"
#include "shell/town_test_support.h"
#include "simulations/SimulationMenuTable.h"
#include "simulations/USimulace.h"

namespace gametest {

using namespace towntest;

// Bottom-bar points, inside each button's area.
constexpr int kBarY = 450;
constexpr int kHelpX = 30, kMenuX = 150, kGamesX = 233, kSimulationsX = 310, kPrintX = 390, kExitX = 470,
              kBackX = 597;

inline TPoint HotAreaCentre(const TMenuEntry& e) {
    return {(e.HotArea.Left + e.HotArea.Right) / 2, (e.HotArea.Top + e.HotArea.Bottom) / 2};
}

class ScreenTest : public ProgramTest {
protected:
    using ProgramTest::ProgramTest;
    // Clicks the town's games button at `at` and the entry `tag` 500 ms
    // later; the game's screen is up by the returned time.
    std::uint64_t ChooseGame(std::uint64_t at, int tag) {
        return Choose(at, kGamesX, HotAreaCentre(GamesMenuTable[tag - 1]));
    }
    std::uint64_t ChooseSimulation(std::uint64_t at, int tag) {
        return Choose(at, kSimulationsX, HotAreaCentre(SimulationMenuTable[tag - 1]));
    }
    // Whether the message window is up with that id.
    bool MessageShown(const char* id) const {
        return wndHlaska && wndHlaska->Showing() && wndHlaska->GameMessageId == id;
    }

private:
    std::uint64_t Choose(std::uint64_t at, int barX, TPoint entry) {
        h().Click(at, barX, kBarY);
        h().Click(at + 500, entry.X, entry.Y);
        return at + 1000;
    }
};

}  // namespace gametest
