// The endpoint dialog: its three layouts by authorization, the checks of OK in their order, the
// security policy locked by security "None", a fresh form for Add after a Modify, and list-only
// choices that typing selects but never leaves unchosen.

#include "protocols/energy_it/opcua/UOPC_UA_Add_Server.h"

#include "common/GlyphButton.h"
#include "common/ULanguage.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

namespace {

using energy_it::TFOPC_UA_Add_Server;

class OpcuaAddServer : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        services.messages = &messages;
        w = std::make_unique<TFOPC_UA_Add_Server>(services);
    }
    void open(int formType)
    {
        w->hide();
        w->FormType = formType;
        w->setModal(true);
        w->show();
        QCoreApplication::processEvents();
    }
    int top(const QWidget* widget) const { return widget->mapTo(w.get(), QPoint(0, 0)).y(); }
    // Presses OK as the user does; the message shown, empty for none.
    QString pressOK()
    {
        const size_t before = messages.shown.size();
        QTest::mouseClick(w->Btn_OK, Qt::LeftButton);
        QCoreApplication::processEvents();
        return messages.shown.size() > before ? messages.lastText() : QString();
    }

    testsupport::FakeMessages messages;
    platform::Services services;
    std::unique_ptr<TFOPC_UA_Add_Server> w;
};

TEST_F(OpcuaAddServer, EachAuthorizationHasItsLayoutAndHeight)
{
    struct Layout {
        int auth;
        int height;
        bool user, cert;
        int secType, secPolicy, mnemonic; // label tops; the inputs are 3 pixels higher
    } cases[] = {
        {0, 308, false, false, 171, 203, 235},
        {1, 372, true, false, 235, 267, 299},
        {2, 508, false, true, 371, 403, 435},
    };
    open(TFOPC_UA_Add_Server::kFormAdd);
    for (const Layout& c : cases) {
        SCOPED_TRACE(c.auth);
        w->CB_Auth->setCurrentIndex(c.auth);
        QCoreApplication::processEvents();
        EXPECT_EQ(w->size(), QSize(TFOPC_UA_Add_Server::kClientWidth, c.height));
        EXPECT_EQ(w->E_User->isVisible(), c.user);
        EXPECT_EQ(w->L_Pass->isVisible(), c.user);
        EXPECT_EQ(w->RE_Certificate->isVisible(), c.cert);
        EXPECT_EQ(w->L_Priv_Key->isVisible(), c.cert);
        EXPECT_EQ(top(w->L_Sec_Type), c.secType);
        EXPECT_EQ(top(w->CB_Sec_Type), c.secType - 3);
        EXPECT_EQ(top(w->L_Sec_Policy), c.secPolicy);
        EXPECT_EQ(top(w->CB_Sec_Policy), c.secPolicy - 3);
        EXPECT_EQ(top(w->L_Mnemonic), c.mnemonic);
        EXPECT_EQ(top(w->E_Mnemonic), c.mnemonic - 3);
        if (c.user) {
            EXPECT_EQ(top(w->L_User), 171);
            EXPECT_EQ(top(w->E_Pass), 200);
        }
        if (c.cert) {
            EXPECT_EQ(top(w->L_Certificate), 171);
            EXPECT_EQ(top(w->RE_Priv_Key), 268);
            EXPECT_EQ(w->RE_Certificate->height(), 89);
            EXPECT_EQ(w->RE_Priv_Key->size(), QSize(251, 89));
        }
        EXPECT_TRUE(testsupport::titleDrawn(
            testsupport::takeScreenshot(*w, QStringLiteral("windows/OPC_UA_Add_Server_%1.png").arg(c.auth)), *w));
    }
}

TEST_F(OpcuaAddServer, OKChecksTheInputsInOrder)
{
    struct Case {
        int auth;
        const char* address;
        const char* user;
        const char* password;
        const char* certificate;
        const char* key;
        int message; // 0: accepted
    } cases[] = {
        {0, "", "u", "p", "c", "k", 4528},
        {0, "  \t ", "", "", "", "", 4528},
        {0, "opc.tcp://127.0.0.1:4840", "", "", "", "", 0},
        {1, "", "", "", "", "", 4528},
        {1, "opc.tcp://127.0.0.1:4840", "", "", "", "", 4529},
        {1, "opc.tcp://127.0.0.1:4840", "   ", "p", "", "", 4529},
        {1, "opc.tcp://127.0.0.1:4840", "u", " ", "", "", 4530},
        {1, "opc.tcp://127.0.0.1:4840", "u", "p", "", "", 0},
        {2, "opc.tcp://127.0.0.1:4840", "", "", "", "", 4531},
        {2, "opc.tcp://127.0.0.1:4840", "", "", "\n \n", "k", 4531},
        {2, "opc.tcp://127.0.0.1:4840", "", "", "c", "", 4532},
        {2, "opc.tcp://127.0.0.1:4840", "", "", "c\nd", "k", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.auth) + " " + c.address + "|" + c.user + "|" + c.password);
        open(TFOPC_UA_Add_Server::kFormAdd);
        w->CB_Auth->setCurrentIndex(c.auth);
        w->E_Server_Add->setText(QLatin1String(c.address));
        w->E_User->setText(QLatin1String(c.user));
        w->E_Pass->setText(QLatin1String(c.password));
        w->RE_Certificate->setPlainText(QLatin1String(c.certificate));
        w->RE_Priv_Key->setPlainText(QLatin1String(c.key));
        w->setResult(0);
        const QString shown = pressOK();
        EXPECT_EQ(shown, c.message ? common::Lang_Text(c.message) : QString());
        EXPECT_EQ(w->result(), c.message ? 0 : 1);
        if (c.message) {
            EXPECT_EQ(messages.shown.back().icon, platform::MsgIcon::Error);
            EXPECT_TRUE(w->isVisible());
        }
    }
}

TEST_F(OpcuaAddServer, SecurityNoneLocksThePolicyAtNone)
{
    open(TFOPC_UA_Add_Server::kFormAdd);
    EXPECT_EQ(w->CB_Sec_Policy->currentIndex(), 0);
    EXPECT_FALSE(w->CB_Sec_Policy->isEnabled());
    w->CB_Sec_Type->setCurrentIndex(1);
    EXPECT_TRUE(w->CB_Sec_Policy->isEnabled());
    w->CB_Sec_Policy->setCurrentIndex(2);
    w->CB_Sec_Type->setCurrentIndex(2);
    EXPECT_EQ(w->CB_Sec_Policy->currentText(), QStringLiteral("Basic 256"));
    w->CB_Sec_Type->setCurrentIndex(0);
    EXPECT_EQ(w->CB_Sec_Policy->currentText(), QStringLiteral("None"));
    EXPECT_FALSE(w->CB_Sec_Policy->isEnabled());

    // A modification loaded with security "None" and another policy shows "None".
    w->hide();
    w->CB_Sec_Type->blockSignals(true);
    w->CB_Sec_Type->setCurrentIndex(0);
    w->CB_Sec_Type->blockSignals(false);
    w->CB_Sec_Policy->setCurrentIndex(4);
    open(TFOPC_UA_Add_Server::kFormModify);
    EXPECT_EQ(w->CB_Sec_Policy->currentIndex(), 0);
    EXPECT_FALSE(w->CB_Sec_Policy->isEnabled());
}

TEST_F(OpcuaAddServer, AddStartsFreshAfterAModify)
{
    // The caller fills the controls for a modification.
    w->CB_OPC_UA_Server_Enable->setChecked(false);
    w->E_Server_Add->setText(QStringLiteral("opc.tcp://127.0.0.1:4840"));
    w->CB_Auth->setCurrentIndex(2);
    w->E_User->setText(QStringLiteral("u"));
    w->E_Pass->setText(QStringLiteral("p"));
    w->RE_Certificate->setPlainText(QStringLiteral("c\nc"));
    w->RE_Priv_Key->setPlainText(QStringLiteral("k"));
    w->CB_Sec_Type->setCurrentIndex(1);
    w->CB_Sec_Policy->setCurrentIndex(3);
    w->E_Mnemonic->setText(QStringLiteral("m"));
    open(TFOPC_UA_Add_Server::kFormModify);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Modify OPC UA Server"));
    EXPECT_EQ(w->L_SW_Desc->text(), QStringLiteral("Modify OPC UA Server"));
    EXPECT_EQ(w->height(), 508);
    EXPECT_EQ(w->CB_Sec_Policy->currentText(), QStringLiteral("Basic 256 SHA 256"));
    EXPECT_EQ(w->E_User->text(), QStringLiteral("u"));
    const QImage modify = testsupport::takeScreenshot(*w, QStringLiteral("windows/OPC_UA_Add_Server_modify.png"));
    EXPECT_TRUE(testsupport::controlShowsText(modify, *w, *w->E_User));

    open(TFOPC_UA_Add_Server::kFormAdd);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Add OPC UA Server"));
    EXPECT_EQ(w->L_SW_Desc->text(), QStringLiteral("Add OPC UA Server"));
    EXPECT_TRUE(w->CB_OPC_UA_Server_Enable->isChecked());
    for (const QLineEdit* e : {w->E_Server_Add, w->E_User, w->E_Pass, w->E_Mnemonic})
        EXPECT_TRUE(e->text().isEmpty()) << e->objectName().toStdString();
    EXPECT_TRUE(w->RE_Certificate->toPlainText().isEmpty());
    EXPECT_TRUE(w->RE_Priv_Key->toPlainText().isEmpty());
    EXPECT_EQ(w->CB_Auth->currentText(), QStringLiteral("Anonymous"));
    EXPECT_EQ(w->CB_Sec_Type->currentText(), QStringLiteral("None"));
    EXPECT_EQ(w->CB_Sec_Policy->currentText(), QStringLiteral("None"));
    EXPECT_FALSE(w->CB_Sec_Policy->isEnabled());
    EXPECT_EQ(w->height(), 308);
}

TEST_F(OpcuaAddServer, CredentialsOfAnotherAuthorizationStayUnchecked)
{
    open(TFOPC_UA_Add_Server::kFormAdd);
    w->CB_Auth->setCurrentIndex(1);
    w->E_User->setText(QStringLiteral("operator"));
    w->CB_Auth->setCurrentIndex(0);
    w->E_Server_Add->setText(QStringLiteral("opc.tcp://127.0.0.1:4840"));
    EXPECT_EQ(pressOK(), QString());
    EXPECT_EQ(w->result(), 1);
    EXPECT_EQ(w->E_User->text(), QStringLiteral("operator"));
}

TEST_F(OpcuaAddServer, TheListsAreListOnlyAndTypingSelects)
{
    open(TFOPC_UA_Add_Server::kFormAdd);
    for (const QComboBox* combo : {w->CB_Auth, w->CB_Sec_Type, w->CB_Sec_Policy})
        EXPECT_FALSE(combo->isEditable()) << combo->objectName().toStdString();
    w->CB_Auth->setFocus();
    QTest::keyClicks(w->CB_Auth, QStringLiteral("Cert"));
    EXPECT_EQ(w->CB_Auth->currentText(), QStringLiteral("Certificate"));
    EXPECT_EQ(w->height(), 508);
    QTest::keyClicks(w->CB_Auth, QStringLiteral("qqq"));
    EXPECT_EQ(w->CB_Auth->currentIndex(), 2);
}

TEST_F(OpcuaAddServer, CancelAndTheCloseBoxGiveTwo)
{
    for (const bool closeBox : {false, true}) {
        QTimer::singleShot(0, w.get(), [&] {
            if (closeBox)
                w->close();
            else
                QTest::mouseClick(w->Btn_Cancel, Qt::LeftButton);
        });
        EXPECT_EQ(w->ShowModal(), 2);
    }
}

} // namespace
