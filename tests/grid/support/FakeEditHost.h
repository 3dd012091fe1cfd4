#pragma once
// A stand-in grid for driving the in-place editors on their own: it keeps cell texts, the
// edit state and the settings the editors read, and records every operation the editors ask
// of the grid in the order they ask it.

#include "grid/QvObj.h"
#include "grid/edit/GridEditHost.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QPair>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace grid::test {

class FakeEditHost : public TGridEditHost {
public:
    explicit FakeEditHost(QWidget* grid) : grid(grid) {}

    QWidget* grid;
    QWidget* editor = nullptr; // hidden by HideInplaceEdit
    QMap<QPair<int, int>, QString> cells;
    int col = 1, row = 1;
    TEditorType kind = edNormal;
    QString cache, oldText, newText;
    bool validating = false, noEditChange = false, openedByMouse = false, noAutoAdvance = false;
    TNavigation nav;
    TMouseActions mouse;
    bool tabs = false, wantsTab = false;
    int limit = 0;
    QString validChars;
    std::bitset<256> validSet;
    bool excel = false, lookup = false, lookupCase = false, history = false;
    QStringList lookupItems;
    // The application's validation handler: may change the value and refuse it.
    std::function<void(QString& value, bool& valid)> onValidate;
    QStringList log;
    int beeps = 0;

    QString cell() const { return cells.value({col, row}); }
    void setCell(const QString& s)
    {
        cells[{col, row}] = s;
        cache = oldText = s;
    }

    QWidget* GridWidget() override { return grid; }
    TEditorType EditControl() const override { return kind; }
    void SetEditControl(TEditorType k) override { kind = k; }
    QString CellCache() const override { return cache; }
    QString OldCellText() const override { return oldText; }
    void SetOldCellText(const QString& s) override { oldText = s; }
    QString NewCellText() const override { return newText; }
    bool Validating() const override { return validating; }
    void SetValidating(bool v) override { validating = v; }
    bool NoEditChange() const override { return noEditChange; }
    void SetNoEditChange(bool v) override { noEditChange = v; }
    void ClearStartEditChar() override {}
    bool OpenedByMouse() const override { return openedByMouse; }
    void ClearOpenedByMouse() override { openedByMouse = false; }
    void SetNoAutoAdvance(bool v) override { noAutoAdvance = v; }
    bool editMode = true;
    void SetEditMode(bool v) override { editMode = v; }
    TDateTime originalDateTime = 0;
    TDateTime OriginalDateTime() const override { return originalDateTime; }
    void CurrentCell(int& c, int& r) const override
    {
        c = col;
        r = row;
    }
    TNavigation& EditNavigation() override { return nav; }
    TMouseActions& EditMouseActions() override { return mouse; }
    bool TabsOption() const override { return tabs; }
    int InplaceEditLimit() override { return limit; }
    QString ValidChars() const override { return validChars; }
    std::bitset<256> ValidCharSet() const override { return validSet; }
    bool ExcelStyleDecimalSeparator() const override { return excel; }
    QChar PasswordChar() const override { return QLatin1Char('*'); }
    bool Lookup() const override { return lookup; }
    bool LookupCaseSensitive() const override { return lookupCase; }
    bool LookupHistory() const override { return history; }
    QStringList& LookupItems() override { return lookupItems; }

    bool ValidateCell(const QString& value) override
    {
        newText = value;
        if (validating)
            return true;
        if (value == oldText)
            return true;
        QString v = value;
        bool valid = true;
        log << QStringLiteral("Validate %1").arg(value);
        if (onValidate)
            onValidate(v, valid);
        newText = v;
        cells[{col, row}] = valid ? v : (v != value ? v : oldText);
        if (valid)
            oldText = v;
        return valid;
    }
    bool hiding = false;
    void HideInplaceEdit() override
    {
        // The grid's own guard: the editor losing the focus while it is closed asks again.
        if (hiding)
            return;
        hiding = true;
        log << QStringLiteral("Hide");
        // The grid stores the editor's value as it closes it.
        if (auto* le = qobject_cast<QLineEdit*>(editor))
            cells[{col, row}] = le->text();
        else if (auto* cb = qobject_cast<QComboBox*>(editor))
            cells[{col, row}] = cb->currentText();
        if (editor && editor->hasFocus())
            grid->setFocus();
        if (editor)
            editor->hide();
        hiding = false;
    }
    void ShowInplaceEdit() override { log << QStringLiteral("Show"); }
    bool EditorWantsTab() override { return wantsTab || tabs; }
    void AdvanceOnTab(bool backward) override { log << QStringLiteral("AdvanceOnTab %1").arg(backward); }
    void AdvanceToNextCell(bool forward, bool) override { log << QStringLiteral("Advance %1").arg(forward); }
    void DoneInplaceEdit(int key, Qt::KeyboardModifiers) override
    {
        log << QStringLiteral("Done %1").arg(key);
        HideInplaceEdit();
    }
    void RestoreCellCache() override
    {
        log << QStringLiteral("RestoreCellCache");
        cells[{col, row}] = cache;
    }
    // The application's OnEllipsClick: gets the editor's text, gives back the new one.
    std::function<QString(const QString&)> onEllipsis;
    QString EllipsisClick(const QString& value) override
    {
        log << QStringLiteral("Ellipsis %1").arg(value);
        return onEllipsis ? onEllipsis(value) : value;
    }
    void GridKeyUp(int key, Qt::KeyboardModifiers) override { log << QStringLiteral("GridKeyUp %1").arg(key); }
    void EditorKeyUp(int& key, Qt::KeyboardModifiers) override { log << QStringLiteral("KeyUp %1").arg(key); }
    void SpinClick(int type, double value, bool up) override
    {
        log << QStringLiteral("SpinClick %1 %2 %3").arg(type).arg(value).arg(up);
    }
    void UnitChanged(const QString& unit) override { log << QStringLiteral("UnitChanged %1").arg(unit); }
    // The application's paste events: may refuse or change the pasted text.
    std::function<void(QString& value, bool& allow)> onPaste;
    bool ClipboardPaste(QObject*, QString& value) override
    {
        bool allow = true;
        if (onPaste)
            onPaste(value, allow);
        return allow;
    }
    void PostGridKey(int key) override { log << QStringLiteral("Post %1").arg(key); }
    void GridKeyDown(int key, Qt::KeyboardModifiers) override { log << QStringLiteral("GridKeyDown %1").arg(key); }
    void GridKeyPress(QChar& key) override { log << QStringLiteral("GridKeyPress %1").arg(key.unicode()); }
    void FocusGrid() override { grid->setFocus(); }
    bool IsGridWindow(const QWidget* w) override { return w == grid; }
    void SignalEditDone(int c, int r) override { log << QStringLiteral("EditDone %1 %2").arg(c).arg(r); }
    QString CurrentCellText() override { return cell(); }
    void StoreCurrentCellText(const QString& s) override { cells[{col, row}] = s; }
    void StoreEditText(const QString& s) override { cells[{col, row}] = s; }
    void SelectCellAgain(int, int) override {}
    void EndEditOnFocusLoss() override { log << QStringLiteral("EndEdit"); }
    bool IsControlCell(int, int) override { return false; }
    void MoveCurrentCol(int c) override { col = c; }
    int LastNormalCol() override { return 4; }
    int FixedColCount() override { return 1; }
    int CellSpanX(int, int) override { return 0; }
    void GetEditorProps(int, int) override {}
    TColor CellColor(int, int) override { return 0xFFFFFF; }
    bool CellRightAligned(int, int) override { return false; }
    TRect EditorRect(int, int) override { return {0, 0, 80, 20}; }
    void EditChange(int, int, const QString& t) override { log << QStringLiteral("EditChange %1").arg(t); }
    void ComboChange(int c, int r, int index, const QString& t) override
    {
        log << QStringLiteral("ComboChange %1 %2 %3 %4").arg(c).arg(r).arg(index).arg(t);
    }
    void DblClickCell(int r, int c) override { log << QStringLiteral("DblClick %1 %2").arg(r).arg(c); }
    void EditorKeyPress(QObject*, QChar&) override {}
    // A key the application takes in its key-down handler goes no further.
    int swallowKey = 0;
    void EditorKeyDown(int& key, Qt::KeyboardModifiers) override
    {
        if (key == swallowKey)
            key = 0;
    }
    void ComboDroppedDown(bool) override {}
    void Beep() override { ++beeps; }
};

} // namespace grid::test
