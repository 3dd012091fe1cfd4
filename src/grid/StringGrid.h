#pragma once
// The string grid the table control stands on: columns and rows of cells with one text and one
// object reference each, fixed (header) rows and columns, per-column widths and per-row heights,
// a current cell with a selection anchor, scrolling by whole rows and columns, column and row
// sizing and moving with the mouse, and a single in-place text editor. Everything the table
// control changes is a virtual hook: cell drawing, the select-cell check, the editor's text,
// the moved-row and moved-column notifications, key, wheel and scroll handling.

#include "grid/GridTypes.h"
#include "grid/StringGrid/GridAxis.h"
#include "grid/store/CellStore.h"

#include <QAbstractScrollArea>
#include <QLineEdit>
#include <QPointer>

#include <functional>
#include <stdexcept>
#include <vector>

class QPainter;

namespace grid {

// Refusal of the string grid itself (index or fixed count outside the grid).
class EInvalidGridOperation : public std::runtime_error {
public:
    explicit EInvalidGridOperation(const QString& message) : std::runtime_error(message.toStdString()), msg(message) {}
    const QString& Message() const { return msg; }

private:
    QString msg;
};

inline const QString SGridIndexOutOfRange = QStringLiteral("Grid index out of range");
inline const QString SFixedRowTooBig = QStringLiteral("Fixed row count must be less than row count");
inline const QString SFixedColTooBig = QStringLiteral("Fixed column count must be less than column count");

enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
    goFixedColClick = 1u << 15,
    goFixedRowClick = 1u << 16,
};
using TGridOptions = unsigned;
inline constexpr TGridOptions kDefaultGridOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

enum TGridDrawStateFlag : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

enum class TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

class TStringGrid;

// The in-place editor: a borderless line edit placed over the current cell.
class TInplaceEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TInplaceEdit(TStringGrid* grid);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TStringGrid* owner;
};

class TStringGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TStringGrid(QWidget* parent = nullptr);
    ~TStringGrid() override;

    // Size. Counts are never below 1; a fixed count must stay below its count.
    int ColCount() const { return colCount; }
    virtual void SetColCount(int value);
    int RowCount() const { return rowCount; }
    virtual void SetRowCount(int value);
    virtual int FixedCols() const { return fixedCols; }
    virtual void SetFixedCols(int value);
    virtual int FixedRows() const { return fixedRows; }
    virtual void SetFixedRows(int value);

    int DefaultColWidth() const { return defaultColWidth; }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return defaultRowHeight; }
    virtual void SetDefaultRowHeight(int value);
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    // The heights of rows 0.. from a list (a loaded grid), with one scroll-bar update for all.
    void SetAllRowHeights(const std::vector<int>& heights);
    // Sum of the widths of columns [from, to) and of the heights of rows [from, to), without
    // lines; constant time while every size is the default.
    long long ColWidthsSum(int from, int to) const;
    long long RowHeightsSum(int from, int to) const;
    virtual int GridLineWidth() const { return lineWidth; }
    virtual void SetGridLineWidth(int value);

    TGridOptions Options() const { return options; }
    virtual void SetOptions(TGridOptions value);
    bool HasOption(TGridOption o) const { return (options & o) != 0; }

    // Current cell, anchor and selection.
    int Col() const { return current.X; }
    virtual void SetCol(int value);
    int Row() const { return current.Y; }
    virtual void SetRow(int value);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& value);
    TPoint Anchor() const { return anchor; }
    // Moves the current cell (after the select-cell check); with moveAnchor the selection
    // collapses to it, otherwise it stretches from the anchor.
    void FocusCell(int col, int row, bool moveAnchor);

    // Scrolling.
    int TopRow() const { return topLeft.Y; }
    void SetTopRow(int value);
    int LeftCol() const { return topLeft.X; }
    void SetLeftCol(int value);
    int VisibleColCount() const;
    int VisibleRowCount() const;

    // Geometry in client (viewport) coordinates. A cell that is scrolled out of view gives an
    // empty rectangle; a partly visible one is not clipped.
    virtual TRect CellRect(int col, int row) const;
    void MouseToCell(int x, int y, int& col, int& row) const;
    TPoint MouseCoord(int x, int y) const;

    // Structure: cells (texts and objects), widths and heights move along. Virtual so that a
    // move the user drags takes the same road as one a program asks for.
    virtual void MoveColumn(int fromIndex, int toIndex);
    virtual void MoveRow(int fromIndex, int toIndex);
    virtual void DeleteColumn(int col);
    virtual void DeleteRow(int row);
    // Rows inserted or taken out with their cells and heights; the objects of taken rows are
    // left to the caller (the table control keeps them for hidden rows or frees them).
    void InsertStoreRows(int at, int count);
    void RemoveStoreRows(int at, int count);
    // The same for scattered rows in one pass (a filter level): rows lists the rows taken out,
    // at the indexes the new rows end up at, heights their heights (both ascending).
    void RemoveStoreRowList(const std::vector<int>& rows);
    void InsertStoreRowList(const std::vector<int>& at, const std::vector<int>& heights);
    // Rows reordered with their cells and heights: the row at at[k] becomes the one that stood
    // at from[k] (at ascending, from a permutation of at). The current cell stays where it is.
    void PermuteStoreRows(const std::vector<int>& at, const std::vector<int>& from);

    // Cell contents, addressed by the store's column and row. The store keeps cells outside
    // the counts; reads there answer what was written.
    virtual QString Cells(int col, int row) const { return store.Text(col, row); }
    virtual void SetCells(int col, int row, const QString& value);
    TObject* Objects(int col, int row) const { return store.Object(col, row); }
    void SetObjects(int col, int row, TObject* value);
    const TCellStore& Store() const { return store; }

    // Look.
    TColor Color() const { return color; }
    void SetColor(TColor value);
    TColor FixedColor() const { return fixedColor; }
    void SetFixedColor(TColor value);
    const TFont& Font() const { return font; }
    void SetFont(const TFont& value);
    virtual bool DefaultDrawing() const { return defaultDrawing; }
    virtual void SetDefaultDrawing(bool value);

    // Editing.
    bool EditorMode() const;
    void SetEditorMode(bool value);
    void ShowEditor();
    void HideEditor();
    TInplaceEdit* InplaceEditor() const { return editor; }

    // Repainting.
    void Invalidate();
    void InvalidateCell(int col, int row);
    void InvalidateRow(int row);
    void InvalidateCol(int col);
    // The painter of the paint pass in progress (nullptr outside painting).
    QPainter* Canvas() const { return canvas; }
    TGridState GridState() const { return state; }

    // Events.
    std::function<void(TStringGrid*, int col, int row, const TRect&, TGridDrawState)> OnDrawCell;
    std::function<void(TStringGrid*, int col, int row, bool& canSelect)> OnSelectCell;
    std::function<void(TStringGrid*)> OnTopLeftChanged;
    std::function<void(TStringGrid*)> OnClick;
    std::function<void(TStringGrid*, QChar& key)> OnKeyPress;
    std::function<void(TStringGrid*, int from, int to)> OnColumnMoved;
    std::function<void(TStringGrid*, int from, int to)> OnRowMoved;
    std::function<void(TStringGrid*, int col, int row, QString&)> OnGetEditText;
    std::function<void(TStringGrid*, int col, int row, const QString&)> OnSetEditText;

    // Used by the editor.
    void EditorKeyForward(QKeyEvent* e);
    void EditorDone(bool accept);

protected:
    // A refused drag of the selection turns into range selection (dragdrop/start.cpp).
    void SetGridState(TGridState s) { state = s; }
    // Hooks for the layers above.
    virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
    virtual bool SelectCell(int col, int row);
    virtual bool CanEditShow() const;
    virtual bool CanEditModify() const { return true; }
    virtual QString GetEditText(int col, int row);
    virtual void SetEditText(int col, int row, const QString& value);
    virtual void ColumnMoved(int fromIndex, int toIndex);
    virtual void RowMoved(int fromIndex, int toIndex);
    virtual void SizeChanged(int oldColCount, int oldRowCount);
    virtual void TopLeftChanged();
    // A sizing or move in progress is dropped: the grid returns to the normal state.
    void CancelGridState();
    // Whether a press at (x, y) starts sizing a column or row (kind, index); the pointer shape
    // asks the same. Descendants may refuse a border.
    virtual bool SizingStateAt(int x, int y, TGridState& kind, int& index);
    virtual void KeyDown(int key, Qt::KeyboardModifiers shift);
    // A typed character (Enter 13, Escape 27 and Backspace 8 included); setting it to 0
    // consumes it. The base fires OnKeyPress, toggles the editor on Enter and opens it on a
    // printable character when editing is allowed.
    virtual void KeyPress(QChar& key);
    virtual void DoMouseWheelDown();
    virtual void DoMouseWheelUp();
    virtual void Paint();
    virtual TInplaceEdit* CreateEditor();
    virtual void Click();
    // The line width the platform drawing and geometry use (the table control sets it to 0
    // and draws its own lines).
    int PlatformLineWidth() const { return lineWidth; }
    void SetPlatformLineWidth(int value);
    // Pixels at the bottom of the client area that something lies over (a footer panel): the
    // view scrolls that much further, so the last row can come out from under it.
    virtual int CoveredClientBottom() const { return 0; }
    // After CoveredClientBottom changed: the scroll bars and the view follow.
    void UpdateScrollRange();
    // Paints every visible cell through DrawCell; also used to paint onto another device.
    void PaintCells(QPainter& p);

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

    TCellStore store;

protected:
    // Asked after the scroll bars took their ranges and page steps (rows and columns).
    virtual void ScrollBarsUpdated() {}

private:
    int colLeft(int col) const; // x of a visible column's left edge, -1 when not shown
    int rowTop(int row) const;  // y of a visible row's top edge, -1 when not shown
    int fixedWidth() const;
    int fixedHeight() const;
    int maxTopRow() const;
    int maxLeftCol() const;
    void updateScrollBars();
    void clampCurrent();
    void applyFixedCols(int value);
    void applyFixedRows(int value);
    void applyFixed(TGridAxisKind k, int value);
    void moveTopLeft(int col, int row);
    void scrollIntoView(int col, int row);
    void invalidateRect(const TGridRect& r);
    void placeEditor();
    bool sizingHit(int x, int y, TGridState& kind, int& index) const;

    int colCount = 5;
    int rowCount = 5;
    int fixedCols = 1;
    int fixedRows = 1;
    int defaultColWidth = 64;
    int defaultRowHeight = 24;
    int lineWidth = 1;
    // Widths and heights that differ from the default; empty while every one is the default,
    // so a grid of a million rows costs nothing for its heights.
    std::vector<int> colWidths;
    std::vector<int> rowHeights;
    TGridOptions options = kDefaultGridOptions;
    TPoint current{1, 1};
    TPoint anchor{1, 1};
    TPoint topLeft{1, 1};
    TColor color = platform::clWindow;
    TColor fixedColor = platform::clBtnFace;
    TFont font;
    bool defaultDrawing = true;
    QPainter* canvas = nullptr;
    TInplaceEdit* editor = nullptr;
    bool editorShown = false;
    TGridState state = TGridState::gsNormal;
    int sizingIndex = -1;
    int sizingOrigin = 0;
    int moveFrom = -1;
    int moveTo = -1;
    bool updatingScroll = false;
    bool showBarsQueued = false; // the scroll area's show-or-hide of its bars is queued
};

} // namespace grid
