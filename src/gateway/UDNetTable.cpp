#include "gateway/UDNetTable.h"

#include "common/UComonHelpers.h"
#include "common/UComonRows.h"
#include "common/ULanguage.h"
#include "gateway/USaveBincc.h"
#include "gateway/UValueLimits.h"

#include <set>

namespace gateway {

using common::TRowTable;

namespace {

QString text(int number)
{
    const QStringList& texts = common::Lang_Str();
    return number >= 0 && number < texts.size() ? texts[number] : QString();
}

QString rowMessage(int row, const QString& ruleText)
{
    return text(kText_DNet_Error_Row) + QString::number(row) + ruleText;
}

// The limit message names both bounds.
QString limitText(int number)
{
    QString t = text(number);
    for (int bound : {kDNet_Max_Bytes_Per_Slave, kMap_Size}) {
        const int at = t.indexOf(QLatin1String("%d"));
        if (at < 0)
            break;
        t.replace(at, 2, QString::number(bound));
    }
    return t;
}

struct RangeRule {
    int col;
    int min;
    int max;
    int text;
};

constexpr RangeRule kRanges[] = {
    {dnet_col::ID, limits::DNet_ID.min, limits::DNet_ID.max, kText_DNet_ID},
    {dnet_col::NB_IN, limits::DNet_Byte_Count.min, limits::DNet_Byte_Count.max, kText_DNet_NB_IN},
    {dnet_col::NB_OUT, limits::DNet_Byte_Count.min, limits::DNet_Byte_Count.max, kText_DNet_NB_OUT},
};

} // namespace

int DNet_Used_Rows(const TRowTable& table)
{
    int row = 1;
    while (row < table.RowCount() && !table.Cells(dnet_col::ID, row).isEmpty())
        ++row;
    return row - 1;
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
    std::set<int> ids;
    long long totalIn = 0;
    long long totalOut = 0;
    const int used = DNet_Used_Rows(table);
    for (int row = 1; row <= used; ++row) {
        for (const RangeRule& rule : kRanges) {
            const int v = common::strToIntDef(table.Cells(rule.col, row), -1);
            if (v < rule.min || v > rule.max)
                return rowMessage(row, text(rule.text));

            // Beyond the ranges: the master's own ID, an ID taken twice, and more bytes than
            // the configuration image's byte maps can carry (each byte may get an offset).
            if (rule.col == dnet_col::ID) {
                if (v == kDNet_Master_ID)
                    return rowMessage(row, text(kText_DNet_Master_ID));
                if (!ids.insert(v).second)
                    return rowMessage(row, text(kText_DNet_Duplicate_ID));
            } else {
                long long& total = rule.col == dnet_col::NB_IN ? totalIn : totalOut;
                total += v;
                if (v > kDNet_Max_Bytes_Per_Slave || total > kMap_Size)
                    return rowMessage(row, limitText(rule.col == dnet_col::NB_IN ? kText_DNet_Too_Many_IN
                                                                                 : kText_DNet_Too_Many_OUT));
            }
        }
    }
    return std::nullopt;
}

std::optional<QString> DNet_Check_Dropped_Rows(const TRowTable& table)
{
    const int gap = DNet_Used_Rows(table) + 1;
    for (int row = gap; row < table.RowCount(); ++row)
        for (int col = dnet_col::ID; col < table.Handled_Col_End(); ++col)
            if (!table.Cells(col, row).isEmpty())
                return rowMessage(gap, text(kText_DNet_Key_Gap));
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
                return rowMessage(int(i) + 1, text(kText_DNet_Missing_Attribute).arg(QLatin1String(name)));
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
