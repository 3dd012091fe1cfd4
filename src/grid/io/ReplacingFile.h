#pragma once
// The export files written piece by piece (the text grid file, CSV): through a temporary file
// that replaces the target only when every byte reached the disk, so a failed save leaves the
// old file as it was. Every failure is the file-creation error naming the file.

#include <QSaveFile>
#include <QString>

namespace grid {

class ReplacingFile {
public:
    explicit ReplacingFile(const QString& fileName);
    void put(const QByteArray& bytes);
    void commit();

private:
    QSaveFile file;
    QString name;
};

} // namespace grid
