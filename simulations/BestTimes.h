// The firefighter's best times as they are kept in "hasic.dat": ten lines of
// name, "|" and whole seconds, in code page 1250; how they are read, written
// and shown as "m:ss". The file is replaced atomically (ReplaceFileAtomically),
// so no best time is ever lost to a crash or a full disk.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "platform/core/types.h"

// The rows the file holds.
inline constexpr int BestTimesRows = 10;

struct TTableRow {
    String Name;
    int Time = 0;  // whole seconds; 0: an empty row
    bool operator==(const TTableRow&) const = default;
};

// The good rows of a best-times file, in their order, at most ten: a line
// is a name, "|" and a whole number of seconds (a line without "|" is all
// time and no name). A line that cannot be read (no number, a negative one)
// is skipped and the lines after it are still read.
std::vector<TTableRow> ParseBestTimes(std::string_view Bytes);
// The good rows of the best-times file, read only as far as they go (and
// never further than file_limit::kBestTimes); EFOpenError when it cannot be
// read.
std::vector<TTableRow> ReadBestTimes(const String& FileName);

// The ten rows as the file holds them: "name|time" with CR LF each, an empty
// row as "|0", in code page 1250 (a character outside it becomes "?"). A
// name never breaks its line: "|" and control characters are left out.
std::string FormatBestTimes(std::span<const TTableRow, BestTimesRows> Rows);

// Whether a character may be part of a name: anything printable but "|".
bool IsNameCharacter(char32_t Ch);

// Whole seconds as "m:ss": 0:05, 1:30, 12:00.
String FormatTime(int Seconds);
