#include "grid/edit/GridEditorEnd.h"

#include "grid/QvObj.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>
#include <limits>

namespace grid {

bool StoreAndValidate(TGridEditHost& host, const QString& text)
{
    host.StoreCurrentCellText(text);
    return host.ValidateCell(text);
}

bool IsNoAdvanceKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Up || key == Qt::Key_Down;
}

TTabOut TabOut(TGridEditHost& host, const QString& text, bool backward,
               const std::function<void(const QString& shown)>& refused, const std::function<void()>& accepted)
{
    if (!host.EditorWantsTab())
        return TTabOut::NotWanted;
    if (!StoreAndValidate(host, text)) {
        refused(host.NewCellText());
        return TTabOut::Refused;
    }
    if (accepted)
        accepted();
    if (host.TabsOption()) {
        host.HideInplaceEdit();
        host.FocusGrid();
        host.AdvanceOnTab(backward);
        return TTabOut::Finished;
    }
    host.PostGridKey(Qt::Key_Tab);
    return TTabOut::Continue;
}

void LeaveEditor(TGridEditHost& host, int key, Qt::KeyboardModifiers shift)
{
    host.DoneInplaceEdit(key, shift);
    TNavigation& nav = host.EditNavigation();
    if (nav.AdvanceOnEnter() && nav.AdvanceAutoEdit() && (key == Qt::Key_Return || key == Qt::Key_Enter))
        host.ShowInplaceEdit();
}

bool CursorWalk(TGridEditHost& host, bool left, const QString& text)
{
    int col = 0, row = 0;
    host.CurrentCell(col, row);
    if (left ? col <= host.FixedColCount() : col >= host.LastNormalCol())
        return false;
    const int target = left ? col - 1 : col + host.CellSpanX(col, row) + 1;
    if (host.IsControlCell(target, row)) {
        if (StoreAndValidate(host, text)) {
            host.HideInplaceEdit();
            host.MoveCurrentCol(target);
        }
        return true;
    }
    host.HideInplaceEdit();
    host.FocusGrid();
    TNavigation& nav = host.EditNavigation();
    const TAdvanceDirection d = nav.AdvanceDirection();
    nav.SetAdvanceDirection(adLeftRight);
    host.AdvanceToNextCell(!left, true);
    nav.SetAdvanceDirection(d);
    if (nav.CursorWalkAlwaysEdit())
        host.ShowInplaceEdit();
    return true;
}

int LookupMatch(const QStringList& items, const QString& prefix, bool caseSensitive)
{
    if (prefix.isEmpty())
        return -1;
    const QString p = caseSensitive ? prefix : prefix.toUpper();
    for (int i = 0; i < items.size(); ++i) {
        const QString it = caseSensitive ? items[i] : items[i].toUpper();
        if (it.startsWith(p))
            return i;
    }
    return -1;
}

QString LookupCompleted(const QString& prefix, const QString& item)
{
    return prefix + item.mid(prefix.size(), 255);
}

bool EditorLeftForGood(QWidget* editor, QFocusEvent* e)
{
    if (e->reason() == Qt::PopupFocusReason || !editor->isVisible())
        return false;
    QWidget* to = QApplication::focusWidget();
    return !(to && (to == editor || editor->isAncestorOf(to)));
}

bool RouteClaimedTab(QEvent* e, bool claimed, const std::function<void(QKeyEvent*)>& keyStep)
{
    if (!claimed || e->type() != QEvent::KeyPress)
        return false;
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() != Qt::Key_Tab && k->key() != Qt::Key_Backtab)
        return false;
    keyStep(k);
    return true;
}

void ReportEditChange(TGridEditHost* host, const QWidget* editor, const QString& text)
{
    if (host && editor->isVisible() && !host->NoEditChange()) {
        int col = 0, row = 0;
        host->CurrentCell(col, row);
        host->EditChange(col, row, text);
    }
}

// The integer at the start of a text: an optional sign and the digits up to the first other
// character; 0 when there are none.
int LeadingInteger(const QString& s)
{
    const QString t = s.trimmed();
    int i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        ++i;
    const int digitsFrom = i;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128)
        ++i;
    if (i == digitsFrom)
        return 0;
    bool ok = false;
    const qlonglong v = t.left(i).toLongLong(&ok);
    if (!ok)
        return 0;
    return int(std::clamp<qlonglong>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace grid
