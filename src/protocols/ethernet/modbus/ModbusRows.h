#pragma once
// The rules the serial and TCP Modbus master tables share: the row kinds and their point
// limits, the last byte a row uses in the gateway's data array, and the publish topic
// lookups of the Topic column.
//
// A row's kind follows its Type cell: "Coil Status" (and "Input Status" in a read table),
// trimmed and in any letter case, is a status row whose points are bits packed eight to a
// byte from Start Bit of the byte at Position; any other Type is a register row, two bytes a
// point. The point limits are those of the Modbus functions a row is polled with.
//
// Both windows plug the same checks into their rules, naming their own columns:
//   "npoint"     the rule's cell (NPoint) lies in 1 .. the row kind's limit; the failure
//                names the limit after the rule's text
//   "last_byte"  the last byte the row uses lies at most at the rule's max (the array's last
//                position)
// and the row condition "status" (the rule applies to status rows only).

#include "tables/RowRules.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string_view>

namespace ethernet {

enum class TModbusTable { Read, Write };

// Where a table keeps the cells a row's kind and bytes come from (real column indexes).
struct TModbusColumns {
    int type;
    int npoint;
    int position;
    int startBit;
};

// Whether the Type text makes a status row of the table.
bool Is_Status_Type(const QString& type, TModbusTable table);

// The largest NPoint of a row: read 2000 bits or 125 registers, write 1968 coils or 123
// registers.
int NPoint_Limit(bool status, TModbusTable table);

// The last byte a row uses: Position + 2 x NPoint - 1 for registers, Position + (NPoint +
// Start Bit - 1) div 8 for status rows. Wide, so that no cell text can overflow it.
std::int64_t Last_Byte(bool status, int position, int npoint, int startBit);

// Plugs "npoint", "last_byte" and "status" into a validation run of one table.
void Plug_Modbus_Rules(tables::TRuleRun& run, TModbusColumns columns, TModbusTable table);

// The publish topic at index, empty when there is none.
QString Topic_At(const QStringList& topics, int index);
// The position of the first topic equal to topic (case-sensitive), -1 when there is none.
int Topic_Index(const QStringList& topics, const QString& topic);

} // namespace ethernet
