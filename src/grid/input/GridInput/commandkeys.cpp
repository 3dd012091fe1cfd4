// Keys that act on the grid after the movement: select all, row insert and delete by key, and
// the value remembered before an edit that Enter and F2 begin.

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"

#include <algorithm>
#include <functional>
#include <iterator>

namespace grid {

void TQvStringGrid::commandKeys(int key, Qt::KeyboardModifiers mods)
{
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const bool alt = mods & Qt::AltModifier;
    TNavigation& nav = Navigation();
    if (key == Qt::Key_Insert && nav.AllowInsertRow() && !ctrl && !shift && !alt) {
        InsertRowByKey();
        return;
    }
    if (key == Qt::Key_A && ctrl && (Options() & (goRowSelect | goRangeSelect))) {
        SelectAllCells();
        return;
    }
    if (key == Qt::Key_Delete && nav.AllowDeleteRow() && !alt && RowCount() - FFixedFooters > FixedRows()) {
        DeleteRowByKey();
        return;
    }
    // Disjunct row and column selection follow the keys.
    TMouseActions& ma = MouseActions();
    const bool moveKey = key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End || key == Qt::Key_Home
                         || key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
    const int row = ma.RowSelectPersistent() ? RealRow() : Row();
    if (moveKey && ma.DisjunctRowSelect()) {
        if (!shift && !ctrl) {
            ClearRowSelect();
            SetRowSelect(row, true);
        } else if (shift) {
            SyncRowSelectWithSelection(false);
        } else {
            SetRowSelect(row, true);
        }
    }
    if (moveKey && ma.DisjunctColSelect()) {
        if (!shift && !ctrl) {
            ClearColSelect();
            SetColSelect(Col(), true);
        } else if (shift) {
            SyncColSelectWithSelection(false);
        } else {
            SetColSelect(Col(), true);
        }
    }
    if (key == Qt::Key_Space && ma.DisjunctRowSelect())
        SetRowSelect(row, !GetRowSelect(row));
    if (key == Qt::Key_Space && ma.DisjunctColSelect())
        SetColSelect(Col(), !GetColSelect(Col()));
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2)
        SaveOldCellValue(Col(), Row());
    if (key == Qt::Key_F2 && EditorMode())
        AfterF2Edit();
}

namespace {

enum class ClipAction { Cut, Paste, Copy };

struct ClipKey {
    int key;
    Qt::KeyboardModifier held;
    ClipAction action;
};

// In the order they are tested: copy comes before Shift+Insert, so Ctrl+Shift+Insert copies.
constexpr ClipKey kClipboardKeys[] = {
    {Qt::Key_X, Qt::ControlModifier, ClipAction::Cut},       {Qt::Key_V, Qt::ControlModifier, ClipAction::Paste},
    {Qt::Key_Insert, Qt::ControlModifier, ClipAction::Copy}, {Qt::Key_C, Qt::ControlModifier, ClipAction::Copy},
    {Qt::Key_Insert, Qt::ShiftModifier, ClipAction::Paste},  {Qt::Key_Delete, Qt::ShiftModifier, ClipAction::Cut},
};

} // namespace

// The clipboard keys; the first that matches ends the key's processing. The events may refuse.
bool TQvStringGrid::clipboardKeys(int key, Qt::KeyboardModifiers mods)
{
    const auto match = std::find_if(std::begin(kClipboardKeys), std::end(kClipboardKeys),
                                    [&](const ClipKey& k) { return k.key == key && (mods & k.held); });
    if (match == std::end(kClipboardKeys))
        return false;
    auto asked = [this](const std::function<void(QObject*, bool&)>& event) {
        bool allow = true;
        if (event)
            event(this, allow);
        return allow;
    };
    switch (match->action) {
    case ClipAction::Cut:
        if (asked(OnClipboardCut))
            CutSelectionToClipboard();
        break;
    case ClipAction::Paste:
        if (asked(OnClipboardPaste))
            PasteSelectionFromClipboard();
        break;
    case ClipAction::Copy:
        if (asked(OnClipboardCopy))
            CopySelectionToClipboard();
        break;
    }
    return true;
}

void TQvStringGrid::SelectAllCells()
{
    int left = FixedCols();
    if (left == 0 && !RowIndicator().Empty())
        left = 1;
    const int right = ColCount() - FFixedRightCols - 1;
    const int bottom = RowCount() - FFixedFooters - 1;
    if (right < left || bottom < FixedRows())
        return;
    if (MouseActions().DisjunctRowSelect())
        SelectRows(FixedRows(), bottom - FixedRows() + 1);
    // The bottom-right cell becomes the current one and is brought into view now, so a
    // following Enter or F2 opens its editor where the view already is. No click is
    // simulated on that cell: it would press whatever control the cell holds.
    TStringGrid::FocusCell(right, bottom, true);
    SetSelection({left, FixedRows(), right, bottom});
}

void TQvStringGrid::InsertRowByKey()
{
    if (!QueryCanInsertRow(Row()))
        return;
    int r = Row();
    int at = r;
    if (Navigation().InsertPosition() == pInsertAfter) {
        if (FFixedRowAlways && RowCount() == FixedRows()) {
            r = 1;
        } else {
            at = r + 1;
            if (r + 1 < RowCount())
                ++r;
        }
    }
    InsertRows(at, 1);
    if (OnAutoInsertRow)
        OnAutoInsertRow(this, at);
    FGridModified = true;
    if (r < RowCount())
        TStringGrid::FocusCell(Col(), r, true);
    CalcFooter(-1);
}

void TQvStringGrid::DeleteRowByKey()
{
    const int real = RealRowIndex(Row());
    bool can = true;
    if (OnCanDeleteRow)
        OnCanDeleteRow(this, real, can);
    if (!can)
        return;
    const int r = Row();
    // The only normal row of a grid that must keep one is emptied, not removed.
    if (RowCount() - FFixedFooters - FixedRows() == 1 && !FFixedRowAlways) {
        for (int c = 0; c < TotalColCount(); ++c)
            SetCells(c, r, QString());
    } else {
        RemoveRows(r, 1);
    }
    if (OnAutoDeleteRow)
        OnAutoDeleteRow(this, r);
    SaveOldCellValue(Col(), Row());
    FGridModified = true;
    CalcFooter(-1);
}

} // namespace grid
