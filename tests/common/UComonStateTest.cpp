#include "common/UComonState.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace common;

namespace {

class SettingsFile : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        state.Exe_Dir = tmp.path();
        Make_Workspace_Dirs(state);
    }

    void writeSettings(const QByteArray& xml) { ASSERT_TRUE(testsupport::writeFile(Settings_File_Path(state), xml)); }

    QTemporaryDir tmp;
    TProgramState state;
};

} // namespace

TEST_F(SettingsFile, WorkspaceFoldersAreCreatedBesideTheProgram)
{
    for (const char* name : {"MASTER", "PROJECTS", "LANGUAGE", "IODD"})
        EXPECT_TRUE(QDir(tmp.filePath(name)).exists()) << name;
    EXPECT_EQ(state.Projects_Dir, tmp.filePath("PROJECTS"));
    EXPECT_EQ(state.IODD_Dir, tmp.filePath("IODD"));
}

TEST_F(SettingsFile, MissingFileGivesEveryDefault)
{
    state.Project_Name = "old";
    state.Enable_Update = true;
    Read_Setting(state);
    EXPECT_EQ(state.Project_Name, "");
    EXPECT_EQ(state.Project_Dir, "");
    EXPECT_EQ(state.Last_IP_Address, "192.168.2.205");
    EXPECT_EQ(state.Language_Name, "English");
    EXPECT_FALSE(state.Enable_Internet);
    EXPECT_FALSE(state.Enable_Update);
    EXPECT_FALSE(state.Enable_Jump_Field_Tables);
    EXPECT_FALSE(state.Double_Click_Auto_Size);
    EXPECT_TRUE(state.Read_Back);
}

TEST_F(SettingsFile, RoundTripKeepsEveryValue)
{
    ASSERT_TRUE(QDir(state.Projects_Dir).mkdir("Plant A"));
    state.Project_Name = "Plant A";
    state.Last_IP_Address = "10.0.0.7";
    state.Language_Name = "Italiano";
    state.Enable_Internet = true;
    state.Enable_Update = false;
    state.Enable_Jump_Field_Tables = true;
    state.Double_Click_Auto_Size = true;
    ASSERT_TRUE(Save_Setting(state));

    TProgramState read;
    read.Exe_Dir = state.Exe_Dir;
    Make_Workspace_Dirs(read);
    Read_Setting(read);
    EXPECT_EQ(read.Project_Name, "Plant A");
    EXPECT_EQ(read.Project_Dir, QDir(state.Projects_Dir).filePath("Plant A"));
    EXPECT_EQ(read.Last_IP_Address, "10.0.0.7");
    EXPECT_EQ(read.Language_Name, "Italiano");
    EXPECT_TRUE(read.Enable_Internet);
    EXPECT_FALSE(read.Enable_Update);
    EXPECT_TRUE(read.Enable_Jump_Field_Tables);
    EXPECT_TRUE(read.Double_Click_Auto_Size);
}

TEST_F(SettingsFile, WrittenFileHasNothingBeforeTheRootAndNoComment)
{
    state.Project_Name = "";
    ASSERT_TRUE(Save_Setting(state));
    const QByteArray bytes = testsupport::readFile(Settings_File_Path(state));
    EXPECT_TRUE(bytes.startsWith("<Conf_Settings>")) << bytes.constData();
    EXPECT_FALSE(bytes.contains("<!--"));
    EXPECT_FALSE(bytes.contains("<?xml"));
    const QByteArray flags = "<lastinternet>\n\t\t<enable_internet>0</enable_internet>\n"
                             "\t\t<enable_update>0</enable_update>\n"
                             "\t\t<enable_jump_field_tables>0</enable_jump_field_tables>\n"
                             "\t\t<Double_Click_Auto_Size>0</Double_Click_Auto_Size>\n\t</lastinternet>";
    EXPECT_TRUE(bytes.contains(flags)) << bytes.constData();
}

TEST_F(SettingsFile, EachMissingValueTakesOnlyItsOwnDefault)
{
    struct Case {
        const char* what;
        QByteArray xml;
        QString project, address, language;
        bool internet, update;
    };
    const Case cases[] = {
        {"no lastproj group",
         "<Conf_Settings><lastipadd><ipaddress>1.2.3.4</ipaddress></lastipadd>"
         "<lastlang><language>Deutsch</language></lastlang>"
         "<lastinternet><enable_internet>1</enable_internet></lastinternet></Conf_Settings>",
         "", "1.2.3.4", "Deutsch", true, false},
        {"no lastipadd, no lastlang",
         "<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>", "P", "192.168.2.205",
         "English", false, false},
        {"empty texts are taken as they stand",
         "<Conf_Settings><lastipadd><ipaddress/></lastipadd><lastlang><language></language></lastlang>"
         "</Conf_Settings>",
         "", "", "", false, false},
        {"flag set only by the exact text 1",
         "<Conf_Settings><lastinternet><enable_internet>1</enable_internet>"
         "<enable_update>yes</enable_update></lastinternet></Conf_Settings>",
         "", "192.168.2.205", "English", true, false},
        {"flag with blanks is not set",
         "<Conf_Settings><lastinternet><enable_internet> 1</enable_internet>"
         "<enable_update>0</enable_update></lastinternet></Conf_Settings>",
         "", "192.168.2.205", "English", false, false},
        {"root of another name is read all the same",
         "<Other><lastlang><language>Francais</language></lastlang></Other>", "", "192.168.2.205", "Francais", false,
         false},
        {"a declaration and a comment before the root",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- saved by hand -->\n"
         "<Conf_Settings><lastlang><language>Espanol</language></lastlang></Conf_Settings>",
         "", "192.168.2.205", "Espanol", false, false},
        {"element names match with their case",
         "<Conf_Settings><LastLang><language>X</language></LastLang>"
         "<lastinternet><double_click_auto_size>1</double_click_auto_size></lastinternet></Conf_Settings>",
         "", "192.168.2.205", "English", false, false},
        {"not well-formed XML reads as a missing file", "<Conf_Settings><lastlang><language>X</language></lastlang>",
         "", "192.168.2.205", "English", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeSettings(c.xml);
        Read_Setting(state);
        EXPECT_EQ(state.Project_Name, c.project);
        EXPECT_EQ(state.Last_IP_Address, c.address);
        EXPECT_EQ(state.Language_Name, c.language);
        EXPECT_EQ(state.Enable_Internet, c.internet);
        EXPECT_EQ(state.Enable_Update, c.update);
        EXPECT_FALSE(state.Double_Click_Auto_Size);
    }
}

TEST_F(SettingsFile, ProjectWhoseFolderIsGoneIsNotOpenedButKept)
{
    writeSettings("<Conf_Settings><lastproj><projectname>Gone</projectname></lastproj></Conf_Settings>");
    Read_Setting(state);
    EXPECT_EQ(state.Project_Dir, "");
    EXPECT_EQ(state.Project_Name, "Gone");
    ASSERT_TRUE(Save_Setting(state));
    EXPECT_TRUE(testsupport::readFile(Settings_File_Path(state)).contains("<projectname>Gone</projectname>"));
}

TEST_F(SettingsFile, UnwritableFolderIsReported)
{
    state.Exe_Dir = tmp.filePath("does/not/exist");
    QString error;
    EXPECT_FALSE(Save_Setting(state, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(SetFiles, BuildsAllTwentyEightPathsFromTheProjectFolder)
{
    TProgramState state;
    state.Projects_Dir = "/ws/PROJECTS";
    state.Project_Dir = state.Projects_Dir + "/Line 3";
    Set_Files(state);
    EXPECT_EQ(state.File_DNETM_Net, "/ws/PROJECTS/Line 3/DNETM_Net.xml");
    EXPECT_EQ(state.File_ParGen, "/ws/PROJECTS/Line 3/ParGen.xml");
    EXPECT_EQ(state.File_SNMP_Trap, "/ws/PROJECTS/Line 3/SNMP_Trap.xml");
    for (const ProjectFile& f : kProjectFiles)
        EXPECT_EQ(state.*f.path, state.Project_Dir + "/" + f.fileName);

    // Without a project the paths are still rebuilt and start with the separator.
    state.Project_Dir.clear();
    Set_Files(state);
    EXPECT_EQ(state.File_IOLink_Slave, "/IOLink_Slave.xml");
}
