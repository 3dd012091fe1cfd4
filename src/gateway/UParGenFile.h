#pragma once
// The communication settings file "ParGen.xml": root "Par_Gen" and 28 elements, each with its
// value as text. TParGen_Data holds one value per element in the form the settings window
// shows it (texts as typed, flags, the IO-Link rate as its list text, the DeviceNet baud rate
// as its list index), so the window fills it from its controls and back.

#include <QString>

#include <array>

namespace gateway {

inline constexpr const char* kParGen_FileName = "ParGen.xml";
inline constexpr const char* kParGen_Root = "Par_Gen";

// Element names, in the order the file holds them.
namespace pargen {
inline constexpr const char* Eth_Conn_Device_Name = "Eth_Conn_Device_Name";
inline constexpr const char* Eth_Conn_DHCP_Cable = "Eth_Conn_DHCP_Cable";
inline constexpr const char* Eth_Conn_DHCP_WiFi = "Eth_Conn_DHCP_WiFi";
inline constexpr const char* Eth_Conn_Enable_DNS = "Eth_Conn_Enable_DNS";
inline constexpr const char* Eth_Conn_Primary_DNS[4] = {"Eth_Conn_Primary_DNS1", "Eth_Conn_Primary_DNS2",
                                                        "Eth_Conn_Primary_DNS3", "Eth_Conn_Primary_DNS4"};
inline constexpr const char* Eth_Conn_Secondary_DNS[4] = {"Eth_Conn_Secondary_DNS1", "Eth_Conn_Secondary_DNS2",
                                                          "Eth_Conn_Secondary_DNS3", "Eth_Conn_Secondary_DNS4"};
inline constexpr const char* IOLink_Slave_Baudrate = "IOLink_Slave_Baudrate";
inline constexpr const char* DNETM_ID_DEV = "DNETM_ID_DEV";
inline constexpr const char* DNETM_BAUDRATE = "DNETM_BAUDRATE";
inline constexpr const char* Ethernet_IP[4] = {"Ethernet_IP1", "Ethernet_IP2", "Ethernet_IP3", "Ethernet_IP4"};
inline constexpr const char* Ethernet_SM[4] = {"Ethernet_SM1", "Ethernet_SM2", "Ethernet_SM3", "Ethernet_SM4"};
inline constexpr const char* Ethernet_GAT[4] = {"Ethernet_GAT1", "Ethernet_GAT2", "Ethernet_GAT3", "Ethernet_GAT4"};
inline constexpr const char* Ethernet_EN_GAT = "Ethernet_EN_GAT";
} // namespace pargen

// Items of the two lists, in list order.
inline constexpr const char* kIOLink_Rate_Items[3] = {"COM1", "COM2", "COM3"};
inline constexpr const char* kDNet_Baud_Items[3] = {"125K", "250K", "500K"};
inline constexpr int kDNet_Baud_Default_Item = 2; // 500K

// One value per element; the member initialisers are the defaults for a missing file or
// element. The address bytes stay texts, as typed, so a window shows back exactly what was
// stored (no trimming, no removal of leading zeros).
struct TParGen_Data {
    QString Eth_Conn_Device_Name;
    bool Eth_Conn_DHCP_Cable = false;
    bool Eth_Conn_DHCP_WiFi = false;
    bool Eth_Conn_Enable_DNS = false;
    std::array<QString, 4> Eth_Conn_Primary_DNS = {"8", "8", "8", "8"};
    std::array<QString, 4> Eth_Conn_Secondary_DNS = {"8", "8", "4", "4"};
    QString IOLink_Slave_Baudrate = QStringLiteral("COM1"); // one of kIOLink_Rate_Items
    // The gateway's own DeviceNet node number is always 0: written "0", never read back.
    int DNETM_BAUDRATE = kDNet_Baud_Default_Item; // index into kDNet_Baud_Items
    std::array<QString, 4> Ethernet_IP = {"192", "168", "0", "5"};
    std::array<QString, 4> Ethernet_SM = {"255", "255", "255", "0"};
    std::array<QString, 4> Ethernet_GAT = {"192", "168", "0", "1"};
    bool Ethernet_EN_GAT = false;

    bool operator==(const TParGen_Data&) const = default;
};

// Reads the file into data. A missing file gives every default and false; otherwise true,
// each element looked up on its own among the root's children (first match, any order) and a
// missing one given its default. The root is the document's first element, whatever its
// name. Throws platform::xml::XmlError when the file exists but cannot be read or is not
// well-formed XML.
// Flags are set only by the exact text "1"; the IO-Link rate is "COM2" or "COM3" when the
// trimmed text is exactly that, else "COM1"; the DeviceNet baud rate is the whole number the
// text holds when it is 0..2 and the 500K item otherwise (so a window's list always has a
// selection and its OK never stores "-1").
bool Read_ParGen_File(const QString& path, TParGen_Data& data);

// Writes the 28 elements in their order, replacing the whole file (elements of other gateway
// models that a previous file held are dropped). A DeviceNet baud index outside 0..2 is
// written as the 500K item. False (and error) when the file cannot be saved.
bool Write_ParGen_File(const QString& path, const TParGen_Data& data, QString* error = nullptr);

} // namespace gateway
