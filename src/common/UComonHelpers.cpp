#include "common/UComonHelpers.h"

#include "platform/Locale.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace common {

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

bool isX(QChar c)
{
    return c == QLatin1Char('x') || c == QLatin1Char('X');
}

// The whole-number reading rule, checked against [minValue, maxValue].
bool parseWhole(const QString& text, std::int64_t minValue, std::int64_t maxValue, std::int64_t& out)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && (text[i] == QLatin1Char('$') || isX(text[i]))) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0') && isX(text[i + 1])) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return false;

    // Magnitude up to 2^63, the largest any 64-bit result can need (for its minimum).
    constexpr std::uint64_t kLimit = std::uint64_t(1) << 63;
    std::uint64_t magnitude = 0;
    for (; i < n; ++i) {
        const int d = hexDigit(text[i]);
        if (d < 0 || d >= base)
            return false;
        if (magnitude > (kLimit - std::uint64_t(d)) / std::uint64_t(base))
            return false;
        magnitude = magnitude * std::uint64_t(base) + std::uint64_t(d);
    }

    std::int64_t value;
    if (negative)
        value = magnitude == kLimit ? std::numeric_limits<std::int64_t>::min() : -std::int64_t(magnitude);
    else if (magnitude == kLimit)
        return false;
    else
        value = std::int64_t(magnitude);
    if (value < minValue || value > maxValue)
        return false;
    out = value;
    return true;
}

// Decimal number with the given separator: optional sign, digits with at most one separator
// (at least one digit), optional exponent; spaces allowed before and after.
bool parseDecimal(const QString& text, QChar separator, double& out)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    std::string plain;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        if (text[i] == QLatin1Char('-'))
            plain += '-';
        ++i;
    }
    int digits = 0;
    auto takeDigits = [&](int& count) {
        while (i < n && text[i].unicode() >= '0' && text[i].unicode() <= '9') {
            plain += char(text[i].unicode());
            ++count;
            ++i;
        }
    };
    takeDigits(digits);
    if (i < n && text[i] == separator) {
        plain += '.';
        ++i;
        takeDigits(digits);
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        plain += 'e';
        ++i;
        if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
            plain += char(text[i].unicode());
            ++i;
        }
        int expDigits = 0;
        takeDigits(expDigits);
        if (expDigits == 0)
            return false;
    }
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    if (i != n)
        return false;

    double value = 0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec != std::errc() || end != plain.data() + plain.size())
        return false;
    out = value;
    return true;
}

bool inByteRange(const QString& part, int def)
{
    const int v = strToIntDef(part, def);
    return v >= 0 && v <= 255;
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b)
{
    return a / b + (a % b != 0 ? 1 : 0);
}

} // namespace

int strToIntDef(const QString& text, int def)
{
    int v;
    return tryStrToInt(text, v) ? v : def;
}

std::int64_t strToInt64Def(const QString& text, std::int64_t def)
{
    std::int64_t v;
    return tryStrToInt64(text, v) ? v : def;
}

bool tryStrToInt(const QString& text, int& value)
{
    std::int64_t v;
    if (!parseWhole(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), v))
        return false;
    value = int(v);
    return true;
}

bool tryStrToInt64(const QString& text, std::int64_t& value)
{
    return parseWhole(text, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(), value);
}

QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= ' ')
        ++first;
    while (last > first && text[last - 1].unicode() <= ' ')
        --last;
    return text.mid(first, last - first);
}

QString upperAscii(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        if (c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(char16_t(c.unicode() - 'a' + 'A'));
    return out;
}

QChar Get_Decimal_Separator()
{
    const QChar sep = platform::decimalSeparator();
    return sep == QLatin1Char('.') ? QLatin1Char('.') : QLatin1Char(',');
}

bool Str_To_Float_Sep(const QString& text, QChar separator, float& value)
{
    QString t = text;
    if (separator == QLatin1Char('.'))
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    else
        t.replace(QLatin1Char('.'), QLatin1Char(','));

    // Read with the program's own separator rather than the raw locale's, so a locale whose
    // separator is neither "," nor "." can still enter decimals. A value past the 32-bit float
    // range is no number for a field stored as one.
    double d = 0;
    if (!parseDecimal(t, Get_Decimal_Separator(), d) || std::fabs(d) > double(FLT_MAX)) {
        value = 1.0f;
        return false;
    }
    value = float(d);
    return true;
}

int Get_IOLink_Baud_Code(const QString& rate)
{
    const QString r = trimBlanks(rate);
    if (r == QLatin1String("COM2"))
        return 2;
    if (r == QLatin1String("COM3"))
        return 3;
    return 1;
}

std::uint8_t Calc_Min_Cycle_Time(const QString& rate, int inputBits, int outputBits, std::int32_t& timeUs)
{
    // Bit times in ns of the three IO-Link rates: 4.8, 38.4 and 230.4 kbit/s.
    const QString r = upperAscii(trimBlanks(rate));
    const std::int64_t bitTime = r == QLatin1String("COM2") ? 26040 : r == QLatin1String("COM3") ? 4340 : 208330;
    // Bytes are counted with truncating division, as the frame count has always been.
    const std::int64_t frames = (std::int64_t(inputBits) + 7) / 8 * 12 + (std::int64_t(outputBits) + 7) / 8 * 14 + 61;
    const std::int64_t t = frames * bitTime;

    // Cycle-time code: time base in bits 7..6, multiplier in bits 5..0.
    std::int64_t m;
    if (t <= 400'000) {
        timeUs = 400;
        return 0x04;
    }
    if (t <= 6'300'000) {
        m = ceilDiv(t, 100'000);
        timeUs = std::int32_t(m * 100);
        return std::uint8_t(m);
    }
    if (t <= 6'400'000) {
        timeUs = 6'400;
        return 0x40;
    }
    if (t <= 31'600'000) {
        m = ceilDiv(t - 6'400'000, 400'000);
        timeUs = std::int32_t(6'400 + 400 * m);
        return std::uint8_t(0x40 + m);
    }
    if (t <= 32'000'000) {
        timeUs = 32'000;
        return 0x80;
    }
    if (t <= 132'800'000) {
        m = ceilDiv(t - 32'000'000, 1'600'000);
        timeUs = std::int32_t(32'000 + 1'600 * m);
        return std::uint8_t(0x80 + m);
    }
    timeUs = 132'800;
    return 0xBF;
}

bool Split_IP_Address(const QString& text, QString& a, QString& b, QString& c, QString& d)
{
    QString rest = trimBlanks(text);
    QString* parts[3] = {&a, &b, &c};
    for (QString* part : parts) {
        const qsizetype dot = rest.indexOf(QLatin1Char('.'));
        if (dot < 0)
            return false;
        *part = trimBlanks(rest.left(dot));
        rest = trimBlanks(rest.mid(dot + 1));
    }
    d = rest;
    return inByteRange(a, 1000) && inByteRange(b, 1000) && inByteRange(c, 1000) && inByteRange(d, 1000);
}

bool Parse_IP_Bytes(const QString& text, std::uint8_t& a, std::uint8_t& b, std::uint8_t& c, std::uint8_t& d)
{
    if (text.isEmpty())
        return true;
    std::uint8_t* bytes[4] = {&a, &b, &c, &d};
    QString rest = text;
    bool error = false;
    for (int pass = 0; pass < 4; ++pass) {
        QString part;
        if (pass == 3) {
            part = rest;
        } else {
            // Without a "." the part is empty (and so bad) and the rest stays as it is.
            const qsizetype dot = rest.indexOf(QLatin1Char('.'));
            if (dot >= 0) {
                part = rest.left(dot);
                rest = rest.mid(dot + 1);
            }
        }
        const int v = strToIntDef(part, -1);
        if (v >= 0 && v <= 255) {
            *bytes[pass] = std::uint8_t(v);
        } else {
            *bytes[pass] = 0;
            error = true;
        }
    }
    return error;
}

bool Parse_IP_Port(const QString& text, std::uint8_t& a, std::uint8_t& b, std::uint8_t& c, std::uint8_t& d,
                   std::uint16_t& port)
{
    a = b = c = d = 0;
    port = 0;
    int values[4] = {0, 0, 0, 0};
    QString rest = text;
    for (int i = 0; i < 3; ++i) {
        const qsizetype dot = rest.indexOf(QLatin1Char('.'));
        if (dot < 0)
            return false;
        values[i] = strToIntDef(trimBlanks(rest.left(dot)), -1);
        if (values[i] < 0 || values[i] > 255)
            return false;
        rest = trimBlanks(rest.mid(dot + 1));
    }
    const qsizetype colon = rest.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return false;
    values[3] = strToIntDef(trimBlanks(rest.left(colon)), -1);
    const int p = strToIntDef(trimBlanks(rest.mid(colon + 1)), -1);
    if (values[3] < 0 || values[3] > 255 || p < 0 || p > 65535)
        return false;
    a = std::uint8_t(values[0]);
    b = std::uint8_t(values[1]);
    c = std::uint8_t(values[2]);
    d = std::uint8_t(values[3]);
    port = std::uint16_t(p);
    return true;
}

QStringList Get_COM_Port_List()
{
    return Get_COM_Port_List(QStringLiteral("/dev"), platform::probeSerialDevice);
}

QStringList Get_COM_Port_List(const QString& devDir, const platform::SerialProber& probe)
{
    QStringList list;
    for (const int port : platform::serialPortsPresent(devDir, probe))
        list << QString::number(port);
    return list;
}

bool Has_WiFi()
{
    return false;
}

int Get_Ethernet_Ports(QString& firstPortName, QString& secondPortName)
{
    firstPortName.clear();
    secondPortName.clear();
    return 1;
}

} // namespace common
