// Check boxes, radio groups, sort indicators and the program's glyph bitmaps.

#include "grid/QvGrid.h"
#include "grid/look/QvXPVS.h"
#include "grid/look/ZirAzur.h"
#include "grid/look/ZirAzur/canvas.h"
#include "grid/paint/GridPaint.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace grid {

using namespace ZirAzur::canvas;
namespace th = platform::theme;

namespace {

// The glyphs' background: a colour no glyph uses, the same in every corner.
constexpr QRgb kGlyphBack = 0xFFFF00FF;

void drawTransparent(QPainter& canvas, const QImage& img, int x, int y)
{
    ZirAzur::DrawGlyphTransparent(canvas, img, x, y);
}

} // namespace

namespace ZirAzur {

void DrawGlyphTransparent(QPainter& canvas, const QImage& img, int x, int y)
{
    if (img.isNull())
        return;
    QImage a = img.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = a.pixel(0, a.height() - 1);
    for (int yy = 0; yy < a.height(); ++yy) {
        auto* line = reinterpret_cast<QRgb*>(a.scanLine(yy));
        for (int xx = 0; xx < a.width(); ++xx)
            if (line[xx] == key)
                line[xx] = 0;
    }
    canvas.drawImage(x, y, a);
}

} // namespace ZirAzur

namespace {

QImage makeCheck(bool vlx, bool enabled, bool checked)
{
    QImage img(15, 15, QImage::Format_RGB32);
    img.fill(kGlyphBack);
    QPainter p(&img);
    const QColor frame = !enabled ? QColor(0xC0, 0xC0, 0xC0)
                         : vlx    ? QColor(0x80, 0x80, 0x80)
                                  : QColor(0x1C, 0x51, 0x80);
    p.fillRect(QRect(1, 1, 13, 13), frame);
    p.fillRect(QRect(2, 2, 11, 11), enabled ? QColor(Qt::white) : QColor(0xF0, 0xF0, 0xF0));
    if (checked)
        checkMark(p, 1, 1, 13, enabled ? (vlx ? platform::clBlack : TColor(0x21A121)) : TColor(0xA0A0A0));
    return img;
}

QImage makeRadio(bool vlx, bool enabled, bool checked)
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(kGlyphBack);
    QPainter p(&img);
    p.setPen(!enabled ? QColor(0xC0, 0xC0, 0xC0) : vlx ? QColor(0x80, 0x80, 0x80) : QColor(0x1C, 0x51, 0x80));
    p.setBrush(enabled ? QColor(Qt::white) : QColor(0xF0, 0xF0, 0xF0));
    p.drawEllipse(QRect(2, 2, 11, 11));
    if (checked) {
        p.setPen(Qt::NoPen);
        p.setBrush(enabled ? (vlx ? QColor(Qt::black) : QColor(0x21, 0xA1, 0x21)) : QColor(0xA0, 0xA0, 0xA0));
        p.drawEllipse(QRect(5, 5, 6, 6));
    }
    return img;
}

QImage makeNode(int size, bool expanded, bool leaf)
{
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(kGlyphBack);
    QPainter p(&img);
    const QColor c = leaf ? QColor(0x40, 0x40, 0x40) : QColor(0x80, 0x80, 0x80);
    if (leaf) {
        // A small arrow: right when contracted, down when expanded.
        QPolygon tri = expanded ? QPolygon({QPoint(2, 4), QPoint(9, 4), QPoint(5, 8)})
                                : QPolygon({QPoint(4, 2), QPoint(8, 6), QPoint(4, 10)});
        p.setPen(c);
        p.setBrush(c);
        p.drawPolygon(tri);
    } else {
        p.fillRect(QRect(0, 0, size - 1, size - 1), Qt::white);
        p.setPen(c);
        p.drawRect(QRect(0, 0, size - 2, size - 2));
        p.fillRect(QRect(2, size / 2 - 1, size - 5, 1), Qt::black);
        if (!expanded)
            p.fillRect(QRect(size / 2 - 1, 2, 1, size - 5), Qt::black);
    }
    return img;
}

QImage makeFilter()
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(kGlyphBack);
    QPainter p(&img);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygon({QPoint(3, 4), QPoint(12, 4), QPoint(8, 8), QPoint(8, 12), QPoint(7, 12), QPoint(7, 8)}));
    return img;
}

// The panning origin: a ring with a dot and the arrows of the directions it pans in, 32 x 32.
QImage makePanMark(bool vertical, bool horizontal)
{
    QImage img(32, 32, QImage::Format_RGB32);
    img.fill(kGlyphBack);
    QPainter p(&img);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(QColor(0xF0, 0xF0, 0xF0));
    p.drawEllipse(QRect(2, 2, 27, 27));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(14, 14, 3, 3);
    auto arrow = [&](std::initializer_list<QPoint> pts) { p.drawPolygon(QPolygon(pts)); };
    if (vertical) {
        arrow({{15, 5}, {11, 10}, {20, 10}});
        arrow({{15, 26}, {11, 21}, {20, 21}});
    }
    if (horizontal) {
        arrow({{5, 15}, {10, 11}, {10, 20}});
        arrow({{26, 15}, {21, 11}, {21, 20}});
    }
    return img;
}

} // namespace

namespace ZirAzur {

const QImage& GridGlyph(const QString& name)
{
    static QHash<QString, QImage> cache;
    auto it = cache.find(name);
    if (it != cache.end())
        return *it;
    QImage img;
    const QString n = name.toUpper();
    if (n.startsWith(QLatin1String("QSGCHK")) || n.startsWith(QLatin1String("QSGRAD"))) {
        const int k = n.mid(6).toInt() - 1; // 0..7: VLX enabled on/off, disabled on/off, XP the same
        if (k >= 0 && k < 8) {
            const bool vlx = k < 4, enabled = (k % 4) < 2, checked = k % 2 == 0;
            img = n.startsWith(QLatin1String("QSGCHK")) ? makeCheck(vlx, enabled, checked)
                                                        : makeRadio(vlx, enabled, checked);
        }
    } else if (n == QLatin1String("QSGLEAFOPEN") || n == QLatin1String("QSGLEAFCLOSE")) {
        img = makeNode(12, n.endsWith(QLatin1String("OPEN")), true);
    } else if (n == QLatin1String("XPNODEO") || n == QLatin1String("XPNODEC")) {
        img = makeNode(10, n.endsWith(QLatin1Char('O')), false);
    } else if (n == QLatin1String("QSGFILT")) {
        img = makeFilter();
    } else if (n.startsWith(QLatin1String("INTLI"))) {
        const int k = n.mid(5).toInt(); // 1 both directions, 2 horizontal, 3 vertical
        if (k >= 1 && k <= 3)
            img = makePanMark(k != 2, k != 3);
    }
    return *cache.insert(name, img);
}

} // namespace ZirAzur

void DrawCheckBox(QPainter& canvas, TQvStringGrid& grid, TRect r, bool checked, TCheckBoxState state, bool triState,
                  TControlStyle style, bool grayed, bool enabled)
{
    const auto& cl = grid.ControlLook();
    if (cl.NoDisabledCheckRadioLook() || cl.CheckAlwaysActive())
        enabled = true;
    if (style == csTheme && !IsThemeActive())
        style = csClassic;
    if (triState) {
        checked = state == cbChecked;
        if (state == cbGrayed)
            grayed = true;
    }
    const int S = cl.CheckSize();
    switch (style) {
    case csWinXP:
    case csVLX: {
        const int base = style == csVLX ? 1 : 5;
        const int k = base + (enabled ? 0 : 2) + (checked ? 0 : 1);
        drawTransparent(canvas, ZirAzur::GridGlyph(QStringLiteral("QSGCHK%1").arg(k, 2, 10, QLatin1Char('0'))), r.Left,
                        r.Top);
        return;
    }
    case csBorland: {
        const TRect b{r.Left, r.Top, r.Left + S, r.Top + S};
        rectangle(canvas, b, platform::clBtnFace, enabled ? platform::clBtnFace : platform::clBtnShadow);
        lineTo(canvas, b.Left, b.Top, b.Right, b.Top, platform::clBtnHighlight);
        lineTo(canvas, b.Left, b.Top, b.Left, b.Bottom, platform::clBtnHighlight);
        lineTo(canvas, b.Left, b.Bottom - 1, b.Right, b.Bottom - 1, platform::clBtnShadow);
        lineTo(canvas, b.Right - 1, b.Top, b.Right - 1, b.Bottom, platform::clBtnShadow);
        if (checked) {
            const TColor c = enabled ? cl.Color() : 0x808080;
            const int T = b.Top - 1, B = b.Bottom - 1;
            canvas.save();
            canvas.setPen(QPen(platform::toQColor(c), 1));
            canvas.drawLine(b.Left + 2, T + 1 + S / 2, b.Left + 2, B - 1);
            canvas.drawLine(b.Left + 3, T + S / 2, b.Left + 3, B - 2);
            canvas.drawLine(b.Left + 2, B - 1, b.Right - 2, T + 3);
            canvas.drawLine(b.Left + 3, B - 1, b.Right - 1, T + 3);
            canvas.restore();
        }
        return;
    }
    case csGlyph: {
        const TBitmap& g = checked ? cl.CheckedGlyph() : cl.UnCheckedGlyph();
        if (!g.Empty())
            drawTransparent(canvas, g.Image, r.Left, r.Top);
        return;
    }
    case csTheme: {
        const int st = grayed ? (enabled ? 9 : 12) : checked ? (enabled ? 5 : 8) : (enabled ? 1 : 4);
        if (DrawThemedPart(GridThemeApi, grid.viewport(), QStringLiteral("button"), canvas, th::BP_CHECKBOX, st,
                           QRect(r.Left, r.Top, S, S)))
            return;
        [[fallthrough]]; // the theme went away between the test and the call
    }
    case csClassic:
    case csFlat: {
        // Frame-control check box of CheckBoxSize, centred in the rectangle.
        const int x = r.Left + (r.Width() - S) / 2, y = r.Top + (r.Height() - S) / 2;
        const TRect b{x, y, x + S, y + S};
        classicCheckBox(canvas, b, style == csFlat, checked, grayed, enabled);
        return;
    }
    }
}

void DrawRadioGroup(QPainter& canvas, TQvStringGrid& grid, TRect r, bool upward, double scale, TControlStyle style,
                    int ARow, int ACol, bool selected, const QStringList& options, bool disabled, bool horizontal,
                    int index, int count)
{
    const auto& cl = grid.ControlLook();
    if (cl.NoDisabledCheckRadioLook() || cl.RadioAlwaysActive())
        disabled = false;
    if (style == csTheme && !IsThemeActive())
        style = csClassic;
    const bool classic = style == csClassic || style == csFlat;
    canvas.save();
    if (selected && grid.ShowSelection)
        canvas.setPen(platform::toQColor(grid.SelectionTextColor));
    const QFontMetrics fm(canvas.font());
    const int textH = fm.height();
    const int lineH = classic ? textH : std::max(16, textH);
    const int size = classic ? int(std::lround(scale * cl.RadioSize())) + (style == csFlat ? 2 : 0) : 16;
    const QString cellText = grid.Cells(ACol, ARow);
    int labelsSoFar = 0;
    for (int i = 1; i <= count; ++i) {
        const bool hasLabel = i <= options.size();
        const QString label = hasLabel ? options.at(i - 1) : QString();
        const bool checked = index >= 0 ? i == index + 1 : (hasLabel && label == cellText);
        int gx, gy, lx;
        if (horizontal) {
            gx = classic ? r.Left + (i - 1) * cl.RadioSize() + labelsSoFar + 2 : r.Left + i * 16 - 14 + labelsSoFar;
            gy = r.Top + (r.Height() - size) / 2;
            lx = classic ? gx + int(std::lround(scale * cl.RadioSize())) : gx + 16;
        } else {
            gy = r.Top + (i - 1) * lineH * (upward ? -1 : 1) + 2;
            gx = r.Left + 2;
            lx = classic ? r.Left + 2 + int(std::lround(scale * (cl.RadioSize() + 4)))
                 : (style == csBorland || style == csTheme) ? r.Left + 20
                                                            : r.Left + 18;
            if (label.isEmpty())
                gx = r.Left + (r.Width() - size) / 2;
        }
        // Glyph.
        switch (style) {
        case csClassic:
        case csFlat: {
            classicRadioButton(canvas, {gx, gy, gx + size, gy + size}, style == csFlat, checked, disabled);
            break;
        }
        case csBorland: {
            const QPolygon dia(
                {QPoint(gx + 2, gy + 8), QPoint(gx + 8, gy + 2), QPoint(gx + 14, gy + 8), QPoint(gx + 8, gy + 14)});
            canvas.save();
            canvas.setPen(platform::toQColor(checked ? 0x808080 : 0xFFFFFF));
            canvas.setBrush(platform::toQColor(platform::clBtnFace));
            canvas.drawPolygon(dia);
            canvas.setPen(platform::toQColor(checked ? 0xFFFFFF : 0x808080));
            canvas.drawLine(gx + 14, gy + 8, gx + 8, gy + 14);
            canvas.drawLine(gx + 8, gy + 14, gx + 2, gy + 8);
            if (checked) {
                canvas.setPen(Qt::NoPen);
                canvas.setBrush(platform::toQColor(cl.Color()));
                canvas.drawPolygon(QPolygon({QPoint(gx + 5, gy + 8), QPoint(gx + 8, gy + 5), QPoint(gx + 11, gy + 8),
                                             QPoint(gx + 8, gy + 11)}));
            }
            canvas.restore();
            break;
        }
        case csTheme: {
            const int st = checked ? (disabled ? 8 : 5) : (disabled ? 4 : 1);
            if (!DrawThemedPart(GridThemeApi, grid.viewport(), QStringLiteral("button"), canvas, th::BP_RADIOBUTTON, st,
                                QRect(gx, gy, 16, 16)))
                drawTransparent(canvas,
                                ZirAzur::GridGlyph(checked ? QStringLiteral("QSGRAD05") : QStringLiteral("QSGRAD06")),
                                gx, gy);
            break;
        }
        case csVLX:
        case csWinXP: {
            const int k = (style == csVLX ? 1 : 5) + (disabled ? 2 : 0) + (checked ? 0 : 1);
            drawTransparent(canvas, ZirAzur::GridGlyph(QStringLiteral("QSGRAD%1").arg(k, 2, 10, QLatin1Char('0'))), gx,
                            gy);
            break;
        }
        case csGlyph: {
            const TBitmap& g = checked ? cl.RadioOnGlyph() : cl.RadioOffGlyph();
            if (!g.Empty())
                drawTransparent(canvas, g.Image, gx, gy);
            break;
        }
        }
        if (!label.isEmpty()) {
            const int ly = horizontal ? r.Top + (r.Height() - textH) / 2 : gy + (size - textH) / 2;
            canvas.drawText(lx, ly + fm.ascent(), label);
            labelsSoFar += fm.horizontalAdvance(label) + (classic ? 2 : 0);
        }
    }
    canvas.restore();
}

void TGridPainter::DrawSortIndicator(QPainter& canvas, int ACol, int Y, int X)
{
    const auto& ss = Settings.SortSettings;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    const int p = grid.SortIndexes().FindIndex(ACol);
    if (ss.IndexShow() && p >= 0) {
        const bool descending = grid.SortIndexes().GetInteger(p) < 0;
        QFont f = canvas.font();
        f.setPointSize(6);
        f.setBold(false);
        canvas.setFont(f);
        const QFontMetrics fm(f);
        const QColor idx = platform::toQColor(ss.IndexColor());
        const bool glyphs = !ss.IndexUpGlyph().Empty() && !ss.IndexDownGlyph().Empty();
        if (descending) {
            if (glyphs)
                drawTransparent(canvas, ss.IndexUpGlyph().Image, X - 7, Y - 7);
            else {
                canvas.setPen(idx);
                canvas.setBrush(idx);
                canvas.drawPolygon(QPolygon({QPoint(X - 7, Y - 5), QPoint(X + 7, Y - 5), QPoint(X, Y + 8)}));
            }
            canvas.setPen(Qt::black);
            canvas.drawText(X - 2, Y - 4 + fm.ascent(), QString::number(p + 1));
        } else {
            if (glyphs)
                drawTransparent(canvas, ss.IndexDownGlyph().Image, X - 7, Y - 7);
            else {
                canvas.setPen(idx);
                canvas.setBrush(idx);
                canvas.drawPolygon(QPolygon({QPoint(X - 6, Y + 8), QPoint(X + 6, Y + 8), QPoint(X, Y - 4)}));
            }
            canvas.setPen(Qt::black);
            canvas.drawText(X - 2, Y - 2 + fm.ascent(), QString::number(p + 1));
        }
        canvas.restore();
        return;
    }
    const bool glyphs = !ss.UpGlyph().Empty() && !ss.DownGlyph().Empty();
    const QColor white(Qt::white), grey(0x80, 0x80, 0x80);
    if (ss.Direction() == sdDescending) {
        if (glyphs)
            drawTransparent(canvas, ss.DownGlyph().Image, X - 4, Y - 4);
        else {
            canvas.setPen(white);
            canvas.drawLine(X + 4, Y - 4, X, Y + 4);
            canvas.setPen(grey);
            canvas.drawLine(X, Y + 4, X - 4, Y - 4);
            canvas.drawLine(X - 4, Y - 4, X + 4, Y - 4);
        }
    } else {
        if (glyphs)
            drawTransparent(canvas, ss.UpGlyph().Image, X - 4, Y - 4);
        else {
            canvas.setPen(white);
            canvas.drawLine(X - 4, Y + 4, X + 4, Y + 4);
            canvas.drawLine(X + 4, Y + 4, X, Y - 4);
            canvas.setPen(grey);
            canvas.drawLine(X, Y - 4, X - 4, Y + 4);
        }
    }
    canvas.restore();
}

} // namespace grid
