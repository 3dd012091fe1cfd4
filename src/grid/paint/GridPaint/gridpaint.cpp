// The grid's paint cycle around the cells: the edit frame, the background picture or gradient
// outside and inside the cells, and the string grid's routing into the painter.

#include "grid/paint/GridPaint.h"
#include "grid/QvGrid.h"
#include "grid/look/ZirAzur.h"
#include "grid/look/ZirAzur/canvas.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>

namespace grid {

using namespace ZirAzur;

// ---- the string grid's side ----------------------------------------------------------------

void TGridPainterDeleter::operator()(TGridPainter* p) const
{
    delete p;
}

TGridPainter& TQvStringGrid::Painter()
{
    if (!FPainter)
        FPainter.reset(new TGridPainter(*this));
    return *FPainter;
}

TGridProgressAppearance& TQvStringGrid::ProgressAppearance()
{
    return Painter().ProgressAppearance;
}

void TQvStringGrid::PaintCellContent(QPainter& canvas, int col, int row, TRect& rect, TGridDrawState state)
{
    PaintGridCell(canvas, col, row, rect, state);
}

void TQvStringGrid::PaintGridCell(QPainter& canvas, int ACol, int ARow, TRect& ARect, TGridDrawState AState)
{
    Painter().PaintGridCell(canvas, ACol, ARow, ARect, AState);
}

void TQvStringGrid::Paint()
{
    TBaseGrid::Paint();
    if (Canvas()) {
        Painter().PaintAfterCells(*Canvas());
        paintAroundCells(*Canvas());
    }
    if (OnPainted)
        OnPainted(this);
}

// ---- the painter ---------------------------------------------------------------------------

void TGridPainter::PaintAfterCells(QPainter& canvas)
{
    if (grid.EditorMode()) {
        TColor pen = grid.GridLineWidth() < 1 ? grid.Color() : grid.GridLineColor();
        if (!grid.HasOption(goHorzLine) && !grid.HasOption(goVertLine))
            pen = grid.Color();
        canvas::frameRect(canvas, grid.CellRect(grid.Col(), grid.Row()), pen);
    }
    const auto& bg = Settings.BackGround;
    if (!bg.Bitmap().Empty() || bg.ColorTo() != clNone)
        PaintBackgroundOutsideCells(canvas);
}

void TGridPainter::PaintBackgroundOutsideCells(QPainter& canvas)
{
    const auto& bg = Settings.BackGround;
    const int colCount = grid.ColCount(), rowCount = grid.RowCount();
    if (grid.TopRow() + grid.VisibleRowCount() < rowCount && grid.LeftCol() + grid.VisibleColCount() < colCount)
        return;
    const bool gradient = bg.Display() == bdGradientHorz || bg.Display() == bdGradientVert;
    if (gradient && bg.ColorTo() == clNone && bg.Bitmap().Empty())
        return;
    const int w = grid.viewport()->width(), h = grid.viewport()->height();
    const int GLW = grid.GridLineWidth();
    QRegion region;
    const TRect lastCol = grid.CellRect(colCount - 1, grid.TopRow());
    if (!lastCol.IsEmpty() && lastCol.Right + GLW < w)
        region += QRect(lastCol.Right + GLW, 0, w - lastCol.Right - GLW, h);
    const TRect lastRow = grid.CellRect(grid.LeftCol(), rowCount - 1);
    if (!lastRow.IsEmpty() && lastRow.Bottom + GLW < h)
        region += QRect(0, lastRow.Bottom + GLW, w, h - lastRow.Bottom - GLW);
    if (region.isEmpty())
        return;
    TRect client{0, 0, w, h};
    canvas.save();
    canvas.setClipRegion(region, Qt::IntersectClip);
    if (bg.Bitmap().Empty()) {
        if (gradient)
            DrawStepGradient(canvas, bg.Color(), bg.ColorTo(), bg.Display() == bdGradientHorz, client, 128);
    } else if (bg.Display() != bdTile) {
        DrawFixedBackgroundPicture(canvas, client);
    } else if (bg.Cells() != bcFixed) {
        if (bg.Cells() == bcNormal) {
            client.Left = grid.FixedColsWidth() + grid.XYOffset.X;
            client.Top = grid.FixedRowsHeight() + grid.XYOffset.Y;
        }
        TileBackgroundPicture(canvas, client);
    }
    canvas.restore();
}

void TGridPainter::DrawFixedBackgroundPicture(QPainter& canvas, const TRect& r)
{
    paintCellBackgroundPicture(canvas, r);
}

void TGridPainter::paintCellBackgroundPicture(QPainter& canvas, const TRect& area)
{
    const auto& bg = Settings.BackGround;
    const QRect pic(bg.Left(), bg.Top(), bg.Bitmap().Width(), bg.Bitmap().Height());
    const QRect hit = pic.intersected(area.toQRect());
    if (hit.isEmpty())
        return;
    canvas.drawImage(hit.topLeft(), bg.Bitmap().Image, hit.translated(-pic.topLeft()));
}

void TGridPainter::TileBackgroundPicture(QPainter& canvas, const TRect& r)
{
    const QImage& img = Settings.BackGround.Bitmap().Image;
    if (img.isNull())
        return;
    canvas.save();
    canvas.setClipRect(r.toQRect(), Qt::IntersectClip);
    for (int y = r.Top - 1; y < r.Bottom; y += img.height())
        for (int x = r.Left - 1; x < r.Right; x += img.width())
            canvas.drawImage(x, y, img);
    canvas.restore();
}

void TGridPainter::tileCellBackgroundPicture(QPainter& canvas, const TRect& area, int col, int row)
{
    const auto& bg = Settings.BackGround;
    const QImage& img = bg.Bitmap().Image;
    if (img.isNull() || area.IsEmpty())
        return;
    // Offsets from the first tiled column and row make the tiles of neighbouring cells meet.
    const int firstCol = bg.Cells() == bcNormal ? grid.FixedCols() : 0;
    const int firstRow = bg.Cells() == bcNormal ? grid.FixedRows() : 0;
    const long long W = col >= firstCol ? grid.ColWidthsSum(firstCol, col) : 0;
    const long long H = row >= firstRow ? grid.RowHeightsSum(firstRow, row) : 0;
    const int ox = int(W % img.width()), oy = int(H % img.height());
    canvas.save();
    canvas.setClipRect(area.toQRect(), Qt::IntersectClip);
    for (int y = area.Top - oy; y < area.Bottom; y += img.height())
        for (int x = area.Left - ox; x < area.Right; x += img.width())
            canvas.drawImage(x, y, img);
    canvas.restore();
}

void TGridPainter::paintCellBackgroundGradient(QPainter& canvas, const TRect& area)
{
    const auto& bg = Settings.BackGround;
    const bool horz = bg.Display() == bdGradientHorz;
    const int extent = horz ? grid.viewport()->width() : grid.viewport()->height();
    const int p0 = horz ? area.Left : area.Top, p1 = horz ? area.Right : area.Bottom;
    const TColor from = ColorBetween(bg.Color(), bg.ColorTo(), 0, p0, extent);
    const TColor to = ColorBetween(bg.Color(), bg.ColorTo(), 0, p1, extent);
    DrawStepGradient(canvas, from, to, horz, area, 128);
}

} // namespace grid
