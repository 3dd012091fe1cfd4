// The clock's style presets and colour schemes: what each preset resets and writes (fonts as
// requested, sizes from the control's size, the two switches), what a scheme writes and keeps,
// and a screenshot of every preset on a 180 x 180 clock.

#include "dropdowns/QvWatch.h"
#include "support/FakeDesktop.h"
#include "support/Screenshots.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace dropdowns;
using namespace platform;
using testsupport::FakeDesktop;

namespace {

class WatchStyles : public ::testing::Test {
protected:
    FakeDesktop desktop;
    TQvWatch w{nullptr, &desktop};
};

} // namespace

TEST_F(WatchStyles, TowerAfterFluorescentKeepsTheAMPMBoxOffAndHidesTheNumbers)
{
    w.SetStyle(wsFluorescent);
    EXPECT_FALSE(w.ShowAMPM());
    EXPECT_FALSE(w.ShowNumbers());
    w.SetShowNumbers(true);
    w.SetStyle(wsTower);
    EXPECT_FALSE(w.ShowAMPM());
    EXPECT_FALSE(w.ShowNumbers());
    EXPECT_EQ(w.Appearance().AMPMColor(), 0xB1F0FEu);
    EXPECT_EQ(w.Appearance().BackgroundColorTo(), 0x5BCCE8u);
    EXPECT_EQ(w.Appearance().Shape(), wsRect);
    EXPECT_EQ(w.Appearance().TickMarks(), tmHours);
}

TEST_F(WatchStyles, SizesFollowTheControl)
{
    w.SetStyle(wsSuperNova);
    EXPECT_EQ(w.Appearance().HourMarkLength(), 40);
    EXPECT_EQ(w.Appearance().MinuteMarkLength(), 60);
    w.SetStyle(wsSports);
    EXPECT_EQ(w.Appearance().CenterPointSize(), 50);
    w.resize(200, 120);
    w.SetStyle(wsSuperNova);
    EXPECT_EQ(w.Appearance().HourMarkLength(), 27); // 120 / 4.5 = 26.7
    EXPECT_EQ(w.Appearance().MinuteMarkLength(), 40);
}

TEST_F(WatchStyles, PresetFontsAreRequestedAsNamed)
{
    const struct {
        TWatchStyle style;
        const char* hourName;
        int hourSize;
        bool hourBold;
        TColor hourColor;
        const char* ampmName;
        int ampmSize;
        TColor ampmColor;
    } cases[] = {
        {wsClassic, "Comic Sans MS", 10, true, clWindowText, "MS Sans Serif", 10, clWindowText},
        {wsTower, "Century", 8, true, clWindowText, "MS Sans Serif", 10, clWindowText},
        {wsFluorescent, "MS Sans Serif", 8, false, clWindowText, "MS Sans Serif", 10, clWindowText},
        {wsEmerald, "MS Sans Serif", 8, false, 0x3AE800, "MS Sans Serif", 10, 0xA00000},
        {wsBlueStar, "MS Sans Serif", 8, false, 0xFFD5D5, "MS Sans Serif", 10, 0xA00000},
        {wsFuchsia, "MS Sans Serif", 8, false, clWindowText, "MS Sans Serif", 10, clWindowText},
        {wsBlack, "Century Gothic", 11, false, 0xFFFFFF, "MS Sans Serif", 10, clWindowText},
        {wsBlackWhite, "Century Gothic", 14, true, 0x000000, "Tahoma", 10, clWindowText},
        {wsGray, "Comic Sans MS", 8, false, clWindowText, "MS Sans Serif", 10, clWindowText},
        {wsSuperNova, "Tahoma", 8, false, clWindowText, "Tahoma", 10, clWindowText},
        {wsSports, "Times New Roman", 9, false, 0x797979, "Tahoma", 10, clWindowText},
        {wsSmooth, "Times New Roman", 9, false, 0x797979, "Tahoma", 10, clWindowText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hourName);
        w.SetStyle(c.style == wsClassic ? wsGray : wsClassic); // so that the preset is applied
        w.SetStyle(c.style);
        const TFont& hour = w.Appearance().HourFont();
        EXPECT_EQ(hour.Name, QString::fromLatin1(c.hourName));
        EXPECT_EQ(hour.Size, c.hourSize);
        EXPECT_EQ(bool(hour.Style & grid::fsBold), c.hourBold);
        EXPECT_EQ(hour.Color, c.hourColor);
        const TFont& ampm = w.Appearance().AMPMFont();
        EXPECT_EQ(ampm.Name, QString::fromLatin1(c.ampmName));
        EXPECT_EQ(ampm.Size, c.ampmSize);
        EXPECT_EQ(ampm.Style, 0u);
        EXPECT_EQ(ampm.Color, c.ampmColor);
        // The family handed to the painter is the one named; the system substitutes it.
        EXPECT_EQ(grid::toQFont(hour).family(), QString::fromLatin1(c.hourName));
    }
}

TEST_F(WatchStyles, APresetEmptiesThePictureAndResetsFontsASchemeKeepsThem)
{
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const TFont arial{QStringLiteral("Arial"), 20, grid::fsItalic, 0x123456};
    w.Appearance().SetPicture(picture);
    w.Appearance().SetHourFont(arial);
    w.Appearance().SetShape(wsRoundRect);
    w.SetComponentStyle(grid::tsWindows7);
    EXPECT_FALSE(w.Appearance().Picture().isNull());
    EXPECT_EQ(w.Appearance().HourFont().Name, QStringLiteral("Arial"));
    EXPECT_EQ(w.Appearance().HourFont().Size, 20);
    EXPECT_EQ(w.Appearance().HourFont().Style, unsigned(grid::fsItalic));
    EXPECT_EQ(w.Appearance().HourFont().Color, 0x000000u);
    EXPECT_EQ(w.Appearance().Shape(), wsRoundRect);

    w.SetStyle(wsSuperNova);
    EXPECT_TRUE(w.Appearance().Picture().isNull());
    EXPECT_EQ(w.Appearance().HourFont(), (TFont{QStringLiteral("Tahoma"), 8, 0, clWindowText}));
    EXPECT_EQ(w.Appearance().Shape(), wsCircle);
}

TEST_F(WatchStyles, CustomOnlyBlackensTheFontsAndTheOuterBorder)
{
    TWatchAppearance before;
    before.SetHourFont({QStringLiteral("Arial"), 12, 0, 0x00FF00});
    before.SetAMPMFont({QStringLiteral("Arial"), 9, 0, 0x00FF00});
    before.SetCenterPointOuterBorderColor(0x00FF00);
    TWatchAppearance a;
    a.Assign(before);
    ApplyWatchColorScheme(a, grid::tsCustom);
    TWatchAppearance expected;
    expected.Assign(before);
    expected.SetHourFont({QStringLiteral("Arial"), 12, 0, 0});
    expected.SetAMPMFont({QStringLiteral("Arial"), 9, 0, 0});
    expected.SetCenterPointOuterBorderColor(0);
    TWatchAppearance check;
    check.Assign(a);
    // Field by field through a second copy: every colour, size and shape as before.
    EXPECT_EQ(check.HourFont(), expected.HourFont());
    EXPECT_EQ(check.AMPMFont(), expected.AMPMFont());
    EXPECT_EQ(check.CenterPointOuterBorderColor(), 0u);
    EXPECT_EQ(check.AMPMColor(), expected.AMPMColor());
    EXPECT_EQ(check.AMPMBorderColor(), expected.AMPMBorderColor());
    EXPECT_EQ(check.BackgroundColor(), expected.BackgroundColor());
    EXPECT_EQ(check.BackgroundColorTo(), expected.BackgroundColorTo());
    EXPECT_EQ(check.BorderColor(), expected.BorderColor());
    EXPECT_EQ(check.CenterPointColor(), expected.CenterPointColor());
    EXPECT_EQ(check.CenterPointBorderColor(), expected.CenterPointBorderColor());
    EXPECT_EQ(check.HourColor(), expected.HourColor());
    EXPECT_EQ(check.MinuteColor(), expected.MinuteColor());
    EXPECT_EQ(check.HourPointer(), expected.HourPointer());
    EXPECT_EQ(check.MinutePointer(), expected.MinutePointer());
    EXPECT_EQ(check.HourPointerShadow(), expected.HourPointerShadow());
    EXPECT_EQ(check.MinutePointerShadow(), expected.MinutePointerShadow());
    EXPECT_EQ(check.SecondPointer(), expected.SecondPointer());
}

TEST_F(WatchStyles, EverySchemeRow)
{
    const struct {
        grid::TVLXStyle style;
        TColor ampmBorder, ampm, background, backgroundTo, border, centerBorder, center, hands, shadow, second,
            ampmFont, hourFont;
    } rows[] = {
        {grid::tsOffice2003Blue, 0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759,
         0xFFFFFF, 0xFFFFFF, 0, 0},
        {grid::tsOffice2003Silver, 0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5,
         0xFFFFFF, 0xFFFFFF, 0, 0},
        {grid::tsOffice2003Olive, 0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF,
         0xFFFFFF, 0xFFFFFF, 0, 0},
        {grid::tsOffice2003Classic, 0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0x808080, 0x808080,
         0xFFFFFF, 0x808080, 0, 0},
        {grid::tsOffice2007Luna, 0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708,
         0xFFFFFF, 0x723708, 0, 0},
        {grid::tsOffice2007Obsidian, 0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0,
         0xFFFFFF, 0xF2F1F0, 0xF2F1F0, 0xF2F1F0},
        {grid::tsWindowsXP, 0x000000, clBtnFace, clBtnFace, clBtnFace, 0x000000, 0x000000, 0x000000, 0x000000, 0xFFFFFF,
         0x000000, 0, 0},
        {grid::tsWhidbey, 0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0xFFFFFF,
         0x7E9898, 0, 0},
        {grid::tsOffice2007Silver, 0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F,
         0xFFFFFF, 0x74706F, 0, 0},
        {grid::tsWindowsVista, 0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFFFFFF,
         0xFEDF9A, 0, 0},
        {grid::tsWindows7, 0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF,
         0xFBD6B8, 0, 0},
        {grid::tsTerminal, 0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF,
         0x808080, 0, 0},
        {grid::tsOffice2010Blue, 0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F,
         0xFFFFFF, 0xC7B29F, 0, 0},
        {grid::tsOffice2010Silver, 0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8,
         0xC0C0C0, 0xD2CDC8, 0, 0},
        {grid::tsOffice2010Black, 0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D,
         0xFFFFFF, 0x6D6D6D, 0, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(int(r.style));
        TWatchAppearance a;
        a.SetHourFont({QStringLiteral("Tahoma"), 8, 0, 0x00FF00});
        a.SetAMPMFont({QStringLiteral("Tahoma"), 10, 0, 0x00FF00});
        ApplyWatchColorScheme(a, r.style);
        EXPECT_EQ(a.AMPMBorderColor(), r.ampmBorder);
        EXPECT_EQ(a.AMPMColor(), r.ampm);
        EXPECT_EQ(a.BackgroundColor(), r.background);
        EXPECT_EQ(a.BackgroundColorTo(), r.backgroundTo);
        EXPECT_EQ(a.BorderColor(), r.border);
        EXPECT_EQ(a.CenterPointBorderColor(), r.centerBorder);
        EXPECT_EQ(a.CenterPointColor(), r.center);
        EXPECT_EQ(a.HourColor(), r.hands);
        EXPECT_EQ(a.MinuteColor(), r.hands);
        EXPECT_EQ(a.HourPointer(), r.hands);
        EXPECT_EQ(a.MinutePointer(), r.hands);
        EXPECT_EQ(a.HourPointerShadow(), r.shadow);
        EXPECT_EQ(a.MinutePointerShadow(), r.shadow);
        EXPECT_EQ(a.SecondPointer(), r.second);
        EXPECT_EQ(a.CenterPointOuterBorderColor(), 0u);
        EXPECT_EQ(a.AMPMFont().Color, r.ampmFont);
        EXPECT_EQ(a.HourFont().Color, r.hourFont);
    }
}

TEST_F(WatchStyles, TheClockTakesTheSchemeOnItsOwnAppearance)
{
    w.SetComponentStyle(grid::tsOffice2010Black);
    EXPECT_EQ(w.GetComponentStyle(), grid::tsOffice2010Black);
    EXPECT_EQ(w.Appearance().BackgroundColor(), 0xBFBFBFu);
}

// ---- screenshots ----------------------------------------------------------------------------------

TEST_F(WatchStyles, ScreenshotOfEveryPreset)
{
    const char* names[] = {"Classic", "Tower",      "Fluorescent", "Emerald",   "BlueStar", "Fuchsia",
                           "Black",   "BlackWhite", "Gray",        "SuperNova", "Sports",   "Smooth"};
    w.SetTime(EncodeTime(10, 10, 0, 0));
    for (int i = 0; i < kWatchStyleCount; ++i) {
        const auto style = TWatchStyle(i);
        SCOPED_TRACE(names[i]);
        w.SetStyle(style == wsClassic ? wsGray : wsClassic);
        w.SetStyle(style);
        QImage img(w.size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        w.Invalidate();
        w.render(&img);
        const TWatchAppearance& a = w.Appearance();
        // The centre point is painted last, over the hands (a small one may show its ring).
        const TColor centre = fromQColor(QColor(img.pixel(90, 90)));
        EXPECT_TRUE(centre == a.CenterPointColor() || centre == a.CenterPointBorderColor()) << std::hex << centre;
        // Inside the face, clear of marks, numbers and hands: the background, where it is one colour.
        if (a.BackgroundColorTo() == clNone || a.BackgroundColorTo() == a.BackgroundColor()) {
            EXPECT_EQ(fromQColor(QColor(img.pixel(55, 100))), colorToRGB(a.BackgroundColor()));
        }
        ASSERT_TRUE(
            testsupport::saveScreenshot(img, QStringLiteral("dropdowns/Watch_%1.png").arg(QLatin1String(names[i]))));
    }
}
