// The GSDML writer: whole files compared byte for byte with files typed from its line
// layout, the settings it takes from the communication file, the save dialog's folder and the
// composed name, the overwrite question, failures shown, and the output checked by xmllint
// and against the structure of real GSDML files.

#include "protocols/ethernet/profinet/UProfinetXML.h"

#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Services.h"
#include "support/FakeDialogs.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <pugixml.hpp>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using ethernet::Create_GSDML_File;
using ethernet::Write_GSDML_File;

class GSDMLWriter : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        project = QDir(tmp.path()).filePath(QStringLiteral("PROJECTS/P"));
        ASSERT_TRUE(QDir().mkpath(project));
        common::State().Project_Dir = project;
        common::Set_Files(common::State());
        services.messages = &messages;
        services.dialogs = &dialogs;
    }

    void writeParGen(const QByteArray& children)
    {
        ASSERT_TRUE(testsupport::writeFile(common::State().File_ParGen,
                                           "<Par_Gen>\r\n" + children + "</Par_Gen>\r\n<!--SW_VERSION = 1.000-->\r\n"));
    }

    QByteArray written(const QString& path) const { return testsupport::readFile(path); }
    static QByteArray golden(const char* name)
    {
        return testsupport::readFile(testsupport::fixturePath(QStringLiteral("profinet/") + QLatin1String(name)));
    }

    QString project;
    testsupport::FakeMessages messages;
    testsupport::FakeDialogs dialogs;
    platform::Services services;
};

TEST_F(GSDMLWriter, TheFileMatchesItsLayoutLineForLine)
{
    writeParGen("\t<PROFINET_NB_IN>100</PROFINET_NB_IN>\r\n\t<PROFINET_NB_OUT>20</PROFINET_NB_OUT>\r\n"
                "\t<PROFINET_NAME_STA>A&amp;B &lt;1&gt;</PROFINET_NAME_STA>\r\n");
    const QString path = QDir(project).filePath(QStringLiteral("out.xml"));
    QString error;
    ASSERT_TRUE(Write_GSDML_File(path, &error)) << error.toStdString();
    EXPECT_EQ(written(path), golden("GSDML_settings.xml"));
}

TEST_F(GSDMLWriter, MissingOrUnusableSettingsTakeTheirDefaults)
{
    const struct {
        const char* what;
        const char* parGen; // nullptr: no file
    } cases[] = {
        {"no communication file", nullptr},
        {"no PROFINET keys", "\t<IP_Address_1>192</IP_Address_1>\r\n"},
        {"a blank station name and lengths that are no numbers",
         "\t<PROFINET_NB_IN>abc</PROFINET_NB_IN>\r\n\t<PROFINET_NB_OUT>20 </PROFINET_NB_OUT>\r\n"
         "\t<PROFINET_NAME_STA>   </PROFINET_NAME_STA>\r\n"},
        {"empty elements",
         "\t<PROFINET_NB_IN/>\r\n\t<PROFINET_NB_OUT></PROFINET_NB_OUT>\r\n\t<PROFINET_NAME_STA/>\r\n"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        QFile::remove(common::State().File_ParGen);
        if (k.parGen)
            writeParGen(k.parGen);
        const QString path = QDir(project).filePath(QStringLiteral("defaults.xml"));
        ASSERT_TRUE(Write_GSDML_File(path));
        EXPECT_EQ(written(path), golden("GSDML_defaults.xml"));
    }
}

TEST_F(GSDMLWriter, TheComposedNameIsWrittenIntoTheChosenFolder)
{
    const QString name = QStringLiteral("GSDML-V2.25-Norvix-_Gateway1-20130109.xml");
    const QString folder = QDir(tmp.path()).filePath(QStringLiteral("export"));
    ASSERT_TRUE(QDir().mkpath(folder));
    // The user typed another name in the dialog: only its folder is used.
    dialogs.answers.push_back(QDir(folder).filePath(QStringLiteral("mine.xml")));
    Create_GSDML_File(nullptr, services, name);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, testsupport::FakeDialogs::Kind::Save);
    EXPECT_EQ(dialogs.shown[0].startDir, QDir(project).filePath(name));
    EXPECT_EQ(dialogs.shown[0].filter, QStringLiteral("PROFINET XML (%1)").arg(name));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(written(QDir(folder).filePath(name)), golden("GSDML_defaults.xml"));
    EXPECT_FALSE(QFile::exists(QDir(folder).filePath(QStringLiteral("mine.xml"))));

    // Cancelling the dialog writes nothing.
    QFile::remove(QDir(folder).filePath(name));
    Create_GSDML_File(nullptr, services, name);
    EXPECT_FALSE(QFile::exists(QDir(folder).filePath(name)));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(GSDMLWriter, AnExistingFileIsReplacedOnlyAfterYes)
{
    const QString name = QStringLiteral("GSDML-V2.25-Norvix--20130109.xml");
    const QString path = QDir(project).filePath(name);
    ASSERT_TRUE(testsupport::writeFile(path, "old"));
    dialogs.answers.push_back(path);
    messages.answers.push_back(platform::MsgResult::No);
    Create_GSDML_File(nullptr, services, name);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("File already exists! Do you want to overwrite the file?"));
    EXPECT_EQ(messages.shown[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(written(path), QByteArray("old"));

    dialogs.answers.push_back(path);
    messages.answers.push_back(platform::MsgResult::Yes);
    Create_GSDML_File(nullptr, services, name);
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(written(path), golden("GSDML_defaults.xml"));
}

TEST_F(GSDMLWriter, FailuresAreShownAndLeaveNothingHalfWritten)
{
    const QString name = QStringLiteral("GSDML-V2.25-Norvix--20130109.xml");
    // A communication file that is not XML: its values are unknown, so nothing is written.
    writeParGen("\t<PROFINET_NB_IN>100</PROFINET_NB_OUT>\r\n");
    const QString path = QDir(project).filePath(name);
    ASSERT_TRUE(testsupport::writeFile(path, "old"));
    dialogs.answers.push_back(path);
    messages.answers.push_back(platform::MsgResult::Yes);
    Create_GSDML_File(nullptr, services, name);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].icon, platform::MsgIcon::Error);
    EXPECT_FALSE(messages.shown[1].text.isEmpty());
    EXPECT_EQ(written(path), QByteArray("old"));

    // A folder that cannot be written.
    QFile::remove(common::State().File_ParGen);
    messages.shown.clear();
    dialogs.answers.push_back(QDir(tmp.path()).filePath(QStringLiteral("no such folder/x.xml")));
    Create_GSDML_File(nullptr, services, name);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Error);
}

// The outputs for the checks against other tools: with and without settings.
class GSDMLOutputs : public GSDMLWriter {
protected:
    std::vector<QString> outputs()
    {
        std::vector<QString> paths;
        const QString plain = QDir(project).filePath(QStringLiteral("plain.xml"));
        EXPECT_TRUE(Write_GSDML_File(plain));
        paths.push_back(plain);
        writeParGen("\t<PROFINET_NB_IN>100</PROFINET_NB_IN>\r\n\t<PROFINET_NB_OUT>20</PROFINET_NB_OUT>\r\n"
                    "\t<PROFINET_NAME_STA>A&amp;B \"quoted\" &lt;1&gt;</PROFINET_NAME_STA>\r\n");
        const QString set = QDir(project).filePath(QStringLiteral("set.xml"));
        EXPECT_TRUE(Write_GSDML_File(set));
        paths.push_back(set);
        return paths;
    }
};

TEST_F(GSDMLOutputs, XmllintAcceptsEveryOutput)
{
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty())
        GTEST_SKIP() << "xmllint is not installed (scripts/install-deps installs it)";
    for (const QString& path : outputs()) {
        QProcess p;
        p.start(xmllint, {QStringLiteral("--noout"), path});
        ASSERT_TRUE(p.waitForFinished());
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        EXPECT_TRUE(p.readAllStandardError().isEmpty());
    }
}

// Paths every GSDML file of a device with one access point and one module holds.
constexpr const char* kSharedPaths[] = {
    "/ISO15745Profile/ProfileHeader",
    "/ISO15745Profile/ProfileBody/DeviceIdentity",
    "/ISO15745Profile/ProfileBody/DeviceFunction/Family",
    "/ISO15745Profile/ProfileBody/ApplicationProcess/DeviceAccessPointList/DeviceAccessPointItem/ModuleInfo",
    "/ISO15745Profile/ProfileBody/ApplicationProcess/DeviceAccessPointList/DeviceAccessPointItem/IOConfigData",
    "/ISO15745Profile/ProfileBody/ApplicationProcess/DeviceAccessPointList/DeviceAccessPointItem/UseableModules/"
    "ModuleItemRef",
    "/ISO15745Profile/ProfileBody/ApplicationProcess/DeviceAccessPointList/DeviceAccessPointItem/"
    "SystemDefinedSubmoduleList/InterfaceSubmoduleItem",
    "/ISO15745Profile/ProfileBody/ApplicationProcess/ModuleList/ModuleItem//IOData",
    "/ISO15745Profile/ProfileBody/ApplicationProcess/ExternalTextList/PrimaryLanguage/Text",
};

// What does not resolve in a GSDML file: TextId references missing from the external text
// list, and *Target references naming no element's ID.
std::vector<std::string> unresolved(const pugi::xml_document& doc)
{
    std::set<std::string> texts;
    for (const pugi::xpath_node& n : doc.select_nodes("//ExternalTextList//Text"))
        texts.insert(n.node().attribute("TextId").value());
    std::set<std::string> ids;
    for (const pugi::xpath_node& n : doc.select_nodes("//*[@ID]"))
        ids.insert(n.node().attribute("ID").value());
    std::vector<std::string> missing;
    for (const pugi::xpath_node& n : doc.select_nodes("//*")) {
        const pugi::xml_node e = n.node();
        const bool isText =
            std::string(e.name()) == "Text" && std::string(e.parent().parent().name()) == "ExternalTextList";
        for (const pugi::xml_attribute a : e.attributes()) {
            const std::string name = a.name();
            if (name == "TextId" && !isText && !texts.count(a.value()))
                missing.push_back(std::string(e.name()) + " TextId " + a.value());
            if (name.size() > 6 && name.ends_with("Target") && !ids.count(a.value()))
                missing.push_back(std::string(e.name()) + " " + name + " " + a.value());
        }
    }
    return missing;
}

TEST_F(GSDMLOutputs, OursSharesTheStructureOfRealFiles)
{
    QV_REQUIRE_SHARED_REFDATA(refdata, "the three GSDML files gsdml/*.xml");
    std::vector<QString> files = outputs();
    const QDir samples(refdata + QStringLiteral("/gsdml"));
    const QStringList names = samples.entryList({QStringLiteral("*.xml")}, QDir::Files);
    ASSERT_EQ(names.size(), 3);
    for (const QString& name : names)
        files.push_back(samples.filePath(name));
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_file(file.toLocal8Bit().constData()));
        EXPECT_STREQ(doc.document_element().attribute("xmlns").value(),
                     "http://www.profibus.com/GSDML/2003/11/DeviceProfile");
        for (const char* path : kSharedPaths)
            EXPECT_TRUE(doc.select_node(path)) << path;
        for (const std::string& m : unresolved(doc))
            ADD_FAILURE() << "unresolved: " << m;
    }
}

} // namespace
