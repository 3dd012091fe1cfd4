// The project files of the protocol windows, from any bytes. The first byte picks the reader:
// one of the table windows (shown as ShowModal shows it, so it reads its file), the OPC UA
// client's server list, the IEC 61850 client file or the PROFINET settings; the rest is the
// file. A file that is not well-formed or misses what the reader needs ends in the XML error
// or a message.

#include "FuzzSupport.h"

#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Xml.h"
#include "protocols/energy_it/iec61850/UIEC61850_Variables.h"
#include "protocols/energy_it/iec61850/UIEC_61850_ClientFile.h"
#include "protocols/energy_it/iec61850/UTLS_Server_Known_Cert.h"
#include "protocols/energy_it/mqtt/UMQTT_Set_Topic.h"
#include "protocols/energy_it/opcua/UOPC_UA_Client_File.h"
#include "protocols/energy_it/opcua/UOPC_UA_Server_Access.h"
#include "protocols/energy_it/snmp/USNMPManagerAccess.h"
#include "protocols/energy_it/snmp/USNMP_Trap_Access.h"
#include "protocols/ethernet/bacnet/UBACnetAccess.h"
#include "protocols/ethernet/bacnet/UBACnetSlaveSetAccess.h"
#include "protocols/ethernet/ethernetip/UEtherNetIP_Master_Access.h"
#include "protocols/ethernet/modbus/UModbus_TCP_Master_Set_Access.h"
#include "protocols/ethernet/modbus/USetAccess.h"
#include "protocols/ethernet/profinet/UProfinetXML.h"
#include "protocols/ethernet/s7/US7_Protocol_Set_Access.h"
#include "protocols/fieldbus/can/UReceiveCAN.h"
#include "protocols/fieldbus/can/UTransmitCAN.h"
#include "protocols/fieldbus/canopen/USet_PDO_Access.h"
#include "protocols/fieldbus/canopen/USet_SDO_Client_Access.h"
#include "protocols/fieldbus/canopen/USet_SDO_Server_Access.h"
#include "protocols/fieldbus/ethercat/UEtherCATSlave.h"
#include "protocols/fieldbus/j1939/UReceiveJ1939.h"
#include "protocols/fieldbus/j1939/UTransmitJ1939.h"
#include "protocols/fieldbus/nmea2000/UReceiveNMEA.h"
#include "protocols/fieldbus/nmea2000/UTransmitNMEA.h"
#include "tables/UTableWindow.h"

#include <QDir>

#include <functional>
#include <memory>
#include <vector>

namespace {

struct Reader {
    QString common::TProgramState::*file;
    std::function<void(const QString& path)> read;
};

std::vector<std::unique_ptr<tables::TTableWindow>> windows;
std::vector<Reader> readers;

template <class W, class... Extra>
void table(QString common::TProgramState::*file, Extra... extra)
{
    windows.push_back(std::make_unique<W>(fuzzsupport::services(), extra...));
    tables::TTableWindow* w = windows.back().get();
    readers.push_back({file, [w](const QString&) { fuzzsupport::showOnce(*w); }});
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::startApplication();
    common::Load_Default_Texts();
    common::TProgramState& state = common::State();
    state.Project_Dir = fuzzsupport::folder().path();
    common::Set_Files(state);
    using S = common::TProgramState;
    table<fieldbus::TFReceiveCAN>(&S::File_CAN_Rec_Frames);
    table<fieldbus::TFTransmitCAN>(&S::File_CAN_Send_Frames);
    table<fieldbus::TFSet_PDO_Access>(&S::File_PDO_CANopen);
    table<fieldbus::TFSet_SDO_Client_Access>(&S::File_SDO_Client_CANopen);
    table<fieldbus::TFSet_SDO_Server_Access>(&S::File_SDO_Server_CANopen);
    table<fieldbus::TFEtherCATSlave>(&S::File_EtherCAT_Slave);
    table<fieldbus::TFReceiveJ1939>(&S::File_J1939_Rec_Frames);
    table<fieldbus::TFTransmitJ1939>(&S::File_J1939_Send_Frames);
    table<fieldbus::TFReceiveNMEA>(&S::File_NMEA_Rec_Frames);
    table<fieldbus::TFTransmitNMEA>(&S::File_NMEA_Send_Frames);
    table<ethernet::TFBACnetSlaveSetAccess>(&S::File_BACnet_Slave);
    table<ethernet::TFBACnetAccess>(&S::File_BACnet_Master_Access);
    table<ethernet::TFSetAccess>(&S::File_ModbusM_SetAccess);
    table<ethernet::TFModbus_TCP_Master_Set_Access>(&S::File_ModbusTCPM_SetAccess);
    table<ethernet::TFS7_Protocol_Set_Access>(&S::File_S7_Protocol);
    table<ethernet::TFEtherNetIP_Master_Access>(&S::File_EtherNetIP_Master_Rules, nullptr);
    table<energy_it::TFMQTT_Set_Topic>(&S::File_MQTT_Set_Topic);
    table<energy_it::TFSNMPManagerAccess>(&S::File_SNMP_Manager);
    table<energy_it::TFSNMP_Trap_Access>(&S::File_SNMP_Trap);
    table<energy_it::TFTLS_Server_Known_Cert>(&S::File_TLS_Known_Cert);
    table<energy_it::TFIEC61850_Variables>(&S::File_IEC61850_Variables);
    table<energy_it::TFOPC_UA_Server_Access>(&S::File_OPC_UA_Server);
    readers.push_back({&S::File_OPC_UA_Client, [](const QString& path) {
                           energy_it::TOPC_UA_Server_List list;
                           platform::xml::Document doc;
                           energy_it::Load_OPC_UA_Client_File(list, doc, path);
                       }});
    readers.push_back(
        {&S::File_IEC_61850_Client, [](const QString& path) { (void)energy_it::Read_IEC_Client_File(path); }});
    readers.push_back({&S::File_ParGen, [](const QString& path) {
                           ethernet::TProfinet_ParGen settings;
                           (void)ethernet::Read_Profinet_ParGen(path, settings);
                       }});
    fuzzsupport::beforeApplicationEnds([] {
        readers.clear();
        windows.clear();
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Reader& reader = readers[data[0] % readers.size()];
    const QString path = common::State().*reader.file;
    const QString name = QDir(fuzzsupport::folder().path()).relativeFilePath(path);
    fuzzsupport::inputFile(name.toUtf8().constData(), data + 1, size - 1);
    try {
        reader.read(path);
    } catch (const platform::xml::XmlError&) {
    }
    return 0;
}
