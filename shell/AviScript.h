// The lines of an animation script ("detaily\" + code + ".dat"): line 0 the
// animation's name, line 1 the drawing position "X,Y", lines 2 and 3 not
// read, from line 4 on one entry "frame x milliseconds" each.
#pragma once

#include <vector>

#include "platform/core/classes.h"

struct TAviEntry {
    int Frame;
    int Ms;
};

// The entries from line 4 on, in file order; a line that is not two integers
// split by "x" raises EConvertError.
std::vector<TAviEntry> ReadAviEntries(const TStrings& Script);
// Line 1 as two integers split by ","; EListError when there is no line 1,
// EConvertError when it is malformed.
TPoint ReadAviPosition(const TStrings& Script);
