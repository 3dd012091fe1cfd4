#include "dropdowns/QvDropDown/Draw.h"
#include "grid/look/QvDropXPVS.h"

#include <algorithm>
#include <cstdlib>

namespace dropdowns::draw {

namespace {

QColor qc(TColor c)
{
    return platform::toQColor(c);
}

} // namespace

void fill(QPainter& canvas, const QRect& r, TColor color)
{
    if (r.isValid())
        canvas.fillRect(r, qc(color));
}

void frame(QPainter& canvas, const QRect& r, TColor color)
{
    frame(canvas, r, color, 1);
}

void frame(QPainter& canvas, const QRect& r, TColor color, int width)
{
    if (r.isEmpty() || width <= 0)
        return;
    const QColor c = qc(color);
    const int w = std::min(width, std::min(r.width(), r.height()));
    canvas.fillRect(QRect(r.left(), r.top(), r.width(), w), c);
    canvas.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), c);
    canvas.fillRect(QRect(r.left(), r.top(), w, r.height()), c);
    canvas.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), c);
}

void edgeRing(QPainter& canvas, const QRect& r, TColor topLeft, TColor bottomRight)
{
    if (r.isEmpty())
        return;
    const QColor tl = qc(topLeft), br = qc(bottomRight);
    canvas.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), tl);
    canvas.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), tl);
    canvas.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), br);
    canvas.fillRect(QRect(r.right(), r.top(), 1, r.height()), br);
}

QRect drawEdge(QPainter& canvas, const QRect& r, Edge edge)
{
    using namespace platform;
    struct Rings {
        TColor outerTL, outerBR, innerTL, innerBR;
        bool inner;
    };
    Rings rings{};
    switch (edge) {
    case Edge::Raised:
        rings = {cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow, true};
        break;
    case Edge::Sunken:
        rings = {clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight, true};
        break;
    case Edge::Etched:
        rings = {clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnShadow, true};
        break;
    case Edge::RaisedOuter:
        rings = {cl3DLight, cl3DDkShadow, 0, 0, false};
        break;
    case Edge::SunkenOuter:
        rings = {clBtnShadow, clBtnHighlight, 0, 0, false};
        break;
    case Edge::PushRaised:
        rings = {clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow, true};
        break;
    case Edge::PushPressed:
        rings = {cl3DDkShadow, clBtnHighlight, clBtnShadow, cl3DLight, true};
        break;
    }
    edgeRing(canvas, r, rings.outerTL, rings.outerBR);
    QRect inside = r.adjusted(1, 1, -1, -1);
    if (rings.inner) {
        edgeRing(canvas, inside, rings.innerTL, rings.innerBR);
        inside = inside.adjusted(1, 1, -1, -1);
    }
    return inside;
}

void dropArrow(QPainter& canvas, TColor color, const QPoint& offset)
{
    const QColor c = qc(color);
    for (int row = 0; row < 4; ++row)
        canvas.fillRect(QRect(offset.x() + 5 + row, offset.y() + 7 + row, 7 - 2 * row, 1), c);
}

void transparentImage(QPainter& canvas, const QPoint& at, const QImage& image)
{
    if (image.isNull())
        return;
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = masked.pixel(0, masked.height() - 1) | 0xFF000000u;
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
    }
    canvas.drawImage(at, masked);
}

void polyline(QPainter& canvas, TColor color, std::initializer_list<QPoint> points)
{
    const QColor c = qc(color);
    const QPoint* prev = nullptr;
    for (const QPoint& p : points) {
        if (prev) {
            // Horizontal, vertical and 45-degree segments, as the looks draw them; the end point
            // stays out.
            const int dx = p.x() > prev->x() ? 1 : p.x() < prev->x() ? -1 : 0;
            const int dy = p.y() > prev->y() ? 1 : p.y() < prev->y() ? -1 : 0;
            const int steps = std::max(std::abs(p.x() - prev->x()), std::abs(p.y() - prev->y()));
            QPoint q = *prev;
            for (int i = 0; i < steps; ++i, q += QPoint(dx, dy))
                canvas.fillRect(QRect(q, QSize(1, 1)), c);
        }
        prev = &p;
    }
}

bool themePart(QWidget* window, const QString& themeClass, QPainter& canvas, int part, int state, const QRect& r)
{
    const grid::TThemeApi& api = grid::DropDownThemeApi;
    if (!api.Loaded || !api.OpenThemeData)
        return false;
    const platform::HTHEME theme = api.OpenThemeData(window, themeClass);
    if (!theme)
        return false;
    const bool drawn = api.DrawThemeBackground(theme, canvas, part, state, r);
    api.CloseThemeData(theme);
    return drawn;
}

} // namespace dropdowns::draw
