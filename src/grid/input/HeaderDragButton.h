#pragma once
// The floating header shown under the pointer while a column or row is moved (the grid's
// MoveButton): a bordered window that never takes the focus, painted with the look of the
// grid's corner cell and the moved header's caption on top.

#include <QString>
#include <QWidget>

namespace grid {

class TQvStringGrid;

class THeaderDragButton : public QWidget {
    Q_OBJECT
public:
    explicit THeaderDragButton(TQvStringGrid* AGrid);

    TQvStringGrid* Grid;
    QString Caption;
    bool Flat = false;

protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace grid
