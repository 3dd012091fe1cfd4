#pragma once
// The grid picker: a drop-down edit whose popup is the program's own table control, so the list
// can be sorted by a header click, narrowed while typing, searched, banded, hovered and even
// edited in place.
//
// Two modes. With items (UseItems, the default) the picker keeps Items and Columns like the
// multi-column picker and refills the popup grid from them at every opening (FillFromItems);
// each data row keeps, as the object of its column 0 cell, an index object naming the item it
// shows, so sorting and filtering the popup carry the link between rows and items (ItemOfRow,
// RowOfItem). Directly (UseItems off) the application fills PopupGrid itself; ItemIndex then
// counts the grid's data rows and lookups read the grid's cells.
//
// Typing in the edit or the popup completes from the first matching row (lmLookup), narrows
// the popup's rows to those containing the typed entry (lmNarrowDown) or does neither (lmNone).
//
// Fifty-four events of the popup grid are re-published as OnGrid... events; the table that
// binds them at every opening is in QvCustomGridDropDown/events.cpp (GridEventTable).
//
// The column, item and event types of the multi-column picker serve here too (same names, this
// namespace); only the item collection differs: it makes its items through ItemClass.

#include "dropdowns/QvMultiColumnDropDown.h"
#include "grid/QvGrid.h"

#include <QPointer>
#include <QStringList>

#include <deque>
#include <memory>
#include <vector>

namespace grid {
class TSearchFooter;
class TBands;
class TNavigation;
class TMouseActions;
} // namespace grid

namespace dropdowns::customgrid {

using grid::TColor;
using grid::TFont;
using grid::TRect;
using multicolumn::ctImage;
using multicolumn::ctText;
using multicolumn::TColumnType;
using multicolumn::TDrawCellEvent;
using multicolumn::TDropDownColumn;
using multicolumn::TDropDownColumns;
using multicolumn::TDropDownItem;
using multicolumn::TGetCellPropEvent;
using multicolumn::TGetCellTextEvent;

enum TLookupMethod { lmLookup, lmNarrowDown, lmNone };
enum TGridSorting { gsNone, gsSingleColumn, gsMultiColumn };
enum TDropDownStyle { dsDropDown, dsDropDownList };

class TCustomQvGridDropDown;

class TDropDownItems : public multicolumn::TDropDownCollection<TDropDownItem> {
public:
    using TDropDownCollection::TDropDownCollection;
    QString ClassName() const override { return QStringLiteral("TDropDownItems"); }
    // A new item of the class this collection holds; descendants answer their own item class.
    virtual std::unique_ptr<TDropDownItem> ItemClass() const { return std::make_unique<TDropDownItem>(); }

protected:
    std::unique_ptr<TDropDownItem> NewItem() override { return ItemClass(); }
};

// ---- the re-published grid events (sender first: the popup grid, except where noted) ---------
using TAnchorClickEvent = std::function<void(QObject*, int ARow, int ACol, const QString& Anchor, bool& AutoHandle)>;
using TAnchorEvent = std::function<void(QObject*, int ARow, int ACol, const QString& Anchor)>;
using TAnchorHintEvent = std::function<void(QObject*, int ARow, int ACol, QString& Anchor)>;
using TCanSortEvent = std::function<void(QObject*, int ACol, bool& DoSort)>;
using TClickSortEvent = std::function<void(QObject*, int ACol)>;
using TCustomCompareEvent = std::function<void(QObject*, const QString& str1, const QString& str2, int& Res)>;
using TRawCompareEvent = std::function<void(QObject*, int ACol, int Row1, int Row2, int& Res)>;
using TCustomCellDrawEvent = std::function<void(QObject*, QPainter& Canvas, int ACol, int ARow,
                                                grid::TGridDrawState AState, const TRect& ARect, bool Printing)>;
using TGridAlignEvent =
    std::function<void(QObject*, int ARow, int ACol, grid::TAlignment& HAlign, grid::TVAlignment& VAlign)>;
using TGridColorEvent =
    std::function<void(QObject*, int ARow, int ACol, grid::TGridDrawState AState, grid::TBrush& ABrush, TFont& AFont)>;
using TGridGradientEvent =
    std::function<void(QObject*, int ARow, int ACol, TColor& Color, TColor& ColorTo, TColor& ColorMirror,
                       TColor& ColorMirrorTo, grid::TCellGradientDirection& GD)>;
using TGetDisplTextEvent = std::function<void(QObject*, int ACol, int ARow, QString& Value)>;
using TFloatFormatEvent = std::function<void(QObject*, int ACol, int ARow, bool& IsFloat, QString& FloatFormat)>;
using TGridFormatEvent =
    std::function<void(QObject*, int ACol, grid::TSortStyle& AStyle, QString& aPrefix, QString& aSuffix)>;
using TGridHintEvent = std::function<void(QObject*, int ARow, int ACol, QString& hintstr)>;
using TClickCellEvent = std::function<void(QObject*, int ARow, int ACol)>;
using TScrollHintEvent = std::function<void(QObject*, int ARow, QString& hintstr)>;
using TMouseMoveEvent = std::function<void(QObject*, Qt::KeyboardModifiers Shift, int X, int Y)>;
using TMouseEvent = std::function<void(QObject*, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>;
using TButtonClickEvent = std::function<void(QObject*, int ACol, int ARow)>;
using TCheckBoxClickEvent = std::function<void(QObject*, int ACol, int ARow, bool State)>;
using TColumnSizeEvent = std::function<void(QObject*, int ACol, bool& Allow)>;
using TColumnSizingEvent = std::function<void(QObject*, int ACol, int ColumnSize)>;
using TEndColumnSizeEvent = std::function<void(QObject*, int ACol)>;
using TRowSizeEvent = std::function<void(QObject*, int ARow, bool& Allow)>;
using TRowSizingEvent = std::function<void(QObject*, int ARow, int RowSize)>;
using TEndRowSizeEvent = std::function<void(QObject*, int ARow)>;
using TGetEditorTypeEvent = std::function<void(QObject*, int ACol, int ARow, grid::TEditorType& AEditor)>;
using TCanEditCellEvent = std::function<void(QObject*, int ARow, int ACol, bool& CanEdit)>;
using TEllipsClickEvent = std::function<void(QObject*, int ACol, int ARow, QString& S)>;
using TGridBalloonEvent =
    std::function<void(QObject*, int ACol, int ARow, QString& ATitle, QString& AText, int& AIcon)>;
using TAutoInsertColEvent = std::function<void(QObject*, int ACol)>;
using TAutoInsertRowEvent = std::function<void(QObject*, int ARow)>;
using TAutoDeleteRowEvent = std::function<void(QObject*, int ARow)>;
using TAutoAddRowEvent = std::function<void(QObject*, int ARow)>;
using TCanAddRowEvent = std::function<void(QObject*, bool& CanAdd)>;
using TCanInsertRowEvent = std::function<void(QObject*, int ARow, bool& CanInsert)>;
using TCanDeleteRowEvent = std::function<void(QObject*, int ARow, bool& CanDelete)>;
using TMovedEvent = std::function<void(QObject*, int FromIndex, int ToIndex)>;
using TSearchEditChangeEvent = std::function<void(QObject*, const QString& Value, bool& DefaultSearch)>;
using TSpinClickEvent = std::function<void(QObject*, int ACol, int ARow, int AValue, bool UpDown)>;

// How the opening binds one re-published event.
enum TGridEventBinding {
    ebBound,      // its forwarder is bound to the grid event
    ebCustomDraw, // bound only when the picker's event is assigned at the opening
    ebOwnHandler, // the grid event goes to the picker's own handler (sorting): never fires
    ebKeys,       // fired by the picker's popup key handlers, with the picker as sender
    ebNever,      // not bound: never fires
};

struct TGridEventInfo {
    const char* Published; // the picker's event, e.g. "OnGridAnchorClick"
    TGridEventBinding Binding;
    // Binds the forwarder to the popup grid's event (nothing for ebOwnHandler, ebKeys, ebNever).
    void (*Bind)(TCustomQvGridDropDown& picker, class TQvColGrid& grid);
    // Whether the picker's event is assigned.
    bool (*Assigned)(const TCustomQvGridDropDown& picker);
};
// The 54 re-published events in declaration order.
const std::vector<TGridEventInfo>& GridEventTable();

// The index of the item a data row shows, kept in the row's column 0 cell object.
class TItemIndexObject : public grid::TObject {
public:
    explicit TItemIndexObject(int index) : Index(index) {}
    QString ClassName() const override { return QStringLiteral("TItemIndexObject"); }
    int Index;
};

// The popup grid: the table control with its own cell drawing; the picker adds the choosing
// rules (keys, clicks, wheel) and the events the table control does not raise itself.
class TQvColGrid : public grid::TQvStringGrid {
    Q_OBJECT
public:
    // Created with the picker as owner; `parent` is the popup window.
    explicit TQvColGrid(TCustomQvGridDropDown* owner, QWidget* parent);
    ~TQvColGrid() override;

    TCustomQvGridDropDown* QvDropDown() const { return FQvDropDown; }
    void SetQvDropDown(TCustomQvGridDropDown* v) { FQvDropDown = v; }
    TDropDownColumns& Columns() { return *FColumns; }
    const TDropDownColumns& Columns() const { return *FColumns; }
    // Stored and copied only: the table control draws with its own colour scheme.
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor v) { FHeaderColor = v; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor v) { FHeaderColorTo = v; }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor v) { FLineColor = v; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor v) { FFixedLineColor = v; }
    const grid::TCustomImageList* Images() const { return FImages; }
    void SetImages(const grid::TCustomImageList* v) { FImages = v; }
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int v) { FHeaderHeight = v; }
    const TFont& HeaderFont() const { return FHeaderFont; }
    void SetHeaderFont(const TFont& v) { FHeaderFont = v; }
    // The stored width; the table control's own line width becomes 0.
    int OwnGridLineWidth() const { return FGridLineWidth; }
    void SetOwnGridLineWidth(int value);
    bool ConfirmSelection() const { return FConfirmSelection; }
    void SetConfirmSelection(bool v) { FConfirmSelection = v; }
    bool MouseWheelSelection() const { return FMouseWheelSelection; }

    // Columns, rows, widths, heights, hover and options from the picker (nothing without one).
    void InitFromDropDown(TCustomQvGridDropDown* dropDown);
    // Row 0 the column headers; with items one row per item, each keeping its item's index.
    void FillFromItems();
    int ContentWidth() const;
    int ScrollBarWidth() const;
    void AutoSizeColumn(int index);
    void AutoSizeItemColumns();
    void SizeWrappedRows();
    TRect CellBounds(int col, int row) const;

    // Drag and move notifications of the table control, public for the picker's tests.
    using grid::TQvStringGrid::EndBlockFocus;
    using grid::TQvStringGrid::StartBlockFocus;

    TNotifyEvent OnSelect;
    TGetCellTextEvent OnGetCellText; // stored only
    TDrawCellEvent OnDrawCell;       // stored only
    TGetCellPropEvent OnGetCellProp; // stored only
    // Events the table control has no field for; this grid raises them from its pointer
    // handling.
    std::function<void(TQvColGrid*, Qt::KeyboardModifiers, int X, int Y)> OnMouseMove;
    std::function<void(TQvColGrid*, Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y)> OnMouseDown, OnMouseUp;
    std::function<void(TQvColGrid*, int ACol, int ColumnSize)> OnColumnSizing;
    std::function<void(TQvColGrid*, int ARow, int RowSize)> OnRowSizing;
    std::function<void(TQvColGrid*, int ACol, bool&Allow)> OnColumnMove, OnColumnMoving;
    std::function<void(TQvColGrid*, int ARow, bool&Allow)> OnRowMove, OnRowMoving;

protected:
    virtual void DoSelect();
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    bool event(QEvent* e) override;

private:
    friend class TCustomQvGridDropDown;
    // The sizing or moving notifications for the drag in progress.
    void dragNotifications(bool starting);

    TCustomQvGridDropDown* FQvDropDown = nullptr;
    std::unique_ptr<TDropDownColumns> FColumns;
    TColor FHeaderColor = platform::clWhite;
    TColor FHeaderColorTo = platform::clGray;
    TColor FLineColor = platform::clGray;
    const grid::TCustomImageList* FImages = nullptr;
    int FHeaderHeight = 25;
    TFont FHeaderFont;
    TColor FFixedLineColor = platform::clBlack;
    int FGridLineWidth = 1;
    int FOldRow = 0;
    bool FMouseWheelSelection = false;
    bool FConfirmSelection = false;
    // The column or row being sized or moved (-1: none).
    int FDragIndex = -1;
};

class TCustomQvGridDropDown : public TQvCustomDropDown {
    Q_OBJECT
public:
    explicit TCustomQvGridDropDown(QWidget* owner = nullptr, platform::Desktop* desktop = nullptr);
    ~TCustomQvGridDropDown() override;

    // ---- settings ---------------------------------------------------------------------------
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool v) { FCaseSensitive = v; }
    bool ColumnSizing() const { return FColumnSizing; }
    void SetColumnSizing(bool v) { FColumnSizing = v; }
    bool ColumnMoving() const { return FColumnMoving; }
    void SetColumnMoving(bool v) { FColumnMoving = v; }
    int LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(int v) { FLookupColumn = v; }
    TLookupMethod LookupMethod() const { return FLookupMethod; }
    void SetLookupMethod(TLookupMethod v) { FLookupMethod = v; }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor v) { FHeaderColor = v; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor v) { FHeaderColorTo = v; }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor v) { FLineColor = v; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor v) { FFixedLineColor = v; }
    bool UseItems() const { return FUseItems; }
    void SetUseItems(bool v) { FUseItems = v; }
    TDropDownItems& Items() { return *FItems; }
    const TDropDownItems& Items() const { return *FItems; }
    void SetItems(const TDropDownItems& v) { FItems->Assign(v); }
    TDropDownColumns& Columns() { return *FColumns; }
    const TDropDownColumns& Columns() const { return *FColumns; }
    void SetColumns(const TDropDownColumns& v) { FColumns->Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int v) { FHeaderHeight = v; }
    const TFont& HeaderFont() const { return FHeaderFont; }
    void SetHeaderFont(const TFont& v) { FHeaderFont = v; }
    // nullptr at design time.
    TQvColGrid* PopupGrid() const { return FQvColGrid; }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool v) { FRowSelect = v; }
    // This picker's own flag, apart from the edit's flag of the same name.
    bool ReturnIsTab() const { return FGridReturnIsTab; }
    void SetReturnIsTab(bool v) { FGridReturnIsTab = v; }
    bool MatchCase() const { return FCompletion.FMatchCase; }
    void SetMatchCase(bool v) { FCompletion.FMatchCase = v; }
    // Stored only.
    bool MatchStart() const { return FMatchStart; }
    void SetMatchStart(bool v) { FMatchStart = v; }
    grid::TSearchFooter& SearchFooter() { return *FSearchFooter; }
    void SetSearchFooter(const grid::TSearchFooter& v);
    grid::TBands& Bands() { return *FBands; }
    void SetBands(const grid::TBands& v);
    grid::TNavigation& Navigation() { return *FNavigation; }
    void SetNavigation(const grid::TNavigation& v);
    grid::TMouseActions& MouseActions() { return *FMouseActions; }
    void SetMouseActions(const grid::TMouseActions& v);
    bool DropDownAutoWidth() const { return FDropDownAutoWidth; }
    void SetDropDownAutoWidth(bool v) { FDropDownAutoWidth = v; }
    bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
    void SetColumnSizeWithDropDown(bool v) { FColumnSizeWithDropDown = v; }
    // Stored only.
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor v) { FSelectionTextColor = v; }
    // A value below 1 counts as 1.
    int DropDownRowHeight() const { return FDropDownRowHeight; }
    void SetDropDownRowHeight(int v) { FDropDownRowHeight = v; }
    TDropDownStyle Style() const { return FStyle; }
    void SetStyle(TDropDownStyle v);
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool v) { FHoverRow = v; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor v) { FHoverRowColor = v; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor v) { FHoverRowColorTo = v; }
    TGridSorting Sorting() const { return FSorting; }
    void SetSorting(TGridSorting v) { FSorting = v; }
    bool GridEditable() const { return FGridEditable; }
    void SetGridEditable(bool v) { FGridEditable = v; }
    grid::TCustomImageList* GridImages() const { return FGridImages; }
    // Passed on to the popup grid at once.
    void SetGridImages(grid::TCustomImageList* v);
    bool RowMoving() const { return FRowMoving; }
    void SetRowMoving(bool v) { FRowMoving = v; }
    bool RowSizing() const { return FRowSizing; }
    void SetRowSizing(bool v) { FRowSizing = v; }
    bool AutoShowDropDown() const { return FAutoShowDropDown; }
    void SetAutoShowDropDown(bool v) { FAutoShowDropDown = v; }
    bool AutoSizeColumns() const { return FAutoSizeColumns; }
    void SetAutoSizeColumns(bool v) { FAutoSizeColumns = v; }
    // The number of items, in both modes.
    int RowCount() const { return FItems->Count(); }
    QString Text() const { return TQvCustomDropDown::Text(); }
    void SetText(const QString& value) override;

    // ---- operations -------------------------------------------------------------------------
    void BeginUpdate() {}
    void EndUpdate() { UpdateLookup(); }
    // The first item (with items) or data row (directly) whose lookup text starts with text.
    bool FindLookupMatch(const QString& text, QString& found, int& row) const;
    void SetComponentStyle(TVLXStyle style) override;
    void SetSelectionColorStyle(TSelectionColorStyle v) override;
    void Loaded() override;
    // The item shown in a row (with a grid and a row below RowCount), else the row itself.
    int ItemOfRow(int row) const;
    // The first data row showing an item; the current ItemIndex when none does.
    int RowOfItem(int index) const;
    // Items with items, else the grid's data rows.
    int ItemCount() const;

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void SelectNextPage();
    void SelectPreviousPage();

    virtual void TextChanged();
    virtual void ItemKeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void ItemKeyPress(QChar& key);
    virtual void ItemKeyUp(int& key, Qt::KeyboardModifiers shift);

    // ---- events -----------------------------------------------------------------------------
    TNotifyEvent OnSelect;
    TAnchorClickEvent OnGridAnchorClick;
    TAnchorEvent OnGridAnchorEnter;
    TAnchorEvent OnGridAnchorExit;
    TAnchorHintEvent OnGridAnchorHint;
    TCanSortEvent OnGridCanSort;                  // never fires: the picker sorts the popup itself
    TClickSortEvent OnGridClickSort;              // never fires: the picker sorts the popup itself
    TCustomCompareEvent OnGridCustomCompare;      // never fires
    TRawCompareEvent OnGridRawCompare;            // never fires
    TCustomCellDrawEvent OnGridCustomCellDraw;    // takes effect at the next opening
    TCustomCellDrawEvent OnGridCustomCellBkgDraw; // takes effect at the next opening
    TGridAlignEvent OnGridGetAlignment;
    TGridColorEvent OnGridGetCellColor;
    TGridGradientEvent OnGridGetCellGradient;
    TGetDisplTextEvent OnGridGetDiplText;
    TFloatFormatEvent OnGridGetFloatFormat;
    TGridFormatEvent OnGridGetFormat;
    TGridHintEvent OnGridHint;
    TClickCellEvent OnGridRightClickCell;
    TScrollHintEvent OnGridScrollHint;
    TMouseMoveEvent OnGridMouseMove;
    TMouseEvent OnGridMouseDown;
    TMouseEvent OnGridMouseUp;
    TKeyEvent OnGridKeyDown;       // sender the picker
    TKeyEvent OnGridKeyUp;         // sender the picker
    TKeyPressEvent OnGridKeyPress; // sender the picker
    TButtonClickEvent OnGridButtonClick;
    TCheckBoxClickEvent OnGridCheckBoxClick;
    TColumnSizeEvent OnGridColumnSize;
    TColumnSizingEvent OnGridColumnSizing;
    TEndColumnSizeEvent OnGridEndColumnSize;
    TRowSizeEvent OnGridRowSize;
    TRowSizingEvent OnGridRowSizing;
    TEndRowSizeEvent OnGridEndRowSize;
    TGetEditorTypeEvent OnGridGetEditorType;
    TClickCellEvent OnGridGetEditorProp;
    TCanEditCellEvent OnGridCanEditCell;
    TEllipsClickEvent OnGridEllipsClick;
    TGridBalloonEvent OnGridCellBalloon;
    TAutoInsertColEvent OnGridInsertCol;
    TAutoInsertRowEvent OnGridInsertRow;
    TAutoDeleteRowEvent OnGridDeleteRow;
    TAutoAddRowEvent OnGridAutoAddRow;
    TCanAddRowEvent OnGridCanAddRow;
    TCanDeleteRowEvent OnGridCanDeleteRow;
    TCanInsertRowEvent OnGridCanInsertRow;
    TColumnSizeEvent OnGridColumnMove;
    TMovedEvent OnGridColumnMoved;
    TColumnSizeEvent OnGridColumnMoving;
    TRowSizeEvent OnGridRowMove;
    TRowSizeEvent OnGridRowMoving;
    TMovedEvent OnGridRowMoved;
    TNotifyEvent OnGridTopLeftChanged; // sender the picker
    TSearchEditChangeEvent OnGridSearchEditChange;
    TSpinClickEvent OnGridSpinClick; // never fires

protected:
    int VersionNumber() const override { return 0x06000101; }
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void AdjustDropDownHeight(int& height) override;
    void OpenDropDown() override;
    void PlaceControl() override;
    void SizeDropDown() override;
    void CloseDropDown(bool cancelChanges) override;
    void DropDownResized() override;
    void ControlKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void ControlKeyUp(int& key, Qt::KeyboardModifiers shift) override;
    void ControlKeyPress(QChar& key) override;
    void WheelDown() override;
    void WheelUp() override;
    void Change() override;
    void DropDownKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void DropDownKeyPress(QChar& key) override;
    void WMKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void WMKeyUp(int& key, Qt::KeyboardModifiers shift) override;
    void WMChar(QChar& key, Qt::KeyboardModifiers shift) override;
    void focusInEvent(QFocusEvent* e) override;

    // ---- new virtual operations, in slot order ----------------------------------------------
    virtual std::unique_ptr<TDropDownItems> CreateItems(QObject* owner);
    virtual void DoGridAnchorClick(QObject* Sender, int ARow, int ACol, const QString& Anchor, bool& AutoHandle);
    virtual void DoGridAnchorEnter(QObject* Sender, int ARow, int ACol, const QString& Anchor);
    virtual void DoGridAnchorExit(QObject* Sender, int ARow, int ACol, const QString& Anchor);
    virtual void DoGridAnchorHint(QObject* Sender, int ARow, int ACol, QString& Anchor);
    virtual void DoGridButtonClick(QObject* Sender, int ACol, int ARow);
    virtual void DoGridCanSort(QObject* Sender, int ACol, bool& DoSort);
    virtual void DoGridClickSort(QObject* Sender, int ACol);
    virtual void DoGridCustomCompare(QObject* Sender, const QString& str1, const QString& str2, int& Res);
    virtual void DoGridRawCompare(QObject* Sender, int ACol, int Row1, int Row2, int& Res);
    virtual void DoGridColumnSize(QObject* Sender, int ACol, bool& Allow);
    virtual void DoGridColumnSizing(QObject* Sender, int ACol, int ColumnSize);
    virtual void DoGridEndColumnSize(QObject* Sender, int ACol);
    virtual void DoGridRowSize(QObject* Sender, int ARow, bool& Allow);
    virtual void DoGridRowSizing(QObject* Sender, int ARow, int RowSize);
    virtual void DoGridEndRowSize(QObject* Sender, int ARow);
    virtual void DoGridRowMove(QObject* Sender, int ARow, bool& Allow);
    virtual void DoGridRowMoving(QObject* Sender, int ARow, bool& Allow);
    virtual void DoGridRowMoved(QObject* Sender, int FromIndex, int ToIndex);
    virtual void DoGridColumnMove(QObject* Sender, int ACol, bool& Allow);
    virtual void DoGridColumnMoving(QObject* Sender, int ACol, bool& Allow);
    virtual void DoGridColumnMoved(QObject* Sender, int FromIndex, int ToIndex);
    virtual void DoGridCustomCellDraw(QObject* Sender, QPainter& Canvas, int ACol, int ARow,
                                      grid::TGridDrawState AState, TRect ARect, bool Printing);
    virtual void DoGridCustomCellBkgDraw(QObject* Sender, QPainter& Canvas, int ACol, int ARow,
                                         grid::TGridDrawState AState, TRect ARect, bool Printing);
    virtual void DoGridCellBalloon(QObject* Sender, int ACol, int ARow, QString& ATitle, QString& AText, int& AIcon);
    virtual void DoGridGetAlignment(QObject* Sender, int ARow, int ACol, grid::TAlignment& HAlign,
                                    grid::TVAlignment& VAlign);
    virtual void DoGridGetCellColor(QObject* Sender, int ARow, int ACol, grid::TGridDrawState AState,
                                    grid::TBrush& ABrush, TFont& AFont);
    virtual void DoGridGetCellGradient(QObject* Sender, int ARow, int ACol, TColor& Color, TColor& ColorTo,
                                       TColor& ColorMirror, TColor& ColorMirrorTo, grid::TCellGradientDirection& GD);
    virtual void DoGridGetFloatFormat(QObject* Sender, int ACol, int ARow, bool& IsFloat, QString& FloatFormat);
    virtual void DoGridGetEditorType(QObject* Sender, int ACol, int ARow, grid::TEditorType& AEditor);
    virtual void DoGridGetEditorProp(QObject* Sender, int ARow, int ACol);
    virtual void DoGridCanEditCell(QObject* Sender, int ARow, int ACol, bool& CanEdit);
    virtual void DoGridEllipsClick(QObject* Sender, int ACol, int ARow, QString& S);
    virtual void DoGridGetDiplText(QObject* Sender, int ACol, int ARow, QString& Value);
    virtual void DoGridGetFormat(QObject* Sender, int ACol, grid::TSortStyle& AStyle, QString& aPrefix,
                                 QString& aSuffix);
    virtual void DoGridHint(QObject* Sender, int ARow, int ACol, QString& hintstr);
    virtual void DoGridMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void DoGridMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void DoGridMouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void DoGridKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    virtual void DoGridKeyUp(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    virtual void DoGridKeyPress(QObject* Sender, QChar& Key);
    virtual void DoGridRightClickCell(QObject* Sender, int ARow, int ACol);
    virtual void DoGridScrollHint(QObject* Sender, int ARow, QString& hintstr);
    virtual void DoGridTopLeftChanged(QObject* Sender);
    virtual void DoGridSearchEditChange(QObject* Sender, const QString& Value, bool& DefaultSearch);
    virtual void DoGridSpinClick(QObject* Sender, int ACol, int ARow, int AValue, bool UpDown);
    virtual void DoGridAutoAddRow(QObject* Sender, int ARow);
    virtual void DoGridInsertRow(QObject* Sender, int ARow);
    virtual void DoGridInsertCol(QObject* Sender, int ACol);
    virtual void DoGridDeleteRow(QObject* Sender, int ARow);
    virtual void DoGridCanAddRow(QObject* Sender, bool& CanAdd);
    virtual void DoGridCanInsertRow(QObject* Sender, int ARow, bool& CanInsert);
    virtual void DoGridCanDeleteRow(QObject* Sender, int ARow, bool& CanDelete);
    // Not virtual.
    void DoGridCheckBoxClick(QObject* Sender, int ACol, int ARow, bool State);

    // ---- internal operations ----------------------------------------------------------------
    // Type-ahead: an item index (with items and lmLookup), a grid row (directly, or FixedRows
    // after narrowing), or -1.
    int LookupChar(QChar key);
    void UpdateLookup();
    void SizeColumnsToPopup();
    void GridSelectCell(int col, int row, bool& canSelect);
    void GridSelect();
    void GridCanSort(int col, bool& doSort);
    void GridClickSort(int col);
    void GridStartBlockFocus();
    void GridEndBlockFocus();

private:
    friend class TQvColGrid;
    friend struct GridEventBinder;
    void bindGridEvents(TQvColGrid& g);
    void selectStep(TSelectStep step);
    void selectPage(int rows);
    int rowHeight() const { return std::max(1, FDropDownRowHeight); }
    QString lookupText(int item) const;
    // The index object for item i (kept while the picker lives, so filtered rows never point
    // at a freed one).
    TItemIndexObject* indexObject(int i);
    void setBlockActivate(bool v);

    bool FDesignTime = false;
    bool FBalloonInit = false;
    bool FCaseSensitive = false;
    bool FColumnSizing = false;
    bool FColumnMoving = false;
    int FLookupColumn = 0;
    TLookupMethod FLookupMethod = lmLookup;
    TColor FHeaderColorTo = platform::clGray;
    TColor FHeaderColor = platform::clWhite;
    TColor FLineColor = 0xF1EDEB;
    bool FUseItems = true;
    std::unique_ptr<TDropDownItems> FItems;
    std::unique_ptr<TDropDownColumns> FColumns;
    int FItemIndex = -1;
    int FHeaderHeight = 25;
    TFont FHeaderFont;
    QPointer<TQvColGrid> FQvColGrid;
    TColor FFixedLineColor = 0xD1BBA4;
    int FSelRow = 0;
    bool FRowSelect = true;
    bool FGridReturnIsTab = false;
    // workmode, the lookup list, MatchCase and the completion state (as the multi-column picker).
    TItemCompletion FCompletion;
    bool FMatchStart = true;
    std::unique_ptr<grid::TSearchFooter> FSearchFooter;
    std::unique_ptr<grid::TBands> FBands;
    std::unique_ptr<grid::TNavigation> FNavigation;
    std::unique_ptr<grid::TMouseActions> FMouseActions;
    int FOldItemIndex = -1;
    bool FDropDownAutoWidth = true;
    bool FColumnSizeWithDropDown = true;
    TColor FSelectionTextColor = platform::clBlack;
    int FDropDownRowHeight = 22;
    int FTempItemIndex = 0;
    TDropDownStyle FStyle = dsDropDown;
    QString FLookupEntry;
    bool FHoverRow = false;
    TColor FHoverRowColor = platform::clInfoBk;
    TColor FHoverRowColorTo = platform::clNone;
    TGridSorting FSorting = gsNone;
    bool FGridEditable = false;
    grid::TCustomImageList* FGridImages = nullptr;
    bool FRowMoving = false;
    bool FRowSizing = false;
    bool FAutoShowDropDown = false;
    bool FAutoSizeColumns = true;
    // True while the text setter writes (see TQvDetailDropDown).
    bool FWritingText = false;
    // True while the opening places the direct mode's current row.
    bool FPlacingRow = false;
    std::deque<TItemIndexObject> FIndexObjects;
};

} // namespace dropdowns::customgrid
