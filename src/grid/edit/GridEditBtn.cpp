#include "grid/edit/GridEditBtn.h"

#include "grid/edit/EditFilters.h"
#include "grid/edit/GridEditorEnd.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace grid {

namespace {

bool isClosingKey(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

// The number kinds of the button editors filter as edNumeric and edFloat do.
struct TNumberKind {
    bool number = false;
    bool integer = false;
};

TNumberKind numberKind(TEditorType kind)
{
    switch (kind) {
    case edNumericEditBtn:
    case edNumericUnitEditBtn:
        return {true, true};
    case edFloatEditBtn:
    case edFloatUnitEditBtn:
        return {true, false};
    default:
        return {};
    }
}

TEditState editState(const QLineEdit& edit)
{
    const bool sel = edit.hasSelectedText();
    return TEditState{edit.text(), sel ? edit.selectionStart() : edit.cursorPosition(), edit.selectedText()};
}

// A typed character of a number kind: true when it is used up here (dropped or refused with a
// beep); false lets the edit insert it.
bool filteredOut(TGridEditHost& host, const QLineEdit& edit, QChar ch, bool ctrl)
{
    const TNumberKind k = numberKind(host.EditControl());
    if (!k.number)
        return false;
    switch (NumberCharVerdict(k.integer, true, ch, editState(edit), ctrl)) {
    case TCharVerdict::Accept:
    case TCharVerdict::AcceptUnfiltered:
        return false;
    case TCharVerdict::Beep:
        host.Beep();
        return true;
    case TCharVerdict::Drop:
        return true;
    }
    return true;
}

bool isTypedChar(const QKeyEvent* e)
{
    return !e->text().isEmpty() && e->text().front().isPrint()
           && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

// ---- TGridEditBtn

TGridEditBtn::TGridEditBtn(QWidget* grid, TGridEditHost* h) : TQsgEditBtn(grid), host(h)
{
    setObjectName(QStringLiteral("GridEditBtn"));
    SetButtonCaption(QStringLiteral("..."));
    OnClickBtn = [this](QObject*) { buttonClick(); };
    connect(this, &QLineEdit::textChanged, this, [this](const QString& s) { ReportEditChange(host, this, s); });
    hide();
    setEnabled(false);
}

void TGridEditBtn::ReCreate()
{
    const bool blocked = blockSignals(true);
    clear();
    blockSignals(blocked);
    WorkMode = true;
    FSelKeyDown = 0;
}

void TGridEditBtn::buttonClick()
{
    if (!host)
        return;
    setText(host->EllipsisClick(text()));
    selectAll();
    update();
    if (StopEditAfterClick) {
        host->HideInplaceEdit();
        host->FocusGrid();
    }
}

bool TGridEditBtn::event(QEvent* e)
{
    if (host && RouteClaimedTab(e, host->EditorWantsTab(), [this](QKeyEvent* k) { keyPressEvent(k); }))
        return true;
    return TQsgEditBtn::event(e);
}

void TGridEditBtn::keyPressEvent(QKeyEvent* e)
{
    if (!host) {
        TQsgEditBtn::keyPressEvent(e);
        return;
    }
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool closing = isClosingKey(key);
    if (!closing) {
        int k = key;
        host->EditorKeyDown(k, mods);
        if (k == 0) {
            e->accept();
            return;
        }
    }
    WorkMode = !(key == Qt::Key_Backspace || key == Qt::Key_Delete);
    FSelKeyDown = cursorPosition();
    if ((mods & Qt::ControlModifier) || !closing) {
        if (e->matches(QKeySequence::Paste)) {
            PasteFromClipboard();
            e->accept();
            return;
        }
        if (isTypedChar(e)) {
            QChar ch = e->text().front();
            host->EditorKeyPress(this, ch);
            if (ch.isNull() || filteredOut(*host, *this, ch, false)) {
                e->accept();
                return;
            }
        }
        TQsgEditBtn::keyPressEvent(e);
        return;
    }
    e->accept();
    closingKey(key, mods);
}

void TGridEditBtn::closingKey(int key, Qt::KeyboardModifiers mods)
{
    const TEditorType kind = host->EditControl();
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    const auto refuse = [this, kind] {
        selectAll();
        update();
        host->SetEditControl(kind);
    };
    if (tab && host->EditorWantsTab()) {
        const TTabOut out = TabOut(
            *host, text(), (mods & Qt::ShiftModifier) || key == Qt::Key_Backtab,
            [this, &refuse](const QString& shown) {
                setText(shown);
                refuse();
            },
            [this] { setText(host->NewCellText()); });
        if (out == TTabOut::Refused || out == TTabOut::Finished)
            return;
    } else if (tab || IsNoAdvanceKey(key)) {
        const bool ok = StoreAndValidate(*host, text());
        setText(host->NewCellText());
        if (!ok) {
            refuse();
            if (IsNoAdvanceKey(key))
                host->SetNoAutoAdvance(true);
            return;
        }
    } else if (key == Qt::Key_Escape) {
        setText(host->CellCache());
    }
    host->DoneInplaceEdit(tab ? Qt::Key_Tab : key, mods);
}

void TGridEditBtn::keyReleaseEvent(QKeyEvent* e)
{
    if (!host) {
        TQsgEditBtn::keyReleaseEvent(e);
        return;
    }
    int key = e->key();
    host->EditorKeyUp(key, e->modifiers());
    if ((key == Qt::Key_Left || key == Qt::Key_Right) && !(e->modifiers() & Qt::ShiftModifier)
        && host->EditNavigation().CursorWalkEditor() && !hasSelectedText()) {
        // The caret as the key went down: a caret that just arrived at the edge stays inside.
        const bool left = key == Qt::Key_Left;
        const bool atEdge = left ? (cursorPosition() == 0 && FSelKeyDown == 0) : FSelKeyDown == text().size();
        if (atEdge && CursorWalk(*host, left, text())) {
            e->accept();
            return;
        }
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        TQsgEditBtn::keyReleaseEvent(e);
    DoChange();
}

void TGridEditBtn::DoChange()
{
    if (!host || !WorkMode || hasSelectedText() || !host->Lookup() || host->LookupItems().isEmpty())
        return;
    const QString prefix = text().left(cursorPosition());
    const int i = LookupMatch(host->LookupItems(), prefix, host->LookupCaseSensitive());
    if (i < 0)
        return;
    const QString completed = LookupCompleted(prefix, host->LookupItems()[i]);
    if (completed == text())
        return;
    setText(completed);
    setSelection(prefix.size(), completed.size() - prefix.size());
}

// The paste step follows the text editor's rules, the length limit and the number filters
// included, so a paste cannot put in what typing would refuse.
void TGridEditBtn::PasteFromClipboard()
{
    if (!host)
        return;
    const QMimeData* md = QApplication::clipboard()->mimeData();
    if (!md || !md->hasText())
        return;
    QString value = md->text();
    if (!host->ClipboardPaste(this, value))
        return;
    const TPasteMerge m = MergePaste(editState(*this), value, host->InplaceEditLimit());
    if (!m.ok)
        return;
    if (const TNumberKind k = numberKind(host->EditControl()); k.number && !NumberPasteAllowed(k.integer, true, m.text))
        return;
    setText(m.text);
    host->StoreEditText(m.text);
    if (m.selLength > 0)
        setSelection(m.selStart, m.selLength);
    else
        setCursorPosition(m.caret);
}

void TGridEditBtn::contextMenuEvent(QContextMenuEvent* e)
{
    if (!host || !EditorEnabled) {
        TQsgEditBtn::contextMenuEvent(e);
        return;
    }
    ExecEditMenu(*this, e->globalPos(), [this] { PasteFromClipboard(); });
}

void TGridEditBtn::mouseDoubleClickEvent(QMouseEvent* e)
{
    TQsgEditBtn::mouseDoubleClickEvent(e);
    if (!host)
        return;
    int col = 0, row = 0;
    host->CurrentCell(col, row);
    host->DblClickCell(row, col);
}

void TGridEditBtn::focusOutEvent(QFocusEvent* e)
{
    TQsgEditBtn::focusOutEvent(e);
    if (host && EditorLeftForGood(this, e))
        host->HideInplaceEdit();
}

// ---- TGridUnitEditBtn

TGridUnitEditBtn::TGridUnitEditBtn(QWidget* grid, TGridEditHost* h) : TQsgUnitEditBtn(grid), host(h)
{
    setObjectName(QStringLiteral("GridUnitEditBtn"));
    OnClickBtn = [this](QObject*) {
        if (!host)
            return;
        setText(host->EllipsisClick(text()));
        selectAll();
        update();
    };
    OnUnitChanged = [this](QObject*, const QString& unit) {
        if (host)
            host->UnitChanged(unit);
    };
    connect(this, &QLineEdit::textChanged, this, [this](const QString& s) { ReportEditChange(host, this, s); });
    hide();
    setEnabled(false);
}

void TGridUnitEditBtn::ReCreate()
{
    const bool blocked = blockSignals(true);
    clear();
    SetUnitID(QString());
    blockSignals(blocked);
}

void TGridUnitEditBtn::LoadTextAndUnit(const QString& value)
{
    SetUnitID(QString());
    setText(value);
    SetTextAndUnit(value);
}

bool TGridUnitEditBtn::event(QEvent* e)
{
    if (host && RouteClaimedTab(e, host->TabsOption(), [this](QKeyEvent* k) { keyPressEvent(k); }))
        return true;
    return TQsgUnitEditBtn::event(e);
}

void TGridUnitEditBtn::keyPressEvent(QKeyEvent* e)
{
    if (!host) {
        TQsgUnitEditBtn::keyPressEvent(e);
        return;
    }
    const int key = e->key();
    if (!isClosingKey(key)) {
        if (isTypedChar(e) && filteredOut(*host, *this, e->text().front(), false)) {
            e->accept();
            return;
        }
        TQsgUnitEditBtn::keyPressEvent(e);
        return;
    }
    e->accept();
    closingKey(key, e->modifiers());
}

void TGridUnitEditBtn::closingKey(int key, Qt::KeyboardModifiers mods)
{
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    if (tab || IsNoAdvanceKey(key)) {
        const bool ok = StoreAndValidate(*host, TextAndUnit());
        LoadTextAndUnit(host->CurrentCellText());
        if (!ok) {
            if (IsNoAdvanceKey(key))
                host->SetNoAutoAdvance(true);
            return;
        }
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && host->EditNavigation().AdvanceOnEnter()) {
        host->HideInplaceEdit();
        host->FocusGrid();
        host->AdvanceToNextCell(true, false);
        return;
    }
    if (tab && host->TabsOption()) {
        host->HideInplaceEdit();
        host->FocusGrid();
        host->AdvanceOnTab((mods & Qt::ShiftModifier) || key == Qt::Key_Backtab);
        return;
    }
    if (key == Qt::Key_Escape)
        LoadTextAndUnit(host->CurrentCellText());
    host->DoneInplaceEdit(tab ? Qt::Key_Tab : key, mods);
}

void TGridUnitEditBtn::focusOutEvent(QFocusEvent* e)
{
    TQsgUnitEditBtn::focusOutEvent(e);
    if (host && EditorLeftForGood(this, e))
        host->HideInplaceEdit();
}

} // namespace grid
