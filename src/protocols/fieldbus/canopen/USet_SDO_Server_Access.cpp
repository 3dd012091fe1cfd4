#include "protocols/fieldbus/canopen/USet_SDO_Server_Access.h"

#include "protocols/fieldbus/canopen/SdoColumns.h"

namespace fieldbus {

using namespace tables;
namespace col = sdo_server_col;

namespace {

constexpr TColumn Address(int header, int hint, const char* attr)
{
    return Sdo_Text(header, hint, 75, kSdoAddressColour, attr);
}

constexpr TColumn kReadColumns[] = {
    {.header = 3016, .width = 30},
    Sdo_Text(3017, 3034, 75, kSdoIdColour, "Index"),
    Sdo_Text(3018, 3035, 75, kSdoIdColour, "SubIndex"),
    Sdo_Text(3019, 3036, 60, kSdoIdColour, "NByte"),
    Address(3020, 3037, "Address_B1"),
    Address(3021, 3038, "Address_B2"),
    Address(3022, 3039, "Address_B3"),
    Address(3023, 3040, "Address_B4"),
    Sdo_Text(3024, 3041, 160, kSdoWhite, "Mnemonic"),
};
static_assert(std::size(kReadColumns) == col::Count);

constexpr TColumn kWriteColumns[] = {
    {.header = 3025, .width = 30},
    Sdo_Text(3026, 3042, 75, kSdoIdColour, "Index"),
    Sdo_Text(3027, 3043, 75, kSdoIdColour, "SubIndex"),
    Sdo_Text(3028, 3044, 60, kSdoIdColour, "NByte"),
    Address(3029, 3045, "Address_B1"),
    Address(3030, 3046, "Address_B2"),
    Address(3031, 3047, "Address_B3"),
    Address(3032, 3048, "Address_B4"),
    Sdo_Text(3033, 3049, 160, kSdoWhite, "Mnemonic"),
};
static_assert(std::size(kWriteColumns) == col::Count);

// The rules of one sheet: its first text (Index) and the size of the array its bytes use.
// Both sheets word their messages in the same order.
constexpr std::array<TRowRule, 7> Sheet_Rules(int first, int size)
{
    return {{
        {col::Index, "range", 0x2000, 0x5FFF, first},
        {col::SubIndex, "range", 0, 0xFF, first + 1},
        {.column = col::NByte, .check = kNByteCheck, .text = first + 2},
        Sdo_Address_Rule(col::Address_B1, 1, first + 3, size),
        Sdo_Address_Rule(col::Address_B1 + 1, 2, first + 4, size),
        Sdo_Address_Rule(col::Address_B1 + 2, 3, first + 5, size),
        Sdo_Address_Rule(col::Address_B1 + 3, 4, first + 6, size),
    }};
}

constexpr auto kReadRules = Sheet_Rules(3051, TFSet_SDO_Server_Access::PROFINET_NByte_IN);
constexpr auto kWriteRules = Sheet_Rules(3058, TFSet_SDO_Server_Access::PROFINET_NByte_OUT);

constexpr auto kConditions = Byte_Conditions(col::NByte);

// The write grid gets the read grid's Enter navigation, double-click sizing and row
// selection too: the two sheets are used the same way.
constexpr TGridDef kGrids[] = {
    {
        .name = "sga",
        .rows = TFSet_SDO_Server_Access::kRows,
        .columns = kReadColumns,
        .rules = {col::Index, true, kNoEnable, 3050, kReadRules},
        .conditions = kConditions,
        .deleteQuestion = 3065,
        .insertEnables = false,
        .clickSelectsRow = true,
        .section = "SDO_Read",
        .sheet = "TS_SDO_Read",
        .sheetCaption = 3014,
    },
    {
        .name = "sgb",
        .rows = TFSet_SDO_Server_Access::kRows,
        .columns = kWriteColumns,
        .rules = {col::Index, true, kNoEnable, 3050, kWriteRules},
        .conditions = kConditions,
        .deleteQuestion = 3065,
        .insertEnables = false,
        .clickSelectsRow = true,
        .section = "SDO_Write",
        .sheet = "TS_SDO_Write",
        .sheetCaption = 3015,
    },
};

constexpr TWindowDef kWindow{
    .name = "FSet_SDO_Server_Access",
    .clientWidth = 749,
    .clientHeight = 337,
    .caption = 3000,
    .title = 3001,
    .buttonCaptions = Six(3002),
    .buttonHints = Six(3008),
    .grids = kGrids,
    .root = "SDO_Server_CANopen",
    .file = &common::TProgramState::File_SDO_Server_CANopen,
    .sectionsRequired = true,
};

} // namespace

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), TS_SDO_Read(Sheet(0)), TS_SDO_Write(Sheet(1)), sga(Grid(0)), sgb(Grid(1))
{
}

void TFSet_SDO_Server_Access::Plug_Rules(int, TRuleRun& run) const
{
    Plug_NByte_Check(run);
}

} // namespace fieldbus
