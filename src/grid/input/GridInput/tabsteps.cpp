// Tab and Enter navigation as named steps. Tab walks the tab stops along the rows or down the
// columns and may hand the focus on at the end; Enter moves in the advance direction with
// optional appending, wrapping and skipping of cells that may not be edited.
//
// A move across a row end is asked once: either the grid asks the changing events itself with
// one answer and then moves unasked (FForceSel), or the column changes unasked and the row move
// that follows passes the select decision like any other.

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"
#include "grid/input/KeyContext.h"
#include "grid/input/StageTable.h"

#include <algorithm>
#include <span>

namespace grid {

namespace {

// Moves made while it lives pass the select decision unasked (also when a handler throws).
struct ForcedSelection {
    explicit ForcedSelection(bool& flag) : f(flag) { f = true; }
    ~ForcedSelection() { f = false; }
    bool& f;
};

} // namespace

void TQvStringGrid::tabGo(int c, int r)
{
    if (c >= 0 && r >= 0 && c < ColCount() && r < RowCount())
        TStringGrid::FocusCell(c, r, true);
}

bool TQvStringGrid::TabNavigate(bool backward)
{
    using Stage = TInputStage<TQvStringGrid, TTabContext>;
    static constexpr Stage kSteps[] = {
        {"tabAskKeyDown", &TQvStringGrid::tabAskKeyDown},
        {"tabNoProgress", &TQvStringGrid::tabNoProgress},
        {"tabBackwardInColumns", &TQvStringGrid::tabBackwardInColumns},
        {"tabBackwardAlongRow", &TQvStringGrid::tabBackwardAlongRow},
        {"tabForwardInColumns", &TQvStringGrid::tabForwardInColumns},
        {"tabForwardAlongRow", &TQvStringGrid::tabForwardAlongRow},
        {"tabHandOn", &TQvStringGrid::tabHandOn},
        {"tabPastNotEditable", &TQvStringGrid::tabPastNotEditable},
        {"tabAutoEdit", &TQvStringGrid::tabAutoEdit},
        {"tabFinish", &TQvStringGrid::tabFinish},
    };
    TTabContext t;
    t.Backward = backward;
    RunStages(*this, t, std::span<const Stage>(kSteps));
    return t.Result;
}

// The window's OnKeyDown hears Tab first; a handler that changes the key takes it.
bool TQvStringGrid::tabAskKeyDown(TTabContext& t)
{
    int key = Qt::Key_Tab;
    fireKeyDown(key, t.Backward ? Qt::ShiftModifier : Qt::NoModifier);
    return key != Qt::Key_Tab;
}

// A Tab step that runs again on the cell where it started made no progress: it stops.
bool TQvStringGrid::tabNoProgress(TTabContext&)
{
    if (Col() == FLastTabCol && Row() == FLastTabRow)
        return true;
    FLastTabCol = Col();
    FLastTabRow = Row();
    return false;
}

bool TQvStringGrid::tabBackwardInColumns(TTabContext& t)
{
    if (!t.Backward || Navigation().TabAdvanceDirection() == adLeftRight)
        return false;
    const int end = ColCount() - FFixedRightCols;
    if (Row() > FixedRows())
        tabGo(Col(), Row() - 1);
    else
        tabGo(Col() > firstNormalCol() ? Col() - 1 : end - 1, lastNormalRow());
    return false;
}

bool TQvStringGrid::tabBackwardAlongRow(TTabContext& t)
{
    if (!t.Backward || Navigation().TabAdvanceDirection() != adLeftRight)
        return false;
    int c = Col() - 1;
    while (c >= firstNormalCol() && !(IsTabStopCell(c, Row()) && IsBaseCell(c, Row())))
        --c;
    if (c >= firstNormalCol()) {
        tabGo(c, Row());
        return false;
    }
    const int r = Row() > FixedRows() ? Row() - 1 : lastNormalRow();
    const int lc = LastTabStopCol(r);
    if (lc >= 0)
        tabGo(lc, r);
    GotoBaseCell();
    return false;
}

bool TQvStringGrid::tabForwardInColumns(TTabContext& t)
{
    if (t.Backward || Navigation().TabAdvanceDirection() == adLeftRight)
        return false;
    const int end = ColCount() - FFixedRightCols;
    const int span = CellSpan(Col(), Row()).Y;
    if (Row() + span + 1 < RowCount() - FFixedFooters) {
        tabGo(Col(), Row() + span + 1);
        return false;
    }
    TabWrapToFirstRow();
    if (Col() + 1 < end) {
        tabGo(Col() + 1, Row());
    } else {
        tabGo(firstNormalCol(), Row());
        t.HandOn = true;
    }
    return false;
}

bool TQvStringGrid::tabForwardAlongRow(TTabContext& t)
{
    if (t.Backward || Navigation().TabAdvanceDirection() != adLeftRight)
        return false;
    const int end = ColCount() - FFixedRightCols; // one past the last column Tab visits
    const int span = CellSpan(Col(), Row()).X;
    const bool lastColumn = Col() + span + 1 >= end;
    int c = Col() + span + 1;
    while (c < end && !(IsTabStopCell(c, Row()) && IsBaseCell(c, Row())))
        ++c;
    if (c < end)
        tabGo(c, Row());
    else if (Row() < lastNormalRow())
        tabForwardToNextRow(t, lastColumn);
    else
        tabForwardAtLastRow(t);
    return false;
}

// Past the row's last tab stop into the first tab stop (a merge's base cell) of the next row
// that has one; none: the cell stays. The move is asked once.
void TQvStringGrid::tabForwardToNextRow(TTabContext&, bool fromLastColumn)
{
    const int end = ColCount() - FFixedRightCols;
    int nextRow = -1, nextCol = -1;
    for (int r = Row() + 1; r <= lastNormalRow() && nextRow < 0; ++r)
        for (int n = firstNormalCol(); n < end && nextRow < 0; ++n)
            if (IsTabStopCell(n, r) && IsBaseCell(n, r))
                nextRow = r, nextCol = n;
    if (nextRow < 0)
        return;
    if (fromLastColumn) {
        // The column changes unasked; the row move passes the select decision and its events.
        {
            const ForcedSelection forced(FForceSel);
            tabGo(nextCol, Row());
        }
        tabGo(nextCol, nextRow);
        return;
    }
    // Asked here with one answer for the three events, then made unasked.
    bool allow = true;
    if (OnRowChanging)
        OnRowChanging(this, Row(), nextRow, allow);
    if (OnCellChanging)
        OnCellChanging(this, Row(), Col(), nextRow, nextCol, allow);
    if (OnColChanging)
        OnColChanging(this, Col(), nextCol, allow);
    const ForcedSelection forced(FForceSel);
    if (allow)
        tabGo(nextCol, nextRow);
}

// The last cell: wrap, or add a row, and hand the focus on when asked to.
void TQvStringGrid::tabForwardAtLastRow(TTabContext& t)
{
    TNavigation& nav = Navigation();
    if (nav.TabToNextAtEnd() || !nav.AdvanceInsert()) {
        TabWrapToFirstRow();
    } else if (QueryCanAddRow()) {
        InsertRows(RowCount() - FFixedFooters, 1);
        tabGo(Col(), RowCount() - FFixedFooters - 1);
        if (OnAutoAddRow)
            OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
    } else {
        TabWrapToFirstRow();
    }
    const int n = FirstTabStopCol(Row());
    tabGo(n >= 0 ? n : firstNormalCol(), Row());
    t.HandOn = true;
}

bool TQvStringGrid::tabHandOn(TTabContext& t)
{
    if (t.HandOn && Navigation().TabToNextAtEnd() && parentWidget()) {
        t.Result = false;
        TBaseGrid::focusNextPrevChild(true);
    }
    return false;
}

// Nothing editable on the way: the walk above only visits tab stops, which are the editable
// cells while editing is on, so the step ends at once.
bool TQvStringGrid::tabPastNotEditable(TTabContext& t)
{
    if (!t.Result || !(Options() & goEditing) || IsEditable(Col(), Row()))
        return false;
    FLastTabCol = FLastTabRow = -1;
    return true;
}

bool TQvStringGrid::tabAutoEdit(TTabContext& t)
{
    if (t.Result && Navigation().AdvanceAutoEdit() && !IsControlCell(RealCol(), Row()))
        SimulateCellClick(Col(), Row());
    return false;
}

bool TQvStringGrid::tabFinish(TTabContext&)
{
    FLastTabCol = FLastTabRow = -1;
    if (Navigation().AlwaysEdit())
        setFocus();
    return true;
}

// ---- Enter navigation -----------------------------------------------------------------------

// Enter navigation. The skip over cells that may not be edited walks at most one pass over the
// grid's normal cells: with nothing editable the current cell stays where the walk started.
void TQvStringGrid::AdvanceToNextCell(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Recursive,
                                      bool DoEdit)
{
    TNavigation& nav = Navigation();
    if (!nav.AdvanceOnEnter() && !Force)
        return;
    if (MouseActions().RangeSelectAndEdit() && !(Options() & goEditing))
        SetOptions(Options() | goEditing);
    if (!Recursive) {
        FAECol = ACol;
        FAERow = ARow;
    }
    FStartEditChar = QChar();
    TAdvanceContext a;
    a.ACol = ACol;
    a.ARow = ARow;
    a.Force = Force;
    a.AutoEdit = AutoEdit;
    a.Forward = Forward;
    a.DoEdit = DoEdit;
    const TAdvanceDirection dir = nav.AdvanceDirection();
    const long long limit = static_cast<long long>(ColCount()) * RowCount() + 1;
    for (long long step = 0;; ++step) {
        if (step > limit)
            return; // nothing editable anywhere: stay on the starting cell
        const int fromCol = a.ACol, fromRow = a.ARow;
        if (!a.Forward)
            advanceBackward(a);
        else if (dir == adLeftRight || dir == adLeftRightInRow)
            advanceAlongRow(a);
        else
            advanceDownColumn(a);
        if (a.Stop)
            return;
        if (a.ACol == fromCol && a.ARow == fromRow && step == 0)
            return; // the cell stays
        if (advanceArrive(a))
            break;
    }
    advanceOpenEditor(a);
}

// Forward along the row: the next column, or the next row's first, or at the grid's end a new
// row (AdvanceInsert), a wrap to the first row (AdvanceOnEnterLoop) or nothing.
void TQvStringGrid::advanceAlongRow(TAdvanceContext& a)
{
    TNavigation& nav = Navigation();
    const bool inRow = nav.AdvanceDirection() == adLeftRightInRow;
    const int lastCol = ColCount() - 1 - FFixedRightCols;
    const int spanX = CellSpan(a.ACol, a.ARow).X;
    if (a.ACol + spanX < lastCol) {
        a.ACol += spanX + 1;
    } else if (inRow) {
        if (nav.AdvanceOnEnterLoop())
            a.ACol = firstNormalCol();
    } else if (a.ARow < lastNormalRow()) {
        ++a.ARow;
        a.ACol = firstNormalCol();
    } else if (nav.AdvanceInsert()) {
        const bool canAdd = QueryCanAddRow();
        a.ACol = firstNormalCol();
        if (!canAdd)
            return;
        InsertRows(RowCount() - FFixedFooters, 1);
        a.ARow = lastNormalRow();
        if (OnAutoAddRow)
            OnAutoAddRow(this, a.ARow);
        bool any = false;
        for (int c = FixedCols(); c <= lastCol && !any; ++c) {
            bool e = true;
            CanEditCell(RealColIndex(c), a.ARow, e);
            any = e;
        }
        if (!any) {
            TStringGrid::FocusCell(a.ACol, a.ARow, true);
            a.Stop = true;
        }
    } else if (nav.AdvanceOnEnterLoop()) {
        a.ARow = FixedRows();
        a.ACol = firstNormalCol();
    }
}

// Forward down the column: the next row, or at the column's end the next column's first row
// (adTopBottom, inserting a column with AdvanceInsert) or this column's (adTopBottomInCol).
void TQvStringGrid::advanceDownColumn(TAdvanceContext& a)
{
    TNavigation& nav = Navigation();
    if (a.ARow < lastNormalRow()) {
        ++a.ARow;
        return;
    }
    a.ARow = FixedRows();
    if (nav.AdvanceDirection() == adTopBottomInCol)
        return;
    const int spanX = CellSpan(a.ACol, a.ARow).X;
    if (a.ACol != ColCount() - FFixedRightCols - 1) {
        if (++a.ACol >= ColCount())
            a.ACol = firstNormalCol();
    } else if (nav.AdvanceInsert()) {
        SetColCount(ColCount() + 1);
        a.ACol += spanX + 1;
        if (OnAutoInsertCol)
            OnAutoInsertCol(this, ColCount() - FFixedRightCols - 1);
    } else {
        a.ACol = firstNormalCol();
    }
    Invalidate();
}

// Backward: along the row or up the column; the in-row and in-column directions stay.
void TQvStringGrid::advanceBackward(TAdvanceContext& a)
{
    const TAdvanceDirection dir = Navigation().AdvanceDirection();
    const int first = firstNormalCol();
    if (dir == adLeftRight) {
        if (a.ACol > first) {
            --a.ACol;
        } else {
            a.ARow = a.ARow > FixedRows() ? a.ARow - 1 : lastNormalRow();
            a.ACol = ColCount() - FFixedRightCols - 1;
        }
    } else if (dir == adTopBottom) {
        if (a.ARow > FixedRows()) {
            --a.ARow;
        } else {
            a.ACol = a.ACol > first ? a.ACol - 1 : ColCount() - FFixedRightCols - 1;
            a.ARow = lastNormalRow();
        }
    }
}

// The reached cell: an editable one is asked for (OnAutoAdvance may redirect or refuse, then
// OnCellChanging) and made current without asking again; a read-only one is passed over with
// AdvanceSkipReadOnlyCells (answer false: walk on) or made current.
bool TQvStringGrid::advanceArrive(TAdvanceContext& a)
{
    a.ACol = std::clamp(a.ACol, 0, ColCount() - 1);
    a.ARow = std::clamp(a.ARow, 0, RowCount() - 1);
    bool canEdit = true;
    CanEditCell(RealColIndex(a.ACol), a.ARow, canEdit);
    if (!canEdit) {
        if (Navigation().AdvanceSkipReadOnlyCells())
            return false;
        TStringGrid::FocusCell(a.ACol, a.ARow, true);
        return true;
    }
    bool allow = true;
    int newRow = a.ARow, newCol = a.ACol;
    if (OnAutoAdvance)
        OnAutoAdvance(this, FAERow, FAECol, newRow, newCol, allow);
    if (allow && OnCellChanging)
        OnCellChanging(this, FAERow, FAECol, newRow, newCol, allow);
    FDisableChange = true;
    if (allow && newCol >= 0 && newRow >= 0 && newCol < ColCount() && newRow < RowCount())
        TStringGrid::FocusCell(newCol, newRow, true);
    else
        SelectCell(FAECol, FAERow);
    FDisableChange = false;
    return true;
}

void TQvStringGrid::advanceOpenEditor(TAdvanceContext& a)
{
    if (a.DoEdit && ((a.AutoEdit && Navigation().AdvanceAutoEdit()) || IsControlCell(RealCol(), Row()))) {
        if (!IsEditable(Col(), Row()))
            return;
        ShowInplaceEdit();
    }
    if (MouseActions().DisjunctRowSelect()) {
        ClearRowSelect();
        SetRowSelect(Row(), true);
    }
}

} // namespace grid
