#include "platform/Shell.h"

#include "support/FakeShell.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QObject>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

using namespace platform;

namespace {

// Writes an executable shell script into dir and returns its path.
QString writeScript(const QTemporaryDir& dir, const QString& name, const QByteArray& body)
{
    const QString path = dir.filePath(name);
    EXPECT_TRUE(testsupport::writeFile(path, "#!/bin/sh\n" + body));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// Waits (bounded) for a file another process writes; true when it appeared.
bool waitForFile(const QString& path, int ms = 10000)
{
    const QDeadlineTimer deadline(ms);
    while (!QFile::exists(path)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}

} // namespace

TEST(Shell, RunAndWaitReturnsAfterTheProgramEndedInItsFolder)
{
    QTemporaryDir program;
    QTemporaryDir work;
    // The record is written last thing before the exit: it is complete once the wait returns.
    const QString script =
        writeScript(program, "Ethernet_Update.exe", "pwd > ran.txt\necho \"$#\" >> ran.txt\nexit 3\n");
    DesktopShell shell;
    RunRequest request;
    request.program = script;
    request.folder = work.path();
    EXPECT_EQ(shell.runAndWait(request), RunOutcome::Exited);
    EXPECT_EQ(testsupport::readFile(work.filePath("ran.txt")), QFile::encodeName(work.path()) + "\n0\n");
}

TEST(Shell, RunAndWaitPassesParametersSplitLikeACommandLine)
{
    QTemporaryDir dir;
    const QString script = writeScript(dir, "args.sh", "printf '%s|' \"$@\" > args.txt\n");
    DesktopShell shell;
    RunRequest request;
    request.program = script;
    request.parameters = "one \"two three\"";
    request.folder = dir.path();
    EXPECT_EQ(shell.runAndWait(request), RunOutcome::Exited);
    EXPECT_EQ(testsupport::readFile(dir.filePath("args.txt")), "one|two three|");
}

TEST(Shell, RunAndWaitReportsAProgramThatCannotStart)
{
    QTemporaryDir dir;
    const QString notExecutable = dir.filePath("plain.txt");
    ASSERT_TRUE(testsupport::writeFile(notExecutable, "#!/bin/sh\nexit 0\n"));
    const QString good = writeScript(dir, "good.sh", "exit 0\n");

    struct Case {
        const char* what;
        QString program;
        QString folder;
    };
    const Case cases[] = {
        {"missing file", dir.filePath("Ethernet_Update.exe"), {}},
        {"not executable", notExecutable, {}},
        {"empty name", {}, {}},
        {"missing working folder", good, dir.filePath("no/such/folder")},
    };
    DesktopShell shell;
    for (const Case& c : cases) {
        RunRequest request;
        request.program = c.program;
        request.folder = c.folder;
        EXPECT_EQ(shell.runAndWait(request), RunOutcome::NotStarted) << c.what;
    }
}

TEST(Shell, RunAndWaitGivesUpAtTheLimitAndLeavesTheProgramRunning)
{
    QTemporaryDir dir;
    // The program cannot end before the test lets it, so the limit always passes first.
    const QString script =
        writeScript(dir, "slow.sh", "while [ ! -e stop ]; do sleep 0.02; done\necho done > finished\n");
    DesktopShell shell;
    RunRequest request;
    request.program = script;
    request.folder = dir.path();
    request.limitMs = 200;
    EXPECT_EQ(shell.runAndWait(request), RunOutcome::LimitReached);
    EXPECT_FALSE(QFile::exists(dir.filePath("finished")));

    // Still alive: it notices the stop file and finishes its work.
    ASSERT_TRUE(testsupport::writeFile(dir.filePath("stop"), ""));
    EXPECT_TRUE(waitForFile(dir.filePath("finished")));
}

namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.push_back(url); }
};

} // namespace

TEST(Shell, OpenUrlHandsTheAddressToTheDesktop)
{
    // A handler registered for the scheme stands in for the browser.
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("http", &catcher, "open");
    DesktopShell shell;
    const QString page = "http://127.0.0.1/HOME/default.asp?frompg=CT40517";
    EXPECT_TRUE(shell.openUrl(page));
    QDesktopServices::unsetUrlHandler("http");
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.front(), QUrl(page));
}

TEST(Shell, FakeShellRecordsAndScriptsRuns)
{
    testsupport::FakeShell shell;
    shell.outcomes = {RunOutcome::NotStarted, RunOutcome::LimitReached};
    int ran = 0;
    shell.onRun = [&](const RunRequest&) { ++ran; };
    RunRequest request;
    request.program = "/opt/x/Ethernet_Update.exe";
    EXPECT_EQ(shell.runAndWait(request), RunOutcome::NotStarted);
    EXPECT_EQ(shell.runAndWait(request), RunOutcome::LimitReached);
    EXPECT_EQ(shell.runAndWait(request), RunOutcome::Exited);
    EXPECT_EQ(ran, 2); // a program that did not start did nothing
    ASSERT_EQ(shell.runs.size(), 3u);
    EXPECT_EQ(shell.runs[0].program, request.program);
    EXPECT_EQ(shell.runs[0].limitMs, kUpdaterWaitLimitMs);
    EXPECT_TRUE(shell.openUrl("http://127.0.0.1/"));
    EXPECT_EQ(shell.openedUrls, QStringList{"http://127.0.0.1/"});
}

TEST(Shell, ShellIconsPickTypeByNumberAndFilesByName)
{
    auto imageOf = [](const QIcon& icon, int size) {
        return icon.isNull() ? QImage() : icon.pixmap(size, size).toImage();
    };
    QFileIconProvider provider;
    // Sizes hold whether or not the desktop has icons to give.
    EXPECT_EQ(shellIcon("0", false).size, 16);
    EXPECT_EQ(shellIcon("missing.txt", true).size, 32);

    EXPECT_EQ(shellIcon("5", false).image, imageOf(provider.icon(QAbstractFileIconProvider::Folder), 16));
    EXPECT_EQ(shellIcon("2", true).image, imageOf(provider.icon(QAbstractFileIconProvider::Trashcan), 32));
    EXPECT_EQ(shellIcon("99", false).image, imageOf(provider.icon(QAbstractFileIconProvider::File), 16));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(shellIcon(dir.path(), false).image, imageOf(provider.icon(QFileInfo(dir.path())), 16));
}

#include "ShellTest.moc"
