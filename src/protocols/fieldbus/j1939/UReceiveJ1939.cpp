#include "protocols/fieldbus/j1939/UReceiveJ1939.h"

#include "protocols/fieldbus/j1939/J1939Frames.h"

namespace fieldbus {

using namespace tables;
namespace col = j1939_rx_col;

namespace {

constexpr TColumn kColumns[] = {
    {.header = 3714, .width = 30},
    Data_Page_Column(3715, 3725, 65),
    Text_Column(3716, 3726, 70, kPgnBlue, "PGN"),
    Text_Column(3717, 3727, 100, kPgnBlue, "SA"),
    Check_Column(3718, 3728, 110, kPgnYellow, "TP"),
    Text_Column(3719, 3729, 70, kPgnGreen, "TP_Start"),
    Text_Column(3720, 3730, 60, kPgnGreen, "TP_NByte"),
    Check_Column(3721, 3731, 80, kPgnPink, "Delete"),
    Check_Column(3722, 3732, 80, kPgnOrange, "OnRequest"),
    {3723, 3733, 70, kPgnOrange, grid::edNormal, {}, 0, "OnReq_Time", TMissing::Text, "1000"},
    Text_Column(3724, 3734, 110, kPgnWhite, "Mnemonic"),
};
static_assert(std::size(kColumns) == col::Count);

constexpr TRowRule kRules[] = {
    {col::Data_Page, "not_empty", 0, 0, 3736},
    {col::PGN, "range", 0, 0xFFFF, 3737},
    {col::Source_Address, "range", 0, 239, 3738},
    {.column = col::Start_Byte, .check = "range", .min = 0, .max = kTransport_Max, .text = 3739, .when = "transport"},
    {.column = col::N_Byte,
     .check = "start_plus_n",
     .min = 0,
     .max = kTransport_Max,
     .text = 3740,
     .when = "transport"},
    {.column = col::Start_Byte, .check = "both_given", .text = 3741, .when = "single_part"},
    {.column = col::Start_Byte, .check = "range", .min = 1, .max = 8, .text = 3742, .when = "single_part"},
    {.column = col::N_Byte, .check = "range", .min = 1, .max = 8, .text = 3743, .when = "single_part"},
    {.column = col::N_Byte, .check = "start_plus_n", .min = 1, .max = 8, .text = 3744, .when = "single_part"},
    {.column = col::N_Byte, .check = "frame_bytes", .max = TFReceiveJ1939::NUM_BYTE_IN, .text = 3745},
    // Bounds as the message words them: 0 and 1 ms are accepted too.
    {.column = col::Time, .check = "range", .min = 0, .max = 10000000, .text = 3746, .when = "on_request"},
};

constexpr TCondition kConditions[] = {{"on_request", TCondition::Exactly, col::On_Request, "Y"}};

constexpr TFrameColumns kFrame{.count = col::N_Byte, .start = col::Start_Byte, .transport = col::Transport};

constexpr TGridDef kGrids[] = {
    Pgn_Grid(TFReceiveJ1939::kRows, kColumns, col::PGN, 3735, kRules, kConditions, 3747),
};

constexpr TWindowDef kWindow{
    .name = "FReceiveJ1939",
    .clientWidth = 876,
    .clientHeight = 337,
    .caption = 3700,
    .title = 3701,
    .buttonCaptions = Six(3702),
    .buttonHints = Six(3708),
    .grids = kGrids,
    .root = "Receive_J1939",
    .file = &common::TProgramState::File_J1939_Rec_Frames,
};

} // namespace

TFReceiveJ1939::TFReceiveJ1939(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), sga(Grid(0))
{
}

void TFReceiveJ1939::Plug_Rules(int, TRuleRun& run) const
{
    Plug_Frame_Rules(run, kFrame);
}

} // namespace fieldbus
