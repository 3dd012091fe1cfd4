// Every window of the program on a small and on a large screen: opened as the user opens it,
// it lies with its frame, title bar and buttons inside the screen's area, and on a screen
// large enough it keeps its design size. Each screen needs its own test program run, since
// the offscreen platform takes its screens from a file when the program starts
// (QT_QPA_PLATFORM=offscreen:configfile=...): the test starts this program again on that
// screen, where the check itself runs. Pictures of the windows go to the build tree's
// screenshot folder, under screen-<width>x<height>/ (their pixels are checked by
// WindowPicturesTest on the large screen).

#include "app/UForms.h"
#include "app/UQuorvantiseFirmWare.h"
#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "platform/Services.h"
#include "protocols/ethernet/ethernetip/UEtherNetIP_EDS.h"
#include "support/FakeDialogs.h"
#include "support/FakeEcho.h"
#include "support/FakeMessages.h"
#include "support/FakeShell.h"
#include "support/Screenshots.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>

#include <map>

namespace {

// Set in the program started on the screen under test: "<width>x<height>".
constexpr const char* kScreenVariable = "QV_SCREEN_UNDER_TEST";

// The client sizes the windows are designed with.
const std::map<QString, QSize> kDesignSizes = {
    {"FQuorvantiseFirmWare", {694, 484}},
    {"FParGen", {460, 700}},
    {"FIOLinkSlave", {1300, 337}},
    {"FBoot", {449, 245}},
    {"FDNet", {745, 337}},
    {"FDefOffset", {482, 610}},
    {"FReceiveCAN", {1010, 337}},
    {"FTransmitCAN", {1100, 337}},
    {"FSet_PDO_Access", {798, 337}},
};

// Runs this test program on a screen of the given size, with the check below as its only test.
void runOnScreen(int width, int height)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    ASSERT_TRUE(testsupport::writeFile(
        config, QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1, "height": %2,)"
                               R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                    .arg(width)
                    .arg(height)
                    .toUtf8()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config);
    env.insert(QLatin1String(kScreenVariable), QStringLiteral("%1x%2").arg(width).arg(height));
    QProcess run;
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=ScreenUnderTest.EveryWindowFitsAndKeepsItsButtonsOnIt")});
    ASSERT_TRUE(run.waitForStarted());
    const bool ended = run.waitForFinished(300000); // a guard against a hang only
    const QString output = QString::fromLocal8Bit(run.readAll());
    ASSERT_TRUE(ended) << output.toStdString();
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit) << output.toStdString();
    EXPECT_EQ(run.exitCode(), 0) << output.toStdString();
    // The check ran (it skips itself anywhere else) and passed.
    EXPECT_TRUE(output.contains(QLatin1String("[  PASSED  ] 1 test"))) << output.toStdString();
    EXPECT_FALSE(output.contains(QLatin1String("SKIPPED"))) << output.toStdString();
}

} // namespace

TEST(ScreenFit, EveryWindowFitsA1024x768Screen)
{
    runOnScreen(1024, 768);
}

TEST(ScreenFit, EveryWindowKeepsItsDesignSizeOnA1920x1080Screen)
{
    runOnScreen(1920, 1080);
}

// The check, run only in the program that ScreenFit starts on the screen under test.
TEST(ScreenUnderTest, EveryWindowFitsAndKeepsItsButtonsOnIt)
{
    const QString size = qEnvironmentVariable(kScreenVariable);
    if (size.isEmpty())
        GTEST_SKIP() << "runs only on the screen ScreenFit sets up";
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    // The platform took the screen from the file.
    ASSERT_EQ(QStringLiteral("%1x%2").arg(screen->geometry().width()).arg(screen->geometry().height()), size);
    const QRect area = screen->availableGeometry();
    const bool large = area.width() >= 1920 && area.height() >= 1080;

    // A started program with an open project whose files are not written yet.
    QTemporaryDir exe;
    ASSERT_TRUE(exe.isValid());
    ASSERT_TRUE(QDir(exe.path()).mkpath(QStringLiteral("PROJECTS/Line3/bin")));
    ASSERT_TRUE(
        testsupport::writeFile(QDir(exe.path()).filePath(QStringLiteral("Quorvantis.xml")),
                               "<Conf_Settings><lastproj><projectname>Line3</projectname></lastproj></Conf_Settings>"));
    // The BACnet client tables ask for their address kind when the settings lack it.
    ASSERT_TRUE(testsupport::writeFile(QDir(exe.path()).filePath(QStringLiteral("PROJECTS/Line3/ParGen.xml")),
                                       "<Par_Gen><BACnet_Master_Type>0</BACnet_Master_Type></Par_Gen>"));
    common::State() = common::TProgramState();
    common::State().Exe_Dir = exe.path();
    testsupport::FakeMessages messages;
    testsupport::FakeShell shell;
    testsupport::FakeDialogs dialogs;
    testsupport::FakeReachabilityClock clock;
    testsupport::FakeEcho echo{&clock};
    platform::Services services;
    services.messages = &messages;
    services.shell = &shell;
    services.dialogs = &dialogs;
    services.echo = &echo;
    Forms().Create_Forms(services);
    ASSERT_FALSE(common::State().Project_Dir.isEmpty());
    // The EDS connection picker opens on the adapter file the scanner table hands it; without
    // a connection to list it would report that and close itself.
    const QString eds = QDir(exe.path()).filePath(QStringLiteral("adapter.eds"));
    ASSERT_TRUE(testsupport::writeFile(eds, "[Connection Manager]\r\n        Connection1 = 0x84010002,0x44640405,"
                                            ",,,,,,,,,,\"Exclusive Owner\",\"\",\"20 04 24 64 2C 96 2C 65\";\r\n"));
    auto* picker = qobject_cast<ethernet::TFEtherNEtIP_EDS*>(Forms().Find(QStringLiteral("FEtherNEtIP_EDS"))->window);
    ASSERT_NE(picker, nullptr);
    picker->EDS_FileName = eds;

    for (const TFormEntry& entry : Forms().Entries()) {
        QWidget* window = entry.window;
        SCOPED_TRACE(entry.objectName.toStdString());
        window->show();
        QCoreApplication::processEvents();
        ASSERT_TRUE(window->isVisible());
        testsupport::takeScreenshot(*window, QStringLiteral("screen-%1/%2.png").arg(size, entry.objectName));

        EXPECT_TRUE(area.contains(window->frameGeometry()))
            << "frame " << window->frameGeometry().x() << "," << window->frameGeometry().y() << " "
            << window->frameGeometry().width() << "x" << window->frameGeometry().height();
        for (const TGlyphButton* button : window->findChildren<TGlyphButton*>()) {
            if (!button->isVisible())
                continue;
            const QRect inWindow(button->mapTo(window, QPoint(0, 0)), button->size());
            EXPECT_TRUE(window->rect().contains(inWindow)) << button->objectName().toStdString();
            EXPECT_TRUE(area.contains(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())))
                << button->objectName().toStdString();
        }
        if (const auto design = kDesignSizes.find(entry.objectName); large && design != kDesignSizes.end()) {
            EXPECT_EQ(window->size(), design->second);
        }
        window->hide();
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(messages.shown.empty()) << messages.lastText().toStdString();
    Forms().Free_Forms();
    common::State() = common::TProgramState();
}
