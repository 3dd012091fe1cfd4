#pragma once
// The string grid of every configuration table: the base grid with its settings objects and
// lists, the per-cell hooks that compute a default from the grid's settings and then let a
// published event change it, the size rules (fixed rows and columns kept while the grid is
// too small, footer rows and right columns), the two selection models with row states, and
// the grid's handling of typed characters.
//
// Event argument orders follow the published events: some pass the row first, others the
// column first; the order is part of the interface.

#include "grid/BaseGrid.h"
#include "grid/QvObj.h"
#include "grid/balloon/Balloon.h"
#include "grid/dragdrop/GridDragDrop.h"
#include "grid/footer/FloatingFooter.h"
#include "grid/input/PointerState.h"
#include "grid/input/ScrollControl.h"
#include "grid/look/GridPaintSettings.h"
#include "grid/look/QvStyleIF.h"
#include "grid/markup/PictureContainer.h"
#include "grid/sort/GridSort.h"
#include "grid/store/HiddenRows.h"
#include "grid/store/RowSideData.h"
#include "platform/Services.h"

namespace platform {
class ComponentReader;
}

#include <QIODevice>
#include <QListWidget>
#include <QPoint>
#include <QPointer>
#include <QScrollBar>
#include <QStringList>
#include <QTime>
#include <QTimer>
class QHelpEvent;
class QMenu;
class QDragEnterEvent;
class QDragMoveEvent;
class QDragLeaveEvent;
class QDropEvent;

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace grid {

class TQvStringGrid;
class THeaderDragButton;
class TGridPainter; // painting, paint/GridPaint.h
class TGridProgressAppearance;
class TQvRichEdit;     // edit/QvRichEdit.h
class THTMLHintWindow; // markup/HTMLHintWindow.h
struct TGridPainterDeleter {
    void operator()(TGridPainter* p) const;
};
class TGridPrinter; // printed cells, headers and frames, print/GridPrint.h
struct TGridPrinterDeleter {
    void operator()(TGridPrinter* p) const;
};

struct TCellVisualSettings; // CellVisuals.h
struct TKeyContext;         // input/KeyContext.h
struct TTabContext;         // input/KeyContext.h
struct TAdvanceContext;     // input/KeyContext.h
struct TPressContext;       // input/PressContext.h
struct TCellVisuals;        // CellVisuals.h
struct TGridLookState;      // GridLooks.h

enum TCellBorder : unsigned { cbTop = 1, cbLeft = 2, cbRight = 4, cbBottom = 8 };
using TCellBorders = unsigned;

struct TPen {
    TColor Color = platform::clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
};

enum TSortStyle {
    ssAutomatic,
    ssAlphabetic,
    ssNumeric,
    ssDate,
    ssAlphaNoCase,
    ssAlphaCase,
    ssShortDateEU,
    ssShortDateUS,
    ssCustom,
    ssFinancial,
    ssAnsiAlphaCase,
    ssAnsiAlphaNoCase,
    ssRaw,
    ssHTML,
    ssImages,
    ssCheckBox,
    ssDateTime,
    ssTime,
    ssAlphaNumeric,
    ssAlphaNumericNoCase
};
enum TSearchAction { saFindFirst, saFindPrevious, saFindNext };
// The search flags of Find, FindWide, FindFirst, FindNext and Replace; one bit each, in this
// order (bits 0 to 15), so a set of them is an unsigned value.
enum TFindParameter : unsigned {
    fnMatchCase = 1u << 0,
    fnMatchFull = 1u << 1,
    fnMatchRegular = 1u << 2,
    fnDirectionLeftRight = 1u << 3,
    fnMatchStart = 1u << 4,
    fnFindInCurrentRow = 1u << 5,
    fnFindInCurrentCol = 1u << 6,
    fnIncludeFixed = 1u << 7,
    fnAutoGoto = 1u << 8,
    fnIgnoreHTMLTags = 1u << 9,
    fnBackward = 1u << 10,
    fnIncludeHiddenColumns = 1u << 11,
    fnFindInPresetCol = 1u << 12,
    fnFindInPresetRow = 1u << 13,
    fnSelectedCells = 1u << 14,
    fnIncludeHiddenRows = 1u << 15
};
using TFindParameters = unsigned;
class TSearchPanel; // search/SearchPanel.h
enum THoverFixedCells { hfNone, hfFixedRows, hfFixedColumns, hfAll };
enum TFilterDropDownColumns { fdNormal, fdAll };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TExportState { esExportStart, esExportNextRow, esExportDone, esExportNewRow, esExportSelRow, esExportFail };
enum TGridImportState { isImportStart, isImportNewRow, isImportSelRow, isImportDone };

// Events (Sender first, then the arguments in the published order).
using TGridHintEvent = std::function<void(TQvStringGrid*, int ARow, int ACol, QString& hint)>;
using TGridColorEvent = std::function<void(TQvStringGrid*, int ARow, int ACol, TGridDrawState, TBrush&, TFont&)>;
using TGridGradientEvent = std::function<void(TQvStringGrid*, int ARow, int ACol, TColor& color, TColor& colorTo,
                                              TColor& colorMirror, TColor& colorMirrorTo, TCellGradientDirection&)>;
using TGridBorderEvent = std::function<void(TQvStringGrid*, int ARow, int ACol, TPen&, TCellBorders&)>;
using TGridAlignEvent = std::function<void(TQvStringGrid*, int ARow, int ACol, TAlignment&, TVAlignment&)>;
using TGridFormatEvent = std::function<void(TQvStringGrid*, int ACol, TSortStyle&, QString& prefix, QString& suffix)>;
using TGetEditorTypeEvent = std::function<void(TQvStringGrid*, int ACol, int ARow, TEditorType&)>;
using TRowColBoolEvent = std::function<void(TQvStringGrid*, int ARow, int ACol, bool&)>;
using TColRowBoolEvent = std::function<void(TQvStringGrid*, int ACol, int ARow, bool&)>;
using TGetCheckEvent = std::function<void(TQvStringGrid*, int ACol, int ARow, QString&)>;
using TGetColumnFilterEvent = std::function<void(TQvStringGrid*, int column, QStringList& filter)>;
using TSearchFooterActionEvent = std::function<void(TQvStringGrid*, const QString&, int ACol, int ARow, TSearchAction)>;
using TColRowEvent = std::function<void(TQvStringGrid*, int ACol, int ARow)>;
using TRowColEvent = std::function<void(TQvStringGrid*, int ARow, int ACol)>;
using TExpandClickEvent = std::function<void(TQvStringGrid*, int ACol, int ARow, bool expanded)>;
using TCellsChangedEvent = std::function<void(TQvStringGrid*, const TRect& r)>;
enum TClipOperation { coCut, coCopy };
using TRowUpdateEvent = std::function<void(TQvStringGrid*, int oldRow, int newRow)>;
using TRowDisjunctSelectEvent = std::function<void(TQvStringGrid*, int ARow, bool state, bool& allow)>;
using TRowEvent = std::function<void(TQvStringGrid*, int ARow)>;
using TCheckBoxClickEvent = std::function<void(TQvStringGrid*, int ACol, int ARow, bool state)>;

// ---- filtering (filter/filter.cpp, filter/filterlists.cpp) ---------------------------------
// Call flow: code fills Filter and sets FilterActive, NarrowDown adds a level per typed
// character, and a click on a filter-row button opens TDropList or TDropCheckList, whose pick
// reaches FilterDropDownSelect or ApplyCheckedFilterValues. Each way ends in ApplyFilter, which
// tests the rows (RowMatchesFilter) and hides the failing ones as one level of the hidden-row
// store; taking a level back (FilterActive := false, RemoveLastFilter) shows exactly its rows.

enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
enum TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
enum TFilterMethod { fmExpression, fmLiteral };

// One condition of the grid's filter.
struct TFilterData {
    short Column = 0;
    QString Condition;
    bool CaseSensitive = true;
    QString Suffix;
    QString Prefix;
    TFilterOperation Operation = foSHORT;
    TFilterCells Data = fcVirtual;
    TFilterMethod Method = fmExpression;
    void Assign(const TFilterData& source) { *this = source; }
};

// The grid's conditions in the order they are tested; items keep their address while they
// are in the collection.
class TFilter {
public:
    explicit TFilter(TQvStringGrid* AOwner) : FOwner(AOwner) {}
    TQvStringGrid* Owner() const { return FOwner; }
    int Count() const { return int(FItems.size()); }
    TFilterData& Items(int Index) const { return *FItems.at(std::size_t(Index)); }
    // foNONE for the first condition, foAND after others.
    TFilterData* Add();
    // Appends as the plain collection does (the index is not used) and keeps foSHORT.
    TFilterData* Insert(int index);
    void Delete(int Index);
    void Clear() { FItems.clear(); }
    // The column's first condition, added (by Add) when it has none.
    TFilterData* GetColFilter(int Col);
    bool HasFilter(int Col) const;
    void RemoveColumnFilter(int Col);

private:
    TQvStringGrid* FOwner;
    std::vector<std::unique_ptr<TFilterData>> FItems;
};

// Look of the filter drop-down and of the filter-row buttons; the grid repaints on OnChange.
class TFilterDropDown {
public:
    bool AutoSize = false;
    TColor Color = platform::clWindow;
    bool ColumnWidth = false;
    int Height = 150;
    int Width = 150;
    std::function<void()> OnChange;
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& v) { FFont = v; }
    const TBitmap& Glyph() const { return FGlyph; }
    void SetGlyph(const TBitmap& v);
    const TBitmap& GlyphActive() const { return FGlyphActive; }
    void SetGlyphActive(const TBitmap& v);
    // Every setting but the change event.
    void Assign(const TFilterDropDown& source);

private:
    TFont FFont;
    TBitmap FGlyph;
    TBitmap FGlyphActive;
};

// The plain value list: Enter or a mouse-up picks the current item and closes the list.
class TDropList : public QListWidget {
public:
    explicit TDropList(TQvStringGrid* grid);
    std::function<void(QWidget* Sender, int ItemIndex)> OnSelect;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    TQvStringGrid* FGrid;
};

// The check list: a tick reports ItemIndex -1 and the list stays open.
class TDropCheckList : public QListWidget {
public:
    explicit TDropCheckList(TQvStringGrid* grid);
    std::function<void(QWidget* Sender, int ItemIndex)> OnSelect;
    bool Checked(int Index) const;
    void SetChecked(int Index, bool value);

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    TQvStringGrid* FGrid;
};

// A bordered tool window that never takes the focus from the window under it (the drag image
// of a selection is shown in one).
class TNoActiveForm : public QWidget {
public:
    explicit TNoActiveForm(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
};

// Icons of balloon hints in cells.
enum TBalloonIcon { biNone, biInfo, biWarning, biError };

// Page size and range of a cell scroll bar.
struct TScrollProp {
    int PageSize = 0;
    int Range = 0;
    friend bool operator==(const TScrollProp&, const TScrollProp&) = default;
};

// The application objects an interfaced cell holds.
class TInterfacedPersistent : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TInterfacedPersistent"); }
};

// An interfaced cell's object that paints the cell itself; the grid finds it by dynamic_cast.
class IGridCellDrawer {
public:
    virtual ~IGridCellDrawer() = default;
    virtual void Draw(QPainter& Canvas, const TRect& Rect, int ACol, int ARow, bool Selected, TQvStringGrid* Grid) = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
    // Drawn before the cell text, which then goes over it.
    virtual bool DrawBeforeText() = 0;
};

// Told of every changed block of cells (left column, top row, right column, bottom row).
class TGridChangeNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void CellsChanged(const TRect&) {}
};

// Listener for changes of the current cell: told the column and the new row.
class ITQvStringGridSelect {
public:
    virtual ~ITQvStringGridSelect() = default;
    virtual void SelectionChanged(int ACol, int ARow) = 0;
};

class TQvStringGrid : public TBaseGrid {
    Q_OBJECT
public:
    explicit TQvStringGrid(QWidget* parent = nullptr, bool designing = false);
    ~TQvStringGrid() override;

    // ---- size, fixed rows and columns -----------------------------------------------------
    void SetRowCount(int value) override;
    void SetColCount(int value) override;
    int FixedRows() const override;
    void SetFixedRows(int value) override;
    int FixedCols() const override;
    void SetFixedCols(int value) override;
    void SetDefaultRowHeight(int value) override;
    void SetRow(int value) override;
    void SetCol(int value) override;
    int GetRowEx() const { return Row(); }
    void SetRowEx(int value) { SetRow(value); }
    bool FixedRowAlways() const { return FFixedRowAlways; }
    void SetFixedRowAlways(bool v) { FFixedRowAlways = v; }
    bool FixedColAlways() const { return FFixedColAlways; }
    void SetFixedColAlways(bool v) { FFixedColAlways = v; }
    int FixedFooters() const { return FFixedFooters; }
    void SetFixedFooters(int v);
    int FixedRightCols() const { return FFixedRightCols; }
    void SetFixedRightCols(int v);
    int FixedRowHeight() const { return FFixedRowHeight; }
    void SetFixedRowHeight(int v);
    int FixedColWidth() const { return ColWidths(0); }
    void SetFixedColWidth(int v);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment v);
    bool WordWrap() const { return FWordWrapEx; }
    void SetWordWrap(bool v);
    int MaxRowCount() const { return FMaxRowCount; }
    int MaxColCount() const { return FMaxColCount; }
    int FixedRowsMin() const { return FFixedRowsMin; }
    // Loading from a stored form: fixed-count writes then do not become the minimums.
    void SetLoading(bool v) { loading = v; }
    bool IsLoading() const { return loading; }
    void CompleteLoading();
    // The lock counts also while the grid is hidden: a grid locked while hidden and unlocked
    // once shown (or the other way round) would otherwise stay locked for good.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    // ---- hidden columns and rows -------------------------------------------------------------
    // A hidden column keeps its cells at their real column and only leaves the displayed
    // columns; a hidden row leaves the displayed rows for the hidden-row store with its texts,
    // cell objects and height. Cells are addressed by real column and displayed row.
    static constexpr int MaxHideColumns = 512;
    void HideColumn(int ColIndex) { HideColumns(ColIndex, ColIndex); }
    void UnHideColumn(int ColIndex) { UnHideColumns(ColIndex, ColIndex); }
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumns(int FromCol, int ToCol);
    void UnHideColumnsAll();
    bool IsHiddenColumn(int ColIndex) const;
    int NumHiddenColumns() const { return FNumHidden; }
    int NumHidden() const { return FNumHidden; }
    int TotalColCount() const override { return ColCount() + FNumHidden; }
    int RealColIndex(int ACol) const { return RealColFromDispl(ACol); }
    int DisplColIndex(int ACol) const override { return DisplColFromReal(ACol); }
    int RealColFromDispl(int ACol) const;
    int DisplColFromReal(int ACol) const;
    int RealCol() const { return RealColIndex(Col()); }
    bool IsIgnoredColumn(int ACol) const;
    bool ColumnVisibleFlag(int pos) const;
    void SetColumnVisibleFlag(int pos, bool value);

    void HideRow(int Rowindex) { HideRows(Rowindex, Rowindex); }
    void HideRows(int FromRow, int ToRow);
    void HideRowsEx(int FromRow, int ToRow);
    // RowList holds displayed rows in ascending order; they are hidden as one filter level.
    void HideRowList(const TIntList& RowList);
    void UnHideRow(int Rowindex);
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowsAll();
    void UnHideRowList();
    bool IsHiddenRow(int Rowindex) const;
    // The cached form for loops over many rows: the list is made on the first call (the caller
    // keeps it) and answers every later one.
    bool IsHiddenRow(int Rowindex, std::unique_ptr<TIntList>& ListHidden) const;
    int NumHiddenRows() const { return int(FGridItems.size()); }
    int TotalRowCount() const { return RowCount() + NumHiddenRows(); }
    int AllRowCount() const { return TotalRowCount(); }
    int RealRowIndex(int ARow) const { return RealRowFromDispl(ARow); }
    int DisplRowIndex(int ARow) const { return DisplRowFromReal(ARow); }
    int RealRowFromDispl(int ARow) const;
    int DisplRowFromReal(int ARow) const;
    int RealRow() const { return RealRowIndex(Row()); }
    int FilterLevel() const { return FFilterLevel; }
    void SetFilterLevel(int v) { FFilterLevel = v; }
    int GetTopRowEx() const { return TopRow(); }
    void SetTopRowEx(int value) { SetTopRow(value); }
    // The guarded writer: a row outside FixedRows .. RowCount - 1 is ignored.
    void SetTopRow(int value);
    // Cells by real row: from the hidden-row store when the row is hidden.
    QString GetCellsEx(int ACol, int ARow) const;
    void SetCellsEx(int ACol, int ARow, const QString& value);
    TObject* CellObjectByRealRow(int ACol, int ARow) const;
    TCellGraphic* CellGraphicByRealRow(int ACol, int ARow) const;
    void InsertDisplayedRows(int RowIndex, int RCount) { InsertStoreRows(RowIndex, RCount); }
    void RemoveDisplayedRows(int RowIndex, int RCount) { RemoveStoreRows(RowIndex, RCount); }

    // ---- cell accessors, per-cell look and the selected-cells interface --------------------------
    // (QvGrid/cellaccess.cpp, QvGrid/celllook.cpp, QvGrid/selectedcells.cpp) The public cell
    // interface every string grid offers; i is a real column, j a row in the index space named.
    // By displayed row j: lines of a cell; the wide names are kept for the interface, texts are
    // wide already.
    int GetLinesInCell(int i, int j) const;
    QString GetWideCells(int i, int j) const { return Cells(i, j); }
    void SetWideCells(int i, int j, const QString& value) { SetCells(i, j, value); }
    // By real row j: the text (hooks as Cells), the raw text (no merge redirection, no display
    // hook), the user object and the raw cell object (the properties object itself).
    QString GetWideCellsEx(int i, int j) const { return GetCellsEx(i, j); }
    void SetWideCellsEx(int i, int j, const QString& value) { SetCellsEx(i, j, value); }
    QString GetGridCellsEx(int i, int j) const;
    void SetGridCellsEx(int i, int j, const QString& value);
    TObject* GetObjectsEx(int i, int j) const;
    void SetObjectsEx(int i, int j, TObject* object);
    TObject* GridObjectByRealRow(int i, int j) const { return CellObjectByRealRow(i, j); }
    // By the row a line had before the last sort, and by the column's index before any move.
    QString GetUnSortedCell(int i, int j) const;
    void SetUnSortedCell(int i, int j, const QString& value);
    QString GetOriginalCells(int i, int j) const;
    void SetOriginalCells(int i, int j, const QString& value);
    // Displayed row r before the last sort (as a real row); the displayed row of unsorted row r.
    int SortedRowIndex(int r) const;
    int UnSortedRowIndex(int ARow) const;
    void RichToCell(int ACol, int ARow, TQvRichEdit* richEdit);
    int AllColCount() const { return ColCount() + NumHiddenColumns(); }
    // The stored width of a hidden column, else the width shown; beyond real column 511 the
    // width shown only.
    int GetAllColWidths(int i) const;
    void SetAllColWidths(int i, int value);
    // Per-cell look: i the column the properties are stored under, j the row. Reading never
    // creates the properties (except GetWordWraps); writing does, and repaints the cell.
    TColor GetColors(int i, int j) const;
    void SetColors(int i, int j, TColor v);
    TColor GetColorsTo(int i, int j) const;
    void SetColorsTo(int i, int j, TColor v);
    TCellGradientDirection GetGradientDir(int i, int j) const;
    void SetGradientDir(int i, int j, TCellGradientDirection v);
    TColor GetFontColors(int i, int j) const;
    void SetFontColors(int i, int j, TColor v);
    TFontStyles GetFontStyles(int i, int j) const;
    void SetFontStyles(int i, int j, TFontStyles v);
    int GetFontSizes(int i, int j) const;
    void SetFontSizes(int i, int j, int v);
    QString GetFontNames(int i, int j) const;
    void SetFontNames(int i, int j, const QString& v);
    TAlignment GetAlignments(int i, int j) const;
    void SetAlignments(int i, int j, TAlignment v);
    void SetReadOnly(int i, int j, bool v);
    bool GetWordWraps(int i, int j);
    void SetWordWraps(int i, int j, bool v);
    void SetCellFont(int i, int j, const TFont& font);
    QWidget* GetCellControls(int i, int j) const;
    void SetCellControls(int i, int j, QWidget* control);
    // Row i from FixedCols to the last real column.
    void SetRowColor(int i, TColor color);
    void SetRowColorTo(int i, TColor color);
    void SetRowFontColor(int i, TColor color);
    // Selected cells: displayed columns and rows, the rectangle or the disjunct lists.
    void SetSelection(const TGridRect& value);
    void ClearSelectedCells();
    void ClearModifiedRows();
    int SelectedCellsCount();
    TPoint GetSelectedCell(int index) const;
    bool GetSelectedCells(int i, int j) const;
    void SetSelectedCells(int i, int j, bool value);
    int SelectedRowCount() const;
    int SelectedColCount() const;
    int GetSelectedRow(int i) const;
    // One listener; a second registration replaces the first, unregistering clears it.
    void RegisterSelListener(ITQvStringGridSelect* listener) { FISelect = listener; }
    void UnRegisterSelListener(ITQvStringGridSelect*) { FISelect = nullptr; }
    ITQvStringGridSelect* SelListener() const { return FISelect; }

private:
    TCellProperties* cellPropsIfAny(int i, int j) const;
    void repaintLook(int i, int j, bool unlessUpdating = false);
    ITQvStringGridSelect* FISelect = nullptr;

public:
    // ---- row and column structure (QvGrid/structure.cpp) -------------------------------------
    // Rows are displayed rows, columns real columns. Every operation keeps the side data in
    // step with the rows: cell objects, heights, the modified, enabled and selected row flags,
    // the real indexes of the hidden rows, the cell controls and the footer rows. Removing
    // frees the rows' cell properties (never a user object); the Ex variant leaves the
    // objects to the caller, who has taken them over.
    virtual void RemoveRowsFreeing(int RowIndex, int RCount);
    virtual void RemoveRowsEx(int RowIndex, int RCount);
    virtual void RemoveRows(int RowIndex, int RCount);
    virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls = true);
    virtual void RemoveCols(int ColIndex, int CCount);
    virtual void InsertCols(int ColIndex, int CCount);
    void AddRow();
    void AddColumn() { InsertCols(TotalColCount(), 1); }
    void RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked);
    void RemoveDuplicates(int ACol, bool DoCase);
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void HideSelectedRows();
    void HideUnSelectedRows();
    void RemoveSelectedCols();
    void RemoveUnSelectedCols();
    void MergeCols(int ColIndex1, int ColIndex2, const QString& Separator);
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void ClearRows(int RowIndex, int RCount);
    void ClearNormalRows(int RowIndex, int RCount);
    void ClearCols(int ColIndex, int CCount);
    void ClearNormalCols(int ColIndex, int CCount);
    void ClearNormalCells();
    void Clear();
    void ClearAll();
    void ClearSelection();
    virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void TrimColumn(int ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }
    void TrimRow(int ARow) { TrimRect(0, ARow, TotalColCount() - 1, ARow); }
    void TrimAll() { TrimRect(0, 0, TotalColCount() - 1, RowCount() - 1); }
    void ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor);
    void MergeColumnCells(int ColIndex, bool MainMerge);
    void MergeRowCells(int RowIndex, bool MainMerge);
    void SplitColumnCells(int ColIndex);
    void SplitRowCells(int RowIndex);
    // The grid's columns or rows along one axis; trailing are the right columns or the footers.
    TGridAxis Axis(TGridAxisKind k);
    void splitCellsAt(TGridAxisKind k, int index);
    void SplitAllCells();
    bool IsCell(const QString& SubStr, int& ACol, int& ARow) const;
    bool IsWideCell(int ACol, int ARow) const;
    // Set by sorting and swapping, which have copied the objects elsewhere: clearing then
    // detaches cell objects instead of freeing them.
    bool FNilObjects = false;
    // While set, clearing reports no changed cells.
    bool FBlockCellChange = false;

    // ---- moves, selection hiding, used cells and save range (QvGrid/moves.cpp) ---------------
    // Displayed indexes. The column move records the column order first when none is.
    void MoveColumn(int FromIndex, int ToIndex) override;
    void MoveRow(int FromIndex, int ToIndex) override;
    void MoveRows(int FromIndex, int ToIndex, int Count);
    void HideSelection();
    void UnHideSelection();
    bool SelectionHidden() const { return FSelHidden; }
    void UpdateEditMode();
    virtual TRect UsedCellRect() const;
    int SaveStartCol() const;
    int SaveEndCol() const;
    int SaveColCount() const;
    int SaveStartRow() const;
    int SaveEndRow() const;
    int SaveRowCount() const;

    // ---- search, replace and the search footer (search/*.cpp) -------------------------------
    // Call flow in search/GridSearch.h. Cells found are (column, row): displayed indexes, real
    // ones for the axes whose hidden members the flags include; (-1, -1) when none.
    TPoint Find(TPoint StartCell, const QString& s, TFindParameters FindParams);
    TPoint FindWide(TPoint StartCell, const QString& s, TFindParameters FindParams);
    TPoint FindFirst(const QString& s, TFindParameters FindParams);
    TPoint FindNext();
    // Cells changed; with fnMatchCase only occurrences of that case are replaced.
    int Replace(const QString& OrigStr, const QString& NewStr, TFindParameters FindParams);
    TPoint FindCell(TPoint StartCell, const QString& s, bool wide, TFindParameters FindParams);
    // The cell against the last search's text and flags.
    bool CellMatchesSearch(int ACol, int ARow, bool wide);
    TFindParameters FFindParams = 0;
    QString SearchCache, SearchCacheWide;
    TPoint SearchCell{-1, -1};
    int FFindCol = -1, FFindRow = -1; // for fnFindInPresetCol and fnFindInPresetRow
    bool FFindBusy = false;
    // The footer panel (nullptr in a designing grid); UpdateSearchPanel copies the SearchFooter
    // settings into it and runs on every change of them.
    TSearchPanel* SearchPanel() const { return FSearchPanel; }
    void UpdateSearchPanel();
    bool IsLastRowAboveFooter();
    void ScrollLastRowAboveFooter();
    // The footer's reactions, given to the panel as its events.
    void SearchFooterEditChanged(const QString& value);
    void SearchFooterFindNext();
    void SearchFooterFindPrevious();
    void SearchFooterClose();
    void SearchFooterHighlight();
    // A dialog character (Alt and a letter): presses the visible, enabled footer button whose
    // caption has it as accelerator; true when one was pressed.
    bool SearchFooterDialogChar(QChar c);
    std::function<void(TQvStringGrid*, const QString& Value, bool& DefaultSearch)> OnSearchEditChange;
    std::function<void(TQvStringGrid*)> OnSearchFooterClose;
    std::function<void(TQvStringGrid*)> OnCreatedSearchFooter;

private:
    friend class TGridSearcher;
    TSearchPanel* FSearchPanel = nullptr; // child widget, owned through Qt
    bool FSearchPanelBuilt = false;
    bool FSearchPanelShown = false; // the footer was visible at the last update
    void createSearchPanel();
    void placeSearchPanel();
    TFindParameters footerFindParams(bool withFixedAndHidden) const;
    void footerHighlight(const QString& text);
    void footerUnhighlight();
    void footerNextPrevious(bool backward);
    void keepCurrentCellAboveFooter();

protected:
    int CoveredClientBottom() const override;

public:
    // ---- column and row move upkeep (QvGrid/moves.cpp) -----------------------------------------
    // After the platform moved a column's or a row's cells: the grid's own per-column and
    // per-row data follow, and a coupled grid repeats the move once.
    void ColumnMovedUpdate(int FromIndex, int ToIndex);
    void RowMovedUpdate(int FromIndex, int ToIndex);
    bool ColMoveFlg = false;  // set by every move; the release that ended it does nothing more
    bool FSyncedMove = false; // set while this grid repeats a move of its coupled grid

private:
    void repeatMoveOnCoupledGrid(int FromIndex, int ToIndex, void (TQvStringGrid::*move)(int, int));

public:
    // ---- binary cell stream and file (io/binstream.cpp), text grid file (textfile.cpp) -------
    // Columns are real columns. The binary readers raise platform::EReadError for a stream
    // that does not fit, the text readers EQvGridError (file) or EConvertError (stream).
    void SaveRectToBinStream(const TGridRect& rect, QIODevice& st);
    void SaveToBinStream(QIODevice& st);
    void SaveToBinFile(const QString& FileName);
    void LoadAtPointFromBinStream(TPoint point, QIODevice& st);
    void LoadFromBinStream(QIODevice& st);
    void LoadFromBinFile(const QString& FileName);
    void SaveToFile(const QString& FileName, bool Unicode = false);
    void LoadFromFile(const QString& FileName);
    void SaveToStream(QIODevice& st);
    void LoadFromStream(QIODevice& st);
    // The number a binary stream names its writer by: unique to each grid of the process.
    int GridID() const;
    std::function<void(TQvStringGrid*, short progress)> OnFileProgress;

    // ---- exchange with other programs: CSV (io/csv.cpp), HTML (html.cpp), XML
    // (xmlexchange.cpp), plain text and fixed width (textexchange.cpp) ---------------------------
    // Files are replaced through a temporary file; a failed write leaves the old file. Platform
    // file errors are platform::EFOpenError / EFCreateError, the control's own messages
    // EQvGridError.
    void SaveToCSV(const QString& FileName, bool Unicode = false);
    void AppendToCSV(const QString& FileName, bool Unicode = false);
    void LoadFromCSV(const QString& FileName, int MaxRows = 0);
    void InsertFromCSV(const QString& FileName, int MaxRows = 0);
    void LoadFromCSVStream(QIODevice& st, int MaxRows = 0);
    // Pictures of the export go to folder + "images/".
    QString SaveToHTMLString(const QString& Folder = QString());
    void SaveToHTML(const QString& FileName, bool Show = false, bool Unicode = false);
    void AppendToHTML(const QString& FileName, bool Show = false, bool Unicode = false);
    void SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                   const QStringList* FieldDescr = nullptr, bool ExportEmptyCells = false);
    void LoadFromXML(const QString& FileName, bool LevelToRow = false, bool LoadFieldDescr = false);
    void SaveToASCII(const QString& FileName, bool Unicode = false);
    void AppendToASCII(const QString& FileName, bool Unicode = false);
    // Columns without a width in Widths get their longest text + 1, added to the caller's list.
    void SaveToFixed(const QString& FileName, TIntList& Widths);
    void LoadFromFixed(const QString& FileName, TIntList& Positions, bool DoTrim = true, int MaxRows = -1);
    // Longest line, in characters, of the column's display texts over all rows.
    int MaxColumnTextLength(int ACol);

private:
    void writeCSV(const std::function<void(QString&)>& put);
    QStringList asciiLines();
    QString htmlText(const QString& folder, const QString& encoding);
    QString htmlLink(const QString& text, const QString& target) const;
    QString withPictures(int col, int row, const QString& text, const QString& content, const QString& folder,
                         int& picture, bool xhtml);
    QString SaveCellPictureFile(const QImage& image, int number, const QString& folder);
    void writeHTML(const QString& FileName, bool Show, bool Unicode, bool append);
    void loadCSVText(QString text, int MaxRows, bool inserting);
    bool FHtmlWithoutPictures = false; // the clipboard's HTML copy writes no picture files

public:
    // ---- clipboard: copy, cut and selection text --------------------------------------------
    void CopySelectionToClipboard();
    void CopyToClipBoard();
    void CutSelectionToClipboard();
    void CutToClipboard();
    void CopyToClipBoardAsHTML();
    QString GetSelectionAsText();
    void SetSelectionAsText(const QString& value);
    // Widens the selection so that merged cells at its corners are taken whole.
    void ExtendSelectionToMerges();
    // Top-left cell of the last range turned into clipboard text, and the last operation.
    TPoint ClipTopLeft{-1, -1};
    TClipOperation ClipLastOp = coCopy;

    // ---- clipboard: paste and series fill -----------------------------------------------------
    void PasteFromClipboard();
    void PasteSelectionFromClipboard();
    // What a paste placed: the field count and the rows and columns it spans.
    struct TPasteResult {
        int Fields = 0;
        int Rows = 0;
        int Cols = 0;
    };
    TPasteResult PasteClipboardAt(int ACol, int ARow);
    TPasteResult PasteTextBlock(int ACol, int ARow, const QString& text);
    // Widest line in fields and the rows below the first that the text fills.
    static TPoint MeasureTextBlock(const QString& text);
    bool PasteAll = false; // true while PasteFromClipboard runs

    virtual void StorePastedCell(int ACol, int ARow, const QString& value);
    virtual void ClipboardCellsPasted(TPoint source, const TRect& target, TClipOperation op);
    virtual void BeginClipboardPaste() {}
    virtual void EndClipboardPaste() {}
    virtual bool AcceptsGridCellsFormat() const { return FNavigation->AllowFmtClipboard(); }
    // The in-place editor reports whether its text is a formula.
    virtual void EditorFormulaMode(bool) {}

    std::function<void(QObject* Sender, bool& Allow)> OnClipboardCut;
    std::function<void(QObject* Sender, bool& Allow)> OnClipboardCopy;
    std::function<void(QObject* Sender, int ACol, int ARow, const QString& Value)> OnClipboardAfterPasteCell;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value, bool& Allow)>
        OnClipboardBeforePasteWideCell;
    std::function<void(QObject* Sender, int ACol, int ARow, const QString& Value)> OnClipboardAfterPasteWideCell;

    // ---- office automation exchange -----------------------------------------------------------
    QStringList GetXLSSheets(const QString& FileName);
    void LoadFromXLS(const QString& FileName);
    void LoadFromXLSSheet(const QString& FileName, const QString& SheetName);
    void SaveToXLS(const QString& FileName, bool CreateNewSheet = true);
    void SaveToXLSSheet(const QString& FileName, const QString& SheetName);
    void SaveToDOC(const QString& FileName, bool CreateNewDocument = true);
    void AppendToDoc(const QString& FileName, const QString& Bookmark = QString());
    void LoadFromMDBTable(const QString& FileName, const QString& Table);
    void LoadFromMDBSQL(const QString& FileName, const QString& SQL);
    // Spreadsheet column letters: 1 "A" .. 26 "Z", 27 "AA" .. 702 "ZZ".
    static QString XLSColumnLetters(int n);

private:
    void loadWorksheet(const QString& FileName, const QString& SheetName);
    void saveWorksheet(const QString& FileName, const QString& SheetName, bool CreateNewSheet);
    void saveDocTable(const QString& FileName, bool append, bool CreateNewDocument, const QString& Bookmark);
    QString RangeToText(const TGridRect& range, bool selectedOnly);
    QString rangeField(int c, int r);
    void CopyRangeToClipboard(const TGridRect& range, bool selectedOnly);
    bool clipboardKeys(int key, Qt::KeyboardModifiers mods);
    void cutCells(const TGridRect& range, bool freeProperties);
    void smartFill(int pasted);
    bool seriesFill(int pasted);
    void textSeriesFill(int pasted);
    void fillCell(int c, int r, const QString& value, bool always);
    int pasteGridCells(int c, int r, TPasteResult& res);
    struct PasteFrame;
    struct ClipboardPasteFrame;

private:
    mutable int FGridID = 0; // given on first use
    // The width of real column c, also while it is hidden.
    int realColWidth(int c) const;
    void readBinCells(platform::ComponentReader& r, TPoint point);

public:
    // ---- sorting (sort/GridSort.h) ---------------------------------------------------------------
    // Call flow: Sort, SortByColumn and the header click set SortSettings() and call QSort (one
    // column with tie-break), QSortIndexed (the keys of SortIndexes) or a group sort (inside
    // expanded nodes). Each reads and classifies the keys of the rows once, orders the rows with
    // a partition sort that stays inside its range whatever the comparisons answer, and then
    // moves the rows into that order in one pass with their heights, flags, cell controls, the
    // cross-reference and SortRow. QUnSort puts every row back where the cross-reference says
    // it stood. Rows are displayed rows, columns real columns; fixed and footer rows stay.
    virtual void SortSwapRows(int ARow1, int ARow2);
    virtual void QSort();
    // EQvGridError "No indexes specified for indexed sort" without keys; nothing changes then.
    virtual void QSortIndexed();
    virtual void QSortGroup();
    virtual void QSortGroupIndexed();
    virtual void QUnSort();
    void Sort(int Column, TSortDirection Direction);
    // Only with more than one row; the direction stays.
    void SortByColumn(int Col);
    // Rows Left..Right, without the update bracket, footers, column 0 or current row upkeep.
    void QuickSort(int Col, int Left, int Right);
    void QuickSortIndexed(int Left, int Right);
    // Swaps the two rows when they are out of order in SortDir; true when it swapped.
    bool SortLine(int Col, int ARow1, int ARow2);
    void InitSortXRef();
    // +1, 0 or -1 for two cells of a column by the column's sort style; ascending only decides
    // where empty cells go with IgnoreBlanks.
    int CompareSortCells(int ACol, int ARow1, int ARow2, bool ascending);
    // Single-column order from ACol on (ties go on to the next columns with Full), and the key
    // list order from key index i.
    int CompareRows(int ACol, int ARow1, int ARow2);
    int CompareRowsIndexed(int ARow1, int ARow2, int i = 0);
    int SortDir = 1;  // +1 ascending, -1 descending, set by every single-column sort
    int SortRow = -1; // the row current when the sort began, at its new place
    int Compares = 0, Swaps = 0;
    unsigned SortTime = 0; // milliseconds the last header-click sort took
    // For each row position, the position the row had when the cross-reference was last set up.
    const TIntList& SortRowXRef() const { return FSortState->RowXRef; }
    std::function<void(TQvStringGrid*, const QString& str1, const QString& str2, int& Res)> OnCustomCompare;
    std::function<void(TQvStringGrid*, int ACol, int Row1, int Row2, int& Res)> OnRawCompare;
    std::function<void(TQvStringGrid*, int ACol, bool& DoSort)> OnCanSort;

private:
    friend class TGridSorter;
    friend class TSortBracket;
    // The rows at the positions `at` (ascending) become the rows that stood at from[k], with
    // everything that travels with a row.
    void applyRowOrder(const std::vector<int>& at, const std::vector<int>& from, int sortCol);
    void sortRange(int first, int last, bool indexed, int col);
    void sortGroups(bool indexed);
    // The header click's sort (the release's last stage, input/GridInput/release.cpp).
    void clickSort(int ACol, Qt::KeyboardModifiers shift);

public:
    // ---- column order (QvGrid/columnorder.cpp) -----------------------------------------------
    // Entry p of the order holds the original index of the column now at position p.
    void SetColumnOrder();
    void ResetColumnOrder();
    int ColumnPosition(int ACol) const;
    int ColumnAtPosition(int Pos);
    int ColumnByHeader(const QString& AValue) const;
    TIntList& ColumnOrder() { return *FColumnOrder; }
    // The fixed-cell editors (created with the grid, hidden until the mouse code shows one).
    class TGridTransEdit* TransEdit() const { return FTransEdit; }
    class TGridTransCombo* TransCombo() const { return FTransCombo; }

    // ---- per-cell hooks --------------------------------------------------------------------
    virtual void QueryCanEditCell(int ACol, int ARow, bool& canEdit);
    virtual void SearchFooterAction(const QString& value, int ACol, int ARow, TSearchAction action);
    virtual void CellButtonClick(int ACol, int ARow);
    virtual void CellExpandClick(int ACol, int ARow, bool expanded);
    virtual void ComboCloseUp(int ARow, int ACol);
    virtual void ComboDropDown(int ARow, int ACol);
    // OnCellsChanged, then every registered notifier in registration order, then every footer
    // calculation.
    virtual void CellsChanged(const TRect& r);
    void RegisterNotifier(class TGridChangeNotifier* item); // ignored when registered already
    void UnRegisterNotifier(class TGridChangeNotifier* item);
    int NotifierCount() const { return int(FNotifierList.size()); }
    virtual void AfterCellsLoaded();
    virtual void GetCellHint(int ACol, int ARow, QString& hint);
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState state, TBrush& brush, TFont& font);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState state, TBrush& brush, TFont& font);
    virtual void GetCellBorder(int ACol, int ARow, TPen& pen, TCellBorders& borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, TPen& pen, TCellBorders& borders);
    virtual void GetCellAlignment(int ACol, int ARow, TAlignment& hAlign, TVAlignment& vAlign);
    virtual void GetCellFormat(int ACol, TSortStyle& style, QString& prefix, QString& suffix);
    virtual void GetCellEditorBase(int ACol, int ARow, TEditorType& editor);
    virtual void GetCellEditor(int ACol, int ARow, TEditorType& editor);
    virtual bool IsNoEditorCell(int ACol, int ARow);
    virtual void IsFixedCell(int ACol, int ARow, bool& isFixed);
    virtual void CanEditCell(int ACol, int ARow, bool& canEdit);
    virtual void IsPasswordCell(int ACol, int ARow, bool& isPassword);
    virtual void GetCellWordWrap(int ACol, int ARow, bool& wordWrap);
    virtual bool CellHasComboBox(int ACol, int ARow);
    virtual bool CellHasSpinEdit(int ACol, int ARow);
    virtual void GetCheckTrue(int ACol, int ARow, QString& value);
    virtual void GetCheckFalse(int ACol, int ARow, QString& value);
    virtual bool GetColumnFilter(int ACol);

    // ---- cell scroll bars, the pointer shape per cell, wide hints and wide validation
    // (input/GridInput/cellscroll.cpp, QvGrid/cellhooks.cpp) ----
    // The live bar and the painter's twin are this wide.
    static constexpr int CellScrollBarWidth = 17;
    // The highest position of a cell bar with this page size and range.
    static int CellScrollMaximum(const TScrollProp& prop);
    // The twin the painter configures for each scroll-bar cell it draws; null while designing.
    QScrollBar* CellPaintScrollBar() const { return FPaintScrollBar; }
    // Fires OnScrollCell after the user moved a cell's bar.
    virtual void ScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax);
    std::function<void(TQvStringGrid*, int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)>
        OnScrollCell;
    // Only with a handler: the handler gets the grid's cursor and the pointer takes what it
    // answers (real column, displayed row, viewport point).
    virtual void GetCellCursor(int ACol, int ARow, int X, int Y);
    std::function<void(TQvStringGrid*, int ACol, int ARow, int X, int Y, Qt::CursorShape& ACursor)> OnGetCellCursor;
    // Asked after OnGridHint; a text it gives replaces the hint, stored as wide cell text.
    std::function<void(TQvStringGrid*, int ARow, int ACol, QString& hintstr)> OnGridWideHint;
    // The grid's own cursor: set on the grid and its cells; pointer zones that claim the
    // pointer fall back to it.
    void SetCursor(Qt::CursorShape shape);
    Qt::CursorShape Cursor() const;
    // The displayed column (or row) a header press is moving; -1 when none.
    int MovingCell() const { return FPointer->Movecell; }
    // Colour of the four target arrows of column and row moves (read from the up arrow).
    TColor ArrowColor() const;
    void SetArrowColor(TColor color);
    // Markup hints for every control of the program: tool tips are shown by the markup hint
    // window (true) or by the platform (false).
    bool UseHTMLHints() const { return FUseHTMLHints; }
    void SetUseHTMLHints(bool on);
    // Hooks: the key handling calls AfterF2Edit once F2 opened the editor; automatic appending
    // adds rows through AppendGridRow.
    virtual void AfterF2Edit() {}
    virtual void AppendGridRow() { SetRowCount(RowCount() + 1); }

    // Overrides of the base grid's virtual operations.
    bool IsFixed(int ACol, int ARow) const override;
    int GetRowIndent(int ARow) const override;
    bool HasNodes() const override { return FNumNodes > 0; }
    void LastRowChanged() override;
    void GetCellDefaults(int col, int row, TFont& font, TBrush& brush, TColor& colorTo, TColor& mirrorColor,
                         TColor& mirrorColorTo, TAlignment& ha, TVAlignment& va, bool& ww,
                         TCellGradientDirection& gd) override;
    void CellChanged(int ACol, int ARow) override;
    bool HasCellBorderEvent() const override { return bool(OnGetCellBorder); }
    bool UsesPlatformStyles() const override { return FUseVCLStyles; }
    void GetVisualProperties(int col, int row, TGridDrawState& state, bool print, bool select, bool remap,
                             TBrush& brush, TColor& colorTo, TColor& mirrorColor, TColor& mirrorColorTo, TFont& font,
                             TAlignment& ha, TVAlignment& va, bool& ww, TCellGradientDirection& gd) override;

    // ---- cell values, display text and typed access ------------------------------------------
    // Texts are the only storage: typed values are converted on every access.
    void GetDisplText(int ACol, int ARow, QString& value) const override;
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
    virtual TCellType GetCellType(int ACol, int ARow);
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType cellType);
    virtual TPoint GetCellGraphicSize(int ACol, int ARow);
    virtual QString GetFloatFormat(int ACol, int ARow) const;
    // The value through a float format; a format with other than one float conversion gives the plain number.
    static QString FormatFloatText(const QString& format, double value);
    // The cell text with markup tags removed and character entities resolved.
    QString GetStrippedCell(int ACol, int ARow) const;
    int GetInts(int ACol, int ARow) const;
    void SetInts(int ACol, int ARow, int value);
    int GetAllInts(int ACol, int ARow) const;
    void SetAllInts(int ACol, int ARow, int value);
    double GetFloats(int ACol, int ARow) const;
    void SetFloats(int ACol, int ARow, double value);
    double GetAllFloats(int ACol, int ARow) const;
    void SetAllFloats(int ACol, int ARow, double value);
    // The cell's number as displayed ("(1,234.50)" is -1234.5, "12abc" 12, empty 0); a text that
    // stops being a number partway raises EQvGridError with the position.
    double CellToReal(int ACol, int ARow) const;
    TDateTime GetDates(int ACol, int ARow) const;
    void SetDates(int ACol, int ARow, TDateTime value);
    TDateTime GetTimes(int ACol, int ARow) const;
    void SetTimes(int ACol, int ARow, TDateTime value);
    void SetColumnHeaders(const QStringList& value);
    void SetRowHeaders(const QStringList& value);
    // The change notifications of the header lists (call after editing them in place).
    void ColumnHeadersChanged();
    void RowHeadersChanged();
    void ShowColumnHeaders();
    void ClearColumnHeaders();
    void ShowRowHeaders();
    void ClearRowHeaders();
    bool URLShowInText = false;
    // The form is shown at another pixel density: FixedFont and ActiveCellFont follow.
    virtual void ScaleGrid(int M, int D);
    // The version is the grid's own; a stored form writing it changes nothing.
    void SetVersion(const QString&) {}
    void SetFixedFont(const TFont& value);
    // A null list is ignored.
    void SetLookupItems(const QStringList* value);
    // The printed width and left edge of a column position (the printer's MaxWidths, Indents).
    int GetPrintColWidth(int ACol);
    int GetPrintColOffset(int ACol);

    // ---- check boxes and radio buttons in cells ------------------------------------------------
    // Cells by real column; rows displayed unless said otherwise.
    static TCheckBoxState BoolToCheckBoxState(bool checked) { return checked ? cbChecked : cbUnchecked; }
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    void AddCheckBox(int ACol, int ARow, TCheckBoxState state);
    void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState state);
    void RemoveCheckBox(int ACol, int ARow);
    bool HasCheckBox(int ACol, int ARow);
    bool HasDataCheckBox(int ACol, int ARow);
    // ARow is a real row (hidden rows counted).
    bool GetCheckBoxState(int ACol, int ARow, bool& state);
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    bool SetCheckBoxState(int ACol, int ARow, TCheckBoxState State);
    bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState& state);
    bool IsChecked(int ACol, int ARow);
    bool ToggleCheckBox(int ACol, int ARow) { return DoToggleCheckBox(ACol, ARow, false); }
    virtual bool DoToggleCheckBox(int ACol, int ARow, bool FromUser);
    void CheckAll(int ACol);
    void UnCheckAll(int ACol);
    bool ChangeCheckBoxState(int ACol, int ARow, bool State);
    void AddCheckBoxColumn(int ACol, bool DefaultState = false, bool DataCheckBox = false);
    void RemoveCheckBoxColumn(int ACol);
    bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);
    void AddRadioButton(int ACol, int ARow, bool State = false);
    void RemoveRadioButton(int ACol, int ARow);
    bool HasRadioButton(int ACol, int ARow);
    bool IsRadioButtonChecked(int ACol, int ARow);
    bool SetRadioButtonState(int ACol, int ARow, bool State);
    void AddRadioButtonColumn(int ACol);
    void RemoveRadioButtonColumn(int ACol);
    void SetRadioButtonColumnIndex(int ACol, int Index);
    int GetRadioButtonColumnIndex(int ACol);
    virtual bool DoClickRadioButton(int ACol, int ARow, bool FromUser);
    // The option list stays the caller's after AddRadio; CreateRadio's list is the cell's.
    void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStringList* sl);
    TStringList* CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
    bool GetRadioIdx(int ACol, int ARow, int& IdxRadio);
    bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
    TStringList* GetRadioStrings(int ACol, int ARow);
    bool IsRadio(int ACol, int ARow);
    void RemoveRadio(int ACol, int ARow);
    void CycleRadioGroup(int ACol, int ARow, bool FromUser);
    bool IsControlCell(int ACol, int ARow);
    bool IsDataBoundGraphic(int ACol, int ARow);
    // Undo records by real row.
    void UndoRedoSetCell(int ACol, int ARow, const QString& value) override;
    QString UndoRedoCell(int ACol, int ARow) override;
    int UndoRedoShownRow(int ARow) const override;

    // ---- nodes, expand cells and child rows ------------------------------------------------------
    void AddNode(int ARow, int Span); // ARow real
    void RemoveNode(int ARow);        // ARow real
    void RemoveAllNodes();
    bool IsNode(int ARow); // displayed rows from here ...
    bool IsSummary(int ARow);
    bool GetNodeState(int ARow);
    void SetNodeState(int ARow, bool Value);
    int GetNodeLevel(int ARow);
    int GetNodeSpan(int ARow);
    void SetNodeSpan(int ARow, int Span);
    void UpdateNodeSpan(int ARow, int Delta);
    int GetSubNodeCount(int ARow);
    void UpdateSubNodeCount(int ARow, int Delta);
    int GetNodeSpanType(int ARow);
    int GetParentRow(int ARow); // ... to here
    void ExpandNode(int ARow);  // real rows again
    void ContractNode(int ARow);
    void ExpandNodeRows(int ARow);
    void ExpandAll();
    void ContractAll();
    bool IsNodeGlyphHit(int ARow, int X);
    void MarkSummaryRow(int ARow);
    void InsertChildRow(int ARow, int InsertAt);
    void RemoveChildRow(int ARow);
    void InsertNormalRow(int ARow);
    void RemoveNormalRow(int ARow);
    void AddExpand(int ACol, int ARow, int ExpandedHeight);
    void RemoveExpand(int ACol, int ARow);
    bool HasExpand(int ACol, int ARow);
    bool ToggleExpand(int ACol, int ARow);
    bool GetExpandState(int ACol, int ARow);
    int GetExpandHeight(int ACol, int ARow, bool Expanded);
    TRect GetExpandRect(int ACol, int ARow);

    // The grouping settings the node, check-box and border code read.
    TGrouping Grouping;

    // ---- grouping (group/grouping.cpp) -----------------------------------------------------------
    // Call flow: Group scans the grouped column once, puts every header and summary row in with
    // one row-list insert, makes the headers nodes and removes the column; UnGroup takes the
    // sub-levels off first, then writes each group's value back into its data rows and takes
    // the header and summary rows out with one row-list removal. SubGroup adds header nodes
    // inside the groups on another column and SubUnGroup removes them. GroupCalc walks the
    // expanded top-level nodes and writes the column calculations into the header or summary.
    int GroupColumn() const { return FGroupColumn; }
    // -1 ungroups, a column above 0 groups on it, 0 does nothing.
    void SetGroupColumn(int Value);
    bool IsGrouping() const { return FIsGrouping; }
    // The columns of the added levels, first level first.
    const std::vector<int>& SubGroupColumns() const { return FSubGroupColumns; }
    virtual void Group(int Colindex);
    virtual void UnGroup();
    virtual void SubGroup(int Colindex);
    virtual void SubUnGroup(int Colindex);
    // method: 1 sum, 2 average, 3 minimum, 4 maximum, 5 count, 6 custom, 7 distinct, 8 standard
    // deviation; any other writes nothing.
    void GroupCalc(int Colindex, int method);
    void GroupSum(int Colindex);
    void GroupAvg(int Colindex);
    void GroupMin(int Colindex);
    void GroupMax(int Colindex);
    void GroupCount(int ColIndex);
    void GroupCustomCalc(int Colindex);
    void GroupDistinct(int ColIndex);
    void GroupStdDev(int ColIndex);
    double QueryGroupCalc(int ACol, int FromRow, int ToRow);
    std::function<void(TQvStringGrid*, int ACol, int FromRow, int ToRow, double& Res)> OnGroupCalc;

    // ---- column and row calculations (group/calc.cpp) ---------------------------------------------
    // FromRow or ToRow -1 means the normal rows. A ToRow beyond the displayed rows counts in the
    // full row space, hidden rows read from the hidden-row store. Node and summary rows and
    // covered cells of a merge take part only while the grid is not grouped.
    double ColumnSum(int ACol, int FromRow, int ToRow);
    double ColumnAvg(int ACol, int FromRow, int ToRow);
    double ColumnMin(int ACol, int FromRow, int ToRow);
    double ColumnMax(int ACol, int FromRow, int ToRow);
    double ColumnStdDev(int ACol, int FromRow, int ToRow);
    double ColumnDistinct(int ACol, int FromRow, int ToRow);
    double ColumnCustomCalc(int ACol, int FromRow, int ToRow);
    double GroupCustomCalc(int ACol, int FromRow, int ToRow);
    double RowSum(int ARow, int fromCol, int toCol);
    double RowAvg(int ARow, int fromCol, int toCol);
    double RowMin(int ARow, int fromCol, int toCol);
    double RowMax(int ARow, int fromCol, int toCol);
    std::function<void(TQvStringGrid*, int ACol, int FromRow, int ToRow, double& Res)> OnColumnCalc;

    // ---- automatic sizes, numbering, swaps and selection helpers (QvGrid/autosize.cpp) ------------
    // Every automatic size passes MinColWidth..MaxColWidth or MinRowHeight..MaxRowHeight.
    void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
    void AutoSizeColumns(bool DoFixedCols, int Padding);
    void AutoSizeCol(int ACol, int Padding);
    void AutoSizeRows(bool DoFixedRows, int Padding);
    void AutoSizeRow(int ARow, int Padding);
    void AutoFitColumns(bool DoFixedCells);
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    void SwapColumns(int ACol1, int ACol2);
    void SwapRows(int ARow1, int ARow2);
    void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool IsSelected(int ACol, int ARow);
    QString SelectedText();
    int AutoNumberStart = 0;
    int AutoNumberOffset = 0;
    TSortDirection AutoNumberDirection = sdAscending;
    void FitColumnWidth(int ACol, bool growOnly);
    void FitRowHeight(int ARow, bool growOnly, int Padding);
    void SetRowHeightForLines(int ARow, int lines, int Padding);

    // ---- layout, look and print settings kept outside (io/persistence.cpp) -----------------------
    // Column states as "n#widths#order#visibility"; "Col"/"Pos" keys in an INI file or the
    // registry store (ColumnSize().Location()); the look file of 69 "key=value" lines in the
    // ANSI code page; the print settings as keys of an INI file. The look file's writer raises
    // Exception "Cannot Create " + file, its reader "Cannot open file " + file and
    // EConvertError for a bad value, with the keys before it applied.
    QString ColumnStatesToString();
    void StringToColumnStates(const QString& Value);
    void SaveColSizes();
    void LoadColSizes();
    virtual void SaveColPositions();
    virtual void LoadColPositions();
    void SaveVisualProps(const QString& FileName);
    void LoadVisualProps(const QString& FileName);
    void SavePrintSettings(const QString& Key, const QString& Section);
    void LoadPrintSettings(const QString& Key, const QString& Section);

private:
    int FGroupColumn = -1;
    QString FGroupCaption; // the grouped column's row-0 text while it is removed
    QString FGroupFooter;  // its last-row text while it is removed (with fixed footers)
    int FGroupWidth = 0;
    bool FIsGrouping = false;
    std::vector<int> FSubGroupColumns;
    // The grouped column's texts of rows that were hidden when grouping began, by hidden-row
    // entry: the column leaves their store entries too, and ungrouping gives the texts back.
    std::vector<std::pair<const void*, QString>> FGroupHiddenTexts;
    // Empty rows put in at the displayed indexes `at` (ascending, in the final numbering) in
    // one pass, with every list that follows the rows kept in step.
    void insertRowList(const std::vector<int>& at);
    void applyGroupLook(int ARow, int fromCol, bool header);
    void clearGroupLook(int ARow, int fromCol);
    // The rows of a calculation range and whether each takes part (calc.cpp).
    struct TCalcRange;
    TCalcRange calcRange(int ACol, int FromRow, int ToRow);
    double calcValue(const TCalcRange& range, int ACol, int row) const;
    double columnExtreme(int ACol, int FromRow, int ToRow, bool largest);
    void setLimitedColWidth(int ACol, int width);
    void setLimitedRowHeight(int ARow, int height);

public:
    // ---- cell objects ----------------------------------------------------------------------------
    // One graphic per cell (QvGrid/cellobjects.cpp): every Add and Create replaces the cell's
    // graphic. Create makes the object and the graphic owns it; Add refers to the caller's
    // object, which the grid never frees. Cells by real column and displayed row; Has asks the
    // base cell of a merge.
    void AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateBitmap(int ACol, int ARow, bool transparent, TCellHAlign hal, TCellVAlign val);
    void RemoveBitmap(int ACol, int ARow);
    bool HasBitmap(int ACol, int ARow);
    TBitmap* GetBitmap(int ACol, int ARow);
    void AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
    TIcon* CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val);
    void RemoveIcon(int ACol, int ARow);
    void AddPicture(int ACol, int ARow, TPicture* APicture, bool transparent, TStretchMode stretchmode, int padding,
                    TCellHAlign hal, TCellVAlign val);
    TPicture* CreatePicture(int ACol, int ARow, bool transparent, TStretchMode stretchmode, int padding,
                            TCellHAlign hal, TCellVAlign val);
    void RemovePicture(int ACol, int ARow);
    bool HasPicture(int ACol, int ARow);
    TPicture* GetPicture(int ACol, int ARow);
    void AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent, TStretchMode stretchmode,
                        int padding, TCellHAlign hal, TCellVAlign val);
    TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode stretchmode, int padding,
                                    TCellHAlign hal, TCellVAlign val);
    void RemoveFilePicture(int ACol, int ARow);
    TFilePicture* GetFilePicture(int ACol, int ARow);
    // The three image kinds draw from GridImages and are not added without it.
    void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    void RemoveImageIdx(int ACol, int ARow);
    bool GetImageIdx(int ACol, int ARow, int& idx);
    void SetImageIdx(int ACol, int ARow, int Idx);
    void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    void RemoveDataImage(int ACol, int ARow);
    bool HasDataImage(int ACol, int ARow);
    void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val);
    void RemoveMultiImage(int ACol, int ARow);
    TIntList* GetCellImages(int ACol, int ARow);
    void AddRotated(int ACol, int ARow, short AAngle, const QString& s);
    void SetRotated(int ACol, int ARow, short AAngle);
    void RemoveRotated(int ACol, int ARow);
    bool IsRotated(int ACol, int ARow, int& aAngle);
    // Progress value, pie, range indicator and rating show the cell's number.
    void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
    void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor, TColor BKTextColor);
    void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                              TColor BKTextColor, const QString& Fmt, int Min, int Max);
    void RemoveProgress(int ACol, int ARow);
    bool HasProgress(int ACol, int ARow);
    void AddQvProgress(int ACol, int ARow, int Min, int Max);
    void RemoveQvProgress(int ACol, int ARow);
    void AddProgressPie(int ACol, int ARow, TColor Color, int Value);
    void SetProgressPie(int ACol, int ARow, int Value);
    void RemoveProgressPie(int ACol, int ARow);
    void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
    void RemoveRangeIndicator(int ACol, int ARow);
    void AddComment(int ACol, int ARow, const QString& Comment);
    void AddColorComment(int ACol, int ARow, const QString& Comment, TColor Color);
    QString GetComment(int ACol, int ARow);
    void SetComment(int ACol, int ARow, const QString& Comment);
    bool IsComment(int ACol, int ARow, QString& comment);
    void RemoveComment(int ACol, int ARow);
    void RemoveAllComments();
    void AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                  TCellVAlign val);
    void SetShapeColor(int ACol, int ARow, TColor FillColor);
    TColor GetShapeColor(int ACol, int ARow);
    void RemoveShape(int ACol, int ARow);
    void AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
    void RemoveRating(int ACol, int ARow);
    bool HasRating(int ACol, int ARow);
    void AddScrollBar(int ACol, int ARow, bool AutoRange);
    void RemoveScrollBar(int ACol, int ARow);
    bool HasScrollBar(int ACol, int ARow);
    bool HasAutoRangeScrollBar(int ACol, int ARow);
    int GetScrollPosition(int ACol, int ARow);
    void SetScrollPosition(int ACol, int ARow, int Pos);
    TScrollProp GetScrollProp(int ACol, int ARow);
    void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
    // The marked range (error underline) of a cell; a cell without graphic gets an empty one.
    void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
    void RemoveMarker(int ACol, int ARow);
    void RemoveAllMarkers();
    void GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen);
    void AddButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TCellHAlign hal, TCellVAlign val);
    void AddBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TBitmap* Glyph, TCellHAlign hal,
                      TCellVAlign val);
    TBitmap* CreateBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TCellHAlign hal,
                             TCellVAlign val);
    // ACol displayed for these two.
    void SetButtonText(int ACol, int ARow, const QString& Caption);
    QString GetButtonText(int ACol, int ARow);
    void RemoveButton(int ACol, int ARow);
    void RemoveBitButton(int ACol, int ARow);
    void RemoveAllButtons();
    bool HasButton(int ACol, int ARow);
    // A check box or radio button carries a balloon beside its own state; other kinds take none.
    void AddBalloon(int ACol, int ARow, const QString& Title, const QString& Text, TBalloonIcon Icon);
    void RemoveBalloon(int ACol, int ARow);
    bool HasBalloon(int ACol, int ARow);
    bool IsBalloon(int ACol, int ARow, QString& Title, QString& Text, TBalloonIcon& Icon);
    // The object paints itself when it is an IGridCellDrawer.
    void AddInterfacedCell(int ACol, int ARow, TInterfacedPersistent* AObject);
    void RemoveInterfacedCell(int ACol, int ARow);
    TInterfacedPersistent* GetInterfacedCell(int ACol, int ARow);
    // The identifier of a look in the visual-properties text; empty for glCustom.
    static QString GridLookIdent(TGridLook Look);
    // Hooks of rating clicks and the picker editors (which hand in their selection).
    virtual bool RatingChange(int ACol, int ARow, double& NewRate);
    virtual void ColorSelect(TColor Color, const QString& ColorText);
    virtual void ImageSelect(int ItemIndex);
    std::function<void(TQvStringGrid*, int ACol, int ARow, double& NewRate, bool& Allow)> OnRatingChange;
    std::function<void(TQvStringGrid*, int ACol, int ARow, TColor Color, const QString& Value)> OnColorSelect;
    std::function<void(TQvStringGrid*, int ACol, int ARow, int Index)> OnImageSelect;
    // Links in cells; the writers repaint where the look changes.
    void SetURLColor(TColor v);
    void SetURLShow(bool v);
    bool URLShow() const { return FPaintSettings.URLShow; }
    void SetURLShowInText(bool v);
    void SetURLFull(bool v);
    bool URLFull() const { return FPaintSettings.URLFull; }
    // Progress cells right-align their number.
    bool AutoNumAlign = false;

    // ---- highlighting, error marks, cell checks and fills ------------------------------------------
    // Bulk rewrites of cell texts (QvGrid/marks.cpp). Highlights are "hi" tags, error marks "e"
    // tags around each occurrence; the cell variants entity-encode the text first, so a cell's
    // own "<" or "&" survives a mark and unmark. Ranges follow the normal area (DoFixed: the whole
    // grid); the walks over displayed columns take each one's real column.
    static QString HilightText(bool DoCase, const QString& S, const QString& Text);
    static QString UnHilightText(const QString& S);
    static QString MarkText(bool DoCase, const QString& S, const QString& Text);
    static QString UnMarkText(const QString& S);
    void HilightInCell(bool DoCase, int Col, int Row, const QString& HiText);
    void HilightInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText);
    void HilightInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText);
    void HilightInGrid(bool DoFixed, bool DoCase, const QString& HiText);
    void UnHilightInCell(int Col, int Row);
    void UnHilightInCol(bool DoFixed, int Col);
    void UnHilightInRow(bool DoFixed, int Row);
    void UnHilightInGrid(bool DoFixed);
    void MarkInCell(bool DoCase, int Col, int Row, const QString& HiText);
    void MarkInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText);
    void MarkInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText);
    void MarkInGrid(bool DoFixed, bool DoCase, const QString& HiText);
    void UnMarkInCell(int Col, int Row);
    void UnMarkInCol(bool DoFixed, int Col);
    void UnMarkInRow(bool DoFixed, int Row);
    void UnMarkInGrid(bool DoFixed);
    // Through CellChecker; true without one. Exceptions of the checker reach the caller.
    bool CheckCell(int Col, int Row);
    bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool CheckCol(bool DoFixed, int Col);
    bool CheckRow(bool DoFixed, int Row);
    bool CheckGrid(bool DoFixed);
    void TextFill(bool DoFixed, const QString& Txt);
    // Fmt takes the column and the row as integers ("%d", "%u", "%x" with flags, width and
    // precision); any other format raises EConvertError before a cell is written.
    void FormatFill(bool DoFixed, const QString& Fmt);
    void RandomFill(bool DoFixed, int Rnd);
    void LinearFill(bool DoFixed);

    // ---- look and behaviour settings -----------------------------------------------------------
    // Writers store the value and repaint; the plain fields below stay readable directly.
    void SetSelectionColor(TColor v);
    void SetSelectionColorTo(TColor v);
    void SetSelectionMirrorColor(TColor v);
    void SetSelectionMirrorColorTo(TColor v);
    void SetSelectionTextColor(TColor v);
    void SetSelectionColorMixer(bool v);
    void SetSelectionColorMixerFactor(int v);
    void SetSelectionRectangle(bool v);
    void SetSelectionResizer(bool v);
    void SetShowSelection(bool v);
    void SetFlat(bool v);
    void SetMaxEditLength(int v);
    void SetVAlignment(TVAlignment v);
    void SetAutoSize(bool v);
    void SetSpreadSheet(bool v);
    int VAlignFlag() const { return FVAlignFlag; }
    // Ready-made looks and colour schemes. The look store keeps the grid's gradient copies (the
    // vendor-look, hover and pressed colours the painter reads) and the scheme last applied; the
    // schemes write the control look and the sort header colours in place. Each writer takes
    // the grid's other present colours into the store, applies the look and writes them back.
    void SetLook(TGridLook value);
    void SetStyle(TQvGridStyle style);
    void SetComponentStyle(TVLXStyle style);
    TVLXStyle GetComponentStyle();
    void SetTheme(TXPColorScheme scheme);
    void SetColorTones(const TColorTones& tones);
    void ApplyOfficeTheme(int code);
    // Follows the desktop's colour theme: switched on, the office theme found now is applied
    // and the grid registers with the theme notifier; switched off (or the grid going away),
    // it leaves the notifier. The notifier's message and the platform's theme change both
    // re-apply the theme while it is on.
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool v);
    TGridLookState& LookState();
    // The settings the cell look is resolved from, as they stand.
    TCellVisualSettings VisualSettings();
    // The look GetVisualProperties gives a cell drawn unselected on screen, as one value: what
    // the exports write of it. With remap, col is a displayed column.
    TCellVisuals CellLook(int col, int row, bool remap);
    void LookChanged() { Invalidate(); }
    void FilterDropDownChanged() { Invalidate(); }
    void CellListChanged(int ACol, int ARow) { RepaintCell(DisplColIndex(ACol), ARow); }
    bool SelectionColorMixer = false, SelectionRectangle = false, SelectionResizer = false, Flat = false,
         SpreadSheet = false;
    int MaxEditLength = 0;
    TFont GetCellFont(int i, int j) const;
    bool GetReadOnly(int ACol, int ARow) const;

    // ---- selection, row states, navigation --------------------------------------------------
    bool GetRowSelect(int ARow);
    void SetRowSelect(int ARow, bool value);
    bool GetColSelect(int ACol);
    void SetColSelect(int ACol, bool value);
    int RowSelectCount() const;
    int ColSelectCount() const;
    void SelectRows(int rowIndex, int rCount);
    void UnSelectRows(int rowIndex, int rCount);
    void SelectCols(int colIndex, int cCount);
    void UnSelectCols(int colIndex, int cCount);
    void SelectRange(int fromCol, int toCol, int fromRow, int toRow);
    void ClearRowSelect();
    void ClearColSelect();
    void SyncRowSelectWithSelection(bool allRows);
    void SyncColSelectWithSelection(bool allCols);
    const TIntList& SelectedRows() const { return FRowData->SelectedRows; }
    // The disjunct cell list (the keys and the mouse fill it, the column grid's selected-cells
    // interface reads it): one key per cell, displayed row in the upper 16 bits, displayed
    // column in the lower, so cells beyond 65535 cannot be told apart.
    TIntList& SelectedCellList() { return *FSelectedCells; }
    const TIntList& SelectedCellList() const { return *FSelectedCells; }
    static int SelectedCellKey(int col, int row)
    {
        return int((unsigned(row & 0xFFFF) << 16) | unsigned(col & 0xFFFF));
    }
    bool GetRowModified(int ARow) const;
    void SetRowModified(int ARow, bool value);
    int ModifiedRowCount() const;
    bool GetRowEnabled(int ARow) const;
    void SetRowEnabled(int ARow, bool value);
    bool UseEnabledRows() const { return FUseEnabledRows; }
    void GotoCell(int ACol, int ARow);
    void EditCell(int ACol, int ARow);
    // The one-cell selection at (ACol, ARow), without range check or select-cell decision.
    using TStringGrid::FocusCell;
    void FocusCell(int ACol, int ARow);
    void MoveCurrentCell(int ACol, int ARow);
    void RepaintRect(const TRect& cells);
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    void RepaintHeaderCells(int ACol1, int ARow1, int ACol2, int ARow2);
    void SwapCells(TPoint fromCell, TPoint toCell);
    void GotoFirstNormalRow();
    void DisableEditing() { SetOptions(Options() & ~goEditing); }
    void AddRowAtEnd() { SetRowCount(RowCount() + 1); }

    // ---- lifetime and copying (construction is above) ------------------------------------------
    // Integral height: with IntegralHeight the height holds whole default rows.
    void SetBounds(int left, int top, int width, int height);
    void SetBorderColor(TColor value);
    // Settings and cells of another grid; nothing for another source.
    void Assign(const TQvStringGrid& source);
    void AssignCells(const TQvStringGrid& source);
    QString QueryEditMask(int ACol, int ARow);

    // ---- operations that fire their event or are left to descendants ---------------------------
    virtual void ClickSort(int ACol);
    virtual void F2Pressed() {}
    virtual void SetEditTextEx(int ACol, int ARow, const QString& value);
    virtual void BeforeKeySelection(TGridRect&) {}
    virtual void PasteCellText(int ACol, int ARow, const QString& value);
    QString CurrentCell() const;
    void SetCurrentCell(const QString& value);
    QString CurrentCellDisplayText() const;
    void SetCurrentEditText(const QString& value);
    virtual void RestoreCellCache();
    virtual void CheckBoxClick(int ACol, int ARow, bool state);
    virtual void EditorKeyUp() {}
    virtual void FilterDone();
    virtual void UpdateColumnSize(int ACol, int& width);
    virtual void UpdateAutoColumnSize(int ACol, int& width);
    virtual void UpdateColumnHeaders() {}
    virtual void EllipsisClick(const QString& value, QString& result);
    virtual void BeforePaste() {}
    virtual void AfterPaste() {}
    virtual void GetSaveCellText(int ACol, int ARow, QString& value);
    virtual void LoadCellText(int ACol, int ARow, QString value);
    virtual void StartCellEdit(int ACol, int ARow);
    virtual bool QueryCanAddRow();
    virtual bool QueryCanInsertRow(int ARow);
    virtual void WindowMessageHook() {}
    virtual void ReservedHook1() {}
    virtual void ReservedHook2() {}
    virtual void MouseActionsChanged() {}
    virtual bool IsDesigningQuery() const { return designing; }
    virtual void MouseActionsInvalidate() { Invalidate(); }
    virtual void EditorKeyDown(int, Qt::KeyboardModifiers) {}
    virtual void NavigationChanged() {}
    virtual void CheckBoxChange(int ACol, int ARow, bool state);
    virtual void CellChanging(int newCol, int newRow, bool& allow);
    virtual bool CanShowFixedDropDown(int ACol);
    virtual void StartBlockFocus();
    virtual void EndBlockFocus();
    virtual void ExportNotification(TExportState, int) {}
    virtual void ImportNotification(int, int) {}

    // ---- version ------------------------------------------------------------------------------
    virtual unsigned GetVersionNr() const { return 0x06020103; }
    QString GetVersionString() const;
    QString Version() const;

    // ---- settings objects and lists ----------------------------------------------------------
    TFocusHelper& FocusHelper() { return *FFocusHelper; }
    TSearchFooter& SearchFooter() { return *FSearchFooter; }
    TPrintSettings& PrintSettings() { return *FPrintSettings; }
    THTMLSettings& HTMLSettings() { return *FHTMLSettings; }
    TNavigation& Navigation() { return *FNavigation; }
    TColumnSize& ColumnSize() { return *FColumnSize; }
    TCellNode& CellNode() { return *FCellNode; }
    TBands& Bands() { return *FBands; }
    TSizeWhileTyping& SizeWhileTyping() { return *FSizeWhileTyping; }
    TMouseActions& MouseActions() { return *FMouseActions; }
    TSyncGrid& SyncGrid() { return *FSyncGrid; }
    QStringList& ColumnHeaders() { return FColumnHeaders; }
    QStringList& RowHeaders() { return FRowHeaders; }
    QStringList& FilterList() { return FFilterList; }
    TIntList& IgnoreColumns() { return *FIgnoreColumns; }
    TSortIndexList& SortIndexes() { return FSortState->Indexes; }

    // ---- around the cells: focus frame, border colour, sizing lines, balloons, panning mark -----
    // (frame/GridFrame.cpp). The frame goes round Rect (viewport coordinates) while a cell is
    // edited; the application's window-position filter keeps FocusWindowGrid's frame on its cell.
    void ShowFocusWindow(TRect Rect);
    void MoveFocusWindow();
    void HideFocusWindow();
    // Asks for the border line over the frame; it is drawn with the frame's next paint.
    void PaintBorderColor();
    // A dotted XOR line; the same call again takes it away. Shown by the next paint.
    void DrawColSizingLine(int X);
    void DrawRowSizingLine(int Y);
    // What the balloon of the cell under a screen point shows: false when balloons are off.
    struct TCellBalloon {
        int ACol = -1, ARow = -1;
        QString Title, Text;
        int Icon = 1;
        int MaxTipWidth = 300;
        TColor TextColor = clNone, BackgroundColor = clNone;
    };
    bool CellBalloonRequest(QPoint screenPos, TCellBalloon& balloon);
    TPoint LastBalloonCell() const { return FLastBalloonCell; }
    // The in-place date picker's change (year, month or day 0: no date).
    void DateTimeChangeNotify(int Year, int Month, int Day, QTime Time);
    void PaintPanIndicator(QPainter& canvas);
    void InvalidatePanIndicator();
    QPoint PanOrigin() const { return wheelpanpos; }
    std::function<void(TQvStringGrid*, int ACol, int ARow, QString& ATitle, QString& AText, int& AIcon)> OnCellBalloon;
    std::function<void(TQvStringGrid*, int ACol, int ARow, TDateTime ADateTime)> OnDateTimeChange;

    // ---- controls in cells: inline CONTROL tags and attached controls ------------------------
    // Inline editing in edit/GridEdit/cellcontrols.cpp, the origin change and the attached
    // controls' upkeep in input/GridInput/origin.cpp.
    // Opens the editor of the text-input inline control after CtrlID in the cell's markup (the
    // first one for an empty CtrlID); with none left the grid takes the focus back.
    virtual void EditCellControl(int ACol, int ARow, const QString& CtrlID);
    // Places the inline edit (EDIT, PASSWORD, MASK) or combo (COMBO) over the control's
    // rectangle R (viewport coordinates) of cell (ACol, ARow); other types open nothing.
    void StartCellControlEdit(const QString& Markup, const QString& CtrlType, const QString& CtrlID,
                              const QString& CtrlValue, TRect R, int ACol, int ARow);
    // Writes the inline editor's text back as the control's VALUE and fires OnControlEditDone.
    void EndCellControlEdit();
    void ControlComboSelect(QObject* Sender);
    // Rebuilds the control list from the cells when asked, then puts every attached control
    // and the cell scroll bar over its cell (hidden when out of view).
    void CellControlsUpdate(bool RebuildList = false);
    virtual void ScrollOriginChanged();
    void TopLeftChanged() override;
    // The press on a markup cell's anchor or inline control (X, Y in the viewport); true when
    // the press was handled.
    bool PressOnMarkupCell(int ACol, int ARow, int X, int Y);
    int NumCellControls() const { return FNumCellControls; }
    // The inline control being edited: its cell (column, row), its ID and TYPE in the cell's
    // markup, and whether its editor is open.
    TPoint FCtrlXY{-1, -1};
    QString FCtrlID;
    QString FCtrlType;
    bool FCtrlEditing = false;
    bool FCtrlDown = false;              // a BUTTON control is held down at FCtrlXY
    int FNumCellControls = 0;            // cells with an attached control
    int FOldLeftCol = 0, FOldTopRow = 0; // the origin after the last change
    class TControlEdit* ControlEdit() const { return FEditControl; }
    class TControlCombo* ControlCombo() const { return FComboControl; }
    friend class TControlKeys; // Tab in an inline editor advances as Enter does
    std::function<void(TQvStringGrid*, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal, QStringList& Values, bool& Edit, int& DropCount)>
        OnControlComboList;
    std::function<void(TQvStringGrid*, int ARow, int ACol, const QString&CtrlID, const QString&CtrlType,
                       const QString&CtrlVal)>
        OnControlClick, OnControlEditDone;
    std::function<void(TQvStringGrid*, int ARow, int ACol, int ItemIndex, const QString& CtrlID,
                       const QString& CtrlValue)>
        OnControlComboSelect;
    // ---- end of controls in cells -------------------------------------------------------------
    TControlList& ControlList() { return FRowData->Controls; }
    TBitmap& RowIndicator() { return *FRowIndicator; }
    TGridFocusWindow* FocusWindow() const { return FFocusWindow; }
    TArrowWindow* ArrowWindow(TArrowDirection d) const { return arrows[d]; }
    const TFont& FixedFont() const { return FFixedFont; }
    const TFont& ActiveCellFont() const { return FActiveCellFont; }
    bool Designing() const { return designing; }

    // ---- plain settings (defaults as a new grid has them) -------------------------------------
    TColor SelectionColor = 0xEACAB6;
    TColor SelectionColorTo = clNone;
    TColor SelectionMirrorColor = clNone;
    TColor SelectionMirrorColorTo = clNone;
    TColor SelectionTextColor = 0;
    int SelectionColorMixerFactor = 50;
    TColor SelectionRectangleColor = 0;
    TColor HintColor = platform::clInfoBk;
    TColor HighlightColor = platform::clHighlight;
    TColor HighlightTextColor = platform::clHighlightText;
    TColor ActiveCellColor = 0x808080;
    TColor ActiveCellColorTo = clNone;
    bool ActiveCellShow = false;
    TColor DisabledFontColor = 0xC0C0C0;
    TColor URLColor = 0xFF0000;
    TColor BorderColor = 0xB99D7F;
    TColor ScrollColor = clNone; // written through SetScrollColor
    TGridLook Look = glXP;
    int MinRowHeight = 0, MaxRowHeight = 0, MinColWidth = 0, MaxColWidth = 0;
    int ScrollWidth = 0; // written through SetScrollWidth
    TPoint XYOffset{2, 2};
    int ZoomFactor = 0;
    QString XMLEncoding = QStringLiteral("ISO-8859-1");
    QString FilterDropDownClear = QStringLiteral("(All)");
    QString FloatFormat = QStringLiteral("%.2f");
    QString CheckTrue = QStringLiteral("Y");
    QString CheckFalse = QStringLiteral("N");
    QChar PasswordChar = QLatin1Char('*');
    QChar Delimiter = QChar(0);
    QString EditMask;
    THoverFixedCells HoverFixedCells = hfNone;
    TFilterDropDownColumns FilterDropDownColumns = fdNormal;
    TVAlignment VAlignment = vtaTop;
    TInvalidEntryIcon InvalidEntryIcon = ieWarning;
    TScrollType ScrollType = ssNormal;
    TScrollStyle ScrollBars = ssBoth;
    TEditorType DefaultEditor = edNormal;
    TEditorType EditControl = edNormal;
    // Switches on by default.
    bool ShowSelection = true, EnhRowColMove = true, UseDisabledFont = true, EnableWheel = true, IntelliZoom = true,
         LoadFirstRow = true, QuoteEmptyCells = true, EnableHTML = true, ShowNullDates = true, SaveFixedCells = true,
         SaveVirtCells = true, SaveWithHTML = true, AutoFilterUpdate = true, FilterNormalCellsOnly = true,
         ShowDesignHelper = true, UseInternalHintClass = true, FitCellsInGrid = true, ShowColNrs = true;
    // Switches off by default.
    bool AutoSize = false, SizeGrowOnly = false, HideFocusRect = false, FixedAsButtons = false, AlwaysQuotes = false,
         SaveFixedRows = false, SaveFixedCols = false, SaveHiddenCells = false, ExcelClipboardFormat = false,
         JavaCSV = false, ClearTextOnly = false, FilterIncremental = false, FilterDropDownAuto = false,
         IntegralHeight = false, SaveWithRTF = false, SelectionRTFKeep = false, OemConvert = false;
    // Cell hints: what a hint over a cell shows and where (input/GridInput/hints.cpp).
    enum THintShowLargeTextPos { hpCell, hpCursor };
    bool HintShowCells = false, HTMLHint = false, HintShowLargeText = false, AnchorHint = false, HintShowSizing = false;
    THintShowLargeTextPos HintShowLargeTextPos = hpCell;
    // The window's design switch: a grid without it shows no hints at all.
    bool ShowHint = true;
    // One composed hint: Pos in viewport coordinates; InternalWindow when the grid's own markup
    // hint window shows it (markup or wide-coded text).
    struct TCellHint {
        QString Text;
        QPoint Pos;
        TColor Color = platform::clInfoBk;
        int MaxWidth = 0;
        bool InternalWindow = false;
    };
    TCellHint ComposeCellHint(QPoint cursor);
    // The pointer left the grid: armed zones and hover looks are cleared.
    void HandleMouseLeave();
    TPoint LastHintPos() const { return FLastHintPos; }
    // Indexes (-1: none).
    int FilterCol = -1, FHoverFixedX = -1, FHoverFixedY = -1, FLastTabCol = -1, FLastTabRow = -1, FComboIdx = -1;
    TPoint FPushedCellButton{-1, -1};
    // Cell (real column) whose button or expand glyph the pointer is over; drawn hot.
    TPoint FHoverButton{-1, -1};
    bool FUseVCLStyles = false;
    int FNumNodes = 0;
    QString IncrSearchText;
    int SearchTics = 0;
    // One tick of the grid timer (every 500 ms while the window exists): the incremental
    // search text is forgotten on the fourth tick without typing.
    void GridTimerTick();

    // ---- events ----------------------------------------------------------------------------
    TRowColBoolEvent OnCanEditCell;
    TSearchFooterActionEvent OnSearchFooterAction;
    TColRowEvent OnButtonClick;
    TExpandClickEvent OnExpandClick;
    TRowColEvent OnComboCloseUp;
    TRowColEvent OnComboDropDown;
    TCellsChangedEvent OnCellsChanged;
    TGridHintEvent OnGridHint;
    // Anchors of markup cells under the pointer: entered, left, and the hint an anchor shows.
    std::function<void(TQvStringGrid*, int ARow, int ACol, const QString&Anchor)> OnAnchorEnter, OnAnchorExit;
    std::function<void(TQvStringGrid*, int ARow, int ACol, QString& Anchor)> OnAnchorHint;
    TGridColorEvent OnGetCellColor;
    // A cell's fill as a gradient (colour, end colour, mirror pair, direction), after its colour.
    TGridGradientEvent OnGetCellGradient;
    TGridColorEvent OnGetCellPrintColor;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderEvent OnGetCellPrintBorder;
    TGridAlignEvent OnGetAlignment;
    TGridFormatEvent OnGetFormat;
    TGetEditorTypeEvent OnGetEditorType;
    TRowColBoolEvent OnIsFixedCell;
    TRowColBoolEvent OnIsPasswordCell;
    TColRowBoolEvent OnGetWordWrap;
    TColRowBoolEvent OnHasComboBox;
    TColRowBoolEvent OnHasSpinEdit;
    TGetCheckEvent OnGetCheckTrue;
    TGetCheckEvent OnGetCheckFalse;
    TGetColumnFilterEvent OnGetColumnFilter;
    TRowUpdateEvent OnRowUpdate;
    TRowDisjunctSelectEvent OnRowDisjunctSelect;
    TRowEvent OnRowDisjunctSelected;
    std::function<void(TQvStringGrid*, int ACol)> OnClickSort;
    TCheckBoxClickEvent OnCheckBoxClick;
    TCheckBoxClickEvent OnCheckBoxChange;
    std::function<void(TQvStringGrid*)> OnFilterDone;
    std::function<void(TQvStringGrid*, int ACol, int& width)> OnUpdateColumnSize;
    std::function<void(TQvStringGrid*, int ACol, int ARow, QString& value)> OnEllipsClick;
    std::function<void(TQvStringGrid*, int ACol, int ARow, QString& value)> OnSaveCell;
    std::function<void(TQvStringGrid*, int ACol, int ARow, QString& value)> OnLoadCell;
    std::function<void(TQvStringGrid*, bool& canAdd)> OnCanAddRow;
    std::function<void(TQvStringGrid*, int ARow, bool& canInsert)> OnCanInsertRow;
    std::function<void(TQvStringGrid*, int oldRow, int newRow, bool& allow)> OnRowChanging;
    std::function<void(TQvStringGrid*, int oldCol, int newCol, bool& allow)> OnColChanging;
    std::function<void(TQvStringGrid*, int oldRow, int oldCol, int newRow, int newCol, bool& allow)> OnCellChanging;
    std::function<void(TQvStringGrid*, int ACol, bool& canShow)> OnCanShowFixedDropDown;
    std::function<void(TQvStringGrid*)> OnStartBlockFocus;
    std::function<void(TQvStringGrid*)> OnEndBlockFocus;
    std::function<void(TQvStringGrid*, int ACol, int ARow, QString& value)> OnGetEditMask;
    std::function<void(TQvStringGrid*)> OnGridResize;

    // ---- text measuring, formatted cell text and rich-text cells (QvGrid/text.cpp) ---------------
    // The size the cell's text needs (ACol real): with VS wrapped within the cell's width, with
    // SB 17 pixels kept free at the right for the cell's scroll bar.
    QSize GetCellTextSize(int ACol, int ARow, bool VS, bool SB);
    QSize CalcCellTextSize(int ACol, int DisplCol, int ARow, bool VS, bool SB);
    // The cell's text as shown: numbers through the float format when OnGetFloatFormat asks for
    // it; any conversion error leaves the stored text.
    virtual QString GetFormattedCell(int ACol, int ARow);
    // The cell's number in format: the integer value for a format holding "d", else the float
    // value; raw when the cell holds no such number or the format takes no such value.
    QString FormatCellNumber(int ACol, int ARow, const QString& format, const QString& raw) const;
    // The text of a formula cell; the string grid has no formulas and answers the cell's text.
    // Filtering (fcCalculated), alignment, painting and measuring read it.
    virtual QString GetFormulaCellText(int ACol, int ARow) { return Cells(ACol, ARow); }
    // Draws the rich-text cell into Rect of Canvas (logical coordinates of the canvas).
    void RenderRichCell(int ACol, int ARow, const TRect& Rect, QPainter& Canvas);
    // The hidden rich-edit control, created on first use.
    TQvRichEdit* RichEdit();
    // Loads the cell's rich text into the rich editor.
    void CellToRich(int ACol, int ARow, TQvRichEdit* richEdit);
    // The rich editor's content as the text a rich cell stores (RTF).
    QString RichToString(TQvRichEdit* richEdit) const;
    // The editor of edCustom cells; nil: such cells open nothing.
    QPointer<class TEditLink> EditLink;
    // Keeps Tab in an in-place link's control under goTabs (the link installs it).
    QObject* EditLinkFilter();
    // The in-place editor of edRichEdit cells, made on first use.
    TQvRichEdit* InplaceRichEdit();
    // The cell's font for measuring (col displayed, realCol real), brush and state as the
    // colour hook leaves them.
    void GetFontProperties(int col, int realCol, int row, TGridDrawState& state, TFont& font, TBrush& brush);
    // The grid's own hint window; the scroll-position hint shows in it.
    THTMLHintWindow* ScrollHintWindow() const { return FScrollHintWnd; }
    std::function<void(TQvStringGrid*, int ACol, int ARow, bool& IsFloat, QString& FloatFormat)> OnGetFloatFormat;

    // ---- filtering (filter/filter.cpp, filter/filterlists.cpp) ---------------------------------
    TFilter& Filter() { return *FFilter; }
    bool FilterActive() const { return FFilterActive; }
    void SetFilterActive(bool V);
    virtual bool RowMatchesFilter(int ARow);
    // Hides the displayed rows that fail as one new level (also when none fails).
    void ApplyFilter();
    // Hides the displayed row alone when it fails, outside the levels.
    void FilterRow(int ARow);
    // True while more than one level remains after taking the last one back.
    bool RemoveLastFilter();
    void RemoveAllFilters();
    // A level per typed character on AColumn (-1: the whole row); a shorter text takes one back.
    void NarrowDown(const QString& ACondition, int AColumn = -1);
    // The drop-down's picks: one item of the plain list, or the ticks of the check list.
    virtual void FilterDropDownSelect(int ItemIndex);
    virtual void ApplyCheckedFilterValues();
    void FilterListSelected(int ItemIndex) { FilterDropDownSelect(ItemIndex); }
    void FilterListChecked() { ApplyCheckedFilterValues(); }
    int FilterDropDownRow() const { return FPaintSettings.FilterDropDownRow; }
    void SetFilterDropDownRow(int v);
    void SetFilterDropDownAuto(bool v);
    TFilterDropDown& FilterDropDown() { return *FFilterDropDown; }
    const TFilterDropDown& FilterDropDown() const { return *FFilterDropDown; }
    TDropList& FilterDropList() { return *FDropList; }
    TDropCheckList& FilterDropCheckList() { return *FDropCheckList; }
    // A mouse-up at (X, Y) of the viewport: opens the drop-down of a filter-row button, closes
    // an open one anywhere else or on its own button; true when it opened one.
    bool FilterMouseUp(int X, int Y);
    // Opens the drop-down of real column ACol when the column has a value list.
    bool ShowFilterDropDown(int ACol);
    void HideFilterDropDown();
    bool FilterDropDownCheck = false;
    std::function<void(TQvStringGrid*, int ARow, bool& AcceptRow)> OnCustomFilter;
    std::function<void(TQvStringGrid*, short progress)> OnFilterProgress;
    std::function<void(TQvStringGrid*, int Column, int ItemIndex, const QString& FriendlyName,
                       QString& FilterCondition)>
        OnFilterSelect;
    std::function<void(TQvStringGrid*, int Column, int ItemIndex, const QString& FriendlyName, QString& FilterCondition,
                       TDropCheckList& CheckList)>
        OnFilterCheck;

private:
    void createFilter();
    bool filterColumnValid() const;
    void setOneCondition(const QString& ACondition, int AColumn);
    std::unique_ptr<TFilter> FFilter;
    std::unique_ptr<TFilterDropDown> FFilterDropDown;
    TDropList* FDropList = nullptr; // child widgets, owned through Qt
    TDropCheckList* FDropCheckList = nullptr;
    bool FFilterActive = false;
    int FFilterFixedRows = 0;
    QString FLastFilter;

public:
    // ---- painting ----
    // The content painter and the paint cycle go to the grid's painter (paint/GridPaint.h),
    // which reads the grid's paint switches.
    TGridPainter& Painter();
    TGridPaintSettings& PaintSettings() { return FPaintSettings; }
    TBackGround& BackGround() { return FPaintSettings.BackGround; }
    TSortSettings& SortSettings() { return FPaintSettings.SortSettings; }
    TControlLook& ControlLook() { return FPaintSettings.ControlLook; }
    // The vendor look's fixed-cell gradient (kept in the look store, written also by the
    // control look's FixedGradient colours).
    TColor VLXGradientFrom() const;
    void SetVLXGradientFrom(TColor c);
    TColor VLXGradientTo() const;
    void SetVLXGradientTo(TColor c);
    TColor VLXGradientMirrorFrom() const;
    void SetVLXGradientMirrorFrom(TColor c);
    TColor VLXGradientMirrorTo() const;
    void SetVLXGradientMirrorTo(TColor c);
    TGridProgressAppearance& ProgressAppearance();
    void PaintCellContent(QPainter& canvas, int col, int row, TRect& rect, TGridDrawState state) override;
    virtual void PaintGridCell(QPainter& canvas, int ACol, int ARow, TRect& ARect, TGridDrawState AState);
    std::function<void(TQvStringGrid*, QPainter&canvas, int ACol, int ARow, TGridDrawState, const TRect&,
                       bool printing)>
        OnCustomCellBkgDraw, OnCustomCellDraw;
    std::function<void(TQvStringGrid*, int ARow, int ACol, TPen& leftPen, TPen& topPen, TPen& rightPen,
                       TPen& bottomPen)>
        OnGetCellBorderProp;
    std::function<void(TQvStringGrid*)> OnPainted;

    // ---- printing (print/GridPrint.h) ----
    TGridPrinter& Printer();
    // A font height in 0.1 mm for a point size, scaled by the printer's Fontscalefactor.
    int MapFontHeight(int pointsize);
    static int MapFontSize(int height);
    // The printed (Printing) size of a cell in 0.1 mm (X width, Y height); may be changed.
    std::function<void(TQvStringGrid*, QPainter& canvas, int ACol, int ARow, TPoint& ASize, bool printing)>
        OnCustomCellSize;
    std::function<void(TQvStringGrid*, int PageNum, int PageColNum, QString& PageNumString)> OnPrintGetPageNum;
    std::function<void(TQvStringGrid*, int ARow, int& Height)> OnPrintSetRowHeight;
    // The page layout (print/layout.cpp): whole grid, a rectangle, the selection, selected only.
    void Print();
    void PrintRect(const TGridRect& gridRect);
    void PrintSelection();
    void PrintSelectedRows();
    void PrintSelectedCols();
    void PrintPreview(QPainter& canvas, const TRect& displayRect);
    void PrintPreviewRect(QPainter& canvas, const TRect& displayRect, const TGridRect& gridRect);
    void PrintPreviewSelection(QPainter& canvas, const TRect& displayRect);
    void PrintPreviewSelectedRows(QPainter& canvas, const TRect& displayRect);
    void PrintPreviewSelectedCols(QPainter& canvas, const TRect& displayRect);
    void PrintDraw(QPainter& canvas, const TRect& drawRect);
    void PrintDrawRect(QPainter& canvas, const TRect& drawRect, const TGridRect& gridRect);
    void SetPreviewPage(int page);
    // Small routines that live with printing: the cell's text margins (XYOffset, doubled unless
    // XYOffsetTopLeftOnly), the largest line count of a row's cells (1 without Multilinecells)
    // and a repaint of the cells between two corners.
    int TotalXOffset() const;
    int TotalYOffset() const;
    int MaxLinesInRow(int ARow);
    void InvalidateCellRange(const TGridRect& rect);
    std::function<void(TQvStringGrid*, int NrOfPages, int& FromPage, int& ToPage)> OnPrintStart;
    std::function<void(TQvStringGrid*, QPainter& canvas, int PageNr, int PageXSize, int PageYSize)> OnPrintPage;
    std::function<void(TQvStringGrid*, int ARow, bool& NewPage)> OnPrintNewPage;
    std::function<void(TQvStringGrid*, QPainter& canvas, int LastRow, int LastRowOffset, int LastPage, int PageXSize,
                       int PageYSize)>
        OnPrintPageDone;
    std::function<void(TQvStringGrid*, int PageNr, bool& Cancel)> OnPrintCancel;
    std::function<void(TQvStringGrid*, int ACol, int& Width)> OnPrintSetColumnWidth;
    std::function<void(TQvStringGrid*, double& ScaleFactor, bool& Allow)> OnFitToPage;
    // Skips the counting run (the page count is then the largest integer).
    bool FastPrint = false;
    // Pictures of markup cells (markup/RizIVUDE.h): the "IDX:n" image list and the named
    // pictures, both the application's, and the pictures given by URL, kept between paints.
    TCustomImageList* GridImages = nullptr;
    TPictureContainer* PictureContainer = nullptr;
    THTMLPictureCache& ImageCache() { return FImageCache; }
    virtual TCustomImageList* GetCellImageList(int ACol, int ARow);
    // Hooks beside the painter that the editing, navigation and filter code call.
    virtual void GetFixedCellEditor(int ACol, int ARow, TGridFixedCellEditor& AEditor, QStringList& Values);
    virtual void SelectionChangedNotify(int ALeft, int ATop, int ARight, int ABottom);
    virtual void InsertRowAt(int ARow);
    virtual void DeleteRowAt(int ARow);
    virtual void FilterDoneNotify();
    std::function<void(TQvStringGrid*, int ALeft, int ATop, int ARight, int ABottom)> OnSelectionChanged;
    std::function<void(TQvStringGrid*, int ACol, int ARow, TGridFixedCellEditor& AEditor, QStringList& Values)>
        OnFixedEdit;
    std::function<void(TQvStringGrid*, int ARow)> OnAutoDeleteRow;

protected:
    void Paint() override;

private:
    TGridPaintSettings FPaintSettings{this}; // declared first: the painter refers to it
    std::unique_ptr<TGridPainter, TGridPainterDeleter> FPainter;
    std::unique_ptr<TGridPrinter, TGridPrinterDeleter> FPrinter;
    THTMLPictureCache FImageCache;
    // ---- end of painting ----

protected:
    void KeyPress(QChar& key) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Disabled rows are skipped (once any row's state was written), then the changing events
    // may refuse the move, then the base decision.
    bool AllowCellSelect(int col, int row) override;
    bool IsEditable(int ACol, int ARow);
    // The platform's moved hooks: ColumnMovedUpdate and RowMovedUpdate.
    void ColumnMoved(int fromIndex, int toIndex) override;
    void RowMoved(int fromIndex, int toIndex) override;

private:
    void growRowSelect(int ARow);
    void growColSelect(int ACol);
    // The incremental search: the first row whose text in the sort column starts with s
    // (upper case), -1 when none.
    int Search(const QString& s);

    QTimer* gridTimer = nullptr;
    bool designing = false;
    bool loading = false;
    bool destroying = false;

    std::unique_ptr<TFocusHelper> FFocusHelper;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    std::unique_ptr<TPrintSettings> FPrintSettings;
    std::unique_ptr<THTMLSettings> FHTMLSettings;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TColumnSize> FColumnSize;
    std::unique_ptr<TCellNode> FCellNode;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TSyncGrid> FSyncGrid;
    // Set while this grid hands a change to its coupled grid, so a grid coupled back to this
    // one does not hand it back again.
    bool FSyncPassing = false;
    void passToSyncGrid(const std::function<void(TStringGrid&)>& pass);
    QStringList FColumnHeaders;
    QStringList FRowHeaders;
    QStringList FLookupItems;
    QStringList FFilterList;
    QStringList Sortlist;
    std::unique_ptr<TIntList> FOrigColSizes, FMergedColumns, FSelectedCells, FColumnOrder, FIgnoreColumns;
    std::unique_ptr<TSortState> FSortState; // sort/GridSort.h
    std::unique_ptr<TRowSideData> FRowData; // the lists kept by real row, store/RowSideData.h
    std::unique_ptr<TBitmap> FRowIndicator;
    std::unique_ptr<TCellGraphic> FCellGraphic; // the shared graphic of row check boxes
    TFont FFixedFont;
    TFont FActiveCellFont;
    std::vector<char> FColSelect;
    TGridFocusWindow* FFocusWindow = nullptr; // child window, owned through Qt
    TFooterPanel* FFooterPanel = nullptr;     // child widget, owned through Qt
    TPoint FLastBalloonCell{-1, -1};
    std::vector<std::pair<bool, int>> FSizingLines; // (vertical, place) of the XOR lines shown
    void paintAroundCells(QPainter& canvas);
    void toggleSizingLine(bool vertical, int at);
    void paintBorderLines(QPainter& canvas);
    void startFocusFrame();
    TArrowWindow* arrows[4] = {nullptr, nullptr, nullptr, nullptr};
    QScrollBar* FScrollBar = nullptr;      // the cell scroll bar and its painting twin, hidden
    QScrollBar* FPaintScrollBar = nullptr; // until a scroll-bar cell needs them
    int FScrollCol = -1, FScrollRow = -1;  // cell (real column) the shared cell scroll bar serves
    void placeCellScrollBar(int ACol, int ARow);
    void connectCellScrollBar();
    void cellScrollBarMoved(int position);
    void applyCellCursor(int X, int Y, int ACol, int ARow);
    Qt::CursorShape FOldCursor = Qt::ArrowCursor; // the grid's own cursor (Cursor)
    bool FUseHTMLHints = false;

    bool FFixedRowAlways = false;
    bool FFixedColAlways = false;
    int FFixedRowsMin = 0;
    int FFixedColsMin = 0;
    int FFixedFooters = 0;
    int FFixedRightCols = 0;
    bool FWordWrapEx = true;
    int FFixedRowHeight = 0;
    TAlignment FDefaultAlignment = taLeftJustify;
    int FMaxRowCount = 0;
    int FMaxColCount = 0;
    int FUpdateCount = 0;
    int FNumHidden = 0;

public:
    // One hidden row: its real index (also for rows a filter level hid), height, filter level
    // (-1 for rows hidden outside filtering), and one text and cell object per real column (the
    // objects are the store's while the row is hidden).
    // A row in the hidden-row store (store/HiddenRows.h).
    using TGridItem = grid::TGridItem;
    // The hidden-row store, ascending by real index.
    const THiddenRowStore& GridItems() const { return FGridItems; }

private:
    std::array<bool, MaxHideColumns + 1> FVisibleCol;
    std::array<short, MaxHideColumns + 1> FAllColWidths{};
    THiddenRowStore FGridItems;
    // Structure upkeep (QvGrid/structure.cpp, moves.cpp, columnorder.cpp).
    TGridRect FOldSelection{};
    bool FSelHidden = false;
    bool FRowsBeingHidden = false;              // RemoveRowsEx takes rows the hidden-row store now holds
    class TGridTransEdit* FTransEdit = nullptr; // child widget, owned through Qt
    class TControlEdit* FEditControl = nullptr; // child widget, owned through Qt
    TQvRichEdit* FRichEdit = nullptr;           // child widget, owned through Qt; made on first use
    std::vector<QPointer<TGridChangeNotifier>> FNotifierList;
    TQvRichEdit* FInplaceRichEdit = nullptr; // child widget, owned through Qt; made on first use
    friend class TQvRichEdit;
    friend class TEditLink;
    // Set when the user left a custom editor's popup: the focus change that causes is ignored
    // once, then InvokedFocusChange is cleared again.
    bool FInvokedByPopupExit = false;
    std::unique_ptr<QObject> FEditLinkFilter;
    THTMLHintWindow* FScrollHintWnd = nullptr;    // child window, owned through Qt
    class TControlCombo* FComboControl = nullptr; // child widget, owned through Qt
    class TGridTransCombo* FTransCombo = nullptr; // child widget, owned through Qt
    std::vector<int> realRowsOf(const std::vector<int>& displRows) const;
    void removeRowList(const std::vector<int>& rows, bool freeObjects, std::vector<TControlItem>* taken = nullptr);
    void applyColumnLayout(const std::vector<bool>& visible, const std::vector<int>& widths);
    void columnLayout(std::vector<bool>& visible, std::vector<int>& widths) const;
    void restoreCurrentRow(int oldRow, int oldTop);
    void clearBlock(int c1, int r1, int c2, int r2, bool mapColumns);
    void moveColumnOrderEntry(int fromReal, int toReal);
    int FFilterLevel = 0;
    std::unique_ptr<TGridItem> takeRow(int displRow, int realRow);
    void putRow(int displRow, TGridItem& item);
    void showEntries(std::vector<std::unique_ptr<TGridItem>>& entries);
    void freeHiddenRowObjects();
    TCellGraphic* checkGraphic(int ACol, int realRow);
    void setNodeLevels(int displRow, int span, int delta);
    int nodeRangeEnd(int displRow, int span);
    int FVAlignFlag = 0;
    std::unique_ptr<TGridLookState> FLookState;
    bool FAutoThemeAdapt = false;
    void applyDesktopTheme();
    void registerThemeWindow(bool on);
    void pullLook();
    void pushLook();
    int FOldRowSel = -1; // the row last reported by OnRowUpdate
    // OnRowUpdate for a new row; the reported row follows only while a handler listens.
    void reportRowUpdate(int newRow);
    void repaintRowIndicators(int targetRow);
    bool FUseEnabledRows = false;
    bool FSelChange = false;
    bool FEditing = false;
    bool FDisableChange = false;
    int FStartEditCol = -1, FStartEditRow = -1;
    bool FStartEditModified = false;
    bool FModified = false;
    bool FEditDisable = false;
    QString FCellCache;

    // ---- in-place editing ----
    // Editability and editor choice, special editor placement, the store of an editor's value
    // and the end of an edit, the select-cell decision's editing switch, cell validation.
public:
    bool EditMode = false;       // an editor (text or special) is open on the current cell
    bool FSpecialEditor = false; // the open editor is a special control
    bool FEditActive = false;    // a special editor is in use; its end is signalled
    bool FValidating = false;    // a validation runs: no editor opens, no second validation
    bool FNoEditChange = false;  // the grid itself loads the editor's text
    bool FShowEditProcess = false;
    bool FEntered = false;
    bool FLastValidation = true;
    bool FBlockKill = false;  // an editor is being closed
    bool FBlockFocus = false; // DoneInplaceEdit gives the focus back to the grid
    bool InvokedFocusChange = false;
    bool FEditChange = false;    // the select decision switched editing on or off for one cell
    bool FNoAutoAdvance = false; // a refused Enter, Up or Down: the grid does not move on
    bool LButFlg = false;        // the editor was opened by a click
    bool AlwaysValidate = false;
    bool FGridModified = false;
    bool ExcelStyleDecimalSeparator = false;
    bool Lookup = false;
    bool LookupCaseSensitive = false;
    bool LookupHistory = false;
    QChar FStartEditChar;
    int MaxComboLength = 0;
    // The control look's drop-down settings for the combo editor (count of visible items,
    // list open whenever a combo cell is current); a column grid sets the count per column.
    int DropDownCount = 8;
    bool DropDownAlwaysVisible = false;
    QString ValidChars;
    std::vector<bool> ValidCharSet = std::vector<bool>(256, false); // codes 0..255 typed in edValidChars
    QString FEditText;
    QString FOldCellText;
    QString FNewCellText;
    int FOldCol = -1, FOldRow = -1;
    bool FOldModifiedValue = false;
    QString InvalidEntryTitle, InvalidEntryText;
    class VAviDadoraVidoRavad* CellChecker = nullptr; // not owned
    QWidget* EditCtrl = nullptr;                      // the open special editor, nullptr for text
    QStringList& LookupItems() { return FLookupItems; }

    class TGridCombo* EditCombo();
    class TQvInplaceEdit* InplaceEdit() const { return FQvInplaceEdit; }
    // The special editors, each created on first use, hidden and disabled between edits.
    class TGridSpin* SpinEdit();
    class TGridEditBtn* EditBtn();
    class TGridUnitEditBtn* UnitEditBtn();
    class TGridCheckBox* EditCheck();
    class TGridButton* GridButton();
    class TGridDatePicker* GetEditDate();
    class TGridDatePicker* DateTimePicker() { return GetEditDate(); }
    class TGridDateTimePicker* DateAndTimePicker();
    // Whether an editor exists yet (the readers create them).
    bool HasEditor(TEditorType kind) const;
    bool CanEditNonFixedCell(int ACol, int ARow);
    bool AllowEditorShow();
    bool EditorWantsTab();
    virtual int InplaceEditLimit();
    void ShowSpecialEditor(int ACol, int ARow);
    void ShowInplaceEdit();
    void HideInplaceEdit();
    void ShowCellEdit();
    void HideCellEdit();
    void Select();
    void DoneInplaceEdit(int Key, Qt::KeyboardModifiers Shift);
    void SignalEditDone(int ACol, int ARow);
    void StoreEditText(int ACol, int ARow, const QString& Value);
    void StoreEditorValue(int ACol, int ARow);
    void RevertCellEdit();
    void SaveOldCellValue(int ACol, int ARow);
    QString CurrentCellText();
    void StoreCurrentCellText(const QString& Value);
    void SetComboSelection(int Index) { FComboIdx = Index; }
    virtual bool ValidateCell(const QString& NewValue);
    // The same for a cell holding wide text (edit/GridEdit/validatewide.cpp).
    virtual bool ValidateCellWide(const QString& NewValue);
    // The two endings ValidateCell and ValidateCellWide share.
    void storeValidatedValue(int ACol, int ARow, const QString& stored);
    void reopenRefusedValue(int ACol, int ARow, const QString& restored, const QString& shown);
    virtual void GetEditorProp(int ACol, int ARow, void* AEditLink);
    // A column grid loads the combo editor from the edited column's definition.
    virtual void LoadEditorFromColumn(int ACol, int ARow)
    {
        (void)ACol;
        (void)ARow;
    }

    std::function<void(TQvStringGrid*)> OnEditingDone;
    TColRowEvent OnEditCellDone;
    std::function<void(TQvStringGrid*, int ACol, int ARow, QString& Value, bool& Valid)> OnCellValidate;
    std::function<void(TQvStringGrid*, int ACol, int ARow, QString& Value, bool& Valid)> OnCellValidateWide;
    std::function<void(TQvStringGrid*, int ACol, int ARow, int AItemIndex, const QString& ASelection)> OnComboChange;
    std::function<void(TQvStringGrid*, int ACol, int ARow, const QString& Value)> OnEditChange;
    // The colour and image drop-down editors' value on its way into the cell; may change it.
    std::function<void(TQvStringGrid*, int ACol, int ARow, TColor& Color, QString& Value)> OnColorSelected;
    std::function<void(TQvStringGrid*, int ACol, int ARow, int& Index)> OnImageSelected;
    // Bar-button clicks in a drop-down editor's popup: current column and row, button index.
    std::function<void(TQvStringGrid*, int ACol, int ARow, int ButtonIndex)> OnDropDownHeaderButtonClick;
    std::function<void(TQvStringGrid*, int ACol, int ARow, int ButtonIndex)> OnDropDownFooterButtonClick;
    void DropDownHeaderButtonClicked(int ButtonIndex);
    void DropDownFooterButtonClicked(int ButtonIndex);
    // The drop-down editor of a kind, nullptr until its first use.
    class TGridDropDownEditor* DropDownEditor(TEditorType kind) const;
    std::function<void(TQvStringGrid*, int ACol, int ARow, void* AEditLink)> OnGetEditorProp;
    // Column in the first, row in the second coordinate parameter.
    std::function<void(TQvStringGrid*, int ARow, int ACol, void* AEditLink)> OnGetEditorPropInt;
    // Spin buttons and page keys of the spin editor: the value after the step, up or down.
    std::function<void(TQvStringGrid*, int ACol, int ARow, int Value, bool UpDown)> OnSpinClick;
    std::function<void(TQvStringGrid*, int ACol, int ARow, double Value, bool UpDown)> OnFloatSpinClick;
    std::function<void(TQvStringGrid*, int ACol, int ARow, TDateTime Value, bool UpDown)> OnDateSpinClick;
    std::function<void(TQvStringGrid*, int ACol, int ARow, TDateTime Value, bool UpDown)> OnTimeSpinClick;
    std::function<void(TQvStringGrid*, int ACol, int ARow, const QString& Unit)> OnUnitChanged;
    // Pastes into the button editors: Allow starts true; the cell handler may change the text.
    std::function<void(QObject* Sender, bool& Allow)> OnClipboardPaste;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value, bool& Allow)> OnClipboardBeforePasteCell;
    std::function<void(TQvStringGrid*, int& Key, Qt::KeyboardModifiers Shift)> OnKeyUp;
    // Converts a date cell's text for the date editor; ADate arrives as now.
    std::function<void(TQvStringGrid*, const QString& Value, TDateTime& ADate)> OnCustomStrToDate;
    // A click on an always-visible spin button that started the edit, replayed on the editor.
    bool FSpinUpClick = false;
    bool FSpinDnClick = false;
    // The date-and-time cell's value when its editor opened; Escape goes back to it.
    TDateTime FOriginalDateTime = 0;

    // The grid's reactions to gaining and losing the focus.
    void HandleSetFocus();
    void HandleKillFocus(QFocusEvent* e);
    void EnterGrid();
    void ExitGrid();

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool CanEditShow() const override;
    TInplaceEdit* CreateEditor() override;
    QString GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const QString& value) override;
    bool SelectCell(int col, int row) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;

private:
    friend class TQvStringGridEditHost;
    struct TEditHostDeleter {
        void operator()(class TGridEditHost* h) const; // the adapter is complete only in GridEdit
    };
    TGridCombo* FEditCombo = nullptr; // child widget, owned through Qt
    TGridSpin* FEditSpin = nullptr;   // the special editors: child widgets, owned through Qt
    TGridEditBtn* FEditBtn = nullptr;
    TGridUnitEditBtn* FUnitEditBtn = nullptr;
    TGridCheckBox* FEditCheck = nullptr;
    TGridButton* FGridButton = nullptr;
    TGridDatePicker* FEditDate = nullptr;
    TGridDateTimePicker* FEditDateTime = nullptr;
    TQvInplaceEdit* FQvInplaceEdit = nullptr; // child widget, owned through Qt
    // The drop-down editors (child widgets), created on first use through the editor registry;
    // before the host, whose teardown detaches them.
    std::map<TEditorType, class TGridDropDownEditor*> FDropDownEditors;
    // After the editors: it goes first in the teardown and detaches them from the grid.
    std::unique_ptr<class TGridEditHost, TEditHostDeleter> FEditHost;
    bool FMovingBack = false;
    TGridEditHost* editHost();
    void showInvalidEntryTip();
    // Placement and loading of the special editors other than the combo, one per family.
    void showSpinEditor(int realCol, int ARow, const TRect& r, int w, int h, TColor color, QChar typed);
    void showComboEditor(int realCol, int ARow, const TRect& r, int w, int h, TColor color, QChar typed);
    void showCheckEditor(const TRect& r, int w, int h, TColor color);
    void showButtonControl(const TRect& r, int w, int h);
    void showButtonEditor(int realCol, int ARow, const TRect& r, int w, int h, TColor color, QChar typed);
    void showDateEditor(int realCol, int ARow, const TRect& r, int w, int h, TColor color, QChar typed);
    void showDateTimeEditor(int realCol, int ARow, const TRect& r, int w, int h, TColor color);
    void showCustomEditor(int realCol, int ARow, const TRect& r, TColor color, QChar typed);
    void showRichEditor(int realCol, int ARow, const TRect& r, int w, int h, TColor color, QChar typed);
    // The store step's parts: the spin value by its kind, and a special editor put away.
    void storeSpinValue(int realCol, int ARow);
    void closeEditor(QWidget* editor, QWidget* companion = nullptr);
    class TGridDropDownEditor* dropDownEditor(TEditorType kind);
    void showDropDownEditor(int realCol, int ARow, const TRect& r, int w, int h, TColor color, QChar typed);
    void storeDropDownValue(int realCol, int ARow);
    // ---- end of in-place editing ----

    // ---- mouse, keyboard, scrolling ----
    // Key-down handling and navigation keys, command keys, Tab and Enter navigation, the left
    // and right button, double click, wheel, update lock, scrolling, sizing, footer calculation
    // and the combo item list; implemented in input/GridInput/*.cpp.
public:
    // Keys. HandleKeyDownMessage answers true when it consumed the key.
    bool HandleKeyDownMessage(QKeyEvent* e);
    void KeyUpInGrid(int Key, Qt::KeyboardModifiers Shift);
    bool IsOnLastRow() const;
    void AppendRowOnArrowDown();
    void AdvanceToNextCell(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Recursive, bool DoEdit);
    bool TabNavigate(bool backward);
    bool IsTabStopCell(int ACol, int ARow);
    int FirstTabStopCol(int ARow);
    int LastTabStopCol(int ARow);
    virtual void TabWrapToFirstRow();
    void SelectAllCells();
    void InsertRowByKey();
    void DeleteRowByKey();
    // Mouse. The left press runs its stages (input/GridInput/press.cpp); it answers 1 when a
    // selection resize started, else 0. The release, right button and double click: below.
    int HandleLeftButtonDown(QMouseEvent* e);
    void SimulateCellClick(int ACol, int ARow);
    void HandleRightButtonDown(QMouseEvent* e);
    // Buttons in cells (ACol real): where the painter placed the button, and its pushed look.
    TRect GetButtonRect(int ACol, int ARow);
    void PushButton(int ACol, int ARow, bool pushed);
    // Scrolling while something is dragged near the grid's edges (the drag code calls it).
    TDragScrollOptions DragScrollOptions; // dragdrop/GridDragDrop.h
    enum TDragScrollDirection : unsigned { dsdUp = 1, dsdDown = 2, dsdLeft = 4, dsdRight = 8 };
    enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
    void DragOverGrid(int X, int Y, TDragState State);
    void DragScrollTick();
    unsigned DragScrollDirection() const { return FDragScrollDirection; }
    const QTimer* DragScrollTimer() const { return FDragTmr; }
    std::function<void(TQvStringGrid*, int TopRow, int LeftCol, unsigned& Dir, bool& CanScroll)> OnDragScroll;
    bool IsOnSizingBorder(int X, int Y) const;
    bool IsAtSizingBorder(int X, int Y) const;
    std::optional<bool> sizingBorderHalf(TGridAxisKind k, TPoint pointer, TPoint cell, bool withFirstNormal) const;
    // The platform services the owning window hands over; the shell among them opens clicked
    // links. A grid handed none opens no link.
    void SetServices(const platform::Services& services) { FServices = services; }
    const platform::Services& Services() const { return FServices; }
    // Update lock beside BeginUpdate/EndUpdate: StartUpdate and ResetUpdate only count.
    void StartUpdate() { ++FUpdateCount; }
    void ResetUpdate() { FUpdateCount = 0; }
    bool LockUpdate() const { return FUpdateCount != 0; }
    void SetLockUpdate(bool v) { v ? BeginUpdate() : EndUpdate(); }
    int UpdateCount() const { return FUpdateCount; }
    // Scrolling. Flat and Encarta bars have no counterpart here: their calls are recorded and
    // the normal bars are drawn.
    enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
    enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
    struct TScrollInfo {
        int Max = 0, Page = 0, Pos = 0;
    };
    bool ScrollProportional = false;
    bool ScrollSynch = false;
    TScrollHintType ScrollHints = shNone;
    TScrollBarAlways ScrollBarAlways = saNone;
    QStringList FlatScrollCalls;
    // The last proportional thumbs computed (0..127 scale); the bars' thumbs follow them.
    TScrollInfo ProportionalHScroll, ProportionalVScroll;
    void SetScrollType(TScrollType value);
    // Flat and Encarta bars: background (clNone: the window colour) and thickness.
    void SetScrollColor(TColor value);
    void SetScrollWidth(int value);
    void SetScrollBars(TScrollStyle value);
    void SetScrollBarAlways(TScrollBarAlways value);
    void UpdateScrollBarsAlways(bool Show);
    void UpdateProportionalHScroll();
    void UpdateProportionalVScroll();

protected:
    void ScrollBarsUpdated() override;

private:
    void applyScrollLook();
    void applyProportionalThumb(QScrollBar* bar, const TScrollInfo& info);
    bool FApplyingProportional = false;

public:
    // The thumb moved to Pos (0..127): the row or column shown first, and the hint text.
    int ThumbToRow(int Pos) const;
    int ThumbToCol(int Pos) const;
    QString ScrollHint(bool vertical, int Pos);
    void ScreenToCell(const QPoint& pt, int& ACol, int& ARow) const;
    void ScrollInView(int ACol, int ARow);
    // Sizing.
    void StretchColumn(int ACol);
    void StretchRightColumn() { StretchColumn(ColCount() - 1); }
    bool Zoom(int x);
    // Footer (the last row when the floating footer is a fixed last row), footer/FloatingFooter.h.
    using TFooterStyle = grid::TFooterStyle;
    static constexpr TFooterStyle fsFixedLastRow = grid::fsFixedLastRow, fsColumnPreview = grid::fsColumnPreview,
                                  fsCustomPreview = grid::fsCustomPreview, fsCustomPaint = grid::fsCustomPaint;
    TFloatingFooter FloatingFooter{this};
    TFooterPanel* FooterPanel() const { return FFooterPanel; }
    std::function<void(TQvStringGrid*, int AColumn, QPainter& Canvas, TRect ARect)> OnFooterPaint;
    std::function<void(TQvStringGrid*)> OnCreatedFloatingFooter;
    // The panel's height changed: the viewport leaves it that much room at the bottom.
    void PlaceFooterPanel();
    // Cell hints as balloons (balloon/Balloon.h); CellBalloonRequest answers while Enable is on.
    TBalloonSettings Balloon;
    void CalcFooter(int ACol);
    virtual void CalculateFooter(int ACol);
    void SetFooterCalcType(int ACol, TColumnCalcType calcType);
    // Middle-button panning: the view (waScroll) or the current cell follows the pointer's
    // side of the press point, one step per 10 ms tick.
    enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
    TIntelliPan IntelliPan = ipVertical;
    bool Panning() const { return wheelpan; }
    void StartPanning(QPoint origin);
    void EndPanning();
    void PanStep(QPoint P);
    std::function<void(TQvStringGrid*, Qt::KeyboardModifiers Shift, QPoint MousePos, bool&Handled)> OnMouseWheelDown,
        OnMouseWheelUp;
    // The grid timer's hover focus and blinking cells (the 500 ms grid timer calls it).
    bool EnableBlink = false;
    bool GridBlink() const { return FGridBlink; }
    void HandleTimer();
    // Writers of look and behaviour settings: each stores and repaints what depends on it.
    bool Hovering = false;
    void SetShowDesignHelper(bool v);
    void SetRowIndicator(const TBitmap& v);
    void SetHighlightColor(TColor v);
    void SetHighlightTextColor(TColor v);
    void SetHovering(bool v) { Hovering = v; }
    void SetActiveCellShow(bool v);
    void SetActiveCellColor(TColor v);
    void SetActiveCellColorTo(TColor v);
    void SetActiveCellFont(const TFont& v);
    void SetXYOffset(TPoint v);
    void UpdateXYOffset(int X, int Y) { XYOffset = {X, Y}; }
    // A linked object going away: the grid forgets it.
    void ForgetRemovedComponent(const void* AComponent);
    // Combo item list of the grid's combo editor.
    void ClearComboString();
    void AddComboString(const QString& s);
    bool RemoveComboString(const QString& s);
    bool SetComboSelectionString(const QString& s);
    int GetComboCount();
    void SetComboIndex(int ACol, int ARow, int Value);
    int GetComboIndex(int ACol, int ARow);

    std::function<void(TQvStringGrid*, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
    TRowColEvent OnClickCell;
    TRowColEvent OnDblClickCell;
    TRowColEvent OnRightClickCell;
    std::function<void(TQvStringGrid*, int ARow, int ACol, bool& Allow)> OnCanClickCell;
    std::function<void(TQvStringGrid*, int ARow, int ACol, const QString& Anchor, bool& AutoHandle)> OnAnchorClick;
    std::function<void(TQvStringGrid*, int ARow)> OnAutoAddRow;
    std::function<void(TQvStringGrid*, int ARow)> OnAutoInsertRow;
    std::function<void(TQvStringGrid*, int ACol)> OnAutoInsertCol;
    std::function<void(TQvStringGrid*, int ARow, bool& CanDelete)> OnCanDeleteRow;
    std::function<void(TQvStringGrid*, int OldRow, int OldCol, int& NewRow, int& NewCol, bool& Allow)> OnAutoAdvance;
    std::function<void(TQvStringGrid*, int ACol, bool& Allow)> OnColumnSize;
    std::function<void(TQvStringGrid*, int ARow, bool& Allow)> OnRowSize;
    std::function<void(TQvStringGrid*, int ACol)> OnEndColumnSize;
    std::function<void(TQvStringGrid*, int ARow)> OnEndRowSize;
    std::function<void(TQvStringGrid*, int ARow, QString& Hint)> OnScrollHint;
    std::function<void(TQvStringGrid*, int ACol, int ARow, QString& Value)> OnCalcFooter;

    // ---- pointer movement: enhanced moves, the moved header's button and picture, header
    // drag selection, sizing reports (input/GridInput/pointer.cpp, input/HeaderDragButton.h) ----
    // A picture of the cells of r (displayed indexes) in a new form owned by the grid: frameless,
    // stay-on-top, never activated, 192/255 opaque. The caller shows, moves and frees it.
    QWidget* SelectionToForm(const TGridRect& r);
    // The pointer zone a press acts on (input/PointerState.h).
    using TMouseSelectMode = grid::TMouseSelectMode;
    static constexpr TMouseSelectMode msNormal = grid::msNormal, msColumn = grid::msColumn, msRow = grid::msRow,
                                      msAll = grid::msAll, msURL = grid::msURL, msResize = grid::msResize;
    TMouseSelectMode MouseSelectMode() const { return FPointer->FMouseSelectMode; }
    // The window's style changed: the grid takes its colours again.
    void HandleStyleChanged();
    // Sizing as it runs: the column or row and the width or height it would get.
    std::function<void(TQvStringGrid*, int ACol, int ColumnSize)> OnColumnSizing;
    std::function<void(TQvStringGrid*, int ARow, int RowSize)> OnRowSizing;
    // A column or row the user moves: asked on every move (Move) and for every target (Moving).
    std::function<void(TQvStringGrid*, int ACol, bool&Allow)> OnColumnMove, OnColumnMoving;
    std::function<void(TQvStringGrid*, int ARow, bool&Allow)> OnRowMove, OnRowMoving;
    // The floating header of an enhanced move (shown only while one runs) and its picture form.
    THeaderDragButton* MoveButton() const { return FMoveButton; }
    QWidget* MoveForm() const { return FMoveForm; }
    // The dotted sizing lines shown: (vertical, place).
    const std::vector<std::pair<bool, int>>& SizingLines() const { return FSizingLines; }
    // The grid follows its window's size changes by the same amount (SizeWithForm), then
    // stretches its stretch column. Installed on the owning window when the grid is shown.
    bool SizeWithForm = false;
    int PrevSizeX = 0, PrevSizeY = 0;
    void FollowFormResize(QWidget* form);
    // The metro scroll look's two controls (nullptr in any other look).
    TScrollControl* ScrollControl(TScrollDirection d) const { return FScrollControls[d]; }
    // The corner cell's look (no text) painted into Rect of Canvas: the header button's face.
    void PaintCornerCellLook(QPainter& Canvas, TRect Rect);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void MouseMoveInGrid(QMouseEvent* e);
    void headerDragSelect(int X, int Y, int ACol, int ARow);
    void enhancedMove(int X, int Y, int ACol, int ARow, const QPoint& global);
    void placeTargetArrows(int ACol, int ARow);
    void reportSizing(int X, int Y);
    bool armFixedSizing(int X, int Y, int ACol, int ARow);
    bool followAnchor(int X, int Y, int ACol, int ARow);
    void mouseSelectZone(int X, int Y, int ACol, int ARow);
    void endEnhancedMove();
    bool headerSelectPress(int X, int Y, int ACol, int ARow, Qt::KeyboardModifiers shift);
    void placeScrollControls();
    QPointer<QWidget> FMoveForm;
    THeaderDragButton* FMoveButton = nullptr; // child window, owned through Qt
    QString FAnchor;
    bool FScrollHintShow = false;
    QPointer<QWidget> FResizeForm;
    TScrollControl* FScrollControls[2] = {nullptr, nullptr}; // children, owned through Qt

    // ---- the left press as a table of named stages (input/GridInput/press.cpp, press
    // context input/PressContext.h, stage table input/StageTable.h) and the pointer state
    // the press, the moves and the release share (input/PointerState.h) ----
public:
    // The platform press handling calls it; it runs the grid's own press behaviour.
    virtual void MouseDownInGrid(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    // A press in a radio group at (X, Y) relative to the cell's top-left corner (ACol real).
    void ClickRadioGroup(int ACol, int ARow, int X, int Y);
    // The user chose option AIdx of the radio group (ACol real): stored, reported.
    void ChooseRadioOption(int ACol, int ARow, int AIdx);
    // The user toggled the check box or single radio button (ACol real) by press or key: the
    // toggle, the radio event and the modified mark. Answers the check state after it.
    bool UserToggleCheck(int ACol, int ARow);
    // The header cell's editor (edit or combo) over the cell (displayed column).
    void EditFixedCell(int ACol, int ARow);
    bool CellSelectorMode() const { return FPointer->FCellSelectorMode; }
    void SetCellSelectorMode(bool v) { FPointer->FCellSelectorMode = v; }
    virtual void CellSelectorHook(int /*ACol*/, int /*ARow*/) {}
    virtual void SelectAllHook(TGridRect& /*ARect*/) {}
    virtual bool CanChangeRating(int ACol, int ARow, double& NewRate) { return RatingChange(ACol, ARow, NewRate); }
    // The stage that ended the last press (nullptr when it ran to the end), for tracing.
    const char* LastPressStage() const { return FLastPressStage; }
    bool FixedCellPushed() const { return FPointer->FFixedCellPushed; }
    bool SelectionResizing() const { return FPointer->FMouseResize; }
    QMenu* FixedDropDownMenu = nullptr; // not owned
    std::function<void(TQvStringGrid*, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseDown;
    std::function<void(TQvStringGrid*, int ARow, int ARowReal, bool&Allow)> OnBeforeExpandNode, OnBeforeContractNode;
    std::function<void(TQvStringGrid*, int ARow, int ARowReal)> OnExpandNode, OnContractNode;
    std::function<void(TQvStringGrid*, int ACol, int ARow, int AIdx)> OnRadioClick;
    std::function<void(TQvStringGrid*, int ACol, int ARow)> OnRadioButtonClick;
    std::function<void(TQvStringGrid*, int ACol, int ARow, QMenu*& AMenu, bool& KeepFixedCellHighlighted)>
        OnFixedDropDownClick;
    std::function<void(TQvStringGrid*, const TGridRect&OrigSelection, const TGridRect&NewSelection)> OnSelectionResize,
        OnSelectionResized;

private:
    std::unique_ptr<TPointerState> FPointer = std::make_unique<TPointerState>();
    const char* FLastPressStage = nullptr;
    // The press stages in their order (the table is in HandleLeftButtonDown); each answers
    // true when it handled the press.
    bool beginPress(TPressContext& p);
    bool pressSelectionHandle(TPressContext& p);
    bool leaveEditingOutsideSelection(TPressContext& p);
    bool askCanClickCell(TPressContext& p);
    bool pressInSelectorOrResizeMode(TPressContext& p);
    bool clearDisjunctCellsOnPlainPress(TPressContext& p);
    bool resetPressState(TPressContext& p);
    bool noteSizingReference(TPressContext& p);
    bool pressOutsideCells(TPressContext& p);
    bool takeBaseCell(TPressContext& p);
    bool startFixedSizing(TPressContext& p);
    bool closeEditorOnFixedCell(TPressContext& p);
    bool pushFixedCell(TPressContext& p);
    bool stopAtDesignTime(TPressContext& p);
    bool pressSpinButton(TPressContext& p);
    bool pressHeaderNode(TPressContext& p);
    bool pressRowNode(TPressContext& p);
    bool pressRadioGroup(TPressContext& p);
    bool pressNodeColumn(TPressContext& p);
    bool armSelectionDrag(TPressContext& p);
    bool pressRating(TPressContext& p);
    bool pressCellButton(TPressContext& p);
    bool pressExpandGlyph(TPressContext& p);
    bool movePressToMergeBase(TPressContext& p);
    bool pressBeyondCells(TPressContext& p);
    bool pressDisjunctRows(TPressContext& p);
    bool pressDisjunctCols(TPressContext& p);
    bool pressLinkOrControl(TPressContext& p);
    bool selectFromHeaders(TPressContext& p);
    bool decideCanEdit(TPressContext& p);
    bool pressCheckBox(TPressContext& p);
    bool prepareEditStart(TPressContext& p);
    bool noteSameCell(TPressContext& p);
    bool pressFixedByHook(TPressContext& p);
    bool askColumnSizing(TPressContext& p);
    bool runPlatformPress(TPressContext& p);
    bool reportClickCell(TPressContext& p);
    bool saveValueForValidation(TPressContext& p);
    bool editMergedCell(TPressContext& p);
    bool directEdit(TPressContext& p);
    bool armSelectingAtEnd(TPressContext& p);
    // The helpers the stages share.
    bool pressButtonLike(TPressContext& p, bool expand);
    void startSelectionResize(TPressContext& p, bool runPlatform);
    void endSelectionResize();
    bool inSelectionHandle(int X, int Y) const;
    void platformPress(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void checkHeaderCheckAll(int ACol, int ARow, bool State);
    // The mouse-down stages.
    bool downStartsRangeEdit(TPressContext& p);
    bool downOnFixedDropDown(TPressContext& p);
    bool downPressFixedGradient(TPressContext& p);
    bool downInherited(TPressContext& p);
    bool downEditsFixedCell(TPressContext& p);
    bool downFollowsSyncGrid(TPressContext& p);
    TPressContext* FPressing = nullptr; // the press under way, for the mouse-down stages
    // ---- end of the left press ----

    // ---- the release, the mouse-up handling, the right button and the double click, each an
    // ordered table of named stages over the press context (input/GridInput/release.cpp,
    // input/GridInput/mouse.cpp) ----
public:
    void HandleLeftButtonUp(QMouseEvent* e);
    // The platform release handling calls it: filter button, sizing cancelled outside the grid,
    // disjunct cells, the platform's own release and the selection reports.
    virtual void MouseUpInGrid(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void HandleRightButtonUp(QMouseEvent* e);
    void HandleLeftDoubleClick(QMouseEvent* e);
    // The stage that ended the last release, right press or double click (nullptr when it ran
    // to the end), for tracing.
    const char* LastReleaseStage() const { return FLastReleaseStage; }
    const char* LastRightPressStage() const { return FLastRightPressStage; }
    const char* LastDoubleClickStage() const { return FLastDoubleClickStage; }
    // A right press on a link cell opens the editor on it (with URLShow).
    bool URLEdit = false;
    bool ColSizeFlg = false; // the platform release ended a column or row sizing
    // Columns whose equal neighbouring cells are merged (QvGrid/mergedcolumns.cpp). A change
    // to the list splits every column's merges and merges the listed columns again, in list
    // order (the first as the main merge); a header-click sort with AutoColumnMerge does the
    // same around the sort.
    TIntList& MergedColumns() { return *FMergedColumns; }
    void SplitAllColumnCells();
    void RemergeColumns();
    void MergedColumnsChanged();
    // The in-place rich editor's selection moved.
    std::function<void(TQvStringGrid*)> OnRichEditSelectionChange;
    std::function<void(TQvStringGrid*, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseUp;
    std::function<void(TQvStringGrid*, int ACol, int ARow, bool State)> OnCheckBoxMouseUp;
    std::function<void(TQvStringGrid*, int ACol, int ARow, int AIdx)> OnRadioMouseUp;

private:
    const char* FLastReleaseStage = nullptr;
    const char* FLastRightPressStage = nullptr;
    const char* FLastDoubleClickStage = nullptr;
    // The release stages in their order (the table is in HandleLeftButtonUp).
    bool releaseResetState(TPressContext& p);
    bool endFixedSizing(TPressContext& p);
    bool raisePushedFixedCell(TPressContext& p);
    bool findReleaseCell(TPressContext& p);
    bool releasePushedButton(TPressContext& p);
    bool releaseSizingHint(TPressContext& p);
    bool stopOnButtonOrGlyph(TPressContext& p);
    bool reportHeaderClick(TPressContext& p);
    bool endSelectingState(TPressContext& p);
    bool releaseOnSelection(TPressContext& p);
    bool releaseDisjunctRows(TPressContext& p);
    bool selectNodeGroup(TPressContext& p);
    bool releaseDisjunctCols(TPressContext& p);
    bool endEnhancedMoveOnRelease(TPressContext& p);
    bool runPlatformRelease(TPressContext& p);
    bool endSelectionResizeOnRelease(TPressContext& p);
    bool stopAfterMoveOrSize(TPressContext& p);
    bool reportCheckOrRadioMouseUp(TPressContext& p);
    bool stopAfterAutoSizeDblClick(TPressContext& p);
    bool stopOnHeaderBorder(TPressContext& p);
    bool stopOnHeaderButton(TPressContext& p);
    bool sortOnHeaderClick(TPressContext& p);
    // The mouse-up stages.
    bool upAtDesignTime(TPressContext& p);
    bool upNoteSelection(TPressContext& p);
    bool upFilterButton(TPressContext& p);
    bool upCancelSizingOutside(TPressContext& p);
    bool upDisjunctCells(TPressContext& p);
    bool upPlatformAndReport(TPressContext& p);
    void platformRelease(const TPressContext& p);
    // The right press stages.
    bool rightPlatformPress(TPressContext& p);
    bool rightSelectsCell(TPressContext& p);
    bool rightReportsClick(TPressContext& p);
    bool rightEditsLink(TPressContext& p);
    // The double-click stages.
    bool dblFindCell(TPressContext& p);
    bool dblOutsideCells(TPressContext& p);
    bool dblAutoSizesColumn(TPressContext& p);
    bool dblIgnoresButtonOrGlyph(TPressContext& p);
    bool dblOnControlCell(TPressContext& p);
    bool dblReportsCell(TPressContext& p);
    bool dblEditOnDblClickOnly(TPressContext& p);
    bool dblRangeSelectAndEdit(TPressContext& p);
    bool dblEditsFixedCell(TPressContext& p);
    void autoSizeColumnByDblClick(int ACol);
    // ---- end of the release ----

public:
protected:
    void KeyDown(int key, Qt::KeyboardModifiers shift) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    bool focusNextPrevChild(bool next) override;

private:
    platform::Services FServices;
    void connectScrollHints();
    void thumbMoved(bool vertical, int value);
    bool FScrollHintsConnected = false;
    void fireKeyDown(int& key, Qt::KeyboardModifiers shift);
    void markRowModified(int ARow);
    void keyUpSelectedCells(int key, Qt::KeyboardModifiers shift);
    bool homeEndKey(int key, Qt::KeyboardModifiers shift);
    bool skipFixedCells(int key);
    bool cellControlKey(int key);
    void commandKeys(int key, Qt::KeyboardModifiers shift);
    bool openAnchor(int ARow, int ACol, const QString& anchor);
    void afterColumnResize(int ACol);
    void afterRowResize(int ARow);
    // Reports a selection other than the last reported one; Always reports it anyway (a move
    // may have taken the new selection as its repaint mark already).
    void reportSelectionChanged(bool Always = false);
    int firstNormalCol() const;
    int lastNormalRow() const;
    TPoint FLastKeyCell{-1, -1};
    bool FForceSel = false;
    int FAECol = -1, FAERow = -1;
    bool FIsColChanging = false;
    bool FGridBlink = false;
    int FTimerTicks = 0;
    TPoint FLastHintPos{-1, -1};
    QString FLastAnchorHint;
    THTMLHintWindow* FCellHintWnd = nullptr; // child window, owned through Qt; made on first use
    void showCellHint(const QHelpEvent& e);
    void cancelCellHint();
    void cancelForeignHint(int X, int Y);
    void updateHover(int X, int Y);
    QTimer* FDragTmr = nullptr; // child object, owned through Qt
    bool wheelpan = false;
    QPoint wheelpanpos;
    QTimer* wheeltimer = nullptr; // child object, owned through Qt
    unsigned FDragScrollDirection = 0;
    void stopDragScroll();
    // ---- end of mouse, keyboard, scrolling ----

    // ---- balloons, modified-row marks and small services (balloon/, look/settingwriters.cpp) ----
public:
    // The one balloon window: made once, removed when one exists.
    void BalloonInit();
    void BalloonDone();
    TBalloonWindow* BalloonWindow() const { return FHToolTip; }
    void SetBalloon(const TBalloonSettings& v) { Balloon.Assign(v); }
    TShowModified& ShowModified() { return FPaintSettings.ShowModified; }
    void SetShowModified(const TShowModified& v) { ShowModified().Assign(v); }
    // The column widths and the grid width that proportional resizing scales from.
    void InitOrigColSizes();
    const TIntList& OrigColSizes() const { return *FOrigColSizes; }
    int OldSize() const { return FOldSize; }
    // Colours from an active application style; the program has none, so the grid keeps its own.
    virtual void AdaptToActiveStyle();
    virtual void RecalcFooterColumn(int ACol);
    // The handlers the grid gives its companion objects and editors.
    virtual void BalloonEnableChanged();
    virtual void ShowModifiedChanged();
    virtual void BandsChanged();
    virtual void FixedCellEditChanged(const QString& text);
    virtual void UnitEditUnitChanged(const QString& unit);

protected:
    // Every move of the current cell: the cell's text becomes the value before editing.
    void Click() override;

private:
    QPointer<TBalloonWindow> FHToolTip; // child window, owned through Qt
    int FOldSize = -1;
    // ---- end of balloons and small services ----
    // ---- keys as tables of named stages (input/GridInput/keystages.cpp: key-down, key-up and
    // command keys; tabsteps.cpp: Tab and Enter navigation; context input/KeyContext.h, stage
    // form input/StageTable.h) and the grid's size (input/GridInput/gridsize.cpp) ----
public:
    // The stage that ended the last key-down (nullptr when every stage passed it on).
    const char* LastKeyStage() const { return FLastKeyStage; }
    // The grid's own size changed: with ColumnSize.SynchWithGrid the columns take their
    // remembered widths scaled to the new width.
    void HandleSize();
    // The flat look for one scroll bar (flat and Encarta scroll types; nothing otherwise).
    void ShowFlatScrollBar(Qt::Orientation bar, bool show);
    // Stores the switch and sets the bounds again, so the height becomes whole rows at once.
    void SetIntegralHeight(bool v);

protected:
    // The application may refuse sizing a column (OnColumnSize) or a row (OnRowSize).
    bool SizingStateAt(int x, int y, TGridState& kind, int& index) override;

private:
    const char* FLastKeyStage = nullptr;
    bool FDisableSize = false; // the size handler is running
    void hookColumnSizeSettings();
    // Key-down stages in their order (the table is in HandleKeyDownMessage).
    bool keyEditorOwnsKey(TKeyContext& k);
    bool keyScrollOnly(TKeyContext& k);
    bool keyEnterAdvances(TKeyContext& k);
    bool keyEnterAndF2Switches(TKeyContext& k);
    bool keySearchFooterKeys(TKeyContext& k);
    bool keyCellControl(TKeyContext& k);
    bool keyTypedCharacter(TKeyContext& k);
    bool keyHomeEnd(TKeyContext& k);
    bool keyNodes(TKeyContext& k);
    bool keyRowSelectScroll(TKeyContext& k);
    bool keyTab(TKeyContext& k);
    bool keySkipFixedCells(TKeyContext& k);
    bool keyAppendOnDown(TKeyContext& k);
    bool keyNotForTheGrid(TKeyContext& k);
    bool keySearchFooterEdge(TKeyContext& k);
    bool keyPlatformMove(TKeyContext& k);
    bool keyClipboard(TKeyContext& k);
    bool keyCommands(TKeyContext& k);
    bool keyReportSelection(TKeyContext& k);
    // Key-down override stages (the table is in KeyDown).
    bool moveStartCell(TKeyContext& k);
    bool moveRowsByKeys(TKeyContext& k);
    bool moveCursorAdvance(TKeyContext& k);
    bool moveSkipDisabledRows(TKeyContext& k);
    bool moveFollowSyncGrid(TKeyContext& k);
    // Tab navigation steps (the table is in TabNavigate).
    bool tabAskKeyDown(TTabContext& t);
    bool tabNoProgress(TTabContext& t);
    bool tabBackwardInColumns(TTabContext& t);
    bool tabBackwardAlongRow(TTabContext& t);
    bool tabForwardInColumns(TTabContext& t);
    bool tabForwardAlongRow(TTabContext& t);
    bool tabHandOn(TTabContext& t);
    bool tabPastNotEditable(TTabContext& t);
    bool tabAutoEdit(TTabContext& t);
    bool tabFinish(TTabContext& t);
    void tabForwardToNextRow(TTabContext& t, bool fromLastColumn);
    void tabForwardAtLastRow(TTabContext& t);
    void tabGo(int c, int r);
    // Enter navigation steps (AdvanceToNextCell walks them).
    void advanceAlongRow(TAdvanceContext& a);
    void advanceDownColumn(TAdvanceContext& a);
    void advanceBackward(TAdvanceContext& a);
    bool advanceArrive(TAdvanceContext& a);
    void advanceOpenEditor(TAdvanceContext& a);
    // ---- end of key stages and size ----
    // ---- drag and drop with other grids and programs (dragdrop/*.cpp) -------------------------
public:
    TDragDropSettings& DragDropSettings() { return *FDragDropSettings; }
    // A column drag that starts in a list box (a chooser of hidden columns): the column, the
    // list item and the list; the drop shows the column again and deletes the item.
    void OleColumnDragStart(int ACol, int AIndex, QListWidget* AList);
    std::function<void(TQvStringGrid*, int ARow, int ACol, const QString& data, bool& Allow)> OnOleDrag;
    std::function<void(TQvStringGrid*, int ARow, int ACol)> OnOleDragStart;
    std::function<void(TQvStringGrid*, int OLEEffect)> OnOleDragStop;
    std::function<void(TQvStringGrid*, int ARow, int ACol, bool& Allow)> OnOleDragOver;
    std::function<void(TQvStringGrid*, int ARow, int ACol, const QString& data, bool& Allow)> OnOleDrop;
    std::function<void(TQvStringGrid*, const TGridRect& ARect)> OnOleDropped;
    std::function<void(TQvStringGrid*, int ARow, int ACol, int DropCol)> OnOleDropCol;
    std::function<void(TQvStringGrid*, int ARow, int ACol, const QString& URL, bool& Allow)> OnOleDropURL;
    std::function<void(TQvStringGrid*, int ARow, int ACol, const QString& FileName, bool& Allow)> OnOleDropFile;

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dragLeaveEvent(QDragLeaveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    friend class TGridDropTarget;
    friend class TGridDropSource;
    // Starts the drag from (ACol, ARow) (displayed column); false when it was refused.
    bool StartOleDrag(int ACol, int ARow);
    // Step 20 of the press: a press on the selection arms the drag; true when it did.
    bool ArmSelectionDrag(int ACol, int ARow, int X, int Y);
    // Step 10 of the move: starts the armed drag once the pointer is far enough; true when a
    // drag ran (the move needs no more handling).
    bool HandleOleDragMove(QMouseEvent* e);
    // After a move drag: the dragged rows removed or the dragged cells cleared.
    void removeDraggedCells();
    // Step 10 of the move: the armed press has moved far enough with the button down.
    bool oleDragDue(QMouseEvent* e) const;
    void showDragPicture(const TGridRect& r, QPoint at);
    void showDragButton(int ACol, QPoint at);
    unsigned dragKeyState(const QDropEvent& e) const;
    void reportDropError(const QString& message);
    std::unique_ptr<TDragDropSettings> FDragDropSettings = std::make_unique<TDragDropSettings>(this);
    std::unique_ptr<IDataObject> FDragData; // the drag over the grid, from its enter to its drop
    TGridRect FDropSelection{};
    int FLastDragEffect = 0;   // what the last drag event over the grid answered
    bool FOleDragging = false; // this grid's own drag is running
    bool FDroppedHere = false; // ... and was dropped on this grid, into FDroppedRect
    TGridRect FDroppedRect{};
    bool FSelectionClick = false;
    QPoint FSelectionClickPos;
    int FOleDragCol = -1, FOleDragIndex = -1;
    QPointer<QListWidget> FOleDragList;
    // ---- end of drag and drop ----
};

using TGridItem = TQvStringGrid::TGridItem;

// The grid whose focus frame shows (set while a cell is edited with FocusHelper on), or none.
TQvStringGrid* FocusWindowGrid();

} // namespace grid
