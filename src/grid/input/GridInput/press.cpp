// The left press as an ordered table of named stages, and the mouse-down handling the platform
// press calls. Each stage answers true when it handled the press; nothing after it runs. The
// order of the tests is the behaviour: a node glyph before a radio group, a check box before an
// edit start, and so on, so the order lives in the one table below.

#include "grid/QvGrid.h"
#include "grid/edit/GridTrans.h"
#include "grid/input/GridInput.h"
#include "grid/input/PressContext.h"
#include "grid/input/StageTable.h"
#include "grid/look/ZirAzur.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>

#include <cmath>
#include <cstdlib>

namespace grid {

namespace {

// The selection's resize handle: the last cell's bottom and right 6 pixels.
constexpr int kHandle = 6;
// A press this near a cell's left or right edge may be a sizing grab, not a click in the cell.
constexpr int kEdgeGrab = 4;
// Always-visible spin buttons and the fixed drop-down button take the cell's right pixels.
constexpr int kSpinButtonWidth = 18;
constexpr int kFixedDropDownWidth = 16;
// Every 9 pixels of a rating cell count half a point.
constexpr int kRatingHalfStep = 9;

Qt::KeyboardModifier oneShiftKey(Qt::KeyboardModifiers m)
{
    if (m & Qt::AltModifier)
        return Qt::AltModifier;
    if (m & Qt::ShiftModifier)
        return Qt::ShiftModifier;
    if (m & Qt::ControlModifier)
        return Qt::ControlModifier;
    return Qt::NoModifier;
}

bool contains(const TGridRect& s, int col, int row)
{
    return col >= s.Left && col <= s.Right && row >= s.Top && row <= s.Bottom;
}

} // namespace

int TQvStringGrid::HandleLeftButtonDown(QMouseEvent* e)
{
    using Stage = TInputStage<TQvStringGrid, TPressContext>;
    static constexpr Stage kStages[] = {
        {"beginPress", &TQvStringGrid::beginPress},
        {"pressSelectionHandle", &TQvStringGrid::pressSelectionHandle},
        {"leaveEditingOutsideSelection", &TQvStringGrid::leaveEditingOutsideSelection},
        {"askCanClickCell", &TQvStringGrid::askCanClickCell},
        {"pressInSelectorOrResizeMode", &TQvStringGrid::pressInSelectorOrResizeMode},
        {"clearDisjunctCellsOnPlainPress", &TQvStringGrid::clearDisjunctCellsOnPlainPress},
        {"resetPressState", &TQvStringGrid::resetPressState},
        {"noteSizingReference", &TQvStringGrid::noteSizingReference},
        {"pressOutsideCells", &TQvStringGrid::pressOutsideCells},
        {"takeBaseCell", &TQvStringGrid::takeBaseCell},
        {"startFixedSizing", &TQvStringGrid::startFixedSizing},
        {"closeEditorOnFixedCell", &TQvStringGrid::closeEditorOnFixedCell},
        {"pushFixedCell", &TQvStringGrid::pushFixedCell},
        {"stopAtDesignTime", &TQvStringGrid::stopAtDesignTime},
        {"pressSpinButton", &TQvStringGrid::pressSpinButton},
        {"pressHeaderNode", &TQvStringGrid::pressHeaderNode},
        {"pressRowNode", &TQvStringGrid::pressRowNode},
        {"pressRadioGroup", &TQvStringGrid::pressRadioGroup},
        {"pressNodeColumn", &TQvStringGrid::pressNodeColumn},
        {"armSelectionDrag", &TQvStringGrid::armSelectionDrag},
        {"pressRating", &TQvStringGrid::pressRating},
        {"pressCellButton", &TQvStringGrid::pressCellButton},
        {"pressExpandGlyph", &TQvStringGrid::pressExpandGlyph},
        {"movePressToMergeBase", &TQvStringGrid::movePressToMergeBase},
        {"pressBeyondCells", &TQvStringGrid::pressBeyondCells},
        {"pressDisjunctRows", &TQvStringGrid::pressDisjunctRows},
        {"pressDisjunctCols", &TQvStringGrid::pressDisjunctCols},
        {"pressLinkOrControl", &TQvStringGrid::pressLinkOrControl},
        {"selectFromHeaders", &TQvStringGrid::selectFromHeaders},
        {"decideCanEdit", &TQvStringGrid::decideCanEdit},
        {"pressCheckBox", &TQvStringGrid::pressCheckBox},
        {"prepareEditStart", &TQvStringGrid::prepareEditStart},
        {"noteSameCell", &TQvStringGrid::noteSameCell},
        {"pressFixedByHook", &TQvStringGrid::pressFixedByHook},
        {"askColumnSizing", &TQvStringGrid::askColumnSizing},
        {"runPlatformPress", &TQvStringGrid::runPlatformPress},
        {"reportClickCell", &TQvStringGrid::reportClickCell},
        {"saveValueForValidation", &TQvStringGrid::saveValueForValidation},
        {"editMergedCell", &TQvStringGrid::editMergedCell},
        {"directEdit", &TQvStringGrid::directEdit},
        {"armSelectingAtEnd", &TQvStringGrid::armSelectingAtEnd},
    };
    TPressContext p;
    p.Event = e;
    p.X = int(e->position().x());
    p.Y = int(e->position().y());
    p.Shift = oneShiftKey(e->modifiers());
    TPressContext* outer = FPressing;
    FPressing = &p;
    FLastPressStage = RunStages(*this, p, std::span<const Stage>(kStages));
    FPressing = outer;
    return p.Result;
}

// ---- before the cell is known ------------------------------------------------------------------

bool TQvStringGrid::beginPress(TPressContext& p)
{
    TPointerState& s = *FPointer;
    s.FDoOnClick = s.FMouseDownMove = s.FMouseKeepDown = true;
    s.FDblClk = false;
    FSpinUpClick = FSpinDnClick = false;
    MouseToCell(p.X, p.Y, p.ACol, p.ARow);
    p.S0 = Selection();
    // The release reports the selection only when the click changed it.
    s.FMoveSelection = p.S0;
    return false;
}

bool TQvStringGrid::inSelectionHandle(int X, int Y) const
{
    if (!SelectionResizer || !SelectionRectangle)
        return false;
    const TGridRect s = Selection();
    const TRect cr = CellRect(s.Right, s.Bottom);
    if (cr.IsEmpty() || Y <= cr.Bottom - kHandle || Y > cr.Bottom)
        return false;
    if (layoutDirection() == Qt::RightToLeft)
        return X >= cr.Left + kHandle && X <= cr.Right;
    return X > cr.Right - kHandle && X <= cr.Right;
}

bool TQvStringGrid::pressSelectionHandle(TPressContext& p)
{
    if (!inSelectionHandle(p.X, p.Y))
        return false;
    startSelectionResize(p, !(Options() & goEditing) && !MouseActions().RangeSelectAndEdit());
    p.Result = 1;
    return true;
}

// The press on the handle: the selection is copied now and pasted over the grown selection on
// the release (endSelectionResize, from release.cpp); the moves in between grow it from its
// top-left corner.
void TQvStringGrid::startSelectionResize(TPressContext& p, bool runPlatform)
{
    FDropSelection = Selection();
    CopySelectionToClipboard();
    FPointer->FMouseResize = true;
    const TGridRect keep = Selection();
    const int keepCol = Col(), keepRow = Row();
    if (runPlatform)
        MouseDownInGrid(Qt::LeftButton, p.Event ? p.Event->modifiers() : Qt::NoModifier, p.X, p.Y);
    TStringGrid::FocusCell(keep.Left, keep.Top, true);
    SetSelection(keep);
    if (keepCol != Col() || keepRow != Row())
        SetSelection(keep);
    SetGridState(TGridState::gsSelecting);
    QMouseEvent still(QEvent::MouseMove, QPointF(p.X, p.Y), viewport()->mapToGlobal(QPointF(p.X, p.Y)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    MouseMoveInGrid(&still);
    SetGridState(TGridState::gsSelecting);
}

void TQvStringGrid::endSelectionResize()
{
    TPointerState& s = *FPointer;
    if (!s.FMouseResize)
        return;
    const TGridRect orig = FDropSelection, now = Selection();
    if (OnSelectionResize)
        OnSelectionResize(this, orig, now);
    const bool wasDisabled = FEditDisable;
    FEditDisable = true;
    PasteSelectionFromClipboard();
    s.FMouseResize = false;
    FEditDisable = wasDisabled;
    if (OnSelectionResized)
        OnSelectionResized(this, orig, now);
}

bool TQvStringGrid::leaveEditingOutsideSelection(TPressContext& p)
{
    if ((Options() & goEditing) && MouseActions().RangeSelectAndEdit() && !contains(p.S0, p.ACol, p.ARow))
        SetOptions(Options() & ~goEditing);
    return false;
}

bool TQvStringGrid::askCanClickCell(TPressContext& p)
{
    bool allow = true;
    if (OnCanClickCell)
        OnCanClickCell(this, p.ARow, p.ACol, allow);
    return !allow;
}

bool TQvStringGrid::pressInSelectorOrResizeMode(TPressContext& p)
{
    if (FPointer->FCellSelectorMode) {
        CellSelectorHook(p.ACol, p.ARow);
        return true;
    }
    if (FPointer->FMouseSelectMode != msResize)
        return false;
    startSelectionResize(p, !(Options() & goEditing));
    return true;
}

bool TQvStringGrid::clearDisjunctCellsOnPlainPress(TPressContext& p)
{
    if (MouseActions().DisjunctCellSelect() && p.Shift != Qt::ControlModifier && !IsFixed(p.ACol, p.ARow)) {
        SelectedCellList().Clear();
        Invalidate();
    }
    return false;
}

bool TQvStringGrid::resetPressState(TPressContext& p)
{
    IncrSearchText.clear();
    TPointerState& s = *FPointer;
    s.FMoveColInd = s.FMoveRowInd = -1;
    s.Movecell = -1;
    FSelectionClick = false;
    FPushedCellButton = {-1, -1};
    p.L0 = LeftCol();
    p.T0 = TopRow();
    s.FOldKeepLeftCol = p.L0;
    return false;
}

// The cell left of and above the press: the column or row whose border may be dragged.
bool TQvStringGrid::noteSizingReference(TPressContext& p)
{
    TPointerState& s = *FPointer;
    int rc = -1, rr = -1;
    if (p.ARow != 0 && p.ACol != 0)
        MouseToCell(p.X - 5, p.Y - 4, rc, rr);
    else if (p.ACol == 0)
        MouseToCell(p.X, p.Y - 4, rc, rr);
    else
        MouseToCell(p.X - 5, p.Y, rc, rr);
    if (Look == glListView && FHoverFixedX >= 0 && FHoverFixedY >= 0
        && (FHoverFixedX < FixedCols() || FHoverFixedY < FixedRows()))
        RepaintCell(FHoverFixedX, FHoverFixedY);
    s.Colclicked = rc;
    s.Rowclicked = rr;
    s.Colclickedsize = rc >= 0 ? ColWidths(rc) : 0;
    s.Rowclickedsize = rr >= 0 ? RowHeights(rr) : 0;
    s.Clickposx = p.X;
    s.Clickposy = p.Y;
    return false;
}

bool TQvStringGrid::pressOutsideCells(TPressContext& p)
{
    if (p.ACol >= 0 && p.ARow >= 0)
        return false;
    HideInplaceEdit();
    if (!FFixedRowAlways)
        MouseDownInGrid(Qt::LeftButton, p.Event->modifiers(), p.X, p.Y);
    return true;
}

bool TQvStringGrid::takeBaseCell(TPressContext& p)
{
    const TPoint base = BaseCell(p.ACol, p.ARow);
    p.ACol = base.X;
    p.ARow = base.Y;
    p.RealCol = RealColFromDispl(p.ACol);
    p.CR = CellRect(p.ACol, p.ARow);
    p.FixedCell = p.ACol < FixedCols() || p.ARow < FixedRows();
    LButFlg = MouseActions().CaretPositioning();
    return false;
}

bool TQvStringGrid::startFixedSizing(TPressContext& p)
{
    TPointerState& s = *FPointer;
    // Running sums of the widths or heights plus one line each, as the move armed it.
    const auto grabbed = [](int count, int at, const auto& size) {
        int found = -1, sum = 0;
        for (int i = 0; i < count; ++i) {
            if (std::abs(size(i) + sum - at) < kFixedSizingGrip)
                found = i;
            sum += size(i) + 1;
        }
        return found;
    };
    if (s.FSizeFixed) {
        s.FSizingFixed = true;
        s.FSizeFixedX = p.X;
        DrawColSizingLine(p.X);
        if (!Designing())
            s.FSizingFixedCol = grabbed(FixedCols(), p.X, [this](int i) { return ColWidths(i); });
        return true;
    }
    if (s.FSizeFixedR) {
        s.FSizingFixedR = true;
        s.FSizeFixedY = p.Y;
        DrawRowSizingLine(p.Y);
        if (!Designing())
            s.FSizingFixedRow = grabbed(FixedRows(), p.Y, [this](int i) { return RowHeights(i); });
        return true;
    }
    return false;
}

bool TQvStringGrid::closeEditorOnFixedCell(TPressContext& p)
{
    if (p.FixedCell || IsFixed(p.ACol, p.ARow))
        HideInplaceEdit();
    return false;
}

// FixedAsButtons: the pressed header is drawn sunken until the release.
bool TQvStringGrid::pushFixedCell(TPressContext& p)
{
    p.Node = p.ARow >= 0 && HasNodes() && IsNode(p.ARow);
    const bool onGlyph = p.Node && p.ACol == 0 && IsNodeGlyphHit(p.ARow, p.X);
    const unsigned lines = goFixedVertLine | goFixedHorzLine;
    if (!(p.FixedCell || IsFixed(p.ACol, p.ARow)) || !FixedAsButtons || (Options() & lines) != lines || onGlyph)
        return false;
    TPointerState& s = *FPointer;
    s.FPushedFixedCell = p.CR;
    s.FFixedCellPushed = true;
    FPushedCellButton = {p.ACol, p.ARow};
    RepaintCell(p.ACol, p.ARow);
    p.Node = false;
    return false;
}

bool TQvStringGrid::stopAtDesignTime(TPressContext& /*p*/)
{
    return Designing();
}

// ---- cells that answer the press themselves -----------------------------------------------------

bool TQvStringGrid::pressSpinButton(TPressContext& p)
{
    if (!PaintSettings().ControlLook.SpinButtonsAlwaysVisible() || !CellHasSpinEdit(p.RealCol, p.ARow)
        || p.X <= p.CR.Right - kSpinButtonWidth)
        return false;
    // The lower half steps down, the upper half up; the editor replays it when it opens.
    if (p.Y > p.CR.Top + (p.CR.Bottom - p.CR.Top) / 2)
        FSpinDnClick = true;
    else
        FSpinUpClick = true;
    return false;
}

bool TQvStringGrid::pressHeaderNode(TPressContext& p)
{
    if (p.ARow >= FixedRows() || p.ACol != 0 || !p.Node || !IsNodeGlyphHit(p.ARow, p.X)
        || !MouseActions().NodeAllExpandContract())
        return false;
    TCellGraphic* g = GetCellGraphic(0, p.ARow);
    if (!g)
        return false;
    const bool contracted = g->FCellBoolean;
    if (contracted)
        ExpandAll();
    else
        ContractAll();
    g->FCellBoolean = !contracted;
    RepaintCell(0, p.ARow);
    return false;
}

bool TQvStringGrid::pressRowNode(TPressContext& p)
{
    if (p.ARow < FixedRows() || p.ACol != 0 || !p.Node || !IsNodeGlyphHit(p.ARow, p.X))
        return false;
    if (OnMouseDown)
        OnMouseDown(this, Qt::LeftButton, p.Shift, p.X, p.Y);
    if (OnClickCell)
        OnClickCell(this, p.ARow, p.ACol);
    const int real = RealRowIndex(p.ARow);
    bool allow = true;
    if (GetNodeState(p.ARow)) {
        if (OnBeforeExpandNode)
            OnBeforeExpandNode(this, p.ARow, real, allow);
        if (allow) {
            ExpandNode(real);
            if (OnExpandNode)
                OnExpandNode(this, p.ARow, real);
        }
    } else {
        if (OnBeforeContractNode)
            OnBeforeContractNode(this, p.ARow, real, allow);
        if (allow) {
            ContractNode(real);
            if (OnContractNode)
                OnContractNode(this, p.ARow, real);
        }
    }
    if (MouseActions().MoveRowOnNodeClick())
        TStringGrid::FocusCell(Col(), p.ARow, true);
    return true;
}

bool TQvStringGrid::pressRadioGroup(TPressContext& p)
{
    if (GetCellType(p.RealCol, p.ARow) != ctRadio
        || !(IsEditable(p.ACol, p.ARow) || PaintSettings().ControlLook.RadioAlwaysActive()))
        return false;
    HideInplaceEdit();
    ClickRadioGroup(p.RealCol, p.ARow, p.X - p.CR.Left, p.Y - p.CR.Top);
    setFocus(Qt::MouseFocusReason);
    return true;
}

// Column 0 of a node grid never becomes current.
bool TQvStringGrid::pressNodeColumn(TPressContext& p)
{
    if (p.ACol != 0 || p.ARow < FixedRows() || !HasNodes() || MouseActions().RowSelect() || (Options() & goRowSizing))
        return false;
    if (OnMouseDown)
        OnMouseDown(this, Qt::LeftButton, p.Shift, p.X, p.Y);
    if (OnClickCell)
        OnClickCell(this, p.ARow, p.ACol);
    return true;
}

bool TQvStringGrid::armSelectionDrag(TPressContext& p)
{
    return ArmSelectionDrag(p.ACol, p.ARow, p.X, p.Y);
}

bool TQvStringGrid::pressRating(TPressContext& p)
{
    if (GetCellType(p.RealCol, p.ARow) != ctRating || !IsEditable(p.ACol, p.ARow))
        return false;
    HideInplaceEdit();
    double rate = std::trunc(double(p.X - p.CR.Left) / kRatingHalfStep) / 2.0;
    if (CanChangeRating(p.RealCol, p.ARow, rate)) {
        SetFloats(p.RealCol, p.ARow, rate);
        RepaintCell(p.ACol, p.ARow);
    }
    return true;
}

// A button or expand glyph is pushed by the press and clicked by the release; a press beside
// it falls through to the cell's normal handling.
bool TQvStringGrid::pressButtonLike(TPressContext& p, bool expand)
{
    HideInplaceEdit();
    if (!p.FixedCell) {
        FForceSel = true;
        SelectCell(p.ACol, p.ARow);
        FForceSel = false;
    }
    const TRect br = expand ? GetExpandRect(p.RealCol, p.ARow) : GetButtonRect(p.RealCol, p.ARow);
    if (!br.toQRect().contains(p.X, p.Y))
        return false;
    // The viewport holds the mouse from the press to the release on its own.
    PushButton(p.RealCol, p.ARow, true);
    if (OnClickCell)
        OnClickCell(this, p.ARow, p.ACol);
    return true;
}

bool TQvStringGrid::pressCellButton(TPressContext& p)
{
    const int type = GetCellType(p.RealCol, p.ARow);
    return (type == ctButton || type == ctBitButton) && pressButtonLike(p, false);
}

bool TQvStringGrid::pressExpandGlyph(TPressContext& p)
{
    return GetCellType(p.RealCol, p.ARow) == ctExpand && pressButtonLike(p, true);
}

// The platform handling must land on the merge's base cell, wherever in the merge the press was.
bool TQvStringGrid::movePressToMergeBase(TPressContext& p)
{
    if (!IsMergedCell(p.ACol, p.ARow) || IsFixed(p.ACol, p.ARow) || OnMouseDown)
        return false;
    p.X = layoutDirection() == Qt::RightToLeft ? p.CR.Right - 2 : p.CR.Left + 2;
    p.Y = p.CR.Top + 2;
    return false;
}

bool TQvStringGrid::pressBeyondCells(TPressContext& p)
{
    if (p.ACol >= ColCount() || p.ARow >= RowCount()) {
        MouseDownInGrid(Qt::LeftButton, p.Event->modifiers(), p.X, p.Y);
        return true;
    }
    TPointerState& s = *FPointer;
    const TRect ref = s.Colclicked >= 0 && s.Rowclicked >= 0 ? CellRect(s.Colclicked, s.Rowclicked) : TRect{};
    s.Clickposdx = p.X - ref.Right;
    s.Clickposdy = p.Y - ref.Bottom;
    return false;
}

// ---- selections from the press -----------------------------------------------------------------

bool TQvStringGrid::pressDisjunctRows(TPressContext& p)
{
    TMouseActions& ma = MouseActions();
    TPointerState& s = *FPointer;
    if (!ma.DisjunctRowSelect() || p.ARow < FixedRows() || (p.ACol == 0 && ma.HotmailRowSelect()))
        return false;
    if (p.Shift == Qt::ShiftModifier) {
        MouseDownInGrid(Qt::LeftButton, p.Event->modifiers(), p.X, p.Y);
        SetSelection({std::min(p.ACol, p.S0.Left), std::min(p.ARow, p.S0.Top), std::max(p.ACol, p.S0.Left),
                      std::max(p.ARow, p.S0.Top)});
        return true;
    }
    const int row = ma.RowSelectPersistent() ? RealRowIndex(p.ARow) : p.ARow;
    if (p.Shift == Qt::ControlModifier || ma.DisjunctRowSelectNoCtrl()) {
        s.FDeselectState = GetRowSelect(row);
    } else {
        s.FMouseDown = true;
        if (p.Shift != Qt::AltModifier)
            ClearRowSelect();
    }
    return false;
}

bool TQvStringGrid::pressDisjunctCols(TPressContext& p)
{
    TPointerState& s = *FPointer;
    if (!MouseActions().DisjunctColSelect() || p.ACol < FixedCols())
        return false;
    if (p.Shift == Qt::ControlModifier) {
        s.FDeselectState = GetColSelect(p.ACol);
    } else {
        s.FMouseDown = true;
        ClearColSelect();
    }
    return false;
}

// Links: a link text with URLShow, or the anchor or cell control of a markup text.
bool TQvStringGrid::pressLinkOrControl(TPressContext& p)
{
    const QString text = Cells(p.RealCol, p.ARow);
    const bool markup = ZirAzur::GetCellTextKind(text, EnableHTML) == ZirAzur::ctkMarkup;
    if (PaintSettings().URLShow && !text.isEmpty() && !markup && ZirAzur::TextIsUrl(text)) {
        openAnchor(p.ARow, p.ACol, text);
        return true;
    }
    return markup && PressOnMarkupCell(p.ACol, p.ARow, p.X, p.Y);
}

bool TQvStringGrid::selectFromHeaders(TPressContext& p)
{
    headerSelectPress(p.X, p.Y, p.ACol, p.ARow, p.Event->modifiers());
    return false;
}

// ---- check boxes, editing and the platform's own press ----------------------------------------

bool TQvStringGrid::decideCanEdit(TPressContext& p)
{
    p.CanEdit = (Options() & goEditing) || MouseActions().RangeSelectAndEdit();
    CanEditCell(p.RealCol, p.ARow, p.CanEdit);
    return false;
}

bool TQvStringGrid::pressCheckBox(TPressContext& p)
{
    const TMouseActions& ma = MouseActions();
    const bool hotmail = p.ACol == 0 && ma.HotmailRowSelect();
    const bool radioButton = HasRadioButton(p.RealCol, p.ARow);
    if (p.ACol >= ColCount() || p.ARow >= RowCount()
        || !(p.CanEdit || PaintSettings().ControlLook.CheckAlwaysActive() || hotmail)
        || !(HasCheckBox(p.RealCol, p.ARow) || radioButton) || !IsInCheckBox(p.RealCol, p.ARow, p.X, p.Y))
        return false;
    HideInplaceEdit();
    setFocus(Qt::MouseFocusReason);
    const int realRow = RealRowIndex(p.ARow);
    bool state = UserToggleCheck(p.RealCol, p.ARow);
    if (hotmail) {
        SetSelection({FixedCols(), p.ARow, ColCount() - 1, p.ARow});
        SetRowSelect(realRow, !GetRowSelect(realRow));
        if (realRow != p.ARow)
            RepaintCell(0, p.ARow);
        if (p.ARow == Row() && !GetRowSelect(realRow))
            HideSelection();
        GetCheckBoxState(p.RealCol, realRow, state);
    }
    if (!Navigation().AlwaysEdit() && !p.FixedCell)
        TStringGrid::FocusCell(p.ACol, p.ARow, true);
    CheckBoxClick(p.ACol, p.ARow, state);
    if (HideFocusRect)
        RepaintCell(p.ACol, p.ARow);
    if (p.ARow < FixedRows() && ma.CheckAllCheck())
        checkHeaderCheckAll(p.RealCol, p.ARow, state);
    if (OnMouseDown)
        OnMouseDown(this, Qt::LeftButton, QApplication::keyboardModifiers(), p.X, p.Y);
    return true;
}

// A header check box with CheckAllCheck checks or clears the whole column (or, with
// HotmailRowSelect, selects or deselects every row).
void TQvStringGrid::checkHeaderCheckAll(int ACol, int /*ARow*/, bool State)
{
    if (MouseActions().HotmailRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            SetRowSelect(RealRowIndex(r), State);
    } else {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (HasCheckBox(ACol, r))
                SetCheckBoxState(ACol, r, State);
    }
    Invalidate();
}

bool TQvStringGrid::prepareEditStart(TPressContext& p)
{
    const TMouseActions& ma = MouseActions();
    const auto& look = PaintSettings().ControlLook;
    p.ComboAlways = !p.FixedCell && look.DropDownAlwaysVisible() && CellHasComboBox(p.RealCol, p.ARow);
    if (p.FixedCell || !(p.CanEdit || (ma.EditOnDblClickOnly() && p.ComboAlways)))
        return false;
    if (ma.DirectEdit() || (look.DropDownAlwaysVisible() && p.ComboAlways)) {
        if (ma.EditOnDblClickOnly() && p.ComboAlways)
            FEditActive = false;
        HideInplaceEdit();
        setFocus(Qt::MouseFocusReason);
    }
    return false;
}

bool TQvStringGrid::noteSameCell(TPressContext& p)
{
    const TGridRect s = Selection();
    p.SameCell = p.CR.toQRect().contains(p.X, p.Y) && s.Left == p.ACol && s.Right == p.ACol && s.Top == p.ARow
                 && s.Bottom == p.ARow;
    if (!p.SameCell && MouseActions().RangeSelectAndEdit() && !IsFixed(p.ACol, p.ARow) && !p.CanEdit) {
        SetOptions(Options() & ~goEditing);
        p.SelectingAtEnd = true;
    }
    return false;
}

// Fixed right columns, footers and the cells OnIsFixedCell names only report the click.
bool TQvStringGrid::pressFixedByHook(TPressContext& p)
{
    if (p.FixedCell || !IsFixed(p.ACol, p.ARow))
        return false;
    const bool footer =
        FloatingFooter.Visible() && FloatingFooter.FooterStyle() == fsFixedLastRow && p.ARow == RowCount() - 1;
    if (!footer && OnClickCell)
        OnClickCell(this, p.ARow, p.ACol);
    return true;
}

// The application may forbid sizing a column from its header border.
bool TQvStringGrid::askColumnSizing(TPressContext& p)
{
    if (p.ARow >= FixedRows() || !(Options() & goColSizing) || !OnColumnSize || !IsOnSizingBorder(p.X, p.Y))
        return false;
    int col = -1, row = -1;
    MouseToCell(p.X - 6, p.Y, col, row);
    if (col < 0)
        return false;
    bool allow = true;
    OnColumnSize(this, col, allow);
    return !allow;
}

bool TQvStringGrid::runPlatformPress(TPressContext& p)
{
    const TMouseActions& ma = MouseActions();
    const bool keepLeft = (Options() & goRowSelect) && Navigation().KeepHorizScroll();
    const bool edgeCell = p.ARow == TopRow() + VisibleRowCount() || p.ACol == LeftCol() + VisibleColCount()
                          || (p.ACol == LeftCol() && LeftCol() > FixedCols());
    if (keepLeft)
        StartUpdate();
    if (!FSelHidden) {
        const bool alwaysEdit = Navigation().AlwaysEdit();
        Navigation().SetAlwaysEdit(false);
        MouseDownInGrid(Qt::LeftButton, p.Event->modifiers(), p.X, p.Y);
        Navigation().SetAlwaysEdit(alwaysEdit);
    }
    if (edgeCell && ma.NoAutoRangeScroll() && GridState() == TGridState::gsSelecting)
        SetGridState(TGridState::gsNormal);
    if (TopRow() != p.T0 && ma.NoScrollOnPartialRow()) {
        SetTopRow(p.T0);
        // The press is over as far as the platform's range selection is concerned.
        if (GridState() == TGridState::gsSelecting)
            SetGridState(TGridState::gsNormal);
    }
    if (keepLeft) {
        SetLeftCol(p.L0);
        ResetUpdate();
    }
    return false;
}

bool TQvStringGrid::reportClickCell(TPressContext& p)
{
    const bool onBorder = p.ARow < FixedRows() && (Options() & goColSizing)
                          && (std::abs(p.X - p.CR.Left) < kEdgeGrab || std::abs(p.X - p.CR.Right) < kEdgeGrab);
    if (!onBorder && OnClickCell)
        OnClickCell(this, p.ARow, p.ACol);
    return false;
}

bool TQvStringGrid::saveValueForValidation(TPressContext& /*p*/)
{
    if (OnCellValidate) {
        FEntered = false;
        SaveOldCellValue(Col(), Row());
    }
    return false;
}

bool TQvStringGrid::editMergedCell(TPressContext& p)
{
    if (IsMergedCell(p.ACol, p.ARow) && !IsFixed(p.ACol, p.ARow) && (p.SameCell || MouseActions().DirectEdit())
        && p.CanEdit)
        ShowInplaceEdit();
    return false;
}

// DirectEdit: one press inside a cell opens its editor (a press near the edges may be a grab).
bool TQvStringGrid::directEdit(TPressContext& p)
{
    TMouseActions& ma = MouseActions();
    const bool dropDown = PaintSettings().ControlLook.DropDownAlwaysVisible() && p.ComboAlways;
    const bool comboOnDbl = ma.EditOnDblClickOnly() && p.ComboAlways;
    if (p.X - p.CR.Left < kEdgeGrab || p.CR.Right - p.X < kEdgeGrab || p.FixedCell || !(p.CanEdit || comboOnDbl)
        || !(ma.DirectEdit() || dropDown) || IsControlCell(p.RealCol, p.ARow))
        return false;
    if (comboOnDbl && !(Options() & goEditing)) {
        SetOptions(Options() | goEditing);
        setFocus(Qt::MouseFocusReason);
    }
    bool allow = true;
    const bool rowChanges = Row() != p.ARow, colChanges = Col() != p.ACol;
    if (rowChanges && OnRowChanging)
        OnRowChanging(this, Row(), p.ARow, allow);
    if (colChanges && OnColChanging)
        OnColChanging(this, Col(), p.ACol, allow);
    if ((rowChanges || colChanges) && OnCellChanging)
        OnCellChanging(this, Row(), Col(), p.ARow, p.ACol, allow);
    if (!allow)
        return false;
    if (Col() != p.ACol || Row() != p.ARow)
        TStringGrid::FocusCell(p.ACol, p.ARow, true);
    SetSelection({p.ACol, p.ARow, p.ACol, p.ARow});
    SaveOldCellValue(p.ACol, p.ARow);
    if (!EditorMode() && (Options() & goEditing))
        ShowInplaceEdit();
    return false;
}

bool TQvStringGrid::armSelectingAtEnd(TPressContext& p)
{
    if (p.SelectingAtEnd)
        SetGridState(TGridState::gsSelecting);
    return false;
}

// ---- the mouse-down handling the platform press calls ------------------------------------------

void TQvStringGrid::MouseDownInGrid(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    using Stage = TInputStage<TQvStringGrid, TPressContext>;
    static constexpr Stage kStages[] = {
        {"downStartsRangeEdit", &TQvStringGrid::downStartsRangeEdit},
        {"downOnFixedDropDown", &TQvStringGrid::downOnFixedDropDown},
        {"downPressFixedGradient", &TQvStringGrid::downPressFixedGradient},
        {"downInherited", &TQvStringGrid::downInherited},
        {"downEditsFixedCell", &TQvStringGrid::downEditsFixedCell},
        {"downFollowsSyncGrid", &TQvStringGrid::downFollowsSyncGrid},
    };
    TPressContext d;
    d.Event = FPressing ? FPressing->Event : nullptr;
    d.X = X;
    d.Y = Y;
    d.Shift = oneShiftKey(Shift);
    d.Button = Button;
    MouseToCell(X, Y, d.ACol, d.ARow);
    if (d.ACol >= 0 && d.ARow >= 0) {
        d.CR = CellRect(d.ACol, d.ARow);
        d.RealCol = RealColFromDispl(d.ACol);
        d.FixedCell = d.ACol < FixedCols() || d.ARow < FixedRows();
    }
    RunStages(*this, d, std::span<const Stage>(kStages));
}

bool TQvStringGrid::downStartsRangeEdit(TPressContext& d)
{
    const TMouseActions& ma = MouseActions();
    if (!ma.RangeSelectAndEdit() || d.Button != Qt::LeftButton || ma.EditOnDblClickOnly() || d.ACol < 0 || d.ARow < 0)
        return false;
    if (d.ACol == Col() && d.ARow == Row() && !(Options() & goEditing) && IsEditable(d.ACol, d.ARow)) {
        SetOptions(Options() | goEditing);
        platformPress(Qt::LeftButton, Qt::NoModifier, d.X, d.Y);
        ShowInplaceEdit();
        return true;
    }
    if ((d.ACol != Col() || d.ARow != Row()) && (Options() & goEditing) && d.Shift == Qt::ShiftModifier) {
        SetOptions(Options() & ~goEditing);
        platformPress(Qt::LeftButton, Qt::ShiftModifier, d.X, d.Y);
        return true;
    }
    return false;
}

bool TQvStringGrid::downOnFixedDropDown(TPressContext& d)
{
    const auto& look = PaintSettings().ControlLook;
    const bool hover = HoverFixedCells != hfNone && d.ACol >= 0 && d.ACol == FHoverFixedX && d.ARow == FHoverFixedY;
    const int right = d.CR.Right - ((Options() & goColSizing) ? 2 : 0);
    if (!hover || !look.FixedDropDownButton() || d.X <= d.CR.Right - kFixedDropDownWidth || d.X >= right)
        return false;
    FPointer->FFixedDropDownPushed = true;
    if (!FixedDropDownMenu && !OnFixedDropDownClick)
        return false;
    QMenu* menu = FixedDropDownMenu;
    bool keepHighlighted = false;
    if (menu)
        menu->setProperty("qvColumn", d.ACol);
    if (OnFixedDropDownClick)
        OnFixedDropDownClick(this, d.ACol, d.ARow, menu, keepHighlighted);
    if (menu) {
        RepaintCell(d.ACol, d.ARow);
        menu->popup(viewport()->mapToGlobal(QPoint(d.CR.Right - kFixedDropDownWidth, d.CR.Bottom)));
        if (!keepHighlighted) {
            FHoverFixedX = FHoverFixedY = -1;
            RepaintCell(d.ACol, d.ARow);
        }
    }
    FPointer->FFixedDropDownPushed = false;
    return true;
}

bool TQvStringGrid::downPressFixedGradient(TPressContext& d)
{
    const bool hover = d.ACol >= 0 && d.ACol == FHoverFixedX && d.ARow == FHoverFixedY;
    if (hover && d.ARow == FixedRows() - 1 && ControlLook().FixedGradientDownFrom() != TColor(0x1FFFFFFF))
        RepaintCell(d.ACol, d.ARow);
    return false;
}

bool TQvStringGrid::downInherited(TPressContext& d)
{
    platformPress(d.Button, d.Event ? d.Event->modifiers() : Qt::KeyboardModifiers(d.Shift), d.X, d.Y);
    if (d.Shift == Qt::ShiftModifier && SelectionRectangle)
        InvalidateCellRange(Selection());
    return false;
}

bool TQvStringGrid::downEditsFixedCell(TPressContext& d)
{
    if (!d.FixedCell)
        return false;
    const TMouseActions& ma = MouseActions();
    const bool left = d.Button == Qt::LeftButton;
    const bool inRow = d.ARow < FixedRows();
    const TGridFixedCellEdit how = inRow ? ma.FixedRowsEdit() : ma.FixedColsEdit();
    const bool sizing = Options() & (inRow ? goColSizing : goRowSizing);
    const bool inside = d.X - d.CR.Left >= kEdgeGrab && d.CR.Right - d.X >= kEdgeGrab && d.Y - d.CR.Top >= kEdgeGrab
                        && d.CR.Bottom - d.Y >= kEdgeGrab;
    if ((left && how == fceLeftClick && (!sizing || inside)) || (!left && how == fceRightClick))
        EditFixedCell(d.ACol, d.ARow);
    return true;
}

bool TQvStringGrid::downFollowsSyncGrid(TPressContext& /*d*/)
{
    TSyncGrid& sync = SyncGrid();
    if (TStringGrid* other = sync.Grid()) {
        if (sync.SelectionColumn() && Col() < other->ColCount())
            passToSyncGrid([col = Col()](TStringGrid& g) { g.SetCol(col); });
        if (sync.SelectionRow() && Row() < other->RowCount())
            passToSyncGrid([row = Row()](TStringGrid& g) { g.SetRow(row); });
    }
    return false;
}

// ---- radio groups and check boxes, for the press and the Space key -----------------------------

void TQvStringGrid::ClickRadioGroup(int ACol, int ARow, int X, int Y)
{
    const int displ = DisplColIndex(ACol);
    if (!IsFixed(displ, ARow))
        TStringGrid::FocusCell(displ, ARow, true);
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    const auto* options = g ? dynamic_cast<const TStringList*>(g->FCellBitmap) : nullptr;
    if (!options)
        return;
    const auto& look = PaintSettings().ControlLook;
    const int pitch = int(look.ControlStyle()) >= 2 ? 16 : look.RadioSize();
    const QFontMetrics fm(toQFont(Font()));
    const bool horizontal = g->FCellBoolean;
    int end = 0;
    for (int i = 0; i < options->Count(); ++i) {
        end += horizontal ? fm.horizontalAdvance(options->Strings[i]) + pitch : std::max(pitch, fm.height());
        if ((horizontal ? X : Y) <= end) {
            ChooseRadioOption(ACol, ARow, i);
            return;
        }
    }
}

void TQvStringGrid::ChooseRadioOption(int ACol, int ARow, int AIdx)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    const auto* options = g ? dynamic_cast<const TStringList*>(g->FCellBitmap) : nullptr;
    if (!options || AIdx < 0 || AIdx >= options->Count())
        return;
    // The cell text is written again in both cases so the change hooks run.
    if (g->FCellIndex != -1) {
        SetCells(ACol, ARow, Cells(ACol, ARow));
        SetRadioIdx(ACol, ARow, AIdx);
    } else {
        SetCells(ACol, ARow, options->Strings[AIdx]);
    }
    g->FCellVar = AIdx;
    RepaintCell(DisplColIndex(ACol), ARow);
    if (OnRadioClick)
        OnRadioClick(this, ACol, ARow, AIdx);
}

bool TQvStringGrid::UserToggleCheck(int ACol, int ARow)
{
    if (HasRadioButton(ACol, ARow)) {
        if (DoClickRadioButton(ACol, ARow, true)) {
            markRowModified(ARow);
            if (OnRadioButtonClick)
                OnRadioButtonClick(this, ACol, ARow);
        }
    } else if (DoToggleCheckBox(ACol, ARow, true)) {
        markRowModified(ARow);
    }
    if (HasRadioButton(ACol, ARow))
        return IsRadioButtonChecked(ACol, ARow);
    bool state = false;
    GetCheckBoxState(ACol, RealRowIndex(ARow), state);
    return state;
}

// ---- the header cell's editor ------------------------------------------------------------------

void TQvStringGrid::EditFixedCell(int ACol, int ARow)
{
    if (!FTransEdit || !FTransCombo)
        return;
    // An open header editor ends first; a refused text keeps it open and nothing else happens.
    if (FTransEdit->isVisible() && !FTransEdit->StopEdit())
        return;
    if (FTransCombo->isVisible() && !FTransCombo->StopEdit())
        return;
    bool canEdit = true;
    QueryCanEditCell(ACol, ARow, canEdit);
    if (!canEdit)
        return;
    const TMouseActions& ma = MouseActions();
    TGridFixedCellEditor editor = ACol == 0 ? ma.FixedColsEditor() : ma.FixedRowsEditor();
    QStringList items = ma.FixedComboValues();
    if (OnFixedEdit)
        OnFixedEdit(this, ACol, ARow, editor, items);
    const int realCol = RealColFromDispl(ACol);
    // The editors are the grid's children; the cell rectangle is the viewport's.
    QRect r = CellRect(ACol, ARow).toQRect().adjusted(1, 1, -1, -1);
    r.moveTopLeft(viewport()->mapTo(this, r.topLeft()));
    const QString text = Cells(realCol, ARow);
    if (editor == fceEdit) {
        FTransEdit->SetCol(realCol);
        FTransEdit->SetRow(ARow);
        FTransEdit->setGeometry(r);
        FTransEdit->setText(text);
        FTransEdit->show();
        FTransEdit->raise();
        FTransEdit->setFocus(Qt::MouseFocusReason);
        return;
    }
    FTransCombo->SetCol(realCol);
    FTransCombo->SetRow(ARow);
    FTransCombo->setEditable(editor == fceComboEdit);
    FTransCombo->clear();
    FTransCombo->addItems(items);
    FTransCombo->setGeometry(r.adjusted(-1, -1, 0, 0));
    const int at = FTransCombo->findText(text);
    if (at >= 0)
        FTransCombo->setCurrentIndex(at);
    else if (FTransCombo->isEditable())
        FTransCombo->setEditText(text);
    FTransCombo->show();
    FTransCombo->raise();
    FTransCombo->setFocus(Qt::MouseFocusReason);
}

} // namespace grid
