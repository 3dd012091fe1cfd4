// Reading a cell as a number with the exact error text, and the extra fonts following a scale
// change of the form.

#include "grid/QvCGrid.h"
#include "grid/QvGrid.h"
#include "grid/support/GridTestHelpers.h"

#include <QLocale>

#include <functional>

#include <gtest/gtest.h>

using namespace grid;
using grid::test::errorOf;

namespace {

struct LocaleScope {
    explicit LocaleScope(QLocale::Language lang, QLocale::Territory t) : saved(QLocale())
    {
        QLocale::setDefault(QLocale(lang, t));
    }
    ~LocaleScope() { QLocale::setDefault(saved); }
    QLocale saved;
};

TFont sized(int size)
{
    TFont f;
    f.Size = size;
    return f;
}

} // namespace

TEST(QvGridNumeric, CellToRealReadsTheDisplayedNumber)
{
    struct Case {
        bool english;
        const char* text;
        double value;
    };
    const Case cases[] = {
        {true, "(1,234.50)", -1234.5}, {true, "12abc", 12},    {true, "", 0},
        {true, "$ 7.25", 7.25},        {true, "-3", -3},       {true, "1.5e-3", 0.0015},
        {false, "1.234,5", 1234.5},    {false, "(2,5)", -2.5},
    };
    TQvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    for (const Case& c : cases) {
        const LocaleScope scope(c.english ? QLocale::English : QLocale::German,
                                c.english ? QLocale::UnitedStates : QLocale::Germany);
        g.SetCells(1, 2, QString::fromUtf8(c.text));
        EXPECT_DOUBLE_EQ(g.CellToReal(1, 2), c.value) << c.text;
    }
}

TEST(QvGridNumeric, CellToRealNamesWhereTheNumberStops)
{
    const LocaleScope scope(QLocale::English, QLocale::UnitedStates);
    TQvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetCells(1, 1, "1.2.3");
    EXPECT_EQ(errorOf([&] { g.CellToReal(1, 1); }), "Error at position: 4 in Cell [1, 1].");
    g.SetCells(2, 1, "abc");
    EXPECT_EQ(errorOf([&] { g.CellToReal(2, 1); }), "Error at position: 1 in Cell [2, 1].");
    // A merged cell reads as its base cell.
    g.SetCells(0, 2, "8");
    g.MergeCells(0, 2, 2, 1);
    EXPECT_DOUBLE_EQ(g.CellToReal(1, 2), 8);
}

TEST(QvGridNumeric, ScaleGridScalesTheExtraFonts)
{
    TQvStringGrid g;
    g.SetFixedFont(sized(9));
    g.SetActiveCellFont(sized(11));
    g.ScaleGrid(4, 4);
    EXPECT_EQ(g.FixedFont().Size, 9);
    EXPECT_EQ(g.ActiveCellFont().Size, 11);
    g.ScaleGrid(3, 2);
    EXPECT_EQ(g.FixedFont().Size, 14);      // 13.5, halves away from zero
    EXPECT_EQ(g.ActiveCellFont().Size, 17); // 16.5
    g.ScaleGrid(2, 3);
    EXPECT_EQ(g.FixedFont().Size, 9);       // 9.33
    EXPECT_EQ(g.ActiveCellFont().Size, 11); // 11.33

    TQvStringGrid designed(nullptr, true);
    designed.SetFixedFont(sized(9));
    designed.ScaleGrid(3, 2);
    EXPECT_EQ(designed.FixedFont().Size, 9);
}

TEST(QvGridNumeric, ColumnGridScalesTheGridFontsAndItsColumns)
{
    TQvColumnGrid g;
    g.SetFixedFont(sized(9));
    g.Columns()[1].SetFont({"Tahoma", 9, 0, 0});
    g.ScaleGrid(3, 2);
    EXPECT_EQ(g.FixedFont().Size, 14);
    EXPECT_EQ(g.Columns()[1].Font().Size, 14);
}
