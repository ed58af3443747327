// Helpers for the plumber's tests: the program on the generated data tree
// (part A on a level file of the test's own), points of the grids and the
// palettes, the message window's buttons, and actions spaced so that no two
// presses make a double click.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "games/games_test_support.h"
#include "simulations/plumber_b_layout.h"
#include "platform/core/rtl.h"
#include "simulations/PlumberTables.h"
#include "simulations/USimulaceInstalater1.h"
#include "simulations/USimulaceInstalater2.h"

namespace plumbertest {

using namespace gametest;

inline TPoint CellCentreA(int col, int row) {
    return {PlumberAGridOrigin.X + (col - 1) * PlumberACell + PlumberACell / 2,
            PlumberAGridOrigin.Y + (row - 1) * PlumberACell + PlumberACell / 2};
}
inline TPoint CellCornerA(int col, int row) {
    return {PlumberAGridOrigin.X + (col - 1) * PlumberACell, PlumberAGridOrigin.Y + (row - 1) * PlumberACell};
}
inline TPoint CellCentreB(int col, int row) {
    return {PlumberBGridOrigin.X + (col - 1) * PlumberBCell + PlumberBCell / 2,
            PlumberBGridOrigin.Y + (row - 1) * PlumberBCell + PlumberBCell / 2};
}
inline TPoint CellCornerB(int col, int row) {
    return {PlumberBGridOrigin.X + (col - 1) * PlumberBCell, PlumberBGridOrigin.Y + (row - 1) * PlumberBCell};
}
// Palette entries: A's 1..7, B's 1..21.
inline TPoint PaletteA(int tag) {
    const TRect& r = PlumberAPaletteTable[tag - 1].Label;
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}
inline TPoint PaletteB(int tag) {
    for (const TPlumberBPaletteGroup& g : PlumberBPaletteTable)
        if (tag >= g.FirstTag && tag <= g.LastTag) {
            const TRect& r = g.Labels[tag - g.FirstTag];
            return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
        }
    return {};
}
constexpr TPoint kPartSwitch = {595, 447};
constexpr TPoint kYes = {241, 282};
constexpr TPoint kNo = {398, 282};
constexpr TPoint kOk = {320, 282};
constexpr TPoint kOffGrid = {300, 412};  // between the grid and the bar

// An ending of a round and the message window's answer to it.
struct AnswerCase {
    const char* name;
    bool solved;
    bool yes;
};
inline void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.name; }
inline const AnswerCase kAnswerCases[] = {
    {"SolvedYes", true, true}, {"SolvedNo", true, false}, {"FailedYes", false, true}, {"FailedNo", false, false}};

// A generator seed that draws the layout.
inline std::uint32_t SeedFor(const TPlumberBLayout& wanted) {
    for (std::uint32_t seed = 0;; ++seed) {
        RandSeed = seed;
        const TPlumberBLayout l = DrawPlumberBLayout();
        if (l.BasinColumn == wanted.BasinColumn && l.BasinRow == wanted.BasinRow &&
            l.ValveColumn == wanted.ValveColumn && l.ValveRow == wanted.ValveRow &&
            l.BoilerColumn == wanted.BoilerColumn && l.BoilerRow == wanted.BoilerRow)
            return seed;
    }
}

class PlumberTest : public TimelineTest {
protected:
    // Part A reads `levels` (its lines) as "instA.dat".
    void UseLevels(const std::string& levels) {
        tree_ = std::make_unique<TreeCopy>(std::set<std::string>{"instA.dat"});
        tree_->Folder().Write("instA.dat", levels);
        UseAppFolder(tree_->Dir());
    }
    // Opens part A from the town as a child does; actions follow.
    void OpenPartA() { OpenSimulation(1); }
    // Opens part A, then part B by its switch.
    void OpenPartB() {
        OpenPartA();
        Click(kPartSwitch);
    }
    // Opens part B and starts a game on that layout.
    void OpenPartBWithLayout(const TPlumberBLayout& layout) {
        OpenPartB();
        Then([seed = SeedFor(layout)] {
            RandSeed = seed;
            wndSimulaceInstalater2->NewGame();
        });
    }

    // Lays the pieces: the palette entry clicked, then each cell.
    void LayPieces(const std::vector<Lay>& plan, TPoint (*palette)(int), TPoint (*cell)(int, int)) {
        for (const Lay& l : plan) {
            Click(palette(l.tag));
            for (auto [c, r] : l.cells) Click(cell(c, r));
        }
    }
    // The pixels of a picture of the tree drawn in the form's Buffer at (x, y).
    static bool BufferShows(const TBitmap* buffer, const std::string& picture, int x, int y) {
        auto p = LoadPicture(kAppDir + picture);
        for (int j = 0; j < p->Height(); ++j)
            for (int i = 0; i < p->Width(); ++i)
                if (buffer->Pixels().Get(x + i, y + j) != p->Pixels().Get(i, j)) return false;
        return true;
    }

private:
    std::unique_ptr<TreeCopy> tree_;
};

}  // namespace plumbertest
