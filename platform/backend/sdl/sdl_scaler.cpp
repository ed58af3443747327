#include "platform/backend/sdl/sdl_scaler.h"

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "platform/backend/backend.h"
#include "platform/gfx/graphics.h"

namespace backend::sdl {

namespace {

static_assert(std::endian::native == std::endian::little, "window pixels are packed little-endian");

// A picture row as window pixels, four at a time from three words; `out`
// holds one more than the row, a copy of its last pixel (what a column that
// reads one past the row's end mixes with no share).
static_assert(kScreenWidth % 4 == 0, "rows are packed four pixels at a time");
void PackRow(const Byte* bgr, std::uint32_t* out) {
    for (std::size_t x = 0; x < std::size_t(kScreenWidth); x += 4) {
        std::uint64_t low;
        std::uint32_t high;
        std::memcpy(&low, bgr + x * 3, 8);
        std::memcpy(&high, bgr + x * 3 + 8, 4);
        out[x] = 0xFF000000u | std::uint32_t(low & 0xFFFFFF);
        out[x + 1] = 0xFF000000u | std::uint32_t((low >> 24) & 0xFFFFFF);
        out[x + 2] = 0xFF000000u | std::uint32_t(((low >> 48) | (std::uint64_t(high) << 16)) & 0xFFFFFF);
        out[x + 3] = 0xFF000000u | (high >> 8);
    }
    out[kScreenWidth] = out[kScreenWidth - 1];
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
    firsts_.clear();
    for (const Tap& t : columns_) firsts_.push_back(t.first);
    rows_ = Taps(viewport.Picture().Height(), kScreenHeight);
    scaledRow_[0] = scaledRow_[1] = -1;
}

#if defined(__x86_64__) || defined(__i386__)
#define VELAMO_SCALER_AVX2 1
namespace {
// The shares of columns a, a + 1 (low half) and b, b + 1 (high half).
__attribute__((target("avx2"))) inline __m256i ShareLanes(const std::uint16_t* shares, int a, int b) {
    return _mm256_set_m128i(_mm_loadu_si128(reinterpret_cast<const __m128i*>(shares + std::size_t(b) * 4)),
                            _mm_loadu_si128(reinterpret_cast<const __m128i*>(shares + std::size_t(a) * 4)));
}

// Eight window columns at a time, where their picture pixels (first and
// second) lie within eight in a row, as whenever the window is larger than
// the picture: those eight loaded at once and spread over the columns (no
// gathers, which are slow where the processor's mitigations apply), then
// mixed by each column's share. Returns the first column not done.
__attribute__((target("avx2"))) int MixColumnsAvx2(const std::uint32_t* packed, const std::int32_t* firsts,
                                                   const std::uint16_t* shares, int left, int right,
                                                   std::uint32_t* to) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i full = _mm256_set1_epi16(256);
    const __m256i one = _mm256_set1_epi32(1);
    int x = left;
    for (; x + 8 <= right; x += 8) {
        const int base = firsts[x];
        if (firsts[x + 7] + 1 - base > 7) break;
        const __m256i index = _mm256_sub_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(firsts + x)),
                                               _mm256_set1_epi32(base));
        const __m256i eight = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(packed + base));
        const __m256i pa = _mm256_permutevar8x32_epi32(eight, index);
        const __m256i pb = _mm256_permutevar8x32_epi32(eight, _mm256_add_epi32(index, one));
        // unpacklo takes columns 0, 1 and 4, 5; unpackhi 2, 3 and 6, 7.
        const __m256i sLow = ShareLanes(shares, x, x + 4);
        const __m256i sHigh = ShareLanes(shares, x + 2, x + 6);
        const __m256i low = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(pa, zero), sLow),
                             _mm256_mullo_epi16(_mm256_unpacklo_epi8(pb, zero), _mm256_sub_epi16(full, sLow))),
            8);
        const __m256i high = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(pa, zero), sHigh),
                             _mm256_mullo_epi16(_mm256_unpackhi_epi8(pb, zero), _mm256_sub_epi16(full, sHigh))),
            8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + (x - left)), _mm256_packus_epi16(low, high));
    }
    return x;
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
}  // namespace
#endif

const std::uint32_t* PictureScaler::ScaledRow(const Surface& picture, int row, int left, int right, int slot) {
    packed_.resize(std::size_t(kScreenWidth) + 8);  // eight may be loaded from the last
    PackRow(picture.Row(row), packed_.data());
    const std::uint32_t* packed = packed_.data();
    std::vector<std::uint32_t>& out = scaled_[slot];
    out.resize(std::size_t(right - left));
    std::uint32_t* to = out.data();
    const Tap* taps = columns_.data();
    int x = left;
    if (viewport_.Picture().Width() == kScreenWidth) {
        std::memcpy(to, packed + left, std::size_t(right - left) * 4);
        scaledRow_[slot] = row;
        return to;
    }
#ifdef VELAMO_SCALER_AVX2
    if (HasAvx2()) x = MixColumnsAvx2(packed, firsts_.data(), shareLanes_.data(), x, right, to);
#endif
    for (; x < right; ++x) {
        const Tap t = taps[x];
        to[x - left] = t.share == 256 ? packed[t.first] : Mix(packed[t.first], packed[t.first + 1], std::uint32_t(t.share));
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
