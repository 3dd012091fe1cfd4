// Colour arithmetic and the small drawing routines of the popup bars, bar buttons, item
// selector and pickers.

#include "dropdowns/DropDownHelpers.h"
#include "dropdowns/MetafilePicture.h"
#include "dropdowns/QvDropDown/Draw.h"
#include "grid/QvObj.h"
#include "grid/look/QvDropXPVS.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/RizIVUDE.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace dropdowns {

using namespace grid::ZirAzur;
using platform::clNone;

namespace {

// n / 100 rounded to nearest, halves to the even neighbour (n >= 0).
int hundredthsHalfEven(int n)
{
    int q = n / 100;
    const int rem = n % 100;
    if (rem > 50 || (rem == 50 && (q & 1)))
        ++q;
    return q;
}

} // namespace

TColor MixColors(TColor c1, TColor c2, int percent)
{
    if (percent >= 100)
        return c1;
    if (percent <= 0)
        return c2;
    const TColor a = platform::colorToRGB(c1), b = platform::colorToRGB(c2);
    // Whole-number arithmetic so the halves really are halves: (P * c1 + (100 - P) * c2) / 100.
    const auto mix = [percent](int x, int y) { return hundredthsHalfEven(percent * x + (100 - percent) * y); };
    return platform::rgb(mix(platform::getRValue(a), platform::getRValue(b)),
                         mix(platform::getGValue(a), platform::getGValue(b)),
                         mix(platform::getBValue(a), platform::getBValue(b)));
}

TColor ScaleColorChannels(TColor c, int redPercent, int greenPercent, int bluePercent)
{
    const TColor rgb = platform::colorToRGB(c);
    const auto scale = [](int channel, int percent) {
        if (channel == 0)
            return std::max(0, percent) & 0xFF;
        return hundredthsHalfEven(channel * std::min(100, 100 + percent));
    };
    return platform::rgb(scale(platform::getRValue(rgb), redPercent), scale(platform::getGValue(rgb), greenPercent),
                         scale(platform::getBValue(rgb), bluePercent));
}

void DrawGradientBox(QPainter* canvas, const TRect& r, TColor from, TColor to, TColor border, int penWidth,
                     grid::TGradientDirection direction)
{
    if (!canvas)
        return;
    if (to != clNone)
        grid::FillGradientRect(*canvas, from, to, direction == grid::gdHorizontal, r, 80);
    else if (from != clNone)
        draw::fill(*canvas, r.toQRect(), from);
    if (border != clNone && penWidth > 0)
        draw::frame(*canvas, r.toQRect(), border, penWidth);
}

void DrawImageAndText(QPainter* canvas, TRect r, const QString& text, const grid::TCustomImageList* images,
                      int imageIndex)
{
    if (!canvas)
        return;
    bool imageDrawn = false;
    if (imageIndex >= 0 && images) {
        images->Draw(*canvas, r.Left + 4, r.Top + (r.Height() - images->Height()) / 2, imageIndex, true);
        r.Left += images->Width() + 8;
        imageDrawn = true;
    }
    if (!text.isEmpty()) {
        unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
        if (!imageDrawn)
            flags |= DT_CENTER;
        DrawTextFlags(*canvas, text, r, flags);
    }
}

void DrawTransparentBitmap(QPainter& canvas, const QImage& bitmap, TColor backColor, const TRect& r)
{
    if (bitmap.isNull() || r.IsEmpty())
        return;
    // Only the part of the bitmap that fits R reaches the canvas.
    canvas.save();
    canvas.setClipRect(r.toQRect(), Qt::IntersectClip);
    grid::ZirAzur::DrawTransparentBitmap(canvas, bitmap, backColor, r);
    canvas.restore();
}

QSize MeasureText(QPainter& canvas, const QString& text)
{
    if (text.isEmpty())
        return {0, 0};
    TRect r{0, 0, 1000, 500};
    DrawTextFlags(canvas, text, r, DT_CALCRECT | DT_SINGLELINE);
    return {r.Right, r.Bottom};
}

void FitTextToWidth(QPainter& canvas, const QString& text, int maxWidth, bool ellipsis, QString& result)
{
    result = text;
    if (MeasureText(canvas, text).width() <= maxWidth)
        return;
    for (int i = 1; i <= text.size(); ++i) {
        QString t = text.left(text.size() - i);
        if (ellipsis)
            t += QStringLiteral("...");
        if (MeasureText(canvas, t).width() < maxWidth) {
            result = t;
            return;
        }
    }
}

void DrawMarkupText(QPainter& canvas, const QString& text, const TRect& r, const grid::TCustomImageList* images,
                    bool paint, int hoverAnchor, QSize& size)
{
    size = {0, 0};
    if (text.isEmpty())
        return;
    grid::RizIVUDE::TMarkupRequest request;
    request.Canvas = &canvas;
    request.Text = text;
    request.Rect = r;
    request.Images = images;
    request.HoverAnchor = hoverAnchor;
    request.MeasureOnly = !paint;
    request.AnchorColor = 0xFF0000;
    request.HoverBackColor = clNone;
    request.HoverTextColor = clNone;
    request.ShadowColor = 0x808080;
    grid::RizIVUDE::TMarkupResult result;
    grid::RizIVUDE::PaintMarkup(request, result);
    size = {result.MarkupWidth, result.MarkupHeight};
}

void LookupKey(const QString& text, bool caseSensitive, QString& result)
{
    result = caseSensitive ? text : QLocale().toUpper(text);
}

bool LoadPictureFile(const QString& fileName, QImage& picture)
{
    // Extension to reader format; the metafiles have readers of their own.
    enum Reader { Image, WindowsMetafile, EnhancedMetafile };
    static const struct {
        const char* Extension;
        Reader Kind;
        const char* Format;
    } kFormats[] = {
        {"wmf", WindowsMetafile, nullptr},
        {"emf", EnhancedMetafile, nullptr},
        {"ico", Image, "ico"},
        {"tif", Image, "tiff"},
        {"tiff", Image, "tiff"},
        {"bmp", Image, "bmp"},
        {"jpeg", Image, "jpeg"},
        {"jpg", Image, "jpeg"},
    };
    // A metafile is read whole; one larger than this is refused before reading.
    constexpr qint64 kMaxMetafileBytes = 64 * 1024 * 1024;
    picture = QImage();
    const QFileInfo info(fileName);
    if (!info.isFile())
        return false;
    const QString extension = info.suffix().toLower();
    for (const auto& f : kFormats) {
        if (extension != QLatin1String(f.Extension))
            continue;
        if (f.Kind == Image) {
            QImageReader reader(fileName, f.Format);
            picture = reader.read();
            return !picture.isNull();
        }
        QFile file(fileName);
        if (info.size() > kMaxMetafileBytes || !file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray bytes = file.read(kMaxMetafileBytes);
        return f.Kind == WindowsMetafile ? LoadWindowsMetafile(bytes, picture) : LoadEnhancedMetafile(bytes, picture);
    }
    return false;
}

} // namespace dropdowns
