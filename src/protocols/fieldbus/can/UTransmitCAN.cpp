#include "protocols/fieldbus/can/UTransmitCAN.h"

#include "protocols/fieldbus/can/CanColumns.h"

namespace fieldbus {

using namespace tables;
namespace col = can_tx_col;

namespace {

constexpr TColumn Trigger(int header, int hint, const char* attr, const char* missing)
{
    return {header, hint, 64, kCanTimeColour, grid::edDataCheckBox, {}, 0, attr, TMissing::Text, missing};
}

constexpr TColumn kColumns[] = {
    {.header = 2708, .width = 30},
    {2709, 2731, 50, kCanEnableColour, grid::edDataCheckBox, {}, 0, "Enable", TMissing::Text, "Y"},
    {2710, 2732, 85, kCanIdColour, grid::edNormal, {}, 0, "COBID"},
    {2711, 2733, 105, kCanIdColour, grid::edComboList, kCanTypes, 0, "CAN_Type", TMissing::Text, "2.0A (11 bits)"},
    {2712, 2734, 65, kCanIdColour, grid::edNormal, {}, 0, "Dim"},
    Trigger(2713, 2735, "OnChange", "Y"),
    Trigger(2762, 2763, "OnCMD", "N"),
    Trigger(2714, 2736, "OnTimer", "N"),
    // A missing Time means "0" only for a row sending on its timer.
    {2715, 2737, 55, kCanTimeColour, grid::edNormal, {}, 0, "Time", TMissing::Text, "0", col::OnTimer, "Y"},
    Can_Byte_Column(2716, 2738, TFTransmitCAN::MAX_Byte, "Byte1", 50),
    Can_Byte_Column(2717, 2739, TFTransmitCAN::MAX_Byte, "Byte2", 50),
    Can_Byte_Column(2718, 2740, TFTransmitCAN::MAX_Byte, "Byte3", 50),
    Can_Byte_Column(2719, 2741, TFTransmitCAN::MAX_Byte, "Byte4", 50),
    Can_Byte_Column(2720, 2742, TFTransmitCAN::MAX_Byte, "Byte5", 50),
    Can_Byte_Column(2721, 2743, TFTransmitCAN::MAX_Byte, "Byte6", 50),
    Can_Byte_Column(2722, 2744, TFTransmitCAN::MAX_Byte, "Byte7", 50),
    Can_Byte_Column(2723, 2745, TFTransmitCAN::MAX_Byte, "Byte8", 50),
    {2724, 2746, 100, grid::clNone, grid::edNormal, {}, 0, "Mnemonic"},
};
static_assert(std::size(kColumns) == col::Count);

// Byte k is checked only within the frame's Dimension.
constexpr TRowRule Byte(int k, int text)
{
    return {.column = col::Byte1 + k - 1,
            .check = "range_or_none",
            .min = 0,
            .max = TFTransmitCAN::MAX_Byte - 1,
            .text = text,
            .withMax = true,
            .textAfter = 2753,
            .when = kByteWhen[k - 1]};
}

constexpr TRowRule kRules[] = {
    {.column = col::CobID, .check = "range", .min = 0, .max = 2047, .text = 2748, .when = "11_bits"},
    {.column = col::CobID, .check = "range", .min = 0, .max = 0x1FFFFFFF, .text = 2749, .when = "29_bits"},
    {col::Dimension, "range", 1, 8, 2750},
    {.column = col::Time, .check = "range", .min = 0, .max = 100000000, .text = 2751, .when = "on_timer"},
    Byte(1, 2752),
    Byte(2, 2754),
    Byte(3, 2755),
    Byte(4, 2756),
    Byte(5, 2757),
    Byte(6, 2758),
    Byte(7, 2759),
    Byte(8, 2760),
};

constexpr auto kCanConditions = Can_Conditions(col::Type, col::Dimension);
constexpr auto kConditions = [] {
    std::array<TCondition, kCanConditions.size() + 1> all{};
    for (size_t i = 0; i < kCanConditions.size(); ++i)
        all[i] = kCanConditions[i];
    all.back() = {"on_timer", TCondition::IsY, col::OnTimer};
    return all;
}();

constexpr TGridDef kGrids[] = {{
    .name = "ACG_CAN_Transmit",
    .rows = TFTransmitCAN::kRows,
    .columns = kColumns,
    .rules = {col::CobID, true, col::Enable, 2747, kRules},
    .conditions = kConditions,
    .deleteQuestion = 2761,
    .insertEnables = true,
}};

constexpr TWindowDef kWindow{
    .name = "FTransmitCAN",
    .clientWidth = 1100,
    .clientHeight = 337,
    .caption = 2700,
    .title = 2701,
    .buttonCaptions = Six(2702),
    .buttonHints = Six(2725),
    .grids = kGrids,
    .root = "Transmit_Frames",
    .file = &common::TProgramState::File_CAN_Send_Frames,
};

} // namespace

TFTransmitCAN::TFTransmitCAN(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), ACG_CAN_Transmit(Grid(0))
{
}

} // namespace fieldbus
