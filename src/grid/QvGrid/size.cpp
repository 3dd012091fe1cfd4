// Grid size, fixed rows and columns kept while the grid is too small, footer rows and right
// columns, the current row and column writers, and typed characters.

#include "grid/QvGrid.h"

#include <QStyle>

namespace grid {

void TQvStringGrid::SetRowCount(int value)
{
    TBaseGrid::SetRowCount(value);
    // A header row asked for while the grid had only one row comes back once there are two.
    if (FFixedRowAlways && RowCount() > FFixedRowsMin && TStringGrid::FixedRows() != FFixedRowsMin)
        TStringGrid::SetFixedRows(FFixedRowsMin);
    FMaxRowCount = std::max(FMaxRowCount, RowCount());
    FNormalRowCount = RowCount();
}

void TQvStringGrid::SetColCount(int value)
{
    TBaseGrid::SetColCount(value);
    if (FFixedColAlways && ColCount() > FFixedColsMin && TStringGrid::FixedCols() != FFixedColsMin)
        TStringGrid::SetFixedCols(FFixedColsMin);
    FMaxColCount = std::max(FMaxColCount, ColCount());
}

int TQvStringGrid::FixedRows() const
{
    const int v = TStringGrid::FixedRows();
    return v == 0 && FFixedRowAlways ? 1 : v;
}

int TQvStringGrid::FixedCols() const
{
    const int v = TStringGrid::FixedCols();
    return v == 0 && FFixedColAlways ? 1 : v;
}

void TQvStringGrid::SetFixedRows(int value)
{
    if (value >= RowCount() && FFixedRowAlways)
        TStringGrid::SetFixedRows(RowCount() - 1);
    else
        TStringGrid::SetFixedRows(value); // refuses with the platform's messages
    if (!loading)
        FFixedRowsMin = value; // the count asked for, not the one applied
}

void TQvStringGrid::SetFixedCols(int value)
{
    if (value >= ColCount() && FFixedColAlways)
        TStringGrid::SetFixedCols(ColCount() - 1);
    else
        TStringGrid::SetFixedCols(value);
    if (!loading)
        FFixedColsMin = value;
}

void TQvStringGrid::SetDefaultRowHeight(int value)
{
    TBaseGrid::SetDefaultRowHeight(value);
    if (designing)
        FFixedRowHeight = value;
}

void TQvStringGrid::SetFixedRowHeight(int v)
{
    FFixedRowHeight = v;
    if (loading)
        return;
    if (v == DefaultRowHeight()) {
        SetDefaultRowHeight(v); // resets every row to the default
        return;
    }
    for (int r = 0; r < TStringGrid::FixedRows(); ++r)
        SetRowHeights(r, v);
}

void TQvStringGrid::SetFixedColWidth(int v)
{
    if (loading || v == DefaultColWidth())
        return;
    for (int c = 0; c < TStringGrid::FixedCols(); ++c)
        SetColWidths(c, v);
}

void TQvStringGrid::SetFixedFooters(int v)
{
    FFixedFooters = v;
    Invalidate();
}

void TQvStringGrid::SetFixedRightCols(int v)
{
    FFixedRightCols = v;
    Invalidate();
}

void TQvStringGrid::SetDefaultAlignment(TAlignment v)
{
    if (v == FDefaultAlignment)
        return;
    FDefaultAlignment = v;
    Invalidate();
}

void TQvStringGrid::SetWordWrap(bool v)
{
    FWordWrapEx = v;
    FWordWrap = v;
    if (FUpdateCount == 0)
        Invalidate();
}

// A change is handed on once: not back to the grid it came from, nor on while it is coming back.
void TQvStringGrid::passToSyncGrid(const std::function<void(TStringGrid&)>& pass)
{
    auto* target = dynamic_cast<TQvStringGrid*>(FSyncGrid->Grid());
    if (FSyncPassing || (target && target->FSyncPassing))
        return;
    FSyncPassing = true;
    try {
        pass(*FSyncGrid->Grid());
    } catch (...) {
        FSyncPassing = false;
        throw;
    }
    FSyncPassing = false;
}

void TQvStringGrid::SetCol(int value)
{
    TBaseGrid::SetCol(value);
    if (FSyncGrid->Grid() && FSyncGrid->SelectionColumn() && value < FSyncGrid->Grid()->ColCount())
        passToSyncGrid([value](TStringGrid& g) { g.SetCol(value); });
}

void TQvStringGrid::SetRow(int value)
{
    if (value < 0 || value >= RowCount())
        throw EInvalidGridOperation(SGridIndexOutOfRange);
    if (Col() < 0 || Col() >= ColCount())
        TStringGrid::FocusCell(std::min(TStringGrid::FixedCols(), ColCount() - 1), value, true);
    TBaseGrid::SetRow(value);
    // The select decision has reported the move already; this catches a write it did not
    // see (the row was current already, or the move was forced).
    reportRowUpdate(Row());
    if (FMouseActions->DisjunctRowSelect())
        SyncRowSelectWithSelection(false);
    if (FSyncGrid->Grid() && FSyncGrid->SelectionRow() && Row() < FSyncGrid->Grid()->RowCount())
        passToSyncGrid([row = Row()](TStringGrid& g) { g.SetRow(row); });
}

// ---- typed characters ------------------------------------------------------------------------

bool TQvStringGrid::IsEditable(int ACol, int ARow)
{
    // Editing switched off only for a read-only current cell still counts as editing on.
    if (!(Options() & goEditing) && !FMouseActions->RangeSelectAndEdit() && !FEditDisable)
        return false;
    return CanEditNonFixedCell(ACol, ARow);
}

// The sort column decides where typed text is looked for: the first normal column while no
// sort indicator shows, the first sort key's column with indexed sorting. Footer rows count.
int TQvStringGrid::Search(const QString& s)
{
    if (RowCount() < 2)
        return -1;
    TSortSettings& sort = SortSettings();
    int col = FixedCols();
    if (sort.Show()) {
        if (sort.IndexShow())
            col = FSortState->Indexes.Count() > 0 ? FSortState->Indexes.SortColumns(0) : FixedCols();
        else
            col = sort.Column();
    }
    if (col < 0)
        return -1;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (GetStrippedCell(col, r).left(s.size()).toUpper() == s)
            return r;
    return -1;
}

void TQvStringGrid::KeyPress(QChar& key)
{
    const int k = key.unicode();
    if (k == 27) {
        // Escape puts back the text the cell had when the edit began; nothing else runs.
        if ((Options() & goEditing) && EditorMode())
            EditorDone(false);
        if (OnKeyPress)
            OnKeyPress(this, key);
        return;
    }
    if (k == 13 && !FNavigation->AdvanceOnEnter() && !IsEditable(Col(), Row())) {
        if (OnKeyPress)
            OnKeyPress(this, key);
        key = QChar();
        return;
    }
    if (!(Options() & goEditing) && FNavigation->AutoGotoWhenSorted() && k != 13) {
        SearchTics = 0;
        if (FNavigation->AutoGotoIncremental()) {
            if (k == 8)
                IncrSearchText.chop(1);
            else
                IncrSearchText += key;
        } else {
            IncrSearchText = QString(key);
        }
        const int found = IncrSearchText.isEmpty() ? -1 : Search(IncrSearchText.toUpper());
        if (found >= 0)
            SetRow(found);
        else
            IncrSearchText.clear();
    }
    TBaseGrid::KeyPress(key);
}

void TQvStringGrid::GridTimerTick()
{
    // Cleared on the tick on which the count was 3 before: 1.5 to 2 s after the last key.
    if (SearchTics++ >= 3) {
        IncrSearchText.clear();
        SearchTics = 0;
    }
    // The same tick drives hover focus and blinking cells.
    HandleTimer();
}

void TQvStringGrid::resizeEvent(QResizeEvent* e)
{
    HandleSize(); // the columns first, so the viewport's stretch step sees their new widths
    TBaseGrid::resizeEvent(e);
    PlaceFooterPanel();
    placeSearchPanel();
    if (OnGridResize)
        OnGridResize(this);
}

void TQvStringGrid::showEvent(QShowEvent* e)
{
    TBaseGrid::showEvent(e);
    if (FFooterPanel)
        FFooterPanel->CreateWnd();
    if (!gridTimer) {
        gridTimer = new QTimer(this);
        gridTimer->setInterval(500);
        connect(gridTimer, &QTimer::timeout, this, [this] { GridTimerTick(); });
        gridTimer->start();
        // The first showing is where the window comes into being: kept widths come back.
        if (FColumnSize->Save())
            LoadColSizes();
    }
    // The footer panel is set up once the grid's window exists, as its settings say.
    if (FSearchPanel && !FSearchPanelBuilt) {
        FSearchPanelBuilt = true;
        UpdateSearchPanel();
        if (OnCreatedSearchFooter)
            OnCreatedSearchFooter(this);
    }
}

void TQvStringGrid::SetBounds(int left, int top, int width, int height)
{
    if (IntegralHeight && FUpdateCount == 0 && DefaultRowHeight() > 0) {
        const bool hScroll = VisibleColCount() + TStringGrid::FixedCols() < ColCount();
        const int s = hScroll ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
        const int b = frameShape() != QFrame::NoFrame ? 2 : 0;
        const int t = height - s - b;
        height = s + (t - t % DefaultRowHeight()) + 2 * b;
    }
    setGeometry(left, top, width, height);
}

void TQvStringGrid::InitOrigColSizes()
{
    FOrigColSizes->Clear();
    for (int c = 0; c < ColCount(); ++c)
        FOrigColSizes->Add(ColWidths(c));
    FOldSize = width();
}

} // namespace grid
