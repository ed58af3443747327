// Helpers for the games' and simulations' screen tests: the whole program on
// the generated data tree, with a game or simulation chosen the way a child
// chooses it (the town's button, then the menu's entry).
#pragma once

#include <functional>

#include "games/menu_places.h"
#include "games/UHry.h"
#include "shell/ScreenFrame.h"
#include "shell/UHlaska.h"
#include "shell/town_test_support.h"
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
        return Choose(at, kGamesX, HotAreaCentre(kGamesMenuPlaces[tag - 1]));
    }
    std::uint64_t ChooseSimulation(std::uint64_t at, int tag) {
        return Choose(at, kSimulationsX, HotAreaCentre(kSimulationsMenuPlaces[tag - 1]));
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

// The milliseconds a sound lasts, from its start notice ("... ms=N").
inline std::uint64_t DurationOf(const headless::TimedNotice& n) {
    const auto at = n.text.find(" ms=");
    return at == std::string::npos ? 0 : std::stoull(n.text.substr(at + 4));
}

// A screen test written as a timeline: each action or check comes `gap` ms
// after the one before (600 by default, so that no two presses make a
// double click), from the time the screen was opened.
class TimelineTest : public ScreenTest {
protected:
    using ScreenTest::ScreenTest;
    // Opens the screen as a child does; the timeline goes on from there.
    void OpenGame(int tag) { t_ = ChooseGame(kReady, tag); }
    void OpenSimulation(int tag) { t_ = ChooseSimulation(kReady, tag); }

    std::uint64_t Next(std::uint64_t gap = 600) { return t_ += gap; }
    std::uint64_t Now() const { return t_; }
    void Click(TPoint p, std::uint64_t gap = 600) { Click(p, mbLeft, gap); }
    void Click(TPoint p, TMouseButton button, std::uint64_t gap = 600) { h().Click(Next(gap), p.X, p.Y, button); }
    void Move(TPoint p, std::uint64_t gap = 600) { h().MoveTo(Next(gap), p.X, p.Y); }
    // A press and its release where the pointer already is (no move first).
    void PressHere(TPoint p, TMouseButton button = mbLeft, std::uint64_t gap = 600) {
        const std::uint64_t at = Next(gap);
        h().MouseDown(at, p.X, p.Y, button);
        h().MouseUp(at + headless::Harness::kClickHoldMs, p.X, p.Y, button);
    }
    void Then(std::function<void()> check, std::uint64_t gap = 600) { h().At(Next(gap), std::move(check)); }
    // Runs the program through the timeline and a second more, then ends it.
    void Run() {
        EndAt(Next(1000));
        RunProgram();
    }

private:
    std::uint64_t t_ = kReady;
};

}  // namespace gametest
