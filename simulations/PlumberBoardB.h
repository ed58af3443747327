// Plumber part B without its screen: the 11 x 8 grid with two lanes on each
// edge, the random layout of washbasin, valve and boiler, laying pieces and
// the three pipe checks.
#pragma once

#include "shell/OneBased.h"
#include "simulations/PlumberTables.h"

// Pieces 21..24: the washbasin, the left- and right-edge valves, the boiler.
inline constexpr Byte BasinPiece = 21;
inline constexpr Byte LeftValvePiece = 22;
inline constexpr Byte RightValvePiece = 23;
inline constexpr Byte BoilerPiece = 24;

// Pieces 1..24 by sides 1..4 (PipeConnections): the pieces a cell's piece
// accepts water from when it comes from the neighbour on that side, by the
// lane rule; and pieces 1..20 (PipeReplaces): what laying one removes.
struct TPlumberBTables {
    TPieceSet Connections[25][5];
    TPieceSet Replaces[21];
};
const TPlumberBTables& PlumberBTables();

struct TPipeCellB {
    bool Occupied = false;
    bool IsBasin = false;
    bool IsValve = false;
    bool IsBoiler = false;
    TPieceSet Pieces = 0;  // pieces 1..20 laid in the cell
};

// Where the fixed parts stand (columns and rows from 1).
struct TPlumberBLayout {
    int BasinColumn, BasinRow;
    int ValveColumn, ValveRow;  // column 1 (left edge) or 11 (right edge)
    int BoilerColumn, BoilerRow;
    bool ValveOnLeft() const { return ValveColumn == 1; }
};

// The rules a layout keeps, so that no fixed part stands in the cell into
// which another opens. The valve's row is broken when the valve stands in
// the washbasin's cell or directly above it, or the washbasin stands in the
// cell the valve opens into; the boiler's column when the boiler stands in
// the valve's or the washbasin's cell, in the cell the valve opens into,
// directly above the washbasin, or directly above the valve.
bool PlumberBValveBroken(const TPlumberBLayout& Layout);
bool PlumberBBoilerBroken(const TPlumberBLayout& Layout);

// Draws a layout with the library's generator: the washbasin in rows 2..8,
// the valve on the left or right edge, the boiler in rows 1..7 and columns
// 2..11. While a rule is broken the valve's row, or the boiler's column, is
// drawn again; after a bounded number of tries it is drawn from the allowed
// values (at most two rows and three columns are ever excluded), so the draw
// always ends. Draws, when given, receives the number of the generator's
// calls.
TPlumberBLayout DrawPlumberBLayout(int* Draws = nullptr);

class TPlumberBoardB {
public:
    // Grid[column 1..11][row 1..8].
    TOneBased<TOneBased<TPipeCellB, PlumberBRows>, PlumberBColumns> Grid;

    static bool InGrid(int Col, int Row) {
        return Col >= 1 && Col <= PlumberBColumns && Row >= 1 && Row <= PlumberBRows;
    }
    TPipeCellB& Cell(int Col, int Row) { return Grid[Col][Row]; }

    // An empty board with the layout's fixed parts.
    void NewGame(const TPlumberBLayout& Layout);
    // Lays Piece (1..20) on a cell other than the fixed parts, removing the
    // pieces it replaces; false when nothing is laid.
    bool Place(int Col, int Row, Byte Piece);
    // Empties a cell with laid pieces; false for any other cell.
    bool Clear(int Col, int Row);

    // The washbasin's and the boiler's cells, found by scanning the grid.
    bool FindBasin(int& Col, int& Row) const { return Find(&TPipeCellB::IsBasin, Col, Row); }
    bool FindBoiler(int& Col, int& Row) const { return Find(&TPipeCellB::IsBoiler, Col, Row); }

    // Water comes from piece From into (Col, Row) through Side: whether it
    // runs on to the valve, or to the boiler.
    bool FlowsToValve(int Col, int Row, Byte From, Byte Side);
    bool FlowsToBoiler(int Col, int Row, Byte From, Byte Side);

    struct TConnections {
        bool BasinToBoiler = false;
        bool BoilerToValve = false;
        bool BasinToValve = false;
        bool All() const { return BasinToBoiler && BoilerToValve && BasinToValve; }
    };
    TConnections CheckInstallation();

private:
    bool Find(bool TPipeCellB::*Flag, int& Col, int& Row) const;
    enum class TTarget { Valve, Boiler };
    bool Flows(int Col, int Row, Byte From, Byte Side, TTarget Target);
    // The cell above the washbasin's (or below the boiler's) is entered.
    bool FlowsOut(int Col, int Row, Byte From, Byte Side, TTarget Target);
};
