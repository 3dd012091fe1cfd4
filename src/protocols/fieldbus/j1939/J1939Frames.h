#pragma once
// What the J1939 and NMEA 2000 tables share. Both name parameter groups by PGN and source
// address, have no enable column (the untrimmed PGN is the key: a PGN of blanks is a row to
// check, not the end of the table), and keep the data bytes of all rows within the gateway's
// input or output size. NMEA 2000 runs on J1939's parameter groups and transport protocol, so
// its tables take these pieces from here.
//
// A receive row arrives in one of three ways, told by its check boxes, which count only when
// they hold "Y" exactly (the transport protocol wins over the fast packet):
//   transport protocol  Start Byte and N Byte within a message of up to 1785 bytes
//   fast packet         Start Byte and N Byte within a message of up to 223 bytes
//   single frame        the whole 8-byte frame (Start and N both empty), or N bytes of it
//                       from Start (1..8, both given)
// and counts, against the budget, N Byte, or 8 for a whole single frame. A transmit row
// counts its Num Byte.
//
// The rules name these as row conditions and checks, plugged in by Plug_Frame_Rules:
//   "transport", "fast_packet"  the row's kind
//   "single_part"               a single frame whose Start or N is given
//   "both_given"                (check) Start and N are both given, trimmed
//   "start_plus_n"              (check, on N) N is at least min and Start + N at most max
//   "frame_bytes"               (check, on N) adds the row's bytes to the run's total; past
//                               max the failure is text + max, without a row number

#include "tables/UTableWindow.h"

#include <string_view>

namespace fieldbus {

// The cell colours of the PGN tables, by look: the tables give them different roles.
inline constexpr platform::TColor kPgnBlue = tables::Rgb(0xE0, 0xFA, 0xFE);
inline constexpr platform::TColor kPgnYellow = tables::Rgb(0xFF, 0xFF, 0xA8);
inline constexpr platform::TColor kPgnGreen = tables::Rgb(0xCA, 0xFF, 0xCA);
inline constexpr platform::TColor kPgnPink = tables::Rgb(0xFC, 0xD6, 0xF4);
inline constexpr platform::TColor kPgnOrange = tables::Rgb(0xFF, 0xD8, 0xB0);
inline constexpr platform::TColor kPgnWhite = tables::Rgb(0xFF, 0xFF, 0xFF);

inline constexpr std::string_view kDataPages[] = {"0", "1"};

// The largest message of the transport protocol and of the fast packet, in bytes.
inline constexpr int kTransport_Max = 1785;
inline constexpr int kFast_Packet_Max = 223;

// The columns a row's byte count is read from; -1 where the table has no such column.
struct TFrameColumns {
    int count;           // N Byte, Num Byte
    int start = -1;      // Start Byte; none: every row counts `count`
    int transport = -1;  // Transport Protocol check box
    int fastPacket = -1; // Fast Packet check box
};

// A PGN table's columns: a check box, a pick list of data pages, or a text cell.
constexpr tables::TColumn Check_Column(int header, int hint, int width, platform::TColor colour, const char* attr,
                                       const char* missing = "N")
{
    return {header, hint, width, colour, grid::edDataCheckBox, {}, 0, attr, tables::TMissing::Text, missing};
}
constexpr tables::TColumn Data_Page_Column(int header, int hint, int width)
{
    return {header, hint, width, kPgnBlue, grid::edComboList, kDataPages, 0, "DP"};
}
constexpr tables::TColumn Text_Column(int header, int hint, int width, platform::TColor colour, const char* attr)
{
    return {header, hint, width, colour, grid::edNormal, {}, 0, attr};
}

// The shape every PGN table shares: the key, no enable column, empty inserted rows, a click
// on a row number selecting the row, and a row with an empty PGN dropped with the rows below
// it (which must then be empty).
constexpr tables::TGridDef Pgn_Grid(int rows, std::span<const tables::TColumn> columns, int pgnColumn, int errorRowText,
                                    std::span<const tables::TRowRule> rules,
                                    std::span<const tables::TCondition> conditions, int deleteQuestion)
{
    return {
        .name = "sga",
        .rows = rows,
        .columns = columns,
        .rules = {pgnColumn, false, tables::kNoEnable, errorRowText, rules},
        .conditions = conditions,
        .deleteQuestion = deleteQuestion,
        .insertEnables = false,
        .clickSelectsRow = true,
        .keyRowEndsTable = true,
    };
}

// Plugs the conditions and checks above into one validation run (the total starts at 0).
void Plug_Frame_Rules(tables::TRuleRun& run, const TFrameColumns& columns);

} // namespace fieldbus
