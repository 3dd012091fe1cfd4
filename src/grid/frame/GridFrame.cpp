// What the grid draws around its cells: the translucent frame round the edited cell (a window of
// its own that the application-wide window-position filter keeps on its cell), the border line
// over the scroll area's frame, the dotted sizing lines and the origin mark of middle-button
// panning.

#include "grid/QvGrid.h"
#include "grid/look/GridLooks.h"
#include "grid/look/QvStyleIF.h"
#include "grid/look/ZirAzur.h"
#include "grid/paint/CellGraphics.h"

#include <QPainter>
#include <QPointer>

#include <algorithm>

namespace grid {

namespace {

// The grid whose focus frame shows; a QPointer so a grid going away leaves none behind.
QPointer<TQvStringGrid>& focusWindowGrid()
{
    static QPointer<TQvStringGrid> g;
    return g;
}

constexpr int kFramePen = 4, kFrameCorner = 5;
constexpr double kFrameBlur = 3.0;
constexpr TColor kFrameColor = 0xFDD397;
constexpr unsigned char kFrameOpacity = 230;
// The frame reaches 4 pixels out at the left and top and 5 at the right and bottom.
constexpr int kFrameOut = 4, kFrameGrow = 9;

// The platform's dotted pen: 3 pixels drawn, 3 left out.
constexpr int kDotOn = 3, kDotPeriod = 6;

} // namespace

TQvStringGrid* FocusWindowGrid()
{
    return focusWindowGrid().data();
}

// ---- focus frame ---------------------------------------------------------------------------

void TQvStringGrid::startFocusFrame()
{
    if (!FocusHelper().Enabled() || !FFocusWindow)
        return;
    focusWindowGrid() = this;
    ShowFocusWindow(CellRect(Col(), Row()));
}

void TQvStringGrid::ShowFocusWindow(TRect Rect)
{
    if (!FFocusWindow)
        return;
    FFocusWindow->hide();
    const int W = Rect.Width() + kFrameGrow, H = Rect.Height() + kFrameGrow;
    FFocusWindow->resize(W, H);
    QImage ring;
    MakeRoundRectMask(ring, W, H, kFrameBlur, kFrameCorner, kFramePen);
    QImage colour(W, H, QImage::Format_RGB888);
    colour.fill(platform::toQColor(kFrameColor));
    TGridAlphaMask mask;
    mask.MergeMask(ring, colour, 0xFFFF);
    mask.SetOpacity(kFrameOpacity);
    FFocusWindow->ApplyLayeredMask(mask);
    FFocusWindow->setMask(QRegion(0, 0, W, H).xored(QRegion(kFrameOut, kFrameOut, Rect.Width(), Rect.Height())));
    const QPoint at = viewport()->mapToGlobal(QPoint(Rect.Left, Rect.Top));
    FFocusWindow->setGeometry(at.x() - kFrameOut, at.y() - kFrameOut, W, H);
    FFocusWindow->show();
}

void TQvStringGrid::MoveFocusWindow()
{
    if (!FFocusWindow)
        return;
    const TRect r = CellRect(Col(), Row());
    const QPoint at = viewport()->mapToGlobal(QPoint(r.Left, r.Top));
    FFocusWindow->setGeometry(at.x() - kFrameOut, at.y() - kFrameOut, r.Width() + kFrameGrow, r.Height() + kFrameGrow);
    FFocusWindow->update();
}

void TQvStringGrid::HideFocusWindow()
{
    if (focusWindowGrid() == this)
        focusWindowGrid() = nullptr;
    if (FFocusWindow)
        FFocusWindow->hide();
}

// ---- border colour -------------------------------------------------------------------------

void TQvStringGrid::PaintBorderColor()
{
    update(); // the frame is the grid widget's own paint; the lines follow it in event()
}

void TQvStringGrid::paintBorderLines(QPainter& canvas)
{
    static constexpr TGridLook kBorderLooks[] = {glSoft, glVLX, glXP, glListView, glVista, glWin7, glOffice2007};
    if (std::find(std::begin(kBorderLooks), std::end(kBorderLooks), Look) == std::end(kBorderLooks))
        return;
    if (LookState().BorderStyle == bsNone || BorderColor == clNone || Flat)
        return;
    const int W = width(), H = height();
    auto outline = [&](QColor colour, std::initializer_list<QPoint> points) {
        canvas.setPen(QPen(colour, 0));
        canvas.drawPolyline(QPolygon(points));
    };
    if (FitCellsInGrid) {
        outline(platform::toQColor(BorderColor), {{1, H}, {1, 1}, {W - 2, 1}, {W - 2, H - 2}, {1, H - 2}});
        if (QWidget* parent = parentWidget())
            outline(parent->palette().color(parent->backgroundRole()),
                    {{0, H}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}});
    } else if (IsComCtl6()) {
        outline(platform::toQColor(BorderColor), {{0, H - 1}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}});
    }
}

// ---- sizing lines --------------------------------------------------------------------------

void TQvStringGrid::toggleSizingLine(bool vertical, int at)
{
    const std::pair<bool, int> line{vertical, at};
    auto it = std::find(FSizingLines.begin(), FSizingLines.end(), line);
    if (it != FSizingLines.end())
        FSizingLines.erase(it);
    else
        FSizingLines.push_back(line);
    viewport()->update();
}

void TQvStringGrid::DrawColSizingLine(int X)
{
    toggleSizingLine(true, X);
}

void TQvStringGrid::DrawRowSizingLine(int Y)
{
    toggleSizingLine(false, Y);
}

void TQvStringGrid::paintAroundCells(QPainter& canvas)
{
    if (!FSizingLines.empty()) {
        canvas.save();
        // A black pen under XOR changes nothing; the opaque pen's gaps, in the brush colour,
        // are what shows.
        canvas.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        const QColor gap = platform::toQColor(Color());
        const TRect lastRow = CellRect(LeftCol(), RowCount() - 1);
        const TRect lastCol = CellRect(ColCount() - 1, TopRow());
        for (auto [vertical, at] : FSizingLines) {
            const int length = vertical ? std::max(viewport()->height(), lastRow.Bottom)
                                        : std::max(viewport()->width(), lastCol.Right);
            for (int i = kDotOn; i < length; i += kDotPeriod) {
                const int n = std::min(kDotPeriod - kDotOn, length - i);
                canvas.fillRect(vertical ? QRect(at, i, 1, n) : QRect(i, at, n, 1), gap);
            }
        }
        canvas.restore();
    }
    PaintPanIndicator(canvas);
    // The frame is narrower than the border's two rings; the inner one runs over the cells' edge.
    if (UpdateCount() <= 0) {
        canvas.save();
        canvas.translate(-viewport()->pos());
        paintBorderLines(canvas);
        canvas.restore();
    }
}

// ---- panning mark --------------------------------------------------------------------------

void TQvStringGrid::PaintPanIndicator(QPainter& canvas)
{
    if (!Panning())
        return;
    const char* name = IntelliPan == ipVertical ? "INTLI3" : IntelliPan == ipHorizontal ? "INTLI2" : "INTLI1";
    QImage img = ZirAzur::GridGlyph(QString::fromLatin1(name)).convertToFormat(QImage::Format_RGB32);
    if (img.isNull())
        return;
    // The glyph's background is its top-left colour; it shows white.
    const QRgb key = img.pixel(0, 0);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (line[x] == key)
                line[x] = 0xFFFFFFFF;
    }
    canvas.drawImage(wheelpanpos, img);
}

void TQvStringGrid::InvalidatePanIndicator()
{
    viewport()->update(QRect(wheelpanpos, QSize(32, 32)));
}

} // namespace grid
