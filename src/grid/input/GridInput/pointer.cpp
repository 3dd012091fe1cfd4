// Pointer movement beyond the hover looks: the picture of moved cells, enhanced column and row
// moves with their floating header button and target arrows, header drag selection, and the
// sizing reports (events and the "cw=" / "rh=" hint).

#include "grid/QvGrid.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace grid {

namespace {

// The picture of a dragged range is seen through: 192 of 255.
constexpr int kPictureAlpha = 192;

} // namespace

QWidget* TQvStringGrid::SelectionToForm(const TGridRect& r)
{
    const QPixmap whole = viewport()->grab();
    // Cells scrolled out of view have no rectangle; the picture shows the part in view.
    const auto clampedRect = [this](int col, int row) {
        TRect cr = CellRect(col, row);
        if (cr.IsEmpty()) {
            col = std::clamp(col, 0, std::max(0, LeftCol() + VisibleColCount() - 1));
            row = std::clamp(row, 0, std::max(0, TopRow() + VisibleRowCount() - 1));
            cr = CellRect(std::min(col, ColCount() - 1), std::min(row, RowCount() - 1));
        }
        return cr;
    };
    const TRect a = clampedRect(r.Left, r.Top), b = clampedRect(r.Right, r.Bottom);
    // The range's pixel edges, its far grid lines included.
    QRect area(QPoint(std::min(a.Left, b.Left), std::min(a.Top, b.Top)),
               QPoint(std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)));
    area &= viewport()->rect();
    QPixmap picture = area.isEmpty() ? QPixmap(1, 1) : whole.copy(area);
    if (area.isEmpty())
        picture.fill(Qt::transparent);
    {
        // A range cut from the fixed cells' edge keeps the fixed line it started at.
        QPainter p(&picture);
        p.setPen(platform::toQColor(GridFixedLineColor()));
        if (std::min(r.Left, r.Right) == 0 && FixedCols() > 0 && (Options() & goFixedHorzLine))
            p.drawLine(0, 0, 0, picture.height() - 1);
        if (std::min(r.Top, r.Bottom) == 0 && FixedRows() > 0 && (Options() & goFixedVertLine))
            p.drawLine(0, 0, picture.width() - 1, 0);
    }

    auto* form = new TNoActiveForm(this);
    form->setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* image = new QLabel(form);
    image->setPixmap(picture);
    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(image);
    form->setFixedSize(picture.size());
    // Half a step up: the platform stores the opacity as a byte and truncates.
    form->setWindowOpacity((kPictureAlpha + 0.5) / 255.0);
    return form;
}

} // namespace grid
