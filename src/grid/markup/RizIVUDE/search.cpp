// Markup made plain, and search hits marked inside markup.
//
// A tag is a "<" with a ">" somewhere after it, running to the first such ">"; every other
// character, a stray "<" or ">" included, is visible text.

#include "grid/markup/RizIVUDE.h"

namespace grid::RizIVUDE {

namespace {

const QLatin1Char lt('<');
const QLatin1Char gt('>');

// The visible text of markup: tags dropped, nothing else changed.
QString visibleText(const QString& markup)
{
    QString visible;
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = markup.indexOf(lt, from);
        const qsizetype close = open < 0 ? -1 : markup.indexOf(gt, open + 1);
        if (close < 0)
            break;
        visible += QStringView(markup).mid(from, open - from);
        from = close + 1;
    }
    visible += QStringView(markup).mid(from);
    return visible;
}

// Where a mark goes in front of visible character `index` (0-based): right after the visible
// character before it, ahead of any tag that follows that character. One past the last visible
// character is the end of the markup.
qsizetype markupPosition(const QString& markup, qsizetype index)
{
    qsizetype seen = 0;
    qsizetype i = 0;
    while (i < markup.size()) {
        if (seen == index)
            return i;
        if (markup[i] == lt) {
            const qsizetype close = markup.indexOf(gt, i + 1);
            if (close >= 0) {
                i = close + 1;
                continue;
            }
        }
        ++seen;
        ++i;
    }
    return markup.size();
}

QString escapeBrackets(const QString& text)
{
    QString s = text;
    s.replace(lt, QLatin1String("&lt;"));
    s.replace(gt, QLatin1String("&gt;"));
    return s;
}

// Upper case character by character, so positions in the upper-cased text are positions in
// the original (a full case mapping would turn one character into two).
QString upperSameLength(const QString& text)
{
    QString s = text;
    for (QChar& c : s)
        c = c.toUpper();
    return s;
}

} // namespace

QString MarkupToPlainText(const QString& text)
{
    QString rest = text;
    rest.replace(QLatin1String("<BR>"), QLatin1String("\r\n"), Qt::CaseInsensitive);
    rest.replace(QLatin1String("<HR>"), QLatin1String("\r\n"), Qt::CaseInsensitive);
    QString plain;
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = rest.indexOf(lt, from);
        if (open < 0)
            break;
        plain += QStringView(rest).mid(from, open - from);
        const qsizetype close = rest.indexOf(gt, open + 1);
        if (close < 0) {
            from = open;
            break;
        }
        from = close + 1;
    }
    plain += QStringView(rest).mid(from);
    return plain;
}

QString MarkSearchText(const QString& text, const QString& search, const QString& tagName, bool matchCase)
{
    // An empty search would match at every position without ever moving on.
    if (search.isEmpty())
        return text;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QString markup = text;
    QString visible = visibleText(markup);
    QString sought = search;
    if (markup.contains(search, cs) && (visible.contains(lt) || visible.contains(gt))) {
        // Brackets of the text itself cannot be told from tags once marks are added: the tags
        // are given up and the brackets written as entities.
        visible = escapeBrackets(visible);
        markup = visible;
        sought = escapeBrackets(search);
    }
    const QString haystack = matchCase ? visible : upperSameLength(visible);
    const QString needle = matchCase ? sought : upperSameLength(sought);
    const QString open = lt + tagName + gt;
    const QString close = QLatin1String("</") + tagName + gt;
    qsizetype offset = 0;
    for (;;) {
        const qsizetype hit = haystack.indexOf(needle, offset);
        if (hit < 0)
            break;
        const qsizetype end = hit + needle.size();
        markup.insert(markupPosition(markup, hit), open);
        markup.insert(markupPosition(markup, end), close);
        offset = end;
    }
    return markup;
}

QString UnmarkSearchText(const QString& text, const QString& tagName)
{
    QString s = text;
    s.remove(lt + tagName + gt, Qt::CaseInsensitive);
    s.remove(QLatin1String("</") + tagName + gt, Qt::CaseInsensitive);
    s.replace(QLatin1String("&lt;"), QLatin1String("<"));
    s.replace(QLatin1String("&gt;"), QLatin1String(">"));
    return s;
}

} // namespace grid::RizIVUDE
