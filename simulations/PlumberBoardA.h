// Plumber part A without its screen: the 8 x 6 grid, the stock, laying and
// removing pieces, and the pipe check from the washbasin to the valve.
#pragma once

#include "shell/OneBased.h"
#include "simulations/PlumberLevels.h"
#include "simulations/PlumberTables.h"

// Kind 7 is the washbasin, kind 8 the valve.
inline constexpr Byte BasinKind = 7;
inline constexpr Byte ValveKind = 8;

// Kinds 1..8 by sides 1..4: the kinds a cell of that kind accepts water
// from when it comes from the neighbour on that side. A kind that opens on
// a side accepts the kinds that open towards it; the valve never the valve.
struct TPlumberAConnections {
    TPieceSet Entry[9][5];
};
const TPlumberAConnections& PlumberAConnections();

struct TPipeCellA {
    bool Occupied = false;
    bool IsBasin = false;
    bool IsValve = false;
    Byte Kind = 0;  // the piece laid, 1..6; 0 for the washbasin and the valve
};

class TPlumberBoardA {
public:
    // Grid[column 1..8][row 1..6].
    TOneBased<TOneBased<TPipeCellA, PlumberARows>, PlumberAColumns> Grid;
    TOneBased<Byte, 6> Stock;  // kinds 1..6
    Byte PieceTotal = 0;
    Byte PathLength = 0;

    static bool InGrid(int Col, int Row) {
        return Col >= 1 && Col <= PlumberAColumns && Row >= 1 && Row <= PlumberARows;
    }
    TPipeCellA& Cell(int Col, int Row) { return Grid[Col][Row]; }

    // An empty board with the level's washbasin, valve and stock.
    void NewGame(const TPlumberLevel& Level);
    // Lays a piece of Kind (1..6, in stock) on a cell other than the
    // washbasin and the valve; a piece lying there goes back to its stock.
    // False when nothing is laid.
    bool Place(int Col, int Row, Byte Kind);
    // Takes a laid piece back into its stock; false for any other cell.
    bool Remove(int Col, int Row);
    // Some kind still has pieces to lay.
    bool StockLeft() const;
    // The washbasin's cell, found by scanning the grid; false when none.
    bool FindBasin(int& Col, int& Row) const;

    // Water comes from a piece of kind From into (Col, Row) through Side:
    // whether it runs on to the valve. PathLength counts the pieces passed.
    bool FlowsToValve(int Col, int Row, Byte From, Byte Side);
    // One pipe from the washbasin upwards to the valve that uses every piece.
    bool CheckInstallation();
};
