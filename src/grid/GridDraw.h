#pragma once
// Drawing helpers the cell painter uses for backgrounds and selection frames. They keep no
// state between calls and leave the painter's pen and brush as they found them.

#include "grid/GridTypes.h"

class QPainter;

namespace grid {

// Fills r in at most `steps` bands from `from` to `to` (left to right when horizontal, else top
// to bottom); a clNone end fills solid with the other colour; nothing for a rectangle of
// height 0.
void DrawStepGradient(QPainter& canvas, TColor from, TColor to, bool horizontal, const TRect& r, int steps);

// Solid or gradient fill (128 bands), with a mirrored second half when mirrorColor is set,
// then an optional border.
void DrawCellGradient(QPainter& canvas, const TRect& r, TColor color, TColor colorTo, TColor mirrorColor,
                      TColor mirrorColorTo, TColor borderColor, bool fill, bool linesOnly, bool vertical);

// Frame with rounded ends: kind 0 both ends, 1 the left end (open right), 2 the right end
// (open left), 3 both sides open, 4 no side lines.
void DrawRoundedFrame(QPainter& canvas, const TRect& r, int kind, TColor fillFrom, TColor fillTo, TColor border,
                      TColor innerUpper, TColor innerLower, TColor corner, TColor outerCorner,
                      TColor lowerFrom, TColor lowerTo);

} // namespace grid
