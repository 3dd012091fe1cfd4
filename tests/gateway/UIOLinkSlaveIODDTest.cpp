// The IODD description: the golden file of a fixture project, the CRC stamp, number and date
// formats, record bit offsets, escaping of project texts, defaults of a bare project, and a
// check of the names it uses against the IO-Link consortium's own definitions.

#include "gateway/UIOLinkSlaveIODD.h"

#include "common/UComonHelpers.h"
#include "common/ULanguage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <set>
#include <string>

using namespace gateway;

namespace {

const QDate kDay(2026, 3, 7);

QString projectFile(const char* name)
{
    return testsupport::fixturePath(QStringLiteral("iodd/project/") + QLatin1String(name));
}

TIODD_Data fixtureData()
{
    TIODD_Data data;
    QString error;
    EXPECT_TRUE(Read_IOLink_Data(data, projectFile("ParGen.xml"), projectFile("IOLink_Slave.xml"), &error))
        << error.toStdString();
    return data;
}

struct Parsed {
    pugi::xml_document doc;
    pugi::xml_parse_result result;
};

void parse(Parsed& p, const QByteArray& bytes)
{
    p.result =
        p.doc.load_buffer(bytes.constData(), std::size_t(bytes.size()), pugi::parse_default | pugi::parse_declaration);
}

pugi::xml_node at(const pugi::xml_document& doc, const char* xpath)
{
    return doc.select_node(xpath).node();
}

} // namespace

TEST(UIOLinkSlaveIODDTest, FixtureProjectGivesTheGoldenFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.xml");
    QString error;
    ASSERT_TRUE(Write_IODD_File(fixtureData(), path, kDay, &error)) << error.toStdString();
    const QByteArray written = testsupport::readFile(path);
    const QByteArray golden = testsupport::readFile(testsupport::fixturePath("iodd/golden-IODD1.1.xml"));
    ASSERT_FALSE(golden.isEmpty());
    EXPECT_EQ(written, golden);
}

TEST(UIOLinkSlaveIODDTest, ReadingTakesEnabledRowsWithTheirDefaults)
{
    const TIODD_Data d = fixtureData();
    EXPECT_EQ(d.IODD_Bitrate, "COM2");
    ASSERT_EQ(d.IODD_Variables.size(), 3u); // "N" skipped, " y " taken
    EXPECT_EQ(d.IODD_Variables[0].Index, 64);
    EXPECT_EQ(d.IODD_Variables[0].Access, "rw");
    EXPECT_EQ(d.IODD_Variables[0].Offset, -5);
    EXPECT_EQ(d.IODD_Variables[1].Index, 60); // no "Index"
    EXPECT_EQ(d.IODD_Variables[1].Access, "wo");
    EXPECT_EQ(d.IODD_Variables[2].Index, 0x50);
    EXPECT_EQ(d.IODD_Variables[2].Access, ""); // "read only": exact comparison
    EXPECT_EQ(d.IODD_Variables[2].Length, 0);  // "x"
    EXPECT_EQ(d.IODD_Variables[2].DefaultValue, 16);
    ASSERT_EQ(d.IODD_PD_In.size(), 3u);
    EXPECT_EQ(d.IODD_PD_In_Bits, 25);
    ASSERT_EQ(d.IODD_PD_Out.size(), 1u);
    EXPECT_EQ(d.IODD_PD_Out_Bits, 16);
    // COM2, 4 input and 2 output bytes: 137 bit times of 26.04 us, rounded up to 3.6 ms.
    EXPECT_EQ(d.IODD_Min_Cycle_Time, 3600);
}

// Gradients typed with "," or "." read the same under a comma locale and a point locale.
TEST(UIOLinkSlaveIODDTest, GradientsReadUnderEitherSeparator)
{
    const QLocale saved;
    for (const QLocale& locale : {QLocale(QLocale::German, QLocale::Germany), QLocale::c()}) {
        QLocale::setDefault(locale);
        const TIODD_Data d = fixtureData();
        EXPECT_FLOAT_EQ(d.IODD_Variables[0].Gradient, 0.1f) << locale.name().toStdString();
        EXPECT_FLOAT_EQ(d.IODD_PD_In[0].Gradient, 0.5f) << locale.name().toStdString();
        EXPECT_FLOAT_EQ(d.IODD_PD_In[2].Gradient, 0.25f) << locale.name().toStdString();
        EXPECT_EQ(d.IODD_Variables[2].Gradient, 1.0f); // "abc"
    }
    QLocale::setDefault(saved);
}

TEST(UIOLinkSlaveIODDTest, StampIsTheCrcOfTheFileWithAnEmptyStamp)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.xml");
    ASSERT_TRUE(Write_IODD_File(fixtureData(), path, kDay));
    const QByteArray written = testsupport::readFile(path);

    const QRegularExpression stamp(QStringLiteral("<Stamp crc=\"([0-9]+)\">"));
    const QRegularExpressionMatch m = stamp.match(QString::fromUtf8(written));
    ASSERT_TRUE(m.hasMatch());
    QByteArray blanked = written;
    blanked.replace("crc=\"" + m.captured(1).toUtf8() + "\"", "crc=\"\"");
    EXPECT_EQ(QString::number(Calc_CRC32(blanked, blanked.size())), m.captured(1));

    // The check value of this CRC, and the file form of it.
    const QByteArray check = "123456789";
    EXPECT_EQ(Calc_CRC32(check, check.size()), 0xCBF43926u);
    EXPECT_EQ(Calc_CRC32(check, 0), 0u);
    EXPECT_EQ(Calc_CRC32(check, -3), 0u);
    ASSERT_TRUE(testsupport::writeFile(dir.filePath("check.txt"), check));
    EXPECT_EQ(File_CRC32(dir.filePath("check.txt")), 0xCBF43926u);
    EXPECT_EQ(File_CRC32(dir.filePath("missing.txt")), 0u);
}

TEST(UIOLinkSlaveIODDTest, GradientFormats)
{
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {0.5f, "0.5"},
        {1.0f, "1"},
        {0.1f, "0.100000001490116"},
        {0.25f, "0.25"},
        {-2.5f, "-2.5"},
        {0.0f, "0"},
        {3.0f, "3"},
        {1000000.0f, "1000000"},
        {0.001f, "0.00100000004749745"},
        {0.0001220703125f, "0.0001220703125"}, // 2^-13: fixed down to 0.0001
        {0.00006103515625f, "6.103515625E-5"}, // 2^-14: scientific below
        {1e-6f, "9.99999997475243E-7"},
        {123456.789f, "123456.7890625"},
        {16777216.0f, "16777216"},
        {1e14f, "100000000376832"},
        {1e15f, "999999986991104"}, // 15 integer digits: still fixed
        {1e16f, "1.00000002725642E16"},
        {-1e20f, "-1.00000002004088E20"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Gradient_Str(c.value), c.text) << c.value;
}

TEST(UIOLinkSlaveIODDTest, SmallFormatsAndNames)
{
    EXPECT_EQ(Date_Str(QDate(2026, 3, 7)), "20260307");
    EXPECT_EQ(Date_Str_Dash(QDate(2026, 3, 7)), "2026-03-07");
    EXPECT_EQ(Date_Str_Dash(QDate(2031, 12, 31)), "2031-12-31");
    EXPECT_EQ(IODD_Package_Name(QDate(2026, 11, 5)), "Norvix-GX40517-20261105-IODD1.1");
    EXPECT_EQ(Get_Product_Code(), "GX40517");
    EXPECT_EQ(Get_Device_Id(), "517");
    struct Case {
        const char* in;
        const char* out;
    };
    const Case access[] = {{"Read Only", "ro"}, {"Write Only", "wo"}, {"Read Write", "rw"},
                           {"read write", ""},  {" Read Only", ""},   {"", ""}};
    for (const Case& c : access)
        EXPECT_EQ(Access_Rights_Str(c.in), c.out) << c.in;
}

TEST(UIOLinkSlaveIODDTest, RecordsCarryBitOffsetsAndLengths)
{
    Parsed p;
    parse(p, IODD_Document(fixtureData(), kDay, "0"));
    ASSERT_TRUE(p.result) << p.result.description();
    const pugi::xml_node in = at(p.doc, "//ProcessDataIn[@id='PD_IN']");
    ASSERT_TRUE(in);
    EXPECT_STREQ(in.attribute("bitLength").value(), "25");
    EXPECT_STREQ(in.child("Datatype").attribute("bitLength").value(), "25");
    struct Item {
        const char* subindex;
        const char* bitOffset;
        const char* type;
        const char* bitLength;
    };
    const Item expected[] = {{"1", "0", "UIntegerT", "8"}, {"2", "8", "BooleanT", ""}, {"3", "9", "UIntegerT", "16"}};
    std::size_t i = 0;
    for (pugi::xml_node item : in.child("Datatype").children("RecordItem")) {
        ASSERT_LT(i, std::size(expected));
        EXPECT_STREQ(item.attribute("subindex").value(), expected[i].subindex);
        EXPECT_STREQ(item.attribute("bitOffset").value(), expected[i].bitOffset);
        EXPECT_STREQ(item.child("SimpleDatatype").attribute("xsi:type").value(), expected[i].type);
        EXPECT_STREQ(item.child("SimpleDatatype").attribute("bitLength").value(), expected[i].bitLength);
        ++i;
    }
    EXPECT_EQ(i, std::size(expected));
    const pugi::xml_node out = at(p.doc, "//ProcessDataOut[@id='PD_OUT']");
    ASSERT_TRUE(out);
    EXPECT_STREQ(out.attribute("bitLength").value(), "16");
}

TEST(UIOLinkSlaveIODDTest, ProjectTextsAreEscaped)
{
    TIODD_Data data;
    TVariable v;
    v.Name = QStringLiteral("A & B <C> \"D\" 'E'");
    v.Description = QString::fromUtf8("Temp\xc3\xa9rature \xe2\x82\xac\ttab");
    v.Length = 8;
    data.IODD_Variables.push_back(v);
    TProcessData pd;
    pd.Name = QStringLiteral("x\"/><Evil/>");
    pd.Length = 8;
    data.IODD_PD_In.push_back(pd);
    data.IODD_PD_In_Bits = 8;
    data.IODD_Bitrate = QStringLiteral("COM1&"); // not from a real project, but escaped all the same

    const QByteArray bytes = IODD_Document(data, kDay, QString());
    EXPECT_TRUE(bytes.contains("value=\"A &amp; B &lt;C&gt; &quot;D&quot; &apos;E&apos;\""));
    Parsed p;
    parse(p, bytes);
    ASSERT_TRUE(p.result) << p.result.description();
    EXPECT_EQ(QString::fromUtf8(at(p.doc, "//Text[@id='TN_par_0']").attribute("value").value()), v.Name);
    EXPECT_EQ(QString::fromUtf8(at(p.doc, "//Text[@id='TD_par_0']").attribute("value").value()), v.Description);
    EXPECT_EQ(QString::fromUtf8(at(p.doc, "//Text[@id='TN_PDIn_0']").attribute("value").value()), pd.Name);
    EXPECT_STREQ(at(p.doc, "//PhysicalLayer").attribute("bitrate").value(), "COM1&");
    EXPECT_FALSE(at(p.doc, "//Evil"));
    // UTF-8, as declared: the accented letter and the euro sign are their UTF-8 bytes.
    EXPECT_TRUE(bytes.contains("Temp\xc3\xa9rature \xe2\x82\xac"));
}

TEST(UIOLinkSlaveIODDTest, BareProjectGivesDefaults)
{
    QTemporaryDir dir;
    TIODD_Data data;
    ASSERT_TRUE(Read_IOLink_Data(data, dir.filePath("ParGen.xml"), dir.filePath("IOLink_Slave.xml")));
    EXPECT_EQ(data.IODD_Bitrate, "COM1");
    // 61 bit times of 208.33 us: 12.708 ms, rounded up to the 0.4 ms steps: 12.8 ms.
    EXPECT_EQ(data.IODD_Min_Cycle_Time, 12800);

    Parsed p;
    parse(p, IODD_Document(data, kDay, QString()));
    ASSERT_TRUE(p.result) << p.result.description();
    EXPECT_FALSE(at(p.doc, "//Variable"));
    const pugi::xml_node pd = at(p.doc, "//ProcessData[@id='PD']");
    ASSERT_TRUE(pd);
    EXPECT_FALSE(pd.first_child());
    EXPECT_FALSE(at(p.doc, "//Menu[@id='M_Par']").first_child());
    EXPECT_FALSE(at(p.doc, "//Menu[@id='M_Observe']").first_child());
    EXPECT_STREQ(at(p.doc, "//PhysicalLayer").attribute("bitrate").value(), "COM1");
    EXPECT_STREQ(at(p.doc, "//PhysicalLayer").attribute("minCycleTime").value(), "12800");
    EXPECT_STREQ(at(p.doc, "//DocumentInfo").attribute("releaseDate").value(), "2026-03-07");
}

// The rate is taken as written when it is one of the three rates in any case (written
// upper-case, blanks at its ends dropped); anything else is "COM1", the description's allowed
// values being only the three.
TEST(UIOLinkSlaveIODDTest, RateIsOneOfTheThreeIOLinkRates)
{
    struct Case {
        const char* stored;
        const char* bitrate;
    };
    const Case cases[] = {{"COM3", "COM3"}, {" COM2 ", "COM2"}, {"COM4", "COM1"}, {"com2", "COM2"},
                          {"com3", "COM3"}, {"Com1", "COM1"},   {"", "COM1"},     {"COM 2", "COM1"}};
    QTemporaryDir dir;
    for (const Case& c : cases) {
        ASSERT_TRUE(testsupport::writeFile(dir.filePath("ParGen.xml"), QByteArray("<Par_Gen><IOLink_Slave_Baudrate>")
                                                                           + c.stored
                                                                           + "</IOLink_Slave_Baudrate></Par_Gen>"));
        TIODD_Data data;
        ASSERT_TRUE(Read_IOLink_Data(data, dir.filePath("ParGen.xml"), dir.filePath("none.xml")));
        EXPECT_EQ(data.IODD_Bitrate, c.bitrate) << c.stored;
    }
}

// Without "ParGen.xml", or without its rate element, the description names "COM1".
TEST(UIOLinkSlaveIODDTest, RateWithoutSettingsIsCom1)
{
    QTemporaryDir dir;
    TIODD_Data data;
    ASSERT_TRUE(Read_IOLink_Data(data, dir.filePath("ParGen.xml"), dir.filePath("none.xml")));
    EXPECT_EQ(data.IODD_Bitrate, "COM1");
    ASSERT_TRUE(testsupport::writeFile(dir.filePath("ParGen.xml"), "<Par_Gen><Other>COM3</Other></Par_Gen>"));
    ASSERT_TRUE(Read_IOLink_Data(data, dir.filePath("ParGen.xml"), dir.filePath("none.xml")));
    EXPECT_EQ(data.IODD_Bitrate, "COM1");
}

// IO-Link carries at most 32 octets of process data per direction: a description declaring
// more is never written, whichever direction it is.
TEST(UIOLinkSlaveIODDTest, NoDescriptionWithMoreThanThirtyTwoBytesOfProcessData)
{
    common::Load_Default_Texts();
    QTemporaryDir dir;
    const QString path = dir.filePath("out.xml");
    struct Case {
        std::vector<int> in;
        std::vector<int> out;
        const char* error; // nullptr: written
    } cases[] = {
        {{256}, {128, 128}, nullptr},
        {{256, 1},
         {},
         "The enabled Process Data Input exceed the 32 bytes IO-Link carries: correct them in IO-Link Set Access"},
        {{8},
         {200, 57},
         "The enabled Process Data Output exceed the 32 bytes IO-Link carries: correct them in IO-Link Set Access"},
    };
    for (const Case& c : cases) {
        QFile::remove(path);
        TIODD_Data data;
        for (int bits : c.in) {
            data.IODD_PD_In.push_back({QStringLiteral("In"), QString(), bits});
            data.IODD_PD_In_Bits += bits;
        }
        for (int bits : c.out) {
            data.IODD_PD_Out.push_back({QStringLiteral("Out"), QString(), bits});
            data.IODD_PD_Out_Bits += bits;
        }
        QString error;
        const bool written = Write_IODD_File(data, path, kDay, &error);
        if (!c.error) {
            EXPECT_TRUE(written) << error.toStdString();
            Parsed p;
            parse(p, testsupport::readFile(path));
            EXPECT_STREQ(at(p.doc, "//ProcessDataIn").attribute("bitLength").value(), "256");
            continue;
        }
        EXPECT_FALSE(written);
        EXPECT_EQ(error, QString::fromLatin1(c.error));
        EXPECT_FALSE(QFile::exists(path));
    }
}

TEST(UIOLinkSlaveIODDTest, BrokenProjectFileIsAnErrorAndWritesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(testsupport::writeFile(dir.filePath("IOLink_Slave.xml"), "<IOLinkSlave><Variables>"));
    TIODD_Data data;
    QString error;
    EXPECT_FALSE(Read_IOLink_Data(data, dir.filePath("ParGen.xml"), dir.filePath("IOLink_Slave.xml"), &error));
    EXPECT_FALSE(error.isEmpty());

    ASSERT_TRUE(testsupport::writeFile(dir.filePath("ParGen.xml"), "<Par_Gen><IOLink_Slave_Baudrate>"));
    error.clear();
    EXPECT_FALSE(Read_IOLink_Data(data, dir.filePath("ParGen.xml"), dir.filePath("none.xml"), &error));
    EXPECT_FALSE(error.isEmpty());

    // A target that cannot be written is reported.
    error.clear();
    EXPECT_FALSE(Write_IODD_File(TIODD_Data(), dir.filePath("no-folder/out.xml"), kDay, &error));
    EXPECT_FALSE(error.isEmpty());
}

// The standard variables and error types the description refers to exist in the consortium's
// definitions, and every element it writes occurs in real vendor descriptions.
TEST(UIOLinkSlaveIODDTest, NamesMatchTheStandardDefinitionsAndVendorFiles)
{
    QV_REQUIRE_SHARED_REFDATA(ref, "iodd/IODD-StandardDefinitions1.1.xml and iodd/samples/*.xml");
    pugi::xml_document std;
    ASSERT_TRUE(std.load_file(QString(ref + "/iodd/IODD-StandardDefinitions1.1.xml").toLocal8Bit().constData()));
    std::set<std::string> stdIds;
    std::set<std::string> errorTypes;
    for (pugi::xpath_node n : std.select_nodes("//*[@id]"))
        stdIds.insert(n.node().attribute("id").value());
    for (pugi::xpath_node n : std.select_nodes("//ErrorType"))
        errorTypes.insert(std::string(n.node().attribute("code").value()) + "/"
                          + n.node().attribute("additionalCode").value());

    std::set<std::string> vendorElements;
    const QDir samples(ref + "/iodd/samples");
    for (const QString& f : samples.entryList({"*.xml"}, QDir::Files)) {
        pugi::xml_document d;
        ASSERT_TRUE(d.load_file(samples.filePath(f).toLocal8Bit().constData())) << f.toStdString();
        for (pugi::xpath_node n : d.select_nodes("//*"))
            vendorElements.insert(n.node().name());
    }

    Parsed p;
    parse(p, IODD_Document(fixtureData(), kDay, "1"));
    ASSERT_TRUE(p.result);
    for (pugi::xpath_node n : p.doc.select_nodes("//StdVariableRef"))
        EXPECT_TRUE(stdIds.count(n.node().attribute("id").value())) << n.node().attribute("id").value();
    for (pugi::xpath_node n : p.doc.select_nodes("//StdErrorTypeRef")) {
        const std::string key =
            std::string(n.node().attribute("code").value()) + "/" + n.node().attribute("additionalCode").value();
        EXPECT_TRUE(errorTypes.count(key)) << key;
    }
    // None of the sample devices has output process data.
    vendorElements.insert("ProcessDataOut");
    for (pugi::xpath_node n : p.doc.select_nodes("//*"))
        EXPECT_TRUE(vendorElements.count(n.node().name())) << n.node().name();
    EXPECT_STREQ(p.doc.document_element().attribute("xmlns").value(), "http://www.io-link.com/IODD/2010/10");
}
