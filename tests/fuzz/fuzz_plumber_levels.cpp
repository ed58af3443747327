// The plumber's level file: any bytes read as "instA.dat" is; every line
// kept as a level keeps the rules of a level.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/core/classes.h"
#include "simulations/PlumberLevels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMemoryStream stream;
    stream.Write(data, std::int64_t(size));
    stream.SetPosition(0);
    TStringList lines;
    lines.LoadFromStream(stream);
    for (const TPlumberLevel& l : ParsePlumberLevels(lines)) {
        const bool inGrid = l.ValveRow >= 1 && l.ValveRow <= 6 && l.ValveColumn >= 1 && l.ValveColumn <= 8 &&
                            l.BasinRow >= 2 && l.BasinRow <= 6 && l.BasinColumn >= 1 && l.BasinColumn <= 8;
        if (!inGrid || (l.ValveRow == l.BasinRow && l.ValveColumn == l.BasinColumn)) std::abort();
        for (int s : l.Stock)
            if (s < 0 || s > 20) std::abort();
    }
    return 0;
}
