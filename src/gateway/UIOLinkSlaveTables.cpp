#include "gateway/UIOLinkSlaveTables.h"

#include "common/UComonHelpers.h"
#include "common/UComonRows.h"
#include "common/ULanguage.h"
#include "gateway/UValueLimits.h"

#include <climits>
#include <initializer_list>
#include <map>
#include <span>

namespace gateway {

using common::TRowTable;
using common::trimBlanks;

namespace {

QString text(int number)
{
    const QStringList& texts = common::Lang_Str();
    return number >= 0 && number < texts.size() ? texts[number] : QString();
}

// The text with each "%d" replaced by the next number, as the messages 1801 and 1803 are built.
QString formatNumbers(QString format, std::initializer_list<int> numbers)
{
    int from = 0;
    for (int n : numbers) {
        const int at = format.indexOf(QLatin1String("%d"), from);
        if (at < 0)
            break;
        const QString value = QString::number(n);
        format.replace(at, 2, value);
        from = at + int(value.size());
    }
    return format;
}

bool isEnabled(const TRowTable& t, int row)
{
    return common::upperAscii(trimBlanks(t.Cells(1, row))) == QLatin1String("Y");
}

int intOrMinus1(const QString& cell)
{
    return common::strToIntDef(cell, -1);
}

enum class Check {
    NotEmpty,    // trimmed text not empty
    Range,       // whole number from min to max
    Integer,     // any 32-bit whole number
    Float,       // real number with the user's separator
    ReadPos,     // Position Read from the input bytes to 1399 (formatted message)
    WritePos,    // Position Write from the output bytes to 1399 (formatted message)
    ReadEnd,     // the variable ends inside the read area (formatted message)
    WriteEnd,    // the variable ends inside the write area (formatted message)
    UniqueIndex, // no enabled variable above has the same Index
};

struct Rule {
    int col;
    Check check;
    int min;
    int max;
    int text;
};

// Process data rules in the order they are checked; texts input / output.
struct PDRule {
    int col;
    Check check;
    int min;
    int max;
    int textIn;
    int textOut;
};

constexpr PDRule kPDRules[] = {
    {pd_col::Name, Check::NotEmpty, 0, 0, 1786, 1790},
    {pd_col::Length, Check::Range, limits::IOLink_Length.min, limits::IOLink_Length.max, 1787, 1791},
    {pd_col::Gradient, Check::Float, 0, 0, 1788, 1792},
    {pd_col::Offset, Check::Integer, 0, 0, 1789, 1793},
    {pd_col::UnitCode, Check::Range, limits::IOLink_Unit_Code.min, limits::IOLink_Unit_Code.max, 1809, 1810},
};

constexpr Rule kVarRules[] = {
    {var_col::Index, Check::Range, limits::IOLink_Index.min, limits::IOLink_Index.max, 1794},
    {var_col::Index, Check::UniqueIndex, 0, 0, kText_Var_Duplicate_Index},
    {var_col::Name, Check::NotEmpty, 0, 0, 1795},
    {var_col::Access, Check::NotEmpty, 0, 0, 1796},
    {var_col::Length, Check::Range, limits::IOLink_Length.min, limits::IOLink_Length.max, 1797},
    {var_col::Gradient, Check::Float, 0, 0, 1798},
    {var_col::Offset, Check::Integer, 0, 0, 1799},
    {var_col::UnitCode, Check::Range, limits::IOLink_Unit_Code.min, limits::IOLink_Unit_Code.max, 1811},
    {var_col::DefaultValue, Check::Integer, 0, 0, 1800},
    {var_col::PositionRead, Check::ReadPos, 0, kIOLink_Area_Bytes - 1, 1801},
    {var_col::StartBitRead, Check::NotEmpty, 0, 0, 1802},
    {var_col::PositionRead, Check::ReadEnd, 0, kIOLink_Area_Bytes - 1, 1801},
    {var_col::PositionWrite, Check::WritePos, 0, kIOLink_Area_Bytes - 1, 1803},
    {var_col::StartBitWrite, Check::NotEmpty, 0, 0, 1804},
    {var_col::PositionWrite, Check::WriteEnd, 0, kIOLink_Area_Bytes - 1, 1803},
};

bool inRange(const QString& cell, int min, int max)
{
    const int v = intOrMinus1(cell);
    return v >= min && v <= max;
}

// A variable's last bit, position x 8 + start bit + length, must lie inside its 1400-byte
// area: a long variable near the end would otherwise run past the area into memory the
// gateway does not reserve for it. The start bit reads as the image builder reads it.
bool endsInside(const TRowTable& t, int row, int posCol, int bitCol)
{
    const long long position = intOrMinus1(t.Cells(posCol, row));
    const long long bit = common::strToIntDef(t.Cells(bitCol, row), 0);
    const long long length = intOrMinus1(t.Cells(var_col::Length, row));
    return position * 8 + bit + length <= 8LL * kIOLink_Area_Bytes;
}

QString rowMessage(int row, int number)
{
    return text(kText_Error_Row) + QString::number(row) + text(number);
}

// Process data table: the first error, or nothing; bits receives the enabled rows' total.
std::optional<QString> checkProcessData(const TRowTable& t, bool input, QChar separator, int& bits)
{
    bits = 0;
    const int used = Used_Rows(t, input ? TIOLink_Table::ProcessDataInput : TIOLink_Table::ProcessDataOutput);
    for (int row = 1; row <= used; ++row) {
        if (!isEnabled(t, row))
            continue;
        for (const PDRule& rule : kPDRules) {
            const QString cell = t.Cells(rule.col, row);
            bool ok = true;
            switch (rule.check) {
            case Check::NotEmpty: ok = !trimBlanks(cell).isEmpty(); break;
            case Check::Range: ok = inRange(cell, rule.min, rule.max); break;
            case Check::Integer: { int v; ok = common::tryStrToInt(cell, v); break; }
            case Check::Float: { float v; ok = common::Str_To_Float_Sep(cell, separator, v); break; }
            default: break;
            }
            if (!ok)
                return rowMessage(row, input ? rule.textIn : rule.textOut);
            if (rule.col == pd_col::Length)
                bits += intOrMinus1(cell);
        }
    }
    return std::nullopt;
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
    const int key = kind == TIOLink_Table::Variables ? var_col::Index : pd_col::Length;
    int row = 1;
    while (row < table.RowCount() && !trimBlanks(table.Cells(key, row)).isEmpty())
        ++row;
    return row - 1;
}

int First_Dropped_Row(const TRowTable& table, TIOLink_Table kind)
{
    const int gap = Used_Rows(table, kind) + 1;
    const bool processData = kind != TIOLink_Table::Variables;
    const auto given = [&](int col) {
        return col > 1 && !(processData && (col == pd_col::Position || col == pd_col::StartBit));
    };
    for (int row = gap; row < table.RowCount(); ++row)
        for (int col = 0; col < table.Handled_Col_End(); ++col)
            if (given(col) && !table.Cells(col, row).isEmpty())
                return gap;
    return 0;
}

std::optional<QString> Check_Dropped_Rows(const TRowTable& input, const TRowTable& output,
                                          const TRowTable& variables)
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
            return rowMessage(row, t.text);
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

std::optional<QString> Controllo_Dati(const TRowTable& input, const TRowTable& output,
                                      const TRowTable& variables, QChar separator)
{
    int inBits = 0;
    int outBits = 0;
    if (auto error = checkProcessData(input, true, separator, inBits))
        return error;
    if (auto error = checkProcessData(output, false, separator, outBits))
        return error;
    const int inBytes = (inBits + 7) / 8;
    const int outBytes = (outBits + 7) / 8;

    std::map<int, int> indexes; // Index of an enabled variable -> its row
    const int used = Used_Rows(variables, TIOLink_Table::Variables);
    for (int row = 1; row <= used; ++row) {
        if (!isEnabled(variables, row))
            continue;
        for (const Rule& rule : kVarRules) {
            const QString cell = variables.Cells(rule.col, row);
            bool ok = true;
            int low = rule.min;
            switch (rule.check) {
            case Check::NotEmpty: ok = !trimBlanks(cell).isEmpty(); break;
            case Check::Range: ok = inRange(cell, rule.min, rule.max); break;
            case Check::Integer: { int v; ok = common::tryStrToInt(cell, v); break; }
            case Check::Float: { float v; ok = common::Str_To_Float_Sep(cell, separator, v); break; }
            case Check::ReadPos: low = inBytes; ok = inRange(cell, low, rule.max); break;
            case Check::WritePos: low = outBytes; ok = inRange(cell, low, rule.max); break;
            case Check::ReadEnd:
                low = inBytes;
                ok = endsInside(variables, row, var_col::PositionRead, var_col::StartBitRead);
                break;
            case Check::WriteEnd:
                low = outBytes;
                ok = endsInside(variables, row, var_col::PositionWrite, var_col::StartBitWrite);
                break;
            case Check::UniqueIndex: ok = indexes.emplace(intOrMinus1(cell), row).second; break;
            }
            if (ok)
                continue;
            switch (rule.check) {
            case Check::ReadPos:
            case Check::WritePos:
            case Check::ReadEnd:
            case Check::WriteEnd:
                return formatNumbers(text(rule.text), {row, low, rule.max});
            default:
                return rowMessage(row, rule.text);
            }
        }
    }
    return std::nullopt;
}

namespace {

template <typename Row>
void showRows(const std::vector<Row>& rows, std::span<const TAttr_Def<Row>> attrs, TRowTable& table,
              int accessCol)
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

TIOLink_Slave_File IOLink_File_From_Tables(const TRowTable& input, const TRowTable& output,
                                           const TRowTable& variables)
{
    TIOLink_Slave_File file;
    file.Variables = tableRows(variables, Used_Rows(variables, TIOLink_Table::Variables), IOLink_Var_Attrs());
    file.Process_Data_Input =
        tableRows(input, Used_Rows(input, TIOLink_Table::ProcessDataInput), IOLink_PD_Attrs());
    file.Process_Data_Output =
        tableRows(output, Used_Rows(output, TIOLink_Table::ProcessDataOutput), IOLink_PD_Attrs());
    return file;
}

} // namespace gateway
