// One entry of a picture menu: pictures Name + "1.bmp" (normal) and
// Name + "2.bmp" (hover) in the menu's folder, drawn at Position; HotArea is
// the entry's clickable rectangle, not the picture's.
#pragma once

#include "platform/core/types.h"

struct TMenuEntry {
    Byte Tag;
    const char* Name;
    TPoint Position;
    TRect HotArea;  // Left, Top, Right, Bottom
};
