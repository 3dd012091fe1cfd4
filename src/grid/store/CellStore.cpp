#include "grid/store/CellStore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace grid {

TCellStore::~TCellStore()
{
    Clear();
}

TCellStore::Row* TCellStore::newRow(std::uint32_t cap, std::uint32_t textCap)
{
    const std::size_t bytes = sizeof(Row) + cap * sizeof(Entry) + textCap * sizeof(char16_t);
    void* mem = std::malloc(bytes);
    if (!mem)
        throw std::bad_alloc();
    Row* r = static_cast<Row*>(mem);
    r->n = 0;
    r->cap = cap;
    r->len = 0;
    r->textCap = textCap;
    r->objs = nullptr;
    return r;
}

// A new row is sized like the row above it: tables are filled row by row with rows alike, so
// the block rarely has to grow; a row without a neighbour starts small.
TCellStore::Row* TCellStore::newRowLike(int row, std::uint32_t firstLen) const
{
    const Row* above = rowAt(row - 1);
    if (above && above->n > 0)
        return newRow(std::max<std::uint32_t>(above->n, 4), std::max(firstLen, above->len + above->len / 8 + 8));
    return newRow(4, std::max<std::uint32_t>(firstLen, 16));
}

void TCellStore::freeRow(Row* r)
{
    if (!r)
        return;
    std::free(r->objs);
    std::free(r);
}

TCellStore::Row* TCellStore::grow(Row* r, std::uint32_t needCap, std::uint32_t needText)
{
    if (needCap <= r->cap && needText <= r->textCap)
        return r;
    // Grow by half again so a row filled cell by cell is copied a few times, not per cell.
    const std::uint32_t cap = needCap <= r->cap ? r->cap : std::max(needCap, r->cap + r->cap / 2 + 2);
    const std::uint32_t textCap =
        needText <= r->textCap ? r->textCap : std::max(needText, r->textCap + r->textCap / 2 + 8);
    Row* nr = newRow(cap, textCap);
    nr->n = r->n;
    nr->len = r->len;
    std::memcpy(nr->entries(), r->entries(), r->n * sizeof(Entry));
    std::memcpy(nr->text(), r->text(), r->len * sizeof(char16_t));
    if (r->objs) {
        if (cap != r->cap) {
            nr->objs = static_cast<TObject**>(std::calloc(cap, sizeof(TObject*)));
            if (!nr->objs) {
                freeRow(nr);
                throw std::bad_alloc();
            }
            std::memcpy(nr->objs, r->objs, r->n * sizeof(TObject*));
            std::free(r->objs);
        } else {
            nr->objs = r->objs;
        }
        r->objs = nullptr;
    }
    std::free(r);
    return nr;
}

long TCellStore::find(const Row* r, std::uint32_t col)
{
    const Entry* e = r->entries();
    // Fast paths: a row filled from column 0 without gaps has column c at position c, and a
    // row being filled left to right takes the new cell at its end.
    if (col < r->n && e[col].col == col)
        return long(col);
    if (r->n == 0 || e[r->n - 1].col < col)
        return -long(r->n) - 1;
    std::uint32_t lo = 0, hi = r->n;
    while (lo < hi) {
        const std::uint32_t mid = (lo + hi) / 2;
        if (e[mid].col < col)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo < r->n && e[lo].col == col)
        return long(lo);
    return -long(lo) - 1;
}

TCellStore::Row*& TCellStore::ensureRow(int row)
{
    if (row >= int(rows.size()))
        rows.resize(std::size_t(row) + 1, nullptr);
    return rows[row];
}

QString TCellStore::Text(int col, int row) const
{
    const QStringView v = TextView(col, row);
    return v.isEmpty() ? QString() : v.toString();
}

QStringView TCellStore::TextView(int col, int row) const
{
    TObject* object;
    return TextView(col, row, object);
}

QStringView TCellStore::TextView(int col, int row, TObject*& object) const
{
    object = nullptr;
    const Row* r = rowAt(row);
    if (!r || col < 0)
        return {};
    const long i = find(r, std::uint32_t(col));
    if (i < 0)
        return {};
    if (r->objs)
        object = r->objs[i];
    const std::uint32_t s = r->start(std::uint32_t(i));
    return QStringView(r->text() + s, qsizetype(r->entries()[i].end - s));
}

TObject* TCellStore::Object(int col, int row) const
{
    const Row* r = rowAt(row);
    if (!r || !r->objs || col < 0)
        return nullptr;
    const long i = find(r, std::uint32_t(col));
    return i < 0 ? nullptr : r->objs[i];
}

void TCellStore::removeEntry(Row* r, std::uint32_t i)
{
    Entry* e = r->entries();
    const std::uint32_t s = r->start(i);
    const std::uint32_t len = e[i].end - s;
    std::memmove(r->text() + s, r->text() + e[i].end, (r->len - e[i].end) * sizeof(char16_t));
    for (std::uint32_t k = i + 1; k < r->n; ++k)
        e[k].end -= len;
    std::memmove(e + i, e + i + 1, (r->n - i - 1) * sizeof(Entry));
    if (r->objs)
        std::memmove(r->objs + i, r->objs + i + 1, (r->n - i - 1) * sizeof(TObject*));
    r->n -= 1;
    r->len -= len;
}

void TCellStore::dropEntryIfEmpty(int row, std::uint32_t i)
{
    Row* r = rows[row];
    if (r->start(i) != r->entries()[i].end || (r->objs && r->objs[i]))
        return;
    removeEntry(r, i);
    if (r->n == 0) {
        freeRow(r);
        rows[row] = nullptr;
        trimTail();
    }
}

void TCellStore::trimTail()
{
    while (!rows.empty() && rows.back() == nullptr)
        rows.pop_back();
}

void TCellStore::SetText(int col, int row, QStringView text)
{
    if (col < 0 || row < 0)
        return;
    Row* r = rowAt(row);
    const std::uint32_t len = std::uint32_t(text.size());
    if (!r) {
        if (len == 0)
            return;
        r = newRowLike(row, len);
        ensureRow(row) = r;
    }
    long i = find(r, std::uint32_t(col));
    if (i < 0) {
        if (len == 0)
            return;
        // New entry at the insertion point, with an empty text for now.
        const std::uint32_t at = std::uint32_t(-i - 1);
        r = grow(r, r->n + 1, r->len);
        rows[row] = r;
        Entry* e = r->entries();
        std::memmove(e + at + 1, e + at, (r->n - at) * sizeof(Entry));
        if (r->objs) {
            std::memmove(r->objs + at + 1, r->objs + at, (r->n - at) * sizeof(TObject*));
            r->objs[at] = nullptr;
        }
        e[at].col = std::uint32_t(col);
        e[at].end = r->start(at);
        r->n += 1;
        i = long(at);
    }
    const std::uint32_t idx = std::uint32_t(i);
    const std::uint32_t s = r->start(idx);
    const std::uint32_t oldLen = r->entries()[idx].end - s;
    if (len > oldLen) {
        r = grow(r, r->n, r->len + (len - oldLen));
        rows[row] = r;
    }
    Entry* e = r->entries();
    char16_t* t = r->text();
    if (len != oldLen) {
        std::memmove(t + s + len, t + s + oldLen, (r->len - s - oldLen) * sizeof(char16_t));
        const std::int64_t delta = std::int64_t(len) - std::int64_t(oldLen);
        for (std::uint32_t k = idx; k < r->n; ++k)
            e[k].end = std::uint32_t(std::int64_t(e[k].end) + delta);
        r->len = std::uint32_t(std::int64_t(r->len) + delta);
    }
    if (len)
        std::memcpy(t + s, text.utf16(), len * sizeof(char16_t));
    if (len == 0)
        dropEntryIfEmpty(row, idx);
}

void TCellStore::SetObject(int col, int row, TObject* obj)
{
    if (col < 0 || row < 0)
        return;
    Row* r = rowAt(row);
    if (!r) {
        if (!obj)
            return;
        r = newRowLike(row, 0);
        ensureRow(row) = r;
    }
    long i = find(r, std::uint32_t(col));
    if (i < 0) {
        if (!obj)
            return;
        const std::uint32_t at = std::uint32_t(-i - 1);
        r = grow(r, r->n + 1, r->len);
        rows[row] = r;
        Entry* e = r->entries();
        std::memmove(e + at + 1, e + at, (r->n - at) * sizeof(Entry));
        if (r->objs)
            std::memmove(r->objs + at + 1, r->objs + at, (r->n - at) * sizeof(TObject*));
        e[at].col = std::uint32_t(col);
        e[at].end = r->start(at);
        r->n += 1;
        i = long(at);
        if (r->objs)
            r->objs[at] = nullptr;
    }
    if (!r->objs) {
        if (!obj)
            return;
        r->objs = static_cast<TObject**>(std::calloc(r->cap, sizeof(TObject*)));
        if (!r->objs)
            throw std::bad_alloc();
    }
    r->objs[i] = obj;
    if (!obj)
        dropEntryIfEmpty(row, std::uint32_t(i));
}

void TCellStore::InsertRows(int at, int count)
{
    if (count <= 0 || at < 0 || at >= int(rows.size()))
        return; // nothing stored at or below: the new rows are empty anyway
    rows.insert(std::size_t(at), std::size_t(count), nullptr);
}

void TCellStore::DeleteRows(int at, int count)
{
    if (count <= 0 || at < 0 || at >= int(rows.size()))
        return;
    const int end = std::min(int(rows.size()), at + count);
    for (int i = at; i < end; ++i)
        freeRow(rows[i]);
    rows.erase(std::size_t(at), std::size_t(end - at));
    trimTail();
}

void TCellStore::DeleteRowList(const std::vector<int>& list)
{
    std::vector<Row*> kept = rows.release();
    std::size_t k = 0, w = 0;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        while (k < list.size() && list[k] < int(i))
            ++k;
        if (k < list.size() && list[k] == int(i))
            freeRow(kept[i]);
        else
            kept[w++] = kept[i];
    }
    kept.resize(w);
    rows.assign(std::move(kept));
    trimTail();
}

void TCellStore::InsertRowList(const std::vector<int>& at)
{
    if (at.empty() || rows.empty())
        return;
    // Rows put in after the last stored one are empty anyway and need no slot.
    std::vector<Row*> out;
    out.reserve(rows.size() + at.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < rows.size();) {
        if (k < at.size() && at[k] == int(out.size())) {
            out.push_back(nullptr);
            ++k;
        } else {
            out.push_back(rows[i++]);
        }
    }
    rows.assign(std::move(out));
}

void TCellStore::MoveRow(int from, int to)
{
    if (from < 0 || to < 0 || from == to)
        return;
    const int need = std::max(from, to) + 1;
    if (need > int(rows.size())) {
        if (!rowAt(from) && from >= int(rows.size()) && to >= int(rows.size()))
            return;
        rows.resize(std::size_t(need), nullptr);
    }
    if (from < to)
        std::rotate(rows.begin() + from, rows.begin() + from + 1, rows.begin() + to + 1);
    else
        std::rotate(rows.begin() + to, rows.begin() + from, rows.begin() + from + 1);
    trimTail();
}

void TCellStore::PermuteRows(const std::vector<int>& at, const std::vector<int>& from)
{
    if (at.empty() || at.size() != from.size() || at.front() < 0)
        return;
    if (at.front() >= int(rows.size()))
        return; // nothing stored at these rows
    if (at.back() >= int(rows.size()))
        rows.resize(std::size_t(at.back()) + 1, nullptr);
    std::vector<Row*> moved(from.size());
    for (std::size_t k = 0; k < from.size(); ++k)
        moved[k] = rows[std::size_t(from[k])];
    for (std::size_t k = 0; k < at.size(); ++k)
        rows[std::size_t(at[k])] = moved[k];
    trimTail();
}

void TCellStore::InsertCols(int at, int count)
{
    if (count <= 0 || at < 0)
        return;
    for (Row* r : rows) {
        if (!r)
            continue;
        Entry* e = r->entries();
        for (std::uint32_t i = 0; i < r->n; ++i)
            if (e[i].col >= std::uint32_t(at))
                e[i].col += std::uint32_t(count);
    }
}

void TCellStore::DeleteCols(int at, int count)
{
    if (count <= 0 || at < 0)
        return;
    const std::uint32_t lo = std::uint32_t(at), hi = std::uint32_t(at) + std::uint32_t(count);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        Row* r = rows[row];
        if (!r)
            continue;
        for (std::uint32_t i = r->n; i-- > 0;) {
            Entry& e = r->entries()[i];
            if (e.col >= hi)
                e.col -= std::uint32_t(count);
            else if (e.col >= lo)
                removeEntry(r, i);
        }
        if (r->n == 0) {
            freeRow(r);
            rows[row] = nullptr;
        }
    }
    trimTail();
}

void TCellStore::MoveCol(int from, int to)
{
    if (from < 0 || to < 0 || from == to)
        return;
    struct Cell {
        std::uint32_t col;
        QString text;
        TObject* obj;
    };
    std::vector<Cell> cells;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        Row* r = rows[row];
        if (!r)
            continue;
        // Only rows with a cell between the two columns change.
        const std::uint32_t lo = std::uint32_t(std::min(from, to)), hi = std::uint32_t(std::max(from, to));
        bool touched = false;
        for (std::uint32_t i = 0; i < r->n && !touched; ++i)
            touched = r->entries()[i].col >= lo && r->entries()[i].col <= hi;
        if (!touched)
            continue;
        cells.clear();
        for (std::uint32_t i = 0; i < r->n; ++i) {
            std::uint32_t c = r->entries()[i].col;
            if (c == std::uint32_t(from))
                c = std::uint32_t(to);
            else if (from < to && c > std::uint32_t(from) && c <= std::uint32_t(to))
                c -= 1;
            else if (from > to && c >= std::uint32_t(to) && c < std::uint32_t(from))
                c += 1;
            const std::uint32_t s = r->start(i);
            cells.push_back({c,
                             QString(reinterpret_cast<const QChar*>(r->text() + s), qsizetype(r->entries()[i].end - s)),
                             r->objs ? r->objs[i] : nullptr});
        }
        std::sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) { return a.col < b.col; });
        std::uint32_t pos = 0;
        for (std::uint32_t i = 0; i < r->n; ++i) {
            r->entries()[i].col = cells[i].col;
            std::memcpy(r->text() + pos, cells[i].text.utf16(), std::size_t(cells[i].text.size()) * sizeof(char16_t));
            pos += std::uint32_t(cells[i].text.size());
            r->entries()[i].end = pos;
            if (r->objs)
                r->objs[i] = cells[i].obj;
        }
    }
}

TCellRow TCellStore::TakeRow(int row)
{
    TCellRow out;
    if (Row* r = rowAt(row)) {
        out.cells.rows.assign(std::vector<Row*>(1, r)); // exactly one slot: no room for growth
        rows[std::size_t(row)] = nullptr;
        trimTail();
    }
    return out;
}

void TCellStore::PutRow(int row, TCellRow&& cells)
{
    if (row < 0 || cells.cells.rows.empty())
        return;
    Row*& slot = ensureRow(row);
    freeRow(slot);
    slot = cells.cells.rows[0];
    cells.cells.rows.clear();
}

void TCellRow::ClearTexts()
{
    TCellStore::Row* r = cells.rowAt(0);
    if (!r)
        return;
    std::vector<int> cols;
    for (std::uint32_t i = 0; i < r->n; ++i)
        cols.push_back(int(r->entries()[i].col));
    for (int c : cols)
        cells.SetText(c, 0, QStringView());
}

void TCellStore::Clear()
{
    for (Row* r : rows)
        freeRow(r);
    rows.clear();
}

std::size_t TCellStore::UsedCells() const
{
    std::size_t n = 0;
    for (const Row* r : rows)
        if (r)
            n += r->n;
    return n;
}

} // namespace grid
