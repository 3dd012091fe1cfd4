// Key-down handling of the grid: the grid's own rules before and after the string grid's
// movement (scroll-only keys, Enter and F2 switches, cell controls, Home and End, fixed cells,
// appending on Down), the key-down override with cursor advance, and the key-up upkeep.

#include "grid/input/GridInput.h"
#include "grid/QvGrid.h"
#include "grid/search/SearchPanel.h"
#include "platform/Locale.h"

#include <QKeyEvent>

#include <algorithm>

namespace grid {

namespace {

bool isVerticalKey(int key)
{
    return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down;
}

// The rectangle with its corners in order.
TGridRect normalized(const TGridRect& r)
{
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
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

} // namespace

int TQvStringGrid::firstNormalCol() const
{
    if (FixedCols() > 0)
        return FixedCols();
    return HasNodes() ? 1 : 0;
}

int TQvStringGrid::lastNormalRow() const
{
    return RowCount() - FixedFooters() - 1;
}

// A row the user changed by a toggle shows its modified mark; the mark goes by the real row.
void TQvStringGrid::markRowModified(int ARow)
{
    if (!PaintSettings().ShowModified.Enabled)
        return;
    SetRowModified(RealRowIndex(ARow), true);
    RepaintCell(0, ARow);
}

void TQvStringGrid::fireKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TQvStringGrid::reportSelectionChanged(bool Always)
{
    const TGridRect s = Selection();
    if (s == FPointer->FMoveSelection && !Always)
        return;
    FPointer->FMoveSelection = s;
    SelectionChangedNotify(s.Left, s.Top, s.Right, s.Bottom);
}

bool TQvStringGrid::IsOnLastRow() const
{
    return RowCount() - FFixedFooters == Row() + 1;
}

void TQvStringGrid::AppendRowOnArrowDown()
{
    if (!QueryCanAddRow())
        return;
    AppendGridRow();
    const int last = RowCount() - 1;
    for (int c = 0; c < TotalColCount(); ++c) {
        SetCells(c, last, QString());
        SetObjects(c, last, nullptr);
    }
    if (FFixedFooters > 0)
        FocusCell(Col(), Row() + 1, true);
    if (OnAutoAddRow)
        OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
}

// The whole key-down message. Navigation keys end here (answer true); typed characters,
// Escape, Backspace and Enter without a rule of its own go on to the character handling.
bool TQvStringGrid::HandleKeyDownMessage(QKeyEvent* e)
{
    int key = e->key();
    Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        mods |= Qt::ShiftModifier;
    }
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const bool alt = mods & Qt::AltModifier;
    EndPanning(); // a key ends middle-button panning and then does what it does
    // An open editor owns its keys; what it hands back arrives through DoneInplaceEdit.
    if (EditorMode() || EditMode)
        return false;

    TNavigation& nav = Navigation();
    FPointer->FMoveSelection = Selection();
    const int left0 = LeftCol();
    const bool rowSelect = Options() & goRowSelect;
    const bool keepHoriz =
        isVerticalKey(key) && rowSelect && LeftCol() != FixedCols() && nav.KeepHorizScroll();

    // Scroll only: the view moves, the current cell stays.
    if (nav.MoveScrollOnly() &&
        (isVerticalKey(key) || key == Qt::Key_Home || key == Qt::Key_End)) {
        const int vis = VisibleRowCount();
        switch (key) {
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
        return true;
    }

    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter && nav.AdvanceOnEnter() && !IsControlCell(RealCol(), Row())) {
        QChar k(13);
        if (OnKeyPress)
            OnKeyPress(this, k);
        if (!k.isNull())
            AdvanceToNextCell(Col(), Row(), false, false, true, false, EditMode);
        return true;
    }
    if (enter || key == Qt::Key_F2) {
        TMouseActions& ma = MouseActions();
        if (ma.EditOnDblClickOnly() && !(Options() & goEditing)) {
            const bool was = ma.RangeSelectAndEdit();
            ma.SetRangeSelectAndEdit(true);
            const bool editable = IsEditable(Col(), Row());
            ma.SetRangeSelectAndEdit(was);
            if (editable)
                SetOptions(Options() | goEditing);
        }
        // A refused key still reaches the window's OnKeyDown, and Enter its OnKeyPress.
        auto refuse = [&] {
            fireKeyDown(key, mods);
            if (enter) {
                QChar k(13);
                KeyPress(k);
            }
            return true;
        };
        if (ma.RangeSelectAndEdit() && !(Options() & goEditing)) {
            if (!IsEditable(Col(), Row()))
                return refuse();
            SetOptions(Options() | goEditing);
            ShowInplaceEdit();
            return true;
        }
        if ((Options() & goEditing) && !IsEditable(Col(), Row()) && !IsControlCell(RealCol(), Row()))
            return refuse();
        if (enter && !IsControlCell(RealCol(), Row()))
            return false; // the character handling opens or closes the editor
    }

    // Ctrl+F goes to the search footer's edit box; the key goes on as any other.
    if (ctrl && key == Qt::Key_F && FSearchPanel && FSearchFooter->Visible())
        FSearchPanel->EditControl()->setFocus(Qt::ShortcutFocusReason);
    // Alt and a letter: the footer's buttons by their accelerators.
    if (alt && !ctrl && !e->text().isEmpty() && SearchFooterDialogChar(e->text().at(0)))
        return true;

    if ((key == Qt::Key_Space || enter) && !ctrl && IsControlCell(RealCol(), Row())) {
        cellControlKey(key);
        return true;
    }

    // Typed characters: the switches that let them start an edit, then the editing layer.
    const QString text = e->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !ctrl && !alt && key != Qt::Key_Space) {
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
        if (ExcelStyleDecimalSeparator && text == QLatin1String(".") && (e->modifiers() & Qt::KeypadModifier)) {
            const QChar sep = platform::decimalSeparator();
            if (sep != QLatin1Char('.')) {
                QKeyEvent local(QEvent::KeyPress, 0, e->modifiers() & ~Qt::KeypadModifier, QString(sep));
                keyPressEvent(&local);
                return true;
            }
        }
        return false;
    }

    if ((key == Qt::Key_Home || key == Qt::Key_End) && homeEndKey(key, mods)) {
        fireKeyDown(key, mods);
        return true;
    }

    // Nodes: Right expands, Left contracts the node of the current row.
    if ((key == Qt::Key_Right || key == Qt::Key_Left) && HasNodes() && IsNode(Row()) &&
        IsMergedCell(Col(), Row())) {
        if (key == Qt::Key_Right && GetNodeState(Row()))
            ExpandNode(RealRowIndex(Row()));
        else if (key == Qt::Key_Left && !GetNodeState(Row()))
            ContractNode(RealRowIndex(Row()));
    }

    // Row selection: Left and Right scroll one column.
    if ((key == Qt::Key_Left || key == Qt::Key_Right) && rowSelect && !(HasNodes() && IsNode(Row())) &&
        VisibleColCount() < ColCount() - FixedCols()) {
        const bool scroll = nav.LeftRightRowSelect() ? ctrl : true;
        if (scroll) {
            if (key == Qt::Key_Left && LeftCol() > FixedCols())
                SetLeftCol(LeftCol() - 1);
            else if (key == Qt::Key_Right && LeftCol() + VisibleColCount() < ColCount())
                SetLeftCol(LeftCol() + 1);
            if (!nav.LeftRightRowSelect()) {
                fireKeyDown(key, mods);
                return true;
            }
        }
    }

    if (key == Qt::Key_Tab) {
        if (!(Options() & goTabs))
            return false;
        TabNavigate(shift);
        reportSelectionChanged();
        return true;
    }

    if (nav.SkipFixedCells() && !ctrl && skipFixedCells(key)) {
        fireKeyDown(key, mods);
        return true;
    }

    if (key == Qt::Key_Down && nav.AppendOnArrowDown() && IsOnLastRow())
        AppendRowOnArrowDown();

    if (nav.AllowClipboardShortCuts() && clipboardKeys(key, mods)) {
        fireKeyDown(key, mods);
        return true;
    }

    TMouseActions& ma = MouseActions();
    const bool disjunct = ma.DisjunctRowSelect() || ma.DisjunctColSelect();
    const bool command = (ctrl && key == Qt::Key_A) || key == Qt::Key_Insert || key == Qt::Key_Delete ||
                         (key == Qt::Key_Space && disjunct);
    if (!isNavigationKey(key) && !command)
        return false;

    // At the end of the view the last row stays above the search footer.
    const bool footerAtEnd = FSearchPanel && FSearchFooter->Visible() && TopRow() >= RowCount() - VisibleRowCount();
    if (footerAtEnd && key == Qt::Key_Down && Row() >= RowCount() - 1) {
        ScrollLastRowAboveFooter();
        fireKeyDown(key, mods);
        return true;
    }
    // Nor does Right or Left at the end of the last row move on from under it.
    if (footerAtEnd && Row() >= RowCount() - 1 &&
        ((key == Qt::Key_Right && Col() == ColCount() - 1) || (key == Qt::Key_Left && Col() == FixedCols()))) {
        fireKeyDown(key, mods);
        return true;
    }

    if (isNavigationKey(key)) {
        if (keepHoriz)
            BeginUpdate();
        fireKeyDown(key, mods);
        if (key != 0)
            KeyDown(key, mods);
        if (keepHoriz) {
            SetLeftCol(left0);
            EndUpdate();
        }
        if (key == Qt::Key_PageDown || key == Qt::Key_End || key == Qt::Key_Left || key == Qt::Key_Right ||
            key == Qt::Key_Down)
            keepCurrentCellAboveFooter();
    }
    if (key != 0)
        commandKeys(key, mods);
    (void)alt;
    reportSelectionChanged();
    return true;
}

// The key-down override the string grid's movement goes through (also the editors' keys).
void TQvStringGrid::KeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        TabNavigate(key == Qt::Key_Backtab || (shift & Qt::ShiftModifier));
        return;
    }
    FLastKeyCell = {Col(), Row()};
    TBaseGrid::KeyDown(key, shift);

    TNavigation& nav = Navigation();
    const TCursorAdvance adv = nav.CursorAdvance();
    if (adv != caDefault && !(shift & (Qt::ShiftModifier | Qt::ControlModifier))) {
        const bool snake = adv == caSnake;
        const int lastCol = ColCount() - FFixedRightCols - 1;
        const int lastRow = RowCount() - FFixedFooters - 1;
        int c = Col(), r = Row();
        const TPoint was = FLastKeyCell;
        bool move = false;
        if (key == Qt::Key_Left && was.X == FixedCols()) {
            c = lastCol;
            if (snake && r > FixedRows())
                --r;
            move = true;
        } else if (key == Qt::Key_Up && was.Y == FixedRows()) {
            r = lastRow;
            if (snake && c > FixedCols())
                --c;
            move = true;
        } else if (key == Qt::Key_Right && was.X == ColCount() - 1) {
            c = FixedCols();
            if (snake && r < lastRow)
                ++r;
            move = true;
        } else if (key == Qt::Key_Down && was.Y == RowCount() - 1) {
            r = FixedRows();
            if (snake && c < lastCol)
                ++c;
            move = true;
        }
        if (move && c >= 0 && r >= 0 && c < ColCount() && r < RowCount())
            TStringGrid::FocusCell(c, r, true);
    }

    // A disabled row refused the step: Up and Down go on to the nearest enabled row (none:
    // the cell stays).
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && FUseEnabledRows && nav.SkipDisabledRows() &&
        Row() == FLastKeyCell.Y) {
        const int step = key == Qt::Key_Up ? -1 : 1;
        for (int r = Row() + step; r >= FixedRows() && r < RowCount(); r += step) {
            if (GetRowEnabled(r)) {
                TStringGrid::FocusCell(Col(), r, true);
                break;
            }
        }
    }

    TSyncGrid& sync = SyncGrid();
    if (TStringGrid* other = sync.Grid()) {
        if (sync.SelectionColumn() && Col() < other->ColCount())
            passToSyncGrid([col = Col()](TStringGrid& g) { g.SetCol(col); });
        if (sync.SelectionRow() && Row() < other->RowCount())
            passToSyncGrid([row = Row()](TStringGrid& g) { g.SetRow(row); });
    }
}

void TQvStringGrid::keyReleaseEvent(QKeyEvent* e)
{
    KeyUpInGrid(e->key(), e->modifiers());
    TBaseGrid::keyReleaseEvent(e);
}

void TQvStringGrid::KeyUpInGrid(int Key, Qt::KeyboardModifiers Shift)
{
    switch (Key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Insert:
    case Qt::Key_Delete:
        IncrSearchText.clear(); // Home keeps the incremental search text
        break;
    default:
        break;
    }
    const bool arrow = Key == Qt::Key_Left || Key == Qt::Key_Right || Key == Qt::Key_Up || Key == Qt::Key_Down;
    const bool tab = (Key == Qt::Key_Tab || Key == Qt::Key_Backtab) && (Options() & goTabs);
    if (Navigation().AlwaysEdit() && (arrow || tab) && !EditorMode() && !EditMode &&
        !IsControlCell(RealCol(), Row()))
        ShowInplaceEdit();
    if (MouseActions().DisjunctCellSelect() && !(Options() & goEditing))
        keyUpSelectedCells(Key, Shift);
}

// The disjunct cell list after a key: Shift makes it the selection rectangle but the current
// cell; Space picks the current cell alone, with Ctrl adds it or takes it out. Cells are listed
// by displayed column and row.
void TQvStringGrid::keyUpSelectedCells(int key, Qt::KeyboardModifiers shift)
{
    TIntList& list = *FSelectedCells;
    const auto keyOf = &TQvStringGrid::SelectedCellKey;
    auto repaintListed = [&] {
        for (int i = 0; i < list.Count(); ++i) {
            const unsigned k = unsigned(list.GetInteger(i));
            RepaintCell(int(k & 0xFFFF), int(k >> 16));
        }
    };
    auto remove = [&](int k) {
        for (int i = list.Count() - 1; i >= 0; --i)
            if (list.GetInteger(i) == k)
                list.Delete(i);
    };
    const TGridRect s = normalized(Selection());
    if (shift & Qt::ShiftModifier) {
        for (int c = s.Left; c <= s.Right; ++c)
            for (int r = s.Top; r <= s.Bottom; ++r) {
                remove(keyOf(c, r));
                if (c != Col() || r != Row())
                    list.Add(keyOf(c, r));
            }
        repaintListed();
    }
    if (key != Qt::Key_Space)
        return;
    const TPoint base = BaseCell(RealCol(), Row());
    const int bc = DisplColIndex(base.X), br = base.Y;
    if (IsFixed(base.X, br))
        return;
    bool can = true;
    if (OnSelectCell)
        OnSelectCell(this, bc, br, can);
    if (!can)
        return;
    const int k = keyOf(bc, br);
    if (shift & Qt::ControlModifier) {
        if (list.HasValue(k))
            remove(k);
        else
            list.Add(k);
    } else {
        repaintListed();
        list.Clear();
        list.Add(k);
    }
    if (s.Left != s.Right || s.Top != s.Bottom) {
        for (int c = s.Left; c <= s.Right; ++c)
            for (int r = s.Top; r <= s.Bottom; ++r)
                if ((c != bc || r != br) && !list.HasValue(keyOf(c, r)))
                    list.Add(keyOf(c, r));
        repaintListed();
    }
    RepaintCell(Col(), Row());
}

// Home and End as HomeEndKey says; answers false for the combinations the string grid's own
// movement handles.
bool TQvStringGrid::homeEndKey(int key, Qt::KeyboardModifiers mods)
{
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const bool rowSelect = Options() & goRowSelect;
    const THomeEndAction how = Navigation().HomeEndKey();
    if (how != heFirstLastCell && FFixedRowAlways && RowCount() == 1)
        return false;
    const bool home = key == Qt::Key_Home;
    switch (how) {
    case heFirstLastCell:
        if (ctrl)
            return false;
        if (home)
            TStringGrid::FocusCell(FixedCols(), FixedRows(), true);
        else
            TStringGrid::FocusCell(ColCount() - 1, RowCount() - 1, true);
        GotoBaseCell();
        return true;
    case heFirstLastRow: {
        if (ctrl)
            return false;
        const int row0 = Row();
        const int target = home ? FixedRows() : RowCount() - FFixedFooters - 1;
        const int left0 = LeftCol();
        if (shift)
            SetSelection({0, row0, ColCount() - 1, std::max(FixedRows(), target)});
        else
            TStringGrid::FocusCell(Col(), std::max(FixedRows(), target), true);
        GotoBaseCell();
        if (rowSelect && Navigation().KeepHorizScroll()) {
            StartUpdate();
            SetLeftCol(left0);
            ResetUpdate();
        }
        return true;
    }
    case heFirstLastColumn:
        if (ctrl) {
            if (!home)
                return false;
            const int c = FirstTabStopCol(FixedRows());
            TStringGrid::FocusCell(c >= 0 ? c : Col(), FixedRows(), true);
            GotoBaseCell();
            SetLeftCol(FixedCols());
            return true;
        }
        if (rowSelect)
            return false;
        if (shift) {
            const int to = home ? FixedCols() : ColCount() - FFixedRightCols - 1;
            SetSelection({Col(), Row(), to, Row()});
            RepaintRow(Row());
            return true;
        }
        if (home) {
            const int c = FirstTabStopCol(Row());
            if (c >= 0)
                TStringGrid::FocusCell(c, Row(), true);
            GotoBaseCell();
            SetLeftCol(FixedCols());
        } else {
            TStringGrid::FocusCell(ColCount() - 1, Row(), true);
            GotoBaseCell();
            SetLeftCol(std::max(FixedCols(), ColCount() - VisibleColCount()));
        }
        return true;
    }
    return false;
}

// Arrow keys jump over cells that are fixed (fixed right columns, footers, cells the hooks call
// fixed). Answers true when the key was taken (whether or not a new cell was found).
bool TQvStringGrid::skipFixedCells(int key)
{
    const int c = Col(), r = Row();
    const bool rowSelect = Options() & goRowSelect;
    switch (key) {
    case Qt::Key_Left: {
        if (c <= FixedCols() || !IsFixed(c - 1, r))
            return false;
        int p = c - 1;
        while (p >= FixedCols() && IsFixed(p, r))
            --p;
        if (p >= FixedCols())
            TStringGrid::FocusCell(p, r, true);
        return true;
    }
    case Qt::Key_Right: {
        const int end = ColCount() - FFixedRightCols;
        if (c >= end || c + 1 >= ColCount() || !IsFixed(c + 1, r))
            return false;
        int p = c + 1;
        while (p < end && IsFixed(p, r))
            ++p;
        if (p < end)
            TStringGrid::FocusCell(p, r, true);
        return true;
    }
    case Qt::Key_Up: {
        if (r <= FixedRows() || !IsFixed(c, r - 1))
            return false;
        int p = r - 1;
        if (!rowSelect)
            while (p >= FixedRows() && IsFixed(c, p))
                --p;
        if (p >= FixedRows() && (rowSelect || !IsFixed(c, p)))
            TStringGrid::FocusCell(c, p, true);
        return true;
    }
    case Qt::Key_Down: {
        const int end = RowCount() - FFixedFooters;
        if (r >= end || r + 1 >= RowCount() || !IsFixed(c, r + 1))
            return false;
        int p = r + 1;
        if (!rowSelect)
            while (p < end && IsFixed(c, p))
                ++p;
        if (p < end && (rowSelect || !IsFixed(c, p)))
            TStringGrid::FocusCell(c, p, true);
        return true;
    }
    default:
        return false;
    }
}

// Space (and Enter on buttons) on a cell holding a check box, radio group or radio button.
bool TQvStringGrid::cellControlKey(int key)
{
    const int rc = RealCol();
    bool active = (Options() & goEditing) || MouseActions().RangeSelectAndEdit();
    CanEditCell(rc, Row(), active);
    const auto& look = PaintSettings().ControlLook;
    bool done = false;
    if (key == Qt::Key_Space && HasCheckBox(rc, Row()) && (active || look.CheckAlwaysActive())) {
        const QString before = Cells(rc, Row());
        bool was = false;
        GetCheckBoxState(rc, RealRowIndex(Row()), was);
        const bool state = UserToggleCheck(rc, Row());
        if (state != was || Cells(rc, Row()) != before)
            CheckBoxClick(rc, Row(), state);
        done = true;
    } else if (key == Qt::Key_Space && IsRadio(rc, Row()) && (active || look.RadioAlwaysActive())) {
        // The next option, wrapping to the first; the choice itself is the press's.
        const TStringList* options = GetRadioStrings(rc, Row());
        int idx = -1;
        GetRadioIdx(rc, Row(), idx);
        if (idx < 0 && options)
            idx = int(options->Strings.indexOf(Cells(rc, Row())));
        if (options && options->Count() > 0) {
            bool allowed = true;
            if (!look.RadioAlwaysActive())
                CanEditCell(rc, Row(), allowed);
            if (allowed)
                ChooseRadioOption(rc, Row(), (idx + 1) % options->Count());
        }
        done = true;
    } else if (key == Qt::Key_Space && HasRadioButton(rc, Row()) && (active || look.RadioAlwaysActive())) {
        UserToggleCheck(rc, Row());
        done = true;
    }
    RepaintCell(Col(), Row());
    return done;
}

} // namespace grid
