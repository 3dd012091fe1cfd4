// Number and date texts: character classes, the kind and plain form of a number text, the
// run-time's float reading, the short-date parsers, the series date step and integer helpers.

#include "grid/QvObj.h"
#include "grid/edit/GridUnitHelpers.h"
#include "grid/look/ZirAzur.h"

#include <QDate>
#include <QTime>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace grid::ZirAzur {

namespace {

const QDate kDayZero(1899, 12, 30);

bool isExponentMark(QChar c)
{
    return c == QLatin1Char('e') || c == QLatin1Char('E');
}

// The date as days since the day zero; false when it does not exist (the run-time knows the
// years 1 to 9999 only).
bool encodeDate(int year, int month, int day, TDateTime& value)
{
    if (year < 1 || year > 9999)
        return false;
    const QDate d(year, month, day);
    if (!d.isValid())
        return false;
    value = double(kDayZero.daysTo(d));
    return true;
}

bool encodeTime(int hour, int minute, int second, TDateTime& value)
{
    if (!QTime::isValid(hour, minute, second))
        return false;
    value = (hour * 3600 + minute * 60 + second) / 86400.0;
    return true;
}

QDate decodeDate(TDateTime value)
{
    return kDayZero.addDays((long long)std::floor(value));
}

// The run-time's whole-number reading of a date field: leading blanks, one sign, decimal digits
// and nothing after them.
bool readField(QStringView text, int& value)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    if (i >= text.size())
        return false;
    long long v = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + (c - u'0');
        if (v > 0x7FFFFFFFLL)
            return false;
    }
    value = int(negative ? -v : v);
    return true;
}

// "h:m" or "h:m:s" after the blank that ends the year.
bool parseTimePart(QStringView text, TDateTime& value)
{
    const QChar sep = LocaleTimeSeparator();
    const qsizetype first = text.indexOf(sep);
    if (first < 0)
        return false;
    int hour = 0, minute = 0, second = 0;
    if (!readField(text.left(first), hour) || hour > 23)
        return false;
    const QStringView rest = text.mid(first + 1);
    const qsizetype secondSep = rest.indexOf(sep);
    if (secondSep < 0) {
        if (!readField(rest, minute))
            return false;
    } else if (!readField(rest.left(secondSep), minute) || !readField(rest.mid(secondSep + 1), second) || second > 59) {
        return false;
    }
    return minute <= 59 && encodeTime(hour, minute, second, value);
}

// Shared body of the US and EU parsers; dayFirst picks the EU order.
TDateTime parseShortDate(const QString& text, bool dayFirst)
{
    qsizetype first = -1;
    for (qsizetype i = 0; i < text.size() && first < 0; ++i)
        if (text[i] == QLatin1Char('/') || text[i] == QLatin1Char('.') || text[i] == QLatin1Char('-'))
            first = i;
    if (first < 0)
        return 0;
    const QChar sep = text[first];
    const qsizetype second = text.indexOf(sep, first + 1);
    if (second < 0)
        return 0;
    int a = 0, b = 0, year = 0;
    if (!readField(QStringView(text).left(first), a)
        || !readField(QStringView(text).mid(first + 1, second - first - 1), b)
        || !readField(QStringView(text).mid(second + 1), year))
        return 0;
    if (year >= 0 && year <= 25)
        year += 2000;
    else if (year >= 26 && year <= 99)
        year += 1900;
    const int day = dayFirst ? a : b;
    const int month = dayFirst ? b : a;
    TDateTime value = 0;
    if (!encodeDate(year, month, day, value))
        throw EConvertError(text, "date");
    return value;
}

} // namespace

// ---- character classes -----------------------------------------------------------------------

bool CharIsDigit(QChar c)
{
    return c.isNumber();
}

bool CharIsDigitOrMinus(QChar c)
{
    return CharIsDigit(c) || c == QLatin1Char('-');
}

bool CharIsNumberPart(QChar c)
{
    return CharIsDigit(c) || c == LocaleThousandSeparator() || c == LocaleDecimalSeparator() || isExponentMark(c);
}

bool CharIsSignedNumberPart(QChar c)
{
    return CharIsNumberPart(c) || c == QLatin1Char('+') || c == QLatin1Char('-');
}

bool CharIsNumberSymbol(QChar c)
{
    return CharIsDigit(c) || c == QLatin1Char(',') || c == QLatin1Char('-') || c == QLatin1Char('.')
           || isExponentMark(c) || c == QLatin1Char('+');
}

// ---- number texts ----------------------------------------------------------------------------

int GetNumberTextKind(const QString& text)
{
    if (text.isEmpty())
        return ntkNoNumber;
    const QChar thousand = LocaleThousandSeparator();
    const QChar decimal = LocaleDecimalSeparator();
    bool allDigits = true;  // only digits and "-" so far
    bool decimalOk = true;  // a valid decimal number so far
    bool exponentOk = true; // a valid exponent number so far
    bool exponentSeen = false;
    qsizetype lastThousand = -1;
    int minusCount = 0, decimalCount = 0;
    const qsizetype last = text.size() - 1;
    for (qsizetype i = 0; i <= last; ++i) {
        const QChar c = text[i];
        const bool digit = CharIsDigit(c);
        const bool minus = c == QLatin1Char('-');
        if (isExponentMark(c)) {
            if (exponentSeen || i == 0)
                exponentOk = false;
            exponentSeen = true;
        }
        if (!digit && !minus)
            allDigits = false;
        if (minus && i > 0)
            allDigits = decimalOk = false;
        if (i == last && (c == QLatin1Char('+') || minus || isExponentMark(c)))
            exponentOk = false;
        if (!digit && !minus && c != thousand && c != decimal)
            decimalOk = false;
        if (!CharIsSignedNumberPart(c) || c == thousand)
            exponentOk = false;
        if (c == thousand) {
            // Groups of three: two separators closer than that cannot be one number.
            if (lastThousand >= 0 && i - lastThousand <= 3)
                decimalOk = false;
            lastThousand = i;
        }
        minusCount += minus;
        decimalCount += c == decimal;
    }
    int kind = allDigits ? ntkInteger : (decimalOk && !exponentSeen ? ntkDecimal : ntkNoNumber);
    const bool exponent = exponentOk && exponentSeen;
    if (exponent)
        kind = ntkExponent;
    // An exponent may carry its own sign beside the mantissa's.
    if (minusCount > (exponent ? 2 : 1) || decimalCount > 1)
        kind = ntkNoNumber;
    return kind;
}

QString NormalizeNumberText(const QString& text)
{
    if (text.isEmpty())
        return text;
    bool negative = text.startsWith(QLatin1Char('(')) && text.endsWith(QLatin1Char(')'));
    qsizetype start = 0;
    while (text.size() - start >= 2 && !CharIsNumberPart(text[start])) {
        if (text[start] == QLatin1Char('-'))
            negative = true;
        ++start;
    }
    const QChar thousand = LocaleThousandSeparator();
    const QChar decimal = LocaleDecimalSeparator();
    QString out;
    for (qsizetype i = start; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == thousand)
            continue;
        if (c == decimal)
            out += QLatin1Char('.');
        else if (CharIsNumberSymbol(c))
            out += c;
        else
            break;
    }
    if (negative)
        out.prepend(QLatin1Char('-'));
    return out;
}

QString FilterNumberText(const QString& text)
{
    const QChar thousand = LocaleThousandSeparator();
    const QChar decimal = LocaleDecimalSeparator();
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == thousand)
            continue;
        out += c == decimal ? QChar(QLatin1Char('.')) : c;
    }
    return out;
}

int TextToFloat(const QString& text, double& value)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    std::string number; // the accepted characters, for a conversion that ignores the C locale
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        if (text[i] == QLatin1Char('-'))
            number += '-';
        ++i;
    }
    auto digits = [&] {
        int count = 0;
        for (; i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i, ++count)
            number += char(text[i].unicode());
        return count;
    };
    int mantissa = digits();
    if (i < n && text[i] == QLatin1Char('.')) {
        number += '.';
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return int(i + 1);
    if (i < n && isExponentMark(text[i])) {
        number += 'e';
        ++i;
        if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
            number += char(text[i++].unicode());
        if (digits() == 0)
            return int(i + 1);
    }
    if (i < n)
        return int(i + 1);
    double v = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), v);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(v))
        return int(n + 1); // out of the double range
    value = v;
    return 0;
}

// ---- dates -----------------------------------------------------------------------------------

bool ParseLocaleDate(const QString& text, TDateTime& value)
{
    // The fields come in the order in which the format names them first.
    const QString format = LocaleShortDateFormat().toUpper();
    struct Field {
        char name;
        qsizetype at;
        int value = 0;
    };
    Field fields[3] = {{'D', format.indexOf(QLatin1Char('D'))},
                       {'M', format.indexOf(QLatin1Char('M'))},
                       {'Y', format.indexOf(QLatin1Char('Y'))}};
    for (Field& f : fields)
        if (f.at < 0)
            f.at = format.size();
    std::stable_sort(std::begin(fields), std::end(fields), [](const Field& a, const Field& b) { return a.at < b.at; });

    const QChar sep = LocaleDateSeparator();
    const qsizetype first = text.indexOf(sep);
    const qsizetype second = first < 0 ? -1 : text.indexOf(sep, first + 1);
    if (second < 0)
        return false;
    QStringView third = QStringView(text).mid(second + 1);
    QStringView timePart;
    const qsizetype blank = third.indexOf(QLatin1Char(' '));
    if (blank >= 0) {
        timePart = third.mid(blank);
        third = third.left(blank);
    }
    const QStringView parts[3] = {QStringView(text).left(first), QStringView(text).mid(first + 1, second - first - 1),
                                  third};
    int day = 0, month = 0, year = 0;
    for (int k = 0; k < 3; ++k) {
        if (!readField(parts[k], fields[k].value))
            return false;
        (fields[k].name == 'D' ? day : fields[k].name == 'M' ? month : year) = fields[k].value;
    }
    if (day > 31 || month > 12)
        return false;
    TDateTime date = 0, time = 0;
    if (!encodeDate(year, month, day, date))
        return false;
    if (blank >= 0 && !parseTimePart(timePart, time))
        return false;
    value = date + time;
    return true;
}

TDateTime USDateToDate(const QString& text)
{
    return parseShortDate(text, false);
}

TDateTime EUDateToDate(const QString& text)
{
    return parseShortDate(text, true);
}

TDateTime ShiftDate(short yearStep, short monthStep, short dayStep, TDateTime delta, TDateTime date)
{
    if ((yearStep != 0) + (monthStep != 0) + (dayStep != 0) != 1)
        return date + delta;
    if (dayStep != 0)
        return date + dayStep;
    const QDate d = decodeDate(date);
    int year = d.year(), month = d.month();
    if (yearStep != 0) {
        year += yearStep;
    } else {
        month += monthStep;
        if (month == 0) {
            month = 12;
            --year;
        } else if (month > 12) {
            month -= 12;
            ++year;
        }
    }
    TDateTime value = 0;
    if (!encodeDate(year, month, d.day(), value))
        throw EConvertError(QStringLiteral("%1-%2-%3").arg(year).arg(month).arg(d.day()), "date");
    return value;
}

// ---- integers --------------------------------------------------------------------------------

int ClampToLimits(int value, int lower, int upper)
{
    if (lower == upper)
        return value;
    if (upper > 0 && value > upper)
        return upper;
    if (lower > 0 && value < lower)
        return lower;
    return value;
}

int IntMax(int a, int b)
{
    return a > b ? a : b;
}

int IntMin(int a, int b)
{
    return a < b ? a : b;
}

} // namespace grid::ZirAzur
