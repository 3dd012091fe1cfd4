// The transmit CAN frame table: the defaults a file row's missing attributes take (Time only
// for a row sending on its timer), its rules with the Time checked only with OnTimer, and the
// file written back byte for byte.

#include "protocols/fieldbus/can/UTransmitCAN.h"

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

#include <gtest/gtest.h>

#include <optional>

namespace {

using fieldbus::TFTransmitCAN;
using testsupport::TableWindowDriver;

class TransmitCAN : public testsupport::TableWindowTest<TFTransmitCAN> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start(&common::TProgramState::File_CAN_Send_Frames, "CAN_Send_Frames.xml");
    }

    grid::TQvColumnGrid& table() { return *w->ACG_CAN_Transmit; }
};

TEST_F(TransmitCAN, MissingAttributesLoadWithTheirDefaultsAndAreWrittenBack)
{
    ASSERT_TRUE(QFile::copy(testsupport::fixturePath(QStringLiteral("can/CAN_Send_Frames_sparse.xml")), path()));
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    const QStringList row1 = {"Y", "5", "2.0A (11 bits)", "1", "Y", "N", "N", ""};
    for (int c = 1; c <= row1.size(); ++c)
        EXPECT_EQ(table().Cells(c, 1), row1[c - 1]) << "column " << c;
    EXPECT_EQ(table().Cells(8, 2), QStringLiteral("0")); // OnTimer "Y" without a Time
    EXPECT_EQ(table().Cells(8, 3), QStringLiteral("-4"));
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFTransmitCAN::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()),
              testsupport::readFile(testsupport::fixturePath(QStringLiteral("can/CAN_Send_Frames_defaults.xml"))));
}

TEST_F(TransmitCAN, FirstErrorIsShown)
{
    // Enable, CobID, Type, Dimension, OnChange, OnCMD, OnTimer, Time, Byte1..Byte8
    struct Case {
        QStringList row;
        const char* message; // nullptr: passes
    } cases[] = {
        {{"Y", "2048", "2.0A (11 bits)", "1", "Y", "N", "N"}, "Error row 1!! CobID must be between 0 and 2047"},
        {{"Y", "0x1FFFFFFF", "2.0B (29 bits)", "1", "Y", "N", "N"}, nullptr},
        {{"Y", "0x20000000", "", "1"}, "Error row 1!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
        {{"Y", "1", "", "9"}, "Error row 1!! Dimension must be between 1 and 8"},
        {{"Y", "1", "", "1", "N", "N", "Y", ""}, "Error row 1!! Time must be between 0 and 100000000 milliseconds"},
        {{"Y", "1", "", "1", "N", "N", "y", "100000001"},
         "Error row 1!! Time must be between 0 and 100000000 milliseconds"},
        {{"Y", "1", "", "1", "N", "N", "Y", "100000000"}, nullptr},
        {{"Y", "1", "", "1", "N", "N", "N", "x"}, nullptr}, // Time is checked only with OnTimer
        {{"Y", "1", "", "2", "N", "N", "N", "", "2699", "2700"},
         "Error row 1!! Byte2 must be between 0 and 2699 or None"},
        {{"Y", "1", "", "2", "N", "N", "N", "", "None", "", "5000"}, nullptr}, // Byte3 lies beyond the Dimension
        {{"Y", "1", "", "1", "N", "N", "N"}, nullptr},                         // no trigger at all
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row.join(QLatin1Char('|')).toStdString());
        messages.shown.clear();
        open();
        TableWindowDriver::setRow(table(), 1, k.row);
        EXPECT_EQ(w->First_Error().value_or(QString()), QString::fromLatin1(k.message ? k.message : ""));
    }
    // Through the window: the box shows the first error and nothing is written.
    open();
    TableWindowDriver::setRow(table(), 1, {"Y", "1", "", "1", "N", "N", "Y", ""});
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error row 1!! Time must be between 0 and 100000000 milliseconds"));
    EXPECT_EQ(messages.shown.back().icon, platform::MsgIcon::Error);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(TransmitCAN, OnCMDColumnHasItsOwnHeaderAndHint)
{
    open();
    EXPECT_EQ(table().ColCount(), 18);
    EXPECT_EQ(table().Cells(6, 0), QStringLiteral("OnCMD"));
    EXPECT_EQ(w->Hint_TransmitCAN().value(5),
              QStringLiteral("Enable or Disable the possibility to send the CAN Frame by Command"));
    EXPECT_EQ(table().Cells(7, 0), QStringLiteral("OnTimer"));
    EXPECT_EQ(table().Columns()[9].ComboItems().size(), 2701); // "None" and 0 .. 2699
}

TEST_F(TransmitCAN, Screenshot)
{
    open();
    TableWindowDriver::setRow(
        table(), 1,
        {"Y", "0x201", "2.0A (11 bits)", "4", "Y", "N", "Y", "250", "0", "1", "2", "3", "", "", "", "", "Setpoints"});
    TableWindowDriver::setRow(
        table(), 2,
        {"Y", "0x202", "2.0A (11 bits)", "1", "N", "Y", "N", "", "10", "", "", "", "", "", "", "", "Command"});
    user->checkTablePicture(QStringLiteral("windows/TransmitCAN_window.png"), QSize(1100, 337), table(), 2, 2, 5);
}

} // namespace
