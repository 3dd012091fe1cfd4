// The popup list of the multi-column picker: taking the picker's columns and sizes at every
// opening, measuring columns and wrapped rows, drawing every cell from the picker's items, and
// the keys, clicks and wheel steps that choose a row.

#include "dropdowns/QvMultiColumnDropDown.h"

#include "grid/QvObj.h"
#include "grid/look/QvDropXPVS.h"
#include "grid/look/ZirAzur.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QWheelEvent>

#include <cmath>

namespace dropdowns::multicolumn {

using namespace grid::ZirAzur;

namespace {

// Rows with a word-wrapping column are never lower than this.
constexpr int kMinWrappedRowHeight = 24;
constexpr int kHeaderGradientSteps = 80;
// Text and image margins inside a cell.
constexpr int kTextMargin = 2;
constexpr int kImageGap = 4;
constexpr int kMeasureMargin = 6;

} // namespace

std::vector<int> StretchColumnWidths(const std::vector<int>& widths, int avail)
{
    long long total = 1;
    for (int w : widths)
        total += w;
    const double f = double(avail) / double(total);
    double acc = 0.0;
    std::vector<int> result;
    result.reserve(widths.size());
    for (int w : widths) {
        const double x = f * w;
        const double r = std::nearbyint(x); // halves to even in the default rounding mode
        acc += x - r;
        // The remainder may go below zero; a pixel is only ever added, never taken away.
        if (acc > 1.0) {
            result.push_back(int(r) + 1);
            acc -= 1.0;
        } else {
            result.push_back(int(r));
        }
    }
    return result;
}

TQvColGrid::TQvColGrid(QWidget* parent) : grid::TStringGrid(parent), FColumns(std::make_unique<TDropDownColumns>(this))
{
    SetFixedCols(0);
    SetOptions((Options() | grid::goHorzLine | grid::goRowSelect) & ~(grid::goRangeSelect | grid::goDrawFocusSelected));
    SetDefaultDrawing(false);
    setFrameShape(QFrame::NoFrame);
    FGridLineWidth = 1;
    SetPlatformLineWidth(0);
}

TQvColGrid::~TQvColGrid() = default;

void TQvColGrid::SetGridLineWidth(int value)
{
    FGridLineWidth = value;
    SetPlatformLineWidth(0);
    Invalidate();
}

int SystemScrollBarWidth(const QWidget& w)
{
    return w.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

int TQvColGrid::ScrollBarWidth() const
{
    return SystemScrollBarWidth(*this);
}

std::vector<int> ColumnWidths(const TDropDownCollection<TDropDownColumn>& columns)
{
    std::vector<int> widths;
    widths.reserve(std::size_t(columns.Count()));
    for (int c = 0; c < columns.Count(); ++c)
        widths.push_back(columns.Items(c).Width());
    return widths;
}

int GridContentWidth(const grid::TStringGrid& g, int scrollBarWidth)
{
    int w = 2 * g.frameWidth();
    for (int c = 0; c < g.ColCount(); ++c)
        w += g.ColWidths(c);
    if (g.VisibleRowCount() + g.FixedRows() != g.RowCount())
        w += scrollBarWidth;
    return w;
}

TRect CellBoundsOf(const grid::TStringGrid& g, int col, int row)
{
    const TRect r = g.CellRect(col, row);
    return {r.Left, r.Top, r.Left + g.ColWidths(col), r.Top + g.RowHeights(row)};
}

void TQvColGrid::DoSelect()
{
    if (OnSelect)
        OnSelect(this);
}

// ---- taking the picker's settings ------------------------------------------------------------

void TQvColGrid::InitFromDropDown(TQvMultiColumnDropDown* dropDown)
{
    if (!dropDown)
        return;
    TQvMultiColumnDropDown& dd = *dropDown;
    FQvDropDown = dropDown;
    FColumns->Assign(dd.Columns());
    SetColCount(FColumns->Count());
    SetRowCount(dd.Items().Count() + 1);
    if (RowCount() > 1) {
        SetFixedRows(1);
        SetRow(1);
        SetRowCount(dd.Items().Count() + 1);
    }
    for (int c = 0; c < FColumns->Count(); ++c)
        SetColWidths(c, FColumns->Items(c).Width());
    FLineColor = dd.LineColor();
    FFixedLineColor = dd.FixedLineColor();
    FHeaderColor = dd.HeaderColor();
    FHeaderColorTo = dd.HeaderColorTo();
    FHeaderHeight = dd.HeaderHeight();
    FHeaderFont = dd.HeaderFont();
    FImages = dd.Images();
    SetDefaultRowHeight(dd.rowHeight());
    SetRowHeights(0, FHeaderHeight);
    SetOptions(dd.ColumnSizing() ? (Options() | grid::goColSizing) : (Options() & ~grid::goColSizing));
    AutoSizeItemColumns();
    SizeWrappedRows();
}

int TQvColGrid::ContentWidth() const
{
    return GridContentWidth(*this, ScrollBarWidth());
}

namespace {

bool hasImage(const TDropDownColumn& column, const QStringList& lines, int imageIndex, int col,
              const grid::TCustomImageList* images)
{
    return column.ColumnType() == ctImage && lines.size() > col && imageIndex >= 0 && images;
}

} // namespace

int MeasureItemColumn(const TDropDownColumn& column, int index, const TDropDownCollection<TDropDownItem>& items,
                      int count, const grid::TCustomImageList* images)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter canvas(&scratch);
    canvas.setFont(grid::toQFont(column.Font()));
    const QFontMetrics fm(canvas.font(), canvas.device());
    int widest = 0;
    for (int i = 0; i < count && i < items.Count(); ++i) {
        const TDropDownItem& item = items.Items(i);
        int w = hasImage(column, item.Text(), item.ImageIndex(), index, images) ? images->Width() + kImageGap : 0;
        const QString& text = item.Line(index);
        if (!text.isEmpty()) {
            TRect m{0, 0, 1000, 500};
            DrawTextFlags(canvas, fm, text, m, DT_CALCRECT | DT_SINGLELINE);
            w += m.Width() + kMeasureMargin;
        }
        widest = std::max(widest, w);
    }
    return widest;
}

bool HasWordwrap(const TDropDownCollection<TDropDownColumn>& columns)
{
    for (int c = 0; c < columns.Count(); ++c)
        if (columns.Items(c).Wordwrap())
            return true;
    return false;
}

int MeasureWrappedRow(const TDropDownCollection<TDropDownColumn>& columns, const QStringList& lines, int imageIndex,
                      const grid::TCustomImageList* images)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter canvas(&scratch);
    int h = kMinWrappedRowHeight;
    for (int c = 0; c < columns.Count(); ++c) {
        const TDropDownColumn& column = columns.Items(c);
        if (!column.Wordwrap())
            continue;
        int cell = hasImage(column, lines, imageIndex, c, images) ? images->Height() + kMeasureMargin : 0;
        const QString text = c < lines.size() ? lines[c] : QString();
        if (!text.isEmpty()) {
            canvas.setFont(grid::toQFont(column.Font()));
            TRect m{0, 0, column.Width(), 500};
            DrawTextFlags(canvas, text, m, DT_CALCRECT | DT_WORDBREAK);
            cell = std::max(cell, m.Height() + kMeasureMargin);
        }
        h = std::max(h, cell);
    }
    return h;
}

void TQvColGrid::AutoSizeColumn(int index)
{
    if (!FQvDropDown || parentWidget() != FQvDropDown->DropDownForm() || index < 0 || index >= FColumns->Count())
        return;
    TDropDownColumn& column = FColumns->Items(index);
    const int widest = MeasureItemColumn(column, index, FQvDropDown->Items(), RowCount() - 1, FImages);
    column.SetWidth(widest);
    if (index < ColCount())
        SetColWidths(index, widest);
}

void TQvColGrid::AutoSizeItemColumns()
{
    for (int c = 0; c < FColumns->Count(); ++c)
        if (FColumns->Items(c).AutoSize())
            AutoSizeColumn(c);
}

void TQvColGrid::SizeWrappedRows()
{
    if (!FQvDropDown || parentWidget() != FQvDropDown->DropDownForm() || !HasWordwrap(*FColumns))
        return;
    const TDropDownItems& items = FQvDropDown->Items();
    for (int r = 1; r < RowCount() && r - 1 < items.Count(); ++r) {
        const TDropDownItem& item = items.Items(r - 1);
        SetRowHeights(r, MeasureWrappedRow(*FColumns, item.Text(), item.ImageIndex(), FImages));
    }
}

TRect TQvColGrid::CellBounds(int col, int row) const
{
    return CellBoundsOf(*this, col, row);
}

// ---- drawing ---------------------------------------------------------------------------------

void TQvColGrid::DrawCell(int col, int row, const TRect& rect, grid::TGridDrawState state)
{
    DrawItemCell(col, row, rect, state);
}

void TQvColGrid::DrawItemCell(int col, int row, const TRect& rect, grid::TGridDrawState state)
{
    QPainter* canvasPtr = Canvas();
    if (!canvasPtr)
        return;
    QPainter& canvas = *canvasPtr;
    TQvMultiColumnDropDown* dd = FQvDropDown;
    // 1.
    if (dd && dd->OnDropDownDrawItem) {
        dd->OnDropDownDrawItem(dd, col, row, canvas, rect);
        return;
    }
    // Where the cell sits in its row, for the selection's rounded ends.
    int kind = 3;
    if (col == FixedCols())
        kind = 1;
    if (col == ColCount() - 1)
        kind = kind == 1 ? 0 : 2;
    TRect r = CellBounds(col, row);
    int imageIndex = -1;
    QString text = Cells(col, row);
    const bool header = row < FixedRows();
    const bool selected = state & grid::gdSelected;
    // 3.
    TColor color = Color();
    TAlignment alignment = grid::taLeftJustify;
    bool wrap = false, ellipsis = false;
    TFont font = FHeaderFont;
    if (col < FColumns->Count() && col >= FixedCols()) {
        const TDropDownColumn& column = FColumns->Items(col);
        color = column.Color();
        alignment = column.Alignment();
        wrap = column.Wordwrap();
        ellipsis = column.Ellipsis();
        font = column.Font();
        if (dd && row > 0 && row - 1 < dd->Items().Count()) {
            const TDropDownItem& item = dd->Items().Items(row - 1);
            if (column.ColumnType() == ctImage)
                imageIndex = item.ImageIndex();
            text = item.Line(col);
        }
    }
    // 4.
    if (dd && dd->OnDropDownGetItemText)
        dd->OnDropDownGetItemText(dd, col, row, text);
    // Item background.
    if (!header) {
        if (!selected) {
            canvas.fillRect(r.toQRect(), platform::toQColor(color));
        } else if (dd) {
            dd->DrawSelection(canvas, r, color, kind);
        } else {
            canvas.fillRect(r.toQRect(), platform::toQColor(platform::clActiveCaption));
        }
    }
    // Header: a vertical gradient, or flat when either end has no colour.
    if (header) {
        text = col < FColumns->Count() ? FColumns->Items(col).Header() : QString();
        imageIndex = -1;
        if (FHeaderColor == platform::clNone || FHeaderColorTo == platform::clNone)
            canvas.fillRect(r.toQRect(), platform::toQColor(FHeaderColor));
        else if (dd)
            dd->DrawDropDownGradient(canvas, FHeaderColor, FHeaderColorTo, kHeaderGradientSteps, r, grid::gdVertical);
        else
            grid::FillGradientRect(canvas, FHeaderColor, FHeaderColorTo, false, r, kHeaderGradientSteps);
    }
    // Lines: bottom and right edges, pen-wide, the header's in its own colour.
    const int lineWidth = header ? 1 : FGridLineWidth;
    if (lineWidth > 0) {
        const int c = header ? 1 : (lineWidth + 1) / 2;
        const QColor lc = platform::toQColor(header ? FFixedLineColor : FLineColor);
        const int half = (lineWidth - 1) / 2;
        const bool horz = header ? HasOption(grid::goFixedHorzLine) : HasOption(grid::goHorzLine);
        const bool vert = header ? HasOption(grid::goFixedVertLine) : HasOption(grid::goVertLine);
        if (horz)
            canvas.fillRect(QRect(r.Left - c + 1, r.Bottom - c - half, r.Width(), lineWidth), lc);
        if (vert) {
            const int x = r.Right - c + (layoutDirection() == Qt::RightToLeft ? 1 : 0);
            canvas.fillRect(QRect(x - half, r.Top - c, lineWidth, r.Height()), lc);
        }
    }
    // Inside the lines: the image, then the text beside it.
    r = {r.Left + FGridLineWidth, r.Top + FGridLineWidth, r.Right - FGridLineWidth, r.Bottom - FGridLineWidth};
    const grid::TCustomImageList* images = dd ? dd->Images() : nullptr;
    if (images && imageIndex >= 0) {
        int y = r.Top;
        if (images->Height() < r.Height())
            y += (r.Height() - images->Height()) / 2;
        images->Draw(canvas, r.Left + kTextMargin, y, imageIndex, true);
        r.Left += images->Width() + kImageGap;
    } else {
        r.Left += kTextMargin;
    }
    // 9.
    if (text.isEmpty())
        return;
    unsigned flags = DT_NOPREFIX | DT_EXPANDTABS | DT_VCENTER;
    flags |= wrap ? (DT_WORDBREAK | DT_EDITCONTROL) : DT_SINGLELINE;
    flags |= alignment == grid::taRightJustify ? DT_RIGHT : alignment == grid::taCenter ? DT_CENTER : DT_LEFT;
    if (ellipsis)
        flags |= DT_END_ELLIPSIS;
    if (header)
        font = FHeaderFont;
    else if (selected && dd)
        font.Color = dd->SelectionTextColor();
    canvas.setFont(grid::toQFont(font));
    canvas.setPen(platform::toQColor(font.Color));
    canvas.setBrush(Qt::NoBrush);
    DrawTextFlags(canvas, text, r, flags);
}

// ---- choosing a row --------------------------------------------------------------------------

void TQvColGrid::keyPressEvent(QKeyEvent* e)
{
    FConfirmSelection = true;
    const int key = e->key();
    // Alt+Up and Alt+Down went to the picker already (its key filter passes them on), which
    // closes the popup; the grid does not move for them.
    if (e->modifiers().testFlag(Qt::AltModifier) && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        e->accept();
        return;
    }
    grid::TStringGrid::keyPressEvent(e);
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        DoSelect();
}

bool TQvColGrid::event(QEvent* e)
{
    // Tab stays in the grid: it does not move the focus out of the popup.
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) {
            e->accept();
            return true;
        }
    }
    return grid::TStringGrid::event(e);
}

void TQvColGrid::mousePressEvent(QMouseEvent* e)
{
    FConfirmSelection = true;
    FOldRow = Row();
    grid::TStringGrid::mousePressEvent(e);
}

void TQvColGrid::mouseReleaseEvent(QMouseEvent* e)
{
    grid::TStringGrid::mouseReleaseEvent(e);
    const grid::TPoint cell = MouseCoord(int(e->position().x()), int(e->position().y()));
    if (cell.Y >= FixedRows() && cell.Y < RowCount())
        DoSelect();
}

void TQvColGrid::wheelEvent(QWheelEvent* e)
{
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    grid::TStringGrid::wheelEvent(e);
    FMouseWheelSelection = false;
}

} // namespace dropdowns::multicolumn
