#pragma once
// The grid's hidden rich-edit control: rich-text cells ("{\" texts) are loaded into it to be
// turned into plain text, measured and drawn. It is a text edit over the RTF reader of
// platform/RichText.h; the grid creates it on first use (TQvStringGrid::RichEdit).

#include <QSize>
#include <QString>
#include <QTextEdit>

namespace grid {

class TQvRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TQvRichEdit(QWidget* parent = nullptr);

    // Replaces the content with what the RTF text holds.
    void LoadRtf(const QString& rtf);
    // The content's text, paragraphs joined by CR LF.
    QString PlainText() const;
    // The size the content asks for: at the control's width with word wrap, else on unwrapped
    // lines; laid out for device when one is given.
    QSize RequestedSize(QPaintDevice* device = nullptr);
    void SetWordWrap(bool wrap);
    bool WordWrap() const { return lineWrapMode() != QTextEdit::NoWrap; }
};

} // namespace grid
