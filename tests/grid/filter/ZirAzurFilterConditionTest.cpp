// The filter-condition language, one table of conditions with the case flag both ways, under an
// English locale (M/d/yy dates).

#include "grid/look/ZirAzur.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace grid;
using namespace grid::ZirAzur;

namespace {

struct EnglishLocale {
    EnglishLocale() : saved(QLocale()) { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~EnglishLocale() { QLocale::setDefault(saved); }
    QLocale saved;
};

// The pattern step as plainly written: "*" tries every split from the end back, recursing.
bool plainMatch(QStringView p, QStringView v)
{
    bool negate = false;
    qsizetype i = 0, k = 0;
    for (;;) {
        if (i == p.size())
            return negate != (k == v.size());
        const QChar c = p[i];
        if (c == QLatin1Char('*')) {
            while (i < p.size() && p[i] == QLatin1Char('*'))
                ++i;
            bool any = false;
            for (qsizetype split = v.size(); split >= k && !any; --split)
                any = plainMatch(p.mid(i), v.mid(split));
            return negate != any;
        }
        if (c == QLatin1Char('!')) {
            negate = true;
            ++i;
            continue;
        }
        if (k == v.size() || (c != QLatin1Char('?') && c != v[k]))
            return negate;
        ++i;
        ++k;
    }
}

// Every text of length 0..maxLength over the alphabet.
QStringList allTexts(const QString& alphabet, int maxLength)
{
    QStringList out{QString()};
    QStringList level{QString()};
    for (int n = 1; n <= maxLength; ++n) {
        QStringList next;
        for (const QString& t : level)
            for (const QChar c : alphabet)
                next << t + c;
        out << next;
        level = next;
    }
    return out;
}

} // namespace

TEST(ZirAzurFilterCondition, RememberedSplitsGiveThePlainRecursionsAnswers)
{
    const QStringList patterns = allTexts(QStringLiteral("ab*?!"), 5);
    const QStringList values = allTexts(QStringLiteral("ab"), 4);
    int differences = 0;
    for (const QString& p : patterns)
        for (const QString& v : values)
            if (CompareFilterTerm(p, v) != plainMatch(p, v) && ++differences <= 5)
                ADD_FAILURE() << p.toStdString() << " / " << v.toStdString();
    EXPECT_EQ(differences, 0);
}

TEST(ZirAzurFilterCondition, ConditionTable)
{
    const EnglishLocale locale;
    struct Case {
        const char* condition;
        const char* value;
        bool caseSensitive; // result with the flag on
        bool caseInsensitive;
    };
    const Case cases[] = {
        // comparisons: numbers, texts, dates
        {">5", "6", true, true},
        {">5", "5", false, false},
        {">5", "10", true, true}, // as numbers, not as texts
        {">=5", "5", true, true},
        {">=5", "4.5", false, false},
        {"<=10", "10", true, true},
        {"<=10", "11", false, false},
        {"<10", "9", true, true},
        {">a", "b", true, true},
        {">a", "B", false, true},                 // "B" sorts before "a" unless both are folded
        {">1/2/2020", "12/1/2019", false, false}, // as dates; as texts it would be greater
        {">1/2/2020", "3/1/2020", true, true},
        {">5&<10", "7", true, true},
        {">5&<10", "12", false, false},
        // patterns
        {"A*", "Apple", true, true},
        {"A*", "apple", false, true},
        {"A*", "bA", false, false},
        {"*x*", "boxes", true, true},
        {"*x*", "BOX", false, true},
        {"*x*", "abc", false, false},
        {"?b", "ab", true, true},
        {"?b", "abb", false, false},
        {"?b", "b", false, false},
        {"!A*", "Apple", false, false},
        {"!A*", "pear", true, true},
        // operators, strictly left to right
        {"A*|B*", "Berry", true, true},
        {"A*|B*", "cherry", false, false},
        {"A*;B*", "Berry", true, true},
        {"A*^B*", "Berry", true, true},
        {"A*&*Z", "AbcZ", true, true},
        {"A*&*Z", "Abc", false, false},
        {"A*|B*&*Z", "BxZ", true, true},
        {"A*|B*&*Z", "AZ", true, true},
        {"A*|B*&*Z", "Ax", false, false}, // (A* or B*) and *Z, not A* or (B* and *Z)
        {"A*|B*&*Z", "CZ", false, false},
        {"(A*|B*)&*Z", "BxZ", true, true},
        {"(A*|B*)&*Z", "Bx", false, false},
        {"C*|(A*&*Z)", "AZ", true, true},
        // "=" and blanks
        {"=abc", "abc", true, true},
        {" = a b c ", "abc", true, true},
        {"a b", "a b", false, false},
        {"\"a b\"", "a b", true, true},
        {"\"a b\"", "ab", false, false},
        {"\"a|b\"", "a|b", true, true}, // an operator inside quotes belongs to the term
        {"", "", true, true},
        {"", "x", false, false},
        // a group without its ")" takes the rest of the text
        {"(A*", "Ax", true, true},
        {"(A*", "x", false, false},
        {"((A*|B*", "Bx", true, true},
        {"(A*&", "Ax", false, false},
    };
    for (const Case& c : cases) {
        const QString condition = QString::fromUtf8(c.condition), value = QString::fromUtf8(c.value);
        EXPECT_EQ(EvalFilterCondition(condition, value, true), c.caseSensitive) << c.condition << " / " << c.value;
        EXPECT_EQ(EvalFilterCondition(condition, value, false), c.caseInsensitive)
            << c.condition << " / " << c.value << " (any case)";
    }
}

TEST(ZirAzurFilterCondition, LongWildcardPatternsAnswerAtOnce)
{
    const EnglishLocale locale;
    const QString as(10000, QLatin1Char('a'));
    EXPECT_FALSE(EvalFilterCondition("*a*a*a*a*b", as, true));
    EXPECT_TRUE(EvalFilterCondition("*a*a*a*a*b", as + QLatin1Char('b'), true));
    EXPECT_TRUE(EvalFilterCondition("*a*a*a*a*b", as + QLatin1Char('B'), false));
    EXPECT_FALSE(EvalFilterCondition("!*a*a*a*a*b", as + QLatin1Char('b'), true));
    EXPECT_TRUE(CompareFilterTerm("*?*?*?*b*", as + QLatin1Char('b') + as));
    // Unclosed groups nest as deep as they are typed up to a limit; beyond it the rest is one
    // term, so a pasted wall of "(" ends without exhausting the stack.
    EXPECT_TRUE(EvalFilterCondition(QString(50, QLatin1Char('(')) + QLatin1String("a*"), QStringLiteral("ab"), true));
    EXPECT_FALSE(
        EvalFilterCondition(QString(50000, QLatin1Char('(')) + QLatin1String("a*"), QStringLiteral("ab"), true));
}

TEST(ZirAzurFilterCondition, TermComparisonOperands)
{
    const EnglishLocale locale;
    // A quoted operand keeps its blank.
    EXPECT_TRUE(CompareFilterTerm(">\"a b\"", "a c"));
    EXPECT_FALSE(CompareFilterTerm(">\"a b\"", "a a"));
    EXPECT_TRUE(CompareFilterTerm("<\"a b\"", "a a"));
    // Blanks after the operator are skipped; the operand ends at the next blank.
    EXPECT_TRUE(CompareFilterTerm(">  5 junk", "6"));
    // A term that compares false is still matched as a pattern.
    EXPECT_TRUE(CompareFilterTerm(">5", ">5"));
    EXPECT_TRUE(CompareFilterTerm("", ""));
    EXPECT_FALSE(CompareFilterTerm("", "x"));
    EXPECT_TRUE(MatchFilterTerm("é*", "Éte", false));
    EXPECT_FALSE(MatchFilterTerm("é*", "Éte", true));
}

TEST(ZirAzurFilterCondition, ConditionHelpers)
{
    EXPECT_EQ(StripUnquotedBlanks(" a \" b c \" d "), "a\" b c \"d");
    EXPECT_EQ(MatchingParenPos("(a(b)c)d"), 7);
    EXPECT_EQ(MatchingParenPos("(a(b"), 0);
    int at = -1;
    EXPECT_EQ(FindUnquotedChar("&|", "\"a&b\"|c", at), QLatin1Char('|'));
    EXPECT_EQ(at, 6);
    EXPECT_TRUE(FindUnquotedChar("&|", "\"a&b\"c", at).isNull());
    EXPECT_EQ(at, 0);
}
