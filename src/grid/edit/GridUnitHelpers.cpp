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
    return QLocale().timeFormat(QLocale::LongFormat);
}

void SetWindowTransparentStyle(QWidget* window)
{
    if (window)
        window->setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

} // namespace grid
