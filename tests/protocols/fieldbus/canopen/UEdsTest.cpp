// The CANopen EDS writer: whole files compared byte for byte with hand-derived data sheets
// (fixed clock), the name, mapping, date and time rules, the manufacturer objects' order and
// sub-index sections, the failures that leave no file, and the structure every data sheet
// shares with real ones.

#include "protocols/fieldbus/canopen/UEds.h"

#include "common/UComonState.h"
#include "platform/Clock.h"
#include "platform/Services.h"
#include "support/EdsStructure.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <set>

namespace {

using fieldbus::TEds;
using testsupport::readEds;

const QDateTime kWhen(QDate(2024, 3, 7), QTime(13, 7, 42));

class EdsWriter : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        common::State().File_PDO_CANopen = dir().filePath(QStringLiteral("PDO_CANopen.xml"));
        common::State().File_SDO_Server_CANopen = dir().filePath(QStringLiteral("SDO_Server_CANopen.xml"));
        services.messages = &messages;
        services.clock = &clock;
    }

    QDir dir() const { return QDir(tmp.path()); }
    QString out() const { return dir().filePath(QStringLiteral("gateway.eds")); }

    void pdoFile(const QByteArray& receiveRows, const QByteArray& transmitRows = {})
    {
        ASSERT_TRUE(testsupport::writeFile(common::State().File_PDO_CANopen,
                                           "<PDO_CANopen>\n\t<Receive_PDO>" + receiveRows
                                               + "</Receive_PDO>\n\t<Transmit_PDO>" + transmitRows
                                               + "</Transmit_PDO>\n</PDO_CANopen>\n"
                                                 "<!--SW_VERSION = 1.000-->\n"));
    }
    void sdoFile(const QByteArray& readRows, const QByteArray& writeRows = {})
    {
        ASSERT_TRUE(testsupport::writeFile(common::State().File_SDO_Server_CANopen,
                                           "<SDO_Server_CANopen>\n\t<SDO_Read>" + readRows
                                               + "</SDO_Read>\n\t<SDO_Write>" + writeRows
                                               + "</SDO_Write>\n</SDO_Server_CANopen>\n"
                                                 "<!--SW_VERSION = 1.000-->\n"));
    }

    // Writes the data sheet and reads it back; fails the test when the writer reports.
    testsupport::EdsFile write()
    {
        EXPECT_TRUE(fieldbus::Write_EDS_File(out(), services)) << messages.lastText().toStdString();
        return readEds(testsupport::readFile(out()));
    }

    testsupport::FakeMessages messages;
    platform::FixedClock clock{kWhen};
    platform::Services services;
};

QByteArray pdoRow(const char* cobId, const char* dimension)
{
    return QByteArray("<row COB-ID=\"") + cobId + "\" Dimension=\"" + dimension
           + "\" Address_B1=\"0\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" "
             "Address_B7=\"\" Address_B8=\"\" TimeOut=\"0\" Mnemonic=\"\" />";
}

QByteArray sdoRow(const char* index, const char* sub, const char* nByte)
{
    return QByteArray("<row Index=\"") + index + "\" SubIndex=\"" + sub + "\" NByte=\"" + nByte
           + "\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"2\" Address_B4=\"3\" Mnemonic=\"\" />";
}

TEST_F(EdsWriter, DataSheetsMatchTheHandDerivedFiles)
{
    const struct {
        const char* fixture;
        QByteArray receive, transmit; // PDO file rows; both null: no file
        QByteArray read, write;       // SDO server file rows; both null: no file
    } cases[] = {
        {"EDS_no_tables.eds", {}, {}, {}, {}},
        {"EDS_one_receive_PDO.eds", pdoRow("0x201", "2"), "", {}, {}},
        {"EDS_SDO_sub_order.eds",
         {},
         {},
         sdoRow("0x2000", "3", "1") + sdoRow("0x2000", "1", "2"),
         sdoRow("0x2000", "2", "4")},
        {"EDS_SDO_duplicate_pair.eds", {}, {}, sdoRow("0x2000", "1", "2"), sdoRow("0x2000", "0x01", "4")},
        {"EDS_empty_Dimension_hex_subs.eds", "", pdoRow("0x181", ""), sdoRow("0x2000", "10", "1"),
         sdoRow("0x2000", "255", "2")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        QFile::remove(common::State().File_PDO_CANopen);
        QFile::remove(common::State().File_SDO_Server_CANopen);
        if (!c.receive.isNull())
            pdoFile(c.receive, c.transmit);
        if (!c.read.isNull())
            sdoFile(c.read, c.write);
        ASSERT_TRUE(fieldbus::Write_EDS_File(out(), services)) << messages.lastText().toStdString();
        const QByteArray written = testsupport::readFile(out());
        EXPECT_EQ(written, testsupport::readFile(testsupport::fixturePath(QStringLiteral("canopen/") + c.fixture)));
        EXPECT_EQ(testsupport::edsStructureProblems(readEds(written)), QStringList());
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EdsWriter, MappingValuesAndVariableNames)
{
    EXPECT_EQ(fieldbus::EDS_Mapping_Value(0x7000, 1), QStringLiteral("0x70000108")); // receive PDO 1, byte 1
    EXPECT_EQ(fieldbus::EDS_Mapping_Value(0x7051, 3), QStringLiteral("0x70510308")); // transmit PDO 2, byte 3
    EXPECT_EQ(fieldbus::EDS_Mapping_Value(0x701D, 8), QStringLiteral("0x701D0808"));

    const struct {
        int pdo;
        const char* receive;
        const char* transmit;
    } names[] = {{1, "b", "l"},    {7, "h", "r"},    {8, "j", "s"},    {9, "k", "t"},    {10, "i", "u"},
                 {11, "aa", "ca"}, {19, "ai", "ci"}, {20, "al", "cl"}, {21, "am", "cm"}, {30, "av", "cv"}};
    for (const auto& n : names) {
        EXPECT_EQ(fieldbus::RPDO_Var_Names[size_t(n.pdo - 1)], n.receive) << n.pdo;
        EXPECT_EQ(fieldbus::TPDO_Var_Names[size_t(n.pdo - 1)], n.transmit) << n.pdo;
    }
    std::set<std::string_view> all(fieldbus::RPDO_Var_Names.begin(), fieldbus::RPDO_Var_Names.end());
    all.insert(fieldbus::TPDO_Var_Names.begin(), fieldbus::TPDO_Var_Names.end());
    EXPECT_EQ(all.size(), 60u);
    for (const char* skipped : {"aj", "ak", "cj", "ck"})
        EXPECT_EQ(all.count(skipped), 0u) << skipped;
}

TEST_F(EdsWriter, DateAndTimeTexts)
{
    EXPECT_EQ(fieldbus::EDS_Date_Text(QDate(2024, 3, 7)), QStringLiteral("03-07-2024"));
    EXPECT_EQ(fieldbus::EDS_Date_Text(QDate(2025, 12, 31)), QStringLiteral("12-31-2025"));
    const struct {
        int h, m;
        const char* text;
    } times[] = {{0, 5, "00:05AM"},   {0, 30, "00:30AM"},  {9, 5, "09:05AM"},  {11, 59, "11:59AM"}, {12, 0, "12:00AM"},
                 {12, 30, "00:30PM"}, {12, 45, "00:45PM"}, {13, 7, "01:07PM"}, {23, 59, "11:59PM"}};
    for (const auto& t : times)
        EXPECT_EQ(fieldbus::EDS_Time_Text(QTime(t.h, t.m, 59)), QLatin1String(t.text)) << t.h << ":" << t.m;

    // The file takes both from one clock reading.
    clock.set(QDateTime(QDate(2024, 3, 7), QTime(12, 30)));
    const auto eds = write();
    EXPECT_EQ(eds.value("FileInfo", "CreationTime"), QStringLiteral("00:30PM"));
    EXPECT_EQ(eds.value("FileInfo", "ModificationTime"), QStringLiteral("00:30PM"));
    EXPECT_EQ(eds.value("FileInfo", "CreationDate"), QStringLiteral("03-07-2024"));
}

TEST_F(EdsWriter, AnEmptyDimensionWritesEightEntriesAndAnEmptyCobIdZero)
{
    pdoFile("", pdoRow("", "") + pdoRow("0x182", "1"));
    const auto eds = write();
    EXPECT_EQ(eds.value("DeviceInfo", "NrOfRXPDO"), QStringLiteral("0"));
    EXPECT_EQ(eds.value("DeviceInfo", "NrOfTXPDO"), QStringLiteral("2"));
    EXPECT_EQ(eds.value("1800sub1", "DefaultValue"), QStringLiteral("0x00000000"));
    EXPECT_EQ(eds.value("1801sub1", "DefaultValue"), QStringLiteral("0x00000182"));
    EXPECT_EQ(eds.value("1A00", "SubNumber"), QStringLiteral("9"));
    EXPECT_EQ(eds.value("1A00", "ParameterName"), QStringLiteral("Transmit PDO Mapping Parameter 1"));
    EXPECT_EQ(eds.value("1A00sub0", "DefaultValue"), QStringLiteral("0x08"));
    EXPECT_EQ(eds.value("1A00sub8", "DefaultValue"), QStringLiteral("0x70500808"));
    EXPECT_EQ(eds.find("1A00sub9"), nullptr);
    EXPECT_EQ(eds.value("1A01sub1", "DefaultValue"), QStringLiteral("0x70510108"));
    EXPECT_EQ(eds.value("7050", "ParameterName"), QStringLiteral("TPDO1"));
    EXPECT_EQ(eds.value("7050sub0", "AccessType"), QStringLiteral("rw"));
    EXPECT_EQ(eds.value("7050sub8", "ParameterName"), QStringLiteral("l8"));
    EXPECT_EQ(eds.value("7050sub8", "AccessType"), QStringLiteral("rwr"));
    EXPECT_EQ(eds.value("7051sub1", "ParameterName"), QStringLiteral("m1"));
    EXPECT_EQ(eds.value("OptionalObjects", "SupportedObjects"), QStringLiteral("14"));
    EXPECT_EQ(eds.value("OptionalObjects", "9"), QStringLiteral("0x1800"));
    EXPECT_EQ(eds.value("OptionalObjects", "13"), QStringLiteral("0x7050"));
    EXPECT_EQ(testsupport::edsStructureProblems(eds), QStringList());
}

TEST_F(EdsWriter, RowsPastTheThirtiethAreNotRead)
{
    QByteArray rows;
    for (int i = 0; i < 31; ++i)
        rows += pdoRow(QByteArray::number(0x201 + i).constData(), "1");
    pdoFile(rows, rows);
    const auto eds = write();
    EXPECT_EQ(eds.value("DeviceInfo", "NrOfRXPDO"), QStringLiteral("30"));
    EXPECT_EQ(eds.value("DeviceInfo", "NrOfTXPDO"), QStringLiteral("30"));
    EXPECT_EQ(eds.value("OptionalObjects", "SupportedObjects"), QStringLiteral("188"));
    EXPECT_EQ(eds.value("701D", "ParameterName"), QStringLiteral("RPDO30"));
    EXPECT_EQ(eds.value("701Dsub1", "ParameterName"), QStringLiteral("av1"));
    EXPECT_EQ(eds.value("706Dsub1", "ParameterName"), QStringLiteral("cv1"));
    EXPECT_EQ(eds.find("141E"), nullptr);
    EXPECT_EQ(testsupport::edsStructureProblems(eds), QStringList());
}

TEST_F(EdsWriter, ManufacturerObjectsInOrderOfFirstAppearanceWithTheirSubIndexSections)
{
    sdoFile(sdoRow("0x3000", "0", "1") + sdoRow("0x2000", "10", "2") + sdoRow("0x3000", "0xFF", "4"),
            sdoRow("0x2500", "1", "3") + sdoRow("0x2000", "255", "1") + sdoRow("12288", "5", "2"));
    const auto eds = write();
    EXPECT_EQ(eds.value("ManufacturerObjects", "SupportedObjects"), QStringLiteral("3"));
    EXPECT_EQ(eds.value("ManufacturerObjects", "1"), QStringLiteral("0x3000"));
    EXPECT_EQ(eds.value("ManufacturerObjects", "2"), QStringLiteral("0x2000"));
    EXPECT_EQ(eds.value("ManufacturerObjects", "3"), QStringLiteral("0x2500"));
    // Sections named with the sub-index in hexadecimal.
    EXPECT_EQ(eds.value("2000subA", "DataType"), QStringLiteral("0x0006"));
    EXPECT_EQ(eds.value("2000subFF", "AccessType"), QStringLiteral("rw"));
    EXPECT_EQ(eds.value("2000sub0", "DefaultValue"), QStringLiteral("0xFF"));
    // An index with its own sub 0 gets no "Largest Sub-Index supported" entry.
    EXPECT_EQ(eds.value("3000", "SubNumber"), QStringLiteral("3"));
    EXPECT_EQ(eds.value("3000sub0", "ParameterName"), QStringLiteral("Application Variable"));
    EXPECT_EQ(eds.value("3000sub0", "DataType"), QStringLiteral("0x0005"));
    EXPECT_EQ(eds.value("3000sub5", "AccessType"), QStringLiteral("rw"));
    // Any N Byte but 1 and 2 is written as 32 bits.
    EXPECT_EQ(eds.value("2500sub1", "DataType"), QStringLiteral("0x0007"));
    EXPECT_EQ(testsupport::edsStructureProblems(eds), QStringList());

    // Written file order: the objects follow the list, each with its sorted sub-indexes.
    QStringList order;
    for (const auto& s : eds.sections)
        if (s.name.startsWith(QLatin1Char('2')) || s.name.startsWith(QLatin1Char('3')))
            order << s.name;
    EXPECT_EQ(order, (QStringList{"3000", "3000SUB0", "3000SUB5", "3000SUBFF", "2000", "2000SUB0", "2000SUBA",
                                  "2000SUBFF", "2500", "2500SUB0", "2500SUB1"}));
}

TEST_F(EdsWriter, APairOnBothSheetsIsOneObjectThatTheOriginalLayoutWouldRepeat)
{
    sdoFile(sdoRow("0x2000", "1", "2"), sdoRow("0x2000", "1", "4") + sdoRow("0x2000", "1", "1"));
    TEds eds;
    eds.Read_SDO_Server_CANopen();
    ASSERT_EQ(eds.SDO_Index_List.size(), 1u);
    ASSERT_EQ(eds.SDO_Index_List[0].Sub_Indexs.size(), 1u);
    EXPECT_EQ(eds.SDO_Index_List[0].Sub_Indexs[0].Quantity, 2);
    EXPECT_FALSE(eds.SDO_Index_List[0].Sub_Indexs[0].Readonly);
    EXPECT_EQ(testsupport::edsStructureProblems(readEds(eds.Build_EDS_Lines(kWhen).join("\r\n").toLatin1())),
              QStringList());

    // Kept twice, as reading every row into its own sub-entry would, the file repeats a
    // section.
    eds.SDO_Index_List[0].Sub_Indexs.push_back({1, 4, false, {}});
    const QStringList problems =
        testsupport::edsStructureProblems(readEds(eds.Build_EDS_Lines(kWhen).join("\r\n").toLatin1()));
    EXPECT_TRUE(problems.contains(QStringLiteral("section [2000SUB1] is repeated")))
        << problems.join("; ").toStdString();
}

TEST_F(EdsWriter, FindAndStableSortOfSubIndexes)
{
    TEds eds;
    eds.SDO_Index_List = {{0x2000, {{3, 1, true, {}}, {1, 2, true, {}}, {1, 4, false, {}}, {0, 1, true, {}}}},
                          {0x2100, {{7, 1, true, {}}}}};
    EXPECT_EQ(eds.Find_SDO_Index(0x2100), 1);
    EXPECT_EQ(eds.Find_SDO_Index(0x2000), 0);
    EXPECT_EQ(eds.Find_SDO_Index(0x2200), -1);
    eds.Sort_SDO_Sub_Indexs();
    const auto& subs = eds.SDO_Index_List[0].Sub_Indexs;
    ASSERT_EQ(subs.size(), 4u);
    EXPECT_EQ(subs[0].Sub, 0);
    EXPECT_EQ(subs[1].Sub, 1);
    EXPECT_EQ(subs[1].Quantity, 2); // equal sub-indexes keep their order
    EXPECT_EQ(subs[2].Quantity, 4);
    EXPECT_EQ(subs[3].Sub, 3);
}

TEST_F(EdsWriter, FilesThatCannotBeUsedAreReportedAndNothingIsWritten)
{
    const QString pdoPath = common::State().File_PDO_CANopen;
    const QString sdoPath = common::State().File_SDO_Server_CANopen;
    const struct {
        const char* what;
        QByteArray pdo; // null: no file
        QByteArray sdo;
        QString message;
    } cases[] = {
        {"no Transmit_PDO",
         "<PDO_CANopen><Receive_PDO/></PDO_CANopen>",
         {},
         pdoPath + ": Missing element \"Transmit_PDO\""},
        {"no COB-ID",
         "<PDO_CANopen><Receive_PDO><row Dimension=\"1\"/></Receive_PDO><Transmit_PDO/></PDO_CANopen>",
         {},
         pdoPath + ": Missing attribute \"COB-ID\""},
        {"no Dimension",
         "<PDO_CANopen><Receive_PDO/><Transmit_PDO><row COB-ID=\"1\"/></Transmit_PDO></PDO_CANopen>",
         {},
         pdoPath + ": Missing attribute \"Dimension\""},
        {"Dimension 9",
         "<PDO_CANopen><Receive_PDO><row COB-ID=\"1\" Dimension=\"9\"/></Receive_PDO><Transmit_PDO/></PDO_CANopen>",
         {},
         pdoPath + ": row 1 of \"Receive_PDO\" has Dimension 9; a PDO carries 1 to 8 bytes"},
        {"Dimension -1",
         "<PDO_CANopen><Receive_PDO/><Transmit_PDO><row COB-ID=\"1\" Dimension=\"1\"/>"
         "<row COB-ID=\"2\" Dimension=\"-1\"/></Transmit_PDO></PDO_CANopen>",
         {},
         pdoPath + ": row 2 of \"Transmit_PDO\" has Dimension -1; a PDO carries 1 to 8 bytes"},
        {"not XML", "<PDO_CANopen><Receive_PDO>", {}, QString()},
        {"no SDO_Write",
         {},
         "<SDO_Server_CANopen><SDO_Read/></SDO_Server_CANopen>",
         sdoPath + ": Missing element \"SDO_Write\""},
        {"Index no number",
         {},
         "<SDO_Server_CANopen><SDO_Read/><SDO_Write>" + sdoRow("0x2000", "1", "1") + sdoRow("2000h", "1", "1")
             + "</SDO_Write></SDO_Server_CANopen>",
         sdoPath + ": \"Index\" of row 2 of \"SDO_Write\" is no number: \"2000h\""},
        {"SubIndex missing",
         {},
         "<SDO_Server_CANopen><SDO_Read><row Index=\"0x2000\" "
         "NByte=\"1\"/></SDO_Read><SDO_Write/></SDO_Server_CANopen>",
         sdoPath + ": Missing attribute \"SubIndex\""},
        {"NByte empty",
         {},
         "<SDO_Server_CANopen><SDO_Read>" + sdoRow("0x2000", "1", "") + "</SDO_Read><SDO_Write/></SDO_Server_CANopen>",
         sdoPath + ": \"NByte\" of row 1 of \"SDO_Read\" is no number: \"\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(pdoPath);
        QFile::remove(sdoPath);
        if (!c.pdo.isNull()) {
            ASSERT_TRUE(testsupport::writeFile(pdoPath, c.pdo));
        }
        if (!c.sdo.isNull()) {
            ASSERT_TRUE(testsupport::writeFile(sdoPath, c.sdo));
        }
        ASSERT_TRUE(testsupport::writeFile(out(), "old"));
        messages.shown.clear();
        EXPECT_FALSE(fieldbus::Write_EDS_File(out(), services));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Error);
        if (!c.message.isEmpty())
            EXPECT_EQ(messages.shown[0].text, c.message);
        else
            EXPECT_TRUE(messages.shown[0].text.startsWith(pdoPath)) << messages.shown[0].text.toStdString();
        EXPECT_EQ(testsupport::readFile(out()), QByteArray("old"));
    }
}

TEST_F(EdsWriter, AFileThatCannotBeWrittenIsReported)
{
    const QString path = dir().filePath(QStringLiteral("missing/folder/gateway.eds"));
    EXPECT_FALSE(fieldbus::Write_EDS_File(path, services));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(path + QStringLiteral(": "))) << messages.shown[0].text.toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(EdsWriter, RealDataSheetsAndOursShareOneStructure)
{
    QV_REQUIRE_REFDATA(ref);
    for (const char* name : {"DS301_profile.eds", "demoDevice.eds", "datatypes.eds"}) {
        const auto eds = readEds(testsupport::readFile(ref + QStringLiteral("/eds-canopen/") + name));
        ASSERT_FALSE(eds.sections.empty()) << name;
        EXPECT_EQ(testsupport::edsStructureProblems(eds), QStringList()) << name;
        // Every section and key we write is one the real sheets use too.
        for (const char* section : {"FileInfo", "DeviceInfo", "DummyUsage", "Comments", "MandatoryObjects"})
            EXPECT_NE(eds.find(section), nullptr) << name << " " << section;
    }
    const auto real = readEds(testsupport::readFile(ref + QStringLiteral("/eds-canopen/DS301_profile.eds")));

    QByteArray rows;
    for (int i = 0; i < 3; ++i)
        rows += pdoRow(QByteArray::number(0x201 + i).constData(), QByteArray::number(i + 1).constData());
    pdoFile(rows, pdoRow("0x181", "8"));
    sdoFile(sdoRow("0x2000", "1", "1") + sdoRow("0x2000", "0", "2"),
            sdoRow("0x2000", "1", "4") + sdoRow("0x5FFF", "255", "4"));
    const auto ours = write();
    EXPECT_EQ(testsupport::edsStructureProblems(ours), QStringList());
    for (const char* section : {"FileInfo", "DeviceInfo"}) {
        const auto* mine = ours.find(section);
        const auto* theirs = real.find(section);
        ASSERT_TRUE(mine && theirs);
        for (const auto& [key, value] : mine->keys) {
            if (key != QLatin1String("ORDERCODE")) { // optional in CiA 306; the real sheet leaves it out
                EXPECT_TRUE(theirs->keys.count(key)) << section << " " << key.toStdString();
            }
        }
    }
}

} // namespace
