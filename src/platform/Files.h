#pragma once
// File-system helpers in place of the run-time library's: existence checks, one-level folder
// creation, path joining with the platform's separator and whole-file replacement.

#include <QByteArray>
#include <QString>

namespace platform {

// The separator of the platform ("\" on Windows, "/" here); project paths are built with it.
QChar pathSeparator();
// a + separator + b, without doubling a separator a already ends with.
QString joinPath(const QString& a, const QString& b);

bool fileExists(const QString& path);
bool dirExists(const QString& path);
// Creates one folder level (not its parents); true when the folder exists afterwards.
bool createDir(const QString& path);

// Replaces the file at path with data through a temporary file and a rename, so a failed
// write never leaves half a file. Returns false and sets error (when given) on failure.
bool replaceFile(const QString& path, const QByteArray& data, QString* error = nullptr);
// Reads a whole file; false when it cannot be opened.
bool readFile(const QString& path, QByteArray& data, QString* error = nullptr);

} // namespace platform
