#include "gateway/UProjectFiles.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>

using namespace gateway;
using testsupport::fixturePath;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

class ProjectFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

// The record of IOLink_Slave_written.xml.
TIOLink_Slave_File ioLinkRecord()
{
    TIOLink_Slave_File f;
    f.Variables.push_back(
        {"Y", "100", "Speed", "Read Write", "16", "0,5", "0", "1000", "1500", "4", "0", "2", "0", "Belt speed", "SPD"});
    f.Variables.push_back({"N", "", " spare ", "", "x", "", "", "", "", "", "", "", "", "", ""});
    f.Process_Data_Input.push_back({"Y", "Status", "12", "1", "0", "1000", "0", "0", "Status word", "ST"});
    f.Process_Data_Input.push_back({"N", "Old", "8", "1.5", "-3", "1001", "1", "4", "", ""});
    f.Process_Data_Output.push_back({"Y", "Command", "8", "1", "0", "1000", "0", "0", "Command byte", "CMD"});
    return f;
}

TDNet_Net_File netRecord()
{
    TDNet_Net_File f;
    f.Rows.push_back({"5", "4", "2", "Valve island", std::nullopt, std::nullopt});
    f.Rows.push_back({"7", "2", "0", "", std::nullopt, std::nullopt});
    return f;
}

TDNet_DefOff_File defOffRecord()
{
    TDNet_DefOff_File f;
    TDNet_Offset_Node n5;
    n5.ID = "5";
    n5.ByteIN = {{"None", ""}, {"0", "Inputs 1-8"}};
    n5.ByteOUT = {{"4", "Coils"}};
    TDNet_Offset_Node n7;
    n7.ID = "7";
    f.Nodes = {n5, n7};
    return f;
}

} // namespace

TEST_F(ProjectFiles, WritersGiveTheFilesByteForByteAndReadersGiveTheRecordsBack)
{
    const struct {
        const char* fixture;
        std::function<bool(const QString&)> write;
        std::function<bool(const QString&)> readBackEqual;
    } cases[] = {
        {"gateway/IOLink_Slave_written.xml",
         [](const QString& p) { return Write_IOLink_Slave_File(p, ioLinkRecord()); },
         [](const QString& p) {
             TIOLink_Slave_File f;
             return Read_IOLink_Slave_File(p, f) && f == ioLinkRecord();
         }},
        {"gateway/IOLink_Slave_empty.xml", [](const QString& p) { return Write_IOLink_Slave_File(p, {}); },
         [](const QString& p) {
             TIOLink_Slave_File f;
             return Read_IOLink_Slave_File(p, f) && f == TIOLink_Slave_File{};
         }},
        {"gateway/DNETM_Net_written.xml", [](const QString& p) { return Write_DNETM_Net_File(p, netRecord()); },
         [](const QString& p) {
             TDNet_Net_File f;
             return Read_DNETM_Net_File(p, f) && f == netRecord();
         }},
        {"gateway/DNETM_Net_empty.xml", [](const QString& p) { return Write_DNETM_Net_File(p, {}); },
         [](const QString& p) {
             TDNet_Net_File f;
             return Read_DNETM_Net_File(p, f) && f.Rows.empty();
         }},
        {"gateway/DNETM_DefOff_written.xml",
         [](const QString& p) { return Write_DNETM_DefOff_File(p, defOffRecord()); },
         [](const QString& p) {
             TDNet_DefOff_File f;
             return Read_DNETM_DefOff_File(p, f) && f == defOffRecord();
         }},
        {"gateway/DNETM_DefOff_empty.xml", [](const QString& p) { return Write_DNETM_DefOff_File(p, {}); },
         [](const QString& p) {
             TDNet_DefOff_File f;
             return Read_DNETM_DefOff_File(p, f) && f.Nodes.empty();
         }},
    };
    for (const auto& c : cases) {
        const QString p = path("out.xml");
        ASSERT_TRUE(c.write(p)) << c.fixture;
        EXPECT_EQ(readFile(p), readFile(fixturePath(c.fixture))) << c.fixture;
        EXPECT_TRUE(c.readBackEqual(fixturePath(c.fixture))) << c.fixture;
    }
}

TEST_F(ProjectFiles, NetworkWriterLeavesOutTheResetFlags)
{
    TDNet_Net_File f = netRecord();
    f.Rows[0].Reset_DeviceNet = "Y";
    f.Rows[0].Reset_PROFINET = "Y";
    ASSERT_TRUE(Write_DNETM_Net_File(path("net.xml"), f));
    EXPECT_EQ(readFile(path("net.xml")), readFile(fixturePath("gateway/DNETM_Net_written.xml")));
}

TEST_F(ProjectFiles, MissingFilesReadAsEmptyAndBadXmlIsAnError)
{
    TIOLink_Slave_File io = ioLinkRecord();
    TDNet_Net_File net = netRecord();
    TDNet_DefOff_File off = defOffRecord();
    EXPECT_FALSE(Read_IOLink_Slave_File(path("none.xml"), io));
    EXPECT_FALSE(Read_DNETM_Net_File(path("none.xml"), net));
    EXPECT_FALSE(Read_DNETM_DefOff_File(path("none.xml"), off));
    EXPECT_EQ(io, TIOLink_Slave_File{});
    EXPECT_TRUE(net.Rows.empty());
    EXPECT_TRUE(off.Nodes.empty());

    ASSERT_TRUE(writeFile(path("bad.xml"), "<DNET_Net><row ID=\"1\"></DNET_Net>"));
    EXPECT_THROW(Read_IOLink_Slave_File(path("bad.xml"), io), platform::xml::XmlError);
    EXPECT_THROW(Read_DNETM_Net_File(path("bad.xml"), net), platform::xml::XmlError);
    EXPECT_THROW(Read_DNETM_DefOff_File(path("bad.xml"), off), platform::xml::XmlError);
}

TEST_F(ProjectFiles, RowsAreTheRootsElementsWhateverTheirNamesAndMissingAttributesStayAbsent)
{
    ASSERT_TRUE(writeFile(path("net.xml"),
                          "<?xml version=\"1.0\"?>\n<Other>\n<!-- note -->\n<row ID=\"1\" NB_IN=\"2\" />\n"
                          "<slave ID=\"3\" NB_IN=\"4\" NB_OUT=\"5\" Mnemonic=\"m\" Reset_DeviceNet=\" y\" />\n"
                          "</Other>\n"));
    TDNet_Net_File f;
    ASSERT_TRUE(Read_DNETM_Net_File(path("net.xml"), f));
    ASSERT_EQ(f.Rows.size(), 2u);
    EXPECT_EQ(f.Rows[0].NB_OUT, std::nullopt);
    EXPECT_EQ(f.Rows[1].ID, QStringLiteral("3"));
    EXPECT_EQ(f.Rows[1].Reset_DeviceNet, QStringLiteral(" y"));
    EXPECT_EQ(f.Rows[1].Reset_PROFINET, std::nullopt);

    // The DeviceNet windows read their rows without defaults.
    EXPECT_EQ(Attr_Required(f.Rows[0].ID, "ID"), QStringLiteral("1"));
    try {
        Attr_Required(f.Rows[0].NB_OUT, "NB_OUT");
        ADD_FAILURE() << "no error for a missing attribute";
    } catch (const platform::xml::XmlError& e) {
        EXPECT_STREQ(e.what(), "Missing attribute \"NB_OUT\"");
    }
}

TEST_F(ProjectFiles, IOLinkSectionsAreFoundByNameAndMayBeMissing)
{
    ASSERT_TRUE(writeFile(path("io.xml"),
                          "<IOLinkSlave><Process_Data><Process_Data_Output><row Name=\"o\"/>"
                          "</Process_Data_Output></Process_Data><Variables><x Enable=\"Y\"/><y/></Variables>"
                          "<Variables><row/></Variables></IOLinkSlave>"));
    TIOLink_Slave_File f;
    ASSERT_TRUE(Read_IOLink_Slave_File(path("io.xml"), f));
    ASSERT_EQ(f.Variables.size(), 2u);
    EXPECT_EQ(f.Variables[0].Enable, QStringLiteral("Y"));
    EXPECT_EQ(f.Variables[1].Enable, std::nullopt);
    EXPECT_TRUE(f.Process_Data_Input.empty());
    ASSERT_EQ(f.Process_Data_Output.size(), 1u);
    EXPECT_EQ(f.Process_Data_Output[0].Name, QStringLiteral("o"));
}

TEST_F(ProjectFiles, OffsetNodesRecordMissingByteElements)
{
    ASSERT_TRUE(writeFile(path("off.xml"), "<Define_Offset><Nodo_DNET ID=\"4\"><ByteOUT><row Offset=\"1\"/></ByteOUT>"
                                           "</Nodo_DNET></Define_Offset>"));
    TDNet_DefOff_File f;
    ASSERT_TRUE(Read_DNETM_DefOff_File(path("off.xml"), f));
    ASSERT_EQ(f.Nodes.size(), 1u);
    EXPECT_FALSE(f.Nodes[0].Has_ByteIN);
    EXPECT_TRUE(f.Nodes[0].Has_ByteOUT);
    ASSERT_EQ(f.Nodes[0].ByteOUT.size(), 1u);
    EXPECT_EQ(f.Nodes[0].ByteOUT[0].Offset, QStringLiteral("1"));
    EXPECT_EQ(f.Nodes[0].ByteOUT[0].Mnemonic, std::nullopt);
}

TEST(ProjectFilesEnable, ExactAndTrimmedReadings)
{
    const struct {
        TAttr enable;
        bool exact;
        bool trimmed;
    } cases[] = {
        {"Y", true, true},     {"y", true, true},      {" Y", false, true},
        {" y ", false, true},  {"N", false, false},    {"", false, false},
        {"YES", false, false}, {"\tY\n", false, true}, {std::nullopt, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Is_Enabled_Exact(c.enable), c.exact) << c.enable.value_or("<missing>").toStdString();
        EXPECT_EQ(Is_Enabled_Trimmed(c.enable), c.trimmed) << c.enable.value_or("<missing>").toStdString();
    }
}

TEST(ProjectFilesPairing, SlavesTakeTheirOwnOffsetsByIdOrByPositionInOldFiles)
{
    const auto file = [](std::initializer_list<TAttr> ids) {
        TDNet_DefOff_File f;
        for (const TAttr& id : ids) {
            TDNet_Offset_Node n;
            n.ID = id;
            f.Nodes.push_back(n);
        }
        return f;
    };
    const struct {
        const char* what;
        std::vector<int> slaves;
        TDNet_DefOff_File offsets;
        std::vector<int> expected;
    } cases[] = {
        {"same order", {5, 7}, file({"5", "7"}), {0, 1}},
        {"slaves swapped", {7, 5}, file({"5", "7"}), {1, 0}},
        {"first slave deleted", {7}, file({"5", "7"}), {1}},
        {"slave added in front", {3, 5, 7}, file({"5", "7"}), {-1, 0, 1}},
        {"same ID twice takes its nodes in order", {5, 9, 5}, file({"5", "5"}), {0, -1, 1}},
        {"ID written in hex or with blanks", {16, 4}, file({"$10", " 4"}), {0, 1}},
        {"ID that is no number matches nothing", {5}, file({"five"}), {-1}},
        {"no IDs: by position", {7, 5, 9}, file({std::nullopt, std::nullopt}), {0, 1, -1}},
        {"some IDs missing: by position", {7, 5}, file({"5", std::nullopt}), {0, 1}},
        {"no nodes", {1, 2}, file({}), {-1, -1}},
        {"no slaves", {}, file({"5"}), {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Pair_Offset_Nodes(c.slaves, c.offsets), c.expected) << c.what;
}

TEST(ProjectFilesPairing, OldFileWithoutIdsReadsByPosition)
{
    TDNet_DefOff_File f;
    ASSERT_TRUE(Read_DNETM_DefOff_File(fixturePath("gateway/DNETM_DefOff_no_ids.xml"), f));
    ASSERT_EQ(f.Nodes.size(), 2u);
    EXPECT_EQ(f.Nodes[0].ID, std::nullopt);
    const std::vector<int> ids = {9, 3};
    EXPECT_EQ(Pair_Offset_Nodes(ids, f), (std::vector<int>{0, 1}));
    EXPECT_EQ(f.Nodes[1].ByteIN[0].Offset, QStringLiteral("2"));
}
