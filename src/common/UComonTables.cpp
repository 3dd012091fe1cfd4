#include "common/UComonTables.h"

#include "common/UComonHelpers.h"
#include "platform/TextCodec.h"

#include <QByteArray>

#include <iterator>

namespace common {

namespace {

template <std::size_t N>
QString nameOrLast(const char* const (&names)[N], int code)
{
    return QString::fromLatin1(code >= 0 && code < int(N) ? names[code] : names[N - 1]);
}

template <std::size_t N>
std::uint8_t codeOrLast(const char* const (&names)[N], const QString& text)
{
    for (std::size_t i = 0; i + 1 < N; ++i)
        if (text == QLatin1String(names[i]))
            return std::uint8_t(i);
    return std::uint8_t(N - 1);
}

QString hex(unsigned value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString Opcua_Text(const char* text)
{
    return text ? platform::fromAnsi(QByteArray(text)) : QString();
}

QString NodeId_Type_To_Str(int identifierType)
{
    for (const OpcuaName& n : kNodeIdTypeNames)
        if (n.code == identifierType)
            return QString::fromLatin1(n.text);
    return {};
}

std::uint8_t Str_To_NodeId_Type(const QString& text)
{
    const QString upper = upperAscii(text);
    for (const OpcuaName& n : kNodeIdTypeNames)
        if (upper == upperAscii(QString::fromLatin1(n.text)))
            return std::uint8_t(n.code);
    return 0;
}

QString NodeId_To_Str(const opcua_structure& record)
{
    switch (record.identifierType) {
    case 0:
        return QString::number(record.numeric);
    case 3:
        return Opcua_Text(record.stringname);
    case 4: {
        QString s = hex(record.guide1, 8) + QLatin1Char('-') + hex(record.guide2, 4) + QLatin1Char('-')
                    + hex(record.guide3, 4) + QLatin1Char('-') + hex(record.guide4[0], 2) + hex(record.guide4[1], 2)
                    + QLatin1Char('-');
        for (int i = 2; i < 8; ++i)
            s += hex(record.guide4[i], 2);
        return s;
    }
    case 5:
        return Opcua_Text(record.byteString);
    default:
        return {};
    }
}

QString OPCUA_Type_To_Str(int dataType)
{
    if (dataType < 0 || dataType >= int(std::size(kOpcuaTypeNames)))
        return {};
    return QString::fromLatin1(kOpcuaTypeNames[dataType]);
}

QString Auth_Type_To_Str(int code)
{
    return nameOrLast(kAuthTypeNames, code);
}

std::uint8_t Str_To_Auth_Type(const QString& text)
{
    return codeOrLast(kAuthTypeNames, text);
}

QString Sec_Mode_To_Str(int code)
{
    return nameOrLast(kSecModeNames, code);
}

std::uint8_t Str_To_Sec_Mode(const QString& text)
{
    return codeOrLast(kSecModeNames, text);
}

QString Sec_Policy_To_Str(int code)
{
    return nameOrLast(kSecPolicyNames, code);
}

std::uint8_t Str_To_Sec_Policy(const QString& text)
{
    return codeOrLast(kSecPolicyNames, text);
}

std::uint8_t Check_OID(const QString& text)
{
    if (text.size() > kMaxOidLength)
        return OID_TOO_LONG;
    // The table never passes an empty identifier; should one arrive, it holds no number.
    if (text.isEmpty())
        return OID_BAD_CHARACTER;
    for (const QChar c : text)
        if (c != QLatin1Char('.') && (c.unicode() < '0' || c.unicode() > '9'))
            return OID_BAD_CHARACTER;
    if (text.front() == QLatin1Char('.'))
        return OID_STARTS_WITH_DOT;
    if (text.back() == QLatin1Char('.'))
        return OID_ENDS_WITH_DOT;
    if (text.contains(QLatin1String("..")))
        return OID_DOUBLE_DOT;
    for (const QString& component : text.split(QLatin1Char('.'))) {
        std::int64_t value = 0;
        if (!tryStrToInt64(trimBlanks(component), value) || value > 0xFFFFFFFFLL)
            return OID_NUMBER_TOO_BIG;
    }
    return OID_OK;
}

std::int8_t Str_To_SNMP_Sec_Level(const QString& text)
{
    const QString level = upperAscii(trimBlanks(text));
    if (level == QLatin1String("AUTH NOPRIV"))
        return 1;
    if (level == QLatin1String("AUTH PRIV"))
        return 3;
    if (level.isEmpty())
        return -1;
    return 0;
}

} // namespace common
