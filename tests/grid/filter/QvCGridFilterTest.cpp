// The column grid's filter pick: a column's own filter items give the condition, the pick can
// name the column header, and the column says whether the condition minds case.

#include "grid/QvCGrid.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

struct Grid {
    Grid()
    {
        g.SetColCount(3);
        g.SetRowCount(5);
        g.SetFixedRows(1);
        const char* texts[] = {"10", "200", "30", "4000"};
        for (int r = 1; r < 5; ++r)
            g.SetCells(1, r, QString::fromUtf8(texts[r - 1]));
        g.Columns()[1].SetFilter({QStringLiteral("Small=<100"), QStringLiteral("Large=>=100"), QStringLiteral("All=")});
        g.Columns()[1].SetFilterCaseSensitive(true);
    }
    QStringList shown()
    {
        QStringList out;
        for (int r = g.FixedRows(); r < g.RowCount(); ++r)
            out << g.Cells(1, r);
        return out;
    }
    TQvColumnGrid g;
};

TEST(QvCGridFilter, APickTakesTheItemsConditionAndTheColumnsCaseSetting)
{
    Grid t;
    t.g.AutoFilterDisplay = true;
    int done = 0;
    t.g.OnFilterDone = [&](TQvStringGrid*) { ++done; };
    ASSERT_TRUE(t.g.ShowFilterDropDown(1));
    EXPECT_EQ(t.g.FilterDropList().count(), 3);
    t.g.FilterListSelected(1);
    EXPECT_EQ(t.shown(), QStringList({"200", "4000"}));
    EXPECT_EQ(t.g.Columns()[1].Header(), QStringLiteral("Large"));
    ASSERT_EQ(t.g.Filter().Count(), 1);
    EXPECT_TRUE(t.g.Filter().Items(0).CaseSensitive);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(t.g.FilterCol, -1);

    // "All" keeps its empty condition, which passes every row.
    t.g.ShowFilterDropDown(1);
    t.g.FilterListSelected(2);
    EXPECT_EQ(t.shown(), QStringList({"10", "200", "30", "4000"}));
    ASSERT_EQ(t.g.Filter().Count(), 1);
    EXPECT_EQ(t.g.Filter().Items(0).Condition, QString());
}

TEST(QvCGridFilter, AnIndexOutsideTheItemsOnlyResetsTheColumn)
{
    Grid t;
    t.g.ShowFilterDropDown(1);
    t.g.FilterListSelected(3);
    EXPECT_EQ(t.g.FilterCol, -1);
    EXPECT_EQ(t.g.Filter().Count(), 0);
    EXPECT_EQ(t.shown(), QStringList({"10", "200", "30", "4000"}));
}

} // namespace
