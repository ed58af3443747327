// Random access to the frames of a video stream: a frame is decoded from
// the key frame at or before it, and the last decoded frame is kept, so
// fetching the frames in order decodes each once.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/media/modules/avifil32/avi_parser.h"
#include "platform/media/modules/avifil32/frame_decoders.h"

namespace avi {

class Stream {
public:
    // nullptr when the bytes hold no readable video stream.
    static std::unique_ptr<Stream> Open(const std::uint8_t* data, std::size_t size);

    std::int32_t Length() const { return std::int32_t(video_.frames.size()); }
    // The frame as a packed 24-bit bottom-up DIB, valid until the next call;
    // nullptr when out of range or undecodable.
    const void* Frame(std::int32_t pos);

private:
    Stream(std::vector<std::uint8_t> file, VideoStream video);
    bool DecodeOne(std::int32_t pos);
    bool DecodeIntra(std::int32_t pos);
    bool DecodeFromKey(std::int32_t pos);

    std::vector<std::uint8_t> file_;
    VideoStream video_;
    Codec codec_;
    std::vector<std::uint8_t> dib_;  // header, then the rows the canvas paints
    Canvas canvas_;
    std::int32_t held_ = -1;         // the frame the canvas holds
};

}  // namespace avi
