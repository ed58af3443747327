// Cursor files (.cur) decoded from memory.
#include <cstddef>
#include <cstdint>

#include "platform/media/cursor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto image = media::DecodeCursor(data, size);
    if (image && image->argb.size() != std::size_t(image->width) * std::size_t(image->height)) __builtin_trap();
    if (image && (image->hotX < 0 || image->hotY < 0 || image->hotX >= image->width || image->hotY >= image->height))
        __builtin_trap();
    return 0;
}
