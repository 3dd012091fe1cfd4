// The drop-down edit's side of the edit-type rules: the number properties and the Text setter,
// and the edit window the rules act on (EditTypeHost). The rules themselves are in
// EditTypeRules.h; the key, character, paste, focus and mouse handlers feed them.

#include "dropdowns/QvDropDown/EditTypeHost.h"
#include "grid/edit/GridUnitHelpers.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace dropdowns {

namespace {

void postKey(QWidget* target, QEvent::Type type, int key)
{
    QCoreApplication::postEvent(target, new QKeyEvent(type, key, Qt::NoModifier));
}

} // namespace

// ---- the drop-down's number properties ---------------------------------------------------------

TEditTypeSettings TQvCustomDropDown::EditTypeSettings() const
{
    TEditTypeSettings s;
    s.EditType = FEditType;
    s.Prefix = FPrefix;
    s.Suffix = FSuffix;
    s.Precision = FPrecision;
    s.LengthLimit = FLengthLimit;
    s.MaxLength = MaxLength();
    s.Signed = FSigned;
    s.AutoThousandSeparator = FAutoThousandSeparator;
    s.ExcelStyleDecimalSeparator = FExcelStyleDecimalSeparator;
    s.CanUndo = FCanUndo;
    s.AllowNumericNullValue = FAllowNumericNullValue;
    s.ValidChars = FValidChars;
    // Read at each use: the user may change them while the program runs.
    s.DecimalSeparator = grid::LocaleDecimalSeparator();
    s.ThousandSeparator = grid::LocaleThousandSeparator();
    return s;
}

void TQvCustomDropDown::SetText(const QString& value)
{
    EditTypeHost host(*this);
    FOldText = host.rules.SetText(value);
}

double TQvCustomDropDown::FloatValue() const
{
    EditTypeHost host(const_cast<TQvCustomDropDown&>(*this));
    return host.rules.FloatValue();
}

void TQvCustomDropDown::SetFloatValue(double v)
{
    EditTypeHost host(*this);
    host.rules.SetFloatValue(v);
}

void TQvCustomDropDown::SetIntValue(int v)
{
    EditTypeHost host(*this);
    host.rules.SetIntValue(v);
}

void TQvCustomDropDown::ApplyThousandSeparators()
{
    EditTypeHost host(*this);
    host.rules.ApplyThousandSeparators();
}

void TQvCustomDropDown::SelectAll()
{
    EditTypeHost host(*this);
    host.rules.SelectAll();
}

void TQvCustomDropDown::SelectBeforeDecimal()
{
    EditTypeHost host(*this);
    host.rules.SelectBeforeDecimal();
}

void TQvCustomDropDown::SelectAfterDecimal()
{
    EditTypeHost host(*this);
    host.rules.SelectAfterDecimal();
}

void TQvCustomDropDown::SetEditType(TDropDownEditType v)
{
    if (FEditType == v)
        return;
    FEditType = v;
    if (v == etPassword) {
        setEchoMode(QLineEdit::Password);
        FCanUndo = false;
    } else {
        setEchoMode(QLineEdit::Normal);
    }
    // A value the new type cannot hold starts again from zero.
    EditTypeHost host(*this);
    const int kind = host.rules.ClassifyNumberText(Text());
    if (v == etNumeric && kind != ncInteger)
        SetIntValue(0);
    else if ((v == etFloat || v == etMoney) && (kind == ncText || kind == ncHex))
        SetFloatValue(0);
    else if (v == etHex && kind != ncInteger && kind != ncHex)
        SetIntValue(0);
}

void TQvCustomDropDown::SetPrecision(int v)
{
    if (FPrecision == v || (FEditType != etString && FEditType != etFloat && FEditType != etMoney))
        return;
    FPrecision = std::int16_t(v);
    EditTypeHost host(*this);
    const int kind = host.rules.ClassifyNumberText(Text());
    SetFloatValue(kind == ncText || kind == ncHex ? 0.0 : FloatValue());
}

// ---- the edit window the rules act on ----------------------------------------------------------

QString EditTypeHost::EditText() const
{
    return dd.QLineEdit::text();
}

int EditTypeHost::SelStart() const
{
    return dd.hasSelectedText() ? dd.selectionStart() : dd.cursorPosition();
}

int EditTypeHost::SelLength() const
{
    return dd.selectionLength();
}

void EditTypeHost::SetSelection(int start, int length)
{
    const int n = int(EditText().size());
    start = std::clamp(start, 0, n);
    const int end = std::clamp(start + length, 0, n);
    if (end == start)
        dd.setCursorPosition(start);
    else
        dd.setSelection(start, end - start);
}

void EditTypeHost::SetRawText(const QString& text)
{
    dd.SetRawText(text);
}

void EditTypeHost::SetText(const QString& value)
{
    dd.SetText(value);
}

bool EditTypeHost::EditModified() const
{
    return dd.isModified();
}

bool EditTypeHost::IsModified() const
{
    return dd.IsModified();
}

void EditTypeHost::SetModifiedState(bool v)
{
    dd.SetModifiedState(v);
}

void EditTypeHost::SetBlockChange(bool v)
{
    dd.FBlockChange = v;
}

void EditTypeHost::Change()
{
    dd.Change();
}

void EditTypeHost::InheritedKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    dd.DropDownKeyDown(key, shift);
    if (key != 0)
        dd.DefaultKeyDown(key, shift);
}

void EditTypeHost::InheritedChar(QChar key, Qt::KeyboardModifiers shift)
{
    dd.DropDownKeyPress(key);
    if (key.isNull())
        return;
    // The desktop's edit removes a selection and then inserts, two change notices of which the
    // rules swallow the first when the whole value is typed over; Qt's edit gives one, so the
    // removal is made a step of its own here.
    if (dd.FBlockChange && dd.hasSelectedText() && key.unicode() >= 0x20 && key.unicode() != 0x7F)
        dd.del();
    dd.DefaultChar(key, shift);
}

bool EditTypeHost::ParentFormChar(QChar& key, Qt::KeyboardModifiers shift)
{
    QWidget* parent = dd.parentWidget();
    // No form here previews its controls' keys.
    if (key == QLatin1Char('\r')) {
        // Ctrl+Return never reaches the edit.
        if (shift.testFlag(Qt::ControlModifier))
            return true;
        // Through the picker's own key-press step, which fires OnKeyPress and may take the
        // Return for itself (a picker whose Return moves on as Tab).
        QChar k = key;
        dd.DropDownKeyPress(k);
        if (!dd.FDefaultHandling && parent) {
            postKey(parent, QEvent::KeyPress, Qt::Key_Return);
            postKey(parent, QEvent::KeyRelease, Qt::Key_Return);
        }
        return true;
    }
    // Escape goes on to the parent as well, and through the rules.
    if (!dd.FDefaultHandling && parent) {
        postKey(parent, QEvent::KeyPress, Qt::Key_Escape);
        postKey(parent, QEvent::KeyRelease, Qt::Key_Escape);
    }
    return false;
}

bool EditTypeHost::AllowPaste(const QString& predicted)
{
    bool allow = true;
    if (dd.OnClipboardPaste)
        dd.OnClipboardPaste(&dd, predicted, allow);
    return allow;
}

} // namespace dropdowns
