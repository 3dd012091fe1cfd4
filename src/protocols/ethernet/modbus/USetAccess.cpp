#include "protocols/ethernet/modbus/USetAccess.h"

#include "common/UComonHelpers.h"
#include "protocols/ethernet/modbus/ModbusColumns.h"
#include "protocols/ethernet/modbus/ModbusRows.h"

namespace ethernet {

using namespace tables;
using namespace modbus_columns;
namespace rd = modbus_read_col;
namespace wr = modbus_write_col;

namespace {

constexpr TColumn kReadColumns[] = {
    Number(1916),
    Check(1917, 1943, 50, "Enable", "Y"),
    Text(1918, 1944, 70, "Slave_ID"),
    Pick(1919, 1945, 130, "Type", kRead_Types),
    Text(1920, 1946, 70, "Address"),
    Text(1921, 1947, 60, "NPoint"),
    Text(1922, 1948, 70, "PollTime"),
    Text(1923, 1949, 70, "MaxError"),
    Position(1924, 1950, TFSetAccess::NByte_IN, "Position"),
    Pick(1925, 1951, 60, "Bit", kStart_Bits),
    Check(1926, 1952, 50, "Swap", "N"),
    Check(1990, 1992, 70, "SwapWord", "N"),
    Topic(1942, 1953),
    Text(1927, 1954, 160, "Mnemonic"),
};
static_assert(std::size(kReadColumns) == rd::Count);

constexpr TColumn kWriteColumns[] = {
    Number(1928),
    Check(1929, 1955, 50, "Enable", "Y"),
    Text(1930, 1956, 70, "Slave_ID"),
    Pick(1931, 1957, 120, "Type", kWrite_Types),
    Text(1932, 1958, 70, "Address"),
    Text(1933, 1959, 60, "NPoint"),
    Text(1934, 1960, 70, "PollTime"),
    Check(1935, 1961, 70, "OnChange", nullptr),
    Check(1936, 1962, 60, "OnCMD", "N"),
    Text(1937, 1963, 70, "MaxError"),
    Position(1938, 1964, TFSetAccess::NByte_OUT, "Position"),
    Pick(1939, 1965, 60, "Bit", kStart_Bits),
    Check(1940, 1966, 50, "Swap", "N"),
    Check(1991, 1993, 70, "SwapWord", "N"),
    Text(1941, 1967, 100, "Mnemonic"),
};
static_assert(std::size(kWriteColumns) == wr::Count);

constexpr TRowRule kReadRules[] = {
    {rd::Slave_ID, "range", 1, 247, 1969},
    {rd::Type, "filled", 0, 0, 1970},
    {rd::Address, "range", 0, 65535, 1971},
    {.column = rd::NPoint, .check = "npoint", .text = 1972},
    {rd::PollTime, "range", 1, 100000000, 1973},
    {rd::MaxError, "range", 0, 100000000, 1974},
    {.column = rd::Position,
     .check = "range",
     .min = 0,
     .max = TFSetAccess::NByte_IN - 1,
     .text = 1975,
     .withMax = true},
    {.column = rd::Bit, .check = "not_empty", .text = 1976, .when = "status"},
    {.column = rd::Position, .check = "last_byte", .max = TFSetAccess::NByte_IN - 1, .text = 1977},
    {.column = rd::Topic, .check = "not_empty", .text = 1978, .when = "topic_shown"},
};

constexpr TRowRule kWriteRules[] = {
    {wr::Slave_ID, "range", 1, 247, 1979},
    {wr::Type, "filled", 0, 0, 1980},
    {wr::Address, "range", 0, 65535, 1981},
    {.column = wr::NPoint, .check = "npoint", .text = 1982},
    {wr::PollTime, "range", 0, 100000000, 1983},
    {wr::MaxError, "range", 0, 100000000, 1984},
    {.column = wr::Position,
     .check = "range",
     .min = 0,
     .max = TFSetAccess::NByte_OUT - 1,
     .text = 1985,
     .withMax = true},
    {.column = wr::Bit, .check = "not_empty", .text = 1986, .when = "status"},
    {.column = wr::Position, .check = "last_byte", .max = TFSetAccess::NByte_OUT - 1, .text = 1987},
};

constexpr TGridDef kGrids[] = {
    {
        .name = "ACG_Modbus_Read",
        .rows = TFSetAccess::kRows,
        .columns = kReadColumns,
        .rules = {rd::Slave_ID, true, rd::Enable, 1968, kReadRules},
        .deleteQuestion = 1988,
        .insertEnables = true,
        .clickSelectsRow = true,
        .section = "Modbus_Read",
        .sheet = "TS_Modbus_Read",
        .sheetCaption = 1914,
    },
    {
        .name = "ACG_Modbus_Write",
        .rows = TFSetAccess::kRows,
        .columns = kWriteColumns,
        .rules = {wr::Slave_ID, true, wr::Enable, 1968, kWriteRules},
        .deleteQuestion = 1988,
        .insertEnables = true,
        .clickSelectsRow = true,
        .section = "Modbus_Write",
        .sheet = "TS_Modbus_Write",
        .sheetCaption = 1915,
        .showHints = false,
    },
};

constexpr TWindowDef kWindow{
    .name = "FSetAccess",
    .clientWidth = 1040,
    .clientHeight = 337,
    .caption = 1900,
    .title = 1901,
    .buttonCaptions = Six(1902),
    .buttonHints = Six(1908),
    .grids = kGrids,
    .root = "EtherNetIP_to_Modbus",
    .file = &common::TProgramState::File_ModbusM_SetAccess,
    .sectionsRequired = true,
    .buttonHintShown = {false, false, false, false, false, false},
};

constexpr int kRead = 0;

} // namespace

TFSetAccess::TFSetAccess(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), TS_Modbus_Read(Sheet(0)), TS_Modbus_Write(Sheet(1)),
      ACG_Modbus_Read(Grid(0)), ACG_Modbus_Write(Grid(1)), ComboItem_Topic(size_t(kRows - 1), -1)
{
    ACG_Modbus_Read->OnComboChange = [this](grid::TQvStringGrid*, int col, int row, int item, const QString&) {
        if (col == rd::Topic && row >= 1 && row <= int(ComboItem_Topic.size()))
            ComboItem_Topic[size_t(row - 1)] = item;
    };
}

void TFSetAccess::FormShow()
{
    ACG_Modbus_Read->HideColumn(rd::Topic);
    ACG_Modbus_Read->UnHideColumn(rd::Position);
    ACG_Modbus_Read->UnHideColumn(rd::Bit);
    ComboItem_Topic.assign(size_t(kRows - 1), -1);
    TTableWindow::FormShow();
}

QString TFSetAccess::Get_Topic_From_Index(int Index) const
{
    return Topic_At(List_Publish_Topic, Index);
}

int TFSetAccess::Get_Index_From_Topic(const QString& Topic, int index) const
{
    if (index >= 0 && index < List_Publish_Topic.size() && List_Publish_Topic[index] == Topic)
        return index;
    return Topic_Index(List_Publish_Topic, Topic);
}

void TFSetAccess::Plug_Rules(int index, TRuleRun& run) const
{
    if (index == kRead) {
        Plug_Modbus_Rules(run, {rd::Type, rd::NPoint, rd::Position, rd::Bit}, TModbusTable::Read);
        const TTableGrid* read = ACG_Modbus_Read;
        run.conditions.emplace("topic_shown", [read](const TRuleCell&) { return !read->IsHiddenColumn(rd::Topic); });
    } else {
        Plug_Modbus_Rules(run, {wr::Type, wr::NPoint, wr::Position, wr::Bit}, TModbusTable::Write);
    }
}

QString TFSetAccess::Load_Text(int index, int col, int row, const QString& value)
{
    if (index != kRead || col != rd::Topic)
        return value;
    const int topic = common::strToIntDef(value, -1);
    ComboItem_Topic[size_t(row - 1)] = topic;
    return Get_Topic_From_Index(topic);
}

QString TFSetAccess::Save_Text(int index, int col, int row) const
{
    if (index != kRead || col != rd::Topic)
        return TTableWindow::Save_Text(index, col, row);
    // The file keeps the topic's index, and nothing while the column is not offered.
    if (ACG_Modbus_Read->IsHiddenColumn(rd::Topic))
        return QString();
    return QString::number(
        Get_Index_From_Topic(ACG_Modbus_Read->Cells(rd::Topic, row), ComboItem_Topic[size_t(row - 1)]));
}

} // namespace ethernet
