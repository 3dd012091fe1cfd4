// Where cells are on screen, scrolling by whole rows and columns, and the current cell.

#include "grid/StringGrid.h"
#include "grid/StringGrid/GridAxis.h"

#include <QScrollBar>

#include <algorithm>

namespace grid {

int TStringGrid::fixedWidth() const
{
    int x = 0;
    for (int c = 0; c < fixedCols; ++c)
        x += ColWidths(c) + lineWidth;
    return x;
}

int TStringGrid::fixedHeight() const
{
    int y = 0;
    for (int r = 0; r < fixedRows; ++r)
        y += RowHeights(r) + lineWidth;
    return y;
}

int TStringGrid::colLeft(int col) const
{
    if (col < 0 || col >= colCount)
        return -1;
    int x = 0;
    if (col < fixedCols) {
        for (int c = 0; c < col; ++c)
            x += ColWidths(c) + lineWidth;
        return x;
    }
    if (col < topLeft.X)
        return -1;
    x = fixedWidth();
    const int w = viewport()->width();
    for (int c = topLeft.X; c < col; ++c) {
        x += ColWidths(c) + lineWidth;
        if (x >= w)
            return -1;
    }
    return x < w ? x : -1;
}

int TStringGrid::rowTop(int row) const
{
    if (row < 0 || row >= rowCount)
        return -1;
    int y = 0;
    if (row < fixedRows) {
        for (int r = 0; r < row; ++r)
            y += RowHeights(r) + lineWidth;
        return y;
    }
    if (row < topLeft.Y)
        return -1;
    y = fixedHeight();
    const int h = viewport()->height();
    for (int r = topLeft.Y; r < row; ++r) {
        y += RowHeights(r) + lineWidth;
        if (y >= h)
            return -1;
    }
    return y < h ? y : -1;
}

TRect TStringGrid::CellRect(int col, int row) const
{
    const int x = colLeft(col);
    const int y = rowTop(row);
    if (x < 0 || y < 0)
        return {};
    return {x, y, x + ColWidths(col), y + RowHeights(row)};
}

void TStringGrid::MouseToCell(int x, int y, int& col, int& row) const
{
    const TPoint p = MouseCoord(x, y);
    col = p.X;
    row = p.Y;
}

TPoint TStringGrid::MouseCoord(int x, int y) const
{
    TPoint p{-1, -1};
    if (x < 0 || y < 0)
        return p;
    int pos = 0;
    for (int c = 0; c < colCount; ++c) {
        if (c == fixedCols)
            c = std::max(c, topLeft.X);
        if (c >= colCount)
            break;
        const int next = pos + ColWidths(c) + lineWidth;
        if (x < next) {
            p.X = c;
            break;
        }
        pos = next;
        if (pos > viewport()->width())
            break;
    }
    pos = 0;
    for (int r = 0; r < rowCount; ++r) {
        if (r == fixedRows)
            r = std::max(r, topLeft.Y);
        if (r >= rowCount)
            break;
        const int next = pos + RowHeights(r) + lineWidth;
        if (y < next) {
            p.Y = r;
            break;
        }
        pos = next;
        if (pos > viewport()->height())
            break;
    }
    if (p.X < 0 || p.Y < 0)
        return {-1, -1};
    return p;
}

int TStringGrid::VisibleColCount() const
{
    int x = fixedWidth();
    int n = 0;
    for (int c = topLeft.X; c < colCount; ++c) {
        x += ColWidths(c) + lineWidth;
        if (x > viewport()->width() + lineWidth)
            break;
        ++n;
    }
    return std::max(n, colCount > fixedCols ? 1 : 0);
}

int TStringGrid::VisibleRowCount() const
{
    int y = fixedHeight();
    int n = 0;
    for (int r = topLeft.Y; r < rowCount; ++r) {
        y += RowHeights(r) + lineWidth;
        if (y > viewport()->height() + lineWidth)
            break;
        ++n;
    }
    return std::max(n, rowCount > fixedRows ? 1 : 0);
}

// The largest top row that still fills the client area from below.
int TStringGrid::maxTopRow() const
{
    const int room = viewport()->height() - fixedHeight() - CoveredClientBottom();
    int used = 0;
    int r = rowCount - 1;
    for (; r >= fixedRows; --r) {
        used += RowHeights(r) + lineWidth;
        if (used > room + lineWidth)
            break;
    }
    return std::max(fixedRows, std::min(rowCount - 1, r + 1));
}

int TStringGrid::maxLeftCol() const
{
    const int room = viewport()->width() - fixedWidth();
    int used = 0;
    int c = colCount - 1;
    for (; c >= fixedCols; --c) {
        used += ColWidths(c) + lineWidth;
        if (used > room + lineWidth)
            break;
    }
    return std::max(fixedCols, std::min(colCount - 1, c + 1));
}

void TStringGrid::updateScrollBars()
{
    updatingScroll = true;
    const int maxTop = maxTopRow();
    const int maxLeft = maxLeftCol();
    const int vMax = std::max(fixedRows, maxTop);
    const int hMax = std::max(fixedCols, maxLeft);
    if (!showBarsQueued
        && (verticalScrollBar()->minimum() != fixedRows || verticalScrollBar()->maximum() != vMax
            || horizontalScrollBar()->minimum() != fixedCols || horizontalScrollBar()->maximum() != hMax)) {
        showBarsQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                showBarsQueued = false;
                QMetaObject::invokeMethod(this, "_q_showOrHideScrollBars", Qt::DirectConnection);
            },
            Qt::QueuedConnection);
    }
    verticalScrollBar()->setRange(fixedRows, vMax);
    verticalScrollBar()->setPageStep(std::max(1, VisibleRowCount()));
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(fixedCols, hMax);
    horizontalScrollBar()->setPageStep(std::max(1, VisibleColCount()));
    horizontalScrollBar()->setSingleStep(1);
    ScrollBarsUpdated();
    if (topLeft.Y > maxTop && maxTop >= fixedRows)
        topLeft.Y = maxTop;
    if (topLeft.X > maxLeft && maxLeft >= fixedCols)
        topLeft.X = maxLeft;
    verticalScrollBar()->setValue(topLeft.Y);
    horizontalScrollBar()->setValue(topLeft.X);
    // Without thumb tracking the grid scrolls when the thumb is let go, as the classic grid did.
    verticalScrollBar()->setTracking(options & goThumbTracking);
    horizontalScrollBar()->setTracking(options & goThumbTracking);
    updatingScroll = false;
}

void TStringGrid::scrollContentsBy(int, int)
{
    if (updatingScroll)
        return;
    moveTopLeft(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void TStringGrid::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    updateScrollBars();
    placeEditor();
}

void TStringGrid::moveTopLeft(int col, int row)
{
    col = std::clamp(col, fixedCols, std::max(fixedCols, maxLeftCol()));
    row = std::clamp(row, fixedRows, std::max(fixedRows, maxTopRow()));
    if (col == topLeft.X && row == topLeft.Y)
        return;
    topLeft = {col, row};
    updateScrollBars();
    TopLeftChanged();
    placeEditor();
    Invalidate();
}

void TStringGrid::TopLeftChanged()
{
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

void TStringGrid::UpdateScrollRange()
{
    updateScrollBars();
    moveTopLeft(topLeft.X, topLeft.Y);
}

void TStringGrid::SetTopRow(int value)
{
    moveTopLeft(topLeft.X, value);
}

void TStringGrid::SetLeftCol(int value)
{
    moveTopLeft(value, topLeft.Y);
}

void TStringGrid::scrollIntoView(int col, int row)
{
    int left = topLeft.X, top = topLeft.Y;
    if (col >= fixedCols) {
        if (col < left)
            left = col;
        else {
            // Move right until the column ends inside the client area.
            while (left < col) {
                int x = fixedWidth();
                for (int c = left; c <= col; ++c)
                    x += ColWidths(c) + lineWidth;
                if (x <= viewport()->width() + lineWidth)
                    break;
                ++left;
            }
        }
    }
    if (row >= fixedRows) {
        if (row < top)
            top = row;
        else {
            const int room = viewport()->height() - fixedHeight() + lineWidth;
            int used = 0;
            int r = row;
            // The highest top row that still shows the whole row.
            for (; r >= fixedRows; --r) {
                used += RowHeights(r) + lineWidth;
                if (used > room)
                    break;
            }
            top = std::max(top, std::min(row, r + 1));
        }
    }
    moveTopLeft(left, top);
}

TGridRect TStringGrid::Selection() const
{
    TGridRect r;
    r.Left = std::min(anchor.X, current.X);
    r.Right = std::max(anchor.X, current.X);
    r.Top = std::min(anchor.Y, current.Y);
    r.Bottom = std::max(anchor.Y, current.Y);
    if (options & goRowSelect) {
        r.Left = fixedCols;
        r.Right = colCount - 1;
    }
    return r;
}

// As the classic grid: anchor to the top-left, current cell to the bottom-right, no range
// check and no select-cell decision.
void TStringGrid::SetSelection(const TGridRect& value)
{
    const TGridRect old = Selection();
    anchor = {value.Left, value.Top};
    current = {value.Right, value.Bottom};
    invalidateRect(old);
    invalidateRect(Selection());
}

void TStringGrid::SetCol(int value)
{
    if (value < 0 || value >= colCount)
        throw EInvalidGridOperation(SGridIndexOutOfRange);
    FocusCell(value, current.Y, true);
}

void TStringGrid::SetRow(int value)
{
    if (value < 0 || value >= rowCount)
        throw EInvalidGridOperation(SGridIndexOutOfRange);
    FocusCell(current.X, value, true);
}

void TStringGrid::FocusCell(int col, int row, bool moveAnchor)
{
    if (col < 0 || row < 0 || col >= colCount || row >= rowCount)
        throw EInvalidGridOperation(SGridIndexOutOfRange);
    if (!(options & goRangeSelect))
        moveAnchor = true;
    if (col != current.X || row != current.Y || (moveAnchor && (anchor.X != col || anchor.Y != row))) {
        if (!SelectCell(col, row))
            return;
        HideEditor();
        const TGridRect old = Selection();
        current = {col, row};
        if (moveAnchor)
            anchor = current;
        invalidateRect(old);
        invalidateRect(Selection());
        scrollIntoView(col, row);
        if ((options & goAlwaysShowEditor) && (options & goEditing))
            ShowEditor();
    }
    Click();
}

bool TStringGrid::SelectCell(int col, int row)
{
    bool can = true;
    if (OnSelectCell)
        OnSelectCell(this, col, row, can);
    return can;
}

void TStringGrid::Click()
{
    if (OnClick)
        OnClick(this);
}

void TStringGrid::Invalidate()
{
    viewport()->update();
}

void TStringGrid::InvalidateCell(int col, int row)
{
    // A grid not on screen has nothing to repaint: cells filled before it shows, or loaded into
    // a grid kept for its data, skip working out where the cell would be.
    if (!viewport()->isVisible() || !viewport()->updatesEnabled())
        return;
    const TRect r = CellRect(col, row);
    if (!r.IsEmpty())
        viewport()->update(QRect(r.Left, r.Top, r.Width() + lineWidth, r.Height() + lineWidth));
}

void TStringGrid::InvalidateRow(int row)
{
    const TRect r = CellRect(fixedCols > 0 ? 0 : topLeft.X, row);
    if (!r.IsEmpty())
        viewport()->update(QRect(0, r.Top, viewport()->width(), r.Height() + lineWidth));
}

void TStringGrid::InvalidateCol(int col)
{
    const TRect r = CellRect(col, fixedRows > 0 ? 0 : topLeft.Y);
    if (!r.IsEmpty())
        viewport()->update(QRect(r.Left, 0, r.Width() + lineWidth, viewport()->height()));
}

void TStringGrid::invalidateRect(const TGridRect&)
{
    // Selections can be large; repainting the client area is as cheap as working out the
    // visible part of the block.
    viewport()->update();
}

TGridAxis GridAxis(TStringGrid& g, TGridAxisKind k, int trailing)
{
    TGridAxis a;
    a.Kind = k;
    a.Trailing = trailing;
    a.Anchor = Along(g.Anchor(), k);
    if (k == gaColumns) {
        a.Count = g.ColCount(), a.Fixed = g.FixedCols(), a.Visible = g.VisibleColCount();
        a.Current = g.Col(), a.TopLeft = g.LeftCol();
        a.Size = [&g](int i) { return g.ColWidths(i); };
        a.SetSize = [&g](int i, int v) { g.SetColWidths(i, v); };
    } else {
        a.Count = g.RowCount(), a.Fixed = g.FixedRows(), a.Visible = g.VisibleRowCount();
        a.Current = g.Row(), a.TopLeft = g.TopRow();
        a.Size = [&g](int i) { return g.RowHeights(i); };
        a.SetSize = [&g](int i, int v) { g.SetRowHeights(i, v); };
    }
    return a;
}

} // namespace grid
