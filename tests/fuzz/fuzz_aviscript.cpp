// The lines of an animation script ("detaily\" + code + ".dat") read as the
// scripted video reads them: the entries from line 4 on and the drawing
// position of line 1. A malformed script raises the platform's exceptions.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/core/exceptions.h"
#include "platform/core/strings.h"
#include "shell/AviScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TStringList script;
    script.SetText(Cp1250ToUtf8(std::string_view(reinterpret_cast<const char*>(data), size)));
    try {
        const std::vector<TAviEntry> entries = ReadAviEntries(script);
        if (entries.size() != std::size_t(script.Count() > 4 ? script.Count() - 4 : 0)) __builtin_trap();
        ReadAviPosition(script);
    } catch (const Exception&) {
    }
    return 0;
}
