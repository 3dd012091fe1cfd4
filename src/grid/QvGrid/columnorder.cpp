// The column order: the original order of the columns, recorded once, so that columns the
// user has dragged can be found by their original index and put back.

#include "grid/QvGrid.h"

#include <algorithm>

namespace grid {

void TQvStringGrid::SetColumnOrder()
{
    FColumnOrder->Clear();
    for (int i = 0; i < ColCount(); ++i)
        FColumnOrder->Add(i);
}

// Entries move by real column; one the list never reached stays as it is.
void TQvStringGrid::moveColumnOrderEntry(int fromReal, int toReal)
{
    TIntList& order = *FColumnOrder;
    if (fromReal == toReal || fromReal < 0 || toReal < 0 || fromReal >= order.Count() || toReal >= order.Count())
        return;
    const int v = order.GetInteger(fromReal);
    order.Delete(fromReal);
    order.Insert(toReal, v);
}

// Only a true permutation is put back: with a repeated or foreign entry no order of moves
// reaches it, and moving on would never end.
void TQvStringGrid::ResetColumnOrder()
{
    UnHideColumnsAll();
    TIntList& order = *FColumnOrder;
    if (order.Count() == 0) {
        SetColumnOrder();
        return;
    }
    const int n = order.Count();
    std::vector<char> seen(std::size_t(n), 0);
    for (int p = 0; p < n; ++p) {
        const int v = order.GetInteger(p);
        if (v < 0 || v >= n || seen[std::size_t(v)])
            return;
        seen[std::size_t(v)] = 1;
    }
    const int m = std::min(n, ColCount());
    for (bool moved = true; moved;) {
        moved = false;
        for (int p = 0; p < m; ++p) {
            const int e = order.GetInteger(p);
            if (e < p) {
                MoveColumn(p, e);
                moved = true;
            }
        }
    }
}

int TQvStringGrid::ColumnPosition(int ACol) const
{
    const TIntList& order = *FColumnOrder;
    if (order.Count() == 0)
        return ACol;
    int pos = ACol;
    const int limit = std::min(order.Count(), ColCount() + FNumHidden);
    for (int p = 0; p < limit; ++p)
        if (order.GetInteger(p) == ACol) {
            pos = p;
            break;
        }
    if (FGroupColumn >= 0 && FGroupColumn <= ACol)
        --pos;
    return pos;
}

int TQvStringGrid::ColumnAtPosition(int Pos)
{
    if (FColumnOrder->Count() == 0) {
        SetColumnOrder();
        if (FColumnOrder->Count() == 0)
            return Pos;
    }
    if (Pos < 0 || Pos >= FColumnOrder->Count())
        return Pos;
    int c = FColumnOrder->GetInteger(Pos);
    if (FGroupColumn >= 0 && FGroupColumn <= c)
        ++c;
    return c;
}

int TQvStringGrid::ColumnByHeader(const QString& AValue) const
{
    for (int c = 0; c < TotalColCount(); ++c)
        if (GetCellsEx(c, 0) == AValue)
            return c;
    return -1;
}

} // namespace grid
