#include "protocols/fieldbus/canopen/USet_PDO_Access.h"

namespace fieldbus {

using namespace tables;
namespace col = pdo_col;

namespace {

constexpr platform::TColor kIdColour = Rgb(0xE0, 0xFA, 0xFE);
constexpr platform::TColor kAddressColour = Rgb(0xFC, 0xD6, 0xF4);
constexpr platform::TColor kTimeColour = Rgb(0xA8, 0xFF, 0xA8);
constexpr platform::TColor kWhite = Rgb(0xFF, 0xFF, 0xFF);

// Every attribute of the file is required: the EDS writer reads the file back.
constexpr TColumn Text(int header, int hint, int width, platform::TColor colour, const char* attr)
{
    return {header, hint, width, colour, grid::edNormal, {}, 0, attr, TMissing::Required};
}

constexpr TColumn Address(int header, int hint, const char* attr)
{
    return Text(header, hint, 48, kAddressColour, attr);
}

constexpr TColumn kReceiveColumns[] = {
    {.header = 2816, .width = 30},
    Text(2817, 2843, 65, kIdColour, "COB-ID"),
    Text(2818, 2844, 65, kIdColour, "Dimension"),
    Address(2819, 2845, "Address_B1"),
    Address(2820, 2846, "Address_B2"),
    Address(2821, 2847, "Address_B3"),
    Address(2822, 2848, "Address_B4"),
    Address(2823, 2849, "Address_B5"),
    Address(2824, 2850, "Address_B6"),
    Address(2825, 2851, "Address_B7"),
    Address(2826, 2852, "Address_B8"),
    Text(2827, 2853, 70, kTimeColour, "TimeOut"),
    Text(2828, 2854, 130, kWhite, "Mnemonic"),
};
static_assert(std::size(kReceiveColumns) == col::Receive_Count);

constexpr TColumn kTransmitColumns[] = {
    {.header = 2829, .width = 30},
    Text(2830, 2855, 65, kIdColour, "COB-ID"),
    Text(2831, 2856, 65, kIdColour, "Dimension"),
    Address(2832, 2857, "Address_B1"),
    Address(2833, 2858, "Address_B2"),
    Address(2834, 2859, "Address_B3"),
    Address(2835, 2860, "Address_B4"),
    Address(2836, 2861, "Address_B5"),
    Address(2837, 2862, "Address_B6"),
    Address(2838, 2863, "Address_B7"),
    Address(2839, 2864, "Address_B8"),
    Text(2840, 2865, 70, kTimeColour, "Send_Time"),
    {2841, 2866, 70, kTimeColour, grid::edDataCheckBox, {}, 0, "On_Change", TMissing::Required, "", -1, "", true},
    Text(2842, 2867, 75, kWhite, "Mnemonic"),
};
static_assert(std::size(kTransmitColumns) == col::Transmit_Count);

// Address byte k is checked only within the PDO's Dimension, against the array's size.
constexpr TRowRule Address_Rule(int k, int text, int size)
{
    return {.column = col::Address_B1 + k - 1,
            .check = "range",
            .min = 0,
            .max = size - 1,
            .text = text,
            .withMax = true,
            .when = kByteWhen[k - 1]};
}

constexpr int kIn = TFSet_PDO_Access::PROFINET_NByte_IN;
constexpr int kOut = TFSet_PDO_Access::PROFINET_NByte_OUT;

constexpr TRowRule kReceiveRules[] = {
    {col::COB_ID, "range", 0, 0x7FF, 2869},
    {col::Dimension, "range", 1, 8, 2870},
    Address_Rule(1, 2871, kIn),
    Address_Rule(2, 2872, kIn),
    Address_Rule(3, 2873, kIn),
    Address_Rule(4, 2874, kIn),
    Address_Rule(5, 2875, kIn),
    Address_Rule(6, 2876, kIn),
    Address_Rule(7, 2877, kIn),
    Address_Rule(8, 2878, kIn),
    {col::TimeOut, "range", 0, 65535, 2879},
};

constexpr TRowRule kTransmitRules[] = {
    {col::COB_ID, "range", 0, 0x7FF, 2880},
    {col::Dimension, "range", 1, 8, 2881},
    Address_Rule(1, 2882, kOut),
    Address_Rule(2, 2883, kOut),
    Address_Rule(3, 2884, kOut),
    Address_Rule(4, 2885, kOut),
    Address_Rule(5, 2886, kOut),
    Address_Rule(6, 2887, kOut),
    Address_Rule(7, 2888, kOut),
    Address_Rule(8, 2889, kOut),
    {col::Send_Time, "range", 0, 100000000, 2890},
};

constexpr auto kConditions = Byte_Conditions(col::Dimension);

constexpr TGridDef kGrids[] = {
    {
        .name = "sga",
        .rows = TFSet_PDO_Access::kRows,
        .columns = kReceiveColumns,
        .rules = {col::COB_ID, true, kNoEnable, 2868, kReceiveRules},
        .conditions = kConditions,
        .deleteQuestion = 2891,
        .insertEnables = false,
        .clickSelectsRow = true,
        .section = "Receive_PDO",
        .sheet = "TS_Receive_PDO",
        .sheetCaption = 2814,
    },
    {
        .name = "sgb",
        .rows = TFSet_PDO_Access::kRows,
        .columns = kTransmitColumns,
        .rules = {col::COB_ID, true, kNoEnable, 2868, kTransmitRules},
        .conditions = kConditions,
        .deleteQuestion = 2891,
        .insertEnables = false,
        .clickSelectsRow = true,
        .section = "Transmit_PDO",
        .sheet = "TS_Transmit_PDO",
        .sheetCaption = 2815,
    },
};

constexpr TWindowDef kWindow{
    .name = "FSet_PDO_Access",
    .clientWidth = 798,
    .clientHeight = 337,
    .caption = 2800,
    .title = 2801,
    .buttonCaptions = Six(2802),
    .buttonHints = Six(2808),
    .grids = kGrids,
    .root = "PDO_CANopen",
    .file = &common::TProgramState::File_PDO_CANopen,
    .sectionsRequired = true,
};

} // namespace

TFSet_PDO_Access::TFSet_PDO_Access(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), TS_Receive_PDO(Sheet(0)), TS_Transmit_PDO(Sheet(1)), sga(Grid(0)),
      sgb(Grid(1))
{
}

} // namespace fieldbus
