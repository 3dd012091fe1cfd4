#include "tables/TableEvents.h"

#include <QEvent>
#include <QHelpEvent>
#include <QToolTip>

namespace tables {

TTableEvents::TTableEvents(grid::TQvStringGrid& grid) : QObject(&grid), grid_(grid), viewport_(grid.viewport())
{
    viewport_->installEventFilter(this);
}

bool TTableEvents::eventFilter(QObject* watched, QEvent* event)
{
    // Compared with the viewport kept at the start: while the grid is being destroyed its
    // viewport still sends events, and the grid must not be asked anything then.
    if (watched != viewport_)
        return false;
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto* e = static_cast<QHelpEvent*>(event);
        int col = -1;
        int row = -1;
        grid_.MouseToCell(e->pos().x(), e->pos().y(), col, row);
        const QString hint = onHint && col >= 0 && row >= 0 ? onHint(col, row) : QString();
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(e->globalPos(), hint, grid_.viewport());
        return true;
    }
    default:
        break;
    }
    return false;
}

} // namespace tables
