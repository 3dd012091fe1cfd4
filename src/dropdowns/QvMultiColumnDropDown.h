#pragma once
// The multi-column picker: a drop-down edit whose popup lists its items as rows of several
// columns under a header row. Each item holds one text line per column (a missing line reads as
// the empty text) and an image; the lookup column supplies the text the edit shows for the
// chosen item and the texts typing is completed from (the rule of LookupCompletion.h).
//
// The popup list, TQvColGrid, is a string grid that holds no texts: it draws every cell straight
// from the picker's items, so opening the popup on many items copies none of them. Its columns,
// row count, widths and colours are taken from the picker at every opening (InitFromDropDown).
//
// While the popup opens (FShowing) the grid's row changes leave ItemIndex alone; once open,
// every row change by key, click or type-ahead writes ItemIndex, wheel steps excepted. Closing
// keeps the row reached by key or click (the grid's FConfirmSelection) or, cancelled, restores
// the index the popup opened with.
//
// The grid picker declares classes of the same names for itself; these live in their own
// namespace.

#include "dropdowns/ColumnPickerRules.h"
#include "dropdowns/LookupCompletion.h"
#include "dropdowns/QvDropDown.h"
#include "grid/StringGrid.h"

#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace dropdowns::multicolumn {

using grid::TAlignment;
using grid::TColor;
using grid::TFont;
using grid::TRect;

enum TColumnType { ctText, ctImage };

class TQvColGrid;
class TQvMultiColumnDropDown;

using TGetCellTextEvent = std::function<void(QObject* sender, int column, int row, QString& text)>;
using TDrawCellEvent = std::function<void(QObject* sender, int column, int row, QPainter& canvas, const TRect& rect)>;
using TGetCellPropEvent =
    std::function<void(QObject* sender, int column, int row, TFont& font, TColor& color, TColor& colorTo)>;

class TDropDownColumns;

class TDropDownColumn : public grid::TPersistent {
public:
    explicit TDropDownColumn(TDropDownColumns* collection = nullptr) : FCollection(collection) {}
    QString ClassName() const override { return QStringLiteral("TDropDownColumn"); }

    bool Wordwrap() const { return FWordwrap; }
    void SetWordwrap(bool v) { FWordwrap = v; }
    // Pixels; overwritten by the measured width when AutoSize is on.
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v) { FAutoSize = v; }
    const QString& Header() const { return FHeader; }
    void SetHeader(const QString& v) { FHeader = v; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; }
    TColumnType ColumnType() const { return FColumnType; }
    void SetColumnType(TColumnType v) { FColumnType = v; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& v) { FFont = v; }
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool v) { FEllipsis = v; }

    // From another column (all nine settings); throws std::invalid_argument for any other source.
    void Assign(const grid::TPersistent& source);

private:
    TDropDownColumns* FCollection;
    bool FWordwrap = false;
    int FWidth = 80;
    bool FAutoSize = false;
    QString FHeader;
    TAlignment FAlignment = grid::taLeftJustify;
    TColor FColor = platform::clWhite;
    TColumnType FColumnType = ctText;
    TFont FFont;
    bool FEllipsis = false;
};

class TDropDownItems;

class TDropDownItem : public grid::TPersistent {
public:
    explicit TDropDownItem(TDropDownItems* collection = nullptr) : FCollection(collection) {}
    QString ClassName() const override { return QStringLiteral("TDropDownItem"); }

    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    // Line c is the item's text in column c.
    const QStringList& Text() const { return FText; }
    QStringList& Text() { return FText; }
    void SetText(const QStringList& v) { FText = v; }
    // Line c, or the empty text when the item has no such line.
    const QString& Line(int column) const;

    // From another item: the image index and the text lines; throws std::invalid_argument for
    // any other source.
    void Assign(const grid::TPersistent& source);

private:
    TDropDownItems* FCollection;
    int FImageIndex = -1;
    QStringList FText;
};

// A collection owning its items, typed for columns or drop-down items.
template <class Item>
class TDropDownCollection : public grid::TPersistent {
public:
    explicit TDropDownCollection(QObject* owner = nullptr) : FMyOwner(owner) {}
    QObject* GetOwner() const { return FMyOwner; }

    int Count() const { return int(FItems.size()); }
    Item& Add() { return Insert(Count()); }
    // Throws std::out_of_range for an index outside 0 .. Count.
    Item& Insert(int index);
    void Delete(int index);
    void Clear() { FItems.clear(); }
    // Throws std::out_of_range for an index outside the collection.
    Item& Items(int index) const;
    void SetItem(int index, const Item& value) { Items(index).Assign(value); }
    void Assign(const TDropDownCollection& source);

    // Stored only; the collection never fires it.
    std::function<void(grid::TObject* sender)> OnChange;

protected:
    virtual std::unique_ptr<Item> NewItem() = 0;

private:
    QObject* FMyOwner;
    std::vector<std::unique_ptr<Item>> FItems;
};

class TDropDownColumns : public TDropDownCollection<TDropDownColumn> {
public:
    using TDropDownCollection::TDropDownCollection;
    QString ClassName() const override { return QStringLiteral("TDropDownColumns"); }

protected:
    std::unique_ptr<TDropDownColumn> NewItem() override { return std::make_unique<TDropDownColumn>(this); }
};

class TDropDownItems : public TDropDownCollection<TDropDownItem> {
public:
    using TDropDownCollection::TDropDownCollection;
    QString ClassName() const override { return QStringLiteral("TDropDownItems"); }
    // The first item that has line `column` equal to value (case-sensitive); items without
    // the line are skipped. -1 when none.
    int IndexInColumn(int column, const QString& value) const;

protected:
    std::unique_ptr<TDropDownItem> NewItem() override { return std::make_unique<TDropDownItem>(this); }
};

// Column widths stretched to `avail` pixels: each width scaled by avail / (1 + the sum of the
// widths) and rounded (halves to even); the rounding remainders accumulate, and each time they
// pass one pixel the column gets that pixel.
std::vector<int> StretchColumnWidths(const std::vector<int>& widths, int avail);
// The columns' Width values in order.
std::vector<int> ColumnWidths(const TDropDownCollection<TDropDownColumn>& columns);
// A popup list's content width: its frame, its columns and, when not every row shows, the
// vertical scroll bar.
int GridContentWidth(const grid::TStringGrid& g, int scrollBarWidth);
// The cell's top-left corner with its column's width and its row's height.
TRect CellBoundsOf(const grid::TStringGrid& g, int col, int row);
// The scroll bar's width, as the system reports it.
int SystemScrollBarWidth(const QWidget& w);

// The width AutoSize gives column `index`: the widest of the first `count` items' texts,
// measured on one line in the column's font (+6), plus the image's width + 4 in an image column
// whose item has the line and an image; 0 without items (the header is not measured).
int MeasureItemColumn(const TDropDownColumn& column, int index, const TDropDownCollection<TDropDownItem>& items,
                      int count, const grid::TCustomImageList* images);
bool HasWordwrap(const TDropDownCollection<TDropDownColumn>& columns);
// The height of a row showing `lines` under the word-wrapping columns: at least 24, else the
// tallest wrapped text (+6) or image (+6) of those columns.
int MeasureWrappedRow(const TDropDownCollection<TDropDownColumn>& columns, const QStringList& lines, int imageIndex,
                      const grid::TCustomImageList* images);

// A row of the column pickers' colour schemes (the multi-column and the grid picker share it).
struct TColumnScheme {
    TVLXStyle style;
    TColor headerColor, headerColorTo, headerFontColor;
    TSelectionColorStyle selectionStyle;
    TColor selectionTextColor, lineColor, fixedLineColor;
    // Both selection colours, for the rows with the custom selection style.
    TColor selectionColor;
};
// "Leave as it is" in a scheme row.
inline constexpr TColor kSchemeKeep = 0x2FFFFFFF;
// The row of a style; nullptr for tsCustom.
const TColumnScheme* FindColumnScheme(TVLXStyle style);
// The line colours a selection colour style brings; scCustom leaves them.
void SelectionStyleLineColors(TSelectionColorStyle style, TColor& line, TColor& fixedLine);

// The popup list: draws every cell from the picker's items.
class TQvColGrid : public grid::TStringGrid {
    Q_OBJECT
public:
    explicit TQvColGrid(QWidget* parent = nullptr);
    ~TQvColGrid() override;

    TQvMultiColumnDropDown* QvDropDown() const { return FQvDropDown; }
    void SetQvDropDown(TQvMultiColumnDropDown* v) { FQvDropDown = v; }
    TDropDownColumns& Columns() { return *FColumns; }
    const TDropDownColumns& Columns() const { return *FColumns; }
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
    // The width of the lines the grid draws itself; the platform grid's own lines stay 0.
    int GridLineWidth() const override { return FGridLineWidth; }
    void SetGridLineWidth(int value) override;
    bool ConfirmSelection() const { return FConfirmSelection; }

    // Columns, rows, widths, heights and colours from the picker (nothing without one).
    void InitFromDropDown(TQvMultiColumnDropDown* dropDown);
    // The columns' widths, the vertical scroll bar's when not every row shows, and the borders.
    int ContentWidth() const;
    // The widest item text of a column (with its image), as its width; only inside the popup.
    void AutoSizeColumn(int index);
    void AutoSizeItemColumns();
    // Item rows high enough for their wrapped texts, at least 24; only with a word-wrapping
    // column, inside the popup.
    void SizeWrappedRows();
    // The cell's top-left corner with its column's width and its row's height.
    TRect CellBounds(int col, int row) const;
    // Draws a cell from the picker's items (every cell: the grid keeps no texts).
    virtual void DrawItemCell(int col, int row, const TRect& rect, grid::TGridDrawState state);

    TGetCellTextEvent OnGetCellText; // stored only
    TDrawCellEvent OnDrawCell;       // stored only
    TGetCellPropEvent OnGetCellProp; // stored only
    TNotifyEvent OnSelect;

protected:
    virtual void DoSelect();
    void DrawCell(int col, int row, const TRect& rect, grid::TGridDrawState state) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    bool event(QEvent* e) override;

private:
    friend class TQvMultiColumnDropDown;
    // The scroll bar's width, as the system reports it.
    int ScrollBarWidth() const;

    TQvMultiColumnDropDown* FQvDropDown = nullptr;
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
};

class TQvMultiColumnDropDown : public TQvCustomDropDown {
    Q_OBJECT
public:
    explicit TQvMultiColumnDropDown(QWidget* owner = nullptr, platform::Desktop* desktop = nullptr);
    ~TQvMultiColumnDropDown() override;

    bool ColumnSizing() const { return FColumnSizing; }
    void SetColumnSizing(bool v) { FColumnSizing = v; }
    // Negative: no lookup and no completion.
    int LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(int v) { FLookupColumn = v; }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor v) { FHeaderColor = v; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor v) { FHeaderColorTo = v; }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor v) { FLineColor = v; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor v) { FFixedLineColor = v; }
    TDropDownItems& Items() { return *FItems; }
    const TDropDownItems& Items() const { return *FItems; }
    void SetItems(const TDropDownItems& v) { FItems->Assign(v); }
    TDropDownColumns& Columns() { return *FColumns; }
    const TDropDownColumns& Columns() const { return *FColumns; }
    void SetColumns(const TDropDownColumns& v) { FColumns->Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    // A value not below the item count is ignored; otherwise stored, and the text becomes the
    // item's lookup text (empty for a negative value or lookup column).
    void SetItemIndex(int value);
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int v) { FHeaderHeight = v; }
    const TFont& HeaderFont() const { return FHeaderFont; }
    void SetHeaderFont(const TFont& v) { FHeaderFont = v; }
    TQvColGrid* QvColGrid() const { return FQvColGrid; }
    // This picker's own flag, apart from the edit's flag of the same name.
    bool ReturnIsTab() const { return FColReturnIsTab; }
    void SetReturnIsTab(bool v) { FColReturnIsTab = v; }
    bool MatchCase() const { return FCompletion.FMatchCase; }
    void SetMatchCase(bool v) { FCompletion.FMatchCase = v; }
    // Stored only: completion always matches at the start.
    bool MatchStart() const { return FMatchStart; }
    void SetMatchStart(bool v) { FMatchStart = v; }
    bool DropDownAutoWidth() const { return FDropDownAutoWidth; }
    void SetDropDownAutoWidth(bool v) { FDropDownAutoWidth = v; }
    bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
    void SetColumnSizeWithDropDown(bool v) { FColumnSizeWithDropDown = v; }
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor v) { FSelectionTextColor = v; }
    // Height of an item row; a value below 1 counts as 1.
    int DropDownRowHeight() const { return FDropDownRowHeight; }
    void SetDropDownRowHeight(int v) { FDropDownRowHeight = v; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool v) { FCaseSensitive = v; }
    int RowCount() const { return FItems->Count(); }
    QString Text() const { return TQvCustomDropDown::Text(); }

    // The first item whose lookup text equals value exactly (case-sensitive), else -1.
    int GetItemIndex(const QString& value) const;
    void BeginUpdate() {}
    // Rebuilds the lookup list from the items.
    void EndUpdate() { UpdateLookup(); }
    // The edit's settings, then this picker's; the text is not updated.
    void Assign(const QObject* source);
    void SetComponentStyle(TVLXStyle style) override;
    void SetSelectionColorStyle(TSelectionColorStyle v) override;
    void Loaded() override;
    // The text through the edit's rules; the change notice it raises completes nothing.
    void SetText(const QString& value) override;

    // Selection helpers of the keys and the wheel; nothing without items.
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void SelectNextPage();
    void SelectPreviousPage();

    // The edit's change, key-down, key-press and key-up handling.
    virtual void TextChanged();
    virtual void ItemKeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void ItemKeyPress(QChar& key);
    virtual void ItemKeyUp(int& key, Qt::KeyboardModifiers shift);

    TNotifyEvent OnSelect;
    TDrawCellEvent OnDropDownDrawItem;
    TGetCellPropEvent OnDropDownGetItemProp; // stored only
    TGetCellTextEvent OnDropDownGetItemText;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void OpenDropDown() override;
    void CloseDropDown(bool cancelChanges) override;
    void SizeDropDown() override;
    void AdjustDropDownHeight(int& height) override;
    void DropDownResized() override;
    void PlaceControl() override;
    void WheelDown() override;
    void WheelUp() override;
    void ControlKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void ControlKeyUp(int& key, Qt::KeyboardModifiers shift) override;
    void ControlKeyPress(QChar& key) override;
    void Change() override;
    void DropDownKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void DropDownKeyPress(QChar& key) override;
    void WMKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void WMKeyUp(int& key, Qt::KeyboardModifiers shift) override;

    // Type-ahead in the popup: an item index or -1.
    int LookupChar(QChar key);
    bool FindLookupMatch(const QString& text, QString& found, int& index) const;
    void UpdateLookup();
    void SizeColumnsToPopup();
    void GridSelectCell(int col, int row, bool& canSelect);
    void GridSelect();

private:
    friend class TQvColGrid;
    void selectStep(TSelectStep step);
    int rowHeight() const { return std::max(1, FDropDownRowHeight); }
    const QString& lookupText(int item) const;

    bool FShowing = false;
    bool FColumnSizing = false;
    int FLookupColumn = 0;
    TColor FHeaderColorTo = platform::clGray;
    TColor FHeaderColor = platform::clWhite;
    TColor FLineColor = 0xF1EDEB;
    std::unique_ptr<TDropDownItems> FItems;
    std::unique_ptr<TDropDownColumns> FColumns;
    int FItemIndex = -1;
    int FHeaderHeight = 25;
    TFont FHeaderFont;
    QPointer<TQvColGrid> FQvColGrid;
    TColor FFixedLineColor = 0xD1BBA4;
    bool FColReturnIsTab = false;
    // workmode, the lookup list (rebuilt by UpdateLookup), MatchCase and the completion state.
    TItemCompletion FCompletion;
    bool FMatchStart = true;
    int FOldItemIndex = -1;
    bool FDropDownAutoWidth = true;
    bool FColumnSizeWithDropDown = true;
    TColor FSelectionTextColor = platform::clBlack;
    int FDropDownRowHeight = 22;
    QString FLookupEntry;
    bool FCaseSensitive = false;
    // True while the text setter writes (see TQvDetailDropDown).
    bool FWritingText = false;
};

} // namespace dropdowns::multicolumn
