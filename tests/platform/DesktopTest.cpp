#include "platform/Desktop.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

using namespace platform;

TEST(QtDesktop, ScreenHeightIsThePrimaryScreens)
{
    ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
    EXPECT_EQ(productionDesktop().screenHeight(), QGuiApplication::primaryScreen()->geometry().height());
}

TEST(QtDesktop, WorkAreaOfAPointOnAndOffTheScreen)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect g = screen->geometry();
    EXPECT_EQ(productionDesktop().workAreaNear(g.center()), screen->availableGeometry());
    // Far outside every screen the nearest one answers.
    EXPECT_EQ(productionDesktop().workAreaNear(g.bottomRight() + QPoint(5000, 5000)), screen->availableGeometry());
}

TEST(QtDesktop, TicksCountMillisecondsForward)
{
    const std::uint32_t a = productionDesktop().tickCount();
    const QDateTime before = productionDesktop().currentDateTime();
    QDateTime after;
    do
        after = QDateTime::currentDateTime();
    while (before.msecsTo(after) < 5);
    const std::uint32_t elapsed = productionDesktop().tickCount() - a;
    EXPECT_GE(elapsed, 4u);
    EXPECT_LT(elapsed, 10000u);
}

TEST(QtDesktop, NoModifierHeldWithoutInput)
{
    EXPECT_EQ(productionDesktop().keyModifiers(), Qt::NoModifier);
}
