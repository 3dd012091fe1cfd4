// The grid's date picker: the day count crossing to the platform picker and back, and its
// look: the platform's alone without the metro look, the own frame, drop
// button and outlines with it (probed in an offscreen render).

#include "grid/edit/QsgDateTimePicker.h"

#include "grid/look/QvXPVS.h"
#include "grid/support/FakeVisualStyles.h"

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

using namespace grid;

namespace {

TEST(QsgDateTimePicker, DayCountCrossesToTheWallClockAndBack)
{
    const struct {
        TDateTime value;
        QDateTime wall;
    } cases[] = {
        {0.0, QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC)},
        {45366.5, QDateTime(QDate(2024, 3, 15), QTime(12, 0), Qt::UTC)},
        {-1.25, QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC)}, // the fraction counts forward
        {2.0 + 1.0 / 86400000.0, QDateTime(QDate(1900, 1, 1), QTime(0, 0, 0, 1), Qt::UTC)},
        {45366.0 + (86400000.0 - 0.4) / 86400000.0, QDateTime(QDate(2024, 3, 16), QTime(0, 0), Qt::UTC)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(DateTimeToQDateTime(c.value), c.wall);
    }
    for (TDateTime v : {0.0, 45366.5, -1.25, -700.75, 2958465.0}) // 2958465: 31 December 9999
        EXPECT_DOUBLE_EQ(QDateTimeToDateTime(DateTimeToQDateTime(v)), v);
}

TEST(QsgDateTimePicker, DateAndTimeKeepEachOther)
{
    TQsgDateTimePicker p;
    p.SetDateTime(45366.75); // 15 March 2024, 18:00
    p.SetDate(45000.0);
    EXPECT_DOUBLE_EQ(p.DateTime(), 45000.75);
    p.SetTime(0.25);
    EXPECT_DOUBLE_EQ(p.DateTime(), 45000.25);
    EXPECT_DOUBLE_EQ(p.Date(), 45000.0);
    EXPECT_DOUBLE_EQ(p.Time(), 0.25);
}

// A picker on a white panel, rendered offscreen.
struct LookWindow {
    LookWindow()
    {
        QPalette pal = panel.palette();
        pal.setColor(QPalette::Window, Qt::white);
        panel.setPalette(pal);
        panel.resize(200, 60);
        picker = new TQsgDateTimePicker(&panel);
        picker->SetFormat(QStringLiteral("dd/MM/yyyy"));
        picker->setGeometry(10, 10, 150, 24);
    }
    QImage render() { return picker->grab().toImage(); }
    void colour()
    {
        picker->SetBorderColor(0x0000FF); // red
        picker->FocusBorderColor = 0x00FF00;
        picker->ButtonColor = 0xFF0000; // blue face
        picker->ButtonColorHot = 0xFF0000;
        picker->ButtonColorDown = 0xFF0000;
        picker->ButtonTextColor = 0x00FFFF; // yellow arrow
        picker->ButtonBorderColor = 0x008000;
    }
    QWidget panel;
    TQsgDateTimePicker* picker;
};

class PickerLook : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ReleaseGridThemeApi();
        BindGridThemeApi(styles);
    }
    void TearDown() override
    {
        ReleaseGridThemeApi();
        BindGridThemeApi();
    }
    testsupport::FakeVisualStyles styles{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(Styles, PickerLook, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Themed" : "Classic"; });

TEST_P(PickerLook, WithoutTheMetroLookTheColoursDrawNothing)
{
    LookWindow plain;
    LookWindow coloured;
    coloured.colour();
    coloured.picker->FocusBorder = true;
    const QImage a = plain.render();
    const QImage b = coloured.render();
    EXPECT_EQ(a, b);
    coloured.picker->setEnabled(false);
    plain.picker->setEnabled(false);
    EXPECT_EQ(plain.render(), coloured.render());
    EXPECT_TRUE(styles.draws.empty());
}

TEST_P(PickerLook, MetroLookDrawsTheOwnButtonAndFrame)
{
    LookWindow w;
    w.colour();
    w.picker->SetMetroStyle(true);
    const QImage img = w.render();
    const int width = 150, height = 24, bw = w.picker->ButtonWidth();
    // The drop button: window rectangle from client width - button width + 2, shrunk by 1.
    const int left = width - bw + 3, top = 1;
    const QRgb arrow = qRgb(0xFF, 0xFF, 0x00), face = qRgb(0x00, 0x00, 0xFF), red = qRgb(0xFF, 0x00, 0x00);
    EXPECT_EQ(img.pixel(left + 5, top + 7), arrow);
    EXPECT_EQ(img.pixel(left + 11, top + 7), arrow);
    EXPECT_EQ(img.pixel(left + 8, top + 10), arrow);
    EXPECT_EQ(img.pixel(left + 8, top + 9), arrow);
    EXPECT_EQ(img.pixel(left + 4, top + 7), face) << "the combo's arrow would start here";
    EXPECT_EQ(img.pixel(left + 8, top + 6), face);
    EXPECT_EQ(img.pixel(left + 8, top + 12), face);
    EXPECT_EQ(img.pixel(left + 2, top + 3), qRgb(0x00, 0x80, 0x00)) << "the button's left line, from left + 2";
    EXPECT_NE(img.pixel(left + 1, top + 3), face) << "the face starts at left + 2";
    // The frame in BorderColor, one pixel round the window, while unfocused.
    for (const QPoint& at : {QPoint(0, 0), QPoint(width - 1, 0), QPoint(0, height - 1), QPoint(width - 1, height - 1),
                             QPoint(width / 2, 0), QPoint(0, height / 2)})
        EXPECT_EQ(img.pixel(at), red) << at.x() << "," << at.y();
    EXPECT_TRUE(styles.draws.empty()) << "a button colour is never the themed button";
}

TEST_P(PickerLook, MetroLookWithoutButtonColourTakesTheThemedOrClassicButton)
{
    LookWindow w;
    w.picker->SetMetroStyle(true);
    w.picker->SetBorderColor(0x0000FF);
    const QImage img = w.render();
    const int bw = w.picker->ButtonWidth();
    const QRect button(150 - bw + 3, 1, bw - 4, 22);
    if (GetParam()) {
        ASSERT_EQ(styles.draws.size(), 1u);
        EXPECT_EQ(styles.draws[0].themeClass, QStringLiteral("combobox"));
        EXPECT_EQ(styles.draws[0].state, platform::theme::CBXS_NORMAL);
        EXPECT_EQ(styles.draws[0].rect, button);
    } else {
        EXPECT_TRUE(styles.draws.empty());
        // The classic button keeps its rectangle (the combo's grows 4 to the left, over the
        // platform's button area the picker fills with its own colour).
        const QRgb face = platform::toQColor(platform::colorToRGB(platform::clBtnFace)).rgb();
        EXPECT_EQ(img.pixel(button.left() + 2, button.top() + 5), face);
        EXPECT_EQ(img.pixel(button.left() - 4, button.top() + 5), w.picker->palette().color(QPalette::Base).rgb());
    }
}

TEST_P(PickerLook, DisabledMetroPickerTakesTheFixedFrame)
{
    LookWindow w;
    w.picker->SetMetroStyle(true);
    w.picker->setEnabled(false);
    const QImage img = w.render();
    const QRgb fixed = platform::toQColor(0xB99D7F).rgb();
    EXPECT_EQ(img.pixel(0, 0), fixed);
    EXPECT_EQ(img.pixel(149, 23), fixed);
}

TEST_P(PickerLook, Ctl3DOffDrawsTheOutlineOnlyWithABorderColour)
{
    LookWindow w;
    w.picker->SetCtl3D(false);
    const QImage none = w.render();
    w.picker->SetBorderColor(0x0000FF);
    const QImage img = w.render();
    // BorderStyle none: the outline takes the parent's colour, with a line one pixel in.
    EXPECT_EQ(img.pixel(0, 0), qRgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(img.pixel(1, 5), qRgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(img.pixel(5, 1), qRgb(0xFF, 0xFF, 0xFF));
    EXPECT_NE(none, img);
}

} // namespace
