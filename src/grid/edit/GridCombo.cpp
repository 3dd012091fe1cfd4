#include "grid/edit/GridCombo.h"

#include "grid/edit/GridEditorEnd.h"

#include "grid/QvObj.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

#include <algorithm>

namespace grid {

TGridCombo::TGridCombo(QWidget* grid, TGridEditHost* h) : TQsgComboBox(grid), host(h)
{
    setObjectName(QStringLiteral("GridCombo"));
    SetButtonWidth(16);
    setFocusPolicy(Qt::StrongFocus);
    view()->installEventFilter(this);
    connect(this, &QComboBox::currentTextChanged, this, [this](const QString& s) { ReportEditChange(host, this, s); });
    hide();
    setEnabled(false);
}

bool TGridCombo::isClosingKey(int key, Qt::KeyboardModifiers mods) const
{
    if (key == Qt::Key_Down && (mods & Qt::AltModifier))
        return false;
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        return ListStyle() || Dropped();
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return !(ListStyle() || Dropped());
    default:
        return false;
    }
}

void TGridCombo::itemChanged(int oldIndex)
{
    if (currentIndex() == oldIndex)
        return;
    int col = 0, row = 0;
    host->CurrentCell(col, row);
    host->ComboChange(col, row, currentIndex(), currentText());
}

bool TGridCombo::eventFilter(QObject* watched, QEvent* e)
{
    // Keys typed into the dropped list: Enter, Tab and Escape close the list and end the edit
    // as they do on the closed combo.
    if (host && watched == view() && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const int key = k->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            const int old = currentIndex();
            const QModelIndex idx = view()->currentIndex();
            if (idx.isValid())
                setCurrentIndex(idx.row());
            itemChanged(old);
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                enterKey(key, k->modifiers());
            else
                closingKey(key, k->modifiers());
            return true;
        }
        if (key == Qt::Key_Escape) {
            closingKey(key, k->modifiers());
            return true;
        }
    }
    return TQsgComboBox::eventFilter(watched, e);
}

void TGridCombo::keyPressEvent(QKeyEvent* e)
{
    if (!host) {
        TQsgComboBox::keyPressEvent(e);
        return;
    }
    Forced = false;
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers();
    WorkMode = !(key == Qt::Key_Backspace || key == Qt::Key_Delete);
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && !host->EditNavigation().ComboGetUpDown() && !Dropped()) {
        host->HideInplaceEdit();
        TNavigation& nav = host->EditNavigation();
        const bool always = nav.AlwaysEdit();
        nav.SetAlwaysEdit(false);
        host->FocusGrid();
        nav.SetAlwaysEdit(always);
        host->GridKeyDown(key, mods);
        return;
    }
    if (!isClosingKey(key, mods)) {
        const QString t = e->text();
        if (!t.isEmpty() && t.at(0).isPrint()) {
            QChar ch = t.at(0);
            host->EditorKeyPress(this, ch);
            if (ch.isNull())
                return;
        }
        const int old = currentIndex();
        TQsgComboBox::keyPressEvent(e);
        itemChanged(old);
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        enterKey(key, mods);
        return;
    }
    if (key == Qt::Key_Escape) {
        QChar ch(27);
        host->EditorKeyPress(this, ch);
    }
    closingKey(key, mods);
}

void TGridCombo::enterKey(int key, Qt::KeyboardModifiers mods)
{
    // The picked value belongs to the cell whose list is open. A window's key handler may move
    // the current cell on Enter (the tables' jump to the next field), so it sees the key only
    // once the value is stored, and not at all when the cell refused it.
    if (!closingKey(key, mods))
        return;
    QChar ch(13);
    if (host)
        host->EditorKeyPress(this, ch);
    if (OnReturnKey)
        OnReturnKey(this);
}

bool TGridCombo::closingKey(int key, Qt::KeyboardModifiers mods)
{
    const bool list = ListStyle();
    const bool shift = mods & Qt::ShiftModifier;
    if (key == Qt::Key_Escape) {
        const QString s = host->CurrentCellText();
        if (Dropped())
            hidePopup();
        if (list)
            setCurrentIndex(findText(s, Qt::MatchExactly));
        else
            setEditText(s);
        host->HideInplaceEdit();
        host->FocusGrid();
        return true;
    }
    if (IsNoAdvanceKey(key)) {
        if (Dropped())
            hidePopup();
        if (!StoreAndValidate(*host, currentText())) {
            if (list) {
                setCurrentIndex(findText(host->NewCellText(), Qt::MatchExactly));
            } else {
                setEditText(host->NewCellText());
                if (lineEdit())
                    lineEdit()->selectAll();
            }
            host->SetNoAutoAdvance(true);
            return false;
        }
        const QString stored = host->CurrentCellText();
        if (list)
            SelectItem(stored);
        else
            setEditText(stored);
    }
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        if (Dropped())
            hidePopup();
        const TTabOut out = TabOut(
            *host, currentText(), shift || key == Qt::Key_Backtab,
            [this, list](const QString& shown) {
                if (!list) {
                    setEditText(shown);
                    if (lineEdit())
                        lineEdit()->end(false);
                }
            },
            [this, list] {
                if (list)
                    setCurrentIndex(findText(host->CurrentCellText(), Qt::MatchExactly));
            });
        if (out == TTabOut::Refused)
            return false;
        if (out == TTabOut::Finished)
            return true;
    }
    int leaveKey = key;
    if (list || Dropped()) {
        if (Dropped())
            hidePopup();
        TMouseActions& ma = host->EditMouseActions();
        const bool direct = ma.DirectComboClose();
        ma.SetDirectComboClose(false);
        host->HideInplaceEdit();
        ma.SetDirectComboClose(direct);
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            host->FocusGrid();
            host->GridKeyDown(key, mods);
            leaveKey = 0;
        } else if (key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down) {
            leaveKey = 0;
        }
    } else if (key == Qt::Key_End) {
        if (lineEdit())
            lineEdit()->end(false);
        return true;
    }
    LeaveEditor(*host, leaveKey, mods);
    return true;
}

void TGridCombo::keyReleaseEvent(QKeyEvent* e)
{
    if (!host) {
        TQsgComboBox::keyReleaseEvent(e);
        return;
    }
    if (!ListStyle() && (e->key() == Qt::Key_Left || e->key() == Qt::Key_Right) && !(e->modifiers() & Qt::ShiftModifier)
        && host->EditNavigation().CursorWalkEditor() && cursorWalk(e->key()))
        return;
    host->SetNoAutoAdvance(false);
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
        TQsgComboBox::keyReleaseEvent(e);
    DoChange();
}

// Left at the start or Right at the end of the typed text walks out of the editor into the
// neighbouring cell. True when it walked.
bool TGridCombo::cursorWalk(int key)
{
    QLineEdit* le = lineEdit();
    if (!le || le->hasSelectedText())
        return false;
    const bool left = key == Qt::Key_Left;
    if (left ? le->cursorPosition() != 0 : le->cursorPosition() != le->text().size())
        return false;
    return CursorWalk(*host, left, currentText());
}

void TGridCombo::DoChange()
{
    if (!WorkMode || ListStyle() || !host->Lookup() || !lineEdit())
        return;
    QLineEdit* le = lineEdit();
    const bool cs = host->LookupCaseSensitive();
    const QString prefix = le->text().left(le->cursorPosition());
    auto complete = [&](const QString& item) {
        const QString completed = LookupCompleted(prefix, item);
        le->setText(completed);
        le->setSelection(prefix.size(), completed.size() - prefix.size());
    };
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items << itemText(i);
    if (const int i = LookupMatch(items, prefix, cs); i >= 0) {
        setCurrentIndex(i);
        ItemIdx = i;
        ItemChange = true;
        complete(itemText(i));
        return;
    }
    if (const int i = LookupMatch(host->LookupItems(), prefix, cs); i >= 0)
        complete(host->LookupItems()[i]);
}

void TGridCombo::wheelEvent(QWheelEvent* e)
{
    if (!host) {
        TQsgComboBox::wheelEvent(e);
        return;
    }
    const int old = currentIndex();
    if (e->angleDelta().y() < 0) {
        if (currentIndex() < count() - 1)
            setCurrentIndex(currentIndex() + 1);
    } else if (currentIndex() > 0) {
        setCurrentIndex(currentIndex() - 1);
    }
    itemChanged(old);
    e->accept();
}

void TGridCombo::focusInEvent(QFocusEvent* e)
{
    TQsgComboBox::focusInEvent(e);
    if (!host)
        return;
    if (!ListStyle() && lineEdit() && !host->EditNavigation().EditSelectAll()) {
        lineEdit()->deselect();
        lineEdit()->end(false);
    }
}

void TGridCombo::focusOutEvent(QFocusEvent* e)
{
    TQsgComboBox::focusOutEvent(e);
    if (!host || e->reason() == Qt::PopupFocusReason || Dropped() || !isVisible())
        return;
    if (host->LookupHistory() && !currentText().isEmpty() && findText(currentText(), Qt::MatchExactly) < 0)
        addItem(currentText());
    host->HideInplaceEdit();
}

void TGridCombo::SizeDropDownWidth()
{
    const QFontMetrics fm(font());
    int w = width();
    const bool scrollBar = maxVisibleItems() < count();
    for (int i = 0; i < count(); ++i) {
        const int tw = fm.horizontalAdvance(itemText(i));
        if (scrollBar) {
            if (tw > w - 25)
                w = tw + 25;
        } else if (tw > w - 5) {
            w = tw + 8;
        }
    }
    view()->setMinimumWidth(w);
}

} // namespace grid
