// Hover looks followed with the pointer: only the cells whose hover changed are repainted, and
// leaving the grid clears the hover and the armed fixed sizing.

#include "grid/QvGrid.h"
#include "grid/support/PaintSpy.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QTest>

using namespace grid;

namespace {

using test::PaintSpy;

struct HoverGrid {
    HoverGrid()
    {
        grid.resize(400, 260);
        grid.SetColCount(5);
        grid.SetRowCount(8);
        for (int r = 1; r < 8; ++r)
            for (int c = 1; c < 5; ++c)
                grid.SetCells(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
        grid.viewport()->installEventFilter(&spy);
        QApplication::processEvents();
    }
    QPoint in(int col, int row) { return grid.CellRect(col, row).toQRect().center(); }
    // The region painted by moving the pointer to the point.
    QRegion moveTo(QPoint p)
    {
        spy.painted = QRegion();
        QTest::mouseMove(grid.viewport(), p);
        QApplication::processEvents();
        return spy.painted;
    }
    QRect rowRect(int row)
    {
        return QRect(0, grid.CellRect(0, row).Top, grid.viewport()->width(), grid.RowHeights(row));
    }
    TQvStringGrid grid;
    PaintSpy spy;
};

TEST(GridHover, HoverRowRepaintsOnlyTheOldAndNewRow)
{
    HoverGrid g;
    g.grid.FHoverRow = true;
    g.grid.FHoverRowColor = 0x80FFFF;
    EXPECT_TRUE(g.rowRect(2).contains(g.moveTo(g.in(2, 2)).boundingRect()));
    EXPECT_EQ(g.grid.FHoverRowIdx, 2);
    // Within the same row nothing is repainted.
    EXPECT_TRUE(g.moveTo(g.in(3, 2)).isEmpty());
    const QRegion both = g.moveTo(g.in(3, 3));
    EXPECT_TRUE((QRegion(g.rowRect(2)) + g.rowRect(3)).contains(both.boundingRect()));
    EXPECT_TRUE(both.intersects(g.rowRect(2)));
    EXPECT_TRUE(both.intersects(g.rowRect(3)));
    testsupport::saveScreenshot(g.grid.grab().toImage(), QStringLiteral("grid/grid_hover_row.png"));

    // Leaving clears the hover row and repaints it.
    QEvent leave(QEvent::Leave);
    g.spy.painted = QRegion();
    QApplication::sendEvent(g.grid.viewport(), &leave);
    QApplication::processEvents();
    EXPECT_EQ(g.grid.FHoverRowIdx, -1);
    EXPECT_TRUE(g.spy.painted.intersects(g.rowRect(3)));
}

TEST(GridHover, HoverFixedCellRepaintsOnlyFixedCellsThatChanged)
{
    HoverGrid g;
    g.grid.HoverFixedCells = hfAll;
    const QRect header1 = g.grid.CellRect(1, 0).toQRect();
    const QRect header2 = g.grid.CellRect(2, 0).toQRect();
    EXPECT_TRUE(header1.contains(g.moveTo(g.in(1, 0)).boundingRect()));
    const QRegion moved = g.moveTo(g.in(2, 0));
    EXPECT_TRUE(QRegion(header1).united(header2).contains(moved.boundingRect()));
    // Onto a normal cell far from the fixed ones: only the header left behind is repainted.
    const QRegion left = g.moveTo(g.in(3, 4));
    EXPECT_TRUE(header2.contains(left.boundingRect()));
}

TEST(GridHover, HoverButtonRepaintsOnlyItsCellAndDrawsTheHotFace)
{
    HoverGrid g;
    // Own colour tones make the hot face differ from the normal one.
    g.grid.Flat = true;
    g.grid.LookState().Tones.Background = {0xE0E0E0, 0x808080, 0x000000};
    g.grid.LookState().Tones.Hover = {0x00C0FF, 0x0080FF, 0x000000};
    g.grid.ControlLook().SetNoDisabledButtonLook(true);
    g.grid.AddButton(2, 3, 30, 14, QStringLiteral("Go"), haLeft, vaTop);
    g.grid.AddExpand(3, 5, 40);
    QApplication::processEvents();
    const QRect cell = g.grid.CellRect(2, 3).toQRect();
    const QRect button = g.grid.GetButtonRect(2, 3).toQRect();
    ASSERT_FALSE(button.isEmpty());
    const QImage normal = g.grid.viewport()->grab(button).toImage();

    EXPECT_TRUE(cell.contains(g.moveTo(button.center()).boundingRect()));
    EXPECT_EQ(g.grid.FHoverButton, (TPoint{2, 3}));
    EXPECT_NE(g.grid.viewport()->grab(button).toImage(), normal);
    // Within the button nothing changes; off it, in the same cell, the cell alone is repainted.
    EXPECT_TRUE(g.moveTo(button.center() + QPoint(1, 0)).isEmpty());
    const QPoint beside(cell.right() - 3, cell.center().y());
    ASSERT_FALSE(button.contains(beside));
    EXPECT_TRUE(cell.contains(g.moveTo(beside).boundingRect()));
    EXPECT_EQ(g.grid.FHoverButton, (TPoint{-1, -1}));
    EXPECT_EQ(g.grid.viewport()->grab(button).toImage(), normal);
    EXPECT_TRUE(g.moveTo(g.in(1, 6)).isEmpty());

    // An expand glyph is a button too; from it straight to the other button repaints both cells.
    const QRect glyph = g.grid.GetExpandRect(3, 5).toQRect();
    EXPECT_TRUE(g.grid.CellRect(3, 5).toQRect().contains(g.moveTo(glyph.center()).boundingRect()));
    EXPECT_EQ(g.grid.FHoverButton, (TPoint{3, 5}));
    const QRegion both = g.moveTo(button.center());
    EXPECT_TRUE(both.intersects(cell));
    EXPECT_TRUE(both.intersects(g.grid.CellRect(3, 5).toQRect()));
    EXPECT_TRUE(QRegion(cell).united(g.grid.CellRect(3, 5).toQRect()).contains(both.boundingRect()));
}

TEST(GridHover, TheSharedCellScrollBarFollowsThePointerToCellsWithMoreToScroll)
{
    HoverGrid g;
    g.grid.AddScrollBar(2, 3, false);
    g.grid.SetScrollProp(2, 3, {10, 100});
    g.grid.SetScrollPosition(2, 3, 30);
    g.grid.AddScrollBar(3, 4, false);
    g.grid.SetScrollProp(3, 4, {100, 100}); // shows all it has: no bar, not even the one left on another cell
    // The shared bar is the first of the viewport's own bars (its painting twin comes next).
    QScrollBar* bar = g.grid.viewport()->findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly).value(0);
    ASSERT_NE(bar, nullptr);

    g.moveTo(g.in(2, 3));
    const TRect cell = g.grid.CellRect(2, 3);
    const int line = g.grid.GridLineWidth();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->geometry(), QRect(cell.Right - 17 - line, cell.Top + line, 17, cell.Bottom - cell.Top - 2 * line));
    EXPECT_EQ(bar->value(), 30);
    EXPECT_EQ(bar->maximum(), 91); // page 10 of range 100: the highest position shows the last page
    EXPECT_EQ(bar->pageStep(), 10);
    // Already on this cell: a further move takes the position but does not place it again.
    bar->move(0, 0);
    g.grid.SetScrollPosition(2, 3, 40);
    g.moveTo(g.in(2, 3) + QPoint(-5, 0));
    EXPECT_EQ(bar->pos(), QPoint(0, 0));
    EXPECT_EQ(bar->value(), 40);

    g.moveTo(g.in(3, 4));
    EXPECT_FALSE(bar->isVisible());
    g.moveTo(g.in(2, 3));
    EXPECT_TRUE(bar->isVisible());
    g.moveTo(g.in(1, 6));
    EXPECT_FALSE(bar->isVisible());
}

TEST(GridHover, LeavingDisarmsFixedSizing)
{
    HoverGrid g;
    g.grid.MouseActions().SetSizeFixedCol(true);
    const int edge = g.grid.ColWidths(0);
    g.moveTo(QPoint(edge + 2, g.in(0, 3).y()));
    EXPECT_EQ(g.grid.viewport()->cursor().shape(), Qt::SplitHCursor);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(g.grid.viewport(), &leave);
    EXPECT_NE(g.grid.viewport()->cursor().shape(), Qt::SplitHCursor);
}

} // namespace
