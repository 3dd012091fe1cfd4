// Cell geometry (merged areas included) and the grid's own cell painter.

#include "grid/BaseGrid.h"
#include "grid/look/ZirAzur.h"

#include <QPainter>

namespace grid {

namespace {

struct SelectionLook {
    TColor from, to, border, innerUpper, innerLower, corner, lowerFrom, lowerTo;
};

// Colours of the selection looks while the grid has the focus, and the grey set otherwise.
constexpr SelectionLook kVista{0xFDF8F1, 0xFCEFD5, 0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB, clNone, clNone};
constexpr SelectionLook kWin7{0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE, clNone, clNone};
constexpr SelectionLook kOffice2007{0xD7FFFD, 0x58D4FC, 0x8DD7D3, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x58D4FC, 0xB3F1FC};
constexpr SelectionLook kInactive{0xF8F8F8, 0xE5E5E5, 0xD9D9D9, 0xFBFAFA, 0xF0F0F0, 0xEFEFEF, clNone, clNone};

} // namespace

int TBaseGrid::FixedColsWidth() const
{
    return int(ColWidthsSum(0, FixedCols()));
}

int TBaseGrid::FixedRowsHeight() const
{
    return int(RowHeightsSum(0, FixedRows()));
}

TRect TBaseGrid::VirtualCellRect(int c, int r) const
{
    long long x, y;
    if (c < FixedCols())
        x = ColWidthsSum(0, c);
    else
        x = FixedColsWidth() + (c >= LeftCol() ? ColWidthsSum(LeftCol(), c) : -ColWidthsSum(c, LeftCol()));
    if (r < FixedRows())
        y = RowHeightsSum(0, r);
    else
        y = FixedRowsHeight() + (r >= TopRow() ? RowHeightsSum(TopRow(), r) : -RowHeightsSum(r, TopRow()));
    return {int(x), int(y), int(x) + ColWidths(c), int(y) + RowHeights(r)};
}

TRect TBaseGrid::CellRect(int c, int r) const
{
    const TCellProperties* p = props(c, r);
    if (p && (p->FCellSpanX != -1 || p->FCellSpanY != -1)) {
        const TPoint b = p->GetBaseCell(c, r);
        const TCellProperties* bp = props(b.X, b.Y);
        const int sx = bp ? std::max(0, bp->FCellSpanX) : 0;
        const int sy = bp ? std::max(0, bp->FCellSpanY) : 0;
        TRect r1 = VirtualCellRect(b.X, b.Y);
        if (r1.Width() <= 0)
            r1.Right += 1;
        TRect r2 = VirtualCellRect(b.X + sx, b.Y + sy);
        if (r2.Width() <= 0)
            r2.Left -= 1;
        return UnionRect(r1, r2);
    }
    if (p && p->FControl)
        return VirtualCellRect(c, r);
    return TStringGrid::CellRect(c, r);
}

TPoint TBaseGrid::CellSize(int c, int r) const
{
    TRect rect = VirtualCellRect(c, r);
    if (IsMergedCell(c, r)) {
        const TPoint b = BaseCell(c, r);
        const TPoint s = CellSpan(c, r);
        rect = UnionRect(VirtualCellRect(b.X, b.Y), VirtualCellRect(b.X + s.X, b.Y + s.Y));
    }
    return {rect.Width(), rect.Height()};
}

void TBaseGrid::RepaintCell(int c, int r)
{
    const TRect rect = CellRect(c, r);
    if (!rect.IsEmpty())
        viewport()->update(rect.toQRect());
}

void TBaseGrid::Paint()
{
    TStringGrid::Paint();
    ++FPaintID;
}

void TBaseGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state)
{
    if (!Canvas())
        return;
    TRect r = rect;
    PaintCell(*Canvas(), col, row, r, state);
}

void TBaseGrid::PaintCell(QPainter& canvas, int col, int row, TRect& rect, TGridDrawState state)
{
    paintCellCore(canvas, col, row, rect, state, true);
}

void TBaseGrid::PaintCellExt(QPainter& canvas, int col, int row, TRect& rect, TGridDrawState state)
{
    paintCellCore(canvas, col, row, rect, state, false);
}

// The look the base grid gives a cell's background.
struct TBaseGrid::TCellBackLook {
    TFont Font;
    TBrush Brush;
    TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
    TCellGradientDirection GD = GradientVertical;
};

// A covered cell paints its merge once per paint pass, through the base cell; answers false
// for such a cell (nothing more to paint here).
bool TBaseGrid::paintMergeOnce(QPainter& canvas, int col, int row, const TRect& rect, TGridDrawState state, bool full)
{
    int bc, br;
    if (!ResolveBaseCell(col, row, bc, br)) {
        TCellProperties* bp = props(bc, br);
        if (bp && bp->FPaintID != FPaintID) {
            bp->FPaintID = FPaintID;
            TRect br2 = rect;
            PaintCell(canvas, bc, br, br2, state);
        }
        return false;
    }
    if (full) {
        if (TCellProperties* p = props(col, row); p && (p->FCellSpanX > 0 || p->FCellSpanY > 0))
            p->FPaintID = FPaintID; // covered cells later in this pass need not paint it again
    }
    return true;
}

// A merge partly scrolled under the fixed cells must not paint over them.
void TBaseGrid::clipUnderFixedCells(QPainter& canvas, int col, int row, const TRect& rect)
{
    const bool scrollCol = col >= FixedCols() && FixedCols() > 0 && rect.Left < FixedColsWidth();
    const bool scrollRow = row >= FixedRows() && FixedRows() > 0 && rect.Top < FixedRowsHeight();
    if (scrollCol || scrollRow) {
        const int x0 = col >= FixedCols() ? FixedColsWidth() : 0;
        const int y0 = row >= FixedRows() ? FixedRowsHeight() : 0;
        canvas.setClipRect(QRect(x0, y0, viewport()->width() - x0, viewport()->height() - y0), Qt::IntersectClip);
    }
}

// The cell's colours: the grid's, the cell's own, then the hover row and the active row.
TBaseGrid::TCellBackLook TBaseGrid::cellBackLook(int col, int row, TGridDrawState state, bool full)
{
    const bool fixed = state & gdFixed;
    const bool selected = state & gdSelected;
    TCellBackLook k;
    k.Font = Font();
    k.Brush = {fixed ? FixedColor() : selected ? platform::clHighlight : Color(), bsSolid};
    if (selected && !fixed)
        k.Font.Color = platform::clHighlightText;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = FWordWrap;
    GetVisualProperties(col, row, state, false, true, true, k.Brush, k.ColorTo, k.Mirror, k.MirrorTo, k.Font, ha, va,
                        ww, k.GD);
    if (row == FHoverRowIdx && FHoverRow && !((state & gdSelected) && !(FHoverRowCells & hcSelected))
        && !((state & gdFixed) && !(FHoverRowCells & hcFixed))) {
        k.Brush.Color = FHoverRowColor;
        k.ColorTo = FHoverRowColorTo;
        k.Mirror = clNone;
        k.MirrorTo = clNone;
        k.GD = GradientVertical;
    }
    if ((FActiveRowShow && row == Row() && col >= FixedCols() && (col != Col() || !FShowSel))
        || (!full && (state & gdSelected))) {
        k.Brush.Color = FActiveRowColor;
        k.ColorTo = FActiveRowColorTo;
        k.Mirror = FActiveRowMirrorColor;
        k.MirrorTo = FActiveRowMirrorColorTo;
    }
    return k;
}

// A selected cell in one of the rounded selection styles: the frame's piece for this column.
void TBaseGrid::paintStyledSelection(QPainter& canvas, int col, const TRect& rect)
{
    TRect fr = rect;
    if (!HasOption(goHorzLine))
        fr.Bottom += 1;
    if (!HasOption(goVertLine))
        fr.Right += 1;
    const TGridRect sel = Selection();
    const int l = std::min(sel.Left, sel.Right), rgt = std::max(sel.Left, sel.Right);
    int kind = 0;
    if (col == l && l < rgt)
        kind = 1;
    else if (col == rgt && rgt > l)
        kind = 2;
    else if (l < col && col < rgt)
        kind = 3;
    const bool active = hasFocus() || HasOption(goDrawFocusSelected);
    const SelectionLook& look = !active                      ? kInactive
                                : FSelectionStyle == ssVista ? kVista
                                : FSelectionStyle == ssWin7  ? kWin7
                                                             : kOffice2007;
    canvas.fillRect(fr.toQRect(), platform::toQColor(Color()));
    ZirAzur::DrawRoundedFrame(canvas, look.from, look.to, look.lowerFrom, look.lowerTo, look.innerUpper,
                              look.innerLower, look.border, look.corner, Color(), fr, kind);
}

void TBaseGrid::paintCellBackground(QPainter& canvas, int col, const TRect& rect, TGridDrawState state,
                                    const TCellBackLook& k)
{
    if ((state & gdSelected) && FSelectionStyle != ssDefault && FShowSel) {
        paintStyledSelection(canvas, col, rect);
    } else if (!UsesPlatformStyles() || !(state & (gdFixed | gdSelected))) {
        if (k.MirrorTo == clNone)
            ZirAzur::DrawStepGradient(canvas, k.Brush.Color, k.ColorTo, k.GD == GradientHorizontal, rect, 64);
        else
            ZirAzur::DrawCellGradient(canvas, rect, k.Brush.Color, true, false, clNone, true, k.MirrorTo, k.Mirror,
                                      k.ColorTo);
    }
}

// Lines: a line of width w takes the last w pixels of the cell.
void TBaseGrid::paintCellLines(QPainter& canvas, int col, int row, const TRect& rect, bool fixed, TColor brushColor)
{
    const TColor lineColor = fixed ? FGridFixedLineColor : (FGridLineWidth > 0 ? FGridLineColor : brushColor);
    const int w = fixed ? 1 : FGridLineWidth;
    if (w <= 0)
        return;
    const QColor lc = platform::toQColor(lineColor);
    const bool nodeColumn = BaseCell(col, row).X == 0 && HasNodes();
    if (!nodeColumn && ((HasOption(goHorzLine) && !fixed) || (HasOption(goFixedHorzLine) && fixed)))
        canvas.fillRect(QRect(rect.Left, rect.Bottom - w, rect.Width(), w), lc);
    if ((HasOption(goVertLine) && !fixed) || (HasOption(goFixedVertLine) && fixed))
        canvas.fillRect(QRect(rect.Right - w, rect.Top, w, rect.Height()), lc);
}

// What the content painter gets: inside the lines.
TRect TBaseGrid::cellContentRect(const TRect& rect, bool fixed) const
{
    TRect content = rect;
    if (fixed) {
        content.Right -= 1;
        content.Bottom -= 2;
    } else {
        content.Left += FGridLineWidth;
        content.Top += FGridLineWidth;
        content.Right -= FGridLineWidth;
        content.Bottom -= FGridLineWidth;
    }
    return content;
}

void TBaseGrid::paintCellCore(QPainter& canvas, int col, int row, TRect& rect, TGridDrawState state, bool full)
{
    // The hidden last row only carries the footer's values.
    if (FHideLastRow && row == RowCount() - 1) {
        canvas.fillRect(rect.toQRect(), platform::toQColor(Color()));
        return;
    }
    if (!paintMergeOnce(canvas, col, row, rect, state, full))
        return;
    const TRect saved = rect;
    // A full paint draws a fixed cell unselected, on the cell's own rectangle.
    if (full) {
        if (IsFixed(col, row)) {
            state |= gdFixed;
            state &= ~gdSelected;
        }
        rect = CellRect(col, row);
    }
    canvas.save();
    clipUnderFixedCells(canvas, col, row, rect);
    const TCellBackLook look = cellBackLook(col, row, state, full);
    canvas.setFont(toQFont(look.Font));
    paintCellBackground(canvas, col, rect, state, look);
    const bool fixed = state & gdFixed;
    paintCellLines(canvas, col, row, rect, fixed, look.Brush.Color);
    if (full) {
        TRect content = cellContentRect(rect, fixed);
        canvas.setPen(platform::toQColor(look.Font.Color));
        PaintCellContent(canvas, col, row, content, state);
    }
    // Clip and rectangle back as the caller gave them.
    canvas.restore();
    rect = saved;
}

void TBaseGrid::PaintCellContent(QPainter& canvas, int col, int row, TRect& rect, TGridDrawState)
{
    const QString text = GetCellEx(col, row);
    if (text.isEmpty() || rect.IsEmpty())
        return;
    canvas.drawText(rect.toQRect(), Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

} // namespace grid
