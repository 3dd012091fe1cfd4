#include "grid/input/HeaderDragButton.h"

#include "grid/QvGrid.h"
#include "grid/markup/RizIVUDE.h"

#include <QFontMetrics>
#include <QPainter>

namespace grid {

THeaderDragButton::THeaderDragButton(TQvStringGrid* AGrid)
    : QWidget(AGrid, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), Grid(AGrid)
{
    // Shown during a drag that holds the mouse: it must never take the focus or the pointer.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, platform::toQColor(platform::clBtnFace));
    setPalette(p);
    hide();
}

void THeaderDragButton::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    const QRect inner = frame.adjusted(1, 1, 0, 0);
    if (Grid)
        Grid->PaintCornerCellLook(canvas, TRect::fromQRect(inner));
    canvas.setFont(Grid ? toQFont(Grid->FixedFont()) : font());
    canvas.setPen(platform::toQColor(Grid ? Grid->FixedFont().Color : platform::clBtnText));
    if (Caption.contains(QLatin1String("</"))) {
        RizIVUDE::TMarkupRequest request;
        request.Canvas = &canvas;
        request.Text = Caption;
        request.Rect = TRect::fromQRect(inner.adjusted(1, 1, -1, -1));
        request.Images = Grid ? Grid->GridImages : nullptr;
        request.AnchorColor = 0xFF0000; // links in blue
        request.Window = this;
        RizIVUDE::TMarkupResult result;
        RizIVUDE::PaintMarkup(request, result);
    } else {
        const QString shown = canvas.fontMetrics().elidedText(Caption, Qt::ElideRight, inner.width() - 4);
        canvas.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine, shown);
    }
    canvas.setPen(platform::toQColor(platform::clWindowFrame));
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(frame);
}

} // namespace grid

#include "moc_HeaderDragButton.cpp"
