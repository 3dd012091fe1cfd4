// The display of the run command on a machine without one (scripts/headless-display): the
// VNC display it starts takes viewers from this machine only. The test starts it as the run
// command does, reads the listening sockets of its processes from /proc/net/tcp and
// /proc/net/tcp6, and finds each bound to a loopback address; without Xvnc the command
// refuses with a message and starts nothing.

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

#include <set>
#include <vector>

namespace {

QString script()
{
    return QStringLiteral(QV_SOURCE_DIR "/scripts/headless-display");
}

struct ListeningSocket {
    QHostAddress address;
    int port = 0;
    qulonglong inode = 0;
};

// A /proc/net address: each 32-bit word in hexadecimal, in the machine's (little-endian) order.
QHostAddress procAddress(const QByteArray& hex)
{
    QByteArray bytes;
    for (int word = 0; word + 8 <= hex.size(); word += 8)
        for (int b = 3; b >= 0; --b)
            bytes.append(char(hex.mid(word + 2 * b, 2).toInt(nullptr, 16)));
    if (bytes.size() == 4)
        return QHostAddress(quint32(quint8(bytes[0])) << 24 | quint32(quint8(bytes[1])) << 16
                            | quint32(quint8(bytes[2])) << 8 | quint32(quint8(bytes[3])));
    Q_IPV6ADDR v6;
    for (int i = 0; i < 16 && i < bytes.size(); ++i)
        v6[i] = quint8(bytes[i]);
    return QHostAddress(v6);
}

// Every socket in the listening state (0A) of /proc/net/tcp and tcp6.
std::vector<ListeningSocket> listeningSockets()
{
    std::vector<ListeningSocket> found;
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile f{QString::fromLatin1(table)};
        if (!f.open(QIODevice::ReadOnly))
            continue;
        f.readLine(); // header
        while (!f.atEnd()) {
            const QList<QByteArray> fields = f.readLine().simplified().split(' ');
            if (fields.size() < 10 || fields[3] != "0A")
                continue;
            const QList<QByteArray> local = fields[1].split(':');
            if (local.size() != 2)
                continue;
            found.push_back({procAddress(local[0]), local[1].toInt(nullptr, 16), fields[9].toULongLong()});
        }
    }
    return found;
}

bool isLoopback(const QHostAddress& a)
{
    bool mapped = false;
    const quint32 v4 = a.toIPv4Address(&mapped);
    return a.isLoopback() || (mapped && (v4 >> 24) == 127);
}

// The process and every process below it.
std::set<qint64> processTree(qint64 root)
{
    std::set<qint64> tree{root};
    bool grew = true;
    while (grew) {
        grew = false;
        for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            bool isPid = false;
            const qint64 pid = entry.toLongLong(&isPid);
            if (!isPid || tree.count(pid))
                continue;
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            const QByteArray line = stat.readAll();
            const QList<QByteArray> after = line.mid(line.lastIndexOf(')') + 2).split(' ');
            if (after.size() > 1 && tree.count(after[1].toLongLong())) {
                tree.insert(pid);
                grew = true;
            }
        }
    }
    return tree;
}

// The socket inodes the processes hold open.
std::set<qulonglong> socketInodes(const std::set<qint64>& pids)
{
    std::set<qulonglong> inodes;
    for (qint64 pid : pids) {
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
        for (const QFileInfo& fd : fds.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
            // A socket's link reads "socket:[inode]".
            const QString name = QFileInfo(fd.symLinkTarget()).fileName();
            if (name.startsWith(QLatin1String("socket:[")))
                inodes.insert(name.mid(8, name.size() - 9).toULongLong());
        }
    }
    return inodes;
}

// A TCP port nobody listens on at the moment.
int freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

} // namespace

TEST(HeadlessDisplay, VncViewersAreTakenFromThisMachineOnly)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvnc")).isEmpty())
        GTEST_SKIP() << "Xvnc is not installed (scripts/install-deps installs it)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const int port = freePort();
    ASSERT_GT(port, 0);
    const QString displayFile = dir.filePath(QStringLiteral("display"));

    // The command stands for the program: it notes its display and runs until told to end.
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral("bash"),
              {script(), QStringLiteral("--port"), QString::number(port), QStringLiteral("--"), QStringLiteral("sh"),
               QStringLiteral("-c"),
               QStringLiteral("echo \"$DISPLAY $QT_QPA_PLATFORM\" > '%1'; read line").arg(displayFile)});
    ASSERT_TRUE(run.waitForStarted());

    // Wait (bounded) until the display is up and the command runs on it.
    bool up = false;
    for (int i = 0; i < 400 && !up && run.state() == QProcess::Running; ++i) {
        QThread::msleep(50);
        up = !testsupport::readFile(displayFile).isEmpty();
    }
    ASSERT_TRUE(up) << run.readAll().toStdString();
    const QByteArray noted = testsupport::readFile(displayFile).trimmed();
    EXPECT_TRUE(noted.startsWith(':')) << noted.toStdString();
    EXPECT_TRUE(noted.endsWith(" xcb")) << noted.toStdString();

    // The VNC port is open, on loopback addresses only.
    const std::vector<ListeningSocket> sockets = listeningSockets();
    int onPort = 0;
    for (const ListeningSocket& s : sockets) {
        if (s.port != port)
            continue;
        ++onPort;
        EXPECT_TRUE(isLoopback(s.address)) << s.address.toString().toStdString() << ":" << port;
    }
    EXPECT_GT(onPort, 0) << "nothing listens on port " << port;
    // Nothing the display's processes hold listens beyond loopback: no X server on TCP either.
    const std::set<qulonglong> inodes = socketInodes(processTree(run.processId()));
    int held = 0;
    for (const ListeningSocket& s : sockets) {
        if (!inodes.count(s.inode))
            continue;
        ++held;
        EXPECT_TRUE(isLoopback(s.address)) << s.address.toString().toStdString() << ":" << s.port;
        EXPECT_EQ(s.port, port) << "a listening port besides the VNC port";
    }
    EXPECT_GT(held, 0);

    // The display ends with the command.
    run.write("\n");
    run.closeWriteChannel();
    ASSERT_TRUE(run.waitForFinished(30000)) << "guard against a hang";
    EXPECT_EQ(run.exitCode(), 0) << run.readAll().toStdString();
    for (const ListeningSocket& s : listeningSockets())
        EXPECT_NE(s.port, port) << "still listening after the command ended";
}

TEST(HeadlessDisplay, WithoutXvncNothingStarts)
{
    QTemporaryDir emptyPath;
    ASSERT_TRUE(emptyPath.isValid());
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"), emptyPath.path());
    run.setProcessEnvironment(env);
    run.start(QStringLiteral("/bin/bash"), {script(), QStringLiteral("--"), QStringLiteral("/bin/true")});
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 3);
    const QString said = QString::fromLocal8Bit(run.readAllStandardError());
    EXPECT_TRUE(said.contains(QLatin1String("Xvnc is not installed"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QLatin1String("Nothing was started"))) << said.toStdString();
}
