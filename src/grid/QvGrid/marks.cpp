// Highlighting, error marks, cell checks and fills: bulk rewrites of cell texts.
//
// Every cell operation covers a range of the normal area (DoFixed: the whole grid). Hidden
// columns keep their cells at their real column, after the visible ones, so a range is walked
// over the displayed columns, each mapped to its real column; the ranges that also reach the
// hidden columns ("+hidden" in the table below) walk every real column of the area instead.
// Walking raw indexes instead would take a hidden column and miss the last visible one.

#include "grid/QvGrid.h"
#include "grid/edit/qsgcheck.h"
#include "grid/markup/RizIVUDE.h"

#include <QRandomGenerator>

#include <vector>

namespace grid {

namespace {

const QString hilightTag = QStringLiteral("hi");
const QString errorTag = QStringLiteral("e");

// ---- ranges ----------------------------------------------------------------------------------

struct TSpan {
    int first = 0;
    int last = -1;
};

TSpan normalRows(const TQvStringGrid& g, bool doFixed)
{
    if (doFixed)
        return {0, g.RowCount() - 1};
    return {g.FixedRows(), g.RowCount() - g.FixedFooters() - 1};
}

// The real columns of the area: the displayed ones mapped, or with the hidden ones every real
// column up to the last one the area reaches.
std::vector<int> areaColumns(const TQvStringGrid& g, bool doFixed, bool withHidden)
{
    const int first = doFixed ? 0 : g.FixedCols();
    const int last = doFixed ? g.ColCount() - 1 : g.ColCount() - g.FixedRightCols() - 1;
    std::vector<int> cols;
    if (withHidden) {
        for (int c = first; c <= last + g.NumHiddenColumns(); ++c)
            cols.push_back(c);
    } else {
        for (int d = first; d <= last; ++d)
            cols.push_back(g.RealColIndex(d));
    }
    return cols;
}

// Which operations reach the hidden columns, with and without DoFixed. Highlighting the
// whole normal area reaches them, marking errors there does not; taking marks off always does.
enum class TArea { Row, Grid };
struct TReach {
    TArea area;
    bool unmark;
    const QString* tag; // nullptr: both tags
    bool hiddenWithFixed;
    bool hiddenWithoutFixed;
};
const TReach reaches[] = {
    {TArea::Row, false, nullptr, false, false},     {TArea::Row, true, nullptr, true, true},
    {TArea::Grid, false, &hilightTag, false, true}, {TArea::Grid, false, &errorTag, false, false},
    {TArea::Grid, true, nullptr, true, true},
};

bool reachesHidden(TArea area, bool unmark, const QString& tag, bool doFixed)
{
    for (const TReach& r : reaches)
        if (r.area == area && r.unmark == unmark && (!r.tag || *r.tag == tag))
            return doFixed ? r.hiddenWithFixed : r.hiddenWithoutFixed;
    return false;
}

// ---- marking ---------------------------------------------------------------------------------

// The text marking works on: through the display-text event when the application set one.
QString markSource(const TQvStringGrid& g, int col, int row)
{
    return g.OnGetDisplText ? g.Cells(col, row) : g.GetGridCell(col, row);
}

bool holdsTag(const QString& text, const QString& tag)
{
    return text.contains(QLatin1Char('<') + tag + QLatin1Char('>'), Qt::CaseInsensitive)
           || text.contains(QLatin1String("</") + tag + QLatin1Char('>'), Qt::CaseInsensitive);
}

// The cell text is entity-encoded first, so its own "<", ">" and "&" cannot be read as markup
// once tags are in it. Only a cell with an occurrence is rewritten: the others keep their text
// as it was, not its encoded form.
void MarkInRange(TQvStringGrid& g, const QString& tag, const QString& hiText, TSpan rows, const std::vector<int>& cols,
                 bool doCase)
{
    const QString sought = RizIVUDE::EncodeEntities(hiText, false);
    for (int r = rows.first; r <= rows.last; ++r)
        for (const int c : cols) {
            if (!g.IsBaseCell(c, r))
                continue;
            const QString encoded = RizIVUDE::EncodeEntities(markSource(g, c, r), false);
            const QString marked = RizIVUDE::MarkSearchText(encoded, sought, tag, doCase);
            if (marked != encoded)
                g.SetCells(c, r, marked);
        }
}

// The reverse: tags out first, then the entities decoded once, which gives back exactly what
// MarkInRange encoded. A cell without the tag was never marked and keeps its text, entities
// included.
void UnMarkInRange(TQvStringGrid& g, const QString& tag, TSpan rows, const std::vector<int>& cols)
{
    const QString open = QLatin1Char('<') + tag + QLatin1Char('>');
    const QString close = QLatin1String("</") + tag + QLatin1Char('>');
    for (int r = rows.first; r <= rows.last; ++r)
        for (const int c : cols) {
            if (!g.IsBaseCell(c, r))
                continue;
            QString text = markSource(g, c, r);
            if (!holdsTag(text, tag))
                continue;
            text.remove(open, Qt::CaseInsensitive);
            text.remove(close, Qt::CaseInsensitive);
            g.SetCells(c, r, RizIVUDE::DecodeEntities(text, false));
        }
}

void markInCol(TQvStringGrid& g, const QString& tag, bool doFixed, bool doCase, int col, const QString& hiText)
{
    MarkInRange(g, tag, hiText, normalRows(g, doFixed), {col}, doCase);
}

void markInRow(TQvStringGrid& g, const QString& tag, bool doFixed, bool doCase, int row, const QString& hiText)
{
    MarkInRange(g, tag, hiText, {row, row}, areaColumns(g, doFixed, reachesHidden(TArea::Row, false, tag, doFixed)),
                doCase);
}

void markInGrid(TQvStringGrid& g, const QString& tag, bool doFixed, bool doCase, const QString& hiText)
{
    MarkInRange(g, tag, hiText, normalRows(g, doFixed),
                areaColumns(g, doFixed, reachesHidden(TArea::Grid, false, tag, doFixed)), doCase);
}

void unMarkInRow(TQvStringGrid& g, const QString& tag, bool doFixed, int row)
{
    UnMarkInRange(g, tag, {row, row}, areaColumns(g, doFixed, reachesHidden(TArea::Row, true, tag, doFixed)));
}

void unMarkInGrid(TQvStringGrid& g, const QString& tag, bool doFixed)
{
    UnMarkInRange(g, tag, normalRows(g, doFixed),
                  areaColumns(g, doFixed, reachesHidden(TArea::Grid, true, tag, doFixed)));
}

// ---- checking --------------------------------------------------------------------------------

// Cells by real column; the current cell is moved and read by displayed column.
TCheckTarget checkTarget(TQvStringGrid& g)
{
    TCheckTarget t;
    t.unmarkedText = [&g](int c, int r) { return TQvStringGrid::UnMarkText(g.Cells(c, r)); };
    t.setText = [&g](int c, int r, const QString& s) { g.SetCells(c, r, s); };
    t.gotoCell = [&g](int c, int r) { g.MoveCurrentCell(g.DisplColIndex(c), r); };
    t.currentCell = [&g] { return TPoint{g.RealColIndex(g.Col()), g.Row()}; };
    return t;
}

// Checks the displayed columns of the area, each at its real column.
bool checkArea(TQvStringGrid& g, bool doFixed, TSpan rows)
{
    const int first = doFixed ? 0 : g.FixedCols();
    const int last = doFixed ? g.ColCount() - 1 : g.ColCount() - g.FixedRightCols() - 1;
    return grid::CheckCells(g.CellChecker, checkTarget(g), first, rows.first, last, rows.last,
                            [&g](int d) { return g.RealColIndex(d); });
}

// ---- fills -----------------------------------------------------------------------------------

// Every cell of the area (no hidden columns), rows outer, by real column.
template <class Text>
void fillArea(TQvStringGrid& g, bool doFixed, Text&& text)
{
    const TSpan rows = normalRows(g, doFixed);
    const std::vector<int> cols = areaColumns(g, doFixed, false);
    for (int r = rows.first; r <= rows.last; ++r)
        for (const int c : cols)
            text(c, r);
    g.AfterCellsLoaded();
}

// One conversion of a fill format: "%" ["-"] [width] ["." precision] and d, u or x.
struct TConversion {
    bool leftAlign = false;
    int width = 0;
    int precision = -1;
    bool hex = false;
};

struct TFillFormat {
    std::vector<QString> literals; // one more than conversions: before, between, after
    std::vector<TConversion> conversions;
};

// The format is read once, before any cell is written: anything but integer conversions for
// the column and the row (strings, floats, argument indexes, a third argument) is refused, so
// an application's format text never reaches a formatting call it does not fit.
TFillFormat parseFillFormat(const QString& fmt)
{
    const auto refuse = [&fmt] { return EConvertError(fmt, "format for a column and a row"); };
    TFillFormat f;
    f.literals.emplace_back();
    qsizetype i = 0;
    const auto digits = [&](int& value) {
        value = 0;
        while (i < fmt.size() && fmt[i].isDigit()) {
            value = value * 10 + fmt[i].digitValue();
            if (value > 4096)
                throw refuse();
            ++i;
        }
    };
    while (i < fmt.size()) {
        if (fmt[i] != QLatin1Char('%')) {
            f.literals.back() += fmt[i++];
            continue;
        }
        ++i;
        if (i < fmt.size() && fmt[i] == QLatin1Char('%')) {
            f.literals.back() += QLatin1Char('%');
            ++i;
            continue;
        }
        TConversion c;
        if (i < fmt.size() && fmt[i] == QLatin1Char('-')) {
            c.leftAlign = true;
            ++i;
        }
        digits(c.width);
        if (i < fmt.size() && fmt[i] == QLatin1Char('.')) {
            ++i;
            digits(c.precision);
        }
        if (i >= fmt.size())
            throw refuse();
        const QChar type = fmt[i++].toLower();
        if (type != QLatin1Char('d') && type != QLatin1Char('u') && type != QLatin1Char('x'))
            throw refuse();
        c.hex = type == QLatin1Char('x');
        if (f.conversions.size() == 2)
            throw refuse();
        f.conversions.push_back(c);
        f.literals.emplace_back();
    }
    return f;
}

QString formatConversion(const TConversion& c, int value)
{
    QString s = c.hex ? QString::number(unsigned(value), 16).toUpper() : QString::number(value);
    if (c.precision > s.size())
        s = QString(c.precision - s.size(), QLatin1Char('0')) + s;
    if (c.width > s.size())
        s = c.leftAlign ? s.leftJustified(c.width) : s.rightJustified(c.width);
    return s;
}

QString formatFill(const TFillFormat& f, int col, int row)
{
    const int args[2] = {col, row};
    QString s = f.literals[0];
    for (size_t k = 0; k < f.conversions.size(); ++k)
        s += formatConversion(f.conversions[k], args[k]) + f.literals[k + 1];
    return s;
}

} // namespace

// ---- texts -------------------------------------------------------------------------------------

QString TQvStringGrid::HilightText(bool DoCase, const QString& S, const QString& Text)
{
    return RizIVUDE::MarkSearchText(S, Text, hilightTag, DoCase);
}

QString TQvStringGrid::UnHilightText(const QString& S)
{
    return RizIVUDE::UnmarkSearchText(S, hilightTag);
}

QString TQvStringGrid::MarkText(bool DoCase, const QString& S, const QString& Text)
{
    return RizIVUDE::MarkSearchText(S, Text, errorTag, DoCase);
}

QString TQvStringGrid::UnMarkText(const QString& S)
{
    return RizIVUDE::UnmarkSearchText(S, errorTag);
}

// ---- highlights and error marks in cells -------------------------------------------------------

void TQvStringGrid::HilightInCell(bool DoCase, int Col, int Row, const QString& HiText)
{
    MarkInRange(*this, hilightTag, HiText, {Row, Row}, {Col}, DoCase);
}

void TQvStringGrid::HilightInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText)
{
    markInCol(*this, hilightTag, DoFixed, DoCase, Col, HiText);
}

void TQvStringGrid::HilightInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText)
{
    markInRow(*this, hilightTag, DoFixed, DoCase, Row, HiText);
}

void TQvStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const QString& HiText)
{
    markInGrid(*this, hilightTag, DoFixed, DoCase, HiText);
}

void TQvStringGrid::UnHilightInCell(int Col, int Row)
{
    UnMarkInRange(*this, hilightTag, {Row, Row}, {Col});
}

void TQvStringGrid::UnHilightInCol(bool DoFixed, int Col)
{
    UnMarkInRange(*this, hilightTag, normalRows(*this, DoFixed), {Col});
}

void TQvStringGrid::UnHilightInRow(bool DoFixed, int Row)
{
    unMarkInRow(*this, hilightTag, DoFixed, Row);
}

void TQvStringGrid::UnHilightInGrid(bool DoFixed)
{
    unMarkInGrid(*this, hilightTag, DoFixed);
}

void TQvStringGrid::MarkInCell(bool DoCase, int Col, int Row, const QString& HiText)
{
    MarkInRange(*this, errorTag, HiText, {Row, Row}, {Col}, DoCase);
}

void TQvStringGrid::MarkInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText)
{
    markInCol(*this, errorTag, DoFixed, DoCase, Col, HiText);
}

void TQvStringGrid::MarkInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText)
{
    markInRow(*this, errorTag, DoFixed, DoCase, Row, HiText);
}

void TQvStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const QString& HiText)
{
    markInGrid(*this, errorTag, DoFixed, DoCase, HiText);
}

void TQvStringGrid::UnMarkInCell(int Col, int Row)
{
    UnMarkInRange(*this, errorTag, {Row, Row}, {Col});
}

void TQvStringGrid::UnMarkInCol(bool DoFixed, int Col)
{
    UnMarkInRange(*this, errorTag, normalRows(*this, DoFixed), {Col});
}

void TQvStringGrid::UnMarkInRow(bool DoFixed, int Row)
{
    unMarkInRow(*this, errorTag, DoFixed, Row);
}

void TQvStringGrid::UnMarkInGrid(bool DoFixed)
{
    unMarkInGrid(*this, errorTag, DoFixed);
}

// ---- cell checks -------------------------------------------------------------------------------

bool TQvStringGrid::CheckCell(int Col, int Row)
{
    return grid::CheckCell(CellChecker, checkTarget(*this), Col, Row);
}

bool TQvStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    return grid::CheckCells(CellChecker, checkTarget(*this), FromCol, FromRow, ToCol, ToRow);
}

bool TQvStringGrid::CheckCol(bool DoFixed, int Col)
{
    const TSpan rows = normalRows(*this, DoFixed);
    return CheckCells(Col, rows.first, Col, rows.last);
}

bool TQvStringGrid::CheckRow(bool DoFixed, int Row)
{
    return checkArea(*this, DoFixed, {Row, Row});
}

bool TQvStringGrid::CheckGrid(bool DoFixed)
{
    return checkArea(*this, DoFixed, normalRows(*this, DoFixed));
}

// ---- fills -------------------------------------------------------------------------------------

void TQvStringGrid::TextFill(bool DoFixed, const QString& Txt)
{
    fillArea(*this, DoFixed, [&](int c, int r) { SetCells(c, r, Txt); });
}

void TQvStringGrid::FormatFill(bool DoFixed, const QString& Fmt)
{
    const TFillFormat format = parseFillFormat(Fmt);
    fillArea(*this, DoFixed, [&](int c, int r) { SetCells(c, r, formatFill(format, c, r)); });
}

void TQvStringGrid::RandomFill(bool DoFixed, int Rnd)
{
    // The run-time's Random(0) gives 0; a range below that has no number to give either.
    fillArea(*this, DoFixed,
             [&](int c, int r) { SetInts(c, r, Rnd > 0 ? int(QRandomGenerator::global()->bounded(Rnd)) : 0); });
}

void TQvStringGrid::LinearFill(bool DoFixed)
{
    fillArea(*this, DoFixed, [&](int c, int r) { SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r)); });
}

} // namespace grid
