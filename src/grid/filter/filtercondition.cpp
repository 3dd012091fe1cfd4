// The filter-condition language: EvalFilterCondition splits a condition into terms and groups
// and joins their values left to right; MatchFilterTerm folds case; CompareFilterTerm reads a
// term's ">"/"<" comparisons and otherwise matches it as a pattern.
//
// Two guards keep typed text from hanging the program: a group without its ")" takes the rest
// of the condition, and the pattern matcher remembers, for each pattern position after a "*",
// which value positions it has settled, so "*a*a*a*b" against a long value costs the product
// of the two lengths rather than a power of it.

#include "grid/look/ZirAzur.h"

#include <QLocale>

#include <unordered_map>
#include <vector>

namespace grid::ZirAzur {

namespace {

constexpr QChar kQuote(u'"');
constexpr qsizetype kMaxCompareLength = 255;
// Deeper groups than this are matched as one term; a pasted wall of "(" must not exhaust the
// stack.
constexpr int kMaxGroupDepth = 100;

// The operand of a ">" or "<" part: after blanks, up to a blank, "&" or "|" outside double
// quotes or the end; the quotes themselves are not part of it, and a quoted blank is.
QString comparisonOperand(QStringView term, qsizetype from)
{
    while (from < term.size() && term[from] == QLatin1Char(' '))
        ++from;
    QString out;
    bool quoted = false;
    for (qsizetype i = from; i < term.size() && out.size() < kMaxCompareLength; ++i) {
        const QChar c = term[i];
        if (c == kQuote) {
            quoted = !quoted;
            continue;
        }
        if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('&') || c == QLatin1Char('|')))
            break;
        out += c;
    }
    return out;
}

bool readFloat(const QString& text, double& value)
{
    return TextToFloat(FilterNumberText(text).trimmed(), value) == 0;
}

// Numbers when both texts are numbers and neither is a date, dates when both are dates, else
// texts by UTF-16 units.
int compareValues(const QString& value, const QString& operand)
{
    TDateTime valueDate = 0, operandDate = 0;
    const bool valueIsDate = ParseLocaleDate(value, valueDate);
    const bool operandIsDate = ParseLocaleDate(operand, operandDate);
    double a = 0, b = 0;
    if (!valueIsDate && !operandIsDate && readFloat(value, a) && readFloat(operand, b))
        return a < b ? -1 : a > b ? 1 : 0;
    if (valueIsDate && operandIsDate)
        return valueDate < operandDate ? -1 : valueDate > operandDate ? 1 : 0;
    const int c = QStringView(value).left(kMaxCompareLength).compare(operand, Qt::CaseSensitive);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

// CompareFilterTerm over suffixes of one term and one value. A "*" asks whether the rest of the
// pattern matches from any value position onward; that answer, per rest-of-pattern position,
// is kept for every value position once worked out, so each (pattern, value) pair is matched
// at most once.
class TermMatcher {
public:
    TermMatcher(const QString& term, const QString& value) : term(term), value(value) {}

    bool compare(qsizetype at, qsizetype from);

private:
    bool comparisonParts(QStringView t, QStringView v, bool& result) const;
    bool matchPattern(qsizetype at, qsizetype from);
    bool anySplit(qsizetype at, qsizetype from);

    const QString& term;
    const QString& value;
    // Per pattern position: for each value position, -1 not known yet, else whether the rest
    // of the pattern matches at that position or at any later one.
    std::unordered_map<qsizetype, std::vector<signed char>> splits;
};

bool TermMatcher::compare(qsizetype at, qsizetype from)
{
    bool result = false;
    if (comparisonParts(QStringView(term).mid(at), QStringView(value).mid(from), result))
        return result;
    return matchPattern(at, from);
}

// Steps of the comparison parts; true when they decide the term.
bool TermMatcher::comparisonParts(QStringView t, QStringView v, bool& result) const
{
    const qsizetype gtAt = t.indexOf(QLatin1Char('>'));
    const qsizetype ltAt = t.indexOf(QLatin1Char('<'));
    if (gtAt < 0 && ltAt < 0 && !t.contains(QLatin1Char('!')))
        return false;
    const QString valueText = v.toString();
    auto part = [&](qsizetype at, bool& present, bool& holds, int sign) {
        present = at >= 0;
        if (!present)
            return;
        const bool orEqual = at + 1 < t.size() && t[at + 1] == QLatin1Char('=');
        const int c = compareValues(valueText, comparisonOperand(t, at + 1 + orEqual));
        holds = c == sign || (orEqual && c == 0);
    };
    bool gtPresent = false, gt = false, ltPresent = false, lt = false;
    part(gtAt, gtPresent, gt, 1);
    part(ltAt, ltPresent, lt, -1);
    const bool hasGt = gtPresent, hasLt = ltPresent;
    // With "!" a missing part counts as present and true when the parts are joined.
    if (t.contains(QLatin1Char('!'))) {
        if (!gtPresent)
            gtPresent = gt = true;
        if (!ltPresent)
            ltPresent = lt = true;
    }
    if (t.contains(QLatin1Char('^')) && (gtPresent || ltPresent)) {
        result = (gtPresent ? gt : true) || (ltPresent ? lt : true);
        return true;
    }
    if (t.contains(QLatin1Char('&')) && gtPresent && ltPresent) {
        result = gt && lt;
        return true;
    }
    if ((hasGt && gt) || (hasLt && lt)) {
        result = true;
        return true;
    }
    return false;
}

// "*" any run, "?" one character, double quotes skipped, "!" negates; everything else equal;
// pattern and value end together.
bool TermMatcher::matchPattern(qsizetype at, qsizetype from)
{
    bool negate = false;
    bool result = false;
    qsizetype i = at, k = from;
    for (;;) {
        if (i == term.size()) {
            result = k == value.size();
            break;
        }
        const QChar c = term[i];
        if (c == QLatin1Char('*')) {
            while (i < term.size() && term[i] == QLatin1Char('*'))
                ++i;
            result = anySplit(i, k);
            break;
        }
        if (c == kQuote || c == QLatin1Char('!')) {
            negate = negate || c == QLatin1Char('!');
            ++i;
            continue;
        }
        if (k == value.size() || (c != QLatin1Char('?') && c != value[k]))
            break;
        ++i;
        ++k;
    }
    return negate ? !result : result;
}

// Whether the pattern from `at` matches the value from some position in from..end. The rest of
// a pattern after a "*" never starts with "*", so a call only reaches later pattern positions
// and the vector it fills is not touched underneath it.
bool TermMatcher::anySplit(qsizetype at, qsizetype from)
{
    std::vector<signed char>& known = splits[at];
    if (known.empty()) {
        known.assign(size_t(value.size()) + 2, -1);
        known[size_t(value.size()) + 1] = 0; // past the end: no split
    }
    qsizetype settled = from;
    while (known[size_t(settled)] < 0)
        ++settled;
    for (qsizetype k = settled - 1; k >= from; --k)
        known[size_t(k)] = known[size_t(k) + 1] == 1 || compare(at, k) ? 1 : 0;
    return known[size_t(from)] == 1;
}

bool evalCondition(const QString& condition, const QString& value, bool caseSensitive, int depth)
{
    QString s = StripUnquotedBlanks(condition.trimmed());
    if (s.startsWith(QLatin1Char('=')))
        s.remove(0, 1);
    bool result = true;
    QChar previous; // the operator before the next value; "(" after a group
    auto join = [&](bool v) {
        if (previous.isNull())
            result = v;
        else if (previous == QLatin1Char('&'))
            result = result && v;
        else if (previous != QLatin1Char('('))
            result = result || v;
    };
    for (;;) {
        int at = 0;
        const QChar found = FindUnquotedChar(QStringLiteral("(;^&|"), s, at);
        if (found.isNull())
            break;
        bool v = false;
        if (s.startsWith(QLatin1Char('('))) {
            // An unclosed group takes the rest of the text, so the loop always moves on.
            int close = MatchingParenPos(s);
            if (close == 0)
                close = int(s.size()) + 1;
            const QString inner = s.mid(1, close - 2);
            v = depth < kMaxGroupDepth ? evalCondition(inner, value, caseSensitive, depth + 1)
                                       : MatchFilterTerm(inner, value, caseSensitive);
            s.remove(0, close);
        } else {
            v = MatchFilterTerm(s.left(at - 1), value, caseSensitive);
            s.remove(0, at);
        }
        join(v);
        previous = found;
    }
    // The text after a group up to the next operator is an empty term and is dropped with the
    // group's "(" as its operator.
    const bool last = MatchFilterTerm(s, value, caseSensitive);
    if (previous.isNull())
        return last;
    join(last);
    return result;
}

} // namespace

bool EvalFilterCondition(const QString& condition, const QString& value, bool caseSensitive)
{
    return evalCondition(condition, value, caseSensitive, 0);
}

QString StripUnquotedBlanks(const QString& text)
{
    if (!text.contains(QLatin1Char(' ')))
        return text;
    QString out(text.size(), Qt::Uninitialized);
    qsizetype n = 0;
    int quotes = 0;
    for (const QChar c : text) {
        if (c == kQuote)
            ++quotes;
        if (c != QLatin1Char(' ') || quotes % 2 != 0)
            out[n++] = c;
    }
    out.truncate(n);
    return out;
}

int MatchingParenPos(const QString& text)
{
    int open = 0, close = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('('))
            ++open;
        else if (text[i] == QLatin1Char(')') && ++close == open)
            return int(i + 1);
    }
    return 0;
}

QChar FindUnquotedChar(const QString& chars, const QString& text, int& position)
{
    int quotes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == kQuote)
            ++quotes;
        if (quotes % 2 == 0 && chars.contains(c)) {
            position = int(i + 1);
            return c;
        }
    }
    position = 0;
    return QChar();
}

bool MatchFilterTerm(const QString& term, const QString& value, bool caseSensitive)
{
    if (caseSensitive)
        return CompareFilterTerm(term, value);
    const QLocale locale;
    return CompareFilterTerm(locale.toUpper(term), locale.toUpper(value));
}

bool CompareFilterTerm(const QString& term, const QString& value)
{
    TermMatcher matcher(term, value);
    return matcher.compare(0, 0);
}

} // namespace grid::ZirAzur
