#pragma once
// The IO-Link slave window's tables as cell texts: the column layout of the Variables and the
// two Process Data tables, positions and start bits of the process data, the Length fill-ins,
// the validation rules with their messages, and the move between the tables and
// "IOLink_Slave.xml". The window hands its grids over as common::TRowTable, so all of this
// is tested without a window.

#include "gateway/UProjectFiles.h"

#include <QChar>
#include <QString>

#include <optional>

namespace common {
class TRowTable;
}

namespace gateway {

inline constexpr int kIOLink_Data_Rows = 512;   // rows 1..512 under the header row
inline constexpr int kIOLink_Area_Bytes = 1400; // size of the read area and of the write area
// IO-Link carries at most 32 octets of process data in each direction.
inline constexpr int kIOLink_PD_Max_Bytes = 32;

// Process Data Input / Output columns.
namespace pd_col {
inline constexpr int N = 0, Enable = 1, Name = 2, Length = 3, Gradient = 4, Offset = 5, UnitCode = 6, Position = 7,
                     StartBit = 8, Description = 9, Mnemonic = 10, Count = 11;
}
// Variables columns.
namespace var_col {
inline constexpr int N = 0, Enable = 1, Index = 2, Name = 3, Access = 4, Length = 5, Gradient = 6, Offset = 7,
                     UnitCode = 8, DefaultValue = 9, PositionRead = 10, StartBitRead = 11, PositionWrite = 12,
                     StartBitWrite = 13, Description = 14, Mnemonic = 15, Count = 16;
}

// Text numbers of the window's messages.
inline constexpr int kText_Error_Row = 1785;
// Refusal of an enabled variable whose Index an enabled variable above it already has.
inline constexpr int kText_Var_Duplicate_Index = 1812;
// Refusal of an empty key cell (Length; Length; Index) above or in a row holding values,
// which OK would otherwise drop without a word.
inline constexpr int kText_PD_In_Key_Gap = 1813;
inline constexpr int kText_PD_Out_Key_Gap = 1814;
inline constexpr int kText_Var_Key_Gap = 1815;
// A file with more rows for a table than it shows: the count at load, the question at OK.
inline constexpr int kText_IOLink_Rows_Not_Shown = 1816;
inline constexpr int kText_IOLink_Rows_Lost = 1817;

enum class TIOLink_Table { ProcessDataInput, ProcessDataOutput, Variables };

// The text itself when it is exactly "Read Only", "Write Only" or "Read Write", else "".
QString Get_Var_Access(const QString& access);

// Number of used rows from row 1 down: the table ends before the first row whose key cell
// (Length in the process data tables, Index in the Variables table), trimmed, is empty.
int Used_Rows(const common::TRowTable& table, TIOLink_Table kind);

// Positions and start bits of a process data table: every enabled row with a Length gets the
// running bit count div 8 and mod 8, then adds its Length; other rows keep theirs.
void Compile_Pos_Bit(common::TRowTable& table);

// A Length cell of a process data table was accepted: positions anew, and in that row an empty
// Gradient becomes "1", an empty Offset "0" and an empty Unit Code "1000".
void Length_Edited(common::TRowTable& table, int row);

// Every data row reset: the row number in column 0, "Y" in column 1, the rest empty.
void Reset_Table(common::TRowTable& table);

// The first row whose key cell is empty while it or a row below it holds a value the user
// gave (anything but the row number, Enable and the computed Position and Start Bit): the
// table's used rows end there, so OK would silently drop that row and the rest. 0 when none.
int First_Dropped_Row(const common::TRowTable& table, TIOLink_Table kind);

// The refusal of such a row in the first table that has one (input, output, variables), or
// nothing.
std::optional<QString> Check_Dropped_Rows(const common::TRowTable& input, const common::TRowTable& output,
                                          const common::TRowTable& variables);

// The tables' validation, stopping at the first error: the message to show, or nothing when
// the tables may be saved. separator is the user's decimal separator.
std::optional<QString> Controllo_Dati(const common::TRowTable& input, const common::TRowTable& output,
                                      const common::TRowTable& variables, QChar separator);

// File rows into the (reset) tables; rows beyond the tables' 512 are not shown.
void Show_IOLink_File(const TIOLink_Slave_File& file, common::TRowTable& input, common::TRowTable& output,
                      common::TRowTable& variables);
// The used rows of the tables, cell texts unchanged.
TIOLink_Slave_File IOLink_File_From_Tables(const common::TRowTable& input, const common::TRowTable& output,
                                           const common::TRowTable& variables);

} // namespace gateway
