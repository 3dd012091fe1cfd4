// Counts, fixed counts, widths and heights, and the structure operations of the string grid.

#include "grid/StringGrid.h"

#include <QScrollBar>

#include <algorithm>

namespace grid {

TStringGrid::TStringGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    // The scroll area shows or hides its bars through a queued call per range change; a grid
    // whose rows are hidden or shown one at a time would queue one per row. The grid queues
    // one call for all the changes before the next turn of the event loop instead
    // (updateScrollBars).
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()})
        disconnect(bar, SIGNAL(rangeChanged(int, int)), this, SLOT(_q_showOrHideScrollBars()));
    updateScrollBars();
}

// An editor still open would end its edit from the focus change of the grid's teardown,
// calling into layers that are gone; it is closed without taking its text.
TStringGrid::~TStringGrid()
{
    editorShown = false;
    delete editor;
    editor = nullptr;
}

void TStringGrid::SetColCount(int value)
{
    if (value < 1)
        value = 1;
    if (value == colCount)
        return;
    if (value <= fixedCols)
        applyFixedCols(value - 1); // not the property writer: the grid lowers it, no one asked
    const int old = colCount;
    colCount = value;
    if (!colWidths.empty())
        colWidths.resize(std::size_t(value), defaultColWidth);
    clampCurrent();
    SizeChanged(old, rowCount);
    updateScrollBars();
    Invalidate();
}

void TStringGrid::SetRowCount(int value)
{
    if (value < 1)
        value = 1;
    if (value == rowCount)
        return;
    if (value <= fixedRows)
        applyFixedRows(value - 1);
    const int old = rowCount;
    rowCount = value;
    if (!rowHeights.empty())
        rowHeights.resize(std::size_t(value), defaultRowHeight);
    clampCurrent();
    SizeChanged(colCount, old);
    updateScrollBars();
    Invalidate();
}

void TStringGrid::SetFixedCols(int value)
{
    if (value < 0)
        throw EInvalidGridOperation(SGridIndexOutOfRange);
    if (value >= colCount)
        throw EInvalidGridOperation(SFixedColTooBig);
    applyFixedCols(value);
}

void TStringGrid::applyFixedCols(int value)
{
    applyFixed(gaColumns, value);
}

// The current cell, the anchor and the top-left cell move out of the fixed part.
void TStringGrid::applyFixed(TGridAxisKind k, int value)
{
    (k == gaColumns ? fixedCols : fixedRows) = value;
    for (TPoint* p : {&current, &anchor, &topLeft})
        Along(*p, k) = std::max(Along(*p, k), value);
    updateScrollBars();
    Invalidate();
}

void TStringGrid::SetFixedRows(int value)
{
    if (value < 0)
        throw EInvalidGridOperation(SGridIndexOutOfRange);
    if (value >= rowCount)
        throw EInvalidGridOperation(SFixedRowTooBig);
    applyFixedRows(value);
}

void TStringGrid::applyFixedRows(int value)
{
    applyFixed(gaRows, value);
}

void TStringGrid::SetDefaultColWidth(int value)
{
    defaultColWidth = std::max(0, value);
    colWidths.clear(); // as the classic grid: a new default applies to every column
    updateScrollBars();
    Invalidate();
}

void TStringGrid::SetDefaultRowHeight(int value)
{
    defaultRowHeight = std::max(0, value);
    rowHeights.clear();
    updateScrollBars();
    Invalidate();
}

int TStringGrid::ColWidths(int col) const
{
    if (col < 0 || col >= int(colWidths.size()))
        return defaultColWidth;
    return colWidths[col];
}

void TStringGrid::SetColWidths(int col, int width)
{
    if (col < 0 || col >= colCount)
        throw EInvalidGridOperation(SGridIndexOutOfRange);
    width = std::max(0, width);
    if (colWidths.empty()) {
        if (width == defaultColWidth)
            return;
        colWidths.assign(std::size_t(colCount), defaultColWidth);
    }
    colWidths[col] = width;
    updateScrollBars();
    Invalidate();
    placeEditor();
}

int TStringGrid::RowHeights(int row) const
{
    if (row < 0 || row >= int(rowHeights.size()))
        return defaultRowHeight;
    return rowHeights[row];
}

void TStringGrid::SetRowHeights(int row, int height)
{
    if (row < 0 || row >= rowCount)
        throw EInvalidGridOperation(SGridIndexOutOfRange);
    height = std::max(0, height);
    if (rowHeights.empty()) {
        if (height == defaultRowHeight)
            return;
        rowHeights.assign(std::size_t(rowCount), defaultRowHeight);
    }
    rowHeights[row] = height;
    updateScrollBars();
    Invalidate();
    placeEditor();
}

void TStringGrid::SetAllRowHeights(const std::vector<int>& heights)
{
    const std::size_t n = std::min(heights.size(), std::size_t(rowCount));
    if (rowHeights.empty()) {
        if (std::all_of(heights.begin(), heights.begin() + std::ptrdiff_t(n),
                        [this](int h) { return std::max(0, h) == defaultRowHeight; }))
            return;
        rowHeights.assign(std::size_t(rowCount), defaultRowHeight);
    }
    for (std::size_t r = 0; r < n; ++r)
        rowHeights[r] = std::max(0, heights[r]);
    updateScrollBars();
    Invalidate();
    placeEditor();
}

long long TStringGrid::ColWidthsSum(int from, int to) const
{
    if (to <= from)
        return 0;
    if (colWidths.empty())
        return (long long)(to - from) * defaultColWidth;
    long long s = 0;
    for (int c = from; c < to; ++c)
        s += ColWidths(c);
    return s;
}

long long TStringGrid::RowHeightsSum(int from, int to) const
{
    if (to <= from)
        return 0;
    if (rowHeights.empty())
        return (long long)(to - from) * defaultRowHeight;
    long long s = 0;
    for (int r = from; r < to; ++r)
        s += RowHeights(r);
    return s;
}

void TStringGrid::SetGridLineWidth(int value)
{
    SetPlatformLineWidth(value);
}

void TStringGrid::SetPlatformLineWidth(int value)
{
    value = std::max(0, value);
    if (value == lineWidth)
        return;
    lineWidth = value;
    updateScrollBars();
    Invalidate();
}

void TStringGrid::SetOptions(TGridOptions value)
{
    if (value == options)
        return;
    options = value;
    if (!(options & goEditing) && editorShown)
        HideEditor();
    updateScrollBars();
    Invalidate();
}

void TStringGrid::SetColor(TColor value)
{
    color = value;
    Invalidate();
}

void TStringGrid::SetFixedColor(TColor value)
{
    fixedColor = value;
    Invalidate();
}

void TStringGrid::SetFont(const TFont& value)
{
    font = value;
    Invalidate();
}

void TStringGrid::SetDefaultDrawing(bool value)
{
    defaultDrawing = value;
    Invalidate();
}

void TStringGrid::SetCells(int col, int row, const QString& value)
{
    store.SetText(col, row, value);
    InvalidateCell(col, row);
}

void TStringGrid::SetObjects(int col, int row, TObject* value)
{
    store.SetObject(col, row, value);
}

void TStringGrid::clampCurrent()
{
    current.X = std::clamp(current.X, 0, colCount - 1);
    current.Y = std::clamp(current.Y, 0, rowCount - 1);
    anchor.X = std::clamp(anchor.X, 0, colCount - 1);
    anchor.Y = std::clamp(anchor.Y, 0, rowCount - 1);
    topLeft.X = std::clamp(topLeft.X, fixedCols, std::max(fixedCols, maxLeftCol()));
    topLeft.Y = std::clamp(topLeft.Y, fixedRows, std::max(fixedRows, maxTopRow()));
}

void TStringGrid::MoveColumn(int fromIndex, int toIndex)
{
    if (fromIndex < 0 || fromIndex >= colCount || toIndex < 0 || toIndex >= colCount)
        throw EInvalidGridOperation(SGridIndexOutOfRange);
    if (fromIndex == toIndex)
        return;
    HideEditor();
    if (!colWidths.empty()) {
        const int w = colWidths[fromIndex];
        colWidths.erase(colWidths.begin() + fromIndex);
        colWidths.insert(colWidths.begin() + toIndex, w);
    }
    auto follow = [&](int& c) {
        if (c == fromIndex)
            c = toIndex;
        else if (fromIndex < toIndex && c > fromIndex && c <= toIndex)
            --c;
        else if (fromIndex > toIndex && c >= toIndex && c < fromIndex)
            ++c;
    };
    follow(current.X);
    follow(anchor.X);
    ColumnMoved(fromIndex, toIndex);
    Invalidate();
}

void TStringGrid::MoveRow(int fromIndex, int toIndex)
{
    if (fromIndex < 0 || fromIndex >= rowCount || toIndex < 0 || toIndex >= rowCount)
        throw EInvalidGridOperation(SGridIndexOutOfRange);
    if (fromIndex == toIndex)
        return;
    HideEditor();
    if (!rowHeights.empty()) {
        const int h = rowHeights[fromIndex];
        rowHeights.erase(rowHeights.begin() + fromIndex);
        rowHeights.insert(rowHeights.begin() + toIndex, h);
    }
    auto follow = [&](int& r) {
        if (r == fromIndex)
            r = toIndex;
        else if (fromIndex < toIndex && r > fromIndex && r <= toIndex)
            --r;
        else if (fromIndex > toIndex && r >= toIndex && r < fromIndex)
            ++r;
    };
    follow(current.Y);
    follow(anchor.Y);
    RowMoved(fromIndex, toIndex);
    Invalidate();
}

void TStringGrid::ColumnMoved(int fromIndex, int toIndex)
{
    store.MoveCol(fromIndex, toIndex);
    if (OnColumnMoved)
        OnColumnMoved(this, fromIndex, toIndex);
}

void TStringGrid::RowMoved(int fromIndex, int toIndex)
{
    store.MoveRow(fromIndex, toIndex);
    if (OnRowMoved)
        OnRowMoved(this, fromIndex, toIndex);
}

// Deleting takes the column's cells out of the store, so the cells to its right move left and
// nothing of the deleted column comes back when the count grows again.
void TStringGrid::DeleteColumn(int col)
{
    if (col < 0 || col >= colCount)
        throw EInvalidGridOperation(SGridIndexOutOfRange);
    HideEditor();
    store.DeleteCols(col, 1);
    if (!colWidths.empty())
        colWidths.erase(colWidths.begin() + col);
    if (current.X > col)
        --current.X;
    if (anchor.X > col)
        --anchor.X;
    if (!colWidths.empty())
        colWidths.push_back(defaultColWidth); // the count drops below; keep the list in step
    SetColCount(colCount - 1);
    Invalidate();
}

void TStringGrid::DeleteRow(int row)
{
    if (row < 0 || row >= rowCount)
        throw EInvalidGridOperation(SGridIndexOutOfRange);
    HideEditor();
    store.DeleteRows(row, 1);
    if (!rowHeights.empty()) {
        rowHeights.erase(rowHeights.begin() + row);
        rowHeights.push_back(defaultRowHeight);
    }
    if (current.Y > row)
        --current.Y;
    if (anchor.Y > row)
        --anchor.Y;
    SetRowCount(rowCount - 1);
    Invalidate();
}

void TStringGrid::PermuteStoreRows(const std::vector<int>& at, const std::vector<int>& from)
{
    if (at.empty())
        return;
    if (at.size() != from.size() || at.front() < 0 || at.back() >= rowCount)
        throw EInvalidGridOperation(SGridIndexOutOfRange);
    HideEditor();
    store.PermuteRows(at, from);
    if (!rowHeights.empty()) {
        std::vector<int> heights(from.size());
        for (std::size_t k = 0; k < from.size(); ++k)
            heights[k] = rowHeights[std::size_t(from[k])];
        for (std::size_t k = 0; k < at.size(); ++k)
            rowHeights[std::size_t(at[k])] = heights[k];
    }
    Invalidate();
}

void TStringGrid::InsertStoreRows(int at, int count)
{
    if (count <= 0)
        return;
    at = std::clamp(at, 0, rowCount);
    HideEditor();
    store.InsertRows(at, count);
    if (!rowHeights.empty())
        rowHeights.insert(rowHeights.begin() + at, std::size_t(count), defaultRowHeight);
    if (current.Y >= at)
        current.Y += count;
    if (anchor.Y >= at)
        anchor.Y += count;
    const int old = rowCount;
    rowCount += count;
    if (!rowHeights.empty())
        rowHeights.resize(std::size_t(rowCount), defaultRowHeight);
    clampCurrent();
    SizeChanged(colCount, old);
    updateScrollBars();
    Invalidate();
}

void TStringGrid::RemoveStoreRows(int at, int count)
{
    if (at < 0 || at >= rowCount)
        return;
    count = std::min(count, rowCount - at);
    if (count <= 0)
        return;
    HideEditor();
    store.DeleteRows(at, count);
    if (!rowHeights.empty())
        rowHeights.erase(rowHeights.begin() + at, rowHeights.begin() + at + count);
    auto follow = [&](int& r) {
        if (r >= at + count)
            r -= count;
        else if (r >= at)
            r = at;
    };
    follow(current.Y);
    follow(anchor.Y);
    // A grid keeps one row at least, as the row-count writer does.
    const int old = rowCount;
    rowCount = std::max(1, rowCount - count);
    if (rowCount <= fixedRows)
        applyFixedRows(rowCount - 1);
    if (!rowHeights.empty())
        rowHeights.resize(std::size_t(rowCount), defaultRowHeight);
    if (topLeft.Y >= rowCount)
        topLeft.Y = std::max(fixedRows, rowCount - 1);
    clampCurrent();
    SizeChanged(colCount, old);
    updateScrollBars();
    Invalidate();
}

void TStringGrid::RemoveStoreRowList(const std::vector<int>& list)
{
    if (list.empty())
        return;
    HideEditor();
    store.DeleteRowList(list);
    if (!rowHeights.empty()) {
        std::size_t k = 0, w = 0;
        for (std::size_t i = 0; i < rowHeights.size(); ++i) {
            while (k < list.size() && list[k] < int(i))
                ++k;
            if (k == list.size() || list[k] != int(i))
                rowHeights[w++] = rowHeights[i];
        }
        rowHeights.resize(w);
    }
    // A row taken out hands its place to the next row that stays, as in RemoveStoreRows.
    auto follow = [&](int& r) { r -= int(std::lower_bound(list.begin(), list.end(), r) - list.begin()); };
    follow(current.Y);
    follow(anchor.Y);
    const int old = rowCount;
    rowCount = std::max(1, rowCount - int(list.size()));
    if (rowCount <= fixedRows)
        applyFixedRows(rowCount - 1);
    if (!rowHeights.empty())
        rowHeights.resize(std::size_t(rowCount), defaultRowHeight);
    if (topLeft.Y >= rowCount)
        topLeft.Y = std::max(fixedRows, rowCount - 1);
    clampCurrent();
    SizeChanged(colCount, old);
    updateScrollBars();
    Invalidate();
}

void TStringGrid::InsertStoreRowList(const std::vector<int>& at, const std::vector<int>& heights)
{
    if (at.empty())
        return;
    HideEditor();
    store.InsertRowList(at);
    const int old = rowCount;
    rowCount += int(at.size());
    const bool ownHeights =
        std::any_of(heights.begin(), heights.end(), [this](int h) { return h != defaultRowHeight; });
    if (!rowHeights.empty() || ownHeights) {
        if (rowHeights.empty())
            rowHeights.assign(std::size_t(old), defaultRowHeight);
        std::vector<int> out;
        out.reserve(std::size_t(rowCount));
        std::size_t k = 0, i = 0;
        while (int(out.size()) < rowCount) {
            if (k < at.size() && at[k] == int(out.size())) {
                out.push_back(k < heights.size() ? heights[k] : defaultRowHeight);
                ++k;
            } else {
                out.push_back(i < rowHeights.size() ? rowHeights[i] : defaultRowHeight);
                ++i;
            }
        }
        rowHeights.swap(out);
    }
    // An old row moves down by the new rows that end up at or above its new place.
    auto follow = [&](int& r) {
        for (int p : at) {
            if (p > r)
                break;
            ++r;
        }
    };
    follow(current.Y);
    follow(anchor.Y);
    clampCurrent();
    SizeChanged(colCount, old);
    updateScrollBars();
    Invalidate();
}

void TStringGrid::SizeChanged(int, int) {}

} // namespace grid
