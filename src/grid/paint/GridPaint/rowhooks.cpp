// The small hooks beside the painter: the fixed-cell editor question, the selection-changed
// notification, inserting and deleting a row for the editing code, and the filter-done
// notification.

#include "grid/paint/GridPaint.h"
#include "grid/QvGrid.h"

namespace grid {

void TQvStringGrid::GetFixedCellEditor(int ACol, int ARow, TGridFixedCellEditor& AEditor, QStringList& Values)
{
    if (OnFixedEdit)
        OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

void TQvStringGrid::SelectionChangedNotify(int ALeft, int ATop, int ARight, int ABottom)
{
    // The looks with selection gradients paint the whole block as one piece.
    if (Look == glVista || Look == glWin7 || Look == glOffice2007)
        RepaintRect({ALeft, ATop, ARight, ABottom});
    FSelChange = true;
    if (OnSelectionChanged)
        OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void TQvStringGrid::InsertRowAt(int ARow)
{
    if (!HasNodes())
        InsertRows(ARow, 1);
    else if (GetParentRow(ARow) == -1)
        InsertNormalRow(RealRowIndex(ARow));
    else
        InsertChildRow(RealRowIndex(ARow), 0);
}

void TQvStringGrid::DeleteRowAt(int ARow)
{
    if (HasNodes()) {
        if (GetParentRow(ARow) == -1)
            RemoveNormalRow(RealRowIndex(ARow));
        else
            RemoveChildRow(RealRowIndex(ARow));
    } else if (RowCount() - FixedRows() - FixedFooters() == 1 && !FixedRowAlways()) {
        // The last normal row stays; only its contents go.
        for (int c = 0; c < TotalColCount(); ++c)
            SetCells(c, ARow, QString());
    } else {
        RemoveRows(ARow, 1);
    }
    if (OnAutoDeleteRow)
        OnAutoDeleteRow(this, ARow);
}

void TQvStringGrid::FilterDoneNotify()
{
    if (OnFilterDone)
        OnFilterDone(this);
}

} // namespace grid
