#pragma once
// A white image with a painter in a known font for the markup renderer's tests, the metrics the
// expected sizes are computed from (the renderer's own: the image's resolution, the font's
// leading counted once), and a one-call wrapper around PaintMarkup.

#include "grid/markup/RizIVUDE.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <functional>
#include <memory>

namespace grid::test {

inline QFont markupBaseFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSize(9);
    return f;
}

struct MarkupCanvas {
    explicit MarkupCanvas(int w = 400, int h = 300) : image(w, h, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        painter = std::make_unique<QPainter>(&image);
        painter->setFont(markupBaseFont());
        painter->setPen(Qt::black);
        painter->setBrush(Qt::white);
    }
    // Ends painting so the pixels can be read.
    const QImage& done()
    {
        painter->end();
        return image;
    }

    QFontMetrics metrics(const QFont& f) const { return QFontMetrics(f, const_cast<QImage*>(&image)); }
    // Width of a text in the base font, bold or at a point size.
    int w(const QString& text) const { return metrics(markupBaseFont()).horizontalAdvance(text); }
    int wb(const QString& text) const
    {
        QFont f = markupBaseFont();
        f.setBold(true);
        return metrics(f).horizontalAdvance(text);
    }
    int wAt(int points, const QString& text) const
    {
        QFont f = markupBaseFont();
        f.setPointSize(points);
        return metrics(f).horizontalAdvance(text);
    }
    // Height of "gh" in the base font, and a run's height at a point size.
    int gh() const { return metrics(markupBaseFont()).height(); }
    int runHeight(int points) const
    {
        QFont f = markupBaseFont();
        f.setPointSize(points);
        const QFontMetrics fm = metrics(f);
        return fm.height() + std::max(0, fm.leading());
    }
    int baseRunHeight() const { return runHeight(markupBaseFont().pointSize()); }

    // One call: the request's canvas and text are filled in, tweak sets the rest.
    bool run(const QString& text, const TRect& rect, RizIVUDE::TMarkupResult& result,
             const std::function<void(RizIVUDE::TMarkupRequest&)>& tweak = {})
    {
        RizIVUDE::TMarkupRequest m;
        m.Canvas = painter.get();
        m.Text = text;
        m.Rect = rect;
        m.HitX = -1000;
        m.HitY = -1000;
        if (tweak)
            tweak(m);
        return RizIVUDE::PaintMarkup(m, result);
    }

    QImage image;
    std::unique_ptr<QPainter> painter;
};

} // namespace grid::test
