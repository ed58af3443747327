#include "simulations/PlumberLevels.h"

#include "platform/core/exceptions.h"
#include "platform/core/strings.h"
#include "simulations/PlumberTables.h"

namespace {

// The field as an integer in Low..High; false for anything else (a value
// below Low stands for "not an integer", as no valid field has one).
bool Field(const String& Text, int Low, int High, int& Value) {
    Value = StrToIntDef(Text, Low - 1);
    return Value >= Low && Value <= High;
}

}  // namespace

bool ParsePlumberLevelLine(const String& Line, TPlumberLevel& Level) {
    TStringList fields;
    fields.SetCommaText(Line);
    if (fields.Count() != 10) return false;
    TPlumberLevel level{};
    if (!Field(fields[0], 1, PlumberARows, level.ValveRow) || !Field(fields[1], 1, PlumberAColumns, level.ValveColumn) ||
        !Field(fields[2], 2, PlumberARows, level.BasinRow) || !Field(fields[3], 1, PlumberAColumns, level.BasinColumn))
        return false;
    if (level.ValveColumn == level.BasinColumn) {
        // One cell, or the valve in the cell above the washbasin, which must
        // stay free: a level that no laying of pipes can win.
        if (level.ValveRow == level.BasinRow || level.ValveRow == level.BasinRow - 1) return false;
    }
    for (int k = 0; k < 6; ++k)
        if (!Field(fields[k + 4], 0, PlumberAMaxStock, level.Stock[std::size_t(k)])) return false;
    // Without a piece no pipe can reach the valve.
    int pieces = 0;
    for (int stock : level.Stock) pieces += stock;
    if (pieces == 0) return false;
    Level = level;
    return true;
}

std::vector<TPlumberLevel> ParsePlumberLevels(const TStrings& Lines) {
    std::vector<TPlumberLevel> levels;
    TPlumberLevel level{};
    for (const String& line : Lines.Items())
        if (ParsePlumberLevelLine(line, level)) levels.push_back(level);
    return levels;
}

std::vector<TPlumberLevel> LoadPlumberLevels(const String& FileName) {
    TStringList lines;
    lines.LoadFromFile(FileName);
    std::vector<TPlumberLevel> levels = ParsePlumberLevels(lines);
    // A level file without one usable level is as good as missing. The
    // program ends on the file-open failure; it is raised here for that.
    if (levels.empty()) throw EFOpenError(FileName, 0);
    return levels;
}
