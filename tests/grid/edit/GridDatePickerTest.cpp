// The date and date-and-time cell editors driven alone over a stand-in grid: the field advance
// while digits are typed, Escape, and the closing keys.

#include "grid/edit/GridDatePicker.h"

#include "grid/support/EditorWindow.h"
#include "grid/support/GridTestHelpers.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace grid;
using grid::test::EditorWindow;

namespace {

// The tests read and write dates in one known locale.
struct UkLocale : grid::test::DefaultLocale {
    UkLocale() : DefaultLocale(QLocale(QLocale::English, QLocale::UnitedKingdom)) {}
};

QDateTime utc(int y, int m, int d, int h = 0, int mi = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, mi), Qt::UTC);
}

struct DateWindow : EditorWindow<TGridDatePicker> {
    void openDate(const QString& format, const QDateTime& value)
    {
        open(QString(), [&](TGridDatePicker& p) {
            p.SetFormat(format);
            p.platform::TDateTimePicker::SetDateTime(value);
            p.setCurrentSectionIndex(0);
        });
    }
    int field() const { return editor->currentSectionIndex(); }
    void typeDigits(const QString& digits)
    {
        for (const QChar c : digits) {
            type(QString(c));
            QApplication::processEvents(); // the posted field check, then its posted Right
            QApplication::processEvents();
        }
    }
};

} // namespace

TEST(GridDatePicker, ConstructionLook)
{
    QWidget grid;
    grid::test::FakeEditHost host(&grid);
    TGridDatePicker p(&grid, &host);
    EXPECT_FALSE(p.Weeknumbers());
    EXPECT_TRUE(p.ShowToday());
    EXPECT_TRUE(p.ShowTodayCircle());
    EXPECT_FALSE(p.isVisible());
}

TEST(GridDatePicker, FormatEndingInTheYearNeverJumpsWhileTheYearIsTyped)
{
    UkLocale uk;
    DateWindow w;
    w.openDate(QStringLiteral("dd/MM/yyyy"), utc(2020, 1, 1));
    w.typeDigits(QStringLiteral("15"));
    EXPECT_EQ(w.field(), 1); // the day typed: on to the month
    w.typeDigits(QStringLiteral("03"));
    EXPECT_EQ(w.field(), 2);
    w.typeDigits(QStringLiteral("2024"));
    EXPECT_EQ(w.field(), 2); // the year is the last field: it stays
    EXPECT_EQ(w.editor->Text(), QStringLiteral("15/03/2024"));
}

TEST(GridDatePicker, FormatEndingInTheDayStaysOnTheDay)
{
    UkLocale uk;
    DateWindow w;
    w.openDate(QStringLiteral("yyyy/MM/dd"), utc(2020, 1, 1));
    w.editor->setCurrentSectionIndex(2);
    w.typeDigits(QStringLiteral("27"));
    EXPECT_EQ(w.field(), 2);
    EXPECT_EQ(w.editor->Text(), QStringLiteral("2020/01/27"));
}

TEST(GridDatePicker, EscapeOverUnconvertibleTextGivesNow)
{
    UkLocale uk;
    DateWindow w;
    w.openDate(QString(), utc(2001, 2, 3));
    w.host.cells[{w.host.col, w.host.row}] = QStringLiteral("no date");
    const QDate before = QDate::currentDate();
    w.key(Qt::Key_Escape);
    EXPECT_GE(w.editor->platform::TDateTimePicker::DateTime().date(), before);
    EXPECT_TRUE(w.host.log.contains(QStringLiteral("Done %1").arg(int(Qt::Key_Escape))));
}

TEST(GridDatePicker, EnterStoresAndValidatesRefusalKeepsItOpen)
{
    UkLocale uk;
    DateWindow w;
    w.openDate(QString(), utc(2001, 2, 3));
    w.key(Qt::Key_Return);
    EXPECT_TRUE(w.host.log.contains(QStringLiteral("Validate 03/02/2001")));
    EXPECT_TRUE(w.host.log.contains(QStringLiteral("Done %1").arg(int(Qt::Key_Return))));

    w.openDate(QString(), utc(2001, 2, 3));
    w.host.onValidate = [](QString& v, bool& valid) {
        v = QStringLiteral("01/01/1999");
        valid = false;
    };
    w.key(Qt::Key_Return);
    EXPECT_TRUE(w.editor->isVisible());
    EXPECT_TRUE(w.host.noAutoAdvance);
    EXPECT_EQ(w.editor->Text(), QStringLiteral("01/01/1999"));
}

TEST(GridDateTimePicker, EscapeGoesBackToTheOpeningValueTabMovesOn)
{
    UkLocale uk;
    EditorWindow<TGridDateTimePicker> w;
    w.editor->SetKind(dkDateTime);
    w.editor->WatchTimePicker();
    w.host.originalDateTime = QDateTimeToDateTime(utc(2010, 5, 6, 7, 8));
    w.open(QString(), [](TGridDateTimePicker& p) { p.SetDateTime(QDateTimeToDateTime(utc(2011, 1, 1, 1, 1))); });
    w.key(Qt::Key_Escape);
    EXPECT_EQ(w.editor->StoredText(), QStringLiteral("06/05/2010 07:08"));
    EXPECT_TRUE(w.host.log.contains(QStringLiteral("Hide")));

    w.host.tabs = true;
    w.open(QString(), [](TGridDateTimePicker&) {});
    w.key(Qt::Key_Tab);
    EXPECT_EQ(w.host.log, (QStringList{"Hide", "AdvanceOnTab 0"}));
    w.editor->SetShowCheckbox(true);
    w.editor->SetChecked(false);
    EXPECT_EQ(w.editor->StoredText(), QString());
}
