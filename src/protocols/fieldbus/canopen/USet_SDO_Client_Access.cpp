#include "protocols/fieldbus/canopen/USet_SDO_Client_Access.h"

#include "protocols/fieldbus/canopen/SdoColumns.h"

namespace fieldbus {

using namespace tables;
namespace col = sdo_client_col;

namespace {

constexpr TColumn Address(int header, int hint, const char* attr)
{
    return Sdo_Text(header, hint, 65, kSdoAddressColour, attr);
}

constexpr TColumn kReadColumns[] = {
    {.header = 2916, .width = 30},
    Sdo_Text(2917, 2939, 70, kSdoIdColour, "Device_ID"),
    Sdo_Text(2918, 2940, 60, kSdoIdColour, "Index"),
    Sdo_Text(2919, 2941, 65, kSdoIdColour, "SubIndex"),
    Sdo_Text(2920, 2942, 55, kSdoIdColour, "NByte"),
    Sdo_Text(2921, 2943, 70, kSdoTimeColour, "Poll_Time"),
    Address(2922, 2944, "Address_B1"),
    Address(2923, 2945, "Address_B2"),
    Address(2924, 2946, "Address_B3"),
    Address(2925, 2947, "Address_B4"),
    Sdo_Text(2926, 2948, 150, kSdoWhite, "Mnemonic"),
};
static_assert(std::size(kReadColumns) == col::Read_Count);

constexpr TColumn kWriteColumns[] = {
    {.header = 2927, .width = 30},
    Sdo_Text(2928, 2949, 70, kSdoIdColour, "Device_ID"),
    Sdo_Text(2929, 2950, 60, kSdoIdColour, "Index"),
    Sdo_Text(2930, 2951, 65, kSdoIdColour, "SubIndex"),
    Sdo_Text(2931, 2952, 55, kSdoIdColour, "NByte"),
    Sdo_Text(2932, 2953, 70, kSdoTimeColour, "Poll_Time"),
    {2933, 2954, 75, kSdoTimeColour, grid::edDataCheckBox, {}, 0, "On_Change", TMissing::Required, "", -1, "", true},
    Address(2934, 2955, "Address_B1"),
    Address(2935, 2956, "Address_B2"),
    Address(2936, 2957, "Address_B3"),
    Address(2937, 2958, "Address_B4"),
    Sdo_Text(2938, 2959, 90, kSdoWhite, "Mnemonic"),
};
static_assert(std::size(kWriteColumns) == col::Write_Count);

// The rules of one sheet: its first text (Device ID), the least poll time, where its
// addresses start and the size of the array they point into. The read sheet's Address
// Byte3 and Byte4 texts sit at the end of its run, after Byte2.
struct TSheet {
    int first;
    int leastPoll;
    int address;
    int size;
    int byte3Text;
};

constexpr std::array<TRowRule, 9> Sheet_Rules(TSheet s)
{
    return {{
        {col::Device_ID, "range", 1, 127, s.first},
        {col::Index, "range", 0x1000, 0xFFFF, s.first + 1},
        {col::SubIndex, "range", 0, 0xFF, s.first + 2},
        {.column = col::NByte, .check = kNByteCheck, .text = s.first + 3},
        {col::Poll_Time, "range", s.leastPoll, 100000000, s.first + 4},
        Sdo_Address_Rule(s.address, 1, s.first + 5, s.size),
        Sdo_Address_Rule(s.address + 1, 2, s.first + 6, s.size),
        Sdo_Address_Rule(s.address + 2, 3, s.byte3Text, s.size),
        Sdo_Address_Rule(s.address + 3, 4, s.byte3Text + 1, s.size),
    }};
}

constexpr auto kReadRules =
    Sheet_Rules({2961, 1, col::Read_Address_B1, TFSet_SDO_Client_Access::PROFINET_NByte_IN, 2968});
constexpr auto kWriteRules =
    Sheet_Rules({2970, 0, col::Write_Address_B1, TFSet_SDO_Client_Access::PROFINET_NByte_OUT, 2977});

constexpr auto kConditions = Byte_Conditions(col::NByte);

constexpr TGridDef kGrids[] = {
    {
        .name = "sga",
        .rows = TFSet_SDO_Client_Access::kRows,
        .columns = kReadColumns,
        .rules = {col::Device_ID, true, kNoEnable, 2960, kReadRules},
        .conditions = kConditions,
        .deleteQuestion = 2979,
        .insertEnables = false,
        .clickSelectsRow = true,
        .section = "SDO_Read",
        .sheet = "TS_SDO_Read",
        .sheetCaption = 2914,
    },
    {
        .name = "sgb",
        .rows = TFSet_SDO_Client_Access::kRows,
        .columns = kWriteColumns,
        .rules = {col::Device_ID, true, kNoEnable, 2960, kWriteRules},
        .conditions = kConditions,
        .deleteQuestion = 2979,
        .insertEnables = false,
        .clickSelectsRow = true,
        .section = "SDO_Write",
        .sheet = "TS_SDO_Write",
        .sheetCaption = 2915,
    },
};

constexpr TWindowDef kWindow{
    .name = "FSet_SDO_Client_Access",
    .clientWidth = 798,
    .clientHeight = 337,
    .caption = 2900,
    .title = 2901,
    .buttonCaptions = Six(2902),
    .buttonHints = Six(2908),
    .grids = kGrids,
    .root = "SDO_Client_CANopen",
    .file = &common::TProgramState::File_SDO_Client_CANopen,
    .sectionsRequired = true,
};

} // namespace

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), TS_SDO_Read(Sheet(0)), TS_SDO_Write(Sheet(1)), sga(Grid(0)), sgb(Grid(1))
{
}

void TFSet_SDO_Client_Access::Plug_Rules(int, TRuleRun& run) const
{
    Plug_NByte_Check(run);
}

} // namespace fieldbus
