// Nodes: contracting and expanding with heights, nesting, span types, parents, the
// one-expanded rule, child rows, and expand cells.

#include "grid/QvGrid.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

void fill(TQvStringGrid& g, int rows)
{
    g.SetRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        g.SetCells(1, r, QStringLiteral("r%1").arg(r));
        g.SetRowHeights(r, 20 + r);
    }
}

QStringList column1(TQvStringGrid& g)
{
    QStringList out;
    for (int r = 0; r < g.RowCount(); ++r)
        out << g.Cells(1, r);
    return out;
}

TEST(QvGridNodes, ContractAndExpandKeepTextsAndHeights)
{
    TQvStringGrid g;
    fill(g, 10);
    g.AddNode(2, 4);
    EXPECT_TRUE(g.IsNode(2));
    EXPECT_EQ(g.FNumNodes, 1);
    EXPECT_EQ(g.GetNodeLevel(2), 1);
    EXPECT_EQ(g.GetNodeSpan(2), 4);
    g.ContractNode(2);
    EXPECT_TRUE(g.GetNodeState(2));
    EXPECT_EQ(g.RowCount(), 7);
    EXPECT_EQ(g.RealRowIndex(3), 6);
    g.ExpandNode(2);
    EXPECT_FALSE(g.GetNodeState(2));
    EXPECT_EQ(g.RowCount(), 10);
    for (int r = 0; r < 10; ++r) {
        EXPECT_EQ(g.Cells(1, r), QStringLiteral("r%1").arg(r));
        EXPECT_EQ(g.RowHeights(r), 20 + r);
    }
    g.SetNodeState(2, true);
    EXPECT_EQ(g.RowCount(), 7);
    g.SetNodeState(2, false);
    EXPECT_EQ(g.RowCount(), 10);
}

TEST(QvGridNodes, ContractingAnOuterNodeOverAContractedInnerOne)
{
    TQvStringGrid g;
    fill(g, 12);
    g.AddNode(1, 8); // rows 1..8
    g.AddNode(3, 3); // rows 3..5, nested
    EXPECT_EQ(g.GetNodeLevel(3), 2);
    g.ContractNode(3);
    EXPECT_EQ(g.RowCount(), 10);
    g.ContractNode(1);
    EXPECT_EQ(column1(g), (QStringList{"r0", "r1", "r9", "r10", "r11"}));
    g.ExpandNode(1);
    EXPECT_EQ(g.RowCount(), 12);
    EXPECT_FALSE(g.GetNodeState(3)); // the inner node comes back expanded
    for (int r = 0; r < 12; ++r)
        EXPECT_EQ(g.Cells(1, r), QStringLiteral("r%1").arg(r));
}

TEST(QvGridNodes, SpanTypesParentsAndSummaries)
{
    TQvStringGrid g;
    fill(g, 10);
    EXPECT_EQ(g.GetParentRow(3), -1); // no nodes
    g.AddNode(2, 4);
    struct Case {
        int row, spanType, parent;
    };
    const Case cases[] = {{2, 0, 2}, {3, 2, 2}, {4, 2, 2}, {5, 1, 2}, {7, 1, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(g.GetNodeSpanType(c.row), c.spanType) << c.row;
        EXPECT_EQ(g.GetParentRow(c.row), c.parent) << c.row;
    }
    EXPECT_EQ(g.GetNodeSpan(3), -1);
    EXPECT_EQ(g.GetNodeLevel(3), -1);
    EXPECT_EQ(g.GetSubNodeCount(3), 0);
    g.MarkSummaryRow(6);
    EXPECT_TRUE(g.IsSummary(6));
    EXPECT_FALSE(g.IsNode(6));
    g.RemoveNode(2);
    EXPECT_FALSE(g.IsNode(2));
    EXPECT_EQ(g.FNumNodes, 0);
}

TEST(QvGridNodes, ExpandOneContractsTheOthers)
{
    TQvStringGrid g;
    fill(g, 12);
    g.AddNode(1, 3);
    g.AddNode(5, 3);
    g.ContractAll();
    EXPECT_EQ(g.RowCount(), 8);
    g.CellNode().SetExpandOne(true);
    g.ExpandNode(1);
    EXPECT_FALSE(g.GetNodeState(1));
    g.ExpandNode(g.RealRowIndex(g.DisplRowIndex(5)));
    EXPECT_TRUE(g.GetNodeState(1));
    EXPECT_FALSE(g.GetNodeState(g.DisplRowIndex(5)));
    g.ExpandAll(); // every node, whatever the one-expanded rule
    EXPECT_EQ(g.RowCount(), 12);
    EXPECT_EQ(g.NumHiddenRows(), 0);
}

TEST(QvGridNodes, InsertChildRowMovesTheNodeTextsIntoTheFirstChild)
{
    TQvStringGrid g;
    fill(g, 8);
    g.SetCells(2, 2, "two");
    g.AddNode(2, 3);
    g.InsertChildRow(2, 0);
    EXPECT_EQ(g.RowCount(), 9);
    EXPECT_EQ(g.GetNodeSpan(2), 4);
    EXPECT_EQ(g.GetSubNodeCount(2), 1);
    EXPECT_TRUE(g.IsNode(2));
    EXPECT_EQ(g.Cells(1, 2), "");
    EXPECT_EQ(g.Cells(2, 2), "");
    EXPECT_EQ(g.Cells(1, 3), "r2");
    EXPECT_EQ(g.Cells(2, 3), "two");
    EXPECT_EQ(g.Cells(1, 4), "r3");

    g.InsertChildRow(3, 1); // a new row below the first child, inside the node
    EXPECT_EQ(g.GetNodeSpan(2), 5);
    EXPECT_EQ(g.Cells(1, 4), "");
    EXPECT_EQ(g.Cells(1, 5), "r3");
    EXPECT_EQ(g.GetNodeSpanType(4), 2);

    g.RemoveChildRow(4);
    EXPECT_EQ(g.GetNodeSpan(2), 4);
    EXPECT_EQ(g.Cells(1, 4), "r3");
}

TEST(QvGridNodes, InsertChildRowKeepsHiddenRowsOfANestedNodeInPlace)
{
    TQvStringGrid g;
    fill(g, 12);
    g.AddNode(1, 8);
    g.AddNode(6, 3); // rows 6..8 nested
    g.ContractNode(6);
    g.InsertChildRow(2, 1); // new row at displayed 3; the inner node moves to 7
    EXPECT_EQ(g.GetNodeSpan(1), 9);
    EXPECT_TRUE(g.GetNodeState(7));
    EXPECT_EQ(g.RealRowIndex(8), 10);
    g.ExpandNode(g.RealRowIndex(7));
    QStringList expected{"r0", "r1", "r2", "", "r3", "r4", "r5", "r6", "r7", "r8", "r9", "r10", "r11"};
    EXPECT_EQ(column1(g), expected);
}

TEST(QvGridNodes, GlyphHitByNodeType)
{
    TQvStringGrid g;
    fill(g, 6);
    g.AddNode(1, 3);
    g.CellNode().SetNodeIndent(12);
    struct Case {
        TNodeType type;
        int x;
        bool hit;
    };
    // Level 1: hit when o < X < w + 12.
    const Case cases[] = {{cn3D, 1, true},    {cn3D, 0, false},  {cn3D, 17, true},   {cn3D, 18, false},
                          {cnLeaf, 2, false}, {cnLeaf, 3, true}, {cnLeaf, 19, true}, {cnLeaf, 20, false},
                          {cnXP, 4, false},   {cnXP, 5, true},   {cnXP, 15, true},   {cnXP, 16, false}};
    for (const Case& c : cases) {
        g.CellNode().SetNodeType(c.type);
        EXPECT_EQ(g.IsNodeGlyphHit(1, c.x), c.hit) << int(c.type) << " x=" << c.x;
    }
    g.MouseActions().SetPreciseNodeClick(false);
    EXPECT_TRUE(g.IsNodeGlyphHit(1, 500));
}

TEST(QvGridNodes, ExpandCells)
{
    TQvStringGrid g;
    g.resize(600, 400);
    g.SetRowHeights(2, 30);
    g.AddExpand(1, 2, 80);
    EXPECT_TRUE(g.HasExpand(1, 2));
    EXPECT_FALSE(g.GetExpandState(1, 2));
    EXPECT_EQ(g.GetExpandHeight(1, 2, true), 80);
    EXPECT_EQ(g.GetExpandHeight(1, 2, false), 30);
    EXPECT_TRUE(g.ToggleExpand(1, 2));
    EXPECT_TRUE(g.GetExpandState(1, 2));
    EXPECT_FALSE(g.ToggleExpand(1, 2));
    EXPECT_FALSE(g.ToggleExpand(2, 2));
    EXPECT_EQ(g.GetExpandHeight(2, 2, true), g.DefaultRowHeight());
    const TRect cell = g.CellRect(1, 2);
    const TRect glyph = g.GetExpandRect(1, 2);
    EXPECT_EQ(glyph, (TRect{cell.Right - 13, cell.Top + 2, cell.Right - 2, cell.Top + 13}));
    EXPECT_TRUE(g.GetExpandRect(2, 2).IsEmpty());
    g.RemoveExpand(1, 2);
    EXPECT_FALSE(g.HasExpand(1, 2));
}

} // namespace
