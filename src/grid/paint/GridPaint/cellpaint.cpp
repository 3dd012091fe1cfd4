// The cell painter: fixed-cell looks, markers, editor buttons, text, borders, node lines, the
// cell graphic, the drawing events and the focus rectangle, in that order.

#include "grid/QvGrid.h"
#include "grid/look/QvXPVS.h"
#include "grid/look/ZirAzur.h"
#include "grid/look/ZirAzur/canvas.h"
#include "grid/paint/GridPaint.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace grid {

using namespace ZirAzur;
using canvas::fillRect;
using canvas::lineTo;

TGridPainter::TGridPainter(TQvStringGrid& owner) : Settings(owner.PaintSettings()), grid(owner)
{
    ProgressAppearance.OnChange = [this](TObject*) { grid.Invalidate(); };
}

bool TGridPainter::hasFocus() const
{
    return grid.hasFocus() || grid.viewport()->hasFocus();
}

// Where the cell is (displayed and real column, and the row whose selection counts: the real
// row under persistent disjunct row selection), its filter glyph and its scroll bar.
TCellPaintContext TGridPainter::cellContext(QPainter& canvas, int ACol, int ARow, const TRect& ARect,
                                            TGridDrawState AState)
{
    TCellPaintContext c;
    c.Canvas = &canvas;
    c.ACol = ACol;
    c.RealCol = grid.RealColFromDispl(ACol);
    c.ARow = ARow;
    c.SelRow = (grid.MouseActions().DisjunctRowSelect() && grid.MouseActions().RowSelectPersistent())
                   ? grid.RealRowFromDispl(ARow)
                   : ARow;
    c.ARect = ARect;
    c.AState = AState;
    c.URLColor = grid.URLColor;
    // Filter glyph in the filter row for every column that has a filter list.
    if (ARow == Settings.FilterDropDownRow)
        c.FilterGlyph = grid.GetColumnFilter(c.RealCol);
    // A scroll-bar cell's bar narrows the cell.
    drawCellScrollBar(c);
    return c;
}

// Brush, gradient, font, alignment and word wrap of the cell (asked with the displayed
// column: the remap turns it into the real one), its graphic and whether it looks fixed.
void TGridPainter::readCellLook(TCellPaintContext& c)
{
    const int ARow = c.ARow;
    c.WW = grid.WordWrap();
    TGridDrawState st = c.AState;
    grid.GetVisualProperties(c.ACol, ARow, st, false, false, true, c.Brush, c.ColorTo, c.MirrorColor, c.MirrorColorTo,
                             c.Font, c.HA, c.VA, c.WW, c.GD);
    c.TextHA = c.HA;
    // The cell graphic and its place; a node cell's graphic widens with the node's level.
    c.Graphic = GetCellGraphicInfo(c.RealCol, ARow, c.GraphicVAlign, c.GraphicHAlign, c.TextShown, c.GraphicHeight,
                                   c.GraphicWidth);
    const bool nodeRow = c.RealCol == 0 && c.Graphic && c.Graphic->FCellType == ctNode;
    if (nodeRow && grid.CellHasProperties(0, ARow))
        c.GraphicWidth = static_cast<const TCellProperties*>(grid.GetGridObject(0, ARow))->FNodeLevel * 12 + 4;
    // A selected cell without the focus and without a selection colour takes the highlight.
    if ((c.AState & gdSelected) && !(c.AState & gdFocused) && grid.SelectionColor == clNone)
        c.Brush.Color = platform::clHighlight;
    // The zoomed font; the brush and font colours are kept for the borders after the text.
    c.Font.Size += grid.ZoomFactor;
    c.SavedBrushColor = c.Brush.Color;
    c.SavedFontColor = c.Font.Color;
    c.Canvas->setFont(toQFont(c.Font));
    // Fixed look for fixed cells, unless the hover row shows its fixed cells as normal ones.
    c.FixedLook = grid.IsFixed(c.ACol, ARow) || c.ACol < grid.FixedCols() || ARow < grid.FixedRows();
    if (ARow == grid.FHoverRowIdx && grid.FHoverRow && (grid.FHoverRowCells & hcFixed))
        c.FixedLook = false;
}

// The row indicator in the current row's first fixed cell; answers its width taken (0 when
// none is drawn).
int TGridPainter::drawRowIndicator(TCellPaintContext& c)
{
    const TBitmap& indicator = grid.RowIndicator();
    const bool here = c.RealCol == 0 && c.ARow == grid.Row() && grid.FixedCols() > 0 && !indicator.Empty()
                      && !(grid.RowCount() == grid.FixedRows() && grid.FixedRowAlways());
    if (!here)
        return 0;
    const int h = indicator.Height();
    const int y = grid.VAlignment == vtaTop      ? c.ARect.Top
                  : grid.VAlignment == vtaCenter ? c.ARect.Top + (c.ARect.Height() - h) / 2
                                                 : c.ARect.Bottom - h;
    DrawTransparentBitmap(*c.Canvas, indicator.Image, c.Brush.Color,
                          {c.ARect.Left + 2, y, c.ARect.Left + 2 + indicator.Width(), y + h});
    c.ARect.Left += indicator.Width() + 2;
    return indicator.Width();
}

void TGridPainter::drawListViewHeader(TCellPaintContext& c)
{
    QPainter& canvas = *c.Canvas;
    c.ARect.Bottom += 1;
    const QPoint mouse = grid.viewport()->mapFromGlobal(QCursor::pos());
    const bool inside = c.ARect.toQRect().contains(mouse);
    const bool down = QGuiApplication::mouseButtons() != Qt::NoButton;
    const bool themed =
        DrawThemedPart(GridThemeApi, grid.viewport(), QStringLiteral("header"), canvas,
                       inside ? platform::theme::HP_HEADERITEM : 3, inside ? (down ? 3 : 2) : 1, c.ARect.toQRect());
    if (themed)
        lineTo(canvas, c.ARect.Left, c.ARect.Top, c.ARect.Right, c.ARect.Top, platform::clWhite);
    else
        canvas::rectangle(canvas, c.ARect, platform::clWhite, platform::clBtnFace);
}

// Always-visible drop-down and spin buttons; each takes 16 pixels off the cell's right.
void TGridPainter::drawAlwaysVisibleButtons(TCellPaintContext& c)
{
    const auto& cl = Settings.ControlLook;
    if (grid.IsFixed(c.RealCol, c.ARow) || !(cl.DropDownAlwaysVisible() || cl.SpinButtonsAlwaysVisible()))
        return;
    int kind = cl.FlatButton() ? pkFlat : IsThemeActive() ? pkThemed : pkClassic;
    if (grid.Flat && grid.LookState().Tones.Background.BrushColor != clNone)
        kind = pkTones;
    bool canEdit = true;
    grid.CanEditCell(c.RealCol, c.ARow, canEdit);
    const int state = canEdit ? psNormal : psDisabled;
    if (cl.DropDownAlwaysVisible() && grid.CellHasComboBox(c.RealCol, c.ARow)) {
        DrawDropDownButton(*c.Canvas, grid.viewport(),
                           {c.ARect.Left - 2, c.ARect.Top - 1, c.ARect.Right + 1, c.ARect.Bottom},
                           grid.LookState().Tones, state, kind);
        c.ARect.Right -= 16;
    }
    if (cl.SpinButtonsAlwaysVisible() && grid.CellHasSpinEdit(c.RealCol, c.ARow)) {
        DrawSpinButtons(*c.Canvas, grid.viewport(), c.ARect, grid.LookState().Tones, state, kind);
        c.ARect.Right -= 16;
    }
}

// An interfaced cell's object may ask to go under the text; answers whether it was drawn.
bool TGridPainter::drawGraphicBeforeText(const TCellPaintContext& c)
{
    if (!c.Graphic || c.Graphic->FCellType != ctInterface)
        return false;
    auto* drawer = dynamic_cast<IGridCellDrawer*>(c.Graphic->FCellBitmap);
    if (!drawer || !drawer->DrawBeforeText())
        return false;
    TCellPaintContext early = c;
    early.ARect = {c.ARect.Left - 1, c.ARect.Top - 1, c.ARect.Right + 1, c.ARect.Bottom + 1};
    drawCellGraphic(early);
    return true;
}

// Right fixed columns in the flat looks.
void TGridPainter::drawRightFixedLines(TCellPaintContext& c)
{
    const int frc = grid.FixedRightCols();
    if (!(frc > 0 && frc >= grid.TotalColCount() - c.RealCol && grid.Look != glClassic && grid.Flat))
        return;
    QPainter& canvas = *c.Canvas;
    const TRect& a = c.ARect;
    if (grid.HasOption(goFixedHorzLine)) {
        lineTo(canvas, a.Left - 1, a.Top - 1, a.Right + 1, a.Top - 1, 0x808080);
        lineTo(canvas, a.Left - 1, a.Bottom + 1, a.Right + 1, a.Bottom + 1, 0x808080);
    }
    if (grid.HasOption(goFixedVertLine)) {
        lineTo(canvas, a.Left - 1, a.Top - 1, a.Left - 1, a.Bottom + 1, 0x808080);
        lineTo(canvas, a.Right + 1, a.Top - 1, a.Right + 1, a.Bottom + 1, 0x808080);
    }
}

// The platform focus rectangle: a dotted frame that inverts what is under it.
void TGridPainter::drawFocusRectangle(QPainter& canvas, int ACol, int ARow, const TRect& ARect)
{
    const TPoint base = grid.BaseCell(ACol, ARow);
    if (grid.HideFocusRect || base.X != grid.Col() || base.Y != grid.Row() || !hasFocus() || grid.HasOption(goRowSelect)
        || grid.Row() < grid.FixedRows() || grid.Col() < grid.FixedCols())
        return;
    const int g = grid.GridLineWidth() - 1;
    const TRect f{ARect.Left - g, ARect.Top - g, ARect.Right + g - 1, ARect.Bottom + g - 1};
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (int x = f.Left; x < f.Right; x += 2) {
        canvas.fillRect(QRect(x, f.Top, 1, 1), Qt::white);
        canvas.fillRect(QRect(x, f.Bottom - 1, 1, 1), Qt::white);
    }
    for (int y = f.Top + 2; y < f.Bottom - 1; y += 2) {
        canvas.fillRect(QRect(f.Left, y, 1, 1), Qt::white);
        canvas.fillRect(QRect(f.Right - 1, y, 1, 1), Qt::white);
    }
    canvas.restore();
}

// The steps after the text: borders round the whole cell in the kept colours, the fixed
// look's edges, the right fixed columns' lines and the node column's tree lines.
void TGridPainter::drawCellFrame(TCellPaintContext& c, int savedRight, int indicatorWidth)
{
    c.ARect.Right = savedRight;
    c.Brush.Color = c.SavedBrushColor;
    c.Font.Color = c.SavedFontColor;
    c.ARect = {c.ARect.Left - 1, c.ARect.Top - 1, c.ARect.Right + 1, c.ARect.Bottom + 1};
    drawCellBorders(c);
    // The indicator's room is given back.
    c.ARect.Left -= indicatorWidth;
    if (c.FixedLook && !grid.Flat)
        drawLookEdges(c);
    drawRightFixedLines(c);
    if (c.RealCol == 0 && grid.HasNodes() && c.ARow >= grid.FixedRows() && grid.CellNode().ShowTree())
        drawNodeLines(c);
}

void TGridPainter::PaintGridCell(QPainter& canvas, int ACol, int ARow, TRect& ARect, TGridDrawState AState)
{
    TCellPaintContext c = cellContext(canvas, ACol, ARow, ARect, AState);
    readCellLook(c);
    // The fixed-cell look (no application styles here).
    if (c.FixedLook)
        drawFixedLook(c);
    const int indicatorWidth = drawRowIndicator(c);
    if (c.FixedLook && grid.Look == glListView && !grid.Flat)
        drawListViewHeader(c);
    // Modified-row marker.
    if (ACol == 0 && Settings.ShowModified.Enabled && grid.GetRowModified(grid.RealRowFromDispl(ARow)))
        fillRect(canvas, {c.ARect.Right - 4, c.ARect.Top, c.ARect.Right, c.ARect.Bottom},
                 Settings.ShowModified.Color());
    // The application's own background.
    if (grid.OnCustomCellBkgDraw)
        grid.OnCustomCellBkgDraw(&grid, canvas, c.RealCol, ARow, AState, c.ARect, false);
    const int savedRight = c.ARect.Right;
    drawAlwaysVisibleButtons(c);
    const bool graphicDrawn = drawGraphicBeforeText(c);
    // The text, unless the application draws the cell with default drawing off or the graphic
    // stands in for the text.
    const bool handlers = bool(grid.OnDrawCell) || bool(grid.OnCustomCellDraw);
    if ((!handlers || !Settings.NoDefaultDraw) && !(c.Graphic && Settings.NoImageAndText))
        drawCellText(c);
    drawCellFrame(c, savedRight, indicatorWidth);
    // The cell graphic, one pixel lower in fixed cells.
    if (c.Graphic && !graphicDrawn) {
        if (c.FixedLook)
            c.ARect.Top += 1;
        drawCellGraphic(c);
    }
    // The application's own drawing, inside the grid lines.
    const TRect ev{c.ARect.Left + 1, c.ARect.Top + 1, c.ARect.Right - grid.GridLineWidth(),
                   c.ARect.Bottom - grid.GridLineWidth()};
    if (grid.OnDrawCell)
        grid.OnDrawCell(&grid, c.RealCol, ARow, ev, AState);
    if (grid.OnCustomCellDraw)
        grid.OnCustomCellDraw(&grid, canvas, c.RealCol, ARow, AState, ev, false);
    drawFocusRectangle(canvas, ACol, ARow, ARect);
}

void TGridPainter::drawFixedLook(TCellPaintContext& c)
{
    QPainter& canvas = *c.Canvas;
    const TGridLook look = grid.Look;
    if (look != glVLX && look != glXP && look != glVista && look != glWin7 && look != glOffice2007)
        return;
    const auto& cl = Settings.ControlLook;
    const bool hoverCovers = grid.HoverFixedCells == hfAll
                             || (grid.HoverFixedCells == hfFixedRows && c.ARow < grid.FixedRows())
                             || (grid.HoverFixedCells == hfFixedColumns && c.ACol < grid.FixedCols());
    const bool moving = grid.GridState() == TGridState::gsColMoving;
    const bool hot = hoverCovers && !grid.Designing()
                     && ((grid.FHoverFixedX == c.ACol && grid.FHoverFixedY == c.ARow && !moving)
                         || (moving && grid.MovingCell() == c.ACol));
    TRect& r = c.ARect;
    if (hot) {
        r.Bottom += 1;
        const bool pressed = QGuiApplication::mouseButtons() != Qt::NoButton || moving;
        const bool dropDown = cl.FixedDropDownButton() && grid.CanShowFixedDropDown(c.RealCol);
        // The grid's own hover and pressed colours, which the control look's writers fill.
        const TLookGradient& hv = grid.LookState().Hover;
        const TLookGradient& dn = grid.LookState().Down;
        const auto hover = [&](const TRect& a) {
            DrawCellGradient(canvas, a, hv.From, true, false, hv.Border, true, hv.MirrorTo, hv.MirrorFrom, hv.To);
        };
        const auto down = [&](const TRect& a) {
            DrawCellGradient(canvas, a, dn.From, true, false, dn.Border, true, dn.MirrorTo, dn.MirrorFrom, dn.To);
        };
        if (!pressed) {
            hover(r);
        } else if (dropDown) {
            const TRect part{r.Right - 16, r.Top, r.Right, r.Bottom}, rest{r.Left, r.Top, r.Right - 16, r.Bottom};
            const QPoint mouse = grid.viewport()->mapFromGlobal(QCursor::pos());
            if (part.toQRect().contains(mouse))
                down(part), hover(rest);
            else
                down(rest), hover(part);
        } else {
            down(r);
        }
        if (dropDown) {
            const TColor pen = pressed ? dn.Border : hv.Border;
            lineTo(canvas, r.Right - 16, r.Top, r.Right - 16, r.Bottom, pen);
            DrawSmallTriangle(canvas, r.Right - 8, r.Top + 8, pen);
            r.Right -= 16;
        }
        return;
    }
    if (grid.ActiveCellShow
        && ((grid.FixedCols() > 0 && c.ACol == grid.FixedCols() - 1 && c.ARow == grid.Row())
            || (grid.FixedRows() > 0 && c.ARow == grid.FixedRows() - 1 && c.ACol == grid.Col()))) {
        DrawStepGradient(canvas, grid.ActiveCellColor, grid.ActiveCellColorTo, false, r, 64);
        return;
    }
    const auto& ss = Settings.SortSettings;
    if (ss.Column() != -1 && ss.HeaderColor() != clNone && c.RealCol == ss.Column() && c.ARow == grid.FixedRows() - 1
        && (c.RealCol >= grid.FixedCols() || ss.FixedCols())) {
        DrawCellGradient(canvas, r, ss.HeaderColor(), true, false, clNone, true, ss.HeaderMirrorColorTo(),
                         ss.HeaderMirrorColor(), ss.HeaderColorTo());
        return;
    }
    if (!grid.Flat) {
        DrawCellGradient(canvas, r, c.Brush.Color, true, false, clNone, true, c.MirrorColorTo, c.MirrorColor,
                         c.ColorTo);
        if (look == glVista) {
            lineTo(canvas, r.Left, r.Top, r.Left, r.Bottom, platform::clWhite);
            lineTo(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom, platform::clWhite);
        }
    }
}

void TGridPainter::drawLookEdges(TCellPaintContext& c)
{
    QPainter& canvas = *c.Canvas;
    TRect r = c.ARect;
    const TColor dark = HalveColor(platform::colorToRGB(grid.FixedColor()));
    switch (grid.Look) {
    case glClassic: {
        r.Top += 1, r.Bottom += 1, r.Left += 1;
        // Raised inner edge left and top, raised edge right and bottom, then the black line.
        lineTo(canvas, r.Left, r.Top, r.Right - 1, r.Top, platform::clBtnHighlight);
        lineTo(canvas, r.Left, r.Top, r.Left, r.Bottom - 1, platform::clBtnHighlight);
        lineTo(canvas, r.Left, r.Bottom - 2, r.Right - 1, r.Bottom - 2, platform::clBtnShadow);
        lineTo(canvas, r.Right - 2, r.Top, r.Right - 2, r.Bottom - 1, platform::clBtnShadow);
        lineTo(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1, platform::clBlack);
        lineTo(canvas, r.Right - 1, r.Bottom - 1, r.Left - 1, r.Bottom - 1, platform::clBlack);
        break;
    }
    case glVLX:
    case glXP:
        r.Bottom += 1;
        if (grid.HasOption(goFixedHorzLine))
            lineTo(canvas, r.Left, r.Bottom - 1, r.Right - 1, r.Bottom - 1, dark);
        lineTo(canvas, r.Right - 2, r.Top + 1, r.Left + 1, r.Top + 1, platform::clWhite);
        lineTo(canvas, r.Left + 1, r.Top + 1, r.Left + 1, r.Bottom - 1, platform::clWhite);
        break;
    case glSoft:
        r.Right += 1, r.Bottom += 1;
        if (grid.HasOption(goFixedHorzLine)) {
            lineTo(canvas, r.Left, r.Bottom - 1, r.Right - 1, r.Bottom - 1, dark);
            lineTo(canvas, r.Right, r.Top + 1, r.Left + 1, r.Top + 1, platform::clWhite);
            lineTo(canvas, r.Left + 1, r.Top + 1, r.Left + 1, r.Bottom - 1, platform::clWhite);
        }
        if (grid.HasOption(goFixedVertLine)) {
            lineTo(canvas, r.Right - 2, r.Top, r.Right - 2, r.Bottom - 1, dark);
            lineTo(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1, platform::clWhite);
        }
        break;
    default:
        break;
    }
}

void TGridPainter::drawCellBorders(TCellPaintContext& c)
{
    TPen pen;
    TCellBorders borders = 0;
    grid.GetCellBorder(c.RealCol, c.ARow, pen, borders);
    TPen leftPen = pen, topPen = pen, rightPen = pen, bottomPen = pen;
    if (grid.OnGetCellBorderProp)
        grid.OnGetCellBorderProp(&grid, c.ARow, c.RealCol, leftPen, topPen, rightPen, bottomPen);
    if (!borders)
        return;
    TRect r = c.ARect;
    const int half = (pen.Width + 1) / 2;
    const int GLW = grid.GridLineWidth();
    if (grid.HasOption(goVertLine))
        r.Left += half, r.Right -= half;
    if (grid.HasOption(goHorzLine))
        r.Bottom -= half, r.Top += half;
    QPainter& canvas = *c.Canvas;
    // A pen of width w is centred on its line, as the platform's cosmetic pens are.
    const auto vline = [&](int x, int y0, int y1, const TPen& p) {
        if (p.Style == psClear)
            return;
        const int w = std::max(1, p.Width);
        fillRect(canvas, {x - (w - 1) / 2, y0, x - (w - 1) / 2 + w, y1}, p.Color);
    };
    const auto hline = [&](int y, int x0, int x1, const TPen& p) {
        if (p.Style == psClear)
            return;
        const int w = std::max(1, p.Width);
        fillRect(canvas, {x0, y - (w - 1) / 2, x1, y - (w - 1) / 2 + w}, p.Color);
    };
    if (borders & cbLeft)
        vline(std::max(0, r.Left), r.Top, r.Bottom, leftPen);
    if (borders & cbRight)
        vline(r.Right - 1, r.Top, r.Bottom, rightPen);
    if (borders & cbTop)
        hline(GLW > 0 ? std::max(0, r.Top - GLW) : r.Top + 1, r.Left, r.Right, topPen);
    if (borders & cbBottom)
        hline(r.Bottom - 1, r.Left - GLW - 1, r.Right, bottomPen);
}

void TGridPainter::drawNodeLines(TCellPaintContext& c)
{
    QPainter& canvas = *c.Canvas;
    const TCellNode& node = grid.CellNode();
    const TColor pen = node.TreeColor();
    const int indent = node.NodeIndent();
    const int rowIndent = grid.GetRowIndent(c.ARow);
    c.ARect.Left = rowIndent;
    const int X = rowIndent + indent / 2 - indent + 2;
    const int top = c.ARect.Top, bottom = c.ARect.Bottom, mid = top + (bottom - top) / 2;
    const int level = grid.CellHasProperties(0, c.ARow)
                          ? static_cast<const TCellProperties*>(grid.GetGridObject(0, c.ARow))->FNodeLevel
                          : 0;
    if (level <= 0)
        return;
    lineTo(canvas, X, mid, node.ShowTreeFull() ? c.ARect.Right : rowIndent + 4, mid, pen);
    const int span = grid.GetNodeSpanType(c.ARow);
    if (span == 1)
        lineTo(canvas, X, top, X, mid, pen);
    else if (span == 2)
        lineTo(canvas, X, top, X, bottom + 4, pen);
    // The lines of the enclosing levels.
    const bool hasNext = c.ARow + 1 < grid.RowCount();
    const int nextLevel = hasNext && grid.CellHasProperties(0, c.ARow + 1)
                              ? static_cast<const TCellProperties*>(grid.GetGridObject(0, c.ARow + 1))->FNodeLevel
                              : 0;
    for (int i = 1; i <= level; ++i) {
        const int x = X - indent * i;
        if (hasNext && nextLevel > 0)
            lineTo(canvas, x, top, x, bottom + 4, pen);
        else
            lineTo(canvas, x, top, x, mid, pen);
    }
}

} // namespace grid
