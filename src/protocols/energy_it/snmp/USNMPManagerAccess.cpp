#include "protocols/energy_it/snmp/USNMPManagerAccess.h"

#include "common/UComonHelpers.h"
#include "common/UComonTables.h"
#include "common/ULanguage.h"

#include <QFontMetrics>

namespace energy_it {

using namespace tables;
namespace col = snmp_manager_col;

namespace {

constexpr std::string_view kVersions[] = {"1", "2", "3"};
// The read-only and the read-write community of common use.
constexpr std::string_view kCommunities[] = {"Public", "Private"};
constexpr std::string_view kTypes[] = {"String", "Int"};
constexpr std::string_view kModes[] = {"Get", "Set", "Trap"};
constexpr std::string_view kConversions[] = {"None", "Float", "Float * 10", "Float * 100"};
constexpr std::string_view kLevels[] = {"NoAuth NoPriv", "Auth NoPriv", "Auth Priv"};
constexpr std::string_view kAuthModes[] = {"MD5", "SHA"};
constexpr std::string_view kPrivModes[] = {"DES", "AES"};

constexpr TColumn kColumns[] = {
    {.header = 5108, .width = 30},
    {5109, 5123, 50, grid::clNone, grid::edDataCheckBox, {}, 0, "Enable", TMissing::Text, "Y"},
    {5110, 5124, 100, grid::clNone, grid::edNormal, {}, 0, "IP_Address"},
    {5111, 5125, 50, grid::clNone, grid::edComboList, kVersions, 0, "Version"},
    {5112, 5126, 90, grid::clNone, grid::edComboEdit, kCommunities, 0, "Community_String"},
    {5113, 5127, 130, grid::clNone, grid::edNormal, {}, 0, "OID"},
    {5114, 5128, 50, grid::clNone, grid::edComboList, kTypes, 0, "Type"},
    {5115, 5129, 45, grid::clNone, grid::edComboList, kModes, 0, "Mode"},
    {5116, 5130, 55, grid::clNone, grid::edDataCheckBox, {}, 0, "On_Change", TMissing::Text, "N"},
    {5117, 5131, 45, grid::clNone, grid::edDataCheckBox, {}, 0, "On_Command", TMissing::Text, "N"},
    {5118, 5132, 50, grid::clNone, grid::edDataCheckBox, {}, 0, "On_Timer", TMissing::Text, "N"},
    {5119, 5133, 50, grid::clNone, grid::edNormal, {}, 0, "Time"},
    {5120, 5134, 50, grid::clNone, grid::edComboList, {}, 0, "Position"},
    {5121, 5135, 55, grid::clNone, grid::edNormal, {}, 0, "Number_Bytes"},
    {5154, 5155, 70, grid::clNone, grid::edComboList, kConversions, 0, "ConvertFrom", TMissing::Text, "None"},
    {5160, 5161, 45, grid::clNone, grid::edDataCheckBox, {}, 0, "Cancel", TMissing::Text, "N"},
    {5162, 5168, 60, grid::clNone, grid::edNormal, {}, 0, "User"},
    {5163, 5169, 60, grid::clNone, grid::edNormal, {}, 0, "Auth_Pass"},
    {5164, 5170, 60, grid::clNone, grid::edNormal, {}, 0, "Priv_Pass"},
    {5165, 5171, 90, grid::clNone, grid::edComboList, kLevels, 0, "Security_Level"},
    {5166, 5172, 55, grid::clNone, grid::edComboList, kAuthModes, 0, "Auth_Mode"},
    {5167, 5173, 55, grid::clNone, grid::edComboList, kPrivModes, 0, "Priv_Mode"},
    {5122, 5136, 80, grid::clNone, grid::edNormal, {}, 0, "Mnemonic"},
};
static_assert(std::size(kColumns) == col::Count);

constexpr TRowRule kRules[] = {
    {col::IPAddress, "ip", 0, 0, 5138},
    {col::OID, "oid"},
    {.column = col::Time, .check = "range", .min = 1, .max = 100000000, .text = 5145, .when = "timer"},
    {col::NumBytes, "range", 0, 1024, 5146},
    {col::Conversion, "not_empty", 0, 0, 5156},
    {.column = col::SecurityLevel, .check = "v3", .when = "version3"},
};

constexpr TCondition kConditions[] = {
    {"timer", TCondition::Is, col::OnTimer, "Y"},
};

constexpr TGridDef kGrids[] = {{
    .name = "ACG_SNMP",
    .rows = TFSNMPManagerAccess::kRows,
    .columns = kColumns,
    .rules = {col::IPAddress, true, col::Enable, 5137, kRules},
    .conditions = kConditions,
    .deleteQuestion = 5147,
}};

constexpr TWindowDef kWindow{
    .name = "FSNMPManagerAccess",
    .clientWidth = 1230,
    .clientHeight = 337,
    .caption = 5100,
    .title = 5101,
    .buttonCaptions = Six(5102),
    .buttonHints = Six(5148),
    .grids = kGrids,
    .root = "SNMP_Agent_Access",
    .file = &common::TProgramState::File_SNMP_Manager,
};

// Check_OID's codes 1 .. 6 and their texts.
constexpr int kOidTexts[] = {0, 5139, 5140, 5141, 5142, 5143, 5144};

// The text's length plus its terminator, when it is not empty.
int counted(const QString& text)
{
    return text.isEmpty() ? 0 : int(text.size()) + 1;
}

} // namespace

TFSNMPManagerAccess::TFSNMPManagerAccess(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), ACG_SNMP(Grid(0))
{
    Fit_Header_Widths(); // the base wrote the headers while this part was not yet built
}

void TFSNMPManagerAccess::Set_Lang()
{
    TTableWindow::Set_Lang();
    Fit_Header_Widths();
}

void TFSNMPManagerAccess::Fit_Header_Widths()
{
    // The header's own bold font and the cell's text margins on both sides.
    constexpr int kMargins = 10;
    const QFontMetrics metrics(grid::toQFont(ACG_SNMP->FixedFont()));
    for (int c = 1; c < col::Count; ++c) {
        const int needed = metrics.horizontalAdvance(ACG_SNMP->Cells(c, 0)) + kMargins;
        if (ACG_SNMP->ColWidths(c) < needed)
            ACG_SNMP->SetColWidths(c, needed);
    }
}

void TFSNMPManagerAccess::FormShow()
{
    QStringList items;
    items.reserve(kPositions);
    for (int i = 0; i < kPositions; ++i)
        items.append(QString::number(i));
    ACG_SNMP->Columns()[col::Position].SetComboItems(items);
    TTableWindow::FormShow();
}

void TFSNMPManagerAccess::Plug_Rules(int, TRuleRun& run) const
{
    budget_ = 1;
    run.conditions.emplace("version3", [](const TRuleCell& cell) { return cell.Number(col::Version) == 3; });
    run.checks.emplace("ip", [](const TRuleCell& cell) -> std::optional<QString> {
        std::uint8_t a, b, c, d;
        if (common::Parse_IP_Bytes(cell.Text(), a, b, c, d))
            return cell.Failure();
        return std::nullopt;
    });
    // An empty OID fails as a text without digits does (Check_OID gives 2 for it).
    run.checks.emplace("oid", [this](const TRuleCell& cell) -> std::optional<QString> {
        const QString oid = cell.Text();
        const int code = common::Check_OID(oid);
        if (code != common::OID_OK)
            return cell.Failure(common::Lang_Text(kOidTexts[code]));
        budget_ += int(oid.size()) + 1;
        return std::nullopt;
    });
    run.checks.emplace("v3", [this](const TRuleCell& cell) -> std::optional<QString> {
        budget_ += counted(cell.Cell(col::User));
        const int level = common::Str_To_SNMP_Sec_Level(cell.Text());
        if (level < 0)
            return cell.Failure(common::Lang_Text(5183));
        if (level & 1) {
            budget_ += counted(cell.Cell(col::AuthPass));
            if (common::trimBlanks(cell.Cell(col::AuthMode)).isEmpty())
                return cell.Failure(common::Lang_Text(5184));
        }
        if (level & 2) {
            budget_ += counted(cell.Cell(col::PrivPass));
            if (common::trimBlanks(cell.Cell(col::PrivMode)).isEmpty())
                return cell.Failure(common::Lang_Text(5185));
        }
        return std::nullopt;
    });
}

std::optional<QString> TFSNMPManagerAccess::Check_Window() const
{
    TTableGrid& grid = *ACG_SNMP;
    const TTableRules& rules = kGrids[0].rules;
    const auto rows = Make_Table_Rows(grid, QStringLiteral("check"));
    const int used = Used_Rows(*rows, rules);
    const auto key = [&grid](int row) {
        return QStringList{common::trimBlanks(grid.Cells(col::IPAddress, row)),
                           common::trimBlanks(grid.Cells(col::Version, row)),
                           common::trimBlanks(grid.Cells(col::OID, row))};
    };
    for (int r = 1; r <= used; ++r) {
        if (!Row_Enabled(*rows, rules, r))
            continue;
        const QStringList first = key(r);
        for (int s = r + 1; s <= used; ++s)
            if (Row_Enabled(*rows, rules, s) && key(s) == first)
                return common::Lang_Text(5186) + QString::number(r) + common::Lang_Text(5187) + QString::number(s)
                       + common::Lang_Text(5188);
    }
    if (budget_ > kMaxTextBudget)
        return common::Lang_Text(5189);
    return std::nullopt;
}

} // namespace energy_it
