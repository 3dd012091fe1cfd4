#pragma once
// The user's number format, taken from QLocale's default locale (tests switch it with
// QLocale::setDefault).

#include <QChar>

namespace platform {

// The user's decimal separator ("," or "." as a rule).
QChar decimalSeparator();

} // namespace platform
