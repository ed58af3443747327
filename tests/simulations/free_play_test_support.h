// Helpers for the tests of the three free-play simulations (the model, the
// make-up artist and the room painter): the program on the generated data
// tree with the screen chosen from the simulations menu, and readers of the
// tree's pictures on the screen.
#pragma once

#include <string>

#include "games/games_test_support.h"

namespace freeplaytest {

using namespace gametest;

// The simulations menu's items.
constexpr int kModelItem = 3, kPainterItem = 4, kMakeupItem = 5;

class FreePlayTest : public TimelineTest {
protected:
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
};

inline TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

}  // namespace freeplaytest
