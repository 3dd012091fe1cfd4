// The left release as an ordered table of named stages, and the mouse-up handling the platform
// release calls. The release ends what the press began (press.cpp): fixed-cell sizing, pushed
// buttons and headers, disjunct selections, enhanced moves and selection resizes; then, when no
// move or size ended here, it reports check boxes and radio groups and sorts by a header. Each
// stage answers true when it handled the release; nothing after it runs.

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"
#include "grid/input/HeaderDragButton.h"
#include "grid/input/PressContext.h"
#include "grid/input/StageTable.h"
#include "grid/markup/HTMLHintWindow.h"

#include <QMouseEvent>

#include <cstdlib>
#include <utility>

namespace grid {

namespace {

// A release this near a header's left or right edge belongs to the column border.
constexpr int kReleaseEdgeGrab = 4;
// The fixed drop-down and filter buttons take a header's right 16 pixels.
constexpr int kHeaderButtonWidth = 16;

Qt::KeyboardModifier releaseShiftKey(Qt::KeyboardModifiers m)
{
    if (m & Qt::AltModifier)
        return Qt::AltModifier;
    if (m & Qt::ShiftModifier)
        return Qt::ShiftModifier;
    if (m & Qt::ControlModifier)
        return Qt::ControlModifier;
    return Qt::NoModifier;
}

bool releaseInCells(const TPressContext& p)
{
    return p.ACol >= 0 && p.ARow >= 0;
}

} // namespace

void TQvStringGrid::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        HandleLeftButtonUp(e);
    else if (e->button() == Qt::RightButton)
        HandleRightButtonUp(e);
    else
        TBaseGrid::mouseReleaseEvent(e);
}

void TQvStringGrid::HandleLeftButtonUp(QMouseEvent* e)
{
    using Stage = TInputStage<TQvStringGrid, TPressContext>;
    static constexpr Stage kStages[] = {
        {"releaseResetState", &TQvStringGrid::releaseResetState},
        {"endFixedSizing", &TQvStringGrid::endFixedSizing},
        {"raisePushedFixedCell", &TQvStringGrid::raisePushedFixedCell},
        {"findReleaseCell", &TQvStringGrid::findReleaseCell},
        {"releasePushedButton", &TQvStringGrid::releasePushedButton},
        {"releaseSizingHint", &TQvStringGrid::releaseSizingHint},
        {"stopOnButtonOrGlyph", &TQvStringGrid::stopOnButtonOrGlyph},
        {"reportHeaderClick", &TQvStringGrid::reportHeaderClick},
        {"endSelectingState", &TQvStringGrid::endSelectingState},
        {"releaseOnSelection", &TQvStringGrid::releaseOnSelection},
        {"releaseDisjunctRows", &TQvStringGrid::releaseDisjunctRows},
        {"selectNodeGroup", &TQvStringGrid::selectNodeGroup},
        {"releaseDisjunctCols", &TQvStringGrid::releaseDisjunctCols},
        {"endEnhancedMoveOnRelease", &TQvStringGrid::endEnhancedMoveOnRelease},
        {"runPlatformRelease", &TQvStringGrid::runPlatformRelease},
        {"endSelectionResizeOnRelease", &TQvStringGrid::endSelectionResizeOnRelease},
        {"stopAfterMoveOrSize", &TQvStringGrid::stopAfterMoveOrSize},
        {"reportCheckOrRadioMouseUp", &TQvStringGrid::reportCheckOrRadioMouseUp},
        {"stopAfterAutoSizeDblClick", &TQvStringGrid::stopAfterAutoSizeDblClick},
        {"stopOnHeaderBorder", &TQvStringGrid::stopOnHeaderBorder},
        {"stopOnHeaderButton", &TQvStringGrid::stopOnHeaderButton},
        {"sortOnHeaderClick", &TQvStringGrid::sortOnHeaderClick},
    };
    TPressContext p;
    p.Event = e;
    p.X = int(e->position().x());
    p.Y = int(e->position().y());
    p.Shift = releaseShiftKey(e->modifiers());
    FLastReleaseStage = RunStages(*this, p, std::span<const Stage>(kStages));
}

// ---- what every release ends --------------------------------------------------------------------

bool TQvStringGrid::releaseResetState(TPressContext& /*p*/)
{
    TPointerState& s = *FPointer;
    ColMoveFlg = ColSizeFlg = false;
    s.FMouseDown = s.FMouseKeepDown = false;
    s.FMouseSelectMode = msNormal;
    if (FCtrlDown) {
        FCtrlDown = false;
        RepaintCell(FCtrlXY.X, FCtrlXY.Y);
    }
    s.FMouseDownMove = false;
    if (Look == glListView) {
        RepaintRow(0);
        if (FixedCols() > 0)
            RepaintCol(0);
    }
    s.FMouseSelectStart = -1;
    if (!Designing())
        for (TArrowWindow* arrow : arrows)
            if (arrow)
                arrow->hide();
    return false;
}

// The release ends a fixed column's or fixed row's sizing at its point. Nothing else follows: a
// sizing drag that ends over a header must not sort or click it.
bool TQvStringGrid::endFixedSizing(TPressContext& p)
{
    TPointerState& s = *FPointer;
    if (!s.FSizingFixed && !s.FSizingFixedR)
        return false;
    if (s.FSizingFixed)
        DrawColSizingLine(s.FSizeFixedX);
    if (s.FSizingFixedR)
        DrawRowSizingLine(s.FSizeFixedY);
    viewport()->unsetCursor();
    if (s.FSizingFixed) {
        s.FSizeFixed = s.FSizingFixed = false;
        const int col = std::exchange(s.FSizingFixedCol, -1);
        if (col < 0 || col >= ColCount())
            return true;
        int left = 0;
        for (int i = 0; i < col; ++i)
            left += ColWidths(i);
        // A release left of the column's own left edge would leave it zero or less wide and
        // lost to the user: it keeps one pixel.
        const int w = std::max(1, p.X - left);
        SetColWidths(col, w);
        if (OnEndColumnSize)
            OnEndColumnSize(this, col);
        if (OnUpdateColumnSize) {
            int u = w;
            OnUpdateColumnSize(this, col, u);
            if (u != w)
                SetColWidths(col, std::max(1, u));
        }
        return true;
    }
    s.FSizeFixedR = s.FSizingFixedR = false;
    const int row = std::exchange(s.FSizingFixedRow, -1);
    if (row < 0 || row >= RowCount())
        return true;
    int top = 0;
    for (int i = 0; i < row; ++i)
        top += RowHeights(i);
    // As for fixed columns: a fixed row keeps at least one pixel.
    SetRowHeights(row, std::max(1, p.Y - top));
    if (OnEndRowSize)
        OnEndRowSize(this, row);
    return true;
}

bool TQvStringGrid::raisePushedFixedCell(TPressContext& /*p*/)
{
    if (FPointer->FFixedCellPushed) {
        FPointer->FFixedCellPushed = false;
        viewport()->update(FPointer->FPushedFixedCell.toQRect());
    }
    return false;
}

bool TQvStringGrid::findReleaseCell(TPressContext& p)
{
    MouseToCell(p.X, p.Y, p.ACol, p.ARow);
    p.DisplCol = p.ACol;
    if (releaseInCells(p)) {
        p.CR = CellRect(p.ACol, p.ARow);
        p.FixedCell = p.ACol < FixedCols() || p.ARow < FixedRows();
    }
    return false;
}

// A button, expand glyph or header pushed by the press is clicked when the release is over it
// (a header anywhere on a cell) and the cell may be used.
bool TQvStringGrid::releasePushedButton(TPressContext& p)
{
    if (FPushedCellButton.X < 0)
        return false;
    const TPoint pushed = std::exchange(FPushedCellButton, TPoint{-1, -1});
    const auto& look = PaintSettings().ControlLook;
    bool usable = Options() & goEditing;
    if (releaseInCells(p) && !look.NoDisabledButtonLook())
        usable = CanEditNonFixedCell(p.ACol, p.ARow);
    const int displ = DisplColIndex(pushed.X);
    const bool inFixedCols = displ < FixedCols(), inFixedRows = pushed.Y < FixedRows();
    RepaintCell(displ, pushed.Y);
    if (!(usable || look.NoDisabledButtonLook() || inFixedCols || inFixedRows) || !releaseInCells(p))
        return false;
    const TPoint base = BaseCell(p.ACol, p.ARow);
    const int baseReal = RealColFromDispl(base.X);
    const QPoint at(p.X, p.Y);
    const bool headerButton = (FixedAsButtons && inFixedCols) || inFixedRows;
    if (headerButton || GetButtonRect(baseReal, base.Y).toQRect().contains(at))
        CellButtonClick(pushed.X, pushed.Y);
    if (HasExpand(baseReal, base.Y) && (headerButton || GetExpandRect(baseReal, base.Y).toQRect().contains(at)))
        CellExpandClick(pushed.X, pushed.Y, ToggleExpand(pushed.X, pushed.Y));
    return false;
}

bool TQvStringGrid::releaseSizingHint(TPressContext& /*p*/)
{
    if (FScrollHintShow) {
        FScrollHintShow = false;
        FScrollHintWnd->hide();
    }
    return false;
}

bool TQvStringGrid::stopOnButtonOrGlyph(TPressContext& p)
{
    if (!releaseInCells(p) || p.ACol >= ColCount() || p.ARow >= RowCount())
        return false;
    const TPoint base = BaseCell(p.ACol, p.ARow);
    const int real = RealColFromDispl(base.X);
    const QPoint at(p.X, p.Y);
    return GetButtonRect(real, base.Y).toQRect().contains(at)
           || (HasExpand(real, base.Y) && GetExpandRect(real, base.Y).toQRect().contains(at));
}

// A header release reports OnClick, but not the end of a drag on a column border.
bool TQvStringGrid::reportHeaderClick(TPressContext& p)
{
    TPointerState& s = *FPointer;
    const bool onHeaderBorder = p.ARow >= 0 && p.ARow < FixedRows() && (Options() & goColSizing)
                                && viewport()->cursor().shape() == Qt::SplitHCursor;
    if (OnClick && s.FDoOnClick && !onHeaderBorder && releaseInCells(p) && p.FixedCell)
        OnClick(this);
    s.FDoOnClick = false;
    return false;
}

bool TQvStringGrid::endSelectingState(TPressContext& /*p*/)
{
    if (GridState() == TGridState::gsSelecting) {
        SetGridState(TGridState::gsNormal);
        Click();
    }
    return false;
}

// A press on the selection that did not become a drag was a click on the cell: the selection
// shrinks to it (or, with disjunct rows and Ctrl, the row's mark flips).
bool TQvStringGrid::releaseOnSelection(TPressContext& p)
{
    if (!FSelectionClick)
        return false;
    FSelectionClick = false;
    if (!releaseInCells(p) || p.FixedCell || p.ACol >= ColCount() || p.ARow >= RowCount())
        return false;
    const TMouseActions& ma = MouseActions();
    if (ma.DisjunctRowSelect() && DragDropSettings().OleDropSource()) {
        if (p.Shift == Qt::ControlModifier || ma.DisjunctRowSelectNoCtrl()) {
            SetRowSelect(p.ARow, !GetRowSelect(p.ARow));
            if (OnMouseUp)
                OnMouseUp(this, Qt::LeftButton, Qt::ControlModifier, p.X, p.Y);
            return true;
        }
        ClearRowSelect();
    }
    const bool indicator = FixedCols() > 0 && !RowIndicator().Empty();
    if (indicator)
        RepaintCell(0, Row());
    TStringGrid::FocusCell(p.ACol, p.ARow, true);
    if (Options() & goRowSelect)
        SetSelection({FixedCols(), p.ARow, ColCount() - 1, p.ARow});
    if (indicator)
        RepaintCell(0, Row());
    return false;
}

bool TQvStringGrid::releaseDisjunctRows(TPressContext& p)
{
    TMouseActions& ma = MouseActions();
    TPointerState& s = *FPointer;
    if (!ma.DisjunctRowSelect() || !releaseInCells(p) || (p.ACol == 0 && HasNodes() && IsNode(p.ARow)))
        return false;
    if (!(p.ACol == 0 && ma.HotmailRowSelect()))
        SyncRowSelectWithSelection(false);
    if (p.ARow >= FixedRows() && p.ARow < RowCount() - FFixedFooters) {
        if (s.FDeselectState) {
            SetRowSelect(ma.RowSelectPersistent() ? RealRowIndex(p.ARow) : p.ARow, false);
            p.DeselectedRow = true;
        }
        if (ma.HotmailRowSelect())
            RepaintCell(0, 0);
    }
    s.FDeselectState = false;
    return false;
}

// Grouping.AutoSelectGroup: a release on an open group's header row selects the group.
bool TQvStringGrid::selectNodeGroup(TPressContext& p)
{
    if (!Grouping.AutoSelectGroup || !releaseInCells(p) || p.ACol == 0 || p.ARow >= RowCount() || !HasNodes()
        || !IsNode(p.ARow) || GetNodeState(p.ARow))
        return false;
    const int last = std::min(p.ARow + GetNodeSpan(p.ARow) - 1, RowCount() - 1);
    if (MouseActions().DisjunctRowSelect()) {
        for (int r = p.ARow + 1; r <= last; ++r)
            SetRowSelect(RealRowIndex(r), true);
    } else {
        SetSelection({FixedCols(), p.ARow, ColCount() - 1, last});
    }
    return false;
}

bool TQvStringGrid::releaseDisjunctCols(TPressContext& p)
{
    TPointerState& s = *FPointer;
    if (!MouseActions().DisjunctColSelect())
        return false;
    SyncColSelectWithSelection(false);
    if (s.FDeselectState && releaseInCells(p) && p.ACol >= FixedCols() && p.ACol < ColCount() - FFixedRightCols)
        SetColSelect(p.ACol, false);
    s.FDeselectState = false;
    return false;
}

// The floating header of an enhanced move goes; the column or row lands where the release is,
// unless the pointer showed that it may not.
bool TQvStringGrid::endEnhancedMoveOnRelease(TPressContext& p)
{
    const Qt::CursorShape shape = viewport()->cursor().shape();
    const bool colMove = GridState() == TGridState::gsColMoving, rowMove = GridState() == TGridState::gsRowMoving;
    const bool ends =
        (shape == Qt::DragMoveCursor || shape == Qt::ForbiddenCursor) && (colMove || rowMove) && EnhRowColMove;
    endEnhancedMove();
    if (!ends)
        return false;
    if (FMoveButton) {
        FMoveButton->setEnabled(false);
        FMoveButton->hide();
    }
    EndBlockFocus();
    viewport()->unsetCursor();
    const int from = FPointer->Movecell;
    CancelGridState(); // the grid moves it itself; the platform release must not move it again
    if (shape == Qt::ForbiddenCursor) {
        if (colMove)
            RepaintRow(0);
        else
            RepaintCol(0);
    } else if (colMove && p.ACol >= FixedCols() && p.ACol < ColCount() && p.ACol != from && from >= 0) {
        MoveColumn(from, p.ACol);
    } else if (rowMove && p.ARow >= FixedRows() && p.ARow < RowCount() && p.ARow != from && from >= 0) {
        MoveRow(from, p.ARow);
    }
    p.Moved = true;
    return false;
}

// The platform's release (through the mouse-up handling below) ends its own sizing, moves and
// range selection; a column or row it sized gets the grid's upkeep here.
bool TQvStringGrid::runPlatformRelease(TPressContext& p)
{
    const TGridState was = GridState();
    MouseUpInGrid(Qt::LeftButton, p.Event ? p.Event->modifiers() : Qt::KeyboardModifiers(p.Shift), p.X, p.Y);
    // ColSizeFlg already set: the sizing was dragged out of the grid and cancelled.
    if (ColSizeFlg) {
        // nothing was sized
    } else if (was == TGridState::gsColSizing && FPointer->Colclicked >= 0) {
        ColSizeFlg = true;
        afterColumnResize(FPointer->Colclicked);
    } else if (was == TGridState::gsRowSizing && FPointer->Rowclicked >= 0) {
        // A row sized on a header border is no header click either.
        ColSizeFlg = true;
        afterRowResize(FPointer->Rowclicked);
    }
    if (p.DeselectedRow)
        FSelChange = false;
    if (GridState() == TGridState::gsSelecting)
        SetGridState(TGridState::gsNormal);
    return false;
}

bool TQvStringGrid::endSelectionResizeOnRelease(TPressContext& /*p*/)
{
    endSelectionResize();
    return false;
}

// ---- what only a plain click on a cell does -----------------------------------------------------

bool TQvStringGrid::stopAfterMoveOrSize(TPressContext& p)
{
    if (ColMoveFlg || ColSizeFlg || !releaseInCells(p) || p.ACol >= ColCount() || p.ARow >= RowCount())
        return true;
    if (p.ACol < FixedCols() && !SortSettings().FixedCols())
        return true;
    p.RealCol = RealColIndex(p.ACol);
    return false;
}

bool TQvStringGrid::reportCheckOrRadioMouseUp(TPressContext& p)
{
    if (HasCheckBox(p.RealCol, p.ARow)) {
        bool state = false;
        GetCheckBoxState(p.RealCol, RealRowIndex(p.ARow), state);
        if (OnCheckBoxMouseUp)
            OnCheckBoxMouseUp(this, p.RealCol, p.ARow, state);
    } else if (IsRadio(p.RealCol, p.ARow)) {
        int idx = -1;
        GetRadioIdx(p.RealCol, p.ARow, idx);
        if (OnRadioMouseUp)
            OnRadioMouseUp(this, p.RealCol, p.ARow, idx);
    }
    return false;
}

bool TQvStringGrid::stopAfterAutoSizeDblClick(TPressContext& /*p*/)
{
    return std::exchange(FPointer->FDblClk, false);
}

bool TQvStringGrid::stopOnHeaderBorder(TPressContext& p)
{
    return p.ARow == 0 && (Options() & goColSizing)
           && (p.X - p.CR.Left < kReleaseEdgeGrab || p.CR.Right - p.X < kReleaseEdgeGrab);
}

bool TQvStringGrid::stopOnHeaderButton(TPressContext& p)
{
    if (p.X <= p.CR.Right - kHeaderButtonWidth)
        return false;
    if (ControlLook().FixedDropDownButton() && CanShowFixedDropDown(p.RealCol))
        return true;
    return p.ARow == FilterDropDownRow() && GetColumnFilter(p.RealCol);
}

// A click on the sort row, pressed and released there, sorts by the column (clickSort in
// sort/sort.cpp), unless an enhanced move ended or the click was on a check box.
bool TQvStringGrid::sortOnHeaderClick(TPressContext& p)
{
    const auto& ss = SortSettings();
    int pressCol = -1, pressRow = -1;
    MouseToCell(FPointer->Clickposx, FPointer->Clickposy, pressCol, pressRow);
    if (ss.Row() != p.ARow || ss.Row() != pressRow || FixedRows() <= 0 || !ss.Show() || p.Moved || RowCount() <= 2
        || IsInCheckBox(p.RealCol, p.ARow, p.X, p.Y))
        return false;
    bool doSort = !IsIgnoredColumn(p.RealCol);
    if (OnCanSort)
        OnCanSort(this, p.RealCol, doSort);
    if (!doSort) {
        RepaintCell(p.DisplCol, ss.Row());
        return false;
    }
    clickSort(p.RealCol, p.Event ? p.Event->modifiers() : Qt::KeyboardModifiers(p.Shift));
    return false;
}

// ---- the mouse-up handling the platform release calls -------------------------------------------

void TQvStringGrid::MouseUpInGrid(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    using Stage = TInputStage<TQvStringGrid, TPressContext>;
    static constexpr Stage kStages[] = {
        {"upAtDesignTime", &TQvStringGrid::upAtDesignTime},
        {"upNoteSelection", &TQvStringGrid::upNoteSelection},
        {"upFilterButton", &TQvStringGrid::upFilterButton},
        {"upCancelSizingOutside", &TQvStringGrid::upCancelSizingOutside},
        {"upDisjunctCells", &TQvStringGrid::upDisjunctCells},
        {"upPlatformAndReport", &TQvStringGrid::upPlatformAndReport},
    };
    TPressContext u;
    u.Button = Button;
    u.X = X;
    u.Y = Y;
    u.Shift = releaseShiftKey(Shift);
    MouseToCell(X, Y, u.ACol, u.ARow);
    RunStages(*this, u, std::span<const Stage>(kStages));
}

void TQvStringGrid::platformRelease(const TPressContext& u)
{
    const QPointF at(u.X, u.Y);
    QMouseEvent e(QEvent::MouseButtonRelease, at, viewport()->mapToGlobal(at), u.Button, Qt::NoButton,
                  Qt::KeyboardModifiers(u.Shift));
    TBaseGrid::mouseReleaseEvent(&e);
}

bool TQvStringGrid::upAtDesignTime(TPressContext& u)
{
    if (!Designing())
        return false;
    platformRelease(u);
    return true;
}

bool TQvStringGrid::upNoteSelection(TPressContext& u)
{
    u.ReportS1 = u.Button == Qt::LeftButton || (u.Button == Qt::RightButton && MouseActions().SelectOnRightClick());
    u.S1 = Selection();
    return false;
}

bool TQvStringGrid::upFilterButton(TPressContext& u)
{
    FilterMouseUp(u.X, u.Y);
    return false;
}

// Sizing dragged out past the grid's right or bottom edge is cancelled: the column or row gets
// back the size it had at the press, and the release does nothing more (ColSizeFlg).
bool TQvStringGrid::upCancelSizingOutside(TPressContext& u)
{
    const TPointerState& s = *FPointer;
    if (GridState() == TGridState::gsColSizing && u.X >= viewport()->width()) {
        CancelGridState();
        ColSizeFlg = true;
        if (s.Colclicked >= 0 && s.Colclicked < ColCount() && s.Colclickedsize > 0)
            SetColWidths(s.Colclicked, s.Colclickedsize);
        return true;
    }
    if (GridState() == TGridState::gsRowSizing && u.Y >= viewport()->height()) {
        CancelGridState();
        ColSizeFlg = true;
        if (s.Rowclicked >= 0 && s.Rowclicked < RowCount() && s.Rowclickedsize > 0)
            SetRowHeights(s.Rowclicked, s.Rowclickedsize);
        return true;
    }
    return false;
}

// Disjunct cells: Shift adds the cell, Ctrl flips it, a plain release starts a new list; the
// rest of a dragged rectangle joins the list.
bool TQvStringGrid::upDisjunctCells(TPressContext& u)
{
    if (!MouseActions().DisjunctCellSelect() || u.Button != Qt::LeftButton || u.ACol < 0 || u.ARow < 0)
        return false;
    if (IsFixed(u.ACol, u.ARow)) {
        if (u.Shift != Qt::ControlModifier) {
            SelectedCellList().Clear();
            Invalidate();
        }
        return false;
    }
    const TPoint base = BaseCell(u.ACol, u.ARow);
    if (base.X < FixedCols() || base.Y < FixedRows())
        return false;
    bool canSelect = true;
    if (OnSelectCell)
        OnSelectCell(this, base.X, base.Y, canSelect);
    if (!canSelect)
        return true;
    if (u.Shift == Qt::ShiftModifier) {
        SetSelectedCells(base.X, base.Y, true);
    } else if (u.Shift == Qt::ControlModifier) {
        SetSelectedCells(base.X, base.Y, !GetSelectedCells(base.X, base.Y));
    } else {
        for (int i = 0; i < SelectedCellList().Count(); ++i) {
            const TPoint c = GetSelectedCell(i);
            RepaintCell(c.X, c.Y);
        }
        SelectedCellList().Clear();
        SetSelectedCells(base.X, base.Y, true);
    }
    const TGridRect s = Selection();
    if (s.Left == s.Right && s.Top == s.Bottom) {
        RepaintCell(s.Left, s.Top);
    } else {
        for (int c = s.Left; c <= s.Right; ++c)
            for (int r = s.Top; r <= s.Bottom; ++r)
                if ((c != base.X || r != base.Y) && !GetSelectedCells(c, r))
                    SetSelectedCells(c, r, true);
    }
    RepaintCell(base.X, base.Y);
    return false;
}

bool TQvStringGrid::upPlatformAndReport(TPressContext& u)
{
    if (u.ReportS1)
        reportSelectionChanged();
    // The right button's release leaves a column move to the left one.
    if (u.Button == Qt::RightButton && GridState() == TGridState::gsColMoving)
        return true;
    platformRelease(u);
    const bool hover = u.ACol >= 0 && u.ACol == FHoverFixedX && u.ARow == FHoverFixedY;
    if (hover && u.ARow == FixedRows() - 1 && ControlLook().FixedGradientDownFrom() != TColor(0x1FFFFFFF))
        RepaintCell(u.ACol, u.ARow);
    if (u.ReportS1 && Selection() != u.S1)
        reportSelectionChanged();
    return false;
}

// ---- the right button's release -----------------------------------------------------------------

// While an enhanced move shows its pointer the right button's release is swallowed: the move
// goes on and ends only with the left button.
void TQvStringGrid::HandleRightButtonUp(QMouseEvent* e)
{
    const Qt::CursorShape shape = viewport()->cursor().shape();
    const bool moving = GridState() == TGridState::gsColMoving || GridState() == TGridState::gsRowMoving;
    if (EnhRowColMove && moving && (shape == Qt::DragMoveCursor || shape == Qt::ForbiddenCursor)) {
        e->accept();
        return;
    }
    MouseUpInGrid(Qt::RightButton, e->modifiers(), int(e->position().x()), int(e->position().y()));
}

} // namespace grid
