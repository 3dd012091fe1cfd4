#pragma once
// The grid's rows or its columns seen along one axis, so the logic that runs the same way over
// both is written once: the coordinate of a point along an axis, the cell at a position along
// and across it, and a view of one axis of a grid (count, fixed, footers or right columns,
// sizes, current cell, anchor and top-left coordinate). The design's row and column pairs
// (SetFixedCols / SetFixedRows, IsXMergedCell / IsYMergedCell, SplitColumnCells /
// SplitRowCells, ...) stay as one-line wrappers over the routine that takes an axis.

#include "grid/GridTypes.h"

#include <functional>

namespace grid {

class TStringGrid;

enum TGridAxisKind { gaColumns, gaRows };

constexpr TGridAxisKind AcrossAxis(TGridAxisKind k)
{
    return k == gaColumns ? gaRows : gaColumns;
}

// A point's coordinate along the axis: X for columns, Y for rows.
inline int& Along(TPoint& p, TGridAxisKind k)
{
    return k == gaColumns ? p.X : p.Y;
}
inline int Along(const TPoint& p, TGridAxisKind k)
{
    return k == gaColumns ? p.X : p.Y;
}

// The cell at position `along` on the axis and `across` on the other.
inline TPoint AxisCell(TGridAxisKind k, int along, int across)
{
    return k == gaColumns ? TPoint{along, across} : TPoint{across, along};
}

// One axis of a grid as it stands when asked (the size functions read the grid live).
struct TGridAxis {
    TGridAxisKind Kind = gaColumns;
    int Count = 0;                         // ColCount / RowCount
    int Fixed = 0;                         // FixedCols / FixedRows
    int Trailing = 0;                      // fixed right columns / fixed footer rows
    int Visible = 0;                       // VisibleColCount / VisibleRowCount
    int Current = 0;                       // Col / Row
    int Anchor = 0;                        // the selection anchor's coordinate
    int TopLeft = 0;                       // LeftCol / TopRow
    std::function<int(int)> Size;          // ColWidths / RowHeights
    std::function<void(int, int)> SetSize; // SetColWidths / SetRowHeights
};

// The axis of a string grid; trailing counts come from the trailing callback (the base grid
// has none).
TGridAxis GridAxis(TStringGrid& g, TGridAxisKind k, int trailing = 0);

} // namespace grid
