// The SNMP agent window driven like a user: both tables' rules with their exact messages
// (first error only), the uniqueness of descriptions over both tables, the names the MIB
// module keeps for itself, the numbering of enabled rows after every change, and the file
// written on OK compared byte for byte with a hand-made fixture.

#include "protocols/energy_it/snmp/USNMP_Trap_Access.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "platform/Services.h"
#include "protocols/energy_it/snmp/SnmpNames.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <optional>

namespace {

using energy_it::TFSNMP_Trap_Access;
using testsupport::TableWindowDriver;

const QStringList kGoodRead = {"Y", "Public", "Int", "N", "N", "N", "", "0", "0", "8", "", "10.0.0.1", "None"};
const QStringList kGoodWrite = {"Y", "Private", "Int", "0", "0", "8", "", "None"};

class SNMPTrapAccess : public testsupport::TableWindowTest<TFSNMP_Trap_Access> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start(&common::TProgramState::File_SNMP_Trap, "SNMP_Trap.xml");
    }

    void open()
    {
        w->hide();
        user->open();
    }

    grid::TQvColumnGrid& readTable() { return *w->ACG_SNMP_Read; }
    grid::TQvColumnGrid& writeTable() { return *w->ACG_SNMP_Write; }
    QStringList numbers(grid::TQvColumnGrid& g, int rows)
    {
        QStringList n;
        for (int r = 1; r <= rows; ++r)
            n.append(g.Cells(0, r));
        return n;
    }
};

TEST_F(SNMPTrapAccess, TypedVariablesAreSavedOnOK)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Set SNMP Trap Access"));
    EXPECT_EQ(readTable().RowCount(), 257);
    EXPECT_EQ(readTable().ColCount(), 15);
    EXPECT_EQ(writeTable().ColCount(), 10);
    EXPECT_EQ(readTable().Columns()[8].ComboItems().size(), 1440);
    EXPECT_EQ(readTable().Columns()[8].ComboItems().front(), QStringLiteral("0"));
    EXPECT_EQ(readTable().Columns()[8].ComboItems().back(), QStringLiteral("1439"));
    user->type("ACG_SNMP_Read", 2, 1, QStringLiteral("Public"));
    user->type("ACG_SNMP_Read", 3, 1, QStringLiteral("Int"));
    TableWindowDriver::setRow(readTable(), 1, {"Y", "Public", "Int", "Y", "N", "Y", "1000000000"});
    user->type("ACG_SNMP_Read", 8, 1, QStringLiteral("1439"));
    user->type("ACG_SNMP_Read", 9, 1, QStringLiteral("3"));
    user->type("ACG_SNMP_Read", 10, 1, QStringLiteral("12"));
    user->type("ACG_SNMP_Read", 11, 1, QStringLiteral("temp1"));
    user->type("ACG_SNMP_Read", 12, 1, QStringLiteral("192.168.1.125"));
    user->type("ACG_SNMP_Read", 13, 1, QStringLiteral("Float * 10"));
    user->type("ACG_SNMP_Read", 14, 1, QStringLiteral("Boiler & <pump>"));
    TableWindowDriver::setRow(readTable(), 2, {"N", "x y", "", "N", "N", "N", "", "", "", "99", "Bad", "", ""});
    TableWindowDriver::setRow(
        readTable(), 3, {"Y", "Private", "String", "N", "Y", "N", "", "0", "0", "16", "name", "10.0.0.1", "None"});
    TableWindowDriver::setRow(writeTable(), 1, {"Y", "Private", "Int", "7", "7", "64", "", "Float / 100", "set point"});
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFSNMP_Trap_Access::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()),
              testsupport::readFile(testsupport::fixturePath(QStringLiteral("snmp/SNMP_Trap_window.xml"))));

    // Shown again, the tables are the file's and the disabled row has no number.
    open();
    EXPECT_EQ(readTable().Cells(14, 1), QStringLiteral("Boiler & <pump>"));
    EXPECT_EQ(numbers(readTable(), 4), (QStringList{"1", "", "2", "3"}));
    EXPECT_EQ(writeTable().Cells(8, 1), QStringLiteral("Float / 100"));
}

TEST_F(SNMPTrapAccess, FirstErrorIsShownAndNothingWritten)
{
    struct Case {
        bool write;          // the row under test is in the write table
        QStringList row;     // row 2 of that table, from column 1
        const char* message; // nullptr: passes
    } cases[] = {
        {false,
         {"Y", "Pub lic"},
         "Error row 2!! [SNMP Read] Community Name is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" "
         "and \"0\"..\"9\")"},
        {false, {"Y", "Public", ""}, "Error row 2!! [SNMP Read] Type must be selected"},
        {false, {"Y", "Public", "Int", "N", "N", "N", "", "0", "3", "12", "", "1.2.3.4", "None"}, nullptr},
        {false,
         {"Y", "Public", "String", "N", "N", "N", "", "0", "1", "4", "", "1.2.3.4", "None"},
         "Error row 2!! [SNMP Read] Start Bit must be 0 if Type is String"},
        {false,
         {"Y", "Public", "String", "N", "N", "N", "", "0", "0", "17", "", "1.2.3.4", "None"},
         "Error row 2!! [SNMP Read] Num Bits/Bytes must be between 1 and 16 bytes"},
        {false,
         {"Y", "Public", "int", "N", "N", "N", "", "0", "0", "65", "", "1.2.3.4", "None"},
         "Error row 2!! [SNMP Read] Num Bits/Bytes must be between 1 and 64 bits"},
        {false,
         {"Y", "Public", "Int", "N", "N", "Y", "0", "0", "0", "8", "", "1.2.3.4", "None"},
         "Error row 2!! [SNMP Read] Time must be between 1 and 1000000000 ms"},
        {false, {"Y", "Public", "Int", "N", "N", "Y", "1000000000", "0", "0", "8", "", "1.2.3.4", "None"}, nullptr},
        {false,
         {"Y", "Public", "Int", "N", "N", "Y", "1000000001", "0", "0", "8", "", "1.2.3.4", "None"},
         "Error row 2!! [SNMP Read] Time must be between 1 and 1000000000 ms"},
        {false,
         {"Y", "Public", "Int", "N", "N", "N", "", "", "0", "8"},
         "Error row 2!! [SNMP Read] Position must be selected"},
        {false,
         {"Y", "Public", "Int", "N", "N", "N", "", "0", "", "8"},
         "Error row 2!! [SNMP Read] Start Bit must be selected"},
        {false,
         {"Y", "Public", "Int", "N", "N", "N", "", "0", "0", "8", "Temp"},
         "Error row 2!! [SNMP Read] Description is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and "
         "\"0\"..\"9\"). First character must be a letter and must be lowercase"},
        {false,
         {"Y", "Public", "Int", "N", "N", "N", "", "0", "0", "8", "t_1"},
         "Error row 2!! [SNMP Read] Description is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and "
         "\"0\"..\"9\"). First character must be a letter and must be lowercase"},
        {false,
         {"Y", "Public", "Int", "N", "N", "N", "", "0", "0", "8", "countin"},
         "Error row 2!! [SNMP Read] Description is a name the MIB module already uses"},
        {false,
         {"Y", "Public", "Int", "N", "N", "N", "", "0", "0", "8", "trapval12"},
         "Error row 2!! [SNMP Read] Description is a name the MIB module already uses"},
        {false,
         {"Y", "Public", "Int", "N", "N", "N", "", "0", "0", "8", "temp2In", "1.2.3.256", "None"},
         "Error row 2!! [SNMP Read] IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {false,
         {"Y", "Public", "Int", "N", "N", "N", "", "0", "0", "8", "temp2In", "1.2.3", "None"},
         "Error row 2!! [SNMP Read] IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {false,
         {"Y", "Public", "Int", "N", "N", "N", "", "0", "0", "8", "temp2In", "1.2.3.4", ""},
         "Error row 2!! [SNMP Read] Conversion must be selected"},
        {false, {"N", "x y", "", "Y", "N", "Y", "0"}, nullptr},
        {true,
         {"Y", "Pub-lic"},
         "Error row 2!! [SNMP Write] Community Name is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" "
         "and \"0\"..\"9\")"},
        {true, {"Y", "Public", ""}, "Error row 2!! [SNMP Write] Type must be selected"},
        {true, {"Y", "Public", "Int", ""}, "Error row 2!! [SNMP Write] Position must be selected"},
        {true, {"Y", "Public", "Int", "0", ""}, "Error row 2!! [SNMP Write] Start Bit must be selected"},
        {true,
         {"Y", "Public", "String", "0", "2", "4"},
         "Error row 2!! [SNMP Write] Start Bit must be 0 if Type is String"},
        {true,
         {"Y", "Public", "Int", "0", "0", "0"},
         "Error row 2!! [SNMP Write] Num Bits/Bytes must be between 1 and 64 bits"},
        {true,
         {"Y", "Public", "String", "0", "0", "17"},
         "Error row 2!! [SNMP Write] Num Bits/Bytes must be between 1 and 16 bytes"},
        {true,
         {"Y", "Public", "Int", "0", "0", "8", "1abc"},
         "Error row 2!! [SNMP Write] Descrtiption is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" "
         "and \"0\"..\"9\"). First character must be a letter and must be lowercase"},
        {true,
         {"Y", "Public", "Int", "0", "0", "8", "bufferoutblk8"},
         "Error row 2!! [SNMP Write] Description is a name the MIB module already uses"},
        {true,
         {"Y", "Public", "Int", "0", "0", "8", "w2", ""},
         "Error row 2!! [SNMP Write] Conversion must be selected"},
        {true, {"Y", "Public", "Int", "0", "0", "8", "w2", "None"}, nullptr},
        // Descriptions are unique over both tables, empty ones included.
        {true, {"Y", "Public", "Int", "0", "0", "8", "r1", "None"}, "Error!! The Descriptions must be all differents"},
        {true, {"Y", "Public", "Int", "0", "0", "8", "", "None"}, nullptr},
        {true, {"N", "Public", "Int", "0", "0", "8", "r1", "None"}, nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row.join(QLatin1Char('|')).toStdString());
        QFile::remove(path());
        messages.shown.clear();
        open();
        QStringList read1 = kGoodRead;
        read1[10] = QStringLiteral("r1");
        TableWindowDriver::setRow(readTable(), 1, read1);
        QStringList write1 = kGoodWrite;
        write1[6] = QStringLiteral("w1");
        TableWindowDriver::setRow(writeTable(), 1, write1);
        TableWindowDriver::setRow(k.write ? writeTable() : readTable(), 2, k.row);
        user->press("Btn_OK");
        if (k.message) {
            ASSERT_EQ(user->messageCount(), 1u);
            EXPECT_EQ(user->lastMessage(), QString::fromUtf8(k.message));
            EXPECT_FALSE(QFile::exists(path()));
        } else {
            EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
            EXPECT_TRUE(QFile::exists(path()));
        }
    }
}

TEST_F(SNMPTrapAccess, SameDescriptionInReadAndWriteFails)
{
    open();
    QStringList read1 = kGoodRead;
    read1[10] = QStringLiteral("level");
    TableWindowDriver::setRow(readTable(), 1, read1);
    QStringList write1 = kGoodWrite;
    write1[6] = QStringLiteral("level");
    TableWindowDriver::setRow(writeTable(), 1, write1);
    user->press("Btn_OK");
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!! The Descriptions must be all differents"));
    EXPECT_FALSE(QFile::exists(path()));

    // Two empty descriptions are equal too.
    messages.shown.clear();
    read1[10].clear();
    write1[6].clear();
    TableWindowDriver::setRow(readTable(), 1, read1);
    TableWindowDriver::setRow(writeTable(), 1, write1);
    user->press("Btn_OK");
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!! The Descriptions must be all differents"));
}

TEST_F(SNMPTrapAccess, EnabledRowsAreNumberedAfterEveryChange)
{
    open();
    for (int r = 1; r <= 4; ++r) {
        QStringList row = kGoodRead;
        row[10] = QStringLiteral("v%1").arg(r);
        TableWindowDriver::setRow(readTable(), r, row);
    }
    // A click on an Enable box.
    user->clickCell(readTable(), 1, 2);
    EXPECT_EQ(readTable().Cells(1, 2), QStringLiteral("N"));
    EXPECT_EQ(numbers(readTable(), 5), (QStringList{"1", "", "2", "3", "4"}));
    // Insert, delete and paste renumber too.
    readTable().SetRow(1);
    user->press("Btn_InsRow");
    EXPECT_EQ(numbers(readTable(), 6), (QStringList{"1", "2", "", "3", "4", "5"}));
    messages.answers = {platform::MsgResult::Yes};
    user->press("Btn_DelRow");
    EXPECT_EQ(numbers(readTable(), 5), (QStringList{"1", "", "2", "3", "4"}));
    readTable().SetRow(4);
    readTable().SetCells(1, 4, QStringLiteral("N"));
    user->press("Btn_CopyRow");
    readTable().SetRow(6);
    user->press("Btn_PasteRow");
    EXPECT_EQ(numbers(readTable(), 7), (QStringList{"1", "", "2", "", "3", "", "4"}));
}

TEST_F(SNMPTrapAccess, RowCopiedOnTheOtherSheetIsRefused)
{
    open();
    TableWindowDriver::setRow(readTable(), 1, kGoodRead);
    readTable().SetRow(1);
    user->press("Btn_CopyRow");
    w->PageControl1->setCurrentIndex(1);
    writeTable().SetRow(1);
    user->press("Btn_PasteRow");
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!!! Copy a valid row before Paste it"));
}

TEST_F(SNMPTrapAccess, MissingAttributesTakeTheirDefaultsAndRowsPast256AreNotLoaded)
{
    QByteArray xml = "<SNMP_Trap><SNMP_Trap_Read><row Community_Name=\"a\" /><row Enable=\"N\" />";
    for (int i = 3; i <= 600; ++i)
        xml += "<row Community_Name=\"r" + QByteArray::number(i) + "\" />";
    xml += "</SNMP_Trap_Read></SNMP_Trap>";
    ASSERT_TRUE(testsupport::writeFile(path(), xml));
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(readTable().Cells(1, 1), QStringLiteral("Y"));
    EXPECT_EQ(readTable().Cells(4, 1), QStringLiteral("N"));
    EXPECT_EQ(readTable().Cells(6, 1), QStringLiteral("N"));
    EXPECT_EQ(readTable().Cells(13, 1), QStringLiteral("None"));
    EXPECT_EQ(readTable().Cells(1, 2), QStringLiteral("N"));
    EXPECT_EQ(readTable().Cells(2, 256), QStringLiteral("r256"));
    EXPECT_EQ(readTable().Cells(0, 256), QStringLiteral("255"));
    EXPECT_EQ(writeTable().Cells(1, 1), QStringLiteral("Y"));
    EXPECT_EQ(writeTable().Cells(2, 1), QString());
}

TEST(SNMPNames, CharacterRuleAndReservedNames)
{
    using energy_it::Check_Error_CommName_Desc;
    using energy_it::Is_Reserved_MIB_Name;
    EXPECT_FALSE(Check_Error_CommName_Desc(QString(), 1));
    EXPECT_FALSE(Check_Error_CommName_Desc(QStringLiteral("Public9"), 0));
    EXPECT_TRUE(Check_Error_CommName_Desc(QStringLiteral("Public9"), 1));
    EXPECT_TRUE(Check_Error_CommName_Desc(QStringLiteral("9abc"), 1));
    EXPECT_TRUE(Check_Error_CommName_Desc(QString::fromUtf8("caf\u00e9"), 0));
    EXPECT_FALSE(Check_Error_CommName_Desc(QStringLiteral("aB9"), 1));
    for (const char* name : {"identity", "enterprises", "bufferinblk8", "bufferinval", "bufferoutval7", "trapval1",
                             "trapsval", "hellostring"})
        EXPECT_TRUE(Is_Reserved_MIB_Name(QLatin1String(name))) << name;
    for (const char* name : {"trapval", "bufferinblk9", "bufferinvalx", "countin2", "Data", "temp"})
        EXPECT_FALSE(Is_Reserved_MIB_Name(QLatin1String(name))) << name;
}

TEST_F(SNMPTrapAccess, Screenshot)
{
    open();
    TableWindowDriver::setRow(
        readTable(), 1,
        {"Y", "Public", "Int", "Y", "N", "Y", "1000", "10", "0", "16", "temp", "192.168.1.125", "None", "Boiler"});
    TableWindowDriver::setRow(
        readTable(), 2,
        {"N", "Private", "String", "N", "Y", "N", "", "20", "0", "8", "name", "192.168.1.126", "None", "Label"});
    TFSNMP_Trap_Access::Index_Row_Build(readTable());
    user->checkTablePicture(QStringLiteral("windows/SNMP_Trap_Access_window.png"), QSize(1256, 337), readTable(), 2, 2,
                            5);
}

} // namespace

namespace {

TEST_F(SNMPTrapAccess, FileRoundTripsUnchanged)
{
    const QString fixture = testsupport::fixturePath(QStringLiteral("snmp/SNMP_Trap_window.xml"));
    ASSERT_TRUE(QFile::copy(fixture, path()));
    open();
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()), testsupport::readFile(fixture));
}

} // namespace
