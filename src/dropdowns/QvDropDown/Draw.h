#pragma once
// Canvas helpers of the drop-down unit's painters, following the classic canvas rules the
// looks were written against: a filled rectangle covers Left..Right-1 and Top..Bottom-1, a
// frame is the outline of that area, edges give the top and left lines to one colour and the
// bottom and right lines (with both far corners) to the other.

#include "grid/GridTypes.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

class QWidget;

namespace dropdowns::draw {

using grid::TColor;

void fill(QPainter& canvas, const QRect& r, TColor color);
// A 1-pixel outline of r.
void frame(QPainter& canvas, const QRect& r, TColor color);
// An outline `width` pixels thick, inside r.
void frame(QPainter& canvas, const QRect& r, TColor color, int width);
// One 1-pixel ring: top and left lines in `topLeft`, bottom and right lines in `bottomRight`.
void edgeRing(QPainter& canvas, const QRect& r, TColor topLeft, TColor bottomRight);

// The two-ring edges of the desktop's classic look.
enum class Edge { Raised, Sunken, Etched, RaisedOuter, SunkenOuter, PushRaised, PushPressed };
// Draws the edge and answers the rectangle inside it.
QRect drawEdge(QPainter& canvas, const QRect& r, Edge edge);

// The small drop arrow every drop button shows, at its fixed place: rows 7 to 10, 7 pixels wide
// at the top narrowing to 1 (the triangle (5, 7), (11, 7), (8, 10) filled with its outline).
void dropArrow(QPainter& canvas, TColor color, const QPoint& offset = {});

// Draws a picture with automatic transparency: pixels of the colour of its bottom-left pixel
// are left out.
void transparentImage(QPainter& canvas, const QPoint& at, const QImage& image);

// Draws one theme part through the drop-downs' visual-styles table (the theme class opened
// for the window and closed again); false when none was drawn (no table, no theme).
bool themePart(QWidget* window, const QString& themeClass, QPainter& canvas, int part, int state, const QRect& r);

// A polyline that stops just before its last point, 1 pixel wide.
void polyline(QPainter& canvas, TColor color, std::initializer_list<QPoint> points);

} // namespace dropdowns::draw
