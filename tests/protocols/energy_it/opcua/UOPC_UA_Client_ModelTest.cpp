// The OPC UA client's model: a variable's node type, identifier and data type as the window and
// the file write and read them, and a variable adopted from a browse record.

#include "protocols/energy_it/opcua/UOPC_UA_Client_Model.h"

#include <gtest/gtest.h>

#include <QString>

#include <cstring>

namespace {

using energy_it::TOPC_UA_Server;
using energy_it::TOPC_UA_Variable;

// Texts written to a new variable, in this order (an empty text: not written), and what it
// then reads back and holds.
struct Conversion {
    const char* nodeType;
    const char* nodeId;
    const char* varType;
    const char* readNodeType;
    const char* readNodeId;
    const char* readVarType;
    std::uint16_t identifierType;
    std::int32_t dataType;
};

TEST(OpcuaClientVariable, ConversionsOfNodeTypeNodeIdAndVarType)
{
    const Conversion cases[] = {
        // A new variable.
        {nullptr, nullptr, nullptr, "Numeric", "0", "Boolean", 0, 0},
        // Numeric identifiers are unsigned 32-bit; a negative text keeps its two's complement.
        {nullptr, "-1", nullptr, "Numeric", "4294967295", "Boolean", 0, 0},
        {nullptr, "4294967295", nullptr, "Numeric", "4294967295", "Boolean", 0, 0},
        {nullptr, "3000000000", nullptr, "Numeric", "3000000000", "Boolean", 0, 0},
        {nullptr, "4294967296", nullptr, "Numeric", "0", "Boolean", 0, 0},
        {nullptr, "-2147483649", nullptr, "Numeric", "0", "Boolean", 0, 0},
        {nullptr, "Pump", nullptr, "Numeric", "0", "Boolean", 0, 0},
        {"String", "Pump.Speed", nullptr, "String", "Pump.Speed", "Boolean", 3, 0},
        {"ByteString", "AQID", nullptr, "ByteString", "AQID", "Boolean", 5, 0},
        // GUIDs read back upper-case with leading zeros.
        {"Guid", "  a1b2c3d4-e5f6-0708-090a-0b0c0d0e0f10 ", nullptr, "Guid", "A1B2C3D4-E5F6-0708-090A-0B0C0D0E0F10",
         "Boolean", 4, 0},
        // Byte pieces are two characters: "4-" is no number, the "5" after it the second byte.
        {"Guid", "1-2-3-4-5", nullptr, "Guid", "00000001-0002-0003-0005-000000000000", "Boolean", 4, 0},
        // Two groups: the missing ones are zeros.
        {"guid", "ABCDEF01-0A0B", nullptr, "Guid", "ABCDEF01-0A0B-0000-0000-000000000000", "Boolean", 4, 0},
        // The 32 digits without dashes are the same GUID.
        {"GUID", "a1b2c3d4e5f60708090a0b0c0d0e0f10", nullptr, "Guid", "A1B2C3D4-E5F6-0708-090A-0B0C0D0E0F10", "Boolean",
         4, 0},
        // A group of more than eight digits, or not hexadecimal, is 0.
        {"Guid", "123456789-12-x1", nullptr, "Guid", "00000000-0012-0000-0000-000000000000", "Boolean", 4, 0},
        // Kinds and types compare without regard to case.
        {"Opaque", "7", nullptr, "Numeric", "7", "Boolean", 0, 0},
        {nullptr, nullptr, "int32", "Numeric", "0", "Int32", 0, 5},
        {nullptr, nullptr, "BYTESTRING", "Numeric", "0", "ByteString", 0, 14},
        {nullptr, nullptr, "Word", "Numeric", "0", "Boolean", 0, 0},
        {nullptr, nullptr, "Boolean", "Numeric", "0", "Boolean", 0, 0},
    };
    for (const Conversion& c : cases) {
        SCOPED_TRACE(std::string(c.nodeType ? c.nodeType : "-") + " " + (c.nodeId ? c.nodeId : "-") + " "
                     + (c.varType ? c.varType : "-"));
        TOPC_UA_Variable v;
        if (c.nodeType)
            v.SetNodeType(QString::fromLatin1(c.nodeType));
        if (c.nodeId)
            v.SetNodeID(QString::fromLatin1(c.nodeId));
        if (c.varType)
            v.SetVarType(QString::fromLatin1(c.varType));
        EXPECT_EQ(v.NodeType(), QLatin1String(c.readNodeType));
        EXPECT_EQ(v.NodeID(), QLatin1String(c.readNodeId));
        EXPECT_EQ(v.VarType(), QLatin1String(c.readVarType));
        EXPECT_EQ(v.identifierType, c.identifierType);
        EXPECT_EQ(v.dataType, c.dataType);
    }
}

TEST(OpcuaClientVariable, DataCodesOutsideTheTableReadAsBoolean)
{
    TOPC_UA_Variable v;
    for (std::int32_t code : {-1, 0, 15, 1000}) {
        v.dataType = code;
        EXPECT_EQ(v.VarType(), QStringLiteral("Boolean")) << code;
    }
    v.dataType = 12;
    EXPECT_EQ(v.VarType(), QStringLiteral("DateTime"));
    v.identifierType = 2;
    EXPECT_EQ(v.NodeType(), QString());
    EXPECT_EQ(v.NodeID(), QString());
}

TEST(OpcuaClientVariable, TheIdentifierIsTakenByTheKindSetBefore)
{
    // The same text means another identifier by kind; the other kinds' fields stay.
    TOPC_UA_Variable v;
    v.SetNodeID(QStringLiteral("42"));
    v.SetNodeType(QStringLiteral("String"));
    v.SetNodeID(QStringLiteral("42"));
    EXPECT_EQ(v.numeric, 42u);
    EXPECT_EQ(v.stringname, QStringLiteral("42"));
    v.SetNodeType(QStringLiteral("Numeric"));
    EXPECT_EQ(v.NodeID(), QStringLiteral("42"));
}

TEST(OpcuaClientVariable, AdoptedFromABrowseRecord)
{
    static const char name[] = "Temperature \xB0"
                               "C";
    static const char stringId[] = "ns2.Temp";
    common::opcua_structure r{};
    r.nameSpaceIndex = 65535;
    r.identifierType = 4;
    r.numeric = 3000000000u;
    r.stringname = stringId;
    r.guide1 = 0xA0000001;
    r.guide2 = 0x0B0C;
    r.guide3 = 0x0D0E;
    const std::uint8_t g4[8] = {0xF0, 1, 2, 3, 4, 5, 6, 7};
    std::memcpy(r.guide4, g4, 8);
    r.byteString = nullptr;
    r.displayName = name;
    r.dataType = 10;
    r.accessLevel = 2;
    const auto v = TOPC_UA_Variable::From_Browse_Record(r);
    EXPECT_TRUE(v->Enable());
    EXPECT_EQ(v->DispalyName(), QString::fromUtf8("Temperature \u00b0C"));
    EXPECT_EQ(v->NodeType(), QStringLiteral("Guid"));
    EXPECT_EQ(v->NodeID(), QStringLiteral("A0000001-0B0C-0D0E-F001-020304050607"));
    EXPECT_EQ(v->numeric, 3000000000u);
    EXPECT_EQ(v->stringname, QStringLiteral("ns2.Temp"));
    EXPECT_EQ(v->byteString, QString());
    EXPECT_EQ(v->nameSpaceIndex, 65535);
    EXPECT_EQ(v->VarType(), QStringLiteral("Double"));
    for (const QString& kept :
         {v->OnChange(), v->OnCMD(), v->OnTimer(), v->Time(), v->Position(), v->Mnemonic(), v->ReadWrite()})
        EXPECT_TRUE(kept.isEmpty());
}

TEST(OpcuaClientServer, NewServerIsDisabledAndEmpty)
{
    TOPC_UA_Server s;
    EXPECT_FALSE(s.Enable());
    for (const QString& text : {s.ServerAddress(), s.Authorization(), s.UserName(), s.Password(), s.Certificate(),
                                s.PrivateKey(), s.SecurityType(), s.SecurityPolicy(), s.Mnemonic()})
        EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(s.Var_List_R.empty());
    EXPECT_TRUE(s.Var_List_W.empty());
}

} // namespace
