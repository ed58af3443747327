#include "platform/media/modules/avifil32/avi_parser.h"

#include <cstring>

namespace avi {

namespace {

constexpr std::uint32_t kIndexKeyFrame = 0x10;
constexpr std::uint32_t kIndexList = 0x01;
constexpr std::size_t kMaxFrames = 1u << 20;

// Bounds-checked little-endian view of the file.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::size_t Size() const { return size_; }
    bool Has(std::size_t pos, std::size_t count) const { return pos <= size_ && count <= size_ - pos; }
    std::uint32_t U32(std::size_t pos) const {
        return Has(pos, 4) ? std::uint32_t(data_[pos]) | std::uint32_t(data_[pos + 1]) << 8 |
                                 std::uint32_t(data_[pos + 2]) << 16 | std::uint32_t(data_[pos + 3]) << 24
                           : 0;
    }
    std::uint16_t U16(std::size_t pos) const {
        return Has(pos, 2) ? std::uint16_t(data_[pos] | data_[pos + 1] << 8) : 0;
    }
    bool Is(std::size_t pos, const char* fourcc) const {
        return Has(pos, 4) && std::memcmp(data_ + pos, fourcc, 4) == 0;
    }
    bool Same(std::size_t a, std::size_t b) const {
        return Has(a, 4) && Has(b, 4) && std::memcmp(data_ + a, data_ + b, 4) == 0;
    }
    const std::uint8_t* At(std::size_t pos) const { return data_ + pos; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// One chunk inside [.., end): its id at pos, its data clipped to end.
struct Chunk {
    std::size_t pos;
    std::size_t dataStart;
    std::size_t dataEnd;
    std::size_t next;  // the following chunk, after the odd-size pad byte
};

bool ReadChunk(const Bytes& b, std::size_t pos, std::size_t end, Chunk& c) {
    if (pos + 8 > end || !b.Has(pos, 8)) return false;
    std::size_t size = b.U32(pos + 4);
    c.pos = pos;
    c.dataStart = pos + 8;
    c.dataEnd = size > end - c.dataStart ? end : c.dataStart + size;
    c.next = c.dataStart + size + (size & 1);
    if (c.next < c.dataStart) c.next = end;  // wrapped: nothing follows
    return true;
}

template <typename Visit>
void ForEachChunk(const Bytes& b, std::size_t pos, std::size_t end, Visit visit) {
    Chunk c;
    while (ReadChunk(b, pos, end, c)) {
        visit(c);
        if (c.next <= pos) break;
        pos = c.next;
    }
}

struct StreamIds {
    char digits[2];
    bool Matches(const Bytes& b, std::size_t pos) const {
        if (!b.Has(pos, 4)) return false;
        const std::uint8_t* id = b.At(pos);
        return id[0] == digits[0] && id[1] == digits[1] &&
               ((id[2] == 'd' && id[3] == 'b') || (id[2] == 'd' && id[3] == 'c'));
    }
};

std::optional<VideoFormat> ReadFormat(const Bytes& b, const Chunk& strf) {
    std::size_t length = strf.dataEnd - strf.dataStart;
    if (length < 40) return std::nullopt;
    std::size_t p = strf.dataStart;
    std::uint32_t headerSize = b.U32(p);
    std::int32_t width = std::int32_t(b.U32(p + 4));
    std::int32_t height = std::int32_t(b.U32(p + 8));
    VideoFormat f;
    f.bitCount = b.U16(p + 14);
    f.compression = b.U32(p + 16);
    std::uint32_t colours = b.U32(p + 32);
    if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide) return std::nullopt;
    if (headerSize < 40 || headerSize > length) headerSize = 40;
    f.width = width;
    f.height = height < 0 ? -height : height;
    f.topDown = height < 0;
    if (colours == 0 && f.bitCount <= 8) colours = 1u << f.bitCount;
    f.palette = dib::ReadPalette(b.At(p + headerSize), length - headerSize, colours);
    return f;
}

struct HeaderScan {
    int streamIndex = 0;
    std::optional<VideoFormat> format;
    StreamIds ids{};
};

void ReadStreamList(const Bytes& b, const Chunk& strl, HeaderScan& scan) {
    bool isVideo = false;
    std::optional<Chunk> strf;
    ForEachChunk(b, strl.dataStart + 4, strl.dataEnd, [&](const Chunk& c) {
        if (b.Is(c.pos, "strh") && b.Is(c.dataStart, "vids")) isVideo = true;
        if (b.Is(c.pos, "strf")) strf = c;
    });
    if (!scan.format && isVideo && strf) {
        scan.format = ReadFormat(b, *strf);
        if (scan.format) scan.ids = StreamIds{{char('0' + scan.streamIndex / 10 % 10), char('0' + scan.streamIndex % 10)}};
    }
    ++scan.streamIndex;
}

void AddFrame(const Bytes& b, VideoStream& stream, std::size_t chunkPos, std::size_t end, bool key) {
    if (stream.frames.size() >= kMaxFrames) return;
    FrameRef f;
    Chunk c;
    if (ReadChunk(b, chunkPos, end, c)) {
        f.offset = c.dataStart;
        f.size = c.dataEnd - c.dataStart;
        f.valid = true;
    }
    f.key = key;
    stream.frames.push_back(f);
}

void ScanMovie(const Bytes& b, std::size_t pos, std::size_t end, const StreamIds& ids, VideoStream& stream) {
    ForEachChunk(b, pos, end, [&](const Chunk& c) {
        if (b.Is(c.pos, "LIST") && b.Is(c.dataStart, "rec ")) ScanMovie(b, c.dataStart + 4, c.dataEnd, ids, stream);
        else if (ids.Matches(b, c.pos)) AddFrame(b, stream, c.pos, end, stream.frames.empty());
    });
}

void ReadIndex(const Bytes& b, const Chunk& idx1, std::size_t movi, const StreamIds& ids, VideoStream& stream) {
    // The base of the offsets: the 'movi' fourcc, or the file start, as the
    // first entry shows by pointing at a chunk with its own id.
    std::size_t base = movi;
    for (std::size_t e = idx1.dataStart; e + 16 <= idx1.dataEnd; e += 16) {
        if (b.U32(e + 4) & kIndexList) continue;
        std::size_t offset = b.U32(e + 8);
        if (!b.Same(e, movi + offset) && b.Same(e, offset)) base = 0;
        break;
    }
    for (std::size_t e = idx1.dataStart; e + 16 <= idx1.dataEnd; e += 16) {
        if (!ids.Matches(b, e)) continue;
        std::size_t chunk = base + b.U32(e + 8);
        bool key = b.U32(e + 4) & kIndexKeyFrame;
        if (b.Same(e, chunk)) AddFrame(b, stream, chunk, b.Size(), key);
        else stream.frames.push_back(FrameRef{0, 0, key, false});
        if (stream.frames.size() >= kMaxFrames) break;
    }
}

}  // namespace

std::optional<VideoStream> ParseAvi(const std::uint8_t* data, std::size_t size) {
    Bytes b(data, size);
    if (!b.Is(0, "RIFF") || !b.Is(8, "AVI ")) return std::nullopt;
    std::size_t riffEnd = size;
    std::size_t declared = std::size_t(b.U32(4)) + 8;
    if (declared >= 12 && declared < riffEnd) riffEnd = declared;

    HeaderScan scan;
    std::optional<Chunk> movi, idx1;
    ForEachChunk(b, 12, riffEnd, [&](const Chunk& c) {
        if (b.Is(c.pos, "LIST") && b.Is(c.dataStart, "hdrl")) {
            ForEachChunk(b, c.dataStart + 4, c.dataEnd, [&](const Chunk& h) {
                if (b.Is(h.pos, "LIST") && b.Is(h.dataStart, "strl")) ReadStreamList(b, h, scan);
            });
        } else if (b.Is(c.pos, "LIST") && b.Is(c.dataStart, "movi") && !movi) {
            movi = c;
        } else if (b.Is(c.pos, "idx1") && !idx1) {
            idx1 = c;
        }
    });
    if (!scan.format || !movi) return std::nullopt;

    VideoStream stream;
    stream.format = *scan.format;
    if (idx1) ReadIndex(b, *idx1, movi->dataStart, scan.ids, stream);
    if (stream.frames.empty()) ScanMovie(b, movi->dataStart + 4, movi->dataEnd, scan.ids, stream);
    return stream;
}

}  // namespace avi
