#pragma once
// The stand-in for the user's registry hive: named values under key paths, kept in one INI
// file. Key paths may use "\" or "/" between levels ("Software\Microsoft\Office\14.0\Common").
// As in the registry, key and value names match without regard to case, and reading never
// creates a key. A test gets its own store by giving a path in a temporary folder.

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QSettings;

namespace platform {

class SettingsStore {
public:
    explicit SettingsStore(const QString& iniPath);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString path() const;

    // True when the key holds a value or a key below it.
    bool keyExists(const QString& key) const;
    bool valueExists(const QString& key, const QString& name) const;

    QString readString(const QString& key, const QString& name, const QString& fallback = QString()) const;
    // The fallback also when the stored text is not a decimal integer.
    int readInteger(const QString& key, const QString& name, int fallback) const;

    void writeString(const QString& key, const QString& name, const QString& value);
    void writeInteger(const QString& key, const QString& name, int value);
    void deleteValue(const QString& key, const QString& name);

    // Writes the changes to the file; false (with the reason) when it cannot be written.
    // Changes are also written when the store is destroyed.
    bool flush(QString* error = nullptr);

private:
    // The stored spelling of the key path, or nothing when a level is missing.
    std::optional<QStringList> findKey(const QString& key) const;
    // The stored spelling of a value's full name, or nothing when it is missing.
    std::optional<QString> findValue(const QString& key, const QString& name) const;
    // The full name to write a value under: stored spellings where levels exist.
    QString nameForWrite(const QString& key, const QString& name) const;
    QStringList childrenAt(const QStringList& path, bool groups) const;

    std::unique_ptr<QSettings> settings_;
};

} // namespace platform
