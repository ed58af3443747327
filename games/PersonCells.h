// The hot areas of the round games that show persons or name plates, and how
// a round's pictures are put into them.
#pragma once

#include "shell/UMisc.h"

// The sound game and "Kdo to je" B show ten persons in two rows of five
// cells of 98x144 from left 75, the second row right below the first.
inline constexpr int PersonCellCount = 10;
inline constexpr int PersonCellWidth = 98, PersonCellHeight = 144;

// Cell 1..10.
inline TRect PersonCellBounds(int Cell, int FirstRowTop) {
    const int column = (Cell - 1) % 5, row = (Cell - 1) / 5;
    return Bounds(75 + PersonCellWidth * column, FirstRowTop + PersonCellHeight * row, PersonCellWidth,
                  PersonCellHeight);
}

// Copies the picture's top-left part, unscaled, into Target at the area's
// bounds.
inline void CopyIntoArea(TBitmap* Target, const TControl* Area, TBitmap* Picture) {
    BitBlt(Target->Canvas(), Area->Left(), Area->Top(), Area->Width(), Area->Height(), Picture->Canvas(), 0, 0,
           SRCCOPY);
}
