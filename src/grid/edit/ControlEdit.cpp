#include "grid/edit/ControlEdit.h"

#include "grid/QvGrid.h"

#include <QKeyEvent>

namespace grid {

namespace {

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool isTab(int key)
{
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

// Tab is taken before the focus chain sees it.
bool isTabPress(QEvent* e)
{
    return e->type() == QEvent::KeyPress && isTab(static_cast<QKeyEvent*>(e)->key());
}

} // namespace

TQvStringGrid* TControlKeys::grid() const
{
    return qobject_cast<TQvStringGrid*>(self->parentWidget());
}

void TControlKeys::doExit()
{
    if (exitDone)
        return;
    exitDone = true;
    if (OnExit)
        OnExit(self);
}

bool TControlKeys::handleKey(QKeyEvent* e)
{
    const int key = e->key();
    TQvStringGrid* g = grid();
    if (!g || (!isEnter(key) && !isTab(key)))
        return false;
    e->accept();
    doExit();
    if (isEnter(key)) {
        g->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (g->Navigation().AdvanceAuto()) {
        g->setFocus(Qt::OtherFocusReason);
        g->AdvanceToNextCell(g->Col(), g->Row(), false, true, true, false, false);
    } else {
        g->EditCellControl(g->Col(), g->Row(), g->FCtrlID);
        // Still here: the editor now stands over the next control, whose edit ends in turn.
        if (self->hasFocus())
            armExit();
    }
    return true;
}

// ---- edit --------------------------------------------------------------------------------------

TControlEdit::TControlEdit(QWidget* parent) : platform::TCustomMaskEdit(parent), TControlKeys(this)
{
    hide();
}

bool TControlEdit::event(QEvent* e)
{
    if (isTabPress(e)) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return platform::TCustomMaskEdit::event(e);
}

void TControlEdit::keyPressEvent(QKeyEvent* e)
{
    if (!handleKey(e))
        platform::TCustomMaskEdit::keyPressEvent(e);
}

void TControlEdit::focusInEvent(QFocusEvent* e)
{
    armExit();
    platform::TCustomMaskEdit::focusInEvent(e);
}

void TControlEdit::focusOutEvent(QFocusEvent* e)
{
    platform::TCustomMaskEdit::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason)
        doExit();
}

// ---- combo -------------------------------------------------------------------------------------

TControlCombo::TControlCombo(QWidget* parent) : TQsgComboBox(parent), TControlKeys(this)
{
    hide();
}

bool TControlCombo::event(QEvent* e)
{
    if (isTabPress(e)) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return TQsgComboBox::event(e);
}

void TControlCombo::keyPressEvent(QKeyEvent* e)
{
    if (!handleKey(e))
        TQsgComboBox::keyPressEvent(e);
}

void TControlCombo::focusInEvent(QFocusEvent* e)
{
    armExit();
    TQsgComboBox::focusInEvent(e);
}

void TControlCombo::focusOutEvent(QFocusEvent* e)
{
    TQsgComboBox::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason)
        doExit();
}

} // namespace grid
