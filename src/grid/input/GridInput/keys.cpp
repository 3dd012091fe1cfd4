// The helpers of the key stages (GridInput/keystages.cpp): Home and End, fixed cells, cell
// controls, appending on Down, and the key-up upkeep.

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"
#include "grid/search/SearchPanel.h"
#include "platform/Locale.h"

#include <QKeyEvent>

#include <algorithm>

namespace grid {

namespace {

// The rectangle with its corners in order.
TGridRect normalized(const TGridRect& r)
{
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right), std::max(r.Top, r.Bottom)};
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
    if (Navigation().AlwaysEdit() && (arrow || tab) && !EditorMode() && !EditMode && !IsControlCell(RealCol(), Row()))
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
