#pragma once
// Integer values of an INI file read through QSettings, as the column grid's positions and the
// string grid's column keys and print settings read them.

#include <QSettings>
#include <QString>

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

} // namespace grid::inivalues
