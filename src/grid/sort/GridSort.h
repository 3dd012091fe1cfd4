#pragma once
// Call flow: a header click (sortOnHeaderClick, input/GridInput/release.cpp) runs clickSort
// (sort.cpp), which reads TSortSettings and calls QSort, QSortIndexed, QSortGroup,
// QSortGroupIndexed or QUnSort. Each brackets its run in TSortBracket (column 0, the top row,
// the footers and the update count restored on every path) and calls sortRange (engine.cpp):
// TGridSorter reads every row's key once by the column's row of the comparison table and
// orders an array of the rows (sortedRowOrder); applyRowOrder then moves the rows in one pass:
// the store, the cross-reference of the sort state, SortRow, and the lists kept by real row
// (store/RowSideData.h). QUnSort applies the order the cross-reference recorded the same way.
//
// State: the grid owns one TSortState (the cross-references of the sort and the unsort and the
// key list of SortIndexes); the design's public sort fields (SortDir, SortRow, Compares,
// Swaps, SortTime) stay on the grid, and the settings are the grid's TSortSettings (QvObj.h,
// sortlook.cpp).

#include "grid/QvObj.h"

#include <QString>

#include <memory>
#include <vector>

namespace grid {

class TQvStringGrid;

// The sort's own state, owned by the grid (TQvStringGrid::SortState()).
class TSortState {
public:
    // For each row position, the position the row had when the cross-reference was last set
    // up (SortRowXRef()); QUnSort goes back by it.
    TIntList RowXRef{0, 0};
    // The cross-reference the last unsort went back by.
    TIntList UnSortRowXRef{0, 0};
    // The key list of an indexed sort (SortIndexes()).
    TSortIndexList Indexes;

    // Every row stands where it stood: entry r is r.
    void initXRef(int rows);
    // The cross-reference follows a row order: the positions at[k] take the entries of from[k].
    void permuteXRef(const std::vector<int>& at, const std::vector<int>& from);
};

// What stays put around a sort and comes back on every path, exceptions included: column 0's
// texts with NormalCellsOnly, the top row, the floating footer and the footer count, the update
// bracket. first..last are the rows a whole-grid sort may move.
class TSortBracket {
public:
    TSortBracket(TQvStringGrid& g, bool footer);
    void restore();

    int first = 0, last = -1;

private:
    TQvStringGrid& g;
    bool footer;
    bool keepCol0 = false;
    std::vector<QString> col0;
    int topRow = 0;
    bool footerVisible = false;
    int fixedFooters = 0;
};

// The engine's entry points. The order of rows first..last by the column col on (each later
// column a tie-break key with Full), or by the key list of SortIndexes when indexed: entry k
// names the row that goes to first + k. The grid is not touched.
std::vector<int> sortedRowOrder(TQvStringGrid& g, int first, int last, bool indexed, int col);
int compareSortCells(TQvStringGrid& g, int col, int row1, int row2, bool ascending);
int compareSortRows(TQvStringGrid& g, int col, int row1, int row2, bool indexed, int fromKey);

} // namespace grid
