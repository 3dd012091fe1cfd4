// Cell values: the display text, typed reading and writing of cell texts (integers, floats,
// dates, times), the header texts of the fixed cells, and the helpers that make and remove a
// cell's graphic.

#include "grid/QvGrid.h"
#include "grid/markup/RizIVUDE.h"
#include "grid/print/GridPrint.h"
#include "platform/Locale.h"

#include <QDate>
#include <QDateTime>
#include <QFontMetrics>
#include <QLocale>
#include <QRegularExpression>

#include <array>
#include <cmath>
#include <limits>

namespace grid {

namespace {

const QString kNoInteger = QStringLiteral("Cell does not contain integer value");
const QString kNoFloat = QStringLiteral("Cell does not contain a float value");

const QDate kDayZero(1899, 12, 30);

// The run-time's whole-number reading: leading blanks, an optional sign, decimal digits or
// hexadecimal digits after "$", "x" or "0x"; anything else (trailing blanks included) or an
// overflow fails.
bool readInteger(const QString& text, int& value)
{
    int i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool neg = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        neg = text[i++] == QLatin1Char('-');
    int base = 10;
    if (i < text.size() && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == QLatin1Char('0') && text[i + 1].toLower() == QLatin1Char('x')) {
        base = 16;
        i += 2;
    } else if (i < text.size() && text[i].toLower() == QLatin1Char('x')) {
        base = 16;
        ++i;
    }
    if (i >= text.size())
        return false;
    long long v = 0;
    for (; i < text.size(); ++i) {
        const int d = QStringLiteral("0123456789abcdef").indexOf(text[i].toLower());
        if (d < 0 || d >= base)
            return false;
        v = v * base + d;
        if (v > (long long)std::numeric_limits<int>::max() + 1)
            return false;
    }
    if (neg)
        v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return false;
    value = int(v);
    return true;
}

// A number text in the user's format turned into the plain form ("-1234.5"): leading
// characters that cannot start a number are skipped (a "-" or an opening parenthesis among them
// makes the value negative), thousands separators are dropped, the decimal separator becomes
// "." and reading stops at the first character that cannot belong to a number.
QString normalizeNumberText(const QString& s)
{
    const QChar dec = platform::decimalSeparator();
    const QChar thou = QLocale().groupSeparator().isEmpty() ? QChar() : QLocale().groupSeparator().at(0);
    auto numberChar = [&](QChar c) {
        return c.isDigit() || c == dec || c == thou || c == QLatin1Char('e') || c == QLatin1Char('E');
    };
    int i = 0;
    bool neg = false;
    while (s.size() - i > 1 && !numberChar(s[i])) {
        if (s[i] == QLatin1Char('-') || (s[i] == QLatin1Char('(') && s.trimmed().endsWith(QLatin1Char(')'))))
            neg = true;
        ++i;
    }
    QString out;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c.isDigit())
            out += c;
        else if (c == thou && thou != dec)
            continue;
        else if (c == dec)
            out += QLatin1Char('.');
        else if (c == QLatin1Char('e') || c == QLatin1Char('E'))
            out += QLatin1Char('e');
        else if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && out.endsWith(QLatin1Char('e')))
            out += c;
        else
            break;
    }
    if (neg && !out.isEmpty())
        out.prepend(QLatin1Char('-'));
    return out;
}

double readFloat(const QString& text)
{
    const QString n = normalizeNumberText(text);
    if (n.isEmpty() || n == QLatin1String("-"))
        return 0;
    bool ok = false;
    const double v = QLocale::c().toDouble(n, &ok);
    if (!ok)
        throw EQvGridError(kNoFloat);
    return v;
}

int readInts(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("-"))
        return 0;
    int v = 0;
    if (!readInteger(t, v))
        throw EQvGridError(kNoInteger);
    return v;
}

// A float format is applied only when it holds exactly one floating-point conversion and no
// other; anything else (a "%s" typed into a setting, say) would read memory that is not there.
QString formatFloat(const QString& format, double value)
{
    static const QRegularExpression one(QStringLiteral("^(?:[^%]|%%)*%[-+ #0]*\\d*(?:\\.\\d+)?[fFeEgG](?:[^%]|%%)*$"));
    const QString fmt = one.match(format).hasMatch() ? format : QStringLiteral("%g");
    QString out = QString::asprintf(fmt.toLatin1().constData(), value);
    const QChar dec = platform::decimalSeparator();
    if (dec != QLatin1Char('.'))
        out.replace(QLatin1Char('.'), dec);
    return out;
}

// The integer form beside it: one "d" conversion and nothing else, or no text at all.
bool formatInteger(const QString& format, int value, QString& out)
{
    static const QRegularExpression one(QStringLiteral("^(?:[^%]|%%)*%[-+ 0]*\\d*(?:\\.\\d+)?d(?:[^%]|%%)*$"));
    if (!one.match(format).hasMatch())
        return false;
    out = QString::asprintf(format.toLatin1().constData(), value);
    return true;
}

QDateTime toQDateTime(TDateTime value)
{
    const double days = std::floor(value);
    const double frac = value - days;
    const QDate d = kDayZero.addDays((long long)days);
    const int ms = int(std::llround(frac * 86400000.0));
    return QDateTime(d, QTime(0, 0).addMSecs(std::min(ms, 86399999)));
}

QString shortDateFormat()
{
    return QLocale().dateFormat(QLocale::ShortFormat);
}

// Times are written with their seconds; the locale's zone part is left out.
QString timeFormat()
{
    QString f = QLocale().timeFormat(QLocale::LongFormat);
    f.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    return f.trimmed();
}

// The first link of a text becomes an anchor; the rest of the text is escaped.
void linkify(QString& value)
{
    static const char* const prefixes[] = {"HTTP://", "WWW.", "MAILTO:", "HTTPS://", "NNTP://", "FILE://", "FTP://"};
    const QString upper = value.toUpper();
    for (const char* prefix : prefixes) {
        const int at = upper.indexOf(QLatin1String(prefix));
        if (at < 0)
            continue;
        int end = at;
        while (end < value.size() && !value[end].isSpace() && value[end] != QLatin1Char('<')
               && value[end] != QLatin1Char('>') && value[end] != QLatin1Char('"'))
            ++end;
        auto esc = [](QString t) {
            return t.replace(QLatin1Char('<'), QLatin1String("&lt;")).replace(QLatin1Char('>'), QLatin1String("&gt;"));
        };
        const QString link = value.mid(at, end - at);
        value = esc(value.left(at)) + QStringLiteral("<a href=\"%1\">%1</a>").arg(link) + esc(value.mid(end));
        return;
    }
}

QString escapedToLineBreaks(QString s)
{
    return s.replace(QLatin1String("\\n"), QLatin1String("\n"));
}

} // namespace

// ---- display text and cell type --------------------------------------------------------------

void TQvStringGrid::GetDisplText(int ACol, int ARow, QString& value) const
{
    TBaseGrid::GetDisplText(ACol, ARow, value);
    if (URLShowInText)
        linkify(value);
    if (Grouping.ShowGroupCount && ACol == 1) {
        auto* self = const_cast<TQvStringGrid*>(this);
        if (self->IsNode(ARow)) {
            const int n = (self->GetNodeSpan(ARow) - 1) - self->GetSubNodeCount(ARow);
            // The count format takes one integer; any other conversion would read past it.
            static const QRegularExpression one(QStringLiteral("^(?:[^%]|%%)*%[-0]?\\d*d(?:[^%]|%%)*$"));
            if (one.match(Grouping.GroupCountFormat).hasMatch())
                value += QString::asprintf(Grouping.GroupCountFormat.toLatin1().constData(), n);
            else if (!Grouping.GroupCountFormat.isEmpty())
                value += Grouping.GroupCountFormat;
            else
                value += QStringLiteral(" (%1)").arg(n);
        }
    }
}

TCellGraphic* TQvStringGrid::GetCellGraphic(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return nullptr;
    TObject* object = GetGraphicObjectEx(ACol, ARow);
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) {
        if (object && !dynamic_cast<TCellGraphic*>(object))
            return nullptr;
        // Column 0 shows a check box per row: the row's selection (row 0: all normal rows).
        FCellGraphic->FCellType = ctRowCheckBox;
        FCellGraphic->FCellTransparent = PaintSettings().ControlLook.ControlStyle() == csFlat;
        if (ARow == 0) {
            const int selected = FRowData->SelectedRows.Count();
            const int normal = RowCount() - TStringGrid::FixedRows();
            FCellGraphic->FCellBoolean = normal > 0 && selected >= normal;
            FCellGraphic->FCellAngle = selected > 0 && selected < normal ? 1 : 0;
        } else {
            FCellGraphic->FCellBoolean = GetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
            FCellGraphic->FCellAngle = 0;
        }
        return FCellGraphic.get();
    }
    return dynamic_cast<TCellGraphic*>(object);
}

TCellType TQvStringGrid::GetCellType(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return ctEmpty;
    // The cell's own graphic (or the row check box); a column grid adds its own kinds on top.
    const TCellGraphic* g = TQvStringGrid::GetCellGraphic(ACol, ARow);
    return g ? g->FCellType : ctEmpty;
}

TCellGraphic* TQvStringGrid::CreateCellGraphic(int ACol, int ARow)
{
    CheckCellIndex(ACol, ARow);
    if (auto* old = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow))) {
        SetGraphicObjectEx(ACol, ARow, nullptr);
        if (old != FCellGraphic.get())
            delete old;
    }
    auto g = std::make_unique<TCellGraphic>();
    TCellGraphic* raw = g.get();
    SetGraphicObjectEx(ACol, ARow, g.release());
    if (FNumHidden > 0 && DisplColIndex(ACol) != ACol)
        RepaintCell(DisplColIndex(ACol), ARow);
    return raw;
}

bool TQvStringGrid::RemoveCellGraphic(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    auto* g = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
    if (!g)
        return false;
    SetGraphicObjectEx(ACol, ARow, nullptr);
    if (g->FCellType != ctVirtCheckBox && g->FCellType != ctRowCheckBox && g != FCellGraphic.get())
        delete g;
    if (!destroying)
        RepaintCell(DisplColIndex(ACol), ARow);
    return true;
}

bool TQvStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType cellType)
{
    return GetCellType(ACol, ARow) == cellType && RemoveCellGraphic(ACol, ARow);
}

namespace {

// What the size of one cell's graphic depends on.
struct TGraphicSizeQuery {
    TQvStringGrid& grid;
    const TCellGraphic& g;
    int col, row;
    bool beside, stacked, hasText;
    const QFontMetrics& fm;
    bool keepWidth = false; // a full-width graphic keeps its own width
};

TPoint graphicSizeOfIcon(TGraphicSizeQuery& q)
{
    const auto* icon = dynamic_cast<const TBitmap*>(q.g.FCellIcon ? q.g.FCellIcon : q.g.FCellBitmap);
    return icon ? TPoint{q.beside || !q.hasText ? icon->Width() : 0, icon->Height()} : TPoint{};
}

TPoint graphicSizeOfBitmap(TGraphicSizeQuery& q)
{
    const auto* bmp = dynamic_cast<const TBitmap*>(q.g.FCellBitmap);
    return bmp ? TPoint{q.beside || !q.hasText ? bmp->Width() : 0, q.stacked || !q.hasText ? bmp->Height() : 0}
               : TPoint{};
}

TPoint graphicSizeOfCheck(TGraphicSizeQuery& q)
{
    const int s = q.grid.PaintSettings().ControlLook.CheckSize();
    return {s, s};
}

TPoint graphicSizeOfRadioButton(TGraphicSizeQuery& q)
{
    const int s = q.grid.PaintSettings().ControlLook.RadioSize();
    return {s, s};
}

TPoint graphicSizeOfButton(TGraphicSizeQuery& q)
{
    const TCellGraphic& g = q.g;
    TPoint size{g.FCellIndex & 0xFFFF, (g.FCellIndex >> 16) & 0xFFFF};
    if (q.hasText) {
        if (g.FCellHAlign == haCenter)
            size.X = 0;
        else if (g.FCellHAlign == haFull)
            size.X = q.fm.horizontalAdvance(g.FCellText) + 4;
        if (q.stacked)
            size.X = 0;
        else
            size.Y = 0;
    } else if (g.FCellHAlign == haFull) {
        size.X = q.fm.horizontalAdvance(g.FCellText) + 4;
        q.keepWidth = !g.FCellText.isEmpty();
    }
    return size;
}

// The picture as drawn into the cell less one pixel and the text margins.
TPoint graphicSizeOfPicture(TGraphicSizeQuery& q)
{
    const int dc = q.grid.DisplColIndex(q.col);
    const int w = (dc >= 0 && dc < q.grid.ColCount() ? q.grid.ColWidths(dc) : 0) - 1 - q.grid.XYOffset.X;
    const int h = q.grid.RowHeights(q.row) - 1 - q.grid.XYOffset.Y;
    return q.g.GetPictureSize(w, h, q.hasText);
}

TPoint graphicSizeOfImageList(TGraphicSizeQuery& q)
{
    const TCustomImageList* images = q.grid.GetCellImageList(q.col, q.row);
    if (!images)
        return {};
    const bool textBeside = q.g.FCellType == ctImageList && q.hasText;
    return {q.beside || !textBeside ? images->Width() : 0, q.stacked || !textBeside ? images->Height() : 0};
}

TPoint graphicSizeOfImages(TGraphicSizeQuery& q)
{
    const TCustomImageList* images = q.grid.GetCellImageList(q.col, q.row);
    const auto* list = dynamic_cast<const TIntList*>(q.g.FCellBitmap);
    if (!images || !list)
        return {};
    return q.g.FCellBoolean ? TPoint{images->Width() * list->Count(), images->Height()}
                            : TPoint{images->Width(), images->Height() * list->Count()};
}

TPoint graphicSizeOfInterface(TGraphicSizeQuery& q)
{
    auto* drawer = dynamic_cast<IGridCellDrawer*>(q.g.FCellBitmap);
    return drawer ? TPoint{drawer->GetWidth(), drawer->GetHeight()} : TPoint{};
}

TPoint graphicSizeOfPie(TGraphicSizeQuery&)
{
    return {20, 20};
}

TPoint graphicSizeOfRating(TGraphicSizeQuery& q)
{
    q.keepWidth = true;
    return {q.g.FCellAngle * 18, 16};
}

// A radio group: its options side by side, or stacked at least 16 pixels apart.
TPoint graphicSizeOfRadio(TGraphicSizeQuery& q)
{
    const auto* options = dynamic_cast<const TStringList*>(q.g.FCellBitmap);
    if (!options)
        return {};
    TPoint size;
    const int lineH = q.fm.height();
    if (q.g.FCellBoolean) {
        for (const QString& o : options->Strings)
            size.X += q.fm.horizontalAdvance(o) + 12;
        size.Y = lineH;
    } else {
        size.X = 12;
        for (const QString& o : options->Strings)
            size.X = std::max(size.X, q.fm.horizontalAdvance(o) + 12);
        size.Y = std::max(16, lineH) * options->Count();
    }
    return size;
}

using TGraphicSizeFn = TPoint (*)(TGraphicSizeQuery&);

// The per-kind sizes; kinds not listed take no room of their own.
TGraphicSizeFn graphicSizeFor(TCellType type)
{
    static const std::array<TGraphicSizeFn, ctExpand + 1> table = [] {
        std::array<TGraphicSizeFn, ctExpand + 1> t{};
        t[ctIcon] = graphicSizeOfIcon;
        t[ctBitmap] = graphicSizeOfBitmap;
        for (TCellType k : {ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox, ctTriStateCheckBox})
            t[k] = graphicSizeOfCheck;
        t[ctRadioButton] = graphicSizeOfRadioButton;
        t[ctButton] = graphicSizeOfButton;
        t[ctBitButton] = graphicSizeOfButton;
        t[ctPicture] = graphicSizeOfPicture;
        t[ctFilePicture] = graphicSizeOfPicture;
        t[ctImageList] = graphicSizeOfImageList;
        t[ctDataImage] = graphicSizeOfImageList;
        t[ctImages] = graphicSizeOfImages;
        t[ctInterface] = graphicSizeOfInterface;
        t[ctProgressPie] = graphicSizeOfPie;
        t[ctRating] = graphicSizeOfRating;
        t[ctRadio] = graphicSizeOfRadio;
        return t;
    }();
    return type >= 0 && std::size_t(type) < table.size() ? table[std::size_t(type)] : nullptr;
}

} // namespace

// The size a cell's graphic takes. The kinds drawn from the grid's image list (ctImages,
// ctImageList, ctDataImage) take no room while the cell has no image list; an interfaced
// object answers its own size.
TPoint TQvStringGrid::GetCellGraphicSize(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return {};
    const QFontMetrics fm(toQFont(Font()));
    TGraphicSizeQuery q{*this,
                        *g,
                        ACol,
                        ARow,
                        g->FCellHAlign == haBeforeText || g->FCellHAlign == haAfterText,
                        g->FCellVAlign == vaUnderText || g->FCellVAlign == vaAboveText,
                        !Cells(ACol, ARow).isEmpty(),
                        fm};
    const TGraphicSizeFn sizeOf = graphicSizeFor(g->FCellType);
    TPoint size = sizeOf ? sizeOf(q) : TPoint{};
    // Full alignments take the cell's height or width.
    if (g->FCellVAlign == vaFull || (g->FCellHAlign == haFull && !q.keepWidth)) {
        const TRect r = CellRect(DisplColIndex(ACol), ARow);
        if (g->FCellVAlign == vaFull)
            size.Y = r.Height();
        if (g->FCellHAlign == haFull && !q.keepWidth)
            size.X = r.Width();
    }
    return size;
}

// ---- typed access ----------------------------------------------------------------------------

QString TQvStringGrid::FormatCellNumber(int ACol, int ARow, const QString& format, const QString& raw) const
{
    try {
        // A format naming an integer takes the integer value; "1.5" has none.
        if (format.contains(QLatin1Char('d'))) {
            QString out;
            return formatInteger(format, GetInts(ACol, ARow), out) ? out : raw;
        }
        return formatFloat(format, GetFloats(ACol, ARow));
    } catch (const EQvGridError&) {
        return raw;
    }
}

QString TQvStringGrid::FormatFloatText(const QString& format, double value)
{
    return formatFloat(format, value);
}

QString TQvStringGrid::GetFloatFormat(int, int) const
{
    return FloatFormat;
}

QString TQvStringGrid::GetStrippedCell(int ACol, int ARow) const
{
    return RizIVUDE::MarkupToPlainText(Cells(ACol, ARow));
}

int TQvStringGrid::GetInts(int ACol, int ARow) const
{
    return readInts(GetStrippedCell(ACol, ARow));
}

void TQvStringGrid::SetInts(int ACol, int ARow, int value)
{
    SetCells(ACol, ARow, QString::number(value));
}

int TQvStringGrid::GetAllInts(int ACol, int ARow) const
{
    return readInts(GetCellsEx(ACol, ARow));
}

void TQvStringGrid::SetAllInts(int ACol, int ARow, int value)
{
    SetCellsEx(ACol, ARow, QString::number(value));
}

double TQvStringGrid::GetFloats(int ACol, int ARow) const
{
    return readFloat(GetStrippedCell(ACol, ARow));
}

void TQvStringGrid::SetFloats(int ACol, int ARow, double value)
{
    SetCells(ACol, ARow, formatFloat(GetFloatFormat(ACol, ARow), value));
}

double TQvStringGrid::GetAllFloats(int ACol, int ARow) const
{
    return readFloat(GetCellsEx(ACol, ARow));
}

void TQvStringGrid::SetAllFloats(int ACol, int ARow, double value)
{
    SetCellsEx(ACol, ARow, formatFloat(FloatFormat, value));
}

void TQvStringGrid::SetDates(int ACol, int ARow, TDateTime value)
{
    if (value > 0 || ShowNullDates)
        SetCells(ACol, ARow, QLocale().toString(toQDateTime(value).date(), shortDateFormat()));
    else
        SetCells(ACol, ARow, QString());
}

TDateTime TQvStringGrid::GetDates(int ACol, int ARow) const
{
    const QString text = Cells(ACol, ARow).trimmed();
    const QString format = shortDateFormat();
    QDate d = QLocale().toDate(text, format);
    if (!d.isValid())
        throw EConvertError(text, "date");
    // Two-digit years fall into the century window around today.
    if (!format.contains(QLatin1String("yyyy")) && d.year() >= 1900 && d.year() < 2000) {
        const int now = QDate::currentDate().year();
        while (d.year() < now - 50)
            d = d.addYears(100);
    }
    return double(kDayZero.daysTo(d));
}

void TQvStringGrid::SetTimes(int ACol, int ARow, TDateTime value)
{
    SetCells(ACol, ARow, QLocale().toString(toQDateTime(value).time(), timeFormat()));
}

TDateTime TQvStringGrid::GetTimes(int ACol, int ARow) const
{
    const QString text = Cells(ACol, ARow).trimmed();
    QTime t = QLocale().toTime(text, timeFormat());
    if (!t.isValid())
        t = QLocale().toTime(text, QLocale::ShortFormat);
    if (!t.isValid())
        throw EConvertError(text, "time");
    return t.msecsSinceStartOfDay() / 86400000.0;
}

// ---- headers ---------------------------------------------------------------------------------

void TQvStringGrid::ShowColumnHeaders()
{
    if (FixedRows() <= 0)
        return;
    for (int i = 0; i < FColumnHeaders.size() && i < TotalColCount(); ++i)
        SetCells(i, 0, escapedToLineBreaks(FColumnHeaders[i]));
}

void TQvStringGrid::ClearColumnHeaders()
{
    for (int c = 0; c < ColCount(); ++c)
        SetCells(c, 0, QString());
}

void TQvStringGrid::ShowRowHeaders()
{
    if (FixedCols() <= 0)
        return;
    for (int i = 0; i < FRowHeaders.size() && i < RowCount(); ++i)
        SetCells(0, i, escapedToLineBreaks(FRowHeaders[i]));
}

void TQvStringGrid::ClearRowHeaders()
{
    for (int r = 0; r < RowCount(); ++r)
        SetCells(0, r, QString());
}

void TQvStringGrid::ColumnHeadersChanged()
{
    UpdateColumnHeaders();
    ShowColumnHeaders();
}

void TQvStringGrid::RowHeadersChanged()
{
    ShowRowHeaders();
}

void TQvStringGrid::SetColumnHeaders(const QStringList& value)
{
    FColumnHeaders = value;
    ColumnHeadersChanged();
    if (FixedRows() > 0)
        ClearColumnHeaders();
    ShowColumnHeaders();
}

void TQvStringGrid::SetRowHeaders(const QStringList& value)
{
    FRowHeaders = value;
    RowHeadersChanged();
    if (designing)
        ClearRowHeaders();
    ShowRowHeaders();
}

void TQvStringGrid::SetFixedFont(const TFont& value)
{
    FFixedFont = value;
    Invalidate();
}

void TQvStringGrid::SetLookupItems(const QStringList* value)
{
    if (value)
        FLookupItems = *value;
}

namespace {

// An entry of the printer's width or edge table. The tables grow with the column count, so the
// columns 0..511 always answer (0 before a run) and wider grids answer as far as the last run's
// tables reach.
int printTableEntry(const std::vector<int>& table, int ACol, int limit)
{
    if (ACol < 0 || (ACol >= limit && std::size_t(ACol) >= table.size()))
        throw EQvGridError(QStringLiteral("Columns is not in valid range"));
    return std::size_t(ACol) < table.size() ? table[std::size_t(ACol)] : 0;
}

} // namespace

int TQvStringGrid::GetPrintColWidth(int ACol)
{
    return printTableEntry(Printer().MaxWidths, ACol, MaxHideColumns);
}

int TQvStringGrid::GetPrintColOffset(int ACol)
{
    return printTableEntry(Printer().Indents, ACol, MaxHideColumns);
}

QString TQvStringGrid::CurrentCell() const
{
    const TPoint b = BaseCell(Col(), Row());
    return GetGridCell(b.X, b.Y);
}

void TQvStringGrid::SetCurrentCell(const QString& value)
{
    const TPoint b = BaseCell(Col(), Row());
    SetCellEx(b.X, b.Y, value);
}

QString TQvStringGrid::CurrentCellDisplayText() const
{
    const TPoint b = BaseCell(Col(), Row());
    return GetCellEx(b.X, b.Y);
}

void TQvStringGrid::SetCurrentEditText(const QString& value)
{
    const TPoint b = BaseCell(Col(), Row());
    SetEditText(b.X, b.Y, value);
}

} // namespace grid
