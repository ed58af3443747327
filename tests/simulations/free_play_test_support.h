// Helpers for the tests of the three free-play simulations (the model, the
// make-up artist and the room painter): the program on the generated data
// tree with the screen chosen from the simulations menu, a timeline of
// actions spaced so that no two presses make a double click, and readers of
// the tree's pictures on the screen.
#pragma once

#include <functional>
#include <string>

#include "games/games_test_support.h"

namespace freeplaytest {

using namespace gametest;

// The simulations menu's items.
constexpr int kModelItem = 3, kPainterItem = 4, kMakeupItem = 5;

class FreePlayTest : public ScreenTest {
protected:
    // Opens the menu's item as a child does; actions follow.
    void Open(int item) { t_ = ChooseSimulation(kReady, item); }

    // Each action `gap` ms after the one before.
    std::uint64_t Next(std::uint64_t gap = 600) { return t_ += gap; }
    void Click(TPoint p, TMouseButton button = mbLeft) { h().Click(Next(), p.X, p.Y, button); }
    void Move(TPoint p) { h().MoveTo(Next(), p.X, p.Y); }
    // A press and its release at the same point, without a move before.
    void PressHere(TPoint p, TMouseButton button = mbLeft) {
        const std::uint64_t at = Next();
        h().MouseDown(at, p.X, p.Y, button);
        h().MouseUp(at + headless::Harness::kClickHoldMs, p.X, p.Y, button);
    }
    void Then(std::function<void()> check) { h().At(Next(), std::move(check)); }
    // Runs the program through the timeline, then ends it.
    void Run() {
        EndAt(Next(1000));
        RunProgram();
    }

    // A picture of the tree, by its path under the tree with "\" or "/".
    static std::unique_ptr<TBitmap> TreePicture(const std::string& path) { return LoadPicture(kAppDir + path); }
    // The screen shows the picture at (x, y); a transparent one only where
    // it is not magenta.
    ::testing::AssertionResult Shows(const std::string& path, TPoint at, bool transparent = false) {
        return PictureAt(h().ScreenSurface(), *TreePicture(path), at, transparent);
    }
    static ::testing::AssertionResult PictureAt(const Surface& s, const TBitmap& picture, TPoint at,
                                                bool transparent = false) {
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x) {
                const TColor want = picture.Pixels().Get(x, y);
                if (transparent && want == clFuchsia) continue;
                if (!s.Inside(at.X + x, at.Y + y)) continue;
                const TColor got = s.Get(at.X + x, at.Y + y);
                if (got != want)
                    return ::testing::AssertionFailure() << "at (" << at.X + x << ", " << at.Y + y << ") " << std::hex
                                                         << got << " instead of " << want;
            }
        return ::testing::AssertionSuccess();
    }

private:
    std::uint64_t t_ = kReady;
};

inline TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

}  // namespace freeplaytest
