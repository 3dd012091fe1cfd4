// Cell hints: the text and place of the hint over a cell, composed when the viewport asks for a
// tool tip, and cancelled by the pointer leaving the cell it belongs to.
//
// The window's OnGridHint has the last word on every cell but the footer row of a visible
// floating footer, so a table window's header hints and the cell texts of HintShowCells meet in
// one place.

#include "grid/QvGrid.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/GridMarkup.h"
#include "grid/markup/HTMLHintWindow.h"
#include "grid/markup/RizIVUDE.h"

#include <QHelpEvent>
#include <QPalette>
#include <QToolTip>

namespace grid {

namespace {

// Below the cell, so the hint never covers the text it is about.
constexpr int kHintBelowCell = 6;
// An anchor's hint sits beside the pointer, clear of the link it names.
constexpr QPoint kAnchorHintOffset{8, -16};

} // namespace

TQvStringGrid::TCellHint TQvStringGrid::ComposeCellHint(QPoint cursor)
{
    TCellHint hint;
    hint.Color = HintColor;
    if (ControlLook().HintMaxWidth() > 0)
        hint.MaxWidth = ControlLook().HintMaxWidth();
    HintFontName() = Font().Name;
    hint.Pos = cursor;

    int ACol = -1, ARow = -1;
    MouseToCell(cursor.x(), cursor.y(), ACol, ARow);
    if (ACol < 0 || ARow < 0)
        return hint;

    const TPoint base = BaseCell(ACol, ARow);
    FLastHintPos = base;
    const TRect R = CellRect(base.X, base.Y);
    const int realCol = RealColIndex(base.X);
    const QString raw = Cells(realCol, base.Y);
    const int kind = ZirAzur::GetCellTextKind(raw, EnableHTML);

    QString comment;
    if (IsComment(realCol, base.Y, comment)) {
        hint.Text = comment;
        hint.Pos = QPoint(R.Right, R.Top);
    } else {
        hint.Pos = QPoint(cursor.x(), R.Bottom + kHintBelowCell);
    }

    if (kind == ZirAzur::ctkMarkup && AnchorHint) {
        RizIVUDE::TMarkupResult hit;
        if (MarkupCellHitTest(*this, base.X, base.Y, cursor.x(), cursor.y(), hit) && !hit.AnchorHref.isEmpty()) {
            QString anchor = hit.AnchorTitle.isEmpty() ? hit.AnchorHref : hit.AnchorTitle;
            if (OnAnchorHint)
                OnAnchorHint(this, base.Y, base.X, anchor);
            FLastAnchorHint = anchor;
            hint.Text = anchor;
            hint.Pos = cursor + kAnchorHintOffset;
        }
    }

    const bool normalCell =
        !IsFixed(base.X, base.Y) && base.X < ColCount() - FixedRightCols() && base.Y < RowCount() - FixedFooters();
    if (HintShowCells && normalCell) {
        hint.Pos.setY(R.Top);
        hint.Text = (kind == ZirAzur::ctkWide || HTMLHint) ? raw : GetStrippedCell(realCol, base.Y);
    }

    if (HintShowLargeText) {
        // The text's own extent decides, not the enlarged one EnhTextSize paints with.
        const bool enh = PaintSettings().EnhTextSize;
        PaintSettings().EnhTextSize = false;
        const QSize size = GetCellTextSize(realCol, base.Y, false, false);
        PaintSettings().EnhTextSize = enh;
        if (size.width() > R.Width() || size.height() > R.Height()) {
            const bool keepRaw = kind == ZirAzur::ctkWide || HTMLHint || kind != ZirAzur::ctkMarkup;
            hint.Text = keepRaw ? raw : GetStrippedCell(realCol, base.Y);
            if (HintShowLargeTextPos == hpCell)
                hint.Pos = QPoint(R.Left, R.Top);
        }
    }

    const bool footerRow = FloatingFooter.Visible() && base.Y == RowCount() - 1;
    if (!footerRow)
        GetCellHint(base.X, base.Y, hint.Text); // the windows read the shown column

    const int resultKind = ZirAzur::GetCellTextKind(hint.Text, EnableHTML);
    hint.InternalWindow = UseInternalHintClass && (resultKind == ZirAzur::ctkMarkup || resultKind == ZirAzur::ctkWide);
    return hint;
}

void TQvStringGrid::showCellHint(const QHelpEvent& e)
{
    const TCellHint hint = ComposeCellHint(e.pos());
    if (!ShowHint || hint.Text.isEmpty()) {
        cancelCellHint();
        return;
    }
    const QPoint at = viewport()->mapToGlobal(hint.Pos);
    if (hint.InternalWindow) {
        QToolTip::hideText();
        if (!FCellHintWnd)
            FCellHintWnd = new THTMLHintWindow(this);
        FCellHintWnd->Color = hint.Color;
        FCellHintWnd->ActivateHintData(TRect{at.x(), at.y(), at.x(), at.y()}, hint.Text, this);
        return;
    }
    if (FCellHintWnd)
        FCellHintWnd->hide();
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, platform::toQColor(hint.Color));
    QToolTip::setPalette(palette);
    QString text = hint.Text;
    if (hint.MaxWidth > 0)
        text = QStringLiteral("<p style='max-width:%1px'>%2</p>")
                   .arg(hint.MaxWidth)
                   .arg(text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    QToolTip::showText(at, text, viewport());
}

void TQvStringGrid::cancelCellHint()
{
    QToolTip::hideText();
    if (FCellHintWnd)
        FCellHintWnd->hide();
    FLastHintPos = TPoint{-1, -1};
}

void TQvStringGrid::cancelForeignHint(int X, int Y)
{
    // A hint belongs to one base cell; moving to another hides it.
    if (FLastHintPos.X < 0)
        return;
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const TPoint base = ACol >= 0 && ARow >= 0 ? BaseCell(ACol, ARow) : TPoint{-1, -1};
    if (base.X != FLastHintPos.X || base.Y != FLastHintPos.Y)
        cancelCellHint();
}

} // namespace grid
