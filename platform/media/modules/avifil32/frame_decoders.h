// Frame decoders of the video stream: uncompressed DIB rows, RLE8 and
// RLE4, and Video 1 (CRAM) with 8-bit palette or 15-bit colours. All work
// bottom row first, as the formats store their pictures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/media/modules/avifil32/avi_parser.h"

namespace avi {

enum class Codec { Unsupported, Rgb, Rle8, Rle4, Cram8, Cram16 };

Codec CodecOf(const VideoFormat& format);
// Every frame is a complete picture by itself (no delta frames).
bool IsIntraOnly(Codec codec);
// The codec paints palette indices that ResolvePalette turns into colours.
bool IsPalettised(Codec codec);

// The picture being built. Palettised codecs paint `indices` (width *
// height, bottom row first); the others paint `bgr` directly: the rows of a
// 24-bit bottom-up DIB, `stride` bytes each.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;
    std::uint8_t* bgr = nullptr;
    std::uint32_t stride = 0;
};

void ClearCanvas(Canvas& canvas);

// Paints one frame's data over the canvas (delta frames change only what
// they code). False when the data cannot be a frame of this format.
bool DecodeFrame(Codec codec, const VideoFormat& format, const std::uint8_t* data, std::size_t size, Canvas& canvas);

// Writes the colours of the painted indices into the 24-bit rows.
void ResolvePalette(const VideoFormat& format, Canvas& canvas);

}  // namespace avi
