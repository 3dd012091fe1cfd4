#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

namespace testsupport {

QString fixturesDir()
{
    return QStringLiteral(QV_SOURCE_DIR) + QStringLiteral("/tests/fixtures");
}

QString fixturePath(const QString& name)
{
    return fixturesDir() + QLatin1Char('/') + name;
}

QString refData()
{
    const QString dir = fixturesDir() + QStringLiteral("/refdata");
    return QDir(dir).exists() ? dir : QString();
}

QStringList refDataFiles(const QString& folder, const QStringList& nameFilters)
{
    QStringList paths;
    QStringList names;
    for (const QString& root : {refData(), sharedRefData()}) {
        if (root.isEmpty())
            continue;
        const QDir dir(root + QLatin1Char('/') + folder);
        for (const QString& name : dir.entryList(nameFilters, QDir::Files, QDir::Name)) {
            if (names.contains(name))
                continue;
            names << name;
            paths << dir.filePath(name);
        }
    }
    return paths;
}

QString sharedRefData()
{
    const QString dir = QDir::cleanPath(QStringLiteral(QV_SOURCE_DIR) + QStringLiteral("/../shared/refdata"));
    return QDir(dir).exists() ? dir : QString();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(data) == data.size();
}

} // namespace testsupport
