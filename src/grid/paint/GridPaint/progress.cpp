// The progress appearance object and the two progress bar painters.

#include "grid/look/ZirAzur.h"
#include "grid/look/ZirAzur/canvas.h"
#include "grid/paint/GridPaint.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace grid {

void TGridProgressAppearance::Assign(const TPersistent& source)
{
    const auto* s = dynamic_cast<const TGridProgressAppearance*>(&source);
    if (!s)
        return;
#define QV_PROGRESS_COPY(type, name, def) F##name = s->F##name;
    QV_PROGRESS_PROPS(QV_PROGRESS_COPY)
#undef QV_PROGRESS_COPY
    changed();
}

namespace ZirAzur {

namespace {

int roundHalfEven(double v)
{
    return int(std::nearbyint(v));
}

// One filled piece of the level bar: two mirrored gradient halves across its thickness, or
// solid.
void fillPiece(QPainter& canvas, const TRect& r, TColor color, TColor colorTo, const TProgressLook& look)
{
    if (r.IsEmpty())
        return;
    if (!look.ShowGradient) {
        FillRectColor(canvas, r, color);
        return;
    }
    const int mid = r.Top + r.Height() / 2;
    DrawStepGradient(canvas, colorTo, color, false, {r.Left, r.Top, r.Right, mid}, look.Steps);
    DrawStepGradient(canvas, color, colorTo, false, {r.Left, mid, r.Right, r.Bottom}, look.Steps);
}

} // namespace

void PaintProgressCell(QPainter& canvas, const TRect& r, int percent, const TProgressLook& look)
{
    percent = std::clamp(percent, 0, 100);
    const int L = r.Width() - 2;
    const TColor pen = look.ShowBorder ? look.BorderColor : look.BackgroundColor;
    canvas::rectangle(canvas, r, pen, look.BackgroundColor);
    if (percent > 0 && L > 0) {
        const int p = percent;
        if (look.Stacked) {
            int x = r.Left + 1;
            const auto seg = [&](int len, TColor c, TColor cTo) {
                fillPiece(canvas, {x, r.Top + 1, x + len, r.Bottom - 1}, c, cTo, look);
                x += len;
            };
            const int first = roundHalfEven(double(p < look.Level1Perc ? p : look.Level1Perc) * L / 100);
            seg(first, look.Level0Color, look.Level0ColorTo);
            if (p >= look.Level1Perc) {
                const int second = p < look.Level2Perc
                                       ? roundHalfEven(double(L) * (p - look.Level1Perc) / 100)
                                       : roundHalfEven(double(L) * (look.Level2Perc - look.Level1Perc) / 100);
                seg(second, look.Level1Color, look.Level1ColorTo);
                if (p >= look.Level2Perc) {
                    const int third =
                        p == 100 ? L - (first + second) : roundHalfEven(double(L) * (p - look.Level2Perc) / 100);
                    seg(third, look.Level3Color, look.Level3ColorTo);
                }
            }
        } else {
            TColor c = look.Level3Color, cTo = look.Level3ColorTo;
            if (p < look.Level1Perc)
                c = look.Level0Color, cTo = look.Level0ColorTo;
            else if (p < look.Level2Perc)
                c = look.Level1Color, cTo = look.Level1ColorTo;
            else if (p < 100)
                c = look.Level2Color, cTo = look.Level2ColorTo;
            const int t = roundHalfEven(double(p) * L / 100);
            if (look.CompletionSmooth) {
                fillPiece(canvas, {r.Left + 1, r.Top + 1, r.Left + 1 + t, r.Bottom - 1}, c, cTo, look);
            } else if (t > 9) {
                int x = r.Left + 2;
                fillPiece(canvas, {x, r.Top + 2, x + 7, r.Bottom - 2}, c, cTo, look);
                for (int i = 1; i < t / 9; ++i) {
                    x += 9;
                    fillPiece(canvas, {x, r.Top + 2, x + 7, r.Bottom - 2}, c, cTo, look);
                }
                const int rest = t % 9;
                if (rest > 2) {
                    x += 9;
                    fillPiece(canvas, {x, r.Top + 2, x + rest - 1, r.Bottom - 2}, c, cTo, look);
                }
            } else if (t > 1) {
                fillPiece(canvas, {r.Left + 2, r.Top + 2, r.Left + 1 + t, r.Bottom - 2}, c, cTo, look);
            }
        }
    }
    if (look.ShowPercentage) {
        canvas.save();
        QFont f = toQFont(look.Font);
        canvas.setFont(f);
        canvas.setPen(platform::toQColor(look.CompleteFontColor));
        const QFontMetrics fm(f);
        const QString text = QString::number(percent) + QLatin1Char('%');
        const int x = r.Left + r.Width() / 2 - fm.horizontalAdvance(text) / 2;
        const int y = r.Top + r.Height() / 2 - fm.height() / 2;
        canvas.drawText(x, y + fm.ascent(), text);
        canvas.restore();
    }
    canvas::frameRect(canvas, r, pen);
}

void PaintClassicProgress(QPainter& canvas, TRect r, TColor completeColor, bool upward, TColor borderColor,
                          const QString& format, int maximum, int minimum, int marginY, int marginX, double position,
                          TColor completeFontColor, TColor uncompleteColor, TColor uncompleteFontColor,
                          const TFont& font)
{
    QString text;
    int percent;
    if (!format.isEmpty()) {
        const bool integral = format.contains(QLatin1Char('d')) || format.contains(QLatin1Char('u'));
        text = integral ? QString::asprintf(format.toLatin1().constData(), int(std::lround(position)))
                        : QString::asprintf(format.toLatin1().constData(), position);
        // A range without width has no fraction to show; the bar counts as empty.
        percent = maximum != minimum ? roundHalfEven((position - minimum) * 100.0 / (maximum - minimum)) : 0;
    } else {
        text = QString::number(roundHalfEven(position)) + QLatin1Char('%');
        percent = roundHalfEven(position);
    }
    percent = std::clamp(percent, 0, 100);
    r = {r.Left + marginX, r.Top + marginY, r.Right - marginX, r.Bottom - marginY};
    if (r.IsEmpty())
        return;
    const int split = r.Left + roundHalfEven(double(percent) * r.Width() / 100);
    canvas.save();
    const QFont f = toQFont(font);
    canvas.setFont(f);
    const QFontMetrics fm(f);
    const int tw = fm.horizontalAdvance(text), th = fm.height();
    const int tx = r.Left + (r.Width() - tw) / 2;
    const int ty = upward ? r.Top + (r.Height() + th) / 2 : r.Top + (r.Height() - th) / 2;
    const auto part = [&](int x0, int x1, TColor back, TColor fore) {
        if (x1 <= x0)
            return;
        canvas::fillRect(canvas, {x0, r.Top, x1, r.Bottom}, back);
        canvas.setClipRect(QRect(x0, r.Top, x1 - x0, r.Height()));
        canvas.setPen(platform::toQColor(fore));
        canvas.drawText(tx, ty + fm.ascent(), text);
        canvas.setClipping(false);
    };
    part(r.Left, split, completeColor, completeFontColor);
    part(split, r.Right, uncompleteColor, uncompleteFontColor);
    canvas.restore();
    if (borderColor != clNone)
        canvas::frameRect(canvas, {r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1}, borderColor);
}

} // namespace ZirAzur

} // namespace grid
