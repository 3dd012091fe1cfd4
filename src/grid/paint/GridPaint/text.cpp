// The text step of the cell painter: selection recolouring, the background pieces inside the
// cell, the selection rectangle, the filter glyph, the text itself and the sort indicator.

#include "grid/QvGrid.h"
#include "grid/look/ZirAzur.h"
#include "grid/look/ZirAzur/canvas.h"
#include "grid/paint/GridPaint.h"

#include "grid/markup/GridMarkup.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>

namespace grid {

using namespace ZirAzur;

bool TGridPainter::isSortHeaderCell(int realCol, int row) const
{
    const auto& ss = Settings.SortSettings;
    if (!ss.Show() || grid.FixedRows() <= 0 || row != ss.Row())
        return false;
    const int pos = grid.SortIndexes().FindIndex(realCol);
    if (realCol != ss.Column() && pos < 0)
        return false;
    if (realCol < grid.FixedCols() && !ss.FixedCols())
        return false;
    return pos < 1 || ss.IndexShow();
}

int TGridPainter::paintCellMarkup(TCellPaintContext& c, const QString& text, const TRect& r)
{
    QPainter& canvas = *c.Canvas;
    RizIVUDE::TMarkupRequest m = CellMarkupRequest(grid, c.RealCol, c.ARow);
    m.Canvas = &canvas;
    m.Text = text;
    m.Rect = r;
    // The point at the top-left corner never hits an anchor: the text starts a pixel further
    // right.
    m.HitX = r.Left;
    m.HitY = r.Top;
    m.AnchorColor = c.URLColor; // the selection's text colour on selected cells
    // Blinking text takes the cell's background while it is hidden.
    canvas.setBrush(c.Brush.Style == bsClear || c.Brush.Color == clNone ? QBrush()
                                                                        : QBrush(platform::toQColor(c.Brush.Color)));
    RizIVUDE::TMarkupResult result;
    RizIVUDE::PaintMarkup(m, result);
    return result.MarkupWidth;
}

// Selected cells take the selection's colours; a grid that hides its selection keeps the
// cell's own colours while unfocused (and always on check-box cells).
bool TGridPainter::recolourSelectedCell(TCellPaintContext& c)
{
    const bool isFixed = grid.IsFixed(c.RealCol, c.ARow);
    const bool normalCol = c.RealCol >= grid.FixedCols() && c.RealCol < grid.ColCount() - grid.FixedRightCols();
    const bool drawnSelected = (c.AState & gdSelected)
                               || (grid.HasOption(goRowSelect) && normalCol && grid.MouseActions().DisjunctRowSelect()
                                   && grid.GetRowSelect(c.SelRow));
    if (!drawnSelected || isFixed)
        return drawnSelected;
    if (grid.ShowSelection) {
        if (grid.SelectionColor != clNone)
            c.Brush.Color = grid.SelectionColor;
        if (grid.SelectionTextColor != clNone && grid.isEnabled())
            c.Font.Color = grid.SelectionTextColor;
        c.URLColor = grid.SelectionTextColor;
    } else if (!hasFocus()
               || (c.Graphic && (c.Graphic->FCellType == ctCheckBox || c.Graphic->FCellType == ctDataCheckBox))) {
        c.Brush.Color = c.SavedBrushColor;
        c.Font.Color = c.SavedFontColor;
        c.URLColor = grid.URLColor;
    }
    return drawnSelected;
}

// The text to show: a formula's result, masked for password cells; sets the text kind.
QString TGridPainter::cellTextToShow(TCellPaintContext& c)
{
    QString text = grid.GetFormattedCell(c.RealCol, c.ARow);
    c.TextKind = GetCellTextKind(text, grid.EnableHTML);
    if (c.TextKind == ctkFormula) {
        text = grid.GetFormulaCellText(c.RealCol, c.ARow);
        c.TextKind = GetCellTextKind(text, grid.EnableHTML);
    }
    bool password = false;
    grid.IsPasswordCell(c.RealCol, c.ARow, password);
    if (password)
        text = QString(text.size(), grid.PasswordChar);
    return text;
}

void TGridPainter::drawFilterGlyph(TCellPaintContext& c)
{
    const TFilterDropDown& fd = grid.FilterDropDown();
    const bool active = grid.FilterActive() && grid.Filter().HasFilter(c.RealCol);
    const TBitmap& glyph = (active && !fd.GlyphActive().Empty()) ? fd.GlyphActive() : fd.Glyph();
    const QImage& img = glyph.Empty() ? GridGlyph(QStringLiteral("QSGFILT")) : glyph.Image;
    DrawTransparentBitmap(
        *c.Canvas, img, grid.FixedColor(),
        {c.ARect.Right - 16, c.ARect.Top, c.ARect.Right - 16 + img.width(), c.ARect.Top + img.height()});
}

// Cells outside a disjunct selection keep their unselected look.
void TGridPainter::applyDisjunctLook(TCellPaintContext& c, bool isFixed)
{
    const auto& ma = grid.MouseActions();
    if (isFixed || QGuiApplication::mouseButtons() != Qt::NoButton
        || !((ma.DisjunctRowSelect() && !grid.GetRowSelect(c.SelRow))
             || (ma.DisjunctColSelect() && !grid.GetColSelect(c.RealCol))))
        return;
    c.URLColor = grid.URLColor;
    c.Brush.Color = grid.Color();
    c.Font.Color = grid.Font().Color;
    grid.GetCellColor(c.RealCol, c.ARow, c.AState, c.Brush, c.Font);
    c.Font.Size += grid.ZoomFactor;
}

// The grid's background picture or gradient inside the cell, where the cell has no colour of
// its own and the selection does not cover it.
void TGridPainter::drawCellBackgroundPieces(TCellPaintContext& c, bool drawnSelected)
{
    QPainter& canvas = *c.Canvas;
    const int GLW = grid.GridLineWidth();
    const auto& bg = Settings.BackGround;
    const bool fixedState = c.AState & gdFixed;
    const bool kindSelected = bg.Cells() == bcAll || (bg.Cells() == bcFixed) == fixedState;
    const bool ownColor = [&] {
        if (!grid.CellHasProperties(c.RealCol, c.ARow))
            return false;
        const auto* p = static_cast<const TCellProperties*>(grid.GetGridObject(c.RealCol, c.ARow));
        return p->FBrushColor != clNone;
    }();
    if (!bg.Bitmap().Empty() && !ownColor && kindSelected && !(drawnSelected && grid.ShowSelection)) {
        const TRect area{c.ARect.Left - GLW + 1, c.ARect.Top - GLW + 1, c.ARect.Right, c.ARect.Bottom};
        if (bg.Display() != bdTile)
            paintCellBackgroundPicture(canvas, area);
        else
            tileCellBackgroundPicture(canvas, area, c.ACol, c.ARow);
    }
    if ((bg.Display() == bdGradientHorz || bg.Display() == bdGradientVert) && bg.ColorTo() != clNone && !ownColor
        && kindSelected
        && !(drawnSelected && grid.ShowSelection && !((c.AState & gdFocused) && !grid.HasOption(goDrawFocusSelected))))
        paintCellBackgroundGradient(canvas,
                                    {c.ARect.Left - 1, c.ARect.Top - GLW, c.ARect.Right, c.ARect.Bottom + GLW - 1});
}

// The selection rectangle's sides that run along this cell, and its resizer corner.
void TGridPainter::drawSelectionRectangle(TCellPaintContext& c)
{
    TGridRect sel = grid.Selection();
    if (grid.IsMergedCell(c.ACol, c.ARow)) {
        const TPoint b = grid.BaseCell(sel.Left, sel.Top);
        sel = {b.X, b.Y, b.X, b.Y};
    }
    if (c.ACol < sel.Left || c.ACol > sel.Right || c.ARow < sel.Top || c.ARow > sel.Bottom)
        return;
    QPainter& canvas = *c.Canvas;
    const int GLW = grid.GridLineWidth();
    const TColor sc = grid.SelectionRectangleColor;
    const TRect& a = c.ARect;
    const int rightEnd = c.ACol == sel.Right ? a.Right - 1 : a.Right;
    if (c.ACol == sel.Left)
        canvas::fillRect(canvas, {a.Left - GLW, a.Top - GLW, a.Left - GLW + 2, a.Bottom + 1}, sc);
    if (c.ACol == sel.Right)
        canvas::fillRect(canvas, {a.Right - 2, a.Top - GLW, a.Right, a.Bottom + 1}, sc);
    if (c.ARow == sel.Top)
        canvas::fillRect(canvas, {a.Left - GLW, a.Top - GLW, rightEnd, a.Top - GLW + 2}, sc);
    if (c.ARow == sel.Bottom)
        canvas::fillRect(canvas, {a.Left - GLW, a.Bottom - 1, rightEnd, a.Bottom + 1}, sc);
    if (grid.SelectionResizer && c.ACol == sel.Right && c.ARow == sel.Bottom) {
        const TRect full = grid.CellRect(c.ACol, c.ARow);
        canvas::fillRect(canvas, {a.Right - 4, a.Bottom - 4, full.Right, full.Bottom}, sc);
    }
}

// The text's rectangle less the offsets and what the graphic and the node indent take;
// answers the shift of the sort indicator behind a graphic on the left.
int TGridPainter::layoutTextRect(TCellPaintContext& c, TRect& tr)
{
    tr.Right -= Settings.XYOffsetTopLeftOnly ? 0 : grid.XYOffset.X;
    tr.Left += grid.XYOffset.X;
    tr.Top += grid.XYOffset.Y;
    c.TextHA = c.HA;
    int sortShift = 0;
    if (c.Graphic) {
        if (c.GraphicHAlign == haBeforeText) {
            tr.Left += c.GraphicWidth;
            if (c.HA == taLeftJustify)
                sortShift = c.GraphicWidth;
        } else if (c.GraphicHAlign == haLeft) {
            sortShift = c.GraphicWidth;
        } else if (c.GraphicHAlign == haAfterText) {
            tr.Right -= c.GraphicWidth;
        }
        if (c.GraphicVAlign == vaAboveText)
            tr.Top += c.GraphicHeight;
        else if (c.GraphicVAlign == vaUnderText)
            tr.Bottom -= c.GraphicHeight;
    }
    const bool nodeRow = c.Graphic && c.Graphic->FCellType == ctNode;
    if (c.RealCol == 0 && grid.HasNodes() && !nodeRow)
        tr.Left += grid.GetRowIndent(c.ARow);
    return sortShift;
}

// The drawing flags of plain text; a one-line cell loses what follows its first line break.
unsigned TGridPainter::textFlags(const TCellPaintContext& c, QString& text) const
{
    unsigned flags = DT_EDITCONTROL;
    const bool multi = Settings.Multilinecells;
    const bool markup = c.TextKind == ctkMarkup;
    if (!c.WW && !multi && !markup) {
        const int nl = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
        if (nl >= 0)
            text = text.left(nl);
    }
    if (!c.WW && !multi) {
        flags = DT_SINGLELINE;
        if (Settings.EnhTextSize)
            flags |= DT_END_ELLIPSIS;
    } else if (c.WW && !multi && Settings.EnhTextSize) {
        flags |= DT_END_ELLIPSIS;
    }
    flags |= DT_EXPANDTABS | DT_NOPREFIX;
    flags |= c.HA == taRightJustify ? DT_RIGHT : c.HA == taCenter ? DT_CENTER : DT_LEFT;
    flags |= c.VA == vtaBottom ? DT_BOTTOM : c.VA == vtaCenter ? DT_VCENTER : DT_TOP;
    if (c.WW || multi)
        flags |= DT_WORDBREAK | DT_EDITCONTROL;
    else
        flags |= DT_SINGLELINE;
    return flags;
}

// The text in its kind: markup, rich text or plain; answers the width measured for the sort
// indicator.
int TGridPainter::drawTextBody(TCellPaintContext& c, const QString& text, const TRect& tr, unsigned flags,
                               bool sortHeader, bool drawnSelected, int measured)
{
    QPainter& canvas = *c.Canvas;
    const bool markup = c.TextKind == ctkMarkup;
    if (c.Graphic && !text.isEmpty() && !markup) {
        TRect m = tr;
        DrawTextFlags(canvas, text, m, flags | DT_CALCRECT);
        c.TextWidth = m.Width() + 2;
    }
    if (markup) {
        TRect mr = tr;
        mr.Left -= 1;
        if (c.FilterGlyph)
            mr.Right -= 2; // 18 in all, 16 of them taken above
        if (sortHeader)
            mr.Right -= 10;
        measured = paintCellMarkup(c, text, mr);
        c.TextWidth = measured + 2;
    } else if (c.TextKind == ctkRichText) {
        // A selected cell of an unfocused grid without a selection colour keeps what lies
        // beneath.
        if (!(drawnSelected && !hasFocus() && grid.SelectionColor == clNone) && c.Brush.Color != clNone)
            canvas::fillRect(canvas, tr, c.Brush.Color);
        grid.RenderRichCell(c.RealCol, c.ARow, tr, canvas);
    } else if (!text.isEmpty() && !tr.IsEmpty()) {
        canvas.save();
        canvas.setClipRect(tr.toQRect(), Qt::IntersectClip);
        TRect r = tr;
        DrawTextFlags(canvas, text, r, flags);
        canvas.restore();
    }
    return measured;
}

void TGridPainter::drawCellSortIndicator(TCellPaintContext& c, int measured, int sortShift)
{
    TRect a = c.ARect;
    if (c.FilterGlyph)
        a.Right -= 16;
    const int y = c.VA == vtaTop ? a.Top + 8 : c.VA == vtaCenter ? a.Top + (a.Bottom - a.Top) / 2 : a.Bottom - 8;
    const int w = std::max(0, std::min(a.Right - a.Left - 16, measured));
    // Markup kept 10 pixels free at the right for the indicator; plain text has it follow the
    // text.
    const int x = c.TextKind == ctkMarkup  ? a.Right - 10 + 2
                  : c.HA == taLeftJustify  ? a.Left + w + sortShift + 10
                  : c.HA == taRightJustify ? a.Right - w - 10
                                           : a.Left + 8;
    DrawSortIndicator(*c.Canvas, c.RealCol, y, x);
}

// The text step: layout, font and URL look, flags, the text, its marked range and the sort
// indicator.
void TGridPainter::drawShownText(TCellPaintContext& c, QString text, TRect tr, bool drawnSelected)
{
    QPainter& canvas = *c.Canvas;
    const int sortShift = layoutTextRect(c, tr);
    const bool sortHeader = isSortHeaderCell(c.RealCol, c.ARow);
    canvas.setFont(toQFont(c.Font));
    canvas.setPen(platform::toQColor(c.Font.Color));
    const QFontMetrics fm(canvas.font());
    if (c.HA == taCenter && sortHeader)
        tr.Left += 10;
    if (Settings.URLShow && TextIsUrl(text)) {
        if (!Settings.URLFull)
            StripUrlScheme(text);
        QFont f = canvas.font();
        f.setUnderline(true);
        canvas.setFont(f);
        canvas.setPen(platform::toQColor(c.URLColor));
    }
    const unsigned flags = textFlags(c, text);
    if (c.FilterGlyph)
        tr.Right -= 16;
    // Measured in the cell's font, before a URL's underline.
    const int measured = drawTextBody(c, text, tr, flags, sortHeader, drawnSelected, fm.horizontalAdvance(text));
    const TCellGraphic* g = c.Graphic;
    if (c.TextKind != ctkMarkup && g && (g->FCellType == ctEmpty || g->FCellType == ctValue) && g->FCellErrLen > 0)
        DrawErrorUnderline(canvas, canvas.font(), text, g->FCellErrFrom, g->FCellErrLen, fm.height(), tr);
    if (sortHeader)
        drawCellSortIndicator(c, measured, sortShift);
}

void TGridPainter::drawCellText(TCellPaintContext& c)
{
    QPainter& canvas = *c.Canvas;
    const bool isFixed = grid.IsFixed(c.RealCol, c.ARow);
    const bool drawnSelected = recolourSelectedCell(c);
    const QString text = cellTextToShow(c);
    // Text rectangle: inside a fixed cell's grid lines; a scroll offset moves the text up,
    // clipped to the cell.
    TRect tr = c.ARect;
    if (isFixed) {
        tr.Left += grid.GridLineWidth();
        tr.Top += grid.GridLineWidth();
    }
    canvas.save();
    if (c.ScrollOffset > 0) {
        canvas.setClipRect(c.ARect.toQRect(), Qt::IntersectClip);
        tr.Top -= c.ScrollOffset;
    }
    if (c.FilterGlyph)
        drawFilterGlyph(c);
    applyDisjunctLook(c, isFixed);
    drawCellBackgroundPieces(c, drawnSelected);
    if (grid.SelectionRectangle && !isFixed)
        drawSelectionRectangle(c);
    if (c.TextShown)
        drawShownText(c, text, tr, drawnSelected);
    canvas.restore();
}

} // namespace grid
