// The date pickers with automatic advance and the labelled date-and-time picker: defaults,
// the value split between picker and companion, the companion's life, place and state, the
// automatic advance typed with digit keys, the label, and a screenshot of the three looks a
// user meets (date, date and time, no date).

#include "grid/edit/QvDateTimePicker.h"
#include "support/Screenshots.h"

#include "grid/QvCGrid.h"
#include "grid/look/QvXPVS.h"
#include "grid/support/FakeVisualStyles.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace grid;

namespace {

// Lets posted messages (and the keys they post in turn) arrive.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

TDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return QDateTimeToDateTime(QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC));
}

TEST(QvDateTimePicker, DefaultsOfTheThreeClasses)
{
    TQsgDateTimePicker qsg;
    TCustomDateTimePicker custom;
    TQvDateTimePicker qv;
    struct Row {
        const char* name;
        TPickerLookBase* picker;
        bool ctl3d;
        TBorderStyle border;
        TColor borderColor;
    };
    const Row rows[] = {
        {"TQsgDateTimePicker", &qsg, true, bsNone, clNone},
        {"TCustomDateTimePicker", &custom, false, bsNone, 0},
        {"TQvDateTimePicker", &qv, true, bsSingle, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.picker->Ctl3D(), r.ctl3d);
        EXPECT_EQ(r.picker->BorderStyle(), r.border);
        EXPECT_EQ(r.picker->BorderColor(), r.borderColor);
        EXPECT_FALSE(r.picker->MetroStyle());
        EXPECT_FALSE(r.picker->FocusBorder);
        EXPECT_FALSE(r.picker->DisabledBorder);
    }
    EXPECT_FALSE(custom.AutoTab());
    EXPECT_FALSE(qv.AutoTab());
    EXPECT_EQ(qsg.Version(), QStringLiteral("1.0.0.0"));
    EXPECT_EQ(qv.Version(), QStringLiteral("1.2.0.0"));
    qv.SetVersion(QStringLiteral("2.0.0.0"));
    EXPECT_EQ(qv.Version(), QStringLiteral("1.2.0.0")) << "writing the version is ignored";
    EXPECT_EQ(qv.Kind(), dkDateTime);
    EXPECT_EQ(qv.LabelMargin(), 4);
    EXPECT_EQ(qv.LabelPosition(), lpLeftTop);
    EXPECT_FALSE(qv.LabelTransparent());
    EXPECT_FALSE(qv.LabelAlwaysEnabled());
    EXPECT_EQ(qv.PickerLabel(), nullptr);
    EXPECT_TRUE(qv.TimeFormat().isEmpty());
    // The companion never takes the metro look, the labelled picker does.
    custom.SetMetroStyle(true);
    qv.SetMetroStyle(true);
    EXPECT_FALSE(custom.MetroLookActive());
    EXPECT_TRUE(qv.MetroLookActive());
    EXPECT_EQ(PickerShiftFocusMessage(), GridRegistrations().GridShiftFocusMessage);
    EXPECT_NE(PickerShiftFocusMessage(), QEvent::None);
}

// A labelled picker in a shown, active window.
struct PickerWindow {
    PickerWindow()
    {
        window.resize(420, 160);
        picker = new TQvDateTimePicker(&window);
        picker->SetFormat(QStringLiteral("dd/MM/yyyy"));
        picker->setGeometry(100, 40, 220, 24);
        picker->SetDateTime(at(2024, 3, 15, 14, 30, 45));
        other = new QLineEdit(&window);
        other->setGeometry(10, 120, 80, 22);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        picker->setFocus();
        settle();
    }
    TCustomDateTimePicker* companion() const { return picker->TimePicker(); }
    void field(platform::TDateTimePicker* p, QDateTimeEdit::Section s)
    {
        p->setFocus();
        settle();
        p->setCurrentSection(s);
        p->setSelectedSection(s);
    }
    QWidget window;
    TQvDateTimePicker* picker;
    QLineEdit* other;
};

TEST(QvDateTimePicker, DateTimeIsStoredInWholeSeconds)
{
    PickerWindow w;
    w.picker->SetDateTime(at(2024, 3, 15, 9, 5, 7, 999));
    EXPECT_DOUBLE_EQ(w.picker->DateTime(), at(2024, 3, 15, 9, 5, 7));
    EXPECT_DOUBLE_EQ(w.companion()->DateTime(), at(2024, 3, 15, 9, 5, 7)) << "the companion takes the same value";
}

TEST(QvDateTimePicker, DateKeepsTheCompanionsTimeAndTimeReadsIt)
{
    PickerWindow w;
    w.field(w.companion(), QDateTimeEdit::HourSection);
    QTest::keyClicks(w.companion(), QStringLiteral("09"));
    EXPECT_DOUBLE_EQ(w.picker->Time(), at(1899, 12, 30, 9, 30, 45));
    w.picker->SetDate(at(2020, 1, 2));
    EXPECT_DOUBLE_EQ(w.picker->DateTime(), at(2020, 1, 2, 9, 30, 45));
    EXPECT_DOUBLE_EQ(w.picker->Date(), at(2020, 1, 2));

    w.picker->SetKind(dkDate);
    EXPECT_DOUBLE_EQ(w.picker->Time(), at(1899, 12, 30, 9, 30, 45)) << "the picker kept the companion's time";
}

TEST(QvDateTimePicker, CompanionLivesOnlyForDateAndTime)
{
    PickerWindow w;
    QPointer<TCustomDateTimePicker> first = w.companion();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->parentWidget(), w.picker);
    EXPECT_EQ(first->Kind(), platform::dtkTime);
    EXPECT_EQ(w.picker->platform::TDateTimePicker::Kind(), platform::dtkDate);

    w.picker->SetKind(dkDate);
    EXPECT_EQ(w.companion(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull()) << "switching away frees it";

    w.picker->SetKind(dkTime);
    EXPECT_EQ(w.companion(), nullptr);
    EXPECT_EQ(w.picker->platform::TDateTimePicker::Kind(), platform::dtkTime);

    w.picker->SetKind(dkDateTime);
    ASSERT_NE(w.companion(), nullptr);
    EXPECT_TRUE(w.companion()->isVisible());
}

TEST(QvDateTimePicker, CompanionStandsAtTheRightEndByTheActiveBranch)
{
    struct Case {
        const char* name;
        bool bound, active, metro;
        int fromRight, top, heightLess;
    };
    const Case cases[] = {
        {"no visual-styles table", false, false, false, 23, -2, 0},
        {"no active style", true, false, false, 21, 2, 4},
        {"active style, metro look", true, true, true, 21, 1, 2},
        {"active style", true, true, false, 34, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::FakeVisualStyles styles(c.active);
        ReleaseGridThemeApi();
        if (c.bound)
            BindGridThemeApi(styles);
        PickerWindow w;
        w.picker->SetMetroStyle(c.metro);
        w.picker->UpdateTimePicker();
        TCustomDateTimePicker* t = w.companion();
        ASSERT_NE(t, nullptr);
        const int a = QFontMetrics(w.picker->font()).horizontalAdvance(t->Text()) + 31;
        EXPECT_EQ(t->geometry(), QRect(220 - a - c.fromRight, c.top, a, 24 - c.heightLess));
        ReleaseGridThemeApi();
        BindGridThemeApi();
    }
}

TEST(QvDateTimePicker, CompanionFollowsTheCheckBoxAndEnabledState)
{
    PickerWindow w;
    w.picker->SetShowCheckbox(true);
    TCustomDateTimePicker* t = w.companion();
    QCheckBox* box = w.picker->CheckBox();
    QStringList log;
    w.picker->OnChange = [&](QObject* s) { log << (s == w.picker ? "Change" : "?"); };

    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    EXPECT_FALSE(w.picker->Checked());
    EXPECT_FALSE(t->isEnabled()) << "unchecking reports no date and disables the companion";
    EXPECT_EQ(log, QStringList{"Change"});
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    EXPECT_TRUE(t->isEnabled()) << "checking enables it";

    w.picker->SetChecked(false);
    EXPECT_FALSE(t->isEnabled());
    w.picker->setEnabled(false);
    w.picker->setEnabled(true);
    EXPECT_FALSE(t->isEnabled()) << "enabling the picker gives no time to an absent date";

    w.picker->setEnabled(false);
    w.picker->SetChecked(true);
    EXPECT_FALSE(t->isEnabled()) << "checked, but the picker is disabled";
    w.picker->setEnabled(true);
    EXPECT_TRUE(t->isEnabled());

    w.picker->SetChecked(false);
    w.picker->Loaded();
    EXPECT_FALSE(w.picker->Checked()) << "loading keeps an absent date absent";
    EXPECT_FALSE(t->isEnabled());
}

TEST(QvDateTimePicker, CompanionReportsThroughThePicker)
{
    PickerWindow w;
    QStringList log;
    w.picker->OnChange = [&](QObject* s) { log << (s == w.picker ? "Change" : "Change?"); };
    w.picker->OnTimeChange = [&](QObject* s) { log << (s == w.picker ? "TimeChange" : "TimeChange?"); };
    w.picker->OnKeyDown = [&](QObject* s, int& key, Qt::KeyboardModifiers) {
        log << QStringLiteral("KeyDown %1 %2").arg(s == w.picker ? "picker" : "?").arg(key);
    };
    w.picker->OnClick = [&](QObject* s) { log << (s == w.picker ? "Click" : "Click?"); };
    w.field(w.companion(), QDateTimeEdit::MinuteSection);
    log.clear();
    QTest::keyClick(w.companion(), Qt::Key_F2);
    QTest::keyClicks(w.companion(), QStringLiteral("7"));
    EXPECT_EQ(log, (QStringList{QStringLiteral("KeyDown picker %1").arg(int(Qt::Key_F2)),
                                QStringLiteral("KeyDown picker %1").arg(int(Qt::Key_7)), "Change", "TimeChange"}));
    EXPECT_DOUBLE_EQ(w.picker->DateTime(), at(2024, 3, 15, 14, 7, 45));
    log.clear();
    QTest::mouseClick(w.companion()->findChild<QLineEdit*>(), Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(log, QStringList{"Click"});
}

struct AutoTabCase {
    const char* name;
    TQvDateTimeKind kind;
    const char* format;
    QDateTimeEdit::Section section;
    const char* digits;
    int moves; // fields moved right
    bool companionFocus;
};

TEST(QvDateTimePicker, AutoTabMovesOnAsDigitsChangeFields)
{
    const AutoTabCase cases[] = {
        {"format ending in y: day", dkDateTime, "dd/MM/yyyy", QDateTimeEdit::DaySection, "25", 1, false},
        {"format ending in y: month", dkDateTime, "dd/MM/yyyy", QDateTimeEdit::MonthSection, "07", 1, false},
        {"format ending in y: year", dkDateTime, "dd/MM/yyyy", QDateTimeEdit::YearSection, "1999", 0, true},
        {"a waiting digit changes nothing", dkDateTime, "dd/MM/yyyy", QDateTimeEdit::DaySection, "2", 0, false},
        {"the same day again", dkDateTime, "dd/MM/yyyy", QDateTimeEdit::DaySection, "15", 0, false},
        {"format ending in d: day", dkDateTime, "yyyy/MM/dd", QDateTimeEdit::DaySection, "25", 0, true},
        {"format ending in d: year", dkDateTime, "yyyy/MM/dd", QDateTimeEdit::YearSection, "1999", 1, false},
        {"empty format: day", dkDateTime, "", QDateTimeEdit::DaySection, "25", 1, false},
        {"empty format: month", dkDateTime, "", QDateTimeEdit::MonthSection, "07", 1, false},
        {"time picker: hour", dkTime, "HH:mm:ss", QDateTimeEdit::HourSection, "09", 1, false},
        {"time picker: minute", dkTime, "HH:mm:ss", QDateTimeEdit::MinuteSection, "07", 1, false},
        {"time picker: second", dkTime, "HH:mm:ss", QDateTimeEdit::SecondSection, "07", 0, false}, // the last field
    };
    for (const AutoTabCase& c : cases) {
        SCOPED_TRACE(c.name);
        PickerWindow w;
        w.picker->SetKind(c.kind);
        w.picker->SetFormat(QString::fromUtf8(c.format));
        w.picker->SetAutoTab(true);
        w.field(w.picker, c.section);
        const int from = w.picker->currentSectionIndex();
        for (const char* d = c.digits; *d; ++d) {
            QTest::keyClick(w.picker, *d);
            settle();
        }
        if (c.companionFocus) {
            ASSERT_NE(w.companion(), nullptr);
            EXPECT_TRUE(w.companion()->hasFocus());
        } else {
            EXPECT_TRUE(w.picker->hasFocus());
            EXPECT_EQ(w.picker->currentSectionIndex(), from + c.moves);
        }
    }
}

TEST(QvDateTimePicker, EmptyFormatYearGoesToTheCompanion)
{
    PickerWindow w;
    w.picker->SetFormat(QString());
    w.picker->SetAutoTab(true);
    w.field(w.picker, QDateTimeEdit::YearSection);
    const bool longYear = w.picker->displayFormat().contains(QStringLiteral("yyyy"));
    QTest::keyClicks(w.picker, longYear ? QStringLiteral("1999") : QStringLiteral("99"));
    settle();
    EXPECT_TRUE(w.companion()->hasFocus());
}

TEST(QvDateTimePicker, CompanionAdvancesWithThePicker)
{
    PickerWindow w;
    w.picker->SetTimeFormat(QStringLiteral("HH:mm:ss"));
    w.picker->SetAutoTab(true);
    w.field(w.companion(), QDateTimeEdit::HourSection);
    QTest::keyClick(w.companion(), '0');
    settle();
    EXPECT_EQ(w.companion()->currentSection(), QDateTimeEdit::HourSection) << "the hour waits for its second digit";
    QTest::keyClick(w.companion(), '8');
    settle();
    EXPECT_EQ(w.companion()->currentSection(), QDateTimeEdit::MinuteSection);
    w.picker->SetAutoTab(false);
    QTest::keyClicks(w.companion(), QStringLiteral("07"));
    settle();
    EXPECT_EQ(w.companion()->currentSection(), QDateTimeEdit::MinuteSection);
}

TEST(QvDateTimePicker, LabelStandsBesideThePicker)
{
    PickerWindow w;
    w.picker->SetLabelCaption(QStringLiteral("Start"));
    QLabel* l = w.picker->PickerLabel();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->parentWidget(), &w.window);
    EXPECT_TRUE(l->isVisible());
    const int textWidth = QFontMetrics(l->font()).horizontalAdvance(QStringLiteral("Start"));
    EXPECT_EQ(l->pos(), QPoint(100 - textWidth - 4, 40));
    w.picker->SetLabelPosition(lpRightCenter);
    EXPECT_EQ(l->pos(), QPoint(100 + 220 + 4, 40 + (24 - l->height()) / 2));
    w.picker->move(110, 50);
    EXPECT_EQ(l->pos(), QPoint(110 + 220 + 4, 50 + (24 - l->height()) / 2));

    QFont big = l->font();
    big.setPointSize(big.pointSize() + 6);
    w.picker->SetLabelFont(big);
    EXPECT_EQ(l->font().pointSize(), big.pointSize());
    w.picker->Loaded(); // the picker's font is its parent's: the label takes it
    EXPECT_EQ(l->font().pointSize(), w.picker->font().pointSize());

    int clicks = 0, doubles = 0;
    w.picker->OnLabelClick = [&](QObject* s) { clicks += s == w.picker; };
    w.picker->OnLabelDblClick = [&](QObject* s) { doubles += s == w.picker; };
    QTest::mouseClick(l, Qt::LeftButton);
    QTest::mouseDClick(l, Qt::LeftButton);
    EXPECT_GE(clicks, 1);
    EXPECT_EQ(doubles, 1);

    w.picker->setEnabled(false);
    EXPECT_FALSE(l->isEnabled());
    w.picker->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(l->isEnabled());
    w.picker->setEnabled(true);

    w.picker->FocusLabel = true;
    w.other->setFocus();
    settle();
    w.picker->setFocus();
    settle();
    EXPECT_TRUE(l->font().bold());
    w.other->setFocus();
    settle();
    EXPECT_FALSE(l->font().bold());

    w.picker->hide();
    EXPECT_FALSE(l->isVisible());
    QPointer<QLabel> gone = l;
    delete w.picker;
    EXPECT_TRUE(gone.isNull()) << "the label goes with its picker";
}

TEST(QvDateTimePicker, ScreenshotOfDateDateTimeAndNoDate)
{
    QWidget window;
    window.resize(380, 130);
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
    window.setPalette(pal);

    auto* date = new TQvDateTimePicker(&window);
    date->SetKind(dkDate);
    date->SetFormat(QStringLiteral("dd/MM/yyyy"));
    date->setGeometry(110, 10, 250, 24);
    date->SetDateTime(at(2024, 3, 15));
    date->SetLabelCaption(QStringLiteral("Date"));
    date->SetMetroStyle(true);
    date->SetBorderColor(0xB99D7F);
    date->ButtonColor = 0xF0E0D0;
    date->ButtonTextColor = 0x404040;

    auto* both = new TQvDateTimePicker(&window);
    both->SetFormat(QStringLiteral("dd/MM/yyyy"));
    both->SetTimeFormat(QStringLiteral("HH:mm:ss"));
    both->setGeometry(110, 50, 250, 24);
    both->SetDateTime(at(2024, 3, 15, 14, 30, 45));
    both->SetLabelCaption(QStringLiteral("Date and time"));

    auto* none = new TQvDateTimePicker(&window);
    none->SetFormat(QStringLiteral("dd/MM/yyyy"));
    none->setGeometry(110, 90, 250, 24);
    none->SetShowCheckbox(true);
    none->SetDateTime(at(2024, 3, 15, 8, 0, 0));
    none->SetChecked(false);
    none->SetLabelCaption(QStringLiteral("No date"));

    window.show();
    settle();
    ASSERT_NE(both->TimePicker(), nullptr);
    EXPECT_TRUE(both->TimePicker()->isVisible());
    EXPECT_FALSE(none->TimePicker()->isEnabled());
    const QImage img = window.grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_TRUE(testsupport::saveScreenshot(img, QStringLiteral("grid/QvDateTimePicker_pickers.png")));
}

} // namespace
