// The Modbus serial master tables: the rules of both tables with their exact messages (row
// kinds, point limits, last byte), rows saved as typed with "Index_Topic" empty, disabled rows
// saved unchecked, the first empty Slave ID ending a table, topic indexes read into empty
// cells, missing sections and extra rows of a file, the hidden Topic column and the sheets'
// copy flags.

#include "protocols/ethernet/modbus/USetAccess.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"
#include "tables/TableEvents.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <optional>

namespace {

using ethernet::TFSetAccess;
using testsupport::TableWindowDriver;
namespace rd = ethernet::modbus_read_col;
namespace wr = ethernet::modbus_write_col;

// Enable, Slave ID, Type, Address, NPoint, Poll Time, Max Error, Position, Start Bit, Swap,
// SwapWord, Topic, Mnemonic
QStringList readRow(const char* type, const char* npoint, const char* position, const char* bit = "0",
                    const char* pollTime = "100")
{
    return {"Y", "1", type, "0", npoint, pollTime, "0", position, bit, "N", "N", "", "r"};
}

// Enable, Slave ID, Type, Address, NPoint, Poll Time, On Change, On CMD, Max Error, Position,
// Start Bit, Swap, SwapWord, Mnemonic
QStringList writeRow(const char* type, const char* npoint, const char* position, const char* bit = "0",
                     const char* pollTime = "100")
{
    return {"Y", "1", type, "0", npoint, pollTime, "Y", "N", "0", position, bit, "N", "N", "w"};
}

class ModbusSerial : public testsupport::TableWindowTest<TFSetAccess> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start(&common::TProgramState::File_ModbusM_SetAccess, "ModbusM_SetAccess.xml");
    }

    void open()
    {
        w->hide();
        user->open();
    }

    QByteArray fixture(const char* name) const
    {
        return testsupport::readFile(testsupport::fixturePath(QStringLiteral("modbus/") + QLatin1String(name)));
    }
};

TEST_F(ModbusSerial, RowKindsPointLimitsAndTheLastByteGiveTheFirstErrorOnly)
{
    struct Case {
        bool write;
        QStringList row3;
        const char* message; // nullptr: passes
    } cases[] = {
        {false, readRow("Holding Register", "1", "1498"), nullptr},
        {false, readRow("Holding Register", "2", "1498"),
         "Error row 3!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
        {false, readRow("Coil Status", "1", "1499", "7"), nullptr},
        {false, readRow("Coil Status", "2", "1499", "7"),
         "Error row 3!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
        // Typed in lower case it is still a register type, with the register limit.
        {false, readRow("holding register", "125", "0"), nullptr},
        {false, readRow("holding register", "126", "0"),
         "Error row 3!! [Modbus Read] NPoint must be between 1 and 125"},
        {false, readRow("Holding Register", "126", "0"),
         "Error row 3!! [Modbus Read] NPoint must be between 1 and 125"},
        {false, readRow(" input status ", "2000", "0"), nullptr},
        {false, readRow("Coil Status", "2000", "0"), nullptr},
        {false, readRow("Coil Status", "2001", "0"), "Error row 3!! [Modbus Read] NPoint must be between 1 and 2000"},
        {false, readRow("Coil Status", "0", "0"), "Error row 3!! [Modbus Read] NPoint must be between 1 and 2000"},
        {false, readRow("Input Register", "1", "0", "0", "0"),
         "Error row 3!! [Modbus Read] Poll Time must be between 1 and 100000000"},
        {false, readRow("Coil Status", "1", "0", ""), "Error row 3!! [Modbus Read] Bit must be between 0 and 7"},
        {false, readRow("Input Register", "1", "0", ""), nullptr}, // a register row needs no Start Bit
        {false, readRow("", "1", "0"),
         "Error row 3!! [Modbus Read] Type must be Coil Status or Input Status or Holding Register or Input Register"},
        {false, readRow("Coil Status", "1", "1500"), "Error row 3!! [Modbus Read] Position must be between 0 and 1499"},
        {false,
         {"Y", "248", "Coil Status", "0", "1", "1", "0", "0", "0"},
         "Error row 3!! [Modbus Read] Slave ID must be between 1 and 247"},
        {false,
         {"Y", "1", "Coil Status", "65536", "1", "1", "0", "0", "0"},
         "Error row 3!! [Modbus Read] Address must be between 0 and 65535"},
        {false,
         {"Y", "1", "Coil Status", "0", "1", "1", "100000001", "0", "0"},
         "Error row 3!! [Modbus Read] Max Error must be between 0 and 100000000"},
        {true, writeRow("Coil Status", "1968", "0"), nullptr},
        {true, writeRow("Coil Status", "1969", "0"), "Error row 3!! [Modbus Write] NPoint must be between 1 and 1968"},
        // In the write table only "Coil Status" is a status type.
        {true, writeRow("Input Status", "124", "0"), "Error row 3!! [Modbus Write] NPoint must be between 1 and 123"},
        {true, writeRow("Holding Register", "1", "0", "0", "0"), nullptr},
        {true, writeRow("Coil Status", "1", "0", ""), "Error row 3!! [Modbus Write] Bit must be between 0 and 7"},
        {true, writeRow("Holding Register", "2", "1496"), nullptr},
        {true, writeRow("Holding Register", "2", "1497"),
         "Error row 3!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
        // A Start Bit that is no number counts as 0 for the bytes used.
        {true, writeRow("Coil Status", "8", "1499", "x"), nullptr},
        {true, writeRow("Coil Status", "1", "0", "2147483647"),
         "Error row 3!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row3.join(QLatin1Char('|')).toStdString());
        open();
        for (int r = 1; r <= 2; ++r) {
            TableWindowDriver::setRow(*w->ACG_Modbus_Read, r, readRow("Input Register", "1", "0"));
            TableWindowDriver::setRow(*w->ACG_Modbus_Write, r, writeRow("Holding Register", "1", "0"));
        }
        TableWindowDriver::setRow(k.write ? *w->ACG_Modbus_Write : *w->ACG_Modbus_Read, 3, k.row3);
        EXPECT_EQ(w->First_Error().value_or(QString()), QString::fromLatin1(k.message ? k.message : ""));
    }
}

TEST_F(ModbusSerial, TypedRowsAreSavedAsTypedAndDisabledRowsUnchecked)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Set Modbus Access"));
    EXPECT_EQ(w->PageControl1->tabText(0), QStringLiteral("Modbus Read"));
    EXPECT_EQ(w->PageControl1->tabText(1), QStringLiteral("Modbus Write"));
    EXPECT_EQ(w->ACG_Modbus_Read->RowCount(), 513);
    EXPECT_EQ(w->ACG_Modbus_Read->ColCount() + w->ACG_Modbus_Read->NumHiddenColumns(), 14);
    EXPECT_EQ(w->ACG_Modbus_Write->ColCount(), 15);
    EXPECT_EQ(w->ACG_Modbus_Read->Cells(rd::Enable, 512), QStringLiteral("Y"));
    EXPECT_EQ(w->ACG_Modbus_Read->Cells(rd::N, 512), QStringLiteral("512"));
    EXPECT_EQ(w->ACG_Modbus_Read->Cells(rd::SwapWord, 0), QStringLiteral("SwapWord"));

    user->type("ACG_Modbus_Read", rd::Slave_ID, 1, QStringLiteral("1"));
    user->type("ACG_Modbus_Read", rd::Type, 1, QStringLiteral("Holding Register"));
    user->type("ACG_Modbus_Read", rd::Address, 1, QStringLiteral("100"));
    user->type("ACG_Modbus_Read", rd::NPoint, 1, QStringLiteral("10"));
    user->type("ACG_Modbus_Read", rd::PollTime, 1, QStringLiteral("100"));
    user->type("ACG_Modbus_Read", rd::MaxError, 1, QStringLiteral("0"));
    user->type("ACG_Modbus_Read", rd::Position, 1, QStringLiteral("1480"));
    user->type("ACG_Modbus_Read", rd::Bit, 1, QStringLiteral("0"));
    // The Topic column is hidden: the displayed column 12 is the Mnemonic.
    user->type("ACG_Modbus_Read", 12, 1, QStringLiteral("Tank & level"));
    TableWindowDriver::setRow(*w->ACG_Modbus_Read, 2,
                              {"N", "999", "", "x", "0", "0", "-1", "1500", "", "Y", "N", "", "off"});
    TableWindowDriver::setRow(
        *w->ACG_Modbus_Read, 3,
        {"Y", "247", "Coil Status", "65535", "2000", "1", "100000000", "1249", "7", "N", "N", "", "<bits"});
    // Below the first empty Slave ID only the enable flag is set: the table ends there.
    TableWindowDriver::setRow(*w->ACG_Modbus_Write, 1,
                              {"Y", "5", "Coil Status", "0", "1968", "0", "Y", "N", "3", "0", "0", "N", "N", "out"});
    TableWindowDriver::setRow(
        *w->ACG_Modbus_Write, 2,
        {"Y", "5", "Holding Register", "10", "123", "500", "N", "Y", "0", "1254", "", "Y", "Y", ""});
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFSetAccess::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()), fixture("ModbusM_SetAccess_window.xml"));

    open();
    EXPECT_EQ(w->ACG_Modbus_Read->Cells(rd::Mnemonic, 1), QStringLiteral("Tank & level"));
    EXPECT_EQ(w->ACG_Modbus_Read->Cells(rd::Position, 2), QStringLiteral("1500"));
}

TEST_F(ModbusSerial, TopicIndexesLoadEmptyCellsAndMissingFlagsTakeTheirDefaults)
{
    ASSERT_TRUE(testsupport::writeFile(path(), fixture("ModbusM_SetAccess_topics.xml")));
    open();
    ASSERT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_TRUE(w->ACG_Modbus_Read->IsHiddenColumn(rd::Topic));
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(w->ACG_Modbus_Read->Cells(rd::Topic, r), QString()) << r;
    // The indexes read are kept for the row, though no topic answers them.
    EXPECT_EQ(w->ComboItem_Topic[0], 2);
    EXPECT_EQ(w->ComboItem_Topic[1], 0);
    EXPECT_EQ(w->ComboItem_Topic[2], -1);
    EXPECT_EQ(w->ComboItem_Topic[3], -1);
    EXPECT_EQ(w->ACG_Modbus_Read->Cells(rd::Enable, 1), QStringLiteral("Y"));
    EXPECT_EQ(w->ACG_Modbus_Read->Cells(rd::Swap, 1), QStringLiteral("N"));
    EXPECT_EQ(w->ACG_Modbus_Write->Cells(wr::OnCMD, 1), QStringLiteral("N"));
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()), fixture("ModbusM_SetAccess_topics_saved.xml"));
}

TEST_F(ModbusSerial, TopicLookups)
{
    EXPECT_EQ(w->Get_Topic_From_Index(0), QString());
    EXPECT_EQ(w->Get_Index_From_Topic(QStringLiteral("a"), 0), -1);
    w->List_Publish_Topic = {"a", "b", "a"};
    EXPECT_EQ(w->Get_Topic_From_Index(1), QStringLiteral("b"));
    EXPECT_EQ(w->Get_Topic_From_Index(3), QString());
    EXPECT_EQ(w->Get_Topic_From_Index(-1), QString());
    EXPECT_EQ(w->Get_Index_From_Topic(QStringLiteral("a"), 2), 2); // the remembered entry holds it
    EXPECT_EQ(w->Get_Index_From_Topic(QStringLiteral("a"), 1), 0); // else the first one
    EXPECT_EQ(w->Get_Index_From_Topic(QStringLiteral("A"), 0), -1);
}

TEST_F(ModbusSerial, AFilledRowBelowTheFirstEmptySlaveIdRefusesOK)
{
    open();
    TableWindowDriver::setRow(*w->ACG_Modbus_Read, 1, readRow("Input Register", "1", "0"));
    TableWindowDriver::setRow(*w->ACG_Modbus_Read, 4, readRow("Input Register", "1", "0"));
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(),
              QStringLiteral("Error row 2!! This row is empty but rows below it are filled: fill it in or delete it, "
                             "or the rows below would not be saved"));
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_TRUE(w->isVisible());
}

TEST_F(ModbusSerial, AFileWithoutASectionIsReportedAndTheWindowCloses)
{
    const QByteArray file = "<EtherNetIP_to_Modbus>\n\t<Modbus_Read />\n</EtherNetIP_to_Modbus>\n";
    ASSERT_TRUE(testsupport::writeFile(path(), file));
    open();
    QCoreApplication::processEvents();
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Missing element \"Modbus_Write\""));
    EXPECT_EQ(user->result(), TFSetAccess::kModalCancel);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(testsupport::readFile(path()), file);
}

TEST_F(ModbusSerial, RowsPast512AreLeftOut)
{
    QByteArray file = "<EtherNetIP_to_Modbus><Modbus_Read>";
    for (int i = 1; i <= 520; ++i)
        file += "<row Slave_ID=\"1\" Type=\"Input Register\" Address=\"" + QByteArray::number(i)
                + "\" NPoint=\"1\" PollTime=\"1\" MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"\" />";
    file += "</Modbus_Read><Modbus_Write /></EtherNetIP_to_Modbus>";
    ASSERT_TRUE(testsupport::writeFile(path(), file));
    open();
    ASSERT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(w->ACG_Modbus_Read->Cells(rd::Address, 512), QStringLiteral("512"));
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    const QByteArray saved = testsupport::readFile(path());
    EXPECT_EQ(saved.count("<row "), 512);
    EXPECT_FALSE(saved.contains("Address=\"513\""));
}

TEST_F(ModbusSerial, OnlyTheReadGridShowsHintsAndTheyFollowTheRealColumn)
{
    open();
    EXPECT_NE(w->ACG_Modbus_Read->findChild<tables::TTableEvents*>(), nullptr);
    EXPECT_EQ(w->ACG_Modbus_Write->findChild<tables::TTableEvents*>(), nullptr);
    EXPECT_EQ(w->Btn_OK->toolTip(), QString());
    QString hint;
    w->ACG_Modbus_Read->OnGridHint(w->ACG_Modbus_Read, 0, 12, hint); // displayed 12: the Mnemonic
    EXPECT_EQ(hint, QStringLiteral("Insert the Mnemonic"));
    w->ACG_Modbus_Read->OnGridHint(w->ACG_Modbus_Read, 0, rd::SwapWord, hint);
    EXPECT_EQ(hint, QStringLiteral("Enable or Disable the SwapWord"));
    EXPECT_EQ(w->Hint_Modbus_Set_Access_Read().value(rd::Topic - 1), QStringLiteral("Select the Topic"));
    EXPECT_EQ(w->Hint_Modbus_Set_Access_Write().value(wr::OnCMD - 1), QStringLiteral("Enable or Disable the On CMD"));
}

TEST_F(ModbusSerial, ARowCopiedInOneGridIsRefusedInTheOther)
{
    open();
    TableWindowDriver::setRow(*w->ACG_Modbus_Read, 1, readRow("Input Register", "1", "0"));
    user->clickCell(*w->ACG_Modbus_Read, rd::Slave_ID, 1);
    user->press("Btn_CopyRow");
    EXPECT_TRUE(w->Do_Copy_In_Read());
    EXPECT_FALSE(w->Do_Copy_In_Write());
    user->clickCell(*w->ACG_Modbus_Write, wr::Slave_ID, 1);
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!!! Copy a valid row before Paste it"));
    EXPECT_EQ(w->ACG_Modbus_Write->Cells(wr::Slave_ID, 1), QString());

    // Pasted in its own grid the row comes with its hidden Topic cell.
    user->clickCell(*w->ACG_Modbus_Read, rd::Slave_ID, 5);
    user->press("Btn_PasteRow");
    EXPECT_EQ(w->ACG_Modbus_Read->Cells(rd::Mnemonic, 5), QStringLiteral("r"));

    messages.answers = {platform::MsgResult::Yes};
    user->press("Btn_DelRow");
    EXPECT_EQ(messages.shown.back().text, QStringLiteral("Are you sure to delete the Row number 5"));
    EXPECT_EQ(w->ACG_Modbus_Read->Cells(rd::Mnemonic, 5), QString());

    open();
    EXPECT_FALSE(w->Do_Copy_In_Read());
    EXPECT_FALSE(w->Do_Copy_In_Write());
}

TEST_F(ModbusSerial, Screenshot)
{
    open();
    TableWindowDriver::setRow(*w->ACG_Modbus_Read, 1, readRow("Holding Register", "10", "0"));
    TableWindowDriver::setRow(*w->ACG_Modbus_Read, 2, readRow("Coil Status", "16", "20", "3"));
    user->checkTablePicture(QStringLiteral("windows/ModbusM_SetAccess_window.png"), QSize(1040, 337),
                            *w->ACG_Modbus_Read, 2, 2, 5);
}

} // namespace
