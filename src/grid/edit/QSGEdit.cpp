#include "grid/edit/QSGEdit.h"
#include "platform/Clipboard.h"

#include "grid/QvObj.h"
#include "grid/edit/EditFilters.h"
#include "grid/edit/GridEditorEnd.h"
#include "grid/edit/GridUnitHelpers.h"
#include "grid/look/ZirAzur.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMimeData>

namespace grid {

TQvInplaceEdit::TQvInplaceEdit(TStringGrid* grid, TGridEditHost* h) : TInplaceEdit(grid), host(h)
{
    setObjectName(QStringLiteral("QvInplaceEdit"));
    // Dropped text would pass by the character and paste filters.
    setAcceptDrops(false);
}

void TQvInplaceEdit::SetVAlign(bool v)
{
    FValign = v;
    setAlignment(v ? (Qt::AlignRight | Qt::AlignVCenter) : (Qt::AlignLeft | Qt::AlignVCenter));
}

void TQvInplaceEdit::LoadContents()
{
    host->CurrentCell(FColE, FRowE);
    const TColor c = host->CellColor(FColE, FRowE);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, platform::toQColor(c));
    setPalette(pal);
    SetVAlign(host->CellRightAligned(FColE, FRowE));
    const bool password = host->EditControl() == edPassword;
    setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    Workmode = true;
    host->GetEditorProps(FColE, FRowE);
}

void TQvInplaceEdit::PlaceCaret()
{
    if (!host->EditNavigation().EditSelectAll()) {
        deselect();
        setCursorPosition(text().size());
    } else {
        selectAll();
    }
    if (host->OpenedByMouse()) {
        const QPoint p = mapFromGlobal(QCursor::pos());
        if (rect().contains(p)) {
            deselect();
            setCursorPosition(cursorPositionAt(p));
            host->ClearOpenedByMouse();
        }
    }
}

bool TQvInplaceEdit::event(QEvent* e)
{
    if (!host)
        return QLineEdit::event(e);
    // Tab reaches the key handling instead of moving the focus when the grid wants it there.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && host->EditorWantsTab()) {
            keyPressEvent(k);
            return true;
        }
    }
    return TInplaceEdit::event(e);
}

void TQvInplaceEdit::changed()
{
    // The cell follows the editor as the user types, so anything looking at the cell
    // meanwhile (validation handlers among them) sees the new text.
    host->StoreEditText(text());
    if (!host->NoEditChange())
        host->EditChange(FColE, FRowE, text());
}

void TQvInplaceEdit::reject(const QString& oldCellText, bool repaint)
{
    setText(host->NewCellText());
    if (host->EditNavigation().EditSelectAll())
        selectAll();
    else
        setCursorPosition(text().size());
    if (repaint)
        update();
    host->SetOldCellText(oldCellText);
}

bool TQvInplaceEdit::storeAndValidate(const QString& s)
{
    host->SetValidating(true);
    host->StoreCurrentCellText(s);
    host->SetValidating(false);
    return host->ValidateCell(s);
}

void TQvInplaceEdit::keyPressEvent(QKeyEvent* e)
{
    if (!host) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const QString before = text();
    // The grid's OnKeyDown sees every key first; a handler that clears it takes the key.
    int firstKey = e->key();
    host->EditorKeyDown(firstKey, e->modifiers());
    if (firstKey == 0 && e->key() != 0)
        return;
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    FOldSelStart = cursorPosition();
    FSelKeyDown = cursorPosition();
    Workmode = !(key == Qt::Key_Backspace || key == Qt::Key_Delete);
    TNavigation& nav = host->EditNavigation();
    const bool isEnter = key == Qt::Key_Return || key == Qt::Key_Enter;

    if (key == Qt::Key_Escape) {
        setText(host->CellCache());
        host->HideInplaceEdit();
        QChar ch(27);
        host->GridKeyPress(ch);
        return;
    }
    if (key == Qt::Key_A && ctrl && !(mods & Qt::AltModifier)) {
        selectAll();
        return;
    }
    if (isEnter && ctrl)
        return; // one line only: no line break to insert
    if (e->matches(QKeySequence::Paste)) {
        paste();
        if (text() != before)
            changed();
        return;
    }

    const QString oldCellText = host->OldCellText();
    const QString current = text();
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && host->EditorWantsTab()) {
        if (host->ValidateCell(current)) {
            setText(host->NewCellText());
            host->HideInplaceEdit();
            if (host->TabsOption())
                host->AdvanceOnTab(shift || key == Qt::Key_Backtab);
            else
                host->PostGridKey(Qt::Key_Tab);
        } else {
            reject(oldCellText, true);
        }
        return;
    }
    if (((key == Qt::Key_Left && cursorPosition() == 0) || (key == Qt::Key_Right && cursorPosition() == current.size()))
        && shift && nav.CursorWalkEditor()) {
        if (storeAndValidate(current)) {
            setText(host->NewCellText());
            host->HideInplaceEdit();
            host->FocusGrid();
        } else {
            reject(oldCellText, true);
        }
        return;
    }
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        // A single-line editor: every line is the first and the last.
        if (!storeAndValidate(current)) {
            reject(oldCellText, true);
            return;
        }
        setText(host->NewCellText());
        host->GridKeyDown(key, mods);
        return;
    }
    if (isEnter) {
        if (!host->ValidateCell(current)) {
            reject(oldCellText, false);
            return;
        }
        setText(host->NewCellText());
        QChar ch(13); // the grid's key-press step fires OnKeyPress and moves on
        host->GridKeyPress(ch);
        return;
    }
    if ((key == Qt::Key_Home || key == Qt::Key_End) && !ctrl && !shift) {
        setCursorPosition(key == Qt::Key_Home ? 0 : text().size());
        return;
    }
    if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
        host->GridKeyDown(key, mods);
        return;
    }
    const QString t = e->text();
    if (!t.isEmpty() && t.at(0).isPrint()) {
        if (ctrl)
            QLineEdit::keyPressEvent(e); // the edit control's own shortcuts
        else
            filterChar(t.at(0), mods & Qt::KeypadModifier, ctrl);
        if (text() != before)
            changed();
        return;
    }
    QLineEdit::keyPressEvent(e);
    if (text() != before)
        changed();
}

void TQvInplaceEdit::insertChar(QChar ch)
{
    QChar key = ch;
    host->EditorKeyPress(this, key);
    if (key.isNull())
        return;
    insert(QString(key));
}

TQvInplaceEdit::CharResult TQvInplaceEdit::filterChar(QChar ch, bool keypad, bool ctrl)
{
    const TEditorType kind = host->EditControl();
    const QChar dec = LocaleDecimalSeparator();
    if (keypad && ch == QLatin1Char('.') && host->ExcelStyleDecimalSeparator())
        ch = dec;
    if (FLengthLimit > 0 && text().size() >= FLengthLimit && !hasSelectedText())
        return CharResult::Dropped; // silently: the limit is reached
    const QString t = text();
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    const QString sel = selectedText();
    switch (kind) {
    case edNormal:
    case edPassword:
        insertChar(ch);
        break;
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edPositiveFloat: {
        const bool integer = kind == edNumeric || kind == edPositiveNumeric;
        const bool signedKind = kind == edNumeric || kind == edFloat;
        switch (NumberCharVerdict(integer, signedKind, ch, TEditState{t, caret, sel}, ctrl)) {
        case TCharVerdict::Accept:
            insertChar(ch);
            break;
        case TCharVerdict::AcceptUnfiltered:
            insertChar(ch);
            return CharResult::Dropped;
        case TCharVerdict::Beep:
            host->Beep();
            return CharResult::Dropped;
        case TCharVerdict::Drop:
            return CharResult::Dropped;
        }
        break;
    }
    case edCapital:
    case edUpperCase:
        insertChar(QLocale().toUpper(QString(ch)).at(0));
        break;
    case edLowerCase:
        insertChar(QLocale().toLower(QString(ch)).at(0));
        break;
    case edMixedCase: {
        insertChar(ch);
        const int pos = cursorPosition();
        setText(ZirAzur::ToMixedCase(text()));
        setCursorPosition(pos);
        break;
    }
    case edValidChars: {
        const QString valid = host->ValidChars();
        const bool ok =
            valid.isEmpty() ? (ch.unicode() < 256 && host->ValidCharSet().test(ch.unicode())) : valid.contains(ch);
        if (!ok) {
            host->Beep();
            return CharResult::Dropped;
        }
        insertChar(ch);
        break;
    }
    default:
        return CharResult::Dropped;
    }
    // Auto advance: a full editor moves on as Enter does.
    TNavigation& nav = host->EditNavigation();
    const int maxLen = host->InplaceEditLimit();
    if (nav.AdvanceAuto() && nav.AdvanceOnEnter() && maxLen > 0 && text().size() == maxLen && !hasSelectedText()
        && cursorPosition() == text().size()) {
        changed();
        QChar enter(13);
        host->GridKeyPress(enter);
    }
    return CharResult::Passed;
}

void TQvInplaceEdit::paste()
{
    QString pasted = platform::clipboardText();
    if (pasted.isEmpty())
        return;
    if (!host->ClipboardPaste(this, pasted))
        return;
    const bool hadSel = hasSelectedText();
    const TPasteMerge m = MergePaste(TEditState{text(), hadSel ? selectionStart() : cursorPosition(), selectedText()},
                                     pasted, FLengthLimit);
    if (!m.ok)
        return;
    QString candidate = m.text;
    switch (host->EditControl()) {
    case edNumeric:
    case edPositiveNumeric:
        if (!NumberPasteAllowed(true, host->EditControl() == edNumeric, candidate))
            return;
        break;
    case edFloat:
    case edPositiveFloat:
        if (!NumberPasteAllowed(false, host->EditControl() == edFloat, candidate))
            return;
        break;
    case edValidChars:
        for (const QChar c : candidate)
            if (!host->ValidChars().contains(c))
                return;
        break;
    case edLowerCase:
        candidate = QLocale().toLower(candidate);
        break;
    case edUpperCase:
        candidate = QLocale().toUpper(candidate);
        break;
    case edMixedCase:
        candidate = ZirAzur::ToMixedCase(candidate);
        break;
    default:
        break;
    }
    setText(candidate);
    if (hadSel)
        setSelection(m.selStart, m.selLength);
    else
        setCursorPosition(m.caret);
}

void TQvInplaceEdit::keyReleaseEvent(QKeyEvent* e)
{
    if (!host) {
        QLineEdit::keyReleaseEvent(e);
        return;
    }
    const int key = e->key();
    if ((key == Qt::Key_Left || key == Qt::Key_Right) && !(e->modifiers() & Qt::ShiftModifier)
        && host->EditNavigation().CursorWalkEditor()) {
        cursorWalk(e);
        return;
    }
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        QLineEdit::keyReleaseEvent(e);
        return;
    }
    QLineEdit::keyReleaseEvent(e);
    DoChange();
}

void TQvInplaceEdit::cursorWalk(QKeyEvent* e)
{
    const bool left = e->key() == Qt::Key_Left;
    if (hasSelectedText())
        return;
    if (left && !(cursorPosition() == 0 && FSelKeyDown == 0))
        return;
    if (!left && text().size() != FOldSelStart)
        return;
    int col = 0, row = 0;
    host->CurrentCell(col, row);
    TNavigation& nav = host->EditNavigation();
    const int target = left ? col - 1 : col + host->CellSpanX(col, row) + 1;
    const bool inside = left ? col > host->FixedColCount() : col < host->LastNormalCol();
    if (!inside)
        return;
    if (host->IsControlCell(target, row)) {
        if (host->ValidateCell(text())) {
            host->HideInplaceEdit();
            host->MoveCurrentCol(target);
        }
        return;
    }
    if (left && !host->ValidateCell(text()))
        return;
    host->HideInplaceEdit();
    host->FocusGrid();
    const TAdvanceDirection d = nav.AdvanceDirection();
    nav.SetAdvanceDirection(adLeftRight);
    host->AdvanceToNextCell(!left, true);
    nav.SetAdvanceDirection(d);
    if (nav.CursorWalkAlwaysEdit())
        host->ShowInplaceEdit();
}

void TQvInplaceEdit::DoChange()
{
    if (!Workmode || hasSelectedText() || !host->Lookup())
        return;
    const QStringList& items = host->LookupItems();
    if (items.isEmpty())
        return;
    const QString prefix = text().left(cursorPosition());
    const int i = LookupMatch(items, prefix, host->LookupCaseSensitive());
    if (i < 0)
        return;
    const QString completed = LookupCompleted(prefix, items[i]);
    if (completed == text())
        return;
    setText(completed);
    setSelection(prefix.size(), completed.size() - prefix.size());
    changed();
}

void TQvInplaceEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    if (!host)
        return;
    FGotFocus = true;
    host->SetNoEditChange(false);
    FLengthLimit = host->InplaceEditLimit();
    setMaxLength(FLengthLimit > 0 ? FLengthLimit : 32767);
    PlaceCaret();
}

void TQvInplaceEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (!host)
        return;
    host->ClearStartEditChar();
    if (host->LookupHistory() && !text().isEmpty() && !host->LookupItems().contains(text()))
        host->LookupItems().append(text());
    if (e->reason() == Qt::PopupFocusReason)
        return;
    QWidget* to = QApplication::focusWidget();
    if (isVisible() && !host->IsGridWindow(to)) {
        // Leaving for another window: validate, close whatever the outcome.
        host->ValidateCell(text());
        setText(host->CurrentCellText());
        host->HideInplaceEdit();
        host->EndEditOnFocusLoss();
        host->SelectCellAgain(FColE, FRowE);
    }
    if (host->NoEditChange())
        setText(host->CurrentCellText());
    if (FGotFocus) {
        FGotFocus = false;
        host->SignalEditDone(FColE, FRowE);
    }
}

// The edit menu's Paste goes through the same filter as Ctrl+V.
void TQvInplaceEdit::contextMenuEvent(QContextMenuEvent* e)
{
    if (!host) {
        QLineEdit::contextMenuEvent(e);
        return;
    }
    ExecEditMenu(*this, e->globalPos(), [this] {
        const QString before = text();
        paste();
        if (text() != before)
            changed();
    });
}

void TQvInplaceEdit::mouseDoubleClickEvent(QMouseEvent* e)
{
    QLineEdit::mouseDoubleClickEvent(e);
    if (!host)
        return;
    int col = 0, row = 0;
    host->CurrentCell(col, row);
    host->DblClickCell(row, col);
}

} // namespace grid
