#include "platform/SettingsStore.h"

#include <QRegularExpression>
#include <QSettings>

namespace platform {

namespace {

QStringList splitKey(const QString& key)
{
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    return key.split(separators, Qt::SkipEmptyParts);
}

std::optional<QString> matchIgnoringCase(const QStringList& names, const QString& wanted)
{
    // An exact spelling wins over one that differs only in case.
    if (names.contains(wanted))
        return wanted;
    for (const QString& n : names) {
        if (n.compare(wanted, Qt::CaseInsensitive) == 0)
            return n;
    }
    return std::nullopt;
}

} // namespace

SettingsStore::SettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::path() const
{
    return settings_->fileName();
}

QStringList SettingsStore::childrenAt(const QStringList& path, bool groups) const
{
    if (!path.isEmpty())
        settings_->beginGroup(path.join(QLatin1Char('/')));
    const QStringList children = groups ? settings_->childGroups() : settings_->childKeys();
    if (!path.isEmpty())
        settings_->endGroup();
    return children;
}

std::optional<QStringList> SettingsStore::findKey(const QString& key) const
{
    QStringList stored;
    for (const QString& level : splitKey(key)) {
        const std::optional<QString> match = matchIgnoringCase(childrenAt(stored, true), level);
        if (!match)
            return std::nullopt;
        stored.push_back(*match);
    }
    return stored;
}

std::optional<QString> SettingsStore::findValue(const QString& key, const QString& name) const
{
    const std::optional<QStringList> stored = findKey(key);
    if (!stored)
        return std::nullopt;
    const std::optional<QString> match = matchIgnoringCase(childrenAt(*stored, false), name);
    if (!match)
        return std::nullopt;
    QStringList full = *stored;
    full.push_back(*match);
    return full.join(QLatin1Char('/'));
}

QString SettingsStore::nameForWrite(const QString& key, const QString& name) const
{
    if (const std::optional<QString> existing = findValue(key, name))
        return *existing;
    QStringList stored;
    bool levelsExist = true;
    for (const QString& level : splitKey(key)) {
        std::optional<QString> match;
        if (levelsExist)
            match = matchIgnoringCase(childrenAt(stored, true), level);
        levelsExist = match.has_value();
        stored.push_back(match.value_or(level));
    }
    stored.push_back(name);
    return stored.join(QLatin1Char('/'));
}

bool SettingsStore::keyExists(const QString& key) const
{
    return findKey(key).has_value();
}

bool SettingsStore::valueExists(const QString& key, const QString& name) const
{
    return findValue(key, name).has_value();
}

QString SettingsStore::readString(const QString& key, const QString& name, const QString& fallback) const
{
    const std::optional<QString> full = findValue(key, name);
    return full ? settings_->value(*full).toString() : fallback;
}

int SettingsStore::readInteger(const QString& key, const QString& name, int fallback) const
{
    const std::optional<QString> full = findValue(key, name);
    if (!full)
        return fallback;
    bool ok = false;
    const int value = settings_->value(*full).toString().trimmed().toInt(&ok);
    return ok ? value : fallback;
}

void SettingsStore::writeString(const QString& key, const QString& name, const QString& value)
{
    settings_->setValue(nameForWrite(key, name), value);
}

void SettingsStore::writeInteger(const QString& key, const QString& name, int value)
{
    settings_->setValue(nameForWrite(key, name), value);
}

void SettingsStore::deleteValue(const QString& key, const QString& name)
{
    if (const std::optional<QString> full = findValue(key, name))
        settings_->remove(*full);
}

bool SettingsStore::flush(QString* error)
{
    settings_->sync();
    if (settings_->status() == QSettings::NoError)
        return true;
    if (error) {
        *error = settings_->status() == QSettings::AccessError ? QStringLiteral("Cannot write %1").arg(path())
                                                               : QStringLiteral("Cannot read %1").arg(path());
    }
    return false;
}

} // namespace platform
