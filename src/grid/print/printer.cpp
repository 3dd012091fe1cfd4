// The 0.1-mm mapping and its unit conversions, the grid's printer object and the run's values
// every painter of this folder reads.

#include "platform/Printer.h"
#include "grid/QvGrid.h"
#include "grid/print/GridPrint.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace grid {

// ---- the string grid's side ----------------------------------------------------------------

void TGridPrinterDeleter::operator()(TGridPrinter* p) const
{
    delete p;
}

TGridPrinter& TQvStringGrid::Printer()
{
    if (!FPrinter)
        FPrinter.reset(new TGridPrinter(*this));
    return *FPrinter;
}

int TQvStringGrid::MapFontHeight(int pointsize)
{
    return Printer().MapFontHeight(pointsize);
}

int TQvStringGrid::MapFontSize(int height)
{
    return TGridPrinter::MapFontSize(height);
}

// ---- the mapping -----------------------------------------------------------------------------

int CanvasDpiX(const QPainter& canvas)
{
    const QPaintDevice* d = canvas.device();
    return d && d->logicalDpiX() > 0 ? d->logicalDpiX() : 96;
}

int CanvasDpiY(const QPainter& canvas)
{
    const QPaintDevice* d = canvas.device();
    return d && d->logicalDpiY() > 0 ? d->logicalDpiY() : 96;
}

void SetLoMetric(QPainter& canvas)
{
    canvas.setWorldTransform(QTransform::fromScale(CanvasDpiX(canvas) / 254.0, -CanvasDpiY(canvas) / 254.0));
}

QRect LogicalQRect(const TRect& r)
{
    return QRect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::abs(r.Right - r.Left),
                 std::abs(r.Top - r.Bottom));
}

TRect LogicalToDevice(const QPainter& canvas, const TRect& r)
{
    const QRect d = canvas.worldTransform().mapRect(QRectF(LogicalQRect(r))).toRect();
    return {d.left(), d.top(), d.left() + d.width(), d.top() + d.height()};
}

TRect DeviceToLogical(const QPainter& canvas, const TRect& r)
{
    const QRectF d(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    const QRect l = canvas.worldTransform().inverted().mapRect(d).toRect();
    // Upward y: the logical rectangle's top is its larger y.
    return {l.left(), l.top() + l.height(), l.left() + l.width(), l.top()};
}

TDeviceUnits::TDeviceUnits(QPainter& canvas) : canvas_(canvas)
{
    canvas_.save();
    canvas_.resetTransform();
}

TDeviceUnits::~TDeviceUnits()
{
    canvas_.restore();
}

namespace {

// Local coordinates running down from (x, y) of the upward mapping.
void flipAt(QPainter& canvas, int x, int y)
{
    canvas.translate(x, y);
    canvas.scale(1, -1);
}

} // namespace

void DrawTextUpright(QPainter& canvas, const TRect& r, int flags, const QString& text)
{
    canvas.save();
    flipAt(canvas, r.Left, r.Top);
    canvas.drawText(QRect(0, 0, r.Right - r.Left, r.Top - r.Bottom), flags, text);
    canvas.restore();
}

void TextOutUpright(QPainter& canvas, int x, int y, const QString& text)
{
    canvas.save();
    flipAt(canvas, x, y);
    canvas.drawText(0, QFontMetrics(canvas.font()).ascent(), text);
    canvas.restore();
}

void StretchDIBToCanvas(QPainter& canvas, const TRect& r, const QImage& bitmap, QPainter::CompositionMode op)
{
    if (bitmap.isNull())
        return;
    canvas.save();
    flipAt(canvas, r.Left, r.Top);
    canvas.setCompositionMode(op);
    canvas.drawImage(QRect(0, 0, r.Right - r.Left, r.Top - r.Bottom), bitmap);
    canvas.restore();
}

int PrinterOrientationAngle(const platform::Printer* printer)
{
    return printer ? printer->OrientationAngle() : 0;
}

Qt::PenStyle QtPenStyle(TPenStyle style)
{
    static constexpr Qt::PenStyle styles[] = {Qt::SolidLine,      Qt::DashLine, Qt::DotLine,  Qt::DashDotLine,
                                              Qt::DashDotDotLine, Qt::NoPen,    Qt::SolidLine};
    return styles[std::clamp(int(style), 0, int(std::size(styles)) - 1)];
}

QFont PrintQFont(const TFont& font, int height)
{
    QFont q = toQFont(font);
    q.setPixelSize(std::max(1, std::abs(height)));
    return q;
}

// ---- the run's values ------------------------------------------------------------------------

TGridPrinter::TGridPrinter(TQvStringGrid& g) : grid(g) {}

int TGridPrinter::MapFontHeight(int pointsize) const
{
    return -int(std::trunc(pointsize * 254.0 / 72.0 * Fontscalefactor));
}

int TGridPrinter::MapFontSize(int height)
{
    return int(std::trunc(height * 72.0 / 254.0));
}

bool TGridPrinter::Drawing() const
{
    const int page = PageNr + 1;
    return (Mode == pmPreview || Mode == pmPrint) && page >= PrintPageFrom && page <= PrintPageTo;
}

namespace {

bool atTop(TPrintPosition p)
{
    return p == ppTopLeft || p == ppTopRight || p == ppTopCenter;
}

bool atBottom(TPrintPosition p)
{
    return p == ppBottomLeft || p == ppBottomRight || p == ppBottomCenter;
}

} // namespace

void TGridPrinter::PrepareRun(QPainter& canvas, TPrintMode mode, const TGridRect& range, int pageWidth, int pageBottom)
{
    const TPrintSettings& ps = grid.PrintSettings();
    Mode = mode;
    IsPrintPreview = mode == pmPreview || mode == pmCountPreview;
    PrintRect = range;
    PrintColStart = range.Left;
    PrintColEnd = range.Right;
    const std::size_t entries = std::size_t(std::max({grid.ColCount(), range.Right + 1, 0})) + 1;
    MaxWidths.assign(entries, 0);
    Indents.assign(entries, 0);
    const int screenDpi = grid.logicalDpiX();
    f = screenDpi > 0 ? 254.0 / screenDpi : 1.0;
    Fontscalefactor = 1.0;
    FitFactor = 1.0;
    ResetRowHeight();
    const auto textHeight = [&](const TFont& font) {
        return QFontMetrics(PrintQFont(font, MapFontHeight(font.Size)), canvas.device()).height();
    };
    HeaderTextHeight = textHeight(ps.HeaderFont());
    FooterTextHeight = textHeight(ps.FooterFont());
    PrintTextHeight = textHeight(ps.Font());
    gap = PrintTextHeight / 8;
    inset = QFontMetrics(PrintQFont(ps.Font(), MapFontHeight(ps.Font().Size)), canvas.device())
                .horizontalAdvance(QStringLiteral("g"))
            / 2;
    PageWidth = pageWidth;
    PageBottom = pageBottom;
    s = ps.UseFixedWidth() ? 0 : ps.ColumnSpacing() + 20;

    const int titleLines = int(ps.TitleLines().size());
    if (atTop(ps.Time()) || atTop(ps.Date()) || atTop(ps.PageNr()) || atTop(ps.Title())) {
        HeaderHeight = gap + HeaderTextHeight + ps.HeaderSize();
        if (atTop(ps.Title()) && titleLines > 0)
            HeaderHeight += (titleLines - 1) * HeaderTextHeight;
    } else {
        HeaderHeight = ps.HeaderSize();
    }
    if (atBottom(ps.Time()) || atBottom(ps.Date()) || atBottom(ps.PageNr()) || atBottom(ps.Title())) {
        FooterHeight = 2 * gap + 2 * FooterTextHeight + ps.FooterSize();
        if (atBottom(ps.Title()) && titleLines > 0)
            FooterHeight += (titleLines - 1) * FooterTextHeight;
    } else {
        FooterHeight = gap + FooterTextHeight + ps.FooterSize();
    }
}

} // namespace grid
