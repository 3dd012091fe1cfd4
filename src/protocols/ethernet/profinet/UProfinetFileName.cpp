#include "protocols/ethernet/profinet/UProfinetFileName.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Messages.h"
#include "platform/Services.h"

#include <QDateTime>
#include <QLabel>
#include <QLineEdit>

namespace ethernet {

using common::Lang_Text;

namespace {

constexpr int kTitleHeight = common::kTitlePanelHeight;
constexpr int kUserPartX = 179;
constexpr int kFixPart2X = 447;
constexpr int kText_User_Part_Is_A_Path = 4809;

QLabel* label(QWidget* parent, const char* name, int x, int y, int width)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(x, y, width, 20);
    // Texts from language files are shown as written, never as markup.
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

TFProfinetFileName::TFProfinetFileName(platform::Services& services, QWidget* parent)
    : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FProfinetFileName"));

    // OK closes the dialog only once the name is composed.
    Build_Frame(common::Application_Frame({kClientWidth, kClientHeight}, common::OK_Cancel_At_Right(0)));

    L_Select_Name = label(this, "L_Select_Name", 16, kTitleHeight + 8, kClientWidth - 32);
    L_FixPart_1 = label(this, "L_FixPart_1", 16, kTitleHeight + 36, kUserPartX - 24);
    L_XML_Fix1 = label(this, "L_XML_Fix1", 16, kTitleHeight + 58, kUserPartX - 20);
    L_UsedPart = label(this, "L_UsedPart", kUserPartX, kTitleHeight + 36, kFixPart2X - kUserPartX - 8);
    E_XML_User = new QLineEdit(this);
    E_XML_User->setObjectName(QStringLiteral("E_XML_User"));
    E_XML_User->setGeometry(kUserPartX, kTitleHeight + 56, kFixPart2X - kUserPartX - 8, 24);
    L_FixPart_2 = label(this, "L_FixPart_2", kFixPart2X, kTitleHeight + 36, kClientWidth - kFixPart2X - 4);
    L_XML_Fix2 = label(this, "L_XML_Fix2", kFixPart2X, kTitleHeight + 58, kClientWidth - kFixPart2X - 4);

    connect(Btn_OK, &TGlyphButton::OnClick, this, &TFProfinetFileName::Btn_OK_Click);

    FormCreate();
}

TFProfinetFileName::~TFProfinetFileName() = default;

void TFProfinetFileName::FormCreate()
{
    L_XML_Fix1->setText(QLatin1String(kFixedPart));
    // The date of the program's start: the dialog lives as long as the program.
    L_XML_Fix2->setText(QLatin1Char('-') + platform::now(services_).date().toString(QStringLiteral("yyyyMMdd"))
                        + QStringLiteral(".xml"));
    Set_Lang();
}

void TFProfinetFileName::Set_Lang()
{
    setWindowTitle(Lang_Text(4800));
    L_SW_Desc->setText(Lang_Text(4801));
    L_Select_Name->setText(Lang_Text(4802));
    L_FixPart_1->setText(Lang_Text(4803));
    L_UsedPart->setText(Lang_Text(4804));
    L_FixPart_2->setText(Lang_Text(4805));
    Btn_OK->setCaption(Lang_Text(4806));
    Btn_Cancel->setCaption(Lang_Text(4807));
}

void TFProfinetFileName::FormShow()
{
    // The user part keeps what was typed last time.
    if (E_XML_User->isEnabled() && E_XML_User->isVisible())
        E_XML_User->setFocus(Qt::OtherFocusReason);
}

void TFProfinetFileName::Btn_OK_Click()
{
    const QString user = E_XML_User->text();
    // The writer puts the name into the folder the user picks: a separator would reach another.
    if (user.contains(QLatin1Char('/')) || user.contains(QLatin1Char('\\'))) {
        if (services_.messages)
            services_.messages->error(this, Lang_Text(kText_User_Part_Is_A_Path));
        return;
    }
    QString middle;
    if (!common::trimBlanks(user).isEmpty())
        middle = user.startsWith(QLatin1Char('_')) ? user : QLatin1Char('_') + user;
    Name_File_XML = L_XML_Fix1->text() + middle + L_XML_Fix2->text();
    done(kModalOK);
}

void TFProfinetFileName::reject()
{
    done(kModalCancel);
}

} // namespace ethernet
