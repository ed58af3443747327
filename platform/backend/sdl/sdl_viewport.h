// Where the 640x480 picture lies in a window of a given size: scaled to fit
// with its aspect kept, centred, black borders around it. The picture and
// the mouse go through this one transform.
#pragma once

#include <cstdint>

#include "platform/core/types.h"

namespace backend::sdl {

class Viewport {
public:
    Viewport() = default;
    Viewport(int windowWidth, int windowHeight);

    int WindowWidth() const { return windowWidth_; }
    int WindowHeight() const { return windowHeight_; }
    // The picture's place in the window.
    const TRect& Picture() const { return picture_; }
    // The picture is shown at a whole multiple of its size (1x, 2x, ...):
    // each of its pixels covers the same square of window pixels.
    bool WholeFactor() const { return wholeFactor_; }

    // A window point as a picture point; points on the borders lie outside
    // the picture (negative or past its size).
    TPoint ToPicture(int windowX, int windowY) const;
    // The window pixels that show any part of a picture area (clipped to the
    // picture's place).
    TRect ToWindow(const TRect& pictureArea) const;

    bool operator==(const Viewport& o) const {
        return windowWidth_ == o.windowWidth_ && windowHeight_ == o.windowHeight_;
    }

private:
    int windowWidth_ = 0;
    int windowHeight_ = 0;
    TRect picture_{};
    bool wholeFactor_ = true;
};

}  // namespace backend::sdl
