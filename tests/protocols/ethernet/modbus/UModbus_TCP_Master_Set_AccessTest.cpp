// The Modbus TCP master tables: the slave address check, the address and port rules before
// the serial twin's rules, the blank address that ends a table, rows saved with "Index_Topic"
// "-1", Enter moving on only in the write table, captions kept in every language and the
// sheets' copy flags.

#include "protocols/ethernet/modbus/UModbus_TCP_Master_Set_Access.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
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
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

using ethernet::TFModbus_TCP_Master_Set_Access;
using testsupport::TableWindowDriver;
namespace rd = ethernet::modbus_tcp_read_col;
namespace wr = ethernet::modbus_tcp_write_col;

// Enable, IP Address, Port, Slave ID, Type, Address, NPoint, Poll Time, Max Error, Position,
// Start Bit, Swap, Swap Word, Topic, Mnemonic
QStringList readRow(const char* ip, const char* port = "502", const char* type = "Input Register",
                    const char* npoint = "1", const char* pollTime = "100")
{
    return {"Y", ip, port, "1", type, "0", npoint, pollTime, "0", "0", "0", "N", "N", "", "r"};
}

// Enable, IP Address, Port, Slave ID, Type, Address, NPoint, Poll Time, On Change, On CMD,
// Max Error, Position, Start Bit, Swap, Swap Word, Mnemonic
QStringList writeRow(const char* ip, const char* port = "502", const char* type = "Holding Register",
                     const char* npoint = "1", const char* pollTime = "100")
{
    return {"Y", ip, port, "1", type, "0", npoint, pollTime, "Y", "N", "0", "0", "0", "N", "N", "w"};
}

class ModbusTcp : public testsupport::TableWindowTest<TFModbus_TCP_Master_Set_Access> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        common::State().File_ModbusTCPM_SetAccess =
            QDir(tmp.path()).filePath(QStringLiteral("ModbusTCPM_SetAccess.xml"));
        Start();
    }

    void TearDown() override
    {
        common::State().Enable_Jump_Field_Tables = false;
        ProgramFolderTest::TearDown();
    }

    void open()
    {
        w->hide();
        user->open();
    }

    QString path() const { return common::State().File_ModbusTCPM_SetAccess; }
    QByteArray fixture(const char* name) const
    {
        return testsupport::readFile(testsupport::fixturePath(QStringLiteral("modbus/") + QLatin1String(name)));
    }
};

TEST_F(ModbusTcp, CheckIpAddressIsTrueForAnAddressThatCannotBeUsed)
{
    const struct {
        const char* text;
        bool unusable;
    } cases[] = {
        {"192.168.1.125", false},
        {"0.0.0.0", false},
        {"255.255.255.255", false},
        {"1.2.3", true},
        {"1.2.3.4.5", true},
        {"1.2.300.4", true},
        {"", true},
        {"   ", true},
        {"1..3.4", true},
        {"1.2.3.4 ", true},
        {"1.2.3.-1", true},
        {"a.b.c.d", true},
    };
    for (const auto& k : cases)
        EXPECT_EQ(TFModbus_TCP_Master_Set_Access::Check_IP_Address(QString::fromLatin1(k.text)), k.unusable)
            << '"' << k.text << '"';
}

TEST_F(ModbusTcp, AddressAndPortComeFirstThenTheSerialTablesRules)
{
    struct Case {
        bool write;
        QStringList row3;
        const char* message; // nullptr: passes
    } cases[] = {
        {false, readRow("127.0.0.1"), nullptr},
        {false, readRow("127.0.0.300"),
         "Error row 3!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {false, readRow("1.2.3"),
         "Error row 3!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {false, readRow("1.2.3.4.5"),
         "Error row 3!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {false, readRow("127.0.0.1", "70000"), "Error row 3!! [Modbus Read] Port must be between 0 and 65535"},
        {false, readRow("127.0.0.1", "502", "Holding Register", "126"),
         "Error row 3!! [Modbus Read] NPoint must be between 1 and 125"},
        {false, readRow("127.0.0.1", "502", "Coil Status", "2000"), nullptr},
        {false, readRow("127.0.0.1", "502", "Input Register", "1", "0"),
         "Error row 3!! [Modbus Read] Poll Time must be between 1 and 100000000"},
        {true, writeRow("127.0.0.1", "502", "Holding Register", "1", "0"), nullptr},
        {true, writeRow("255.255.255.256"),
         "Error row 3!! [Modbus Write] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {true, writeRow("127.0.0.1", "-1"), "Error row 3!! [Modbus Write] Port must be between 0 and 65535"},
        {true, writeRow("127.0.0.1", "502", "Coil Status", "1969"),
         "Error row 3!! [Modbus Write] NPoint must be between 1 and 1968"},
        {true,
         {"Y", "127.0.0.1", "502", "1", "Holding Register", "0", "2", "0", "Y", "N", "0", "1498"},
         "Error row 3!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
        {true,
         {"Y", "127.0.0.1", "502", "1", "Coil Status", "0", "1", "0", "Y", "N", "0", "0", ""},
         "Error row 3!! [Modbus Write] Bit must be between 0 and 7"},
        // An address of blanks with nothing below ends the table instead of failing.
        {false, {"Y", "   "}, nullptr},
        {true, {"Y", "   "}, nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row3.join(QLatin1Char('|')).toStdString());
        open();
        for (int r = 1; r <= 2; ++r) {
            TableWindowDriver::setRow(*w->ACG_Modbus_Read, r, readRow("127.0.0.1"));
            TableWindowDriver::setRow(*w->ACG_Modbus_Write, r, writeRow("127.0.0.1"));
        }
        TableWindowDriver::setRow(k.write ? *w->ACG_Modbus_Write : *w->ACG_Modbus_Read, 3, k.row3);
        EXPECT_EQ(w->First_Error().value_or(QString()), QString::fromLatin1(k.message ? k.message : ""));
    }
}

TEST_F(ModbusTcp, EveryReadRowIsSavedWithTopicIndexMinusOne)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Set Modbus TCP Master Access"));
    EXPECT_EQ(w->ACG_Modbus_Read->ColCount() + w->ACG_Modbus_Read->NumHiddenColumns(), 16);
    EXPECT_TRUE(w->ACG_Modbus_Read->IsHiddenColumn(rd::Topic));
    EXPECT_EQ(w->ACG_Modbus_Write->ColCount(), 17);
    user->type("ACG_Modbus_Read", rd::IP_Address, 1, QStringLiteral("127.0.0.1"));
    user->type("ACG_Modbus_Read", rd::Port, 1, QStringLiteral("502"));
    user->type("ACG_Modbus_Read", rd::Slave_ID, 1, QStringLiteral("1"));
    user->type("ACG_Modbus_Read", rd::Type, 1, QStringLiteral("Input Register"));
    user->type("ACG_Modbus_Read", rd::Address, 1, QStringLiteral("30"));
    user->type("ACG_Modbus_Read", rd::NPoint, 1, QStringLiteral("125"));
    user->type("ACG_Modbus_Read", rd::PollTime, 1, QStringLiteral("250"));
    user->type("ACG_Modbus_Read", rd::MaxError, 1, QStringLiteral("5"));
    user->type("ACG_Modbus_Read", rd::Position, 1, QStringLiteral("1250"));
    user->type("ACG_Modbus_Read", rd::Bit, 1, QStringLiteral("0"));
    w->ACG_Modbus_Read->SetCells(rd::Swap, 1, QStringLiteral("Y"));
    w->ACG_Modbus_Read->SetCells(rd::SwapWord, 1, QStringLiteral("N"));
    user->type("ACG_Modbus_Read", 14, 1, QStringLiteral("Meter")); // the Mnemonic, left of the hidden Topic
    TableWindowDriver::setRow(*w->ACG_Modbus_Read, 2,
                              {"N", "1.2.3", "70000", "0", "", "", "", "", "", "", "", "", "", "", "spare"});
    TableWindowDriver::setRow(
        *w->ACG_Modbus_Read, 3,
        {"Y", "0.0.0.0", "0", "247", "Input Status", "0", "2000", "1", "0", "0", "0", "N", "N", "", ""});
    TableWindowDriver::setRow(*w->ACG_Modbus_Write, 1,
                              {"Y", "255.255.255.255", "65535", "2", "Holding Register", "7", "1", "0", "Y", "Y", "0",
                               "1498", "", "N", "N", "Set point"});
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFModbus_TCP_Master_Set_Access::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()), fixture("ModbusTCPM_SetAccess_window.xml"));
}

TEST_F(ModbusTcp, TopicIndexesLoadEmptyCellsAndMissingFlagsTakeTheirDefaults)
{
    ASSERT_TRUE(testsupport::writeFile(path(), fixture("ModbusTCPM_SetAccess_topics.xml")));
    open();
    ASSERT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(w->ACG_Modbus_Read->Cells(rd::Topic, 1), QString());
    EXPECT_EQ(w->ACG_Modbus_Read->Cells(rd::IP_Address, 2), QStringLiteral("127.0.0.2"));
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()), fixture("ModbusTCPM_SetAccess_topics_saved.xml"));
}

TEST_F(ModbusTcp, ARowWithoutItsAddressIsReportedAndTheWindowCloses)
{
    const QByteArray file = "<PROFINET_Master_to_Modbus_TCP_Master><Modbus_Read>"
                            "<row Port=\"502\" Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" NPoint=\"1\" "
                            "PollTime=\"1\" MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"\" />"
                            "</Modbus_Read><Modbus_Write /></PROFINET_Master_to_Modbus_TCP_Master>";
    ASSERT_TRUE(testsupport::writeFile(path(), file));
    open();
    QCoreApplication::processEvents();
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Missing attribute \"IP_Address\""));
    EXPECT_EQ(user->result(), TFModbus_TCP_Master_Set_Access::kModalCancel);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(ModbusTcp, EnterMovesOnInTheWriteTableOnly)
{
    open();
    common::State().Enable_Jump_Field_Tables = true;
    for (tables::TTableGrid* g : {w->ACG_Modbus_Read, w->ACG_Modbus_Write}) {
        TableWindowDriver::bringForward(*g);
        g->SetCol(rd::Port);
        g->SetRow(4);
        g->setFocus();
        QTest::keyClick(g, Qt::Key_Return);
        const bool moves = g == w->ACG_Modbus_Write;
        EXPECT_EQ(g->Col(), moves ? rd::Port + 1 : rd::Port) << g->objectName().toStdString();
        EXPECT_EQ(g->Row(), 4);
        g->HideInplaceEdit();
    }
}

TEST_F(ModbusTcp, CopyAndPasteKeepTheirCaptionsInEveryLanguageAndNothingShowsHints)
{
    common::Lang_Str()[2002] = QStringLiteral("Conferma");
    common::Lang_Str()[1906] = QStringLiteral("Copia riga");
    w->Set_Lang();
    EXPECT_EQ(w->Btn_OK->Caption(), QStringLiteral("Conferma"));
    EXPECT_EQ(w->Btn_CopyRow->Caption(), QStringLiteral("Copy Row"));
    EXPECT_EQ(w->Btn_PasteRow->Caption(), QStringLiteral("Paste Row"));
    EXPECT_EQ(w->Btn_CopyRow->toolTip(), QString());
    EXPECT_EQ(w->ACG_Modbus_Read->findChild<tables::TTableEvents*>(), nullptr);
    EXPECT_EQ(w->ACG_Modbus_Write->findChild<tables::TTableEvents*>(), nullptr);
    EXPECT_EQ(w->Hint_Modbus_Set_Access_Read().value(rd::SwapWord - 1),
              QStringLiteral("Enable or Disable the Swap Word"));
    EXPECT_EQ(w->Hint_Modbus_Set_Access_Read().value(rd::Topic - 1), QStringLiteral("Select the Topic"));
    EXPECT_EQ(w->Hint_Modbus_Set_Access_Write().value(wr::Mnemonic - 1), QStringLiteral("Insert the Mnemonic"));
}

TEST_F(ModbusTcp, ARowCopiedInOneGridIsRefusedInTheOther)
{
    open();
    TableWindowDriver::setRow(*w->ACG_Modbus_Write, 1, writeRow("127.0.0.1"));
    user->clickCell(*w->ACG_Modbus_Write, wr::Port, 1);
    user->press("Btn_CopyRow");
    EXPECT_TRUE(w->Do_Copy_In_Write());
    EXPECT_FALSE(w->Do_Copy_In_Read());
    user->clickCell(*w->ACG_Modbus_Read, rd::Port, 1);
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!!! Copy a valid row before Paste it"));
    EXPECT_EQ(w->ACG_Modbus_Read->Cells(rd::IP_Address, 1), QString());

    messages.answers = {platform::MsgResult::Yes};
    user->press("Btn_DelRow");
    EXPECT_EQ(messages.shown.back().text, QStringLiteral("Are you sure to delete the Row number 1"));
}

TEST_F(ModbusTcp, Screenshot)
{
    open();
    TableWindowDriver::setRow(*w->ACG_Modbus_Read, 1, readRow("127.0.0.1"));
    TableWindowDriver::setRow(*w->ACG_Modbus_Read, 2, readRow("127.0.0.2", "5020", "Coil Status", "16"));
    user->checkTablePicture(QStringLiteral("windows/ModbusTCPM_SetAccess_window.png"), QSize(1150, 337),
                            *w->ACG_Modbus_Read, 2, 2, 5);
}

} // namespace
