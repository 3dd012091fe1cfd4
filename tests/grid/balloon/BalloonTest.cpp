// Balloon hints: one window however often Enable is switched, made after loading when set while
// loading, settings copied without the transparency, and the balloon driven by the pointer: it
// shows the cell's text, follows the pointer to another cell, hides on a press and never takes
// the focus.

#include "grid/QvGrid.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QHelpEvent>
#include <QPainter>
#include <QTest>
#include <QToolTip>

using namespace grid;

namespace {

struct BalloonGrid {
    BalloonGrid()
    {
        g.resize(400, 260);
        g.SetColCount(4);
        g.SetRowCount(6);
        g.SetCells(1, 1, QStringLiteral("Valve island"));
        g.SetCells(2, 2, QStringLiteral("Photo eye at the conveyor's end"));
        g.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&g));
        g.activateWindow();
        g.setFocus();
        QApplication::processEvents();
    }
    int balloons() const { return int(g.findChildren<TBalloonWindow*>().size()); }
    QPoint in(int col, int row) const { return g.CellRect(col, row).toQRect().center(); }
    // Balloons at once, so the pointer alone decides what shows.
    TBalloonWindow* enableNow()
    {
        g.Balloon.InitialDelay = 0;
        g.Balloon.ReshowDelay = 0;
        g.Balloon.SetEnable(true);
        return g.BalloonWindow();
    }
    TQvStringGrid g;
};

TEST(Balloon, OnOffOnLeavesOneWindow)
{
    BalloonGrid b;
    EXPECT_EQ(b.balloons(), 0);
    b.g.Balloon.SetEnable(true);
    EXPECT_EQ(b.balloons(), 1);
    b.g.Balloon.SetEnable(true); // written again: still the same window
    EXPECT_EQ(b.balloons(), 1);
    b.g.Balloon.SetEnable(false);
    EXPECT_EQ(b.balloons(), 0);
    EXPECT_EQ(b.g.BalloonWindow(), nullptr);
    b.g.Balloon.SetEnable(true);
    EXPECT_EQ(b.balloons(), 1);
    ASSERT_NE(b.g.BalloonWindow(), nullptr);
}

TEST(Balloon, EnableSetWhileLoadingActsAfterLoading)
{
    TQvStringGrid g;
    g.SetLoading(true);
    g.Balloon.SetEnable(true);
    EXPECT_EQ(g.BalloonWindow(), nullptr);
    g.CompleteLoading();
    EXPECT_NE(g.BalloonWindow(), nullptr);

    TQvStringGrid off;
    off.SetLoading(true);
    off.Balloon.SetEnable(false);
    off.CompleteLoading();
    EXPECT_EQ(off.BalloonWindow(), nullptr);
}

TEST(Balloon, AssignCopiesAllButTransparency)
{
    BalloonGrid b;
    b.g.Balloon.Transparency = 40;
    TBalloonSettings from;
    from.TextColor = 0x0000FF;
    from.BackgroundColor = 0x00FF00;
    from.InitialDelay = 10;
    from.ReshowDelay = 20;
    from.AutoHideDelay = 30;
    from.Transparency = 200;
    from.SetEnable(true);
    b.g.SetBalloon(from);
    const TBalloonSettings& s = b.g.Balloon;
    EXPECT_EQ(s.TextColor, TColor(0x0000FF));
    EXPECT_EQ(s.BackgroundColor, TColor(0x00FF00));
    EXPECT_EQ(s.InitialDelay, 10);
    EXPECT_EQ(s.ReshowDelay, 20);
    EXPECT_EQ(s.AutoHideDelay, 30);
    EXPECT_EQ(s.Transparency, 40);
    EXPECT_TRUE(s.Enable());
    EXPECT_EQ(b.balloons(), 1); // the copied Enable reached the grid
}

TEST(Balloon, NewWindowTitleIconAndOpacity)
{
    struct Case {
        unsigned char transparency;
        int opacity;
    };
    for (const Case c : {Case{0, 255}, Case{55, 200}, Case{255, 0}}) {
        SCOPED_TRACE(c.transparency);
        BalloonGrid b;
        b.g.Balloon.Transparency = c.transparency;
        b.g.Balloon.SetEnable(true);
        TBalloonWindow* w = b.g.BalloonWindow();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->Title(), QStringLiteral("ToolTipText"));
        EXPECT_EQ(w->Icon(), 3);
        EXPECT_EQ(w->Opacity(), c.opacity);
        EXPECT_NEAR(w->windowOpacity(), c.opacity / 255.0, 0.01);
        EXPECT_FALSE(w->isVisible());
    }
}

TEST(Balloon, PointerShowsTheCellTextWithoutTakingTheFocus)
{
    BalloonGrid b;
    TBalloonWindow* w = b.enableNow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(w->testAttribute(Qt::WA_ShowWithoutActivating));

    QTest::mouseMove(b.g.viewport(), b.in(1, 1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->isVisible(); }));
    EXPECT_EQ(w->Text(), QStringLiteral("Valve island"));
    EXPECT_EQ(w->ShownCell(), (TPoint{1, 1}));
    EXPECT_EQ(w->Icon(), 1);
    EXPECT_TRUE(b.g.hasFocus());
    EXPECT_NE(QApplication::activeWindow(), w);
    // The stem points just below the pointer.
    const QPoint pointer = b.g.viewport()->mapToGlobal(b.in(1, 1));
    EXPECT_TRUE(w->geometry().contains(pointer + QPoint(0, 17)));

    // Within the cell the balloon stays; into another cell it follows.
    QTest::mouseMove(b.g.viewport(), b.in(1, 1) + QPoint(3, 1));
    EXPECT_TRUE(w->isVisible());
    QTest::mouseMove(b.g.viewport(), b.in(2, 2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->ShownCell() == TPoint{2, 2}; }));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Text(), QStringLiteral("Photo eye at the conveyor's end"));

    // A press hides it; an empty cell shows none.
    QTest::mousePress(b.g.viewport(), Qt::LeftButton, {}, b.in(2, 2));
    EXPECT_FALSE(w->isVisible());
    QTest::mouseRelease(b.g.viewport(), Qt::LeftButton, {}, b.in(2, 2));
    QTest::mouseMove(b.g.viewport(), b.in(3, 3));
    QTest::qWait(20);
    EXPECT_FALSE(w->isVisible());
}

TEST(Balloon, StandsInForThePlainCellHint)
{
    BalloonGrid b;
    b.g.HintShowCells = true;
    ASSERT_NE(b.enableNow(), nullptr);
    QHelpEvent help(QEvent::ToolTip, b.in(1, 1), b.g.viewport()->mapToGlobal(b.in(1, 1)));
    QApplication::sendEvent(b.g.viewport(), &help);
    EXPECT_FALSE(QToolTip::isVisible());

    // Switched off, the plain hint is back.
    b.g.Balloon.SetEnable(false);
    EXPECT_EQ(b.g.BalloonWindow(), nullptr);
    QApplication::sendEvent(b.g.viewport(), &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Valve island"));
    QToolTip::hideText();
}

TEST(Balloon, Screenshot)
{
    BalloonGrid b;
    b.g.Balloon.TextColor = 0x000000;
    b.g.Balloon.BackgroundColor = 0xE1FFFF;
    TBalloonWindow* w = b.enableNow();
    b.g.AddBalloon(2, 2, QStringLiteral("Sensor"), QStringLiteral("Photo eye at the conveyor's end"), biWarning);
    ASSERT_TRUE(w->ShowAt(b.g.viewport()->mapToGlobal(b.in(2, 2))));
    QApplication::processEvents();
    // The grid and the balloon are separate windows: drawn into one picture where they lie.
    QImage shot = b.g.grab().toImage();
    {
        QPainter p(&shot);
        p.drawImage(b.g.mapFromGlobal(w->pos()), w->grab().toImage());
    }
    EXPECT_EQ(w->Title(), QStringLiteral("Sensor"));
    EXPECT_EQ(w->Icon(), 2);
    EXPECT_TRUE(testsupport::saveScreenshot(shot, QStringLiteral("grid/grid_balloon.png")));
    // The balloon's face shows its background colour where it lies over the grid.
    const QRect face = QRect(b.g.mapFromGlobal(w->pos()), w->size()) & shot.rect();
    ASSERT_FALSE(face.isEmpty());
    const int faceArea = face.width() * face.height();
    EXPECT_GT(faceArea - testsupport::pixelsOtherThan(shot, face, QColor(0xFF, 0xFF, 0xE1)), faceArea / 4);
}

} // namespace
