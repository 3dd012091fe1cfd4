#pragma once
// Free routines of the grid unit shared by its editors and sort code: the locale's separators
// and date and time formats, read from the current default locale on every call so a locale
// change is seen at once, and the style that keeps a helper window out of mouse input.

#include <QChar>
#include <QString>

class QWidget;

namespace grid {

QChar LocaleTimeSeparator();
QChar LocaleDateSeparator();
QChar LocaleThousandSeparator();
QChar LocaleDecimalSeparator();
QString LocaleShortDateFormat();
QString LocaleShortTimeFormat();
QString LocaleLongTimeFormat();

// The hidden measuring window of rich-text cells must never take the mouse.
void SetWindowTransparentStyle(QWidget* window);

} // namespace grid
