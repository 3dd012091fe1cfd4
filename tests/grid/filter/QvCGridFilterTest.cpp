// The column grid's filter pick: a column's own filter items give the condition, the pick can
// name the column header, and the column says whether the condition minds case.

#include "grid/QvCGrid.h"
#include "grid/look/QvXPVS.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>

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

// With nothing switched on, the header of a column with filter items shows the filter button
// (the glyph in the button's 16 pixels at the right), and a click there opens the column's list;
// a pick from it filters.
TEST(QvCGridFilter, TheButtonOfAColumnWithItemsShowsAndAClickOpensItsList)
{
    ReleaseGridThemeApi();
    Grid t;
    t.g.resize(400, 200);
    t.g.SetColWidths(1, 100);
    t.g.SetColWidths(2, 100);
    t.g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.g));
    QApplication::processEvents();
    QImage img(t.g.viewport()->size(), QImage::Format_RGB32);
    t.g.viewport()->render(&img);
    // The button area of column 1 differs from the same area of column 2, which has no items.
    const TRect withList = t.g.CellRect(1, 0), without = t.g.CellRect(2, 0);
    int differ = 0;
    for (int y = 2; y < 14; ++y)
        for (int x = 0; x < 14; ++x)
            differ += img.pixel(withList.Right - 16 + x, withList.Top + y)
                              != img.pixel(without.Right - 16 + x, without.Top + y)
                          ? 1
                          : 0;
    EXPECT_GT(differ, 10);

    const QPoint button(withList.Right - 8, withList.Top + 8);
    QTest::mouseClick(t.g.viewport(), Qt::LeftButton, {}, button);
    QApplication::processEvents();
    ASSERT_TRUE(t.g.FilterDropList().isVisible());
    EXPECT_EQ(t.g.FilterDropList().count(), 3);
    EXPECT_EQ(t.g.FilterCol, 1);
    t.g.FilterListSelected(0); // "Small"
    EXPECT_EQ(t.shown(), QStringList({"10", "30"}));
    // The same click on the header of a column without items opens nothing.
    QTest::mouseClick(t.g.viewport(), Qt::LeftButton, {}, QPoint(without.Right - 8, without.Top + 8));
    QApplication::processEvents();
    EXPECT_FALSE(t.g.FilterDropList().isVisible());
    BindGridThemeApi();
}

} // namespace
