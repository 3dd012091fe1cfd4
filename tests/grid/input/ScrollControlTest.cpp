// The metro scroll control: thumb arithmetic, paging and dragging within the rows the grid can
// show, and a grid with nothing to scroll left alone.

#include "grid/input/ScrollControl.h"
#include "grid/QvGrid.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTest>

using namespace grid;

namespace {

// 100 rows of 20 pixels, one fixed, a window showing 10 of them, a 200-pixel control.
struct MetroGrid {
    MetroGrid(int rows = 100)
    {
        grid.SetColCount(4);
        grid.SetRowCount(rows);
        grid.SetDefaultRowHeight(20);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
        for (int h = 150; h < 400 && grid.VisibleRowCount() != 10; ++h) {
            grid.resize(300, h);
            QApplication::processEvents();
        }
        control = new TScrollControl(&grid);
        control->setGeometry(grid.width() - TScrollControl::kThickness, 0, TScrollControl::kThickness, 200);
        control->show();
    }
    void press(int y) { QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(2, y)); }
    TQvStringGrid grid;
    TScrollControl* control = nullptr;
};

TEST(ScrollControl, TrackAndThumbRaisedToTheMinimum)
{
    MetroGrid g;
    ASSERT_EQ(g.grid.VisibleRowCount(), 10);
    const TScrollThumb t = g.control->Thumb();
    EXPECT_TRUE(t.Visible);
    EXPECT_EQ(t.Track, 180);
    EXPECT_EQ(t.Start, 20);
    EXPECT_EQ(t.Size, 20); // 180 * 10 / 100 = 18, raised
    EXPECT_EQ(t.Pos, 20);
    g.grid.SetTopRow(50);
    EXPECT_EQ(g.control->Thumb().Pos, 20 + 89); // 180 * 49 / 99 rounded
}

TEST(ScrollControl, PagingAndDragStayWithinTheRows)
{
    MetroGrid g;
    ASSERT_EQ(g.grid.VisibleRowCount(), 10);
    g.press(150); // after the thumb
    EXPECT_EQ(g.grid.TopRow(), 11);
    g.press(21); // before the thumb (now further down)
    EXPECT_EQ(g.grid.TopRow(), 1);
    for (int i = 0; i < 20; ++i)
        g.press(190);
    EXPECT_EQ(g.grid.TopRow(), 90);

    g.grid.SetTopRow(1);
    const int p = g.control->Thumb().Pos;
    QTest::mousePress(g.control, Qt::LeftButton, {}, QPoint(2, p + 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 400), QPointF(2, 400), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(g.control, &move);
    QTest::mouseRelease(g.control, Qt::LeftButton, {}, QPoint(2, 199));
    EXPECT_EQ(g.grid.TopRow(), 90);
    testsupport::saveScreenshot(g.grid.grab().toImage(), QStringLiteral("grid/grid_metro_scroll.png"));
}

TEST(ScrollControl, NoThumbWhenAllRowsShow)
{
    MetroGrid g(6);
    EXPECT_FALSE(g.control->Thumb().Visible);
}

// Only fixed rows: nothing to scroll, no thumb, presses and drags change nothing.
TEST(ScrollControl, NothingToScrollIsLeftAlone)
{
    MetroGrid g(3);
    g.grid.SetFixedRows(2);
    g.grid.SetRowCount(2);
    EXPECT_FALSE(g.control->Thumb().Visible);
    const int top = g.grid.TopRow();
    g.press(5);
    g.press(190);
    QTest::mousePress(g.control, Qt::LeftButton, {}, QPoint(2, 5));
    QTest::mouseMove(g.control, QPoint(2, 150));
    QTest::mouseRelease(g.control, Qt::LeftButton, {}, QPoint(2, 150));
    EXPECT_EQ(g.grid.TopRow(), top);
    // A control with no length at all.
    MetroGrid h;
    h.control->resize(TScrollControl::kThickness, 0);
    EXPECT_FALSE(h.control->Thumb().Visible);
    h.press(0);
    EXPECT_EQ(h.grid.TopRow(), 1);
}

// The metro look gives the grid its two controls, 6 pixels thick along the right and bottom
// edges of the cells; any other look takes them away.
TEST(ScrollControl, MetroLookPlacesTwoControlsRightAndBottom)
{
    TQvStringGrid grid;
    grid.SetColCount(30);
    grid.SetRowCount(100);
    grid.resize(300, 240);
    grid.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
    grid.SetScrollType(ssMetro);
    QApplication::processEvents();
    TScrollControl* v = grid.ScrollControl(sdVertical);
    TScrollControl* h = grid.ScrollControl(sdHorizontal);
    ASSERT_TRUE(v && h);
    const QRect cells = grid.viewport()->geometry();
    EXPECT_EQ(v->geometry(), QRect(cells.right() - 5, cells.top(), 6, cells.height()));
    EXPECT_EQ(h->geometry(), QRect(cells.left(), cells.bottom() - 5, cells.width(), 6));
    EXPECT_EQ(v->Direction, sdVertical);
    EXPECT_EQ(h->Direction, sdHorizontal);
    // They follow the grid's size.
    grid.resize(360, 280);
    QApplication::processEvents();
    EXPECT_EQ(v->height(), grid.viewport()->height());
    EXPECT_EQ(h->width(), grid.viewport()->width());
    // A click after the thumb pages the grid.
    QTest::mouseClick(v, Qt::LeftButton, {}, QPoint(2, v->height() - 3));
    EXPECT_EQ(grid.TopRow(), 1 + grid.VisibleRowCount());
    testsupport::saveScreenshot(grid.grab().toImage(), QStringLiteral("grid/grid_metro_scroll_controls.png"));

    grid.SetScrollType(ssNormal);
    EXPECT_EQ(grid.ScrollControl(sdVertical), nullptr);
    EXPECT_EQ(grid.ScrollControl(sdHorizontal), nullptr);
}

} // namespace
