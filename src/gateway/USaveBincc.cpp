#include "gateway/USaveBincc.h"

#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "gateway/UDNetTable.h"
#include "gateway/UIOLinkSlaveTables.h"
#include "gateway/UParGenFile.h"
#include "gateway/UValueLimits.h"
#include "platform/Files.h"
#include "platform/Xml.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>

namespace gateway {

namespace {

namespace xml = platform::xml;

void put16(QByteArray& buf, int pos, std::uint16_t v)
{
    buf[pos] = char(v & 0xFF);
    buf[pos + 1] = char(v >> 8);
}

void put32(QByteArray& buf, int pos, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        buf[pos + i] = char((v >> (8 * i)) & 0xFF);
}

// Makes room for size bytes at position; a write never goes past the buffer's capacity.
void reserveAt(QByteArray& buf, int position, int size, int capacity)
{
    if (position < 0 || size < 0 || qint64(position) + size > capacity)
        throw EBin_Error(QStringLiteral("The configuration image does not fit in %1 bytes.").arg(capacity));
    if (buf.size() < position + size)
        buf.resize(position + size, '\0');
}

bool loadIfExists(xml::Document& doc, const QString& path)
{
    if (!platform::fileExists(path))
        return false;
    QString error;
    if (!doc.load(path, &error))
        throw EBin_Error(QStringLiteral("Cannot read %1: %2").arg(path, error));
    return true;
}

// A DeviceNet value the node table needs: present.
const QString& requiredAttr(const TAttr& attr, const char* name, const char* file, int row)
{
    if (!attr)
        throw EBin_Error(QStringLiteral("%1, row %2: Missing attribute \"%3\"")
                             .arg(QLatin1String(file))
                             .arg(row)
                             .arg(QLatin1String(name)));
    return *attr;
}

// ---------------------------------------------------------------------------------------------
// The values the windows would refuse. A hand-edited file may hold anything; what reaches the
// device must be what the windows let through, under their own conditions, or nothing is
// built: keeping the low bits of such a value would send the gateway a different number than
// the file shows.

// Texts of the refusals.
constexpr int kText_Bin_Element_Range = 1650; // file, element, value, min, max
constexpr int kText_Bin_Row_Range = 1651;     // place, row, field, value, min, max
constexpr int kText_Bin_Row_Used = 1652;      // place, row, field, value, first row
constexpr int kText_Bin_Var_Past_Area = 1653; // place, row, field, value, bits, area bytes
constexpr int kText_Bin_Master_ID = 1654;     // file, row
constexpr int kText_Bin_Too_Many = 1655;      // file, row, field, value, per slave, all slaves
constexpr int kText_Bin_Offset = 1656;        // file, slave, ByteIN/ByteOUT, byte, value, min, max
constexpr int kText_Bin_Offset_Used = 1657;   // file, slave, byte, offset, first slave, its byte

// Where a table row stands: the file and, for a file of several tables, the table.
QString place(const char* file, const char* section = nullptr)
{
    return section ? QStringLiteral("%1 [%2]").arg(QLatin1String(file), QLatin1String(section)) : QLatin1String(file);
}

// The whole number a row's field holds when it lies within range (read as the windows read
// it); otherwise the refusal naming file, row and field. A missing attribute is an empty text,
// as the window shows it.
int checkedInt(const TAttr& attr, TValue_Range range, const QString& where, int row, const char* field)
{
    const QString text = attr.value_or(QString());
    int v = 0;
    if (!common::tryStrToInt(text, v) || !range.contains(v))
        throw EBin_Error(common::Lang_Text(kText_Bin_Row_Range)
                             .arg(where)
                             .arg(row)
                             .arg(QLatin1String(field), text)
                             .arg(range.min)
                             .arg(range.max));
    return v;
}

} // namespace

EBin_Error::EBin_Error(const QString& message) : std::runtime_error(message.toStdString()) {}

QString EBin_Error::message() const
{
    return QString::fromStdString(what());
}

// ---------------------------------------------------------------------------------------------
// Parameter bank

void TParameter_Bank::putU16(int offset, std::uint16_t value)
{
    putU8(offset, std::uint8_t(value & 0xFF));
    putU8(offset + 1, std::uint8_t(value >> 8));
}

void TParameter_Bank::putU32(int offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        putU8(offset + i, std::uint8_t((value >> (8 * i)) & 0xFF));
}

std::uint16_t TParameter_Bank::u16(int offset) const
{
    return std::uint16_t(u8(offset) | (u8(offset + 1) << 8));
}

std::uint32_t TParameter_Bank::u32(int offset) const
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | u8(offset + i);
    return v;
}

std::uint32_t TParameter_Bank::Byte_Sum() const
{
    std::uint32_t sum = 0;
    for (int i = 0; i < bank1::Byte_Sum; ++i)
        sum += bytes[size_t(i)];
    return sum;
}

std::uint8_t Str_To_Access(const QString& text)
{
    if (text == QLatin1String("Read Only"))
        return 2;
    if (text == QLatin1String("Write Only"))
        return 1;
    if (text == QLatin1String("Read Write"))
        return 3;
    return 2;
}

// ---------------------------------------------------------------------------------------------
// Build

TSaveBincc::TSaveBincc(const common::TProgramState& state) : state_(state) {}

TBin_Error TSaveBincc::Compile_Bin()
{
    built_ = false;
    try {
        Build_Bin();
    } catch (const EBin_Error& e) {
        return e.message();
    } catch (const xml::XmlError& e) {
        return QString::fromStdString(e.what());
    }
    built_ = true;
    return std::nullopt;
}

TBin_Error TSaveBincc::Save_Bin()
{
    if (!built_)
        return QStringLiteral("The configuration image was not built.");
    return Save_Bin_Files();
}

void TSaveBincc::Build_Bin()
{
    Init_Bank1();
    Init_IOLink_Slave();
    Init_DNet_Maps();
    Read_ParGen();
    Parameter_Bank.putU32(bank1::Node_Table_Address, kNode_Table_Address);
    Parameter_Bank.putU32(bank1::ByteIN_Map_Address, kByteIN_Map_Address);
    Parameter_Bank.putU32(bank1::ByteOUT_Map_Address, kByteOUT_Map_Address);
    Parameter_Bank.putU32(bank1::IOLink_Section_Address, kIOLink_Section_Address);
    Read_DNet();
    Read_IOLink_Slave(kIOLink_Section_Address);

    Bank1_Image.clear();
    Bank2_Image.clear();
    const int bank1Length = Put_Bank1(0, Bank1_Image);
    int bank2Length = Put_DNet(0, Bank2_Image);
    bank2Length = Put_IOLink_Slave(bank2Length, Bank2_Image);
    Bank1_Image.truncate(bank1Length);
    Bank2_Image.truncate(bank2Length);
}

void TSaveBincc::Init_Bank1()
{
    Parameter_Bank.bytes.fill(0);
    Parameter_Bank.putU32(bank1::DNet_Baud, 250000);
    Parameter_Bank.putU32(bank1::Fixed_0x004, 250000);
    Parameter_Bank.putU32(bank1::Fixed_0x00C, 9600);
    const std::uint8_t ip[4] = {192, 168, 2, 205};
    const std::uint8_t mask[4] = {255, 255, 255, 0};
    for (int i = 0; i < 4; ++i) {
        Parameter_Bank.putU8(bank1::IP_Address + i, ip[i]);
        Parameter_Bank.putU8(bank1::Subnet_Mask + i, mask[i]);
        Parameter_Bank.putU8(bank1::Gateway + i, 255);
    }
    Parameter_Bank.putU16(bank1::Fixed_0x034, 10000);
    Parameter_Bank.putU16(bank1::Fixed_0x036, 10001);
    Parameter_Bank.putU16(bank1::Fixed_0x038, 10001);
    Parameter_Bank.putU32(bank1::ByteIN_Map_Address, kByteIN_Map_Address);
    Parameter_Bank.putU32(bank1::ByteOUT_Map_Address, kByteOUT_Map_Address);
    Parameter_Bank.putU32(bank1::Node_Table_Address, kNode_Table_Address);
    for (int i = 0; i < 8; ++i)
        Parameter_Bank.putU8(bank1::Fixed_0x1B4 + i, 8);
    Parameter_Bank.putU32(bank1::IOLink_Section_Address, kIOLink_Section_Address);
}

void TSaveBincc::Init_IOLink_Slave()
{
    IOLink_Slave = {};
}

void TSaveBincc::Init_DNet_Maps()
{
    Node_Table.fill({});
    ByteIN_Map.fill({});
    ByteOUT_Map.fill({});
    Num_Nodes = 0;
    Num_ByteIN = 0;
    Num_ByteOUT = 0;
}

void TSaveBincc::Set_SW_Version()
{
    for (int i = 0; i < bank1::SW_Version_Size; ++i)
        Parameter_Bank.putU8(bank1::SW_Version + i, 0);
    const QString version = QString::fromLatin1(common::kSW_Version);
    for (int i = 0; i < version.size() && i < bank1::SW_Version_Size; ++i)
        Parameter_Bank.putU8(bank1::SW_Version + i, std::uint8_t(version[i].unicode() & 0xFF));
}

void TSaveBincc::Read_ParGen()
{
    xml::Document doc;
    if (!loadIfExists(doc, state_.File_ParGen))
        return;
    const pugi::xml_node root = doc.root();
    namespace e = pargen;
    // Each element on its own: a missing one takes the image's own default (a device left
    // unconfigured keeps its factory address); the baud item is a list index, any other value
    // selecting the fastest rate.
    const auto number = [&](const char* name, int def) {
        const pugi::xml_node n = xml::child(root, name);
        return n ? common::strToIntDef(xml::text(n), def) : def;
    };
    // A byte the window would refuse is refused here too; a missing one takes its default.
    const auto octets = [&](const char* const names[4], const int defs[4], int offset) {
        for (int i = 0; i < 4; ++i) {
            const pugi::xml_node n = xml::child(root, names[i]);
            int v = defs[i];
            if (n && (!common::tryStrToInt(xml::text(n), v) || !limits::Octet.contains(v)))
                throw EBin_Error(common::Lang_Text(kText_Bin_Element_Range)
                                     .arg(QLatin1String(kParGen_FileName), QLatin1String(names[i]), xml::text(n))
                                     .arg(limits::Octet.min)
                                     .arg(limits::Octet.max));
            Parameter_Bank.putU8(offset + i, std::uint8_t(v));
        }
    };

    Set_SW_Version();

    const pugi::xml_node rate = xml::child(root, e::IOLink_Slave_Baudrate);
    IOLink_Slave.com = std::uint8_t(rate ? common::Get_IOLink_Baud_Code(xml::text(rate)) : 1);

    const QString name = xml::childText(root, e::Eth_Conn_Device_Name);
    for (int i = 0; i < bank1::Device_Name_Size; ++i)
        Parameter_Bank.putU8(bank1::Device_Name + i, 0);
    for (int i = 0; i < name.size() && i < bank1::Device_Name_Size - 1; ++i)
        Parameter_Bank.putU8(bank1::Device_Name + i, std::uint8_t(name[i].unicode() & 0xFF));

    Parameter_Bank.putU16(bank1::Eth_Flags, xml::childFlag(root, e::Eth_Conn_DHCP_Cable) ? 1 : 0);

    if (xml::childFlag(root, e::Eth_Conn_Enable_DNS)) {
        const int primary[4] = {8, 8, 8, 8};
        const int secondary[4] = {8, 8, 4, 4};
        octets(e::Eth_Conn_Primary_DNS, primary, bank1::Primary_DNS);
        octets(e::Eth_Conn_Secondary_DNS, secondary, bank1::Secondary_DNS);
    }

    const int ip[4] = {192, 168, 0, 10};
    const int mask[4] = {255, 255, 255, 0};
    const int gateway[4] = {192, 168, 0, 1};
    octets(e::Ethernet_IP, ip, bank1::IP_Address);
    octets(e::Ethernet_SM, mask, bank1::Subnet_Mask);
    // The gateway's bytes count only when it is used, as in the window.
    if (xml::childFlag(root, e::Ethernet_EN_GAT))
        octets(e::Ethernet_GAT, gateway, bank1::Gateway);
    else
        for (int i = 0; i < 4; ++i)
            Parameter_Bank.putU8(bank1::Gateway + i, 255);

    // The settings window always stores node number 0 for the gateway itself.
    Parameter_Bank.putU8(bank1::Master_MAC_ID, 0);

    const int baud = number(e::DNETM_BAUDRATE, 2);
    Parameter_Bank.putU32(bank1::DNet_Baud, baud == 0 ? 125000 : baud == 1 ? 250000 : 500000);
}

void TSaveBincc::Read_DNet()
{
    const std::vector<int> slaveIds = readScanList();
    readByteMaps(slaveIds);
    Parameter_Bank.putU32(bank1::Num_Nodes, std::uint32_t(Num_Nodes));
    Parameter_Bank.putU32(bank1::Num_ByteIN, std::uint32_t(Num_ByteIN));
    Parameter_Bank.putU32(bank1::Num_ByteOUT, std::uint32_t(Num_ByteOUT));
}

// One byte count of a scan-list row, added to its direction's running total. The scan-list
// window's rules: byte counts the byte maps can carry (so every map key, ID x 1024 + byte,
// fits its 16 bits).
static int scanListByteCount(const TAttr& attr, const char* name, int rowNumber, int& total, const QString& netFile)
{
    requiredAttr(attr, name, kDNETM_Net_FileName, rowNumber);
    const int v = checkedInt(attr, limits::DNet_Byte_Count, netFile, rowNumber, name);
    total += v;
    if (v > kDNet_Max_Bytes_Per_Slave || total > kMap_Size)
        throw EBin_Error(common::Lang_Text(kText_Bin_Too_Many)
                             .arg(netFile)
                             .arg(rowNumber)
                             .arg(QLatin1String(name), *attr)
                             .arg(kDNet_Max_Bytes_Per_Slave)
                             .arg(kMap_Size));
    return v;
}

std::vector<int> TSaveBincc::readScanList()
{
    TDNet_Net_File net;
    try {
        Read_DNETM_Net_File(state_.File_DNETM_Net, net);
    } catch (const xml::XmlError& e) {
        throw EBin_Error(QStringLiteral("Cannot read %1").arg(QString::fromStdString(e.what())));
    }
    if (net.Rows.size() > size_t(kNode_Table_Size))
        throw EBin_Error(QStringLiteral("%1 lists %2 DeviceNet slaves; the configuration image "
                                        "holds at most %3. Nothing was written.")
                             .arg(QLatin1String(kDNETM_Net_FileName))
                             .arg(net.Rows.size())
                             .arg(kNode_Table_Size));

    std::vector<int> slaveIds;
    std::map<int, int> idRows; // ID -> the row that has it
    int sumIn = 0;
    int sumOut = 0;
    const QString netFile = place(kDNETM_Net_FileName);
    const auto flag = [](const TAttr& a) {
        return a && common::upperAscii(common::trimBlanks(*a)) == QLatin1String("Y");
    };
    // The scan-list window's rules: an ID from 1 to 63 that no slave above has.
    for (size_t i = 0; i < net.Rows.size(); ++i) {
        const TDNet_Net_Row& row = net.Rows[i];
        const int rowNumber = int(i) + 1;
        requiredAttr(row.ID, "ID", kDNETM_Net_FileName, rowNumber);
        const int id = checkedInt(row.ID, limits::DNet_ID, netFile, rowNumber, "ID");
        if (id == limits::DNet_Master_ID)
            throw EBin_Error(common::Lang_Text(kText_Bin_Master_ID).arg(netFile).arg(rowNumber));
        if (const auto [it, fresh] = idRows.emplace(id, rowNumber); !fresh)
            throw EBin_Error(common::Lang_Text(kText_Bin_Row_Used)
                                 .arg(netFile)
                                 .arg(rowNumber)
                                 .arg(QStringLiteral("ID"), *row.ID)
                                 .arg(it->second));
        TDNet_Node& node = Node_Table[i];
        node.ID = std::uint8_t(id);
        node.NB_IN = std::uint16_t(scanListByteCount(row.NB_IN, "NB_IN", rowNumber, sumIn, netFile));
        node.NB_OUT = std::uint16_t(scanListByteCount(row.NB_OUT, "NB_OUT", rowNumber, sumOut, netFile));
        node.Flags = std::uint16_t((flag(row.Reset_DeviceNet) ? 1 : 0) | (flag(row.Reset_PROFINET) ? 2 : 0));
        node.Sum_IN = std::uint16_t(sumIn - node.NB_IN);
        node.Sum_OUT = std::uint16_t(sumOut - node.NB_OUT);
        slaveIds.push_back(id);
    }
    Num_Nodes = int(net.Rows.size());
    return slaveIds;
}

void TSaveBincc::readByteMaps(const std::vector<int>& slaveIds)
{
    TDNet_DefOff_File offsets;
    try {
        Read_DNETM_DefOff_File(state_.File_DNETM_DefOff, offsets);
    } catch (const xml::XmlError& e) {
        throw EBin_Error(QStringLiteral("Cannot read %1").arg(QString::fromStdString(e.what())));
    }
    const std::vector<int> pairs = Pair_Offset_Nodes(slaveIds, offsets);
    TOutputTaken outputTaken;
    for (int i = 0; i < Num_Nodes; ++i) {
        if (pairs[size_t(i)] < 0)
            continue;
        const TDNet_Offset_Node& node = offsets.Nodes[size_t(pairs[size_t(i)])];
        const TDNet_Node& slave = Node_Table[size_t(i)];
        fillByteMap(slave, node.ByteIN, node.Has_ByteIN, kByteIN, slave.NB_IN, ByteIN_Map, Num_ByteIN, "input",
                    nullptr);
        fillByteMap(slave, node.ByteOUT, node.Has_ByteOUT, kByteOUT, slave.NB_OUT, ByteOUT_Map, Num_ByteOUT, "output",
                    &outputTaken);
    }
}

// The offset window's rules: "None" or an offered position, and (for the output map, which
// passes `taken`) no position taken by two output bytes: two DeviceNet bytes would write the
// same IO-Link byte.
void TSaveBincc::fillByteMap(const TDNet_Node& node, const std::vector<TDNet_Byte_Row>& rows, bool present,
                             const char* element, std::uint16_t count, std::array<TDNet_Map_Entry, kMap_Size>& map,
                             int& used, const char* direction, TOutputTaken* taken)
{
    if (!present)
        throw EBin_Error(QStringLiteral("%1: the offsets of slave %2 have no \"%3\" element.")
                             .arg(QLatin1String(kDNETM_DefOff_FileName))
                             .arg(node.ID)
                             .arg(QLatin1String(element)));
    for (size_t k = 0; k < rows.size() && k < count; ++k) {
        const TAttr& offsetText = rows[k].Offset;
        if (!offsetText)
            throw EBin_Error(QStringLiteral("%1, slave %2, %3 byte %4: Missing attribute \"Offset\"")
                                 .arg(QLatin1String(kDNETM_DefOff_FileName))
                                 .arg(node.ID)
                                 .arg(QLatin1String(element))
                                 .arg(k));
        if (*offsetText == QLatin1String(kOffset_None))
            continue; // not passed
        int offset = -1;
        if (!common::tryStrToInt(*offsetText, offset) || !limits::DNet_Offset.contains(offset))
            throw EBin_Error(common::Lang_Text(kText_Bin_Offset)
                                 .arg(QLatin1String(kDNETM_DefOff_FileName))
                                 .arg(node.ID)
                                 .arg(QLatin1String(element))
                                 .arg(k)
                                 .arg(*offsetText)
                                 .arg(limits::DNet_Offset.min)
                                 .arg(limits::DNet_Offset.max));
        if (taken) {
            const auto [it, fresh] = taken->emplace(offset, std::pair{int(node.ID), int(k)});
            if (!fresh)
                throw EBin_Error(common::Lang_Text(kText_Bin_Offset_Used)
                                     .arg(QLatin1String(kDNETM_DefOff_FileName))
                                     .arg(node.ID)
                                     .arg(k)
                                     .arg(offset)
                                     .arg(it->second.first)
                                     .arg(it->second.second));
        }
        if (used >= kMap_Size)
            throw EBin_Error(QStringLiteral("More than %1 DeviceNet %2 bytes have an offset; the "
                                            "configuration image holds at most %1. Nothing was "
                                            "written.")
                                 .arg(kMap_Size)
                                 .arg(QLatin1String(direction)));
        map[size_t(used)] = {std::uint16_t(node.ID * 1024 + int(k)), std::uint16_t(offset)};
        ++used;
    }
}

void TSaveBincc::Read_IOLink_Slave(std::uint32_t sectionAddress)
{
    IOLink_Slave.add_parameters = sectionAddress + kIOLink_Header_Size;
    TIOLink_Slave_File file;
    try {
        if (!Read_IOLink_Slave_File(state_.File_IOLink_Slave, file))
            return;
    } catch (const xml::XmlError& e) {
        throw EBin_Error(QStringLiteral("Cannot read %1").arg(QString::fromStdString(e.what())));
    }
    // The IO-Link window's rules for what the image takes from its enabled rows.
    const auto processData = [](const std::vector<TIOLink_PD_Row>& rows, const char* section) {
        const QString where = place(kIOLinkSlave_FileName, section);
        std::uint32_t bits = 0;
        for (size_t i = 0; i < rows.size(); ++i)
            if (Is_Enabled_Exact(rows[i].Enable))
                bits += std::uint32_t(checkedInt(rows[i].Length, limits::IOLink_Length, where, int(i) + 1, "Length"));
        return bits;
    };
    IOLink_Slave.pd_in_bit_length = processData(file.Process_Data_Input, kIOLinkSlave_Process_Data_Input);
    IOLink_Slave.pd_out_bit_length = processData(file.Process_Data_Output, kIOLinkSlave_Process_Data_Output);

    const QString rate = QString::fromLatin1(kIOLink_Rate_Items[IOLink_Slave.com == 2   ? 1
                                                                : IOLink_Slave.com == 3 ? 2
                                                                                        : 0]);
    std::int32_t cycleUs = 0;
    IOLink_Slave.min_cycle_time = common::Calc_Min_Cycle_Time(rate, int(IOLink_Slave.pd_in_bit_length),
                                                              int(IOLink_Slave.pd_out_bit_length), cycleUs);

    const auto enabled = std::count_if(file.Variables.begin(), file.Variables.end(),
                                       [](const TIOLink_Var_Row& r) { return Is_Enabled_Exact(r.Enable); });
    if (enabled > kMax_IOLink_Parameters)
        throw EBin_Error(QStringLiteral("%1 enables %2 IO-Link variables; the configuration image "
                                        "holds at most %3. Nothing was written.")
                             .arg(QLatin1String(kIOLinkSlave_FileName))
                             .arg(enabled)
                             .arg(kMax_IOLink_Parameters));
    IOLink_Slave.n_par = std::uint32_t(enabled);
    IOLink_Slave.parameter.assign(size_t(enabled), TIO_Link_Slave_Par{});

    // A variable's positions lie behind the process data of its area, and the variable ends
    // inside that area.
    const QString where = place(kIOLinkSlave_FileName, kIOLinkSlave_Variables);
    const auto areaStart = [](std::uint32_t bits) { return int((bits + 7) / 8); };
    const TValue_Range readPositions{areaStart(IOLink_Slave.pd_in_bit_length), kIOLink_Area_Bytes - 1};
    const TValue_Range writePositions{areaStart(IOLink_Slave.pd_out_bit_length), kIOLink_Area_Bytes - 1};
    const TValue_Range anyInteger{INT_MIN, INT_MAX};
    const auto endsInside = [&](int rowNumber, const char* field, const TAttr& position, int pos, int bit, int bits) {
        if (pos * 8LL + bit + bits > 8LL * kIOLink_Area_Bytes)
            throw EBin_Error(common::Lang_Text(kText_Bin_Var_Past_Area)
                                 .arg(where)
                                 .arg(rowNumber)
                                 .arg(QLatin1String(field), *position)
                                 .arg(bits)
                                 .arg(kIOLink_Area_Bytes));
    };
    std::map<int, int> indexRows; // Index -> the row that has it
    size_t p = 0;
    for (size_t i = 0; i < file.Variables.size(); ++i) {
        const TIOLink_Var_Row& row = file.Variables[i];
        if (!Is_Enabled_Exact(row.Enable))
            continue;
        const int r = int(i) + 1;
        TIO_Link_Slave_Par& par = IOLink_Slave.parameter[p++];
        const int index = checkedInt(row.Index, limits::IOLink_Index, where, r, "Index");
        if (const auto [it, fresh] = indexRows.emplace(index, r); !fresh)
            throw EBin_Error(common::Lang_Text(kText_Bin_Row_Used)
                                 .arg(where)
                                 .arg(r)
                                 .arg(QStringLiteral("Index"), *row.Index)
                                 .arg(it->second));
        par.index = std::uint16_t(index);
        par.subindex = 0;
        par.access = row.Access ? Str_To_Access(*row.Access) : 2;
        par.bit_length = std::uint32_t(checkedInt(row.Length, limits::IOLink_Length, where, r, "Length"));
        // Negative defaults are stored as their 32-bit two's complement, as the device reads them.
        par.default_value = std::uint32_t(checkedInt(row.DefaultValue, anyInteger, where, r, "DefaultValue"));
        const int readPos = checkedInt(row.PositionRead, readPositions, where, r, "PositionRead");
        const int readBit = checkedInt(row.StartBitRead, limits::Start_Bit, where, r, "StartBitRead");
        endsInside(r, "PositionRead", row.PositionRead, readPos, readBit, int(par.bit_length));
        const int writePos = checkedInt(row.PositionWrite, writePositions, where, r, "PositionWrite");
        const int writeBit = checkedInt(row.StartBitWrite, limits::Start_Bit, where, r, "StartBitWrite");
        endsInside(r, "PositionWrite", row.PositionWrite, writePos, writeBit, int(par.bit_length));
        par.position_read = std::uint16_t(readPos);
        par.bit_address_read = std::uint8_t(readBit);
        par.position_write = std::uint16_t(writePos);
        par.bit_address_write = std::uint8_t(writeBit);
    }
}

int TSaveBincc::Put_Bank1(int position, QByteArray& buffer)
{
    Parameter_Bank.putU32(bank1::Byte_Sum, Parameter_Bank.Byte_Sum());
    reserveAt(buffer, position, kBank1_Size, kBank1_Capacity);
    std::memcpy(buffer.data() + position, Parameter_Bank.bytes.data(), kBank1_Size);
    return position + kBank1_Size;
}

int TSaveBincc::Put_DNet(int position, QByteArray& buffer) const
{
    const int size = kNode_Table_Size * kNode_Size + kNode_Gap_Size + 2 * kMap_Size * kMap_Entry_Size;
    reserveAt(buffer, position, size, kBank2_Capacity);
    int pos = position;
    for (const TDNet_Node& node : Node_Table) {
        buffer[pos] = char(node.ID);
        buffer[pos + 1] = buffer[pos + 2] = buffer[pos + 3] = 0;
        put16(buffer, pos + 4, node.NB_IN);
        put16(buffer, pos + 6, node.NB_OUT);
        put16(buffer, pos + 8, 0);
        put16(buffer, pos + 10, node.Flags);
        put16(buffer, pos + 12, node.Sum_IN);
        put16(buffer, pos + 14, node.Sum_OUT);
        pos += kNode_Size;
    }
    std::memset(buffer.data() + pos, 0, kNode_Gap_Size);
    pos += kNode_Gap_Size;
    for (const auto* map : {&ByteIN_Map, &ByteOUT_Map}) {
        for (const TDNet_Map_Entry& entry : *map) {
            put16(buffer, pos, entry.Key);
            put16(buffer, pos + 2, entry.Offset);
            pos += kMap_Entry_Size;
        }
    }
    return pos;
}

int TSaveBincc::Put_IOLink_Slave(int position, QByteArray& buffer) const
{
    const TIO_Link_Slave_Dev& d = IOLink_Slave;
    reserveAt(buffer, position, kIOLink_Header_Size + kIOLink_Par_Size * int(d.parameter.size()), kBank2_Capacity);
    int pos = position;
    buffer[pos] = char(d.com);
    buffer[pos + 1] = char(d.min_cycle_time);
    buffer[pos + 2] = buffer[pos + 3] = 0;
    put32(buffer, pos + 4, d.n_par);
    put32(buffer, pos + 8, d.n_events);
    put32(buffer, pos + 12, d.add_parameters);
    put32(buffer, pos + 16, d.add_event);
    put32(buffer, pos + 20, d.pd_in_bit_length);
    put32(buffer, pos + 24, d.pd_out_bit_length);
    pos += kIOLink_Header_Size;
    for (const TIO_Link_Slave_Par& par : d.parameter) {
        put16(buffer, pos, par.index);
        buffer[pos + 2] = char(par.subindex);
        buffer[pos + 3] = char(par.access);
        buffer[pos + 4] = char(par.bit_address_write);
        buffer[pos + 5] = char(par.bit_address_read);
        buffer[pos + 6] = buffer[pos + 7] = 0;
        put16(buffer, pos + 8, par.position_read);
        put16(buffer, pos + 10, par.position_write);
        put32(buffer, pos + 12, par.bit_length);
        put32(buffer, pos + 16, par.default_value);
        pos += kIOLink_Par_Size;
    }
    return pos;
}

TBin_Error TSaveBincc::Save_Bin_Files() const
{
    const QString binDir = platform::joinPath(state_.Project_Dir, QString::fromLatin1(kBin_Folder));
    // Both banks or neither: a new bank 1 beside an old bank 2 would be a device image that
    // was never built.
    const platform::FileReplacement files[] = {
        {platform::joinPath(binDir, QString::fromLatin1(kBank1_FileName)), Bank1_Image},
        {platform::joinPath(binDir, QString::fromLatin1(kBank2_FileName)), Bank2_Image},
    };
    QString error;
    QString path;
    if (!platform::replaceFiles(files, &error, &path))
        return QStringLiteral("Cannot write %1: %2. The device was not updated.").arg(path, error);
    return std::nullopt;
}

} // namespace gateway
