// Cursor files (.cur) read into the cursor pictures the screen shows.
#pragma once

#include <cstddef>
#include <optional>

#include "platform/backend/backend.h"
#include "platform/core/types.h"

using HCURSOR = const backend::CursorData*;

// Loads a .cur file given by a program path. The cursor is kept for the
// life of the process. nullptr when the file is missing or malformed.
HCURSOR LoadCursorFromFileA(const char* name);

namespace media {

// The picture of a .cur file in memory: of its entries (BMP of 1, 4, 8, 24
// or 32 bits with the AND mask, or PNG of 8-bit RGB or RGBA), the one
// closest to 32x32 with the most colours that decodes. Pixels under a set
// AND mask are transparent, or black where the picture would invert the
// screen; 32-bit pictures with an alpha channel use it instead of the mask.
std::optional<backend::CursorImage> DecodeCursor(const Byte* data, std::size_t size);

}  // namespace media
