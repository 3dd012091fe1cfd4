#pragma once
// A drop-down for a text of several lines. The lines live in MemoText; the popup holds a
// borderless memo in which the user edits them. A pure picker's edit (EditorEnabled off) shows
// the first line, followed by "..." when more lines exist or cut with "..." when it is too
// wide; an editable one shows the whole text, every line followed by a line break.
//
// MemoText is the value of record: the memo is filled from it at every opening and copied back
// at every closing. A click elsewhere keeps the memo's edits; a cancel (Escape) brings back the
// lines and the edit text the popup opened with. Keys typed in the memo stay there, except
// Escape, F4 and keys held with Alt, which go on to the edit.

#include "dropdowns/QvDropDown.h"

#include <QMenu>
#include <QPointer>
#include <QStringList>

#include <QPlainTextEdit>

namespace dropdowns {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TQvMemoDropDown : public TQvCustomDropDown {
    Q_OBJECT
public:
    explicit TQvMemoDropDown(QWidget* owner = nullptr, platform::Desktop* desktop = nullptr);

    const QStringList& MemoText() const { return FMemoText; }
    void SetMemoText(const QStringList& v);
    QPlainTextEdit* Memo() const { return FMemo; }
    QMenu* MemoPopup() const { return FMemoPopup; }
    void SetMemoPopup(QMenu* v) { FMemoPopup = v; }
    TScrollStyle MemoScrollBars() const { return FMemoScrollBars; }
    void SetMemoScrollBars(TScrollStyle v) { FMemoScrollBars = v; }
    bool MemoReadOnly() const { return FMemoReadOnly; }
    void SetMemoReadOnly(bool v);
    bool AutoDrop() const { return FAutoDrop; }
    void SetAutoDrop(bool v) { FAutoDrop = v; }

    // Every change typed in the popup memo.
    TNotifyEvent OnMemoChange;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void CloseDropDown(bool cancelChanges) override;
    void DropDownClosed() override;
    void ControlKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void ControlKeyUp(int& key, Qt::KeyboardModifiers shift) override;
    void ControlKeyPress(QChar& key) override;
    // The edit's change notice (TextChanged): MemoText follows a text the picker did not write.
    void Change() override;
    void HandleSetFocus(QFocusEvent* e) override;
    // The change notice of MemoText: computes the text the edit shows.
    void MemoTextChanged();
    void MemoChanged();

private:
    bool altHeld(Qt::KeyboardModifiers shift) const;
    void setMemoLines(const QStringList& lines);
    QStringList memoLines() const;

    QPointer<QMenu> FMemoPopup;
    QStringList FMemoText;
    QPointer<QPlainTextEdit> FMemo;
    TScrollStyle FMemoScrollBars = ssNone;
    bool FMemoReadOnly = false;
    bool FInternalUpdate = false;
    bool FAutoDrop = false;
    // What a cancel brings back.
    QStringList FOpenedMemoText;
    // True while the picker itself writes the memo: MaxLength restrains typing and pasting only.
    bool FMemoWriting = false;
    // The memo text's length before the latest change, for cutting what typing added past MaxLength.
    int FMemoLength = 0;
};

} // namespace dropdowns
