// Validation of a cell holding wide text (stored in the wide cell form, "|\" and two characters
// per character): compared and handed to OnCellValidateWide as plain text, written back in the
// wide form. It differs from ValidateCell on purpose: the column footer is
// recalculated before the event whatever the outcome, no cell checker, no undo record, and a
// refusal shows no tip and keeps the last validation result.

#include "grid/edit/GridEdit.h"
#include "grid/edit/QSGEdit.h"
#include "grid/look/ZirAzur.h"

namespace grid {

bool TQvStringGrid::ValidateCellWide(const QString& NewValue)
{
    if (!FEditing || FValidating)
        return true;
    FEditing = false;
    FValidating = true;
    bool valid = true;
    const int ACol = RealColIndex(FOldCol);
    const int ARow = FOldRow;
    const QString oldWide = ZirAzur::DecodeWideCellText(FOldCellText);
    struct Finish {
        TQvStringGrid* g;
        ~Finish()
        {
            g->SaveOldCellValue(g->Col(), g->Row());
            g->FValidating = false;
        }
    } finish{this};

    if (NewValue == oldWide && !AlwaysValidate)
        return true;

    const bool changed = NewValue != oldWide;
    QString value = NewValue;
    CalcFooter(ACol);
    if (OnCellValidateWide)
        OnCellValidateWide(this, ACol, ARow, value, valid);
    if (value != oldWide) {
        FGridModified = true;
        if (FixedCols() > 0 && PaintSettings().ShowModified.Enabled) {
            SetRowModified(ARow, true);
            RepaintCell(0, ARow);
        }
    }
    if (valid && changed)
        CellsChanged(TRect{ACol, ARow, ACol, ARow});
    FNewCellText = ZirAzur::EncodeWideCellText(value);

    if (valid) {
        storeValidatedValue(ACol, ARow, FNewCellText);
        return true;
    }

    // As with plain text, a refused value is never stored and the editor opens again.
    reopenRefusedValue(ACol, ARow, value != NewValue ? FNewCellText : FOldCellText, value);
    FOldCellText = GetGridCell(ACol, ARow);
    return false;
}

} // namespace grid
