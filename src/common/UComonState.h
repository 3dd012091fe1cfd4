#pragma once
// Program-wide state: the workspace folders, the open project, the settings that the settings
// file carries from one run to the next, and the 28 project file paths. One instance lives for
// the whole run (State()); tests point Exe_Dir at a temporary folder.

#include <QString>
#include <QStringList>

#include <array>

namespace common {

struct TProgramState {
    QString Exe_Dir;
    QString Master_Dir;
    QString Projects_Dir;
    QString Language_Dir;
    QString IODD_Dir;
    QString Project_Name;
    QString Project_Dir;
    QString Last_IP_Address = QStringLiteral("192.168.2.205");
    int Update_Option = 0;
    bool Read_Back = true;
    QString Language_Name = QStringLiteral("English");
    bool Enable_Internet = false;
    bool Enable_Update = false;
    bool Enable_Jump_Field_Tables = false;
    bool Double_Click_Auto_Size = false;
    QString Main_Caption;
    QString SW_Code;
    QString SW_Description;
    QString Last_EDE_Dir;

    QString File_ParGen;
    QString File_IOLink_Slave;
    QString File_ModbusM_SetAccess;
    QString File_ModbusTCPM_SetAccess;
    QString File_BACnet_Master_Access;
    QString File_BACnet_Slave;
    QString File_CAN_Rec_Frames;
    QString File_CAN_Send_Frames;
    QString File_PDO_CANopen;
    QString File_SDO_Client_CANopen;
    QString File_SDO_Server_CANopen;
    QString File_DNETM_Net;
    QString File_DNETM_DefOff;
    QString File_EtherCAT_Slave;
    QString File_EtherNetIP_Master_Rules;
    QString File_IEC_61850_Client;
    QString File_TLS_Known_Cert;
    QString File_IEC61850_Variables;
    QString File_J1939_Rec_Frames;
    QString File_J1939_Send_Frames;
    QString File_MQTT_Set_Topic;
    QString File_NMEA_Rec_Frames;
    QString File_NMEA_Send_Frames;
    QString File_OPC_UA_Client;
    QString File_OPC_UA_Server;
    QString File_S7_Protocol;
    QString File_SNMP_Manager;
    QString File_SNMP_Trap;

    // Row-copy buffer of the table-row helpers and the MIB writer's description lists.
    QStringList Copy_Str;
    QList<bool> Copy_Is_Check;
    QStringList SNMP_Read_Desc;
    QStringList SNMP_Write_Desc;
};

// The one program-wide instance.
TProgramState& State();

inline constexpr const char* kSW_Code = "CT40517";
inline constexpr const char* kSW_Description = "IO-Link Slave / DeviceNet Master - Converter";
inline constexpr const char* kSW_Version = "1.000";
inline constexpr const char* kMakerName = "Norvix";
// The maker's web host (home page, download page, version service, vendor address).
inline constexpr const char* kMakerHost = "www.norvix.example";
// The maker's address as the SNMP MIB module names it (placeholders, like the host).
inline constexpr const char* kMakerOrganisation = "Norvix";
inline constexpr const char* kMakerStreet = "Example Street 1";
inline constexpr const char* kMakerTown = "00000 Example Town";
inline constexpr const char* kMakerCountry = "Example Country";
inline constexpr const char* kMakerMailDomain = "norvix.example";
inline constexpr const char* kSettingsFileName = "Quorvantis.xml";
inline constexpr const char* kDefaultIPAddress = "192.168.2.205";

// Project file names, in the order Set_Files builds them, with the member each one fills.
struct ProjectFile {
    QString TProgramState::*path;
    const char* fileName;
};
extern const std::array<ProjectFile, 28> kProjectFiles;

// Rebuilds the 28 File_ paths from Project_Dir (also when it is empty: such paths start with
// the separator and are never used, since every project button needs an open project).
void Set_Files(TProgramState& state);

// Start-up step 3: the four workspace folders under Exe_Dir, created one level deep when
// missing; a folder that cannot be created is not reported (its later use fails).
void Make_Workspace_Dirs(TProgramState& state);

// Start-up step 5: reads the settings file beside the program. Every value is looked up on its
// own, so one missing element costs only that value's default. A file that is not well-formed
// XML gives all defaults, as a missing one does.
void Read_Setting(TProgramState& state);

// Writes the settings file from scratch; false (and error) when it cannot be written.
bool Save_Setting(const TProgramState& state, QString* error = nullptr);

QString Settings_File_Path(const TProgramState& state);

} // namespace common
