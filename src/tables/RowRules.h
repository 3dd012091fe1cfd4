#pragma once
// The row-rule engine: a table window's validation as data. A table's rules are a list of
// {column, check, min, max, text} rows that Check_Rows walks the way every configuration
// table is validated:
//   rows are taken from row 1 down; the first row whose key cell is empty ends the table;
//   a row is checked only when its enable cell, trimmed and upper-cased, is "Y", or its
//   check box is checked in a plain string grid (tables without an enable flag check every
//   row); the rules run in their order on each row;
//   the first failure ends the run with "Error row " (the table's own text) + row + the
//   rule's text, and nothing after it is looked at.
//
// Cells are addressed by real column (hidden columns counted) through common::TRowTable, so
// a rule may check a hidden column. Numbers are the cell read as a 32-bit integer (leading
// blanks, a sign, decimal digits, or hexadecimal after "$", "x" or "0x"); a cell that is no
// number reads as -1, so "0x7FF" reads 2047 and "7FF" fails a range that excludes -1.
//
// Built-in checks, named in TRowRule::check:
//   "not_empty"        the trimmed cell is not empty
//   "filled"           the cell as stored is not empty (blanks count)
//   "range"            the number lies in min..max
//   "range_or_none"    the trimmed cell is empty or "None", or its number lies in min..max
//   "integer"          the cell is a 32-bit whole number
//   "float"            the cell is a real number with the run's decimal separator
//   "one_of"           the trimmed cell is one of the rule's items (a combo list's texts)
// Anything else (positions against another table's size, unique values, totals over rows,
// messages with numbers inside) is plugged in by name through TRuleRun::checks; a rule
// that applies only to some rows names a row condition in TRowRule::when, plugged in
// through TRuleRun::conditions. A name that is neither built in nor plugged in is a
// programming error and throws std::logic_error naming it.

#include <QChar>
#include <QString>

#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace common {
class TRowTable;
}

namespace tables {

// One rule. Written with designated initialisers where more than the first five fields are
// given: {.column = 3, .check = "one_of", .text = 1970, .items = kTypes}.
struct TRowRule {
    int column = 0;
    std::string_view check;
    int min = 0;
    int max = 0;
    int text = 0;                                 // text number of the failure, after "Error row " + row
    bool withMax = false;                         // the failure names max after the text ("... between 1 and " 125)
    int textAfter = 0;                            // a further text after max (" or None"); 0: none
    std::string_view when = {};                   // a row condition by name: the rule applies where it holds
    std::span<const std::string_view> items = {}; // "one_of": the accepted texts
};

// A table's rules.
struct TTableRules {
    int keyColumn;          // the first row whose key cell is empty ends the table
    bool keyTrimmed = true; // false: a key cell holding only blanks counts as used
    int enableColumn = 1;   // kNoEnable: every used row is checked
    int errorRowText = 0;   // "Error row " or the table's own wording
    std::span<const TRowRule> rules = {};
};
inline constexpr int kNoEnable = -1;

// The cell a rule is looking at, handed to plugged-in checks and conditions.
struct TRuleCell {
    const common::TRowTable& table;
    const TTableRules& rules;
    const TRowRule& rule;
    int row;

    QString Text() const;           // the cell as stored
    int Number() const;             // the cell read as an integer, -1 when it is no number
    QString Cell(int column) const; // another cell of the row
    int Number(int column) const;   // another cell of the row as a number
    // The rule's failure message: "Error row " + row + the rule's text (and max and the
    // after-text when the rule names them).
    QString Failure() const;
    // "Error row " + row + tail: a failure worded by the check itself.
    QString Failure(const QString& tail) const;
};

// A plugged-in check: nothing when the cell passes, else the whole message to show
// (usually cell.Failure() or cell.Failure(tail)).
using TRowCheck = std::function<std::optional<QString>(const TRuleCell& cell)>;
// A plugged-in row condition: whether the rule applies to this row.
using TRowCondition = std::function<bool(const TRuleCell& cell)>;

// What one validation run brings besides the table: the user's decimal separator and the
// checks and conditions plugged in by name. Checks that keep state over rows (values seen,
// running totals) are made fresh for each run.
struct TRuleRun {
    QChar decimalSeparator = QLatin1Char('.');
    std::map<std::string, TRowCheck, std::less<>> checks;
    std::map<std::string, TRowCondition, std::less<>> conditions;
};

// Rows 1 .. Used_Rows: the rows before the first one whose key cell is empty.
int Used_Rows(const common::TRowTable& table, const TTableRules& rules);

// Whether the row's enable cell, trimmed and upper-cased, is "Y", or its check box is checked
// where the cell holds one (always, without an enable column).
bool Row_Enabled(const common::TRowTable& table, const TTableRules& rules, int row);

// The first failure of the table's rules, or nothing when every checked row passes.
std::optional<QString> Check_Rows(const common::TRowTable& table, const TTableRules& rules, const TRuleRun& run = {});

// Ready-made plugged-in checks.
// The number is not one an earlier checked row had in the rule's column (the values seen
// belong to the check: make a fresh one for each run).
TRowCheck Unique_Number_Check();

// Replaces each "%d" of a text with the next number, in order ("Error row %d!! ... between
// %d and %d").
QString Format_Numbers(QString text, std::initializer_list<long long> numbers);

} // namespace tables
