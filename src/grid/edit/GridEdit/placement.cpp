// Putting a special editor over its cell, loaded with the cell's value.

#include "grid/edit/GridCombo.h"
#include "grid/edit/GridEdit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>

namespace grid {

void TQvStringGrid::SetComboSelectionString(const QString& s)
{
    FComboIdx = FEditCombo ? FEditCombo->findText(s, Qt::MatchExactly) : -1;
}

void TQvStringGrid::GetEditorProp(int ACol, int ARow, void* AEditLink)
{
    if (OnGetEditorProp)
        OnGetEditorProp(this, ACol, ARow, AEditLink);
}

void TQvStringGrid::ShowSpecialEditor(int ACol, int ARow)
{
    FEditing = true;
    FSpecialEditor = true;
    FEditActive = true;
    startFocusFrame();
    const int realCol = RealColIndex(ACol);
    TRect r = CellRect(ACol, ARow);
    const int w = r.Right - r.Left - 1;
    const int h = r.Bottom - r.Top - 1;
    const TColor color = editHost()->CellColor(ACol, ARow);
    EditCtrl = nullptr;
    if (EditControl != edCustom)
        FLastValidation = true;
    const QChar typed = FStartEditChar;

    switch (EditControl) {
    case edComboEdit:
    case edComboList: {
        const bool list = EditControl == edComboList;
        TGridCombo* combo = EditCombo();
        EditMode = true;
        FNoEditChange = true;
        combo->blockSignals(true);
        combo->clear();
        LoadEditorFromColumn(realCol, ARow);
        combo->setMaxVisibleItems(std::max(1, DropDownCount));
        GetEditorProp(realCol, ARow, nullptr);
        combo->setGeometry(r.Left, r.Top, 0, 0);
        combo->setEnabled(true);
        combo->setEditable(!list);
        bool comboEventDue = false;
        if (list) {
            int idx = combo->findText(Cells(realCol, ARow), Qt::MatchExactly);
            if (FComboIdx == -1 && idx == -1) {
                idx = combo->findText(FEditText, Qt::MatchExactly);
                if (idx == -1)
                    idx = 0;
                comboEventDue = true;
            } else if (idx == -1) {
                idx = FComboIdx;
            }
            combo->setCurrentIndex(idx < combo->count() ? idx : -1);
        } else {
            combo->setEditText(FEditText);
            if (FComboIdx != -1 && combo->currentIndex() == -1)
                combo->setCurrentIndex(FComboIdx);
            combo->setEditText(FEditText);
            if (combo->lineEdit() && MaxComboLength > 0)
                combo->lineEdit()->setMaxLength(MaxComboLength);
        }
        combo->blockSignals(false);
        combo->SetColor(color);
        combo->setGeometry(r.Left, r.Top, w, h);
        const bool flat = Look == glSoft || Look == glVLX || Look == glXP || Look == glListView || Look == glVista ||
                          Look == glWin7 || Look == glOffice2007;
        combo->SetFlat(flat);
        combo->SetEtched(flat);
        if (Navigation().AutoComboDropSize())
            combo->SizeDropDownWidth();
        else if (combo->DropWidth() > 0)
            combo->SetDropWidth(combo->DropWidth());
        combo->show();
        combo->raise();
        combo->setFocus(Qt::OtherFocusReason);
        FNoEditChange = false;
        if (MouseActions().DirectComboDrop() || DropDownAlwaysVisible)
            combo->showPopup();
        if (MouseActions().DirectEdit() && MouseActions().DirectComboDrop()) {
            const TGridRect sel = Selection();
            SelectionChangedNotify(sel.Left, sel.Top, sel.Right, sel.Bottom);
        }
        if (comboEventDue && combo->count() > 0 && OnComboChange)
            OnComboChange(this, realCol, ARow, 0, combo->itemText(0));
        EditCtrl = combo;
        if (!typed.isNull()) {
            // The typed character reaches the editor as its first keystroke.
            QKeyEvent ev(QEvent::KeyPress, 0, Qt::NoModifier, QString(typed));
            QApplication::sendEvent(combo, &ev);
        }
        break;
    }
    default:
        // The other special kinds come with their editor controls; until then nothing opens.
        EditMode = false;
        FEditActive = false;
        FSpecialEditor = false;
        break;
    }
    FStartEditChar = QChar();
}

} // namespace grid
