#include "common/UComonState.h"

#include "platform/Files.h"
#include "platform/Xml.h"

namespace common {

using platform::joinPath;
namespace xml = platform::xml;

TProgramState& State()
{
    static TProgramState state;
    return state;
}

const std::array<ProjectFile, 28> kProjectFiles = {{
    {&TProgramState::File_ParGen, "ParGen.xml"},
    {&TProgramState::File_IOLink_Slave, "IOLink_Slave.xml"},
    {&TProgramState::File_ModbusM_SetAccess, "ModbusM_SetAccess.xml"},
    {&TProgramState::File_ModbusTCPM_SetAccess, "ModbusTCPM_SetAccess.xml"},
    {&TProgramState::File_BACnet_Master_Access, "BACnet_Master_Access.xml"},
    {&TProgramState::File_BACnet_Slave, "BACnet_Slave.xml"},
    {&TProgramState::File_CAN_Rec_Frames, "CAN_Rec_Frames.xml"},
    {&TProgramState::File_CAN_Send_Frames, "CAN_Send_Frames.xml"},
    {&TProgramState::File_PDO_CANopen, "PDO_CANopen.xml"},
    {&TProgramState::File_SDO_Client_CANopen, "SDO_Client_CANopen.xml"},
    {&TProgramState::File_SDO_Server_CANopen, "SDO_Server_CANopen.xml"},
    {&TProgramState::File_DNETM_Net, "DNETM_Net.xml"},
    {&TProgramState::File_DNETM_DefOff, "DNETM_DefOff.xml"},
    {&TProgramState::File_EtherCAT_Slave, "EtherCAT_Slave.xml"},
    {&TProgramState::File_EtherNetIP_Master_Rules, "EtherNetIP_Master_Rules.xml"},
    {&TProgramState::File_IEC_61850_Client, "IEC_61850_Client.xml"},
    {&TProgramState::File_TLS_Known_Cert, "TLS_Known_Cert.xml"},
    {&TProgramState::File_IEC61850_Variables, "IEC61850_Variables.xml"},
    {&TProgramState::File_J1939_Rec_Frames, "J1939_Rec_Frames.xml"},
    {&TProgramState::File_J1939_Send_Frames, "J1939_Send_Frames.xml"},
    {&TProgramState::File_MQTT_Set_Topic, "MQTT_Set_Topic.xml"},
    {&TProgramState::File_NMEA_Rec_Frames, "NMEA_Rec_Frames.xml"},
    {&TProgramState::File_NMEA_Send_Frames, "NMEA_Send_Frames.xml"},
    {&TProgramState::File_OPC_UA_Client, "OPC_UA_Client.xml"},
    {&TProgramState::File_OPC_UA_Server, "OPC_UA_Server.xml"},
    {&TProgramState::File_S7_Protocol, "S7_Protocol.xml"},
    {&TProgramState::File_SNMP_Manager, "SNMP_Manager.xml"},
    {&TProgramState::File_SNMP_Trap, "SNMP_Trap.xml"},
}};

void Set_Files(TProgramState& state)
{
    for (const ProjectFile& f : kProjectFiles)
        state.*f.path = state.Project_Dir + platform::pathSeparator() + QString::fromLatin1(f.fileName);
}

void Make_Workspace_Dirs(TProgramState& state)
{
    const struct {
        QString TProgramState::*dir;
        const char* name;
    } folders[] = {
        {&TProgramState::Master_Dir, "MASTER"},
        {&TProgramState::Projects_Dir, "PROJECTS"},
        {&TProgramState::Language_Dir, "LANGUAGE"},
        {&TProgramState::IODD_Dir, "IODD"},
    };
    for (const auto& f : folders) {
        state.*f.dir = joinPath(state.Exe_Dir, QString::fromLatin1(f.name));
        platform::createDir(state.*f.dir);
    }
}

QString Settings_File_Path(const TProgramState& state)
{
    return joinPath(state.Exe_Dir, QString::fromLatin1(kSettingsFileName));
}

namespace {

// Settings values: group element, leaf element; looked up one by one.
QString leafText(pugi::xml_node root, const char* group, const char* leaf, const QString& def)
{
    const pugi::xml_node g = xml::child(root, group);
    return g ? xml::childText(g, leaf, def) : def;
}

bool leafFlag(pugi::xml_node root, const char* group, const char* leaf)
{
    return xml::childFlag(xml::child(root, group), leaf);
}

} // namespace

void Read_Setting(TProgramState& state)
{
    state.Project_Name.clear();
    state.Read_Back = true;

    xml::Document doc;
    const QString path = Settings_File_Path(state);
    const bool loaded = platform::fileExists(path) && doc.load(path);
    const pugi::xml_node root = loaded ? doc.root() : pugi::xml_node();

    state.Project_Name = leafText(root, "lastproj", "projectname", QString());
    state.Last_IP_Address = leafText(root, "lastipadd", "ipaddress", QString::fromLatin1(kDefaultIPAddress));
    state.Language_Name = leafText(root, "lastlang", "language", QStringLiteral("English"));
    state.Enable_Internet = leafFlag(root, "lastinternet", "enable_internet");
    state.Enable_Update = leafFlag(root, "lastinternet", "enable_update");
    state.Enable_Jump_Field_Tables = leafFlag(root, "lastinternet", "enable_jump_field_tables");
    state.Double_Click_Auto_Size = leafFlag(root, "lastinternet", "Double_Click_Auto_Size");

    const QString projectDir = joinPath(state.Projects_Dir, state.Project_Name);
    state.Project_Dir = !state.Project_Name.isEmpty() && platform::dirExists(projectDir) ? projectDir : QString();
}

bool Save_Setting(const TProgramState& state, QString* error)
{
    xml::Document doc;
    pugi::xml_node root = doc.startPlain("Conf_Settings");
    xml::addChild(xml::addChild(root, "lastproj"), "projectname", state.Project_Name);
    xml::addChild(xml::addChild(root, "lastipadd"), "ipaddress", state.Last_IP_Address);
    xml::addChild(xml::addChild(root, "lastlang"), "language", state.Language_Name);
    pugi::xml_node flags = xml::addChild(root, "lastinternet");
    xml::addFlag(flags, "enable_internet", state.Enable_Internet);
    xml::addFlag(flags, "enable_update", state.Enable_Update);
    xml::addFlag(flags, "enable_jump_field_tables", state.Enable_Jump_Field_Tables);
    xml::addFlag(flags, "Double_Click_Auto_Size", state.Double_Click_Auto_Size);
    return doc.save(Settings_File_Path(state), error);
}

} // namespace common
