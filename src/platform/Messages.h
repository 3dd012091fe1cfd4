#pragma once
// Message boxes. Windows reach them only through this interface, so tests can put a scripted
// double in place of the real dialogs and never block on a modal loop.

#include <QString>

class QWidget;

namespace platform {

enum class MsgIcon { None, Error, Warning, Information, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    virtual MsgResult show(QWidget* parent, const QString& text, const QString& caption, MsgIcon icon,
                           MsgButtons buttons) = 0;

    // The program's two common forms: an error sign with OK, and a question where only Yes goes on.
    void error(QWidget* parent, const QString& text, const QString& caption = QString());
    bool askYesNo(QWidget* parent, const QString& text, const QString& caption = QString());
    MsgResult askYesNoCancel(QWidget* parent, const QString& text, const QString& caption = QString());
    void information(QWidget* parent, const QString& text, const QString& caption = QString());
};

// The production implementation: a QMessageBox run modally.
class QtMessageBoxes final : public MessageBoxes {
public:
    MsgResult show(QWidget* parent, const QString& text, const QString& caption, MsgIcon icon,
                   MsgButtons buttons) override;
};

} // namespace platform
