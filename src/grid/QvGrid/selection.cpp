// The selection rectangle and the disjunct row and column selections, modified and enabled
// rows, moving the current cell, and the repaint operations.

#include "grid/QvGrid.h"

namespace grid {

void TQvStringGrid::growRowSelect(int ARow)
{
    if (int(FRowData->RowSelect.size()) < ARow + 1)
        FRowData->RowSelect.resize(std::size_t(ARow) + 1, 0);
}

void TQvStringGrid::growColSelect(int ACol)
{
    if (int(FColSelect.size()) < ACol + 1)
        FColSelect.resize(std::size_t(ACol) + 1, 0);
}

bool TQvStringGrid::GetRowSelect(int ARow)
{
    if (!FMouseActions->RowSelectPersistent() && (ARow < 0 || ARow >= RowCount() + NumHiddenRows()))
        throw EQvGridError(QStringLiteral("Invalid row %1 accessed").arg(ARow));
    if (FMouseActions->DisjunctRowSelect()) {
        if (ARow < 0)
            return false;
        growRowSelect(ARow);
        return FRowData->RowSelect[ARow] != 0;
    }
    const TGridRect s = Selection();
    return ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TQvStringGrid::SetRowSelect(int ARow, bool value)
{
    if (ARow < 0 || (ARow >= RowCount() + NumHiddenRows() && RowCount() > TStringGrid::FixedRows()))
        throw EQvGridError(QStringLiteral("Invalid row accessed"));
    bool allow = true;
    if ((ARow >= int(FRowData->RowSelect.size()) || (FRowData->RowSelect[ARow] != 0) != value) && OnRowDisjunctSelect)
        OnRowDisjunctSelect(this, ARow, value, allow);
    if (!allow)
        return;
    growRowSelect(ARow);
    if (value) {
        if (!FRowData->RowSelect[ARow])
            RepaintRow(ARow);
        FRowData->RowSelect[ARow] = 1;
        if (!FRowData->SelectedRows.HasValue(ARow) && ARow >= FixedRows())
            FRowData->SelectedRows.Add(ARow);
    } else {
        if (FRowData->RowSelect[ARow])
            RepaintRow(ARow);
        FRowData->RowSelect[ARow] = 0;
        FRowData->SelectedRows.DeleteValue(ARow);
    }
    if (OnRowDisjunctSelected)
        OnRowDisjunctSelected(this, ARow);
}

bool TQvStringGrid::GetColSelect(int ACol)
{
    if (ACol < 0 || ACol >= ColCount())
        throw EQvGridError(QStringLiteral("Invalid column accessed"));
    growColSelect(ACol);
    return FColSelect[ACol] != 0;
}

void TQvStringGrid::SetColSelect(int ACol, bool value)
{
    if (ACol < 0 || ACol >= ColCount())
        throw EQvGridError(QStringLiteral("Invalid column accessed"));
    growColSelect(ACol);
    if ((FColSelect[ACol] != 0) != value)
        RepaintCol(ACol);
    FColSelect[ACol] = value ? 1 : 0;
}

int TQvStringGrid::RowSelectCount() const
{
    if (FMouseActions->DisjunctRowSelect()) {
        const int n = std::min(RowCount() + NumHiddenRows(), int(FRowData->RowSelect.size()));
        int count = 0;
        for (int i = 0; i < n; ++i)
            count += FRowData->RowSelect[i] ? 1 : 0;
        return count;
    }
    const TGridRect s = Selection();
    return std::abs(s.Bottom - s.Top) + 1;
}

int TQvStringGrid::ColSelectCount() const
{
    if (FMouseActions->DisjunctColSelect()) {
        int count = 0;
        for (char f : FColSelect)
            count += f ? 1 : 0;
        return count;
    }
    const TGridRect s = Selection();
    return s.Right - s.Left + 1;
}

// A block that lies wholly outside the grid selects nothing: the current cell follows the
// selection, so it must never leave the grid.
void TQvStringGrid::SelectRows(int rowIndex, int rCount)
{
    FSelChange = false;
    if (rowIndex + rCount > RowCount())
        rCount = RowCount() - rowIndex;
    if (rowIndex < 0 || rCount < 1)
        return;
    if (!FMouseActions->DisjunctRowSelect()) {
        const int left = std::min(TStringGrid::FixedCols(), ColCount() - 1);
        SetSelection({left, rowIndex, ColCount() - 1, rowIndex + rCount - 1});
        if (ActiveCellShow) {
            RepaintRow(0);
            RepaintCol(0);
        }
        if (ActiveRowShow())
            RepaintRow(rowIndex + rCount - 1);
    } else {
        for (int r = rowIndex; r < rowIndex + rCount; ++r)
            if (r < RowCount())
                SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowFromDispl(r) : r, true);
    }
    if (!FRowIndicator->Empty())
        RepaintCol(0);
}

void TQvStringGrid::UnSelectRows(int rowIndex, int rCount)
{
    FSelChange = false;
    if (!FMouseActions->DisjunctRowSelect())
        return;
    for (int r = rowIndex; r < rowIndex + rCount; ++r)
        if (r >= 0 && r < RowCount())
            SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowFromDispl(r) : r, false);
}

void TQvStringGrid::SelectCols(int colIndex, int cCount)
{
    if (colIndex + cCount > ColCount())
        cCount = ColCount() - colIndex;
    if (colIndex < 0 || cCount < 1)
        return;
    if (!FMouseActions->DisjunctColSelect()) {
        SetSelection(
            {colIndex, std::min(TStringGrid::FixedRows(), RowCount() - 1), colIndex + cCount - 1, RowCount() - 1});
        return;
    }
    for (int c = colIndex; c < colIndex + cCount; ++c)
        SetColSelect(c, true);
}

void TQvStringGrid::UnSelectCols(int colIndex, int cCount)
{
    if (!FMouseActions->DisjunctColSelect())
        return;
    for (int c = colIndex; c < colIndex + cCount; ++c)
        if (c >= 0 && c < ColCount())
            SetColSelect(c, false);
}

void TQvStringGrid::SelectRange(int fromCol, int toCol, int fromRow, int toRow)
{
    SetRow(toRow);
    SetCol(toCol);
    SetSelection({fromCol, fromRow, toCol, toRow});
}

void TQvStringGrid::ClearRowSelect()
{
    for (std::size_t r = 0; r < FRowData->RowSelect.size(); ++r)
        if (FRowData->RowSelect[r]) {
            RepaintRow(int(r));
            FRowData->RowSelect[r] = 0;
        }
    FRowData->SelectedRows.Clear();
}

void TQvStringGrid::ClearColSelect()
{
    for (std::size_t c = 0; c < FColSelect.size(); ++c)
        if (FColSelect[c]) {
            RepaintCol(int(c));
            FColSelect[c] = 0;
        }
}

void TQvStringGrid::SyncRowSelectWithSelection(bool allRows)
{
    const TGridRect s = Selection();
    const int top = std::min(s.Top, s.Bottom);
    int bottom = std::max(s.Top, s.Bottom);
    if (bottom >= RowCount() - FFixedFooters)
        bottom = RowCount() - FFixedFooters - 1;
    for (int r = TStringGrid::FixedRows(); r < RowCount(); ++r) {
        const bool inside = r >= top && r <= bottom;
        if (allRows || inside)
            SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowFromDispl(r) : r, inside);
    }
}

void TQvStringGrid::SyncColSelectWithSelection(bool allCols)
{
    const TGridRect s = Selection();
    for (int c = TStringGrid::FixedCols(); c < ColCount(); ++c) {
        const bool inside = c >= s.Left && c <= s.Right;
        if (allCols || inside)
            SetColSelect(c, inside);
    }
}

bool TQvStringGrid::GetRowModified(int ARow) const
{
    return ARow >= 0 && ARow < FRowData->Modified.Count() && FRowData->Modified.GetInteger(ARow) == 1;
}

void TQvStringGrid::SetRowModified(int ARow, bool value)
{
    if (ARow < 0)
        throw EQvGridError(QStringLiteral("Invalid row accessed"));
    while (FRowData->Modified.Count() < ARow + 1)
        FRowData->Modified.Add(0);
    FRowData->Modified.SetInteger(ARow, value ? 1 : 0);
    RepaintCell(0, ARow);
}

int TQvStringGrid::ModifiedRowCount() const
{
    int n = 0;
    for (int i = 0; i < FRowData->Modified.Count(); ++i)
        n += FRowData->Modified.GetInteger(i) == 1 ? 1 : 0;
    return n;
}

bool TQvStringGrid::GetRowEnabled(int ARow) const
{
    if (ARow < 0 || ARow >= FRowData->Enabled.Count())
        return true;
    return FRowData->Enabled.GetInteger(ARow) == 0;
}

void TQvStringGrid::SetRowEnabled(int ARow, bool value)
{
    if (ARow < 0)
        throw EQvGridError(QStringLiteral("Invalid row accessed"));
    if (!value && ARow == Row()) {
        for (int r = TStringGrid::FixedRows(); r < RowCount(); ++r)
            if (r != ARow && GetRowEnabled(r)) {
                SetRow(r);
                break;
            }
    }
    FUseEnabledRows = true;
    while (FRowData->Enabled.Count() < ARow + 1)
        FRowData->Enabled.Add(0);
    FRowData->Enabled.SetInteger(ARow, value ? 0 : 1);
    RepaintRow(ARow);
}

void TQvStringGrid::GotoCell(int ACol, int ARow)
{
    SetRow(ARow);
    SetCol(ACol);
}

void TQvStringGrid::EditCell(int ACol, int ARow)
{
    setFocus();
    GotoCell(ACol, ARow);
    ShowEditor();
}

void TQvStringGrid::FocusCell(int ACol, int ARow)
{
    SetSelection({ACol, ARow, ACol, ARow});
}

void TQvStringGrid::MoveCurrentCell(int ACol, int ARow)
{
    TStringGrid::FocusCell(ACol, ARow, true);
}

void TQvStringGrid::RepaintRect(const TRect& cells)
{
    if (cells.Left < 0 || cells.Top < 0 || cells.Right < 0 || cells.Bottom < 0)
        return;
    const TRect a = CellRect(cells.Left, cells.Top);
    const TRect b = CellRect(std::min(TStringGrid::FixedCols() + VisibleColCount(), cells.Right), cells.Bottom);
    if (a.IsEmpty() || b.IsEmpty()) {
        Invalidate();
        return;
    }
    viewport()->update(UnionRect(a, b).toQRect());
}

void TQvStringGrid::RepaintRow(int ARow)
{
    const TRect r = CellRect(0, ARow);
    if (r.IsEmpty() && (ARow < TopRow() || ARow >= RowCount()))
        return;
    const TRect last = CellRect(std::min(LeftCol() + VisibleColCount(), ColCount() - 1), ARow);
    const int top = r.IsEmpty() ? last.Top : r.Top;
    const int h = RowHeights(ARow);
    viewport()->update(QRect(0, top, std::max(viewport()->width(), last.Right), h));
}

void TQvStringGrid::RepaintCol(int ACol)
{
    const TRect r = CellRect(ACol, TopRow());
    if (r.IsEmpty())
        return;
    viewport()->update(QRect(r.Left, r.Top, ColWidths(ACol), viewport()->height() - r.Top));
}

void TQvStringGrid::RepaintHeaderCells(int ACol1, int ARow1, int ACol2, int ARow2)
{
    const int fr = TStringGrid::FixedRows(), fc = TStringGrid::FixedCols();
    for (auto [c, r] : {std::pair{ACol1, ARow1}, std::pair{ACol2, ARow2}}) {
        if (fr > 0)
            RepaintCell(c, fr - 1);
        if (fc > 0)
            RepaintCell(fc - 1, r);
    }
}

// Raw exchange of texts and objects: no merge redirection, no hooks, no repaint.
void TQvStringGrid::SwapCells(TPoint a, TPoint b)
{
    CheckCellIndex(a.X, a.Y);
    CheckCellIndex(b.X, b.Y);
    const QString ta = GetGridCell(a.X, a.Y), tb = GetGridCell(b.X, b.Y);
    TObject* oa = GetGridObject(a.X, a.Y);
    TObject* ob = GetGridObject(b.X, b.Y);
    SetGridCell(a.X, a.Y, tb);
    SetGridCell(b.X, b.Y, ta);
    SetGridObject(a.X, a.Y, ob);
    SetGridObject(b.X, b.Y, oa);
}

void TQvStringGrid::GotoFirstNormalRow()
{
    const int r = TStringGrid::FixedRows();
    if (r < RowCount())
        SetRow(r);
}

void TQvStringGrid::CellChanging(int newCol, int newRow, bool& allow)
{
    if (newRow != Row() && OnRowChanging)
        OnRowChanging(this, Row(), newRow, allow);
    if (newCol != Col() && OnColChanging)
        OnColChanging(this, Col(), newCol, allow);
    if ((newCol != Col() || newRow != Row()) && !FDisableChange && OnCellChanging)
        OnCellChanging(this, Row(), Col(), newRow, newCol, allow);
}

bool TQvStringGrid::AllowCellSelect(int col, int row)
{
    if (FUseEnabledRows && FNavigation->SkipDisabledRows() && !GetRowEnabled(row))
        return false;
    bool allow = true;
    CellChanging(col, row, allow);
    if (!allow)
        return false;
    return TBaseGrid::AllowCellSelect(col, row);
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

} // namespace grid
