// Cell scroll bars: one live scroll bar serves every scroll-bar cell and follows the pointer
// onto the cell it scrolls; moving it writes the position back into the cell, repaints the
// cell (the painter draws the bar's twin and shifts the text by the position) and tells the
// window through OnScrollCell. A cell whose bar takes its range from its text (auto range)
// measures again whenever its text changes.
//
// The cell keeps page size and range as a platform bar counts them: the highest position is
// range - page + 1, so the last position shows the end of the text.

#include "grid/QvGrid.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace grid {

namespace {

// A line of the cell bar scrolls 10 pixels and a page 100, whatever the page size is.
constexpr int kCellScrollLine = 10;
constexpr int kCellScrollPage = 100;

} // namespace

int TQvStringGrid::CellScrollMaximum(const TScrollProp& prop)
{
    return std::max(0, prop.Range - prop.PageSize + 1);
}

void TQvStringGrid::connectCellScrollBar()
{
    if (!FScrollBar)
        return;
    FScrollBar->setSingleStep(kCellScrollLine);
    // Paging moves a fixed amount; the page size only sets the thumb.
    connect(FScrollBar, &QAbstractSlider::actionTriggered, this, [this](int action) {
        const int from = FScrollBar->value();
        if (action == QAbstractSlider::SliderPageStepAdd)
            FScrollBar->setSliderPosition(std::min(FScrollBar->maximum(), from + kCellScrollPage));
        else if (action == QAbstractSlider::SliderPageStepSub)
            FScrollBar->setSliderPosition(std::max(FScrollBar->minimum(), from - kCellScrollPage));
    });
    connect(FScrollBar, &QAbstractSlider::valueChanged, this, &TQvStringGrid::cellScrollBarMoved);
}

// The bar moves to the cell under the pointer when that cell has more to scroll than it
// shows, and is set up only when it arrives there.
void TQvStringGrid::placeCellScrollBar(int ACol, int ARow)
{
    if (!FScrollBar)
        return;
    // Setting the bar up must not read as the user scrolling.
    const QSignalBlocker quiet(FScrollBar);
    const int realCol = ACol >= 0 ? RealColIndex(ACol) : -1;
    if (ARow < 0 || !HasScrollBar(realCol, ARow)) {
        FScrollBar->hide();
        return;
    }
    const bool placed = !FScrollBar->isHidden() && FScrollCol == realCol && FScrollRow == ARow;
    FScrollCol = realCol;
    FScrollRow = ARow;
    const int pos = GetScrollPosition(realCol, ARow);
    const TScrollProp prop = GetScrollProp(realCol, ARow);
    if (prop.PageSize >= prop.Range) {
        // Left over another cell, the bar would scroll this one from there.
        FScrollBar->hide();
        return;
    }
    if (placed) {
        FScrollBar->setValue(pos);
        return;
    }
    const int line = GridLineWidth();
    const TRect cell = CellRect(ACol, ARow);
    FScrollBar->setRange(0, CellScrollMaximum(prop));
    FScrollBar->setPageStep(std::max(1, prop.PageSize));
    FScrollBar->setGeometry(cell.Right - CellScrollBarWidth - line, cell.Top + line, CellScrollBarWidth,
                            cell.Bottom - cell.Top - 2 * line);
    FScrollBar->setValue(pos);
    FScrollBar->show();
}

void TQvStringGrid::cellScrollBarMoved(int position)
{
    if (FScrollCol < 0 || FScrollRow < 0 || FScrollRow >= RowCount() || !HasScrollBar(FScrollCol, FScrollRow))
        return;
    if (GetScrollPosition(FScrollCol, FScrollRow) == position)
        return;
    SetScrollPosition(FScrollCol, FScrollRow, position); // repaints the cell
    const TScrollProp prop = GetScrollProp(FScrollCol, FScrollRow);
    ScrollCell(FScrollCol, FScrollRow, position, 0, prop.Range);
}

void TQvStringGrid::ScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)
{
    if (OnScrollCell)
        OnScrollCell(this, ACol, ARow, ScrollPosition, ScrollMin, ScrollMax);
}

// An auto-range bar shows one row height of the text at a time.
void TQvStringGrid::CellChanged(int ACol, int ARow)
{
    if (!HasAutoRangeScrollBar(ACol, ARow))
        return;
    const int textHeight = GetCellTextSize(ACol, ARow, true, true).height();
    SetScrollProp(ACol, ARow, {RowHeights(ARow), textHeight});
    const int highest = CellScrollMaximum(GetScrollProp(ACol, ARow));
    if (GetScrollPosition(ACol, ARow) > highest)
        SetScrollPosition(ACol, ARow, highest);
}

} // namespace grid
