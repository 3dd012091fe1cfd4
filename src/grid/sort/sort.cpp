// The grid's sort members: the design's sort operations as thin forwards to the engine
// (engine.cpp), the run brackets around them, unsorting by the cross-reference, and the header
// click.

#include "grid/QvGrid.h"
#include "grid/sort/GridSort.h"

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

namespace grid {

// ---- the grid's operations -------------------------------------------------------------------

void TQvStringGrid::InitSortXRef()
{
    FSortState->initXRef(RowCount());
}

int TQvStringGrid::CompareSortCells(int ACol, int ARow1, int ARow2, bool ascending)
{
    return compareSortCells(*this, ACol, ARow1, ARow2, ascending);
}

int TQvStringGrid::CompareRows(int ACol, int ARow1, int ARow2)
{
    return compareSortRows(*this, ACol, ARow1, ARow2, false, 0);
}

int TQvStringGrid::CompareRowsIndexed(int ARow1, int ARow2, int i)
{
    return compareSortRows(*this, 0, ARow1, ARow2, true, std::max(0, i));
}

void TQvStringGrid::SortSwapRows(int ARow1, int ARow2)
{
    ++Swaps;
    if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0 || ARow1 >= RowCount() || ARow2 >= RowCount())
        return;
    const int a = std::min(ARow1, ARow2), b = std::max(ARow1, ARow2);
    applyRowOrder({a, b}, {b, a}, SortSettings().Column());
}

void TQvStringGrid::QSort()
{
    auto& ss = SortSettings();
    if (ss.Column() < 0)
        return;
    if (FSortState->RowXRef.Count() != RowCount())
        InitSortXRef();
    FSortState->Indexes.Clear();
    TSortBracket bracket(*this, true);
    try {
        const int oldRow = Row();
        SortRow = oldRow;
        sortRange(bracket.first, bracket.last, false, ss.Column());
        if (!FMouseActions->DisjunctRowSelect()) {
            const int row = FNavigation->MoveRowOnSort() ? SortRow : oldRow;
            if (row != Row() && row >= 0 && row < RowCount())
                FocusCell(Col(), row);
        }
        // The same row index now shows other data.
        if (OnRowUpdate && !FNavigation->MoveRowOnSort())
            OnRowUpdate(this, oldRow, Row());
    } catch (...) {
        bracket.restore();
        throw;
    }
    bracket.restore();
}

void TQvStringGrid::QSortIndexed()
{
    if (FSortState->Indexes.Count() == 0)
        throw EQvGridError(QStringLiteral("No indexes specified for indexed sort"));
    if (FSortState->RowXRef.Count() != RowCount())
        InitSortXRef();
    TSortBracket bracket(*this, true);
    try {
        const int oldRow = Row();
        SortRow = oldRow;
        sortRange(bracket.first, bracket.last, true, -1);
        const int row = FNavigation->MoveRowOnSort() ? SortRow : oldRow;
        if (row != Row() && row >= 0 && row < RowCount())
            FocusCell(Col(), row);
    } catch (...) {
        bracket.restore();
        throw;
    }
    bracket.restore();
}

void TQvStringGrid::sortGroups(bool indexed)
{
    if (!indexed && SortSettings().Column() < 0)
        return;
    if (indexed && FSortState->Indexes.Count() == 0)
        return;
    if (FSortState->RowXRef.Count() != RowCount())
        InitSortXRef();
    TSortBracket bracket(*this, false);
    try {
        const int oldRow = Row();
        SortRow = oldRow;
        int deepest = -1;
        for (int r = bracket.first; r <= bracket.last; ++r)
            if (IsNode(r))
                deepest = std::max(deepest, GetNodeLevel(r));
        for (int r = bracket.first; deepest >= 0 && r <= bracket.last; ++r) {
            if (!IsNode(r) || GetNodeLevel(r) != deepest || GetNodeState(r))
                continue; // not a node of the deepest level, or contracted
            const int span = GetNodeSpan(r);
            if (span > 2)
                sortRange(r + 1, std::min(r + span - 1, bracket.last), indexed, SortSettings().Column());
        }
        const int row = FNavigation->MoveRowOnSort() ? SortRow : oldRow;
        if (row != Row() && row >= 0 && row < RowCount())
            FocusCell(Col(), row);
    } catch (...) {
        bracket.restore();
        throw;
    }
    bracket.restore();
}

void TQvStringGrid::QSortGroup()
{
    sortGroups(false);
}

void TQvStringGrid::QSortGroupIndexed()
{
    sortGroups(true);
}

void TQvStringGrid::QUnSort()
{
    const int n = RowCount();
    // The cross-reference is a valid record only for as many rows as it was made for; after
    // rows came or went the order of now is the one to come back to.
    bool valid = FSortState->RowXRef.Count() == n;
    std::vector<int> from(valid ? std::size_t(n) : 0, -1);
    for (int q = 0; valid && q < n; ++q) {
        const int p = FSortState->RowXRef.GetInteger(q);
        valid = p >= 0 && p < n && from[std::size_t(p)] < 0;
        if (valid)
            from[std::size_t(p)] = q;
    }
    if (!valid) {
        InitSortXRef();
        return;
    }
    FSortState->UnSortRowXRef.Clear();
    for (int q = 0; q < n; ++q)
        FSortState->UnSortRowXRef.Add(FSortState->RowXRef.GetInteger(q));
    std::vector<int> at(static_cast<std::size_t>(n));
    bool moved = false;
    for (int p = 0; p < n; ++p) {
        at[std::size_t(p)] = p;
        moved = moved || from[std::size_t(p)] != p;
    }
    if (!moved)
        return;
    TSortBracket bracket(*this, false);
    try {
        applyRowOrder(at, from, SortSettings().Column());
    } catch (...) {
        bracket.restore();
        throw;
    }
    bracket.restore();
}

void TQvStringGrid::Sort(int Column, TSortDirection Direction)
{
    SortSettings().SetColumn(Column);
    SortSettings().SetDirection(Direction);
    QSort();
}

void TQvStringGrid::SortByColumn(int Col)
{
    if (RowCount() <= 1)
        return;
    SortSettings().SetColumn(Col);
    QSort();
}

void TQvStringGrid::QuickSort(int Col, int Left, int Right)
{
    sortRange(Left, Right, false, Col);
}

void TQvStringGrid::QuickSortIndexed(int Left, int Right)
{
    sortRange(Left, Right, true, -1);
}

bool TQvStringGrid::SortLine(int Col, int ARow1, int ARow2)
{
    SortDir = SortSettings().Direction() == sdDescending ? -1 : 1;
    if (CompareRows(Col, ARow1, ARow2) != SortDir)
        return false;
    SortSwapRows(ARow1, ARow2);
    return true;
}

// ---- the header click ------------------------------------------------------------------------

void TQvStringGrid::clickSort(int ACol, Qt::KeyboardModifiers shift)
{
    auto& ss = SortSettings();
    HideInplaceEdit();
    if (FSortState->RowXRef.Count() != RowCount())
        InitSortXRef();
    // Merges follow rows, not values: made over the old order they would join rows that are
    // no longer equal, so they are undone before the sort and made again after it.
    if (ss.AutoColumnMerge())
        SplitAllColumnCells();
    const bool initAscending = ss.InitSortDirection() == sdAscending;
    // The left column stays where it is while the rows change under it.
    const int leftCol = LeftCol();
    const bool keepLeft = HasOption(goRowSelect) && FNavigation->KeepHorizScroll();
    QElapsedTimer clock;
    clock.start();
    if (ss.IndexShow()) {
        const Qt::KeyboardModifier key = ss.IndexSortKey() == ikCtrl ? Qt::ControlModifier : Qt::ShiftModifier;
        TSortIndexList& keys = FSortState->Indexes;
        if (shift.testFlag(key)) {
            if (keys.FindIndex(ACol) < 0)
                keys.AddIndex(ACol, initAscending);
            else
                keys.ToggleIndex(ACol);
        } else if (keys.Count() == 1 && keys.SortColumns(0) == ACol) {
            keys.ToggleIndex(ACol);
        } else {
            keys.Clear();
            keys.AddIndex(ACol, initAscending);
        }
        if (HasNodes())
            QSortGroupIndexed();
        else
            QSortIndexed();
        ss.SetColumn(keys.Count() > 0 ? keys.SortColumns(0) : -1);
    } else {
        bool undo = false;
        if (ACol == ss.Column()) {
            undo = ss.UndoSort() && ss.Direction() != ss.InitSortDirection();
            ss.SetDirection(ss.Direction() == sdAscending ? sdDescending : sdAscending);
        } else {
            ss.SetDirection(ss.InitSortDirection());
            ss.SetColumn(ACol);
        }
        if (HasNodes()) {
            QSortGroup();
        } else if (undo) {
            QUnSort();
            ss.SetColumn(-1);
        } else {
            QSort();
        }
    }
    if (keepLeft && LeftCol() != leftCol)
        SetLeftCol(leftCol);
    SortTime = unsigned(clock.elapsed());
    if (ss.AutoColumnMerge())
        RemergeColumns();
    if (FRowData->Controls.Count() > 0)
        CellControlsUpdate();
    ClickSort(ss.Column());
}

void TQvStringGrid::ClickSort(int ACol)
{
    if (OnClickSort)
        OnClickSort(this, ACol);
}

} // namespace grid
