// Painting of the string grid: every visible cell through DrawCell, then the lines between
// cells in the platform's line width.

#include "grid/StringGrid.h"

#include <QPaintEvent>
#include <QPainter>

namespace grid {

void TStringGrid::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    canvas = &p;
    try {
        Paint();
    } catch (...) {
        canvas = nullptr;
        throw;
    }
    canvas = nullptr;
}

void TStringGrid::Paint()
{
    if (canvas)
        PaintCells(*canvas);
}

void TStringGrid::PaintCells(QPainter& p)
{
    QPainter* saved = canvas;
    canvas = &p;
    const int w = viewport()->width();
    const int h = viewport()->height();
    p.fillRect(0, 0, w, h, platform::toQColor(color));
    p.setFont(toQFont(font));
    const TGridRect sel = Selection();
    const bool focused = hasFocus() || (editor && editor->hasFocus());

    std::vector<int> cols;
    for (int c = 0; c < fixedCols && c < colCount; ++c)
        cols.push_back(c);
    std::vector<int> rows;
    for (int r = 0; r < fixedRows && r < rowCount; ++r)
        rows.push_back(r);
    {
        int x = fixedWidth();
        for (int c = topLeft.X; c < colCount && x < w; ++c) {
            cols.push_back(c);
            x += ColWidths(c) + lineWidth;
        }
        int y = fixedHeight();
        for (int r = topLeft.Y; r < rowCount && y < h; ++r) {
            rows.push_back(r);
            y += RowHeights(r) + lineWidth;
        }
    }

    int y = 0;
    for (int r : rows) {
        const int rh = RowHeights(r);
        int x = 0;
        for (int c : cols) {
            const int cw = ColWidths(c);
            const bool fixed = c < fixedCols || r < fixedRows;
            TGridDrawState st = 0;
            if (fixed)
                st |= gdFixed;
            else {
                const bool inSel = c >= sel.Left && c <= sel.Right && r >= sel.Top && r <= sel.Bottom;
                const bool isCurrent = c == current.X && r == current.Y;
                if (isCurrent && focused)
                    st |= gdFocused;
                if (inSel && !((st & gdFocused) && !(options & (goDrawFocusSelected | goRowSelect))))
                    st |= gdSelected;
            }
            const TRect rect{x, y, x + cw, y + rh};
            p.save();
            DrawCell(c, r, rect, st);
            p.restore();
            if (lineWidth > 0) {
                const bool vert = fixed ? (options & goFixedVertLine) : (options & goVertLine);
                const bool horz = fixed ? (options & goFixedHorzLine) : (options & goHorzLine);
                const QColor lc = platform::toQColor(fixed ? platform::clBlack : platform::clSilver);
                if (vert)
                    p.fillRect(x + cw, y, lineWidth, rh + lineWidth, lc);
                if (horz)
                    p.fillRect(x, y + rh, cw + lineWidth, lineWidth, lc);
            }
            x += cw + lineWidth;
        }
        y += rh + lineWidth;
    }
    canvas = saved;
}

void TStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState st)
{
    if (defaultDrawing && canvas) {
        QPainter& p = *canvas;
        TColor bg = color, fg = font.Color;
        if (st & gdFixed)
            bg = fixedColor;
        else if (st & gdSelected) {
            bg = platform::clHighlight;
            fg = platform::clHighlightText;
        }
        p.fillRect(rect.toQRect(), platform::toQColor(bg));
        const QString text = Cells(col, row);
        if (!text.isEmpty()) {
            p.setPen(platform::toQColor(fg));
            p.setClipRect(rect.toQRect());
            p.drawText(QRect(rect.Left + 2, rect.Top + 2, rect.Width() - 2, rect.Height() - 2),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
            p.setClipping(false);
        }
    }
    if (OnDrawCell)
        OnDrawCell(this, col, row, rect, st);
}

} // namespace grid
