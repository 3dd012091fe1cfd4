// The balloon window and its settings object.

#include "grid/QvGrid.h"
#include "grid/balloon/Balloon.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QToolTip>

#include <algorithm>

namespace grid {

namespace {

constexpr int kMargin = 8, kStem = 14, kStemWidth = 12, kRadius = 7, kIconSize = 16, kIconGap = 6;
// The stem points a little below the pointer's hot spot, as the platform's balloons do.
constexpr int kBelowPointer = 16;

QColor colourOr(TColor c, const QColor& system)
{
    return c == clNone ? system : platform::toQColor(c);
}

} // namespace

// ---- settings --------------------------------------------------------------------------------

void TBalloonSettings::Assign(const TPersistent& source)
{
    auto* src = dynamic_cast<const TBalloonSettings*>(&source);
    if (!src)
        return;
    TextColor = src->TextColor;
    BackgroundColor = src->BackgroundColor;
    InitialDelay = src->InitialDelay;
    AutoHideDelay = src->AutoHideDelay;
    ReshowDelay = src->ReshowDelay;
    SetEnable(src->FEnable);
}

void TBalloonSettings::SetEnable(bool v)
{
    FEnable = v;
    if (OnEnableChange)
        OnEnableChange(this);
}

// ---- window ----------------------------------------------------------------------------------

TBalloonWindow::TBalloonWindow(TQvStringGrid* grid)
    : QWidget(grid, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus
                        | Qt::NoDropShadowWindowHint),
      FGrid(grid)
{
    setObjectName(QStringLiteral("Balloon"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    const TBalloonSettings& s = grid->Balloon;
    if (s.Transparency > 0) {
        FOpacity = 255 - s.Transparency;
        setWindowOpacity(FOpacity / 255.0);
    }
    setIcon(kInitialIcon);
    FShowTimer.setSingleShot(true);
    FHideTimer.setSingleShot(true);
    connect(&FShowTimer, &QTimer::timeout, this, [this] { ShowAt(FPending); });
    connect(&FHideTimer, &QTimer::timeout, this, [this] { Pop(); });
    FViewport = grid->viewport();
    FViewport->installEventFilter(this);
}

int TBalloonWindow::SystemInitialDelay()
{
    return std::max(0, QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay));
}

int TBalloonWindow::delay(int setting, int system) const
{
    return setting == -1 ? system : std::max(0, setting);
}

void TBalloonWindow::setIcon(int icon)
{
    FIcon = icon >= 0 && icon <= 3 ? icon : 0;
}

bool TBalloonWindow::ShowAt(QPoint screenPos)
{
    TQvStringGrid::TCellBalloon b;
    if (!FGrid->CellBalloonRequest(screenPos, b) || b.Text.isEmpty()) {
        Pop();
        return false;
    }
    const TBalloonSettings& s = FGrid->Balloon;
    FTitle = b.Title;
    FText = b.Text;
    setIcon(b.Icon);
    const QPalette tips = QToolTip::palette();
    FBack = colourOr(b.BackgroundColor, tips.color(QPalette::ToolTipBase));
    FFore = colourOr(b.TextColor, tips.color(QPalette::ToolTipText));
    FShownCell = {b.ACol, b.ARow};
    layoutFor(screenPos + QPoint(0, kBelowPointer), b.MaxTipWidth);
    show();
    raise();
    update();
    FHideTimer.start(delay(s.AutoHideDelay, SystemAutoHideDelay()));
    return true;
}

void TBalloonWindow::Pop()
{
    FShowTimer.stop();
    FHideTimer.stop();
    if (isVisible())
        FRecentlyShown = true;
    hide();
    FShownCell = {-1, -1};
}

void TBalloonWindow::restartShowTimer(QPoint screenPos)
{
    const TBalloonSettings& s = FGrid->Balloon;
    FPending = screenPos;
    FShowTimer.start(FRecentlyShown ? delay(s.ReshowDelay, SystemReshowDelay())
                                    : delay(s.InitialDelay, SystemInitialDelay()));
}

bool TBalloonWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched != FViewport)
        return false;
    switch (e->type()) {
    case QEvent::ToolTip:
        return true; // the balloon stands in for the plain cell hint
    case QEvent::MouseMove: {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->buttons() != Qt::NoButton)
            break;
        const QPoint p = m->position().toPoint();
        if (isVisible()) {
            int col = -1, row = -1;
            FGrid->MouseToCell(p.x(), p.y(), col, row);
            const TPoint cell = col >= 0 && row >= 0 ? FGrid->BaseCell(FGrid->RealColIndex(col), row) : TPoint{-1, -1};
            if (cell.X == FShownCell.X && cell.Y == FShownCell.Y)
                break;
            Pop();
        }
        restartShowTimer(m->globalPosition().toPoint());
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::Leave:
    case QEvent::Hide:
        Pop();
        FRecentlyShown = false;
        break;
    default:
        break;
    }
    return false;
}

// The body holds the icon and the bold title on the first line and the text below, wrapped
// at the grid's maximum tip width; the stem rises from the body's top towards the tip point.
void TBalloonWindow::layoutFor(QPoint tip, int maxWidth)
{
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fm(font()), bm(bold);
    const int textWidth = std::max(1, maxWidth);
    const QRect titleRect = bm.boundingRect(QRect(0, 0, textWidth, 10000), Qt::TextSingleLine, FTitle.trimmed());
    const QRect textRect = fm.boundingRect(QRect(0, 0, textWidth, 10000), Qt::TextWordWrap, FText);
    const int iconWidth = FIcon > 0 ? kIconSize + kIconGap : 0;
    const int headWidth = iconWidth + titleRect.width();
    const int headHeight = std::max(FIcon > 0 ? kIconSize : 0, FTitle.trimmed().isEmpty() ? 0 : titleRect.height());
    const int innerW = std::max(headWidth, textRect.width());
    const int innerH = headHeight + (headHeight > 0 ? kIconGap : 0) + textRect.height();
    const QSize body(innerW + 2 * kMargin, innerH + 2 * kMargin);
    FStemX = std::min(kRadius + kStemWidth, body.width() / 2);
    FBody = QRect(QPoint(0, kStem), body);
    resize(body.width() + 1, body.height() + kStem + 1);
    move(tip - QPoint(FStemX, 0));
}

void TBalloonWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(FBody).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    QPainterPath stem;
    stem.moveTo(FStemX, 0.5);
    stem.lineTo(FStemX, FBody.top() + 1);
    stem.lineTo(FStemX + kStemWidth, FBody.top() + 1);
    stem.closeSubpath();
    shape = shape.united(stem);
    p.fillPath(shape, FBack);
    p.setPen(QPen(FFore, 1));
    p.drawPath(shape);
    p.setRenderHint(QPainter::Antialiasing, false);

    QRect inner = FBody.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    int x = inner.left();
    int headHeight = 0;
    if (FIcon > 0) {
        static constexpr QStyle::StandardPixmap kIcons[] = {
            QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxWarning, QStyle::SP_MessageBoxCritical};
        style()->standardIcon(kIcons[FIcon - 1]).paint(&p, QRect(x, inner.top(), kIconSize, kIconSize));
        x += kIconSize + kIconGap;
        headHeight = kIconSize;
    }
    if (!FTitle.trimmed().isEmpty()) {
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        const int h = QFontMetrics(bold).height();
        p.drawText(QRect(x, inner.top(), inner.right() - x + 1, std::max(h, headHeight)),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, FTitle.trimmed());
        headHeight = std::max(headHeight, h);
        p.setFont(font());
    }
    if (headHeight > 0)
        inner.setTop(inner.top() + headHeight + kIconGap);
    p.drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, FText);
}

} // namespace grid
