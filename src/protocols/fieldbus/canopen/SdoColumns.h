#pragma once
// What the SDO server and client tables share: the column colours, the rule of an N Byte
// cell and the address rules that follow it.

#include "tables/UTableWindow.h"

#include <string_view>

namespace fieldbus {

inline constexpr platform::TColor kSdoIdColour = tables::Rgb(0xE0, 0xFA, 0xFE);
inline constexpr platform::TColor kSdoAddressColour = tables::Rgb(0xFC, 0xD6, 0xF4);
inline constexpr platform::TColor kSdoTimeColour = tables::Rgb(0xA8, 0xFF, 0xA8);
inline constexpr platform::TColor kSdoWhite = tables::Rgb(0xFF, 0xFF, 0xFF);

// Every attribute of the SDO files is required.
constexpr tables::TColumn Sdo_Text(int header, int hint, int width, platform::TColor colour, const char* attr)
{
    return {header, hint, width, colour, grid::edNormal, {}, 0, attr, tables::TMissing::Required};
}

// An object is 1, 2 or 4 bytes long, read as a number so "0x4" counts as 4.
inline constexpr std::string_view kNByteCheck = "n_byte";
void Plug_NByte_Check(tables::TRuleRun& run);

// Address byte k of an object, checked against the array's size. Byte 1 always; byte 2 for
// N Byte 2 or 4, bytes 3 and 4 for N Byte 4: the N Byte rule runs first, so "at least k"
// says the same.
constexpr tables::TRowRule Sdo_Address_Rule(int column, int k, int text, int size)
{
    return {.column = column,
            .check = "range",
            .min = 0,
            .max = size - 1,
            .text = text,
            .withMax = true,
            .when = k == 1 ? std::string_view{} : tables::kByteWhen[k - 1]};
}

} // namespace fieldbus
