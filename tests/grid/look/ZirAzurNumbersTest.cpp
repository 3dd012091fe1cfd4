// Number and date texts under a pinned locale: an English one ("," thousands, "." decimal, "/"
// dates) and a German one (".", ",", ".").

#include "grid/QvObj.h"
#include "grid/look/ZirAzur.h"

#include <QDate>
#include <QLocale>

#include <gtest/gtest.h>

using namespace grid;
using namespace grid::ZirAzur;

namespace {

struct LocaleScope {
    explicit LocaleScope(QLocale::Language lang, QLocale::Territory t) : saved(QLocale())
    {
        QLocale::setDefault(QLocale(lang, t));
    }
    ~LocaleScope() { QLocale::setDefault(saved); }
    QLocale saved;
};

LocaleScope english()
{
    return LocaleScope(QLocale::English, QLocale::UnitedStates);
}
LocaleScope german()
{
    return LocaleScope(QLocale::German, QLocale::Germany);
}

TDateTime day(int y, int m, int d)
{
    return double(QDate(1899, 12, 30).daysTo(QDate(y, m, d)));
}

} // namespace

TEST(ZirAzurNumbers, CharacterClasses)
{
    const LocaleScope scope = german();
    EXPECT_TRUE(CharIsDigit(QLatin1Char('7')));
    EXPECT_TRUE(CharIsDigit(QChar(0x0663))); // Arabic-Indic three
    EXPECT_FALSE(CharIsDigit(QLatin1Char('a')));
    EXPECT_TRUE(CharIsDigitOrMinus(QLatin1Char('-')));
    EXPECT_FALSE(CharIsDigitOrMinus(QLatin1Char('+')));
    // The locale's separators count as number parts, "+" and "-" only as signed ones.
    for (const char c : {'.', ',', 'e', 'E', '0'})
        EXPECT_TRUE(CharIsNumberPart(QLatin1Char(c))) << c;
    EXPECT_FALSE(CharIsNumberPart(QLatin1Char('-')));
    EXPECT_TRUE(CharIsSignedNumberPart(QLatin1Char('-')));
    EXPECT_TRUE(CharIsSignedNumberPart(QLatin1Char('+')));
    EXPECT_FALSE(CharIsSignedNumberPart(QLatin1Char('x')));
    // Number symbols do not depend on the locale.
    for (const char c : {',', '-', '.', 'e', 'E', '+', '9'})
        EXPECT_TRUE(CharIsNumberSymbol(QLatin1Char(c))) << c;
    EXPECT_FALSE(CharIsNumberSymbol(QLatin1Char(' ')));
    EXPECT_FALSE(CharIsNumberSymbol(QLatin1Char('$')));
}

TEST(ZirAzurNumbers, NumberTextKinds)
{
    struct Case {
        bool english;
        const char* text;
        int kind;
    };
    const Case cases[] = {
        {true, "123", ntkInteger},       {true, "-45", ntkInteger},      {true, "-", ntkInteger},
        {true, "1,234.56", ntkDecimal},  {true, "1.5", ntkDecimal},      {true, "1.5e-3", ntkExponent},
        {true, "1e5", ntkExponent},      {true, "-1.5E+3", ntkExponent}, {true, "1-2", ntkNoNumber},
        {true, "1.2.3", ntkNoNumber},    {true, "", ntkNoNumber},        {true, "e5", ntkNoNumber},
        {true, "1.5e", ntkNoNumber},     {true, "1e5e2", ntkNoNumber},   {true, "1,23,456", ntkNoNumber},
        {true, "1,234,567", ntkDecimal}, {true, "12a", ntkNoNumber},     {true, "1,5e3", ntkNoNumber},
        {false, "1.234,56", ntkDecimal}, {false, "1,5e-3", ntkExponent}, {false, "1.5e-3", ntkNoNumber},
        {false, "1,2,3", ntkNoNumber},   {false, "-7", ntkInteger},
    };
    for (const Case& c : cases) {
        const LocaleScope scope = c.english ? english() : german();
        EXPECT_EQ(GetNumberTextKind(QString::fromUtf8(c.text)), c.kind) << c.text << (c.english ? " en" : " de");
    }
}

TEST(ZirAzurNumbers, NormalizeAndFilterNumberTexts)
{
    struct Case {
        bool english;
        const char* text;
        const char* normalized;
        const char* filtered;
    };
    const Case cases[] = {
        {true, "(12)", "-12", "(12)"},
        {true, "$5", "5", "$5"},
        {true, "3abc", "3", "3abc"},
        {true, "(1,234.50)", "-1234.50", "(1234.50)"},
        {true, "-7", "-7", "-7"},
        {true, "x", "", "x"},
        {true, "", "", ""},
        {true, "1.5e-3", "1.5e-3", "1.5e-3"},
        {false, "1.234,50", "1234.50", "1234.50"},
        {false, "€ 3,5", "3.5", "€ 3.5"},
    };
    for (const Case& c : cases) {
        const LocaleScope scope = c.english ? english() : german();
        EXPECT_EQ(NormalizeNumberText(QString::fromUtf8(c.text)), QString::fromUtf8(c.normalized)) << c.text;
        EXPECT_EQ(FilterNumberText(QString::fromUtf8(c.text)), QString::fromUtf8(c.filtered)) << c.text;
    }
}

TEST(ZirAzurNumbers, FloatReadingStopsWhereTheNumberEnds)
{
    struct Case {
        const char* text;
        int stop;
        double value;
    };
    const Case cases[] = {
        {"1.25", 0, 1.25}, {" -2.5e+1", 0, -25}, {".5", 0, 0.5},  {"1.", 0, 1}, {"1.2.3", 4, 0},
        {"12a", 3, 0},     {"", 1, 0},           {"-", 2, 0},     {"1e", 3, 0}, {"1e+", 4, 0},
        {"x", 1, 0},       {"1 ", 2, 0},         {"1e999", 6, 0},
    };
    // The reading is the same in every locale.
    const LocaleScope scope = german();
    for (const Case& c : cases) {
        double v = -99;
        EXPECT_EQ(TextToFloat(QString::fromUtf8(c.text), v), c.stop) << c.text;
        EXPECT_DOUBLE_EQ(v, c.stop == 0 ? c.value : -99) << c.text;
    }
}

TEST(ZirAzurNumbers, ShortDateParsers)
{
    const LocaleScope scope = english();
    EXPECT_EQ(EUDateToDate("31.12.99"), day(1999, 12, 31));
    EXPECT_EQ(EUDateToDate("1/2/25"), day(2025, 2, 1));
    EXPECT_EQ(EUDateToDate("5-6-2024"), day(2024, 6, 5));
    EXPECT_EQ(EUDateToDate("1.1.26"), day(1926, 1, 1));
    EXPECT_EQ(EUDateToDate("1.1.100"), day(100, 1, 1));
    EXPECT_EQ(USDateToDate("12/31/99"), day(1999, 12, 31));
    EXPECT_EQ(USDateToDate("2/1/25"), day(2025, 2, 1));
    // Not of the form: 0.
    for (const char* text : {"abc", "", "1.2", "1/2.2020", "1.2.2020 10:00", "a.b.c", "1..2020"})
        EXPECT_EQ(EUDateToDate(QString::fromUtf8(text)), 0) << text;
    // Of the form, but no date.
    for (const char* text : {"13.13.2020", "32.1.2020", "29.2.2023", "0.1.2020"})
        EXPECT_THROW(EUDateToDate(QString::fromUtf8(text)), EConvertError) << text;
    EXPECT_THROW(USDateToDate("13/1/2020"), EConvertError);
}

TEST(ZirAzurNumbers, LocaleDatesFollowTheShortDateFormat)
{
    struct Case {
        QLocale::Language lang;
        QLocale::Territory territory;
        const char* text;
        bool ok;
        TDateTime value;
    };
    const double quarterTo2 = (13 * 60 + 45) / 1440.0;
    const Case cases[] = {
        // dd/MM/yyyy
        {QLocale::English, QLocale::UnitedKingdom, "31/12/2020", true, day(2020, 12, 31)},
        {QLocale::English, QLocale::UnitedKingdom, "31/12/2020 13:45", true, day(2020, 12, 31) + quarterTo2},
        {QLocale::English, QLocale::UnitedKingdom, "31/12/2020 13:45:30", true,
         day(2020, 12, 31) + quarterTo2 + 30 / 86400.0},
        {QLocale::English, QLocale::UnitedKingdom, "31/12/2020 noon", false, 0},
        {QLocale::English, QLocale::UnitedKingdom, "31/12/2020 24:00", false, 0},
        {QLocale::English, QLocale::UnitedKingdom, "31/12/2020 10:60", false, 0},
        {QLocale::English, QLocale::UnitedKingdom, "12/31/2020", false, 0},
        {QLocale::English, QLocale::UnitedKingdom, "31/02/2020", false, 0},
        {QLocale::English, QLocale::UnitedKingdom, "1/2/20", true, day(20, 2, 1)}, // the year as written
        {QLocale::English, QLocale::UnitedKingdom, "31/12", false, 0},
        {QLocale::English, QLocale::UnitedKingdom, "31.12.2020", false, 0},
        // M/d/yy
        {QLocale::English, QLocale::UnitedStates, "12/31/2020", true, day(2020, 12, 31)},
        {QLocale::English, QLocale::UnitedStates, "31/12/2020", false, 0},
        // dd.MM.yy
        {QLocale::German, QLocale::Germany, "31.12.2020 8:05", true, day(2020, 12, 31) + (8 * 60 + 5) / 1440.0},
    };
    for (const Case& c : cases) {
        const LocaleScope scope(c.lang, c.territory);
        TDateTime v = -1;
        EXPECT_EQ(ParseLocaleDate(QString::fromUtf8(c.text), v), c.ok) << c.text;
        EXPECT_DOUBLE_EQ(v, c.ok ? c.value : -1) << c.text;
    }
}

TEST(ZirAzurNumbers, ShiftDateSteps)
{
    const TDateTime dec15 = day(2020, 12, 15);
    EXPECT_EQ(ShiftDate(0, 1, 0, 0, dec15), day(2021, 1, 15));
    EXPECT_EQ(ShiftDate(0, -1, 0, 0, day(2021, 1, 15)), dec15);
    EXPECT_EQ(ShiftDate(0, 2, 0, 0, day(2020, 11, 30)), day(2021, 1, 30));
    EXPECT_EQ(ShiftDate(1, 0, 0, 0, dec15), day(2021, 12, 15));
    EXPECT_EQ(ShiftDate(-2, 0, 0, 0, dec15), day(2018, 12, 15));
    EXPECT_EQ(ShiftDate(0, 0, 3, 7, dec15), dec15 + 3);
    // Several steps, or none: the delta.
    EXPECT_EQ(ShiftDate(1, 1, 0, 7, dec15), dec15 + 7);
    EXPECT_EQ(ShiftDate(0, 0, 0, 2.5, dec15), dec15 + 2.5);
    // One wrap over a year end at most, and no day the month does not have.
    EXPECT_THROW(ShiftDate(0, 13, 0, 0, dec15), EConvertError);
    EXPECT_THROW(ShiftDate(0, 1, 0, 0, day(2021, 1, 31)), EConvertError);
}

TEST(ZirAzurNumbers, IntegerHelpers)
{
    struct Case {
        int value, lower, upper, result;
    };
    const Case cases[] = {
        {5, 3, 3, 5},   {50, 0, 20, 20},   {1, 4, 20, 4},   {10, 4, 20, 10},
        {50, 0, 0, 50}, {-5, -10, -2, -5}, {50, 30, 0, 50}, {1, 30, 0, 30},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampToLimits(c.value, c.lower, c.upper), c.result) << c.value << " " << c.lower << " " << c.upper;
    EXPECT_EQ(IntMax(-3, 2), 2);
    EXPECT_EQ(IntMin(-3, 2), -3);
}
