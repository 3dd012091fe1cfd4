// The S7 client tables: the ten PLC connections counted over the enabled rows of both tables,
// the rules with their exact messages, an item that must fit in the data array from its
// Position, rows saved as typed, "Rack" and "Slot" missing from a file read as "0", and the
// row buttons with their own delete question.

#include "protocols/ethernet/s7/US7_Protocol_Set_Access.h"

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
#include <vector>

namespace {

using ethernet::TFS7_Protocol_Set_Access;
using testsupport::TableWindowDriver;
namespace rd = ethernet::s7_read_col;
namespace wr = ethernet::s7_write_col;

// Enable, PLC Address, PLC Port, PLC Type, Rack, Slot, Data Type, Data Identifier, DB Number,
// PLC Area, PLC Add, PLC Bit, Poll Time, Position, Start Bit, Swap, Swap Word, Mnemonic
QStringList readRow(const QString& address, const char* port = "102", const char* enable = "Y")
{
    return {enable,       address, port, "S71200", "0", "1", "Byte", "DB", "1",
            "Inputs (I)", "0",     "0",  "100",    "0", "0", "N",    "N",  "m"};
}

// ... Poll Time, On Change, On CMD, Position, Start Bit, Swap, Swap Word, Mnemonic
QStringList writeRow(const QString& address, const char* port = "102", const char* enable = "Y")
{
    return {enable, address, port, "S71200", "0", "1", "Byte", "DB", "1", "Output (Q)",
            "0",    "0",     "0",  "Y",      "N", "0", "0",    "N",  "N", "m"};
}

QString plc(int n)
{
    return QStringLiteral("127.0.0.%1").arg(n);
}

// Rows for PLCs first .. last, one each.
std::vector<QStringList> plcs(int first, int last)
{
    std::vector<QStringList> rows;
    for (int n = first; n <= last; ++n)
        rows.push_back(readRow(plc(n)));
    return rows;
}

QStringList with(QStringList row, int col, const char* value)
{
    row[col - 1] = QString::fromLatin1(value);
    return row;
}

class S7Access : public testsupport::TableWindowTest<TFS7_Protocol_Set_Access> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start(&common::TProgramState::File_S7_Protocol, "S7_Protocol.xml");
    }

    void open()
    {
        w->hide();
        user->open();
    }

    void fill(tables::TTableGrid& grid, const std::vector<QStringList>& rows)
    {
        for (size_t i = 0; i < rows.size(); ++i)
            TableWindowDriver::setRow(grid, int(i) + 1, rows[i]);
    }

    QByteArray fixture(const char* name) const
    {
        return testsupport::readFile(testsupport::fixturePath(QStringLiteral("s7/") + QLatin1String(name)));
    }
};

TEST_F(S7Access, TenConnectionsOverTheEnabledRowsOfBothTables)
{
    const auto ten = plcs(1, 10);
    const auto plus = [](std::vector<QStringList> rows, const std::vector<QStringList>& more) {
        rows.insert(rows.end(), more.begin(), more.end());
        return rows;
    };
    std::vector<QStringList> twoPorts = {readRow(plc(1), "102"), readRow(plc(1), "103")};
    twoPorts = plus(twoPorts, plcs(2, 9));
    std::vector<QStringList> oneDisabled = ten;
    oneDisabled[4][0] = QStringLiteral("N");
    struct Case {
        const char* what;
        std::vector<QStringList> read;
        std::vector<QStringList> write;
        const char* message; // nullptr: passes
    } cases[] = {
        {"ten addresses", ten, {}, nullptr},
        {"an eleventh read", plus(ten, plcs(11, 11)), {}, "Error row 11!! [S7comm Read] Device support 10 connection"},
        {"an eleventh write", ten, {writeRow(plc(11))}, "Error row 1!! [S7comm Write] Device support 10 connection"},
        {"rows reusing the ten",
         plus(ten, {readRow(plc(3)), readRow(plc(10)), readRow(plc(1))}),
         {writeRow(plc(10)), writeRow(plc(1))},
         nullptr},
        {"one address with two ports counts two", twoPorts, {}, nullptr},
        {"and an eleventh beside them",
         plus(twoPorts, plcs(10, 10)),
         {},
         "Error row 11!! [S7comm Read] Device support 10 connection"},
        {"a port of the write table is a connection of its own",
         ten,
         {writeRow(plc(10), "103")},
         "Error row 1!! [S7comm Write] Device support 10 connection"},
        {"a disabled row counts none", plus(oneDisabled, plcs(11, 11)), {}, nullptr},
        {"a disabled write row counts none", ten, {writeRow(plc(11), "102", "N"), writeRow(plc(2))}, nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        open();
        fill(*w->ACG_S7_Read, k.read);
        fill(*w->ACG_S7_Write, k.write);
        EXPECT_EQ(w->First_Error().value_or(QString()), QString::fromLatin1(k.message ? k.message : ""));
    }
}

TEST_F(S7Access, RulesInOrderWithTheirMessages)
{
    const QStringList r = readRow(plc(1));
    const QStringList wrow = writeRow(plc(1));
    struct Case {
        bool write;
        QStringList row3;
        const char* message; // nullptr: passes
    } cases[] = {
        {false, with(r, rd::PLC_Address, "1.2.3"),
         "Error row 3!! [S7comm Read] PLC Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {false, with(r, rd::PLC_Port, "65536"), "Error row 3!! [S7comm Read] PLC Port must be between 0 and 65535"},
        {false, with(r, rd::PLC_Type, "  "), "Error row 3!! [S7comm Read] PLC Type cannot be empty"},
        {false, with(r, rd::Rack, "3"), nullptr},
        {false, with(r, rd::Rack, "4"), "Error row 3!! [S7comm Read] Rack must be between 0 and 3"},
        {false, with(r, rd::Slot, "31"), nullptr},
        {false, with(r, rd::Slot, "32"), "Error row 3!! [S7comm Read] Slot must be between 0 and 31"},
        {false, with(r, rd::Data_Type, ""), "Error row 3!! [S7comm Read] Data Type cannot be empty"},
        {false, with(r, rd::Data_Identifier, ""), "Error row 3!! [S7comm Read] Data Identifier cannot be empty"},
        {false, with(r, rd::DB_Number, "65536"), "Error row 3!! [S7comm Read] DB Number must be between 0 and 65535"},
        {false, with(r, rd::PLC_Area, ""), "Error row 3!! [S7comm Read] PLC Area cannot be empty"},
        {false, with(r, rd::PLC_Add, "-1"), "Error row 3!! [S7comm Read] PLC Address must be between 0 and 65535"},
        {false, with(r, rd::PLC_Bit, ""), "Error row 3!! [S7comm Read] PLC Bit cannot be empty"},
        {false, with(r, rd::PollTime, "0"), "Error row 3!! [S7comm Read] Poll Time must be between 1 and 100000000"},
        {false, with(r, rd::Position, "1500"), "Error row 3!! [S7comm Read] Position must be between 0 and 1499"},
        {false, with(r, rd::Bit, ""), "Error row 3!! [S7comm Read] Start Bit cannot be empty"},
        // The item must fit from its Position: Byte 1, Word and Int 2, DWord, DInt and Real 4.
        {false, with(r, rd::Position, "1499"), nullptr},
        {false, with(with(r, rd::Data_Type, "Real"), rd::Position, "1496"), nullptr},
        {false, with(with(r, rd::Data_Type, "Real"), rd::Position, "1497"),
         "Error row 3!! [S7comm Read] Too many bytes to save starting from the Position indicate"},
        {false, with(with(r, rd::Data_Type, " real"), rd::Position, "1499"),
         "Error row 3!! [S7comm Read] Too many bytes to save starting from the Position indicate"},
        {false, with(with(r, rd::Data_Type, "DInt"), rd::Position, "1497"),
         "Error row 3!! [S7comm Read] Too many bytes to save starting from the Position indicate"},
        {false, with(with(r, rd::Data_Type, "Int"), rd::Position, "1498"), nullptr},
        {false, with(with(r, rd::Data_Type, "Char"), rd::Position, "1499"), nullptr},
        {true, with(wrow, wr::PollTime, "0"), nullptr},
        {true, with(wrow, wr::PollTime, "-1"),
         "Error row 3!! [S7comm Write] Poll Time must be between 0 and 100000000"},
        {true, with(wrow, wr::Rack, "4"), "Error row 3!! [S7comm Write] Rack must be between 0 and 3"},
        {true, with(wrow, wr::Position, "1500"), "Error row 3!! [S7comm Write] Position must be between 0 and 1499"},
        {true, with(wrow, wr::Bit, " "), "Error row 3!! [S7comm Write] Start Bit cannot be empty"},
        {true, with(with(wrow, wr::Data_Type, "Word"), wr::Position, "1499"),
         "Error row 3!! [S7comm Write] Too many bytes to read starting from the Position indicate"},
        {true, with(with(wrow, wr::Data_Type, "DWord"), wr::Position, "1496"), nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row3.join(QLatin1Char('|')).toStdString());
        open();
        fill(*w->ACG_S7_Read, {r, r});
        fill(*w->ACG_S7_Write, {wrow, wrow});
        TableWindowDriver::setRow(k.write ? *w->ACG_S7_Write : *w->ACG_S7_Read, 3, k.row3);
        EXPECT_EQ(w->First_Error().value_or(QString()), QString::fromLatin1(k.message ? k.message : ""));
    }
}

TEST_F(S7Access, CheckIpPortTakesTheFirstFreeEntryAndRefusesAnEleventh)
{
    w->array_ip_Port.assign(TFS7_Protocol_Set_Access::kConnections, ethernet::TIPPort{});
    for (int n = 0; n < 10; ++n)
        EXPECT_EQ(w->Check_IP_Port(127, 0, 0, std::uint8_t(n), 102), n);
    EXPECT_EQ(w->Check_IP_Port(127, 0, 0, 3, 102), 3);
    EXPECT_EQ(w->Check_IP_Port(127, 0, 0, 3, 103), -1);
    EXPECT_EQ(w->array_ip_Port[9].IP4, 9);
}

TEST_F(S7Access, TypedRowsAreSavedAsTyped)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("S7comm Access"));
    EXPECT_EQ(w->PageControl1->tabText(1), QStringLiteral("S7comm Write"));
    EXPECT_EQ(w->ACG_S7_Read->ColCount(), 19);
    EXPECT_EQ(w->ACG_S7_Write->ColCount(), 21);
    const struct {
        int col;
        const char* text;
    } typed[] = {
        {rd::PLC_Address, "127.0.0.1"},
        {rd::PLC_Port, "102"},
        {rd::PLC_Type, "S71200"},
        {rd::Rack, "0"},
        {rd::Slot, "1"},
        {rd::Data_Type, "Real"},
        {rd::Data_Identifier, "DB"},
        {rd::DB_Number, "10"},
        {rd::PLC_Area, "Inputs (I)"},
        {rd::PLC_Add, "4"},
        {rd::PLC_Bit, "0"},
        {rd::PollTime, "100"},
        {rd::Position, "1496"},
        {rd::Bit, "0"},
        {rd::Mnemonic, "Temp & flow"},
    };
    for (const auto& t : typed)
        user->type("ACG_S7_Read", t.col, 1, QString::fromLatin1(t.text));
    w->ACG_S7_Read->SetCells(rd::Swap, 1, QStringLiteral("Y"));
    w->ACG_S7_Read->SetCells(rd::SwapWord, 1, QStringLiteral("N"));
    TableWindowDriver::setRow(
        *w->ACG_S7_Read, 2,
        {"N", "300.1.1.1", "x", "", "9", "99", "Real", "", "", "", "", "", "0", "1499", "", "", "", "note"});
    TableWindowDriver::setRow(*w->ACG_S7_Write, 1,
                              {"Y",     "127.0.0.1", "102", "S7300", "3", "31",   "Word", "DB", "65535", "Output (Q)",
                               "65535", "7",         "0",   "Y",     "N", "1498", "7",    "N",  "Y",     "out"});
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFS7_Protocol_Set_Access::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()), fixture("S7_Protocol_window.xml"));
}

TEST_F(S7Access, AFileWithoutRackAndSlotLoadsZeroInBoth)
{
    ASSERT_TRUE(testsupport::writeFile(path(), fixture("S7_Protocol_no_rack_slot.xml")));
    open();
    ASSERT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(w->ACG_S7_Read->Cells(rd::Rack, 1), QStringLiteral("0"));
    EXPECT_EQ(w->ACG_S7_Read->Cells(rd::Slot, 1), QStringLiteral("0"));
    EXPECT_EQ(w->ACG_S7_Read->Cells(rd::Enable, 1), QStringLiteral("Y"));
    EXPECT_EQ(w->ACG_S7_Write->Cells(wr::Rack, 1), QStringLiteral("2"));
    EXPECT_EQ(w->ACG_S7_Write->Cells(wr::Slot, 1), QStringLiteral("0"));
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()), fixture("S7_Protocol_no_rack_slot_saved.xml"));
}

TEST_F(S7Access, ARowWithoutARequiredAttributeIsReportedAndTheWindowCloses)
{
    QByteArray file = fixture("S7_Protocol_no_rack_slot.xml");
    file.replace(" Swap=\"N\" SwapWord=\"N\" Mnemonic=\"x\"", " Swap=\"N\" Mnemonic=\"x\"");
    ASSERT_TRUE(testsupport::writeFile(path(), file));
    open();
    QCoreApplication::processEvents();
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Missing attribute \"SwapWord\""));
    EXPECT_EQ(user->result(), TFS7_Protocol_Set_Access::kModalCancel);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(S7Access, RowButtonsAskTheirOwnDeleteQuestionAndKeepOneCopyFlagPerGrid)
{
    open();
    EXPECT_EQ(w->Btn_OK->toolTip(), QStringLiteral("Confirm and save the configuration"));
    EXPECT_NE(w->ACG_S7_Read->findChild<tables::TTableEvents*>(), nullptr);
    EXPECT_EQ(w->ACG_S7_Write->findChild<tables::TTableEvents*>(), nullptr);
    EXPECT_EQ(w->Hint_S7_Set_Access_Read().value(rd::Rack - 1), QStringLiteral("Insert the Rack"));
    EXPECT_EQ(w->Hint_S7_Set_Access_Write().value(wr::OnCMD - 1), QStringLiteral("Enable or Disable the On CMD"));

    TableWindowDriver::setRow(*w->ACG_S7_Read, 1, readRow(plc(1)));
    user->clickCell(*w->ACG_S7_Read, rd::PLC_Port, 1);
    user->press("Btn_CopyRow");
    EXPECT_TRUE(w->Do_Copy_In_Read());
    user->clickCell(*w->ACG_S7_Write, wr::PLC_Port, 2);
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!!! Copy a valid row before Paste it"));

    messages.answers = {platform::MsgResult::No};
    user->press("Btn_DelRow");
    EXPECT_EQ(messages.shown.back().text, QStringLiteral("Are you sure to delete the Row number 2"));

    user->clickCell(*w->ACG_S7_Read, 0, 1);
    user->press("Btn_InsRow");
    EXPECT_EQ(w->ACG_S7_Read->Cells(rd::PLC_Address, 2), plc(1));
    EXPECT_EQ(w->ACG_S7_Read->Cells(rd::Enable, 1), QStringLiteral("Y"));
    EXPECT_EQ(w->ACG_S7_Read->Cells(rd::PLC_Address, 1), QString());
}

TEST_F(S7Access, Screenshot)
{
    open();
    fill(*w->ACG_S7_Read, {readRow(plc(1)), with(readRow(plc(2), "1102"), rd::Data_Type, "Real")});
    user->checkTablePicture(QStringLiteral("windows/S7_Protocol_window.png"), QSize(1350, 337), *w->ACG_S7_Read, 2, 2,
                            5);
}

} // namespace
