#include "protocols/energy_it/snmp/SnmpNames.h"

#include <array>

namespace energy_it {

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isLower(QChar c)
{
    return c >= QLatin1Char('a') && c <= QLatin1Char('z');
}

bool isUpper(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

// The prefix followed by at least one digit and nothing else.
bool prefixAndDigits(const QString& name, QLatin1StringView prefix)
{
    if (!name.startsWith(prefix) || name.size() == prefix.size())
        return false;
    for (qsizetype i = prefix.size(); i < name.size(); ++i)
        if (!isDigit(name[i]))
            return false;
    return true;
}

} // namespace

bool Check_Error_CommName_Desc(const QString& str, int checkType)
{
    if (str.isEmpty())
        return false;
    if (checkType == 1 && !isLower(str[0]))
        return true;
    for (QChar c : str)
        if (!isDigit(c) && !isLower(c) && !isUpper(c))
            return true;
    return false;
}

bool Is_Reserved_MIB_Name(const QString& name)
{
    static constexpr std::array<const char*, 31> kFixed = {
        "identity",      "norvix",        "gateway",       "application",   "data",          "hellostring",
        "countin",       "countout",      "bufferin",      "bufferinblk1",  "bufferinblk2",  "bufferinblk3",
        "bufferinblk4",  "bufferinblk5",  "bufferinblk6",  "bufferinblk7",  "bufferinblk8",  "bufferinval",
        "bufferout",     "bufferoutblk1", "bufferoutblk2", "bufferoutblk3", "bufferoutblk4", "bufferoutblk5",
        "bufferoutblk6", "bufferoutblk7", "bufferoutblk8", "bufferoutval",  "traps",         "trapsval",
        "enterprises",
    };
    for (const char* fixed : kFixed)
        if (name == QLatin1StringView(fixed))
            return true;
    return prefixAndDigits(name, QLatin1StringView("bufferinval"))
           || prefixAndDigits(name, QLatin1StringView("bufferoutval"))
           || prefixAndDigits(name, QLatin1StringView("trapval"));
}

} // namespace energy_it
