#pragma once
// The base of every table: per-cell properties kept in the cells' object slots, merged cells,
// its own cell painter (backgrounds, gradients, hover and active rows, selection looks, grid
// lines of its own width and colours), key and wheel steps over merged areas, the cell graphic
// object, and the attachment point of the undo/redo history.
//
// Index space: columns here are the grid's own (real) column indexes; the string grid above
// maps displayed columns onto them through DisplColIndex.

#include "grid/GridTypes.h"
#include "grid/QvObj.h"
#include "grid/StringGrid.h"

#include <QObject>
#include <QPointer>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

namespace grid {

class TBaseGrid;

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
enum TCellGradientDirection { GradientVertical, GradientHorizontal };
enum TColumnCalcType { acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV };
enum TEditorType {
    edNormal,
    edSpinEdit,
    edComboEdit,
    edComboList,
    edEditBtn,
    edCheckBox,
    edDateEdit,
    edDateEditUpDown,
    edTimeEdit,
    edButton,
    edDataCheckBox,
    edNumeric,
    edPositiveNumeric,
    edFloat,
    edCapital,
    edMixedCase,
    edPassword,
    edUnitEditBtn,
    edLowerCase,
    edUpperCase,
    edFloatSpinEdit,
    edTimeSpinEdit,
    edDateSpinEdit,
    edNumericEditBtn,
    edFloatEditBtn,
    edCustom,
    edRichEdit,
    edNone,
    edDateTimeEdit,
    edValidChars,
    edTrackbarDropDown,
    edMemoDropDown,
    edCalculatorDropDown,
    edTimePickerDropDown,
    edDetailDropDown,
    edGridDropDown,
    edColorPickerDropDown,
    edImagePickerDropDown,
    edQvGridDropDown,
    edPositiveFloat,
    edNumericUnitEditBtn,
    edFloatUnitEditBtn,
    edMaskEditBtn
};
enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };
enum THoverRowCell : unsigned { hcNormal = 1, hcFixed = 2, hcSelected = 4 };
using THoverRowCells = unsigned;

// ---- cell graphic --------------------------------------------------------------------------

enum TCellType {
    ctBitmap,
    ctIcon,
    ctNone,
    ctImageList,
    ctCheckBox,
    ctDataCheckBox,
    ctRotated,
    ctDataImage,
    ctNode,
    ctRadio,
    ctEmpty,
    ctImages,
    ctPicture,
    ctFilePicture,
    ctValue,
    ctProgress,
    ctComment,
    ctButton,
    ctBitButton,
    ctVirtCheckBox,
    ctRowCheckBox,
    ctProgressPie,
    ctSummary,
    ctRangeIndicator,
    ctXPProgress,
    ctInterface,
    ctScrollbar,
    ctRadioButton,
    ctBalloon,
    ctShape,
    ctRating,
    ctTriStateCheckBox,
    ctExpand
};
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };

// Shapes of shape cells and rating stars; values above csHalfStar draw nothing.
enum TCellShape {
    csRectangle,
    csCircle,
    csSquare,
    csEllips,
    csTriangleLeft,
    csTriangleRight,
    csTriangleUp,
    csTriangleDown,
    csDiamond,
    csLineVert,
    csLineHorz,
    csRoundRect,
    csRoundSquare,
    csArrowUp,
    csArrowDown,
    csArrowLeft,
    csArrowRight,
    csStar,
    csHalfStar
};

// What a cell shows besides its text; its kind decides what each field means. The object in
// CellBitmap or CellIcon is owned (freed with the graphic) by the kind's rule: see OwnsBitmap.
// Kinds that keep a colour where others keep an object use CellBitmapColor / CellIconColor.
class TCellGraphic : public TPersistent {
public:
    TCellGraphic() = default;
    ~TCellGraphic() override;
    TCellGraphic(const TCellGraphic&) = delete;
    TCellGraphic& operator=(const TCellGraphic&) = delete;
    QString ClassName() const override { return QStringLiteral("TCellGraphic"); }

    void SetBitmap(TBitmap* bmp, bool transparent, TCellHAlign hal, TCellVAlign val);
    void SetIcon(TIcon* icon, TCellHAlign hal, TCellVAlign val);
    void SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val);
    void SetDataImage(int idx, TCellHAlign hal, TCellVAlign val);
    void SetMultiImage(int col, int row, int dir, TCellHAlign hal, TCellVAlign val, TImageChangeEvent notifier);
    void SetPicture(TPicture* picture, bool transparent, TStretchMode stretchMode, int padding, TCellHAlign hal,
                    TCellVAlign val);
    void SetFilePicture(TFilePicture* picture, bool transparent, TStretchMode stretchMode, int padding, TCellHAlign hal,
                        TCellVAlign val);
    void SetCheckBox(bool value, bool data, bool flat, TCellHAlign hal, TCellVAlign val);
    void SetCheckBox(TCheckBoxState value, bool flat, TCellHAlign hal, TCellVAlign val);
    void SetRadioButton(bool value, bool flat, TCellHAlign hal, TCellVAlign val);
    void SetButton(int bw, int bh, const QString& caption, TCellHAlign hal, TCellVAlign val);
    void SetBitButton(int bw, int bh, const QString& caption, TBitmap* glyph, TCellHAlign hal, TCellVAlign val);
    void SetAngle(short angle);
    void SetInterfacedCell(TObject* object);
    TPoint GetPictureSize(int cw, int rh, bool hastext) const;

    // Copies the settings of another graphic. The object behind it is copied with its
    // ownership: an object the source owns is duplicated for this graphic, one it only refers
    // to is referred to here as well; an object this graphic owned before is freed.
    void Assign(const TPersistent& source);

    bool OwnsBitmap() const;
    bool OwnsIcon() const;

    TCellType FCellType = ctNone;
    TObject* FCellBitmap = nullptr;
    TObject* FCellIcon = nullptr;
    TColor FCellBitmapColor = 0;
    TColor FCellIconColor = 0;
    TCellVAlign FCellVAlign = vaTop;
    TCellHAlign FCellHAlign = haLeft;
    int FCellIndex = 0;
    bool FCellTransparent = false;
    bool FCellCreated = false;
    bool FCellBoolean = false;
    int FCellAngle = 0;
    double FCellValue = 0;
    int FCellErrFrom = 0;
    int FCellErrLen = 0;
    QString FCellText;
    QVariant FCellVar;
    TCheckBoxState FCellCheckBoxState = cbUnchecked;

    TCellType CellType() const { return FCellType; }
    TObject* CellBitmap() const { return FCellBitmap; }
    TObject* CellIcon() const { return FCellIcon; }
    int CellIndex() const { return FCellIndex; }
    int CellAngle() const { return FCellAngle; }
    bool CellBoolean() const { return FCellBoolean; }
    bool CellCreated() const { return FCellCreated; }

private:
    void freeObjects();
};

// ---- cell properties -----------------------------------------------------------------------

// One per cell, created on first use; the grid owns it. It owns nothing but its texts; the
// graphic object is freed by the grid with the cell.
class TCellProperties : public TPersistent {
public:
    TCellProperties(TBaseGrid* owner, int col, int row);
    QString ClassName() const override { return QStringLiteral("TCellProperties"); }
    void Assign(const TPersistent& source);
    TPoint GetBaseCell(int c, int r) const;

    TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
    int OwnerCol() const { return FOwnerCol; }
    int OwnerRow() const { return FOwnerRow; }
    TObject* CellObject() const { return FObject; }
    void SetCellObject(TObject* v) { FObject = v; }
    TObject* GraphicObject() const { return FGraphicObject; }
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor v);
    TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor v);
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; }
    bool IsBaseCell() const { return FIsBaseCell; }
    int CellSpanX() const { return FCellSpanX; }
    int CellSpanY() const { return FCellSpanY; }

    TBaseGrid* FOwnerGrid;
    int FOwnerCol;
    int FOwnerRow;
    TObject* FObject = nullptr;
    TObject* FGraphicObject = nullptr;
    TBrushStyle FBrushStyle = bsSolid;
    TColor FBrushColor = clNone;
    TColor FBrushColorTo = clNone;
    int FFontSize = 0;
    TColor FFontColor = clNone;
    TFontStyles FFontStyle = 0;
    int FCellSpanY = -1;
    int FCellSpanX = -1;
    int FBorderWidth = 0;
    TColor FBorderColor = 0;
    TAlignment FAlignment = taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    int FPaintID = 0;
    bool FWordWrap;
    bool FIsBaseCell = true;
    TColumnCalcType FCalcType = acNONE;
    TObject* FCalcObject = nullptr;
    int FNodeLevel = 0;
    TEditorType FEditor = edNormal;
    QString FFontName;
    bool FReadOnly = false;
    TCellGradientDirection FGradientDirection = GradientVertical;
    QPointer<QWidget> FControl;

private:
    void repaint();
};

// ---- undo and redo -------------------------------------------------------------------------

// One change: the cell by real column and real row (hidden columns and rows counted), so a
// row hidden or shown between the change and its undo still gets its own text back.
struct TUndoRedoItem {
    int Row = -1;
    int Col = -1;
    QString Value;
    QString OrigValue;
    bool SequenceStart = false;
    bool SequenceStop = false;
    bool IsMarker() const { return SequenceStart || SequenceStop; }
};

using VOreRizeZuvuZiraEvent = std::function<void(class VOreRizeZuvuZira* sender, TBaseGrid* grid, int col, int row,
                                                 const QString& origValue, const QString& newValue)>;

// History of cell text changes of one grid: records 0..Level-1 are done, the rest undone.
class VOreRizeZuvuZira : public QObject {
    Q_OBJECT
public:
    explicit VOreRizeZuvuZira(QObject* owner = nullptr);

    virtual void RegisterChange(int col, int row, const QString& oldValue, const QString& newValue);
    virtual void StartSequence();
    virtual void StopSequence();
    void Undo();
    void Redo();
    void Reset();
    bool CanUndo() const { return FLevel > 0; }
    bool CanRedo() const { return FLevel < int(FItems.size()); }

    const std::vector<TUndoRedoItem>& Items() const { return FItems; }
    TBaseGrid* Grid() const { return FGrid; }
    void SetGrid(TBaseGrid* grid);
    int Level() const { return FLevel; }
    int MaxLevel() const { return FMaxLevel; }
    void SetMaxLevel(int v) { FMaxLevel = v; }

    VOreRizeZuvuZiraEvent OnUndo;
    VOreRizeZuvuZiraEvent OnRedo;

private:
    void restore(const TUndoRedoItem& r);
    void reapply(const TUndoRedoItem& r);
    void focusRecord(const TUndoRedoItem& r);

    std::vector<TUndoRedoItem> FItems;
    QPointer<TBaseGrid> FGrid; // forgets the grid when it goes
    int FLevel = 0;
    int FMaxLevel = 0;
};

// ---- the grid ------------------------------------------------------------------------------

// The platform grid with a text and an object per cell; adds nothing.
class TObjStringGrid : public TStringGrid {
    Q_OBJECT
public:
    using TStringGrid::TStringGrid;
};

using TGetDisplTextEvent = std::function<void(TBaseGrid* sender, int col, int row, QString& value)>;

class TBaseGrid : public TObjStringGrid {
    Q_OBJECT
public:
    explicit TBaseGrid(QWidget* parent = nullptr);
    ~TBaseGrid() override;

    // Cell store.
    QString Cells(int col, int row) const override { return GetCellEx(col, row); }
    void SetCells(int col, int row, const QString& value) override { SetCellEx(col, row, value); }
    QString GetCellEx(int c, int r) const;
    // The same into value, reusing its storage: a writer walking every cell allocates no text
    // per cell.
    void GetCellEx(int c, int r, QString& value) const;
    void SetCellEx(int c, int r, const QString& value);
    QString GetGridCell(int c, int r) const { return store.Text(c, r); }
    void GetGridCell(int c, int r, QString& value) const;
    void SetGridCell(int c, int r, const QString& value);
    TObject* GetGridObject(int c, int r) const { return store.Object(c, r); }
    void SetGridObject(int c, int r, TObject* value);
    TCellProperties* GetCellProperties(int c, int r);
    void SetCellProperties(int c, int r, std::unique_ptr<TCellProperties> value);
    bool CellHasProperties(int c, int r) const;
    TObject* GetObjectEx(int c, int r) const;
    void SetObjectEx(int c, int r, TObject* value);
    TObject* GetGraphicObjectEx(int c, int r) const;
    void SetGraphicObjectEx(int c, int r, TObject* value);
    TCellGraphic* PropertiesGraphic(TObject* props) const;

    // Merged cells.
    virtual void MergeCells(int c, int r, int spanx, int spany);
    virtual void SplitCells(int c, int r);
    TPoint BaseCell(int col, int row) const;
    bool ResolveBaseCell(int col, int row, int& bcol, int& brow) const;
    bool IsBaseCell(int col, int row) const;
    bool IsMergedCell(int col, int row) const;
    bool IsMergedNonBaseCell(int col, int row) const;
    bool IsXMergedCell(int col, int row) const;
    bool IsYMergedCell(int col, int row) const;
    // Merged across more than one cell along the axis.
    bool isMergedAlong(TGridAxisKind k, int col, int row) const;
    TPoint CellSpan(int col, int row) const;
    TPoint CellExt(int col, int row) const;
    TGridRect FullCell(int c, int r) const;
    int MinRowSpan(int row) const;
    int MaxRowSpan(int row) const;
    bool RowSpanIdentical(int row1, int row2) const;
    bool ColSpanIdentical(int col1, int col2) const;
    int MergeCount() const { return FMergeCount; }

    // Geometry and painting.
    TRect CellRect(int c, int r) const override;
    TPoint CellSize(int c, int r) const;
    TRect VirtualCellRect(int c, int r) const;
    int FixedColsWidth() const;
    int FixedRowsHeight() const;
    void PaintCell(QPainter& canvas, int col, int row, TRect& rect, TGridDrawState state);
    void PaintCellExt(QPainter& canvas, int col, int row, TRect& rect, TGridDrawState state);
    void RepaintCell(int c, int r);
    int PaintID() const { return FPaintID; }

    // Row and column helpers of the string grid's structure operations.
    void DetachColumnCells(int col);
    void DetachRowCells(int row);
    void ClearCell(int col, int row);
    void FreeCellObjects(int col1, int row1, int col2, int row2);
    void FreeCellProperties(int col, int row);
    void FreeAllCellObjects();

    // Virtual operations the string grid overrides.
    virtual bool IsFixed(int col, int row) const;
    virtual int GetRowIndent(int row) const;
    virtual bool HasNodes() const;
    virtual void PaintCellContent(QPainter& canvas, int col, int row, TRect& rect, TGridDrawState state);
    virtual void LastRowChanged();
    virtual void GetDisplText(int col, int row, QString& value) const;
    virtual void GetDisplWideText(int col, int row, QString& value) const;
    virtual void GetCellDefaults(int col, int row, TFont& font, TBrush& brush, TColor& colorTo, TColor& mirrorColor,
                                 TColor& mirrorColorTo, TAlignment& ha, TVAlignment& va, bool& ww,
                                 TCellGradientDirection& gd);
    virtual void CellChanged(int col, int row);
    virtual bool HasCellBorderEvent() const;
    virtual bool UsesPlatformStyles() const;
    virtual void GetVisualProperties(int col, int row, TGridDrawState& state, bool print, bool select, bool remap,
                                     TBrush& brush, TColor& colorTo, TColor& mirrorColor, TColor& mirrorColorTo,
                                     TFont& font, TAlignment& ha, TVAlignment& va, bool& ww,
                                     TCellGradientDirection& gd);
    virtual int DisplColIndex(int col) const;
    virtual int TotalColCount() const;
    // Undo and redo put a cell's earlier or later text back through here, so a cell whose
    // state is not its text (a plain check box) can take the state instead. A grid that hides
    // rows records them by their real row: these map it (-1: the row is not shown).
    virtual void UndoRedoSetCell(int col, int row, const QString& value) { SetCells(col, row, value); }
    virtual QString UndoRedoCell(int col, int row) { return Cells(col, row); }
    virtual int UndoRedoShownRow(int row) const { return row; }

    // Published settings.
    bool DefaultDrawing() const override { return FDefaultDrawing; }
    void SetDefaultDrawing(bool value) override;
    int GridLineWidth() const override { return FGridLineWidth; }
    void SetGridLineWidth(int value) override;
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor v);
    TColor GridFixedLineColor() const { return FGridFixedLineColor; }
    void SetGridFixedLineColor(TColor v);
    bool ActiveRowShow() const { return FActiveRowShow; }
    void SetActiveRowShow(bool v);
    TColor ActiveRowColor() const { return FActiveRowColor; }
    void SetActiveRowColor(TColor v);
    TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
    void SetActiveRowColorTo(TColor v);
    TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
    void SetActiveRowMirrorColor(TColor v);
    TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
    void SetActiveRowMirrorColorTo(TColor v);
    TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(TGridSelectionStyle v);
    VOreRizeZuvuZira* UndoRedo() const { return FUndoRedo; }
    void SetUndoRedo(VOreRizeZuvuZira* v);

    bool FHoverRow = false;
    THoverRowCells FHoverRowCells = hcNormal | hcSelected;
    TColor FHoverRowColor = platform::clInfoBk;
    TColor FHoverRowColorTo = clNone;
    int FHoverRowIdx = -1;
    bool FWordWrap = true;
    bool FShowSel = true;
    bool FHasCellProps = false;
    bool FHideLastRow = false;
    int FNormalRowCount = 0;
    bool FCustomSelect = true;
    TGetDisplTextEvent OnGetDisplText;
    TGetDisplTextEvent OnGetDisplWideText;

protected:
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    bool SelectCell(int col, int row) override;
    virtual bool AllowCellSelect(int col, int row);
    void KeyDown(int key, Qt::KeyboardModifiers shift) override;
    void DoMouseWheelDown() override;
    void DoMouseWheelUp() override;
    void TopLeftChanged() override;
    void Paint() override;
    void GotoBaseCell();
    void RepaintMergedFixedCols();
    void RepaintMergedFixedRows();
    // Negative coordinates would address no cell at all; refused before anything is written.
    static void CheckCellIndex(int c, int r);

private:
    void paintCellCore(QPainter& canvas, int col, int row, TRect& rect, TGridDrawState state, bool full);
    // The steps of paintCellCore, in its order.
    struct TCellBackLook;
    bool paintMergeOnce(QPainter& canvas, int col, int row, const TRect& rect, TGridDrawState state, bool full);
    void clipUnderFixedCells(QPainter& canvas, int col, int row, const TRect& rect);
    TCellBackLook cellBackLook(int col, int row, TGridDrawState state, bool full);
    void paintCellBackground(QPainter& canvas, int col, const TRect& rect, TGridDrawState state,
                             const TCellBackLook& k);
    void paintStyledSelection(QPainter& canvas, int col, const TRect& rect);
    void paintCellLines(QPainter& canvas, int col, int row, const TRect& rect, bool fixed, TColor brushColor);
    TRect cellContentRect(const TRect& rect, bool fixed) const;
    TCellProperties* props(int c, int r) const;
    // The cell whose text a cell shows (its merge's base), and the display hooks over a text.
    TPoint baseCellOf(int c, int r) const;
    void displayed(int c, int r, QString& value) const;
    TCellProperties* createProperties(int c, int r, bool withCalcType);

    bool FDefaultDrawing = false;
    int FGridLineWidth = 1;
    TColor FGridLineColor = 0xC0C0C0;
    TColor FGridFixedLineColor = 0x808080;
    int FPaintID = 1;
    bool FActiveRowShow = false;
    TColor FActiveRowColor = platform::clInfoBk;
    TColor FActiveRowColorTo = clNone;
    TColor FActiveRowMirrorColor = clNone;
    TColor FActiveRowMirrorColorTo = clNone;
    TGridSelectionStyle FSelectionStyle = ssDefault;
    int FMergeCount = 0;
    QPointer<VOreRizeZuvuZira> FUndoRedo;
    bool destroying = false;
};

} // namespace grid
