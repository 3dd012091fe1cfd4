// The selected-cells interface: the selection rectangle and the disjunct cell, row and column
// selections read the same way, plus the listener and notifier registrations. Coordinates are
// displayed columns and rows.

#include "grid/QvGrid.h"

#include <algorithm>
#include <cstdlib>

namespace grid {

namespace {

int cellKey(int col, int row)
{
    return TQvStringGrid::SelectedCellKey(col, row);
}

int indexOf(const TIntList& list, int value)
{
    for (int k = 0; k < list.Count(); ++k)
        if (list.GetInteger(k) == value)
            return k;
    return -1;
}

const TMouseActions& mouse(const TQvStringGrid& g)
{
    return const_cast<TQvStringGrid&>(g).MouseActions();
}

} // namespace

void TQvStringGrid::SetSelection(const TGridRect& value)
{
    TStringGrid::SetSelection(value);
    if (ActiveCellShow) {
        RepaintRow(0);
        RepaintCol(0);
    }
    if (ActiveRowShow())
        RepaintRow(value.Bottom);
}

void TQvStringGrid::ClearSelectedCells()
{
    SetSelection({FixedCols(), FixedRows(), FixedCols(), FixedRows()});
    SelectedCellList().Clear();
    Invalidate();
}

// The whole list goes: marks kept for rows beyond the displayed ones (hidden rows) too.
void TQvStringGrid::ClearModifiedRows()
{
    FRowData->Modified.Clear();
    Invalidate();
}

// Without disjunct cell selection the list is rebuilt from the rectangle, column by column.
int TQvStringGrid::SelectedCellsCount()
{
    if (mouse(*this).DisjunctCellSelect())
        return SelectedCellList().Count();
    SelectedCellList().Clear();
    const TGridRect s = Selection();
    if (s.Left == s.Right && s.Top == s.Bottom) {
        SelectedCellList().Add(cellKey(Col(), Row()));
    } else {
        for (int c = s.Left; c <= s.Right; ++c)
            for (int r = s.Top; r <= s.Bottom; ++r)
                if (!SelectedCellList().HasValue(cellKey(c, r)))
                    SelectedCellList().Add(cellKey(c, r));
    }
    return SelectedCellList().Count();
}

TPoint TQvStringGrid::GetSelectedCell(int index) const
{
    const unsigned key = unsigned(SelectedCellList().GetInteger(index));
    return {int(key & 0xFFFF), int(key >> 16)};
}

bool TQvStringGrid::GetSelectedCells(int i, int j) const
{
    if (mouse(*this).DisjunctCellSelect())
        return SelectedCellList().HasValue(cellKey(i, j));
    const TGridRect s = Selection();
    return i >= std::min(s.Left, s.Right) && i <= std::max(s.Left, s.Right) && j >= std::min(s.Top, s.Bottom)
           && j <= std::max(s.Top, s.Bottom);
}

void TQvStringGrid::SetSelectedCells(int i, int j, bool value)
{
    const int key = cellKey(i, j);
    const int k = indexOf(SelectedCellList(), key);
    if (value && k < 0) {
        SelectedCellList().Add(key);
        InvalidateCell(i, j);
    } else if (!value && k >= 0) {
        SelectedCellList().Delete(k);
        InvalidateCell(i, j);
    }
}

int TQvStringGrid::SelectedColCount() const
{
    if (mouse(*this).DisjunctColSelect())
        return ColSelectCount();
    const TGridRect s = Selection();
    if (IsMergedCell(s.Left, s.Top)) {
        const int span = CellSpan(s.Left, s.Top).X;
        return s.Right < s.Left + span ? span + 1 : std::abs(s.Left - s.Right) + 1;
    }
    if (IsMergedCell(s.Right, s.Top))
        return std::abs(s.Left - s.Right) + CellSpan(s.Right, s.Top).X + 1;
    return std::abs(s.Left - s.Right) + 1;
}

// Rows in the footer do not count.
int TQvStringGrid::SelectedRowCount() const
{
    if (mouse(*this).DisjunctRowSelect())
        return RowSelectCount();
    const TGridRect s = Selection();
    const int bottom = std::min(s.Bottom, RowCount() - FixedFooters() - 1);
    if (IsMergedCell(s.Left, s.Top)) {
        const int span = CellSpan(s.Left, s.Top).Y;
        return bottom < s.Top + span ? span + 1 : std::abs(s.Top - bottom) + 1;
    }
    if (IsMergedCell(s.Left, bottom))
        return std::abs(s.Top - bottom) + CellSpan(s.Left, bottom).Y + 1;
    return std::abs(s.Top - bottom) + 1;
}

int TQvStringGrid::GetSelectedRow(int i) const
{
    if (mouse(*this).DisjunctRowSelect()) {
        const TIntList& rows = SelectedRows();
        return i >= 0 && i < rows.Count() ? rows.GetInteger(i) : -1;
    }
    const TGridRect s = Selection();
    const int r = std::min(s.Top, s.Bottom) + i;
    return r <= std::max(s.Top, s.Bottom) ? r : -1;
}

} // namespace grid
