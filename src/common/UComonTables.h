#pragma once
// The vocabulary the OPC UA and SNMP tables share: the records exchanged with the OPC UA browse
// library "OPC_UA_Search", the GUID record of a node identifier, the texts shown for OPC UA
// identifier types, data types, authentication kinds, security modes and policies with their
// reverse lookups, the SNMP object identifier test and the SNMP security level.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>

namespace common {

// ---- Records shared with the browse library ------------------------------------------------
// The library was built as a 32-bit program and its records keep that layout on every build:
// little-endian, packed as listed, and each text a 4-byte address of a zero-terminated 8-bit
// text in the system ANSI code page. Such an address is only a pointer inside a 32-bit
// process; elsewhere whoever bridges to the library says what an address designates
// (OpcuaTextReader).
using Ptr32 = std::uint32_t;

struct opcua_structure {
    std::uint16_t nameSpaceIndex;
    std::uint16_t identifierType; // 0 numeric, 3 string, 4 GUID, 5 byte string
    std::uint32_t numeric;
    Ptr32 stringname;
    std::uint32_t stringLength;
    std::uint32_t guide1;
    std::uint16_t guide2;
    std::uint16_t guide3;
    std::uint8_t guide4[8];
    Ptr32 byteString;
    std::uint32_t byteStringLength;
    Ptr32 displayName;
    std::uint32_t displayNameLength;
    std::int32_t dataType;     // OPCUA_Type_To_Str code 0..14
    std::uint8_t accessLevel;  // bit 0 readable, bit 1 writable
    std::uint8_t spare[3];
};

struct opcua_server_to_discover {
    Ptr32 server_address;
    std::int32_t user_pass_auth_flag; // Str_To_Auth_Type code
    Ptr32 username;
    Ptr32 password;
    Ptr32 cert;
    Ptr32 priv_key;
    std::int32_t security_type;   // Str_To_Sec_Mode code
    std::int32_t security_policy; // Str_To_Sec_Policy code
};

struct TOPC_UA_Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};

static_assert(sizeof(opcua_structure) == 56);
static_assert(offsetof(opcua_structure, nameSpaceIndex) == 0);
static_assert(offsetof(opcua_structure, identifierType) == 2);
static_assert(offsetof(opcua_structure, numeric) == 4);
static_assert(offsetof(opcua_structure, stringname) == 8);
static_assert(offsetof(opcua_structure, stringLength) == 12);
static_assert(offsetof(opcua_structure, guide1) == 16);
static_assert(offsetof(opcua_structure, guide2) == 20);
static_assert(offsetof(opcua_structure, guide3) == 22);
static_assert(offsetof(opcua_structure, guide4) == 24);
static_assert(offsetof(opcua_structure, byteString) == 32);
static_assert(offsetof(opcua_structure, byteStringLength) == 36);
static_assert(offsetof(opcua_structure, displayName) == 40);
static_assert(offsetof(opcua_structure, displayNameLength) == 44);
static_assert(offsetof(opcua_structure, dataType) == 48);
static_assert(offsetof(opcua_structure, accessLevel) == 52);
static_assert(offsetof(opcua_structure, spare) == 53);

static_assert(sizeof(opcua_server_to_discover) == 32);
static_assert(offsetof(opcua_server_to_discover, server_address) == 0);
static_assert(offsetof(opcua_server_to_discover, user_pass_auth_flag) == 4);
static_assert(offsetof(opcua_server_to_discover, username) == 8);
static_assert(offsetof(opcua_server_to_discover, password) == 12);
static_assert(offsetof(opcua_server_to_discover, cert) == 16);
static_assert(offsetof(opcua_server_to_discover, priv_key) == 20);
static_assert(offsetof(opcua_server_to_discover, security_type) == 24);
static_assert(offsetof(opcua_server_to_discover, security_policy) == 28);

static_assert(sizeof(TOPC_UA_Guid) == 16);
static_assert(offsetof(TOPC_UA_Guid, data2) == 4);
static_assert(offsetof(TOPC_UA_Guid, data3) == 6);
static_assert(offsetof(TOPC_UA_Guid, data4) == 8);

// Both exports use the C calling convention.
extern "C" {
using opcua_client_begin_fn = std::int32_t (*)(opcua_server_to_discover server);
using opcua_return_variable_fn = std::int32_t (*)(opcua_structure* record, std::int32_t index);
}

// The zero-terminated text an address designates, without its terminator; empty for address 0
// or a text that cannot be read.
using OpcuaTextReader = std::function<QByteArray(Ptr32 address)>;
// Reads addresses as pointers of this process: right in a 32-bit process; in a wider one no
// address can be read and every text is empty.
QByteArray nativeOpcuaText(Ptr32 address);

// ---- OPC UA name tables --------------------------------------------------------------------
struct OpcuaName {
    int code;
    const char* text;
};
inline constexpr OpcuaName kNodeIdTypeNames[] = {
    {0, "Numeric"}, {3, "String"}, {4, "Guid"}, {5, "ByteString"},
};
// Indexed by data-type code.
inline constexpr const char* kOpcuaTypeNames[] = {
    "Boolean", "Int8", "UInt8", "Int16", "UInt16", "Int32", "UInt32", "Int64",
    "UInt64", "Float", "Double", "String", "DateTime", "Guid", "ByteString",
};
// Indexed by code; the last entry also stands for every higher code and unknown text.
inline constexpr const char* kAuthTypeNames[] = {"Anonymous", "Username and Password", "Certificate"};
inline constexpr const char* kSecModeNames[] = {"None", "Sign", "Sign and Encrypt"};
inline constexpr const char* kSecPolicyNames[] = {
    "None", "Basic 128 RSA 15", "Basic 256", "Basic 256 SHA 256", "AES 128 SHA 256 RSA OAEP",
    "AES 256 SHA 256 RSA PSS",
};

// "Numeric", "String", "Guid", "ByteString" for 0, 3, 4, 5; empty for any other type.
QString NodeId_Type_To_Str(int identifierType);
// Upper-cased (not trimmed) "NUMERIC", "STRING", "GUID", "BYTESTRING" give 0, 3, 4, 5; any
// other text 0.
std::uint8_t Str_To_NodeId_Type(const QString& text);

// The record's node identifier: numeric as unsigned decimal, string and byte-string texts
// (ANSI) through reader, the GUID as 8-4-4-4-12 upper-case hexadecimal digits, empty for any
// other type.
QString NodeId_To_Str(const opcua_structure& record, const OpcuaTextReader& reader = nativeOpcuaText);

// Data type names of codes 0..14; empty for any other code.
QString OPCUA_Type_To_Str(int dataType);

// To-text lookups give the last entry for every code past the first ones; from-text lookups
// compare exactly (case-sensitive, untrimmed) and give the last code for any unknown text.
QString Auth_Type_To_Str(int code);
std::uint8_t Str_To_Auth_Type(const QString& text);
QString Sec_Mode_To_Str(int code);
std::uint8_t Str_To_Sec_Mode(const QString& text);
QString Sec_Policy_To_Str(int code);
std::uint8_t Str_To_Sec_Policy(const QString& text);

// ---- SNMP ----------------------------------------------------------------------------------
// Result codes of Check_OID, in the order the tests run.
enum OidCheck : std::uint8_t {
    OID_OK = 0,
    OID_TOO_LONG = 1,        // more than 61 characters
    OID_BAD_CHARACTER = 2,   // a character other than "." and 0..9 (also the empty text)
    OID_STARTS_WITH_DOT = 3,
    OID_ENDS_WITH_DOT = 4,
    OID_DOUBLE_DOT = 5,
    OID_NUMBER_TOO_BIG = 6,  // a component above 4294967295
};
inline constexpr int kMaxOidLength = 61;

std::uint8_t Check_OID(const QString& text);

// Upper-cased and trimmed: "AUTH NOPRIV" 1, "AUTH PRIV" 3 (bit 0 authentication, bit 1
// privacy), the empty text -1 (no level chosen), anything else 0 ("NoAuth NoPriv" included).
std::int8_t Str_To_SNMP_Sec_Level(const QString& text);

} // namespace common
