// The string grid's side of markup cells: the image list of a cell, the request every call for
// a cell shares, and the press's hit test.

#include "grid/markup/GridMarkup.h"

#include "grid/QvGrid.h"

#include <QImage>
#include <QPainter>

namespace grid {

TCustomImageList* TQvStringGrid::GetCellImageList(int, int)
{
    return GridImages;
}

QImage MeasuringDevice(const QWidget* widget)
{
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(widget->logicalDpiX() / 0.0254));
    device.setDotsPerMeterY(qRound(widget->logicalDpiY() / 0.0254));
    return device;
}

RizIVUDE::TMarkupRequest CellMarkupRequest(TQvStringGrid& grid, int realCol, int row)
{
    RizIVUDE::TMarkupRequest m;
    m.Images = grid.GetCellImageList(realCol, row);
    m.FocusAnchor = -1;
    m.HoverAnchor = -1;
    m.ShadowShift = 1;
    m.BlinkVisible = grid.GridBlink();
    m.Wrap = !grid.PaintSettings().EnhTextSize;
    m.ScaleFactor = 0;
    m.AnchorColor = grid.URLColor;
    m.HoverBackColor = clNone;
    m.HoverTextColor = clNone;
    m.ShadowColor = 0x808080;
    m.HighlightColor = grid.HighlightColor;
    m.HighlightTextColor = grid.HighlightTextColor;
    m.PictureCache = &grid.ImageCache();
    m.Pictures = grid.PictureContainer;
    m.Window = grid.viewport();
    m.BiDiMode = grid.layoutDirection() == Qt::RightToLeft ? RizIVUDE::bdRightToLeft : RizIVUDE::bdLeftToRight;
    return m;
}

bool MarkupCellHitTest(TQvStringGrid& grid, int ACol, int ARow, int X, int Y, RizIVUDE::TMarkupResult& result)
{
    const int realCol = grid.RealColIndex(ACol);
    TRect r = grid.CellRect(ACol, ARow);
    r.Left += grid.XYOffset.X + 1;
    if (grid.HasCheckBox(realCol, ARow))
        r.Left += grid.PaintSettings().ControlLook.CheckSize();
    r.Top += grid.XYOffset.Y + 1;
    r.Right -= grid.XYOffset.X;

    TGridDrawState state = 0;
    TBrush brush;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TFont font;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = grid.WordWrap();
    TCellGradientDirection gd = GradientVertical;
    grid.GetVisualProperties(ACol, ARow, state, false, false, true, brush, colorTo, mirror, mirrorTo, font, ha, va, ww,
                             gd);
    font.Size += grid.ZoomFactor;

    QImage device = MeasuringDevice(grid.viewport());
    QPainter canvas(&device);
    canvas.setFont(toQFont(font));
    RizIVUDE::TMarkupRequest m = CellMarkupRequest(grid, realCol, ARow);
    m.Canvas = &canvas;
    m.Text = grid.Cells(realCol, ARow);
    m.Rect = r;
    m.HitX = X;
    m.HitY = Y;
    m.HitTestOnly = true;
    return RizIVUDE::PaintMarkup(m, result);
}

} // namespace grid
