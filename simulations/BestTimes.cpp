#include "simulations/BestTimes.h"

#include <algorithm>

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/core/strings.h"

namespace {

// A line's row, or false when the line cannot be read.
bool ParseRow(const String& Line, TTableRow& Row) {
    const std::size_t bar = Line.find('|');
    const String time = bar == String::npos ? Line : Line.substr(bar + 1);
    try {
        Row.Time = StrToInt(time);
    } catch (const EConvertError&) {
        return false;
    }
    if (Row.Time < 0) return false;
    Row.Name = bar == String::npos ? String() : Line.substr(0, bar);
    return true;
}

// The name without what would break its line.
String FileName(const String& Name) {
    String out;
    std::size_t pos = 0;
    while (pos < Name.size()) {
        const char32_t ch = NextCodePoint(Name, pos);
        if (IsNameCharacter(ch)) AppendUtf8(out, ch);
    }
    return out;
}

// Takes the rows of the lines in Text into Rows, up to ten; the bytes from
// where it stopped: after the tenth row, or at a line whose end is not in
// Text yet (unless AtEnd: the file ends there).
std::size_t TakeRows(std::string_view Text, bool AtEnd, std::vector<TTableRow>& Rows) {
    std::size_t start = 0;
    while (start < Text.size() && int(Rows.size()) < BestTimesRows) {
        std::size_t end = Text.find_first_of("\r\n", start);
        // A CR as the last byte read may be the first half of CR LF.
        if (!AtEnd && (end == std::string_view::npos || (Text[end] == '\r' && end + 1 == Text.size()))) break;
        if (end == std::string_view::npos) end = Text.size();
        TTableRow row;
        if (ParseRow(Cp1250ToUtf8(Text.substr(start, end - start)), row)) Rows.push_back(std::move(row));
        start = end + (end < Text.size() && Text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    return std::min(start, Text.size());
}

}  // namespace

std::vector<TTableRow> ParseBestTimes(std::string_view Bytes) {
    std::vector<TTableRow> rows;
    TakeRows(Bytes, true, rows);
    return rows;
}

std::vector<TTableRow> ReadBestTimes(const String& FileName) {
    TDataFile file(FileName);
    std::vector<TTableRow> rows;
    std::string pending;  // the lines not taken yet
    std::int64_t read = 0;
    char block[4096];
    while (int(rows.size()) < BestTimesRows) {
        const auto want = std::size_t(std::min<std::int64_t>(sizeof block, file_limit::kBestTimes - read));
        const std::size_t n = file.Read(block, want);
        read += std::int64_t(n);
        pending.append(block, n);
        // The file's end ends its last line; a line cut at the limit is none.
        const bool atLimit = read == file_limit::kBestTimes;
        char probe = 0;
        const bool fileEnded = n < want || (atLimit && file.Read(&probe, 1) == 0);
        // Rows are taken when a line has ended, so a long line is looked
        // through once.
        const bool lineEnded = std::string_view(block, n).find_first_of("\r\n") != std::string_view::npos;
        if (lineEnded || fileEnded || atLimit) pending.erase(0, TakeRows(pending, fileEnded, rows));
        if (fileEnded || atLimit) break;
    }
    return rows;
}

std::string FormatBestTimes(std::span<const TTableRow, BestTimesRows> Rows) {
    String text;
    for (const TTableRow& row : Rows) text += FileName(row.Name) + "|" + IntToStr(row.Time) + "\r\n";
    return Utf8ToCp1250(text);
}

bool IsNameCharacter(char32_t Ch) { return Ch >= 0x20 && Ch != 0x7F && Ch != '|'; }

String FormatTime(int Seconds) {
    const int rest = Seconds % 60;
    return IntToStr(Seconds / 60) + (rest < 10 ? ":0" : ":") + IntToStr(rest);
}
