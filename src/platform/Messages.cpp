#include "platform/Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

namespace {

QString captionOr(const QString& caption)
{
    return caption.isEmpty() ? QApplication::applicationDisplayName() : caption;
}

} // namespace

void MessageBoxes::error(QWidget* parent, const QString& text, const QString& caption)
{
    show(parent, text, captionOr(caption), MsgIcon::Error, MsgButtons::Ok);
}

bool MessageBoxes::askYesNo(QWidget* parent, const QString& text, const QString& caption)
{
    return show(parent, text, captionOr(caption), MsgIcon::Question, MsgButtons::YesNo) == MsgResult::Yes;
}

MsgResult MessageBoxes::askYesNoCancel(QWidget* parent, const QString& text, const QString& caption)
{
    return show(parent, text, captionOr(caption), MsgIcon::Question, MsgButtons::YesNoCancel);
}

void MessageBoxes::information(QWidget* parent, const QString& text, const QString& caption)
{
    show(parent, text, captionOr(caption), MsgIcon::Information, MsgButtons::Ok);
}

MsgResult QtMessageBoxes::show(QWidget* parent, const QString& text, const QString& caption, MsgIcon icon,
                               MsgButtons buttons)
{
    QMessageBox box(parent);
    box.setText(text);
    box.setWindowTitle(caption);
    switch (icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    default:
        return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
    }
}

} // namespace platform
