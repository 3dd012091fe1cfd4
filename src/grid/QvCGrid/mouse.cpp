// Column popup menus on a click into a column, and the columns' fonts when the form is scaled.

#include "grid/QvCGrid.h"

#include <QMouseEvent>

#include <cmath>

namespace grid {

namespace {

bool showsFor(TColumnPopupType type, bool left, bool fixedRow)
{
    if (left)
        return fixedRow ? type == cpFixedCellsLClick || type == cpAllCellsLClick
                        : type == cpNormalCellsLClick || type == cpAllCellsLClick;
    return fixedRow ? type == cpFixedCellsRClick || type == cpAllCellsRClick
                    : type == cpNormalCellsRClick || type == cpAllCellsRClick;
}

bool firesFor(TColumnPopupType type, bool left)
{
    if (left)
        return type == cpFixedCellsLClick || type == cpNormalCellsLClick || type == cpAllCellsLClick;
    return type == cpFixedCellsRClick || type == cpNormalCellsRClick || type == cpAllCellsRClick;
}

// Size * M / D rounded to the nearest integer, halves away from zero.
int mulDiv(int size, int m, int d)
{
    return int(std::lround(double(size) * m / d));
}

} // namespace

void TQvColumnGrid::mousePressEvent(QMouseEvent* e)
{
    TQvStringGrid::mousePressEvent(e);
    const bool left = e->button() == Qt::LeftButton;
    if (!left && e->button() != Qt::RightButton)
        return;
    int col = -1, row = -1;
    MouseToCell(int(e->position().x()), int(e->position().y()), col, row);
    if (col < 0 || row < 0)
        return;
    const TGridColumnItem* c = column(realCol(col));
    if (!c || !c->ColumnPopup() || !firesFor(c->ColumnPopupType(), left))
        return;
    QMenu* menu = c->ColumnPopup();
    if (OnColumnPopup)
        OnColumnPopup(this, col, row, menu);
    if (!menu || !showsFor(c->ColumnPopupType(), left, row < FixedRows()))
        return;
    const TRect r = CellRect(col, row);
    menu->popup(viewport()->mapToGlobal(QPoint(r.Left, r.Bottom)));
}

void TQvColumnGrid::ScaleGrid(int M, int D)
{
    TQvStringGrid::ScaleGrid(M, D);
    if (Designing() || M == D || D == 0)
        return;
    for (int i = 0; i < ColCount() && i < FColumnCollection->Count(); ++i) {
        TGridColumnItem& c = *FColumnCollection->GetItem(i);
        c.FFont.Size = mulDiv(c.FFont.Size, M, D);
        c.FHeaderFont.Size = mulDiv(c.FHeaderFont.Size, M, D);
    }
    Invalidate();
}

} // namespace grid
