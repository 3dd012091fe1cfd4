// The merged columns: columns whose runs of equal cells are shown as one cell. The list is the
// grid's; any change to it, and every header-click sort with AutoColumnMerge, splits the merges
// of every column first, because merges made over the old order or the old list would cover
// rows that are no longer equal.

#include "grid/QvGrid.h"

namespace grid {

void TQvStringGrid::SplitAllColumnCells()
{
    for (int c = 0; c < ColCount(); ++c)
        SplitColumnCells(c);
}

// The first listed column merges on text alone; the others only inside the merges of the
// columns before them.
void TQvStringGrid::RemergeColumns()
{
    const TIntList& list = *FMergedColumns;
    for (int i = 0; i < list.Count(); ++i) {
        const int col = list.GetInteger(i);
        if (col >= 0 && col < ColCount())
            MergeColumnCells(col, i == 0);
    }
}

void TQvStringGrid::MergedColumnsChanged()
{
    SplitAllColumnCells();
    RemergeColumns();
}

} // namespace grid
