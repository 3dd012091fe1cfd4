#pragma once
// Text files as the original program wrote and read them: the Windows "ANSI" code page
// (Windows-1252, which Qt 6 does not carry), with byte-order-mark detection on read and
// CR LF, LF or CR line ends.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace platform {

// Windows-1252 to Unicode; the five undefined bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the
// C1 control of the same value, as Windows' own conversion does.
QString fromAnsi(const QByteArray& bytes);
// The same appended to text, in its storage: a reader of many blocks allocates none per block
// once the text has room.
void appendAnsi(QString& text, QByteArrayView bytes);
// Unicode to Windows-1252; a character the code page lacks becomes '?'.
QByteArray toAnsi(const QString& text);
// True when every character of text has a Windows-1252 byte.
bool isAnsiRepresentable(const QString& text);

// Decodes a text file's bytes: a UTF-8, UTF-16 LE or UTF-16 BE byte-order mark selects that
// encoding (the mark is dropped); without a mark the bytes are read as Windows-1252.
QString decodeText(const QByteArray& bytes);

// Splits at CR LF, LF or a lone CR. A final line end does not add an empty last line.
QStringList splitLines(const QString& text);

// Reads a text file into lines; false when it cannot be opened.
bool readTextLines(const QString& path, QStringList& lines);
// Writes text in Windows-1252, replacing the file (temporary file and rename).
bool writeAnsiFile(const QString& path, const QString& text, QString* error = nullptr);

} // namespace platform
