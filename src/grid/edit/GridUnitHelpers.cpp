#include "grid/edit/GridUnitHelpers.h"

#include "platform/Locale.h"

#include <QLocale>
#include <QWidget>

namespace grid {

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

QChar LocaleTimeSeparator()
{
    return separatorOf(QLocale().timeFormat(QLocale::ShortFormat), QLatin1Char(':'));
}

QChar LocaleDateSeparator()
{
    return separatorOf(QLocale().dateFormat(QLocale::ShortFormat), QLatin1Char('/'));
}

QChar LocaleThousandSeparator()
{
    const QString s = QLocale().groupSeparator();
    return s.isEmpty() ? QChar() : s.at(0);
}

QChar LocaleDecimalSeparator()
{
    return platform::decimalSeparator();
}

QString LocaleShortDateFormat()
{
    return QLocale().dateFormat(QLocale::ShortFormat);
}

QString LocaleShortTimeFormat()
{
    return QLocale().timeFormat(QLocale::ShortFormat);
}

QString LocaleLongTimeFormat()
{
    return QLocale().timeFormat(QLocale::LongFormat);
}

void SetWindowTransparentStyle(QWidget* window)
{
    if (window)
        window->setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

} // namespace grid
