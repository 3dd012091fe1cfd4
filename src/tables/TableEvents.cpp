#include "tables/TableEvents.h"

namespace tables {

TTableEvents::TTableEvents(grid::TQvStringGrid& grid) : QObject(&grid)
{
    if (grid.OnGridHint)
        return;
    grid.OnGridHint = [this](grid::TQvStringGrid*, int row, int col, QString& hint) {
        if (onHint)
            hint = onHint(col, row);
    };
}

} // namespace tables
