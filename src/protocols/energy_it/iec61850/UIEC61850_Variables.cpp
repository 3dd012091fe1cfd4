#include "protocols/energy_it/iec61850/UIEC61850_Variables.h"

#include "common/UComonHelpers.h"
#include "common/ULanguage.h"

namespace energy_it {

using namespace tables;
namespace col = iec61850_var_col;

namespace {

constexpr std::string_view kTypes[] = {"Int", "Float", "Digital (Bit)"};
constexpr std::string_view kStartBits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};
constexpr std::string_view kConversions[] = {"None", "Int to Float", "Float to Int"};
constexpr std::string_view kFactors[] = {"None"};

// A check box whose missing attribute loads as the given flag.
constexpr TColumn Flag(int header, int hint, int width, const char* attr, const char* missing)
{
    return {.header = header,
            .hint = hint,
            .width = width,
            .editor = grid::edDataCheckBox,
            .attr = attr,
            .missing = TMissing::Text,
            .missingText = missing};
}

constexpr TColumn Text(int header, int hint, int width, const char* attr)
{
    return {.header = header, .hint = hint, .width = width, .attr = attr};
}

constexpr TColumn List(int header, int hint, int width, grid::TEditorType editor,
                       std::span<const std::string_view> items, const char* attr)
{
    return {.header = header, .hint = hint, .width = width, .editor = editor, .items = items, .attr = attr};
}

constexpr TColumn kColumns[] = {
    {.header = 3514, .width = 30},
    Flag(3515, 3522, 50, "Enable", "Y"),
    Text(3516, 3523, 150, "Name"),
    List(3517, 3524, 95, grid::edComboList, kTypes, "Type"),
    Text(3518, 3525, 50, "Length"),
    Flag(3519, 3526, 65, "ReadOnly", "N"),
    Text(3520, 3527, 60, "Position"),
    List(3532, 3535, 60, grid::edComboList, kStartBits, "StartBit"),
    List(3533, 3536, 95, grid::edComboList, kConversions, "Conversion"),
    List(3534, 3537, 80, grid::edComboEdit, kFactors, "MultiplicationFactor"),
    Flag(3542, 3544, 45, "Swap", "N"),
    Flag(3543, 3545, 70, "SwapWord", "N"),
    Text(3521, 3528, 265, "Mnemonic"),
};
static_assert(std::size(kColumns) == col::Count);

constexpr std::string_view kDigital = "digital";
constexpr std::string_view kFactorGiven = "factor_given";

// In the order they are checked on each row; the failure is "Error row " (3529), the row and
// the rule's text.
constexpr TRowRule kRules[] = {
    {col::Length, "range", 1, 4, 3541},
    {col::Position, "position", 0, 0, 3530}, // 0 .. NByte_IN - 1, which the failure names
    {.column = col::StartBit, .check = "not_empty", .text = 3538, .when = kDigital},
    {col::Conversion, "not_empty", 0, 0, 3539},
    {.column = col::MultiplicationFactor, .check = "float", .text = 3540, .when = kFactorGiven},
};

constexpr TCondition kConditions[] = {
    {kDigital, TCondition::Exactly, col::Type, "Digital (Bit)"},
};

constexpr TGridDef kGrids[] = {{
    .name = "ACG",
    .rows = TFIEC61850_Variables::kRows,
    .columns = kColumns,
    .rules = {col::Name, true, col::Enable, 3529, kRules},
    .conditions = kConditions,
    .deleteQuestion = 3531,
    .insertEnables = true,
    .clickSelectsRow = true,
}};

constexpr TWindowDef kWindow{
    .name = "FIEC61850_Variables",
    .clientWidth = 1155,
    .clientHeight = 337,
    .caption = 3500,
    .title = 3501,
    .buttonCaptions = Six(3502),
    .buttonHints = Six(3508),
    .grids = kGrids,
    .root = "IEC61850_Variables",
    .file = &common::TProgramState::File_IEC61850_Variables,
};

} // namespace

TFIEC61850_Variables::TFIEC61850_Variables(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), ACG(Grid(0))
{
}

void TFIEC61850_Variables::FormShow()
{
    NByte_IN = kNByte_IN;
    TTableWindow::FormShow();
}

void TFIEC61850_Variables::Plug_Rules(int, TRuleRun& run) const
{
    run.checks.emplace("position", [this](const TRuleCell& cell) -> std::optional<QString> {
        const int position = cell.Number();
        if (position >= 0 && position <= NByte_IN - 1)
            return std::nullopt;
        return cell.Failure(common::Lang_Text(cell.rule.text) + QString::number(NByte_IN - 1));
    });
    // "None" in any case stands for no factor.
    run.conditions.emplace(std::string(kFactorGiven), [](const TRuleCell& cell) {
        return common::upperAscii(common::trimBlanks(cell.Cell(col::MultiplicationFactor))) != QLatin1String("NONE");
    });
}

} // namespace energy_it
