#include "common/ULanguage.h"

#include "common/EnglishTexts.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"

namespace common {

namespace {

const QChar kPilcrow(0x00B6);

// The language-file reader trims blanks and every control character, nothing more: a
// no-break space (U+00A0) belongs to the text.
QString trimControls(const QString& s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && s.at(end - 1).unicode() <= 0x20)
        --end;
    return s.mid(begin, end - begin);
}

// Decimal integer with an optional sign; false for anything else or an overflow.
bool parseDecimal(const QString& s, int& value)
{
    if (s.isEmpty())
        return false;
    qsizetype i = 0;
    bool negative = false;
    if (s.at(0) == QLatin1Char('+') || s.at(0) == QLatin1Char('-')) {
        negative = s.at(0) == QLatin1Char('-');
        i = 1;
    }
    if (i == s.size())
        return false;
    qint64 v = 0;
    for (; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        v = v * 10 + (c.unicode() - '0');
        if (v > 0x7FFFFFFF)
            return false;
    }
    value = static_cast<int>(negative ? -v : v);
    return true;
}

// One language-file line: the number and text it sets, or false when the line is to be skipped.
bool parseLangLine(const QString& rawLine, int count, int& number, QString& text)
{
    const QString line = trimControls(rawLine);
    if (!line.startsWith(QLatin1String("STR")))
        return false;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    // The number is everything between "STR" and "=". The format puts one blank before "=",
    // but a line written "STR15=Open" must still set 15, not 1.
    if (!parseDecimal(trimControls(line.mid(3, eq - 3)), number) || number < 0 || number >= count)
        return false;

    QString value = trimControls(line.mid(eq + 1));
    if (value.isEmpty())
        return false;
    const qsizetype comment = value.indexOf(QLatin1String("/#/"));
    if (comment >= 0) {
        value = trimControls(value.left(comment));
        if (value.isEmpty())
            return false;
    }
    if (value.startsWith(kPilcrow))
        value.remove(0, 1);
    const qsizetype end = value.indexOf(kPilcrow);
    if (end >= 0)
        value.truncate(end);
    text = value;
    return true;
}

QString encodeLangValue(const QString& text)
{
    const bool keepBlanks = !text.isEmpty() && (text.front().unicode() <= 0x20 || text.back().unicode() <= 0x20);
    return keepBlanks ? kPilcrow + text + kPilcrow : text;
}

} // namespace

QStringList& Lang_Str()
{
    static QStringList table;
    return table;
}

int Lang_Str_Count()
{
    return static_cast<int>(Lang_Str().size());
}

QString Lang_Text(int n)
{
    const QStringList& table = Lang_Str();
    return n >= 0 && n < table.size() ? table[n] : QString();
}

void Load_Default_Texts()
{
    QStringList& table = Lang_Str();
    table.clear();
    table.reserve(kLangStrSize);
    for (int i = 0; i < kLangStrSize; ++i)
        table.append(QStringLiteral(" "));
    for (const EnglishText& row : English_Texts())
        table[row.number] = QString::fromUtf8(row.text);
}

bool Read_Lang_File(const QString& fileName, QString* error)
{
    QByteArray bytes;
    if (!platform::readFile(fileName, bytes, error))
        return false;
    const QStringList lines = platform::splitLines(platform::decodeText(bytes));
    QStringList& table = Lang_Str();
    const int count = Lang_Str_Count();
    for (const QString& line : lines) {
        int number = 0;
        QString text;
        if (parseLangLine(line, count, number, text))
            table[number] = text;
    }
    return true;
}

QString Lang_File_Error(const QString& fileName, const QString& reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason);
}

bool Load_Language(const QString& languageDir, QString& languageName, QString* problem)
{
    Load_Default_Texts();
    const QString chosen = platform::joinPath(languageDir, languageName + QStringLiteral(".lng"));
    bool failed = false;
    if (platform::fileExists(chosen)) {
        QString reason;
        if (Read_Lang_File(chosen, &reason))
            return true;
        // Gone or unreadable since it was seen: the name follows the texts that show, and
        // the caller hears which file failed.
        failed = true;
        if (problem)
            *problem = Lang_File_Error(chosen, reason);
    }
    languageName = QStringLiteral("English");
    const QString english = platform::joinPath(languageDir, QStringLiteral("English.lng"));
    if (platform::fileExists(english))
        Read_Lang_File(english);
    return !failed;
}

QByteArray English_Lang_File_Data()
{
    QString out = QStringLiteral("[English]\r\n");
    for (const EnglishText& row : English_Texts()) {
        out += QStringLiteral("STR") + QString::number(row.number) + QStringLiteral(" =")
               + encodeLangValue(QString::fromUtf8(row.text)) + QStringLiteral("\r\n");
    }
    return platform::toAnsi(out);
}

bool Write_English_Lang_File(const QString& path, QString* error)
{
    return platform::replaceFile(path, English_Lang_File_Data(), error);
}

} // namespace common
