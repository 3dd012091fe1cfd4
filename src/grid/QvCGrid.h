#pragma once
// The column grid: a string grid that keeps one column definition per real column (hidden
// columns included) and answers the per-cell questions (look, print look, editor kind, fixed,
// editable, password, check texts, data check boxes, size limits) from the cell's column
// before the string grid's own rule and its event run, so the event still has the last word.
// Also here, until the string grid carries them itself: the cell accessors by real row and
// the per-cell look accessors, the selected-cells interface, and the grid unit's start-up
// registrations.

#include "grid/QvGrid.h"
#include "grid/edit/EditLink.h"

#include <QEvent>
#include <QIODevice>
#include <QMenu>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace grid {

class TQvColumnGrid;
class TGridColumnCollection;

enum TColumnPopupType {
    cpFixedCellsRClick,
    cpFixedCellsLClick,
    cpNormalCellsRClick,
    cpNormalCellsLClick,
    cpAllCellsRClick,
    cpAllCellsLClick
};

// One column's definition. Index is the real column it describes. Writers marked "update" in
// the comments run the collection's update, which keeps the grid's column count, header list
// and painting in step; the others only store (some repaint).
class TGridColumnItem {
public:
    // Without a collection (the grid's copy of a grouped column) the font keeps its defaults
    // and the colour is 0; inside a collection font and colour are the grid's.
    explicit TGridColumnItem(TGridColumnCollection* collection = nullptr);
    TGridColumnItem(const TGridColumnItem&) = delete;
    TGridColumnItem& operator=(const TGridColumnItem&) = delete;

    TGridColumnCollection* Collection() const { return FCollection; }
    TQvColumnGrid* Grid() const;
    int Index() const;

    // Every setting but ColumnPopupType, PrintBorderCustom and PrintFontCustom, stored directly
    // (no header write, no width written to the grid).
    void Assign(const TGridColumnItem& source);
    // As Assign, but colour and font are the grid's, and combo items, drop-down count, header
    // font, header text, name and tag stay.
    void AssignVisuals(const TGridColumnItem& source);
    QString GetDisplayName() const;

    // ---- settings -------------------------------------------------------------------------
    int AutoMinSize() const { return FAutoMinSize; }
    void SetAutoMinSize(int v) { FAutoMinSize = v; }
    int AutoMaxSize() const { return FAutoMaxSize; }
    void SetAutoMaxSize(int v) { FAutoMaxSize = v; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v); // repaint
    TCellBorders Borders() const { return FBorders; }
    void SetBorders(TCellBorders v); // update
    const TPen& BorderPen() const { return FBorderPen; }
    void SetBorderPen(const TPen& v); // update
    QString CheckFalse() const { return FCheckFalse; }
    void SetCheckFalse(const QString& v) { FCheckFalse = v; }
    QString CheckTrue() const { return FCheckTrue; }
    void SetCheckTrue(const QString& v) { FCheckTrue = v; }
    TColor Color() const { return FColor; }
    void SetColor(TColor v); // update
    QMenu* ColumnPopup() const { return FColumnPopup; }
    void SetColumnPopup(QMenu* v) { FColumnPopup = v; }
    TColumnPopupType ColumnPopupType() const { return FColumnPopupType; }
    void SetColumnPopupType(TColumnPopupType v) { FColumnPopupType = v; }
    const QStringList& ComboItems() const { return FComboItems; }
    QStringList& ComboItems() { return FComboItems; }
    void SetComboItems(const QStringList& v) { FComboItems = v; }
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v) { FDropDownCount = v; }
    int EditLength() const { return FEditLength; }
    void SetEditLength(int v) { FEditLength = v; }
    // The edit link is not owned; it reads nil once the link object is gone.
    TEditLink* EditLink() const { return FEditLink; }
    void SetEditLink(TEditLink* v) { FEditLink = v; }
    QString EditMask() const { return FEditMask; }
    void SetEditMask(const QString& v) { FEditMask = v; }
    TEditorType Editor() const { return FEditorType; }
    void SetEditor(TEditorType v); // repaint when a data check box comes or goes
    const QStringList& Filter() const { return FFilter; }
    void SetFilter(const QStringList& v); // repaint
    bool FilterCaseSensitive() const { return FFilterCaseSensitive; }
    void SetFilterCaseSensitive(bool v) { FFilterCaseSensitive = v; }
    bool Fixed() const { return FFixed; }
    void SetFixed(bool v); // update
    QString FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const QString& v); // repaint
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& v); // update
    QString Header() const { return FColumnHeader; }
    void SetHeader(const QString& v); // header write
    TAlignment HeaderAlignment() const { return FHeaderAlignment; }
    void SetHeaderAlignment(TAlignment v); // repaint
    const TFont& HeaderFont() const { return FHeaderFont; }
    void SetHeaderFont(const TFont& v); // update
    int MinSize() const { return FMinSize; }
    void SetMinSize(int v) { FMinSize = v; }
    int MaxSize() const { return FMaxSize; }
    void SetMaxSize(int v) { FMaxSize = v; }
    QString Name() const { return FName; }
    void SetName(const QString& v) { FName = v; }
    bool Password() const { return FPassword; }
    void SetPassword(bool v); // update
    bool PrintBorderCustom() const { return FPrintBorderCustom; }
    void SetPrintBorderCustom(bool v) { FPrintBorderCustom = v; }
    TCellBorders PrintBorders() const { return FPrintBorders; }
    void SetPrintBorders(TCellBorders v) { FPrintBorders = v; }
    const TPen& PrintBorderPen() const { return FPrintBorderPen; }
    void SetPrintBorderPen(const TPen& v) { FPrintBorderPen = v; }
    TColor PrintColor() const { return FPrintColor; }
    void SetPrintColor(TColor v) { FPrintColor = v; }
    bool PrintFontCustom() const { return FPrintFontCustom; }
    void SetPrintFontCustom(bool v) { FPrintFontCustom = v; }
    const TFont& PrintFont() const { return FPrintFont; }
    void SetPrintFont(const TFont& v) { FPrintFont = v; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    bool ShowBands() const { return FShowBands; }
    void SetShowBands(bool v); // update
    TSortStyle SortStyle() const { return FSortStyle; }
    void SetSortStyle(TSortStyle v) { FSortStyle = v; }
    QString SortPrefix() const { return FSortPrefix; }
    void SetSortPrefix(const QString& v) { FSortPrefix = v; }
    QString SortSuffix() const { return FSortSuffix; }
    void SetSortSuffix(const QString& v) { FSortSuffix = v; }
    int SpinMax() const { return FSpinMax; }
    void SetSpinMax(int v) { FSpinMax = v; }
    int SpinMin() const { return FSpinMin; }
    void SetSpinMin(int v) { FSpinMin = v; }
    int SpinStep() const { return FSpinStep; }
    void SetSpinStep(int v) { FSpinStep = v; }
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }
    // The grid's current width of this real column (0 without a grid); writing stores it and
    // sets the grid's width.
    int Width() const;
    void SetWidth(int v);
    // The default index recorded by SetOrganization, used to restore a column order.
    int DefIdx() const { return FDefIdx; }
    void SetDefIdx(int v) { FDefIdx = v; }

    // ---- the column's cells (rows are displayed rows) ------------------------------------------
    QString GetRows(int idx) const;
    void SetRows(int idx, const QString& value);
    int GetInts(int idx) const;
    void SetInts(int idx, int value);
    double GetFloats(int idx) const;
    void SetFloats(int idx, double value);
    TDateTime GetDates(int idx) const;
    void SetDates(int idx, TDateTime value);
    TDateTime GetTimes(int idx) const;
    void SetTimes(int idx, TDateTime value);

private:
    friend class TQvColumnGrid;
    friend class TGridColumnCollection;
    void copyCommon(const TGridColumnItem& source);
    void changed(); // the collection's update for this definition
    void repaint();

    TGridColumnCollection* FCollection;
    // Position in the collection, kept by it on every change of its order: the width and cell
    // accessors ask it per call, and a search would make reading n columns cost n squared.
    int FIndex = -1;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    QString FColumnHeader;
    TSortStyle FSortStyle = ssAutomatic;
    QString FSortPrefix, FSortSuffix, FEditMask;
    int FEditLength = 0;
    QPointer<TEditLink> FEditLink;
    TFont FFont;
    TColor FColor = 0;
    TEditorType FEditorType = edNormal;
    bool FFixed = false;
    bool FReadOnly = false;
    QStringList FComboItems;
    int FDropDownCount = 8;
    int FSpinMin = 0, FSpinMax = 0, FSpinStep = 1;
    bool FPassword = false;
    TFont FPrintFont;
    TColor FPrintColor = 0xFFFFFF;
    TCellBorders FBorders = 0;
    TPen FBorderPen{0xC0C0C0, 1, psSolid};
    TCellBorders FPrintBorders = cbTop | cbLeft | cbRight | cbBottom;
    TPen FPrintBorderPen{platform::clBlack, 1, psSolid};
    int FTag = 0;
    int FDefIdx = 0;
    QString FName, FCheckFalse = QStringLiteral("N"), FCheckTrue = QStringLiteral("Y");
    bool FShowBands = false;
    QStringList FFilter;
    int FMaxSize = 0, FMinSize = 0, FAutoMinSize = 0, FAutoMaxSize = 0;
    TColumnPopupType FColumnPopupType = cpFixedCellsRClick;
    QPointer<QMenu> FColumnPopup;
    bool FFilterCaseSensitive = false;
    QString FFloatFormat;
    TAlignment FHeaderAlignment = taLeftJustify;
    TFont FHeaderFont;
    bool FPrintBorderCustom = true;
    bool FPrintFontCustom = true;
};

// The grid's definitions, one per real column. While NoRecursiveUpdate is set (during the
// grid's own structural changes) changes of definitions do not reach the grid.
class TGridColumnCollection {
public:
    explicit TGridColumnCollection(TQvColumnGrid* owner);
    virtual ~TGridColumnCollection();
    TGridColumnCollection(const TGridColumnCollection&) = delete;
    TGridColumnCollection& operator=(const TGridColumnCollection&) = delete;

    TQvColumnGrid* GetOwner() const { return FOwner; }
    int Count() const { return int(items.size()); }
    // The definition at an index; outside the collection the list's index error (EListError).
    TGridColumnItem* GetItem(int index) const;
    TGridColumnItem& operator[](int index) const { return *GetItem(index); }
    void SetItem(int index, const TGridColumnItem& value) { GetItem(index)->Assign(value); }
    int IndexOf(const TGridColumnItem* item) const;

    // A new definition at the end; from the second one on it takes the visuals of the one
    // before it.
    TGridColumnItem* Add();
    // A new definition with the plain defaults at index.
    TGridColumnItem* Insert(int index);
    void Delete(int index);
    void Clear();
    // Items cleared, then one new item per source item taking its settings.
    void Assign(const TGridColumnCollection& source);
    void BeginUpdate() { ++updateCount; }
    void EndUpdate();

    bool NoRecursiveUpdate() const { return FNoRecursiveUpdate; }
    void SetNoRecursiveUpdate(bool v) { FNoRecursiveUpdate = v; }

    // Column count, header list and painting brought in step with the items.
    virtual void Update(TGridColumnItem* item);
    // Each definition's index recorded as its default index.
    void SetOrganization();
    // Columns moved until each definition stands at its default index. Default indexes that
    // are not a permutation of the positions cannot all be reached; nothing is moved then
    // (false), where moving would go on for ever.
    bool ResetOrganization();

protected:
    virtual std::unique_ptr<TGridColumnItem> CreateItem();

private:
    friend class TQvColumnGrid;
    void changed();
    // Gives the items from position `from` on their index again after the order changed.
    void renumber(int from);
    TQvColumnGrid* FOwner;
    bool FNoRecursiveUpdate = false;
    int updateCount = 0;
    std::vector<std::unique_ptr<TGridColumnItem>> items;
};

// The streaming component of the column stream: a collection whose items belong to a grid, so
// reading a width or a header reaches that grid's columns.
class TQvColumnGridIO {
public:
    explicit TQvColumnGridIO(TQvColumnGrid* owner);
    TGridColumnCollection& Items() { return *FItems; }

private:
    std::unique_ptr<TGridColumnCollection> FItems;
};

using TColumnPopupEvent = std::function<void(TQvStringGrid*, int ACol, int ARow, QMenu* popup)>;
using TAfterColumnMoved = std::function<void(TQvStringGrid*, int fromIndex, int toIndex)>;

class TQvColumnGrid : public TQvStringGrid {
    Q_OBJECT
public:
    // ---- in-place editing ----
    void LoadEditorFromColumn(int ACol, int ARow) override;
    // ---- end of in-place editing ----

    explicit TQvColumnGrid(QWidget* parent = nullptr, bool designing = false);
    ~TQvColumnGrid() override;

    TGridColumnCollection& Columns() { return *FColumnCollection; }
    const TGridColumnCollection& Columns() const { return *FColumnCollection; }
    // Takes the items of another collection.
    void SetColumns(const TGridColumnCollection& value);
    TGridColumnItem* GetColumnByName(const QString& name) const;

    // While a stored form is read the collection leaves the grid alone; Loaded then brings
    // the counts in step and records the default indexes.
    void SetLoading(bool v);
    bool IsLoading() const { return FLoading; }
    void Loaded();

    void SetColCount(int value) override;
    // Columns inserted or removed with their definitions; texts, widths and definitions of
    // the columns after them move along.
    void InsertCols(int ColIndex, int CCount) override;
    void RemoveCols(int ColIndex, int CCount) override;
    // The grouped column's definition is kept in FSaveCol while the column is out of the grid
    // and given back to the restored column.
    void Group(int ColIndex) override;
    void UnGroup() override;

    // ---- per-cell hooks answered from the column ------------------------------------------------
    void GetCellColor(int ACol, int ARow, TGridDrawState state, TBrush& brush, TFont& font) override;
    void GetCellPrintColor(int ACol, int ARow, TGridDrawState state, TBrush& brush, TFont& font) override;
    void GetCellBorder(int ACol, int ARow, TPen& pen, TCellBorders& borders) override;
    void GetCellPrintBorder(int ACol, int ARow, TPen& pen, TCellBorders& borders) override;
    void GetCellAlignment(int ACol, int ARow, TAlignment& hAlign, TVAlignment& vAlign) override;
    void GetCellFormat(int ACol, TSortStyle& style, QString& prefix, QString& suffix) override;
    void GetCellEditor(int ACol, int ARow, TEditorType& editor) override;
    void IsFixedCell(int ACol, int ARow, bool& isFixed) override;
    void CanEditCell(int ACol, int ARow, bool& canEdit) override;
    void IsPasswordCell(int ACol, int ARow, bool& isPassword) override;
    bool CellHasComboBox(int ACol, int ARow) override;
    void GetCheckTrue(int ACol, int ARow, QString& value) override;
    void GetCheckFalse(int ACol, int ARow, QString& value) override;
    bool GetColumnFilter(int ACol) override;
    // A pick from a column's own filter items (QvCGrid/filter.cpp).
    void FilterDropDownSelect(int ItemIndex) override;
    void UpdateColumnSize(int ACol, int& width) override;
    void UpdateAutoColumnSize(int ACol, int& width) override;
    // The string grid's column-header list changed: the definitions take its texts.
    void UpdateColumnHeaders() override;
    // The header list rebuilt from the definitions (an empty header takes the text of row 0).
    void RebuildColumnHeaders();
    void AfterCellsLoaded() override;
    void GetCellDefaults(int col, int row, TFont& font, TBrush& brush, TColor& colorTo, TColor& mirrorColor,
                         TColor& mirrorColorTo, TAlignment& ha, TVAlignment& va, bool& ww,
                         TCellGradientDirection& gd) override;
    QString GetFloatFormat(int ACol, int ARow) const override;
    QString GetFormattedCell(int ACol, int ARow) override;
    // Data check boxes of edDataCheckBox columns: one shared graphic, no per-cell object; the
    // string grid's check-box operations read and toggle them through these.
    TCellGraphic* GetCellGraphic(int ACol, int ARow) override;
    TCellType GetCellType(int ACol, int ARow) override;
    // By real row: a data check box of a hidden row is read and set through the hidden-row
    // store's text; everything else as the string grid does it.
    using TQvStringGrid::GetCheckBoxState;
    using TQvStringGrid::SetCheckBoxState;
    bool GetCheckBoxState(int ACol, int ARow, bool& state);
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    // The in-place editor's length limit for the current cell: the column's (0: none) in
    // place of the grid's MaxEditLength.
    int InplaceEditLimit();
    QString InplaceEditMask(int ACol, int ARow);

    // ---- column definitions in a stream (binary component-stream layout, by property name) -------
    // Read and write errors raise EQvGridError ("Invalid stream format", "Stream read error",
    // "Stream write error", "Property <name> does not exist"); the columns are then unchanged.
    void SaveColumnsToStream(QIODevice& st);
    void LoadColumnsFromStream(QIODevice& st);

    // ---- column positions in an INI file ------------------------------------------------------
    bool SaveColumnPositions(const QString& Key, const QString& Section);
    // Nothing changes when a position is missing or the positions are not each column once.
    bool LoadColumnPositions(const QString& Key, const QString& Section);
    void SaveColPositions() override;
    void LoadColPositions() override;

    // The form is shown at another pixel density: the columns' font sizes follow.
    void ScaleGrid(int M, int D) override;
    // Changed cells reach the registered notifiers after the grid's own event.

    unsigned GetVersionNr() const override { return 0x03010301; }
    QString GetVersionString() const;

    bool AutoFilterDisplay = false;
    TColumnPopupEvent OnColumnPopup;
    TAfterColumnMoved OnAfterColumnMoved;

protected:
    virtual std::unique_ptr<TGridColumnCollection> CreateColumns();
    // The columns were moved (by the user or by MoveColumn): the definitions follow.
    void ColumnMoved(int fromIndex, int toIndex) override;
    // A click on a column with a popup menu shows the menu under the cell.
    void mousePressEvent(QMouseEvent* e) override;

private:
    friend class TGridColumnItem;
    friend class TGridColumnCollection;
    void SyncColumnCount();
    void syncQuietly();
    // The "CP" keys written; raises the file-creation error when the file cannot be replaced.
    void writeColumnPositions(const QString& Key, const QString& Section);
    // The definition of a real column, nullptr where there is none.
    TGridColumnItem* column(int realCol) const;
    int realCol(int displCol) const;
    bool isNormal(int ACol, int ARow) const;
    bool isInnerNormal(int ACol, int ARow) const;
    bool isDataCheckCell(int ACol, int ARow) const;
    bool isHiddenDataCheckCell(int ACol, int realRow) const;
    void writeHeader(TGridColumnItem& item, const QString& value);
    void moveDefinition(int fromReal, int toReal);
    std::vector<int> showHiddenColumns();
    void hideAgain(const std::vector<int>& hidden, int at, int shift);
    TCellProperties* propsIfAny(int i, int j) const;

    std::unique_ptr<TGridColumnCollection> FColumnCollection;
    std::unique_ptr<TGridColumnItem> FSaveCol;
    bool FColMoving = false;
    bool FStructureMoving = false; // the grid's own column shifts: definitions are handled apart
    std::unique_ptr<TCellGraphic> FCellGraphic;
    bool FLoading = false;
};

// ---- start-up and shutdown of the grid units -------------------------------------------------

// Process-wide values set by the string grid's start-up and shared by every grid.
struct TGridUnitRegistrations {
    // The private cell-block format; on Windows Qt offers it under the registered name.
    QString GridCellsClipboardFormat;
    QEvent::Type GridEditDoneMessage = QEvent::None;
    QEvent::Type GridShiftFocusMessage = QEvent::None;
    bool IsComCtl470 = false;
    QStringList RegisteredClasses;
    int QvGridStarts = 0;
    int QvCGridStarts = 0;
};

inline const QString GridCellsFormatName = QStringLiteral("TQvStringGrid Cells");
inline const QString GridEditDoneName = QStringLiteral("GridEditDone");
inline const QString DTPShiftFocusName = QStringLiteral("DTPShiftFocus");

// The string grid's unit: registers its classes, the clipboard format and the two messages,
// only on the first call; the shutdown counts down.
void QvGridInitialization();
void QvGridFinalization();
// The application event filter that keeps the focus frame on its cell; none before start-up.
QObject* GridHookHandle();
// The column grid's unit: registers its classes on the first call.
void QvCGridInitialization();
void QvCGridFinalization();
const TGridUnitRegistrations& GridRegistrations();
// Registers a class name for the form streaming; a name already registered is refused.
void RegisterGridClass(const QString& name);
// Version 4.70 and later of the common controls count ((major << 16) | minor, -1 unknown).
bool ComCtlVersionIsAtLeast470(int version);

} // namespace grid
