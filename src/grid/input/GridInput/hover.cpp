// Hover looks: the hovered row and the hovered fixed cell follow the pointer, and leaving the
// grid clears them with the zones the pointer had armed. Only cells whose hover changed are
// repainted, so moving over a large grid stays cheap.

#include "grid/QvGrid.h"

namespace grid {

void TQvStringGrid::updateHover(int X, int Y)
{
    if (Designing())
        return;
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (ACol < 0 || ARow < 0)
        return;

    if (FHoverRow && ARow != FHoverRowIdx) {
        const int old = FHoverRowIdx;
        FHoverRowIdx = ARow;
        if (old >= 0 && old < RowCount())
            RepaintRow(old);
        RepaintRow(ARow);
    }

    if (HoverFixedCells != hfNone && (ACol != FHoverFixedX || ARow != FHoverFixedY)) {
        const auto inFixed = [this](int c, int r) {
            return c >= 0 && r >= 0 && (r <= FixedRows() || c <= FixedCols());
        };
        const int oldX = FHoverFixedX, oldY = FHoverFixedY;
        FHoverFixedX = ACol;
        FHoverFixedY = ARow;
        if (inFixed(oldX, oldY))
            RepaintCell(oldX, oldY);
        if (inFixed(ACol, ARow))
            RepaintCell(ACol, ARow);
    }

    // The button under the pointer is drawn hot; the one it left returns to its normal face.
    const int realCol = RealColIndex(ACol);
    const QPoint at(X, Y);
    const bool onButton = (HasButton(realCol, ARow) && GetButtonRect(realCol, ARow).toQRect().contains(at))
                          || (HasExpand(realCol, ARow) && GetExpandRect(realCol, ARow).toQRect().contains(at));
    const TPoint hovered = onButton ? TPoint{realCol, ARow} : TPoint{-1, -1};
    if (hovered != FHoverButton) {
        const TPoint old = FHoverButton;
        FHoverButton = hovered;
        if (old.X >= 0 && old.Y >= 0 && old.Y < RowCount())
            RepaintCell(DisplColIndex(old.X), old.Y);
        if (onButton)
            RepaintCell(ACol, ARow);
    }
}

void TQvStringGrid::HandleMouseLeave()
{
    if ((FPointer->FSizeFixed || FPointer->FSizeFixedR) && !FPointer->FSizingFixed && !FPointer->FSizingFixedR)
        viewport()->unsetCursor();
    FPointer->FSizeFixed = FPointer->FSizeFixedR = false;
    // The zone belongs to where the pointer was: a press after coming back selects no header.
    FPointer->FMouseSelectMode = msNormal;
    if (FHoverFixedX >= 0 && FHoverFixedY >= 0) {
        const int c = FHoverFixedX, r = FHoverFixedY;
        FHoverFixedX = FHoverFixedY = -1;
        RepaintCell(c, r);
    }
    if (FHoverRow && FHoverRowIdx >= 0) {
        const int r = FHoverRowIdx;
        FHoverRowIdx = -1;
        RepaintRow(r);
    }
}

} // namespace grid
