#include "protocols/ethernet/modbus/ModbusRows.h"

#include "common/UComonHelpers.h"
#include "common/ULanguage.h"

namespace ethernet {

using common::trimBlanks;
using common::upperAscii;

bool Is_Status_Type(const QString& type, TModbusTable table)
{
    const QString t = upperAscii(trimBlanks(type));
    return t == QLatin1String("COIL STATUS") || (table == TModbusTable::Read && t == QLatin1String("INPUT STATUS"));
}

int NPoint_Limit(bool status, TModbusTable table)
{
    if (table == TModbusTable::Read)
        return status ? 2000 : 125;
    return status ? 1968 : 123;
}

std::int64_t Last_Byte(bool status, int position, int npoint, int startBit)
{
    if (status)
        return std::int64_t(position) + (std::int64_t(npoint) + startBit - 1) / 8;
    return std::int64_t(position) + 2 * std::int64_t(npoint) - 1;
}

void Plug_Modbus_Rules(tables::TRuleRun& run, TModbusColumns columns, TModbusTable table)
{
    const auto status = [columns, table](const tables::TRuleCell& cell) {
        return Is_Status_Type(cell.Cell(columns.type), table);
    };
    run.conditions.emplace("status", status);
    run.checks.emplace("npoint", [status, table](const tables::TRuleCell& cell) -> std::optional<QString> {
        const int limit = NPoint_Limit(status(cell), table);
        const int n = cell.Number();
        if (n >= 1 && n <= limit)
            return std::nullopt;
        return cell.Failure(common::Lang_Text(cell.rule.text) + QString::number(limit));
    });
    run.checks.emplace("last_byte", [status, columns](const tables::TRuleCell& cell) -> std::optional<QString> {
        const int startBit = common::strToIntDef(cell.Cell(columns.startBit), 0);
        const std::int64_t last =
            Last_Byte(status(cell), cell.Number(columns.position), cell.Number(columns.npoint), startBit);
        if (last <= cell.rule.max)
            return std::nullopt;
        return cell.Failure();
    });
}

QString Topic_At(const QStringList& topics, int index)
{
    return index >= 0 && index < topics.size() ? topics[index] : QString();
}

int Topic_Index(const QStringList& topics, const QString& topic)
{
    return int(topics.indexOf(topic));
}

} // namespace ethernet
