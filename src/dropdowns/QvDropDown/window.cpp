// The edit's window procedure: what follows changes of its read-only, enabled, font and parent
// state.

#include "dropdowns/QvDropDown.h"
#include "dropdowns/QvDropDown/Internal.h"

#include <QEvent>
#include <QLabel>

namespace dropdowns {

bool TQvCustomDropDown::event(QEvent* e)
{
    return DropDownWindowProc(e);
}

bool TQvCustomDropDown::DropDownWindowProc(QEvent* e)
{
    const bool result = QLineEdit::event(e);
    switch (e->type()) {
    case QEvent::ReadOnlyChange:
        // The drop button shows a read-only control disabled.
        if (FButton)
            FButton->SpeedButton()->update();
        break;
    case QEvent::ParentChange:
        if (FLabel) {
            FLabel->setParent(parentWidget());
            PositionLabel();
        }
        break;
    default:
        break;
    }
    return result;
}

void TQvCustomDropDown::changeEvent(QEvent* e)
{
    QLineEdit::changeEvent(e);
    switch (e->type()) {
    case QEvent::EnabledChange:
        if (FButton)
            FButton->setEnabled(isEnabled());
        break;
    case QEvent::FontChange:
        if (FConstructed)
            SetEditRect();
        if (FLabel) {
            if (!testAttribute(Qt::WA_SetFont))
                FLabel->setFont(font());
            PositionLabel();
        }
        break;
    default:
        break;
    }
}

} // namespace dropdowns
