// A small AVI writer and frame encoders for the media tests and benchmark:
// frames are given as the bytes each codec stores, reference pictures as
// top-down 0xRRGGBB pixels.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace media_test {

using Bytes = std::vector<std::uint8_t>;

inline void Add16(Bytes& b, unsigned v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
inline void Add32(Bytes& b, std::uint32_t v) {
    Add16(b, v & 0xFFFF);
    Add16(b, v >> 16);
}
inline void AddId(Bytes& b, const char* id) {
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(id[i]));
}
inline void Patch32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

// Writes a chunk (with the pad byte of odd sizes); returns its position.
inline std::size_t AddChunk(Bytes& b, const char* id, const Bytes& data) {
    std::size_t at = b.size();
    AddId(b, id);
    Add32(b, std::uint32_t(data.size()));
    b.insert(b.end(), data.begin(), data.end());
    if (data.size() % 2) b.push_back(0);
    return at;
}
// Opens a LIST; CloseList fills in its size.
inline std::size_t OpenList(Bytes& b, const char* type) {
    std::size_t at = b.size();
    AddId(b, "LIST");
    Add32(b, 0);
    AddId(b, type);
    return at;
}
inline void CloseList(Bytes& b, std::size_t at) { Patch32(b, at + 4, std::uint32_t(b.size() - at - 8)); }

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;  // top-down
    std::uint32_t& At(int x, int y) { return rgb[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    std::uint32_t At(int x, int y) const { return rgb[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

inline Picture MakePicture(int w, int h, std::uint32_t fill = 0) {
    return Picture{w, h, std::vector<std::uint32_t>(std::size_t(w) * std::size_t(h), fill)};
}

// The top-down picture of a packed 24-bit bottom-up DIB.
inline Picture PictureOfDib(const void* dib) {
    const auto* p = static_cast<const std::uint8_t*>(dib);
    std::int32_t w, h;
    std::memcpy(&w, p + 4, 4);
    std::memcpy(&h, p + 8, 4);
    Picture pic = MakePicture(w, h);
    std::size_t stride = (std::size_t(w) * 3 + 3) & ~std::size_t(3);
    const std::uint8_t* bits = p + 40;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* px = bits + std::size_t(h - 1 - y) * stride + std::size_t(x) * 3;
            pic.At(x, y) = std::uint32_t(px[2]) << 16 | std::uint32_t(px[1]) << 8 | px[0];
        }
    return pic;
}

// 5-bit components widened as the decoders widen them.
inline std::uint32_t Widen5(unsigned v) { return (v << 3) | (v >> 2); }
inline std::uint32_t RgbOf555(std::uint16_t c) {
    return Widen5((c >> 10) & 31) << 16 | Widen5((c >> 5) & 31) << 8 | Widen5(c & 31);
}

// A palette whose entry i is TestPaletteColour(i).
inline std::uint32_t TestPaletteColour(unsigned i) { return (i * 37 % 256) << 16 | (255 - i) << 8 | (i * 11 % 256); }
inline Bytes TestPalette(unsigned count = 256) {
    Bytes b;
    for (unsigned i = 0; i < count; ++i) {
        std::uint32_t c = TestPaletteColour(i);
        b.push_back(std::uint8_t(c));
        b.push_back(std::uint8_t(c >> 8));
        b.push_back(std::uint8_t(c >> 16));
        b.push_back(0);
    }
    return b;
}

struct AviFrame {
    Bytes data;
    bool key = true;
};

enum class AviIndex { Relative, Absolute, None };

struct AviSpec {
    int width = 0;
    int height = 0;  // negative: rows stored top-down
    int bitCount = 24;
    std::uint32_t compression = 0;
    Bytes palette;
    std::vector<AviFrame> frames;
    AviIndex index = AviIndex::Relative;
    bool junk = false;           // odd-sized JUNK chunks among the headers and frames
    bool audioFirst = false;     // an audio stream before the video, with chunks of its own
    bool recordLists = false;    // each frame inside a LIST 'rec '
};

inline constexpr std::uint32_t FourCC(const char* s) {
    return std::uint32_t(std::uint8_t(s[0])) | std::uint32_t(std::uint8_t(s[1])) << 8 |
           std::uint32_t(std::uint8_t(s[2])) << 16 | std::uint32_t(std::uint8_t(s[3])) << 24;
}

inline Bytes StreamHeader(const char* type, std::uint32_t handler, std::uint32_t length, int w, int h) {
    Bytes s;
    AddId(s, type);
    Add32(s, handler);
    Add32(s, 0);      // flags
    Add32(s, 0);      // priority, language
    Add32(s, 0);      // initial frames
    Add32(s, 1);      // scale
    Add32(s, 10);     // rate
    Add32(s, 0);      // start
    Add32(s, length);
    Add32(s, 0);      // suggested buffer
    Add32(s, 0xFFFFFFFF);  // quality
    Add32(s, 0);      // sample size
    Add16(s, 0); Add16(s, 0); Add16(s, unsigned(w)); Add16(s, unsigned(h < 0 ? -h : h));
    return s;
}

inline Bytes WriteAvi(const AviSpec& spec) {
    Bytes b;
    AddId(b, "RIFF");
    Add32(b, 0);
    AddId(b, "AVI ");
    std::size_t hdrl = OpenList(b, "hdrl");
    Bytes avih;
    Add32(avih, 100000);
    for (int i = 0; i < 3; ++i) Add32(avih, 0);
    Add32(avih, std::uint32_t(spec.frames.size()));
    Add32(avih, 0);
    Add32(avih, spec.audioFirst ? 2 : 1);
    Add32(avih, 0);
    Add32(avih, std::uint32_t(spec.width));
    Add32(avih, std::uint32_t(spec.height < 0 ? -spec.height : spec.height));
    for (int i = 0; i < 4; ++i) Add32(avih, 0);
    AddChunk(b, "avih", avih);
    if (spec.junk) AddChunk(b, "JUNK", Bytes(7, 0));
    if (spec.audioFirst) {
        std::size_t strl = OpenList(b, "strl");
        AddChunk(b, "strh", StreamHeader("auds", 0, 1, 0, 0));
        Bytes wf;
        Add16(wf, 1); Add16(wf, 1); Add32(wf, 11025); Add32(wf, 11025); Add16(wf, 1); Add16(wf, 8); Add16(wf, 0);
        AddChunk(b, "strf", wf);
        CloseList(b, strl);
    }
    std::size_t strl = OpenList(b, "strl");
    AddChunk(b, "strh", StreamHeader("vids", spec.compression, std::uint32_t(spec.frames.size()), spec.width, spec.height));
    Bytes bih;
    Add32(bih, 40);
    Add32(bih, std::uint32_t(spec.width));
    Add32(bih, std::uint32_t(spec.height));
    Add16(bih, 1);
    Add16(bih, unsigned(spec.bitCount));
    Add32(bih, spec.compression);
    Add32(bih, 0);
    Add32(bih, 0);
    Add32(bih, 0);
    Add32(bih, std::uint32_t(spec.palette.size() / 4));
    Add32(bih, 0);
    bih.insert(bih.end(), spec.palette.begin(), spec.palette.end());
    AddChunk(b, "strf", bih);
    CloseList(b, strl);
    CloseList(b, hdrl);
    if (spec.junk) AddChunk(b, "JUNK", Bytes(5, 0));

    struct Entry { const char* id; std::uint32_t flags; std::size_t pos; std::size_t size; };
    std::vector<Entry> entries;
    std::size_t movi = OpenList(b, "movi");
    std::size_t moviFourCC = movi + 8;
    const char* videoId = spec.audioFirst ? "01dc" : "00dc";
    for (const AviFrame& f : spec.frames) {
        std::size_t rec = spec.recordLists ? OpenList(b, "rec ") : 0;
        if (spec.audioFirst) {
            Bytes audio(3, 0x80);
            entries.push_back({"00wb", 0x10, AddChunk(b, "00wb", audio), audio.size()});
        }
        entries.push_back({videoId, f.key ? 0x10u : 0u, AddChunk(b, videoId, f.data), f.data.size()});
        if (spec.junk) AddChunk(b, "JUNK", Bytes(3, 0));
        if (spec.recordLists) CloseList(b, rec);
    }
    CloseList(b, movi);
    if (spec.index != AviIndex::None) {
        Bytes idx;
        for (const Entry& e : entries) {
            AddId(idx, e.id);
            Add32(idx, e.flags);
            Add32(idx, std::uint32_t(spec.index == AviIndex::Relative ? e.pos - moviFourCC : e.pos));
            Add32(idx, std::uint32_t(e.size));
        }
        AddChunk(b, "idx1", idx);
    }
    Patch32(b, 4, std::uint32_t(b.size() - 8));
    return b;
}

// Rows of an uncompressed frame, bottom-up (or top-down) and padded, from a
// picture; 8-bit pictures hold palette indices in rgb.
inline Bytes EncodeRgbFrame(const Picture& pic, int bitCount, bool topDown = false) {
    std::size_t stride = ((std::size_t(pic.width) * std::size_t(bitCount) + 31) / 32) * 4;
    Bytes out(stride * std::size_t(pic.height), 0);
    for (int row = 0; row < pic.height; ++row) {
        int y = topDown ? row : pic.height - 1 - row;
        std::uint8_t* p = out.data() + std::size_t(row) * stride;
        for (int x = 0; x < pic.width; ++x) {
            std::uint32_t c = pic.At(x, y);
            switch (bitCount) {
            case 8: p[x] = std::uint8_t(c); break;
            case 16: {
                auto v = std::uint16_t(((c >> 19) & 31) << 10 | ((c >> 11) & 31) << 5 | ((c >> 3) & 31));
                p[2 * x] = std::uint8_t(v);
                p[2 * x + 1] = std::uint8_t(v >> 8);
                break;
            }
            case 24: case 32: {
                std::uint8_t* q = p + std::size_t(x) * std::size_t(bitCount / 8);
                q[0] = std::uint8_t(c);
                q[1] = std::uint8_t(c >> 8);
                q[2] = std::uint8_t(c >> 16);
                if (bitCount == 32) q[3] = 0xFF;
                break;
            }
            }
        }
    }
    return out;
}

}  // namespace media_test
