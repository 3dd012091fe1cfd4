// The device update window driven as a user drives it: address typed, option and read-back
// chosen, "Execute Update Firmware" clicked; the echo is scripted, and what is checked is the
// message shown, the job file written, the program state and the updater started.

#include "gateway/UBoot.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/IcmpEcho.h"
#include "platform/Services.h"
#include "platform/Shell.h"

#include "support/FakeEcho.h"
#include "support/FakeMessages.h"
#include "support/FakeShell.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using gateway::TFBoot;
using platform::EchoStatus;
using platform::MsgIcon;

namespace {

constexpr EchoStatus R = EchoStatus::Reply;
constexpr EchoStatus N = EchoStatus::NoReply;

// The hand-made job files name the firmware image under this folder; the tests keep the
// image in a folder of their own and write that folder's path back to this one to compare.
const char* const kMasterDir = "/opt/qv/MASTER";
const char* const kProjectDir = "/opt/qv/PROJECTS/Line3";

// A clock that runs a hook at each pause, where the real one handles window messages.
class HookClock final : public platform::ReachabilityClock {
public:
    qint64 nowMs() override { return now; }
    void step() override
    {
        now += platform::kReachabilityStepMs;
        if (onStep)
            onStep();
    }
    qint64 now = 0;
    std::function<void()> onStep;
};

struct StartCall {
    QString program;
    QString parameters;
    int tipo;
};

class BootWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        saved = common::State();
        common::Load_Default_Texts();
        common::TProgramState& s = common::State();
        s.SW_Code = QString::fromLatin1(common::kSW_Code);
        s.Exe_Dir = dir.path();
        ASSERT_TRUE(master.isValid());
        s.Master_Dir = master.path();
        ASSERT_TRUE(testsupport::writeFile(firmwarePath(), "firmware image"));
        s.Project_Dir = QString::fromLatin1(kProjectDir);
        s.Last_IP_Address = QStringLiteral("192.168.2.205");
        s.Update_Option = 0;
        s.Read_Back = true;
        services.messages = &messages;
        services.echo = &echo;
        services.shell = &shell;
        make(&clock);
    }
    void TearDown() override
    {
        w.reset();
        common::State() = saved;
        common::Load_Default_Texts();
    }

    void make(platform::ReachabilityClock* c)
    {
        w = std::make_unique<TFBoot>(services, nullptr, c);
        w->Start_Program = [this](const QString& program, const QString& parameters, int tipo) {
            started.push_back({program, parameters, tipo});
            return platform::RunOutcome::Exited;
        };
    }
    void open()
    {
        w->setModal(true);
        w->show();
        QCoreApplication::processEvents();
    }
    void setAddress(const QStringList& octets)
    {
        QLineEdit* boxes[] = {w->E_IP1, w->E_IP2, w->E_IP3, w->E_IP4};
        for (int k = 0; k < 4; ++k)
            boxes[k]->setText(octets[k]);
    }
    QStringList address() const { return {w->E_IP1->text(), w->E_IP2->text(), w->E_IP3->text(), w->E_IP4->text()}; }
    void clickUpdate() { QTest::mouseClick(w->Btn_Update, Qt::LeftButton); }
    QString jobPath() const { return QDir(dir.path()).filePath(QStringLiteral("Ethernet_Update.xml")); }
    QString updaterPath() const { return QDir(dir.path()).filePath(QStringLiteral("Ethernet_Update.exe")); }
    QString firmwarePath() const { return QDir(master.path()).filePath(QStringLiteral("Sim40517.sim")); }
    // A job file as the hand-made fixtures have it: the image under kMasterDir.
    QByteArray job(const QString& path) const
    {
        return testsupport::readFile(path).replace(master.path().toUtf8(), QByteArray(kMasterDir));
    }

    QTemporaryDir dir;
    QTemporaryDir master;
    common::TProgramState saved;
    testsupport::FakeMessages messages;
    testsupport::FakeReachabilityClock clock;
    testsupport::FakeEcho echo{&clock};
    testsupport::FakeShell shell;
    platform::Services services;
    std::unique_ptr<TFBoot> w;
    std::vector<StartCall> started;
};

} // namespace

TEST_F(BootWindow, ShowingFillsTheWindowFromTheLastChoices)
{
    common::State().Last_IP_Address = QStringLiteral(" 10.0.0.7 ");
    common::State().Update_Option = 2;
    common::State().Read_Back = false;
    open();
    EXPECT_EQ(w->windowTitle(), "Update Device by Ethernet (UDP)");
    EXPECT_EQ(w->L_SW_Code->text(), "CT40517");
    EXPECT_EQ(w->L_SW_Desc->text(), "Update Device Using the Ethernet Port");
    EXPECT_EQ(w->L_IP_Address->text(), "Insert the IP Address of Device");
    EXPECT_EQ(address(), QStringList({"10", "0", "0", "7"}));
    ASSERT_EQ(w->CB_Update_Options->count(), 3);
    EXPECT_EQ(w->CB_Update_Options->itemText(0), "Firmware + Configuration");
    EXPECT_EQ(w->CB_Update_Options->itemText(1), "Firmware");
    EXPECT_EQ(w->CB_Update_Options->itemText(2), "Configuration");
    EXPECT_EQ(w->CB_Update_Options->currentIndex(), 2);
    EXPECT_FALSE(w->CB_Update_Option_Read_Back->isChecked());
    EXPECT_EQ(w->Btn_Update->Caption(), "Execute Update Firmware");
    EXPECT_EQ(w->Btn_Cancel->Caption(), "Cancel");
    EXPECT_EQ(w->E_IP3->toolTip(), "Insert third byte of IP Address");
    EXPECT_EQ(w->focusWidget(), w->E_IP1);
    // The Ethernet layout: 449 wide, as high as its four panels.
    EXPECT_EQ(w->width(), TFBoot::kClientWidth);
    EXPECT_EQ(w->height(), common::kTitlePanelHeight + TFBoot::kIPAddressHeight + TFBoot::kOptionsHeight
                               + common::kButtonStripHeight);
}

TEST_F(BootWindow, AnAddressThatDoesNotSplitLeavesTheBoxesAlone)
{
    for (const char* last : {"192.168.2.300", "192.168.2", "", "a.b.c.d"}) {
        common::State().Last_IP_Address = QString::fromLatin1(last);
        setAddress({"1", "2", "3", "4"});
        w->FormShow();
        EXPECT_EQ(address(), QStringList({"1", "2", "3", "4"})) << last;
    }
}

TEST_F(BootWindow, TypedDotsMoveThroughTheBoxesAndNeverLand)
{
    open();
    w->E_IP1->selectAll();
    for (QChar ch : QStringLiteral("192.168.2.10.")) {
        QWidget* target = w->focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, ch.toLatin1());
    }
    EXPECT_EQ(address(), QStringList({"192", "168", "2", "10"}));
    EXPECT_EQ(w->focusWidget(), w->E_IP4); // a dot in the last box goes nowhere
}

TEST_F(BootWindow, JobFileForEachOptionIsTheHandWrittenOne)
{
    struct Case {
        int option;
        bool readBack;
        const char* fixture;
    };
    const Case cases[] = {
        {gateway::uoFirmware_And_Configuration, true, "boot/job_firmware_and_configuration.xml"},
        {gateway::uoFirmware, false, "boot/job_firmware.xml"},
        {gateway::uoConfiguration, true, "boot/job_configuration.xml"},
    };
    for (const Case& c : cases) {
        open();
        setAddress({"192", "168", "2", "10"});
        w->CB_Update_Options->setCurrentIndex(c.option);
        w->CB_Update_Option_Read_Back->setChecked(c.readBack);
        echo.script = {R, R};
        started.clear();
        clickUpdate();
        EXPECT_TRUE(messages.shown.empty()) << c.fixture;
        EXPECT_EQ(job(jobPath()), testsupport::readFile(testsupport::fixturePath(c.fixture))) << c.fixture;
        EXPECT_EQ(common::State().Last_IP_Address, "192.168.2.10");
        EXPECT_EQ(common::State().Update_Option, c.option);
        EXPECT_EQ(common::State().Read_Back, c.readBack);
        EXPECT_EQ(started.size(), 1u) << c.fixture;
        EXPECT_TRUE(w->isVisible()) << "the window stays open after the update";
    }
}

TEST_F(BootWindow, TheEchoTestDecidesWhetherTheUpdateGoesOn)
{
    struct Case {
        const char* what;
        std::vector<EchoStatus> script; // then the default
        EchoStatus otherwise;
        const char* message; // nullptr: the update goes on
        MsgIcon icon;
        int ping_res;
    };
    const Case cases[] = {
        {"answers at once", {R, R}, N, nullptr, MsgIcon::None, 1},
        {"answers every other try", {N, R, N, R}, N, nullptr, MsgIcon::None, 1},
        {"never answers", {}, N, "Device Not Found!", MsgIcon::Warning, 2},
        {"one reply, then silence", {R}, N, "Device Not Found!", MsgIcon::Warning, 2},
        {"address the probe cannot use",
         {EchoStatus::BadAddress},
         N,
         "Error!!! Check the Ip Address",
         MsgIcon::Error,
         0},
        {"no ICMP socket", {EchoStatus::NoSocket}, N, "Error!!! Check the Ip Address", MsgIcon::Error, 0},
        {"refused by the system", {EchoStatus::SendFailed}, N, "Error!!! Check the Ip Address", MsgIcon::Error, 0},
    };
    for (const Case& c : cases) {
        QFile::remove(jobPath());
        common::State().Last_IP_Address = QStringLiteral("192.168.2.205");
        common::State().Update_Option = 0;
        common::State().Read_Back = true;
        messages.shown.clear();
        echo.sent.clear();
        started.clear();
        open();
        setAddress({"192", "168", "2", "10"});
        // Changed choices are stored only after the echo test passed.
        w->CB_Update_Options->setCurrentIndex(1);
        w->CB_Update_Option_Read_Back->setChecked(false);
        echo.script.assign(c.script.begin(), c.script.end());
        echo.defaultStatus = c.otherwise;
        clickUpdate();

        ASSERT_FALSE(echo.sent.empty()) << c.what;
        EXPECT_EQ(echo.sent.front().address, "192.168.2.10") << c.what;
        EXPECT_EQ(w->ping_res, c.ping_res) << c.what;
        EXPECT_TRUE(w->isVisible()) << c.what;
        if (!c.message) {
            EXPECT_TRUE(messages.shown.empty()) << c.what;
            EXPECT_TRUE(QFile::exists(jobPath())) << c.what;
            ASSERT_EQ(started.size(), 1u) << c.what;
            EXPECT_EQ(common::State().Last_IP_Address, "192.168.2.10") << c.what;
            EXPECT_EQ(common::State().Update_Option, 1) << c.what;
            EXPECT_FALSE(common::State().Read_Back) << c.what;
            continue;
        }
        ASSERT_EQ(messages.shown.size(), 1u) << c.what;
        EXPECT_EQ(messages.shown[0].text, c.message) << c.what;
        EXPECT_EQ(messages.shown[0].icon, c.icon) << c.what;
        EXPECT_EQ(messages.shown[0].buttons, platform::MsgButtons::Ok) << c.what;
        EXPECT_FALSE(QFile::exists(jobPath())) << c.what;
        EXPECT_TRUE(started.empty()) << c.what;
        EXPECT_EQ(common::State().Last_IP_Address, "192.168.2.205") << c.what;
        EXPECT_EQ(common::State().Update_Option, 0) << c.what;
        EXPECT_TRUE(common::State().Read_Back) << c.what;
    }
}

TEST_F(BootWindow, BoxesThatAreNoOctetsSendNoEcho)
{
    const QStringList cases[] = {
        {"192", "168", "2", "256"}, {"192", "168", "", "10"},  {"192", "168", "2", "1a"},  {"192", "168", "2", " 10"},
        {"192", "0x10", "2", "10"}, {"192", "168", "2", "-1"}, {"192", "1168", "2", "10"}, {"192", "168", "2", "$A"},
    };
    open();
    for (const QStringList& octets : cases) {
        messages.shown.clear();
        setAddress(octets);
        echo.script = {R, R};
        clickUpdate();
        EXPECT_TRUE(echo.sent.empty()) << octets.join('|').toStdString();
        ASSERT_EQ(messages.shown.size(), 1u) << octets.join('|').toStdString();
        EXPECT_EQ(messages.shown[0].text, "Error!!! Check the Ip Address");
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Error);
        EXPECT_FALSE(QFile::exists(jobPath()));
        EXPECT_TRUE(started.empty());
    }
    // Leading zeros are still decimal octets.
    setAddress({"192", "168", "002", "010"});
    echo.script = {R, R};
    messages.shown.clear();
    clickUpdate();
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_FALSE(echo.sent.empty());
    EXPECT_EQ(echo.sent.front().address, "192.168.002.010");
}

TEST_F(BootWindow, CancelDuringTheEchoTestStartsNothing)
{
    HookClock hook;
    make(&hook);
    open();
    setAddress({"192", "168", "2", "10"});
    echo.script = {R, R};
    hook.onStep = [this] { w->Btn_Cancel->Click(); };
    clickUpdate();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), TFBoot::kModalCancel);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(QFile::exists(jobPath()));
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(common::State().Last_IP_Address, "192.168.2.205");
}

TEST_F(BootWindow, DuringTheEchoTestTheWindowTakesNoNewInput)
{
    HookClock hook;
    make(&hook);
    open();
    setAddress({"192", "168", "2", "10"});
    echo.script = {R, R};
    hook.onStep = [this] {
        // The address and choices under test cannot change while it runs.
        EXPECT_FALSE(w->Btn_Update->isEnabled());
        EXPECT_FALSE(w->E_IP4->isEnabled());
        EXPECT_FALSE(w->CB_Update_Options->isEnabled());
        EXPECT_FALSE(w->CB_Update_Option_Read_Back->isEnabled());
        w->Btn_UpdateClick();
    };
    clickUpdate();
    EXPECT_EQ(echo.sent.size(), 2u);
    EXPECT_EQ(started.size(), 1u);
    EXPECT_TRUE(w->Btn_Update->isEnabled());
    EXPECT_TRUE(w->E_IP4->isEnabled());
    EXPECT_TRUE(w->CB_Update_Options->isEnabled());
    EXPECT_EQ(w->focusWidget(), w->Btn_Update) << "the clicked button keeps the focus";
}

TEST_F(BootWindow, AJobFileThatCannotBeWrittenIsReportedAndNothingStarts)
{
    // The program folder is gone: the job cannot be written.
    common::State().Exe_Dir = QDir(dir.path()).filePath(QStringLiteral("missing"));
    open();
    setAddress({"192", "168", "2", "10"});
    echo.script = {R, R};
    clickUpdate();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Error);
    EXPECT_TRUE(messages.shown[0].text.contains("Ethernet_Update.xml"));
    EXPECT_TRUE(started.empty());
}

TEST_F(BootWindow, CancelLeavesWithResultTwo)
{
    open();
    w->Btn_Cancel->Click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), TFBoot::kModalCancel);
    EXPECT_TRUE(echo.sent.empty());
}

TEST_F(BootWindow, SetLangTakesTheTextsAndResetsTheOptionList)
{
    open();
    w->CB_Update_Options->setCurrentIndex(2);
    common::Lang_Str()[1620] = QStringLiteral("Aggiorna");
    common::Lang_Str()[1616] = QStringLiteral("Solo firmware");
    common::Lang_Str()[1602] = QStringLiteral("Aggiorna via Ethernet");
    w->Set_Lang();
    EXPECT_EQ(w->Btn_Update->Caption(), "Aggiorna");
    EXPECT_EQ(w->CB_Update_Options->itemText(1), "Solo firmware");
    EXPECT_EQ(w->windowTitle(), "Aggiorna via Ethernet");
    EXPECT_EQ(w->CB_Update_Options->count(), 3);
    EXPECT_EQ(w->CB_Update_Options->currentIndex(), 0);
}

// The whole road as a user takes it: address typed with its dots, option picked, button
// clicked, the device answers, the job is written and the updater started from the program
// folder, shown, without parameters.
TEST_F(BootWindow, UpdateFromTypedAddressToUpdaterStart)
{
    open();
    w->E_IP1->selectAll();
    for (QChar ch : QStringLiteral("192.168.2.10"))
        QTest::keyClick(w->focusWidget(), ch.toLatin1());
    w->CB_Update_Options->setCurrentIndex(gateway::uoConfiguration);
    echo.script = {R, R};
    clickUpdate();

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(echo.sent.size(), 2u);
    EXPECT_EQ(job(jobPath()), testsupport::readFile(testsupport::fixturePath("boot/job_configuration.xml")));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].program, updaterPath());
    EXPECT_EQ(started[0].parameters, "");
    EXPECT_EQ(started[0].tipo, 0);
    EXPECT_EQ(common::State().Last_IP_Address, "192.168.2.10");
}

TEST_F(BootWindow, WithoutAStartCallbackTheUpdaterRunsThroughTheShell)
{
    w->Start_Program = nullptr;
    open();
    setAddress({"192", "168", "2", "10"});
    echo.script = {R, R};
    clickUpdate();
    ASSERT_EQ(shell.runs.size(), 1u);
    EXPECT_EQ(shell.runs[0].program, updaterPath());
    EXPECT_EQ(shell.runs[0].parameters, "");
    EXPECT_FALSE(shell.runs[0].hidden);
    EXPECT_EQ(shell.runs[0].limitMs, platform::kUpdaterWaitLimitMs);
}

// A real program at the updater's place, run and waited for by the real shell: it finds the
// job file already written beside it.
TEST_F(BootWindow, TheUpdaterFindsItsJobFile)
{
    const QByteArray script = "#!/bin/sh\n"
                              "here=$(dirname \"$0\")\n"
                              "echo ran > \"$here/ran.txt\"\n"
                              "cp \"$here/Ethernet_Update.xml\" \"$here/job_seen.xml\"\n";
    ASSERT_TRUE(testsupport::writeFile(updaterPath(), script));
    ASSERT_TRUE(QFile::setPermissions(updaterPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    platform::DesktopShell desktop;
    std::vector<platform::RunOutcome> outcomes;
    w->Start_Program = [&](const QString& program, const QString& parameters, int tipo) {
        platform::RunRequest request;
        request.program = program;
        request.parameters = parameters;
        request.hidden = tipo != 0;
        outcomes.push_back(desktop.runAndWait(request));
        return outcomes.back();
    };
    open();
    setAddress({"192", "168", "2", "10"});
    w->CB_Update_Options->setCurrentIndex(gateway::uoFirmware);
    w->CB_Update_Option_Read_Back->setChecked(false);
    echo.script = {R, R};
    clickUpdate();

    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0], platform::RunOutcome::Exited);
    const QDir exe(dir.path());
    EXPECT_EQ(testsupport::readFile(exe.filePath("ran.txt")), "ran\n");
    EXPECT_EQ(job(exe.filePath("job_seen.xml")),
              testsupport::readFile(testsupport::fixturePath("boot/job_firmware.xml")));
}

// The updater run by the real shell: one that cannot be started is reported with its path;
// one that ran is never judged by its exit code.
TEST_F(BootWindow, AnUpdaterThatDoesNotStartIsReported)
{
    platform::DesktopShell desktop;
    services.shell = &desktop;
    w->Start_Program = nullptr;
    struct Case {
        const char* what;
        const char* script;  // nullptr: no updater beside the program
        const char* message; // nullptr: none
    } cases[] = {
        {"missing updater", nullptr, "Error!!! The update program could not be started: "},
        {"updater that fails", "#!/bin/sh\nexit 3\n", nullptr},
        {"updater that succeeds", "#!/bin/sh\nexit 0\n", nullptr},
    };
    open();
    for (const Case& c : cases) {
        QFile::remove(updaterPath());
        if (c.script) {
            ASSERT_TRUE(testsupport::writeFile(updaterPath(), c.script));
            ASSERT_TRUE(QFile::setPermissions(updaterPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        messages.shown.clear();
        setAddress({"192", "168", "2", "10"});
        echo.script = {R, R};
        clickUpdate();
        EXPECT_TRUE(QFile::exists(jobPath())) << c.what;
        if (!c.message) {
            EXPECT_TRUE(messages.shown.empty()) << c.what << ": " << messages.lastText().toStdString();
            continue;
        }
        ASSERT_EQ(messages.shown.size(), 1u) << c.what;
        EXPECT_EQ(messages.shown[0].text, QLatin1String(c.message) + updaterPath()) << c.what;
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Error) << c.what;
        EXPECT_TRUE(w->isVisible()) << c.what;
    }
}

// A job that loads firmware needs the image in "MASTER": without it the user is told before
// anything is sent, and nothing is stored, written or started. A configuration-only job does
// not need it.
TEST_F(BootWindow, AMissingFirmwareImageIsReportedBeforeAnythingIsSent)
{
    ASSERT_TRUE(QFile::remove(firmwarePath()));
    struct Case {
        int option;
        bool refused;
    } cases[] = {
        {gateway::uoFirmware_And_Configuration, true},
        {gateway::uoFirmware, true},
        {gateway::uoConfiguration, false},
    };
    for (const Case& c : cases) {
        QFile::remove(jobPath());
        messages.shown.clear();
        echo.sent.clear();
        started.clear();
        common::State().Last_IP_Address = QStringLiteral("192.168.2.205");
        open();
        setAddress({"192", "168", "2", "10"});
        w->CB_Update_Options->setCurrentIndex(c.option);
        echo.script = {R, R};
        clickUpdate();
        if (!c.refused) {
            EXPECT_TRUE(messages.shown.empty()) << c.option;
            EXPECT_EQ(started.size(), 1u) << c.option;
            continue;
        }
        ASSERT_EQ(messages.shown.size(), 1u) << c.option;
        EXPECT_EQ(messages.shown[0].text, "Error!!! The firmware file to load is missing: " + firmwarePath());
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Error);
        EXPECT_TRUE(echo.sent.empty()) << c.option;
        EXPECT_FALSE(QFile::exists(jobPath())) << c.option;
        EXPECT_TRUE(started.empty()) << c.option;
        EXPECT_EQ(common::State().Last_IP_Address, "192.168.2.205") << c.option;
    }
}

// The one real echo: to this machine's loopback address, through the window's own clock.
TEST_F(BootWindow, LoopbackAnswersARealEcho)
{
    platform::IcmpEchoProbe probe;
    const platform::EchoResult first = probe.echo("127.0.0.1", "127.0.0.1", platform::kEchoTimeoutMs);
    if (first.status == EchoStatus::NoSocket)
        GTEST_SKIP() << "no ICMP socket allowed here: " << first.error.toStdString();
    services.echo = &probe;
    make(nullptr);
    open();
    setAddress({"127", "0", "0", "1"});
    clickUpdate();
    EXPECT_TRUE(messages.shown.empty()) << messages.lastText().toStdString();
    EXPECT_EQ(w->ping_res, 1);
    EXPECT_EQ(started.size(), 1u);
}
