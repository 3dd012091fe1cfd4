#include "grid/GridDraw.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace grid {

namespace {

QColor q(TColor c)
{
    return platform::toQColor(c);
}

int roundEven(double v)
{
    return int(std::nearbyint(v)); // default rounding mode: halves to the even neighbour
}

} // namespace

void DrawStepGradient(QPainter& canvas, TColor from, TColor to, bool horizontal, const TRect& r, int steps)
{
    if (r.Height() <= 0 || r.Width() <= 0)
        return;
    if (from == clNone && to == clNone)
        return;
    if (from == clNone || to == clNone) {
        canvas.fillRect(r.toQRect(), q(from == clNone ? to : from));
        return;
    }
    const TColor a = platform::colorToRGB(from), b = platform::colorToRGB(to);
    const int extent = horizontal ? r.Width() : r.Height();
    steps = std::max(1, std::min(steps, extent - 1));
    const double dr = double(platform::getRValue(b) - platform::getRValue(a)) / steps;
    const double dg = double(platform::getGValue(b) - platform::getGValue(a)) / steps;
    const double db = double(platform::getBValue(b) - platform::getBValue(a)) / steps;
    for (int i = 0; i < steps; ++i) {
        const int s = extent * i / steps, e = extent * (i + 1) / steps;
        const QColor c(std::clamp(roundEven(platform::getRValue(a) + dr * i), 0, 255),
                       std::clamp(roundEven(platform::getGValue(a) + dg * i), 0, 255),
                       std::clamp(roundEven(platform::getBValue(a) + db * i), 0, 255));
        if (horizontal)
            canvas.fillRect(QRect(r.Left + s, r.Top, e - s, r.Height()), c);
        else
            canvas.fillRect(QRect(r.Left, r.Top + s, r.Width(), e - s), c);
    }
}

void DrawCellGradient(QPainter& canvas, const TRect& r, TColor color, TColor colorTo, TColor mirrorColor,
                      TColor mirrorColorTo, TColor borderColor, bool fill, bool linesOnly, bool vertical)
{
    if (fill && color != clNone && !linesOnly) {
        if (mirrorColor == clNone) {
            DrawStepGradient(canvas, color, colorTo == clNone ? color : colorTo, !vertical, r, 128);
        } else {
            TRect first = r, second = r;
            if (vertical) {
                first.Bottom = r.Top + r.Height() / 2;
                second.Top = first.Bottom;
            } else {
                first.Right = r.Left + r.Width() / 2;
                second.Left = first.Right;
            }
            DrawStepGradient(canvas, color, colorTo == clNone ? color : colorTo, !vertical, first, 128);
            DrawStepGradient(canvas, mirrorColor, mirrorColorTo == clNone ? mirrorColor : mirrorColorTo, !vertical,
                             second, 128);
        }
    }
    if (borderColor != clNone) {
        canvas.save();
        canvas.setPen(q(borderColor));
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
        canvas.restore();
    }
}

void DrawRoundedFrame(QPainter& canvas, const TRect& r, int kind, TColor fillFrom, TColor fillTo, TColor border,
                      TColor innerUpper, TColor innerLower, TColor corner, TColor outerCorner,
                      TColor lowerFrom, TColor lowerTo)
{
    if (r.IsEmpty())
        return;
    canvas.save();
    if (lowerFrom != clNone) {
        TRect upper = r, lower = r;
        upper.Bottom = r.Top + r.Height() / 2;
        lower.Top = upper.Bottom;
        DrawStepGradient(canvas, fillFrom, fillTo, false, upper, 64);
        DrawStepGradient(canvas, lowerFrom, lowerTo, false, lower, 64);
    } else {
        DrawStepGradient(canvas, fillFrom, fillTo, false, r, 64);
    }
    const bool leftSide = kind == 0 || kind == 1;
    const bool rightSide = kind == 0 || kind == 2;
    const int l = r.Left, t = r.Top, rr = r.Right - 1, b = r.Bottom - 1;
    const int shorten = kind == 4 ? 2 : 0;
    canvas.setPen(q(border));
    canvas.drawLine(l + (leftSide ? 1 : 0) + shorten, t, rr - (rightSide ? 1 : 0) - shorten, t);
    canvas.drawLine(l + (leftSide ? 1 : 0) + shorten, b, rr - (rightSide ? 1 : 0) - shorten, b);
    if (leftSide && kind != 4)
        canvas.drawLine(l, t + 1, l, b - 1);
    if (rightSide && kind != 4)
        canvas.drawLine(rr, t + 1, rr, b - 1);
    if (r.Height() > 4) {
        canvas.setPen(q(innerUpper));
        canvas.drawLine(l + 1, t + 1, rr - 1, t + 1);
        canvas.setPen(q(innerLower));
        canvas.drawLine(l + 1, b - 1, rr - 1, b - 1);
    }
    if (corner != clNone) {
        canvas.setPen(q(corner));
        if (leftSide) {
            canvas.drawPoint(l + 1, t + 1);
            canvas.drawPoint(l + 1, b - 1);
        }
        if (rightSide) {
            canvas.drawPoint(rr - 1, t + 1);
            canvas.drawPoint(rr - 1, b - 1);
        }
    }
    if (outerCorner != clNone) {
        canvas.setPen(q(outerCorner));
        if (leftSide) {
            canvas.drawPoint(l, t);
            canvas.drawPoint(l, b);
        }
        if (rightSide) {
            canvas.drawPoint(rr, t);
            canvas.drawPoint(rr, b);
        }
    }
    canvas.restore();
}

} // namespace grid
