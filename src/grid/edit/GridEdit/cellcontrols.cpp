// Inline CONTROL tags of markup cells: the press on one, the editor placed over an EDIT,
// PASSWORD, MASK or COMBO control, the move to the next control on Tab, and the end of the edit
// that writes the value back into the cell's markup (the cell text is the controls' only store).

#include "grid/QvGrid.h"
#include "grid/edit/ControlEdit.h"
#include "grid/markup/GridMarkup.h"

#include <QAbstractItemView>
#include <QLineEdit>

#include <algorithm>

namespace grid {

using RizIVUDE::ClearRadioControls;
using RizIVUDE::GetControlMaxLen;
using RizIVUDE::GetControlProp;
using RizIVUDE::GetControlValue;
using RizIVUDE::NextEditControlID;
using RizIVUDE::SetControlValue;

namespace {

const QString kEdit = QStringLiteral("EDIT");
const QString kPassword = QStringLiteral("PASSWORD");
const QString kMask = QStringLiteral("MASK");
const QString kCombo = QStringLiteral("COMBO");
const QString kButton = QStringLiteral("BUTTON");
const QString kCheck = QStringLiteral("CHECK");
const QString kRadio = QStringLiteral("RADIO");

bool isTextType(const QString& type)
{
    return type == kEdit || type == kPassword || type == kMask;
}

// Qt's way of saying "no limit" on a line edit.
constexpr int kNoMaxLength = 32767;

int maxLength(const QString& markup, const QString& id)
{
    const int n = GetControlMaxLen(markup, id);
    return n > 0 ? n : kNoMaxLength;
}

} // namespace

void TQvStringGrid::EditCellControl(int ACol, int ARow, const QString& CtrlID)
{
    const int realCol = RealColIndex(ACol);
    const QString text = Cells(realCol, ARow);
    const QString id = NextEditControlID(text, CtrlID);
    if (id.isEmpty()) {
        setFocus(Qt::OtherFocusReason);
        return;
    }
    // The control sought by its ID is found wherever the point lies.
    RizIVUDE::TMarkupResult found;
    found.ControlID = id;
    MarkupCellHitTest(*this, ACol, ARow, -1, -1, found);
    StartCellControlEdit(text, found.ControlType, id, found.ControlValue, found.HitControlRect, ACol, ARow);
}

void TQvStringGrid::StartCellControlEdit(const QString& Markup, const QString& CtrlType, const QString& CtrlID,
                                         const QString& CtrlValue, TRect R, int ACol, int ARow)
{
    const bool text = isTextType(CtrlType);
    if ((!text && CtrlType != kCombo) || !FEditControl || !FComboControl)
        return;
    FCtrlXY = {ACol, ARow};
    FCtrlID = CtrlID;
    FCtrlType = CtrlType;
    FCtrlEditing = true;
    // The editors are the grid's children; R is in the viewport's coordinates.
    const QPoint at = viewport()->pos();
    auto leave = [this](QObject*) { EndCellControlEdit(); };

    if (text) {
        TControlEdit* e = FEditControl;
        e->setEchoMode(CtrlType == kPassword ? QLineEdit::Password : QLineEdit::Normal);
        e->SetEditMask(CtrlType == kMask ? GetControlProp(Markup, CtrlID) : QString());
        e->OnExit = leave;
        e->SetText(CtrlValue);
        e->setFrame(false);
        e->setGeometry(at.x() + R.Left + 1, at.y() + R.Top + 8, R.Right - R.Left - 4, 14);
        e->setMaxLength(maxLength(Markup, CtrlID));
        e->show();
        e->raise();
        e->setFocus(Qt::OtherFocusReason);
        return;
    }

    TControlCombo* c = FComboControl;
    c->IsWinXP = true;
    c->SetFlat(false);
    c->setGeometry(at.x() + R.Left - 1, at.y() + R.Top + 4, R.Right - R.Left, c->sizeHint().height());
    QStringList values;
    bool edit = true;
    int dropCount = 8;
    if (OnControlComboList)
        OnControlComboList(this, ARow, ACol, CtrlID, CtrlType, CtrlValue, values, edit, dropCount);
    dropCount = std::max(1, dropCount);
    c->blockSignals(true);
    c->clear();
    c->setEditable(edit);
    c->addItems(values);
    c->setCurrentIndex(c->findText(CtrlValue, Qt::MatchExactly));
    if (edit)
        c->setEditText(CtrlValue);
    c->setMaxVisibleItems(dropCount);
    c->OnExit = leave;
    c->DropHeight = c->ItemHeight() * (dropCount + 2);
    if (QLineEdit* line = c->lineEdit())
        line->setMaxLength(maxLength(Markup, CtrlID));
    c->blockSignals(false);
    disconnect(c, nullptr, this, nullptr);
    connect(c, &QComboBox::activated, this, [this, c] { ControlComboSelect(c); });
    c->show();
    c->raise();
    c->showPopup();
    c->setFocus(Qt::OtherFocusReason);
}

void TQvStringGrid::EndCellControlEdit()
{
    if (!FCtrlEditing)
        return;
    FCtrlEditing = false;
    const bool text = isTextType(FCtrlType);
    if (text || FCtrlType == kCombo) {
        QWidget* editor = text ? static_cast<QWidget*>(FEditControl) : static_cast<QWidget*>(FComboControl);
        const QString value = text ? FEditControl->Text() : FComboControl->currentText();
        const int realCol = RealColIndex(FCtrlXY.X);
        QString markup = Cells(realCol, FCtrlXY.Y);
        if (SetControlValue(markup, FCtrlID, value))
            SetCells(realCol, FCtrlXY.Y, markup);
        editor->hide();
        if (OnControlEditDone)
            OnControlEditDone(this, FCtrlXY.Y, FCtrlXY.X, FCtrlID, FCtrlType, value);
    }
    FCtrlType.clear();
}

void TQvStringGrid::ControlComboSelect(QObject*)
{
    const int index = FComboControl->currentIndex();
    if (OnControlComboSelect)
        OnControlComboSelect(this, FCtrlXY.Y, FCtrlXY.X, index, FCtrlID,
                             index >= 0 ? FComboControl->itemText(index) : QString());
}

// An anchor opens; an inline control the user may edit is pressed, toggled or opened for
// editing; a press elsewhere in a cell holding controls only makes the cell current.
bool TQvStringGrid::PressOnMarkupCell(int ACol, int ARow, int X, int Y)
{
    const int realCol = RealColIndex(ACol);
    RizIVUDE::TMarkupResult hit;
    if (MarkupCellHitTest(*this, ACol, ARow, X, Y, hit) && !hit.AnchorHref.isEmpty()) {
        const bool controlHit = !hit.ControlID.isEmpty();
        bool canEditCtrl = ((Options() & goEditing) || FEditDisable) && !GetReadOnly(realCol, ARow);
        if (controlHit)
            QueryCanEditCell(realCol, ARow, canEditCtrl);
        if (!controlHit || !canEditCtrl) {
            openAnchor(ARow, ACol, hit.AnchorHref);
            return true;
        }
        // Ending an open edit may rewrite this very cell.
        if (FCtrlEditing)
            EndCellControlEdit();
        QString markup = Cells(realCol, ARow);
        const QString& id = hit.ControlID;
        const QString& type = hit.ControlType;
        QString value = hit.ControlValue;
        GetControlValue(markup, id, value);
        if (type == kButton) {
            FCtrlXY = {ACol, ARow};
            FCtrlDown = true;
            RepaintCell(ACol, ARow);
        } else if (type == kCheck || type == kRadio) {
            if (type == kCheck) {
                value = value.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 ? QStringLiteral("FALSE")
                                                                                       : QStringLiteral("TRUE");
            } else {
                markup = ClearRadioControls(markup);
                value = QStringLiteral("TRUE");
            }
            SetControlValue(markup, id, value);
            SetCells(realCol, ARow, markup);
        }
        if (OnControlClick)
            OnControlClick(this, ARow, ACol, id, type, value);
        StartCellControlEdit(markup, type, id, value, hit.HitControlRect, ACol, ARow);
        return true;
    }
    if (Cells(realCol, ARow).contains(QLatin1String("<CONTROL"), Qt::CaseInsensitive)) {
        if (OnClickCell)
            OnClickCell(this, ARow, ACol);
        HideInplaceEdit();
        TStringGrid::FocusCell(ACol, ARow, true);
        return true;
    }
    return false;
}

} // namespace grid
