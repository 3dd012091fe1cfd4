#include "gateway/UDNetTable.h"

#include "common/UComonHelpers.h"
#include "common/UComonRows.h"
#include "common/ULanguage.h"
#include "gateway/USaveBincc.h"
#include "gateway/UValueLimits.h"
#include "tables/RowRules.h"

#include <map>
#include <memory>

namespace gateway {

using common::TRowTable;

namespace {

// The table has no enable flag, and its key cell is not trimmed: a slave ID of blanks is a
// used row (and fails its range).
constexpr tables::TRowRule kRanges[] = {
    {dnet_col::ID, "range", limits::DNet_ID.min, limits::DNet_ID.max, kText_DNet_ID},
    {dnet_col::ID, "master_id", 0, 0, kText_DNet_Master_ID},
    {dnet_col::ID, "unique", 0, 0, kText_DNet_Duplicate_ID},
    {dnet_col::NB_IN, "range", limits::DNet_Byte_Count.min, limits::DNet_Byte_Count.max, kText_DNet_NB_IN},
    {dnet_col::NB_IN, "byte_total", 0, 0, kText_DNet_Too_Many_IN},
    {dnet_col::NB_OUT, "range", limits::DNet_Byte_Count.min, limits::DNet_Byte_Count.max, kText_DNet_NB_OUT},
    {dnet_col::NB_OUT, "byte_total", 0, 0, kText_DNet_Too_Many_OUT},
};
constexpr tables::TTableRules kScanList{dnet_col::ID, false, tables::kNoEnable, kText_DNet_Error_Row, kRanges};

// Beyond the ranges: the master's own ID may not be a slave's.
std::optional<QString> masterId(const tables::TRuleCell& cell)
{
    return cell.Number() == kDNet_Master_ID ? std::optional<QString>(cell.Failure()) : std::nullopt;
}

// No more bytes than the configuration image's byte maps can carry (each byte may get an
// offset), for one slave and for all slaves together; the message names both bounds.
tables::TRowCheck byteTotal()
{
    auto totals = std::make_shared<std::map<int, long long>>();
    return [totals](const tables::TRuleCell& cell) -> std::optional<QString> {
        const int v = cell.Number();
        long long& total = (*totals)[cell.rule.column];
        total += v;
        if (v <= kDNet_Max_Bytes_Per_Slave && total <= kMap_Size)
            return std::nullopt;
        return cell.Failure(
            tables::Format_Numbers(common::Lang_Text(cell.rule.text), {kDNet_Max_Bytes_Per_Slave, kMap_Size}));
    };
}

} // namespace

int DNet_Used_Rows(const TRowTable& table)
{
    return tables::Used_Rows(table, kScanList);
}

void DNet_Reset_Table(TRowTable& table)
{
    const int cols = table.Handled_Col_End();
    for (int row = 1; row < table.RowCount(); ++row) {
        table.SetCells(0, row, QString::number(row));
        for (int col = 1; col < cols; ++col)
            table.SetCells(col, row, QString());
    }
}

std::optional<QString> controllo_dati(const TRowTable& table)
{
    tables::TRuleRun run;
    run.checks = {
        {"master_id", masterId},
        {"unique", tables::Unique_Number_Check()},
        {"byte_total", byteTotal()},
    };
    return tables::Check_Rows(table, kScanList, run);
}

namespace {

// "Error in row " + row + text, as the rule engine words the table's failures.
QString dnetRowMessage(int row, const QString& tail)
{
    return common::Lang_Text(kText_DNet_Error_Row) + QString::number(row) + tail;
}

} // namespace

std::optional<QString> DNet_Check_Dropped_Rows(const TRowTable& table)
{
    const int gap = DNet_Used_Rows(table) + 1;
    for (int row = gap; row < table.RowCount(); ++row)
        for (int col = dnet_col::ID; col < table.Handled_Col_End(); ++col)
            if (!table.Cells(col, row).isEmpty())
                return dnetRowMessage(gap, common::Lang_Text(kText_DNet_Key_Gap));
    return std::nullopt;
}

std::optional<QString> DNet_Missing_Attribute(const TDNet_Net_File& file)
{
    for (size_t i = 0; i < file.Rows.size(); ++i) {
        const TDNet_Net_Row& r = file.Rows[i];
        const std::pair<const TAttr&, const char*> attrs[] = {
            {r.ID, "ID"}, {r.NB_IN, "NB_IN"}, {r.NB_OUT, "NB_OUT"}, {r.Mnemonic, "Mnemonic"}};
        for (const auto& [value, name] : attrs)
            if (!value)
                return dnetRowMessage(int(i) + 1,
                                      common::Lang_Text(kText_DNet_Missing_Attribute).arg(QLatin1String(name)));
    }
    return std::nullopt;
}

void Show_DNet_File(const TDNet_Net_File& file, TRowTable& table)
{
    const int shown = std::min<int>(int(file.Rows.size()), table.RowCount() - 1);
    for (int i = 0; i < shown; ++i) {
        const TDNet_Net_Row& r = file.Rows[size_t(i)];
        table.SetCells(dnet_col::ID, i + 1, r.ID.value_or(QString()));
        table.SetCells(dnet_col::NB_IN, i + 1, r.NB_IN.value_or(QString()));
        table.SetCells(dnet_col::NB_OUT, i + 1, r.NB_OUT.value_or(QString()));
        table.SetCells(dnet_col::Mnemonic, i + 1, r.Mnemonic.value_or(QString()));
    }
}

TDNet_Net_File DNet_File_From_Table(const TRowTable& table)
{
    TDNet_Net_File file;
    const int used = DNet_Used_Rows(table);
    for (int row = 1; row <= used; ++row) {
        TDNet_Net_Row r;
        r.ID = table.Cells(dnet_col::ID, row);
        r.NB_IN = table.Cells(dnet_col::NB_IN, row);
        r.NB_OUT = table.Cells(dnet_col::NB_OUT, row);
        r.Mnemonic = table.Cells(dnet_col::Mnemonic, row);
        file.Rows.push_back(r);
    }
    return file;
}

} // namespace gateway
