#include "platform/Shell.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace platform {

namespace {

// Spawn attributes and file actions released on every path.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    SpawnSetup()
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attr);
    }
    ~SpawnSetup()
    {
        posix_spawnattr_destroy(&attr);
        posix_spawn_file_actions_destroy(&actions);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

void sleepMs(int ms)
{
    timespec ts{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {}
}

// A program still running when the wait gives up is reaped when it ends, so it never lingers
// as a zombie for the rest of our run; the thread ends with it (or with us).
void reapWhenDone(pid_t pid)
{
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    }).detach();
}

} // namespace

bool DesktopShell::openUrl(const QString& url)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

RunOutcome DesktopShell::runAndWait(const RunRequest& request)
{
    if (request.program.isEmpty())
        return RunOutcome::NotStarted;

    // A program given with a folder part is made absolute first, so changing the working folder
    // cannot change which program starts. A bare name is searched on the PATH.
    const bool bareName = !request.program.contains(QLatin1Char('/'));
    const QByteArray program =
        QFile::encodeName(bareName ? request.program : QFileInfo(request.program).absoluteFilePath());

    std::vector<QByteArray> args{program};
    for (const QString& a : QProcess::splitCommand(request.parameters))
        args.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    SpawnSetup setup;
    const QByteArray folder = QFile::encodeName(request.folder);
    if (!request.folder.isEmpty() && posix_spawn_file_actions_addchdir_np(&setup.actions, folder.constData()) != 0)
        return RunOutcome::NotStarted;
    // The child starts with no blocked signals and a default SIGPIPE, whatever ours are.
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&setup.attr, &none);
    posix_spawnattr_setsigdefault(&setup.attr, &defaults);
    posix_spawnattr_setflags(&setup.attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int rc = bareName ? posix_spawnp(&pid, program.constData(), &setup.actions, &setup.attr, argv.data(), environ)
                            : posix_spawn(&pid, program.constData(), &setup.actions, &setup.attr, argv.data(), environ);
    if (rc != 0)
        return RunOutcome::NotStarted;

    QElapsedTimer clock;
    clock.start();
    for (;;) {
        int status = 0;
        const pid_t w = waitpid(pid, &status, WNOHANG);
        // ECHILD: someone else reaped it, so it has ended all the same.
        if (w == pid || (w < 0 && errno != EINTR))
            return RunOutcome::Exited;
        if (clock.elapsed() >= request.limitMs) {
            reapWhenDone(pid);
            return RunOutcome::LimitReached;
        }
        sleepMs(kRunPollMs);
    }
}

ShellIcon shellIcon(const QString& name, bool large)
{
    const int size = large ? 32 : 16;
    QFileIconProvider provider;
    QIcon icon;
    bool isNumber = false;
    const int type = name.toInt(&isNumber);
    if (isNumber) {
        const bool known = type >= QAbstractFileIconProvider::Computer && type <= QAbstractFileIconProvider::File;
        icon = provider.icon(known ? QAbstractFileIconProvider::IconType(type) : QAbstractFileIconProvider::File);
    } else if (QFileInfo::exists(name)) {
        icon = provider.icon(QFileInfo(name));
    } else {
        const QMimeType mime = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension);
        icon = QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName()));
        if (icon.isNull())
            icon = provider.icon(QAbstractFileIconProvider::File);
    }
    return {icon.isNull() ? QImage() : icon.pixmap(size, size).toImage(), size};
}

} // namespace platform
