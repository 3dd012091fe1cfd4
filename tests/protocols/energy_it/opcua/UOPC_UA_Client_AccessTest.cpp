// The OPC UA client window driven like a user, with the endpoint dialog and the browse window
// answered by the test and the fake browse library: variables committed into the server they
// belong to whatever moves the selection, rows kept through Insert Row, the automatic positions,
// the checks of OK with their exact messages, the browse adoption, and the file written.

#include "protocols/energy_it/opcua/UOPC_UA_Client_Access.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "grid/QvCGrid.h"
#include "platform/DynamicLibrary.h"
#include "platform/Services.h"
#include "protocols/energy_it/opcua/UOPC_UA_Add_Server.h"
#include "protocols/energy_it/opcua/UOPC_UA_Client_File.h"
#include "protocols/energy_it/opcua/UOPC_UA_Scan_Server.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"
#include "support/opcua/FakeOpcuaSearch.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <optional>

namespace {

using namespace energy_it;
using platform::MsgResult;
using testsupport::TableWindowDriver;
namespace vc = opcua_var_col;

class OpcuaClientAccess : public testsupport::TableWindowTest<TFOPC_UA_Client_Access> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        loader = std::make_unique<platform::QtLibraryLoader>(testsupport::fakeOpcuaSearchFolder());
        services.libraries = loader.get();
        Start(&common::TProgramState::File_OPC_UA_Client, "OPC_UA_Client.xml");
        add = std::make_unique<TFOPC_UA_Add_Server>(services);
        scan = std::make_unique<TFOPC_UA_Scan_Server>(services);
        w->FOPC_UA_Add_Server = add.get();
        w->FOPC_UA_Scan_Server = scan.get();
        w->Show_Modal_Form = [this](common::TQvForm& form) {
            ++dialogsShown;
            if (&form == add.get())
                return answerAdd ? answerAdd(*add) : 2;
            return answerScan ? answerScan(*scan) : 2;
        };
    }
    void TearDown() override
    {
        user.reset();
        w.reset();
        ProgramFolderTest::TearDown();
    }

    // Writes a file of servers with the given read variables (display names), and opens.
    void openWith(const std::vector<std::vector<QString>>& readNames)
    {
        TOPC_UA_Server_List list;
        for (size_t s = 0; s < readNames.size(); ++s) {
            auto server = std::make_unique<TOPC_UA_Server>();
            server->SetEnable(true);
            server->SetServerAddress(QStringLiteral("fake:count=0;server=%1").arg(s + 1));
            server->SetAuthorization(QStringLiteral("Anonymous"));
            server->SetSecurityType(QStringLiteral("None"));
            server->SetSecurityPolicy(QStringLiteral("None"));
            for (const QString& name : readNames[s]) {
                auto v = std::make_unique<TOPC_UA_Variable>();
                v->SetEnable(true);
                v->SetDispalyName(name);
                v->SetOnChange(QStringLiteral("N"));
                v->SetOnCMD(QStringLiteral("N"));
                v->SetOnTimer(QStringLiteral("N"));
                v->SetTime(QStringLiteral("100"));
                v->SetPosition(QStringLiteral("0"));
                server->Var_List_R.push_back(std::move(v));
            }
            list.push_back(std::move(server));
        }
        platform::xml::Document doc;
        ASSERT_TRUE(Save_OPC_UA_Client_File(list, doc, path()));
        open();
    }
    void open()
    {
        w->hide();
        user->open();
        user->activate();
    }
    grid::TQvColumnGrid& servers() const { return *w->ACG_OPC_UA_Server; }
    grid::TQvColumnGrid& readTable() const { return *w->ACG_OPC_UA_Var_R; }
    grid::TQvColumnGrid& writeTable() const { return *w->ACG_OPC_UA_Var_W; }
    void selectServer(int row) { user->clickCell(servers(), 1, row); }
    QStringList names(const grid::TQvColumnGrid& g, int rows) const
    {
        QStringList out;
        for (int r = 1; r <= rows; ++r)
            out.append(g.Cells(vc::DisplayName, r));
        return out;
    }
    QStringList modelNames(int server, bool write = false) const
    {
        QStringList out;
        const TOPC_UA_Var_List& list = write ? w->OPC_UA_Server_List[size_t(server)]->Var_List_W
                                             : w->OPC_UA_Server_List[size_t(server)]->Var_List_R;
        for (const auto& v : list)
            out.append(v->DispalyName());
        return out;
    }
    // The focus leaves the variable tables, which commit.
    void leaveTables()
    {
        servers().setFocus();
        QCoreApplication::processEvents();
    }

    std::unique_ptr<platform::QtLibraryLoader> loader;
    std::unique_ptr<TFOPC_UA_Add_Server> add;
    std::unique_ptr<TFOPC_UA_Scan_Server> scan;
    std::function<int(TFOPC_UA_Add_Server&)> answerAdd;
    std::function<int(TFOPC_UA_Scan_Server&)> answerScan;
    int dialogsShown = 0;
};

TEST_F(OpcuaClientAccess, TypedVariablesSurviveClickingAnotherServerAndBack)
{
    openWith({{}, {"Other"}});
    EXPECT_EQ(w->size(), QSize(TFOPC_UA_Client_Access::kClientWidth, TFOPC_UA_Client_Access::kClientHeight));
    EXPECT_EQ(readTable().RowCount(), 1025);
    selectServer(1);
    for (int row = 1; row <= 3; ++row)
        user->type(readTable(), vc::DisplayName, row, QStringLiteral("Var%1").arg(row));
    selectServer(2);
    EXPECT_EQ(names(readTable(), 2), QStringList({"Other", ""}));
    selectServer(1);
    EXPECT_EQ(names(readTable(), 4), QStringList({"Var1", "Var2", "Var3", ""}));
    EXPECT_EQ(modelNames(0), QStringList({"Var1", "Var2", "Var3"}));
    EXPECT_EQ(modelNames(1), QStringList({"Other"}));
}

TEST_F(OpcuaClientAccess, InsertRowKeepsTheRowsBelowAndAnEmptyNameStopsOK)
{
    openWith({{"A", "B"}});
    selectServer(1);
    readTable().SetRow(1);
    user->press("Btn_InsRow");
    EXPECT_EQ(names(readTable(), 3), QStringList({"", "A", "B"}));
    ASSERT_EQ(w->OPC_UA_Server_List[0]->Var_List_R.size(), 3u);
    EXPECT_EQ(modelNames(0), QStringList({"", "A", "B"}));
    const QByteArray before = testsupport::readFile(path());
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(),
              QStringLiteral("Error in Server Number 1 in Read Variable 1!! Display Name cannot be empty"));
    EXPECT_EQ(testsupport::readFile(path()), before);
    EXPECT_NE(user->result(), 1);
}

TEST_F(OpcuaClientAccess, AVariableTypedThenOKIsSaved)
{
    openWith({{}});
    selectServer(1);
    user->type(readTable(), vc::DisplayName, 1, QStringLiteral("Speed"));
    user->type(readTable(), vc::R_Time, 1, QStringLiteral("250"));
    user->type(readTable(), vc::R_Position, 1, QStringLiteral("12"));
    // The editor is still open on the last cell when OK is pressed.
    readTable().SetCol(vc::R_Mnemonic);
    readTable().ShowEditor();
    QTest::keyClicks(readTable().InplaceEditor(), QStringLiteral("m1"));
    user->press("Btn_OK");
    EXPECT_TRUE(messages.shown.empty()) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), 1);
    TOPC_UA_Server_List saved;
    platform::xml::Document doc;
    Load_OPC_UA_Client_File(saved, doc, path());
    ASSERT_EQ(saved.size(), 1u);
    ASSERT_EQ(saved[0]->Var_List_R.size(), 1u);
    const TOPC_UA_Variable& v = *saved[0]->Var_List_R[0];
    EXPECT_EQ(v.DispalyName(), QStringLiteral("Speed"));
    EXPECT_EQ(v.Time(), QStringLiteral("250"));
    EXPECT_EQ(v.Position(), QStringLiteral("12"));
    EXPECT_EQ(v.Mnemonic(), QStringLiteral("m1"));
    EXPECT_TRUE(v.Enable());
}

TEST_F(OpcuaClientAccess, KeyboardAndDeleteNeverMoveVariablesIntoAnotherServer)
{
    openWith({{"S1"}, {"S2"}, {"S3"}});
    selectServer(1);
    user->type(readTable(), vc::DisplayName, 2, QStringLiteral("S1b"));
    // The keyboard moves the selection in the server table.
    servers().setFocus();
    QTest::keyClick(&servers(), Qt::Key_Down);
    EXPECT_EQ(servers().Row(), 2);
    EXPECT_EQ(names(readTable(), 2), QStringList({"S2", ""}));
    user->type(readTable(), vc::DisplayName, 2, QStringLiteral("S2b"));
    // Delete server 2: the selection then lands on the third server, whose variables the
    // tables show and keep to; what was typed for server 2 goes with it.
    messages.answers = {MsgResult::Yes};
    user->press("Btn_Delete_Server");
    ASSERT_EQ(w->OPC_UA_Server_List.size(), 2u);
    EXPECT_EQ(servers().Row(), 2);
    EXPECT_EQ(names(readTable(), 2), QStringList({"S3", ""}));
    user->type(readTable(), vc::DisplayName, 3, QStringLiteral("late"));
    selectServer(1);
    EXPECT_EQ(modelNames(0), QStringList({"S1", "S1b"}));
    EXPECT_EQ(modelNames(1), QStringList({"S3", "", "late"}));
    EXPECT_EQ(names(readTable(), 3), QStringList({"S1", "S1b", ""}));
}

TEST_F(OpcuaClientAccess, RowButtonsActOnTheTableInFrontOfItsServer)
{
    // With no server the row buttons have nothing to commit into and do nothing.
    openWith({});
    readTable().SetRow(1);
    readTable().SetCells(vc::DisplayName, 1, QStringLiteral("typed"));
    user->press("Btn_InsRow");
    EXPECT_EQ(readTable().Cells(vc::DisplayName, 1), QStringLiteral("typed"));
    EXPECT_TRUE(messages.shown.empty());

    openWith({{"a", "b"}});
    selectServer(1);
    readTable().SetRow(1);
    user->press("Btn_CopyRow");
    EXPECT_TRUE(w->Do_Copy_Read);
    EXPECT_FALSE(w->Do_Copy_Write);
    // A row copied in the read table does not paste into the write table.
    w->PC_OPC_UA_Vars->setCurrentIndex(1);
    writeTable().SetRow(1);
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!!! Copy a valid row before Paste it"));
    EXPECT_TRUE(w->OPC_UA_Server_List[0]->Var_List_W.empty());
    // Delete Row asks first, then commits.
    w->PC_OPC_UA_Vars->setCurrentIndex(0);
    messages.answers = {MsgResult::Yes};
    user->press("Btn_DelRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(modelNames(0), QStringList({"b"}));
    EXPECT_EQ(names(readTable(), 2), QStringList({"b", ""}));
}

TEST_F(OpcuaClientAccess, ColumnsHeadersAndHints)
{
    EXPECT_EQ(readTable().ColCount(), 10);
    EXPECT_EQ(readTable().NumHiddenColumns(), 3);
    EXPECT_EQ(writeTable().ColCount(), 13);
    EXPECT_EQ(servers().ColCount(), 11);
    EXPECT_EQ(readTable().Cells(vc::R_Time, 0), QStringLiteral("Time (ms)"));
    EXPECT_EQ(writeTable().Cells(vc::W_OnChange, 0), QStringLiteral("On Change"));
    EXPECT_EQ(servers().Cells(opcua_server_col::SecurityPolicy, 0), QStringLiteral("Security Policy"));
    ASSERT_EQ(w->Hint_Var_R_List.size(), 12);
    EXPECT_EQ(w->Hint_Var_R_List[vc::R_Time - 1], common::Lang_Text(4361));
    EXPECT_EQ(w->Hint_Var_R_List[vc::R_Mnemonic - 1], common::Lang_Text(4363));
    ASSERT_EQ(w->Hint_Var_W_List.size(), 12);
    EXPECT_EQ(w->Hint_Var_W_List[vc::W_OnChange - 1], common::Lang_Text(4384));
    EXPECT_EQ(w->Hint_Var_W_List[vc::W_OnCMD - 1], common::Lang_Text(4383));
    EXPECT_EQ(w->Hint_Server_List.size(), 10);
    EXPECT_EQ(w->PC_OPC_UA_Vars->tabText(0), QStringLiteral("Variables in Read"));
    EXPECT_EQ(w->Btn_AutoPosition->Caption(), QStringLiteral("Auto Pos"));
    EXPECT_EQ(readTable().Columns()[vc::VarType].ComboItems().size(), 15);
    EXPECT_EQ(readTable().Columns()[vc::NodeType].ComboItems(),
              QStringList({"Numeric", "String", "Guid", "ByteString"}));
}

TEST_F(OpcuaClientAccess, LengthsOfTheTypes)
{
    const std::pair<const char*, int> cases[] = {
        {"Boolean", 1},  {"int8", 1},  {"UINT8", 1},       {"Int16", 2}, {"UInt16", 2}, {"Int32", 4},
        {"UInt32", 4},   {"Int64", 8}, {"UInt64", 8},      {"Float", 4}, {"Double", 8}, {"String", 20},
        {"DateTime", 8}, {"Guid", 16}, {"ByteString", 20}, {"Word", 0},  {"", 0},
    };
    for (const auto& [type, bytes] : cases)
        EXPECT_EQ(TFOPC_UA_Client_Access::GetLenVarType(QLatin1String(type)), bytes) << type;
}

TEST_F(OpcuaClientAccess, AutoPosPacksAfterEveryServerAbove)
{
    openWith({{"a", "b"}, {}, {"c", "d"}});
    auto& first = *w->OPC_UA_Server_List[0];
    first.Var_List_R[0]->SetVarType(QStringLiteral("Int32"));
    first.Var_List_R[1]->SetVarType(QStringLiteral("Double"));
    first.Var_List_R[1]->SetPosition(QStringLiteral("4"));
    auto& third = *w->OPC_UA_Server_List[2];
    third.Var_List_R[0]->SetVarType(QStringLiteral("DateTime"));
    third.Var_List_R[1]->SetVarType(QStringLiteral("Boolean"));
    // No to the question changes nothing.
    selectServer(3);
    messages.answers = {MsgResult::No};
    user->press("Btn_AutoPosition");
    EXPECT_EQ(third.Var_List_R[0]->Position(), QStringLiteral("0"));
    EXPECT_EQ(third.Var_List_R[1]->Position(), QStringLiteral("0"));
    // Server 3 starts after server 1 (0 + 4, 4 + 8), the empty server 2 between them.
    messages.answers = {MsgResult::Yes};
    user->press("Btn_AutoPosition");
    EXPECT_EQ(third.Var_List_R[0]->Position(), QStringLiteral("12"));
    EXPECT_EQ(third.Var_List_R[1]->Position(), QStringLiteral("20"));
    EXPECT_EQ(readTable().Cells(vc::R_Position, 2), QStringLiteral("20"));
    // Server 2 starts its reads at 12 and its writes at 0, the first server writing nothing.
    auto& second = *w->OPC_UA_Server_List[1];
    second.Var_List_R.push_back(std::make_unique<TOPC_UA_Variable>());
    second.Var_List_W.push_back(std::make_unique<TOPC_UA_Variable>());
    selectServer(2);
    messages.answers = {MsgResult::Yes};
    user->press("Btn_AutoPosition");
    EXPECT_EQ(second.Var_List_R[0]->Position(), QStringLiteral("12"));
    EXPECT_EQ(second.Var_List_W[0]->Position(), QStringLiteral("0"));
    // From 0 on the first server: a DateTime then a Boolean puts the Boolean at 8.
    third.Var_List_R.swap(first.Var_List_R);
    selectServer(1);
    messages.answers = {MsgResult::Yes};
    user->press("Btn_AutoPosition");
    EXPECT_EQ(first.Var_List_R[1]->Position(), QStringLiteral("8"));
}

TEST_F(OpcuaClientAccess, OKChecksEnabledVariablesInOrder)
{
    struct Case {
        bool write;
        const char* enable;
        const char* onTimer;
        const char* time;
        const char* position;
        const char* message; // empty: accepted
    } cases[] = {
        {false, "Y", "N", "", "0", "Error in Server Number 1 in Read Variable 2!! Time cannot be empty"},
        {false, "Y", "N", "0", "0", "Error in Server Number 1 in Read Variable 2!! Time must be major to 0"},
        {false, "Y", "N", "10", " ", "Error in Server Number 1 in Read Variable 2!! Position cannot be empty"},
        {false, "Y", "N", "10", "1500",
         "Error in Server Number 1 in Read Variable 2!! Position must be between 0 and 1499"},
        {false, "N", "N", "", "", ""},
        {true, "Y", "N", "", "1499", ""},
        {true, "Y", "Y", "", "0", "Error in Server Number 1 in Write Variable 2!! Time cannot be empty"},
        {true, "Y", "Y", "x", "0", "Error in Server Number 1 in Write Variable 2!! Time must be major to 0"},
        {true, "Y", "N", "", "-1",
         "Error in Server Number 1 in Write Variable 2!! Position must be between 0 and 1499"},
        {true, "Y", "N", "", "1500",
         "Error in Server Number 1 in Write Variable 2!! Position must be between 0 and 1499"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.write ? "write " : "read ") + c.time + "|" + c.position);
        openWith({{}});
        TOPC_UA_Var_List& list = c.write ? w->OPC_UA_Server_List[0]->Var_List_W : w->OPC_UA_Server_List[0]->Var_List_R;
        for (int i = 0; i < 2; ++i) {
            auto v = std::make_unique<TOPC_UA_Variable>();
            v->SetEnable(i == 0 || QLatin1String(c.enable) == QLatin1String("Y"));
            v->SetDispalyName(QStringLiteral("v%1").arg(i));
            v->SetOnTimer(i == 0 ? QStringLiteral("N") : QLatin1String(c.onTimer));
            v->SetTime(i == 0 ? QStringLiteral("100") : QLatin1String(c.time));
            v->SetPosition(i == 0 ? QStringLiteral("0") : QLatin1String(c.position));
            list.push_back(std::move(v));
        }
        messages.shown.clear();
        w->setResult(0);
        EXPECT_EQ(w->Controllo_Dati(), QLatin1String(c.message).isEmpty());
        EXPECT_EQ(user->lastMessage(), QLatin1String(c.message));
    }
}

TEST_F(OpcuaClientAccess, ScanWithoutServerShows4390)
{
    openWith({});
    user->press("Btn_Scan_Server");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!! Select one Server OPC UA before use the Scan operation"));
    EXPECT_EQ(dialogsShown, 0);
}

TEST_F(OpcuaClientAccess, ScanAdoptsTheTickedVariables)
{
    openWith({{"r1", "r2"}});
    w->OPC_UA_Server_List[0]->Var_List_W.push_back(std::make_unique<TOPC_UA_Variable>());
    w->OPC_UA_Server_List[0]->Var_List_W.back()->SetDispalyName(QStringLiteral("w1"));
    w->OPC_UA_Server_List[0]->SetServerAddress(QStringLiteral("fake:count=3;access=1,2,0"));
    selectServer(1);
    answerScan = [this](TFOPC_UA_Scan_Server& s) {
        EXPECT_EQ(QByteArray(s.Server.server_address), QByteArray("fake:count=3;access=1,2,0"));
        s.show();
        QCoreApplication::processEvents();
        s.Timer_ScanTimer();
        s.hide();
        return 1;
    };
    // No to 4391 replaces the read list; Cancel to 4392 keeps the write list.
    messages.answers = {MsgResult::No, MsgResult::Cancel};
    user->press("Btn_Scan_Server");
    EXPECT_EQ(scan->Server.server_address, nullptr);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Do you want to append the new variables in Read?"));
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("Do you want to append the new variables in Write?"));
    EXPECT_EQ(modelNames(0),
              QStringList({QString::fromUtf8("Sensor 0 \u00b0C"), QString::fromUtf8("Sensor 2 \u00b0C")}));
    EXPECT_EQ(modelNames(0, true), QStringList({"w1"}));
    EXPECT_EQ(names(readTable(), 2), modelNames(0));
    EXPECT_EQ(readTable().Cells(vc::NodeID, 1), QStringLiteral("3000000000"));
    EXPECT_FALSE(testsupport::libraryLoadedFrom(testsupport::fakeOpcuaSearchFolder()));
}

TEST_F(OpcuaClientAccess, ABrowseOfFifteenHundredVariablesIsShownAndSavedWhole)
{
    openWith({{}});
    w->OPC_UA_Server_List[0]->SetServerAddress(QStringLiteral("fake:count=1500;types=5"));
    selectServer(1);
    answerScan = [](TFOPC_UA_Scan_Server& s) {
        s.show();
        QCoreApplication::processEvents();
        s.Timer_ScanTimer();
        s.hide();
        return 1;
    };
    user->press("Btn_Scan_Server");
    ASSERT_EQ(w->OPC_UA_Server_List[0]->Var_List_R.size(), 1500u);
    EXPECT_GE(readTable().RowCount(), 1501);
    EXPECT_EQ(readTable().Cells(vc::DisplayName, 1500), QString::fromUtf8("Sensor 1499 \u00b0C"));
    // A commit of the grown table keeps them all (the browse window had the activation).
    user->activate();
    user->type(readTable(), vc::R_Mnemonic, 1500, QStringLiteral("last"));
    leaveTables();
    ASSERT_EQ(w->OPC_UA_Server_List[0]->Var_List_R.size(), 1500u);
    EXPECT_EQ(w->OPC_UA_Server_List[0]->Var_List_R.back()->Mnemonic(), QStringLiteral("last"));
}

TEST_F(OpcuaClientAccess, DoubleClicksAddBelowTheRowsAndModifyOnThem)
{
    openWith({{}});
    answerAdd = [](TFOPC_UA_Add_Server& d) {
        EXPECT_EQ(d.FormType, TFOPC_UA_Add_Server::kFormAdd);
        d.E_Server_Add->setText(QStringLiteral("opc.tcp://127.0.0.1:4841"));
        d.CB_Auth->setCurrentIndex(1);
        d.E_User->setText(QStringLiteral("u"));
        d.CB_Sec_Type->setCurrentIndex(2);
        d.CB_Sec_Policy->setCurrentIndex(5);
        return 1;
    };
    const QRect below = servers().CellRect(1, 1).toQRect().translated(0, 60);
    QTest::mouseDClick(servers().viewport(), Qt::LeftButton, {}, below.center());
    ASSERT_EQ(w->OPC_UA_Server_List.size(), 2u);
    const TOPC_UA_Server& added = *w->OPC_UA_Server_List[1];
    EXPECT_EQ(added.Authorization(), QStringLiteral("Username and Password"));
    EXPECT_EQ(added.SecurityType(), QStringLiteral("Sign and Encrypt"));
    EXPECT_EQ(added.SecurityPolicy(), QStringLiteral("AES 256 SHA 256 RSA PSS"));
    EXPECT_EQ(servers().Cells(opcua_server_col::ServerAddress, 2), QStringLiteral("opc.tcp://127.0.0.1:4841"));

    for (int row : {0, 2}) {
        SCOPED_TRACE(row);
        answerAdd = [row](TFOPC_UA_Add_Server& d) {
            EXPECT_EQ(d.FormType, TFOPC_UA_Add_Server::kFormModify);
            d.E_Mnemonic->setText(QStringLiteral("changed %1").arg(row));
            return 1;
        };
        servers().SetRow(2);
        const QRect r = servers().CellRect(3, row).toQRect();
        QTest::mouseDClick(servers().viewport(), Qt::LeftButton, {}, r.center());
        EXPECT_EQ(w->OPC_UA_Server_List[1]->Mnemonic(), QStringLiteral("changed %1").arg(row));
        EXPECT_EQ(w->OPC_UA_Server_List[1]->UserName(), QStringLiteral("u"));
    }
}

TEST_F(OpcuaClientAccess, CancelAfterDeletingBringsTheServerBack)
{
    openWith({{"a"}, {"b"}});
    selectServer(1);
    messages.answers = {MsgResult::Yes};
    user->press("Btn_Delete_Server");
    EXPECT_EQ(w->OPC_UA_Server_List.size(), 1u);
    user->press("Btn_Cancel");
    EXPECT_EQ(user->result(), 2);
    open();
    EXPECT_EQ(w->OPC_UA_Server_List.size(), 2u);
    EXPECT_EQ(servers().RowCount(), 3);
}

TEST_F(OpcuaClientAccess, TheFileIsWrittenAsTheFixtureAndAFaultyOneKeepsTheWindowShut)
{
    ASSERT_TRUE(QFile::copy(testsupport::fixturePath(QStringLiteral("opcua/OPC_UA_Client.xml")), path()));
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    open();
    ASSERT_EQ(w->OPC_UA_Server_List.size(), 2u);
    selectServer(1);
    EXPECT_EQ(readTable().Cells(vc::DisplayName, 2), QStringLiteral("Tank <A> & \"B\""));
    user->bringForward(writeTable());
    EXPECT_EQ(writeTable().Cells(vc::W_OnTimer, 1), QStringLiteral("Y"));
    EXPECT_TRUE(user->cellShowsText(user->screenshot(QStringLiteral("windows/OPC_UA_Client_Access_window.png")),
                                    writeTable(), vc::W_OnTimer, 1));
    // The disabled read variable is not checked; the rest passes.
    user->press("Btn_OK");
    EXPECT_TRUE(messages.shown.empty()) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()),
              testsupport::readFile(testsupport::fixturePath(QStringLiteral("opcua/OPC_UA_Client.xml"))));

    QByteArray text = testsupport::readFile(path());
    text.replace(" Position=\"8\"", "");
    ASSERT_TRUE(testsupport::writeFile(path(), text));
    open();
    QCoreApplication::processEvents();
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Missing attribute \"Position\""));
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->OPC_UA_Server_List.empty());
}

} // namespace
