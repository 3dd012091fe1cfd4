#include "common/UComonTables.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include <cstring>
#include <map>

using namespace common;

TEST(UComonOpcuaRecords, ByteLayoutOfBrowseVariable)
{
    // The library writes the record as raw bytes; read one back field by field.
    const unsigned char raw[56] = {
        0x02, 0x00,             // nameSpaceIndex 2
        0x04, 0x00,             // identifierType 4 (GUID)
        0x78, 0x56, 0x34, 0x12, // numeric
        0x11, 0x00, 0x00, 0x00, // stringname
        0x05, 0x00, 0x00, 0x00, // stringLength
        0xEF, 0xBE, 0xAD, 0xDE, // guide1
        0x34, 0x12,             // guide2
        0x78, 0x56,             // guide3
        1, 2, 3, 4, 5, 6, 7, 8, // guide4
        0x22, 0x00, 0x00, 0x00, // byteString
        0x06, 0x00, 0x00, 0x00, // byteStringLength
        0x33, 0x00, 0x00, 0x00, // displayName
        0x07, 0x00, 0x00, 0x00, // displayNameLength
        0x0E, 0x00, 0x00, 0x00, // dataType 14
        0x02,                   // accessLevel
        0xAA, 0xBB, 0xCC,       // spare
    };
    opcua_structure r;
    std::memcpy(&r, raw, sizeof r);
    EXPECT_EQ(r.nameSpaceIndex, 2);
    EXPECT_EQ(r.identifierType, 4);
    EXPECT_EQ(r.numeric, 0x12345678u);
    EXPECT_EQ(r.stringname, 0x11u);
    EXPECT_EQ(r.stringLength, 5u);
    EXPECT_EQ(r.guide1, 0xDEADBEEFu);
    EXPECT_EQ(r.guide2, 0x1234);
    EXPECT_EQ(r.guide3, 0x5678);
    EXPECT_EQ(r.guide4[7], 8);
    EXPECT_EQ(r.byteString, 0x22u);
    EXPECT_EQ(r.displayName, 0x33u);
    EXPECT_EQ(r.displayNameLength, 7u);
    EXPECT_EQ(r.dataType, 14);
    EXPECT_EQ(r.accessLevel, 2);
    EXPECT_EQ(r.spare[2], 0xCC);
    EXPECT_EQ(NodeId_To_Str(r), "DEADBEEF-1234-5678-0102-030405060708");
}

TEST(UComonOpcuaRecords, ServerRecordAndGuidBytes)
{
    opcua_server_to_discover s{};
    s.server_address = 0x01020304;
    s.user_pass_auth_flag = 1;
    s.security_type = 2;
    s.security_policy = -1;
    unsigned char raw[32];
    std::memcpy(raw, &s, sizeof raw);
    const unsigned char expectStart[8] = {0x04, 0x03, 0x02, 0x01, 0x01, 0x00, 0x00, 0x00};
    EXPECT_EQ(std::memcmp(raw, expectStart, 8), 0);
    EXPECT_EQ(raw[24], 2);
    EXPECT_EQ(raw[28], 0xFF);
    EXPECT_EQ(raw[31], 0xFF);

    const TOPC_UA_Guid g{0x01020304, 0x0506, 0x0708, {9, 10, 11, 12, 13, 14, 15, 16}};
    unsigned char graw[16];
    std::memcpy(graw, &g, sizeof graw);
    const unsigned char expectGuid[16] = {4, 3, 2, 1, 6, 5, 8, 7, 9, 10, 11, 12, 13, 14, 15, 16};
    EXPECT_EQ(std::memcmp(graw, expectGuid, 16), 0);
}

TEST(UComonOpcuaNames, IdentifierTypes)
{
    struct Case {
        int code;
        const char* text;
    } toText[] = {{0, "Numeric"}, {3, "String"}, {4, "Guid"}, {5, "ByteString"},
                  {1, ""}, {2, ""}, {6, ""}, {-1, ""}};
    for (const Case& c : toText)
        EXPECT_EQ(NodeId_Type_To_Str(c.code), c.text) << c.code;

    struct Back {
        const char* text;
        int code;
    } fromText[] = {
        {"Numeric", 0}, {"String", 3}, {"Guid", 4}, {"ByteString", 5},
        {"guid", 4}, {"BYTESTRING", 5}, {"string", 3},
        {" Guid", 0},   // not trimmed
        {"Guid ", 0}, {"", 0}, {"Integer", 0},
    };
    for (const Back& c : fromText)
        EXPECT_EQ(Str_To_NodeId_Type(QString::fromLatin1(c.text)), c.code) << c.text;
}

TEST(UComonOpcuaNames, DataTypes)
{
    const char* names[] = {"Boolean", "Int8", "UInt8", "Int16", "UInt16", "Int32", "UInt32", "Int64",
                           "UInt64", "Float", "Double", "String", "DateTime", "Guid", "ByteString"};
    for (int code = 0; code < 15; ++code)
        EXPECT_EQ(OPCUA_Type_To_Str(code), names[code]) << code;
    EXPECT_EQ(OPCUA_Type_To_Str(15), "");
    EXPECT_EQ(OPCUA_Type_To_Str(-1), "");
}

TEST(UComonOpcuaNames, AuthModeAndPolicyBothWays)
{
    using ToText = QString (*)(int);
    using ToCode = std::uint8_t (*)(const QString&);
    struct Table {
        const char* name;
        ToText toText;
        ToCode toCode;
        std::vector<const char*> texts; // by code; the last also for higher codes
    } tables[] = {
        {"auth", Auth_Type_To_Str, Str_To_Auth_Type, {"Anonymous", "Username and Password", "Certificate"}},
        {"mode", Sec_Mode_To_Str, Str_To_Sec_Mode, {"None", "Sign", "Sign and Encrypt"}},
        {"policy", Sec_Policy_To_Str, Str_To_Sec_Policy,
         {"None", "Basic 128 RSA 15", "Basic 256", "Basic 256 SHA 256", "AES 128 SHA 256 RSA OAEP",
          "AES 256 SHA 256 RSA PSS"}},
    };
    for (const Table& t : tables) {
        const int last = int(t.texts.size()) - 1;
        for (int code = 0; code <= last; ++code) {
            EXPECT_EQ(t.toText(code), t.texts[code]) << t.name << code;
            EXPECT_EQ(t.toCode(QString::fromLatin1(t.texts[code])), code) << t.name << code;
        }
        EXPECT_EQ(t.toText(last + 1), t.texts[last]) << t.name;
        EXPECT_EQ(t.toText(7), t.texts[last]) << t.name;
        EXPECT_EQ(t.toText(-1), t.texts[last]) << t.name;
        // Exact comparison: other case, blanks or unknown texts give the last code.
        EXPECT_EQ(t.toCode(QString::fromLatin1(t.texts[0]).toLower()), last) << t.name;
        EXPECT_EQ(t.toCode(QLatin1Char(' ') + QString::fromLatin1(t.texts[1])), last) << t.name;
        EXPECT_EQ(t.toCode(""), last) << t.name;
    }
    EXPECT_EQ(Str_To_Sec_Policy("basic 256"), 5);
    EXPECT_EQ(Sec_Mode_To_Str(7), "Sign and Encrypt");
}

TEST(UComonOpcuaNames, NodeIdAsText)
{
    // Addresses stand for texts held by the library; the reader resolves them.
    const std::map<Ptr32, QByteArray> texts = {
        {0x100, QByteArray("Temperature")},
        {0x200, QByteArray("Caf\xE9\0tail", 9)},   // ANSI, cut at the terminator
        {0x300, QByteArray("\x80 5")},
    };
    const OpcuaTextReader reader = [&](Ptr32 a) {
        const auto it = texts.find(a);
        return it == texts.end() ? QByteArray() : it->second;
    };

    struct Case {
        std::uint16_t type;
        std::uint32_t numeric;
        Ptr32 stringname;
        Ptr32 byteString;
        std::uint32_t g1;
        std::uint16_t g2, g3;
        std::uint8_t g4[8];
        QString expected;
    } cases[] = {
        {0, 4294967295u, 0x100, 0x200, 0, 0, 0, {}, "4294967295"},
        {0, 0, 0, 0, 0, 0, 0, {}, "0"},
        {3, 7, 0x100, 0x200, 0, 0, 0, {}, "Temperature"},
        {3, 7, 0x200, 0, 0, 0, 0, {}, QString::fromUtf8("Caf\u00e9")},
        {3, 7, 0x999, 0, 0, 0, 0, {}, ""},  // unreadable text
        {5, 7, 0x100, 0x300, 0, 0, 0, {}, QString::fromUtf8("\u20ac 5")},
        {4, 0, 0, 0, 1, 0, 0, {}, "00000001-0000-0000-0000-000000000000"},
        {4, 0, 0, 0, 0xABCDEF01, 0x0A0B, 0xFFFF, {0xC0, 0x0F, 0, 1, 0x2A, 0xB3, 0xCD, 0xEE},
         "ABCDEF01-0A0B-FFFF-C00F-00012AB3CDEE"},
        {1, 7, 0x100, 0x300, 0, 0, 0, {}, ""},
        {6, 7, 0x100, 0x300, 0, 0, 0, {}, ""},
    };
    for (const Case& c : cases) {
        opcua_structure r{};
        r.identifierType = c.type;
        r.numeric = c.numeric;
        r.stringname = c.stringname;
        r.byteString = c.byteString;
        r.guide1 = c.g1;
        r.guide2 = c.g2;
        r.guide3 = c.g3;
        std::memcpy(r.guide4, c.g4, 8);
        EXPECT_EQ(NodeId_To_Str(r, reader), c.expected) << c.expected.toStdString();
    }
}

TEST(UComonSnmp, CheckOidResults)
{
    const QString sixtyOne = QString("1.").repeated(30) + "1";  // 61 characters
    ASSERT_EQ(sixtyOne.size(), 61);
    struct Case {
        QString text;
        int result;
    } cases[] = {
        {"1.3.6.1.4.1", OID_OK},
        {"1", OID_OK},                                      // a single number needs no dot
        {"1.3.6.1.4.1.4294967295", OID_OK},
        {"0.0", OID_OK},
        {"1.00000000000000000000004294967295", OID_OK},    // leading zeros are fine
        {sixtyOne, OID_OK},
        {sixtyOne + "1", OID_TOO_LONG},
        {QString(70, 'a'), OID_TOO_LONG},                   // length is tested first
        {"1.3a", OID_BAD_CHARACTER},
        {"1.3 ", OID_BAD_CHARACTER},                        // no trimming
        {" 1.3", OID_BAD_CHARACTER},
        {".1.3a", OID_BAD_CHARACTER},                       // characters before the dots
        {"1,3", OID_BAD_CHARACTER},
        {"-1.3", OID_BAD_CHARACTER},
        {"", OID_BAD_CHARACTER},
        {".1.3", OID_STARTS_WITH_DOT},
        {".", OID_STARTS_WITH_DOT},
        {"..", OID_STARTS_WITH_DOT},
        {"1.3.", OID_ENDS_WITH_DOT},
        {"1..3", OID_DOUBLE_DOT},
        {"1.3...6", OID_DOUBLE_DOT},
        {"1.3.6.1.4.1.4294967296", OID_NUMBER_TOO_BIG},
        {"99999999999999999999999.1", OID_NUMBER_TOO_BIG}, // too long to read
        {"4294967296", OID_NUMBER_TOO_BIG},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Check_OID(c.text), c.result) << '"' << c.text.toStdString() << '"';
}

TEST(UComonSnmp, SecurityLevel)
{
    struct Case {
        const char* text;
        int level;
    } cases[] = {
        {"NoAuth NoPriv", 0}, {"Auth NoPriv", 1}, {"Auth Priv", 3},
        {" auth priv ", 3}, {"AUTH NOPRIV", 1}, {"\tAuth NoPriv\r\n", 1},
        {"", -1}, {"   ", -1},
        {"Auth  Priv", 0}, {"Priv", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Str_To_SNMP_Sec_Level(QString::fromLatin1(c.text)), c.level) << '"' << c.text << '"';
}
