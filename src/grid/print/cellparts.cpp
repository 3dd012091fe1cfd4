// The parts of one printed cell: where its graphic goes, its text in each form (markup, rich
// text, wrapped, one line or rotated, several lines) and its graphic by kind (y up, 0.1 mm).
//
// Faces that carry their own small text or pixel-exact marks (check boxes, radio groups,
// pictures of the application's drawers) are drawn at screen size on a bitmap and stretched,
// so they print as they look on screen at any printer resolution. Progress bars and pies are
// drawn in device units, where the painter's y-down helpers apply unchanged.

#include "grid/QvGrid.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/GridMarkup.h"
#include "grid/paint/CellGraphics.h"
#include "grid/print/GridPrint.h"
#include "platform/Services.h"

#include <QFontMetrics>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace grid {

namespace {

int roundInt(double v)
{
    return int(std::lround(v));
}

bool isCheckKind(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox || t == ctRadioButton;
}

// A bitmap of the given screen size filled with the cell's brush colour.
QImage cellBitmap(int width, int height, const TBrush& brush)
{
    QImage img(std::max(1, width), std::max(1, height), QImage::Format_ARGB32_Premultiplied);
    img.fill(brush.Style == bsClear || brush.Color == clNone ? QColor(Qt::white) : platform::toQColor(brush.Color));
    return img;
}

// Paper: faces drawn at screen size on a bitmap of the cell's colour and stretched, so they
// print as they look on screen at any printer resolution; bars and pies in device units.
class TPaperGraphicDevice final : public TCellGraphicDevice {
public:
    explicit TPaperGraphicDevice(double pixel) : pixel(pixel) {}
    bool Paper() const override { return true; }
    double PixelSize() const override { return pixel; }
    TPoint ScreenSize(const TRect& r) const override
    {
        return {roundInt((r.Right - r.Left) / pixel), roundInt((r.Top - r.Bottom) / pixel)};
    }
    void Picture(QPainter& canvas, const TRect& place, const QImage& img, bool) const override
    {
        StretchDIBToCanvas(canvas, place, img);
    }
    void Face(const TCellGraphicJob& job, const TRect& target, TPoint size, const TFaceDraw& draw) const override
    {
        QImage img = cellBitmap(size.X, size.Y, job.Brush);
        {
            QPainter p(&img);
            draw(p, {0, 0, img.width(), img.height()});
        }
        StretchDIBToCanvas(job.Canvas, target, img);
    }
    void DevicePixels(QPainter& canvas, const TRect& r, const TFaceDraw& draw) const override
    {
        const TRect device = LogicalToDevice(canvas, r);
        TDeviceUnits units(canvas);
        draw(canvas, device);
    }

private:
    double pixel;
};

int alignFlags(TAlignment ha)
{
    return ha == taRightJustify ? Qt::AlignRight : ha == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
}

} // namespace

TRect TGridPrinter::placeGraphic(const TCellGraphic* g, int realCol, int ARow, const TRect& cell, TRect& text,
                                 const TPrintCellLook& look, bool noText)
{
    if (g->FCellType == ctRadio)
        return cell;
    TPoint size = grid.GetCellGraphicSize(realCol, ARow);
    if (isCheckKind(g->FCellType)) {
        const int S = grid.ControlLook().CheckSize();
        size = {std::max(size.X, S), std::max(size.Y, S)};
    }
    int w = roundInt(size.X * f), h = roundInt(size.Y * f);
    const int cellW = cell.Right - cell.Left, cellH = cell.Top - cell.Bottom;
    TCellHAlign ha = g->FCellHAlign;
    if (isCheckKind(g->FCellType) && noText)
        ha = look.HA == taRightJustify ? haRight : look.HA == taCenter ? haCenter : ha;
    int x = cell.Left;
    switch (ha) {
    case haLeft:
    case haBeforeText:
        x = cell.Left + roundInt(f);
        text.Left = x + w;
        break;
    case haRight:
    case haAfterText:
        x = cell.Right - w;
        text.Right = x;
        break;
    case haCenter:
        x = cell.Left + (cellW - w) / 2;
        break;
    case haFull:
        w = cellW;
        break;
    }
    int top = cell.Top;
    switch (g->FCellVAlign) {
    case vaTop:
        break;
    case vaBottom:
        top = cell.Bottom + h;
        break;
    case vaCenter:
        top = cell.Top - (cellH - h) / 2;
        break;
    case vaUnderText:
        top = cell.Bottom + h;
        text.Bottom = top;
        break;
    case vaAboveText:
        text.Top = cell.Top - h;
        break;
    case vaFull:
        h = cellH;
        break;
    }
    return {x, top, x + w, top - h};
}

void TGridPrinter::drawCellText(QPainter& canvas, const CellText& t, const TPrintCellLook& look, int realCol, int ARow,
                                const TRect& r, int pitch, bool merged)
{
    const TPrintSettings& ps = grid.PrintSettings();
    if (t.text.isEmpty())
        return;
    const int dpiX = CanvasDpiX(canvas), dpiY = CanvasDpiY(canvas);
    if (t.kind == ZirAzur::ctkMarkup) {
        TRect lr = r;
        lr.Right -= inset + roundInt(2 * f);
        lr.Bottom -= roundInt(gap * f);
        const TRect device = LogicalToDevice(canvas, lr);
        TDeviceUnits units(canvas);
        canvas.setFont(PrintQFont(look.Font, roundInt(MapFontHeight(look.Font.Size) * dpiY / 254.0)));
        canvas.setPen(platform::toQColor(look.Font.Color));
        canvas.setBrush(Qt::NoBrush);
        RizIVUDE::TMarkupRequest m = CellMarkupRequest(grid, realCol, ARow);
        m.Canvas = &canvas;
        m.Text = t.text;
        m.Rect = device;
        m.HitX = device.Left;
        m.HitY = device.Top;
        m.ForPrinter = true;
        m.ScaleFactor = dpiX * f / 254.0 * FitFactor;
        RizIVUDE::TMarkupResult result;
        RizIVUDE::PaintMarkup(m, result);
        return;
    }
    if (t.kind == ZirAzur::ctkRichText) {
        const TRect device = LogicalToDevice(canvas, r);
        TDeviceUnits units(canvas);
        grid.RenderRichCell(realCol, ARow, device, canvas);
        return;
    }
    const QFontMetrics fm(canvas.font());
    int angle = 0;
    const bool rotated = grid.IsRotated(realCol, ARow, angle);
    const int stripRight = StripRight();

    // Wrapped into the column.
    if (look.WW && ps.NoAutoSize() && !rotated) {
        TRect wr = r;
        wr.Left += roundInt(2 * f);
        if (stripRight > 0)
            wr.Right = std::min(wr.Right, stripRight);
        if (look.HA != taRightJustify)
            wr.Left += inset;
        if (look.HA != taLeftJustify)
            wr.Right -= inset;
        DrawTextUpright(canvas, wr, Qt::TextWordWrap | Qt::AlignTop | alignFlags(look.HA), t.text);
        return;
    }
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    const QStringList lines = t.text.split(breaks);
    const int lineStep = (fm.height() + ps.RowSpacing()) * 9 / 8 - ps.RowSpacing();

    if (lines.size() == 1) {
        TRect lr = r;
        lr.Bottom = (merged ? r.Bottom : r.Top - pitch) - ps.RowSpacing();
        if (rotated) {
            const double a = angle * std::numbers::pi / 180.0;
            const int tw = fm.horizontalAdvance(t.text), th = fm.height();
            // The vertical extents count downwards on this upward axis.
            const TPoint o = ZirAzur::PlaceRotatedText(
                lr, look.HA, look.VA, angle, -int(std::fabs(th * std::cos(a))), -int(std::fabs(tw * std::sin(a))),
                int(std::fabs(th * std::sin(a))), int(std::fabs(tw * std::cos(a))));
            // Drivers that turn landscape pages the other way than 270 degrees turn the text
            // with them; the driver fix turns it back.
            const bool turnBack =
                Mode == pmPrint && Printerdriverfix && PrinterOrientationAngle(grid.Services().printer) != 270;
            canvas.save();
            canvas.translate(o.X, o.Y);
            canvas.scale(1, -1);
            canvas.rotate(turnBack ? angle : -angle);
            canvas.drawText(0, fm.ascent(), t.text);
            canvas.restore();
            return;
        }
        if (grid.PaintSettings().EnhTextSize && ps.NoAutoSize()) {
            lr = {lr.Left + grid.XYOffset.X, lr.Top - grid.XYOffset.Y, lr.Right - grid.XYOffset.X, lr.Bottom};
            const QString shown = fm.elidedText(t.text, Qt::ElideRight, std::max(0, lr.Right - lr.Left));
            DrawTextUpright(canvas, lr, Qt::TextSingleLine | alignFlags(look.HA) | Qt::AlignTop, shown);
            return;
        }
        if (look.HA == taLeftJustify)
            lr.Left += inset;
        else if (look.HA == taRightJustify)
            lr.Right -= inset;
        lr.Top -= gap;
        const int v = look.VA == vtaBottom ? Qt::AlignBottom : look.VA == vtaCenter ? Qt::AlignVCenter : Qt::AlignTop;
        DrawTextUpright(canvas, lr, Qt::TextSingleLine | alignFlags(look.HA) | v, t.text);
        return;
    }

    // Several lines, one line step apart.
    const int total = lineStep * int(lines.size());
    const int offset = merged || look.VA == vtaTop ? 0 : look.VA == vtaCenter ? (pitch - total) / 2 : pitch - total;
    int ly = r.Top - offset;
    for (const QString& line : lines) {
        const int w = fm.horizontalAdvance(line);
        const int x = look.HA == taRightJustify ? r.Right - inset - w
                      : look.HA == taCenter     ? r.Left + (r.Right - r.Left - w) / 2
                                                : r.Left + inset;
        TextOutUpright(canvas, x, ly, line);
        ly -= lineStep;
    }
}

void TGridPrinter::paintCellGraphic(QPainter& canvas, TCellGraphic* g, const TRect& place, const TRect& cell,
                                    int realCol, int ARow, const TBrush& brush, const TFont& font)
{
    const TPaperGraphicDevice paper(f);
    TCellGraphicJob job{canvas, grid, *g, paper};
    job.Col = realCol;
    job.Row = ARow;
    job.Cell = cell;
    job.Inner = cell;
    job.Place = place;
    job.Brush = brush;
    job.Font = font;
    job.Live = false;
    // The paper's own places: a check box square in the place's height, a progress bar over the
    // cell's width.
    if (isCheckKind(g->FCellType) && g->FCellType != ctRadioButton)
        job.Place.Right = place.Left + (place.Top - place.Bottom);
    else if (g->FCellType == ctProgress)
        job.Place = {cell.Left, cell.Top - roundInt(2 * f), cell.Right, cell.Bottom + roundInt(4 * f)};
    PaintCellGraphic(job);
}

} // namespace grid
