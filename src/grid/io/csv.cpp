// CSV: delimiter-separated text as spreadsheet programs read and write it.
//
// Writing quotes a field as the settings ask and always when it holds the delimiter or a
// double quote; a cell's line breaks become character 11 inside quotes (or "~" with JavaCSV),
// so that every row takes one line. Reading guesses the delimiter from the first two lines
// when none is set and accepts what spreadsheet programs write besides our own coding: a
// quoted field may span lines (its line breaks come back as CR LF), and a quote that never
// closes keeps the rest of the text as its field rather than losing it. The reader grows the
// grid as it goes and never empties it first.

#include "grid/QvGrid.h"
#include "grid/io/ReplacingFile.h"
#include "grid/look/ZirAzur.h"

#include "platform/ComponentStream.h"
#include "platform/TextCodec.h"

#include <QFile>

#include <algorithm>
#include <climits>
#include <cmath>

namespace grid {

namespace {

constexpr QChar kQuote = u'"';
// The detection candidates, in the order ties are decided.
constexpr char16_t kDelimiterCandidates[] = {u',', u';', u'#', u'\t', u'|', u'@', u'*', u'-', u'+', u'&'};

QString emptyFileText()
{
    return QStringLiteral("File is empty");
}

// The first `count` physical lines of text (CR, LF or CR LF end a line).
QStringList firstLines(const QString& text, int count)
{
    QStringList lines;
    qsizetype pos = 0;
    while (lines.size() < count && pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        lines << text.mid(pos, end - pos);
        pos = end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? end + 2
                                                                                                         : end + 1;
    }
    return lines;
}

// The number of physical lines, as the platform's text loading would give them.
qsizetype countLines(const QString& text)
{
    qsizetype lines = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'\n' || (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')))
            ++lines;
    return lines + (text.endsWith(u'\n') || text.endsWith(u'\r') ? 0 : 1);
}

// The delimiter the first two lines suggest, QChar() when none does: first a candidate
// outside quotes as often in both lines, then one as often in both lines, then one appearing
// in either. The counts must beat the best so far, so ties keep the earlier candidate.
QChar detectDelimiter(const QString& text)
{
    const QStringList lines = firstLines(text, 2);
    // A candidate opening a line marks a comment there ("#" in EDE headers), not a field.
    auto body = [&](int i, QChar c) {
        const QString l = lines.value(i);
        return l.startsWith(c) ? l.mid(1) : l;
    };
    QChar found;
    int best = 0;
    for (char16_t c : kDelimiterCandidates) {
        const int n = ZirAzur::CountUnpairedQuotes(c, body(0, c));
        if (n == ZirAzur::CountUnpairedQuotes(c, body(1, c)) && n > best) {
            found = c;
            best = n;
        }
    }
    if (best == 0)
        for (char16_t c : kDelimiterCandidates) {
            const int n = ZirAzur::CountChar(c, body(0, c));
            if (n == ZirAzur::CountChar(c, body(1, c)) && n > best) {
                found = c;
                best = n;
            }
        }
    if (best == 0)
        for (char16_t c : kDelimiterCandidates) {
            const int n = std::max(ZirAzur::CountChar(c, body(0, c)), ZirAzur::CountChar(c, body(1, c)));
            if (n > best) {
                found = c;
                best = n;
            }
        }
    return found;
}

// Reads records (logical lines) field by field from decoded text.
class CsvScanner {
public:
    CsvScanner(const QString& text, QChar delimiter) : d(text.constData()), n(text.size()), delim(delimiter) {}

    bool atEnd() const { return pos >= n; }

    // Calls field(index, text) for each field of the next record. The last field is passed
    // only when it holds something (an empty rest of the line leaves its cell alone).
    template <class F>
    void record(F&& field)
    {
        const qsizetype start = pos;
        for (int i = 0;; ++i) {
            // Leading blanks go, as long as two characters of the line remain.
            while (pos + 1 < n && d[pos] == u' ' && !isLineEnd(d[pos + 1]))
                ++pos;
            QString text;
            bool quoted = false;
            if (pos < n && d[pos] == kQuote) {
                quoted = true;
                ++pos;
                text = quotedField();
                // Whatever follows the closing quote up to the delimiter is not the field's.
                while (pos < n && !isDelimiter(d[pos]) && !isLineEnd(d[pos]))
                    ++pos;
            } else {
                const qsizetype from = pos;
                while (pos < n && !isDelimiter(d[pos]) && !isLineEnd(d[pos]))
                    ++pos;
                text = QString(d + from, pos - from);
            }
            if (pos < n && isDelimiter(d[pos])) {
                ++pos;
                field(i, std::move(text));
                continue;
            }
            if (quoted || !text.isEmpty())
                field(i, std::move(text));
            skipLineEnd();
            // Every record consumes something, whatever the text holds, so a reader of it
            // always reaches the end.
            if (pos == start && pos < n)
                ++pos;
            return;
        }
    }

    // Skips one record without reading its fields.
    void skipRecord()
    {
        record([](int, QString&&) {});
    }

private:
    static bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }
    // Without a delimiter (none given, none detected) a line is one field: a NUL in the text
    // is text, never the missing delimiter.
    bool isDelimiter(QChar c) const { return c == delim && !delim.isNull(); }

    void skipLineEnd()
    {
        if (pos < n && d[pos] == u'\r')
            ++pos;
        if (pos < n && d[pos] == u'\n')
            ++pos;
    }

    // From after the opening quote through the closing one: doubled quotes collapse, line
    // breaks of any form become CR LF, and without a closing quote the rest of the text is
    // the field.
    QString quotedField()
    {
        QString out;
        qsizetype run = pos;
        auto flush = [&] { out.append(d + run, pos - run); };
        while (pos < n) {
            const QChar c = d[pos];
            if (c == kQuote) {
                flush();
                if (pos + 1 < n && d[pos + 1] == kQuote) {
                    out += kQuote;
                    pos += 2;
                    run = pos;
                    continue;
                }
                ++pos;
                return out;
            }
            if (isLineEnd(c)) {
                flush();
                out += QLatin1String("\r\n");
                skipLineEnd();
                run = pos;
                continue;
            }
            ++pos;
        }
        flush();
        return out;
    }

    const QChar* d;
    qsizetype n;
    qsizetype pos = 0;
    QChar delim;
};

short percentOf(double part, double whole)
{
    return short(std::nearbyint(100.0 * part / std::max(1.0, whole)));
}

// The file in the save's encoding, written block by block.
class CsvFileWriter {
public:
    CsvFileWriter(const QString& fileName, bool unicode) : file(fileName), unicode(unicode)
    {
        if (unicode)
            file.put(QByteArray("\xEF\xBB\xBF"));
    }
    // Encodes and writes text, which it empties.
    void write(QString& text)
    {
        if (unicode)
            file.put(text.toUtf8());
        else if (QtPrivate::isAscii(text)) // as most exported text is: the library's fast path
            file.put(text.toLatin1());
        else
            file.put(platform::toAnsi(text));
        text.clear();
    }
    void commit() { file.commit(); }

private:
    ReplacingFile file;
    bool unicode;
};

// The platform's text decoding, with the library's fast path for plain ASCII without a mark.
QString decodeCsv(const QByteArray& bytes)
{
    if (QtPrivate::isAscii(QLatin1StringView(bytes)))
        return QString::fromLatin1(bytes);
    return platform::decodeText(bytes);
}

QByteArray readWhole(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw platform::EFOpenError(fileName, file.errorString());
    return file.readAll();
}

} // namespace

// ---- writing --------------------------------------------------------------------------------------

namespace {

// One field of a written line, coded so that it reads back as one field on one line.
QString csvField(QString text, QChar s, const TQvStringGrid& g)
{
    // Most fields need no coding at all.
    if (!text.isEmpty() && !g.AlwaysQuotes && !g.OemConvert
        && std::none_of(text.cbegin(), text.cend(), [s](QChar c) { return c == s || c == kQuote || c == u'\r'; }))
        return text;
    text = ZirAzur::DoubleQuoteChars(text);
    if (g.OemConvert)
        text = ZirAzur::TextToOem(text);
    bool quoted = false;
    if (g.AlwaysQuotes || (!text.contains(s) && text.contains(kQuote))) {
        text = kQuote + text + kQuote;
        quoted = true;
    }
    if (text.isEmpty()) {
        if (g.JavaCSV)
            text = QStringLiteral("^");
        else if (g.QuoteEmptyCells)
            text = QStringLiteral("\"\"");
    }
    if (text.contains(s) || text.contains(u'\r')) {
        if (g.JavaCSV) {
            text = ZirAzur::LineBreaksToTilde(text);
            // Unquoted, a delimiter inside the field would split it on reading.
            if (!quoted && text.contains(s))
                text = kQuote + text + kQuote;
        } else if (quoted) {
            text = ZirAzur::CrLfToLf(text);
        } else {
            text = ZirAzur::QuoteMultilineField(text);
        }
    }
    return text;
}

} // namespace

void TQvStringGrid::writeCSV(const std::function<void(QString&)>& put)
{
    // Handed over in blocks, so a large grid is never held twice in memory.
    constexpr qsizetype kBlock = 1 << 20;
    QString out;
    const QChar s = Delimiter.isNull() ? QChar(u',') : Delimiter;
    const int hidden = SaveHiddenCells ? NumHiddenColumns() : 0;
    ExportNotification(esExportStart, SaveStartRow());
    short lastPercent = -1;
    QString text;
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int d = SaveStartCol(); d <= SaveEndCol() + hidden; ++d) {
            if (d > SaveStartCol())
                out += s;
            GetSaveCellText(SaveHiddenCells ? d : RealColFromDispl(d), r, text);
            out += csvField(text, s, *this);
        }
        out += QLatin1String("\r\n");
        if (out.size() >= kBlock)
            put(out);
        if (OnFileProgress) {
            const short percent = percentOf(r, RowCount() - 1);
            if (percent != lastPercent) {
                lastPercent = percent;
                OnFileProgress(this, percent);
            }
        }
    }
    ExportNotification(esExportDone, -1);
    put(out);
}

void TQvStringGrid::SaveToCSV(const QString& FileName, bool Unicode)
{
    CsvFileWriter out(FileName, Unicode);
    writeCSV([&](QString& block) { out.write(block); });
    out.commit();
}

void TQvStringGrid::AppendToCSV(const QString& FileName, bool Unicode)
{
    // The existing lines stay as they are, re-coded in the encoding of this save.
    QString before = platform::decodeText(readWhole(FileName));
    if (!before.isEmpty() && !before.endsWith(u'\n') && !before.endsWith(u'\r'))
        before += QLatin1String("\r\n");
    CsvFileWriter out(FileName, Unicode);
    out.write(before);
    writeCSV([&](QString& block) { out.write(block); });
    out.commit();
}

// ---- reading --------------------------------------------------------------------------------------

void TQvStringGrid::LoadFromCSV(const QString& FileName, int MaxRows)
{
    const QByteArray bytes = readWhole(FileName);
    if (bytes.isEmpty())
        return;
    loadCSVText(decodeCsv(bytes), MaxRows, false);
}

void TQvStringGrid::InsertFromCSV(const QString& FileName, int MaxRows)
{
    const QByteArray bytes = readWhole(FileName);
    if (bytes.isEmpty())
        return;
    loadCSVText(decodeCsv(bytes), MaxRows, true);
}

void TQvStringGrid::LoadFromCSVStream(QIODevice& st, int MaxRows)
{
    loadCSVText(decodeCsv(st.readAll()), MaxRows, false);
}

void TQvStringGrid::loadCSVText(QString text, int MaxRows, bool inserting)
{
    if (text.isEmpty())
        throw EQvGridError(emptyFileText());
    if (OemConvert)
        text = ZirAzur::OemToText(text);

    int row = SaveStartRow();
    const int startCol = SaveStartCol();
    // A visible floating footer stays the last row: set aside while rows are added below the
    // others, written back into the new last row at the end.
    const bool keepFooter = inserting && FloatingFooter.Visible() && RowCount() > 0;
    QStringList footer;
    if (inserting) {
        row = RowCount();
        if (keepFooter) {
            row = RowCount() - 1;
            for (int c = 0; c < TotalColCount(); ++c)
                footer << GetGridCell(c, row);
            DetachRowCells(row);
        }
    }

    const QChar delimiter = Delimiter.isNull() ? detectDelimiter(text) : Delimiter;
    CsvScanner scan(text, delimiter);
    if (!LoadFirstRow && !scan.atEnd())
        scan.skipRecord();

    // Progress counts physical lines, which is what the sizing before the read can know.
    qsizetype totalLines = 0;
    if (OnFileProgress) {
        totalLines = countLines(text);
        const qsizetype toRead = LoadFirstRow ? totalLines : std::max<qsizetype>(0, totalLines - 1);
        const qint64 want = inserting ? qint64(RowCount()) + totalLines : qint64(row) + totalLines + FixedFooters();
        SetRowCount(int(std::min<qint64>(want, INT_MAX / 2)));
        totalLines = toRead;
    }

    const bool java = JavaCSV;
    auto store = [&](int i, QString&& field) {
        const int c = startCol + i;
        const int have = SaveHiddenCells ? TotalColCount() : ColCount();
        if (c >= have)
            SetColCount(c + 1 - (SaveHiddenCells ? NumHiddenColumns() : 0));
        LoadCellText(c, row, java ? ZirAzur::TildeToLineBreaks(field) : ZirAzur::VTabToLineBreaks(field));
    };
    int read = 0;
    short lastPercent = -1;
    while (!scan.atEnd() && (MaxRows <= 0 || read < MaxRows)) {
        if (row >= RowCount() - FixedFooters())
            SetRowCount(row + 1000);
        scan.record(store);
        ++row;
        ++read;
        if (OnFileProgress && totalLines > 0) {
            const short percent = percentOf(read, double(totalLines));
            if (percent != lastPercent) {
                lastPercent = percent;
                OnFileProgress(this, percent);
            }
        }
    }

    // The footer goes below the rows read, never over the last of them.
    SetRowCount(keepFooter ? std::max(row + 1, row + FixedFooters()) : row + FixedFooters());
    FMaxRowCount = RowCount();
    if (keepFooter)
        for (int c = 0; c < footer.size() && c < TotalColCount(); ++c)
            SetGridCell(c, RowCount() - 1, footer[c]);
    CellsChanged({0, 0, ColCount(), RowCount()});
    AfterCellsLoaded();
}

} // namespace grid
