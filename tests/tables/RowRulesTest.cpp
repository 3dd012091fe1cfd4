// The row-rule engine over a plain table of texts: where a table ends, which rows are checked,
// the built-in checks with their messages, conditions, plugged-in checks and the first error
// only. The CAN-like and Modbus-like rule tables show that such windows are data.

#include "tables/RowRules.h"

#include "common/UComonHelpers.h"
#include "common/UComonRows.h"
#include "common/ULanguage.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <stdexcept>

using common::TTextTable;
using namespace tables;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

// Texts of the tests, put into the text table at numbers no window uses.
constexpr int kErrorRow = 9900;
constexpr int kText = 9901;      // "!! bad"
constexpr int kBetween = 9902;   // "!! Byte must be between 0 and "
constexpr int kOrNone = 9903;    // " or None"
constexpr int kPositions = 9904; // "Error row %d!! Position between %d and %d"

class RowRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = common::Lang_Str();
        QStringList& texts = common::Lang_Str();
        while (texts.size() <= kPositions)
            texts.append(QString());
        texts[kErrorRow] = QStringLiteral("Error row ");
        texts[kText] = QStringLiteral("!! bad");
        texts[kBetween] = QStringLiteral("!! Byte must be between 0 and ");
        texts[kOrNone] = QStringLiteral(" or None");
        texts[kPositions] = QStringLiteral("Error row %d!! Position between %d and %d");
    }
    void TearDown() override { common::Lang_Str() = saved; }

    // Rows from row 1, columns from column 1 (column 0 holds the row number).
    static TTextTable table(const std::vector<QStringList>& rows, int cols = 6)
    {
        TTextTable t(QStringLiteral("t"), cols, 10);
        for (size_t r = 0; r < rows.size(); ++r) {
            t.SetCells(0, int(r) + 1, QString::number(r + 1));
            for (int c = 0; c < rows[r].size(); ++c)
                t.SetCells(c + 1, int(r) + 1, rows[r][c]);
        }
        return t;
    }
    static std::optional<QString> error(const char* text) { return QString::fromLatin1(text); }

    QStringList saved;
};

TEST_F(RowRules, TheFirstEmptyKeyEndsTheTableAndOnlyEnabledRowsAreChecked)
{
    static constexpr TRowRule rules[] = {{2, "range", 1, 9, kText}};
    const TTableRules def{2, true, 1, kErrorRow, rules};
    // Row 2 is disabled, row 3's key is blanks (the end), row 4 would fail.
    const TTextTable t = table({{"Y", "1"}, {"n", "x"}, {"Y", "  "}, {"Y", "x"}});
    EXPECT_EQ(Used_Rows(t, def), 2);
    EXPECT_EQ(Check_Rows(t, def), std::nullopt);
    EXPECT_TRUE(Row_Enabled(t, def, 1));
    EXPECT_FALSE(Row_Enabled(t, def, 2));

    // An enable cell is trimmed and upper-cased; anything but "Y" is off.
    EXPECT_EQ(Check_Rows(table({{" y ", "x"}}), def), error("Error row 1!! bad"));
    EXPECT_EQ(Check_Rows(table({{"1", "x"}}), def), std::nullopt);
}

TEST_F(RowRules, AnUntrimmedKeyCountsBlanksAndATableWithoutEnableChecksEveryRow)
{
    static constexpr TRowRule rules[] = {{1, "range", 0, 63, kText}};
    const TTableRules def{1, false, kNoEnable, kErrorRow, rules};
    EXPECT_EQ(Used_Rows(table({{"5"}, {" "}}), def), 2);
    EXPECT_EQ(Check_Rows(table({{"5"}, {" "}}), def), error("Error row 2!! bad"));
}

TEST_F(RowRules, BuiltInChecks)
{
    static constexpr std::string_view kTypes[] = {"Coil Status", "Holding Register"};
    struct Case {
        TRowRule rule;
        const char* cell;
        bool passes;
    } cases[] = {
        {{2, "not_empty", 0, 0, kText}, " a ", true},
        {{2, "not_empty", 0, 0, kText}, "  ", false},
        {{2, "filled", 0, 0, kText}, " ", true},
        {{2, "range", 0, 2047, kText}, "0x7FF", true},
        {{2, "range", 0, 2047, kText}, "$7ff", true},
        {{2, "range", 0, 2047, kText}, "2048", false},
        {{2, "range", 0, 2047, kText}, "7FF", false},
        {{2, "range", -1, 5, kText}, "7FF", true}, // no number reads -1
        {{2, "range", 0, 5, kText}, "3 ", false},  // trailing blanks make no number
        {{2, "range", 0, 5, kText}, " 3", true},
        {{2, "range", 0, 0x1FFFFFFF, kText}, "536870911", true},
        {{2, "range", 0, 0x1FFFFFFF, kText}, "536870912", false},
        {{2, "range_or_none", 0, 1999, kText}, " None ", true},
        {{2, "range_or_none", 0, 1999, kText}, "", true},
        {{2, "range_or_none", 0, 1999, kText}, "2000", false},
        {{2, "integer", 0, 0, kText}, "-3", true},
        {{2, "integer", 0, 0, kText}, "3.5", false},
        {{2, "integer", 0, 0, kText}, "4294967296", false},
        {{2, "float", 0, 0, kText}, "0,5", true}, // either separator is taken as the user's
        {{2, "float", 0, 0, kText}, "-1.25", true},
        {{2, "float", 0, 0, kText}, "1,5x", false},
        {{.column = 2, .check = "one_of", .text = kText, .items = kTypes}, " Coil Status", true},
        {{.column = 2, .check = "one_of", .text = kText, .items = kTypes}, "Input Status", false},
    };
    TRuleRun run;
    run.decimalSeparator = common::Get_Decimal_Separator();
    for (const Case& k : cases) {
        const TTableRules def{1, true, kNoEnable, kErrorRow, std::span(&k.rule, 1)};
        const auto got = Check_Rows(table({{"key", QLatin1String(k.cell)}}), def, run);
        EXPECT_EQ(got, k.passes ? std::nullopt : error("Error row 1!! bad"))
            << k.rule.check << " on \"" << k.cell << '"';
    }
}

TEST_F(RowRules, RulesRunInOrderOnEachRowAndTheFirstFailureIsTheOnlyOne)
{
    static constexpr TRowRule rules[] = {
        {2, "range", 1, 9, kText},
        {3, "range", 0, 1999, kBetween, true, kOrNone},
    };
    const TTableRules def{2, true, 1, kErrorRow, rules};
    // Row 1 fails its second rule before row 2 fails its first.
    const TTextTable t = table({{"Y", "1", "2000"}, {"Y", "0", "0"}});
    EXPECT_EQ(Check_Rows(t, def), error("Error row 1!! Byte must be between 0 and 1999 or None"));
}

TEST_F(RowRules, ConditionsAndPluggedInChecksByName)
{
    // A CAN-like identifier: 11 bits for "2.0A (11 bits)", else 29 bits, a rule on a hidden
    // column 5, and positions whose lower bound comes from the window.
    static constexpr TRowRule rules[] = {
        {.column = 2, .check = "range", .max = 2047, .text = kText, .when = "11_bits"},
        {.column = 2, .check = "range", .max = 0x1FFFFFFF, .text = kBetween, .when = "29_bits"},
        {5, "position", 0, 1399, kPositions},
        {2, "unique", 0, 0, kOrNone},
    };
    const TTableRules def{2, true, 1, kErrorRow, rules};
    TRuleRun run;
    const auto is11 = [](const TRuleCell& c) { return c.Cell(3).trimmed() == QLatin1String("2.0A (11 bits)"); };
    run.conditions = {{"11_bits", is11}, {"29_bits", [is11](const TRuleCell& c) { return !is11(c); }}};
    run.checks = {
        {"position",
         [](const TRuleCell& c) -> std::optional<QString> {
             if (c.Number() >= 4 && c.Number() <= c.rule.max)
                 return std::nullopt;
             return Format_Numbers(common::Lang_Text(c.rule.text), {c.row, 4, c.rule.max});
         }},
        {"unique", Unique_Number_Check()},
    };

    EXPECT_EQ(Check_Rows(table({{"Y", "2048", "2.0A (11 bits)", "", "4"}}), def, run), error("Error row 1!! bad"));
    run.checks["unique"] = Unique_Number_Check();
    EXPECT_EQ(Check_Rows(table({{"Y", "2048", "2.0B (29 bits)", "", "4"}}), def, run), std::nullopt);
    run.checks["unique"] = Unique_Number_Check();
    EXPECT_EQ(Check_Rows(table({{"Y", "2048", "", "", "3"}}), def, run),
              error("Error row 1!! Position between 4 and 1399"));
    run.checks["unique"] = Unique_Number_Check();
    EXPECT_EQ(Check_Rows(table({{"Y", "5", "", "", "4"}, {"N", "5"}, {"Y", "0x5", "", "", "4"}}), def, run),
              error("Error row 3 or None"));
}

TEST_F(RowRules, ANameNeitherBuiltInNorPluggedInIsAProgrammingError)
{
    static constexpr TRowRule check[] = {{1, "no_such_check", 0, 0, kText}};
    static constexpr TRowRule condition[] = {{.column = 1, .check = "range", .when = "no_such_condition"}};
    const TTextTable t = table({{"5"}});
    const TTableRules unknownCheck{1, true, kNoEnable, kErrorRow, check};
    const TTableRules unknownCondition{1, true, kNoEnable, kErrorRow, condition};
    EXPECT_THROW(Check_Rows(t, unknownCheck), std::logic_error);
    EXPECT_THROW(Check_Rows(t, unknownCondition), std::logic_error);
}

} // namespace
