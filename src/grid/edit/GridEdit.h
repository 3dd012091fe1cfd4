#pragma once
// Call flow: a typed character or a click on the current cell (GridEdit/input.cpp), Enter or F2,
// or ShowInplaceEdit asks editability.cpp whether the cell may be edited and which editor
// opens; the text editor (QSGEdit.h) or, through placement.cpp, a special editor such as the
// combo (GridCombo.h) goes over the cell loaded with its value; the editor reaches the grid
// only through TGridEditHost (GridEditHost.h), implemented below; when the edit ends,
// validate.cpp runs OnCellValidate and lifecycle.cpp stores the value and signals
// OnEditingDone and OnEditCellDone.
//
// The string grid's side of in-place editing: the adapter through which its editors reach
// the grid's edit state, settings and operations. The grid's editing members themselves are
// declared in QvGrid.h and implemented in GridEdit/*.cpp by concern: editability and editor
// choice, editor placement, value store and edit end, the select decision, validation, input.

#include "grid/QvGrid.h"
#include "grid/edit/GridEditHost.h"
#include "grid/look/ZirAzur.h"

namespace grid {

class TQvStringGridEditHost : public TGridEditHost {
public:
    explicit TQvStringGridEditHost(TQvStringGrid* grid) : g(grid) {}
    // Goes with the grid's teardown, while its editors still live: they are told first.
    ~TQvStringGridEditHost() override;

    // ---- teardown ---------------------------------------------------------------------------
    // True once the grid, or the window it is shown in, is being destroyed: no validation or
    // edit event reaches a handler then, since the handlers belong to a window already half
    // gone. A window is being destroyed once its own destructor has run: its type, noted
    // whenever the grid is shown or opens an editor (NoteWindowType), has fallen back to a
    // base class.
    static bool TearingDown(const TQvStringGrid* grid);
    static void NoteWindowType(TQvStringGrid* grid);

    QWidget* GridWidget() override { return g; }
    TEditorType EditControl() const override { return g->EditControl; }
    void SetEditControl(TEditorType kind) override { g->EditControl = kind; }
    QString CellCache() const override { return g->FCellCache; }
    QString OldCellText() const override { return g->FOldCellText; }
    void SetOldCellText(const QString& s) override { g->FOldCellText = s; }
    QString NewCellText() const override { return g->FNewCellText; }
    bool Validating() const override { return g->FValidating; }
    void SetValidating(bool v) override { g->FValidating = v; }
    bool NoEditChange() const override { return g->FNoEditChange; }
    void SetNoEditChange(bool v) override { g->FNoEditChange = v; }
    void ClearStartEditChar() override { g->FStartEditChar = QChar(); }
    bool OpenedByMouse() const override { return g->LButFlg; }
    void ClearOpenedByMouse() override { g->LButFlg = false; }
    void SetNoAutoAdvance(bool v) override { g->FNoAutoAdvance = v; }
    void SetEditMode(bool v) override { g->EditMode = v; }
    TDateTime OriginalDateTime() const override { return g->FOriginalDateTime; }
    void CurrentCell(int& col, int& row) const override;
    TNavigation& EditNavigation() override { return g->Navigation(); }
    TMouseActions& EditMouseActions() override { return g->MouseActions(); }
    bool TabsOption() const override { return g->Options() & goTabs; }
    int InplaceEditLimit() override { return g->InplaceEditLimit(); }
    QString ValidChars() const override { return g->ValidChars; }
    std::bitset<256> ValidCharSet() const override;
    bool ExcelStyleDecimalSeparator() const override { return g->ExcelStyleDecimalSeparator; }
    QChar PasswordChar() const override { return g->PasswordChar; }
    bool Lookup() const override { return g->Lookup; }
    bool LookupCaseSensitive() const override { return g->LookupCaseSensitive; }
    bool LookupHistory() const override { return g->LookupHistory; }
    QStringList& LookupItems() override { return g->FLookupItems; }

    // A cell that held wide text is validated as wide text.
    bool ValidateCell(const QString& value) override
    {
        if (g->FOldCellText.startsWith(QLatin1String("|\\")))
            return g->ValidateCellWide(ZirAzur::DecodeWideCellText(value));
        return g->ValidateCell(value);
    }
    void DateTimeChanged(const QDateTime& v) override
    {
        const QDate d = v.date();
        g->DateTimeChangeNotify(d.isValid() ? d.year() : 0, d.month(), d.day(), v.time());
    }
    void HideInplaceEdit() override { g->HideInplaceEdit(); }
    void ShowInplaceEdit() override { g->ShowInplaceEdit(); }
    bool EditorWantsTab() override { return g->EditorWantsTab(); }
    void AdvanceOnTab(bool backward) override;
    void AdvanceToNextCell(bool forward, bool force) override;
    void DoneInplaceEdit(int key, Qt::KeyboardModifiers shift) override { g->DoneInplaceEdit(key, shift); }
    void RestoreCellCache() override { g->RevertCellEdit(); }
    QString EllipsisClick(const QString& value) override;
    void PostGridKey(int key) override;
    void GridKeyDown(int key, Qt::KeyboardModifiers shift) override;
    void GridKeyPress(QChar& key) override;
    void GridKeyUp(int key, Qt::KeyboardModifiers shift) override;
    void FocusGrid() override;
    bool IsGridWindow(const QWidget* w) override;
    void SignalEditDone(int displCol, int row) override { g->SignalEditDone(g->RealColIndex(displCol), row); }
    QString CurrentCellText() override { return g->CurrentCellText(); }
    void StoreCurrentCellText(const QString& s) override { g->StoreCurrentCellText(s); }
    void StoreEditText(const QString& s) override;
    void SelectCellAgain(int col, int row) override;
    void EndEditOnFocusLoss() override;
    bool IsControlCell(int col, int row) override { return g->IsControlCell(g->RealColIndex(col), row); }
    void MoveCurrentCol(int col) override { g->SetCol(col); }
    int LastNormalCol() override { return g->ColCount() - g->FixedRightCols() - 1; }
    int FixedColCount() override { return g->FixedCols(); }
    int CellSpanX(int col, int row) override;
    void GetEditorProps(int col, int row) override { g->GetEditorProp(g->RealColIndex(col), row, nullptr); }
    TColor CellColor(int col, int row) override;
    bool CellRightAligned(int col, int row) override;
    TRect EditorRect(int col, int row) override { return g->CellRect(col, row); }
    void EditChange(int col, int row, const QString& text) override;
    void ComboChange(int col, int row, int index, const QString& text) override;
    void DblClickCell(int row, int col) override;
    void EditorKeyPress(QObject* sender, QChar& key) override;
    void EditorKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void EditorKeyUp(int& key, Qt::KeyboardModifiers shift) override;
    void SpinClick(int spinType, double value, bool up) override;
    void UnitChanged(const QString& unit) override;
    bool ClipboardPaste(QObject* editor, QString& value) override;
    void ComboDroppedDown(bool) override {}
    void Beep() override;

private:
    TQvStringGrid* g;
    // The window's type as last seen whole (TearingDown).
    QPointer<QWidget> FNotedWindow;
    const QMetaObject* FNotedWindowType = nullptr;
};

// Editor kinds whose editor is the grid's text editor.
bool IsTextEditorKind(TEditorType kind);

// Gives the focus to the grid as a grid-driven change, before an editor that holds it hides,
// so the focus does not wander to another control of the window on the way.
void TakeFocusFromEditor(TQvStringGrid* grid);

} // namespace grid
