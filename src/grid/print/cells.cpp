// Printed cells: the printed size of a cell, the column widths and row heights of a run, and
// one printed row with its borders, background, text and graphics (y up, 0.1 mm).

#include "grid/QvGrid.h"
#include "grid/edit/QvRichEdit.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/GridMarkup.h"
#include "grid/paint/CellGraphics.h"
#include "grid/print/GridPrint.h"

#include <QFontMetrics>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace grid {

namespace {

constexpr int Unlimited = 1 << 20;

QStringList textLines(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    return text.split(breaks);
}

// The sides each TPrintBorders value draws around every cell, in enumeration order.
constexpr TCellBorders BorderSides[] = {
    0,                                   // pbNoborder
    cbLeft | cbTop | cbRight | cbBottom, // pbSingle
    cbLeft | cbTop | cbRight | cbBottom, // pbDouble
    cbLeft | cbRight,                    // pbVertical
    cbTop | cbBottom,                    // pbHorizontal
    0,                                   // pbAround
    cbLeft | cbRight,                    // pbAroundVertical
    cbTop | cbBottom,                    // pbAroundHorizontal
    0,                                   // pbCustom
};

} // namespace

TPrintCellLook PrintCellLook(TQvStringGrid& grid, int realCol, int row)
{
    TPrintCellLook l;
    l.Font = grid.Font();
    l.Font.Size = grid.PrintSettings().Font().Size;
    l.Brush = {grid.Color(), bsSolid};
    TGridDrawState state = 0;
    TColor mirror = clNone, mirrorTo = clNone;
    TCellGradientDirection gd = GradientVertical;
    grid.GetVisualProperties(realCol, row, state, true, false, false, l.Brush, l.ColorTo, mirror, mirrorTo, l.Font,
                             l.HA, l.VA, l.WW, gd);
    grid.GetCellWordWrap(realCol, row, l.WW);
    return l;
}

namespace {

int roundInt(double v)
{
    return int(std::lround(v));
}

} // namespace

TGridPrinter::CellText TGridPrinter::cellText(int realCol, int ARow)
{
    CellText t;
    if (!grid.IsDataBoundGraphic(realCol, ARow))
        t.text = grid.GetFormattedCell(realCol, ARow);
    t.kind = ZirAzur::GetCellTextKind(t.text, grid.EnableHTML);
    if (t.kind == ZirAzur::ctkFormula)
        t.text = grid.GetFormulaCellText(realCol, ARow);
    return t;
}

// ---- measuring -------------------------------------------------------------------------------

TPoint TGridPrinter::MeasurePrintCell(QPainter& canvas, int ACol, int ARow)
{
    const TPrintSettings& ps = grid.PrintSettings();
    CellText t = cellText(ACol, ARow);
    const int displ = grid.DisplColIndex(ACol);
    TPoint size;
    if (t.kind == ZirAzur::ctkMarkup) {
        const TPrintCellLook look = PrintCellLook(grid, ACol, ARow);
        const int dpiX = CanvasDpiX(canvas), dpiY = CanvasDpiY(canvas);
        // The screen width is turned into device units; in screen pixels it would shrink the
        // text to a sliver on a printer.
        const int avail = ps.NoAutoSize() ? roundInt((grid.ColWidths(displ) + 12) * f * dpiX / 254.0) : Unlimited;
        TDeviceUnits device(canvas);
        canvas.setFont(PrintQFont(look.Font, roundInt(MapFontHeight(look.Font.Size) * dpiY / 254.0)));
        RizIVUDE::TMarkupRequest m = CellMarkupRequest(grid, ACol, ARow);
        m.Canvas = &canvas;
        m.Text = t.text;
        m.Rect = {0, 0, avail, Unlimited};
        m.MeasureOnly = true;
        m.ForPrinter = true;
        m.ScaleFactor = dpiX * f / 254.0;
        RizIVUDE::TMarkupResult result;
        RizIVUDE::PaintMarkup(m, result);
        size = {roundInt(result.MarkupWidth * 254.0 / dpiX), roundInt(result.MarkupHeight * 254.0 / dpiY - gap * f)};
    } else {
        if (t.kind == ZirAzur::ctkRichText) {
            TQvRichEdit* rich = grid.RichEdit();
            grid.CellToRich(ACol, ARow, rich);
            t.text = rich->PlainText();
        }
        const TPrintCellLook look = PrintCellLook(grid, ACol, ARow);
        const QFontMetrics fm(PrintQFont(look.Font, MapFontHeight(look.Font.Size)));
        int angle = 0;
        const bool rotated = grid.IsRotated(ACol, ARow, angle);
        TPoint graphic;
        if (ps.PrintGraphics() && grid.GetCellGraphic(ACol, ARow)) {
            const TPoint g = grid.GetCellGraphicSize(ACol, ARow);
            graphic = {roundInt(g.X * f), roundInt(g.Y * f)};
        }
        const QString text = t.text.isEmpty() ? QStringLiteral("gh") : t.text;
        const QStringList lines = textLines(text);
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, fm.horizontalAdvance(line));
        if (!look.WW || !ps.NoAutoSize() || rotated) {
            size = {widest + graphic.X, fm.height() * int(lines.size())};
        } else {
            const int width = grid.IsXMergedCell(ACol, ARow) ? Unlimited : std::max(1, MaxWidths[std::size_t(displ)]);
            const QRect r = fm.boundingRect(QRect(0, 0, width, Unlimited), Qt::TextWordWrap, text);
            size = {r.width(), r.height()};
        }
        if (rotated) {
            const double a = angle * std::numbers::pi / 180.0;
            const int w = size.X, h = size.Y;
            size = {roundInt(std::fabs(std::cos(a) * w) + std::fabs(std::sin(a) * h)),
                    roundInt(std::fabs(std::sin(a) * widest) + std::fabs(std::cos(a) * h))};
        }
        size = {std::max(size.X, graphic.X), std::max(size.Y, graphic.Y)};
    }
    if (grid.OnCustomCellSize)
        grid.OnCustomCellSize(&grid, canvas, ACol, ARow, size, true);
    return size;
}

void TGridPrinter::ComputePrintColumnWidths(QPainter& canvas)
{
    const TPrintSettings& ps = grid.PrintSettings();
    std::fill(MaxWidths.begin(), MaxWidths.end(), 0);
    const int last = PrintRect.Right;
    if (ps.NoAutoSize()) {
        for (int c = PrintRect.Left; c <= last; ++c)
            MaxWidths[std::size_t(c)] = roundInt(grid.ColWidths(c) * f);
        return;
    }
    for (int row = 0; row < grid.RowCount(); ++row) {
        const bool inRange = row >= PrintRect.Top && row <= PrintRect.Bottom;
        if (!inRange && !(ps.RepeatFixedRows() && row < grid.FixedRows()))
            continue;
        for (int c = PrintRect.Left; c <= last; ++c) {
            const int real = grid.RealColIndex(c);
            if (grid.IsXMergedCell(real, row))
                continue;
            const int w = ps.UseFixedWidth() ? ps.FixedWidth() : MeasurePrintCell(canvas, real, row).X;
            MaxWidths[std::size_t(c)] = std::max(MaxWidths[std::size_t(c)], w);
        }
    }
}

int TGridPrinter::PrintRowHeight(QPainter& canvas, int ARow)
{
    const TPrintSettings& ps = grid.PrintSettings();
    if (ps.NoAutoSizeRow())
        return roundInt(grid.RowHeights(ARow) * f) - 4;
    if (ps.UseFixedHeight())
        return ps.FixedHeight();
    if (ARow == lastHeightRow)
        return lastHeight;
    const double kept = Fontscalefactor;
    Fontscalefactor = FitFactor;
    int h = 0, lastMeasured = 0;
    bool any = false;
    for (int c = PrintRect.Left; c <= PrintRect.Right; ++c) {
        const int real = grid.RealColIndex(c);
        lastMeasured = MeasurePrintCell(canvas, real, ARow).Y;
        if (grid.IsYMergedCell(real, ARow))
            continue;
        h = std::max(h, lastMeasured);
        any = true;
    }
    Fontscalefactor = kept;
    if (!any)
        h = lastMeasured;
    h += h / 8;
    if (grid.OnPrintSetRowHeight)
        grid.OnPrintSetRowHeight(&grid, ARow, h);
    lastHeightRow = ARow;
    lastHeight = h;
    return h;
}

int TGridPrinter::rowPitch(QPainter& canvas, int ARow)
{
    return 2 * gap + PrintRowHeight(canvas, ARow) + grid.PrintSettings().RowSpacing();
}

// ---- printing a row --------------------------------------------------------------------------

int TGridPrinter::PrintCellRow(QPainter& canvas, int y, int firstCol, int lastCol, int ARow)
{
    const int pitch = rowPitch(canvas, ARow);
    if (!Drawing())
        return pitch;
    Fontscalefactor = FitFactor;
    bool first = true;
    for (int c = firstCol; c <= lastCol; ++c) {
        // A column the selected-only filter leaves out has no width on the strip (repeated fixed
        // columns keep theirs).
        if (c >= PrintColStart && !ColPrinted(c))
            continue;
        printCell(canvas, y, pitch, c, first, ARow);
        first = false;
    }
    Fontscalefactor = 1.0;
    return pitch;
}

void TGridPrinter::printCell(QPainter& canvas, int y, int pitch, int c, bool firstPrinted, int ARow)
{
    const TPrintSettings& ps = grid.PrintSettings();
    const int real = grid.RealColIndex(c);
    const TPoint span = grid.CellSpan(real, ARow);
    const bool base = !grid.IsMergedNonBaseCell(real, ARow);
    const int spanX = base ? span.X : 0, spanY = base ? span.Y : 0;

    // 1. The rectangle.
    int width = 0;
    // A merge reaching past the printed range counts only the columns that have a width.
    for (int k = c; k <= std::min(c + spanX, int(MaxWidths.size()) - 1); ++k)
        width += MaxWidths[std::size_t(k)] + s;
    const auto mergedRow = [&](int r) {
        const int q = int(std::trunc((grid.RowHeights(r) - 4) * f));
        return q + q / 8 + 2 * gap + ps.RowSpacing();
    };
    int height = ps.NoAutoSizeRow() && spanY > 0 ? mergedRow(ARow) : pitch;
    for (int r = ARow + 1; r <= ARow + spanY; ++r)
        height += mergedRow(r);
    TRect cell{Indents[std::size_t(c)], y, Indents[std::size_t(c)] + width, y - height};

    // 2. Border sides and pen.
    TCellBorders sides = BorderSides[std::clamp(int(ps.Borders()), 0, int(std::size(BorderSides)) - 1)];
    TPen pen{ps.BorderColor(), 1, ps.BorderStyle()};
    grid.GetCellPrintBorder(real, ARow, pen, sides);

    // 3. The base cell's content.
    if (base) {
        const TPrintCellLook look = PrintCellLook(grid, real, ARow);
        const CellText t = cellText(real, ARow);

        // Background: 64 bands from colour-to at the bottom up to the brush colour.
        TRect bg = cell;
        if (!(sides & cbLeft))
            bg.Left += 2 * pen.Width;
        if (!(sides & cbTop))
            bg.Top -= 2 * pen.Width;
        if (look.Brush.Style != bsClear && look.Brush.Color != clNone)
            ZirAzur::DrawStepGradient(canvas, look.ColorTo == clNone ? look.Brush.Color : look.ColorTo,
                                      look.Brush.Color, false, bg, 64);

        canvas.save();
        canvas.setFont(PrintQFont(look.Font, MapFontHeight(look.Font.Size)));
        canvas.setPen(platform::toQColor(look.Font.Color));
        canvas.setBrush(Qt::NoBrush);
        TRect text = cell;
        TCellGraphic* g = ps.PrintGraphics() ? grid.GetCellGraphic(real, ARow) : nullptr;
        TRect place;
        if (g)
            place = placeGraphic(g, real, ARow, cell, text, look, t.text.isEmpty());
        if (!(g && g->FCellType == ctRadio))
            drawCellText(canvas, t, look, real, ARow, text, pitch, spanX > 0 || spanY > 0);
        if (g)
            paintCellGraphic(canvas, g, place, cell, real, ARow, look.Brush, look.Font);
        canvas.restore();

        // 9. The application's own drawing, in device units.
        if (grid.OnCustomCellDraw) {
            const TRect device = LogicalToDevice(canvas, cell);
            TDeviceUnits units(canvas);
            TFont font = look.Font;
            font.Size = ps.Font().Size;
            canvas.setFont(toQFont(font));
            grid.OnCustomCellDraw(&grid, canvas, real, ARow, 0, device, true);
        }
    }

    // 4. Borders.
    if (!base) {
        if (span.X > 0)
            sides &= ~(cbLeft | cbRight);
        if (span.Y > 0)
            sides &= ~(cbTop | cbBottom);
    } else {
        if (grid.IsYMergedCell(real, ARow) && span.Y == 0)
            sides &= ~cbTop;
        if (grid.IsXMergedCell(real, ARow) && span.X == 0)
            sides &= ~cbLeft;
    }
    const double penWidth = Mode == pmPreview ? pen.Width : pen.Width * f;
    if (cell.Bottom < PageBottom + ps.FooterSize()) {
        cell.Bottom = y - pitch;
        sides &= ~cbBottom;
    }
    const int stripRight = StripRight();
    if (stripRight > 0)
        cell.Right = std::min(cell.Right, stripRight);
    if (!sides || pen.Style == psClear || pen.Color == clNone)
        return;
    canvas.save();
    QPen qpen(platform::toQColor(pen.Color), penWidth);
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setStyle(QtPenStyle(pen.Style));
    canvas.setPen(qpen);
    const double leftX = firstPrinted ? cell.Left : cell.Left - penWidth;
    if (sides & cbLeft)
        canvas.drawLine(QPointF(leftX, cell.Top), QPointF(leftX, cell.Bottom));
    if (sides & cbRight)
        canvas.drawLine(QPointF(cell.Right, cell.Top), QPointF(cell.Right, cell.Bottom));
    if (sides & cbTop)
        canvas.drawLine(QPointF(cell.Left, cell.Top), QPointF(cell.Right, cell.Top));
    if (sides & cbBottom)
        canvas.drawLine(QPointF(cell.Left, cell.Bottom), QPointF(cell.Right, cell.Bottom));
    canvas.restore();
}

} // namespace grid
