#pragma once
// The hint of a table's cell under the mouse. The grid shows it (its cell hint, OnGridHint), so
// one place decides every hint over the table.

#include "tables/TableSetup.h"

#include <QObject>
#include <QString>

#include <functional>

namespace tables {

class TTableEvents : public QObject {
    Q_OBJECT
public:
    // Owned by the grid; binds the grid's OnGridHint to onHint unless the window bound its own.
    explicit TTableEvents(grid::TQvStringGrid& grid);

    // The hint of a cell; an empty text shows none.
    std::function<QString(int col, int row)> onHint;
};

} // namespace tables
