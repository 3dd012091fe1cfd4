// Cell graphics: size and placement, and the drawing of every cell graphic kind.

#include "grid/paint/GridPaint.h"
#include "grid/QvGrid.h"
#include "grid/look/QvXPVS.h"
#include "grid/look/ZirAzur.h"
#include "grid/look/ZirAzur/canvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace grid {

using namespace ZirAzur::canvas;

namespace {

bool isCheckKind(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox ||
           t == ctTriStateCheckBox || t == ctRadioButton;
}

// The object of an interfaced cell when it paints itself.
IGridCellDrawer* cellDrawer(const TCellGraphic* g)
{
    return g && g->FCellType == ctInterface ? dynamic_cast<IGridCellDrawer*>(g->FCellBitmap) : nullptr;
}

double cellFloat(const QString& text)
{
    bool ok = false;
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    const double v = t.toDouble(&ok);
    return ok ? v : 0.0;
}

} // namespace

TCellGraphic* TGridPainter::GetCellGraphicInfo(int ACol, int ARow, TCellVAlign& vAlign, TCellHAlign& hAlign,
                                               bool& textShown, int& height, int& width)
{
    vAlign = vaTop;
    hAlign = haLeft;
    textShown = true;
    height = width = 0;
    TCellGraphic* g = grid.GetCellGraphic(ACol, ARow);
    if (!g)
        return nullptr;
    vAlign = g->FCellVAlign;
    hAlign = g->FCellHAlign;
    const auto& cl = Settings.ControlLook;
    const auto* bmp = dynamic_cast<const TBitmap*>(g->FCellBitmap);
    switch (g->FCellType) {
    case ctBitmap:
        if (bmp)
            width = bmp->Width(), height = bmp->Height();
        break;
    case ctIcon:
        if (const auto* icon = dynamic_cast<const TBitmap*>(g->FCellIcon))
            width = icon->Width(), height = icon->Height();
        break;
    case ctImageList:
    case ctDataImage:
        if (const TCustomImageList* images = grid.GetCellImageList(ACol, ARow))
            width = images->Width(), height = images->Height();
        textShown = g->FCellType == ctImageList;
        break;
    case ctImages: {
        const TCustomImageList* images = grid.GetCellImageList(ACol, ARow);
        const auto* list = dynamic_cast<const TIntList*>(g->FCellBitmap);
        if (images && list) {
            const bool horizontal = g->FCellBoolean;
            width = images->Width() * (horizontal ? list->Count() : 1);
            height = images->Height() * (horizontal ? 1 : list->Count());
        }
        break;
    }
    case ctInterface:
        if (IGridCellDrawer* drawer = cellDrawer(g))
            width = drawer->GetWidth(), height = drawer->GetHeight();
        break;
    case ctCheckBox:
    case ctTriStateCheckBox:
        width = height = cl.CheckSize();
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        width = height = cl.CheckSize();
        textShown = false;
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress:
        textShown = false;
        break;
    case ctPicture:
    case ctFilePicture:
        if (g->FCellBitmap) {
            const TPoint s = g->GetPictureSize(grid.ColWidths(grid.DisplColIndex(ACol)), grid.RowHeights(ARow), true);
            width = s.X, height = s.Y;
        }
        break;
    case ctButton:
    case ctBitButton:
        width = g->FCellIndex & 0xFFFF;
        height = (unsigned(g->FCellIndex) >> 16) & 0xFFFF;
        break;
    case ctProgressPie:
        width = height = 20;
        break;
    case ctRadioButton:
        width = height = cl.RadioSize() + 4;
        break;
    case ctShape:
        width = height = grid.RowHeights(ARow) - 2 * grid.XYOffset.Y;
        break;
    case ctRating:
        width = g->FCellAngle * 18;
        height = 16;
        textShown = false;
        break;
    default:
        break;
    }
    return g;
}

void TGridPainter::drawCellGraphic(TCellPaintContext& c)
{
    TCellGraphic* g = c.Graphic;
    QPainter& canvas = *c.Canvas;
    const TCellType kind = g->FCellType;
    TRect& r = c.ARect;
    const TRect cell = r;
    if (kind != ctNode && kind != ctProgress && kind != ctRangeIndicator && kind != ctXPProgress) {
        r.Left += grid.XYOffset.X - 1;
        r.Right -= grid.XYOffset.X - 1;
        r.Top += grid.XYOffset.Y - 1;
        r.Bottom -= grid.XYOffset.Y - 1;
    }
    if (c.TextWidth > 0)
        c.TextWidth += 2;
    const int W = c.GraphicWidth, H = c.GraphicHeight;
    const int cw = r.Width(), ch = r.Height();
    // Horizontal placement.
    int x = r.Left + 1;
    switch (c.GraphicHAlign) {
    case haLeft:
        x = r.Left + 1;
        break;
    case haRight:
        x = r.Right - 1 - W;
        break;
    case haCenter:
        x = W < cw ? r.Left + (cw - W) / 2 : r.Left + 1;
        break;
    case haFull:
        x = r.Left;
        break;
    case haBeforeText:
        x = c.TextHA == taLeftJustify    ? r.Left + 1
            : c.TextHA == taRightJustify ? r.Right - c.TextWidth - W
                                         : r.Left + (cw - (c.TextWidth + W)) / 2;
        x = std::max(x, r.Left + 1);
        break;
    case haAfterText:
        x = c.TextHA == taLeftJustify    ? r.Left + c.TextWidth
            : c.TextHA == taRightJustify ? r.Right - 1 - W
                                         : std::max(r.Left + 1, r.Left + c.TextWidth + (cw - (c.TextWidth + W)) / 2);
        break;
    }
    // Vertical placement; check boxes and radio buttons follow a text alignment of their own.
    TCellVAlign va = c.GraphicVAlign;
    if (isCheckKind(kind) && c.VA != grid.VAlignment)
        va = c.VA == vtaTop ? vaTop : c.VA == vtaCenter ? vaCenter : vaBottom;
    int y = r.Top + 1;
    switch (va) {
    case vaTop:
    case vaAboveText:
        y = r.Top + 1;
        break;
    case vaBottom:
        y = r.Bottom - 1 - H;
        break;
    case vaCenter:
        y = H < ch ? r.Top + (ch - H) / 2 : r.Top + 1;
        break;
    case vaUnderText:
        y = r.Bottom - H;
        break;
    case vaFull:
        y = r.Top;
        break;
    }
    TRect place{x, y, x + W, y + H};
    if (c.GraphicHAlign == haFull)
        place.Left = r.Left, place.Right = r.Right;
    if (va == vaFull)
        place.Top = r.Top, place.Bottom = r.Bottom;

    bool enabled = true;
    const auto& cl = Settings.ControlLook;
    switch (kind) {
    case ctBitmap:
    case ctIcon:
    case ctPicture: {
        const auto* bmp = dynamic_cast<const TBitmap*>(kind == ctIcon ? g->FCellIcon : g->FCellBitmap);
        if (!bmp || bmp->Empty())
            break;
        if (kind == ctPicture && g->FCellAngle != 0)
            canvas.drawImage(place.toQRect(), bmp->Image);
        else
            canvas.drawImage(place.Left, place.Top, bmp->Image);
        break;
    }
    case ctImageList:
        if (const TCustomImageList* images = grid.GetCellImageList(c.RealCol, c.ARow))
            images->Draw(canvas, place.Left, place.Top, g->FCellIndex);
        break;
    case ctDataImage:
        // The cell's number picks the image, counted from the graphic's base index.
        if (const TCustomImageList* images = grid.GetCellImageList(c.RealCol, c.ARow))
            images->Draw(canvas, place.Left, place.Top, int(cellFloat(grid.Cells(c.RealCol, c.ARow))) + g->FCellIndex);
        break;
    case ctImages: {
        const TCustomImageList* images = grid.GetCellImageList(c.RealCol, c.ARow);
        const auto* list = dynamic_cast<const TIntList*>(g->FCellBitmap);
        if (!images || !list)
            break;
        for (int i = 0; i < list->Count(); ++i) {
            const int step = g->FCellBoolean ? images->Width() : images->Height();
            images->Draw(canvas, place.Left + (g->FCellBoolean ? i * step : 0),
                         place.Top + (g->FCellBoolean ? 0 : i * step), list->GetInteger(i));
        }
        break;
    }
    case ctFilePicture:
        if (const auto* picture = dynamic_cast<const TFilePicture*>(g->FCellBitmap))
            picture->DrawPicture(canvas, place);
        break;
    case ctCheckBox:
    case ctRowCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctTriStateCheckBox:
    case ctRadioButton: {
        const bool dataKind = kind == ctDataCheckBox || kind == ctVirtCheckBox || kind == ctRowCheckBox;
        int left;
        if (c.TextHA == taRightJustify)
            left = dataKind ? r.Right - W - 1 : r.Right - c.TextWidth - W - 1;
        else if (c.TextHA == taCenter)
            left = (!dataKind && c.TextWidth > 0) ? r.Left + std::max(0, cw - c.TextWidth) / 2 - W
                                                  : r.Left + std::max(0, cw - W) / 2;
        else
            left = r.Left + 1;
        left = std::max(left, r.Left + 1);
        place.Right = left + W;
        place.Left = left;
        grid.CanEditCell(c.RealCol, c.ARow, enabled);
        // A plain check box keeps its balloon flag in FCellAngle: only the row check box of the
        // header row means "some rows" by it.
        if (kind == ctCheckBox || kind == ctRowCheckBox) {
            DrawCheckBox(canvas, grid, place, g->FCellBoolean, cbUnchecked, false, cl.ControlStyle(),
                         kind == ctRowCheckBox && g->FCellAngle > 0, enabled);
        } else if (kind == ctTriStateCheckBox) {
            DrawCheckBox(canvas, grid, place, false, g->FCellCheckBoxState, true, cl.ControlStyle(), g->FCellAngle > 0, enabled);
        } else if (dataKind) {
            QString checkTrue = grid.CheckTrue;
            grid.GetCheckTrue(c.RealCol, c.ARow, checkTrue);
            DrawCheckBox(canvas, grid, place, grid.Cells(c.RealCol, c.ARow) == checkTrue, cbUnchecked, false,
                         cl.ControlStyle(), false, enabled);
        } else {
            TRect rr{place.Left + grid.XYOffset.X, place.Top, place.Left + grid.XYOffset.X + cl.RadioSize(),
                     place.Top + cl.RadioSize()};
            DrawRadioGroup(canvas, grid, rr, false, 1.0, cl.ControlStyle(), c.ARow, c.RealCol, false, {}, !enabled, false,
                           g->FCellBoolean ? 0 : -2, 1);
        }
        break;
    }
    case ctRadio: {
        grid.CanEditCell(c.RealCol, c.ARow, enabled);
        QStringList options;
        if (const auto* list = dynamic_cast<const TStringList*>(g->FCellBitmap))
            options = list->Strings;
        DrawRadioGroup(canvas, grid, r, false, 1.0, cl.ControlStyle(), c.ARow, c.RealCol, c.AState & gdSelected, options,
                       !enabled, g->FCellBoolean, g->FCellIndex, int(options.size()));
        break;
    }
    case ctRotated: {
        const QString text = grid.Cells(c.RealCol, c.ARow);
        const QFontMetrics fm(canvas.font());
        const int tw = fm.horizontalAdvance(text), thh = fm.height();
        const double a = g->FCellAngle * 3.14159265358979323846 / 180.0;
        const TRect shrunk{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
        const TPoint o = ZirAzur::PlaceRotatedText(shrunk, c.HA, c.VA, g->FCellAngle, int(std::fabs(thh * std::cos(a))),
                                                   int(std::fabs(tw * std::sin(a))), int(std::fabs(thh * std::sin(a))),
                                                   int(std::fabs(tw * std::cos(a))));
        canvas.save();
        canvas.setClipRect(shrunk.toQRect(), Qt::IntersectClip);
        canvas.translate(o.X, o.Y);
        canvas.rotate(-g->FCellAngle);
        canvas.drawText(0, fm.ascent(), text);
        canvas.restore();
        if (isSortHeaderCell(c.RealCol, c.ARow))
            DrawSortIndicator(canvas, c.RealCol, r.Top + 8, r.Right - 10);
        break;
    }
    case ctNode:
        drawNodeGlyph(c, cell);
        break;
    case ctProgress: {
        const double value = cellFloat(grid.Cells(c.RealCol, c.ARow));
        const TColor barColor = g->FCellBitmapColor, backColor = g->FCellIconColor;
        if ((cl.ControlStyle() == csWinXP || cl.ControlStyle() == csTheme) && IsThemeActive() && cl.ProgressXP()) {
            TRect b{r.Left + cl.ProgressMarginX(), r.Top + cl.ProgressMarginY(), r.Right - cl.ProgressMarginX(),
                    r.Bottom - cl.ProgressMarginY()};
            if (DrawThemedPart(GridThemeApi, grid.viewport(), QStringLiteral("Progress"), canvas,
                               platform::theme::PP_BAR, 1, b.toQRect())) {
                b = {b.Left + 2, b.Top + 2, b.Right - 2, b.Bottom - 2};
                const int v = std::clamp(int(value), 0, 100);
                DrawThemedPart(GridThemeApi, grid.viewport(), QStringLiteral("Progress"), canvas,
                               platform::theme::PP_CHUNK, 1,
                               QRect(b.Left, b.Top, b.Width() * v / 100, b.Height()));
                break;
            }
        }
        const TRect b{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
        const TColor t1 = g->FCellBoolean ? TColor(g->FCellIndex) : (barColor ^ 0xFFFFFF);
        const TColor t2 = g->FCellBoolean ? TColor(g->FCellAngle) : (backColor ^ 0xFFFFFF);
        ZirAzur::PaintClassicProgress(canvas, b, barColor, false, cl.ProgressBorderColor(), g->FCellText,
                                      g->FCellErrLen, g->FCellErrFrom, cl.ProgressMarginY(), cl.ProgressMarginX(), value,
                                      t1, backColor, t2, c.Font);
        break;
    }
    case ctComment: {
        if (cl.CommentColor() == clNone)
            break;
        const TColor col = g->FCellAngle != int(clNone) ? TColor(g->FCellIndex) : cl.CommentColor();
        canvas.save();
        canvas.setRenderHint(QPainter::Antialiasing, false);
        canvas.setPen(platform::toQColor(col));
        canvas.setBrush(platform::toQColor(col));
        canvas.drawPolygon(QPolygon({QPoint(cell.Right - 7, cell.Top), QPoint(cell.Right - 2, cell.Top),
                                     QPoint(cell.Right - 2, cell.Top + 5)}));
        canvas.restore();
        break;
    }
    case ctButton:
    case ctBitButton:
    case ctExpand:
        drawButtonGraphic(c, place);
        break;
    case ctProgressPie:
        ZirAzur::DrawPieProgress(canvas, {place.Left, place.Top, place.Left + 20, place.Top + 20},
                                 g->FCellBitmapColor, false, g->FCellAngle);
        break;
    case ctRangeIndicator: {
        const TRect b{r.Left + cl.ProgressMarginX(), r.Top + cl.ProgressMarginY(), r.Right - cl.ProgressMarginX(),
                      r.Bottom - cl.ProgressMarginY()};
        ZirAzur::DrawBalanceBar(canvas, b, int(cellFloat(grid.Cells(c.RealCol, c.ARow))), g->FCellIndex,
                                g->FCellIconColor, g->FCellBitmapColor, g->FCellBoolean);
        break;
    }
    case ctXPProgress: {
        const TGridProgressAppearance& pa = ProgressAppearance;
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
        look.Font = grid.Font();
        look.BackgroundColor = pa.UnCompleteColor() != clNone ? pa.UnCompleteColor() : c.Brush.Color;
        const int v = int(cellFloat(grid.Cells(c.RealCol, c.ARow)));
        const int range = g->FCellErrLen - g->FCellErrFrom;
        // An empty range shows an empty bar instead of dividing by zero.
        const int percent = range != 0 ? int(std::lround(std::abs(v - g->FCellErrFrom) * 100.0 / range)) : 0;
        ZirAzur::PaintProgressCell(canvas,
                                   {r.Left + cl.ProgressMarginX(), r.Top + cl.ProgressMarginY(),
                                    r.Right - cl.ProgressMarginX() - 1, r.Bottom - cl.ProgressMarginY() - 1},
                                   percent, look);
        break;
    }
    case ctInterface:
        if (IGridCellDrawer* drawer = cellDrawer(g))
            drawer->Draw(canvas, {r.Left - 1, r.Top - 1, r.Right, r.Bottom}, c.RealCol, c.ARow,
                         c.AState & gdSelected, &grid);
        break;
    case ctShape:
        // A shape keeps its fill colour in FCellIndex (where SetShapeColor writes it) and its
        // line colour in FCellBitmapColor.
        ZirAzur::PaintCellShape(canvas, place.Left, place.Top, place.Width() - 1, place.Height() - 1,
                                TCellShape(g->FCellAngle), TColor(g->FCellIndex), g->FCellBitmapColor);
        break;
    case ctRating: {
        const double value = std::trunc(cellFloat(grid.Cells(c.RealCol, c.ARow)) * 2) / 2;
        for (int i = 1; i <= g->FCellAngle; ++i) {
            const int sx = place.Left + (i - 1) * 18;
            ZirAzur::PaintCellShape(canvas, sx, place.Top, 16, 16, csStar,
                                    i > value ? g->FCellBitmapColor : TColor(g->FCellIndex), TColor(g->FCellIndex));
            if (i - 1 < value && i > value)
                ZirAzur::PaintCellShape(canvas, sx, place.Top, 16, 16, csHalfStar, TColor(g->FCellIndex),
                                        TColor(g->FCellIndex));
        }
        break;
    }
    default:
        break;
    }
}

void TGridPainter::drawNodeGlyph(TCellPaintContext& c, const TRect& cellRect)
{
    QPainter& canvas = *c.Canvas;
    const TCellNode& node = grid.CellNode();
    const int indent = node.NodeIndent();
    const int row = c.ARow;
    const bool contracted = c.Graphic->FCellBoolean;
    const int rowIndent = grid.GetRowIndent(row);
    int left = rowIndent - indent;
    const int top = cellRect.Top, bottom = cellRect.Bottom, height = bottom - top;
    const int mid = top + height / 2;
    if (node.ShowTree() && row >= grid.FixedRows()) {
        const int x = left + indent / 2 + 2;
        const TColor tc = node.TreeColor();
        const bool nextExists = row + 1 < grid.RowCount();
        const int nextIndent = nextExists ? grid.GetRowIndent(row + 1) : 0;
        if (nextExists && nextIndent > 0 && !(contracted && nextIndent < rowIndent))
            lineTo(canvas, x, mid, x, bottom, tc);
        if (row - 1 >= grid.FixedRows() && grid.GetRowIndent(row - 1) >= rowIndent)
            lineTo(canvas, x, top, x, top + 6, tc);
    }
    left = rowIndent - indent / 2 - 4;
    TColor back = c.Brush.Color;
    if (back == clNone)
        back = grid.FixedCols() > 0 ? grid.FixedColor() : grid.Color();
    const TNodeType type = node.NodeType();
    const auto drawGlyph = [&](const QImage& img, int gx, int gy) {
        if (img.isNull())
            return;
        fillRect(canvas, {gx, gy, gx + img.width(), gy + img.height()}, back);
        ZirAzur::DrawGlyphTransparent(canvas, img, gx, gy);
    };
    if (type == cn3D)
        rectangle(canvas, {left, top, cellRect.Right, bottom}, node.Color(), node.Color());
    if (type == cnLeaf) {
        drawGlyph(ZirAzur::GridGlyph(contracted ? QStringLiteral("QSGLEAFCLOSE") : QStringLiteral("QSGLEAFOPEN")), left,
                  top + (height - 12) / 2);
        return;
    }
    if (type == cnXP) {
        drawGlyph(ZirAzur::GridGlyph(contracted ? QStringLiteral("XPNODEC") : QStringLiteral("XPNODEO")), left + 4,
                  top + (height - 10) / 2);
        return;
    }
    if (type == cnGlyph && !node.ExpandGlyph().Empty() && !node.ContractGlyph().Empty()) {
        const QImage& img = contracted ? node.ContractGlyph().Image : node.ExpandGlyph().Image;
        drawGlyph(img, left, top + (height - img.height()) / 2);
        return;
    }
    const int bx = left + 4, by = top + std::max(0, height - 8) / 2;
    if (type == cnFlat) {
        rectangle(canvas, {bx, by, bx + 9, by + 9}, node.NodeColor(), node.Color());
        lineTo(canvas, bx + 2, by + 4, bx + 7, by + 4, node.NodeColor());
        if (contracted)
            lineTo(canvas, bx + 4, by + 2, bx + 4, by + 7, node.NodeColor());
    } else {
        const TRect b{bx, by, bx + 8, by + 8};
        fillRect(canvas, b, node.Color());
        const TColor lt = contracted ? platform::clBtnHighlight : platform::clBtnShadow;
        const TColor dk = contracted ? platform::clBtnShadow : platform::clBtnHighlight;
        lineTo(canvas, b.Left, b.Top, b.Right, b.Top, lt);
        lineTo(canvas, b.Left, b.Top, b.Left, b.Bottom, lt);
        lineTo(canvas, b.Left, b.Bottom - 1, b.Right, b.Bottom - 1, dk);
        lineTo(canvas, b.Right - 1, b.Top, b.Right - 1, b.Bottom, dk);
    }
}

void TGridPainter::drawButtonGraphic(TCellPaintContext& c, const TRect& placeIn)
{
    QPainter& canvas = *c.Canvas;
    TCellGraphic* g = c.Graphic;
    const TRect cell = c.ARect;
    TRect place = placeIn;
    if (g->FCellType == ctExpand)
        place = {cell.Right - 13, cell.Top, cell.Right, cell.Top + 13};
    g->FCellValue = double(place.Top - cell.Top) * 65536 + (place.Left - cell.Left);
    bool enabled = true;
    if (!Settings.ControlLook.NoDisabledButtonLook())
        grid.CanEditCell(c.RealCol, c.ARow, enabled);
    int kind = Settings.ControlLook.FlatButton() ? 2 : IsThemeActive() ? 0 : 1;
    if (grid.Flat && grid.LookState().Tones.Background.BrushColor != clNone)
        kind = 3;
    const TPoint here{c.RealCol, c.ARow};
    int state = g->FCellBoolean ? 2 : (grid.FHoverButton == here || grid.FPushedCellButton == here ? 1 : 0);
    if (!enabled && g->FCellType != ctExpand)
        state = 3;
    ZirAzur::DrawPushButton(canvas, grid.viewport(), place, grid.LookState().Tones, state, kind);
    if (g->FCellType == ctExpand) {
        canvas.save();
        canvas.setRenderHint(QPainter::Antialiasing, false);
        canvas.setPen(Qt::black);
        const int R = cell.Right, T = cell.Top;
        if (g->FCellVar.isValid() && !g->FCellVar.toBool())
            canvas.drawPolyline(QPolygon({QPoint(R - 10, T + 5), QPoint(R - 7, T + 8), QPoint(R - 3, T + 4)}));
        else
            canvas.drawPolyline(QPolygon({QPoint(R - 10, T + 8), QPoint(R - 7, T + 5), QPoint(R - 3, T + 9)}));
        canvas.restore();
        return;
    }
    TRect text = place;
    if (state == 2)
        text = {text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1};
    if (g->FCellType == ctBitButton) {
        if (const auto* bmp = dynamic_cast<const TBitmap*>(g->FCellBitmap); bmp && !bmp->Empty()) {
            int dy = (text.Height() - bmp->Height()) / 2;
            if (dy < 1)
                dy = 3;
            if (text.Width() - bmp->Width() < 1 || !g->FCellText.isEmpty()) {
                canvas.drawImage(text.Left + 3, text.Top + dy, bmp->Image);
                text.Left += 3 + bmp->Width() + 4;
            } else {
                canvas.drawImage(text.Left + (text.Width() - bmp->Width()) / 2, text.Top + dy, bmp->Image);
            }
        }
    }
    if (!g->FCellText.isEmpty()) {
        canvas.save();
        TColor fc = enabled ? platform::clBtnText : platform::clGrayText;
        if (kind == 3) {
            const TColorTones& t = grid.LookState().Tones;
            fc = state == 2 ? t.Selected.TextColor : state == 1 ? t.Hover.TextColor : state == 3 ? t.Disabled.TextColor
                                                                                                 : t.Background.TextColor;
        }
        canvas.setPen(platform::toQColor(fc));
        TRect tr{text.Left + 1, text.Top, text.Right, text.Bottom};
        using namespace ZirAzur;
        const unsigned flags = (g->FCellText.contains(QLatin1Char('\r')) ? DT_WORDBREAK : DT_SINGLELINE) |
                               DT_END_ELLIPSIS | DT_VCENTER | DT_CENTER;
        DrawTextFlags(canvas, g->FCellText, tr, flags);
        canvas.restore();
    }
}

} // namespace grid
