// Column and row calculations over the cells' numbers: sum, average, minimum, maximum,
// standard deviation, distinct texts and the application's own. The footer row and the group
// calculations call them.
//
// A range may reach beyond the displayed rows (the footer counting hidden rows): it then
// counts in the full row space, reading hidden rows from the hidden-row store. Minimum and
// maximum start from the first row that takes part, so a node, summary or covered cell at the
// top of the range neither decides the result nor stops the calculation.

#include "grid/QvGrid.h"

#include <QSet>

#include <cmath>
#include <optional>

namespace grid {

struct TQvStringGrid::TCalcRange {
    int from = 0;
    int to = -1;
    bool full = false; // rows are real rows (hidden rows included)
};

TQvStringGrid::TCalcRange TQvStringGrid::calcRange(int ACol, int FromRow, int ToRow)
{
    (void)ACol;
    TCalcRange range;
    if (FromRow == -1 || ToRow == -1) {
        FromRow = FixedRows();
        ToRow = RowCount() - FFixedFooters - 1;
    }
    range.from = FromRow;
    range.to = ToRow;
    // A visible footer is the last displayed row: a range that reaches it is meant in the
    // full row space (the footer counting hidden rows), never as the footer itself.
    range.full = FloatingFooter.Visible() ? ToRow >= RowCount() - 1 : ToRow > RowCount();
    return range;
}

// The row's number, or nothing when its cell holds none.
double TQvStringGrid::calcValue(const TCalcRange& range, int ACol, int row) const
{
    return range.full ? GetAllFloats(ACol, row) : GetFloats(ACol, row);
}

namespace {

// Walks the rows of a range that take part, calling f(value) for each readable number.
template <class F>
void forEachCounted(TQvStringGrid& g, int ACol, int from, int to, bool full, F&& f)
{
    g.ExportNotification(esExportStart, from);
    for (int r = from; r <= to; ++r) {
        // A hidden row takes part whatever it is: its look cannot be asked.
        if (!(full && g.IsHiddenRow(r))) {
            const int shown = full ? g.DisplRowIndex(r) : r;
            if (shown < 0 || shown >= g.RowCount())
                continue;
            if (g.IsMergedNonBaseCell(ACol, shown))
                continue;
            if (g.GroupColumn() != -1 && (g.IsNode(shown) || g.IsSummary(shown)))
                continue;
        }
        try {
            const double v = full ? g.GetAllFloats(ACol, r) : g.GetFloats(ACol, r);
            g.ExportNotification(esExportNextRow, r);
            f(v);
        } catch (const EQvGridError&) {
            // a cell without a number counts as nothing
        }
    }
    g.ExportNotification(esExportDone, -1);
}

} // namespace

double TQvStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
    const TCalcRange range = calcRange(ACol, FromRow, ToRow);
    double sum = 0;
    forEachCounted(*this, ACol, range.from, range.to, range.full, [&sum](double v) { sum += v; });
    return sum;
}

double TQvStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
    const TCalcRange range = calcRange(ACol, FromRow, ToRow);
    if (range.to < range.from)
        return 0;
    // Every row of the range counts in the divisor, whether it held a number or not.
    return ColumnSum(ACol, range.from, range.to) / double(range.to - range.from + 1);
}

// The smallest or largest number among the rows that take part; 0 when none does.
double TQvStringGrid::columnExtreme(int ACol, int FromRow, int ToRow, bool largest)
{
    const TCalcRange range = calcRange(ACol, FromRow, ToRow);
    std::optional<double> result;
    forEachCounted(*this, ACol, range.from, range.to, range.full, [&result, largest](double v) {
        if (!result || (largest ? v > *result : v < *result))
            result = v;
    });
    return result.value_or(0);
}

double TQvStringGrid::ColumnMin(int ACol, int FromRow, int ToRow)
{
    return columnExtreme(ACol, FromRow, ToRow, false);
}

double TQvStringGrid::ColumnMax(int ACol, int FromRow, int ToRow)
{
    return columnExtreme(ACol, FromRow, ToRow, true);
}

// Population deviation over every row of the range; a cell without a number raises.
double TQvStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow)
{
    const TCalcRange range = calcRange(ACol, FromRow, ToRow);
    if (range.to < range.from)
        return 0;
    const double avg = ColumnAvg(ACol, range.from, range.to);
    double sq = 0;
    for (int r = range.from; r <= range.to; ++r) {
        const double d = calcValue(range, ACol, r) - avg;
        sq += d * d;
    }
    return std::sqrt(sq / double(range.to - range.from + 1));
}

// Texts compared without regard to case; an empty text is one value too.
double TQvStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow)
{
    const TCalcRange range = calcRange(ACol, FromRow, ToRow);
    QSet<QString> seen;
    for (int r = range.from; r <= range.to; ++r)
        seen.insert((range.full ? GetCellsEx(ACol, r) : Cells(ACol, r)).toCaseFolded());
    return double(seen.size());
}

double TQvStringGrid::ColumnCustomCalc(int ACol, int FromRow, int ToRow)
{
    double res = 0;
    if (OnColumnCalc)
        OnColumnCalc(this, ACol, FromRow, ToRow, res);
    return res;
}

double TQvStringGrid::GroupCustomCalc(int ACol, int FromRow, int ToRow)
{
    return QueryGroupCalc(ACol, FromRow, ToRow);
}

// ---- along a row -----------------------------------------------------------------------------

namespace {

template <class F>
void forEachInRow(TQvStringGrid& g, int ARow, int fromCol, int toCol, F&& f)
{
    for (int c = fromCol; c <= toCol; ++c) {
        if (g.IsMergedNonBaseCell(c, ARow))
            continue;
        try {
            f(g.GetFloats(c, ARow));
        } catch (const EQvGridError&) {
        }
    }
}

} // namespace

double TQvStringGrid::RowSum(int ARow, int fromCol, int toCol)
{
    double sum = 0;
    forEachInRow(*this, ARow, fromCol, toCol, [&sum](double v) { sum += v; });
    return sum;
}

double TQvStringGrid::RowAvg(int ARow, int fromCol, int toCol)
{
    if (toCol < fromCol)
        return 0;
    return RowSum(ARow, fromCol, toCol) / double(toCol - fromCol + 1);
}

// The smallest or largest number along the row, from the first cell that takes part.
static double rowExtreme(TQvStringGrid& g, int ARow, int fromCol, int toCol, bool largest)
{
    std::optional<double> result;
    forEachInRow(g, ARow, fromCol, toCol, [&result, largest](double v) {
        if (!result || (largest ? v > *result : v < *result))
            result = v;
    });
    return result.value_or(0);
}

double TQvStringGrid::RowMin(int ARow, int fromCol, int toCol)
{
    return rowExtreme(*this, ARow, fromCol, toCol, false);
}

double TQvStringGrid::RowMax(int ARow, int fromCol, int toCol)
{
    return rowExtreme(*this, ARow, fromCol, toCol, true);
}

} // namespace grid
