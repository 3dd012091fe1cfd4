// The panel tables and the two routines that walk them: which panels each model shows and in
// which order, and how this build's panels are sized and placed.

#include "gateway/UParGenLayout.h"
#include "gateway/CategoryPanelGroup.h"

#include "common/ULanguage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <map>

using namespace gateway;
using namespace gateway::pargen_layout;

namespace {

struct Built {
    CategoryPanelGroup group;
    ParGenPanels panels{group};
    explicit Built(int model)
    {
        common::Load_Default_Texts();
        group.resize(460, 591);
        panels.Hide_All_Panels();
        panels.Order_TAB_Panels(model);
        panels.RePosition_Objects(model);
    }
    QStringList shownCaptions() const
    {
        QStringList list;
        for (const CategoryPanel* p : group.stackedPanels())
            list << p->caption();
        return list;
    }
};

} // namespace

TEST(ParGenLayout, PanelTableHoldsEveryPanelOnceInDesignOrder)
{
    for (int i = 0; i < kPanelCount; ++i)
        EXPECT_EQ(static_cast<int>(kPanels[i].id), i) << kPanels[i].name;
    int withRoutine = 0;
    for (const PanelDef& p : kPanels)
        withRoutine += p.hasRoutine ? 1 : 0;
    EXPECT_EQ(withRoutine, 34);
    EXPECT_EQ(kModelLayouts.size(), 26u);
}

TEST(ParGenLayout, Model40517ShowsItsFourPanelsWithNumberedTitlesHeightsAndTops)
{
    Built b(kBuildModel);
    struct Expect {
        const char* name;
        const char* caption;
        int height;
        int top;
    };
    const Expect expected[] = {
        {"CP_Ethernet_Connection", "1. Ethernet Connection", 178, 0},
        {"CP_IOLink_Slave", "2. IO-Link Slave", 67, 178},
        {"CP_DeviceNet_Master", "3. DeviceNet Master", 95, 245},
        {"CP_Ethernet", "4. Ethernet", 123, 340},
    };
    const QList<CategoryPanel*> shown = b.group.stackedPanels();
    ASSERT_EQ(shown.size(), 4);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(shown[i]->objectName(), QString::fromLatin1(expected[i].name));
        EXPECT_EQ(shown[i]->caption(), QString::fromUtf8(expected[i].caption));
        EXPECT_EQ(shown[i]->height(), expected[i].height);
        EXPECT_EQ(shown[i]->y(), expected[i].top);
    }
    EXPECT_EQ(b.group.stackHeight(), 463);
}

TEST(ParGenLayout, Model40517RowsStandOnTheGrid)
{
    Built b(kBuildModel);
    struct Expect {
        const char* control;
        int left, top;
    };
    // Tops inside each panel's body, as the window shows them after creation.
    const Expect expected[] = {
        {"L_EthConn_Device_Name", 14, 12},
        {"E_EthConn_Device_Name", 191, 9},
        {"CB_EthConn_En_DHCP_Cable", 14, 40},
        {"CB_EthConn_Enable_DNS", 14, 68},
        {"L_EthConn_Primary_DNS", 14, 96},
        {"E_EthConn_Pri_DNS_IP1", 191, 93},
        {"E_EthConn_Pri_DNS_IP4", 374, 93},
        {"L_EthConn_Secondary_DNS", 14, 124},
        {"E_EthConn_Sec_DNS_IP1", 191, 121},
        {"E_EthConn_Sec_DNS_IP2", 252, 121},
        {"E_EthConn_Sec_DNS_IP3", 313, 121},
        {"L_EthConn_Secondary_DNS_Dot3", 369, 124},
        {"CB_IOLink_Slave_Baudrate", 191, 9},
        {"L_DeviceNet_Master_IDDevice", 14, 12},
        {"E_DeviceNet_Master_IDDevice", 191, 9},
        {"L_DeviceNet_Master_Baudrate", 14, 40},
        {"CB_DeviceNet_Master_Baudrate", 191, 37},
        {"E_Ethernet_IP1", 191, 9},
        {"E_Ethernet_SM4", 374, 37},
        {"CB_Ethernet_En_GAT", 14, 68},
        {"E_Ethernet_GAT1", 191, 66},
        {"E_Ethernet_GAT4", 374, 66},
    };
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.control);
        QWidget* w = b.panels.control(QString::fromLatin1(e.control));
        ASSERT_NE(w, nullptr);
        EXPECT_FALSE(w->isHidden());
        EXPECT_EQ(w->x(), e.left);
        EXPECT_EQ(w->y(), e.top);
    }
    EXPECT_EQ(b.panels.control("E_Ethernet_IP3")->width(), 55);
    EXPECT_EQ(b.panels.control("E_EthConn_Device_Name")->width(), 238);
    EXPECT_EQ(b.panels.control<QLineEdit>("E_EthConn_Device_Name")->maxLength(), 31);
    EXPECT_EQ(b.panels.control("CB_Ethernet_En_GAT")->width(), 175);
    EXPECT_EQ(b.panels.control("CB_EthConn_Enable_DNS")->width(), 415);

    // Rows this gateway never shows.
    for (const char* hidden : {"CB_EthConn_En_DHCP_WiFi", "L_Ethernet_TCP_Port", "E_Ethernet_TCP_Port",
                               "L_Ethernet_UDP_Port", "E_Ethernet_UDP_Port"})
        EXPECT_TRUE(b.panels.control(QString::fromLatin1(hidden))->isHidden()) << hidden;
}

TEST(ParGenLayout, ListsHoldTheirFixedItems)
{
    Built b(kBuildModel);
    auto items = [&](const char* name) {
        QStringList list;
        auto* c = b.panels.control<QComboBox>(QString::fromLatin1(name));
        for (int i = 0; c && i < c->count(); ++i)
            list << c->itemText(i);
        return list;
    };
    EXPECT_EQ(items("CB_IOLink_Slave_Baudrate"), QStringList({"COM1", "COM2", "COM3"}));
    EXPECT_EQ(items("CB_DeviceNet_Master_Baudrate"), QStringList({"125K", "250K", "500K"}));
    EXPECT_TRUE(b.panels.control<QLineEdit>("E_DeviceNet_Master_IDDevice")->isReadOnly());
}

TEST(ParGenLayout, DhcpForTheCableGreysTheEthernetAddressFields)
{
    Built b(kBuildModel);
    const char* greyed[] = {"E_Ethernet_IP1",     "E_Ethernet_IP4",  "E_Ethernet_SM1", "E_Ethernet_SM4",
                            "CB_Ethernet_En_GAT", "E_Ethernet_GAT1", "E_Ethernet_GAT4"};
    const char* untouched[] = {"E_EthConn_Device_Name", "E_EthConn_Pri_DNS_IP1", "CB_EthConn_Enable_DNS",
                               "CB_IOLink_Slave_Baudrate", "CB_DeviceNet_Master_Baudrate"};
    for (bool dhcp : {true, false}) {
        SCOPED_TRACE(dhcp);
        b.panels.control<QCheckBox>("CB_EthConn_En_DHCP_Cable")->setChecked(dhcp);
        b.panels.RePosition_Objects(kBuildModel);
        for (const char* name : greyed)
            EXPECT_EQ(b.panels.control(QString::fromLatin1(name))->isEnabled(), !dhcp) << name;
        for (const char* name : untouched)
            EXPECT_TRUE(b.panels.control(QString::fromLatin1(name))->isEnabled()) << name;
    }
}

TEST(ParGenLayout, WithWiFiTheWiFiBoxTakesARowAndFollowsTheDeviceList)
{
    Built b(kBuildModel);
    b.panels.hasWiFi = true;
    b.panels.RePosition_Objects(kBuildModel);
    QWidget* wifi = b.panels.control("CB_EthConn_En_DHCP_WiFi");
    EXPECT_FALSE(wifi->isHidden());
    EXPECT_EQ(wifi->y(), 68);
    EXPECT_EQ(b.panels.control("CB_EthConn_Enable_DNS")->y(), 96);
    EXPECT_EQ(b.panels.panel(PanelId::Ethernet_Connection)->height(), 206);
    // The device list of the hidden Select Device panel stands on its first item.
    EXPECT_FALSE(wifi->isEnabled());
    b.panels.control<QComboBox>("CB_Select_Device_Device")->setCurrentIndex(1);
    b.panels.RePosition_Objects(kBuildModel);
    EXPECT_TRUE(wifi->isEnabled());
}

TEST(ParGenLayout, EveryModelShowsItsPanelsInTheOrderOfTheTable)
{
    // Title texts of the panels, as the ordering table names them.
    const std::map<int, QStringList> expected{
        {40508, {"Ethernet Connection", "IO-Link Slave", "Serial", "Ethernet"}},
        {40509, {"Ethernet Connection", "IO-Link Slave", "Modbus Master", "Ethernet"}},
        {40510, {"Ethernet Connection", "IO-Link Slave", "Modbus Slave", "Ethernet"}},
        {40511, {"Ethernet Connection", "IO-Link Slave", "Modbus TCP Master"}},
        {40512, {"Ethernet Connection", "IO-Link Slave", "Modbus TCP Slave"}},
        {40513, {"Ethernet Connection", "IO-Link Slave", "BACnet Master", "Ethernet"}},
        {40514, {"Ethernet Connection", "IO-Link Slave", "BACnet Slave", "Ethernet"}},
        {40515, {"Ethernet Connection", "IO-Link Slave", "CAN", "Ethernet"}},
        {40516, {"Ethernet Connection", "IO-Link Slave", "CANopen", "Ethernet"}},
        {40517, {"Ethernet Connection", "IO-Link Slave", "DeviceNet Master", "Ethernet"}},
        {40518, {"Ethernet Connection", "IO-Link Slave", "DeviceNet Slave", "Ethernet"}},
        {40519, {"Ethernet Connection", "IO-Link Slave", "EtherCAT Slave", "Ethernet"}},
        {40520, {"Ethernet Connection", "IO-Link Slave", "Ethernet"}},
        {40521, {"Ethernet Connection", "IO-Link Slave", "EtherNet/IP Master"}},
        {40522, {"Ethernet Connection", "IO-Link Slave", "EtherNet/IP"}},
        {40523, {"Ethernet Connection", "IO-Link Slave", "IEC61850 Client"}},
        {40524, {"Ethernet Connection", "IO-Link Slave", "IEC61850 Server", "TLS (Transport Layer Security) Server"}},
        {40525, {"Ethernet Connection", "IO-Link Slave", "J1939", "Ethernet"}},
        {40526,
         {"Select Device", "Ethernet Connection", "IO-Link Slave", "MQTT", "Ethernet", "TLS (Transport Layer Security)",
          "NTP (Network Time Protocol)", "Wi-Fi", "GSM / GPRS / LTE"}},
        {40528, {"Ethernet Connection", "IO-Link Slave", "NMEA 2000", "Ethernet"}},
        {40529, {"Ethernet Connection", "IO-Link Slave", "OPC UA Client", "NTP (Network Time Protocol)"}},
        {40530, {"Ethernet Connection", "IO-Link Slave", "OPC UA Server", "NTP (Network Time Protocol)"}},
        {40532, {"Ethernet Connection", "IO-Link Slave", "PROFINET"}},
        {40533, {"Ethernet Connection", "IO-Link Slave", "S7comm"}},
        {40534, {"Ethernet Connection", "IO-Link Slave", "SNMP Manager"}},
        {40535, {"Ethernet Connection", "IO-Link Slave", "SNMP Agent"}},
    };
    ASSERT_EQ(expected.size(), kModelLayouts.size());
    for (const auto& [model, titles] : expected) {
        SCOPED_TRACE(model);
        Built b(model);
        QStringList numbered;
        for (int i = 0; i < titles.size(); ++i)
            numbered << QString::number(i + 1) + ". " + titles[i];
        EXPECT_EQ(b.shownCaptions(), numbered);
        // Stacked from the top without gaps.
        int top = 0;
        for (const CategoryPanel* p : b.group.stackedPanels()) {
            EXPECT_EQ(p->y(), top) << p->objectName().toStdString();
            top += p->height();
        }
    }
}

TEST(ParGenLayout, UnknownModelShowsNothing)
{
    Built b(40527);
    EXPECT_TRUE(b.group.stackedPanels().isEmpty());
}

TEST(ParGenLayout, RowTextsComeFromTheTextTableByNumber)
{
    Built b(kBuildModel);
    b.panels.Set_Lang();
    struct Expect {
        const char* control;
        bool hint;
        const char* text;
    };
    const Expect expected[] = {
        {"L_EthConn_Device_Name", false, "Device Name (Hostname)"},
        {"E_EthConn_Device_Name", true, "Insert the Device Name (hostname)"},
        {"CB_EthConn_En_DHCP_Cable", false, "Obtain an IP Address Automatically (DHCP for Cable Connection)"},
        {"CB_EthConn_Enable_DNS", true, "Enable/Disable the DNS"},
        {"E_EthConn_Pri_DNS_IP4", true, "Insert Fourth byte of Primary DNS"},
        {"L_EthConn_Secondary_DNS", false, "Secondary DNS"},
        {"CB_IOLink_Slave_Baudrate", true, "Select Baudrate to use in IO-Link Slave"},
        {"L_DeviceNet_Master_IDDevice", false, "ID Device"},
        {"CB_DeviceNet_Master_Baudrate", true, "Select Baudrate to use in DeviceNet Port"},
        {"E_Ethernet_IP1", true, "Insert First byte of IP Address"},
        {"L_Ethernet_SM", false, "SubNet Mask"},
        {"CB_Ethernet_En_GAT", false, "Gateway"},
        {"CB_Ethernet_En_GAT", true, "Enable/disable the Default Gateway"},
        {"E_Ethernet_GAT4", true, "Insert Fourth byte of Default Gateway"},
        {"L_Ethernet_UDP_Port", false, "UDP Port"},
    };
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.control);
        QWidget* w = b.panels.control(QString::fromLatin1(e.control));
        ASSERT_NE(w, nullptr);
        QString actual = w->toolTip();
        if (!e.hint) {
            if (auto* l = qobject_cast<QLabel*>(w))
                actual = l->text();
            else if (auto* c = qobject_cast<QCheckBox*>(w))
                actual = c->text();
        }
        EXPECT_EQ(actual, QString::fromUtf8(e.text));
    }
}
