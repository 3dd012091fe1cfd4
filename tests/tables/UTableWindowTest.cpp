// What the table-window base adds to the row rules: how a cell reads as a number, and the
// refusal of an empty key cell above rows that hold something.

#include "tables/UTableWindow.h"

#include "common/UComonRows.h"
#include "common/ULanguage.h"

#include <gtest/gtest.h>

namespace {

using common::TTextTable;

constexpr tables::TRowRule kRange[] = {{2, "range", 0, 0x7FFFFFFF, 1968}};
constexpr tables::TTableRules kTable{2, true, 1, 1968, kRange};

TEST(TableWindowNumbers, CellsReadUntrimmedAs32BitIntegers)
{
    struct Case {
        const char* cell;
        int number;
    } cases[] = {
        {"0x7FF", 2047},
        {"$7FF", 2047},
        {"x7FF", 2047},
        {"0X7ff", 2047},
        {" 2047", 2047},
        {"+5", 5},
        {"-3", -3},
        {"7FF", -1},
        {"12 ", -1},
        {"", -1},
        {"2147483647", 2147483647},
        {"2147483648", -1},
        {"0x1FFFFFFF", 536870911},
        {"1.5", -1},
    };
    for (const Case& k : cases) {
        TTextTable t(QStringLiteral("t"), 4, 3);
        t.SetCells(2, 1, QString::fromLatin1(k.cell));
        const tables::TRuleCell cell{t, kTable, kRange[0], 1};
        EXPECT_EQ(cell.Number(), k.number) << '"' << k.cell << '"';
    }
}

TEST(TableWindowEmptyKey, RefusedOnlyWithSomethingAtOrBelowTheGap)
{
    common::Load_Default_Texts();
    const QString refusal =
        QStringLiteral("Error row 2!! This row is empty but rows below it are filled: fill it in or "
                       "delete it, or the rows below would not be saved");
    struct Case {
        int row;
        int col;
        const char* text;
        bool refused;
    } cases[] = {
        {4, 1, "Y", false},       // the enable flag does not count
        {4, 0, "4", false},       // nor the row number
        {4, 3, "  ", false},      // nor blanks
        {4, 3, "x", true},        // a cell further down
        {2, 3, "Mnemonic", true}, // the gap's own row
        {2, 2, " ", true},        // a key of blanks is empty, its row's other cells count
    };
    for (const Case& k : cases) {
        TTextTable t(QStringLiteral("t"), 4, 6);
        t.SetCells(2, 1, QStringLiteral("5"));
        t.SetCells(k.col, k.row, QString::fromLatin1(k.text));
        if (k.row == 2 && k.col == 2)
            t.SetCells(3, 2, QStringLiteral("m"));
        const auto error = tables::Empty_Key_Above_Rows(t, kTable);
        EXPECT_EQ(error.has_value(), k.refused) << k.row << "," << k.col;
        if (k.refused && error) {
            EXPECT_EQ(*error, refusal);
        }
    }
}

TEST(TableWindowEmptyKey, AKeyRowThatEndsTheTableLooksOnlyBelowIt)
{
    common::Load_Default_Texts();
    // An untrimmed key and no enable column: a key of blanks is a used row.
    constexpr tables::TTableRules kPgn{2, false, tables::kNoEnable, 1968, kRange};
    struct Case {
        int row;
        int col;
        const char* text;
        bool refused;
    } cases[] = {
        {2, 3, "Priority", false},                    // the key row's own cells are dropped with it
        {2, 1, "Y", false},        {3, 1, "Y", true}, // without an enable column every cell below counts
        {3, 3, " ", false},                           // blanks are nothing to lose
        {4, 3, "x", true},
    };
    for (const Case& k : cases) {
        TTextTable t(QStringLiteral("t"), 4, 5);
        t.SetCells(2, 1, QStringLiteral(" "));
        t.SetCells(k.col, k.row, QString::fromLatin1(k.text));
        const auto error = tables::Empty_Key_Above_Rows(t, kPgn, false);
        EXPECT_EQ(error.has_value(), k.refused) << k.row << "," << k.col;
        if (k.refused && error) {
            EXPECT_TRUE(error->startsWith(QStringLiteral("Error row 2!!"))) << error->toStdString();
        }
    }
}

} // namespace
