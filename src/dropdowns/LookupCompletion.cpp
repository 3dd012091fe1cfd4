#include "dropdowns/LookupCompletion.h"

namespace dropdowns {

QString UpperChars(const QString& text)
{
    QString upper = text;
    for (QChar& c : upper)
        c = c.toUpper();
    return upper;
}

bool StartsWithKey(const QString& text, const QString& key, bool matchCase)
{
    const qsizetype n = key.size();
    if (n == 0 || text.size() < n)
        return false;
    if (matchCase)
        return QStringView(text).left(n) == QStringView(key);
    // The key comes upper-cased already; only the candidate is mapped, character by character.
    const QChar* t = text.constData();
    const QChar* k = key.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = t[i];
        if (c == k[i])
            continue;
        if (c.toUpper() != k[i])
            return false;
    }
    return true;
}

} // namespace dropdowns
