// Grouping: header and summary rows against the steps written out by hand on small grids,
// groups in the present order, the grouped column put back, the group calculations, and a
// grid grouped on two levels taken apart again.

#include "grid/QvCGrid.h"
#include "grid/QvGrid.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace grid;

namespace {

// One fixed row; column 1 holds the row's name, column 2 the group value, column 3 a number.
void fill(TQvStringGrid& g, const QStringList& groups)
{
    g.SetColCount(4);
    g.SetRowCount(int(groups.size()) + 1);
    g.SetCells(1, 0, "name");
    g.SetCells(2, 0, "group");
    g.SetCells(3, 0, "n");
    for (int i = 0; i < groups.size(); ++i) {
        g.SetCells(1, i + 1, QStringLiteral("r%1").arg(i + 1));
        g.SetCells(2, i + 1, groups[i]);
        g.SetCells(3, i + 1, QString::number(i + 1));
    }
}

// Row by row: "H:" + text + "/" + span for a node, "S" for a summary, else the texts of
// columns 1.. joined by "|".
QStringList shape(TQvStringGrid& g)
{
    QStringList out;
    for (int r = 1; r < g.RowCount(); ++r) {
        if (g.IsNode(r)) {
            out << QStringLiteral("H:%1/%2").arg(g.Cells(1, r)).arg(g.GetNodeSpan(r));
        } else if (g.IsSummary(r)) {
            out << QStringLiteral("S:%1").arg(g.Cells(2, r));
        } else {
            QStringList cells;
            for (int c = 1; c < g.TotalColCount(); ++c)
                cells << g.Cells(c, r);
            out << cells.join('|');
        }
    }
    return out;
}

QStringList snapshot(TQvStringGrid& g)
{
    QStringList out;
    out << QString::number(g.TotalColCount()) + "x" + QString::number(g.RowCount());
    for (int r = 0; r < g.RowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < g.TotalColCount(); ++c)
            cells << g.Cells(c, r);
        out << cells.join('|');
    }
    return out;
}

TEST(QvGridGrouping, HeadersWithoutAndWithSummaries)
{
    struct Case {
        const char* name;
        bool summary;
        QStringList expected;
    };
    const Case cases[] = {
        {"summary off", false, {"H:A/3", "r1|1", "r2|2", "H:B/2", "r3|3"}},
        {"summary on", true, {"H:A/3", "r1|1", "r2|2", "S:", "H:B/2", "r3|3", "S:"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TQvStringGrid g;
        fill(g, {"A", "A", "B"});
        g.Grouping.Summary = c.summary;
        g.Group(2);
        EXPECT_EQ(g.GroupColumn(), 2);
        EXPECT_EQ(g.ColCount(), 3); // column 2 gone
        EXPECT_EQ(g.Cells(2, 0), "n");
        EXPECT_EQ(shape(g), c.expected);
        if (c.summary) {
            g.GroupSum(2);
            EXPECT_DOUBLE_EQ(g.GetFloats(2, 4), 3);
            EXPECT_DOUBLE_EQ(g.GetFloats(2, 7), 3);
            EXPECT_EQ(g.Cells(2, 1), ""); // headers untouched with summaries
        }
    }
}

TEST(QvGridGrouping, GroupsFollowThePresentOrderWithoutSorting)
{
    TQvStringGrid g;
    fill(g, {"A", "B", "A"});
    g.SortSettings().SetAutoSortForGrouping(false);
    g.Group(2);
    EXPECT_EQ(shape(g), (QStringList{"H:A/2", "r1|1", "H:B/2", "r2|2", "H:A/2", "r3|3"}));

    TQvStringGrid sorted;
    fill(sorted, {"A", "B", "A"});
    sorted.Group(2);
    EXPECT_EQ(sorted.RowCount(), 6); // sorted first: two groups
}

TEST(QvGridGrouping, GroupOnColumnOneAndUnGroupRestoreIt)
{
    TQvStringGrid g;
    fill(g, {"x", "x", "y"});
    for (int r = 1; r <= 3; ++r)
        g.SetCells(1, r, g.Cells(2, r));
    g.SortSettings().SetAutoSortForGrouping(false);
    const QStringList before = snapshot(g);
    g.SetColWidths(1, 77);
    g.Group(1);
    EXPECT_EQ(g.Cells(1, 1), "x"); // written into column 2, now column 1
    EXPECT_EQ(g.Cells(1, 4), "y");
    g.UnGroup();
    EXPECT_EQ(snapshot(g), before);
    EXPECT_EQ(g.ColWidths(1), 77);
    EXPECT_EQ(g.GroupColumn(), -1);
    EXPECT_EQ(g.FNumNodes, 0);
}

TEST(QvGridGrouping, GroupColumnPropertyAndNothingToDo)
{
    TQvStringGrid g;
    fill(g, {"A", "B"});
    const QStringList before = snapshot(g);
    g.SetGroupColumn(0);
    EXPECT_EQ(snapshot(g), before);
    g.UnGroup();
    EXPECT_EQ(snapshot(g), before);
    g.SetFixedCols(2);
    g.Group(1); // below the fixed columns
    EXPECT_EQ(snapshot(g), before);
    g.SetFixedCols(1);
    g.SetGroupColumn(2);
    EXPECT_EQ(g.GroupColumn(), 2);
    g.SetGroupColumn(-1);
    EXPECT_EQ(snapshot(g), before);
}

TEST(QvGridGrouping, UnGroupRestoresTheOriginalWithSummariesAndColours)
{
    TQvStringGrid g;
    fill(g, {"A", "A", "B", "C", "C"});
    g.Grouping.Summary = true;
    g.Grouping.HeaderColor = 0x00FF00;
    g.Grouping.SummaryColor = 0x0000FF;
    const QStringList before = snapshot(g);
    g.Group(2);
    EXPECT_EQ(g.GetCellProperties(1, 1)->FBrushColor, TColor(0x00FF00));
    g.UnGroup();
    EXPECT_EQ(snapshot(g), before);
    EXPECT_FALSE(g.IsNode(1));
    EXPECT_FALSE(g.IsSummary(3));
}

TEST(QvGridGrouping, GroupCountSkipsContractedGroups)
{
    TQvStringGrid g;
    fill(g, {"A", "A", "B", "B", "B"});
    g.Group(2);
    // rows: 1 H:A, 2, 3, 4 H:B, 5, 6, 7
    g.SetCells(2, 4, "old");
    g.ContractNode(4);
    g.GroupCount(2);
    EXPECT_EQ(g.GetInts(2, 1), 2);
    EXPECT_EQ(g.Cells(2, 4), "old");
    g.ExpandNode(4);
    g.GroupCount(2);
    EXPECT_EQ(g.GetInts(2, 4), 3);
}

TEST(QvGridGrouping, CalculationsTable)
{
    struct Case {
        const char* name;
        int method;
        double a, b; // results of group A (1, 2) and group B (3, 4, 5)
    };
    const Case cases[] = {
        {"sum", 1, 3, 12},    {"average", 2, 1.5, 4}, {"minimum", 3, 1, 3},
        {"maximum", 4, 2, 5}, {"distinct", 7, 2, 3},  {"deviation", 8, 0.5, std::sqrt(2.0 / 3.0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TQvStringGrid g;
        fill(g, {"A", "A", "B", "B", "B"});
        g.Group(2);
        g.GroupCalc(2, c.method);
        EXPECT_NEAR(g.GetFloats(2, 1), c.a, 0.005); // written as "%.2f"
        EXPECT_NEAR(g.GetFloats(2, 4), c.b, 0.005);
    }
    TQvStringGrid g;
    fill(g, {"A", "B"});
    g.Group(2);
    g.OnGroupCalc = [](TQvStringGrid*, int, int from, int to, double& res) { res = from * 100 + to; };
    g.GroupCustomCalc(2);
    EXPECT_DOUBLE_EQ(g.GetFloats(2, 1), 202);
    EXPECT_DOUBLE_EQ(g.GetFloats(2, 3), 404);
    g.GroupCalc(2, 9); // no such method: nothing written
    EXPECT_DOUBLE_EQ(g.GetFloats(2, 1), 202);
}

TEST(QvGridGrouping, NamedCalculationsSetTheShownFooter)
{
    TQvStringGrid g;
    fill(g, {"A", "A", "B"});
    g.SetRowCount(g.RowCount() + 1); // the footer row
    g.FloatingFooter.SetVisible(true);
    g.Group(2);
    g.GroupMax(2);
    EXPECT_EQ(g.GetCellProperties(2, g.RowCount() - 1)->FCalcType, acMAX);
}

TEST(QvGridGrouping, TwoLevelsComeApartCompletely)
{
    TQvStringGrid g;
    g.SetColCount(5);
    g.SetRowCount(7);
    const char* rows[][3] = {{"A", "x", "1"}, {"A", "x", "2"}, {"A", "y", "3"},
                             {"B", "y", "4"}, {"B", "y", "5"}, {"B", "z", "6"}};
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 3; ++c)
            g.SetCells(c + 1, r + 1, rows[r][c]);
    g.SetCells(4, 1, "keep");
    const QStringList before = snapshot(g);
    g.Group(1);
    // rows after Group(1): value column 1 gone; x/y/z at column 1, numbers at 2
    g.SubGroup(1);
    EXPECT_EQ(g.SubGroupColumns(), std::vector<int>{1});
    // group A: header, sub x (2 rows), sub y (1 row)
    EXPECT_TRUE(g.IsNode(1));
    EXPECT_EQ(g.GetNodeSpan(1), 6);
    EXPECT_TRUE(g.IsNode(2));
    EXPECT_EQ(g.Cells(2, 2), "x");
    EXPECT_EQ(g.GetNodeSpan(2), 3);
    EXPECT_EQ(g.GetNodeLevel(2), 2);
    EXPECT_EQ(g.Cells(1, 3), ""); // the value lives in the header
    g.GroupSum(2);
    EXPECT_DOUBLE_EQ(g.GetFloats(2, 1), 6); // nested headers are no numbers
    g.SetCells(2, 1, "");
    g.UnGroup();
    EXPECT_EQ(snapshot(g), before);
    EXPECT_TRUE(g.SubGroupColumns().empty());
    EXPECT_EQ(g.FNumNodes, 0);
}

TEST(QvGridGrouping, SubUnGroupKeepsTheTopLevel)
{
    TQvStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(5);
    const char* rows[][2] = {{"A", "x"}, {"A", "y"}, {"B", "y"}, {"B", "y"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 2; ++c)
            g.SetCells(c + 1, r + 1, rows[r][c]);
    g.Group(1);
    const QStringList grouped = snapshot(g);
    g.SubGroup(1);
    EXPECT_EQ(g.RowCount(), 5 + 2 + 3);
    g.SubUnGroup(1);
    EXPECT_EQ(snapshot(g), grouped);
    EXPECT_EQ(g.GetNodeSpan(1), 3);
    EXPECT_EQ(g.GetNodeSpan(4), 3);
}

TEST(QvGridGrouping, ColumnGridKeepsTheGroupedDefinition)
{
    TQvColumnGrid g;
    g.SetColCount(4);
    g.SetRowCount(4);
    g.Columns().GetItem(2)->SetWidth(90);
    g.Columns().GetItem(2)->SetReadOnly(true);
    for (int r = 1; r < 4; ++r)
        g.SetCells(2, r, r < 3 ? "A" : "B");
    g.Group(2);
    EXPECT_EQ(g.Columns().Count(), 3);
    g.UnGroup();
    ASSERT_EQ(g.Columns().Count(), 4);
    EXPECT_TRUE(g.Columns().GetItem(2)->ReadOnly());
    EXPECT_EQ(g.Cells(2, 3), "B");
}

TEST(QvGridGrouping, MergedHeadersAndSummariesSplitAgain)
{
    TQvStringGrid g;
    fill(g, {"A", "A", "B"});
    g.Grouping.Summary = true;
    g.Grouping.MergeHeader = true;
    g.Grouping.MergeSummary = true;
    g.Grouping.HeaderColor = 0x00FF00;
    g.Grouping.SummaryColor = 0x0000FF;
    const QStringList before = snapshot(g);
    g.Group(2);
    // header A at 1, summary at 4, header B at 5, summary at 7
    EXPECT_EQ(g.CellSpan(1, 1).X, g.ColCount() - 2);
    EXPECT_EQ(g.GetCellProperties(1, 1)->FBrushColor, TColor(0x00FF00));
    EXPECT_TRUE(g.IsMergedCell(1, 4));
    EXPECT_EQ(g.GetCellProperties(1, 7)->FBrushColor, TColor(0x0000FF));
    EXPECT_FALSE(g.IsMergedCell(1, 2)); // data rows stay single cells
    g.UnGroup();
    EXPECT_EQ(snapshot(g), before);
    for (int r = 0; r < g.RowCount(); ++r)
        EXPECT_FALSE(g.IsMergedCell(1, r)) << r;
}

TEST(QvGridGrouping, FooterRowsStayAndTheColumnsFooterTextReturns)
{
    TQvStringGrid g;
    fill(g, {"A", "B", ""});
    g.SetCells(2, 3, "sum");
    g.SetFixedFooters(1);
    const QStringList before = snapshot(g);
    g.Group(2);
    EXPECT_EQ(g.RowCount(), 6); // two groups of one row, the footer
    EXPECT_FALSE(g.IsNode(5));
    EXPECT_EQ(g.Cells(1, 5), "r3");
    g.UnGroup();
    EXPECT_EQ(snapshot(g), before);
}

TEST(QvGridGrouping, HiddenRowsKeepTheirPlace)
{
    TQvStringGrid g;
    fill(g, {"A", "A", "B", "B"});
    g.SortSettings().SetAutoSortForGrouping(false);
    g.HideRow(2); // r2 leaves the displayed rows
    g.Group(2);
    EXPECT_EQ(shape(g), (QStringList{"H:A/2", "r1|1", "H:B/3", "r3|3", "r4|4"}));
    g.UnGroup();
    g.UnHideRowsAll();
    EXPECT_EQ(g.Cells(1, 2), "r2");
    EXPECT_EQ(g.Cells(2, 2), "A");
    EXPECT_EQ(g.RowCount(), 5);
}

} // namespace
