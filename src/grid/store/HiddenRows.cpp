#include "grid/store/HiddenRows.h"
#include "grid/store/SortedIndex.h"

#include <algorithm>

namespace grid {

std::size_t THiddenRowStore::lowerBound(int real) const
{
    const std::size_t n = entries.size();
    if (hint <= n && (hint == n || entries[hint]->FIdx >= real) && (hint == 0 || entries[hint - 1]->FIdx < real))
        return hint;
    std::size_t lo = 0, hi = n;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (entries[mid]->FIdx < real)
            lo = mid + 1;
        else
            hi = mid;
    }
    hint = lo;
    return lo;
}

TGridItem* THiddenRowStore::find(int real) const
{
    const std::size_t i = lowerBound(real);
    return i < entries.size() && entries[i]->FIdx == real ? entries[i].get() : nullptr;
}

// Entry i has FIdx - i shown rows above it, a count that never falls along the store: the
// first entry with more than d shown rows above it has i hidden rows above the answer.
int THiddenRowStore::realFromDispl(int d) const
{
    std::size_t lo = 0, hi = entries.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (entries[mid]->FIdx - int(mid) <= d)
            lo = mid + 1;
        else
            hi = mid;
    }
    return d + int(lo);
}

void THiddenRowStore::insert(Entry item)
{
    const std::size_t at = lowerBound(item->FIdx);
    entries.insert(at, std::move(item));
}

std::vector<THiddenRowStore::Entry> THiddenRowStore::takeRun(int first, int last)
{
    const std::size_t from = lowerBound(first);
    std::vector<Entry> run;
    while (from < entries.size() && entries[from]->FIdx <= last)
        run.push_back(entries.take(from));
    return run;
}

void THiddenRowStore::rowsInserted(int at, int count)
{
    for (auto& item : *this)
        if (item->FIdx >= at)
            item->FIdx += count;
}

void THiddenRowStore::rowsInsertedBefore(const std::vector<int>& real)
{
    for (auto& item : *this)
        item->FIdx += int(std::upper_bound(real.begin(), real.end(), item->FIdx) - real.begin());
}

void THiddenRowStore::rowsRemoved(const std::vector<int>& real)
{
    for (auto& item : *this)
        item->FIdx -= countBelow(real, item->FIdx);
}

// A hidden row's index is never the moved row's own; those between close up.
void THiddenRowStore::rowMoved(int from, int to)
{
    for (auto& item : *this) {
        int& i = item->FIdx;
        if (i == from)
            i = to;
        else if (from < to && i > from && i <= to)
            --i;
        else if (to < from && i >= to && i < from)
            ++i;
    }
}

void THiddenRowStore::columnMoved(int from, int to)
{
    for (auto& item : entries)
        item->Cells.MoveCol(from, to);
}

} // namespace grid
