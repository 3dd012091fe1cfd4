#include "protocols/energy_it/snmp/USNMP_Trap_Access.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/ULanguage.h"
#include "protocols/energy_it/snmp/SnmpNames.h"

#include <QTabWidget>

namespace energy_it {

using namespace tables;
namespace rc = snmp_read_col;
namespace wc = snmp_write_col;

namespace {

// The read-only and the read-write community of common use.
constexpr std::string_view kCommunities[] = {"Public", "Private"};
constexpr std::string_view kTypes[] = {"Int", "String"};
constexpr std::string_view kBits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};
constexpr std::string_view kConversions[] = {"None", "Float", "Float * 10", "Float * 100", "Float / 10", "Float / 100"};

// "A reserved name" texts: the module defines an object of that name itself.
constexpr int kText_Read_Reserved = 5287;
constexpr int kText_Write_Reserved = 5288;

constexpr TColumn kReadColumns[] = {
    {.header = 5216, .width = 30},
    {5217, 5239, 50, grid::clNone, grid::edDataCheckBox, {}, 0, "Enable", TMissing::Text, "Y"},
    {5218, 5240, 110, grid::clNone, grid::edComboEdit, kCommunities, 0, "Community_Name"},
    {5219, 5241, 60, grid::clNone, grid::edComboList, kTypes, 0, "Type"},
    {5220, 5242, 70, grid::clNone, grid::edDataCheckBox, {}, 0, "On_Change", TMissing::Text, "N"},
    {5221, 5243, 60, grid::clNone, grid::edDataCheckBox, {}, 0, "On_Command", TMissing::Text, "N"},
    {5222, 5244, 60, grid::clNone, grid::edDataCheckBox, {}, 0, "On_Timer", TMissing::Text, "N"},
    {5223, 5245, 80, grid::clNone, grid::edNormal, {}, 0, "Time"},
    {5224, 5246, 70, grid::clNone, grid::edComboList, {}, 0, "Position"},
    {5225, 5247, 60, grid::clNone, grid::edComboList, kBits, 0, "Bit"},
    {5226, 5248, 100, grid::clNone, grid::edNormal, {}, 0, "NumBits"},
    {5227, 5249, 120, grid::clNone, grid::edNormal, {}, 0, "Description"},
    {5228, 5250, 110, grid::clNone, grid::edNormal, {}, 0, "IP_Address"},
    {5281, 5283, 90, grid::clNone, grid::edComboList, kConversions, 0, "Conversion", TMissing::Text, "None"},
    {5229, 5251, 160, grid::clNone, grid::edNormal, {}, 0, "Mnemonic"},
};
static_assert(std::size(kReadColumns) == rc::Count);

constexpr TColumn kWriteColumns[] = {
    {.header = 5230, .width = 30},
    {5231, 5252, 50, grid::clNone, grid::edDataCheckBox, {}, 0, "Enable", TMissing::Text, "Y"},
    {5232, 5253, 110, grid::clNone, grid::edComboEdit, kCommunities, 0, "Community_Name"},
    {5233, 5254, 60, grid::clNone, grid::edComboList, kTypes, 0, "Type"},
    {5234, 5255, 70, grid::clNone, grid::edComboList, {}, 0, "Position"},
    {5235, 5256, 60, grid::clNone, grid::edComboList, kBits, 0, "Bit"},
    {5236, 5257, 100, grid::clNone, grid::edNormal, {}, 0, "NumBits"},
    {5237, 5258, 120, grid::clNone, grid::edNormal, {}, 0, "Description"},
    {5282, 5284, 90, grid::clNone, grid::edComboList, kConversions, 0, "Conversion", TMissing::Text, "None"},
    {5238, 5259, 160, grid::clNone, grid::edNormal, {}, 0, "Mnemonic"},
};
static_assert(std::size(kWriteColumns) == wc::Count);

constexpr TRowRule kReadRules[] = {
    {rc::Community, "community", 0, 0, 5276},
    {rc::Type, "not_empty", 0, 0, 5261},
    {.column = rc::Time, .check = "range", .min = 1, .max = 1000000000, .text = 5262, .when = "timer"},
    {rc::Position, "not_empty", 0, 0, 5263},
    {rc::Bit, "not_empty", 0, 0, 5264},
    {.column = rc::Bit, .check = "bit0", .text = 5265, .when = "string"},
    {.column = rc::NumBits, .check = "range", .min = 1, .max = 64, .text = 5266, .when = "int"},
    {.column = rc::NumBits, .check = "range", .min = 1, .max = 16, .text = 5267, .when = "string"},
    {.column = rc::Description, .check = "description", .text = 5277, .textAfter = kText_Read_Reserved},
    {rc::IPAddress, "ip", 0, 0, 5268},
    {rc::Conversion, "not_empty", 0, 0, 5285},
};

constexpr TRowRule kWriteRules[] = {
    {wc::Community, "community", 0, 0, 5278},
    {wc::Type, "not_empty", 0, 0, 5269},
    {wc::Position, "not_empty", 0, 0, 5270},
    {wc::Bit, "not_empty", 0, 0, 5271},
    {.column = wc::Bit, .check = "bit0", .text = 5272, .when = "string"},
    {.column = wc::NumBits, .check = "range", .min = 1, .max = 64, .text = 5273, .when = "int"},
    {.column = wc::NumBits, .check = "range", .min = 1, .max = 16, .text = 5274, .when = "string"},
    {.column = wc::Description, .check = "description", .text = 5279, .textAfter = kText_Write_Reserved},
    {wc::Conversion, "not_empty", 0, 0, 5286},
};

constexpr TCondition kReadConditions[] = {{"timer", TCondition::IsY, rc::OnTimer}};

constexpr TGridDef kGrids[] = {
    {
        .name = "ACG_SNMP_Read",
        .rows = TFSNMP_Trap_Access::kRows,
        .columns = kReadColumns,
        .rules = {rc::Community, true, rc::Enable, 5260, kReadRules},
        .conditions = kReadConditions,
        .deleteQuestion = 5275,
        .section = "SNMP_Trap_Read",
        .sheet = "TS_SNMP_Read",
        .sheetCaption = 5208,
    },
    {
        .name = "ACG_SNMP_Write",
        .rows = TFSNMP_Trap_Access::kRows,
        .columns = kWriteColumns,
        .rules = {wc::Community, true, wc::Enable, 5260, kWriteRules},
        .deleteQuestion = 5275,
        .section = "SNMP_Trap_Write",
        .sheet = "TS_SNMP_Write",
        .sheetCaption = 5209,
    },
};

constexpr TWindowDef kWindow{
    .name = "FSNMP_Trap_Access",
    .clientWidth = 1256,
    .clientHeight = 337,
    .caption = 5200,
    .title = 5201,
    .buttonCaptions = Six(5202),
    .buttonHints = Six(5210),
    .grids = kGrids,
    .root = "SNMP_Trap",
    .file = &common::TProgramState::File_SNMP_Trap,
};

bool isInt(const TRuleCell& cell)
{
    return common::upperAscii(cell.Cell(rc::Type)) == QLatin1String("INT");
}

QStringList positions(int count)
{
    QStringList items;
    items.reserve(count);
    for (int i = 0; i < count; ++i)
        items.append(QString::number(i));
    return items;
}

} // namespace

TFSNMP_Trap_Access::TFSNMP_Trap_Access(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), ACG_SNMP_Read(Grid(0)), ACG_SNMP_Write(Grid(1))
{
    for (TTableGrid* grid : {ACG_SNMP_Read, ACG_SNMP_Write}) {
        // Names and descriptions are at most 15 characters in the gateway.
        grid->Columns()[rc::Community].SetEditLength(kNameLength);
        grid->MaxComboLength = kNameLength;
        grid->OnCheckBoxClick = [grid](grid::TQvStringGrid*, int col, int, bool) {
            if (col == rc::Enable)
                Index_Row_Build(*grid);
        };
    }
    ACG_SNMP_Read->Columns()[rc::Description].SetEditLength(kNameLength);
    ACG_SNMP_Write->Columns()[wc::Description].SetEditLength(kNameLength);
    // After the base's own handlers: every row operation may move enabled rows.
    for (TGlyphButton* button : {Btn_DelRow, Btn_InsRow, Btn_PasteRow})
        connect(button, &TGlyphButton::OnClick, this, &TFSNMP_Trap_Access::Renumber_Active);
    PageControl1->setCurrentIndex(0);
}

void TFSNMP_Trap_Access::FormShow()
{
    NByte_IN = 1440;
    NByte_OUT = 1440;
    ACG_SNMP_Read->Columns()[rc::Position].SetComboItems(positions(NByte_IN));
    ACG_SNMP_Write->Columns()[wc::Position].SetComboItems(positions(NByte_OUT));
    TTableWindow::FormShow();
    Index_Row_Build(*ACG_SNMP_Read);
    Index_Row_Build(*ACG_SNMP_Write);
}

void TFSNMP_Trap_Access::Index_Row_Build(TTableGrid& app_SGA)
{
    int index = 1;
    for (int row = 1; row < app_SGA.RowCount(); ++row) {
        if (common::upperAscii(app_SGA.Cells(rc::Enable, row)) == QLatin1String("Y"))
            app_SGA.SetCells(rc::N, row, QString::number(index++));
        else
            app_SGA.SetCells(rc::N, row, QString());
    }
    app_SGA.viewport()->update();
}

void TFSNMP_Trap_Access::Renumber_Active()
{
    Index_Row_Build(*Grid(Active_Grid()));
}

void TFSNMP_Trap_Access::Plug_Rules(int index, TRuleRun& run) const
{
    if (index == 0)
        SL_Check_Desc.clear();
    run.conditions.emplace("int", isInt);
    run.conditions.emplace("string", [](const TRuleCell& cell) { return !isInt(cell); });
    run.checks.emplace("community", [](const TRuleCell& cell) -> std::optional<QString> {
        if (Check_Error_CommName_Desc(cell.Text(), 0))
            return cell.Failure();
        return std::nullopt;
    });
    run.checks.emplace("bit0", [](const TRuleCell& cell) -> std::optional<QString> {
        if (common::trimBlanks(cell.Text()) != QLatin1String("0"))
            return cell.Failure();
        return std::nullopt;
    });
    run.checks.emplace("ip", [](const TRuleCell& cell) -> std::optional<QString> {
        QString a, b, c, d;
        if (!common::Split_IP_Address(cell.Text(), a, b, c, d))
            return cell.Failure();
        return std::nullopt;
    });
    run.checks.emplace("description", [this](const TRuleCell& cell) -> std::optional<QString> {
        const QString description = cell.Text();
        if (Check_Error_CommName_Desc(description, 1))
            return cell.Failure(common::Lang_Text(cell.rule.text));
        // The module defines these objects itself: a second definition breaks it.
        if (Is_Reserved_MIB_Name(description))
            return cell.Failure(common::Lang_Text(cell.rule.textAfter));
        SL_Check_Desc.append(description);
        return std::nullopt;
    });
}

std::optional<QString> TFSNMP_Trap_Access::Check_Window() const
{
    for (qsizetype i = 0; i < SL_Check_Desc.size(); ++i)
        for (qsizetype j = i + 1; j < SL_Check_Desc.size(); ++j)
            if (SL_Check_Desc[i] == SL_Check_Desc[j])
                return common::Lang_Text(5280);
    return std::nullopt;
}

} // namespace energy_it
