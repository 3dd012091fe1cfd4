#include "gateway/UParGenFile.h"

#include "platform/Xml.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <functional>

using namespace gateway;
using testsupport::fixturePath;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// A record with every value away from its default, as in ParGen_written.xml.
TParGen_Data writtenRecord()
{
    TParGen_Data d;
    d.Eth_Conn_Device_Name = QStringLiteral("GW-Line3");
    d.Eth_Conn_DHCP_Cable = true;
    d.Eth_Conn_DHCP_WiFi = false;
    d.Eth_Conn_Enable_DNS = true;
    d.Eth_Conn_Primary_DNS = {"1", "1", "1", "1"};
    d.Eth_Conn_Secondary_DNS = {"9", "9", "9", "9"};
    d.IOLink_Slave_Baudrate = QStringLiteral("COM3");
    d.DNETM_BAUDRATE = 1;
    d.Ethernet_IP = {"10", "0", "0", "020"};
    d.Ethernet_SM = {"255", "255", "0", "0"};
    d.Ethernet_GAT = {"10", "0", "0", "254"};
    d.Ethernet_EN_GAT = true;
    return d;
}

class ParGenFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("ParGen.xml")); }
    TParGen_Data readText(const QByteArray& xml)
    {
        EXPECT_TRUE(writeFile(path(), xml));
        TParGen_Data d;
        EXPECT_TRUE(Read_ParGen_File(path(), d));
        return d;
    }
};

} // namespace

TEST_F(ParGenFile, WritesTheTwentyEightElementsInOrder)
{
    const struct {
        TParGen_Data data;
        const char* fixture;
    } cases[] = {
        {writtenRecord(), "gateway/ParGen_written.xml"},
        {TParGen_Data{}, "gateway/ParGen_defaults.xml"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Write_ParGen_File(path(), c.data));
        EXPECT_EQ(readFile(path()), readFile(fixturePath(c.fixture))) << c.fixture;
    }
}

TEST_F(ParGenFile, RoundTripKeepsEveryValue)
{
    for (const TParGen_Data& d : {writtenRecord(), TParGen_Data{}}) {
        ASSERT_TRUE(Write_ParGen_File(path(), d));
        TParGen_Data back;
        ASSERT_TRUE(Read_ParGen_File(path(), back));
        EXPECT_EQ(back, d);
    }
}

// Texts the window stores as typed come back as typed: blanks only, a CR, characters outside
// Latin-1.
TEST_F(ParGenFile, RoundTripKeepsBlanksAndLineEnds)
{
    TParGen_Data d;
    d.Eth_Conn_Device_Name = QStringLiteral("   ");
    d.Eth_Conn_Primary_DNS = {" ", "8", "\r", "8"};
    d.Ethernet_IP = {QString::fromUtf8("1\u20ac"), "0", " 0 ", "5"};
    ASSERT_TRUE(Write_ParGen_File(path(), d));
    TParGen_Data back;
    ASSERT_TRUE(Read_ParGen_File(path(), back));
    EXPECT_EQ(back, d);
}

TEST_F(ParGenFile, MissingFileGivesEveryDefault)
{
    TParGen_Data d = writtenRecord();
    EXPECT_FALSE(Read_ParGen_File(dir.filePath(QStringLiteral("none.xml")), d));
    EXPECT_EQ(d.Eth_Conn_Device_Name, QString());
    EXPECT_FALSE(d.Eth_Conn_DHCP_Cable);
    EXPECT_FALSE(d.Eth_Conn_DHCP_WiFi);
    EXPECT_FALSE(d.Eth_Conn_Enable_DNS);
    EXPECT_EQ(d.Eth_Conn_Primary_DNS, (std::array<QString, 4>{"8", "8", "8", "8"}));
    EXPECT_EQ(d.Eth_Conn_Secondary_DNS, (std::array<QString, 4>{"8", "8", "4", "4"}));
    EXPECT_EQ(d.IOLink_Slave_Baudrate, QStringLiteral("COM1"));
    EXPECT_EQ(d.DNETM_BAUDRATE, 2);
    EXPECT_EQ(d.Ethernet_IP, (std::array<QString, 4>{"192", "168", "0", "5"}));
    EXPECT_EQ(d.Ethernet_SM, (std::array<QString, 4>{"255", "255", "255", "0"}));
    EXPECT_EQ(d.Ethernet_GAT, (std::array<QString, 4>{"192", "168", "0", "1"}));
    EXPECT_FALSE(d.Ethernet_EN_GAT);
}

// Dropping one element from a file of non-default values gives that element's default and
// leaves every other value as written.
TEST_F(ParGenFile, EachMissingElementGivesItsDefault)
{
    using Field = std::function<void(TParGen_Data&, const TParGen_Data&)>;
    const auto text = [](QString TParGen_Data::*m) -> Field {
        return [m](TParGen_Data& d, const TParGen_Data& def) { d.*m = def.*m; };
    };
    const auto flag = [](bool TParGen_Data::*m) -> Field {
        return [m](TParGen_Data& d, const TParGen_Data& def) { d.*m = def.*m; };
    };
    const auto byte = [](std::array<QString, 4> TParGen_Data::*m, int i) -> Field {
        return [m, i](TParGen_Data& d, const TParGen_Data& def) { (d.*m)[i] = (def.*m)[i]; };
    };
    using D = TParGen_Data;
    const std::pair<const char*, Field> cases[] = {
        {"Eth_Conn_Device_Name", text(&D::Eth_Conn_Device_Name)},
        {"Eth_Conn_DHCP_Cable", flag(&D::Eth_Conn_DHCP_Cable)},
        {"Eth_Conn_DHCP_WiFi", flag(&D::Eth_Conn_DHCP_WiFi)},
        {"Eth_Conn_Enable_DNS", flag(&D::Eth_Conn_Enable_DNS)},
        {"Eth_Conn_Primary_DNS1", byte(&D::Eth_Conn_Primary_DNS, 0)},
        {"Eth_Conn_Primary_DNS2", byte(&D::Eth_Conn_Primary_DNS, 1)},
        {"Eth_Conn_Primary_DNS3", byte(&D::Eth_Conn_Primary_DNS, 2)},
        {"Eth_Conn_Primary_DNS4", byte(&D::Eth_Conn_Primary_DNS, 3)},
        {"Eth_Conn_Secondary_DNS1", byte(&D::Eth_Conn_Secondary_DNS, 0)},
        {"Eth_Conn_Secondary_DNS2", byte(&D::Eth_Conn_Secondary_DNS, 1)},
        {"Eth_Conn_Secondary_DNS3", byte(&D::Eth_Conn_Secondary_DNS, 2)},
        {"Eth_Conn_Secondary_DNS4", byte(&D::Eth_Conn_Secondary_DNS, 3)},
        {"IOLink_Slave_Baudrate", text(&D::IOLink_Slave_Baudrate)},
        {"DNETM_ID_DEV", [](D&, const D&) {}},
        {"DNETM_BAUDRATE", [](D& d, const D& def) { d.DNETM_BAUDRATE = def.DNETM_BAUDRATE; }},
        {"Ethernet_IP1", byte(&D::Ethernet_IP, 0)},
        {"Ethernet_IP2", byte(&D::Ethernet_IP, 1)},
        {"Ethernet_IP3", byte(&D::Ethernet_IP, 2)},
        {"Ethernet_IP4", byte(&D::Ethernet_IP, 3)},
        {"Ethernet_SM1", byte(&D::Ethernet_SM, 0)},
        {"Ethernet_SM2", byte(&D::Ethernet_SM, 1)},
        {"Ethernet_SM3", byte(&D::Ethernet_SM, 2)},
        {"Ethernet_SM4", byte(&D::Ethernet_SM, 3)},
        {"Ethernet_GAT1", byte(&D::Ethernet_GAT, 0)},
        {"Ethernet_GAT2", byte(&D::Ethernet_GAT, 1)},
        {"Ethernet_GAT3", byte(&D::Ethernet_GAT, 2)},
        {"Ethernet_GAT4", byte(&D::Ethernet_GAT, 3)},
        {"Ethernet_EN_GAT", flag(&D::Ethernet_EN_GAT)},
    };
    ASSERT_EQ(std::size(cases), 28u);
    const QList<QByteArray> lines = readFile(fixturePath("gateway/ParGen_written.xml")).split('\n');
    for (const auto& [name, reset] : cases) {
        QByteArray xml;
        const QByteArray open = QByteArray("<") + name + ">";
        for (const QByteArray& line : lines)
            if (!line.contains(open))
                xml += line + '\n';
        TParGen_Data expected = writtenRecord();
        reset(expected, TParGen_Data{});
        EXPECT_EQ(readText(xml), expected) << name;
    }
}

TEST_F(ParGenFile, HandEditedFileReadsByTheValueRules)
{
    ASSERT_TRUE(writeFile(path(), readFile(fixturePath("gateway/ParGen_hand_edited.xml"))));
    TParGen_Data d;
    ASSERT_TRUE(Read_ParGen_File(path(), d));
    TParGen_Data expected;
    expected.Eth_Conn_Device_Name = QStringLiteral("Hall B");
    expected.Eth_Conn_DHCP_Cable = false; // " 1"
    expected.Ethernet_EN_GAT = false;     // "1 "
    expected.IOLink_Slave_Baudrate = QStringLiteral("COM2");
    expected.DNETM_BAUDRATE = 2; // 7 is no item: 500K, never "no selection"
    expected.Ethernet_IP[0] = QStringLiteral("172");
    expected.Ethernet_IP[3] = QStringLiteral(" 07");
    EXPECT_EQ(d, expected);

    // OK afterwards writes only the 28 elements, node number "0" and a real baud item.
    ASSERT_TRUE(Write_ParGen_File(path(), d));
    const QByteArray written = readFile(path());
    EXPECT_FALSE(written.contains("PROFINET_NB_IN"));
    EXPECT_TRUE(written.contains("<DNETM_ID_DEV>0</DNETM_ID_DEV>"));
    EXPECT_TRUE(written.contains("<DNETM_BAUDRATE>2</DNETM_BAUDRATE>"));
}

TEST_F(ParGenFile, RateAndBaudTexts)
{
    const struct {
        const char* rate;
        const char* expectedRate;
    } rates[] = {{"COM1", "COM1"}, {"COM2", "COM2"}, {"COM3", "COM3"}, {"\tCOM3\n", "COM3"},
                 {"COM4", "COM1"}, {"com2", "COM1"}, {"", "COM1"}};
    for (const auto& c : rates) {
        const TParGen_Data d =
            readText(QByteArray("<Par_Gen><IOLink_Slave_Baudrate>") + c.rate + "</IOLink_Slave_Baudrate></Par_Gen>");
        EXPECT_EQ(d.IOLink_Slave_Baudrate, QString::fromLatin1(c.expectedRate)) << c.rate;
    }
    const struct {
        const char* text;
        int item;
    } bauds[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"$1", 1}, {" 0", 0}, {"x", 2},
                 {"", 2},  {"3", 2}, {"7", 2}, {"-1", 2}, {"1 ", 2}};
    for (const auto& c : bauds) {
        const TParGen_Data d =
            readText(QByteArray("<Par_Gen><DNETM_BAUDRATE>") + c.text + "</DNETM_BAUDRATE></Par_Gen>");
        EXPECT_EQ(d.DNETM_BAUDRATE, c.item) << c.text;
    }
}

TEST_F(ParGenFile, OutOfRangeBaudIsNeverWritten)
{
    for (int item : {-1, 3, 99}) {
        TParGen_Data d;
        d.DNETM_BAUDRATE = item;
        ASSERT_TRUE(Write_ParGen_File(path(), d));
        EXPECT_TRUE(readFile(path()).contains("<DNETM_BAUDRATE>2</DNETM_BAUDRATE>")) << item;
    }
}

TEST_F(ParGenFile, FileThatIsNotXmlIsAnError)
{
    ASSERT_TRUE(writeFile(path(), "<Par_Gen><Ethernet_IP1>10</Par_Gen>"));
    TParGen_Data d;
    EXPECT_THROW(Read_ParGen_File(path(), d), platform::xml::XmlError);
}

TEST_F(ParGenFile, SaveIntoMissingFolderFails)
{
    QString error;
    EXPECT_FALSE(Write_ParGen_File(dir.filePath(QStringLiteral("no/such/ParGen.xml")), {}, &error));
    EXPECT_FALSE(error.isEmpty());
}
