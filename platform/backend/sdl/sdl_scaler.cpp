#include "platform/backend/sdl/sdl_scaler.h"

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/backend/backend.h"
#include "platform/gfx/graphics.h"

namespace backend::sdl {

namespace {

static_assert(std::endian::native == std::endian::little, "window pixels are packed little-endian");

std::uint32_t Pack(const Byte* bgr) {
    return 0xFF000000u | std::uint32_t(bgr[0]) | (std::uint32_t(bgr[1]) << 8) | (std::uint32_t(bgr[2]) << 16);
}

// a * share/256 + b * (256-share)/256 per byte of two 32-bit pixels, two
// bytes per multiplication.
inline std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t share) {
    const std::uint32_t other = 256 - share;
    const std::uint32_t evens = (((a & 0x00FF00FFu) * share + (b & 0x00FF00FFu) * other) >> 8) & 0x00FF00FFu;
    const std::uint32_t odds = (((a >> 8) & 0x00FF00FFu) * share + ((b >> 8) & 0x00FF00FFu) * other) & 0xFF00FF00u;
    return evens | odds;
}

// out = a * share/256 + b * (256-share)/256, per byte of `count` pixels.
void MixRows(const std::uint32_t* a, const std::uint32_t* b, std::uint32_t share, std::uint32_t* out, int count) {
    int x = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    const __m128i shareA = _mm_set1_epi16(short(share));
    const __m128i shareB = _mm_set1_epi16(short(256 - share));
    for (; x + 4 <= count; x += 4) {
        const __m128i pa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + x));
        const __m128i pb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + x));
        const __m128i low = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(pa, zero), shareA),
                                                         _mm_mullo_epi16(_mm_unpacklo_epi8(pb, zero), shareB)),
                                           8);
        const __m128i high = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(pa, zero), shareA),
                                                          _mm_mullo_epi16(_mm_unpackhi_epi8(pb, zero), shareB)),
                                            8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(low, high));
    }
#endif
    for (; x < count; ++x) out[x] = Mix(a[x], b[x], share);
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
    shareLanes_.clear();
    for (const Tap& t : columns_) shareLanes_.insert(shareLanes_.end(), 4, std::uint16_t(t.share));
    seconds_.resize(columns_.size());
    rows_ = Taps(viewport.Picture().Height(), kScreenHeight);
    scaledRow_[0] = scaledRow_[1] = -1;
}

const std::uint32_t* PictureScaler::ScaledRow(const Surface& picture, int row, int left, int right, int slot) {
    // The row as 32-bit pixels first, then each window column from its taps.
    const Byte* source = picture.Row(row);
    std::uint32_t* packed = packed_.data();
    // Four bytes read at a time (the fourth is the next pixel's, masked
    // off); the last pixel of the row alone, as nothing may follow it.
    for (int x = 0; x < kScreenWidth - 1; ++x) {
        std::uint32_t v;
        std::memcpy(&v, source + x * 3, 4);
        packed[x] = v | 0xFF000000u;
    }
    packed[kScreenWidth - 1] = Pack(source + (kScreenWidth - 1) * 3);
    packed[kScreenWidth] = packed[kScreenWidth - 1];
    std::vector<std::uint32_t>& out = scaled_[slot];
    out.resize(std::size_t(right - left));
    std::uint32_t* to = out.data();
    const Tap* taps = columns_.data();
    if (viewport_.WholeFactor()) {
        for (int x = left; x < right; ++x) to[x - left] = packed[taps[x].first];
        scaledRow_[slot] = row;
        return to;
    }
#ifdef __SSE2__
    // Each column's two picture pixels side by side, then mixed four
    // columns at a time by their own shares.
    std::uint32_t* second = seconds_.data();
    for (int x = left; x < right; ++x) {
        const Tap t = taps[x];
        to[x - left] = packed[t.first];
        second[x - left] = packed[t.first + 1];
    }
    const std::uint16_t* shares = shareLanes_.data() + std::size_t(left) * 4;
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(256);
    int x = 0;
    const int count = right - left;
    for (; x + 4 <= count; x += 4) {
        const __m128i pa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + x));
        const __m128i pb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(second + x));
        const __m128i sLow = _mm_loadu_si128(reinterpret_cast<const __m128i*>(shares + x * 4));
        const __m128i sHigh = _mm_loadu_si128(reinterpret_cast<const __m128i*>(shares + x * 4 + 8));
        const __m128i low = _mm_srli_epi16(
            _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(pa, zero), sLow),
                          _mm_mullo_epi16(_mm_unpacklo_epi8(pb, zero), _mm_sub_epi16(full, sLow))),
            8);
        const __m128i high = _mm_srli_epi16(
            _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(pa, zero), sHigh),
                          _mm_mullo_epi16(_mm_unpackhi_epi8(pb, zero), _mm_sub_epi16(full, sHigh))),
            8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x), _mm_packus_epi16(low, high));
    }
    for (; x < count; ++x) {
        const Tap t = taps[left + x];
        if (t.share != 256) to[x] = Mix(to[x], second[x], std::uint32_t(t.share));
    }
#else
    for (int x = left; x < right; ++x) {
        const Tap t = taps[x];
        to[x - left] = t.share == 256 ? packed[t.first] : Mix(packed[t.first], packed[t.first + 1], std::uint32_t(t.share));
    }
#endif
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
        MixRows(top, bottom, std::uint32_t(t.share), reinterpret_cast<std::uint32_t*>(to), right - left);
    }
}

}  // namespace backend::sdl
