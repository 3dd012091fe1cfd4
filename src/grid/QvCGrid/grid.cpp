// The column grid's life and structure: construction, the one-definition-per-real-column rule
// kept through every count change, insert, remove and move, headers, and the version.

#include "grid/QvCGrid.h"

#include <algorithm>

namespace grid {

TQvColumnGrid::TQvColumnGrid(QWidget* parent, bool designing) : TQvStringGrid(parent, designing)
{
    FColumnCollection = CreateColumns();
    syncQuietly();
    FColMoving = false;
    FCellGraphic = std::make_unique<TCellGraphic>();
    FSaveCol = std::make_unique<TGridColumnItem>();
}

// The definitions go first: the string grid's teardown must not reach them any more.
TQvColumnGrid::~TQvColumnGrid()
{
    FColumnCollection.reset();
}

std::unique_ptr<TGridColumnCollection> TQvColumnGrid::CreateColumns()
{
    return std::make_unique<TGridColumnCollection>(this);
}

void TQvColumnGrid::SetColumns(const TGridColumnCollection& value)
{
    FColumnCollection->Assign(value);
}

TGridColumnItem* TQvColumnGrid::GetColumnByName(const QString& name) const
{
    for (int i = 0; i < FColumnCollection->Count(); ++i)
        if (FColumnCollection->GetItem(i)->Name() == name)
            return FColumnCollection->GetItem(i);
    return nullptr;
}

void TQvColumnGrid::SetLoading(bool v)
{
    FLoading = v;
    TQvStringGrid::SetLoading(v);
}

void TQvColumnGrid::Loaded()
{
    SetLoading(false);
    CompleteLoading();
    SyncColumnCount();
    FColumnCollection->SetOrganization();
}

// Definitions are never matched by content: columns added or removed at the end of the grid
// add or remove definitions at the end.
void TQvColumnGrid::SyncColumnCount()
{
    if (!FColumnCollection)
        return;
    auto& cols = *FColumnCollection;
    const int want = ColCount() + NumHiddenColumns();
    while (cols.Count() < want)
        cols.Add();
    while (cols.Count() > want)
        cols.Delete(cols.Count() - 1);
}

void TQvColumnGrid::syncQuietly()
{
    if (!FColumnCollection)
        return;
    const bool old = FColumnCollection->NoRecursiveUpdate();
    FColumnCollection->SetNoRecursiveUpdate(true);
    SyncColumnCount();
    FColumnCollection->SetNoRecursiveUpdate(old);
}

void TQvColumnGrid::SetColCount(int value)
{
    TQvStringGrid::SetColCount(value);
    syncQuietly();
}

TGridColumnItem* TQvColumnGrid::column(int realCol) const
{
    if (!FColumnCollection || realCol < 0 || realCol >= FColumnCollection->Count())
        return nullptr;
    return FColumnCollection->GetItem(realCol);
}

// The string grid's mapping of displayed onto real columns, once it has one.
template <class G>
static int realOf(const G& g, int displCol)
{
    if constexpr (requires { g.RealColIndex(displCol); })
        return g.RealColIndex(displCol);
    else
        return displCol;
}

int TQvColumnGrid::realCol(int displCol) const
{
    return realOf(static_cast<const TQvStringGrid&>(*this), displCol);
}

// The column shifts below move displayed columns; hidden columns are shown for the duration
// and hidden again at their new real indexes, so they keep their cells, widths and places.
std::vector<int> TQvColumnGrid::showHiddenColumns()
{
    std::vector<int> hidden;
    for (int c = 0; c < AllColCount() && c < MaxHideColumns; ++c)
        if (IsHiddenColumn(c))
            hidden.push_back(c);
    if (!hidden.empty())
        UnHideColumnsAll();
    return hidden;
}

void TQvColumnGrid::hideAgain(const std::vector<int>& hidden, int at, int shift)
{
    for (int c : hidden) {
        if (shift < 0 && c >= at && c < at - shift)
            continue; // removed with its column
        HideColumn(c >= at ? c + shift : c);
    }
}

// The new columns come in at the end of the displayed grid, are emptied of anything the store
// still held there, and are moved to their place; the definitions are inserted apart so the
// moves do not shift them.
void TQvColumnGrid::InsertCols(int ColIndex, int CCount)
{
    if (CCount < 1)
        return;
    ColIndex = std::clamp(ColIndex, 0, AllColCount());
    const std::vector<int> hidden = showHiddenColumns();
    const int target = ColIndex;
    auto& cols = *FColumnCollection;
    const bool oldFlag = cols.NoRecursiveUpdate();
    cols.SetNoRecursiveUpdate(true);
    FStructureMoving = true;
    const int old = ColCount();
    TQvStringGrid::SetColCount(old + CCount);
    for (int k = 0; k < CCount; ++k) {
        const int c = realCol(old + k);
        if (RowCount() > 0)
            FreeCellObjects(c, 0, c, RowCount() - 1);
        DetachColumnCells(c);
        SetColWidths(old + k, DefaultColWidth());
    }
    for (int k = 0; k < CCount; ++k)
        if (old + k != target + k)
            TStringGrid::MoveColumn(old + k, target + k);
    FStructureMoving = false;
    for (int k = 0; k < CCount; ++k)
        cols.Insert(ColIndex);
    hideAgain(hidden, ColIndex, CCount);
    SyncColumnCount();
    cols.SetNoRecursiveUpdate(oldFlag);
    cols.Update(nullptr);
}

void TQvColumnGrid::RemoveCols(int ColIndex, int CCount)
{
    if (ColIndex < 0 || ColIndex >= AllColCount() || CCount < 1)
        return;
    CCount = std::min(CCount, AllColCount() - ColIndex);
    // The grid keeps at least one column.
    CCount = std::min(CCount, AllColCount() - 1);
    if (CCount < 1)
        return;
    const std::vector<int> hidden = showHiddenColumns();
    auto& cols = *FColumnCollection;
    const bool oldFlag = cols.NoRecursiveUpdate();
    cols.SetNoRecursiveUpdate(true);
    FStructureMoving = true;
    const int from = ColIndex;
    for (int k = 0; k < CCount; ++k)
        if (from != ColCount() - 1)
            TStringGrid::MoveColumn(from, ColCount() - 1);
    for (int k = 0; k < CCount; ++k) {
        const int c = realCol(ColCount() - 1 - k);
        if (RowCount() > 0)
            FreeCellObjects(c, 0, c, RowCount() - 1);
        DetachColumnCells(c);
    }
    TQvStringGrid::SetColCount(ColCount() - CCount);
    FStructureMoving = false;
    for (int k = 0; k < CCount; ++k)
        cols.Delete(ColIndex);
    hideAgain(hidden, ColIndex, -CCount);
    SyncColumnCount();
    cols.SetNoRecursiveUpdate(oldFlag);
    cols.Update(nullptr);
    CellsChanged({ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1});
}

// The definition object itself moves, so every setting goes with its column (a copy would lose
// the popup type and the custom print switches).
void TQvColumnGrid::moveDefinition(int fromReal, int toReal)
{
    auto& v = FColumnCollection->items;
    const int n = int(v.size());
    if (fromReal < 0 || fromReal >= n || toReal < 0 || toReal >= n || fromReal == toReal)
        return;
    auto item = std::move(v[std::size_t(fromReal)]);
    v.erase(v.begin() + fromReal);
    v.insert(v.begin() + toReal, std::move(item));
    FColumnCollection->renumber(std::min(fromReal, toReal));
}

void TQvColumnGrid::ColumnMoved(int fromIndex, int toIndex)
{
    if (FStructureMoving || !FColumnCollection) {
        // A column put in or taken out by moving it is this grid's own business: a coupled grid
        // does not repeat it.
        const bool wasSynced = FSyncedMove;
        FSyncedMove = FSyncedMove || FStructureMoving;
        TQvStringGrid::ColumnMoved(fromIndex, toIndex);
        FSyncedMove = wasSynced;
        return;
    }
    auto& cols = *FColumnCollection;
    const bool oldFlag = cols.NoRecursiveUpdate();
    cols.SetNoRecursiveUpdate(true);
    const int top = TopRow();
    const int fromReal = realCol(fromIndex);
    const int toReal = realCol(toIndex);
    TQvStringGrid::ColumnMoved(fromIndex, toIndex);
    BeginUpdate();
    FColMoving = true;
    moveDefinition(fromReal, toReal);
    SetTopRow(top);
    FColMoving = false;
    EndUpdate();
    cols.SetNoRecursiveUpdate(oldFlag);
    if (OnAfterColumnMoved)
        OnAfterColumnMoved(this, fromReal, toReal);
}

// ---- headers -----------------------------------------------------------------------------------

void TQvColumnGrid::writeHeader(TGridColumnItem& item, const QString& value)
{
    item.FColumnHeader = value;
    if (FixedRows() > 0 && !FColMoving) {
        SetCells(item.Index(), 0, value);
        FColumnCollection->Update(&item);
    }
    QStringList& headers = ColumnHeaders();
    headers.clear();
    for (const auto& c : FColumnCollection->items)
        headers.append(c->FColumnHeader);
}

void TQvColumnGrid::RebuildColumnHeaders()
{
    if (FixedRows() <= 0 || !FColumnCollection)
        return;
    QStringList& headers = ColumnHeaders();
    headers.clear();
    for (int i = 0; i < FColumnCollection->Count(); ++i) {
        TGridColumnItem& c = *FColumnCollection->GetItem(i);
        if (c.FColumnHeader.isEmpty() && !Cells(i, 0).isEmpty())
            c.FColumnHeader = Cells(i, 0);
        headers.append(c.FColumnHeader);
    }
}

// Stored directly: the string grid writes the list into row 0 itself.
void TQvColumnGrid::UpdateColumnHeaders()
{
    if (!FColumnCollection)
        return;
    const QStringList& headers = ColumnHeaders();
    for (int i = 0; i < FColumnCollection->Count() && i < headers.size(); ++i)
        FColumnCollection->GetItem(i)->FColumnHeader = headers[i];
}

void TQvColumnGrid::AfterCellsLoaded()
{
    TQvStringGrid::AfterCellsLoaded();
    syncQuietly();
}

QString TQvColumnGrid::GetVersionString() const
{
    const unsigned v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4 Aug, 2012")
        .arg(v >> 24)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}

void TQvColumnGrid::Group(int ColIndex)
{
    if (ColIndex >= 0 && ColIndex < FColumnCollection->Count())
        FSaveCol->Assign(*FColumnCollection->GetItem(ColIndex));
    TQvStringGrid::Group(ColIndex);
}

void TQvColumnGrid::UnGroup()
{
    const int index = GroupColumn();
    TQvStringGrid::UnGroup();
    if (index != -1 && index < FColumnCollection->Count())
        FColumnCollection->GetItem(index)->Assign(*FSaveCol);
}

} // namespace grid
