#pragma once
// A vertical column of collapsible category panels in a scroll area. Each panel has a
// 24-pixel header (title, gradient, chevron) and a body for its rows; clicking the header
// collapses or expands it. The group keeps its visible panels stacked from the top without
// gaps, in the order of their tops, so a panel that changes height or collapses moves the
// ones below it.

#include <QColor>
#include <QList>
#include <QScrollArea>
#include <QWidget>

namespace gateway {

class CategoryPanelGroup;

class CategoryPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeaderHeight = 24;

    explicit CategoryPanel(QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

    // Where the panel's rows live: the area below the header, hidden while collapsed.
    QWidget* body() const { return body_; }

    // The expanded height, header included. While collapsed the panel shows only its header.
    int panelHeight() const { return panelHeight_; }
    void setPanelHeight(int height);

    bool isCollapsed() const { return collapsed_; }
    void setCollapsed(bool collapsed);
    void toggleCollapsed() { setCollapsed(!collapsed_); }

    // Height the panel takes in the group now (header only while collapsed).
    int shownHeight() const { return collapsed_ ? kHeaderHeight : panelHeight_; }

    QRect headerRect() const { return QRect(0, 0, width(), kHeaderHeight); }
    QRect chevronRect() const;

signals:
    // Height or collapsed state changed: the group restacks the panels.
    void shapeChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setHot(bool hot);

    QWidget* body_;
    QString caption_;
    int panelHeight_ = kHeaderHeight;
    bool collapsed_ = false;
    bool hot_ = false;
};

class CategoryPanelGroup : public QScrollArea {
    Q_OBJECT
public:
    static inline const QColor kBackground{248, 247, 237};
    static inline const QColor kHeaderGradient{231, 216, 216};
    static constexpr int kLineStep = 8; // pixels per scroll line

    explicit CategoryPanelGroup(QWidget* parent = nullptr);

    // Creates a panel at the bottom of the stack, expanded.
    CategoryPanel* addPanel(const QString& objectName);
    QList<CategoryPanel*> panels() const { return panels_; }

    // Places a panel at a top; the stacking order follows the tops.
    void setPanelTop(CategoryPanel* panel, int top);

    // Visible panels from the top, in stacking order.
    QList<CategoryPanel*> stackedPanels() const;
    // Sum of the shown heights of the visible panels.
    int stackHeight() const;

    // Stacks the visible panels from 0 without gaps, keeping their order.
    void restack();

    QWidget* content() const { return content_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* content_;
    QList<CategoryPanel*> panels_;
    bool restacking_ = false;
};

} // namespace gateway
