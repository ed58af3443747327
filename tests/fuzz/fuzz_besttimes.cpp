// The best-times file "hasic.dat": read as the table reads it, written back
// and read again. What is read is at most ten rows of whole seconds with
// names that cannot break a line, and writing what was read is stable.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "simulations/BestTimes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<TTableRow> rows =
        ParseBestTimes(std::string_view(reinterpret_cast<const char*>(data), size));
    if (rows.size() > BestTimesRows) std::abort();
    std::array<TTableRow, BestTimesRows> ten{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].Time < 0 || rows[i].Name.find('|') != std::string::npos) std::abort();
        ten[i] = rows[i];
    }
    const std::string written = FormatBestTimes(ten);
    const std::vector<TTableRow> again = ParseBestTimes(written);
    if (again.size() != BestTimesRows) std::abort();
    std::array<TTableRow, BestTimesRows> tenAgain{};
    for (std::size_t i = 0; i < again.size(); ++i) {
        if (again[i].Time != ten[i].Time) std::abort();
        tenAgain[i] = again[i];
    }
    if (FormatBestTimes(tenAgain) != written) std::abort();
    FormatTime(rows.empty() ? 0 : rows[0].Time);
    return 0;
}
