#include "gateway/UParGenLayout.h"

#include "gateway/CategoryPanelGroup.h"

#include "common/ULanguage.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace gateway::pargen_layout {

using enum PanelId;

// clang-format off
const std::array<PanelDef, kPanelCount> kPanels{{
    // panel                name                    title  routine height from                           fixed
    {Ethernet_Connection, "CP_Ethernet_Connection", 1307, true,  "E_EthConn_Sec_DNS_IP4",                 0},
    {IOLink_Slave,        "CP_IOLink_Slave",         406, true,  "CB_IOLink_Slave_Baudrate",              0},
    {Select_Device,       "CP_Select_Device",       1304, false, "",                                     67},
    {Serial,              "CP_Serial",               409, true,  "CB_Serial_StopBits",                    0},
    {Modbus_Master,       "CP_Modbus_Master",        431, true,  "E_ModbusMaster_CyclicDelay",            0},
    {Modbus_Slave,        "CP_Modbus_Slave",         418, true,  "CB_ModbusSlave_ReadInput",              0},
    {Modbus_TCP_Master,   "CP_Modbus_TCP_Master",    444, true,  "E_ModbusTCPMaster_CyclicDelay",         0},
    {Modbus_TCP_Slave,    "CP_Modbus_TCP_Slave",     465, true,  "E_ModbusTCPSlave_Port",                 0},
    {BACnet_Master,       "CP_BACnet_Master",        486, true,  "",                                      0},
    {BACnet_Slave,        "CP_BACnet_Slave",         527, true,  "CB_BACnet_Slave_Desc_32_Chars",         0},
    {CAN,                 "CP_CAN",                  570, true,  "CB_CAN_Baudrate",                       0},
    {CANopen,             "CP_CANopen",              573, true,  "E_CANopen_SDO_Timeout",                 0},
    {DeviceNet_Master,    "CP_DeviceNet_Master",     585, true,  "CB_DeviceNet_Master_Baudrate",          0},
    {DeviceNet_Slave,     "CP_DeviceNet_Slave",      590, true,  "E_DeviceNet_Slave_NumByteOut",          0},
    {EtherCAT_Slave,      "CP_EtherCAT_Slave",       599, true,  "E_EtherCAT_Slave_Node_Address",         0},
    {Ethernet,            "CP_Ethernet",             606, true,  "E_Ethernet_GAT4",                       0},
    {EtherNetIP_Master,   "CP_EtherNetIP_Master",    633, true,  "E_EtherNetIP_Master_Port",              0},
    {EtherNetIP,          "CP_EtherNetIP",           652, true,  "E_EtherNetIP_NByte_Out",                0},
    {IEC61850_Client,     "CP_IEC61850_Client",      678, true,  "E_IEC61850_Client_AppID",               0},
    {IEC61850_Server,     "CP_IEC61850_Server",      699, true,  "E_IEC61850_Server_Password",            0},
    {TLS_Server,          "CP_TLS_Server",          1016, true,  "",                                      0},
    {J1939,               "CP_J1939",                720, true,  "E_J1939_ID_Device",                     0},
    {MQTT,                "CP_MQTT",                 729, true,  "E_MQTT_Password",                       0},
    {TLS,                 "CP_TLS",                 1029, true,  "",                                      0},
    {NTP,                 "CP_NTP",                 1044, true,  "E_NTP_Poll_Time",                       0},
    {WiFi2,               "CP_WiFi2",               1326, true,  "",                                      0},
    {GSM_GPRS,            "CP_GSM_GPRS",            1458, true,  "E_GSM_GPRS_Password",                   0},
    {NMEA2000,            "CP_NMEA2000",             840, true,  "CB_NMEA2000_Peer_To_Peer",              0},
    {OPC_UA_Client,       "CP_OPC_UA_Client",        872, true,  "E_OPC_UA_Client_GAT4",                  0},
    {OPC_UA_Server,       "CP_OPC_UA_Server",        847, true,  "E_OPC_UA_Server_Port",                  0},
    {PROFINET,            "CP_PROFINET",             914, true,  "E_PROFINET_NByte_Out",                  0},
    {S7_Protocol,         "CP_S7_Protocol",          942, true,  "E_S7_Protocol_GAT4",                    0},
    {SNMP_Manager,        "CP_SNMP_Manager",         998, true,  "E_SNMP_Manager_NameStation",            0},
    {SNMP_Agent,          "CP_SNMP_Agent",           959, true,  "",                                      0},
    {WiFi,                "CP_WiFi",                   0, true,  "",                                      0},
    {PROFINET_Master,     "CP_PROFINET_Master",        0, false, "",                                      0},
}};

const std::vector<ModelLayout> kModelLayouts{
    {40508, {Ethernet_Connection, IOLink_Slave, Serial, Ethernet}},
    {40509, {Ethernet_Connection, IOLink_Slave, Modbus_Master, Ethernet}},
    {40510, {Ethernet_Connection, IOLink_Slave, Modbus_Slave, Ethernet}},
    {40511, {Ethernet_Connection, IOLink_Slave, Modbus_TCP_Master}},
    {40512, {Ethernet_Connection, IOLink_Slave, Modbus_TCP_Slave}},
    {40513, {Ethernet_Connection, IOLink_Slave, BACnet_Master, Ethernet}},
    {40514, {Ethernet_Connection, IOLink_Slave, BACnet_Slave, Ethernet}},
    {40515, {Ethernet_Connection, IOLink_Slave, CAN, Ethernet}},
    {40516, {Ethernet_Connection, IOLink_Slave, CANopen, Ethernet}},
    {40517, {Ethernet_Connection, IOLink_Slave, DeviceNet_Master, Ethernet}},
    {40518, {Ethernet_Connection, IOLink_Slave, DeviceNet_Slave, Ethernet}},
    {40519, {Ethernet_Connection, IOLink_Slave, EtherCAT_Slave, Ethernet}},
    {40520, {Ethernet_Connection, IOLink_Slave, Ethernet}},
    {40521, {Ethernet_Connection, IOLink_Slave, EtherNetIP_Master}},
    {40522, {Ethernet_Connection, IOLink_Slave, EtherNetIP}},
    {40523, {Ethernet_Connection, IOLink_Slave, IEC61850_Client}},
    {40524, {Ethernet_Connection, IOLink_Slave, IEC61850_Server, TLS_Server}},
    {40525, {Ethernet_Connection, IOLink_Slave, J1939, Ethernet}},
    {40526, {Select_Device, Ethernet_Connection, IOLink_Slave, MQTT, Ethernet, TLS, NTP, WiFi2, GSM_GPRS}},
    {40528, {Ethernet_Connection, IOLink_Slave, NMEA2000, Ethernet}},
    {40529, {Ethernet_Connection, IOLink_Slave, OPC_UA_Client, NTP}},
    {40530, {Ethernet_Connection, IOLink_Slave, OPC_UA_Server, NTP}},
    {40532, {Ethernet_Connection, IOLink_Slave, PROFINET}},
    {40533, {Ethernet_Connection, IOLink_Slave, S7_Protocol}},
    {40534, {Ethernet_Connection, IOLink_Slave, SNMP_Manager}},
    {40535, {Ethernet_Connection, IOLink_Slave, SNMP_Agent}},
};

using enum RowKind;
// The rows of the panels this build shows (and the device list that the Wi-Fi box follows).
const std::vector<RowDef> kRows{
    {Select_Device, List, "L_Select_Device_Device", "CB_Select_Device_Device", 1305, RowShow::Always,
     RowEnable::Always, 0, {"Only Ethernet Cable ", "Ethernet Cable + Wi-Fi", "Ethernet Cable + Mobile Connection"}},

    {Ethernet_Connection, Text,    "L_EthConn_Device_Name",   "E_EthConn_Device_Name",  1308, RowShow::Always, RowEnable::Always, 31},
    {Ethernet_Connection, Check,   "CB_EthConn_En_DHCP_Cable", "",                      1310},
    {Ethernet_Connection, Check,   "CB_EthConn_En_DHCP_WiFi", "",                       1312, RowShow::WithWiFi, RowEnable::WiFiDevice},
    {Ethernet_Connection, Check,   "CB_EthConn_Enable_DNS",   "",                       1314},
    {Ethernet_Connection, Address, "L_EthConn_Primary_DNS",   "E_EthConn_Pri_DNS_IP",   1316},
    {Ethernet_Connection, Address, "L_EthConn_Secondary_DNS", "E_EthConn_Sec_DNS_IP",   1321},

    {IOLink_Slave, List, "L_IOLink_Slave_Baudrate", "CB_IOLink_Slave_Baudrate", 407, RowShow::Always,
     RowEnable::Always, 0, {"COM1", "COM2", "COM3"}},

    {DeviceNet_Master, ReadOnly, "L_DeviceNet_Master_IDDevice", "E_DeviceNet_Master_IDDevice", 586},
    {DeviceNet_Master, List,     "L_DeviceNet_Master_Baudrate", "CB_DeviceNet_Master_Baudrate", 588, RowShow::Always,
     RowEnable::Always, 0, {"125K", "250K", "500K"}},

    {Ethernet, Address,      "L_Ethernet_IP",       "E_Ethernet_IP",       607, RowShow::Always, RowEnable::UnlessDhcpCable},
    {Ethernet, Address,      "L_Ethernet_SM",       "E_Ethernet_SM",       612, RowShow::Always, RowEnable::UnlessDhcpCable},
    {Ethernet, CheckAddress, "CB_Ethernet_En_GAT",  "E_Ethernet_GAT",      617, RowShow::Always, RowEnable::UnlessDhcpCable},
    {Ethernet, Text,         "L_Ethernet_TCP_Port", "E_Ethernet_TCP_Port", 629, RowShow::Never},
    {Ethernet, Text,         "L_Ethernet_UDP_Port", "E_Ethernet_UDP_Port", 631, RowShow::Never},
};
// clang-format on

const std::vector<const char*> kRelayOnChange{
    "CB_BACnet_Slave_Type",  "CB_SNMP_Agent_SecurityLevel", "CB_WiFi_Type",  "CB_WiFi_Secure_Type",
    "CB_BACnet_Master_Type", "CB_WiFi2_Secure_Type",        "CB_WiFi2_Type", "CB_Select_Device_Device",
};
const std::vector<const char*> kRelayOnClick{
    "CB_SNMP_Agent_Version3",   "CB_MQTT_WillFlag",        "CB_TLS_Enable",    "CB_TLS_En_Server_Auth",
    "CB_TLS_En_Client_Auth",    "CB_WiFi_IP_Auto",         "CB_WiFi_En_DHCP",  "CB_TLS_Server_Enable",
    "CB_EthConn_En_DHCP_Cable", "CB_EthConn_En_DHCP_WiFi", "CB_WiFi2_En_DHCP", "CB_MQTT_PublishTopicConnection",
};

QString ParGen_Text(int number)
{
    const QStringList& texts = common::Lang_Str();
    return number >= 0 && number < texts.size() ? texts[number] : QString();
}

const PanelDef& panelDef(PanelId id)
{
    return kPanels[static_cast<int>(id)];
}

const ModelLayout* modelLayout(int model)
{
    for (const ModelLayout& m : kModelLayouts)
        if (m.model == model)
            return &m;
    return nullptr;
}

namespace {

QString byteName(const char* stem, int k)
{
    return QString::fromLatin1(stem) + QString::number(k);
}

QString dotName(const RowDef& row, int k)
{
    return QString::fromLatin1(row.kind == CheckAddress ? row.input : row.label) + QStringLiteral("_Dot")
           + QString::number(k);
}

int bottomOf(const QWidget* w)
{
    return w->y() + w->height();
}

} // namespace

ParGenPanels::ParGenPanels(CategoryPanelGroup& group) : group_(group)
{
    for (const PanelDef& def : kPanels) {
        CategoryPanel* panel = group_.addPanel(QString::fromLatin1(def.name));
        panel->hide();
        if (def.fixedHeight > 0)
            panel->setPanelHeight(def.fixedHeight);
        panels_[static_cast<int>(def.id)] = panel;
    }
    for (const RowDef& row : kRows) {
        QWidget* body = panel(row.panel)->body();
        auto makeLabel = [&](const QString& name, const QString& text = QString()) {
            auto* l = new QLabel(text, body);
            l->setObjectName(name);
            return l;
        };
        auto makeEdit = [&](const QString& name) {
            auto* e = new QLineEdit(body);
            e->setObjectName(name);
            return e;
        };
        switch (row.kind) {
        case Text:
        case ReadOnly: {
            makeLabel(QString::fromLatin1(row.label));
            QLineEdit* e = makeEdit(QString::fromLatin1(row.input));
            if (row.maxLength > 0)
                e->setMaxLength(row.maxLength);
            e->setReadOnly(row.kind == ReadOnly);
            break;
        }
        case List: {
            makeLabel(QString::fromLatin1(row.label));
            auto* c = new QComboBox(body);
            c->setObjectName(QString::fromLatin1(row.input));
            for (const char* item : row.items)
                c->addItem(QString::fromUtf8(item));
            break;
        }
        case Check: {
            auto* b = new QCheckBox(body);
            b->setObjectName(QString::fromLatin1(row.label));
            break;
        }
        case Address:
        case CheckAddress: {
            if (row.kind == Address)
                makeLabel(QString::fromLatin1(row.label));
            else
                (new QCheckBox(body))->setObjectName(QString::fromLatin1(row.label));
            for (int k = 1; k <= 4; ++k) {
                makeEdit(byteName(row.input, k));
                if (k < 4)
                    makeLabel(dotName(row, k), QStringLiteral("."));
            }
            break;
        }
        }
    }
}

QWidget* ParGenPanels::control(const QString& name) const
{
    return group_.content()->findChild<QWidget*>(name);
}

QList<QWidget*> ParGenPanels::rowControls(const RowDef& row) const
{
    QList<QWidget*> list;
    list.append(control(QString::fromLatin1(row.label)));
    if (row.kind == Address || row.kind == CheckAddress) {
        for (int k = 1; k <= 4; ++k) {
            list.append(control(byteName(row.input, k)));
            if (k < 4)
                list.append(control(dotName(row, k)));
        }
    } else if (row.kind != Check) {
        list.append(control(QString::fromLatin1(row.input)));
    }
    list.removeAll(nullptr);
    return list;
}

void ParGenPanels::Hide_All_Panels()
{
    for (CategoryPanel* p : panels_)
        p->hide();
}

void ParGenPanels::Order_TAB_Panels(int model)
{
    const ModelLayout* layout = modelLayout(model);
    if (!layout)
        return;
    int top = 0;
    int position = 1;
    for (PanelId id : layout->panels) {
        CategoryPanel* p = panel(id);
        // Placed before it shows, so it joins the stack below the panels already shown.
        group_.setPanelTop(p, top);
        p->show();
        top = p->y() + p->shownHeight();
        p->setCaption(QString::number(position) + QStringLiteral(". ") + ParGen_Text(panelDef(id).titleText));
        ++position;
    }
}

void ParGenPanels::RePosition_Objects(int model)
{
    const ModelLayout* layout = modelLayout(model);
    if (!layout)
        return;
    for (PanelId id : layout->panels)
        if (panelDef(id).hasRoutine)
            rePositionPanel(id);
}

bool ParGenPanels::rowShown(const RowDef& row) const
{
    switch (row.show) {
    case RowShow::Always:
        return true;
    case RowShow::Never:
        return false;
    case RowShow::WithWiFi:
        return hasWiFi;
    }
    return true;
}

bool ParGenPanels::rowEnabled(const RowDef& row) const
{
    switch (row.enable) {
    case RowEnable::Always:
        return true;
    case RowEnable::UnlessDhcpCable: {
        const auto* dhcp = control<QCheckBox>(QStringLiteral("CB_EthConn_En_DHCP_Cable"));
        return !(dhcp && dhcp->isChecked());
    }
    case RowEnable::WiFiDevice: {
        const auto* device = control<QComboBox>(QStringLiteral("CB_Select_Device_Device"));
        return device && device->currentIndex() == 1;
    }
    }
    return true;
}

void ParGenPanels::rePositionPanel(PanelId id)
{
    int line = 0;
    int lowest = 0;
    for (const RowDef& row : kRows) {
        if (row.panel != id)
            continue;
        const bool shown = rowShown(row);
        const bool enabled = rowEnabled(row);
        for (QWidget* w : rowControls(row)) {
            w->setVisible(shown);
            if (!qobject_cast<QLabel*>(w))
                w->setEnabled(enabled);
        }
        if (!shown)
            continue;

        const int top = kFirstRowTop + line * kRowPitch;
        const int inputTop = top - kInputRaise;
        auto place = [&](const QString& name, int x, int y, int w, int h) {
            if (QWidget* c = control(name)) {
                c->setGeometry(x, y, w, h);
                lowest = std::max(lowest, bottomOf(c));
            }
        };
        const QString label = QString::fromLatin1(row.label);
        const QString input = QString::fromLatin1(row.input);
        switch (row.kind) {
        case Text:
        case ReadOnly:
            place(label, kLabelLeft, top, kInputLeft - kLabelLeft - 2, kLabelHeight);
            place(input, kInputLeft, inputTop, kSingleWidth, kEditHeight);
            break;
        case List:
            place(label, kLabelLeft, top, kInputLeft - kLabelLeft - 2, kLabelHeight);
            place(input, kInputLeft, inputTop, kSingleWidth, kListHeight);
            break;
        case Check:
            place(label, kLabelLeft, top, kCheckWidth, kCheckHeight);
            break;
        case Address:
        case CheckAddress: {
            int fieldTop = inputTop;
            if (row.kind == Address) {
                place(label, kLabelLeft, top, kInputLeft - kLabelLeft - 2, kLabelHeight);
            } else {
                place(label, kLabelLeft, top, kCheckWithFieldsWidth, kCheckHeight);
                fieldTop = top - kCheckFieldRaise;
            }
            for (int k = 1; k <= 4; ++k) {
                place(byteName(row.input, k), kByteLefts[k - 1], fieldTop, kByteWidth, kEditHeight);
                if (k < 4)
                    place(dotName(row, k), kDotLefts[k - 1], top, kByteLefts[k] - kDotLefts[k - 1], kLabelHeight);
            }
            break;
        }
        }
        ++line;
    }

    // The panel ends a margin below the control its routine names, or below the lowest row.
    int bottom = lowest;
    const char* from = panelDef(id).heightFrom;
    if (from && *from) {
        if (QWidget* c = control(QString::fromLatin1(from)); c && !c->isHidden())
            bottom = bottomOf(c);
    }
    panel(id)->setPanelHeight(bottom + CategoryPanel::kHeaderHeight + kPanelBottomMargin);
}

void ParGenPanels::Set_Lang()
{
    auto setCaption = [&](const QString& name, int n) {
        QWidget* w = control(name);
        if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(ParGen_Text(n));
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setText(ParGen_Text(n));
    };
    auto setHint = [&](const QString& name, int n) {
        if (QWidget* w = control(name))
            w->setToolTip(ParGen_Text(n));
    };
    for (const RowDef& row : kRows) {
        if (row.firstText <= 0)
            continue;
        const QString label = QString::fromLatin1(row.label);
        int n = row.firstText;
        setCaption(label, n++);
        switch (row.kind) {
        case Text:
        case ReadOnly:
        case List:
            setHint(QString::fromLatin1(row.input), n);
            break;
        case Check:
            setHint(label, n);
            break;
        case CheckAddress:
            setHint(label, n++);
            [[fallthrough]];
        case Address:
            for (int k = 1; k <= 4; ++k)
                setHint(byteName(row.input, k), n++);
            break;
        }
    }
}

QList<QWidget*> ParGenPanels::focusChain(int model) const
{
    QList<QWidget*> chain;
    const ModelLayout* layout = modelLayout(model);
    if (!layout)
        return chain;
    for (PanelId id : layout->panels) {
        for (QWidget* w : panel(id)->body()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->focusPolicy() & Qt::TabFocus)
                chain.append(w);
    }
    return chain;
}

} // namespace gateway::pargen_layout
