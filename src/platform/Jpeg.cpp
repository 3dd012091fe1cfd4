#include "platform/Jpeg.h"

#include "platform/Files.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace platform {

QByteArray encodeJpeg(const QImage& image)
{
    // Beyond the format's largest side libjpeg would end the program.
    if (image.isNull() || image.width() > JPEG_MAX_DIMENSION || image.height() > JPEG_MAX_DIMENSION)
        return {};
    // Transparent pixels are put on white: JPEG has no alpha.
    QImage rgb(image.size(), QImage::Format_RGB888);
    rgb.fill(Qt::white);
    {
        QImage flat = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < flat.height(); ++y)
            for (int x = 0; x < flat.width(); ++x) {
                const QRgb p = flat.pixel(x, y);
                const int a = qAlpha(p);
                rgb.setPixel(x, y, qRgb(qRed(p) + 255 - a, qGreen(p) + 255 - a, qBlue(p) + 255 - a));
            }
    }
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return out;
}

bool writeJpegFile(const QString& path, const QImage& image, QString* error)
{
    const QByteArray data = encodeJpeg(image);
    if (data.isEmpty()) {
        if (error)
            *error = QStringLiteral("no picture");
        return false;
    }
    return replaceFile(path, data, error);
}

} // namespace platform
