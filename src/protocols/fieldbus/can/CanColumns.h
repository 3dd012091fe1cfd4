#pragma once
// What the receive and transmit CAN tables share: the identifier types, the column colours,
// the byte-position columns and the row conditions their rules name.

#include "tables/UTableWindow.h"

#include <array>
#include <string_view>

namespace fieldbus {

inline constexpr std::string_view kCan_11_Bits = "2.0A (11 bits)";
inline constexpr std::string_view kCanTypes[] = {kCan_11_Bits, "2.0B (29 bits)"};

inline constexpr platform::TColor kCanEnableColour = tables::Rgb(0xFF, 0xD8, 0xB0);
inline constexpr platform::TColor kCanIdColour = tables::Rgb(0xE0, 0xFA, 0xFE);
inline constexpr platform::TColor kCanTimeColour = tables::Rgb(0xA8, 0xFF, 0xA8);
inline constexpr platform::TColor kCanByteColour = tables::Rgb(0xFC, 0xD6, 0xF4);

// A data byte's column: a pick list of "None" and the array's positions.
constexpr tables::TColumn Can_Byte_Column(int header, int hint, int positions, const char* attr, int width = 55)
{
    return {header, hint, width, kCanByteColour, grid::edComboList, {}, positions, attr};
}

// "11_bits" where the Type cell, trimmed, is the 11-bit type; "29_bits" for any other Type
// (an empty one included); "byte1" .. "byte8" within the Dimension.
constexpr std::array<tables::TCondition, 10> Can_Conditions(int typeColumn, int dimensionColumn)
{
    std::array<tables::TCondition, 10> conditions{};
    conditions[0] = {"11_bits", tables::TCondition::Is, typeColumn, kCan_11_Bits};
    conditions[1] = {"29_bits", tables::TCondition::IsNot, typeColumn, kCan_11_Bits};
    const auto bytes = tables::Byte_Conditions(dimensionColumn);
    for (size_t k = 0; k < bytes.size(); ++k)
        conditions[k + 2] = bytes[k];
    return conditions;
}

} // namespace fieldbus
