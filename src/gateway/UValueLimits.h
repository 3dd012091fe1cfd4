#pragma once
// The bounds of the values that reach the device: the configuration windows refuse a value
// outside them on OK, and the image builder refuses the same value again when a hand-edited
// file holds it, so the two can never disagree about what the gateway may be sent.

namespace gateway {

struct TValue_Range {
    int min;
    int max;
    constexpr bool contains(long long v) const { return v >= min && v <= max; }
};

namespace limits {
// Address, mask, gateway and DNS server bytes of the communication settings.
inline constexpr TValue_Range Octet{0, 255};
// DeviceNet slave IDs; ID 0 is the master's own and refused besides.
inline constexpr TValue_Range DNet_ID{0, 63};
inline constexpr int DNet_Master_ID = 0;
// Input and output bytes of one slave as typed; the image's maps allow fewer (below).
inline constexpr TValue_Range DNet_Byte_Count{0, 65535};
// IO-Link process data and variable lengths, in bits.
inline constexpr TValue_Range IOLink_Length{1, 256};
inline constexpr TValue_Range IOLink_Index{60, 65535};
inline constexpr TValue_Range IOLink_Unit_Code{1000, 65535};
// A start bit inside a byte: the items of the start-bit pick lists.
inline constexpr TValue_Range Start_Bit{0, 7};
// Positions a DeviceNet byte may take in the IO-Link byte array: the offset pick lists
// offer "None" and these.
inline constexpr TValue_Range DNet_Offset{0, 1439};
} // namespace limits

} // namespace gateway
