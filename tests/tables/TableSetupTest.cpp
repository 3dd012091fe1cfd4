#include "tables/TableSetup.h"

#include <gtest/gtest.h>

using namespace tables;

TEST(TableSetup, ColumnsTakeTheirDefinitionsAndOnlyEditableColumnsOpenTheEditor)
{
    TTableGrid grid;
    Setup_Table(grid, 5,
                {{40, true},
                 {50, false, Rgb(0xFF, 0, 0), grid::edDataCheckBox},
                 {60, false, grid::clNone, grid::edComboList, {QStringLiteral("A"), QStringLiteral("B")}},
                 {70, true}},
                1, 21);
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.Columns()[1].Color(), Rgb(0xFF, 0, 0));
    EXPECT_EQ(grid.Columns()[2].ComboItems(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(grid.Columns()[3].Width(), 70);

    grid.SetCol(2);
    EXPECT_TRUE(grid.Options() & grid::goEditing);
    grid.SetCol(3);
    EXPECT_FALSE(grid.Options() & grid::goEditing);
}

TEST(TableSetup, TableRowsKnowTheDataCheckBoxColumnsByTheirEditor)
{
    TTableGrid grid;
    Setup_Table(grid, 3, {{40, true}, {50, false, grid::clNone, grid::edDataCheckBox}, {60}}, 1, 21);
    const auto rows = Make_Table_Rows(grid, QStringLiteral("T.grid"));
    EXPECT_EQ(rows->TableKey(), QStringLiteral("T.grid"));
    EXPECT_TRUE(rows->IsDataCheckBoxColumn(1));
    EXPECT_FALSE(rows->IsDataCheckBoxColumn(2));
    EXPECT_FALSE(rows->IsDataCheckBoxColumn(9));
}
