// The clipboard: cut, copy and paste through the clipboard events, from the keys and from the
// context menu. The selected part handed to the events is the value's (prefix and suffix left
// out).

#include "dropdowns/QvDropDown.h"
#include "dropdowns/QvDropDown/EditTypeHost.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>

namespace dropdowns {

namespace {

QString selectedPart(const TQvCustomDropDown& dd, const QString& prefix)
{
    if (!dd.hasSelectedText())
        return QString();
    return dd.Text().mid(std::max(0, dd.selectionStart() - int(prefix.size())), dd.selectionLength());
}

} // namespace

void TQvCustomDropDown::WMCut()
{
    if (!FEditorEnabled || ReadOnly())
        return;
    bool allow = true;
    FBlockCopy = true;
    if (OnClipboardCut)
        OnClipboardCut(this, selectedPart(*this, FPrefix), allow);
    // The edit's own cut copies through the copy rule (which the block keeps quiet), then
    // removes the selection.
    if (allow) {
        WMCopy();
        if (hasSelectedText())
            del();
    }
    FBlockCopy = false;
}

void TQvCustomDropDown::WMCopy()
{
    bool allow = true;
    if (!FBlockCopy && OnClipboardCopy)
        OnClipboardCopy(this, selectedPart(*this, FPrefix), allow);
    FBlockCopy = false;
    if (allow)
        copy();
}

void TQvCustomDropDown::WMPaste()
{
    // 1.
    const QString clip = QGuiApplication::clipboard()->text();
    if (ReadOnly() || clip.isEmpty())
        return;
    // 2-6. The edit-type rules.
    EditTypeHost host(*this);
    host.rules.Paste(clip);
}

void TQvCustomDropDown::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu* menu = createStandardContextMenu();
    // The menu's clipboard commands go through the clipboard rules too.
    const std::pair<const char*, void (TQvCustomDropDown::*)()> commands[] = {
        {"edit-cut", &TQvCustomDropDown::WMCut},
        {"edit-copy", &TQvCustomDropDown::WMCopy},
        {"edit-paste", &TQvCustomDropDown::WMPaste},
    };
    for (QAction* action : menu->actions())
        for (const auto& [name, rule] : commands)
            if (action->objectName() == QLatin1String(name)) {
                disconnect(action, &QAction::triggered, nullptr, nullptr);
                connect(action, &QAction::triggered, this, rule);
            }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}

} // namespace dropdowns
