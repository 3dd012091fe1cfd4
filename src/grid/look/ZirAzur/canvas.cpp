#include "grid/look/ZirAzur/canvas.h"

#include <QPainter>

#include <algorithm>

namespace grid::ZirAzur::canvas {

void fillRect(QPainter& canvas, const TRect& r, TColor color)
{
    if (r.Right <= r.Left || r.Bottom <= r.Top || color == clNone)
        return;
    canvas.fillRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), platform::toQColor(color));
}

void frameRect(QPainter& canvas, const TRect& r, TColor color)
{
    if (r.Right <= r.Left || r.Bottom <= r.Top)
        return;
    fillRect(canvas, {r.Left, r.Top, r.Right, r.Top + 1}, color);
    fillRect(canvas, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, color);
    fillRect(canvas, {r.Left, r.Top, r.Left + 1, r.Bottom}, color);
    fillRect(canvas, {r.Right - 1, r.Top, r.Right, r.Bottom}, color);
}

void rectangle(QPainter& canvas, const TRect& r, TColor pen, TColor brush)
{
    fillRect(canvas, r, brush);
    if (pen != brush)
        frameRect(canvas, r, pen);
}

void lineTo(QPainter& canvas, int x0, int y0, int x1, int y1, TColor color)
{
    if (y0 == y1) {
        if (x1 >= x0)
            fillRect(canvas, {x0, y0, x1, y0 + 1}, color);
        else
            fillRect(canvas, {x1 + 1, y0, x0 + 1, y0 + 1}, color);
    } else if (x0 == x1) {
        if (y1 >= y0)
            fillRect(canvas, {x0, y0, x0 + 1, y1}, color);
        else
            fillRect(canvas, {x0, y1 + 1, x0 + 1, y0 + 1}, color);
    }
}

void setPixel(QPainter& canvas, int x, int y, TColor color)
{
    fillRect(canvas, {x, y, x + 1, y + 1}, color);
}

void triangleUp(QPainter& canvas, int x0, int x1, int baseY, TColor color)
{
    for (int k = 0; x0 + k <= x1 - k; ++k)
        fillRect(canvas, {x0 + k, baseY - k, x1 - k + 1, baseY - k + 1}, color);
}

void triangleDown(QPainter& canvas, int x0, int x1, int baseY, TColor color)
{
    for (int k = 0; x0 + k <= x1 - k; ++k)
        fillRect(canvas, {x0 + k, baseY + k, x1 - k + 1, baseY + k + 1}, color);
}

void classicButton(QPainter& canvas, const TRect& r, bool flat, bool pushed, bool disabled)
{
    (void)disabled; // a disabled face looks like a normal one; its glyph shows the state
    fillRect(canvas, r, platform::clBtnFace);
    if (r.Width() < 2 || r.Height() < 2)
        return;
    if (flat) {
        frameRect(canvas, r, platform::clBtnShadow);
        return;
    }
    if (pushed) {
        frameRect(canvas, r, platform::cl3DDkShadow);
        frameRect(canvas, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, platform::clBtnShadow);
        return;
    }
    // Raised edge: light outer and highlight inner line top-left, dark outer and shadow inner
    // line bottom-right.
    lineTo(canvas, r.Left, r.Top, r.Right - 1, r.Top, platform::cl3DLight);
    lineTo(canvas, r.Left, r.Top, r.Left, r.Bottom - 1, platform::cl3DLight);
    lineTo(canvas, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1, platform::cl3DDkShadow);
    lineTo(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom, platform::cl3DDkShadow);
    if (r.Width() < 4 || r.Height() < 4)
        return;
    lineTo(canvas, r.Left + 1, r.Top + 1, r.Right - 2, r.Top + 1, platform::clBtnHighlight);
    lineTo(canvas, r.Left + 1, r.Top + 1, r.Left + 1, r.Bottom - 2, platform::clBtnHighlight);
    lineTo(canvas, r.Left + 1, r.Bottom - 2, r.Right - 1, r.Bottom - 2, platform::clBtnShadow);
    lineTo(canvas, r.Right - 2, r.Top + 1, r.Right - 2, r.Bottom - 1, platform::clBtnShadow);
}

void classicArrowButton(QPainter& canvas, const TRect& r, Arrow arrow, bool flat, bool pushed, bool disabled)
{
    classicButton(canvas, r, flat, pushed, disabled);
    const int size = std::max(1, std::min(r.Width(), r.Height()) / 4);
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    const TColor color = disabled ? platform::clGrayText : platform::clBtnText;
    if (arrow == ArrowDown)
        triangleDown(canvas, cx - size, cx + size, cy - size / 2, color);
    else
        triangleUp(canvas, cx - size, cx + size, cy + size / 2, color);
}

void checkMark(QPainter& canvas, int x, int y, int size, TColor color)
{
    const QColor c = platform::toQColor(color);
    const int ox = x + (size - 7) / 2, oy = y + (size - 7) / 2;
    for (int i = 0; i < 7; ++i) {
        const int top = i < 3 ? oy + 2 + i : oy + 4 - (i - 2);
        canvas.fillRect(QRect(ox + i, top, 1, 3), c);
    }
}

void classicCheckBox(QPainter& canvas, const TRect& b, bool flat, bool checked, bool grayed, bool enabled)
{
    const TColor inside = (!enabled || (grayed && checked)) ? platform::clBtnFace : platform::clWindow;
    if (flat) {
        rectangle(canvas, b, platform::clBtnShadow, inside);
    } else {
        // Sunken edge: shadow and dark shadow outside top-left, highlight and light bottom-right.
        fillRect(canvas, b, inside);
        lineTo(canvas, b.Left, b.Top, b.Right - 1, b.Top, platform::clBtnShadow);
        lineTo(canvas, b.Left, b.Top, b.Left, b.Bottom - 1, platform::clBtnShadow);
        lineTo(canvas, b.Left + 1, b.Top + 1, b.Right - 2, b.Top + 1, platform::cl3DDkShadow);
        lineTo(canvas, b.Left + 1, b.Top + 1, b.Left + 1, b.Bottom - 2, platform::cl3DDkShadow);
        lineTo(canvas, b.Left, b.Bottom - 1, b.Right, b.Bottom - 1, platform::clBtnHighlight);
        lineTo(canvas, b.Right - 1, b.Top, b.Right - 1, b.Bottom, platform::clBtnHighlight);
        lineTo(canvas, b.Left + 1, b.Bottom - 2, b.Right - 1, b.Bottom - 2, platform::cl3DLight);
        lineTo(canvas, b.Right - 2, b.Top + 1, b.Right - 2, b.Bottom - 1, platform::cl3DLight);
    }
    if (checked || grayed)
        checkMark(canvas, b.Left, b.Top, b.Width(),
                  (!enabled || grayed) ? platform::clGrayText : platform::clWindowText);
}

void classicRadioButton(QPainter& canvas, const TRect& b, bool flat, bool checked, bool disabled)
{
    const int size = b.Width();
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(platform::toQColor(flat ? platform::clBtnShadow : platform::cl3DDkShadow));
    canvas.setBrush(platform::toQColor(disabled ? platform::clBtnFace : platform::clWindow));
    canvas.drawEllipse(QRect(b.Left, b.Top, size - 1, size - 1));
    if (checked) {
        canvas.setPen(Qt::NoPen);
        canvas.setBrush(platform::toQColor(disabled ? platform::clGrayText : platform::clWindowText));
        const int d = std::max(2, size / 3);
        canvas.drawEllipse(QRect(b.Left + (size - d) / 2, b.Top + (size - d) / 2, d, d));
    }
    canvas.restore();
}

} // namespace grid::ZirAzur::canvas
