// The calculator picker driven as a user drives it: the popup's buttons clicked with the mouse,
// keys typed into the closed edit and on the open popup, the memory, the thousands separator,
// MaxLength, reopening and cancelling; and the open calculator in a screenshot.

#include "dropdowns/QvCalculatorDropDown.h"
#include "support/FakeDesktop.h"
#include "support/PickerWindow.h"

#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace dropdowns;
using testsupport::FakeDesktop;
using testsupport::PickerWindow;

namespace {

class Calculator : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The expected texts are in an English number format.
        saved = QLocale();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        w = std::make_unique<PickerWindow<TQvCalculatorDropdown>>(desktop);
        dd = w->picker;
        dd->setFocus();
    }
    void TearDown() override
    {
        w.reset();
        QLocale::setDefault(saved);
    }

    TCustomButtonPanel* panel() const { return dd->ButtonPanel(); }
    int buttonIndex(const QString& caption) const
    {
        for (int i = 0; i < panel()->Buttons().Count(); ++i)
            if (panel()->Buttons().Items(i).Caption() == caption)
                return i;
        return -1;
    }
    // Clicks the popup's buttons named by their captions, separated by blanks.
    void click(const QString& sequence)
    {
        if (!dd->DroppedDown())
            dd->ShowDropDown();
        ASSERT_TRUE(dd->DroppedDown());
        for (const QString& caption : sequence.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const int index = buttonIndex(caption);
            ASSERT_GE(index, 0) << caption.toStdString();
            QTest::mouseClick(panel(), Qt::LeftButton, {}, panel()->GetButtonBounds(index).toQRect().center());
        }
    }
    // Types the characters of the sequence, blanks left out, into the edit or on the popup.
    void type(const QString& sequence, bool onPopup)
    {
        QString keys = sequence;
        keys.remove(QLatin1Char(' '));
        QWidget* target = onPopup ? static_cast<QWidget*>(dd->DropDownForm()) : dd;
        for (QChar c : keys) {
            if (c == QLatin1Char('='))
                QTest::keyClick(target, '=');
            else
                QTest::keyClicks(target, QString(c));
        }
    }

    QLocale saved;
    FakeDesktop desktop;
    std::unique_ptr<PickerWindow<TQvCalculatorDropdown>> w;
    TQvCalculatorDropdown* dd = nullptr;
};

struct ButtonCase {
    const char* sequence;
    const char* shown;
};

// Button sequences on a new calculator and the text shown after them.
const ButtonCase kButtonCases[] = {
    {"2 + 3 * 4 =", "20.00"},
    {"1 0 - 4 =", "6.00"},
    {"1 0 - 4 = =", "6.00"},
    {"8 / 0 =", "Error"},
    {"8 / 0 = 5", "5.00"},
    {"4 +/- sqrt", "Error"},
    {"9 sqrt", "3.00"},
    {"0 1/x", "Error"},
    {"4 1/x", "0.25"},
    {"3 +/- 7", "-37.00"},
    {"3 . 5 +/- 7", "-42.00"},
    {"3 . CE 5", "0.50"},
    {"3 . C 5", "5.00"},
    {"2 0 0 + 1 0 %", "20.00"},
    {"2 0 0 + 1 0 % =", "220.00"},
    {"5 3 . 7 9", "53.79"},
    {"5 3 . 7 9 Back", "53.70"},
    {"5 + Back", "5.00"},
    {"5 3 . 7 9 1", "53.79"},
    {"7 MS C MR", "7.00"},
    {"7 MS C 3 M+ C MR", "10.00"},
    {"7 MS MC MR", "0.00"},
    {"7 MS C 8 / 0 = MS C MR", "7.00"},
};

// Key sequences derived from the button cases: those whose result the calculator writes itself
// (ending in "=" or "%"), the same with the popup closed and open.
std::vector<ButtonCase> keyCases()
{
    std::vector<ButtonCase> out;
    for (const ButtonCase& c : kButtonCases) {
        const QString s = QString::fromLatin1(c.sequence);
        const bool keysOnly = !s.contains(QLatin1String("+/-")) && !s.contains(QLatin1Char('M'))
                              && !s.contains(QLatin1String("sqrt")) && !s.contains(QLatin1String("1/x"))
                              && !s.contains(QLatin1String("CE")) && !s.contains(QLatin1String("Back"));
        if (keysOnly && (s.endsWith(QLatin1Char('=')) || s.endsWith(QLatin1Char('%'))))
            out.push_back(c);
    }
    return out;
}

} // namespace

TEST_F(Calculator, ButtonSequences)
{
    for (const ButtonCase& c : kButtonCases) {
        SCOPED_TRACE(c.sequence);
        w = std::make_unique<PickerWindow<TQvCalculatorDropdown>>(desktop);
        dd = w->picker;
        click(QString::fromLatin1(c.sequence));
        EXPECT_EQ(dd->Text(), QString::fromLatin1(c.shown));
    }
}

TEST_F(Calculator, KeySequencesWithThePopupClosedAndOpen)
{
    const std::vector<ButtonCase> cases = keyCases();
    ASSERT_GE(cases.size(), 5u);
    for (bool onPopup : {false, true})
        for (const ButtonCase& c : cases) {
            SCOPED_TRACE(testing::Message() << c.sequence << (onPopup ? " on the popup" : " in the edit"));
            w = std::make_unique<PickerWindow<TQvCalculatorDropdown>>(desktop);
            dd = w->picker;
            dd->setFocus();
            if (onPopup)
                dd->ShowDropDown();
            type(QString::fromLatin1(c.sequence), onPopup);
            EXPECT_EQ(dd->Text(), QString::fromLatin1(c.shown));
            EXPECT_EQ(dd->DroppedDown(), onPopup) << "operators and = keep the popup as it is";
        }
}

TEST_F(Calculator, TypedNumbersKeepTheirDecimalsAndADigitAfterErrorStartsAgain)
{
    type(QStringLiteral("2 + 5 . 7 5 ="), false);
    EXPECT_EQ(dd->Text(), QStringLiteral("7.75"));
    type(QStringLiteral("8 / 0 ="), false);
    EXPECT_EQ(dd->Text(), QStringLiteral("Error"));
    type(QStringLiteral("5"), false);
    EXPECT_EQ(dd->Text(), QStringLiteral("5"));
    QTest::keyClick(dd, Qt::Key_C);
    EXPECT_EQ(dd->Text(), QStringLiteral("0.00"));
    // "-" only subtracts: an unsigned edit takes no sign.
    type(QStringLiteral("9 - 1"), false);
    EXPECT_EQ(dd->Text(), QStringLiteral("1"));
    QTest::keyClick(dd, Qt::Key_Return);
    EXPECT_EQ(dd->Text(), QStringLiteral("8.00"));
}

TEST_F(Calculator, EnterOnThePopupComputesOnceAndClosesKeepingTheResult)
{
    dd->ShowDropDown();
    type(QStringLiteral("8 / 0"), true);
    QTest::keyClick(dd->DropDownForm(), Qt::Key_Return);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), QStringLiteral("Error"));
    dd->ShowDropDown();
    type(QStringLiteral("6 * 7"), true);
    QTest::keyClick(dd->DropDownForm(), Qt::Key_Return);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), QStringLiteral("42.00"));
}

TEST_F(Calculator, BackspaceTabAndDeleteOnThePopupAndInTheEdit)
{
    click(QStringLiteral("5 3 . 7 9"));
    QTest::keyClick(dd->DropDownForm(), Qt::Key_Backspace);
    EXPECT_EQ(dd->Text(), QStringLiteral("53.70"));
    QTest::keyClick(dd->DropDownForm(), Qt::Key_Tab);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), QStringLiteral("53.70"));
    click(QStringLiteral("8 / 0 ="));
    dd->HideDropDown(false);
    ASSERT_EQ(dd->Text(), QStringLiteral("Error"));
    QTest::keyClick(dd, Qt::Key_End);
    QTest::keyClick(dd, Qt::Key_Delete);
    EXPECT_EQ(dd->Text(), QStringLiteral("0.00"));
}

TEST_F(Calculator, BackDoesNothingWhileAnOperationIsPending)
{
    click(QStringLiteral("5 3 +"));
    click(QStringLiteral("Back"));
    EXPECT_EQ(dd->Text(), QStringLiteral("53.00"));
    click(QStringLiteral("2 Back"));
    EXPECT_EQ(dd->Text(), QStringLiteral("2.00"));
}

TEST_F(Calculator, ThousandSeparatorsShowAndMSStoresThePlainNumber)
{
    dd->SetShowThousandSeparator(true);
    click(QStringLiteral("1 2 3 4"));
    EXPECT_EQ(dd->Text(), QStringLiteral("1,234.00"));
    click(QStringLiteral("MS"));
    EXPECT_EQ(double(dd->Memory()), 1234.0);
    EXPECT_EQ(double(dd->Value()), 1234.0);
    dd->SetShowThousandSeparator(false);
    EXPECT_EQ(dd->Text(), QStringLiteral("1234.00"));
    EXPECT_EQ(dd->EditType(), etFloat);
}

TEST_F(Calculator, AFullTextTakesNoDigitSignOrPoint)
{
    dd->SetMaxLength(5);
    click(QStringLiteral("1 2"));
    ASSERT_EQ(dd->Text(), QStringLiteral("12.00"));
    for (const char* caption : {"7", "+/-", "."}) {
        SCOPED_TRACE(caption);
        click(QString::fromLatin1(caption));
        EXPECT_EQ(dd->Text(), QStringLiteral("12.00"));
    }
    // Operators still work on the full text.
    click(QStringLiteral("+ ="));
    EXPECT_EQ(dd->Text(), QStringLiteral("24.00"));
}

TEST_F(Calculator, OpeningMakesTheNextDigitStartANewNumberAndACancelRestores)
{
    click(QStringLiteral("1 2"));
    dd->HideDropDown(false);
    EXPECT_EQ(dd->Text(), QStringLiteral("12.00"));
    click(QStringLiteral("5"));
    EXPECT_EQ(dd->Text(), QStringLiteral("5.00"));
    dd->HideDropDown(false);
    // A click elsewhere keeps the number; Escape brings back the one from the opening.
    dd->ShowDropDown();
    w->clickOutside();
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), QStringLiteral("5.00"));
    click(QStringLiteral("9 9"));
    QTest::keyClick(dd->DropDownForm(), Qt::Key_Escape);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), QStringLiteral("5.00"));
}

TEST_F(Calculator, ValueAndCalcResultForTheCellEditor)
{
    dd->SetText(QString());
    EXPECT_EQ(double(dd->Value()), 0.0);
    dd->SetValue(2.5L);
    EXPECT_EQ(dd->Text(), QStringLiteral("2.50"));
    dd->SetText(QStringLiteral("Error"));
    EXPECT_EQ(double(dd->Value()), 0.0) << "a text that is no number reads as 0";
    dd->SetText(QStringLiteral("6"));
    dd->CalcMultiply();
    dd->SetText(QStringLiteral("7"));
    dd->CalcResult();
    EXPECT_EQ(dd->Text(), QStringLiteral("42.00"));
}

TEST_F(Calculator, TheStyleCopiesTheDropButtonColours)
{
    dd->SetComponentStyle(grid::tsOffice2010Blue);
    const TQvButtonAppearance& b = dd->ButtonAppearance();
    const TButtonAppearance& c = dd->CalcButtonAppearance();
    EXPECT_EQ(c.Color(), b.Color());
    EXPECT_EQ(c.ColorHotTo(), b.ColorHotTo());
    EXPECT_EQ(c.ColorCheckedTo(), b.ColorHotTo());
    EXPECT_EQ(c.BorderColorChecked(), b.BorderColorDisabled());
    EXPECT_EQ(c.GlowColorHot(), b.ColorHot());
    EXPECT_EQ(c.GlowColorDown(), b.ColorHot());
    dd->SetComponentStyle(grid::tsOffice2007Luna);
    EXPECT_EQ(c.GlowColorDown(), TColor(0xD5C244));
    EXPECT_EQ(c.GlowColorHot(), dd->ButtonAppearance().ColorDownTo());
}

TEST_F(Calculator, ScreenshotOfTheOpenCalculator)
{
    click(QStringLiteral("4 2"));
    ASSERT_TRUE(w->screenshot(QStringLiteral("CalculatorDropDown_open.png")));
    const QImage& shot = w->shot;
    ASSERT_FALSE(shot.isNull());
    const QPoint origin = w->window->geometry().topLeft();
    const auto at = [&](QPoint inPanel) { return shot.pixel(panel()->mapToGlobal(inPanel) - origin); };
    const QRgb panelColour = platform::toQColor(dd->DropDownColor()).rgb();
    // One pixel inside each 4-pixel gap: after button 0, after the memory column, after the
    // digit block, under the top row.
    const QRect b0 = panel()->GetButtonBounds(0).toQRect();
    const QRect mc = panel()->GetButtonBounds(4).toQRect();
    const QRect nine = panel()->GetButtonBounds(19).toQRect();
    EXPECT_EQ(at({b0.right() + 2, b0.center().y()}), panelColour);
    EXPECT_EQ(at({mc.right() + 2, mc.center().y()}), panelColour);
    EXPECT_EQ(at({nine.right() + 2, nine.center().y()}), panelColour);
    EXPECT_EQ(at({mc.center().x(), mc.top() - 2}), panelColour);
    // The caption of a special button in SpecialTextColor; a digit's has none of it.
    const QRgb special = platform::toQColor(dd->CalcButtonAppearance().SpecialTextColor()).rgb();
    const auto hasColour = [&](const QRect& r, QRgb colour) {
        for (int y = r.top() + 4; y < r.bottom() - 4; ++y)
            for (int x = r.left() + 4; x < r.right() - 4; ++x)
                if (at({x, y}) == colour)
                    return true;
        return false;
    };
    EXPECT_TRUE(hasColour(panel()->GetButtonBounds(3).toQRect(), special)) << "C";
    EXPECT_TRUE(hasColour(panel()->GetButtonBounds(20).toQRect(), special)) << "/";
    EXPECT_FALSE(hasColour(panel()->GetButtonBounds(19).toQRect(), special)) << "9";
}
