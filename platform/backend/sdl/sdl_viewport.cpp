#include "platform/backend/sdl/sdl_viewport.h"

#include <algorithm>
#include <cstdint>
#include <cmath>

#include "platform/backend/backend.h"

namespace backend::sdl {

namespace {
// floor(a / b) for b > 0.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
}  // namespace

Viewport::Viewport(int windowWidth, int windowHeight)
    : windowWidth_(std::max(windowWidth, 1)), windowHeight_(std::max(windowHeight, 1)) {
    // The width scales by windowWidth / 640 unless the height is the tighter
    // bound; the picture's size is rounded, its place centred.
    int width = kScreenWidth;
    int height = kScreenHeight;
    if (std::int64_t(windowWidth_) * kScreenHeight <= std::int64_t(windowHeight_) * kScreenWidth) {
        width = windowWidth_;
        height = int(std::lround(double(windowWidth_) * kScreenHeight / kScreenWidth));
    } else {
        height = windowHeight_;
        width = int(std::lround(double(windowHeight_) * kScreenWidth / kScreenHeight));
    }
    width = std::max(width, 1);
    height = std::max(height, 1);
    const int left = (windowWidth_ - width) / 2;
    const int top = (windowHeight_ - height) / 2;
    picture_ = Bounds(left, top, width, height);
    wholeFactor_ = width % kScreenWidth == 0 && height % kScreenHeight == 0 && width / kScreenWidth == height / kScreenHeight;
}

TPoint Viewport::ToPicture(int windowX, int windowY) const {
    const std::int64_t x = FloorDiv(std::int64_t(windowX - picture_.Left) * kScreenWidth, picture_.Width());
    const std::int64_t y = FloorDiv(std::int64_t(windowY - picture_.Top) * kScreenHeight, picture_.Height());
    return TPoint{int(x), int(y)};
}

TRect Viewport::ToWindow(const TRect& area) const {
    const TRect a = Rect(std::max(area.Left, 0), std::max(area.Top, 0), std::min(area.Right, kScreenWidth),
                         std::min(area.Bottom, kScreenHeight));
    if (a.IsEmpty()) return TRect{};
    // A window pixel shows picture pixels around its centre (one more on
    // each side where neighbours are mixed): widen by one window pixel.
    const int w = picture_.Width();
    const int h = picture_.Height();
    const int left = int(FloorDiv(std::int64_t(a.Left) * w, kScreenWidth)) - 1;
    const int top = int(FloorDiv(std::int64_t(a.Top) * h, kScreenHeight)) - 1;
    const int right = int(FloorDiv(std::int64_t(a.Right) * w + kScreenWidth - 1, kScreenWidth)) + 1;
    const int bottom = int(FloorDiv(std::int64_t(a.Bottom) * h + kScreenHeight - 1, kScreenHeight)) + 1;
    return Rect(picture_.Left + std::max(left, 0), picture_.Top + std::max(top, 0),
                picture_.Left + std::min(right, w), picture_.Top + std::min(bottom, h));
}

}  // namespace backend::sdl
