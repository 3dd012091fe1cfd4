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

bool TQvStringGrid::IsHiddenRow(int Rowindex) const
{
    return std::any_of(FGridItems.begin(), FGridItems.end(),
                       [Rowindex](const auto& item) { return item->FIdx == Rowindex; });
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
    const auto below = std::count_if(FGridItems.begin(), FGridItems.end(),
                                     [ARow](const auto& item) { return item->FIdx < ARow; });
    return ARow - int(below);
}

int TQvStringGrid::RealRowFromDispl(int ARow) const
{
    if (ARow < 0)
        return -1;
    if (FGridItems.empty())
        return ARow;
    // Walking the sorted hidden indexes gives the (ARow+1)-th row that is not hidden.
    std::vector<int> hidden;
    hidden.reserve(FGridItems.size());
    for (const auto& item : FGridItems)
        hidden.push_back(item->FIdx);
    std::sort(hidden.begin(), hidden.end());
    hidden.erase(std::unique(hidden.begin(), hidden.end()), hidden.end());
    int r = ARow;
    for (int h : hidden) {
        if (h <= r)
            ++r;
        else
            break;
    }
    return r;
}

// ---- the hidden-row store ----------------------------------------------------------------------

// Copies a displayed row's texts and cell objects (every real column, and any object kept
// beyond the counts) into a new store entry; the row itself is left to the caller.
std::unique_ptr<TQvStringGrid::TGridItem> TQvStringGrid::takeRow(int displRow, int realRow)
{
    auto item = std::make_unique<TGridItem>();
    item->FIdx = realRow;
    item->FHeight = RowHeights(displRow);
    int width = TotalColCount();
    store.ForEachObject(width, displRow, std::numeric_limits<int>::max(), displRow,
                        [&](int c, int, TObject*) { width = std::max(width, c + 1); });
    item->Texts.resize(std::size_t(width));
    item->Objects.resize(std::size_t(width), nullptr);
    for (int c = 0; c < width; ++c) {
        item->Texts[std::size_t(c)] = store.Text(c, displRow);
        item->Objects[std::size_t(c)] = store.Object(c, displRow);
    }
    return item;
}

void TQvStringGrid::putRow(int displRow, TGridItem& item)
{
    for (std::size_t c = 0; c < item.Texts.size(); ++c) {
        store.SetText(int(c), displRow, item.Texts[c]);
        store.SetObject(int(c), displRow, item.Objects[c]);
        if (auto* p = dynamic_cast<TCellProperties*>(item.Objects[c])) {
            p->FOwnerRow = displRow;
            if (p->FControl)
                p->FControl->setVisible(true);
        }
    }
    if (item.FHeight > 0)
        SetRowHeights(displRow, item.FHeight);
}

void TQvStringGrid::freeHiddenRowObjects()
{
    for (auto& item : FGridItems)
        for (TObject* o : item->Objects)
            freeGridObject(o);
    FGridItems.clear();
}

void TQvStringGrid::HideRows(int FromRow, int ToRow)
{
    if (FromRow < 0 || ToRow < FromRow)
        return;
    std::vector<int> newRows;
    for (int r = FromRow; r <= ToRow; ++r)
        if (!IsHiddenRow(r) && DisplRowFromReal(r) < RowCount())
            newRows.push_back(r);
    if (newRows.empty())
        return;
    const int D = DisplRowFromReal(FromRow);
    auto P = std::count_if(FGridItems.begin(), FGridItems.end(),
                           [FromRow](const auto& item) { return item->FIdx < FromRow; });
    // Entries are kept in ascending real order, so a later run lands between earlier ones.
    for (std::size_t k = 0; k < newRows.size(); ++k) {
        auto item = takeRow(D + int(k), newRows[k]);
        FGridItems.insert(FGridItems.begin() + P, std::move(item));
        ++P;
    }
    if (TCellProperties* p = dynamic_cast<TCellProperties*>(store.Object(1, D)); p && p->FControl)
        p->FControl->setVisible(false);
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
        FGridItems.push_back(std::move(item));
    }
    FRowsBeingHidden = true;
    RemoveRowsEx(D, count);
    FRowsBeingHidden = false;
}

namespace {

// The real indexes of the rows hidden now, ascending.
template <class Items>
std::vector<int> hiddenIndexes(const Items& items)
{
    std::vector<int> hidden;
    hidden.reserve(items.size());
    for (const auto& item : items)
        hidden.push_back(item->FIdx);
    std::sort(hidden.begin(), hidden.end());
    return hidden;
}

// Store entries ascending by real index; new entries appended in that order are merged in.
template <class Items>
void keepAscending(Items& items, std::size_t appendedFrom)
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
    // the rows hidden already gives every real index.
    const std::vector<int> hidden = hiddenIndexes(FGridItems);
    const std::size_t first = FGridItems.size();
    FGridItems.reserve(first + rows.size());
    std::size_t h = 0;
    for (int d : rows) {
        int real = d + int(h);
        while (h < hidden.size() && hidden[h] <= real) {
            ++h;
            ++real;
        }
        auto item = takeRow(d, real);
        item->FLevel = FFilterLevel;
        FGridItems.push_back(std::move(item));
    }
    keepAscending(FGridItems, first);
    ++FFilterLevel;
    RemoveStoreRowList(rows);
    FNormalRowCount = RowCount();
}

void TQvStringGrid::UnHideRowList()
{
    const int level = FFilterLevel - 1;
    // Only this level leaves the store: rows hidden otherwise (HideRow, contracted nodes)
    // keep their texts and objects and stay hidden.
    const auto split = std::stable_partition(FGridItems.begin(), FGridItems.end(),
                                             [level](const auto& item) { return item->FLevel != level; });
    std::vector<std::unique_ptr<TGridItem>> entries(std::make_move_iterator(split),
                                                    std::make_move_iterator(FGridItems.end()));
    FGridItems.erase(split, FGridItems.end());
    if (entries.empty())
        return;
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a->FIdx < b->FIdx; });
    // Each row goes back where the rows still hidden leave it: its real index less the hidden
    // rows above it.
    const std::vector<int> hidden = hiddenIndexes(FGridItems);
    std::vector<int> at, heights;
    at.reserve(entries.size());
    heights.reserve(entries.size());
    std::size_t h = 0;
    for (const auto& e : entries) {
        while (h < hidden.size() && hidden[h] < e->FIdx)
            ++h;
        at.push_back(std::min(e->FIdx - int(h), RowCount() + int(at.size())));
        heights.push_back(e->FHeight > 0 ? e->FHeight : DefaultRowHeight());
    }
    InsertStoreRowList(at, heights);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        entries[k]->FHeight = 0; // the expansion has set it
        putRow(at[k], *entries[k]);
    }
    FNormalRowCount = RowCount();
    if (Row() >= RowCount())
        TStringGrid::FocusCell(Col(), RowCount() - 1, true);
}

void TQvStringGrid::UnHideRow(int Rowindex)
{
    const auto it = std::find_if(FGridItems.begin(), FGridItems.end(),
                                 [Rowindex](const auto& item) { return item->FIdx == Rowindex; });
    if (it == FGridItems.end()) {
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
    std::unique_ptr<TGridItem> item = std::move(*it);
    FGridItems.erase(it);
    const int D = std::min(DisplRowFromReal(Rowindex), RowCount());
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
    std::vector<std::unique_ptr<TGridItem>> run;
    for (auto it = FGridItems.begin(); it != FGridItems.end();) {
        if ((*it)->FIdx >= FromRow && (*it)->FIdx <= ToRow) {
            run.push_back(std::move(*it));
            it = FGridItems.erase(it);
        } else {
            ++it;
        }
    }
    std::sort(run.begin(), run.end(), [](const auto& a, const auto& b) { return a->FIdx < b->FIdx; });
    for (auto& item : run) {
        const int D = std::min(DisplRowFromReal(item->FIdx), RowCount());
        InsertStoreRows(D, 1);
        putRow(D, *item);
    }
    FNormalRowCount = RowCount();
}

void TQvStringGrid::UnHideRowsAll()
{
    while (!FGridItems.empty()) {
        std::vector<int> idx;
        for (const auto& item : FGridItems)
            idx.push_back(item->FIdx);
        std::sort(idx.begin(), idx.end());
        int last = idx.front();
        for (std::size_t i = 1; i < idx.size() && idx[i] == last + 1; ++i)
            last = idx[i];
        const std::size_t before = FGridItems.size();
        UnHideRows(idx.front(), last);
        if (FGridItems.size() == before)
            break; // cannot happen: the first index is hidden
    }
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
        for (const auto& item : FGridItems)
            if (item->FIdx == ARow) {
                if (ACol < 0)
                    return QString();
                QString value = ACol < int(item->Texts.size()) ? item->Texts[std::size_t(ACol)] : QString();
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
        for (const auto& item : FGridItems)
            if (item->FIdx == ARow) {
                if (ACol < 0)
                    return;
                if (ACol >= int(item->Texts.size())) {
                    item->Texts.resize(std::size_t(ACol) + 1);
                    item->Objects.resize(std::size_t(ACol) + 1, nullptr);
                }
                item->Texts[std::size_t(ACol)] = value;
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
        for (const auto& item : FGridItems)
            if (item->FIdx == ARow)
                return ACol < int(item->Objects.size()) ? item->Objects[std::size_t(ACol)] : nullptr;
        ARow = DisplRowFromReal(ARow);
    }
    return store.Object(ACol, ARow);
}

TCellGraphic* TQvStringGrid::CellGraphicByRealRow(int ACol, int ARow) const
{
    return PropertiesGraphic(CellObjectByRealRow(ACol, ARow));
}

} // namespace grid
