// The CANopen SDO client table on its two sheets: the rules with their exact messages (first
// error only; the read sheet's poll time starts at 1, the write sheet's at 0), the saved file
// with the write sheet's On Change column, and a row copied on one sheet refused on the other.

#include "protocols/fieldbus/canopen/USet_SDO_Client_Access.h"

#include "common/UComonState.h"
#include "platform/Services.h"
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

using fieldbus::TFSet_SDO_Client_Access;
using testsupport::TableWindowDriver;

class SDOClient : public testsupport::TableWindowTest<TFSet_SDO_Client_Access> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start(&common::TProgramState::File_SDO_Client_CANopen, "SDO_Client_CANopen.xml");
    }

    void open()
    {
        w->hide();
        user->open();
    }
};

TEST_F(SDOClient, RequestsAreSavedAsTypedWithOnChangeOnTheWriteSheet)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Set SDO Client"));
    EXPECT_EQ(w->PageControl1->tabText(0), QStringLiteral("SDO Read"));
    EXPECT_EQ(w->PageControl1->tabText(1), QStringLiteral("SDO Write"));
    EXPECT_EQ(w->sga->RowCount(), 257);
    EXPECT_EQ(w->sga->ColCount(), 11);
    EXPECT_EQ(w->sgb->ColCount(), 12);
    EXPECT_EQ(w->sgb->Cells(2, 0), QStringLiteral("Index"));
    EXPECT_EQ(w->sgb->Cells(6, 0), QStringLiteral("On Change"));
    user->type("sga", 1, 1, QStringLiteral("0x7F"));
    user->type("sga", 2, 1, QStringLiteral("0x1000"));
    user->type("sga", 3, 1, QStringLiteral("0"));
    user->type("sga", 4, 1, QStringLiteral("2"));
    user->type("sga", 5, 1, QStringLiteral("1"));
    user->type("sga", 6, 1, QStringLiteral("0"));
    user->type("sga", 7, 1, QStringLiteral("1499"));
    user->type("sga", 10, 1, QStringLiteral("Drive \"A\""));
    TableWindowDriver::setRow(*w->sgb, 1, {"1", "0xFFFF", "0xFF", "4", "0", "Y", "1", "2", "3", "4", "all"});
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFSet_SDO_Client_Access::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()),
              testsupport::readFile(testsupport::fixturePath(QStringLiteral("canopen/SDO_Client_CANopen_window.xml"))));

    open();
    EXPECT_EQ(w->sga->Cells(10, 1), QStringLiteral("Drive \"A\""));
    EXPECT_EQ(w->sgb->Cells(6, 1), QStringLiteral("Y"));
}

TEST_F(SDOClient, FirstErrorOfEitherSheetIsShown)
{
    // Device ID, Index, SubIndex, N Byte, Poll Time, then the read sheet's Add Byte1..4 or the
    // write sheet's On Change and Add Byte1..4.
    struct Case {
        bool write;
        QStringList row2;
        const char* message; // nullptr: passes
    } cases[] = {
        {false, {"0", "0x1000", "0", "1", "1", "0"}, "Error row 2!! [SDO Read] Device ID must be between 1 and 127"},
        {false, {"128", "0x1000", "0", "1", "1", "0"}, "Error row 2!! [SDO Read] Device ID must be between 1 and 127"},
        {true,
         {"128", "0x1000", "0", "1", "1", "N", "0"},
         "Error row 2!! [SDO Write] Device ID must be between 1 and 127"},
        {false, {"0x7F", "0x1000", "0", "1", "1", "0"}, nullptr},
        {true, {"1", "0xFFFF", "0", "1", "1", "N", "0"}, nullptr},
        {false,
         {"1", "0x0FFF", "0", "1", "1", "0"},
         "Error row 2!! [SDO Read] Index must be between 0x1000 and 0xFFFF"},
        {true,
         {"1", "0x0FFF", "0", "1", "1", "N", "0"},
         "Error row 2!! [SDO Write] Index must be between 0x1000 and 0xFFFF"},
        {false,
         {"1", "0x1000", "0x100", "1", "1", "0"},
         "Error row 2!! [SDO Read] SubIndex must be between 0x00 and 0xFF"},
        {true, {"1", "0x1000", "0", "3", "1", "N", "0"}, "Error row 2!! [SDO Write] N Byte must be 1 or 2 or 4"},
        {false,
         {"1", "0x1000", "0", "1", "0", "0"},
         "Error row 2!! [SDO Read] Poll Time must be between 1 and 100000000"},
        {true, {"1", "0x1000", "0", "1", "0", "N", "0"}, nullptr},
        {true,
         {"1", "0x1000", "0", "1", "100000001", "N", "0"},
         "Error row 2!! [SDO Write] Poll Time must be between 0 and 100000000"},
        {false,
         {"1", "0x1000", "0", "1", "1", ""},
         "Error row 2!! [SDO Read] Address Byte1 must be between 0 and 1499"},
        {false, {"1", "0x1000", "0", "2", "1", "0", "1", "", ""}, nullptr}, // bytes 3 and 4 beyond N Byte
        {false,
         {"1", "0x1000", "0", "4", "1", "0", "1", "", "3"},
         "Error row 2!! [SDO Read] Address Byte3 must be between 0 and 1499"},
        {false,
         {"1", "0x1000", "0", "4", "1", "0", "1", "2", "1500"},
         "Error row 2!! [SDO Read] Address Byte4 must be between 0 and 1499"},
        {true,
         {"1", "0x1000", "0", "2", "1", "N", "0", "x"},
         "Error row 2!! [SDO Write] Address Byte2 must be between 0 and 1499"},
        {true,
         {"1", "0x1000", "0", "4", "1", "N", "0", "1", ""},
         "Error row 2!! [SDO Write] Address Byte3 must be between 0 and 1499"},
        // Two failures in one row: only the first is shown.
        {false, {"0", "0x0FFF", "0", "3", "0", ""}, "Error row 2!! [SDO Read] Device ID must be between 1 and 127"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row2.join(QLatin1Char('|')).toStdString());
        open();
        TableWindowDriver::setRow(*w->sga, 1, {"1", "0x1000", "0", "1", "1", "0"});
        TableWindowDriver::setRow(*w->sgb, 1, {"1", "0x1000", "0", "1", "0", "N", "0"});
        TableWindowDriver::setRow(k.write ? *w->sgb : *w->sga, 2, k.row2);
        EXPECT_EQ(w->First_Error().value_or(QString()), QString::fromLatin1(k.message ? k.message : ""));
    }
}

TEST_F(SDOClient, ARowCopiedOnOneSheetIsRefusedOnTheOther)
{
    open();
    TableWindowDriver::setRow(*w->sgb, 1, {"1", "0x1000", "0", "1", "0", "Y", "0", "", "", "", "w"});
    user->clickCell(*w->sgb, 2, 1);
    user->press("Btn_CopyRow");
    EXPECT_FALSE(w->Do_Copy_SDO_Read());
    EXPECT_TRUE(w->Do_Copy_SDO_Write());
    user->clickCell(*w->sga, 2, 1);
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!!! Copy a valid row before Paste it"));
    EXPECT_EQ(w->sga->Cells(1, 1), QString());

    // Shown again, both flags are cleared.
    open();
    EXPECT_FALSE(w->Do_Copy_SDO_Read());
    EXPECT_FALSE(w->Do_Copy_SDO_Write());
}

TEST_F(SDOClient, HeaderHintsAndRowSelectionFollowTheGrid)
{
    open();
    QString hint;
    w->sgb->GetCellHint(6, 0, hint);
    EXPECT_EQ(hint, QStringLiteral(
                        "Enable or Disable the possibility to send the CANopen SDO Request if a Data Byte changes"));
    w->sga->GetCellHint(6, 0, hint);
    EXPECT_EQ(hint, QStringLiteral("Insert the position of array where place in byte 1 of CANopen SDO Request"));
    for (grid::TQvColumnGrid* g : {w->sga, w->sgb}) {
        // Row 9 lies below the grid's visible rows: scrolled to first, as the user would.
        TableWindowDriver::bringForward(*g);
        g->ScrollInView(0, 9);
        user->clickCell(*g, 0, 9);
        EXPECT_EQ(g->Selection().Top, 9);
        EXPECT_EQ(g->Selection().Bottom, 9);
    }
}

TEST_F(SDOClient, Screenshot)
{
    open();
    TableWindowDriver::setRow(*w->sgb, 1, {"5", "0x6040", "0", "2", "100", "Y", "0", "1", "", "", "Control word"});
    TableWindowDriver::bringForward(*w->sgb);
    user->checkTablePicture(QStringLiteral("windows/SDO_Client_Access_window.png"), QSize(798, 337), *w->sgb, 2, 1, 5);
}

} // namespace
