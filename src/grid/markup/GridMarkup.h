#pragma once
// The string grid's side of markup cells (call flow in RizIVUDE.h): what every call of the
// renderer for a grid cell shares, and the press's hit test that finds the anchor or inline
// control under the pointer. The painter draws the cell with the same request.

#include "grid/markup/RizIVUDE.h"

#include <QImage>

namespace grid {

class TQvStringGrid;

// A 1 x 1 image of the widget's resolution to measure text on, so the widths are the ones
// painted on the widget.
QImage MeasuringDevice(const QWidget* widget);

// The request for a cell's text with the grid's pictures, image list, link colour, blink
// phase, wrapping (off with EnhTextSize), window and reading direction. Canvas, text,
// rectangle, point and passes are the caller's.
RizIVUDE::TMarkupRequest CellMarkupRequest(TQvStringGrid& grid, int realCol, int row);

// Hit-tests the markup of the displayed cell (ACol, ARow) at the viewport point (X, Y), on the
// cell's rectangle moved in by XYOffset (and by the check box's size when the cell has one), in
// the cell's font. Answers whether an anchor's text, an image in an anchor or an inline
// control is under the point; result says which.
bool MarkupCellHitTest(TQvStringGrid& grid, int ACol, int ARow, int X, int Y, RizIVUDE::TMarkupResult& result);

} // namespace grid
