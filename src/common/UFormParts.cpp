#include "common/UFormParts.h"

#include "common/GlyphButton.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/Xml.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include <algorithm>

namespace common {

QFont Verdana(int pixelSize, bool bold)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void Set_Fixed_Dialog_Frame(QDialog* dialog)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

void Fit_To_Screen(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // The frame is known once the window system has framed the window; before the first
    // showing it may not be, so room is kept for a usual border and title bar.
    QSize frame = window.frameGeometry().size() - window.geometry().size();
    if (frame.width() <= 0 && frame.height() <= 0)
        frame = QSize(8, 34);
    const QSize room = (area.size() - frame).expandedTo(QSize(1, 1));
    if (window.width() > room.width() || window.height() > room.height()) {
        const QSize fitted = window.size().boundedTo(room);
        window.setMinimumSize(window.minimumSize().boundedTo(fitted));
        window.resize(fitted);
    }
    const QSize outer = window.size() + frame;
    window.move(std::max(area.left(), area.left() + (area.width() - outer.width()) / 2),
                std::max(area.top(), area.top() + (area.height() - outer.height()) / 2));
}

TQvForm::TQvForm(platform::Services& services, QWidget* parent) : QDialog(parent), services_(services) {}

int TQvForm::ShowModal()
{
    setModal(true);
    return exec();
}

bool TQvForm::event(QEvent* event)
{
    // Here rather than in showEvent, which some windows replace.
    if (event->type() == QEvent::Show && !stripInTabOrder_) {
        stripInTabOrder_ = true;
        Put_Strip_Last_In_Tab_Order();
    }
    return QDialog::event(event);
}

void TQvForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    try {
        FormShow();
    } catch (const platform::xml::XmlError& e) {
        if (services_.messages)
            services_.messages->error(this, QString::fromUtf8(e.what()));
        QMetaObject::invokeMethod(
            this, [this] { done(kModalCancel); }, Qt::QueuedConnection);
        return;
    }
    if (CenterOnShow)
        Fit_To_Screen(*this);
}

void TQvForm::Put_Strip_Last_In_Tab_Order()
{
    if (!P_Button)
        return;
    const QList<QWidget*> strip = P_Button->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    // A stand-in after everything: Qt 6.4 ignores an order whose first widget ends the chain.
    QWidget anchor(this);
    anchor.setFocusPolicy(Qt::TabFocus);
    QWidget* previous = anchor.previousInFocusChain();
    while (previous != this && (previous->focusPolicy() == Qt::NoFocus || strip.contains(previous)))
        previous = previous->previousInFocusChain();
    if (previous == this)
        return;
    for (QWidget* button : strip) {
        setTabOrder(previous, button);
        previous = button;
    }
}

void TQvForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace common
