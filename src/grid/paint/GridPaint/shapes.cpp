// Shapes, pies, balance bars, the error underline, the small triangle and rotated text
// placement.

#include "grid/look/ZirAzur/canvas.h"
#include "grid/paint/GridPaint.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace grid::ZirAzur {

namespace {

int roundHalfEven(double v)
{
    return int(std::nearbyint(v));
}

// Polygon filled in the brush and outlined in the pen, without smoothing, as the classic
// canvas draws it.
void polygon(QPainter& canvas, const QPolygon& pts, TColor pen, TColor brush)
{
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(pen == clNone ? QPen(Qt::NoPen) : QPen(platform::toQColor(pen), 1));
    canvas.setBrush(brush == clNone ? QBrush(Qt::NoBrush) : QBrush(platform::toQColor(brush)));
    canvas.drawPolygon(pts);
    canvas.restore();
}

void ellipse(QPainter& canvas, const TRect& r, TColor pen, TColor brush)
{
    if (r.Width() < 1 || r.Height() < 1)
        return;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(pen == clNone ? QPen(Qt::NoPen) : QPen(platform::toQColor(pen), 1));
    canvas.setBrush(brush == clNone ? QBrush(Qt::NoBrush) : QBrush(platform::toQColor(brush)));
    canvas.drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    canvas.restore();
}

} // namespace

void DrawSmallTriangle(QPainter& canvas, int x, int y, TColor color)
{
    polygon(canvas, QPolygon({QPoint(x - 3, y), QPoint(x + 3, y), QPoint(x, y + 3)}), color, color);
}

void PaintCellShape(QPainter& canvas, int x, int y, int w, int h, TCellShape shape, TColor fill, TColor line)
{
    if (shape == csCircle || shape == csSquare || shape == csRoundSquare)
        w = h = std::min(w, h);
    const int w2 = w / 2, h2 = h / 2;
    const auto poly = [&](std::initializer_list<QPoint> pts) { polygon(canvas, QPolygon(pts), line, fill); };
    switch (shape) {
    case csRectangle:
    case csSquare:
        canvas::rectangle(canvas, {x + 1, y + 1, x + w - 1, y + h - 1}, line, fill);
        break;
    case csCircle:
    case csEllips:
        ellipse(canvas, {x, y, x + w, y + h}, line, fill);
        break;
    case csTriangleLeft:
        poly({{x + w, y}, {x + w, y + h}, {x, y + h2}});
        break;
    case csTriangleRight:
        poly({{x, y}, {x, y + h}, {x + w, y + h2}});
        break;
    case csTriangleUp:
        poly({{x, y + h}, {x + w, y + h}, {x + w2, y}});
        break;
    case csTriangleDown:
        poly({{x, y}, {x + w, y}, {x + w2, y + h}});
        break;
    case csDiamond:
        poly({{x, y + h2}, {x + w2, y}, {x + 2 * w2, y + h2}, {x + w2, y + 2 * h2}});
        break;
    case csLineVert:
        canvas::rectangle(canvas, {x + w2, y, x + w2 + 1, y + h}, line, fill);
        break;
    case csLineHorz:
        canvas::rectangle(canvas, {x, y + h2, x + w, y + h2 + 1}, line, fill);
        break;
    case csRoundRect:
    case csRoundSquare: {
        canvas.save();
        canvas.setRenderHint(QPainter::Antialiasing, false);
        canvas.setPen(QPen(platform::toQColor(line), 1));
        canvas.setBrush(platform::toQColor(fill));
        canvas.drawRoundedRect(QRect(x, y, w - 1, h - 1), 5, 5);
        canvas.restore();
        break;
    }
    case csArrowUp:
    case csArrowDown: {
        const int W = w & ~1;
        const int head = shape == csArrowUp ? y : y + h, tail = shape == csArrowUp ? y + h : y;
        poly({{x, y + h2},
              {x + W / 2, head},
              {x + W, y + h2},
              {x + 3 * (W / 4), y + h2},
              {x + 3 * (W / 4), tail},
              {x + W / 4, tail},
              {x + W / 4, y + h2}});
        break;
    }
    case csArrowLeft:
    case csArrowRight: {
        const int H = h & ~1;
        const int tip = shape == csArrowLeft ? x : x + w, end = shape == csArrowLeft ? x + w : x;
        poly({{tip, y + H / 2},
              {x + w2, y},
              {x + w2, y + H / 4},
              {end, y + H / 4},
              {end, y + 3 * (H / 4)},
              {x + w2, y + 3 * (H / 4)},
              {x + w2, y + H}});
        break;
    }
    case csStar:
    case csHalfStar: {
        const int cx = x + w2, cy = y + h2;
        const auto point = [&](int k) {
            const double a = k * 36.0 * std::numbers::pi / 180.0;
            const double rx = k % 2 == 0 ? w2 : w2 / 3.0, ry = k % 2 == 0 ? h2 : h2 / 3.0;
            return QPoint(cx + roundHalfEven(std::sin(a) * rx), cy - roundHalfEven(std::cos(a) * ry));
        };
        QPolygon pts;
        if (shape == csStar) {
            for (int k = 0; k < 10; ++k)
                pts << point(k);
        } else {
            pts << point(0) << QPoint(cx, cy + roundHalfEven(h2 / 3.0)) << point(6) << point(7) << point(8) << point(9);
        }
        polygon(canvas, pts, line, fill);
        break;
    }
    }
}

void DrawPieProgress(QPainter& canvas, const TRect& r, TColor fillColor, bool upward, int percent)
{
    const int w = r.Width(), h = r.Height();
    const TColor grey = 0x808080;
    ellipse(canvas, r, grey, clNone);
    const int cx = r.Left + w / 2, cy = r.Top + h / 2;
    const double theta = percent / 100.0 * 2 * std::numbers::pi;
    const int ex = cx + roundHalfEven((w + 1) / 2.0 * std::sin(theta));
    const int ey = r.Top + h / 2 - roundHalfEven((h + 1) / 2.0 * std::cos(theta));
    if (percent != 0 && fillColor != clNone) {
        // The sector the flood fill would colour: from 12 o'clock clockwise by theta.
        canvas.save();
        canvas.setRenderHint(QPainter::Antialiasing, false);
        canvas.setPen(Qt::NoPen);
        canvas.setBrush(platform::toQColor(fillColor));
        const int span = -int(std::lround(percent / 100.0 * 360 * 16));
        canvas.drawPie(QRect(r.Left + 1, r.Top + 1, w - 3, h - 3), 90 * 16, upward ? -span : span);
        canvas.restore();
    }
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(QPen(platform::toQColor(grey), 1));
    canvas.drawLine(cx, r.Top, cx, cy);
    canvas.drawLine(cx, cy, ex, ey);
    canvas.restore();
}

void DrawBalanceBar(QPainter& canvas, TRect r, int value, int range, TColor positiveColor, TColor negativeColor, bool)
{
    r = {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
    const int half = r.Width() / 2;
    if (range <= 0)
        return; // no range gives no bar rather than a division by zero
    value = std::clamp(value, -range, range);
    const int x = roundHalfEven(double(half) * value / range);
    if (value < 0)
        canvas::rectangle(canvas, {r.Left + half + x, r.Top, r.Left + half, r.Bottom}, negativeColor, negativeColor);
    else
        canvas::rectangle(canvas, {r.Left + half, r.Top, r.Left + half + x, r.Bottom}, positiveColor, positiveColor);
}

void DrawErrorUnderline(QPainter& canvas, const QFont& font, const QString& text, int first, int count, int offset,
                        const TRect& r)
{
    if (count <= 0 || first < 0)
        return;
    const QFontMetrics fm(font);
    const int len = int(text.size());
    const int startX = first < len ? fm.horizontalAdvance(text.left(first)) : fm.horizontalAdvance(text) + 4;
    const int endX = first + count < len ? fm.horizontalAdvance(text.left(first + count - 1))
                                         : fm.horizontalAdvance(text.left(std::max(0, len - 1))) + 4;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(QPen(QColor(255, 0, 0), 2));
    QPoint p(r.Left + startX, r.Top + offset + 3);
    int d = 3;
    int x = startX;
    for (; x <= endX; x += 3) {
        d = d == 0 ? 3 : 0;
        const QPoint q(r.Left + x + 3, r.Top + offset + d);
        canvas.drawLine(p, q);
        p = q;
    }
    d = d == 0 ? 3 : 0;
    canvas.drawLine(p, QPoint(r.Left + x + 3, r.Top + offset + d));
    canvas.restore();
}

TPoint PlaceRotatedText(const TRect& r, TAlignment ha, TVAlignment va, int angle, int A, int B, int C, int D)
{
    const int W = r.Width(), H = r.Height();
    if (angle < 0 || angle > 360)
        angle = ((angle % 360) + 360) % 360;
    int left = r.Left, top = r.Top;
    const int q = angle <= 90 ? 0 : angle <= 180 ? 1 : angle <= 270 ? 2 : 3;
    switch (q) {
    case 0:
        left = ha == taLeftJustify ? r.Left : ha == taRightJustify ? r.Right - D - C : r.Left + (W - C - D) / 2;
        top = va == vtaTop ? r.Top + B : va == vtaBottom ? r.Bottom - A : r.Top + B - ((A + B) - H) / 2;
        break;
    case 1:
        left = ha == taLeftJustify ? r.Left + D : ha == taRightJustify ? r.Right - C : r.Right - (C + W - D) / 2;
        top = va == vtaTop ? r.Top + A + B : va == vtaBottom ? r.Bottom : r.Top + A + B - ((A + B) - H) / 2;
        break;
    case 2:
        left = ha == taLeftJustify ? r.Left + C + D : ha == taRightJustify ? r.Right : r.Right - (W - C - D) / 2;
        top = va == vtaTop ? r.Top + A : va == vtaBottom ? r.Bottom - B : r.Top + A - ((A + B) - H) / 2;
        break;
    default:
        left = ha == taLeftJustify ? r.Left + C : ha == taRightJustify ? r.Right - D : r.Left + (C + W - D) / 2;
        top = va == vtaTop ? r.Top : va == vtaBottom ? r.Bottom - A - B : r.Top - ((A + B) - H) / 2;
        break;
    }
    return {left, top};
}

} // namespace grid::ZirAzur
