#pragma once
// The grid's rich-edit control, in two roles: the hidden measuring and converting engine for
// rich-text cells ("{\" texts; TQvStringGrid::RichEdit) and the in-place editor of edRichEdit
// cells (TQvStringGrid::InplaceRichEdit). It is a text edit over the RTF reader and writer of
// platform/RichText.h. Its owner must be the grid: the in-place role hands Tab, Up and Down and
// the end of the edit to it.

#include <QSize>
#include <QString>
#include <QTextEdit>

namespace grid {

class TQvStringGrid;

class TQvRichEdit : public QTextEdit {
    Q_OBJECT
public:
    // Throws std::bad_cast when the owner is no grid.
    explicit TQvRichEdit(QWidget* owner);

    // Replaces the content with what the RTF text holds.
    void LoadRtf(const QString& rtf);
    // The content as RTF (what an edRichEdit cell stores).
    QString RichText() const;
    // The content's text, paragraphs joined by CR LF.
    QString PlainText() const;
    // The size the content asks for: at the control's width with word wrap, else on unwrapped
    // lines; laid out for device when one is given.
    QSize RequestedSize(QPaintDevice* device = nullptr);
    void SetWordWrap(bool wrap);
    bool WordWrap() const { return lineWrapMode() != QTextEdit::NoWrap; }

    // Vertical offset of the selected characters: 0, 40 twips down, 40 twips up.
    void SelNormal() { SetSelOffset(0); }
    void SelSubscript() { SetSelOffset(-40); }
    void SelSuperscript() { SetSelOffset(40); }
    bool IsSelNormal() const { return SelOffset() == 0; }
    bool IsSelSubscript() const { return SelOffset() == -40; }
    bool IsSelSuperscript() const { return SelOffset() == 40; }

    // The grid locks resize reactions while it loads a cell into the in-place editor.
    void LockResize() { FLocked = true; }
    void UnlockResize() { FLocked = false; }
    bool Locked() const { return FLocked; }

    // The text's area inside the control, inset on every side.
    void SetFormatInset(int inset) { setViewportMargins(inset, inset, inset, inset); }

    // The size the content last asked for.
    int ReqWidth() const { return FReqWidth; }
    int ReqHeight() const { return FReqHeight; }

    // A resize request of the given size, as the content's layout reports it.
    void HandleRequestResize(int width, int height);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool event(QEvent* e) override;

private:
    void SetSelOffset(int twips);
    int SelOffset() const;
    void contentSizeChanged();

    TQvStringGrid* FGrid;
    int FReqWidth = 0;
    int FReqHeight = 0;
    bool FLocked = false;
};

} // namespace grid
