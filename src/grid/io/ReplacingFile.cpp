#include "grid/io/ReplacingFile.h"

#include "platform/ComponentStream.h"
#include "platform/Files.h"

namespace grid {

ReplacingFile::ReplacingFile(const QString& fileName) : file(fileName), name(fileName)
{
    if (!file.open(QIODevice::WriteOnly))
        throw platform::EFCreateError(name, file.errorString());
}

void ReplacingFile::put(const QByteArray& bytes)
{
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        throw platform::EFCreateError(name, error);
    }
}

void ReplacingFile::commit()
{
    QString error;
    if (!platform::commitSaveFile(file, &error))
        throw platform::EFCreateError(name, error);
}

} // namespace grid
