// Pasting into the grid: the private cell block when the grid takes it, else rich text, else
// text parsed at line breaks and TABs; and the selection paste's fill of one value or a series.

#include "grid/QvGrid.h"
#include "grid/clipboard/ClipboardText.h"
#include "grid/io/BinStreamRect.h"
#include "grid/look/ZirAzur.h"

#include "platform/Clipboard.h"
#include "platform/ComponentStream.h"
#include "platform/Locale.h"

#include <QBuffer>
#include <QDateTime>
#include <QLocale>

#include <cmath>

namespace grid {

using namespace ZirAzur;

namespace {

const QDate kDateBase(1899, 12, 30);

TDateTime toDateTime(const QDateTime& dt)
{
    return double(kDateBase.daysTo(dt.date())) + dt.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime fromDateTime(TDateTime v)
{
    const double days = std::floor(v);
    return QDateTime(kDateBase.addDays(qint64(days)),
                     QTime::fromMSecsSinceStartOfDay(int(std::lround((v - days) * 86400000.0)) % 86400000));
}

// The locale's date-time conversion: date and time, date alone, or time alone.
bool localeDateTime(const QString& text, TDateTime& value)
{
    const QLocale loc;
    const QString t = text.trimmed();
    for (const QString& fmt : {loc.dateTimeFormat(QLocale::ShortFormat), loc.dateFormat(QLocale::ShortFormat)}) {
        QDateTime dt = loc.toDateTime(t, fmt);
        if (!dt.isValid()) {
            const QDate d = loc.toDate(t, fmt);
            if (d.isValid())
                dt = QDateTime(d, QTime(0, 0));
        }
        if (dt.isValid()) {
            value = toDateTime(dt);
            return true;
        }
    }
    for (const QString& fmt : {loc.timeFormat(QLocale::ShortFormat), loc.timeFormat(QLocale::LongFormat)}) {
        const QTime tm = loc.toTime(t, fmt);
        if (tm.isValid()) {
            value = tm.msecsSinceStartOfDay() / 86400000.0;
            return true;
        }
    }
    return false;
}

} // namespace

TPoint TQvStringGrid::MeasureTextBlock(const QString& text)
{
    int widest = 0;
    int rows = 0;
    const QStringList lines =
        QString(text).replace(QLatin1String("\r\n"), QLatin1String("\r")).split(QLatin1Char('\r'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        widest = std::max(widest, int(lines.at(i).count(QLatin1Char('\t'))) + 1);
        if (i > 0 && !lines.at(i).isEmpty())
            ++rows;
    }
    return {widest, rows};
}

void TQvStringGrid::StorePastedCell(int ACol, int ARow, const QString& value)
{
    // ACol is displayed, as the paste walks the grid; the cell and the undo record (real
    // column and row) are the real ones, so a hidden column is never written by a paste.
    const int col = RealColIndex(ACol);
    if (VOreRizeZuvuZira* undo = UndoRedo())
        undo->RegisterChange(col, RealRowIndex(ARow), Cells(col, ARow), value);
    if (HasCheckBox(col, ARow)) {
        QString checkTrue;
        GetCheckTrue(col, ARow, checkTrue);
        SetCheckBoxState(col, ARow, value == checkTrue);
    } else {
        SetCells(col, ARow, value);
    }
    if (NumHiddenColumns() > 0)
        RepaintCell(ACol, ARow);
}

void TQvStringGrid::ClipboardCellsPasted(TPoint, const TRect& target, TClipOperation)
{
    for (int r = target.Top; r <= target.Bottom; ++r)
        markRowModified(r);
}

// The paste hooks' pair around a block paste, closed also when the block fails to read.
struct TQvStringGrid::ClipboardPasteFrame {
    TQvStringGrid& g;
    explicit ClipboardPasteFrame(TQvStringGrid& grid) : g(grid) { g.BeginClipboardPaste(); }
    ~ClipboardPasteFrame() { g.EndClipboardPaste(); }
    ClipboardPasteFrame(const ClipboardPasteFrame&) = delete;
    ClipboardPasteFrame& operator=(const ClipboardPasteFrame&) = delete;
};

int TQvStringGrid::pasteGridCells(int c, int r, TPasteResult& res)
{
    const ClipboardPasteFrame frame(*this);
    const QByteArray block = platform::clipboardData(gridCellsClipboardMime());
    // Read before the grid grows: a block from another process is held to its own size.
    const TBinStreamRect h = ReadBinStreamRect(block);
    TNavigation& nav = Navigation();
    const bool insert = nav.ClipboardPasteAction() == paInsert;
    res.Cols = h.ColCount;
    res.Rows = h.RowCount;
    if (nav.AllowClipboardRowGrow() || nav.AllowClipboardColGrow() || insert) {
        if (nav.AllowClipboardColGrow() && h.ColCount + c >= ColCount()) {
            SetColCount(h.ColCount + c);
            res.Cols = ColCount();
        }
        if (nav.AllowClipboardRowGrow() && h.RowCount + r >= RowCount()) {
            SetRowCount(h.RowCount + r);
            res.Rows = RowCount();
        }
        if (insert && h.RowCount > 0)
            InsertRows(r, h.RowCount);
    }
    QBuffer buf;
    buf.setData(block);
    buf.open(QIODevice::ReadOnly);
    LoadAtPointFromBinStream({c, r}, buf);
    const TRect target{c, r, c + h.ColCount - 1, r + h.RowCount - 1};
    ClipboardCellsPasted(h.ID == GridID() ? ClipTopLeft : TPoint{-1, -1}, target, ClipLastOp);
    return h.ColCount * h.RowCount;
}

TQvStringGrid::TPasteResult TQvStringGrid::PasteClipboardAt(int ACol, int ARow)
{
    TPasteResult res;
    TNavigation& nav = Navigation();
    if (AcceptsGridCellsFormat() && platform::clipboardHas(gridCellsClipboardMime())) {
        res.Fields = pasteGridCells(ACol, ARow, res);
    } else if (nav.AllowRTFClipboard() && platform::clipboardHas(platform::kClipboardRtfMime)) {
        const QString rtf = QString::fromLatin1(platform::clipboardData(platform::kClipboardRtfMime));
        if (IsEditable(ACol, ARow))
            StorePastedCell(ACol, ARow, rtf.left(rtf.indexOf(QChar(0))));
        res.Rows = res.Cols = 1;
    } else {
        const QString text = platform::clipboardText();
        if (!text.isEmpty())
            res = PasteTextBlock(ACol, ARow, text);
    }
    return res;
}

TQvStringGrid::TPasteResult TQvStringGrid::PasteTextBlock(int ACol, int ARow, const QString& text)
{
    TPasteResult res;
    TNavigation& nav = Navigation();
    if (ACol < 0 || ARow < 0)
        return res;
    if (!(Options() & goEditing) && !nav.AllowClipboardAlways() && !MouseActions().RangeSelectAndEdit())
        return res;
    VOreRizeZuvuZira* undo = UndoRedo();
    if (undo)
        undo->StartSequence();
    const bool insert = nav.ClipboardPasteAction() == paInsert;
    const bool always = nav.AllowClipboardAlways();
    const bool footerRow = FloatingFooter.Visible() && FloatingFooter.FooterStyle() == fsFixedLastRow;
    int r = ARow;
    int maxCol = ACol - 1, maxRow = ARow - 1;
    const qsizetype n = text.size();
    qsizetype i = 0;
    for (;;) {
        qsizetype end = i;
        while (end < n && text.at(end) != QLatin1Char('\r'))
            ++end;
        const QString line = text.mid(i, end - i);
        const bool lastLine = end >= n;
        i = end + 1;
        if (i < n && text.at(i) == QLatin1Char('\n'))
            ++i;
        // The empty line after a final line break holds no column: counted as one, a copied
        // block of several columns would read as a single column and be pasted again beside
        // itself, over cells outside the selection.
        const bool emptyAfterBreak = lastLine && line.isEmpty() && res.Rows > 0;
        ++res.Rows;
        ImportNotification(PasteAll ? isImportNewRow : isImportSelRow, r);
        if (!line.isEmpty() && insert)
            InsertRows(r, 1);
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (!emptyAfterBreak)
            res.Cols = 0;
        int c = ACol;
        for (qsizetype f = 0; f < fields.size(); ++f, ++c) {
            if (!emptyAfterBreak)
                ++res.Cols;
            ++res.Fields;
            QString field = fields.at(f);
            const bool tabEnded = f < fields.size() - 1;
            if (lastLine && !tabEnded && field.isEmpty())
                continue;
            if (field.contains(QLatin1Char('\n')))
                field = unquotePastedField(field);
            if (nav.AllowClipboardColGrow() && c >= ColCount())
                SetColCount(c + 1);
            if (c >= ColCount() || r >= RowCount() || !(always || IsEditable(c, r)))
                continue;
            bool allow = true;
            const bool wide = field.startsWith(QLatin1String("|\\"));
            if (wide) {
                QString decoded = DecodeWideCellText(field);
                if (OnClipboardBeforePasteWideCell)
                    OnClipboardBeforePasteWideCell(this, c, r, decoded, allow);
                field = EncodeWideCellText(decoded);
            } else if (OnClipboardBeforePasteCell) {
                OnClipboardBeforePasteCell(this, c, r, field, allow);
            }
            if (!allow)
                continue;
            StorePastedCell(c, r, field);
            maxCol = std::max(maxCol, c);
            maxRow = std::max(maxRow, r);
            if (wide) {
                if (tabEnded && OnClipboardAfterPasteWideCell)
                    OnClipboardAfterPasteWideCell(this, c, r, DecodeWideCellText(field));
            } else if (OnClipboardAfterPasteCell) {
                OnClipboardAfterPasteCell(this, c, r, field);
            }
        }
        if (lastLine)
            break;
        ++r;
        if (r == RowCount() - (footerRow ? 1 : 0) && i < n && nav.AllowClipboardRowGrow())
            SetRowCount(RowCount() + 1);
    }
    if (undo)
        undo->StopSequence();
    const TRect target{ACol, ARow, maxCol, maxRow};
    ClipboardCellsPasted(ClipTopLeft, target, ClipLastOp);
    CellsChanged({RealColFromDispl(ACol), ARow, RealColFromDispl(std::max(ACol, maxCol)), maxRow});
    return res;
}

// The import notifications and the after-load hook around a paste, on every way out.
struct TQvStringGrid::PasteFrame {
    TQvStringGrid& g;
    PasteFrame(TQvStringGrid& grid, bool all) : g(grid)
    {
        g.ImportNotification(isImportStart, -1);
        g.PasteAll = all;
    }
    ~PasteFrame()
    {
        g.PasteAll = false;
        g.ImportNotification(isImportDone, -1);
        g.AfterCellsLoaded();
    }
    PasteFrame(const PasteFrame&) = delete;
    PasteFrame& operator=(const PasteFrame&) = delete;
};

void TQvStringGrid::PasteFromClipboard()
{
    const PasteFrame frame(*this, true);
    PasteClipboardAt(SaveStartCol(), SaveStartRow());
}

// The one-cell rectangle a fill wrote, handed to the paste hook.
void TQvStringGrid::fillCell(int c, int r, const QString& value, bool always)
{
    if (!always && !IsEditable(c, r))
        return;
    const TGridRect sel = Selection();
    QString v = value;
    bool allow = true;
    const bool topLeft = c == sel.Left && r == sel.Top;
    if (!topLeft && OnClipboardBeforePasteCell)
        OnClipboardBeforePasteCell(this, c, r, v, allow);
    if (!allow)
        return;
    StorePastedCell(c, r, v);
    if (!topLeft && OnClipboardAfterPasteCell)
        OnClipboardAfterPasteCell(this, c, r, v);
    ClipboardCellsPasted({sel.Left, sel.Top}, TRect{c, r, c, r}, coCopy);
}

// Continues dates, decimals or integers from the first two cells; false for a text series.
bool TQvStringGrid::seriesFill(int)
{
    const TGridRect sel = Selection();
    const bool column = sel.Left == sel.Right;
    const QString first = Cells(sel.Left, sel.Top);
    const QString second = column ? Cells(sel.Left, sel.Top + 1) : Cells(sel.Left + 1, sel.Top);
    std::vector<TPoint> cells;
    for (int c = sel.Left; c <= sel.Right; ++c)
        for (int r = sel.Top; r <= sel.Bottom; ++r)
            cells.push_back({c, r});
    const QChar timeSep = platform::timeSeparator();
    const QChar dateSep = platform::dateSeparator();
    if ((LooksLikeDate(first) && LooksLikeDate(second)) || (first.contains(timeSep) && second.contains(timeSep))) {
        TDateTime a = 0, b = 0;
        if (!localeDateTime(first, a) || !localeDateTime(second, b))
            return true;
        const QDate da = fromDateTime(a).date(), db = fromDateTime(b).date();
        const short years = short(db.year() - da.year()), months = short(db.month() - da.month()),
                    days = short(db.day() - da.day());
        const bool asDate = first.contains(dateSep);
        const QLocale loc;
        TDateTime v = a;
        for (const TPoint& p : cells) {
            const QDateTime dt = fromDateTime(v);
            fillCell(p.X, p.Y,
                     asDate ? loc.toString(dt.date(), QLocale::ShortFormat)
                            : loc.toString(dt.time(), QLocale::ShortFormat),
                     false);
            try {
                v = ShiftDate(years, months, days, b - a, v);
            } catch (...) {
                break; // a stepped date that does not exist ends the series
            }
        }
    } else if (first.contains(platform::decimalSeparator()) || second.contains(platform::decimalSeparator())) {
        const QLocale loc;
        bool okA = false, okB = false;
        const double a = loc.toDouble(first, &okA), b = loc.toDouble(second, &okB);
        if (!okA || !okB)
            return true;
        double v = a;
        for (const TPoint& p : cells) {
            fillCell(p.X, p.Y, FormatFloatText(FloatFormat, v), false);
            v += b - a;
        }
    } else {
        bool okA = false, okB = false;
        const qint64 a = first.trimmed().toLongLong(&okA), b = second.trimmed().toLongLong(&okB);
        if (!okA || !okB)
            return false;
        qint64 v = a;
        for (const TPoint& p : cells) {
            fillCell(p.X, p.Y, QString::number(v), false);
            v += b - a;
        }
    }
    CellsChanged(TRect{sel.Left, sel.Top, sel.Right, sel.Bottom});
    return true;
}

// Repeats the pasted block of n - 1 cells down the column or along the row.
void TQvStringGrid::textSeriesFill(int n)
{
    const TGridRect sel = Selection();
    if (sel.Left == sel.Right) {
        for (int r = sel.Top + n - 1; r <= sel.Bottom; ++r)
            SetCells(sel.Left, r, Cells(sel.Left, r - (n - 1)));
        ClipboardCellsPasted({sel.Left, sel.Top}, TRect{sel.Left, sel.Top + n - 1, sel.Left, sel.Bottom}, coCopy);
    } else {
        for (int c = sel.Left + n - 1; c <= sel.Right; ++c)
            SetCells(c, sel.Top, Cells(c - (n - 1), sel.Top));
        ClipboardCellsPasted({sel.Left, sel.Top}, TRect{sel.Left + n - 1, sel.Top, sel.Right, sel.Top}, coCopy);
    }
}

void TQvStringGrid::smartFill(int n)
{
    const TGridRect sel = Selection();
    const int cells = (sel.Right - sel.Left + 1) * (sel.Bottom - sel.Top + 1);
    if (n == 1 && cells > 1) {
        QString value = Cells(sel.Left, sel.Top);
        bool state = false;
        if (HasCheckBox(sel.Left, sel.Top) && GetCheckBoxState(sel.Left, sel.Top, state)) {
            if (state)
                GetCheckTrue(sel.Left, sel.Top, value);
            else
                GetCheckFalse(sel.Left, sel.Top, value);
        }
        const bool always = Navigation().AllowClipboardAlways();
        for (int c = sel.Left; c <= sel.Right; ++c)
            for (int r = sel.Top; r <= sel.Bottom; ++r)
                fillCell(c, r, value, always);
        return;
    }
    if (n > 1 && (sel.Left == sel.Right || sel.Top == sel.Bottom)) {
        if (!seriesFill(n))
            textSeriesFill(n);
    }
}

void TQvStringGrid::PasteSelectionFromClipboard()
{
    const PasteFrame frame(*this, false);
    ExtendSelectionToMerges();
    const TGridRect sel = Selection();
    const int left = (Options() & goRowSelect) ? FixedCols() : sel.Left;
    const TPasteResult res = PasteClipboardAt(left, sel.Top);
    if (!Navigation().AllowSmartClipboard())
        return;
    const int cells = (sel.Right - sel.Left + 1) * (sel.Bottom - sel.Top + 1);
    if (res.Fields == cells + 1)
        return;
    {
        const ClipboardPasteFrame fill(*this);
        smartFill(res.Fields);
    }
    const bool block = sel.Right > sel.Left && sel.Bottom > sel.Top;
    if (block && res.Rows == 1) {
        for (int r = sel.Top + 1; r <= sel.Bottom; ++r)
            PasteClipboardAt(left, r);
        SetSelection(sel);
    } else if (block && res.Cols == 1) {
        for (int c = sel.Left + 1; c <= sel.Right; ++c)
            PasteClipboardAt(c, sel.Top);
        SetSelection(sel);
    }
    CellsChanged(TRect{sel.Left, sel.Top, sel.Right, sel.Bottom});
}

void TQvStringGrid::PasteCellText(int ACol, int ARow, const QString& value)
{
    if (UndoRedo())
        UndoRedo()->RegisterChange(ACol, RealRowIndex(ARow), Cells(ACol, ARow), value);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && (g->FCellType == ctCheckBox || g->FCellType == ctTriStateCheckBox)) {
        if (g->FCellType == ctCheckBox)
            g->FCellBoolean = value == CheckTrue;
        else
            g->FCellCheckBoxState = value == CheckTrue ? cbChecked : cbUnchecked;
    } else {
        SetCellEx(ACol, ARow, value);
    }
    RepaintCell(DisplColIndex(ACol), ARow);
}

} // namespace grid
