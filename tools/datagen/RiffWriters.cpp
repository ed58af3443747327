#include "tools/datagen/RiffWriters.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

void Put16(std::string& s, unsigned v) {
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
void Put32(std::string& s, std::uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}
void Set32(std::string& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + std::size_t(i)] = char((v >> (8 * i)) & 0xFF);
}
std::uint32_t Get32(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | Byte(s[at + std::size_t(i)]);
    return v;
}
unsigned Get16(const std::string& s, std::size_t at) {
    return unsigned(Byte(s[at])) | (unsigned(Byte(s[at + 1])) << 8);
}

// Appends a chunk with its id and size; the size is patched by EndChunk.
std::size_t BeginChunk(std::string& s, const char* id) {
    s.append(id, 4);
    Put32(s, 0);
    return s.size();
}
std::size_t BeginList(std::string& s, const char* listType, const char* type) {
    std::size_t start = BeginChunk(s, listType);
    s.append(type, 4);
    return start;
}
void EndChunk(std::string& s, std::size_t start) {
    Set32(s, start - 4, std::uint32_t(s.size() - start));
    if (s.size() % 2) s += '\0';
}

struct TFrameFormat {
    int Width, Height, Bits;
    std::uint32_t Compression, ImageSize;
    std::string Palette;  // 4 bytes an entry
};

void PutBitmapInfoHeader(std::string& s, const TFrameFormat& f, std::uint32_t imageSize) {
    Put32(s, 40);
    Put32(s, std::uint32_t(f.Width));
    Put32(s, std::uint32_t(f.Height));
    Put16(s, 1);
    Put16(s, unsigned(f.Bits));
    Put32(s, f.Compression);
    Put32(s, imageSize);
    Put32(s, 2835);
    Put32(s, 2835);
    Put32(s, f.Palette.empty() ? 0 : std::uint32_t(f.Palette.size() / 4));
    Put32(s, 0);
}

std::string Avi(const TFrameFormat& format, const std::vector<std::string>& chunks, int fps) {
    std::uint32_t largest = 0;
    for (const auto& c : chunks) largest = std::max(largest, std::uint32_t(c.size()));
    const std::uint32_t n = std::uint32_t(chunks.size());

    std::string s;
    std::size_t riff = BeginList(s, "RIFF", "AVI ");
    std::size_t hdrl = BeginList(s, "LIST", "hdrl");
    std::size_t avih = BeginChunk(s, "avih");
    Put32(s, std::uint32_t(1000000 / fps));
    Put32(s, largest * std::uint32_t(fps));
    Put32(s, 0);
    Put32(s, 0x10);  // has an index
    Put32(s, n);
    Put32(s, 0);
    Put32(s, 1);
    Put32(s, largest);
    Put32(s, std::uint32_t(format.Width));
    Put32(s, std::uint32_t(format.Height));
    for (int i = 0; i < 4; ++i) Put32(s, 0);
    EndChunk(s, avih);
    std::size_t strl = BeginList(s, "LIST", "strl");
    std::size_t strh = BeginChunk(s, "strh");
    s.append("vids", 4);
    s.append(format.Compression == 0 ? "DIB " : "mrle", 4);
    Put32(s, 0);
    Put16(s, 0);
    Put16(s, 0);
    Put32(s, 0);
    Put32(s, 1);
    Put32(s, std::uint32_t(fps));
    Put32(s, 0);
    Put32(s, n);
    Put32(s, largest);
    Put32(s, 0xFFFFFFFF);
    Put32(s, 0);
    Put16(s, 0);
    Put16(s, 0);
    Put16(s, unsigned(format.Width));
    Put16(s, unsigned(format.Height));
    EndChunk(s, strh);
    std::size_t strf = BeginChunk(s, "strf");
    PutBitmapInfoHeader(s, format, format.ImageSize);
    s += format.Palette;
    EndChunk(s, strf);
    EndChunk(s, strl);
    EndChunk(s, hdrl);

    std::size_t movi = BeginList(s, "LIST", "movi");
    const std::size_t moviFourcc = movi;
    std::vector<std::uint32_t> offsets;
    for (const auto& c : chunks) {
        offsets.push_back(std::uint32_t(s.size() - moviFourcc));
        std::size_t db = BeginChunk(s, "00db");
        s += c;
        EndChunk(s, db);
    }
    EndChunk(s, movi);
    std::size_t idx1 = BeginChunk(s, "idx1");
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        s.append("00db", 4);
        Put32(s, 0x10);  // key frame
        Put32(s, offsets[i]);
        Put32(s, std::uint32_t(chunks[i].size()));
    }
    EndChunk(s, idx1);
    EndChunk(s, riff);
    return s;
}

constexpr int CubeR = 6, CubeG = 7, CubeB = 6;

int CubeLevel(int value, int levels) { return (value * (levels - 1) + 127) / 255; }

}  // namespace

std::string WavFile(const TPcm& sound, int bits) {
    const int bytesPerSample = bits / 8;
    std::string s;
    std::size_t riff = BeginList(s, "RIFF", "WAVE");
    std::size_t fmt = BeginChunk(s, "fmt ");
    Put16(s, 1);
    Put16(s, 1);
    Put32(s, std::uint32_t(sound.Rate));
    Put32(s, std::uint32_t(sound.Rate * bytesPerSample));
    Put16(s, unsigned(bytesPerSample));
    Put16(s, unsigned(bits));
    EndChunk(s, fmt);
    std::size_t data = BeginChunk(s, "data");
    for (float v : sound.Samples) {
        v = std::clamp(v, -1.0f, 1.0f);
        if (bits == 8) {
            s += char(Byte(std::lround(v * 127.0f) + 128));
        } else {
            Put16(s, unsigned(std::uint16_t(std::int16_t(std::lround(v * 32767.0f)))));
        }
    }
    EndChunk(s, data);
    EndChunk(s, riff);
    return s;
}

bool ParseWav16(const std::string& bytes, TPcm& out) {
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return false;
    unsigned channels = 0, bits = 0;
    std::size_t pos = 12;
    while (pos + 8 <= bytes.size()) {
        std::string id = bytes.substr(pos, 4);
        std::size_t size = Get32(bytes, pos + 4);
        std::size_t body = pos + 8;
        // A synthesiser writing to a pipe leaves the sizes unset; take the rest.
        if (size == 0xFFFFFFFF || body + size > bytes.size()) size = bytes.size() - body;
        if (id == "fmt " && size >= 16) {
            if (Get16(bytes, body) != 1) return false;
            channels = Get16(bytes, body + 2);
            out.Rate = int(Get32(bytes, body + 4));
            bits = Get16(bytes, body + 14);
        } else if (id == "data") {
            if (bits != 16 || channels == 0) return false;
            out.Samples.clear();
            const std::size_t frame = 2 * channels;
            for (std::size_t at = body; at + frame <= body + size; at += frame) {
                auto v = std::int16_t(Get16(bytes, at));
                out.Samples.push_back(float(v) / 32768.0f);
            }
            return true;
        }
        pos = body + size + (size % 2);
    }
    return false;
}

std::string AviUncompressed(const std::vector<Surface>& frames, int framesPerSecond) {
    const int w = frames.front().width, h = frames.front().height;
    const int stride = (3 * w + 3) & ~3;
    TFrameFormat format{w, h, 24, 0, std::uint32_t(stride * h), {}};
    std::vector<std::string> chunks;
    for (const Surface& f : frames) {
        std::string bits;
        for (int y = h - 1; y >= 0; --y) {
            bits.append(reinterpret_cast<const char*>(f.Row(y)), std::size_t(3 * w));
            bits.append(std::size_t(stride - 3 * w), '\0');
        }
        chunks.push_back(std::move(bits));
    }
    return Avi(format, chunks, framesPerSecond);
}

Byte Rle8PaletteIndex(TColor c) {
    return Byte((CubeLevel(GetRValue(c), CubeR) * CubeG + CubeLevel(GetGValue(c), CubeG)) * CubeB +
                CubeLevel(GetBValue(c), CubeB));
}

TColor Rle8PaletteColour(Byte index) {
    int b = index % CubeB, g = (index / CubeB) % CubeG, r = index / (CubeB * CubeG);
    if (r >= CubeR) return clBlack;
    return RGBColor(r * 255 / (CubeR - 1), g * 255 / (CubeG - 1), b * 255 / (CubeB - 1));
}

std::string AviRle8(const std::vector<Surface>& frames, int framesPerSecond) {
    const int w = frames.front().width, h = frames.front().height;
    TFrameFormat format{w, h, 8, 1, 0, {}};
    for (int i = 0; i < 256; ++i) {
        TColor c = Rle8PaletteColour(Byte(i));
        format.Palette += char(GetBValue(c));
        format.Palette += char(GetGValue(c));
        format.Palette += char(GetRValue(c));
        format.Palette += '\0';
    }
    std::vector<std::string> chunks;
    for (const Surface& f : frames) {
        std::string bits;
        for (int y = h - 1; y >= 0; --y) {
            int x = 0;
            while (x < w) {
                Byte index = Rle8PaletteIndex(f.Get(x, y));
                int run = 1;
                while (x + run < w && run < 255 && Rle8PaletteIndex(f.Get(x + run, y)) == index) ++run;
                bits += char(run);
                bits += char(index);
                x += run;
            }
            bits += '\0';
            bits += char(y == 0 ? 1 : 0);  // end of line, or end of picture after the last
        }
        format.ImageSize = std::max(format.ImageSize, std::uint32_t(bits.size()));
        chunks.push_back(std::move(bits));
    }
    return Avi(format, chunks, framesPerSecond);
}

std::string CursorFile(const std::vector<std::string>& rows, int hotX, int hotY) {
    std::string s;
    Put16(s, 0);
    Put16(s, 2);  // cursor
    Put16(s, 1);
    s += char(32);
    s += char(32);
    s += char(2);
    s += char(0);
    Put16(s, unsigned(hotX));
    Put16(s, unsigned(hotY));
    Put32(s, 40 + 8 + 128 + 128);
    Put32(s, 22);
    Put32(s, 40);
    Put32(s, 32);
    Put32(s, 64);  // XOR and AND masks
    Put16(s, 1);
    Put16(s, 1);
    Put32(s, 0);
    Put32(s, 256);
    Put32(s, 0);
    Put32(s, 0);
    Put32(s, 2);
    Put32(s, 0);
    Put32(s, 0x00000000);  // black
    Put32(s, 0x00FFFFFF);  // white
    std::string xorMask, andMask;
    for (int y = 31; y >= 0; --y) {
        const std::string row = y < int(rows.size()) ? rows[std::size_t(y)] : std::string();
        for (int byte = 0; byte < 4; ++byte) {
            Byte xr = 0, an = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = byte * 8 + bit;
                const char c = x < int(row.size()) ? row[std::size_t(x)] : ' ';
                const Byte m = Byte(0x80 >> bit);
                if (c == 'o') xr |= m;
                else if (c != 'X') an |= m;
            }
            xorMask += char(xr);
            andMask += char(an);
        }
    }
    return s + xorMask + andMask;
}
