// Markup tool tips for the whole program: while on, every widget's tool tip is shown by one
// shared markup hint window instead of the platform's, so "<b>", "<font>" and the other tags
// of the grid's markup work in any control's hint.

#include "grid/markup/HTMLHintWindow.h"

#include <QApplication>
#include <QEvent>
#include <QHelpEvent>
#include <QPointer>
#include <QToolTip>
#include <QWidget>

namespace grid {

namespace {

class TApplicationHints : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::ToolTip: {
            auto* w = qobject_cast<QWidget*>(watched);
            // Widgets that answer hints themselves (the grid's cells) set no tool tip text.
            if (!w || w->toolTip().isEmpty())
                return false;
            if (!window)
                window = new THTMLHintWindow();
            const QPoint at = static_cast<QHelpEvent*>(e)->globalPos() + QPoint(0, 16);
            QToolTip::hideText();
            window->ActivateHintData(TRect{at.x(), at.y(), at.x(), at.y()}, w->toolTip(), nullptr);
            return true;
        }
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
        case QEvent::WindowDeactivate:
            if (window && window->isVisible())
                window->hide();
            return false;
        default:
            return false;
        }
    }
    ~TApplicationHints() override { delete window; }
    QPointer<THTMLHintWindow> window;
};

TApplicationHints*& filter()
{
    static TApplicationHints* f = nullptr;
    return f;
}

} // namespace

void SetApplicationHTMLHints(bool on)
{
    if (on == ApplicationHTMLHints())
        return;
    if (on) {
        filter() = new TApplicationHints();
        // Deleted with the application object, so the shared window never outlives it.
        filter()->setParent(QCoreApplication::instance());
        QObject::connect(filter(), &QObject::destroyed, [] { filter() = nullptr; });
        QCoreApplication::instance()->installEventFilter(filter());
    } else {
        QCoreApplication::instance()->removeEventFilter(filter());
        delete filter(); // clears the pointer through destroyed
    }
}

bool ApplicationHTMLHints()
{
    return filter() != nullptr;
}

} // namespace grid
