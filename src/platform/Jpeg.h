#pragma once
// JPEG files through libjpeg: the pictures the grid's HTML export writes beside its page.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform {

// The image as a baseline JPEG file (libjpeg's default quality, RGB); an empty array for a
// null image.
QByteArray encodeJpeg(const QImage& image);
// Writes the image as a JPEG file, replacing the file through a temporary file; false (and
// error, when given) when it cannot be encoded or written.
bool writeJpegFile(const QString& path, const QImage& image, QString* error = nullptr);

} // namespace platform
