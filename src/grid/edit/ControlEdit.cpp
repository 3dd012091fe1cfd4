#include "grid/edit/ControlEdit.h"

#include "grid/QvGrid.h"

#include <QAbstractItemView>
#include <QKeyEvent>

#include <algorithm>

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
        g->EditCellControl(g->FCtrlXY.X, g->FCtrlXY.Y, g->FCtrlID);
        // Still here: the editor now stands over the next control, whose edit ends in turn.
        if (self->hasFocus())
            armExit();
    }
    return true;
}

// ---- edit --------------------------------------------------------------------------------------

TControlEdit::TControlEdit(QWidget* parent) : platform::TCustomMaskEdit(parent), TControlKeys(this)
{
    // PASSWORD controls show "*" for each character, as the painted control does.
    setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
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

int TControlCombo::ItemHeight() const
{
    return view()->fontMetrics().height() + 2;
}

// The list takes what the box leaves of DropHeight, so that box and list cover the lines the
// control asked for.
void TControlCombo::showPopup()
{
    TQsgComboBox::showPopup();
    if (DropHeight <= 0)
        return;
    QWidget* popup = view()->window();
    if (popup != window())
        popup->resize(popup->width(), std::max(ItemHeight(), DropHeight - height()));
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
