#include "grid/input/ScrollControl.h"

#include "grid/input/GridInput.h"
#include "grid/QvGrid.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <functional>

namespace grid {

namespace {

// The grid's rows or columns seen along one axis, so both controls share one arithmetic.
struct Axis {
    int count, fixed, visible, footers;
    std::function<int(int)> size;
};

Axis axisOf(TQvStringGrid& g, TScrollDirection d)
{
    if (d == sdVertical)
        return {g.RowCount(), g.FixedRows(), g.VisibleRowCount(), g.FixedFooters(),
                [&g](int i) { return g.RowHeights(i); }};
    return {g.ColCount(), g.FixedCols(), g.VisibleColCount(), g.FixedFooters(),
            [&g](int i) { return g.ColWidths(i); }};
}

} // namespace

TScrollControl::TScrollControl(QWidget* AOwner, TScrollDirection direction) : QWidget(AOwner), Direction(direction)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

TQvStringGrid* TScrollControl::grid() const
{
    return qobject_cast<TQvStringGrid*>(parentWidget());
}

void TScrollControl::SetColor(TColor v)
{
    if (v != Color) {
        Color = v;
        update();
    }
}

int TScrollControl::first() const
{
    return Direction == sdVertical ? grid()->TopRow() : grid()->LeftCol();
}

void TScrollControl::setFirst(int v)
{
    if (Direction == sdVertical)
        grid()->SetTopRow(v);
    else
        grid()->SetLeftCol(v);
    update();
}

TScrollThumb TScrollControl::Thumb() const
{
    TScrollThumb t;
    TQvStringGrid* g = grid();
    if (!g)
        return t;
    const Axis a = axisOf(*g, Direction);
    int fixedExtent = 0;
    for (int i = 0; i < a.fixed && i < a.count; ++i)
        fixedExtent += a.size(i);
    int footerExtent = 0;
    for (int i = std::max(0, a.count - a.footers); i < a.count; ++i)
        footerExtent += a.size(i);
    t.Track = length() - fixedExtent - footerExtent;
    t.Start = fixedExtent;
    const int normal = a.count - a.fixed;
    if (normal <= 0 || t.Track <= 0 || a.visible >= normal)
        return t;
    t.Pos = t.Start + RoundHalfEven(double(t.Track) * (first() - a.fixed) / normal);
    t.Size = std::max(kMinThumb, RoundHalfEven(double(t.Track) * a.visible / a.count));
    if (t.Pos + t.Size > length())
        t.Pos = length() - t.Size;
    t.Visible = true;
    return t;
}

void TScrollControl::paintEvent(QPaintEvent*)
{
    const TScrollThumb t = Thumb();
    if (!t.Visible)
        return;
    QPainter p(this);
    p.setPen(Qt::NoPen);
    p.setBrush(platform::toQColor(Color));
    if (Direction == sdVertical)
        p.drawRect(0, t.Pos, ScrollWidth, t.Size);
    else
        p.drawRect(t.Pos, 0, t.Size, ScrollWidth);
}

void TScrollControl::mousePressEvent(QMouseEvent* e)
{
    QWidget::mousePressEvent(e);
    const TScrollThumb t = Thumb();
    if (!t.Visible)
        return;
    const Axis a = axisOf(*grid(), Direction);
    const int at = along(e->position().toPoint());
    if (at < t.Pos) {
        setFirst(std::max(a.fixed, first() - a.visible));
    } else if (at > t.Pos + t.Size) {
        setFirst(std::max(a.fixed, std::min(first() + a.visible, a.count - a.visible)));
    } else {
        FDownOnScroller = true;
        FDownPos = at;
        FDownRow = first();
    }
}

void TScrollControl::mouseMoveEvent(QMouseEvent* e)
{
    QWidget::mouseMoveEvent(e);
    if (!FDownOnScroller || !Thumb().Visible)
        return;
    const Axis a = axisOf(*grid(), Direction);
    const int span = length() - a.size(0);
    if (span <= 0)
        return;
    const int moved = RoundHalfEven(double(along(e->position().toPoint()) - FDownPos) / span * a.count);
    setFirst(std::max(a.fixed, std::min(moved + FDownRow, a.count - a.visible)));
}

void TScrollControl::mouseReleaseEvent(QMouseEvent* e)
{
    QWidget::mouseReleaseEvent(e);
    FDownOnScroller = false;
}

} // namespace grid

#include "moc_ScrollControl.cpp"
