#include "platform/VisualStyles.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Paints one part on a white image and tells whether anything changed.
bool paints(QtVisualStyles& vs, const QString& cls, int part, int state)
{
    QImage img(40, 24, QImage::Format_RGB32);
    img.fill(Qt::white);
    const HTHEME h = vs.openThemeData(nullptr, cls);
    bool drawn = false;
    {
        QPainter p(&img);
        drawn = vs.drawThemeBackground(h, p, part, state, QRect(2, 2, 36, 20));
    }
    vs.closeThemeData(h);
    if (!drawn)
        return false;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

} // namespace

TEST(VisualStyles, ThemeActiveIsChosenAtConstruction)
{
    QtVisualStyles on(true), off(false);
    EXPECT_TRUE(on.isThemeActive());
    EXPECT_FALSE(off.isThemeActive());
    QString file, scheme, size;
    EXPECT_TRUE(on.getCurrentThemeName(file, scheme, size));
    EXPECT_FALSE(scheme.isEmpty());
    EXPECT_FALSE(off.getCurrentThemeName(file, scheme, size));
}

TEST(VisualStyles, OffersTheEntriesTheControlCalls)
{
    QtVisualStyles vs;
    for (const char* name :
         {"OpenThemeData", "CloseThemeData", "DrawThemeBackground", "IsThemeActive", "GetCurrentThemeName"})
        EXPECT_TRUE(vs.hasEntry(name)) << name;
    EXPECT_FALSE(vs.hasEntry("DrawThemeText"));
}

TEST(VisualStyles, OpensKnownClassesAndClosesThem)
{
    QtVisualStyles vs;
    const HTHEME button = vs.openThemeData(nullptr, QStringLiteral("button"));
    const HTHEME listed = vs.openThemeData(nullptr, QStringLiteral("Explorer::ListView;spin"));
    EXPECT_NE(button, 0u);
    EXPECT_NE(listed, 0u);
    EXPECT_NE(button, listed);
    EXPECT_EQ(vs.openThemeData(nullptr, QStringLiteral("treeview")), 0u);
    EXPECT_EQ(vs.openThemes(), 2);
    EXPECT_TRUE(vs.closeThemeData(button));
    EXPECT_FALSE(vs.closeThemeData(button));
    EXPECT_TRUE(vs.closeThemeData(listed));
    EXPECT_EQ(vs.openThemes(), 0);
}

TEST(VisualStyles, DrawsEveryPartItKnows)
{
    using namespace platform::theme;
    QtVisualStyles vs;
    struct Case {
        const char* cls;
        int part;
        int state;
    } cases[] = {
        {"button", BP_PUSHBUTTON, PBS_NORMAL},
        {"button", BP_PUSHBUTTON, PBS_PRESSED},
        {"button", BP_CHECKBOX, CBS_CHECKEDNORMAL},
        {"button", BP_RADIOBUTTON, CBS_UNCHECKEDNORMAL},
        {"combobox", CP_DROPDOWNBUTTON, CBXS_NORMAL},
        {"spin", SPNP_UP, UPS_NORMAL},
        {"spin", SPNP_DOWN, UPS_DISABLED},
        {"header", HP_HEADERITEM, HIS_NORMAL},
        {"progress", PP_BAR, 1},
        {"progress", PP_CHUNK, 1},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(paints(vs, QString::fromLatin1(c.cls), c.part, c.state)) << c.cls << " part " << c.part;
}

TEST(VisualStyles, UnknownPartsAndHandlesDrawNothing)
{
    QtVisualStyles vs;
    QImage img(10, 10, QImage::Format_RGB32);
    QPainter p(&img);
    const HTHEME spin = vs.openThemeData(nullptr, QStringLiteral("spin"));
    EXPECT_FALSE(vs.drawThemeBackground(spin, p, 7, 1, QRect(0, 0, 10, 10)));
    EXPECT_FALSE(vs.drawThemeBackground(spin + 100, p, 1, 1, QRect(0, 0, 10, 10)));
    vs.closeThemeData(spin);
}

TEST(VisualStyles, CheckStatesLookDifferent)
{
    using namespace platform::theme;
    QtVisualStyles vs;
    const auto image = [&](int part, int state) {
        QImage img(20, 20, QImage::Format_RGB32);
        img.fill(Qt::white);
        const HTHEME h = vs.openThemeData(nullptr, QStringLiteral("button"));
        {
            QPainter p(&img);
            vs.drawThemeBackground(h, p, part, state, QRect(2, 2, 16, 16));
        }
        vs.closeThemeData(h);
        return img;
    };
    EXPECT_NE(image(BP_CHECKBOX, CBS_UNCHECKEDNORMAL), image(BP_CHECKBOX, CBS_CHECKEDNORMAL));
    EXPECT_NE(image(BP_RADIOBUTTON, CBS_UNCHECKEDNORMAL), image(BP_RADIOBUTTON, CBS_CHECKEDNORMAL));
}
