#include "platform/media/modules/avifil32/avi_stream.h"

#include <cstring>

#include "platform/media/dib_format.h"

namespace avi {

std::unique_ptr<Stream> Stream::Open(const std::uint8_t* data, std::size_t size) {
    std::optional<VideoStream> video = ParseAvi(data, size);
    if (!video) return nullptr;
    return std::unique_ptr<Stream>(new Stream(std::vector<std::uint8_t>(data, data + size), std::move(*video)));
}

Stream::Stream(std::vector<std::uint8_t> file, VideoStream video)
    : file_(std::move(file)), video_(std::move(video)), codec_(CodecOf(video_.format)) {
    const VideoFormat& f = video_.format;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = f.width;
    header.biHeight = f.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = DibStride(f.width, 24) * std::uint32_t(f.height);
    dib_.resize(sizeof header + header.biSizeImage);
    std::memcpy(dib_.data(), &header, sizeof header);
    canvas_.width = f.width;
    canvas_.height = f.height;
    canvas_.bgr = dib_.data() + sizeof header;
    canvas_.stride = DibStride(f.width, 24);
    if (IsPalettised(codec_)) canvas_.indices.resize(std::size_t(f.width) * std::size_t(f.height));
}

const void* Stream::Frame(std::int32_t pos) {
    if (pos < 0 || pos >= Length() || codec_ == Codec::Unsupported) return nullptr;
    if (pos == held_) return dib_.data();
    bool ok = IsIntraOnly(codec_) ? DecodeIntra(pos) : DecodeFromKey(pos);
    held_ = ok ? pos : -1;
    return ok ? dib_.data() : nullptr;
}

bool Stream::DecodeOne(std::int32_t pos) {
    const FrameRef& f = video_.frames[std::size_t(pos)];
    if (!f.valid) return false;
    if (f.size == 0) return true;  // an empty chunk repeats the frame before
    return DecodeFrame(codec_, video_.format, file_.data() + f.offset, f.size, canvas_);
}

bool Stream::DecodeIntra(std::int32_t pos) {
    // Empty chunks repeat the picture before them.
    std::int32_t source = pos;
    while (source > 0 && video_.frames[std::size_t(source)].valid && video_.frames[std::size_t(source)].size == 0)
        --source;
    if (video_.frames[std::size_t(source)].size == 0) return false;
    return DecodeOne(source);
}

bool Stream::DecodeFromKey(std::int32_t pos) {
    std::int32_t key = pos;
    while (key > 0 && !video_.frames[std::size_t(key)].key) --key;
    std::int32_t start = key;
    if (held_ >= key && held_ < pos) {
        start = held_ + 1;
    } else {
        ClearCanvas(canvas_);
    }
    for (std::int32_t i = start; i <= pos; ++i)
        if (!DecodeOne(i)) return false;
    if (IsPalettised(codec_)) ResolvePalette(video_.format, canvas_);
    return true;
}

}  // namespace avi
