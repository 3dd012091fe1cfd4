#include "protocols/fieldbus/ethercat/UEtherCATSlave.h"

#include "common/UComonHelpers.h"

#include <array>
#include <climits>
#include <cstdint>

namespace fieldbus {

using namespace tables;
namespace col = ethercat_col;
using common::trimBlanks;

namespace {

// The variable types: the Length each puts into its row, fixed (the cell locked) or only
// proposed (String, ByteString: the user gives the size in bytes). Listed types make the
// Type column's pick list, in this order; ByteString comes only from files.
struct TVarType {
    std::string_view name;
    int length;
    bool fixed;
    bool listed;
};
constexpr TVarType kVarTypes[] = {
    {"Bool", 1, true, true},          {"Int8", 1, true, true},    {"Int16", 2, true, true},
    {"Int32", 4, true, true},         {"UInt8", 1, true, true},   {"UInt16", 2, true, true},
    {"UInt32", 4, true, true},        {"Float32", 4, true, true}, {"String", 10, false, true},
    {"ByteString", 10, false, false},
};
constexpr std::string_view kBool = "Bool";

const TVarType* varType(const QString& name)
{
    for (const TVarType& t : kVarTypes)
        if (name == QLatin1String(t.name.data(), qsizetype(t.name.size())))
            return &t;
    return nullptr;
}

constexpr auto kTypeItems = [] {
    std::array<std::string_view, 9> items{};
    size_t i = 0;
    for (const TVarType& t : kVarTypes)
        if (t.listed)
            items[i++] = t.name;
    return items;
}();

constexpr platform::TColor kEnableColour = Rgb(0xFF, 0xD8, 0xB0);
constexpr platform::TColor kVarColour = Rgb(0xE0, 0xFA, 0xFE);
constexpr platform::TColor kInitColour = Rgb(0xA8, 0xFF, 0xA8);
constexpr platform::TColor kPlaceColour = Rgb(0xFC, 0xD6, 0xF4);
constexpr platform::TColor kWhite = Rgb(0xFF, 0xFF, 0xFF);

// A column kept in the file; a missing attribute loads empty (the Length too, whatever the
// type put there first).
constexpr TColumn Column(int header, int hint, int width, platform::TColor colour, const char* attr, int relabel)
{
    TColumn c{header, hint, width, colour};
    c.attr = attr;
    c.missing = TMissing::Text;
    c.relabel = relabel;
    return c;
}

constexpr TColumn Enable(int header, int hint, int relabel)
{
    TColumn c = Column(header, hint, 50, kEnableColour, "Enable", relabel);
    c.editor = grid::edDataCheckBox;
    c.missingText = "Y";
    c.centred = true;
    return c;
}

constexpr TColumn Type(int header, int hint, int relabel)
{
    TColumn c = Column(header, hint, 120, kVarColour, "Type", relabel);
    c.editor = grid::edComboList;
    c.items = kTypeItems;
    return c;
}

constexpr TColumn Computed(int header, int hint, const char* attr, int relabel)
{
    TColumn c = Column(header, hint, 100, kPlaceColour, attr, relabel);
    c.readOnly = true;
    return c;
}

constexpr TColumn kSlaveToMasterColumns[] = {
    {.header = 3314, .width = 40},
    Enable(3315, 3324, 0),
    Type(3316, 3325, 0),
    Column(3317, 3326, 100, kVarColour, "Length", 0),
    Column(3319, 3328, 280, kVarColour, "Name", 0),
    Column(3320, 3329, 100, kInitColour, "InitValue", 0),
    Computed(3321, 3330, "Position", 0),
    Computed(3322, 3331, "BitStart", 0),
    Column(3323, 3332, 100, kWhite, "Mnemonic", 0),
};
static_assert(std::size(kSlaveToMasterColumns) == col::Count_StM);

// Created with the Slave To Master headers; a language change writes its own texts.
constexpr TColumn kMasterToSlaveColumns[] = {
    {.header = 3314, .width = 40, .relabel = 3336},
    Enable(3315, 3344, 3337),
    Type(3316, 3345, 3338),
    Column(3317, 3346, 100, kVarColour, "Length", 3339),
    Column(3319, 3347, 280, kVarColour, "Name", 3340),
    Computed(3321, 3348, "Position", 3341),
    Computed(3322, 3349, "BitStart", 3342),
    Column(3323, 3350, 100, kWhite, "Mnemonic", 3343),
};
static_assert(std::size(kMasterToSlaveColumns) == col::Count_MtS);

// The one check of the tables: an enabled variable whose Length the user gives must take at
// least one byte, or the variables after it would be placed over it.
constexpr std::string_view kLengthEditable = "length_editable";
constexpr TRowRule kRules[] = {
    {.column = col::Length, .check = "range", .min = 1, .max = INT_MAX, .text = 3352, .when = kLengthEditable},
};

constexpr TGridDef kGrids[] = {
    {
        .name = "QSG_SlaveMaster",
        .rows = TFEtherCATSlave::kRows,
        .columns = kSlaveToMasterColumns,
        .rules = {col::Type, true, col::Enable, 3351, kRules},
        .deleteQuestion = 3333,
        .insertEnables = true,
        .clickSelectsRow = true,
        .section = "EtherCAT_Slave_To_Master",
        .sheet = "TS_SlaveToMaster",
        .sheetCaption = 3334,
        .plain = true,
        .showHints = false,
    },
    {
        .name = "QSG_MasterSlave",
        .rows = TFEtherCATSlave::kRows,
        .columns = kMasterToSlaveColumns,
        .rules = {col::Type, true, col::Enable, 3351, kRules},
        .deleteQuestion = 3333,
        .insertEnables = true,
        .clickSelectsRow = true,
        .section = "EtherCAT_Master_To_Slave",
        .sheet = "TS_MasterToSlave",
        .sheetCaption = 3335,
        .plain = true,
        .showHints = false,
    },
};

constexpr TWindowDef kWindow{
    .name = "FEtherCATSlave",
    .clientWidth = 1200,
    .clientHeight = 337,
    .caption = 3300,
    .title = 3301,
    .buttonCaptions = Six(3302),
    .buttonHints = Six(3308),
    .grids = kGrids,
    .root = "EtherCAT_Slave",
    .file = &common::TProgramState::File_EtherCAT_Slave,
    .sectionsParent = "EtherCAT_Slave_Variables",
    .buttonHintShown = {false, false, false, false, true, true},
};

} // namespace

TFEtherCATSlave::TFEtherCATSlave(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), TS_SlaveToMaster(Sheet(0)), TS_MasterToSlave(Sheet(1)),
      QSG_SlaveMaster(String_Grid(0)), QSG_MasterSlave(String_Grid(1))
{
    Init_Table();
}

void TFEtherCATSlave::Init_Table()
{
    VarType.clear();
    for (std::string_view item : kTypeItems)
        VarType.append(QLatin1String(item.data(), qsizetype(item.size())));
    for (grid::TQvStringGrid* grid : {QSG_SlaveMaster, QSG_MasterSlave}) {
        grid->OnComboChange = [this](grid::TQvStringGrid* sender, int c, int row, int, const QString& selection) {
            if (c == col::Type)
                Type_Chosen(sender, row, selection);
        };
        // A pick with the mouse reaches the window only as a change of the combo's text.
        grid->OnEditChange = [this](grid::TQvStringGrid* sender, int c, int row, const QString& value) {
            if (sender->RealColIndex(c) == col::Type && VarType.contains(value))
                Type_Chosen(sender, row, value);
        };
        // After the edited value is stored: the grid's validation event comes before it.
        grid->OnEditCellDone = [this](grid::TQvStringGrid* sender, int c, int) {
            if (c >= col::Enable && c <= col::Length)
                Recalc(Index_Of(sender));
        };
        grid->OnCheckBoxChange = [this](grid::TQvStringGrid* sender, int c, int, bool) {
            if (c == col::Enable)
                Recalc(Index_Of(sender));
        };
    }
}

void TFEtherCATSlave::VarSetLength(grid::TQvStringGrid* Sender, const QString& ASelection, int, int ARow)
{
    const TVarType* type = varType(ASelection);
    if (!type)
        return;
    common::TRowTable& rows = Rows(Index_Of(Sender));
    rows.SetCells(col::Length, ARow, QString::number(type->length));
    rows.SetReadOnly(col::Length, ARow, type->fixed);
}

void TFEtherCATSlave::Calc_Position_Bit(grid::TQvStringGrid* grid, bool SlaveMaster)
{
    const int positionCol = SlaveMaster ? col::Position_StM : col::Position_MtS;
    const int startBitCol = SlaveMaster ? col::Start_Bit_StM : col::Start_Bit_MtS;
    common::TRowTable& rows = Rows(Index_Of(grid));
    std::int64_t byte = 0; // 64 bits: 256 Lengths of up to 2^31 - 1 bytes each
    int bit = 0;
    bool bitRun = false;
    const auto place = [&](int row, std::int64_t position, int startBit) {
        rows.SetCells(positionCol, row, QString::number(position));
        rows.SetCells(startBitCol, row, QString::number(startBit));
    };
    for (int row = 1; row < rows.RowCount(); ++row) {
        const QString type = trimBlanks(rows.Cells(col::Type, row));
        if (type.isEmpty()) {
            Clear_Untyped_Rows(grid, row, SlaveMaster);
            break;
        }
        if (!rows.CheckBoxChecked(col::Enable, row)) {
            place(row, 0, 0);
            continue;
        }
        if (type == QLatin1String(kBool.data(), qsizetype(kBool.size()))) {
            if (!bitRun) {
                bitRun = true;
                bit = 0;
            }
            place(row, byte, bit);
            if (++bit == 8) {
                bit = 0;
                ++byte;
            }
            continue;
        }
        if (bitRun) {
            if (bit > 0)
                ++byte;
            bit = 0;
            bitRun = false;
        }
        place(row, byte, 0);
        const TVarType* fixed = varType(type);
        byte += fixed && fixed->fixed ? fixed->length : common::strToIntDef(rows.Cells(col::Length, row), 0);
    }
}

// A row whose Type was emptied (cut, or a pasted empty row) holds nothing the table computed
// for it: no Position, no Start Bit, no Length its old type fixed (and locked). Otherwise
// such a row would count as filled and OK would be refused for rows below that hold nothing.
void TFEtherCATSlave::Clear_Untyped_Rows(grid::TQvStringGrid* grid, int firstRow, bool SlaveMaster)
{
    const int positionCol = SlaveMaster ? col::Position_StM : col::Position_MtS;
    const int startBitCol = SlaveMaster ? col::Start_Bit_StM : col::Start_Bit_MtS;
    common::TRowTable& rows = Rows(Index_Of(grid));
    for (int row = firstRow; row < rows.RowCount(); ++row) {
        if (!trimBlanks(rows.Cells(col::Type, row)).isEmpty())
            continue;
        rows.SetCells(positionCol, row, QString());
        rows.SetCells(startBitCol, row, QString());
        if (rows.ReadOnly(col::Length, row)) {
            rows.SetCells(col::Length, row, QString());
            rows.SetReadOnly(col::Length, row, false);
        }
    }
}

void TFEtherCATSlave::Type_Chosen(grid::TQvStringGrid* grid, int row, const QString& type)
{
    VarSetLength(grid, type, col::Type, row);
    Rows(Index_Of(grid)).SetCells(col::Type, row, type);
    Recalc(Index_Of(grid));
}

void TFEtherCATSlave::Recalc(int index)
{
    Calc_Position_Bit(String_Grid(index), index == 0);
    String_Grid(index)->viewport()->update();
}

void TFEtherCATSlave::FormShow()
{
    TTableWindow::FormShow();
    // Stored positions are for reference only: they are shown as the rows place them.
    Recalc(0);
    Recalc(1);
}

void TFEtherCATSlave::Plug_Rules(int, TRuleRun& run) const
{
    run.conditions.emplace(std::string(kLengthEditable), [](const TRuleCell& cell) {
        const TVarType* type = varType(trimBlanks(cell.Cell(col::Type)));
        return type && !type->fixed;
    });
}

void TFEtherCATSlave::Cell_Loaded(int index, int c, int row)
{
    // The type's Length and lock first; the file's Length then replaces the value.
    if (c == col::Type)
        VarSetLength(String_Grid(index), Rows(index).Cells(col::Type, row), col::Type, row);
}

void TFEtherCATSlave::Row_Button_Done(int index, TRowButton button, int row, bool changed)
{
    // A pasted row takes its type's Length and lock afresh.
    if (button == TRowButton::Paste && changed)
        VarSetLength(String_Grid(index), Rows(index).Cells(col::Type, row), col::Type, row);
    Recalc(index);
}

void TFEtherCATSlave::Before_Save()
{
    Recalc(0);
    Recalc(1);
}

} // namespace fieldbus
