#pragma once
// The DeviceNet scan list as cell texts: its columns, the validation with its messages and the
// move between the table and "DNETM_Net.xml". The window hands its grid over as
// common::TRowTable, so all of this is tested without a window.

#include "gateway/UProjectFiles.h"
#include "gateway/UValueLimits.h"

#include <QString>

#include <optional>

namespace common {
class TRowTable;
}

namespace gateway {

namespace dnet_col {
inline constexpr int N = 0, ID = 1, NB_IN = 2, NB_OUT = 3, Mnemonic = 4, Count = 5;
}

// The master has DeviceNet ID 0; a slave may not take it.
inline constexpr int kDNet_Master_ID = limits::DNet_Master_ID;
// Bytes of one slave the configuration image can address: a map key is the slave ID x 1024
// plus the byte number, so byte numbers from 1024 on would fall onto the next ID's keys.
inline constexpr int kDNet_Max_Bytes_Per_Slave = 1024;

// Text numbers of the window's messages.
inline constexpr int kText_DNet_Error_Row = 3123;
inline constexpr int kText_DNet_ID = 3124;
inline constexpr int kText_DNet_NB_IN = 3125;
inline constexpr int kText_DNet_NB_OUT = 3126;
inline constexpr int kText_DNet_Delete_Question = 3127;
inline constexpr int kText_DNet_Master_ID = 3128;
inline constexpr int kText_DNet_Duplicate_ID = 3129;
inline constexpr int kText_DNet_Too_Many_IN = 3130;
inline constexpr int kText_DNet_Too_Many_OUT = 3131;
// Refusal of an empty ID cell above or in a row holding values (OK would drop them).
inline constexpr int kText_DNet_Key_Gap = 3132;
// A file row without one of the four attributes, reported at load.
inline constexpr int kText_DNet_Missing_Attribute = 3133;
// A file with more slaves than the table's 64: the count at load, the question at OK.
inline constexpr int kText_DNet_Rows_Not_Shown = 3134;
inline constexpr int kText_DNet_Rows_Lost = 3135;

// Used rows from row 1 down: the table ends before the first row whose ID cell is empty
// (blanks are not removed: a cell holding only a blank counts as used).
int DNet_Used_Rows(const common::TRowTable& table);

// Data rows reset: the row number in column 0, every other column empty.
void DNet_Reset_Table(common::TRowTable& table);

// Validation, stopping at the first error: the message to show, or nothing.
std::optional<QString> controllo_dati(const common::TRowTable& table);

// The refusal of the first row whose ID cell is empty while it or a row below it holds a
// value (the used rows end there, so OK would drop them without a word), or nothing.
std::optional<QString> DNet_Check_Dropped_Rows(const common::TRowTable& table);

// The first file row lacking "ID", "NB_IN", "NB_OUT" or "Mnemonic" (shown as an empty cell),
// as the message to show at load, or nothing.
std::optional<QString> DNet_Missing_Attribute(const TDNet_Net_File& file);

// File rows into the (reset) table; an attribute the row lacks shows as an empty cell, and
// rows beyond the table's 64 are not shown.
void Show_DNet_File(const TDNet_Net_File& file, common::TRowTable& table);
TDNet_Net_File DNet_File_From_Table(const common::TRowTable& table);

} // namespace gateway
