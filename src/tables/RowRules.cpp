#include "tables/RowRules.h"

#include "common/UComonHelpers.h"
#include "common/UComonRows.h"
#include "common/ULanguage.h"

#include <map>
#include <memory>
#include <set>
#include <stdexcept>

namespace tables {

using common::trimBlanks;

namespace {

bool inRange(int value, const TRowRule& rule)
{
    return value >= rule.min && value <= rule.max;
}

bool isNone(const QString& trimmed)
{
    return trimmed.isEmpty() || trimmed == QLatin1String("None");
}

bool oneOf(const QString& trimmed, std::span<const std::string_view> items)
{
    for (std::string_view item : items)
        if (trimmed == QLatin1String(item.data(), qsizetype(item.size())))
            return true;
    return false;
}

// The built-in checks; nothing when the name is not one of them.
std::optional<bool> builtIn(const TRuleCell& cell, QChar separator)
{
    const std::string_view check = cell.rule.check;
    if (check == "not_empty")
        return !trimBlanks(cell.Text()).isEmpty();
    if (check == "filled")
        return !cell.Text().isEmpty();
    if (check == "range")
        return inRange(cell.Number(), cell.rule);
    if (check == "range_or_none")
        return isNone(trimBlanks(cell.Text())) || inRange(cell.Number(), cell.rule);
    if (check == "integer") {
        int v;
        return common::tryStrToInt(cell.Text(), v);
    }
    if (check == "float") {
        float v;
        return common::Str_To_Float_Sep(cell.Text(), separator, v);
    }
    if (check == "one_of")
        return oneOf(trimBlanks(cell.Text()), cell.rule.items);
    return std::nullopt;
}

[[noreturn]] void unknown(const char* kind, std::string_view name)
{
    throw std::logic_error(std::string("row rules: no ") + kind + " named \"" + std::string(name) + "\"");
}

bool applies(const TRuleCell& cell, const TRuleRun& run)
{
    if (cell.rule.when.empty())
        return true;
    const auto condition = run.conditions.find(cell.rule.when);
    if (condition == run.conditions.end())
        unknown("row condition", cell.rule.when);
    return condition->second(cell);
}

std::optional<QString> check(const TRuleCell& cell, const TRuleRun& run)
{
    if (const std::optional<bool> ok = builtIn(cell, run.decimalSeparator))
        return *ok ? std::nullopt : std::optional<QString>(cell.Failure());
    const auto plugged = run.checks.find(cell.rule.check);
    if (plugged == run.checks.end())
        unknown("check", cell.rule.check);
    return plugged->second(cell);
}

} // namespace

QString TRuleCell::Text() const
{
    return table.Cells(rule.column, row);
}

int TRuleCell::Number() const
{
    return Number(rule.column);
}

QString TRuleCell::Cell(int column) const
{
    return table.Cells(column, row);
}

int TRuleCell::Number(int column) const
{
    return common::strToIntDef(table.Cells(column, row), -1);
}

QString TRuleCell::Failure() const
{
    QString tail = common::Lang_Text(rule.text);
    if (rule.withMax)
        tail += QString::number(rule.max);
    if (rule.textAfter != 0)
        tail += common::Lang_Text(rule.textAfter);
    return Failure(tail);
}

QString TRuleCell::Failure(const QString& tail) const
{
    // The pieces join without separators: the row number runs into the "!!" of the text.
    return common::Lang_Text(rules.errorRowText) + QString::number(row) + tail;
}

int Used_Rows(const common::TRowTable& table, const TTableRules& rules)
{
    int row = 1;
    while (row < table.RowCount()) {
        const QString key = table.Cells(rules.keyColumn, row);
        if ((rules.keyTrimmed ? trimBlanks(key) : key).isEmpty())
            break;
        ++row;
    }
    return row - 1;
}

bool Row_Enabled(const common::TRowTable& table, const TTableRules& rules, int row)
{
    if (rules.enableColumn == kNoEnable)
        return true;
    // A plain grid's cell check box; a column grid's data check box is read as its text.
    if (!table.IsDataCheckBoxColumn(rules.enableColumn) && table.HasCheckBox(rules.enableColumn, row))
        return table.CheckBoxChecked(rules.enableColumn, row);
    return common::upperAscii(trimBlanks(table.Cells(rules.enableColumn, row))) == QLatin1String("Y");
}

std::optional<QString> Check_Rows(const common::TRowTable& table, const TTableRules& rules, const TRuleRun& run)
{
    const int used = Used_Rows(table, rules);
    for (int row = 1; row <= used; ++row) {
        if (!Row_Enabled(table, rules, row))
            continue;
        for (const TRowRule& rule : rules.rules) {
            const TRuleCell cell{table, rules, rule, row};
            if (!applies(cell, run))
                continue;
            if (auto failure = check(cell, run))
                return failure;
        }
    }
    return std::nullopt;
}

TRowCheck Unique_Number_Check()
{
    // One set per column, so that one check may serve several rules.
    auto seen = std::make_shared<std::map<int, std::set<int>>>();
    return [seen](const TRuleCell& cell) -> std::optional<QString> {
        if ((*seen)[cell.rule.column].insert(cell.Number()).second)
            return std::nullopt;
        return cell.Failure();
    };
}

QString Format_Numbers(QString text, std::initializer_list<long long> numbers)
{
    qsizetype from = 0;
    for (long long n : numbers) {
        const qsizetype at = text.indexOf(QLatin1String("%d"), from);
        if (at < 0)
            break;
        const QString value = QString::number(n);
        text.replace(at, 2, value);
        from = at + value.size();
    }
    return text;
}

} // namespace tables
