// Keys that act on the grid after the movement: select all, row insert and delete by key, and
// the value remembered before an edit that Enter and F2 begin.

#include "grid/GridInput.h"
#include "grid/QvGrid.h"

#include <algorithm>

namespace grid {

void TQvStringGrid::commandKeys(int key, Qt::KeyboardModifiers mods)
{
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const bool alt = mods & Qt::AltModifier;
    TNavigation& nav = Navigation();
    if (key == Qt::Key_Insert && nav.AllowInsertRow() && !ctrl && !shift && !alt) {
        InsertRowByKey();
        return;
    }
    if (key == Qt::Key_A && ctrl && (Options() & (goRowSelect | goRangeSelect))) {
        SelectAllCells();
        return;
    }
    if (key == Qt::Key_Delete && nav.AllowDeleteRow() && !alt && RowCount() - FFixedFooters > FixedRows()) {
        DeleteRowByKey();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2)
        SaveOldCellValue(Col(), Row());
}

void TQvStringGrid::SelectAllCells()
{
    int left = FixedCols();
    if (left == 0 && !RowIndicator().Empty())
        left = 1;
    const int right = ColCount() - FFixedRightCols - 1;
    const int bottom = RowCount() - FFixedFooters - 1;
    if (right < left || bottom < FixedRows())
        return;
    if (MouseActions().DisjunctRowSelect())
        SelectRows(FixedRows(), bottom - FixedRows() + 1);
    SetSelection({left, FixedRows(), right, bottom});
}

void TQvStringGrid::InsertRowByKey()
{
    if (!QueryCanInsertRow(Row()))
        return;
    int r = Row();
    int at = r;
    if (Navigation().InsertPosition() == pInsertAfter) {
        if (FFixedRowAlways && RowCount() == FixedRows()) {
            r = 1;
        } else {
            at = r + 1;
            if (r + 1 < RowCount())
                ++r;
        }
    }
    InsertRows(at, 1);
    if (OnAutoInsertRow)
        OnAutoInsertRow(this, at);
    FGridModified = true;
    if (r < RowCount())
        TStringGrid::FocusCell(Col(), r, true);
    CalcFooter(-1);
}

void TQvStringGrid::DeleteRowByKey()
{
    const int real = RealRowIndex(Row());
    bool can = true;
    if (OnCanDeleteRow)
        OnCanDeleteRow(this, real, can);
    if (!can)
        return;
    const int r = Row();
    // The only normal row of a grid that must keep one is emptied, not removed.
    if (RowCount() - FFixedFooters - FixedRows() == 1 && !FFixedRowAlways) {
        for (int c = 0; c < TotalColCount(); ++c)
            SetCells(c, r, QString());
    } else {
        RemoveRows(r, 1);
    }
    if (OnAutoDeleteRow)
        OnAutoDeleteRow(this, r);
    SaveOldCellValue(Col(), Row());
    FGridModified = true;
    CalcFooter(-1);
}

} // namespace grid
