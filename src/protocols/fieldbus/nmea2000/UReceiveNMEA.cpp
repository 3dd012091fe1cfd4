#include "protocols/fieldbus/nmea2000/UReceiveNMEA.h"

#include "protocols/fieldbus/j1939/J1939Frames.h"

namespace fieldbus {

using namespace tables;
namespace col = nmea_rx_col;

namespace {

constexpr TColumn kColumns[] = {
    {.header = 4114, .width = 30},
    Text_Column(4115, 4123, 75, kPgnBlue, "PGN"),
    Text_Column(4116, 4124, 100, kPgnBlue, "SA"),
    Check_Column(4117, 4125, 110, kPgnYellow, "TP"),
    Check_Column(4118, 4126, 80, kPgnYellow, "FP"),
    Text_Column(4119, 4127, 70, kPgnGreen, "TP_Start"),
    Text_Column(4120, 4128, 60, kPgnGreen, "TP_NByte"),
    Check_Column(4121, 4129, 80, kPgnPink, "Delete"),
    Text_Column(4122, 4130, 185, kPgnWhite, "Mnemonic"),
};
static_assert(std::size(kColumns) == col::Count);

constexpr TRowRule kRules[] = {
    {col::PGN, "range", 0, 0x1FFFF, 4132},
    {col::Source_Address, "range", 0, 239, 4133},
    {.column = col::Start_Byte, .check = "range", .min = 0, .max = kTransport_Max, .text = 4134, .when = "transport"},
    {.column = col::N_Byte,
     .check = "start_plus_n",
     .min = 0,
     .max = kTransport_Max,
     .text = 4135,
     .when = "transport"},
    {.column = col::Start_Byte,
     .check = "range",
     .min = 0,
     .max = kFast_Packet_Max,
     .text = 4136,
     .when = "fast_packet"},
    {.column = col::N_Byte,
     .check = "start_plus_n",
     .min = 0,
     .max = kFast_Packet_Max,
     .text = 4137,
     .when = "fast_packet"},
    {.column = col::Start_Byte, .check = "both_given", .text = 4138, .when = "single_part"},
    {.column = col::Start_Byte, .check = "range", .min = 1, .max = 8, .text = 4139, .when = "single_part"},
    {.column = col::N_Byte, .check = "range", .min = 1, .max = 8, .text = 4140, .when = "single_part"},
    {.column = col::N_Byte, .check = "start_plus_n", .min = 1, .max = 8, .text = 4141, .when = "single_part"},
    {.column = col::N_Byte, .check = "frame_bytes", .max = TFReceiveNMEA::NUM_BYTE_IN, .text = 4142},
};

constexpr TFrameColumns kFrame{
    .count = col::N_Byte, .start = col::Start_Byte, .transport = col::Transport, .fastPacket = col::Fast_Packet};

constexpr TGridDef kGrids[] = {
    Pgn_Grid(TFReceiveNMEA::kRows, kColumns, col::PGN, 4131, kRules, {}, 4143),
};

constexpr TWindowDef kWindow{
    .name = "FReceiveNMEA",
    .clientWidth = 810,
    .clientHeight = 337,
    .caption = 4100,
    .title = 4101,
    .buttonCaptions = Six(4102),
    .buttonHints = Six(4108),
    .grids = kGrids,
    .root = "Receive_NMEA_2000",
    .file = &common::TProgramState::File_NMEA_Rec_Frames,
};

} // namespace

TFReceiveNMEA::TFReceiveNMEA(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), sga(Grid(0))
{
}

void TFReceiveNMEA::Plug_Rules(int, TRuleRun& run) const
{
    Plug_Frame_Rules(run, kFrame);
}

} // namespace fieldbus
