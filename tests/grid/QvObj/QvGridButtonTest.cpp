// The grid button driven as a user drives it (mouse in, press, drag, release, accelerator)
// and read from its painted pixels: face colours, gradient bands, drop-down part, glyph
// placement, disabled caption, grey and shade glyphs; state rules of down, group and check
// buttons; looks and theme adaptation; the action link. Every test runs with the visual
// styles on and off; one writes a picture of every look in every state into the build tree.

#include "grid/QvObj.h"
#include "grid/look/QvXPVS.h"

#include "grid/support/FakeVisualStyles.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace grid;
using platform::rgb;
using platform::TColor;

namespace {

// The fake with a colour-scheme name of the test's choosing.
class SchemeStyles : public testsupport::FakeVisualStyles {
public:
    using FakeVisualStyles::FakeVisualStyles;
    bool getCurrentThemeName(QString& fileName, QString& colorScheme, QString& sizeName) const override
    {
        fileName = QStringLiteral("fake.msstyles");
        colorScheme = scheme;
        sizeName = QStringLiteral("NormalSize");
        return true;
    }
    QString scheme = QStringLiteral("NormalColor");
};

QRgb px(TColor c)
{
    return platform::toQColor(c).rgb();
}

QImage shot(QWidget& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void enter(QWidget& w, QPoint p = {3, 3})
{
    QEnterEvent e(p, w.mapTo(w.window(), p), w.mapToGlobal(p));
    QApplication::sendEvent(&w, &e);
}

void leave(QWidget& w)
{
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(&w, &e);
}

// 6 x 6: red inside, magenta left column and bottom row (the lower-left pixel makes magenta
// the transparent colour), so the first red pixel lies one to the right of the glyph origin.
QImage testGlyph(QRgb inside = qRgb(255, 0, 0))
{
    QImage g(6, 6, QImage::Format_RGB32);
    g.fill(qRgb(255, 0, 255));
    for (int y = 0; y < 5; ++y)
        for (int x = 1; x < 6; ++x)
            g.setPixel(x, y, inside);
    return g;
}

// Top-left of the pixels of one colour; (-1, -1) when there are none.
QPoint firstOf(const QImage& img, QRgb c)
{
    QPoint best(-1, -1);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == c && (best.x() < 0 || x < best.x() || (x == best.x() && y < best.y())))
                best = {x, y};
    return best;
}

QFont crispFont()
{
    QFont f = QApplication::font();
    f.setPixelSize(12);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

int r(double v)
{
    return int(std::nearbyint(v));
}

// The band colour i of a 16-band gradient.
TColor band(TColor from, TColor to, int i)
{
    auto ch = [i](int a, int b) { return a + r(i * (b - a) / 16.0); };
    return rgb(ch(platform::getRValue(from), platform::getRValue(to)),
               ch(platform::getGValue(from), platform::getGValue(to)),
               ch(platform::getBValue(from), platform::getBValue(to)));
}

class GridButton : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ReleaseGridThemeApi();
        BindGridThemeApi(styles);
        form.resize(200, 100);
    }
    void TearDown() override
    {
        ReleaseGridThemeApi();
        BindGridThemeApi();
    }
    bool themed() const { return GetParam(); }

    SchemeStyles styles{GetParam()};
    QWidget form;
};

INSTANTIATE_TEST_SUITE_P(VisualStyles, GridButton, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Themed" : "Classic"; });

} // namespace

TEST_P(GridButton, CreatedValues)
{
    TQvGridButton b(&form);
    EXPECT_EQ(b.size(), QSize(23, 22));
    EXPECT_EQ(b.focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(b.Color(), platform::clBtnFace);
    EXPECT_EQ(b.ColorHot(), 0xCAC7C7u);
    EXPECT_EQ(b.ColorDown(), 0xD8D3D2u);
    EXPECT_EQ(b.ColorChecked(), 0x808080u);
    for (TColor c : {b.ColorTo(), b.ColorHotTo(), b.ColorDownTo(), b.ColorCheckedTo(), b.BorderColor(),
                     b.BorderDownColor(), b.BorderHotColor()})
        EXPECT_EQ(c, platform::clNone);
    EXPECT_TRUE(b.Flat());
    EXPECT_EQ(b.Layout(), blGlyphLeft);
    EXPECT_EQ(b.Margin(), -1);
    EXPECT_EQ(b.Spacing(), 4);
    EXPECT_TRUE(b.Shaded());
    EXPECT_TRUE(b.ShowCaption());
    EXPECT_EQ(b.Style(), tasButton);
    EXPECT_EQ(b.GroupIndex(), 0);
    EXPECT_FALSE(b.Down() || b.AllowAllUp() || b.Rounded() || b.DropDownButton() || b.AutoThemeAdapt()
                 || b.AutoXPStyle());
    EXPECT_EQ(b.font(), form.font());
    b.SetMargin(-2);
    EXPECT_EQ(b.Margin(), -1);
}

TEST_P(GridButton, FlatFaceNormalHotAndPressed)
{
    TQvGridButton b(&form);
    form.show();
    const QPoint probe(4, 18);
    EXPECT_EQ(shot(b).pixel(probe), px(platform::clBtnFace));
    enter(b);
    EXPECT_TRUE(b.MouseInControl());
    EXPECT_EQ(shot(b).pixel(probe), px(0xCAC7C7));
    QTest::mousePress(&b, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(b.State(), bsDown);
    EXPECT_EQ(shot(b).pixel(probe), px(0xD8D3D2));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(shot(b).pixel(probe), px(0xCAC7C7));
    leave(b);
    EXPECT_EQ(shot(b).pixel(probe), px(platform::clBtnFace));
}

TEST_P(GridButton, GradientBandsOfLooksTwoAndSix)
{
    for (int look : {2, 6}) {
        TQvGridButton b(&form);
        b.resize(30, 40);
        b.SetLook(look);
        ASSERT_NE(b.ColorTo(), platform::clNone);
        const QImage img = shot(b);
        // A set BorderDownColor keeps the face at the client edge.
        const TRect face{0, 0, 30, 40};
        const double h = face.Height() / 16.0;
        EXPECT_EQ(img.pixel(15, 0), px(b.Color())) << look;
        EXPECT_EQ(img.pixel(15, 39), px(band(b.Color(), b.ColorTo(), 15))) << look;
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(img.pixel(15, face.Top + r(i * h)), px(band(b.Color(), b.ColorTo(), i))) << look << " band " << i;
    }
}

TEST_P(GridButton, HotGradientIsOutlinedInTheHotBorder)
{
    TQvGridButton b(&form);
    b.resize(30, 40);
    b.SetLook(2);
    form.show();
    enter(b);
    const QImage img = shot(b);
    EXPECT_EQ(img.pixel(0, 20), px(b.BorderHotColor()));
    EXPECT_EQ(img.pixel(15, 1), px(b.ColorHot()));
    EXPECT_EQ(img.pixel(15, 38), px(band(b.ColorHot(), b.ColorHotTo(), 15)));
}

TEST_P(GridButton, DropDownSeparatorAndTriangle)
{
    TQvGridButton b(&form);
    b.resize(34, 22);
    b.SetLook(1); // a border colour for the separator
    b.SetDropDownButton(true);
    form.show();
    enter(b);
    QImage img = shot(b);
    // The face reaches the client edge (BorderDownColor set); the separator is 12 pixels from it.
    const int sep = 34 - 12;
    EXPECT_EQ(img.pixel(sep, 8), px(b.BorderHotColor()));
    EXPECT_EQ(img.pixel(sep - 1, 8), px(b.ColorHot()));
    EXPECT_EQ(img.pixel(sep + 1, 8), px(b.ColorHot()));
    // The content rectangle is one pixel inside: right 33, top 1, bottom 21, m = 11.
    const int right = 33, m = 1 + 20 / 2;
    for (QPoint corner : {QPoint(right - 8, m - 1), QPoint(right - 4, m - 1), QPoint(right - 6, m + 1)})
        EXPECT_EQ(img.pixel(corner), px(platform::clWindowText)) << corner.x() << "," << corner.y();
    for (QPoint outside : {QPoint(right - 9, m - 1), QPoint(right - 3, m - 1), QPoint(right - 6, m + 2)})
        EXPECT_NE(img.pixel(outside), px(platform::clWindowText)) << outside.x() << "," << outside.y();
    leave(b);
    img = shot(b);
    EXPECT_EQ(img.pixel(sep, 8), px(b.Color())); // no separator unless hot
    EXPECT_EQ(img.pixel(right - 6, m + 1), px(platform::clWindowText));
}

TEST_P(GridButton, DisabledCaptionHasItsHighlightOnePixelRightAndDown)
{
    TQvGridButton b(&form);
    b.resize(60, 22);
    b.setFont(crispFont());
    b.SetCaption(QStringLiteral("X\\N"));
    b.setEnabled(false);
    const QImage img = shot(b);
    const QRgb shadow = px(platform::clBtnShadow), light = px(platform::clBtnHighlight);
    int lights = 0, shadows = 0;
    for (int y = 1; y < img.height(); ++y)
        for (int x = 1; x < img.width(); ++x) {
            if (img.pixel(x, y) == light) {
                ++lights;
                // Drawn first, so the shadow text covers it wherever the two meet.
                EXPECT_EQ(img.pixel(x - 1, y - 1), shadow) << x << "," << y;
            }
            if (img.pixel(x, y) == shadow)
                ++shadows;
        }
    EXPECT_GT(lights, 5);
    EXPECT_GT(shadows, 5);
}

TEST_P(GridButton, CaptionlessGlyphSitsAtTheContentOrigin)
{
    struct Case {
        const char* what;
        std::function<void(TQvGridButton&)> setup;
        QPoint origin;
    };
    const Case cases[] = {
        {"flat, created colours", [](TQvGridButton&) {}, {2, 2}},
        {"flat, border down colour set", [](TQvGridButton& b) { b.SetLook(2); }, {1, 1}},
        {"raised, classic", [](TQvGridButton& b) { b.SetFlat(false); }, {2, 2}},
        {"raised, visual styles asked",
         [](TQvGridButton& b) {
             b.SetFlat(false);
             b.SetAutoXPStyle(true);
         },
         GetParam() ? QPoint(0, 0) : QPoint(2, 2)},
    };
    for (const Case& c : cases) {
        TQvGridButton b(&form);
        b.SetGlyph(testGlyph());
        c.setup(b);
        EXPECT_EQ(firstOf(shot(b), qRgb(255, 0, 0)), c.origin + QPoint(1, 0)) << c.what;
    }
}

TEST_P(GridButton, GreyAndShadeGlyphs)
{
    QImage g = testGlyph();
    g.setPixel(1, 0, qRgb(10, 20, 30));
    g.setPixel(2, 0, qRgb(255, 255, 255));
    g.setPixel(3, 0, qRgb(0, 0, 0));
    TQvGridButton b(&form);
    b.SetGlyph(g);
    const QImage& grey = b.GlyphDisabled();
    // v = ((r + g + b) div 3) div 2 + 96
    EXPECT_EQ(grey.pixel(1, 0), qRgb(106, 106, 106));
    EXPECT_EQ(grey.pixel(2, 0), qRgb(223, 223, 223));
    EXPECT_EQ(grey.pixel(3, 0), qRgb(96, 96, 96));
    EXPECT_EQ(grey.pixel(4, 4), qRgb(138, 138, 138)); // red
    EXPECT_EQ(grey.pixel(0, 5), qRgb(181, 181, 181)); // the magenta key

    EXPECT_TRUE(b.GlyphShade().isNull()); // made when set up or switched on, not by default
    b.Loaded();
    const QImage& shade = b.GlyphShade();
    EXPECT_EQ(shade.pixel(1, 0), qRgb(128, 128, 128));
    EXPECT_EQ(shade.pixel(5, 4), qRgb(128, 128, 128));
    EXPECT_EQ(shade.pixel(0, 0), qRgb(255, 0, 255));
    EXPECT_EQ(shade.pixel(3, 5), qRgb(255, 0, 255));

    // Disabled and caption-less: grey pixels where the glyph has colour, the face where its
    // key colour is.
    b.setEnabled(false);
    QImage img = shot(b);
    EXPECT_EQ(img.pixel(2 + 4, 2 + 4), qRgb(138, 138, 138));
    EXPECT_EQ(img.pixel(2 + 0, 2 + 5), px(platform::clBtnFace));
    b.setEnabled(true);

    // Hot with a caption: the shade 2 pixels right and down of the lifted glyph.
    b.SetCaption(QStringLiteral("Find"));
    b.resize(60, 22);
    form.show();
    enter(b);
    img = shot(b);
    const QPoint origin = firstOf(img, qRgb(255, 0, 0)) - QPoint(1, 1); // row 0 holds other colours
    ASSERT_GE(origin.x(), 0);
    EXPECT_EQ(img.pixel(origin + QPoint(7, 6)), qRgb(128, 128, 128));
    EXPECT_EQ(img.pixel(origin + QPoint(2, 2)), qRgb(255, 0, 0)); // the glyph over its shade
    leave(b);
    EXPECT_EQ(shot(b).pixel(origin + QPoint(1 + 7, 1 + 6)), px(platform::clBtnFace)); // no shade when not hot
}

TEST_P(GridButton, DerivedGlyphsFollowANewGlyph)
{
    TQvGridButton b(&form);
    b.SetGlyph(testGlyph(qRgb(255, 0, 0)));
    b.SetShaded(true);
    b.SetGlyph(testGlyph(qRgb(0, 0, 0)));
    EXPECT_EQ(b.GlyphDisabled().pixel(3, 2), qRgb(96, 96, 96));
    EXPECT_EQ(b.GlyphShade().pixel(3, 2), qRgb(128, 128, 128));
    // A disabled glyph given by the program stays.
    QImage own(6, 6, QImage::Format_RGB32);
    own.fill(qRgb(1, 2, 3));
    b.SetGlyphDisabled(own);
    b.SetGlyph(testGlyph());
    EXPECT_EQ(b.GlyphDisabled().pixel(3, 2), qRgb(1, 2, 3));
}

TEST_P(GridButton, DownWrites)
{
    struct Case {
        const char* what;
        int group;
        TQvGridButtonStyle style;
        bool downAfter;
    };
    const Case cases[] = {
        {"ungrouped button stays up", 0, tasButton, false},
        {"check button goes down", 0, tasCheck, true},
        {"grouped button goes down", 1, tasButton, true},
    };
    for (const Case& c : cases) {
        TQvGridButton b(&form);
        b.SetGroupIndex(c.group);
        b.SetStyle(c.style);
        b.SetDown(true);
        EXPECT_EQ(b.Down(), c.downAfter) << c.what;
    }
}

TEST_P(GridButton, GroupOfOneParent)
{
    TQvGridButton a(&form), b(&form);
    QWidget other;
    TQvGridButton elsewhere(&other);
    for (TQvGridButton* x : {&a, &b, &elsewhere})
        x->SetGroupIndex(1);
    a.SetDown(true);
    elsewhere.SetDown(true);
    b.SetDown(true);
    EXPECT_FALSE(a.Down());
    EXPECT_EQ(a.State(), bsUp);
    EXPECT_TRUE(b.Down());
    EXPECT_TRUE(elsewhere.Down()); // another parent, another group

    b.SetDown(false); // AllowAllUp off: the group keeps one button down
    EXPECT_TRUE(b.Down());

    a.SetAllowAllUp(true); // handed to the whole group
    EXPECT_TRUE(b.AllowAllUp());
    b.SetDown(false);
    EXPECT_FALSE(b.Down());

    // By mouse: a click puts the button down and raises the other.
    a.SetAllowAllUp(false);
    b.SetDown(true);
    form.show();
    QTest::mouseClick(&a, Qt::LeftButton, {}, {5, 5});
    EXPECT_TRUE(a.Down());
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(a.State(), bsExclusive);
    QTest::mouseClick(&a, Qt::LeftButton, {}, {5, 5}); // stays down
    EXPECT_TRUE(a.Down());
}

TEST_P(GridButton, CheckButtonFlipsOnRelease)
{
    TQvGridButton b(&form);
    b.SetStyle(tasCheck);
    int clicks = 0;
    b.OnClick = [&](TQvGridButton*) { ++clicks; };
    form.show();
    QTest::mousePress(&b, Qt::LeftButton, {}, {5, 5});
    EXPECT_FALSE(b.Down());
    QTest::mouseRelease(&b, Qt::LeftButton, {}, {5, 5});
    EXPECT_TRUE(b.Down());
    QTest::mouseClick(&b, Qt::LeftButton, {}, {5, 5});
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(clicks, 2);
    // Dragged off before the release: no click, and so no flip either.
    QTest::mousePress(&b, Qt::LeftButton, {}, {5, 5});
    QTest::mouseMove(&b, {40, 5});
    QTest::mouseRelease(&b, Qt::LeftButton, {}, {40, 5});
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(clicks, 2);
}

TEST_P(GridButton, PressDragOutReleaseDoesNotClick)
{
    TQvGridButton b(&form);
    int clicks = 0;
    b.OnClick = [&](TQvGridButton*) { ++clicks; };
    form.show();
    QTest::mousePress(&b, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(b.State(), bsDown);
    QTest::mouseMove(&b, {40, 40});
    EXPECT_EQ(b.State(), bsUp);
    QTest::mouseMove(&b, {6, 6});
    EXPECT_EQ(b.State(), bsDown);
    QTest::mouseMove(&b, {-3, 6});
    QTest::mouseRelease(&b, Qt::LeftButton, {}, {-3, 6});
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(&b, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(clicks, 1);
}

TEST_P(GridButton, DropDownPartFiresDropDownNotClick)
{
    TQvGridButton b(&form);
    b.resize(40, 22);
    b.SetDropDownButton(true);
    QMenu menu;
    menu.addAction(QStringLiteral("one"));
    b.SetDropDownMenu(&menu);
    int clicks = 0, drops = 0;
    b.OnClick = [&](TQvGridButton*) { ++clicks; };
    b.OnDropDown = [&](TQvGridButton*) { ++drops; };
    form.show();
    struct Case {
        int x;
        int clicks;
        int drops;
    };
    for (Case c : {Case{40 - 12, 0, 1}, Case{39, 0, 1}, Case{40 - 13, 1, 0}}) {
        clicks = drops = 0;
        QTest::mouseClick(&b, Qt::LeftButton, {}, {c.x, 10});
        EXPECT_EQ(clicks, c.clicks) << c.x;
        EXPECT_EQ(drops, c.drops) << c.x;
        if (c.drops) {
            EXPECT_TRUE(menu.isVisible());
            EXPECT_EQ(menu.pos(), b.mapToGlobal(QPoint(0, b.height())));
            menu.hide();
        }
    }
}

TEST_P(GridButton, DoubleClickOnADownButton)
{
    // As the mouse delivers it: a click, then the second press as a double click, then its
    // release.
    auto doubleClick = [](QWidget& w) {
        QTest::mouseClick(&w, Qt::LeftButton, {}, {5, 5});
        QTest::mouseDClick(&w, Qt::LeftButton, {}, {5, 5});
        QTest::mouseRelease(&w, Qt::LeftButton, {}, {5, 5});
    };
    TQvGridButton b(&form);
    b.SetGroupIndex(3);
    int doubles = 0;
    b.OnDblClick = [&](TQvGridButton*) { ++doubles; };
    form.show();
    doubleClick(b);
    EXPECT_EQ(doubles, 1); // its first click put it down
    EXPECT_TRUE(b.Down());
    TQvGridButton plain(&form);
    plain.show();
    plain.OnDblClick = [&](TQvGridButton*) { ++doubles; };
    doubleClick(plain);
    EXPECT_EQ(doubles, 1);
}

TEST_P(GridButton, MouseEnterAndLeave)
{
    TQvGridButton b(&form);
    int enters = 0, leaves = 0;
    b.OnMouseEnter = [&](TQvGridButton*) { ++enters; };
    b.OnMouseLeave = [&](TQvGridButton*) { ++leaves; };
    form.show();
    enter(b);
    leave(b);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(leaves, 1);
    b.setEnabled(false);
    enter(b);
    EXPECT_FALSE(b.MouseInControl()); // a disabled button never gets hot
    EXPECT_EQ(enters, 2);
    // Moving over it with tracking finds it again after a leave.
    b.setEnabled(true);
    leave(b);
    QTest::mouseMove(&b, {4, 4});
    EXPECT_TRUE(b.MouseInControl());
}

TEST_P(GridButton, AcceleratorClicks)
{
    TQvGridButton b(&form);
    b.resize(60, 22);
    b.SetCaption(QStringLiteral("&Find"));
    int clicks = 0;
    b.OnClick = [&](TQvGridButton*) { ++clicks; };
    form.show();
    QApplication::setActiveWindow(&form);
    QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    b.setEnabled(false);
    QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
}

TEST_P(GridButton, ThemeNamesPickTheLook)
{
    struct Case {
        const char* scheme;
        int look;
    };
    const Case cases[] = {{"NormalColor", 2}, {"HomeStead", 3}, {"Metallic", 4}, {"Royale", 1}};
    for (const Case& c : cases) {
        styles.scheme = QLatin1String(c.scheme);
        TQvGridButton b(&form);
        b.SetAutoThemeAdapt(true);
        EXPECT_EQ(b.Look(), themed() ? c.look : 1) << c.scheme; // no visual style: look 1
    }
    // The desktop's theme change re-adapts.
    styles.scheme = QStringLiteral("NormalColor");
    TQvGridButton b(&form);
    b.SetAutoThemeAdapt(true);
    styles.scheme = QStringLiteral("Metallic");
    QEvent change(QEvent::ThemeChange);
    QApplication::sendEvent(&b, &change);
    EXPECT_EQ(b.Look(), themed() ? 4 : 1);
}

TEST_P(GridButton, LooksTable)
{
    TQvGridButton b(&form);
    b.SetBorderColor(0x123456);
    b.SetFlat(false);
    b.SetLook(0);
    EXPECT_TRUE(b.Rounded());
    EXPECT_TRUE(b.Flat());
    EXPECT_EQ(b.BorderColor(), platform::clNone);
    EXPECT_EQ(b.Color(), rgb(241, 241, 237));
    EXPECT_EQ(b.BorderDownColor(), rgb(122, 152, 175));
    b.SetLook(5);
    EXPECT_FALSE(b.Rounded());
    EXPECT_EQ(b.ColorHot(), platform::clBtnFace);
    EXPECT_EQ(b.ColorChecked(), rgb(199, 199, 202));
    EXPECT_EQ(b.BorderHotColor(), platform::clNone);
    b.SetLook(6);
    EXPECT_EQ(b.ColorCheckedTo(), rgb(237, 221, 156));
    b.SetLook(7); // not a look: nothing changes
    EXPECT_EQ(b.Look(), 6);
    EXPECT_EQ(b.ColorCheckedTo(), rgb(237, 221, 156));
}

TEST_P(GridButton, RoundedBorderLeavesTheFaceVisible)
{
    TQvGridButton b(&form);
    b.resize(30, 22);
    b.SetLook(0);
    b.SetBorderColor(rgb(200, 0, 0));
    const QImage img = shot(b);
    EXPECT_EQ(img.pixel(15, 0), px(rgb(200, 0, 0)));
    EXPECT_EQ(img.pixel(15, 1), px(b.Color())); // the first band, not the border colour
}

TEST_P(GridButton, ActionLink)
{
    QAction action(QStringLiteral("Next"));
    action.setCheckable(true);
    action.setProperty(kActionGroupIndexProperty, 2);
    action.setChecked(true);
    TQvGridButton b(&form), other(&form);
    other.SetGroupIndex(2);
    other.SetDown(true);
    b.SetAction(&action);
    EXPECT_EQ(b.Caption(), QStringLiteral("Next"));
    EXPECT_EQ(b.GroupIndex(), 2);
    EXPECT_TRUE(b.Down());
    EXPECT_FALSE(other.Down());

    action.setText(QStringLiteral("Find next"));
    EXPECT_EQ(b.Caption(), QStringLiteral("Find next"));
    b.SetCaption(QStringLiteral("Own"));
    action.setText(QStringLiteral("Again"));
    EXPECT_EQ(b.Caption(), QStringLiteral("Own")); // no longer the action's caption

    action.setChecked(false); // AllowAllUp off: the down state is not linked
    EXPECT_TRUE(b.Down());
    b.SetAllowAllUp(true);
    action.setChecked(true);
    action.setChecked(false);
    EXPECT_FALSE(b.Down());

    action.setProperty(kActionGroupIndexProperty, 5);
    EXPECT_EQ(b.GroupIndex(), 5);
    action.setEnabled(false);
    EXPECT_FALSE(b.isEnabled());

    // Raised by its group, the button unchecks its action.
    action.setEnabled(true);
    other.SetGroupIndex(5);
    b.SetDown(true);
    action.setChecked(true);
    other.SetDown(true);
    EXPECT_FALSE(b.Down());
    EXPECT_FALSE(action.isChecked());

    int triggers = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++triggers; });
    b.Click();
    EXPECT_EQ(triggers, 1);
}

// A picture of every look in every state, with a glyph and a caption, for a person to check.
TEST_P(GridButton, ScreenshotOfEveryLookAndState)
{
    ReleaseGridThemeApi();
    if (themed())
        BindGridThemeApi(); // the real visual styles for the picture
    const int w = 70, h = 24;
    const QStringList states{QStringLiteral("normal"),   QStringLiteral("hot"),        QStringLiteral("pressed"),
                             QStringLiteral("checked"),  QStringLiteral("group down"), QStringLiteral("disabled"),
                             QStringLiteral("drop-down")};
    QImage strip(w * int(states.size()) + 40, h * 9, QImage::Format_RGB32);
    strip.fill(Qt::white);
    QPainter p(&strip);
    QImage glyph(12, 12, QImage::Format_RGB32);
    glyph.fill(qRgb(255, 0, 255));
    QPainter gp(&glyph);
    gp.fillRect(2, 1, 8, 9, QColor(30, 90, 200));
    gp.fillRect(4, 3, 4, 5, QColor(250, 250, 250));
    gp.end();
    form.show();
    // Rows: looks 0..6, then raised classic and raised with visual styles.
    for (int row = 0; row < 9; ++row) {
        p.drawText(2, row * h + 16,
                   row < 7    ? QStringLiteral("L%1").arg(row)
                   : row == 7 ? QStringLiteral("R")
                              : QStringLiteral("XP"));
        for (int col = 0; col < int(states.size()); ++col) {
            TQvGridButton b(&form);
            b.show();
            b.resize(w - 4, h - 2);
            b.SetGlyph(glyph);
            b.SetCaption(QStringLiteral("Find"));
            b.Loaded();
            if (row < 7) {
                b.SetLook(row);
            } else {
                b.SetFlat(false);
                b.SetAutoXPStyle(row == 8);
            }
            const QString& s = states[col];
            if (s == QLatin1String("hot") || s == QLatin1String("pressed") || s == QLatin1String("drop-down"))
                enter(b);
            if (s == QLatin1String("pressed"))
                QTest::mousePress(&b, Qt::LeftButton, {}, {5, 5});
            if (s == QLatin1String("checked")) {
                b.SetStyle(tasCheck);
                b.SetDown(true);
            }
            if (s == QLatin1String("group down")) {
                b.SetGroupIndex(1);
                b.SetDown(true);
            }
            if (s == QLatin1String("disabled"))
                b.setEnabled(false);
            if (s == QLatin1String("drop-down"))
                b.SetDropDownButton(true);
            p.drawImage(40 + col * w, row * h, shot(b));
            if (s == QLatin1String("pressed"))
                QTest::mouseRelease(&b, Qt::LeftButton, {}, {5, 5});
        }
    }
    p.end();
    ASSERT_TRUE(testsupport::saveScreenshot(strip, themed() ? QStringLiteral("QvGridButton_themed.png")
                                                            : QStringLiteral("QvGridButton_classic.png")));
}
