// The grid's rows and columns written once over an axis: every public pair answers for its
// own axis only, case by case for columns and rows.

#include "grid/StringGrid/GridAxis.h"
#include "grid/QvGrid.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

struct AxisCase {
    TGridAxisKind kind;
    const char* name;
};

class GridAxisPairs : public ::testing::TestWithParam<AxisCase> {
protected:
    GridAxisPairs()
    {
        g.SetColCount(6);
        g.SetRowCount(6);
        g.SetFixedCols(1);
        g.SetFixedRows(1);
    }
    TGridAxisKind k() const { return GetParam().kind; }
    // The cell at `along` on the tested axis and `across` on the other.
    TPoint at(int along, int across) const { return AxisCell(k(), along, across); }
    TQvStringGrid g;
};

INSTANTIATE_TEST_SUITE_P(Axes, GridAxisPairs,
                         ::testing::Values(AxisCase{gaColumns, "Columns"}, AxisCase{gaRows, "Rows"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(GridAxisPairs, FixedPartMovesCurrentAnchorAndTopLeftOnItsAxisOnly)
{
    g.FocusCell(1, 1, true);
    if (k() == gaColumns)
        g.SetFixedCols(3);
    else
        g.SetFixedRows(3);
    const TGridAxis along = g.Axis(k()), across = g.Axis(AcrossAxis(k()));
    EXPECT_EQ(along.Fixed, 3);
    EXPECT_EQ(along.Current, 3);
    EXPECT_EQ(along.Anchor, 3);
    EXPECT_EQ(along.TopLeft, 3);
    EXPECT_EQ(across.Fixed, 1);
    EXPECT_EQ(across.Current, 1);
    EXPECT_EQ(across.Anchor, 1);
}

TEST_P(GridAxisPairs, MergedAlongAnswersForItsAxis)
{
    const TPoint base = at(1, 2);
    const TPoint span = AxisCell(k(), 3, 1); // three cells along, one across
    g.MergeCells(base.X, base.Y, span.X, span.Y);
    const TPoint inside = at(2, 2);
    const bool alongX = k() == gaColumns;
    EXPECT_EQ(g.IsXMergedCell(inside.X, inside.Y), alongX);
    EXPECT_EQ(g.IsYMergedCell(inside.X, inside.Y), !alongX);
    const TPoint outside = at(4, 2);
    EXPECT_FALSE(g.IsXMergedCell(outside.X, outside.Y));
    EXPECT_FALSE(g.IsYMergedCell(outside.X, outside.Y));
}

TEST_P(GridAxisPairs, SplittingALineLeavesTheTrailingFixedPartAndOtherLines)
{
    // Merges based in line 2 of the axis, spanning across it, one of them in the trailing
    // fixed part of the other axis; and one merge in line 3.
    const auto merge = [&](int along, int across) {
        const TPoint b = at(along, across);
        const TPoint s = AxisCell(k(), 1, 2);
        g.MergeCells(b.X, b.Y, s.X, s.Y);
    };
    merge(2, 1);
    merge(2, 4);
    merge(3, 1);
    if (k() == gaColumns)
        g.SetFixedFooters(2);
    else
        g.SetFixedRightCols(2);
    if (k() == gaColumns)
        g.SplitColumnCells(2);
    else
        g.SplitRowCells(2);
    const auto merged = [&](int along, int across) {
        const TPoint c = at(along, across);
        return g.IsMergedCell(c.X, c.Y);
    };
    EXPECT_FALSE(merged(2, 1));
    EXPECT_TRUE(merged(2, 4)); // in the footers or right columns
    EXPECT_TRUE(merged(3, 1));
}

TEST_P(GridAxisPairs, AxisViewReadsAndSetsSizes)
{
    TGridAxis a = g.Axis(k());
    EXPECT_EQ(a.Count, 6);
    a.SetSize(2, 33);
    EXPECT_EQ(a.Size(2), 33);
    EXPECT_EQ(k() == gaColumns ? g.ColWidths(2) : g.RowHeights(2), 33);
    EXPECT_NE(k() == gaColumns ? g.RowHeights(2) : g.ColWidths(2), 33);
}

} // namespace
