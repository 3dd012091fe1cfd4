// Automatic sizes (columns and rows to their cells, columns to the control's width, the
// control to its cells), automatic numbering, swapping two columns or rows, and the selection
// helpers that select a block, test a cell and give the selection as text.
//
// Every automatic size passes the grid's limits (MinColWidth..MaxColWidth,
// MinRowHeight..MaxRowHeight through ClampToLimits), so no path sets a size outside them.

#include "grid/QvGrid.h"
#include "grid/edit/QvRichEdit.h"
#include "grid/look/ZirAzur.h"

#include <QFontMetrics>
#include <QStyle>

#include <cmath>

using grid::ZirAzur::ClampToLimits;
using grid::ZirAzur::QuoteMultilineField;

namespace grid {

namespace {

QStringList textLines(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t.split(QLatin1Char('\n'));
}

// The text a cell shows: its own text as the display hook leaves it.
QString shownText(const TQvStringGrid& g, int realCol, int ARow)
{
    QString text = g.Cells(realCol, ARow);
    g.GetDisplText(realCol, ARow, text);
    return text;
}

bool isCheckKind(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRadioButton;
}

} // namespace

void TQvStringGrid::setLimitedColWidth(int ACol, int width)
{
    SetColWidths(ACol, ClampToLimits(width, MinColWidth, MaxColWidth));
}

void TQvStringGrid::setLimitedRowHeight(int ARow, int height)
{
    SetRowHeights(ARow, ClampToLimits(height, MinRowHeight, MaxRowHeight));
}

// ---- columns -----------------------------------------------------------------------------------

void TQvStringGrid::FitColumnWidth(int ACol, bool growOnly)
{
    if (ACol < 0 || ACol >= ColCount())
        return;
    const int rc = RealColIndex(ACol);
    int from = 0, to = RowCount() - 1;
    switch (FColumnSize->Rows()) {
    case arAll:
        break;
    case arNormal:
        from = FixedRows();
        to = RowCount() - FFixedFooters - 1;
        break;
    case arFixed:
        to = FixedRows() - 1;
        break;
    }
    const int lineW = GridLineWidth();
    const int marginX = TotalXOffset();
    int widest = 0;
    for (int r = from; r <= to; ++r) {
        if (IsXMergedCell(rc, r))
            continue;
        const TCellGraphic* graphic = GetCellGraphic(rc, r);
        const int gw = GetCellGraphicSize(rc, r).X;
        int w;
        if (graphic && graphic->FCellHAlign == haFull) {
            w = gw - (2 * lineW + XYOffset.X + 2);
        } else {
            w = gw + GetCellTextSize(rc, r, false, false).width();
            if (DropDownAlwaysVisible && CellHasComboBox(rc, r))
                w += 16;
            if (FilterDropDownAuto && r == FilterDropDownRow() && GetColumnFilter(rc))
                w += 12;
            if (SortSettings().Show() && r == SortSettings().Row() && rc == SortSettings().Column())
                w += 10;
        }
        widest = std::max(widest, w);
    }
    int width = widest + marginX + 2 * lineW + 2;
    if (growOnly && ColWidths(ACol) >= width)
        return;
    UpdateAutoColumnSize(rc, width);
    setLimitedColWidth(ACol, width);
}

void TQvStringGrid::AutoSizeCol(int ACol, int Padding)
{
    if (ACol < 0 || ACol >= ColCount())
        return;
    FitColumnWidth(ACol, SizeGrowOnly);
    if (Padding != 0)
        setLimitedColWidth(ACol, ColWidths(ACol) + Padding);
}

void TQvStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
    const int from = DoFixedCols ? 0 : FixedCols();
    const int to = DoFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
    for (int c = from; c <= to; ++c)
        AutoSizeCol(c, Padding);
}

void TQvStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY)
{
    BeginUpdate();
    for (int c = DoFixedCells ? 0 : FixedCols(); c < ColCount(); ++c) {
        const int rc = RealColIndex(c);
        int width = SizeGrowOnly ? ColWidths(c) : 0;
        for (int r = DoFixedCells ? 0 : FixedRows(); r < RowCount(); ++r) {
            const QSize ts = GetCellTextSize(rc, r, false, false);
            const TPoint gs = GetCellGraphicSize(rc, r);
            const int needW = ts.width() + gs.X + PaddingX + XYOffset.X;
            const int needH = ts.height() + gs.Y + PaddingY + XYOffset.Y;
            if (!IsXMergedCell(rc, r) && needW > width)
                width = std::max(width, ClampToLimits(needW, MinColWidth, MaxColWidth));
            if (!IsYMergedCell(rc, r) && needH > RowHeights(r)) {
                const int h = ClampToLimits(needH, MinRowHeight, MaxRowHeight);
                if (h > RowHeights(r))
                    SetRowHeights(r, h);
            }
        }
        if (width != ColWidths(c) && width > 0)
            SetColWidths(c, width);
    }
    EndUpdate();
}

// ---- rows --------------------------------------------------------------------------------------

void TQvStringGrid::SetRowHeightForLines(int ARow, int lines, int Padding)
{
    TGridDrawState state = 0;
    TFont font;
    TBrush brush;
    const int col = std::min(FixedCols(), ColCount() - 1);
    GetFontProperties(col, RealColIndex(col), ARow, state, font, brush);
    const int h = QFontMetrics(toQFont(font)).height();
    setLimitedRowHeight(ARow, Padding + lines * (h + h / 8));
}

void TQvStringGrid::FitRowHeight(int ARow, bool growOnly, int Padding)
{
    (void)Padding; // the caller adds it after the fit
    if (ARow < 0 || ARow >= RowCount())
        return;
    int tallest = 0;
    for (int c = 0; c < ColCount(); ++c) {
        const int rc = RealColIndex(c);
        if (IsYMergedCell(rc, ARow) || IsIgnoredColumn(rc) || IsMergedNonBaseCell(rc, ARow))
            continue;
        const QString text = shownText(*this, rc, ARow);
        int t = text.isEmpty() ? 0 : GetCellTextSize(rc, ARow, FWordWrapEx, false).height();
        const TCellGraphic* graphic = GetCellGraphic(rc, ARow);
        int g = GetCellGraphicSize(rc, ARow).Y;
        if (graphic && graphic->FCellVAlign == vaFull)
            g = text.isEmpty() ? DefaultRowHeight() : 0;
        if (graphic && (graphic->FCellType == ctDataCheckBox || graphic->FCellType == ctVirtCheckBox) && g > 0)
            t = 0;
        int h = t + g;
        if (graphic && isCheckKind(graphic->FCellType))
            h = DefaultRowHeight();
        tallest = std::max(tallest, h);
    }
    const bool topLeftOnly = FPaintSettings.XYOffsetTopLeftOnly;
    int height = tallest + TotalYOffset() + 2 * GridLineWidth() + (topLeftOnly ? 2 : 0);
    if (growOnly && RowHeights(ARow) >= height)
        return;
    setLimitedRowHeight(ARow, height);
}

void TQvStringGrid::AutoSizeRow(int ARow, int Padding)
{
    FitRowHeight(ARow, SizeGrowOnly, Padding);
    if (Padding != 0 && ARow >= 0 && ARow < RowCount())
        setLimitedRowHeight(ARow, RowHeights(ARow) + Padding);
}

int TQvStringGrid::MaxLinesInRow(int ARow)
{
    int lines = 1;
    if (FPaintSettings.Multilinecells)
        for (int c = 0; c < ColCount(); ++c)
            lines = std::max(lines, int(textLines(Cells(RealColIndex(c), ARow)).size()));
    return lines;
}

void TQvStringGrid::AutoSizeRows(bool DoFixedRows, int Padding)
{
    if (RowCount() <= 0)
        return;
    const int from = DoFixedRows ? 0 : FixedRows();
    ExportNotification(esExportStart, from);
    for (int r = from; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        if (FWordWrapEx) {
            AutoSizeRow(r, 0);
            if (Padding != 0)
                setLimitedRowHeight(r, RowHeights(r) + Padding);
            continue;
        }
        SetRowHeightForLines(r, MaxLinesInRow(r), Padding);
    }
    ExportNotification(esExportDone, -1);
    UpdateScrollBarsAlways(true);
}

// ---- fitting the columns to the control and the control to its cells ------------------------------

void TQvStringGrid::AutoFitColumns(bool DoFixedCells)
{
    int W = width();
    const bool rowsDontFit = VisibleRowCount() + FixedRows() < RowCount();
    const int S = (ScrollBarAlways == saVert || (ScrollBars != ssNone && rowsDontFit))
                      ? style()->pixelMetric(QStyle::PM_ScrollBarExtent)
                      : 0;
    const int B = 2 * frameWidth();
    const int from = DoFixedCells ? 0 : FixedCols();
    const int to = DoFixedCells ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
    if (!DoFixedCells) {
        for (int c = 0; c < FixedCols(); ++c)
            W -= ColWidths(c);
        for (int c = ColCount() - FFixedRightCols; c < ColCount(); ++c)
            W -= ColWidths(c);
    }
    int L = 0;
    if (HasOption(goVertLine))
        L = GridLineWidth() * (ColCount() - FixedCols() - FFixedRightCols);
    if (HasOption(goFixedVertLine) && DoFixedCells)
        L += FixedCols() + FFixedRightCols;
    const int avail = W - S - B;
    auto fittedSum = [&] {
        long long sum = 0;
        for (int c = from; c <= to; ++c)
            sum += ColWidths(c);
        return sum;
    };
    if (ColCount() < 2) {
        SetColWidths(0, W - S - 5);
    } else {
        const long long T = fittedSum();
        // Nothing to scale from: columns of width 0 stay as they are.
        if (T == avail || T <= 0)
            return;
        const double f = double(avail - L) / double(T);
        long long P = 0;
        for (int c = from; c <= to; ++c)
            P += std::llround(ColWidths(c) * f);
        for (int c = from; c <= to; ++c)
            SetColWidths(c, int(std::llround(double(ColWidths(c)) * double(P) / double(T))));
    }
    int R = int(avail - fittedSum());
    const int n = to - from + 1;
    if (n > 1 && n < R) {
        for (int c = from; c <= to; ++c)
            SetColWidths(c, ColWidths(c) + R / n);
        R %= n;
    }
    int widest = from;
    for (int c = from; c <= to; ++c)
        if (ColWidths(c) > ColWidths(widest))
            widest = c;
    if (widest >= 0 && widest < ColCount())
        SetColWidths(widest, ColWidths(widest) + R);
}

void TQvStringGrid::SizeToCols()
{
    resize(int(ColWidthsSum(0, ColCount())) + 2 * frameWidth(), height());
}

void TQvStringGrid::SizeToRows()
{
    resize(width(), int(RowHeightsSum(0, RowCount())) + 2 * frameWidth());
}

void TQvStringGrid::SizeToCells()
{
    const TScrollStyle bars = ScrollBars;
    SetScrollBars(ssNone);
    SizeToCols();
    SizeToRows();
    SetScrollBars(bars);
}

// ---- numbering -----------------------------------------------------------------------------------

// Numbers over the normal positions first..last of one axis; write(position, number).
template <class W>
static void autoNumber(const TQvStringGrid& g, int first, int last, W&& write)
{
    const int n = last - first + 1;
    for (int k = g.AutoNumberStart; k < n; ++k)
        write(g.AutoNumberDirection == sdDescending ? last - k : first + k, k + g.AutoNumberOffset + 1);
}

void TQvStringGrid::AutoNumberCol(int ACol)
{
    autoNumber(*this, FixedRows(), RowCount() - FFixedFooters - 1, [&](int r, int v) { SetInts(ACol, r, v); });
}

void TQvStringGrid::AutoNumberRow(int ARow)
{
    autoNumber(*this, FixedCols(), ColCount() - FFixedRightCols - 1,
               [&](int c, int v) { SetInts(RealColIndex(c), ARow, v); });
}

// ---- swaps ----------------------------------------------------------------------------------------

void TQvStringGrid::SwapColumns(int ACol1, int ACol2)
{
    if (ACol1 == ACol2 || ACol1 < 0 || ACol2 < 0 || ACol1 >= TotalColCount() || ACol2 >= TotalColCount())
        return;
    BeginUpdate();
    for (int r = 0; r < RowCount(); ++r) {
        const QString t1 = store.Text(ACol1, r);
        store.SetText(ACol1, r, store.Text(ACol2, r));
        store.SetText(ACol2, r, t1);
        TObject* o1 = store.Object(ACol1, r);
        TObject* o2 = store.Object(ACol2, r);
        store.SetObject(ACol1, r, o2);
        store.SetObject(ACol2, r, o1);
        if (auto* p = dynamic_cast<TCellProperties*>(o1))
            p->FOwnerCol = ACol2;
        if (auto* p = dynamic_cast<TCellProperties*>(o2))
            p->FOwnerCol = ACol1;
    }
    const int d1 = DisplColIndex(ACol1), d2 = DisplColIndex(ACol2);
    if (d1 >= 0 && d2 >= 0 && d1 < ColCount() && d2 < ColCount()) {
        const int w = ColWidths(d1);
        SetColWidths(d1, ColWidths(d2));
        SetColWidths(d2, w);
    }
    if (SortSettings().Column() == ACol1)
        SortSettings().SetColumn(ACol2);
    else if (SortSettings().Column() == ACol2)
        SortSettings().SetColumn(ACol1);
    for (int i = 0; i < FRowData->Controls.Count(); ++i) {
        TControlItem* item = FRowData->Controls.GetControl(i);
        if (item->X() == ACol1)
            item->SetX(ACol2);
        else if (item->X() == ACol2)
            item->SetX(ACol1);
    }
    EndUpdate();
    if (FRowData->Controls.Count() > 0)
        CellControlsUpdate();
    Invalidate();
}

void TQvStringGrid::SwapRows(int ARow1, int ARow2)
{
    if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0 || ARow1 >= RowCount() || ARow2 >= RowCount())
        return;
    const int lo = std::min(ARow1, ARow2), hi = std::max(ARow1, ARow2);
    const int cur = Row();
    PermuteStoreRows({lo, hi}, {hi, lo});
    for (int c = 0; c < TotalColCount(); ++c)
        for (int r : {lo, hi})
            if (auto* p = dynamic_cast<TCellProperties*>(store.Object(c, r)))
                p->FOwnerRow = r;
    // Only the controls change places; the rows' flags stay where they are.
    const int real1 = RealRowIndex(lo), real2 = RealRowIndex(hi);
    FRowData->permute({real1, real2}, {real2, real1}, TRowSideData::lsControls);
    if (FRowData->Controls.Count() > 0)
        CellControlsUpdate();
    (void)cur;
    Invalidate();
}

// ---- selection helpers ------------------------------------------------------------------------

void TQvStringGrid::SelectCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    SetSelection({FromCol, FromRow, ToCol, ToRow});
}

bool TQvStringGrid::IsSelected(int ACol, int ARow)
{
    if (ACol < FixedCols() || ARow < FixedRows())
        return false;
    if (FMouseActions->DisjunctCellSelect())
        return FSelectedCells->HasValue(SelectedCellKey(ACol, ARow));
    if (FMouseActions->DisjunctRowSelect())
        return GetRowSelect(ARow);
    if (FMouseActions->DisjunctColSelect())
        return GetColSelect(ACol);
    const TGridRect s = Selection();
    return ACol >= s.Left && ACol <= s.Right && ARow >= s.Top && ARow <= s.Bottom;
}

QString TQvStringGrid::SelectedText()
{
    TGridRect s = Selection();
    std::vector<int> rows;
    if (FMouseActions->DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (GetRowSelect(r))
                rows.push_back(r);
    } else {
        for (int r = s.Top; r <= s.Bottom; ++r)
            rows.push_back(r);
    }
    QString out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int c = s.Left; c <= s.Right; ++c) {
            QString text = shownText(*this, RealColIndex(c), rows[i]);
            if (text.contains(QLatin1String("{\\"))) {
                TQvRichEdit* rich = RichEdit();
                CellToRich(RealColIndex(c), rows[i], rich);
                text = rich->PlainText();
            }
            if (ExcelClipboardFormat && FPaintSettings.Multilinecells && textLines(text).size() > 1)
                text = QuoteMultilineField(text);
            out += text;
            if (c < s.Right)
                out += QLatin1Char('\t');
        }
        if (i + 1 < rows.size())
            out += QLatin1String("\r\n");
    }
    return out;
}

void TQvStringGrid::UpdateColumnSize(int ACol, int& width)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, width);
}

void TQvStringGrid::UpdateAutoColumnSize(int ACol, int& width)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, width);
}

} // namespace grid
