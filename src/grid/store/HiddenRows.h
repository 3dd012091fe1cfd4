#pragma once
// The hidden-row store: a row hidden by HideRow, a filter or a contracted node leaves the cell
// store and waits here with its cells (one block, texts and objects), height and node level, under its real index
// (its place among all rows, shown or hidden). The entries stay ascending by real index.
//
// The store is the list of its entries, kept ascending by real index; beside the look-ups it
// keeps up of the real indexes when shown rows come, go or move, which the grid's
// structure and move members call beside TRowSideData (RowSideData.h):
//   rowsInserted, rowsInsertedBefore   rows came in: the entries at and after them move down
//   rowsRemoved                        rows went: the entries after them move up
//   rowMoved                           one row moved: the entries between close up
//   columnMoved                        a column moved: every entry's texts and objects follow

#include "grid/store/CellStore.h"
#include "grid/store/GapVector.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace grid {

class TObject;

struct TGridItem {
    int FIdx = 0;
    int FHeight = 0;
    int FLevel = -1;
    // The row's cells by real column, moved out of the cell store as one block; the objects
    // are the store's while the row is hidden.
    TCellRow Cells;
    int Idx() const { return FIdx; }
    void SetIdx(int v) { FIdx = v; }
    int Height() const { return FHeight; }
    void SetHeight(int v) { FHeight = v; }
    int Level() const { return FLevel; }
    void SetLevel(int v) { FLevel = v; }
};

// The entries, ascending by real index, in a gap vector: a row is looked up by binary search,
// and rows hidden or shown one at a time down the table each move only the entries between
// the last change and this one.
//   find, lowerBound, realFromDispl    O(log n)
//   insert, take, takeRun              O(distance from the last change + run), amortised
//   release / assign                   whole-store passes (filter levels, showing all)
class THiddenRowStore {
public:
    using Entry = std::unique_ptr<TGridItem>;
    using iterator = TGapVector<Entry>::iterator;
    using const_iterator = TGapVector<Entry>::const_iterator;

    std::size_t size() const { return entries.size(); }
    bool empty() const { return entries.empty(); }
    iterator begin() { return entries.begin(); }
    iterator end() { return entries.end(); }
    const_iterator begin() const { return entries.begin(); }
    const_iterator end() const { return entries.end(); }
    TGridItem& at(std::size_t i) const { return *entries[i]; }
    const Entry& front() const { return entries[0]; }
    const Entry& back() const { return entries[entries.size() - 1]; }

    // Position of the first entry whose real index is at least real: also the number of
    // hidden rows above real row `real`.
    std::size_t lowerBound(int real) const;
    // The entry of real row `real`, or nullptr when that row is shown.
    TGridItem* find(int real) const;
    // The real index of the (d+1)-th shown row.
    int realFromDispl(int d) const;

    // Puts an entry in at its place by real index.
    void insert(Entry item);
    // Puts an entry in at position pos (the caller keeps the order).
    void insertAt(std::size_t pos, Entry item)
    {
        entries.insert(pos, std::move(item));
        hint = pos + 1;
    }
    // Takes the entry at position pos out.
    Entry take(std::size_t pos)
    {
        hint = pos;
        return entries.take(pos);
    }
    // Takes out the entries whose real index lies in first..last, ascending.
    std::vector<Entry> takeRun(int first, int last);
    // Every entry out, ascending, and a new list of entries (which must be ascending) in.
    std::vector<Entry> release() { return entries.release(); }
    void assign(std::vector<Entry>&& ascending) { entries.assign(std::move(ascending)); }
    void clear() { entries.clear(); }

    // count rows came in before real row `at`.
    void rowsInserted(int at, int count);
    // One row came in before each listed real row (ascending, numbered before the insert).
    void rowsInsertedBefore(const std::vector<int>& real);
    // The listed real rows (ascending, none of them hidden) went.
    void rowsRemoved(const std::vector<int>& real);
    // The row at real index `from` moved to `to`.
    void rowMoved(int from, int to);
    // The column at real index `from` moved to `to`.
    void columnMoved(int from, int to);

private:
    TGapVector<Entry> entries;
    // Where the last look-up or change was: rows hidden or shown one at a time down the table
    // look up next to it, which is checked before any search.
    mutable std::size_t hint = 0;
};

} // namespace grid
