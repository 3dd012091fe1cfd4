#include "common/UComonTables.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include <cstring>
#include <map>

using namespace common;

namespace {

using opcua_layout::at;

// Little-endian bytes of a value at an offset of a raw record, as the library writes them.
template <typename T>
void put(unsigned char* raw, std::size_t offset, T value)
{
    for (std::size_t i = 0; i < sizeof(T); ++i)
        raw[offset + i] = static_cast<unsigned char>((std::uint64_t(value) >> (8 * i)) & 0xFF);
}

} // namespace

TEST(UComonOpcuaRecords, ByteLayoutOfBrowseVariable)
{
    // The library writes the record as raw bytes of this build's layout; read one back field
    // by field (on a 32-bit build the offsets are the published ones).
    static const char name[] = "Temperature";
    static const char bytes[] = "\x01\x02";
    unsigned char raw[sizeof(opcua_structure)] = {};
    put<std::uint16_t>(raw, 0, 2);
    put<std::uint16_t>(raw, 2, 4);
    put<std::uint32_t>(raw, 4, 0x12345678);
    put<std::uintptr_t>(raw, 8, reinterpret_cast<std::uintptr_t>(name));
    put<std::uint32_t>(raw, at(12, 16), 5);
    put<std::uint32_t>(raw, at(16, 20), 0xDEADBEEF);
    put<std::uint16_t>(raw, at(20, 24), 0x1234);
    put<std::uint16_t>(raw, at(22, 26), 0x5678);
    for (int i = 0; i < 8; ++i)
        raw[at(24, 28) + std::size_t(i)] = static_cast<unsigned char>(i + 1);
    put<std::uintptr_t>(raw, at(32, 40), reinterpret_cast<std::uintptr_t>(bytes));
    put<std::uint32_t>(raw, at(36, 48), 6);
    put<std::uintptr_t>(raw, at(40, 56), reinterpret_cast<std::uintptr_t>(name));
    put<std::uint32_t>(raw, at(44, 64), 7);
    put<std::int32_t>(raw, at(48, 68), 14);
    raw[at(52, 72)] = 2;
    raw[at(53, 73) + 2] = 0xCC;
    opcua_structure r;
    std::memcpy(&r, raw, sizeof r);
    EXPECT_EQ(r.nameSpaceIndex, 2);
    EXPECT_EQ(r.identifierType, 4);
    EXPECT_EQ(r.numeric, 0x12345678u);
    EXPECT_EQ(r.stringname, name);
    EXPECT_EQ(r.stringLength, 5u);
    EXPECT_EQ(r.guide1, 0xDEADBEEFu);
    EXPECT_EQ(r.guide2, 0x1234);
    EXPECT_EQ(r.guide3, 0x5678);
    EXPECT_EQ(r.guide4[7], 8);
    EXPECT_EQ(r.byteString, bytes);
    EXPECT_EQ(r.displayName, name);
    EXPECT_EQ(r.displayNameLength, 7u);
    EXPECT_EQ(r.dataType, 14);
    EXPECT_EQ(r.accessLevel, 2);
    EXPECT_EQ(r.spare[2], 0xCC);
    EXPECT_EQ(NodeId_To_Str(r), "DEADBEEF-1234-5678-0102-030405060708");
}

TEST(UComonOpcuaRecords, ServerRecordAndGuidBytes)
{
    static const char address[] = "opc.tcp://127.0.0.1:4840";
    opcua_server_to_discover s{};
    s.server_address = address;
    s.user_pass_auth_flag = 1;
    s.security_type = 2;
    s.security_policy = -1;
    unsigned char raw[sizeof s];
    std::memcpy(raw, &s, sizeof raw);
    unsigned char expectStart[sizeof(void*) + 4] = {};
    put<std::uintptr_t>(expectStart, 0, reinterpret_cast<std::uintptr_t>(address));
    put<std::int32_t>(expectStart, sizeof(void*), 1);
    EXPECT_EQ(std::memcmp(raw, expectStart, sizeof expectStart), 0);
    EXPECT_EQ(raw[at(24, 48)], 2);
    EXPECT_EQ(raw[at(28, 52)], 0xFF);
    EXPECT_EQ(raw[at(31, 55)], 0xFF);

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
    } toText[] = {{0, "Numeric"}, {3, "String"}, {4, "Guid"}, {5, "ByteString"}, {1, ""}, {2, ""}, {6, ""}, {-1, ""}};
    for (const Case& c : toText)
        EXPECT_EQ(NodeId_Type_To_Str(c.code), c.text) << c.code;

    struct Back {
        const char* text;
        int code;
    } fromText[] = {
        {"Numeric", 0}, {"String", 3},     {"Guid", 4},    {"ByteString", 5},
        {"guid", 4},    {"BYTESTRING", 5}, {"string", 3},  {" Guid", 0}, // not trimmed
        {"Guid ", 0},   {"", 0},           {"Integer", 0},
    };
    for (const Back& c : fromText)
        EXPECT_EQ(Str_To_NodeId_Type(QString::fromLatin1(c.text)), c.code) << c.text;
}

TEST(UComonOpcuaNames, DataTypes)
{
    const char* names[] = {"Boolean", "Int8",  "UInt8",  "Int16",  "UInt16",   "Int32", "UInt32",    "Int64",
                           "UInt64",  "Float", "Double", "String", "DateTime", "Guid",  "ByteString"};
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
        {"policy",
         Sec_Policy_To_Str,
         Str_To_Sec_Policy,
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
    // Texts held by the library, in the ANSI code page.
    static const char temperature[] = "Temperature";
    static const char cafe[] = "Caf\xE9";
    static const char euro[] = "\x80 5";

    struct Case {
        std::uint16_t type;
        std::uint32_t numeric;
        const char* stringname;
        const char* byteString;
        std::uint32_t g1;
        std::uint16_t g2, g3;
        std::uint8_t g4[8];
        QString expected;
    } cases[] = {
        {0, 4294967295u, temperature, cafe, 0, 0, 0, {}, "4294967295"},
        {0, 0, nullptr, nullptr, 0, 0, 0, {}, "0"},
        {3, 7, temperature, cafe, 0, 0, 0, {}, "Temperature"},
        {3, 7, cafe, nullptr, 0, 0, 0, {}, QString::fromUtf8("Caf\u00e9")},
        {3, 7, nullptr, temperature, 0, 0, 0, {}, ""}, // no text
        {5, 7, temperature, euro, 0, 0, 0, {}, QString::fromUtf8("\u20ac 5")},
        {5, 7, temperature, nullptr, 0, 0, 0, {}, ""},
        {4, 0, nullptr, nullptr, 1, 0, 0, {}, "00000001-0000-0000-0000-000000000000"},
        {4,
         0,
         nullptr,
         nullptr,
         0xABCDEF01,
         0x0A0B,
         0xFFFF,
         {0xC0, 0x0F, 0, 1, 0x2A, 0xB3, 0xCD, 0xEE},
         "ABCDEF01-0A0B-FFFF-C00F-00012AB3CDEE"},
        {1, 7, temperature, euro, 0, 0, 0, {}, ""},
        {6, 7, temperature, euro, 0, 0, 0, {}, ""},
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
        EXPECT_EQ(NodeId_To_Str(r), c.expected) << c.expected.toStdString();
    }
}

TEST(UComonSnmp, CheckOidResults)
{
    const QString sixtyOne = QString("1.").repeated(30) + "1"; // 61 characters
    ASSERT_EQ(sixtyOne.size(), 61);
    struct Case {
        QString text;
        int result;
    } cases[] = {
        {"1.3.6.1.4.1", OID_OK},
        {"1", OID_OK}, // a single number needs no dot
        {"1.3.6.1.4.1.4294967295", OID_OK},
        {"0.0", OID_OK},
        {"1.00000000000000000000004294967295", OID_OK}, // leading zeros are fine
        {sixtyOne, OID_OK},
        {sixtyOne + "1", OID_TOO_LONG},
        {QString(70, 'a'), OID_TOO_LONG}, // length is tested first
        {"1.3a", OID_BAD_CHARACTER},
        {"1.3 ", OID_BAD_CHARACTER}, // no trimming
        {" 1.3", OID_BAD_CHARACTER},
        {".1.3a", OID_BAD_CHARACTER}, // characters before the dots
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
        {"NoAuth NoPriv", 0},     {"Auth NoPriv", 1}, {"Auth Priv", 3}, {" auth priv ", 3}, {"AUTH NOPRIV", 1},
        {"\tAuth NoPriv\r\n", 1}, {"", -1},           {"   ", -1},      {"Auth  Priv", 0},  {"Priv", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Str_To_SNMP_Sec_Level(QString::fromLatin1(c.text)), c.level) << '"' << c.text << '"';
}
