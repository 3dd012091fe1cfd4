#pragma once
// The text table: every caption, hint, column header and message the windows show, addressed
// by number. English is built in (EnglishTexts.h); a language file in the "LANGUAGE" folder
// overlays any number of texts for another language.

#include <QString>
#include <QStringList>

namespace common {

// Size of the table after every load; language files can set only numbers below it.
inline constexpr int kLangStrSize = 5500;

// The program-wide text table: empty until the first load, then exactly kLangStrSize entries.
// Entry n is the text of number n; numbers no window uses hold a single blank.
QStringList& Lang_Str();
// Number of entries: 0 before the first load, kLangStrSize after.
int Lang_Str_Count();
// Text number n, or an empty text for a number outside the table (before the first load).
QString Lang_Text(int n);

// Empties the table and fills it with the built-in English texts in number order.
void Load_Default_Texts();

// Overlays the texts a language file names onto the table without emptying it first.
// Lines are "STR" + number + " =" + text, with an optional "/#/" comment after the text and
// pilcrows keeping leading or trailing blanks; every other line is ignored, a later line for
// the same number wins. False (table unchanged, error holding the reason) when the file
// cannot be read.
bool Read_Lang_File(const QString& fileName, QString* error = nullptr);

// The message naming a language file that could not be read.
QString Lang_File_Error(const QString& fileName, const QString& reason);

// Built-in texts, then languageDir/<languageName>.lng. When that file is missing the language
// becomes "English" (languageName is changed, so the settings keep it) and English.lng is
// read when present; otherwise the built-in texts stay. A file that exists but cannot be
// read (it vanished since it was seen, or is locked) is treated the same way, and problem
// then names it; the answer is false in that case.
bool Load_Language(const QString& languageDir, QString& languageName, QString* problem = nullptr);

// The built-in English texts in the language-file format (Windows-1252, CR LF), one line per
// text that is not a single blank; reading it back gives the built-in table.
QByteArray English_Lang_File_Data();
// Writes English_Lang_File_Data() to path, replacing the file.
bool Write_English_Lang_File(const QString& path, QString* error = nullptr);

} // namespace common
