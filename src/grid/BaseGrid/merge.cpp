// Merged cells: a rectangle shown and edited as one cell whose text lives in its base cell.
// A base cell's spans are its extent minus one; a covered cell's spans are its offsets back to
// the base; -1 means not merged.

#include "grid/BaseGrid.h"

namespace grid {

void TBaseGrid::MergeCells(int c, int r, int spanx, int spany)
{
    CheckCellIndex(c, r);
    ++FMergeCount;
    for (int i = c; i < c + spanx; ++i)
        for (int j = r; j < r + spany; ++j) {
            TCellProperties* p = GetCellProperties(i, j);
            p->FIsBaseCell = i == c && j == r;
            if (p->FIsBaseCell) {
                p->FCellSpanX = spanx - 1;
                p->FCellSpanY = spany - 1;
            } else {
                p->FCellSpanX = i - c;
                p->FCellSpanY = j - r;
            }
        }
    for (int i = c; i < c + spanx; ++i)
        for (int j = r; j < r + spany; ++j)
            RepaintCell(i, j);
}

void TBaseGrid::SplitCells(int c, int r)
{
    CheckCellIndex(c, r);
    const TPoint b = GetCellProperties(c, r)->GetBaseCell(c, r);
    TCellProperties* base = GetCellProperties(b.X, b.Y);
    const int sx = base->FCellSpanX, sy = base->FCellSpanY;
    for (int i = b.X; i <= b.X + sx; ++i)
        for (int j = b.Y; j <= b.Y + sy; ++j) {
            TCellProperties* p = GetCellProperties(i, j);
            p->FIsBaseCell = true;
            p->FCellSpanX = -1;
            p->FCellSpanY = -1;
        }
    for (int i = b.X; i <= b.X + sx; ++i)
        for (int j = b.Y; j <= b.Y + sy; ++j)
            RepaintCell(i, j);
    --FMergeCount;
}

TPoint TBaseGrid::BaseCell(int col, int row) const
{
    if (const TCellProperties* p = props(col, row))
        return p->GetBaseCell(col, row);
    return {col, row};
}

bool TBaseGrid::ResolveBaseCell(int col, int row, int& bcol, int& brow) const
{
    const TCellProperties* p = props(col, row);
    const TPoint b = p ? p->GetBaseCell(col, row) : TPoint{col, row};
    bcol = b.X;
    brow = b.Y;
    return !p || p->FIsBaseCell;
}

bool TBaseGrid::IsBaseCell(int col, int row) const
{
    const TCellProperties* p = props(col, row);
    return !p || p->FIsBaseCell;
}

bool TBaseGrid::IsMergedCell(int col, int row) const
{
    if (!CellHasProperties(col, row))
        return false;
    const TCellProperties* p = props(col, row);
    return p->FCellSpanX > 0 || p->FCellSpanY > 0;
}

bool TBaseGrid::IsMergedNonBaseCell(int col, int row) const
{
    return IsMergedCell(col, row) && !props(col, row)->FIsBaseCell;
}

bool TBaseGrid::IsXMergedCell(int col, int row) const
{
    return isMergedAlong(gaColumns, col, row);
}

bool TBaseGrid::IsYMergedCell(int col, int row) const
{
    return isMergedAlong(gaRows, col, row);
}

bool TBaseGrid::isMergedAlong(TGridAxisKind k, int col, int row) const
{
    if (!CellHasProperties(col, row))
        return false;
    const TPoint b = BaseCell(col, row);
    const TCellProperties* bp = props(b.X, b.Y);
    return bp && Along(TPoint{bp->FCellSpanX, bp->FCellSpanY}, k) > 0;
}

TPoint TBaseGrid::CellSpan(int col, int row) const
{
    if (!CellHasProperties(col, row))
        return {0, 0};
    const TCellProperties* p = props(col, row);
    if (p->FCellSpanX == -1 || p->FCellSpanY == -1)
        return {0, 0};
    const TPoint b = p->GetBaseCell(col, row);
    const TCellProperties* bp = props(b.X, b.Y);
    if (!bp)
        return {0, 0};
    return {bp->FCellSpanX, bp->FCellSpanY};
}

TPoint TBaseGrid::CellExt(int col, int row) const
{
    if (!CellHasProperties(col, row))
        return {0, 0};
    const TCellProperties* p = props(col, row);
    if (p->FCellSpanX == -1 || p->FCellSpanY == -1)
        return {0, 0};
    const TPoint b = p->GetBaseCell(col, row);
    const TCellProperties* bp = props(b.X, b.Y);
    if (!bp)
        return {0, 0};
    return {b.X + bp->FCellSpanX - col, b.Y + bp->FCellSpanY - row};
}

TGridRect TBaseGrid::FullCell(int c, int r) const
{
    const TPoint b = BaseCell(c, r);
    const TPoint s = CellSpan(c, r);
    return {b.X, b.Y, b.X + s.X, b.Y + s.Y};
}

int TBaseGrid::MinRowSpan(int row) const
{
    int best = -1;
    for (int c = 0; c < ColCount(); ++c) {
        const int y = CellSpan(c, row).Y;
        if (y > 0 && (best < 0 || y < best))
            best = y;
    }
    return best < 0 ? RowCount() : best;
}

int TBaseGrid::MaxRowSpan(int row) const
{
    int best = 0;
    for (int c = 0; c < ColCount(); ++c)
        best = std::max(best, CellSpan(c, row).Y);
    return best;
}

bool TBaseGrid::RowSpanIdentical(int row1, int row2) const
{
    bool found = false;
    for (int c = 0; c < ColCount(); ++c) {
        if (CellSpan(c, row1).Y > 0 && CellSpan(c, row2).Y > 0) {
            found = true;
            if (BaseCell(c, row1).Y != BaseCell(c, row2).Y)
                return false;
        }
    }
    return found;
}

bool TBaseGrid::ColSpanIdentical(int col1, int col2) const
{
    bool found = false;
    for (int r = 0; r < RowCount(); ++r) {
        const int x1 = CellSpan(col1, r).X, x2 = CellSpan(col2, r).X;
        if (x1 > 0 && x2 > 0) {
            found = true;
            if (BaseCell(col1, r).X != BaseCell(col2, r).X)
                return false;
        } else if (x1 != x2) {
            return false;
        }
    }
    return found;
}

} // namespace grid
