#include "protocols/energy_it/opcua/UOPC_UA_Server_Access.h"

#include "common/ULanguage.h"

#include <array>

namespace energy_it {

using namespace tables;
namespace col = opcua_server_var_col;

namespace {

// The types of this table, in the order of its pick list, with the Length each gives: fixed
// (the cell locked) or only proposed (the user gives the size in bytes).
struct TVarType {
    std::string_view name;
    int length;
    bool fixed;
};
constexpr TVarType kVarTypes[] = {
    {"Boolean", 1, true}, {"Signed Byte", 1, true}, {"Byte", 1, true},         {"Int16", 2, true},  {"UInt16", 2, true},
    {"Int32", 4, true},   {"UInt32", 4, true},      {"Int64", 8, true},        {"UInt64", 8, true}, {"Float", 4, true},
    {"Double", 8, true},  {"String", 10, false},    {"ByteString", 10, false},
};

const TVarType* varType(const QString& name)
{
    for (const TVarType& t : kVarTypes)
        if (name == QLatin1String(t.name.data(), qsizetype(t.name.size())))
            return &t;
    return nullptr;
}

constexpr auto kTypeItems = [] {
    std::array<std::string_view, std::size(kVarTypes)> items{};
    for (size_t i = 0; i < items.size(); ++i)
        items[i] = kVarTypes[i].name;
    return items;
}();
constexpr std::string_view kAccessItems[] = {"Read Only", "Read/Write"};
constexpr std::string_view kReadWrite = "Read/Write";

QStringList texts(std::span<const std::string_view> items)
{
    QStringList list;
    for (std::string_view item : items)
        list.append(QLatin1String(item.data(), qsizetype(item.size())));
    return list;
}

// A column kept in the file; a missing attribute loads empty, also where the type has just
// proposed a Length or an access.
constexpr TColumn Column(int header, int hint, int width, platform::TColor colour, const char* attr)
{
    return {.header = header, .hint = hint, .width = width, .colour = colour, .attr = attr, .missing = TMissing::Text};
}

constexpr TColumn List(int header, int hint, int width, platform::TColor colour,
                       std::span<const std::string_view> items, const char* attr)
{
    TColumn c = Column(header, hint, width, colour, attr);
    c.editor = grid::edComboList;
    c.items = items;
    return c;
}

constexpr platform::TColor kEnableColour = Rgb(255, 216, 176);
constexpr platform::TColor kTypeColour = Rgb(224, 250, 254);
constexpr platform::TColor kPlaceColour = Rgb(168, 255, 168);
constexpr platform::TColor kNameColour = Rgb(252, 214, 244);
constexpr platform::TColor kWhite = Rgb(255, 255, 255);

constexpr TColumn kColumns[] = {
    {.header = 4714, .width = 40},
    {.header = 4715,
     .hint = 4721,
     .width = 50,
     .colour = kEnableColour,
     .editor = grid::edDataCheckBox,
     .attr = "Enable",
     .missing = TMissing::Text,
     .missingText = "Y",
     .centred = true},
    List(4716, 4722, 120, kTypeColour, kTypeItems, "Type"),
    Column(4717, 4723, 100, kPlaceColour, "Position"),
    Column(4718, 4724, 100, kPlaceColour, "Length"),
    Column(4719, 4725, 280, kNameColour, "Name"),
    List(4729, 4730, 100, kNameColour, kAccessItems, "ReadWrite"),
    Column(4720, 4726, 280, kWhite, "Mnemonic"),
};
static_assert(std::size(kColumns) == col::Count);

constexpr TRowRule kRules[] = {
    {col::Position, "position"},
};

constexpr TGridDef kGrids[] = {{
    .name = "QSG",
    .rows = TFOPC_UA_Server_Access::kRows,
    .columns = kColumns,
    // 4731: "Error row ", for the empty-key refusal; the Position failure is worded whole.
    .rules = {col::Type, true, col::Enable, 4731, kRules},
    .deleteQuestion = 4728,
    .insertEnables = true,
    .section = "OPC_UA_Server_Variables",
    .plain = true,
    .showHints = false,
}};

constexpr TWindowDef kWindow{
    .name = "FOPC_UA_Server_Access",
    .clientWidth = 1200,
    .clientHeight = 337,
    .caption = 4700,
    .title = 4701,
    .buttonCaptions = Six(4702),
    .buttonHints = Six(4708),
    .grids = kGrids,
    .root = "OPC_UA_Server",
    .file = &common::TProgramState::File_OPC_UA_Server,
};

} // namespace

TFOPC_UA_Server_Access::TFOPC_UA_Server_Access(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), QSG(String_Grid(0))
{
    Init_Table();
}

void TFOPC_UA_Server_Access::Init_Table()
{
    VarType = texts(kTypeItems);
    RWType = texts(kAccessItems);
    QSG->OnComboChange = [this](grid::TQvStringGrid*, int c, int row, int index, const QString& selection) {
        QSGComboChange(c, row, index, selection);
    };
    // A pick with the mouse reaches the window only as a change of the combo's text.
    QSG->OnEditChange = [this](grid::TQvStringGrid* sender, int c, int row, const QString& value) {
        const int real = sender->RealColIndex(c);
        if (real == col::Type && VarType.contains(value))
            QSGComboChange(real, row, int(VarType.indexOf(value)), value);
    };
}

void TFOPC_UA_Server_Access::QSGComboChange(int ACol, int ARow, int, const QString& ASelection)
{
    if (ACol != col::Type)
        return;
    // The combo writes the cell after this event; the row's other cells follow the choice now.
    QSG->SetCells(col::Type, ARow, ASelection);
    VarSetLength(ASelection, ACol, ARow);
    QSG->RepaintRow(ARow);
}

void TFOPC_UA_Server_Access::VarSetLength(const QString& ASelection, int, int ARow)
{
    common::TRowTable& rows = Rows(0);
    if (const TVarType* type = varType(ASelection)) {
        rows.SetCells(col::Length, ARow, QString::number(type->length));
        rows.SetReadOnly(col::Length, ARow, type->fixed);
    }
    if (rows.Cells(col::ReadWrite, ARow).isEmpty())
        rows.SetCells(col::ReadWrite, ARow, QLatin1String(kReadWrite.data(), qsizetype(kReadWrite.size())));
}

void TFOPC_UA_Server_Access::Plug_Rules(int, TRuleRun& run) const
{
    // The bound is the last position the array holds, and the message names that one.
    run.checks.emplace("position", [](const TRuleCell& cell) -> std::optional<QString> {
        const int position = cell.Number();
        if (position >= 0 && position <= kMaxPosition)
            return std::nullopt;
        return Format_Numbers(common::Lang_Text(4727), {cell.row, kMaxPosition});
    });
}

void TFOPC_UA_Server_Access::Cell_Loaded(int, int c, int row)
{
    // The type's Length and lock first; the file's Length and access then replace the values.
    if (c == col::Type)
        VarSetLength(Rows(0).Cells(col::Type, row), col::Type, row);
}

void TFOPC_UA_Server_Access::Row_Button_Done(int, TRowButton button, int row, bool changed)
{
    // A pasted row takes its type's lock, but keeps the Length it was copied with.
    if (button != TRowButton::Paste || !changed)
        return;
    common::TRowTable& rows = Rows(0);
    const QString length = rows.Cells(col::Length, row);
    VarSetLength(rows.Cells(col::Type, row), col::Type, row);
    rows.SetCells(col::Length, row, length);
}

} // namespace energy_it
