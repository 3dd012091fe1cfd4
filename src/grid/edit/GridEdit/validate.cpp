// Validation of an edited cell when it is left: the application accepts, corrects or refuses
// the new text through OnCellValidate; a refusal puts the user back into the editor.

#include "grid/edit/GridEdit.h"
#include "grid/edit/QSGEdit.h"
#include "grid/edit/qsgcheck.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolTip>

namespace grid {

// The refusal's only message: a tip at the reopened editor (the inner edit field of an
// editable combo, the combo itself in pick-only style) with the grid's title and text.
void TQvStringGrid::showInvalidEntryTip()
{
    QWidget* at = nullptr;
    if (FSpecialEditor || !EditMode) {
        at = EditCtrl;
        if (auto* combo = qobject_cast<QComboBox*>(EditCtrl); combo && combo->isEditable())
            at = combo->lineEdit();
    } else {
        at = FQvInplaceEdit;
    }
    if (!at)
        return;
    QString tip = InvalidEntryTitle;
    if (!InvalidEntryText.isEmpty())
        tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + InvalidEntryText;
    QToolTip::showText(at->mapToGlobal(QPoint(0, at->height())), tip, at);
}

void TQvStringGrid::SaveOldCellValue(int ACol, int ARow)
{
    FOldCol = ACol;
    FOldRow = ARow;
    FOldCellText = GetGridCell(RealColIndex(ACol), ARow);
    FOldModifiedValue = FModified;
}

bool TQvStringGrid::ValidateCell(const QString& NewValue)
{
    if (!FEditing || FValidating)
        return true;
    FEditing = false;
    FValidating = true;
    HideFocusWindow();
    bool valid = true;
    const int ACol = RealColIndex(FOldCol);
    const int ARow = FOldRow;
    FNewCellText = NewValue;
    // The flags are put right also when a handler throws; the exception goes on.
    struct Finish {
        TQvStringGrid* g;
        ~Finish()
        {
            g->SaveOldCellValue(g->Col(), g->Row());
            g->FValidating = false;
        }
    } finish{this};

    if (NewValue == FOldCellText && !AlwaysValidate)
        return true;

    const bool changed = NewValue != FOldCellText;
    TNavigation& nav = Navigation();
    const bool advance = nav.AdvanceOnEnter();
    nav.SetAdvanceOnEnter(false);
    QString value = NewValue;
    if (CellChecker && CellChecker->AutoCorrect)
        value = CellChecker->Correct(ACol, ARow, value);
    if (OnCellValidate && !TQvStringGridEditHost::TearingDown(this))
        OnCellValidate(this, ACol, ARow, value, valid);
    // The modified mark and the undo record follow the row, not the place it is shown at.
    if (value != FOldCellText) {
        FGridModified = true;
        if (FixedCols() > 0) {
            SetRowModified(RealRowIndex(ARow), true);
            if (PaintSettings().ShowModified.Enabled)
                RepaintCell(0, ARow);
        }
    }
    if (valid)
        CalcFooter(ACol);
    if (CellChecker && CellChecker->AutoMarkError)
        value = CellChecker->MarkError(ACol, ARow, value);
    if (valid && UndoRedo())
        UndoRedo()->RegisterChange(ACol, RealRowIndex(ARow), FOldCellText, value);
    if (valid && changed)
        CellsChanged(TRect{ACol, ARow, ACol, ARow});
    nav.SetAdvanceOnEnter(advance);
    FNewCellText = value;

    if (valid) {
        storeValidatedValue(ACol, ARow, value);
        return true;
    }

    FLastValidation = false;
    reopenRefusedValue(ACol, ARow, value != NewValue ? value : FOldCellText, value);
    if (!InvalidEntryTitle.isEmpty() || !InvalidEntryText.isEmpty())
        showInvalidEntryTip();
    FOldCellText = GetGridCell(ACol, ARow);
    return false;
}

// An accepted value goes into the cell (and the base of its merge); an editor still open
// hands its text to the cell when it closes, so it shows the stored form too.
void TQvStringGrid::storeValidatedValue(int ACol, int ARow, const QString& stored)
{
    SetCellEx(ACol, ARow, stored);
    if (IsMergedNonBaseCell(ACol, ARow)) {
        const TPoint b = BaseCell(ACol, ARow);
        SetCellEx(b.X, b.Y, stored);
    }
    if (FQvInplaceEdit && FQvInplaceEdit->isVisible() && FQvInplaceEdit->text() != stored) {
        FNoEditChange = true;
        FQvInplaceEdit->setText(stored);
        FNoEditChange = false;
    }
}

// A refused value is never stored: the cell gets `restored` (the handler's replacement or its
// old text), and the editor opens again on the remembered cell showing `shown`, what the user
// typed or the handler's value, so nothing typed is lost.
void TQvStringGrid::reopenRefusedValue(int ACol, int ARow, const QString& restored, const QString& shown)
{
    if (FQvInplaceEdit && FQvInplaceEdit->hasFocus())
        TakeFocusFromEditor(this);
    HideEditor();
    SetCellEx(ACol, ARow, restored);
    if (Col() != FOldCol || Row() != FOldRow) {
        FMovingBack = true;
        TStringGrid::FocusCell(FOldCol, FOldRow, true);
        FMovingBack = false;
    }
    FValidating = false;
    FEditing = true;
    ShowInplaceEdit();
    if (FQvInplaceEdit && EditorMode()) {
        FNoEditChange = true;
        FQvInplaceEdit->setText(shown);
        FQvInplaceEdit->selectAll();
        FNoEditChange = false;
    }
    FModified = FOldModifiedValue;
}

} // namespace grid
