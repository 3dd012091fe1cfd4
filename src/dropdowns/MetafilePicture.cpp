// Metafile pictures: one player of drawing operations and the two record readers feeding it.

#include "dropdowns/MetafilePicture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace dropdowns {

namespace {

// ---- reading little-endian fields, bounded -------------------------------------------------

// A view of bytes whose reads past the end give 0 and mark the view bad.
class Fields {
public:
    Fields(const char* data, qsizetype size) : FData(data), FSize(size) {}
    quint32 u32(qsizetype at)
    {
        if (at < 0 || at + 4 > FSize)
            return fail();
        return qFromLittleEndian<quint32>(FData + at);
    }
    quint16 u16(qsizetype at)
    {
        if (at < 0 || at + 2 > FSize)
            return quint16(fail());
        return qFromLittleEndian<quint16>(FData + at);
    }
    qint16 s16(qsizetype at) { return qint16(u16(at)); }
    qint32 s32(qsizetype at) { return qint32(u32(at)); }
    bool ok() const { return FOk; }
    qsizetype size() const { return FSize; }
    const char* data() const { return FData; }

private:
    quint32 fail()
    {
        FOk = false;
        return 0;
    }
    const char* FData;
    qsizetype FSize;
    bool FOk = true;
};

bool sideInBounds(double side)
{
    return side >= 1 && side <= kMaxMetafileSide;
}

QColor colorOf(quint32 colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

// A device-independent bitmap as the BMP reader takes it: the file header the metafile leaves
// out is put in front.
QImage imageOfDib(const char* dib, qsizetype size)
{
    Fields f(dib, size);
    const quint32 headerSize = f.u32(0);
    if (!f.ok() || headerSize < 12 || headerSize > quint32(size))
        return {};
    int bitCount = 0;
    quint32 colours = 0;
    quint32 compression = 0;
    int entrySize = 4;
    if (headerSize == 12) {
        bitCount = f.u16(10);
        entrySize = 3;
    } else {
        bitCount = f.u16(14);
        compression = f.u32(16);
        colours = f.u32(32);
    }
    if (!f.ok())
        return {};
    quint64 table = 0;
    if (bitCount <= 8)
        table = quint64(colours ? std::min<quint32>(colours, 256) : (1u << bitCount)) * entrySize;
    else if (compression == 3 && headerSize == 40)
        table = 12; // the three colour masks
    const quint64 offset = 14 + quint64(headerSize) + table;
    if (offset > quint64(14 + size))
        return {};
    QByteArray file;
    file.reserve(14 + size);
    file.append("BM", 2);
    char word[4];
    qToLittleEndian<quint32>(quint32(14 + size), word);
    file.append(word, 4);
    file.append(4, '\0');
    qToLittleEndian<quint32>(quint32(offset), word);
    file.append(word, 4);
    file.append(dib, size);
    QImage image;
    image.loadFromData(file, "BMP");
    return image;
}

// ---- the player: what both formats draw, in logical units -----------------------------------

struct GdiObject {
    enum Kind { None, Pen, Brush, Font, Other };
    explicit GdiObject(Kind k = None) : kind(k) {}
    Kind kind;
    QPen pen;
    QBrush brush;
    QFont font;
    double fontHeight = 0; // logical units; negative: character height, positive: cell height
};

struct GdiState {
    QPen pen{QColor(Qt::black), 0};
    QBrush brush{Qt::white};
    QFont font{QStringLiteral("Arial")};
    double fontHeight = -12;
    QColor textColor = Qt::black;
    QColor bkColor = Qt::white;
    bool opaque = true;
    int textAlign = 0;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    QPointF position;
    // Logical to device: scaled by the extents only in the scaling map modes.
    bool scaled = false;
    QPointF windowOrg;
    QSizeF windowExt{1, 1};
    QPointF viewportOrg;
    QSizeF viewportExt{1, 1};
};

QPen penOf(int style, double width, quint32 colorRef)
{
    static const Qt::PenStyle kStyles[] = {Qt::SolidLine,      Qt::DashLine, Qt::DotLine,  Qt::DashDotLine,
                                           Qt::DashDotDotLine, Qt::NoPen,    Qt::SolidLine};
    QPen pen(colorOf(colorRef));
    style &= 0x0F;
    pen.setStyle(style < 7 ? kStyles[style] : Qt::SolidLine);
    pen.setWidthF(std::min(std::abs(width), 32767.0));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QBrush brushOf(int style, quint32 colorRef, int hatch)
{
    static const Qt::BrushStyle kHatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                              Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    if (style == 1)
        return Qt::NoBrush;
    if (style == 2)
        return QBrush(colorOf(colorRef), hatch >= 0 && hatch < 6 ? kHatches[hatch] : Qt::SolidPattern);
    return QBrush(colorOf(colorRef));
}

QFont fontOf(int weight, bool italic, bool underline, bool strikeOut, const QString& face)
{
    QFont font(face.isEmpty() ? QStringLiteral("Arial") : face);
    font.setWeight(QFont::Weight(std::clamp(weight ? weight : 400, 100, 900))); // 0: the default
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return font;
}

class GdiPlayer {
public:
    // Drawing onto a picture, the device mapped onto it by pictureFromDevice; with no painter,
    // only measuring the extent of what is drawn in logical units.
    GdiPlayer(QPainter* painter, const QTransform& pictureFromDevice, size_t objectSlots)
        : FPainter(painter), FPictureFromDevice(pictureFromDevice), FObjects(std::min<size_t>(objectSlots, 65536))
    {
    }
    GdiState& state() { return FState; }
    QRectF measured() const { return FMeasured; }

    // Objects: WMF puts a new one in the lowest free slot, EMF names the slot.
    void addObject(const GdiObject& o)
    {
        for (GdiObject& slot : FObjects)
            if (slot.kind == GdiObject::None) {
                slot = o;
                return;
            }
    }
    void setObject(quint32 index, const GdiObject& o)
    {
        if (index < FObjects.size())
            FObjects[index] = o;
    }
    void deleteObject(quint32 index) { setObject(index, GdiObject()); }
    void select(quint32 index);
    void selectStock(quint32 stock);

    void saveState()
    {
        if (FSaved.size() < 1024)
            FSaved.push_back(FState);
    }
    // A negative level goes back that many saves; a positive one is an absolute level.
    void restoreState(int level)
    {
        const int target = level < 0 ? int(FSaved.size()) + level : level - 1;
        if (target >= 0 && target < int(FSaved.size())) {
            FState = FSaved[size_t(target)];
            FSaved.resize(size_t(target));
        }
    }

    void lineTo(QPointF to);
    void rectangle(QRectF box, bool ellipse);
    void roundRect(QRectF box, QSizeF corner);
    void poly(const QPolygonF& points, bool closed);
    void bezier(const QPolygonF& points);
    void polyPolygon(const QList<QPolygonF>& polygons, bool closed);
    void text(const QString& text, QPointF at, const QVector<int>& advances);
    // A bitmap's source rectangle stretched onto a destination in logical units; the source's
    // y counts from the bottom for a bottom-up DIB when bottomUpSource is set.
    void bitmap(const QByteArray& dib, QRect source, QRectF destination, bool bottomUpSource);
    void fill(QRectF box);

private:
    QPointF device(QPointF p) const
    {
        if (!FPainter)
            return p;
        const GdiState& s = FState;
        QPointF d;
        if (s.scaled && s.windowExt.width() && s.windowExt.height())
            d = QPointF((p.x() - s.windowOrg.x()) * s.viewportExt.width() / s.windowExt.width(),
                        (p.y() - s.windowOrg.y()) * s.viewportExt.height() / s.windowExt.height());
        else
            d = p - s.windowOrg;
        return FPictureFromDevice.map(d + s.viewportOrg);
    }
    double scaleX() const { return std::abs(device({1, 0}).x() - device({0, 0}).x()); }
    double scaleY() const { return std::abs(device({0, 1}).y() - device({0, 0}).y()); }
    // A rectangle as the system fills it: the right and bottom edges excluded.
    QRectF deviceRect(const QRectF& box) const
    {
        return QRectF(device(box.topLeft()), device(box.bottomRight())).normalized().adjusted(0, 0, -1, -1);
    }
    void note(const QRectF& r) { FMeasured = FMeasured.isNull() ? r : FMeasured.united(r); }
    QPen scaledPen() const
    {
        QPen p = FState.pen;
        if (p.style() != Qt::NoPen && p.widthF() > 1)
            p.setWidthF(std::min(p.widthF() * (scaleX() + scaleY()) / 2, 32767.0));
        else if (p.style() != Qt::NoPen)
            p.setWidth(0);
        return p;
    }
    void useShapeTools()
    {
        FPainter->setPen(scaledPen());
        FPainter->setBrush(FState.brush);
    }

    QPainter* FPainter;
    QTransform FPictureFromDevice;
    std::vector<GdiObject> FObjects;
    GdiState FState;
    std::vector<GdiState> FSaved;
    QRectF FMeasured;
};

void GdiPlayer::select(quint32 index)
{
    if (index >= FObjects.size())
        return;
    const GdiObject& o = FObjects[index];
    switch (o.kind) {
    case GdiObject::Pen:
        FState.pen = o.pen;
        break;
    case GdiObject::Brush:
        FState.brush = o.brush;
        break;
    case GdiObject::Font:
        FState.font = o.font;
        FState.fontHeight = o.fontHeight;
        break;
    default:
        break;
    }
}

// The stock objects: brushes 0 to 5, pens 6 to 8, fonts 10 to 17.
void GdiPlayer::selectStock(quint32 stock)
{
    static const int kGreys[] = {255, 192, 128, 64, 0};
    if (stock < 5)
        FState.brush = QBrush(QColor(kGreys[stock], kGreys[stock], kGreys[stock]));
    else if (stock == 5)
        FState.brush = Qt::NoBrush;
    else if (stock == 6 || stock == 7)
        FState.pen = QPen(stock == 6 ? Qt::white : Qt::black, 0);
    else if (stock == 8)
        FState.pen = Qt::NoPen;
    else if (stock >= 10 && stock <= 17) {
        FState.font = QFont(QStringLiteral("Arial"));
        FState.fontHeight = -12;
    }
}

void GdiPlayer::lineTo(QPointF to)
{
    if (FPainter) {
        FPainter->setPen(scaledPen());
        FPainter->drawLine(device(FState.position), device(to));
    } else {
        note(QRectF(FState.position, to).normalized());
    }
    FState.position = to;
}

void GdiPlayer::rectangle(QRectF box, bool ellipse)
{
    if (!FPainter)
        return note(box.normalized());
    useShapeTools();
    ellipse ? FPainter->drawEllipse(deviceRect(box)) : FPainter->drawRect(deviceRect(box));
}

void GdiPlayer::roundRect(QRectF box, QSizeF corner)
{
    if (!FPainter)
        return note(box.normalized());
    useShapeTools();
    FPainter->drawRoundedRect(deviceRect(box), std::abs(corner.width()) * scaleX() / 2,
                              std::abs(corner.height()) * scaleY() / 2);
}

void GdiPlayer::poly(const QPolygonF& points, bool closed)
{
    if (points.isEmpty())
        return;
    if (!FPainter)
        return note(points.boundingRect());
    QPolygonF onPicture;
    for (const QPointF& p : points)
        onPicture << device(p);
    if (closed) {
        useShapeTools();
        FPainter->drawPolygon(onPicture, FState.fillRule);
    } else {
        FPainter->setPen(scaledPen());
        FPainter->drawPolyline(onPicture);
    }
}

// A start point and three points per curve.
void GdiPlayer::bezier(const QPolygonF& points)
{
    if (points.size() < 4)
        return;
    if (!FPainter)
        return note(points.boundingRect());
    QPainterPath path(device(points[0]));
    for (qsizetype i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(device(points[i]), device(points[i + 1]), device(points[i + 2]));
    FPainter->setPen(scaledPen());
    FPainter->setBrush(Qt::NoBrush);
    FPainter->drawPath(path);
}

void GdiPlayer::polyPolygon(const QList<QPolygonF>& polygons, bool closed)
{
    QPainterPath path;
    path.setFillRule(FState.fillRule);
    for (const QPolygonF& polygon : polygons) {
        QPolygonF onPicture;
        for (const QPointF& p : polygon)
            onPicture << (FPainter ? device(p) : p);
        path.addPolygon(onPicture);
        if (closed)
            path.closeSubpath();
    }
    if (!FPainter)
        return note(path.boundingRect());
    if (closed) {
        useShapeTools();
    } else {
        FPainter->setPen(scaledPen());
        FPainter->setBrush(Qt::NoBrush);
    }
    FPainter->drawPath(path);
}

void GdiPlayer::text(const QString& string, QPointF at, const QVector<int>& advances)
{
    const double height = std::abs(FState.fontHeight);
    if (!FPainter)
        return note(QRectF(at, QSizeF(height * double(string.size()), height)));
    QFont font = FState.font;
    font.setPixelSize(std::clamp(int(std::lround(height * scaleY())), 1, kMaxMetafileSide));
    const QFontMetricsF metrics(font, FPainter->device());
    const QPointF origin = device(at);
    const bool spaced = advances.size() == string.size();
    double width = 0;
    if (spaced)
        for (int a : advances)
            width += a * scaleX();
    else
        width = metrics.horizontalAdvance(string);
    // The reference point: left, right or centre; top, bottom or baseline.
    double x = origin.x();
    switch (FState.textAlign & 0x06) {
    case 2:
        x -= width;
        break;
    case 6:
        x -= width / 2;
        break;
    default:
        break;
    }
    double baseline = origin.y() + metrics.ascent();
    if ((FState.textAlign & 0x18) == 0x18)
        baseline = origin.y();
    else if (FState.textAlign & 0x08)
        baseline = origin.y() - metrics.descent();
    FPainter->setFont(font);
    if (FState.opaque)
        FPainter->fillRect(QRectF(x, baseline - metrics.ascent(), width, metrics.height()), FState.bkColor);
    FPainter->setPen(FState.textColor);
    if (!spaced) {
        FPainter->drawText(QPointF(x, baseline), string);
        return;
    }
    for (qsizetype i = 0; i < string.size(); ++i) {
        FPainter->drawText(QPointF(x, baseline), QString(string[i]));
        x += advances[i] * scaleX();
    }
}

void GdiPlayer::bitmap(const QByteArray& dib, QRect source, QRectF destination, bool bottomUpSource)
{
    if (!FPainter)
        return note(destination.normalized());
    QImage image = imageOfDib(dib.constData(), dib.size());
    if (image.isNull())
        return;
    Fields header(dib.constData(), dib.size());
    const bool bottomUp = header.u32(0) < 40 || header.s32(8) > 0;
    if (bottomUpSource && bottomUp)
        source.moveTop(image.height() - source.top() - source.height());
    source = source.normalized().intersected(image.rect());
    if (source.isEmpty())
        return;
    const QRectF target(device(destination.topLeft()), device(destination.bottomRight()));
    image = image.copy(source).mirrored(target.width() < 0, target.height() < 0);
    FPainter->drawImage(target.normalized(), image);
}

void GdiPlayer::fill(QRectF box)
{
    if (!FPainter)
        return note(box.normalized());
    FPainter->fillRect(QRectF(device(box.topLeft()), device(box.bottomRight())).normalized(), FState.brush);
}

// ---- WMF ------------------------------------------------------------------------------------

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;

enum WmfFunction : quint16 {
    META_EOF = 0x0000,
    META_SAVEDC = 0x001E,
    META_SETBKMODE = 0x0102,
    META_SETPOLYFILLMODE = 0x0106,
    META_SETBKCOLOR = 0x0201,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_RESTOREDC = 0x0127,
    META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E,
    META_DELETEOBJECT = 0x01F0,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_ELLIPSE = 0x0418,
    META_RECTANGLE = 0x041B,
    META_TEXTOUT = 0x0521,
    META_POLYPOLYGON = 0x0538,
    META_ROUNDRECT = 0x061C,
    META_PATBLT = 0x061D,
    META_DIBBITBLT = 0x0940,
    META_EXTTEXTOUT = 0x0A32,
    META_DIBSTRETCHBLT = 0x0B41,
    META_STRETCHDIB = 0x0F43,
    // Records that create an object this player does not draw with: they still take a slot.
    META_DIBCREATEPATTERNBRUSH = 0x0142,
    META_CREATEPATTERNBRUSH = 0x01F9,
    META_CREATEPALETTE = 0x00F7,
    META_CREATEREGION = 0x06FF,
};

// One record: its function and its parameter words.
struct WmfRecord {
    quint16 function;
    Fields params;
    int words() const { return int(std::min<qsizetype>(params.size() / 2, 1 << 30)); }
    qint16 s(int i) { return params.s16(qsizetype(i) * 2); }
    quint16 u(int i) { return params.u16(qsizetype(i) * 2); }
    quint32 u32(int i) { return params.u32(qsizetype(i) * 2); }
    QPointF point(int i) { return QPointF(s(i + 1), s(i)); } // y first
    QPolygonF points(int at, int count)
    {
        QPolygonF result;
        if (count < 0 || at + 2 * qsizetype(count) > words())
            return result;
        for (int k = 0; k < count; ++k)
            result << QPointF(s(at + 2 * k), s(at + 2 * k + 1)); // x first
        return result;
    }
    // bottom, right, top, left
    QRectF box(int at) { return QRectF(QPointF(s(at + 3), s(at + 2)), QPointF(s(at + 1), s(at))); }
};

QString latin1(const Fields& f, qsizetype at, int length)
{
    if (length <= 0 || at < 0 || at + length > f.size())
        return {};
    return QString::fromLatin1(f.data() + at, length);
}

void playWmf(GdiPlayer& player, WmfRecord& r)
{
    GdiState& s = player.state();
    switch (r.function) {
    case META_SAVEDC:
        player.saveState();
        break;
    case META_RESTOREDC:
        player.restoreState(r.s(0));
        break;
    case META_SETBKMODE:
        s.opaque = r.u(0) == 2;
        break;
    case META_SETPOLYFILLMODE:
        s.fillRule = r.u(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        break;
    case META_SETBKCOLOR:
        s.bkColor = colorOf(r.u32(0));
        break;
    case META_SETTEXTCOLOR:
        s.textColor = colorOf(r.u32(0));
        break;
    case META_SETTEXTALIGN:
        s.textAlign = r.u(0);
        break;
    case META_SETWINDOWORG:
        s.windowOrg = r.point(0);
        break;
    case META_SETWINDOWEXT:
        s.windowExt = QSizeF(r.s(1), r.s(0));
        break;
    case META_MOVETO:
        s.position = r.point(0);
        break;
    case META_LINETO:
        player.lineTo(r.point(0));
        break;
    case META_RECTANGLE:
        player.rectangle(r.box(0), false);
        break;
    case META_ELLIPSE:
        player.rectangle(r.box(0), true);
        break;
    case META_ROUNDRECT:
        player.roundRect(r.box(2), QSizeF(r.s(1), r.s(0)));
        break;
    case META_POLYLINE:
        player.poly(r.points(1, r.s(0)), false);
        break;
    case META_POLYGON:
        player.poly(r.points(1, r.s(0)), true);
        break;
    case META_POLYPOLYGON: {
        const int count = r.s(0);
        if (count < 1 || count >= r.words())
            break;
        QList<QPolygonF> polygons;
        int at = 1 + count;
        for (int i = 0; i < count; ++i) {
            const int n = std::max<qint16>(0, r.s(1 + i));
            polygons << r.points(at, n);
            at += 2 * n;
        }
        if (at <= r.words())
            player.polyPolygon(polygons, true);
        break;
    }
    case META_TEXTOUT: {
        const int length = r.s(0);
        const int stringWords = (length + 1) / 2;
        if (length > 0 && 1 + stringWords + 2 <= r.words())
            player.text(latin1(r.params, 2, length), r.point(1 + stringWords), {});
        break;
    }
    case META_EXTTEXTOUT: {
        const int length = r.s(2);
        const int at = (r.u(3) & 0x0006) ? 8 : 4; // ETO_OPAQUE, ETO_CLIPPED: a rectangle follows
        const int stringWords = (length + 1) / 2;
        if (length <= 0 || at + stringWords > r.words())
            break;
        QVector<int> advances;
        if (at + stringWords + length <= r.words())
            for (int i = 0; i < length; ++i)
                advances << r.s(at + stringWords + i);
        player.text(latin1(r.params, qsizetype(at) * 2, length), r.point(0), advances);
        break;
    }
    // STRETCHDIB: rop (2 words), usage, source height, width, y, x, destination height, width,
    // y, x, the DIB. DIBSTRETCHBLT: the same without the usage word. DIBBITBLT: rop, source y,
    // x, height, width, destination y, x, the DIB.
    case META_STRETCHDIB:
    case META_DIBSTRETCHBLT: {
        const int b = r.function == META_STRETCHDIB ? 3 : 2;
        const int dibAt = b + 8;
        if (r.words() <= dibAt)
            break;
        const QRect source(r.s(b + 3), r.s(b + 2), r.s(b + 1), r.s(b));
        const QRectF target(r.s(b + 7), r.s(b + 6), r.s(b + 5), r.s(b + 4));
        const QByteArray dib(r.params.data() + dibAt * 2, r.params.size() - dibAt * 2);
        player.bitmap(dib, source, target, r.function == META_STRETCHDIB);
        break;
    }
    case META_DIBBITBLT: {
        if (r.words() <= 8)
            break;
        const QRect source(r.s(3), r.s(2), r.s(5), r.s(4));
        const QRectF target(r.s(7), r.s(6), r.s(5), r.s(4));
        player.bitmap(QByteArray(r.params.data() + 16, r.params.size() - 16), source, target, false);
        break;
    }
    case META_PATBLT:
        player.fill(QRectF(r.s(5), r.s(4), r.s(3), r.s(2)));
        break;
    case META_CREATEPENINDIRECT: {
        GdiObject o{GdiObject::Pen};
        o.pen = penOf(r.u(0), r.s(1), r.u32(3));
        player.addObject(o);
        break;
    }
    case META_CREATEBRUSHINDIRECT: {
        GdiObject o{GdiObject::Brush};
        o.brush = brushOf(r.u(0), r.u32(1), r.u(3));
        player.addObject(o);
        break;
    }
    case META_CREATEFONTINDIRECT: {
        GdiObject o{GdiObject::Font};
        o.fontHeight = r.s(0) ? r.s(0) : -12;
        // The face name: up to 32 bytes after the 18 fixed ones, ended by a zero.
        QByteArray face = r.params.size() > 18
                              ? QByteArray(r.params.data() + 18, std::min<qsizetype>(r.params.size() - 18, 32))
                              : QByteArray();
        if (const qsizetype end = face.indexOf('\0'); end >= 0)
            face.truncate(end);
        o.font = fontOf(r.u(4), r.u(5) & 0xFF, r.u(5) >> 8, r.u(6) & 0xFF, QString::fromLatin1(face));
        player.addObject(o);
        break;
    }
    case META_DIBCREATEPATTERNBRUSH:
    case META_CREATEPATTERNBRUSH:
    case META_CREATEPALETTE:
    case META_CREATEREGION:
        player.addObject(GdiObject{GdiObject::Other});
        break;
    case META_SELECTOBJECT:
        player.select(r.u(0));
        break;
    case META_DELETEOBJECT:
        player.deleteObject(r.u(0));
        break;
    default:
        break; // not drawn here: skipped
    }
}

// The walk over the records: a callback per record; false when the structure is damaged.
template <class Visit>
bool walkWmf(const QByteArray& bytes, qsizetype start, Visit visit)
{
    Fields f(bytes.constData(), bytes.size());
    const quint16 type = f.u16(start);
    const quint16 headerWords = f.u16(start + 2);
    const quint16 version = f.u16(start + 4);
    if (!f.ok() || (type != 1 && type != 2) || headerWords != 9 || (version != 0x0100 && version != 0x0300))
        return false;
    qsizetype at = start + 18;
    while (true) {
        const quint32 words = f.u32(at);
        const quint16 function = f.u16(at + 4);
        if (!f.ok() || words < 3 || quint64(words) * 2 > quint64(bytes.size() - at))
            return false;
        if (function == META_EOF)
            return true;
        WmfRecord record{function, Fields(bytes.constData() + at + 6, qsizetype(words) * 2 - 6)};
        visit(record);
        at += qsizetype(words) * 2;
    }
}

// ---- EMF ------------------------------------------------------------------------------------

enum EmfType : quint32 {
    EMR_HEADER = 1,
    EMR_POLYBEZIER = 2,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_POLYLINETO = 6,
    EMR_POLYPOLYLINE = 7,
    EMR_POLYPOLYGON = 8,
    EMR_SETWINDOWEXTEX = 9,
    EMR_SETWINDOWORGEX = 10,
    EMR_SETVIEWPORTEXTEX = 11,
    EMR_SETVIEWPORTORGEX = 12,
    EMR_EOF = 14,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_ROUNDRECT = 44,
    EMR_LINETO = 54,
    EMR_BITBLT = 76,
    EMR_STRETCHBLT = 77,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTA = 83,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYBEZIER16 = 85,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_POLYLINETO16 = 89,
    EMR_POLYPOLYLINE16 = 90,
    EMR_POLYPOLYGON16 = 91,
    EMR_CREATEMONOBRUSH = 93,
    EMR_CREATEDIBPATTERNBRUSHPT = 94,
    EMR_EXTCREATEPEN = 95,
};
constexpr quint32 kEmfSignature = 0x464D4520; // " EMF"
constexpr quint32 kStockObject = 0x80000000;

// One record: its type and its bytes after type and size; offsets inside records count from
// the record's start, 8 bytes before these.
struct EmfRecord {
    quint32 type;
    Fields params;
    qint32 s(qsizetype at) { return params.s32(at); }
    quint32 u(qsizetype at) { return params.u32(at); }
    QPointF point(qsizetype at) { return QPointF(s(at), s(at + 4)); }
    QRectF box(qsizetype at) { return QRectF(point(at), point(at + 8)); }
    // count points from at, 32-bit or 16-bit coordinates
    QPolygonF points(qsizetype at, quint32 count, bool wide)
    {
        QPolygonF result;
        const qsizetype step = wide ? 8 : 4;
        if (at < 0 || count > quint32((params.size() - std::min(at, params.size())) / step))
            return result;
        for (quint32 k = 0; k < count; ++k, at += step)
            result << (wide ? point(at) : QPointF(params.s16(at), params.s16(at + 2)));
        return result;
    }
    // A bitmap given by two offsets and sizes from the record's start: header, then bits.
    QByteArray dib(qsizetype at)
    {
        const quint32 offBmi = u(at), cbBmi = u(at + 4), offBits = u(at + 8), cbBits = u(at + 12);
        const quint64 size = quint64(params.size()) + 8;
        if (!params.ok() || offBmi < 8 || offBits < 8 || quint64(offBmi) + cbBmi > size
            || quint64(offBits) + cbBits > size)
            return {};
        return QByteArray(params.data() + offBmi - 8, cbBmi) + QByteArray(params.data() + offBits - 8, cbBits);
    }
};

QList<QPolygonF> emfPolygons(EmfRecord& r, bool wide)
{
    // bounds, number of polygons, total points, the counts, the points
    const quint32 polygons = r.u(16);
    const quint32 total = r.u(20);
    QList<QPolygonF> result;
    if (!r.params.ok() || polygons > quint32(r.params.size() / 4))
        return result;
    const qsizetype pointsAt = 24 + qsizetype(polygons) * 4;
    const QPolygonF all = r.points(pointsAt, total, wide);
    if (quint32(all.size()) != total)
        return result;
    qsizetype at = 0;
    for (quint32 i = 0; i < polygons; ++i) {
        const quint32 n = r.u(24 + qsizetype(i) * 4);
        if (n > quint32(all.size() - at))
            return {};
        result << all.mid(at, n);
        at += n;
    }
    return result;
}

void playEmfText(GdiPlayer& player, EmfRecord& r, bool wide)
{
    // bounds, graphics mode, scales, then the text: reference point, length, string offset,
    // options, clipping rectangle, advances offset
    const QPointF at = r.point(28);
    const quint32 length = r.u(36);
    const quint32 offString = r.u(40);
    const quint32 offDx = r.u(64);
    const qsizetype charSize = wide ? 2 : 1;
    if (!r.params.ok() || offString < 8 || length == 0 || length > 65535
        || quint64(offString - 8) + quint64(length) * charSize > quint64(r.params.size()))
        return;
    const char* chars = r.params.data() + offString - 8;
    const QString string =
        wide ? QString::fromUtf16(reinterpret_cast<const char16_t*>(QByteArray(chars, length * 2).constData()), length)
             : QString::fromLatin1(chars, length);
    QVector<int> advances;
    if (offDx >= 8 && quint64(offDx - 8) + quint64(length) * 4 <= quint64(r.params.size()))
        for (quint32 i = 0; i < length; ++i)
            advances << r.s(offDx - 8 + qsizetype(i) * 4);
    player.text(string, at, advances);
}

void playEmf(GdiPlayer& player, EmfRecord& r)
{
    GdiState& s = player.state();
    switch (r.type) {
    case EMR_SETWINDOWEXTEX:
        s.windowExt = QSizeF(r.s(0), r.s(4));
        break;
    case EMR_SETWINDOWORGEX:
        s.windowOrg = r.point(0);
        break;
    case EMR_SETVIEWPORTEXTEX:
        s.viewportExt = QSizeF(r.s(0), r.s(4));
        break;
    case EMR_SETVIEWPORTORGEX:
        s.viewportOrg = r.point(0);
        break;
    case EMR_SETMAPMODE:
        s.scaled = r.u(0) == 7 || r.u(0) == 8;
        break; // isotropic, anisotropic
    case EMR_SETBKMODE:
        s.opaque = r.u(0) == 2;
        break;
    case EMR_SETPOLYFILLMODE:
        s.fillRule = r.u(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        break;
    case EMR_SETTEXTALIGN:
        s.textAlign = int(r.u(0));
        break;
    case EMR_SETTEXTCOLOR:
        s.textColor = colorOf(r.u(0));
        break;
    case EMR_SETBKCOLOR:
        s.bkColor = colorOf(r.u(0));
        break;
    case EMR_MOVETOEX:
        s.position = r.point(0);
        break;
    case EMR_LINETO:
        player.lineTo(r.point(0));
        break;
    case EMR_SAVEDC:
        player.saveState();
        break;
    case EMR_RESTOREDC:
        player.restoreState(r.s(0));
        break;
    case EMR_RECTANGLE:
        player.rectangle(r.box(0), false);
        break;
    case EMR_ELLIPSE:
        player.rectangle(r.box(0), true);
        break;
    case EMR_ROUNDRECT:
        player.roundRect(r.box(0), QSizeF(r.s(16), r.s(20)));
        break;
    case EMR_POLYLINE:
    case EMR_POLYLINE16:
    case EMR_POLYGON:
    case EMR_POLYGON16:
    case EMR_POLYLINETO:
    case EMR_POLYLINETO16:
    case EMR_POLYBEZIER:
    case EMR_POLYBEZIER16: {
        const bool wide =
            r.type == EMR_POLYLINE || r.type == EMR_POLYGON || r.type == EMR_POLYLINETO || r.type == EMR_POLYBEZIER;
        QPolygonF points = r.points(20, r.u(16), wide);
        if (r.type == EMR_POLYBEZIER || r.type == EMR_POLYBEZIER16) {
            player.bezier(points);
        } else if (r.type == EMR_POLYLINETO || r.type == EMR_POLYLINETO16) {
            for (const QPointF& p : points)
                player.lineTo(p);
        } else {
            player.poly(points, r.type == EMR_POLYGON || r.type == EMR_POLYGON16);
        }
        break;
    }
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYGON16: {
        const bool wide = r.type == EMR_POLYPOLYLINE || r.type == EMR_POLYPOLYGON;
        const bool closed = r.type == EMR_POLYPOLYGON || r.type == EMR_POLYPOLYGON16;
        player.polyPolygon(emfPolygons(r, wide), closed);
        break;
    }
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW:
        playEmfText(player, r, r.type == EMR_EXTTEXTOUTW);
        break;
    case EMR_STRETCHDIBITS: {
        // bounds, destination x y, source x y w h, the bitmap, usage, rop, destination w h
        const QRect source(r.s(24), r.s(28), r.s(32), r.s(36));
        const QRectF target(r.s(16), r.s(20), r.s(64), r.s(68));
        player.bitmap(r.dib(40), source, target, true);
        break;
    }
    case EMR_BITBLT:
    case EMR_STRETCHBLT: {
        // bounds, destination x y w h, rop, source x y, transform, colour, usage, the bitmap,
        // and for STRETCHBLT the source w h
        const QRectF target(r.s(16), r.s(20), r.s(24), r.s(28));
        const bool stretched = r.type == EMR_STRETCHBLT;
        const QRect source(r.s(36), r.s(40), stretched ? r.s(92) : r.s(24), stretched ? r.s(96) : r.s(28));
        const QByteArray dib = r.dib(76);
        if (dib.isEmpty())
            player.fill(target); // a pattern fill with the brush
        else
            player.bitmap(dib, source, target, false);
        break;
    }
    case EMR_CREATEPEN: {
        GdiObject o{GdiObject::Pen};
        o.pen = penOf(int(r.u(4)), r.s(8), r.u(16));
        player.setObject(r.u(0), o);
        break;
    }
    case EMR_EXTCREATEPEN: {
        GdiObject o{GdiObject::Pen};
        o.pen = r.u(28) == 1 ? QPen(Qt::NoPen) : penOf(int(r.u(20)), r.u(24), r.u(32));
        player.setObject(r.u(0), o);
        break;
    }
    case EMR_CREATEBRUSHINDIRECT: {
        GdiObject o{GdiObject::Brush};
        o.brush = brushOf(int(r.u(4)), r.u(8), int(r.u(12)));
        player.setObject(r.u(0), o);
        break;
    }
    case EMR_EXTCREATEFONTINDIRECTW: {
        // the slot, then the logical font: height, width, escapement, orientation, weight,
        // italic, underline, strike-out, ..., the face name in 32 UTF-16 characters
        GdiObject o{GdiObject::Font};
        o.fontHeight = r.s(4) ? r.s(4) : -12;
        QString face;
        for (int i = 0; i < 32; ++i) {
            const quint16 c = r.params.u16(32 + i * 2);
            if (c == 0)
                break;
            face += QChar(c);
        }
        const quint32 flags = r.u(24);
        o.font = fontOf(r.s(20), flags & 0xFF, (flags >> 8) & 0xFF, (flags >> 16) & 0xFF, face);
        player.setObject(r.u(0), o);
        break;
    }
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
        player.setObject(r.u(0), GdiObject{GdiObject::Other});
        break;
    case EMR_SELECTOBJECT: {
        const quint32 index = r.u(0);
        index& kStockObject ? player.selectStock(index & ~kStockObject) : player.select(index);
        break;
    }
    case EMR_DELETEOBJECT:
        player.deleteObject(r.u(0));
        break;
    default:
        break; // not drawn here: skipped
    }
}

} // namespace

bool LoadWindowsMetafile(const QByteArray& bytes, QImage& picture)
{
    picture = QImage();
    Fields f(bytes.constData(), bytes.size());
    qsizetype start = 0;
    QRectF window;
    QSize size;
    if (f.u32(0) == kPlaceableKey) {
        quint16 sum = 0;
        for (int i = 0; i < 20; i += 2)
            sum ^= f.u16(i);
        if (!f.ok() || sum != f.u16(20))
            return false;
        const double inch = f.u16(14);
        window = QRectF(QPointF(f.s16(6), f.s16(8)), QPointF(f.s16(10), f.s16(12)));
        if (inch == 0)
            return false;
        const double w = std::round(std::abs(window.width()) * 96 / inch);
        const double h = std::round(std::abs(window.height()) * 96 / inch);
        if (!sideInBounds(w) || !sideInBounds(h))
            return false;
        size = QSize(int(w), int(h));
        start = 22;
    }
    // The first pass checks the structure, finds the window the file sets and, for a file
    // without placeable header or window, the extent of what it draws.
    const int objectCount = f.u16(start + 6);
    std::optional<QPointF> setOrg;
    std::optional<QSizeF> setExt;
    GdiPlayer measure(nullptr, {}, size_t(objectCount));
    const bool whole = walkWmf(bytes, start, [&](WmfRecord& r) {
        if (r.function == META_SETWINDOWORG && !setOrg)
            setOrg = r.point(0);
        else if (r.function == META_SETWINDOWEXT && !setExt)
            setExt = QSizeF(r.s(1), r.s(0));
        playWmf(measure, r);
    });
    if (!whole)
        return false;
    if (size.isEmpty()) {
        if (setExt && setExt->width() && setExt->height()) {
            window = QRectF(setOrg.value_or(QPointF()), *setExt);
        } else {
            const QRectF drawn = measure.measured();
            const QPointF origin(std::min(0.0, drawn.left()), std::min(0.0, drawn.top()));
            window = QRectF(origin, drawn.bottomRight());
        }
        const double w = std::round(std::abs(window.width())), h = std::round(std::abs(window.height()));
        if (!sideInBounds(w) || !sideInBounds(h))
            return false;
        size = QSize(int(w), int(h));
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        // The window is mapped onto the whole picture until the file sets its own.
        QPainter painter(&image);
        GdiPlayer player(&painter, {}, size_t(objectCount));
        GdiState& s = player.state();
        s.scaled = true;
        s.windowOrg = window.topLeft();
        s.windowExt = window.size();
        s.viewportExt = QSizeF(size);
        walkWmf(bytes, start, [&](WmfRecord& r) { playWmf(player, r); });
    }
    picture = image;
    return true;
}

bool LoadEnhancedMetafile(const QByteArray& bytes, QImage& picture)
{
    picture = QImage();
    Fields f(bytes.constData(), bytes.size());
    if (f.u32(0) != EMR_HEADER || f.u32(40) != kEmfSignature || !f.ok())
        return false;
    const quint32 declared = f.u32(48);
    if (declared > quint32(bytes.size()) || declared < 88)
        return false;
    // The frame in hundredths of a millimetre gives the size at 96 dpi; the reference device's
    // pixels and millimetres map it onto the device units the records use.
    const QRectF frame(QPointF(f.s32(24), f.s32(28)), QPointF(f.s32(32), f.s32(36)));
    const double devicePerMmX = f.s32(80) > 0 ? double(f.s32(72)) / f.s32(80) : 96 / 25.4;
    const double devicePerMmY = f.s32(84) > 0 ? double(f.s32(76)) / f.s32(84) : 96 / 25.4;
    const double w = std::round(frame.width() * 96 / 2540);
    const double h = std::round(frame.height() * 96 / 2540);
    if (!sideInBounds(w) || !sideInBounds(h))
        return false;
    const QSize size{int(w), int(h)};
    const QRectF frameOnDevice(frame.left() / 100 * devicePerMmX, frame.top() / 100 * devicePerMmY,
                               frame.width() / 100 * devicePerMmX, frame.height() / 100 * devicePerMmY);
    if (frameOnDevice.width() <= 0 || frameOnDevice.height() <= 0)
        return false;
    QTransform pictureFromDevice;
    pictureFromDevice.scale(size.width() / frameOnDevice.width(), size.height() / frameOnDevice.height());
    pictureFromDevice.translate(-frameOnDevice.left(), -frameOnDevice.top());

    // The record chain first: every record at least 8 bytes, a multiple of 4, inside the file,
    // the last one the end record. Only a whole file is drawn.
    std::vector<std::pair<qsizetype, quint32>> records;
    qsizetype at = 0;
    quint32 type = 0;
    while (at < qsizetype(declared) && type != EMR_EOF) {
        type = f.u32(at);
        const quint32 recordSize = f.u32(at + 4);
        if (!f.ok() || recordSize < 8 || recordSize % 4 || recordSize > quint32(declared - at))
            return false;
        records.emplace_back(at, recordSize);
        at += recordSize;
    }
    if (type != EMR_EOF)
        return false;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        GdiPlayer player(&painter, pictureFromDevice, f.u16(56));
        for (const auto& [recordAt, recordSize] : records) {
            EmfRecord r{f.u32(recordAt), Fields(bytes.constData() + recordAt + 8, qsizetype(recordSize) - 8)};
            playEmf(player, r);
        }
    }
    picture = image;
    return true;
}

} // namespace dropdowns
