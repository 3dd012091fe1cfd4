// Moving rows and columns with everything that belongs to them, hiding and restoring the
// selection, the used area of the grid, the row and column range that saves and exports
// write, and the placing of the controls that sit in cells.

#include "grid/QvGrid.h"

#include <algorithm>

namespace grid {

namespace {

// The index an entry at i has after the entry at from moved to to. An entry standing at to
// during a move to the right closes up one place like those before it.
int followMove(int i, int from, int to)
{
    if (i == from)
        return to;
    if (from < to && i > from && i <= to)
        return i - 1;
    if (to < from && i >= to && i < from)
        return i + 1;
    return i;
}

// Takes the entry at from out and puts it in at to, the entries between closing up.
template <class It>
void moveEntry(It first, int from, int to)
{
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else if (to < from)
        std::rotate(first + to, first + from, first + from + 1);
}

} // namespace

// ---- moves ------------------------------------------------------------------------------------

void TQvStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FColumnOrder->Count() == 0)
        SetColumnOrder();
    const int rf = RealColFromDispl(FromIndex);
    const int rt = RealColFromDispl(ToIndex);
    TStringGrid::MoveColumn(FromIndex, ToIndex);
    for (int i = 0; i < FRowData->Controls.Count(); ++i) {
        TControlItem* item = FRowData->Controls.GetControl(i);
        item->SetX(followMove(item->X(), rf, rt));
    }
    CellControlsUpdate();
}

// ---- move upkeep -------------------------------------------------------------------------------

// The coupled grid repeats the move with its FSyncedMove set, so it does not hand the move back.
// A coupled grid too small for it is left alone rather than failing a move that is done.
void TQvStringGrid::repeatMoveOnCoupledGrid(int FromIndex, int ToIndex, void (TQvStringGrid::*move)(int, int))
{
    auto* coupled = dynamic_cast<TQvStringGrid*>(FSyncGrid->Grid());
    if (!coupled || FSyncedMove)
        return;
    const int count = move == &TQvStringGrid::MoveColumn ? coupled->ColCount() : coupled->RowCount();
    if (std::max(FromIndex, ToIndex) >= count)
        return;
    coupled->FSyncedMove = true;
    try {
        (coupled->*move)(FromIndex, ToIndex);
    } catch (...) {
        coupled->FSyncedMove = false;
        throw;
    }
    coupled->FSyncedMove = false;
}

void TQvStringGrid::ColumnMoved(int fromIndex, int toIndex)
{
    ColumnMovedUpdate(fromIndex, toIndex);
}

void TQvStringGrid::RowMoved(int fromIndex, int toIndex)
{
    RowMovedUpdate(fromIndex, toIndex);
}

// The platform has moved the displayed widths and the current column already. Cells, hidden
// flags, stored widths and hidden-row texts move by real index, the event reports displayed ones.
void TQvStringGrid::ColumnMovedUpdate(int FromIndex, int ToIndex)
{
    const int rf = RealColFromDispl(FromIndex);
    const int rt = RealColFromDispl(ToIndex);
    moveColumnOrderEntry(rf, rt);
    // The release that ended the move does nothing more (no header sort).
    ColMoveFlg = true;
    if (FNumHidden > 0 && rf <= MaxHideColumns && rt <= MaxHideColumns) {
        moveEntry(FVisibleCol.begin(), rf, rt);
        moveEntry(FAllColWidths.begin(), rf, rt);
    }
    store.MoveCol(rf, rt);
    FGridItems.columnMoved(rf, rt);
    // The sort indicator and the sort keys stay with their columns; the keys keep their
    // directions.
    TSortSettings& sort = SortSettings();
    if (sort.Column() >= 0)
        sort.SetColumn(followMove(sort.Column(), rf, rt));
    if (sort.IndexShow()) {
        TSortIndexList& keys = FSortState->Indexes;
        for (int i = 0; i < keys.Count(); ++i)
            keys.SetSortColumns(i, followMove(keys.SortColumns(i), rf, rt));
    }
    if (FloatingFooter.Visible())
        RepaintRow(RowCount() - 1);
    if (OnColumnMoved)
        OnColumnMoved(this, FromIndex, ToIndex);
    if (FSyncGrid->MoveColumn())
        repeatMoveOnCoupledGrid(FromIndex, ToIndex, &TQvStringGrid::MoveColumn);
}

// The platform has moved the row's height and the current row already; a move onto a fixed
// last-row footer never gets this far (MoveRow refuses it before anything moves).
void TQvStringGrid::RowMovedUpdate(int FromIndex, int ToIndex)
{
    store.MoveRow(FromIndex, ToIndex);
    // The release that ended the move does nothing more (no header sort).
    ColMoveFlg = true;
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
    if (FSyncGrid->MoveRow())
        repeatMoveOnCoupledGrid(FromIndex, ToIndex, &TQvStringGrid::MoveRow);
}

// A row moves in the real order: the hidden rows between its old and new place close up
// behind it, so every hidden row keeps its neighbours.
void TQvStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FloatingFooter.Visible() && FloatingFooter.FooterStyle() == fsFixedLastRow && ToIndex == RowCount() - 1)
        return;
    if (FromIndex < 0 || FromIndex >= RowCount() || ToIndex < 0 || ToIndex >= RowCount())
        throw EInvalidGridOperation(SGridIndexOutOfRange);
    const int rf = RealRowIndex(FromIndex);
    const int rt = RealRowIndex(ToIndex);
    TStringGrid::MoveRow(FromIndex, ToIndex);
    if (FromIndex == ToIndex)
        return;
    FGridItems.rowMoved(rf, rt);
    FRowData->move(rf, rt);
    CellControlsUpdate();
}

// The rows travel with their texts, cell objects, flags and controls; they take the default
// height at their new place. ToIndex names the row the block goes in front of, counted before
// the move.
void TQvStringGrid::MoveRows(int FromIndex, int ToIndex, int Count)
{
    if (FromIndex == ToIndex || Count <= 0 || FromIndex < 0 || FromIndex >= RowCount())
        return;
    Count = std::min(Count, RowCount() - FromIndex);
    if (FromIndex + Count <= ToIndex)
        ToIndex -= Count;
    std::vector<int> rows(static_cast<std::size_t>(Count));
    std::vector<std::unique_ptr<TGridItem>> kept;
    for (int k = 0; k < Count; ++k) {
        rows[std::size_t(k)] = FromIndex + k;
        kept.push_back(takeRow(FromIndex + k, 0));
    }
    const std::vector<int> oldReal = realRowsOf(rows);
    const TRowSideData::TRowFlags flags = FRowData->take(oldReal);
    std::vector<TControlItem> controls;
    BeginUpdate();
    try {
        removeRowList(rows, false, &controls);
        ToIndex = std::clamp(ToIndex, 0, RowCount());
        InsertRows(ToIndex, Count, true);
        for (int k = 0; k < Count; ++k) {
            TGridItem& item = *kept[std::size_t(k)];
            item.FHeight = 0;
            putRow(ToIndex + k, item);
            const int real = RealRowIndex(ToIndex + k);
            // Back through the setters, so a disabled row keeps the current row off it.
            if (flags.modified[std::size_t(k)] != 0)
                SetRowModified(real, true);
            if (flags.enabled[std::size_t(k)] != 0)
                SetRowEnabled(real, false);
            if (flags.selected[std::size_t(k)] != 0)
                FRowData->putSelected(real, flags.listed[std::size_t(k)] != 0);
        }
        for (const TControlItem& c : controls) {
            const auto k = std::lower_bound(oldReal.begin(), oldReal.end(), c.Y()) - oldReal.begin();
            if (c.Control())
                FRowData->Controls.AddControl(c.X(), RealRowIndex(ToIndex + int(k)), c.Control());
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    CellControlsUpdate();
}

// ---- selection -------------------------------------------------------------------------------

// The selection moves just outside the grid, so no cell shows selected; a second call keeps
// the selection the first one saved.
void TQvStringGrid::HideSelection()
{
    if (!FSelHidden)
        FOldSelection = Selection();
    SetSelection({ColCount(), RowCount(), ColCount(), RowCount()});
    FSelHidden = true;
}

void TQvStringGrid::UnHideSelection()
{
    FSelHidden = false;
    TGridRect s = FOldSelection;
    if (s.Top < RowCount() && s.Left < ColCount()) {
        s.Right = std::min(s.Right, ColCount() - 1);
        s.Bottom = std::min(s.Bottom, RowCount() - 1);
        SetSelection(s);
        return;
    }
    const int left = FFixedColAlways && FixedCols() == ColCount() ? 0 : FixedCols();
    const int top = FFixedRowAlways && FixedRows() == RowCount() ? 0 : FixedRows();
    SetSelection({left, top, left, top});
}

void TQvStringGrid::UpdateEditMode()
{
    AllowCellSelect(Col(), Row());
}

// ---- used cells and save range ------------------------------------------------------------------

TRect TQvStringGrid::UsedCellRect() const
{
    bool any = false;
    TRect used;
    for (int r = 0; r < RowCount(); ++r) {
        if (!store.RowHasData(r))
            continue;
        for (int c = 0; c < ColCount(); ++c) {
            if (store.TextView(RealColFromDispl(c), r).isEmpty())
                continue;
            if (!any) {
                used = {c, r, c, r};
                any = true;
            } else {
                used.Left = std::min(used.Left, c);
                used.Right = std::max(used.Right, c);
                used.Bottom = r;
            }
        }
    }
    return used;
}

int TQvStringGrid::SaveStartCol() const
{
    return SaveFixedCells || SaveFixedCols ? 0 : FixedCols();
}

int TQvStringGrid::SaveEndCol() const
{
    return SaveFixedCells || SaveFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
}

int TQvStringGrid::SaveColCount() const
{
    return SaveFixedCells || SaveFixedCols ? ColCount() : ColCount() - FixedCols() - FFixedRightCols;
}

int TQvStringGrid::SaveStartRow() const
{
    return SaveFixedCells || SaveFixedRows ? 0 : FixedRows();
}

int TQvStringGrid::SaveEndRow() const
{
    return SaveFixedCells || SaveFixedRows ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
}

int TQvStringGrid::SaveRowCount() const
{
    return SaveFixedCells || SaveFixedRows ? RowCount() : RowCount() - FixedRows() - FFixedFooters;
}

} // namespace grid
