#include "grid/edit/GridUnitHelpers.h"

#include "platform/Locale.h"

#include <QLocale>
#include <QWidget>

namespace grid {

QChar LocaleTimeSeparator()
{
    return platform::timeSeparator();
}

QChar LocaleDateSeparator()
{
    return platform::dateSeparator();
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
    // The platform's long time has no time zone; Qt's long format ends with one ("t").
    QString f = QLocale().timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (const QChar c : f) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    return out.trimmed();
}

void SetWindowTransparentStyle(QWidget* window)
{
    if (window)
        window->setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

} // namespace grid
