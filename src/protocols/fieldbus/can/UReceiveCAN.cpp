#include "protocols/fieldbus/can/UReceiveCAN.h"

#include "protocols/fieldbus/can/CanColumns.h"

namespace fieldbus {

using namespace tables;
namespace col = can_rx_col;

namespace {

constexpr TColumn kColumns[] = {
    {.header = 2608, .width = 30},
    {2609, 2629, 50, kCanEnableColour, grid::edDataCheckBox, {}, 0, "Enable", TMissing::Text, "Y"},
    {2610, 2630, 90, kCanIdColour, grid::edNormal, {}, 0, "COBID"},
    {2611, 2631, 110, kCanIdColour, grid::edComboList, kCanTypes, 0, "CAN_Type"},
    {2612, 2632, 70, kCanIdColour, grid::edNormal, {}, 0, "Dim"},
    {2613, 2634, 70, kCanTimeColour, grid::edNormal, {}, 0, "TimeOut", TMissing::Text, "0"},
    Can_Byte_Column(2614, 2635, TFReceiveCAN::MAX_Byte, "Byte1"),
    Can_Byte_Column(2615, 2636, TFReceiveCAN::MAX_Byte, "Byte2"),
    Can_Byte_Column(2616, 2637, TFReceiveCAN::MAX_Byte, "Byte3"),
    Can_Byte_Column(2617, 2638, TFReceiveCAN::MAX_Byte, "Byte4"),
    Can_Byte_Column(2618, 2639, TFReceiveCAN::MAX_Byte, "Byte5"),
    Can_Byte_Column(2619, 2640, TFReceiveCAN::MAX_Byte, "Byte6"),
    Can_Byte_Column(2620, 2641, TFReceiveCAN::MAX_Byte, "Byte7"),
    Can_Byte_Column(2621, 2642, TFReceiveCAN::MAX_Byte, "Byte8"),
    {2622, 2643, 120, grid::clNone, grid::edNormal, {}, 0, "Mnemonic"},
};
static_assert(std::size(kColumns) == col::Count);

// Byte k is checked only within the frame's Dimension.
constexpr TRowRule Byte(int k, int text)
{
    return {.column = col::Byte1 + k - 1,
            .check = "range_or_none",
            .min = 0,
            .max = TFReceiveCAN::MAX_Byte - 1,
            .text = text,
            .withMax = true,
            .textAfter = 2650,
            .when = kByteWhen[k - 1]};
}

constexpr TRowRule kRules[] = {
    {.column = col::CobID, .check = "range", .min = 0, .max = 2047, .text = 2645, .when = "11_bits"},
    {.column = col::CobID, .check = "range", .min = 0, .max = 0x1FFFFFFF, .text = 2646, .when = "29_bits"},
    {col::Dimension, "range", 1, 8, 2647},
    {col::TimeOut, "range", 0, 100000000, 2648},
    Byte(1, 2649),
    Byte(2, 2651),
    Byte(3, 2652),
    Byte(4, 2653),
    Byte(5, 2654),
    Byte(6, 2655),
    Byte(7, 2656),
    Byte(8, 2657),
};

constexpr auto kConditions = Can_Conditions(col::Type, col::Dimension);

constexpr TGridDef kGrids[] = {{
    .name = "ACG_CAN_Receive",
    .rows = TFReceiveCAN::kRows,
    .columns = kColumns,
    .rules = {col::CobID, true, col::Enable, 2644, kRules},
    .conditions = kConditions,
    .deleteQuestion = 2658,
    .insertEnables = true,
}};

constexpr TWindowDef kWindow{
    .name = "FReceiveCAN",
    .clientWidth = 1010,
    .clientHeight = 337,
    .caption = 2600,
    .title = 2601,
    .buttonCaptions = Six(2602),
    .buttonHints = Six(2623),
    .grids = kGrids,
    .root = "Receive_Frames",
    .file = &common::TProgramState::File_CAN_Rec_Frames,
};

} // namespace

TFReceiveCAN::TFReceiveCAN(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), ACG_CAN_Receive(Grid(0))
{
}

} // namespace fieldbus
