#include <algorithm>

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/gfx/bmp.h"
#include "platform/gfx/graphics.h"

TBitmap::TBitmap() : canvas_(&surface_) {}

TBitmap::~TBitmap() = default;

void TBitmap::LoadFromFile(const String& fileName) {
    const std::string bytes = ReadDataFile(fileName, file_limit::kPicture);
    try {
        LoadFromMemory(reinterpret_cast<const Byte*>(bytes.data()), bytes.size());
    } catch (const EInvalidGraphic& e) {
        throw EFOpenError(fileName, e.Message);
    }
}

void TBitmap::LoadFromStream(TStream& stream) {
    const std::int64_t left = stream.GetSize() - stream.GetPosition();
    std::vector<Byte> bytes(std::size_t(std::max<std::int64_t>(left, 0)));
    stream.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
    LoadFromMemory(bytes.data(), bytes.size());
}

void TBitmap::LoadFromMemory(const Byte* data, std::size_t size) {
    bmp::Picture picture = bmp::Decode(data, size);
    surface_ = std::move(picture.surface);
    PixelFormat = picture.format;
}

void TBitmap::SaveToFile(const String& fileName) const {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

void TBitmap::SaveToStream(TStream& stream) const {
    const std::vector<Byte> bytes = bmp::Encode(surface_);
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TBitmap::Assign(const TBitmap* other) {
    if (other == this) {
        return;
    }
    if (other == nullptr) {
        surface_ = Surface{};
        return;
    }
    surface_ = other->surface_;
    PixelFormat = other->PixelFormat;
    Transparent = other->Transparent;
    TransparentColor = other->TransparentColor;
}

void TBitmap::SetWidth(int w) { SetSize(w, Height()); }

void TBitmap::SetHeight(int h) { SetSize(Width(), h); }

void TBitmap::SetSize(int w, int h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (w > bmp::kMaxSide || h > bmp::kMaxSide || std::int64_t(w) * h > bmp::kMaxPixels) {
        throw EOutOfResources("Out of system resources");
    }
    surface_.Resize(w, h, clWhite);
}

Byte* TBitmap::ScanLine(int y) {
    return const_cast<Byte*>(static_cast<const TBitmap*>(this)->ScanLine(y));
}

const Byte* TBitmap::ScanLine(int y) const {
    if (y < 0 || y >= surface_.height) {
        throw EInvalidGraphic("Scan line index out of range");
    }
    return surface_.Row(y);
}
