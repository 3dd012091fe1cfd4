#pragma once
// The hint of a table's cell under the mouse, shown from the grid's viewport.

#include "tables/TableSetup.h"

#include <QObject>
#include <QString>

#include <functional>

namespace tables {

class TTableEvents : public QObject {
    Q_OBJECT
public:
    // Owned by the grid, whose viewport it watches.
    explicit TTableEvents(grid::TQvStringGrid& grid);

    // The hint of a cell; an empty text shows none.
    std::function<QString(int col, int row)> onHint;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    grid::TQvStringGrid& grid_;
    QWidget* viewport_;
};

} // namespace tables
