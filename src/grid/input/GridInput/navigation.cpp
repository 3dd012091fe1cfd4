// The tab stops Tab walks (editable cells while editing is on, normal cells otherwise) and the
// click a navigation simulates on the cell it reaches; the walks themselves are in
// GridInput/tabsteps.cpp.

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"

#include <QApplication>
#include <QMouseEvent>

#include <algorithm>

namespace grid {

bool TQvStringGrid::IsTabStopCell(int ACol, int ARow)
{
    bool stop = (Options() & goEditing) ? IsEditable(ACol, ARow) : !IsFixed(ACol, ARow);
    if (ACol < FixedCols() || ARow < FixedRows())
        stop = false;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, stop);
    return stop;
}

int TQvStringGrid::FirstTabStopCol(int ARow)
{
    for (int c = 0; c < ColCount(); ++c)
        if (IsTabStopCell(c, ARow))
            return c;
    return -1;
}

int TQvStringGrid::LastTabStopCol(int ARow)
{
    for (int c = ColCount() - 1; c >= 0; --c)
        if (IsTabStopCell(c, ARow))
            return c;
    return -1;
}

void TQvStringGrid::TabWrapToFirstRow()
{
    TStringGrid::FocusCell(Col(), FixedRows(), true);
}

void TQvStringGrid::SimulateCellClick(int ACol, int ARow)
{
    const TRect r = CellRect(ACol, ARow);
    if (r.IsEmpty())
        return;
    const QPointF p(r.Left + 2, r.Top + 2);
    const QPointF g = viewport()->mapToGlobal(p);
    FForceSel = true;
    QMouseEvent press(QEvent::MouseButtonPress, p, g, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, g, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport(), &release);
    FForceSel = false;
}

} // namespace grid
