#include "common/GlyphButtons.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>

using namespace platform;

namespace {

constexpr std::array<TGlyphColorPreset, 10> kColorPresets = {{
    // style                          Color      Light     Shadow    WhenDown  HotTrack  Flat   Style                         font
    {TGlyphColorStyle::lcsGold, 0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF, false, TGlyphButtonStyle::bsModern, 0},
    {TGlyphColorStyle::lcsChrome, 0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, false, TGlyphButtonStyle::bsModern, 0},
    {TGlyphColorStyle::lcsBlue, 0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, false, TGlyphButtonStyle::bsModern, 0},
    {TGlyphColorStyle::lcsRed, 0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, false, TGlyphButtonStyle::bsModern, 0},
    {TGlyphColorStyle::lcsUltraFlat1, clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, true,
     TGlyphButtonStyle::bsNormal, 0},
    {TGlyphColorStyle::lcsUltraFlat2, clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, true,
     TGlyphButtonStyle::bsNormal, 0},
    {TGlyphColorStyle::lcsUltraFlatXP, 0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, true,
     TGlyphButtonStyle::bsNormal, 0},
    {TGlyphColorStyle::lcsAqua, 0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone, false, TGlyphButtonStyle::bsModern, 0},
    {TGlyphColorStyle::lcsDefault, clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, false, TGlyphButtonStyle::bsNormal,
     0},
    {TGlyphColorStyle::lcsQuicken, 0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, false,
     TGlyphButtonStyle::bsQuicken, 0xFFFFFF},
}};

constexpr std::array<TGlyphKindPreset, 10> kKindPresets = {{
    {TGlyphButtonKind::bkOK, 1, "LBOK", "OK"},
    {TGlyphButtonKind::bkCancel, 2, "LBCANCEL", "Abbrechen"},
    {TGlyphButtonKind::bkHelp, 0, "LBHELP", "Hilfe"},
    {TGlyphButtonKind::bkYes, 6, "LBYES", "Ja"},
    {TGlyphButtonKind::bkNo, 7, "LBNO", "Nein"},
    {TGlyphButtonKind::bkClose, 0, "LBCLOSE",
     "Schlie\xC3\x9F"
     "en"},
    {TGlyphButtonKind::bkAbort, 3, "LBABORT", "Abbrechen"},
    {TGlyphButtonKind::bkRetry, 4, "LBRETRY", "Wiederholen"},
    {TGlyphButtonKind::bkIgnore, 5, "LBIGNORE", "Ignorieren"},
    {TGlyphButtonKind::bkAll, 12, "LBALL", "Alle"},
}};

constexpr int kTextFlags = Qt::TextWordWrap | Qt::TextShowMnemonic;

// Pen position with line drawing that leaves out the end point, for axis-parallel lines.
class PixelPen {
public:
    explicit PixelPen(QPainter& painter) : painter(painter) {}
    void moveTo(int x, int y)
    {
        cx = x;
        cy = y;
    }
    void lineTo(int x, int y, const QColor& color)
    {
        if (y == cy && x != cx) {
            const int from = x > cx ? cx : x + 1;
            const int to = x > cx ? x - 1 : cx;
            painter.fillRect(QRect(from, y, to - from + 1, 1), color);
        } else if (x == cx && y != cy) {
            const int from = y > cy ? cy : y + 1;
            const int to = y > cy ? y - 1 : cy;
            painter.fillRect(QRect(x, from, 1, to - from + 1), color);
        }
        cx = x;
        cy = y;
    }

private:
    QPainter& painter;
    int cx = 0;
    int cy = 0;
};

QColor qc(TColor c)
{
    return toQColor(c);
}

// Outline of a rectangle with 6 x 6 corners from (0, 0) to (w, h), ends exclusive.
void roundFrame(QPainter& painter, int w, int h, const QColor& color)
{
    if (w < 6 || h < 6) {
        painter.fillRect(QRect(0, 0, w, 1), color);
        painter.fillRect(QRect(0, h - 1, w, 1), color);
        painter.fillRect(QRect(0, 0, 1, h), color);
        painter.fillRect(QRect(w - 1, 0, 1, h), color);
        return;
    }
    painter.fillRect(QRect(2, 0, w - 4, 1), color);
    painter.fillRect(QRect(2, h - 1, w - 4, 1), color);
    painter.fillRect(QRect(0, 2, 1, h - 4), color);
    painter.fillRect(QRect(w - 1, 2, 1, h - 4), color);
    for (const QPoint& pt : {QPoint(1, 1), QPoint(w - 2, 1), QPoint(1, h - 2), QPoint(w - 2, h - 2)})
        painter.fillRect(QRect(pt, QSize(1, 1)), color);
}

// A filled rectangle with 4 x 4 corners, no outline.
void roundFill(QPainter& painter, const QRect& r, const QColor& color)
{
    if (r.width() < 3 || r.height() < 3) {
        painter.fillRect(r, color);
        return;
    }
    painter.fillRect(QRect(r.left() + 1, r.top(), r.width() - 2, 1), color);
    painter.fillRect(QRect(r.left(), r.top() + 1, r.width(), r.height() - 2), color);
    painter.fillRect(QRect(r.left() + 1, r.bottom(), r.width() - 2, 1), color);
}

int alignedLeft(Qt::Alignment a, int left, int right, int centre)
{
    if (a & Qt::AlignLeft)
        return left;
    if (a & Qt::AlignRight)
        return right;
    return centre;
}

} // namespace

const TGlyphColorPreset* GlyphColorPreset(TGlyphColorStyle style)
{
    for (const auto& p : kColorPresets)
        if (p.style == style)
            return &p;
    return nullptr;
}

const TGlyphKindPreset* GlyphKindPreset(TGlyphButtonKind kind)
{
    for (const auto& p : kKindPresets)
        if (p.kind == kind)
            return &p;
    return nullptr;
}

QString ShortenGlyphCaption(const QString& caption, const QFont& font, int maxWidth)
{
    const QFontMetrics fm(font);
    QString text = caption;
    while (!text.isEmpty() && fm.size(Qt::TextSingleLine | Qt::TextShowMnemonic, text).width() > maxWidth)
        text.chop(1);
    return text;
}

TColor GlyphHotTrackBlend(TColor color, TColor hotTrackColor, int level)
{
    const TColor a = colorToRGB(color);
    const TColor b = colorToRGB(hotTrackColor);
    const double c = level / 8.0;
    auto mix = [c](int x, int y) { return int((1.0 - c) * x + c * y); };
    return rgb(mix(getRValue(a), getRValue(b)), mix(getGValue(a), getGValue(b)), mix(getBValue(a), getBValue(b)));
}

TGlyphFaceLayout LayoutGlyphButtonFace(const TGlyphFaceParams& p)
{
    TGlyphFaceLayout out;
    const int w = p.width;
    const int h = p.height;
    const bool pressed = p.pressed && p.enabled;
    const bool shape = p.style == TGlyphButtonStyle::bsShape;
    const int d = (pressed && p.style != TGlyphButtonStyle::bsEncarta) ? 1 : 0;
    out.offset = d;

    out.faceColor = colorToRGB(p.color);
    if (p.enabled && p.hotTrackColor != clNone)
        out.faceColor = GlyphHotTrackBlend(p.color, p.hotTrackColor, p.hotTrackLevel);
    if (pressed && p.colorWhenDown != clNone)
        out.faceColor = colorToRGB(p.colorWhenDown);

    out.font = p.font;
    if (p.style == TGlyphButtonStyle::bsEncarta && pressed)
        out.font.setBold(true);

    const int cw = p.numGlyphs > 0 ? p.glyph.width() / p.numGlyphs : 0;
    const int gh = p.glyph.height();
    out.cellWidth = cw;
    out.glyphHeight = gh;
    if (!p.enabled)
        out.cellIndex = 1;
    else if (pressed && p.numGlyphs > 2)
        out.cellIndex = 2;
    else if (p.hot && p.numGlyphs > 3)
        out.cellIndex = 3;
    else
        out.cellIndex = 0;
    if (cw <= 0 || gh <= 0 || out.cellIndex >= p.numGlyphs)
        out.cellIndex = -1;

    const bool sideways = p.layout == TGlyphButtonLayout::blGlyphLeft || p.layout == TGlyphButtonLayout::blGlyphRight;
    int L = w - 8;
    if (!shape && sideways && cw > 0)
        L -= cw + 4;
    L = std::max(0, L);

    out.caption = p.wordWrap ? p.caption : ShortenGlyphCaption(p.caption, out.font, L);
    const QRect measured =
        QFontMetrics(out.font).boundingRect(QRect(0, 0, L, 0x7FFF), kTextFlags | Qt::AlignLeft, out.caption);
    const int th = out.caption.isEmpty() ? 0 : measured.height();
    const int tw = out.caption.isEmpty() ? 0 : measured.width();
    const int tw4 = out.caption.isEmpty() ? 0 : tw + 4;
    out.textWidth = tw;

    if (shape) {
        out.glyphLeft = (w - cw) / 2;
        out.glyphTop = (h - gh) / 2;
        const int top = (h - th) / 2 + d;
        out.textBox = QRect(d, top, w - d, h - top);
        return out;
    }

    int textLeft = d + 4;
    int textTop = 0;
    if (sideways) {
        const bool glyphLeft = p.layout == TGlyphButtonLayout::blGlyphLeft;
        if (glyphLeft && cw > 0)
            textLeft += cw + 4;
        textTop = (h - th) / 2 + d;
        out.glyphTop = (h - gh) / 2 + d;
        if (glyphLeft) {
            out.glyphLeft = d + 4;
            if (!p.wordWrap)
                out.glyphLeft = alignedLeft(p.alignment, d + 4, w - 4 - cw - tw4 + d, (w - cw) / 2 + d - tw4 / 2);
        } else {
            out.glyphLeft = d + 4 + tw4;
            if (!p.wordWrap)
                out.glyphLeft = alignedLeft(p.alignment, d + 4 + tw4, w - 4 - cw + d, (w - cw) / 2 + d + tw4 / 2);
        }
    } else {
        const int blockHeight = th + (gh > 0 ? gh + 4 : 0);
        out.glyphLeft = alignedLeft(p.alignment, d + 4, w - cw - 4 + d, (w - cw) / 2 + d);
        if (p.layout == TGlyphButtonLayout::blGlyphTop) {
            out.glyphTop = (h - blockHeight) / 2 + d;
            textTop = (h - blockHeight) / 2 + gh + d;
        } else {
            textTop = (h - blockHeight) / 2 + d;
            out.glyphTop = (h - blockHeight) / 2 + th + d;
        }
    }
    out.textBox = QRect(textLeft, textTop, L, th);
    return out;
}

void DrawGlyphGradient(QPainter& painter, TColor a, TColor b, int left, int top, int right, int bottom)
{
    const TColor ca = colorToRGB(a);
    const TColor cb = colorToRGB(b);
    const int e = bottom - top;
    if (e <= 0 || right <= left)
        return;
    auto part = [](int from, int to, int i) { return int(from + (to - from) * i / 31.0); };
    for (int i = 0; i < 32; ++i) {
        const int y0 = top + (i * e) / 31;
        const int y1 = std::min(bottom, y0 + e / 31 + 1);
        if (y1 <= y0)
            continue;
        const QColor band(part(getRValue(ca), getRValue(cb), i), part(getGValue(ca), getGValue(cb), i),
                          part(getBValue(ca), getBValue(cb), i));
        painter.fillRect(QRect(left, y0, right - left, y1 - y0), band);
    }
}

void DrawTransparentGlyphCell(QPainter& painter, const QImage& glyph, int cellIndex, int cellWidth, int x, int y)
{
    if (glyph.isNull() || cellWidth <= 0 || cellIndex < 0 || (cellIndex + 1) * cellWidth > glyph.width())
        return;
    QImage cell =
        glyph.copy(cellIndex * cellWidth, 0, cellWidth, glyph.height()).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = cell.pixel(0, cell.height() - 1) | 0xFF000000u;
    for (int row = 0; row < cell.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(cell.scanLine(row));
        for (int col = 0; col < cell.width(); ++col)
            if ((line[col] | 0xFF000000u) == key)
                line[col] = 0;
    }
    painter.drawImage(x, y, cell);
}

void PaintGlyphButtonFace(QPainter& painter, const TGlyphFaceParams& p)
{
    const int w = p.width;
    const int h = p.height;
    if (w <= 0 || h <= 0)
        return;
    const bool pressed = p.pressed && p.enabled;
    const TGlyphFaceLayout lay = LayoutGlyphButtonFace(p);
    const int d = lay.offset;
    const QColor face = qc(lay.faceColor);
    const QColor light = qc(p.lightColor);
    const QColor shadow = qc(p.shadowColor);

    switch (p.style) {
    case TGlyphButtonStyle::bsShape:
        painter.fillRect(QRect(0, 0, w, h), qc(kGlyphTransparentKey));
        break;
    case TGlyphButtonStyle::bsNormal:
    case TGlyphButtonStyle::bsEncarta:
    case TGlyphButtonStyle::bsOld:
        painter.fillRect(QRect(0, 0, w, h), face);
        break;
    case TGlyphButtonStyle::bsModern:
        DrawGlyphGradient(painter, p.lightColor, lay.faceColor, 2, 2, w - 2, h / 4 + d);
        DrawGlyphGradient(painter, lay.faceColor, p.lightColor, 2, h / 4 + d, w - 2, h - 1);
        break;
    case TGlyphButtonStyle::bsQuicken:
        break;
    }

    const bool edges = (p.enabled && (!p.flat || p.hot || pressed)) || (!p.enabled && !p.flat);
    PixelPen pen(painter);
    switch (p.style) {
    case TGlyphButtonStyle::bsNormal:
    case TGlyphButtonStyle::bsEncarta:
        if (edges) {
            const QColor& topLeft = pressed ? shadow : light;
            const QColor& bottomRight = pressed ? light : shadow;
            pen.moveTo(0, h - 1);
            pen.lineTo(0, 0, topLeft);
            pen.lineTo(w - 1, 0, topLeft);
            pen.lineTo(w - 1, h - 1, bottomRight);
            pen.lineTo(0, h - 1, bottomRight);
        }
        break;
    case TGlyphButtonStyle::bsOld:
        if (edges) {
            const QColor dark = qc(cl3DDkShadow);
            if (!pressed) {
                pen.moveTo(w - 2, 0);
                pen.lineTo(w - 2, h - 2, shadow);
                pen.lineTo(0, h - 2, shadow);
                pen.moveTo(0, h - 1);
                pen.lineTo(0, 0, light);
                pen.lineTo(w - 1, 0, light);
                pen.lineTo(w - 1, h - 1, dark);
                pen.lineTo(-1, h - 1, dark);
            } else {
                pen.moveTo(1, h - 3);
                pen.lineTo(1, 1, shadow);
                pen.lineTo(w - 2, 1, shadow);
                pen.moveTo(0, h - 1);
                pen.lineTo(0, 0, dark);
                pen.lineTo(w - 1, 0, dark);
                pen.lineTo(w - 1, h - 1, light);
                pen.lineTo(-1, h - 1, light);
            }
        }
        break;
    case TGlyphButtonStyle::bsModern: {
        const QColor inner = pressed ? shadow : face;
        pen.moveTo(1, 1);
        pen.lineTo(w - 2, 1, inner);
        pen.lineTo(w - 2, h - 2, inner);
        pen.lineTo(1, h - 2, inner);
        pen.lineTo(1, 1, inner);
        roundFrame(painter, w, h, shadow);
        break;
    }
    case TGlyphButtonStyle::bsQuicken:
        roundFill(painter, QRect(0, 1, w, h - 1), face);
        pen.moveTo(4, 0);
        pen.lineTo(w - 5, 0, shadow);
        pen.moveTo(4, h - 1);
        pen.lineTo(w - 5, h - 1, shadow);
        break;
    case TGlyphButtonStyle::bsShape:
        break;
    }

    painter.setFont(lay.font);
    if (p.style == TGlyphButtonStyle::bsShape) {
        // The caption lies on the see-through colour: smoothed edges would leave a coloured fringe.
        QFont plain = lay.font;
        plain.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(plain);
        painter.setPen(qc(p.fontColor));
        DrawTransparentGlyphCell(painter, p.glyph, lay.cellIndex, lay.cellWidth, lay.glyphLeft, lay.glyphTop);
        painter.drawText(lay.textBox, kTextFlags | Qt::AlignHCenter | Qt::AlignTop, lay.caption);
    } else {
        painter.setPen(p.enabled ? qc(p.fontColor) : qc(clGray));
        Qt::Alignment align = Qt::AlignHCenter;
        if (p.alignment & Qt::AlignLeft)
            align = Qt::AlignLeft;
        else if (p.alignment & Qt::AlignRight)
            align = Qt::AlignRight;
        if (!lay.textBox.isEmpty())
            painter.drawText(lay.textBox, kTextFlags | align | Qt::AlignTop, lay.caption);
        DrawTransparentGlyphCell(painter, p.glyph, lay.cellIndex, lay.cellWidth, lay.glyphLeft, lay.glyphTop);
    }

    if (p.hasPopupMenu) {
        const QImage arrow = GlyphResource(QStringLiteral("LBARROW"));
        DrawTransparentGlyphCell(painter, arrow, 0, arrow.width(), w - 11, h / 2 - 1);
    }
}

TGlyphButtonThread::TGlyphButtonThread(std::function<void(TGlyphButtonThread*)> notify, QObject* owner)
    : QObject(owner), FNotify(std::move(notify))
{
    timer.setInterval(kTickMs);
    connect(&timer, &QTimer::timeout, this, &TGlyphButtonThread::DoEvent);
}

bool TGlyphButtonThread::Suspended() const
{
    return !timer.isActive();
}

void TGlyphButtonThread::Resume()
{
    if (!timer.isActive())
        timer.start();
}

void TGlyphButtonThread::Suspend()
{
    timer.stop();
}

void TGlyphButtonThread::DoEvent()
{
    if (FNotify)
        FNotify(this);
}
