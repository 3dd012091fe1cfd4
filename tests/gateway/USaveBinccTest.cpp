#include "gateway/USaveBincc.h"

#include "common/UComonState.h"
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
    {0x000, {0x90, 0xD0, 0x03, 0x00}}, {0x004, {0x90, 0xD0, 0x03, 0x00}}, {0x00C, {0x80, 0x25, 0x00, 0x00}},
    {0x028, {192, 168, 2, 205}},       {0x02C, {255, 255, 255, 0}},       {0x030, {255, 255, 255, 255}},
    {0x034, {0x10, 0x27}},             {0x036, {0x11, 0x27}},             {0x038, {0x11, 0x27}},
    {0x0D4, {0x00, 0x10, 0x08, 0x00}}, {0x0D8, {0x00, 0x28, 0x08, 0x00}}, {0x0DC, {0x00, 0x00, 0x08, 0x00}},
    {0x1B4, {8, 8, 8, 8, 8, 8, 8, 8}}, {0x660, {0x00, 0x40, 0x08, 0x00}}, {0x7FC, {0x1A, 0x0E, 0x00, 0x00}},
};

class Image : public ::testing::Test {
protected:
    QTemporaryDir dir;
    common::TProgramState state;
    TSaveBincc bin{state};

    void SetUp() override
    {
        state.Project_Dir = dir.filePath(QStringLiteral("Line3"));
        ASSERT_TRUE(QDir().mkpath(state.Project_Dir + QStringLiteral("/bin")));
        common::Set_Files(state);
    }
    void put(const char* name, const QByteArray& xml)
    {
        ASSERT_TRUE(writeFile(state.Project_Dir + QLatin1Char('/') + QLatin1String(name), xml));
    }
    void putFixture(const char* name, const QString& fixture)
    {
        put(name, readFile(fixturePath(fixture)));
    }
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
    QString binFile(const char* name) const { return state.Project_Dir + QStringLiteral("/bin/") + QLatin1String(name); }
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
        {"5", {0x20, 0xA1, 0x07, 0x00}},
        {"-1", {0x20, 0xA1, 0x07, 0x00}},
        {"x", {0x20, 0xA1, 0x07, 0x00}},
        {nullptr, {0x20, 0xA1, 0x07, 0x00}},
    };
    for (const auto& c : cases) {
        const QByteArray b = bank1WithParGen(c.element ? QByteArray("<DNETM_BAUDRATE>") + c.element + "</DNETM_BAUDRATE>"
                                                        : QByteArray());
        EXPECT_EQ(bytesAt(b, 0x000, 4), c.rate) << (c.element ? c.element : "missing");
    }
}

TEST_F(Image, AddressesTakeTheImagesOwnDefaultsAndKeepTheLowByte)
{
    const struct {
        const char* what;
        QByteArray elements;
        int offset;
        Bytes expected;
    } cases[] = {
        {"all missing", "", 0x028, {192, 168, 0, 10}},
        {"IP4 missing", "<Ethernet_IP1>10</Ethernet_IP1><Ethernet_IP2>1</Ethernet_IP2><Ethernet_IP3>2</Ethernet_IP3>",
         0x028, {10, 1, 2, 10}},
        {"low 8 bits and bad text", "<Ethernet_IP1>300</Ethernet_IP1><Ethernet_IP2>-1</Ethernet_IP2>"
                                    "<Ethernet_IP3>x</Ethernet_IP3><Ethernet_IP4>$0A</Ethernet_IP4>",
         0x028, {44, 255, 0, 10}},
        {"mask", "<Ethernet_SM3>0</Ethernet_SM3>", 0x02C, {255, 255, 0, 0}},
        {"gateway not used", "<Ethernet_GAT1>10</Ethernet_GAT1><Ethernet_GAT2>0</Ethernet_GAT2><Ethernet_GAT3>0</Ethernet_GAT3>"
                             "<Ethernet_GAT4>1</Ethernet_GAT4><Ethernet_EN_GAT>0</Ethernet_EN_GAT>",
         0x030, {255, 255, 255, 255}},
        {"gateway used", "<Ethernet_GAT1>10</Ethernet_GAT1><Ethernet_GAT2>0</Ethernet_GAT2><Ethernet_GAT3>0</Ethernet_GAT3>"
                         "<Ethernet_GAT4>1</Ethernet_GAT4><Ethernet_EN_GAT>1</Ethernet_EN_GAT>",
         0x030, {10, 0, 0, 1}},
        {"gateway used, octets missing", "<Ethernet_EN_GAT>1</Ethernet_EN_GAT>", 0x030, {192, 168, 0, 1}},
        {"gateway flag with a blank", "<Ethernet_EN_GAT> 1</Ethernet_EN_GAT>", 0x030, {255, 255, 255, 255}},
        {"DNS off", "<Eth_Conn_Primary_DNS1>1</Eth_Conn_Primary_DNS1>", 0x58C, {0, 0, 0, 0}},
        {"DNS on, no octets: primary", "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>", 0x58C, {8, 8, 8, 8}},
        {"DNS on, no octets: secondary", "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>", 0x53C, {8, 8, 4, 4}},
        {"DNS on: primary", "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS><Eth_Conn_Primary_DNS1>1</Eth_Conn_Primary_DNS1>"
                            "<Eth_Conn_Primary_DNS4>4</Eth_Conn_Primary_DNS4>",
         0x58C, {1, 8, 8, 4}},
        {"DNS on: secondary", "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS><Eth_Conn_Secondary_DNS3>9</Eth_Conn_Secondary_DNS3>",
         0x53C, {8, 8, 9, 4}},
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
    EXPECT_EQ(bytesAt(b, 0x514, 32), [] { Bytes v(31, 'A'); v.push_back(0); return v; }());

    b = bank1WithParGen(QStringLiteral("<Eth_Conn_Device_Name>G\u0141w</Eth_Conn_Device_Name>").toUtf8());
    EXPECT_EQ(bytesAt(b, 0x514, 4), (Bytes{'G', 0x41, 'w', 0}));
}

TEST_F(Image, IOLinkRateCodeComesFromTheSettingsFile)
{
    const struct {
        const char* elements;
        std::uint8_t com;
    } cases[] = {{"", 1}, {"<IOLink_Slave_Baudrate> COM3 </IOLink_Slave_Baudrate>", 3},
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
    EXPECT_EQ(bin.Bank1_Image,
              image(2048, {{0x000, {0x90, 0xD0, 0x03, 0x00}}, {0x004, {0x90, 0xD0, 0x03, 0x00}},
                           {0x00C, {0x80, 0x25, 0x00, 0x00}}, {0x028, {192, 168, 0, 10}},
                           {0x02C, {255, 255, 255, 0}}, {0x030, {255, 255, 255, 255}}, {0x034, {0x10, 0x27}},
                           {0x036, {0x11, 0x27}}, {0x038, {0x11, 0x27}}, {0x07C, {2, 0, 0, 0}},
                           {0x088, {4, 0, 0, 0}}, {0x08C, {1, 0, 0, 0}}, {0x0D4, {0x00, 0x10, 0x08, 0x00}},
                           {0x0D8, {0x00, 0x28, 0x08, 0x00}}, {0x0DC, {0x00, 0x00, 0x08, 0x00}},
                           {0x1B4, {8, 8, 8, 8, 8, 8, 8, 8}}, {0x660, {0x00, 0x40, 0x08, 0x00}},
                           {0x66C, {'1', '.', '0', '0', '0'}}, {0x7FC, {0x4B, 0x0E, 0x00, 0x00}}}));

    const QByteArray& b2 = bin.Bank2_Image;
    ASSERT_EQ(b2.size(), 16412 + 20 * 4);
    // Nodes {5, 4, 2, flags 0, 0, 0} and {7, 2, 0, flags 0, 4, 2}; the other 62 and the gap zero.
    EXPECT_EQ(b2.left(0x1000), image(0x1000, {{0, {5, 0, 0, 0, 4, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                                              {16, {7, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 4, 0, 2, 0}}}));
    // Input map: slave 5 bytes 1 and 3 (byte 4 lies beyond NB_IN), slave 7 bytes 0 and 1;
    // slave 9 is no longer in the scan list.
    EXPECT_EQ(b2.mid(0x1000, 6144), image(6144, {{0, {0x01, 0x14, 0x00, 0x00, 0x03, 0x14, 0x0A, 0x00,
                                                      0x00, 0x1C, 0x14, 0x00, 0x01, 0x1C, 0x15, 0x00}}},
                                          char(0xFF)));
    EXPECT_EQ(b2.mid(0x2800, 6144), image(6144, {{0, {0x00, 0x14, 0x04, 0x00}}}, char(0xFF)));
    // IO-Link: COM2, 16 + 16 bits give cycle-time code 0x1E; four enabled variables
    // ("y" counts, " Y" does not), access 2, 1, 3 and 2 for "read only".
    EXPECT_EQ(b2.mid(0x4000), image(28 + 80, {
        {0, {2, 0x1E, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0x1C, 0x40, 0x08, 0x00, 0, 0, 0, 0, 16, 0, 0, 0, 16, 0, 0, 0}},
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
         {0x00, 0x1C, 0x14, 0x00, 0x01, 0x1C, 0x15, 0x00, 0x01, 0x14, 0x00, 0x00, 0x03, 0x14, 0x0A, 0x00}, 1},
        {"first slave deleted", "<DNET_Net><row ID=\"7\" NB_IN=\"2\" NB_OUT=\"0\"/></DNET_Net>",
         {0x00, 0x1C, 0x14, 0x00, 0x01, 0x1C, 0x15, 0x00}, 0},
        {"new slave in front", "<DNET_Net><row ID=\"3\" NB_IN=\"1\" NB_OUT=\"1\"/><row ID=\"7\" NB_IN=\"2\" NB_OUT=\"0\"/></DNET_Net>",
         {0x00, 0x1C, 0x14, 0x00, 0x01, 0x1C, 0x15, 0x00}, 0},
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
    put("DNETM_Net.xml", "<DNET_Net><row ID=\"1\" NB_IN=\"0\" NB_OUT=\"0\" Reset_DeviceNet=\" y \"/>"
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

QByteArray netRows(int count, int nbIn = 0)
{
    QByteArray xml = "<DNET_Net>";
    for (int i = 0; i < count; ++i)
        xml += "<row ID=\"" + QByteArray::number(i % 64) + "\" NB_IN=\"" + QByteArray::number(nbIn) + "\" NB_OUT=\""
               + QByteArray::number(nbIn) + "\"/>";
    return xml + "</DNET_Net>";
}

QByteArray offsetRows(int count, const char* element)
{
    QByteArray xml = "<Define_Offset><Nodo_DNET ID=\"0\">";
    for (const char* e : {"ByteIN", "ByteOUT"}) {
        xml += QByteArray("<") + e + ">";
        if (qstrcmp(e, element) == 0)
            for (int i = 0; i < count; ++i)
                xml += "<row Offset=\"" + QByteArray::number(i % 1440) + "\"/>";
        xml += QByteArray("</") + e + ">";
    }
    return xml + "</Nodo_DNET></Define_Offset>";
}

QByteArray enabledVariables(int count)
{
    QByteArray xml = "<IOLinkSlave><Variables>";
    for (int i = 0; i < count; ++i)
        xml += "<row Enable=\"Y\" Index=\"" + QByteArray::number(60 + i % 1000) + "\"/>";
    return xml + "</Variables></IOLinkSlave>";
}

} // namespace

TEST_F(Image, BoundsAreKeptAtTheLimit)
{
    put("DNETM_Net.xml", netRows(64));
    compile();
    EXPECT_EQ(bin.Num_Nodes, 64);

    for (const char* e : {"ByteIN", "ByteOUT"}) {
        put("DNETM_Net.xml", netRows(1, 2000));
        put("DNETM_DefOff.xml", offsetRows(1536, e));
        compile();
        const int mapStart = qstrcmp(e, "ByteIN") == 0 ? 0x1000 : 0x2800;
        // The last entry: byte 1535 of slave 0, offset 1535 % 1440 = 95.
        EXPECT_EQ(bytesAt(bin.Bank2_Image, mapStart + 1535 * 4, 4), (Bytes{0xFF, 0x05, 95, 0})) << e;
    }

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
        {"1537 input offsets", "DNETM_DefOff.xml", offsetRows(1537, "ByteIN"),
         "More than 1536 DeviceNet input bytes have an offset; the configuration image holds at most 1536. "
         "Nothing was written."},
        {"1537 output offsets", "DNETM_DefOff.xml", offsetRows(1537, "ByteOUT"),
         "More than 1536 DeviceNet output bytes have an offset; the configuration image holds at most 1536. "
         "Nothing was written."},
        {"too many variables", "IOLink_Slave.xml", enabledVariables(kMax_IOLink_Parameters + 1),
         "IOLink_Slave.xml enables 25394 IO-Link variables; the configuration image holds at most 25393. "
         "Nothing was written."},
        {"slave without ID", "DNETM_Net.xml", "<DNET_Net><row ID=\"1\" NB_IN=\"0\" NB_OUT=\"0\"/><row NB_IN=\"1\" NB_OUT=\"1\"/></DNET_Net>",
         "DNETM_Net.xml, row 2: Missing attribute \"ID\""},
        {"count that is no number", "DNETM_Net.xml", "<DNET_Net><row ID=\"1\" NB_IN=\"four\" NB_OUT=\"0\"/></DNET_Net>",
         "DNETM_Net.xml, row 1: 'four' is not a valid integer value"},
        {"node without ByteIN", "DNETM_DefOff.xml", "<Define_Offset><Nodo_DNET ID=\"0\"><ByteOUT/></Nodo_DNET></Define_Offset>",
         "DNETM_DefOff.xml: the offsets of slave 0 have no \"ByteIN\" element."},
        {"byte without Offset", "DNETM_DefOff.xml",
         "<Define_Offset><Nodo_DNET ID=\"0\"><ByteIN><row Offset=\"1\"/><row Mnemonic=\"m\"/></ByteIN><ByteOUT/>"
         "</Nodo_DNET></Define_Offset>",
         "DNETM_DefOff.xml, slave 0, ByteIN byte 1: Missing attribute \"Offset\""},
    };
    for (const auto& c : cases) {
        put("DNETM_Net.xml", netRows(1, 2000));
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

    // The second bank's name is taken by a folder: bank 1 is written, the failure still reported.
    ASSERT_TRUE(QDir().mkpath(binFile("bank2.bin")));
    err = bin.Save_Bin();
    ASSERT_TRUE(err.has_value());
    EXPECT_TRUE(err->startsWith(QStringLiteral("Cannot write ") + binFile("bank2.bin"))) << err->toStdString();
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
