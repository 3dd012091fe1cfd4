// The analog clock as the time picker's popup uses it: its geometry, clicks on the face, the
// ring and the AM/PM box, the keys the picker passes on, the animation driven tick by tick, the
// change notice, automatic mode, and what the face shows for the tick-mark and AM/PM settings.

#include "dropdowns/QvWatch.h"
#include "support/FakeDesktop.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <vector>

using namespace dropdowns;
using testsupport::FakeDesktop;

namespace {

TDateTime at(int h, int m, int s = 0)
{
    return EncodeTime(h, m, s, 0);
}

QString hm(TDateTime t)
{
    int h, m, s, ms;
    DecodeTime(t, h, m, s, ms);
    return QStringLiteral("%1:%2").arg(h, 2, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0'));
}

void release(QWidget& w, QPoint p)
{
    QMouseEvent e(QEvent::MouseButtonRelease, p, w.mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

void move(QWidget& w, QPoint p)
{
    QMouseEvent e(QEvent::MouseMove, p, w.mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

// Runs the animation to its end, as its timer would; the number of ticks it took.
int land(TQvWatch& w)
{
    int ticks = 0;
    while (w.Animating() && ticks < 1000) {
        w.AnimationTick();
        ++ticks;
    }
    return ticks;
}

QImage render(TQvWatch& w)
{
    QImage img(w.size(), QImage::Format_RGB32);
    w.Invalidate();
    w.render(&img);
    return img;
}

TColor pixel(const QImage& img, int x, int y)
{
    return platform::fromQColor(QColor(img.pixel(x, y)));
}

class Watch : public ::testing::Test {
protected:
    FakeDesktop desktop;
    TQvWatch w{nullptr, &desktop};
    int changes = 0;
    void SetUp() override
    {
        w.OnChange = [this](QObject*) { ++changes; };
    }
};

} // namespace

// ---- construction and geometry ------------------------------------------------------------------

TEST_F(Watch, NewClockIs180SquareWithA160PixelFaceAndClassicStoredNotApplied)
{
    EXPECT_EQ(w.size(), QSize(180, 180));
    EXPECT_EQ(w.WatchRect(), QRect(10, 10, 160, 160));
    EXPECT_EQ(w.Center(), QPoint(90, 90));
    EXPECT_EQ(w.Style(), wsClassic);
    // The classic preset would have named another hour font.
    EXPECT_EQ(w.Appearance().HourFont().Name, QStringLiteral("Tahoma"));
    EXPECT_EQ(w.Appearance().HourFont().Size, 8);
    w.SetStyle(wsClassic);
    EXPECT_EQ(w.Appearance().HourFont().Name, QStringLiteral("Tahoma"));
    EXPECT_TRUE(w.Animation());
    EXPECT_EQ(w.AnimationFactor(), 10);
    EXPECT_TRUE(w.ShowAMPM());
    EXPECT_TRUE(w.ShowNumbers());
    EXPECT_TRUE(w.AM());
    EXPECT_FALSE(w.ClockRunning());
}

TEST_F(Watch, MinuteFromAPointOnTheAxesCountsAZeroDistanceAsOne)
{
    const struct {
        QPoint p;
        int minute;
    } cases[] = {{{150, 90}, 15}, {{90, 150}, 30}, {{30, 90}, 45}, {{90, 30}, 0}, {{132, 16}, 5}, {{48, 48}, 53}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.minute);
        EXPECT_EQ(w.MinuteFromPoint(c.p.x(), c.p.y()), c.minute);
    }
}

// ---- mouse --------------------------------------------------------------------------------------

TEST_F(Watch, AClickAtTwelveSetsHourZeroInTheMorningAndTwelveInTheAfternoon)
{
    w.SetAnimation(false);
    for (int x : {88, 90, 92}) {
        SCOPED_TRACE(x);
        w.SetTime(at(10, 20));
        release(w, {x, 25});
        EXPECT_EQ(hm(w.Time()), QStringLiteral("00:20"));
        w.SetTime(at(15, 20));
        release(w, {x, 25});
        EXPECT_EQ(hm(w.Time()), QStringLiteral("12:20"));
    }
}

TEST_F(Watch, ClicksInTheRingMoveTheMinuteHandTheShortWay)
{
    w.SetTime(at(10, 50));
    release(w, {132, 16}); // minute 5
    EXPECT_TRUE(w.Animating());
    land(w);
    EXPECT_EQ(hm(w.Time()), QStringLiteral("10:05"));

    w.SetTime(at(10, 50));
    release(w, {90, 5}); // minute 0: forwards across 12
    land(w);
    EXPECT_EQ(hm(w.Time()), QStringLiteral("11:00"));
    EXPECT_EQ(changes, 2) << "once per animation, on landing";
}

TEST_F(Watch, MinuteAnimationStepsShrinkTowardsTheTarget)
{
    w.SetTime(at(10, 0));
    w.SetMinute(45);
    std::vector<int> steps;
    int last = 0;
    while (w.Animating() && steps.size() < 100) {
        w.AnimationTick();
        int h, m, s, ms;
        DecodeTime(w.Time(), h, m, s, ms);
        steps.push_back(m - last);
        last = m;
    }
    const std::vector<int> start{4, 4, 4, 3, 3, 3, 2, 2, 2, 2, 2};
    ASSERT_EQ(steps.size(), 25u);
    EXPECT_EQ(std::vector<int>(steps.begin(), steps.begin() + 11), start);
    for (size_t i = 11; i < steps.size(); ++i)
        EXPECT_EQ(steps[i], 1) << i;
    EXPECT_EQ(last, 45);
    EXPECT_EQ(changes, 1);
}

TEST_F(Watch, TheAMPMBoxSwitchesTheHalfDayAndWithoutItTheClickSetsTheHour)
{
    w.SetAnimation(false);
    w.SetTime(at(10, 15));
    const QPoint box = w.AMPMRect().toQRect().center();
    release(w, box);
    EXPECT_EQ(hm(w.Time()), QStringLiteral("22:15"));
    EXPECT_FALSE(w.AM());
    EXPECT_EQ(changes, 1);

    move(w, box);
    EXPECT_EQ(w.cursor().shape(), Qt::PointingHandCursor);
    move(w, {90, 40});
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);

    w.SetShowAMPM(false);
    EXPECT_EQ(w.AMPMRect(), (TRect{-1, -1, -1, -1}));
    move(w, box);
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
    release(w, box); // straight below the centre: six o'clock in the afternoon
    EXPECT_EQ(hm(w.Time()), QStringLiteral("18:15"));
}

// ---- hour and minute ------------------------------------------------------------------------------

TEST_F(Watch, OnChangeOncePerChangeMadeAtOnce)
{
    w.SetAnimation(false);
    w.SetTime(at(10, 0));
    w.SetHour(7);
    w.SetMinute(59);
    w.SetMinute(59); // no change
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(hm(w.Time()), QStringLiteral("07:59"));
    // The internal paths too: Home, the Page Up and Page Down wraps, the Left-key wrap.
    w.SetTime(at(23, 0));
    const int keys[] = {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_Left, Qt::Key_End};
    for (int key : keys)
        w.HandleKey(key);
    EXPECT_EQ(hm(w.Time()), QStringLiteral("12:00"));
    EXPECT_EQ(changes, 7);
}

TEST_F(Watch, SetMinuteOfSixtyRaisesInvalidTimeAndKeepsTheTime)
{
    w.SetTime(at(9, 30));
    try {
        w.SetMinute(60);
        FAIL() << "no exception";
    } catch (const EWatchError& e) {
        EXPECT_STREQ(e.what(), "Invalid time");
    }
    EXPECT_EQ(w.Time(), at(9, 30));
    EXPECT_EQ(changes, 0);
}

TEST_F(Watch, KeyTable)
{
    w.SetAnimation(false);
    const struct {
        int h, m;
        int key;
        const char* expected;
    } cases[] = {
        {15, 10, Qt::Key_A, "03:10"},        {10, 10, Qt::Key_A, "10:10"},       {10, 10, Qt::Key_P, "22:10"},
        {22, 10, Qt::Key_P, "22:10"},        {10, 10, Qt::Key_PageUp, "11:10"},  {23, 10, Qt::Key_PageUp, "00:10"},
        {10, 10, Qt::Key_PageDown, "09:10"}, {0, 10, Qt::Key_PageDown, "23:10"}, {3, 10, Qt::Key_Home, "12:10"},
        {10, 10, Qt::Key_End, "10:00"},      {10, 10, Qt::Key_Left, "10:09"},    {10, 0, Qt::Key_Left, "09:59"},
        {0, 0, Qt::Key_Left, "23:59"},       {10, 10, Qt::Key_Right, "10:11"},   {10, 59, Qt::Key_Right, "11:00"},
        {23, 59, Qt::Key_Right, "00:00"},    {10, 10, Qt::Key_Up, "10:10"},      {10, 10, Qt::Key_Down, "10:10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        w.SetTime(at(c.h, c.m));
        w.HandleKey(c.key);
        EXPECT_EQ(hm(w.Time()), QString::fromLatin1(c.expected));
    }
}

TEST_F(Watch, AutomaticModeShowsTheDesktopTimeAndIgnoresKeysAndClicks)
{
    desktop.now = QDateTime(QDate(2012, 8, 1), QTime(14, 45, 30));
    w.Settings().SetTimeOffset(15);
    w.Settings().SetAuto(true);
    EXPECT_TRUE(w.ClockRunning());
    EXPECT_EQ(hm(w.Time()), QStringLiteral("14:45")) << "the desktop's time when the mode came on";
    EXPECT_EQ(hm(w.CurrentTime()), QStringLiteral("15:00"));
    EXPECT_FALSE(w.AM());
    const TDateTime before = w.Time();
    w.HandleKey(Qt::Key_Home);
    release(w, {150, 90});
    release(w, {90, 150});
    EXPECT_EQ(w.Time(), before);
    EXPECT_FALSE(w.Animating());
    EXPECT_EQ(changes, 0);
    w.Settings().SetAuto(false);
    EXPECT_FALSE(w.ClockRunning());
}

// ---- the face -------------------------------------------------------------------------------------

TEST_F(Watch, TickMarksDecideWhatTheFaceShows)
{
    w.SetTime(at(0, 0));
    w.Appearance().SetHourColor(0x0000FF);
    // The 3 o'clock mark lies between 0.9 of the outer radius and the outer radius (78).
    const QPoint mark(90 + 74, 90);
    const auto numbersShown = [&] {
        w.SetShowNumbers(true);
        const QImage with = render(w);
        w.SetShowNumbers(false);
        const QImage without = render(w);
        return with != without;
    };
    w.Appearance().SetTickMarks(tmAll);
    EXPECT_EQ(pixel(render(w), mark.x(), mark.y()), 0x0000FFu);
    EXPECT_TRUE(numbersShown());
    w.Appearance().SetTickMarks(tmQuartHours);
    EXPECT_TRUE(numbersShown());
    w.Appearance().SetTickMarks(tmHours);
    EXPECT_FALSE(numbersShown());
    w.Appearance().SetTickMarks(tmNone);
    EXPECT_FALSE(numbersShown());
    EXPECT_EQ(pixel(render(w), mark.x(), mark.y()), 0xFFFFFFu);
}

TEST_F(Watch, TheAMPMBoxIsFilledAndGoneWithShowAMPMOff)
{
    w.SetTime(at(0, 0));
    w.Appearance().SetAMPMColor(0x00C000);
    const TRect box = w.AMPMRect();
    const QPoint fill(box.Left + 2, box.Top + box.Height() / 2);
    EXPECT_EQ(pixel(render(w), fill.x(), fill.y()), 0x00C000u);
    w.SetShowAMPM(false);
    EXPECT_EQ(pixel(render(w), fill.x(), fill.y()), 0xFFFFFFu);
}

TEST_F(Watch, AHandRepaintReusesTheFace)
{
    QImage img(w.size(), QImage::Format_RGB32);
    w.render(&img);
    const int faces = w.FacePaints();
    w.SetTime(at(4, 20));
    w.render(&img);
    EXPECT_EQ(w.FacePaints(), faces);
    w.Appearance().SetBackgroundColor(0x00FFFF);
    w.render(&img);
    EXPECT_EQ(w.FacePaints(), faces + 1);
}
