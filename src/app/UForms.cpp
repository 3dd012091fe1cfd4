#include "app/UForms.h"

#include "app/UAbout.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/UPlaceholderWindow.h"
#include "app/UQuorvantiseFirmWare.h"
#include "app/USoftOptions.h"
#include "gateway/UBoot.h"
#include "gateway/UDNet.h"
#include "gateway/UDefOffset.h"
#include "gateway/UIOLinkSlave.h"
#include "gateway/UParGen.h"
#include "protocols/energy_it/iec61850/UIEC61850_Variables.h"
#include "protocols/energy_it/iec61850/UIEC_61850_Access.h"
#include "protocols/energy_it/iec61850/UTLS_Server_Known_Cert.h"
#include "protocols/energy_it/mqtt/UMQTT_Set_Topic.h"
#include "protocols/energy_it/mqtt/UTopicTemplate.h"
#include "protocols/energy_it/opcua/UOPC_UA_Add_Server.h"
#include "protocols/energy_it/opcua/UOPC_UA_Client_Access.h"
#include "protocols/energy_it/opcua/UOPC_UA_Scan_Server.h"
#include "protocols/energy_it/opcua/UOPC_UA_Server_Access.h"
#include "protocols/energy_it/snmp/USNMPManagerAccess.h"
#include "protocols/energy_it/snmp/USNMP_MIB.h"
#include "protocols/energy_it/snmp/USNMP_Trap_Access.h"
#include "protocols/ethernet/bacnet/UBACnetAccess.h"
#include "protocols/ethernet/bacnet/UBACnetSlaveSetAccess.h"
#include "protocols/ethernet/bacnet/UBACnet_EDE_File.h"
#include "protocols/ethernet/bacnet/UBACnet_Eng_Unit.h"
#include "protocols/ethernet/bacnet/UImportEDEFile.h"
#include "protocols/ethernet/ethernetip/UEtherNetIP_EDS.h"
#include "protocols/ethernet/ethernetip/UEtherNetIP_Master_Access.h"
#include "protocols/ethernet/modbus/UModbus_TCP_Master_Set_Access.h"
#include "protocols/ethernet/modbus/USetAccess.h"
#include "protocols/ethernet/profinet/UProfinetFileName.h"
#include "protocols/ethernet/profinet/UProfinetXML.h"
#include "protocols/ethernet/s7/US7_Protocol_Set_Access.h"
#include "protocols/fieldbus/can/UReceiveCAN.h"
#include "protocols/fieldbus/can/UTransmitCAN.h"
#include "protocols/fieldbus/canopen/UEds.h"
#include "protocols/fieldbus/canopen/USet_PDO_Access.h"
#include "protocols/fieldbus/canopen/USet_SDO_Client_Access.h"
#include "protocols/fieldbus/canopen/USet_SDO_Server_Access.h"
#include "protocols/fieldbus/ethercat/UEtherCATSlave.h"
#include "protocols/fieldbus/j1939/UReceiveJ1939.h"
#include "protocols/fieldbus/j1939/UTransmitJ1939.h"
#include "protocols/fieldbus/nmea2000/UReceiveNMEA.h"
#include "protocols/fieldbus/nmea2000/UTransmitNMEA.h"

#include <QDialog>

#include <utility>

namespace {

// The windows in start-up order (after the main window), with their roles.
struct FormRow {
    const char* objectName;
    const char* role;
};

constexpr FormRow kFormOrder[] = {
    {"FNew_Project", "New configuration"},
    {"FOpenConf", "Open configuration"},
    {"FAbout", "About"},
    {"FSoftOptions", "Software options"},
    {"FParGen", "Communication settings"},
    {"FIOLinkSlave", "IO-Link slave tables"},
    {"FBoot", "Device update"},
    {"FSetAccess", "Modbus serial master table"},
    {"FModbus_TCP_Master_Set_Access", "Modbus TCP master table"},
    {"FBACnetAccess", "BACnet client table"},
    {"FImportEDEFile", "EDE import picker"},
    {"FBACnet_Eng_Unit", "BACnet unit picker"},
    {"FBACnetSlaveSetAccess", "BACnet server table"},
    {"FReceiveCAN", "CAN receive table"},
    {"FTransmitCAN", "CAN transmit table"},
    {"FSet_PDO_Access", "CANopen PDO table"},
    {"FSet_SDO_Client_Access", "CANopen SDO client table"},
    {"FSet_SDO_Server_Access", "CANopen SDO server table"},
    {"FDefOffset", "DeviceNet byte offsets"},
    {"FDNet", "DeviceNet network"},
    {"FEtherCATSlave", "EtherCAT slave table"},
    {"FIEC_61850_Access", "IEC 61850 client"},
    {"FIEC61850_Variables", "IEC 61850 variables"},
    {"FTLS_Server_Known_Cert", "TLS known certificates"},
    {"FReceiveJ1939", "J1939 receive table"},
    {"FTransmitJ1939", "J1939 transmit table"},
    {"FMQTT_Set_Topic", "MQTT topics"},
    {"FTopicTemplate", "MQTT topic template editor"},
    {"FReceiveNMEA", "NMEA 2000 receive table"},
    {"FTransmitNMEA", "NMEA 2000 transmit table"},
    {"FOPC_UA_Add_Server", "OPC UA server entry"},
    {"FOPC_UA_Client_Access", "OPC UA client table"},
    {"FOPC_UA_Scan_Server", "OPC UA server browse"},
    {"FOPC_UA_Server_Access", "OPC UA server table"},
    {"FProfinetFileName", "GSDML file name"},
    {"FS7_Protocol_Set_Access", "S7 client table"},
    {"FSNMPManagerAccess", "SNMP manager table"},
    {"FSNMP_Trap_Access", "SNMP agent and trap table"},
    {"FEtherNEtIP_EDS", "EtherNet/IP EDS connection picker"},
    {"FEtherNetIP_Master_Access", "EtherNet/IP scanner table"},
};

// The order in which a language change re-applies the texts (all but the main and about windows).
constexpr const char* kLanguageOrder[] = {
    "FNew_Project",
    "FOpenConf",
    "FSoftOptions",
    "FBoot",
    "FParGen",
    "FIOLinkSlave",
    "FSetAccess",
    "FModbus_TCP_Master_Set_Access",
    "FBACnetAccess",
    "FImportEDEFile",
    "FBACnetSlaveSetAccess",
    "FBACnet_Eng_Unit",
    "FReceiveCAN",
    "FTransmitCAN",
    "FSet_PDO_Access",
    "FSet_SDO_Client_Access",
    "FSet_SDO_Server_Access",
    "FDNet",
    "FDefOffset",
    "FEtherCATSlave",
    "FEtherNetIP_Master_Access",
    "FEtherNEtIP_EDS",
    "FIEC_61850_Access",
    "FTLS_Server_Known_Cert",
    "FIEC61850_Variables",
    "FReceiveJ1939",
    "FTransmitJ1939",
    "FMQTT_Set_Topic",
    "FTopicTemplate",
    "FReceiveNMEA",
    "FTransmitNMEA",
    "FOPC_UA_Client_Access",
    "FOPC_UA_Add_Server",
    "FOPC_UA_Scan_Server",
    "FOPC_UA_Server_Access",
    "FProfinetFileName",
    "FS7_Protocol_Set_Access",
    "FSNMPManagerAccess",
    "FSNMP_Trap_Access",
};

template <typename W>
TFormEntry entryFor(W* window, bool withLang = true)
{
    TFormEntry e;
    e.objectName = window->objectName();
    e.window = window;
    if (withLang)
        e.setLang = [window] { window->Set_Lang(); };
    e.showModal = [window] { return window->exec(); };
    return e;
}

// The protocol tables built on the table-window base, one line each, by object name.
using TMakeTable = tables::TTableWindow* (*)(platform::Services&, QWidget*);
template <typename W>
tables::TTableWindow* makeTable(platform::Services& services, QWidget* owner)
{
    return new W(services, owner);
}
// The server tables open the unit picker, created before them.
tables::TTableWindow* makeBACnetServer(platform::Services& services, QWidget* owner)
{
    auto* w = new ethernet::TFBACnetSlaveSetAccess(services, owner);
    if (owner)
        w->FBACnet_Eng_Unit = owner->findChild<ethernet::TFBACnet_Eng_Unit*>(QStringLiteral("FBACnet_Eng_Unit"));
    return w;
}
// The scanner table is handed the EDS picker, created before it.
tables::TTableWindow* makeEtherNetIPScanner(platform::Services& services, QWidget* owner)
{
    auto* picker = owner ? owner->findChild<ethernet::TFEtherNEtIP_EDS*>(QStringLiteral("FEtherNEtIP_EDS")) : nullptr;
    return new ethernet::TFEtherNetIP_Master_Access(services, picker, owner);
}
constexpr std::pair<const char*, TMakeTable> kTableWindows[] = {
    {"FReceiveCAN", makeTable<fieldbus::TFReceiveCAN>},
    {"FTransmitCAN", makeTable<fieldbus::TFTransmitCAN>},
    {"FSet_PDO_Access", makeTable<fieldbus::TFSet_PDO_Access>},
    {"FBACnetSlaveSetAccess", makeBACnetServer},
    {"FBACnetAccess", makeTable<ethernet::TFBACnetAccess>},
    {"FSetAccess", makeTable<ethernet::TFSetAccess>},
    {"FModbus_TCP_Master_Set_Access", makeTable<ethernet::TFModbus_TCP_Master_Set_Access>},
    {"FS7_Protocol_Set_Access", makeTable<ethernet::TFS7_Protocol_Set_Access>},
    {"FSet_SDO_Client_Access", makeTable<fieldbus::TFSet_SDO_Client_Access>},
    {"FSet_SDO_Server_Access", makeTable<fieldbus::TFSet_SDO_Server_Access>},
    {"FEtherCATSlave", makeTable<fieldbus::TFEtherCATSlave>},
    {"FReceiveJ1939", makeTable<fieldbus::TFReceiveJ1939>},
    {"FTransmitJ1939", makeTable<fieldbus::TFTransmitJ1939>},
    {"FReceiveNMEA", makeTable<fieldbus::TFReceiveNMEA>},
    {"FTransmitNMEA", makeTable<fieldbus::TFTransmitNMEA>},
    {"FEtherNetIP_Master_Access", makeEtherNetIPScanner},
    {"FMQTT_Set_Topic", makeTable<energy_it::TFMQTT_Set_Topic>},
    {"FSNMPManagerAccess", makeTable<energy_it::TFSNMPManagerAccess>},
    {"FSNMP_Trap_Access", makeTable<energy_it::TFSNMP_Trap_Access>},
    {"FTLS_Server_Known_Cert", makeTable<energy_it::TFTLS_Server_Known_Cert>},
    {"FIEC61850_Variables", makeTable<energy_it::TFIEC61850_Variables>},
    {"FOPC_UA_Server_Access", makeTable<energy_it::TFOPC_UA_Server_Access>},
};

template <typename W>
TFormEntry named(W* window, const char* objectName)
{
    window->setObjectName(QLatin1String(objectName));
    return entryFor(window);
}

// Creates the window of an object name: its own unit where this build has one, otherwise a
// placeholder.
TFormEntry createWindow(const FormRow& row, platform::Services& services, QWidget* owner)
{
    const QString name = QLatin1String(row.objectName);
    const auto own = [&](auto* w) {
        TFormEntry e = named(w, row.objectName);
        e.showModal = [w] { return w->ShowModal(); };
        return e;
    };
    if (name == QLatin1String("FNew_Project"))
        return own(new app::TFNew_Project(services, owner));
    if (name == QLatin1String("FOpenConf"))
        return own(new app::TFOpenConf(services, owner));
    if (name == QLatin1String("FAbout")) {
        auto* w = new app::TFAbout(services, owner);
        w->setObjectName(name);
        TFormEntry e;
        e.objectName = name;
        e.window = w;
        e.showModal = [w] { return w->ShowModal(); };
        return e;
    }
    if (name == QLatin1String("FSoftOptions")) {
        auto* w = new app::TFSoftOptions(services, owner);
        auto* mainWindow = qobject_cast<TFQuorvantiseFirmWare*>(owner);
        w->Change_Language = [mainWindow] { mainWindow->Change_Language(); };
        w->Set_Timer_Update_Enabled = [mainWindow](bool) { mainWindow->Apply_Timer_Rule(); };
        mainWindow->Check_Version = [w] { return w->Check_Version(); };
        return own(w);
    }
    if (name == QLatin1String("FBoot")) {
        auto* w = new gateway::TFBoot(services, owner);
        auto* mainWindow = qobject_cast<TFQuorvantiseFirmWare*>(owner);
        w->Start_Program = [mainWindow](const QString& program, const QString& parameters, int tipo) {
            return mainWindow->Start_Program(program, parameters, tipo);
        };
        return own(w);
    }
    if (name == QLatin1String("FIOLinkSlave"))
        return own(new gateway::TFIOLinkSlave(services, owner));
    if (name == QLatin1String("FDNet"))
        return own(new gateway::TFDNet(services, owner));
    if (name == QLatin1String("FDefOffset"))
        return own(new gateway::TFDefOffset(services, owner));
    if (name == QLatin1String("FParGen"))
        return own(new gateway::TFParGen(services, owner));
    if (name == QLatin1String("FBACnet_Eng_Unit"))
        return own(new ethernet::TFBACnet_Eng_Unit(services, owner));
    if (name == QLatin1String("FImportEDEFile")) {
        // Created after the BACnet client window, whose Import EDE opens it.
        auto* w = new ethernet::TFImportEDEFile(services, owner);
        if (auto* client =
                owner ? owner->findChild<ethernet::TFBACnetAccess*>(QStringLiteral("FBACnetAccess")) : nullptr)
            client->FImportEDEFile = w;
        return own(w);
    }
    if (name == QLatin1String("FIEC_61850_Access"))
        return own(new energy_it::TFIEC_61850_Access(services, owner));
    if (name == QLatin1String("FEtherNEtIP_EDS"))
        return own(new ethernet::TFEtherNEtIP_EDS(services, owner));
    if (name == QLatin1String("FProfinetFileName")) {
        auto* mainWindow = qobject_cast<TFQuorvantiseFirmWare*>(owner);
        if (mainWindow)
            mainWindow->Generators.Create_GSDML_File = [mainWindow, &services](const QString& nameFileXml) {
                ethernet::Create_GSDML_File(mainWindow, services, nameFileXml);
            };
        return own(new ethernet::TFProfinetFileName(services, owner));
    }
    if (name == QLatin1String("FTopicTemplate")) {
        // Created after the MQTT window, which opens it for its Template cells.
        auto* w = new energy_it::TFTopicTemplate(services, owner);
        if (auto* mqtt =
                owner ? owner->findChild<energy_it::TFMQTT_Set_Topic*>(QStringLiteral("FMQTT_Set_Topic")) : nullptr)
            mqtt->FTopicTemplate = w;
        return own(w);
    }
    if (name == QLatin1String("FOPC_UA_Add_Server"))
        return own(new energy_it::TFOPC_UA_Add_Server(services, owner));
    if (name == QLatin1String("FOPC_UA_Client_Access")) {
        // The endpoint dialog is created before it, the browse window after it.
        auto* w = new energy_it::TFOPC_UA_Client_Access(services, owner);
        if (owner)
            w->FOPC_UA_Add_Server =
                owner->findChild<energy_it::TFOPC_UA_Add_Server*>(QStringLiteral("FOPC_UA_Add_Server"));
        return own(w);
    }
    if (name == QLatin1String("FOPC_UA_Scan_Server")) {
        auto* w = new energy_it::TFOPC_UA_Scan_Server(services, owner);
        if (auto* client =
                owner ? owner->findChild<energy_it::TFOPC_UA_Client_Access*>(QStringLiteral("FOPC_UA_Client_Access"))
                      : nullptr)
            client->FOPC_UA_Scan_Server = w;
        return own(w);
    }
    for (const auto& [tableName, make] : kTableWindows)
        if (name == QLatin1String(tableName))
            return own(make(services, owner));
    auto* w = new TFPlaceholderWindow(name, QLatin1String(row.role), owner);
    return entryFor(w, name != QLatin1String("FAbout"));
}

} // namespace

TForms& Forms()
{
    static TForms forms;
    return forms;
}

void TForms::Create_Forms(platform::Services& services)
{
    main_ = new TFQuorvantiseFirmWare(services);
    main_->Generators.Create_EDE_File = [&services, m = main_](const QString& fileName) {
        ethernet::Create_EDE_File(fileName, services, m);
    };
    main_->Generators.Write_EDS_File = [&services, owner = main_](const QString& fileName) {
        fieldbus::Write_EDS_File(fileName, services, owner);
    };
    TFormEntry mainEntry;
    mainEntry.objectName = main_->objectName();
    mainEntry.window = main_;
    entries_.push_back(mainEntry);
    for (const FormRow& row : kFormOrder)
        entries_.push_back(createWindow(row, services, main_));
    main_->Generators.Create_MIB_File = [services = &services, owner = main_] {
        energy_it::Create_MIB_File(*services, owner);
    };
}

void TForms::Free_Forms()
{
    // The other windows are children of the main window and go with it.
    delete main_;
    main_ = nullptr;
    entries_.clear();
}

const TFormEntry* TForms::Find(const QString& objectName) const
{
    for (const TFormEntry& e : entries_)
        if (e.objectName == objectName)
            return &e;
    return nullptr;
}

int TForms::ShowModal(const QString& objectName) const
{
    const TFormEntry* e = Find(objectName);
    return e && e->showModal ? e->showModal() : 0;
}

void TForms::Set_Lang_All() const
{
    for (const char* name : kLanguageOrder)
        if (const TFormEntry* e = Find(QLatin1String(name)); e && e->setLang)
            e->setLang();
}
