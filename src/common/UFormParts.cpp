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

void Make_Title_Labels(QWidget* P_Title, int width, int descTop, QLabel*& L_SW_Code, QLabel*& L_SW_Desc)
{
    L_SW_Code = new QLabel(P_Title);
    L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    L_SW_Code->setFont(Verdana(32));
    L_SW_Code->setGeometry(16, 8, width - 32, 36);
    L_SW_Desc = new QLabel(P_Title);
    L_SW_Desc->setObjectName(QStringLiteral("L_SW_Desc"));
    L_SW_Desc->setFont(Verdana(11, true));
    L_SW_Desc->setGeometry(16, descTop, width - 32, 18);
    for (QLabel* l : {L_SW_Code, L_SW_Desc}) {
        QPalette lp = l->palette();
        lp.setColor(QPalette::WindowText, kTitleGrey);
        l->setPalette(lp);
        // Texts from language files are shown as written, never as markup.
        l->setTextFormat(Qt::PlainText);
    }
}

void Make_OK_Cancel_Buttons(QWidget* P_Button, int width, int okModalResult, TGlyphButton*& Btn_OK,
                            TGlyphButton*& Btn_Cancel)
{
    Btn_OK = new TGlyphButton(P_Button);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_OK->setKind(TGlyphButtonKind::bkOK);
    Btn_OK->setModalResult(okModalResult);
    Btn_OK->setGeometry(width - 180, 8, 81, 25);
    Btn_Cancel = new TGlyphButton(P_Button);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    Btn_Cancel->setKind(TGlyphButtonKind::bkCancel);
    Btn_Cancel->setModalResult(TQvForm::kModalCancel);
    Btn_Cancel->setGeometry(width - 92, 8, 81, 25);
}

void Set_Fixed_Dialog_Frame(QDialog* dialog)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
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
        QMetaObject::invokeMethod(this, [this] { done(kModalCancel); }, Qt::QueuedConnection);
        return;
    }
    if (CenterOnShow)
        Fit_To_Screen(*this);
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
