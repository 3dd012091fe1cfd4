// The edit-type rules: one table of (type, separators, prefix and suffix, state, input) ->
// state over an edit in memory, the number helpers, and a few rows again through the drop-down
// edit with real keys and the clipboard.

#include "dropdowns/EditTypeRules.h"
#include "dropdowns/QvDropDown.h"
#include "support/FakeDesktop.h"
#include "support/MemoryEdit.h"
#include "support/PickerWindow.h"
#include "support/TestDropDown.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

using namespace dropdowns;
using testsupport::MemoryEdit;

namespace {

struct Separators {
    QChar decimal, thousand;
};
const Separators kEnglish{QLatin1Char('.'), QLatin1Char(',')};
const Separators kGerman{QLatin1Char(','), QLatin1Char('.')};
const Separators kSpaceGrouped{QLatin1Char(','), QLatin1Char(' ')};

struct Setup {
    TDropDownEditType type = etString;
    Separators separators = kEnglish;
    int precision = 0;
    bool isSigned = false;
    QString prefix = {};
    QString suffix = {};
    int lengthLimit = 0;
};

TEditTypeSettings settingsOf(const Setup& s)
{
    TEditTypeSettings t;
    t.EditType = s.type;
    t.DecimalSeparator = s.separators.decimal;
    t.ThousandSeparator = s.separators.thousand;
    t.Precision = s.precision;
    t.Signed = s.isSigned;
    t.Prefix = s.prefix;
    t.Suffix = s.suffix;
    t.LengthLimit = s.lengthLimit;
    return t;
}

// Inputs, separated by blanks: a single character is typed; "<Key>" or "<S-Key>" is a
// key-down (Shift held); "set:x" writes Text; "paste:x" pastes; "click:n" releases the mouse
// with the caret at n; "kill" leaves the control.
void apply(MemoryEdit& edit, const QString& input)
{
    static const std::pair<const char*, int> keys[] = {
        {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right}, {"Home", Qt::Key_Home},
        {"End", Qt::Key_End},   {"Del", Qt::Key_Delete},  {"BS", Qt::Key_Backspace},
    };
    for (const QString& token : input.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (token.startsWith(QLatin1Char('<')) && token.size() > 2) {
            QString name = token.mid(1, token.size() - 2);
            Qt::KeyboardModifiers shift;
            if (name.startsWith(QStringLiteral("S-"))) {
                shift = Qt::ShiftModifier;
                name.remove(0, 2);
            }
            int key = 0;
            for (const auto& [n, k] : keys)
                if (name == QLatin1String(n))
                    key = k;
            ASSERT_NE(key, 0) << token.toStdString();
            edit.rules().KeyDown(key, shift);
            // Backspace deletes with its character, as in the desktop's edit.
            if (name == QStringLiteral("BS"))
                edit.rules().Char(QLatin1Char('\b'), shift);
        } else if (token.startsWith(QStringLiteral("set:"))) {
            edit.SetText(token.mid(4));
        } else if (token.startsWith(QStringLiteral("paste:"))) {
            edit.rules().Paste(token.mid(6));
        } else if (token.startsWith(QStringLiteral("click:"))) {
            edit.SetSelection(token.mid(6).toInt(), 0);
            edit.rules().MouseUp();
        } else if (token == QStringLiteral("kill")) {
            edit.rules().KillFocus();
        } else {
            ASSERT_EQ(token.size(), 1) << token.toStdString();
            edit.rules().Char(token.front(), {});
        }
    }
}

struct Row {
    const char* what;
    Setup setup;
    const char* before; // state with markers
    const char* input;
    const char* after;
};

const Setup kFloat2German{etFloat, kGerman, 2};
const Setup kMoney2English{etMoney, kEnglish, 2};
const Setup kSignedNumeric{etNumeric, kEnglish, 0, true};
const Setup kUnsignedNumeric{etNumeric, kEnglish, 0, false};
const Setup kUnsignedFloat{etFloat, kEnglish, 2, false};
const Setup kRange{etRange};
const Setup kHex{etHex};
const Setup kAffixed{etNumeric, kEnglish, 0, false, QStringLiteral("$"), QStringLiteral(" kg")};
const Setup kLimited{etFloat, kEnglish, 2, false, {}, {}, 3};

const Row kRows[] = {
    // An empty Text shows 0 for the four number types.
    {"empty numeric", {etNumeric}, "x|", "set:", "0|"},
    {"empty float", {etFloat}, "x|", "set:", "0|"},
    {"empty money", {etMoney}, "x|", "set:", "0|"},
    {"empty hex", {etHex}, "x|", "set:", "0|"},
    {"empty string stays empty", {etString}, "x|", "set:", "|"},
    {"hex upper case", {etHex}, "|", "set:1f", "1F|"},
    // etFloat with 2 decimals under "," and ".".
    {"float fills its decimals", kFloat2German, "|", "set:1,5", "1,50|"},
    {"second separator jumps behind the first", kFloat2German, "1,50|", ",", "1,|50"},
    {"second separator from the front", kFloat2German, "|1,50", ",", "1,|50"},
    {"digit among full decimals overwrites", kFloat2German, "1,|50", "7", "1,7|0"},
    {"digit at the end of full decimals refused", kFloat2German, "1,50|", "7", "1,50|"},
    {"point is neither separator here", {etFloat, kSpaceGrouped, 2}, "1,|50", ".", "1,|50"},
    {"point is the thousand separator", kFloat2German, "1,|50", ".", "1,.|50"},
    {"separator into nothing starts 0", kFloat2German, "|", ",", "0,|"},
    {"float sign toggles", {etFloat, kEnglish, 2, true}, "1.5|0", "- -", "1.5|0"},
    {"float sign added", {etFloat, kEnglish, 2, true}, "1.5|0", "-", "-1.5|0"},
    // etMoney with 2 decimals under "." and ",".
    {"money groups as typed", kMoney2English, "|", "1 2 3 4", "1,234|"},
    {"money refuses a typed comma", kMoney2English, "1,234|", ",", "1,234|"},
    {"money takes the decimal point", kMoney2English, "1,234|", ". 5", "1,234.5|"},
    {"money second point jumps", kMoney2English, "1,23|4.50", ".", "1,234.|50"},
    {"money five digits", kMoney2English, "|", "1 2 3 4 5", "12,345|"},
    {"money Text formats", kMoney2English, "|", "set:1234.5", "1,234.50|"},
    {"money delete regroups", kMoney2English, "1,|234", "<Del>", "1|34"},
    {"money paste formats", kMoney2English, "|", "paste:1234", "[1,234.00|"},
    // The sign of a signed etNumeric stays on the same digit; unsigned refuses it.
    {"signed minus added", kSignedNumeric, "12|3", "-", "-12|3"},
    {"signed minus removed", kSignedNumeric, "-12|3", "-", "12|3"},
    {"signed minus at the start", kSignedNumeric, "|123", "- -", "|123"},
    {"signed minus over the whole value", kSignedNumeric, "[123|", "-", "-|"},
    {"signed paste of a negative", kSignedNumeric, "|", "paste:-5", "-5|"},
    {"unsigned minus typed", kUnsignedNumeric, "12|", "-", "12|"},
    {"unsigned minus pasted", kUnsignedNumeric, "12|", "paste:-5", "12|"},
    {"unsigned float minus typed", kUnsignedFloat, "1.50|", "-", "1.50|"},
    {"unsigned float minus pasted", kUnsignedFloat, "|", "paste:-5", "|"},
    {"numeric letters refused", kUnsignedNumeric, "1|", "a", "1|"},
    {"numeric digits pass", kUnsignedNumeric, "1|", "2", "12|"},
    // etRange: "1-5;7" and its refusals.
    {"range list", kRange, "|", "1 - 5 ; 7", "1-5;7|"},
    {"range leading separator", kRange, "|", "-", "|"},
    {"range separators side by side", kRange, "1-|", ";", "1-|"},
    {"range separator before a separator", kRange, "1|-5", ",", "1|-5"},
    {"range letter", kRange, "1|", "x", "1|"},
    // One-character prefix, three-character suffix.
    {"End before the suffix", kAffixed, "$|12 kg", "<End>", "$12| kg"},
    {"Home after the prefix", kAffixed, "$12| kg", "<Home>", "$|12 kg"},
    {"Shift+Home selects the number", kAffixed, "$12| kg", "<S-Home>", "$|12[ kg"},
    {"Shift+End selects to the number's end", kAffixed, "$|12 kg", "<S-End>", "$[12| kg"},
    {"Right stops at the suffix", kAffixed, "$12| kg", "<Right>", "$12| kg"},
    {"Left stops at the prefix", kAffixed, "$|12 kg", "<Left>", "$|12 kg"},
    {"Delete stops at the suffix", kAffixed, "$12| kg", "<Del>", "$12| kg"},
    {"Backspace stops at the prefix", kAffixed, "$|12 kg", "<BS>", "$|12 kg"},
    {"click into the suffix", kAffixed, "$12 kg|", "click:5", "$12| kg"},
    {"click into the prefix selects the number", kAffixed, "$12| kg", "click:0", "$[12| kg"},
    {"Text keeps prefix and suffix", kAffixed, "|", "set:7", "$7 kg|"},
    // A limit of 3 on the whole part of "123.45".
    {"fourth whole digit refused", kLimited, "123|.45", "4", "123|.45"},
    {"fourth whole digit refused at the front", kLimited, "|123.45", "4", "|123.45"},
    {"decimal digit accepted", kLimited, "123.|45", "9", "123.9|5"},
    {"deleting the separator refused", kLimited, "123|.45", "<Del>", "123|.45"},
    {"deleting a whole digit accepted", kLimited, "12|3.45", "<Del>", "12|.45"},
    // Pastes into etHex and etRange move only the caret.
    {"hex paste", kHex, "A|BCD", "paste:12", "ABC|D"},
    {"hex paste over a selection", kHex, "[AB|CD", "paste:123", "[ABC|D"},
    {"range paste", kRange, "1|-5;7", "paste:2", "1-|5;7"},
    {"string paste", {etString}, "ab|", "paste:cd", "abcd|"},
    {"alphanumeric paste refused", {etAlphaNumeric}, "ab|", "paste:c-d", "ab|"},
    // "Error" is never reformatted.
    {"Error in a float", kFloat2German, "|", "set:Error", "Error|"},
    {"Error in money", kMoney2English, "|", "set:Error", "Error|"},
    {"Error kept on leaving", kMoney2English, "Error|", "kill", "Error|"},
    // Leaving.
    {"empty numeric leaves as 0", kUnsignedNumeric, "|", "kill", "0|"},
    {"float leaves with its decimals", {etFloat, kEnglish, 2}, "1.5|", "kill", "1.50|"},
    {"money leaves grouped", kMoney2English, "12345|", "kill", "12,345.00|"},
    // Case types.
    {"upper case", {etUppercase}, "a|", "b", "aB|"},
    {"mixed case", {etMixedCase}, "|", "j o h n", "John|"},
    {"valid chars", {etValidChars}, "|", "x", "|"},
};

class EditTypeRulesTable : public ::testing::TestWithParam<Row> {};

TEST_P(EditTypeRulesTable, InputGivesState)
{
    const Row& row = GetParam();
    MemoryEdit edit(settingsOf(row.setup));
    edit.SetState(QString::fromUtf8(row.before));
    apply(edit, QString::fromUtf8(row.input));
    EXPECT_EQ(edit.State().toStdString(), row.after) << row.what;
}

INSTANTIATE_TEST_SUITE_P(EditType, EditTypeRulesTable, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             std::string name = info.param.what;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name + "_" + std::to_string(info.index);
                         });

// ---- helpers ---------------------------------------------------------------------------------

TEST(EditTypeRules, ClassifyNumberTextUnderEnglishSeparators)
{
    MemoryEdit edit(settingsOf({}));
    const std::pair<const char*, int> cases[] = {
        {"12", ncInteger},  {"1.5", ncFloat}, {"1A", ncHex},     {"1-2-3", ncText}, {"", ncText},    {"-7", ncInteger},
        {"1,234", ncFloat}, {",123", ncText}, {"1,2,3", ncText}, {"1.2.3", ncText}, {"xyz", ncText},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(edit.rules().ClassifyNumberText(QString::fromUtf8(text)), expected) << text;
}

TEST(EditTypeRules, HexReadsALeadingMinusAsTheSign)
{
    MemoryEdit edit(settingsOf({etHex}));
    const std::pair<const char*, double> cases[] = {
        {"1F", 31}, {"-1F", -31}, {"1-F", 0x10F}, {"FFFFFFFF", -1}, {"ff", 255},
    };
    for (const auto& [text, expected] : cases) {
        edit.SetState(QString::fromUtf8(text));
        EXPECT_EQ(edit.rules().FloatValue(), expected) << text;
    }
    // The writer gives back what the reader takes.
    edit.rules().SetFloatValue(-31);
    EXPECT_EQ(edit.rules().FloatValue(), -31);
}

TEST(EditTypeRules, NumberHelpers)
{
    MemoryEdit edit(settingsOf({etFloat, kEnglish, 2, true}));
    auto r = edit.rules();
    EXPECT_EQ(r.TextToFloat(QStringLiteral("1,234.5")), 1234.5);
    EXPECT_EQ(r.TextToFloat(QStringLiteral("abc")), 0);
    EXPECT_EQ(r.IntegerPartLength(QStringLiteral("123.45")), 4);
    EXPECT_EQ(r.IntegerPartLength(QStringLiteral("-1,234")), 5);
    EXPECT_TRUE(r.DecimalsFull(QStringLiteral("1.50"), 2));
    EXPECT_FALSE(r.DecimalsFull(QStringLiteral("1.5"), 3));
    EXPECT_FALSE(r.ThousandSeparatorMisplaced(QStringLiteral("1,234"), 5));
    EXPECT_TRUE(r.ThousandSeparatorMisplaced(QStringLiteral("1,234"), 4));
    EXPECT_TRUE(r.ThousandSeparatorMisplaced(QStringLiteral("1,2345"), 6));
    EXPECT_EQ(r.FormatFixed(1234.5, 2, true), QStringLiteral("1,234.50"));
    EXPECT_EQ(r.FormatGeneral(0.1), QStringLiteral("0.1"));

    MemoryEdit german(settingsOf(kFloat2German));
    EXPECT_EQ(german.rules().TextToFloat(QStringLiteral("1.234,5")), 1234.5);
    EXPECT_EQ(german.rules().TextToFloat(QStringLiteral("1,5")), 1.5);
    EXPECT_EQ(german.rules().FormatFixed(1234.5, 2, true), QStringLiteral("1.234,50"));
}

TEST(EditTypeRules, TypingOverTheWholeValueReportsOneChange)
{
    MemoryEdit edit(settingsOf({}));
    edit.SetState(QStringLiteral("[abc|"));
    edit.rules().Char(QLatin1Char('x'), {});
    EXPECT_EQ(edit.State(), QStringLiteral("x|"));
    EXPECT_EQ(edit.changes, 1);
    // Backspace over the whole value: its own notice swallowed, reported once more.
    edit.SetState(QStringLiteral("[abc|"));
    edit.changes = 0;
    edit.rules().Char(QLatin1Char('\b'), {});
    EXPECT_EQ(edit.State(), QStringLiteral("|"));
    EXPECT_EQ(edit.changes, 1);
}

// ---- through the drop-down edit --------------------------------------------------------------

class EditTypeWidget : public ::testing::Test {
protected:
    void SetUp() override { saved = QLocale(); }
    void TearDown() override { QLocale::setDefault(saved); }
    static QString stateOf(const QLineEdit& e)
    {
        MemoryEdit m(TEditTypeSettings{});
        m.text = e.text();
        m.caret = e.cursorPosition();
        m.anchor =
            e.hasSelectedText() ? (e.selectionStart() == m.caret ? e.selectionEnd() : e.selectionStart()) : m.caret;
        return m.State();
    }
    QLocale saved;
    testsupport::FakeDesktop desktop;
    QWidget parent;
};

TEST_F(EditTypeWidget, MoneyTypedUnderEnglishSeparators)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    testsupport::TestDropDown dd(&parent, &desktop);
    dd.SetPrecision(2);
    dd.SetEditType(etMoney);
    dd.SetRawText(QString());
    int changes = 0;
    dd.OnChange = [&changes](QObject*) { ++changes; };
    QTest::keyClicks(&dd, QStringLiteral("1234,"));
    EXPECT_EQ(stateOf(dd), QStringLiteral("1,234|"));
    EXPECT_EQ(changes, 4) << "one change per accepted digit";
    EXPECT_TRUE(dd.IsModified());
    EXPECT_EQ(dd.FloatValue(), 1234);
}

TEST_F(EditTypeWidget, FloatSecondSeparatorUnderGermanSeparators)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    testsupport::TestDropDown dd(&parent, &desktop);
    dd.SetEditType(etFloat);
    dd.SetPrecision(2);
    dd.SetText(QStringLiteral("1,5"));
    EXPECT_EQ(dd.Text(), QStringLiteral("1,50"));
    dd.setCursorPosition(4);
    QTest::keyClick(&dd, Qt::Key_Comma, Qt::NoModifier);
    EXPECT_EQ(stateOf(dd), QStringLiteral("1,|50"));
    QTest::keyClick(&dd, Qt::Key_7);
    EXPECT_EQ(stateOf(dd), QStringLiteral("1,7|0"));
    // The keypad's decimal key types the user's separator when asked to.
    dd.SetExcelStyleDecimalSeparator(true);
    dd.SetRawText(QString());
    QTest::keyClick(&dd, Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(stateOf(dd), QStringLiteral("0,|"));
}

TEST_F(EditTypeWidget, PrefixAndSuffixHoldTheCaret)
{
    testsupport::TestDropDown dd(&parent, &desktop);
    dd.SetPrefix(QStringLiteral("$"));
    dd.SetSuffix(QStringLiteral(" kg"));
    dd.SetEditType(etNumeric);
    dd.SetText(QStringLiteral("12"));
    dd.setCursorPosition(1);
    QTest::keyClick(&dd, Qt::Key_End);
    EXPECT_EQ(stateOf(dd), QStringLiteral("$12| kg"));
    QTest::keyClick(&dd, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(stateOf(dd), QStringLiteral("$|12[ kg"));
    QTest::keyClick(&dd, Qt::Key_End);
    QTest::keyClick(&dd, Qt::Key_Home);
    EXPECT_EQ(stateOf(dd), QStringLiteral("$|12 kg"));
    EXPECT_EQ(dd.Text(), QStringLiteral("12"));
}

TEST_F(EditTypeWidget, PasteThroughTheClipboard)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    testsupport::TestDropDown dd(&parent, &desktop);
    dd.SetEditType(etNumeric);
    dd.SetText(QStringLiteral("12"));
    dd.setCursorPosition(2);
    QGuiApplication::clipboard()->setText(QStringLiteral("-5"));
    dd.WMPaste();
    EXPECT_EQ(stateOf(dd), QStringLiteral("12|")) << "unsigned: refused";
    dd.SetSigned(true);
    dd.setCursorPosition(0);
    QGuiApplication::clipboard()->setText(QStringLiteral("3"));
    QTest::keyClick(&dd, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(stateOf(dd), QStringLiteral("3|12"));
    dd.SetEditType(etHex);
    dd.SetText(QStringLiteral("abcd"));
    dd.setCursorPosition(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("12"));
    dd.WMPaste();
    EXPECT_EQ(stateOf(dd), QStringLiteral("ABC|D")) << "nothing pasted, the caret moved";
}

TEST_F(EditTypeWidget, SignToggledByTyping)
{
    testsupport::TestDropDown dd(&parent, &desktop);
    dd.SetEditType(etNumeric);
    dd.SetSigned(true);
    dd.SetText(QStringLiteral("123"));
    dd.setCursorPosition(2);
    QTest::keyClick(&dd, Qt::Key_Minus);
    EXPECT_EQ(stateOf(dd), QStringLiteral("-12|3"));
    QTest::keyClick(&dd, Qt::Key_Minus);
    EXPECT_EQ(stateOf(dd), QStringLiteral("12|3"));
    EXPECT_EQ(dd.FloatValue(), 123);
}

TEST_F(EditTypeWidget, RefusedCharacterOverTheWholeValueHidesNoLaterChange)
{
    testsupport::TestDropDown dd(&parent, &desktop);
    dd.SetEditType(etNumeric);
    dd.SetText(QStringLiteral("12"));
    int changes = 0;
    dd.OnChange = [&changes](QObject*) { ++changes; };
    dd.selectAll();
    QTest::keyClick(&dd, Qt::Key_X);
    EXPECT_EQ(dd.Text(), QStringLiteral("12"));
    EXPECT_EQ(changes, 0);
    dd.setCursorPosition(2);
    QTest::keyClick(&dd, Qt::Key_3);
    EXPECT_EQ(dd.Text(), QStringLiteral("123"));
    EXPECT_EQ(changes, 1);
    // Typed over whole: one change, not two and not none.
    dd.selectAll();
    QTest::keyClick(&dd, Qt::Key_4);
    EXPECT_EQ(dd.Text(), QStringLiteral("4"));
    EXPECT_EQ(changes, 2);
}

TEST_F(EditTypeWidget, PrecisionAndIntValueReformat)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    testsupport::TestDropDown dd(&parent, &desktop);
    dd.SetEditType(etFloat);
    dd.SetText(QStringLiteral("2.5"));
    dd.SetPrecision(3);
    EXPECT_EQ(dd.Text(), QStringLiteral("2.500"));
    dd.SetIntValue(7);
    EXPECT_EQ(dd.Text(), QStringLiteral("7.000"));
    dd.SetEditType(etMoney);
    dd.SetFloatValue(1234567.891);
    EXPECT_EQ(dd.Text(), QStringLiteral("1,234,567.891"));
    dd.SetPrecision(1);
    EXPECT_EQ(dd.Text(), QStringLiteral("1,234,567.9"));
    // A type that cannot hold the value starts from zero.
    dd.SetEditType(etString);
    dd.SetText(QStringLiteral("abc"));
    dd.SetEditType(etNumeric);
    EXPECT_EQ(dd.Text(), QStringLiteral("0"));
}

TEST(EditTypeWindow, ReturnMovesOnLikeTabWhenAsked)
{
    testsupport::FakeDesktop desktop;
    testsupport::PickerWindow<testsupport::TestDropDown> w(desktop);
    w.picker->setFocus();
    QTest::keyClick(w.handle(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), w.picker) << "Return alone stays";
    w.picker->SetReturnIsTab(true);
    QTest::keyClick(w.handle(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), w.other);
}

} // namespace
