#include "protocols/energy_it/opcua/UOPC_UA_Client_Access.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/UComonTables.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "grid/QvCGrid.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/TextCodec.h"
#include "protocols/energy_it/opcua/UOPC_UA_Add_Server.h"
#include "protocols/energy_it/opcua/UOPC_UA_Client_File.h"
#include "protocols/energy_it/opcua/UOPC_UA_Scan_Server.h"
#include "tables/RowRules.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <tuple>

namespace energy_it {

using common::Lang_Text;

namespace {

// Validation of one variable: what is checked, when, and the texts for the read and the write
// table. The first failure over servers, then read and write variables in order, is shown.
enum class TVarCheck { NameEmpty, TimeEmpty, TimeBelowOne, PositionEmpty, PositionOutOfRange };
struct TVarRule {
    TVarCheck check;
    bool writeOnlyOnTimer; // the write table checks it only for variables written on timer
    int readText;
    int writeText;
};
constexpr TVarRule kVarRules[] = {
    {TVarCheck::NameEmpty, false, 4417, 4418},          {TVarCheck::TimeEmpty, true, 4397, 4401},
    {TVarCheck::TimeBelowOne, true, 4398, 4402},        {TVarCheck::PositionEmpty, false, 4399, 4403},
    {TVarCheck::PositionOutOfRange, false, 4400, 4404},
};

bool fails(TVarCheck check, const TOPC_UA_Variable& v)
{
    int value = 0;
    switch (check) {
    case TVarCheck::NameEmpty:
        return common::trimBlanks(v.DispalyName()).isEmpty();
    case TVarCheck::TimeEmpty:
        return common::trimBlanks(v.Time()).isEmpty();
    case TVarCheck::TimeBelowOne:
        return !common::tryStrToInt(common::trimBlanks(v.Time()), value) || value < 1;
    case TVarCheck::PositionEmpty:
        return common::trimBlanks(v.Position()).isEmpty();
    case TVarCheck::PositionOutOfRange:
        return !common::tryStrToInt(common::trimBlanks(v.Position()), value) || value < 0
               || value > TFOPC_UA_Client_Access::kMaxPosition;
    }
    return false;
}

// Bytes of each type in the gateway's data array, packed without alignment.
struct TTypeLength {
    const char* type;
    int bytes;
};
constexpr TTypeLength kTypeLengths[] = {
    {"Boolean", 1}, {"Int8", 1},    {"UInt8", 1},    {"Int16", 2},  {"UInt16", 2},
    {"Int32", 4},   {"UInt32", 4},  {"Int64", 8},    {"UInt64", 8}, {"Float", 4},
    {"Double", 8},  {"String", 20}, {"DateTime", 8}, {"Guid", 16},  {"ByteString", 20},
};

int positionOf(const TOPC_UA_Variable& v)
{
    return common::strToIntDef(common::trimBlanks(v.Position()), 0);
}

// The largest end (position + length) over a list; 0 for an empty list.
int endOf(const TOPC_UA_Var_List& list)
{
    int end = 0;
    for (const auto& v : list)
        end = std::max(end, positionOf(*v) + TFOPC_UA_Client_Access::GetLenVarType(v->VarType()));
    return end;
}

void placeFrom(TOPC_UA_Var_List& list, int start)
{
    for (const auto& v : list) {
        v->SetPosition(QString::number(start));
        start += TFOPC_UA_Client_Access::GetLenVarType(v->VarType());
    }
}

} // namespace

TFOPC_UA_Client_Access::TFOPC_UA_Client_Access(platform::Services& services, QWidget* parent)
    : common::TQvForm(services, parent), read_(std::make_unique<TOPC_UA_Var_Table>()),
      write_(std::make_unique<TOPC_UA_Var_Table>())
{
    setObjectName(QStringLiteral("FOPC_UA_Client_Access"));
    write_->write = true;
    FormCreate();
}

TFOPC_UA_Client_Access::~TFOPC_UA_Client_Access()
{
    // The tables go with the widgets after this body: no focus change may reach them then.
    disconnect(qApp, nullptr, this, nullptr);
    read_->server = nullptr;
    write_->server = nullptr;
    Delete_Server_Var_OPC_UA();
}

void TFOPC_UA_Client_Access::FormCreate()
{
    std::vector<common::TStripButton> buttons =
        common::Row_Buttons(&Btn_DelRow, &Btn_InsRow, &Btn_CopyRow, &Btn_PasteRow);
    buttons.push_back(common::Slot_Button("Btn_AutoPosition", &Btn_AutoPosition, 6));
    QVBoxLayout* body =
        Build_Frame(common::Table_Frame({kClientWidth, kClientHeight}, buttons, common::TFrameSizing::Resizable));

    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    body->addWidget(Splitter1, 1);

    P_OPC_UA_Server_List = new QWidget(Splitter1);
    P_OPC_UA_Server_List->setObjectName(QStringLiteral("P_OPC_UA_Server_List"));
    auto* upper = new QVBoxLayout(P_OPC_UA_Server_List);
    upper->setContentsMargins(8, 4, 8, 4);
    upper->setSpacing(4);
    L_Server_List_Title = new QLabel(P_OPC_UA_Server_List);
    L_Server_List_Title->setObjectName(QStringLiteral("L_Server_List_Title"));
    L_Server_List_Title->setTextFormat(Qt::PlainText);
    upper->addWidget(L_Server_List_Title);
    ACG_OPC_UA_Server = new grid::TQvColumnGrid(P_OPC_UA_Server_List);
    ACG_OPC_UA_Server->setObjectName(QStringLiteral("ACG_OPC_UA_Server"));
    upper->addWidget(ACG_OPC_UA_Server, 1);
    auto* serverButtons = new QWidget(P_OPC_UA_Server_List);
    serverButtons->setFixedHeight(32);
    upper->addWidget(serverButtons);
    const auto serverButton = [serverButtons](const char* name, int index) {
        auto* b = new TGlyphButton(serverButtons);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(118 * index, 2, 110, 28);
        return b;
    };
    Btn_Add_Server = serverButton("Btn_Add_Server", 0);
    Btn_Modify_Server = serverButton("Btn_Modify_Server", 1);
    Btn_Delete_Server = serverButton("Btn_Delete_Server", 2);
    Btn_Scan_Server = serverButton("Btn_Scan_Server", 3);

    P_OPC_UA_Var_List = new QWidget(Splitter1);
    P_OPC_UA_Var_List->setObjectName(QStringLiteral("P_OPC_UA_Var_List"));
    auto* lower = new QVBoxLayout(P_OPC_UA_Var_List);
    lower->setContentsMargins(8, 4, 8, 0);
    lower->setSpacing(4);
    L_Variables_List_Title = new QLabel(P_OPC_UA_Var_List);
    L_Variables_List_Title->setObjectName(QStringLiteral("L_Variables_List_Title"));
    L_Variables_List_Title->setTextFormat(Qt::PlainText);
    lower->addWidget(L_Variables_List_Title);
    PC_OPC_UA_Vars = new QTabWidget(P_OPC_UA_Var_List);
    PC_OPC_UA_Vars->setObjectName(QStringLiteral("PC_OPC_UA_Vars"));
    lower->addWidget(PC_OPC_UA_Vars, 1);
    const auto sheet = [this](const char* name, const char* caption, const char* gridName) {
        auto* page = new QWidget;
        page->setObjectName(QLatin1String(name));
        // The tab captions keep their designed texts in every language.
        PC_OPC_UA_Vars->addTab(page, QLatin1String(caption));
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* g = new grid::TQvColumnGrid(page);
        g->setObjectName(QLatin1String(gridName));
        layout->addWidget(g);
        return std::pair{page, g};
    };
    std::tie(TS_OPC_UA_Var_Read, ACG_OPC_UA_Var_R) =
        sheet("TS_OPC_UA_Var_Read", "Variables in Read", "ACG_OPC_UA_Var_R");
    std::tie(TS_OPC_UA_Var_Write, ACG_OPC_UA_Var_W) =
        sheet("TS_OPC_UA_Var_Write", "Variables in Write", "ACG_OPC_UA_Var_W");
    read_->grid = ACG_OPC_UA_Var_R;
    write_->grid = ACG_OPC_UA_Var_W;
    Splitter1->addWidget(P_OPC_UA_Server_List);
    Splitter1->addWidget(P_OPC_UA_Var_List);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    const int middle = kClientHeight - common::kTitlePanelHeight - P_Button->height();
    Splitter1->setSizes({kServerPanelHeight, middle - kServerPanelHeight});

    Btn_AutoPosition->setCaption(QStringLiteral("Auto Pos"));

    Build_Server_Table();
    Build_Var_Table(*read_);
    Build_Var_Table(*write_);

    connect(Btn_OK, &TGlyphButton::OnClick, this, &TFOPC_UA_Client_Access::Btn_OKClick);
    connect(Btn_Add_Server, &TGlyphButton::OnClick, this, &TFOPC_UA_Client_Access::Add_Server);
    connect(Btn_Modify_Server, &TGlyphButton::OnClick, this, &TFOPC_UA_Client_Access::Modify_Server);
    connect(Btn_Delete_Server, &TGlyphButton::OnClick, this, &TFOPC_UA_Client_Access::Delete_Server);
    connect(Btn_Scan_Server, &TGlyphButton::OnClick, this, &TFOPC_UA_Client_Access::Scan_Server);
    connect(Btn_AutoPosition, &TGlyphButton::OnClick, this, &TFOPC_UA_Client_Access::Btn_AutoPositionClick);
    connect(Btn_DelRow, &TGlyphButton::OnClick, this, &TFOPC_UA_Client_Access::Btn_DelRowClick);
    connect(Btn_InsRow, &TGlyphButton::OnClick, this, &TFOPC_UA_Client_Access::Btn_InsRowClick);
    connect(Btn_CopyRow, &TGlyphButton::OnClick, this, &TFOPC_UA_Client_Access::Btn_CopyRowClick);
    connect(Btn_PasteRow, &TGlyphButton::OnClick, this, &TFOPC_UA_Client_Access::Btn_PasteRowClick);
    // A variable table commits when the focus leaves it and its editors.
    connect(qApp, &QApplication::focusChanged, this, &TFOPC_UA_Client_Access::Focus_Changed);

    Set_Lang();
}

void TFOPC_UA_Client_Access::Set_Lang()
{
    setWindowTitle(Lang_Text(4300));
    L_SW_Desc->setText(Lang_Text(4301));
    L_Server_List_Title->setText(Lang_Text(4302));
    const struct {
        TGlyphButton* button;
        int caption;
        int hint;
    } buttons[] = {
        {Btn_Add_Server, 4303, 4307},
        {Btn_Modify_Server, 4304, 4308},
        {Btn_Delete_Server, 4305, 4309},
        {Btn_Scan_Server, 4306, 4310},
        {Btn_OK, 4333, 4339},
        {Btn_Cancel, 4334, 4340},
        {Btn_DelRow, 4335, 4341},
        {Btn_InsRow, 4336, 4342},
        {Btn_CopyRow, 4337, 4343},
        {Btn_PasteRow, 4338, 4344},
    };
    for (const auto& b : buttons) {
        b.button->setCaption(Lang_Text(b.caption));
        b.button->setToolTip(Lang_Text(b.hint));
    }
    Hint_Server_List.clear();
    for (int col = 0; col < opcua_server_col::Count; ++col) {
        ACG_OPC_UA_Server->SetCells(col, 0, Lang_Text(4311 + col));
        if (col > 0)
            Hint_Server_List.append(Lang_Text(4321 + col));
    }
    Set_Var_Table_Texts(*read_, Hint_Var_R_List);
    Set_Var_Table_Texts(*write_, Hint_Var_W_List);
}

void TFOPC_UA_Client_Access::FormShow()
{
    read_->server = nullptr;
    write_->server = nullptr;
    ACG_OPC_UA_Server->SetRowCount(2);
    for (int col = 0; col < opcua_server_col::Count; ++col)
        ACG_OPC_UA_Server->SetCells(col, 1, QString());
    Erase_OPC_UA_Var_R_List();
    Erase_OPC_UA_Var_W_List();
    Delete_Server_Var_OPC_UA();
    PC_OPC_UA_Vars->setCurrentIndex(0);
    Do_Copy_Read = false;
    Do_Copy_Write = false;
    Ind_Server = -1;
    Load_OPC_UA_Client_File(OPC_UA_Server_List, XML1, common::State().File_OPC_UA_Client);
    ACG_OPC_UA_Server->SetRow(1);
    Show_OPC_UA_Server_List();
    Show_OPC_UA_Var_List();
    if (ACG_OPC_UA_Server->isVisible())
        ACG_OPC_UA_Server->setFocus();
}

void TFOPC_UA_Client_Access::Delete_Server_Var_OPC_UA()
{
    Free_Server_List(OPC_UA_Server_List);
}

TOPC_UA_Server* TFOPC_UA_Client_Access::Selected_Server(int* index) const
{
    const int row = ACG_OPC_UA_Server->Row();
    const bool designates = row >= 1 && row <= int(OPC_UA_Server_List.size());
    if (index)
        *index = designates ? row - 1 : -1;
    return designates ? OPC_UA_Server_List[size_t(row - 1)].get() : nullptr;
}

int TFOPC_UA_Client_Access::Show_Modal(common::TQvForm& form)
{
    return Show_Modal_Form ? Show_Modal_Form(form) : form.ShowModal();
}

void TFOPC_UA_Client_Access::Add_Server()
{
    if (!FOPC_UA_Add_Server)
        return;
    TFOPC_UA_Add_Server& dialog = *FOPC_UA_Add_Server;
    dialog.FormType = TFOPC_UA_Add_Server::kFormAdd;
    if (Show_Modal(dialog) == kModalOK) {
        OPC_UA_Server_List.push_back(std::make_unique<TOPC_UA_Server>());
        Take_Server_From_Dialog(*OPC_UA_Server_List.back());
    }
    Show_OPC_UA_Server_List();
}

void TFOPC_UA_Client_Access::Modify_Server()
{
    TOPC_UA_Server* server = Selected_Server();
    if (!server || !FOPC_UA_Add_Server)
        return;
    TFOPC_UA_Add_Server& dialog = *FOPC_UA_Add_Server;
    dialog.FormType = TFOPC_UA_Add_Server::kFormModify;
    dialog.CB_OPC_UA_Server_Enable->setChecked(server->Enable());
    dialog.E_Server_Add->setText(server->ServerAddress());
    dialog.CB_Auth->setCurrentIndex(common::Str_To_Auth_Type(server->Authorization()));
    dialog.E_User->setText(server->UserName());
    dialog.E_Pass->setText(server->Password());
    dialog.RE_Certificate->setPlainText(server->Certificate());
    dialog.RE_Priv_Key->setPlainText(server->PrivateKey());
    dialog.CB_Sec_Type->setCurrentIndex(common::Str_To_Sec_Mode(server->SecurityType()));
    dialog.CB_Sec_Policy->setCurrentIndex(common::Str_To_Sec_Policy(server->SecurityPolicy()));
    dialog.E_Mnemonic->setText(server->Mnemonic());
    if (Show_Modal(dialog) == kModalOK)
        Take_Server_From_Dialog(*server);
    Show_OPC_UA_Server_List();
}

void TFOPC_UA_Client_Access::Take_Server_From_Dialog(TOPC_UA_Server& server) const
{
    const TFOPC_UA_Add_Server& dialog = *FOPC_UA_Add_Server;
    server.SetEnable(dialog.CB_OPC_UA_Server_Enable->isChecked());
    server.SetServerAddress(dialog.E_Server_Add->text());
    server.SetAuthorization(common::Auth_Type_To_Str(dialog.CB_Auth->currentIndex()));
    server.SetUserName(dialog.E_User->text());
    server.SetPassword(dialog.E_Pass->text());
    server.SetCertificate(dialog.RE_Certificate->toPlainText());
    server.SetPrivateKey(dialog.RE_Priv_Key->toPlainText());
    server.SetSecurityType(common::Sec_Mode_To_Str(dialog.CB_Sec_Type->currentIndex()));
    server.SetSecurityPolicy(common::Sec_Policy_To_Str(dialog.CB_Sec_Policy->currentIndex()));
    server.SetMnemonic(dialog.E_Mnemonic->text());
}

void TFOPC_UA_Client_Access::Delete_Server()
{
    int index = -1;
    if (!Selected_Server(&index) || !services_.messages)
        return;
    if (services_.messages->askYesNoCancel(this, Lang_Text(4389)) != platform::MsgResult::Yes)
        return;
    // The tables let go of the server before it goes.
    read_->server = nullptr;
    write_->server = nullptr;
    OPC_UA_Server_List.erase(OPC_UA_Server_List.begin() + index);
    Show_OPC_UA_Server_List();
}

void TFOPC_UA_Client_Access::Scan_Server()
{
    TOPC_UA_Server* server = Selected_Server();
    if (!server) {
        if (services_.messages)
            services_.messages->error(this, Lang_Text(4390));
        return;
    }
    if (!FOPC_UA_Scan_Server)
        return;
    TFOPC_UA_Scan_Server& scan = *FOPC_UA_Scan_Server;
    // The browse reads these ANSI copies; they live until this step ends, and the record is
    // emptied then so that it never points at them afterwards.
    const QByteArray address = platform::toAnsi(server->ServerAddress());
    const QByteArray user = platform::toAnsi(server->UserName());
    const QByteArray password = platform::toAnsi(server->Password());
    const QByteArray certificate = platform::toAnsi(server->Certificate());
    const QByteArray key = platform::toAnsi(server->PrivateKey());
    scan.Server.server_address = address.constData();
    scan.Server.username = user.constData();
    scan.Server.password = password.constData();
    scan.Server.cert = certificate.constData();
    scan.Server.priv_key = key.constData();
    scan.Server.user_pass_auth_flag = common::Str_To_Auth_Type(server->Authorization());
    scan.Server.security_type = common::Str_To_Sec_Mode(server->SecurityType());
    scan.Server.security_policy = common::Str_To_Sec_Policy(server->SecurityPolicy());
    const int result = Show_Modal(scan);
    scan.Server = common::opcua_server_to_discover{};
    if (result != kModalOK)
        return;
    if (!scan.List_Var.empty()) {
        const auto adopt = [this, server](TOPC_UA_Var_List& list, int question, auto add) {
            if (!list.empty()) {
                const platform::MsgResult answer = services_.messages
                                                       ? services_.messages->askYesNoCancel(this, Lang_Text(question))
                                                       : platform::MsgResult::Cancel;
                if (answer == platform::MsgResult::Cancel)
                    return;
                if (answer == platform::MsgResult::No)
                    Free_Var_List(list);
            }
            (this->*add)(*server);
        };
        adopt(server->Var_List_R, 4391, &TFOPC_UA_Client_Access::Add_Variables_In_Read);
        adopt(server->Var_List_W, 4392, &TFOPC_UA_Client_Access::Add_Variables_In_Write);
    }
    Show_OPC_UA_Var_List();
}

void TFOPC_UA_Client_Access::Add_Variables_In_Read(TOPC_UA_Server& server)
{
    Adopt_Ticked(server.Var_List_R, energy_it::scan_col::Read);
}

void TFOPC_UA_Client_Access::Add_Variables_In_Write(TOPC_UA_Server& server)
{
    Adopt_Ticked(server.Var_List_W, energy_it::scan_col::Write);
}

void TFOPC_UA_Client_Access::Adopt_Ticked(TOPC_UA_Var_List& list, int tickColumn)
{
    const TFOPC_UA_Scan_Server& scan = *FOPC_UA_Scan_Server;
    for (size_t i = 0; i < scan.List_Var.size(); ++i)
        if (scan.ACG_OPC_UA_Scan_Var->Cells(tickColumn, int(i) + 1) == QLatin1String("Y"))
            list.push_back(TOPC_UA_Variable::From_Browse_Record(scan.List_Var[i]));
}

void TFOPC_UA_Client_Access::Btn_AutoPositionClick()
{
    TOPC_UA_Server* server = Selected_Server();
    if (!server || !services_.messages || !services_.messages->askYesNo(this, Lang_Text(4394)))
        return;
    int readStart = 0;
    int writeStart = 0;
    Start_Position(readStart, writeStart);
    placeFrom(server->Var_List_R, readStart);
    placeFrom(server->Var_List_W, writeStart);
    Show_OPC_UA_Var_List();
}

void TFOPC_UA_Client_Access::Start_Position(int& SP_Read, int& SP_Write) const
{
    // Every server above counts, not only the one just above: a server without variables
    // between two others must not let the lower one start over the upper one's area.
    int index = -1;
    Selected_Server(&index);
    SP_Read = 0;
    SP_Write = 0;
    for (int i = 0; i < index; ++i) {
        SP_Read = std::max(SP_Read, endOf(OPC_UA_Server_List[size_t(i)]->Var_List_R));
        SP_Write = std::max(SP_Write, endOf(OPC_UA_Server_List[size_t(i)]->Var_List_W));
    }
}

int TFOPC_UA_Client_Access::GetLenVarType(const QString& DT)
{
    const QString upper = common::upperAscii(DT);
    for (const TTypeLength& t : kTypeLengths)
        if (upper == common::upperAscii(QLatin1String(t.type)))
            return t.bytes;
    return 0;
}

bool TFOPC_UA_Client_Access::Controllo_Dati()
{
    for (size_t s = 0; s < OPC_UA_Server_List.size(); ++s) {
        const TOPC_UA_Server& server = *OPC_UA_Server_List[s];
        for (const bool write : {false, true}) {
            const TOPC_UA_Var_List& list = write ? server.Var_List_W : server.Var_List_R;
            for (size_t v = 0; v < list.size(); ++v) {
                const TOPC_UA_Variable& var = *list[v];
                if (!var.Enable())
                    continue;
                for (const TVarRule& rule : kVarRules) {
                    if (write && rule.writeOnlyOnTimer && var.OnTimer() != QLatin1String("Y"))
                        continue;
                    if (!fails(rule.check, var))
                        continue;
                    const QString text = tables::Format_Numbers(Lang_Text(write ? rule.writeText : rule.readText),
                                                                {(long long)(s + 1), (long long)(v + 1), kMaxPosition});
                    if (services_.messages)
                        services_.messages->error(this, text);
                    return false;
                }
            }
        }
    }
    return true;
}

void TFOPC_UA_Client_Access::Btn_OKClick()
{
    if (!Controllo_Dati())
        return;
    QString error;
    if (!Save_OPC_UA_Client_File(OPC_UA_Server_List, XML1, common::State().File_OPC_UA_Client, &error)) {
        if (services_.messages)
            services_.messages->error(this, error);
        return;
    }
    done(kModalOK);
}

void TFOPC_UA_Client_Access::reject()
{
    done(kModalCancel);
}

} // namespace energy_it
