#include "platform/gfx/bmp.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/core/exceptions.h"

namespace bmp {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

[[noreturn]] void Invalid(const char* why) {
    throw EInvalidGraphic(String("Bitmap image is not valid: ") + why);
}

// Little-endian reads that never go past the end of the data.
class Bytes {
public:
    Bytes(const Byte* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Size() const { return size_; }
    const Byte* At(std::size_t offset) const { return data_ + offset; }
    bool Has(std::size_t offset, std::size_t count) const { return offset <= size_ && count <= size_ - offset; }

    std::uint32_t U16(std::size_t offset) const {
        Need(offset, 2);
        return std::uint32_t(data_[offset]) | std::uint32_t(data_[offset + 1]) << 8;
    }
    std::uint32_t U32(std::size_t offset) const {
        Need(offset, 4);
        return std::uint32_t(data_[offset]) | std::uint32_t(data_[offset + 1]) << 8 |
               std::uint32_t(data_[offset + 2]) << 16 | std::uint32_t(data_[offset + 3]) << 24;
    }
    std::int32_t I32(std::size_t offset) const { return std::int32_t(U32(offset)); }

private:
    void Need(std::size_t offset, std::size_t count) const {
        if (!Has(offset, count)) {
            Invalid("the file is cut short in its header");
        }
    }

    const Byte* data_;
    std::size_t size_;
};

// One colour channel of a bit-field pixel, scaled to 8 bits.
class Channel {
public:
    explicit Channel(std::uint32_t mask) : mask_(mask) {
        if (mask == 0) {
            return;
        }
        shift_ = std::countr_zero(mask);
        bits_ = std::bit_width(mask >> shift_);
    }

    Byte Extract(std::uint32_t pixel) const {
        if (bits_ == 0) {
            return 0;
        }
        const std::uint32_t value = (pixel & mask_) >> shift_;
        if (bits_ >= 8) {
            return Byte(value >> (bits_ - 8));
        }
        const std::uint32_t top = (1u << bits_) - 1;
        return Byte((value * 255 + top / 2) / top);
    }

private:
    std::uint32_t mask_;
    int shift_ = 0;
    int bits_ = 0;
};

struct Header {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue
    std::size_t paletteOffset = 0;
    std::size_t paletteEntrySize = 4;
    std::size_t paletteCount = 0;
    std::size_t pixelOffset = 0;
};

std::size_t PaletteCountLimit(int bitCount) { return bitCount <= 8 ? std::size_t(1) << bitCount : 0; }

Header ReadHeader(const Bytes& in) {
    if (!in.Has(0, kFileHeaderSize) || in.At(0)[0] != 'B' || in.At(0)[1] != 'M') {
        Invalid("no bitmap file header");
    }
    Header h;
    h.pixelOffset = in.U32(10);
    const std::uint32_t headerSize = in.U32(kFileHeaderSize);
    const std::size_t info = kFileHeaderSize;
    std::size_t afterHeader = info + headerSize;
    std::uint32_t colorsUsed = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (headerSize == kCoreHeaderSize) {
        width = in.U16(info + 4);
        height = in.U16(info + 6);
        h.bitCount = int(in.U16(info + 10));
        h.paletteEntrySize = 3;
    } else if (headerSize == kInfoHeaderSize || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
               headerSize == 124) {
        width = in.I32(info + 4);
        height = in.I32(info + 8);
        h.bitCount = int(in.U16(info + 14));
        h.compression = in.U32(info + 16);
        colorsUsed = in.U32(info + 32);
        if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
            // The masks follow a plain info header, or lie inside a longer one.
            for (std::size_t i = 0; i < 3; ++i) {
                h.masks[i] = in.U32(info + kInfoHeaderSize + 4 * i);
            }
            if (headerSize == kInfoHeaderSize) {
                afterHeader += h.compression == kAlphaBitFields ? 16 : 12;
            }
        }
    } else {
        Invalid("unknown header size");
    }
    if (height < 0) {
        h.topDown = true;
        height = -height;
    }
    if (width <= 0 || height <= 0) {
        Invalid("zero or negative size");
    }
    if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels) {
        Invalid("the picture is too large");
    }
    h.width = int(width);
    h.height = int(height);

    switch (h.compression) {
        case kRgb:
            if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 && h.bitCount != 24 &&
                h.bitCount != 32) {
                Invalid("unsupported bit count");
            }
            break;
        case kRle8:
            if (h.bitCount != 8) {
                Invalid("RLE8 needs 8 bits per pixel");
            }
            break;
        case kRle4:
            if (h.bitCount != 4) {
                Invalid("RLE4 needs 4 bits per pixel");
            }
            break;
        case kBitFields:
        case kAlphaBitFields:
            if (h.bitCount != 16 && h.bitCount != 32) {
                Invalid("bit fields need 16 or 32 bits per pixel");
            }
            if ((h.masks[0] | h.masks[1] | h.masks[2]) == 0) {
                Invalid("empty bit field masks");
            }
            break;
        default:
            Invalid("unsupported compression");
    }

    h.paletteOffset = afterHeader;
    if (h.pixelOffset < afterHeader) {
        Invalid("pixel data overlaps the header");
    }
    const std::size_t limit = PaletteCountLimit(h.bitCount);
    if (headerSize == kCoreHeaderSize) {
        // The core header has no colour count: the palette fills the gap
        // before the pixels, at most one entry per index.
        h.paletteCount = std::min(limit, (h.pixelOffset - afterHeader) / h.paletteEntrySize);
    } else {
        h.paletteCount = colorsUsed == 0 ? limit : std::min<std::size_t>(colorsUsed, limit);
    }
    if (!in.Has(h.paletteOffset, h.paletteCount * h.paletteEntrySize)) {
        Invalid("the file is cut short in its palette");
    }
    if (h.pixelOffset >= in.Size()) {
        Invalid("no pixel data");
    }
    return h;
}

class Decoder {
public:
    Decoder(const Bytes& in, const Header& h) : in_(in), h_(h) {
        picture_.surface.width = h.width;
        picture_.surface.height = h.height;
        picture_.surface.pixels.assign(std::size_t(h.width) * std::size_t(h.height) * 3, 0);
        for (std::size_t i = 0; i < h.paletteCount; ++i) {
            const Byte* entry = in.At(h.paletteOffset + i * h.paletteEntrySize);
            std::memcpy(palette_[i], entry, 3);
        }
    }

    Picture Run() {
        switch (h_.compression) {
            case kRle8:
            case kRle4:
                DecodeRle();
                picture_.format = h_.compression == kRle8 ? TPixelFormat::pf8bit : TPixelFormat::pf4bit;
                break;
            default:
                DecodeRows();
                picture_.format = FormatOfRows();
        }
        return std::move(picture_);
    }

private:
    TPixelFormat FormatOfRows() const {
        switch (h_.bitCount) {
            case 1: return TPixelFormat::pf1bit;
            case 4: return TPixelFormat::pf4bit;
            case 8: return TPixelFormat::pf8bit;
            case 16: return FiveFiveFive() ? TPixelFormat::pf15bit : TPixelFormat::pf16bit;
            case 24: return TPixelFormat::pf24bit;
            default: return TPixelFormat::pf32bit;
        }
    }

    bool FiveFiveFive() const {
        return h_.compression == kRgb || (h_.masks[0] == 0x7C00 && h_.masks[1] == 0x03E0 && h_.masks[2] == 0x001F);
    }

    // File rows run from the bottom of the picture unless it is top-down.
    Byte* PictureRow(int fileRow) {
        return picture_.surface.Row(h_.topDown ? fileRow : h_.height - 1 - fileRow);
    }

    void PutIndex(Byte* out, unsigned index) const { std::memcpy(out, palette_[index], 3); }

    void DecodeRows() {
        const std::size_t stride = (std::size_t(h_.width) * std::size_t(h_.bitCount) + 31) / 32 * 4;
        if (!in_.Has(h_.pixelOffset, stride * std::size_t(h_.height))) {
            Invalid("the file is cut short in its pixel data");
        }
        std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
        if (h_.compression != kRgb) {
            std::copy(std::begin(h_.masks), std::end(h_.masks), masks);
        } else if (h_.bitCount == 32) {
            masks[0] = 0xFF0000;
            masks[1] = 0x00FF00;
            masks[2] = 0x0000FF;
        }
        const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
        for (int row = 0; row < h_.height; ++row) {
            const Byte* in = in_.At(h_.pixelOffset + stride * std::size_t(row));
            Byte* out = PictureRow(row);
            switch (h_.bitCount) {
                case 1:
                    for (int x = 0; x < h_.width; ++x) {
                        PutIndex(out + 3 * x, (in[x >> 3] >> (7 - (x & 7))) & 1);
                    }
                    break;
                case 4:
                    for (int x = 0; x < h_.width; ++x) {
                        PutIndex(out + 3 * x, (x & 1) ? in[x >> 1] & 0x0F : in[x >> 1] >> 4);
                    }
                    break;
                case 8:
                    for (int x = 0; x < h_.width; ++x) {
                        PutIndex(out + 3 * x, in[x]);
                    }
                    break;
                case 24:
                    std::memcpy(out, in, std::size_t(h_.width) * 3);
                    break;
                default: {
                    const int bytes = h_.bitCount / 8;
                    for (int x = 0; x < h_.width; ++x) {
                        const Byte* p = in + bytes * x;
                        std::uint32_t pixel = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8;
                        if (bytes == 4) {
                            pixel |= std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
                        }
                        out[3 * x] = blue.Extract(pixel);
                        out[3 * x + 1] = green.Extract(pixel);
                        out[3 * x + 2] = red.Extract(pixel);
                    }
                }
            }
        }
    }

    // Run-length encoded rows: pairs of (count, value), or an escape (0, code)
    // for end of line (0), end of bitmap (1), a move (2, dx, dy) or a literal
    // run of `code` pixels padded to a whole number of 16-bit words.
    void DecodeRle() {
        const bool four = h_.compression == kRle4;
        std::size_t pos = h_.pixelOffset;
        int x = 0;
        int row = 0;
        auto put = [&](unsigned index) {
            if (x < h_.width && row < h_.height) {
                PutIndex(PictureRow(row) + 3 * x, index);
            }
            ++x;
        };
        while (row < h_.height) {
            if (!in_.Has(pos, 2)) {
                Invalid("the file is cut short in its compressed pixel data");
            }
            const unsigned count = in_.At(pos)[0];
            const unsigned code = in_.At(pos)[1];
            pos += 2;
            if (count > 0) {
                for (unsigned i = 0; i < count && x < h_.width; ++i) {
                    put(four ? ((i & 1) ? code & 0x0F : code >> 4) : code);
                }
                continue;
            }
            if (code == 0) {
                x = 0;
                ++row;
            } else if (code == 1) {
                return;
            } else if (code == 2) {
                if (!in_.Has(pos, 2)) {
                    Invalid("the file is cut short in its compressed pixel data");
                }
                x = std::min(x + int(in_.At(pos)[0]), h_.width);
                row += int(in_.At(pos)[1]);
                pos += 2;
            } else {
                const std::size_t bytes = four ? (code + 1) / 2 : code;
                const std::size_t padded = (bytes + 1) & ~std::size_t(1);
                if (!in_.Has(pos, padded)) {
                    Invalid("the file is cut short in its compressed pixel data");
                }
                const Byte* literal = in_.At(pos);
                for (unsigned i = 0; i < code && x < h_.width; ++i) {
                    put(four ? ((i & 1) ? literal[i / 2] & 0x0F : literal[i / 2] >> 4) : literal[i]);
                }
                pos += padded;
            }
        }
    }

    const Bytes& in_;
    const Header& h_;
    Picture picture_;
    Byte palette_[256][3] = {};
};

void PutU16(std::vector<Byte>& out, std::size_t at, std::uint32_t v) {
    out[at] = Byte(v);
    out[at + 1] = Byte(v >> 8);
}

void PutU32(std::vector<Byte>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out[at + std::size_t(i)] = Byte(v >> (8 * i));
    }
}

}  // namespace

Picture Decode(const Byte* data, std::size_t size) {
    const Bytes in(data, size);
    const Header header = ReadHeader(in);
    return Decoder(in, header).Run();
}

std::vector<Byte> Encode(const Surface& surface) {
    const std::size_t stride = (std::size_t(surface.width) * 3 + 3) & ~std::size_t(3);
    const std::size_t imageSize = stride * std::size_t(surface.height);
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize;
    std::vector<Byte> out(offset + imageSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    PutU32(out, 2, std::uint32_t(out.size()));
    PutU32(out, 10, std::uint32_t(offset));
    PutU32(out, 14, kInfoHeaderSize);
    PutU32(out, 18, std::uint32_t(surface.width));
    PutU32(out, 22, std::uint32_t(surface.height));
    PutU16(out, 26, 1);
    PutU16(out, 28, 24);
    PutU32(out, 34, std::uint32_t(imageSize));
    PutU32(out, 38, 3780);  // 96 pixels per inch
    PutU32(out, 42, 3780);
    for (int y = 0; y < surface.height; ++y) {
        std::memcpy(&out[offset + stride * std::size_t(surface.height - 1 - y)], surface.Row(y),
                    std::size_t(surface.width) * 3);
    }
    return out;
}

}  // namespace bmp
