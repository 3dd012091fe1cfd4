// Tab and Enter navigation: Tab walks the tab-stop cells (editable cells while editing is on,
// normal cells otherwise) along the rows or down the columns; Enter moves in the advance
// direction with optional appending, wrapping and skipping of cells that may not be edited.

#include "grid/input/GridInput.h"
#include "grid/QvGrid.h"

#include <QApplication>
#include <QMouseEvent>

#include <algorithm>

namespace grid {

namespace {

// Moves made while it lives pass the select decision unasked (also when a handler throws).
struct ForcedSelection {
    explicit ForcedSelection(bool& flag) : f(flag) { f = true; }
    ~ForcedSelection() { f = false; }
    bool& f;
};

} // namespace

bool TQvStringGrid::IsTabStopCell(int ACol, int ARow)
{
    bool stop = (Options() & goEditing) ? IsEditable(ACol, ARow) : !IsFixed(ACol, ARow);
    if (ACol < FixedCols() || ARow < FixedRows())
        stop = false;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, stop);
    return stop;
}

int TQvStringGrid::FirstTabStopCol(int ARow)
{
    for (int c = 0; c < ColCount(); ++c)
        if (IsTabStopCell(c, ARow))
            return c;
    return -1;
}

int TQvStringGrid::LastTabStopCol(int ARow)
{
    for (int c = ColCount() - 1; c >= 0; --c)
        if (IsTabStopCell(c, ARow))
            return c;
    return -1;
}

void TQvStringGrid::TabWrapToFirstRow()
{
    TStringGrid::FocusCell(Col(), FixedRows(), true);
}

void TQvStringGrid::SimulateCellClick(int ACol, int ARow)
{
    const TRect r = CellRect(ACol, ARow);
    if (r.IsEmpty())
        return;
    const QPointF p(r.Left + 2, r.Top + 2);
    const QPointF g = viewport()->mapToGlobal(p);
    FForceSel = true;
    QMouseEvent press(QEvent::MouseButtonPress, p, g, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, g, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport(), &release);
    FForceSel = false;
}

bool TQvStringGrid::TabNavigate(bool backward)
{
    int key = Qt::Key_Tab;
    fireKeyDown(key, backward ? Qt::ShiftModifier : Qt::NoModifier);
    if (key != Qt::Key_Tab)
        return true;
    if (Col() == FLastTabCol && Row() == FLastTabRow)
        return true;
    FLastTabCol = Col();
    FLastTabRow = Row();

    TNavigation& nav = Navigation();
    bool result = true;
    bool handOn = false;
    const int lastRow = lastNormalRow();
    const int end = ColCount() - FFixedRightCols; // one past the last column Tab visits
    const bool leftRight = nav.TabAdvanceDirection() == adLeftRight;
    auto go = [this](int c, int r) {
        if (c >= 0 && r >= 0 && c < ColCount() && r < RowCount())
            TStringGrid::FocusCell(c, r, true);
    };

    if (backward) {
        if (!leftRight) {
            if (Row() > FixedRows())
                go(Col(), Row() - 1);
            else
                go(Col() > firstNormalCol() ? Col() - 1 : end - 1, lastRow);
        } else {
            int c = Col() - 1;
            while (c >= firstNormalCol() && !(IsTabStopCell(c, Row()) && IsBaseCell(c, Row())))
                --c;
            if (c >= firstNormalCol()) {
                go(c, Row());
            } else {
                const int r = Row() > FixedRows() ? Row() - 1 : lastRow;
                const int lc = LastTabStopCol(r);
                if (lc >= 0)
                    go(lc, r);
                GotoBaseCell();
            }
        }
    } else if (!leftRight) {
        const int span = CellSpan(Col(), Row()).Y;
        if (Row() + span + 1 < RowCount() - FFixedFooters) {
            go(Col(), Row() + span + 1);
        } else {
            TabWrapToFirstRow();
            if (Col() + 1 < end) {
                go(Col() + 1, Row());
            } else {
                go(firstNormalCol(), Row());
                handOn = true;
            }
        }
    } else {
        const int span = CellSpan(Col(), Row()).X;
        const bool lastColumn = Col() + span + 1 >= end;
        int c = Col() + span + 1;
        while (c < end && !(IsTabStopCell(c, Row()) && IsBaseCell(c, Row())))
            ++c;
        // The first following row with a tab stop that is a merge's base cell; none: the
        // cell stays.
        int nextRow = -1, nextCol = -1;
        for (int r = Row() + 1; c >= end && r <= lastRow && nextRow < 0; ++r) {
            for (int n = firstNormalCol(); n < end && nextRow < 0; ++n)
                if (IsTabStopCell(n, r) && IsBaseCell(n, r))
                    nextRow = r, nextCol = n;
        }
        if (c < end) {
            go(c, Row());
        } else if (Row() < lastRow && lastColumn) {
            // From the last column the column changes unasked; the row move that follows
            // passes the select decision and its events like any other.
            if (nextRow >= 0) {
                {
                    const ForcedSelection forced(FForceSel);
                    go(nextCol, Row());
                }
                go(nextCol, nextRow);
            }
        } else if (Row() < lastRow) {
            // No tab stop left in the row: the move is asked once here, with one answer for
            // the three events, and then made unasked.
            if (nextRow >= 0) {
                bool allow = true;
                if (OnRowChanging)
                    OnRowChanging(this, Row(), nextRow, allow);
                if (OnCellChanging)
                    OnCellChanging(this, Row(), Col(), nextRow, nextCol, allow);
                if (OnColChanging)
                    OnColChanging(this, Col(), nextCol, allow);
                const ForcedSelection forced(FForceSel);
                if (allow)
                    go(nextCol, nextRow);
            }
        } else {
            // The last cell: wrap, or add a row, and hand the focus on when asked to.
            if (nav.TabToNextAtEnd() || !nav.AdvanceInsert()) {
                TabWrapToFirstRow();
            } else if (QueryCanAddRow()) {
                InsertRows(RowCount() - FFixedFooters, 1);
                go(Col(), RowCount() - FFixedFooters - 1);
                if (OnAutoAddRow)
                    OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
            } else {
                TabWrapToFirstRow();
            }
            const int n = FirstTabStopCol(Row());
            go(n >= 0 ? n : firstNormalCol(), Row());
            handOn = true;
        }
    }

    if (handOn && nav.TabToNextAtEnd() && parentWidget()) {
        result = false;
        TBaseGrid::focusNextPrevChild(true);
    }
    if (result && (Options() & goEditing) && !IsEditable(Col(), Row())) {
        // Nothing editable on the way: the walk above only visits tab stops, which are the
        // editable cells while editing is on, so this step ends at once.
        FLastTabCol = FLastTabRow = -1;
        return result;
    }
    if (result && nav.AdvanceAutoEdit() && !IsControlCell(RealCol(), Row()))
        SimulateCellClick(Col(), Row());
    FLastTabCol = FLastTabRow = -1;
    if (nav.AlwaysEdit())
        setFocus();
    return result;
}

// Enter navigation. The skip over cells that may not be edited walks at most one pass over the
// grid's normal cells: with nothing editable the current cell stays where the walk started.
void TQvStringGrid::AdvanceToNextCell(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward,
                                      bool Recursive, bool DoEdit)
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
    const TAdvanceDirection dir = nav.AdvanceDirection();
    const long long limit = static_cast<long long>(ColCount()) * RowCount() + 1;

    for (long long step = 0;; ++step) {
        if (step > limit)
            return; // nothing editable anywhere: stay on the starting cell
        const int spanX = CellSpan(ACol, ARow).X;
        const int first = firstNormalCol();
        const int lastRow = lastNormalRow();
        const int lastCol = ColCount() - 1 - FFixedRightCols;
        const int fromCol = ACol, fromRow = ARow;
        if (Forward) {
            if (dir == adLeftRight || dir == adLeftRightInRow) {
                if (ACol + spanX < lastCol) {
                    ACol += spanX + 1;
                } else if (dir == adLeftRight && ARow >= lastRow) {
                    if (nav.AdvanceInsert()) {
                        const bool canAdd = QueryCanAddRow();
                        ACol = first;
                        if (canAdd) {
                            InsertRows(RowCount() - FFixedFooters, 1);
                            ARow = lastNormalRow();
                            if (OnAutoAddRow)
                                OnAutoAddRow(this, ARow);
                            bool any = false;
                            for (int c = FixedCols(); c <= lastCol && !any; ++c) {
                                bool e = true;
                                CanEditCell(RealColIndex(c), ARow, e);
                                any = e;
                            }
                            if (!any) {
                                TStringGrid::FocusCell(ACol, ARow, true);
                                return;
                            }
                        }
                    } else if (nav.AdvanceOnEnterLoop()) {
                        ARow = FixedRows();
                        ACol = first;
                    }
                } else if (dir == adLeftRight) {
                    ++ARow;
                    ACol = first;
                } else if (nav.AdvanceOnEnterLoop()) {
                    ACol = first;
                }
            } else {
                if (ARow < lastRow) {
                    ++ARow;
                } else if (dir == adTopBottomInCol) {
                    ARow = FixedRows();
                } else {
                    if (ACol != ColCount() - FFixedRightCols - 1) {
                        ARow = FixedRows();
                        if (++ACol >= ColCount())
                            ACol = first;
                    } else if (nav.AdvanceInsert()) {
                        SetColCount(ColCount() + 1);
                        ACol += spanX + 1;
                        ARow = FixedRows();
                        if (OnAutoInsertCol)
                            OnAutoInsertCol(this, ColCount() - FFixedRightCols - 1);
                    } else {
                        ARow = FixedRows();
                        ACol = first;
                    }
                    Invalidate();
                }
            }
        } else if (dir == adLeftRight) {
            if (ACol > first) {
                --ACol;
            } else {
                ARow = ARow > FixedRows() ? ARow - 1 : lastRow;
                ACol = ColCount() - FFixedRightCols - 1;
            }
        } else if (dir == adTopBottom) {
            if (ARow > FixedRows()) {
                --ARow;
            } else {
                ACol = ACol > first ? ACol - 1 : ColCount() - FFixedRightCols - 1;
                ARow = lastRow;
            }
        }
        if (ACol == fromCol && ARow == fromRow && step == 0)
            return; // the cell stays

        ACol = std::clamp(ACol, 0, ColCount() - 1);
        ARow = std::clamp(ARow, 0, RowCount() - 1);
        bool canEdit = true;
        CanEditCell(RealColIndex(ACol), ARow, canEdit);
        if (canEdit) {
            bool allow = true;
            int newRow = ARow, newCol = ACol;
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
            break;
        }
        if (!nav.AdvanceSkipReadOnlyCells()) {
            TStringGrid::FocusCell(ACol, ARow, true);
            break;
        }
        // not editable: go on from the reached cell, keeping the starting cell
    }

    if (DoEdit && ((AutoEdit && nav.AdvanceAutoEdit()) || IsControlCell(RealCol(), Row()))) {
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
