// The memo picker: a frameless QPlainTextEdit in the popup, the lines in MemoText.

#include "dropdowns/QvMemoDropDown.h"
#include "dropdowns/DropDownHelpers.h"
#include "platform/Desktop.h"

#include <QFocusEvent>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextCursor>

#include <algorithm>

namespace dropdowns {

namespace {

constexpr int kMemoHeight = 100;
const QString kLineBreak = QStringLiteral("\n");

// The lines of a text as a string list takes them: split at any line break, a break at the
// end adding no empty line.
QStringList splitLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(breaks);
    if (lines.size() > 1 && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

// Every line followed by a line break.
QString joinedText(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + kLineBreak;
    return text;
}

} // namespace

TQvMemoDropDown::TQvMemoDropDown(QWidget* owner, platform::Desktop* desktop) : TQvCustomDropDown(owner, desktop)
{
    ConstructDropDown();
}

void TQvMemoDropDown::CreateDropDownForm()
{
    TQvCustomDropDown::CreateDropDownForm();
    if (FMemo)
        return;
    FMemo = new QPlainTextEdit(DropDownForm());
    FMemo->resize(FMemo->width(), kMemoHeight);
    FMemo->setFrameShape(QFrame::NoFrame);
    connect(FMemo, &QPlainTextEdit::textChanged, this, [this] { MemoChanged(); });
    FMemo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FMemo, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        if (FMemoPopup) {
            FMemoPopup->popup(FMemo->mapToGlobal(p));
            return;
        }
        QMenu* menu = FMemo->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(FMemo->mapToGlobal(p));
    });
    SetFocusControl(FMemo);
    SetControl(FMemo);
}

// ---- MemoText --------------------------------------------------------------------------------

void TQvMemoDropDown::SetMemoText(const QStringList& v)
{
    FMemoText = v;
    MemoTextChanged();
    if (FMemo)
        setMemoLines(v);
}

void TQvMemoDropDown::setMemoLines(const QStringList& lines)
{
    FMemoWriting = true;
    FMemo->setPlainText(lines.join(kLineBreak));
    FMemoWriting = false;
    FMemoLength = int(FMemo->toPlainText().size());
}

QStringList TQvMemoDropDown::memoLines() const
{
    return splitLines(FMemo->toPlainText());
}

void TQvMemoDropDown::SetMemoReadOnly(bool v)
{
    FMemoReadOnly = v;
    if (FDroppedDown && FMemo)
        FMemo->setReadOnly(v);
}

void TQvMemoDropDown::MemoTextChanged()
{
    QString shown;
    if (FMemoText.isEmpty() || FEditorEnabled) {
        shown = joinedText(FMemoText);
    } else {
        // The first line as it fits the text rectangle left of the button.
        const QString& line = FMemoText.front();
        QImage scratch(1, 1, QImage::Format_RGB32);
        QPainter canvas(&scratch);
        canvas.setFont(font());
        const int w = FEditRect.Right - FEditRect.Left;
        if (MeasureText(canvas, line).width() < w)
            shown = FMemoText.size() > 1 ? line + QStringLiteral("...") : line;
        else
            FitTextToWidth(canvas, line, w, true, shown);
    }
    FInternalUpdate = true;
    SetRawText(shown);
    FInternalUpdate = false;
}

void TQvMemoDropDown::Change()
{
    if (!FInternalUpdate)
        FMemoText = splitLines(QLineEdit::text()); // without its notice: the edit keeps its text
    TQvCustomDropDown::Change();
}

void TQvMemoDropDown::MemoChanged()
{
    // Typing and pasting stop at MaxLength: what a change added past it is taken out again, just
    // before the caret where it went in. A longer text the picker wrote itself stays whole, and
    // may shrink but not grow by typing.
    const int max = MaxLength();
    if (!FMemoWriting && max > 0) {
        const int length = int(FMemo->toPlainText().size());
        const int excess = length - std::max(max, FMemoLength);
        if (excess > 0) {
            const int end = FMemo->textCursor().position();
            QTextCursor cut(FMemo->document());
            cut.setPosition(std::max(0, end - excess));
            cut.setPosition(end, QTextCursor::KeepAnchor);
            FMemoWriting = true;
            cut.removeSelectedText();
            FMemoWriting = false;
        }
    }
    if (FMemoWriting)
        return;
    FMemoLength = int(FMemo->toPlainText().size());
    if (OnMemoChange)
        OnMemoChange(this);
}

// ---- the popup -------------------------------------------------------------------------------

void TQvMemoDropDown::BeforeDropDown()
{
    TQvCustomDropDown::BeforeDropDown();
    // A click elsewhere keeps the edits.
    DropDownForm()->SetCancelOnDeActivate(false);
    FOpenedMemoText = FMemoText;
    if (!FMemo)
        return;
    setMemoLines(FMemoText);
    FMemo->resize(width(), kMemoHeight);
    const bool horizontal = FMemoScrollBars == ssHorizontal || FMemoScrollBars == ssBoth;
    const bool vertical = FMemoScrollBars == ssVertical || FMemoScrollBars == ssBoth;
    FMemo->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    FMemo->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // A horizontal scroll bar means long lines stay whole.
    FMemo->setLineWrapMode(horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    FMemo->setReadOnly(FMemoReadOnly);
}

void TQvMemoDropDown::CloseDropDown(bool cancelChanges)
{
    if (!DropDownForm() || !DropDownForm()->isVisible())
        return;
    // The focus coming back is no entering.
    const bool autoDrop = FAutoDrop;
    FAutoDrop = false;
    // A cancel discards what was typed.
    if (cancelChanges && FMemo)
        setMemoLines(FMemoText);
    // The base hides the popup (DropDownClosed takes the memo's lines) and, cancelling,
    // writes back the text last written through Text.
    TQvCustomDropDown::CloseDropDown(cancelChanges);
    // That text may be older than the lines this opening began with (lines kept at an earlier
    // closing, or set through MemoText alone): those lines come back, and the edit shows them.
    if (cancelChanges)
        SetMemoText(FOpenedMemoText);
    // 4.
    FAutoDrop = autoDrop;
}

void TQvMemoDropDown::DropDownClosed()
{
    TQvCustomDropDown::DropDownClosed();
    if (FMemo)
        FMemoText = memoLines();
    MemoTextChanged();
    setCursorPosition(0);
}

void TQvMemoDropDown::HandleSetFocus(QFocusEvent* e)
{
    TQvCustomDropDown::HandleSetFocus(e);
    const Qt::FocusReason reason = e->reason();
    const bool entering = reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
    // Opened once the focus change is complete: a popup taking the focus in the middle of it
    // would leave the window without a focus widget when it closes.
    if (FAutoDrop && entering)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (hasFocus() && !FDroppedDown)
                    OpenDropDown();
            },
            Qt::QueuedConnection);
}

// ---- keys in the memo ------------------------------------------------------------------------

bool TQvMemoDropDown::altHeld(Qt::KeyboardModifiers shift) const
{
    return shift.testFlag(Qt::AltModifier) || FDesktop->keyModifiers().testFlag(Qt::AltModifier);
}

void TQvMemoDropDown::ControlKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (altHeld(shift) || key == Qt::Key_Escape || key == Qt::Key_F4) {
        int forwarded = key;
        TQvCustomDropDown::ControlKeyDown(forwarded, shift);
    }
    if (shift.testFlag(Qt::ControlModifier) && key == Qt::Key_A && FMemo)
        FMemo->selectAll();
}

void TQvMemoDropDown::ControlKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (altHeld(shift) || key == Qt::Key_Escape || key == Qt::Key_F4) {
        int forwarded = key;
        TQvCustomDropDown::ControlKeyUp(forwarded, shift);
    }
}

void TQvMemoDropDown::ControlKeyPress(QChar& key)
{
    if (altHeld({}) || key == QChar(0x1B)) {
        QChar forwarded = key;
        TQvCustomDropDown::ControlKeyPress(forwarded);
    }
}

} // namespace dropdowns
