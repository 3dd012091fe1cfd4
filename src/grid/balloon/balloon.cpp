// The grid's side of the balloon: its one window made and removed as Balloon.Enable says, and
// the text and title of the cell under the pointer that the window asks for.

#include "grid/balloon/Balloon.h"
#include "grid/QvGrid.h"
#include "grid/edit/QvRichEdit.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/RizIVUDE.h"

namespace grid {

namespace {

constexpr int kBalloonTextMax = 2048, kBalloonTitleMax = 100;

} // namespace

void TQvStringGrid::BalloonInit()
{
    if (FHToolTip)
        return;
    FHToolTip = new TBalloonWindow(this);
}

void TQvStringGrid::BalloonDone()
{
    // Deleted at once, not later: a switch off and on again must not leave two windows.
    delete FHToolTip.data();
    FHToolTip = nullptr;
}

// A form being loaded sets Enable before the grid is complete; CompleteLoading makes the
// window then.
void TQvStringGrid::BalloonEnableChanged()
{
    if (IsLoading())
        return;
    if (Balloon.Enable())
        BalloonInit();
    else
        BalloonDone();
}

bool TQvStringGrid::CellBalloonRequest(QPoint screenPos, TCellBalloon& balloon)
{
    if (!Balloon.Enable())
        return false;
    balloon = TCellBalloon{};
    const QPoint pt = viewport()->mapFromGlobal(screenPos);
    int col = -1, row = -1;
    MouseToCell(pt.x(), pt.y(), col, row);
    const bool valid = col >= 0 && row >= 0;
    QString text;
    if (valid) {
        const TPoint base = BaseCell(RealColIndex(col), row);
        col = base.X;
        row = base.Y;
        text = Cells(col, row);
        switch (ZirAzur::GetCellTextKind(text, EnableHTML)) {
        case ZirAzur::ctkMarkup:
            text = RizIVUDE::MarkupToPlainText(text);
            break;
        case ZirAzur::ctkRichText: {
            TQvRichEdit* re = RichEdit();
            re->LoadRtf(text);
            text = re->PlainText();
            break;
        }
        case ZirAzur::ctkWide:
            text = ZirAzur::DecodeWideCellText(text);
            break;
        default:
            break;
        }
    }
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    qsizetype skip = 0;
    while (skip < text.size() && (text[skip] == QLatin1Char('\r') || text[skip] == QLatin1Char('\n')))
        ++skip;
    text = text.mid(skip);
    if (text.size() > kBalloonTextMax)
        text = text.left(kBalloonTextMax - 3) + QStringLiteral("...");
    int icon = 1;
    QString title = QStringLiteral(" ");
    if (valid) {
        QString t, x;
        TBalloonIcon i = biInfo;
        if (IsBalloon(col, row, t, x, i)) {
            title = t;
            text = x;
            icon = int(i);
        }
    }
    if (OnCellBalloon)
        OnCellBalloon(this, col, row, title, text, icon);
    FLastBalloonCell = {col, row};
    if (title.size() > kBalloonTitleMax)
        title = title.left(kBalloonTitleMax - 3) + QStringLiteral("...");
    balloon.ACol = col;
    balloon.ARow = row;
    balloon.Title = title;
    balloon.Text = text;
    balloon.Icon = icon;
    balloon.TextColor = Balloon.TextColor;
    balloon.BackgroundColor = Balloon.BackgroundColor;
    return true;
}

} // namespace grid
