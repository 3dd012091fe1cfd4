#pragma once
// What copy and paste share: the private block's mime type and the reading of a quoted
// multi-line field. Copy (clipboard.cpp) writes the text form; paste (paste.cpp) and
// SetSelectionAsText read it back.

#include <QString>

namespace grid {

QString gridCellsClipboardMime();
// A field holding LF loses its enclosing quotes; vertical tabs become CR LF.
QString unquotePastedField(QString field);

} // namespace grid
