#include "platform/media/cursor.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/media/dib_format.h"

namespace media {

namespace {

constexpr int kMaxCursorSide = 256;

std::uint32_t U32(const Byte* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24; }
std::uint16_t U16(const Byte* p) { return std::uint16_t(p[0] | p[1] << 8); }
std::uint32_t U32BigEndian(const Byte* p) { return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3]; }

struct Decoded {
    backend::CursorImage image;
    int depth = 0;  // bits a pixel, to prefer the richer entry
};

std::optional<Decoded> DecodeBmpEntry(const Byte* p, std::size_t size) {
    if (size < 40) return std::nullopt;
    std::uint32_t headerSize = U32(p);
    std::int32_t width = std::int32_t(U32(p + 4));
    std::int32_t doubledHeight = std::int32_t(U32(p + 8));
    int bits = U16(p + 14);
    std::uint32_t compression = U32(p + 16);
    std::uint32_t colours = U32(p + 32);
    if (headerSize < 40 || headerSize > size || compression != BI_RGB) return std::nullopt;
    if (width <= 0 || width > kMaxCursorSide || doubledHeight < 2 || doubledHeight > 2 * kMaxCursorSide) return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
    int height = doubledHeight / 2;
    if (bits <= 8 && (colours == 0 || colours > (1u << bits))) colours = 1u << bits;
    if (bits > 8) colours = 0;

    std::size_t paletteAt = headerSize;
    std::size_t xorAt = paletteAt + 4 * std::size_t(colours);
    std::size_t xorStride = DibStride(width, bits), andStride = DibStride(width, 1);
    std::size_t andAt = xorAt + xorStride * std::size_t(height);
    bool hasMask = andAt + andStride * std::size_t(height) <= size;
    if (andAt > size || (!hasMask && bits != 32)) return std::nullopt;

    auto colourAt = [&](int x, int row) -> std::uint32_t {
        const Byte* r = p + xorAt + std::size_t(row) * xorStride;
        if (bits > 8) {
            const Byte* px = r + std::size_t(x) * std::size_t(bits / 8);
            return std::uint32_t(px[2]) << 16 | std::uint32_t(px[1]) << 8 | px[0] | (bits == 32 ? std::uint32_t(px[3]) << 24 : 0);
        }
        int perByte = 8 / bits;
        unsigned index = (r[x / perByte] >> (8 - bits * (x % perByte + 1))) & ((1u << bits) - 1);
        if (index >= colours) return 0;
        const Byte* q = p + paletteAt + 4 * std::size_t(index);
        return std::uint32_t(q[2]) << 16 | std::uint32_t(q[1]) << 8 | q[0];
    };
    auto masked = [&](int x, int row) {
        return hasMask && ((p[andAt + std::size_t(row) * andStride + std::size_t(x / 8)] >> (7 - x % 8)) & 1);
    };
    bool useAlpha = false;
    if (bits == 32)
        for (int row = 0; row < height && !useAlpha; ++row)
            for (int x = 0; x < width && !useAlpha; ++x) useAlpha = colourAt(x, row) >> 24;
    if (bits == 32 && !useAlpha && !hasMask) return std::nullopt;

    Decoded d;
    d.depth = bits;
    d.image.width = width;
    d.image.height = height;
    d.image.argb.resize(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int row = height - 1 - y;
            std::uint32_t c = colourAt(x, row);
            std::uint32_t argb;
            if (useAlpha) argb = c;
            else if (!masked(x, row)) argb = 0xFF000000u | (c & 0xFFFFFF);
            else argb = (c & 0xFFFFFF) ? 0xFF000000u : 0;  // inverting pixels show black
            d.image.argb[std::size_t(y) * std::size_t(width) + std::size_t(x)] = argb;
        }
    return d;
}

int Paeth(int a, int b, int c) {
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
}

// PNG of 8-bit RGB or RGBA, not interlaced.
std::optional<Decoded> DecodePngEntry(const Byte* p, std::size_t size) {
    static const Byte signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < 8 || std::memcmp(p, signature, 8) != 0) return std::nullopt;
    int width = 0, height = 0, channels = 0;
    std::vector<Byte> compressed;
    for (std::size_t at = 8; at + 12 <= size;) {
        std::uint32_t length = U32BigEndian(p + at);
        if (length > size - at - 12) return std::nullopt;
        const Byte* type = p + at + 4;
        const Byte* data = p + at + 8;
        if (std::memcmp(type, "IHDR", 4) == 0 && length >= 13) {
            width = int(U32BigEndian(data));
            height = int(U32BigEndian(data + 4));
            int depth = data[8], colourType = data[9], interlace = data[12];
            if (depth != 8 || interlace != 0 || (colourType != 2 && colourType != 6)) return std::nullopt;
            channels = colourType == 6 ? 4 : 3;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            compressed.insert(compressed.end(), data, data + length);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            break;
        }
        at += 12 + std::size_t(length);
    }
    if (width <= 0 || height <= 0 || width > kMaxCursorSide || height > kMaxCursorSide || channels == 0) return std::nullopt;
    std::size_t stride = std::size_t(width) * std::size_t(channels);
    std::vector<Byte> raw((stride + 1) * std::size_t(height));
    uLongf rawSize = uLongf(raw.size());
    if (uncompress(raw.data(), &rawSize, compressed.data(), uLong(compressed.size())) != Z_OK || rawSize != raw.size())
        return std::nullopt;

    Decoded d;
    d.depth = channels * 8;
    d.image.width = width;
    d.image.height = height;
    d.image.argb.resize(std::size_t(width) * std::size_t(height));
    std::vector<Byte> previous(stride, 0), row(stride);
    for (int y = 0; y < height; ++y) {
        const Byte* line = raw.data() + std::size_t(y) * (stride + 1);
        int filter = line[0];
        for (std::size_t i = 0; i < stride; ++i) {
            int a = i >= std::size_t(channels) ? row[i - std::size_t(channels)] : 0;
            int b = previous[i], c = i >= std::size_t(channels) ? previous[i - std::size_t(channels)] : 0;
            int predictor = 0;
            switch (filter) {
            case 0: break;
            case 1: predictor = a; break;
            case 2: predictor = b; break;
            case 3: predictor = (a + b) / 2; break;
            case 4: predictor = Paeth(a, b, c); break;
            default: return std::nullopt;
            }
            row[i] = Byte(line[1 + i] + predictor);
        }
        for (int x = 0; x < width; ++x) {
            const Byte* px = row.data() + std::size_t(x) * std::size_t(channels);
            std::uint32_t alpha = channels == 4 ? px[3] : 0xFF;
            d.image.argb[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                alpha << 24 | std::uint32_t(px[0]) << 16 | std::uint32_t(px[1]) << 8 | px[2];
        }
        previous.swap(row);
    }
    return d;
}

// Nearer to 32x32 first, then more bits a pixel.
bool Better(const Decoded& a, const Decoded& b) {
    int da = std::abs(a.image.width - 32) + std::abs(a.image.height - 32);
    int db = std::abs(b.image.width - 32) + std::abs(b.image.height - 32);
    return da != db ? da < db : a.depth > b.depth;
}

}  // namespace

std::optional<backend::CursorImage> DecodeCursor(const Byte* data, std::size_t size) {
    if (!data || size < 6 || U16(data) != 0 || U16(data + 2) != 2) return std::nullopt;
    std::size_t count = U16(data + 4);
    std::optional<Decoded> best;
    for (std::size_t i = 0; i < count && 6 + 16 * (i + 1) <= size; ++i) {
        const Byte* entry = data + 6 + 16 * i;
        std::size_t length = U32(entry + 8), offset = U32(entry + 12);
        if (offset >= size || length > size - offset) continue;
        std::optional<Decoded> d = DecodePngEntry(data + offset, length);
        if (!d) d = DecodeBmpEntry(data + offset, length);
        if (!d) continue;
        d->image.hotX = std::min<int>(U16(entry + 4), d->image.width - 1);
        d->image.hotY = std::min<int>(U16(entry + 6), d->image.height - 1);
        if (!best || Better(*d, *best)) best = std::move(d);
    }
    if (!best) return std::nullopt;
    return std::move(best->image);
}

}  // namespace media

HCURSOR LoadCursorFromFileA(const char* name) {
    if (!name) return nullptr;
    std::string bytes;
    try {
        bytes = ReadDataFile(name, file_limit::kCursor);
    } catch (const Exception&) {
        return nullptr;
    }
    std::optional<backend::CursorImage> image =
        media::DecodeCursor(reinterpret_cast<const Byte*>(bytes.data()), bytes.size());
    if (!image) return nullptr;
    static std::deque<backend::CursorData> loaded;  // kept for the process's life
    backend::CursorData& cursor = loaded.emplace_back();
    cursor.hasImage = true;
    cursor.image = std::move(*image);
    return &cursor;
}
