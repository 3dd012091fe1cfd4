#include "protocols/energy_it/opcua/UOPC_UA_Scan_Server.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/UComonTables.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/DynamicLibrary.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "tables/TableSetup.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

namespace energy_it {

using common::Lang_Text;

namespace {

constexpr int kRowHeight = 20;
constexpr const char* kLibraryName = "OPC_UA_Search";
constexpr const char* kBeginExport = "opcua_client_begin";
constexpr const char* kReturnExport = "opcua_return_variable";

const QString kTick = QStringLiteral("Y");
const QString kNoTick = QStringLiteral("N");

// Header text numbers of columns 0..7; column 8 keeps its designed caption.
constexpr int kHeaders[] = {4610, 4611, 4624, 4612, 4613, 4614, 4615, 4616};
constexpr const char* kAccessHeader = "Read/Write";
constexpr int kHints[] = {4617, 4625, 4618, 4619, 4620, 4621, 4622};

std::vector<tables::TTableColumnDef> columns()
{
    const tables::TTableColumnDef check{50, false, grid::clNone, grid::edDataCheckBox, {}, true};
    const auto shown = [](int width) { return tables::TTableColumnDef{width, true}; };
    return {{32, true}, check, check, shown(220), shown(100), shown(260), shown(100), shown(120), shown(90)};
}

// The last column: 1 readable, 2 writable, anything else (0 and 3 too) both.
QString accessText(std::uint8_t accessLevel)
{
    switch (accessLevel) {
    case 1:
        return QStringLiteral("Read");
    case 2:
        return QStringLiteral("Write");
    default:
        return QStringLiteral("Read/Write");
    }
}

} // namespace

TFOPC_UA_Scan_Server::TFOPC_UA_Scan_Server(platform::Services& services, QWidget* parent)
    : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FOPC_UA_Scan_Server"));
    FormCreate();
}

void TFOPC_UA_Scan_Server::FormCreate()
{
    QVBoxLayout* body = Build_Frame(
        common::Table_Frame({kClientWidth, kClientHeight},
                            {{"Btn_OK", nullptr, QRect(16, 6, 110, 28), kModalOK, TGlyphButtonKind::bkOK},
                             {"Btn_Cancel", nullptr, QRect(134, 6, 110, 28), kModalCancel, TGlyphButtonKind::bkCancel},
                             common::Slot_Button("Btn_SelectAllRead", &Btn_SelectAllRead, 2),
                             common::Slot_Button("Btn_ClearAllRead", &Btn_ClearAllRead, 3),
                             common::Slot_Button("Btn_SelectAllWrite", &Btn_SelectAllWrite, 4),
                             common::Slot_Button("Btn_ClearAllWrite", &Btn_ClearAllWrite, 5)}));

    LWaiting = new QLabel(P_Title);
    LWaiting->setObjectName(QStringLiteral("LWaiting"));
    LWaiting->setTextFormat(Qt::PlainText);
    LWaiting->setAlignment(Qt::AlignCenter);
    QFont waiting = LWaiting->font();
    waiting.setBold(true);
    waiting.setPointSize(14);
    LWaiting->setFont(waiting);
    LWaiting->setGeometry(0, 20, kClientWidth, 30);
    LWaiting->hide();

    ACG_OPC_UA_Scan_Var = new grid::TQvColumnGrid(this);
    ACG_OPC_UA_Scan_Var->setObjectName(QStringLiteral("ACG_OPC_UA_Scan_Var"));
    tables::Setup_Table(*ACG_OPC_UA_Scan_Var, 2, columns(), 1, kRowHeight);
    body->addWidget(ACG_OPC_UA_Scan_Var, 1);

    for (TGlyphButton* b : {Btn_SelectAllRead, Btn_SelectAllWrite})
        connect(b, &TGlyphButton::OnClick, this, [this, b] { Btn_SelectAllReadClick(b); });
    for (TGlyphButton* b : {Btn_ClearAllRead, Btn_ClearAllWrite})
        connect(b, &TGlyphButton::OnClick, this, [this, b] { Btn_ClearAllReadClick(b); });

    Timer_Scan = new QTimer(this);
    Timer_Scan->setObjectName(QStringLiteral("Timer_Scan"));
    Timer_Scan->setInterval(kScanDelayMs);
    Timer_Scan->setSingleShot(true);
    connect(Timer_Scan, &QTimer::timeout, this, &TFOPC_UA_Scan_Server::Timer_ScanTimer);

    Set_Lang();
}

void TFOPC_UA_Scan_Server::Set_Lang()
{
    setWindowTitle(Lang_Text(4600));
    L_SW_Desc->setText(Lang_Text(4601));
    const struct {
        TGlyphButton* button;
        int caption;
        int hint;
    } buttons[] = {
        {Btn_OK, 4602, 4606},           {Btn_Cancel, 4603, 4607},         {Btn_SelectAllRead, 4604, 4608},
        {Btn_ClearAllRead, 4605, 4609}, {Btn_SelectAllWrite, 4626, 4628}, {Btn_ClearAllWrite, 4627, 4629},
    };
    for (const auto& b : buttons) {
        b.button->setCaption(Lang_Text(b.caption));
        b.button->setToolTip(Lang_Text(b.hint));
    }
    for (int col = 0; col < int(std::size(kHeaders)); ++col)
        ACG_OPC_UA_Scan_Var->SetCells(col, 0, Lang_Text(kHeaders[col]));
    ACG_OPC_UA_Scan_Var->SetCells(scan_col::Access, 0, QLatin1String(kAccessHeader));
    Hint_ACG.clear();
    for (int text : kHints)
        Hint_ACG.append(Lang_Text(text));
    LWaiting->setText(Lang_Text(4623));
}

void TFOPC_UA_Scan_Server::FormShow()
{
    Erase_Table();
    LWaiting->hide();
    if (Server.server_address && *Server.server_address) {
        Clear_List_Var();
        LWaiting->show();
        Timer_Scan->start();
    } else {
        // Nothing to browse: the previous result is shown again.
        Show_Variables_List();
    }
}

void TFOPC_UA_Scan_Server::Timer_ScanTimer()
{
    Timer_Scan->stop();
    // Released when this step ends, whichever way it ends.
    std::unique_ptr<platform::DynamicLibrary> library =
        services_.libraries ? services_.libraries->load(QLatin1String(kLibraryName)) : nullptr;
    if (!library) {
        if (services_.messages)
            services_.messages->error(this, Lang_Text(4630));
        return;
    }
    const auto begin = reinterpret_cast<common::opcua_client_begin_fn>(library->resolve(kBeginExport));
    const auto returnVariable = reinterpret_cast<common::opcua_return_variable_fn>(library->resolve(kReturnExport));
    if (!begin || !returnVariable) {
        library.reset();
        if (services_.messages)
            services_.messages->error(this, Lang_Text(4631));
        return;
    }
    const std::int32_t count = begin(Server);
    for (std::int32_t i = 0; i < count; ++i) {
        common::opcua_structure record{};
        returnVariable(&record, i);
        Keep_Texts(record);
        List_Var.push_back(record);
    }
    library.reset();
    LWaiting->hide();
    Show_Variables_List();
}

void TFOPC_UA_Scan_Server::Keep_Texts(common::opcua_structure& record)
{
    for (const char** text : {&record.displayName, &record.stringname, &record.byteString}) {
        if (!*text)
            continue;
        texts_.emplace_back(*text);
        *text = texts_.back().constData();
    }
}

void TFOPC_UA_Scan_Server::Clear_List_Var()
{
    List_Var.clear();
    texts_.clear();
}

void TFOPC_UA_Scan_Server::Erase_Table()
{
    ACG_OPC_UA_Scan_Var->SetRowCount(2);
    for (int col = 0; col < scan_col::Count; ++col)
        ACG_OPC_UA_Scan_Var->SetCells(col, 1, QString());
}

void TFOPC_UA_Scan_Server::Show_Variables_List()
{
    if (List_Var.empty()) {
        Erase_Table();
        return;
    }
    grid::TQvColumnGrid& table = *ACG_OPC_UA_Scan_Var;
    table.SetRowCount(int(List_Var.size()) + 1);
    for (size_t i = 0; i < List_Var.size(); ++i) {
        const common::opcua_structure& r = List_Var[i];
        const int row = int(i) + 1;
        // An access level of 0 is taken as readable and writable.
        const bool read = r.accessLevel == 0 || (r.accessLevel & 1) != 0;
        const bool write = r.accessLevel == 0 || (r.accessLevel & 2) != 0;
        table.SetCells(scan_col::N, row, QString::number(row));
        table.SetCells(scan_col::Read, row, read ? kTick : kNoTick);
        table.SetCells(scan_col::Write, row, write ? kTick : kNoTick);
        table.SetCells(scan_col::DisplayName, row, common::Opcua_Text(r.displayName));
        table.SetCells(scan_col::NodeType, row, common::NodeId_Type_To_Str(r.identifierType));
        table.SetCells(scan_col::NodeId, row, common::NodeId_To_Str(r));
        table.SetCells(scan_col::DataType, row, common::OPCUA_Type_To_Str(r.dataType));
        table.SetCells(scan_col::NameSpaceIndex, row, QString::number(r.nameSpaceIndex));
        table.SetCells(scan_col::Access, row, accessText(r.accessLevel));
    }
}

void TFOPC_UA_Scan_Server::Set_Tick_Column(TGlyphButton* sender, const QString& tick)
{
    if (List_Var.empty())
        return;
    const bool read = sender == Btn_SelectAllRead || sender == Btn_ClearAllRead;
    const int col = read ? scan_col::Read : scan_col::Write;
    for (int row = 1; row < ACG_OPC_UA_Scan_Var->RowCount(); ++row)
        ACG_OPC_UA_Scan_Var->SetCells(col, row, tick);
}

void TFOPC_UA_Scan_Server::Btn_SelectAllReadClick(TGlyphButton* sender)
{
    Set_Tick_Column(sender, kTick);
}

void TFOPC_UA_Scan_Server::Btn_ClearAllReadClick(TGlyphButton* sender)
{
    Set_Tick_Column(sender, kNoTick);
}

void TFOPC_UA_Scan_Server::hideEvent(QHideEvent* event)
{
    Timer_Scan->stop();
    common::TQvForm::hideEvent(event);
}

void TFOPC_UA_Scan_Server::reject()
{
    done(kModalCancel);
}

} // namespace energy_it
