// Plain text and fixed width.
//
// The plain-text export pads every column to its longest line so the columns line up in any
// monospaced viewer; further lines of multi-line cells go on extra lines below, at their
// column's place. The fixed-width export cuts or pads each text to the width the caller gives
// (measuring the columns it does not give); the import reads columns from start positions.
// Neither export changes the grid: hidden columns are reached by their real index, not by
// growing the column count for the duration.

#include "grid/QvGrid.h"
#include "grid/look/CellVisuals.h"

#include "platform/ComponentStream.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"

#include <QFile>
#include <QGuiApplication>
#include <QtEndian>

#include <algorithm>

namespace grid {

namespace {

// The hourglass for the duration of a long export, restored on every path.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QStringList textLines(const QString& text, bool multiLine)
{
    if (!multiLine)
        return {text};
    return platform::splitLines(text).isEmpty() ? QStringList{QString()} : platform::splitLines(text);
}

// A text in its column: aligned within width, then blanks up to width + 1. A longer text is
// not cut and gets no blank.
QString aligned(QString text, int width, TAlignment ha)
{
    if (ha == taRightJustify && text.size() < width)
        text = QString(width - text.size(), u' ') + text;
    else if (ha == taCenter)
        while (text.size() < width)
            text = u' ' + text + u' ';
    if (text.size() < width + 1)
        text += QString(width + 1 - text.size(), u' ');
    return text;
}

QByteArray encodeText(const QStringList& lines, bool unicode)
{
    QString all = lines.join(QLatin1String("\r\n"));
    if (!lines.isEmpty())
        all += QLatin1String("\r\n");
    if (!unicode)
        return platform::toAnsi(all);
    QByteArray b(2 + all.size() * 2, Qt::Uninitialized);
    b[0] = '\xFF';
    b[1] = '\xFE';
    qToLittleEndian<quint16>(all.utf16(), all.size(), b.data() + 2);
    return b;
}

void replaceOrThrow(const QString& fileName, const QByteArray& data)
{
    QString error;
    if (!platform::replaceFile(fileName, data, &error))
        throw platform::EFCreateError(fileName, error);
}

} // namespace

int TQvStringGrid::MaxColumnTextLength(int ACol)
{
    const bool multiLine = PaintSettings().Multilinecells;
    qsizetype longest = 0;
    for (int r = 0; r < RowCount(); ++r)
        for (const QString& l : textLines(Cells(ACol, r), multiLine))
            longest = std::max(longest, l.size());
    return int(longest);
}

// ---- plain text -----------------------------------------------------------------------------------

void TQvStringGrid::SaveToASCII(const QString& FileName, bool Unicode)
{
    WaitCursor wait;
    replaceOrThrow(FileName, encodeText(asciiLines(), Unicode));
}

void TQvStringGrid::AppendToASCII(const QString& FileName, bool Unicode)
{
    WaitCursor wait;
    QStringList lines;
    if (QFile::exists(FileName) && !platform::readTextLines(FileName, lines))
        throw platform::EFOpenError(FileName, QStringLiteral("cannot be read"));
    lines += asciiLines();
    replaceOrThrow(FileName, encodeText(lines, Unicode));
}

QStringList TQvStringGrid::asciiLines()
{
    const int a = SaveFixedCells || SaveFixedCols ? 0 : FixedCols();
    const int b = SaveFixedCells || SaveFixedRows ? 0 : FixedRows();
    const bool multiLine = PaintSettings().Multilinecells;
    // The exported columns by real index, and each one's width.
    std::vector<int> cols;
    const int last = SaveHiddenCells ? TotalColCount() - 1 : ColCount() - 1;
    for (int c = a; c <= last; ++c)
        cols.push_back(SaveHiddenCells ? c : RealColFromDispl(c));
    std::vector<int> widths;
    for (int real : cols)
        widths.push_back(MaxColumnTextLength(real));

    QStringList out;
    ExportNotification(esExportStart, b);
    QString text;
    for (int r = b; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        QString line;
        QStringList extra;
        int offset = 0; // where this column starts on an extra line
        for (size_t i = 0; i < cols.size(); ++i) {
            GetSaveCellText(cols[i], r, text);
            const TAlignment ha = CellLook(cols[i], r, false).HA;
            const QStringList parts = textLines(text, multiLine);
            line += aligned(parts[0], widths[i], ha);
            for (qsizetype k = 1; k < parts.size(); ++k) {
                if (extra.size() < k)
                    extra << QString();
                QString& e = extra[k - 1];
                if (e.size() < offset)
                    e += QString(offset - e.size(), u' ');
                e += aligned(parts[k], widths[i], ha);
            }
            offset += widths[i] + 1;
        }
        out << line;
        out += extra;
    }
    ExportNotification(esExportDone, -1);
    return out;
}

// ---- fixed width ----------------------------------------------------------------------------------

void TQvStringGrid::SaveToFixed(const QString& FileName, TIntList& Widths)
{
    const int hidden = SaveHiddenCells ? NumHiddenColumns() : 0;
    std::vector<int> cols;
    for (int c = SaveStartCol(); c <= SaveEndCol() + hidden; ++c)
        cols.push_back(SaveHiddenCells ? c : RealColFromDispl(c));
    for (size_t i = Widths.Count(); i < cols.size(); ++i)
        Widths.Add(MaxColumnTextLength(cols[i]) + 1);

    QStringList lines;
    ExportNotification(esExportStart, SaveStartRow());
    QString text;
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        QString line;
        for (size_t i = 0; i < cols.size(); ++i) {
            GetSaveCellText(cols[i], r, text);
            const int w = std::max(0, Widths.GetInteger(int(i)));
            line += text.size() > w ? text.left(w) : text + QString(w - text.size(), u' ');
        }
        lines << line;
    }
    ExportNotification(esExportDone, -1);
    if (!platform::replaceFile(FileName, encodeText(lines, false)))
        throw EQvGridError(QStringLiteral("Cannot Create file ") + FileName);
}

void TQvStringGrid::LoadFromFixed(const QString& FileName, TIntList& Positions, bool DoTrim, int MaxRows)
{
    QStringList lines;
    if (!platform::readTextLines(FileName, lines))
        throw EQvGridError(QStringLiteral("File ") + FileName + QStringLiteral(" not found"));
    std::vector<int> pos;
    for (int i = 0; i < Positions.Count(); ++i)
        pos.push_back(Positions.GetInteger(i));
    std::sort(pos.begin(), pos.end());
    for (int i = 0; i < int(pos.size()); ++i)
        Positions.SetInteger(i, pos[i]);
    if (pos.size() < 2) {
        // No column between two positions: nothing to read.
        CellsChanged({0, 0, ColCount(), RowCount()});
        AfterCellsLoaded();
        return;
    }
    SetColCount(std::max(FixedCols() + int(pos.size()) - 1, SaveStartCol() + int(pos.size()) - 1));

    int row = SaveStartRow();
    for (qsizetype m = 0; m < lines.size(); ++m, ++row) {
        if (row >= RowCount())
            SetRowCount(row + 1);
        const QString& line = lines[m];
        for (size_t k = 1; k < pos.size(); ++k) {
            const int from = std::max(1, pos[k - 1]);
            const int length = std::max(0, pos[k] - from);
            QString text = line.mid(from - 1, length);
            if (DoTrim)
                text = text.trimmed();
            LoadCellText(SaveStartCol() + int(k) - 1, row, text);
        }
        if (MaxRows != -1 && m + 1 >= MaxRows)
            break;
    }
    CellsChanged({0, 0, ColCount(), RowCount()});
    AfterCellsLoaded();
}

} // namespace grid
