// The floating footer's settings and the panel that paints it and passes its clicks and hints
// on to the grid's cell events.

#include "grid/footer/FloatingFooter.h"
#include "grid/QvGrid.h"
#include "grid/look/GridLooks.h"
#include "grid/markup/RizIVUDE.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace grid {

// ---- settings ------------------------------------------------------------------------------

void TFloatingFooter::Assign(const TFloatingFooter& Source)
{
    SetCalculateHiddenRows(Source.FCalculateHiddenRows);
    SetColor(Source.Color());
    SetColumn(Source.FColumn);
    SetCustomTemplate(Source.FCustomTemplate);
    SetFooterStyle(Source.FFooterStyle);
    SetVisible(Source.FVisible);
    SetShowHint(Source.FShowHint);
}

void TFloatingFooter::SetHeight(int v)
{
    FHeight = v;
    if (TFooterPanel* p = FGrid->FooterPanel(); p && v > 0) {
        p->resize(p->width(), v - 1);
        FGrid->PlaceFooterPanel();
    }
}

// The grid's side of a shown footer: a fixed last row is a footer row the grid hides itself.
void TFloatingFooter::applyToGrid()
{
    const bool lastRow = FVisible && FFooterStyle == fsFixedLastRow;
    FGrid->FHideLastRow = lastRow;
}

void TFloatingFooter::SetVisible(bool v)
{
    FVisible = v;
    TFooterPanel* p = FGrid->FooterPanel();
    if (p) {
        p->resize(p->width(), v ? std::max(0, FHeight - 1) : 0);
        p->setHidden(!v);
    }
    FGrid->SetFixedFooters(p && v && FFooterStyle == fsFixedLastRow ? 1 : 0);
    applyToGrid();
    FGrid->PlaceFooterPanel();
    FGrid->Invalidate();
}

TColor TFloatingFooter::Color() const
{
    return FGrid->LookState().FloatingFooterColor;
}

void TFloatingFooter::SetColor(TColor v)
{
    FGrid->LookState().FloatingFooterColor = v;
    Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle v)
{
    FFooterStyle = v;
    applyToGrid();
    FGrid->Invalidate();
    Invalidate();
}

void TFloatingFooter::SetColumn(int v)
{
    FColumn = v;
    Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const QString& v)
{
    FCustomTemplate = v;
    Invalidate();
}

void TFloatingFooter::SetBorderColor(TColor v)
{
    if (v == FBorderColor)
        return;
    FBorderColor = v;
    Invalidate();
}

TColumnCalcType TFloatingFooter::GetColumnCalc(int ACol) const
{
    const int last = FGrid->RowCount() - 1;
    return FGrid->CellHasProperties(ACol, last) ? FGrid->GetCellProperties(ACol, last)->FCalcType : acNONE;
}

void TFloatingFooter::SetColumnCalc(int ACol, TColumnCalcType Value)
{
    FGrid->SetFooterCalcType(ACol, Value);
    FGrid->CalcFooter(ACol);
}

void TFloatingFooter::Invalidate()
{
    if (TFooterPanel* p = FGrid->FooterPanel())
        p->update();
}

QString FillFooterTemplate(const QString& Template, const std::function<QString(int ACol)>& cellText)
{
    QString result;
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = Template.indexOf(QLatin1String("<#"), from);
        if (open < 0)
            break;
        const qsizetype close = Template.indexOf(QLatin1Char('>'), open + 2);
        if (close < 0)
            break;
        result += Template.mid(from, open - from);
        bool ok = false;
        const int col = Template.mid(open + 2, close - open - 2).toInt(&ok);
        if (ok)
            result += cellText(col);
        from = close + 1;
    }
    return result + Template.mid(from);
}

// ---- the grid's side ---------------------------------------------------------------------------

void TQvStringGrid::PlaceFooterPanel()
{
    if (!FFooterPanel)
        return;
    const int h = FFooterPanel->isHidden() ? 0 : FFooterPanel->height();
    setViewportMargins(0, 0, 0, h);
    const QRect vp = viewport()->geometry();
    FFooterPanel->setGeometry(vp.left(), vp.bottom() + 1, vp.width(), h);
}

// ---- panel -------------------------------------------------------------------------------------

TFooterPanel::TFooterPanel(TQvStringGrid* AGrid, QWidget* parent) : QWidget(parent), FGrid(AGrid)
{
    setMouseTracking(true); // a hint is cancelled when the pointer enters another column
    resize(0, 0);
    hide();
}

void TFooterPanel::CreateWnd()
{
    if (FCreated)
        return;
    FCreated = true;
    const TFloatingFooter& f = FGrid->FloatingFooter;
    resize(width(), f.Visible() ? std::max(0, f.Height() - 1) : 0);
    FGrid->PlaceFooterPanel();
    if (FGrid->OnCreatedFloatingFooter)
        FGrid->OnCreatedFloatingFooter(FGrid);
}

int TFooterPanel::ColumnAt(int x) const
{
    int sum = 0;
    auto walk = [&](int from, int to) {
        for (int c = from; c < to; ++c) {
            sum += FGrid->ColWidths(c);
            if (x < sum)
                return c;
        }
        return -1;
    };
    const int fixed = walk(0, FGrid->FixedCols());
    return fixed >= 0 ? fixed : walk(FGrid->LeftCol(), FGrid->ColCount());
}

int TFooterPanel::PaintedWidth() const
{
    return int(FGrid->ColWidthsSum(0, FGrid->FixedCols()) + FGrid->ColWidthsSum(FGrid->LeftCol(), FGrid->ColCount()));
}

TRect TFooterPanel::footerArea() const
{
    return {0, 0, std::min(PaintedWidth(), width()), height()};
}

void TFooterPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const TFloatingFooter& f = FGrid->FloatingFooter;
    int w = width();
    switch (f.FooterStyle()) {
    case fsFixedLastRow:
        w = paintFixedLastRow(p);
        break;
    case fsColumnPreview:
        w = paintPreview(p, false);
        break;
    case fsCustomPreview:
        w = paintPreview(p, true);
        break;
    case fsCustomPaint:
        if (FGrid->OnFooterPaint)
            FGrid->OnFooterPaint(FGrid, f.Column(), p, TRect::fromQRect(rect()));
        break;
    }
    if (f.BorderColor() != clNone) {
        p.setPen(QPen(platform::toQColor(f.BorderColor()), 0));
        p.drawLine(0, 0, w, 0);
    }
}

int TFooterPanel::paintFixedLastRow(QPainter& p)
{
    TQvStringGrid& g = *FGrid;
    const TFloatingFooter& f = g.FloatingFooter;
    const TRect area = footerArea();
    p.fillRect(rect(), platform::toQColor(g.Color()));
    p.fillRect(area.toQRect(), platform::toQColor(f.Color()));
    const bool vert = g.HasOption(goFixedVertLine), horz = g.HasOption(goFixedHorzLine);
    const bool raised = (g.Look == glSoft || g.Look == glVLX || g.Look == glXP || g.Look == glVista) && !g.Flat;
    const int last = g.RowCount() - 1;
    const QColor lineColor = platform::toQColor(g.GridLineColor());
    // Column lines, then the cells, over the fixed columns and then from the left column.
    std::vector<int> cols;
    for (int c = 0; c < g.FixedCols(); ++c)
        cols.push_back(c);
    for (int c = g.LeftCol(); c < g.ColCount(); ++c)
        cols.push_back(c);
    int x = 0;
    for (int c : cols) {
        if (vert && raised) {
            p.setPen(Qt::white);
            p.drawLine(x, area.Bottom - 1, x, area.Top);
        }
        x += g.ColWidths(c);
        const bool scrolled = c >= g.FixedCols();
        p.setPen(scrolled && g.Look != glVista ? platform::toQColor(platform::clGray) : lineColor);
        if (horz)
            p.drawLine(x - 1 - g.ColWidths(c) + 1, area.Top, x - 1, area.Top);
        if (vert)
            p.drawLine(x - 1, area.Top, x - 1, area.Bottom - 1);
    }
    const int top = horz ? 1 : 0;
    int left = 0, right = 0;
    for (int c : cols) {
        TRect r{left, top, left + g.ColWidths(c) - 1, area.Bottom};
        if (horz && raised)
            ++r.Left;
        const bool scrolled = c >= g.FixedCols();
        const int real = g.RealColIndex(c);
        if (scrolled) {
            if (g.OnGetCellColor) {
                TBrush brush{clNone, bsClear};
                TFont font = g.Font();
                g.OnGetCellColor(&g, last, real, gdFixed, brush, font);
                if (brush.Color != clNone)
                    p.fillRect(r.toQRect(), platform::toQColor(brush.Color));
            }
            if (g.CellHasProperties(real, last) && g.GetCellProperties(real, last)->BrushColor() != clNone)
                p.fillRect(r.toQRect(), platform::toQColor(g.GetCellProperties(real, last)->BrushColor()));
        }
        if (!g.IsMergedNonBaseCell(real, last)) {
            p.save();
            if (scrolled && g.OnFooterPaint)
                g.OnFooterPaint(&g, c, p, r);
            else
                g.PaintGridCell(p, c, last, r, gdFixed);
            p.restore();
        }
        right = r.Right;
        left = r.Right + 1;
    }
    return right;
}

int TFooterPanel::paintPreview(QPainter& p, bool custom)
{
    TQvStringGrid& g = *FGrid;
    const TFloatingFooter& f = g.FloatingFooter;
    TRect area = footerArea();
    p.fillRect(rect(), platform::toQColor(g.Color()));
    p.fillRect(area.toQRect(), platform::toQColor(f.Color()));
    p.setPen(platform::toQColor(platform::clGray));
    p.drawPolyline(
        QPolygon({{area.Left, area.Bottom - 1}, {area.Right - 1, area.Bottom - 1}, {area.Right - 1, area.Top}}));
    p.setPen(Qt::white);
    p.drawPolyline(QPolygon({{area.Right - 1, area.Top}, {area.Left, area.Top}, {area.Left, area.Bottom - 1}}));
    p.setPen(platform::toQColor(g.Font().Color));
    const TColor selText = g.SelectionTextColor;
    g.SelectionTextColor = platform::clBlack;
    p.save();
    if (!custom) {
        if (g.OnFooterPaint)
            g.OnFooterPaint(&g, f.Column(), p, area);
        else
            g.PaintGridCell(p, f.Column(), g.Row(), area, 0);
    } else if (g.Designing()) {
        p.drawText(area.toQRect(), f.CustomTemplate());
    } else {
        const QString text = FillFooterTemplate(f.CustomTemplate(), [&g](int col) { return g.Cells(col, g.Row()); });
        p.setFont(font());
        RizIVUDE::TMarkupRequest m;
        m.Canvas = &p;
        m.Text = text;
        m.Rect = {area.Left, area.Top + 2, area.Right, area.Bottom + 2};
        m.Images = g.GridImages;
        m.FocusAnchor = -1;
        m.HoverAnchor = 0;
        m.ShadowShift = 1;
        m.AnchorColor = g.URLColor;
        m.ShadowColor = platform::clGray;
        m.PictureCache = &g.ImageCache();
        m.Pictures = g.PictureContainer;
        m.Window = this;
        RizIVUDE::TMarkupResult result;
        RizIVUDE::PaintMarkup(m, result);
    }
    p.restore();
    g.SelectionTextColor = selText;
    return PaintedWidth();
}

void TFooterPanel::mouseReleaseEvent(QMouseEvent* e)
{
    QWidget::mouseReleaseEvent(e);
    const int col = ColumnAt(e->position().toPoint().x());
    if (FGrid->OnClick)
        FGrid->OnClick(FGrid);
    if (FGrid->OnClickCell)
        FGrid->OnClickCell(FGrid, FGrid->RowCount() - 1, col);
}

void TFooterPanel::mouseMoveEvent(QMouseEvent* e)
{
    QWidget::mouseMoveEvent(e);
    const int col = ColumnAt(e->position().toPoint().x());
    if (FGrid->FloatingFooter.ShowHint() && FLastHintX != -1 && col != FLastHintX) {
        QToolTip::hideText();
        FLastHintX = col;
    }
}

bool TFooterPanel::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* he = static_cast<QHelpEvent*>(e);
        const int col = ColumnAt(he->pos().x());
        QString hint;
        if (FGrid->OnGridHint && col >= 0)
            FGrid->OnGridHint(FGrid, FGrid->RowCount() - 1, col, hint);
        const bool show = FGrid->FloatingFooter.ShowHint();
        FLastHintX = show && col >= 0 ? col : -1;
        if (show && !hint.isEmpty())
            QToolTip::showText(he->globalPos(), hint, this);
        else
            QToolTip::hideText();
        return true;
    }
    if (e->type() == QEvent::Leave)
        FLastHintX = -1;
    return QWidget::event(e);
}

} // namespace grid
