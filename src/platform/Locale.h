#pragma once
// The user's number format, taken from QLocale's default locale (tests switch it with
// QLocale::setDefault).

#include <QChar>

namespace platform {

// The user's decimal separator ("," or "." as a rule).
QChar decimalSeparator();

// The separators between the fields of the user's short time and short date formats
// (":" and "/" when a format has none).
QChar timeSeparator();
QChar dateSeparator();

} // namespace platform
