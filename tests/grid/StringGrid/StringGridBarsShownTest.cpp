// The scroll bars appear and go as the rows need them, once the event loop turns: the grid
// queues one show-or-hide of its bars for any number of range changes before that.

#include "grid/StringGrid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>

using namespace grid;

TEST(StringGridBars, VerticalBarFollowsTheRowCountAfterTheEventLoop)
{
    TStringGrid g;
    g.resize(300, 200);
    g.show();
    g.SetRowCount(3);
    QApplication::processEvents();
    EXPECT_FALSE(g.verticalScrollBar()->isVisible()) << "three rows fit";

    for (int n = 4; n <= 400; ++n) // many range changes, one show-or-hide
        g.SetRowCount(n);
    QApplication::processEvents();
    EXPECT_TRUE(g.verticalScrollBar()->isVisible()) << "400 rows do not fit";

    g.SetRowCount(3);
    QApplication::processEvents();
    EXPECT_FALSE(g.verticalScrollBar()->isVisible());
}
