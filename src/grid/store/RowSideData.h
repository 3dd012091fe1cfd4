#pragma once
// What follows the rows beside their cells, kept by real row so that a hidden row keeps its own:
// the modified and enabled flags, the disjunct row-selection flags with the list of selected
// rows, and the controls placed in cells. The grid owns one (TQvStringGrid::RowData()), and
// every change of the row order goes through it, so "a row moved" is written here once:
//
//   insert        rows come in before one real row (InsertRows)
//   insertBefore  a row comes in before each of a list of real rows (insertRowList)
//   remove        a list of real rows goes and the rows below close up (removeRowList)
//   permute       the row at realFrom[k] goes to realAt[k] (sorting, unsorting, swaps)
//   move          one row moves, the rows between close up (MoveRow)
//   take          a block's flags read before it leaves (MoveRows puts them back at the new
//                 place, the modified and enabled flags through the grid's setters)
//
// The flag lists exist only as far as a row was ever flagged: they grow on writing, a row beyond
// a list's end reads as zero, and nothing is inserted beyond a list's end. The list of selected
// rows holds row numbers, not flags, so it is renumbered rather than shifted. The grid repaints
// and moves the controls' widgets (CellControlsUpdate) after calling these.

#include "grid/QvObj.h"

#include <vector>

namespace grid {

class TRowSideData {
public:
    // Which lists a permutation moves (a sort moves the selection flags only with MoveRowOnSort;
    // swapping two rows moves only their controls).
    enum TLists : unsigned { lsModified = 1, lsEnabled = 2, lsSelection = 4, lsControls = 8, lsAll = 15 };

    // The flags of a block of rows, in the block's order.
    struct TRowFlags {
        std::vector<int> modified, enabled;
        std::vector<char> selected;
        std::vector<char> listed; // in SelectedRows
    };

    TIntList Modified{0, 0};     // 1: the row was modified
    TIntList Enabled{0, 0};      // 1: the row is disabled (0 or beyond the end: enabled)
    std::vector<char> RowSelect; // disjunct row selection, one flag per real row
    TIntList SelectedRows{0, 0}; // the selected rows, in the order they were selected
    TControlList Controls;       // X: real column, Y: real row

    // count rows come in before real row `at`; the controls follow only when moveControls.
    void insert(int at, int count, bool moveControls = true);
    // One row comes in before each listed real row (ascending, numbered before the insert).
    void insertBefore(const std::vector<int>& real);
    // The listed real rows (ascending) go. Their controls go to `taken` when given, else their
    // widgets are hidden; the controls' entries leave the list either way.
    void remove(const std::vector<int>& real, std::vector<TControlItem>* taken = nullptr);
    // The row at realFrom[k] goes to realAt[k]; realAt ascending, realFrom a permutation of it.
    void permute(const std::vector<int>& realAt, const std::vector<int>& realFrom, unsigned lists = lsAll);
    // The row at `from` moves to `to`, the rows between closing up.
    void move(int from, int to);
    // The flags of the listed real rows.
    TRowFlags take(const std::vector<int>& real) const;
    // A row taken with its selection flag set is selected again at its new place.
    void putSelected(int real, bool listed);
};

} // namespace grid
