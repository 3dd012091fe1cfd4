// Text measuring, formatted cell text and rich-text cells: the size a cell's text needs (for
// auto-sizing, the check-box hit test, cell scroll bars), the text as shown with the float
// format, and rich-text cells loaded into, measured by and drawn through the hidden rich edit.

#include "grid/QvGrid.h"
#include "grid/edit/QvRichEdit.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/GridMarkup.h"
#include "platform/RichText.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace grid {

using namespace ZirAzur;

namespace {

// What a rotated text's box adds to its turned extent.
constexpr int kRotatedMargin = 12;

// The lines the unwrapped measure counts: split at CR (an LF right after it belongs to the
// break) with multi-line cells, else the text before the first CR.
QStringList measuredLines(const QString& text, bool multiLine)
{
    if (!multiLine)
        return {text.section(QLatin1Char('\r'), 0, 0)};
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\r'))
            continue;
        lines << text.mid(start, i - start);
        if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    lines << text.mid(start);
    return lines;
}

// The rich text's first character format over the document's font: the control's current
// character attributes right after loading.
QFont richCurrentFont(const QTextDocument& doc)
{
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.movePosition(QTextCursor::NextCharacter);
    return c.charFormat().font().resolve(doc.defaultFont());
}

} // namespace

// ---- formatted text --------------------------------------------------------------------------

QString TQvStringGrid::GetFormattedCell(int ACol, int ARow)
{
    const QString text = Cells(ACol, ARow);
    if (!OnGetFloatFormat)
        return text;
    const int kind = GetNumberTextKind(text);
    if (kind != ntkInteger && kind != ntkDecimal && kind != ntkExponent)
        return text;
    bool isFloat = true;
    QString format = FloatFormat;
    OnGetFloatFormat(this, ACol, ARow, isFloat, format);
    if (!isFloat || format.isEmpty())
        return text;
    return FormatCellNumber(ACol, ARow, format, text);
}

// ---- measuring -------------------------------------------------------------------------------

QSize TQvStringGrid::GetCellTextSize(int ACol, int ARow, bool VS, bool SB)
{
    return CalcCellTextSize(ACol, DisplColIndex(ACol), ARow, VS, SB);
}

QSize TQvStringGrid::CalcCellTextSize(int ACol, int DisplCol, int ARow, bool VS, bool SB)
{
    QString text = GetFormattedCell(ACol, ARow);
    const int kind = GetCellTextKind(text, EnableHTML);

    // The cell's font, bold in the fixed cells of the active cell's look.
    TGridDrawState state = 0;
    TFont font;
    TBrush brush;
    GetFontProperties(DisplCol, ACol, ARow, state, font, brush);
    if ((ARow < FixedRows() || DisplCol < FixedCols()) && ActiveCellShow && (FActiveCellFont.Style & fsBold))
        font.Style |= fsBold;
    font.Size += ZoomFactor;
    QImage device = MeasuringDevice(viewport());
    QPainter canvas(&device);
    canvas.setFont(toQFont(font));

    if (kind == ctkFormula)
        text = GetFormulaCellText(ACol, ARow);

    TRect r = CellRect(DisplCol, ARow);
    // Only the cell's size counts; a cell out of view has no rectangle but still its size.
    if (r.IsEmpty() && DisplCol >= 0 && DisplCol < ColCount() && ARow >= 0 && ARow < RowCount())
        r = {0, 0, ColWidths(DisplCol), RowHeights(ARow)};
    if (FPaintSettings.XYOffsetTopLeftOnly) {
        r.Left += XYOffset.X;
        r.Top += XYOffset.Y;
    } else {
        r = {r.Left + XYOffset.X, r.Top + XYOffset.Y, r.Right - XYOffset.X, r.Bottom - XYOffset.Y};
    }
    if (SB)
        r.Right -= CellScrollBarWidth;

    if (kind == ctkMarkup) {
        if (!VS)
            r.Right = 65535;
        r.Bottom = 65535;
        RizIVUDE::TMarkupRequest m = CellMarkupRequest(*this, ACol, ARow);
        m.Canvas = &canvas;
        m.Text = text;
        m.Rect = r;
        m.MeasureOnly = true;
        m.KeepColors = true;
        RizIVUDE::TMarkupResult result;
        RizIVUDE::PaintMarkup(m, result);
        return QSize(result.MarkupWidth + 2, result.MarkupHeight + 2);
    }

    const bool rich = kind == ctkRichText && !Designing();
    TQvRichEdit* re = nullptr;
    if (rich) {
        re = RichEdit();
        re->clear();
        re->setGeometry(0, 0, 0, 0);
        re->SetWordWrap(false);
        CellToRich(ACol, ARow, re);
        canvas.setFont(richCurrentFont(*re->document()));
        text = re->PlainText();
    }

    int angle = 0;
    const bool rotated = IsRotated(ACol, ARow, angle);
    QSize size;
    if (VS) {
        r = {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
        // The empty last line the editor shows after a final line break counts.
        if (EditMode && ACol == RealColIndex(Col()) && ARow == Row() && text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('w');
        TRect m = r;
        const unsigned flags =
            DT_CALCRECT | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS | (rotated ? DT_SINGLELINE : DT_WORDBREAK);
        size.setHeight(DrawTextFlags(canvas, text, m, flags));
        size.setWidth(m.Width());
    } else {
        const QFontMetrics fm(canvas.font(), &device);
        const bool stripLinks = kind == ctkPlain && FPaintSettings.URLShow && !FPaintSettings.URLFull;
        const QStringList lines = measuredLines(text, FPaintSettings.Multilinecells);
        int widest = 0;
        for (QString line : lines) {
            if (stripLinks && TextIsUrl(line))
                StripUrlScheme(line);
            widest = std::max(widest, fm.horizontalAdvance(line));
        }
        size = QSize(widest, fm.height() * int(lines.size()));
    }

    if (rotated) {
        const double a = angle * std::numbers::pi / 180.0;
        const double s = std::sin(a), c = std::cos(a);
        const int cx = size.width(), cy = size.height();
        // Each product truncated toward zero before its absolute value is taken.
        const int w = std::abs(std::abs(int(cy * s)) - std::abs(int(cx * c))) + kRotatedMargin;
        const int h = std::abs(std::abs(int(cy * c)) - std::abs(int(cx * s))) + kRotatedMargin;
        size = QSize(w, h);
    }

    if (rich) {
        re->setGeometry(r.toQRect());
        re->SetWordWrap(true);
        re->SetWordWrap(false);
        re->SetWordWrap(WordWrap());
        const QSize requested = re->RequestedSize(&device);
        size = QSize(requested.width(), requested.height() + 4);
    }
    return size;
}

// ---- rich text -------------------------------------------------------------------------------

TQvRichEdit* TQvStringGrid::RichEdit()
{
    if (!FRichEdit)
        FRichEdit = new TQvRichEdit(this);
    return FRichEdit;
}

TQvRichEdit* TQvStringGrid::InplaceRichEdit()
{
    if (!FInplaceRichEdit) {
        FInplaceRichEdit = new TQvRichEdit(this);
        // A window's formatting buttons follow the selection of the cell being edited.
        connect(FInplaceRichEdit, &QTextEdit::selectionChanged, this, [this] {
            if (OnRichEditSelectionChange)
                OnRichEditSelectionChange(this);
        });
    }
    return FInplaceRichEdit;
}

QString TQvStringGrid::RichToString(TQvRichEdit* richEdit) const
{
    return richEdit ? richEdit->RichText() : QString();
}

void TQvStringGrid::CellToRich(int ACol, int ARow, TQvRichEdit* richEdit)
{
    if (richEdit)
        richEdit->LoadRtf(Cells(ACol, ARow));
}

void TQvStringGrid::RenderRichCell(int ACol, int ARow, const TRect& Rect, QPainter& Canvas)
{
    if (Designing())
        return;
    TQvRichEdit* re = RichEdit();
    CellToRich(ACol, ARow, re);
    const int realRow = RealRowIndex(ARow);
    const int selRow = FMouseActions->RowSelectPersistent() ? realRow : ARow;

    // Selection look, only on a canvas that maps logical units to pixels one to one: a
    // printed or scaled rich cell keeps its own colours.
    const TGridRect sel = Selection();
    const int displCol = DisplColIndex(ACol);
    const bool focusedCurrent = hasFocus() && !HasOption(goDrawFocusSelected) && displCol == Col() && ARow == Row();
    const bool inSelection = displCol >= sel.Left && displCol <= sel.Right && ARow >= sel.Top && ARow <= sel.Bottom;
    const bool drawnSelected = (inSelection && !focusedCurrent && !FMouseActions->DisjunctRowSelect())
                               || (FMouseActions->DisjunctRowSelect() && GetRowSelect(selRow))
                               || (FMouseActions->DisjunctColSelect() && GetColSelect(ACol));
    const bool mmText = !Canvas.worldTransform().isScaling() && !Canvas.worldTransform().isRotating();
    if (drawnSelected && !SelectionRTFKeep && mmText && SelectionTextColor != clNone) {
        QTextCursor all(re->document());
        all.select(QTextCursor::Document);
        QTextCharFormat f;
        f.setForeground(platform::toQColor(SelectionTextColor));
        all.mergeCharFormat(f);
    }

    // The target rectangle in twips, from the device rectangle and the device's resolution.
    const QTransform& t = Canvas.deviceTransform();
    const QRect dev = t.mapRect(Rect.toQRect());
    QPaintDevice* pd = Canvas.device();
    const int dpiX = pd ? pd->logicalDpiX() : 96;
    const int dpiY = pd ? pd->logicalDpiY() : 96;
    const QPointF offset = t.inverted().map(QPointF(XYOffset.X, XYOffset.Y)) - t.inverted().map(QPointF(0, 0));
    const int insetX = int(offset.x()) * dpiX / 96;
    const int insetY = int(offset.y()) * dpiY / 96;
    const auto twips = [](double v) { return int(std::lround(v * 1440.0)); };
    const int left = twips(double(dev.left() + insetX) / dpiX);
    const int top = twips(double(dev.top() + insetY) / dpiY);
    const int right = left + twips(double(dev.width() - 2 * insetX) / dpiX);
    const int bottom = top + twips(double(dev.height() - 2 * insetY) / dpiY);
    // Back to device pixels, as the format-range call does with the twips rectangle.
    const auto px = [](int tw, int dpi) { return int(std::lround(double(tw) * dpi / 1440.0)); };
    const QRect target(QPoint(px(left, dpiX), px(top, dpiY)), QPoint(px(right, dpiX) - 1, px(bottom, dpiY) - 1));
    platform::drawRichText(Canvas, *re->document(), target);
}

} // namespace grid
