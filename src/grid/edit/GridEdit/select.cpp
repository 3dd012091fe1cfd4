// The select-cell decision every move of the current cell passes: a move the grid forces is
// accepted at once; otherwise editing is switched on for a cell that may be edited (a column
// grid's editable column even when the grid's options leave editing off) and off for one that
// may not, a pending special-editor value is validated, the changing events may refuse the
// move, and a move that happens reports its new row through OnRowUpdate.

#include "grid/edit/GridEdit.h"
#include "grid/edit/QSGEdit.h"
#include "grid/look/ZirAzur.h"

namespace grid {

void TQvStringGrid::reportRowUpdate(int newRow)
{
    if (IsLoading() || newRow == FOldRowSel || !OnRowUpdate)
        return;
    OnRowUpdate(this, FOldRowSel, newRow);
    FOldRowSel = newRow;
}

// Column 0 of the current and of the target row, where the row indicator is drawn.
void TQvStringGrid::repaintRowIndicators(int targetRow)
{
    if (FRowIndicator->Empty() || FixedCols() == 0)
        return;
    RepaintCell(0, Row());
    RepaintCell(0, targetRow);
}

bool TQvStringGrid::SelectCell(int col, int row)
{
    if (FMovingBack)
        return true;
    // A move the grid makes itself (Tab across a row end, a programmatic click) is never
    // refused and asks nobody: its events, if any, were fired by the mover.
    if (FForceSel) {
        repaintRowIndicators(row);
        return true;
    }
    if (col < 0 || row < 0)
        return false;
    const int realCol = RealColIndex(col);
    TMouseActions& ma = MouseActions();
    // A covered cell of a merged area stands for its base cell, unless ranges are selected.
    if (!(Options() & goRangeSelect) && IsMergedNonBaseCell(realCol, row)) {
        const TPoint b = BaseCell(realCol, row);
        TStringGrid::FocusCell(DisplColIndex(b.X), b.Y, true);
        RepaintCell(b.X, b.Y);
        if (ma.DirectEdit() || (DropDownAlwaysVisible && CellHasComboBox(b.X, b.Y)))
            ShowInplaceEdit();
        return false;
    }
    if (HasNodes() && col == 0 && !(Options() & goRowSelect))
        return false; // the node column
    if (UseEnabledRows() && Navigation().SkipDisabledRows() && !GetRowEnabled(row))
        return false;

    const bool editorFocused = FQvInplaceEdit && FQvInplaceEdit->hasFocus();
    if (IsControlCell(realCol, row)) {
        bool canEdit = true;
        CanEditCell(realCol, row, canEdit);
        if (!FEditDisable)
            FEditDisable = !canEdit && ((Options() & goEditing) || ma.RangeSelectAndEdit());
        if (!(Options() & (goEditing | goRowSelect)) && canEdit) {
            FEditChange = true;
            SetOptions(Options() | goEditing);
        }
    } else {
        bool canEdit = (Options() & goEditing) || FEditDisable;
        CanEditCell(realCol, row, canEdit);
        if (ma.DirectEdit() && canEdit) {
            EditControl = DefaultEditor;
            GetCellEditor(realCol, row, EditControl);
            if (EditControl == edNone)
                canEdit = false;
        }
        if (ma.EditOnDblClickOnly())
            canEdit = false;
        if (canEdit) {
            FEditDisable = false;
            if (!(Options() & goEditing)) {
                FEditChange = true;
                if (!FEditing)
                    SaveOldCellValue(col, row);
                TGridOptions o = Options() | goEditing;
                if (ma.RangeSelectAndEdit())
                    o &= ~goRowSelect;
                SetOptions(o);
            }
        } else if (Options() & goEditing) {
            if (EditMode)
                HideInplaceEdit();
            EditMode = false;
            FEditDisable = true;
            FEditChange = true;
            SetOptions(Options() & ~goEditing);
            HideEditor();
        }
    }

    bool answer;
    if (!FEditing || editorFocused) {
        answer = AllowCellSelect(col, row);
    } else {
        // An edit is pending and no text editor holds the focus: validate before moving.
        const QString cache = FCellCache;
        // A cell that held wide text is validated as wide text.
        const QString text = CurrentCellText();
        const bool wide = FOldCellText.startsWith(QLatin1String("|\\"));
        answer = (wide ? ValidateCellWide(ZirAzur::DecodeWideCellText(text)) : ValidateCell(text))
                 && AllowCellSelect(col, row);
        if (!answer)
            FCellCache = cache;
    }
    repaintRowIndicators(row);
    // Only a move that happens is reported: a refused one leaves the row where it was.
    if (answer) {
        reportRowUpdate(row);
        FCellCache = GetGridCell(realCol, row);
        if (FISelect && (col != Col() || row != Row()))
            FISelect->SelectionChanged(col, row);
    }
    return answer;
}

} // namespace grid
