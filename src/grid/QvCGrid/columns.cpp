// Column definitions and their collection: defaults, copying, the writers that keep the grid in
// step, and the default-index organisation used to restore a column order.

#include "grid/QvCGrid.h"

#include <algorithm>

namespace grid {

// ---- TGridColumnItem ---------------------------------------------------------------------------

TGridColumnItem::TGridColumnItem(TGridColumnCollection* collection) : FCollection(collection)
{
    if (TQvColumnGrid* g = Grid()) {
        FFont = g->Font();
        FHeaderFont = g->Font();
        FPrintFont = g->Font();
        FColor = g->Color();
    }
}

TQvColumnGrid* TGridColumnItem::Grid() const
{
    return FCollection ? FCollection->GetOwner() : nullptr;
}

int TGridColumnItem::Index() const
{
    return FCollection ? FIndex : -1;
}

void TGridColumnItem::changed()
{
    if (FCollection)
        FCollection->Update(this);
}

void TGridColumnItem::repaint()
{
    if (TQvColumnGrid* g = Grid())
        g->Invalidate();
}

// What Assign and AssignVisuals both copy; values are stored directly, without the writers'
// side effects, except that the owned font and pen changes run the update as a change of those
// objects would.
void TGridColumnItem::copyCommon(const TGridColumnItem& s)
{
    FAlignment = s.FAlignment;
    FHeaderAlignment = s.FHeaderAlignment;
    FBorderPen = s.FBorderPen;
    FBorders = s.FBorders;
    FCheckFalse = s.FCheckFalse;
    FCheckTrue = s.FCheckTrue;
    FEditLength = s.FEditLength;
    FEditLink = s.FEditLink;
    FEditMask = s.FEditMask;
    FEditorType = s.FEditorType;
    FFixed = s.FFixed;
    FPassword = s.FPassword;
    FPrintBorderPen = s.FPrintBorderPen;
    FPrintBorders = s.FPrintBorders;
    FPrintColor = s.FPrintColor;
    FPrintFont = s.FPrintFont;
    FReadOnly = s.FReadOnly;
    FSortPrefix = s.FSortPrefix;
    FSortStyle = s.FSortStyle;
    FSortSuffix = s.FSortSuffix;
    FSpinMax = s.FSpinMax;
    FSpinMin = s.FSpinMin;
    FSpinStep = s.FSpinStep;
    FColumnPopup = s.FColumnPopup;
    FWidth = s.Width();
    FShowBands = s.FShowBands;
    FMinSize = s.FMinSize;
    FMaxSize = s.FMaxSize;
    FAutoMinSize = s.FAutoMinSize;
    FAutoMaxSize = s.FAutoMaxSize;
    FFilter = s.FFilter;
    FFilterCaseSensitive = s.FFilterCaseSensitive;
    FDefIdx = s.FDefIdx;
    FFloatFormat = s.FFloatFormat;
}

void TGridColumnItem::Assign(const TGridColumnItem& s)
{
    if (&s == this)
        return;
    copyCommon(s);
    FColor = s.FColor;
    FComboItems = s.FComboItems;
    FDropDownCount = s.FDropDownCount;
    FFont = s.FFont;
    FHeaderFont = s.FHeaderFont;
    FColumnHeader = s.FColumnHeader;
    FName = s.FName;
    FTag = s.FTag;
    changed();
    repaint();
}

void TGridColumnItem::AssignVisuals(const TGridColumnItem& s)
{
    if (&s == this)
        return;
    copyCommon(s);
    if (TQvColumnGrid* g = Grid()) {
        FColor = g->Color();
        FFont = g->Font();
    }
    changed();
    repaint();
}

QString TGridColumnItem::GetDisplayName() const
{
    const int i = Index();
    if (!FName.isEmpty())
        return QStringLiteral("Col %1: %2").arg(i).arg(FName);
    return QStringLiteral("Column %1").arg(i);
}

void TGridColumnItem::SetAlignment(TAlignment v)
{
    FAlignment = v;
    repaint();
}

void TGridColumnItem::SetBorders(TCellBorders v)
{
    FBorders = v;
    changed();
}

void TGridColumnItem::SetBorderPen(const TPen& v)
{
    FBorderPen = v;
    changed();
}

void TGridColumnItem::SetColor(TColor v)
{
    FColor = v;
    changed();
}

void TGridColumnItem::SetEditor(TEditorType v)
{
    const bool checkChange = v != FEditorType && (v == edDataCheckBox || FEditorType == edDataCheckBox);
    FEditorType = v;
    if (checkChange)
        repaint();
}

void TGridColumnItem::SetFilter(const QStringList& v)
{
    FFilter = v;
    if (FCollection)
        repaint();
}

void TGridColumnItem::SetFixed(bool v)
{
    FFixed = v;
    changed();
}

void TGridColumnItem::SetFloatFormat(const QString& v)
{
    FFloatFormat = v;
    repaint();
}

void TGridColumnItem::SetFont(const TFont& v)
{
    FFont = v;
    changed();
}

void TGridColumnItem::SetHeader(const QString& v)
{
    if (TQvColumnGrid* g = Grid())
        g->writeHeader(*this, v);
    else
        FColumnHeader = v;
}

void TGridColumnItem::SetHeaderAlignment(TAlignment v)
{
    FHeaderAlignment = v;
    repaint();
}

void TGridColumnItem::SetHeaderFont(const TFont& v)
{
    FHeaderFont = v;
    repaint();
    changed();
}

void TGridColumnItem::SetPassword(bool v)
{
    FPassword = v;
    changed();
}

void TGridColumnItem::SetShowBands(bool v)
{
    FShowBands = v;
    changed();
}

int TGridColumnItem::Width() const
{
    const TQvColumnGrid* g = Grid();
    if (!g)
        return 0;
    const int i = Index();
    return i < g->AllColCount() ? g->GetAllColWidths(i) : FWidth;
}

void TGridColumnItem::SetWidth(int v)
{
    FWidth = v;
    TQvColumnGrid* g = Grid();
    const int i = Index();
    if (g && i < g->AllColCount())
        g->SetAllColWidths(i, v);
}

QString TGridColumnItem::GetRows(int idx) const
{
    const TQvColumnGrid* g = Grid();
    return g ? g->Cells(Index(), idx) : QString();
}

void TGridColumnItem::SetRows(int idx, const QString& value)
{
    if (TQvColumnGrid* g = Grid())
        g->SetCells(Index(), idx, value);
}

int TGridColumnItem::GetInts(int idx) const
{
    const TQvColumnGrid* g = Grid();
    return g ? g->GetInts(Index(), idx) : 0;
}

void TGridColumnItem::SetInts(int idx, int value)
{
    if (TQvColumnGrid* g = Grid())
        g->SetInts(Index(), idx, value);
}

double TGridColumnItem::GetFloats(int idx) const
{
    const TQvColumnGrid* g = Grid();
    return g ? g->GetFloats(Index(), idx) : 0.0;
}

void TGridColumnItem::SetFloats(int idx, double value)
{
    if (TQvColumnGrid* g = Grid())
        g->SetFloats(Index(), idx, value);
}

TDateTime TGridColumnItem::GetDates(int idx) const
{
    const TQvColumnGrid* g = Grid();
    return g ? g->GetDates(Index(), idx) : 0.0;
}

void TGridColumnItem::SetDates(int idx, TDateTime value)
{
    if (TQvColumnGrid* g = Grid())
        g->SetDates(Index(), idx, value);
}

TDateTime TGridColumnItem::GetTimes(int idx) const
{
    const TQvColumnGrid* g = Grid();
    return g ? g->GetTimes(Index(), idx) : 0.0;
}

void TGridColumnItem::SetTimes(int idx, TDateTime value)
{
    if (TQvColumnGrid* g = Grid())
        g->SetTimes(Index(), idx, value);
}

// ---- TGridColumnCollection ---------------------------------------------------------------------

TGridColumnCollection::TGridColumnCollection(TQvColumnGrid* owner) : FOwner(owner) {}

TGridColumnCollection::~TGridColumnCollection() = default;

std::unique_ptr<TGridColumnItem> TGridColumnCollection::CreateItem()
{
    return std::make_unique<TGridColumnItem>(this);
}

TGridColumnItem* TGridColumnCollection::GetItem(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return items[std::size_t(index)].get();
}

int TGridColumnCollection::IndexOf(const TGridColumnItem* item) const
{
    if (!item || item->FCollection != this)
        return -1;
    const int i = item->FIndex;
    return i >= 0 && i < Count() && items[std::size_t(i)].get() == item ? i : -1;
}

void TGridColumnCollection::renumber(int from)
{
    for (int i = std::max(from, 0); i < Count(); ++i)
        items[std::size_t(i)]->FIndex = i;
}

void TGridColumnCollection::changed()
{
    if (updateCount == 0)
        Update(nullptr);
}

TGridColumnItem* TGridColumnCollection::Add()
{
    items.push_back(CreateItem());
    TGridColumnItem* item = items.back().get();
    item->FIndex = Count() - 1;
    if (Count() > 1) {
        // The copy must not run the update while the new item is half made.
        ++updateCount;
        item->AssignVisuals(*items[items.size() - 2]);
        --updateCount;
    }
    changed();
    return item;
}

TGridColumnItem* TGridColumnCollection::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    items.insert(items.begin() + index, CreateItem());
    renumber(index);
    changed();
    return items[std::size_t(index)].get();
}

void TGridColumnCollection::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    items.erase(items.begin() + index);
    renumber(index);
    changed();
}

void TGridColumnCollection::Clear()
{
    if (items.empty())
        return;
    items.clear();
    changed();
}

void TGridColumnCollection::Assign(const TGridColumnCollection& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    items.clear();
    for (const auto& s : source.items) {
        items.push_back(CreateItem());
        items.back()->FIndex = Count() - 1;
        items.back()->Assign(*s);
    }
    EndUpdate();
}

void TGridColumnCollection::EndUpdate()
{
    if (updateCount > 0 && --updateCount == 0)
        Update(nullptr);
}

void TGridColumnCollection::Update(TGridColumnItem*)
{
    if (updateCount > 0 || FNoRecursiveUpdate || !FOwner || FOwner->IsLoading())
        return;
    const int n = Count() - FOwner->NumHiddenColumns();
    if (n != FOwner->ColCount() && FOwner->FixedCols() < n)
        FOwner->SetColCount(n);
    FOwner->RebuildColumnHeaders();
    FOwner->Invalidate();
}

void TGridColumnCollection::SetOrganization()
{
    if (FOwner)
        FOwner->syncQuietly();
    for (int i = 0; i < Count(); ++i)
        items[std::size_t(i)]->FDefIdx = i;
}

bool TGridColumnCollection::ResetOrganization()
{
    if (!FOwner)
        return false;
    const int n = Count();
    std::vector<char> seen(std::size_t(n), 0);
    for (const auto& item : items) {
        const int d = item->FDefIdx;
        if (d < 0 || d >= n || seen[std::size_t(d)])
            return false;
        seen[std::size_t(d)] = 1;
    }
    // Only displayed columns can be moved; the loop stops at them.
    const int movable = std::min(n, FOwner->ColCount());
    bool moved = true;
    while (moved) {
        moved = false;
        for (int i = 0; i < movable; ++i) {
            const int d = items[std::size_t(i)]->FDefIdx;
            if (d < i) {
                FOwner->MoveColumn(FOwner->DisplColIndex(i), FOwner->DisplColIndex(d));
                moved = true;
            }
        }
    }
    return true;
}

} // namespace grid
