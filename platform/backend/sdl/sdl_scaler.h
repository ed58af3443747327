// Scales the 640x480 picture (BGR bytes) into 32-bit window pixels (blue in
// the low byte, the top byte 0xFF), for any part of the window. At a whole
// factor each picture pixel becomes a square of equal window pixels; at any
// other factor a window pixel that straddles two picture pixels mixes them
// by the share of each that it covers, so that pixel art keeps its edges
// sharp and its rows and columns even. Smaller windows take the nearest
// pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/backend/sdl/sdl_viewport.h"

struct Surface;

namespace backend::sdl {

class PictureScaler {
public:
    void SetViewport(const Viewport& viewport);
    const Viewport& CurrentViewport() const { return viewport_; }

    // Writes the window pixels of `area` (window coordinates, clipped to the
    // picture's place) into `window`, whose rows are `pitch` bytes apart and
    // which holds the whole window. `picture` is 640x480.
    void Scale(const Surface& picture, const TRect& area, std::uint8_t* window, int pitch);

private:
    // One window column's (or row's) picture pixels: the first, and the share
    // of 256 it has; the rest goes to the next one.
    struct Tap {
        int first = 0;
        int share = 256;
    };
    static std::vector<Tap> Taps(int windowSize, int pictureSize);
    // The picture row scaled across the area's columns, cached per row.
    const std::uint32_t* ScaledRow(const Surface& picture, int row, int left, int right, int slot);

    Viewport viewport_;
    std::vector<Tap> columns_;
    std::vector<Tap> rows_;
    std::vector<std::uint16_t> shareLanes_;  // each column's share, once per byte of a pixel
    std::vector<std::int32_t> firsts_;       // each column's first picture pixel
    std::vector<std::uint32_t> packed_;      // the picture row being scaled, as window pixels
    std::vector<std::uint32_t> scaled_[2];
    int scaledRow_[2] = {-1, -1};
};

}  // namespace backend::sdl
