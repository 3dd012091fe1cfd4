// The platform edit mask read into Qt's, by one table; the masked edit's text with and
// without literals; the platform's own mask rules (values laid in, leading blanks, typing and
// deleting over places); the speed button's states and glyph strip.

#include "platform/MaskEdit.h"
#include "platform/SpeedButton.h"

#include <QLocale>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct MaskCase {
    const char* mask;
    const char* qt;
    bool save;
    char blank;
};

TEST(MaskEdit, PlatformMasksReadAsQtMasks)
{
    const MaskCase cases[] = {
        {"", "", true, '_'},
        {"!90:00;1;_", "09:99;_", true, '_'},            // "0" required and "9" optional swap
        {"!99/99/0000;0; ", "00.00.9999; ", false, ' '}, // the date separator is the locale's
        {"LlAaCc#", "AaNnXx#;_", true, '_'},
        {">LL<ll<>cc", ">AA<aa!xx;_", true, '_'},
        {"\\L-0", "L-9;_", true, '_'}, // an escaped mask letter stays a literal
        {"H_0", "\\H 9;_", true, '_'}, // Qt's mask letters as literals are escaped
        {"00;0", "99;_", false, '_'},
        {"00;1;*", "99;*", true, '*'},
    };
    for (const MaskCase& c : cases) {
        SCOPED_TRACE(c.mask);
        const TEditMask m = Translate_Edit_Mask(QString::fromUtf8(c.mask), QLatin1Char(':'), QLatin1Char('.'));
        EXPECT_EQ(m.qtMask, QString::fromUtf8(c.qt));
        EXPECT_EQ(m.saveLiterals, c.save);
        EXPECT_EQ(m.blank, QLatin1Char(c.blank));
    }
    const TEditMask time = Translate_Edit_Mask(QStringLiteral("!90:00:00;1;_"), QLatin1Char('.'), QLatin1Char('/'));
    EXPECT_EQ(time.qtMask, QStringLiteral("09.99.99;_"));
    EXPECT_EQ(time.literal, (std::vector<bool>{false, false, true, false, false, true, false, false}));
}

TEST(MaskEdit, TextKeepsOrDropsTheLiterals)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TCustomMaskEdit edit;
    edit.SetEditMask(QStringLiteral("!90:00:00;1;_"));
    EXPECT_EQ(edit.inputMask(), QStringLiteral("09:99:99;_"));
    edit.SetText(QStringLiteral("12:30:15"));
    EXPECT_EQ(edit.Text(), QStringLiteral("12:30:15"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("12:30:15"));

    edit.SetEditMask(QStringLiteral("00/00;0;_"));
    EXPECT_EQ(edit.inputMask(), QStringLiteral("99.99;_")); // German dates are "dd.MM.yy"
    edit.SetText(QStringLiteral("1231"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("12.31"));
    EXPECT_EQ(edit.Text(), QStringLiteral("1231"));
    edit.SetText(QStringLiteral("1"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("1_.__"));
    EXPECT_EQ(edit.Text(), QStringLiteral("1   "));

    edit.SetEditMask(QString());
    edit.SetText(QStringLiteral("free"));
    EXPECT_EQ(edit.Text(), QStringLiteral("free"));
    QLocale::setDefault(saved);
}

TEST(MaskEdit, EditRectBecomesTheTextMargins)
{
    TCustomMaskEdit edit;
    edit.setFrame(false);
    edit.resize(100, 20);
    edit.SetEditRect(QRect(QPoint(3, 3), QPoint(79, 20)));
    EXPECT_EQ(edit.textMargins(), QMargins(3, 3, 20, 0));
}

// ---- the platform's own mask rules ----------------------------------------------------------

TEST(MaskEngine, ValuesAreLaidInFieldByFieldLeadingBlanksFromTheRight)
{
    const struct {
        const char* mask;
        const char* value;
        const char* shown;
    } cases[] = {
        {"!90:00;1; ", "07:30", "07:30"},
        {"!90:00;1; ", "7:30", " 7:30"},  // the optional hour digit is a leading blank
        {"90:00;1; ", "7:30", "7 :30"},   // without "!" a trailing one
        {"!90:00;1; ", "1 :00", "1 :00"}, // a blank of the value stays where it is
        {"!90:00;1; ", "", "  :  "},
        {"!90:00:00;1; ", "12:34:56", "12:34:56"},
        {"!90:00:00;1; ", "12:34:5x6", "12:34:56"}, // a character no place takes is dropped
        {"00/00;0;_", "1", "1_/__"},
        {">LL-00;1;_", "ab-12", "AB-12"},
        {"!90.00;1;*", "5.5", "*5.*5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        SCOPED_TRACE(c.value);
        const TMaskEngine m(QString::fromLatin1(c.mask), QLatin1Char(':'), QLatin1Char('/'));
        EXPECT_EQ(m.Format(QString::fromLatin1(c.value)), QString::fromLatin1(c.shown));
    }
}

TEST(MaskEngine, TheLocaleSeparatorsAndTheStoredText)
{
    const TMaskEngine time(QStringLiteral("!90:00;1; "), QLatin1Char('.'), QLatin1Char('-'));
    EXPECT_TRUE(time.LeadingBlanks());
    EXPECT_TRUE(time.SaveLiterals());
    EXPECT_EQ(time.Blank(), QLatin1Char(' '));
    EXPECT_EQ(time.Length(), 5);
    EXPECT_TRUE(time.IsLiteral(2));
    EXPECT_EQ(time.Format(QStringLiteral("7.30")), QStringLiteral(" 7.30"));
    EXPECT_EQ(time.Stored(QStringLiteral(" 7.30")), QStringLiteral(" 7.30"));

    const TMaskEngine date(QStringLiteral("00/00;0;_"), QLatin1Char(':'), QLatin1Char('-'));
    EXPECT_FALSE(date.SaveLiterals());
    EXPECT_EQ(date.Stored(QStringLiteral("1_-3_")), QStringLiteral("1 3 "));
    EXPECT_TRUE(TMaskEngine().IsEmpty());
}

TEST(MaskEngine, TypingOverwritesOnePlaceAndSkipsLiterals)
{
    const TMaskEngine m(QStringLiteral("!90:00;1; "), QLatin1Char(':'), QLatin1Char('/'));
    QString shown = QStringLiteral("00:00");
    int caret = 0;
    for (QChar ch : QStringLiteral("0945"))
        ASSERT_TRUE(m.TypeChar(shown, caret, ch));
    EXPECT_EQ(shown, QStringLiteral("09:45"));
    EXPECT_EQ(caret, 5);
    EXPECT_FALSE(m.TypeChar(shown, caret, QLatin1Char('1'))) << "no place left";
    caret = 3;
    EXPECT_FALSE(m.TypeChar(shown, caret, QLatin1Char('x'))) << "a digit place refuses a letter";
    EXPECT_EQ(shown, QStringLiteral("09:45"));
    caret = 2; // on the literal: the next place takes it
    ASSERT_TRUE(m.TypeChar(shown, caret, QLatin1Char('3')));
    EXPECT_EQ(shown, QStringLiteral("09:35"));
    EXPECT_EQ(caret, 4);
    // Only optional places take a blank.
    EXPECT_TRUE(m.Accepts(0, QLatin1Char(' ')));
    EXPECT_FALSE(m.Accepts(1, QLatin1Char(' ')));

    m.Clear(shown, 1, 4);
    EXPECT_EQ(shown, QStringLiteral("0 : 5"));
    EXPECT_EQ(m.PreviousPlace(3), 1);
    EXPECT_EQ(m.PreviousPlace(0), -1);
}

TEST(SpeedButton, ClickOnReleaseOverTheButtonAndTheGlyphOfEachState)
{
    TSpeedButton b;
    b.resize(20, 20);
    b.show();
    int clicks = 0;
    b.OnClick = [&] { ++clicks; };
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(b.State(), TSpeedButton::bsUp); // the mouse was never over it in this test
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(50, 5)); // released elsewhere
    EXPECT_EQ(clicks, 1);
    QTest::mouseRelease(&b, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);

    QImage strip(40, 10, QImage::Format_RGB32);
    for (int i = 0; i < 4; ++i)
        for (int x = 0; x < 10; ++x)
            for (int y = 0; y < 10; ++y)
                strip.setPixel(i * 10 + x, y, qRgb(i * 60, 0, 0));
    b.SetGlyph(strip);
    b.SetNumGlyphs(4);
    EXPECT_EQ(b.GlyphFor(TSpeedButton::bsDown).pixel(0, 0), qRgb(120, 0, 0));
    EXPECT_EQ(b.GlyphFor(TSpeedButton::bsExclusive).pixel(0, 0), qRgb(180, 0, 0));
    b.SetNumGlyphs(2);
    EXPECT_EQ(b.GlyphFor(TSpeedButton::bsDown).width(), 20);
    EXPECT_EQ(b.GlyphFor(TSpeedButton::bsDown).pixel(0, 0), qRgb(0, 0, 0)); // no such picture: the first
    b.SetDown(true);
    EXPECT_EQ(b.State(), TSpeedButton::bsExclusive);
    b.setEnabled(false);
    EXPECT_EQ(b.State(), TSpeedButton::bsDisabled);
}

} // namespace
