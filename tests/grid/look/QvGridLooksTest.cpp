// A grid following the desktop's colour theme: it takes the office theme from the registry
// stand-in its services give, registers with the theme notifier, follows a change another
// program writes into the store's file, and re-applies the theme on the platform's theme change.

#include "grid/QvGrid.h"
#include "grid/look/GridLooks.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace grid;

namespace {

const QString kGeneral2010 = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common\\General");
const QString kCommon2010 = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");
const QString kTheme = QStringLiteral("Theme");

struct ThemedDesktop {
    ThemedDesktop()
    {
        store.writeString(kGeneral2010, QStringLiteral("UserName"), QStringLiteral("operator"));
        store.writeInteger(kCommon2010, kTheme, 3);
        EXPECT_TRUE(store.flush());
        services.registry = &store;
    }
    void writeElsewhere(int theme)
    {
        platform::SettingsStore other(store.path());
        other.writeInteger(kCommon2010, kTheme, theme);
        EXPECT_TRUE(other.flush());
    }
    QTemporaryDir dir;
    platform::SettingsStore store{dir.filePath(QStringLiteral("registry.ini"))};
    platform::Services services;
};

bool registered(QWidget* w)
{
    return GlobalThemeNotifier && GlobalThemeNotifier->RegMonitorThread
           && GlobalThemeNotifier->RegMonitorThread->WinList().HasValue(w);
}

TEST(QvGridLooks, AutoThemeAdaptFollowsTheOfficeTheme)
{
    ThemedDesktop desktop;
    QWidget window;
    auto* g = new TQvStringGrid(&window);
    g->SetServices(desktop.services);
    g->SetAutoThemeAdapt(true);
    EXPECT_TRUE(g->SearchFooter().AutoThemeAdapt());
    EXPECT_EQ(g->GetComponentStyle(), tsOffice2010Black) << "\"Theme\" 3 of the 2010 suite";
    EXPECT_TRUE(registered(g));

    desktop.writeElsewhere(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return g->GetComponentStyle() == tsOffice2010Blue; }, 10000));

    // The platform's own theme change re-applies it too.
    desktop.store.writeInteger(kCommon2010, kTheme, 2);
    QEvent change(QEvent::ThemeChange);
    QCoreApplication::sendEvent(g, &change);
    EXPECT_EQ(g->GetComponentStyle(), tsOffice2010Silver);

    g->SetAutoThemeAdapt(false);
    EXPECT_FALSE(registered(g));
    EXPECT_FALSE(g->SearchFooter().AutoThemeAdapt());
    desktop.store.writeInteger(kCommon2010, kTheme, 3);
    QCoreApplication::sendEvent(g, &change);
    EXPECT_EQ(g->GetComponentStyle(), tsOffice2010Silver) << "switched off, it no longer follows";
}

TEST(QvGridLooks, AGridGoingAwayLeavesTheNotifier)
{
    ThemedDesktop desktop;
    QWidget window;
    auto* first = new TQvStringGrid(&window);
    auto* second = new TQvStringGrid(&window);
    for (TQvStringGrid* g : {first, second}) {
        g->SetServices(desktop.services);
        g->SetAutoThemeAdapt(true);
    }
    ASSERT_TRUE(registered(first) && registered(second));
    ASSERT_EQ(GlobalThemeNotifier->RegMonitorThread->WinList().Count(), 2);
    delete second;
    EXPECT_EQ(GlobalThemeNotifier->RegMonitorThread->WinList().Count(), 1);
    desktop.writeElsewhere(2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return first->GetComponentStyle() == tsOffice2010Silver; }, 10000));
}

TEST(QvGridLooks, NoRegistryGivesTheClassicScheme)
{
    TQvStringGrid g;
    g.SetAutoThemeAdapt(true);
    EXPECT_EQ(g.GetComponentStyle(), tsOffice2003Classic);
    g.SetAutoThemeAdapt(false);
}

TEST(QvGridLooks, LoadingGridRegistersWhenLoaded)
{
    ThemedDesktop desktop;
    QWidget window;
    auto* g = new TQvStringGrid(&window);
    g->SetServices(desktop.services);
    g->SetLoading(true);
    g->SetAutoThemeAdapt(true);
    EXPECT_FALSE(registered(g)) << "not while loading";
    g->CompleteLoading();
    EXPECT_TRUE(registered(g));
    EXPECT_EQ(g->GetComponentStyle(), tsOffice2010Black);
}

} // namespace
