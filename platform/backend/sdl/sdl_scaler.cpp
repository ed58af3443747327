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

// The picture pixel at `column` of a row as a window pixel, read four bytes
// at once: the column must not be the row's last.
inline std::uint32_t Load(const Byte* row, int column) {
    std::uint32_t v;
    std::memcpy(&v, row + column * 3, 4);
    return v | 0xFF000000u;
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
    // The columns before the first that reads the row's last pixel.
    fastColumns_ = 0;
    while (fastColumns_ < int(columns_.size()) && columns_[std::size_t(fastColumns_)].first + 1 < kScreenWidth - 1)
        ++fastColumns_;
    rows_ = Taps(viewport.Picture().Height(), kScreenHeight);
    scaledRow_[0] = scaledRow_[1] = -1;
}

const std::uint32_t* PictureScaler::ScaledRow(const Surface& picture, int row, int left, int right, int slot) {
    // Each window column straight from the picture's bytes: four read at a
    // time, the fourth (the next pixel's) masked off. Columns whose second
    // picture pixel is the row's last one are read alone, since nothing may
    // follow the picture's last byte.
    const Byte* source = picture.Row(row);
    std::vector<std::uint32_t>& out = scaled_[slot];
    out.resize(std::size_t(right - left));
    std::uint32_t* to = out.data();
    const Tap* taps = columns_.data();
    const int fastEnd = std::min(right, fastColumns_);
    int x = left;
    if (viewport_.WholeFactor()) {
        for (; x < fastEnd; ++x) to[x - left] = Load(source, taps[x].first);
        for (; x < right; ++x) to[x - left] = Pack(source + taps[x].first * 3);
        scaledRow_[slot] = row;
        return to;
    }
#ifdef __SSE2__
    // Four columns at a time: their first and second picture pixels, mixed
    // by each column's own share.
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(256);
    const std::uint16_t* shares = shareLanes_.data();
    for (; x + 4 <= fastEnd; x += 4) {
        const Tap* t = taps + x;
        const __m128i pa = _mm_setr_epi32(int(Load(source, t[0].first)), int(Load(source, t[1].first)),
                                          int(Load(source, t[2].first)), int(Load(source, t[3].first)));
        const __m128i pb = _mm_setr_epi32(int(Load(source, t[0].first + 1)), int(Load(source, t[1].first + 1)),
                                          int(Load(source, t[2].first + 1)), int(Load(source, t[3].first + 1)));
        const __m128i sLow = _mm_loadu_si128(reinterpret_cast<const __m128i*>(shares + std::size_t(x) * 4));
        const __m128i sHigh = _mm_loadu_si128(reinterpret_cast<const __m128i*>(shares + std::size_t(x) * 4 + 8));
        const __m128i low = _mm_srli_epi16(
            _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(pa, zero), sLow),
                          _mm_mullo_epi16(_mm_unpacklo_epi8(pb, zero), _mm_sub_epi16(full, sLow))),
            8);
        const __m128i high = _mm_srli_epi16(
            _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(pa, zero), sHigh),
                          _mm_mullo_epi16(_mm_unpackhi_epi8(pb, zero), _mm_sub_epi16(full, sHigh))),
            8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + (x - left)), _mm_packus_epi16(low, high));
    }
#endif
    for (; x < right; ++x) {
        const Tap t = taps[x];
        const std::uint32_t first = Pack(source + t.first * 3);
        to[x - left] = t.share == 256 ? first : Mix(first, Pack(source + (t.first + 1) * 3), std::uint32_t(t.share));
    }
    scaledRow_[slot] = row;
    return to;
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
