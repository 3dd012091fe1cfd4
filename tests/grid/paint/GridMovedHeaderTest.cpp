// While the user moves a column by its header, that header keeps its pressed look; the other
// headers, the one under the pointer included, keep their normal look.

#include "grid/QvGrid.h"
#include "grid/look/QvXPVS.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>

using namespace grid;

namespace {

void send(TQvStringGrid& g, QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons bs)
{
    QMouseEvent e(t, QPointF(p), g.viewport()->mapToGlobal(QPointF(p)), b, bs, {});
    QApplication::sendEvent(g.viewport(), &e);
    QApplication::processEvents();
}

} // namespace

TEST(GridMovedHeader, TheMovedColumnsHeaderKeepsThePressedLook)
{
    ReleaseGridThemeApi();
    TQvStringGrid g;
    g.resize(500, 200);
    g.SetColCount(5);
    g.SetRowCount(5);
    g.Look = glXP;
    g.HoverFixedCells = hfAll;
    g.SetOptions(g.Options() | goColMoving);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    const auto in = [&g](int c, int r) { return g.CellRect(c, r).toQRect().center(); };
    const auto shot = [&g] {
        QApplication::processEvents();
        QImage img(g.viewport()->size(), QImage::Format_RGB32);
        g.viewport()->render(&img);
        return img;
    };
    const QImage still = shot();
    send(g, QEvent::MouseButtonPress, in(2, 0), Qt::LeftButton, Qt::LeftButton);
    send(g, QEvent::MouseMove, in(3, 0), Qt::NoButton, Qt::LeftButton);
    ASSERT_EQ(g.GridState(), TGridState::gsColMoving);
    ASSERT_EQ(g.MovingCell(), 2);
    const QImage moving = shot();
    const auto at = [&g](int c) {
        const TRect r = g.CellRect(c, 0);
        return QPoint(r.Left + 4, r.Top + 4);
    };
    // The moved header takes the pressed colours; its neighbours stay as they were.
    EXPECT_NE(moving.pixel(at(2)), still.pixel(at(2)));
    EXPECT_EQ(moving.pixel(at(1)), still.pixel(at(1)));
    EXPECT_EQ(moving.pixel(at(3)), still.pixel(at(3)));
    send(g, QEvent::MouseButtonRelease, in(3, 0), Qt::LeftButton, Qt::NoButton);
    BindGridThemeApi();
}
