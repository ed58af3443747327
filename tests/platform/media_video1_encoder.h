// A Video 1 encoder for the tests: whole blocks skipped, filled, painted
// with two colours or with two colours a quarter, as the picture allows.
#pragma once

#include <set>
#include <stdexcept>
#include <vector>

#include "tests/platform/media_avi_writer.h"

namespace media_test {

// values: top-down, palette indices (8-bit) or 5-5-5 colours (16-bit).
struct Video1Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint16_t> values;
    std::uint16_t At(int x, int y) const { return values[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

class Video1Encoder {
public:
    explicit Video1Encoder(bool colour15) : colour15_(colour15) {}

    // prev: the picture the frame is coded over, or nullptr for a key frame.
    Bytes Encode(const Video1Picture& pic, const Video1Picture* prev) {
        out_.clear();
        unsigned skipped = 0;
        for (int by = 0; by < pic.height / 4; ++by)
            for (int bx = 0; bx < pic.width / 4; ++bx) {
                std::uint16_t v[16];
                bool same = prev != nullptr;
                for (int i = 0; i < 16; ++i) {
                    int x = bx * 4 + i % 4, y = pic.height - 1 - (by * 4 + i / 4);
                    v[i] = pic.At(x, y);
                    if (prev && prev->At(x, y) != v[i]) same = false;
                }
                if (same && skipped < 1023) {
                    ++skipped;
                    continue;
                }
                FlushSkip(skipped);
                Block(v);
            }
        FlushSkip(skipped);
        return out_;
    }

private:
    void Code(unsigned flags) { Add16(out_, flags); }
    void Colour(std::uint16_t c) {
        if (colour15_) Add16(out_, c);
        else out_.push_back(std::uint8_t(c));
    }
    void FlushSkip(unsigned& skipped) {
        if (skipped) Code(((0x84 + (skipped >> 8)) << 8) | (skipped & 0xFF));
        skipped = 0;
    }

    void Block(const std::uint16_t* v) {
        std::set<std::uint16_t> distinct(v, v + 16);
        if (distinct.size() == 1) {
            unsigned code = colour15_ ? (v[0] | 0x8000u) : (0x8000u | v[0]);
            if (((code >> 8) & 0xFC) != 0x84) {
                Code(code);
                return;
            }
        }
        if (distinct.size() <= 2) {
            std::uint16_t c0 = *distinct.begin(), c1 = *distinct.rbegin();
            if (v[15] == c0) std::swap(c0, c1);  // the top bit must stay clear
            unsigned flags = 0;
            for (int i = 0; i < 16; ++i)
                if (v[i] == c0 && c0 != c1) flags |= 1u << i;
            Code(flags);
            Colour(c0);
            Colour(c1);
            return;
        }
        // Two colours a quarter; the first colour of the first quarter marks
        // the mode in 16-bit frames, the top code byte in 8-bit ones.
        std::uint16_t colours[8];
        for (int q = 0; q < 4; ++q) {
            std::set<std::uint16_t> inQuarter;
            for (int i = 0; i < 16; ++i)
                if (QuarterOf(i) == q) inQuarter.insert(v[i]);
            if (inQuarter.size() > 2) throw std::logic_error("block not codable");
            colours[2 * q] = *inQuarter.begin();
            colours[2 * q + 1] = *inQuarter.rbegin();
        }
        // 8-bit: pixels 12 and 15 must take the first colour of their quarter
        // (code byte >= 0x90); 16-bit: pixel 15 the second (top bit clear).
        auto prefer = [&](int pixel, bool first) {
            int q = QuarterOf(pixel);
            if ((v[pixel] == colours[2 * q]) != first) std::swap(colours[2 * q], colours[2 * q + 1]);
        };
        if (colour15_) prefer(15, false);
        else {
            prefer(12, true);
            prefer(15, true);
        }
        unsigned flags = 0;
        for (int i = 0; i < 16; ++i)
            if (v[i] == colours[2 * QuarterOf(i)]) flags |= 1u << i;
        if (!colour15_) flags |= 0x9000;  // already set by the choice above
        Code(flags);
        for (int i = 0; i < 8; ++i) Colour(std::uint16_t(i == 0 && colour15_ ? colours[0] | 0x8000 : colours[i]));
    }

    static int QuarterOf(int i) { return ((i / 4) & 2) + ((i % 4) & 2) / 2; }

    bool colour15_;
    Bytes out_;
};

}  // namespace media_test
