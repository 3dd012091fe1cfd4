// Row and column structure: inserting, appending and removing rows and columns, removing or
// hiding rows by selection, check state or duplicate text, clearing, trimming and colouring
// blocks of cells, merging and splitting cells by equal content, joining two columns, and two
// cell lookups.
//
// The side lists that follow the rows (store/RowSideData.h) and the hidden-row store are keyed
// by real row, so a hidden row keeps its place among its neighbours whatever is inserted or
// removed around it. Removing many rows closes the gaps once: every removal goes through one
// list of rows.

#include "grid/QvGrid.h"

#include <QSet>

#include <algorithm>
#include <limits>
#include <numeric>

namespace grid {

namespace {

constexpr int kAllCols = std::numeric_limits<int>::max();

// Frees a cell object the grid made; the graphic goes with it unless it is one of the shared
// check-box graphics, which only let go of the cell.
void freeProperties(TCellProperties* p)
{
    if (auto* g = dynamic_cast<TCellGraphic*>(p->FGraphicObject)) {
        const bool shared = g->FCellType == ctVirtCheckBox || g->FCellType == ctRowCheckBox;
        if (!shared && g->ClassName() == QLatin1String("TCellGraphic"))
            delete g;
    }
    p->FGraphicObject = nullptr;
    delete p;
}

// Trims leading and trailing characters at or below the blank (control characters too).
QString trimBlanks(const QString& s)
{
    int b = 0;
    int e = int(s.size());
    while (b < e && s[b].unicode() <= ' ')
        ++b;
    while (e > b && s[e - 1].unicode() <= ' ')
        --e;
    return b == 0 && e == int(s.size()) ? s : s.mid(b, e - b);
}

} // namespace

// ---- rows ----------------------------------------------------------------------------------------

std::vector<int> TQvStringGrid::realRowsOf(const std::vector<int>& displRows) const
{
    if (FGridItems.empty())
        return displRows;
    std::vector<int> hidden;
    hidden.reserve(FGridItems.size());
    for (const auto& item : FGridItems)
        hidden.push_back(item->FIdx);
    std::sort(hidden.begin(), hidden.end());
    hidden.erase(std::unique(hidden.begin(), hidden.end()), hidden.end());
    std::vector<int> real;
    real.reserve(displRows.size());
    std::size_t j = 0;
    for (int d : displRows) {
        int r = d + int(j);
        while (j < hidden.size() && hidden[j] <= r) {
            ++j;
            r = d + int(j);
        }
        real.push_back(r);
    }
    return real;
}

// The row index that was current stays current while it is still a normal row; else the
// last normal row.
void TQvStringGrid::restoreCurrentRow(int oldRow, int oldTop)
{
    const int lastNormal = RowCount() - FFixedFooters - 1;
    if (oldRow <= lastNormal && oldRow >= FixedRows()) {
        if (!FMouseActions->DisjunctRowSelect())
            FocusCell(Col(), oldRow);
        if (oldTop < RowCount())
            SetTopRow(std::max(oldTop, FixedRows()));
    } else {
        FocusCell(Col(), lastNormal);
    }
}

void TQvStringGrid::removeRowList(const std::vector<int>& rows, bool freeObjects, std::vector<TControlItem>* taken)
{
    if (rows.empty())
        return;
    const int oldRow = Row();
    const int oldTop = TopRow();
    const int oldFixed = FixedRows();
    const std::vector<int> real = realRowsOf(rows);
    BeginUpdate();
    try {
        // Controls of the removed rows go (or to the caller, who moves them); the others and
        // the flags follow their rows.
        FRowData->remove(real, taken);
        if (freeObjects && FHasCellProps)
            for (int r : rows)
                FreeCellObjects(0, r, kAllCols, r);
        FGridItems.rowsRemoved(real);
        const int n = int(rows.size());
        if (rows.back() - rows.front() + 1 == n)
            RemoveStoreRows(rows.front(), n);
        else
            RemoveStoreRowList(rows);
        FMaxRowCount = std::max(RowCount(), FMaxRowCount - n);
        FNormalRowCount = RowCount();
        // With no normal row left the selection is hidden. Normal rows are counted with the
        // fixed rows the grid had before: a grid left with its header row only lowers them.
        if (RowCount() - FFixedFooters - 1 < oldFixed)
            HideSelection();
        else
            restoreCurrentRow(oldRow, oldTop);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    if (!destroying)
        CellsChanged({0, rows.front(), ColCount() - 1, rows.back() + 1});
    if (FRowData->Controls.Count() > 0)
        CellControlsUpdate();
}

void TQvStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls)
{
    if (RCount <= 0)
        return;
    RowIndex = std::clamp(RowIndex, 0, RowCount());
    // A current cell outside the grid comes back on the first normal cell.
    if (!FSelHidden && (Row() >= RowCount() || Col() >= ColCount()))
        FOldSelection = {ColCount(), RowCount(), ColCount(), RowCount()};
    if (FSelHidden || Row() >= RowCount() || Col() >= ColCount())
        UnHideSelection();
    const int real = FGridItems.empty() ? RowIndex : RealRowFromDispl(RowIndex);
    InsertStoreRows(RowIndex, RCount);
    FGridItems.rowsInserted(real, RCount);
    FRowData->insert(real, RCount, UpdateCellControls);
    if (UpdateCellControls && FRowData->Controls.Count() > 0)
        CellControlsUpdate();
    FMaxRowCount = std::max(FMaxRowCount, RowCount());
    FNormalRowCount = RowCount();
    if (!destroying)
        CellsChanged({0, RowIndex, ColCount() - 1, RowIndex + RCount});
}

void TQvStringGrid::insertRowList(const std::vector<int>& at)
{
    if (at.empty())
        return;
    if (!FSelHidden && (Row() >= RowCount() || Col() >= ColCount()))
        FOldSelection = {ColCount(), RowCount(), ColCount(), RowCount()};
    if (FSelHidden || Row() >= RowCount() || Col() >= ColCount())
        UnHideSelection();
    // The old displayed row each new row goes in before, and that row's real index.
    std::vector<int> before(at.size());
    for (std::size_t k = 0; k < at.size(); ++k)
        before[k] = at[k] - int(k);
    const std::vector<int> real = realRowsOf(before);
    FGridItems.rowsInsertedBefore(real);
    FRowData->insertBefore(real);
    InsertStoreRowList(at, std::vector<int>(at.size(), DefaultRowHeight()));
    if (FRowData->Controls.Count() > 0)
        CellControlsUpdate();
    FMaxRowCount = std::max(FMaxRowCount, RowCount());
    FNormalRowCount = RowCount();
    if (!destroying)
        CellsChanged({0, at.front(), ColCount() - 1, at.back() + 1});
}

void TQvStringGrid::AddRow()
{
    if (FloatingFooter.Visible()) {
        InsertRows(RowCount() - 1, 1, true);
        if (FloatingFooter.FooterStyle() == fsFixedLastRow)
            ClearRows(RowCount() - 2, 1);
    } else {
        InsertRows(RowCount(), 1, true);
        ClearRows(RowCount() - 1, 1);
    }
}

void TQvStringGrid::RemoveRows(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
        return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    std::vector<int> rows(static_cast<std::size_t>(RCount));
    std::iota(rows.begin(), rows.end(), RowIndex);
    removeRowList(rows, true);
}

// The objects of every column go, the hidden columns' included: nothing the grid made is
// left without an owner.
void TQvStringGrid::RemoveRowsFreeing(int RowIndex, int RCount)
{
    RemoveRows(RowIndex, RCount);
}

// Rows leave the displayed grid with their objects, which the caller now holds. Rows being
// hidden keep their real indexes in the store and their flags; rows taken for a move leave
// their places as removed rows do.
void TQvStringGrid::RemoveRowsEx(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
        return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    if (FRowsBeingHidden) {
        RemoveStoreRows(RowIndex, RCount);
        FNormalRowCount = RowCount();
        return;
    }
    std::vector<int> rows(static_cast<std::size_t>(RCount));
    std::iota(rows.begin(), rows.end(), RowIndex);
    removeRowList(rows, false);
}

void TQvStringGrid::RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked)
{
    const int last = RowCount() - FFixedFooters - 1;
    if (last < FixedRows())
        return;
    std::vector<int> normal(std::size_t(last - FixedRows() + 1));
    std::iota(normal.begin(), normal.end(), FixedRows());
    const std::vector<int> real = realRowsOf(normal);
    std::vector<int> rows;
    for (std::size_t i = 0; i < normal.size(); ++i)
        if (IsChecked(CheckBoxColumn, real[i]) == RemoveChecked)
            rows.push_back(normal[i]);
    BeginUpdate();
    try {
        removeRowList(rows, true);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TQvStringGrid::RemoveDuplicates(int ACol, bool DoCase)
{
    const int col = RealColFromDispl(ACol);
    QSet<QString> seen;
    std::vector<int> rows;
    for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r) {
        const QString text = DoCase ? Cells(col, r) : Cells(col, r).toCaseFolded();
        if (seen.contains(text))
            rows.push_back(r);
        else
            seen.insert(text);
    }
    BeginUpdate();
    try {
        removeRowList(rows, true);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TQvStringGrid::RemoveSelectedRows()
{
    const int first = FixedRows();
    const int last = RowCount() - FFixedFooters - 1;
    std::vector<int> rows;
    const bool disjunct = FMouseActions->DisjunctRowSelect();
    if (disjunct) {
        const bool persistent = FMouseActions->RowSelectPersistent();
        for (int r = first; r <= last; ++r)
            if (GetRowSelect(persistent ? RealRowIndex(r) : r))
                rows.push_back(r);
    } else {
        const TGridRect s = Selection();
        for (int r = std::max(first, std::min(s.Top, s.Bottom)); r <= std::min(last, std::max(s.Top, s.Bottom)); ++r)
            rows.push_back(r);
    }
    BeginUpdate();
    try {
        removeRowList(rows, true);
        if (disjunct)
            ClearRowSelect();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TQvStringGrid::RemoveUnSelectedRows()
{
    std::vector<int> rows;
    for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r)
        if (!GetRowSelect(r))
            rows.push_back(r);
    BeginUpdate();
    try {
        removeRowList(rows, true);
        const int normal = RowCount() - FixedRows() - FFixedFooters;
        if (FMouseActions->RowSelectPersistent() && normal > 0)
            SelectRows(FixedRows(), normal);
        else
            ClearRowSelect();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// The rows to hide are chosen before the first one goes: hiding moves the rows below it, so a
// selection read meanwhile would name other rows.
void TQvStringGrid::HideSelectedRows()
{
    const bool persistent = FMouseActions->RowSelectPersistent();
    std::vector<int> real;
    for (int r = RowCount() - FFixedFooters - 1; r >= FixedRows(); --r)
        if (GetRowSelect(persistent ? RealRowIndex(r) : r))
            real.push_back(RealRowIndex(r));
    BeginUpdate();
    for (int r : real)
        HideRows(r, r);
    EndUpdate();
}

void TQvStringGrid::HideUnSelectedRows()
{
    const bool persistent = FMouseActions->RowSelectPersistent();
    std::vector<int> real;
    for (int r = RowCount() - FFixedFooters - 1; r >= FixedRows(); --r)
        if (!GetRowSelect(persistent ? RealRowIndex(r) : r))
            real.push_back(RealRowIndex(r));
    BeginUpdate();
    for (int r : real)
        HideRows(r, r);
    EndUpdate();
}

// ---- columns ----------------------------------------------------------------------------------

// Per real column: shown or hidden, and its width (the displayed width, or the one kept
// while hidden).
void TQvStringGrid::columnLayout(std::vector<bool>& visible, std::vector<int>& widths) const
{
    const int total = TotalColCount();
    visible.assign(std::size_t(total), true);
    widths.assign(std::size_t(total), DefaultColWidth());
    int d = 0;
    for (int c = 0; c < total; ++c) {
        const bool shown = !IsHiddenColumn(c);
        visible[std::size_t(c)] = shown;
        widths[std::size_t(c)] = shown ? ColWidths(d++) : FAllColWidths[std::size_t(c)];
    }
}

// Only the first MaxHideColumns columns can be hidden: a hidden column pushed beyond them is
// shown again.
void TQvStringGrid::applyColumnLayout(const std::vector<bool>& visible, const std::vector<int>& widths)
{
    FVisibleCol.fill(true);
    int hidden = 0;
    int shown = 0;
    for (std::size_t c = 0; c < visible.size(); ++c) {
        if (!visible[c] && c < std::size_t(MaxHideColumns)) {
            FVisibleCol[c] = false;
            FAllColWidths[c] = short(widths[c]);
            ++hidden;
        } else {
            ++shown;
        }
    }
    FNumHidden = hidden;
    TStringGrid::SetColCount(std::max(1, shown));
    int d = 0;
    for (std::size_t c = 0; c < visible.size(); ++c)
        if (visible[c] || c >= std::size_t(MaxHideColumns))
            SetColWidths(d++, widths[c]);
    FMaxColCount = std::max(FMaxColCount, ColCount());
}

void TQvStringGrid::InsertCols(int ColIndex, int CCount)
{
    if (CCount < 1)
        return;
    const int total = TotalColCount();
    ColIndex = std::clamp(ColIndex, 0, total);
    HideEditor();
    std::vector<bool> visible;
    std::vector<int> widths;
    columnLayout(visible, widths);
    store.InsertCols(ColIndex, CCount);
    for (auto& item : FGridItems)
        item->Cells.InsertCols(ColIndex, CCount);
    visible.insert(visible.begin() + ColIndex, std::size_t(CCount), true);
    widths.insert(widths.begin() + ColIndex, std::size_t(CCount), DefaultColWidth());
    applyColumnLayout(visible, widths);
}

void TQvStringGrid::RemoveCols(int ColIndex, int CCount)
{
    const int total = TotalColCount();
    if (ColIndex < 0 || ColIndex >= total || CCount < 1)
        return;
    CCount = std::min(CCount, total - ColIndex);
    HideEditor();
    std::vector<bool> visible;
    std::vector<int> widths;
    columnLayout(visible, widths);
    const int last = ColIndex + CCount - 1;
    FreeCellObjects(ColIndex, 0, last, std::numeric_limits<int>::max());
    store.DeleteCols(ColIndex, CCount);
    for (auto& item : FGridItems) {
        item->Cells.ForEachObject(
            [](int, TObject* o) {
                if (auto* p = dynamic_cast<TCellProperties*>(o))
                    freeProperties(p);
            },
            ColIndex, last);
        item->Cells.DeleteCols(ColIndex, CCount);
    }
    visible.erase(visible.begin() + ColIndex, visible.begin() + last + 1);
    widths.erase(widths.begin() + ColIndex, widths.begin() + last + 1);
    applyColumnLayout(visible, widths);
    if (!destroying)
        CellsChanged({ColIndex, 0, ColIndex + CCount, RowCount() - 1});
}

void TQvStringGrid::RemoveSelectedCols()
{
    if (FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c)
            if (GetColSelect(c)) {
                RemoveCols(RealColFromDispl(c), 1);
                if (c < int(FColSelect.size()))
                    FColSelect.erase(FColSelect.begin() + c);
            }
        return;
    }
    const TGridRect s = Selection();
    for (int c = std::max(s.Left, s.Right); c >= std::min(s.Left, s.Right); --c)
        RemoveCols(RealColFromDispl(c), 1);
}

void TQvStringGrid::RemoveUnSelectedCols()
{
    if (FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c)
            if (!GetColSelect(c)) {
                RemoveCols(RealColFromDispl(c), 1);
                if (c < int(FColSelect.size()))
                    FColSelect.erase(FColSelect.begin() + c);
            }
    } else {
        const TGridRect s = Selection();
        const int left = std::min(s.Left, s.Right);
        const int right = std::max(s.Left, s.Right);
        for (int c = ColCount() - 1; c > right; --c)
            RemoveCols(RealColFromDispl(c), 1);
        for (int c = left - 1; c >= FixedCols(); --c)
            RemoveCols(RealColFromDispl(c), 1);
    }
    ClearColSelect();
}

void TQvStringGrid::MergeCols(int ColIndex1, int ColIndex2, const QString& Separator)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCells(ColIndex1, r, trimBlanks(Cells(ColIndex1, r) + Separator + Cells(ColIndex2, r)));
    RemoveCols(ColIndex2, 1);
}

// ---- clearing, trimming, colouring --------------------------------------------------------------

void TQvStringGrid::clearBlock(int c1, int r1, int c2, int r2, bool mapColumns)
{
    if (RowCount() <= 0 || ColCount() <= 0 || c2 < c1 || r2 < r1)
        return;
    c1 = std::max(c1, 0);
    r1 = std::max(r1, 0);
    for (int r = r1; r <= r2; ++r) {
        if (!store.RowHasData(r))
            continue;
        for (int c = c1; c <= c2; ++c) {
            const int sc = mapColumns ? RealColFromDispl(c) : c;
            if (!ClearTextOnly) {
                if (TObject* o = store.Object(sc, r)) {
                    store.SetObject(sc, r, nullptr);
                    // A user object in the slot only lets go of the cell: its owner frees it.
                    if (auto* p = dynamic_cast<TCellProperties*>(o); p && !FNilObjects)
                        freeProperties(p);
                }
            }
            if (!destroying && !store.TextView(sc, r).isEmpty()) {
                SetCellEx(sc, r, QString());
                if (sc != c)
                    RepaintCell(c, r);
            }
        }
    }
    // Objects kept for the text-only clear still need freeing later: the flag stays then.
    if (!ClearTextOnly && c1 == 0 && r1 == 0 && c2 >= TotalColCount() - 1 && r2 >= RowCount() - 1)
        FHasCellProps = false;
    if (!destroying && !FBlockCellChange) {
        const int s1 = mapColumns ? RealColFromDispl(c1) : c1;
        const int s2 = mapColumns ? RealColFromDispl(c2) : c2;
        CellsChanged({s1, r1, s2, r2});
    }
}

void TQvStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    clearBlock(ACol1, ARow1, ACol2, ARow2, SaveHiddenCells);
}

void TQvStringGrid::ClearRows(int RowIndex, int RCount)
{
    if (RCount < 1)
        return;
    clearBlock(0, RowIndex, TotalColCount() - 1, RowIndex + RCount - 1, false);
}

void TQvStringGrid::ClearNormalRows(int RowIndex, int RCount)
{
    if (RCount < 1)
        return;
    clearBlock(FixedCols(), RowIndex, TotalColCount() - FFixedRightCols - 1, RowIndex + RCount - 1, false);
}

void TQvStringGrid::ClearCols(int ColIndex, int CCount)
{
    if (CCount < 1)
        return;
    clearBlock(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1, false);
}

void TQvStringGrid::ClearNormalCols(int ColIndex, int CCount)
{
    if (CCount < 1)
        return;
    clearBlock(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - FFixedFooters - 1, false);
}

void TQvStringGrid::ClearNormalCells()
{
    if (HasNodes() && FixedCols() == 0)
        RemoveAllNodes();
    clearBlock(FixedCols(), FixedRows(), TotalColCount() - FFixedRightCols - 1, RowCount() - FFixedFooters - 1, false);
}

void TQvStringGrid::Clear()
{
    if (!destroying)
        RemoveAllNodes();
    clearBlock(0, 0, TotalColCount() - 1, RowCount() - 1, false);
    IncrSearchText.clear();
    if (FNumHidden > 0)
        Invalidate();
}

void TQvStringGrid::ClearAll()
{
    Clear();
    for (auto& item : FGridItems)
        item->Cells.ClearTexts();
}

void TQvStringGrid::ClearSelection()
{
    if (FMouseActions->DisjunctRowSelect()) {
        for (int r = 0; r < RowCount(); ++r)
            if (GetRowSelect(r))
                ClearRows(r, 1);
    } else if (FMouseActions->DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (GetColSelect(c))
                ClearCols(RealColFromDispl(c), 1);
    } else {
        const TGridRect s = Selection();
        ClearRect(std::min(s.Left, s.Right), std::min(s.Top, s.Bottom), std::max(s.Left, s.Right),
                  std::max(s.Top, s.Bottom));
    }
}

void TQvStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    for (int r = std::max(ARow1, 0); r <= ARow2 && r < RowCount(); ++r) {
        if (!store.RowHasData(r))
            continue;
        for (int c = std::max(ACol1, 0); c <= ACol2; ++c) {
            const int sc = SaveHiddenCells ? RealColFromDispl(c) : c;
            const QString text = GetCellEx(sc, r);
            const QString trimmed = trimBlanks(text);
            if (trimmed.size() != text.size())
                SetCellEx(sc, r, trimmed);
        }
    }
}

void TQvStringGrid::ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor)
{
    for (int r = std::max(ARow1, 0); r <= ARow2 && r < RowCount(); ++r)
        for (int c = std::max(ACol1, 0); c <= ACol2 && c < TotalColCount(); ++c) {
            GetCellProperties(c, r)->SetBrushColor(AColor);
            RepaintCell(DisplColIndex(c), r);
        }
}

// ---- merging and splitting ---------------------------------------------------------------------

void TQvStringGrid::MergeColumnCells(int ColIndex, bool MainMerge)
{
    const int first = FixedRows();
    const int last = RowCount() - FFixedFooters - 1;
    int start = first;
    for (int r = first + 1; r <= last + 1; ++r) {
        const bool continues =
            r <= last && Cells(ColIndex, r) == Cells(ColIndex, r - 1) && (MainMerge || RowSpanIdentical(r - 1, r));
        if (continues)
            continue;
        if (r - start >= 2)
            MergeCells(ColIndex, start, 1, r - start);
        start = r;
    }
}

void TQvStringGrid::MergeRowCells(int RowIndex, bool MainMerge)
{
    const int first = FixedCols();
    const int last = ColCount() - FFixedRightCols - 1;
    int start = first;
    for (int c = first + 1; c <= last + 1; ++c) {
        const bool continues =
            c <= last && Cells(c, RowIndex) == Cells(c - 1, RowIndex) && (MainMerge || ColSpanIdentical(c - 1, c));
        if (continues)
            continue;
        if (c - start >= 2)
            MergeCells(start, RowIndex, c - start, 1);
        start = c;
    }
}

void TQvStringGrid::SplitColumnCells(int ColIndex)
{
    splitCellsAt(gaColumns, ColIndex);
}

void TQvStringGrid::SplitRowCells(int RowIndex)
{
    splitCellsAt(gaRows, RowIndex);
}

// Splits the merges based in column or row `index` that span across the other axis, up to
// its trailing fixed part (footer rows, right columns).
void TQvStringGrid::splitCellsAt(TGridAxisKind k, int index)
{
    const TGridAxis walk = Axis(AcrossAxis(k));
    int i = 0;
    while (i < walk.Count - walk.Trailing) {
        const TPoint cell = AxisCell(k, index, i);
        const int span = IsBaseCell(cell.X, cell.Y) ? Along(CellSpan(cell.X, cell.Y), walk.Kind) : 0;
        if (span > 0) {
            SplitCells(cell.X, cell.Y);
            i += span + 1;
        } else {
            ++i;
        }
    }
}

TGridAxis TQvStringGrid::Axis(TGridAxisKind k)
{
    return GridAxis(*this, k, k == gaRows ? FFixedFooters : FFixedRightCols);
}

void TQvStringGrid::SplitAllCells()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < TotalColCount(); ++c)
            if (IsBaseCell(c, r) && IsMergedCell(c, r)) {
                const TPoint span = CellSpan(c, r);
                if (span.X > 0 || span.Y > 0)
                    SplitCells(c, r);
            }
}

// ---- lookups -------------------------------------------------------------------------------------

bool TQvStringGrid::IsCell(const QString& SubStr, int& ACol, int& ARow) const
{
    for (int r = 0; r < RowCount(); ++r) {
        if (!SubStr.isEmpty() && !store.RowHasData(r))
            continue;
        for (int c = 0; c < TotalColCount(); ++c)
            if (store.TextView(c, r) == SubStr) {
                ACol = c;
                ARow = r;
                return true;
            }
    }
    return false;
}

bool TQvStringGrid::IsWideCell(int ACol, int ARow) const
{
    return store.TextView(ACol, ARow).startsWith(u"|\\");
}

bool TQvStringGrid::QueryCanAddRow()
{
    bool can = true;
    if (OnCanAddRow)
        OnCanAddRow(this, can);
    return can;
}

bool TQvStringGrid::QueryCanInsertRow(int ARow)
{
    bool can = true;
    if (OnCanInsertRow)
        OnCanInsertRow(this, ARow, can);
    return can;
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

} // namespace grid
