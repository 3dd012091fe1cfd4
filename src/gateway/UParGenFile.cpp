#include "gateway/UParGenFile.h"

#include "common/UComonHelpers.h"
#include "platform/Files.h"
#include "platform/Xml.h"

namespace gateway {

namespace {

namespace xml = platform::xml;

enum class Kind { Text, Flag, Rate, DevId, Baud };

// One row per element, in file order; Text rows name the member that holds the value as
// typed, Flag rows the member set only by "1".
struct Element {
    const char* name;
    Kind kind;
    QString* (*text)(TParGen_Data&) = nullptr;
    bool* (*flag)(TParGen_Data&) = nullptr;
};

template <std::array<QString, 4> TParGen_Data::*Group, int I>
QString* byteOf(TParGen_Data& d)
{
    return &(d.*Group)[I];
}

using D = TParGen_Data;
namespace e = pargen;

const Element kElements[] = {
    {e::Eth_Conn_Device_Name, Kind::Text, [](D& d) { return &d.Eth_Conn_Device_Name; }},
    {e::Eth_Conn_DHCP_Cable, Kind::Flag, nullptr, [](D& d) { return &d.Eth_Conn_DHCP_Cable; }},
    {e::Eth_Conn_DHCP_WiFi, Kind::Flag, nullptr, [](D& d) { return &d.Eth_Conn_DHCP_WiFi; }},
    {e::Eth_Conn_Enable_DNS, Kind::Flag, nullptr, [](D& d) { return &d.Eth_Conn_Enable_DNS; }},
    {e::Eth_Conn_Primary_DNS[0], Kind::Text, byteOf<&D::Eth_Conn_Primary_DNS, 0>},
    {e::Eth_Conn_Primary_DNS[1], Kind::Text, byteOf<&D::Eth_Conn_Primary_DNS, 1>},
    {e::Eth_Conn_Primary_DNS[2], Kind::Text, byteOf<&D::Eth_Conn_Primary_DNS, 2>},
    {e::Eth_Conn_Primary_DNS[3], Kind::Text, byteOf<&D::Eth_Conn_Primary_DNS, 3>},
    {e::Eth_Conn_Secondary_DNS[0], Kind::Text, byteOf<&D::Eth_Conn_Secondary_DNS, 0>},
    {e::Eth_Conn_Secondary_DNS[1], Kind::Text, byteOf<&D::Eth_Conn_Secondary_DNS, 1>},
    {e::Eth_Conn_Secondary_DNS[2], Kind::Text, byteOf<&D::Eth_Conn_Secondary_DNS, 2>},
    {e::Eth_Conn_Secondary_DNS[3], Kind::Text, byteOf<&D::Eth_Conn_Secondary_DNS, 3>},
    {e::IOLink_Slave_Baudrate, Kind::Rate, [](D& d) { return &d.IOLink_Slave_Baudrate; }},
    {e::DNETM_ID_DEV, Kind::DevId},
    {e::DNETM_BAUDRATE, Kind::Baud},
    {e::Ethernet_IP[0], Kind::Text, byteOf<&D::Ethernet_IP, 0>},
    {e::Ethernet_IP[1], Kind::Text, byteOf<&D::Ethernet_IP, 1>},
    {e::Ethernet_IP[2], Kind::Text, byteOf<&D::Ethernet_IP, 2>},
    {e::Ethernet_IP[3], Kind::Text, byteOf<&D::Ethernet_IP, 3>},
    {e::Ethernet_SM[0], Kind::Text, byteOf<&D::Ethernet_SM, 0>},
    {e::Ethernet_SM[1], Kind::Text, byteOf<&D::Ethernet_SM, 1>},
    {e::Ethernet_SM[2], Kind::Text, byteOf<&D::Ethernet_SM, 2>},
    {e::Ethernet_SM[3], Kind::Text, byteOf<&D::Ethernet_SM, 3>},
    {e::Ethernet_GAT[0], Kind::Text, byteOf<&D::Ethernet_GAT, 0>},
    {e::Ethernet_GAT[1], Kind::Text, byteOf<&D::Ethernet_GAT, 1>},
    {e::Ethernet_GAT[2], Kind::Text, byteOf<&D::Ethernet_GAT, 2>},
    {e::Ethernet_GAT[3], Kind::Text, byteOf<&D::Ethernet_GAT, 3>},
    {e::Ethernet_EN_GAT, Kind::Flag, nullptr, [](D& d) { return &d.Ethernet_EN_GAT; }},
};
static_assert(std::size(kElements) == 28);

int validBaudItem(int item)
{
    return item >= 0 && item < int(std::size(kDNet_Baud_Items)) ? item : kDNet_Baud_Default_Item;
}

} // namespace

bool Read_ParGen_File(const QString& path, TParGen_Data& data)
{
    data = {};
    if (!platform::fileExists(path))
        return false;
    xml::Document doc;
    QString error;
    if (!doc.load(path, &error))
        throw xml::XmlError(QStringLiteral("%1: %2").arg(path, error).toStdString());
    const pugi::xml_node root = doc.root();
    for (const Element& el : kElements) {
        const pugi::xml_node node = xml::child(root, el.name);
        if (!node)
            continue;
        const QString value = xml::text(node);
        switch (el.kind) {
        case Kind::Text:
            *el.text(data) = value;
            break;
        case Kind::Flag:
            *el.flag(data) = value == QLatin1String("1");
            break;
        case Kind::Rate: {
            const QString rate = common::trimBlanks(value);
            *el.text(data) = rate == QLatin1String(kIOLink_Rate_Items[1]) ? rate
                             : rate == QLatin1String(kIOLink_Rate_Items[2])
                                 ? rate
                                 : QString::fromLatin1(kIOLink_Rate_Items[0]);
            break;
        }
        case Kind::DevId:
            break; // always 0, whatever the file holds
        case Kind::Baud:
            data.DNETM_BAUDRATE = validBaudItem(common::strToIntDef(value, kDNet_Baud_Default_Item));
            break;
        }
    }
    return true;
}

bool Write_ParGen_File(const QString& path, const TParGen_Data& data, QString* error)
{
    TParGen_Data values = data; // the accessors take a mutable record
    xml::Document doc;
    pugi::xml_node root = doc.startProject(kParGen_Root);
    for (const Element& el : kElements) {
        switch (el.kind) {
        case Kind::Text:
        case Kind::Rate:
            xml::addChild(root, el.name, *el.text(values));
            break;
        case Kind::Flag:
            xml::addFlag(root, el.name, *el.flag(values));
            break;
        case Kind::DevId:
            xml::addChild(root, el.name, QStringLiteral("0"));
            break;
        case Kind::Baud:
            xml::addChild(root, el.name, QString::number(validBaudItem(values.DNETM_BAUDRATE)));
            break;
        }
    }
    return doc.save(path, error);
}

} // namespace gateway
