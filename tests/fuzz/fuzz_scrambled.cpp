// The scrambled profession text files: unscrambled, split into lines, and
// searched for sections as the detail page and the print library do.
#include <cstddef>
#include <cstdint>

#include "platform/core/classes.h"
#include "shell/UScramble.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMemoryStream stream;
    stream.Write(data, std::int64_t(size));
    stream.SetPosition(std::int64_t(size) / 2);  // worked from the first byte whatever the position
    ScrambleStream(stream);
    TStringList lines;
    lines.LoadFromStream(stream);
    for (const char* code : {"hajny", "muzikant", "", "[", "namor"}) {
        int key = FindSection(lines, code);
        if (key >= 0 && key + 1 < lines.Count()) {
            for (int i = key + 1; i < lines.Count() && !lines[i].empty() && lines[i][0] != '['; ++i) {
            }
        }
    }
    return 0;
}
