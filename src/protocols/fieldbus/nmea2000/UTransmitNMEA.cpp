#include "protocols/fieldbus/nmea2000/UTransmitNMEA.h"

#include "protocols/fieldbus/j1939/J1939Frames.h"

namespace fieldbus {

using namespace tables;
namespace col = nmea_tx_col;

namespace {

constexpr TColumn kColumns[] = {
    {.header = 4214, .width = 30},
    Text_Column(4215, 4225, 55, kPgnBlue, "Priority"),
    Text_Column(4216, 4226, 75, kPgnBlue, "PGN"),
    Text_Column(4217, 4227, 100, kPgnBlue, "SA"),
    Check_Column(4218, 4228, 80, kPgnPink, "FP"),
    Text_Column(4219, 4229, 65, kPgnYellow, "TP_NByte"),
    Check_Column(4220, 4230, 60, kPgnGreen, "On_Request"),
    Check_Column(4221, 4231, 80, kPgnGreen, "On_Data_Change"),
    Check_Column(4222, 4232, 65, kPgnGreen, "On_Timer"),
    Text_Column(4223, 4233, 75, kPgnGreen, "SendTimer"),
    Text_Column(4224, 4234, 100, kPgnWhite, "Mnemonic"),
};
static_assert(std::size(kColumns) == col::Count);

constexpr TRowRule kRules[] = {
    {col::Priority, "range", 0, 7, 4236},
    {col::PGN, "range", 0, 0x1FFFF, 4237},
    {col::Source_Address, "range", 0, 239, 4238},
    {.column = col::Num_Byte,
     .check = "range",
     .min = 0,
     .max = TFTransmitNMEA::NUM_BYTE_OUT,
     .text = 4239,
     .withMax = true},
    {.column = col::Num_Byte, .check = "frame_bytes", .max = TFTransmitNMEA::NUM_BYTE_OUT, .text = 4240},
    {.column = col::Send_Timer, .check = "range", .min = 1, .max = 65535, .text = 4241, .when = "on_timer"},
};

constexpr TCondition kConditions[] = {{"on_timer", TCondition::Exactly, col::On_Timer, "Y"}};

constexpr TFrameColumns kFrame{.count = col::Num_Byte};

constexpr TGridDef transmitGrid()
{
    TGridDef grid = Pgn_Grid(TFTransmitNMEA::kRows, kColumns, col::PGN, 4235, kRules, kConditions, 4242);
    grid.showHints = false;
    return grid;
}
constexpr TGridDef kGrids[] = {transmitGrid()};

constexpr TWindowDef kWindow{
    .name = "FTransmitNMEA",
    .clientWidth = 810,
    .clientHeight = 337,
    .caption = 4200,
    .title = 4201,
    .buttonCaptions = Six(4202),
    .buttonHints = Six(4208),
    .grids = kGrids,
    .root = "Receive_NMEA_2000",
    .file = &common::TProgramState::File_NMEA_Send_Frames,
};

} // namespace

TFTransmitNMEA::TFTransmitNMEA(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), sga(Grid(0))
{
}

void TFTransmitNMEA::Plug_Rules(int, TRuleRun& run) const
{
    Plug_Frame_Rules(run, kFrame);
}

} // namespace fieldbus
