#pragma once
// The drop-down edit as its edit-type rules see it: the line edit's text and selection, its
// own key and character handling, and the drop-down's modified and change-notice state.

#include "dropdowns/EditTypeRules.h"
#include "dropdowns/QvDropDown.h"

namespace dropdowns {

class EditTypeHost final : public TEditTypeHost {
public:
    explicit EditTypeHost(TQvCustomDropDown& dd) : dd(dd), rules(*this, dd.EditTypeSettings()) {}

    QString EditText() const override;
    int SelStart() const override;
    int SelLength() const override;
    void SetSelection(int start, int length) override;
    void SetRawText(const QString& text) override;
    void SetText(const QString& value) override;
    bool EditModified() const override;
    bool IsModified() const override;
    void SetModifiedState(bool v) override;
    void SetBlockChange(bool v) override;
    void Change() override;
    void InheritedKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void InheritedChar(QChar key, Qt::KeyboardModifiers shift) override;
    bool ParentFormChar(QChar& key, Qt::KeyboardModifiers shift) override;
    bool AllowPaste(const QString& predicted) override;

private:
    TQvCustomDropDown& dd;

public:
    // The settings are taken once, when the message arrives.
    TEditTypeRules rules;
};

} // namespace dropdowns
