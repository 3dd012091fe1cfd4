#include "protocols/ethernet/ethernetip/UEtherNetIP_Master_Access.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "protocols/ethernet/ethernetip/UEtherNetIP_EDS.h"

namespace ethernet {

using namespace tables;
using common::Lang_Text;
namespace col = enip_col;

namespace {

constexpr platform::TColor kEnableColour = Rgb(0xFF, 0xD8, 0xB0);
constexpr platform::TColor kAddressColour = Rgb(0xE0, 0xFA, 0xFE);
constexpr platform::TColor kInputColour = Rgb(0xFF, 0xFF, 0xA8);
constexpr platform::TColor kOutputColour = Rgb(0xFC, 0xD6, 0xF4);
constexpr platform::TColor kTimeColour = Rgb(0xA8, 0xFF, 0xA8);
constexpr platform::TColor kPathColour = Rgb(0xD5, 0xD5, 0xFF);
constexpr platform::TColor kHeaderColour = Rgb(0x91, 0xDE, 0xFF);
constexpr platform::TColor kWhite = Rgb(0xFF, 0xFF, 0xFF);

// The word a Dim Header cell may hold in place of a number: the adapter's own format.
constexpr std::string_view kDefault = "Default";
constexpr std::string_view kDimHeaderItems[] = {kDefault};

constexpr TColumn Text(int header, int hint, int width, platform::TColor colour, const char* attr)
{
    return {header, hint, width, colour, grid::edNormal, {}, 0, attr};
}

constexpr TColumn Dim_Header(int header, int hint, const char* attr)
{
    return {header, hint, 120, kHeaderColour, grid::edComboEdit, kDimHeaderItems, 0, attr, TMissing::Text, "Default"};
}

constexpr TColumn kColumns[] = {
    {.header = 5314, .width = 40, .colour = kEnableColour},
    {5315, 5323, 50, kEnableColour, grid::edDataCheckBox, {}, 0, "Enable", TMissing::Text, "N", -1, "", true},
    Text(5316, 5324, 110, kAddressColour, "IP_Address"),
    Text(5317, 5325, 80, kInputColour, "Start_Input"),
    Text(5318, 5326, 80, kInputColour, "Num_Input"),
    Text(5319, 5327, 85, kOutputColour, "Start_Output"),
    Text(5320, 5328, 85, kOutputColour, "Num_Output"),
    Text(5321, 5329, 80, kTimeColour, "Time_Poll"),
    Text(5341, 5343, 105, kPathColour, "Instance_T_O"),
    Text(5347, 5349, 120, kPathColour, "Connection_Point_T_O"),
    Text(5342, 5344, 105, kPathColour, "Instance_O_T"),
    Text(5348, 5350, 120, kPathColour, "Connection_Point_O_T"),
    Dim_Header(5353, 5355, "Dim_Header_T_O"),
    Dim_Header(5354, 5356, "Dim_Header_O_T"),
    Text(5322, 5330, 95, kWhite, "Mnemonic"),
};
static_assert(std::size(kColumns) == col::Count);

constexpr TRowRule kRules[] = {
    {.column = col::IP_Address, .check = "ip_address", .text = 5332},
    {col::Start_Input, "range", 0, 65535, 5333},
    {col::Num_Input, "range", 0, 65535, 5334},
    {col::Start_Output, "range", 0, 65535, 5335},
    {col::Num_Output, "range", 0, 65535, 5336},
    {col::Time_Poll, "range", 1, 100000000, 5337},
    {col::Instance_T_O, "range", 0, 65535, 5345},
    {col::Conn_Point_T_O, "range", 0, 65535, 5351},
    {col::Instance_O_T, "range", 0, 65535, 5346},
    {col::Conn_Point_O_T, "range", 0, 65535, 5352},
    {col::Dim_Header_T_O, "default_or_range", 0, 7, 5357},
    {col::Dim_Header_O_T, "default_or_range", 0, 7, 5358},
    // Last, so that the sums are looked at only once every row passed its own checks.
    {.column = col::Num_Input, .check = "byte_totals"},
};

constexpr TGridDef kGrids[] = {{
    .name = "ACG",
    .rows = TFEtherNetIP_Master_Access::kRows,
    .columns = kColumns,
    .rules = {col::IP_Address, true, col::Enable, 5331, kRules},
    .deleteQuestion = 5340,
    .insertEnables = true,
}};

constexpr TWindowDef kWindow{
    .name = "FEtherNetIP_Master_Access",
    .clientWidth = 1180,
    .clientHeight = 337,
    .caption = 5300,
    .title = 5301,
    .buttonCaptions = Six(5302),
    .buttonHints = Six(5308),
    .grids = kGrids,
    .root = "EtherNetIP_Master_Access",
    .file = &common::TProgramState::File_EtherNetIP_Master_Rules,
    // The row buttons keep their hint texts but show none.
    .buttonHintShown = {false, false, false, false, false, false},
};

// The Import EDS button sits in the strip after the six row buttons.
constexpr int kImportSlot = 6;

// Picker column -> scanner column of the six cells an import copies.
constexpr struct {
    int from;
    int to;
} kImported[] = {
    {eds_col::Instance_O_T, col::Instance_O_T},     {eds_col::Conn_Point_O_T, col::Conn_Point_O_T},
    {eds_col::Instance_T_O, col::Instance_T_O},     {eds_col::Conn_Point_T_O, col::Conn_Point_T_O},
    {eds_col::Dim_Header_T_O, col::Dim_Header_T_O}, {eds_col::Dim_Header_O_T, col::Dim_Header_O_T},
};

int number(const common::TRowTable& table, int column, int row)
{
    return common::strToIntDef(table.Cells(column, row), -1);
}

} // namespace

TFEtherNetIP_Master_Access::TFEtherNetIP_Master_Access(platform::Services& services, TFEtherNEtIP_EDS* picker,
                                                       QWidget* parent)
    : TTableWindow(kWindow, services, parent), ACG(Grid(0)), picker_(picker)
{
    Add_Strip_Button(common::Slot_Button("Btn_Import_EDS", &Btn_Import_EDS, kImportSlot));
    connect(Btn_Import_EDS, &TGlyphButton::OnClick, this, &TFEtherNetIP_Master_Access::Btn_Import_EDSClick);
    Set_Lang();
}

void TFEtherNetIP_Master_Access::Set_Lang()
{
    TTableWindow::Set_Lang();
    // The base applies its texts while it is built, before this button exists.
    if (!Btn_Import_EDS)
        return;
    Btn_Import_EDS->setCaption(Lang_Text(5359));
    // Its hint (5360) is not shown either, like the row buttons'.
    Btn_Import_EDS->setToolTip(QString());
}

void TFEtherNetIP_Master_Access::FormShow()
{
    Num_Byte_In = kByteLimit;
    Num_Byte_Out = kByteLimit;
    TTableWindow::FormShow();
}

void TFEtherNetIP_Master_Access::Plug_Rules(int, TRuleRun& run) const
{
    run.checks.emplace("ip_address", [](const TRuleCell& cell) -> std::optional<QString> {
        QString a, b, c, d;
        if (common::Split_IP_Address(cell.Text(), a, b, c, d))
            return std::nullopt;
        return cell.Failure();
    });
    run.checks.emplace("default_or_range", [](const TRuleCell& cell) -> std::optional<QString> {
        const bool isDefault = common::upperAscii(common::trimBlanks(cell.Text())) == QLatin1String("DEFAULT");
        if (isDefault || (cell.Number() >= cell.rule.min && cell.Number() <= cell.rule.max))
            return std::nullopt;
        return cell.Failure();
    });
    // Runs on every checked row but answers only on the last one: the sums belong after the rows.
    run.checks.emplace("byte_totals", [this](const TRuleCell& cell) -> std::optional<QString> {
        const int used = Used_Rows(cell.table, cell.rules);
        for (int row = cell.row + 1; row <= used; ++row)
            if (Row_Enabled(cell.table, cell.rules, row))
                return std::nullopt;
        long long input = 0;
        long long output = 0;
        for (int row = 1; row <= used; ++row) {
            if (!Row_Enabled(cell.table, cell.rules, row))
                continue;
            input += number(cell.table, col::Num_Input, row);
            output += number(cell.table, col::Num_Output, row);
        }
        if (input > Num_Byte_In)
            return Lang_Text(5338) + QString::number(Num_Byte_In);
        if (output > Num_Byte_Out)
            return Lang_Text(5339) + QString::number(Num_Byte_Out);
        return std::nullopt;
    });
}

void TFEtherNetIP_Master_Access::Btn_Import_EDSClick()
{
    ACG->HideInplaceEdit();
    if (!picker_ || !services_.dialogs)
        return;
    const QString fileName =
        services_.dialogs->openFileName(this, QString(), QString(), QStringLiteral("EtherNet/IP EDS (*.eds)"));
    if (fileName.isEmpty())
        return;
    picker_->EDS_FileName = fileName;
    if (picker_->ShowModal() != kModalOK)
        return;

    // The first row without an adapter address or connection; a full table takes nothing.
    int target = -1;
    for (int row = 1; row < ACG->RowCount() && target < 0; ++row)
        if (common::trimBlanks(ACG->Cells(col::IP_Address, row)).isEmpty()
            && common::trimBlanks(ACG->Cells(col::Instance_T_O, row)).isEmpty())
            target = row;
    if (target < 0)
        return;
    const int picked = picker_->ACG->Row();
    for (const auto& cell : kImported)
        ACG->SetCells(cell.to, target, picker_->ACG->Cells(cell.from, picked));
    ACG->viewport()->update();
}

} // namespace ethernet
