#pragma once
// Values of an INI file read and written through QSettings, as the column grid's positions and
// the string grid's column keys and print settings use them.

#include "grid/io/ReplacingFile.h"
#include "platform/ComponentStream.h"
#include "platform/Files.h"

#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <functional>

namespace grid::inivalues {

// The stored integer, or the fallback when the value is missing or not a whole number.
inline int readInteger(const QSettings& ini, const QString& key, int fallback)
{
    const QVariant v = ini.value(key);
    if (!v.isValid())
        return fallback;
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok ? n : fallback;
}

// A text holding commas comes back from QSettings as a list: joined again.
inline QString readString(const QSettings& ini, const QString& key, const QString& fallback)
{
    const QVariant v = ini.value(key);
    if (!v.isValid())
        return fallback;
    return v.typeId() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(',')) : v.toString();
}

// A decimal integer, or the fallback for any other text.
inline int toIntDef(const QString& text, int fallback)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : fallback;
}

// Changes the INI file at path: QSettings edits a private copy, whose bytes then replace the
// file through the replacing-file writer. QSettings alone keeps quiet about a failed write;
// here any failure raises the file-creation error naming the file, and the old file stays as
// it was.
inline void updateIniFile(const QString& path, const std::function<void(QSettings&)>& change)
{
    QByteArray old;
    if (QFile::exists(path)) {
        QString error;
        if (!platform::readFile(path, old, &error))
            throw platform::EFCreateError(path, error);
    }
    QTemporaryDir dir;
    if (!dir.isValid())
        throw platform::EFCreateError(path, dir.errorString());
    const QString copy = dir.filePath(QStringLiteral("copy.ini"));
    {
        QFile f(copy);
        if (!f.open(QIODevice::WriteOnly) || f.write(old) != old.size() || !f.flush())
            throw platform::EFCreateError(path, f.errorString());
    }
    {
        QSettings ini(copy, QSettings::IniFormat);
        change(ini);
        ini.sync();
        if (ini.status() != QSettings::NoError)
            throw platform::EFCreateError(path, QStringLiteral("the settings could not be written"));
    }
    QByteArray bytes;
    QString error;
    if (!platform::readFile(copy, bytes, &error))
        throw platform::EFCreateError(path, error);
    ReplacingFile file(path);
    file.put(bytes);
    file.commit();
}

} // namespace grid::inivalues
