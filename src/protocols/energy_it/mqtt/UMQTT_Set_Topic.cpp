#include "protocols/energy_it/mqtt/UMQTT_Set_Topic.h"

#include "common/UComonHelpers.h"
#include "common/ULanguage.h"
#include "protocols/energy_it/mqtt/UTopicTemplate.h"

#include <QPlainTextEdit>
#include <QTabWidget>

namespace energy_it {

using namespace tables;
using common::Lang_Text;

namespace {

constexpr std::string_view kQoS[] = {"0", "1", "2"};
constexpr std::string_view kDataTypes[] = {"Int", "Float", "String", "Base64"};
constexpr std::string_view kTemplates[] = {"$VALUE$"};
constexpr std::string_view kEthTypes[] = {"TCP", "UDP"};
constexpr auto kChannels = [] {
    std::array<std::string_view, 65> items{};
    constexpr std::string_view numbers[] = {
        "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12", "13", "14", "15",
        "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31",
        "32", "33", "34", "35", "36", "37", "38", "39", "40", "41", "42", "43", "44", "45", "46", "47",
        "48", "49", "50", "51", "52", "53", "54", "55", "56", "57", "58", "59", "60", "61", "62", "63"};
    for (size_t i = 0; i < 64; ++i)
        items[i] = numbers[i];
    items[64] = "All";
    return items;
}();

constexpr TColumn Text(int header, int hint, int width, const char* attr)
{
    return {header, hint, width, grid::clNone, grid::edNormal, {}, 0, attr};
}
constexpr TColumn List(int header, int hint, int width, std::span<const std::string_view> items, const char* attr)
{
    return {header, hint, width, grid::clNone, grid::edComboList, items, 0, attr};
}
// A check box; missing (or, without attribute, on every loaded row) gives missingText.
constexpr TColumn Check(int header, int hint, int width, const char* attr, const char* missingText)
{
    return {header,
            hint,
            width,
            grid::clNone,
            grid::edDataCheckBox,
            {},
            0,
            attr,
            *missingText ? TMissing::Text : TMissing::Empty,
            missingText,
            -1,
            "",
            true};
}
constexpr TColumn Template(int header, int hint)
{
    return {header, hint, 150, grid::clNone, grid::edComboEdit, kTemplates, 0, "Template"};
}

// Topic, Retained, QoS and Mnemonic are always written; a row lacking one (edited by hand)
// loads that cell empty rather than losing the whole file.
constexpr TColumn kPubColumns[] = {
    {.header = 3914, .width = 40},
    Text(3915, 3919, 200, "Topic"),
    Check(3916, 3920, 60, "Retained", ""),
    List(3917, 3921, 40, kQoS, "QoS"),
    List(3937, 3940, 70, kDataTypes, "DataType"),
    Text(3938, 3941, 70, "Dimension"),
    Text(3939, 3942, 60, "Position"),
    Text(3962, 3964, 100, "IPAddress"),
    Text(3963, 3965, 120, "InputTemplate"),
    Template(3935, 3936),
    Check(3981, 3982, 70, "OnChange", "N"),
    Check(3983, 3986, 60, nullptr, ""),
    Check(3984, 3987, 60, "OnTimer", "N"),
    Text(3985, 3988, 75, "Time"),
    {3990, 3991, 60, grid::clNone, grid::edComboList, kChannels, 0, nullptr, TMissing::Text, ""},
    Check(3993, 3995, 50, nullptr, "N"),
    Check(3994, 3996, 70, nullptr, "N"),
    Text(3918, 3922, 160, "Mnemonic"),
};
static_assert(std::size(kPubColumns) == pub_col::Count);

constexpr TColumn kSubColumns[] = {
    {.header = 3924, .width = 40},
    Text(3925, 3929, 200, "Topic"),
    Check(3926, 3930, 60, "Retained", ""),
    List(3927, 3931, 40, kQoS, "QoS"),
    List(3943, 3947, 70, kDataTypes, "DataType"),
    Text(3944, 3948, 70, "Dimension"),
    Text(3945, 3949, 60, "Position"),
    Text(3966, 3970, 100, "IPAddress"),
    Text(3967, 3971, 60, "Port"),
    List(3968, 3972, 50, kEthTypes, "EthType"),
    Text(3969, 3973, 120, "InputTemplate"),
    Template(3946, 3950),
    Check(3993, 3997, 50, nullptr, "N"),
    Check(3994, 3998, 70, nullptr, "N"),
    Text(3928, 3932, 160, "Mnemonic"),
};
static_assert(std::size(kSubColumns) == sub_col::Count);

// Columns hidden at show, and those working mode 1 shows again.
constexpr int kPubOptional[] = {4, 5, 6, 7, 8, 9, 11, 14, 15, 16};
constexpr int kSubOptional[] = {2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
constexpr int kPubMode1[] = {4, 5, 6, 9};
constexpr int kSubMode1[] = {4, 5, 6, 11};

// Rule conditions plugged in by the window: "shown" (the rule's column is shown), "type_shown"
// (the Data Type column is shown: Dimension is checked with the type) and "ontimer".
// The Time rule is checked whether its column is shown or not.
constexpr TRowRule kPubRules[] = {
    {.column = pub_col::DataType, .check = "not_empty", .text = 3952, .when = "shown"},
    {.column = pub_col::Dimension, .check = "dimension", .text = 3953, .when = "type_shown"},
    {.column = pub_col::Position,
     .check = "range",
     .min = 0,
     .max = TFMQTT_Set_Topic::Byte_IN - 1,
     .text = 3956,
     .withMax = true,
     .when = "shown"},
    {.column = pub_col::IPAddress, .check = "ip_address", .text = 3974, .when = "shown"},
    {.column = pub_col::InputTemplate, .check = "keywords", .text = 3977, .when = "shown"},
    {.column = pub_col::Template, .check = "keywords", .text = 3978, .when = "shown"},
    {.column = pub_col::Time, .check = "range", .min = 1, .max = 1000000000, .text = 3989, .when = "ontimer"},
};

constexpr TRowRule kSubRules[] = {
    {.column = sub_col::DataType, .check = "not_empty", .text = 3957, .when = "shown"},
    {.column = sub_col::Dimension, .check = "dimension", .text = 3958, .when = "type_shown"},
    {.column = sub_col::Position,
     .check = "range",
     .min = 0,
     .max = TFMQTT_Set_Topic::Byte_OUT - 1,
     .text = 3961,
     .withMax = true,
     .when = "shown"},
    {.column = sub_col::IPAddress, .check = "ip_address", .text = 3975, .when = "shown"},
    {.column = sub_col::Port, .check = "range", .min = 0, .max = 65535, .text = 3976, .when = "shown"},
    {.column = sub_col::InputTemplate, .check = "keywords", .text = 3979, .when = "shown"},
    {.column = sub_col::Template, .check = "keywords", .text = 3980, .when = "shown"},
};

constexpr TCondition kPubConditions[] = {{"ontimer", TCondition::IsY, pub_col::OnTimer}};

constexpr TGridDef kGrids[] = {
    {
        .name = "ACG_Pub",
        .rows = TFMQTT_Set_Topic::kRows,
        .columns = kPubColumns,
        .rules = {pub_col::Topic, true, kNoEnable, 3951, kPubRules},
        .conditions = kPubConditions,
        .deleteQuestion = 3923,
        .insertEnables = false,
        .section = "MQTT_Publish",
        .sheet = "TS_MQTT_Publish",
        .sheetCaption = 3933,
    },
    {
        .name = "ACG_Sub",
        .rows = TFMQTT_Set_Topic::kRows,
        .columns = kSubColumns,
        .rules = {sub_col::Topic, true, kNoEnable, 3951, kSubRules},
        .deleteQuestion = 3923,
        .insertEnables = false,
        .section = "MQTT_Subscribe",
        .sheet = "TS_MQTT_Subscribe",
        .sheetCaption = 3934,
    },
};

constexpr TWindowDef kWindow{
    .name = "FMQTT_Set_Topic",
    .clientWidth = TFMQTT_Set_Topic::kClientWidth,
    .clientHeight = TFMQTT_Set_Topic::kClientHeight,
    .caption = 3900,
    .title = 3901,
    .buttonCaptions = Six(3902),
    .buttonHints = Six(3908),
    .grids = kGrids,
    .root = "MQTT_Set_Topic",
    .file = &common::TProgramState::File_MQTT_Set_Topic,
};

// Dimension by the row's Data Type: Int 1, 2, 4 or 8; Float 4 or 8; any other at least 1.
// The three messages follow each other from the rule's text.
std::optional<QString> Dimension_Check(const TRuleCell& cell, int typeColumn)
{
    const QString type = common::upperAscii(common::trimBlanks(cell.Cell(typeColumn)));
    const int n = cell.Number();
    if (type == QLatin1String("INT"))
        return n == 1 || n == 2 || n == 4 || n == 8 ? std::nullopt
                                                    : std::optional(cell.Failure(Lang_Text(cell.rule.text)));
    if (type == QLatin1String("FLOAT"))
        return n == 4 || n == 8 ? std::nullopt : std::optional(cell.Failure(Lang_Text(cell.rule.text + 1)));
    return n >= 1 ? std::nullopt : std::optional(cell.Failure(Lang_Text(cell.rule.text + 2)));
}

} // namespace

bool Error_In_Topic_Template(const QString& Str)
{
    return Str.count(QLatin1Char('$')) % 2 != 0;
}

TFMQTT_Set_Topic::TFMQTT_Set_Topic(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), TS_MQTT_Publish(Sheet(0)), TS_MQTT_Subscribe(Sheet(1)), ACG_Pub(Grid(0)),
      ACG_Sub(Grid(1))
{
    // After the header auto-size of the base, a double click on a Template cell edits it.
    for (TTableGrid* grid : {ACG_Pub, ACG_Sub}) {
        auto autoSize = grid->OnDblClickCell;
        grid->OnDblClickCell = [this, grid, autoSize](grid::TQvStringGrid* sender, int row, int col) {
            if (autoSize)
                autoSize(sender, row, col);
            const int templateCol = grid == ACG_Pub ? pub_col::Template : sub_col::Template;
            if (row >= 1 && grid->Row() >= 1 && grid->RealCol() == templateCol)
                Show_Form_Topic(grid, grid->Row(), templateCol);
        };
    }
}

void TFMQTT_Set_Topic::Show_Columns_Of_Working_Mode()
{
    for (int c : kPubOptional)
        ACG_Pub->HideColumn(c);
    for (int c : kSubOptional)
        ACG_Sub->HideColumn(c);
    PageControl1->setTabVisible(1, true);
    ACG_Pub->SetRowCount(kRows);
    ACG_Sub->SetRowCount(kRows);
    for (int c : kPubMode1)
        ACG_Pub->UnHideColumn(c);
    for (int c : kSubMode1)
        ACG_Sub->UnHideColumn(c);
    PageControl1->setCurrentIndex(0);
}

void TFMQTT_Set_Topic::FormShow()
{
    Working_Mode = 1;
    Show_Columns_Of_Working_Mode();
    TTableWindow::FormShow();
}

void TFMQTT_Set_Topic::Plug_Rules(int index, TRuleRun& run) const
{
    TTableGrid* grid = Grid(index);
    const int typeColumn = index == 0 ? pub_col::DataType : sub_col::DataType;
    run.conditions.emplace("shown", [grid](const TRuleCell& cell) { return !grid->IsHiddenColumn(cell.rule.column); });
    run.conditions.emplace("type_shown",
                           [grid, typeColumn](const TRuleCell&) { return !grid->IsHiddenColumn(typeColumn); });
    run.checks.emplace("dimension", [typeColumn](const TRuleCell& cell) { return Dimension_Check(cell, typeColumn); });
    run.checks.emplace("keywords", [](const TRuleCell& cell) {
        return Error_In_Topic_Template(common::trimBlanks(cell.Text())) ? std::optional(cell.Failure()) : std::nullopt;
    });
    run.checks.emplace("ip_address", [](const TRuleCell& cell) {
        QString a, b, c, d;
        return common::Split_IP_Address(cell.Text(), a, b, c, d) ? std::nullopt : std::optional(cell.Failure());
    });
}

void TFMQTT_Set_Topic::Show_Form_Topic(TTableGrid* Sender, int ARow, int ACol)
{
    if (!FTopicTemplate)
        return;
    // The click of the double click opened the in-place editor, which the template editor
    // replaces: it is closed without its (unfilled) text overwriting the cell.
    const QString text = Sender->Cells(ACol, ARow);
    Sender->HideInplaceEdit();
    Sender->SetCells(ACol, ARow, text);
    FTopicTemplate->RE_TopicTemplate->clear();
    FTopicTemplate->RE_TopicTemplate->setPlainText(text);
    FTopicTemplate->TopicTemplate = 1;
    FTopicTemplate->Working_Mode = Working_Mode;
    FTopicTemplate->Pub_Sub = Sender == ACG_Pub ? 0 : 1;
    if (FTopicTemplate->ShowModal() == kModalOK)
        Sender->SetCells(ACol, ARow, FTopicTemplate->RE_TopicTemplate->toPlainText());
    Sender->viewport()->update();
}

} // namespace energy_it
