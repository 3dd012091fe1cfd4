// Placeholder bodies of the awaited entry points declared together in QvGrid.h: sorting by
// the sort settings and by the index keys, and moving on to the next inline control of a cell.
// The sorting engine and the inline-control editing replace these bodies with their own.

#include "grid/QvGrid.h"

namespace grid {

void TQvStringGrid::QSort()
{
}

void TQvStringGrid::QSortIndexed()
{
}

// Without the inline-control editing there is no next control to open: the grid takes the focus
// back, as it does when the cell has none.
void TQvStringGrid::EditCellControl(int, int, const QString&)
{
    setFocus(Qt::OtherFocusReason);
}

} // namespace grid
