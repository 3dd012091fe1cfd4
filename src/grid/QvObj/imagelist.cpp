// The image list of image cells and markup images.

#include "grid/QvObj.h"

#include <QPainter>

namespace grid {

int TCustomImageList::Add(const QImage& image)
{
    QImage sized = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (sized.width() != FWidth || sized.height() != FHeight)
        sized = sized.scaled(FWidth, FHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    FImages.push_back(std::move(sized));
    return Count() - 1;
}

QImage TCustomImageList::GetImage(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return FImages[size_t(index)];
}

void TCustomImageList::Draw(QPainter& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    const QImage& image = FImages[size_t(index)];
    if (enabled) {
        canvas.drawImage(QPoint(x, y), image);
        return;
    }
    QImage grey = image;
    for (int yy = 0; yy < grey.height(); ++yy) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(yy));
        for (int xx = 0; xx < grey.width(); ++xx) {
            const int g = qGray(line[xx]);
            // Lighter, as the platform draws disabled images.
            const int l = qAlpha(line[xx]) * (128 + g / 2) / 255;
            line[xx] = qRgba(l, l, l, qAlpha(line[xx]));
        }
    }
    canvas.drawImage(QPoint(x, y), grey);
}

} // namespace grid
