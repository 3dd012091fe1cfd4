// The grid check box driven with the mouse and the keyboard and read from its pixels: state
// and toggling, read-only, releases outside, Space, Enter as Tab, the accelerator, box and
// caption positions for every alignment, the themed box states, and the parent's background
// under a transparent box with and without its cache. Every test runs with the visual styles
// on and off; one writes a picture of every alignment into the build tree.

#include "grid/QvObj.h"
#include "grid/look/QvXPVS.h"
#include "support/Screenshots.h"

#include "grid/support/FakeVisualStyles.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

using namespace grid;
using platform::TColor;
using testsupport::FakeVisualStyles;

namespace {

QRgb px(TColor c)
{
    return platform::toQColor(c).rgb();
}

QImage shot(QWidget& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QFont crispFont()
{
    QFont f = QApplication::font();
    f.setPixelSize(12);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

// A parent that counts how often it is painted; green, blue from x = 100 on.
class CountingParent : public QWidget {
public:
    int paints = 0;
    static constexpr QRgb green = qRgb(0, 160, 0), blue = qRgb(0, 0, 200);

protected:
    void paintEvent(QPaintEvent*) override
    {
        ++paints;
        QPainter p(this);
        p.fillRect(rect(), QColor(green));
        p.fillRect(QRect(100, 0, width() - 100, height()), QColor(blue));
    }
};

class GridCheckBox : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ReleaseGridThemeApi();
        BindGridThemeApi(styles);
        form.resize(300, 120);
    }
    void TearDown() override
    {
        ReleaseGridThemeApi();
        BindGridThemeApi();
    }
    bool themed() const { return GetParam(); }
    void activate()
    {
        form.show();
        QApplication::setActiveWindow(&form);
    }

    FakeVisualStyles styles{GetParam()};
    QWidget form;
};

INSTANTIATE_TEST_SUITE_P(VisualStyles, GridCheckBox, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Themed" : "Classic"; });

} // namespace

TEST_P(GridCheckBox, CreatedValues)
{
    TQvCheckBox c(&form);
    EXPECT_EQ(c.size(), QSize(98, 20));
    EXPECT_EQ(c.Caption(), QStringLiteral("TQvCheckBox"));
    EXPECT_FALSE(c.Checked());
    EXPECT_EQ(c.State(), cbUnchecked);
    EXPECT_EQ(c.ButtonVertAlign(), tlTop);
    EXPECT_EQ(c.Alignment(), taLeftJustify);
    EXPECT_FALSE(c.Transparent() || c.TransparentChaching() || c.ReadOnly() || c.ReturnIsTab() || c.Ellipsis()
                 || c.Down());
}

TEST_P(GridCheckBox, GrayedReadsUncheckedAndToggleChecksIt)
{
    TQvCheckBox c(&form);
    c.SetState(cbGrayed);
    EXPECT_FALSE(c.Checked());
    c.Toggle();
    EXPECT_EQ(c.State(), cbChecked);
    c.Toggle();
    EXPECT_EQ(c.State(), cbUnchecked);
    c.SetChecked(true);
    EXPECT_EQ(c.State(), cbChecked);
}

TEST_P(GridCheckBox, MouseAndSpaceToggleAndClick)
{
    struct Case {
        const char* what;
        bool readOnly;
        std::function<void(TQvCheckBox&)> act;
        bool toggles;
        int clicks;
    };
    const Case cases[] = {
        {"click", false,
         [](TQvCheckBox& c) {
             QTest::mouseClick(&c, Qt::LeftButton, {}, {5, 8});
         },
         true, 1},
        {"Space", false, [](TQvCheckBox& c) { QTest::keyClick(&c, Qt::Key_Space); }, true, 1},
        {"read-only click", true,
         [](TQvCheckBox& c) {
             QTest::mouseClick(&c, Qt::LeftButton, {}, {5, 8});
         },
         false, 1},
        {"read-only Space", true, [](TQvCheckBox& c) { QTest::keyClick(&c, Qt::Key_Space); }, false, 1},
        {"release outside", false,
         [](TQvCheckBox& c) {
             QTest::mousePress(&c, Qt::LeftButton, {}, {5, 8});
             QTest::mouseMove(&c, {150, 8});
             QTest::mouseRelease(&c, Qt::LeftButton, {}, {150, 8});
         },
         false, 0},
        {"Space released without its press", false, [](TQvCheckBox& c) { QTest::keyRelease(&c, Qt::Key_Space); }, false,
         0},
    };
    activate();
    for (const Case& k : cases) {
        TQvCheckBox c(&form);
        c.show();
        c.setFocus();
        c.SetReadOnly(k.readOnly);
        int clicks = 0;
        c.OnClick = [&](TQvCheckBox*) { ++clicks; };
        k.act(c);
        EXPECT_EQ(c.Checked(), k.toggles) << k.what;
        EXPECT_EQ(clicks, k.clicks) << k.what;
        EXPECT_FALSE(c.Down()) << k.what;
    }
}

TEST_P(GridCheckBox, DownFollowsThePressAndTheSpaceKey)
{
    activate();
    TQvCheckBox c(&form);
    c.show();
    QTest::mousePress(&c, Qt::LeftButton, {}, {5, 8});
    EXPECT_TRUE(c.hasFocus());
    EXPECT_TRUE(c.Down());
    QTest::mouseMove(&c, {150, 8});
    EXPECT_FALSE(c.Down());
    QTest::mouseMove(&c, {6, 8});
    EXPECT_TRUE(c.Down());
    QTest::mouseRelease(&c, Qt::LeftButton, {}, {6, 8});
    EXPECT_FALSE(c.Down());
    EXPECT_TRUE(c.Checked());
    QTest::keyPress(&c, Qt::Key_Space);
    EXPECT_TRUE(c.Down());
    EXPECT_TRUE(c.Checked()); // toggles on release
    QTest::keyRelease(&c, Qt::Key_Space);
    EXPECT_FALSE(c.Checked());
}

TEST_P(GridCheckBox, ReturnIsTabMovesOn)
{
    activate();
    TQvCheckBox a(&form), b(&form);
    b.move(0, 30);
    a.show();
    b.show();
    a.setFocus();
    QTest::keyClick(&a, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(a.hasFocus());
    a.SetReturnIsTab(true);
    QTest::keyClick(&a, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(b.hasFocus());
}

TEST_P(GridCheckBox, AcceleratorTogglesWithoutClick)
{
    activate();
    TQvCheckBox other(&form), c(&form);
    c.move(0, 30);
    other.show();
    c.show();
    c.SetCaption(QStringLiteral("&Match case"));
    other.setFocus();
    int clicks = 0;
    c.OnClick = [&](TQvCheckBox*) { ++clicks; };
    QTest::keyClick(&form, Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(c.Checked());
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(c.hasFocus());
}

TEST_P(GridCheckBox, BoxAndCaptionPositions)
{
    const int w = 120, h = 40;
    for (TLeftRight align : {taLeftJustify, taRightJustify})
        for (TTextLayout valign : {tlTop, tlCenter, tlBottom}) {
            TQvCheckBox c(&form);
            c.resize(w, h);
            c.setFont(crispFont());
            c.SetCaption(QString());
            c.SetAlignment(align);
            c.SetButtonVertAlign(valign);
            const int size = themed() ? 14 : 13;
            const int x = align == taRightJustify ? w - (themed() ? 15 : 13) : 0;
            const int y = valign == tlTop ? 4 : valign == tlCenter ? h / 2 - 6 : h - (themed() ? 14 : 17);
            QImage img = shot(c);
            const std::string what = (align == taRightJustify ? "right " : "left ") + std::to_string(valign);
            if (themed()) {
                ASSERT_FALSE(styles.draws.empty());
                EXPECT_EQ(styles.draws.back().rect, QRect(x, y, size, size)) << what;
                EXPECT_EQ(styles.draws.back().part, platform::theme::BP_CHECKBOX);
                EXPECT_EQ(img.pixel(x, y), FakeVisualStyles::marker) << what;
                EXPECT_EQ(img.pixel(x + size - 1, y + size - 1), FakeVisualStyles::marker) << what;
            } else {
                EXPECT_EQ(img.pixel(x, y), px(platform::clBtnShadow)) << what;
                EXPECT_EQ(img.pixel(x + size - 1, y + size - 1), px(platform::clBtnHighlight)) << what;
                EXPECT_EQ(img.pixel(x + size / 2, y + size / 2), px(platform::clWindow)) << what;
                if (y + size < h) {
                    EXPECT_EQ(img.pixel(x + size / 2, y + size), px(platform::clBtnFace)) << what;
                }
            }
            // The caption: from 15 (box left) or from 6 to 9 pixels before the right edge (box
            // right, where it may run over the box), from the top 4 down.
            c.SetCaption(QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"));
            img = shot(c);
            int left = w, right = -1, top = h;
            for (int yy = 0; yy < h; ++yy)
                for (int xx = 0; xx < w; ++xx)
                    if (img.pixel(xx, yy) == qRgb(0, 0, 0)) {
                        left = std::min(left, xx);
                        right = std::max(right, xx);
                        top = std::min(top, yy);
                    }
            const int from = align == taRightJustify ? 6 : 15;
            EXPECT_GE(left, from) << what;
            EXPECT_LE(left, from + 2) << what;
            EXPECT_LE(right, align == taRightJustify ? w - 10 : w - 1) << what;
            EXPECT_GT(right, align == taRightJustify ? w - 20 : w - 12) << what;
            EXPECT_GE(top, 4) << what;
        }
}

TEST_P(GridCheckBox, BoxLooks)
{
    TQvCheckBox c(&form);
    c.show();
    if (themed()) {
        // Disabled, pressed, hot and normal, the first that applies, in the state's group.
        namespace th = platform::theme;
        auto state = [&] {
            shot(c);
            return styles.draws.back().state;
        };
        EXPECT_EQ(state(), th::CBS_UNCHECKEDNORMAL);
        QEnterEvent e({3, 3}, {3, 3}, {3, 3});
        QApplication::sendEvent(&c, &e);
        EXPECT_EQ(state(), th::CBS_UNCHECKEDNORMAL + 1);
        c.SetDown(true);
        c.SetState(cbGrayed);
        EXPECT_EQ(state(), th::CBS_MIXEDNORMAL + 2);
        c.setEnabled(false);
        c.SetState(cbChecked);
        EXPECT_EQ(state(), th::CBS_CHECKEDNORMAL + 3);
        EXPECT_EQ(styles.open.size(), 0u); // every theme handle closed again
        return;
    }
    // Classic: a tick when checked, a grey inside without tick when grayed, a grey tick when
    // disabled.
    const QPoint inside(0 + 6, 4 + 6), tick(0 + 5, 4 + 7);
    EXPECT_EQ(shot(c).pixel(tick), px(platform::clWindow));
    c.SetChecked(true);
    EXPECT_EQ(shot(c).pixel(tick), px(platform::clWindowText));
    c.SetState(cbGrayed);
    EXPECT_EQ(shot(c).pixel(inside), px(platform::clBtnFace));
    EXPECT_EQ(shot(c).pixel(tick), px(platform::clBtnFace));
    c.setEnabled(false);
    c.SetChecked(true);
    EXPECT_EQ(shot(c).pixel(tick), px(platform::clGrayText));
}

TEST_P(GridCheckBox, TransparentBackgroundAndItsCache)
{
    CountingParent parent;
    parent.resize(200, 60);
    TQvCheckBox c(&parent);
    c.move(10, 10);
    c.SetCaption(QString());
    c.SetTransparent(true);
    parent.paints = 0;
    QImage img = shot(c);
    // The parent shows through, each part at its place.
    EXPECT_EQ(img.pixel(89, 10), CountingParent::green);
    EXPECT_EQ(img.pixel(90, 10), CountingParent::blue);
    shot(c);
    EXPECT_EQ(parent.paints, 2); // without the cache every paint paints the parent

    c.SetTransparentChaching(true);
    parent.paints = 0;
    shot(c);
    img = shot(c);
    EXPECT_EQ(parent.paints, 1);
    EXPECT_EQ(img.pixel(90, 10), CountingParent::blue);
    c.move(20, 10);
    img = shot(c);
    EXPECT_EQ(parent.paints, 2);
    EXPECT_EQ(img.pixel(79, 10), CountingParent::green);
    EXPECT_EQ(img.pixel(80, 10), CountingParent::blue);
    c.resize(90, 20);
    shot(c);
    shot(c);
    EXPECT_EQ(parent.paints, 3);
    c.SetTransparent(false);
    c.SetTransparent(true);
    shot(c);
    EXPECT_EQ(parent.paints, 4);
    // Not transparent: the box's own colour, the parent is not asked.
    c.SetTransparent(false);
    EXPECT_EQ(shot(c).pixel(60, 10), px(platform::clBtnFace));
    EXPECT_EQ(parent.paints, 4);
}

TEST_P(GridCheckBox, TransparentInAShownWindowAndItsPicture)
{
    CountingParent parent;
    parent.resize(200, 60);
    TQvCheckBox c(&parent);
    c.move(10, 10);
    c.SetCaption(QString());
    c.SetTransparent(true);
    c.SetTransparentChaching(true);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    QApplication::processEvents();
    const QImage img = shot(parent); // the box paints while its parent is being painted
    EXPECT_EQ(img.pixel(10 + 89, 10 + 15), CountingParent::green);
    EXPECT_EQ(img.pixel(10 + 90, 10 + 15), CountingParent::blue);
}

// Every alignment in every state, for a person to check.
TEST_P(GridCheckBox, ScreenshotOfEveryAlignment)
{
    ReleaseGridThemeApi();
    if (themed())
        BindGridThemeApi(); // the real visual styles for the picture
    const int w = 140, h = 34;
    QImage sheet(3 * w + 10, 6 * h + 10, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    const TCheckBoxState states[] = {cbUnchecked, cbChecked, cbGrayed};
    int row = 0;
    for (TLeftRight align : {taLeftJustify, taRightJustify})
        for (TTextLayout valign : {tlTop, tlCenter, tlBottom}) {
            for (int col = 0; col < 3; ++col) {
                TQvCheckBox c(&form);
                c.resize(w - 6, h - 4);
                c.SetAlignment(align);
                c.SetButtonVertAlign(valign);
                c.SetState(states[col]);
                c.SetCaption(QStringLiteral("&Match case"));
                if (row == 5 && col == 2)
                    c.setEnabled(false);
                p.drawImage(5 + col * w, 5 + row * h, shot(c));
            }
            ++row;
        }
    p.end();
    ASSERT_TRUE(testsupport::saveScreenshot(sheet, themed() ? QStringLiteral("grid/QvCheckBox_themed.png")
                                                            : QStringLiteral("grid/QvCheckBox_classic.png")));
    // Every box with its caption is drawn in its place on the white sheet.
    for (int r = 0; r < 6; ++r)
        for (int col = 0; col < 3; ++col)
            EXPECT_GT(testsupport::pixelsOtherThan(sheet, QRect(5 + col * w, 5 + r * h, w - 6, h - 4), Qt::white), 0)
                << r << "," << col;
}
