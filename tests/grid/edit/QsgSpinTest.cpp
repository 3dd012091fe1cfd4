// The spin edit in two pinned locales: defaults, limits, float precision, the date and time
// fields under the caret, the character rules, the write-back on leaving, unparsable texts and
// the steps that have no result; the button pair's layout, auto-repeat and paint branches.

#include "grid/edit/qsgspin.h"
#include "grid/edit/GridUnitHelpers.h"
#include "grid/look/QvXPVS.h"
#include "support/Screenshots.h"

#include "grid/support/FakeVisualStyles.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace grid;

namespace {

struct LocaleGuard {
    explicit LocaleGuard(const QLocale& l) : saved(QLocale()) { QLocale::setDefault(l); }
    ~LocaleGuard() { QLocale::setDefault(saved); }
    QLocale saved;
};

const QLocale kLocales[] = {QLocale(QLocale::German, QLocale::Germany),
                            QLocale(QLocale::English, QLocale::UnitedStates)};

struct Spin {
    Spin()
    {
        edit.resize(120, 24);
        edit.Beep = [this] { ++beeps; };
    }
    // Types one character as the keyboard would.
    void type(QChar c) { QTest::keyClick(&edit, c.toLatin1()); }
    TQsgSpinEdit edit;
    int beeps = 0;
};

TEST(QsgSpin, DefaultsAndIntegerLimits)
{
    Spin s;
    EXPECT_EQ(s.edit.text(), QStringLiteral("0"));
    EXPECT_EQ(s.edit.MinValue, 0);
    EXPECT_EQ(s.edit.MaxValue, 100);
    EXPECT_EQ(s.edit.Increment, 1);
    EXPECT_DOUBLE_EQ(s.edit.IncrementFloat, 0.1);
    EXPECT_DOUBLE_EQ(s.edit.IncrementFloatPage, 1.0);
    EXPECT_EQ(s.edit.SpinType(), sptNormal);

    s.edit.SetValue(100);
    s.edit.StepUp(false);
    EXPECT_EQ(s.edit.Value(), 100);
    s.edit.SetValue(-5);
    EXPECT_EQ(s.edit.text(), QStringLiteral("0"));
    // Equal limits mean none.
    s.edit.MaxValue = 0;
    s.edit.SetValue(100);
    s.edit.StepUp(false);
    EXPECT_EQ(s.edit.text(), QStringLiteral("101"));
    // Unparsable text reads as the minimum, empty text as 0.
    s.edit.MinValue = 7;
    s.edit.setText(QStringLiteral("abc"));
    EXPECT_EQ(s.edit.Value(), 7);
    s.edit.setText(QString());
    EXPECT_EQ(s.edit.Value(), 0);
    s.edit.setText(QStringLiteral(" 12 "));
    EXPECT_EQ(s.edit.Value(), 12);
}

TEST(QsgSpin, FloatsInEitherLocale)
{
    for (const QLocale& l : kLocales) {
        LocaleGuard g(l);
        SCOPED_TRACE(l.name().toStdString());
        const QString sep = l.decimalPoint();
        Spin s;
        s.edit.SetSpinType(sptFloat);
        for (const char* want : {"0.1", "0.2", "0.3"}) {
            s.edit.StepUp(false);
            EXPECT_EQ(s.edit.text(), QString::fromLatin1(want).replace(QLatin1Char('.'), sep));
        }
        s.edit.StepUp(true);
        EXPECT_EQ(s.edit.text(), QStringLiteral("1.3").replace(QLatin1Char('.'), sep));

        s.edit.SetPrecision(2);
        s.edit.SetFloatValue(1.5);
        EXPECT_EQ(s.edit.text(), QStringLiteral("1.50").replace(QLatin1Char('.'), sep));
        s.edit.setText(QStringLiteral("1.23").replace(QLatin1Char('.'), sep));
        s.edit.setCursorPosition(4);
        EXPECT_FALSE(s.edit.AcceptsChar(QLatin1Char('4')));
        s.edit.setCursorPosition(0);
        EXPECT_TRUE(s.edit.AcceptsChar(QLatin1Char('4')));
        // A second decimal separator, and the thousands separator, are refused.
        EXPECT_FALSE(s.edit.AcceptsChar(sep.front()));
        EXPECT_FALSE(s.edit.AcceptsChar(l.groupSeparator().front()));
        s.edit.selectAll();
        EXPECT_TRUE(s.edit.AcceptsChar(sep.front()));

        s.edit.SetFloatValue(250.0);
        EXPECT_EQ(s.edit.text(), QStringLiteral("100.00").replace(QLatin1Char('.'), sep));
        // Unparsable text reads as the integer minimum, as the editor always did.
        s.edit.MinValue = 3;
        s.edit.setText(QStringLiteral("x"));
        EXPECT_DOUBLE_EQ(s.edit.FloatValue(), 3.0);
    }
}

TEST(QsgSpin, DateFieldUnderTheCaretFollowsTheLocaleOrder)
{
    struct Case {
        QLocale locale;
        int caret;          // in the text of 31 January 2026
        QDateTime expected; // after one step up
    };
    const QTime noon(12, 0);
    const Case cases[] = {
        // Day first: day, month, year.
        {kLocales[0], 0, QDateTime(QDate(2026, 2, 1), noon)},
        {kLocales[0], 4, QDateTime(QDate(2026, 2, 28), noon)},        // cut to February, the time kept
        {kLocales[0], 8, QDateTime(QDate(2027, 1, 31), QTime(0, 0))}, // a year step drops the time
        // Month first: month, day, year.
        {kLocales[1], 0, QDateTime(QDate(2026, 2, 28), noon)},
        {kLocales[1], 3, QDateTime(QDate(2026, 2, 1), noon)},
    };
    for (const Case& c : cases) {
        LocaleGuard g(c.locale);
        SCOPED_TRACE(c.locale.name().toStdString() + " caret " + std::to_string(c.caret));
        Spin s;
        s.edit.SetSpinType(sptDate);
        s.edit.SetDateValue(QDateTime(QDate(2026, 1, 31), noon));
        EXPECT_EQ(s.edit.text(), c.locale.toString(QDate(2026, 1, 31), SpinDateFormat()));
        s.edit.setCursorPosition(c.caret);
        s.edit.StepUp(false);
        EXPECT_EQ(s.edit.DateValue(), c.expected);
        EXPECT_EQ(s.edit.cursorPosition(), c.caret); // the caret stays
    }
}

TEST(QsgSpin, DatesWithoutTextAndStepsWithoutResult)
{
    LocaleGuard g(kLocales[0]);
    Spin s;
    s.edit.SetSpinType(sptDate);
    EXPECT_EQ(s.edit.DateValue().date(), QDate::currentDate()); // a new spin shows today
    for (const char* t : {"", "0"}) {
        s.edit.setText(QString::fromLatin1(t));
        EXPECT_EQ(s.edit.DateValue().date(), QDate::currentDate()) << t;
    }
    s.edit.MinDateValue = QDateTime(QDate(2000, 1, 1), QTime(0, 0));
    s.edit.setText(QStringLiteral("kein Datum"));
    EXPECT_EQ(s.edit.DateValue(), s.edit.MinDateValue);
    s.edit.MinDateValue = QDateTime();

    // 29 February plus a year has no date: the value stays, nothing is thrown.
    s.edit.SetDateValue(QDateTime(QDate(2024, 2, 29), QTime(0, 0)));
    s.edit.setCursorPosition(8);
    s.edit.StepUp(false);
    EXPECT_EQ(s.edit.DateValue().date(), QDate(2024, 2, 29));
}

TEST(QsgSpin, TimeStepsWrapPastMidnight)
{
    for (const QLocale& l : kLocales) {
        LocaleGuard g(l);
        SCOPED_TRACE(l.name().toStdString());
        Spin s;
        s.edit.SetSpinType(sptTime);
        s.edit.SetTimeValue(QTime(23, 30, 0));
        s.edit.setCursorPosition(0);
        s.edit.StepUp(false);
        EXPECT_EQ(s.edit.TimeValue(), QTime(0, 30, 0));
        EXPECT_EQ(s.edit.text(), l.toString(QTime(0, 30, 0), LocaleLongTimeFormat()));

        s.edit.SetShowSeconds(false);
        EXPECT_EQ(s.edit.text(), QStringLiteral("0:30"));
        s.edit.setCursorPosition(0);
        s.edit.StepDown(false);
        EXPECT_EQ(s.edit.text(), QStringLiteral("23:30"));
        // Minutes after the first separator.
        s.edit.setCursorPosition(4);
        s.edit.StepUp(false);
        EXPECT_EQ(s.edit.text(), QStringLiteral("23:31"));

        // A step of a whole day or more has no time of day: the value stays, nothing is thrown.
        s.edit.IncrementHours = 24;
        s.edit.setCursorPosition(0);
        s.edit.StepUp(false);
        EXPECT_EQ(s.edit.text(), QStringLiteral("23:31"));
        s.edit.IncrementMinutes = 60;
        s.edit.setCursorPosition(4);
        s.edit.StepDown(false);
        EXPECT_EQ(s.edit.text(), QStringLiteral("23:31"));
    }
}

TEST(QsgSpin, CharacterRules)
{
    LocaleGuard g(kLocales[0]);
    Spin s;
    s.edit.setText(QStringLiteral("12"));
    s.edit.setCursorPosition(0);
    EXPECT_TRUE(s.edit.AcceptsChar(QLatin1Char('-')));
    s.edit.setCursorPosition(1);
    EXPECT_FALSE(s.edit.AcceptsChar(QLatin1Char('-')));
    EXPECT_FALSE(s.edit.AcceptsChar(QLatin1Char('a')));
    EXPECT_FALSE(s.edit.AcceptsChar(QLatin1Char(','))); // no separators in an integer
    EXPECT_TRUE(s.edit.AcceptsChar(QChar(8)));

    s.edit.SetSpinType(sptTime);
    s.edit.setText(QStringLiteral("12:30"));
    EXPECT_TRUE(s.edit.AcceptsChar(QLatin1Char(':')));
    s.edit.setText(QStringLiteral("12:30:00"));
    EXPECT_FALSE(s.edit.AcceptsChar(QLatin1Char(':'))); // a third time separator
    EXPECT_FALSE(s.edit.AcceptsChar(QLatin1Char('.'))); // the date separator outside a date

    // Typing a refused character beeps and leaves the text.
    s.edit.SetSpinType(sptNormal);
    s.edit.setText(QStringLiteral("5"));
    s.edit.setCursorPosition(1);
    s.type(QLatin1Char('x'));
    EXPECT_EQ(s.beeps, 1);
    EXPECT_EQ(s.edit.text(), QStringLiteral("5"));
    s.type(QLatin1Char('7'));
    EXPECT_EQ(s.edit.text(), QStringLiteral("57"));
}

TEST(QsgSpin, EditorDisabledStepsButTakesNoTyping)
{
    Spin s;
    s.edit.SetEditorEnabled(false);
    s.edit.SetValue(5);
    s.edit.setCursorPosition(1);
    s.type(QLatin1Char('3'));
    EXPECT_EQ(s.beeps, 1);
    EXPECT_FALSE(s.edit.AcceptsChar(QChar(8)));
    QTest::keyClick(&s.edit, Qt::Key_Up);
    EXPECT_EQ(s.edit.text(), QStringLiteral("6"));
    QTest::keyClick(&s.edit, Qt::Key_Down);
    QTest::keyClick(&s.edit, Qt::Key_Down);
    EXPECT_EQ(s.edit.text(), QStringLiteral("4"));
    s.edit.setCursorPosition(0);
    QTest::keyClick(&s.edit, Qt::Key_Delete);
    EXPECT_EQ(s.edit.text(), QStringLiteral("4"));
    QTest::keyClick(&s.edit, Qt::Key_PageUp);
    EXPECT_EQ(s.edit.text(), QStringLiteral("5"));
    // A read-only edit only beeps.
    s.edit.setReadOnly(true);
    s.edit.StepUp(false);
    EXPECT_EQ(s.edit.text(), QStringLiteral("5"));
    EXPECT_EQ(s.beeps, 2);
}

TEST(QsgSpin, LeavingWritesAnOutOfLimitsValueBackClamped)
{
    QWidget window;
    auto* edit = new TQsgSpinEdit(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    edit->setText(QStringLiteral("150"));
    other->setFocus();
    EXPECT_EQ(edit->text(), QStringLiteral("100"));
}

TEST(QsgSpin, KeypadDecimalKeyTypesTheLocaleSeparator)
{
    LocaleGuard g(kLocales[0]);
    Spin s;
    s.edit.SetSpinType(sptFloat);
    s.edit.ExcelStyleDecimalSeparator = true;
    s.edit.setText(QStringLiteral("1"));
    s.edit.setCursorPosition(1);
    QTest::keyClick(&s.edit, Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(s.edit.text(), QStringLiteral("1,"));
}

TEST(QsgSpinButton, LayoutBothWays)
{
    TQsgSpinButton pair;
    EXPECT_EQ(pair.size(), QSize(15, 25));
    pair.LayoutButtons(15, 25);
    EXPECT_EQ(pair.UpButton()->geometry(), QRect(0, 0, 15, 12));
    EXPECT_EQ(pair.DownButton()->geometry(), QRect(0, 11, 15, 14)); // one pixel of overlap
    EXPECT_EQ(pair.LayoutButtons(10, 20), QSize(15, 20));           // at least 15 wide
    pair.SetDirection(spHorizontal);
    EXPECT_EQ(pair.width(), 20);
    EXPECT_EQ(pair.UpButton()->ButtonDirection, bdRight);
    EXPECT_EQ(pair.DownButton()->ButtonDirection, bdLeft);
    pair.LayoutButtons(20, 16);
    EXPECT_EQ(pair.DownButton()->geometry(), QRect(0, 0, 10, 16));
    EXPECT_EQ(pair.UpButton()->geometry(), QRect(11, 0, 10, 16));
}

TEST(QsgSpinButton, HeldButtonRepeatsThroughItsTimer)
{
    Spin s;
    s.edit.SetValue(10);
    TQvTimerSpeedButton* up = s.edit.Button()->UpButton();
    QTest::mousePress(up, Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_NE(up->RepeatTimer(), nullptr);
    EXPECT_TRUE(up->RepeatTimer()->isActive());
    EXPECT_EQ(up->RepeatTimer()->interval(), 400);
    EXPECT_EQ(s.edit.Value(), 10);
    up->RepeatTimerTick(); // what the timer does 400 ms after the press
    EXPECT_EQ(s.edit.Value(), 11);
    EXPECT_EQ(up->RepeatTimer()->interval(), 100);
    up->RepeatTimerTick();
    EXPECT_EQ(s.edit.Value(), 12);
    QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(s.edit.Value(), 13); // one more on release
    EXPECT_FALSE(up->RepeatTimer()->isActive());
    up->RepeatTimerTick(); // a late tick of a released button clicks nothing
    EXPECT_EQ(s.edit.Value(), 13);
}

TEST(QsgSpin, EditRectAndMinimumHeight)
{
    Spin s;
    const int f = QFontMetrics(s.edit.font()).height();
    const int i = QFontMetrics(QApplication::font()).height();
    EXPECT_EQ(s.edit.MinimumHeight(), f + std::min(f, i) / 4 + 2 + 4);
    s.edit.BorderSingle = false;
    EXPECT_EQ(s.edit.MinimumHeight(), f + std::min(f, i) / 4 + 2);
    s.edit.BorderSingle = true;
    s.edit.show(); // a hidden widget gets its resize later
    s.edit.resize(120, 40);
    const int frame =
        s.edit.hasFrame() ? s.edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &s.edit) : 0;
    const int clientW = 120 - 2 * frame, clientH = 40 - 2 * frame;
    EXPECT_EQ(s.edit.EditRect(), QRect(QPoint(0, 0), QPoint(clientW - 15 - 2 - 1, clientH)));
    EXPECT_EQ(s.edit.Button()->geometry(), QRect(frame + 120 - 15 - 5, frame, 15, 35));
    s.edit.resize(120, 5); // below the least height: raised to it
    EXPECT_EQ(s.edit.height(), s.edit.MinimumHeight());
}

QImage render(QWidget& w)
{
    QImage img(w.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    w.render(&img);
    return img;
}

TEST(QsgSpinButton, PaintBranches)
{
    TQsgSpinButton pair;
    pair.LayoutButtons(15, 24);
    // Custom colours: the face and the black triangle of each direction.
    pair.ButtonColor = 0x00FF00;
    pair.ButtonColorDown = 0x0000FF;
    QImage up = render(*pair.UpButton());
    EXPECT_EQ(up.pixel(1, 1), qRgb(0, 255, 0));
    EXPECT_EQ(up.pixel(6, 3), qRgb(0, 0, 0)); // inside (4, 4), (8, 4), (6, 2)
    EXPECT_EQ(up.pixel(1, 8), qRgb(0, 255, 0));
    const QImage down = render(*pair.DownButton());
    EXPECT_EQ(down.pixel(6, 3), qRgb(0, 0, 0));
    pair.UpButton()->SetDown(true);
    up = render(*pair.UpButton());
    EXPECT_EQ(up.pixel(1, 1), qRgb(255, 0, 0)); // ButtonColorDown 0x0000FF is red in BGR
    pair.UpButton()->SetDown(false);

    // Themed: the "spin" class, parts by direction.
    testsupport::FakeVisualStyles styles;
    ReleaseGridThemeApi();
    BindGridThemeApi(styles);
    pair.ButtonColor = clNone;
    pair.SetIsWinXP(true);
    render(*pair.UpButton());
    render(*pair.DownButton());
    pair.SetDirection(spHorizontal);
    render(*pair.UpButton());
    render(*pair.DownButton());
    ASSERT_EQ(styles.draws.size(), 4u);
    const int parts[] = {1, 2, 3, 4};
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(styles.draws[k].themeClass, QStringLiteral("spin"));
        EXPECT_EQ(styles.draws[k].part, parts[k]);
        EXPECT_EQ(styles.draws[k].state, 1);
    }
    // Classic when no theme is active: nothing themed is drawn.
    styles.active = false;
    styles.draws.clear();
    render(*pair.UpButton());
    EXPECT_TRUE(styles.draws.empty());
    ReleaseGridThemeApi();
    BindGridThemeApi();
}

TEST(QsgSpin, Screenshot)
{
    QWidget window;
    window.resize(180, 110);
    auto* vertical = new TQsgSpinEdit(&window);
    vertical->setGeometry(10, 10, 160, 24);
    vertical->SetValue(42);
    auto* horizontal = new TQsgSpinEdit(&window);
    horizontal->setGeometry(10, 42, 160, 24);
    horizontal->SetDirection(spHorizontal);
    horizontal->SetSpinType(sptFloat);
    horizontal->SetFloatValue(3.5);
    auto* custom = new TQsgSpinEdit(&window);
    custom->setGeometry(10, 74, 160, 24);
    custom->Button()->ButtonColor = 0xF0D0A0;
    custom->SetSpinType(sptTime);
    custom->SetTimeValue(QTime(12, 30, 0));
    window.show();
    const QImage img = testsupport::takeScreenshot(window, QStringLiteral("grid/QsgSpin_edits.png"));
    // Each edit's value is drawn in the left half of its box, away from the spin buttons.
    for (QWidget* edit :
         {static_cast<QWidget*>(vertical), static_cast<QWidget*>(horizontal), static_cast<QWidget*>(custom)}) {
        const QRect text = edit->geometry().adjusted(3, 3, -edit->width() / 2, -3);
        EXPECT_GT(testsupport::pixelsOtherThan(img, text, img.pixelColor(text.topLeft())), 0);
    }
}

} // namespace
