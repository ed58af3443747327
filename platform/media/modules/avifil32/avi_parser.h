// The RIFF structure of an AVI file: the format of its first video stream
// and where each of its frames lies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/media/modules/common/dib_pixels.h"

namespace avi {

struct FrameRef {
    std::size_t offset = 0;  // of the frame's data, after its chunk header
    std::size_t size = 0;
    bool key = false;
    bool valid = false;      // the index pointed at a chunk of the stream inside the file
};

struct VideoFormat {
    int width = 0;
    int height = 0;          // always positive; topDown tells the row order
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = 0;
    dib::Palette palette;
};

struct VideoStream {
    VideoFormat format;
    std::vector<FrameRef> frames;
};

// The largest frame side accepted; larger claims are taken as damage.
constexpr int kMaxSide = 4096;

// Reads the header lists, the movie list and the index (idx1, with offsets
// from the 'movi' fourcc or from the file start, whichever the entries
// match; without an index the movie list is scanned, 'rec ' lists
// included). Chunks of other streams, JUNK and unknown chunks are skipped.
// nullopt when the bytes hold no video stream with a usable format.
std::optional<VideoStream> ParseAvi(const std::uint8_t* data, std::size_t size);

}  // namespace avi
