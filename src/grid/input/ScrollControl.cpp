#include "grid/input/ScrollControl.h"

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <functional>

namespace grid {

namespace {

// Both controls share one arithmetic over the grid's axis; the track leaves out the fixed
// part at the start and the trailing fixed part (footer rows, right columns) at the end.
TGridAxis scrollAxisOf(TQvStringGrid& g, TScrollDirection d)
{
    return g.Axis(d == sdVertical ? gaRows : gaColumns);
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
    const TGridAxis a = scrollAxisOf(*g, Direction);
    int fixedExtent = 0;
    for (int i = 0; i < a.Fixed && i < a.Count; ++i)
        fixedExtent += a.Size(i);
    int footerExtent = 0;
    for (int i = std::max(0, a.Count - a.Trailing); i < a.Count; ++i)
        footerExtent += a.Size(i);
    t.Track = length() - fixedExtent - footerExtent;
    t.Start = fixedExtent;
    const int normal = a.Count - a.Fixed;
    if (normal <= 0 || t.Track <= 0 || a.Visible >= normal)
        return t;
    t.Pos = t.Start + RoundHalfEven(double(t.Track) * (first() - a.Fixed) / normal);
    t.Size = std::max(kMinThumb, RoundHalfEven(double(t.Track) * a.Visible / a.Count));
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
    const TGridAxis a = scrollAxisOf(*grid(), Direction);
    const int at = along(e->position().toPoint());
    if (at < t.Pos) {
        setFirst(std::max(a.Fixed, first() - a.Visible));
    } else if (at > t.Pos + t.Size) {
        setFirst(std::max(a.Fixed, std::min(first() + a.Visible, a.Count - a.Visible)));
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
    const TGridAxis a = scrollAxisOf(*grid(), Direction);
    const int span = length() - a.Size(0);
    if (span <= 0)
        return;
    const int moved = RoundHalfEven(double(along(e->position().toPoint()) - FDownPos) / span * a.Count);
    setFirst(std::max(a.Fixed, std::min(moved + FDownRow, a.Count - a.Visible)));
}

void TScrollControl::mouseReleaseEvent(QMouseEvent* e)
{
    QWidget::mouseReleaseEvent(e);
    FDownOnScroller = false;
}

} // namespace grid

#include "moc_ScrollControl.cpp"
