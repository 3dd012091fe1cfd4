// The focus frame window, the arrow windows of row and column moving, and the alpha-mask
// picture routines behind the focus frame.

#include "grid/QvObj.h"

#include <QPaintEvent>
#include <QPainter>

#include <array>
#include <cmath>

namespace grid {

// ---- arrow windows -------------------------------------------------------------------------

QPolygon TArrowWindow::Arrow(TArrowDirection direction)
{
    switch (direction) {
    case arrUp:
        return QPolygon({{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}});
    case arrDown:
        return QPolygon({{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}});
    case arrLeft:
        return QPolygon({{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}});
    case arrRight:
        return QPolygon({{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}});
    }
    return {};
}

TArrowWindow::TArrowWindow(QWidget* owner, TArrowDirection direction)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), FDir(direction)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    const QPolygon arrow = Arrow(direction);
    resize(arrow.boundingRect().size() + QSize(1, 1));
    setMask(QRegion(arrow, Qt::WindingFill));
    hide();
}

void TArrowWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), platform::toQColor(Color));
}

// ---- focus window --------------------------------------------------------------------------

TGridFocusWindow::TGridFocusWindow(QWidget* owner)
    // A tool-tip window: showing it never takes activation (and so the editor's focus) away.
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput
                         | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setEnabled(false);
    resize(0, 0);
    hide();
}

void TGridFocusWindow::ApplyLayeredMask(const TGridAlphaMask& mask)
{
    if (mask.Image().height() == 0)
        return;
    FPicture = mask.Image();
    FOpacity = mask.Opacity();
    resize(FPicture.size());
    update();
}

void TGridFocusWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setOpacity(FOpacity / 255.0);
    p.drawImage(0, 0, FPicture);
}

// ---- alpha mask ----------------------------------------------------------------------------

std::unique_ptr<TObject> TGridAlphaMask::Clone() const
{
    auto copy = std::make_unique<TGridAlphaMask>();
    copy->FImage = FImage;
    copy->FOpacity = FOpacity;
    return copy;
}

void TGridAlphaMask::SetSize(int w, int h)
{
    FImage = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    FImage.fill(0);
}

void TGridAlphaMask::Assign(const TGridAlphaMask& source)
{
    FOpacity = source.FOpacity;
    QImage copy(FImage.width(), FImage.height(), QImage::Format_ARGB32_Premultiplied);
    copy.fill(0);
    const int w = std::min(FImage.width(), source.FImage.width());
    const int h = std::min(FImage.height(), source.FImage.height());
    for (int y = 0; y < h; ++y)
        std::memcpy(copy.scanLine(y), source.FImage.constScanLine(y), std::size_t(w) * 4);
    FImage = copy;
}

void TGridAlphaMask::Assign(const QImage& picture)
{
    FImage = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void TGridAlphaMask::MergeMask(const QImage& mask, const QImage& bitmap, TColor)
{
    if (bitmap.format() != QImage::Format_RGB888)
        return;
    const QImage m = mask.convertToFormat(QImage::Format_RGB888);
    SetSize(bitmap.width(), bitmap.height());
    for (int y = 0; y < bitmap.height(); ++y) {
        const uchar* src = bitmap.constScanLine(y);
        const uchar* mk = y < m.height() ? m.constScanLine(y) : nullptr;
        auto* dst = reinterpret_cast<QRgb*>(FImage.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x) {
            const int a = mk && x < m.width() ? mk[x * 3] : 0; // red channel
            auto scale = [a](int v) { return int(std::nearbyint(v * a / 255.0)); };
            dst[x] = qRgba(scale(src[x * 3]), scale(src[x * 3 + 1]), scale(src[x * 3 + 2]), a);
        }
    }
}

void MakeRoundRectMask(QImage& bitmap, int width, int height, double radius, int corner, int penWidth)
{
    bitmap = QImage(std::max(0, width), std::max(0, height), QImage::Format_RGB888);
    bitmap.fill(Qt::black);
    if (width > 0 && height > 0) {
        QPainter p(&bitmap);
        const int pw = penWidth >= 1 ? penWidth : 1;
        const int half = penWidth / 2;
        p.setPen(QPen(Qt::white, pw, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(penWidth >= 1 ? QBrush(Qt::black) : QBrush(Qt::white));
        // The classic rounded rectangle leaves out its right and bottom edge.
        const QRectF r(2 + half, 2 + half, (width - 2 - half) - (2 + half) - 1, (height - 2 - half) - (2 + half) - 1);
        if (r.width() > 0 && r.height() > 0)
            p.drawRoundedRect(r, corner / 2.0, corner / 2.0);
    }
    if (radius > 0)
        BlurBitmap24(bitmap, radius);
}

namespace {

struct Kernel {
    int size;
    std::array<float, 21> w; // w[10 + j] for j = -10..10
};

Kernel makeKernel(double radius)
{
    Kernel k{10, {}};
    double sum = 0;
    for (int j = -10; j <= 10; ++j) {
        k.w[10 + j] = float(std::exp(-((j / radius) * (j / radius)) / 2));
        sum += k.w[10 + j];
    }
    for (float& v : k.w)
        v = float(v / sum);
    // Drop outer taps in pairs while the weight dropped so far stays below half a grey step.
    double tail = 0;
    while (tail < 1.0 / 510 && k.size > 1) {
        tail += 2 * k.w[10 + k.size];
        --k.size;
    }
    sum = 0;
    for (int j = -k.size; j <= k.size; ++j)
        sum += k.w[10 + j];
    for (int j = -k.size; j <= k.size; ++j)
        k.w[10 + j] = float(k.w[10 + j] / sum);
    return k;
}

// Truncates to a whole number within 0..255; a sum a rounding error short of a whole number
// (the weights add up to 1 only within float precision) counts as that number.
uchar clampByte(double v)
{
    v += 1e-4;
    if (v <= 0)
        return 0;
    if (v >= 255)
        return 255;
    return uchar(int(v));
}

} // namespace

int BlurKernelSize(double radius)
{
    return makeKernel(radius).size;
}

void BlurBitmap24(QImage& bitmap, double radius)
{
    if (bitmap.format() != QImage::Format_RGB888)
        throw std::runtime_error("Blur only works for 24-bit bitmaps");
    const int W = bitmap.width(), H = bitmap.height();
    if (W == 0 || H == 0)
        return;
    const Kernel k = makeKernel(radius);
    std::vector<uchar> line;
    // Horizontal pass: the middle rows of a tall picture repeat row 15.
    for (int y = 0; y < H; ++y) {
        uchar* row = bitmap.scanLine(y);
        if (y > 20 && y < H - 20) {
            std::memcpy(row, bitmap.constScanLine(15), std::size_t(W) * 3);
            continue;
        }
        line.assign(row, row + std::size_t(W) * 3);
        for (int x = 0; x < W; ++x)
            for (int c = 0; c < 3; ++c) {
                double s = 0;
                for (int j = -k.size; j <= k.size; ++j)
                    s += k.w[10 + j] * line[std::size_t(std::clamp(x - j, 0, W - 1)) * 3 + c];
                row[x * 3 + c] = clampByte(s);
            }
    }
    // Vertical pass: the middle columns of a wide picture repeat column 15.
    for (int x = 0; x < W; ++x) {
        if (x > 20 && x < W - 20) {
            for (int y = 0; y < H; ++y) {
                uchar* row = bitmap.scanLine(y);
                std::memcpy(row + x * 3, row + 15 * 3, 3);
            }
            continue;
        }
        line.resize(std::size_t(H) * 3);
        for (int y = 0; y < H; ++y)
            std::memcpy(&line[std::size_t(y) * 3], bitmap.constScanLine(y) + x * 3, 3);
        for (int y = 0; y < H; ++y)
            for (int c = 0; c < 3; ++c) {
                double s = 0;
                for (int j = -k.size; j <= k.size; ++j)
                    s += k.w[10 + j] * line[std::size_t(std::clamp(y - j, 0, H - 1)) * 3 + c];
                bitmap.scanLine(y)[x * 3 + c] = clampByte(s);
            }
    }
}

} // namespace grid
