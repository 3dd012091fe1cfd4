#pragma once
// A small INI file kept in memory the way the print settings need it: plain "key=value" lines
// in the system's code page, texts unquoted and read whole (";" and "," are text), sections and
// keys matched without regard to case, CR LF line ends. QSettings does not fit: it sorts keys,
// quotes and escapes texts, and cuts a value at ";".
//
// Call flow: the constructor reads the file (a missing one is empty); ReadString answers from
// memory; WriteSection replaces one section's keys, in the order given, keeping the section's
// other lines and the other sections; UpdateFile writes everything back through a replacing
// file, so a failed write leaves the old file as it was and raises EQvGridError.

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace grid::io {

class TPlainIniFile {
public:
    explicit TPlainIniFile(const QString& fileName);

    const QString& FileName() const { return fileName; }
    bool SectionExists(const QString& section) const;
    // The value of the first line naming the key; fallback when the section or key is missing.
    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    // The keys of the section's value lines, in file order.
    QStringList SectionKeys(const QString& section) const;
    // Every key of values is written in the order given at the head of the section (an older
    // line of the same key is dropped); the section is added at the end when missing.
    void WriteSection(const QString& section, const std::vector<std::pair<QString, QString>>& values);
    // Raises EQvGridError when the file cannot be written; the old file then stays as it was.
    void UpdateFile() const;
    // The file's text as UpdateFile writes it.
    QByteArray Serialized() const;

private:
    struct Section {
        QString name;
        QStringList lines; // value and comment lines, blank lines dropped
    };
    const Section* find(const QString& name) const;
    Section* find(const QString& name);

    QString fileName;
    QStringList preamble; // lines before the first section
    std::vector<Section> sections;
};

} // namespace grid::io
