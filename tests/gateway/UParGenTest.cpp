// The communication settings window driven as a user drives it: fields typed, boxes clicked,
// OK and Cancel pressed; the message shown and the file written are what is checked.

#include "gateway/UParGen.h"
#include "gateway/CategoryPanelGroup.h"
#include "gateway/UParGenLayout.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Services.h"

#include "support/FakeMessages.h"
#include "support/FullDisk.h"
#include "support/Screenshots.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

using gateway::TFParGen;

namespace {

class ParGenWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        common::Load_Default_Texts();
        common::State().SW_Code = QString::fromLatin1(common::kSW_Code);
        common::State().Project_Dir = dir.path();
        common::State().File_ParGen = filePath();
        services.messages = &messages;
        w = std::make_unique<TFParGen>(services);
    }
    void TearDown() override
    {
        w.reset();
        QApplication::setWheelScrollLines(3);
    }

    QString filePath() const { return QDir(dir.path()).filePath(QStringLiteral("ParGen.xml")); }
    QByteArray written() const { return testsupport::readFile(filePath()); }

    void open()
    {
        w->show();
        QCoreApplication::processEvents();
    }
    void clickOK() { QTest::mouseClick(w->Btn_OK, Qt::LeftButton); }
    QLineEdit* edit(const char* name) { return w->panels().control<QLineEdit>(QString::fromLatin1(name)); }
    QCheckBox* box(const char* name) { return w->panels().control<QCheckBox>(QString::fromLatin1(name)); }
    // A click on the box's indicator, as a user ticks it.
    static void click(QCheckBox* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2)); }
    static void type(QLineEdit* e, const QString& text) { e->setText(text); }
    static void setByteTexts(const std::array<QLineEdit*, 4>& fields, const QStringList& texts)
    {
        for (int k = 0; k < 4; ++k)
            fields[k]->setText(texts[k]);
    }
    static QStringList texts(const std::array<QLineEdit*, 4>& fields)
    {
        QStringList list;
        for (const QLineEdit* e : fields)
            list << e->text();
        return list;
    }

    QTemporaryDir dir;
    testsupport::FakeMessages messages;
    platform::Services services;
    std::unique_ptr<TFParGen> w;
};

} // namespace

TEST_F(ParGenWindow, WithoutAFileTheFieldsShowTheDefaults)
{
    open();
    EXPECT_EQ(w->E_EthConn_Device_Name->text(), "");
    EXPECT_FALSE(w->CB_EthConn_En_DHCP_Cable->isChecked());
    EXPECT_FALSE(w->CB_EthConn_Enable_DNS->isChecked());
    EXPECT_EQ(texts(w->E_EthConn_Pri_DNS_IP), QStringList({"8", "8", "8", "8"}));
    EXPECT_EQ(texts(w->E_EthConn_Sec_DNS_IP), QStringList({"8", "8", "4", "4"}));
    EXPECT_EQ(w->CB_IOLink_Slave_Baudrate->currentText(), "COM1");
    EXPECT_EQ(w->E_DeviceNet_Master_IDDevice->text(), "0");
    EXPECT_EQ(w->CB_DeviceNet_Master_Baudrate->currentText(), "500K");
    EXPECT_EQ(texts(w->E_Ethernet_IP), QStringList({"192", "168", "0", "5"}));
    EXPECT_EQ(texts(w->E_Ethernet_SM), QStringList({"255", "255", "255", "0"}));
    EXPECT_EQ(texts(w->E_Ethernet_GAT), QStringList({"192", "168", "0", "1"}));
    EXPECT_FALSE(w->CB_Ethernet_En_GAT->isChecked());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(w->L_SW_Code->text(), "CT40517");
}

TEST_F(ParGenWindow, OKWritesWhatTheUserTypedAndCloses)
{
    open();
    type(w->E_EthConn_Device_Name, "Line-3 GW");
    type(w->E_EthConn_Pri_DNS_IP[0], "x"); // DNS clear: saved as typed, not validated
    w->CB_IOLink_Slave_Baudrate->setCurrentIndex(1);
    w->CB_DeviceNet_Master_Baudrate->setCurrentIndex(0);
    setByteTexts(w->E_Ethernet_IP, {"10", "1", "2", "007"});
    setByteTexts(w->E_Ethernet_SM, {"255", "255", "255", "128"});
    click(w->CB_Ethernet_En_GAT);
    setByteTexts(w->E_Ethernet_GAT, {"10", "1", "2", "$FE"});
    // DHCP greys the address fields but they are still saved.
    click(w->CB_EthConn_En_DHCP_Cable);
    ASSERT_TRUE(w->CB_EthConn_En_DHCP_Cable->isChecked());

    clickOK();

    EXPECT_TRUE(messages.shown.empty()) << messages.lastText().toStdString();
    EXPECT_EQ(written(), testsupport::readFile(testsupport::fixturePath("pargen/ParGen_window.xml")));
    EXPECT_EQ(w->result(), 1);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(ParGenWindow, ASavedFileComesBackFieldForFieldAndOKRewritesItUnchanged)
{
    const QByteArray fixture = testsupport::readFile(testsupport::fixturePath("pargen/ParGen_window.xml"));
    ASSERT_FALSE(fixture.isEmpty());
    // A hand-edited node number never comes back: the gateway is always node 0.
    QByteArray edited = fixture;
    edited.replace("<DNETM_ID_DEV>0<", "<DNETM_ID_DEV>12<");
    ASSERT_TRUE(testsupport::writeFile(filePath(), edited));
    open();
    EXPECT_EQ(w->E_EthConn_Device_Name->text(), "Line-3 GW");
    EXPECT_TRUE(w->CB_EthConn_En_DHCP_Cable->isChecked());
    EXPECT_EQ(texts(w->E_EthConn_Pri_DNS_IP), QStringList({"x", "8", "8", "8"}));
    EXPECT_EQ(w->CB_IOLink_Slave_Baudrate->currentText(), "COM2");
    EXPECT_EQ(w->E_DeviceNet_Master_IDDevice->text(), "0");
    EXPECT_EQ(w->CB_DeviceNet_Master_Baudrate->currentText(), "125K");
    EXPECT_EQ(texts(w->E_Ethernet_IP), QStringList({"10", "1", "2", "007"}));
    EXPECT_EQ(texts(w->E_Ethernet_GAT), QStringList({"10", "1", "2", "$FE"}));
    EXPECT_TRUE(w->CB_Ethernet_En_GAT->isChecked());
    // Opened with DHCP set, the address fields are greyed at once.
    EXPECT_FALSE(w->E_Ethernet_IP[0]->isEnabled());

    clickOK();
    EXPECT_EQ(written(), fixture);
}

TEST_F(ParGenWindow, EachShowingReplacesWhatTheFieldsHeld)
{
    ASSERT_TRUE(testsupport::writeFile(filePath(),
                                       testsupport::readFile(testsupport::fixturePath("pargen/ParGen_window.xml"))));
    open();
    EXPECT_EQ(w->CB_IOLink_Slave_Baudrate->currentText(), "COM2");
    type(w->E_EthConn_Device_Name, "typed then cancelled");
    QTest::mouseClick(w->Btn_Cancel, Qt::LeftButton);
    w->hide();

    QFile::remove(filePath());
    open();
    EXPECT_EQ(w->CB_IOLink_Slave_Baudrate->currentText(), "COM1");
    EXPECT_EQ(w->E_EthConn_Device_Name->text(), "");
    EXPECT_TRUE(w->E_Ethernet_IP[0]->isEnabled());
}

namespace {

struct RuleCase {
    const char* field;
    const char* bad;
    bool dns;
    bool gateway;
    const char* message;
};

// One row per check, in the order they run.
const RuleCase kRuleCases[] = {
    {"E_EthConn_Pri_DNS_IP1", "256", true, false, "Error Primary DNS!! DNS 1 must be between 0 and 255"},
    {"E_EthConn_Pri_DNS_IP2", "-1", true, false, "Error Primary DNS!! DNS 2 must be between 0 and 255"},
    {"E_EthConn_Pri_DNS_IP3", "", true, false, "Error Primary DNS!! DNS 3 must be between 0 and 255"},
    {"E_EthConn_Pri_DNS_IP4", "8 ", true, false, "Error Primary DNS!! DNS 4 must be between 0 and 255"},
    {"E_EthConn_Sec_DNS_IP1", "a", true, false, "Error Secondary DNS!! DNS 1 must be between 0 and 255"},
    {"E_EthConn_Sec_DNS_IP2", "1000", true, false, "Error Secondary DNS!! DNS 2 must be between 0 and 255"},
    {"E_EthConn_Sec_DNS_IP3", "$100", true, false, "Error Secondary DNS!! DNS 3 must be between 0 and 255"},
    {"E_EthConn_Sec_DNS_IP4", "4.4", true, false, "Error Secondary DNS!! DNS 4 must be between 0 and 255"},
    {"E_Ethernet_IP1", "", false, false, "Error Ethernet!! IP Address 1 must be between 0 and 255"},
    {"E_Ethernet_IP2", "300", false, false, "Error Ethernet!! IP Address 2 must be between 0 and 255"},
    {"E_Ethernet_IP3", "1x", false, false, "Error Ethernet!! IP Address 3 must be between 0 and 255"},
    {"E_Ethernet_IP4", "192.168.0.5", false, false, "Error Ethernet!! IP Address 4 must be between 0 and 255"},
    {"E_Ethernet_SM1", "-0x1", false, false, "Error Ethernet!! SubNet Mask 1 must be between 0 and 255"},
    {"E_Ethernet_SM2", "256", false, false, "Error Ethernet!! SubNet Mask 2 must be between 0 and 255"},
    {"E_Ethernet_SM3", " ", false, false, "Error Ethernet!! SubNet Mask 3 must be between 0 and 255"},
    {"E_Ethernet_SM4", "99999999999", false, false, "Error Ethernet!! SubNet Mask 4 must be between 0 and 255"},
    {"E_Ethernet_GAT1", "256", false, true, "Error Ethernet!! GATEWAY IP 1 must be between 0 and 255"},
    {"E_Ethernet_GAT2", "", false, true, "Error Ethernet!! GATEWAY IP 2 must be between 0 and 255"},
    {"E_Ethernet_GAT3", "one", false, true, "Error Ethernet!! GATEWAY IP 3 must be between 0 and 255"},
    {"E_Ethernet_GAT4", "-5", false, true, "Error Ethernet!! GATEWAY IP 4 must be between 0 and 255"},
};

} // namespace

TEST_F(ParGenWindow, EachRuleStopsOKWithItsOwnMessageAndWritesNothing)
{
    open();
    for (const RuleCase& c : kRuleCases) {
        SCOPED_TRACE(c.field);
        w->hide();
        QFile::remove(filePath());
        open(); // every field back to its (valid) default
        messages.shown.clear();
        w->CB_EthConn_Enable_DNS->setChecked(c.dns);
        w->CB_Ethernet_En_GAT->setChecked(c.gateway);
        type(edit(c.field), QString::fromUtf8(c.bad));
        clickOK();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Error);
        EXPECT_EQ(messages.shown[0].buttons, platform::MsgButtons::Ok);
        EXPECT_FALSE(QFile::exists(filePath()));
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(edit(c.field)->text(), QString::fromUtf8(c.bad)); // fields stay as typed
    }
}

// The device keeps its name one byte per character: names the device stores as typed are
// saved, a character above U+00FF is refused with its message and nothing is written.
TEST_F(ParGenWindow, TheDeviceNameHoldsOnlyCharactersTheDeviceStoresUnchanged)
{
    struct Case {
        const char* name; // UTF-8
        bool refused;
    } cases[] = {
        {"Line-3 GW", false},    {"Ger\u00e4t \u00b5C \u00ff", false}, // Latin-1 letters and signs
        {"Sensor \u03a9", true},                                       // Omega would reach the device as U+00A9
        {"\u20ac-Box", true},    {"Kasse \U0001F600", true},           // outside the BMP: two UTF-16 units
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w->hide();
        QFile::remove(filePath());
        open();
        messages.shown.clear();
        type(w->E_EthConn_Device_Name, QString::fromUtf8(c.name));
        clickOK();
        if (!c.refused) {
            EXPECT_TRUE(messages.shown.empty()) << messages.lastText().toStdString();
            EXPECT_TRUE(written().contains(QByteArray("<Eth_Conn_Device_Name>") + c.name + "</Eth_Conn_Device_Name>"));
            continue;
        }
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text,
                  "Error Ethernet Connection!! Device Name can hold only Western European (Latin-1) characters");
        EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Error);
        EXPECT_FALSE(QFile::exists(filePath()));
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->E_EthConn_Device_Name->text(), QString::fromUtf8(c.name));
    }
}

TEST_F(ParGenWindow, OnlyTheFirstFailingFieldIsReported)
{
    open();
    w->CB_EthConn_Enable_DNS->setChecked(true);
    w->CB_Ethernet_En_GAT->setChecked(true);
    type(w->E_Ethernet_GAT[3], "999");
    type(w->E_Ethernet_SM[1], "999");
    type(w->E_EthConn_Sec_DNS_IP[2], "999");
    clickOK();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.lastText(), "Error Secondary DNS!! DNS 3 must be between 0 and 255");
}

TEST_F(ParGenWindow, ClearBoxesExemptTheirBytesButDhcpDoesNotExemptTheAddress)
{
    open();
    // DNS and gateway clear: letters in their bytes pass and are saved as typed.
    setByteTexts(w->E_EthConn_Pri_DNS_IP, {"a", "b", "", "999"});
    setByteTexts(w->E_Ethernet_GAT, {"g", "", "1.2", "-1"});
    clickOK();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(written().contains("<Eth_Conn_Primary_DNS4>999</Eth_Conn_Primary_DNS4>"));
    EXPECT_TRUE(written().contains("<Ethernet_GAT3>1.2</Ethernet_GAT3>"));

    // DHCP greys the address but a bad fourth byte still stops OK.
    open();
    w->CB_EthConn_En_DHCP_Cable->setChecked(true);
    w->E_Ethernet_IP[3]->setText("300");
    clickOK();
    EXPECT_EQ(messages.lastText(), "Error Ethernet!! IP Address 4 must be between 0 and 255");
}

TEST_F(ParGenWindow, DhcpForTheCableGreysAndFreesTheAddressFieldsAtOnce)
{
    open();
    QList<QWidget*> addressFields;
    for (auto* group : {&w->E_Ethernet_IP, &w->E_Ethernet_SM, &w->E_Ethernet_GAT})
        for (QLineEdit* e : *group)
            addressFields << e;
    addressFields << w->CB_Ethernet_En_GAT;

    click(w->CB_EthConn_En_DHCP_Cable);
    for (QWidget* f : addressFields)
        EXPECT_FALSE(f->isEnabled()) << f->objectName().toStdString();
    EXPECT_TRUE(w->E_EthConn_Pri_DNS_IP[0]->isEnabled());
    EXPECT_TRUE(w->CB_DeviceNet_Master_Baudrate->isEnabled());

    click(w->CB_EthConn_En_DHCP_Cable);
    for (QWidget* f : addressFields)
        EXPECT_TRUE(f->isEnabled()) << f->objectName().toStdString();

    // The Gateway box greys nothing, ticked or not.
    click(w->CB_Ethernet_En_GAT);
    EXPECT_TRUE(w->E_Ethernet_GAT[0]->isEnabled());
    click(w->CB_Ethernet_En_GAT);
    EXPECT_TRUE(w->E_Ethernet_GAT[0]->isEnabled());
}

TEST_F(ParGenWindow, TheDotKeyMovesAlongItsChainAndNeverLands)
{
    open();
    w->activateWindow();
    struct Case {
        const char* from;
        const char* to; // same as from: the focus stays
    };
    const Case cases[] = {
        {"E_Ethernet_IP1", "E_Ethernet_IP2"},
        {"E_Ethernet_IP4", "E_Ethernet_SM1"},
        {"E_Ethernet_SM4", "E_Ethernet_GAT1"},
        {"E_Ethernet_GAT4", "E_Ethernet_GAT4"},
        {"E_EthConn_Pri_DNS_IP4", "E_EthConn_Sec_DNS_IP1"},
        {"E_EthConn_Sec_DNS_IP4", "E_EthConn_Sec_DNS_IP4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        QLineEdit* from = edit(c.from);
        from->setFocus();
        const QString before = from->text();
        QTest::keyClick(from, Qt::Key_Period);
        EXPECT_EQ(from->text(), before);
        EXPECT_EQ(QApplication::focusWidget(), edit(c.to));
    }
    // Digits pass; a dot typed between them is dropped and moves on.
    QLineEdit* ip1 = w->E_Ethernet_IP[0];
    ip1->clear();
    ip1->setFocus();
    QTest::keyClicks(ip1, "10.");
    EXPECT_EQ(ip1->text(), "10");
    ASSERT_EQ(QApplication::focusWidget(), w->E_Ethernet_IP[1]);
    QTest::keyClicks(w->E_Ethernet_IP[1], "1");
    // Arriving by the dot selects the field's text, so the next byte replaces it.
    EXPECT_EQ(w->E_Ethernet_IP[1]->text(), "1");
    // Other fields take the dot.
    QLineEdit* name = w->E_EthConn_Device_Name;
    name->setFocus();
    QTest::keyClicks(name, "gw.local");
    EXPECT_EQ(name->text(), "gw.local");
}

TEST_F(ParGenWindow, TheWheelScrollsThePanelsOnlyOverThePanelGroup)
{
    open();
    w->resize(TFParGen::kClientWidth, 300);
    QCoreApplication::processEvents();
    QScrollBar* bar = w->CPG->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);

    auto turn = [&](QWidget* target, int delta) {
        const QPoint local = target->rect().center();
        QWheelEvent e(local, target->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &e);
        return e.isAccepted();
    };
    QApplication::setWheelScrollLines(2);
    EXPECT_TRUE(turn(w->CPG->viewport(), -120));
    EXPECT_EQ(bar->value(), 2 * gateway::CategoryPanelGroup::kLineStep);
    EXPECT_TRUE(turn(w->E_EthConn_Device_Name, -120)); // over a field inside the group
    EXPECT_EQ(bar->value(), 4 * gateway::CategoryPanelGroup::kLineStep);
    turn(w->CPG->viewport(), 120);
    EXPECT_EQ(bar->value(), 2 * gateway::CategoryPanelGroup::kLineStep);

    // Over the title or the buttons nothing scrolls.
    turn(w->L_SW_Desc, -120);
    turn(w->P_Button, -120);
    EXPECT_EQ(bar->value(), 2 * gateway::CategoryPanelGroup::kLineStep);
}

TEST_F(ParGenWindow, RateTextToListItem)
{
    const struct {
        const char* text;
        int item;
    } cases[] = {{"COM1", 0}, {"COM2", 1}, {"COM3", 2}, {" COM3 ", 2}, {"\tCOM2\r\n", 1},
                 {"com3", 0}, {"", 0},     {"COM4", 0}, {"CO M2", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(TFParGen::Get_IOLink_Slave_Baudrate(QString::fromUtf8(c.text)), c.item) << c.text;
}

TEST_F(ParGenWindow, CancelTheCloseBoxEnterAndEscape)
{
    open();
    type(w->E_EthConn_Device_Name, "not saved");
    w->E_EthConn_Device_Name->setFocus();
    QTest::keyClick(w->E_EthConn_Device_Name, Qt::Key_Return);
    QTest::keyClick(w->E_EthConn_Device_Name, Qt::Key_Escape);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(QFile::exists(filePath()));

    QTest::mouseClick(w->Btn_Cancel, Qt::LeftButton);
    EXPECT_EQ(w->result(), 2);
    EXPECT_FALSE(QFile::exists(filePath()));

    w->setResult(0);
    open();
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), 2);
    EXPECT_FALSE(QFile::exists(filePath()));
}

TEST_F(ParGenWindow, WidthSnapsBackHeightIsFree)
{
    open();
    w->resize(700, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->width(), TFParGen::kClientWidth);
    EXPECT_EQ(w->height(), 500);
    // The buttons keep to the right edge of the strip.
    EXPECT_EQ(w->Btn_Cancel->geometry(), QRect(336, 6, 110, 28));
    EXPECT_EQ(w->Btn_OK->geometry(), QRect(218, 6, 110, 28));

    // 463 pixels of panels plus the two strips: one pixel less brings up the scroll bar.
    w->resize(TFParGen::kClientWidth, 572);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->CPG->verticalScrollBar()->maximum(), 0);
    w->resize(TFParGen::kClientWidth, 571);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->CPG->verticalScrollBar()->maximum(), 1);
}

TEST_F(ParGenWindow, WindowFrameAtCreation)
{
    open();
    EXPECT_EQ(w->size(), QSize(TFParGen::kClientWidth, TFParGen::kClientHeight));
    EXPECT_EQ(w->P_Title->height(), 69);
    EXPECT_EQ(w->P_Button->height(), 40);
    EXPECT_EQ(w->CPG->height(), 591);
    EXPECT_EQ(w->CPG->verticalScrollBar()->maximum(), 0); // 463 pixels of panels fit
    EXPECT_EQ(w->windowTitle(), "Set Communication");
    EXPECT_EQ(w->L_SW_Desc->text(), "Set Communication Setting");
    EXPECT_EQ(w->Btn_OK->Caption(), "OK");
    EXPECT_EQ(w->Btn_Cancel->Caption(), "Cancel");
    EXPECT_EQ(w->Btn_OK->toolTip(), "Confirm and Save the current configuration");

    // The Tab chain walks the panels in title order, then OK and Cancel.
    QWidget* f = w->E_EthConn_Device_Name;
    QStringList chain;
    for (int i = 0; i < 40 && f; ++i) {
        chain << f->objectName();
        f = f->nextInFocusChain();
        while (f && (!(f->focusPolicy() & Qt::TabFocus) || !f->isVisible()))
            f = f->nextInFocusChain();
    }
    const int dns = chain.indexOf("E_EthConn_Sec_DNS_IP4");
    const int rate = chain.indexOf("CB_IOLink_Slave_Baudrate");
    const int dnet = chain.indexOf("CB_DeviceNet_Master_Baudrate");
    const int ip = chain.indexOf("E_Ethernet_IP1");
    const int ok = chain.indexOf("Btn_OK");
    EXPECT_TRUE(0 < dns && dns < rate && rate < dnet && dnet < ip && ip < ok) << chain.join(' ').toStdString();

    // The picture: the panels' background round the title, and the software code drawn.
    const QImage shot = testsupport::takeScreenshot(*w, QStringLiteral("windows/ParGen_window.png"));
    EXPECT_TRUE(testsupport::pixelIs(shot, QPoint(1, 1), CategoryPanelGroup::kBackground));
    EXPECT_TRUE(testsupport::titleDrawn(shot, *w));
}

TEST_F(ParGenWindow, ALanguageChangeRenewsTheRowsButNotThePanelTitles)
{
    open();
    common::Lang_Str()[1307] = QStringLiteral("Connessione Ethernet");
    common::Lang_Str()[1308] = QStringLiteral("Nome del dispositivo");
    common::Lang_Str()[400] = QStringLiteral("Imposta comunicazione");
    w->Set_Lang();
    EXPECT_EQ(w->windowTitle(), "Imposta comunicazione");
    EXPECT_EQ(w->panels().control<QLabel>("L_EthConn_Device_Name")->text(), "Nome del dispositivo");
    EXPECT_EQ(w->panels().panel(gateway::pargen_layout::PanelId::Ethernet_Connection)->caption(),
              "1. Ethernet Connection");
}

TEST_F(ParGenWindow, AFileThatIsNoXmlIsReportedAndTheWindowDoesNotOpen)
{
    ASSERT_TRUE(testsupport::writeFile(filePath(), "<Par_Gen><Ethernet_IP1>10</Par_Gen"));
    open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Error);
    QCoreApplication::processEvents();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), 2);
    EXPECT_EQ(testsupport::readFile(filePath()), QByteArray("<Par_Gen><Ethernet_IP1>10</Par_Gen"));
}

TEST_F(ParGenWindow, ASaveThatFailsIsReportedAndTheWindowStaysOpen)
{
    common::State().File_ParGen = QDir(dir.path()).filePath(QStringLiteral("gone/ParGen.xml"));
    open();
    type(w->E_EthConn_Device_Name, "kept");
    clickOK();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Error);
    EXPECT_TRUE(w->isVisible());
    EXPECT_NE(w->result(), 1);
    EXPECT_EQ(w->E_EthConn_Device_Name->text(), "kept");
}

// On a full disk the save fails where the old code renamed an empty file over the settings:
// the user sees why, the window stays open with the fields as typed and the file is as it was.
TEST_F(ParGenWindow, OKOnAFullDiskIsReportedAndKeepsTheOldFile)
{
    const QByteArray old = testsupport::readFile(testsupport::fixturePath("pargen/ParGen_window.xml"));
    ASSERT_TRUE(testsupport::writeFile(filePath(), old));
    open();
    type(w->E_EthConn_Device_Name, "changed");
    {
        testsupport::FullDisk full;
        clickOK();
    }
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Error);
    EXPECT_FALSE(messages.shown[0].text.isEmpty());
    EXPECT_TRUE(w->isVisible());
    EXPECT_NE(w->result(), 1);
    EXPECT_EQ(w->E_EthConn_Device_Name->text(), "changed");
    EXPECT_EQ(written(), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ParGen.xml"});
}

TEST_F(ParGenWindow, HiddenWiFiFlagIsKeptAndAnUnknownBaudItemSavesAs500K)
{
    QByteArray file = testsupport::readFile(testsupport::fixturePath("pargen/ParGen_window.xml"));
    file.replace("<Eth_Conn_DHCP_WiFi>0<", "<Eth_Conn_DHCP_WiFi>1<");
    file.replace("<DNETM_BAUDRATE>0<", "<DNETM_BAUDRATE>7<");
    ASSERT_TRUE(testsupport::writeFile(filePath(), file));
    open();
    EXPECT_TRUE(w->CB_EthConn_En_DHCP_WiFi->isHidden());
    EXPECT_EQ(w->CB_DeviceNet_Master_Baudrate->currentText(), "500K");
    clickOK();
    EXPECT_TRUE(written().contains("<Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi>"));
    EXPECT_TRUE(written().contains("<DNETM_BAUDRATE>2</DNETM_BAUDRATE>"));
    EXPECT_FALSE(written().contains("-1"));
}
