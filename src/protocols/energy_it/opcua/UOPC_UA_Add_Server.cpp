#include "protocols/energy_it/opcua/UOPC_UA_Add_Server.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/UComonTables.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Messages.h"
#include "platform/Services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <iterator>

namespace energy_it {

using common::Lang_Text;

namespace {

constexpr int kTitleHeight = 69;
constexpr int kButtonPanelHeight = 40;
constexpr int kLabelLeft = 16;
constexpr int kLabelWidth = 120;
constexpr int kInputLeft = 140;
constexpr int kInputWidth = 251;
constexpr int kInputHeight = 21;
constexpr int kMemoHeight = 89;
constexpr int kBottomGap = 15;
// A label sits 3 pixels below the top of its input.
constexpr int kLabelDrop = 3;

// Input tops of the rows that never move.
constexpr int kEnableTop = 78;
constexpr int kAddressTop = 104;
constexpr int kAuthTop = 136;
constexpr int kUserTop = 168;
constexpr int kPassTop = 200;
constexpr int kCertificateTop = 168;
constexpr int kPrivKeyTop = 268;

// What each authorization shows and where the rows below the credentials then lie.
struct TAuthLayout {
    bool userAndPassword;
    bool certificate;
    int secTypeTop;
    int secPolicyTop;
    int mnemonicTop;
};
constexpr TAuthLayout kAuthLayouts[] = {
    {false, false, 168, 200, 232}, // Anonymous
    {true, false, 232, 264, 296},  // Username and Password
    {false, true, 368, 400, 432},  // Certificate
};

QStringList names(const char* const* first, const char* const* last)
{
    QStringList out;
    for (const char* const* n = first; n != last; ++n)
        out.append(QString::fromLatin1(*n));
    return out;
}

QComboBox* listOnly(QWidget* parent, const char* name, const QStringList& items)
{
    // List only: a typed word that is no item would leave no item chosen and be stored as the
    // list's last word (certificate, sign and encrypt, the strongest policy). Typing still
    // selects the item it begins.
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(false);
    combo->addItems(items);
    return combo;
}

QLineEdit* edit(QWidget* parent, const char* name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

QPlainTextEdit* memo(QWidget* parent, const char* name)
{
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(QLatin1String(name));
    // Keys and certificates are line-structured texts: no wrapping that would hide their lines.
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    return m;
}

QLabel* label(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

TFOPC_UA_Add_Server::TFOPC_UA_Add_Server(platform::Services& services, QWidget* parent)
    : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FOPC_UA_Add_Server"));
    FormCreate();
}

void TFOPC_UA_Add_Server::FormCreate()
{
    // OK's handler closes the window once the input passed.
    QVBoxLayout* body = Build_Frame(
        common::Table_Frame({kClientWidth, 0},
                            {{"Btn_OK", nullptr, QRect(16, 6, 110, 28), 0, TGlyphButtonKind::bkOK},
                             {"Btn_Cancel", nullptr, QRect(134, 6, 110, 28), kModalCancel, TGlyphButtonKind::bkCancel}},
                            common::TFrameSizing::FixedWidth));

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    body->addWidget(Panel1, 1);

    CB_OPC_UA_Server_Enable = new QCheckBox(Panel1);
    CB_OPC_UA_Server_Enable->setObjectName(QStringLiteral("CB_OPC_UA_Server_Enable"));
    CB_OPC_UA_Server_Enable->setGeometry(kLabelLeft, kEnableTop - kTitleHeight, kInputLeft + kInputWidth - kLabelLeft,
                                         17);
    L_Server_Add = label(Panel1, "L_Server_Add");
    E_Server_Add = edit(Panel1, "E_Server_Add");
    L_Auth = label(Panel1, "L_Auth");
    CB_Auth = listOnly(Panel1, "CB_Auth", names(std::begin(common::kAuthTypeNames), std::end(common::kAuthTypeNames)));
    L_User = label(Panel1, "L_User");
    E_User = edit(Panel1, "E_User");
    L_Pass = label(Panel1, "L_Pass");
    // Shown as typed: the password is kept and stored in clear anyway.
    E_Pass = edit(Panel1, "E_Pass");
    L_Certificate = label(Panel1, "L_Certificate");
    RE_Certificate = memo(Panel1, "RE_Certificate");
    L_Priv_Key = label(Panel1, "L_Priv_Key");
    RE_Priv_Key = memo(Panel1, "RE_Priv_Key");
    L_Sec_Type = label(Panel1, "L_Sec_Type");
    CB_Sec_Type =
        listOnly(Panel1, "CB_Sec_Type", names(std::begin(common::kSecModeNames), std::end(common::kSecModeNames)));
    L_Sec_Policy = label(Panel1, "L_Sec_Policy");
    CB_Sec_Policy = listOnly(Panel1, "CB_Sec_Policy",
                             names(std::begin(common::kSecPolicyNames), std::end(common::kSecPolicyNames)));
    L_Mnemonic = label(Panel1, "L_Mnemonic");
    E_Mnemonic = edit(Panel1, "E_Mnemonic");

    Place_Row(L_Server_Add, E_Server_Add, kAddressTop + kLabelDrop, kAddressTop);
    Place_Row(L_Auth, CB_Auth, kAuthTop + kLabelDrop, kAuthTop);
    Place_Row(L_User, E_User, kUserTop + kLabelDrop, kUserTop);
    Place_Row(L_Pass, E_Pass, kPassTop + kLabelDrop, kPassTop);
    Place_Row(L_Certificate, RE_Certificate, kCertificateTop + kLabelDrop, kCertificateTop);
    Place_Row(L_Priv_Key, RE_Priv_Key, kPrivKeyTop + kLabelDrop, kPrivKeyTop);
    for (QPlainTextEdit* m : {RE_Certificate, RE_Priv_Key})
        m->resize(kInputWidth, kMemoHeight);
    const TAuthLayout& anonymous = kAuthLayouts[0];
    Place_Row(L_Sec_Type, CB_Sec_Type, anonymous.secTypeTop + kLabelDrop, anonymous.secTypeTop);
    Place_Row(L_Sec_Policy, CB_Sec_Policy, anonymous.secPolicyTop + kLabelDrop, anonymous.secPolicyTop);
    Place_Row(L_Mnemonic, E_Mnemonic, anonymous.mnemonicTop + kLabelDrop, anonymous.mnemonicTop);

    connect(Btn_OK, &TGlyphButton::OnClick, this, &TFOPC_UA_Add_Server::Btn_OKClick);
    connect(CB_Auth, &QComboBox::currentIndexChanged, this, [this] { Change_Fields(); });
    connect(CB_Sec_Type, &QComboBox::currentIndexChanged, this, [this] { Check_Authorization(); });

    Change_Fields();
    Check_Authorization();
    Set_Lang();
}

void TFOPC_UA_Add_Server::Place_Row(QLabel* label, QWidget* input, int labelTop, int inputTop)
{
    label->setGeometry(kLabelLeft, labelTop - kTitleHeight, kLabelWidth, 16);
    input->setGeometry(kInputLeft, inputTop - kTitleHeight, kInputWidth,
                       qobject_cast<QPlainTextEdit*>(input) ? kMemoHeight : kInputHeight);
}

void TFOPC_UA_Add_Server::Set_Lang()
{
    setWindowTitle(Lang_Text(4500));
    L_SW_Desc->setText(Lang_Text(4501));
    CB_OPC_UA_Server_Enable->setText(Lang_Text(4504));
    CB_OPC_UA_Server_Enable->setToolTip(Lang_Text(4505));
    const std::pair<QLabel*, QWidget*> rows[] = {
        {L_Server_Add, E_Server_Add},
        {L_Auth, CB_Auth},
        {L_User, E_User},
        {L_Pass, E_Pass},
        {L_Certificate, RE_Certificate},
        {L_Priv_Key, RE_Priv_Key},
        {L_Sec_Type, CB_Sec_Type},
        {L_Sec_Policy, CB_Sec_Policy},
        {L_Mnemonic, E_Mnemonic},
    };
    int text = 4506;
    for (const auto& [caption, input] : rows) {
        caption->setText(Lang_Text(text));
        input->setToolTip(Lang_Text(text + 1));
        text += 2;
    }
    Btn_OK->setCaption(Lang_Text(4524));
    Btn_OK->setToolTip(Lang_Text(4525));
    Btn_Cancel->setCaption(Lang_Text(4526));
    Btn_Cancel->setToolTip(Lang_Text(4527));
}

void TFOPC_UA_Add_Server::FormShow()
{
    if (FormType == kFormModify) {
        setWindowTitle(Lang_Text(4502));
        L_SW_Desc->setText(Lang_Text(4503));
    } else {
        setWindowTitle(Lang_Text(4500));
        L_SW_Desc->setText(Lang_Text(4501));
        CB_OPC_UA_Server_Enable->setChecked(true);
        E_Server_Add->clear();
        CB_Auth->setCurrentIndex(0);
        E_User->clear();
        E_Pass->clear();
        RE_Certificate->clear();
        RE_Priv_Key->clear();
        CB_Sec_Type->setCurrentIndex(0);
        E_Mnemonic->clear();
    }
    Change_Fields();
    Check_Authorization();
    if (E_Server_Add->isVisible())
        E_Server_Add->setFocus();
}

void TFOPC_UA_Add_Server::Change_Fields()
{
    const int index = CB_Auth->currentIndex();
    if (index >= 0 && index < int(std::size(kAuthLayouts))) {
        const TAuthLayout& layout = kAuthLayouts[index];
        for (QWidget* w : {static_cast<QWidget*>(L_User), static_cast<QWidget*>(E_User), static_cast<QWidget*>(L_Pass),
                           static_cast<QWidget*>(E_Pass)})
            w->setVisible(layout.userAndPassword);
        for (QWidget* w : {static_cast<QWidget*>(L_Certificate), static_cast<QWidget*>(RE_Certificate),
                           static_cast<QWidget*>(L_Priv_Key), static_cast<QWidget*>(RE_Priv_Key)})
            w->setVisible(layout.certificate);
        Place_Row(L_Sec_Type, CB_Sec_Type, layout.secTypeTop + kLabelDrop, layout.secTypeTop);
        Place_Row(L_Sec_Policy, CB_Sec_Policy, layout.secPolicyTop + kLabelDrop, layout.secPolicyTop);
        Place_Row(L_Mnemonic, E_Mnemonic, layout.mnemonicTop + kLabelDrop, layout.mnemonicTop);
    }
    const int mnemonicTop = E_Mnemonic->y() + kTitleHeight;
    setFixedHeight(kButtonPanelHeight + mnemonicTop + E_Mnemonic->height() + kBottomGap);
}

void TFOPC_UA_Add_Server::Check_Authorization()
{
    const bool secured = CB_Sec_Type->currentIndex() != 0;
    if (!secured)
        CB_Sec_Policy->setCurrentIndex(0);
    CB_Sec_Policy->setEnabled(secured);
}

bool TFOPC_UA_Add_Server::Controlla_Dati()
{
    const auto empty = [](const QString& text) { return common::trimBlanks(text).isEmpty(); };
    struct TCheck {
        int auth; // -1: every authorization
        QString text;
        int message;
    };
    const TCheck checks[] = {
        {-1, E_Server_Add->text(), 4528},
        {1, E_User->text(), 4529},
        {1, E_Pass->text(), 4530},
        {2, RE_Certificate->toPlainText(), 4531},
        {2, RE_Priv_Key->toPlainText(), 4532},
    };
    const int auth = CB_Auth->currentIndex();
    for (const TCheck& c : checks) {
        if ((c.auth < 0 || c.auth == auth) && empty(c.text)) {
            if (services_.messages)
                services_.messages->error(this, Lang_Text(c.message));
            return false;
        }
    }
    return true;
}

void TFOPC_UA_Add_Server::Btn_OKClick()
{
    if (Controlla_Dati())
        done(kModalOK);
}

void TFOPC_UA_Add_Server::reject()
{
    done(kModalCancel);
}

} // namespace energy_it
