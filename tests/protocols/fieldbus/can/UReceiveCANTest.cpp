// The receive CAN frame table driven like a user: its rules with their exact messages (first
// error only), the file written on OK compared byte for byte with a hand-made fixture, the
// defaults of a file row's missing attributes, and the empty-key refusal.

#include "protocols/fieldbus/can/UReceiveCAN.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <optional>

namespace {

using fieldbus::TFReceiveCAN;
using testsupport::TableWindowDriver;

class ReceiveCAN : public testsupport::TableWindowTest<TFReceiveCAN> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start(&common::TProgramState::File_CAN_Rec_Frames, "CAN_Rec_Frames.xml");
    }

    grid::TQvColumnGrid& table() { return *w->ACG_CAN_Receive; }
};

TEST_F(ReceiveCAN, TypedFramesAreSavedOnOK)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Receive CAN Frames Set Access"));
    EXPECT_EQ(table().Cells(2, 0), QStringLiteral("CobID"));
    EXPECT_EQ(table().RowCount(), 513);
    EXPECT_EQ(table().ColCount(), 15);
    EXPECT_EQ(table().Cells(1, 512), QStringLiteral("Y")); // every row starts enabled
    user->type("ACG_CAN_Receive", 2, 1, QStringLiteral("0x7FF"));
    user->type("ACG_CAN_Receive", 3, 1, QStringLiteral("2.0A (11 bits)"));
    user->type("ACG_CAN_Receive", 4, 1, QStringLiteral("2"));
    user->type("ACG_CAN_Receive", 5, 1, QStringLiteral("100"));
    user->type("ACG_CAN_Receive", 6, 1, QStringLiteral("0"));
    user->type("ACG_CAN_Receive", 7, 1, QStringLiteral("1999"));
    user->type("ACG_CAN_Receive", 14, 1, QStringLiteral("Speed"));
    TableWindowDriver::setRow(table(), 2, {"N", "7FF", "2.0A (11 bits)", "9", "-1"});
    TableWindowDriver::setRow(
        table(), 3,
        {"Y", "536870911", "2.0B (29 bits)", "3", "0", "None", "", "5", "2000", "", "", "", "", "Temp & <level>"});
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFReceiveCAN::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()),
              testsupport::readFile(testsupport::fixturePath(QStringLiteral("can/CAN_Rec_Frames_window.xml"))));

    // Shown again, the table is the file's.
    open();
    EXPECT_EQ(table().Cells(2, 1), QStringLiteral("0x7FF"));
    EXPECT_EQ(table().Cells(14, 3), QStringLiteral("Temp & <level>"));
    EXPECT_EQ(table().Cells(2, 4), QString());
}

TEST_F(ReceiveCAN, FirstErrorIsShownAndNothingWritten)
{
    struct Case {
        QStringList row2;
        const char* message; // nullptr: passes
    } cases[] = {
        {{"Y", "2048", "2.0A (11 bits)", "1", "0"}, "Error row 2!! CobID must be between 0 and 2047"},
        {{"Y", "2048", "2.0B (29 bits)", "1", "0"}, nullptr},
        {{"Y", "2048", "", "1", "0"}, nullptr},
        {{"Y", "536870911", "2.0B (29 bits)", "1", "0"}, nullptr},
        {{"Y", "536870912", "2.0B (29 bits)", "1", "0"},
         "Error row 2!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
        {{"Y", "$7FF", "2.0A (11 bits)", "1", "0"}, nullptr},
        {{"Y", "7FF", "2.0A (11 bits)", "1", "0"}, "Error row 2!! CobID must be between 0 and 2047"},
        {{"Y", "1", "", "0", "0"}, "Error row 2!! Dimension must be between 1 and 8"},
        {{"Y", "1", "", "8", "100000000"}, nullptr},
        {{"Y", "1", "", "8", "100000001"}, "Error row 2!! TimeOut must be between 0 and 100000000 milliseconds"},
        {{"Y", "1", "", "8", "-1"}, "Error row 2!! TimeOut must be between 0 and 100000000 milliseconds"},
        {{"Y", "1", "", "2", "0", "1999", "2000"}, "Error row 2!! Byte2 must be between 0 and 1999 or None"},
        {{"Y", "1", "", "3", "0", "None", "", "7", "2000"}, nullptr}, // Byte4 lies beyond the Dimension
        {{"Y", "1", "", "8", "0", "", "", "", "", "", "", "", "x"},
         "Error row 2!! Byte8 must be between 0 and 1999 or None"},
        {{"N", "x", "", "0", "-5"}, nullptr}, // disabled rows are not checked
        {{"y", "x", "", "1", "0"}, "Error row 2!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row2.join(QLatin1Char('|')).toStdString());
        QFile::remove(path());
        messages.shown.clear();
        open();
        TableWindowDriver::setRow(table(), 1, {"Y", "1", "2.0A (11 bits)", "1", "0"});
        TableWindowDriver::setRow(table(), 2, k.row2);
        TableWindowDriver::setRow(table(), 3, {"Y", "99999", "2.0A (11 bits)", "1", "0"}); // a later error
        if (!k.message)
            table().SetCells(2, 3, QStringLiteral("3"));
        user->press("Btn_OK");
        if (k.message) {
            ASSERT_EQ(user->messageCount(), 1u);
            EXPECT_EQ(user->lastMessage(), QString::fromLatin1(k.message));
            EXPECT_FALSE(QFile::exists(path()));
        } else {
            EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
            EXPECT_TRUE(QFile::exists(path()));
        }
    }
}

TEST_F(ReceiveCAN, EmptyCobIDEndsTheTableOnlyWithNothingBelow)
{
    open();
    TableWindowDriver::setRow(table(), 1, {"Y", "1", "2.0A (11 bits)", "1", "0"});
    TableWindowDriver::setRow(table(), 2, {"Y", "2", "2.0A (11 bits)", "1", "0"});
    table().SetRow(1);
    user->press("Btn_InsRow");
    EXPECT_EQ(table().Cells(1, 1), QStringLiteral("Y"));
    EXPECT_EQ(table().Cells(2, 2), QStringLiteral("1"));
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(),
              QStringLiteral("Error row 1!! This row is empty but rows below it are filled: fill it in or delete it, "
                             "or the rows below would not be saved"));
    EXPECT_FALSE(QFile::exists(path()));

    // Deleted again, the table ends at its first empty CobID with only enabled empty rows below.
    messages.answers = {platform::MsgResult::Yes};
    user->press("Btn_DelRow");
    EXPECT_EQ(messages.shown.back().text, QStringLiteral("Are you sure to delete the Row number 1"));
    user->press("Btn_OK");
    EXPECT_EQ(user->result(), TFReceiveCAN::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()),
              testsupport::readFile(testsupport::fixturePath(QStringLiteral("can/CAN_Rec_Frames_two_rows.xml"))));
}

TEST_F(ReceiveCAN, MissingAttributesTakeTheirDefaults)
{
    ASSERT_TRUE(testsupport::writeFile(path(), "<Other>\n\t<row COBID=\"5\" Dim=\"1\" />\n\t<!-- a note -->\n"
                                               "\ttext\n\t<row Enable=\"N\" COBID=\"6\" TimeOut=\"7\" />\n</Other>\n"));
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(table().Cells(1, 1), QStringLiteral("Y"));
    EXPECT_EQ(table().Cells(2, 1), QStringLiteral("5"));
    EXPECT_EQ(table().Cells(3, 1), QString());
    EXPECT_EQ(table().Cells(5, 1), QStringLiteral("0"));
    EXPECT_EQ(table().Cells(1, 2), QStringLiteral("N"));
    EXPECT_EQ(table().Cells(5, 2), QStringLiteral("7"));
    EXPECT_EQ(table().Cells(2, 3), QString());
}

TEST_F(ReceiveCAN, AFailedSaveIsReportedAndTheWindowStaysOpen)
{
    common::State().File_CAN_Rec_Frames =
        QDir(tmp.path()).filePath(QStringLiteral("no such folder/CAN_Rec_Frames.xml"));
    open();
    TableWindowDriver::setRow(table(), 1, {"Y", "1", "2.0A (11 bits)", "1", "0"});
    user->press("Btn_OK");
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_FALSE(user->lastMessage().isEmpty());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(table().Cells(2, 1), QStringLiteral("1"));
}

TEST_F(ReceiveCAN, LanguageChangeReappliesHeadersAndHints)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath(QStringLiteral("LANGUAGE")));
    ASSERT_TRUE(testsupport::writeFile(QDir(tmp.path()).filePath(QStringLiteral("LANGUAGE/Italiano.lng")),
                                       "STR2600 =Ricezione CAN\r\nSTR2610 =IdCob\r\n"
                                       "STR2630 =Inserire il CobID\r\nSTR2602 =Conferma\r\n"));
    open();
    EXPECT_EQ(w->Hint_ReceiveCAN().value(1), QStringLiteral("Insert the CobID of the CAN Frame in receive"));
    QString language = QStringLiteral("Italiano");
    common::Load_Language(QDir(tmp.path()).filePath(QStringLiteral("LANGUAGE")), language);
    w->Set_Lang();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Ricezione CAN"));
    EXPECT_EQ(table().Cells(2, 0), QStringLiteral("IdCob"));
    EXPECT_EQ(w->Hint_ReceiveCAN().value(1), QStringLiteral("Inserire il CobID"));
    EXPECT_EQ(w->Btn_OK->Caption(), QStringLiteral("Conferma"));
    // The texts the language lacks stay English.
    EXPECT_EQ(table().Cells(3, 0), QStringLiteral("Type"));
    EXPECT_EQ(w->Hint_ReceiveCAN().value(13), QStringLiteral("Insert a description of the CAN Frame"));
}

TEST_F(ReceiveCAN, Screenshot)
{
    open();
    TableWindowDriver::setRow(table(), 1,
                              {"Y", "0x181", "2.0A (11 bits)", "2", "100", "0", "1", "", "", "", "", "", "", "Speed"});
    TableWindowDriver::setRow(
        table(), 2,
        {"N", "0x18FF0001", "2.0B (29 bits)", "8", "0", "2", "3", "4", "5", "6", "7", "8", "9", "Temperatures"});
    user->checkTablePicture(QStringLiteral("windows/ReceiveCAN_window.png"), QSize(1010, 337), table(), 2, 2, 5);
}

} // namespace
