// Copy and cut to the system clipboard, and the selection as text. A copy builds every format
// it places (text, rich text, the private cell block) first and hands them over together, so
// the clipboard never holds the formats of two copies side by side.

#include "grid/QvCGrid.h"
#include "grid/QvGrid.h"
#include "grid/clipboard/ClipboardText.h"
#include "grid/look/ZirAzur.h"

#include "platform/Clipboard.h"
#include "platform/RichText.h"
#include "platform/TextCodec.h"

#include <QBuffer>

namespace grid {

using namespace ZirAzur;

namespace {

// The private block's mime type: the registered one, or the same name before the unit starts.
QString gridCellsMime()
{
    const QString& registered = GridRegistrations().GridCellsClipboardFormat;
    return registered.isEmpty() ? QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(GridCellsFormatName)
                                : registered;
}

} // namespace

QString gridCellsClipboardMime()
{
    return gridCellsMime();
}

QString unquotePastedField(QString field)
{
    if (field.startsWith(QLatin1Char('"')))
        field.remove(0, 1);
    const qsizetype quote = field.indexOf(QLatin1Char('"'));
    if (quote >= 0 && quote == field.size() - 1)
        field.chop(1);
    return VTabToLineBreaks(field);
}

void TQvStringGrid::ExtendSelectionToMerges()
{
    const TGridRect sel = Selection();
    TGridRect r = sel;
    if (IsMergedCell(sel.Left, sel.Top)) {
        const TPoint base = BaseCell(sel.Left, sel.Top);
        r.Left = std::min(r.Left, base.X);
        r.Top = std::min(r.Top, base.Y);
    }
    if (IsMergedCell(sel.Right, sel.Bottom)) {
        const TPoint base = BaseCell(sel.Right, sel.Bottom);
        const TPoint span = CellSpan(base.X, base.Y);
        r.Right = std::max(r.Right, base.X + span.X);
        r.Bottom = std::max(r.Bottom, base.Y + span.Y);
    }
    if (!(r == sel))
        SetSelection(r);
}

// One field of the text form: the steps run in the order the clipboard readers expect.
QString TQvStringGrid::rangeField(int c, int r)
{
    QString s;
    GetSaveCellText(RealColFromDispl(c), r, s);
    if (s.startsWith(QLatin1String("|\\")))
        s = DecodeWideCellText(s);
    if (s.contains(QLatin1Char('\r')))
        // A CR LF pair is one line break: turning each CR into LF alone would add empty lines.
        s = QLatin1Char('"') + CRToLF(CrLfToLf(s)) + QLatin1Char('"');
    if (!Navigation().CopyHTMLTagsToClipboard() && s.contains(QLatin1String("</")))
        s = GetStrippedCell(c, r);
    else if (s.contains(QLatin1String("{\\")))
        s = platform::rtfToPlainText(s);
    if (ExcelClipboardFormat && CountTextLines(s, true) > 1)
        s = QuoteMultilineField(s);
    return s;
}

QString TQvStringGrid::RangeToText(const TGridRect& range, bool selectedOnly)
{
    ClipTopLeft = {range.Left, range.Top};
    ExportNotification(esExportStart, -1);
    TMouseActions& ma = MouseActions();
    auto rowTaken = [&](int r) {
        if (!selectedOnly)
            return true;
        const bool selected = GetRowSelect(ma.RowSelectPersistent() ? RealRowIndex(r) : r);
        return selected || !ma.DisjunctRowSelect() || ma.DisjunctColSelect();
    };
    auto colTaken = [&](int c) { return !selectedOnly || GetColSelect(c) || !ma.DisjunctColSelect(); };
    const bool partial = range.Top > FixedRows() || range.Bottom < RowCount() - FFixedFooters - 1;
    for (int r = range.Top; r <= range.Bottom; ++r)
        ExportNotification(partial ? esExportSelRow : esExportNewRow, r);
    QString text;
    for (int r = range.Top; r <= range.Bottom; ++r) {
        ExportNotification(esExportNewRow, r);
        if (!rowTaken(r))
            continue;
        for (int c = range.Left; c <= range.Right; ++c) {
            if (colTaken(c))
                text += rangeField(c, r);
            if (c < range.Right)
                text += QLatin1Char('\t');
        }
        if (range.Bottom > range.Top)
            text += QLatin1String("\r\n");
    }
    ExportNotification(esExportDone, -1);
    return text;
}

void TQvStringGrid::CopyRangeToClipboard(const TGridRect& range, bool selectedOnly)
{
    platform::ClipboardSet set;
    set.text = RangeToText(range, selectedOnly);
    if (Navigation().AllowRTFClipboard()) {
        const QString rtf = Cells(range.Left, range.Top);
        // Rich text is 8-bit by definition; non-ASCII goes as its escapes inside the text.
        if (rtf.contains(QLatin1String("{\\")))
            set.formats.emplace_back(platform::kClipboardRtfMime, rtf.toLatin1());
    }
    if (Navigation().AllowFmtClipboard()) {
        QBuffer buf;
        buf.open(QIODevice::WriteOnly);
        SaveRectToBinStream(range, buf);
        set.formats.emplace_back(gridCellsMime(), buf.data());
    }
    platform::setClipboard(set);
}

void TQvStringGrid::CopySelectionToClipboard()
{
    ExtendSelectionToMerges();
    TMouseActions& ma = MouseActions();
    const bool fmt = Navigation().AllowFmtClipboard();
    if (ma.DisjunctRowSelect() && !fmt)
        CopyRangeToClipboard({FixedCols(), SaveStartRow(), ColCount() - FFixedRightCols - 1, SaveEndRow()}, true);
    else if (ma.DisjunctColSelect() && !fmt)
        CopyRangeToClipboard({SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, true);
    else
        CopyRangeToClipboard(Selection(), false);
    ClipLastOp = coCopy;
}

void TQvStringGrid::CopyToClipBoard()
{
    CopyRangeToClipboard({SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, false);
    ClipLastOp = coCopy;
}

// Empties the editable cells of the range (all with AllowClipboardAlways) as one undo step.
void TQvStringGrid::cutCells(const TGridRect& range, bool freeProperties)
{
    VOreRizeZuvuZira* undo = UndoRedo();
    if (undo)
        undo->StartSequence();
    const bool always = Navigation().AllowClipboardAlways();
    for (int r = range.Top; r <= range.Bottom; ++r) {
        for (int c = range.Left; c <= range.Right; ++c) {
            if (!always && !IsEditable(c, r))
                continue;
            // The range is displayed; cells and undo records are real.
            const int col = RealColIndex(c);
            if (undo)
                undo->RegisterChange(col, RealRowIndex(r), Cells(col, r), QString());
            SetCells(col, r, QString());
            if (freeProperties)
                FreeCellProperties(col, r);
        }
        markRowModified(r);
    }
    if (undo)
        undo->StopSequence();
}

void TQvStringGrid::CutSelectionToClipboard()
{
    const TGridRect sel = Selection();
    CopySelectionToClipboard();
    TMouseActions& ma = MouseActions();
    if (ma.DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r) {
            if (!GetRowSelect(ma.RowSelectPersistent() ? RealRowIndex(r) : r))
                continue;
            ClearRows(r, 1);
            markRowModified(r);
        }
    } else if (ma.DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (GetColSelect(c))
                ClearCols(c, 1);
    } else {
        cutCells(Selection(), Navigation().AllowFmtClipboard());
    }
    ClipLastOp = coCut;
    CellsChanged({sel.Left, sel.Top, sel.Right, sel.Bottom});
    if (NumHiddenColumns() > 0)
        Invalidate();
}

void TQvStringGrid::CutToClipboard()
{
    const TGridRect range{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()};
    CopyRangeToClipboard(range, false);
    cutCells(range, false);
    ClipLastOp = coCut;
}

void TQvStringGrid::CopyToClipBoardAsHTML()
{
    // No folder for pictures: the copy must not leave image files behind.
    FHtmlWithoutPictures = true;
    QString html;
    try {
        html = SaveToHTMLString();
    } catch (...) {
        FHtmlWithoutPictures = false;
        throw;
    }
    FHtmlWithoutPictures = false;
    QString wrapped = html;
    WrapClipboardHtml(wrapped);
    platform::ClipboardSet set;
    set.text = wrapped;
    // The "text/html" bytes are UTF-8; a fragment that does not say so is read as Latin-1 by
    // HTML parsers, which garbles every non-ASCII character.
    set.formats.emplace_back(platform::kClipboardHtmlMime,
                             QByteArrayLiteral("<meta charset=\"utf-8\">") + html.toUtf8());
    set.formats.emplace_back(platform::kClipboardHtmlFormatMime, platform::toAnsi(wrapped));
    platform::setClipboard(set);
}

QString TQvStringGrid::GetSelectionAsText()
{
    return RangeToText(Selection(), false);
}

void TQvStringGrid::SetSelectionAsText(const QString& value)
{
    const TGridRect sel = Selection();
    int c = sel.Left;
    int r = sel.Top;
    int maxCol = c;
    const qsizetype n = value.size();
    qsizetype i = 0;
    while (i < n) {
        qsizetype end = i;
        while (end < n && value.at(end) != QLatin1Char('\r'))
            ++end;
        const QStringList fields = value.mid(i, end - i).split(QLatin1Char('\t'));
        i = end;
        if (i < n) {
            ++i;
            if (i < n && value.at(i) == QLatin1Char('\n'))
                ++i;
        }
        const bool lastLine = i >= n;
        for (qsizetype f = 0; f < fields.size(); ++f) {
            QString field = fields.at(f);
            if (lastLine && f == fields.size() - 1 && field.isEmpty())
                break;
            if (field.contains(QLatin1Char('\n')))
                field = unquotePastedField(field);
            if (c >= ColCount())
                SetColCount(c + 1);
            SetGridCell(c, r, field);
            maxCol = std::max(maxCol, c);
            ++c;
        }
        if (lastLine)
            break;
        c = sel.Left;
        ++r;
        const bool footerRow = FloatingFooter.Visible() && FloatingFooter.FooterStyle() == fsFixedLastRow;
        if (r == RowCount() - (footerRow ? 1 : 0))
            SetRowCount(RowCount() + 1);
    }
    CellsChanged({RealColFromDispl(sel.Left), sel.Top, RealColFromDispl(maxCol), r});
}

} // namespace grid
