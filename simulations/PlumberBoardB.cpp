#include "simulations/PlumberBoardB.h"

#include <vector>

#include "platform/core/rtl.h"

namespace {

const TPlumberBPiece& Piece(int P) { return PlumberBPieceTable[P - 1]; }

// The piece's lane on Side: 1 or 2, 0 for both (a fixed part), -1 for none.
int LaneOn(int P, Byte Side) {
    const TPlumberBPiece& p = Piece(P);
    if (p.A.Side == SideBit(Side)) return p.A.Lane;
    if (p.B.Side == SideBit(Side)) return p.B.Lane;
    return -1;
}

bool IsFixed(int P) { return P > 20; }

TPlumberBTables MakeTables() {
    TPlumberBTables t{};
    for (int p = 1; p <= 24; ++p)
        for (Byte side = SideTop; side <= SideLeft; ++side) {
            const int lane = LaneOn(p, side);
            if (lane < 0) continue;
            // An opening meets the neighbour's opening of the same lane on
            // the facing edge; the fixed parts take both lanes, and meet only
            // laid pieces.
            for (int q = 1; q <= 24; ++q) {
                const int facing = LaneOn(q, OppositeSide(side));
                if (facing < 0 || (IsFixed(p) && IsFixed(q))) continue;
                if (facing == lane || facing == 0 || lane == 0) t.Connections[p][side] |= PieceBit(q);
            }
        }
    for (int p = 1; p <= 20; ++p)
        for (Byte q : PlumberBReplaceTable[p - 1])
            if (q != 0) t.Replaces[p] |= PieceBit(q);
    return t;
}

constexpr int Redraws = 32;

// Draw() until Broken() is false, at most Redraws times again; then one
// draw among the values that keep the rules (there is always one).
template <class TDraw, class TBroken>
void DrawUntilKept(int& Value, int Low, int High, TDraw Draw, TBroken Broken, int& Draws) {
    for (int tries = 0; Broken() && tries < Redraws; ++tries) {
        Value = Draw();
        ++Draws;
    }
    if (!Broken()) return;
    std::vector<int> allowed;
    for (int v = Low; v <= High; ++v) {
        Value = v;
        if (!Broken()) allowed.push_back(v);
    }
    Value = allowed[std::size_t(Random(int(allowed.size())))];
    ++Draws;
}

}  // namespace

const TPlumberBTables& PlumberBTables() {
    static const TPlumberBTables tables = MakeTables();
    return tables;
}

bool PlumberBValveBroken(const TPlumberBLayout& l) {
    const int openingColumn = l.ValveOnLeft() ? 2 : PlumberBColumns - 1;
    return (l.BasinColumn == openingColumn && l.BasinRow == l.ValveRow) ||
           (l.ValveColumn == l.BasinColumn && l.ValveRow == l.BasinRow) ||
           (l.ValveColumn == l.BasinColumn && l.ValveRow == l.BasinRow - 1);
}

bool PlumberBBoilerBroken(const TPlumberBLayout& l) {
    const int openingColumn = l.ValveOnLeft() ? 2 : PlumberBColumns - 1;
    return (l.BoilerColumn == l.ValveColumn && l.BoilerRow == l.ValveRow) ||
           (l.BoilerColumn == l.BasinColumn && l.BoilerRow == l.BasinRow) ||
           (l.BoilerColumn == openingColumn && l.BoilerRow == l.ValveRow) ||
           (l.BoilerColumn == l.BasinColumn && l.BoilerRow == l.BasinRow - 1) ||
           (l.BoilerColumn == l.ValveColumn && l.BoilerRow + 1 == l.ValveRow);
}

TPlumberBLayout DrawPlumberBLayout(int* Draws) {
    TPlumberBLayout l{};
    int draws = 0;
    l.BasinColumn = Random(PlumberBColumns) + 1;
    l.BasinRow = Random(PlumberBRows - 1) + 2;
    l.ValveRow = Random(PlumberBRows) + 1;
    l.ValveColumn = RandomFloat() > 0.5 ? 1 : PlumberBColumns;
    draws += 4;
    DrawUntilKept(
        l.ValveRow, 1, PlumberBRows, [] { return Random(PlumberBRows) + 1; },
        [&l] { return PlumberBValveBroken(l); }, draws);
    l.BoilerRow = Random(PlumberBRows - 1) + 1;
    l.BoilerColumn = Random(PlumberBColumns - 1) + 2;
    draws += 2;
    DrawUntilKept(
        l.BoilerColumn, 2, PlumberBColumns, [] { return Random(PlumberBColumns - 1) + 2; },
        [&l] { return PlumberBBoilerBroken(l); }, draws);
    if (Draws) *Draws = draws;
    return l;
}

void TPlumberBoardB::NewGame(const TPlumberBLayout& Layout) {
    for (auto& column : Grid)
        for (TPipeCellB& cell : column) cell = TPipeCellB{};
    TPipeCellB& basin = Cell(Layout.BasinColumn, Layout.BasinRow);
    basin.Occupied = basin.IsBasin = true;
    TPipeCellB& valve = Cell(Layout.ValveColumn, Layout.ValveRow);
    valve.Occupied = valve.IsValve = true;
    TPipeCellB& boiler = Cell(Layout.BoilerColumn, Layout.BoilerRow);
    boiler.Occupied = boiler.IsBoiler = true;
}

bool TPlumberBoardB::Place(int Col, int Row, Byte P) {
    if (!InGrid(Col, Row) || P < 1 || P > 20) return false;
    TPipeCellB& cell = Cell(Col, Row);
    if (cell.IsBasin || cell.IsValve || cell.IsBoiler) return false;
    cell.Occupied = true;
    cell.Pieces = (cell.Pieces & ~PlumberBTables().Replaces[P]) | PieceBit(P);
    return true;
}

bool TPlumberBoardB::Clear(int Col, int Row) {
    if (!InGrid(Col, Row)) return false;
    TPipeCellB& cell = Cell(Col, Row);
    if (cell.Pieces == 0) return false;
    cell.Occupied = false;
    cell.Pieces = 0;
    return true;
}

bool TPlumberBoardB::FlowsToValve(int Col, int Row, Byte From, Byte Side) {
    return Flows(Col, Row, From, Side, TTarget::Valve);
}

bool TPlumberBoardB::FlowsToBoiler(int Col, int Row, Byte From, Byte Side) {
    return Flows(Col, Row, From, Side, TTarget::Boiler);
}

bool TPlumberBoardB::Flows(int Col, int Row, Byte From, Byte Side, TTarget Target) {
    const TPlumberBTables& tables = PlumberBTables();
    const TPipeCellB& cell = Cell(Col, Row);
    if (Target == TTarget::Valve && cell.IsValve)
        return Holds(tables.Connections[LeftValvePiece][Side] | tables.Connections[RightValvePiece][Side], From);
    if (Target == TTarget::Boiler && cell.IsBoiler) return Holds(tables.Connections[BoilerPiece][Side], From);
    if (!cell.Occupied) return false;
    // No two pieces of a cell share an opening, and a piece takes water only
    // through an opening that meets the neighbour's in the same lane: from
    // each piece the water goes on into at most one piece, so a chain that
    // starts at a fixed part never comes back to a piece it has passed.
    for (int p = 1; p <= 20; ++p) {
        if (!Holds(cell.Pieces, p) || !Holds(tables.Connections[p][Side], From)) continue;
        for (Byte out = SideTop; out <= SideLeft; ++out) {
            const int col = Col + StepColumn(out), row = Row + StepRow(out);
            if (out == Side || !InGrid(col, row)) continue;
            if (Flows(col, row, Byte(p), OppositeSide(out), Target)) return true;
        }
    }
    return false;
}

bool TPlumberBoardB::FlowsOut(int Col, int Row, Byte From, Byte Side, TTarget Target) {
    return InGrid(Col, Row) && Cell(Col, Row).Occupied && Flows(Col, Row, From, Side, Target);
}

bool TPlumberBoardB::Find(bool TPipeCellB::*Flag, int& Col, int& Row) const {
    for (int col = 1; col <= PlumberBColumns; ++col)
        for (int row = 1; row <= PlumberBRows; ++row)
            if (Grid[col][row].*Flag) {
                Col = col;
                Row = row;
                return true;
            }
    return false;
}

TPlumberBoardB::TConnections TPlumberBoardB::CheckInstallation() {
    int bc = 0, br = 0, kc = 0, kr = 0;
    TConnections c;
    if (!FindBasin(bc, br) || !FindBoiler(kc, kr)) return c;
    c.BasinToBoiler = FlowsOut(bc, br - 1, BasinPiece, SideBottom, TTarget::Boiler);
    c.BoilerToValve = FlowsOut(kc, kr + 1, BoilerPiece, SideTop, TTarget::Valve);
    c.BasinToValve = FlowsOut(bc, br - 1, BasinPiece, SideBottom, TTarget::Valve);
    return c;
}
