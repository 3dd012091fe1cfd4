// Scrolling: the scroll-bar kind, proportional thumbs on the 0..127 scale, the position hint
// while the thumb is dragged, and bringing a cell into view.

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"
#include "grid/markup/HTMLHintWindow.h"

#include <QCoreApplication>
#include <QCursor>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace grid {

namespace {

// A bar whose content fits has nothing to scroll: it shows greyed while it is kept visible.
void greyFittingBars(QAbstractScrollArea& area)
{
    for (QScrollBar* bar : {area.verticalScrollBar(), area.horizontalScrollBar()})
        bar->setEnabled(bar->maximum() > bar->minimum());
}

} // namespace

int MulDivRound(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long n = static_cast<long long>(a) * b;
    const long long q = n / c, r = n % c;
    // Halves away from zero: compare twice the remainder with the divisor.
    if (2 * std::llabs(r) >= std::llabs(static_cast<long long>(c)))
        return int(q + (((n < 0) != (c < 0)) ? -1 : 1));
    return int(q);
}

int RoundHalfEven(double v)
{
    return int(std::nearbyint(v)); // the default rounding mode rounds halves to even
}

bool ComputeProportionalScroll(long long fixedExtent, long long total, long long before, int extent, int currentPos,
                               bool vertical, TProportionalScroll& out)
{
    if (total <= 0)
        return false;
    const float ratio = float(extent - fixedExtent) / float(total);
    if (ratio >= 0.9999f)
        return false;
    const float max = (127.0f + ratio) / (1.0f - ratio);
    float pos;
    if (extent < total)
        pos = float(before) / float(total - extent) * 128.0f;
    else
        pos = vertical ? 127.0f : float(currentPos);
    if (!vertical && total + fixedExtent - extent < 5)
        return false;
    out.Max = int(max);
    out.Page = out.Max - 126;
    out.Pos = int(pos);
    return true;
}

void TQvStringGrid::SetScrollType(TScrollType value)
{
    if (value != ScrollType) {
        ScrollType = value;
        if (value == ssFlat || value == ssEncarta)
            FlatScrollCalls << QStringLiteral("InitializeFlatSB");
        else
            FlatScrollCalls << QStringLiteral("UninitializeFlatSB");
        // The metro look scrolls with two thin painted controls over the right and bottom edges
        // instead of the bars; leaving it gives the bars back. Without thin controls the
        // grid's choice of bars (ssNone included) stays.
        const bool hadThin = FScrollControls[sdVertical] || FScrollControls[sdHorizontal];
        for (TScrollDirection d : {sdVertical, sdHorizontal}) {
            delete FScrollControls[d];
            FScrollControls[d] = value == ssMetro ? new TScrollControl(this, d) : nullptr;
        }
        if (value == ssMetro)
            SetScrollBars(ssNone);
        else if (hadThin)
            SetScrollBars(ssBoth);
        placeScrollControls();
    }
    static const char* const styles[] = {"regular", "flat", "encarta", ""};
    if (value != ssMetro)
        FlatScrollCalls << QStringLiteral("FlatSB_SetScrollProp style %1").arg(QLatin1String(styles[value]));
    applyScrollLook();
}

void TQvStringGrid::SetScrollColor(TColor value)
{
    ScrollColor = value;
    applyScrollLook();
}

void TQvStringGrid::SetScrollWidth(int value)
{
    ScrollWidth = value;
    applyScrollLook();
}

// The flat and Encarta bars are the platform bars drawn without bevels (Encarta raises the
// part under the pointer), in ScrollColor when one is set and ScrollWidth thick. The normal
// and metro kinds leave the platform's bars as they are.
void TQvStringGrid::applyScrollLook()
{
    QString sheet;
    if (ScrollType == ssFlat || ScrollType == ssEncarta) {
        const int w = std::max(1, ScrollWidth);
        const QString back =
            ScrollColor == clNone ? QStringLiteral("palette(window)") : platform::toQColor(ScrollColor).name();
        const QString raised =
            ScrollType == ssEncarta ? QStringLiteral("border: 1px solid palette(shadow);") : QString();
        sheet = QStringLiteral("QScrollBar { background: %1; border: none; margin: 0px; }"
                               "QScrollBar:vertical { width: %2px; margin: %2px 0px %2px 0px; }"
                               "QScrollBar:horizontal { height: %2px; margin: 0px %2px 0px %2px; }"
                               "QScrollBar::handle { background: palette(mid); border: none; }"
                               "QScrollBar::handle:vertical { min-height: 8px; }"
                               "QScrollBar::handle:horizontal { min-width: 8px; }"
                               "QScrollBar::handle:hover, QScrollBar::add-line:hover, QScrollBar::sub-line:hover { %3 }"
                               "QScrollBar::add-line, QScrollBar::sub-line { background: palette(button); border: none;"
                               " subcontrol-origin: margin; }"
                               "QScrollBar::add-line:vertical { height: %2px; subcontrol-position: bottom; }"
                               "QScrollBar::sub-line:vertical { height: %2px; subcontrol-position: top; }"
                               "QScrollBar::add-line:horizontal { width: %2px; subcontrol-position: right; }"
                               "QScrollBar::sub-line:horizontal { width: %2px; subcontrol-position: left; }"
                               "QScrollBar::add-page, QScrollBar::sub-page { background: none; }")
                    .arg(back)
                    .arg(w)
                    .arg(raised);
    }
    verticalScrollBar()->setStyleSheet(sheet);
    horizontalScrollBar()->setStyleSheet(sheet);
    // The scroll area places its bars by their size hints on a resize: one of the same size,
    // once the bars took their new sheet, lays them out at their new width.
    QMetaObject::invokeMethod(
        this,
        [this] {
            QResizeEvent relayout(size(), size());
            QCoreApplication::sendEvent(this, &relayout);
        },
        Qt::QueuedConnection);
}

void TQvStringGrid::placeScrollControls()
{
    const QRect v = viewport()->geometry();
    const int w = TScrollControl::kThickness;
    if (TScrollControl* c = FScrollControls[sdVertical]) {
        c->setGeometry(v.right() + 1 - w, v.top(), w, v.height());
        c->show();
        c->raise();
    }
    if (TScrollControl* c = FScrollControls[sdHorizontal]) {
        c->setGeometry(v.left(), v.bottom() + 1 - w, v.width(), w);
        c->show();
        c->raise();
    }
}

void TQvStringGrid::SetScrollBars(TScrollStyle value)
{
    ScrollBars = value;
    UpdateScrollBarsAlways(false);
}

void TQvStringGrid::SetScrollBarAlways(TScrollBarAlways value)
{
    ScrollBarAlways = value;
    UpdateScrollBarsAlways(true);
}

// Bars the setting excludes are off; a bar kept visible while its content fits shows disabled
// (greyed), the others come and go as needed. Every range update decides the greying again
// (ScrollBarsUpdated), so adding rows enables the bar.
void TQvStringGrid::UpdateScrollBarsAlways(bool)
{
    const bool vAllowed = ScrollBars == ssVertical || ScrollBars == ssBoth;
    const bool hAllowed = ScrollBars == ssHorizontal || ScrollBars == ssBoth;
    const bool vKeep = ScrollBarAlways == saVert || ScrollBarAlways == saBoth;
    const bool hKeep = ScrollBarAlways == saHorz || ScrollBarAlways == saBoth;
    setVerticalScrollBarPolicy(!vAllowed ? Qt::ScrollBarAlwaysOff
                               : vKeep   ? Qt::ScrollBarAlwaysOn
                                         : Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(!hAllowed ? Qt::ScrollBarAlwaysOff
                                 : hKeep   ? Qt::ScrollBarAlwaysOn
                                           : Qt::ScrollBarAsNeeded);
    greyFittingBars(*this);
}

void TQvStringGrid::UpdateProportionalHScroll()
{
    if (!ScrollProportional || IsLoading() || Designing())
        return;
    const int lw = GridLineWidth();
    long long fixedW = lw, total = lw, before = lw;
    for (int c = 0; c < FixedCols(); ++c)
        fixedW += ColWidths(c) + lw;
    for (int c = FixedCols(); c < ColCount(); ++c) {
        total += ColWidths(c) + lw;
        if (c < LeftCol())
            before += ColWidths(c) + lw;
    }
    TProportionalScroll p;
    if (ComputeProportionalScroll(fixedW, total, before, width(), ProportionalHScroll.Pos, false, p)) {
        ProportionalHScroll = {p.Max, p.Page, p.Pos};
        applyProportionalThumb(horizontalScrollBar(), ProportionalHScroll);
    }
}

void TQvStringGrid::UpdateProportionalVScroll()
{
    if (!ScrollProportional || IsLoading() || Designing())
        return;
    if (VisibleRowCount() + FixedRows() >= RowCount())
        return;
    const int lw = GridLineWidth();
    long long fixedH = lw, total = lw, above = lw;
    for (int r = 0; r < FixedRows(); ++r)
        fixedH += RowHeights(r) + lw;
    // Rows of the default height are summed at once: a grid of a million rows stays quick.
    total += RowHeightsSum(FixedRows(), RowCount()) + static_cast<long long>(lw) * (RowCount() - FixedRows());
    above += RowHeightsSum(FixedRows(), TopRow()) + static_cast<long long>(lw) * (TopRow() - FixedRows());
    TProportionalScroll p;
    if (ComputeProportionalScroll(fixedH, total, above, height(), ProportionalVScroll.Pos, true, p)) {
        ProportionalVScroll = {p.Max, p.Page, p.Pos};
        applyProportionalThumb(verticalScrollBar(), ProportionalVScroll);
    }
}

// The bars count rows and columns; a proportional bar's thumb shows the share of pixels in
// view instead: the thumb's share of the track is Page / (Max + 1) of the 0..127 scale, set as
// the bar's page step over its range of rows or columns.
void TQvStringGrid::ScrollBarsUpdated()
{
    greyFittingBars(*this);
    if (!ScrollProportional || FApplyingProportional)
        return;
    FApplyingProportional = true;
    UpdateProportionalVScroll();
    UpdateProportionalHScroll();
    FApplyingProportional = false;
}

void TQvStringGrid::applyProportionalThumb(QScrollBar* bar, const TScrollInfo& info)
{
    const int range = bar->maximum() - bar->minimum();
    if (range <= 0 || info.Max <= 127 || info.Page <= 0)
        return;
    const double share = double(info.Page) / double(info.Max + 1);
    bar->setPageStep(std::max(1, int(std::lround(share * range / (1.0 - share)))));
}

int TQvStringGrid::ThumbToRow(int Pos) const
{
    return MulDivRound(Pos, RowCount() - VisibleRowCount() - FixedRows(), 127) + FixedRows();
}

int TQvStringGrid::ThumbToCol(int Pos) const
{
    return MulDivRound(Pos, ColCount() - VisibleColCount() - FixedCols(), 127) + FixedCols();
}

QString TQvStringGrid::ScrollHint(bool vertical, int Pos)
{
    const int n = vertical ? ThumbToRow(Pos) : ThumbToCol(Pos);
    QString hint = (vertical ? QStringLiteral("Row : ") : QStringLiteral("Col : ")) + QString::number(n);
    if (OnScrollHint)
        OnScrollHint(this, n, hint);
    return hint;
}

void TQvStringGrid::connectScrollHints()
{
    if (FScrollHintsConnected)
        return;
    FScrollHintsConnected = true;
    connect(verticalScrollBar(), &QScrollBar::sliderMoved, this, [this](int v) { thumbMoved(true, v); });
    connect(horizontalScrollBar(), &QScrollBar::sliderMoved, this, [this](int v) { thumbMoved(false, v); });
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, FScrollHintWnd, &QWidget::hide);
    connect(horizontalScrollBar(), &QScrollBar::sliderReleased, FScrollHintWnd, &QWidget::hide);
}

// The bars here count rows and columns, so the thumb's value is the row or column itself.
void TQvStringGrid::thumbMoved(bool vertical, int value)
{
    const bool hint = vertical ? (ScrollHints == shVertical || ScrollHints == shBoth)
                               : (ScrollHints == shHorizontal || ScrollHints == shBoth);
    if (hint) {
        QString text = (vertical ? QStringLiteral("Row : ") : QStringLiteral("Col : ")) + QString::number(value);
        if (OnScrollHint)
            OnScrollHint(this, value, text);
        const QPoint at = QCursor::pos() + QPoint(10, 0);
        FScrollHintWnd->ActivateHintData({at.x(), at.y(), at.x(), at.y()}, text, this);
    }
    if (ScrollSynch) {
        if (vertical)
            SetTopRow(value);
        else
            SetLeftCol(value);
    }
}

void TQvStringGrid::ScreenToCell(const QPoint& pt, int& ACol, int& ARow) const
{
    const QPoint p = viewport()->mapFromGlobal(pt);
    MouseToCell(p.x(), p.y(), ACol, ARow);
}

void TQvStringGrid::ScrollInView(int ACol, int ARow)
{
    if (ARow >= FixedRows() && ARow < RowCount()) {
        if (ARow < TopRow())
            SetTopRow(ARow);
        else if (ARow >= TopRow() + VisibleRowCount())
            SetTopRow(ARow - std::max(1, VisibleRowCount()) + 1);
    }
    if (ACol >= FixedCols() && ACol < ColCount()) {
        if (ACol < LeftCol())
            SetLeftCol(ACol);
        else if (ACol >= LeftCol() + VisibleColCount())
            SetLeftCol(ACol - std::max(1, VisibleColCount()) + 1);
    }
    // A shown search footer covers the bottom of the grid: the row goes up above it.
    if (FSearchFooter->Visible() && ARow >= FixedRows() && ARow < RowCount()) {
        constexpr int kSearchPanelHeight = 32;
        const int usable = viewport()->height() - kSearchPanelHeight;
        while (ARow > TopRow()) {
            const TRect r = CellRect(Col(), ARow);
            if (r.Bottom > r.Top && r.Bottom <= usable)
                break;
            const int top = TopRow();
            SetTopRow(top + 1);
            if (TopRow() == top)
                break;
        }
    }
}

// ---- drag scrolling ----

void TQvStringGrid::stopDragScroll()
{
    delete FDragTmr;
    FDragTmr = nullptr;
}

void TQvStringGrid::DragOverGrid(int X, int Y, TDragState State)
{
    if (!DragScrollOptions.Active) {
        stopDragScroll();
        return;
    }
    const unsigned old = FDragScrollDirection;
    FDragScrollDirection = 0;
    if (State == dsDragLeave) {
        stopDragScroll();
        return;
    }
    const TDragScrollOptions& o = DragScrollOptions;
    if (Y < o.Margins.TopMargin)
        FDragScrollDirection |= dsdUp;
    else if (Y > height() - o.Margins.BottomMargin)
        FDragScrollDirection |= dsdDown;
    if (X < o.Margins.LeftMargin)
        FDragScrollDirection |= dsdLeft;
    else if (X > width() - o.Margins.RightMargin)
        FDragScrollDirection |= dsdRight;
    if (FDragScrollDirection == 0) {
        stopDragScroll();
        return;
    }
    if (!FDragTmr) {
        FDragTmr = new QTimer(this);
        connect(FDragTmr, &QTimer::timeout, this, [this] { DragScrollTick(); });
        FDragTmr->start(o.Delays.InitialDelay);
    } else if (old != 0 && FDragTmr->interval() != o.Delays.InitialDelay) {
        FDragTmr->start(o.Delays.InitialDelay); // restarts only when the interval changes
    }
}

void TQvStringGrid::DragScrollTick()
{
    if (!DragScrollOptions.Active) {
        stopDragScroll();
        return;
    }
    if (FDragTmr)
        FDragTmr->setInterval(DragScrollOptions.Delays.RepeatDelay);
    unsigned dir = FDragScrollDirection;
    if (OnDragScroll) {
        bool can = true;
        OnDragScroll(this, TopRow(), LeftCol(), dir, can);
        if (!can)
            return;
    }
    if ((dir & dsdUp) && TopRow() > FixedRows())
        SetTopRow(TopRow() - 1);
    if ((dir & dsdDown) && TopRow() + VisibleRowCount() < RowCount())
        SetTopRow(TopRow() + 1);
    if ((dir & dsdLeft) && LeftCol() > FixedCols())
        SetLeftCol(LeftCol() - 1);
    if ((dir & dsdRight) && VisibleColCount() + LeftCol() < ColCount())
        SetLeftCol(LeftCol() + 1);
}

} // namespace grid
