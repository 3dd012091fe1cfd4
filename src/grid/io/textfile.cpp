// The text grid file: the grid's readable save format, one line per item: the size ("C,R"),
// a width line per column ("cw i,w") and a line per non-empty cell ("c,r,text", the text with
// its line breaks coded so that every cell takes one line). Two forms:
// - the file form (SaveToFile, LoadFromFile): grid indexes, ANSI or UTF-16 LE with a byte-order
//   mark, lenient numbers, the whole file read;
// - the stream form (SaveToStream, LoadFromStream): indexes relative to the save origin,
//   16-bit characters without a mark, strict numbers, and reading stops at the first line that
//   is not a width or cell line, so a caller can keep other data behind it.
// Neither reader empties the grid first. Both hold the header against fixed bounds before the
// grid changes: a size read from a file is never allocated on trust.

#include "grid/QvGrid.h"
#include "grid/io/ReplacingFile.h"
#include "grid/look/ZirAzur.h"

#include "platform/ComponentStream.h"
#include "platform/TextCodec.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringDecoder>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace grid {

namespace {

// The largest grid a header may ask for.
constexpr int kMaxFileRows = 1 << 24;
constexpr int kMaxFileCols = 1 << 20;
constexpr int kMaxWidth = 32767;
// Text is encoded and written, or read and decoded, in blocks of this many characters or bytes.
constexpr qsizetype kBlock = 1 << 20;
// While a file loads, pending events (painting, timers) run at most this often.
constexpr qint64 kEventPeriodMs = 100;

QString corruptFileText(const QString& fileName)
{
    return QStringLiteral("File contains no data or corrupt file ") + fileName;
}

short percentOf(double part, double whole)
{
    return short(std::nearbyint(100.0 * part / std::max(1.0, whole)));
}

// Lines are built in place at the end of the text being written: no line, number or coded
// text becomes a string of its own.
void appendNumber(QString& out, int v)
{
    char16_t digits[12];
    char16_t* end = digits + 12;
    char16_t* p = end;
    unsigned u = v < 0 ? 0u - unsigned(v) : unsigned(v);
    do {
        *--p = char16_t(u'0' + u % 10);
        u /= 10;
    } while (u);
    if (v < 0)
        *--p = u'-';
    out.append(reinterpret_cast<const QChar*>(p), end - p);
}

bool hasControl(QStringView text)
{
    for (QChar ch : text)
        if (ch.unicode() < 0x20)
            return true;
    return false;
}

// "c,r,text", the text with its line breaks coded; a text without control characters is its
// own coded form.
void appendCellLine(QString& out, int c, int r, const QString& text)
{
    appendNumber(out, c);
    out += QLatin1Char(',');
    appendNumber(out, r);
    out += QLatin1Char(',');
    if (hasControl(text))
        out += ZirAzur::EncodeCellLineBreaks(text);
    else
        out += text;
}

void appendWidthLine(QString& out, int i, int w)
{
    out += QLatin1String("cw ");
    appendNumber(out, i);
    out += QLatin1Char(',');
    appendNumber(out, w);
}

void appendHeader(QString& out, int cols, int rows)
{
    appendNumber(out, cols);
    out += QLatin1Char(',');
    appendNumber(out, rows);
}

// The file in the save's encoding, written in blocks of lines.
class BlockFileWriter {
public:
    BlockFileWriter(const QString& fileName, bool unicode) : file(fileName), unicode(unicode)
    {
        if (unicode)
            file.put(QByteArray("\xFF\xFE", 2));
        pending.reserve(kBlock + 1024);
    }
    // The line being built; endLine ends it.
    QString& text() { return pending; }
    void endLine()
    {
        pending += QLatin1String("\r\n");
        if (pending.size() >= kBlock)
            flush();
    }
    void commit()
    {
        flush();
        file.commit();
    }

private:
    void flush()
    {
        if (unicode) {
            QByteArray b(pending.size() * 2, Qt::Uninitialized);
            qToLittleEndian<quint16>(pending.utf16(), pending.size(), b.data());
            file.put(b);
        } else {
            file.put(platform::toAnsi(pending));
        }
        pending.resize(0); // keeps the block's storage
    }
    ReplacingFile file;
    bool unicode;
    QString pending;
};

// True when one of the four characters at p is below 32; a line's characters are looked at
// four at a time for its end.
bool anyControl(const QChar* p)
{
    constexpr quint64 kOnes = 0x0001000100010001ULL;
    constexpr quint64 kHigh = 0x8000800080008000ULL;
    constexpr quint64 kAbove31 = 0xFFE0FFE0FFE0FFE0ULL;
    quint64 w;
    std::memcpy(&w, p, 8);
    const quint64 x = w & kAbove31; // a zero lane where the character is below 32
    return ((x - kOnes) & ~x & kHigh) != 0;
}

// The lines of a text file, decoded block by block: a byte-order mark selects UTF-8 or UTF-16,
// without one the bytes are UTF-8 when they are valid UTF-8, else ANSI. Lines end with CR LF,
// LF or a lone CR.
class LineReader {
public:
    // The bytes and the text live in buffers kept for the whole file: a block is read and
    // decoded without allocating.
    explicit LineReader(QFile& f) : file(f), raw(kBlock, Qt::Uninitialized)
    {
        buf.reserve(2 * kBlock);
        QByteArrayView head(raw.constData(), readBlock());
        if (head.startsWith("\xEF\xBB\xBF")) {
            decoder = QStringDecoder(QStringDecoder::Utf8);
            head = head.sliced(3);
        } else if (head.startsWith("\xFF\xFE")) {
            decoder = QStringDecoder(QStringDecoder::Utf16LE);
            head = head.sliced(2);
        } else if (head.startsWith("\xFE\xFF")) {
            decoder = QStringDecoder(QStringDecoder::Utf16BE);
            head = head.sliced(2);
        } else if (wholeFileIsUtf8(head)) {
            decoder = QStringDecoder(QStringDecoder::Utf8);
        }
        append(head);
        eof = file.atEnd();
    }

    // The next line as a view into the reader, valid until the next call; control tells
    // whether it holds a control character (other than its line end).
    bool next(QStringView& line, bool& control)
    {
        for (;;) {
            qsizetype k = pos;
            const QChar* d = buf.constData();
            const qsizetype n = buf.size();
            control = false;
            for (;;) {
                while (k + 4 <= n && !anyControl(d + k))
                    k += 4;
                if (k >= n)
                    break;
                const char16_t c = d[k].unicode();
                if (c < 0x20) {
                    if (c == u'\r' || c == u'\n')
                        break;
                    control = true;
                }
                ++k;
            }
            if (k < buf.size()) {
                // A CR at the end of the block may be the first half of CR LF.
                if (d[k] == QLatin1Char('\r') && k + 1 == buf.size() && !eof) {
                    fill();
                    continue;
                }
                line = QStringView(d + pos, k - pos);
                pos = k + 1;
                if (d[k] == QLatin1Char('\r') && pos < buf.size() && buf[pos] == QLatin1Char('\n'))
                    ++pos;
                return true;
            }
            if (eof) {
                if (pos >= buf.size())
                    return false;
                line = QStringView(buf).mid(pos);
                pos = buf.size();
                return true;
            }
            fill();
        }
    }

private:
    // Without a mark the file is UTF-8 when all of it is valid UTF-8 with some non-ASCII
    // byte (an editor's file saved without a mark), else ANSI: the rest of the file is read
    // ahead once to tell, and the reader goes back to where it was.
    bool wholeFileIsUtf8(QByteArrayView head)
    {
        platform::Utf8Check check;
        check.add(head);
        if (!file.atEnd() && !check.failed()) {
            const qint64 back = file.pos();
            QByteArray ahead(kBlock, Qt::Uninitialized);
            qint64 n = 0;
            while (!check.failed() && (n = file.read(ahead.data(), kBlock)) > 0)
                check.add(QByteArrayView(ahead.constData(), qsizetype(n)));
            file.seek(back);
        }
        return check.valid() && check.nonAscii();
    }

    void fill()
    {
        buf.remove(0, pos);
        pos = 0;
        const qsizetype n = readBlock();
        append(QByteArrayView(raw.constData(), n));
        eof = n == 0 || file.atEnd();
        if (eof && decoder.isValid())
            buf += decoder.decode(QByteArrayView());
    }
    qsizetype readBlock()
    {
        const qint64 n = file.read(raw.data(), kBlock);
        return n < 0 ? 0 : qsizetype(n);
    }
    void append(QByteArrayView b)
    {
        if (!decoder.isValid()) {
            platform::appendAnsi(buf, b);
            return;
        }
        const qsizetype old = buf.size();
        buf.resize(old + decoder.requiredSpace(b.size()));
        const QChar* end = decoder.appendToBuffer(buf.data() + old, b);
        buf.resize(end - buf.constData());
    }

    QFile& file;
    QByteArray raw;
    QStringDecoder decoder;
    QString buf;
    qsizetype pos = 0;
    bool eof = false;
};

// The cell text of a line into text, reusing its storage. Most cells hold no control
// character: their coded text is their text.
void decodeInto(QString& text, QStringView coded, bool mayHoldControl, bool multiLine)
{
    text.resize(coded.size());
    if (!coded.isEmpty())
        std::memcpy(text.data(), coded.data(), std::size_t(coded.size()) * sizeof(QChar));
    if (mayHoldControl && hasControl(coded))
        text = ZirAzur::DecodeCellLineBreaks(text, multiLine);
}

// A field of one to nine decimal digits ending at a comma, the common case, read in one pass:
// the lenient conversion gives the same value for it. Answers the comma's position, or -1 for
// any other field.
qsizetype plainNumber(QStringView line, qsizetype from, int& value)
{
    int v = 0;
    qsizetype i = from;
    for (; i < line.size(); ++i) {
        const char16_t c = line[i].unicode();
        if (c == u',')
            break;
        if (c < u'0' || c > u'9' || i - from == 9)
            return -1;
        v = v * 10 + (c - u'0');
    }
    if (i == from || i >= line.size())
        return -1;
    value = v;
    return i;
}

// Strict numbers of the stream form: the platform's conversion error for anything else.
int strictInt(QStringView s)
{
    int v = 0;
    if (!StrToIntStrict(s, v))
        throw EConvertError(s.toString());
    return v;
}

// The 16-bit characters of the stream form, line by line, with the position of each line's
// start, so that reading can stop before a line that is not the grid's.
class WideLines {
public:
    explicit WideLines(QByteArray d) : data(std::move(d)) {}
    bool atEnd() const { return at + 1 >= data.size(); }
    qsizetype pos() const { return at; }
    void setPos(qsizetype p) { at = p; }
    // Up to the next CR into s, reusing its storage; the character after the CR (the LF) is
    // skipped.
    void line(QString& s)
    {
        qsizetype end = at;
        while (end + 1 < data.size() && qFromLittleEndian<quint16>(data.constData() + end) != u'\r')
            end += 2;
        s.resize((end - at) / 2);
        qFromLittleEndian<quint16>(data.constData() + at, s.size(), s.data());
        at = end + 1 < data.size() ? std::min<qsizetype>(end + 4, data.size()) : end;
    }

private:
    QByteArray data;
    qsizetype at = 0;
};

} // namespace

// ---- file form ------------------------------------------------------------------------------------

void TQvStringGrid::SaveToFile(const QString& FileName, bool Unicode)
{
    const int hidden = SaveHiddenCells ? NumHiddenColumns() : 0;
    const int firstCol = SaveStartCol();
    const int lastCol = SaveEndCol() + hidden;
    BlockFileWriter out(FileName, Unicode);
    appendHeader(out.text(), SaveColCount() + hidden, SaveRowCount());
    out.endLine();
    for (int c = firstCol; c <= lastCol; ++c) {
        appendWidthLine(out.text(), c, realColWidth(c));
        out.endLine();
    }

    ExportNotification(esExportStart, SaveStartRow());
    short lastPercent = -1;
    QString text;
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = firstCol; c <= lastCol; ++c) {
            GetSaveCellText(c, r, text);
            if (!text.isEmpty()) {
                appendCellLine(out.text(), c, r, text);
                out.endLine();
            }
        }
        // Counted from the first saved row, so a save without the fixed rows ends at 100.
        if (OnFileProgress) {
            const short percent = percentOf(r - SaveStartRow(), SaveRowCount() - 1);
            if (percent != lastPercent) {
                lastPercent = percent;
                OnFileProgress(this, percent);
            }
        }
    }
    ExportNotification(esExportDone, -1);
    out.commit();
}

void TQvStringGrid::LoadFromFile(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw platform::EFOpenError(FileName, file.errorString());
    LineReader lines(file);
    const int a = SaveFixedCells || SaveFixedCols ? 0 : FixedCols();
    const int b = SaveFixedCells || SaveFixedRows ? 0 : FixedRows();

    QStringView line;
    bool headerControl = false;
    if (lines.next(line, headerControl) && !line.isEmpty()) {
        const qsizetype comma = line.indexOf(QLatin1Char(','));
        const int cols = StrToIntPrefix(comma < 0 ? line : line.left(comma));
        const int rows = comma < 0 ? 0 : StrToIntPrefix(line.mid(comma + 1));
        // Checked before the grid changes: a header asking for no grid or a huge one is not a
        // grid file.
        if (cols > kMaxFileCols || rows > kMaxFileRows || a + cols <= 0 || b + rows <= 0)
            throw EQvGridError(corruptFileText(FileName));
        SetColCount(a + cols);
        SetRowCount(b + rows);
    }
    if (ColCount() <= 0 || RowCount() <= 0)
        throw EQvGridError(corruptFileText(FileName));

    const bool multiLine = PaintSettings().Multilinecells;
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    // The clock is read once per this many characters of lines (a line counting as 64 more),
    // not per line.
    constexpr qsizetype kClockBudget = 1 << 16;
    qsizetype budget = kClockBudget;
    short lastPercent = -1;
    QString text;
    bool control = false;
    while (lines.next(line, control)) {
        budget -= 64 + line.size();
        int c = 0, r = 0;
        qsizetype comma = plainNumber(line, 0, c);
        qsizetype comma2 = comma < 0 ? -1 : plainNumber(line, comma + 1, r);
        bool cell = comma2 >= 0;
        if (!cell) {
            comma = line.indexOf(QLatin1Char(','));
            if (comma < 0) {
                // neither a width nor a cell line
            } else if (line.startsWith(QLatin1String("cw"))) {
                const int index = StrToIntPrefix(line.mid(3, comma - 3));
                const int width = StrToIntPrefix(line.mid(comma + 1));
                if (index >= 0 && index < ColCount() && width >= 0 && width <= kMaxWidth)
                    SetColWidths(index, width);
            } else {
                comma2 = line.indexOf(QLatin1Char(','), comma + 1);
                c = StrToIntPrefix(line.left(comma));
                r = StrToIntPrefix(comma2 < 0 ? line.mid(comma + 1) : line.mid(comma + 1, comma2 - comma - 1));
                cell = true;
            }
        }
        if (cell && c >= 0 && r >= 0 && c < TotalColCount() && r < RowCount()) {
            decodeInto(text, comma2 < 0 ? QStringView() : line.mid(comma2 + 1), control, multiLine);
            LoadCellText(c, r, text);
            if (OnFileProgress) {
                const short percent = percentOf(r, RowCount() - 1);
                if (percent != lastPercent) {
                    lastPercent = percent;
                    OnFileProgress(this, percent);
                }
            }
        }
        // The grid may repaint while a large file loads; user input waits, so no edit and no
        // second load runs into a half-read file.
        if (budget <= 0) {
            budget = kClockBudget;
            if (sinceEvents.elapsed() >= kEventPeriodMs) {
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                sinceEvents.restart();
            }
        }
    }
    CellsChanged({0, 0, ColCount(), RowCount()});
    AfterCellsLoaded();
}

// ---- stream form ----------------------------------------------------------------------------------

void TQvStringGrid::SaveToStream(QIODevice& st)
{
    QString out;
    out.reserve(kBlock + 1024);
    auto flush = [&] {
        QByteArray b(out.size() * 2, Qt::Uninitialized);
        qToLittleEndian<quint16>(out.utf16(), out.size(), b.data());
        if (st.write(b) != b.size())
            throw platform::EWriteError();
        out.resize(0);
    };
    auto endLine = [&] {
        out += QLatin1String("\r\n");
        if (out.size() >= kBlock)
            flush();
    };
    appendHeader(out, SaveColCount(), SaveRowCount());
    endLine();
    for (int c = 0; c < ColCount(); ++c) {
        appendWidthLine(out, c, ColWidths(c));
        endLine();
    }
    ExportNotification(esExportStart, SaveStartRow());
    QString text;
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = SaveStartCol(); c <= SaveEndCol(); ++c) {
            GetSaveCellText(c, r, text);
            if (!text.isEmpty()) {
                appendCellLine(out, c - SaveStartCol(), r - SaveStartRow(), text);
                endLine();
            }
        }
    }
    ExportNotification(esExportDone, -1);
    flush();
}

void TQvStringGrid::LoadFromStream(QIODevice& st)
{
    const qint64 start = st.pos();
    WideLines lines(st.readAll());
    QString line;
    if (!lines.atEnd()) {
        lines.line(line);
        if (!line.isEmpty()) {
            const QStringView header(line);
            const qsizetype comma = header.indexOf(QLatin1Char(','));
            const QStringView colText = comma < 0 ? header : header.left(comma);
            const QStringView rowText = comma < 0 ? QStringView() : header.mid(comma + 1);
            const int cols = strictInt(colText);
            const int rows = strictInt(rowText);
            // Checked before the grid changes.
            if (cols < 0 || cols > kMaxFileCols)
                throw EConvertError(colText.toString());
            if (rows < 0 || rows > kMaxFileRows)
                throw EConvertError(rowText.toString());
            SetColCount(cols + SaveStartCol());
            SetRowCount(rows + SaveStartRow());
        }
    }
    QString text;
    while (!lines.atEnd()) {
        const qsizetype lineStart = lines.pos();
        lines.line(line);
        const QStringView view(line);
        if (view.startsWith(QLatin1String("cw"))) {
            const QStringView rest = view.mid(3);
            const qsizetype comma = rest.indexOf(QLatin1Char(','));
            const int index = strictInt(comma < 0 ? rest : rest.left(comma));
            const int width = strictInt(comma < 0 ? QStringView() : rest.mid(comma + 1));
            // Its own writer lists every column, also the right fixed ones a save without the
            // fixed cells leaves out of the header: widths beyond the grid are not an error.
            if (index >= 0 && index < ColCount() && width >= 0 && width <= kMaxWidth)
                SetColWidths(index, width);
            continue;
        }
        const qsizetype comma = view.indexOf(QLatin1Char(','));
        const qsizetype comma2 = comma < 0 ? -1 : view.indexOf(QLatin1Char(','), comma + 1);
        if (comma2 < 0) {
            lines.setPos(lineStart); // not the grid's: left for the caller
            break;
        }
        const qint64 c = qint64(strictInt(view.left(comma))) + SaveStartCol();
        const qint64 r = qint64(strictInt(view.mid(comma + 1, comma2 - comma - 1))) + SaveStartRow();
        if (c >= 0 && r >= 0 && c < TotalColCount() && r < RowCount()) {
            decodeInto(text, view.mid(comma2 + 1), true, true);
            LoadCellText(int(c), int(r), text);
        }
    }
    if (!st.isSequential())
        st.seek(start + lines.pos());
    CellsChanged({0, 0, ColCount(), RowCount()});
    AfterCellsLoaded();
}

} // namespace grid
