#pragma once
// Collects the region a widget is asked to paint, to check that a change repaints only the
// cells it concerns.

#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>

namespace grid::test {

struct PaintSpy : QObject {
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
    QRegion painted;
};

} // namespace grid::test
