#include "app/UQuorvantiseFirmWare.h"
#include "app/UForms.h"
#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "grid/QvCGrid.h"
#include "platform/Clock.h"
#include "platform/Services.h"
#include "protocols/ethernet/bacnet/UBACnetSlaveSetAccess.h"
#include "protocols/ethernet/bacnet/UBACnet_Eng_Unit.h"
#include "protocols/ethernet/ethernetip/UEtherNetIP_Master_Access.h"
#include "protocols/ethernet/profinet/UProfinetFileName.h"
#include "support/FakeDialogs.h"
#include "support/FakeMessages.h"
#include "support/FakeShell.h"
#include "support/FullDisk.h"
#include "support/Screenshots.h"
#include "support/TestSupport.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using common::Lang_Str;
using common::State;

namespace {

// A started program in a temporary folder, driven through its main window.
class MainWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        State() = common::TProgramState();
        State().Exe_Dir = tmp.path();
        services.messages = &messages;
        services.shell = &shell;
    }

    void TearDown() override
    {
        Forms().Free_Forms();
        State() = common::TProgramState();
    }

    void writeSettings(const QByteArray& xml)
    {
        ASSERT_TRUE(testsupport::writeFile(tmp.filePath("Quorvantis.xml"), xml));
    }

    TFQuorvantiseFirmWare* start()
    {
        Forms().Create_Forms(services);
        return Forms().Main();
    }

    // Closes whatever modal window the next click opens, remembering its object name.
    void closeNextModal(int result = 2)
    {
        QTimer::singleShot(0, [this, result] {
            if (auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                opened.append(w->objectName());
                w->done(result);
            }
        });
    }

    QTemporaryDir tmp;
    platform::Services services;
    testsupport::FakeMessages messages;
    testsupport::FakeShell shell;
    QStringList opened;
};

} // namespace

TEST_F(MainWindow, StartUpCreatesTheWorkspaceAndShowsNoProject)
{
    TFQuorvantiseFirmWare* w = start();
    for (const char* name : {"MASTER", "PROJECTS", "LANGUAGE", "IODD"})
        EXPECT_TRUE(QDir(tmp.filePath(name)).exists()) << name;
    EXPECT_EQ(Lang_Str().size(), common::kLangStrSize);
    EXPECT_EQ(w->windowTitle(), "Norvix - Configurator CT40517 - IO-Link Slave / DeviceNet Master ");
    EXPECT_EQ(w->L_SW_Code->text(), "CT40517");
    EXPECT_EQ(w->L_SW_Desc->text(), "IO-Link Slave / DeviceNet Master - Converter");
    EXPECT_EQ(w->L_Name_Conf->text(), Lang_Str()[9]);
    EXPECT_EQ(w->L_Name_Conf_L2->text(), Lang_Str()[10]);
    EXPECT_EQ(w->size(), QSize(694, 484));
    EXPECT_EQ(Forms().Entries().size(), 41u);
    EXPECT_FALSE(w->Timer_Update.isActive());
}

TEST_F(MainWindow, StepButtonsOfThisGatewayStandInTheirRows)
{
    TFQuorvantiseFirmWare* w = start();
    const struct {
        const char* name;
        QRect geometry;
        int caption;
    } rows[] = {
        {"Btn_New", {80, 112, 170, 36}, 15},         {"Btn_Open", {258, 112, 170, 36}, 16},
        {"Btn_Prm_Gen", {80, 156, 170, 36}, 20},     {"Btn_IOLink_Set_Access", {80, 200, 170, 36}, 21},
        {"Btn_DNet_Net", {80, 244, 170, 36}, 51},    {"Btn_DNet_Offset", {258, 244, 170, 36}, 53},
        {"Btn_IOLink_IODD", {80, 288, 170, 36}, 26}, {"Btn_CreateBin", {80, 332, 170, 36}, 17},
        {"Btn_Info", {516, 8, 50, 50}, -1},          {"Btn_Opz", {574, 8, 50, 50}, -1},
        {"Btn_Close", {632, 8, 50, 50}, -1},
    };
    for (const auto& r : rows) {
        TGlyphButton* b = w->Button(r.name);
        ASSERT_NE(b, nullptr) << r.name;
        EXPECT_EQ(b->geometry(), r.geometry) << r.name;
        EXPECT_FALSE(b->isHidden()) << r.name;
        if (r.caption >= 0) {
            EXPECT_EQ(b->Caption(), Lang_Str()[r.caption]) << r.name;
        }
    }
    for (const char* hidden : {"Btn_Modbus_Set_Access", "Btn_CANopen_EDS", "Btn_SNMP_MIB", "Btn_EtherNetIP_Access"}) {
        ASSERT_NE(w->Button(hidden), nullptr) << hidden;
        EXPECT_TRUE(w->Button(hidden)->isHidden()) << hidden;
    }
}

TEST_F(MainWindow, ProjectButtonsWithoutAProjectShowText18AndOpenNothing)
{
    TFQuorvantiseFirmWare* w = start();
    for (const char* name : {"Btn_Prm_Gen", "Btn_IOLink_Set_Access", "Btn_DNet_Net", "Btn_DNet_Offset",
                             "Btn_IOLink_IODD", "Btn_CreateBin"}) {
        SCOPED_TRACE(name);
        messages.shown.clear();
        closeNextModal();
        w->Button(name)->Click();
        QCoreApplication::processEvents();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "Error! Project not Valid");
        EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Error);
    }
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(MainWindow, LastProjectIsReopenedWhenItsFolderExists)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("PROJECTS/Line 3"));
    writeSettings("<Conf_Settings><lastproj><projectname>Line 3</projectname></lastproj></Conf_Settings>");
    TFQuorvantiseFirmWare* w = start();
    EXPECT_EQ(State().Project_Dir, QDir(tmp.filePath("PROJECTS")).filePath("Line 3"));
    EXPECT_EQ(State().File_ParGen, QDir(State().Project_Dir).filePath("ParGen.xml"));
    EXPECT_EQ(w->L_Name_Conf->text(), Lang_Str()[11]);
    EXPECT_EQ(w->L_Name_Conf_L2->text(), "Line 3");

    // With a project open the configuration windows open.
    closeNextModal();
    w->Button("Btn_Prm_Gen")->Click();
    EXPECT_EQ(opened, QStringList{"FParGen"});
    EXPECT_TRUE(messages.shown.empty());
}

// The project's name is shown as typed: markup in it is text, not formatting.
TEST_F(MainWindow, AProjectNameWithMarkupIsShownAsPlainText)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("PROJECTS/Line <B>3"));
    writeSettings("<Conf_Settings><lastproj><projectname>Line &lt;B&gt;3</projectname></lastproj></Conf_Settings>");
    TFQuorvantiseFirmWare* w = start();
    ASSERT_EQ(State().Project_Name, "Line <B>3");
    EXPECT_EQ(w->L_Name_Conf_L2->text(), "Line <B>3");
    EXPECT_EQ(w->L_Name_Conf_L2->textFormat(), Qt::PlainText);
    // What is painted is the text with its brackets: as wide as the plain text, wider than the
    // text "Line 3" that markup would leave.
    const QFontMetrics metrics(w->L_Name_Conf_L2->font());
    EXPECT_NEAR(w->L_Name_Conf_L2->sizeHint().width(), metrics.horizontalAdvance(QStringLiteral("Line <B>3")), 2);
    EXPECT_GT(w->L_Name_Conf_L2->sizeHint().width(), metrics.horizontalAdvance(QStringLiteral("Line 3")));
}

TEST_F(MainWindow, ClosingWritesTheSettingsFileWithTheMissingProjectKept)
{
    writeSettings("<Conf_Settings><lastproj><projectname>Gone</projectname></lastproj>"
                  "<lastipadd><ipaddress>10.1.1.1</ipaddress></lastipadd></Conf_Settings>");
    TFQuorvantiseFirmWare* w = start();
    EXPECT_EQ(State().Project_Dir, "");
    ASSERT_TRUE(QFile::remove(tmp.filePath("Quorvantis.xml")));
    w->Button("Btn_Close")->Click();
    const QByteArray written = testsupport::readFile(tmp.filePath("Quorvantis.xml"));
    EXPECT_TRUE(written.contains("<projectname>Gone</projectname>")) << written.constData();
    EXPECT_TRUE(written.contains("<ipaddress>10.1.1.1</ipaddress>"));
}

TEST_F(MainWindow, InfoOpensTheAboutWindowWithoutAProject)
{
    TFQuorvantiseFirmWare* w = start();
    closeNextModal();
    w->Button("Btn_Info")->Click();
    EXPECT_EQ(opened, QStringList{"FAbout"});
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainWindow, VersionTimerFollowsBothInternetOptions)
{
    writeSettings("<Conf_Settings><lastinternet><enable_internet>1</enable_internet>"
                  "<enable_update>1</enable_update></lastinternet></Conf_Settings>");
    TFQuorvantiseFirmWare* w = start();
    EXPECT_TRUE(w->Timer_Update.isActive());
    EXPECT_EQ(w->Timer_Update.interval(), 60000);

    State().Enable_Update = false;
    w->Apply_Timer_Rule();
    EXPECT_FALSE(w->Timer_Update.isActive());
}

TEST_F(MainWindow, TimerTickShowsTheDownloadLinkOnlyForANewerVersion)
{
    TFQuorvantiseFirmWare* w = start();
    w->Check_Version = [] { return true; };
    w->Timer_UpdateTimer();
    EXPECT_FALSE(w->LL_Update->isHidden());
    EXPECT_TRUE(w->LL_Update->text().contains("/Home/download/download.asp#GX40517"));
    EXPECT_TRUE(w->LL_Update->text().contains(Lang_Str()[19]));
    EXPECT_EQ(w->Timer_Update.interval(), 7200000);
    EXPECT_TRUE(w->Timer_Update.isActive());

    w->Check_Version = [] { return false; };
    w->Timer_UpdateTimer();
    EXPECT_TRUE(w->LL_Update->isHidden());
}

TEST_F(MainWindow, WebLinksAndStartProgramGoThroughTheShell)
{
    TFQuorvantiseFirmWare* w = start();
    w->L_NorvixClick();
    ASSERT_EQ(shell.openedUrls.size(), 1);
    EXPECT_TRUE(shell.openedUrls[0].endsWith("/HOME/default.asp?frompg=CT40517"));

    // The caller learns how the run ended.
    shell.outcomes = {platform::RunOutcome::Exited, platform::RunOutcome::NotStarted};
    EXPECT_EQ(w->Start_Program("/x/Ethernet_Update.exe", "", 0), platform::RunOutcome::Exited);
    EXPECT_EQ(w->Start_Program("/x/other", "-a", 1), platform::RunOutcome::NotStarted);
    ASSERT_EQ(shell.runs.size(), 2u);
    EXPECT_EQ(shell.runs[0].program, "/x/Ethernet_Update.exe");
    EXPECT_FALSE(shell.runs[0].hidden);
    EXPECT_EQ(shell.runs[0].limitMs, 150000);
    EXPECT_TRUE(shell.runs[1].hidden);
    EXPECT_EQ(shell.runs[1].parameters, "-a");
}

TEST_F(MainWindow, UpdateDeviceWritesBothBanksThenOpensTheUpdateWindow)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("PROJECTS/P/bin"));
    writeSettings("<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>");
    TFQuorvantiseFirmWare* w = start();
    closeNextModal();
    w->Button("Btn_CreateBin")->Click();
    EXPECT_EQ(opened, QStringList{"FBoot"});
    EXPECT_EQ(QFileInfo(tmp.filePath("PROJECTS/P/bin/bank1.bin")).size(), 2048);
    EXPECT_TRUE(QFileInfo::exists(tmp.filePath("PROJECTS/P/bin/bank2.bin")));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainWindow, UpdateDeviceWithAnUnwritableImageReportsItAndOpensNothing)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("PROJECTS/P"));
    // A file where the "bin" folder should be: the banks cannot be written.
    ASSERT_TRUE(testsupport::writeFile(tmp.filePath("PROJECTS/P/bin"), "x"));
    writeSettings("<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>");
    TFQuorvantiseFirmWare* w = start();
    closeNextModal();
    w->Button("Btn_CreateBin")->Click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Error);
}

// On a full disk neither bank is replaced: the user is told which bank could not be written
// and the updater is not offered the old banks as if they were new.
TEST_F(MainWindow, UpdateDeviceOnAFullDiskKeepsTheOldBanksAndOpensNothing)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("PROJECTS/P/bin"));
    ASSERT_TRUE(testsupport::writeFile(tmp.filePath("PROJECTS/P/bin/bank1.bin"), "old bank 1"));
    ASSERT_TRUE(testsupport::writeFile(tmp.filePath("PROJECTS/P/bin/bank2.bin"), "old bank 2"));
    writeSettings("<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>");
    TFQuorvantiseFirmWare* w = start();
    closeNextModal();
    {
        testsupport::FullDisk full;
        w->Button("Btn_CreateBin")->Click();
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Error);
    EXPECT_TRUE(messages.shown[0].text.contains("bank1.bin")) << messages.shown[0].text.toStdString();
    EXPECT_EQ(testsupport::readFile(tmp.filePath("PROJECTS/P/bin/bank1.bin")), "old bank 1");
    EXPECT_EQ(testsupport::readFile(tmp.filePath("PROJECTS/P/bin/bank2.bin")), "old bank 2");
}

TEST_F(MainWindow, OpenConfigurationOpensTheChosenProject)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("PROJECTS/Alpha"));
    TFQuorvantiseFirmWare* w = start();
    closeNextModal(1);
    w->Button("Btn_Open")->Click();
    EXPECT_EQ(opened, QStringList{"FOpenConf"});
    EXPECT_EQ(State().Project_Name, "Alpha");
    EXPECT_EQ(State().Project_Dir, QDir(tmp.filePath("PROJECTS")).filePath("Alpha"));
    EXPECT_EQ(State().File_DNETM_Net, QDir(State().Project_Dir).filePath("DNETM_Net.xml"));
    EXPECT_EQ(w->L_Name_Conf->text(), Lang_Str()[11]);
    EXPECT_EQ(w->L_Name_Conf_L2->text(), "Alpha");
}

TEST_F(MainWindow, OptionsConfirmedRewriteTheSettingsAtOnceCancelledDoNot)
{
    TFQuorvantiseFirmWare* w = start();
    const QString settings = tmp.filePath("Quorvantis.xml");
    closeNextModal(2);
    w->Button("Btn_Opz")->Click();
    EXPECT_FALSE(QFileInfo::exists(settings));

    closeNextModal(1);
    w->Button("Btn_Opz")->Click();
    EXPECT_EQ(opened, (QStringList{"FSoftOptions", "FSoftOptions"}));
    EXPECT_TRUE(QFileInfo::exists(settings));
}

TEST_F(MainWindow, LanguageChangeReappliesTheTextsOfEveryWindowButTheAboutWindow)
{
    // 400 is the communication settings' caption.
    ASSERT_TRUE(QDir(tmp.path()).mkpath("LANGUAGE"));
    ASSERT_TRUE(
        testsupport::writeFile(tmp.filePath("LANGUAGE/Italiano.lng"),
                               "STR15 =Nuova Configurazione\r\nSTR100 =Crea Nuova Configurazione\r\nSTR300 =Opzioni\r\n"
                               "STR400 =Comunicazione\r\n"));
    TFQuorvantiseFirmWare* w = start();
    const QString aboutTitle = Forms().Find("FAbout")->window->windowTitle();

    State().Language_Name = "Italiano";
    common::Load_Language(State().Language_Dir, State().Language_Name);
    w->Change_Language();

    EXPECT_EQ(w->Button("Btn_New")->Caption(), "Nuova Configurazione");
    EXPECT_EQ(Forms().Find("FNew_Project")->window->windowTitle(), "Crea Nuova Configurazione");
    EXPECT_EQ(Forms().Find("FSoftOptions")->window->windowTitle(), "Opzioni");
    EXPECT_EQ(Forms().Find("FParGen")->window->windowTitle(), "Comunicazione");
    EXPECT_EQ(Forms().Find("FAbout")->window->windowTitle(), aboutTitle);
    // The open-project box keeps its state in the new language.
    EXPECT_EQ(w->L_Name_Conf->text(), Lang_Str()[9]);
}

TEST_F(MainWindow, ScreenshotShowsTheSixStepsOfThisGateway)
{
    TFQuorvantiseFirmWare* w = start();
    w->show();
    const QImage shot = testsupport::takeScreenshot(*w, QStringLiteral("windows/MainWindow.png"));
    ASSERT_EQ(shot.size(), QSize(694, 484));
    // The window's background colour shows between the rows.
    EXPECT_EQ(shot.pixelColor(600, 470), QColor(248, 247, 237));
    // The rule under the last step is a one-pixel line 51 pixels below the update button's top.
    EXPECT_NE(shot.pixelColor(300, 332 + 51), QColor(248, 247, 237));
    EXPECT_EQ(shot.pixelColor(300, 332 + 52), QColor(248, 247, 237));
    // Each shown step button paints its face over the background.
    for (const char* name :
         {"Btn_New", "Btn_Prm_Gen", "Btn_IOLink_Set_Access", "Btn_DNet_Net", "Btn_IOLink_IODD", "Btn_CreateBin"}) {
        const QRect r = w->Button(name)->geometry();
        EXPECT_NE(shot.pixelColor(r.center()), QColor(248, 247, 237)) << name;
    }
}

TEST_F(MainWindow, EdeFileNameGetsItsExtensionAndAnExistingFileIsReplacedOnlyAfterYes)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("PROJECTS/P"));
    writeSettings("<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>");
    testsupport::FakeDialogs dialogs;
    services.dialogs = &dialogs;
    TFQuorvantiseFirmWare* w = start();
    QStringList written;
    w->Generators.Create_EDE_File = [&](const QString& f) { written << f; };

    const QString dir = State().Project_Dir;
    const struct {
        const char* typed;
        const char* expected;
    } names[] = {{"plant", "plant.csv"}, {"plant.CsV", "plant.CsV"}, {"plant.txt", "plant.txt.csv"}};
    for (const auto& n : names) {
        dialogs.answers.push_back(QDir(dir).filePath(n.typed));
        w->BACnet_EDE_File();
        ASSERT_FALSE(written.isEmpty()) << n.typed;
        EXPECT_EQ(written.takeLast(), QDir(dir).filePath(n.expected));
    }
    EXPECT_TRUE(messages.shown.empty());

    // An existing file: the question (text 34, Yes/No/Cancel) and only Yes goes on.
    ASSERT_TRUE(testsupport::writeFile(QDir(dir).filePath("old.csv"), "x"));
    for (platform::MsgResult answer :
         {platform::MsgResult::No, platform::MsgResult::Cancel, platform::MsgResult::Yes}) {
        dialogs.answers.push_back(QDir(dir).filePath("old.csv"));
        messages.answers.push_back(answer);
        w->BACnet_EDE_File();
    }
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text, Lang_Str()[34]);
    EXPECT_EQ(messages.shown[0].buttons, platform::MsgButtons::YesNoCancel);
    EXPECT_EQ(written, QStringList{QDir(dir).filePath("old.csv")});

    // Cancelling the dialog writes nothing.
    dialogs.answers.push_back(QString());
    w->BACnet_EDE_File();
    EXPECT_EQ(written.size(), 1);
}

// The EDE step writes the open project's server objects; the server tables open the unit
// picker created before them.
TEST_F(MainWindow, EdeStepWritesTheServerObjectsAndTheServerTablesReachThePicker)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("PROJECTS/P"));
    writeSettings("<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>");
    testsupport::FakeDialogs dialogs;
    services.dialogs = &dialogs;
    platform::FixedClock clock(QDateTime(QDate(2025, 11, 3), QTime(9, 5, 7)));
    services.clock = &clock;
    TFQuorvantiseFirmWare* w = start();
    ASSERT_TRUE(testsupport::writeFile(State().File_BACnet_Slave,
                                       "<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Input\" "
                                       "Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" "
                                       "Mnemonic=\"T\" /></BACnet_in_Read><BACnet_in_Write /></BACnet_to_Modbus>"));
    dialogs.answers.push_back(QDir(State().Project_Dir).filePath("plant"));
    w->BACnet_EDE_File();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(
        testsupport::readFile(QDir(State().Project_Dir).filePath("plant.csv")),
        QByteArray("PROJECT_NAME; www.norvix.example--P;;;;;;\r\n"
                   "VERSION_OF_REFERENCEFILE;1.0;;;;;;\r\n"
                   "TIMESTAMP_OF_LAST_CHANGE;09:05:07 03/11/2025;;;;;;\r\n"
                   "AUTHOR_OF_LAST_CHANGE;www.norvix.example;;;;;;\r\n"
                   "VERSION_OF_LAYOUT;2;;;;;;\r\n"
                   "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;\r\n"
                   "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;\r\n"
                   "_T_0;;T;0;0;T;62;\r\n"));

    auto* server = qobject_cast<ethernet::TFBACnetSlaveSetAccess*>(Forms().Find("FBACnetSlaveSetAccess")->window);
    auto* picker = qobject_cast<ethernet::TFBACnet_Eng_Unit*>(Forms().Find("FBACnet_Eng_Unit")->window);
    ASSERT_TRUE(server && picker);
    EXPECT_EQ(server->FBACnet_Eng_Unit, picker);
}

TEST_F(MainWindow, EdsStepWritesTheDataSheetUnderTheChosenName)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("PROJECTS/P"));
    writeSettings("<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>");
    testsupport::FakeDialogs dialogs;
    platform::FixedClock clock(QDateTime(QDate(2024, 3, 7), QTime(13, 7)));
    services.dialogs = &dialogs;
    services.clock = &clock;
    TFQuorvantiseFirmWare* w = start();

    // A dot in a folder name is no extension; a name with its own extension keeps it.
    const QString dir = State().Project_Dir;
    ASSERT_TRUE(QDir(dir).mkpath("v1.2"));
    const struct {
        const char* typed;
        const char* expected;
    } names[] = {{"v1.2/plant", "v1.2/plant.eds"}, {"plant.EDS", "plant.EDS"}, {"plant", "plant.eds"}};
    for (const auto& n : names) {
        dialogs.answers.push_back(QDir(dir).filePath(n.typed));
        w->Build_EDS_File();
        EXPECT_EQ(dialogs.shown.back().startDir, dir);
        const QByteArray written = testsupport::readFile(QDir(dir).filePath(n.expected));
        EXPECT_TRUE(written.startsWith("[FileInfo]\r\nFileName=IOLinkSlave_CANopen.eds\r\n")) << n.typed;
        EXPECT_TRUE(written.contains("CreationTime=01:07PM\r\nCreationDate=03-07-2024\r\n")) << n.typed;
    }
    EXPECT_FALSE(QFileInfo::exists(QDir(dir).filePath("v1.2/plant")));
    EXPECT_TRUE(messages.shown.empty());

    // A PDO file that cannot be read is reported and nothing is written.
    ASSERT_TRUE(testsupport::writeFile(State().File_PDO_CANopen, "<PDO_CANopen><Receive_PDO/></PDO_CANopen>"));
    dialogs.answers.push_back(QDir(dir).filePath("broken"));
    w->Build_EDS_File();
    EXPECT_EQ(messages.lastText(), State().File_PDO_CANopen + ": Missing element \"Transmit_PDO\"");
    EXPECT_FALSE(QFileInfo::exists(QDir(dir).filePath("broken.eds")));
}

TEST_F(MainWindow, EveryStepOfThisGatewayOpensItsOwnWindow)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("PROJECTS/P"));
    writeSettings("<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>");
    TFQuorvantiseFirmWare* w = start();
    const struct {
        const char* button;
        const char* window;
    } steps[] = {{"Btn_Prm_Gen", "FParGen"},
                 {"Btn_IOLink_Set_Access", "FIOLinkSlave"},
                 {"Btn_DNet_Net", "FDNet"},
                 {"Btn_DNet_Offset", "FDefOffset"}};
    for (const auto& s : steps) {
        closeNextModal();
        w->Button(s.button)->Click();
        ASSERT_FALSE(opened.isEmpty()) << s.button;
        EXPECT_EQ(opened.takeLast(), s.window);
        EXPECT_EQ(Forms().Find(s.window)->window->metaObject()->className(),
                  QStringLiteral("gateway::T%1").arg(QString(s.window)))
            << "still a placeholder";
    }
}

TEST_F(MainWindow, CanAndPdoTablesAreTheirOwnWindowsAndFollowALanguageChange)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("LANGUAGE"));
    ASSERT_TRUE(testsupport::writeFile(tmp.filePath("LANGUAGE/Italiano.lng"),
                                       "STR2610 =IdCob\r\nSTR2700 =Trasmissione CAN\r\nSTR2814 =PDO ricevuti\r\n"
                                       "STR2915 =SDO scrittura\r\nSTR3017 =Indice\r\n"));
    TFQuorvantiseFirmWare* w = start();
    for (const char* name :
         {"FReceiveCAN", "FTransmitCAN", "FSet_PDO_Access", "FSet_SDO_Client_Access", "FSet_SDO_Server_Access"})
        EXPECT_EQ(Forms().Find(name)->window->metaObject()->className(),
                  QStringLiteral("fieldbus::T%1").arg(QString(name)))
            << "still a placeholder";

    State().Language_Name = "Italiano";
    common::Load_Language(State().Language_Dir, State().Language_Name);
    w->Change_Language();
    QWidget* receive = Forms().Find("FReceiveCAN")->window;
    EXPECT_EQ(receive->findChild<grid::TQvColumnGrid*>("ACG_CAN_Receive")->Cells(2, 0), "IdCob");
    EXPECT_EQ(Forms().Find("FTransmitCAN")->window->windowTitle(), "Trasmissione CAN");
    EXPECT_EQ(Forms().Find("FSet_PDO_Access")->window->findChild<QTabWidget*>("PageControl1")->tabText(0),
              "PDO ricevuti");
    EXPECT_EQ(Forms().Find("FSet_SDO_Client_Access")->window->findChild<QTabWidget*>("PageControl1")->tabText(1),
              "SDO scrittura");
    EXPECT_EQ(Forms().Find("FSet_SDO_Server_Access")->window->findChild<grid::TQvColumnGrid*>("sga")->Cells(1, 0),
              "Indice");
}

TEST_F(MainWindow, ModbusAndS7TablesAreTheirOwnWindowsOpenedByTheirHiddenButtons)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("PROJECTS/P"));
    writeSettings("<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>");
    TFQuorvantiseFirmWare* w = start();
    for (const char* name : {"FSetAccess", "FModbus_TCP_Master_Set_Access", "FS7_Protocol_Set_Access"})
        EXPECT_EQ(Forms().Find(name)->window->metaObject()->className(),
                  QStringLiteral("ethernet::T%1").arg(QString(name)))
            << "still a placeholder";
    const struct {
        const char* button;
        const char* window;
    } buttons[] = {{"Btn_Modbus_Set_Access", "FModbus_TCP_Master_Set_Access"},
                   {"Btn_S7_Protocol_Access", "FS7_Protocol_Set_Access"}};
    for (const auto& b : buttons) {
        // Hidden in this build: shown for the test, as a build for those gateways would.
        w->Button(b.button)->setVisible(true);
        closeNextModal();
        w->Button(b.button)->Click();
        ASSERT_FALSE(opened.isEmpty()) << b.button;
        EXPECT_EQ(opened.takeLast(), b.window);
    }
}

TEST_F(MainWindow, EtherCATTableIsItsOwnWindowAndTheHiddenESIStepWritesTheFile)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("PROJECTS/P"));
    ASSERT_TRUE(QDir(tmp.path()).mkpath("LANGUAGE"));
    ASSERT_TRUE(testsupport::writeFile(tmp.filePath("LANGUAGE/Italiano.lng"), "STR3338 =Tipo\r\n"));
    writeSettings("<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>");
    testsupport::FakeDialogs dialogs;
    services.dialogs = &dialogs;
    TFQuorvantiseFirmWare* w = start();
    QWidget* table = Forms().Find("FEtherCATSlave")->window;
    EXPECT_EQ(table->metaObject()->className(), QStringLiteral("fieldbus::TFEtherCATSlave")) << "still a placeholder";

    // The step's button is hidden in this build; its click runs the ESI writer.
    TGlyphButton* esi = w->Button("Btn_EtherCAT_ESI_File");
    ASSERT_NE(esi, nullptr);
    EXPECT_TRUE(esi->isHidden());
    dialogs.answers.push_back(QDir(State().Project_Dir).filePath("gateway"));
    emit esi->OnClick();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].filter, "EtherCAT ESI File (*.xml)");
    EXPECT_EQ(dialogs.shown[0].startDir, State().Project_Dir);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(testsupport::readFile(QDir(State().Project_Dir).filePath("gateway.xml"))
                    .startsWith("<?xml version=\"1.0\"?>\r\n<EtherCATInfo "));

    // A language change gives the Master To Slave grid its own header texts.
    State().Language_Name = "Italiano";
    common::Load_Language(State().Language_Dir, State().Language_Name);
    w->Change_Language();
    EXPECT_EQ(table->findChild<grid::TQvStringGrid*>("QSG_MasterSlave")->Cells(2, 0), "Tipo");
    EXPECT_EQ(table->findChild<grid::TQvStringGrid*>("QSG_SlaveMaster")->Cells(2, 0), "Type");
}

TEST_F(MainWindow, J1939AndNmeaTablesAreTheirOwnWindowsAndFollowALanguageChange)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("LANGUAGE"));
    ASSERT_TRUE(testsupport::writeFile(tmp.filePath("LANGUAGE/Italiano.lng"),
                                       "STR3716 =PGN ricevuto\r\nSTR3800 =Trasmissione J1939\r\n"
                                       "STR4115 =PGN NMEA\r\nSTR4224 =Descrizione\r\n"));
    TFQuorvantiseFirmWare* w = start();
    for (const char* name : {"FReceiveJ1939", "FTransmitJ1939", "FReceiveNMEA", "FTransmitNMEA"})
        EXPECT_EQ(Forms().Find(name)->window->metaObject()->className(),
                  QStringLiteral("fieldbus::T%1").arg(QString(name)))
            << "still a placeholder";

    State().Language_Name = "Italiano";
    common::Load_Language(State().Language_Dir, State().Language_Name);
    w->Change_Language();
    const auto header = [](const char* window, int col) {
        return Forms().Find(window)->window->findChild<grid::TQvColumnGrid*>("sga")->Cells(col, 0);
    };
    EXPECT_EQ(header("FReceiveJ1939", 2), "PGN ricevuto");
    EXPECT_EQ(Forms().Find("FTransmitJ1939")->window->windowTitle(), "Trasmissione J1939");
    EXPECT_EQ(header("FReceiveNMEA", 1), "PGN NMEA");
    EXPECT_EQ(header("FTransmitNMEA", 10), "Descrizione");
}

TEST_F(MainWindow, EtherNetIPAndProfinetWindowsAreTheirOwnAndTheGsdmlStepWritesTheNamedFile)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("PROJECTS/P"));
    writeSettings("<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>");
    testsupport::FakeDialogs dialogs;
    services.dialogs = &dialogs;
    platform::FixedClock clock(QDateTime(QDate(2013, 1, 9), QTime(12, 0)));
    services.clock = &clock;
    TFQuorvantiseFirmWare* w = start();
    for (const char* name : {"FEtherNetIP_Master_Access", "FEtherNEtIP_EDS", "FProfinetFileName"})
        EXPECT_EQ(Forms().Find(name)->window->metaObject()->className(),
                  QStringLiteral("ethernet::T%1").arg(QString(name)))
            << "still a placeholder";

    // The scanner table opens the picker it was handed.
    auto* scanner =
        qobject_cast<ethernet::TFEtherNetIP_Master_Access*>(Forms().Find("FEtherNetIP_Master_Access")->window);
    ASSERT_NE(scanner, nullptr);
    dialogs.answers.push_back(tmp.filePath("missing.eds"));
    scanner->Btn_Import_EDSClick();
    EXPECT_EQ(messages.lastText(), Lang_Str()[5415]);

    // The GSDML step: the file-name dialog, then the file in the folder the user picks.
    const QString folder = tmp.filePath("export");
    ASSERT_TRUE(QDir().mkpath(folder));
    dialogs.answers.push_back(QDir(folder).filePath("typed.xml"));
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<ethernet::TFProfinetFileName*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->E_XML_User->setText("Gateway1");
        dialog->Btn_OK->Click();
    });
    const QString name = "GSDML-V2.25-Norvix-_Gateway1-20130109.xml";
    w->PROFINET_XML();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].startDir, QDir(State().Project_Dir).filePath(name));
    EXPECT_TRUE(QFile::exists(QDir(folder).filePath(name)));
    EXPECT_FALSE(QFile::exists(QDir(folder).filePath("typed.xml")));
}

TEST_F(MainWindow, SnmpTablesAreTheirOwnWindowsAndTheMibWriterIsHookedUp)
{
    TFQuorvantiseFirmWare* w = start();
    for (const char* name : {"FSNMPManagerAccess", "FSNMP_Trap_Access"})
        EXPECT_EQ(Forms().Find(name)->window->metaObject()->className(),
                  QStringLiteral("energy_it::T%1").arg(QString(name)))
            << "still a placeholder";
    EXPECT_TRUE(bool(w->Generators.Create_MIB_File));
}
