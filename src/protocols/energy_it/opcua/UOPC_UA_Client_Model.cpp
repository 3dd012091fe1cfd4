#include "protocols/energy_it/opcua/UOPC_UA_Client_Model.h"

#include "common/UComonHelpers.h"
#include "common/UComonTables.h"

#include <cctype>
#include <cstring>
#include <iterator>

namespace energy_it {

namespace {

enum : std::uint16_t { kNumeric = 0, kString = 3, kGuid = 4, kByteString = 5 };

bool allHex(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() >= 128 || !std::isxdigit(c.unicode()))
            return false;
    return true;
}

// A GUID group: one to eight hexadecimal digits, anything else 0.
std::uint32_t hexGroup(const QString& text)
{
    if (text.isEmpty() || text.size() > 8 || !allHex(text))
        return 0;
    return text.toUInt(nullptr, 16);
}

// Cuts the next group off rest: up to the first "-", or the whole rest.
QString takeGroup(QString& rest)
{
    const qsizetype dash = rest.indexOf(QLatin1Char('-'));
    if (dash < 0) {
        QString group = rest;
        rest.clear();
        return group;
    }
    QString group = rest.left(dash);
    rest = rest.mid(dash + 1);
    return group;
}

void parseGuid(const QString& text, TOPC_UA_Variable& v)
{
    QString rest = common::trimBlanks(text);
    // The 32 digits of a GUID written without its dashes are its five groups all the same.
    if (rest.size() == 32 && allHex(rest))
        rest = rest.left(8) + QLatin1Char('-') + rest.mid(8, 4) + QLatin1Char('-') + rest.mid(12, 4) + QLatin1Char('-')
               + rest.mid(16, 4) + QLatin1Char('-') + rest.mid(20);
    v.guide1 = hexGroup(takeGroup(rest));
    v.guide2 = std::uint16_t(hexGroup(takeGroup(rest)));
    v.guide3 = std::uint16_t(hexGroup(takeGroup(rest)));
    for (int i = 0; i < 8; ++i) {
        QString piece;
        if (rest.size() <= 2) {
            piece = rest;
            rest.clear();
        } else {
            piece = rest.left(2);
            // After the second byte the dash between the fourth and fifth groups is skipped.
            rest = rest.mid(i == 1 ? 3 : 2);
        }
        v.guide4[i] = std::uint8_t(hexGroup(piece));
    }
}

// A numeric identifier is an unsigned 32-bit number; a negative text keeps its two's
// complement, as the identifier was always read, and anything else gives 0.
std::uint32_t numericId(const QString& text)
{
    std::int64_t value = 0;
    if (!common::tryStrToInt64(text, value) || value < -2147483648LL || value > 4294967295LL)
        return 0;
    return std::uint32_t(value);
}

} // namespace

QString TOPC_UA_Variable::NodeType() const
{
    return common::NodeId_Type_To_Str(identifierType);
}

void TOPC_UA_Variable::SetNodeType(const QString& text)
{
    identifierType = common::Str_To_NodeId_Type(text);
}

QString TOPC_UA_Variable::NodeID() const
{
    switch (identifierType) {
    case kNumeric:
        return QString::number(numeric);
    case kString:
        return stringname;
    case kGuid: {
        common::opcua_structure r{};
        r.identifierType = kGuid;
        r.guide1 = guide1;
        r.guide2 = guide2;
        r.guide3 = guide3;
        std::memcpy(r.guide4, guide4, sizeof guide4);
        return common::NodeId_To_Str(r);
    }
    case kByteString:
        return byteString;
    default:
        return {};
    }
}

void TOPC_UA_Variable::SetNodeID(const QString& text)
{
    switch (identifierType) {
    case kNumeric:
        numeric = numericId(text);
        break;
    case kString:
        stringname = text;
        break;
    case kGuid:
        parseGuid(text, *this);
        break;
    case kByteString:
        byteString = text;
        break;
    default:
        break;
    }
}

QString TOPC_UA_Variable::VarType() const
{
    if (dataType >= 1 && dataType < int(std::size(common::kOpcuaTypeNames)))
        return QString::fromLatin1(common::kOpcuaTypeNames[dataType]);
    return QString::fromLatin1(common::kOpcuaTypeNames[0]);
}

void TOPC_UA_Variable::SetVarType(const QString& text)
{
    const QString upper = common::upperAscii(text);
    dataType = 0;
    for (int code = 0; code < int(std::size(common::kOpcuaTypeNames)); ++code)
        if (upper == common::upperAscii(QString::fromLatin1(common::kOpcuaTypeNames[code]))) {
            dataType = code;
            return;
        }
}

std::unique_ptr<TOPC_UA_Variable> TOPC_UA_Variable::From_Browse_Record(const common::opcua_structure& record)
{
    auto v = std::make_unique<TOPC_UA_Variable>();
    v->SetEnable(true);
    v->nameSpaceIndex = record.nameSpaceIndex;
    v->identifierType = record.identifierType;
    v->numeric = record.numeric;
    v->guide1 = record.guide1;
    v->guide2 = record.guide2;
    v->guide3 = record.guide3;
    std::memcpy(v->guide4, record.guide4, sizeof v->guide4);
    v->dataType = record.dataType;
    v->SetDispalyName(common::Opcua_Text(record.displayName));
    v->stringname = common::Opcua_Text(record.stringname);
    v->byteString = common::Opcua_Text(record.byteString);
    return v;
}

void Free_Var_List(TOPC_UA_Var_List& list)
{
    while (!list.empty())
        list.pop_back();
}

TOPC_UA_Server::~TOPC_UA_Server()
{
    Free_Var_List(Var_List_R);
    Free_Var_List(Var_List_W);
}

void Free_Server_List(TOPC_UA_Server_List& list)
{
    while (!list.empty())
        list.pop_back();
}

} // namespace energy_it
