// Banded gradients, cell backgrounds and the drop-down, push and spin button parts.

#include "grid/look/QvXPVS.h"
#include "grid/look/ZirAzur.h"
#include "grid/look/ZirAzur/canvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace grid::ZirAzur {

using namespace canvas;

namespace {

int roundHalfEven(double v)
{
    return int(std::nearbyint(v));
}

const TColorTone& toneOf(const TColorTones& tones, int state)
{
    switch (state) {
    case psHot:
        return tones.Hover;
    case psPressed:
        return tones.Selected;
    case psDisabled:
        return tones.Disabled;
    default:
        return tones.Background;
    }
}

} // namespace

void DrawStepGradient(QPainter& canvas, TColor from, TColor to, bool horizontal, TRect r, int bands)
{
    if (r.Top == r.Bottom)
        return;
    if (r.Top > r.Bottom)
        std::swap(r.Top, r.Bottom);
    if (r.Left > r.Right)
        std::swap(r.Left, r.Right);
    if (from == clNone || to == clNone) {
        // Two unset colours give nothing to paint, not black.
        if (from == clNone && to == clNone)
            return;
        const TColor c = from == clNone ? to : from;
        rectangle(canvas, r, c, c);
        return;
    }
    const TColor a = platform::colorToRGB(from), b = platform::colorToRGB(to);
    // One colour is one rectangle: the bands would cover the same area, and a printout of a
    // long table would carry every band of every cell.
    if (a == b) {
        rectangle(canvas, r, from, from);
        return;
    }
    const int span = horizontal ? r.Right - r.Left - 1 : r.Bottom - r.Top - 1;
    const int count = std::max(1, std::min(bands, span));
    const double size = double(span) / count;
    const int width = int(size + 1);
    for (int i = 0; i <= count; ++i) {
        const auto chan = [&](int ca, int cb) { return ca + roundHalfEven(double(i) * (cb - ca) / count); };
        const TColor c = platform::rgb(chan(platform::getRValue(a), platform::getRValue(b)),
                                       chan(platform::getGValue(a), platform::getGValue(b)),
                                       chan(platform::getBValue(a), platform::getBValue(b)));
        const int offset = int(i * size);
        if (horizontal)
            rectangle(canvas, {r.Left + offset, r.Top, std::min(r.Right, r.Left + offset + width), r.Bottom}, c, c);
        else
            rectangle(canvas, {r.Left, r.Top + offset, r.Right, std::min(r.Bottom, r.Top + offset + width)}, c, c);
    }
}

void DrawCellGradient(QPainter& canvas, const TRect& r, TColor colorFrom, bool fill, bool linesOnly, TColor borderColor,
                      bool vertical, TColor mirrorColorTo, TColor mirrorColorFrom, TColor colorTo)
{
    if (fill && colorFrom != clNone) {
        if (mirrorColorFrom == clNone) {
            if (colorTo == clNone)
                rectangle(canvas, {r.Left, r.Top, r.Right, r.Bottom + 1}, colorFrom, colorFrom);
            else
                DrawStepGradient(canvas, colorFrom, colorTo, !vertical, r, 128);
        } else {
            TRect first = r, second = r;
            if (vertical) {
                first.Bottom = second.Top = r.Top + (r.Bottom - r.Top) / 2;
            } else {
                first.Right = second.Left = r.Left + (r.Right - r.Left) / 2;
            }
            DrawStepGradient(canvas, colorFrom, colorTo, !vertical, first, 128);
            DrawStepGradient(canvas, mirrorColorFrom, mirrorColorTo, !vertical, second, 128);
        }
    }
    if (borderColor != clNone) {
        if (linesOnly) {
            lineTo(canvas, r.Left, r.Top, r.Left, r.Bottom, borderColor);
            lineTo(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom, borderColor);
        } else {
            frameRect(canvas, r, borderColor);
        }
    }
}

TColor ColorBetween(TColor from, TColor to, int rangeStart, int position, int rangeEnd)
{
    if (to == clNone)
        return from;
    // An empty range has no inside to interpolate over.
    if (rangeEnd == rangeStart)
        return from;
    const TColor a = platform::colorToRGB(from), b = platform::colorToRGB(to);
    const auto chan = [&](int ca, int cb) {
        return std::clamp(ca + roundHalfEven(double(cb - ca) / (rangeEnd - rangeStart) * position), 0, 255);
    };
    return platform::rgb(chan(platform::getRValue(a), platform::getRValue(b)),
                         chan(platform::getGValue(a), platform::getGValue(b)),
                         chan(platform::getBValue(a), platform::getBValue(b)));
}

void FillRectColor(QPainter& canvas, const TRect& r, TColor color)
{
    fillRect(canvas, r, color);
}

void DrawDropDownButton(QPainter& canvas, QWidget* window, TRect r, const TColorTones& tones, int state, int kind)
{
    r.Left = r.Right - 17;
    r.Top += 1;
    r.Bottom -= 1;
    r.Left -= 2;
    r.Right -= 2;
    const bool disabled = state == psDisabled;
    if (kind == pkThemed) {
        if (DrawThemedPart(GridThemeApi, window, QStringLiteral("combobox"), canvas, platform::theme::CP_DROPDOWNBUTTON,
                           disabled ? platform::theme::CBXS_DISABLED : platform::theme::CBXS_NORMAL, r.toQRect()))
            return;
        kind = pkClassic;
    }
    if (kind == pkClassic || kind == pkFlat) {
        classicArrowButton(canvas, r, ArrowDown, kind == pkFlat, false, disabled);
        return;
    }
    r.Left += 3;
    const TColorTone& tone = toneOf(tones, state);
    rectangle(canvas, r, tone.BrushColor, tone.BrushColor);
    lineTo(canvas, r.Left + 1, r.Top, r.Left + 1, r.Bottom, tones.Background.BorderColor);
    triangleDown(canvas, r.Left + 5, r.Left + 11, r.Top + 8, tones.Background.TextColor);
}

void DrawPushButton(QPainter& canvas, QWidget* window, const TRect& r, const TColorTones& tones, int state, int kind)
{
    if (kind == pkThemed) {
        if (DrawThemedPart(GridThemeApi, window, QStringLiteral("button"), canvas, platform::theme::BP_PUSHBUTTON,
                           std::clamp(state, 0, 3) + 1, r.toQRect()))
            return;
        kind = pkClassic;
    }
    if (kind == pkClassic || kind == pkFlat) {
        classicButton(canvas, r, kind == pkFlat, state == psPressed, state == psDisabled);
        return;
    }
    const TColorTone& tone = toneOf(tones, state);
    rectangle(canvas, r, tone.BorderColor, tone.BrushColor);
}

void DrawSpinButtons(QPainter& canvas, QWidget* window, TRect r, const TColorTones& tones, int state, int kind)
{
    r.Left = r.Right - 15;
    r.Left -= 1;
    r.Right -= 1;
    r.Top -= 1;
    r.Bottom -= 1;
    const int middle = r.Top + (r.Bottom - r.Top) / 2;
    const bool disabled = state == psDisabled;
    if (kind == pkThemed) {
        const int s = disabled ? platform::theme::UPS_DISABLED : platform::theme::UPS_NORMAL;
        const QRect up = TRect{r.Left, r.Top, r.Right, middle}.toQRect();
        const QRect down = TRect{r.Left, middle, r.Right, r.Bottom}.toQRect();
        if (DrawThemedPart(GridThemeApi, window, QStringLiteral("spin"), canvas, platform::theme::SPNP_UP, s, up)) {
            DrawThemedPart(GridThemeApi, window, QStringLiteral("spin"), canvas, platform::theme::SPNP_DOWN, s, down);
            return;
        }
        kind = pkClassic;
    }
    if (kind == pkClassic || kind == pkFlat) {
        classicArrowButton(canvas, {r.Left, r.Top, r.Right, middle}, ArrowUp, kind == pkFlat, false, disabled);
        classicArrowButton(canvas, {r.Left, middle + 1, r.Right, r.Bottom}, ArrowDown, kind == pkFlat, false, disabled);
        return;
    }
    const TColorTone& tone = toneOf(tones, state);
    const int lowerTop = middle + 1;
    rectangle(canvas, {r.Left, r.Top, r.Right, middle}, tone.BrushColor, tone.BrushColor);
    rectangle(canvas, {r.Left, lowerTop, r.Right, r.Bottom}, tone.BrushColor, tone.BrushColor);
    triangleUp(canvas, r.Left + 5, r.Left + 9, r.Top + 5, platform::clBlack);
    triangleDown(canvas, r.Left + 5, r.Left + 9, lowerTop + 1, platform::clBlack);
}

} // namespace grid::ZirAzur
