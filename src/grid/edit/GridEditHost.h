#pragma once
// What the in-place editors need of their grid. The text editor and the special editors (combo,
// spin, button, unit, check box, push button, date pickers) talk to the grid only through this
// interface, so each can be driven on its own and the grid keeps its editing state in one
// place. The grid implements it with a small adapter it owns.

#include "grid/BaseGrid.h"

#include <QDateTime>
#include <QStringList>

#include <bitset>

namespace grid {

class TNavigation;
class TMouseActions;

class TGridEditHost {
public:
    virtual ~TGridEditHost() = default;

    // The widget the editors sit on and give the focus back to.
    virtual QWidget* GridWidget() = 0;

    // ---- state of the edit ------------------------------------------------------------------
    virtual TEditorType EditControl() const = 0;
    virtual void SetEditControl(TEditorType kind) = 0;
    virtual QString CellCache() const = 0;   // the cell's text when editing began
    virtual QString OldCellText() const = 0; // the text validation compares with
    virtual void SetOldCellText(const QString& s) = 0;
    virtual QString NewCellText() const = 0; // the value as the validation left it
    virtual bool Validating() const = 0;
    virtual void SetValidating(bool v) = 0;
    virtual bool NoEditChange() const = 0; // the grid itself changes the editor text
    virtual void SetNoEditChange(bool v) = 0;
    virtual void ClearStartEditChar() = 0;
    virtual bool OpenedByMouse() const = 0; // the editor was opened by a click
    virtual void ClearOpenedByMouse() = 0;
    virtual void SetNoAutoAdvance(bool v) = 0;
    virtual void SetEditMode(bool v) = 0;
    virtual TDateTime OriginalDateTime() const = 0;         // the date-and-time cell's value at opening
    virtual void CurrentCell(int& col, int& row) const = 0; // displayed column

    // ---- settings -------------------------------------------------------------------------
    virtual TNavigation& EditNavigation() = 0;
    virtual TMouseActions& EditMouseActions() = 0;
    virtual bool TabsOption() const = 0; // goTabs
    virtual int InplaceEditLimit() = 0;  // 0: unlimited
    virtual QString ValidChars() const = 0;
    virtual std::bitset<256> ValidCharSet() const = 0;
    virtual bool ExcelStyleDecimalSeparator() const = 0;
    virtual QChar PasswordChar() const = 0;
    virtual bool Lookup() const = 0;
    virtual bool LookupCaseSensitive() const = 0;
    virtual bool LookupHistory() const = 0;
    virtual QStringList& LookupItems() = 0;

    // ---- operations -----------------------------------------------------------------------
    virtual bool ValidateCell(const QString& value) = 0;
    // The date picker's value changed; an invalid value is no date.
    virtual void DateTimeChanged(const QDateTime&) {}
    virtual void HideInplaceEdit() = 0;
    virtual void ShowInplaceEdit() = 0;
    virtual bool EditorWantsTab() = 0;
    virtual void AdvanceOnTab(bool backward) = 0;
    virtual void AdvanceToNextCell(bool forward, bool force) = 0;
    virtual void DoneInplaceEdit(int key, Qt::KeyboardModifiers shift) = 0;
    virtual void RestoreCellCache() = 0;                                // the cell back to its text at opening
    virtual QString EllipsisClick(const QString& value) = 0;            // OnEllipsClick, real column
    virtual void PostGridKey(int key) = 0;                              // posted, arrives later
    virtual void GridKeyDown(int key, Qt::KeyboardModifiers shift) = 0; // the grid's key-down step
    virtual void GridKeyUp(int key, Qt::KeyboardModifiers shift) = 0;   // the grid's key-up step
    virtual void GridKeyPress(QChar& key) = 0;                          // the grid's key-press step
    virtual void FocusGrid() = 0;
    virtual bool IsGridWindow(const QWidget* w) = 0;
    virtual void SignalEditDone(int displCol, int row) = 0; // OnEditingDone, then "GridEditDone"
    virtual QString CurrentCellText() = 0;
    virtual void StoreCurrentCellText(const QString& s) = 0;
    virtual void StoreEditText(const QString& s) = 0;
    virtual void SelectCellAgain(int col, int row) = 0; // the select-cell check
    virtual void EndEditOnFocusLoss() = 0;              // FEditing and EditMode off
    virtual bool IsControlCell(int col, int row) = 0;
    virtual void MoveCurrentCol(int col) = 0;
    virtual int LastNormalCol() = 0; // ColCount - fixed right cols - 1
    virtual int FixedColCount() = 0;
    virtual int CellSpanX(int col, int row) = 0;
    virtual void GetEditorProps(int col, int row) = 0;
    virtual TColor CellColor(int col, int row) = 0;
    virtual bool CellRightAligned(int col, int row) = 0;
    virtual TRect EditorRect(int col, int row) = 0;

    // ---- events ---------------------------------------------------------------------------
    virtual void EditChange(int col, int row, const QString& text) = 0;             // OnEditChange
    virtual void ComboChange(int col, int row, int index, const QString& text) = 0; // real column
    virtual void DblClickCell(int row, int col) = 0;
    virtual void EditorKeyPress(QObject* sender, QChar& key) = 0;          // grid's OnKeyPress
    virtual void EditorKeyDown(int& key, Qt::KeyboardModifiers shift) = 0; // grid's OnKeyDown
    virtual void EditorKeyUp(int& key, Qt::KeyboardModifiers shift) = 0;   // grid's OnKeyUp
    // OnSpinClick (integer), OnFloatSpinClick, OnDateSpinClick, OnTimeSpinClick by the spin
    // type (TQsgSpinType); dates and times as day counts.
    virtual void SpinClick(int spinType, double value, bool up) = 0;
    virtual void UnitChanged(const QString& unit) = 0; // OnUnitChanged
    // OnClipboardPaste, then OnClipboardBeforePasteCell; false: nothing is pasted.
    virtual bool ClipboardPaste(QObject* editor, QString& value) = 0;
    virtual void ComboDroppedDown(bool dropped) = 0;

    virtual void Beep() = 0;
};

} // namespace grid
