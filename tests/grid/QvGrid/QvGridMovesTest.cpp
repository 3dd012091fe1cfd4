// Moving rows and columns with their controls and flags, hiding and restoring the selection,
// the used cell area and the save range.

#include "grid/QvGrid.h"

#include "grid/support/GridTestHelpers.h"

#include <gtest/gtest.h>

#include <QLabel>

using namespace grid;
using grid::test::ShownGrid;

namespace {

QStringList column(const TQvStringGrid& g, int col)
{
    QStringList out;
    for (int r = 0; r < g.RowCount(); ++r)
        out << g.Cells(col, r);
    return out;
}

void fillRows(TQvStringGrid& g, int cols, int rows)
{
    g.SetColCount(cols);
    g.SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            g.SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
}

TEST(QvGridMoves, ControlsInCellsFollowAColumnMove)
{
    ShownGrid<TQvStringGrid> s(6, 4);
    TQvStringGrid& g = s.g;
    QLabel a(g.viewport()), b(g.viewport()), c(g.viewport());
    g.ControlList().AddControl(2, 1, &a);
    g.ControlList().AddControl(3, 1, &b);
    g.ControlList().AddControl(4, 1, &c);
    g.MoveColumn(4, 2);
    auto columnOf = [&](QWidget* w) {
        for (int i = 0; i < g.ControlList().Count(); ++i)
            if (g.ControlList().GetControl(i)->Control() == w)
                return g.ControlList().GetControl(i)->X();
        return -1;
    };
    EXPECT_EQ(columnOf(&c), 2);
    EXPECT_EQ(columnOf(&a), 3);
    EXPECT_EQ(columnOf(&b), 4);
    EXPECT_EQ(c.geometry().left(), g.CellRect(2, 1).Left - 1);
}

TEST(QvGridMoves, MoveRowsLandsInFrontOfTheNamedRow)
{
    struct Case {
        int from, to, count;
        QStringList order;
    };
    const Case cases[] = {
        {1, 6, 2, {"1:0", "1:3", "1:4", "1:5", "1:1", "1:2", "1:6", "1:7", "1:8", "1:9"}},
        {6, 1, 2, {"1:0", "1:6", "1:7", "1:1", "1:2", "1:3", "1:4", "1:5", "1:8", "1:9"}},
        {1, 3, 2, {"1:0", "1:1", "1:2", "1:3", "1:4", "1:5", "1:6", "1:7", "1:8", "1:9"}},
        {8, 10, 5, {"1:0", "1:1", "1:2", "1:3", "1:4", "1:5", "1:6", "1:7", "1:8", "1:9"}},
        {4, 4, 2, {"1:0", "1:1", "1:2", "1:3", "1:4", "1:5", "1:6", "1:7", "1:8", "1:9"}},
        {2, 9, 0, {"1:0", "1:1", "1:2", "1:3", "1:4", "1:5", "1:6", "1:7", "1:8", "1:9"}},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        fillRows(g, 3, 10);
        g.MoveRows(c.from, c.to, c.count);
        EXPECT_EQ(column(g, 1), c.order) << c.from << "->" << c.to << " x" << c.count;
    }
}

TEST(QvGridMoves, MovedRowsTakeTheirObjectsAndMarksAlong)
{
    TQvStringGrid g;
    fillRows(g, 3, 10);
    g.GetCellProperties(2, 1)->SetBrushColor(0x00FF00);
    g.SetRowModified(2, true);
    g.SetRowHeights(1, 40);
    g.MoveRows(1, 6, 2);
    auto* p = dynamic_cast<TCellProperties*>(g.Objects(2, 4));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->BrushColor(), 0x00FF00u);
    EXPECT_TRUE(g.GetRowModified(5));
    EXPECT_FALSE(g.GetRowModified(2));
    EXPECT_EQ(g.RowHeights(4), g.DefaultRowHeight());
}

TEST(QvGridMoves, MoveRowOntoAFixedFooterRowDoesNothing)
{
    TQvStringGrid g;
    fillRows(g, 3, 6);
    g.FloatingFooter.Visible = true;
    g.MoveRow(2, 5);
    EXPECT_EQ(g.Cells(1, 2), "1:2");
    EXPECT_EQ(g.Cells(1, 5), "1:5");
    g.MoveRow(2, 4);
    EXPECT_EQ(g.Cells(1, 4), "1:2");
}

TEST(QvGridMoves, MoveRowCarriesItsMarkAndKeepsHiddenRowsBetweenNeighbours)
{
    TQvStringGrid g;
    fillRows(g, 3, 8);
    g.SetRowModified(1, true);
    g.HideRow(3);
    g.MoveRow(1, 4); // displayed 4 is real 5
    EXPECT_EQ(column(g, 1), (QStringList{"1:0", "1:2", "1:4", "1:5", "1:1", "1:6", "1:7"}));
    const int real = g.RealRowIndex(4);
    EXPECT_TRUE(g.GetRowModified(real));
    ASSERT_EQ(g.GridItems().size(), 1u);
    g.UnHideRow(g.GridItems().front()->Idx());
    EXPECT_EQ(column(g, 1), (QStringList{"1:0", "1:2", "1:3", "1:4", "1:5", "1:1", "1:6", "1:7"}));
}

TEST(QvGridMoves, UsedCellRect)
{
    TQvStringGrid g;
    g.SetColCount(6);
    g.SetRowCount(8);
    const TRect empty = g.UsedCellRect();
    EXPECT_EQ(std::tie(empty.Left, empty.Top, empty.Right, empty.Bottom), std::make_tuple(0, 0, 0, 0));
    g.SetCells(3, 5, "x");
    const TRect one = g.UsedCellRect();
    EXPECT_EQ(std::tie(one.Left, one.Top, one.Right, one.Bottom), std::make_tuple(3, 5, 3, 5));
    g.SetCells(1, 6, "y");
    g.SetCells(4, 2, "z");
    const TRect r = g.UsedCellRect();
    EXPECT_EQ(std::tie(r.Left, r.Top, r.Right, r.Bottom), std::make_tuple(1, 2, 4, 6));
}

TEST(QvGridMoves, SaveRange)
{
    struct Case {
        bool fixedCells, fixedRows, fixedCols;
        int startRow, endRow, rowCount, startCol, endCol, colCount;
    };
    // 10 rows with 1 fixed row and 1 footer; 6 columns with 1 fixed column and 1 right column.
    const Case cases[] = {
        {false, false, false, 1, 8, 8, 1, 4, 4},
        {true, false, false, 0, 9, 10, 0, 5, 6},
        {false, true, false, 0, 9, 10, 1, 4, 4},
        {false, false, true, 1, 8, 8, 0, 5, 6},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        g.SetColCount(6);
        g.SetRowCount(10);
        g.SetFixedFooters(1);
        g.SetFixedRightCols(1);
        g.SaveFixedCells = c.fixedCells;
        g.SaveFixedRows = c.fixedRows;
        g.SaveFixedCols = c.fixedCols;
        EXPECT_EQ(g.SaveStartRow(), c.startRow);
        EXPECT_EQ(g.SaveEndRow(), c.endRow);
        EXPECT_EQ(g.SaveRowCount(), c.rowCount);
        EXPECT_EQ(g.SaveStartCol(), c.startCol);
        EXPECT_EQ(g.SaveEndCol(), c.endCol);
        EXPECT_EQ(g.SaveColCount(), c.colCount);
    }
}

TEST(QvGridMoves, HiddenSelectionComesBackOrFallsToTheFirstNormalCell)
{
    TQvStringGrid g;
    g.SetColCount(5);
    g.SetRowCount(10);
    g.SetSelection({2, 6, 3, 8});
    g.HideSelection();
    EXPECT_TRUE(g.SelectionHidden());
    EXPECT_EQ(g.Selection().Top, 10);
    g.UnHideSelection();
    EXPECT_FALSE(g.SelectionHidden());
    EXPECT_EQ(g.Selection().Top, 6);
    EXPECT_EQ(g.Selection().Right, 3);

    g.HideSelection();
    g.SetRowCount(4);
    g.UnHideSelection();
    EXPECT_EQ(g.Selection().Left, 1);
    EXPECT_EQ(g.Selection().Top, 1);
    EXPECT_EQ(g.Row(), 1);
}

TEST(QvGridMoves, InsertingRowsShowsAHiddenSelectionAgain)
{
    TQvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.RemoveRows(1, 2);
    ASSERT_TRUE(g.SelectionHidden());
    g.InsertRows(1, 1);
    EXPECT_FALSE(g.SelectionHidden());
    EXPECT_LT(g.Row(), g.RowCount());
}

TEST(QvGridMoves, CanAddAndCanInsertRowAskTheirEvents)
{
    TQvStringGrid g;
    EXPECT_TRUE(g.QueryCanAddRow());
    EXPECT_TRUE(g.QueryCanInsertRow(2));
    int askedRow = -1;
    g.OnCanAddRow = [](TQvStringGrid*, bool& can) { can = false; };
    g.OnCanInsertRow = [&](TQvStringGrid*, int row, bool& can) {
        askedRow = row;
        can = false;
    };
    EXPECT_FALSE(g.QueryCanAddRow());
    EXPECT_FALSE(g.QueryCanInsertRow(2));
    EXPECT_EQ(askedRow, 2);
}

} // namespace

// ---- move upkeep ---------------------------------------------------------------------------------

namespace {

// The real column whose header (row 0) reads "k:0".
int realColumnOf(const TQvStringGrid& g, int k)
{
    for (int c = 0; c < g.TotalColCount(); ++c)
        if (g.Cells(c, 0) == QStringLiteral("%1:0").arg(k))
            return c;
    return -1;
}

} // namespace

TEST(QvGridMoveUpkeep, ColumnMoveWithHiddenColumnsKeepsWidthsAndHiddenState)
{
    TQvStringGrid g;
    fillRows(g, 8, 4);
    for (int c = 0; c < 8; ++c)
        g.SetColWidths(c, 20 + c * 10);
    g.HideColumn(3);
    g.MoveColumn(2, 5); // displayed 5 is real 6
    EXPECT_EQ(realColumnOf(g, 2), 6);
    EXPECT_TRUE(g.IsHiddenColumn(realColumnOf(g, 3)));
    EXPECT_EQ(g.NumHiddenColumns(), 1);
    g.UnHideColumnsAll();
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(g.ColWidths(realColumnOf(g, k)), 20 + k * 10) << "column " << k;
    EXPECT_EQ(g.ColumnOrder().GetInteger(6), 2);
    EXPECT_TRUE(g.ColMoveFlg);
}

TEST(QvGridMoveUpkeep, SortColumnAndKeysFollowTheMove)
{
    struct Case {
        const char* name;
        int sortCol, from, to, expected;
    };
    const Case cases[] = {
        {"the sort column itself", 2, 2, 5, 5},
        {"between, move right", 3, 2, 5, 2},
        {"at the target, move right (closes up like the others)", 5, 2, 5, 4},
        {"beyond the target, move right", 6, 2, 5, 6},
        {"at the target, move left", 2, 5, 2, 3},
        {"between, move left", 4, 5, 2, 5},
        {"the sort column itself, move left", 5, 5, 2, 2},
        {"before both", 1, 2, 5, 1},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        fillRows(g, 8, 4);
        g.SortSettings().SetColumn(c.sortCol);
        g.MoveColumn(c.from, c.to);
        EXPECT_EQ(g.SortSettings().Column(), c.expected) << c.name;
    }
    TQvStringGrid g;
    fillRows(g, 8, 4);
    g.SortSettings().SetIndexShow(true);
    g.SortIndexes().AddIndex(3, true);
    g.SortIndexes().AddIndex(5, false);
    g.MoveColumn(2, 5);
    EXPECT_EQ(g.SortIndexes().SortColumns(0), 2);
    EXPECT_TRUE(g.SortIndexes().SortDirections(0));
    EXPECT_EQ(g.SortIndexes().SortColumns(1), 4);
    EXPECT_FALSE(g.SortIndexes().SortDirections(1));
}

TEST(QvGridMoveUpkeep, CoupledGridsMoveEachColumnAndRowOnce)
{
    TQvStringGrid a, b;
    fillRows(a, 6, 5);
    fillRows(b, 6, 5);
    for (TQvStringGrid* g : {&a, &b}) {
        g->SyncGrid().SetMoveColumn(true);
        g->SyncGrid().SetMoveRow(true);
    }
    a.SyncGrid().SetGrid(&b);
    b.SyncGrid().SetGrid(&a);
    int aMoves = 0, bMoves = 0, aRows = 0, bRows = 0;
    a.OnColumnMoved = [&](TStringGrid*, int, int) { ++aMoves; };
    b.OnColumnMoved = [&](TStringGrid*, int, int) { ++bMoves; };
    a.OnRowMoved = [&](TStringGrid*, int, int) { ++aRows; };
    b.OnRowMoved = [&](TStringGrid*, int, int) { ++bRows; };
    a.MoveColumn(1, 3);
    EXPECT_EQ(aMoves, 1);
    EXPECT_EQ(bMoves, 1);
    EXPECT_EQ(b.Cells(3, 0), "1:0");
    EXPECT_EQ(a.Cells(3, 0), "1:0");
    b.MoveRow(1, 3);
    EXPECT_EQ(aRows, 1);
    EXPECT_EQ(bRows, 1);
    EXPECT_EQ(a.Cells(0, 3), "0:1");
}

TEST(QvGridMoveUpkeep, RowMovedFiresOnceAfterTheDataMoved)
{
    TQvStringGrid g;
    fillRows(g, 3, 6);
    std::vector<std::pair<int, int>> events;
    QString seen;
    g.OnRowMoved = [&](TStringGrid* s, int from, int to) {
        events.emplace_back(from, to);
        seen = s->Cells(1, to);
    };
    g.MoveRow(1, 3);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], std::make_pair(1, 3));
    EXPECT_EQ(seen, "1:1");
    // Onto a fixed last-row footer: nothing moves and nothing is reported.
    g.FloatingFooter.Visible = true;
    g.MoveRow(2, 5);
    EXPECT_EQ(events.size(), 1u);
    EXPECT_EQ(g.Cells(1, 5), "1:5");
}
