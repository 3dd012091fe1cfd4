#include "grid/io/PlainIniFile.h"

#include "grid/GridTypes.h"
#include "grid/io/ReplacingFile.h"
#include "platform/ComponentStream.h"
#include "platform/TextCodec.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace grid::io {

namespace {

// A value line: its key before the first "=", trimmed; comment lines (";") have none.
bool splitLine(const QString& line, QString& key, QString& value)
{
    if (line.startsWith(QLatin1Char(';')))
        return false;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    key = line.left(eq).trimmed();
    value = line.mid(eq + 1);
    return true;
}

bool sameKey(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

TPlainIniFile::TPlainIniFile(const QString& name) : fileName(name)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QString text = platform::fromAnsi(f.readAll());
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    Section* current = nullptr;
    for (const QString& raw : text.split(lineEnd)) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const QString name = line.mid(1, line.size() - 2).trimmed();
            current = find(name);
            if (!current) {
                sections.push_back({name, {}});
                current = &sections.back();
            }
            continue;
        }
        (current ? current->lines : preamble) << line;
    }
}

const TPlainIniFile::Section* TPlainIniFile::find(const QString& name) const
{
    for (const Section& s : sections)
        if (sameKey(s.name, name))
            return &s;
    return nullptr;
}

TPlainIniFile::Section* TPlainIniFile::find(const QString& name)
{
    return const_cast<Section*>(std::as_const(*this).find(name));
}

bool TPlainIniFile::SectionExists(const QString& section) const
{
    return find(section) != nullptr;
}

QString TPlainIniFile::ReadString(const QString& section, const QString& key, const QString& fallback) const
{
    const Section* s = find(section);
    if (!s)
        return fallback;
    QString k, v;
    for (const QString& line : s->lines)
        if (splitLine(line, k, v) && sameKey(k, key))
            return v;
    return fallback;
}

QStringList TPlainIniFile::SectionKeys(const QString& section) const
{
    QStringList keys;
    if (const Section* s = find(section)) {
        QString k, v;
        for (const QString& line : s->lines)
            if (splitLine(line, k, v))
                keys << k;
    }
    return keys;
}

void TPlainIniFile::WriteSection(const QString& section, const std::vector<std::pair<QString, QString>>& values)
{
    Section* s = find(section);
    if (!s) {
        sections.push_back({section, {}});
        s = &sections.back();
    }
    QStringList kept;
    QString k, v;
    for (const QString& line : s->lines) {
        const bool replaced = splitLine(line, k, v) && std::any_of(values.begin(), values.end(), [&](const auto& p) {
                                  return sameKey(p.first, k);
                              });
        if (!replaced)
            kept << line;
    }
    QStringList lines;
    for (const auto& [key, value] : values)
        lines << key + QLatin1Char('=') + value;
    s->lines = lines + kept;
}

// Each section is followed by an empty line, as INI files of this kind have always been.
QByteArray TPlainIniFile::Serialized() const
{
    QString text;
    for (const QString& line : preamble)
        text += line + QLatin1String("\r\n");
    for (const Section& s : sections) {
        text += QLatin1Char('[') + s.name + QLatin1String("]\r\n");
        for (const QString& line : s.lines)
            text += line + QLatin1String("\r\n");
        text += QLatin1String("\r\n");
    }
    return platform::toAnsi(text);
}

void TPlainIniFile::UpdateFile() const
{
    try {
        ReplacingFile file(fileName);
        file.put(Serialized());
        file.commit();
    } catch (const platform::EStreamError& e) {
        throw EQvGridError(e.Message());
    }
}

} // namespace grid::io
