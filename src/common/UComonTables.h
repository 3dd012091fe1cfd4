#pragma once
// The vocabulary the OPC UA and SNMP tables share: the records exchanged with the OPC UA browse
// library "OPC_UA_Search", the GUID record of a node identifier, the texts shown for OPC UA
// identifier types, data types, authentication kinds, security modes and policies with their
// reverse lookups, the SNMP object identifier test and the SNMP security level.

#include "common/OpcuaRecords.h"

#include <QString>

#include <cstdint>

namespace common {

// ---- OPC UA name tables --------------------------------------------------------------------
struct OpcuaName {
    int code;
    const char* text;
};
inline constexpr OpcuaName kNodeIdTypeNames[] = {
    {0, "Numeric"},
    {3, "String"},
    {4, "Guid"},
    {5, "ByteString"},
};
// Indexed by data-type code.
inline constexpr const char* kOpcuaTypeNames[] = {
    "Boolean", "Int8",  "UInt8",  "Int16",  "UInt16",   "Int32", "UInt32",     "Int64",
    "UInt64",  "Float", "Double", "String", "DateTime", "Guid",  "ByteString",
};
// Indexed by code; the last entry also stands for every higher code and unknown text.
inline constexpr const char* kAuthTypeNames[] = {"Anonymous", "Username and Password", "Certificate"};
inline constexpr const char* kSecModeNames[] = {"None", "Sign", "Sign and Encrypt"};
inline constexpr const char* kSecPolicyNames[] = {
    "None", "Basic 128 RSA 15", "Basic 256", "Basic 256 SHA 256", "AES 128 SHA 256 RSA OAEP", "AES 256 SHA 256 RSA PSS",
};

// "Numeric", "String", "Guid", "ByteString" for 0, 3, 4, 5; empty for any other type.
QString NodeId_Type_To_Str(int identifierType);
// Upper-cased (not trimmed) "NUMERIC", "STRING", "GUID", "BYTESTRING" give 0, 3, 4, 5; any
// other text 0.
std::uint8_t Str_To_NodeId_Type(const QString& text);

// The record's node identifier: numeric as unsigned decimal, the string and byte-string texts
// it points to (ANSI; empty for none), the GUID as 8-4-4-4-12 upper-case hexadecimal digits,
// empty for any other type.
QString NodeId_To_Str(const opcua_structure& record);

// A text a browse record points to, from the ANSI code page; empty for none.
QString Opcua_Text(const char* text);

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
    OID_TOO_LONG = 1,      // more than 61 characters
    OID_BAD_CHARACTER = 2, // a character other than "." and 0..9 (also the empty text)
    OID_STARTS_WITH_DOT = 3,
    OID_ENDS_WITH_DOT = 4,
    OID_DOUBLE_DOT = 5,
    OID_NUMBER_TOO_BIG = 6, // a component above 4294967295
};
inline constexpr int kMaxOidLength = 61;

std::uint8_t Check_OID(const QString& text);

// Upper-cased and trimmed: "AUTH NOPRIV" 1, "AUTH PRIV" 3 (bit 0 authentication, bit 1
// privacy), the empty text -1 (no level chosen), anything else 0 ("NoAuth NoPriv" included).
std::int8_t Str_To_SNMP_Sec_Level(const QString& text);

} // namespace common
