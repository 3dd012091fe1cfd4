#pragma once
// Canvas primitives with the classic rules the helpers rely on: rectangles cover Left..Right-1
// and Top..Bottom-1, lines stop before their end point, triangles are filled with their
// outline. Everything goes through integer fillRect calls, so results are exact pixels.

#include "grid/GridTypes.h"

class QPainter;

namespace grid::ZirAzur::canvas {

void fillRect(QPainter& canvas, const TRect& r, TColor color);
// Outline in pen, inside in brush.
void rectangle(QPainter& canvas, const TRect& r, TColor pen, TColor brush);
void frameRect(QPainter& canvas, const TRect& r, TColor color);
// Horizontal or vertical line from (x0, y0) up to, not including, (x1, y1).
void lineTo(QPainter& canvas, int x0, int y0, int x1, int y1, TColor color);
void setPixel(QPainter& canvas, int x, int y, TColor color);
// Triangle with a horizontal base x0..x1 on row baseY and its point above (up) or below (down).
void triangleUp(QPainter& canvas, int x0, int x1, int baseY, TColor color);
void triangleDown(QPainter& canvas, int x0, int x1, int baseY, TColor color);

enum Arrow { ArrowUp, ArrowDown };
// Classic 3-D (or flat) push button face.
void classicButton(QPainter& canvas, const TRect& r, bool flat, bool pushed, bool disabled);
// Classic button face with a centred arrow (scroll-bar style frame control).
void classicArrowButton(QPainter& canvas, const TRect& r, Arrow arrow, bool flat, bool pushed, bool disabled);

} // namespace grid::ZirAzur::canvas
