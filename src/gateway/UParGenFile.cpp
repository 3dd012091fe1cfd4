#include "gateway/UParGenFile.h"

#include "platform/Files.h"
#include "platform/Xml.h"

#include <limits>

namespace gateway {

namespace {

namespace xml = platform::xml;

// Whole number as the run-time's integer conversion reads it (leading blanks, sign, decimal
// or hexadecimal after "$", "x" or "0x"); def for anything else, overflow included.
int toIntDef(const QString& text, int def)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && (text[i] == QLatin1Char('$') || text[i] == QLatin1Char('x')
                  || text[i] == QLatin1Char('X'))) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0')
               && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return def;
    const qint64 limit = negative ? qint64(std::numeric_limits<int>::max()) + 1
                                  : qint64(std::numeric_limits<int>::max());
    qint64 value = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        if (digit < 0)
            return def;
        value = value * base + digit;
        if (value > limit)
            return def;
    }
    return int(negative ? -value : value);
}

// Blanks and control characters removed from both ends.
QString trimBlanks(const QString& text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b].unicode() <= 0x20)
        ++b;
    while (e > b && text[e - 1].unicode() <= 0x20)
        --e;
    return text.mid(b, e - b);
}

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
            const QString rate = trimBlanks(value);
            *el.text(data) = rate == QLatin1String(kIOLink_Rate_Items[1])   ? rate
                             : rate == QLatin1String(kIOLink_Rate_Items[2]) ? rate
                                                                            : QString::fromLatin1(kIOLink_Rate_Items[0]);
            break;
        }
        case Kind::DevId:
            break; // always 0, whatever the file holds
        case Kind::Baud:
            data.DNETM_BAUDRATE = validBaudItem(toIntDef(value, kDNet_Baud_Default_Item));
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
