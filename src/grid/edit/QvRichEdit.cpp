// The grid's rich-edit control: the measuring engine and the in-place editor of rich cells.

#include "grid/edit/QvRichEdit.h"

#include "grid/QvGrid.h"
#include "grid/edit/GridEdit.h"
#include "platform/RichText.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTextCursor>
#include <QtMath>

#include <typeinfo>

namespace grid {

TQvRichEdit::TQvRichEdit(QWidget* owner) : QTextEdit(owner), FGrid(qobject_cast<TQvStringGrid*>(owner))
{
    if (!FGrid)
        throw std::bad_cast();
    setObjectName(QStringLiteral("TQvRichEdit"));
    setFrameStyle(QFrame::NoFrame);
    setVisible(false);
    document()->setDocumentMargin(0);
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            [this](const QSizeF&) { contentSizeChanged(); });
}

void TQvRichEdit::LoadRtf(const QString& rtf)
{
    platform::loadRtf(*document(), rtf);
}

QString TQvRichEdit::RichText() const
{
    return platform::saveRtf(*document());
}

QString TQvRichEdit::PlainText() const
{
    return platform::richPlainText(*document());
}

QSize TQvRichEdit::RequestedSize(QPaintDevice* device)
{
    return platform::richTextSize(*document(), WordWrap() ? width() : 0, device);
}

void TQvRichEdit::SetWordWrap(bool wrap)
{
    setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TQvRichEdit::SetSelOffset(int twips)
{
    QTextCursor c = textCursor();
    QTextCharFormat f;
    platform::setCharOffset(f, twips);
    c.mergeCharFormat(f);
    mergeCurrentCharFormat(f);
}

int TQvRichEdit::SelOffset() const
{
    // The selection's format is that of its first character, as the platform control answers.
    const QTextCursor c = textCursor();
    if (!c.hasSelection())
        return platform::charOffset(currentCharFormat());
    QTextCursor first(document());
    first.setPosition(c.selectionStart());
    first.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    return platform::charOffset(first.charFormat());
}

void TQvRichEdit::contentSizeChanged()
{
    if (FGrid->Designing())
        return;
    const QSizeF s = document()->size();
    HandleRequestResize(qCeil(s.width()), qCeil(s.height()));
}

void TQvRichEdit::HandleRequestResize(int width, int height)
{
    FReqWidth = width;
    FReqHeight = height;
    if (FGrid->FInplaceRichEdit != this || !FGrid->SizeWhileTyping().Height() || FLocked)
        return;
    const int n = height;
    const int row = FGrid->Row();
    const TRect r = FGrid->CellRect(FGrid->Col(), row);
    if (FGrid->RowHeights(row) >= n + 5 || r.Top + n + 5 > FGrid->height())
        return;
    resize(this->width(), n + 9);
    FGrid->SetRowHeights(row, n + 10);
    if (FGrid->OnEndRowSize)
        FGrid->OnEndRowSize(FGrid, row);
}

bool TQvRichEdit::event(QEvent* e)
{
    // Tab stays with the editor (the grid moves on through its own handling below) instead of
    // moving the focus along the window's chain.
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Tab && FGrid->HasOption(goTabs)) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return QTextEdit::event(e);
}

void TQvRichEdit::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    const Qt::KeyboardModifiers shift = e->modifiers();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        if (FGrid->HasOption(goTabs)) {
            // The cell is stored before the grid moves on, as leaving the editor does.
            FGrid->HideInplaceEdit();
            TakeFocusFromEditor(FGrid);
            FGrid->KeyDown(Qt::Key_Tab, key == Qt::Key_Backtab ? (shift | Qt::ShiftModifier) : shift);
            FGrid->ShowInplaceEdit();
            e->accept();
            return;
        }
    }
    QTextEdit::keyPressEvent(e);
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && !FGrid->WordWrap() && !FGrid->PaintSettings().Multilinecells) {
        TakeFocusFromEditor(FGrid);
        FGrid->KeyDown(key, shift);
    }
}

void TQvRichEdit::focusOutEvent(QFocusEvent* e)
{
    if (!FGrid->InvokedFocusChange && FGrid->FInplaceRichEdit == this && QApplication::focusWidget() == FGrid)
        FGrid->HideInplaceEdit();
    QTextEdit::focusOutEvent(e);
}

} // namespace grid
