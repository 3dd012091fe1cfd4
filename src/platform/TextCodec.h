#pragma once
// Text files as the original program wrote them: the Windows "ANSI" code page (Windows-1252,
// which Qt 6 does not carry), with CR LF, LF or CR line ends. Reading takes a byte-order mark
// first, then UTF-8 when the bytes are valid UTF-8, else the ANSI code page.

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

// Checks UTF-8 handed over block by block (a sequence may straddle two blocks): strict UTF-8,
// no overlong forms, no surrogates, nothing beyond U+10FFFF.
class Utf8Check {
public:
    void add(QByteArrayView bytes);
    // True while every byte so far belongs to a whole, valid sequence.
    bool valid() const { return !bad_ && carry_.isEmpty(); }
    bool failed() const { return bad_; }
    // True when some byte was not ASCII.
    bool nonAscii() const { return nonAscii_; }

private:
    QByteArray carry_; // the start of a sequence the last block cut off
    bool bad_ = false;
    bool nonAscii_ = false;
};

// True when the bytes are valid UTF-8 holding at least one non-ASCII character: text that
// reads the same as UTF-8 and as Windows-1252 is pure ASCII and answers false.
bool isNonAsciiUtf8(QByteArrayView bytes);

// Decodes a text file's bytes: a UTF-8, UTF-16 LE or UTF-16 BE byte-order mark selects that
// encoding (the mark is dropped); without a mark, bytes that are valid UTF-8 with some
// non-ASCII character are read as UTF-8 (an editor's file saved without a mark), any others
// as Windows-1252.
QString decodeText(const QByteArray& bytes);

// Splits at CR LF, LF or a lone CR. A final line end does not add an empty last line.
QStringList splitLines(const QString& text);

// Reads a text file into lines; false when it cannot be opened.
bool readTextLines(const QString& path, QStringList& lines);
// Writes text in Windows-1252, replacing the file (temporary file and rename).
bool writeAnsiFile(const QString& path, const QString& text, QString* error = nullptr);

} // namespace platform
