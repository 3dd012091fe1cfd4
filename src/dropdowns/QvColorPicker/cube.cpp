// The colour cube: 127 hexagonal cells in 13 rows of a honeycomb, their fixed colours, the hit
// test, the hot and selected outlines and the RGB hint.

#include "dropdowns/ColorPanels.h"
#include "dropdowns/QvDropDown/Draw.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QToolTip>

#include <stdexcept>

namespace dropdowns {

namespace {

constexpr int kRows = 13;
// The widest row; rows above it grow by one cell, rows below it shrink by one.
constexpr int kMiddleRow = 7;
constexpr int kFirstRowY = 20;
constexpr int kRowStep = 10;
constexpr QSize kCubePanelSize{182, 160};

// The cells row by row, left to right (0xBBGGRR); the row lengths follow from kMiddleRow.
// clang-format off
constexpr std::array<TColor, TQvColorCubePanel::kCellCount> kCubeColors = {
    0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000,
    0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333,
    0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666,
    0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066,
    0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399,
    0xFF0099,
    0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC,
    0xFF00CC, 0xCC0099,
    0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF,
    0xFF00FF, 0xCC00CC, 0x660066,
    0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF,
    0x9900CC, 0x800080,
    0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC,
    0x990099,
    0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399,
    0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066,
    0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099,
    0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5,
};
// clang-format on

// The hexagon around (cx, cy) with half width w and quarter height h, pointed at top and bottom.
QPolygon hexagon(int cx, int cy, int w, int h)
{
    return QPolygon({QPoint(cx - w, cy - h), QPoint(cx, cy - 2 * h), QPoint(cx + w, cy - h), QPoint(cx + w, cy + h),
                     QPoint(cx, cy + 2 * h), QPoint(cx - w, cy + h)});
}

void outline(QPainter& canvas, const QPolygon& p, TColor color)
{
    canvas.setPen(platform::toQColor(color));
    canvas.setBrush(Qt::NoBrush);
    canvas.drawPolygon(p);
}

} // namespace

void TQvCustomColorSelectorPanel::SetColor(TColor v)
{
    if (FColor == v)
        return;
    FColor = v;
    update();
}

void TQvCustomColorSelectorPanel::paintBackground(QPainter& canvas)
{
    if (FColor != clNone)
        draw::fill(canvas, rect(), FColor);
}

// ---- the cube --------------------------------------------------------------------------------

TQvColorCubePanel::TQvColorCubePanel(QWidget* owner) : TQvCustomColorSelectorPanel(owner)
{
    setMouseTracking(true);
    BuildCells();
    SetCubeSize();
}

void TQvColorCubePanel::SetShowRGBHint(bool v)
{
    FShowRGBHint = v;
    FShowHint = v;
}

void TQvColorCubePanel::BuildCells()
{
    FCubeSize = QPoint(6, 3);
    const int w = FCubeSize.x();
    std::size_t cell = 0;
    for (int r = 1; r <= kRows; ++r) {
        const int count = r <= kMiddleRow ? 6 + r : 20 - r;
        const int y = kFirstRowY + kRowStep * (r - 1);
        int x = r <= kMiddleRow ? 55 - w * (r - 1) : 19 + w * (r - kMiddleRow);
        for (int i = 0; i < count; ++i, ++cell, x += 2 * w)
            FCubeCells[cell] = {x, y, kCubeColors[cell]};
    }
}

void TQvColorCubePanel::ResetCube()
{
    FHotIndex = -1;
    SetCubeSize();
}

void TQvColorCubePanel::SetCubeSize()
{
    resize(kCubePanelSize);
}

const TQvColorCubePanel::TCubeCell& TQvColorCubePanel::Cell(int index) const
{
    if (index < 1 || index > kCellCount)
        throw std::out_of_range("Cube cell out of range");
    return FCubeCells[std::size_t(index - 1)];
}

void TQvColorCubePanel::SelectCubeCell(TColor color, int index)
{
    FSelectedColor = color;
    if (index >= 1 && index <= kCellCount) {
        FSelectedIndex = index;
        return;
    }
    FSelectedIndex = -1;
    for (int i = 1; i <= kCellCount; ++i)
        if (Cell(i).Color == color) {
            FSelectedIndex = i;
            return;
        }
}

int TQvColorCubePanel::CellAtPos(int x, int y) const
{
    const int w = FCubeSize.x();
    for (int i = 1; i <= kCellCount; ++i) {
        const int dx = Cell(i).X - x, dy = Cell(i).Y - y;
        if (dx * dx + dy * dy <= w * w)
            return i;
    }
    return -1;
}

QRect TQvColorCubePanel::cellBounds(int index) const
{
    const TCubeCell& c = Cell(index);
    const int w = FCubeSize.x(), h = FCubeSize.y();
    return QRect(c.X - w, c.Y - 2 * h, 2 * w + 1, 4 * h + 1).adjusted(-1, -1, 1, 1);
}

// Painting happens in the paint event; the cell's area is marked for the next frame, which
// comes before any further input is read.
void TQvColorCubePanel::DrawCubeCell(int index)
{
    if (index >= 1 && index <= kCellCount)
        update(cellBounds(index));
}

void TQvColorCubePanel::DrawCubeCells()
{
    update();
}

void TQvColorCubePanel::paintCell(QPainter& canvas, int index) const
{
    const TCubeCell& c = Cell(index);
    const int w = FCubeSize.x(), h = FCubeSize.y();
    const QColor color = platform::toQColor(c.Color);
    canvas.setPen(color);
    canvas.setBrush(color);
    canvas.drawPolygon(hexagon(c.X, c.Y, w, h));
    // The selected look goes on last, so a cell both hot and selected shows it.
    if (index == FHotIndex) {
        outline(canvas, hexagon(c.X, c.Y, w - 1, h), platform::clRed);
        outline(canvas, hexagon(c.X, c.Y, w - 2, h - 1), platform::clWhite);
    }
    if (index == FSelectedIndex) {
        outline(canvas, hexagon(c.X, c.Y, w - 1, h), platform::clBlack);
        outline(canvas, hexagon(c.X, c.Y, w - 2, h - 1), platform::clWhite);
    }
}

void TQvColorCubePanel::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    paintBackground(canvas);
    for (int i = 1; i <= kCellCount; ++i)
        paintCell(canvas, i);
}

void TQvColorCubePanel::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const int cell = CellAtPos(p.x(), p.y());
    if (cell == -1) {
        // The hot cell keeps its mark off the cells.
        if (FShowRGBHint) {
            setToolTip(QString());
            QToolTip::hideText();
        }
        return;
    }
    if (cell == FHotIndex)
        return;
    const int old = FHotIndex;
    FHotIndex = -1;
    DrawCubeCell(old);
    FHotIndex = cell;
    DrawCubeCell(cell);
    if (FShowRGBHint) {
        const TColor c = Cell(cell).Color;
        setToolTip(QString::asprintf("Red: %d,  Green: %d,  Blue: %d", platform::getRValue(c), platform::getGValue(c),
                                     platform::getBValue(c)));
        // The hint of the last cell goes, so the new one shows at the next pause.
        QToolTip::hideText();
    }
}

void TQvColorCubePanel::mousePressEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const int cell = CellAtPos(p.x(), p.y());
    if (cell == -1)
        return;
    const int old = FSelectedIndex;
    FSelectedIndex = -1;
    DrawCubeCell(old);
    SelectCubeCell(Cell(cell).Color, cell);
    DrawCubeCell(cell);
    if (OnSelect)
        OnSelect(this);
}

void TQvColorCubePanel::mouseReleaseEvent(QMouseEvent*)
{
    if (FOnShouldHide)
        FOnShouldHide(this);
}

bool TQvColorCubePanel::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip && !FShowHint) {
        e->ignore();
        return true;
    }
    return TQvCustomColorSelectorPanel::event(e);
}

} // namespace dropdowns
