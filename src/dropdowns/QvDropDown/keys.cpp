// The keyboard: one key of the window system arrives as a key-down followed by its characters,
// each through the edit's rules, as the desktop's edit window receives WM_KEYDOWN and WM_CHAR.
// Keys pressed in the popup come here the same way (SendKeyDown, SendChar, SendKeyUp), keeping
// their modifiers, but skip the window system's special-key query (CMWantSpecialKey), which only
// keys met in the normal dispatch pass.
//
// Keys held with Alt (and no Ctrl) are system keys: they reach only the key-down step
// (DropDownKeyDown, where Alt+Up and Alt+Down toggle the popup) and the edit's own handling.

#include "dropdowns/QvDropDown.h"
#include "dropdowns/QvDropDown/EditTypeHost.h"
#include "dropdowns/QvDropDown/Internal.h"
#include "platform/Desktop.h"

#include <QApplication>
#include <QKeyEvent>

namespace dropdowns {

using internal::isReturnKey;

namespace {

bool isSystemKey(Qt::KeyboardModifiers shift)
{
    return shift.testFlag(Qt::AltModifier) && !shift.testFlag(Qt::ControlModifier);
}

void postKey(QWidget* target, int key)
{
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

} // namespace

// ---- from the window system ------------------------------------------------------------------

void TQvCustomDropDown::keyPressEvent(QKeyEvent* e)
{
    // The edit answers every key itself; nothing is passed up to the parent by Qt.
    e->accept();
    int key = e->key() == Qt::Key_Enter ? Qt::Key_Return : e->key();
    const Qt::KeyboardModifiers shift = e->modifiers();
    if ((key == Qt::Key_Escape || key == Qt::Key_Return) && !isSystemKey(shift)) {
        int special = key;
        CMWantSpecialKey(special);
    }
    if (key != 0 && key != Qt::Key_unknown)
        WMKeyDown(key, shift);
    if (isSystemKey(shift))
        return;
    QString text = e->text();
    // Ctrl with a letter types its control character, whatever the platform put into the text.
    if (shift.testFlag(Qt::ControlModifier) && !shift.testFlag(Qt::AltModifier) && text.size() == 1
        && text.front().isLetter() && text.front().unicode() < 128)
        text = QString(QChar(text.front().toUpper().unicode() - 'A' + 1));
    for (QChar ch : text)
        WMChar(ch, shift);
}

void TQvCustomDropDown::keyReleaseEvent(QKeyEvent* e)
{
    e->accept();
    int key = e->key() == Qt::Key_Enter ? Qt::Key_Return : e->key();
    if (key != 0 && key != Qt::Key_unknown)
        WMKeyUp(key, e->modifiers());
}

// ---- forwarded from the popup ----------------------------------------------------------------

void TQvCustomDropDown::SendKeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_Enter)
        key = Qt::Key_Return;
    if (key != 0 && key != Qt::Key_unknown)
        WMKeyDown(key, shift);
}

void TQvCustomDropDown::SendChar(QChar key, Qt::KeyboardModifiers shift)
{
    if (!key.isNull())
        WMChar(key, shift);
}

void TQvCustomDropDown::SendKeyUp(int key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_Enter)
        key = Qt::Key_Return;
    if (key != 0 && key != Qt::Key_unknown)
        WMKeyUp(key, shift);
}

void TQvCustomDropDown::FormKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    SendKeyDown(key, shift);
}

void TQvCustomDropDown::FormKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    SendKeyUp(key, shift);
}

void TQvCustomDropDown::FormKeyPress(QChar& key)
{
    SendChar(key, Qt::NoModifier);
}

void TQvCustomDropDown::ControlKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    SendKeyDown(key, shift);
}

void TQvCustomDropDown::ControlKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    SendKeyUp(key, shift);
}

void TQvCustomDropDown::ControlKeyPress(QChar& key)
{
    SendChar(key, Qt::NoModifier);
}

// ---- the rules -------------------------------------------------------------------------------

void TQvCustomDropDown::WMKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const auto toggle = [this] {
        if (FDroppedDown)
            CloseDropDown(false);
        else
            OpenDropDown();
    };
    const auto popupKeys = [this](int k) {
        if (k == Qt::Key_Return)
            CloseDropDown(false);
        else if (k == Qt::Key_Escape)
            CloseDropDown(true);
        else if (k == Qt::Key_F4) {
            if (FDropDownForm && FDropDownForm->isVisible())
                CloseDropDown(false);
            else
                OpenDropDown();
        }
    };
    const auto inherited = [this, shift](int& k) {
        DropDownKeyDown(k, shift);
        if (k != 0)
            DefaultKeyDown(k, shift);
    };

    if (isSystemKey(shift)) {
        inherited(key);
        return;
    }
    // Up or Down while Alt is physically held (a key forwarded without its Alt).
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && FDesktop->keyModifiers().testFlag(Qt::AltModifier))
        toggle();
    // A pure picker: only the popup keys, and Return and Escape for the key-down event.
    if (!FEditorEnabled && isEnabled()) {
        if (!ReadOnly())
            popupKeys(key);
        if (key == Qt::Key_Return || key == Qt::Key_Escape)
            inherited(key);
        key = 0;
        return;
    }
    // Ctrl+Tab and Ctrl+Return belong to the form.
    if (shift.testFlag(Qt::ControlModifier) && (key == Qt::Key_Tab || isReturnKey(key))) {
        inherited(key);
        return;
    }
    // Return moves on like Tab.
    if (isReturnKey(key) && FReturnIsTab) {
        key = Qt::Key_Tab;
        if (isVisible())
            QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    }
    // 5-14. The edit-type rules around the key-down event and the edit's own handling.
    EditTypeHost host(*this);
    host.rules.KeyDown(key, shift);
    // The popup keys.
    popupKeys(key);
}

void TQvCustomDropDown::DropDownKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    if (shift.testFlag(Qt::AltModifier) && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        if (FDroppedDown)
            CloseDropDown(false);
        else
            OpenDropDown();
    }
}

void TQvCustomDropDown::WMChar(QChar& key, Qt::KeyboardModifiers shift)
{
    // A pure picker takes no characters.
    if (!FEditorEnabled)
        return;
    // 2-15. The edit-type rules.
    EditTypeHost host(*this);
    host.rules.Char(key, shift);
    // A swallow meant for this character's own change notice does not outlive it (a dropped
    // character would otherwise hide the next real change).
    FBlockChange = false;
}

void TQvCustomDropDown::DropDownKeyPress(QChar& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
    // The edit is one line: a Return never reaches it.
    if (key == QLatin1Char('\r'))
        key = QChar();
}

void TQvCustomDropDown::WMKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
    if (key != 0)
        DefaultKeyUp(key, shift);
}

void TQvCustomDropDown::DefaultKeyDown(int key, Qt::KeyboardModifiers shift)
{
    QKeyEvent press(QEvent::KeyPress, key, shift);
    // The clipboard keys reach the edit's clipboard rules, not Qt's own clipboard calls.
    if (press.matches(QKeySequence::Cut)) {
        WMCut();
        return;
    }
    if (press.matches(QKeySequence::Copy)) {
        WMCopy();
        return;
    }
    if (press.matches(QKeySequence::Paste)) {
        WMPaste();
        return;
    }
    // Backspace deletes with its character, as in the desktop's edit window.
    if (key == Qt::Key_Backspace)
        return;
    QLineEdit::keyPressEvent(&press);
}

void TQvCustomDropDown::DefaultChar(QChar key, Qt::KeyboardModifiers shift)
{
    if (key == QLatin1Char('\b')) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, shift & ~Qt::ControlModifier, QStringLiteral("\b"));
        QLineEdit::keyPressEvent(&press);
        return;
    }
    // Control characters (and the clipboard keys, handled with their key-down) insert nothing.
    if (key.unicode() < 0x20 || key.unicode() == 0x7F)
        return;
    // Typing stops at MaxLength; a replaced selection makes room.
    if (FMaxLength > 0 && QLineEdit::text().size() - selectedText().size() + 1 > FMaxLength)
        return;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, shift & ~Qt::ControlModifier, QString(key));
    QLineEdit::keyPressEvent(&press);
}

void TQvCustomDropDown::DefaultKeyUp(int key, Qt::KeyboardModifiers shift)
{
    QKeyEvent release(QEvent::KeyRelease, key, shift);
    QLineEdit::keyReleaseEvent(&release);
}

// ---- the window system's special-key query ---------------------------------------------------

int TQvCustomDropDown::CMWantSpecialKey(int& key)
{
    // The parent form: the window of a control that has a parent.
    QWidget* form = parentWidget() ? window() : nullptr;
    if (!form)
        return 0;
    // No form here previews its controls' keys.
    const bool keyPreview = false;
    int result = 0;
    // Escape undoes: the value selected, the modified state cleared, passed on to the parent.
    if (key == Qt::Key_Escape && FCanUndo && !keyPreview) {
        SelectAll();
        SetModifiedState(false);
        key = 0;
        result = 0;
        if (parentWidget() && FDefaultHandling)
            postKey(parentWidget(), Qt::Key_Escape);
    }
    // Return goes to a parent that holds the focus itself.
    if (isReturnKey(key) && FDefaultHandling && !keyPreview && parentWidget()
        && QApplication::focusWidget() == parentWidget())
        postKey(parentWidget(), Qt::Key_Return);
    // The control keeps Escape while its popup is open.
    if (key == Qt::Key_Escape && FDroppedDown)
        result = 1;
    return result;
}

} // namespace dropdowns
