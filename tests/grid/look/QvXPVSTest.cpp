#include "grid/look/QvXPVS.h"
#include "grid/look/QvDropXPVS.h"
#include "grid/look/ZirAzur.h"

#include "grid/support/FakeVisualStyles.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace grid;
using testsupport::FakeVisualStyles;

namespace {

// Every test starts with the tables unbound and leaves them bound to the production
// implementation, as the program has them.
class ThemeBinding : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReleaseGridThemeApi();
        ReleaseThemeApi();
    }
    void TearDown() override
    {
        ReleaseGridThemeApi();
        ReleaseThemeApi();
        BindGridThemeApi();
        BindThemeApi();
    }
};

} // namespace

TEST_F(ThemeBinding, UnboundTableCountsAsNoTheme)
{
    EXPECT_FALSE(GridThemeApi.Loaded);
    EXPECT_FALSE(IsThemeActive());
    EXPECT_FALSE(GridThemeApi.OpenThemeData);
}

TEST_F(ThemeBinding, BindsTheFiveEntriesOfTheGridTable)
{
    FakeVisualStyles lib;
    ASSERT_TRUE(BindGridThemeApi(lib));
    EXPECT_TRUE(GridThemeApi.Loaded);
    EXPECT_TRUE(GridThemeApi.OpenThemeData && GridThemeApi.CloseThemeData && GridThemeApi.DrawThemeBackground
                && GridThemeApi.IsThemeActive && GridThemeApi.GetCurrentThemeName);
    QString file, scheme, size;
    EXPECT_TRUE(GridThemeApi.GetCurrentThemeName(file, scheme, size));
    EXPECT_EQ(scheme, QStringLiteral("NormalColor"));
    EXPECT_TRUE(IsThemeActive());
}

TEST_F(ThemeBinding, DropDownTableHasNoThemeNameEntry)
{
    FakeVisualStyles lib(true, "GetCurrentThemeName");
    EXPECT_TRUE(BindThemeApi(lib));
    EXPECT_TRUE(DropDownThemeApi.Loaded);
    EXPECT_FALSE(DropDownThemeApi.GetCurrentThemeName);
    EXPECT_TRUE(ThemeTableActive(DropDownThemeApi));
    // The grid needs that entry, so the same library leaves the grid's table unbound.
    EXPECT_FALSE(BindGridThemeApi(lib));
    EXPECT_FALSE(IsThemeActive());
}

TEST_F(ThemeBinding, BindingTwiceKeepsTheFirstBinding)
{
    FakeVisualStyles first, second;
    ASSERT_TRUE(BindGridThemeApi(first));
    EXPECT_TRUE(BindGridThemeApi(second));
    EXPECT_EQ(GridThemeApi.Library, &first);
}

TEST_F(ThemeBinding, MissingEntryReportsThemeUnavailableInsteadOfStopping)
{
    for (const char* missing : {"OpenThemeData", "CloseThemeData", "DrawThemeBackground", "IsThemeActive"}) {
        FakeVisualStyles lib(true, missing);
        EXPECT_FALSE(BindGridThemeApi(lib)) << missing;
        EXPECT_FALSE(GridThemeApi.Loaded) << missing;
        EXPECT_FALSE(GridThemeApi.OpenThemeData) << missing;
        EXPECT_FALSE(IsThemeActive()) << missing;
        ReleaseGridThemeApi();
    }
}

TEST_F(ThemeBinding, ReleaseWithoutBindingDoesNothingAndReleaseUnbinds)
{
    ReleaseGridThemeApi();
    EXPECT_FALSE(GridThemeApi.Loaded);
    FakeVisualStyles lib;
    BindGridThemeApi(lib);
    ReleaseGridThemeApi();
    EXPECT_FALSE(GridThemeApi.Loaded);
    EXPECT_FALSE(IsThemeActive());
    // A new binding after release takes the new library.
    FakeVisualStyles other;
    EXPECT_TRUE(BindGridThemeApi(other));
    EXPECT_EQ(GridThemeApi.Library, &other);
}

TEST_F(ThemeBinding, ThemedPartOpensDrawsAndClosesWithinTheCall)
{
    FakeVisualStyles lib;
    BindGridThemeApi(lib);
    QImage img(20, 20, QImage::Format_RGB32);
    QPainter p(&img);
    EXPECT_TRUE(DrawThemedPart(GridThemeApi, nullptr, QStringLiteral("button"), p, 1, 2, QRect(1, 1, 5, 5)));
    EXPECT_EQ(lib.opened, 1);
    EXPECT_EQ(lib.closed, 1);
    EXPECT_TRUE(lib.open.empty());
    ASSERT_EQ(lib.draws.size(), 1u);
    EXPECT_EQ(lib.draws[0].themeClass, QStringLiteral("button"));
    EXPECT_EQ(lib.draws[0].state, 2);
}

TEST_F(ThemeBinding, InactiveThemeNeverOpensATheme)
{
    FakeVisualStyles lib(false);
    BindGridThemeApi(lib);
    QImage img(20, 20, QImage::Format_RGB32);
    QPainter p(&img);
    EXPECT_FALSE(DrawThemedPart(GridThemeApi, nullptr, QStringLiteral("button"), p, 1, 1, QRect(0, 0, 5, 5)));
    EXPECT_EQ(lib.opened, 0);
}

TEST(ThemeTables, BoundToTheProductionImplementationWhenTheProgramLoads)
{
    EXPECT_TRUE(GridThemeApi.Loaded);
    EXPECT_TRUE(DropDownThemeApi.Loaded);
    EXPECT_EQ(GridThemeApi.Library, &platform::defaultVisualStyles());
}

TEST_F(ThemeBinding, ProductionImplementationBindsBothTables)
{
    EXPECT_TRUE(BindGridThemeApi());
    EXPECT_TRUE(BindThemeApi());
    EXPECT_TRUE(IsThemeActive());
    QImage img(30, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    EXPECT_TRUE(DrawThemedPart(GridThemeApi, nullptr, QStringLiteral("button"), p, 1, 1, QRect(0, 0, 30, 20)));
}

// Both paths of a themed painter: the part comes from the theme while one is active and in
// the classic look otherwise (theme switched off, or the table unavailable).
TEST_F(ThemeBinding, PaintersTakeTheClassicLookWithoutATheme)
{
    const TColorTones tones;
    const auto paint = [&] {
        QImage img(30, 20, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        ZirAzur::DrawPushButton(p, nullptr, {0, 0, 30, 20}, tones, ZirAzur::psNormal, ZirAzur::pkThemed);
        return img;
    };
    const QRgb face = platform::toQColor(platform::clBtnFace).rgb();

    FakeVisualStyles on(true);
    BindGridThemeApi(on);
    EXPECT_EQ(paint().pixel(15, 10), FakeVisualStyles::marker);
    ReleaseGridThemeApi();

    FakeVisualStyles off(false);
    BindGridThemeApi(off);
    EXPECT_EQ(paint().pixel(15, 10), face);
    EXPECT_TRUE(off.draws.empty());
    ReleaseGridThemeApi();

    FakeVisualStyles broken(true, "DrawThemeBackground");
    BindGridThemeApi(broken);
    EXPECT_EQ(paint().pixel(15, 10), face);
}
