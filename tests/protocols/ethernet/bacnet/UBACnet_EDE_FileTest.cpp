// The EDE writer: golden files from the server tables of a project with a fixed clock (short
// and long names, device instance by BACnet kind, no settings, no tables), fields that would
// break a line, a table it cannot read, and the layout against the published EDE example.

#include "protocols/ethernet/bacnet/UBACnet_EDE_File.h"

#include "common/UComonState.h"
#include "platform/Clock.h"
#include "platform/Services.h"
#include "platform/TextCodec.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using ethernet::Create_EDE_File;

TEST(BACnetEDE, TimeStampHasTwoDigitFieldsAndTheWholeYear)
{
    EXPECT_EQ(ethernet::EDE_Date_Time_Str(QDateTime(QDate(2025, 11, 3), QTime(9, 5, 7))),
              QStringLiteral("09:05:07 03/11/2025"));
    EXPECT_EQ(ethernet::EDE_Date_Time_Str(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59))),
              QStringLiteral("23:59:59 31/12/1999"));
}

TEST(BACnetEDE, ObjectTypeByDataTypeText)
{
    const std::pair<const char*, int> cases[] = {
        {"Analog Input", 0},
        {" analog out ", 1},
        {"Binary Value", 5},
        {"Multi State Output", 14},
        {"Access Door", 30},
        {"DateTime Value", 44},
        {"Integer Value", 45},
        {"Large Analog Value", 46},
        {"Positive Integer Value", 48},
        {"", 0},
        {"Analog Output", 0},
    };
    for (const auto& [text, type] : cases)
        EXPECT_EQ(ethernet::EDE_Object_Type(QLatin1String(text)), type) << text;
}

class EDEWriter : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        project = QDir(tmp.path()).filePath(QStringLiteral("PROJECTS/Plant"));
        ASSERT_TRUE(QDir().mkpath(project));
        common::State().Project_Name = QStringLiteral("Plant");
        common::State().Project_Dir = project;
        common::State().File_ParGen = project + QStringLiteral("/ParGen.xml");
        common::State().File_BACnet_Slave = project + QStringLiteral("/BACnet_Slave.xml");
        services.messages = &messages;
        services.clock = &clock;
        out = project + QStringLiteral("/Plant.csv");
    }

    void copyFixture(const char* name, const QString& to)
    {
        ASSERT_TRUE(testsupport::writeFile(to, fixture(QStringLiteral("project/") + QLatin1String(name))));
    }
    QByteArray fixture(const QString& name) const
    {
        return testsupport::readFile(testsupport::fixturePath(QStringLiteral("bacnet/") + name));
    }
    void writeParGen(const char* body)
    {
        ASSERT_TRUE(
            testsupport::writeFile(common::State().File_ParGen, QByteArray("<Par_Gen>\n") + body + "</Par_Gen>\n"));
    }

    QString project;
    QString out;
    testsupport::FakeMessages messages;
    platform::FixedClock clock{QDateTime(QDate(2025, 11, 3), QTime(9, 5, 7))};
    platform::Services services;
};

TEST_F(EDEWriter, GoldenFiles)
{
    struct Case {
        const char* name;
        const char* parGen; // nullptr: the fixture's; "": no settings file
        bool tables;
        const char* golden;
    } cases[] = {
        // Instances 0, 1 of two Analog Inputs, 0 and 1 of the read and the write Analog Value;
        // a 20-character Mnemonic cut to 16 in the name but whole in the key name; ";", CR
        // and LF written as blanks.
        {"short names", nullptr, true, "EDE_short_names.csv"},
        // The serial kind takes the serial device instance; the limit "1" keeps whole names.
        {"long names",
         "\t<BACnet_Type>1</BACnet_Type>\n\t<BACnet_DEV_IDE>1234</BACnet_DEV_IDE>\n"
         "\t<BACnet_Ser_DEV_IDE>77</BACnet_Ser_DEV_IDE>\n"
         "\t<BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>\n",
         true, "EDE_long_names_serial.csv"},
        {"no settings", "", true, "EDE_no_settings.csv"},
        {"no tables", nullptr, false, "EDE_header_only.csv"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        QFile::remove(common::State().File_ParGen);
        QFile::remove(common::State().File_BACnet_Slave);
        if (!k.parGen)
            copyFixture("ParGen.xml", common::State().File_ParGen);
        else if (*k.parGen)
            writeParGen(k.parGen);
        if (k.tables)
            copyFixture("BACnet_Slave.xml", common::State().File_BACnet_Slave);
        EXPECT_TRUE(Create_EDE_File(out, services));
        EXPECT_EQ(messages.shown.size(), 0u) << messages.lastText().toStdString();
        EXPECT_EQ(testsupport::readFile(out), fixture(QLatin1String(k.golden)));
    }
}

TEST_F(EDEWriter, EachGenerationNumbersFromZeroWithItsOwnSettings)
{
    copyFixture("ParGen.xml", common::State().File_ParGen);
    copyFixture("BACnet_Slave.xml", common::State().File_BACnet_Slave);
    ASSERT_TRUE(Create_EDE_File(out, services));
    ASSERT_TRUE(Create_EDE_File(out, services));
    EXPECT_EQ(testsupport::readFile(out), fixture(QStringLiteral("EDE_short_names.csv")));
}

TEST_F(EDEWriter, ARowWithoutItsMnemonicIsReportedAndTheOldFileKept)
{
    copyFixture("ParGen.xml", common::State().File_ParGen);
    ASSERT_TRUE(testsupport::writeFile(common::State().File_BACnet_Slave,
                                       "<BACnet_to_Modbus><BACnet_in_Read>"
                                       "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" "
                                       "Length=\"4\" Swap=\"N\" Mnemonic=\"a\" />"
                                       "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"4\" Bit=\"\" "
                                       "Length=\"4\" Swap=\"N\" />"
                                       "</BACnet_in_Read><BACnet_in_Write /></BACnet_to_Modbus>"));
    ASSERT_TRUE(testsupport::writeFile(out, "old"));
    EXPECT_FALSE(Create_EDE_File(out, services));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.lastText(), QStringLiteral("BACnet_Slave.xml: Missing attribute \"Mnemonic\""));
    EXPECT_EQ(testsupport::readFile(out), QByteArray("old"));
}

TEST_F(EDEWriter, AFileThatCannotBeWrittenIsReported)
{
    copyFixture("BACnet_Slave.xml", common::State().File_BACnet_Slave);
    EXPECT_FALSE(Create_EDE_File(project + QStringLiteral("/no such folder/Plant.csv"), services));
    EXPECT_EQ(messages.shown.size(), 1u);
}

// The published example has more columns and a later layout, but the same frame: the header
// keys in the same order, "#" comment lines naming the columns, the first six columns and the
// unit code among the ones it names, CR LF line ends.
TEST_F(EDEWriter, LayoutFollowsThePublishedExample)
{
    QV_REQUIRE_REFDATA(ref);
    const QByteArray sample = testsupport::readFile(ref + QStringLiteral("/ede/EDE_2_2_example_EDE.csv"));
    ASSERT_FALSE(sample.isEmpty());
    copyFixture("BACnet_Slave.xml", common::State().File_BACnet_Slave);
    ASSERT_TRUE(Create_EDE_File(out, services));
    const QByteArray ours = testsupport::readFile(out);

    const auto lines = [](const QByteArray& bytes) {
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_EQ(bytes.count("\r\n"), bytes.count("\n"));
        return platform::splitLines(platform::decodeText(bytes));
    };
    const QStringList s = lines(sample);
    const QStringList o = lines(ours);
    const auto firstField = [](const QString& line) { return line.section(QLatin1Char(';'), 0, 0); };
    // The sample opens with a title comment; its header keys follow.
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(firstField(o[k]), firstField(s[k + 1])) << k;
    const QStringList ourColumns = o[6].split(QLatin1Char(';'));
    const QStringList sampleColumns = s[7].split(QLatin1Char(';'));
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(ourColumns[k], sampleColumns[k]) << k;
    EXPECT_TRUE(sampleColumns.contains(ourColumns[6]));
    EXPECT_TRUE(o[5].startsWith(QLatin1Char('#')));
    EXPECT_EQ(o[5].section(QLatin1Char(';'), 1), s[6].section(QLatin1Char(';'), 1, 6) + QStringLiteral(";"));
    // Every object line has seven fields, each closed by ";".
    for (int k = 7; k < o.size(); ++k) {
        EXPECT_EQ(o[k].count(QLatin1Char(';')), 7) << o[k].toStdString();
        EXPECT_TRUE(o[k].endsWith(QLatin1Char(';')));
    }
}

} // namespace
