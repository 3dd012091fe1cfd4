// The NMEA 2000 transmit table: its rules with their exact messages (first error only), the
// byte budget of 512, a missing Num Byte that loads empty and fails, the file whose root
// carries the receive file's name read and written back unchanged, and no header hints.

#include "protocols/fieldbus/nmea2000/UTransmitNMEA.h"

#include "protocols/fieldbus/j1939/PgnTableFixture.h"

#include <QImage>

namespace {

using fieldbus::TFTransmitNMEA;
using testsupport::TableWindowDriver;

class TransmitNMEA : public testsupport::PgnTableTest<TFTransmitNMEA> {
protected:
    void SetUp() override
    {
        PgnTableTest::SetUp();
        Start(&common::TProgramState::File_NMEA_Send_Frames, "NMEA_Send_Frames.xml");
    }
};

// Priority, PGN, Source Address, Fast Packet, Num Byte, Request, Data Change, On Timer, Send Timer.
const QStringList kRow = {"3", "0x1F801", "0", "N", "8", "N", "N", "N", ""};

TEST_F(TransmitNMEA, FirstErrorIsShownAndNothingWritten)
{
    struct Case {
        QStringList row2;
        const char* message; // nullptr: passes
    } cases[] = {
        {{"7", "1", "0", "N", "8"}, nullptr},
        {{"8", "1", "0", "N", "8"}, "Error in row 2!! Priority must be between 0 and 7"},
        {{"0", "0x1FFFF", "0", "N", "8"}, nullptr},
        {{"0", "0x20000", "0", "N", "8"}, "Error in row 2!! PGN must be between 0x00000 and 0x1FFFF"},
        {{"0", "1", "239", "N", "8"}, nullptr},
        {{"0", "1", "240", "N", "8"}, "Error in row 2!! Source Address must be between 0 and 239"},
        {{"0", "1", "0", "N", "0"}, nullptr},
        {{"0", "1", "0", "Y", "300"}, nullptr}, // not held to the fast packet's 223
        {{"0", "1", "0", "N", "513"}, "Error in row 2!! Num Byte must be between 0 and 512"},
        {{"0", "1", "0", "N", "8", "N", "N", "Y", "0"}, "Error in row 2!! Send Timer must be between 1 and 65535 ms"},
        {{"0", "1", "0", "N", "8", "N", "N", "Y", "65536"},
         "Error in row 2!! Send Timer must be between 1 and 65535 ms"},
        {{"0", "1", "0", "N", "8", "N", "N", "Y", "65535"}, nullptr},
        {{"0", "1", "0", "N", "8", "N", "N", "N", "0"}, nullptr},
        {{"0", "1", "0", "x", "8", "x", "x", "y", "x"}, nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row2.join(QLatin1Char('|')).toStdString());
        std::vector<QStringList> rows = {kRow, k.row2};
        if (k.message)
            rows.push_back({"9", "1", "0", "N", "8"});
        EXPECT_EQ(okWith(rows), k.message ? QString::fromLatin1(k.message) : QString());
    }
}

TEST_F(TransmitNMEA, BytesOfAllRowsStayWithin512)
{
    std::vector<QStringList> rows(62, kRow);
    rows[61][4] = QStringLiteral("24");
    EXPECT_EQ(okWith(rows), QString());
    rows[61][4] = QStringLiteral("25");
    EXPECT_EQ(okWith(rows), QStringLiteral("Error!! Too many bytes of data, the max number is 512"));
}

TEST_F(TransmitNMEA, MissingNumByteLoadsEmptyAndFails)
{
    ASSERT_TRUE(
        QFile::copy(testsupport::fixturePath(QStringLiteral("nmea2000/NMEA_Send_Frames_no_count.xml")), path()));
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    open();
    EXPECT_EQ(table().Cells(5, 1), QString());
    EXPECT_EQ(table().Cells(4, 1), QStringLiteral("N"));
    EXPECT_EQ(table().Cells(8, 1), QStringLiteral("N"));
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error in row 1!! Num Byte must be between 0 and 512"));
}

TEST_F(TransmitNMEA, FileIsReadAndWrittenBackUnchanged)
{
    const QString fixture = testsupport::fixturePath(QStringLiteral("nmea2000/NMEA_Send_Frames_round_trip.xml"));
    ASSERT_TRUE(QFile::copy(fixture, path()));
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    open();
    EXPECT_EQ(table().Cells(10, 2), QStringLiteral("GNSS & <fix>"));
    ASSERT_TRUE(QFile::remove(path())); // so that what follows is what OK wrote
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFTransmitNMEA::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()), testsupport::readFile(fixture));
}

TEST_F(TransmitNMEA, RowWithPriorityButNoPgnIsDroppedWithTheEmptyRowsBelow)
{
    EXPECT_EQ(okWith({kRow, {"3", "", "5"}}), QString());
    open();
    EXPECT_EQ(table().Cells(2, 1), QStringLiteral("0x1F801"));
    EXPECT_EQ(table().Cells(1, 2), QString());
}

TEST_F(TransmitNMEA, InsertedRowIsEmptyAndDeleteKeepsToDataRows)
{
    open();
    TableWindowDriver::setRow(table(), 1, kRow);
    table().SetRow(1);
    user->press("Btn_InsRow");
    for (int c = 1; c <= 10; ++c)
        EXPECT_EQ(table().Cells(c, 1), QString()) << c;
    table().SetRow(0);
    user->press("Btn_DelRow");
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(table().Cells(2, 0), QStringLiteral("PGN"));
    EXPECT_EQ(table().Cells(2, 2), QStringLiteral("0x1F801"));
}

TEST_F(TransmitNMEA, HeaderHintsAreKeptButNotShown)
{
    open();
    EXPECT_EQ(headerTip(1), QString());
    EXPECT_EQ(w->Hint_TransmitNMEA().value(0), QStringLiteral("Insert the Priority of NMEA 2000 Frame"));
    EXPECT_EQ(w->Btn_OK->toolTip(), QStringLiteral("Confirm and save the J1939 Receive Frames List"));
}

TEST_F(TransmitNMEA, Screenshot)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Transmit NMEA 2000 Frames"));
    TableWindowDriver::setRow(table(), 1, {"3", "0x1F801", "0", "N", "8", "N", "Y", "N", "", "Position"});
    TableWindowDriver::setRow(table(), 2, {"6", "129029", "239", "Y", "43", "Y", "N", "Y", "1000", "GNSS"});
    user->checkTablePicture(QStringLiteral("windows/TransmitNMEA_window.png"), QSize(810, 337), table(), 2, 2, 5);
}

} // namespace
