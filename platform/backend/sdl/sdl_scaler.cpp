#include "platform/backend/sdl/sdl_scaler.h"

#include <algorithm>
#include <cstring>

#include "platform/backend/backend.h"
#include "platform/gfx/graphics.h"

namespace backend::sdl {

namespace {

std::uint32_t Pack(const Byte* bgr) {
    return 0xFF000000u | std::uint32_t(bgr[0]) | (std::uint32_t(bgr[1]) << 8) | (std::uint32_t(bgr[2]) << 16);
}

std::uint32_t Mix(const Byte* a, const Byte* b, int shareA) {
    const int shareB = 256 - shareA;
    const std::uint32_t blue = std::uint32_t((a[0] * shareA + b[0] * shareB) >> 8);
    const std::uint32_t green = std::uint32_t((a[1] * shareA + b[1] * shareB) >> 8);
    const std::uint32_t red = std::uint32_t((a[2] * shareA + b[2] * shareB) >> 8);
    return 0xFF000000u | blue | (green << 8) | (red << 16);
}

}  // namespace

std::vector<PictureScaler::Tap> PictureScaler::Taps(int windowSize, int pictureSize) {
    std::vector<Tap> taps(std::size_t(std::max(windowSize, 0)));
    if (windowSize <= 0) return taps;
    // Positions in picture pixels times windowSize: window pixel i covers
    // [i * pictureSize, (i + 1) * pictureSize).
    const std::int64_t step = pictureSize;
    const std::int64_t unit = windowSize;
    for (int i = 0; i < windowSize; ++i) {
        Tap& t = taps[std::size_t(i)];
        const std::int64_t from = std::int64_t(i) * step;
        const std::int64_t to = from + step;
        if (step > unit) {
            // Smaller than the picture: the pixel under the centre.
            t.first = int(std::min<std::int64_t>((from + step / 2) / unit, pictureSize - 1));
            t.share = 256;
            continue;
        }
        t.first = int(from / unit);
        const std::int64_t boundary = (t.first + 1) * unit;
        if (to <= boundary || t.first + 1 >= pictureSize) {
            t.share = 256;
        } else {
            t.share = int(((boundary - from) * 256 + step / 2) / step);
            if (t.share >= 256) t.share = 256;
        }
    }
    return taps;
}

void PictureScaler::SetViewport(const Viewport& viewport) {
    if (viewport == viewport_ && !columns_.empty()) return;
    viewport_ = viewport;
    columns_ = Taps(viewport.Picture().Width(), kScreenWidth);
    rows_ = Taps(viewport.Picture().Height(), kScreenHeight);
    scaledRow_[0] = scaledRow_[1] = -1;
}

const std::uint32_t* PictureScaler::ScaledRow(const Surface& picture, int row, int left, int right, int slot) {
    std::vector<std::uint32_t>& out = scaled_[slot];
    out.resize(std::size_t(right - left));
    const Byte* source = picture.Row(row);
    const Tap* taps = columns_.data();
    for (int x = left; x < right; ++x) {
        const Tap t = taps[x];
        const Byte* p = source + t.first * 3;
        out[std::size_t(x - left)] = t.share == 256 ? Pack(p) : Mix(p, p + 3, t.share);
    }
    scaledRow_[slot] = row;
    return out.data();
}

void PictureScaler::Scale(const Surface& picture, const TRect& area, std::uint8_t* window, int pitch) {
    if (picture.width != kScreenWidth || picture.height != kScreenHeight ||
        picture.pixels.size() < std::size_t(kScreenWidth) * kScreenHeight * 3)
        return;
    const TRect& place = viewport_.Picture();
    const TRect a = Rect(std::max(area.Left, place.Left), std::max(area.Top, place.Top),
                         std::min(area.Right, place.Right), std::min(area.Bottom, place.Bottom));
    if (a.IsEmpty()) return;
    // Columns and rows relative to the picture's place.
    const int left = a.Left - place.Left;
    const int right = a.Right - place.Left;
    const std::size_t bytes = std::size_t(right - left) * 4;
    scaledRow_[0] = scaledRow_[1] = -1;  // the picture may have changed since the last call
    // A scaled picture row, from the two-row cache where it is; `keep` is
    // the row not to evict.
    auto scaledRow = [&](int row, int keep) {
        for (int slot = 0; slot < 2; ++slot)
            if (scaledRow_[slot] == row) return static_cast<const std::uint32_t*>(scaled_[slot].data());
        return ScaledRow(picture, row, left, right, scaledRow_[0] == keep ? 1 : 0);
    };
    for (int y = a.Top; y < a.Bottom; ++y) {
        const Tap t = rows_[std::size_t(y - place.Top)];
        std::uint8_t* to = window + std::size_t(y) * std::size_t(pitch) + std::size_t(a.Left) * 4;
        const std::uint32_t* top = scaledRow(t.first, t.first + 1);
        if (t.share == 256) {
            std::memcpy(to, top, bytes);
            continue;
        }
        const std::uint32_t* bottom = scaledRow(t.first + 1, t.first);
        const std::uint8_t* pa = reinterpret_cast<const std::uint8_t*>(top);
        const std::uint8_t* pb = reinterpret_cast<const std::uint8_t*>(bottom);
        const unsigned shareA = unsigned(t.share);
        const unsigned shareB = 256 - shareA;
        for (std::size_t i = 0; i < bytes; ++i) to[i] = std::uint8_t((pa[i] * shareA + pb[i] * shareB) >> 8);
    }
}

}  // namespace backend::sdl
