// The BACnet server object tables: rules of each table with their exact messages and the object
// total checked last, 2000 or 1000 rows by the settings, a file with more rows than the table,
// the Length preset of the write table, the unit picker on a double click, row buttons with one
// copy flag per table, and the file written.

#include "protocols/ethernet/bacnet/UBACnetSlaveSetAccess.h"

#include "common/UComonState.h"
#include "platform/Services.h"
#include "protocols/ethernet/bacnet/UBACnet_Eng_Unit.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

using ethernet::TFBACnetSlaveSetAccess;
using testsupport::TableWindowDriver;

class BACnetServer : public testsupport::TableWindowTest<TFBACnetSlaveSetAccess> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        common::State().File_ParGen = QDir(tmp.path()).filePath(QStringLiteral("ParGen.xml"));
        picker = std::make_unique<ethernet::TFBACnet_Eng_Unit>(services);
        Start(&common::TProgramState::File_BACnet_Slave, "BACnet_Slave.xml");
        w->FBACnet_Eng_Unit = picker.get();
    }

    void open()
    {
        w->hide();
        user->open();
    }
    void limitNames(bool on)
    {
        ASSERT_TRUE(
            testsupport::writeFile(common::State().File_ParGen,
                                   on ? "<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></Par_Gen>"
                                      : "<Par_Gen><BACnet_Desc_Chars_Limit> 1</BACnet_Desc_Chars_Limit></Par_Gen>"));
    }
    QByteArray fixture(const char* name) const
    {
        return testsupport::readFile(testsupport::fixturePath(QStringLiteral("bacnet/") + QLatin1String(name)));
    }
    // Double-clicks a unit cell; once the picker is up, answer runs and the picker closes with
    // result.
    void doubleClickUnit(grid::TQvColumnGrid& g, int row, std::function<void()> answer, int result)
    {
        TableWindowDriver::bringForward(g);
        tries = 0;
        closePicker = [this, answer, result] {
            if (!picker->isVisible()) {
                if (++tries < 500)
                    QTimer::singleShot(10, picker.get(), closePicker);
                return;
            }
            answer();
            picker->done(result);
        };
        QTimer::singleShot(0, picker.get(), closePicker);
        const QRect r = g.CellRect(2, row).toQRect();
        QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, r.center());
        QCoreApplication::processEvents();
        EXPECT_FALSE(picker->isVisible());
    }

    std::function<void()> closePicker;
    int tries = 0;
    std::unique_ptr<ethernet::TFBACnet_Eng_Unit> picker;
};

// Data Type, Eng. Unit, Position, Start Bit, Length, Swap, Mnemonic
const QStringList kGoodRead = {"Analog Input", "62", "0", "", "4", "N", "t"};

TEST_F(BACnetServer, FirstErrorOfEitherTableWithItsExactText)
{
    struct Case {
        bool write;
        QStringList row2;
        const char* message; // nullptr: passes
    } cases[] = {
        {false,
         {"Analog Input", "", "0", "", "4", "", ""},
         "Error row 2!! [BACnet in Read] Eng. Unit must be between 0 and 65535"},
        {false,
         {"Binary Input", "", "0", "1", "", "", ""},
         "Error row 2!! [BACnet in Read] Eng. Unit must be between 0 and 65535"},
        {true,
         {"Binary Out", "", "0", "1", "", "", ""},
         "Error row 2!! [BACnet in Write] Eng. Unit must be between 0 and 65535"},
        {false,
         {"Analog Input", "65536", "0", "", "4", "", ""},
         "Error row 2!! [BACnet in Read] Eng. Unit must be between 0 and 65535"},
        {false,
         {"Analog Input", "0x3E", "1500", "", "4", "", ""},
         "Error row 2!! [BACnet in Read] Position must be between 0 and 1499"},
        {true,
         {"Analog Out", "1", "", "", "4", "", ""},
         "Error row 2!! [BACnet in Write] Position must be between 0 and 1499"},
        {false,
         {"Analog Input", "62", "1498", "", "4", "", ""},
         "Error row 2!! [BACnet in Read] Too many bytes to save starting from the Position indicate"},
        {false,
         {"Analog Input", "62", "0", "", "5", "", ""},
         "Error row 2!! [BACnet in Read] Length with variable \"Analog Input\" must be between 1 and 4"},
        {false,
         {"Life Safety Zone", "62", "0", "", "3", "", ""},
         "Error row 2!! [BACnet in Read] Length with variable \"Life Safety Zone\" must be 1 or 2"},
        {false, {"Large Analog Value", "62", "1492", "", "8", "", ""}, nullptr},
        {false,
         {"Binary Input", "0", "1499", "", "", "", ""},
         "Error row 2!! [BACnet in Read] Bit must be between 0 and 7"},
        {false, {"Binary Value", "0", "1499", "7", "99", "", ""}, nullptr}, // no Length for a bit
        {true,
         {"Binary Value", "0", "1499", " ", "", "", ""},
         "Error row 2!! [BACnet in Write] Bit must be between 0 and 7"},
        {true,
         {"Access Door", "0", "0", "", "2", "", ""},
         "Error row 2!! [BACnet in Write] Length with variable \"Access Door\" must be equal to 1"},
        {true,
         {"Analog Out", "0", "1497", "", "4", "", ""},
         "Error row 2!! [BACnet in Write] Too many bytes to save starting from the Position indicate"},
        {true,
         {"Integer Value", "0", "0", "", "0", "", ""},
         "Error row 2!! [BACnet in Write] Length with variable \"Integer Value\" must be between 1 and 4"},
        // The read table's Integer Value has no Length rule: only the last byte counts, and a
        // Length that is no number reads as 0.
        {false, {"Integer Value", "0", "0", "", "0", "", ""}, nullptr},
        {false, {"Integer Value", "0", "0", "", "9", "", ""}, nullptr},
        {false, {"Integer Value", "0", "1499", "", "x", "", ""}, nullptr},
        {false,
         {"Integer Value", "0", "1492", "", "9", "", ""},
         "Error row 2!! [BACnet in Read] Too many bytes to save starting from the Position indicate"},
        {false,
         {"Integer Value", "0", "1", "", "2147483647", "", ""},
         "Error row 2!! [BACnet in Read] Too many bytes to save starting from the Position indicate"},
        // The type is the cell's exact text: a blank after it matches no Length rule.
        {false, {"Analog Input ", "0", "0", "", "7", "", ""}, nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row2.join(QLatin1Char('|')).toStdString());
        open();
        TableWindowDriver::setRow(*w->ACG_BACnet_in_Read, 1, kGoodRead);
        TableWindowDriver::setRow(*w->ACG_BACnet_in_Write, 1, {"Analog Out", "62", "0", "", "4", "N", "t"});
        TableWindowDriver::setRow(k.write ? *w->ACG_BACnet_in_Write : *w->ACG_BACnet_in_Read, 2, k.row2);
        EXPECT_EQ(w->First_Error().value_or(QString()), QString::fromLatin1(k.message ? k.message : ""));
    }
}

TEST_F(BACnetServer, RowCountAndObjectTotalFollowTheNameLimit)
{
    open();
    EXPECT_FALSE(w->Desc_Lenght);
    EXPECT_EQ(w->ACG_BACnet_in_Read->RowCount(), 2001);
    EXPECT_EQ(w->ACG_BACnet_in_Write->RowCount(), 2001);

    limitNames(true);
    open();
    EXPECT_TRUE(w->Desc_Lenght);
    EXPECT_EQ(w->ACG_BACnet_in_Read->RowCount(), 1001);
    EXPECT_EQ(w->ACG_BACnet_in_Write->RowCount(), 1001);
    for (int r = 1; r <= 600; ++r)
        TableWindowDriver::setRow(*w->ACG_BACnet_in_Read, r, {"Integer Value", "0", "0", "", "1", "N", ""});
    for (int r = 1; r <= 500; ++r)
        TableWindowDriver::setRow(*w->ACG_BACnet_in_Write, r, {"Binary Out", "0", "0", "0", "", "N", ""});
    // A row error comes before the total.
    w->ACG_BACnet_in_Write->SetCells(2, 500, QString());
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(),
              QStringLiteral("Error row 500!! [BACnet in Write] Eng. Unit must be between 0 and 65535"));
    w->ACG_BACnet_in_Write->SetCells(2, 500, QStringLiteral("0"));
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!! Too many Requests. Max requests 1000"));
    EXPECT_FALSE(QFile::exists(path()));

    // Only the exact text "1" limits.
    limitNames(false);
    open();
    EXPECT_FALSE(w->Desc_Lenght);
    EXPECT_EQ(w->ACG_BACnet_in_Read->RowCount(), 2001);
}

TEST_F(BACnetServer, TypedObjectsAreSavedAndShownAgain)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("BACnet Set Access"));
    EXPECT_EQ(w->PageControl1->tabText(0), QStringLiteral("BACnet in Read"));
    EXPECT_EQ(w->PageControl1->tabText(1), QStringLiteral("BACnet in Write"));
    EXPECT_EQ(w->ACG_BACnet_in_Read->ColCount(), 7); // Swap hidden
    EXPECT_EQ(w->ACG_BACnet_in_Read->Cells(7, 0), QStringLiteral("Mnemonic"));
    user->type("ACG_BACnet_in_Read", 1, 1, QStringLiteral("Analog Input"));
    user->type("ACG_BACnet_in_Read", 2, 1, QStringLiteral("62"));
    user->type("ACG_BACnet_in_Read", 3, 1, QStringLiteral("1496"));
    user->type("ACG_BACnet_in_Read", 5, 1, QStringLiteral("4"));
    user->type("ACG_BACnet_in_Read", 6, 1, QStringLiteral("Room & hall")); // shown column 6: Mnemonic
    user->type("ACG_BACnet_in_Write", 1, 1, QStringLiteral("Binary Out"));
    user->type("ACG_BACnet_in_Write", 2, 1, QStringLiteral("95"));
    user->type("ACG_BACnet_in_Write", 3, 1, QStringLiteral("0"));
    user->type("ACG_BACnet_in_Write", 4, 1, QStringLiteral("7"));
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFBACnetSlaveSetAccess::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()), fixture("BACnet_Slave_window.xml"));

    open();
    EXPECT_EQ(w->ACG_BACnet_in_Read->Cells(7, 1), QStringLiteral("Room & hall"));
    EXPECT_EQ(w->ACG_BACnet_in_Write->Cells(5, 1), QStringLiteral("1"));
    EXPECT_EQ(w->PageControl1->currentIndex(), 0);
}

TEST_F(BACnetServer, AMissingSwapReadsNAndAMissingMnemonicClosesTheWindow)
{
    ASSERT_TRUE(testsupport::writeFile(path(), fixture("project/BACnet_Slave.xml")));
    open();
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(w->ACG_BACnet_in_Write->Cells(6, 2), QStringLiteral("N"));
    EXPECT_EQ(w->ACG_BACnet_in_Write->Cells(7, 2), QStringLiteral("Valve"));

    ASSERT_TRUE(testsupport::writeFile(path(), "<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Input\" "
                                               "Eng_Unit=\"1\" Position=\"0\" Bit=\"\" Length=\"1\" />"
                                               "</BACnet_in_Read><BACnet_in_Write /></BACnet_to_Modbus>"));
    open();
    QCoreApplication::processEvents();
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Missing attribute \"Mnemonic\""));
    EXPECT_FALSE(w->isVisible());
}

// Switched to 1000 rows after 1001 objects were saved: the rows that fit are shown, the user is
// told the rest will not be saved, and nothing past the table is touched.
TEST_F(BACnetServer, AFileWithMoreRowsThanTheTableLoadsWhatFitsAndSaysSo)
{
    QByteArray file = "<BACnet_to_Modbus>\n<BACnet_in_Read>\n";
    for (int r = 1; r <= 1001; ++r)
        file += "<row Data_Type=\"Integer Value\" Eng_Unit=\"0\" Position=\"0\" Bit=\"\" Length=\"1\" Swap=\"N\" "
                "Mnemonic=\"o"
                + QByteArray::number(r) + "\" />\n";
    file += "</BACnet_in_Read>\n<BACnet_in_Write />\n</BACnet_to_Modbus>\n";
    ASSERT_TRUE(testsupport::writeFile(path(), file));
    limitNames(true);
    open();
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_EQ(user->lastMessage(),
              QStringLiteral("The file holds more objects than the table has rows: the objects past the last row are "
                             "not shown and will not be saved"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->ACG_BACnet_in_Read->RowCount(), 1001);
    EXPECT_EQ(w->ACG_BACnet_in_Read->Cells(7, 1000), QStringLiteral("o1000"));
    user->press("Btn_OK");
    EXPECT_EQ(user->result(), TFBACnetSlaveSetAccess::kModalOK);
    const QByteArray saved = testsupport::readFile(path());
    EXPECT_EQ(saved.count("<row "), 1000);
    EXPECT_FALSE(saved.contains("o1001"));
}

TEST_F(BACnetServer, LargeAnalogValuePresetsTheLengthInTheWriteTableOnly)
{
    open();
    user->type("ACG_BACnet_in_Write", 1, 3, QStringLiteral("Large Analog Value"));
    EXPECT_EQ(w->ACG_BACnet_in_Write->Cells(5, 3), QStringLiteral("8"));
    user->type("ACG_BACnet_in_Write", 1, 3, QStringLiteral("Binary Value"));
    EXPECT_EQ(w->ACG_BACnet_in_Write->Cells(5, 3), QStringLiteral("1"));
    user->type("ACG_BACnet_in_Read", 5, 3, QStringLiteral("3"));
    user->type("ACG_BACnet_in_Read", 1, 3, QStringLiteral("Large Analog Value"));
    EXPECT_EQ(w->ACG_BACnet_in_Read->Cells(5, 3), QStringLiteral("3"));
}

TEST_F(BACnetServer, DoubleClickOnAUnitOpensThePicker)
{
    open();
    QString shownCode, shownName;
    doubleClickUnit(
        *w->ACG_BACnet_in_Write, 4,
        [&] {
            shownCode = picker->E_Selected_EU->text();
            shownName = picker->Label5->text();
            picker->E_Selected_EU->setText(QStringLiteral("70000")); // typed, not checked
        },
        TFBACnetSlaveSetAccess::kModalOK);
    EXPECT_EQ(shownCode, QString());
    EXPECT_EQ(shownName, QStringLiteral("-> unknown"));
    EXPECT_EQ(w->ACG_BACnet_in_Write->Cells(2, 4), QStringLiteral("70000"));

    w->ACG_BACnet_in_Read->SetCells(2, 2, QStringLiteral("62"));
    doubleClickUnit(
        *w->ACG_BACnet_in_Read, 2,
        [&] {
            shownName = picker->Label5->text();
            picker->E_Selected_EU->setText(QStringLiteral("98"));
        },
        TFBACnetSlaveSetAccess::kModalCancel);
    EXPECT_EQ(shownName, QStringLiteral("-> degrees-Celsius"));
    EXPECT_EQ(w->ACG_BACnet_in_Read->Cells(2, 2), QStringLiteral("62"));
}

TEST_F(BACnetServer, RowButtonsWithOneCopyFlagPerTable)
{
    open();
    TableWindowDriver::setRow(*w->ACG_BACnet_in_Read, 1, kGoodRead);
    user->clickCell(*w->ACG_BACnet_in_Read, 2, 1);
    user->press("Btn_CopyRow");
    EXPECT_TRUE(w->Do_Copy_Read());
    EXPECT_FALSE(w->Do_Copy_Write());
    user->clickCell(*w->ACG_BACnet_in_Write, 2, 1);
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!!! Copy a valid row before Paste it"));
    EXPECT_EQ(w->ACG_BACnet_in_Write->Cells(1, 1), QString());

    user->clickCell(*w->ACG_BACnet_in_Read, 2, 3);
    user->press("Btn_PasteRow");
    EXPECT_EQ(w->ACG_BACnet_in_Read->Cells(7, 3), QStringLiteral("t"));
    user->press("Btn_InsRow");
    EXPECT_EQ(w->ACG_BACnet_in_Read->Cells(1, 3), QString());
    EXPECT_EQ(w->ACG_BACnet_in_Read->Cells(1, 4), QStringLiteral("Analog Input"));
    messages.answers = {platform::MsgResult::Yes};
    user->press("Btn_DelRow");
    EXPECT_EQ(messages.shown.back().text, QStringLiteral("Are you sure to delete the Row number 3"));
    EXPECT_EQ(w->ACG_BACnet_in_Read->Cells(1, 3), QStringLiteral("Analog Input"));

    open();
    EXPECT_FALSE(w->Do_Copy_Read());
    EXPECT_FALSE(w->Do_Copy_Write());
}

TEST_F(BACnetServer, Screenshots)
{
    open();
    TableWindowDriver::setRow(*w->ACG_BACnet_in_Read, 1, kGoodRead);
    TableWindowDriver::setRow(*w->ACG_BACnet_in_Read, 2, {"Binary Input", "95", "4", "3", "", "N", "Door contact"});
    user->checkTablePicture(QStringLiteral("windows/BACnet_Server_window.png"), QSize(764, 337), *w->ACG_BACnet_in_Read,
                            2, 2, 5);
}

} // namespace
