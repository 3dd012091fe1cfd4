// The grid gaining and losing the focus: the remembered cell value is renewed when the focus
// comes from outside, an always-on editor reopens, and nothing reacts while an editor closes.

#include "grid/edit/GridEdit.h"
#include "grid/edit/QSGEdit.h"

#include <QFocusEvent>

namespace grid {

void TQvStringGrid::focusInEvent(QFocusEvent* e)
{
    TBaseGrid::focusInEvent(e);
    // The focus change a popup's exit caused is ignored once; after that the grid reacts again.
    if (FInvokedByPopupExit) {
        FInvokedByPopupExit = false;
        InvokedFocusChange = false;
        return;
    }
    // The focus coming back from the grid's own editors is no entry into the grid.
    if (InvokedFocusChange || FBlockFocus || FEditing || EditMode)
        return;
    EnterGrid();
    HandleSetFocus();
}

void TQvStringGrid::focusOutEvent(QFocusEvent* e)
{
    HandleKillFocus(e);
    ExitGrid();
}

void TQvStringGrid::HandleSetFocus()
{
    if (InvokedFocusChange)
        return;
    const int realCol = RealCol();
    if (IsControlCell(realCol, Row()))
        return;
    const bool visible = Row() >= TopRow() && Col() >= LeftCol() && !CellRect(Col(), Row()).IsEmpty();
    TNavigation& nav = Navigation();
    if (nav.AlwaysEdit() && visible && Col() >= FixedCols() && Row() >= FixedRows()) {
        bool canEdit = (Options() & goEditing) || FEditDisable;
        CanEditCell(realCol, Row(), canEdit);
        if (FQvInplaceEdit && EditControl == edNormal && canEdit) {
            ShowInplaceEdit();
            return;
        }
        if (!FQvInplaceEdit && canEdit && !MouseActions().DirectEdit() && !DropDownAlwaysVisible
            && CellHasComboBox(realCol, Row()))
            ShowInplaceEdit();
    }
    if (IsMergedCell(realCol, Row()))
        RepaintCell(realCol, Row());
}

void TQvStringGrid::HandleKillFocus(QFocusEvent* e)
{
    // While an editor is being closed the grid keeps its state.
    if (FBlockKill)
        return;
    TBaseGrid::focusOutEvent(e);
    if (IsMergedCell(RealCol(), Row()))
        RepaintCell(RealCol(), Row());
}

void TQvStringGrid::EnterGrid()
{
    if (FBlockFocus)
        return;
    if ((Options() & goEditing) || MouseActions().RangeSelectAndEdit())
        SelectCell(Col(), Row());
    SaveOldCellValue(Col(), Row());
}

void TQvStringGrid::ExitGrid()
{
    if (FBlockKill)
        return;
    if (FSelChange && MouseActions().DisjunctRowSelect())
        SyncRowSelectWithSelection(false);
    FSelChange = false;
}

} // namespace grid
