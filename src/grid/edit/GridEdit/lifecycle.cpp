// Opening and closing editors from the outside, the store of an editor's value and the
// two signals of an edit's end: OnEditingDone at once, OnEditCellDone from the event queue.

#include "grid/QvCGrid.h"
#include "grid/edit/DropDownEditors.h"
#include "grid/edit/EditLink.h"
#include "grid/edit/GridButtons.h"
#include "grid/edit/GridCombo.h"
#include "grid/edit/GridDatePicker.h"
#include "grid/edit/GridEdit.h"
#include "grid/edit/GridEditBtn.h"
#include "grid/edit/GridSpin.h"
#include "grid/edit/QSGEdit.h"
#include "grid/edit/QsgDateTimePicker.h"
#include "grid/edit/QvRichEdit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPainter>

namespace grid {

namespace {

// "GridEditDone": posted by a grid to itself with the real column and the row of the edited
// cell, so OnEditCellDone runs after the input that closed the editor is handled.
class TGridEditDoneEvent : public QEvent {
public:
    TGridEditDoneEvent(QEvent::Type type, int col, int row) : QEvent(type), ACol(col), ARow(row) {}
    int ACol;
    int ARow;
};

QEvent::Type gridEditDoneMessage()
{
    if (GridRegistrations().GridEditDoneMessage == QEvent::None)
        QvGridInitialization(); // the grid unit's start-up registers it once per process
    return GridRegistrations().GridEditDoneMessage;
}

} // namespace

QString TQvStringGrid::CurrentCellText()
{
    const TPoint b = BaseCell(RealCol(), Row());
    return GetGridCell(b.X, b.Y);
}

void TQvStringGrid::StoreCurrentCellText(const QString& Value)
{
    const TPoint b = BaseCell(RealCol(), Row());
    SetCellEx(b.X, b.Y, Value);
}

void TQvStringGrid::SetEditText(int col, int row, const QString& value)
{
    // The platform editor speaks displayed columns; the text belongs to the merge base cell
    // at the real column.
    const TPoint b = BaseCell(RealColIndex(col), row);
    SetCellEx(b.X, b.Y, value);
    if (OnSetEditText)
        OnSetEditText(this, col, row, value);
}

void TQvStringGrid::StoreEditText(int ACol, int ARow, const QString& Value)
{
    const TPoint b = BaseCell(ACol, ARow);
    SetCellEx(b.X, b.Y, Value);
    if (OnSetEditText)
        OnSetEditText(this, DisplColIndex(ACol), ARow, Value);
}

void TQvStringGrid::ShowInplaceEdit()
{
    TQvStringGridEditHost::NoteWindowType(this);
    const TPoint b = BaseCell(RealCol(), Row());
    if (IsControlCell(b.X, b.Y))
        return;
    if (Row() < TopRow())
        SetTopRow(Row());
    if (Col() < LeftCol())
        SetLeftCol(Col());
    FEditText = GetCellEx(b.X, b.Y);
    ShowEditor();
    if (FQvInplaceEdit && EditorMode())
        FQvInplaceEdit->PlaceCaret();
}

void TQvStringGrid::HideInplaceEdit()
{
    // The text editor also reports its end when it loses the focus, which clears EditMode
    // before the platform editor is hidden; an editor still on screen is closed all the same.
    if (!EditMode && !EditorMode())
        return;
    if (FQvInplaceEdit && FQvInplaceEdit->hasFocus())
        TakeFocusFromEditor(this);
    HideEditor();
    HideFocusWindow(); // an edit ended without validation leaves no frame behind
    StoreEditorValue(Col(), Row());
    EditMode = false;
    SelectCell(Col(), Row());
}

void TQvStringGrid::ShowCellEdit()
{
    KeyDown(Qt::Key_F2, Qt::NoModifier);
}

void TQvStringGrid::HideCellEdit()
{
    StoreEditorValue(Col(), Row());
}

void TQvStringGrid::Select()
{
    SelectCell(Col(), Row());
}

void TQvStringGrid::StoreEditorValue(int ACol, int ARow)
{
    if (destroying)
        return;
    FSpecialEditor = false;
    FBlockKill = true;
    const int realCol = RealColIndex(ACol);
    FStartEditChar = QChar();
    switch (EditControl) {
    case edComboEdit:
    case edComboList:
        if (EditMode && FEditCombo) {
            EditMode = false;
            if (FEditCombo->Dropped())
                FEditCombo->hidePopup();
            StoreEditText(realCol, ARow, FEditCombo->currentText());
            if (FEditCombo->hasFocus())
                TakeFocusFromEditor(this);
            FEditCombo->hide();
            FEditCombo->setEnabled(false);
        }
        break;
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit:
        if (FEditSpin) {
            EditMode = false;
            storeSpinValue(realCol, ARow);
            closeEditor(FEditSpin);
        }
        break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn:
        if (EditMode && FEditBtn) {
            EditMode = false;
            StoreEditText(realCol, ARow, FEditBtn->text());
            closeEditor(FEditBtn);
        }
        break;
    case edUnitEditBtn:
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn:
        if (FUnitEditBtn) {
            EditMode = false;
            StoreEditText(realCol, ARow, FUnitEditBtn->TextAndUnit());
            closeEditor(FUnitEditBtn);
        }
        break;
    case edCheckBox:
        EditMode = false;
        closeEditor(FEditCheck);
        break;
    case edButton:
        EditMode = false;
        closeEditor(FGridButton);
        break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
        if (FEditDate && GridRegistrations().IsComCtl470) {
            EditMode = false;
            StoreEditText(realCol, ARow, FEditDate->StoredText());
            closeEditor(FEditDate);
        }
        break;
    case edDateTimeEdit:
        if (FEditDateTime && GridRegistrations().IsComCtl470) {
            EditMode = false;
            StoreEditText(realCol, ARow, FEditDateTime->StoredText());
            closeEditor(FEditDateTime, FEditDateTime->TimePicker());
        }
        break;
    case edCustom:
        if (TEditLink* link = EditLink) {
            EditMode = false;
            StoreEditText(realCol, ARow, link->GetEditorValue());
            if (link->EditStyle != esPopup)
                link->SetVisible(false);
            link->RestoreWinProc();
        }
        break;
    case edRichEdit:
        if (EditMode && FInplaceRichEdit) {
            EditMode = false;
            StoreEditText(realCol, ARow, RichToString(FInplaceRichEdit));
            closeEditor(FInplaceRichEdit);
        }
        break;
    default:
        // The text kinds write the cell as the user types.
        if (IsDropDownEditorKind(EditControl))
            storeDropDownValue(realCol, ARow);
        break;
    }
    if (EditControl != edNormal && FEditActive)
        SignalEditDone(realCol, ARow);
    FBlockKill = false;
    FEditActive = false;
}

void TQvStringGrid::closeEditor(QWidget* editor, QWidget* companion)
{
    if (!editor)
        return;
    // The grid takes the focus first, so it does not wander to another control of the window
    // when the editor (or its companion beside it) hides.
    QWidget* focus = QApplication::focusWidget();
    const auto holds = [focus](QWidget* w) { return w && focus && (w == focus || w->isAncestorOf(focus)); };
    if (holds(editor) || holds(companion))
        TakeFocusFromEditor(this);
    editor->setEnabled(false);
    editor->hide();
}

void TQvStringGrid::storeSpinValue(int realCol, int ARow)
{
    TGridSpin* spin = FEditSpin;
    if (spin->AllowEmptyValue && spin->text().trimmed().isEmpty()) {
        StoreEditText(realCol, ARow, QString());
        return;
    }
    switch (EditControl) {
    case edSpinEdit:
        SetInts(realCol, ARow, spin->Value());
        break;
    case edFloatSpinEdit:
        SetFloats(realCol, ARow, spin->FloatValue());
        break;
    case edTimeSpinEdit:
        StoreEditText(realCol, ARow, spin->text());
        break;
    default:
        SetDates(realCol, ARow, QDateTimeToDateTime(spin->DateValue()));
        break;
    }
}

void TQvStringGrid::SignalEditDone(int ACol, int ARow)
{
    if (OnEditingDone && !TQvStringGridEditHost::TearingDown(this))
        OnEditingDone(this);
    EditMode = false;
    QCoreApplication::postEvent(this, new TGridEditDoneEvent(gridEditDoneMessage(), ACol, ARow));
}

bool TQvStringGrid::event(QEvent* e)
{
    if (e->type() == gridEditDoneMessage()) {
        auto* d = static_cast<TGridEditDoneEvent*>(e);
        if (OnEditCellDone && !TQvStringGridEditHost::TearingDown(this))
            OnEditCellDone(this, d->ACol, d->ARow);
        if (MouseActions().EditOnDblClickOnly()) {
            HideInplaceEdit();
            SetOptions(Options() & ~goEditing);
        }
        return true;
    }
    if (e->type() == QEvent::Paint) {
        // The border line goes over the frame the scroll area has just drawn.
        const bool done = TBaseGrid::event(e);
        if (UpdateCount() <= 0) {
            QPainter p(this);
            paintBorderLines(p);
        }
        return done;
    }
    if (e->type() == QEvent::Show)
        TQvStringGridEditHost::NoteWindowType(this);
    if ((e->type() == WM_OFFICETHEMECHANGED || e->type() == QEvent::ThemeChange) && FAutoThemeAdapt)
        applyDesktopTheme();
    if (e->type() == QEvent::StyleChange)
        HandleStyleChanged();
    return TBaseGrid::event(e);
}

void TQvStringGrid::DoneInplaceEdit(int Key, Qt::KeyboardModifiers Shift)
{
    FBlockFocus = true;
    FEditing = false;
    HideInplaceEdit();
    if (Navigation().AppendOnArrowDown() && Key == Qt::Key_Down && IsOnLastRow())
        AppendRowOnArrowDown();
    if (Key == Qt::Key_Tab || Key == Qt::Key_Backtab || Key == Qt::Key_Left || Key == Qt::Key_Right || Key == Qt::Key_Up
        || Key == Qt::Key_Down)
        KeyDown(Key, Shift);
    TNavigation& nav = Navigation();
    const bool alwaysEdit = nav.AlwaysEdit();
    nav.SetAlwaysEdit(false);
    TakeFocusFromEditor(this);
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter)
        AdvanceToNextCell(Col(), Row(), false, true, true, false, false);
    nav.SetAlwaysEdit(alwaysEdit);
    FBlockFocus = false;
}

void TQvStringGrid::RevertCellEdit()
{
    SetCellEx(RealCol(), Row(), FCellCache);
    SetCellEx(RealCol(), Row(), GetCellEx(RealCol(), Row()));
}

void TQvStringGrid::StartCellEdit(int ACol, int ARow)
{
    FStartEditCol = ACol;
    FStartEditRow = ARow;
    FCellCache = GetGridCell(ACol, ARow);
    FStartEditModified = FModified;
}

void TQvStringGrid::RestoreCellCache()
{
    SetCellEx(Col(), Row(), FCellCache);
    SetCellEx(Col(), Row(), GetCellEx(Col(), Row()));
}

void TQvStringGrid::SetEditTextEx(int ACol, int ARow, const QString& value)
{
    SetEditText(DisplColIndex(ACol), ARow, value);
    SetCellEx(ACol, ARow, value);
}

void TQvStringGrid::EllipsisClick(const QString& value, QString& result)
{
    result = value;
    QString s = value;
    if (OnEllipsClick)
        OnEllipsClick(this, RealCol(), Row(), s); // the column of the stored data
    result = s;
}

void TQvStringGrid::DateTimeChangeNotify(int Year, int Month, int Day, QTime Time)
{
    if (!OnDateTimeChange)
        return;
    const TDateTime value =
        Year > 0 && Month > 0 && Day > 0 ? QDateTimeToDateTime(QDateTime(QDate(Year, Month, Day), Time)) : 0;
    OnDateTimeChange(this, Col(), Row(), value);
}

} // namespace grid
