// Window-level handling: the wheel, painting held back by the update lock, and Tab kept by the
// grid when it moves between cells.

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"

#include <QApplication>
#include <QCursor>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>

namespace grid {

bool TQvStringGrid::viewportEvent(QEvent* e)
{
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
        auto* m = static_cast<QMouseEvent*>(e);
        if (wheelpan) {
            EndPanning(); // any press ends panning; the middle one does nothing more
            if (m->button() == Qt::MiddleButton)
                return true;
        } else if (m->button() == Qt::MiddleButton && e->type() == QEvent::MouseButtonPress && IntelliPan != ipNone
                   && RowCount() > FixedRows()) {
            StartPanning(m->position().toPoint());
            return true;
        }
    }
    if (e->type() == QEvent::Leave)
        HandleMouseLeave();
    if (e->type() == QEvent::ToolTip) {
        showCellHint(*static_cast<QHelpEvent*>(e));
        return true;
    }
    // Nothing is painted while an update is counted; the last EndUpdate repaints the whole grid.
    if (e->type() == QEvent::Paint && FUpdateCount > 0)
        return true;
    if (!FScrollHintsConnected && (e->type() == QEvent::Show || e->type() == QEvent::Polish))
        connectScrollHints();
    if (e->type() == QEvent::Show && !FResizeForm && window() != this)
        FollowFormResize(window());
    const bool handled = TBaseGrid::viewportEvent(e);
    if (e->type() == QEvent::Resize) {
        // The stretched column follows the client width; the proportional bars the new extent.
        if (ColumnSize().Stretch())
            StretchColumn(ColumnSize().StretchColumn());
        UpdateProportionalHScroll();
        UpdateProportionalVScroll();
        ShowFlatScrollBar(Qt::Vertical, VisibleRowCount() + FixedRows() < RowCount());
        ShowFlatScrollBar(Qt::Horizontal, VisibleColCount() + FixedCols() < ColCount());
        placeScrollControls();
    }
    return handled;
}

bool TQvStringGrid::focusNextPrevChild(bool next)
{
    // With the tab option Tab moves between cells; the grid hands the focus on itself at the end.
    if ((Options() & goTabs) && hasFocus())
        return false;
    return TBaseGrid::focusNextPrevChild(next);
}

void TQvStringGrid::wheelEvent(QWheelEvent* e)
{
    e->accept();
    const int delta = e->angleDelta().y();
    if (delta == 0)
        return;
    const bool towardsUser = delta < 0;
    const int notches = std::max(1, std::abs(delta) / 120);
    int lines = QApplication::wheelScrollLines();
    if (lines <= 0)
        lines = std::max(1, VisibleRowCount()); // the system says a page
    TMouseActions& ma = MouseActions();

    if ((e->modifiers() & Qt::ControlModifier) && IntelliZoom) {
        Zoom(towardsUser ? lines : -lines);
        AutoSizeColumns(true, 4);
        return;
    }
    if (!EnableWheel || (FFixedRowAlways && RowCount() == 1))
        return;

    const int step = (ma.WheelIncrement() >= 1 ? ma.WheelIncrement() : lines) * notches;
    const TGridRect before = Selection();
    if (ma.WheelAction() == waScroll) {
        if (towardsUser) {
            if (TopRow() < RowCount() - VisibleRowCount())
                SetTopRow(std::min(TopRow() + step, std::max(FixedRows(), RowCount() - VisibleRowCount())));
        } else {
            SetTopRow(std::max(FixedRows(), TopRow() - step));
        }
    } else {
        const int lastRow = RowCount() - FFixedFooters - 1;
        int target = Row() + (towardsUser ? step : -step);
        target = std::clamp(target, FixedRows(), std::max(FixedRows(), lastRow));
        const int col = std::clamp(Col(), FixedCols(), ColCount() - 1);
        const int left0 = LeftCol();
        StartUpdate();
        if (ma.DisjunctRowSelect())
            ClearRowSelect();
        const int from = Row();
        TStringGrid::FocusCell(col, target, true);
        if (Row() == from && target != from) {
            // Refused (a disabled or refused cell): half the way, then the view one row on.
            const int half = RoundHalfEven((target - from) / 2.0);
            if (half != 0)
                TStringGrid::FocusCell(col, std::clamp(from + half, FixedRows(), lastRow), true);
            if (TopRow() > FixedRows())
                SetTopRow(TopRow() + 1);
        }
        GotoBaseCell();
        if ((Options() & goRowSelect) && Navigation().KeepHorizScroll())
            SetLeftCol(left0);
        ResetUpdate();
        Invalidate();
    }
    if (ma.WheelIncrement() != 0 || ma.DisjunctRowSelect()) {
        bool handled = false;
        const QPoint pos = e->position().toPoint();
        if (towardsUser && OnMouseWheelDown)
            OnMouseWheelDown(this, e->modifiers(), pos, handled);
        else if (!towardsUser && OnMouseWheelUp)
            OnMouseWheelUp(this, e->modifiers(), pos, handled);
    }
    const TGridRect after = Selection();
    if (!(after == before))
        SelectionChangedNotify(after.Left, after.Top, after.Right, after.Bottom);
}

void TQvStringGrid::HandleTimer()
{
    ++FTimerTicks;
    if (Hovering && !Designing() && isVisible()) {
        const QPoint global = QCursor::pos();
        if (QApplication::widgetAt(global) == viewport()) {
            const QPoint p = viewport()->mapFromGlobal(global);
            int c = -1, r = -1;
            MouseToCell(p.x(), p.y(), c, r);
            if (c >= FixedCols() && r >= FixedRows() && c < ColCount() && r < RowCount()) {
                setFocus(Qt::MouseFocusReason);
                TStringGrid::FocusCell(c, r, true);
            }
        }
    }
    if (EnableBlink) {
        FGridBlink = !FGridBlink;
        // Only the cells in view whose text blinks are repainted.
        const auto blinks = [this](int c, int r) {
            return Cells(RealColIndex(c), r).toUpper().contains(QLatin1String("<BLI"));
        };
        const int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
        const int lastCol = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
        for (int r = TopRow(); r <= lastRow; ++r)
            for (int c = LeftCol(); c <= lastCol; ++c)
                if (blinks(c, r))
                    RepaintCell(c, r);
        for (int r = 0; r < FixedRows(); ++r)
            for (int c = LeftCol(); c <= lastCol; ++c)
                if (blinks(c, r))
                    RepaintCell(c, r);
        for (int c = 0; c < FixedCols(); ++c)
            for (int r = TopRow(); r <= lastRow; ++r)
                if (blinks(c, r))
                    RepaintCell(c, r);
    }
}

void TQvStringGrid::StartPanning(QPoint origin)
{
    wheelpan = true;
    wheelpanpos = origin;
    viewport()->setCursor(Qt::SizeAllCursor);
    if (!wheeltimer) {
        wheeltimer = new QTimer(this);
        connect(wheeltimer, &QTimer::timeout, this, [this] { PanStep(viewport()->mapFromGlobal(QCursor::pos())); });
    }
    wheeltimer->start(10);
    viewport()->grabMouse();
    InvalidatePanIndicator();
}

void TQvStringGrid::EndPanning()
{
    if (!wheelpan)
        return;
    wheelpan = false;
    if (wheeltimer)
        wheeltimer->stop();
    viewport()->releaseMouse();
    viewport()->unsetCursor();
    InvalidatePanIndicator();
}

void TQvStringGrid::PanStep(QPoint P)
{
    if (!wheelpan)
        return;
    const QPoint O = wheelpanpos;
    int V = P.y() < O.y() - 5 ? -1 : P.y() > O.y() + 5 ? 1 : 0;
    int H = P.x() < O.x() - 5 ? -1 : P.x() > O.x() + 5 ? 1 : 0;
    if (IntelliPan == ipHorizontal)
        V = 0;
    if (IntelliPan == ipVertical)
        H = 0;
    const TGridRect before = Selection();
    const int lastRow = RowCount() - FFixedFooters - 1, lastCol = ColCount() - FFixedRightCols - 1;
    int col = std::clamp(Col(), FixedCols(), std::max(FixedCols(), lastCol));
    int row = std::clamp(Row(), FixedRows(), std::max(FixedRows(), lastRow));
    if (MouseActions().WheelAction() == waScroll) {
        const int left = LeftCol() + H, top = TopRow() + V;
        if (H != 0 && left >= FixedCols() && left <= ColCount() - VisibleColCount())
            SetLeftCol(left);
        if (V != 0 && top >= FixedRows() && top <= RowCount() - VisibleRowCount())
            SetTopRow(top);
    } else {
        if (col + H >= FixedCols() && col + H <= lastCol)
            col += H;
        if (row + V >= FixedRows() && row + V <= lastRow)
            row += V;
        if (col != Col() || row != Row())
            TStringGrid::FocusCell(col, row, true);
    }
    const TGridRect after = Selection();
    if (!(after == before))
        SelectionChangedNotify(after.Left, after.Top, after.Right, after.Bottom);
}

} // namespace grid
