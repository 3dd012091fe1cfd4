// The pointer shape per cell and the grid's own cursor. Pointer zones (sizing borders, links,
// moves) set the viewport's cursor and unset it when they let go; the viewport then shows the
// grid's own cursor again, because that one is set on the grid, the viewport's parent.

#include "grid/QvGrid.h"

namespace grid {

void TQvStringGrid::SetCursor(Qt::CursorShape shape)
{
    FOldCursor = shape;
    setCursor(shape);
    viewport()->setCursor(shape);
}

Qt::CursorShape TQvStringGrid::Cursor() const
{
    return viewport()->cursor().shape();
}

void TQvStringGrid::GetCellCursor(int ACol, int ARow, int X, int Y)
{
    if (!OnGetCellCursor)
        return;
    Qt::CursorShape shape = Cursor();
    OnGetCellCursor(this, ACol, ARow, X, Y, shape);
    viewport()->setCursor(shape);
}

// After the move's own zones: a pointer over a cell that no zone claims asks the hook.
void TQvStringGrid::applyCellCursor(int X, int Y, int ACol, int ARow)
{
    if (!OnGetCellCursor || ACol < 0 || ARow < 0 || GridState() != TGridState::gsNormal || FPointer->FSizeFixed
        || FPointer->FSizeFixedR)
        return;
    GetCellCursor(RealColIndex(ACol), ARow, X, Y);
}

} // namespace grid
