#include "grid/edit/GridUnitHelpers.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QWidget>

using namespace grid;

namespace {

struct LocaleGuard {
    explicit LocaleGuard(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleGuard() { QLocale::setDefault(QLocale::c()); }
};

} // namespace

TEST(GridUnitHelpers, SeparatorsFollowTheLocaleAtEachCall)
{
    struct Case {
        QLocale locale;
        QChar decimal, thousand, date;
        const char* longTime; // without the time zone Qt's long format carries
    };
    const Case cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), '.', ',', '/', "h:mm:ss AP"},
        {QLocale(QLocale::German, QLocale::Germany), ',', '.', '.', "HH:mm:ss"},
    };
    for (const Case& c : cases) {
        LocaleGuard g(c.locale);
        SCOPED_TRACE(c.locale.name().toStdString());
        EXPECT_EQ(LocaleDecimalSeparator(), c.decimal);
        EXPECT_EQ(LocaleThousandSeparator(), c.thousand);
        EXPECT_EQ(LocaleDateSeparator(), c.date);
        EXPECT_EQ(LocaleTimeSeparator(), QLatin1Char(':'));
        EXPECT_EQ(LocaleShortDateFormat(), c.locale.dateFormat(QLocale::ShortFormat));
        EXPECT_EQ(LocaleShortTimeFormat(), c.locale.timeFormat(QLocale::ShortFormat));
        EXPECT_EQ(LocaleLongTimeFormat(), QString::fromLatin1(c.longTime));
    }
}

TEST(GridUnitHelpers, TransparentWindowTakesNoMouse)
{
    QWidget w;
    SetWindowTransparentStyle(&w);
    EXPECT_TRUE(w.testAttribute(Qt::WA_TransparentForMouseEvents));
    SetWindowTransparentStyle(nullptr); // nothing to do, no crash
}
