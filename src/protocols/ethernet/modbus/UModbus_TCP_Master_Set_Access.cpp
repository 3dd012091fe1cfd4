#include "protocols/ethernet/modbus/UModbus_TCP_Master_Set_Access.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "protocols/ethernet/modbus/ModbusColumns.h"
#include "protocols/ethernet/modbus/ModbusRows.h"

namespace ethernet {

using namespace tables;
using namespace modbus_columns;
namespace rd = modbus_tcp_read_col;
namespace wr = modbus_tcp_write_col;
using TWindow = TFModbus_TCP_Master_Set_Access;

namespace {

constexpr TColumn kReadColumns[] = {
    Number(2008),
    Check(2009, 2069, 50, "Enable", "Y"),
    Text(2010, 2070, 110, "IP_Address"),
    Text(2011, 2071, 50, "Port"),
    Text(2012, 2072, 60, "Slave_ID"),
    Pick(2013, 2073, 120, "Type", kRead_Types),
    Text(2014, 2074, 65, "Address"),
    Text(2015, 2075, 55, "NPoint"),
    Text(2016, 2076, 65, "PollTime"),
    Text(2017, 2077, 65, "MaxError"),
    Position(2018, 2078, TWindow::NByte_IN, "Position"),
    Pick(2019, 2079, 60, "Bit", kStart_Bits),
    Check(2020, 2080, 45, "Swap", "N"),
    Check(2100, 2102, 70, "SwapWord", "N"),
    Topic(2062, 2081),
    Text(2021, 2082, 110, "Mnemonic"),
};
static_assert(std::size(kReadColumns) == rd::Count);

constexpr TColumn kWriteColumns[] = {
    Number(2022),
    Check(2023, 2083, 50, "Enable", "Y"),
    Text(2024, 2084, 110, "IP_Address"),
    Text(2025, 2085, 50, "Port"),
    Text(2026, 2086, 60, "Slave_ID"),
    Pick(2027, 2087, 120, "Type", kWrite_Types),
    Text(2028, 2088, 65, "Address"),
    Text(2029, 2089, 55, "NPoint"),
    Text(2030, 2090, 65, "PollTime"),
    Check(2031, 2091, 70, "OnChange", nullptr),
    Check(2032, 2092, 60, "OnCMD", "N"),
    Text(2033, 2093, 65, "MaxError"),
    Position(2034, 2094, TWindow::NByte_OUT, "Position"),
    Pick(2035, 2095, 60, "Bit", kStart_Bits),
    Check(2036, 2096, 45, "Swap", "N"),
    Check(2101, 2103, 70, "SwapWord", "N"),
    Text(2037, 2097, 90, "Mnemonic"),
};
static_assert(std::size(kWriteColumns) == wr::Count);

constexpr TRowRule kReadRules[] = {
    {.column = rd::IP_Address, .check = "ip_address", .text = 2039},
    {rd::Port, "range", 0, 65535, 2040},
    {rd::Slave_ID, "range", 1, 247, 2041},
    {rd::Type, "filled", 0, 0, 2042},
    {rd::Address, "range", 0, 65535, 2043},
    {.column = rd::NPoint, .check = "npoint", .text = 2044},
    {rd::PollTime, "range", 1, 100000000, 2099},
    {rd::MaxError, "range", 0, 100000000, 2046},
    {.column = rd::Position, .check = "range", .min = 0, .max = TWindow::NByte_IN - 1, .text = 2047, .withMax = true},
    {.column = rd::Bit, .check = "not_empty", .text = 2048, .when = "status"},
    {.column = rd::Position, .check = "last_byte", .max = TWindow::NByte_IN - 1, .text = 2049},
    {.column = rd::Topic, .check = "not_empty", .text = 2098, .when = "topic_shown"},
};

constexpr TRowRule kWriteRules[] = {
    {.column = wr::IP_Address, .check = "ip_address", .text = 2050},
    {wr::Port, "range", 0, 65535, 2051},
    {wr::Slave_ID, "range", 1, 247, 2052},
    {wr::Type, "filled", 0, 0, 2053},
    {wr::Address, "range", 0, 65535, 2054},
    {.column = wr::NPoint, .check = "npoint", .text = 2055},
    {wr::PollTime, "range", 0, 100000000, 2056},
    {wr::MaxError, "range", 0, 100000000, 2057},
    {.column = wr::Position, .check = "range", .min = 0, .max = TWindow::NByte_OUT - 1, .text = 2058, .withMax = true},
    {.column = wr::Bit, .check = "not_empty", .text = 2059, .when = "status"},
    {.column = wr::Position, .check = "last_byte", .max = TWindow::NByte_OUT - 1, .text = 2060},
};

constexpr TGridDef kGrids[] = {
    {
        .name = "ACG_Modbus_Read",
        .rows = TWindow::kRows,
        .columns = kReadColumns,
        .rules = {rd::IP_Address, true, rd::Enable, 2038, kReadRules},
        .deleteQuestion = 2061,
        .insertEnables = true,
        .clickSelectsRow = true,
        .section = "Modbus_Read",
        .sheet = "TS_Modbus_Read",
        .sheetCaption = 2006,
        // Enter keeps the cell in the read table: only the write table binds the jump.
        .enterNextCell = false,
        .showHints = false,
    },
    {
        .name = "ACG_Modbus_Write",
        .rows = TWindow::kRows,
        .columns = kWriteColumns,
        .rules = {wr::IP_Address, true, wr::Enable, 2038, kWriteRules},
        .deleteQuestion = 2061,
        .insertEnables = true,
        .clickSelectsRow = true,
        .section = "Modbus_Write",
        .sheet = "TS_Modbus_Write",
        .sheetCaption = 2007,
        .showHints = false,
    },
};

// Copy Row and Paste Row keep their captions in every language (0: set once below).
constexpr TWindowDef kWindow{
    .name = "FModbus_TCP_Master_Set_Access",
    .clientWidth = 1150,
    .clientHeight = 337,
    .caption = 2000,
    .title = 2001,
    .buttonCaptions = {2002, 2003, 2004, 2005, 0, 0},
    .buttonHints = Six(2063),
    .grids = kGrids,
    .root = "PROFINET_Master_to_Modbus_TCP_Master",
    .file = &common::TProgramState::File_ModbusTCPM_SetAccess,
    .sectionsRequired = true,
    .buttonHintShown = {false, false, false, false, false, false},
};

constexpr int kRead = 0;

std::optional<QString> ipAddressCheck(const TRuleCell& cell)
{
    if (!TWindow::Check_IP_Address(cell.Text()))
        return std::nullopt;
    return cell.Failure();
}

} // namespace

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), TS_Modbus_Read(Sheet(0)), TS_Modbus_Write(Sheet(1)),
      ACG_Modbus_Read(Grid(0)), ACG_Modbus_Write(Grid(1))
{
    Btn_CopyRow->setCaption(QStringLiteral("Copy Row"));
    Btn_PasteRow->setCaption(QStringLiteral("Paste Row"));
}

void TFModbus_TCP_Master_Set_Access::FormShow()
{
    ACG_Modbus_Read->HideColumn(rd::Topic);
    ACG_Modbus_Read->UnHideColumn(rd::Position);
    ACG_Modbus_Read->UnHideColumn(rd::Bit);
    TTableWindow::FormShow();
}

bool TFModbus_TCP_Master_Set_Access::Check_IP_Address(const QString& IP_Address)
{
    std::uint8_t a = 0, b = 0, c = 0, d = 0;
    return common::Parse_IP_Bytes(IP_Address, a, b, c, d);
}

QString TFModbus_TCP_Master_Set_Access::Get_Topic_From_Index(int Index) const
{
    return Topic_At(List_Publish_Topic, Index);
}

int TFModbus_TCP_Master_Set_Access::Get_Index_From_Topic(const QString& Topic) const
{
    return Topic_Index(List_Publish_Topic, Topic);
}

void TFModbus_TCP_Master_Set_Access::Plug_Rules(int index, TRuleRun& run) const
{
    run.checks.emplace("ip_address", ipAddressCheck);
    if (index == kRead) {
        Plug_Modbus_Rules(run, {rd::Type, rd::NPoint, rd::Position, rd::Bit}, TModbusTable::Read);
        const TTableGrid* read = ACG_Modbus_Read;
        run.conditions.emplace("topic_shown", [read](const TRuleCell&) { return !read->IsHiddenColumn(rd::Topic); });
    } else {
        Plug_Modbus_Rules(run, {wr::Type, wr::NPoint, wr::Position, wr::Bit}, TModbusTable::Write);
    }
}

QString TFModbus_TCP_Master_Set_Access::Load_Text(int index, int col, int, const QString& value)
{
    if (index != kRead || col != rd::Topic)
        return value;
    return Get_Topic_From_Index(common::strToIntDef(value, -1));
}

QString TFModbus_TCP_Master_Set_Access::Save_Text(int index, int col, int row) const
{
    if (index != kRead || col != rd::Topic)
        return TTableWindow::Save_Text(index, col, row);
    // The file keeps the topic's index, shown or not.
    return QString::number(Get_Index_From_Topic(ACG_Modbus_Read->Cells(rd::Topic, row)));
}

} // namespace ethernet
