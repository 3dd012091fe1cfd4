// A page's header and footer lines (time, date, page number, title), the page number text and
// the frame around a page (y up, 0.1 mm).

#include "grid/QvGrid.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/GridMarkup.h"
#include "grid/print/GridPrint.h"
#include "platform/Services.h"

#include <QDateTime>
#include <QFontMetrics>

#include <algorithm>
#include <array>
#include <cmath>

namespace grid {

namespace {

bool leftSlot(TPrintPosition p)
{
    return p == ppTopLeft || p == ppBottomLeft;
}

bool topSlot(TPrintPosition p)
{
    return p == ppTopLeft || p == ppTopRight || p == ppTopCenter;
}

QString joinWithBlank(const QString& a, const QString& b)
{
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    return a + QLatin1Char(' ') + b;
}

// The date format's letters as the run-time library reads them ("mm" is the month, "nn" the
// minutes) in Qt's letters.
QString qtDateFormat(const QString& format)
{
    QString out = format;
    out.replace(QLatin1Char('m'), QLatin1Char('M'));
    out.replace(QLatin1Char('n'), QLatin1Char('m'));
    return out;
}

} // namespace

QString TGridPrinter::PrintPageNumberText()
{
    const TPrintSettings& ps = grid.PrintSettings();
    QString text;
    if (StripCount > 1) {
        text = QString::number(PageInStrip) + QLatin1Char('-') + QString::number(StripNr);
    } else {
        text = QString::number(PageNr + ps.PageNumberOffset() + 1);
        if (!ps.PageNumSep().isEmpty() && PrintPageNum > 1)
            text += ps.PageNumSep() + QString::number(PrintPageNum + ps.MaxPagesOffset());
    }
    if (grid.OnPrintGetPageNum)
        grid.OnPrintGetPageNum(&grid, PageNr + 1, StripNr, text);
    return text;
}

int TGridPrinter::drawMarkupTitle(QPainter& canvas, const QString& text, const TFont& font, const TRect& r,
                                  bool measureOnly)
{
    const int dpiX = CanvasDpiX(canvas), dpiY = CanvasDpiY(canvas);
    const TRect device = LogicalToDevice(canvas, r);
    TDeviceUnits units(canvas);
    canvas.setFont(PrintQFont(font, int(std::lround(MapFontHeight(font.Size) * dpiY / 254.0))));
    canvas.setPen(platform::toQColor(font.Color));
    canvas.setBrush(Qt::NoBrush);
    RizIVUDE::TMarkupRequest m;
    m.Canvas = &canvas;
    m.Text = text;
    m.Rect = device;
    m.HitX = device.Left;
    m.HitY = device.Top;
    m.ForPrinter = true;
    m.MeasureOnly = measureOnly;
    m.ScaleFactor = dpiX * f / 254.0;
    m.PictureCache = &grid.ImageCache();
    m.Pictures = grid.PictureContainer;
    m.Images = grid.GridImages;
    RizIVUDE::TMarkupResult result;
    RizIVUDE::PaintMarkup(m, result);
    // The layout moves the rows down by this much: in 0.1 mm like everything on the page, so the
    // title neither overlaps the first row nor leaves a gap.
    return int(std::lround(result.MarkupHeight * 254.0 / dpiY));
}

QString TGridPrinter::MarkupTitle() const
{
    const TPrintSettings& ps = grid.PrintSettings();
    if (ps.Title() == ppNone || !ps.TitleText().isEmpty() || ps.TitleLines().isEmpty())
        return {};
    const QString whole = ps.TitleLines().join(QStringLiteral("\r\n"));
    return ZirAzur::GetCellTextKind(whole, true) == ZirAzur::ctkMarkup ? whole : QString();
}

TGridPrinter::THeaderFooterItems TGridPrinter::HeaderFooterItems()
{
    const TPrintSettings& ps = grid.PrintSettings();
    THeaderFooterItems items;
    const auto add = [&](TPrintPosition p, const QString& item) {
        if (p == ppNone)
            return;
        QString& slot = items.Slots[std::size_t(p)];
        slot = leftSlot(p) ? item + QLatin1Char(' ') + slot : slot + QLatin1Char(' ') + item;
    };
    const QDateTime now = platform::now(grid.Services());
    add(ps.Time(), now.toString(QStringLiteral("hh:mm")));
    add(ps.Date(), now.date().toString(qtDateFormat(ps.DateFormat())));
    add(ps.PageNr(), ps.PagePrefix() + QLatin1Char(' ') + PrintPageNumberText() + QLatin1Char(' ') + ps.PageSuffix());
    if (ps.Title() == ppNone)
        return items;
    if (!ps.TitleText().isEmpty()) {
        add(ps.Title(), ps.TitleText());
    } else if (!ps.TitleLines().isEmpty()) {
        items.MarkupTitle = MarkupTitle();
        if (items.MarkupTitle.isEmpty()) {
            QString& slot = items.Slots[std::size_t(ps.Title())];
            slot = joinWithBlank(slot, ps.TitleLines().first());
            items.MoreTitleLines = ps.TitleLines().mid(1);
        }
    }
    return items;
}

int TGridPrinter::HeaderFooterX(TPrintPosition position, int textWidth) const
{
    const TPrintSettings& ps = grid.PrintSettings();
    if (leftSlot(position))
        return ps.LeftSize();
    if (position == ppTopRight || position == ppBottomRight)
        return PageWidth - textWidth - ps.RightSize() - 20;
    return (PageWidth - textWidth) / 2;
}

int TGridPrinter::PrintHeaderFooter(QPainter& canvas)
{
    const TPrintSettings& ps = grid.PrintSettings();
    const TRect titleArea{ps.LeftSize(), -ps.HeaderSize(), PageWidth, PageBottom};
    // Measured on the pages that are not drawn too, so that page breaks (and with them the
    // preview and the printout) do not depend on the pages drawn.
    if (!Drawing()) {
        const QString title = topSlot(ps.Title()) ? MarkupTitle() : QString();
        return title.isEmpty() ? 0 : drawMarkupTitle(canvas, title, ps.HeaderFont(), titleArea, true);
    }
    const THeaderFooterItems items = HeaderFooterItems();
    const auto& slotTexts = items.Slots;
    const QString& markupTitle = items.MarkupTitle;
    const QStringList& moreTitleLines = items.MoreTitleLines;

    canvas.save();
    const auto drawSlots = [&](bool top, const TFont& font, int y, int lineHeight) {
        canvas.setFont(PrintQFont(font, MapFontHeight(font.Size)));
        canvas.setPen(platform::toQColor(font.Color));
        const QFontMetrics fm(canvas.font());
        for (int p = ppTopLeft; p <= ppBottomCenter; ++p) {
            const auto pos = TPrintPosition(p);
            if (topSlot(pos) != top || slotTexts[std::size_t(p)].isEmpty())
                continue;
            TextOutUpright(canvas, HeaderFooterX(pos, fm.horizontalAdvance(slotTexts[std::size_t(p)])), y,
                           slotTexts[std::size_t(p)]);
        }
        if (topSlot(ps.Title()) == top) {
            int ly = y;
            for (const QString& line : moreTitleLines) {
                ly -= lineHeight;
                TextOutUpright(canvas, HeaderFooterX(ps.Title(), fm.horizontalAdvance(line)), ly, line);
            }
        }
    };
    drawSlots(true, ps.HeaderFont(), -ps.HeaderSize(), HeaderTextHeight);
    drawSlots(false, ps.FooterFont(), PageBottom + FooterTextHeight + gap + ps.FooterSize(), FooterTextHeight);
    canvas.restore();

    if (markupTitle.isEmpty())
        return 0;
    if (topSlot(ps.Title())) {
        const int height = drawMarkupTitle(canvas, markupTitle, ps.HeaderFont(), titleArea, true);
        drawMarkupTitle(canvas, markupTitle, ps.HeaderFont(),
                        {titleArea.Left, titleArea.Top, titleArea.Right, titleArea.Top - height}, false);
        return height;
    }
    drawMarkupTitle(canvas, markupTitle, ps.FooterFont(),
                    {ps.LeftSize(), PageBottom + ps.FooterSize(), PageWidth, PageBottom}, false);
    return 0;
}

void TGridPrinter::DrawPageFrame(QPainter& canvas, int firstCol, int lastCol, int y)
{
    if (!Drawing())
        return;
    const TPrintSettings& ps = grid.PrintSettings();
    const TPrintBorders b = ps.Borders();
    const int x0 = Indents[std::size_t(RepeatFixedColsNow ? 0 : firstCol)];
    const int x1 = Indents[std::size_t(lastCol + 1)];
    const int y0 = -HeaderHeight - ps.TitleSpacing();
    const int y1 = y + gap / 2;
    canvas.save();
    QPen pen(Qt::black, b == pbDouble ? 10 : 2);
    pen.setStyle(QtPenStyle(ps.BorderStyle()));
    canvas.setPen(pen);
    canvas.setBrush(Qt::NoBrush);
    if (b == pbAround || b == pbAroundVertical || b == pbAroundHorizontal)
        canvas.drawPolygon(QPolygon({QPoint(x0, y0), QPoint(x1, y0), QPoint(x1, y1), QPoint(x0, y1)}));
    if (b == pbDouble || b == pbHorizontal || b == pbAroundHorizontal)
        canvas.drawLine(x0, y1, x1, y1);
    if ((b == pbDouble || b == pbVertical || b == pbAroundVertical) && RepeatFixedColsNow)
        for (int k = 0; k < grid.FixedCols(); ++k)
            canvas.drawLine(Indents[std::size_t(k)], y0, Indents[std::size_t(k)], y1);
    canvas.restore();
}

} // namespace grid
