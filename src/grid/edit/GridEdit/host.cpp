// The adapter through which the in-place editors reach their grid.

#include "grid/edit/DropDownEditors.h"
#include "grid/edit/GridEdit.h"

#include "grid/edit/GridButtons.h"
#include "grid/edit/GridCombo.h"
#include "grid/edit/GridDatePicker.h"
#include "grid/edit/GridEditBtn.h"
#include "grid/edit/GridSpin.h"
#include "grid/edit/QSGEdit.h"

#include <QApplication>
#include <QKeyEvent>

namespace grid {

bool IsTextEditorKind(TEditorType kind)
{
    switch (kind) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
    case edValidChars:
    case edPositiveFloat:
        return true;
    default:
        return false;
    }
}

TQvStringGridEditHost::~TQvStringGridEditHost()
{
    if (g->FEditCombo)
        g->FEditCombo->DetachHost();
    if (g->FQvInplaceEdit)
        g->FQvInplaceEdit->DetachHost();
    const auto detach = [](auto* editor) {
        if (editor)
            editor->DetachHost();
    };
    detach(g->FEditSpin);
    for (auto& [kind, editor] : g->FDropDownEditors)
        editor->DetachHost();
    detach(g->FEditBtn);
    detach(g->FUnitEditBtn);
    detach(g->FEditCheck);
    detach(g->FGridButton);
    detach(g->FEditDate);
    detach(g->FEditDateTime);
}

QString TQvStringGridEditHost::EllipsisClick(const QString& value)
{
    QString result;
    g->EllipsisClick(value, result);
    return result;
}

void TQvStringGridEditHost::GridKeyUp(int key, Qt::KeyboardModifiers shift)
{
    g->KeyUpInGrid(key, shift);
}

void TQvStringGridEditHost::EditorKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (g->OnKeyUp)
        g->OnKeyUp(g, key, shift);
}

void TQvStringGridEditHost::SpinClick(int spinType, double value, bool up)
{
    const int col = g->RealCol();
    const int row = g->Row();
    switch (spinType) {
    case sptNormal:
        if (g->OnSpinClick)
            g->OnSpinClick(g, col, row, int(value), up);
        break;
    case sptFloat:
        if (g->OnFloatSpinClick)
            g->OnFloatSpinClick(g, col, row, value, up);
        break;
    case sptDate:
        if (g->OnDateSpinClick)
            g->OnDateSpinClick(g, col, row, value, up);
        break;
    default:
        if (g->OnTimeSpinClick)
            g->OnTimeSpinClick(g, col, row, value, up);
        break;
    }
}

void TQvStringGridEditHost::UnitChanged(const QString& unit)
{
    g->UnitEditUnitChanged(unit);
}

bool TQvStringGridEditHost::ClipboardPaste(QObject* editor, QString& value)
{
    bool allow = true;
    if (g->OnClipboardPaste)
        g->OnClipboardPaste(editor, allow);
    if (allow && g->OnClipboardBeforePasteCell)
        g->OnClipboardBeforePasteCell(editor, g->RealCol(), g->Row(), value, allow);
    return allow;
}

void TQvStringGridEditHost::CurrentCell(int& col, int& row) const
{
    col = g->Col();
    row = g->Row();
}

std::bitset<256> TQvStringGridEditHost::ValidCharSet() const
{
    std::bitset<256> set;
    for (size_t i = 0; i < 256 && i < g->ValidCharSet.size(); ++i)
        set[i] = g->ValidCharSet[i];
    return set;
}

void TQvStringGridEditHost::AdvanceOnTab(bool backward)
{
    g->TabNavigate(backward);
}

void TQvStringGridEditHost::AdvanceToNextCell(bool forward, bool force)
{
    g->AdvanceToNextCell(g->Col(), g->Row(), force, true, forward, false, false);
}

void TQvStringGridEditHost::PostGridKey(int key)
{
    QCoreApplication::postEvent(g, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}

void TakeFocusFromEditor(TQvStringGrid* grid)
{
    if (grid->hasFocus())
        return;
    grid->InvokedFocusChange = true;
    grid->setFocus(Qt::OtherFocusReason);
    grid->InvokedFocusChange = false;
}

void TQvStringGridEditHost::FocusGrid()
{
    TakeFocusFromEditor(g);
}

void TQvStringGridEditHost::GridKeyDown(int key, Qt::KeyboardModifiers shift)
{
    FocusGrid();
    g->KeyDown(key, shift);
}

void TQvStringGridEditHost::GridKeyPress(QChar& key)
{
    if (key.unicode() == 13 || key.unicode() == 27)
        FocusGrid();
    g->KeyPress(key);
}

bool TQvStringGridEditHost::IsGridWindow(const QWidget* w)
{
    return w && (w == g || w == g->viewport());
}

void TQvStringGridEditHost::StoreEditText(const QString& s)
{
    g->StoreEditText(g->RealCol(), g->Row(), s);
}

void TQvStringGridEditHost::SelectCellAgain(int col, int row)
{
    if (col >= 0 && row >= 0 && col < g->ColCount() && row < g->RowCount())
        g->SelectCell(col, row);
}

void TQvStringGridEditHost::EndEditOnFocusLoss()
{
    g->FEditing = false;
    g->EditMode = false;
}

int TQvStringGridEditHost::CellSpanX(int col, int row)
{
    const TPoint base = g->BaseCell(g->RealColIndex(col), row);
    int span = 0;
    for (int c = col + 1; c < g->ColCount() && g->BaseCell(g->RealColIndex(c), row) == base; ++c)
        ++span;
    return span;
}

TColor TQvStringGridEditHost::CellColor(int col, int row)
{
    TGridDrawState state = 0;
    TBrush brush;
    TColor to = clNone, mirror = clNone, mirrorTo = clNone;
    TFont font;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    TCellGradientDirection gd = GradientVertical;
    g->GetVisualProperties(col, row, state, false, false, true, brush, to, mirror, mirrorTo, font, ha, va, ww, gd);
    return brush.Color;
}

bool TQvStringGridEditHost::CellRightAligned(int col, int row)
{
    TAlignment ha = g->DefaultAlignment();
    TVAlignment va = vtaTop;
    g->GetCellAlignment(g->RealColIndex(col), row, ha, va);
    return ha == taRightJustify;
}

bool TQvStringGridEditHost::TearingDown(const TQvStringGrid* grid)
{
    if (grid->destroying)
        return true;
    const auto* host = static_cast<const TQvStringGridEditHost*>(grid->FEditHost.get());
    const QWidget* w = grid->window();
    // Only a narrowing of the same window's type: a window shown while it was still being
    // built grows into its full type later, which is no teardown.
    return host && host->FNotedWindowType && w == host->FNotedWindow && w != grid
           && w->metaObject() != host->FNotedWindowType && host->FNotedWindowType->inherits(w->metaObject());
}

void TQvStringGridEditHost::NoteWindowType(TQvStringGrid* grid)
{
    QWidget* w = grid->window();
    // A window's narrowed type is never noted: that is the teardown itself.
    if (!w || w == grid || TearingDown(grid))
        return;
    auto* host = static_cast<TQvStringGridEditHost*>(grid->editHost());
    host->FNotedWindow = w;
    host->FNotedWindowType = w->metaObject();
}

void TQvStringGridEditHost::EditChange(int col, int row, const QString& text)
{
    if (g->OnEditChange && !TearingDown(g))
        g->OnEditChange(g, col, row, text);
}

void TQvStringGridEditHost::ComboChange(int col, int row, int index, const QString& text)
{
    if (g->OnComboChange && !TearingDown(g))
        g->OnComboChange(g, g->RealColIndex(col), row, index, text);
}

void TQvStringGridEditHost::DblClickCell(int row, int col)
{
    if (g->OnDblClickCell)
        g->OnDblClickCell(g, row, col);
}

void TQvStringGridEditHost::EditorKeyPress(QObject*, QChar& key)
{
    if (g->OnKeyPress)
        g->OnKeyPress(g, key);
}

void TQvStringGridEditHost::EditorKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (g->OnKeyDown)
        g->OnKeyDown(g, key, shift);
}

void TQvStringGridEditHost::Beep()
{
    QApplication::beep();
}

} // namespace grid
