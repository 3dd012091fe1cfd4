// Rounded frames, colour halving and scaling, transparent bitmaps, grid-rectangle test.

#include "grid/look/ZirAzur.h"
#include "grid/look/ZirAzur/canvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace grid::ZirAzur {

using namespace canvas;

void DrawRoundedFrame(QPainter& canvas, TColor fromColor, TColor toColor, TColor mirrorFromColor, TColor mirrorToColor,
                      TColor upperShadeColor, TColor lowerShadeColor, TColor borderColor, TColor innerCornerColor,
                      TColor outerCornerColor, const TRect& r, int kind)
{
    const int L = r.Left, T = r.Top, Rt = r.Right - 1, B = r.Bottom - 2;
    const int M = T + (B - T) / 2;
    const bool left = kind == 0 || kind == 1;
    const bool right = kind == 0 || kind == 2;
    const int leftInset = (kind == 2 || kind == 3) ? 0 : 2;
    const int rightInset = (kind == 1 || kind == 3) ? 0 : 2;

    lineTo(canvas, L, T + 1, Rt, T + 1, upperShadeColor);
    if (left)
        lineTo(canvas, L + 1, T + 1, L + 1, M, upperShadeColor);
    if (right)
        lineTo(canvas, Rt - 2, T + 1, Rt - 2, M, upperShadeColor);

    lineTo(canvas, L, B - 1, Rt, B - 1, lowerShadeColor);
    if (left)
        lineTo(canvas, L + 1, M, L + 1, B - 1, lowerShadeColor);
    if (right)
        lineTo(canvas, Rt - 2, M, Rt - 2, B - 1, lowerShadeColor);

    lineTo(canvas, L + leftInset, T, Rt - rightInset, T, borderColor);
    lineTo(canvas, L + leftInset, B, Rt - rightInset, B, borderColor);
    if (right)
        lineTo(canvas, Rt - 1, T + 2, Rt - 1, B - 1, borderColor);
    if (left)
        lineTo(canvas, L, T + 2, L, B - 1, borderColor);

    if (left) {
        for (auto [x, y] : {std::pair{L + 1, T}, {L + 1, T + 1}, {L, T + 1}, {L + 1, B}, {L + 1, B - 1}, {L, B - 1}})
            setPixel(canvas, x, y, innerCornerColor);
        setPixel(canvas, L, T, outerCornerColor);
        setPixel(canvas, L, B, outerCornerColor);
    }
    if (right) {
        for (auto [x, y] :
             {std::pair{Rt - 2, T}, {Rt - 2, T + 1}, {Rt - 1, T + 1}, {Rt - 2, B}, {Rt - 2, B - 1}, {Rt - 1, B - 1}})
            setPixel(canvas, x, y, innerCornerColor);
        setPixel(canvas, Rt - 1, T, outerCornerColor);
        setPixel(canvas, Rt - 1, B, outerCornerColor);
    }

    const TRect inner{L + leftInset, T + 2, Rt - rightInset, B - 1};
    if (toColor == clNone) {
        rectangle(canvas, inner, fromColor, fromColor);
    } else if (mirrorFromColor == clNone) {
        DrawStepGradient(canvas, fromColor, toColor, false, inner, 16);
    } else {
        const int middle = inner.Top + (inner.Bottom - inner.Top) / 2;
        DrawStepGradient(canvas, fromColor, toColor, false, {inner.Left, inner.Top, inner.Right, middle}, 16);
        DrawStepGradient(canvas, mirrorFromColor, mirrorToColor, false, {inner.Left, middle, inner.Right, inner.Bottom},
                         16);
    }
}

TColor HalveColor(TColor color)
{
    const TColor c = platform::colorToRGB(color);
    return platform::rgb(platform::getRValue(c) >> 1, platform::getGValue(c) >> 1, platform::getBValue(c) >> 1);
}

TColor ScaleColorPercent(TColor color, int percent)
{
    const TColor c = platform::colorToRGB(color);
    const auto scale = [percent](int v) {
        return std::clamp(int(std::nearbyint(v + v * double(percent) / 100.0)), 0, 255);
    };
    return platform::rgb(scale(platform::getRValue(c)), scale(platform::getGValue(c)), scale(platform::getBValue(c)));
}

void DrawTransparentBitmap(QPainter& canvas, const QImage& bitmap, TColor backColor, const TRect& r)
{
    if (bitmap.isNull())
        return;
    QImage img = bitmap.convertToFormat(QImage::Format_RGB32);
    const QRgb key = img.pixel(0, 0);
    const QRgb back = platform::toQColor(backColor).rgb();
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (line[x] == key)
                line[x] = back;
    }
    canvas.drawImage(QPoint(r.Left, r.Top), img);
}

bool DrawResourceBitmap(QPainter& canvas, TColor backColor, const QString& resourceName, const TRect& r)
{
    const QImage img(QStringLiteral(":/grid/") + resourceName);
    if (img.isNull())
        return false;
    DrawTransparentBitmap(canvas, img, backColor, r);
    return true;
}

bool PointInGridRect(const TGridRect& rect, int col, int row)
{
    return rect.Left <= col && col <= rect.Right && rect.Top <= row && row <= rect.Bottom;
}

} // namespace grid::ZirAzur
