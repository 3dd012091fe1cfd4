#pragma once
// A small reader of CANopen EDS files (sections of "key=value" lines) and the structure check
// the data sheets we write share with real ones:
//   - section names are unique;
//   - every index listed under [MandatoryObjects], [OptionalObjects] and [ManufacturerObjects]
//     has its section;
//   - every object (a section named by an index, with or without "subN") has ParameterName
//     and ObjectType;
//   - a VAR object (ObjectType 7) has DataType and one of the AccessTypes ro, wo, rw, rwr,
//     rww, const;
//   - an ARRAY or RECORD object (ObjectType 8 or 9) has as many sub-index sections as its
//     SubNumber says;
//   - NrOfRXPDO and NrOfTXPDO count the 14xx-15xx and 18xx-19xx sections.
// Section names and keys are compared in upper case, as EDS readers do; ";" starts a comment
// line. Files that give sub-objects in compact form (CompactSubObj) are not for this check.

#include "platform/TextCodec.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <map>
#include <utility>
#include <vector>

namespace testsupport {

struct EdsSection {
    QString name;                    // upper case, without brackets
    std::map<QString, QString> keys; // upper-case key -> value as written
};

struct EdsFile {
    std::vector<EdsSection> sections; // in file order, repeated names kept

    const EdsSection* find(const QString& name) const
    {
        for (const EdsSection& s : sections)
            if (s.name == name.toUpper())
                return &s;
        return nullptr;
    }
    QString value(const QString& section, const QString& key) const
    {
        const EdsSection* s = find(section);
        if (!s)
            return QString();
        const auto it = s->keys.find(key.toUpper());
        return it == s->keys.end() ? QString() : it->second;
    }
};

inline EdsFile readEds(const QByteArray& bytes)
{
    EdsFile file;
    for (const QString& raw : platform::splitLines(platform::decodeText(bytes))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            file.sections.push_back({line.mid(1, line.indexOf(QLatin1Char(']')) - 1).toUpper(), {}});
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0 || file.sections.empty())
            continue;
        file.sections.back().keys[line.left(eq).trimmed().toUpper()] = line.mid(eq + 1).trimmed();
    }
    return file;
}

// A number as EDS files write them: "0x" hexadecimal or decimal; -1 when neither.
inline long long edsNumber(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    const bool hex = t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const long long value = hex ? t.mid(2).toLongLong(&ok, 16) : t.toLongLong(&ok, 10);
    return ok ? value : -1;
}

// What breaks the structure, one line per fault; empty when the file passes.
inline QStringList edsStructureProblems(const EdsFile& file)
{
    QStringList problems;
    std::map<QString, int> seen;
    for (const EdsSection& s : file.sections)
        if (++seen[s.name] == 2)
            problems << QStringLiteral("section [%1] is repeated").arg(s.name);

    for (const char* list : {"MANDATORYOBJECTS", "OPTIONALOBJECTS", "MANUFACTUREROBJECTS"}) {
        const EdsSection* s = file.find(QLatin1String(list));
        if (!s)
            continue;
        const long long count = edsNumber(file.value(QLatin1String(list), QStringLiteral("SupportedObjects")));
        for (long long k = 1; k <= count; ++k) {
            const long long index = edsNumber(file.value(QLatin1String(list), QString::number(k)));
            const QString name = QString::number(index, 16).toUpper().rightJustified(4, QLatin1Char('0'));
            if (index < 0 || !file.find(name))
                problems << QStringLiteral("[%1] lists %2 without its section").arg(QLatin1String(list), name);
        }
    }

    static const QRegularExpression object(QStringLiteral("^([0-9A-F]{4})(SUB[0-9A-F]+)?$"));
    static const QStringList accessTypes = {"ro", "wo", "rw", "rwr", "rww", "const"};
    for (const EdsSection& s : file.sections) {
        const auto match = object.match(s.name);
        if (!match.hasMatch())
            continue;
        if (!s.keys.count(QStringLiteral("PARAMETERNAME")) || !s.keys.count(QStringLiteral("OBJECTTYPE"))) {
            problems << QStringLiteral("[%1] lacks ParameterName or ObjectType").arg(s.name);
            continue;
        }
        const long long type = edsNumber(s.keys.at(QStringLiteral("OBJECTTYPE")));
        if (type == 7) {
            const auto access = s.keys.find(QStringLiteral("ACCESSTYPE"));
            if (!s.keys.count(QStringLiteral("DATATYPE")) || access == s.keys.end()
                || !accessTypes.contains(access->second.toLower()))
                problems << QStringLiteral("VAR [%1] lacks DataType or a known AccessType").arg(s.name);
        } else if (type == 8 || type == 9) {
            const QRegularExpression sub(QStringLiteral("^%1SUB[0-9A-F]+$").arg(match.captured(1)));
            long long subs = 0;
            for (const EdsSection& other : file.sections)
                subs += sub.match(other.name).hasMatch() ? 1 : 0;
            const auto number = s.keys.find(QStringLiteral("SUBNUMBER"));
            const long long declared = number == s.keys.end() ? -1 : edsNumber(number->second);
            if (declared != subs)
                problems << QStringLiteral("[%1] has SubNumber %2 but %3 sub-index sections")
                                .arg(s.name)
                                .arg(declared)
                                .arg(subs);
        }
    }

    static const QRegularExpression receive(QStringLiteral("^1[45][0-9A-F]{2}$"));
    static const QRegularExpression transmit(QStringLiteral("^1[89][0-9A-F]{2}$"));
    long long rx = 0;
    long long tx = 0;
    for (const EdsSection& s : file.sections) {
        rx += receive.match(s.name).hasMatch() ? 1 : 0;
        tx += transmit.match(s.name).hasMatch() ? 1 : 0;
    }
    if (edsNumber(file.value(QStringLiteral("DeviceInfo"), QStringLiteral("NrOfRXPDO"))) != rx)
        problems << QStringLiteral("NrOfRXPDO is not the %1 receive PDO sections").arg(rx);
    if (edsNumber(file.value(QStringLiteral("DeviceInfo"), QStringLiteral("NrOfTXPDO"))) != tx)
        problems << QStringLiteral("NrOfTXPDO is not the %1 transmit PDO sections").arg(tx);
    return problems;
}

} // namespace testsupport
