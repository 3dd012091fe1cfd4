#pragma once
// The kinds of column the serial and TCP Modbus master tables are made of, and their pick
// lists.

#include "tables/UTableWindow.h"

#include <string_view>

namespace ethernet::modbus_columns {

inline constexpr std::string_view kRead_Types[] = {"Coil Status", "Input Status", "Holding Register", "Input Register"};
inline constexpr std::string_view kWrite_Types[] = {"Coil Status", "Holding Register"};
inline constexpr std::string_view kStart_Bits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};

// The row number.
constexpr tables::TColumn Number(int header)
{
    return {.header = header, .width = 30};
}

// A typed cell whose attribute every row must have.
constexpr tables::TColumn Text(int header, int hint, int width, const char* attr)
{
    return {.header = header, .hint = hint, .width = width, .attr = attr, .missing = tables::TMissing::Required};
}

// A check box: "Y" or "N"; missing gives missingText, or is refused when that is nullptr.
constexpr tables::TColumn Check(int header, int hint, int width, const char* attr, const char* missingText)
{
    return {.header = header,
            .hint = hint,
            .width = width,
            .editor = grid::edDataCheckBox,
            .attr = attr,
            .missing = missingText ? tables::TMissing::Text : tables::TMissing::Required,
            .missingText = missingText ? missingText : "",
            .centred = true};
}

// A pick list whose attribute every row must have.
constexpr tables::TColumn Pick(int header, int hint, int width, const char* attr,
                               std::span<const std::string_view> items)
{
    return {.header = header,
            .hint = hint,
            .width = width,
            .editor = grid::edComboList,
            .items = items,
            .attr = attr,
            .missing = tables::TMissing::Required};
}

// The positions "0" .. size - 1 of a data array, rebuilt at every show.
constexpr tables::TColumn Position(int header, int hint, int size, const char* attr)
{
    return {.header = header,
            .hint = hint,
            .width = 60,
            .editor = grid::edComboList,
            .positions = size,
            .attr = attr,
            .missing = tables::TMissing::Required,
            .positionsNone = false};
}

// The Topic column: a pick list of the publish topics; a missing attribute leaves it empty.
constexpr tables::TColumn Topic(int header, int hint)
{
    return {.header = header, .hint = hint, .width = 90, .editor = grid::edComboList, .attr = "Index_Topic"};
}

} // namespace ethernet::modbus_columns
