#pragma once
// Small helpers the drop-down's member files share.

#include "grid/GridTypes.h"

#include <QFont>
#include <QWidget>

namespace dropdowns::internal {

// Visible as its owner means it: not hidden on purpose. A child of a window that has not shown
// yet is not visible, but will be.
inline bool meantVisible(const QWidget* w)
{
    return w && !(w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->testAttribute(Qt::WA_WState_Hidden));
}

using grid::toQFont;

inline bool isReturnKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace dropdowns::internal
