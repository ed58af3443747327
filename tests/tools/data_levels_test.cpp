// Every plumber level of "instA.dat" is valid and can be won: a small search
// lays all the level's pieces as one pipe from the washbasin to the valve.
#include <array>

#include "data_tree_support.h"

#include "platform/core/strings.h"

namespace {

enum : int { Top = 1, Right = 2, Bottom = 4, Left = 8 };
// Openings of kinds 1..6.
constexpr int Openings[6] = {Right | Bottom, Bottom | Left, Top | Left, Top | Right, Left | Right, Top | Bottom};

struct TLevel {
    int ValveRow, ValveColumn, BasinRow, BasinColumn;
    std::array<int, 6> Stock;
};

struct TSearch {
    TLevel Level;
    bool Used[7][9] = {};
    int Placed = 0, Total = 0;

    // Water enters (row, column) through side `from`.
    bool From(int row, int column, int from) {
        if (row == Level.ValveRow && column == Level.ValveColumn)
            return (from == Left || from == Right) && Placed == Total;
        if (row < 1 || row > 6 || column < 1 || column > 8 || Used[row][column]) return false;
        if (row == Level.BasinRow && column == Level.BasinColumn) return false;
        Used[row][column] = true;
        for (int k = 0; k < 6; ++k) {
            if (Level.Stock[std::size_t(k)] == 0 || !(Openings[k] & from)) continue;
            const int out = Openings[k] & ~from;
            --Level.Stock[std::size_t(k)];
            ++Placed;
            const int r = row + (out == Bottom) - (out == Top), c = column + (out == Right) - (out == Left);
            const int into = out == Top ? Bottom : out == Bottom ? Top : out == Left ? Right : Left;
            const bool won = From(r, c, into);
            ++Level.Stock[std::size_t(k)];
            --Placed;
            if (won) return true;
        }
        Used[row][column] = false;
        return false;
    }
};

}  // namespace

TEST(DataLevels, EveryPlumberLevelIsValidAndSolvable) {
    const std::string text = ReadBytes("instA.dat");
    ASSERT_FALSE(text.empty());
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << "a line without CR LF";
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    ASSERT_GE(lines.size(), 10u);
    for (const auto& line : lines) {
        SCOPED_TRACE(line);
        ASSERT_EQ(line.find(' '), std::string::npos);
        std::vector<int> v;
        for (std::size_t at = 0; at <= line.size();) {
            std::size_t end = line.find(',', at);
            if (end == std::string::npos) end = line.size();
            v.push_back(StrToInt(line.substr(at, end - at)));
            at = end + 1;
        }
        ASSERT_EQ(v.size(), 10u);
        TLevel level{v[0], v[1], v[2], v[3], {v[4], v[5], v[6], v[7], v[8], v[9]}};
        EXPECT_TRUE(level.ValveRow >= 1 && level.ValveRow <= 6 && level.ValveColumn >= 1 && level.ValveColumn <= 8);
        EXPECT_TRUE(level.BasinRow >= 2 && level.BasinRow <= 6 && level.BasinColumn >= 1 && level.BasinColumn <= 8);
        EXPECT_FALSE(level.ValveRow == level.BasinRow && level.ValveColumn == level.BasinColumn);
        int total = 0;
        for (int s : level.Stock) {
            EXPECT_TRUE(s >= 0 && s <= 20);
            total += s;
        }
        EXPECT_GE(total, 1);
        TSearch search{level};
        search.Total = total;
        // The basin takes water from above: the pipe starts in the cell over it.
        EXPECT_TRUE(search.From(level.BasinRow - 1, level.BasinColumn, Bottom)) << "no way to lay the pieces";
    }
}
