// Placeholder body of the awaited entry point declared in QvGrid.h: moving on to the next inline
// control of a cell. The inline-control editing replaces it with its own.

#include "grid/QvGrid.h"

namespace grid {

// Without the inline-control editing there is no next control to open: the grid takes the focus
// back, as it does when the cell has none.
void TQvStringGrid::EditCellControl(int, int, const QString&)
{
    setFocus(Qt::OtherFocusReason);
}

} // namespace grid
