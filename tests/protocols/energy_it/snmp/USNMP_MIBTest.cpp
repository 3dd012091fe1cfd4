// The MIB module written from the saved agent file: hand-made modules compared byte for byte
// (CR LF, Windows-1252), the save dialog's questions, descriptions that would break the
// module refused, and every module checked by smilint where it and the reference MIBs exist.

#include "protocols/energy_it/snmp/USNMP_MIB.h"

#include "common/UComonState.h"
#include "platform/Services.h"
#include "support/FakeDialogs.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

using energy_it::Create_MIB_File;

const QByteArray kTwoReadOneWrite = "<SNMP_Trap><SNMP_Trap_Read>"
                                    "<row Enable=\"Y\" Type=\"Int\" Description=\"temp\" />"
                                    "<row Enable=\"N\" Type=\"Int\" Description=\"off\" />"
                                    "<row Enable=\"y\" Type=\"String\" Description=\"\" />"
                                    "</SNMP_Trap_Read><SNMP_Trap_Write>"
                                    "<row Enable=\"Y\" Type=\"int\" Description=\"setpoint\" />"
                                    "<row Type=\"Int\" Description=\"noenable\" />"
                                    "</SNMP_Trap_Write></SNMP_Trap>";

// smilint's output for a module: empty when it passes. Nothing when smilint or the reference
// MIBs are absent.
std::optional<QString> smilint(const QString& file)
{
    const QString mibs = QStringLiteral(QV_SOURCE_DIR "/tests/fixtures/refdata/mib");
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("smilint"));
    if (tool.isEmpty() || !QFileInfo::exists(mibs))
        return std::nullopt;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SMIPATH"), mibs);
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(tool, {QStringLiteral("-s"), QStringLiteral("-l"), QStringLiteral("3"), file});
    p.waitForFinished();
    return QString::fromLocal8Bit(p.readAll());
}

class SNMPMIB : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        common::State().Project_Dir = tmp.path();
        common::State().File_SNMP_Trap = QDir(tmp.path()).filePath(QStringLiteral("SNMP_Trap.xml"));
        services.messages = &messages;
        services.dialogs = &dialogs;
    }

    QString mib(const char* name) const { return QDir(tmp.path()).filePath(QLatin1String(name)); }

    // Writes through the button with the dialog answering name; the written bytes.
    QByteArray create(const char* name)
    {
        dialogs.answers = {mib(name)};
        Create_MIB_File(services, nullptr);
        return testsupport::readFile(mib(name));
    }

    void expectLintClean(const QString& file)
    {
        if (const auto out = smilint(file)) {
            EXPECT_EQ(*out, QString()) << file.toStdString();
        }
    }

    testsupport::FakeMessages messages;
    testsupport::FakeDialogs dialogs;
    platform::Services services;
};

TEST_F(SNMPMIB, ModulesMatchTheHandMadeFiles)
{
    struct Case {
        const char* fixture;
        QByteArray agentFile; // empty: no "SNMP_Trap.xml"
    } cases[] = {
        {"snmp/no_agent_file.mib", {}},
        {"snmp/two_read_one_write.mib", kTwoReadOneWrite},
        {"snmp/write_only.mib", "<SNMP_Trap><SNMP_Trap_Read/><SNMP_Trap_Write>"
                                "<row Enable=\"Y\" Type=\"String\" Description=\"label\" />"
                                "</SNMP_Trap_Write></SNMP_Trap>"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.fixture);
        QFile::remove(common::State().File_SNMP_Trap);
        if (!k.agentFile.isEmpty()) {
            ASSERT_TRUE(testsupport::writeFile(common::State().File_SNMP_Trap, k.agentFile));
        }
        const QByteArray written = create("GATEWAY.mib");
        EXPECT_EQ(messages.shown.size(), 0u);
        const QString fixture = testsupport::fixturePath(QLatin1String(k.fixture));
        EXPECT_EQ(written, testsupport::readFile(fixture));
        expectLintClean(mib("GATEWAY.mib"));
        expectLintClean(fixture);
        QFile::remove(mib("GATEWAY.mib"));
    }
    EXPECT_EQ(dialogs.shown.front().startDir, tmp.path());
    EXPECT_EQ(dialogs.shown.front().filter, QStringLiteral("Management Information Base (*.mib)"));
}

TEST_F(SNMPMIB, VariablesAreTheEnabledRowsInOrder)
{
    ASSERT_TRUE(testsupport::writeFile(common::State().File_SNMP_Trap, kTwoReadOneWrite));
    energy_it::Read_SNMP_Trap_Vars();
    EXPECT_EQ(common::State().SNMP_Read_Desc, (QStringList{"temp", ""}));
    EXPECT_EQ(common::State().SNMP_Write_Desc, (QStringList{"setpoint"}));
    EXPECT_EQ(energy_it::SNMP_Read_Is_Int(), (std::vector<bool>{true, false}));
    EXPECT_EQ(energy_it::SNMP_Write_Is_Int(), (std::vector<bool>{true}));
}

TEST_F(SNMPMIB, RowsPast256AreLeftOut)
{
    QByteArray xml = "<SNMP_Trap><SNMP_Trap_Read>";
    for (int i = 1; i <= 300; ++i)
        xml += "<row Enable=\"Y\" Type=\"Int\" Description=\"v" + QByteArray::number(i) + "\" />";
    xml += "</SNMP_Trap_Read></SNMP_Trap>";
    ASSERT_TRUE(testsupport::writeFile(common::State().File_SNMP_Trap, xml));
    energy_it::Read_SNMP_Trap_Vars();
    EXPECT_EQ(common::State().SNMP_Read_Desc.size(), 256);
    EXPECT_EQ(energy_it::SNMP_Read_Is_Int().size(), 256u);
}

TEST_F(SNMPMIB, ExtensionIsAddedAndAnExistingFileAskedAbout)
{
    ASSERT_TRUE(testsupport::writeFile(mib("old.mib"), "keep"));
    dialogs.answers = {mib("old")};
    messages.answers = {platform::MsgResult::No};
    Create_MIB_File(services, nullptr);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.lastText(), QStringLiteral("File already exists. Do you want to overwrite?"));
    EXPECT_EQ(testsupport::readFile(mib("old.mib")), QByteArray("keep"));

    messages.answers = {platform::MsgResult::Yes};
    dialogs.answers = {mib("old.mib")};
    Create_MIB_File(services, nullptr);
    EXPECT_TRUE(testsupport::readFile(mib("old.mib")).startsWith("GATEWAY DEFINITIONS ::= BEGIN\r\n"));

    // Cancel in the dialog writes nothing and asks nothing.
    messages.shown.clear();
    dialogs.answers = {QString()};
    Create_MIB_File(services, nullptr);
    EXPECT_EQ(messages.shown.size(), 0u);
}

TEST_F(SNMPMIB, DescriptionsThatBreakTheModuleAreRefused)
{
    struct Case {
        const char* read;
        const char* write;
        const char* named;
    } cases[] = {
        {"countin", "x", "countin"},           {"Temp", "x", "Temp"}, {"a b", "x", "a b"}, {"level", "level", "level"},
        {"bufferinval2", "x", "bufferinval2"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.read);
        messages.shown.clear();
        const QByteArray xml = QByteArray("<SNMP_Trap><SNMP_Trap_Read><row Enable=\"Y\" Description=\"") + k.read
                               + "\" /></SNMP_Trap_Read><SNMP_Trap_Write><row Enable=\"Y\" Description=\"" + k.write
                               + "\" /></SNMP_Trap_Write></SNMP_Trap>";
        ASSERT_TRUE(testsupport::writeFile(common::State().File_SNMP_Trap, xml));
        create("bad.mib");
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.lastText(),
                  QStringLiteral("Error!! The SNMP Trap file holds a Description that cannot be used in the MIB "
                                 "module: ")
                      + QLatin1String(k.named));
        EXPECT_FALSE(QFile::exists(mib("bad.mib")));
    }
}

// Why the module differs from the older layout: imported from a module that is not there,
// "enterprises" unknown and notifications with clauses they cannot hold; and why a variable
// may not take a name of the fixed tree.
TEST_F(SNMPMIB, SmilintFindsTheOlderLayoutAndReservedNamesBroken)
{
    ASSERT_TRUE(testsupport::writeFile(common::State().File_SNMP_Trap, kTwoReadOneWrite));
    energy_it::Read_SNMP_Trap_Vars();
    QStringList older = energy_it::MIB_Lines();
    older[2] = QStringLiteral("       MODULE-IDENTITY,OBJECT-TYPE");
    older[7] = QStringLiteral("         FROM RFC1155-SMI;");
    for (QString& line : older)
        if (line.startsWith(QLatin1String("trapval")))
            line.replace(QRegularExpression(QStringLiteral("OBJECTS \\{ \\w+ \\}")),
                         QStringLiteral("SYNTAX INTEGER MAX-ACCESS read-only"));
    ASSERT_TRUE(testsupport::writeFile(mib("older.mib"),
                                       (older.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1()));
    const auto out = smilint(mib("older.mib"));
    if (!out)
        GTEST_SKIP() << "smilint is not installed (scripts/install-deps installs smitools)";
    EXPECT_EQ(out->count(QLatin1Char('\n')), 6) << out->toStdString();

    common::State().SNMP_Read_Desc[0] = QStringLiteral("countin");
    const QStringList clash = energy_it::MIB_Lines();
    ASSERT_TRUE(testsupport::writeFile(mib("clash.mib"),
                                       (clash.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1()));
    EXPECT_TRUE(smilint(mib("clash.mib"))->contains(QLatin1String("[2] redefinition of identifier")));
}

TEST_F(SNMPMIB, AFileThatCannotBeWrittenIsReported)
{
    dialogs.answers = {QDir(tmp.path()).filePath(QStringLiteral("no such folder/x.mib"))};
    Create_MIB_File(services, nullptr);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(messages.lastText().isEmpty());
}

} // namespace
