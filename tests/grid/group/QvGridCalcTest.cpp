// Column and row calculations: numbers among texts, node rows in grouped and ungrouped grids,
// minimum and maximum with a node row first, distinct texts, ranges beyond the shown rows.

#include "grid/QvGrid.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

// One fixed row, column 1 holding the given texts from row 1 on.
void column(TQvStringGrid& g, const QStringList& texts)
{
    g.SetRowCount(int(texts.size()) + 1);
    for (int i = 0; i < texts.size(); ++i)
        g.SetCells(1, i + 1, texts[i]);
}

TEST(QvGridCalc, NumbersAmongTexts)
{
    TQvStringGrid g;
    column(g, {"1", "abc", "2.5"});
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, 1, 3), 3.5);
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, -1, -1), 3.5);
    EXPECT_DOUBLE_EQ(g.ColumnAvg(1, 1, 3), 3.5 / 3);
    EXPECT_DOUBLE_EQ(g.ColumnAvg(1, 3, 1), 0);
    EXPECT_DOUBLE_EQ(g.ColumnMin(1, 1, 3), 0); // a text without digits reads as 0
    EXPECT_DOUBLE_EQ(g.ColumnMax(1, 1, 3), 2.5);
}

TEST(QvGridCalc, DistinctTextsIgnoreCase)
{
    TQvStringGrid g;
    column(g, {"a", "A", "b", ""});
    EXPECT_DOUBLE_EQ(g.ColumnDistinct(1, 1, 4), 3);
}

TEST(QvGridCalc, NodeRowsCountOnlyWhileUngrouped)
{
    TQvStringGrid g;
    column(g, {"10", "1", "2"});
    g.AddNode(1, 3);
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, 1, 3), 13); // not grouped: the node row counts

    TQvStringGrid grouped;
    grouped.SetColCount(3);
    grouped.SetRowCount(4);
    for (int r = 1; r < 4; ++r) {
        grouped.SetCells(1, r, QString::number(r));
        grouped.SetCells(2, r, "G");
    }
    grouped.Group(2);
    grouped.SetCells(1, 1, "100"); // the header row
    EXPECT_DOUBLE_EQ(grouped.ColumnSum(1, 1, 4), 6);
}

TEST(QvGridCalc, MinAndMaxStartFromTheFirstRowThatTakesPart)
{
    TQvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(4);
    for (int r = 1; r < 4; ++r) {
        g.SetCells(1, r, QString::number(r * 10));
        g.SetCells(2, r, "G");
    }
    g.Group(2);
    g.SetCells(1, 1, "node text"); // no number: reading it would raise
    EXPECT_DOUBLE_EQ(g.ColumnMin(1, 1, 4), 10);
    EXPECT_DOUBLE_EQ(g.ColumnMax(1, 1, 4), 30);
    g.SetCells(1, 1, "-5"); // a number in the header must not win either
    EXPECT_DOUBLE_EQ(g.ColumnMin(1, 1, 4), 10);

    TQvStringGrid r;
    r.SetColCount(5);
    r.SetCells(1, 1, "9");
    r.SetCells(2, 1, "7");
    r.SetCells(3, 1, "3");
    EXPECT_DOUBLE_EQ(r.RowMin(1, 1, 3), 3);
    EXPECT_DOUBLE_EQ(r.RowMax(1, 1, 3), 9);
    EXPECT_DOUBLE_EQ(r.RowSum(1, 1, 3), 19);
    EXPECT_DOUBLE_EQ(r.RowAvg(1, 1, 3), 19.0 / 3);
}

TEST(QvGridCalc, DeviationOverEveryRow)
{
    TQvStringGrid g;
    column(g, {"1", "3"});
    EXPECT_DOUBLE_EQ(g.ColumnStdDev(1, 1, 2), 1);
}

TEST(QvGridCalc, CustomCalculations)
{
    TQvStringGrid g;
    EXPECT_DOUBLE_EQ(g.ColumnCustomCalc(1, 1, 2), 0);
    g.OnColumnCalc = [](TQvStringGrid*, int c, int f, int t, double& res) { res = c + f + t; };
    EXPECT_DOUBLE_EQ(g.ColumnCustomCalc(1, 2, 3), 6);
}

TEST(QvGridCalc, FooterCountsHiddenRowsByRealRow)
{
    TQvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(6); // rows 1..4 and the footer 5
    for (int r = 1; r <= 4; ++r)
        g.SetCells(2, r, QString::number(r));
    g.FloatingFooter.SetVisible(true);
    g.FloatingFooter.SetCalculateHiddenRows(true);
    g.SetFooterCalcType(2, acSUM);
    g.HideRow(2);
    g.CalcFooter(2);
    EXPECT_DOUBLE_EQ(g.GetFloats(2, g.RowCount() - 1), 10);
}

} // namespace
