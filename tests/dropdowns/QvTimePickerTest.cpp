// The time picker as a user and the cell editor drive it: its text in the locale's form, the
// Up and Down steps in the edit, typed text read back, switching the seconds off and on, the
// popup with its clock and time control, the keys passed on from the popup, a cancel, and a
// screenshot of the open popup.

#include "dropdowns/QvTimePicker.h"
#include "grid/edit/GridUnitHelpers.h"
#include "support/FakeDesktop.h"
#include "support/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLocale>
#include <QTest>
#include <QTimeEdit>

#include <gtest/gtest.h>

#include <memory>

using namespace dropdowns;
using testsupport::FakeDesktop;

namespace {

TDateTime at(int h, int m, int s = 0)
{
    return EncodeTime(h, m, s, 0);
}

QString hms(TDateTime t)
{
    int h, m, s, ms;
    DecodeTime(t, h, m, s, ms);
    return QTime(h, m, s).toString(QStringLiteral("HH:mm:ss"));
}

// The locale for one test, the previous one back afterwards.
struct LocaleScope {
    explicit LocaleScope(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleScope() { QLocale::setDefault(saved); }
    QLocale saved;
};

class TimePicker : public ::testing::Test {
protected:
    LocaleScope english{QLocale(QLocale::English, QLocale::UnitedKingdom)};
    FakeDesktop desktop;
};

// A shown, active window holding a picker at (10, 10), for the popup tests.
struct PickerWindow {
    explicit PickerWindow(FakeDesktop& desktop)
    {
        window = std::make_unique<QWidget>();
        window->setGeometry(100, 100, 400, 300);
        dd = new TQvTimePickerDropDown(window.get(), &desktop);
        dd->move(10, 10);
        window->show();
        QApplication::setActiveWindow(window.get());
        (void)QTest::qWaitForWindowActive(window.get());
        dd->setFocus();
    }
    ~PickerWindow()
    {
        if (dd->DroppedDown())
            dd->HideDropDown(false);
    }
    TQvWatch* clock() const { return dd->DropDownForm()->findChild<TQvWatch*>(); }
    QFrame* panel() const { return qobject_cast<QFrame*>(dd->Control()); }
    void popupKey(int key, Qt::KeyboardModifiers mods = {}) const
    {
        QTest::keyClick(dd->DropDownForm(), Qt::Key(key), mods);
    }

    std::unique_ptr<QWidget> window;
    TQvTimePickerDropDown* dd = nullptr;
};

} // namespace

// ---- text ---------------------------------------------------------------------------------------

TEST_F(TimePicker, ANewPickerReadsMidnightInTheLocalesForm)
{
    {
        TQvTimePickerDropDown dd(nullptr, &desktop);
        EXPECT_EQ(dd.Text(), QStringLiteral("00:00:00"));
        EXPECT_EQ(dd.Time(), 0.0);
        EXPECT_TRUE(dd.ShowSeconds());
        EXPECT_FALSE(dd.EditorEnabled());
        EXPECT_TRUE(dd.DropDownEnabled());
        EXPECT_FALSE(dd.DropDownHeader().Visible());
        EXPECT_FALSE(dd.DropDownFooter().Visible());
    }
    LocaleScope finnish(QLocale(QLocale::Finnish, QLocale::Finland));
    ASSERT_EQ(grid::LocaleTimeSeparator(), QLatin1Char('.'));
    TQvTimePickerDropDown dd(nullptr, &desktop);
    EXPECT_EQ(dd.Text(), QStringLiteral("00.00.00"));
    dd.SetTime(at(7, 5, 9));
    EXPECT_EQ(dd.Text(), QStringLiteral("07.05.09"));
}

TEST_F(TimePicker, UpAndDownStepTheFieldUnderTheCaretWithoutCarry)
{
    const struct {
        bool seconds;
        int caret;
        int key;
        TDateTime start;
        const char* expected;
    } cases[] = {
        {true, 0, Qt::Key_Down, at(12, 34, 56), "13:34:56"},        {true, 2, Qt::Key_Up, at(12, 34, 56), "11:34:56"},
        {true, 3, Qt::Key_Down, at(12, 34, 56), "12:35:56"},        {true, 5, Qt::Key_Up, at(12, 34, 56), "12:33:56"},
        {true, 6, Qt::Key_Down, at(12, 34, 56), "12:34:57"},        {true, 8, Qt::Key_Up, at(12, 34, 56), "12:34:55"},
        {true, 1, Qt::Key_Down, at(23, 10, 0), "00:10:00"},         {true, 1, Qt::Key_Up, at(0, 10, 0), "23:10:00"},
        {true, 4, Qt::Key_Down, at(7, 59, 0), "07:00:00"},          {true, 7, Qt::Key_Up, at(7, 0, 0), "07:00:59"},
        {false, 3, Qt::Key_Down, at(12, 34), "12:35:00"},           {false, 5, Qt::Key_Up, at(12, 34), "12:33:00"},
        {true, 4, Qt::Key_Down, 4000.0 + at(8, 30, 0), "08:31:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        TQvTimePickerDropDown dd(nullptr, &desktop);
        dd.SetEditorEnabled(true);
        dd.SetShowSeconds(c.seconds);
        dd.SetTime(c.start);
        int changes = 0;
        dd.OnTimeChange = [&](QObject*) { ++changes; };
        dd.setCursorPosition(c.caret);
        QTest::keyClick(&dd, Qt::Key(c.key));
        EXPECT_EQ(hms(dd.Time()), QString::fromLatin1(c.expected));
        EXPECT_LT(dd.Time(), 1.0) << "the date part is 0";
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(dd.cursorPosition(), c.caret);
        EXPECT_EQ(dd.Text(), QString::fromLatin1(c.expected).left(c.seconds ? 8 : 5));
    }
}

TEST_F(TimePicker, SwitchingTheSecondsOffRoundsTheTimeToItsMinute)
{
    TQvTimePickerDropDown dd(nullptr, &desktop);
    dd.SetTime(at(12, 34, 56));
    dd.SetShowSeconds(false);
    EXPECT_EQ(dd.Text(), QStringLiteral("12:34"));
    EXPECT_EQ(dd.Time(), at(12, 34));
    dd.SetShowSeconds(true);
    EXPECT_EQ(dd.Text(), QStringLiteral("12:34:00"));
    EXPECT_EQ(dd.Time(), at(12, 34));
}

TEST_F(TimePicker, TextWithoutSecondsIsReadBack)
{
    const struct {
        const char* text;
        const char* time;
        const char* shown;
    } cases[] = {
        {"07:30", "07:30:00", "07:30"}, {"1 :00", "10:00:00", "10:00"}, {"2 :30", "20:30:00", "2 :30"},
        {"25:00", "09:09:00", "25:00"}, {"12:75", "09:09:00", "12:75"}, {"12:3", "12:03:00", "12: 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TQvTimePickerDropDown dd(nullptr, &desktop);
        dd.SetShowSeconds(false);
        dd.SetTime(at(9, 9));
        dd.SetText(QString::fromLatin1(c.text));
        EXPECT_EQ(hms(dd.Time()), QString::fromLatin1(c.time));
        EXPECT_EQ(dd.Text(), QString::fromLatin1(c.shown));
    }
}

TEST_F(TimePicker, ATypedTimeWithSecondsSetsTime)
{
    TQvTimePickerDropDown dd(nullptr, &desktop);
    dd.SetEditorEnabled(true);
    dd.SetTime(at(1, 2, 3));
    dd.setCursorPosition(0);
    QTest::keyClicks(&dd, QStringLiteral("123456"));
    EXPECT_EQ(dd.Text(), QStringLiteral("12:34:56"));
    EXPECT_EQ(dd.Time(), at(12, 34, 56));
    // Out of range: the text shows it, Time keeps the last good value.
    dd.setCursorPosition(3);
    QTest::keyClicks(&dd, QStringLiteral("7"));
    EXPECT_EQ(dd.Text(), QStringLiteral("12:74:56"));
    EXPECT_EQ(dd.Time(), at(12, 34, 56));
    // The time's own text leaves it exact.
    dd.SetTime(at(12, 34, 56) + 0.25 / 86400.0);
    dd.SetText(QStringLiteral("12:34:56"));
    EXPECT_EQ(dd.Time(), at(12, 34, 56) + 0.25 / 86400.0);
    // Delete and Backspace blank places and keep the shape.
    dd.setCursorPosition(0);
    QTest::keyClick(&dd, Qt::Key_Delete);
    EXPECT_EQ(dd.Text(), QStringLiteral(" 2:34:56"));
    dd.setCursorPosition(3);
    QTest::keyClick(&dd, Qt::Key_Backspace);
    EXPECT_EQ(dd.Text(), QStringLiteral("  :34:56"));
}

TEST_F(TimePicker, TheSchemeReachesTheWatchAppearance)
{
    TQvTimePickerDropDown dd(nullptr, &desktop);
    EXPECT_EQ(dd.WatchAppearance().CenterPointColor(), 0xFFEFE3u) << "built with the Luna scheme";
    dd.SetComponentStyle(grid::tsWindows7);
    EXPECT_EQ(dd.GetComponentStyle(), grid::tsWindows7);
    EXPECT_EQ(dd.WatchAppearance().BackgroundColorTo(), 0xFDF3EBu);
}

// ---- the popup ------------------------------------------------------------------------------------

TEST_F(TimePicker, ThePopupHoldsA170SquarePanelAndTheTimeControlBelowTheClock)
{
    PickerWindow w(desktop);
    w.dd->SetTime(at(8, 15, 30));
    w.dd->ShowDropDown();
    ASSERT_TRUE(w.dd->DroppedDown());
    EXPECT_EQ(w.panel()->size(), QSize(170, 170));
    ASSERT_NE(w.clock(), nullptr);
    EXPECT_EQ(w.clock()->size(), QSize(170, 170));
    EXPECT_EQ(w.clock()->Time(), at(8, 15, 30));
    EXPECT_EQ(w.dd->DropDownForm()->findChild<QTimeEdit*>(), nullptr);
    w.dd->HideDropDown(false);

    w.dd->SetShowTimePicker(true);
    w.dd->ShowDropDown();
    auto* timeControl = w.dd->DropDownForm()->findChild<QTimeEdit*>();
    ASSERT_NE(timeControl, nullptr);
    EXPECT_TRUE(timeControl->isVisible());
    EXPECT_EQ(w.panel()->size(), QSize(170, 170 + timeControl->height()));
    EXPECT_EQ(w.clock()->height(), 170);
    EXPECT_EQ(timeControl->time(), QTime(8, 15, 30));
    EXPECT_EQ(timeControl->displayFormat(), QStringLiteral("HH:mm:ss"));
    // A clock change reaches the time control and the edit.
    int changes = 0;
    w.dd->OnTimeChange = [&](QObject*) { ++changes; };
    w.clock()->SetAnimation(false);
    w.clock()->SetHour(9);
    EXPECT_EQ(timeControl->time(), QTime(9, 15, 30));
    EXPECT_EQ(w.dd->Text(), QStringLiteral("09:15:30"));
    EXPECT_EQ(changes, 1);
    // The time control sets the clock, which the edit takes at the close.
    timeControl->setTime(QTime(14, 0, 5));
    EXPECT_EQ(hms(w.clock()->Time()), QStringLiteral("14:00:05"));
    w.dd->HideDropDown(false);
    EXPECT_EQ(hms(w.dd->Time()), QStringLiteral("14:00:05"));
    EXPECT_EQ(w.dd->Text(), QStringLiteral("14:00:05"));

    w.dd->SetShowTimePicker(false);
    w.dd->ShowDropDown();
    EXPECT_FALSE(timeControl->isVisible());
    EXPECT_EQ(w.panel()->size(), QSize(170, 170));
}

TEST_F(TimePicker, PopupKeysGoToTheClockAndOnlyAltArrowsToTheEdit)
{
    PickerWindow w(desktop);
    w.dd->SetAnimation(false);
    w.dd->SetTime(at(10, 20));
    std::vector<int> editKeys;
    w.dd->OnKeyDown = [&](QObject*, int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Up || key == Qt::Key_Down)
            editKeys.push_back(key);
    };
    w.dd->ShowDropDown();
    ASSERT_TRUE(w.dd->DroppedDown());

    w.popupKey(Qt::Key_Down);
    w.popupKey(Qt::Key_Up);
    EXPECT_TRUE(editKeys.empty());
    EXPECT_TRUE(w.dd->DroppedDown());
    w.popupKey(Qt::Key_PageUp);
    EXPECT_EQ(w.dd->Text(), QStringLiteral("11:20:00"));
    w.popupKey(Qt::Key_PageDown);
    w.popupKey(Qt::Key_PageDown);
    EXPECT_EQ(w.dd->Text(), QStringLiteral("09:20:00"));
    EXPECT_TRUE(editKeys.empty());

    w.popupKey(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(editKeys, std::vector<int>{Qt::Key_Down});
    EXPECT_FALSE(w.dd->DroppedDown());
    EXPECT_EQ(w.dd->Time(), at(9, 20));
    w.dd->ShowDropDown();
    w.popupKey(Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(editKeys, (std::vector<int>{Qt::Key_Down, Qt::Key_Up}));
    EXPECT_FALSE(w.dd->DroppedDown());
}

TEST_F(TimePicker, ACancelKeepsTimeAndText)
{
    PickerWindow w(desktop);
    w.dd->SetAnimation(false);
    w.dd->SetTime(at(6, 40, 12));
    w.dd->ShowDropDown();
    w.popupKey(Qt::Key_PageUp);
    EXPECT_EQ(w.dd->Text(), QStringLiteral("07:40:12")) << "the edit follows the clock while open";
    w.popupKey(Qt::Key_Escape);
    EXPECT_FALSE(w.dd->DroppedDown());
    EXPECT_EQ(w.dd->Time(), at(6, 40, 12));
    EXPECT_EQ(w.dd->Text(), QStringLiteral("06:40:12"));
    EXPECT_EQ(w.clock()->Time(), at(6, 40, 12));

    w.dd->ShowDropDown();
    w.popupKey(Qt::Key_PageUp);
    w.popupKey(Qt::Key_Return);
    EXPECT_EQ(w.dd->Time(), at(7, 40, 12));
}

TEST_F(TimePicker, AutomaticModeLeavesTheClockAloneAtTheOpening)
{
    PickerWindow w(desktop);
    w.dd->SetTime(at(3, 0));
    desktop.now = QDateTime(QDate(2012, 8, 1), QTime(16, 5, 0));
    w.dd->WatchSettings().SetAuto(true);
    w.dd->ShowDropDown();
    EXPECT_TRUE(w.clock()->ClockRunning());
    EXPECT_EQ(hms(w.clock()->Time()), QStringLiteral("16:05:00"));
    w.popupKey(Qt::Key_PageUp); // inert
    w.dd->HideDropDown(false);
    EXPECT_EQ(hms(w.dd->Time()), QStringLiteral("16:05:00"));
}

// ---- screenshot -----------------------------------------------------------------------------------

TEST_F(TimePicker, ScreenshotOfTheOpenPicker)
{
    PickerWindow w(desktop);
    w.dd->WatchAppearance().SetCenterPointColor(0x0000FF);
    w.dd->WatchAppearance().SetCenterPointSize(10);
    w.dd->WatchAppearance().SetCenterPointBorderColor(platform::clNone);
    w.dd->WatchAppearance().SetCenterPointOuterBorderColor(platform::clNone);
    w.dd->WatchAppearance().SetHourColor(0x008000);
    w.dd->WatchAppearance().SetAMPMColor(0x00FFFF);
    w.dd->ShowDropDown();
    QTest::qWait(20);
    TQvWatch* clock = w.clock();
    ASSERT_NE(clock, nullptr);
    const QImage img = w.dd->DropDownForm()->grab().toImage();
    const auto pixel = [&](QPoint inClock) {
        const QPoint p = clock->mapTo(w.dd->DropDownForm(), inClock);
        return platform::fromQColor(QColor(img.pixel(p)));
    };
    const QPoint c = clock->Center();
    EXPECT_EQ(c, QPoint(85, 85));
    EXPECT_EQ(pixel(c), 0x0000FFu);
    // The 3 o'clock mark runs from 0.9 of the outer radius (73) to it.
    EXPECT_EQ(pixel(c + QPoint(70, 0)), 0x008000u);
    const TRect box = clock->AMPMRect();
    EXPECT_EQ(pixel(QPoint(box.Left + 2, box.Top + box.Height() / 2)), 0x00FFFFu);
    ASSERT_TRUE(testsupport::saveScreenshot(img, QStringLiteral("dropdowns/TimePicker_open.png")));
}
