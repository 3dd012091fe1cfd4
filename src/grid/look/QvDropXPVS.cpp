#include "grid/look/QvDropXPVS.h"

#include <QPainter>

#include <cmath>

namespace grid {

TThemeApi DropDownThemeApi;

namespace {

// Bound at program load like the grid's table, each table on its own.
struct UnitLifetime {
    UnitLifetime() { BindThemeApi(); }
    ~UnitLifetime() { ReleaseThemeApi(); }
} unitLifetime;

} // namespace

bool BindThemeApi()
{
    return BindThemeApi(platform::defaultVisualStyles());
}

bool BindThemeApi(platform::VisualStyles& library)
{
    return BindThemeTable(DropDownThemeApi, &library, false);
}

void ReleaseThemeApi()
{
    ReleaseThemeTable(DropDownThemeApi);
}

void FillGradientRect(QPainter& canvas, TColor from, TColor to, bool horizontal, const TRect& r, int count)
{
    if (count <= 0)
        count = 1;
    const TColor a = platform::colorToRGB(from), b = platform::colorToRGB(to);
    const int right = horizontal ? r.Right - 1 : r.Right;
    const int bottom = horizontal ? r.Bottom : r.Bottom - 1;
    const double size = horizontal ? double(right - r.Left) / count : double(bottom - r.Top) / count;
    const int ar = platform::getRValue(a), ag = platform::getGValue(a), ab = platform::getBValue(a);
    const int dr = platform::getRValue(b) - ar, dg = platform::getGValue(b) - ag, db = platform::getBValue(b) - ab;
    for (int i = 0; i < count; ++i) {
        const auto chan = [&](int base, int d) { return base + int(std::nearbyint(double(i) * d / count)); };
        const QColor c(chan(ar, dr), chan(ag, dg), chan(ab, db));
        const int start = int(std::nearbyint(i * size));
        const int end = start + int(std::nearbyint(size)) + 1;
        if (horizontal)
            canvas.fillRect(QRect(r.Left + start, r.Top, end - start, bottom - r.Top), c);
        else
            canvas.fillRect(QRect(r.Left, r.Top + start, right - r.Left, end - start), c);
    }
}

} // namespace grid
