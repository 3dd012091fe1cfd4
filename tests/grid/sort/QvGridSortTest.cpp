// Sorting and unsorting the rows of the string grid: the comparison rules of the sort styles,
// blank placement, tie-breaks and key lists, what stays in place (fixed and footer rows, column
// 0 with NormalCellsOnly, the other columns with SingleColumn), the restorations after an
// exception, unsorting back to the recorded order, agreement with a stable sort on random
// keys, and comparisons that are no order at all.

#include "grid/QvGrid.h"

#include "grid/support/GridTestHelpers.h"

#include <gtest/gtest.h>

#include <QCollator>
#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include <algorithm>
#include <functional>
#include <random>
#include <stdexcept>
#include <vector>

using namespace grid;
using grid::test::errorOf;

namespace {

// The sort rules read the locale's separators: these tests use the United States' ones.
struct LocaleGuard {
    LocaleGuard() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~LocaleGuard() { QLocale::setDefault(QLocale::c()); }
};

class QvGridSort : public ::testing::Test {
protected:
    LocaleGuard locale;
};

// One header row, a row-number column 0, then the data columns; `rows` lists the data rows'
// texts of columns 1.. (column 0 gets "1", "2", ...).
void fill(TQvStringGrid& g, const std::vector<QStringList>& rows)
{
    const int cols = rows.empty() ? 2 : int(rows.front().size()) + 1;
    g.SetColCount(cols);
    g.SetRowCount(int(rows.size()) + 1);
    g.SetFixedRows(1);
    g.SetFixedCols(1);
    for (int c = 1; c < cols; ++c)
        g.SetCells(c, 0, QStringLiteral("H%1").arg(c));
    for (int r = 0; r < int(rows.size()); ++r) {
        g.SetCells(0, r + 1, QString::number(r + 1));
        for (int c = 1; c < cols; ++c)
            g.SetCells(c, r + 1, rows[std::size_t(r)][c - 1]);
    }
}

QStringList column(const TQvStringGrid& g, int col)
{
    QStringList out;
    for (int r = 0; r < g.RowCount(); ++r)
        out << g.Cells(col, r);
    return out;
}

void styleOf(TQvStringGrid& g, TSortStyle style, const QString& prefix = {})
{
    g.OnGetFormat = [style, prefix](TQvStringGrid*, int, TSortStyle& s, QString& p, QString&) {
        s = style;
        p = prefix;
    };
}

} // namespace

TEST_F(QvGridSort, StylesOrderTheirTexts)
{
    struct Case {
        TSortStyle style;
        QString prefix;
        QStringList texts, sorted;
    };
    const Case cases[] = {
        {ssNumeric, {}, {"10", "9"}, {"9", "10"}},
        {ssAlphabetic, {}, {"9", "10"}, {"10", "9"}},
        {ssAlphaNoCase, {}, {"b", "A", "c", "D"}, {"A", "b", "c", "D"}},
        {ssAlphabetic, {}, {"b", "A", "c", "D"}, {"A", "D", "b", "c"}},
        {ssFinancial, "$", {"$1,200", "$999", "$15"}, {"$15", "$999", "$1,200"}},
        {ssNumeric, "$", {"$12", "$3"}, {"$3", "$12"}},
        {ssDate, {}, {"12/31/2020", "1/2/2021", "6/15/2019"}, {"6/15/2019", "12/31/2020", "1/2/2021"}},
        {ssShortDateEU, {}, {"31/12/2020", "2/1/2021", "15/6/2019"}, {"15/6/2019", "31/12/2020", "2/1/2021"}},
        {ssShortDateUS, {}, {"12/31/2020", "1/2/2021"}, {"12/31/2020", "1/2/2021"}},
        {ssTime, {}, {"10:30:00", "9:05:00", "23:00:01"}, {"9:05:00", "10:30:00", "23:00:01"}},
        {ssHTML, {}, {"<b>b</b>", "a", "<i>c</i>"}, {"a", "<b>b</b>", "<i>c</i>"}},
        {ssAlphaNumeric, {}, {"10", "9", "8"}, {"8", "9", "10"}},
        {ssAutomatic, {}, {"12", "100", "3"}, {"3", "12", "100"}},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        std::vector<QStringList> rows;
        for (const QString& t : c.texts)
            rows.push_back({t});
        fill(g, rows);
        styleOf(g, c.style, c.prefix);
        g.Sort(1, sdAscending);
        EXPECT_EQ(column(g, 1).mid(1), c.sorted) << "style " << int(c.style);
        g.Sort(1, sdDescending);
        QStringList reversed = c.sorted;
        std::reverse(reversed.begin(), reversed.end());
        EXPECT_EQ(column(g, 1).mid(1), reversed) << "style " << int(c.style) << " descending";
    }
}

TEST_F(QvGridSort, CellComparisonsOfTheRules)
{
    struct Case {
        TSortStyle style;
        QString a, b;
        int result;
    };
    const Case cases[] = {
        // Automatic: a first text that is a number compares numerically ...
        {ssAutomatic, "12", "abc", 1},
        // ... a first text that looks like a date against one without a date separator
        // alphabetically ("3" before "a") ...
        {ssAutomatic, "31/12/2020", "abc", -1},
        // ... and as dates when the second has one.
        {ssAutomatic, "12/31/2020", "1/1/2021", -1},
        {ssAutomatic, "10:30", "9:15", 1},
        // Two texts that are no numbers are equal; an empty text is 0 against a number.
        {ssNumeric, "abc", "xyz", 0},
        {ssNumeric, "", "5", -1},
        {ssNumeric, "", "-5", 1},
        {ssNumeric, "", "0", 0},
        {ssDate, "", "1/1/2000", -1},
        {ssShortDateEU, "40/40/2020", "", 0}, // no date: 0
        {ssAlphaNumeric, "10", "9", 1},
        {ssAlphaNumeric, "10", "9a", -1},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        fill(g, {{c.a}, {c.b}});
        styleOf(g, c.style);
        EXPECT_EQ(g.CompareSortCells(1, 1, 2, true), c.result) << c.a.toStdString() << " / " << c.b.toStdString();
    }
}

TEST_F(QvGridSort, CustomAndRawComparisonsComeFromTheEvents)
{
    TQvStringGrid g;
    fill(g, {{"a"}, {"bbb"}, {"cc"}});
    // By length, longest first.
    styleOf(g, ssCustom);
    g.OnCustomCompare = [](TQvStringGrid*, const QString& a, const QString& b, int& res) {
        res = int(b.size() - a.size()) * 7; // any size of answer counts by its sign
    };
    g.Sort(1, sdAscending);
    EXPECT_EQ(column(g, 1).mid(1), (QStringList{"bbb", "cc", "a"}));
    // Raw: the handler reads the rows it is given.
    styleOf(g, ssRaw);
    g.OnRawCompare = [](TQvStringGrid* grid, int col, int r1, int r2, int& res) {
        res = grid->Cells(col, r1).compare(grid->Cells(col, r2));
    };
    g.Sort(1, sdAscending);
    EXPECT_EQ(column(g, 1).mid(1), (QStringList{"a", "bbb", "cc"}));
}

TEST_F(QvGridSort, BlanksGoWhereBlankPosSaysInBothDirections)
{
    struct Case {
        TSortBlankPosition pos;
        TSortDirection dir;
        QStringList sorted;
    };
    const Case cases[] = {
        {blLast, sdAscending, {"1", "2", "3", "", ""}},
        {blLast, sdDescending, {"3", "2", "1", "", ""}},
        {blFirst, sdAscending, {"", "", "1", "2", "3"}},
        {blFirst, sdDescending, {"", "", "3", "2", "1"}},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        fill(g, {{"2"}, {""}, {"3"}, {""}, {"1"}});
        styleOf(g, ssNumeric);
        g.SortSettings().SetIgnoreBlanks(true);
        g.SortSettings().SetBlankPos(c.pos);
        g.Sort(1, c.dir);
        EXPECT_EQ(column(g, 1).mid(1), c.sorted) << int(c.pos) << " " << int(c.dir);
    }
}

TEST_F(QvGridSort, RowsMoveWholeAndColumnZeroStaysWithNormalCellsOnly)
{
    TQvStringGrid g;
    fill(g, {{"c", "3"}, {"a", "1"}, {"b", "2"}});
    g.SetRowHeights(1, 40);
    g.SortSettings().SetNormalCellsOnly(true);
    g.Sort(1, sdAscending);
    EXPECT_EQ(column(g, 0), (QStringList{"", "1", "2", "3"})); // the row numbers stay
    EXPECT_EQ(column(g, 1), (QStringList{"H1", "a", "b", "c"}));
    EXPECT_EQ(column(g, 2), (QStringList{"H2", "1", "2", "3"}));
    EXPECT_EQ(g.RowHeights(3), 40); // the height went with row "c"
    EXPECT_EQ(g.RowHeights(1), g.DefaultRowHeight());

    // Without NormalCellsOnly column 0 moves with its rows.
    g.SortSettings().SetNormalCellsOnly(false);
    g.Sort(1, sdDescending);
    EXPECT_EQ(column(g, 0), (QStringList{"", "3", "2", "1"}));
}

TEST_F(QvGridSort, SingleColumnMovesOnlyTheSortColumn)
{
    TQvStringGrid g;
    fill(g, {{"c", "x"}, {"a", "y"}, {"b", "z"}});
    g.SetRowHeights(1, 40);
    g.SortSettings().SetSingleColumn(true);
    g.Sort(1, sdAscending);
    EXPECT_EQ(column(g, 1), (QStringList{"H1", "a", "b", "c"}));
    EXPECT_EQ(column(g, 2), (QStringList{"H2", "x", "y", "z"}));
    EXPECT_EQ(column(g, 0), (QStringList{"", "1", "2", "3"}));
    EXPECT_EQ(g.RowHeights(1), 40);
}

TEST_F(QvGridSort, FixedRowsFootersAndTheFloatingFooterStay)
{
    TQvStringGrid g;
    fill(g, {{"d"}, {"c"}, {"b"}, {"a"}, {"Total"}, {"Footer"}});
    g.FloatingFooter.SetVisible(false); // hiding the footer sets the footer rows to 0
    g.SetFixedFooters(1);
    g.Sort(1, sdAscending);
    EXPECT_EQ(column(g, 1), (QStringList{"H1", "Total", "a", "b", "c", "d", "Footer"}));

    // The floating footer's last row stays too, and the footer is visible again afterwards.
    TQvStringGrid f;
    fill(f, {{"d"}, {"c"}, {"b"}, {"Sum"}});
    f.FloatingFooter.SetVisible(true);
    f.Sort(1, sdAscending);
    EXPECT_EQ(column(f, 1), (QStringList{"H1", "b", "c", "d", "Sum"}));
    EXPECT_TRUE(f.FloatingFooter.Visible());
}

TEST_F(QvGridSort, FullBreaksTiesWithTheFollowingColumns)
{
    TQvStringGrid g;
    fill(g, {{"b", "2"}, {"a", "9"}, {"b", "1"}, {"a", "3"}});
    styleOf(g, ssAlphabetic);
    g.Sort(1, sdAscending);
    EXPECT_EQ(column(g, 2).mid(1), (QStringList{"3", "9", "1", "2"}));
    g.Sort(1, sdDescending);
    EXPECT_EQ(column(g, 2).mid(1), (QStringList{"2", "1", "9", "3"}));
}

TEST_F(QvGridSort, KeyListSortsByColumnTwoThenColumnZeroDescending)
{
    TQvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(6);
    g.SetFixedRows(1);
    g.SetFixedCols(0);
    const QStringList c0{"h0", "1", "2", "3", "4", "5"}, c2{"h2", "b", "a", "b", "a", "a"};
    for (int r = 0; r < 6; ++r) {
        g.SetCells(0, r, c0[r]);
        g.SetCells(2, r, c2[r]);
    }
    g.SortIndexes().AddIndex(2, true);
    g.SortIndexes().AddIndex(0, false);
    g.QSortIndexed();
    EXPECT_EQ(column(g, 2), (QStringList{"h2", "a", "a", "a", "b", "b"}));
    EXPECT_EQ(column(g, 0), (QStringList{"h0", "5", "4", "2", "3", "1"}));
    EXPECT_EQ(g.SortIndexes().Count(), 2); // the key list stays for the next indexed sort

    // QSort clears it.
    g.SortSettings().SetColumn(0);
    g.QSort();
    EXPECT_EQ(g.SortIndexes().Count(), 0);
}

TEST_F(QvGridSort, IndexedSortWithoutKeysIsRefusedAndChangesNothing)
{
    TQvStringGrid g;
    fill(g, {{"b"}, {"a"}});
    EXPECT_EQ(errorOf([&] { g.QSortIndexed(); }), QStringLiteral("No indexes specified for indexed sort"));
    EXPECT_EQ(column(g, 1), (QStringList{"H1", "b", "a"}));
    EXPECT_EQ(g.UpdateCount(), 0);
}

TEST_F(QvGridSort, OneRowGridsAreLeftAlone)
{
    TQvStringGrid g;
    g.SetFixedRows(0);
    g.SetRowCount(1);
    g.SetCells(1, 0, QStringLiteral("x"));
    g.SortSettings().SetColumn(-1);
    g.SortByColumn(1);
    EXPECT_EQ(g.SortSettings().Column(), -1);
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("x"));

    // One normal row keeps its contents and stays current.
    TQvStringGrid one;
    fill(one, {{"only"}});
    one.SortByColumn(1);
    EXPECT_EQ(column(one, 1), (QStringList{"H1", "only"}));
    EXPECT_EQ(one.Row(), 1);
}

TEST_F(QvGridSort, AnExceptionFromTheComparisonLeavesTheGridAsItWas)
{
    TQvStringGrid g;
    fill(g, {{"c"}, {"a"}, {"b"}, {"Footer"}});
    g.SetFixedFooters(1);
    g.FloatingFooter.SetVisible(true);
    g.SortSettings().SetNormalCellsOnly(true);
    styleOf(g, ssCustom);
    int calls = 0;
    g.OnCustomCompare = [&](TQvStringGrid*, const QString&, const QString&, int&) {
        if (++calls == 2)
            throw std::runtime_error("compare failed");
    };
    EXPECT_EQ(errorOf([&] { g.Sort(1, sdAscending); }), QStringLiteral("compare failed"));
    EXPECT_EQ(g.UpdateCount(), 0);
    EXPECT_EQ(g.FixedFooters(), 1);
    EXPECT_TRUE(g.FloatingFooter.Visible());
    EXPECT_EQ(column(g, 0), (QStringList{"", "1", "2", "3", "4"}));
    EXPECT_EQ(column(g, 1), (QStringList{"H1", "c", "a", "b", "Footer"}));
}

namespace {

// Everything a row carries, for whole-grid comparisons.
QStringList snapshot(TQvStringGrid& g)
{
    QStringList out;
    for (int r = 0; r < g.RowCount(); ++r) {
        QString line =
            QStringLiteral("h%1 m%2 e%3|").arg(g.RowHeights(r)).arg(g.GetRowModified(r)).arg(g.GetRowEnabled(r));
        for (int c = 0; c < g.TotalColCount(); ++c) {
            line += g.Cells(c, r) + QLatin1Char('|');
            if (g.CellHasProperties(c, r)) {
                TCellProperties* p = g.GetCellProperties(c, r);
                line += QStringLiteral("p%1,%2").arg(p->BrushColor()).arg(int(p->Alignment()));
            }
            if (TCellGraphic* gr = g.GetCellGraphic(c, r))
                line += QStringLiteral("g%1,%2,%3").arg(int(gr->FCellType)).arg(gr->FCellBoolean).arg(gr->FCellIndex);
            line += QLatin1Char(';');
        }
        out << line;
    }
    return out;
}

} // namespace

TEST_F(QvGridSort, UnsortRestoresEveryRowWithAllItCarries)
{
    TQvStringGrid g;
    std::mt19937 rng(7);
    std::vector<QStringList> rows;
    for (int r = 0; r < 40; ++r)
        rows.push_back(
            {QString::number(rng() % 10), QStringLiteral("t%1").arg(rng() % 100), QStringLiteral("x%1").arg(r)});
    fill(g, rows);
    g.HideColumn(3); // hidden columns travel too
    for (int r = 1; r < 41; r += 3) {
        g.SetRowHeights(r, 20 + r);
        g.AddCheckBox(2, r, r % 2 == 0, false);
        g.GetCellProperties(1, r)->SetBrushColor(TColor(0x0000FF + r));
        g.SetRowModified(r, true);
    }
    g.SetRowEnabled(5, false);
    const QStringList before = snapshot(g);
    g.SortSettings().SetColumn(1);
    g.QSort();
    const QStringList sorted = snapshot(g);
    EXPECT_NE(sorted, before);
    // Each row is still whole: its height, flags, properties and hidden cell went along.
    QStringList a = sorted, b = before;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
    g.QUnSort();
    EXPECT_EQ(snapshot(g), before);
}

TEST_F(QvGridSort, AddingARowMakesTheOrderOfThatMomentTheOneRestored)
{
    TQvStringGrid g;
    fill(g, {{"c"}, {"a"}, {"b"}});
    g.Sort(1, sdAscending);
    g.AddRow();
    g.SetCells(1, 4, QStringLiteral("aa"));
    const QStringList moment = column(g, 1); // H1 a b c aa
    g.Sort(1, sdDescending);
    EXPECT_EQ(column(g, 1), (QStringList{"H1", "c", "b", "aa", "a"}));
    g.QUnSort();
    EXPECT_EQ(column(g, 1), moment);

    // Unsorting after a row came, without sorting again, leaves the rows as they are.
    g.Sort(1, sdAscending);
    g.AddRow();
    const QStringList now = column(g, 1);
    g.QUnSort();
    EXPECT_EQ(column(g, 1), now);
}

namespace {

// Keys of one style generated valid for it, with the style's rule as a plain ordering value.
struct StyleKeys {
    TSortStyle style;
    QString prefix;
    std::function<QString(std::mt19937&)> text;
    // Sort key of a text under the style's rule (numbers as doubles, texts as strings).
    std::function<QVariant(const QString&)> key;
};

QString word(std::mt19937& rng, int len, bool mixedCase)
{
    QString w;
    for (int i = 0; i < len; ++i) {
        const int k = int(rng() % 26);
        w += QChar((mixedCase && rng() % 2) ? 'A' + k : 'a' + k);
    }
    return w;
}

int keyCompare(const QVariant& a, const QVariant& b, const QCollator* collator)
{
    if (a.typeId() == QMetaType::Double)
        return a.toDouble() < b.toDouble() ? -1 : (a.toDouble() > b.toDouble() ? 1 : 0);
    if (collator)
        return collator->compare(a.toString(), b.toString());
    return a.toString().compare(b.toString());
}

} // namespace

TEST_F(QvGridSort, RandomKeysEndInTheOrderOfAStableSort)
{
    auto num = [](double v) { return QVariant(v); };
    auto text = [](const QString& s) { return QVariant(s); };
    auto upper = [](QString s) {
        for (QChar& c : s)
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                c = c.toUpper();
        return QVariant(s);
    };
    auto day = [](const QDate& d) { return QVariant(double(QDate(1899, 12, 30).daysTo(d))); };
    auto randomDate = [](std::mt19937& rng) { return QDate(1990, 1, 1).addDays(int(rng() % 15000)); };
    QCollator caseCollator(QLocale(QLocale::English, QLocale::UnitedStates));
    QCollator noCaseCollator(QLocale(QLocale::English, QLocale::UnitedStates));
    noCaseCollator.setCaseSensitivity(Qt::CaseInsensitive);
    const std::vector<std::pair<StyleKeys, const QCollator*>> styles = {
        {{ssAlphabetic, {}, [](std::mt19937& r) { return word(r, 1 + int(r() % 4), true); }, text}, nullptr},
        {{ssAlphaCase, {}, [](std::mt19937& r) { return word(r, 2, true); }, text}, nullptr},
        {{ssAlphaNoCase, {}, [](std::mt19937& r) { return word(r, 2, true); }, upper}, nullptr},
        {{ssNumeric,
          {},
          [](std::mt19937& r) { return QString::number(int(r() % 2001) - 1000); },
          [num](const QString& s) { return num(s.toDouble()); }},
         nullptr},
        {{ssNumeric, "EUR ", [](std::mt19937& r) { return QStringLiteral("EUR %1.%2").arg(r() % 50).arg(r() % 10); },
          [num](const QString& s) { return num(s.mid(4).toDouble()); }},
         nullptr},
        {{ssFinancial, "$", [](std::mt19937& r) { return QLatin1Char('$') + QLocale().toString(int(r() % 5000000)); },
          [num](const QString& s) { return num(s.mid(1).remove(QLatin1Char(',')).toDouble()); }},
         nullptr},
        {{ssDate,
          {},
          [randomDate](std::mt19937& r) { return randomDate(r).toString(QStringLiteral("M/d/yyyy")); },
          [day](const QString& s) { return day(QDate::fromString(s, QStringLiteral("M/d/yyyy"))); }},
         nullptr},
        {{ssShortDateEU,
          {},
          [randomDate](std::mt19937& r) { return randomDate(r).toString(QStringLiteral("d/M/yyyy")); },
          [day](const QString& s) { return day(QDate::fromString(s, QStringLiteral("d/M/yyyy"))); }},
         nullptr},
        {{ssShortDateUS,
          {},
          [randomDate](std::mt19937& r) { return randomDate(r).toString(QStringLiteral("M/d/yyyy")); },
          [day](const QString& s) { return day(QDate::fromString(s, QStringLiteral("M/d/yyyy"))); }},
         nullptr},
        {{ssTime,
          {},
          [](std::mt19937& r) { return QTime(0, 0).addSecs(int(r() % 86400)).toString(QStringLiteral("H:mm:ss")); },
          [num](const QString& s) {
              return num(QTime::fromString(s, QStringLiteral("H:mm:ss")).msecsSinceStartOfDay());
          }},
         nullptr},
        {{ssHTML,
          {},
          [](std::mt19937& r) {
              const QString w = word(r, 3, false);
              return r() % 2 ? QStringLiteral("<b>%1</b>").arg(w) : w;
          },
          [](const QString& s) { return QVariant(QString(s).remove(QRegularExpression(QStringLiteral("<[^>]*>")))); }},
         nullptr},
        {{ssAnsiAlphaCase, {}, [](std::mt19937& r) { return word(r, 3, true); }, text}, &caseCollator},
        {{ssAnsiAlphaNoCase,
          {},
          [](std::mt19937& r) { return word(r, 3, true); },
          [](const QString& s) { return QVariant(s.toLower()); }},
         &noCaseCollator},
        {{ssAlphaNumeric,
          {},
          [](std::mt19937& r) { return QString::number(r() % 1000); },
          [num](const QString& s) { return num(s.toDouble()); }},
         nullptr},
        {{ssAutomatic,
          {},
          [](std::mt19937& r) { return QString::number(int(r() % 1000) - 500); },
          [num](const QString& s) { return num(s.toDouble()); }},
         nullptr},
        {{ssAutomatic, {}, [](std::mt19937& r) { return word(r, 3, false); }, text}, nullptr},
    };
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        for (const auto& [keys, collator] : styles) {
            for (const TSortDirection dir : {sdAscending, sdDescending}) {
                std::mt19937 rng(seed * 977 + unsigned(keys.style));
                const int n = 50 + int(rng() % 300);
                std::vector<QStringList> rows;
                QStringList texts;
                for (int r = 0; r < n; ++r) {
                    texts << keys.text(rng);
                    rows.push_back({texts.back(), QString::number(rng() % 5)});
                }
                TQvStringGrid g;
                fill(g, rows);
                styleOf(g, keys.style, keys.prefix);
                g.Sort(1, dir);
                const int sign = dir == sdAscending ? 1 : -1;
                std::stable_sort(texts.begin(), texts.end(), [&](const QString& a, const QString& b) {
                    return sign * keyCompare(keys.key(a), keys.key(b), collator) < 0;
                });
                QStringList expected, actual;
                for (const QString& t : texts)
                    expected << keys.key(t).toString();
                for (const QString& t : column(g, 1).mid(1))
                    actual << keys.key(t).toString();
                ASSERT_EQ(actual, expected) << "style " << int(keys.style) << " seed " << seed << " dir " << int(dir);
            }
        }
    }
}

TEST_F(QvGridSort, AComparisonAnsweringAtRandomKeepsEveryRowOnce)
{
    TQvStringGrid g;
    const int n = 10000;
    g.SetColCount(3);
    g.SetRowCount(n + 2);
    g.SetFixedRows(1);
    g.SetFixedFooters(1);
    for (int r = 1; r <= n; ++r) {
        g.SetCells(1, r, QString::number(r % 17));
        g.SetCells(2, r, QString::number(r));
    }
    g.SetCells(2, n + 1, QStringLiteral("footer"));
    styleOf(g, ssCustom);
    std::mt19937 rng(99);
    g.OnCustomCompare = [&](TQvStringGrid*, const QString&, const QString&, int& res) { res = int(rng() % 3) - 1; };
    for (const TSortDirection dir : {sdAscending, sdDescending})
        g.Sort(1, dir);
    g.SortIndexes().AddIndex(1, false);
    g.QSortIndexed();
    std::vector<int> seen;
    for (int r = 1; r <= n; ++r)
        seen.push_back(g.Cells(2, r).toInt());
    std::sort(seen.begin(), seen.end());
    std::vector<int> all(n);
    for (int i = 0; i < n; ++i)
        all[std::size_t(i)] = i + 1;
    EXPECT_EQ(seen, all);
    EXPECT_EQ(g.Cells(2, n + 1), QStringLiteral("footer"));
    EXPECT_EQ(g.Cells(2, 0), QString());
    g.QUnSort();
    for (int r = 1; r <= n; ++r)
        ASSERT_EQ(g.Cells(2, r).toInt(), r);
}

TEST_F(QvGridSort, GroupSortOrdersTheChildRowsOfExpandedNodes)
{
    TQvStringGrid g;
    fill(g, {{"N1"}, {"c"}, {"a"}, {"b"}, {"N2"}, {"z"}, {"y"}});
    g.AddNode(1, 4);
    g.AddNode(5, 3);
    styleOf(g, ssAlphabetic);
    g.SortSettings().SetColumn(1);
    g.QSortGroup();
    EXPECT_EQ(column(g, 1), (QStringList{"H1", "N1", "a", "b", "c", "N2", "y", "z"}));
}

TEST_F(QvGridSort, SortLineSwapsRowsOutOfOrder)
{
    TQvStringGrid g;
    fill(g, {{"b"}, {"a"}});
    g.SortSettings().SetDirection(sdAscending);
    EXPECT_TRUE(g.SortLine(1, 1, 2));
    EXPECT_EQ(column(g, 1), (QStringList{"H1", "a", "b"}));
    EXPECT_FALSE(g.SortLine(1, 1, 2));
}
