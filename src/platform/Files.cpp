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

bool replaceFile(const QString& path, const QByteArray& data, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
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
