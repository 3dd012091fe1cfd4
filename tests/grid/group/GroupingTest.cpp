// The grouping settings: the values a new object has and what Assign copies.

#include "grid/QvGrid.h"
#include "grid/QvObj.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

TEST(Grouping, NewValues)
{
    const TGrouping g;
    EXPECT_FALSE(g.MergeHeader || g.MergeSummary || g.Summary || g.HeaderUnderline || g.SummaryLine || g.ShowGroupCount
                 || g.AutoSelectGroup || g.AutoCheckGroup);
    for (TColor c :
         {g.HeaderColor, g.SummaryColor, g.HeaderColorTo, g.HeaderTextColor, g.SummaryTextColor, g.SummaryColorTo})
        EXPECT_EQ(c, clNone);
    EXPECT_EQ(g.SummaryLineWidth, 2);
    EXPECT_EQ(g.HeaderLineWidth, 2);
    EXPECT_EQ(g.SummaryLineColor, 0xFF0000u);
    EXPECT_EQ(g.HeaderLineColor, 0xFF0000u);
    EXPECT_TRUE(g.GroupCountFormat.isEmpty());
    EXPECT_EQ(TQvStringGrid().Grouping.ClassName(), "TGrouping");
}

TEST(Grouping, AssignLeavesSummaryAndTheLinesAlone)
{
    TGrouping source;
    source.MergeHeader = source.MergeSummary = source.Summary = source.HeaderUnderline = source.SummaryLine = true;
    source.ShowGroupCount = source.AutoSelectGroup = source.AutoCheckGroup = true;
    source.HeaderColor = 1;
    source.SummaryColor = 2;
    source.HeaderColorTo = 3;
    source.HeaderTextColor = 4;
    source.SummaryTextColor = 5;
    source.SummaryColorTo = 6;
    source.SummaryLineWidth = 7;
    source.HeaderLineWidth = 8;
    source.SummaryLineColor = 9;
    source.HeaderLineColor = 10;
    source.GroupCountFormat = " (%d)";

    TGrouping target;
    target.Assign(source);
    EXPECT_TRUE(target.MergeHeader && target.MergeSummary && target.HeaderUnderline && target.SummaryLine
                && target.ShowGroupCount && target.AutoSelectGroup && target.AutoCheckGroup);
    EXPECT_EQ(target.HeaderColor, 1u);
    EXPECT_EQ(target.SummaryColor, 2u);
    EXPECT_EQ(target.HeaderColorTo, 3u);
    EXPECT_EQ(target.HeaderTextColor, 4u);
    EXPECT_EQ(target.SummaryTextColor, 5u);
    EXPECT_EQ(target.SummaryColorTo, 6u);
    EXPECT_EQ(target.GroupCountFormat, " (%d)");
    EXPECT_FALSE(target.Summary);
    EXPECT_EQ(target.SummaryLineWidth, 2);
    EXPECT_EQ(target.HeaderLineWidth, 2);
    EXPECT_EQ(target.SummaryLineColor, 0xFF0000u);
    EXPECT_EQ(target.HeaderLineColor, 0xFF0000u);
}

} // namespace
