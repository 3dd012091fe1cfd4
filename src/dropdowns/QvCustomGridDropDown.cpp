// The grid picker: construction and settings, rows and items, opening and closing the popup
// grid, choosing in it, type-ahead and narrowing, completion and the keys of the edit. The popup
// grid is in QvCustomGridDropDown/ColGrid.cpp, the re-published events in
// QvCustomGridDropDown/events.cpp.

#include "dropdowns/QvCustomGridDropDown.h"

#include "dropdowns/LookupCompletion.h"
#include "grid/QvObj.h"
#include "platform/Desktop.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace dropdowns::customgrid {

using namespace platform;

namespace {

// Rows a page key moves in the closed picker.
constexpr int kPageRows = 10;
// Columns a picker placed in a designer starts with.
constexpr int kDesignColumns = 3;
// The popup adds this below its rows (the multi-column picker adds 2).
constexpr int kPopupExtraHeight = 6;

} // namespace

// ---- construction ----------------------------------------------------------------------------

TCustomQvGridDropDown::TCustomQvGridDropDown(QWidget* owner, platform::Desktop* desktop)
    : TQvCustomDropDown(owner, desktop), FColumns(std::make_unique<TDropDownColumns>(this))
{
    // The header font exists (a member); then the base's step with this class's overrides.
    ConstructDropDown();
    // The defaults; of the colour scheme applied above only the header font colour stays.
    FDesignTime = false;
    FBalloonInit = false;
    FCaseSensitive = false;
    FColumnSizing = false;
    FColumnMoving = false;
    FLookupColumn = 0;
    FLookupMethod = lmLookup;
    FHeaderColorTo = clGray;
    FHeaderColor = clWhite;
    FUseItems = true;
    FItemIndex = -1;
    FHeaderHeight = 25;
    FSelRow = 0;
    FCompletion = {};
    FRowSelect = true;
    FGridReturnIsTab = false;
    FMatchStart = true;
    FOldItemIndex = -1;
    FDropDownAutoWidth = true;
    FColumnSizeWithDropDown = true;
    FSelectionTextColor = clBlack;
    FDropDownRowHeight = 22;
    FTempItemIndex = 0;
    FStyle = dsDropDown;
    FHoverRow = false;
    FHoverRowColor = clInfoBk;
    FHoverRowColorTo = clNone;
    FSorting = gsNone;
    FGridEditable = false;
    FRowMoving = false;
    FRowSizing = false;
    FAutoShowDropDown = false;
    FAutoSizeColumns = true;
    FItems = CreateItems(this);
    SetDropDownColor(clWhite);
    SetDropDownHeight(200);
    SetAutoSelect(true);
    SetSelectionColorStyle(scOffice2007);
    FSearchFooter = std::make_unique<grid::TSearchFooter>(nullptr, FDesignTime);
    FBands = std::make_unique<grid::TBands>();
    FNavigation = std::make_unique<grid::TNavigation>();
    FNavigation->SetHomeEndKey(grid::heFirstLastRow);
    FMouseActions = std::make_unique<grid::TMouseActions>(nullptr);
    // 4.
    if (FDesignTime) {
        FColumns->Clear();
        for (int i = 0; i < kDesignColumns; ++i)
            FColumns->Add();
    }
}

TCustomQvGridDropDown::~TCustomQvGridDropDown()
{
    // The grid's rows point at the index objects; it goes before them.
    delete FQvColGrid.data();
}

std::unique_ptr<TDropDownItems> TCustomQvGridDropDown::CreateItems(QObject* owner)
{
    return std::make_unique<TDropDownItems>(owner);
}

void TCustomQvGridDropDown::CreateDropDownForm()
{
    TQvCustomDropDown::CreateDropDownForm();
    if (!DropDownForm() || FQvColGrid)
        return;
    auto* g = new TQvColGrid(this, DropDownForm());
    g->SetQvDropDown(this);
    g->move(0, 0);
    g->resize(g->width(), 180);
    g->SetColor(FDropDownColor);
    g->Navigation().SetHomeEndKey(grid::heFirstLastRow);
    FQvColGrid = g;
}

void TCustomQvGridDropDown::SetSearchFooter(const grid::TSearchFooter& v)
{
    FSearchFooter->Assign(v);
}
void TCustomQvGridDropDown::SetBands(const grid::TBands& v)
{
    FBands->Assign(v);
}
void TCustomQvGridDropDown::SetNavigation(const grid::TNavigation& v)
{
    FNavigation->Assign(v);
}
void TCustomQvGridDropDown::SetMouseActions(const grid::TMouseActions& v)
{
    FMouseActions->Assign(v);
}

void TCustomQvGridDropDown::SetStyle(TDropDownStyle v)
{
    FStyle = v;
    SetEditorEnabled(v == dsDropDown);
}

void TCustomQvGridDropDown::SetGridImages(grid::TCustomImageList* v)
{
    FGridImages = v;
    if (FQvColGrid)
        FQvColGrid->GridImages = v;
}

// ---- rows and items --------------------------------------------------------------------------

TItemIndexObject* TCustomQvGridDropDown::indexObject(int i)
{
    while (int(FIndexObjects.size()) <= i)
        FIndexObjects.emplace_back(int(FIndexObjects.size()));
    return &FIndexObjects[std::size_t(i)];
}

int TCustomQvGridDropDown::ItemOfRow(int row) const
{
    const TQvColGrid* g = FQvColGrid;
    if (!g || row < 0 || row >= g->RowCount())
        return row;
    const auto* index = dynamic_cast<const TItemIndexObject*>(g->GetObjectEx(0, row));
    if (index)
        return index->Index;
    // The header row (with items) names no item; directly a row is its own number.
    return FUseItems ? -1 : row;
}

int TCustomQvGridDropDown::RowOfItem(int index) const
{
    const TQvColGrid* g = FQvColGrid;
    if (!g || index < 0)
        return FItemIndex;
    for (int r = g->FixedRows(); r < g->RowCount(); ++r)
        if (ItemOfRow(r) == index)
            return r;
    return FItemIndex;
}

int TCustomQvGridDropDown::ItemCount() const
{
    if (FUseItems)
        return FItems->Count();
    return FQvColGrid ? FQvColGrid->RowCount() - FQvColGrid->FixedRows() : 0;
}

QString TCustomQvGridDropDown::lookupText(int item) const
{
    return FItems->Items(item).Line(FLookupColumn);
}

// ---- item index ------------------------------------------------------------------------------

void TCustomQvGridDropDown::SetText(const QString& value)
{
    const bool was = FWritingText;
    FWritingText = true;
    TQvCustomDropDown::SetText(value);
    FWritingText = was;
}

void TCustomQvGridDropDown::SetItemIndex(int value)
{
    if (FUseItems) {
        if (value >= FItems->Count())
            return;
        FItemIndex = value;
        SetText(value >= 0 && FLookupColumn >= 0 ? lookupText(value) : QString());
        return;
    }
    TQvColGrid* g = FQvColGrid;
    if (!g) {
        FItemIndex = value;
        return;
    }
    // A data row number: the limit and the cell count the fixed rows (not a fixed one row).
    if (value == FItemIndex || value >= g->RowCount() - g->FixedRows())
        return;
    FItemIndex = value;
    SetText(value < 0 ? QString() : g->Cells(FLookupColumn, value + g->FixedRows()));
}

void TCustomQvGridDropDown::UpdateLookup()
{
    QStringList& lookup = FCompletion.FLookupItems;
    lookup.clear();
    if (FLookupColumn < 0)
        return;
    lookup.reserve(FItems->Count());
    for (int i = 0; i < FItems->Count(); ++i)
        lookup.append(lookupText(i));
}

void TCustomQvGridDropDown::Loaded()
{
    TQvCustomDropDown::Loaded();
    UpdateLookup();
    if (FQvColGrid)
        FQvColGrid->FillFromItems();
}

// ---- selection helpers -----------------------------------------------------------------------

void TCustomQvGridDropDown::selectStep(TSelectStep step)
{
    const int target = SelectionTarget(FItemIndex, ItemCount(), step);
    if (target >= 0)
        SetItemIndex(target);
}

void TCustomQvGridDropDown::selectPage(int rows)
{
    const int count = ItemCount();
    if (count == 0)
        return;
    SetItemIndex(FItemIndex < 0 ? 0 : std::clamp(FItemIndex + rows, 0, count - 1));
}

void TCustomQvGridDropDown::SelectFirst()
{
    selectStep(TSelectStep::First);
}
void TCustomQvGridDropDown::SelectLast()
{
    selectStep(TSelectStep::Last);
}
void TCustomQvGridDropDown::SelectNext()
{
    selectStep(TSelectStep::Next);
}
void TCustomQvGridDropDown::SelectPrevious()
{
    selectStep(TSelectStep::Previous);
}
void TCustomQvGridDropDown::SelectNextPage()
{
    selectPage(kPageRows);
}
void TCustomQvGridDropDown::SelectPreviousPage()
{
    selectPage(-kPageRows);
}

// ---- colour schemes --------------------------------------------------------------------------

void TCustomQvGridDropDown::SetSelectionColorStyle(TSelectionColorStyle v)
{
    multicolumn::SelectionStyleLineColors(v, FLineColor, FFixedLineColor);
    TQvCustomDropDown::SetSelectionColorStyle(v);
}

void TCustomQvGridDropDown::SetComponentStyle(TVLXStyle style)
{
    TQvCustomDropDown::SetComponentStyle(style);
    // The Office 2010 styles leave this picker's header and line colours: its popup draws with
    // the table control's own scheme.
    if (style == grid::tsOffice2010Blue || style == grid::tsOffice2010Silver || style == grid::tsOffice2010Black)
        return;
    const multicolumn::TColumnScheme* found = multicolumn::FindColumnScheme(style);
    if (!found)
        return;
    const multicolumn::TColumnScheme& s = *found;
    FHeaderColor = s.headerColor;
    FHeaderColorTo = s.headerColorTo;
    if (s.headerFontColor != multicolumn::kSchemeKeep)
        FHeaderFont.Color = s.headerFontColor;
    SetSelectionColorStyle(s.selectionStyle);
    FSelectionTextColor = s.selectionTextColor;
    FLineColor = s.lineColor;
    FFixedLineColor = s.fixedLineColor;
    if (s.selectionColor != multicolumn::kSchemeKeep) {
        SetSelectionColor(s.selectionColor);
        SetSelectionColorTo(s.selectionColor);
    }
}

// ---- opening and closing ---------------------------------------------------------------------

void TCustomQvGridDropDown::BeforeDropDown()
{
    // 1.
    if (DropDownForm())
        DropDownForm()->SetCancelOnDeActivate(false);
    TQvColGrid* g = FQvColGrid;
    if (!g) {
        TQvCustomDropDown::BeforeDropDown();
        FOldItemIndex = FItemIndex;
        return;
    }
    // 2.
    g->InitFromDropDown(this);
    g->SetColor(FDropDownColor);
    grid::TSortSettings& sort = g->SortSettings();
    sort.SetShow(FSorting != gsNone);
    sort.SetIndexShow(FSorting == gsMultiColumn);
    FBalloonInit = false;
    // 3.
    bindGridEvents(*g);
    // 4.
    g->SearchFooter().Assign(*FSearchFooter);
    g->MouseActions().Assign(*FMouseActions);
    g->Navigation().Assign(*FNavigation);
    g->Bands().Assign(*FBands);
    // 5.
    grid::TGridOptions options = g->Options() | grid::goThumbTracking;
    options = FRowSelect ? (options | grid::goRowSelect) : (options & ~grid::goRowSelect);
    options = FGridEditable ? (options | grid::goEditing) : (options & ~grid::goEditing);
    g->SetOptions(options);
    g->GridImages = FGridImages;
    // 6.
    g->SetComponentStyle(FVLXStyle);
    // 7.
    if (FUseItems) {
        TQvCustomDropDown::BeforeDropDown();
        g->SetRowCount(FItems->Count() + 1);
        g->SetFixedRows(1);
        g->FillFromItems();
        // The refilled rows narrowed by what was typed so far (in the edit before opening).
        const QString entry = FLookupEntry.trimmed();
        if (FLookupMethod == lmNarrowDown && !entry.isEmpty())
            g->NarrowDown(entry, FLookupColumn);
        const int r = RowOfItem(FItemIndex);
        if (r >= g->FixedRows() && r < g->RowCount())
            g->SetRow(r);
    } else {
        QString found;
        int row = -1;
        // Placing the row is no choice: the text stays as typed.
        FPlacingRow = true;
        g->SetRow(FindLookupMatch(Text(), found, row) ? row : std::min(g->FixedRows(), g->RowCount() - 1));
        FPlacingRow = false;
    }
    // 8.
    if (sort.Column() >= 0 && sort.Show())
        g->QSort();
    // 9.
    FOldItemIndex = FItemIndex;
    if (!FUseItems)
        TQvCustomDropDown::BeforeDropDown();
}

void TCustomQvGridDropDown::SizeDropDown()
{
    TQvCustomDropDown::SizeDropDown();
    TDropDownForm* form = DropDownForm();
    if (FDropDownAutoWidth && form && FQvColGrid)
        FitPopupWidth(*form, *FQvColGrid, FQvColGrid->ContentWidth(), FDropDownBorderWidth);
}

void TCustomQvGridDropDown::PlaceControl()
{
    SetControl(FQvColGrid);
    TQvCustomDropDown::PlaceControl();
}

void TCustomQvGridDropDown::AdjustDropDownHeight(int& height)
{
    int bars = 0;
    if (FDropDownHeader.Visible())
        bars += FDropDownHeader.Height();
    if (FDropDownFooter.Visible())
        bars += FDropDownFooter.Height();
    height = WholeRowsHeight(height, bars, FHeaderHeight, kPopupExtraHeight, rowHeight());
}

void TCustomQvGridDropDown::OpenDropDown()
{
    TQvCustomDropDown::OpenDropDown();
    TQvColGrid* g = FQvColGrid;
    if (!FUseItems)
        while (FColumns->Count() < (g ? g->ColCount() : 0))
            FColumns->Add();
    if (FDroppedDown)
        SizeColumnsToPopup();
    if (!g || !FDroppedDown)
        return;
    if (g->VisibleRowCount() + g->FixedRows() < g->RowCount()) {
        if (g->Row() > g->TopRow() + g->VisibleRowCount() || g->Row() < g->TopRow())
            g->SetTopRow(g->Row());
    }
    FSelRow = g->Row();
    g->setFocusPolicy(Qt::StrongFocus);
    g->setFocus();
}

void TCustomQvGridDropDown::SizeColumnsToPopup()
{
    TQvColGrid* g = FQvColGrid;
    if (!FColumnSizeWithDropDown || !g || !DropDownForm())
        return;
    StretchColumnsToPopup(*g, multicolumn::ColumnWidths(g->Columns()), DropDownForm()->width(), g->ScrollBarWidth());
}

void TCustomQvGridDropDown::DropDownResized()
{
    TQvCustomDropDown::DropDownResized();
    SizeColumnsToPopup();
}

void TCustomQvGridDropDown::CloseDropDown(bool cancelChanges)
{
    TDropDownForm* form = DropDownForm();
    TQvColGrid* g = FQvColGrid;
    if (form && form->isVisible()) {
        if (cancelChanges) {
            SetItemIndex(FOldItemIndex);
        } else if (g && g->ConfirmSelection()) {
            SetItemIndex(FUseItems ? ItemOfRow(FSelRow) : FSelRow - g->FixedRows());
        }
        FOldItemIndex = FItemIndex;
        if (g)
            g->SetConfirmSelection(false);
    }
    TQvCustomDropDown::CloseDropDown(cancelChanges);
}

// ---- choosing in the popup -------------------------------------------------------------------

void TCustomQvGridDropDown::GridSelectCell(int, int row, bool&)
{
    TQvColGrid* g = FQvColGrid;
    FSelRow = row;
    if (!g || g->MouseWheelSelection() || FPlacingRow)
        return;
    if (FUseItems) {
        SetItemIndex(ItemOfRow(row));
    } else {
        SetText(g->Cells(FLookupColumn, row));
        SetItemIndex(row - g->FixedRows());
    }
}

void TCustomQvGridDropDown::GridSelect()
{
    TQvColGrid* g = FQvColGrid;
    if (g && g->ConfirmSelection())
        SetItemIndex(FUseItems ? ItemOfRow(g->Row()) : g->Row() - g->FixedRows());
    if (!FGridEditable)
        CloseDropDown(false);
    if (OnSelect)
        OnSelect(this);
}

void TCustomQvGridDropDown::GridCanSort(int, bool&)
{
    FTempItemIndex = FItemIndex;
}

void TCustomQvGridDropDown::GridClickSort(int)
{
    TQvColGrid* g = FQvColGrid;
    if (!g)
        return;
    if (!FUseItems) {
        // Directly the rows carry no items: the row showing the chosen text becomes current.
        QString found;
        int row = -1;
        if (FindLookupMatch(Text(), found, row))
            g->SetRow(row);
        return;
    }
    const int r = RowOfItem(FTempItemIndex);
    if (r >= g->FixedRows() && r < g->RowCount())
        g->SetRow(r);
}

void TCustomQvGridDropDown::setBlockActivate(bool v)
{
    if (DropDownForm())
        DropDownForm()->SetBlockActivate(v);
}

// A drag of cells or a row or column move inside the popup must not close it.
void TCustomQvGridDropDown::GridStartBlockFocus()
{
    setBlockActivate(true);
}
void TCustomQvGridDropDown::GridEndBlockFocus()
{
    setBlockActivate(false);
}

void TCustomQvGridDropDown::WheelDown()
{
    TQvCustomDropDown::WheelDown();
    SelectNext();
}

void TCustomQvGridDropDown::WheelUp()
{
    TQvCustomDropDown::WheelUp();
    SelectPrevious();
}

// ---- keys from the popup grid, type-ahead and narrowing --------------------------------------

namespace {

bool staysInGrid(int key)
{
    return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End || key == Qt::Key_Home
           || key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

void TCustomQvGridDropDown::ControlKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    // Tab is the grid's own (it swallows it).
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    if (!tab && !(staysInGrid(key) && !shift.testFlag(Qt::AltModifier)))
        TQvCustomDropDown::ControlKeyDown(key, shift);
    if (OnGridKeyDown)
        OnGridKeyDown(this, key, shift);
}

void TCustomQvGridDropDown::ControlKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (staysInGrid(key) && !shift.testFlag(Qt::AltModifier))
        FLookupEntry.clear();
    else
        TQvCustomDropDown::ControlKeyUp(key, shift);
    if (OnGridKeyUp)
        OnGridKeyUp(this, key, shift);
}

void TCustomQvGridDropDown::ControlKeyPress(QChar& key)
{
    TQvColGrid* g = FQvColGrid;
    const bool altHeld = FDesktop->keyModifiers().testFlag(Qt::AltModifier);
    // Of the excluded keys only Return and Escape come as characters.
    const bool excluded = key == QLatin1Char('\r') || key == QChar(0x1B);
    // 1.
    if (!g || g->HasOption(grid::goEditing) || (excluded && !altHeld)) {
        FLookupEntry.clear();
    } else {
        // 2.
        int r = LookupChar(key);
        // A found item becomes the row that shows it; a row (directly, narrowing) stays.
        if (FUseItems && FLookupMethod == lmLookup && r >= 0)
            r = RowOfItem(r);
        if (r < g->FixedRows() || r >= g->RowCount()) {
            // With dsDropDown an entry that matches nothing stays (Backspace steps back in it).
            if (!(FLookupMethod == lmLookup && FStyle == dsDropDown))
                FLookupEntry.clear();
        } else {
            if (g->VisibleRowCount() + g->FixedRows() < g->RowCount())
                g->SetTopRow(r);
            g->SetRow(r);
            g->SetCol(0);
            g->RepaintRow(r);
        }
        // The character was the picker's: the grid does not search or edit with it too.
        key = QChar();
    }
    // 3.
    if (OnGridKeyPress) {
        QChar k = key;
        OnGridKeyPress(this, k);
    }
}

int TCustomQvGridDropDown::LookupChar(QChar key)
{
    // 1.
    if (FLookupMethod == lmNone)
        return -1;
    TQvColGrid* g = FQvColGrid;
    // 2.
    const bool backspace = key == QLatin1Char('\b');
    if (!backspace && key != QLatin1Char('\t'))
        FLookupEntry += key;
    if (backspace) {
        LookupBackspace(*this, FLookupEntry, FLookupMethod == lmNarrowDown);
        // Narrowing follows the shorter entry, so Backspace to an empty entry shows every row
        // again; a lookup ends here.
        if (FLookupMethod != lmNarrowDown)
            return -1;
    }
    // 3.
    const QString entry = FLookupEntry.trimmed();
    // 4.
    if (FLookupMethod == lmNarrowDown) {
        if (!g)
            return -1;
        if (entry.isEmpty()) {
            g->RemoveAllFilters();
        } else {
            g->SetFixedRowAlways(true);
            g->NarrowDown(entry, FLookupColumn);
            if (FStyle == dsDropDown && g->RowCount() > g->FixedRows()) {
                SetText(g->Cells(FLookupColumn, g->FixedRows()));
                SelectUntypedRest(*this, int(FLookupEntry.size()));
            }
        }
        return g->FixedRows();
    }
    // 5.
    QString found;
    int index = -1;
    const auto take = [&] {
        if (FUseItems)
            FItemIndex = index;
        else if (g)
            FItemIndex = index - g->FixedRows();
        SetText(found);
    };
    if (FindLookupMatch(entry, found, index)) {
        take();
        if (FStyle == dsDropDown)
            SelectUntypedRest(*this, int(FLookupEntry.size()));
        return index;
    }
    if (FStyle == dsDropDownList) {
        // A character that does not continue the entry starts a new one.
        if (FindLookupMatch(QString(key), found, index)) {
            take();
            FLookupEntry = QString(key);
            return index;
        }
        FLookupEntry.clear();
    }
    return -1;
}

bool TCustomQvGridDropDown::FindLookupMatch(const QString& text, QString& found, int& row) const
{
    row = -1;
    found.clear();
    const QString key = FCaseSensitive ? text : UpperChars(text);
    if (key.isEmpty())
        return false;
    if (FUseItems) {
        for (int i = 0; i < FItems->Count(); ++i) {
            const QString candidate = lookupText(i);
            if (StartsWithKey(candidate, key, FCaseSensitive)) {
                found = candidate;
                row = i;
                return true;
            }
        }
        return false;
    }
    const TQvColGrid* g = FQvColGrid;
    if (!g)
        return false;
    for (int r = g->FixedRows(); r < g->RowCount(); ++r) {
        const QString candidate = g->Cells(FLookupColumn, r);
        if (StartsWithKey(candidate, key, FCaseSensitive)) {
            found = candidate;
            row = r;
            return true;
        }
    }
    return false;
}

// ---- completion while typing -----------------------------------------------------------------

void TCustomQvGridDropDown::Change()
{
    TextChanged();
}

void TCustomQvGridDropDown::TextChanged()
{
    // 1.
    FCompletion.FItemChange = false;
    TQvCustomDropDown::Change();
    // 2-4.
    CompleteTyping(*this, FCompletion, FWritingText, FItemIndex);
}

// ---- keys of the edit ------------------------------------------------------------------------

namespace {

bool isReturn(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void TCustomQvGridDropDown::DropDownKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    ItemKeyDown(key, shift);
}

void TCustomQvGridDropDown::ItemKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    TQvColGrid* g = FQvColGrid;
    // Return while the popup grid edits a cell ends that edit and takes the row. With items the
    // row's own item, so a sorted popup names the right one.
    if (g && g->HasOption(grid::goEditing) && g->EditMode && isReturn(key) && !shift.testFlag(Qt::ShiftModifier)) {
        g->HideInplaceEdit();
        const int row = g->Row();
        SetText(g->Cells(FLookupColumn, row));
        FItemIndex = FUseItems ? ItemOfRow(row) : row - g->FixedRows();
        key = 0;
        return;
    }
    if (FLookupColumn < 0 || FItems->Count() == 0) {
        TQvCustomDropDown::DropDownKeyDown(key, shift);
        return;
    }
    EditKeySwitch(*this, FCompletion, FGridReturnIsTab, key);
    if (key == Qt::Key_Escape || (key >= Qt::Key_Home && key <= Qt::Key_PageDown))
        FLookupEntry.clear();
    TQvCustomDropDown::DropDownKeyDown(key, shift);
    if (key == Qt::Key_Escape)
        SetItemIndex(IndexIgnoringCase(FCompletion.FLookupItems, Text()));
}

void TCustomQvGridDropDown::DropDownKeyPress(QChar& key)
{
    ItemKeyPress(key);
}

void TCustomQvGridDropDown::ItemKeyPress(QChar& key)
{
    if (key == QLatin1Char('\r') && FGridReturnIsTab) {
        key = QChar();
        return;
    }
    TQvCustomDropDown::DropDownKeyPress(key);
}

void TCustomQvGridDropDown::WMKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    ItemKeyUp(key, shift);
}

void TCustomQvGridDropDown::ItemKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (!(isReturn(key) && FGridReturnIsTab))
        TQvCustomDropDown::WMKeyUp(key, shift);
    TQvColGrid* g = FQvColGrid;
    if (g && g->HasOption(grid::goEditing) && g->EditMode && isReturn(key) && !shift.testFlag(Qt::ShiftModifier)) {
        if (g->Col() == FLookupColumn)
            HideDropDown(false);
        else
            g->HideInplaceEdit();
    }
    FinishCompletion(*this, FCompletion, [this](int i) { SetItemIndex(i); });
}

void TCustomQvGridDropDown::WMChar(QChar& key, Qt::KeyboardModifiers shift)
{
    TQvCustomDropDown::WMChar(key, shift);
    if (!key.isNull())
        LookupChar(key);
    if (FAutoShowDropDown && !FDroppedDown)
        ShowDropDown();
}

void TCustomQvGridDropDown::WMKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const int pressed = key;
    if (isReturn(key) && FQvColGrid)
        FQvColGrid->SetConfirmSelection(true);
    TQvCustomDropDown::WMKeyDown(key, shift);
    const bool altHeld = shift.testFlag(Qt::AltModifier) || FDesktop->keyModifiers().testFlag(Qt::AltModifier);
    if (!isEnabled() || altHeld)
        return;
    if (staysInGrid(pressed))
        FLookupEntry.clear();
    SelectByKey(*this, pressed, !shift.testFlag(Qt::ShiftModifier) && FStyle == dsDropDownList);
}

void TCustomQvGridDropDown::focusInEvent(QFocusEvent* e)
{
    TQvCustomDropDown::focusInEvent(e);
    // Entering the control shows every row again; the focus coming back from the open popup is
    // no entering.
    if (FDroppedDown)
        return;
    if (FQvColGrid)
        FQvColGrid->RemoveAllFilters();
    FLookupEntry.clear();
}

} // namespace dropdowns::customgrid
