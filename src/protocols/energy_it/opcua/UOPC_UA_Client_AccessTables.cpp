// The tables of the OPC UA client window as views of the server list: the server table, the
// two variable tables with their column layouts, filling them from a server, committing them
// back, the row buttons and the focus that decides when a table commits.

#include "protocols/energy_it/opcua/UOPC_UA_Client_Access.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonTables.h"
#include "common/ULanguage.h"
#include "grid/QvCGrid.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "tables/TableEvents.h"
#include "tables/TableSetup.h"

#include <QEvent>
#include <QMouseEvent>
#include <QTabWidget>

#include <algorithm>
#include <iterator>
#include <span>

namespace energy_it {

using common::Lang_Text;

namespace {

constexpr int kRowHeight = 20;

// What a variable-table column shows of a variable.
enum class TVarField {
    None,
    Enable,
    DisplayName,
    NodeType,
    NodeID,
    VarType,
    NameSpaceIndex,
    OnChange,
    OnCMD,
    OnTimer,
    Time,
    Position,
    Mnemonic,
};

struct TVarColumn {
    int header; // text number
    int hint;   // text number; 0: none
    int width;
    grid::TEditorType editor;
    TVarField field;
    bool hidden = false;
};

// The node kinds and the fifteen type names, in code order, offered by the two pick lists.
QStringList nodeTypes()
{
    QStringList items;
    for (const common::OpcuaName& n : common::kNodeIdTypeNames)
        items.append(QLatin1String(n.text));
    return items;
}
QStringList varTypes()
{
    QStringList items;
    for (const char* name : common::kOpcuaTypeNames)
        items.append(QLatin1String(name));
    return items;
}

using grid::edComboList;
using grid::edDataCheckBox;
using grid::edNormal;

// The read table is designed with the write table's thirteen columns: its last three are never
// filled or read and stay hidden; its Time, Position and Mnemonic carry their own hints.
constexpr TVarColumn kReadColumns[] = {
    {4345, 0, 32, edNormal, TVarField::None},
    {4346, 4355, 50, edDataCheckBox, TVarField::Enable},
    {4347, 4356, 200, edNormal, TVarField::DisplayName},
    {4348, 4357, 90, edComboList, TVarField::NodeType},
    {4349, 4358, 280, edNormal, TVarField::NodeID},
    {4350, 4359, 90, edComboList, TVarField::VarType},
    {4351, 4360, 120, edNormal, TVarField::NameSpaceIndex},
    {4352, 4361, 70, edNormal, TVarField::Time},
    {4353, 4362, 70, edNormal, TVarField::Position},
    {4354, 4363, 180, edNormal, TVarField::Mnemonic},
    {4352, 0, 70, edNormal, TVarField::None, true},
    {4353, 0, 70, edNormal, TVarField::None, true},
    {4354, 0, 180, edNormal, TVarField::None, true},
};
// "On Change" carries the data-change hint 4384 and "On CMD" the command hint 4383.
constexpr TVarColumn kWriteColumns[] = {
    {4364, 0, 32, edNormal, TVarField::None},
    {4365, 4377, 50, edDataCheckBox, TVarField::Enable},
    {4366, 4378, 200, edNormal, TVarField::DisplayName},
    {4367, 4379, 90, edComboList, TVarField::NodeType},
    {4368, 4380, 280, edNormal, TVarField::NodeID},
    {4369, 4381, 90, edComboList, TVarField::VarType},
    {4370, 4382, 120, edNormal, TVarField::NameSpaceIndex},
    {4371, 4384, 70, edDataCheckBox, TVarField::OnChange},
    {4372, 4383, 70, edDataCheckBox, TVarField::OnCMD},
    {4373, 4385, 70, edDataCheckBox, TVarField::OnTimer},
    {4374, 4386, 70, edNormal, TVarField::Time},
    {4375, 4387, 70, edNormal, TVarField::Position},
    {4376, 4388, 120, edNormal, TVarField::Mnemonic},
};
static_assert(std::size(kReadColumns) == opcua_var_col::Count && std::size(kWriteColumns) == opcua_var_col::Count);

std::span<const TVarColumn> columnsOf(const TOPC_UA_Var_Table& table)
{
    return table.write ? std::span<const TVarColumn>(kWriteColumns) : std::span<const TVarColumn>(kReadColumns);
}

const QString kYes = QStringLiteral("Y");
const QString kNo = QStringLiteral("N");

QString fieldText(const TOPC_UA_Variable& v, TVarField field)
{
    switch (field) {
    case TVarField::Enable:
        return v.Enable() ? kYes : kNo;
    case TVarField::DisplayName:
        return v.DispalyName();
    case TVarField::NodeType:
        return v.NodeType();
    case TVarField::NodeID:
        return v.NodeID();
    case TVarField::VarType:
        return v.VarType();
    case TVarField::NameSpaceIndex:
        return QString::number(v.nameSpaceIndex);
    case TVarField::OnChange:
        return v.OnChange();
    case TVarField::OnCMD:
        return v.OnCMD();
    case TVarField::OnTimer:
        return v.OnTimer();
    case TVarField::Time:
        return v.Time();
    case TVarField::Position:
        return v.Position();
    case TVarField::Mnemonic:
        return v.Mnemonic();
    case TVarField::None:
        break;
    }
    return {};
}

// Columns are walked in order, so the node kind (column 3) is set before the identifier.
void setField(TOPC_UA_Variable& v, TVarField field, const QString& text)
{
    switch (field) {
    case TVarField::Enable:
        v.SetEnable(text == kYes);
        break;
    case TVarField::DisplayName:
        v.SetDispalyName(text);
        break;
    case TVarField::NodeType:
        v.SetNodeType(text);
        break;
    case TVarField::NodeID:
        v.SetNodeID(text);
        break;
    case TVarField::VarType:
        v.SetVarType(text);
        break;
    case TVarField::NameSpaceIndex:
        v.nameSpaceIndex = std::uint16_t(common::strToIntDef(text, 0));
        break;
    case TVarField::OnChange:
        v.SetOnChange(text);
        break;
    case TVarField::OnCMD:
        v.SetOnCMD(text);
        break;
    case TVarField::OnTimer:
        v.SetOnTimer(text);
        break;
    case TVarField::Time:
        v.SetTime(text);
        break;
    case TVarField::Position:
        v.SetPosition(text);
        break;
    case TVarField::Mnemonic:
        v.SetMnemonic(text);
        break;
    case TVarField::None:
        break;
    }
}

bool isWithin(const QWidget* widget, const QWidget* ancestor)
{
    // Across windows too: the list of a pick-list editor is a popup of the grid's editor.
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w == ancestor)
            return true;
    return false;
}

} // namespace

void TFOPC_UA_Client_Access::Build_Server_Table()
{
    std::vector<tables::TTableColumnDef> columns = {{32, true}, {50, true, grid::clNone, edDataCheckBox, {}, true}};
    const int widths[] = {220, 150, 100, 100, 120, 120, 110, 150, 150};
    for (int width : widths)
        columns.push_back({width, true});
    tables::Setup_Table(*ACG_OPC_UA_Server, 2, columns, 1, kRowHeight);
    // Whole rows are selected; nothing is edited in place.
    ACG_OPC_UA_Server->SetOptions((ACG_OPC_UA_Server->Options() | grid::goRowSelect) & ~grid::goEditing);
    const auto setupEditing = ACG_OPC_UA_Server->OnSelectCell;
    // A selection moved by a click, the keyboard or the window itself shows the variables of
    // the server it lands on.
    ACG_OPC_UA_Server->OnSelectCell = [this, setupEditing](grid::TStringGrid* g, int col, int row, bool& can) {
        if (setupEditing)
            setupEditing(g, col, row, can);
        if (can && row != g->Row())
            Show_Var_List_Of(row);
    };
    ACG_OPC_UA_Server->OnClickCell = [this](grid::TQvStringGrid*, int row, int) {
        if (row >= 1)
            Show_OPC_UA_Var_List();
    };
    // A double-click below the rows adds a server (the grid itself reports it as the header).
    ACG_OPC_UA_Server->viewport()->installEventFilter(this);
    ACG_OPC_UA_Server->OnDblClickCell = [this](grid::TQvStringGrid*, int, int) { Modify_Server(); };
    auto* events = new tables::TTableEvents(*ACG_OPC_UA_Server);
    events->onHint = [this](int col, int row) {
        const int real = ACG_OPC_UA_Server->RealColIndex(col);
        return row == 0 && real >= 1 && real - 1 < Hint_Server_List.size() ? Hint_Server_List[real - 1] : QString();
    };
}

void TFOPC_UA_Client_Access::Build_Var_Table(TOPC_UA_Var_Table& table)
{
    std::vector<tables::TTableColumnDef> defs;
    for (const TVarColumn& c : columnsOf(table)) {
        const bool check = c.editor == edDataCheckBox;
        const QStringList items = c.field == TVarField::NodeType  ? nodeTypes()
                                  : c.field == TVarField::VarType ? varTypes()
                                                                  : QStringList();
        defs.push_back({c.width, false, grid::clNone, c.editor, items, check});
    }
    grid::TQvColumnGrid& g = *table.grid;
    tables::Setup_Table(g, kVarRows + 1, defs, 1, kRowHeight);
    const QString key = QStringLiteral("FOPC_UA_Client_Access.") + g.objectName();
    table.rows = tables::Make_Table_Rows(g, key);
    for (int col = opcua_var_col::Count - 1; col >= 0; --col)
        if (columnsOf(table)[size_t(col)].hidden)
            g.HideColumn(col);
    common::TRowTable* rows = table.rows.get();
    g.OnClickCell = [&g](grid::TQvStringGrid*, int row, int col) {
        if (col == 0)
            tables::Select_Row(g, row);
    };
    g.OnDblClickCell = [rows](grid::TQvStringGrid*, int row, int col) {
        common::Grid_DblClick_AutoSize(*rows, row, col);
    };
    g.OnKeyPress = [rows](grid::TStringGrid*, QChar& key) { common::Grid_Enter_Next_Cell(*rows, key); };
    QStringList* hints = table.write ? &Hint_Var_W_List : &Hint_Var_R_List;
    auto* events = new tables::TTableEvents(g);
    events->onHint = [&g, hints](int col, int row) {
        const int real = g.RealColIndex(col);
        return row == 0 && real >= 1 && real - 1 < hints->size() ? (*hints)[real - 1] : QString();
    };
}

void TFOPC_UA_Client_Access::Set_Var_Table_Texts(TOPC_UA_Var_Table& table, QStringList& hints)
{
    hints.clear();
    const std::span<const TVarColumn> columns = columnsOf(table);
    for (size_t col = 0; col < columns.size(); ++col) {
        table.grid->SetCells(int(col), 0, Lang_Text(columns[col].header));
        if (col > 0)
            hints.append(columns[col].hint ? Lang_Text(columns[col].hint) : QString());
    }
}

void TFOPC_UA_Client_Access::Show_OPC_UA_Server_List()
{
    grid::TQvColumnGrid& g = *ACG_OPC_UA_Server;
    const int servers = int(OPC_UA_Server_List.size());
    const int row = g.Row();
    g.SetRowCount(std::max(2, servers + 1));
    for (int col = 0; col < opcua_server_col::Count; ++col)
        g.SetCells(col, 1, QString());
    for (int i = 0; i < servers; ++i) {
        const TOPC_UA_Server& s = *OPC_UA_Server_List[size_t(i)];
        const QString cells[] = {QString::number(i + 1),
                                 s.Enable() ? kYes : kNo,
                                 s.ServerAddress(),
                                 s.Authorization(),
                                 s.UserName(),
                                 s.Password(),
                                 s.Certificate(),
                                 s.PrivateKey(),
                                 s.SecurityType(),
                                 s.SecurityPolicy(),
                                 s.Mnemonic()};
        for (int col = 0; col < opcua_server_col::Count; ++col)
            g.SetCells(col, i + 1, cells[col]);
    }
    if (row >= g.RowCount())
        g.SetRow(g.RowCount() - 1);
    g.viewport()->update();
    // The tables follow the selection, which an added or deleted server may have moved.
    Show_OPC_UA_Var_List();
}

void TFOPC_UA_Client_Access::Show_OPC_UA_Var_List()
{
    Show_Var_List_Of(ACG_OPC_UA_Server->Row());
}

void TFOPC_UA_Client_Access::Show_Var_List_Of(int serverRow)
{
    TOPC_UA_Server* server = serverRow >= 1 && serverRow <= int(OPC_UA_Server_List.size())
                                 ? OPC_UA_Server_List[size_t(serverRow - 1)].get()
                                 : nullptr;
    static const TOPC_UA_Var_List none;
    Fill_Var_Table(*read_, server ? server->Var_List_R : none);
    Fill_Var_Table(*write_, server ? server->Var_List_W : none);
    read_->server = server;
    write_->server = server;
}

void TFOPC_UA_Client_Access::Erase_OPC_UA_Var_R_List()
{
    Erase_Var_Table(*read_, kVarRows);
}

void TFOPC_UA_Client_Access::Erase_OPC_UA_Var_W_List()
{
    Erase_Var_Table(*write_, kVarRows);
}

void TFOPC_UA_Client_Access::Erase_Var_Table(TOPC_UA_Var_Table& table, int dataRows)
{
    grid::TQvColumnGrid& g = *table.grid;
    End_Edit(g);
    g.SetRowCount(dataRows + 1);
    // A row typed into a blank line starts enabled.
    for (int row = 1; row <= dataRows; ++row) {
        g.SetCells(opcua_var_col::N, row, QString::number(row));
        g.SetCells(opcua_var_col::Enable, row, kYes);
        for (int col = opcua_var_col::Enable + 1; col < opcua_var_col::Count; ++col)
            g.SetCells(col, row, QString());
    }
}

void TFOPC_UA_Client_Access::Fill_Var_Table(TOPC_UA_Var_Table& table, const TOPC_UA_Var_List& list)
{
    // A browse can find more variables than the designed rows: the table grows to hold them
    // all, with a blank row below, so that a commit never drops one.
    Erase_Var_Table(table, std::max(kVarRows, int(list.size()) + 1));
    const std::span<const TVarColumn> columns = columnsOf(table);
    for (size_t i = 0; i < list.size(); ++i)
        for (size_t col = 1; col < columns.size(); ++col)
            if (columns[col].field != TVarField::None)
                table.grid->SetCells(int(col), int(i) + 1, fieldText(*list[i], columns[col].field));
    table.grid->viewport()->update();
}

void TFOPC_UA_Client_Access::Save_Variable_in_Read()
{
    Commit(*read_);
}

void TFOPC_UA_Client_Access::Save_Variable_in_Write()
{
    Commit(*write_);
}

int TFOPC_UA_Client_Access::Last_Used_Row(const TOPC_UA_Var_Table& table)
{
    // A row holds a variable when anything beyond an erased row's number and "Y" is in it; a
    // gap left by Insert Row, or a name emptied mid-table, keeps the rows below.
    const grid::TQvColumnGrid& g = *table.grid;
    for (int row = g.RowCount() - 1; row >= 1; --row)
        for (int col = opcua_var_col::Enable + 1; col < opcua_var_col::Count; ++col)
            if (!g.Cells(col, row).isEmpty())
                return row;
    return 0;
}

void TFOPC_UA_Client_Access::Commit(TOPC_UA_Var_Table& table)
{
    if (!table.server)
        return;
    End_Edit(*table.grid);
    TOPC_UA_Var_List& list = table.write ? table.server->Var_List_W : table.server->Var_List_R;
    Free_Var_List(list);
    const std::span<const TVarColumn> columns = columnsOf(table);
    const int last = Last_Used_Row(table);
    for (int row = 1; row <= last; ++row) {
        auto v = std::make_unique<TOPC_UA_Variable>();
        for (size_t col = 1; col < columns.size(); ++col)
            setField(*v, columns[col].field, table.grid->Cells(int(col), row));
        if (!table.write) {
            v->SetOnChange(kNo);
            v->SetOnCMD(kNo);
            v->SetOnTimer(kNo);
        }
        list.push_back(std::move(v));
    }
}

void TFOPC_UA_Client_Access::End_Edit(grid::TQvColumnGrid& grid)
{
    if (grid.EditorMode())
        grid.HideInplaceEdit();
}

TOPC_UA_Var_Table& TFOPC_UA_Client_Access::Front_Table()
{
    return PC_OPC_UA_Vars->currentIndex() == 1 ? *write_ : *read_;
}

void TFOPC_UA_Client_Access::Btn_DelRowClick()
{
    TOPC_UA_Var_Table& table = Front_Table();
    const int row = table.grid->Row();
    if (!table.server || row < 1 || !services_.messages)
        return;
    if (!services_.messages->askYesNo(this, Lang_Text(4393) + QString::number(row)))
        return;
    common::Grid_Delete_Row(row, *table.rows);
    Commit(table);
    Ind_Server = -1;
    table.grid->viewport()->update();
}

void TFOPC_UA_Client_Access::Btn_InsRowClick()
{
    TOPC_UA_Var_Table& table = Front_Table();
    const int row = table.grid->Row();
    if (!table.server || row < 1)
        return;
    // The row pushed out at the bottom must be a blank one.
    if (Last_Used_Row(table) == table.grid->RowCount() - 1) {
        const int rows = table.grid->RowCount();
        table.grid->SetRowCount(rows + 1);
        table.grid->SetCells(opcua_var_col::N, rows, QString::number(rows));
        table.grid->SetCells(opcua_var_col::Enable, rows, kYes);
    }
    common::Grid_Insert_Row(row, *table.rows, true);
    Commit(table);
    Ind_Server = -1;
    table.grid->viewport()->update();
}

void TFOPC_UA_Client_Access::Btn_CopyRowClick()
{
    TOPC_UA_Var_Table& table = Front_Table();
    const int row = table.grid->Row();
    if (row < 1)
        return;
    common::Grid_Copy_Row(*table.rows, row);
    Do_Copy_Read = !table.write;
    Do_Copy_Write = table.write;
}

void TFOPC_UA_Client_Access::Btn_PasteRowClick()
{
    TOPC_UA_Var_Table& table = Front_Table();
    const int row = table.grid->Row();
    if (!table.server || row < 1)
        return;
    const bool copied = table.write ? Do_Copy_Write : Do_Copy_Read;
    if (!common::Grid_Paste_Row(*table.rows, row, copied, {services_.messages, this}))
        return;
    Commit(table);
    Ind_Server = -1;
    table.grid->viewport()->update();
}

void TFOPC_UA_Client_Access::ACG_OPC_UA_Var_Enter(TOPC_UA_Var_Table& table)
{
    Ind_Server = -1;
    for (size_t i = 0; i < OPC_UA_Server_List.size(); ++i)
        if (OPC_UA_Server_List[i].get() == table.server)
            Ind_Server = int(i);
}

void TFOPC_UA_Client_Access::ACG_OPC_UA_Var_Exit(TOPC_UA_Var_Table& table)
{
    Commit(table);
    Ind_Server = -1;
}

void TFOPC_UA_Client_Access::Focus_Changed(QWidget* old, QWidget* now)
{
    for (TOPC_UA_Var_Table* table : {read_.get(), write_.get()}) {
        const bool was = isWithin(old, table->grid);
        const bool is = isWithin(now, table->grid);
        if (was && !is)
            ACG_OPC_UA_Var_Exit(*table);
        else if (!was && is)
            ACG_OPC_UA_Var_Enter(*table);
    }
}

bool TFOPC_UA_Client_Access::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ACG_OPC_UA_Server->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        int col = -1;
        int row = -1;
        ACG_OPC_UA_Server->MouseToCell(int(mouse->position().x()), int(mouse->position().y()), col, row);
        if (mouse->button() == Qt::LeftButton && row < 0) {
            Add_Server();
            return true;
        }
    }
    return common::TQvForm::eventFilter(watched, event);
}

} // namespace energy_it
