// The ESI writer: golden files for the layouts the tables give (no variables, one Bool output,
// nine Bool inputs, seventeen outputs over two PDOs, a String input with an escaped name and a
// named, revised and addressed slave), each accepted by the ESI schema; the computed values
// (revision, node address, PDO names, type map, input bytes) as tables; the save dialog with its
// overwrite question and a failed write reported.

#include "protocols/fieldbus/ethercat/UEtherCAT_ESI_File.h"

#include "common/UComonState.h"
#include "platform/Services.h"
#include "support/FakeDialogs.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/Screenshots.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

using namespace fieldbus;

class ESIFile : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        common::State().Project_Dir = tmp.path();
        common::State().File_ParGen = dir().filePath(QStringLiteral("ParGen.xml"));
        common::State().File_EtherCAT_Slave = dir().filePath(QStringLiteral("EtherCAT_Slave.xml"));
        services.messages = &messages;
        services.dialogs = &dialogs;
    }

    QDir dir() const { return QDir(tmp.path()); }

    void writeParGen(const QByteArray& body)
    {
        ASSERT_TRUE(testsupport::writeFile(common::State().File_ParGen, "<Par_Gen>" + body + "</Par_Gen>"));
    }
    // The two sections of the table file, each a list of row elements.
    void writeVariables(const QByteArray& slaveToMaster, const QByteArray& masterToSlave)
    {
        ASSERT_TRUE(testsupport::writeFile(common::State().File_EtherCAT_Slave,
                                           "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>"
                                               + slaveToMaster + "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave>"
                                               + masterToSlave
                                               + "</EtherCAT_Master_To_Slave></EtherCAT_Slave_Variables>"
                                                 "</EtherCAT_Slave>\n<!--SW_VERSION = 1.000-->\n"));
    }

    static QByteArray row(const char* enable, const char* type, const char* length, const QByteArray& name)
    {
        QByteArray r = "<row";
        if (enable)
            r += QByteArray(" Enable=\"") + enable + "\"";
        return r + " Type=\"" + type + "\" Length=\"" + length + "\" Name=\"" + name + "\" />";
    }

    // The line of the written text holding `element`, trimmed.
    static QString lineWith(const QStringList& lines, const QString& element)
    {
        for (const QString& line : lines)
            if (line.contains(element))
                return line.trimmed();
        return QString();
    }

    testsupport::FakeMessages messages;
    testsupport::FakeDialogs dialogs;
    platform::Services services;
};

QByteArray fixture(const QString& name)
{
    return testsupport::readFile(testsupport::fixturePath(QStringLiteral("ethercat/") + name));
}

// What the schema check says of a file, run in the shared reference data as a user would.
QString schemaCheck(const QString& refData, const QString& file)
{
    QProcess xmllint;
    xmllint.setWorkingDirectory(refData);
    xmllint.setProcessChannelMode(QProcess::MergedChannels);
    xmllint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"),
                                              QStringLiteral("esi/EtherCATInfo.xsd"), file});
    if (!xmllint.waitForFinished(60000))
        return QStringLiteral("xmllint did not finish");
    return QString::fromUtf8(xmllint.readAll()).trimmed();
}

struct Golden {
    const char* fixture;
    const char* parGen;                        // nullptr: no ParGen.xml
    std::function<QByteArray()> slaveToMaster; // both null: no table file
    std::function<QByteArray()> masterToSlave;
};

QByteArray rows(int count, const std::function<QByteArray(int)>& make)
{
    QByteArray all;
    for (int i = 0; i < count; ++i)
        all += make(i);
    return all;
}

const QByteArray kBoolOut = "<row Enable=\"Y\" Type=\"Bool\" Length=\"1\" Name=\"Valve\" />";

std::vector<Golden> goldens()
{
    return {
        {"ESI_no_variables.xml", nullptr, nullptr, nullptr},
        {"ESI_one_bool_output.xml", nullptr, [] { return QByteArray(); }, [] { return kBoolOut; }},
        {"ESI_nine_bool_inputs.xml", nullptr,
         [] {
             QByteArray r = rows(4, [](int i) {
                 return "<row Enable=\"Y\" Type=\"Bool\" Length=\"1\" Name=\"In" + QByteArray::number(i + 1) + "\" />";
             });
             r += "<row Enable=\"N\" Type=\"Int32\" Length=\"4\" Name=\"Spare\" />";
             r += "<row Type=\"Int32\" Length=\"4\" Name=\"NoEnable\" />";
             return r + rows(5, [](int i) {
                        return "<row Enable=\"Y\" Type=\"bool\" Length=\"1\" Name=\"In" + QByteArray::number(i + 5)
                               + "\" />";
                    });
         },
         [] { return QByteArray(); }},
        {"ESI_17_outputs.xml", nullptr, [] { return QByteArray(); },
         [] {
             return rows(15,
                         [](int i) {
                             return "<row Enable=\"Y\" Type=\"Int16\" Length=\"2\" Name=\"W" + QByteArray::number(i)
                                    + "\" />";
                         })
                    + "<row Enable=\"Y\" Type=\"Bool\" Length=\"1\" Name=\"B15\" />"
                      "<row Enable=\"Y\" Type=\"Bool\" Length=\"1\" Name=\"B16\" />";
         }},
        {"ESI_string_12.xml",
         "<EtherCAT_Slave_Revision_Number>18</EtherCAT_Slave_Revision_Number>"
         "<EtherCAT_Slave_Name>Gate &amp; Co</EtherCAT_Slave_Name>"
         "<EtherCAT_Slave_Node_Address>0x1234</EtherCAT_Slave_Node_Address>",
         [] {
             return QByteArray(
                 "<row Enable=\"Y\" Type=\"String\" Length=\"12\" Name=\"Serial &lt;no&gt; &amp; id\" />");
         },
         [] { return QByteArray(); }},
    };
}

TEST_F(ESIFile, GoldenFiles)
{
    for (const Golden& g : goldens()) {
        SCOPED_TRACE(g.fixture);
        QFile::remove(common::State().File_ParGen);
        QFile::remove(common::State().File_EtherCAT_Slave);
        if (g.parGen)
            writeParGen(g.parGen);
        if (g.slaveToMaster)
            writeVariables(g.slaveToMaster(), g.masterToSlave());
        const QString out = dir().filePath(QLatin1String(g.fixture));
        QString error;
        ASSERT_TRUE(Build_ESI_File(out, &error)) << error.toStdString();
        EXPECT_EQ(testsupport::readFile(out), fixture(QLatin1String(g.fixture)));
    }
}

TEST_F(ESIFile, EveryGoldenFileAndTheSamplesPassTheSchema)
{
    QV_REQUIRE_SHARED_REFDATA(refData, "esi/EtherCATInfo.xsd (with the esi/*.xsd it includes) and esi/samples/*.xml");
    if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty())
        GTEST_SKIP() << "xmllint not installed (scripts/install-deps installs it)";
    QStringList files;
    for (const Golden& g : goldens())
        files << testsupport::fixturePath(QStringLiteral("ethercat/") + QLatin1String(g.fixture));
    for (const QString& sample : QDir(refData + QStringLiteral("/esi/samples")).entryList({QStringLiteral("*.xml")}))
        files << QStringLiteral("esi/samples/") + sample;
    ASSERT_GT(files.size(), int(goldens().size()));
    for (const QString& file : files)
        EXPECT_EQ(schemaCheck(refData, file), file + QStringLiteral(" validates"));
}

TEST_F(ESIFile, RevisionNodeAddressAndNameFromTheCommunicationSettings)
{
    struct Case {
        QByteArray parGen;
        const char* type;   // the device's Type element
        const char* config; // its ConfigData
    } cases[] = {
        {"<EtherCAT_Slave_Revision_Number>18</EtherCAT_Slave_Revision_Number>",
         R"(<Type ProductCode="#x00000518" RevisionNo="#x12">EtherCAT Slave</Type>)", "800F00CC8813ff00010000800000"},
        {"<EtherCAT_Slave_Revision_Number>300</EtherCAT_Slave_Revision_Number>",
         R"(<Type ProductCode="#x00000518" RevisionNo="#x12C">EtherCAT Slave</Type>)", "800F00CC8813ff00010000800000"},
        {"<EtherCAT_Slave_Revision_Number>5</EtherCAT_Slave_Revision_Number><EtherCAT_Slave_Name>X</"
         "EtherCAT_Slave_Name>",
         R"(<Type ProductCode="#x00000518" RevisionNo="#x05">X</Type>)", "800F00CC8813ff00010000800000"},
        {"<EtherCAT_Slave_Revision_Number>five</EtherCAT_Slave_Revision_Number>"
         "<EtherCAT_Slave_Node_Address>4660</EtherCAT_Slave_Node_Address>",
         R"(<Type ProductCode="#x00000518" RevisionNo="#x00">EtherCAT Slave</Type>)", "800F00CC8813ff00341200800000"},
        {"<EtherCAT_Slave_Node_Address>0x12345</EtherCAT_Slave_Node_Address>",
         R"(<Type ProductCode="#x00000518" RevisionNo="#x00">EtherCAT Slave</Type>)", "800F00CC8813ff00452300800000"},
        {"<EtherCAT_Slave_Node_Address>none</EtherCAT_Slave_Node_Address><EtherCAT_Slave_Name>A&lt;B</"
         "EtherCAT_Slave_Name>",
         R"(<Type ProductCode="#x00000518" RevisionNo="#x00">A&lt;B</Type>)", "800F00CC8813ff00010000800000"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.parGen.toStdString());
        writeParGen(k.parGen);
        const QStringList lines = ESI_Lines(Read_EtherCAT_Slave_Data());
        EXPECT_EQ(lineWith(lines, QStringLiteral("<Type ProductCode")), QLatin1String(k.type));
        EXPECT_EQ(lineWith(lines, QStringLiteral("<ConfigData>")),
                  QStringLiteral("<ConfigData>%1</ConfigData>").arg(QLatin1String(k.config)));
    }
}

TEST_F(ESIFile, TypeMapAndInputBytes)
{
    struct Case {
        const char* type;
        int length;
        const char* dataType;
        int bits;
    } cases[] = {
        {"Bool", 1, "BIT", 1},         {" int8 ", 1, "SINT", 8},    {"Int16", 2, "INT", 16},
        {"INT32", 4, "DINT", 32},      {"UInt8", 1, "USINT", 8},    {"UInt16", 2, "UINT", 16},
        {"UInt32", 4, "UDINT", 32},    {"Float32", 4, "REAL", 32},  {"String", 12, "STRING(12)", 96},
        {"string", 1, "STRING(1)", 8}, {"ByteString", 5, "BIT", 1}, {"", 0, "BIT", 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.type);
        const TESI_Type t = ESI_Data_Type(QLatin1String(k.type), k.length);
        EXPECT_EQ(t.DataType, QLatin1String(k.dataType));
        EXPECT_EQ(t.BitLen, k.bits);
    }

    // Bits take a byte when a run opens and one more every eighth; other types their Length.
    struct Bytes {
        QByteArray rows;
        std::int64_t bytes;
    } totals[] = {
        {rows(9, [](int) { return row("Y", "Bool", "1", "b"); }), 2},
        {rows(8, [](int) { return row("Y", "Bool", "1", "b"); }), 1},
        {row("Y", "Bool", "1", "b") + row("Y", "Int16", "2", "w") + row("Y", "Bool", "1", "b"), 4},
        {row("Y", "String", "12", "s") + row("Y", "ByteString", "7", "b") + row("Y", "", "", "e"), 13},
        {row("N", "Int32", "4", "off") + row(nullptr, "Int32", "4", "none") + row("y", "Int32", "4", "lower"), 0},
    };
    for (const Bytes& k : totals) {
        SCOPED_TRACE(k.rows.toStdString());
        writeVariables(k.rows, {});
        EXPECT_EQ(Read_EtherCAT_Slave_Data().ESI_Bytes_In, k.bytes);
    }
}

TEST_F(ESIFile, PdoNamesHaveThreeDigits)
{
    const struct {
        int number;
        const char* text;
    } cases[] = {{0, "000"}, {7, "007"}, {42, "042"}, {99, "099"}, {123, "123"}, {1000, "1000"}};
    for (const auto& k : cases)
        EXPECT_EQ(Num_Str_3(k.number), QLatin1String(k.text)) << k.number;
}

TEST_F(ESIFile, AVariablesFileWithoutItsSectionsHasNoVariables)
{
    for (const char* xml :
         {"<EtherCAT_Slave />", "<EtherCAT_Slave><EtherCAT_Slave_Variables /></EtherCAT_Slave>", "not xml at all"}) {
        SCOPED_TRACE(xml);
        ASSERT_TRUE(testsupport::writeFile(common::State().File_EtherCAT_Slave, xml));
        const TESI_Data data = Read_EtherCAT_Slave_Data();
        EXPECT_TRUE(data.ESI_Slave_To_Master.empty());
        EXPECT_TRUE(data.ESI_Master_To_Slave.empty());
        const QString out = dir().filePath(QStringLiteral("out.xml"));
        ASSERT_TRUE(Build_ESI_File(out));
        EXPECT_EQ(testsupport::readFile(out), fixture(QStringLiteral("ESI_no_variables.xml")));
    }
}

TEST_F(ESIFile, TheVendorIconIsASixteenByFourteenBitmap)
{
    const QImage icon = QImage::fromData(QByteArray::fromHex(ESI_Vendor_Icon().toLatin1()), "BMP");
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(16, 14));
    EXPECT_EQ(icon.pixelColor(0, 0), QColor(0x1C, 0x2B, 0x5A));   // frame
    EXPECT_EQ(icon.pixelColor(1, 1), QColor(0x2E, 0x6B, 0xC6));   // field
    EXPECT_EQ(icon.pixelColor(3, 2), QColor(0xFF, 0xFF, 0xFF));   // the N's left stem
    EXPECT_EQ(icon.pixelColor(12, 10), QColor(0xFF, 0xFF, 0xFF)); // its right stem
    EXPECT_EQ(icon.pixelColor(8, 12), QColor(0xF0, 0x8C, 0x1E));  // stripe
    EXPECT_TRUE(testsupport::saveScreenshot(icon.scaled(160, 140), QStringLiteral("ESI_vendor_icon.png")));
}

TEST_F(ESIFile, SaveDialogAddsTheExtensionAndAsksBeforeReplacingAFile)
{
    const QString plain = dir().filePath(QStringLiteral("gateway"));
    dialogs.answers = {plain};
    Create_ESI_File(nullptr, services);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, testsupport::FakeDialogs::Kind::Save);
    EXPECT_EQ(dialogs.shown[0].startDir, tmp.path());
    EXPECT_EQ(dialogs.shown[0].filter, QStringLiteral("EtherCAT ESI File (*.xml)"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(testsupport::readFile(plain + QStringLiteral(".xml")), fixture(QStringLiteral("ESI_no_variables.xml")));

    // An existing file: text 1505, and No leaves it as it was.
    const QString existing = dir().filePath(QStringLiteral("old.XML"));
    ASSERT_TRUE(testsupport::writeFile(existing, "old"));
    dialogs.answers = {existing};
    messages.answers = {platform::MsgResult::No};
    Create_ESI_File(nullptr, services);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("File already exists. Do you want to overwrite?"));
    EXPECT_EQ(messages.shown[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(testsupport::readFile(existing), QByteArray("old"));
    dialogs.answers = {existing};
    messages.answers = {platform::MsgResult::Yes};
    Create_ESI_File(nullptr, services);
    EXPECT_EQ(testsupport::readFile(existing), fixture(QStringLiteral("ESI_no_variables.xml")));

    // Cancelled: nothing asked, nothing written.
    messages.shown.clear();
    Create_ESI_File(nullptr, services);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ESIFile, AFileThatCannotBeWrittenIsReported)
{
    dialogs.answers = {dir().filePath(QStringLiteral("missing/folder/esi.xml"))};
    Create_ESI_File(nullptr, services);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Error);
    EXPECT_FALSE(messages.shown[0].text.isEmpty());
}

} // namespace
