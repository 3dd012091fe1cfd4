// The spectrum panel: the spectrum picture with its eyedropper cursor (both made here), the box
// of the colour under the mouse and the box of the chosen colour.

#include "dropdowns/ColorPanels.h"
#include "dropdowns/QvDropDown/Draw.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace dropdowns {

namespace {

constexpr int kSpectrumSide = 128;
// The row of the full colours; above it they fade towards white, below it towards black.
constexpr int kFullRow = 64;
constexpr QSize kSpectrumPanelSize{150, 174};
constexpr QPoint kPointerHotSpot{1, 30};

QImage makeSpectrum()
{
    QImage image(kSpectrumSide, kSpectrumSide, QImage::Format_RGB888);
    for (int x = 0; x < kSpectrumSide; ++x) {
        const QColor full = QColor::fromHsv(x * 360 / kSpectrumSide, 255, 255);
        for (int y = 0; y < kSpectrumSide; ++y) {
            // Neither end reaches pure white or black, so every row still shows its hue.
            const auto channel = [&](int c) {
                if (y <= kFullRow) {
                    const int part = y + 1, whole = kFullRow + 1;
                    return (c * part + 255 * (whole - part)) / whole;
                }
                const int part = kSpectrumSide - y, whole = kSpectrumSide - kFullRow;
                return c * part / whole;
            };
            image.setPixel(x, y, qRgb(channel(full.red()), channel(full.green()), channel(full.blue())));
        }
    }
    return image;
}

// Black outline on white, the tip at the hot spot.
QPixmap makePointer()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    // Tube along the diagonal from the tip, the collar across it, the bulb at the top right.
    p.drawPolygon(QPolygon({kPointerHotSpot, QPoint(3, 24), QPoint(17, 10), QPoint(21, 14), QPoint(7, 28)}));
    p.drawPolygon(QPolygon({QPoint(14, 9), QPoint(16, 7), QPoint(24, 15), QPoint(22, 17)}));
    p.drawEllipse(QRect(19, 1, 11, 11));
    p.end();
    return QPixmap::fromImage(image);
}

} // namespace

// The picture: paints the spectrum and hands its mouse to the panel.
class TSpectrumImage final : public QWidget {
public:
    explicit TSpectrumImage(TQvColorSpectrumPanel* panel) : QWidget(panel), FPanel(panel)
    {
        resize(kSpectrumSide, kSpectrumSide);
        setMouseTracking(true);
        setCursor(TQvColorSpectrumPanel::PointerCursor());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter canvas(this);
        canvas.drawImage(0, 0, TQvColorSpectrumPanel::SpectrumBitmap());
    }
    void mouseMoveEvent(QMouseEvent* e) override { FPanel->ImageMouseMove(e->position().toPoint()); }
    void mousePressEvent(QMouseEvent* e) override { FPanel->ImageMouseDown(e->position().toPoint()); }
    void mouseReleaseEvent(QMouseEvent*) override { FPanel->ImageMouseUp(); }

private:
    TQvColorSpectrumPanel* FPanel;
};

const QImage& TQvColorSpectrumPanel::SpectrumBitmap()
{
    static const QImage image = makeSpectrum();
    return image;
}

QCursor TQvColorSpectrumPanel::PointerCursor()
{
    return QCursor(makePointer(), kPointerHotSpot.x(), kPointerHotSpot.y());
}

TQvColorSpectrumPanel::TQvColorSpectrumPanel(QWidget* owner) : TQvCustomColorSelectorPanel(owner)
{
    FSpectrumImage = new TSpectrumImage(this);
    ArrangeSpectrum();
}

void TQvColorSpectrumPanel::SetSpectrumSize()
{
    resize(kSpectrumPanelSize);
}

void TQvColorSpectrumPanel::ArrangeSpectrum()
{
    SetSpectrumSize();
    const int wd = FSpectrumImage->width(), ht = FSpectrumImage->height();
    FSpectrumImage->move((width() - wd) / 2, 10);
    const int l = FSpectrumImage->x(), t = FSpectrumImage->y();
    FSelectedRect = {l - 1, t + ht + 8, l + wd / 2 - 2, t + ht + 28};
    FHotRect = {FSelectedRect.Right + 4, FSelectedRect.Top, l + wd + 1, FSelectedRect.Bottom};
    FHotColor = clNone;
    update();
}

TColor TQvColorSpectrumPanel::pixelAt(const QPoint& p) const
{
    const QImage& image = SpectrumBitmap();
    if (!image.rect().contains(p))
        return clNone;
    return platform::fromQColor(image.pixelColor(p));
}

void TQvColorSpectrumPanel::paintBox(QPainter& canvas, const TRect& r, TColor color) const
{
    const QRect box = r.toQRect();
    draw::frame(canvas, box.adjusted(-1, -1, 1, 1), 0x808080);
    if (color != clNone)
        draw::fill(canvas, box, color);
    draw::frame(canvas, box, platform::clWhite);
}

void TQvColorSpectrumPanel::DrawHotBox()
{
    update(FHotRect.toQRect().adjusted(-1, -1, 1, 1));
}

void TQvColorSpectrumPanel::DrawSelectedBox()
{
    update(FSelectedRect.toQRect().adjusted(-1, -1, 1, 1));
}

void TQvColorSpectrumPanel::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    paintBackground(canvas);
    const QRect picture = FSpectrumImage->geometry();
    draw::frame(canvas, picture.adjusted(-1, -1, 1, 1), platform::clWhite);
    draw::frame(canvas, picture.adjusted(-2, -2, 2, 2), 0x808080);
    paintBox(canvas, FSelectedRect, FSelectedColor);
    paintBox(canvas, FHotRect, FHotColor);
}

void TQvColorSpectrumPanel::ImageMouseMove(const QPoint& p)
{
    // A drag that left the picture keeps the last colour inside it.
    const TColor c = pixelAt(p);
    if (c == clNone || c == FHotColor)
        return;
    FHotColor = c;
    DrawHotBox();
}

void TQvColorSpectrumPanel::ImageMouseDown(const QPoint& p)
{
    // The pixel under the press itself: a press that no move came before would otherwise choose
    // no colour at all.
    ImageMouseMove(p);
    if (FSelectedColor != FHotColor)
        FSelectedColor = FHotColor;
    DrawSelectedBox();
    if (OnSelect)
        OnSelect(this);
}

void TQvColorSpectrumPanel::ImageMouseUp()
{
    if (FOnShouldHide)
        FOnShouldHide(this);
}

void TQvColorSpectrumPanel::mouseReleaseEvent(QMouseEvent*)
{
    if (FOnShouldHide)
        FOnShouldHide(this);
}

} // namespace dropdowns
