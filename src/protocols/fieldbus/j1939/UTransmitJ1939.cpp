#include "protocols/fieldbus/j1939/UTransmitJ1939.h"

#include "common/UComonHelpers.h"
#include "platform/Xml.h"
#include "protocols/fieldbus/j1939/J1939Frames.h"
#include "tables/XmlRows.h"

namespace fieldbus {

using namespace tables;
namespace col = j1939_tx_col;

namespace {

constexpr TColumn kColumns[] = {
    {.header = 3814, .width = 30},
    Text_Column(3815, 3825, 55, kPgnBlue, "Priority"),
    Data_Page_Column(3816, 3826, 70),
    Text_Column(3817, 3827, 75, kPgnBlue, "PGN"),
    Text_Column(3818, 3828, 100, kPgnBlue, "SA"),
    // Empty as well as missing loads 8 (Row_Loaded).
    {3819, 3829, 60, kPgnYellow, grid::edNormal, {}, 0, "TP_NByte", TMissing::Text, "8"},
    Check_Column(3820, 3830, 60, kPgnGreen, "On_Request"),
    Check_Column(3821, 3831, 80, kPgnGreen, "On_Data_Change"),
    Check_Column(3822, 3832, 65, kPgnGreen, "On_Timer"),
    Text_Column(3823, 3833, 75, kPgnGreen, "SendTimer"),
    Text_Column(3824, 3834, 110, kPgnWhite, "Mnemonic"),
};
static_assert(std::size(kColumns) == col::Count);

constexpr TRowRule kRules[] = {
    {col::Priority, "range", 0, 7, 3836},
    {col::Data_Page, "not_empty", 0, 0, 3837},
    {col::PGN, "range", 0, 0x1FFFF, 3838},
    {col::Source_Address, "range", 0, 255, 3839},
    {.column = col::N_Bytes,
     .check = "range",
     .min = 0,
     .max = TFTransmitJ1939::NUM_BYTE_OUT,
     .text = 3840,
     .withMax = true},
    {.column = col::N_Bytes, .check = "frame_bytes", .max = TFTransmitJ1939::NUM_BYTE_OUT, .text = 3841},
    {.column = col::Send_Timer, .check = "range", .min = 1, .max = 65535, .text = 3842, .when = "on_timer"},
};

constexpr TCondition kConditions[] = {{"on_timer", TCondition::Exactly, col::On_Timer, "Y"}};

constexpr TFrameColumns kFrame{.count = col::N_Bytes};

constexpr TGridDef kGrids[] = {
    Pgn_Grid(TFTransmitJ1939::kRows, kColumns, col::PGN, 3835, kRules, kConditions, 3843),
};

constexpr TWindowDef kWindow{
    .name = "FTransmitJ1939",
    .clientWidth = 800,
    .clientHeight = 337,
    .caption = 3800,
    .title = 3801,
    .buttonCaptions = Six(3802),
    .buttonHints = Six(3808),
    .grids = kGrids,
    .root = "Transmit_J1939",
    .file = &common::TProgramState::File_J1939_Send_Frames,
};

// The older trigger attribute: one of two values, upper-cased; it replaces the three trigger
// attributes of its row.
constexpr const char* kOld_Trigger = "T_Type";
struct TOldTrigger {
    const char* value;
    int column;
};
constexpr TOldTrigger kOldTriggers[] = {{"ON DATA CHANGE", col::Data_Change}, {"ON TIMER", col::On_Timer}};

} // namespace

TFTransmitJ1939::TFTransmitJ1939(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), sga(Grid(0))
{
}

void TFTransmitJ1939::Plug_Rules(int, TRuleRun& run) const
{
    Plug_Frame_Rules(run, kFrame);
}

void TFTransmitJ1939::Row_Loaded(int, const pugi::xml_node& node, int row)
{
    if (sga->Cells(col::N_Bytes, row).isEmpty())
        sga->SetCells(col::N_Bytes, row, QStringLiteral("8"));
    const TAttr trigger = readAttr(node, kOld_Trigger);
    if (!trigger)
        return;
    const QString value = common::upperAscii(*trigger);
    for (int c : {col::Request, col::Data_Change, col::On_Timer})
        sga->SetCells(c, row, QStringLiteral("N"));
    for (const TOldTrigger& t : kOldTriggers)
        if (value == QLatin1String(t.value))
            sga->SetCells(t.column, row, QStringLiteral("Y"));
}

} // namespace fieldbus
