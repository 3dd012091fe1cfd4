// One painter per cell graphic kind, and the table that picks it by the graphic's type. The
// screen painter and the printed cell both come here (paint/CellGraphics.h); what differs
// between the two devices is asked of the job's device.

#include "grid/QvGrid.h"
#include "grid/look/QvXPVS.h"
#include "grid/look/ZirAzur.h"
#include "grid/look/ZirAzur/canvas.h"
#include "grid/paint/CellGraphics.h"
#include "grid/paint/GridPaint.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace grid {

using namespace ZirAzur::canvas;

double CellGraphicNumber(const QString& text)
{
    bool ok = false;
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    const double v = t.toDouble(&ok);
    return ok ? v : 0.0;
}

namespace {

double graphicCellNumber(const TCellGraphicJob& j)
{
    return CellGraphicNumber(j.Grid.Cells(j.Col, j.Row));
}

// ---- pictures ------------------------------------------------------------------------------

void paintPictureKind(TCellGraphicJob& j)
{
    const TCellGraphic& g = j.Graphic;
    const TObject* source = g.FCellType == ctIcon && g.FCellIcon ? g.FCellIcon : g.FCellBitmap;
    const auto* bmp = dynamic_cast<const TBitmap*>(source);
    if (!bmp || bmp->Empty())
        return;
    j.Device.Picture(j.Canvas, j.Place, bmp->Image, g.FCellType == ctPicture && g.FCellAngle != 0);
}

void paintImageListKind(TCellGraphicJob& j)
{
    const TCustomImageList* images = j.Grid.GetCellImageList(j.Col, j.Row);
    if (!images)
        return;
    // A data image's number picks the image, counted from the graphic's base index.
    const int index =
        j.Graphic.FCellType == ctDataImage ? int(graphicCellNumber(j)) + j.Graphic.FCellIndex : j.Graphic.FCellIndex;
    j.Device.Face(j, j.Place, {images->Width(), images->Height()},
                  [&](QPainter& p, const TRect& r) { images->Draw(p, r.Left, r.Top, index); });
}

void paintImagesKind(TCellGraphicJob& j)
{
    const TCustomImageList* images = j.Grid.GetCellImageList(j.Col, j.Row);
    const auto* list = dynamic_cast<const TIntList*>(j.Graphic.FCellBitmap);
    if (!images || !list || list->Count() == 0)
        return;
    const bool across = j.Graphic.FCellBoolean;
    const int n = list->Count(), w = images->Width(), h = images->Height();
    j.Device.Face(j, j.Place, {w * (across ? n : 1), h * (across ? 1 : n)}, [&](QPainter& p, const TRect& r) {
        for (int i = 0; i < n; ++i)
            images->Draw(p, r.Left + (across ? i * w : 0), r.Top + (across ? 0 : i * h), list->GetInteger(i));
    });
}

void paintFilePictureKind(TCellGraphicJob& j)
{
    if (const auto* picture = dynamic_cast<const TFilePicture*>(j.Graphic.FCellBitmap))
        j.Device.Face(j, j.Place, {picture->Width(), picture->Height()},
                      [&](QPainter& p, const TRect& r) { picture->DrawPicture(p, r); });
}

void paintInterfaceKind(TCellGraphicJob& j)
{
    auto* drawer = dynamic_cast<IGridCellDrawer*>(j.Graphic.FCellBitmap);
    if (!drawer)
        return;
    const TPoint cell = j.Device.ScreenSize(j.Cell);
    const TPoint size{drawer->GetWidth() > 0 ? drawer->GetWidth() : cell.X,
                      drawer->GetHeight() > 0 ? drawer->GetHeight() : cell.Y};
    j.Device.Face(j, j.Place, size, [&](QPainter& p, const TRect& r) {
        drawer->Draw(p, r, j.Col, j.Row, j.State & gdSelected, &j.Grid);
    });
}

// ---- check boxes and radio buttons ---------------------------------------------------------

void paintCheckKind(TCellGraphicJob& j)
{
    const TCellGraphic& g = j.Graphic;
    const TCellType kind = g.FCellType;
    const auto& cl = j.Grid.ControlLook();
    // Paper shows the flat or the classic face of a check box.
    const TControlStyle style = j.Live || cl.ControlStyle() == csFlat ? cl.ControlStyle() : csClassic;
    bool checked = g.FCellBoolean;
    if (kind == ctDataCheckBox || kind == ctVirtCheckBox) {
        QString checkTrue = j.Grid.CheckTrue;
        j.Grid.GetCheckTrue(j.Col, j.Row, checkTrue);
        checked = j.Grid.Cells(j.Col, j.Row) == checkTrue;
    }
    const int S = cl.CheckSize();
    j.Device.Face(j, j.Place, {S, S}, [&](QPainter& p, const TRect& r) {
        if (kind == ctTriStateCheckBox) {
            DrawCheckBox(p, j.Grid, r, false, g.FCellCheckBoxState, true, style, g.FCellAngle > 0, j.Enabled);
        } else if (kind == ctRadioButton) {
            const TRect button{r.Left + j.Grid.XYOffset.X, r.Top, r.Left + j.Grid.XYOffset.X + cl.RadioSize(),
                               r.Top + cl.RadioSize()};
            DrawRadioGroup(p, j.Grid, button, false, 1.0, style, j.Row, j.Col, false, {}, !j.Enabled, false,
                           g.FCellBoolean ? 0 : -2, 1);
        } else {
            // A plain check box keeps its balloon flag in FCellAngle: only the row check box
            // of the header row means "some rows" by it.
            DrawCheckBox(p, j.Grid, r, checked, cbUnchecked, false, style,
                         j.Live && kind == ctRowCheckBox && g.FCellAngle > 0, j.Enabled);
        }
    });
}

void paintRadioKind(TCellGraphicJob& j)
{
    QStringList options;
    if (const auto* list = dynamic_cast<const TStringList*>(j.Graphic.FCellBitmap))
        options = list->Strings;
    j.Device.Face(j, j.Inner, j.Device.ScreenSize(j.Inner), [&](QPainter& p, const TRect& r) {
        if (j.Device.Paper()) {
            p.setFont(toQFont(j.Font));
            p.setPen(platform::toQColor(j.Font.Color));
        }
        DrawRadioGroup(p, j.Grid, r, false, 1.0, j.Grid.ControlLook().ControlStyle(), j.Row, j.Col,
                       j.State & gdSelected, options, !j.Enabled, j.Graphic.FCellBoolean, j.Graphic.FCellIndex,
                       int(options.size()));
    });
}

// ---- values drawn as bars, pies, stars and shapes --------------------------------------------

bool paintThemedProgress(TCellGraphicJob& j, double value)
{
    const auto& cl = j.Grid.ControlLook();
    if (!((cl.ControlStyle() == csWinXP || cl.ControlStyle() == csTheme) && IsThemeActive() && cl.ProgressXP()))
        return false;
    const TRect& r = j.Inner;
    TRect b{r.Left + cl.ProgressMarginX(), r.Top + cl.ProgressMarginY(), r.Right - cl.ProgressMarginX(),
            r.Bottom - cl.ProgressMarginY()};
    if (!DrawThemedPart(GridThemeApi, j.Grid.viewport(), QStringLiteral("Progress"), j.Canvas, platform::theme::PP_BAR,
                        1, b.toQRect()))
        return false;
    b = {b.Left + 2, b.Top + 2, b.Right - 2, b.Bottom - 2};
    const int v = std::clamp(int(value), 0, 100);
    DrawThemedPart(GridThemeApi, j.Grid.viewport(), QStringLiteral("Progress"), j.Canvas, platform::theme::PP_CHUNK, 1,
                   QRect(b.Left, b.Top, b.Width() * v / 100, b.Height()));
    return true;
}

void paintProgressKind(TCellGraphicJob& j)
{
    const TCellGraphic& g = j.Graphic;
    const double value = graphicCellNumber(j);
    if (!j.Device.Paper() && paintThemedProgress(j, value))
        return;
    const auto& cl = j.Grid.ControlLook();
    const TColor barColor = g.FCellBitmapColor, backColor = g.FCellIconColor;
    const TColor t1 = g.FCellBoolean ? TColor(g.FCellIndex) : (barColor ^ 0xFFFFFF);
    const TColor t2 = g.FCellBoolean ? TColor(g.FCellAngle) : (backColor ^ 0xFFFFFF);
    // On paper the placement gives the bar its whole place, without the screen's margins.
    const int marginY = j.Device.Paper() ? 0 : cl.ProgressMarginY();
    const int marginX = j.Device.Paper() ? 0 : cl.ProgressMarginX();
    j.Device.DevicePixels(j.Canvas, j.Place, [&](QPainter& p, const TRect& b) {
        ZirAzur::PaintClassicProgress(p, b, barColor, false, cl.ProgressBorderColor(), g.FCellText, g.FCellErrLen,
                                      g.FCellErrFrom, marginY, marginX, value, t1, backColor, t2, j.Font);
    });
}

void paintProgressPieKind(TCellGraphicJob& j)
{
    j.Device.DevicePixels(j.Canvas, j.Place, [&](QPainter& p, const TRect& b) {
        ZirAzur::DrawPieProgress(p, b, j.Graphic.FCellBitmapColor, false, j.Graphic.FCellAngle);
    });
}

void paintRangeIndicatorKind(TCellGraphicJob& j)
{
    const auto& cl = j.Grid.ControlLook();
    const TRect& r = j.Inner;
    const TRect b{r.Left + cl.ProgressMarginX(), r.Top + cl.ProgressMarginY(), r.Right - cl.ProgressMarginX(),
                  r.Bottom - cl.ProgressMarginY()};
    ZirAzur::DrawBalanceBar(j.Canvas, b, int(graphicCellNumber(j)), j.Graphic.FCellIndex, j.Graphic.FCellIconColor,
                            j.Graphic.FCellBitmapColor, j.Graphic.FCellBoolean);
}

TProgressLook progressLookOf(const TGridProgressAppearance& pa, const TFont& font, TColor background)
{
    TProgressLook look;
    look.Level0Color = pa.Level0Color(), look.Level0ColorTo = pa.Level0ColorTo();
    look.Level1Color = pa.Level1Color(), look.Level1ColorTo = pa.Level1ColorTo();
    look.Level2Color = pa.Level2Color(), look.Level2ColorTo = pa.Level2ColorTo();
    look.Level3Color = pa.Level3Color(), look.Level3ColorTo = pa.Level3ColorTo();
    look.Level1Perc = pa.Level1Perc(), look.Level2Perc = pa.Level2Perc();
    look.BorderColor = pa.BorderColor(), look.ShowBorder = pa.ShowBorder(), look.Stacked = pa.Stacked();
    look.ShowPercentage = pa.ShowPercentage(), look.CompletionSmooth = pa.CompletionSmooth();
    look.ShowGradient = pa.ShowGradient(), look.Steps = pa.Steps();
    look.CompleteFontColor = pa.CompleteFontColor();
    look.Font = font;
    look.BackgroundColor = pa.UnCompleteColor() != clNone ? pa.UnCompleteColor() : background;
    return look;
}

void paintXPProgressKind(TCellGraphicJob& j)
{
    const TCellGraphic& g = j.Graphic;
    const auto& cl = j.Grid.ControlLook();
    const TProgressLook look = progressLookOf(j.Grid.ProgressAppearance(), j.Grid.Font(), j.Brush.Color);
    const int v = int(graphicCellNumber(j));
    const int range = g.FCellErrLen - g.FCellErrFrom;
    // An empty range shows an empty bar instead of dividing by zero.
    const int percent = range != 0 ? int(std::lround(std::abs(v - g.FCellErrFrom) * 100.0 / range)) : 0;
    const TRect& r = j.Inner;
    ZirAzur::PaintProgressCell(j.Canvas,
                               {r.Left + cl.ProgressMarginX(), r.Top + cl.ProgressMarginY(),
                                r.Right - cl.ProgressMarginX() - 1, r.Bottom - cl.ProgressMarginY() - 1},
                               percent, look);
}

void paintShapeKind(TCellGraphicJob& j)
{
    // A shape keeps its fill colour in FCellIndex (where SetShapeColor writes it) and its line
    // colour in FCellBitmapColor.
    const TRect& place = j.Place;
    ZirAzur::PaintCellShape(j.Canvas, place.Left, place.Top, place.Width() - 1, place.Height() - 1,
                            TCellShape(j.Graphic.FCellAngle), TColor(j.Graphic.FCellIndex), j.Graphic.FCellBitmapColor);
}

void paintRatingKind(TCellGraphicJob& j)
{
    const TCellGraphic& g = j.Graphic;
    const double value = std::trunc(graphicCellNumber(j) * 2) / 2;
    for (int i = 1; i <= g.FCellAngle; ++i) {
        const int sx = j.Place.Left + (i - 1) * 18;
        ZirAzur::PaintCellShape(j.Canvas, sx, j.Place.Top, 16, 16, csStar,
                                i > value ? g.FCellBitmapColor : TColor(g.FCellIndex), TColor(g.FCellIndex));
        if (i - 1 < value && i > value)
            ZirAzur::PaintCellShape(j.Canvas, sx, j.Place.Top, 16, 16, csHalfStar, TColor(g.FCellIndex),
                                    TColor(g.FCellIndex));
    }
}

// ---- text, comment, node -------------------------------------------------------------------

void paintRotatedKind(TCellGraphicJob& j)
{
    QPainter& canvas = j.Canvas;
    const TRect& r = j.Inner;
    const int angle = j.Graphic.FCellAngle;
    const QString text = j.Grid.Cells(j.Col, j.Row);
    const QFontMetrics fm(canvas.font());
    const int tw = fm.horizontalAdvance(text), thh = fm.height();
    const double a = angle * 3.14159265358979323846 / 180.0;
    const TRect shrunk{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
    const TPoint o = ZirAzur::PlaceRotatedText(shrunk, j.HA, j.VA, angle, int(std::fabs(thh * std::cos(a))),
                                               int(std::fabs(tw * std::sin(a))), int(std::fabs(thh * std::sin(a))),
                                               int(std::fabs(tw * std::cos(a))));
    canvas.save();
    canvas.setClipRect(shrunk.toQRect(), Qt::IntersectClip);
    canvas.translate(o.X, o.Y);
    canvas.rotate(-angle);
    canvas.drawText(0, fm.ascent(), text);
    canvas.restore();
    TGridPainter& painter = j.Grid.Painter();
    if (painter.isSortHeaderCell(j.Col, j.Row))
        painter.DrawSortIndicator(canvas, j.Col, r.Top + 8, r.Right - 10);
}

void paintCommentKind(TCellGraphicJob& j)
{
    const auto& cl = j.Grid.ControlLook();
    if (cl.CommentColor() == clNone)
        return;
    const TColor col = j.Graphic.FCellAngle != int(clNone) ? TColor(j.Graphic.FCellIndex) : cl.CommentColor();
    const TRect& cell = j.Cell;
    j.Canvas.save();
    j.Canvas.setRenderHint(QPainter::Antialiasing, false);
    j.Canvas.setPen(platform::toQColor(col));
    j.Canvas.setBrush(platform::toQColor(col));
    j.Canvas.drawPolygon(QPolygon(
        {QPoint(cell.Right - 7, cell.Top), QPoint(cell.Right - 2, cell.Top), QPoint(cell.Right - 2, cell.Top + 5)}));
    j.Canvas.restore();
}

// Paper shows a node as a box with its minus or plus, drawn in the page's units.
void paintNodeOnPaper(TCellGraphicJob& j)
{
    const TRect& place = j.Place;
    const int cx = (place.Left + place.Right) / 2, cy = (place.Top + place.Bottom) / 2;
    const QColor color = platform::toQColor(j.Grid.CellNode().NodeColor());
    j.Canvas.save();
    j.Canvas.setPen(QPen(color, j.Device.PixelSize()));
    j.Canvas.setBrush(Qt::NoBrush);
    j.Canvas.drawRect(QRectF(cx - 10, cy - 10, 20, 20));
    j.Canvas.drawLine(QPointF(cx - 6, cy), QPointF(cx + 6, cy));
    if (j.Grid.GetNodeState(j.Row)) // collapsed
        j.Canvas.drawLine(QPointF(cx, cy - 6), QPointF(cx, cy + 6));
    j.Canvas.restore();
}

void paintNodeKind(TCellGraphicJob& j)
{
    if (j.Device.Paper())
        paintNodeOnPaper(j);
    else
        j.Grid.Painter().PaintNodeGlyph(j);
}

void paintButtonKind(TCellGraphicJob& j)
{
    j.Grid.Painter().PaintButtonGraphic(j);
}

// The table: one entry per TCellType, in the enum's order.
constexpr std::array<TCellGraphicKind, ctExpand + 1> kGraphicKinds = [] {
    std::array<TCellGraphicKind, ctExpand + 1> t{};
    t[ctBitmap] = {paintPictureKind, true};
    t[ctIcon] = {paintPictureKind, true};
    t[ctPicture] = {paintPictureKind, true};
    t[ctImageList] = {paintImageListKind, true};
    t[ctDataImage] = {paintImageListKind, true};
    t[ctImages] = {paintImagesKind, true};
    t[ctFilePicture] = {paintFilePictureKind, true};
    t[ctInterface] = {paintInterfaceKind, true};
    t[ctCheckBox] = {paintCheckKind, true};
    t[ctDataCheckBox] = {paintCheckKind, true};
    t[ctVirtCheckBox] = {paintCheckKind, true};
    t[ctRowCheckBox] = {paintCheckKind, true};
    t[ctTriStateCheckBox] = {paintCheckKind, false};
    t[ctRadioButton] = {paintCheckKind, false};
    t[ctRadio] = {paintRadioKind, true};
    t[ctNode] = {paintNodeKind, true};
    t[ctProgress] = {paintProgressKind, true};
    t[ctProgressPie] = {paintProgressPieKind, true};
    t[ctRangeIndicator] = {paintRangeIndicatorKind, false};
    t[ctXPProgress] = {paintXPProgressKind, false};
    t[ctShape] = {paintShapeKind, false};
    t[ctRating] = {paintRatingKind, false};
    t[ctRotated] = {paintRotatedKind, false}; // paper turns the text in its text step
    t[ctComment] = {paintCommentKind, false};
    t[ctButton] = {paintButtonKind, false};
    t[ctBitButton] = {paintButtonKind, false};
    t[ctExpand] = {paintButtonKind, false};
    return t;
}();

} // namespace

const TCellGraphicKind* CellGraphicKind(TCellType type)
{
    if (type < 0 || std::size_t(type) >= kGraphicKinds.size() || !kGraphicKinds[std::size_t(type)].Paint)
        return nullptr;
    return &kGraphicKinds[std::size_t(type)];
}

void PaintCellGraphic(TCellGraphicJob& job)
{
    const TCellGraphicKind* kind = CellGraphicKind(job.Graphic.FCellType);
    if (!kind || (job.Device.Paper() && !kind->Printed))
        return;
    kind->Paint(job);
}

} // namespace grid
