// The multi-column picker: its columns and items, opening and closing the popup list, the
// colour schemes, completion while typing, type-ahead in the list and the keys of the edit.
// The popup list itself is in QvMultiColumnDropDown/ColGrid.cpp.

#include "dropdowns/QvMultiColumnDropDown.h"

#include "dropdowns/LookupCompletion.h"
#include "platform/Desktop.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>

#include <stdexcept>

namespace dropdowns::multicolumn {

using namespace platform;

// ---- columns and items -----------------------------------------------------------------------

void TDropDownColumn::Assign(const grid::TPersistent& source)
{
    const auto* s = dynamic_cast<const TDropDownColumn*>(&source);
    if (!s)
        throw std::invalid_argument("Cannot assign a " + source.ClassName().toStdString() + " to a TDropDownColumn");
    FWordwrap = s->FWordwrap;
    FWidth = s->FWidth;
    FAutoSize = s->FAutoSize;
    FHeader = s->FHeader;
    FAlignment = s->FAlignment;
    FColor = s->FColor;
    FColumnType = s->FColumnType;
    FFont = s->FFont;
    FEllipsis = s->FEllipsis;
}

const QString& TDropDownItem::Line(int column) const
{
    static const QString empty;
    return column >= 0 && column < FText.size() ? FText[column] : empty;
}

void TDropDownItem::Assign(const grid::TPersistent& source)
{
    const auto* s = dynamic_cast<const TDropDownItem*>(&source);
    if (!s)
        throw std::invalid_argument("Cannot assign a " + source.ClassName().toStdString() + " to a TDropDownItem");
    FImageIndex = s->FImageIndex;
    // The lines go with the item: without them an assigned picker would show empty rows.
    FText = s->FText;
}

template <class Item>
Item& TDropDownCollection<Item>::Insert(int index)
{
    if (index < 0 || index > Count())
        throw std::out_of_range("List index out of bounds");
    auto it = FItems.insert(FItems.begin() + index, NewItem());
    return **it;
}

template <class Item>
void TDropDownCollection<Item>::Delete(int index)
{
    Items(index);
    FItems.erase(FItems.begin() + index);
}

template <class Item>
Item& TDropDownCollection<Item>::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("List index out of bounds");
    return *FItems[std::size_t(index)];
}

template <class Item>
void TDropDownCollection<Item>::Assign(const TDropDownCollection& source)
{
    if (&source == this)
        return;
    FItems.clear();
    FItems.reserve(std::size_t(source.Count()));
    for (int i = 0; i < source.Count(); ++i)
        Add().Assign(source.Items(i));
}

template class TDropDownCollection<TDropDownColumn>;
template class TDropDownCollection<TDropDownItem>;

int TDropDownItems::IndexInColumn(int column, const QString& value) const
{
    for (int i = 0; i < Count(); ++i) {
        const QStringList& lines = Items(i).Text();
        if (column >= 0 && lines.size() > column && lines[column] == value)
            return i;
    }
    return -1;
}

// ---- construction ----------------------------------------------------------------------------

TQvMultiColumnDropDown::TQvMultiColumnDropDown(QWidget* owner, platform::Desktop* desktop)
    : TQvCustomDropDown(owner, desktop), FItems(std::make_unique<TDropDownItems>(this)),
      FColumns(std::make_unique<TDropDownColumns>(this))
{
    // The header font exists (a member); 2. the base's step with this class's overrides.
    ConstructDropDown();
    // The defaults; of the colour scheme applied above only the header font colour stays.
    FShowing = false;
    FColumnSizing = false;
    FLookupColumn = 0;
    FHeaderColorTo = clGray;
    FHeaderColor = clWhite;
    FItemIndex = -1;
    FHeaderHeight = 25;
    FCompletion = {};
    FColReturnIsTab = false;
    FMatchStart = true;
    FOldItemIndex = -1;
    FDropDownAutoWidth = true;
    FColumnSizeWithDropDown = true;
    FSelectionTextColor = clBlack;
    FDropDownRowHeight = 22;
    FCaseSensitive = false;
    SetDropDownColor(clWhite);
    SetDropDownHeight(200);
    SetAutoSelect(true);
    SetSelectionColorStyle(scOffice2007);
}

TQvMultiColumnDropDown::~TQvMultiColumnDropDown()
{
    // The grid draws from the items; it goes before them.
    delete FQvColGrid.data();
}

void TQvMultiColumnDropDown::CreateDropDownForm()
{
    TQvCustomDropDown::CreateDropDownForm();
    if (!DropDownForm() || FQvColGrid)
        return;
    auto* g = new TQvColGrid(DropDownForm());
    g->SetQvDropDown(this);
    g->move(0, 0);
    g->resize(g->width(), 180);
    g->SetColor(FDropDownColor);
    FQvColGrid = g;
}

// ---- item index ------------------------------------------------------------------------------

const QString& TQvMultiColumnDropDown::lookupText(int item) const
{
    return FItems->Items(item).Line(FLookupColumn);
}

void TQvMultiColumnDropDown::SetText(const QString& value)
{
    const bool was = FWritingText;
    FWritingText = true;
    TQvCustomDropDown::SetText(value);
    FWritingText = was;
}

void TQvMultiColumnDropDown::SetItemIndex(int value)
{
    if (value >= FItems->Count())
        return;
    FItemIndex = value;
    SetText(value >= 0 && FLookupColumn >= 0 ? lookupText(value) : QString());
}

int TQvMultiColumnDropDown::GetItemIndex(const QString& value) const
{
    if (FLookupColumn < 0)
        return -1;
    for (int i = 0; i < FItems->Count(); ++i)
        if (lookupText(i) == value)
            return i;
    return -1;
}

void TQvMultiColumnDropDown::UpdateLookup()
{
    QStringList& lookup = FCompletion.FLookupItems;
    lookup.clear();
    if (FLookupColumn < 0)
        return;
    lookup.reserve(FItems->Count());
    // The lines are shared with the items, not copied.
    for (int i = 0; i < FItems->Count(); ++i)
        lookup.append(lookupText(i));
}

void TQvMultiColumnDropDown::Loaded()
{
    TQvCustomDropDown::Loaded();
    UpdateLookup();
}

void TQvMultiColumnDropDown::Assign(const QObject* source)
{
    TQvCustomDropDown::Assign(source);
    const auto* s = qobject_cast<const TQvMultiColumnDropDown*>(source);
    if (!s || s == this)
        return;
    FCaseSensitive = s->FCaseSensitive;
    FDropDownAutoWidth = s->FDropDownAutoWidth;
    FDropDownRowHeight = s->FDropDownRowHeight;
    FLineColor = s->FLineColor;
    FFixedLineColor = s->FFixedLineColor;
    FColumnSizing = s->FColumnSizing;
    FColumnSizeWithDropDown = s->FColumnSizeWithDropDown;
    FColumns->Assign(*s->FColumns);
    FHeaderColor = s->FHeaderColor;
    FHeaderColorTo = s->FHeaderColorTo;
    FHeaderHeight = s->FHeaderHeight;
    FHeaderFont = s->FHeaderFont;
    FLookupColumn = s->FLookupColumn;
    FSelectionTextColor = s->FSelectionTextColor;
    FItems->Assign(*s->FItems);
    FItemIndex = s->FItemIndex;
}

// ---- selection helpers -----------------------------------------------------------------------

namespace {

// Rows a page key moves in the closed picker.
constexpr int kPageRows = 10;

} // namespace

void TQvMultiColumnDropDown::selectStep(TSelectStep step)
{
    const int target = SelectionTarget(FItemIndex, FItems->Count(), step);
    if (target >= 0)
        SetItemIndex(target);
}

void TQvMultiColumnDropDown::SelectFirst()
{
    selectStep(TSelectStep::First);
}
void TQvMultiColumnDropDown::SelectLast()
{
    selectStep(TSelectStep::Last);
}
void TQvMultiColumnDropDown::SelectNext()
{
    selectStep(TSelectStep::Next);
}
void TQvMultiColumnDropDown::SelectPrevious()
{
    selectStep(TSelectStep::Previous);
}

void TQvMultiColumnDropDown::SelectNextPage()
{
    if (FItems->Count() == 0)
        return;
    SetItemIndex(FItemIndex < 0 ? 0 : std::min(FItemIndex + kPageRows, FItems->Count() - 1));
}

void TQvMultiColumnDropDown::SelectPreviousPage()
{
    if (FItems->Count() == 0)
        return;
    SetItemIndex(FItemIndex < 0 ? 0 : std::max(FItemIndex - kPageRows, 0));
}

// ---- colour schemes --------------------------------------------------------------------------

namespace {

constexpr TColor kKeep = kSchemeKeep;

// clang-format off
constexpr TColumnScheme kColumnSchemes[] = {
    {grid::tsOffice2003Blue,     0xD68759, 0x933803, 0xFFFFFF, scOffice2007, clBlack, 0x962D00, 0x962D00, kKeep},
    {grid::tsOffice2003Silver,   0xBDA4A5, 0x957475, kKeep,    scOffice2007, clBlack, 0x947C7C, 0x947C7C, kKeep},
    {grid::tsOffice2003Olive,    0x82C0AF, 0x447A63, kKeep,    scOffice2007, clBlack, 0x588060, 0x588060, kKeep},
    {grid::tsOffice2003Classic,  0x808080, 0x808080, kKeep,    scOffice2007, clBlack, 0x808080, 0x808080, kKeep},
    {grid::tsOffice2007Luna,     0xFFEFE3, 0xFFD2AF, 0x723708, scOffice2007, clBlack, 0xFFD2AF, 0xFFD2AF, kKeep},
    {grid::tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x433C37, scOffice2007, clBlack, 0x5C534C, 0x5C534C, kKeep},
    {grid::tsWindowsXP,          clBtnFace, clBtnFace, clBlack, scCustom, clHighlightText, 0xC0C0C0, clBlack, clHighlight},
    {grid::tsWhidbey,            0xEBEEEF, 0x7E9898, 0xFFFFFF, scOffice2007, clBlack, 0x962D00, 0x962D00, kKeep},
    {grid::tsOffice2007Silver,   0xF8F7F6, 0xE8E0DB, 0x8B4215, scOffice2007, clBlack, 0x74706F, 0x74706F, kKeep},
    {grid::tsWindowsVista,       0xFFFDF9, 0xFFFAF0, clBlack,  scWindowsVista, clBlack, 0xFCF2DA, 0xFCF2DA, kKeep},
    {grid::tsWindows7,           0xFDFBFA, 0xFDF3EB, clBlack,  scWindows7, clBlack, 0xFBD6B8, 0xFBD6B8, kKeep},
    {grid::tsTerminal,           clBtnFace, clBtnFace, clBlack, scCustom, clHighlightText, 0x808080, 0x808080, clHighlight},
    // The Office 2010 headers are flat: no gradient end.
    {grid::tsOffice2010Blue,     0xEDDBCD, clNone, 0x5B391E, scCustom, clBlack, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF},
    {grid::tsOffice2010Silver,   0xEDE9E5, clNone, 0x5B391E, scCustom, clBlack, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF},
    {grid::tsOffice2010Black,    0x828282, clNone, 0xD7D7D6, scCustom, clBlack, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF},
};
// clang-format on

} // namespace

const TColumnScheme* FindColumnScheme(TVLXStyle style)
{
    for (const TColumnScheme& s : kColumnSchemes)
        if (s.style == style)
            return &s;
    return nullptr;
}

void SelectionStyleLineColors(TSelectionColorStyle style, TColor& line, TColor& fixedLine)
{
    switch (style) {
    case scOffice2007:
        line = 0xF1EDEB;
        fixedLine = 0xD1BBA4;
        break;
    case scWindowsVista:
    case scWindows7:
        line = 0xECECF0;
        fixedLine = 0xD4D2D1;
        break;
    case scCustom:
        break;
    }
}

void TQvMultiColumnDropDown::SetSelectionColorStyle(TSelectionColorStyle v)
{
    SelectionStyleLineColors(v, FLineColor, FFixedLineColor);
    TQvCustomDropDown::SetSelectionColorStyle(v);
}

void TQvMultiColumnDropDown::SetComponentStyle(TVLXStyle style)
{
    TQvCustomDropDown::SetComponentStyle(style);
    if (const TColumnScheme* found = FindColumnScheme(style)) {
        const TColumnScheme& s = *found;
        FHeaderColor = s.headerColor;
        FHeaderColorTo = s.headerColorTo;
        if (s.headerFontColor != kKeep)
            FHeaderFont.Color = s.headerFontColor;
        SetSelectionColorStyle(s.selectionStyle);
        FSelectionTextColor = s.selectionTextColor;
        FLineColor = s.lineColor;
        FFixedLineColor = s.fixedLineColor;
        if (s.selectionColor != kKeep) {
            SetSelectionColor(s.selectionColor);
            SetSelectionColorTo(s.selectionColor);
        }
    }
}

// ---- opening and closing ---------------------------------------------------------------------

void TQvMultiColumnDropDown::BeforeDropDown()
{
    TQvCustomDropDown::BeforeDropDown();
    // Losing the activation closes the popup keeping the choice.
    if (DropDownForm())
        DropDownForm()->SetCancelOnDeActivate(false);
    FShowing = true;
    if (TQvColGrid* g = FQvColGrid) {
        g->InitFromDropDown(this);
        g->SetOptions(g->Options() | grid::goThumbTracking);
        g->SetColor(FDropDownColor);
        g->OnSelectCell = [this](grid::TStringGrid*, int col, int row, bool& canSelect) {
            GridSelectCell(col, row, canSelect);
        };
        g->OnSelect = [this](QObject*) { GridSelect(); };
        int row = FItemIndex + 1;
        if (row < g->FixedRows())
            row = 1;
        g->SetRow(std::clamp(row, 0, g->RowCount() - 1));
    }
    FOldItemIndex = FItemIndex;
}

void TQvMultiColumnDropDown::SizeDropDown()
{
    TQvCustomDropDown::SizeDropDown();
    TDropDownForm* form = DropDownForm();
    if (FDropDownAutoWidth && form && FQvColGrid)
        FitPopupWidth(*form, *FQvColGrid, FQvColGrid->ContentWidth(), FDropDownBorderWidth);
}

void TQvMultiColumnDropDown::PlaceControl()
{
    SetControl(FQvColGrid);
    TQvCustomDropDown::PlaceControl();
}

void TQvMultiColumnDropDown::AdjustDropDownHeight(int& height)
{
    int bars = 0;
    if (FDropDownHeader.Visible())
        bars += FDropDownHeader.Height();
    if (FDropDownFooter.Visible())
        bars += FDropDownFooter.Height();
    height = WholeRowsHeight(height, bars, FHeaderHeight, 2, rowHeight());
}

void TQvMultiColumnDropDown::OpenDropDown()
{
    TQvCustomDropDown::OpenDropDown();
    TQvColGrid* g = FQvColGrid;
    if (FDroppedDown && g) {
        SizeColumnsToPopup();
        if (g->RowCount() > 1) {
            g->SetRow(std::min(FItemIndex < 0 ? 1 : FItemIndex + 1, g->RowCount() - 1));
            const TRect cell = g->CellBounds(g->FixedCols(), g->Row());
            if (cell.Left <= 0 && cell.Top <= 0)
                g->SetTopRow(g->Row() - g->VisibleRowCount() + 1);
        }
    }
    // Also when an OnDropDown handler refused the opening: the grid's row changes count again.
    FShowing = false;
}

void TQvMultiColumnDropDown::SizeColumnsToPopup()
{
    TQvColGrid* g = FQvColGrid;
    if (!FColumnSizeWithDropDown || !g || !DropDownForm())
        return;
    StretchColumnsToPopup(*g, ColumnWidths(g->Columns()), DropDownForm()->width(), g->ScrollBarWidth());
}

void TQvMultiColumnDropDown::DropDownResized()
{
    TQvCustomDropDown::DropDownResized();
    SizeColumnsToPopup();
}

void TQvMultiColumnDropDown::CloseDropDown(bool cancelChanges)
{
    TDropDownForm* form = DropDownForm();
    if (!form || !form->isVisible()) {
        TQvCustomDropDown::CloseDropDown(cancelChanges);
        return;
    }
    TQvCustomDropDown::CloseDropDown(cancelChanges);
    if (cancelChanges)
        SetItemIndex(FOldItemIndex);
    else if (FQvColGrid && FQvColGrid->ConfirmSelection())
        SetItemIndex(FQvColGrid->Row() - 1);
    FOldItemIndex = FItemIndex;
}

void TQvMultiColumnDropDown::GridSelectCell(int, int row, bool&)
{
    if (!FQvColGrid || FQvColGrid->FMouseWheelSelection || FShowing)
        return;
    SetItemIndex(row - 1);
}

void TQvMultiColumnDropDown::GridSelect()
{
    if (FQvColGrid && FQvColGrid->ConfirmSelection())
        SetItemIndex(FQvColGrid->Row() - 1);
    CloseDropDown(false);
    if (OnSelect)
        OnSelect(this);
}

void TQvMultiColumnDropDown::WheelDown()
{
    TQvCustomDropDown::WheelDown();
    SelectNext();
}

void TQvMultiColumnDropDown::WheelUp()
{
    TQvCustomDropDown::WheelUp();
    SelectPrevious();
}

// ---- keys from the popup grid and type-ahead -------------------------------------------------

namespace {

bool staysInGrid(int key)
{
    return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

void TQvMultiColumnDropDown::ControlKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    // Tab is the grid's own (it swallows it); the moving keys stay in the grid without Alt.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return;
    if (staysInGrid(key) && !shift.testFlag(Qt::AltModifier))
        return;
    TQvCustomDropDown::ControlKeyDown(key, shift);
}

void TQvMultiColumnDropDown::ControlKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (staysInGrid(key) && !shift.testFlag(Qt::AltModifier))
        return;
    TQvCustomDropDown::ControlKeyUp(key, shift);
}

void TQvMultiColumnDropDown::ControlKeyPress(QChar& key)
{
    TQvColGrid* g = FQvColGrid;
    const bool altHeld = FDesktop->keyModifiers().testFlag(Qt::AltModifier);
    // Of the excluded keys only Return and Escape come as characters.
    const bool excluded = key == QLatin1Char('\r') || key == QChar(0x1B);
    if (g && !g->HasOption(grid::goEditing) && (altHeld || !excluded)) {
        const int r = LookupChar(key);
        if (r != -1) {
            const int row = g->FixedRows() + r;
            if (row > g->TopRow() + g->VisibleRowCount() || row < g->TopRow())
                g->SetTopRow(row);
            g->SetRow(std::min(row, g->RowCount() - 1));
            g->SetCol(0);
            return;
        }
    }
    FLookupEntry.clear();
}

bool TQvMultiColumnDropDown::FindLookupMatch(const QString& text, QString& found, int& index) const
{
    index = -1;
    found.clear();
    if (!FQvColGrid)
        return false;
    const QString key = FCaseSensitive ? text : UpperChars(text);
    if (key.isEmpty())
        return false;
    for (int i = 0; i < FItems->Count(); ++i) {
        const QString& candidate = lookupText(i);
        if (StartsWithKey(candidate, key, FCaseSensitive)) {
            found = candidate;
            index = i;
            return true;
        }
    }
    return false;
}

int TQvMultiColumnDropDown::LookupChar(QChar key)
{
    // 1.
    if (key != QLatin1Char('\b') && key != QLatin1Char('\t'))
        FLookupEntry += key;
    // 2.
    if (key == QLatin1Char('\b')) {
        LookupBackspace(*this, FLookupEntry, false);
        return -1;
    }
    QString found;
    int index = -1;
    // 3.
    if (FindLookupMatch(FLookupEntry, found, index)) {
        FItemIndex = index;
        SetText(found);
        SelectUntypedRest(*this, int(FLookupEntry.size()));
        return index;
    }
    // Type-ahead starts again from this character.
    if (FindLookupMatch(QString(key), found, index)) {
        FItemIndex = index;
        SetText(found);
        FLookupEntry = QString(key);
        return index;
    }
    // 5.
    FLookupEntry.clear();
    return -1;
}

// ---- completion while typing -----------------------------------------------------------------

void TQvMultiColumnDropDown::Change()
{
    TextChanged();
}

void TQvMultiColumnDropDown::TextChanged()
{
    // 1.
    FCompletion.FItemChange = false;
    TQvCustomDropDown::Change();
    // 2-4.
    CompleteTyping(*this, FCompletion, FWritingText, FItemIndex);
}

// ---- keys of the edit ------------------------------------------------------------------------

void TQvMultiColumnDropDown::DropDownKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    ItemKeyDown(key, shift);
}

void TQvMultiColumnDropDown::ItemKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (FLookupColumn < 0 || FItems->Count() == 0) {
        TQvCustomDropDown::DropDownKeyDown(key, shift);
        return;
    }
    EditKeySwitch(*this, FCompletion, FColReturnIsTab, key);
    TQvCustomDropDown::DropDownKeyDown(key, shift);
    if (key == Qt::Key_Escape)
        SetItemIndex(IndexIgnoringCase(FCompletion.FLookupItems, Text()));
}

void TQvMultiColumnDropDown::DropDownKeyPress(QChar& key)
{
    ItemKeyPress(key);
}

void TQvMultiColumnDropDown::ItemKeyPress(QChar& key)
{
    if (key == QLatin1Char('\r') && FColReturnIsTab) {
        key = QChar();
        return;
    }
    TQvCustomDropDown::DropDownKeyPress(key);
}

void TQvMultiColumnDropDown::WMKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    ItemKeyUp(key, shift);
}

void TQvMultiColumnDropDown::ItemKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (!(key == Qt::Key_Return && FColReturnIsTab))
        TQvCustomDropDown::WMKeyUp(key, shift);
    FinishCompletion(*this, FCompletion, [this](int i) { SetItemIndex(i); });
}

void TQvMultiColumnDropDown::WMKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const int pressed = key;
    TQvCustomDropDown::WMKeyDown(key, shift);
    const bool altHeld = shift.testFlag(Qt::AltModifier) || FDesktop->keyModifiers().testFlag(Qt::AltModifier);
    if (!isEnabled() || altHeld)
        return;
    SelectByKey(*this, pressed, !FEditorEnabled);
}

} // namespace dropdowns::multicolumn
