#include "app/UAbout.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/UFormParts.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Services.h"
#include "platform/Shell.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace app {

namespace {

const QColor kDarkGrey(0x40, 0x40, 0x40);

// The maker's logo, drawn rather than shipped: a plain mark with the maker's initial.
QPixmap makerLogo(int size)
{
    QPixmap pix(size, size);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0x80, 0x00));
    p.drawRoundedRect(QRectF(2, 2, size - 4, size - 4), 12, 12);
    p.setPen(Qt::white);
    p.setFont(common::Verdana(size / 2, true));
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString::fromLatin1(common::kMakerName).left(1));
    return pix;
}

QLabel* fixedLabel(QWidget* parent, const char* name, int left, int top, const QFont& font,
                   const QString& text = QString())
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(font);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, kDarkGrey);
    l->setPalette(pal);
    l->move(left, top);
    l->adjustSize();
    return l;
}

} // namespace

QString Home_Page_Address()
{
    return QStringLiteral("http://%1/HOME/default.asp?frompg=%2")
        .arg(QString::fromLatin1(kMakerWebHost), QString::fromLatin1(common::kSW_Code));
}

TFAbout::TFAbout(platform::Services& services, QWidget* parent) : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FAbout"));
    // No title or button strip: the window's own OK closes it.
    common::TFramePlan frame = common::Application_Frame({kClientWidth, kClientHeight}, {});
    frame.title = common::TTitleStyle::None;
    frame.buttonStrip = false;
    Build_Frame(frame);
    setWindowTitle(QStringLiteral("About"));

    const QFont normal = common::Verdana(11, false);
    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(32, 24, 81, 81);
    Image2->setScaledContents(true);
    Image2->setPixmap(makerLogo(81));
    Image2->setCursor(Qt::PointingHandCursor);

    Label1 = fixedLabel(this, "Label1", 128, 24, common::Verdana(13, true), QStringLiteral("Software Quorvantis "));
    Label2 = fixedLabel(this, "Label2", 128, 39, normal);
    Label6 = fixedLabel(this, "Label6", 128, 62, normal, QStringLiteral("Software Code : "));
    Label9 = fixedLabel(this, "Label9", 240, 62, normal);
    Label3 = fixedLabel(this, "Label3", 128, 77, normal, QStringLiteral("Version :"));
    Label10 = fixedLabel(this, "Label10", 240, 77, normal);
    Label8 = fixedLabel(this, "Label8", 128, 93, normal, QStringLiteral("Document Code :"));
    Label12 = fixedLabel(this, "Label12", 240, 93, normal);

    QFont link = normal;
    link.setUnderline(true);
    Label4 = fixedLabel(this, "Label4", 316, 131, link, QString::fromLatin1(kMakerWebHost));
    QPalette blue = Label4->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    Label4->setPalette(blue);
    Label4->setCursor(Qt::PointingHandCursor);
    // A wider font than the designed one must not push the address past the right edge.
    Label4->move(qMin(316, kClientWidth - Label4->width() - 4), 131);

    for (QLabel* clickable : {Image2, Label4})
        clickable->installEventFilter(this);

    GlyphButton1 = new TGlyphButton(this);
    GlyphButton1->setObjectName(QStringLiteral("GlyphButton1"));
    GlyphButton1->setKind(TGlyphButtonKind::bkOK);
    GlyphButton1->setCaption(QStringLiteral("OK"));
    GlyphButton1->setGeometry(32, 115, 81, 22);
}

TFAbout::~TFAbout() = default;

void TFAbout::FormShow()
{
    Label2->setText(QString::fromUtf8(common::kSW_Description));
    Label9->setText(QString::fromLatin1(common::kSW_Code));
    Label10->setText(QString::fromLatin1(common::kSW_Version));
    Label12->setText(QString::fromLatin1(kManualCode));
    for (QLabel* l : {Label2, Label9, Label10, Label12})
        l->adjustSize();
    setFixedSize(kClientWidth, kClientHeight);
}

void TFAbout::Label4Click()
{
    if (services_.shell)
        services_.shell->openUrl(Home_Page_Address());
}

void TFAbout::reject()
{
    // The close box.
    done(2);
}

bool TFAbout::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == Image2 || watched == Label4) && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label4Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace app
