// The platform date picker: its format letters read into Qt's by one table, field typing and
// the field keys, the check box standing for an absent date, the limits, and the drop-down
// calendar with its notifications, week numbers and today line, driven as a user does.

#include "platform/DateTimePicker.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(DateTimePicker, FormatLettersReadAsQtFormats)
{
    const struct {
        const char* platform;
        const char* qt;
    } cases[] = {
        {"d dd ddd dddd", "d dd ddd dddd"},
        {"M MM MMM MMMM", "M MM MMM MMMM"},
        {"y yy yyy yyyy", "yy yy yyyy yyyy"},
        {"h hh H HH m mm s ss", "h hh H HH m mm s ss"},
        {"hh:mm t", "hh:mm AP"},
        {"hh:mm tt", "hh:mm AP"},
        {"dd/MM/yyyy", "dd/MM/yyyy"},
        {"'Day' d", "'Day 'd"},           // literal runs are joined into one
        {"dd'.'MM", "dd.MM"},             // a literal without letters needs no quotes
        {"d 'o''clock'", "d' o''clock'"}, // a quote inside a literal stays one
        {"dd gg", "dd' gg'"},             // an unknown letter is kept as a literal
        {"'at 'HH'h'", "'at 'HH'h'"},
        {"zz", "'zz'"}, // never Qt's milliseconds
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.platform);
        EXPECT_EQ(Translate_DateTime_Format(QString::fromUtf8(c.platform)), QString::fromUtf8(c.qt));
    }
}

// A picker in a shown, active window with the keyboard focus.
struct PickerWindow {
    explicit PickerWindow(TDateTimeKind kind = dtkDate)
    {
        picker = new TDateTimePicker(&window);
        picker->SetKind(kind);
        picker->setGeometry(10, 10, 160, 22);
        picker->OnChange = [this](QObject*) { log << QStringLiteral("Change"); };
        window.resize(300, 120);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        picker->setFocus();
        QApplication::processEvents();
    }
    void field(int index)
    {
        picker->setCurrentSectionIndex(index);
        picker->setSelectedSection(picker->currentSection());
    }
    QWidget window;
    TDateTimePicker* picker;
    QStringList log;
};

const QDateTime kValue(QDate(2024, 3, 15), QTime(14, 30, 45), Qt::UTC);

TEST(DateTimePicker, DigitsFillTheFieldAndTheCaretStays)
{
    PickerWindow w;
    w.picker->SetFormat(QStringLiteral("dd/MM/yyyy"));
    w.picker->SetDateTime(kValue);
    EXPECT_TRUE(w.log.isEmpty()) << "a value set by code is no change";
    w.field(0);
    QTest::keyClick(w.picker, '2'); // 2 could still become 2x: the day waits
    EXPECT_EQ(w.picker->DateTime().date().day(), 15);
    QTest::keyClick(w.picker, '5');
    EXPECT_EQ(w.picker->DateTime().date(), QDate(2024, 3, 25));
    EXPECT_EQ(w.picker->currentSectionIndex(), 0);
    EXPECT_EQ(w.log, QStringList{QStringLiteral("Change")});
    QTest::keyClick(w.picker, '4'); // no day 4x: taken at once
    EXPECT_EQ(w.picker->DateTime().date().day(), 4);
    EXPECT_EQ(w.picker->DateTime().time(), QTime(14, 30, 45)) << "a date picker keeps the time";

    QTest::keyClick(w.picker, Qt::Key_Right);
    EXPECT_EQ(w.picker->currentSectionIndex(), 1);
    QTest::keyClick(w.picker, '1');
    QTest::keyClick(w.picker, Qt::Key_Right); // leaving the field takes the waiting digit
    EXPECT_EQ(w.picker->DateTime().date().month(), 1);
    EXPECT_EQ(w.picker->currentSectionIndex(), 2);
    for (char c : {'1', '9', '9'})
        QTest::keyClick(w.picker, c);
    EXPECT_EQ(w.picker->DateTime().date().year(), 2024);
    QTest::keyClick(w.picker, '9');
    EXPECT_EQ(w.picker->DateTime().date(), QDate(1999, 1, 4));
    QTest::keyClick(w.picker, Qt::Key_Right); // the last field: stays
    EXPECT_EQ(w.picker->currentSectionIndex(), 2);
    QTest::keyClick(w.picker, Qt::Key_Left);
    EXPECT_EQ(w.picker->currentSectionIndex(), 1);
}

TEST(DateTimePicker, DayPastTheMonthEndBecomesItsLastDay)
{
    PickerWindow w;
    w.picker->SetFormat(QStringLiteral("dd/MM/yyyy"));
    w.picker->SetDateTime(QDateTime(QDate(2023, 2, 10), QTime(0, 0), Qt::UTC));
    w.field(0);
    QTest::keyClicks(w.picker, QStringLiteral("31"));
    EXPECT_EQ(w.picker->DateTime().date(), QDate(2023, 2, 28));
}

TEST(DateTimePicker, TimeFieldsAndAPostedRightKey)
{
    PickerWindow w(dtkTime);
    w.picker->SetFormat(QStringLiteral("HH:mm:ss"));
    w.picker->SetDateTime(kValue);
    EXPECT_FALSE(w.picker->calendarPopup()) << "a time picker has up-down buttons";
    w.field(0);
    QTest::keyClicks(w.picker, QStringLiteral("09"));
    EXPECT_EQ(w.picker->DateTime().time(), QTime(9, 30, 45));
    w.picker->PostKeyDown(Qt::Key_Right);
    EXPECT_EQ(w.picker->currentSectionIndex(), 0) << "posted: handled after the current input";
    QApplication::processEvents();
    EXPECT_EQ(w.picker->currentSectionIndex(), 1);
    QTest::keyClick(w.picker, '7'); // no minute 7x
    EXPECT_EQ(w.picker->DateTime().time(), QTime(9, 7, 45));
    EXPECT_EQ(w.picker->DateTime().date(), QDate(2024, 3, 15)) << "a time picker keeps the date";
}

TEST(DateTimePicker, KeyDownAndKeyPressSeeKeysFirst)
{
    PickerWindow w;
    w.picker->SetFormat(QStringLiteral("dd/MM/yyyy"));
    w.picker->SetDateTime(kValue);
    w.field(0);
    QStringList keys;
    w.picker->OnKeyDown = [&](QObject*, int& key, Qt::KeyboardModifiers) {
        keys << QStringLiteral("down %1").arg(key);
        if (key == Qt::Key_Right)
            key = 0;
    };
    w.picker->OnKeyPress = [&](QObject*, QChar& c) {
        keys << QStringLiteral("press %1").arg(c);
        c = QChar();
    };
    QTest::keyClick(w.picker, Qt::Key_Right);
    EXPECT_EQ(w.picker->currentSectionIndex(), 0);
    QTest::keyClicks(w.picker, QStringLiteral("25"));
    EXPECT_EQ(w.picker->DateTime().date().day(), 15) << "a character cleared by OnKeyPress is not typed";
    EXPECT_EQ(keys, (QStringList{QStringLiteral("down %1").arg(int(Qt::Key_Right)),
                                 QStringLiteral("down %1").arg(int(Qt::Key_2)), QStringLiteral("press 2"),
                                 QStringLiteral("down %1").arg(int(Qt::Key_5)), QStringLiteral("press 5")}));
}

TEST(DateTimePicker, CheckBoxStandsForNoDate)
{
    PickerWindow w;
    w.picker->SetFormat(QStringLiteral("dd/MM/yyyy"));
    w.picker->SetDateTime(kValue);
    EXPECT_FALSE(w.picker->CheckBox()->isVisible());
    w.picker->SetShowCheckbox(true);
    QCheckBox* box = w.picker->CheckBox();
    ASSERT_TRUE(box->isVisible());
    EXPECT_TRUE(w.picker->Checked());
    const QLineEdit* edit = w.picker->findChild<QLineEdit*>();
    EXPECT_LT(box->geometry().right(), edit->x() + edit->textMargins().left()) << "the fields start right of the box";

    QStringList reports;
    w.picker->OnChange = [&](QObject*) { reports << (w.picker->Checked() ? "date" : "none"); };
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    EXPECT_FALSE(w.picker->Checked());
    EXPECT_EQ(reports, QStringList{"none"});
    EXPECT_EQ(w.picker->DateTime(), kValue) << "the value is kept while there is no date";
    w.field(0);
    QTest::keyClicks(w.picker, QStringLiteral("20"));
    EXPECT_EQ(w.picker->DateTime(), kValue) << "no typing without a date";
    QTest::keyClick(w.picker, Qt::Key_Space); // the box takes Space
    EXPECT_TRUE(w.picker->Checked());
    EXPECT_EQ(reports, (QStringList{"none", "date"}));

    w.picker->SetChecked(false);
    EXPECT_FALSE(w.picker->Checked());
    EXPECT_FALSE(box->isChecked());
    w.picker->SetDateTime(kValue.addDays(1)); // a value by code gives the date again
    EXPECT_TRUE(w.picker->Checked());
    EXPECT_EQ(reports.size(), 2) << "changes by code are not reported";
}

TEST(DateTimePicker, LimitsHoldTypedDates)
{
    PickerWindow w;
    w.picker->SetFormat(QStringLiteral("dd/MM/yyyy"));
    w.picker->SetMinDate(QDate(2024, 3, 10));
    w.picker->SetMaxDate(QDate(2024, 3, 20));
    w.picker->SetDateTime(kValue);
    w.field(0);
    QTest::keyClicks(w.picker, QStringLiteral("25"));
    EXPECT_EQ(w.picker->DateTime().date(), QDate(2024, 3, 15));
    QTest::keyClicks(w.picker, QStringLiteral("18"));
    EXPECT_EQ(w.picker->DateTime().date(), QDate(2024, 3, 18));
    w.picker->SetMinDate(QDate());
    w.picker->SetMaxDate(QDate());
    QTest::keyClicks(w.picker, QStringLiteral("25"));
    EXPECT_EQ(w.picker->DateTime().date(), QDate(2024, 3, 25)) << "a null limit is no limit";
}

// Opens the calendar as a click on the drop-down button does.
void dropDown(TDateTimePicker* p)
{
    QTest::mouseClick(p, Qt::LeftButton, {}, QPoint(p->width() - 8, p->height() / 2));
    QApplication::processEvents();
}

TEST(DateTimePicker, F4AndAltDownDropTheCalendar)
{
    for (const auto& [key, mods] : {std::pair{Qt::Key_F4, Qt::NoModifier}, std::pair{Qt::Key_Down, Qt::AltModifier}}) {
        PickerWindow w;
        w.picker->SetDateTime(kValue);
        w.picker->setFocus();
        QTest::keyClick(w.picker, key, mods);
        QApplication::processEvents();
        EXPECT_TRUE(w.picker->DroppedDown()) << key;
        EXPECT_EQ(w.picker->DateTime(), kValue) << key; // opening changes nothing
    }
}

TEST(DateTimePicker, CalendarDropsDownPicksAndClosesUp)
{
    PickerWindow w;
    w.picker->SetFormat(QStringLiteral("dd/MM/yyyy"));
    w.picker->SetDateTime(kValue);
    w.picker->OnDropDown = [&](QObject*) { w.log << QStringLiteral("DropDown"); };
    w.picker->OnCloseUp = [&](QObject*) { w.log << QStringLiteral("CloseUp"); };
    dropDown(w.picker);
    ASSERT_TRUE(w.picker->DroppedDown());
    TMonthCalendar* cal = w.picker->Calendar();
    ASSERT_TRUE(cal->isVisible());
    auto* table = cal->findChild<QTableView*>();
    ASSERT_NE(table, nullptr);
    // Walk the day cells to the 20th and pick it with Enter, as a keyboard user does; each
    // step is a change, as the platform's calendar reports them.
    QTest::keyClick(table, Qt::Key_Right);
    QApplication::processEvents();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(table, Qt::Key_Right);
    QTest::keyClick(table, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(w.picker->DroppedDown());
    EXPECT_EQ(w.picker->DateTime(), QDateTime(QDate(2024, 3, 20), QTime(14, 30, 45), Qt::UTC));
    EXPECT_EQ(w.log, (QStringList{"DropDown", "Change", "Change", "Change", "Change", "Change", "CloseUp"}));
}

TEST(DateTimePicker, CalendarWeekNumbersAndTodayMarks)
{
    PickerWindow w;
    TMonthCalendar* cal = w.picker->Calendar();
    EXPECT_FALSE(w.picker->WeekNumbers());
    EXPECT_EQ(cal->verticalHeaderFormat(), QCalendarWidget::NoVerticalHeader);
    w.picker->SetWeekNumbers(true);
    EXPECT_EQ(cal->verticalHeaderFormat(), QCalendarWidget::ISOWeekNumbers);
    EXPECT_TRUE(w.picker->ShowToday());
    EXPECT_TRUE(w.picker->ShowTodayCircle());
    EXPECT_TRUE(cal->TodayLabel()->text().contains(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)));

    // The circle: today's cell differs from a plain render.
    cal->setSelectedDate(QDate::currentDate().addDays(QDate::currentDate().day() > 15 ? -7 : 7));
    cal->resize(320, 240);
    const QImage withCircle = cal->grab().toImage();
    w.picker->SetShowTodayCircle(false);
    const QImage without = cal->grab().toImage();
    EXPECT_NE(withCircle, without);

    w.picker->SetShowToday(false);
    EXPECT_TRUE(cal->TodayLabel()->isHidden());
    w.picker->SetShowToday(true);

    // A click on the today line picks today.
    w.picker->SetDateTime(QDateTime(QDate(2001, 1, 1), QTime(8, 0), Qt::UTC));
    dropDown(w.picker);
    ASSERT_TRUE(cal->TodayLabel()->isVisible());
    QTest::mouseClick(cal->TodayLabel(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(w.picker->DateTime().date(), QDate::currentDate());
    EXPECT_FALSE(w.picker->DroppedDown());
}

TEST(DateTimePicker, UpDownModeHasNoCalendar)
{
    PickerWindow w;
    w.picker->SetDateMode(dmUpDown);
    EXPECT_FALSE(w.picker->calendarPopup());
    w.picker->SetDateMode(dmComboBox);
    EXPECT_TRUE(w.picker->calendarPopup());
    EXPECT_EQ(w.picker->calendarWidget(), w.picker->Calendar()) << "the same calendar after a mode change";
}

TEST(DateTimePicker, ClickIsReported)
{
    PickerWindow w;
    int clicks = 0;
    w.picker->OnClick = [&](QObject*) { ++clicks; };
    QTest::mouseClick(w.picker->findChild<QLineEdit*>(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
}

} // namespace
