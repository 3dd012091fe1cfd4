#include "platform/Locale.h"

#include <QLocale>

namespace platform {

namespace {

// The first character of a format that is no format letter and no quote: the separator the
// locale puts between its fields.
QChar separatorOf(const QString& format, QChar fallback)
{
    for (const QChar c : format)
        if (!c.isLetter() && c != QLatin1Char('\'') && !c.isSpace())
            return c;
    return fallback;
}

} // namespace

QChar decimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

QChar timeSeparator()
{
    return separatorOf(QLocale().timeFormat(QLocale::ShortFormat), QLatin1Char(':'));
}

QChar dateSeparator()
{
    return separatorOf(QLocale().dateFormat(QLocale::ShortFormat), QLatin1Char('/'));
}

} // namespace platform
