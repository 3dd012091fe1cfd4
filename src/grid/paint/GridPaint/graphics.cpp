// Cell graphics: size and placement, and the drawing of every cell graphic kind.

#include "grid/QvGrid.h"
#include "grid/look/QvXPVS.h"
#include "grid/look/ZirAzur.h"
#include "grid/look/ZirAzur/canvas.h"
#include "grid/paint/GridPaint.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace grid {

using namespace ZirAzur::canvas;

namespace {

bool isCheckKind(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox
           || t == ctTriStateCheckBox || t == ctRadioButton;
}

// The object of an interfaced cell when it paints itself.
IGridCellDrawer* cellDrawer(const TCellGraphic* g)
{
    return g && g->FCellType == ctInterface ? dynamic_cast<IGridCellDrawer*>(g->FCellBitmap) : nullptr;
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

namespace {

// The screen: the faces straight onto the viewport's canvas at their place.
class TScreenGraphicDevice final : public TCellGraphicDevice {
public:
    bool Paper() const override { return false; }
    double PixelSize() const override { return 1.0; }
    TPoint ScreenSize(const TRect& r) const override { return {r.Width(), r.Height()}; }
    void Picture(QPainter& canvas, const TRect& place, const QImage& img, bool stretch) const override
    {
        if (stretch)
            canvas.drawImage(place.toQRect(), img);
        else
            canvas.drawImage(place.Left, place.Top, img);
    }
    void Face(const TCellGraphicJob& job, const TRect& target, TPoint, const TFaceDraw& draw) const override
    {
        draw(job.Canvas, target);
    }
    void DevicePixels(QPainter& canvas, const TRect& r, const TFaceDraw& draw) const override { draw(canvas, r); }
};

int graphicLeft(const TCellPaintContext& c, const TRect& r, int W)
{
    const int cw = r.Width();
    switch (c.GraphicHAlign) {
    case haLeft:
        return r.Left + 1;
    case haRight:
        return r.Right - 1 - W;
    case haCenter:
        return W < cw ? r.Left + (cw - W) / 2 : r.Left + 1;
    case haFull:
        return r.Left;
    case haBeforeText: {
        const int x = c.TextHA == taLeftJustify    ? r.Left + 1
                      : c.TextHA == taRightJustify ? r.Right - c.TextWidth - W
                                                   : r.Left + (cw - (c.TextWidth + W)) / 2;
        return std::max(x, r.Left + 1);
    }
    case haAfterText:
        return c.TextHA == taLeftJustify    ? r.Left + c.TextWidth
               : c.TextHA == taRightJustify ? r.Right - 1 - W
                                            : std::max(r.Left + 1, r.Left + c.TextWidth + (cw - (c.TextWidth + W)) / 2);
    }
    return r.Left + 1;
}

int graphicTop(TCellVAlign va, const TRect& r, int H)
{
    const int ch = r.Height();
    switch (va) {
    case vaTop:
    case vaAboveText:
        return r.Top + 1;
    case vaBottom:
        return r.Bottom - 1 - H;
    case vaCenter:
        return H < ch ? r.Top + (ch - H) / 2 : r.Top + 1;
    case vaUnderText:
        return r.Bottom - H;
    case vaFull:
        return r.Top;
    }
    return r.Top + 1;
}

// Check boxes and radio buttons follow the text's alignment, beside the text or alone.
int checkGraphicLeft(const TCellPaintContext& c, const TRect& r, int W)
{
    const TCellType kind = c.Graphic->FCellType;
    const bool dataKind = kind == ctDataCheckBox || kind == ctVirtCheckBox || kind == ctRowCheckBox;
    const int cw = r.Width();
    int left;
    if (c.TextHA == taRightJustify)
        left = dataKind ? r.Right - W - 1 : r.Right - c.TextWidth - W - 1;
    else if (c.TextHA == taCenter)
        left = (!dataKind && c.TextWidth > 0) ? r.Left + std::max(0, cw - c.TextWidth) / 2 - W
                                              : r.Left + std::max(0, cw - W) / 2;
    else
        left = r.Left + 1;
    return std::max(left, r.Left + 1);
}

} // namespace

TRect TGridPainter::placeCellGraphic(TCellPaintContext& c)
{
    const TCellType kind = c.Graphic->FCellType;
    TRect& r = c.ARect;
    if (kind != ctNode && kind != ctProgress && kind != ctRangeIndicator && kind != ctXPProgress) {
        r.Left += grid.XYOffset.X - 1;
        r.Right -= grid.XYOffset.X - 1;
        r.Top += grid.XYOffset.Y - 1;
        r.Bottom -= grid.XYOffset.Y - 1;
    }
    if (c.TextWidth > 0)
        c.TextWidth += 2;
    const int W = c.GraphicWidth, H = c.GraphicHeight;
    // Check boxes and radio buttons follow a vertical text alignment of their own.
    TCellVAlign va = c.GraphicVAlign;
    if (isCheckKind(kind) && c.VA != grid.VAlignment)
        va = c.VA == vtaTop ? vaTop : c.VA == vtaCenter ? vaCenter : vaBottom;
    const int x = graphicLeft(c, r, W), y = graphicTop(va, r, H);
    TRect place{x, y, x + W, y + H};
    if (c.GraphicHAlign == haFull)
        place.Left = r.Left, place.Right = r.Right;
    if (va == vaFull)
        place.Top = r.Top, place.Bottom = r.Bottom;
    // The kinds whose place the cell decides.
    if (isCheckKind(kind)) {
        place.Left = checkGraphicLeft(c, r, W);
        place.Right = place.Left + W;
    } else if (kind == ctProgressPie) {
        place = {place.Left, place.Top, place.Left + 20, place.Top + 20};
    } else if (kind == ctInterface) {
        place = {r.Left - 1, r.Top - 1, r.Right, r.Bottom};
    } else if (kind == ctProgress) {
        place = {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
    } else if (kind == ctExpand) {
        place = {r.Right - 13, r.Top, r.Right, r.Top + 13};
    }
    return place;
}

void TGridPainter::drawCellGraphic(TCellPaintContext& c)
{
    const TRect cell = c.ARect;
    const TRect place = placeCellGraphic(c);
    static const TScreenGraphicDevice screen;
    TCellGraphicJob job{*c.Canvas, grid, *c.Graphic, screen};
    job.Col = c.RealCol;
    job.Row = c.ARow;
    job.Cell = cell;
    job.Inner = c.ARect;
    job.Place = place;
    job.Brush = c.Brush;
    job.Font = c.Font;
    job.HA = c.HA;
    job.VA = c.VA;
    job.State = c.AState;
    // The editable state greys check boxes and radio groups; buttons ask it themselves.
    const TCellType kind = c.Graphic->FCellType;
    if (isCheckKind(kind) || kind == ctRadio)
        grid.CanEditCell(c.RealCol, c.ARow, job.Enabled);
    PaintCellGraphic(job);
}

void TGridPainter::PaintNodeGlyph(TCellGraphicJob& j)
{
    QPainter& canvas = j.Canvas;
    const TRect& cellRect = j.Cell;
    const TCellNode& node = grid.CellNode();
    const int indent = node.NodeIndent();
    const int row = j.Row;
    const bool contracted = j.Graphic.FCellBoolean;
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
    TColor back = j.Brush.Color;
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

void TGridPainter::PaintButtonGraphic(TCellGraphicJob& j)
{
    QPainter& canvas = j.Canvas;
    TCellGraphic* g = &j.Graphic;
    const TRect cell = j.Inner;
    const TRect& place = j.Place;
    // Where the button sits in the cell, for the clicks that find it.
    g->FCellValue = double(place.Top - cell.Top) * 65536 + (place.Left - cell.Left);
    bool enabled = true;
    if (!Settings.ControlLook.NoDisabledButtonLook())
        grid.CanEditCell(j.Col, j.Row, enabled);
    int kind = Settings.ControlLook.FlatButton() ? 2 : IsThemeActive() ? 0 : 1;
    if (grid.Flat && grid.LookState().Tones.Background.BrushColor != clNone)
        kind = 3;
    const TPoint here{j.Col, j.Row};
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
            fc = state == 2   ? t.Selected.TextColor
                 : state == 1 ? t.Hover.TextColor
                 : state == 3 ? t.Disabled.TextColor
                              : t.Background.TextColor;
        }
        canvas.setPen(platform::toQColor(fc));
        TRect tr{text.Left + 1, text.Top, text.Right, text.Bottom};
        using namespace ZirAzur;
        const unsigned flags = (g->FCellText.contains(QLatin1Char('\r')) ? DT_WORDBREAK : DT_SINGLELINE)
                               | DT_END_ELLIPSIS | DT_VCENTER | DT_CENTER;
        DrawTextFlags(canvas, g->FCellText, tr, flags);
        canvas.restore();
    }
}

} // namespace grid
