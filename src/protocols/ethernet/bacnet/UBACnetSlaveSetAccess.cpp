#include "protocols/ethernet/bacnet/UBACnetSlaveSetAccess.h"

#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Xml.h"
#include "protocols/ethernet/bacnet/UBACnet_Eng_Unit.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace ethernet {

using namespace tables;
namespace col = bacnet_slave_col;

namespace {

constexpr std::string_view kReadTypes[] = {
    "Analog Input",       "Analog Value",  "Binary Input",      "Binary Value",      "Positive Integer Value",
    "Large Analog Value", "Integer Value", "Multi State Input", "Multi State Value", "Life Safety Point",
    "Life Safety Zone",   "Access Door",   "Accumulator",
};
constexpr std::string_view kWriteTypes[] = {
    "Analog Out",         "Analog Value",  "Binary Out",         "Binary Value",      "Positive Integer Value",
    "Large Analog Value", "Integer Value", "Multi State Output", "Multi State Value", "Access Door",
};
constexpr std::string_view kBits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};

constexpr platform::TColor kTypeColour = Rgb(0xE0, 0xFA, 0xFE);
constexpr platform::TColor kPlaceColour = Rgb(0xFC, 0xD6, 0xF4);

// Every attribute but "Swap" is required: the EDE writer reads the file back.
constexpr TColumn Required(int header, int width, platform::TColor colour, grid::TEditorType editor,
                           std::span<const std::string_view> items, const char* attr)
{
    return {header, 0, width, colour, editor, items, 0, attr, TMissing::Required};
}

constexpr TColumn Columns_Row(int first, std::span<const std::string_view> types, int k)
{
    switch (k) {
    case col::N:
        return {.header = first, .width = 40};
    case col::Data_Type:
        return Required(first + 1, 160, kTypeColour, grid::edComboList, types, "Data_Type");
    case col::Eng_Unit:
        return Required(first + 2, 70, kTypeColour, grid::edNormal, {}, "Eng_Unit");
    case col::Position: // items "0" .. "1499", set when the window is shown
        return Required(first + 3, 70, kPlaceColour, grid::edComboList, {}, "Position");
    case col::Start_Bit:
        return Required(first + 4, 70, kPlaceColour, grid::edComboList, kBits, "Bit");
    case col::Length:
        return Required(first + 5, 60, kPlaceColour, grid::edNormal, {}, "Length");
    case col::Swap:
        return {first + 6, 0, 50, grid::clNone, grid::edDataCheckBox, {}, 0, "Swap", TMissing::Text, "N", -1, "", true};
    default:
        return Required(first + 7, 250, grid::clNone, grid::edNormal, {}, "Mnemonic");
    }
}

constexpr std::array<TColumn, col::Count> Columns(int first, std::span<const std::string_view> types)
{
    std::array<TColumn, col::Count> columns{};
    for (int k = 0; k < col::Count; ++k)
        columns[size_t(k)] = Columns_Row(first, types, k);
    return columns;
}

constexpr auto kReadColumns = Columns(2416, kReadTypes);
constexpr auto kWriteColumns = Columns(2424, kWriteTypes);

// The Length each object type accepts, with the message of the table that names it. Types not
// listed ("Integer Value" of the read table among them) take any Length.
struct TLength_Rule {
    std::string_view type;
    int min;
    int max;
    int text;
};
constexpr TLength_Rule kReadLengths[] = {
    {"Analog Input", 1, 4, 2435},      {"Positive Integer Value", 1, 4, 2436}, {"Large Analog Value", 1, 8, 2437},
    {"Analog Value", 1, 4, 2438},      {"Multi State Input", 1, 4, 2439},      {"Multi State Value", 1, 4, 2440},
    {"Life Safety Point", 1, 2, 2441}, {"Life Safety Zone", 1, 2, 2442},       {"Access Door", 1, 1, 2443},
    {"Accumulator", 1, 4, 2444},
};
constexpr TLength_Rule kWriteLengths[] = {
    {"Analog Out", 1, 4, 2449},         {"Analog Value", 1, 4, 2450},  {"Positive Integer Value", 1, 4, 2451},
    {"Large Analog Value", 1, 8, 2452}, {"Integer Value", 1, 4, 2453}, {"Multi State Output", 1, 4, 2454},
    {"Multi State Value", 1, 4, 2455},  {"Access Door", 1, 1, 2456},
};

// Binary objects name a bit and no Length.
constexpr std::string_view kReadBinary[] = {"Binary Input", "Binary Value"};
constexpr std::string_view kWriteBinary[] = {"Binary Out", "Binary Value"};

// The Length a new Data Type of the write table presets, compared upper-cased.
struct TLength_Preset {
    std::string_view type;
    const char* length;
};
constexpr TLength_Preset kLengthPresets[] = {
    {"ANALOG OUT", "4"},    {"ANALOG VALUE", "4"},       {"POSITIVE INTEGER VALUE", "4"},
    {"INTEGER VALUE", "4"}, {"MULTI STATE OUTPUT", "4"}, {"MULTI STATE VALUE", "4"},
    {"BINARY OUT", "1"},    {"BINARY VALUE", "1"},       {"ACCESS DOOR", "1"},
    {"OCTET STRING", "1"},  {"LARGE ANALOG VALUE", "8"},
};

constexpr int kLastByte = TFBACnetSlaveSetAccess::kNByte - 1;

// The texts of one table's rules besides the Length rules: Eng. Unit, Position (followed by
// the last position), Start Bit and the last byte.
struct TRule_Texts {
    int unit;
    int position;
    int bit;
    int lastByte;
};

// The rules of one table, in the order they are checked: unit, position, then the bit of a
// binary object or the Length of any other and the last byte it reaches.
template <size_t N>
constexpr auto Rules(const TRule_Texts& texts, const TLength_Rule (&lengths)[N])
{
    std::array<TRowRule, N + 4> rules{};
    rules[0] = {col::Eng_Unit, "range", 0, 65535, texts.unit};
    rules[1] = {
        .column = col::Position, .check = "range", .min = 0, .max = kLastByte, .text = texts.position, .withMax = true};
    rules[2] = {.column = col::Start_Bit, .check = "not_empty", .text = texts.bit, .when = "binary"};
    for (size_t k = 0; k < N; ++k)
        rules[k + 3] = {.column = col::Length,
                        .check = "range",
                        .min = lengths[k].min,
                        .max = lengths[k].max,
                        .text = lengths[k].text,
                        .when = lengths[k].type};
    rules[N + 3] = {.column = col::Length, .check = "last_byte", .text = texts.lastByte, .when = "not_binary"};
    return rules;
}

constexpr auto kReadRules = Rules({2433, 2434, 2445, 2446}, kReadLengths);
constexpr auto kWriteRules = Rules({2447, 2448, 2457, 2458}, kWriteLengths);

constexpr TGridDef kGrids[] = {
    {
        .name = "ACG_BACnet_in_Read",
        .rows = TFBACnetSlaveSetAccess::kRows,
        .columns = kReadColumns,
        .rules = {col::Data_Type, true, kNoEnable, 2432, kReadRules},
        .deleteQuestion = 2460,
        .insertEnables = false,
        .clickSelectsRow = true,
        .section = "BACnet_in_Read",
        .sheet = "TS_BACnet_in_Read",
        .sheetCaption = 2408,
    },
    {
        .name = "ACG_BACnet_in_Write",
        .rows = TFBACnetSlaveSetAccess::kRows,
        .columns = kWriteColumns,
        .rules = {col::Data_Type, true, kNoEnable, 2432, kWriteRules},
        .deleteQuestion = 2460,
        .insertEnables = false,
        .clickSelectsRow = true,
        .section = "BACnet_in_Write",
        .sheet = "TS_BACnet_in_Write",
        .sheetCaption = 2409,
    },
};

constexpr TWindowDef kWindow{
    .name = "FBACnetSlaveSetAccess",
    .clientWidth = 764,
    .clientHeight = 337,
    .caption = 2400,
    .title = 2401,
    .buttonCaptions = Six(2402),
    .buttonHints = Six(2410),
    .grids = kGrids,
    .root = "BACnet_to_Modbus",
    .file = &common::TProgramState::File_BACnet_Slave,
    .sectionsRequired = true,
    .rowsNotShownText = 2462,
};

constexpr int kText_Too_Many_Objects = 2459;

QString text(std::string_view s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

QStringList Position_Items(int count)
{
    QStringList items;
    items.reserve(count);
    for (int i = 0; i < count; ++i)
        items.append(QString::number(i));
    return items;
}

} // namespace

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), TS_BACnet_in_Read(Sheet(0)), TS_BACnet_in_Write(Sheet(1)),
      ACG_BACnet_in_Read(Grid(0)), ACG_BACnet_in_Write(Grid(1))
{
    for (TTableGrid* grid : {ACG_BACnet_in_Read, ACG_BACnet_in_Write}) {
        grid->HideColumn(col::Swap);
        grid->Columns()[col::Position].SetComboItems(Position_Items(NByte_IN));
        // A double click on a unit opens the picker first; every double click then does what
        // the other tables do with it.
        auto then = grid->OnDblClickCell;
        grid->OnDblClickCell = [this, grid, then](grid::TQvStringGrid* sender, int row, int column) {
            if (column == col::Eng_Unit && row >= 1)
                Open_Eng_Unit(*grid, row);
            if (then)
                then(sender, row, column);
        };
    }
    // Keys and the wheel report a new item as a combo change; a pick with the mouse only as an
    // edit change. Both preset the Length.
    ACG_BACnet_in_Write->OnComboChange = [this](grid::TQvStringGrid*, int column, int row, int, const QString& value) {
        if (column == col::Data_Type)
            Preset_Length(row, value);
    };
    ACG_BACnet_in_Write->OnEditChange = [this](grid::TQvStringGrid* sender, int column, int row, const QString& value) {
        if (sender->RealColIndex(column) == col::Data_Type)
            Preset_Length(row, value);
    };
    // The window can be maximised; its tables grow with it.
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
}

void TFBACnetSlaveSetAccess::Read_Desc_Chars_Limit()
{
    Desc_Lenght = false;
    const QString path = common::State().File_ParGen;
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    platform::xml::Document doc;
    QString error;
    if (!doc.load(path, &error))
        throw platform::xml::XmlError(error.toStdString());
    const pugi::xml_node key = platform::xml::child(doc.root(), "BACnet_Desc_Chars_Limit");
    Desc_Lenght = key && platform::xml::text(key) == QLatin1String("1");
}

void TFBACnetSlaveSetAccess::FormShow()
{
    NByte_IN = kNByte;
    NByte_OUT = kNByte;
    Read_Desc_Chars_Limit();
    for (TTableGrid* grid : {ACG_BACnet_in_Read, ACG_BACnet_in_Write}) {
        grid->HideInplaceEdit();
        grid->SetRowCount(Desc_Lenght ? kLimitedRows : kRows);
    }
    ACG_BACnet_in_Read->Columns()[col::Position].SetComboItems(Position_Items(NByte_IN));
    ACG_BACnet_in_Write->Columns()[col::Position].SetComboItems(Position_Items(NByte_OUT));
    TTableWindow::FormShow();
}

void TFBACnetSlaveSetAccess::Plug_Rules(int index, TRuleRun& run) const
{
    const bool read = index == 0;
    const std::span<const std::string_view> binary =
        read ? std::span<const std::string_view>(kReadBinary) : std::span<const std::string_view>(kWriteBinary);
    const std::span<const TLength_Rule> lengths =
        read ? std::span<const TLength_Rule>(kReadLengths) : std::span<const TLength_Rule>(kWriteLengths);
    const int size = read ? NByte_IN : NByte_OUT;

    // The object type is the Data Type cell's exact text.
    const auto isBinary = [binary](const TRuleCell& cell) {
        const QString type = cell.Cell(col::Data_Type);
        for (std::string_view b : binary)
            if (type == text(b))
                return true;
        return false;
    };
    run.conditions.emplace("binary", isBinary);
    run.conditions.emplace("not_binary", [isBinary](const TRuleCell& cell) { return !isBinary(cell); });
    for (const TLength_Rule& rule : lengths)
        run.conditions.emplace(std::string(rule.type), [type = text(rule.type)](const TRuleCell& cell) {
            return cell.Cell(col::Data_Type) == type;
        });
    // A Length that is no number reads as 0 here. Summed in 64 bits: a Length near the
    // integer limit must not wrap below the end of the bytes.
    run.checks.emplace("last_byte", [size](const TRuleCell& cell) -> std::optional<QString> {
        const std::int64_t last =
            std::int64_t(cell.Number(col::Position)) + common::strToIntDef(cell.Cell(col::Length), 0) - 1;
        if (last < size)
            return std::nullopt;
        return cell.Failure();
    });
}

std::optional<QString> TFBACnetSlaveSetAccess::First_Error()
{
    if (auto error = TTableWindow::First_Error())
        return error;
    // Every row of both tables is one object of the device.
    int objects = 0;
    for (TTableGrid* grid : {ACG_BACnet_in_Read, ACG_BACnet_in_Write})
        for (int row = 1; row < grid->RowCount() && !common::trimBlanks(grid->Cells(col::Data_Type, row)).isEmpty();
             ++row)
            ++objects;
    const int limit = Desc_Lenght ? kLimitedMaxObjects : kMaxObjects;
    if (objects <= limit)
        return std::nullopt;
    return common::Lang_Text(kText_Too_Many_Objects) + QString::number(limit);
}

void TFBACnetSlaveSetAccess::Open_Eng_Unit(TTableGrid& grid, int row)
{
    if (!FBACnet_Eng_Unit)
        return;
    // An open editor keeps its text in the cell first, so the picked code is not overwritten
    // when it closes.
    grid.HideInplaceEdit();
    const QString unit = grid.Cells(col::Eng_Unit, row);
    FBACnet_Eng_Unit->E_Selected_EU->setText(unit);
    FBACnet_Eng_Unit->Label5->setText(QStringLiteral("-> ") + Desc_Unit(common::strToIntDef(unit, -1)));
    if (FBACnet_Eng_Unit->ShowModal() != kModalOK)
        return;
    grid.SetCells(col::Eng_Unit, row, FBACnet_Eng_Unit->E_Selected_EU->text());
    grid.viewport()->update();
}

void TFBACnetSlaveSetAccess::Preset_Length(int row, const QString& dataType)
{
    if (row < 1 || row >= ACG_BACnet_in_Write->RowCount())
        return;
    const QString type = common::upperAscii(dataType);
    for (const TLength_Preset& preset : kLengthPresets)
        if (type == text(preset.type)) {
            ACG_BACnet_in_Write->SetCells(col::Length, row, QLatin1String(preset.length));
            ACG_BACnet_in_Write->viewport()->update();
            return;
        }
}

} // namespace ethernet
