#pragma once
// The records exchanged with the OPC UA browse library "OPC_UA_Search" and the GUID record of a
// node identifier. This header is the library's contract: it holds nothing but the C layouts
// and the two entry points, so a library for this platform is built against it as it stands.
//
// The records follow the build's own C layout. A 4-byte address cannot carry a pointer of a
// 64-bit process, so the texts are native pointers to zero-terminated 8-bit texts in the
// system ANSI code page; on a 32-bit build that makes the layout the library has always had,
// byte for byte, and the asserts below hold it there.

#include <cstddef>
#include <cstdint>

namespace common {

struct opcua_structure {
    std::uint16_t nameSpaceIndex;
    std::uint16_t identifierType; // 0 numeric, 3 string, 4 GUID, 5 byte string
    std::uint32_t numeric;
    const char* stringname;
    std::uint32_t stringLength;
    std::uint32_t guide1;
    std::uint16_t guide2;
    std::uint16_t guide3;
    std::uint8_t guide4[8];
    const char* byteString;
    std::uint32_t byteStringLength;
    const char* displayName;
    std::uint32_t displayNameLength;
    std::int32_t dataType;    // OPCUA_Type_To_Str code 0..14
    std::uint8_t accessLevel; // bit 0 readable, bit 1 writable; 0 both
    std::uint8_t spare[3];
};

struct opcua_server_to_discover {
    const char* server_address;
    std::int32_t user_pass_auth_flag; // Str_To_Auth_Type code
    const char* username;
    const char* password;
    const char* cert;
    const char* priv_key;
    std::int32_t security_type;   // Str_To_Sec_Mode code
    std::int32_t security_policy; // Str_To_Sec_Policy code
};

struct TOPC_UA_Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};

// Both exports use the C calling convention; the server record is passed by value.
extern "C" {
using opcua_client_begin_fn = std::int32_t (*)(opcua_server_to_discover server);
using opcua_return_variable_fn = std::int32_t (*)(opcua_structure* record, std::int32_t index);
}

// ---- Layout --------------------------------------------------------------------------------
// Offsets for the build's pointer size: the 32-bit column is the library's published layout;
// the 64-bit column is the same field order with each pointer on its natural 8-byte place.
namespace opcua_layout {
inline constexpr bool kNarrow = sizeof(void*) == 4;
constexpr std::size_t at(std::size_t narrow, std::size_t wide)
{
    return kNarrow ? narrow : wide;
}
} // namespace opcua_layout

static_assert(sizeof(void*) == 4 || sizeof(void*) == 8);

static_assert(sizeof(opcua_structure) == opcua_layout::at(56, 80));
static_assert(offsetof(opcua_structure, nameSpaceIndex) == 0);
static_assert(offsetof(opcua_structure, identifierType) == 2);
static_assert(offsetof(opcua_structure, numeric) == 4);
static_assert(offsetof(opcua_structure, stringname) == 8);
static_assert(offsetof(opcua_structure, stringLength) == opcua_layout::at(12, 16));
static_assert(offsetof(opcua_structure, guide1) == opcua_layout::at(16, 20));
static_assert(offsetof(opcua_structure, guide2) == opcua_layout::at(20, 24));
static_assert(offsetof(opcua_structure, guide3) == opcua_layout::at(22, 26));
static_assert(offsetof(opcua_structure, guide4) == opcua_layout::at(24, 28));
static_assert(offsetof(opcua_structure, byteString) == opcua_layout::at(32, 40));
static_assert(offsetof(opcua_structure, byteStringLength) == opcua_layout::at(36, 48));
static_assert(offsetof(opcua_structure, displayName) == opcua_layout::at(40, 56));
static_assert(offsetof(opcua_structure, displayNameLength) == opcua_layout::at(44, 64));
static_assert(offsetof(opcua_structure, dataType) == opcua_layout::at(48, 68));
static_assert(offsetof(opcua_structure, accessLevel) == opcua_layout::at(52, 72));
static_assert(offsetof(opcua_structure, spare) == opcua_layout::at(53, 73));

static_assert(sizeof(opcua_server_to_discover) == opcua_layout::at(32, 56));
static_assert(offsetof(opcua_server_to_discover, server_address) == 0);
static_assert(offsetof(opcua_server_to_discover, user_pass_auth_flag) == opcua_layout::at(4, 8));
static_assert(offsetof(opcua_server_to_discover, username) == opcua_layout::at(8, 16));
static_assert(offsetof(opcua_server_to_discover, password) == opcua_layout::at(12, 24));
static_assert(offsetof(opcua_server_to_discover, cert) == opcua_layout::at(16, 32));
static_assert(offsetof(opcua_server_to_discover, priv_key) == opcua_layout::at(20, 40));
static_assert(offsetof(opcua_server_to_discover, security_type) == opcua_layout::at(24, 48));
static_assert(offsetof(opcua_server_to_discover, security_policy) == opcua_layout::at(28, 52));

static_assert(sizeof(TOPC_UA_Guid) == 16);
static_assert(offsetof(TOPC_UA_Guid, data2) == 4);
static_assert(offsetof(TOPC_UA_Guid, data3) == 6);
static_assert(offsetof(TOPC_UA_Guid, data4) == 8);

} // namespace common
