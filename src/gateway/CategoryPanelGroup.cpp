#include "gateway/CategoryPanelGroup.h"

#include <QEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>

#include <algorithm>

namespace gateway {

namespace {

const QColor kTitleColor(0x60, 0x60, 0x60);
const QColor kChevronColor(0x70, 0x70, 0x70);
const QColor kChevronHotColor(Qt::red);
const QColor kLineColor(0xC8, 0xBE, 0xBE);

// A double chevron pointing up (expanded: click folds) or down (collapsed: click opens).
void drawChevron(QPainter& p, const QRect& r, bool up, const QColor& color)
{
    QPen pen(color, 2);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const int cx = r.center().x();
    const int cy = r.center().y();
    for (int offset : {-3, 2}) {
        const int y = cy + (up ? offset : -offset);
        const int tip = up ? y - 3 : y + 3;
        QPainterPath path;
        path.moveTo(cx - 4, y);
        path.lineTo(cx, tip);
        path.lineTo(cx + 4, y);
        p.drawPath(path);
    }
}

} // namespace

CategoryPanel::CategoryPanel(QWidget* parent) : QWidget(parent), body_(new QWidget(this))
{
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, CategoryPanelGroup::kBackground);
    setPalette(pal);
    body_->setObjectName(QStringLiteral("body"));
    body_->setGeometry(0, kHeaderHeight, width(), 0);
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(15);
    f.setBold(true);
    setFont(f);
    // The rows take the window's normal Verdana, not the header's bold title font.
    QFont bodyFont(QStringLiteral("Verdana"));
    bodyFont.setPixelSize(11);
    bodyFont.setBold(false);
    body_->setFont(bodyFont);
    resize(width(), kHeaderHeight);
}

void CategoryPanel::setCaption(const QString& caption)
{
    caption_ = caption;
    update(headerRect());
}

void CategoryPanel::setPanelHeight(int height)
{
    height = std::max(height, static_cast<int>(kHeaderHeight));
    if (height == panelHeight_)
        return;
    panelHeight_ = height;
    resize(width(), shownHeight());
    emit shapeChanged();
}

void CategoryPanel::setCollapsed(bool collapsed)
{
    if (collapsed == collapsed_)
        return;
    collapsed_ = collapsed;
    body_->setVisible(!collapsed_);
    resize(width(), shownHeight());
    update(headerRect());
    emit shapeChanged();
}

QRect CategoryPanel::chevronRect() const
{
    return QRect(width() - 24, 2, 20, kHeaderHeight - 4);
}

void CategoryPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    body_->setGeometry(0, kHeaderHeight, width(), std::max(0, panelHeight_ - kHeaderHeight));
}

void CategoryPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect header = headerRect();
    QLinearGradient gradient(header.topLeft(), header.bottomLeft());
    gradient.setColorAt(0.0, CategoryPanelGroup::kBackground);
    gradient.setColorAt(1.0, CategoryPanelGroup::kHeaderGradient);
    p.fillRect(header, gradient);
    p.setPen(kLineColor);
    p.drawLine(header.bottomLeft(), header.bottomRight());

    p.setPen(kTitleColor);
    p.setFont(font());
    const QRect titleRect = header.adjusted(6, 0, -(chevronRect().width() + 8), 0);
    p.drawText(titleRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
               p.fontMetrics().elidedText(caption_, Qt::ElideRight, titleRect.width()));

    p.setRenderHint(QPainter::Antialiasing);
    drawChevron(p, chevronRect(), !collapsed_, hot_ ? kChevronHotColor : kChevronColor);
}

void CategoryPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && headerRect().contains(event->position().toPoint())) {
        toggleCollapsed();
    }
    // The panel is the end of the line for clicks on its header and empty body.
    event->accept();
}

void CategoryPanel::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void CategoryPanel::mouseMoveEvent(QMouseEvent* event)
{
    setHot(chevronRect().contains(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void CategoryPanel::leaveEvent(QEvent* event)
{
    setHot(false);
    QWidget::leaveEvent(event);
}

void CategoryPanel::setHot(bool hot)
{
    if (hot == hot_)
        return;
    hot_ = hot;
    update(chevronRect());
}

CategoryPanelGroup::CategoryPanelGroup(QWidget* parent) : QScrollArea(parent), content_(new QWidget)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setTracking(true);
    verticalScrollBar()->setSingleStep(kLineStep);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackground);
    setPalette(pal);
    content_->setObjectName(QStringLiteral("CPG_Content"));
    content_->setAutoFillBackground(true);
    content_->setPalette(pal);
    viewport()->setAutoFillBackground(true);
    viewport()->setPalette(pal);
    // The content takes the viewport's width; its least height is the stack's, which makes the
    // scroll bar appear exactly when the panels do not fit.
    setWidgetResizable(true);
    setWidget(content_);
    content_->installEventFilter(this);
}

CategoryPanel* CategoryPanelGroup::addPanel(const QString& objectName)
{
    auto* panel = new CategoryPanel(content_);
    panel->setObjectName(objectName);
    panel->setGeometry(0, stackHeight(), content_->width(), panel->shownHeight());
    panels_.append(panel);
    panel->installEventFilter(this);
    connect(panel, &CategoryPanel::shapeChanged, this, &CategoryPanelGroup::restack);
    restack();
    return panel;
}

void CategoryPanelGroup::setPanelTop(CategoryPanel* panel, int top)
{
    panel->move(0, top);
    restack();
}

QList<CategoryPanel*> CategoryPanelGroup::stackedPanels() const
{
    QList<CategoryPanel*> shown;
    for (CategoryPanel* p : panels_)
        if (!p->isHidden())
            shown.append(p);
    std::stable_sort(shown.begin(), shown.end(),
                     [](const CategoryPanel* a, const CategoryPanel* b) { return a->y() < b->y(); });
    return shown;
}

int CategoryPanelGroup::stackHeight() const
{
    int h = 0;
    for (const CategoryPanel* p : stackedPanels())
        h += p->shownHeight();
    return h;
}

void CategoryPanelGroup::restack()
{
    if (restacking_)
        return;
    restacking_ = true;
    int top = 0;
    for (CategoryPanel* p : stackedPanels()) {
        p->setGeometry(0, top, content_->width(), p->shownHeight());
        top += p->shownHeight();
    }
    content_->setMinimumHeight(top);
    restacking_ = false;
}

bool CategoryPanelGroup::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == content_ && type == QEvent::Resize) {
        for (CategoryPanel* p : panels_)
            p->resize(content_->width(), p->shownHeight());
    } else if ((type == QEvent::ShowToParent || type == QEvent::HideToParent)
               && panels_.contains(qobject_cast<CategoryPanel*>(watched))) {
        restack();
    }
    return QScrollArea::eventFilter(watched, event);
}

} // namespace gateway
