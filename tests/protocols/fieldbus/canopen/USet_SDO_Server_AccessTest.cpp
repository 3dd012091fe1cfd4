// The CANopen SDO server table on its two sheets: the rules with their exact messages (first
// error only), one object on both sheets saved twice, the write grid's header hints, a row
// copied on one sheet refused on the other, the write grid's row selection, and a row missing
// a required attribute refused at load.

#include "protocols/fieldbus/canopen/USet_SDO_Server_Access.h"

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

using fieldbus::TFSet_SDO_Server_Access;
using testsupport::TableWindowDriver;

class SDOServer : public testsupport::TableWindowTest<TFSet_SDO_Server_Access> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start(&common::TProgramState::File_SDO_Server_CANopen, "SDO_Server_CANopen.xml");
    }

    void open()
    {
        w->hide();
        user->open();
    }

    QByteArray fixture(const char* name) const
    {
        return testsupport::readFile(testsupport::fixturePath(QStringLiteral("canopen/") + QLatin1String(name)));
    }
};

TEST_F(SDOServer, OneObjectOnBothSheetsIsSavedTwice)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Set SDO Server"));
    EXPECT_EQ(w->PageControl1->tabText(0), QStringLiteral("SDO in Read"));
    EXPECT_EQ(w->PageControl1->tabText(1), QStringLiteral("SDO in Write"));
    EXPECT_EQ(w->sga->RowCount(), 501);
    EXPECT_EQ(w->sga->ColCount(), 9);
    EXPECT_EQ(w->sgb->ColCount(), 9);
    user->type("sga", 1, 1, QStringLiteral("0x2000"));
    user->type("sga", 2, 1, QStringLiteral("1"));
    user->type("sga", 3, 1, QStringLiteral("2"));
    user->type("sga", 4, 1, QStringLiteral("0"));
    user->type("sga", 5, 1, QStringLiteral("1499"));
    user->type("sga", 8, 1, QStringLiteral("Speed <rpm>"));
    TableWindowDriver::setRow(*w->sga, 2, {"8192", "$FF", "4", "10", "11", "12", "13", ""});
    TableWindowDriver::setRow(*w->sgb, 1, {"0x2000", "1", "1", "7", "", "", "", "set point"});
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFSet_SDO_Server_Access::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()), fixture("SDO_Server_CANopen_both_sheets.xml"));

    open();
    EXPECT_EQ(w->sga->Cells(2, 2), QStringLiteral("$FF"));
    EXPECT_EQ(w->sgb->Cells(8, 1), QStringLiteral("set point"));
}

TEST_F(SDOServer, FirstErrorOfEitherSheetIsShown)
{
    // Index, SubIndex, N Byte, Add Byte1..4
    struct Case {
        bool write;
        QStringList row2;
        const char* message; // nullptr: passes
    } cases[] = {
        {false, {"0x1FFF", "0", "1", "0"}, "Error row 2!! [SDO in Read] Index must be between 0x2000 and 0x5FFF"},
        {false, {"0x6000", "0", "1", "0"}, "Error row 2!! [SDO in Read] Index must be between 0x2000 and 0x5FFF"},
        {true, {"0x1FFF", "0", "1", "0"}, "Error row 2!! [SDO in Write] Index must be between 0x2000 and 0x5FFF"},
        {true, {"0x6000", "0", "1", "0"}, "Error row 2!! [SDO in Write] Index must be between 0x2000 and 0x5FFF"},
        {false, {"8192", "0", "1", "0"}, nullptr},
        {true, {"0x5FFF", "0xFF", "1", "0"}, nullptr},
        {false, {"0x2000", "256", "1", "0"}, "Error row 2!! [SDO in Read] SubIndex must be between 0x00 and 0xFF"},
        {false, {"0x2000", "0", "3", "0"}, "Error row 2!! [SDO in Read] N Byte must be 1 or 2 or 4"},
        {true, {"0x2000", "0", "", "0"}, "Error row 2!! [SDO in Write] N Byte must be 1 or 2 or 4"},
        {false, {"0x2000", "0", "0x4", "0", "1", "2", "3"}, nullptr},
        {false, {"0x2000", "0", "1", "0", "", "", ""}, nullptr}, // bytes 2 to 4 beyond N Byte
        {false, {"0x2000", "0", "2", "0", ""}, "Error row 2!! [SDO in Read] Address Byte2 must be between 0 and 1499"},
        {true,
         {"0x2000", "0", "2", "1500", "0"},
         "Error row 2!! [SDO in Write] Address Byte1 must be between 0 and 1499"},
        {false,
         {"0x2000", "0", "4", "0", "1", "", "3"},
         "Error row 2!! [SDO in Read] Address Byte3 must be between 0 and 1499"},
        {true,
         {"0x2000", "0", "4", "0", "1", "2", "-1"},
         "Error row 2!! [SDO in Write] Address Byte4 must be between 0 and 1499"},
        // Two failures in one row: only the first is shown.
        {false, {"0x1000", "300", "3", ""}, "Error row 2!! [SDO in Read] Index must be between 0x2000 and 0x5FFF"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row2.join(QLatin1Char('|')).toStdString());
        open();
        for (grid::TQvColumnGrid* g : {w->sga, w->sgb})
            TableWindowDriver::setRow(*g, 1, {"0x2000", "1", "1", "0"});
        TableWindowDriver::setRow(k.write ? *w->sgb : *w->sga, 2, k.row2);
        EXPECT_EQ(w->First_Error().value_or(QString()), QString::fromLatin1(k.message ? k.message : ""));
    }
}

TEST_F(SDOServer, AFailedCheckWritesNothingAndKeepsTheWindowOpen)
{
    open();
    TableWindowDriver::setRow(*w->sgb, 1, {"0x2000", "1", "3", "0"});
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error row 1!! [SDO in Write] N Byte must be 1 or 2 or 4"));
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_TRUE(w->isVisible());
}

TEST_F(SDOServer, HeaderHintsFollowTheGridHovered)
{
    open();
    QString hint;
    w->sgb->GetCellHint(1, 0, hint);
    EXPECT_EQ(hint, QStringLiteral("Insert the Index of SDO"));
    w->sgb->GetCellHint(4, 0, hint);
    EXPECT_EQ(hint, QStringLiteral("Insert the position of array where write the byte 1 of CANopen SDO Request"));
    w->sga->GetCellHint(4, 0, hint);
    EXPECT_EQ(hint, QStringLiteral("Insert the position of array where read the byte 1 of CANopen SDO Request"));
    w->sgb->GetCellHint(1, 3, hint);
    EXPECT_EQ(hint, QString());
    EXPECT_EQ(w->Hint_SDO_Client_Write().value(0), QStringLiteral("Insert the Index of SDO"));
}

TEST_F(SDOServer, ARowCopiedOnOneSheetIsRefusedOnTheOther)
{
    open();
    TableWindowDriver::setRow(*w->sga, 1, {"0x2000", "1", "1", "0", "", "", "", "copied"});
    user->clickCell(*w->sga, 2, 1);
    user->press("Btn_CopyRow");
    EXPECT_TRUE(w->Do_Copy_SDO_Read());
    EXPECT_FALSE(w->Do_Copy_SDO_Write());

    user->clickCell(*w->sgb, 2, 1);
    EXPECT_EQ(w->PageControl1->currentWidget(), w->TS_SDO_Write);
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!!! Copy a valid row before Paste it"));
    EXPECT_EQ(w->sgb->Cells(1, 1), QString());

    // On its own sheet the copy is pasted; Delete Row asks with the window's own text.
    user->clickCell(*w->sga, 2, 3);
    user->press("Btn_PasteRow");
    EXPECT_EQ(w->sga->Cells(8, 3), QStringLiteral("copied"));
    messages.answers = {platform::MsgResult::Yes};
    user->press("Btn_DelRow");
    EXPECT_EQ(messages.shown.back().text, QStringLiteral("Are you sure to delete the Row number 3"));
    EXPECT_EQ(w->sga->Cells(1, 3), QString());
}

TEST_F(SDOServer, ClickOnARowNumberSelectsThatRowOnEitherSheet)
{
    open();
    for (grid::TQvColumnGrid* g : {w->sga, w->sgb}) {
        user->clickCell(*g, 0, 7);
        const auto selection = g->Selection();
        EXPECT_EQ(selection.Top, 7);
        EXPECT_EQ(selection.Bottom, 7);
        EXPECT_EQ(selection.Left, 1);
        EXPECT_EQ(selection.Right, g->ColCount() - 1);
    }
}

TEST_F(SDOServer, RowMissingARequiredAttributeIsReportedAndTheWindowCloses)
{
    ASSERT_TRUE(testsupport::writeFile(path(), fixture("SDO_Server_CANopen_missing_NByte.xml")));
    open();
    QCoreApplication::processEvents();
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Missing attribute \"NByte\""));
    EXPECT_EQ(user->result(), TFSet_SDO_Server_Access::kModalCancel);
    EXPECT_EQ(testsupport::readFile(path()), fixture("SDO_Server_CANopen_missing_NByte.xml"));
}

TEST_F(SDOServer, Screenshot)
{
    open();
    TableWindowDriver::setRow(*w->sga, 1, {"0x2000", "1", "4", "0", "1", "2", "3", "Counter"});
    user->checkTablePicture(QStringLiteral("windows/SDO_Server_Access_window.png"), QSize(749, 337), *w->sga, 1, 1, 5);
}

} // namespace
