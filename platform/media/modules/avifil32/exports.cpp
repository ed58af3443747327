// The module's C entry points (see module_abi.h).
#include <memory>

#include "platform/media/modules/avifil32/avi_stream.h"
#include "platform/media/modules/module_abi.h"

struct VelamoAviStream {
    std::unique_ptr<avi::Stream> stream;
};

extern "C" {

VelamoAviStream* velamo_avi_open(const std::uint8_t* data, std::size_t size) {
    if (!data) return nullptr;
    std::unique_ptr<avi::Stream> stream = avi::Stream::Open(data, size);
    return stream ? new VelamoAviStream{std::move(stream)} : nullptr;
}

void velamo_avi_close(VelamoAviStream* stream) { delete stream; }

std::int32_t velamo_avi_length(VelamoAviStream* stream) { return stream ? stream->stream->Length() : 0; }

const void* velamo_avi_frame(VelamoAviStream* stream, std::int32_t pos) {
    return stream ? stream->stream->Frame(pos) : nullptr;
}
}
