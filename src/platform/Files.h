#pragma once
// File-system helpers in place of the run-time library's: existence checks, one-level folder
// creation, path joining with the platform's separator and whole-file replacement.

#include <QByteArray>
#include <QString>

#include <span>

class QSaveFile;

namespace platform {

// The separator of the platform ("\" on Windows, "/" here); project paths are built with it.
QChar pathSeparator();
// a + separator + b, without doubling a separator a already ends with.
QString joinPath(const QString& a, const QString& b);

bool fileExists(const QString& path);
bool dirExists(const QString& path);
// Creates one folder level (not its parents); true when the folder exists afterwards.
bool createDir(const QString& path);
// Creates the folder with every missing parent; true when the folder exists afterwards.
bool createDirPath(const QString& path);

// Replaces the file at path with data through a temporary file and a rename, so a failed
// write never leaves half a file. Returns false and sets error (when given) on failure; the
// old file is then as it was.
bool replaceFile(const QString& path, const QByteArray& data, QString* error = nullptr);
// One file of a replacement that must happen for all files or none.
struct FileReplacement {
    QString path;
    QByteArray data;
};
// Replaces the files together: each is written and flushed to a temporary file first, and
// only when all of them reached the disk are they renamed into place, so a full disk never
// leaves a new file beside an old one it belongs with. False (error, and the path that failed)
// when any could not be written; the files are then as they were. (Only a rename refused after
// every file was written, which a full disk does not cause, leaves the files before it new.)
bool replaceFiles(std::span<const FileReplacement> files, QString* error = nullptr, QString* failedPath = nullptr);
// Puts a written QSaveFile in place: flushes it and renames it over its target only when every
// byte reached the disk; otherwise cancels it, so the target keeps its old content. The check
// is ours because commit() alone loses a failed final flush (a small file's only real write,
// e.g. on a full disk) and renames the empty or cut temporary file all the same.
bool commitSaveFile(QSaveFile& file, QString* error = nullptr);
// Copies the file at source over target (made or replaced) through a temporary file and a
// rename, streamed in blocks, so a failed copy never leaves half a file. False (and error,
// when given) when the source cannot be read or the target cannot be written; the target is
// then as it was.
bool copyFileOver(const QString& source, const QString& target, QString* error = nullptr);
// Reads a whole file; false when it cannot be opened.
bool readFile(const QString& path, QByteArray& data, QString* error = nullptr);

} // namespace platform
