// The edit-type rules (see EditTypeRules.h): number classes and formats, the Text setter and
// the number properties, then the message rules in the order the edit meets them.

#include "dropdowns/EditTypeRules.h"
#include "grid/look/ZirAzur.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <string>

namespace dropdowns {

namespace {

constexpr QChar kBackspace = QLatin1Char('\b');
constexpr QChar kTab = QLatin1Char('\t');
constexpr QChar kReturn = QLatin1Char('\r');
constexpr QChar kEscape = QChar(0x1B);
constexpr QChar kMinus = QLatin1Char('-');
const QString kErrorText = QStringLiteral("Error");

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool isHexDigit(QChar c)
{
    return isDigit(c) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
           || (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
}

bool isEditKey(QChar c)
{
    return c == kBackspace || c == kTab || c == kReturn;
}

// A decimal number as the run time reads it: blanks around, an optional sign, digits with one
// `point`, an optional exponent. Nothing else converts.
bool readNumber(QString text, QChar point, double& result)
{
    text = text.trimmed();
    if (point != QLatin1Char('.')) {
        if (text.contains(QLatin1Char('.')))
            return false;
        text.replace(point, QLatin1Char('.'));
    }
    if (text.startsWith(QLatin1Char('+')))
        text.remove(0, 1);
    for (QChar c : text)
        if (!isDigit(c) && c != QLatin1Char('.') && c != QLatin1Char('-') && c != QLatin1Char('+')
            && c != QLatin1Char('e') && c != QLatin1Char('E'))
            return false; // no "inf", "nan" or hexadecimal floats
    const std::string bytes = text.toStdString();
    const char* end = bytes.data() + bytes.size();
    const auto [ptr, ec] = std::from_chars(bytes.data(), end, result, std::chars_format::general);
    return ec == std::errc() && ptr == end && !bytes.empty();
}

// The C locale's digits with our separators put in place of its own.
QString withSeparators(QString text, QChar decimal, QChar thousand)
{
    for (QChar& c : text) {
        if (c == QLatin1Char('.'))
            c = decimal;
        else if (c == QLatin1Char(','))
            c = thousand;
    }
    return text;
}

} // namespace

// ---- the value ---------------------------------------------------------------------------------

QString TEditTypeRules::Value() const
{
    QString v = host.EditText();
    if (!s.Prefix.isEmpty() && v.startsWith(s.Prefix))
        v.remove(0, s.Prefix.size());
    if (!s.Suffix.isEmpty())
        v.chop(std::min(s.Suffix.size(), v.size()));
    return v;
}

bool TEditTypeRules::isNumberType() const
{
    return s.EditType == etNumeric || s.EditType == etFloat || s.EditType == etMoney;
}

void TEditTypeRules::writeValue(const QString& value)
{
    host.SetRawText(s.Prefix + value + s.Suffix);
}

// ---- number classes and conversions ------------------------------------------------------------

int TEditTypeRules::ClassifyNumberText(const QString& text) const
{
    if (text.isEmpty() || text.count(kMinus) > 1 || text.count(s.DecimalSeparator) > 1)
        return ncText;
    bool integer = true, isFloat = true, hex = true;
    int lastThousand = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        integer = integer && (isDigit(c) || c == kMinus);
        isFloat = isFloat && (isDigit(c) || c == QLatin1Char(',') || c == kMinus || c == QLatin1Char('.'));
        hex = hex && (isHexDigit(c) || c == kMinus);
        if (c == s.ThousandSeparator) {
            const int position = i + 1;
            if (position == 1 || (lastThousand > 0 && position - lastThousand < 3))
                isFloat = false;
            lastThousand = position;
        }
    }
    if (integer)
        return ncInteger;
    if (isFloat)
        return ncFloat;
    if (hex)
        return ncHex;
    return ncText;
}

QString TEditTypeRules::StripThousandSeparators(const QString& text) const
{
    QString t = text;
    t.remove(s.ThousandSeparator);
    return t;
}

double TEditTypeRules::TextToFloat(const QString& text) const
{
    double v = 0;
    return ReadFloat(text, v) ? v : 0.0;
}

bool TEditTypeRules::ReadFloat(const QString& text, double& v) const
{
    return readNumber(StripThousandSeparators(text), s.DecimalSeparator, v);
}

int TEditTypeRules::HexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return 0;
}

int TEditTypeRules::HexTextToInt(const QString& text)
{
    // A leading "-" negates (the hexadecimal writer and a user's "-1F" mean -31); any other
    // "-" counts as a zero digit. The arithmetic wraps at 32 bits as the register would.
    const bool negative = text.startsWith(kMinus);
    std::uint32_t v = 0;
    for (int i = negative ? 1 : 0; i < text.size(); ++i)
        v = v * 16u + std::uint32_t(HexDigitValue(text.at(i)));
    if (negative)
        v = 0u - v;
    return static_cast<std::int32_t>(v);
}

bool TEditTypeRules::IsRangeSeparator(QChar c)
{
    return c == QLatin1Char(',') || c == kMinus || c == QLatin1Char(';');
}

bool TEditTypeRules::IsSignKey(QChar c) const
{
    return s.Signed && isNumberType() && c == kMinus;
}

int TEditTypeRules::IntegerPartLength(const QString& value) const
{
    const QString v = StripThousandSeparators(value);
    const int p = int(v.indexOf(s.DecimalSeparator));
    int length = p < 0 ? int(v.size()) + 1 : p + 1;
    if (IsSignKey(kMinus) && v.contains(kMinus))
        --length;
    return length;
}

int TEditTypeRules::DecimalSeparatorPos() const
{
    const QString v = Value();
    const int p = int(v.indexOf(s.DecimalSeparator));
    if (p < 0)
        return int(s.Prefix.size() + v.size() + s.Suffix.size()) + 1;
    return p + 1 + int(s.Prefix.size());
}

bool TEditTypeRules::DecimalsFull(const QString& value, int caret) const
{
    const int c = caret - int(s.Prefix.size());
    const int p = int(value.indexOf(s.DecimalSeparator)) + 1;
    const int length = int(value.size());
    return s.Precision > 0 && length - c <= s.Precision && p >= 1 && c >= p && length - p >= s.Precision;
}

bool TEditTypeRules::ThousandSeparatorMisplaced(const QString& value, int caret) const
{
    if (!value.contains(s.ThousandSeparator))
        return false;
    QString v = value;
    int c = caret - int(s.Prefix.size());
    int d = int(v.size());
    for (int q = int(v.indexOf(s.ThousandSeparator)) + 1; q > 0; q = int(v.indexOf(s.ThousandSeparator)) + 1) {
        const int distance = std::abs(q - c);
        d = std::min(d, distance);
        if (distance < 3)
            return true;
        if (q < c)
            c -= q;
        v.remove(0, q);
    }
    return d > 3;
}

QString TEditTypeRules::PredictPastedText(const QString& clip) const
{
    QString v = Value();
    const int at = std::clamp(host.SelStart() - int(s.Prefix.size()), 0, int(v.size()));
    v.remove(at, host.SelLength());
    v.insert(at, clip);
    return v;
}

// ---- formats -----------------------------------------------------------------------------------

QString TEditTypeRules::FormatFixed(double v, int decimals, bool grouped) const
{
    QLocale c = QLocale::c();
    c.setNumberOptions(grouped ? QLocale::DefaultNumberOptions : QLocale::OmitGroupSeparator);
    return withSeparators(c.toString(v, 'f', std::max(0, decimals)), s.DecimalSeparator, s.ThousandSeparator);
}

QString TEditTypeRules::FormatGeneral(double v) const
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator);
    return withSeparators(c.toString(v, 'g', 15).toUpper(), s.DecimalSeparator, s.ThousandSeparator);
}

QString TEditTypeRules::FormatHex(std::int64_t v)
{
    return QString::number(static_cast<std::uint32_t>(v), 16).toUpper();
}

// ---- the Text setter and the number properties -------------------------------------------------

QString TEditTypeRules::SetText(const QString& value)
{
    QString v = value;
    // An empty number shows 0.
    if (v.isEmpty() && (isNumberType() || s.EditType == etHex))
        v = QStringLiteral("0");
    // Fixed decimals; the calculator's "Error" stays as it is.
    if (s.Precision > 0 && !v.isEmpty() && v != kErrorText) {
        if (s.EditType == etMoney)
            v = FormatFixed(TextToFloat(v), s.Precision, true);
        else if (s.EditType == etFloat)
            v = FormatFixed(TextToFloat(v), s.Precision, false);
    }
    // 3.
    if (s.EditType == etHex)
        v = v.toUpper();
    // 4-5.
    writeValue(v);
    host.SetModifiedState(false);
    return v;
}

double TEditTypeRules::FloatValue() const
{
    const QString v = Value();
    switch (s.EditType) {
    case etString: {
        double result = 0;
        return readNumber(v, QLatin1Char('.'), result) ? result : 0.0;
    }
    case etNumeric:
    case etFloat:
        if (v.isEmpty() || v == kErrorText || v == QStringLiteral("-"))
            return 0;
        return TextToFloat(v);
    case etMoney: {
        if (v.isEmpty())
            return 0;
        QString t = StripThousandSeparators(v);
        const int p = int(t.indexOf(s.DecimalSeparator));
        if (p >= 0 && p == t.size() - 1)
            t.chop(1);
        if (t.isEmpty() || t == QStringLiteral("-"))
            return 0;
        return TextToFloat(t);
    }
    case etHex:
        return v.isEmpty() ? 0 : HexTextToInt(v);
    default:
        return 0;
    }
}

void TEditTypeRules::SetFloatValue(double v)
{
    const bool general = s.Precision < 0;
    switch (s.EditType) {
    case etString:
    case etFloat:
        host.SetText(general ? FormatGeneral(v) : FormatFixed(v, s.Precision, false));
        break;
    case etNumeric:
        host.SetText(general ? FormatGeneral(v) : FormatFixed(v, s.Precision, true));
        break;
    case etMoney:
        host.SetText(general ? FormatGeneral(v) : FormatFixed(v, s.Precision, false));
        ApplyThousandSeparators();
        break;
    case etHex:
        host.SetText(FormatHex(std::int64_t(std::trunc(std::clamp(v, -9.2e18, 9.2e18)))));
        break;
    default:
        break;
    }
    host.SetModifiedState(true);
}

void TEditTypeRules::SetIntValue(int v)
{
    switch (s.EditType) {
    case etNumeric:
    case etFloat:
        host.SetText(QString::number(v));
        break;
    case etMoney:
        host.SetText(QString::number(v));
        ApplyThousandSeparators();
        break;
    case etHex:
        host.SetText(FormatHex(v));
        break;
    default:
        break;
    }
    host.SetModifiedState(true);
}

void TEditTypeRules::ApplyThousandSeparators()
{
    // 1.
    QString v = Value();
    const int k = int(v.size());
    const int c = host.SelStart();
    if (v.isEmpty())
        return;
    // 2.
    QString sign;
    if (v.startsWith(kMinus)) {
        sign = kMinus;
        v.remove(0, 1);
    }
    // 3.
    const int p = int(v.indexOf(s.DecimalSeparator));
    const QString frac = p < 0 ? QString() : v.mid(p, 255);
    // The whole part, grouped (or not) and cut before the decimals.
    QString whole = FormatFixed(std::trunc(std::abs(FloatValue())), 2, s.AutoThousandSeparator);
    whole.truncate(whole.indexOf(s.DecimalSeparator));
    // The rewrite's own change notice is swallowed when it really changes the text: the
    // character that led here has already been reported.
    const QString newValue = sign + whole + frac;
    const QString newText = s.Prefix + newValue + s.Suffix;
    host.SetBlockChange(host.EditText() != newText);
    host.SetRawText(newText);
    // 6.
    host.SetSelection(c + int(newValue.size()) - k, 0);
}

// ---- selection ---------------------------------------------------------------------------------

void TEditTypeRules::SelectAll()
{
    const int length = int(Value().size());
    // With a prefix or a suffix exactly the value, otherwise the first length characters.
    const int start = (s.Prefix.isEmpty() && s.Suffix.isEmpty()) ? 0 : ValueStart();
    host.SetSelection(start, length);
}

void TEditTypeRules::SelectAfterDecimal()
{
    const int p = int(Value().indexOf(s.DecimalSeparator));
    host.SetSelection(ValueStart() + (p < 0 ? 0 : p + 1), 0);
}

void TEditTypeRules::SelectBeforeDecimal()
{
    const int p = int(Value().indexOf(s.DecimalSeparator));
    host.SetSelection(ValueStart() + (p < 0 ? 0 : p), 0);
}

// ---- key-down ----------------------------------------------------------------------------------

void TEditTypeRules::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const bool hasPrefix = !s.Prefix.isEmpty();
    const bool hasSuffix = !s.Suffix.isEmpty();
    const int selStart = host.SelStart();
    const int selLength = host.SelLength();
    const int selEnd = selStart + selLength;
    const auto drop = [&key] { key = 0; };

    // 5-7. Arrows and Delete stop at the prefix and the suffix.
    if (key == Qt::Key_Right && hasSuffix && selEnd >= ValueEnd())
        return drop();
    if (key == Qt::Key_Delete && hasSuffix) {
        if (selEnd >= ValueEnd() && selLength == 0)
            return drop();
        host.SetModifiedState(true);
    }
    if (key == Qt::Key_Left && hasPrefix && selEnd <= ValueStart())
        return drop();
    // 8-9. End and Home go to the value's ends.
    if (key == Qt::Key_End && hasSuffix) {
        if (shift.testFlag(Qt::ShiftModifier))
            host.SetSelection(selStart, ValueEnd() - selStart);
        else
            host.SetSelection(ValueEnd(), 0);
        return drop();
    }
    if (key == Qt::Key_Home && hasPrefix) {
        if (shift.testFlag(Qt::ShiftModifier))
            host.SetSelection(ValueEnd(), ValueStart() - ValueEnd());
        else
            host.SetSelection(ValueStart(), 0);
        return drop();
    }
    // 10.
    if (key == Qt::Key_Backspace && hasPrefix) {
        if (selStart <= ValueStart() + 1)
            return drop();
        host.SetModifiedState(true);
    }
    // Delete may not make the whole part longer than its limit (by joining the decimals).
    if (key == Qt::Key_Delete && selStart >= ValueStart()) {
        QString v = Value();
        v.remove(selStart - ValueStart(), selLength > 0 ? selLength : 1);
        if (s.LengthLimit > 0 && IntegerPartLength(v) - 1 > s.LengthLimit)
            return drop();
        host.SetModifiedState(true);
    }
    // 12.
    const int original = key;
    host.InheritedKeyDown(key, shift);
    // 13.
    if (original == Qt::Key_Delete && key != 0 && s.EditType == etMoney)
        ApplyThousandSeparators();
    // 14.
    if (hasPrefix && host.SelStart() < ValueStart())
        host.SetSelection(ValueStart(), 0);
}

// ---- characters --------------------------------------------------------------------------------

void TEditTypeRules::passMarked(QChar key, Qt::KeyboardModifiers shift)
{
    host.SetModifiedState(true);
    host.InheritedChar(key, shift);
}

void TEditTypeRules::signRule()
{
    const QString v = Value();
    const int c = host.SelStart();
    if (s.EditType == etNumeric && host.SelLength() == v.size()) {
        writeValue(QString(kMinus));
        host.SetSelection(ValueStart() + 1, 0);
        host.SetModifiedState(true);
        return;
    }
    if (v.contains(kMinus)) {
        writeValue(v.mid(1));
        host.SetSelection(c > ValueStart() ? c - 1 : ValueStart(), 0);
        if (s.EditType != etNumeric)
            host.SetModifiedState(true);
    } else {
        writeValue(kMinus + v);
        host.SetSelection(c + 1, 0);
        host.SetModifiedState(true);
    }
}

// Answers whether the character goes on.
bool TEditTypeRules::numberCommonSteps(QChar& key)
{
    const QString v = Value();
    const int selStart = host.SelStart();
    const int selLength = host.SelLength();
    // The decimals are complete and the caret stands among them: a digit overwrites.
    if (DecimalsFull(v, selStart) && (isDigit(key) || key == s.DecimalSeparator) && selLength == 0) {
        if (isDigit(key) && selStart < ValueEnd()) {
            host.SetSelection(selStart, 1);
            return true;
        }
        return false;
    }
    // A separator into nothing starts "0" and the separator.
    if (selStart == 0 && v.isEmpty() && key == s.DecimalSeparator) {
        writeValue(QStringLiteral("0") + s.DecimalSeparator);
        host.SetSelection(ValueStart() + 2, 0);
        host.SetModifiedState(true);
        return false;
    }
    // 3.
    if (key == kMinus && selLength == 0) {
        signRule();
        return false;
    }
    return true;
}

bool TEditTypeRules::floatRules(QChar& key)
{
    const QString v = Value();
    const QString selected = host.EditText().mid(host.SelStart(), host.SelLength());
    const QChar comma = QLatin1Char(','), point = QLatin1Char('.');
    // a.
    for (QChar c : {comma, point})
        if (key == c && s.DecimalSeparator != c && s.ThousandSeparator != c)
            return false;
    // b.
    if (!isEditKey(key) && key != comma && key != kMinus && key != point && !isDigit(key))
        return false;
    // c. A second decimal separator jumps behind the first.
    if (key == s.DecimalSeparator && !selected.contains(s.DecimalSeparator)) {
        if (v.contains(s.DecimalSeparator) || s.Precision == 0) {
            if (s.Precision > 0)
                SelectAfterDecimal();
            return false;
        }
    }
    // d.
    if (key == comma && v.contains(comma) && !selected.contains(comma) && s.ThousandSeparator != comma)
        return false;
    // e.
    if ((key == s.ThousandSeparator || key == s.DecimalSeparator) && ThousandSeparatorMisplaced(v, host.SelStart()))
        return false;
    // f.
    return numberCommonSteps(key);
}

bool TEditTypeRules::moneyRules(QChar& key)
{
    const QString v = Value();
    // a. A second decimal separator jumps behind the first (a wholly selected value starts
    // again from zero).
    if (key == s.DecimalSeparator && (v.contains(s.DecimalSeparator) || s.Precision == 0)) {
        if (s.Precision > 0) {
            if (host.SelLength() == v.size())
                host.SetText(QStringLiteral("0,0"));
            SelectAfterDecimal();
        }
        return false;
    }
    // b. Thousand separators come by themselves.
    if (!isEditKey(key) && key != kMinus && !isDigit(key) && key != s.DecimalSeparator)
        return false;
    // c.
    if ((key == s.ThousandSeparator || key == s.DecimalSeparator) && ThousandSeparatorMisplaced(v, host.SelStart()))
        return false;
    // d.
    return numberCommonSteps(key);
}

void TEditTypeRules::Char(QChar key, Qt::KeyboardModifiers shift)
{
    const QString value = Value();
    const int selStart = host.SelStart();
    const int selLength = host.SelLength();
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    // Typing over the whole value: the removal's notice is not reported.
    if (selLength == value.size() && !value.isEmpty())
        host.SetBlockChange(true);
    // 3-5.
    if ((key == kReturn || key == kEscape) && host.ParentFormChar(key, shift))
        return;
    // 6.
    if (key == kEscape && !s.CanUndo) {
        host.InheritedChar(key, shift);
        return;
    }
    // The clipboard keys.
    if (ctrl && (key == QChar(3) || key == QChar(22) || key == QChar(24))) {
        host.InheritedChar(key, shift);
        return;
    }
    // The numeric keypad's decimal key types the user's separator.
    if (s.ExcelStyleDecimalSeparator && (key == QLatin1Char('.') || key == QLatin1Char(','))
        && shift.testFlag(Qt::KeypadModifier))
        key = s.DecimalSeparator;
    // 9.
    if (key == kBackspace && !s.Prefix.isEmpty() && selStart <= ValueStart() && selLength == 0)
        return;
    // The whole part is full.
    if (s.LengthLimit > 0 && IntegerPartLength(value) > s.LengthLimit && selLength == 0
        && selStart < DecimalSeparatorPos() && key != kBackspace && key != s.DecimalSeparator && !IsSignKey(key))
        return;
    // A value removed whole by Backspace is reported although its notice was swallowed.
    if (key == kBackspace) {
        host.InheritedChar(key, shift);
        if (!value.isEmpty() && selStart <= ValueStart() && Value().isEmpty())
            host.Change();
        return;
    }
    // 12.
    if (ctrl && key == QChar(10))
        return;
    // 13.
    if (isNumberType() && !s.Signed && key == kMinus)
        return;
    // By type.
    switch (s.EditType) {
    case etString:
    case etPassword:
        passMarked(key, shift);
        break;
    case etUppercase:
        host.InheritedChar(QLocale().toUpper(QString(key)).front(), shift);
        break;
    case etLowerCase:
        host.InheritedChar(QLocale().toLower(QString(key)).front(), shift);
        break;
    case etMixedCase: {
        const int c = host.SelStart();
        host.InheritedChar(key, shift);
        if (host.EditModified())
            host.SetModifiedState(true);
        writeValue(grid::ZirAzur::ToMixedCase(Value()));
        host.SetSelection(c + 1, 0);
        return;
    }
    case etAlphaNumeric:
        if (!isEditKey(key) && !isDigit(key) && !isAsciiLetter(key))
            return;
        passMarked(key, shift);
        break;
    case etValidChars:
        if (key != kBackspace && !s.ValidChars.contains(key))
            return;
        passMarked(key, shift);
        break;
    case etHex:
        if (!isEditKey(key) && key != kMinus && !isHexDigit(key))
            return;
        passMarked(key, shift);
        break;
    case etRange: {
        if (!isEditKey(key) && !isDigit(key) && !IsRangeSeparator(key))
            return;
        if (IsRangeSeparator(key)) {
            const QString text = host.EditText();
            const QChar before = selStart > 0 ? text.at(selStart - 1) : QChar();
            const QChar after = selStart < text.size() ? text.at(selStart) : QChar();
            if (selStart <= ValueStart() || IsRangeSeparator(before) || IsRangeSeparator(after))
                return;
        }
        passMarked(key, shift);
        break;
    }
    case etNumeric:
        if (key == kMinus) {
            signRule();
            return;
        }
        if (!isEditKey(key) && !isDigit(key) && !ctrl)
            return;
        host.InheritedChar(key, shift);
        break;
    case etFloat:
        if (!floatRules(key))
            return;
        host.InheritedChar(key, shift);
        break;
    case etMoney: {
        if (!moneyRules(key))
            return;
        host.InheritedChar(key, shift);
        const QString now = Value();
        if (!now.isEmpty() && now != QStringLiteral("-") && key != s.DecimalSeparator) {
            if (host.EditModified())
                host.SetModifiedState(true);
            ApplyThousandSeparators();
        }
        break;
    }
    }
    // 15.
    if (host.EditModified())
        host.SetModifiedState(true);
}

// ---- paste, kill focus, mouse-up ---------------------------------------------------------------

void TEditTypeRules::Paste(const QString& clip)
{
    const QString value = Value();
    const int selStart = host.SelStart();
    const int selLength = host.SelLength();
    // 2.
    const QString predicted = PredictPastedText(clip);
    if (!host.AllowPaste(predicted))
        return;
    // 3.
    if (s.MaxLength > 0 && clip.size() + value.size() - selLength > s.MaxLength)
        return;
    // By type.
    const int kind = ClassifyNumberText(predicted);
    const bool signOk = s.Signed || !predicted.contains(kMinus);
    const auto takeMarked = [this](const QString& text) {
        host.SetText(text);
        host.SetModifiedState(true);
    };
    switch (s.EditType) {
    case etString:
    case etPassword:
        host.SetText(predicted);
        break;
    case etNumeric:
        if (kind == ncInteger && signOk)
            takeMarked(predicted);
        break;
    case etFloat:
    case etMoney:
        if ((kind == ncInteger || kind == ncFloat) && !(s.Precision == 0 && clip.contains(s.DecimalSeparator))
            && signOk) {
            host.SetText(predicted);
            SetFloatValue(FloatValue());
        }
        break;
    case etUppercase:
        host.SetText(QLocale().toUpper(predicted));
        break;
    case etLowerCase:
        host.SetText(QLocale().toLower(predicted));
        break;
    case etMixedCase:
        host.SetText(grid::ZirAzur::ToMixedCase(predicted));
        break;
    case etAlphaNumeric:
        if (std::all_of(predicted.begin(), predicted.end(), [](QChar c) { return isDigit(c) || isAsciiLetter(c); }))
            takeMarked(predicted);
        break;
    case etValidChars:
        if (std::all_of(predicted.begin(), predicted.end(), [this](QChar c) { return s.ValidChars.contains(c); }))
            takeMarked(predicted);
        break;
    case etRange:
    case etHex:
        break; // nothing is pasted
    }
    // The caret goes where the paste would have put it, also after a refused paste.
    if (s.EditType == etMoney && Value().size() > 3)
        SelectAll();
    else if (selLength > 0)
        host.SetSelection(selStart, int(clip.size()));
    else
        host.SetSelection(selStart + int(clip.size()), 0);
    // 6.
    switch (s.EditType) {
    case etString:
    case etUppercase:
    case etMixedCase:
    case etLowerCase:
    case etPassword:
        host.SetModifiedState(true);
        break;
    default:
        break;
    }
}

void TEditTypeRules::KillFocus()
{
    const bool empty = Value().isEmpty();
    const bool decimals = s.EditType == etFloat || s.EditType == etMoney;
    // Numbers leave with their decimals complete; the calculator's "Error" stays as shown.
    if (s.Precision > 0 && decimals && (!empty || !s.AllowNumericNullValue) && Value() != kErrorText) {
        const bool modified = host.IsModified();
        SetFloatValue(FloatValue());
        host.SetModifiedState(modified);
    }
    // 2-3. An empty number becomes 0.
    if (s.EditType == etNumeric && Value().isEmpty() && !s.AllowNumericNullValue)
        host.SetText(QStringLiteral("0"));
    if (decimals && Value().isEmpty() && !s.AllowNumericNullValue)
        SetFloatValue(0);
}

void TEditTypeRules::MouseUp()
{
    if (!s.Prefix.isEmpty() && host.SelStart() < ValueStart())
        host.SetSelection(ValueStart(), int(Value().size()));
    if (!s.Suffix.isEmpty()) {
        if (host.SelStart() > ValueEnd())
            host.SetSelection(ValueEnd(), 0);
        if (host.SelStart() + host.SelLength() > ValueEnd())
            host.SetSelection(host.SelStart(), ValueEnd() - host.SelStart());
    }
}

} // namespace dropdowns
