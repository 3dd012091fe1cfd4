#include "app/UForms.h"
#include "app/UQuorvantiseFirmWare.h"
#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "grid/QvCGrid.h"
#include "platform/Services.h"
#include "support/FakeDialogs.h"
#include "support/FakeMessages.h"
#include "support/FakeShell.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QImage>
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
        {"Btn_New", {80, 112, 170, 36}, 15},
        {"Btn_Open", {258, 112, 170, 36}, 16},
        {"Btn_Prm_Gen", {80, 156, 170, 36}, 20},
        {"Btn_IOLink_Set_Access", {80, 200, 170, 36}, 21},
        {"Btn_DNet_Net", {80, 244, 170, 36}, 51},
        {"Btn_DNet_Offset", {258, 244, 170, 36}, 53},
        {"Btn_IOLink_IODD", {80, 288, 170, 36}, 26},
        {"Btn_CreateBin", {80, 332, 170, 36}, 17},
        {"Btn_Info", {516, 8, 50, 50}, -1},
        {"Btn_Opz", {574, 8, 50, 50}, -1},
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
    ASSERT_TRUE(testsupport::writeFile(
        tmp.filePath("LANGUAGE/Italiano.lng"),
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
    const QImage shot = w->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(694, 484));
    shot.save("MainWindow.png");
    // The window's background colour shows between the rows.
    EXPECT_EQ(shot.pixelColor(600, 470), QColor(248, 247, 237));
    // The rule under the last step is a one-pixel line 51 pixels below the update button's top.
    EXPECT_NE(shot.pixelColor(300, 332 + 51), QColor(248, 247, 237));
    EXPECT_EQ(shot.pixelColor(300, 332 + 52), QColor(248, 247, 237));
    // Each shown step button paints its face over the background.
    for (const char* name : {"Btn_New", "Btn_Prm_Gen", "Btn_IOLink_Set_Access", "Btn_DNet_Net", "Btn_IOLink_IODD",
                             "Btn_CreateBin"}) {
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
    for (platform::MsgResult answer : {platform::MsgResult::No, platform::MsgResult::Cancel, platform::MsgResult::Yes}) {
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

TEST_F(MainWindow, EveryStepOfThisGatewayOpensItsOwnWindow)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath("PROJECTS/P"));
    writeSettings("<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>");
    TFQuorvantiseFirmWare* w = start();
    const struct {
        const char* button;
        const char* window;
    } steps[] = {{"Btn_Prm_Gen", "FParGen"}, {"Btn_IOLink_Set_Access", "FIOLinkSlave"},
                 {"Btn_DNet_Net", "FDNet"}, {"Btn_DNet_Offset", "FDefOffset"}};
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
                                       "STR2610 =IdCob\r\nSTR2700 =Trasmissione CAN\r\nSTR2814 =PDO ricevuti\r\n"));
    TFQuorvantiseFirmWare* w = start();
    for (const char* name : {"FReceiveCAN", "FTransmitCAN", "FSet_PDO_Access"})
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
