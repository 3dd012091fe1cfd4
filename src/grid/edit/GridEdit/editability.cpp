// Whether a cell may be edited, which editor opens on it, and the editor objects the grid
// creates on first use.

#include "grid/edit/GridButtons.h"
#include "grid/edit/GridCombo.h"
#include "grid/edit/GridDatePicker.h"
#include "grid/edit/GridEdit.h"
#include "grid/edit/GridEditBtn.h"
#include "grid/edit/GridSpin.h"
#include "grid/edit/GridTrans.h"
#include "grid/edit/QSGEdit.h"

namespace grid {

void TQvStringGrid::TEditHostDeleter::operator()(TGridEditHost* h) const
{
    delete h;
}

TGridEditHost* TQvStringGrid::editHost()
{
    if (!FEditHost)
        FEditHost.reset(new TQvStringGridEditHost(this));
    return FEditHost.get();
}

TGridCombo* TQvStringGrid::EditCombo()
{
    if (!FEditCombo)
        FEditCombo = new TGridCombo(viewport(), editHost());
    return FEditCombo;
}

TGridSpin* TQvStringGrid::SpinEdit()
{
    if (!FEditSpin) {
        FEditSpin = new TGridSpin(viewport(), editHost());
        FEditSpin->SetIsWinXP(true);
    }
    return FEditSpin;
}

TGridEditBtn* TQvStringGrid::EditBtn()
{
    if (!FEditBtn)
        FEditBtn = new TGridEditBtn(viewport(), editHost());
    return FEditBtn;
}

TGridUnitEditBtn* TQvStringGrid::UnitEditBtn()
{
    if (!FUnitEditBtn)
        FUnitEditBtn = new TGridUnitEditBtn(viewport(), editHost());
    return FUnitEditBtn;
}

TGridCheckBox* TQvStringGrid::EditCheck()
{
    if (!FEditCheck)
        FEditCheck = new TGridCheckBox(viewport(), editHost());
    return FEditCheck;
}

TGridButton* TQvStringGrid::GridButton()
{
    if (!FGridButton)
        FGridButton = new TGridButton(viewport(), editHost());
    return FGridButton;
}

TGridDatePicker* TQvStringGrid::GetEditDate()
{
    if (!FEditDate)
        FEditDate = new TGridDatePicker(viewport(), editHost());
    return FEditDate;
}

TGridDateTimePicker* TQvStringGrid::DateAndTimePicker()
{
    if (!FEditDateTime) {
        FEditDateTime = new TGridDateTimePicker(viewport(), editHost());
        FEditDateTime->SetKind(dkDateTime);
        FEditDateTime->WatchTimePicker();
        if (FEditDateTime->TimePicker())
            FEditDateTime->TimePicker()->hide();
    }
    return FEditDateTime;
}

bool TQvStringGrid::HasEditor(TEditorType kind) const
{
    switch (kind) {
    case edComboEdit:
    case edComboList:
        return FEditCombo;
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit:
        return FEditSpin;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn:
        return FEditBtn;
    case edUnitEditBtn:
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn:
        return FUnitEditBtn;
    case edCheckBox:
        return FEditCheck;
    case edButton:
        return FGridButton;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
        return FEditDate;
    case edDateTimeEdit:
        return FEditDateTime;
    default:
        return false;
    }
}

TInplaceEdit* TQvStringGrid::CreateEditor()
{
    FQvInplaceEdit = new TQvInplaceEdit(this, editHost());
    return FQvInplaceEdit;
}

bool TQvStringGrid::CanEditNonFixedCell(int ACol, int ARow)
{
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    bool canEdit = true;
    CanEditCell(b.X, b.Y, canEdit);
    bool isFixed = false;
    IsFixedCell(b.X, b.Y, isFixed);
    return canEdit && !isFixed;
}

bool TQvStringGrid::EditorWantsTab()
{
    return (Options() & goTabs) || bool(OnCellValidate);
}

int TQvStringGrid::InplaceEditLimit()
{
    return MaxEditLength;
}

bool TQvStringGrid::CanEditShow() const
{
    return const_cast<TQvStringGrid*>(this)->AllowEditorShow();
}

bool TQvStringGrid::AllowEditorShow()
{
    if (FValidating)
        return false;
    // The platform's answer: editing on, no row select, a normal cell.
    bool answer = (Options() & (goEditing | goRowSelect)) == goEditing && Col() >= FixedCols() && Row() >= FixedRows();
    if (Designing())
        return answer;
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    if (answer && !EditMode && IsControlCell(b.X, b.Y))
        return false; // check boxes, radios and buttons toggle instead
    if (answer && !EditMode) {
        FNoEditChange = true;
        FCellCache = GetGridCell(b.X, b.Y);
        // A special editor starts from the cell as it is now: the text kept when the cell was
        // selected may have been changed since, and F2 or a typed key reads no other.
        FEditText = GetCellEx(b.X, b.Y);
        if (!FEditing)
            SaveOldCellValue(Col(), Row());
        EditControl = DefaultEditor;
        GetCellEditor(b.X, b.Y, EditControl);
        if (EditControl == edNone) {
            FNoEditChange = false;
            return false;
        }
        EditMode = true;
        if (IsTextEditorKind(EditControl)) {
            FShowEditProcess = true;
        } else {
            ShowSpecialEditor(DisplColIndex(b.X), b.Y);
            FEntered = true;
            answer = false;
        }
    }
    if (answer) {
        FEntered = true;
        FEditing = true;
        startFocusFrame();
    }
    return answer;
}

QString TQvStringGrid::GetEditText(int col, int row)
{
    const TPoint b = BaseCell(RealColIndex(col), row);
    QString s = GetCellEx(b.X, b.Y);
    if (OnGetEditText)
        OnGetEditText(this, col, row, s);
    FEditText = s;
    if (FQvInplaceEdit)
        FQvInplaceEdit->LoadContents();
    return s;
}

QString TQvStringGrid::QueryEditMask(int ACol, int ARow)
{
    QString v = EditMask;
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, v);
    return v;
}

bool TQvStringGrid::CanShowFixedDropDown(int ACol)
{
    bool can = true;
    if (OnCanShowFixedDropDown)
        OnCanShowFixedDropDown(this, ACol, can);
    return can;
}

void TQvStringGrid::FixedCellEditChanged(const QString& text)
{
    if (OnEditChange && !TQvStringGridEditHost::TearingDown(this))
        OnEditChange(this, FTransEdit->Col(), FTransEdit->Row(), text);
}

void TQvStringGrid::UnitEditUnitChanged(const QString& unit)
{
    if (OnUnitChanged)
        OnUnitChanged(this, RealCol(), Row(), unit);
}

void TQvStringGrid::GetFixedCellEditor(int ACol, int ARow, TGridFixedCellEditor& AEditor, QStringList& Values)
{
    if (OnFixedEdit)
        OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

} // namespace grid
