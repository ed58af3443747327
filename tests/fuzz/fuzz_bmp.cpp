// Feeds arbitrary bytes to the BMP reader: it must either load a picture or
// raise one of the platform's exceptions, never crash or read past the end.
#include <cstddef>
#include <cstdint>

#include "platform/core/exceptions.h"
#include "platform/gfx/graphics.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TBitmap bitmap;
    try {
        bitmap.LoadFromMemory(data, size);
    } catch (const Exception&) {
        return 0;
    }
    // A loaded picture must be whole: every row readable.
    volatile Byte sink = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
        sink = Byte(sink + bitmap.ScanLine(y)[bitmap.Width() * 3 - 1]);
    }
    return 0;
}
