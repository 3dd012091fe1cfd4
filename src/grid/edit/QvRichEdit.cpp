// The hidden rich-edit control of the grid.

#include "grid/edit/QvRichEdit.h"

#include "platform/RichText.h"

namespace grid {

TQvRichEdit::TQvRichEdit(QWidget* parent) : QTextEdit(parent)
{
    setObjectName(QStringLiteral("TQvRichEdit"));
    setFrameStyle(QFrame::NoFrame);
    setVisible(false);
    document()->setDocumentMargin(0);
}

void TQvRichEdit::LoadRtf(const QString& rtf)
{
    platform::loadRtf(*document(), rtf);
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

} // namespace grid
