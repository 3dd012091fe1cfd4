#pragma once
// A line edit as a custom cell editor through an edit link: it counts its openings and
// closings and hands its key presses to the link's decision, as a descendant connects them.

#include "grid/edit/EditLink.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace grid::test {

class LineLink : public grid::TEditLink {
public:
    using TEditLink::TEditLink;
    QWidget* GetEditControl() override { return edit; }
    void CreateEditor(QWidget* parent) override
    {
        ++created;
        if (!edit) {
            edit = new QLineEdit(parent);
            edit->installEventFilter(this);
        } else if (edit->parentWidget() != parent) {
            edit->setParent(parent);
        }
    }
    void DestroyEditor() override
    {
        ++destroyed;
        // The edit's teardown sends focus events, which must not reach the filter of a
        // half-destroyed edit.
        if (edit)
            edit->removeEventFilter(this);
        delete edit;
    }
    QString GetEditorValue() override { return edit ? edit->text() : QString(); }
    void SetEditorValue(const QString& v) override
    {
        if (edit)
            edit->setText(v);
    }
    // The control's key presses go to the link's decision, as a descendant connects them.
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress && o == edit) {
            auto* k = static_cast<QKeyEvent*>(e);
            int key = k->key();
            const bool gridKey = IsGridKey(key, k->modifiers());
            EditKeyDown(edit, key, k->modifiers());
            return gridKey;
        }
        return false;
    }
    QPointer<QLineEdit> edit;
    int created = 0, destroyed = 0;
};

} // namespace grid::test
