// The grid's HTML-like cell markup, from any bytes read as UTF-8: laid out and painted into an
// image, hit-tested, and taken apart by the helpers that read it without drawing.

#include "FuzzSupport.h"

#include "grid/markup/RizIVUDE.h"

#include <QImage>
#include <QPainter>

using namespace grid::RizIVUDE;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QImage image(200, 120, QImage::Format_ARGB32);
    QPainter p(&image);
    for (const bool hitTest : {false, true}) {
        TMarkupRequest m;
        m.Canvas = &p;
        m.Text = text;
        m.Rect = {0, 0, 200, 120};
        m.HitX = 30;
        m.HitY = 8;
        m.HitTestOnly = hitTest;
        TMarkupResult r;
        PaintMarkup(m, r);
    }
    (void)MarkupToPlainText(text);
    (void)DecodeEntities(text, true);
    (void)HasControlTag(text);
    (void)ParseControlTag(text);
    (void)ClearRadioControls(text);
    (void)UnmarkSearchText(MarkSearchText(text, QStringLiteral("a"), QStringLiteral("hi"), false),
                           QStringLiteral("hi"));
    return 0;
}
