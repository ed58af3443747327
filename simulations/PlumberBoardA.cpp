#include "simulations/PlumberBoardA.h"

namespace {

bool Opens(int Kind, Byte Side) { return (PlumberAKindTable[Kind - 1].Openings & SideBit(Side)) != 0; }

TPlumberAConnections MakeConnections() {
    TPlumberAConnections c{};
    for (int kind = 1; kind <= 8; ++kind)
        for (Byte side = SideTop; side <= SideLeft; ++side) {
            if (!Opens(kind, side)) continue;
            for (int from = 1; from <= 8; ++from)
                if (Opens(from, OppositeSide(side)) && !(kind == ValveKind && from == ValveKind))
                    c.Entry[kind][side] |= PieceBit(from);
        }
    return c;
}

}  // namespace

const TPlumberAConnections& PlumberAConnections() {
    static const TPlumberAConnections connections = MakeConnections();
    return connections;
}

void TPlumberBoardA::NewGame(const TPlumberLevel& Level) {
    for (auto& column : Grid)
        for (TPipeCellA& cell : column) cell = TPipeCellA{};
    TPipeCellA& basin = Cell(Level.BasinColumn, Level.BasinRow);
    basin.Occupied = basin.IsBasin = true;
    TPipeCellA& valve = Cell(Level.ValveColumn, Level.ValveRow);
    valve.Occupied = valve.IsValve = true;
    PieceTotal = 0;
    for (int k = 1; k <= 6; ++k) {
        Stock[std::size_t(k)] = Byte(Level.Stock[std::size_t(k - 1)]);
        PieceTotal = Byte(PieceTotal + Stock[std::size_t(k)]);
    }
    PathLength = 0;
}

bool TPlumberBoardA::Place(int Col, int Row, Byte Kind) {
    if (!InGrid(Col, Row) || Kind < 1 || Kind > 6 || Stock[Kind] == 0) return false;
    TPipeCellA& cell = Cell(Col, Row);
    if (cell.IsBasin || cell.IsValve) return false;
    if (cell.Occupied) ++Stock[cell.Kind];
    cell.Occupied = true;
    cell.Kind = Kind;
    --Stock[Kind];
    return true;
}

bool TPlumberBoardA::Remove(int Col, int Row) {
    if (!InGrid(Col, Row)) return false;
    TPipeCellA& cell = Cell(Col, Row);
    if (!cell.Occupied || cell.IsBasin || cell.IsValve) return false;
    cell.Occupied = false;
    ++Stock[cell.Kind];
    return true;
}

bool TPlumberBoardA::StockLeft() const {
    for (int k = 1; k <= 6; ++k)
        if (Stock[std::size_t(k)] > 0) return true;
    return false;
}

bool TPlumberBoardA::FlowsToValve(int Col, int Row, Byte From, Byte Side) {
    const TPlumberAConnections& connections = PlumberAConnections();
    const TPipeCellA& cell = Cell(Col, Row);
    if (cell.IsValve) return Holds(connections.Entry[ValveKind][Side], From);
    if (!cell.Occupied || cell.IsBasin) return false;
    if (!Holds(connections.Entry[cell.Kind][Side], From)) return false;
    ++PathLength;
    // Each kind has two openings and a neighbour accepts only a kind that
    // opens towards it, so at most one neighbour continues the pipe: the
    // search follows one chain and never returns to a cell it has passed.
    for (Byte out = SideTop; out <= SideLeft; ++out) {
        const int col = Col + StepColumn(out), row = Row + StepRow(out);
        if (out == Side || !InGrid(col, row)) continue;
        if (FlowsToValve(col, row, cell.Kind, OppositeSide(out))) return true;
    }
    return false;
}

bool TPlumberBoardA::FindBasin(int& Col, int& Row) const {
    for (int col = 1; col <= PlumberAColumns; ++col)
        for (int row = 1; row <= PlumberARows; ++row)
            if (Grid[col][row].IsBasin) {
                Col = col;
                Row = row;
                return true;
            }
    return false;
}

bool TPlumberBoardA::CheckInstallation() {
    PathLength = 0;
    int col = 0, row = 0;
    if (!FindBasin(col, row) || !InGrid(col, row - 1)) return false;
    return Cell(col, row - 1).Occupied && FlowsToValve(col, row - 1, BasinKind, SideBottom) &&
           PathLength == PieceTotal;
}
