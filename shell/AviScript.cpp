#include "shell/AviScript.h"

#include <utility>

#include "platform/core/exceptions.h"
#include "platform/core/strings.h"

namespace {

// The two integers of a line split at the first `separator`; a line
// without it, or with something else than integers, raises EConvertError.
std::pair<int, int> SplitIntegers(const String& line, char separator) {
    const std::size_t at = line.find(separator);
    if (at == String::npos) throw EConvertError("'" + line + "' is not two integers split by " + separator);
    return {StrToInt(line.substr(0, at)), StrToInt(line.substr(at + 1))};
}

}  // namespace

std::vector<TAviEntry> ReadAviEntries(const TStrings& Script) {
    std::vector<TAviEntry> entries;
    for (int i = 4; i < Script.Count(); ++i) {
        const auto [frame, ms] = SplitIntegers(Script[i], 'x');
        entries.push_back({frame, ms});
    }
    return entries;
}

TPoint ReadAviPosition(const TStrings& Script) {
    const auto [x, y] = SplitIntegers(Script.Get(1), ',');
    return TPoint{x, y};
}
