// The mouse and the focus: a click on a pure picker opens the popup, a press inside the
// selection keeps it until the release, the hot state follows the pointer, and entering and
// leaving the control repaint its border.

#include "dropdowns/QvDropDown.h"
#include "dropdowns/QvDropDown/EditTypeHost.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>

namespace dropdowns {

namespace {

// Focus that moves between windows or to and from the popup is no change of the window's active
// control.
bool changesActiveControl(Qt::FocusReason reason)
{
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

} // namespace

void TQvCustomDropDown::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        if (!FEditorEnabled) {
            QLineEdit::mousePressEvent(e);
            DropButtonClick();
            return;
        }
        // A press inside the selection keeps it until the release places the caret.
        const int i = CharIndexAt(e->position().toPoint());
        const int start = selectionStart();
        const int length = selectionLength();
        if (length > 0 && start <= i && i <= start + length && hasFocus()) {
            FButtonDown = true;
            e->accept();
            return;
        }
    }
    QLineEdit::mousePressEvent(e);
}

void TQvCustomDropDown::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        if (!FEditorEnabled || ReadOnly())
            update(); // the highlighted value
        if (FButtonDown) {
            setCursorPosition(CharIndexAt(e->position().toPoint()));
            deselect();
        }
        FButtonDown = false;
    }
    QLineEdit::mouseReleaseEvent(e);
    // The caret held out of the prefix and the suffix.
    if (e->button() == Qt::LeftButton) {
        EditTypeHost host(*this);
        host.rules.MouseUp();
    }
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && OnClick)
        OnClick(this);
}

void TQvCustomDropDown::mouseDoubleClickEvent(QMouseEvent* e)
{
    // A pure picker takes no double clicks: the second click is a click of its own.
    if (!FEditorEnabled) {
        mousePressEvent(e);
        return;
    }
    QLineEdit::mouseDoubleClickEvent(e);
    if (OnDblClick)
        OnDblClick(this);
}

void TQvCustomDropDown::wheelEvent(QWheelEvent* e)
{
    QLineEdit::wheelEvent(e);
    const int delta = e->angleDelta().y();
    if (delta < 0)
        WheelDown();
    else if (delta > 0)
        WheelUp();
}

void TQvCustomDropDown::enterEvent(QEnterEvent* e)
{
    QLineEdit::enterEvent(e);
    if (OnMouseEnter)
        OnMouseEnter(this);
    if (isEnabled() && !FMouseInControl) {
        FMouseInControl = true;
        update();
        UpdateButtonFocus();
    }
}

void TQvCustomDropDown::leaveEvent(QEvent* e)
{
    QLineEdit::leaveEvent(e);
    if (OnMouseLeave)
        OnMouseLeave(this);
    if (isEnabled() && FMouseInControl) {
        FMouseInControl = false;
        update();
        UpdateButtonFocus();
    }
}

// ---- focus -----------------------------------------------------------------------------------

void TQvCustomDropDown::focusInEvent(QFocusEvent* e)
{
    HandleSetFocus(e);
}

void TQvCustomDropDown::HandleSetFocus(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    const bool enter = changesActiveControl(e->reason());
    if (enter) {
        // Entering by a click leaves the selection to the click.
        if (FAutoSelect && e->reason() != Qt::MouseFocusReason)
            SelectAll();
        if (OnEnter)
            OnEnter(this);
    }
    if (FEditorEnabled) {
        if (FAutoSelect)
            SelectAll();
        else if (FEditType == etFloat || FEditType == etMoney)
            SelectBeforeDecimal();
    }
    // Without typing the caret stays hidden; the repaint shows the highlighted value.
    update();
    UpdateButtonFocus();
}

void TQvCustomDropDown::focusOutEvent(QFocusEvent* e)
{
    // Numbers leave complete.
    {
        EditTypeHost host(*this);
        host.rules.KillFocus();
    }
    QLineEdit::focusOutEvent(e);
    if (changesActiveControl(e->reason()) && OnExit)
        OnExit(this);
    update();
    UpdateButtonFocus();
}

bool TQvCustomDropDown::Hot() const
{
    return FMouseInControl || QApplication::focusWidget() == this;
}

void TQvCustomDropDown::UpdateButtonFocus()
{
    if (FButton)
        FButton->SpeedButton()->SetFocused(Hot());
}

} // namespace dropdowns
