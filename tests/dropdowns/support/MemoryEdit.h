#pragma once
// An edit window in memory for the edit-type rules: a text, an anchor and a caret, the plain
// editing a one-line edit does by itself (arrows, Home, End, Delete, Backspace, inserting over
// the selection) and the drop-down's modified flag, change count and remembered text. States
// are written as text with markers: "|" the caret, "[" the selection's other end.

#include "dropdowns/EditTypeRules.h"

#include <QString>

#include <algorithm>

namespace testsupport {

class MemoryEdit : public dropdowns::TEditTypeHost {
public:
    explicit MemoryEdit(const dropdowns::TEditTypeSettings& settings) : settings(settings) {}

    dropdowns::TEditTypeRules rules() { return dropdowns::TEditTypeRules(*this, settings); }

    // "12|3", "$|12[ kg".
    void SetState(const QString& marked)
    {
        text.clear();
        int a = -1, c = 0;
        for (QChar ch : marked) {
            if (ch == QLatin1Char('|'))
                c = int(text.size());
            else if (ch == QLatin1Char('['))
                a = int(text.size());
            else
                text += ch;
        }
        caret = c;
        anchor = a < 0 ? c : a;
    }
    QString State() const
    {
        QString out;
        for (int i = 0; i <= text.size(); ++i) {
            if (i == caret)
                out += QLatin1Char('|');
            else if (i == anchor)
                out += QLatin1Char('[');
            if (i < text.size())
                out += text.at(i);
        }
        return out;
    }

    // ---- TEditTypeHost ----
    QString EditText() const override { return text; }
    int SelStart() const override { return std::min(anchor, caret); }
    int SelLength() const override { return std::abs(caret - anchor); }
    void SetSelection(int start, int length) override
    {
        const int n = int(text.size());
        anchor = std::clamp(start, 0, n);
        caret = std::clamp(start + length, 0, n);
    }
    void SetRawText(const QString& t) override
    {
        editModified = false;
        anchor = caret = int(t.size());
        if (t == text)
            return;
        text = t;
        notify();
    }
    void SetText(const QString& value) override { oldText = rules().SetText(value); }
    bool EditModified() const override { return editModified; }
    bool IsModified() const override { return modified; }
    void SetModifiedState(bool v) override
    {
        editModified = v;
        modified = v;
    }
    void SetBlockChange(bool v) override { blockChange = v; }
    void Change() override { ++changes; }
    void InheritedKeyDown(int& key, Qt::KeyboardModifiers shift) override
    {
        const bool extend = shift.testFlag(Qt::ShiftModifier);
        const auto moveTo = [&](int p) {
            caret = std::clamp(p, 0, int(text.size()));
            if (!extend)
                anchor = caret;
        };
        switch (key) {
        case Qt::Key_Left:
            moveTo(SelLength() && !extend ? SelStart() : caret - 1);
            break;
        case Qt::Key_Right:
            moveTo(SelLength() && !extend ? SelStart() + SelLength() : caret + 1);
            break;
        case Qt::Key_Home:
            moveTo(0);
            break;
        case Qt::Key_End:
            moveTo(int(text.size()));
            break;
        case Qt::Key_Delete:
            if (SelLength())
                removeSelection();
            else if (caret < text.size())
                edit(caret, 1, QString());
            break;
        default:
            break;
        }
    }
    void InheritedChar(QChar key, Qt::KeyboardModifiers) override
    {
        if (key == QLatin1Char('\b')) {
            if (SelLength())
                removeSelection();
            else if (caret > 0)
                edit(caret - 1, 1, QString());
            return;
        }
        if (key.unicode() < 0x20)
            return;
        // Like the widget: a selection typed over is removed first, with its own notice.
        if (SelLength() && blockChange)
            removeSelection();
        edit(SelStart(), SelLength(), QString(key));
    }
    bool ParentFormChar(QChar& key, Qt::KeyboardModifiers) override { return key == QLatin1Char('\r'); }
    bool AllowPaste(const QString&) override { return true; }

    dropdowns::TEditTypeSettings settings;
    QString text;
    int anchor = 0;
    int caret = 0;
    bool editModified = false;
    bool modified = false;
    bool blockChange = false;
    int changes = 0;
    QString oldText;

private:
    void notify()
    {
        if (blockChange) {
            blockChange = false;
            return;
        }
        ++changes;
    }
    void removeSelection() { edit(SelStart(), SelLength(), QString()); }
    void edit(int at, int length, const QString& insert)
    {
        text.replace(at, length, insert);
        anchor = caret = at + int(insert.size());
        editModified = true;
        notify();
    }
};

} // namespace testsupport
