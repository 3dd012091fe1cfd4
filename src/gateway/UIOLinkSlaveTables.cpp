#include "gateway/UIOLinkSlaveTables.h"

#include "common/UComonHelpers.h"
#include "common/UComonRows.h"
#include "common/ULanguage.h"
#include "gateway/UValueLimits.h"
#include "tables/RowRules.h"

#include <memory>
#include <span>

namespace gateway {

using common::trimBlanks;
using common::TRowTable;

namespace {

bool isEnabled(const TRowTable& t, int row)
{
    return common::upperAscii(trimBlanks(t.Cells(1, row))) == QLatin1String("Y");
}

int intOrMinus1(const QString& cell)
{
    return common::strToIntDef(cell, -1);
}

// The key cell ends a table: Length in the process data tables, Index in the Variables table.
constexpr tables::TRowRule kPDInputRules[] = {
    {pd_col::Name, "not_empty", 0, 0, 1786},
    {pd_col::Length, "range", limits::IOLink_Length.min, limits::IOLink_Length.max, 1787},
    {pd_col::Gradient, "float", 0, 0, 1788},
    {pd_col::Offset, "integer", 0, 0, 1789},
    {pd_col::UnitCode, "range", limits::IOLink_Unit_Code.min, limits::IOLink_Unit_Code.max, 1809},
    {pd_col::Length, "pd_limit", 0, 0, 1832},
};
constexpr tables::TRowRule kPDOutputRules[] = {
    {pd_col::Name, "not_empty", 0, 0, 1790},
    {pd_col::Length, "range", limits::IOLink_Length.min, limits::IOLink_Length.max, 1791},
    {pd_col::Gradient, "float", 0, 0, 1792},
    {pd_col::Offset, "integer", 0, 0, 1793},
    {pd_col::UnitCode, "range", limits::IOLink_Unit_Code.min, limits::IOLink_Unit_Code.max, 1810},
    {pd_col::Length, "pd_limit", 0, 0, 1833},
};
constexpr tables::TTableRules kPDInput{pd_col::Length, true, pd_col::Enable, kText_Error_Row, kPDInputRules};
constexpr tables::TTableRules kPDOutput{pd_col::Length, true, pd_col::Enable, kText_Error_Row, kPDOutputRules};

// Positions are checked against the bytes the process data take up ("read_position",
// "write_position") and against the end of their 1400-byte area ("read_end", "write_end").
constexpr tables::TRowRule kVarRules[] = {
    {var_col::Index, "range", limits::IOLink_Index.min, limits::IOLink_Index.max, 1794},
    {var_col::Index, "unique_index", 0, 0, kText_Var_Duplicate_Index},
    {var_col::Name, "not_empty", 0, 0, 1795},
    {var_col::Access, "not_empty", 0, 0, 1796},
    {var_col::Length, "range", limits::IOLink_Length.min, limits::IOLink_Length.max, 1797},
    {var_col::Gradient, "float", 0, 0, 1798},
    {var_col::Offset, "integer", 0, 0, 1799},
    {var_col::UnitCode, "range", limits::IOLink_Unit_Code.min, limits::IOLink_Unit_Code.max, 1811},
    {var_col::DefaultValue, "integer", 0, 0, 1800},
    {var_col::PositionRead, "read_position", 0, kIOLink_Area_Bytes - 1, 1801},
    {var_col::StartBitRead, "not_empty", 0, 0, 1802},
    {var_col::PositionRead, "read_end", 0, kIOLink_Area_Bytes - 1, 1830},
    {var_col::PositionWrite, "write_position", 0, kIOLink_Area_Bytes - 1, 1803},
    {var_col::StartBitWrite, "not_empty", 0, 0, 1804},
    {var_col::PositionWrite, "write_end", 0, kIOLink_Area_Bytes - 1, 1831},
};
constexpr tables::TTableRules kVariables{var_col::Index, true, var_col::Enable, kText_Error_Row, kVarRules};

const tables::TTableRules& rulesOf(TIOLink_Table kind)
{
    switch (kind) {
    case TIOLink_Table::ProcessDataInput:
        return kPDInput;
    case TIOLink_Table::ProcessDataOutput:
        return kPDOutput;
    case TIOLink_Table::Variables:
        break;
    }
    return kVariables;
}

// The position messages carry the row and both bounds in the text itself; the lower bound
// is the bytes the process data take up.
QString positionFailure(const tables::TRuleCell& cell, int low)
{
    return tables::Format_Numbers(common::Lang_Text(cell.rule.text), {cell.row, low, cell.rule.max});
}

tables::TRowCheck positionCheck(int low)
{
    return [low](const tables::TRuleCell& cell) -> std::optional<QString> {
        const int v = cell.Number();
        if (v >= low && v <= cell.rule.max)
            return std::nullopt;
        return positionFailure(cell, low);
    };
}

// A variable's last bit, position x 8 + start bit + length, must lie inside its 1400-byte
// area: a long variable near the end would otherwise run past the area into memory the
// gateway does not reserve for it. The start bit reads as the image builder reads it. Its
// message says so: the position alone may well be inside the area.
tables::TRowCheck endCheck(int bitCol)
{
    return [bitCol](const tables::TRuleCell& cell) -> std::optional<QString> {
        const long long position = cell.Number();
        const long long bit = common::strToIntDef(cell.Cell(bitCol), 0);
        const long long length = cell.Number(var_col::Length);
        if (position * 8 + bit + length <= 8LL * kIOLink_Area_Bytes)
            return std::nullopt;
        return cell.Failure();
    };
}

// The enabled rows' lengths, summed in row order, must fit the 32 octets IO-Link carries per
// direction; the row that passes them is named. The sum belongs to one table's run.
tables::TRowCheck pdLimitCheck()
{
    return [bits = std::make_shared<long long>(0)](const tables::TRuleCell& cell) -> std::optional<QString> {
        *bits += cell.Number();
        if (*bits <= 8LL * kIOLink_PD_Max_Bytes)
            return std::nullopt;
        return cell.Failure();
    };
}

// Bytes the enabled rows of a valid process data table take up.
int usedBytes(const TRowTable& t, TIOLink_Table kind)
{
    int bits = 0;
    const int used = Used_Rows(t, kind);
    for (int row = 1; row <= used; ++row)
        if (isEnabled(t, row))
            bits += intOrMinus1(t.Cells(pd_col::Length, row));
    return (bits + 7) / 8;
}

} // namespace

QString Get_Var_Access(const QString& access)
{
    for (const char* kind : {"Read Only", "Write Only", "Read Write"})
        if (access == QLatin1String(kind))
            return access;
    return QString();
}

int Used_Rows(const TRowTable& table, TIOLink_Table kind)
{
    return tables::Used_Rows(table, rulesOf(kind));
}

int First_Dropped_Row(const TRowTable& table, TIOLink_Table kind)
{
    const int gap = Used_Rows(table, kind) + 1;
    const bool processData = kind != TIOLink_Table::Variables;
    const auto given = [&](int col) {
        return col > pd_col::Enable && !(processData && (col == pd_col::Position || col == pd_col::StartBit));
    };
    for (int row = gap; row < table.RowCount(); ++row)
        for (int col = 0; col < table.Handled_Col_End(); ++col)
            if (given(col) && !table.Cells(col, row).isEmpty())
                return gap;
    return 0;
}

std::optional<QString> Check_Dropped_Rows(const TRowTable& input, const TRowTable& output, const TRowTable& variables)
{
    const struct {
        const TRowTable& table;
        TIOLink_Table kind;
        int text;
    } tables[] = {{input, TIOLink_Table::ProcessDataInput, kText_PD_In_Key_Gap},
                  {output, TIOLink_Table::ProcessDataOutput, kText_PD_Out_Key_Gap},
                  {variables, TIOLink_Table::Variables, kText_Var_Key_Gap}};
    for (const auto& t : tables)
        if (const int row = First_Dropped_Row(t.table, t.kind))
            return common::Lang_Text(kText_Error_Row) + QString::number(row) + common::Lang_Text(t.text);
    return std::nullopt;
}

void Compile_Pos_Bit(TRowTable& table)
{
    long long bits = 0;
    for (int row = 1; row < table.RowCount(); ++row) {
        const QString length = table.Cells(pd_col::Length, row);
        if (length.isEmpty() || !isEnabled(table, row))
            continue;
        table.SetCells(pd_col::Position, row, QString::number(bits / 8));
        table.SetCells(pd_col::StartBit, row, QString::number(bits % 8));
        // A negative length would run the positions below backwards; validation refuses it
        // anyway, so it counts as nothing here.
        bits += std::max(0, common::strToIntDef(length, 0));
    }
}

void Length_Edited(TRowTable& table, int row)
{
    Compile_Pos_Bit(table);
    const struct {
        int col;
        const char* fill;
    } fills[] = {{pd_col::Gradient, "1"}, {pd_col::Offset, "0"}, {pd_col::UnitCode, "1000"}};
    for (const auto& f : fills)
        if (table.Cells(f.col, row).isEmpty())
            table.SetCells(f.col, row, QLatin1String(f.fill));
}

void Reset_Table(TRowTable& table)
{
    const int cols = table.Handled_Col_End();
    for (int row = 1; row < table.RowCount(); ++row) {
        table.SetCells(0, row, QString::number(row));
        table.SetCells(1, row, QStringLiteral("Y"));
        for (int col = 2; col < cols; ++col)
            table.SetCells(col, row, QString());
    }
}

std::optional<QString> Controllo_Dati(const TRowTable& input, const TRowTable& output, const TRowTable& variables,
                                      QChar separator)
{
    tables::TRuleRun run;
    run.decimalSeparator = separator;
    run.checks = {{"pd_limit", pdLimitCheck()}};
    if (auto error = tables::Check_Rows(input, kPDInput, run))
        return error;
    run.checks = {{"pd_limit", pdLimitCheck()}};
    if (auto error = tables::Check_Rows(output, kPDOutput, run))
        return error;

    const int inBytes = usedBytes(input, TIOLink_Table::ProcessDataInput);
    const int outBytes = usedBytes(output, TIOLink_Table::ProcessDataOutput);
    run.checks = {
        {"unique_index", tables::Unique_Number_Check()}, {"read_position", positionCheck(inBytes)},
        {"read_end", endCheck(var_col::StartBitRead)},   {"write_position", positionCheck(outBytes)},
        {"write_end", endCheck(var_col::StartBitWrite)},
    };
    return tables::Check_Rows(variables, kVariables, run);
}

namespace {

template <typename Row>
void showRows(const std::vector<Row>& rows, std::span<const TAttr_Def<Row>> attrs, TRowTable& table, int accessCol)
{
    const int shown = std::min<int>(int(rows.size()), table.RowCount() - 1);
    for (int i = 0; i < shown; ++i) {
        for (size_t a = 0; a < attrs.size(); ++a) {
            const int col = int(a) + 1;
            const TAttr& value = rows[size_t(i)].*(attrs[a].member);
            QString cell = value ? *value : (col == 1 ? QStringLiteral("Y") : QString());
            if (col == accessCol)
                cell = Get_Var_Access(cell);
            table.SetCells(col, i + 1, cell);
        }
    }
}

template <typename Row>
std::vector<Row> tableRows(const TRowTable& table, int used, std::span<const TAttr_Def<Row>> attrs)
{
    std::vector<Row> rows(size_t(std::max(0, used)));
    for (int i = 0; i < used; ++i)
        for (size_t a = 0; a < attrs.size(); ++a)
            rows[size_t(i)].*(attrs[a].member) = table.Cells(int(a) + 1, i + 1);
    return rows;
}

} // namespace

void Show_IOLink_File(const TIOLink_Slave_File& file, TRowTable& input, TRowTable& output, TRowTable& variables)
{
    showRows(file.Variables, IOLink_Var_Attrs(), variables, var_col::Access);
    showRows(file.Process_Data_Input, IOLink_PD_Attrs(), input, -1);
    showRows(file.Process_Data_Output, IOLink_PD_Attrs(), output, -1);
}

TIOLink_Slave_File IOLink_File_From_Tables(const TRowTable& input, const TRowTable& output, const TRowTable& variables)
{
    TIOLink_Slave_File file;
    file.Variables = tableRows(variables, Used_Rows(variables, TIOLink_Table::Variables), IOLink_Var_Attrs());
    file.Process_Data_Input = tableRows(input, Used_Rows(input, TIOLink_Table::ProcessDataInput), IOLink_PD_Attrs());
    file.Process_Data_Output =
        tableRows(output, Used_Rows(output, TIOLink_Table::ProcessDataOutput), IOLink_PD_Attrs());
    return file;
}

} // namespace gateway
