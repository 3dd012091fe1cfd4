// A scroll-bar cell's bar: the twin of the live bar is set to the cell's page size, range and
// position and drawn at the cell's right edge, which moves left by its width; the text step
// then shifts the text up by the position. A bar with nothing to scroll (page size not below
// the range) is not drawn and leaves the cell whole.

#include "grid/QvGrid.h"
#include "grid/paint/GridPaint.h"

#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace grid {

void TGridPainter::drawCellScrollBar(TCellPaintContext& c)
{
    QScrollBar* bar = grid.CellPaintScrollBar();
    if (!bar || !grid.HasScrollBar(c.RealCol, c.ARow))
        return;
    const int pos = grid.GetScrollPosition(c.RealCol, c.ARow);
    const TScrollProp prop = grid.GetScrollProp(c.RealCol, c.ARow);
    if (prop.PageSize >= prop.Range)
        return;
    const QSignalBlocker quiet(bar);
    bar->setRange(0, TQvStringGrid::CellScrollMaximum(prop));
    bar->setPageStep(std::max(1, prop.PageSize));
    bar->setValue(pos);
    bar->resize(TQvStringGrid::CellScrollBarWidth, std::max(1, c.ARect.Height()));
    c.ARect.Right -= bar->width();
    bar->render(c.Canvas, QPoint(c.ARect.Right, c.ARect.Top), QRegion(), QWidget::DrawChildren);
    c.ScrollOffset = bar->value();
}

} // namespace grid
