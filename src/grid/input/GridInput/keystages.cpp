// One key-down of the grid as a table of named stages, in the order the grid runs its rules:
// what it does before the string grid's movement (scroll-only keys, Enter and F2, cell
// controls, Home and End, nodes, Tab, fixed cells), the movement itself through the KeyDown
// override (which has its own table: row moving, cursor advance, disabled rows, the coupled
// grid), and what follows it (clipboard and command keys, the selection report).

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"
#include "grid/input/KeyContext.h"
#include "grid/input/StageTable.h"
#include "grid/search/SearchPanel.h"
#include "platform/Locale.h"

#include <QKeyEvent>

#include <algorithm>
#include <span>

namespace grid {

namespace {

bool isVerticalKey(int key)
{
    return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down;
}

bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_F2:
        return true;
    default:
        return false;
    }
}

// Ends the key: Consumed is what the caller is told.
bool endKey(TKeyContext& k, bool consumed)
{
    k.Consumed = consumed;
    return true;
}

} // namespace

// The whole key-down message. Navigation keys end here (answer true); typed characters,
// Escape, Backspace and Enter without a rule of its own go on to the character handling.
bool TQvStringGrid::HandleKeyDownMessage(QKeyEvent* e)
{
    using Stage = TInputStage<TQvStringGrid, TKeyContext>;
    static constexpr Stage kStages[] = {
        {"keyEditorOwnsKey", &TQvStringGrid::keyEditorOwnsKey},
        {"keyScrollOnly", &TQvStringGrid::keyScrollOnly},
        {"keyEnterAdvances", &TQvStringGrid::keyEnterAdvances},
        {"keyEnterAndF2Switches", &TQvStringGrid::keyEnterAndF2Switches},
        {"keySearchFooterKeys", &TQvStringGrid::keySearchFooterKeys},
        {"keyCellControl", &TQvStringGrid::keyCellControl},
        {"keyTypedCharacter", &TQvStringGrid::keyTypedCharacter},
        {"keyHomeEnd", &TQvStringGrid::keyHomeEnd},
        {"keyNodes", &TQvStringGrid::keyNodes},
        {"keyRowSelectScroll", &TQvStringGrid::keyRowSelectScroll},
        {"keyTab", &TQvStringGrid::keyTab},
        {"keySkipFixedCells", &TQvStringGrid::keySkipFixedCells},
        {"keyAppendOnDown", &TQvStringGrid::keyAppendOnDown},
        {"keyNotForTheGrid", &TQvStringGrid::keyNotForTheGrid},
        {"keySearchFooterEdge", &TQvStringGrid::keySearchFooterEdge},
        {"keyPlatformMove", &TQvStringGrid::keyPlatformMove},
        {"keyClipboard", &TQvStringGrid::keyClipboard},
        {"keyCommands", &TQvStringGrid::keyCommands},
        {"keyReportSelection", &TQvStringGrid::keyReportSelection},
    };
    TKeyContext k;
    k.Event = e;
    k.Key = e->key();
    k.Mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (k.Key == Qt::Key_Backtab) {
        k.Key = Qt::Key_Tab;
        k.Mods |= Qt::ShiftModifier;
    }
    k.Ctrl = k.Mods & Qt::ControlModifier;
    k.Shift = k.Mods & Qt::ShiftModifier;
    k.Alt = k.Mods & Qt::AltModifier;
    k.Enter = k.Key == Qt::Key_Return || k.Key == Qt::Key_Enter;
    k.Text = e->text();
    FLastKeyStage = RunStages(*this, k, std::span<const Stage>(kStages));
    return k.Consumed;
}

// A key ends middle-button panning and then does what it does. An open editor owns its keys;
// what it hands back arrives through DoneInplaceEdit.
bool TQvStringGrid::keyEditorOwnsKey(TKeyContext& k)
{
    EndPanning();
    if (EditorMode() || EditMode)
        return endKey(k, false);
    FPointer->FMoveSelection = Selection();
    k.LeftCol0 = LeftCol();
    k.KeepHoriz =
        isVerticalKey(k.Key) && (Options() & goRowSelect) && LeftCol() != FixedCols() && Navigation().KeepHorizScroll();
    return false;
}

// Scroll only: the view moves, the current cell stays.
bool TQvStringGrid::keyScrollOnly(TKeyContext& k)
{
    if (!Navigation().MoveScrollOnly() || !(isVerticalKey(k.Key) || k.Key == Qt::Key_Home || k.Key == Qt::Key_End))
        return false;
    const int vis = VisibleRowCount();
    switch (k.Key) {
    case Qt::Key_PageUp:
        SetTopRow(TopRow() > vis + FixedRows() ? TopRow() - vis : FixedRows());
        break;
    case Qt::Key_PageDown:
        if (TopRow() + vis < RowCount())
            SetTopRow(TopRow() + vis);
        break;
    case Qt::Key_End:
        SetTopRow(std::max(FixedRows(), RowCount() - vis));
        break;
    case Qt::Key_Home:
        SetTopRow(FixedRows());
        break;
    case Qt::Key_Up:
        if (TopRow() > FixedRows())
            SetTopRow(TopRow() - 1);
        break;
    case Qt::Key_Down:
        if (TopRow() + vis < RowCount())
            SetTopRow(TopRow() + 1);
        break;
    }
    return endKey(k, true);
}

// Enter with AdvanceOnEnter moves as the Enter navigation says, unless the window's
// OnKeyPress takes the key.
bool TQvStringGrid::keyEnterAdvances(TKeyContext& k)
{
    if (!k.Enter || !Navigation().AdvanceOnEnter() || IsControlCell(RealCol(), Row()))
        return false;
    QChar c(13);
    if (OnKeyPress)
        OnKeyPress(this, c);
    if (!c.isNull())
        AdvanceToNextCell(Col(), Row(), false, false, true, false, EditMode);
    return endKey(k, true);
}

// Enter and F2 switch editing on where the mouse options say so; a cell that may not be
// edited refuses them (the window's OnKeyDown still hears the key, and Enter its OnKeyPress).
bool TQvStringGrid::keyEnterAndF2Switches(TKeyContext& k)
{
    if (!k.Enter && k.Key != Qt::Key_F2)
        return false;
    TMouseActions& ma = MouseActions();
    if (ma.EditOnDblClickOnly() && !(Options() & goEditing)) {
        const bool was = ma.RangeSelectAndEdit();
        ma.SetRangeSelectAndEdit(true);
        const bool editable = IsEditable(Col(), Row());
        ma.SetRangeSelectAndEdit(was);
        if (editable)
            SetOptions(Options() | goEditing);
    }
    auto refuse = [&] {
        fireKeyDown(k.Key, k.Mods);
        if (k.Enter) {
            QChar c(13);
            KeyPress(c);
        }
        return endKey(k, true);
    };
    if (ma.RangeSelectAndEdit() && !(Options() & goEditing)) {
        if (!IsEditable(Col(), Row()))
            return refuse();
        SetOptions(Options() | goEditing);
        ShowInplaceEdit();
        return endKey(k, true);
    }
    if ((Options() & goEditing) && !IsEditable(Col(), Row()) && !IsControlCell(RealCol(), Row()))
        return refuse();
    if (k.Enter && !IsControlCell(RealCol(), Row())) {
        // The value before the edit is what a later validation compares against; the character
        // handling then opens or closes the editor on the current cell.
        SaveOldCellValue(Col(), Row());
        return endKey(k, false);
    }
    return false;
}

// Ctrl+F goes to the search footer's edit box (the key goes on as any other); Alt and a
// letter press the footer's buttons by their accelerators.
bool TQvStringGrid::keySearchFooterKeys(TKeyContext& k)
{
    if (k.Ctrl && k.Key == Qt::Key_F && FSearchPanel && FSearchFooter->Visible())
        FSearchPanel->EditControl()->setFocus(Qt::ShortcutFocusReason);
    if (k.Alt && !k.Ctrl && !k.Text.isEmpty() && SearchFooterDialogChar(k.Text.at(0)))
        return endKey(k, true);
    return false;
}

bool TQvStringGrid::keyCellControl(TKeyContext& k)
{
    if ((k.Key != Qt::Key_Space && !k.Enter) || k.Ctrl || !IsControlCell(RealCol(), Row()))
        return false;
    cellControlKey(k.Key);
    return endKey(k, true);
}

// Typed characters: the switches that let them start an edit, then the editing layer.
bool TQvStringGrid::keyTypedCharacter(TKeyContext& k)
{
    if (k.Text.isEmpty() || !k.Text.at(0).isPrint() || k.Ctrl || k.Alt || k.Key == Qt::Key_Space)
        return false;
    TMouseActions& ma = MouseActions();
    if (ma.EditOnDblClickOnly() && !(Options() & goEditing)) {
        bool can = true;
        CanEditCell(RealCol(), Row(), can);
        if (can)
            SetOptions(Options() | goEditing);
    }
    if (ma.RangeSelectAndEdit() && !(Options() & goEditing) && !IsControlCell(RealCol(), Row())) {
        SetOptions(Options() | goEditing);
        if (!IsEditable(Col(), Row()))
            SetOptions(Options() & ~goEditing);
        else
            ScrollInView(Col(), Row());
    }
    // The keypad's decimal key types the user's decimal separator when asked to.
    if (ExcelStyleDecimalSeparator && k.Text == QLatin1String(".") && (k.Event->modifiers() & Qt::KeypadModifier)) {
        const QChar sep = platform::decimalSeparator();
        if (sep != QLatin1Char('.')) {
            QKeyEvent local(QEvent::KeyPress, 0, k.Event->modifiers() & ~Qt::KeypadModifier, QString(sep));
            keyPressEvent(&local);
            return endKey(k, true);
        }
    }
    return endKey(k, false);
}

bool TQvStringGrid::keyHomeEnd(TKeyContext& k)
{
    if ((k.Key != Qt::Key_Home && k.Key != Qt::Key_End) || !homeEndKey(k.Key, k.Mods))
        return false;
    fireKeyDown(k.Key, k.Mods);
    return endKey(k, true);
}

// Nodes: Right expands, Left contracts the node of the current row; the key goes on.
bool TQvStringGrid::keyNodes(TKeyContext& k)
{
    if ((k.Key != Qt::Key_Right && k.Key != Qt::Key_Left) || !HasNodes() || !IsNode(Row())
        || !IsMergedCell(Col(), Row()))
        return false;
    if (k.Key == Qt::Key_Right && GetNodeState(Row()))
        ExpandNode(RealRowIndex(Row()));
    else if (k.Key == Qt::Key_Left && !GetNodeState(Row()))
        ContractNode(RealRowIndex(Row()));
    return false;
}

// Row selection: Left and Right scroll one column (with LeftRightRowSelect only with Ctrl,
// and then the key goes on).
bool TQvStringGrid::keyRowSelectScroll(TKeyContext& k)
{
    if ((k.Key != Qt::Key_Left && k.Key != Qt::Key_Right) || !(Options() & goRowSelect) || (HasNodes() && IsNode(Row()))
        || VisibleColCount() >= ColCount() - FixedCols())
        return false;
    const bool leftRight = Navigation().LeftRightRowSelect();
    if (leftRight && !k.Ctrl)
        return false;
    if (k.Key == Qt::Key_Left && LeftCol() > FixedCols())
        SetLeftCol(LeftCol() - 1);
    else if (k.Key == Qt::Key_Right && LeftCol() + VisibleColCount() < ColCount())
        SetLeftCol(LeftCol() + 1);
    if (leftRight)
        return false;
    fireKeyDown(k.Key, k.Mods);
    return endKey(k, true);
}

bool TQvStringGrid::keyTab(TKeyContext& k)
{
    if (k.Key != Qt::Key_Tab)
        return false;
    if (!(Options() & goTabs))
        return endKey(k, false);
    TabNavigate(k.Shift);
    reportSelectionChanged();
    return endKey(k, true);
}

bool TQvStringGrid::keySkipFixedCells(TKeyContext& k)
{
    if (!Navigation().SkipFixedCells() || k.Ctrl || !skipFixedCells(k.Key))
        return false;
    fireKeyDown(k.Key, k.Mods);
    return endKey(k, true);
}

bool TQvStringGrid::keyAppendOnDown(TKeyContext& k)
{
    if (k.Key == Qt::Key_Down && Navigation().AppendOnArrowDown() && IsOnLastRow())
        AppendRowOnArrowDown();
    return false;
}

// What is neither a movement nor a command key goes on to the character handling.
bool TQvStringGrid::keyNotForTheGrid(TKeyContext& k)
{
    TMouseActions& ma = MouseActions();
    const bool disjunct = ma.DisjunctRowSelect() || ma.DisjunctColSelect();
    const bool clip = Navigation().AllowClipboardShortCuts()
                      && ((k.Ctrl && (k.Key == Qt::Key_X || k.Key == Qt::Key_V || k.Key == Qt::Key_C))
                          || k.Key == Qt::Key_Insert || k.Key == Qt::Key_Delete);
    const bool command = (k.Ctrl && k.Key == Qt::Key_A) || k.Key == Qt::Key_Insert || k.Key == Qt::Key_Delete
                         || (k.Key == Qt::Key_Space && disjunct) || clip;
    if (isNavigationKey(k.Key) || command)
        return false;
    return endKey(k, false);
}

// At the end of the view the last row stays above the search footer, and Right or Left at
// the end of the last row does not move on from under it.
bool TQvStringGrid::keySearchFooterEdge(TKeyContext& k)
{
    k.FooterAtEnd = FSearchPanel && FSearchFooter->Visible() && TopRow() >= RowCount() - VisibleRowCount();
    if (!k.FooterAtEnd || Row() < RowCount() - 1)
        return false;
    if (k.Key == Qt::Key_Down)
        ScrollLastRowAboveFooter();
    else if (!(k.Key == Qt::Key_Right && Col() == ColCount() - 1) && !(k.Key == Qt::Key_Left && Col() == FixedCols()))
        return false;
    fireKeyDown(k.Key, k.Mods);
    return endKey(k, true);
}

// The string grid's movement, through the window's OnKeyDown and the KeyDown override; with
// KeepHorizScroll the first visible column is put back without a repaint in between.
bool TQvStringGrid::keyPlatformMove(TKeyContext& k)
{
    if (!isNavigationKey(k.Key))
        return false;
    if (k.KeepHoriz)
        BeginUpdate();
    fireKeyDown(k.Key, k.Mods);
    if (k.Key != 0)
        KeyDown(k.Key, k.Mods);
    if (k.KeepHoriz) {
        SetLeftCol(k.LeftCol0);
        EndUpdate();
    }
    if (k.Key == Qt::Key_PageDown || k.Key == Qt::Key_End || k.Key == Qt::Key_Left || k.Key == Qt::Key_Right
        || k.Key == Qt::Key_Down)
        keepCurrentCellAboveFooter();
    return false;
}

// The clipboard keys; the first that matches ends the key (no selection report either).
bool TQvStringGrid::keyClipboard(TKeyContext& k)
{
    if (k.Key == 0 || !Navigation().AllowClipboardShortCuts() || !clipboardKeys(k.Key, k.Mods))
        return false;
    fireKeyDown(k.Key, k.Mods);
    return endKey(k, true);
}

bool TQvStringGrid::keyCommands(TKeyContext& k)
{
    if (k.Key == 0)
        return false;
    commandKeys(k.Key, k.Mods);
    // Select all ends here: the selection it set is the one the grid keeps.
    if (k.Ctrl && k.Key == Qt::Key_A && (Options() & (goRowSelect | goRangeSelect)))
        return endKey(k, true);
    return false;
}

bool TQvStringGrid::keyReportSelection(TKeyContext& k)
{
    reportSelectionChanged();
    return endKey(k, true);
}

// ---- the key-down override ------------------------------------------------------------------

// The key-down override the string grid's movement goes through (also the editors' keys).
void TQvStringGrid::KeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        TabNavigate(key == Qt::Key_Backtab || (shift & Qt::ShiftModifier));
        return;
    }
    using Stage = TInputStage<TQvStringGrid, TKeyContext>;
    static constexpr Stage kStages[] = {
        {"moveRowsByKeys", &TQvStringGrid::moveRowsByKeys},
        {"moveStartCell", &TQvStringGrid::moveStartCell},
        {"moveCursorAdvance", &TQvStringGrid::moveCursorAdvance},
        {"moveSkipDisabledRows", &TQvStringGrid::moveSkipDisabledRows},
        {"moveFollowSyncGrid", &TQvStringGrid::moveFollowSyncGrid},
    };
    TKeyContext k;
    k.Key = key;
    k.Mods = shift;
    k.Ctrl = shift & Qt::ControlModifier;
    k.Shift = shift & Qt::ShiftModifier;
    FLastKeyCell = {Col(), Row()};
    RunStages(*this, k, std::span<const Stage>(kStages));
}

// Ctrl+Up and Ctrl+Down with CursorMoveRows move the selected rows one place instead of the
// cursor: one row through MoveRow (the current row follows it), several as a block through
// MoveRows (the selection follows the block). Both keep every row-keyed list in step.
bool TQvStringGrid::moveRowsByKeys(TKeyContext& k)
{
    if (!Navigation().CursorMoveRows() || !k.Ctrl || (k.Key != Qt::Key_Up && k.Key != Qt::Key_Down))
        return false;
    const TGridRect s = Selection();
    const int top = std::min(s.Top, s.Bottom), bottom = std::max(s.Top, s.Bottom);
    const bool down = k.Key == Qt::Key_Down;
    if (down ? bottom >= RowCount() - 1 : top <= FixedRows())
        return true; // at the edge nothing moves, nor does the cursor
    const int step = down ? 1 : -1;
    if (top == bottom) {
        MoveRow(top, top + step);
        if (Row() != top + step)
            TStringGrid::FocusCell(Col(), top + step, true);
    } else {
        MoveRows(top, down ? bottom + 2 : top - 1, bottom - top + 1);
        SetSelection({FixedCols(), top + step, ColCount() - 1, bottom + step});
    }
    return true;
}

// The string grid's movement (merged cells first, in the base grid).
bool TQvStringGrid::moveStartCell(TKeyContext& k)
{
    TBaseGrid::KeyDown(k.Key, k.Mods);
    return false;
}

// Arrow keys at an edge wrap (caLoop) or go on in the next or previous line (caSnake),
// decided on where the cell was before the move, whatever Shift or Ctrl hold.
bool TQvStringGrid::moveCursorAdvance(TKeyContext& k)
{
    const TCursorAdvance adv = Navigation().CursorAdvance();
    if (adv == caDefault)
        return false;
    const bool snake = adv == caSnake;
    const int lastCol = ColCount() - FFixedRightCols - 1;
    const int lastRow = RowCount() - FFixedFooters - 1;
    int c = Col(), r = Row();
    const TPoint was = FLastKeyCell;
    if (k.Key == Qt::Key_Left && was.X == FixedCols()) {
        c = lastCol;
        if (snake && r > FixedRows())
            --r;
    } else if (k.Key == Qt::Key_Up && was.Y == FixedRows()) {
        r = lastRow;
        if (snake && c > FixedCols())
            --c;
    } else if (k.Key == Qt::Key_Right && was.X == ColCount() - 1) {
        c = FixedCols();
        if (snake && r < lastRow)
            ++r;
    } else if (k.Key == Qt::Key_Down && was.Y == RowCount() - 1) {
        r = FixedRows();
        if (snake && c < lastCol)
            ++c;
    } else {
        return false;
    }
    if (c >= 0 && r >= 0 && c < ColCount() && r < RowCount())
        TStringGrid::FocusCell(c, r, true);
    return false;
}

// A disabled row refused the step: Up and Down go on to the nearest enabled row (none: the
// cell stays).
bool TQvStringGrid::moveSkipDisabledRows(TKeyContext& k)
{
    if ((k.Key != Qt::Key_Up && k.Key != Qt::Key_Down) || !FUseEnabledRows || !Navigation().SkipDisabledRows()
        || Row() != FLastKeyCell.Y)
        return false;
    const int step = k.Key == Qt::Key_Up ? -1 : 1;
    for (int r = Row() + step; r >= FixedRows() && r < RowCount(); r += step) {
        if (GetRowEnabled(r)) {
            TStringGrid::FocusCell(Col(), r, true);
            break;
        }
    }
    return false;
}

bool TQvStringGrid::moveFollowSyncGrid(TKeyContext&)
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

} // namespace grid
