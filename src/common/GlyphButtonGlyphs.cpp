// The program's own glyph pictures for the button kinds and the popup arrow, drawn in code
// so the static library needs no resource file. Each kind strip has two cells side by side,
// normal and disabled, in the 16 classic colours; the lower-left pixel of every cell is the
// background colour that drawing leaves out.

#include "common/GlyphButtons.h"

#include <QHash>
#include <QPainter>
#include <QPolygon>

#include <functional>

namespace {

// Colour of the cells' background, never used inside a picture.
const QColor kKey(0x80, 0x80, 0x00); // olive
const QColor kBlack(0, 0, 0), kGreen(0, 0x80, 0), kLime(0, 0xFF, 0), kRed(0xFF, 0, 0), kMaroon(0x80, 0, 0),
    kNavy(0, 0, 0x80), kBlue(0, 0, 0xFF), kYellow(0xFF, 0xFF, 0), kWhite(0xFF, 0xFF, 0xFF), kGray(0x80, 0x80, 0x80),
    kTeal(0, 0x80, 0x80);

void thickLine(QPainter& p, const QColor& c, const QPolygon& pts, int width = 2)
{
    QPen pen(c, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(pts);
}

void drawCheck(QPainter& p, const QColor& c, int dx, int dy)
{
    thickLine(p, c, QPolygon({QPoint(3 + dx, 9 + dy), QPoint(7 + dx, 13 + dy), QPoint(14 + dx, 5 + dy)}), 3);
}

using Painter = std::function<void(QPainter&, int cellHeight)>;

const QHash<QString, Painter>& pictures()
{
    static const QHash<QString, Painter> table = {
        {"LBOK", [](QPainter& p, int) { drawCheck(p, kGreen, 0, 0); }},
        {"LBYES",
         [](QPainter& p, int) {
             drawCheck(p, kLime, 0, 0);
             thickLine(p, kGreen, QPolygon({QPoint(3, 12), QPoint(7, 16), QPoint(14, 8)}), 1);
         }},
        {"LBCANCEL",
         [](QPainter& p, int) {
             thickLine(p, kRed, QPolygon({QPoint(4, 4), QPoint(13, 13)}));
             thickLine(p, kRed, QPolygon({QPoint(13, 4), QPoint(4, 13)}));
         }},
        {"LBHELP",
         [](QPainter& p, int) {
             p.setPen(QPen(kNavy, 2));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRect(5, 2, 8, 7), 180 * 16, -270 * 16);
             p.fillRect(QRect(8, 9, 2, 3), kNavy);
             p.fillRect(QRect(8, 13, 2, 2), kNavy);
         }},
        {"LBNO",
         [](QPainter& p, int) {
             p.setPen(QPen(kRed, 2));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRect(3, 3, 11, 11));
             thickLine(p, kRed, QPolygon({QPoint(5, 12), QPoint(12, 5)}));
         }},
        {"LBCLOSE",
         [](QPainter& p, int) {
             p.setPen(QPen(kMaroon, 1));
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRect(4, 2, 9, 13));
             p.fillRect(QRect(5, 3, 5, 12), kYellow);
             p.fillRect(QRect(8, 8, 1, 2), kBlack);
         }},
        {"LBABORT",
         [](QPainter& p, int) {
             p.setPen(Qt::NoPen);
             p.setBrush(kRed);
             p.drawPolygon(QPolygon({QPoint(6, 2), QPoint(11, 2), QPoint(15, 6), QPoint(15, 11), QPoint(11, 15),
                                     QPoint(6, 15), QPoint(2, 11), QPoint(2, 6)}));
             p.fillRect(QRect(5, 8, 8, 2), kWhite);
         }},
        {"LBRETRY",
         [](QPainter& p, int) {
             p.setPen(QPen(kBlue, 2));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRect(3, 3, 11, 11), 90 * 16, 270 * 16);
             p.setPen(Qt::NoPen);
             p.setBrush(kBlue);
             p.drawPolygon(QPolygon({QPoint(8, 0), QPoint(12, 3), QPoint(8, 6)}));
         }},
        {"LBIGNORE",
         [](QPainter& p, int) {
             p.fillRect(QRect(8, 9, 2, 7), kGray);
             thickLine(p, kTeal, QPolygon({QPoint(2, 12), QPoint(2, 5), QPoint(13, 5)}));
             p.setPen(Qt::NoPen);
             p.setBrush(kTeal);
             p.drawPolygon(QPolygon({QPoint(12, 1), QPoint(16, 5), QPoint(12, 9)}));
         }},
        {"LBALL",
         [](QPainter& p, int) {
             drawCheck(p, kGreen, -1, -2);
             drawCheck(p, kGreen, 1, 3);
         }},
    };
    return table;
}

// Disabled cell: the picture's shape in grey with a white shadow below and right of it.
void emboss(QImage& strip, int cellWidth)
{
    const QRgb key = kKey.rgb();
    const QImage source = strip.copy(0, 0, cellWidth, strip.height());
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < cellWidth; ++x)
            if (source.pixel(x, y) != key && x + 1 < cellWidth && y + 1 < source.height())
                strip.setPixel(cellWidth + x + 1, y + 1, kWhite.rgb());
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < cellWidth; ++x)
            if (source.pixel(x, y) != key)
                strip.setPixel(cellWidth + x, y, kGray.rgb());
    // The lower-left pixel stays the background so the cell keeps its transparent colour.
    strip.setPixel(cellWidth, strip.height() - 1, key);
}

QImage makeStrip(const Painter& paint, int cellHeight)
{
    const int cellWidth = 18;
    QImage strip(cellWidth * 2, cellHeight, QImage::Format_RGB32);
    strip.fill(kKey);
    {
        QPainter p(&strip);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setClipRect(0, 0, cellWidth, cellHeight);
        paint(p, cellHeight);
    }
    strip.setPixel(0, cellHeight - 1, kKey.rgb());
    emboss(strip, cellWidth);
    return strip;
}

QImage makeArrow()
{
    QImage arrow(5, 3, QImage::Format_RGB32);
    arrow.fill(kKey);
    for (int row = 0; row < 3; ++row)
        for (int x = row; x < 5 - row; ++x)
            arrow.setPixel(x, row, kBlack.rgb());
    arrow.setPixel(0, 2, kKey.rgb());
    return arrow;
}

} // namespace

QImage GlyphResource(const QString& name)
{
    static QHash<QString, QImage> cache;
    const auto found = cache.constFind(name);
    if (found != cache.constEnd())
        return *found;
    QImage image;
    if (name == QLatin1String("LBARROW")) {
        image = makeArrow();
    } else {
        const auto picture = pictures().constFind(name);
        if (picture == pictures().constEnd())
            return {};
        image = makeStrip(*picture, name == QLatin1String("LBALL") ? 19 : 18);
    }
    cache.insert(name, image);
    return image;
}
