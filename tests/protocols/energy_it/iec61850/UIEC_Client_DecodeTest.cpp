// The SCL device reader on a hand-made file (tests/fixtures/iec61850/two_ieds.scd), on small
// files for each failure, and on real samples (the repository's, and the shared reference data's where it lies).

#include "protocols/energy_it/iec61850/UIEC_Client_Decode.h"

#include "platform/TextCodec.h"
#include "platform/Xml.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <set>

using namespace energy_it;

namespace {

QString fixture()
{
    return testsupport::fixturePath(QStringLiteral("iec61850/two_ieds.scd"));
}

QString label(const TIEC_LN& ln)
{
    return ln.fPrefix + ln.flnClass + ln.fInst;
}

const TIEC_LN* lnAt(const TIEC_Device& dev, const QString& ld, const QString& lnLabel)
{
    for (const auto& d : dev.List_LDevice)
        if (d->fName == ld)
            for (const auto& ln : d->List_LN)
                if (label(*ln) == lnLabel)
                    return ln.get();
    return nullptr;
}

// Walks the tree by names, without the reader's finders: data objects while a name matches
// one, then attributes.
const TIEC_DA* daAt(const TIEC_Device& dev, const QString& ld, const QString& lnLabel, const QStringList& names)
{
    const TIEC_LN* ln = lnAt(dev, ld, lnLabel);
    if (!ln)
        return nullptr;
    const std::vector<std::unique_ptr<TIEC_DO>>* dos = &ln->List_DO;
    const std::vector<std::unique_ptr<TIEC_DA>>* das = nullptr;
    const TIEC_DA* da = nullptr;
    for (const QString& name : names) {
        bool found = false;
        if (dos) {
            for (const auto& d : *dos) {
                if (d->fName == name) {
                    dos = &d->List_DO;
                    das = &d->List_DA;
                    found = true;
                    break;
                }
            }
        }
        if (!found && das) {
            dos = nullptr;
            for (const auto& a : *das) {
                if (a->fName == name) {
                    da = a.get();
                    das = &a->List_DA;
                    found = true;
                    break;
                }
            }
        }
        if (!found)
            return nullptr;
    }
    return da;
}

const TIEC_DataSet* dataSet(const TIEC_Device& dev, const QString& reference)
{
    for (const auto& ld : dev.List_LDevice)
        for (const auto& ln : ld->List_LN)
            for (const auto& ds : ln->List_DataSet)
                if (ds->fReference == reference)
                    return ds.get();
    return nullptr;
}

QStringList references(const TIEC_DataSet& ds)
{
    QStringList out;
    for (const TIEC_DA* da : ds.List_DA)
        out << da->fReference;
    return out;
}

void collect(const std::vector<std::unique_ptr<TIEC_DA>>& list, std::set<const TIEC_DA*>& out)
{
    for (const auto& da : list) {
        out.insert(da.get());
        collect(da->List_DA, out);
    }
}

void collect(const std::vector<std::unique_ptr<TIEC_DO>>& list, std::set<const TIEC_DA*>& out)
{
    for (const auto& d : list) {
        collect(d->List_DO, out);
        collect(d->List_DA, out);
    }
}

// Every attribute the device owns.
std::set<const TIEC_DA*> attributesOf(const TIEC_Device& dev)
{
    std::set<const TIEC_DA*> out;
    for (const auto& ld : dev.List_LDevice)
        for (const auto& ln : ld->List_LN)
            collect(ln->List_DO, out);
    return out;
}

QString messageOf(const QString& path, std::size_t maxObjects = TIEC_Device::kMax_Decoded_Objects)
{
    try {
        TIEC_Device dev(path, maxObjects);
    } catch (const platform::xml::XmlError& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

} // namespace

TEST(SclDeviceReader, ReadsTheFirstIedAndItsFirstAccessPoint)
{
    const TIEC_Device dev(fixture());
    EXPECT_EQ(dev.fName, "IED1");
    EXPECT_EQ(dev.fFileName, "two_ieds.scd");
    EXPECT_EQ(dev.TreeNode, nullptr);
    QStringList lds, lns;
    for (const auto& ld : dev.List_LDevice) {
        lds << ld->fName;
        for (const auto& ln : ld->List_LN)
            lns << ld->fName + ":" + label(*ln) + ":" + ln->flnType;
    }
    EXPECT_EQ(lds, QStringList({"LD0", "LD1"}));
    EXPECT_EQ(lns, QStringList({"LD0:LLN0:LLN0_T", "LD0:MMXU1:MMXU_T", "LD0:MMXU2:MMXU_T", "LD0:LoadMMXU1:MMXU_T",
                                "LD0:GGIO9:MISSING_T", "LD0:GGIO8:", "LD1:LLN0:LLN0_T", "LD1:GGIO1:GGIO_T"}));
}

TEST(SclDeviceReader, AttributesCarryReferenceFcAndType)
{
    const TIEC_Device dev(fixture());
    struct Case {
        const char* shows;
        const char* ld;
        const char* ln;
        QStringList path;
        const char* reference;
        const char* fc;
        const char* bType;
        std::size_t subAttributes;
    } cases[] = {
        {"BDA takes its attribute's fc",
         "LD0",
         "MMXU1",
         {"TotW", "mag", "f"},
         "IED1LD0/MMXU1.TotW.mag.f",
         "MX",
         "FLOAT32",
         0},
        {"structure", "LD0", "MMXU1", {"TotW", "mag"}, "IED1LD0/MMXU1.TotW.mag", "MX", "Struct", 2},
        {"a BDA's own fc wins", "LD0", "MMXU2", {"TotW", "mag", "i"}, "IED1LD0/MMXU2.TotW.mag.i", "SV", "INT32", 0},
        {"DA without fc", "LD0", "MMXU1", {"TotW", "d"}, "IED1LD0/MMXU1.TotW.d", "", "VisString255", 0},
        {"prefix, sub data object, nested BDAs",
         "LD0",
         "LoadMMXU1",
         {"PhV", "phsA", "cVal", "ang", "f"},
         "IED1LD0/LoadMMXU1.PhV.phsA.cVal.ang.f",
         "MX",
         "FLOAT32",
         0},
        {"Enum never expanded", "LD0", "LLN0", {"Mod", "stVal"}, "IED1LD0/LLN0.Mod.stVal", "ST", "Enum", 0},
        {"second template of the same id", "LD1", "GGIO1", {"Ind1", "t"}, "IED1LD1/GGIO1.Ind1.t", "ST", "Timestamp", 0},
        {"self-containing DAType expanded once",
         "LD1",
         "GGIO1",
         {"Deep", "v", "inner"},
         "IED1LD1/GGIO1.Deep.v.inner",
         "MX",
         "Struct",
         0},
    };
    for (const Case& c : cases) {
        const TIEC_DA* da = daAt(dev, c.ld, c.ln, c.path);
        ASSERT_NE(da, nullptr) << c.shows;
        EXPECT_EQ(da->fReference, c.reference) << c.shows;
        EXPECT_EQ(da->fName, c.path.last()) << c.shows;
        EXPECT_EQ(da->fFC, c.fc) << c.shows;
        EXPECT_EQ(da->fbType, c.bType) << c.shows;
        EXPECT_EQ(da->List_DA.size(), c.subAttributes) << c.shows;
    }
}

TEST(SclDeviceReader, DataObjectsFollowTheirTemplates)
{
    const TIEC_Device dev(fixture());
    auto names = [](const auto& list) {
        QStringList out;
        for (const auto& item : list)
            out << item->fName;
        return out;
    };
    const TIEC_LN* ggio = lnAt(dev, "LD1", "GGIO1");
    ASSERT_NE(ggio, nullptr);
    EXPECT_EQ(names(ggio->List_DO), QStringList({"Ind1", "Cyc", "Deep", "Untyped"}));
    EXPECT_EQ(names(ggio->List_DO[0]->List_DA), QStringList({"stVal", "q", "t"}));
    // A DOType containing itself: the inner use has no children.
    const TIEC_DO& cyc = *ggio->List_DO[1];
    EXPECT_EQ(names(cyc.List_DA), QStringList({"stVal"}));
    ASSERT_EQ(names(cyc.List_DO), QStringList({"again"}));
    EXPECT_TRUE(cyc.List_DO[0]->List_DO.empty());
    EXPECT_TRUE(cyc.List_DO[0]->List_DA.empty());
    EXPECT_TRUE(ggio->List_DO[3]->List_DA.empty()); // DO without type

    const TIEC_LN* noTemplate = lnAt(dev, "LD0", "GGIO9");
    const TIEC_LN* noType = lnAt(dev, "LD0", "GGIO8");
    ASSERT_TRUE(noTemplate && noType);
    EXPECT_TRUE(noTemplate->List_DO.empty());
    EXPECT_EQ(noTemplate->List_DataSet.size(), 1u);
    EXPECT_TRUE(noType->List_DO.empty());
    EXPECT_TRUE(noType->List_DataSet.empty());
}

TEST(SclDeviceReader, DataSetsResolveTheirMembersIntoTheTree)
{
    const TIEC_Device dev(fixture());
    struct Case {
        const char* reference;
        const char* goose;
        QStringList members;
    } cases[] = {
        {"IED1LD0/LLN0.DS1",
         "gcbB",
         {"IED1LD0/MMXU1.TotW.mag",       // named attribute, a structure
          "IED1LD0/MMXU2.TotW.mag.f",     // its own node, daName found below the first level
          "IED1LD0/LoadMMXU1.TotW.mag.f", // prefix compared; empty daName gives the first leaf
          "IED1LD0/MMXU1.TotW.q",         // no lnInst: the first node of the class
          "IED1LD1/GGIO1.Ind1.stVal"}},   // a logical device decoded after this one
        {"IED1LD0/LLN0.DS2", "", {"IED1LD0/LLN0.Mod.stVal"}},
        {"IED1LD0/GGIO.DSG", "gcbG", {"IED1LD0/MMXU2.TotW.q"}}, // base without prefix and inst
    };
    const std::set<const TIEC_DA*> owned = attributesOf(dev);
    for (const Case& c : cases) {
        const TIEC_DataSet* ds = dataSet(dev, c.reference);
        ASSERT_NE(ds, nullptr) << c.reference;
        EXPECT_EQ(ds->fReference.section('.', -1), ds->fName) << c.reference;
        EXPECT_EQ(ds->fGooseName, c.goose) << c.reference;
        EXPECT_EQ(references(*ds), c.members) << c.reference;
        for (const TIEC_DA* da : ds->List_DA)
            EXPECT_TRUE(owned.count(da)) << c.reference << " member not in the tree";
    }
    EXPECT_EQ(dataSet(dev, "IED1LD0/LLN0.DS1")->List_DA[1], daAt(dev, "LD0", "MMXU2", {"TotW", "mag", "f"}));
}

TEST(SclDeviceReader, FindersFollowTheirRules)
{
    const TIEC_Device dev(fixture());
    const TIEC_LDevice* ld0 = dev.Find_LDevice("LD0");
    ASSERT_NE(ld0, nullptr);
    EXPECT_EQ(dev.Find_LDevice("ld0"), nullptr); // case-sensitive
    EXPECT_EQ(dev.Find_LDevice(""), nullptr);

    EXPECT_EQ(ld0->Find_LN("MMXU"), lnAt(dev, "LD0", "MMXU1"));
    EXPECT_EQ(ld0->Find_LN("XCBR"), nullptr);
    EXPECT_EQ(ld0->Find_LN("Load", "MMXU", "1"), lnAt(dev, "LD0", "LoadMMXU1"));
    EXPECT_EQ(ld0->Find_LN("", "MMXU", "2"), lnAt(dev, "LD0", "MMXU2"));
    EXPECT_EQ(ld0->Find_LN("", "MMXU", "7"), lnAt(dev, "LD0", "MMXU1"));
    EXPECT_EQ(ld0->Find_LN("", "XCBR", "1"), nullptr);

    const TIEC_LN* mmxu = ld0->Find_LN("MMXU");
    const TIEC_DO* phv = mmxu->Find_DO("PhV");
    ASSERT_NE(phv, nullptr);
    const TIEC_DO* phsA = mmxu->Find_DO("phsA"); // depth first into sub data objects
    ASSERT_NE(phsA, nullptr);
    EXPECT_EQ(phsA, phv->Find_DO("phsA"));
    EXPECT_EQ(mmxu->Find_DO("PhV.phsA"), nullptr);
    EXPECT_EQ(phv->Find_DA("cVal"), nullptr); // own attributes only, not the sub objects'
    EXPECT_EQ(phv->Find_First_DA(), nullptr);
    EXPECT_EQ(phsA->Find_First_DA()->fReference, "IED1LD0/MMXU1.PhV.phsA.cVal.mag.f");

    const TIEC_DO* totw = mmxu->Find_DO("TotW");
    EXPECT_EQ(totw->Find_DA("f")->fReference, "IED1LD0/MMXU1.TotW.mag.f");
    EXPECT_EQ(totw->Find_DA("mag.f"), nullptr);
    const TIEC_DA* mag = totw->Find_DA("mag");
    EXPECT_EQ(mag->Find_DA("i")->fReference, "IED1LD0/MMXU1.TotW.mag.i");
    EXPECT_EQ(mag->Find_First_DA()->fName, "f");
    EXPECT_EQ(mag->Find_DA("mag"), nullptr); // only below itself
    EXPECT_EQ(mag->Find_First_DA()->Find_First_DA(), nullptr);
}

TEST(SclDeviceReader, FilesWithoutPartsGiveEmptyOrNamedDevices)
{
    QTemporaryDir tmp;
    struct Case {
        const char* shows;
        const char* content; // nullptr: no file
        const char* name;
        std::size_t logicalDevices;
    } cases[] = {
        {"missing file", nullptr, "", 0},
        {"no SCL", "<Other><IED name='X'/><DataTypeTemplates/></Other>", "", 0},
        {"no IED", "<SCL><DataTypeTemplates/></SCL>", "", 0},
        {"no DataTypeTemplates",
         "<SCL><IED name='X'><AccessPoint><Server><LDevice inst='L'/></Server></AccessPoint></IED></SCL>", "", 0},
        {"IED below the root only", "<SCL><Private><IED name='X'/></Private><DataTypeTemplates/></SCL>", "", 0},
        {"no AccessPoint", "<SCL><IED name='X'/><DataTypeTemplates/></SCL>", "X", 0},
        {"no Server", "<SCL><IED name='X'><AccessPoint name='A'/></IED><DataTypeTemplates/></SCL>", "X", 0},
        {"server on the second access point only",
         "<SCL><IED name='X'><AccessPoint/><AccessPoint><Server><LDevice inst='L'/></Server></AccessPoint></IED>"
         "<DataTypeTemplates/></SCL>",
         "X", 0},
        {"no IED name",
         "<SCL><IED><AccessPoint><Server><LDevice inst='L'/></Server></AccessPoint></IED>"
         "<DataTypeTemplates/></SCL>",
         "", 1},
        {"prefixed names",
         "<s:SCL xmlns:s='http://www.iec.ch/61850/2003/SCL'><s:IED name='X'><s:AccessPoint>"
         "<s:Server><s:LDevice inst='L'/></s:Server></s:AccessPoint></s:IED>"
         "<s:DataTypeTemplates/></s:SCL>",
         "X", 1},
    };
    for (const Case& c : cases) {
        const QString path = tmp.filePath(QStringLiteral("device.icd"));
        QFile::remove(path);
        if (c.content) {
            ASSERT_TRUE(testsupport::writeFile(path, c.content));
        }
        const TIEC_Device dev(path);
        EXPECT_EQ(dev.fName, c.name) << c.shows;
        EXPECT_EQ(dev.fFileName, "device.icd") << c.shows;
        EXPECT_EQ(dev.List_LDevice.size(), c.logicalDevices) << c.shows;
    }
}

TEST(SclDeviceReader, EncodingComesFromTheMarkOrTheDeclaration)
{
    QTemporaryDir tmp;
    const QString body = QString::fromUtf8("<SCL><IED name=\"Pr\u00fcf\u20ac\"><AccessPoint><Server>"
                                           "<LDevice inst=\"L\u00e4\"/></Server></AccessPoint></IED>"
                                           "<DataTypeTemplates/></SCL>");
    struct Case {
        const char* shows;
        QByteArray bytes;
        const char* name;
    } cases[] = {
        {"UTF-16 with a mark", QByteArray("\xFF\xFE", 2) + QStringEncoder(QStringConverter::Utf16LE).encode(body),
         "Pr\u00fcf\u20ac"},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + body.toUtf8(), "Pr\u00fcf\u20ac"},
        {"declared ISO-8859-1",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + QString(body).replace(QChar(0x20ac), 'E').toLatin1(),
         "Pr\u00fcfE"},
        // Saved by an editor in the ANSI code page, without a word about it.
        {"Windows-1252 without a declaration", platform::toAnsi(body), "Pr\u00fcf\u20ac"},
        {"Windows-1252 declared as UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + platform::toAnsi(body),
         "Pr\u00fcf\u20ac"},
        {"UTF-8 without a mark", body.toUtf8(), "Pr\u00fcf\u20ac"},
    };
    for (const Case& c : cases) {
        const QString path = tmp.filePath(QStringLiteral("enc.cid"));
        ASSERT_TRUE(testsupport::writeFile(path, c.bytes));
        const TIEC_Device dev(path);
        EXPECT_EQ(dev.fName, QString::fromUtf8(c.name)) << c.shows;
        ASSERT_EQ(dev.List_LDevice.size(), 1u) << c.shows;
        EXPECT_EQ(dev.List_LDevice[0]->fName, QString::fromUtf8("L\u00e4")) << c.shows;
    }
}

TEST(SclDeviceReader, BrokenXmlThrowsWithFilePlaceAndReason)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("broken.scd"));
    ASSERT_TRUE(testsupport::writeFile(path, "<SCL>\n  <IED name=\"X\">\n</SCL>\n"));
    EXPECT_EQ(messageOf(path), path + ": Start-end tags mismatch at line 3, column 3");

    const QByteArray good = testsupport::readFile(fixture());
    ASSERT_FALSE(good.isEmpty());
    for (int cut : {1, 200, int(good.size() / 2), int(good.size()) - 3}) {
        ASSERT_TRUE(testsupport::writeFile(path, good.left(cut)));
        const QString message = messageOf(path);
        EXPECT_TRUE(message.startsWith(path + ": ")) << cut << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(" at line ")) << cut << ": " << message.toStdString();
    }
}

TEST(SclDeviceReader, TypesThatMultiplyStopAtTheLimit)
{
    // Ten structure types, each with ten members of the next: 10^10 attributes if expanded.
    QByteArray types;
    for (int t = 0; t < 10; ++t) {
        types += "<DAType id=\"T" + QByteArray::number(t) + "\">";
        for (int m = 0; m < 10; ++m)
            types += "<BDA name=\"m" + QByteArray::number(m) + "\" bType=\"Struct\" type=\"T"
                     + QByteArray::number(t + 1) + "\"/>";
        types += "</DAType>";
    }
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("many.icd"));
    ASSERT_TRUE(testsupport::writeFile(
        path, "<SCL><IED name='X'><AccessPoint><Server><LDevice inst='L'><LN0 lnClass='LLN0' lnType='N'/>"
              "</LDevice></Server></AccessPoint></IED><DataTypeTemplates><LNodeType id='N'><DO name='D' type='D'/>"
              "</LNodeType><DOType id='D'><DA name='a' bType='Struct' type='T0' fc='MX'/></DOType>"
                  + types + "</DataTypeTemplates></SCL>"));
    EXPECT_EQ(messageOf(path, 5000), path + ": the data types expand to more than 5000 data objects and attributes");

    // The fixture needs 96 objects: a limit of 96 passes, 95 does not.
    EXPECT_TRUE(messageOf(fixture(), 96).isEmpty());
    EXPECT_FALSE(messageOf(fixture(), 95).isEmpty());
}

TEST(SclDeviceReader, NestingStopsBeforeItCanExhaustTheStack)
{
    // A chain of 1000 distinct structure types, each holding the next.
    QByteArray types;
    for (int t = 0; t < 1000; ++t)
        types += "<DAType id=\"T" + QByteArray::number(t) + "\"><BDA name=\"b\" bType=\"Struct\" type=\"T"
                 + QByteArray::number(t + 1) + "\"/></DAType>";
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("deep.icd"));
    ASSERT_TRUE(testsupport::writeFile(
        path, "<SCL><IED name='X'><AccessPoint><Server><LDevice inst='L'><LN0 lnClass='LLN0' lnType='N'/>"
              "</LDevice></Server></AccessPoint></IED><DataTypeTemplates><LNodeType id='N'><DO name='D' type='D'/>"
              "</LNodeType><DOType id='D'><DA name='a' bType='Struct' type='T0' fc='MX'/></DOType>"
                  + types + "</DataTypeTemplates></SCL>"));
    const TIEC_Device dev(path);
    const TIEC_DA* da = dev.List_LDevice.at(0)->List_LN.at(0)->List_DO.at(0)->List_DA.at(0).get();
    int levels = 1;
    while (!da->List_DA.empty()) {
        da = da->List_DA.front().get();
        ++levels;
    }
    EXPECT_EQ(levels, 65); // "a" and 64 expansions below it; the last is a leaf
    EXPECT_EQ(da->fbType, "Struct");
}

// ---- the real samples, read where they lie ----

TEST(SclDeviceReaderSamples, FactsOfTheSamples)
{
    QV_REQUIRE_REFDATA(ref);
    const QString dir = ref + QStringLiteral("/scl/samples/");

    const TIEC_Device valid(dir + "valid2007B.scd");
    EXPECT_EQ(valid.fName, "IED1");
    QStringList lds;
    std::size_t lns = 0;
    for (const auto& ld : valid.List_LDevice) {
        lds << ld->fName;
        lns += ld->List_LN.size();
    }
    EXPECT_EQ(lds, QStringList({"CircuitBreaker_CB1", "Disconnectors"}));
    EXPECT_EQ(lns, 14u);

    const TIEC_Device b4(dir + "valid2007B4.scd");
    const TIEC_DataSet* gooseSet = dataSet(b4, "IED1CircuitBreaker_CB1/LLN0.GooseDataSet1");
    ASSERT_NE(gooseSet, nullptr);
    EXPECT_EQ(gooseSet->fGooseName, "GCB");
    EXPECT_EQ(gooseSet->List_DA.size(), 5u);
}

TEST(SclDeviceReaderSamples, FactsOfTheStackSamples)
{
    QV_REQUIRE_SHARED_REFDATA(
        ref, "scl/samples/simpleIO_direct_control_goose.scd and scl/samples/simpleIO_direct_control.cid");
    const QString dir = ref + QStringLiteral("/scl/samples/");

    const TIEC_Device goose(dir + "simpleIO_direct_control_goose.scd");
    const TIEC_DataSet* analog = dataSet(goose, "simpleIOGenericIO/LLN0.AnalogValues");
    ASSERT_NE(analog, nullptr);
    EXPECT_EQ(analog->fGooseName, "gcbAnalogValues");
    ASSERT_FALSE(analog->List_DA.empty());
    EXPECT_EQ(analog->List_DA[0]->fReference, "simpleIOGenericIO/GGIO1.AnIn1.mag.f");

    const TIEC_Device cid(dir + "simpleIO_direct_control.cid");
    const TIEC_DataSet* measurements = dataSet(cid, "simpleIOGenericIO/LLN0.Measurements");
    ASSERT_NE(measurements, nullptr);
    ASSERT_EQ(measurements->List_DA.size(), 4u);
    for (const TIEC_DA* da : measurements->List_DA)
        EXPECT_EQ(da->fName, "q") << da->fReference.toStdString();
}

TEST(SclDeviceReaderSamples, EverySampleReadsAndItsMembersLieInItsTree)
{
    // Two open samples in the repository, five more in the shared reference data when present.
    const QStringList samples = testsupport::refDataFiles(QStringLiteral("scl/samples"));
    ASSERT_EQ(samples.size(), testsupport::sharedRefData().isEmpty() ? 2 : 7);
    for (const QString& path : samples) {
        const QString name = QFileInfo(path).fileName();
        const TIEC_Device dev(path);
        EXPECT_FALSE(dev.fName.isEmpty()) << name.toStdString();
        EXPECT_FALSE(dev.List_LDevice.empty()) << name.toStdString();
        const std::set<const TIEC_DA*> owned = attributesOf(dev);
        EXPECT_FALSE(owned.empty()) << name.toStdString();
        for (const auto& ld : dev.List_LDevice)
            for (const auto& ln : ld->List_LN)
                for (const auto& ds : ln->List_DataSet)
                    for (const TIEC_DA* da : ds->List_DA)
                        EXPECT_TRUE(owned.count(da)) << name.toStdString();
    }
}

TEST(SclDeviceReaderSamples, TruncatedAndGarbageCopiesThrow)
{
    QTemporaryDir tmp;
    const QString copy = tmp.filePath(QStringLiteral("copy.scd"));
    const QStringList samples = testsupport::refDataFiles(QStringLiteral("scl/samples"));
    ASSERT_FALSE(samples.isEmpty());
    quint32 seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (const QString& path : samples) {
        const QString name = QFileInfo(path).fileName();
        const QByteArray bytes = testsupport::readFile(path);
        ASSERT_GT(bytes.size(), 1000) << name.toStdString();
        std::vector<QByteArray> broken;
        for (int part = 1; part < 8; ++part)
            broken.push_back(bytes.left(bytes.size() * part / 8));
        // Noise over a stretch in the middle, a stray "<" at its start so that it is never
        // taken for plain text.
        QByteArray noisy = bytes;
        const qsizetype at = bytes.size() / 3;
        noisy[at] = '<';
        for (qsizetype i = at + 1; i < at + 64; ++i)
            noisy[i] = char(next() >> 24);
        broken.push_back(noisy);
        QByteArray noise(4096, '\0');
        for (char& c : noise)
            c = char(next() >> 24);
        broken.push_back(noise);
        for (const QByteArray& b : broken) {
            ASSERT_TRUE(testsupport::writeFile(copy, b));
            EXPECT_TRUE(messageOf(copy).startsWith(copy + ": ")) << name.toStdString() << " " << b.size();
        }
    }
}
