#include "platform/Locale.h"

#include <QLocale>

namespace platform {

QChar decimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

} // namespace platform
