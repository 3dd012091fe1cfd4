// Keys, wheel, cell selection and scrolling over merged cells.

#include "grid/BaseGrid.h"

namespace grid {

bool TBaseGrid::SelectCell(int col, int row)
{
    return AllowCellSelect(col, row);
}

bool TBaseGrid::AllowCellSelect(int col, int row)
{
    RepaintCell(Col(), Row());
    const bool allowed = TObjStringGrid::SelectCell(col, row);
    RepaintCell(col, row);
    return allowed;
}

void TBaseGrid::GotoBaseCell()
{
    if (!CellHasProperties(Col(), Row()))
        return;
    const TPoint b = BaseCell(Col(), Row());
    if (b.X == Col() && b.Y == Row())
        return;
    if (b.X < 0 || b.Y < 0 || b.X >= ColCount() || b.Y >= RowCount())
        return;
    FocusCell(b.X, b.Y, true);
}

void TBaseGrid::KeyDown(int key, Qt::KeyboardModifiers shift)
{
    const bool hasProps = CellHasProperties(Col(), Row());
    int bc = Col(), br = Row();
    TCellProperties* base = nullptr;
    if (hasProps) {
        const TPoint b = BaseCell(Col(), Row());
        bc = b.X;
        br = b.Y;
        base = props(bc, br);
    }
    const int sx = base ? base->FCellSpanX : -1;
    const int sy = base ? base->FCellSpanY : -1;
    switch (key) {
    case Qt::Key_PageDown:
        if (FHideLastRow && RowCount() > 1 && VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1) {
            TObjStringGrid::KeyDown(key, shift);
            if (Row() > RowCount() - 2)
                FocusCell(Col(), RowCount() - 2, true);
            GotoBaseCell();
            return;
        }
        break;
    case Qt::Key_Right:
        if (base && sx >= 0) {
            const int v = bc + sx;
            // Stand on the area's last column so the step below leaves it to the right.
            if (v >= Col() && Col() < ColCount() - 1 && bc < ColCount() - 1 && v < ColCount() && v != Col())
                SetSelection({v, Row(), v, Row()});
        }
        break;
    case Qt::Key_Down:
        if (base && sy >= 0) {
            const int v = br + sy;
            if (v >= Row() && Row() < RowCount() - 1 && br < RowCount() - 1 && v != Row())
                SetSelection({Col(), v, Col(), v});
        }
        break;
    case Qt::Key_Left:
        // From inside a merge, stand on its base first so the step leaves the area.
        if (base && (bc != Col() || br != Row()) && Col() > bc && Col() > FixedCols() && bc > 0)
            SetSelection({bc, Row(), bc, Row()});
        break;
    case Qt::Key_Up:
        if (base && (bc != Col() || br != Row()) && Row() > br && Row() > FixedRows() && br > 0)
            SetSelection({Col(), br, Col(), br});
        break;
    default:
        break;
    }
    TObjStringGrid::KeyDown(key, shift);
    GotoBaseCell();
}

void TBaseGrid::DoMouseWheelDown()
{
    TObjStringGrid::DoMouseWheelDown();
    if (FHideLastRow && Row() != RowCount() - 1 && VisibleRowCount() < Row() - TopRow())
        SetTopRow(TopRow() + 1);
    GotoBaseCell();
}

void TBaseGrid::DoMouseWheelUp()
{
    TObjStringGrid::DoMouseWheelUp();
    GotoBaseCell();
}

void TBaseGrid::TopLeftChanged()
{
    TObjStringGrid::TopLeftChanged();
    RepaintMergedFixedCols();
    RepaintMergedFixedRows();
}

void TBaseGrid::RepaintMergedFixedCols()
{
    if (FixedCols() == 0)
        return;
    for (int r = TopRow(); r <= TopRow() + VisibleRowCount() && r < RowCount(); ++r)
        for (int c = 0; c < FixedCols(); ++c)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
}

void TBaseGrid::RepaintMergedFixedRows()
{
    if (FixedRows() == 0)
        return;
    for (int c = LeftCol(); c <= LeftCol() + VisibleColCount() && c < ColCount(); ++c)
        for (int r = 0; r < FixedRows(); ++r)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
}

} // namespace grid
