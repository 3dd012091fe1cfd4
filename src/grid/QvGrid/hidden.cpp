// Hidden columns and rows with the mapping between real and displayed indexes, the hidden-row
// store and its filter levels, and the accessors that address cells by real row.

#include "grid/QvGrid.h"

#include <algorithm>
#include <limits>

namespace grid {

namespace {

// Frees a cell object the grid made (properties with their own graphic); user objects and
// shared graphics stay their owners'.
void freeGridObject(TObject* o)
{
    if (auto* p = dynamic_cast<TCellProperties*>(o)) {
        if (p->FGraphicObject && p->FGraphicObject->ClassName() == QLatin1String("TCellGraphic"))
            delete p->FGraphicObject;
        p->FGraphicObject = nullptr;
        delete p;
    }
}

} // namespace

// ---- columns ---------------------------------------------------------------------------------

bool TQvStringGrid::IsHiddenColumn(int ColIndex) const
{
    return ColIndex >= 0 && ColIndex < MaxHideColumns && !FVisibleCol[std::size_t(ColIndex)];
}

bool TQvStringGrid::ColumnVisibleFlag(int pos) const
{
    return pos < 0 || pos > MaxHideColumns || FVisibleCol[std::size_t(pos)];
}

void TQvStringGrid::SetColumnVisibleFlag(int pos, bool value)
{
    if (pos >= 0 && pos <= MaxHideColumns)
        FVisibleCol[std::size_t(pos)] = value;
}

bool TQvStringGrid::IsIgnoredColumn(int ACol) const
{
    return FIgnoreColumns->HasValue(ACol);
}

// Only the first MaxHideColumns columns take part in hiding: from there on both mappings are
// identities, whatever is hidden below.
int TQvStringGrid::DisplColFromReal(int ACol) const
{
    if (FNumHidden == 0 || ACol <= 0 || ACol >= MaxHideColumns)
        return ACol;
    int hidden = 0;
    for (int c = 0; c < ACol; ++c)
        if (!FVisibleCol[std::size_t(c)])
            ++hidden;
    return ACol - hidden;
}

// A displayed index that the first MaxHideColumns real columns do not hold maps to column 0.
int TQvStringGrid::RealColFromDispl(int ACol) const
{
    if (FNumHidden == 0 || ACol < 0 || ACol >= MaxHideColumns)
        return ACol;
    int shown = -1;
    for (int c = 0; c < MaxHideColumns; ++c) {
        if (FVisibleCol[std::size_t(c)])
            ++shown;
        if (shown == ACol)
            return c;
    }
    return 0;
}

void TQvStringGrid::HideColumns(int FromCol, int ToCol)
{
    HideEditor();
    bool changed = false;
    for (int c = std::max(FromCol, 0); c <= ToCol && c < MaxHideColumns; ++c) {
        if (!FVisibleCol[std::size_t(c)] || c >= ColCount() + FNumHidden || ColCount() <= 1)
            continue;
        const int d = DisplColFromReal(c);
        FAllColWidths[std::size_t(c)] = short(ColWidths(d));
        for (int i = d; i < ColCount() - 1; ++i)
            SetColWidths(i, ColWidths(i + 1));
        ++FNumHidden;
        FVisibleCol[std::size_t(c)] = false;
        if (Col() == ColCount() - 1 && Col() > 0)
            TStringGrid::FocusCell(Col() - 1, Row(), true);
        // The string grid's own count writer: the cells stay in place, no minimum is touched.
        TStringGrid::SetColCount(ColCount() - 1);
        changed = true;
    }
    if (changed)
        Invalidate();
}

void TQvStringGrid::UnHideColumns(int FromCol, int ToCol)
{
    HideEditor();
    bool changed = false;
    for (int c = std::max(FromCol, 0); c <= ToCol && c < MaxHideColumns; ++c) {
        if (FVisibleCol[std::size_t(c)])
            continue;
        --FNumHidden;
        FVisibleCol[std::size_t(c)] = true;
        TStringGrid::SetColCount(ColCount() + 1);
        const int d = DisplColFromReal(c);
        for (int i = ColCount() - 1; i > d; --i)
            SetColWidths(i, ColWidths(i - 1));
        SetColWidths(d, FAllColWidths[std::size_t(c)]);
        changed = true;
    }
    if (changed)
        Invalidate();
}

void TQvStringGrid::UnHideColumnsAll()
{
    UnHideColumns(0, ColCount() + FNumHidden);
}

// ---- row mapping -----------------------------------------------------------------------------

// The store is kept ascending by real index, so every look-up below is a binary search rather
// than a walk over the hidden rows.
bool TQvStringGrid::IsHiddenRow(int Rowindex) const
{
    return FGridItems.find(Rowindex) != nullptr;
}

bool TQvStringGrid::IsHiddenRow(int Rowindex, std::unique_ptr<TIntList>& ListHidden) const
{
    if (!ListHidden) {
        ListHidden = std::make_unique<TIntList>(0, 0);
        for (const auto& item : FGridItems)
            ListHidden->Add(item->FIdx);
    }
    return ListHidden->HasValue(Rowindex);
}

int TQvStringGrid::DisplRowFromReal(int ARow) const
{
    if (FGridItems.empty())
        return ARow;
    return ARow - int(FGridItems.lowerBound(ARow));
}

int TQvStringGrid::RealRowFromDispl(int ARow) const
{
    if (ARow < 0)
        return -1;
    if (FGridItems.empty())
        return ARow;
    return FGridItems.realFromDispl(ARow);
}

// ---- the hidden-row store ----------------------------------------------------------------------

// Moves a displayed row's cells (every column, objects beyond the counts included) into a new
// store entry as one block; the emptied row itself is left to the caller.
std::unique_ptr<TQvStringGrid::TGridItem> TQvStringGrid::takeRow(int displRow, int realRow)
{
    auto item = std::make_unique<TGridItem>();
    item->FIdx = realRow;
    item->FHeight = RowHeights(displRow);
    item->Cells = store.TakeRow(displRow);
    return item;
}

void TQvStringGrid::putRow(int displRow, TGridItem& item)
{
    item.Cells.ForEachObject([displRow](int, TObject* o) {
        if (auto* p = dynamic_cast<TCellProperties*>(o)) {
            p->FOwnerRow = displRow;
            if (p->FControl)
                p->FControl->setVisible(true);
        }
    });
    store.PutRow(displRow, std::move(item.Cells));
    if (item.FHeight > 0)
        SetRowHeights(displRow, item.FHeight);
}

void TQvStringGrid::freeHiddenRowObjects()
{
    for (auto& item : FGridItems)
        item->Cells.ForEachObject([](int, TObject* o) { freeGridObject(o); });
    FGridItems.clear();
}

void TQvStringGrid::HideRows(int FromRow, int ToRow)
{
    if (FromRow < 0 || ToRow < FromRow)
        return;
    // The rows of the range not hidden yet, found by walking the range beside the entries
    // from FromRow on: row r, with i entries above it, is displayed at r - i.
    const std::size_t P = FGridItems.lowerBound(FromRow);
    std::vector<int> newRows;
    std::size_t i = P;
    for (int r = FromRow; r <= ToRow; ++r) {
        if (i < FGridItems.size() && FGridItems.at(i).FIdx == r) {
            ++i;
            continue;
        }
        if (r - int(i) >= RowCount())
            break;
        newRows.push_back(r);
    }
    if (newRows.empty())
        return;
    const int D = FromRow - int(P);
    TCellProperties* first = dynamic_cast<TCellProperties*>(store.Object(1, D));
    // The new rows are displayed one after another from D and go into the store in order
    // from P, between the entries hidden before.
    std::size_t at = P;
    for (std::size_t k = 0; k < newRows.size(); ++k) {
        const int real = newRows[k];
        while (at < FGridItems.size() && FGridItems.at(at).FIdx < real)
            ++at;
        FGridItems.insertAt(at++, takeRow(D + int(k), real));
    }
    if (first && first->FControl)
        first->FControl->setVisible(false);
    RemoveStoreRows(D, int(newRows.size()));
    FNormalRowCount = RowCount();
}

void TQvStringGrid::HideRowsEx(int FromRow, int ToRow)
{
    if (FromRow < 0 || ToRow < FromRow || IsHiddenRow(FromRow))
        return;
    const int D = DisplRowFromReal(FromRow);
    const int count = std::min(ToRow - FromRow + 1, RowCount() - D);
    if (count <= 0)
        return;
    for (int k = 0; k < count; ++k) {
        auto item = takeRow(D + k, FromRow + k);
        item->FHeight = 0;
        FGridItems.insert(std::move(item));
    }
    FRowsBeingHidden = true;
    RemoveRowsEx(D, count);
    FRowsBeingHidden = false;
}

namespace {

// Store entries ascending by real index; new entries appended in that order are merged in.
template <class Items>
void keepHiddenAscending(Items& items, std::size_t appendedFrom)
{
    auto byIdx = [](const auto& a, const auto& b) { return a->FIdx < b->FIdx; };
    const auto mid = items.begin() + std::ptrdiff_t(appendedFrom);
    if (std::is_sorted(items.begin(), mid, byIdx) && std::is_sorted(mid, items.end(), byIdx))
        std::inplace_merge(items.begin(), mid, items.end(), byIdx);
    else
        std::stable_sort(items.begin(), items.end(), byIdx);
}

} // namespace

// A level is hidden and shown in one pass each: the rows leave and come back in one
// compaction and one expansion of the store, never one by one, so a level of half a million
// rows costs what a walk over the grid costs.
void TQvStringGrid::HideRowList(const TIntList& RowList)
{
    std::vector<int> rows;
    rows.reserve(std::size_t(RowList.Count()));
    for (int i = 0; i < RowList.Count(); ++i) {
        const int r = RowList.GetInteger(i);
        if (r >= 0 && r < RowCount())
            rows.push_back(r);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // Entries keep the real index, as every other hidden row does: one index space in the
    // store keeps the mapping, the reads by real row and the level's return right while
    // filtered, whatever is shown or hidden meanwhile. Displayed rows ascend, so one walk over
    // the rows hidden already (ascending in the store) gives every real index.
    std::vector<std::unique_ptr<TGridItem>> items = FGridItems.release();
    const std::size_t first = items.size();
    items.reserve(first + rows.size());
    std::size_t h = 0;
    for (int d : rows) {
        int real = d + int(h);
        while (h < first && items[h]->FIdx <= real) {
            ++h;
            ++real;
        }
        auto item = takeRow(d, real);
        item->FLevel = FFilterLevel;
        items.push_back(std::move(item));
    }
    keepHiddenAscending(items, first);
    FGridItems.assign(std::move(items));
    ++FFilterLevel;
    RemoveStoreRowList(rows);
    FNormalRowCount = RowCount();
}

// Puts entries (ascending by real index, taken out of the store) back as displayed rows: each
// at its real index less the rows still hidden above it, in one expansion of the cell store
// (one block move when they form a block).
void TQvStringGrid::showEntries(std::vector<std::unique_ptr<TGridItem>>& entries)
{
    if (entries.empty())
        return;
    std::vector<int> at, heights;
    at.reserve(entries.size());
    heights.reserve(entries.size());
    std::size_t h = 0;
    const std::size_t stay = FGridItems.size();
    // Entries left behind are looked up by binary search from where the last one was: a run
    // is one search, scattered levels one walk at most.
    for (const auto& e : entries) {
        if (h < stay && FGridItems.at(h).FIdx < e->FIdx)
            h = std::max(h, FGridItems.lowerBound(e->FIdx));
        at.push_back(std::min(e->FIdx - int(h), RowCount() + int(at.size())));
        heights.push_back(e->FHeight > 0 ? e->FHeight : DefaultRowHeight());
    }
    const bool block = at.back() - at.front() + 1 == int(at.size());
    if (block) {
        InsertStoreRows(at.front(), int(at.size()));
        for (std::size_t k = 0; k < entries.size(); ++k)
            putRow(at[k], *entries[k]);
    } else {
        InsertStoreRowList(at, heights);
        for (std::size_t k = 0; k < entries.size(); ++k) {
            entries[k]->FHeight = 0; // the expansion has set it
            putRow(at[k], *entries[k]);
        }
    }
    FNormalRowCount = RowCount();
}

void TQvStringGrid::UnHideRowList()
{
    const int level = FFilterLevel - 1;
    // Only this level leaves the store: rows hidden otherwise (HideRow, contracted nodes)
    // keep their texts and objects and stay hidden.
    std::vector<std::unique_ptr<TGridItem>> items = FGridItems.release();
    const auto split =
        std::stable_partition(items.begin(), items.end(), [level](const auto& item) { return item->FLevel != level; });
    std::vector<std::unique_ptr<TGridItem>> entries(std::make_move_iterator(split),
                                                    std::make_move_iterator(items.end()));
    items.erase(split, items.end());
    FGridItems.assign(std::move(items));
    if (entries.empty())
        return;
    showEntries(entries);
    if (Row() >= RowCount())
        TStringGrid::FocusCell(Col(), RowCount() - 1, true);
}

void TQvStringGrid::UnHideRow(int Rowindex)
{
    const std::size_t i = FGridItems.lowerBound(Rowindex);
    if (i >= FGridItems.size() || FGridItems.at(i).FIdx != Rowindex) {
        // A shown row: no row moves, but its cell controls are made visible all the same.
        if (Rowindex < 0)
            return;
        const int D = DisplRowFromReal(Rowindex);
        store.ForEachObject(0, D, std::numeric_limits<int>::max(), D, [](int, int, TObject* o) {
            if (auto* p = dynamic_cast<TCellProperties*>(o); p && p->FControl)
                p->FControl->setVisible(true);
        });
        return;
    }
    std::unique_ptr<TGridItem> item = FGridItems.take(i);
    const int D = std::min(Rowindex - int(i), RowCount());
    InsertStoreRows(D, 1);
    putRow(D, *item);
    FNormalRowCount = RowCount();
}

// Every caller passes a run of hidden rows starting at FromRow; displayed rows inside the
// range stay where they are and only the hidden ones come back, each at its real place.
void TQvStringGrid::UnHideRows(int FromRow, int ToRow)
{
    if (!IsHiddenRow(FromRow))
        return;
    std::vector<std::unique_ptr<TGridItem>> run = FGridItems.takeRun(FromRow, ToRow);
    showEntries(run);
}

// Every hidden row comes back in one expansion, which is where showing the runs one after
// another would put them.
void TQvStringGrid::UnHideRowsAll()
{
    std::vector<std::unique_ptr<TGridItem>> all = FGridItems.release();
    showEntries(all);
    FFilterLevel = 0;
}

// Only a row from FixedRows to the last row reaches the platform grid; anything else is
// ignored rather than clamped.
void TQvStringGrid::SetTopRow(int value)
{
    if (value >= FixedRows() && value < RowCount())
        TStringGrid::SetTopRow(value);
}

// ---- cells by real row ---------------------------------------------------------------------------

QString TQvStringGrid::GetCellsEx(int ACol, int ARow) const
{
    if (!FGridItems.empty()) {
        if (const TGridItem* item = FGridItems.find(ARow)) {
            if (ACol < 0)
                return QString();
            QString value = item->Cells.Text(ACol);
            // A hidden row reads as a shown one would: through the display-text event, at
            // its real row (the grid's own additions work on displayed rows only).
            TBaseGrid::GetDisplText(ACol, ARow, value);
            return value;
        }
        ARow = DisplRowFromReal(ARow);
    }
    return Cells(ACol, ARow);
}

void TQvStringGrid::SetCellsEx(int ACol, int ARow, const QString& value)
{
    if (!FGridItems.empty()) {
        if (TGridItem* item = FGridItems.find(ARow)) {
            if (ACol < 0)
                return;
            item->Cells.SetText(ACol, value);
            return;
        }
        ARow = DisplRowFromReal(ARow);
    }
    SetCells(ACol, ARow, value);
}

TObject* TQvStringGrid::CellObjectByRealRow(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0)
        return nullptr;
    if (!FGridItems.empty()) {
        if (const TGridItem* item = FGridItems.find(ARow))
            return item->Cells.Object(ACol);
        ARow = DisplRowFromReal(ARow);
    }
    return store.Object(ACol, ARow);
}

TCellGraphic* TQvStringGrid::CellGraphicByRealRow(int ACol, int ARow) const
{
    return PropertiesGraphic(CellObjectByRealRow(ACol, ARow));
}

} // namespace grid
