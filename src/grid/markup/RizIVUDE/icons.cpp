// Drawing helpers of image tags: shell icons, plain bitmap stretching, the folder test.

#include "grid/markup/RizIVUDE.h"

#include "platform/Shell.h"

#include <QFileInfo>
#include <QPainter>

#include <cmath>

namespace grid::RizIVUDE {

bool IsWinXPOrLater = true;

void DrawShellIcon(QPainter& canvas, int x, int y, TPoint& size, double scaleFactor, bool stretch, bool draw,
                   bool large, const QString& name)
{
    const platform::ShellIcon icon = platform::shellIcon(name, large);
    size = {icon.size, icon.size};
    if (!draw)
        return;
    if (!stretch) {
        if (!icon.image.isNull())
            canvas.drawImage(QPoint(x, y), icon.image);
        return;
    }
    QImage bitmap(icon.size, icon.size, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    if (!icon.image.isNull()) {
        QPainter onBitmap(&bitmap);
        onBitmap.drawImage(QPoint(0, 0), icon.image);
    }
    // Rounded halves to even, as every scaled extent of the renderer.
    const int extent = int(std::nearbyint(icon.size * scaleFactor));
    const TRect target{x, y, x + extent, y + extent};
    StretchBitmapToRect(canvas, target, bitmap);
}

void StretchBitmapToRect(QPainter& canvas, const TRect& rect, const QImage& bitmap)
{
    if (bitmap.isNull() || rect.IsEmpty())
        return;
    canvas.save();
    canvas.setRenderHint(QPainter::SmoothPixmapTransform, false);
    canvas.setCompositionMode(QPainter::CompositionMode_Source);
    canvas.drawImage(rect.toQRect(), bitmap);
    canvas.restore();
}

bool IsDirectory(const QString& name)
{
    return QFileInfo(name).isDir();
}

} // namespace grid::RizIVUDE
