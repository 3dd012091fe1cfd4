#include "protocols/energy_it/iec61850/UIEC_61850_AccessTables.h"

#include "common/UComonHelpers.h"
#include "common/UComonRows.h"
#include "common/ULanguage.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "protocols/energy_it/iec61850/UIEC_61850_Access.h"
#include "protocols/energy_it/iec61850/UIEC_Client_Decode.h"
#include "tables/TableEvents.h"

#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>

namespace energy_it {

using common::Lang_Text;
using common::trimBlanks;
using common::upperAscii;

namespace {

constexpr int kRowHeight = 21;

constexpr std::string_view kStart_Bits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};
constexpr std::string_view kRead_Write[] = {"Read", "Write"};
constexpr std::string_view kConversions[] = {"None", "ItoF/FtoI"};

constexpr TIEC_Column kDA[] = {
    {.header = 3418, .width = 30, .readOnly = true},
    {.header = 3419, .width = 45},
    {.header = 3420, .width = 90, .readOnly = true},
    {.header = 3421, .width = 30, .readOnly = true},
    {.header = 3422, .width = 230, .readOnly = true},
    {.header = 3458, .width = 70},
    {.header = 3459, .width = 70},
    {.header = 3423, .width = 105},
    {.header = 3424, .width = 50},
    {.header = 3425, .width = 70, .editor = grid::edDataCheckBox},
    {.header = 3426, .width = 60, .editor = grid::edDataCheckBox},
    {.header = 3427, .width = 65, .editor = grid::edDataCheckBox},
    {.header = 3428, .width = 70},
    {.header = 3429, .width = 60},
    {.header = 3430, .width = 60, .editor = grid::edComboList, .items = kStart_Bits},
    {.header = 3431, .width = 60, .editor = grid::edComboList, .items = kRead_Write},
    {.header = 3432, .width = 80, .editor = grid::edComboList, .items = kConversions},
    {.header = 3433, .width = 65},
    {.header = 3434, .width = 120},
};

// The data-set and member tables keep the headers they were designed with, in every language.
constexpr TIEC_Column kDataSet[] = {
    {.fixedHeader = "N", .width = 30, .readOnly = true},
    {.fixedHeader = "Index", .width = 45},
    {.fixedHeader = "Reference", .width = 200, .readOnly = true},
    {.fixedHeader = "Goose Name", .width = 100, .readOnly = true},
    {.fixedHeader = "En. Goose", .width = 70, .editor = grid::edDataCheckBox},
    {.fixedHeader = "IP Address", .width = 105},
    {.fixedHeader = "Port", .width = 50},
    {.fixedHeader = "Time (ms)", .width = 70},
    {.fixedHeader = "Mnemonic", .width = 120},
};

constexpr TIEC_Column kMembers[] = {
    {.fixedHeader = "N", .width = 30, .readOnly = true},
    {.fixedHeader = "bType", .width = 90, .readOnly = true},
    {.fixedHeader = "Reference", .width = 230, .readOnly = true},
    {.fixedHeader = "Position", .width = 60},
    {.fixedHeader = "Start Bit", .width = 60, .editor = grid::edComboList, .items = kStart_Bits},
    {.fixedHeader = "Convertion", .width = 80, .editor = grid::edComboList, .items = kConversions},
    {.fixedHeader = "Mult Fact", .width = 65},
    {.fixedHeader = "Mnemonic", .width = 120},
};

static_assert(std::size(kDA) == da_col::Count && std::size(kDataSet) == ds_col::Count
              && std::size(kMembers) == member_col::Count);

constexpr int kHints[] = {3435, 3436, 3437, 3438, 3439, 3460, 3461, 3440, 3441, 3442,
                          3443, 3444, 3445, 3446, 3447, 3448, 3449, 3450, 3451};
static_assert(std::size(kHints) == da_col::Count);

// The byte-size rule: Num Byte of the fixed-size basic types (Start Byte is "0").
struct TByte_Size {
    std::string_view bType;
    std::string_view numByte;
};
constexpr TByte_Size kByte_Sizes[] = {
    {"FLOAT32", "4"}, {"INT32U", "4"}, {"INT32", "4"}, {"QUALITY", "4"}, {"FLOAT64", "8"},
    {"INT64", "8"},   {"INT8U", "1"},  {"INT8", "1"},  {"BOOLEAN", "1"}, {"TIMESTAMP", "1"},
    {"ENUM", "1"},    {"INT16U", "2"}, {"INT16", "2"},
};

constexpr int kText_Error_Row = 3452;

// Rows run down to the last numbered one; the rules name a condition each, since a row with
// an empty bType is not checked and the byte window applies only to strings.
constexpr tables::TRowRule kVariables_Rules[] = {
    {.column = da_col::Start_Byte, .check = "range", .min = 0, .max = 254, .text = 3462, .when = "visstring"},
    {.column = da_col::Num_Byte, .check = "range", .min = 1, .max = 255, .text = 3463, .when = "visstring"},
    {.column = da_col::Num_Byte, .check = "byte_sum", .max = 255, .text = 3464, .when = "visstring"},
    {.column = da_col::Start_Byte, .check = "range", .min = 0, .max = 63, .text = 3465, .when = "octet"},
    {.column = da_col::Num_Byte, .check = "range", .min = 1, .max = 64, .text = 3466, .when = "octet"},
    {.column = da_col::Num_Byte, .check = "byte_sum", .max = 64, .text = 3467, .when = "octet"},
    {.column = da_col::IP_Address, .check = "ip_address", .text = 3453, .when = "typed"},
    {.column = da_col::Port, .check = "range", .min = 0, .max = 65535, .text = 3454, .when = "typed"},
    {.column = da_col::Time, .check = "range", .min = 1, .max = 100000000, .text = 3455, .when = "on_timer"},
    {.column = da_col::Position,
     .check = "range",
     .min = 0,
     .max = 1399,
     .text = 3456,
     .withMax = true,
     .when = "typed"},
    {.column = da_col::Molt_Fact, .check = "float", .text = 3457, .when = "factor"},
};

constexpr tables::TTableRules kRules{
    .keyColumn = da_col::N,
    .enableColumn = tables::kNoEnable,
    .errorRowText = kText_Error_Row,
    .rules = kVariables_Rules,
};

QString bTypeOf(const tables::TRuleCell& cell)
{
    return upperAscii(cell.Cell(da_col::bType));
}

} // namespace

const std::span<const TIEC_Column> kDA_Columns = kDA;
const std::span<const TIEC_Column> kDataSet_Columns = kDataSet;
const std::span<const TIEC_Column> kMember_Columns = kMembers;
const std::span<const int> kHint_Texts = kHints;

std::optional<QString> Fixed_Num_Byte(const QString& bType)
{
    const QString upper = upperAscii(bType);
    for (const TByte_Size& size : kByte_Sizes)
        if (upper == QLatin1String(size.bType.data(), qsizetype(size.bType.size())))
            return QLatin1String(size.numByte.data(), qsizetype(size.numByte.size()));
    return std::nullopt;
}

const tables::TTableRules& Variables_Rules()
{
    return kRules;
}

tables::TRuleRun Variables_Rule_Run(QChar decimalSeparator)
{
    tables::TRuleRun run;
    run.decimalSeparator = decimalSeparator;
    const auto typed = [](const tables::TRuleCell& cell) { return !cell.Cell(da_col::bType).isEmpty(); };
    run.conditions.emplace("typed", typed);
    run.conditions.emplace(
        "visstring", [](const tables::TRuleCell& cell) { return bTypeOf(cell) == QLatin1String("VISSTRING255"); });
    run.conditions.emplace("octet",
                           [](const tables::TRuleCell& cell) { return bTypeOf(cell) == QLatin1String("OCTET64"); });
    run.conditions.emplace("on_timer", [typed](const tables::TRuleCell& cell) {
        return typed(cell) && trimBlanks(cell.Cell(da_col::On_Timer)) == QLatin1String("Y");
    });
    run.conditions.emplace("factor", [typed](const tables::TRuleCell& cell) {
        return typed(cell) && upperAscii(trimBlanks(cell.Cell(da_col::Molt_Fact))) != QLatin1String("NONE");
    });
    run.checks.emplace("ip_address", [](const tables::TRuleCell& cell) -> std::optional<QString> {
        QString a, b, c, d;
        if (common::Split_IP_Address(cell.Text(), a, b, c, d))
            return std::nullopt;
        return cell.Failure();
    });
    run.checks.emplace("byte_sum", [](const tables::TRuleCell& cell) -> std::optional<QString> {
        if (cell.Number(da_col::Start_Byte) + cell.Number(da_col::Num_Byte) <= cell.rule.max)
            return std::nullopt;
        return cell.Failure();
    });
    return run;
}

// ---- The window's tables --------------------------------------------------------------------

void TFIEC_61850_Access::Build_Tables(QSplitter& body)
{
    PC_DA_DataSet = new QTabWidget(&body);
    PC_DA_DataSet->setObjectName(QStringLiteral("PC_DA_DataSet"));
    body.addWidget(PC_DA_DataSet);

    TS_DA = new QWidget;
    TS_DA->setObjectName(QStringLiteral("TS_DA"));
    PC_DA_DataSet->addTab(TS_DA, QString());
    auto* daLayout = new QVBoxLayout(TS_DA);
    daLayout->setContentsMargins(0, 0, 0, 0);
    ACG_DA = new tables::TTableGrid(TS_DA);
    ACG_DA->setObjectName(QStringLiteral("ACG_DA"));
    daLayout->addWidget(ACG_DA);

    TS_DataSet = new QWidget;
    TS_DataSet->setObjectName(QStringLiteral("TS_DataSet"));
    PC_DA_DataSet->addTab(TS_DataSet, QString());
    auto* dsLayout = new QVBoxLayout(TS_DataSet);
    dsLayout->setContentsMargins(0, 0, 0, 0);
    auto* split = new QSplitter(Qt::Vertical, TS_DataSet);
    split->setChildrenCollapsible(false);
    dsLayout->addWidget(split);
    ACG_DataSet = new tables::TTableGrid(split);
    ACG_DataSet->setObjectName(QStringLiteral("ACG_DataSet"));
    ACG_DS_Vars = new tables::TTableGrid(split);
    ACG_DS_Vars->setObjectName(QStringLiteral("ACG_DS_Vars"));
    split->addWidget(ACG_DataSet);
    split->addWidget(ACG_DS_Vars);

    Build_Table(*ACG_DA, kDA_Columns);
    Build_Table(*ACG_DataSet, kDataSet_Columns);
    Build_Table(*ACG_DS_Vars, kMember_Columns);
    daRows_ = tables::Make_Table_Rows(*ACG_DA, QStringLiteral("FIEC_61850_Access.ACG_DA"));
    dataSetRows_ = tables::Make_Table_Rows(*ACG_DataSet, QStringLiteral("FIEC_61850_Access.ACG_DataSet"));
    memberRows_ = tables::Make_Table_Rows(*ACG_DS_Vars, QStringLiteral("FIEC_61850_Access.ACG_DS_Vars"));
    for (auto [table, tableRows] : {std::pair{ACG_DA, daRows_.get()}, std::pair{ACG_DataSet, dataSetRows_.get()},
                                    std::pair{ACG_DS_Vars, memberRows_.get()}}) {
        // Plain copies: clang 14 does not let a lambda capture a structured binding.
        auto* const grid = table;
        auto* const rows = tableRows;
        grid->OnKeyPress = [rows](grid::TStringGrid*, QChar& key) { common::Grid_Enter_Next_Cell(*rows, key); };
        grid->OnDblClickCell = [rows](grid::TQvStringGrid*, int row, int col) {
            common::Grid_DblClick_AutoSize(*rows, row, col);
        };
        grid->OnClickCell = [this, grid](grid::TQvStringGrid*, int row, int col) { ClickCell(*grid, row, col); };
    }
    // The layout turns editing on by column; a fixed byte size is read-only by cell, so the
    // cell made current decides last.
    auto daLayoutSelect = ACG_DA->OnSelectCell;
    ACG_DA->OnSelectCell = [this, daLayoutSelect](grid::TStringGrid* g, int col, int row, bool& canSelect) {
        if (daLayoutSelect)
            daLayoutSelect(g, col, row, canSelect);
        Apply_Cell_Editing(col, row);
    };
    // The member table's cell selection also remembers whose members are edited; the layout's
    // own handler (editing on or off by column) runs first.
    auto layoutSelect = ACG_DS_Vars->OnSelectCell;
    ACG_DS_Vars->OnSelectCell = [this, layoutSelect](grid::TStringGrid* g, int col, int row, bool& canSelect) {
        if (layoutSelect)
            layoutSelect(g, col, row, canSelect);
        ACG_DS_VarsSelectCell();
    };
    ACG_DS_Vars->OnEditCellDone = [this](grid::TQvStringGrid*, int col, int row) { ACG_DS_VarsEditCellDone(col, row); };
}

void TFIEC_61850_Access::Build_Table(tables::TTableGrid& grid, std::span<const TIEC_Column> columns)
{
    std::vector<tables::TTableColumnDef> defs;
    for (size_t c = 0; c < columns.size(); ++c) {
        const TIEC_Column& col = columns[c];
        QStringList items;
        for (std::string_view item : col.items)
            items.append(QLatin1String(item.data(), qsizetype(item.size())));
        defs.push_back({col.width, col.readOnly, grid::clNone, c == 0 ? grid::edNone : col.editor, items});
    }
    tables::Setup_Table(grid, 2, defs, 1, kRowHeight);
    for (size_t c = 0; c < columns.size(); ++c)
        if (!columns[c].header)
            grid.SetCells(int(c), 0, QLatin1String(columns[c].fixedHeader));
    // One hint list serves the three tables, by column number, on the header row.
    const auto hintOf = [this, g = &grid](int col, int row) {
        const int real = g->RealColIndex(col);
        return row == 0 && real > 0 && real < Hint.size() ? Hint[real] : QString();
    };
    grid.OnGridHint = [hintOf](grid::TQvStringGrid*, int row, int col, QString& hint) { hint = hintOf(col, row); };
    auto* events = new tables::TTableEvents(grid);
    events->onHint = hintOf;
}

void TFIEC_61850_Access::Reset_Table(tables::TTableGrid& grid)
{
    grid.HideInplaceEdit();
    grid.SetRowCount(2);
    for (int c = 0; c < grid.ColCount() + grid.NumHiddenColumns(); ++c)
        grid.SetCells(c, 1, QString());
    if (&grid == ACG_DA)
        Set_Start_Num_Byte();
}

bool TFIEC_61850_Access::Table_Empty(const tables::TTableGrid& grid)
{
    // Every cell of the only row empty, not just Index: a row whose Index the user cleared is
    // still a row, and OK would otherwise drop it from the file.
    if (grid.RowCount() > 2)
        return false;
    for (int c = 1; c < grid.ColCount() + grid.NumHiddenColumns(); ++c)
        if (!grid.Cells(c, 1).isEmpty())
            return false;
    return true;
}

int TFIEC_61850_Access::Take_Row(tables::TTableGrid& grid)
{
    if (Table_Empty(grid))
        return 1;
    grid.SetRowCount(grid.RowCount() + 1);
    return grid.RowCount() - 1;
}

void TFIEC_61850_Access::Remove_Table_Row(tables::TTableGrid& grid, int row)
{
    const int columns = grid.ColCount() + grid.NumHiddenColumns();
    if (grid.RowCount() <= 2) {
        for (int c = 1; c < columns; ++c)
            grid.SetCells(c, 1, QString());
        return;
    }
    for (int r = row; r < grid.RowCount() - 1; ++r)
        for (int c = 1; c < columns; ++c)
            grid.SetCells(c, r, grid.Cells(c, r + 1));
    grid.SetRowCount(grid.RowCount() - 1);
    for (int r = 1; r < grid.RowCount(); ++r)
        grid.SetCells(0, r, QString::number(r));
}

void TFIEC_61850_Access::Btn_AddVarClick()
{
    for (tables::TTableGrid* grid : {ACG_DA, ACG_DataSet, ACG_DS_Vars})
        grid->HideInplaceEdit();
    const QString device = QString::number(LB_IEC_Devices->currentRow());
    if (Selected_IEC_DA) {
        PC_DA_DataSet->setCurrentWidget(TS_DA);
        const int row = Take_Row(*ACG_DA);
        const QString cells[da_col::Count] = {QString::number(row),
                                              device,
                                              Selected_IEC_DA->fbType,
                                              Selected_IEC_DA->fFC,
                                              Selected_IEC_DA->fReference,
                                              {},
                                              {},
                                              {},
                                              {},
                                              QStringLiteral("N"),
                                              QStringLiteral("N"),
                                              QStringLiteral("N")};
        for (int c = 0; c < da_col::Count; ++c)
            ACG_DA->SetCells(c, row, cells[c]);
        Set_Start_Num_Byte();
        ACG_DA->viewport()->update();
        return;
    }
    if (!Selected_IEC_DS)
        return;
    Commit_Members();
    PC_DA_DataSet->setCurrentWidget(TS_DataSet);
    const int row = Take_Row(*ACG_DataSet);
    const QString cells[ds_col::Count] = {
        QString::number(row), device, Selected_IEC_DS->fReference, Selected_IEC_DS->fGooseName,
        Selected_IEC_DS->fGooseName.isEmpty() ? QStringLiteral("N") : QStringLiteral("Y")};
    for (int c = 0; c < ds_col::Count; ++c)
        ACG_DataSet->SetCells(c, row, cells[c]);
    auto dataSet = std::make_unique<TDataSet>();
    dataSet->Select_DataSet = Selected_IEC_DS;
    for (TIEC_DA* da : Selected_IEC_DS->List_DA) {
        auto member = std::make_unique<TDataSet_DA>();
        member->Select_DA = da;
        dataSet->List_DAs.push_back(std::move(member));
    }
    List_DataSet.push_back(std::move(dataSet));
    // The member table follows the data-set table, so an edit never lands in another data set.
    Show_DataSet_DAs();
    ACG_DataSet->viewport()->update();
}

void TFIEC_61850_Access::Btn_RemoveVarClick()
{
    for (tables::TTableGrid* grid : {ACG_DA, ACG_DataSet, ACG_DS_Vars})
        grid->HideInplaceEdit();
    if (PC_DA_DataSet->currentWidget() == TS_DA) {
        const int row = ACG_DA->Row();
        if (row < 1 || row >= ACG_DA->RowCount())
            return;
        Remove_Table_Row(*ACG_DA, row);
        Set_Start_Num_Byte();
        ACG_DA->viewport()->update();
        return;
    }
    const int row = ACG_DataSet->Row();
    if (row < 1 || row >= ACG_DataSet->RowCount())
        return;
    Commit_Members();
    Members_Shown_Row = 0; // its data set may be the one removed
    if (size_t(row - 1) < List_DataSet.size())
        List_DataSet.erase(List_DataSet.begin() + (row - 1));
    if (!List_DataSet.empty() && ACG_DataSet->RowCount() > 2) {
        Remove_Table_Row(*ACG_DataSet, row);
    } else {
        for (int c = 1; c < ds_col::Count; ++c)
            ACG_DataSet->SetCells(c, 1, QString());
    }
    Show_DataSet_DAs();
    ACG_DataSet->viewport()->update();
}

void TFIEC_61850_Access::Set_Start_Num_Byte()
{
    for (int row = 1; row < ACG_DA->RowCount(); ++row) {
        const std::optional<QString> numByte = Fixed_Num_Byte(ACG_DA->Cells(da_col::bType, row));
        if (numByte) {
            ACG_DA->SetCells(da_col::Start_Byte, row, QStringLiteral("0"));
            ACG_DA->SetCells(da_col::Num_Byte, row, *numByte);
        }
        daRows_->SetReadOnly(da_col::Start_Byte, row, numByte.has_value());
        daRows_->SetReadOnly(da_col::Num_Byte, row, numByte.has_value());
    }
    Apply_Cell_Editing(ACG_DA->Col(), ACG_DA->Row());
}

void TFIEC_61850_Access::Apply_Cell_Editing(int col, int row)
{
    if (col != da_col::Start_Byte && col != da_col::Num_Byte)
        return;
    const grid::TGridOptions o = ACG_DA->Options();
    const grid::TGridOptions want = daRows_->ReadOnly(col, row) ? (o & ~grid::goEditing) : (o | grid::goEditing);
    if (want != o)
        ACG_DA->SetOptions(want);
}

bool TFIEC_61850_Access::Controllo_dati()
{
    const tables::TRuleRun run = Variables_Rule_Run(common::Get_Decimal_Separator());
    const std::optional<QString> error = tables::Check_Rows(*daRows_, Variables_Rules(), run);
    if (!error)
        return true;
    if (services_.messages)
        services_.messages->error(this, *error);
    return false;
}

void TFIEC_61850_Access::Commit_Members()
{
    ACG_DS_Vars->HideInplaceEdit();
    if (Members_Shown_Row <= 0 || size_t(Members_Shown_Row - 1) >= List_DataSet.size())
        return;
    const TDataSet& dataSet = *List_DataSet[size_t(Members_Shown_Row - 1)];
    for (size_t i = 0; i < dataSet.List_DAs.size() && int(i) + 1 < ACG_DS_Vars->RowCount(); ++i)
        for (int col = member_col::Position; col < member_col::Count; ++col)
            Store_Member_Cell(*dataSet.List_DAs[i], col, int(i) + 1);
}

void TFIEC_61850_Access::Store_Member_Cell(TDataSet_DA& member, int col, int row)
{
    static constexpr QString TDataSet_DA::*kFields[member_col::Count] = {
        nullptr,
        nullptr,
        nullptr,
        &TDataSet_DA::Position,
        &TDataSet_DA::bitAddress,
        &TDataSet_DA::conversion,
        &TDataSet_DA::multFactor,
        &TDataSet_DA::Mnemonic,
    };
    if (col >= 0 && col < member_col::Count && kFields[col])
        member.*kFields[col] = ACG_DS_Vars->Cells(col, row);
}

void TFIEC_61850_Access::Show_DataSet_DAs()
{
    // An edit still open, or whose end is still queued, belongs to the members shown so far.
    Commit_Members();
    DataSet_Row_Select = 0;
    Members_Shown_Row = 0;
    const int row = ACG_DataSet->Row();
    const TDataSet* dataSet =
        row >= 1 && size_t(row - 1) < List_DataSet.size() ? List_DataSet[size_t(row - 1)].get() : nullptr;
    if (!dataSet || dataSet->List_DAs.empty()) {
        Reset_Table(*ACG_DS_Vars);
        ACG_DS_Vars->viewport()->update();
        return;
    }
    ACG_DS_Vars->SetRowCount(int(dataSet->List_DAs.size()) + 1);
    for (size_t i = 0; i < dataSet->List_DAs.size(); ++i) {
        const TDataSet_DA& member = *dataSet->List_DAs[i];
        const int r = int(i) + 1;
        const QString cells[member_col::Count] = {
            QString::number(r), member.Select_DA->fbType, member.Select_DA->fReference,
            member.Position,    member.bitAddress,        member.conversion,
            member.multFactor,  member.Mnemonic};
        for (int c = 0; c < member_col::Count; ++c)
            ACG_DS_Vars->SetCells(c, r, cells[c]);
    }
    Members_Shown_Row = row;
    ACG_DS_Vars->viewport()->update();
}

void TFIEC_61850_Access::ClickCell(tables::TTableGrid& grid, int row, int col)
{
    if (col == 0)
        tables::Select_Row(grid, row);
    if (&grid == ACG_DataSet)
        Show_DataSet_DAs();
}

void TFIEC_61850_Access::ACG_DS_VarsSelectCell()
{
    // The row whose members the table shows, which a click made the current one: moving in
    // the data-set table by keys does not refresh the members, and their edits belong to the
    // data set shown.
    DataSet_Row_Select = Members_Shown_Row;
}

void TFIEC_61850_Access::ACG_DS_VarsEditCellDone(int col, int row)
{
    // Into the data set whose members the table shows: the edit ends on the event queue, and a
    // refresh since then has already committed the table.
    if (Members_Shown_Row <= 0 || size_t(Members_Shown_Row - 1) >= List_DataSet.size())
        return;
    TDataSet& dataSet = *List_DataSet[size_t(Members_Shown_Row - 1)];
    if (row < 1 || size_t(row - 1) >= dataSet.List_DAs.size())
        return;
    Store_Member_Cell(*dataSet.List_DAs[size_t(row - 1)], col, row);
}

} // namespace energy_it
