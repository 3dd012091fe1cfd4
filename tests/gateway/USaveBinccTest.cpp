#include "gateway/USaveBincc.h"

#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <vector>

using namespace gateway;
using testsupport::fixturePath;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Patch {
    int offset;
    Bytes bytes;
};

QByteArray image(int size, std::initializer_list<Patch> patches, char fill = 0)
{
    QByteArray b(size, fill);
    for (const Patch& p : patches)
        for (size_t i = 0; i < p.bytes.size(); ++i)
            b[p.offset + int(i)] = char(p.bytes[i]);
    return b;
}

Bytes bytesAt(const QByteArray& b, int offset, int count)
{
    Bytes out;
    for (int i = 0; i < count; ++i)
        out.push_back(std::uint8_t(b.at(offset + i)));
    return out;
}

// The parameter bank of a project without any file, derived from the field table:
// 250000 = 90 D0 03 00, 9600 = 80 25, 10000 = 10 27, 10001 = 11 27, the four device
// addresses, and the byte sum 3610 = 1A 0E 00 00.
const std::initializer_list<Patch> kDefaultBank1 = {
    {0x000, {0x90, 0xD0, 0x03, 0x00}},
    {0x004, {0x90, 0xD0, 0x03, 0x00}},
    {0x00C, {0x80, 0x25, 0x00, 0x00}},
    {0x028, {192, 168, 2, 205}},
    {0x02C, {255, 255, 255, 0}},
    {0x030, {255, 255, 255, 255}},
    {0x034, {0x10, 0x27}},
    {0x036, {0x11, 0x27}},
    {0x038, {0x11, 0x27}},
    {0x0D4, {0x00, 0x10, 0x08, 0x00}},
    {0x0D8, {0x00, 0x28, 0x08, 0x00}},
    {0x0DC, {0x00, 0x00, 0x08, 0x00}},
    {0x1B4, {8, 8, 8, 8, 8, 8, 8, 8}},
    {0x660, {0x00, 0x40, 0x08, 0x00}},
    {0x7FC, {0x1A, 0x0E, 0x00, 0x00}},
};

class Image : public ::testing::Test {
protected:
    QTemporaryDir dir;
    common::TProgramState state;
    TSaveBincc bin{state};
    QStringList savedTexts;

    void SetUp() override
    {
        savedTexts = common::Lang_Str();
        common::Load_Default_Texts();
        state.Project_Dir = dir.filePath(QStringLiteral("Line3"));
        ASSERT_TRUE(QDir().mkpath(state.Project_Dir + QStringLiteral("/bin")));
        common::Set_Files(state);
    }
    void TearDown() override { common::Lang_Str() = savedTexts; }
    void put(const char* name, const QByteArray& xml)
    {
        ASSERT_TRUE(writeFile(state.Project_Dir + QLatin1Char('/') + QLatin1String(name), xml));
    }
    void putFixture(const char* name, const QString& fixture) { put(name, readFile(fixturePath(fixture))); }
    void putTwoSlaves()
    {
        for (const char* f : {"ParGen.xml", "DNETM_Net.xml", "DNETM_DefOff.xml", "IOLink_Slave.xml"})
            putFixture(f, QStringLiteral("gateway/two_slaves/") + QLatin1String(f));
    }
    void compile()
    {
        const TBin_Error err = bin.Compile_Bin();
        ASSERT_FALSE(err.has_value()) << err->toStdString();
    }
    QByteArray bank1WithParGen(const QByteArray& elements)
    {
        put("ParGen.xml", "<Par_Gen>" + elements + "</Par_Gen>");
        EXPECT_FALSE(bin.Compile_Bin().has_value());
        return bin.Bank1_Image;
    }
    QString binFile(const char* name) const
    {
        return state.Project_Dir + QStringLiteral("/bin/") + QLatin1String(name);
    }
};

} // namespace

TEST_F(Image, WithoutProjectFilesBankOneHoldsTheImageDefaults)
{
    compile();
    EXPECT_EQ(bin.Bank1_Image, image(2048, kDefaultBank1));
    EXPECT_EQ(bin.Parameter_Bank.u32(bank1::Byte_Sum), 3610u);

    // No nodes, empty maps, an IO-Link header with only its parameter address.
    ASSERT_EQ(bin.Bank2_Image.size(), 16412);
    EXPECT_EQ(bin.Bank2_Image.left(0x1000), QByteArray(0x1000, 0));
    EXPECT_EQ(bin.Bank2_Image.mid(0x1000, 2 * 6144), QByteArray(2 * 6144, char(0xFF)));
    EXPECT_EQ(bin.Bank2_Image.mid(0x4000), image(28, {{12, {0x1C, 0x40, 0x08, 0x00}}}));
}

TEST_F(Image, DeviceNetBaudItemSelectsTheBitRate)
{
    const struct {
        const char* element; // nullptr: no element
        Bytes rate;
    } cases[] = {
        {"0", {0x48, 0xE8, 0x01, 0x00}}, // 125000
        {"1", {0x90, 0xD0, 0x03, 0x00}}, // 250000
        {"2", {0x20, 0xA1, 0x07, 0x00}}, // 500000
        {"5", {0x20, 0xA1, 0x07, 0x00}}, {"-1", {0x20, 0xA1, 0x07, 0x00}},
        {"x", {0x20, 0xA1, 0x07, 0x00}}, {nullptr, {0x20, 0xA1, 0x07, 0x00}},
    };
    for (const auto& c : cases) {
        const QByteArray b = bank1WithParGen(
            c.element ? QByteArray("<DNETM_BAUDRATE>") + c.element + "</DNETM_BAUDRATE>" : QByteArray());
        EXPECT_EQ(bytesAt(b, 0x000, 4), c.rate) << (c.element ? c.element : "missing");
    }
}

TEST_F(Image, AddressesTakeTheImagesOwnDefaults)
{
    const struct {
        const char* what;
        QByteArray elements;
        int offset;
        Bytes expected;
    } cases[] = {
        {"all missing", "", 0x028, {192, 168, 0, 10}},
        {"IP4 missing",
         "<Ethernet_IP1>10</Ethernet_IP1><Ethernet_IP2>1</Ethernet_IP2><Ethernet_IP3>2</Ethernet_IP3>",
         0x028,
         {10, 1, 2, 10}},
        {"smallest, largest and hexadecimal",
         "<Ethernet_IP1>0</Ethernet_IP1><Ethernet_IP2>255</Ethernet_IP2>"
         "<Ethernet_IP3> 7</Ethernet_IP3><Ethernet_IP4>$0A</Ethernet_IP4>",
         0x028,
         {0, 255, 7, 10}},
        {"mask", "<Ethernet_SM3>0</Ethernet_SM3>", 0x02C, {255, 255, 0, 0}},
        {"gateway not used",
         "<Ethernet_GAT1>10</Ethernet_GAT1><Ethernet_GAT2>0</Ethernet_GAT2><Ethernet_GAT3>0</Ethernet_GAT3>"
         "<Ethernet_GAT4>1</Ethernet_GAT4><Ethernet_EN_GAT>0</Ethernet_EN_GAT>",
         0x030,
         {255, 255, 255, 255}},
        // The bytes of an unticked group are not the device's: the window stores them unchecked.
        {"gateway not used, bytes the window would refuse",
         "<Ethernet_GAT1>-1</Ethernet_GAT1><Ethernet_GAT2>x</Ethernet_GAT2>",
         0x030,
         {255, 255, 255, 255}},
        {"DNS off, bytes the window would refuse",
         "<Eth_Conn_Primary_DNS1>300</Eth_Conn_Primary_DNS1>"
         "<Eth_Conn_Secondary_DNS4> </Eth_Conn_Secondary_DNS4>",
         0x53C,
         {0, 0, 0, 0}},
        {"gateway used",
         "<Ethernet_GAT1>10</Ethernet_GAT1><Ethernet_GAT2>0</Ethernet_GAT2><Ethernet_GAT3>0</Ethernet_GAT3>"
         "<Ethernet_GAT4>1</Ethernet_GAT4><Ethernet_EN_GAT>1</Ethernet_EN_GAT>",
         0x030,
         {10, 0, 0, 1}},
        {"gateway used, octets missing", "<Ethernet_EN_GAT>1</Ethernet_EN_GAT>", 0x030, {192, 168, 0, 1}},
        {"gateway flag with a blank", "<Ethernet_EN_GAT> 1</Ethernet_EN_GAT>", 0x030, {255, 255, 255, 255}},
        {"DNS off", "<Eth_Conn_Primary_DNS1>1</Eth_Conn_Primary_DNS1>", 0x58C, {0, 0, 0, 0}},
        {"DNS on, no octets: primary", "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>", 0x58C, {8, 8, 8, 8}},
        {"DNS on, no octets: secondary", "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>", 0x53C, {8, 8, 4, 4}},
        {"DNS on: primary",
         "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS><Eth_Conn_Primary_DNS1>1</Eth_Conn_Primary_DNS1>"
         "<Eth_Conn_Primary_DNS4>4</Eth_Conn_Primary_DNS4>",
         0x58C,
         {1, 8, 8, 4}},
        {"DNS on: secondary",
         "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS><Eth_Conn_Secondary_DNS3>9</Eth_Conn_Secondary_DNS3>",
         0x53C,
         {8, 8, 9, 4}},
        {"DNS flag in capitals only", "<Eth_Conn_Enable_DNS>1 </Eth_Conn_Enable_DNS>", 0x53C, {0, 0, 0, 0}},
        {"DHCP on the cable", "<Eth_Conn_DHCP_Cable>1</Eth_Conn_DHCP_Cable>", 0x4E8, {1, 0}},
        {"DHCP text not exactly 1", "<Eth_Conn_DHCP_Cable>01</Eth_Conn_DHCP_Cable>", 0x4E8, {0, 0}},
        {"DHCP on Wi-Fi is not read", "<Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi>", 0x4E8, {0, 0}},
        {"node number ignored", "<DNETM_ID_DEV>12</DNETM_ID_DEV>", 0x080, {0}},
        {"version", "", 0x66C, {'1', '.', '0', '0', '0', 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const QByteArray b = bank1WithParGen(c.elements);
        EXPECT_EQ(bytesAt(b, c.offset, int(c.expected.size())), c.expected) << c.what;
        std::uint32_t sum = 0;
        for (int i = 0; i < 0x7FC; ++i)
            sum += std::uint8_t(b[i]);
        EXPECT_EQ(bytesAt(b, 0x7FC, 4), (Bytes{std::uint8_t(sum), std::uint8_t(sum >> 8), std::uint8_t(sum >> 16), 0}))
            << c.what;
    }
}

TEST_F(Image, DeviceNameKeepsThirtyOneLowBytes)
{
    QByteArray b = bank1WithParGen("<Eth_Conn_Device_Name>" + QByteArray(40, 'A') + "</Eth_Conn_Device_Name>");
    EXPECT_EQ(bytesAt(b, 0x514, 32), [] {
        Bytes v(31, 'A');
        v.push_back(0);
        return v;
    }());

    b = bank1WithParGen(QStringLiteral("<Eth_Conn_Device_Name>G\u0141w</Eth_Conn_Device_Name>").toUtf8());
    EXPECT_EQ(bytesAt(b, 0x514, 4), (Bytes{'G', 0x41, 'w', 0}));
}

TEST_F(Image, IOLinkRateCodeComesFromTheSettingsFile)
{
    const struct {
        const char* elements;
        std::uint8_t com;
    } cases[] = {{"", 1},
                 {"<IOLink_Slave_Baudrate> COM3 </IOLink_Slave_Baudrate>", 3},
                 {"<IOLink_Slave_Baudrate>COM2</IOLink_Slave_Baudrate>", 2},
                 {"<IOLink_Slave_Baudrate>com2</IOLink_Slave_Baudrate>", 1}};
    for (const auto& c : cases) {
        bank1WithParGen(c.elements);
        EXPECT_EQ(std::uint8_t(bin.Bank2_Image.at(0x4000)), c.com) << c.elements;
        // No "IOLink_Slave.xml": no cycle time.
        EXPECT_EQ(std::uint8_t(bin.Bank2_Image.at(0x4001)), 0) << c.elements;
    }

    // With the file, even without process data: COM3 and 61 frames give 400 us, code 04;
    // COM1 and 8 input bits: 73 frames, 15,208,090 ns, 6.4 ms + 23 x 0.4 ms, code 0x40 + 23 = 0x57.
    put("IOLink_Slave.xml", "<IOLinkSlave/>");
    bank1WithParGen("<IOLink_Slave_Baudrate>COM3</IOLink_Slave_Baudrate>");
    EXPECT_EQ(bytesAt(bin.Bank2_Image, 0x4000, 2), (Bytes{3, 0x04}));
    put("IOLink_Slave.xml", "<IOLinkSlave><Process_Data><Process_Data_Input><row Enable=\"Y\" Length=\"8\"/>"
                            "</Process_Data_Input></Process_Data></IOLinkSlave>");
    bank1WithParGen("");
    EXPECT_EQ(bytesAt(bin.Bank2_Image, 0x4000, 2), (Bytes{1, 0x57}));
    EXPECT_EQ(bytesAt(bin.Bank2_Image, 0x4000 + 20, 8), (Bytes{8, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(Image, TwoSlaveProject)
{
    putTwoSlaves();
    compile();

    // Bank 1: address 192.168.0.10 (image default for missing octets), the three counts, the
    // version; sum 3610 - 197 + 7 + 239 = 3659 = 4B 0E.
    EXPECT_EQ(bin.Bank1_Image, image(2048, {{0x000, {0x90, 0xD0, 0x03, 0x00}},
                                            {0x004, {0x90, 0xD0, 0x03, 0x00}},
                                            {0x00C, {0x80, 0x25, 0x00, 0x00}},
                                            {0x028, {192, 168, 0, 10}},
                                            {0x02C, {255, 255, 255, 0}},
                                            {0x030, {255, 255, 255, 255}},
                                            {0x034, {0x10, 0x27}},
                                            {0x036, {0x11, 0x27}},
                                            {0x038, {0x11, 0x27}},
                                            {0x07C, {2, 0, 0, 0}},
                                            {0x088, {4, 0, 0, 0}},
                                            {0x08C, {1, 0, 0, 0}},
                                            {0x0D4, {0x00, 0x10, 0x08, 0x00}},
                                            {0x0D8, {0x00, 0x28, 0x08, 0x00}},
                                            {0x0DC, {0x00, 0x00, 0x08, 0x00}},
                                            {0x1B4, {8, 8, 8, 8, 8, 8, 8, 8}},
                                            {0x660, {0x00, 0x40, 0x08, 0x00}},
                                            {0x66C, {'1', '.', '0', '0', '0'}},
                                            {0x7FC, {0x4B, 0x0E, 0x00, 0x00}}}));

    const QByteArray& b2 = bin.Bank2_Image;
    ASSERT_EQ(b2.size(), 16412 + 20 * 4);
    // Nodes {5, 4, 2, flags 0, 0, 0} and {7, 2, 0, flags 0, 4, 2}; the other 62 and the gap zero.
    EXPECT_EQ(b2.left(0x1000), image(0x1000, {{0, {5, 0, 0, 0, 4, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                                              {16, {7, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 4, 0, 2, 0}}}));
    // Input map: slave 5 bytes 1 and 3 (byte 4 lies beyond NB_IN), slave 7 bytes 0 and 1;
    // slave 9 is no longer in the scan list.
    EXPECT_EQ(
        b2.mid(0x1000, 6144),
        image(6144,
              {{0, {0x01, 0x14, 0x00, 0x00, 0x03, 0x14, 0x0A, 0x00, 0x00, 0x1C, 0x14, 0x00, 0x01, 0x1C, 0x15, 0x00}}},
              char(0xFF)));
    EXPECT_EQ(b2.mid(0x2800, 6144), image(6144, {{0, {0x00, 0x14, 0x04, 0x00}}}, char(0xFF)));
    // IO-Link: COM2, 16 + 16 bits give cycle-time code 0x1E; four enabled variables
    // ("y" counts, " Y" does not), access 2, 1, 3 and 2 for "read only".
    EXPECT_EQ(b2.mid(0x4000),
              image(28 + 80, {
                                 {0, {2,    0x1E, 0, 0, 4, 0, 0,  0, 0, 0, 0,  0, 0x1C, 0x40,
                                      0x08, 0x00, 0, 0, 0, 0, 16, 0, 0, 0, 16, 0, 0,    0}},
                                 {28, {100, 0, 0, 2, 0, 0, 0, 0, 2, 0, 2, 0, 16, 0, 0, 0, 0xE8, 0x03, 0, 0}},
                                 {48, {101, 0, 0, 1, 7, 3, 0, 0, 4, 0, 5, 0, 8, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}},
                                 {68, {0xFF, 0xFF, 0, 3, 2, 1, 0, 0, 6, 0, 7, 0, 32, 0, 0, 0, 0x70, 0x11, 0x01, 0x00}},
                                 {88, {200, 0, 0, 2, 0, 0, 0, 0, 10, 0, 10, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
                             }));
}

TEST_F(Image, OffsetsFollowTheirSlaveById)
{
    putTwoSlaves();
    const struct {
        const char* what;
        QByteArray net;
        Bytes inMap; // used entries, then 0xFF
        int outCount;
    } cases[] = {
        {"slaves swapped",
         "<DNET_Net><row ID=\"7\" NB_IN=\"2\" NB_OUT=\"0\"/><row ID=\"5\" NB_IN=\"4\" NB_OUT=\"2\"/></DNET_Net>",
         {0x00, 0x1C, 0x14, 0x00, 0x01, 0x1C, 0x15, 0x00, 0x01, 0x14, 0x00, 0x00, 0x03, 0x14, 0x0A, 0x00},
         1},
        {"first slave deleted",
         "<DNET_Net><row ID=\"7\" NB_IN=\"2\" NB_OUT=\"0\"/></DNET_Net>",
         {0x00, 0x1C, 0x14, 0x00, 0x01, 0x1C, 0x15, 0x00},
         0},
        {"new slave in front",
         "<DNET_Net><row ID=\"3\" NB_IN=\"1\" NB_OUT=\"1\"/><row ID=\"7\" NB_IN=\"2\" NB_OUT=\"0\"/></DNET_Net>",
         {0x00, 0x1C, 0x14, 0x00, 0x01, 0x1C, 0x15, 0x00},
         0},
    };
    for (const auto& c : cases) {
        put("DNETM_Net.xml", c.net);
        compile();
        EXPECT_EQ(bin.Bank2_Image.mid(0x1000, 6144), image(6144, {{0, c.inMap}}, char(0xFF))) << c.what;
        EXPECT_EQ(bin.Num_ByteIN, int(c.inMap.size() / 4)) << c.what;
        EXPECT_EQ(bin.Num_ByteOUT, c.outCount) << c.what;
    }
}

TEST_F(Image, OffsetFileWithoutIdsPairsByPosition)
{
    putTwoSlaves();
    putFixture("DNETM_DefOff.xml", QStringLiteral("gateway/DNETM_DefOff_no_ids.xml"));
    compile();
    EXPECT_EQ(bin.Bank2_Image.mid(0x1000, 8), image(8, {{0, {0x00, 0x14, 0x01, 0x00, 0x00, 0x1C, 0x02, 0x00}}}));
    EXPECT_EQ(bin.Num_ByteIN, 2);
}

TEST_F(Image, AllBytesNoneGiveEmptyMaps)
{
    put("DNETM_Net.xml", "<DNET_Net><row ID=\"1\" NB_IN=\"2\" NB_OUT=\"1\"/></DNET_Net>");
    put("DNETM_DefOff.xml", "<Define_Offset><Nodo_DNET ID=\"1\"><ByteIN><row Offset=\"None\"/><row Offset=\"None\"/>"
                            "</ByteIN><ByteOUT><row Offset=\"None\"/></ByteOUT></Nodo_DNET></Define_Offset>");
    compile();
    EXPECT_EQ(bin.Bank2_Image.mid(0x1000, 2 * 6144), QByteArray(2 * 6144, char(0xFF)));
    EXPECT_EQ(bin.Parameter_Bank.u32(bank1::Num_ByteIN), 0u);
    EXPECT_EQ(bin.Parameter_Bank.u32(bank1::Num_ByteOUT), 0u);
    EXPECT_EQ(bin.Parameter_Bank.u32(bank1::Num_Nodes), 1u);
}

TEST_F(Image, ResetFlagsAreReadWhenPresent)
{
    put("DNETM_Net.xml",
        "<DNET_Net><row ID=\"1\" NB_IN=\"0\" NB_OUT=\"0\" Reset_DeviceNet=\" y \"/>"
        "<row ID=\"2\" NB_IN=\"0\" NB_OUT=\"0\" Reset_PROFINET=\"Y\" Reset_DeviceNet=\"N\"/></DNET_Net>");
    compile();
    EXPECT_EQ(bytesAt(bin.Bank2_Image, 10, 2), (Bytes{1, 0}));
    EXPECT_EQ(bytesAt(bin.Bank2_Image, 16 + 10, 2), (Bytes{2, 0}));
}

TEST_F(Image, EachBuildStartsFromScratch)
{
    putTwoSlaves();
    compile();
    for (const char* f : {"ParGen.xml", "DNETM_Net.xml", "DNETM_DefOff.xml", "IOLink_Slave.xml"})
        ASSERT_TRUE(QFile::remove(state.Project_Dir + QLatin1Char('/') + QLatin1String(f)));
    compile();
    EXPECT_EQ(bin.Bank1_Image, image(2048, kDefaultBank1));
    EXPECT_EQ(bin.Bank2_Image.size(), 16412);
}

namespace {

// Slaves with IDs 1, 2, ... (63 is the last a slave may take), each with nb input and output
// bytes.
QByteArray netRows(int count, int nb = 0)
{
    QByteArray xml = "<DNET_Net>";
    for (int i = 0; i < count; ++i)
        xml += "<row ID=\"" + QByteArray::number(i + 1) + "\" NB_IN=\"" + QByteArray::number(nb) + "\" NB_OUT=\""
               + QByteArray::number(nb) + "\"/>";
    return xml + "</DNET_Net>";
}

// Offsets of the slaves of netRows(): count bytes of one direction spread over the slaves,
// nb bytes each, taking positions 0, 1, 2, ... (after 1439 from 0 again).
QByteArray offsetRows(int slaves, int nb, int count, const char* element)
{
    QByteArray xml = "<Define_Offset>";
    int k = 0;
    for (int s = 0; s < slaves; ++s) {
        xml += "<Nodo_DNET ID=\"" + QByteArray::number(s + 1) + "\">";
        for (const char* e : {"ByteIN", "ByteOUT"}) {
            xml += QByteArray("<") + e + ">";
            if (qstrcmp(e, element) == 0)
                for (int i = 0; i < nb && k < count; ++i, ++k)
                    xml += "<row Offset=\"" + QByteArray::number(k % 1440) + "\"/>";
            xml += QByteArray("</") + e + ">";
        }
        xml += "</Nodo_DNET>";
    }
    return xml + "</Define_Offset>";
}

// Enabled variables the IO-Link window accepts: Index 60, 61, ..., one bit at byte 0.
QByteArray enabledVariables(int count)
{
    QByteArray xml = "<IOLinkSlave><Variables>";
    for (int i = 0; i < count; ++i)
        xml += "<row Enable=\"Y\" Index=\"" + QByteArray::number(60 + i)
               + "\" Length=\"1\" DefaultValue=\"0\" "
                 "PositionRead=\"0\" StartBitRead=\"0\" PositionWrite=\"0\" StartBitWrite=\"0\"/>";
    return xml + "</Variables></IOLinkSlave>";
}

} // namespace

TEST_F(Image, BoundsAreKeptAtTheLimit)
{
    // IDs 1 to 63: every ID a slave may take.
    put("DNETM_Net.xml", netRows(63));
    compile();
    EXPECT_EQ(bin.Num_Nodes, 63);

    // 1536 input bytes (two slaves of 768) all with an offset; output positions cannot be
    // shared, so the output map holds at most 1440 entries.
    put("DNETM_Net.xml", netRows(2, 768));
    put("DNETM_DefOff.xml", offsetRows(2, 768, 1536, "ByteIN"));
    compile();
    // The last entry: byte 767 of slave 2 (key 2 x 1024 + 767 = 0x0AFF), offset 1535 % 1440 = 95.
    EXPECT_EQ(bin.Num_ByteIN, 1536);
    EXPECT_EQ(bytesAt(bin.Bank2_Image, 0x1000 + 1535 * 4, 4), (Bytes{0xFF, 0x0A, 95, 0}));
    put("DNETM_DefOff.xml", offsetRows(2, 768, 1440, "ByteOUT"));
    compile();
    EXPECT_EQ(bin.Num_ByteOUT, 1440);
    // Byte 671 of slave 2 (0x0A9F) at 1439.
    EXPECT_EQ(bytesAt(bin.Bank2_Image, 0x2800 + 1439 * 4, 4), (Bytes{0x9F, 0x0A, 0x9F, 0x05}));

    put("IOLink_Slave.xml", enabledVariables(kMax_IOLink_Parameters));
    compile();
    EXPECT_EQ(bin.Bank2_Image.size(), 16412 + 20 * kMax_IOLink_Parameters);
    EXPECT_LE(bin.Bank2_Image.size(), kBank2_Capacity);
}

TEST_F(Image, FilesTheImageCannotBeBuiltFromAreRefusedAndNothingIsWritten)
{
    const struct {
        const char* what;
        const char* file;
        QByteArray content;
        const char* message;
    } cases[] = {
        {"65 slaves", "DNETM_Net.xml", netRows(65),
         "DNETM_Net.xml lists 65 DeviceNet slaves; the configuration image holds at most 64. Nothing was written."},
        {"too many variables", "IOLink_Slave.xml", enabledVariables(kMax_IOLink_Parameters + 1),
         "IOLink_Slave.xml enables 25394 IO-Link variables; the configuration image holds at most 25393. "
         "Nothing was written."},
        {"slave without ID", "DNETM_Net.xml",
         "<DNET_Net><row ID=\"1\" NB_IN=\"0\" NB_OUT=\"0\"/><row NB_IN=\"1\" NB_OUT=\"1\"/></DNET_Net>",
         "DNETM_Net.xml, row 2: Missing attribute \"ID\""},
        {"node without ByteIN", "DNETM_DefOff.xml",
         "<Define_Offset><Nodo_DNET ID=\"1\"><ByteOUT/></Nodo_DNET></Define_Offset>",
         "DNETM_DefOff.xml: the offsets of slave 1 have no \"ByteIN\" element."},
        {"byte without Offset", "DNETM_DefOff.xml",
         "<Define_Offset><Nodo_DNET ID=\"1\"><ByteIN><row Offset=\"1\"/><row Mnemonic=\"m\"/></ByteIN><ByteOUT/>"
         "</Nodo_DNET></Define_Offset>",
         "DNETM_DefOff.xml, slave 1, ByteIN byte 1: Missing attribute \"Offset\""},
    };
    for (const auto& c : cases) {
        put("DNETM_Net.xml", netRows(1, 1024));
        put("DNETM_DefOff.xml", "<Define_Offset/>");
        put("IOLink_Slave.xml", "<IOLinkSlave/>");
        put(c.file, c.content);
        const TBin_Error err = bin.Compile_Bin();
        ASSERT_TRUE(err.has_value()) << c.what;
        EXPECT_EQ(*err, QString::fromLatin1(c.message)) << c.what;
        EXPECT_TRUE(bin.Save_Bin().has_value()) << c.what;
        EXPECT_FALSE(QFile::exists(binFile("bank1.bin"))) << c.what;
        EXPECT_FALSE(QFile::exists(binFile("bank2.bin"))) << c.what;
    }
}

namespace {

// A small project the windows accept: slave 5 with 4 input and 2 output bytes and their
// offsets (two input bytes may share a position), 16 input and 16 output process-data bits,
// one enabled variable behind them and a disabled one holding values no window takes.
const QByteArray kNet = "<DNET_Net><row ID=\"5\" NB_IN=\"4\" NB_OUT=\"2\" Mnemonic=\"\"/></DNET_Net>";
const QByteArray kOffsets =
    "<Define_Offset><Nodo_DNET ID=\"5\"><ByteIN><row Offset=\"0\"/><row Offset=\"None\"/><row Offset=\"1439\"/>"
    "<row Offset=\"0\"/></ByteIN><ByteOUT><row Offset=\"4\"/><row "
    "Offset=\"None\"/></ByteOUT></Nodo_DNET></Define_Offset>";
const QByteArray kIOLink =
    "<IOLinkSlave><Variables>"
    "<row Enable=\"Y\" Index=\"100\" Access=\"Read Write\" Length=\"16\" DefaultValue=\"0\" PositionRead=\"2\" "
    "StartBitRead=\"0\" PositionWrite=\"2\" StartBitWrite=\"0\"/>"
    "<row Enable=\"N\" Index=\"-1\" Length=\"-8\" DefaultValue=\"x\" PositionRead=\"99999\"/>"
    "</Variables><Process_Data><Process_Data_Input><row Enable=\"Y\" Length=\"16\"/></Process_Data_Input>"
    "<Process_Data_Output><row Enable=\"Y\" Length=\"16\"/></Process_Data_Output></Process_Data></IOLinkSlave>";

QByteArray replaced(QByteArray text, const char* from, const char* to)
{
    EXPECT_TRUE(text.contains(from)) << from;
    return text.replace(from, to);
}

const char* const kNotWritten = "Error! The configuration image was not written: in ";

} // namespace

// A hand-edited file holding a value its window would refuse: the image is not built, the
// message names file, row and field, and no bank is written.
TEST_F(Image, ValuesTheWindowsWouldRefuseAreRefused)
{
    const struct {
        const char* what;
        const char* file;
        const char* from;
        const char* to;
        const char* message; // after kNotWritten
    } cases[] = {
        {"ID 300", "DNETM_Net.xml", "ID=\"5\"", "ID=\"300\"",
         "DNETM_Net.xml, row 1, \"ID\" holds \"300\"; it must be a whole number from 0 to 63."},
        {"ID -1", "DNETM_Net.xml", "ID=\"5\"", "ID=\"-1\"",
         "DNETM_Net.xml, row 1, \"ID\" holds \"-1\"; it must be a whole number from 0 to 63."},
        {"master's ID", "DNETM_Net.xml", "ID=\"5\"", "ID=\"0\"",
         "DNETM_Net.xml, row 1, the ID 0 is the ID of the DeviceNet Master."},
        {"ID twice", "DNETM_Net.xml", "</DNET_Net>", "<row ID=\" 5\" NB_IN=\"0\" NB_OUT=\"0\"/></DNET_Net>",
         "DNETM_Net.xml, row 2, \"ID\" holds \" 5\", already used in row 1."},
        {"NB_IN -5", "DNETM_Net.xml", "NB_IN=\"4\"", "NB_IN=\"-5\"",
         "DNETM_Net.xml, row 1, \"NB_IN\" holds \"-5\"; it must be a whole number from 0 to 65535."},
        {"NB_IN no number", "DNETM_Net.xml", "NB_IN=\"4\"", "NB_IN=\"four\"",
         "DNETM_Net.xml, row 1, \"NB_IN\" holds \"four\"; it must be a whole number from 0 to 65535."},
        // Byte 1024 of slave 5 would take the key of byte 0 of slave 6.
        {"NB_IN 1025", "DNETM_Net.xml", "NB_IN=\"4\"", "NB_IN=\"1025\"",
         "DNETM_Net.xml, row 1, \"NB_IN\" holds \"1025\"; at most 1024 bytes for one Slave and 1536 for all Slaves "
         "together."},
        {"NB_OUT total 1537", "DNETM_Net.xml", "</DNET_Net>",
         "<row ID=\"6\" NB_IN=\"0\" NB_OUT=\"1024\"/><row ID=\"7\" NB_IN=\"0\" NB_OUT=\"511\"/></DNET_Net>",
         "DNETM_Net.xml, row 3, \"NB_OUT\" holds \"511\"; at most 1024 bytes for one Slave and 1536 for all Slaves "
         "together."},
        {"input Length -8", "IOLink_Slave.xml", "<Process_Data_Input><row Enable=\"Y\" Length=\"16\"/>",
         "<Process_Data_Input><row Enable=\"Y\" Length=\"-8\"/>",
         "IOLink_Slave.xml [Process_Data_Input], row 1, \"Length\" holds \"-8\"; it must be a whole number from 1 to "
         "256."},
        {"output Length missing", "IOLink_Slave.xml", "<Process_Data_Output><row Enable=\"Y\" Length=\"16\"/>",
         "<Process_Data_Output><row Enable=\"Y\"/>",
         "IOLink_Slave.xml [Process_Data_Output], row 1, \"Length\" holds \"\"; it must be a whole number from 1 to "
         "256."},
        {"variable Length -8", "IOLink_Slave.xml", "Length=\"16\" DefaultValue", "Length=\"-8\" DefaultValue",
         "IOLink_Slave.xml [Variables], row 1, \"Length\" holds \"-8\"; it must be a whole number from 1 to 256."},
        {"variable Length 257", "IOLink_Slave.xml", "Length=\"16\" DefaultValue", "Length=\"257\" DefaultValue",
         "IOLink_Slave.xml [Variables], row 1, \"Length\" holds \"257\"; it must be a whole number from 1 to 256."},
        {"Index -1", "IOLink_Slave.xml", "Index=\"100\"", "Index=\"-1\"",
         "IOLink_Slave.xml [Variables], row 1, \"Index\" holds \"-1\"; it must be a whole number from 60 to 65535."},
        {"Index 99999999999", "IOLink_Slave.xml", "Index=\"100\"", "Index=\"99999999999\"",
         "IOLink_Slave.xml [Variables], row 1, \"Index\" holds \"99999999999\"; it must be a whole number from 60 to "
         "65535."},
        {"Index twice", "IOLink_Slave.xml", "</Variables>",
         "<row Enable=\"Y\" Index=\"$64\" Length=\"1\" DefaultValue=\"0\" PositionRead=\"9\" StartBitRead=\"0\" "
         "PositionWrite=\"9\" StartBitWrite=\"0\"/></Variables>",
         "IOLink_Slave.xml [Variables], row 3, \"Index\" holds \"$64\", already used in row 1."},
        {"DefaultValue 2^32", "IOLink_Slave.xml", "DefaultValue=\"0\"", "DefaultValue=\"4294967296\"",
         "IOLink_Slave.xml [Variables], row 1, \"DefaultValue\" holds \"4294967296\"; it must be a whole number from "
         "-2147483648 to 2147483647."},
        {"PositionRead inside the process data", "IOLink_Slave.xml", "PositionRead=\"2\"", "PositionRead=\"1\"",
         "IOLink_Slave.xml [Variables], row 1, \"PositionRead\" holds \"1\"; it must be a whole number from 2 to "
         "1399."},
        {"PositionWrite 1400", "IOLink_Slave.xml", "PositionWrite=\"2\"", "PositionWrite=\"1400\"",
         "IOLink_Slave.xml [Variables], row 1, \"PositionWrite\" holds \"1400\"; it must be a whole number from 2 to "
         "1399."},
        {"StartBitRead 8", "IOLink_Slave.xml", "StartBitRead=\"0\"", "StartBitRead=\"8\"",
         "IOLink_Slave.xml [Variables], row 1, \"StartBitRead\" holds \"8\"; it must be a whole number from 0 to 7."},
        {"StartBitWrite missing", "IOLink_Slave.xml", " StartBitWrite=\"0\"", "",
         "IOLink_Slave.xml [Variables], row 1, \"StartBitWrite\" holds \"\"; it must be a whole number from 0 to 7."},
        {"variable past its area", "IOLink_Slave.xml", "PositionRead=\"2\"", "PositionRead=\"1399\"",
         "IOLink_Slave.xml [Variables], row 1, the variable placed at \"PositionRead\" = \"1399\" with 16 bits ends "
         "beyond the 1400 bytes of its area."},
        {"IP octet -1", "ParGen.xml", "<Ethernet_IP2>2</Ethernet_IP2>", "<Ethernet_IP2>-1</Ethernet_IP2>",
         "ParGen.xml, \"Ethernet_IP2\" holds \"-1\"; it must be a whole number from 0 to 255."},
        {"mask octet no number", "ParGen.xml", "<Ethernet_SM4>0</Ethernet_SM4>", "<Ethernet_SM4>x</Ethernet_SM4>",
         "ParGen.xml, \"Ethernet_SM4\" holds \"x\"; it must be a whole number from 0 to 255."},
        {"DNS on, octet 256", "ParGen.xml", "<Eth_Conn_Enable_DNS>0</Eth_Conn_Enable_DNS>",
         "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS><Eth_Conn_Secondary_DNS3>256</Eth_Conn_Secondary_DNS3>",
         "ParGen.xml, \"Eth_Conn_Secondary_DNS3\" holds \"256\"; it must be a whole number from 0 to 255."},
        {"gateway used, octet of blanks", "ParGen.xml", "<Ethernet_EN_GAT>0</Ethernet_EN_GAT>",
         "<Ethernet_EN_GAT>1</Ethernet_EN_GAT><Ethernet_GAT4>  </Ethernet_GAT4>",
         "ParGen.xml, \"Ethernet_GAT4\" holds \"  \"; it must be a whole number from 0 to 255."},
        {"offset 1440", "DNETM_DefOff.xml", "<row Offset=\"1439\"/>", "<row Offset=\"1440\"/>",
         "DNETM_DefOff.xml, Slave 5, ByteIN byte 2, the offset \"1440\" must be \"None\" or a position from 0 to "
         "1439."},
        {"offset -1", "DNETM_DefOff.xml", "<row Offset=\"None\"/><row Offset=\"1439\"/>",
         "<row Offset=\"-1\"/><row Offset=\"1439\"/>",
         "DNETM_DefOff.xml, Slave 5, ByteIN byte 1, the offset \"-1\" must be \"None\" or a position from 0 to 1439."},
        {"offset none", "DNETM_DefOff.xml", "<ByteOUT><row Offset=\"4\"/><row Offset=\"None\"/>",
         "<ByteOUT><row Offset=\"4\"/><row Offset=\"none\"/>",
         "DNETM_DefOff.xml, Slave 5, ByteOUT byte 1, the offset \"none\" must be \"None\" or a position from 0 to "
         "1439."},
        {"output offset twice", "DNETM_DefOff.xml", "<ByteOUT><row Offset=\"4\"/><row Offset=\"None\"/>",
         "<ByteOUT><row Offset=\"4\"/><row Offset=\"4\"/>",
         "DNETM_DefOff.xml, Slave 5, ByteOUT byte 1, the offset 4 is already used by Slave 5, ByteOUT byte 0."},
    };
    const QByteArray parGen = "<Par_Gen><Ethernet_IP1>10</Ethernet_IP1><Ethernet_IP2>2</Ethernet_IP2>"
                              "<Ethernet_SM4>0</Ethernet_SM4><Eth_Conn_Enable_DNS>0</Eth_Conn_Enable_DNS>"
                              "<Ethernet_EN_GAT>0</Ethernet_EN_GAT></Par_Gen>";
    const QByteArray oldBank1 = "old bank 1";
    const QByteArray oldBank2 = "old bank 2";
    for (const auto& c : cases) {
        const std::pair<const char*, QByteArray> files[] = {{"ParGen.xml", parGen},
                                                            {"DNETM_Net.xml", kNet},
                                                            {"DNETM_DefOff.xml", kOffsets},
                                                            {"IOLink_Slave.xml", kIOLink}};
        for (const auto& [name, content] : files)
            put(name, qstrcmp(name, c.file) == 0 ? replaced(content, c.from, c.to) : content);
        ASSERT_TRUE(writeFile(binFile("bank1.bin"), oldBank1));
        ASSERT_TRUE(writeFile(binFile("bank2.bin"), oldBank2));
        const TBin_Error err = bin.Compile_Bin();
        ASSERT_TRUE(err.has_value()) << c.what;
        EXPECT_EQ(*err, QLatin1String(kNotWritten) + QString::fromUtf8(c.message)) << c.what;
        EXPECT_TRUE(bin.Save_Bin().has_value()) << c.what;
        EXPECT_EQ(readFile(binFile("bank1.bin")), oldBank1) << c.what;
        EXPECT_EQ(readFile(binFile("bank2.bin")), oldBank2) << c.what;
    }

    // The same project as the windows leave it builds.
    put("ParGen.xml", parGen);
    put("DNETM_Net.xml", kNet);
    put("DNETM_DefOff.xml", kOffsets);
    put("IOLink_Slave.xml", kIOLink);
    compile();
}

// The smallest and largest values the windows accept are built exactly.
TEST_F(Image, ExtremeValuesTheWindowsAcceptAreBuiltExactly)
{
    put("DNETM_Net.xml",
        "<DNET_Net><row ID=\"63\" NB_IN=\"1024\" NB_OUT=\"512\"/><row ID=\"1\" NB_IN=\"0\" NB_OUT=\"0\"/>"
        "</DNET_Net>");
    put("DNETM_DefOff.xml", "<Define_Offset><Nodo_DNET ID=\"63\"><ByteIN><row Offset=\"1439\"/></ByteIN>"
                            "<ByteOUT><row Offset=\"0\"/></ByteOUT></Nodo_DNET><Nodo_DNET ID=\"1\"><ByteIN/><ByteOUT/>"
                            "</Nodo_DNET></Define_Offset>");
    put("IOLink_Slave.xml",
        "<IOLinkSlave><Variables>"
        "<row Enable=\"Y\" Index=\"65535\" Access=\"Read Write\" Length=\"1\" DefaultValue=\"-2147483648\" "
        "PositionRead=\"1399\" StartBitRead=\"7\" PositionWrite=\"1399\" StartBitWrite=\"7\"/>"
        "<row Enable=\"Y\" Index=\"60\" Access=\"Read Write\" Length=\"256\" DefaultValue=\"2147483647\" "
        "PositionRead=\"1\" StartBitRead=\"0\" PositionWrite=\"1367\" StartBitWrite=\"0\"/>"
        "</Variables><Process_Data><Process_Data_Input><row Enable=\"Y\" Length=\"1\"/></Process_Data_Input>"
        "<Process_Data_Output><row Enable=\"Y\" Length=\"256\"/></Process_Data_Output></Process_Data></IOLinkSlave>");
    compile();
    const QByteArray& b2 = bin.Bank2_Image;
    // Nodes {63, 1024, 512, 0, 0, 0} and {1, 0, 0, 0, 1024, 512}.
    EXPECT_EQ(b2.left(32),
              image(32, {{0, {63, 0, 0, 0, 0x00, 0x04, 0x00, 0x02}}, {16, {1}}, {28, {0x00, 0x04, 0x00, 0x02}}}));
    // Key 63 x 1024 + 0 = 0xFC00; offsets 1439 (input) and 0 (output).
    EXPECT_EQ(bytesAt(b2, 0x1000, 8), (Bytes{0x00, 0xFC, 0x9F, 0x05, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(bytesAt(b2, 0x2800, 8), (Bytes{0x00, 0xFC, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
    // Process data of 1 and 256 bits.
    EXPECT_EQ(bytesAt(b2, 0x4000 + 20, 8), (Bytes{1, 0, 0, 0, 0, 1, 0, 0}));
    ASSERT_EQ(b2.size(), 16412 + 40);
    EXPECT_EQ(
        b2.mid(0x401C),
        image(40, {
                      {0, {0xFF, 0xFF, 0, 3, 7, 7, 0, 0, 0x77, 0x05, 0x77, 0x05, 1, 0, 0, 0, 0x00, 0x00, 0x00, 0x80}},
                      {20, {60, 0, 0, 3, 0, 0, 0, 0, 1, 0, 0x57, 0x05, 0, 1, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}},
                  }));
}

TEST_F(Image, FilesThatAreNotXmlAreRefused)
{
    for (const char* f : {"ParGen.xml", "DNETM_Net.xml", "DNETM_DefOff.xml", "IOLink_Slave.xml"}) {
        putTwoSlaves();
        put(f, "<root><open></root>");
        const TBin_Error err = bin.Compile_Bin();
        ASSERT_TRUE(err.has_value()) << f;
        EXPECT_TRUE(err->startsWith(QStringLiteral("Cannot read ") + state.Project_Dir)) << err->toStdString();
        EXPECT_TRUE(err->contains(QLatin1String(f))) << err->toStdString();
    }
}

TEST_F(Image, SaveWritesBothBanksIntoTheBinFolder)
{
    ASSERT_TRUE(writeFile(binFile("bank1.bin"), "stale"));
    putTwoSlaves();
    compile();
    const TBin_Error err = bin.Save_Bin();
    ASSERT_FALSE(err.has_value()) << err->toStdString();
    EXPECT_EQ(readFile(binFile("bank1.bin")), bin.Bank1_Image);
    EXPECT_EQ(readFile(binFile("bank2.bin")), bin.Bank2_Image);
    EXPECT_EQ(readFile(binFile("bank2.bin")).size(), 16492);
}

TEST_F(Image, BankThatCannotBeWrittenIsReported)
{
    const QString binDir = state.Project_Dir + QStringLiteral("/bin");
    compile();

    // "bin" is a file: the first bank cannot be written.
    ASSERT_TRUE(QDir(binDir).removeRecursively());
    ASSERT_TRUE(writeFile(binDir, "not a folder"));
    TBin_Error err = bin.Save_Bin();
    ASSERT_TRUE(err.has_value());
    EXPECT_TRUE(err->startsWith(QStringLiteral("Cannot write ") + binFile("bank1.bin"))) << err->toStdString();
    EXPECT_TRUE(err->endsWith(QStringLiteral("The device was not updated."))) << err->toStdString();

    // "bin" missing altogether.
    ASSERT_TRUE(QFile::remove(binDir));
    EXPECT_TRUE(bin.Save_Bin().has_value());

    // The second bank's name is taken by a folder: the failure is reported and bank 1 is not
    // replaced either, so no new bank stands beside an old one.
    ASSERT_TRUE(QDir().mkpath(binFile("bank2.bin")));
    ASSERT_TRUE(writeFile(binFile("bank1.bin"), "old bank 1"));
    err = bin.Save_Bin();
    ASSERT_TRUE(err.has_value());
    EXPECT_TRUE(err->startsWith(QStringLiteral("Cannot write ") + binFile("bank2.bin"))) << err->toStdString();
    EXPECT_EQ(readFile(binFile("bank1.bin")), "old bank 1");
}

// On a full disk (nothing fits, or bank 1 fits and bank 2 does not) both old banks stay as
// they were and the error says which bank could not be written.
TEST_F(Image, FullDiskKeepsBothOldBanks)
{
    putTwoSlaves();
    compile();
    for (const rlim_t room : {rlim_t(0), rlim_t(4096)}) {
        ASSERT_TRUE(writeFile(binFile("bank1.bin"), "old bank 1"));
        ASSERT_TRUE(writeFile(binFile("bank2.bin"), "old bank 2"));
        TBin_Error err;
        {
            testsupport::FullDisk full(room);
            err = bin.Save_Bin();
        }
        ASSERT_TRUE(err.has_value()) << room;
        EXPECT_TRUE(err->startsWith(QStringLiteral("Cannot write ") + binFile(room ? "bank2.bin" : "bank1.bin")))
            << err->toStdString();
        EXPECT_EQ(readFile(binFile("bank1.bin")), "old bank 1") << room;
        EXPECT_EQ(readFile(binFile("bank2.bin")), "old bank 2") << room;
        EXPECT_EQ(QDir(state.Project_Dir + QStringLiteral("/bin")).entryList(QDir::Files | QDir::Hidden).size(), 2)
            << room;
    }
}

TEST(ImageAccess, TextsGiveTheirCodes)
{
    const struct {
        const char* text;
        std::uint8_t code;
    } cases[] = {{"Read Only", 2}, {"Write Only", 1}, {"Read Write", 3}, {"read only", 2}, {"", 2}, {" Read Write", 2}};
    for (const auto& c : cases)
        EXPECT_EQ(Str_To_Access(QString::fromLatin1(c.text)), c.code) << c.text;
}
