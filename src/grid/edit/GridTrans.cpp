// The fixed-cell editors.

#include "grid/edit/GridTrans.h"
#include "grid/QvGrid.h"
#include "grid/edit/GridEdit.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>

namespace grid {

namespace {

bool isEnter(const QKeyEvent* e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

// Both editors end the same way: the grid's validation may change the text or refuse it; a
// refused text keeps the editor open on its cell with the focus, an accepted one goes into
// the cell.
template <class Editor>
bool stopEdit(Editor& editor, TQvStringGrid* grid, int col, int row, const QString& text, bool& stopping)
{
    if (!grid) {
        editor.hide();
        return true;
    }
    if (stopping)
        return false;
    stopping = true;
    QString value = text;
    bool valid = true;
    if (grid->OnCellValidate && !TQvStringGridEditHost::TearingDown(grid))
        grid->OnCellValidate(grid, col, row, value, valid);
    if (!valid) {
        grid->FocusCell(grid->DisplColIndex(col), row);
        editor.setFocus();
        stopping = false;
        return false;
    }
    if (grid->OnEditingDone && !TQvStringGridEditHost::TearingDown(grid))
        grid->OnEditingDone(grid);
    grid->SetCells(col, row, value);
    editor.hide();
    stopping = false;
    return true;
}

// Enter ends the edit as leaving does, through the grid's validation; the character itself
// goes no further (a single-line editor has nothing to do with it). The grid takes the focus
// back once the text is in its header cell.
template <class Editor>
void finishOnEnter(Editor& editor, TQvStringGrid* grid)
{
    if (editor.StopEdit() && grid)
        grid->setFocus(Qt::OtherFocusReason);
}

// Escape leaves the header as it was: the editor is hidden before the focus moves back to the
// grid, so leaving it stores nothing.
template <class Editor>
void cancelEdit(Editor& editor, TQvStringGrid* grid)
{
    editor.hide();
    if (grid)
        grid->setFocus(Qt::OtherFocusReason);
}

} // namespace

TGridTransEdit::TGridTransEdit(TQvStringGrid* AOwner) : QLineEdit(AOwner), FGrid(AOwner)
{
    setFrame(false);
    hide();
}

bool TGridTransEdit::StopEdit()
{
    return stopEdit(*this, FGrid, FCol, FRow, text(), FStopping);
}

void TGridTransEdit::keyPressEvent(QKeyEvent* e)
{
    if (isEnter(e)) {
        e->accept();
        finishOnEnter(*this, FGrid);
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        cancelEdit(*this, FGrid);
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TGridTransEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (isVisible() && e->reason() != Qt::PopupFocusReason)
        StopEdit();
}

TGridTransCombo::TGridTransCombo(TQvStringGrid* AOwner) : QComboBox(AOwner), FGrid(AOwner)
{
    hide();
}

bool TGridTransCombo::StopEdit()
{
    return stopEdit(*this, FGrid, FCol, FRow, currentText(), FStopping);
}

void TGridTransCombo::keyPressEvent(QKeyEvent* e)
{
    if (isEnter(e) && !view()->isVisible()) {
        e->accept();
        finishOnEnter(*this, FGrid);
        return;
    }
    if (e->key() == Qt::Key_Escape && !view()->isVisible()) {
        e->accept();
        cancelEdit(*this, FGrid);
        return;
    }
    QComboBox::keyPressEvent(e);
}

void TGridTransCombo::focusOutEvent(QFocusEvent* e)
{
    QComboBox::focusOutEvent(e);
    if (isVisible() && e->reason() != Qt::PopupFocusReason)
        StopEdit();
}

} // namespace grid
