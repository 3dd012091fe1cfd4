#include "platform/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

QChar pathSeparator()
{
    return QDir::separator();
}

QString joinPath(const QString& a, const QString& b)
{
    if (a.isEmpty() || a.endsWith(pathSeparator()) || a.endsWith(QLatin1Char('/')))
        return a + b;
    return a + pathSeparator() + b;
}

bool fileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool dirExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool createDir(const QString& path)
{
    if (dirExists(path))
        return true;
    const QFileInfo info(path);
    return QDir(info.absolutePath()).mkdir(info.fileName());
}

namespace {

// Drops the temporary file at once; the target is not touched. The reason is taken before
// cancelWriting(), which puts its own text in place.
bool discard(QSaveFile& file, QString* error)
{
    if (error)
        *error = file.errorString();
    file.cancelWriting();
    file.commit();
    return false;
}

} // namespace

bool commitSaveFile(QSaveFile& file, QString* error)
{
    if (!file.flush())
        return discard(file, error);
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool replaceFile(const QString& path, const QByteArray& data, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(data) != data.size())
        return discard(file, error);
    return commitSaveFile(file, error);
}

bool readFile(const QString& path, QByteArray& data, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    data = file.readAll();
    return true;
}

} // namespace platform
