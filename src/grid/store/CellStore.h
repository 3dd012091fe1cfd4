#pragma once
// Call flow: TStringGrid owns one TCellStore; Cells/SetCells and Objects/SetObjects read and
// write it (Text/SetText, Object/SetObject), row and column inserts, deletes and moves shift it
// (InsertRows, MoveCol, ...), and the painter and the file code read texts in place through
// TextView and ForEachObject.
//
// The string grid's cell store: one text and one object pointer per cell, kept sparse.
//
// Why this shape: configuration tables are mostly empty beyond their first rows, yet a grid
// may be given a million rows. The store therefore keeps a directory of row pointers (nullptr
// for a row with nothing in it) and, per used row, one compact heap block holding the used
// cells' column numbers, the end offsets of their texts and the texts back to back in UTF-16.
// - Memory grows with the cells that hold something (about 8 bytes plus the text per cell,
//   plus one small block per used row and one pointer per row up to the last used one);
//   empty texts without an object are not stored at all.
// - Access is O(1) for a row filled from column 0 without gaps (the common case: the column
//   number at position c is c) and a binary search within the row otherwise.
// - Inserting, deleting or moving rows shifts row pointers only (8 bytes per row between the
//   change and the previous one), never the cells themselves; column operations touch each
//   used row once.
// Cells outside the grid's counts are kept: the counts never clear the store.

#include "grid/GridTypes.h"
#include "grid/store/GapVector.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <limits>
#include <vector>

namespace grid {

class TCellStore {
public:
    TCellStore() = default;
    ~TCellStore();
    TCellStore(const TCellStore&) = delete;
    TCellStore& operator=(const TCellStore&) = delete;

    QString Text(int col, int row) const;
    // A view into the store, valid until the next write; empty for an empty cell.
    QStringView TextView(int col, int row) const;
    void SetText(int col, int row, QStringView text);
    // TextView and Object with one look-up, for walks that read many cells.
    QStringView TextView(int col, int row, TObject*& object) const;

    TObject* Object(int col, int row) const;
    void SetObject(int col, int row, TObject* obj);

    // Row and column structure. Cells move with their rows and columns; removed cells are
    // dropped without freeing their objects (the grid decides who owns what).
    void InsertRows(int at, int count);
    void DeleteRows(int at, int count);
    // Scattered rows in one pass each (hiding and showing a filter level): the listed rows
    // (ascending, distinct) are dropped, or empty rows are put in so that they end up at the
    // listed indexes (ascending, distinct).
    void DeleteRowList(const std::vector<int>& list);
    void InsertRowList(const std::vector<int>& at);
    void MoveRow(int from, int to);
    // Rows reordered in one pass: the row at at[k] becomes the one that stood at from[k]
    // (at ascending, from a permutation of at); sorting applies its result so.
    void PermuteRows(const std::vector<int>& at, const std::vector<int>& from);
    void InsertCols(int at, int count);
    void DeleteCols(int at, int count);
    void MoveCol(int from, int to);
    void Clear();

    // A row's cells out of the store as one block (the row stays, empty), and a block put into
    // an empty row: hiding and showing a row moves one pointer, not its cells.
    class TCellRow TakeRow(int row);
    void PutRow(int row, class TCellRow&& cells);

    // One past the last row that holds something (rows beyond the grid's count included).
    int RowExtent() const { return int(rows.size()); }
    // Number of cells that hold a text or an object.
    std::size_t UsedCells() const;
    bool RowHasData(int row) const { return row >= 0 && row < int(rows.size()) && rows[row] != nullptr; }

    // Calls f(col, row, object) for every cell with an object inside the block (inclusive).
    template <class F>
    void ForEachObject(int c1, int r1, int c2, int r2, F&& f) const;

private:
    struct Entry {
        std::uint32_t col;
        std::uint32_t end; // end offset of this cell's text in the row's text area
    };
    // One used row, allocated as one block: header, entries[cap], text[textCap].
    struct Row {
        std::uint32_t n;
        std::uint32_t cap;
        std::uint32_t len;
        std::uint32_t textCap;
        TObject** objs; // nullptr, or cap slots parallel to the entries
        Entry* entries() { return reinterpret_cast<Entry*>(this + 1); }
        const Entry* entries() const { return reinterpret_cast<const Entry*>(this + 1); }
        char16_t* text() { return reinterpret_cast<char16_t*>(entries() + cap); }
        const char16_t* text() const { return reinterpret_cast<const char16_t*>(entries() + cap); }
        std::uint32_t start(std::uint32_t i) const { return i == 0 ? 0 : entries()[i - 1].end; }
    };

    static Row* newRow(std::uint32_t cap, std::uint32_t textCap);
    static void freeRow(Row* r);
    Row* newRowLike(int row, std::uint32_t firstLen) const;
    static Row* grow(Row* r, std::uint32_t needCap, std::uint32_t needText);
    // Position of col in the row, or -(insertion point) - 1 when absent.
    static long find(const Row* r, std::uint32_t col);
    Row* rowAt(int row) const { return row >= 0 && row < int(rows.size()) ? rows[row] : nullptr; }
    Row*& ensureRow(int row);
    friend class TCellRow;
    void dropEntryIfEmpty(int row, std::uint32_t i);
    void removeEntry(Row* r, std::uint32_t i);
    void trimTail();

    // The row directory keeps its free slots where rows last came or went (GapVector.h), so
    // rows hidden or shown one at a time down the table cost no move of the rows behind them.
    TGapVector<Row*> rows;
};

// One row's cells outside the grid's store (a hidden row's): the same compact block, read and
// written by column. Kept as a one-row store so that every cell operation is the store's own.
class TCellRow {
public:
    TCellRow() = default;
    TCellRow(TCellRow&& o) noexcept { cells.rows.swap(o.cells.rows); }
    TCellRow& operator=(TCellRow&& o) noexcept
    {
        if (this != &o) {
            cells.Clear();
            cells.rows.swap(o.cells.rows);
        }
        return *this;
    }
    bool Empty() const { return cells.rows.empty(); }
    QString Text(int col) const { return cells.Text(col, 0); }
    QStringView TextView(int col) const { return cells.TextView(col, 0); }
    void SetText(int col, QStringView text) { cells.SetText(col, 0, text); }
    TObject* Object(int col) const { return cells.Object(col, 0); }
    void SetObject(int col, TObject* obj) { cells.SetObject(col, 0, obj); }
    void InsertCols(int at, int count) { cells.InsertCols(at, count); }
    void DeleteCols(int at, int count) { cells.DeleteCols(at, count); }
    void MoveCol(int from, int to) { cells.MoveCol(from, to); }
    // Every text emptied; the objects stay.
    void ClearTexts();
    // Calls f(col, object) for every cell with an object from column c1 to c2.
    template <class F>
    void ForEachObject(F&& f, int c1 = 0, int c2 = std::numeric_limits<int>::max()) const
    {
        cells.ForEachObject(c1, 0, c2, 0, [&](int c, int, TObject* o) { f(c, o); });
    }

private:
    friend class TCellStore;
    TCellStore cells;
};

template <class F>
void TCellStore::ForEachObject(int c1, int r1, int c2, int r2, F&& f) const
{
    if (c1 < 0)
        c1 = 0;
    if (r1 < 0)
        r1 = 0;
    const int last = std::min(r2, int(rows.size()) - 1);
    for (int row = r1; row <= last; ++row) {
        const Row* r = rows[row];
        if (!r || !r->objs)
            continue;
        for (std::uint32_t i = 0; i < r->n; ++i) {
            const int col = int(r->entries()[i].col);
            if (col >= c1 && col <= c2 && r->objs[i])
                f(col, row, r->objs[i]);
        }
    }
}

} // namespace grid
